// SPDX-License-Identifier: MIT
// What the Qt face adds to the form: the user's keys, clicks, picks and drops reach the form once
// each, the year check holds the real focus, and the time pickers work as Qt makes them work.

#include <QApplication>
#include <QLocale>
#include <QMimeData>
#include <QRegularExpression>

#include "support/two_pass_model.h"
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

}  // namespace

class UserActionsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

  private slots:
    void init() {
        f = std::make_unique<WindowFixture>();
        f->Choose_Input();
    }
    void cleanup() { f.reset(); }

    // Keys typed, lists picked with the keyboard, boxes and options clicked: each reaches its
    // handler, and what the handlers set from code runs the handlers it should, once.
    void userActionsReachTheForm() {
        f->Type("txtBegin_Year", "2008");
        QCOMPARE(f->Get<QComboBox>("comboBegin_Month")->count(), 12);
        QCOMPARE(f->Get<QComboBox>("comboBegin_Month")->currentIndex(), -1);
        f->Pick("comboBegin_Month", "02");
        QCOMPARE(f->Get<QComboBox>("comboBegin_Day")->count(), 29);
        f->Pick("comboBegin_Day", "29");
        QVERIFY(f->Enabled("dtPickBegin"));
        f->Click("chkSet_Time");
        QVERIFY(f->Shown("dtPickBegin"));
        QVERIFY(f->Get<QCheckBox>("chkUTC")->isChecked() && f->Shown("comboTime_Zone"));
        f->Pick("comboTime_Zone", "-05");
        QCOMPARE(f->Text("lblTime_Zone"), QString("-05"));
        f->Click("optTimeStamp");
        QCOMPARE(f->Text("lblBegin"), QString("Enter date to TimeStamp file with"));
        f->Type("txtOutputFile", "o");
        QVERIFY(f->Enabled("cmdTimestamp"));
        f->Click("cmdReset");
        QCOMPARE(f->Text("txtBegin_Year"), QString());
        QCOMPARE(f->Get<QComboBox>("comboTime_Zone")->currentIndex(), -1);
        QVERIFY(!f->Get<QCheckBox>("chkSet_Time")->isChecked() && !f->Shown("dtPickBegin"));
        QVERIFY(f->Messages().isEmpty());
    }

    void arrowKeysSwitchTheMode() {
        f->Get("optTimeSpan")->setFocus();
        QTest::keyClick(f->Get("optTimeSpan"), Qt::Key_Right);
        QVERIFY(f->Get<QRadioButton>("optTimeStamp")->isChecked());
        QCOMPARE(f->Text("lblBegin"), QString("Enter date to TimeStamp file with"));
    }

    // A refused year keeps the real focus against Tab, clicks on other controls and a wheel turn;
    // clicks on the box itself or on a label are no leaving.
    void theYearCheckHoldsTheFocus() {
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
        QCOMPARE(f->Messages(), QStringList(6, kNotANumber));
        QCOMPARE(QApplication::focusWidget(), f->Get("txtBegin_Year"));
        QCOMPARE(month->currentIndex(), -1);
        QCOMPARE(f->Text("txtBegin_Year"), QString("2007x"));
        QVERIFY(!f->Get<QRadioButton>("optTimeStamp")->isChecked());
        QVERIFY(f->services.guide_sections.empty());
        QVERIFY(!Drop_File(&f->Window(), QString::fromStdString(f->folder.File("trip.kml"))) ||
                f->Messages() == QStringList{kNotANumber});

        f->Click("txtBegin_Year");
        f->Click("lblBegin");
        QVERIFY(f->Messages().isEmpty());
    }

    // No window is active, so Qt reports no focus widget; the refused year still holds.
    void theYearCheckHoldsWhenNoWindowIsActive() {
        f->Type("txtBegin_Year", "abc");
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

    // Typing a time steps through the picker's sections at ":" and blanks, as Qt makes them step;
    // only Tab leaves it. The time typed is the one the form reads.
    void typingATimeStaysInThePickerAndIsRead() {
        f->Enter_Date(Side::Begin, "2007", "10", "02");
        f->Enter_Date(Side::End, "2007", "10", "03");
        f->Click("chkSet_Time");
        auto* begin = f->Get<QTimeEdit>("dtPickBegin");
        auto* end = f->Get<QTimeEdit>("dtPickEnd");
        end->setDisplayFormat("h:mm:ss AP");  // a 12-hour system format, as in English
        for (const auto& [picker, typed, expected] :
             {std::tuple{begin, QString("154512"), QTime(15, 45, 12)},
              std::tuple{end, QString("8:30:00 PM"), QTime(20, 30)}}) {
            picker->setFocus();
            picker->setSelectedSection(QDateTimeEdit::HourSection);
            QTest::keyClicks(picker, typed);
            QVERIFY2(picker->isAncestorOf(QApplication::focusWidget()) ||
                         QApplication::focusWidget() == picker,
                     qPrintable(typed));
            QCOMPARE(picker->time().hour() % 12,
                     expected.hour() % 12);  // Qt may step past a section
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!end->isAncestorOf(QApplication::focusWidget()));
        f->Click("cmdVerify_Dates");
        QCOMPARE(f->Text("lblBegin_Date"), QString("2007-10-02 15:45:12"));
    }

    // No locale leaves an empty pair of brackets, a zone letter or stray blanks.
    void timeFormatsLoseTheirZoneInEveryLocale() {
        QCOMPARE(zaveze::Time_Format_Without_Zone("H:mm:ss (t)"), QString("H:mm:ss"));
        QCOMPARE(zaveze::Time_Format_Without_Zone("h:mm:ss AP t"), QString("h:mm:ss AP"));
        QCOMPARE(zaveze::Time_Format_Without_Zone("tttt HH:mm:ss"), QString("HH:mm:ss"));
        QCOMPARE(zaveze::Time_Format_Without_Zone("HH 'at' mm"), QString("HH 'at' mm"));
        const QRegularExpression leftovers(R"(\(\s*\)|\[\s*\]|^\s|\s$)");
        const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                      QLocale::AnyTerritory);
        QVERIFY(locales.size() > 100);
        for (const QLocale& locale : locales) {
            const QString format =
                zaveze::Time_Format_Without_Zone(locale.timeFormat(QLocale::LongFormat));
            QString unquoted = format;
            unquoted.remove(QRegularExpression("'[^']*'"));
            QVERIFY2(!unquoted.contains('t') && !format.contains(leftovers),
                     qPrintable(locale.name() + ": " + format));
        }
    }

    // A whole job through the real window, bytes as the model writes them.
    void aWholeJob() {
        f->Enter_Date(Side::Begin, "2007", "01", "01");
        f->Enter_Date(Side::End, "2007", "12", "31");
        f->Click("cmdAuto_Output");
        f->Click("cmdTimestamp");
        const std::string output = f->folder.File("trip_2007-01-01_to_2007-12-31.kml");
        QCOMPARE(f->Messages(),
                 QStringList{"File " + QString::fromStdString(output) + " created."});
        QCOMPARE(
            zaveze::testing::Read_File(output),
            zaveze::testing::Model_Embed(zaveze::testing::kSampleKml,
                                         {zaveze::TimeMode::TimeSpan, "2007-01-01", "2007-12-31"}));
        QVERIFY(QApplication::overrideCursor() == nullptr);  // the busy cursor is gone again
        QCOMPARE(f->Text("txtInputFile"), QString());
    }
};

QTEST_MAIN(UserActionsTest)
#include "user_actions_test.moc"
