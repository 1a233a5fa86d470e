#ifndef YOMIKA_COLOURDIALOG_FRM_FONT_COLOR_H_
#define YOMIKA_COLOURDIALOG_FRM_FONT_COLOR_H_

// The text colour dialog "文字色の設定": three channel scroll bars with decimal fields, the
// "#RRGGBB" text, a swatch and the list of named colours. All rules live in ColourModel; this
// class only copies the model to the widgets and user actions to the model.
//
// The result goes straight into the owner's `Color` and `OK` members, passed by reference: on
// "OK" `color` becomes the swatch colour and then `ok` becomes true; "ｷｬﾝｾﾙ", Esc and the close
// box touch neither. The caller applies the colour when `ok` is true and resets both.

#include <QDialog>
#include <array>
#include <optional>

#include "colourdialog/colour_model.h"
#include "engine/text.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QScrollBar;

namespace yomika {

class frmFontColor final : public QDialog {
  Q_OBJECT

 public:
  // Modal to `owner`, starting from `selection_colour` (no value: a selection of several colours,
  // shown as black). `color` and `ok` must outlive the dialog.
  frmFontColor(QWidget* owner, std::optional<Colour> selection_colour, Colour& color, bool& ok);

  // The colour the dialog currently holds.
  const ColourModel& Model() const { return model_; }

 private:
  void OnScrollBarMoved(int channel, int value);
  void OnFieldEdited(int channel, const QString& text);
  void OnNamedRowChosen();
  void OnOk();
  // Copies every model value to its widget without echoing the change back to the model.
  void ShowModel();

  ColourModel model_;
  Colour& color_;
  bool& ok_;
  bool showing_model_ = false;
  std::array<QScrollBar*, kChannelCount> bars_{};
  std::array<QLineEdit*, kChannelCount> fields_{};
  QLineEdit* hex_text_ = nullptr;
  QLabel* swatch_ = nullptr;
  QListWidget* list_ = nullptr;
};

// Builds a fresh dialog over `owner`, shows it modally and returns after it closes; true when the
// user pressed "OK" (then `Color` holds the chosen colour and `OK` is true). Example, from the
// main window: if (ShowFontColorDialog(this, txtKanji()->SelColor(), Color, OK)) {...}
bool ShowFontColorDialog(QWidget* owner, std::optional<Colour> selection_colour, Colour& Color,
                         bool& OK);

}  // namespace yomika

#endif  // YOMIKA_COLOURDIALOG_FRM_FONT_COLOR_H_
