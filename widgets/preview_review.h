#ifndef YOMIKA_WIDGETS_PREVIEW_REVIEW_H_
#define YOMIKA_WIDGETS_PREVIEW_REVIEW_H_

// The preview's side of the review of readings: marks doubtful ruby elements in the page shown
// and reports clicks on ruby elements. Our script (widgets/preview_review.js) and qwebchannel.js
// run in the page's isolated application world, and the page's QWebChannel is bound to that
// world only, so the page's own scripts (off anyway) never see the channel. The marks change
// the live page only, never the file it came from.
//
// A read-only preview's widgets are disabled and the page takes no input: an event filter on
// the view's render widget sees the click on its way and asks the script what is there. A
// preview that takes input lets the click reach the page, where the script takes a click on a
// ruby element (the page's own action is cancelled). Either way RubyClicked reports it.

#include <QObject>
#include <QPointF>
#include <QVariantList>
#include <functional>
#include <vector>

#include "widgets/preview_marks.h"

class QWebChannel;
class QWebEngineView;

namespace yomika {

class PreviewReview final : public QObject {
  Q_OBJECT
  // The marks as the script reads them: a list of {ordinal, text, reading}.
  Q_PROPERTY(QVariantList marks READ marks NOTIFY marksChanged)

 public:
  // Installs the scripts and the channel in `view`'s page and watches its render widget;
  // owned by `view`.
  explicit PreviewReview(QWebEngineView* view);

  // The elements to mark, in this page and in every page shown after it.
  void SetMarks(const std::vector<PreviewMark>& marks);
  // Scrolls the k-th ruby element of the page into view and reports it like a click.
  void Reveal(int ordinal);
  // The next page that loads scrolls to where this one stands now.
  void KeepScrollForNextPage();
  void SetRubyClickedCallback(std::function<void(const RubyClick&)> callback) {
    on_ruby_clicked_ = std::move(callback);
  }

  QVariantList marks() const { return marks_; }
  // What the current page's script reported: its ruby elements (-1 before it is ready) and
  // how many of them it marked.
  int ruby_count() const { return ruby_count_; }
  int marked_count() const { return marked_count_; }

  // From the script.
  Q_INVOKABLE void rubyClicked(int ordinal, const QString& text, const QString& reading,
                               double left, double top, double width, double height);
  Q_INVOKABLE void ready(int ruby_count);
  Q_INVOKABLE void marksApplied(int count);

 signals:
  // To the script.
  void marksChanged();
  void clickAt(double x, double y);
  void reveal(int ordinal);
  void scrollTo(double x, double y);
  // The script answered ready(), or marksApplied() (tests wait for these).
  void PageReady();
  void MarksApplied();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWebEngineView* view_;
  QWebChannel* channel_;
  QVariantList marks_;
  std::function<void(const RubyClick&)> on_ruby_clicked_;
  QPointF press_at_;
  bool pressed_ = false;
  bool keep_scroll_ = false;
  QPointF scroll_to_;
  int ruby_count_ = -1;
  int marked_count_ = 0;
};

}  // namespace yomika

#endif  // YOMIKA_WIDGETS_PREVIEW_REVIEW_H_
