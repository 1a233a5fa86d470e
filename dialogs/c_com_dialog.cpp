#include "dialogs/c_com_dialog.h"

#include <QFileInfo>
#include <QFont>
#include <QUrl>
#include <cmath>

namespace yomika {
namespace {

QColor FromBgr(std::int32_t bgr) {
  const auto value = static_cast<std::uint32_t>(bgr);
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

std::int32_t ToBgr(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(rgb.red()) |
                                   (static_cast<std::uint32_t>(rgb.green()) << 8) |
                                   (static_cast<std::uint32_t>(rgb.blue()) << 16));
}

// A name handed over in a fixed-size buffer may carry padding: blanks and NULs.
QString WithoutPadding(const QString& name) {
  const qsizetype nul = name.indexOf(QChar(u'\0'));
  return (nul < 0 ? name : name.left(nul)).trimmed();
}

bool FitsInWord(std::int32_t value) { return value >= 0 && value <= 0xFFFF; }

}  // namespace

QStringList ToQtNameFilters(const QString& filter) {
  QStringList result;
  if (filter.isEmpty()) return result;
  const QStringList parts = filter.split(QLatin1Char('|'));
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString label = parts[i].trimmed();
    const QString raw_pattern = i + 1 < parts.size() ? parts[i + 1] : QString();
    QStringList patterns;
    for (const QString& piece : raw_pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString pattern = piece.trimmed();
      if (pattern.isEmpty()) continue;
      // "*.*" in a filter means every file; in Qt it would skip names without a dot.
      patterns.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
    }
    if (label.isEmpty() && patterns.isEmpty()) continue;
    if (patterns.isEmpty()) patterns.append(QStringLiteral("*"));
    const QString qt_patterns = patterns.join(QLatin1Char(' '));
    // QFileDialog reads the patterns from the last parentheses, so a label that already
    // ends with exactly these patterns can be shown unchanged.
    const QString suffix = QLatin1Char('(') + qt_patterns + QLatin1Char(')');
    if (label.endsWith(suffix)) {
      result.append(label);
    } else if (label.isEmpty()) {
      result.append(qt_patterns + QLatin1Char(' ') + suffix);
    } else {
      result.append(label + QLatin1Char(' ') + suffix);
    }
  }
  return result;
}

C_ComDialog::C_ComDialog(CommonDialogBackend& backend) : backend_(backend) {}

void C_ComDialog::ThrowCancel(std::int32_t number, const QString& description) {
  throw ComDialogCancelError(number, description);
}

void C_ComDialog::ShowOpen() { ShowFileDialog(FileDialogKind::kOpen); }

void C_ComDialog::ShowSave() { ShowFileDialog(FileDialogKind::kSave); }

void C_ComDialog::ShowFileDialog(FileDialogKind kind) {
  api_return_ = 0;
  extended_error_ = 0;

  FileDialogRequest request;
  request.owner = owner_;
  request.save = kind == FileDialogKind::kSave;
  // "File must exist" only makes sense when opening; a save dialog must accept new names.
  request.confirm_overwrite = request.save && (flags_ & kOfnOverwritePrompt) != 0;
  request.title = dialog_title_;
  request.initial_dir = init_dir_;
  request.initial_name = WithoutPadding(file_name_);
  request.default_suffix = default_ext_.trimmed();
  while (request.default_suffix.startsWith(QLatin1Char('.'))) request.default_suffix.remove(0, 1);
  request.name_filters = ToQtNameFilters(filter_);
  if (filter_index_ >= 1 && filter_index_ <= request.name_filters.size()) {
    request.selected_filter = filter_index_ - 1;
  }

  const std::optional<FileDialogAnswer> answer = backend_.ChooseFile(request);
  if (!answer || answer->path.isEmpty()) {
    if (cancel_error_) ThrowCancel(kComDialogCancelNumber, QString());
    return;
  }
  api_return_ = 1;
  file_name_ = answer->path;
  file_title_ = QFileInfo(answer->path).fileName();
  if (answer->filter_index >= 0 && answer->filter_index < request.name_filters.size()) {
    filter_index_ = static_cast<std::int16_t>(answer->filter_index + 1);
  }
}

void C_ComDialog::ShowColor() {
  action_ = kActionColor;
  api_return_ = 0;
  extended_error_ = 0;
  const std::optional<QColor> chosen = backend_.ChooseColor(owner_, dialog_title_, FromBgr(color_));
  if (!chosen || !chosen->isValid()) {
    if (cancel_error_) ThrowCancel(kColorDialogCancelNumber, QStringLiteral("Cancel Pressed"));
    return;
  }
  api_return_ = 1;
  color_ = ToBgr(*chosen);
}

void C_ComDialog::ShowFont() {
  action_ = kActionFont;
  api_return_ = 0;
  extended_error_ = 0;

  FontDialogRequest request;
  request.owner = owner_;
  request.title = dialog_title_;
  if (!font_name_.isEmpty()) request.initial.setFamily(font_name_);
  if (font_size_ > 0) request.initial.setPointSizeF(font_size_);
  request.initial.setBold(font_bold_);
  request.initial.setItalic(font_italic_);
  request.initial.setUnderline(font_underline_);
  request.initial.setStrikeOut(font_strikethru_);

  const std::optional<QFont> chosen = backend_.ChooseFont(request);
  if (!chosen) {
    if (cancel_error_) ThrowCancel(kComDialogCancelNumber, QString());
    return;
  }
  api_return_ = 1;
  font_name_ = chosen->family();
  if (chosen->pointSizeF() > 0) font_size_ = static_cast<float>(std::round(chosen->pointSizeF()));
  font_bold_ = chosen->bold();
  font_italic_ = chosen->italic();
  font_underline_ = chosen->underline();
  font_strikethru_ = chosen->strikeOut();
}

void C_ComDialog::ShowPrinter() {
  action_ = kActionPrinter;
  api_return_ = 0;
  extended_error_ = 0;
  // The page numbers travel in 16-bit fields; a value that does not fit ends the call
  // before anything is shown.
  for (const std::int32_t value : {from_page_, to_page_, min_, max_, copies_}) {
    if (!FitsInWord(value)) return;
  }
  const PrinterDialogValues initial{from_page_, to_page_, min_, max_, copies_};
  const std::optional<PrinterDialogValues> chosen = backend_.ChoosePrinter(owner_, initial);
  if (!chosen) {
    if (cancel_error_) ThrowCancel(kComDialogCancelNumber, QString());
    return;
  }
  api_return_ = 1;
  from_page_ = chosen->from_page;
  to_page_ = chosen->to_page;
  min_ = chosen->min_page;
  max_ = chosen->max_page;
  copies_ = chosen->copies;
}

void C_ComDialog::ShowHelp() {
  action_ = kActionHelp;
  extended_error_ = 0;
  const QString file = help_file_.trimmed();
  api_return_ = !file.isEmpty() && backend_.OpenUrl(QUrl::fromLocalFile(file)) ? 1 : 0;
}

}  // namespace yomika
