#include "options/setup_model.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "settings/setting_keys.h"
#include "settings/setting_readers.h"
#include "settings/settings_store.h"

namespace yomika {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

class SetupModelTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  SettingsStore store_{dir_.filePath(QStringLiteral("YOMIKA.ini"))};

  SetupModel Loaded() {
    SetupModel model;
    model.LoadSettings(store_);
    return model;
  }
  void Store(const SettingKey& key, const char* value) { store_.Save(key, Q(value)); }
};

// "Section/Key" → value, in writing order.
std::vector<std::pair<QString, QString>> Written(const SetupModel& model) {
  std::vector<std::pair<QString, QString>> written;
  for (const auto& [key, value] : model.ValuesToSave()) written.emplace_back(KeyPath(key), value);
  return written;
}

// --- normal ---

struct PresetCase {
  int start_mode;
  int mode;
  bool color, tags, readings, enabled;
};

TEST_F(SetupModelTest, SetModePresets) {
  const PresetCase cases[] = {
      // start   chosen      colour tags   readings enabled
      {kSetCustom, kSetNormal, true, true, true, false},
      {kSetNormal, kSetSimple, false, false, true, false},
      {kSetSimple, kSetCustom, false, false, true, true},  // custom keeps the simple preset
  };
  for (const PresetCase& c : cases) {
    SetupModel m;
    m.SelectSetMode(c.start_mode);
    m.create_color = m.color_tags = m.color_readings = false;
    if (c.start_mode == kSetSimple) m.color_readings = true;
    m.SelectSetMode(c.mode);
    EXPECT_EQ(m.create_color, c.color) << c.mode;
    EXPECT_EQ(m.color_tags, c.tags) << c.mode;
    EXPECT_EQ(m.color_readings, c.readings) << c.mode;
    EXPECT_EQ(m.process_boxes_enabled(), c.enabled) << c.mode;
  }
}

TEST_F(SetupModelTest, StyleChoices) {
  SetupModel m;
  m.SelectStyle(kStyleFree);
  EXPECT_TRUE(m.style_sheet_enabled());
  m.style_sheet = Q("P {}");
  m.SelectStyle(kStyleDefault);  // throws the edit away
  EXPECT_EQ(m.style_sheet, DefaultStyleSheet());
  EXPECT_FALSE(m.style_sheet_enabled());
  m.SelectStyle(kStyleFree);
  m.SelectStyle(kStyleNone);
  m.SelectStyle(kStyleFree);  // free → none → free: empty and editable
  EXPECT_EQ(m.style_sheet, QString());
  EXPECT_TRUE(m.style_sheet_enabled());
}

TEST_F(SetupModelTest, TagModes) {
  SetupModel m;
  m.set_tag_marked(3, true);
  m.SelectTagMode(kTagAll);
  for (int n = 0; n < keys::kTagListCount; ++n) EXPECT_TRUE(m.tag_marked(n)) << n;
  EXPECT_FALSE(m.tag_list_enabled());
  EXPECT_EQ(m.current_tag_entry(), 0);
  m.SelectTagMode(kTagCustom);  // keeps the marks
  EXPECT_TRUE(m.tag_marked(22));
  EXPECT_TRUE(m.tag_list_enabled());
  m.set_current_tag_entry(7);
  m.SelectTagMode(kTagNone);
  for (int n = 0; n < keys::kTagListCount; ++n) EXPECT_FALSE(m.tag_marked(n)) << n;
  EXPECT_EQ(m.current_tag_entry(), 0);
}

TEST_F(SetupModelTest, SaveWritesEveryKeyInOrderAndAllSelectedGivesMinusOne) {
  SetupModel m = Loaded();
  m.SelectTagMode(kTagAll);
  const auto values = m.ValuesToSave();
  const auto all = AllSettingKeys();
  ASSERT_EQ(values.size(), all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(KeyPath(values[i].first), KeyPath(all[i])) << i;
  }
  m.SaveSettings(store_);
  EXPECT_EQ(store_.Get(keys::kTagsChecked), Q("1"));
  for (int n = 0; n < keys::kTagListCount; ++n) {
    EXPECT_EQ(store_.Get(TagListKey(n)), Q("-1")) << n;
  }
  // Untouched keys are written too, with their shown values.
  EXPECT_EQ(store_.GetSetting(Q("Default"), Q("Convert"), Q("absent")), Q("2"));
  EXPECT_EQ(store_.GetSetting(Q("Preview"), Q("txtStyleSheet"), Q("absent")), DefaultStyleSheet());
  EXPECT_EQ(store_.GetSetting(Q("RUBY"), Q("RBSTART"), Q("absent")), Q("【"));
}

TEST_F(SetupModelTest, SaveThenLoadRoundTripsEveryControl) {
  SetupModel m;
  m.SelectSetMode(kSetCustom);
  m.create_color = false;
  m.SelectAlphabet(1);
  m.SelectConvert(0);
  m.clip_copy = true;
  m.SelectStyle(kStyleFree);
  m.style_sheet = Q("A {}\r\nB {}");
  m.backcolor = true;
  m.bg_color = Q("red");
  m.read_only = false;
  m.href = false;
  m.name = m.target = true;
  m.SelectTargetValue(1);
  m.SelectRubyScript(2);
  m.brackets = true;
  m.rb_start = QString();  // an empty bracket is stored as typed
  m.rb_end = Q(")");
  m.SelectRubyLevel(7);
  m.first_only = m.mono = true;
  m.set_tag_marked(22, true);
  m.SaveSettings(store_);
  const SetupModel r = Loaded();
  EXPECT_EQ(Written(r), Written(m));
  EXPECT_TRUE(r.unreadable_keys().isEmpty());
}

// --- edge: stored values the dialog never writes ---

struct OddCase {
  SettingKey key;
  const char* stored;
  const char* written_back;  // what OK then writes for the key
  bool listed;               // reported in unreadable_keys()
};

TEST_F(SetupModelTest, OddStoredValues) {
  const OddCase cases[] = {
      {keys::kMode, "3", "0", true},  // outside the group: the default preset
      {keys::kMode, "-1", "0", true},
      {keys::kMode, "1.4", "1", false},     // rounded like every 16-bit read
      {keys::kAlphabet, "5", "1", true},    // any non-zero is upper case
      {keys::kConvert, "7", "0", true},     // unknown converts nothing
      {keys::kConvert, "abc", "2", true},   // not a number: the default
      {keys::kStyleSheet, "3", "2", true},  // unknown writes the text bare, like なし
      {keys::kTargetValue, "2", "0", true},
      {keys::kRubyString, "1.9", "1", false},  // fraction dropped
      {keys::kRubyString, "3", "0", true},
      {keys::kTagsChecked, "9", "0", true},
      {keys::kCreateColor, "2", "0", false},  // a flag is on only for 1
      {keys::kHref, "-1", "0", false},
      {keys::kHref, "yes", "1", true},     // unreadable: the default
      {keys::kReadOnly, "2", "1", false},  // a truth flag is on for any non-zero
      {keys::kReadOnly, "0", "0", false},
      {keys::kChkRb, "1.7", "1", false},  // fraction dropped, then 1 is on
      {keys::kChkRb, "2", "0", false},
      {keys::kRubyLevel, "9", "0", true},  // outside the group: every kanji
      {keys::kRubyLevel, "8", "8", false},
      {keys::kMono, "x", "0", true},
      {TagListKey(5), "7", "-1", false},  // list flags: any non-zero is marked
      {TagListKey(5), "x", "0", true},
  };
  for (const OddCase& c : cases) {
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("odd.ini")));
    store.Save(c.key, Q(c.stored));
    SetupModel m;
    m.LoadSettings(store);
    const QString path = KeyPath(c.key);
    SCOPED_TRACE(path.toStdString() + " = " + c.stored);
    QString written;
    for (const auto& [key, value] : Written(m)) {
      if (key == path) written = value;
    }
    EXPECT_EQ(written, Q(c.written_back));
    EXPECT_EQ(m.unreadable_keys().contains(path), c.listed);
  }
}

TEST_F(SetupModelTest, StoredBoxesWinOverThePreset) {
  Store(keys::kMode, "0");
  Store(keys::kCreateColor, "0");
  const SetupModel m = Loaded();
  EXPECT_FALSE(m.create_color);
  EXPECT_TRUE(m.color_tags);
  EXPECT_FALSE(m.process_boxes_enabled());
}

TEST_F(SetupModelTest, StoredTextAndMarksWinOverTheRules) {
  Store(keys::kStyleSheet, "2");
  Store(keys::kTxtStyleSheet, "P {}");
  Store(keys::kTagsChecked, "1");
  Store(TagListKey(3), "-1");
  Store(TagListKey(4), "0");
  const SetupModel m = Loaded();
  EXPECT_EQ(m.style_sheet, Q("P {}"));
  EXPECT_TRUE(m.tag_marked(3));
  EXPECT_FALSE(m.tag_marked(4));
  EXPECT_FALSE(m.tag_marked(5));  // absent reads as "0", even with 全て選択 stored
  EXPECT_FALSE(m.tag_list_enabled());
}

TEST_F(SetupModelTest, LongStoredTextsAreKeptWhole) {
  Store(keys::kTxtBackcolor, "rgb(255, 0, 0)");
  Store(keys::kRbStart, "<<");
  const SetupModel m = Loaded();
  EXPECT_EQ(m.bg_color, Q("rgb(255, 0, 0)"));
  EXPECT_EQ(m.rb_start, Q("<<"));
}

// --- bad input ---

TEST_F(SetupModelTest, IndicesOutsideAGroupAreIgnored) {
  SetupModel m;
  m.SelectSetMode(5);
  m.SelectStyle(-1);
  m.SelectTagMode(3);
  m.SelectAlphabet(2);
  m.SelectConvert(3);
  m.SelectTargetValue(-1);
  m.SelectRubyScript(3);
  m.SelectRubyLevel(9);
  m.SelectRubyLevel(-1);
  m.set_tag_marked(23, true);
  m.set_tag_marked(-1, true);
  EXPECT_EQ(Written(m), Written(SetupModel()));
}

}  // namespace
}  // namespace yomika
