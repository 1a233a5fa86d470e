#include "widgets/preview_review.h"

#include <QEvent>
#include <QFile>
#include <QMouseEvent>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

namespace yomika {
namespace {

// How far the mouse may move between press and release for a click (pixels).
constexpr double kClickSlop = 4;

QString ReadResource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

QWebEngineScript IsolatedScript(const QString& name, const QString& source,
                                QWebEngineScript::InjectionPoint point) {
  QWebEngineScript script;
  script.setName(name);
  script.setSourceCode(source);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setInjectionPoint(point);
  script.setRunsOnSubFrames(false);
  return script;
}

}  // namespace

PreviewReview::PreviewReview(QWebEngineView* view)
    : QObject(view), view_(view), channel_(new QWebChannel(this)) {
  QWebEnginePage* page = view_->page();
  // One script, once the document is parsed: no script world of ours exists while a page
  // loads, so a page too big for the renderer's memory ends it as it would without us.
  page->scripts().insert(IsolatedScript(
      QStringLiteral("yomika-review"),
      ReadResource(QStringLiteral(":/qtwebchannel/qwebchannel.js")) + QStringLiteral(";\n") +
          ReadResource(QStringLiteral(":/review/preview_review.js")),
      QWebEngineScript::DocumentReady));
  channel_->registerObject(QStringLiteral("yomika"), this);
  page->setWebChannel(channel_, QWebEngineScript::ApplicationWorld);
  connect(view_, &QWebEngineView::loadStarted, this, [this] {
    ruby_count_ = -1;
    marked_count_ = 0;
  });
  view_->installEventFilter(this);
  for (QObject* child : view_->children()) {
    if (child->isWidgetType()) child->installEventFilter(this);
  }
}

void PreviewReview::SetMarks(const std::vector<PreviewMark>& marks) {
  marks_.clear();
  for (const PreviewMark& mark : marks) {
    marks_.append(QVariantMap{{QStringLiteral("ordinal"), mark.ordinal},
                              {QStringLiteral("text"), mark.text},
                              {QStringLiteral("reading"), mark.reading}});
  }
  emit marksChanged();
}

void PreviewReview::Reveal(int ordinal) { emit reveal(ordinal); }

void PreviewReview::KeepScrollForNextPage() {
  keep_scroll_ = true;
  scroll_to_ = view_->page()->scrollPosition();
}

void PreviewReview::rubyClicked(int ordinal, const QString& text, const QString& reading,
                                double left, double top, double width, double height) {
  if (!on_ruby_clicked_) return;
  // CSS pixels of the page to pixels of the view.
  const double zoom = view_->zoomFactor();
  const QRectF in_view(left * zoom, top * zoom, width * zoom, height * zoom);
  const QRect rect = in_view.toAlignedRect();
  on_ruby_clicked_(
      {ordinal, text, reading, QRect(view_->mapToGlobal(rect.topLeft()), rect.size())});
}

void PreviewReview::ready(int ruby_count) {
  ruby_count_ = ruby_count;
  if (keep_scroll_) {
    keep_scroll_ = false;
    emit scrollTo(scroll_to_.x(), scroll_to_.y());
  }
  emit PageReady();
}

void PreviewReview::marksApplied(int count) {
  marked_count_ = count;
  emit MarksApplied();
}

bool PreviewReview::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_) {
    // The view makes its render widget when it first shows a page, and anew after a crash;
    // the widget is the view's only child widget.
    if (event->type() == QEvent::ChildAdded) {
      QObject* child = static_cast<QChildEvent*>(event)->child();
      if (child->isWidgetType()) child->installEventFilter(this);
    }
    return false;
  }
  // Only a preview that takes no input needs us to see the click; otherwise the page does.
  if (watched->parent() != view_ || view_->isEnabled()) return false;
  if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease) {
    return false;
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return false;
  if (event->type() == QEvent::MouseButtonPress) {
    pressed_ = true;
    press_at_ = mouse->position();
  } else if (pressed_) {
    pressed_ = false;
    const QPointF moved = mouse->position() - press_at_;
    if (qAbs(moved.x()) <= kClickSlop && qAbs(moved.y()) <= kClickSlop) {
      const double zoom = view_->zoomFactor();
      emit clickAt(mouse->position().x() / zoom, mouse->position().y() / zoom);
    }
  }
  return false;
}

}  // namespace yomika
