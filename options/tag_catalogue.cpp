#include "options/tag_catalogue.h"

#include <array>

namespace yomika {
namespace {

using enum InsertionKind;

constexpr std::array<TagEntry, kTagCatalogueSize> kCatalogue = {{
    {"<A>", "アンカー", kAnchor},
    {"<!-- -->", "コメント", kCommentWrap},
    {"<IMG>", "イメージ", kImageTemplate},
    {"<HR>", "水平ライン", kSingleTag},
    {"<BR>", "改行", kSingleTag},
    {"<PRE>", "プレーンテキスト", kWrap},
    {"<B>", "ボールド", kWrap},
    {"<I>", "イタリック", kWrap},
    {"<U>", "アンダーライン", kWrap},
    {"<DIV>", "レイアウト", kWrap},
    {"<SPAN>", "レイアウト", kWrap},
    {"<TABLE>", "テーブル", kWrap},
    {"<TR>", "テーブル行", kWrap},
    {"<TH>", "テーブルヘッダー", kWrap},
    {"<TD>", "テーブルデータ", kWrap},
    {"<FORM>", "フォーム", kWrap},
    {"<INPUT>", "入力コントロール", kInputTemplate},
    {"<SELECT>", "リスト", kWrap},
    {"<OPTION>", "リストデータ", kWrap},
    {"<HTML>", "ＨＴＭＬ", kWrap},
    {"<HEAD>", "ヘッダー", kWrap},
    {"<TITLE>", "タイトル", kWrap},
    {"<BODY>", "ボディ", kWrap},
}};

}  // namespace

std::span<const TagEntry> TagCatalogue() { return kCatalogue; }

QString TagText(const TagEntry& entry) { return QString::fromUtf8(entry.tag); }

QString ListText(const TagEntry& entry) {
  return TagText(entry).leftJustified(kTagColumnWidth, QLatin1Char(' ')) +
         QString::fromUtf8(entry.description);
}

bool ReplacesSelection(InsertionKind kind) {
  return kind == kImageTemplate || kind == kSingleTag || kind == kInputTemplate;
}

QStringList TagMenuCaptions() {
  QStringList captions;
  captions.reserve(kTagCatalogueSize);
  for (const TagEntry& entry : kCatalogue) captions.append(TagText(entry));
  return captions;
}

QStringList TagListTexts() {
  QStringList lines;
  FillTagList(lines);
  return lines;
}

void FillTagList(QStringList& lines) {
  lines.clear();
  for (const TagEntry& entry : kCatalogue) lines.append(ListText(entry));
}

}  // namespace yomika
