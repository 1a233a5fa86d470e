#include "editmenu/frm_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>

#include "editmenu/reading_registration_dialog.h"
#include "editmenu/tag_insertion.h"
#include "options/tag_catalogue.h"
#include "settings/setting_keys.h"
#include "settings/setting_readers.h"
#include "widgets/rich_text_pane.h"

namespace yomika {

FrmMenu::FrmMenu(QWidget* owner, SettingsStore& settings, RichTextPane* input, RichTextPane* source,
                 FrmMenuCallbacks callbacks)
    : owner_(owner),
      settings_(settings),
      input_(input),
      source_(source),
      callbacks_(std::move(callbacks)),
      menu_(std::make_unique<QMenu>(QStringLiteral("menu"))),
      menu2_(std::make_unique<QMenu>(QStringLiteral("menu2"))) {
  setObjectName(QStringLiteral("frmMenu"));
  menu_->setObjectName(QStringLiteral("mnuMenu"));
  menu2_->setObjectName(QStringLiteral("mnuMenu2"));

  cut_ = AddItem(menu_.get(), "mnuCut", QStringLiteral("切り取り(&T)"), [this] { Cut(input_); });
  copy_ = AddItem(menu_.get(), "mnuCopy", QStringLiteral("コピー(&C)"), [this] { Copy(input_); });
  paste_ =
      AddItem(menu_.get(), "mnuPaste", QStringLiteral("貼り付け(&P)"), [this] { Paste(input_); });
  all_ =
      AddItem(menu_.get(), "mnuAll", QStringLiteral("全て選択(&A)"), [this] { SelectAll(input_); });
  menu_->addSeparator()->setObjectName(QStringLiteral("mnuBar"));
  color_ = AddItem(menu_.get(), "mnuColor", QStringLiteral("COLOR"), [this] {
    if (callbacks_.on_colour) callbacks_.on_colour();
  });
  bar2_ = menu_->addSeparator();
  bar2_->setObjectName(QStringLiteral("mnuBar2"));
  set_ime_ =
      AddItem(menu_.get(), "mnuSetIME", QStringLiteral("IME単語登録"), [this] { RegisterWord(); });
  AddTagItem(0, bar2_);

  cut2_ =
      AddItem(menu2_.get(), "mnuCut2", QStringLiteral("切り取り(&T)"), [this] { Cut(source_); });
  copy2_ =
      AddItem(menu2_.get(), "mnuCopy2", QStringLiteral("コピー(&C)"), [this] { Copy(source_); });
  paste2_ = AddItem(menu2_.get(), "mnuPaste2", QStringLiteral("貼り付け(&P)"),
                    [this] { Paste(source_); });
  all2_ = AddItem(menu2_.get(), "mnuAll2", QStringLiteral("全て選択(&A)"),
                  [this] { SelectAll(source_); });

  // Only our menus: no built-in context menu, not even from the keyboard's menu key, and the
  // right button press reaches the viewport where the filter picks it up.
  for (RichTextPane* pane : {input_, source_}) {
    pane->setContextMenuPolicy(Qt::PreventContextMenu);
    pane->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    pane->viewport()->installEventFilter(this);
  }
}

FrmMenu::~FrmMenu() = default;

QAction* FrmMenu::AddItem(QMenu* menu, const char* object_name, const QString& caption,
                          std::function<void()> command) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromUtf8(object_name));
  connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
  return action;
}

QAction* FrmMenu::AddTagItem(int n, QAction* before) {
  auto* action = new QAction(menu_.get());
  action->setObjectName(QStringLiteral("mnuTag"));
  action->setProperty("index", n);
  menu_->insertAction(before, action);
  connect(action, &QAction::triggered, this, [this, n] { InsertTag(n); });
  tags_.push_back(action);
  return action;
}

void FrmMenu::LoadTagMenu() {
  const std::span<const TagEntry> catalogue = TagCatalogue();
  for (int n = TagItemCount(); n < static_cast<int>(catalogue.size()); ++n) AddTagItem(n, bar2_);
  for (int n = 0; n < TagItemCount(); ++n) tags_[n]->setText(TagText(catalogue[n]));
}

QAction* FrmMenu::mnuTag(int n) const {
  if (n < 0 || n >= TagItemCount()) return nullptr;
  return tags_[n];
}

void FrmMenu::OpenInputMenu(const QPoint& global_position) {
  // Read afresh every time, so choices confirmed in the options dialog apply at once. A
  // value that is not a truth value hides its item rather than blocking the menu.
  for (int n = 0; n < TagItemCount(); ++n) {
    tags_[n]->setVisible(ReadTruth(settings_, TagListKey(n)).value_or(false));
  }
  const bool selected = !input_->SelText().isEmpty();
  for (QAction* item : {cut_, copy_, color_, set_ime_}) item->setEnabled(selected);
  paste_->setEnabled(true);
  all_->setEnabled(true);
  const std::span<const TagEntry> catalogue = TagCatalogue();
  for (int n = 0; n < TagItemCount() && n < static_cast<int>(catalogue.size()); ++n) {
    tags_[n]->setEnabled(!selected || !ReplacesSelection(catalogue[n].kind));
  }
  menu_->popup(global_position);
}

void FrmMenu::OpenSourceMenu(const QPoint& global_position) {
  const bool selected = !source_->SelText().isEmpty();
  cut2_->setEnabled(selected);
  copy2_->setEnabled(selected);
  paste2_->setEnabled(true);
  all2_->setEnabled(true);
  menu2_->popup(global_position);
}

bool FrmMenu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
      const QPoint at = mouse->globalPosition().toPoint();
      if (watched == input_->viewport()) {
        OpenInputMenu(at);
        return true;
      }
      if (watched == source_->viewport()) {
        OpenSourceMenu(at);
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void FrmMenu::Cut(RichTextPane* pane) {
  Copy(pane);
  pane->SetSelText(QString());
}

void FrmMenu::Copy(RichTextPane* pane) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(pane->SelText());
}

void FrmMenu::Paste(RichTextPane* pane) {
  // No text on the clipboard reads as "", which deletes the selection like pasting nothing.
  pane->SetSelText(QGuiApplication::clipboard()->text());
}

void FrmMenu::SelectAll(RichTextPane* pane) {
  pane->SetSelStart(0);
  pane->SetSelLength(static_cast<int>(pane->Text().size()));
}

void FrmMenu::InsertTag(int n) {
  const std::span<const TagEntry> catalogue = TagCatalogue();
  if (n < 0 || n >= static_cast<int>(catalogue.size()) || n >= TagItemCount()) return;
  // The caption is read back from the item, so what is inserted is what the menu showed.
  const Outcome<QString> text =
      TagInsertion(catalogue[n].kind, tags_[n]->text(), input_->SelText(), settings_);
  if (!text) {
    Warn(text.reason());
    return;
  }
  input_->SetSelText(*text);
}

void FrmMenu::RegisterWord() {
  const QString word = input_->SelText();
  if (callbacks_.register_word) {
    callbacks_.register_word(word);
  } else {
    ShowReadingRegistrationDialog(owner_, word);
  }
}

void FrmMenu::Warn(const QString& text) {
  if (callbacks_.warn) {
    callbacks_.warn(text);
  } else {
    QMessageBox::warning(owner_, QStringLiteral("YOMIKA"), text);
  }
}

void ApplyColourResult(Colour& color, bool& ok, RichTextPane& input) {
  if (!ok) return;
  input.SetSelColor(color);
  color = 0;
  ok = false;
}

}  // namespace yomika
