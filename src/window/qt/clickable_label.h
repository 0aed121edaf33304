// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace zaveze {

// A label that reports a click anywhere on it.
class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        QLabel::mouseReleaseEvent(event);
    }
};

}  // namespace zaveze
