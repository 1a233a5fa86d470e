#include "editmenu/reading_registration_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editmenu/reading_check.h"

namespace yomika {

ReadingRegistrationDialog::ReadingRegistrationDialog(const QString& word, QWidget* parent,
                                                     const QString& dictionary_path)
    : QDialog(parent), dictionary_(dictionary_path) {
  setObjectName(QStringLiteral("frmReadingRegistration"));
  setWindowTitle(QStringLiteral("単語の読みの登録"));

  word_ = new QLineEdit(word, this);
  word_->setObjectName(QStringLiteral("txtWord"));
  reading_ = new QLineEdit(this);
  reading_->setObjectName(QStringLiteral("txtReading"));
  reading_->setPlaceholderText(QStringLiteral("ひらがなかカタカナで入力"));

  list_ = new QTableWidget(0, 2, this);
  list_->setObjectName(QStringLiteral("lstWords"));
  list_->setHorizontalHeaderLabels({QStringLiteral("単語"), QStringLiteral("読み")});
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->verticalHeader()->hide();
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);

  remove_ = new QPushButton(QStringLiteral("削除(&D)"), this);
  remove_->setObjectName(QStringLiteral("cmdRemove"));
  remove_->setEnabled(false);

  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("lblMessage"));
  message_->setWordWrap(true);
  message_->setStyleSheet(QStringLiteral("color: #c00000;"));
  message_->hide();

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("登録(&R)"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cmdCancel"));

  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("単語(&W):"), word_);
  fields->addRow(QStringLiteral("読み(&Y):"), reading_);
  auto* list_buttons = new QHBoxLayout;
  list_buttons->addStretch();
  list_buttons->addWidget(remove_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(message_);
  layout->addWidget(new QLabel(QStringLiteral("登録済みの単語:"), this));
  layout->addWidget(list_, 1);
  layout->addLayout(list_buttons);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &ReadingRegistrationDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ReadingRegistrationDialog::reject);
  connect(remove_, &QPushButton::clicked, this, &ReadingRegistrationDialog::RemoveSelected);
  connect(list_, &QTableWidget::itemSelectionChanged, this,
          &ReadingRegistrationDialog::OnRowSelected);

  if (!dictionary_.Load()) {
    ShowMessage(QStringLiteral("読みの辞書 %1 を読めません。登録も削除もできません。")
                    .arg(dictionary_.path()));
  } else if (!dictionary_.problems().isEmpty()) {
    // Lines the dictionary skipped stay in the file; the user should know they are ignored.
    const DictionaryProblem& first = dictionary_.problems().first();
    ShowMessage(QStringLiteral("読みの辞書 %1 の %2 行を読み飛ばしました（%3 行目: %4）。")
                    .arg(dictionary_.path())
                    .arg(dictionary_.problems().size())
                    .arg(first.line)
                    .arg(first.message));
  }
  FillList();
  resize(420, 420);
  reading_->setFocus();
}

void ReadingRegistrationDialog::accept() {
  const QString word = word_->text().trimmed();
  const QString reading = reading_->text().trimmed();
  if (word.isEmpty()) {
    ShowMessage(QStringLiteral("単語を入力してください。"));
    word_->setFocus();
    return;
  }
  if (const std::optional<QString> problem = ReadingProblem(reading)) {
    ShowMessage(*problem);
    reading_->setFocus();
    return;
  }
  if (const std::optional<QString> error = dictionary_.Put({word, reading})) {
    ShowMessage(QStringLiteral("登録できませんでした。%1").arg(*error));
    FillList();
    return;
  }
  ShowMessage(QString());
  QDialog::accept();
}

void ReadingRegistrationDialog::RemoveSelected() {
  // The current row outlives a cleared selection, so only a selected line counts.
  const QList<QTableWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return;
  const QString word = list_->item(selected.first()->row(), 0)->text();
  if (const std::optional<QString> error = dictionary_.Remove(word)) {
    ShowMessage(QStringLiteral("削除できませんでした。%1").arg(*error));
  } else {
    ShowMessage(QString());
  }
  FillList();
}

QString ReadingRegistrationDialog::Message() const { return message_->text(); }

void ReadingRegistrationDialog::FillList() {
  const QList<ReadingEntry>& entries = dictionary_.entries();
  list_->clearSelection();
  list_->setRowCount(static_cast<int>(entries.size()));
  for (int row = 0; row < list_->rowCount(); ++row) {
    list_->setItem(row, 0, new QTableWidgetItem(entries[row].word));
    list_->setItem(row, 1, new QTableWidgetItem(entries[row].reading));
  }
  remove_->setEnabled(false);
}

void ReadingRegistrationDialog::ShowMessage(const QString& text) {
  message_->setText(text);
  message_->setVisible(!text.isEmpty());
}

void ReadingRegistrationDialog::OnRowSelected() {
  const QList<QTableWidgetItem*> selected = list_->selectedItems();
  remove_->setEnabled(!selected.isEmpty());
  if (selected.isEmpty()) return;
  // Choosing a line loads it into the fields, so registering again changes its reading.
  const int row = selected.first()->row();
  word_->setText(list_->item(row, 0)->text());
  reading_->setText(list_->item(row, 1)->text());
}

void ShowReadingRegistrationDialog(QWidget* owner, const QString& word) {
  ReadingRegistrationDialog dialog(word, owner);
  dialog.exec();
}

}  // namespace yomika
