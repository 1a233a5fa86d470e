#ifndef YOMIKA_EDITMENU_READING_CHOICE_POPUP_H_
#define YOMIKA_EDITMENU_READING_CHOICE_POPUP_H_

// The small popup at a ruby element of the preview where the author picks its reading: the
// candidates with where each comes from, a field for a reading of one's own (checked as the
// registration dialog checks it), and 「この語をいつもこう読む」, which also stores the word in the
// user's reading dictionary. A click on a line or Enter chooses; Escape or a click elsewhere
// closes without a choice.

#include <QFrame>
#include <functional>
#include <vector>

#include "editmenu/reading_choice.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

namespace yomika {

class ReadingChoicePopup final : public QFrame {
  Q_OBJECT

 public:
  // Child widgets: lblWord, lstCandidates (columns reading, source), txtReading,
  // chkRemember, lblMessage, cmdOK.
  explicit ReadingChoicePopup(QWidget* parent = nullptr);

  // Shows the choices for `word` with its top left corner at `global_at`, kept on the screen;
  // the check box starts unticked, the field empty, the current line selected.
  void Open(const QString& word, const std::vector<ChoiceLine>& lines, const QPoint& global_at);
  void SetChosenCallback(std::function<void(const ReadingChoice&)> callback) {
    on_chosen_ = std::move(callback);
  }

  // Chooses line `row` of the list, as a click on it does.
  void ChooseLine(int row);
  // Chooses the typed reading, as OK and Enter in the field do; a reading the check refuses
  // is explained in lblMessage and the popup stays open.
  void ChooseTyped();
  QString Message() const;

 private:
  void Choose(const ReadingChoice& choice);
  void ShowMessage(const QString& text);

  std::vector<ChoiceLine> lines_;
  QLabel* word_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QLineEdit* reading_ = nullptr;
  QCheckBox* remember_ = nullptr;
  QLabel* message_ = nullptr;
  std::function<void(const ReadingChoice&)> on_chosen_;
};

}  // namespace yomika

#endif  // YOMIKA_EDITMENU_READING_CHOICE_POPUP_H_
