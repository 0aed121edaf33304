// SPDX-License-Identifier: MIT
// Whole jobs from input file to output file, and how a run that cannot write is reported.

#include <QApplication>
#include <QDir>
#include <filesystem>

#include "support/two_pass_model.h"
#include "window_fixture.h"

using zaveze::MessageAnswer;
using zaveze::TimeMode;
using zaveze::testing::Model_Embed;
using zaveze::testing::Read_File;
using zaveze::testing::WindowFixture;
using Side = WindowFixture::Side;
using zaveze::testing::Write_File;

class EmbeddingTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;
    std::string input_bytes = zaveze::testing::kSampleKml;

    void Name_Output(const char* name) {
        f->services.chosen_files.push_back(QString::fromStdString(f->folder.File(name)));
        f->Click("cmdOutputFile");
    }
    void Expect_Reset() {
        QCOMPARE(f->Text("txtInputFile"), QString());
        QCOMPARE(f->Text("txtOutputFile"), QString());
        QCOMPARE(f->Text("txtBegin_Year"), QString());
        QVERIFY(!f->Enabled("cmdTimestamp") && !f->Enabled("txtBegin_Year"));
    }

  private slots:
    void init() {
        f = std::make_unique<WindowFixture>();
        f->Choose_Input();
    }
    void cleanup() { f.reset(); }

    void timeSpanJobWithAutomaticName() {
        f->Enter_Date(Side::Begin, "2007", "01", "01");
        f->Enter_Date(Side::End, "2007", "12", "31");
        f->Click("cmdAuto_Output");
        f->Click("cmdTimestamp");
        const std::string output = f->folder.File("trip_2007-01-01_to_2007-12-31.kml");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"File " + QString::fromStdString(output) + " created."});
        QCOMPARE(Read_File(output),
                 Model_Embed(input_bytes, {TimeMode::TimeSpan, "2007-01-01", "2007-12-31"}));
        QCOMPARE(f->folder.Names(),
                 (std::vector<std::string>{"trip.kml", "trip_2007-01-01_to_2007-12-31.kml"}));
        QVERIFY(QApplication::overrideCursor() == nullptr);  // the busy cursor is gone again
        Expect_Reset();
    }

    void timeStampWithTimeOfDayAndZone() {
        f->Click("optTimeStamp");
        f->Enter_Date(Side::Begin, "2007", "10", "02");
        f->Click("chkSet_Time");
        f->Get<QTimeEdit>("dtPickBegin")->setTime(QTime(15, 45, 12));
        f->Pick("comboTime_Zone", "-05");
        Name_Output("stamped.kml");
        f->Click("cmdTimestamp");
        QCOMPARE(Read_File(f->folder.File("stamped.kml")),
                 Model_Embed(input_bytes, {TimeMode::TimeStamp, "2007-10-02T15:45:12-05:00", ""}));
    }

    void zoneAloneCoversWholeLocalDaysAndLeavesPartialDatesBare() {
        f->Enter_Date(Side::Begin, "2007", "10", "02");
        f->Enter_Date(Side::End, "2008");
        f->Click("chkUTC");
        f->Pick("comboTime_Zone", "+02");
        Name_Output("days.kml");
        f->Click("cmdTimestamp");
        QCOMPARE(
            Read_File(f->folder.File("days.kml")),
            Model_Embed(input_bytes, {TimeMode::TimeSpan, "2007-10-02T00:00:00+02:00", "2008"}));
    }

    void timeStampWithoutDateWritesNothing() {
        f->Click("optTimeStamp");
        Name_Output("nothing.kml");
        f->Click("cmdTimestamp");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"You haven't entered a TimeStamp value yet"});
        QCOMPARE(f->folder.Names(), std::vector<std::string>{"trip.kml"});
        QVERIFY(!f->Text("txtInputFile").isEmpty());  // nothing was reset
    }

    void emptyOutputNameIsReported() {
        f->Enter_Date(Side::Begin, "2007");
        f->Type("txtOutputFile", "x");
        f->Clear_By_Keyboard("txtOutputFile");
        f->Click("cmdTimestamp");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"You haven't entered the output filename yet."});
    }

    void missingOutputFolderIsReportedAndNothingIsReset() {
        f->Enter_Date(Side::Begin, "2007");
        const QString output = QString::fromStdString(f->folder.File("gone/out.kml"));
        f->Type("txtOutputFile", output);
        f->Click("cmdTimestamp");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"Sorry, no file could be written in the folder " +
                             QString::fromStdString(f->folder.File("gone")) +
                             ": No such file or directory"});
        QCOMPARE(f->folder.Names(), std::vector<std::string>{"trip.kml"});
        QCOMPARE(f->Text("txtBegin_Year"), QString("2007"));
        QVERIFY(f->Enabled("cmdTimestamp"));
    }

    void inputChangedSinceItWasChosen() {
        f->Enter_Date(Side::Begin, "2007");
        Name_Output("out.kml");
        const std::string input = f->folder.File("trip.kml");
        Write_File(input, "<kml><Document><TimeStamp><when>1999</when></TimeStamp>");
        f->Click("cmdTimestamp");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"This file appears to already have time data embedded in it"});
        QCOMPARE(f->folder.Names(), std::vector<std::string>{"trip.kml"});
    }

    void typedNameOfAnExistingFileIsAskedAbout() {
        f->Enter_Date(Side::Begin, "2007");
        const std::string existing = f->folder.File("keep.kml");
        Write_File(existing, "keep me");
        f->Type("txtOutputFile", QString::fromStdString(existing));
        f->services.answers = {MessageAnswer::No};
        f->Click("cmdTimestamp");
        QCOMPARE(
            f->services.Take_Messages(),
            QStringList{"Filename already exists - do you want to overwrite the previous file?"});
        QCOMPARE(Read_File(existing), std::string("keep me"));
        QCOMPARE(f->Text("txtOutputFile"), QString());

        f->Type("txtOutputFile", QString::fromStdString(existing));
        f->services.answers = {MessageAnswer::Yes};
        f->Click("cmdTimestamp");
        QCOMPARE(Read_File(existing), Model_Embed(input_bytes, {TimeMode::TimeSpan, "2007", ""}));
    }

    void typedNameOfTheInputIsRefused() {
        f->Enter_Date(Side::Begin, "2007");
        f->Type("txtOutputFile", QString::fromStdString(f->folder.File("./trip.kml")));
        f->Click("cmdTimestamp");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"You can't use the same filename as the input file."});
        QCOMPARE(Read_File(f->folder.File("trip.kml")), input_bytes);
    }

    // A reset keeps strOutput_File but forgets the Yes: the same name typed again is asked about.
    void sameNameTypedAfterAFinishedJobIsAskedAboutAgain() {
        f->Enter_Date(Side::Begin, "2007");
        Name_Output("out.kml");
        f->Click("cmdTimestamp");
        f->services.Take_Messages();
        const std::string output = f->folder.File("out.kml");
        const std::string first_result = Read_File(output);

        f->Choose_Input();
        f->Enter_Date(Side::Begin, "2008");
        f->Type("txtOutputFile", QString::fromStdString(output));
        f->services.answers = {MessageAnswer::No};
        f->Click("cmdTimestamp");
        QCOMPARE(
            f->services.Take_Messages(),
            QStringList{"Filename already exists - do you want to overwrite the previous file?"});
        QCOMPARE(Read_File(output), first_result);
    }

    void secondJobAfterTheFirst() {
        f->Enter_Date(Side::Begin, "2007");
        Name_Output("first.kml");
        f->Click("cmdTimestamp");
        f->Choose_Input();
        f->Enter_Date(Side::Begin, "2008");
        Name_Output("second.kml");
        f->Click("cmdTimestamp");
        QCOMPARE(Read_File(f->folder.File("second.kml")),
                 Model_Embed(input_bytes, {TimeMode::TimeSpan, "2008", ""}));
    }
};

QTEST_MAIN(EmbeddingTest)
#include "embedding_test.moc"
