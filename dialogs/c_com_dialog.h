#ifndef YOMIKA_DIALOGS_C_COM_DIALOG_H_
#define YOMIKA_DIALOGS_C_COM_DIALOG_H_

// The common dialogs (open, save, colour, font, printer, help) driven through properties: set
// the properties, call a Show method, read the results back from the properties.
// Each property has a getter named like the property and, unless read-only, a setter named
// "Set" + the property name (SetFileName, Setflags, SethwndOwner). Everything starts at
// 0 / false / empty.
//
//   C_ComDialog dialog(backend);
//   dialog.SetFilter(QStringLiteral("Text (*.txt)|*.txt"));
//   dialog.SetCancelError(true);
//   try { dialog.ShowOpen(); } catch (const ComDialogCancelError&) { return; }
//   Load(dialog.FileName());

#include <QString>
#include <QStringList>
#include <cstdint>

#include "dialogs/com_dialog_error.h"
#include "dialogs/common_dialog_backend.h"

class QWidget;

namespace yomika {

// Bits of flags the file dialogs honour.
inline constexpr std::int32_t kOfnOverwritePrompt = 0x2;   // save: ask before replacing
inline constexpr std::int32_t kOfnFileMustExist = 0x1000;  // open only; save ignores it

// Action values after each Show method (ShowOpen and ShowSave leave Action as it was).
inline constexpr std::int16_t kActionColor = 3;
inline constexpr std::int16_t kActionFont = 4;
inline constexpr std::int16_t kActionPrinter = 5;
inline constexpr std::int16_t kActionHelp = 6;

// Turns a "label|pattern|label|pattern" filter into QFileDialog name filters. A pattern list
// "*.txt;*.log" becomes "*.txt *.log" and "*.*" becomes "*" (every file); a label already
// ending with its own pattern in parentheses is kept as it is.
// Example: "ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|All|*.*" → {"ﾃｷｽﾄﾌｧｲﾙ (*.txt)", "All (*)"};
//          "Docs|*.txt;*.md" → {"Docs (*.txt *.md)"}.
QStringList ToQtNameFilters(const QString& filter);

class C_ComDialog {
 public:
  // `backend` must outlive the object; the default shows the real Qt dialogs.
  explicit C_ComDialog(CommonDialogBackend& backend = DefaultCommonDialogBackend());

  // Open and save. OK: APIReturn 1, FileName the full path, FileTitle the name alone,
  // FilterIndex the filter in use (1-based). Cancel: APIReturn 0, FileName and FileTitle
  // unchanged, and ComDialogCancelError 2001 when CancelError is set.
  void ShowOpen();
  void ShowSave();
  // Action 3. OK: Color. Cancel with CancelError: ComDialogCancelError -2147220610
  // "Cancel Pressed".
  void ShowColor();
  // Action 4. OK: FontName, FontSize (rounded points), FontBold, FontItalic, FontUnderline,
  // FontStrikethru. Cancel with CancelError: ComDialogCancelError 2001.
  void ShowFont();
  // Action 5. OK: FromPage, ToPage, Min, Max, Copies. A value outside 0..65535 ends without
  // showing anything (APIReturn 0). Cancel with CancelError: ComDialogCancelError 2001.
  void ShowPrinter();
  // Action 6. Opens HelpFile with the desktop's viewer; APIReturn 1 on success, else 0.
  void ShowHelp();

  std::int16_t Action() const { return action_; }
  bool CancelError() const { return cancel_error_; }
  void SetCancelError(bool value) { cancel_error_ = value; }
  std::int32_t Color() const { return color_; }  // 0x00BBGGRR
  void SetColor(std::int32_t value) { color_ = value; }
  std::int32_t Copies() const { return copies_; }
  void SetCopies(std::int32_t value) { copies_ = value; }
  const QString& DefaultExt() const { return default_ext_; }
  void SetDefaultExt(const QString& value) { default_ext_ = value; }
  const QString& DialogTitle() const { return dialog_title_; }
  void SetDialogTitle(const QString& value) { dialog_title_ = value; }
  const QString& FileName() const { return file_name_; }
  void SetFileName(const QString& value) { file_name_ = value; }
  const QString& FileTitle() const { return file_title_; }
  const QString& Filter() const { return filter_; }
  void SetFilter(const QString& value) { filter_ = value; }
  std::int16_t FilterIndex() const { return filter_index_; }  // 1-based
  void SetFilterIndex(std::int16_t value) { filter_index_ = value; }
  std::int32_t flags() const { return flags_; }
  void Setflags(std::int32_t value) { flags_ = value; }
  bool FontBold() const { return font_bold_; }
  void SetFontBold(bool value) { font_bold_ = value; }
  bool FontItalic() const { return font_italic_; }
  void SetFontItalic(bool value) { font_italic_ = value; }
  const QString& FontName() const { return font_name_; }
  void SetFontName(const QString& value) { font_name_ = value; }
  float FontSize() const { return font_size_; }  // points
  void SetFontSize(float value) { font_size_ = value; }
  bool FontStrikethru() const { return font_strikethru_; }
  void SetFontStrikethru(bool value) { font_strikethru_ = value; }
  bool FontUnderline() const { return font_underline_; }
  void SetFontUnderline(bool value) { font_underline_ = value; }
  std::int32_t FromPage() const { return from_page_; }
  void SetFromPage(std::int32_t value) { from_page_ = value; }
  std::int32_t hdc() const { return 0; }  // no device context here
  std::int32_t HelpCommand() const { return help_command_; }
  void SetHelpCommand(std::int32_t value) { help_command_ = value; }
  std::int32_t HelpContext() const { return help_context_; }
  void SetHelpContext(std::int32_t value) { help_context_ = value; }
  const QString& HelpFile() const { return help_file_; }
  void SetHelpFile(const QString& value) { help_file_ = value; }
  const QString& HelpKey() const { return help_key_; }
  void SetHelpKey(const QString& value) { help_key_ = value; }
  const QString& InitDir() const { return init_dir_; }
  void SetInitDir(const QString& value) { init_dir_ = value; }
  std::int32_t Max() const { return max_; }
  void SetMax(std::int32_t value) { max_ = value; }
  std::int32_t MaxFileSize() const { return max_file_size_; }
  void SetMaxFileSize(std::int32_t value) { max_file_size_ = value; }
  std::int32_t Min() const { return min_; }
  void SetMin(std::int32_t value) { min_ = value; }
  bool PrinterDefault() const { return printer_default_; }
  void SetPrinterDefault(bool value) { printer_default_ = value; }
  std::int32_t ToPage() const { return to_page_; }
  void SetToPage(std::int32_t value) { to_page_ = value; }
  QWidget* hwndOwner() const { return owner_; }  // the window the dialogs are modal to
  void SethwndOwner(QWidget* value) { owner_ = value; }
  std::int32_t APIReturn() const { return api_return_; }
  std::int32_t ExtendedError() const { return extended_error_; }

 private:
  enum class FileDialogKind { kOpen, kSave };
  void ShowFileDialog(FileDialogKind kind);
  [[noreturn]] static void ThrowCancel(std::int32_t number, const QString& description);

  CommonDialogBackend& backend_;

  std::int16_t action_ = 0;
  bool cancel_error_ = false;
  std::int32_t color_ = 0;
  std::int32_t copies_ = 0;
  QString default_ext_;
  QString dialog_title_;
  QString file_name_;
  QString file_title_;
  QString filter_;
  std::int16_t filter_index_ = 0;
  std::int32_t flags_ = 0;
  bool font_bold_ = false;
  bool font_italic_ = false;
  QString font_name_;
  float font_size_ = 0;
  bool font_strikethru_ = false;
  bool font_underline_ = false;
  std::int32_t from_page_ = 0;
  std::int32_t help_command_ = 0;
  std::int32_t help_context_ = 0;
  QString help_file_;
  QString help_key_;
  QString init_dir_;
  std::int32_t max_ = 0;
  std::int32_t max_file_size_ = 0;
  std::int32_t min_ = 0;
  bool printer_default_ = false;
  std::int32_t to_page_ = 0;
  QWidget* owner_ = nullptr;
  std::int32_t api_return_ = 0;
  std::int32_t extended_error_ = 0;
};

}  // namespace yomika

#endif  // YOMIKA_DIALOGS_C_COM_DIALOG_H_
