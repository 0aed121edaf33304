// SPDX-License-Identifier: MIT
#pragma once

#include <QKeyEvent>
#include <QTimeEdit>

namespace zaveze {

// A time-of-day picker that Tab and Shift+Tab leave, like every other control of the window. The
// keys that step between hours, minutes and seconds (the arrows, and the separators ":", "." and
// blank while typing a time) keep working as Qt makes them work.
class TimePicker : public QTimeEdit {
    Q_OBJECT
  public:
    using QTimeEdit::QTimeEdit;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool plain = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
            if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
                // QDateTimeEdit's own override steps between the sections; the window's focus
                // chain is QWidget's.
                QWidget::focusNextPrevChild(  // NOLINT(bugprone-parent-virtual-call)
                    key->key() == Qt::Key_Tab);
                return true;
            }
        }
        return QTimeEdit::event(event);
    }
};

}  // namespace zaveze
