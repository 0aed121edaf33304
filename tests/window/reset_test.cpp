// SPDX-License-Identifier: MIT
// "Reset All" and "Reset Dates" from a window with everything filled in.

#include "window_fixture.h"

using zaveze::testing::WindowFixture;

class ResetTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;
    QString input, output;

    void Fill_Everything() {
        input = f->Choose_Input();
        f->Enter_Date(WindowFixture::Side::Begin, "2007", "10", "02");
        f->Enter_Date(WindowFixture::Side::End, "2008", "02", "29");
        f->Click("chkSet_Time");
        f->Get<QTimeEdit>("dtPickBegin")->setTime(QTime(10, 0));
        f->Get<QTimeEdit>("dtPickEnd")->setTime(QTime(11, 0));
        f->Pick("comboTime_Zone", "-05");
        f->Click("cmdAuto_Output");
        output = f->Text("txtOutputFile");
        f->Click("cmdVerify_Dates");
        f->services.Take_Messages();
    }
    void Expect_Dates_Cleared() {
        QCOMPARE(f->Text("txtBegin_Year"), QString());
        QCOMPARE(f->Text("txtEnd_Year"), QString());
        for (const char* list :
             {"comboBegin_Month", "comboEnd_Month", "comboBegin_Day", "comboEnd_Day"}) {
            QVERIFY2(f->Entries(list).isEmpty() && !f->Enabled(list), list);
        }
        QCOMPARE(f->Get<QTimeEdit>("dtPickBegin")->time(), QTime(0, 0));
        QCOMPARE(f->Get<QTimeEdit>("dtPickEnd")->time(), QTime(0, 0));
        QVERIFY(!f->Enabled("dtPickBegin") && !f->Enabled("dtPickEnd"));
        QCOMPARE(f->Text("lblBegin_Date"), QString());
        QCOMPARE(f->Text("lblEnd_Date"), QString());
        QVERIFY(!f->Enabled("cmdVerify_Dates") && !f->Enabled("cmdReset_Dates"));
        const auto& state = f->State();
        QVERIFY(state.strBegin_Date.empty() && state.strEnd_Date.empty());
        QVERIFY(!state.bBegin_Year_Set && !state.bEnd_Year_Set);
    }

  private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void resetAllRightAfterStartChangesNothing() {
        f->Click("cmdReset");
        QVERIFY(f->Enabled("txtInputFile") && !f->Enabled("txtOutputFile") &&
                !f->Enabled("cmdTimestamp"));
        QCOMPARE(f->Text("lblTime_Zone"), QString("+00"));
        QVERIFY(f->services.messages.empty());
    }

    void resetAllFromEverythingFilled() {
        Fill_Everything();
        f->Click("cmdReset");
        Expect_Dates_Cleared();
        QCOMPARE(f->Text("txtInputFile"), QString());
        QVERIFY(f->Enabled("txtInputFile"));
        QCOMPARE(f->Text("txtOutputFile"), QString());
        for (const char* name : {"txtOutputFile", "cmdOutputFile", "cmdTimestamp", "cmdAuto_Output",
                                 "txtBegin_Year", "txtEnd_Year"}) {
            QVERIFY2(!f->Enabled(name), name);
        }
        QVERIFY(!f->Get<QCheckBox>("chkSet_Time")->isChecked());
        QVERIFY(!f->Get<QCheckBox>("chkUTC")->isChecked() && f->Enabled("chkUTC"));
        for (const char* name : {"dtPickBegin", "dtPickEnd", "lblTime_Zone", "lblTime_Zone_Caption",
                                 "comboTime_Zone", "lblSet_Timezone"}) {
            QVERIFY2(!f->Shown(name), name);
        }
        QCOMPARE(f->Text("lblTime_Zone"), QString("+00"));
        QCOMPARE(f->Entries("comboTime_Zone").size(), 25);
        QCOMPARE(f->Get<QComboBox>("comboTime_Zone")->currentIndex(), -1);
        // the file paths of the last job stay for the next dialogs
        QCOMPARE(f->State().strInput_File, input.toStdString());
        QCOMPARE(f->State().strOutput_File, output.toStdString());
    }

    void resetAllKeepsTheTimeStampMode() {
        f->Click("optTimeStamp");
        f->Click("cmdReset");
        QVERIFY(f->Get<QRadioButton>("optTimeStamp")->isChecked());
        QCOMPARE(f->Text("lblBegin"), QString("Enter date to TimeStamp file with"));
        QVERIFY(!f->Shown("txtEnd_Year"));
    }

    void resetDatesKeepsFilesAndTimeSettings() {
        Fill_Everything();
        f->Click("cmdReset_Dates");
        Expect_Dates_Cleared();
        QVERIFY(f->Enabled("txtBegin_Year") && f->Enabled("txtEnd_Year"));
        QCOMPARE(f->Text("txtInputFile"), input);
        QCOMPARE(f->Text("txtOutputFile"), output);
        QVERIFY(f->Enabled("cmdTimestamp") && f->Enabled("cmdAuto_Output"));
        QVERIFY(f->Get<QCheckBox>("chkSet_Time")->isChecked());
        QVERIFY(f->Shown("dtPickBegin") && f->Shown("dtPickEnd"));
        QCOMPARE(f->Text("lblTime_Zone"), QString("-05"));
    }

    void typingAgainAfterAResetRefillsTheMonths() {
        Fill_Everything();
        f->Click("cmdReset_Dates");
        f->Type("txtBegin_Year", "1999");
        QCOMPARE(f->Entries("comboBegin_Month").size(), 12);
        QVERIFY(f->Enabled("comboBegin_Month") && f->Enabled("cmdVerify_Dates") &&
                f->Enabled("cmdReset_Dates"));
        QVERIFY(f->Entries("comboBegin_Day").isEmpty());
    }

    void outputDialogAfterResetOffersTheLastName() {
        Fill_Everything();
        f->Click("cmdReset");
        f->Choose_Input();
        f->Click("cmdOutputFile");  // cancelled
        QCOMPARE(f->services.dialogs.back().preset, output);
        QCOMPARE(f->Text("txtOutputFile"), QString());
    }
};

QTEST_MAIN(ResetTest)
#include "reset_test.moc"
