// SPDX-License-Identifier: MIT
#include "window/qt/long_job.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <thread>

#include "form/progress_text.h"
#include "window/qt/qt_bridge.h"

namespace zaveze {
namespace {

// Holds back the user's input to the window while a job runs; the progress dialog, once shown,
// is modal and gets its own.
class InputHold : public QObject {
  public:
    explicit InputHold(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    ~InputHold() override { qApp->removeEventFilter(this); }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Wheel:
            case QEvent::Drop:
            case QEvent::Close:
                return Belongs_To_Window(watched);
            default:
                return false;
        }
    }

  private:
    bool Belongs_To_Window(QObject* watched) const {
        if (watched == window_->windowHandle()) {
            return true;
        }
        const auto* widget = qobject_cast<QWidget*>(watched);
        return widget != nullptr && widget->window() == window_;
    }

    QWidget* window_;
};

class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

void Run_Long_Job(QWidget* window, const QString& label, std::uint64_t total_bytes,
                  const std::function<void(JobControl&)>& job) {
    const InputHold hold(window);
    const BusyCursor busy;
    JobControl control;
    QEventLoop loop;
    std::thread worker([&] {
        job(control);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    // Progress in KiB, so that files of any size fit the dialog's range.
    QProgressDialog progress(label, QObject::tr("Cancel"), 0, static_cast<int>(total_bytes >> 10),
                             window);
    progress.setWindowTitle(window->windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(static_cast<int>(form::kProgressDelay.count()));
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setValue(0);  // starts the wait before the dialog appears
    QObject::connect(&progress, &QProgressDialog::canceled,
                     [&control] { control.cancelled = true; });
    QTimer updates;
    QObject::connect(&updates, &QTimer::timeout, [&] {
        const std::uint64_t done = control.bytes_done.load();
        progress.setLabelText(To_QString(form::Progress_Text(To_Utf8(label), done, total_bytes)));
        if (total_bytes > 0) {
            progress.setValue(static_cast<int>(std::min(done, total_bytes) >> 10));
        } else {
            progress.setValue(0);
        }
    });
    updates.start(static_cast<int>(form::kProgressInterval.count()));
    loop.exec();
    worker.join();
}

}  // namespace zaveze
