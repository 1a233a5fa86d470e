#include "options/frm_setup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "options/tag_catalogue.h"
#include "settings/settings_store.h"

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr int kTagPage = 6;

QCheckBox* AddCheckBox(QWidget* parent, QLayout* layout, const char* name, const char* caption) {
  auto* box = new QCheckBox(U(caption), parent);  // owned by `parent`
  box->setObjectName(QLatin1String(name));
  layout->addWidget(box);
  return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption) {
  auto* label = new QLabel(U(caption), parent);  // owned by `parent`
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

// An option group: buttons named "<name>_<index>" in a QButtonGroup named `name`, whose ids
// are the indices stored for the group; the buttons go into `layout` unless it is null.
QButtonGroup* AddOptionGroup(QWidget* parent, QLayout* layout, const char* name,
                             std::initializer_list<const char*> captions) {
  auto* group = new QButtonGroup(parent);  // owned by `parent`
  group->setObjectName(QLatin1String(name));
  int index = 0;
  for (const char* caption : captions) {
    auto* button = new QRadioButton(U(caption), parent);
    button->setObjectName(QLatin1String(name) + QLatin1Char('_') + QString::number(index));
    group->addButton(button, index);
    if (layout != nullptr) layout->addWidget(button);
    ++index;
  }
  return group;
}

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const char* caption) {
  auto* box = new QGroupBox(U(caption), parent);  // owned by `parent`
  box->setObjectName(QLatin1String(name));
  return box;
}

void Check(QButtonGroup* group, int index) {
  if (QAbstractButton* button = group->button(index)) button->setChecked(true);
}

// A one-line field's typing limit; a longer stored text widens it so that it is shown and
// written back whole instead of being cut.
void SetLimitedText(QLineEdit* edit, const QString& text, int limit) {
  edit->setMaxLength(std::max(limit, static_cast<int>(text.size())));
  if (edit->text() != text) edit->setText(text);
}

// The text area works with LF; the store keeps CR LF line breaks.
QString ToEditor(const QString& stored) {
  QString text = stored;
  return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}
QString FromEditor(const QString& shown) {
  QString text = shown;
  return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

}  // namespace

void ShowSetupDialog(QWidget* owner, SettingsStore& store, std::function<void()> on_saved) {
  frmSetup dialog(store, owner);
  if (on_saved) QObject::connect(&dialog, &frmSetup::Saved, &dialog, std::move(on_saved));
  dialog.exec();
}

frmSetup::frmSetup(SettingsStore& store, QWidget* owner) : QDialog(owner), store_(&store) {
  setObjectName(QStringLiteral("frmSetup"));
  setWindowTitle(U("設定画面"));
  setModal(true);
  BuildPages();
  ConnectControls();
  tab_strip_->setCurrentIndex(0);
  FillTagList();
  LoadSettings();
}

frmSetup::~frmSetup() = default;

void frmSetup::BuildPages() {
  auto* layout = new QVBoxLayout(this);  // owned by the dialog
  tab_strip_ = new QTabWidget(this);
  tab_strip_->setObjectName(QStringLiteral("TabStrip1"));
  tab_strip_->setUsesScrollButtons(false);  // all seven tabs in view
  layout->addWidget(tab_strip_);

  // 1: tag letter case and line-break conversion.
  auto* fra_normal = new QWidget(tab_strip_);
  fra_normal->setObjectName(QStringLiteral("fraNormal"));
  auto* normal_layout = new QVBoxLayout(fra_normal);
  QGroupBox* frame1 = MakeGroupBox(fra_normal, "Frame1", "タグ文字");
  opt_alfa_ =
      AddOptionGroup(frame1, new QVBoxLayout(frame1), "optAlfa", {"英字小文字", "英字大文字"});
  QGroupBox* fra_conv = MakeGroupBox(fra_normal, "fraConv", "改行コード変換");
  opt_conv_ = AddOptionGroup(fra_conv, new QVBoxLayout(fra_conv), "optConv",
                             {"変換しない", "改行→<BR>", "改行→<BR>改行"});
  normal_layout->addWidget(frame1);
  normal_layout->addWidget(fra_conv);
  normal_layout->addStretch();
  tab_strip_->addTab(fra_normal, U("\u3000基本\u3000"));

  // 2: processing preset.
  QGroupBox* fra_speed = MakeGroupBox(tab_strip_, "fraSpeed", "処理設定");
  auto* speed_layout = new QVBoxLayout(fra_speed);
  chk_clip_board_copy_ = AddCheckBox(fra_speed, speed_layout, "chkClipBoardCopy",
                                     "タグ生成時にクリップボードにコピー");
  opt_set_ =
      AddOptionGroup(fra_speed, speed_layout, "optSet", {"通常処理", "単純処理", "カスタマイズ"});
  frame3_ = MakeGroupBox(fra_speed, "Frame3", "処理内容");
  auto* frame3_layout = new QVBoxLayout(frame3_);
  chk_color_ = AddCheckBox(frame3_, frame3_layout, "chkColor", "色の指定タグの生成");
  chk_ruby_ = AddCheckBox(frame3_, frame3_layout, "chkRUBY", "<RUBY>,<RT>タグの色変更");
  chk_string_ = AddCheckBox(frame3_, frame3_layout, "chkString", "ルビ文字の色変更");
  speed_layout->addWidget(frame3_);
  speed_layout->addStretch();
  tab_strip_->addTab(fra_speed, U("処理設定"));

  // 3: preview.
  auto* fra_preview = new QWidget(tab_strip_);
  fra_preview->setObjectName(QStringLiteral("fraPreview"));
  auto* preview_layout = new QVBoxLayout(fra_preview);
  chk_read_only_ = AddCheckBox(fra_preview, preview_layout, "chkReadOnly", "読み取り専用");
  QGroupBox* fra_back_color = MakeGroupBox(fra_preview, "fraBackColor", "背景色");
  auto* back_layout = new QHBoxLayout(fra_back_color);
  chk_backcolor_ = AddCheckBox(fra_back_color, back_layout, "chkBackcolor", "背景色指定");
  lbl_bg_color_ = MakeLabel(fra_back_color, "lblBgColor", "bgcolor=");
  txt_bg_color_ = new QLineEdit(fra_back_color);
  txt_bg_color_->setObjectName(QStringLiteral("txtBgColor"));
  txt_bg_color_->setMaxLength(kBgColorMaxLength);
  lbl_bg_color_->setBuddy(txt_bg_color_);
  back_layout->addWidget(lbl_bg_color_);
  back_layout->addWidget(txt_bg_color_);
  back_layout->addStretch();
  QGroupBox* frame2 = MakeGroupBox(fra_preview, "Frame2", "スタイルシートの設定");
  auto* frame2_layout = new QVBoxLayout(frame2);
  auto* style_buttons = new QHBoxLayout();
  frame2_layout->addLayout(style_buttons);
  opt_style_ = AddOptionGroup(frame2, style_buttons, "optStyle", {"初期値", "自由設定", "なし"});
  txt_style_sheet_ = new QPlainTextEdit(frame2);
  txt_style_sheet_->setObjectName(QStringLiteral("txtStyleSheet"));
  txt_style_sheet_->setLineWrapMode(QPlainTextEdit::NoWrap);
  txt_style_sheet_->setTabChangesFocus(true);
  frame2_layout->addWidget(txt_style_sheet_);
  preview_layout->addWidget(fra_back_color);
  preview_layout->addWidget(frame2);
  tab_strip_->addTab(fra_preview, U("プレビュー"));

  // 4: anchors.
  QGroupBox* fra_a = MakeGroupBox(tab_strip_, "fraA", "アンカーの設定");
  auto* a_layout = new QGridLayout(fra_a);
  chk_href_ = new QCheckBox(U("href 指定"), fra_a);
  chk_href_->setObjectName(QStringLiteral("chkhref"));
  chk_name_ = new QCheckBox(U("name 指定"), fra_a);
  chk_name_->setObjectName(QStringLiteral("chkName"));
  chk_target_ = new QCheckBox(U("target 指定"), fra_a);
  chk_target_->setObjectName(QStringLiteral("chkTarget"));
  a_layout->addWidget(chk_href_, 0, 0);
  a_layout->addWidget(MakeLabel(fra_a, "lblHref", "（移動先URLの指定）"), 0, 1);
  a_layout->addWidget(chk_name_, 1, 0);
  a_layout->addWidget(MakeLabel(fra_a, "lblName", "（名前の指定）"), 1, 1);
  a_layout->addWidget(chk_target_, 2, 0);
  auto* fra_target = new QFrame(fra_a);
  fra_target->setObjectName(QStringLiteral("fraTarget"));
  auto* target_layout = new QGridLayout(fra_target);
  // Placed in the grid below, beside their labels.
  opt_target_value_ =
      AddOptionGroup(fra_target, nullptr, "optTargetValue", {"_blank", "_top"});
  target_labels_ = {MakeLabel(fra_target, "lblBlank", "（別ウィンドウを開く）"),
                    MakeLabel(fra_target, "lblTop", "（表示中のウィンドウで表示）")};
  for (int i = 0; i < 2; ++i) {
    target_layout->addWidget(opt_target_value_->button(i), i, 0);
    target_layout->addWidget(target_labels_[i], i, 1);
  }
  a_layout->addWidget(fra_target, 3, 0, 1, 2);
  a_layout->setRowStretch(4, 1);
  tab_strip_->addTab(fra_a, U("<Ａ>アンカー"));

  // 5: ruby.
  QGroupBox* fra_ruby = MakeGroupBox(tab_strip_, "fraRuby", "ルビの設定");
  auto* ruby_layout = new QVBoxLayout(fra_ruby);
  QGroupBox* frame5 = MakeGroupBox(fra_ruby, "Frame5", "ルビ");
  opt_ruby_ = AddOptionGroup(frame5, new QVBoxLayout(frame5), "optRUBY",
                             {"全角ひらがな", "全角カタカナ", "半角ｶﾀｶﾅ"});
  ruby_layout->addWidget(frame5);
  chk_rb_ = AddCheckBox(fra_ruby, ruby_layout, "chkRB", "非対応ブラウザ設定");
  QGroupBox* frame4 = MakeGroupBox(fra_ruby, "Frame4", "");
  auto* frame4_layout = new QGridLayout(frame4);
  txt_rb_start_ = new QLineEdit(frame4);
  txt_rb_start_->setObjectName(QStringLiteral("txtRBStart"));
  txt_rb_end_ = new QLineEdit(frame4);
  txt_rb_end_->setObjectName(QStringLiteral("txtRBEnd"));
  for (QLineEdit* bracket : {txt_rb_start_, txt_rb_end_}) {
    bracket->setMaxLength(kBracketMaxLength);
    bracket->setMaximumWidth(bracket->fontMetrics().horizontalAdvance(U("【【【")));
  }
  frame4_layout->addWidget(txt_rb_start_, 0, 0);
  frame4_layout->addWidget(MakeLabel(frame4, "lblRBStart", "開始文字"), 0, 1);
  frame4_layout->addWidget(txt_rb_end_, 1, 0);
  frame4_layout->addWidget(MakeLabel(frame4, "lblRBEnd", "終了文字"), 1, 1);
  ruby_layout->addWidget(frame4);
  ruby_layout->addStretch();
  tab_strip_->addTab(fra_ruby, U("<ＲＵＢＹ>ルビ"));

  // 6: which kanji runs get ruby, and in how many elements.
  auto* fra_ruby_target = new QWidget(tab_strip_);
  fra_ruby_target->setObjectName(QStringLiteral("fraRubyTarget"));
  auto* ruby_target_layout = new QVBoxLayout(fra_ruby_target);
  QGroupBox* frame7 = MakeGroupBox(fra_ruby_target, "Frame7", "ルビを付ける漢字");
  opt_level_ = AddOptionGroup(
      frame7, new QVBoxLayout(frame7), "optLevel",
      {"すべての漢字", "小学1年で習う漢字を除く", "小学2年までに習う漢字を除く",
       "小学3年までに習う漢字を除く", "小学4年までに習う漢字を除く", "小学5年までに習う漢字を除く",
       "小学6年までに習う漢字を除く", "常用漢字を除く", "常用漢字と人名用漢字を除く"});
  ruby_target_layout->addWidget(frame7);
  chk_first_only_ =
      AddCheckBox(fra_ruby_target, ruby_target_layout, "chkFirstOnly", "同じ語は最初の1回だけ");
  chk_mono_ = AddCheckBox(fra_ruby_target, ruby_target_layout, "chkMono",
                          "1字ずつ（読みを漢字ごとに分けられる語）");
  ruby_target_layout->addStretch();
  tab_strip_->addTab(fra_ruby_target, U("ルビの対象"));

  // 7: tags shown in the input pane's popup menu.
  auto* fra_add_tag = new QWidget(tab_strip_);
  fra_add_tag->setObjectName(QStringLiteral("fraAddTag"));
  auto* add_tag_layout = new QHBoxLayout(fra_add_tag);
  frame6_ = MakeGroupBox(fra_add_tag, "Frame6", "");
  list1_ = new QListWidget(frame6_);
  list1_->setObjectName(QStringLiteral("List1"));
  // Monospaced, so that the descriptions line up in their column.
  QFont list_font = list1_->font();
  list_font.setStyleHint(QFont::TypeWriter);
  list_font.setFamily(QStringLiteral("monospace"));
  list1_->setFont(list_font);
  (new QVBoxLayout(frame6_))->addWidget(list1_);
  auto* tag_buttons = new QVBoxLayout();
  opt_tag_ =
      AddOptionGroup(fra_add_tag, tag_buttons, "optTag", {"カスタマイズ", "全て選択", "全て解除"});
  tag_buttons->addStretch();
  add_tag_layout->addWidget(frame6_, 1);
  add_tag_layout->addLayout(tag_buttons);
  tab_strip_->addTab(fra_add_tag, U("タグ指定"));

  // OK is the default button: Enter presses it unless another button has the focus, which
  // Enter then presses (both buttons are auto-default). QDialog gives Esc to reject().
  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  command2_ = new QPushButton(U("OK"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  command2_->setDefault(true);
  command1_ = new QPushButton(U("ｷｬﾝｾﾙ"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  buttons->addWidget(command2_);
  buttons->addWidget(command1_);
  layout->addLayout(buttons);
}

void frmSetup::ConnectControls() {
  // Option groups: only clicks (mouse, keyboard or click()) reach the model.
  connect(opt_alfa_, &QButtonGroup::idClicked, this, [this](int i) { model_.SelectAlphabet(i); });
  connect(opt_conv_, &QButtonGroup::idClicked, this, [this](int i) { model_.SelectConvert(i); });
  connect(opt_set_, &QButtonGroup::idClicked, this, [this](int i) {
    model_.SelectSetMode(i);
    ShowModel();
  });
  connect(opt_style_, &QButtonGroup::idClicked, this, [this](int i) {
    model_.SelectStyle(i);
    ShowModel();
  });
  connect(opt_target_value_, &QButtonGroup::idClicked, this,
          [this](int i) { model_.SelectTargetValue(i); });
  connect(opt_ruby_, &QButtonGroup::idClicked, this, [this](int i) { model_.SelectRubyScript(i); });
  connect(opt_level_, &QButtonGroup::idClicked, this, [this](int i) { model_.SelectRubyLevel(i); });
  connect(opt_tag_, &QButtonGroup::idClicked, this, [this](int i) {
    model_.SelectTagMode(i);
    ShowModel();
  });

  const auto bind = [this](QCheckBox* box, bool SetupModel::*state) {
    connect(box, &QCheckBox::clicked, this, [this, state](bool on) {
      model_.*state = on;
      ShowModel();
    });
  };
  bind(chk_clip_board_copy_, &SetupModel::clip_copy);
  bind(chk_color_, &SetupModel::create_color);
  bind(chk_ruby_, &SetupModel::color_tags);
  bind(chk_string_, &SetupModel::color_readings);
  bind(chk_read_only_, &SetupModel::read_only);
  bind(chk_backcolor_, &SetupModel::backcolor);
  bind(chk_href_, &SetupModel::href);
  bind(chk_name_, &SetupModel::name);
  bind(chk_target_, &SetupModel::target);
  bind(chk_rb_, &SetupModel::brackets);
  bind(chk_first_only_, &SetupModel::first_only);
  bind(chk_mono_, &SetupModel::mono);

  connect(txt_bg_color_, &QLineEdit::textEdited, this,
          [this](const QString& t) { model_.bg_color = t; });
  connect(txt_rb_start_, &QLineEdit::textEdited, this,
          [this](const QString& t) { model_.rb_start = t; });
  connect(txt_rb_end_, &QLineEdit::textEdited, this,
          [this](const QString& t) { model_.rb_end = t; });
  // The stored text is kept verbatim until the user edits it.
  connect(txt_style_sheet_, &QPlainTextEdit::textChanged, this, [this] {
    if (!showing_) model_.style_sheet = FromEditor(txt_style_sheet_->toPlainText());
  });
  connect(list1_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!showing_) model_.set_tag_marked(list1_->row(item), item->checkState() == Qt::Checked);
  });

  for (QLineEdit* edit : {txt_bg_color_, txt_rb_start_, txt_rb_end_})
    edit->installEventFilter(this);
  connect(tab_strip_, &QTabWidget::currentChanged, this, &frmSetup::TabSelected);
  connect(command2_, &QPushButton::clicked, this, &frmSetup::ConfirmClicked);
  connect(command1_, &QPushButton::clicked, this, &QDialog::reject);
}

void frmSetup::FillTagList() {
  const QSignalBlocker blocker(list1_);
  list1_->clear();
  for (const QString& line : TagListTexts()) {
    auto* item = new QListWidgetItem(line, list1_);  // owned by the list
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(model_.tag_marked(list1_->row(item)) ? Qt::Checked : Qt::Unchecked);
  }
}

void frmSetup::LoadSettings() {
  model_.LoadSettings(*store_);
  ShowModel();
}

void frmSetup::SaveSettings() {
  if (!model_.SaveSettings(*store_)) {
    QMessageBox::warning(this, windowTitle(),
                         U("設定を保存できませんでした。次回の起動では元の設定に戻ります。\n") +
                             store_->Location());
  }
  emit Saved();
}

void frmSetup::ConfirmClicked() {
  SaveSettings();
  accept();
}

void frmSetup::TabSelected(int index) {
  if (index == kTagPage && list1_->count() > 0) list1_->setCurrentRow(0);
}

bool frmSetup::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    // Queued: a mouse press that brought the focus would otherwise place the cursor and
    // drop the selection right after.
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
      QMetaObject::invokeMethod(edit, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmSetup::ShowModel() {
  showing_ = true;
  Check(opt_alfa_, model_.alphabet());
  Check(opt_conv_, model_.convert());
  chk_clip_board_copy_->setChecked(model_.clip_copy);

  Check(opt_set_, model_.set_mode());
  frame3_->setEnabled(model_.process_boxes_enabled());
  chk_color_->setChecked(model_.create_color);
  chk_ruby_->setChecked(model_.color_tags);
  chk_string_->setChecked(model_.color_readings);

  chk_read_only_->setChecked(model_.read_only);
  chk_backcolor_->setChecked(model_.backcolor);
  lbl_bg_color_->setVisible(model_.bg_color_visible());
  txt_bg_color_->setVisible(model_.bg_color_visible());
  SetLimitedText(txt_bg_color_, model_.bg_color, kBgColorMaxLength);
  Check(opt_style_, model_.style());
  txt_style_sheet_->setEnabled(model_.style_sheet_enabled());
  if (FromEditor(txt_style_sheet_->toPlainText()) != model_.style_sheet &&
      txt_style_sheet_->toPlainText() != model_.style_sheet) {
    txt_style_sheet_->setPlainText(ToEditor(model_.style_sheet));
  }

  chk_href_->setChecked(model_.href);
  chk_name_->setChecked(model_.name);
  chk_target_->setChecked(model_.target);
  Check(opt_target_value_, model_.target_value());
  for (int i = 0; i < 2; ++i) {
    opt_target_value_->button(i)->setEnabled(model_.target_buttons_enabled());
    target_labels_[i]->setEnabled(model_.target_buttons_enabled());
  }

  Check(opt_ruby_, model_.ruby_script());
  chk_rb_->setChecked(model_.brackets);
  txt_rb_start_->setEnabled(model_.bracket_fields_enabled());
  txt_rb_end_->setEnabled(model_.bracket_fields_enabled());
  SetLimitedText(txt_rb_start_, model_.rb_start, kBracketMaxLength);
  SetLimitedText(txt_rb_end_, model_.rb_end, kBracketMaxLength);

  Check(opt_level_, model_.ruby_level());
  chk_first_only_->setChecked(model_.first_only);
  chk_mono_->setChecked(model_.mono);

  Check(opt_tag_, model_.tag_mode());
  frame6_->setEnabled(model_.tag_list_enabled());
  for (int row = 0; row < list1_->count(); ++row) {
    list1_->item(row)->setCheckState(model_.tag_marked(row) ? Qt::Checked : Qt::Unchecked);
  }
  if (model_.current_tag_entry() >= 0 && model_.current_tag_entry() < list1_->count()) {
    list1_->setCurrentRow(model_.current_tag_entry());
    model_.set_current_tag_entry(-1);
  }
  showing_ = false;
}

}  // namespace yomika
