#include "mainwindow/export_target.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "dialogs/fake_common_dialog_backend.h"

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The window test writes a file in each format; these are the answers a dialog may give.
TEST(ExportTargetTest, FilterGivesTheFormatAndTheMissingExtension) {
  const struct {
    int filter;
    const char* chosen;
    OutputFormat format;
    const char* path;
  } cases[] = {
      {3, "/t/x.y/a", OutputFormat::kBrackets, "/t/x.y/a.txt"},  // a dot in a folder name
      {-1, "/t/a", OutputFormat::kHtml, "/t/a.html"},            // the dialog did not say
      {7, "/t/a", OutputFormat::kHtml, "/t/a.html"},
  };
  for (const auto& c : cases) {
    testing::FakeCommonDialogBackend dialogs;
    dialogs.file_answer = FileDialogAnswer{U(c.chosen), c.filter};
    const std::optional<ExportTarget> target = ChooseExportTarget(nullptr, dialogs);
    ASSERT_TRUE(target) << c.chosen;
    EXPECT_EQ(target->format, c.format) << c.filter;
    EXPECT_EQ(target->path, U(c.path)) << c.filter;
    EXPECT_TRUE(dialogs.questions.isEmpty());
  }
}

TEST(ExportTargetTest, AnAppendedExtensionThatHitsAFileAsksFirst) {
  QTemporaryDir dir;
  QFile existing(dir.filePath(QStringLiteral("a.txt")));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  testing::FakeCommonDialogBackend dialogs;
  dialogs.file_answer = FileDialogAnswer{dir.filePath(QStringLiteral("a")), 2};
  EXPECT_FALSE(ChooseExportTarget(nullptr, dialogs));
  EXPECT_EQ(dialogs.questions.size(), 1);
  dialogs.yes_no_answer = true;
  EXPECT_TRUE(ChooseExportTarget(nullptr, dialogs));
  dialogs.file_answer.reset();  // cancelled
  EXPECT_FALSE(ChooseExportTarget(nullptr, dialogs));
}

}  // namespace
}  // namespace yomika
