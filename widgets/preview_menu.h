#ifndef YOMIKA_WIDGETS_PREVIEW_MENU_H_
#define YOMIKA_WIDGETS_PREVIEW_MENU_H_

// The preview's own right-click menu, in Japanese, instead of the browser's: コピー,
// すべて選択, 再読み込み and ソース表示 (the main window's source view). The preview keeps
// no history, so neither a menu nor a mouse button can go back to a stale page.

#include <QString>
#include <functional>

class QMenu;
class QWebEngineView;

namespace yomika {

// Builds the menu for `view` as it is now (コピー only with a selection); owned by `view`.
// `show_source` runs for ソース表示.
QMenu* CreatePreviewMenu(QWebEngineView* view, const std::function<void()>& show_source);

// Gives `view` that menu on a right click and drops its history after every load.
void InstallPreviewMenu(QWebEngineView* view, std::function<void()> show_source);

}  // namespace yomika

#endif  // YOMIKA_WIDGETS_PREVIEW_MENU_H_
