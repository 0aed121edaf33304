#pragma once

#include <QTimeEdit>

namespace zaveze {

// A time-of-day picker that Tab leaves, like every other control of the window; the arrow keys
// move between hours, minutes and seconds.
class TimePicker : public QTimeEdit {
    Q_OBJECT
  public:
    using QTimeEdit::QTimeEdit;

  protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

}  // namespace zaveze
