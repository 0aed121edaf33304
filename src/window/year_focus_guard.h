// SPDX-License-Identifier: MIT
#pragma once
// Keeps the focus in a year box while its year is refused.
//
// Before the focus may leave a guarded box (Tab, Shift+Tab, or a click on any other control of
// the window), the box's check runs. When it refuses, the event is swallowed: the focus stays in
// the box and the clicked control does not act. A wheel turn over another control counts as a
// click.

#include <QObject>
#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

namespace zaveze {

class YearFocusGuard : public QObject {
    Q_OBJECT
  public:
    // `may_leave` runs the check for a box (showing its message when it refuses) and says whether
    // the focus may go.
    YearFocusGuard(QWidget* window, std::vector<QLineEdit*> boxes,
                   std::function<bool(QLineEdit*)> may_leave);

    // Runs the check for the guarded box that has the focus, if any: true when nothing holds the
    // focus back. For actions that do not move the focus themselves, such as a file dropped on
    // the window.
    bool Focus_May_Leave();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* Focused_Box() const;
    bool Is_Other_Control(QWidget* target, QLineEdit* box) const;

    QWidget* window_;
    std::vector<QLineEdit*> boxes_;
    std::function<bool(QLineEdit*)> may_leave_;
    bool checking_ = false;
};

}  // namespace zaveze
