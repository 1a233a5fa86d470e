#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "settings/setting_keys.h"
#include "settings/setting_readers.h"
#include "settings/settings_store.h"

namespace yomika {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

class SettingsStoreTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  QString File() const { return dir_.filePath(QStringLiteral("YOMIKA.ini")); }
};

TEST_F(SettingsStoreTest, AbsentKeyGivesTheCallersDefault) {
  SettingsStore store(File());
  EXPECT_EQ(store.GetSetting(Q("Default"), Q("Convert"), Q("2")), Q("2"));
  EXPECT_EQ(store.Get(keys::kRbStart), Q("【"));
  EXPECT_EQ(store.Get(keys::kTxtStyleSheet), DefaultStyleSheet());
}

TEST_F(SettingsStoreTest, SavedValuesSurviveAReopenVerbatim) {
  const QString style = Q("BODY {color: red}\r\nP {margin: 0}");
  {
    SettingsStore store(File());
    store.SaveSetting(Q("Preview"), Q("txtStyleSheet"), style);
    store.Save(keys::kRbEnd, Q(""));
    store.Save(keys::kTxtBackcolor, Q("red, blue"));
    store.Save(TagListKey(22), Q("-1"));
  }
  SettingsStore reopened(File());
  EXPECT_EQ(reopened.Get(keys::kTxtStyleSheet), style);
  // An empty value is a value: the default applies only to absent keys.
  EXPECT_EQ(reopened.Get(keys::kRbEnd), Q(""));
  EXPECT_EQ(reopened.Get(keys::kTxtBackcolor), Q("red, blue"));
  EXPECT_EQ(reopened.GetSetting(Q("TAGS"), Q("LIST22"), Q("0")), Q("-1"));
}

TEST_F(SettingsStoreTest, SectionsAndKeysAreCaseSensitiveAsSpelled) {
  SettingsStore store(File());
  store.SaveSetting(Q("Default"), Q("chkRUBY"), Q("0"));
  EXPECT_EQ(store.GetSetting(Q("Default"), Q("chkRUBY"), Q("1")), Q("0"));
  EXPECT_EQ(store.GetSetting(Q("RUBY"), Q("chkRUBY"), Q("1")), Q("1"));
}

TEST_F(SettingsStoreTest, OverrideAnswersWithoutBeingSaved) {
  {
    SettingsStore store(File());
    store.SaveSetting(Q("Default"), Q("alphabet"), Q("0"));
    store.SetOverride(Q("Default"), Q("alphabet"), Q("1"));
    EXPECT_EQ(store.Get(keys::kAlphabet), Q("1"));
  }
  EXPECT_EQ(SettingsStore(File()).Get(keys::kAlphabet), Q("0"));
}

// A FIFO would make QSettings wait forever, /dev/zero fill the memory: such a file is never
// opened; the defaults answer and what is saved lasts for this run only.
TEST_F(SettingsStoreTest, FileThatIsNoRegularFileIsRefused) {
  ASSERT_EQ(mkfifo(QFile::encodeName(File()).constData(), 0600), 0);
  SettingsStore store(File());
  ASSERT_TRUE(store.Problem().has_value());
  EXPECT_TRUE(store.Problem()->contains(File()));
  EXPECT_TRUE(store.Problem()->contains(Q("名前付きパイプ")));
  EXPECT_EQ(store.Get(keys::kConvert), Q("2"));
  store.Save(keys::kConvert, Q("1"));
  EXPECT_EQ(store.Get(keys::kConvert), Q("1"));
  EXPECT_FALSE(QFileInfo(File()).isFile());
  EXPECT_FALSE(SettingsStore(dir_.filePath(Q("absent.ini"))).Problem().has_value());
}

TEST(SettingKeysTest, TableDeclaresEveryKeyOnceWithItsDefault) {
  const auto all = AllSettingKeys();
  ASSERT_EQ(all.size(), 24u + 23u);
  QStringList seen;
  for (const SettingKey& key : all) {
    const QString path = KeyPath(key);
    EXPECT_FALSE(seen.contains(path)) << path.toStdString();
    seen.append(path);
  }
  EXPECT_EQ(KeyPath(TagListKey(0)), Q("TAGS/LIST0"));
  EXPECT_EQ(KeyPath(TagListKey(10)), Q("TAGS/LIST10"));
  EXPECT_EQ(KeyPath(TagListKey(22)), Q("TAGS/LIST22"));
  EXPECT_EQ(DefaultValue(keys::kConvert), Q("2"));
  EXPECT_EQ(DefaultValue(keys::kReadOnly), Q("1"));
  EXPECT_EQ(DefaultValue(keys::kTxtBackcolor), Q("#FFFFFF"));
}

TEST(SettingKeysTest, DefaultStyleSheetIsExact) {
  const QString style = DefaultStyleSheet();
  EXPECT_EQ(style.size(), 99);
  EXPECT_EQ(style, Q("BODY {FONT-SIZE: 11pt}\r\nRUBY {FONT-SIZE: 11pt}\r\n"
                     "RT   {FONT-SIZE:  7pt\r\n     ;TEXT-DECORATION: none}"));
}

struct Int16Case {
  const char* text;
  std::optional<int> expected;
};

TEST(SettingReadersTest, Int16RoundsHalfToEvenAndRejectsWhatIsNoNumber) {
  const Int16Case cases[] = {
      {"0", 0},          {"2", 2},          {" 2 ", 2},       {"-1", -1},
      {"1.5", 2},        {"2.5", 2},        {"1.4", 1},       {"32767", 32767},
      {"-32768", -32768},{"1e1", 10},
      // bad input
      {"abc", std::nullopt},   {"", std::nullopt},     {"70000", std::nullopt},
      {"32767.6", std::nullopt}, {"1,5", std::nullopt}, {"&H10", std::nullopt},
      {"inf", std::nullopt},   {"nan", std::nullopt},  {"2abc", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseInt16(Q(c.text)), c.expected) << c.text;
  }
}

TEST(SettingReadersTest, WholeNumberDropsTheFraction) {
  const Int16Case cases[] = {
      {"1.9", 1}, {"2", 2}, {"-0.5", 0}, {"-1.9", -1}, {"3", 3}, {"70000", 70000},
      {"abc", std::nullopt}, {"", std::nullopt}, {"1e12", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseWholeNumber(Q(c.text)), c.expected) << c.text;
  }
}

TEST(SettingReadersTest, FlagsTruthFlagsAndTheirBadValues) {
  struct Case {
    const char* text;
    std::optional<bool> flag;
    std::optional<bool> truth;
  };
  const Case cases[] = {
      {"1", true, true},        {"0", false, false},   {"2", false, true},
      {"-1", false, true},      {"True", std::nullopt, true},
      {"false", std::nullopt, false}, {"abc", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseFlag(Q(c.text)), c.flag) << c.text;
    EXPECT_EQ(ParseTruth(Q(c.text)), c.truth) << c.text;
  }
}

TEST_F(SettingsStoreTest, TypedReadsUseTheKeysOwnDefault) {
  SettingsStore store(File());
  EXPECT_EQ(ReadInt16(store, keys::kConvert), 2);
  EXPECT_EQ(ReadFlag(store, keys::kCreateColor), true);
  EXPECT_EQ(ReadTruth(store, keys::kReadOnly), true);
  EXPECT_EQ(ReadWholeNumber(store, keys::kRubyString), 0);
  store.Save(keys::kConvert, Q("abc"));
  EXPECT_EQ(ReadInt16(store, keys::kConvert), std::nullopt);
}

}  // namespace
}  // namespace yomika
