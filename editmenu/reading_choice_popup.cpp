#include "editmenu/reading_choice_popup.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace yomika {

ReadingChoicePopup::ReadingChoicePopup(QWidget* parent) : QFrame(parent, Qt::Popup) {
  setObjectName(QStringLiteral("frmReadingChoice"));
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  word_ = new QLabel(this);
  word_->setObjectName(QStringLiteral("lblWord"));
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("lstCandidates"));
  list_->setColumnCount(2);
  list_->setHeaderHidden(true);
  list_->setRootIsDecorated(false);
  list_->setIndentation(0);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  reading_ = new QLineEdit(this);
  reading_->setObjectName(QStringLiteral("txtReading"));
  reading_->setPlaceholderText(QStringLiteral("読みを入力"));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  remember_ = new QCheckBox(QStringLiteral("この語をいつもこう読む"), this);
  remember_->setObjectName(QStringLiteral("chkRemember"));
  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("lblMessage"));
  message_->setWordWrap(true);
  message_->setStyleSheet(QStringLiteral("color: #c00000"));
  message_->hide();

  auto* field = new QHBoxLayout;
  field->addWidget(reading_, 1);
  field->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(word_);
  layout->addWidget(list_, 1);
  layout->addLayout(field);
  layout->addWidget(remember_);
  layout->addWidget(message_);

  connect(list_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { ChooseLine(list_->indexOfTopLevelItem(item)); });
  connect(list_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { ChooseLine(list_->indexOfTopLevelItem(item)); });
  connect(reading_, &QLineEdit::returnPressed, this, &ReadingChoicePopup::ChooseTyped);
  connect(ok, &QPushButton::clicked, this, &ReadingChoicePopup::ChooseTyped);
}

void ReadingChoicePopup::Open(const QString& word, const std::vector<ChoiceLine>& lines,
                              const QPoint& global_at) {
  lines_ = lines;
  word_->setText(QStringLiteral("「%1」の読み").arg(word));
  list_->clear();
  QTreeWidgetItem* current = nullptr;
  for (const ChoiceLine& line : lines_) {
    auto* item = new QTreeWidgetItem(list_, {line.reading, line.label});
    item->setForeground(1, palette().placeholderText());
    if (line.current) {
      QFont bold = item->font(0);
      bold.setBold(true);
      item->setFont(0, bold);
      current = item;
    }
  }
  if (current != nullptr) list_->setCurrentItem(current);
  // As tall as its lines, up to ten.
  int rows_height = 0;
  for (int row = 0; row < std::min(list_->topLevelItemCount(), 10); ++row) {
    rows_height += std::max(list_->sizeHintForRow(row), list_->fontMetrics().height() + 4);
  }
  list_->setFixedHeight(rows_height + 2 * list_->frameWidth() + 2);
  reading_->clear();
  remember_->setChecked(false);
  ShowMessage(QString());
  adjustSize();
  // Below the ruby where it fits, else above it; always inside the screen.
  QRect place(global_at, size());
  if (const QScreen* screen = QGuiApplication::screenAt(global_at)) {
    const QRect area = screen->availableGeometry();
    if (place.right() > area.right()) place.moveRight(area.right());
    if (place.bottom() > area.bottom()) place.moveBottom(area.bottom());
    place.moveLeft(std::max(place.left(), area.left()));
    place.moveTop(std::max(place.top(), area.top()));
  }
  move(place.topLeft());
  show();
  list_->setFocus();
}

void ReadingChoicePopup::ChooseLine(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= lines_.size()) return;
  Choose({ShownToHiragana(lines_[row].reading), remember_->isChecked()});
}

void ReadingChoicePopup::ChooseTyped() {
  const Outcome<ReadingChoice> choice = TypedChoice(reading_->text(), remember_->isChecked());
  if (!choice) {
    ShowMessage(choice.reason());
    reading_->setFocus();
    return;
  }
  Choose(*choice);
}

QString ReadingChoicePopup::Message() const { return message_->text(); }

void ReadingChoicePopup::Choose(const ReadingChoice& choice) {
  // Closed first: the choice rewrites the page the popup points at.
  if (!isVisible()) return;
  hide();
  if (on_chosen_) on_chosen_(choice);
}

void ReadingChoicePopup::ShowMessage(const QString& text) {
  message_->setText(text);
  message_->setVisible(!text.isEmpty());
  adjustSize();
}

}  // namespace yomika
