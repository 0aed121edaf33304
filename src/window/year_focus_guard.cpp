// SPDX-License-Identifier: MIT
#include "window/year_focus_guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>

namespace zaveze {

YearFocusGuard::YearFocusGuard(QWidget* window, std::vector<QLineEdit*> boxes,
                               std::function<bool(QLineEdit*)> may_leave)
    : QObject(window), window_(window), boxes_(std::move(boxes)), may_leave_(std::move(may_leave)) {
    qApp->installEventFilter(this);
}

// The box that holds the focus, or held it last when no window is active (after a message box
// closed under a window manager that does not give the focus back): the year in it is still the
// one to check.
QLineEdit* YearFocusGuard::Focused_Box() const {
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr) {
        focused = window_->focusWidget();
    }
    const auto found = std::find(boxes_.begin(), boxes_.end(), focused);
    return found == boxes_.end() ? nullptr : *found;
}

// A control of the window other than the box: something that takes the focus when clicked, or
// acts on a click without taking it (the website label).
bool YearFocusGuard::Is_Other_Control(QWidget* target, QLineEdit* box) const {
    for (QWidget* widget = target; widget != nullptr && widget != window_;
         widget = widget->parentWidget()) {
        if (widget == box) {
            return false;
        }
        if (widget->isEnabled() && ((widget->focusPolicy() & Qt::ClickFocus) != 0 ||
                                    widget->cursor().shape() == Qt::PointingHandCursor)) {
            return true;
        }
    }
    return false;
}

bool YearFocusGuard::Focus_May_Leave() {
    QLineEdit* box = Focused_Box();
    if (box == nullptr || checking_) {
        return true;
    }
    checking_ = true;
    const bool may_leave = may_leave_(box);
    checking_ = false;
    if (!may_leave) {
        box->setFocus(Qt::OtherFocusReason);
    }
    return may_leave;
}

// Qt moves the focus to a clicked control before the press reaches that control, so presses and
// wheel turns are looked at when they reach the window itself, and Tab when it reaches the box.
bool YearFocusGuard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::Wheel && type != QEvent::KeyPress) {
        return false;
    }
    QLineEdit* box = Focused_Box();
    if (box == nullptr || checking_) {
        return false;
    }
    if (type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched != box || (key != Qt::Key_Tab && key != Qt::Key_Backtab)) {
            return false;
        }
    } else {
        if (watched != window_->windowHandle()) {
            return false;
        }
        // A wheel over a list or a picker gives it the focus just as a click does.
        const QPoint where = type == QEvent::Wheel
                                 ? static_cast<QWheelEvent*>(event)->position().toPoint()
                                 : static_cast<QMouseEvent*>(event)->position().toPoint();
        if (!Is_Other_Control(window_->childAt(where), box)) {
            return false;
        }
    }
    return !Focus_May_Leave();
}

}  // namespace zaveze
