// SPDX-License-Identifier: MIT
// The time settings, the zone controls and the switch between TimeSpan and TimeStamp.

#include <QLocale>
#include <QRegularExpression>

#include "window/time_format.h"
#include "window_fixture.h"

using zaveze::testing::WindowFixture;

class TimeAndModeTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    bool Zone_Controls_Shown() const {
        return f->Shown("lblTime_Zone") && f->Shown("lblTime_Zone_Caption") &&
               f->Shown("comboTime_Zone") && f->Shown("lblSet_Timezone");
    }
    bool Zone_Controls_Hidden() const {
        return !f->Shown("lblTime_Zone") && !f->Shown("lblTime_Zone_Caption") &&
               !f->Shown("comboTime_Zone") && !f->Shown("lblSet_Timezone");
    }
    QCheckBox* UTC() const { return f->Get<QCheckBox>("chkUTC"); }

  private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void timeSettingsShowBothPickersAndTheZoneInTimeSpanMode() {
        f->Click("chkSet_Time");
        QVERIFY(f->Shown("dtPickBegin") && f->Shown("dtPickEnd"));
        QVERIFY(!f->Enabled("dtPickBegin") && !f->Enabled("dtPickEnd"));  // until a day is picked
        QVERIFY(UTC()->isChecked());
        QVERIFY(!UTC()->isEnabled());
        QVERIFY(Zone_Controls_Shown());
        QCOMPARE(f->Text("lblTime_Zone"), QString("+00"));
    }

    void pickingAZoneShowsIt() {
        f->Click("chkSet_Time");
        f->Pick("comboTime_Zone", "-05");
        QCOMPARE(f->Text("lblTime_Zone"), QString("-05"));
    }

    void uncheckingTimeSettingsKeepsTheZoneUntilUtcIsChosen() {
        f->Click("chkSet_Time");
        f->Pick("comboTime_Zone", "+03");
        f->Click("chkSet_Time");
        QVERIFY(!f->Shown("dtPickBegin") && !f->Shown("dtPickEnd"));
        QVERIFY(UTC()->isChecked() && UTC()->isEnabled());
        QVERIFY(Zone_Controls_Shown());
        QCOMPARE(f->Text("lblTime_Zone"), QString("+03"));

        f->Click("chkUTC");
        QVERIFY(Zone_Controls_Hidden());
        QCOMPARE(f->Text("lblTime_Zone"), QString("+00"));
        QCOMPARE(f->Get<QComboBox>("comboTime_Zone")->currentIndex(), -1);
        QCOMPARE(f->Entries("comboTime_Zone").size(), 25);
    }

    void localZoneAloneShowsTheZoneControls() {
        f->Click("chkUTC");
        QVERIFY(Zone_Controls_Shown());
        QCOMPARE(f->Text("lblTime_Zone"), QString("+00"));
        QVERIFY(!f->Shown("dtPickBegin"));
    }

    void timeStampLayout() {
        f->Click("optTimeStamp");
        for (const char* name :
             {"txtEnd_Year", "comboEnd_Month", "comboEnd_Day", "lblEnd_Day", "lblEnd_Year",
              "lblEnd_Month", "lblEnd", "dtPickEnd", "lblEnd_Date_Label"}) {
            QVERIFY2(!f->Shown(name), name);
        }
        QVERIFY(f->Shown("lblEnd_Date"));
        QCOMPARE(f->Text("lblBegin"), QString("Enter date to TimeStamp file with"));
        QCOMPARE(f->Text("lblBegin_Date_Label"),
                 QString("Date to be TimeStamped into file (Year-Month-Day Time)"));
    }

    void backToTimeSpanRestoresTheEndBlock() {
        f->Choose_Input();
        f->Type("txtEnd_Year", "2008");
        f->Pick("comboEnd_Month", "03");
        f->Pick("comboEnd_Day", "09");
        f->Click("optTimeStamp");
        QVERIFY(f->State().bEnd_Year_Set);
        f->Click("optTimeSpan");
        for (const char* name : {"txtEnd_Year", "comboEnd_Month", "comboEnd_Day", "lblEnd_Day",
                                 "lblEnd_Year", "lblEnd_Month", "lblEnd", "lblEnd_Date_Label"}) {
            QVERIFY2(f->Shown(name), name);
        }
        QVERIFY(!f->Shown("dtPickEnd"));
        QCOMPARE(f->Text("lblBegin"), QString("Enter beginning of TimeSpan"));
        QCOMPARE(f->Text("lblEnd_Date_Label"), QString("End of TimeSpan"));
        QCOMPARE(f->Text("lblBegin_Date_Label"),
                 QString("Beginning of TimeSpan (Year-Month-Day Time)"));
        QCOMPARE(f->Text("txtEnd_Year"), QString());
        QCOMPARE(f->Entries("comboEnd_Month").size(), 12);
        QCOMPARE(f->Text("comboEnd_Month"), QString());
        QCOMPARE(f->Text("comboEnd_Day"), QString("09"));
    }

    void timeStampWithAnEmptyEndYearChangesNoButton() {
        f->Choose_Input();
        f->Click("optTimeStamp");
        QVERIFY(!f->Enabled("cmdAuto_Output") && !f->Enabled("cmdVerify_Dates") &&
                !f->Enabled("cmdReset_Dates"));
        QVERIFY(!f->State().bEnd_Year_Set);
    }

    // The end picker goes with the end block: hidden in TimeStamp mode, back in TimeSpan mode.
    void theEndPickerFollowsTheMode() {
        f->Click("optTimeStamp");
        f->Click("chkSet_Time");
        QVERIFY(f->Shown("dtPickBegin") && !f->Shown("dtPickEnd"));
        f->Click("optTimeSpan");
        QVERIFY(f->Shown("dtPickEnd"));
        QVERIFY(!f->Enabled("dtPickEnd"));
    }

    // Typing a time steps through the picker's sections at ":" and blanks, as Qt makes them step;
    // only Tab leaves it.
    void typingATimeStaysInThePicker() {
        f->Choose_Input();
        f->Enter_Date(WindowFixture::Side::Begin, "2007", "10", "02");
        f->Enter_Date(WindowFixture::Side::End, "2007", "10", "03");
        f->Click("chkSet_Time");
        auto* begin = f->Get<QTimeEdit>("dtPickBegin");
        auto* end = f->Get<QTimeEdit>("dtPickEnd");
        end->setDisplayFormat("h:mm:ss AP");  // a 12-hour system format, as in English
        for (const auto& [picker, typed, expected] :
             {std::tuple{begin, QString("9:30"), QTime(9, 30)},
              std::tuple{end, QString("8:30:00 PM"), QTime(20, 30)}}) {
            picker->setFocus();
            picker->setSelectedSection(QDateTimeEdit::HourSection);
            QTest::keyClicks(picker, typed);
            QVERIFY2(picker->isAncestorOf(QApplication::focusWidget()) ||
                         QApplication::focusWidget() == picker,
                     qPrintable(typed));
            QCOMPARE(picker->time().hour() % 12,
                     expected.hour() % 12);  // Qt may step past a section
            QVERIFY(f->Get<QCheckBox>("chkSet_Time")->isChecked());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!end->isAncestorOf(QApplication::focusWidget()));
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
            const QString shown = locale.toString(QTime(20, 30, 0), format);
            QVERIFY2(!shown.contains("()") && !shown.contains("[]"),
                     qPrintable(locale.name() + ": " + shown));
        }
    }

    void arrowKeysSwitchTheMode() {
        f->Get("optTimeSpan")->setFocus();
        QTest::keyClick(f->Get("optTimeSpan"), Qt::Key_Right);
        QVERIFY(f->Get<QRadioButton>("optTimeStamp")->isChecked());
        QCOMPARE(f->Text("lblBegin"), QString("Enter date to TimeStamp file with"));
    }
};

QTEST_MAIN(TimeAndModeTest)
#include "time_and_mode_test.moc"
