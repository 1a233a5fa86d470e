// Runs every Qt Test class of the dialogs in one QApplication.
#include <QApplication>

namespace yomika::testing {
int RunComDialogTests(int argc, char** argv);
int RunAboutBoxTests(int argc, char** argv);
}  // namespace yomika::testing

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int failures = 0;
  failures += yomika::testing::RunComDialogTests(argc, argv);
  failures += yomika::testing::RunAboutBoxTests(argc, argv);
  return failures == 0 ? 0 : 1;
}
