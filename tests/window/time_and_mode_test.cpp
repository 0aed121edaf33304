// The time settings, the zone controls and the switch between TimeSpan and TimeStamp.

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

    void timeSettingsShowOnlyTheBeginPickerInTimeStampMode() {
        f->Click("optTimeStamp");
        f->Click("chkSet_Time");
        QVERIFY(f->Shown("dtPickBegin"));
        QVERIFY(!f->Shown("dtPickEnd"));
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

    void timeSpanWithTimeSettingsShowsTheEndPicker() {
        f->Click("optTimeStamp");
        f->Click("chkSet_Time");
        f->Click("optTimeSpan");
        QVERIFY(f->Shown("dtPickEnd"));
        QVERIFY(!f->Enabled("dtPickEnd"));
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
