#ifndef YOMIKA_DIALOGS_FRM_ABOUT_H_
#define YOMIKA_DIALOGS_FRM_ABOUT_H_

// The version information box: logo, maker, version and the address of the README page. It has no buttons; the
// window's close box (or Esc) closes it.

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

class QLabel;

namespace yomika {

// "Ver. major.minor.revision". Example: VersionLine(2, 10, 3) == "Ver. 2.10.3".
QString VersionLine(int major, int minor, int revision);

// The version line of this build.
QString BuildVersionLine();

// What the box links to: the README as a page, a file URL. The page built beside the
// program when it runs from its build folder, else the installed one
// (<prefix>/share/doc/yomika/README.html).
QString ProjectWebAddress();

// Opens a URL; false when nothing could open it.
using UrlOpener = std::function<bool(const QUrl&)>;

class frmAbout final : public QDialog {
  Q_OBJECT

 public:
  // Modal to `owner`. An empty `opener` opens links with QDesktopServices.
  explicit frmAbout(QWidget* owner, UrlOpener opener = {});

  // Builds a fresh box, shows it modally over `owner` and returns when it is closed.
  static void ShowModal(QWidget* owner);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Opens the web address; a failure is ignored (the address stays readable in the box).
  void OpenWebAddress();

  UrlOpener opener_;
  QLabel* web_label_ = nullptr;
};

}  // namespace yomika

#endif  // YOMIKA_DIALOGS_FRM_ABOUT_H_
