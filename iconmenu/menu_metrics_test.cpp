#include "iconmenu/menu_metrics.h"

#include <gtest/gtest.h>

#include "iconmenu/c_icon_menu_item.h"

namespace yomika::iconmenu {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// --- Menu texts ---------------------------------------------------------------------------

TEST(SplitCaption, Table) {
  struct Case {
    QString text;
    const char* caption;
    const char* shortcut;
  };
  const Case cases[] = {
      // normal
      {U("開く(&O)\tCtrl+O"), "開く(&O)", "Ctrl+O"},
      {U("ﾌｧｲﾙ(&F)"), "ﾌｧｲﾙ(&F)", ""},
      // edge: only the first tab splits; a trailing tab leaves an empty shortcut
      {U("a\tb\tc"), "a", "b\tc"},
      {U("a\t"), "a", ""},
      {U("\tF1"), "", "F1"},
      {U(""), "", ""},
      // bad input: a filled buffer, cut at the first NUL
      {U("保存(&S)") + QChar(0) + U("\tjunk"), "保存(&S)", ""},
      {U("終了(&X)\tF12") + QChar(0) + U("xx"), "終了(&X)", "F12"},
  };
  for (const Case& c : cases) {
    const CaptionParts parts = SplitCaption(c.text);
    EXPECT_EQ(parts.caption, U(c.caption)) << c.text.toStdString();
    EXPECT_EQ(parts.shortcut, U(c.shortcut)) << c.text.toStdString();
  }
}

TEST(AccKeyOf, Table) {
  const struct {
    const char* caption;
    const char* key;
  } cases[] = {
      {"新規作成(&N)", "N"},
      {"&File", "F"},
      {"a&b&c", "b"},  // normal, first "&" counts
      {"ﾊﾞｰｼﾞｮﾝ", ""},
      {"ends&", ""},
      {"", ""},  // edge: none, trailing "&"
      {"&ｱ", "ｱ"},
      {"x&\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},  // non-ASCII, pair
  };
  for (const auto& c : cases) EXPECT_EQ(AccKeyOf(U(c.caption)), U(c.key)) << c.caption;
}

TEST(MenuTextRoundTrip, SplitGivesBackCaptionAndShortcut) {
  for (const char* shortcut : {"Ctrl+N", "F12", ""}) {
    const CaptionParts parts = SplitCaption(MenuText(U("新規作成(&N)"), U(shortcut)));
    EXPECT_EQ(parts.caption, U("新規作成(&N)"));
    EXPECT_EQ(parts.shortcut, U(shortcut));
  }
}

// --- Measuring ----------------------------------------------------------------------------

TEST(Cp932Length, Table) {
  const struct {
    const char* text;
    int bytes;
  } cases[] = {
      {"", 0},
      {"F12", 3},
      {"ﾌｧｲﾙ(&F)", 8},
      {"開く(&O)", 8},
      {"\xE3\x80\x80", 2},
      {"\xF0\xA0\xAE\xB7", 1},  // no CP932 form: one replacement byte
  };
  for (const auto& c : cases) EXPECT_EQ(Cp932Length(U(c.text)), c.bytes) << c.text;
}

TEST(LongestText, CountsCp932BytesAndKeepsTheFirstOfEqualOnes) {
  // "ｿｰｽ(&D)　F2" is 11 characters and 12 bytes; "ﾌﾟﾚﾋﾞｭｰ(&P)　F1" 15 and 16.
  EXPECT_EQ(
      LongestText({MeasureText(U("ｿｰｽ(&D)"), U("F2")), MeasureText(U("ﾌﾟﾚﾋﾞｭｰ(&P)"), U("F1"))}),
      U("ﾌﾟﾚﾋﾞｭｰ(&P)\u3000F1"));
  // Full-width text is longer in bytes than the same number of half-width characters.
  EXPECT_EQ(LongestText({U("abcd"), U("開く")}), U("abcd"));
  EXPECT_EQ(LongestText({U("abc"), U("開く")}), U("開く"));
  EXPECT_EQ(LongestText({U("ab"), U("cd")}), U("ab"));
  EXPECT_EQ(LongestText({}), QString());
}

TEST(MeasureText, IdeographicSpaceOnlyBeforeAShortcut) {
  EXPECT_EQ(MeasureText(U("開く(&O)"), U("Ctrl+O")), U("開く(&O)\u3000Ctrl+O"));
  EXPECT_EQ(MeasureText(U("ﾍﾙﾌﾟ(&H)"), QString()), U("ﾍﾙﾌﾟ(&H)"));
}

TEST(MeasureRuleFor, Table) {
  const struct {
    bool bar, has_image;
    int icon_w, icon_h, bar_h;
    int extra, height;
  } cases[] = {
      {false, true, 16, 16, 20, 18, 18},   // drop-down item with image
      {false, false, 16, 16, 20, 18, 18},  // without: the same column
      {false, true, 20, 24, 20, 22, 26},   // widened cell
      {true, false, 16, 16, 21, 0, 21},    // bar title
      {true, true, 16, 16, 21, 18, 21},    // bar title with image
  };
  for (const auto& c : cases) {
    const MeasureRule rule = MeasureRuleFor(c.bar, c.has_image, c.icon_w, c.icon_h, c.bar_h);
    EXPECT_EQ(rule.extra, c.extra);
    EXPECT_EQ(rule.height, c.height);
  }
}

// --- Rectangles and drawing order ---------------------------------------------------------

TEST(ComputeItemRects, Table) {
  const QRect r(10, 20, 100, 18);
  const struct {
    bool bar, image, enabled, selected;
    int style;
    int text_left, fill_left;
  } cases[] = {
      {false, true, true, true, 1, 32, 30},   // style 1 selected with image: fill right of it
      {false, true, true, false, 1, 32, 10},  // not selected
      {false, false, true, true, 1, 32, 10},  // no image: whole width
      {false, true, true, true, 0, 32, 10},   // style 0
      {false, true, true, true, 2, 32, 10},   // style 2
      {false, true, false, true, 1, 32, 10},  // disabled: nothing moves
      {true, false, true, true, 1, 14, 10},   // bar title without image
      {true, true, true, false, 1, 32, 10},   // bar title with image
  };
  for (const auto& c : cases) {
    const ItemRects rects =
        ComputeItemRects(r, c.bar, c.image, c.enabled, c.selected, c.style, 16, 16);
    EXPECT_EQ(rects.text, QRect(QPoint(c.text_left, 20), r.bottomRight()));
    EXPECT_EQ(rects.fill, QRect(QPoint(c.fill_left, 20), r.bottomRight()));
    EXPECT_EQ(rects.cell, QRect(10, 20, 18, 18));
  }
}

TEST(ImageOrigin, CentredInALargerCell) {
  const QRect cell(0, 0, 22, 18);
  EXPECT_EQ(ImageOrigin(cell, 16, 16, 16, 16), QPoint(1, 1));
  EXPECT_EQ(ImageOrigin(cell, 20, 16, 16, 16), QPoint(3, 1));
  EXPECT_EQ(ImageOrigin(cell, 21, 19, 16, 16), QPoint(3, 2));  // fraction dropped
}

TEST(CentredLineTop, Table) {
  const struct {
    int top, height, line, expected;
  } cases[] = {
      {0, 18, 14, 2},
      {10, 18, 13, 12},  // fraction dropped
      {0, 18, 18, 0},
      {0, 10, 14, -2},  // exact fit; a line taller than its band
  };
  for (const auto& c : cases) EXPECT_EQ(CentredLineTop(c.top, c.height, c.line), c.expected);
}

TEST(EdgeLines, Colours) {
  const QRect r(0, 0, 18, 18);
  const QList<EdgeLine> inner = EdgeLines(r, EdgeKind::kRaisedInner);
  ASSERT_EQ(inner.size(), 4);
  EXPECT_EQ(inner[0], (EdgeLine{QLine(0, 0, 17, 0), MenuColour::kLight}));
  EXPECT_EQ(inner[3], (EdgeLine{QLine(17, 0, 17, 17), MenuColour::kDark}));
  const QList<EdgeLine> sunken = EdgeLines(r, EdgeKind::kSunken);
  ASSERT_EQ(sunken.size(), 8);
  EXPECT_EQ(sunken[0].colour, MenuColour::kDark);  // outer top: shadow
  EXPECT_EQ(sunken[4], (EdgeLine{QLine(1, 1, 16, 1), MenuColour::kShadow}));
  EXPECT_EQ(EdgeLines(r, EdgeKind::kRaised)[0].colour, MenuColour::kMidlight);
  EXPECT_TRUE(EdgeLines(QRect(), EdgeKind::kRaised).isEmpty());  // edge: empty rectangle
}

using Kind = DrawOp::Kind;

QList<Kind> Kinds(const QList<DrawOp>& ops) {
  QList<Kind> kinds;
  for (const DrawOp& op : ops) kinds.append(op.kind);
  return kinds;
}

ItemState State(bool selected, bool checked, bool disabled, bool bar, bool image, int style) {
  return {selected, checked, disabled, bar, image, style, 16, 16, 16, 16};
}

TEST(PlanItem, OrderAndColoursByStyle) {
  const QRect r(0, 0, 120, 18);
  const struct {
    const char* name;
    ItemState state;
    QList<Kind> kinds;
    MenuColour fill, text;
  } cases[] = {
      {"style 1 selected, image",
       State(true, false, false, false, true, 1),
       {Kind::kEdge, Kind::kFill, Kind::kText, Kind::kImage},
       MenuColour::kHighlight,
       MenuColour::kHighlightText},
      {"style 1 not selected",
       State(false, false, false, false, true, 1),
       {Kind::kFill, Kind::kText, Kind::kImage},
       MenuColour::kMenu,
       MenuColour::kBlack},
      {"style 0 selected",
       State(true, false, false, false, true, 0),
       {Kind::kFill, Kind::kText, Kind::kImage},
       MenuColour::kHighlight,
       MenuColour::kHighlightText},
      {"style 2 selected",
       State(true, false, false, false, true, 2),
       {Kind::kFill, Kind::kEdge, Kind::kText, Kind::kImage},
       MenuColour::kMenu,
       MenuColour::kMenuText},
      {"bar title selected",
       State(true, false, false, true, false, 1),
       {Kind::kFill, Kind::kText, Kind::kEdge},
       MenuColour::kMenu,
       MenuColour::kMenuText},
      {"checked without image",
       State(false, true, false, false, false, 1),
       {Kind::kFill, Kind::kText, Kind::kCheck, Kind::kEdge},
       MenuColour::kMenu,
       MenuColour::kBlack},
      {"checked with image",
       State(false, true, false, false, true, 1),
       {Kind::kFill, Kind::kText, Kind::kImage, Kind::kEdge},
       MenuColour::kMenu,
       MenuColour::kBlack},
  };
  for (const auto& c : cases) {
    const QList<DrawOp> ops = PlanItem(r, c.state);
    EXPECT_EQ(Kinds(ops), c.kinds) << c.name;
    for (const DrawOp& op : ops) {
      if (op.kind == Kind::kFill) {
        EXPECT_EQ(op.colour, c.fill) << c.name;
      } else if (op.kind == Kind::kText) {
        EXPECT_EQ(op.colour, c.text) << c.name;
      }
    }
  }
}

TEST(PlanItem, SelectedStyleOneFillsRightOfTheFramedImage) {
  const QList<DrawOp> ops =
      PlanItem(QRect(0, 0, 120, 18), State(true, false, false, false, true, 1));
  EXPECT_EQ(ops[0].rect, QRect(0, 0, 18, 18));
  EXPECT_EQ(ops[0].edge, EdgeKind::kRaisedInner);
  EXPECT_EQ(ops[1].rect, QRect(20, 0, 100, 18));
  EXPECT_EQ(ops[3].at, QPoint(1, 1));
}

TEST(PlanItem, DisabledSelectedIsDrawnLikeDisabled) {
  const QRect r(0, 0, 120, 18);
  for (bool image : {false, true}) {
    const QList<DrawOp> selected = PlanItem(r, State(true, false, true, false, image, 1));
    EXPECT_EQ(selected, PlanItem(r, State(false, false, true, false, image, 1)));
    ASSERT_FALSE(selected.isEmpty());
    EXPECT_EQ(selected[0].kind, Kind::kText);
    EXPECT_FALSE(selected[0].enabled);
  }
}

TEST(PlanItem, CheckEdgeRaisedOnlyForSelectedStyleTwo) {
  const QRect r(0, 0, 120, 18);
  EXPECT_EQ(PlanItem(r, State(true, true, false, false, true, 2)).last().edge, EdgeKind::kRaised);
  EXPECT_EQ(PlanItem(r, State(true, true, false, false, true, 1)).last().edge, EdgeKind::kSunken);
  EXPECT_EQ(PlanItem(r, State(false, true, false, false, true, 2)).last().edge, EdgeKind::kSunken);
}

// --- Menu characters ----------------------------------------------------------------------

TEST(MenuCharPosition, Table) {
  int file = 0;
  int help = 0;
  const QList<MenuCharCandidate> items = {
      {&file, U("N"), 0}, {&file, U("O"), 1}, {&file, U("S"), 2}, {&file, U("X"), 4},
      {&help, U("A"), 0}, {&file, U(""), 5},  {&file, U("o"), 6},
  };
  const struct {
    const void* menu;
    const char* ch;
    std::optional<int> position;
  } cases[] = {
      {&file, "n", 0},
      {&file, "N", 0},  // case ignored
      {&file, "x", 4},
      {&file, "o", 6},  // the later of two wins
      {&file, "a", std::nullopt},
      {&help, "a", 0},  // other menu's key
      {&file, "q", std::nullopt},
      {&file, "", std::nullopt},              // no such key, nothing typed
      {&file, "\xEF\xBD\x8E", std::nullopt},  // full-width n is another character
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MenuCharPosition(items, c.menu, U(c.ch)), c.position) << c.ch;
  }
}

// --- Item collection ----------------------------------------------------------------------

TEST(IconMenuItemCollection, KeysIgnoreCaseAndDuplicatesFail) {
  IconMenuItemCollection items;
  cIconMenuItem first;
  first.SetIndex(0);
  ASSERT_TRUE(items.Add(first, U("&File")));
  cIconMenuItem second;
  second.SetIndex(1);
  const Status duplicate = items.Add(second, U("&FILE"));
  ASSERT_FALSE(duplicate);
  EXPECT_TRUE(duplicate.reason().contains(U("&FILE")));
  EXPECT_EQ(items.Count(), 1);
  ASSERT_NE(items.Item(U("&file")), nullptr);
  EXPECT_EQ(items.Item(U("&file"))->Index(), 0);
  EXPECT_EQ(items.Item(U("Edit")), nullptr);
}

}  // namespace
}  // namespace yomika::iconmenu
