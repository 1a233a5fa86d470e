#include "engine/ruby_elements.h"

#include <gtest/gtest.h>

#include "tests/engine_test_util.h"

namespace yomika {
namespace {

using testing::Q;
using testing::Utf8;

// The base texts of the elements found, and the text of the first rt of each ("-": none).
struct Found {
  std::vector<std::string> bases;
  std::vector<std::string> ruby_texts;
};

Found Scan(const QString& html) {
  Found found;
  for (const RubyElementSpan& span : FindRubyElements(html)) {
    found.bases.push_back(Utf8(span.base));
    found.ruby_texts.push_back(
        span.rt_start < 0 ? "-" : Utf8(html.mid(span.rt_start, span.rt_end - span.rt_start)));
    EXPECT_TRUE(html.mid(span.start, 5).compare(QStringLiteral("<ruby"), Qt::CaseInsensitive) == 0);
  }
  return found;
}

TEST(RubyElementsTest, FindsElementsInDocumentOrder) {
  struct Case {
    const char* html;
    std::vector<std::string> bases;
    std::vector<std::string> ruby_texts;
  };
  const Case cases[] = {
      {"a<ruby>漢<rt>かん</rt></ruby>b<RUBY>字<RP>(</RP><RT>じ</RT><RP>)</RP></RUBY>",
       {"漢", "字"},
       {"かん", "じ"}},
      {"<!--<ruby>x<rt>y</rt></ruby>--><ruby>本<rt>ほん</rt></ruby>", {"本"}, {"ほん"}},
      {"<a title=\"<ruby>\">リンク</a><ruby>本<rt>ほん</rt></ruby>", {"本"}, {"ほん"}},
      {"<script>'<ruby>'</script><style><ruby></style><ruby>本<rt>ほん</rt></ruby>",
       {"本"},
       {"ほん"}},
      {"<TEXTAREA><ruby>x</textarea><title><ruby></TITLE><ruby>本</ruby>", {"本"}, {"-"}},
      {"<ruby><font color=\"#FF0000\">赤</font>&amp;&#x6F22;<rt>あか</rt></ruby>",
       {"赤&漢"},
       {"あか"}},
      {"<ruby>a<ruby>b<rt>c</rt></ruby><rt>d</rt></ruby>", {"a", "b"}, {"d", "c"}},
      {"<ruby>未完<rt>みかん", {"未完"}, {"みかん"}},
      {"<!DOCTYPE html><rubyx>no</rubyx>1 < 2", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.html);
    const Found found = Scan(Q(c.html));
    EXPECT_EQ(found.bases, c.bases);
    EXPECT_EQ(found.ruby_texts, c.ruby_texts);
  }
}

TEST(RubyElementsTest, SpansEndAfterTheClosingTag) {
  const QString html = QStringLiteral("a<ruby>漢<rt>かん</rt></ruby><!--<ruby>-->");
  const std::vector<RubyElementSpan> spans = FindRubyElements(html);
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_EQ(spans[0], (RubyElementSpan{1, 26, QStringLiteral("漢"), 12, 14}));
}

}  // namespace
}  // namespace yomika
