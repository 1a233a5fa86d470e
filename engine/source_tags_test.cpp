#include "engine/source_tags.h"

#include <gtest/gtest.h>

namespace yomika {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

std::vector<qsizetype> Starts(const std::vector<ColourSpan>& spans) {
  std::vector<qsizetype> starts;
  for (const ColourSpan& s : spans) starts.push_back(s.start);
  return starts;
}

TEST(SourceTagsTest, TagSearchIgnoresCaseAndRestartsAfterEachOccurrence) {
  const QString text = Q("<ruby>漢字<rt>かんじ</rt></ruby><RUBY>x</RUBY>");
  EXPECT_EQ(Starts(FindTagOccurrences(text, u"<RUBY>", kTagColour)),
            (std::vector<qsizetype>{0, 27}));
  EXPECT_EQ(Starts(FindTagOccurrences(text, u"</RUBY>", kTagColour)),
            (std::vector<qsizetype>{20, 34}));
  EXPECT_EQ(Starts(FindTagOccurrences(text, u"<RT>", kTagColour)),
            (std::vector<qsizetype>{8}));
  EXPECT_TRUE(FindTagOccurrences(Q("<<<<"), u"<<", kTagColour).size() == 2);
}

TEST(SourceTagsTest, ReadingsBetweenRtTagsOnly) {
  const struct {
    const char* name;
    const char* text;
    std::vector<ColourSpan> expected;
  } cases[] = {
      {"plain element", "<ruby>漢字<rt>かんじ</rt></ruby>", {{12, 3, kRubyTextColour}}},
      {"bracketed element: <rp> is no <rt>, brackets stay uncoloured",
       "<ruby>漢字<rp>【</rp><rt>かんじ</rt><rp>】</rp></ruby>", {{22, 3, kRubyTextColour}}},
      {"upper case", "<RUBY>字<RT>じ</RT></RUBY>", {{11, 1, kRubyTextColour}}},
      {"empty reading", "<rt></rt>", {{4, 0, kRubyTextColour}}},
      {"opening tag without closing tag stops", "<rt>a</rt><rt>b", {{4, 1, kRubyTextColour}}},
      {"no tags", "ふつうの文", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindRubyTextSpans(Q(c.text)), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace yomika
