// SPDX-License-Identifier: MIT
// Long jobs run off the interface thread: the progress dialog appears only for a slow job, and
// Cancel leaves nothing behind and the window as it was before the click.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <thread>

#include "core/files/file_descriptor.h"
#include "window_fixture.h"

using zaveze::FileDescriptor;
using zaveze::testing::WindowFixture;
using Side = WindowFixture::Side;

namespace {

// Counts the progress dialogs that were shown.
class ProgressWatch : public QObject {
  public:
    ProgressWatch() { qApp->installEventFilter(this); }
    ~ProgressWatch() override { qApp->removeEventFilter(this); }
    int shown = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QProgressDialog*>(watched) != nullptr) {
            ++shown;
        }
        return false;
    }
};

// Feeds a FIFO slowly, as a slow disk or network would deliver a large file, until stopped or
// until the reader goes away.
class SlowFeeder {
  public:
    SlowFeeder(std::string fifo, std::string start)
        : thread_([this, fifo = std::move(fifo), start = std::move(start)] {
              const FileDescriptor out(::open(fifo.c_str(), O_WRONLY));
              if (!zaveze::Write_All(out.Get(), start)) {
                  return;
              }
              const std::string block(64 << 10, ' ');
              while (!stop_ && zaveze::Write_All(out.Get(), block)) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              }
          }) {}
    ~SlowFeeder() {
        stop_ = true;
        thread_.join();
    }

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Presses Cancel on the progress dialog once it shows; remembers whether it did.
void Cancel_When_Shown(bool& cancelled) {
    QTimer::singleShot(900, [&cancelled] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(widget);
            if (progress != nullptr && progress->isVisible()) {
                auto* button = progress->findChild<QPushButton*>();
                QTest::mouseClick(button, Qt::LeftButton);
                cancelled = true;
            }
        }
    });
}

}  // namespace

class LongJobTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;
    std::string fifo;

  private slots:
    void init() {
        std::signal(SIGPIPE, SIG_IGN);
        f = std::make_unique<WindowFixture>();
        fifo = f->folder.File("slow.kml");
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    }
    void cleanup() { f.reset(); }

    void aQuickJobShowsNoProgress() {
        const ProgressWatch watch;
        f->Choose_Input();
        f->Enter_Date(Side::Begin, "2007");
        f->services.chosen_files.push_back(f->folder.File("out.kml"));
        f->Click("cmdOutputFile");
        f->Click("cmdTimestamp");
        QCOMPARE(watch.shown, 0);
        QCOMPARE(
            f->Messages(),
            QStringList{"File " + QString::fromStdString(f->folder.File("out.kml")) + " created."});
    }

    void cancellingASlowCheckDoesNotTakeTheFile() {
        const ProgressWatch watch;
        const SlowFeeder feeder(fifo, "<kml><Document>");
        bool cancelled = false;
        Cancel_When_Shown(cancelled);
        f->services.chosen_files.push_back(fifo);
        f->Click("cmdInputFile");
        QVERIFY(cancelled);
        QCOMPARE(watch.shown, 1);
        QCOMPARE(f->Text("txtInputFile"), QString());
        QVERIFY(!f->Enabled("txtBegin_Year"));
        QVERIFY(f->services.messages.empty());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void cancellingASlowEmbeddingLeavesNothing() {
        Write_Through_Fifo_Once();
        f->Enter_Date(Side::Begin, "2007");
        f->services.chosen_files.push_back(f->folder.File("out.kml"));
        f->Click("cmdOutputFile");

        const ProgressWatch watch;
        const SlowFeeder feeder(fifo, "<kml><Document>");
        bool cancelled = false;
        Cancel_When_Shown(cancelled);
        f->Click("cmdTimestamp");
        QVERIFY(cancelled);
        QCOMPARE(watch.shown, 1);
        QVERIFY(f->services.messages.empty());
        QCOMPARE(f->folder.Names(), std::vector<std::string>{"slow.kml"});
        QCOMPARE(f->Text("txtBegin_Year"), QString("2007"));  // no reset
        QVERIFY(f->Enabled("cmdTimestamp"));
    }

  private:
    // Chooses the FIFO as input while a writer hands it a small, complete KML file.
    void Write_Through_Fifo_Once() {
        std::thread writer([this] {
            const FileDescriptor out(::open(fifo.c_str(), O_WRONLY));
            zaveze::Write_All(out.Get(), "<kml><Document></Document></kml>");
        });
        f->services.chosen_files.push_back(fifo);
        f->Click("cmdInputFile");
        writer.join();
        QCOMPARE(f->Text("txtInputFile"), QString::fromStdString(fifo));
    }
};

QTEST_MAIN(LongJobTest)
#include "long_job_test.moc"
