#include "widgets/whole_text_on_focus.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QObject>

namespace yomika {
namespace {

class WholeTextOnFocus final : public QObject {
 public:
  explicit WholeTextOnFocus(QLineEdit* edit) : QObject(edit), edit_(edit) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != edit_) return false;
    switch (event->type()) {
      case QEvent::FocusIn:
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
          // The press that brought the focus arrives next; its release selects.
          clicking_in_ = true;
        } else {
          // Queued, after the line edit's own handling of the focus.
          QMetaObject::invokeMethod(edit_, &QLineEdit::selectAll, Qt::QueuedConnection);
        }
        return false;
      case QEvent::FocusOut:
        clicking_in_ = false;
        return false;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        // Neither a caret nor a dragged selection while the focusing click lasts.
        return clicking_in_;
      case QEvent::MouseButtonRelease:
        if (!clicking_in_) return false;
        clicking_in_ = false;
        edit_->selectAll();
        return true;
      default:
        return false;
    }
  }

 private:
  QLineEdit* edit_;
  bool clicking_in_ = false;
};

}  // namespace

void SelectWholeTextOnFocus(QLineEdit* edit) {
  edit->installEventFilter(new WholeTextOnFocus(edit));  // owned by `edit`
}

}  // namespace yomika
