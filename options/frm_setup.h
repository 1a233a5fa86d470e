#ifndef YOMIKA_OPTIONS_FRM_SETUP_H_
#define YOMIKA_OPTIONS_FRM_SETUP_H_

// The options dialog "設定画面": seven tab pages that show every setting, the enabling rules
// between the controls, "OK" that writes every setting and "ｷｬﾝｾﾙ" that writes nothing.
// The state and the rules live in SetupModel; this class only shows it and forwards clicks.

#include <QDialog>
#include <array>
#include <functional>

#include "options/setup_model.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace yomika {

class SettingsStore;

// Builds a fresh options dialog over `owner`, shows it modally and returns when it has
// closed. `on_saved` runs after "OK" has written every setting (the owner re-applies the
// preview frame's enabled state from "Preview"/"ReadOnly"); it does not run on cancel.
void ShowSetupDialog(QWidget* owner, SettingsStore& store, std::function<void()> on_saved);

class frmSetup final : public QDialog {
  Q_OBJECT

 public:
  // Runs the opening steps: pages prepared, tab 1 current, FillTagList, LoadSettings.
  // `store` must outlive the dialog.
  explicit frmSetup(SettingsStore& store, QWidget* owner = nullptr);
  ~frmSetup() override;

  // Empties List1 and appends the 23 list texts of the tag catalogue.
  void FillTagList();
  // Copies every stored setting into the controls.
  void LoadSettings();
  // Copies every control into the store, then emits Saved(). When the store cannot be
  // written, says so (naming the file) before that: the settings hold for this session only.
  void SaveSettings();

  const SetupModel& model() const { return model_; }

 signals:
  // After "OK" wrote every setting, before the dialog closes.
  void Saved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildPages();
  void ConnectControls();
  // Puts the model's state into every control.
  void ShowModel();
  void TabSelected(int index);
  void ConfirmClicked();

  SettingsStore* store_;
  SetupModel model_;
  bool showing_ = false;  // true while ShowModel() sets controls, so no edit is fed back

  QTabWidget* tab_strip_ = nullptr;
  QButtonGroup* opt_alfa_ = nullptr;
  QButtonGroup* opt_conv_ = nullptr;
  QButtonGroup* opt_set_ = nullptr;
  QButtonGroup* opt_style_ = nullptr;
  QButtonGroup* opt_target_value_ = nullptr;
  QButtonGroup* opt_ruby_ = nullptr;
  QButtonGroup* opt_level_ = nullptr;
  QButtonGroup* opt_tag_ = nullptr;
  QCheckBox* chk_clip_board_copy_ = nullptr;
  QGroupBox* frame3_ = nullptr;
  QCheckBox* chk_color_ = nullptr;
  QCheckBox* chk_ruby_ = nullptr;
  QCheckBox* chk_string_ = nullptr;
  QCheckBox* chk_read_only_ = nullptr;
  QCheckBox* chk_backcolor_ = nullptr;
  QLabel* lbl_bg_color_ = nullptr;
  QLineEdit* txt_bg_color_ = nullptr;
  QPlainTextEdit* txt_style_sheet_ = nullptr;
  QCheckBox* chk_href_ = nullptr;
  QCheckBox* chk_name_ = nullptr;
  QCheckBox* chk_target_ = nullptr;
  std::array<QLabel*, 2> target_labels_{};
  QCheckBox* chk_rb_ = nullptr;
  QLineEdit* txt_rb_start_ = nullptr;
  QLineEdit* txt_rb_end_ = nullptr;
  QCheckBox* chk_first_only_ = nullptr;
  QCheckBox* chk_mono_ = nullptr;
  QGroupBox* frame6_ = nullptr;
  QListWidget* list1_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

}  // namespace yomika

#endif  // YOMIKA_OPTIONS_FRM_SETUP_H_
