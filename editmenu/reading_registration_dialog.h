#ifndef YOMIKA_EDITMENU_READING_REGISTRATION_DIALOG_H_
#define YOMIKA_EDITMENU_READING_REGISTRATION_DIALOG_H_

// The dialog where the user gives a word its reading. The pair goes into the per-user reading
// dictionary, which every later conversion consults. It also lists the registered words so
// the user can check, change and remove them.

#include <QDialog>
#include <QString>

#include "reading/reading_dictionary.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace yomika {

class ReadingRegistrationDialog final : public QDialog {
  Q_OBJECT

 public:
  // Reads the dictionary at `dictionary_path` and opens with `word` filled in and the reading
  // empty. Child widgets: txtWord, txtReading, lstWords (columns word, reading), cmdRemove,
  // cmdOK, cmdCancel, lblMessage.
  explicit ReadingRegistrationDialog(
      const QString& word, QWidget* parent = nullptr,
      const QString& dictionary_path = ReadingDictionary::DefaultPath());

  // Registers the word with the reading and closes; when the word or reading is unusable or
  // the file cannot be written, shows why in lblMessage and stays open (nothing is written).
  void accept() override;

  // Removes the word of the selected list line from the dictionary; a failure is shown in
  // lblMessage and the list stays as the file is.
  void RemoveSelected();

  // The text lblMessage shows ("" when all is well).
  QString Message() const;
  const ReadingDictionary& dictionary() const { return dictionary_; }

 private:
  void FillList();
  void ShowMessage(const QString& text);
  void OnRowSelected();

  ReadingDictionary dictionary_;
  QLineEdit* word_ = nullptr;
  QLineEdit* reading_ = nullptr;
  QTableWidget* list_ = nullptr;
  QPushButton* remove_ = nullptr;
  QLabel* message_ = nullptr;
};

// Opens the dialog modally for `word` on the default dictionary, owned by `owner`.
void ShowReadingRegistrationDialog(QWidget* owner, const QString& word);

}  // namespace yomika

#endif  // YOMIKA_EDITMENU_READING_REGISTRATION_DIALOG_H_
