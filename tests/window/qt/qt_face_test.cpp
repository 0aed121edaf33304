// SPDX-License-Identifier: MIT
// What the Qt face adds to the form: widgets built from the control table, the user's keys,
// clicks, picks and drops reaching the form, the year check holding the real focus, Qt's time
// pickers, the progress dialog of a slow job, and a dark palette.
// With ZAVEZE_PICTURE_DIR set, the dark-palette test leaves its picture there (tools/screenshot).

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QLocale>
#include <QMimeData>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <csignal>
#include <thread>

#include "core/files/file_descriptor.h"
#include "form/control_table.h"
#include "window/qt/time_format.h"
#include "window_fixture.h"

using zaveze::testing::WindowFixture;
using Side = WindowFixture::Side;

namespace {

const QString kNotANumber = "Please enter a valid number for the year";

// Drags a file onto the window and drops it there, when the window takes it; says whether it did.
bool Drop_File(QWidget* window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint where = window->rect().center();
    QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    return true;
}

// The contrast ratio of the web's accessibility guidelines: 1 (none) to 21.
double Contrast(QColor a, QColor b) {
    const auto luminance = [](QColor colour) {
        const auto channel = [](double value) {
            value /= 255.0;
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
               0.0722 * channel(colour.blue());
    };
    const double light = std::max(luminance(a), luminance(b));
    const double dark = std::min(luminance(a), luminance(b));
    return (light + 0.05) / (dark + 0.05);
}

QPalette Dark_Palette() {
    QPalette dark(QColor("#35363a"), QColor("#202124"));  // button and window colours
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, QColor("#e8eaed"));
        dark.setColor(QPalette::Disabled, role, QColor("#80868b"));
    }
    dark.setColor(QPalette::Base, QColor("#2b2c30"));
    dark.setColor(QPalette::Link, QColor("#8ab4f8"));
    return dark;
}

}  // namespace

class QtFaceTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

  private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    // A path the form sets into a text box shows its end, the file's name, however long it is.
    void aLongPathShowsItsEnd() {
        const QString name = QString(120, 'x') + "_trip_2023-03-15_to_2024-02-29.kml";
        f->Choose_Input(name);
        auto* box = f->Get<QLineEdit>("txtInputFile");
        QVERIFY(box->text().endsWith(name));
        QCOMPARE(box->cursorPosition(), box->text().size());
    }

    // Every control is built as the table says: place, caption, tool tip, font and frame (the
    // captions the start-up sets are the exceptions); the window is fixed, titled, centred on
    // the free area, with its icon, and the focus in the input box.
    void theWindowIsBuiltFromTheTable() {
        for (const zaveze::form::ControlSpec& spec : zaveze::form::Control_Table()) {
            const std::string name(spec.name);
            QWidget* control = f->Get(name.c_str());
            const auto& [x, y, width, height] = spec.place;
            QCOMPARE(control->geometry(), QRect(x, y, width, height));
            QCOMPARE(control->toolTip(), QString::fromStdString(std::string(spec.tool_tip)));
            QCOMPARE(control->font().pointSizeF(), spec.font.points);
            QCOMPARE(control->font().bold(), spec.font.bold);
            QCOMPARE(control->parentWidget(),
                     spec.frame.empty() ? &f->Window() : f->Get(std::string(spec.frame).c_str()));
            if (name != "lblTime_Zone" && name != "lblBegin_Date_Label" && !spec.caption.empty()) {
                QCOMPARE(f->Text(name.c_str()), QString::fromStdString(std::string(spec.caption)));
            }
        }
        QCOMPARE(f->Get<QTimeEdit>("dtPickBegin")->displayFormat(), QString("HH:mm:ss"));
        QCOMPARE(f->Window().windowTitle(), QString("Zaveze"));
        QCOMPARE(f->Window().minimumSize(), QSize(1010, 442));
        QCOMPARE(f->Window().maximumSize(), QSize(1010, 442));
        QVERIFY(!f->Window().windowIcon().pixmap(32, 32).toImage().isNull());
        const QRect available = QApplication::primaryScreen()->availableGeometry();
        QVERIFY((f->Window().frameGeometry().center() - available.center()).manhattanLength() <= 2);
        QCOMPARE(QApplication::focusWidget(), f->Get("txtInputFile"));
    }

    // A window that does not fit the screen's free area (192 dpi on a 1920 x 1200 screen, run so
    // by its own CTest entry) is scaled down as a whole until its frame fits: every place and
    // font by one factor.
    void aWindowTooLargeForTheScreenIsScaledDownToFit() {
        const QRect available = QApplication::primaryScreen()->availableGeometry();
        const QRect frame = f->Window().frameGeometry();
        QVERIFY2(available.contains(frame), qPrintable(QString("%1 x %2 in %3 x %4")
                                                           .arg(frame.width())
                                                           .arg(frame.height())
                                                           .arg(available.width())
                                                           .arg(available.height())));
        const int borders = frame.width() - f->Window().width();
        const double factor = f->Window().width() / 1010.0;
        QVERIFY(factor == 1 || frame.width() >= available.width() - 3);
        QVERIFY(factor == 1 || available.width() < 1010 + borders);
        for (const zaveze::form::ControlSpec& spec : zaveze::form::Control_Table()) {
            const QWidget* control = f->Get(std::string(spec.name).c_str());
            QVERIFY(std::abs(control->x() - spec.place.x * factor) <= 1);
            QVERIFY(std::abs(control->width() - spec.place.width * factor) <= 1);
            QVERIFY(std::abs(control->font().pointSizeF() - spec.font.points * factor) < 0.01);
        }
    }

    // Every control that takes the focus tells a screen reader what it is; labels lead to their
    // boxes.
    void everyFocusableControlHasAnAccessibleName() {
        for (QWidget* control : f->Window().findChildren<QWidget*>()) {
            // Qt's own inner parts (a picker's text box) speak for their control.
            if ((control->focusPolicy() & Qt::TabFocus) == 0 || control->window() != &f->Window() ||
                control->objectName().startsWith("qt_")) {
                continue;
            }
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(!accessible->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(control->objectName()));
        }
        for (auto* list : f->Window().findChildren<QComboBox*>()) {
            QVERIFY2(!list->view()->accessibleName().isEmpty(), qPrintable(list->objectName()));
        }
        QCOMPARE(f->Get<QLabel>("lblEnd_Day")->buddy(), f->Get("comboEnd_Day"));
        QCOMPARE(f->Get("dtPickEnd")->accessibleName(), QString("End time"));
    }

    // Tab follows the table's focus order; of the two options only the selected one takes it.
    void tabFollowsTheFocusOrder() {
        f->Choose_Input();
        f->Enter_Date(Side::Begin, "2007", "10", "02");
        f->Enter_Date(Side::End, "2008", "01", "05");
        f->Click("chkSet_Time");
        f->Type("txtOutputFile", "x");
        f->Get("txtInputFile")->setFocus();
        QStringList expected;
        for (const std::string_view name : zaveze::form::Focus_Order()) {
            if (name != "optTimeStamp" && name != "chkUTC") {  // chkUTC is disabled by now
                expected << QString::fromUtf8(name.data(), static_cast<int>(name.size()));
            }
        }
        expected.move(0, expected.size() - 1);  // starting from the input box, back to it
        QStringList visited;
        for (int step = 0; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            while (focused->objectName().isEmpty()) {  // a picker's inner text box
                focused = focused->parentWidget();
            }
            visited << focused->objectName();
        }
        QCOMPARE(visited, expected);
    }

    // Keys typed, lists picked with the keyboard, boxes and options clicked: each reaches its
    // handler, and what the handlers set from code runs the handlers it should.
    void userActionsReachTheForm() {
        f->Choose_Input();
        f->Type("txtBegin_Year", "2008");
        QCOMPARE(f->Get<QComboBox>("comboBegin_Month")->count(), 12);
        QCOMPARE(f->Get<QComboBox>("comboBegin_Month")->currentIndex(), -1);
        f->Pick("comboBegin_Month", "02");
        QCOMPARE(f->Get<QComboBox>("comboBegin_Day")->count(), 29);
        f->Click("chkSet_Time");
        QVERIFY(f->Get<QCheckBox>("chkUTC")->isChecked() && f->Shown("comboTime_Zone"));
        f->Pick("comboTime_Zone", "-05");
        QCOMPARE(f->Text("lblTime_Zone"), QString("-05"));
        f->Get("optTimeSpan")->setFocus();
        QTest::keyClick(f->Get("optTimeSpan"), Qt::Key_Right);  // arrows move the option
        QCOMPARE(f->Text("lblBegin"), QString("Enter date to TimeStamp file with"));
        f->Click("cmdReset");
        QCOMPARE(f->Text("txtBegin_Year"), QString());
        QVERIFY(!f->Get<QCheckBox>("chkSet_Time")->isChecked() && !f->Shown("dtPickBegin"));
        QVERIFY(f->Messages().isEmpty());
        f->Click("cmdExit");
        QVERIFY(!f->Window().isVisible());
    }

    // A refused year keeps the real focus against Tab, clicks on other controls, a wheel turn and
    // a drop; clicks on the box itself or on a label are no leaving.
    void theYearCheckHoldsTheFocus() {
        f->Choose_Input();
        f->Type("txtBegin_Year", "2007");
        f->Pick("comboBegin_Month", "10");
        f->Type("txtBegin_Year", "x");
        f->Tab("txtBegin_Year");
        for (const char* control : {"cmdReset", "optTimeStamp", "chkUTC", "lblWebsite"}) {
            f->Click(control);
        }
        auto* month = f->Get<QComboBox>("comboBegin_Month");
        const QPoint where = month->mapTo(&f->Window(), month->rect().center());
        QWheelEvent wheel(where, f->Window().mapToGlobal(where), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(f->Window().windowHandle(), &wheel);
        QVERIFY(Drop_File(&f->Window(), QString::fromStdString(f->folder.File("trip.kml"))));
        QCOMPARE(f->Messages(), QStringList(7, kNotANumber));
        QCOMPARE(QApplication::focusWidget(), f->Get("txtBegin_Year"));
        QCOMPARE(month->currentIndex(), -1);
        QCOMPARE(f->Text("txtBegin_Year"), QString("2007x"));
        QVERIFY(f->services.guide_sections.empty());
        f->Click("txtBegin_Year");
        f->Click("lblBegin");
        QVERIFY(f->Messages().isEmpty());

        // With no window active Qt reports no focus widget; the refused year still holds.
        {
            QWidget message_box;  // stands in for the "Data Error" box, which takes the focus
            message_box.show();
            QVERIFY(QTest::qWaitForWindowActive(&message_box));
        }
        QCoreApplication::processEvents();
        QVERIFY(QApplication::focusWidget() == nullptr);
        f->Click("optTimeStamp");
        QCOMPARE(f->Messages(), QStringList{kNotANumber});
        QVERIFY(!f->Get<QRadioButton>("optTimeStamp")->isChecked());
    }

    void aDroppedKmlFileIsTakenOthersRefused() {
        const QString path = QString::fromStdString(f->folder.File("dropped.KML"));
        zaveze::testing::Write_File(path.toStdString(), zaveze::testing::kSampleKml);
        QVERIFY(Drop_File(&f->Window(), path));
        QCOMPARE(f->Text("txtInputFile"), path);
        QVERIFY(!Drop_File(&f->Window(), QString::fromStdString(f->folder.File("notes.txt"))));
    }

    // Typing a time steps through the picker's sections as Qt makes them step; only Tab leaves
    // it. A whole job with that time and a zone with minutes writes the bytes zaveze-embed
    // writes for the same dates.
    void aWholeJobWithATypedTimeAndZoneMatchesTheCommandLine() {
        const QString input = f->Choose_Input();
        f->Enter_Date(Side::Begin, "2007", "10", "02");
        f->Click("chkSet_Time");
        auto* picker = f->Get<QTimeEdit>("dtPickBegin");
        picker->setFocus();
        picker->setSelectedSection(QDateTimeEdit::HourSection);
        QTest::keyClicks(picker, "154512");
        QCOMPARE(picker->time(), QTime(15, 45, 12));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!picker->isAncestorOf(QApplication::focusWidget()));
        f->Pick("comboTime_Zone", "+05:30");
        QCOMPARE(f->Text("lblTime_Zone"), QString("+05:30"));
        f->Click("cmdAuto_Output");
        const QString output = f->Text("txtOutputFile");
        f->Click("cmdTimestamp");
        QCOMPARE(f->Messages(), QStringList{"File " + output + " created."});

        const QString expected = QString::fromStdString(f->folder.File("expected.kml"));
        QCOMPARE(QProcess::execute(ZAVEZE_EMBED_PROGRAM,
                                   {"-q", "--begin", "2007-10-02", "--time", "15:45:12", "--zone",
                                    "+05:30", input, expected}),
                 0);
        QCOMPARE(zaveze::testing::Read_File(output.toStdString()),
                 zaveze::testing::Read_File(expected.toStdString()));
    }

    // The end picker shows the system's time format without a zone; no locale leaves an empty
    // pair of brackets, a zone letter or stray blanks.
    void timeFormatsLoseTheirZoneInEveryLocale() {
        QCOMPARE(zaveze::Time_Format_Without_Zone("H:mm:ss (t)"), QString("H:mm:ss"));
        QCOMPARE(zaveze::Time_Format_Without_Zone("tttt HH:mm:ss"), QString("HH:mm:ss"));
        QCOMPARE(zaveze::Time_Format_Without_Zone("HH 'at' mm"), QString("HH 'at' mm"));
        const QRegularExpression leftovers(R"(\(\s*\)|\[\s*\]|^\s|\s$)");
        for (const QLocale& locale : QLocale::matchingLocales(
                 QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
            const QString format =
                zaveze::Time_Format_Without_Zone(locale.timeFormat(QLocale::LongFormat));
            QString unquoted = format;
            unquoted.remove(QRegularExpression("'[^']*'"));
            QVERIFY2(!unquoted.contains('t') && !format.contains(leftovers),
                     qPrintable(locale.name() + ": " + format));
        }
    }

    // A check of a slow input (a FIFO fed slowly) shows the progress dialog after half a second;
    // its Cancel leaves the window as it was, without the busy cursor.
    void cancellingASlowCheckDoesNotTakeTheFile() {
        std::signal(SIGPIPE, SIG_IGN);
        const std::string fifo = f->folder.File("slow.kml");
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        std::atomic<bool> stop = false;
        std::thread feeder([&] {
            const zaveze::FileDescriptor out(::open(fifo.c_str(), O_WRONLY));
            const std::string block(64 << 10, ' ');
            while (!stop && zaveze::Write_All(out.Get(), block)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
        QString shown_label;
        QTimer::singleShot(900, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(widget);
                if (progress != nullptr && progress->isVisible()) {
                    shown_label = progress->labelText();
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                }
            }
        });
        f->services.chosen_files.push_back(fifo);
        f->Click("cmdInputFile");
        stop = true;
        feeder.join();
        QVERIFY2(shown_label.startsWith("Checking " + QString::fromStdString(fifo) + "...\n"),
                 qPrintable(shown_label));
        QVERIFY(shown_label.contains(" MiB"));
        QCOMPARE(f->Text("txtInputFile"), QString());
        QVERIFY(!f->Enabled("txtBegin_Year"));
        QVERIFY(f->Messages().isEmpty());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // The website label stays readable on a dark palette (contrast 4.5 at least).
    void theWebsiteLabelIsReadableOnADarkTheme() {
        f.reset();
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        QApplication::setPalette(Dark_Palette());
        f = std::make_unique<WindowFixture>();
        f->Choose_Input("sundials.kml");
        f->Enter_Date(Side::Begin, "1851", "06", "02");
        f->Enter_Date(Side::End, "1851", "11", "16");
        f->Click("cmdVerify_Dates");
        f->Click("cmdAuto_Output");
        QCoreApplication::processEvents();
        const QImage picture = f->Window().grab().toImage();
        if (const QByteArray folder = qgetenv("ZAVEZE_PICTURE_DIR"); !folder.isEmpty()) {
            picture.save(QString::fromLocal8Bit(folder) + "/zaveze-window-dark.png");
        }
        QWidget* label = f->Get("lblWebsite");
        const QRect area(label->mapTo(&f->Window(), QPoint(0, 0)), label->size());
        double best = 1.0;  // the text's own colour is the one farthest from the background
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                best = std::max(best, Contrast(picture.pixelColor(x, y), QColor("#202124")));
            }
        }
        QVERIFY2(best >= 4.5, qPrintable(QString::number(best)));
        QApplication::setPalette(QPalette());
    }
};

QTEST_MAIN(QtFaceTest)
#include "qt_face_test.moc"
