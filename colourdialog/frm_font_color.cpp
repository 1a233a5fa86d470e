#include "colourdialog/frm_font_color.h"

#include <QColor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "colourdialog/named_colours.h"
#include "widgets/whole_text_on_focus.h"

namespace yomika {
namespace {

constexpr std::array<const char*, kChannelCount> kChannelCaptions = {"R", "G", "B"};

template <typename Widget>
Widget* Named(Widget* widget, const QString& object_name) {
  widget->setObjectName(object_name);
  return widget;
}

// Control arrays are named like "colorRGB(1)" so a test or a script can find each element.
QString ArrayName(const char* base, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(base)).arg(index);
}

}  // namespace

frmFontColor::frmFontColor(QWidget* owner, std::optional<Colour> selection_colour, Colour& color,
                           bool& ok)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      model_(selection_colour),
      color_(color),
      ok_(ok) {
  setObjectName(QStringLiteral("frmFontColor"));
  setWindowTitle(QStringLiteral("文字色の設定"));
  setModal(true);

  // Every widget below is parented through its layout or constructor; Qt owns them.
  auto* rgb_frame =
      Named(new QGroupBox(QStringLiteral("RGB Color"), this), QStringLiteral("Frame2"));
  auto* rgb_grid = new QGridLayout(rgb_frame);
  for (int i = 0; i < kChannelCount; ++i) {
    auto* caption =
        Named(new QLabel(QLatin1String(kChannelCaptions[static_cast<std::size_t>(i)]), rgb_frame),
              ArrayName("Label", i));
    caption->setAlignment(Qt::AlignHCenter);

    QScrollBar* bar = Named(new QScrollBar(Qt::Vertical, rgb_frame), ArrayName("colorRGB", i));
    bar->setRange(0, kChannelMax);
    bar->setPageStep(16);
    bar->setMinimumHeight(160);
    connect(bar, &QScrollBar::valueChanged, this,
            [this, i](int value) { OnScrollBarMoved(i, value); });

    QLineEdit* field = Named(new QLineEdit(rgb_frame), ArrayName("lblColorValue", i));
    field->setMaxLength(3);
    field->setAlignment(Qt::AlignRight);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    SelectWholeTextOnFocus(field);
    connect(field, &QLineEdit::textEdited, this,
            [this, i](const QString& text) { OnFieldEdited(i, text); });

    rgb_grid->addWidget(caption, 0, i, Qt::AlignHCenter);
    rgb_grid->addWidget(bar, 1, i, Qt::AlignHCenter);
    rgb_grid->addWidget(field, 2, i, Qt::AlignHCenter);
    bars_[static_cast<std::size_t>(i)] = bar;
    fields_[static_cast<std::size_t>(i)] = field;
  }

  // Display only: what the user types here is never read, the next change rebuilds it.
  hex_text_ = Named(new QLineEdit(this), QStringLiteral("txtColour"));
  SelectWholeTextOnFocus(hex_text_);

  swatch_ = Named(new QLabel(this), QStringLiteral("lblRGBcolor"));
  swatch_->setAutoFillBackground(true);
  swatch_->setFrameShape(QFrame::Box);
  swatch_->setMinimumSize(64, 40);

  auto* named_frame =
      Named(new QGroupBox(QStringLiteral("Named Color"), this), QStringLiteral("Frame5"));
  list_ = Named(new QListWidget(named_frame), QStringLiteral("List1"));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSortingEnabled(false);
  list_->clear();
  for (int i = 0; i < kNamedColourCount; ++i) list_->addItem(NamedColourRowText(i));
  // Selection covers mouse and arrow keys; the click also re-applies a row already selected
  // after the bars have been moved away from it.
  connect(list_, &QListWidget::itemSelectionChanged, this, &frmFontColor::OnNamedRowChosen);
  connect(list_, &QListWidget::itemClicked, this, &frmFontColor::OnNamedRowChosen);
  auto* named_layout = new QVBoxLayout(named_frame);
  named_layout->addWidget(list_);

  // OK is the default button; a focused button (auto-default) takes Enter itself.
  auto* ok_button = Named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("Command2"));
  ok_button->setDefault(true);
  connect(ok_button, &QPushButton::clicked, this, &frmFontColor::OnOk);
  auto* cancel_button =
      Named(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this), QStringLiteral("Command1"));
  connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);

  auto* left = new QVBoxLayout;
  left->addWidget(rgb_frame);
  left->addWidget(hex_text_);
  left->addWidget(swatch_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_button);
  buttons->addWidget(cancel_button);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(named_frame, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);

  ShowModel();
}

void frmFontColor::OnScrollBarMoved(int channel, int value) {
  if (showing_model_) return;
  model_.SetScrollValue(channel, value);
  ShowModel();
}

void frmFontColor::OnFieldEdited(int channel, const QString& text) {
  if (showing_model_) return;
  model_.SetFieldText(channel, text);
  ShowModel();
}

void frmFontColor::OnNamedRowChosen() {
  if (showing_model_) return;
  const QListWidgetItem* item = list_->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  model_.SelectNamedRow(item->text());
  ShowModel();
}

void frmFontColor::OnOk() {
  color_ = model_.Swatch();
  ok_ = true;
  accept();
}

void frmFontColor::ShowModel() {
  showing_model_ = true;
  for (int i = 0; i < kChannelCount; ++i) {
    bars_[static_cast<std::size_t>(i)]->setValue(model_.ScrollValue(i));
    QLineEdit* field = fields_[static_cast<std::size_t>(i)];
    // Rewriting an unchanged text would move the caret while the user types.
    if (field->text() != model_.FieldText(i)) field->setText(model_.FieldText(i));
  }
  if (hex_text_->text() != model_.HexText()) hex_text_->setText(model_.HexText());
  const Colour c = model_.Swatch();
  QPalette palette = swatch_->palette();
  palette.setColor(QPalette::Window, QColor(ChannelOf(c, 0), ChannelOf(c, 1), ChannelOf(c, 2)));
  swatch_->setPalette(palette);
  showing_model_ = false;
}

bool ShowFontColorDialog(QWidget* owner, std::optional<Colour> selection_colour, Colour& Color,
                         bool& OK) {
  frmFontColor dialog(owner, selection_colour, Color, OK);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace yomika
