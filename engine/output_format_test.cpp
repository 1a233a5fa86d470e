#include "engine/output_format.h"

#include <gtest/gtest.h>

#include "engine/html5_document.h"
#include "tests/engine_test_util.h"

namespace yomika {
namespace {

using testing::Q;
using testing::SettingsWith;
using testing::Utf8;

TEST(OutputFormatTest, Html5PageCarriesTheStyleAndBackgroundSettings) {
  const struct {
    testing::KeyValues settings;
    const char* head_and_body_tag;
  } cases[] = {
      {{{"Preview/txtStyleSheet", "RT {}"}}, "<style>\r\nRT {}\r\n</style>\r\n</head>\r\n<body>"},
      {{{"Preview/StyleSheet", "2"}, {"Preview/txtStyleSheet", ""}}, "</head>\r\n<body>"},
      {{{"Preview/StyleSheet", "2"},
        {"Preview/txtStyleSheet", "<link rel=\"x\">"},
        {"Preview/Backcolor", "1"},
        {"Preview/txtBackcolor", "#FF\"0"}},
       "<link rel=\"x\">\r\n</head>\r\n<body style=\"background-color:#FF&quot;0\">"},
  };
  for (const auto& c : cases) {
    const Outcome<QString> page = Html5Document(Q("本文"), SettingsWith(c.settings));
    ASSERT_TRUE(page) << page.reason().toStdString();
    EXPECT_EQ(Utf8(*page), std::string("<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n"
                                       "<meta charset=\"utf-8\">\r\n") +
                               c.head_and_body_tag + "\r\n本文\r\n</body>\r\n</html>\r\n");
  }
  EXPECT_FALSE(Html5Document(Q(""), SettingsWith({{"Preview/Backcolor", "x"}})));
}

TEST(OutputFormatTest, OnlyTheHtmlPageIsShiftJis) {
  const EngineSettings settings = SettingsWith({});
  const QString body = Q("漢𠮷");
  const Outcome<QString> page = OutputText(body, settings, OutputFormat::kHtml, true);
  ASSERT_TRUE(page);
  EXPECT_TRUE(page->startsWith(Q("<HTML>")));
  EXPECT_TRUE(OutputBytes(*page, OutputFormat::kHtml, true).contains("&#x20BB7;"));
  EXPECT_EQ(*OutputText(body, settings, OutputFormat::kHtml, false), body);
  EXPECT_EQ(*OutputText(body, settings, OutputFormat::kAozora, true), body);
  EXPECT_TRUE(OutputText(body, settings, OutputFormat::kHtml5, false)->startsWith(Q("<!DOCTYPE")));
  for (const OutputFormat format :
       {OutputFormat::kHtml5, OutputFormat::kAozora, OutputFormat::kBrackets}) {
    EXPECT_EQ(OutputBytes(body, format, true), body.toUtf8());
  }
}

}  // namespace
}  // namespace yomika
