#ifndef YOMIKA_WIDGETS_WHOLE_TEXT_ON_FOCUS_H_
#define YOMIKA_WIDGETS_WHOLE_TEXT_ON_FOCUS_H_

// Short entry fields whose whole text is selected whenever they get the focus, so that what
// is typed replaces it: by Tab and by a click alike. A click that brings the focus selects
// the text when the button is released and places no caret, even if the pointer moved while
// the button was down; a click into a field that has the focus already places the caret.

class QLineEdit;

namespace yomika {

// Installs the behaviour on `edit` (a filter object owned by `edit`).
void SelectWholeTextOnFocus(QLineEdit* edit);

}  // namespace yomika

#endif  // YOMIKA_WIDGETS_WHOLE_TEXT_ON_FOCUS_H_
