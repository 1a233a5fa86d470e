#include "widgets/source_tag_colours.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "engine/source_tags.h"
#include "widgets/rich_text_pane.h"

namespace yomika {
namespace {

// Every span of `spans` shown in `colour`.
void AddRanges(QList<QTextLayout::FormatRange>& ranges, const std::vector<ColourSpan>& spans,
               Colour colour) {
  QTextCharFormat format;  // shared by the ranges
  format.setForeground(ToQColor(colour));
  for (const ColourSpan& span : spans) {
    ranges.append({static_cast<int>(span.start), static_cast<int>(span.length), format});
  }
}

}  // namespace

SourceTagColours::SourceTagColours(QTextDocument* document)
    : QObject(document), document_(document) {
  // The document reports a change before its layout sees it, so the new lines are laid out
  // once, with their colours.
  connect(document, &QTextDocument::contentsChange, this, &SourceTagColours::OnContentsChange);
}

void SourceTagColours::SetColouring(bool tags, bool readings) {
  tags_ = tags;
  readings_ = readings;
}

void SourceTagColours::OnContentsChange(int from, int, int added) {
  const QTextBlock last = document_->findBlock(from + added);
  for (QTextBlock block = document_->findBlock(from); block.isValid(); block = block.next()) {
    ColourBlock(block);
    if (block == last) break;
  }
}

void SourceTagColours::ColourBlock(const QTextBlock& block) const {
  const QString text = block.text();
  QList<QTextLayout::FormatRange> ranges;
  if (tags_) {
    for (const char16_t* tag : kRubyTags) {
      AddRanges(ranges, FindTagOccurrences(text, tag, kTagColour), kTagColour);
    }
  }
  // Later ranges win where they overlap, as the readings did over the tags.
  if (readings_) AddRanges(ranges, FindRubyTextSpans(text), kRubyTextColour);
  QTextLayout* layout = block.layout();
  if (ranges.isEmpty() && layout->formats().isEmpty()) return;
  layout->setFormats(ranges);
  // Inside the change report this only widens the range the layout is about to redo.
  document_->markContentsDirty(block.position(), block.length());
}

}  // namespace yomika
