// SPDX-License-Identifier: MIT
#pragma once
// Tells the form when the focus is about to leave a control, so that a refused year keeps it.
//
// Tab, Shift+Tab, and a click on any other control of the window (a wheel turn over one counts
// as a click) ask the form first. When it refuses, the event is swallowed: the focus stays where
// it is and the clicked control does not act.

#include <QObject>
#include <functional>

class QWidget;

namespace zaveze {

class YearFocusGuard : public QObject {
    Q_OBJECT
  public:
    // `focus_may_leave` asks the form whether the focus may leave the focused control.
    YearFocusGuard(QWidget* window, std::function<bool()> focus_may_leave);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Is_Other_Control(QWidget* target, QWidget* focused) const;

    QWidget* window_;
    std::function<bool()> focus_may_leave_;
};

}  // namespace zaveze
