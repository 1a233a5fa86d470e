#include "mainwindow/frm_main.h"

#include <QActionGroup>
#include <QFrame>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <cmath>

#include "colourdialog/frm_font_color.h"
#include "editmenu/frm_menu.h"
#include "mainwindow/progress_display.h"
#include "mainwindow/splitter_bar.h"
#include "widgets/rich_text_pane.h"
#include "widgets/source_tag_colours.h"

namespace yomika {
namespace {

constexpr int kClientWidth = 9735;  // twips, the client area at its start-up size
constexpr int kClientHeight = 6015;
constexpr int kToolbarTop = 50;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QFrame* MakeRule(QWidget* parent) {
  auto* rule = new QFrame(parent);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  return rule;
}

}  // namespace

FrmMain::FrmMain(MainWindowDependencies dependencies)
    : deps_(std::move(dependencies)), settings_(deps_.settings), image_list_(MainImageList()) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("YOMIKA"));
  CreateMenus();
  CreateParts();
  CreateToolbar();
  CreatePopupMenus();
  CreateReview();
  MarkInputClean();
  // Shown once the browser's signal has returned, not from inside it.
  preview_->SetFailureCallback([this](const QString& message) {
    QTimer::singleShot(0, this, [this, message] { Warn(message); });
  });
  resize(ToPixels(kClientWidth), ToPixels(kClientHeight) + menuBar()->sizeHint().height());
}

FrmMain::~FrmMain() = default;

void FrmMain::CreateParts() {
  client_ = new QWidget(this);
  setCentralWidget(client_);
  client_->installEventFilter(this);

  frame3_ = MakeRule(client_);
  frame3_->setObjectName(QStringLiteral("Frame3"));
  toolbar_ = new QToolBar(client_);
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar_->setIconSize(image_list_.ImageSize());
  toolbar_->setMovable(false);
  toolbar_->setGeometry(0, ToPixels(kToolbarTop), ToPixels(kClientWidth),
                        ToPixels(kInitialToolbarHeight));
  frame2_ = MakeRule(client_);
  frame2_->setObjectName(QStringLiteral("Frame2"));

  pic_status_ = new ProgressDisplay(client_);
  pic_status_->setObjectName(QStringLiteral("picStatus"));
  pic_status_->resize(ToPixels(kStatusWidth), ToPixels(kStatusHeight));

  txt_kanji_ = new RichTextPane(client_);
  txt_kanji_->setObjectName(QStringLiteral("txtKanji"));
  txt_kanji_->SetText(U("ここにルビをつけたい文字を入力します。"));
  connect(txt_kanji_, &QTextEdit::textChanged, pic_status_, &ProgressDisplay::Clear);

  pic_splitter_ = new SplitterBar(client_);
  pic_splitter_->setObjectName(QStringLiteral("picSplitter"));
  connect(pic_splitter_, &SplitterBar::Pressed, this, &FrmMain::OnSplitterPressed);
  connect(pic_splitter_, &SplitterBar::Moved, this, &FrmMain::OnSplitterMoved);
  connect(pic_splitter_, &SplitterBar::Released, this, &FrmMain::OnSplitterReleased);

  frame1_ = new QFrame(client_);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  fra_web_ = new QFrame(frame1_);
  fra_web_->setObjectName(QStringLiteral("fraWeb"));
  preview_ = deps_.create_preview(fra_web_, deps_.preview_file);
  preview_->Widget()->setObjectName(QStringLiteral("WebBrowser1"));
  preview_->SetSourceViewCallback([this] { MenuSource(); });
  txt_html_ = new RichTextPane(frame1_);
  txt_html_->setObjectName(QStringLiteral("txtHTML"));
  source_colours_ = new SourceTagColours(txt_html_->document());
  txt_html_->hide();
  connect(txt_html_, &QTextEdit::textChanged, this, [this] { SourceChanged = 1; });
  // Dragged downwards, the bar passes over the lower area; it stays on top to be seen.
  pic_splitter_->raise();

  setTabOrder(txt_kanji_, txt_html_);
  txt_kanji_->setFocus();
}

QAction* FrmMain::AddMenuItem(QMenu* menu, const char* object_name, const char* caption,
                              const QKeySequence& shortcut, void (FrmMain::*command)()) {
  QAction* action = menu->addAction(U(caption));
  action->setObjectName(QString::fromLatin1(object_name));
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::ApplicationShortcut);
  connect(action, &QAction::triggered, this, command);
  return action;
}

void FrmMain::CreateMenus() {
  QMenu* file = menuBar()->addMenu(U("ﾌｧｲﾙ(&F)"));
  file->setObjectName(QStringLiteral("mnuFile"));
  AddMenuItem(file, "mnuNewFile", "新規作成(&N)", QKeySequence(Qt::CTRL | Qt::Key_N),
              &FrmMain::NewInstance);
  AddMenuItem(file, "mnuLoadFile", "開く(&O)", QKeySequence(Qt::CTRL | Qt::Key_O),
              &FrmMain::OpenText);
  AddMenuItem(file, "mnuSave", "保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S),
              &FrmMain::SaveText);
  AddMenuItem(file, "mnuExport", "書き出し(&E)…", QKeySequence(), &FrmMain::ExportDocument);
  file->addSeparator()->setObjectName(QStringLiteral("mnuBar"));
  QAction* end = file->addAction(U("終了(&X)"));
  end->setObjectName(QStringLiteral("mnuEnd"));
  end->setShortcut(QKeySequence(Qt::Key_F12));
  end->setShortcutContext(Qt::ApplicationShortcut);
  connect(end, &QAction::triggered, this, &QWidget::close);

  QMenu* window = menuBar()->addMenu(U("ｳｨﾝﾄﾞｳ(&W)"));
  window->setObjectName(QStringLiteral("mnuWindow"));
  AddMenuItem(window, "mnuPreview", "ﾌﾟﾚﾋﾞｭｰ(&P)", QKeySequence(Qt::Key_F1),
              &FrmMain::MenuPreview);
  AddMenuItem(window, "mnuDesign", "ｿｰｽ(&D)", QKeySequence(Qt::Key_F2), &FrmMain::MenuSource);

  QMenu* run = menuBar()->addMenu(U("実行(&R)"));
  run->setObjectName(QStringLiteral("mnuRun"));
  AddMenuItem(run, "mnuStart", "開始(&S)", QKeySequence(Qt::Key_F5), &FrmMain::RunConversion);
  AddMenuItem(run, "mnuNextDoubt", "次の要確認(&N)", QKeySequence(Qt::Key_F3),
              &FrmMain::NextDoubt);
  run->addSeparator()->setObjectName(QStringLiteral("mnuBar2"));
  AddMenuItem(run, "mnuSetup", "ｵﾌﾟｼｮﾝ(&O)", QKeySequence(Qt::Key_F8), &FrmMain::ShowOptions);

  QMenu* help = menuBar()->addMenu(U("ﾍﾙﾌﾟ(&H)"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  AddMenuItem(help, "mnuVersion", "ﾊﾞｰｼﾞｮﾝ情報(&A)", QKeySequence(Qt::Key_F11),
              &FrmMain::ShowVersion);
}

QAction* FrmMain::AddToolbarButton(int slot, const char* tip, int picture) {
  QAction* button = toolbar_->addAction(QIcon(image_list_.Image(picture)), U(tip));
  button->setObjectName(QStringLiteral("Toolbar1_%1").arg(slot));
  button->setToolTip(U(tip));
  button->setData(slot);
  connect(button, &QAction::triggered, this, [this, slot] { ToolbarClick(slot); });
  return button;
}

void FrmMain::CreateToolbar() {
  toolbar_->addSeparator();                   // 1
  AddToolbarButton(2, "新規作成", 6);
  AddToolbarButton(3, "開く", 7);
  AddToolbarButton(4, "保存", 8);
  toolbar_->addSeparator();                   // 5
  preview_button_ = AddToolbarButton(6, "ﾌﾟﾚﾋﾞｭｰ(&F1)", 1);
  source_button_ = AddToolbarButton(7, "ｿｰｽ(&F2)", 2);
  auto* views = new QActionGroup(this);
  for (QAction* button : {preview_button_, source_button_}) {
    button->setCheckable(true);
    views->addAction(button);
  }
  preview_button_->setChecked(true);
  toolbar_->addSeparator();                   // 8
  AddToolbarButton(9, "ﾀｸﾞ生成(&F5)", 3);
  AddToolbarButton(14, "次の要確認(&F3)", 9);
  toolbar_->addSeparator();                   // 10
  AddToolbarButton(11, "ﾃﾞｻﾞｲﾝ(&F8)", 4);
  toolbar_->addSeparator();                   // 12
  AddToolbarButton(13, "終了(&F12)", 5);
}

void FrmMain::CreatePopupMenus() {
  FrmMenuCallbacks callbacks;
  callbacks.on_colour = [this] { ShowColourDialog(); };
  callbacks.warn = [this](const QString& text) { Warn(text); };
  frm_menu_ = std::make_unique<FrmMenu>(this, *deps_.settings, txt_kanji_, txt_html_,
                                        std::move(callbacks));
}

void FrmMain::ShowColourDialog() {
  ShowFontColorDialog(this, txt_kanji_->SelColor(), Color, OK);
  ApplyColourResult(Color, OK, *txt_kanji_);
}

bool FrmMain::IsPreviewView() const { return !txt_html_->isVisibleTo(frame1_); }

double FrmMain::TwipsPerPixel() const { return yomika::TwipsPerPixel(logicalDpiY()); }

int FrmMain::ToPixels(double twips) const {
  return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

}  // namespace yomika
