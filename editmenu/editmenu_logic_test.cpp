#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "editmenu/anchor_insertion.h"
#include "editmenu/tag_insertion.h"
#include "options/tag_catalogue.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace yomika {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// A store on a fresh file holding `stored`, written as "key=value;key=value" with the key
// names href, name, target, TargetValue and alphabet.
class StoreTest : public ::testing::Test {
 protected:
  SettingsStore& Store(const char* stored) {
    store_ = std::make_unique<SettingsStore>(dir_.filePath(QStringLiteral("YOMIKA.ini")));
    for (const QString& pair : Q(stored).split(u';', Qt::SkipEmptyParts)) {
      const QString name = pair.section(u'=', 0, 0);
      const QString value = pair.section(u'=', 1);
      for (const SettingKey& key :
           {keys::kHref, keys::kName, keys::kTarget, keys::kTargetValue, keys::kAlphabet}) {
        if (name == QLatin1String(key.name)) store_->Save(key, value);
      }
    }
    return *store_;
  }
  QTemporaryDir dir_;
  std::unique_ptr<SettingsStore> store_;
};

struct AnchorCase {
  const char* stored;
  const char* selected;
  const char* expected;  // the text, or the failure message
};

class AnchorTest : public StoreTest, public ::testing::WithParamInterface<AnchorCase> {};

TEST_P(AnchorTest, BuildsTheAnchorOrNamesTheBadKey) {
  const Outcome<QString> text = InsertAnchor(Store(GetParam().stored), Q(GetParam().selected));
  EXPECT_EQ((text.ok() ? *text : text.reason()).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnchorTest,
    ::testing::ValuesIn(std::vector<AnchorCase>{
        // normal: the fresh store gives href only, its placeholder in lower case
        {"", "S", "<a href=\"xxxxx\">S</a>"},
        {"name=1", "S", "<a href=\"xxxxx\" name=\"xxxxx\">S</a>"},
        {"target=1", "S", "<a href=\"xxxxx\" target=\"_blank\">S</a>"},
        {"target=1;TargetValue=1", "S", "<a href=\"xxxxx\" target=\"_top\">S</a>"},
        {"name=1;target=1;TargetValue=1;alphabet=1", "S",
         "<A HREF=\"XXXXX\" NAME=\"XXXXX\" TARGET=\"_TOP\">S</A>"},
        {"href=0;target=1;alphabet=5", "S", "<A TARGET=\"_BLANK\">S</A>"},
        // edge
        {"href=0;name=0;target=0", "S", "<a>S</a>"},
        {"", "", "<a href=\"xxxxx\"></a>"},
        {"", "AbC", "<a href=\"xxxxx\">AbC</a>"},
        {"alphabet=1", "abc 漢字", "<A HREF=\"XXXXX\">abc 漢字</A>"},
        {"", "a\r\nb", "<a href=\"xxxxx\">a\r\nb</a>"},
        {"target=1;TargetValue=2", "S", "<a href=\"xxxxx\">S</a>"},
        {"target=1;TargetValue=-1", "S", "<a href=\"xxxxx\">S</a>"},
        {"href=-1", "S", "<a>S</a>"},
        {"href=2", "S", "<a>S</a>"},
        {"href=0;name= 1.0 ", "S", "<a name=\"xxxxx\">S</a>"},
        {"target=0;TargetValue=abc", "S", "<a href=\"xxxxx\">S</a>"},  // TargetValue unread
        // bad input: the first unreadable key in reading order is named
        {"href=abc", "S", "設定 anchor/href の値「abc」を数値として読めません。"},
        {"name=", "S", "設定 anchor/name の値「」を数値として読めません。"},
        {"target=x", "S", "設定 anchor/target の値「x」を数値として読めません。"},
        {"target=1;TargetValue=top", "S",
         "設定 anchor/TargetValue の値「top」を数値として読めません。"},
        {"alphabet=upper", "S", "設定 Default/alphabet の値「upper」を数値として読めません。"},
        {"name=?;alphabet=?", "S", "設定 anchor/name の値「?」を数値として読めません。"},
    }));

struct TagCase {
  int entry;
  const char* selected;
  const char* lower;  // alphabet = 0
  const char* upper;  // alphabet = 5
};

class TagTest : public StoreTest, public ::testing::WithParamInterface<TagCase> {};

TEST_P(TagTest, InsertsInBothCaseModes) {
  const TagEntry& entry = TagCatalogue()[GetParam().entry];
  const QString selected = Q(GetParam().selected);
  const Outcome<QString> lower =
      TagInsertion(entry.kind, TagText(entry), selected, Store("alphabet=0"));
  const Outcome<QString> upper =
      TagInsertion(entry.kind, TagText(entry), selected, Store("alphabet=5"));
  EXPECT_EQ((lower.ok() ? *lower : lower.reason()).toStdString(), GetParam().lower);
  EXPECT_EQ((upper.ok() ? *upper : upper.reason()).toStdString(), GetParam().upper);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagTest,
    ::testing::ValuesIn(std::vector<TagCase>{
        // normal: every entry of the catalogue
        {0, "S", "<a href=\"xxxxx\">S</a>", "<A HREF=\"XXXXX\">S</A>"},
        {1, "S", "<!-- S -->", "<!-- S -->"},
        {2, "", "<img src=\"xxxxx\">", "<IMG SRC=\"XXXXX\">"},
        {3, "", "<hr>", "<HR>"},
        {4, "", "<br>", "<BR>"},
        {5, "S", "<pre>S</pre>", "<PRE>S</PRE>"},
        {6, "S", "<b>S</b>", "<B>S</B>"},
        {7, "S", "<i>S</i>", "<I>S</I>"},
        {8, "S", "<u>S</u>", "<U>S</U>"},
        {9, "S", "<div>S</div>", "<DIV>S</DIV>"},
        {10, "S", "<span>S</span>", "<SPAN>S</SPAN>"},
        {11, "S", "<table>S</table>", "<TABLE>S</TABLE>"},
        {12, "S", "<tr>S</tr>", "<TR>S</TR>"},
        {13, "S", "<th>S</th>", "<TH>S</TH>"},
        {14, "S", "<td>S</td>", "<TD>S</TD>"},
        {15, "S", "<form>S</form>", "<FORM>S</FORM>"},
        {16, "", "<input type=\"xxxxx\" name=\"xxxxx\" value=\"xxxxx\">",
         "<INPUT TYPE=\"XXXXX\" NAME=\"XXXXX\" VALUE=\"XXXXX\">"},
        {17, "S", "<select>S</select>", "<SELECT>S</SELECT>"},
        {18, "S", "<option>S</option>", "<OPTION>S</OPTION>"},
        {19, "S", "<html>S</html>", "<HTML>S</HTML>"},
        {20, "S", "<head>S</head>", "<HEAD>S</HEAD>"},
        {21, "S", "<title>S</title>", "<TITLE>S</TITLE>"},
        {22, "S", "<body>S</body>", "<BODY>S</BODY>"},
        // edge: nothing selected gives the opening tag directly followed by the closing one
        {6, "", "<b></b>", "<B></B>"},
        {1, "", "<!--  -->", "<!--  -->"},
        // edge: the user's text never changes case
        {6, "AbC", "<b>AbC</b>", "<B>AbC</B>"},
        {11, "行1\r\n行2", "<table>行1\r\n行2</table>", "<TABLE>行1\r\n行2</TABLE>"},
        // edge: templates and single tags replace whatever is selected
        {2, "gone", "<img src=\"xxxxx\">", "<IMG SRC=\"XXXXX\">"},
        {4, "gone", "<br>", "<BR>"},
    }));

TEST_F(StoreTest, UnreadableLetterCaseFailsEveryKindButTheComment) {
  SettingsStore& store = Store("alphabet=abc");
  for (const TagEntry& entry : TagCatalogue()) {
    const Outcome<QString> text = TagInsertion(entry.kind, TagText(entry), Q("x"), store);
    if (entry.kind == InsertionKind::kCommentWrap) {
      EXPECT_EQ(text.ok() ? *text : text.reason(), Q("<!-- x -->"));
    } else {
      EXPECT_EQ(text.ok() ? *text : text.reason(),
                Q("設定 Default/alphabet の値「abc」を数値として読めません。"))
          << entry.tag;
    }
  }
}

// regression: the closing tag is built from the caption passed in, not from the catalogue.
TEST(TagInsertionTextTest, ClosingTagFollowsTheCaption) {
  EXPECT_EQ(TagInsertionText(InsertionKind::kWrap, Q("<X-Y>"), Q("s"), LetterCase::kUpper),
            Q("<X-Y>s</X-Y>"));
}

}  // namespace
}  // namespace yomika
