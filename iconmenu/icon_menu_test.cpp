// The icon menu on the real main window (offscreen): recording, images, measuring, drawing
// checked at key pixels of rendered items, and the menu characters.

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "iconmenu/c_icon_menu.h"
#include "iconmenu/icon_menu_style.h"
#include "iconmenu/menu_hook.h"
#include "iconmenu/menu_metrics.h"
#include "mainwindow/frm_main.h"
#include "settings/settings_store.h"
#include "tests/fake_preview_host.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The main window with its settings in a temporary folder and the icon menu set on it the way
// the window sets its own at the end of start-up.
struct Harness {
  QTemporaryDir dir;
  SettingsStore settings{dir.filePath(QStringLiteral("YOMIKA.ini"))};
  int new_instances = 0;
  std::unique_ptr<FrmMain> window;
  cIconMenu icons;

  Harness() {
    MainWindowDependencies deps;
    deps.settings = &settings;
    deps.preview_file = dir.filePath(QStringLiteral("sample.html"));
    deps.create_preview = [](QWidget* frame, const QString&) {
      return std::unique_ptr<PreviewHost>(std::make_unique<testing::FakePreviewHost>(frame));
    };
    deps.start_new_instance = [this] {
      ++new_instances;
      return true;
    };
    deps.warn = [](QWidget*, const QString&) {};
    window = std::make_unique<FrmMain>(std::move(deps));
    icons.SethTargetWnd(window.get());
    icons.SetStyle(1);
    icons.SetMenuDefaultImage(&window->ImageList1());
  }
  ~Harness() { icons.UnSetIconMenu(); }

  QMenu* Menu(const char* name) const {
    return window->findChild<QMenu*>(QString::fromLatin1(name));
  }
  QAction* Action(QMenu* menu, const char* caption) const {
    for (QAction* action : menu->actions()) {
      if (action->text() == U(caption)) return action;
    }
    return nullptr;
  }
};

// Colours distinct enough to tell every part of an item apart.
QPalette TestPalette() {
  QPalette palette;
  palette.setColor(QPalette::Window, QColor(240, 240, 240));
  palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
  palette.setColor(QPalette::Highlight, QColor(0, 0, 200));
  palette.setColor(QPalette::HighlightedText, QColor(255, 255, 0));
  palette.setColor(QPalette::Light, QColor(255, 255, 255));
  palette.setColor(QPalette::Dark, QColor(128, 128, 128));
  palette.setColor(QPalette::Midlight, QColor(220, 220, 220));
  palette.setColor(QPalette::Shadow, QColor(64, 64, 64));
  return palette;
}

constexpr int kItemWidth = 200;

// One item of `menu` drawn by the hooked style into an image prefilled with the menu colour.
QImage Render(QMenu* menu, QAction* action, QStyle::State state, bool checked = false) {
  QStyleOptionMenuItem option;
  option.initFrom(menu);
  option.palette = TestPalette();
  option.rect = QRect(0, 0, kItemWidth, 18);
  option.state = state;
  option.menuItemType = QStyleOptionMenuItem::Normal;
  option.checkType =
      checked ? QStyleOptionMenuItem::NonExclusive : QStyleOptionMenuItem::NotCheckable;
  option.checked = checked;
  option.text = action->text();
  if (!action->shortcut().isEmpty()) {
    option.text += QLatin1Char('\t') + action->shortcut().toString(QKeySequence::NativeText);
  }
  QImage image(kItemWidth, 18, QImage::Format_RGB32);
  image.fill(TestPalette().color(QPalette::Window));
  QPainter painter(&image);
  menu->style()->drawControl(QStyle::CE_MenuItem, &option, &painter, menu);
  return image;
}

// The bounding box of the pixels of one colour, from column `from_x` on.
QRect BoxOf(const QImage& image, QColor colour, int from_x = 0) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = from_x; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == colour) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

void UseAliasedFont(QWidget* widget) {
  QFont font = widget->font();
  font.setStyleStrategy(QFont::NoAntialias);
  widget->setFont(font);
}

}  // namespace

class IconMenuTest : public QObject {
  Q_OBJECT

 private slots:
  // normal
  void RecordsTheMainMenuInOrder();
  void ImagesAreFoundByCaption();
  void InstallsTheStyleOnTheMainMenusOnly();
  void DropDownItemsMeasureEquallyWide();
  void SelectedStyleOneItemIsFilledRightOfItsFramedImage();
  void ShortcutEndsTwelvePixelsLeftOfTheRightEdge();
  void DisabledItemShowsItsTextTwiceOnePixelApart();
  void CheckedItemWithoutImageShowsACheckMark();
  void MenuCharacterRunsTheItem();
  // edge
  void IconCellNeverNarrowerThanTheImages();
  void LaterItemWinsASharedMenuCharacter();
  void WindowWithoutMenuIsLeftAlone();
  void MainIconMenuIsOneSharedInstance();
  void NextMainWindowStartsANewRecording();
  // bad input
  void DuplicateCaptionStopsTheRecording();
};

void IconMenuTest::RecordsTheMainMenuInOrder() {
  Harness h;
  QVERIFY(h.icons.SetIconMenu());
  struct Row {
    const char* caption;
    const char* shortcut;
    const char* acc_key;
    int position;
    const char* menu;  // null: the menu bar
  };
  const Row rows[] = {
      {"ﾌｧｲﾙ(&F)", "", "F", 0, nullptr},         {"新規作成(&N)", "Ctrl+N", "N", 0, "mnuFile"},
      {"開く(&O)", "Ctrl+O", "O", 1, "mnuFile"}, {"保存(&S)", "Ctrl+S", "S", 2, "mnuFile"},
      {"書き出し(&E)…", "", "E", 3, "mnuFile"},
      {"終了(&X)", "F12", "X", 5, "mnuFile"},  // the separator counts
      {"ｳｨﾝﾄﾞｳ(&W)", "", "W", 1, nullptr},       {"ﾌﾟﾚﾋﾞｭｰ(&P)", "F1", "P", 0, "mnuWindow"},
      {"ｿｰｽ(&D)", "F2", "D", 1, "mnuWindow"},    {"実行(&R)", "", "R", 2, nullptr},
      {"開始(&S)", "F5", "S", 0, "mnuRun"},      {"次の要確認(&N)", "F3", "N", 1, "mnuRun"},
      {"ｵﾌﾟｼｮﾝ(&O)", "F8", "O", 3, "mnuRun"},
      {"ﾍﾙﾌﾟ(&H)", "", "H", 3, nullptr},         {"ﾊﾞｰｼﾞｮﾝ情報(&A)", "F11", "A", 0, "mnuHelp"},
  };
  const IconMenuItemCollection& items = h.icons.IconMenuItems();
  QCOMPARE(items.Count(), int(std::size(rows)));
  for (int i = 0; i < items.Count(); ++i) {
    const cIconMenuItem& item = items.At(i);
    const Row& row = rows[i];
    QCOMPARE(item.Index(), i);
    QCOMPARE(item.Caption(), U(row.caption));
    QCOMPARE(item.Key(), U(row.caption));
    QCOMPARE(item.ShortCut(), U(row.shortcut));
    QCOMPARE(item.AccKey(), U(row.acc_key));
    QCOMPARE(item.Position(), row.position);
    QCOMPARE(h.icons.GetIDtoKey(i), U(row.caption));
    if (row.menu == nullptr) {
      QCOMPARE(item.hMenu(), static_cast<QObject*>(h.window->menuBar()));
      QVERIFY(item.hSubMenu() != nullptr);
      QCOMPARE(item.ID(), row.position);  // titles have no identifier of their own
    } else {
      QCOMPARE(item.hMenu(), static_cast<QObject*>(h.Menu(row.menu)));
      QCOMPARE(item.hSubMenu(), nullptr);
    }
    QVERIFY(!item.FontBold() && !item.FontItalic() && !item.FontUnderline());
  }
  QCOMPARE(h.icons.GetIDtoKey(15), QString());
  QCOMPARE(h.icons.GetIDtoKey(-1), QString());
}

void IconMenuTest::ImagesAreFoundByCaption() {
  Harness h;
  QVERIFY(h.icons.SetIconMenu());
  const struct {
    const char* key;
    int image;
  } cases[] = {
      {"ﾌﾟﾚﾋﾞｭｰ(&P)", 0},      {"保存(&S)", 7},  {"新規作成(&N)", 5},
      {"ﾊﾞｰｼﾞｮﾝ情報(&A)", -1}, {"ﾌｧｲﾙ(&F)", -1}, {"", -1},
  };
  for (const auto& c : cases) QCOMPARE(h.icons.GetImageIndex(U(c.key)), c.image);
  cIconMenu without_images;
  QCOMPARE(without_images.GetImageIndex(U("新規作成(&N)")), -1);
}

void IconMenuTest::InstallsTheStyleOnTheMainMenusOnly() {
  Harness h;
  QMenu pane_menu(h.window->txtKanji());
  QPalette dark(QColor(0x30, 0x30, 0x30));
  dark.setColor(QPalette::WindowText, Qt::white);
  h.window->menuBar()->setPalette(dark);
  h.Menu("mnuFile")->setPalette(dark);
  QVERIFY(h.icons.SetIconMenu());
  QVERIFY(IsWindowHooked());
  QVERIFY(qobject_cast<IconMenuStyle*>(h.window->menuBar()->style()) != nullptr);
  for (const char* name : {"mnuFile", "mnuWindow", "mnuRun", "mnuHelp"}) {
    QVERIFY2(qobject_cast<IconMenuStyle*>(h.Menu(name)->style()) != nullptr, name);
  }
  QCOMPARE(pane_menu.style(), QApplication::style());
  // Under a dark theme the menus keep black text on their light grey.
  for (QWidget* menu :
       {static_cast<QWidget*>(h.window->menuBar()), static_cast<QWidget*>(h.Menu("mnuFile"))}) {
    QCOMPARE(menu->palette().color(QPalette::WindowText), QColor(Qt::black));
    QVERIFY(menu->palette().color(QPalette::Window).lightness() > 200);
  }
  h.icons.UnSetIconMenu();
  QVERIFY(!IsWindowHooked());
  QCOMPARE(h.window->menuBar()->style(), QApplication::style());
  QCOMPARE(h.Menu("mnuFile")->style(), QApplication::style());
  QCOMPARE(h.icons.IconMenuItems().Count(), 15);  // still recorded
}

void IconMenuTest::DropDownItemsMeasureEquallyWide() {
  Harness h;
  QVERIFY(h.icons.SetIconMenu());
  QMenu* file = h.Menu("mnuFile");
  file->ensurePolished();
  // "新規作成(&N)　Ctrl+N" is the longest text of the File menu in CP932 bytes.
  const int expected = QFontMetrics(file->font())
                           .boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic,
                                         U("新規作成(&N)\u3000Ctrl+N"))
                           .width() +
                       16 + 2 + iconmenu::kDropDownItemAllowance;
  for (const char* caption : {"新規作成(&N)", "開く(&O)", "保存(&S)", "終了(&X)"}) {
    const QRect geometry = file->actionGeometry(h.Action(file, caption));
    QCOMPARE(geometry.height(), 18);
    QCOMPARE(geometry.width(), expected);
  }
  // A title: no image column, as high as the base style makes a menu-bar item.
  QMenuBar* bar = h.window->menuBar();
  QAction* title = h.Menu("mnuHelp")->menuAction();
  QStyleOptionMenuItem option;
  option.initFrom(bar);
  option.menuItemType = QStyleOptionMenuItem::Normal;
  option.text = title->text();
  const QSize text_size(10, 10);
  const QSize measured =
      bar->style()->sizeFromContents(QStyle::CT_MenuBarItem, &option, text_size, bar);
  QCOMPARE(measured.width(),
           QFontMetrics(bar->font())
                   .boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic, title->text())
                   .width() +
               iconmenu::kBarItemAllowance);
  QCOMPARE(measured.height(),
           QApplication::style()
               ->sizeFromContents(QStyle::CT_MenuBarItem, &option, text_size, bar)
               .height());
}

void IconMenuTest::SelectedStyleOneItemIsFilledRightOfItsFramedImage() {
  Harness h;
  QVERIFY(h.icons.SetIconMenu());
  QMenu* file = h.Menu("mnuFile");
  const QImage selected =
      Render(file, h.Action(file, "新規作成(&N)"), QStyle::State_Enabled | QStyle::State_Selected);
  const QPalette p = TestPalette();
  QCOMPARE(selected.pixelColor(20, 0), p.color(QPalette::Highlight));
  QCOMPARE(selected.pixelColor(kItemWidth - 1, 17), p.color(QPalette::Highlight));
  QCOMPARE(selected.pixelColor(18, 0), p.color(QPalette::Window));  // between image and fill
  QCOMPARE(selected.pixelColor(0, 9), p.color(QPalette::Light));    // raised frame of the image
  QCOMPARE(selected.pixelColor(9, 0), p.color(QPalette::Light));
  QCOMPARE(selected.pixelColor(17, 9), p.color(QPalette::Dark));
  QCOMPARE(selected.pixelColor(9, 17), p.color(QPalette::Dark));
  QVERIFY(BoxOf(selected, p.color(QPalette::HighlightedText), 22).isValid());  // the text

  const QImage plain = Render(file, h.Action(file, "新規作成(&N)"), QStyle::State_Enabled);
  QCOMPARE(plain.pixelColor(20, 0), p.color(QPalette::Window));
  QCOMPARE(plain.pixelColor(0, 9), p.color(QPalette::Window));  // no frame
  QVERIFY(BoxOf(plain, QColor(Qt::black), 22).isValid());       // black text
}

void IconMenuTest::ShortcutEndsTwelvePixelsLeftOfTheRightEdge() {
  Harness h;
  QVERIFY(h.icons.SetIconMenu());
  QMenu* file = h.Menu("mnuFile");
  UseAliasedFont(file);
  const QImage image = Render(file, h.Action(file, "終了(&X)"), QStyle::State_Enabled);
  const QRect ink = BoxOf(image, QColor(Qt::black), 22);
  QVERIFY(ink.isValid());
  // The last glyph's own side bearing may leave a pixel or two.
  QVERIFY2(ink.right() <= kItemWidth - 13 && ink.right() >= kItemWidth - 16,
           qPrintable(QString::number(ink.right())));
}

void IconMenuTest::DisabledItemShowsItsTextTwiceOnePixelApart() {
  Harness h;
  QVERIFY(h.icons.SetIconMenu());
  QMenu* file = h.Menu("mnuFile");
  UseAliasedFont(file);
  const QPalette p = TestPalette();
  for (QStyle::State state : {QStyle::State_None, QStyle::State_Selected}) {
    const QImage image = Render(file, h.Action(file, "開く(&O)"), state);
    // The caption's shadow is one pixel up and left, the right-aligned shortcut's one up.
    const QImage caption = image.copy(0, 0, 120, 18);
    const QImage shortcut = image.copy(120, 0, kItemWidth - 120, 18);
    const QRect light = BoxOf(caption, p.color(QPalette::Light), 21);
    const QRect dark = BoxOf(caption, p.color(QPalette::Dark), 21);
    QVERIFY(light.isValid() && dark.isValid());
    QCOMPARE(light.right(), dark.right() + 1);
    QCOMPARE(light.bottom(), dark.bottom() + 1);
    const QRect light_keys = BoxOf(shortcut, p.color(QPalette::Light));
    const QRect dark_keys = BoxOf(shortcut, p.color(QPalette::Dark));
    QVERIFY(light_keys.isValid() && dark_keys.isValid());
    QCOMPARE(light_keys.right(), dark_keys.right());
    QCOMPARE(light_keys.bottom(), dark_keys.bottom() + 1);
    QCOMPARE(image.pixelColor(kItemWidth - 1, 0), p.color(QPalette::Window));  // no fill
  }
}

void IconMenuTest::CheckedItemWithoutImageShowsACheckMark() {
  Harness h;
  QVERIFY(h.icons.SetIconMenu());
  QMenu* help = h.Menu("mnuHelp");
  const QPalette p = TestPalette();
  const QImage checked =
      Render(help, h.Action(help, "ﾊﾞｰｼﾞｮﾝ情報(&A)"), QStyle::State_Enabled, true);
  const QImage cell = checked.copy(2, 2, 14, 14);
  QVERIFY(BoxOf(cell, QColor(Qt::black)).isValid());            // the mark, in the text colour
  QCOMPARE(checked.pixelColor(0, 9), p.color(QPalette::Dark));  // sunken frame
  QCOMPARE(checked.pixelColor(17, 9), p.color(QPalette::Light));
  const QImage unchecked = Render(help, h.Action(help, "ﾊﾞｰｼﾞｮﾝ情報(&A)"), QStyle::State_Enabled);
  QVERIFY(!BoxOf(unchecked.copy(0, 0, 18, 18), QColor(Qt::black)).isValid());
}

void IconMenuTest::MenuCharacterRunsTheItem() {
  Harness h;
  QVERIFY(h.icons.SetIconMenu());
  QMenu* file = h.Menu("mnuFile");
  file->popup(QPoint(0, 0));
  QTRY_VERIFY(file->isVisible());
  QTest::keyClick(file, Qt::Key_Q);  // no item has it
  QCOMPARE(h.new_instances, 0);
  QVERIFY(file->isVisible());
  QTest::keyClick(file, Qt::Key_N);  // lower case "n"
  QCOMPARE(h.new_instances, 1);
  QTRY_VERIFY(!file->isVisible());
}

void IconMenuTest::IconCellNeverNarrowerThanTheImages() {
  Harness h;
  const struct {
    int set;
    int expected;
  } cases[] = {{16, 16}, {10, 16}, {0, 16}, {20, 20}, {17, 17}};
  for (const auto& c : cases) {
    cIconMenu icons;
    icons.SetMenuDefaultImage(&h.window->ImageList1());
    icons.SetIconWidth(c.set);
    icons.SetIconHeight(c.set);
    QCOMPARE(icons.IconWidth(), c.expected);
    QCOMPARE(icons.IconHeight(), c.expected);
  }
  cIconMenu without_images;
  without_images.SetIconWidth(20);
  QCOMPARE(without_images.IconWidth(), 0);
}

void IconMenuTest::LaterItemWinsASharedMenuCharacter() {
  QMainWindow window;
  QMenu* edit = window.menuBar()->addMenu(QStringLiteral("&Edit"));
  QStringList ran;
  for (const char* caption : {"&Copy", "&Paste", "&Cut"}) {
    QAction* action = edit->addAction(QString::fromLatin1(caption));
    QObject::connect(action, &QAction::triggered, [&ran, action] { ran << action->text(); });
  }
  cIconMenu icons;
  icons.SethTargetWnd(&window);
  QVERIFY(icons.SetIconMenu());
  edit->popup(QPoint(0, 0));
  QTRY_VERIFY(edit->isVisible());
  QTest::keyClick(edit, Qt::Key_C);
  QCOMPARE(ran, QStringList{QStringLiteral("&Cut")});
  icons.UnSetIconMenu();
}

void IconMenuTest::WindowWithoutMenuIsLeftAlone() {
  QMainWindow window;
  cIconMenu icons;
  icons.SethTargetWnd(&window);
  QCOMPARE(icons.hMenu(), nullptr);
  QVERIFY(icons.SetIconMenu());
  QVERIFY(!IsWindowHooked());
  QCOMPARE(icons.IconMenuItems().Count(), 0);
  QCOMPARE(window.menuWidget(), nullptr);  // none was created on the way
  icons.UnSetIconMenu();
}

void IconMenuTest::MainIconMenuIsOneSharedInstance() {
  QCOMPARE(&MainIconMenu(), &MainIconMenu());
  QCOMPARE(MainIconMenu().hTargetWnd(), nullptr);
  QCOMPARE(MainIconMenu().IconWidth(), 0);
  QCOMPARE(MainIconMenu().Style(), 0);
  QCOMPARE(MainIconMenu().IconMenuItems().Count(), 0);
}

// Regression: a second main window in one run (as in the window tests) failed with the
// duplicate-caption error, the items of the first window's menus still being recorded.
void IconMenuTest::NextMainWindowStartsANewRecording() {
  cIconMenu icons;
  for (int run = 0; run < 2; ++run) {
    Harness h;
    icons.SethTargetWnd(h.window.get());
    icons.SetMenuDefaultImage(&h.window->ImageList1());
    QVERIFY(icons.SetIconMenu());
    QCOMPARE(icons.IconMenuItems().Count(), 15);
    QCOMPARE(icons.GetIDtoKey(0), U("ﾌｧｲﾙ(&F)"));
    icons.UnSetIconMenu();
  }
}

void IconMenuTest::DuplicateCaptionStopsTheRecording() {
  QMainWindow window;
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Open"));
  file->addAction(QStringLiteral("&FILE"));
  file->addAction(QStringLiteral("&Quit"));
  cIconMenu icons;
  icons.SethTargetWnd(&window);
  const Status result = icons.SetIconMenu();
  QVERIFY(!result);
  QVERIFY(result.reason().contains(QStringLiteral("&FILE")));
  QCOMPARE(icons.IconMenuItems().Count(), 2);  // the title and "&Open"
  QCOMPARE(icons.GetIDtoKey(1), QStringLiteral("&Open"));
  icons.UnSetIconMenu();
}

}  // namespace yomika

QTEST_MAIN(yomika::IconMenuTest)
#include "icon_menu_test.moc"
