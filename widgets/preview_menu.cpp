#include "widgets/preview_menu.h"

#include <QMenu>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

QMenu* CreatePreviewMenu(QWebEngineView* view, const std::function<void()>& show_source) {
  auto* menu = new QMenu(view);  // owned by the view
  menu->setObjectName(QStringLiteral("mnuPreviewPopup"));
  QWebEnginePage* page = view->page();
  QAction* copy = menu->addAction(U("コピー(&C)"), view,
                                  [page] { page->triggerAction(QWebEnginePage::Copy); });
  copy->setEnabled(view->hasSelection());
  menu->addAction(U("すべて選択(&A)"), view,
                  [page] { page->triggerAction(QWebEnginePage::SelectAll); });
  menu->addSeparator();
  menu->addAction(U("再読み込み(&R)"), view, [view] { view->reload(); });
  // Later, from the event loop: switching the view closes and deletes this menu, and with
  // it this action, which must not be running then.
  menu->addAction(U("ソース表示(&V)"), view, [view, show_source] {
    if (show_source) QTimer::singleShot(0, view, show_source);
  });
  return menu;
}

void InstallPreviewMenu(QWebEngineView* view, std::function<void()> show_source) {
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(view, &QWidget::customContextMenuRequested, view,
                   [view, show_source = std::move(show_source)](const QPoint& at) {
                     QMenu* menu = CreatePreviewMenu(view, show_source);
                     menu->setAttribute(Qt::WA_DeleteOnClose);
                     menu->popup(view->mapToGlobal(at));
                   });
  QObject::connect(view, &QWebEngineView::loadFinished, view,
                   [view] { view->history()->clear(); });
}

}  // namespace yomika
