#include "options/tag_catalogue.h"

#include <gtest/gtest.h>

namespace yomika {
namespace {

using enum InsertionKind;

struct Row {
  const char* tag;
  const char* list_text;
  InsertionKind kind;
};

// Written out by hand so that a wrong padding width or a swapped entry shows up.
constexpr Row kExpected[] = {
    {"<A>", "<A>           アンカー", kAnchor},
    {"<!-- -->", "<!-- -->      コメント", kCommentWrap},
    {"<IMG>", "<IMG>         イメージ", kImageTemplate},
    {"<HR>", "<HR>          水平ライン", kSingleTag},
    {"<BR>", "<BR>          改行", kSingleTag},
    {"<PRE>", "<PRE>         プレーンテキスト", kWrap},
    {"<B>", "<B>           ボールド", kWrap},
    {"<I>", "<I>           イタリック", kWrap},
    {"<U>", "<U>           アンダーライン", kWrap},
    {"<DIV>", "<DIV>         レイアウト", kWrap},
    {"<SPAN>", "<SPAN>        レイアウト", kWrap},
    {"<TABLE>", "<TABLE>       テーブル", kWrap},
    {"<TR>", "<TR>          テーブル行", kWrap},
    {"<TH>", "<TH>          テーブルヘッダー", kWrap},
    {"<TD>", "<TD>          テーブルデータ", kWrap},
    {"<FORM>", "<FORM>        フォーム", kWrap},
    {"<INPUT>", "<INPUT>       入力コントロール", kInputTemplate},
    {"<SELECT>", "<SELECT>      リスト", kWrap},
    {"<OPTION>", "<OPTION>      リストデータ", kWrap},
    {"<HTML>", "<HTML>        ＨＴＭＬ", kWrap},
    {"<HEAD>", "<HEAD>        ヘッダー", kWrap},
    {"<TITLE>", "<TITLE>       タイトル", kWrap},
    {"<BODY>", "<BODY>        ボディ", kWrap},
};

// --- normal ---

TEST(TagCatalogueTest, EveryEntryMatchesItsRow) {
  const auto catalogue = TagCatalogue();
  ASSERT_EQ(catalogue.size(), std::size(kExpected));
  for (std::size_t n = 0; n < catalogue.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(TagText(catalogue[n]), QString::fromUtf8(kExpected[n].tag));
    EXPECT_EQ(ListText(catalogue[n]), QString::fromUtf8(kExpected[n].list_text));
    EXPECT_EQ(catalogue[n].kind, kExpected[n].kind);
  }
}

TEST(TagCatalogueTest, MenuCaptionsAreTheTagsInOrder) {
  const QStringList captions = TagMenuCaptions();
  ASSERT_EQ(captions.size(), kTagCatalogueSize);
  for (int n = 0; n < kTagCatalogueSize; ++n) {
    EXPECT_EQ(captions[n], QString::fromUtf8(kExpected[n].tag)) << n;
  }
}

TEST(TagCatalogueTest, OnlyTemplatesAndSingleTagsReplaceTheSelection) {
  QList<int> replacing;
  for (int n = 0; n < kTagCatalogueSize; ++n) {
    if (ReplacesSelection(TagCatalogue()[n].kind)) replacing.append(n);
  }
  EXPECT_EQ(replacing, (QList<int>{2, 3, 4, 16}));
}

// --- edge ---

TEST(TagCatalogueTest, DescriptionStartsAtCharacter15InEveryLine) {
  for (const TagEntry& entry : TagCatalogue()) {
    EXPECT_EQ(ListText(entry).mid(kTagColumnWidth), QString::fromUtf8(entry.description))
        << entry.tag;
  }
}

TEST(TagCatalogueTest, FillingTwiceGivesTwentyThreeLinesNotFortySix) {
  QStringList lines = {QStringLiteral("left over")};
  FillTagList(lines);
  FillTagList(lines);
  ASSERT_EQ(lines.size(), 23);
  EXPECT_EQ(lines, TagListTexts());
  EXPECT_EQ(lines.front(), QString::fromUtf8("<A>           アンカー"));
  EXPECT_EQ(lines.back(), QString::fromUtf8("<BODY>        ボディ"));
}

TEST(TagCatalogueTest, LayoutEntriesAreToldApartOnlyByTheirTags) {
  EXPECT_STREQ(TagCatalogue()[9].description, TagCatalogue()[10].description);
  EXPECT_NE(TagText(TagCatalogue()[9]), TagText(TagCatalogue()[10]));
}

}  // namespace
}  // namespace yomika
