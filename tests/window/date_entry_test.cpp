// SPDX-License-Identifier: MIT
// Typing years, picking months and days, and the check of the year when the focus leaves it.

#include <QApplication>

#include "window_fixture.h"

using zaveze::MessageButtons;
using zaveze::MessageIcon;
using zaveze::testing::WindowFixture;

namespace {

QStringList Numbers(int last) {
    QStringList numbers;
    for (int n = 1; n <= last; ++n) {
        numbers << QString("%1").arg(n, 2, 10, QChar('0'));
    }
    return numbers;
}

}  // namespace

class DateEntryTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

  private slots:
    void init() {
        f = std::make_unique<WindowFixture>();
        f->Choose_Input();
    }
    void cleanup() { f.reset(); }

    void typingAYearFillsTheMonthsAndEnablesTheDateCommands() {
        f->Type("txtBegin_Year", "2");
        QVERIFY(f->Enabled("comboBegin_Month"));
        QCOMPARE(f->Entries("comboBegin_Month"), Numbers(12));
        QCOMPARE(f->Text("comboBegin_Month"), QString());
        QVERIFY(f->Enabled("cmdAuto_Output") && f->Enabled("cmdVerify_Dates") &&
                f->Enabled("cmdReset_Dates"));
        QVERIFY(f->State().bBegin_Year_Set);
        QVERIFY(!f->State().bEnd_Year_Set);
        QVERIFY(!f->Enabled("comboEnd_Month") && !f->Enabled("comboBegin_Day"));
    }

    // The lengths of months are the calendar's (datetime/calendar_test): here, that the window
    // asks with its own year and month.
    void pickingAMonthFillsItsDays() {
        f->Type("txtEnd_Year", "2008");
        f->Pick("comboEnd_Month", "02");
        QVERIFY(f->Enabled("comboEnd_Day"));
        QCOMPARE(f->Entries("comboEnd_Day"), Numbers(29));
        QCOMPARE(f->Text("comboEnd_Day"), QString());
    }

    void pickingADayEnablesOnlyThatSidesPicker() {
        f->Type("txtBegin_Year", "2007");
        f->Pick("comboBegin_Month", "10");
        QVERIFY(!f->Enabled("dtPickBegin"));
        f->Pick("comboBegin_Day", "02");
        QVERIFY(f->Enabled("dtPickBegin"));
        QVERIFY(!f->Enabled("dtPickEnd"));
    }

    void anotherMonthDropsTheDay() {
        f->Type("txtBegin_Year", "2007");
        f->Pick("comboBegin_Month", "01");
        f->Pick("comboBegin_Day", "15");
        f->Pick("comboBegin_Month", "03");
        QCOMPARE(f->Text("comboBegin_Day"), QString());
        QCOMPARE(f->Entries("comboBegin_Day").size(), 31);
        QVERIFY(f->Enabled("dtPickBegin"));
    }

    void anotherDigitDropsTheMonthButKeepsTheDay() {
        f->Type("txtBegin_Year", "200");
        f->Pick("comboBegin_Month", "10");
        f->Pick("comboBegin_Day", "02");
        f->Type("txtBegin_Year", "8");
        QCOMPARE(f->Text("comboBegin_Month"), QString());
        QCOMPARE(f->Entries("comboBegin_Month").size(), 12);
        QCOMPARE(f->Text("comboBegin_Day"), QString("02"));
    }

    void aDayWithoutMonthIsLeftOutOfTheDate() {
        f->Type("txtBegin_Year", "200");
        f->Pick("comboBegin_Month", "10");
        f->Pick("comboBegin_Day", "15");
        f->Type("txtBegin_Year", "8");
        f->Click("cmdVerify_Dates");
        QCOMPARE(f->Text("lblBegin_Date"), QString("2008 "));
        QCOMPARE(f->State().strBegin_Date, std::string("2008"));
    }

    void emptyingTheYearWithDeleteStillRefillsTheMonths() {
        f->Type("txtBegin_Year", "2007");
        f->Pick("comboBegin_Month", "05");
        f->Clear_By_Keyboard("txtBegin_Year");
        QCOMPARE(f->Entries("comboBegin_Month").size(), 12);
        QCOMPARE(f->Text("comboBegin_Month"), QString());
        QVERIFY(f->Enabled("cmdVerify_Dates"));
    }

    void emptiedYearTidiesItsSideAtTheNextUse() {
        f->Type("txtBegin_Year", "2007");
        f->Pick("comboBegin_Month", "05");
        f->Pick("comboBegin_Day", "05");
        f->Get<QTimeEdit>("dtPickBegin")->setTime(QTime(10, 0));
        f->Type("txtEnd_Year", "2008");
        f->Clear_By_Keyboard("txtBegin_Year");
        f->Click("cmdVerify_Dates");
        QVERIFY(f->Entries("comboBegin_Month").isEmpty());
        QVERIFY(f->Entries("comboBegin_Day").isEmpty());
        QCOMPARE(f->Get<QTimeEdit>("dtPickBegin")->time(), QTime(0, 0));
        QCOMPARE(f->Text("lblBegin_Date"), QString("Past"));
        QCOMPARE(f->Entries("comboEnd_Month").size(), 12);
    }

    void refusedYears_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message");
        const QString zero = "0 is not a valid year";
        const QString not_a_number = "Please enter a valid number for the year";
        QTest::newRow("0") << "0" << zero;
        QTest::newRow("abc") << "abc" << not_a_number;
    }
    void refusedYears() {
        QFETCH(QString, year);
        QFETCH(QString, message);
        f->Type("txtBegin_Year", year);
        f->Tab("txtBegin_Year");
        QCOMPARE(f->services.messages.size(), std::size_t{1});
        QCOMPARE(f->services.messages[0].title, QString("Data Error"));
        QCOMPARE(f->services.messages[0].text, message);
        QCOMPARE(f->services.messages[0].icon, MessageIcon::Warning);
        QCOMPARE(f->services.messages[0].buttons, MessageButtons::Ok);
        QCOMPARE(QApplication::focusWidget(), f->Get("txtBegin_Year"));
        QCOMPARE(f->Text("txtBegin_Year"), year);
    }

    void acceptedYearsLetTheFocusGo_data() {
        QTest::addColumn<QString>("year");
        for (const char* year : {"", " -44 "}) {
            QTest::newRow(year) << year;
        }
    }
    void acceptedYearsLetTheFocusGo() {
        QFETCH(QString, year);
        f->Type("txtEnd_Year", year);
        f->Tab("txtEnd_Year");
        QVERIFY(f->services.messages.empty());
        QVERIFY(QApplication::focusWidget() != f->Get("txtEnd_Year"));
    }

    void noOtherControlActsWhileTheYearIsRefused() {
        f->Type("txtBegin_Year", "2007");
        f->Pick("comboBegin_Month", "10");
        f->Type("txtEnd_Year", "abc");
        for (const char* control :
             {"cmdVerify_Dates", "cmdReset", "cmdExit", "cmdHelp", "comboBegin_Month",
              "optTimeStamp", "chkSet_Time", "chkUTC", "txtInputFile", "lblWebsite"}) {
            f->services.messages.clear();
            f->Click(control);
            QCOMPARE(f->services.Take_Messages(),
                     QStringList{"Please enter a valid number for the year"});
            QCOMPARE(QApplication::focusWidget(), f->Get("txtEnd_Year"));
        }
        QVERIFY(f->Window().isVisible());                      // Exit did not act
        QCOMPARE(f->Text("txtEnd_Year"), QString("abc"));      // Reset All did not act
        QCOMPARE(f->Text("comboBegin_Month"), QString("10"));  // the list did not open or pick
        QVERIFY(!f->Get<QRadioButton>("optTimeStamp")->isChecked());
        QVERIFY(!f->Get<QCheckBox>("chkSet_Time")->isChecked());
        QVERIFY(!f->Get<QCheckBox>("chkUTC")->isChecked());
        QVERIFY(f->services.opened.empty());

        f->Clear_By_Keyboard("txtEnd_Year");
        f->Type("txtEnd_Year", "2008");
        f->Click("chkSet_Time");
        QVERIFY(f->Get<QCheckBox>("chkSet_Time")->isChecked());
        QVERIFY(f->services.messages.empty());
    }

    // No window is active, so Qt reports no focus widget; the refused year still holds.
    void theGuardHoldsWhenNoWindowIsActive() {
        f->Type("txtBegin_Year", "abc");
        {
            QWidget message_box;  // stands in for the "Data Error" box, which takes the focus
            message_box.show();
            QVERIFY(QTest::qWaitForWindowActive(&message_box));
        }
        QCoreApplication::processEvents();
        QVERIFY(QApplication::focusWidget() == nullptr);
        f->Click("optTimeStamp");
        f->Click("cmdVerify_Dates");
        QCOMPARE(f->services.Take_Messages(),
                 (QStringList{"Please enter a valid number for the year",
                              "Please enter a valid number for the year"}));
        QVERIFY(!f->Get<QRadioButton>("optTimeStamp")->isChecked());
    }

    void wheelOverAListDoesNotPickWhileTheYearIsRefused() {
        f->Type("txtBegin_Year", "2007");
        f->Pick("comboBegin_Month", "10");
        f->Type("txtBegin_Year", "x");
        auto* month = f->Get<QComboBox>("comboBegin_Month");
        const QPoint where = month->mapTo(&f->Window(), month->rect().center());
        QWheelEvent wheel(where, f->Window().mapToGlobal(where), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(f->Window().windowHandle(), &wheel);
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"Please enter a valid number for the year"});
        QCOMPARE(month->currentIndex(), -1);
        QCOMPARE(QApplication::focusWidget(), f->Get("txtBegin_Year"));
    }

    void clickingTheRefusedBoxItselfOrALabelIsAllowed() {
        f->Type("txtBegin_Year", "0");
        f->Click("txtBegin_Year");
        f->Click("lblBegin");
        QVERIFY(f->services.messages.empty());
    }
};

QTEST_MAIN(DateEntryTest)
#include "date_entry_test.moc"
