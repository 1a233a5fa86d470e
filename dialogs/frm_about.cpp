#include "dialogs/frm_about.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#if !defined(YOMIKA_VERSION_MAJOR) || !defined(YOMIKA_VERSION_MINOR) || \
    !defined(YOMIKA_VERSION_PATCH)
#error "YOMIKA_VERSION_MAJOR/MINOR/PATCH must come from the build (dialogs/CMakeLists.txt)"
#endif

namespace yomika {
namespace {

QLabel* AddLabel(QWidget* parent, const char* object_name, const QString& text) {
  auto* label = new QLabel(text, parent);  // owned by `parent`
  label->setObjectName(QLatin1String(object_name));
  return label;
}

}  // namespace

QString VersionLine(int major, int minor, int revision) {
  return QStringLiteral("Ver. %1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString BuildVersionLine() {
  return VersionLine(YOMIKA_VERSION_MAJOR, YOMIKA_VERSION_MINOR, YOMIKA_VERSION_PATCH);
}

QString ProjectWebAddress() {
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/README.html");
  const QString page =
      QFileInfo::exists(beside) ? beside : QStringLiteral(YOMIKA_README_PAGE);
  return QUrl::fromLocalFile(page).toString();
}

frmAbout::frmAbout(QWidget* owner, UrlOpener opener)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      opener_(std::move(opener)) {
  if (!opener_) {
    opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  }
  setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
  setModal(true);

  auto* image = AddLabel(this, "Image1", QString());
  image->setPixmap(QPixmap(QStringLiteral(":/about/logo.png")));
  image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  QLabel* maker_en = AddLabel(this, "Label6", QStringLiteral("YOMIKA Project"));
  QLabel* maker_ja = AddLabel(this, "Label1", QStringLiteral("読み仮名ツール工房"));
  QLabel* version = AddLabel(this, "lblVer", BuildVersionLine());

  const QString address = ProjectWebAddress();
  web_label_ = AddLabel(this, "Label4",
                        QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
  web_label_->setTextFormat(Qt::RichText);
  // The whole label is the link: clicks and Enter/Space anywhere on it open the address,
  // so the label handles them itself instead of QLabel's text hit-testing.
  web_label_->setTextInteractionFlags(Qt::NoTextInteraction);
  web_label_->setCursor(Qt::PointingHandCursor);
  web_label_->setFocusPolicy(Qt::StrongFocus);
  web_label_->setToolTip(address);
  web_label_->installEventFilter(this);

  auto* layout = new QGridLayout(this);  // owned by the dialog
  layout->addWidget(image, 0, 0, 4, 1);
  layout->addWidget(maker_ja, 0, 1);
  layout->addWidget(maker_en, 1, 1);
  layout->addWidget(version, 2, 1);
  layout->addWidget(web_label_, 3, 1);
  layout->setHorizontalSpacing(16);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmAbout::ShowModal(QWidget* owner) {
  frmAbout box(owner);
  box.exec();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == web_label_) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        web_label_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
      OpenWebAddress();
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        OpenWebAddress();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmAbout::OpenWebAddress() { opener_(QUrl(ProjectWebAddress())); }

}  // namespace yomika
