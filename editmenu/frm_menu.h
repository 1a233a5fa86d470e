#ifndef YOMIKA_EDITMENU_FRM_MENU_H_
#define YOMIKA_EDITMENU_FRM_MENU_H_

// The host of the two popup editing menus of the main window: mnuMenu for the input pane
// (cut, copy, paste, select all, text colour, the tag items, registering a word's reading)
// and mnuMenu2 for the source pane (cut, copy, paste, select all). A right button press on
// a pane opens its menu at the pointer; the commands act on that pane's selection.

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "engine/text.h"
#include "settings/settings_store.h"

class QAction;
class QMenu;
class QWidget;

namespace yomika {

class RichTextPane;

// What the menus ask of the main window.
struct FrmMenuCallbacks {
  // "COLOR": shows the text colour dialog and applies its result to the input pane.
  std::function<void()> on_colour;
  // "IME単語登録" with the selected word; null: the reading registration dialog, modal.
  std::function<void(const QString& word)> register_word;
  // A message about a setting that cannot be read; null: a warning message box.
  std::function<void(const QString& text)> warn;
};

class FrmMenu final : public QObject {
 public:
  // Builds both menus (mnuTag item 0 only, with an empty caption) and attaches them to the
  // panes: the panes' own context menus are switched off and a right button press on either
  // pane opens its menu. `owner` is the parent of the message boxes and dialogs.
  FrmMenu(QWidget* owner, SettingsStore& settings, RichTextPane* input, RichTextPane* source,
          FrmMenuCallbacks callbacks);
  ~FrmMenu() override;

  // Creates mnuTag items 1 … 22 after item 0 and captions all 23 with the catalogue's tags.
  // Called once at start-up; a second call changes nothing.
  void LoadTagMenu();

  // Right button on the input pane: tag item visibility from TAGS/LIST<n>, enabled states by
  // the selection; then the menu pops up at `global_position`.
  void OpenInputMenu(const QPoint& global_position);
  // Right button on the source pane: enabled states by the selection, then the popup.
  void OpenSourceMenu(const QPoint& global_position);

  // The menus and their items (object names as the items' names: mnuMenu, mnuCut, …).
  QMenu* mnuMenu() const { return menu_.get(); }
  QMenu* mnuMenu2() const { return menu2_.get(); }
  // mnuTag item n (0 … 22), nullptr when it does not exist (before LoadTagMenu).
  QAction* mnuTag(int n) const;
  int TagItemCount() const { return static_cast<int>(tags_.size()); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddItem(QMenu* menu, const char* object_name, const QString& caption,
                   std::function<void()> command);
  QAction* AddTagItem(int n, QAction* before);
  void Cut(RichTextPane* pane);
  void Copy(RichTextPane* pane);
  void Paste(RichTextPane* pane);
  void SelectAll(RichTextPane* pane);
  void InsertTag(int n);
  void RegisterWord();
  void Warn(const QString& text);

  QWidget* owner_;
  SettingsStore& settings_;
  RichTextPane* input_;
  RichTextPane* source_;
  FrmMenuCallbacks callbacks_;

  std::unique_ptr<QMenu> menu_;
  std::unique_ptr<QMenu> menu2_;
  QAction* cut_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* paste_ = nullptr;
  QAction* all_ = nullptr;
  QAction* color_ = nullptr;
  QAction* bar2_ = nullptr;
  QAction* set_ime_ = nullptr;
  QAction* cut2_ = nullptr;
  QAction* copy2_ = nullptr;
  QAction* paste2_ = nullptr;
  QAction* all2_ = nullptr;
  std::vector<QAction*> tags_;  // mnuTag items in index order, owned by menu_
};

// The end of the text colour command, after the colour dialog has closed: when `ok`, colours
// the pane's selection with `color` and resets `color` to 0 and `ok` to false; otherwise
// nothing changes.
void ApplyColourResult(Colour& color, bool& ok, RichTextPane& input);

}  // namespace yomika

#endif  // YOMIKA_EDITMENU_FRM_MENU_H_
