// SPDX-License-Identifier: MIT
#include "window/qt/year_focus_guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace zaveze {

YearFocusGuard::YearFocusGuard(QWidget* window, std::function<bool()> focus_may_leave)
    : QObject(window), window_(window), focus_may_leave_(std::move(focus_may_leave)) {
    qApp->installEventFilter(this);
}

// A control of the window other than the focused one: something that takes the focus when
// clicked, or acts on a click without taking it (the website label).
bool YearFocusGuard::Is_Other_Control(QWidget* target, QWidget* focused) const {
    for (QWidget* widget = target; widget != nullptr && widget != window_;
         widget = widget->parentWidget()) {
        if (widget == focused) {
            return false;
        }
        if (widget->isEnabled() && ((widget->focusPolicy() & Qt::ClickFocus) != 0 ||
                                    widget->cursor().shape() == Qt::PointingHandCursor)) {
            return true;
        }
    }
    return false;
}

// Qt moves the focus to a clicked control before the press reaches that control, so presses and
// wheel turns are looked at when they reach the window itself, and Tab when it reaches the
// focused control.
bool YearFocusGuard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
        return tab && watched == window_->focusWidget() && !focus_may_leave_();
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::Wheel) {
        return false;
    }
    if (watched != window_->windowHandle()) {
        return false;
    }
    // A wheel over a list or a picker gives it the focus just as a click does.
    const QPoint where = type == QEvent::Wheel
                             ? static_cast<QWheelEvent*>(event)->position().toPoint()
                             : static_cast<QMouseEvent*>(event)->position().toPoint();
    return Is_Other_Control(window_->childAt(where), window_->focusWidget()) && !focus_may_leave_();
}

}  // namespace zaveze
