// SPDX-License-Identifier: MIT
// Choosing the input file (dialog or drop) and naming the output file (dialog or automatic).

#include <QDir>
#include <QMimeData>
#include <filesystem>

#include "core/kmz/kmz.h"

#include "window_fixture.h"

using zaveze::MessageAnswer;
using zaveze::MessageButtons;
using zaveze::MessageIcon;
using zaveze::testing::WindowFixture;

namespace {

const QString kNoContainer =
    "Sorry, couldn't find an acceptable \"container\" tag in the file to embed the time data "
    "after.";

void Drop_File(QWidget* window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(500, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) {
        return;
    }
    QDropEvent drop(QPointF(500, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
}

}  // namespace

class InputOutputTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    bool Unlocked() const {
        return f->Enabled("txtBegin_Year") && f->Enabled("txtEnd_Year") &&
               f->Enabled("cmdOutputFile") && f->Enabled("txtOutputFile");
    }

  private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void acceptedInputUnlocksTheDatesAndTheOutput() {
        const QString path = f->Choose_Input();
        QCOMPARE(f->services.dialogs.size(), std::size_t{1});
        QCOMPARE(f->services.dialogs[0].title, QString("Open Input KML File"));
        QCOMPARE(f->services.dialogs[0].filter, QString("KML (*.kml);;KMZ (*.kmz)"));
        QCOMPARE(f->Text("txtInputFile"), path);
        QCOMPARE(f->State().strInput_File, path.toStdString());
        QVERIFY(Unlocked());
        QVERIFY(f->services.messages.empty());
    }

    void refusedInputs_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("closing TimeSpan")
            << "<Document>\r\n</TimeSpan>"
            << "This file appears to already have time data embedded in it";
        QTest::newRow("empty") << "" << kNoContainer;
    }
    void refusedInputs() {
        QFETCH(QString, content);
        QFETCH(QString, message);
        const QString path = f->Choose_Input("refused.kml", content.toStdString());
        QCOMPARE(f->services.messages.size(), std::size_t{1});
        QCOMPARE(f->services.messages.at(0).title, QString("Zaveze"));
        QCOMPARE(f->services.messages.at(0).icon, MessageIcon::None);
        QCOMPARE(f->services.messages.at(0).buttons, MessageButtons::Ok);
        QCOMPARE(f->services.Take_Messages(), QStringList{message});
        QCOMPARE(f->Text("txtInputFile"), QString());
        QCOMPARE(f->State().strInput_File, path.toStdString());
        QVERIFY(!Unlocked());
    }

    void refusedAfterAcceptedKeepsTheControlsUnlocked() {
        f->Choose_Input();
        f->Choose_Input("refused.kml", "TimeSpan");
        QCOMPARE(f->Text("txtInputFile"), QString());
        QVERIFY(Unlocked());
    }

    void cancellingTheInputDialogChangesNothing() {
        const QString path = f->Choose_Input();
        f->Click("cmdInputFile");  // nothing scripted: the user cancels
        QCOMPARE(f->Text("txtInputFile"), path);
        QCOMPARE(f->State().strInput_File, path.toStdString());
    }

    void droppedKmlFileIsTakenAsIfChosen() {
        const QString path = QString::fromStdString(f->folder.File("dropped.kml"));
        zaveze::testing::Write_File(path.toStdString(), zaveze::testing::kSampleKml);
        Drop_File(&f->Window(), path);
        QCOMPARE(f->Text("txtInputFile"), path);
        QVERIFY(Unlocked());
        const QString timed = QString::fromStdString(f->folder.File("timed.kml"));
        zaveze::testing::Write_File(timed.toStdString(), "<Folder><TimeStamp>");
        Drop_File(&f->Window(), timed);
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"This file appears to already have time data embedded in it"});
        const QString text_file = QString::fromStdString(f->folder.File("notes.txt"));
        zaveze::testing::Write_File(text_file.toStdString(), zaveze::testing::kSampleKml);
        Drop_File(&f->Window(), text_file);
        QCOMPARE(f->Text("txtInputFile"), QString());
    }

    void outputDialogNameGetsTheKmlExtensionAndAScratchName() {
        f->Choose_Input();
        const QString chosen = QString::fromStdString(f->folder.File("out.old.txt"));
        f->services.chosen_files.push_back(chosen);
        f->Click("cmdOutputFile");
        const auto& dialog = f->services.dialogs.back();
        QCOMPARE(dialog.title, QString("Enter KML Output Filename"));
        QCOMPARE(dialog.filter, QString("KML (*.kml)"));
        QCOMPARE(dialog.preset, QString());
        const QString output = QString::fromStdString(f->folder.File("out.kml"));
        QCOMPARE(f->Text("txtOutputFile"), output);
        QCOMPARE(f->State().strOutput_File, output.toStdString());
        QVERIFY(f->Enabled("cmdTimestamp"));
        QVERIFY(f->services.messages.empty());
    }

    void outputDialogOffersTheLastNameAndCancelChangesNothing() {
        f->Choose_Input();
        const QString output = QString::fromStdString(f->folder.File("out.kml"));
        f->services.chosen_files.push_back(output);
        f->Click("cmdOutputFile");
        f->Click("cmdOutputFile");  // cancelled
        QCOMPARE(f->services.dialogs.back().preset, output);
        QCOMPARE(f->Text("txtOutputFile"), output);
        QVERIFY(f->services.messages.empty());
    }

    void inputChosenAsOutputIsRefused() {
        const QString input = f->Choose_Input();
        f->services.chosen_files.push_back(QString::fromStdString(f->folder.File("trip.old.kml")));
        f->Click("cmdOutputFile");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"You can't use the same filename as the input file."});
        QCOMPARE(f->Text("txtOutputFile"), QString());
        QVERIFY(f->State().strOutput_File.empty());
        QVERIFY(!f->Enabled("cmdTimestamp"));
    }

    void existingOutputIsReplacedOnlyAfterYes() {
        f->Choose_Input();
        const QString existing = QString::fromStdString(f->folder.File("old.kml"));
        zaveze::testing::Write_File(existing.toStdString(), "old");
        f->services.chosen_files = {existing, existing};
        f->services.answers = {MessageAnswer::No, MessageAnswer::Yes};

        f->Click("cmdOutputFile");
        QCOMPARE(f->services.messages.back().text,
                 QString("Filename already exists - do you want to overwrite the previous file?"));
        QCOMPARE(f->services.messages.back().buttons, MessageButtons::YesNo);
        QCOMPARE(f->Text("txtOutputFile"), QString());
        QVERIFY(!f->Enabled("cmdTimestamp"));

        f->Click("cmdOutputFile");
        QCOMPARE(f->Text("txtOutputFile"), existing);
        QVERIFY(f->Enabled("cmdTimestamp"));
        QCOMPARE(zaveze::testing::Read_File(existing.toStdString()), std::string("old"));
        QVERIFY(!f->services.unscripted_question);
    }

    void automaticNameWithFullDates() {
        f->Choose_Input();
        f->Enter_Date(WindowFixture::Side::Begin, "2007", "01", "01");
        f->Enter_Date(WindowFixture::Side::End, "2007", "12", "31");
        f->Click("cmdAuto_Output");
        QCOMPARE(f->Text("txtOutputFile"),
                 QString::fromStdString(f->folder.File("trip_2007-01-01_to_2007-12-31.kml")));
    }

    void automaticNameNeedsADateAndAnInput() {
        f->Choose_Input();
        f->Type("txtBegin_Year", "2007");
        f->Clear_By_Keyboard("txtBegin_Year");
        f->Type("txtOutputFile", "typed.kml");
        f->Click("cmdAuto_Output");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"You haven't entered any date information yet."});
        QCOMPARE(f->Text("txtOutputFile"), QString());
        QVERIFY(f->Enabled("cmdTimestamp"));  // the early refusals leave the button as it was

        f->Choose_Input("refused.kml", "");
        f->services.Take_Messages();
        f->Type("txtBegin_Year", "2007");
        f->Click("cmdAuto_Output");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"You haven't entered the input filename yet."});
    }

    // A year of blanks is no year, by the same rule as everywhere else.
    // `zaveze FILE` takes the file as the input dialog would, with the same checks.
    void aFileFromTheCommandLineIsTakenAsIfChosen() {
        const std::string path = f->folder.File("named.kml");
        zaveze::testing::Write_File(path, zaveze::testing::kSampleKml);
        f->Window().Open_Input_File(QString::fromStdString(path));
        QCOMPARE(f->Text("txtInputFile"), QString::fromStdString(path));
        QVERIFY(f->Enabled("txtBegin_Year"));

        zaveze::testing::Write_File(path, "<kml><TimeSpan/><Document></kml>");
        f->Window().Open_Input_File(QString::fromStdString(path));
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"This file appears to already have time data embedded in it"});
        QCOMPARE(f->Text("txtInputFile"), QString());
    }

    // A KMZ input gives KMZ output names, from the dialog and automatically.
    void aKmzInputGivesKmzOutputs() {
        if (!zaveze::Kmz_Supported()) {
            QSKIP("built without KMZ support");
        }
        const std::string input = f->folder.File("trip.kmz");
        std::filesystem::copy_file(ZAVEZE_KMZ_DATA_DIR "/trip.kmz", input);
        f->services.chosen_files.push_back(QString::fromStdString(input));
        f->Click("cmdInputFile");
        QCOMPARE(f->Text("txtInputFile"), QString::fromStdString(input));
        f->Type("txtBegin_Year", "2007");
        f->services.chosen_files.push_back(QString::fromStdString(f->folder.File("out.kml")));
        f->Click("cmdOutputFile");
        QCOMPARE(f->services.dialogs.back().filter, QString("KMZ (*.kmz)"));
        QCOMPARE(f->Text("txtOutputFile"), QString::fromStdString(f->folder.File("out.kmz")));
        f->Click("cmdAuto_Output");
        QCOMPARE(f->Text("txtOutputFile"),
                 QString::fromStdString(f->folder.File("trip_2007_to_Present.kmz")));
        f->Click("cmdTimestamp");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"File " +
                             QString::fromStdString(f->folder.File("trip_2007_to_Present.kmz")) +
                             " created."});
    }

    void aDroppedKmzFileIsTaken() {
        if (!zaveze::Kmz_Supported()) {
            QSKIP("built without KMZ support");
        }
        const std::string input = f->folder.File("dropped.KMZ");
        std::filesystem::copy_file(ZAVEZE_KMZ_DATA_DIR "/trip.kmz", input);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(input))});
        const QPoint where = f->Window().rect().center();
        QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f->Window(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&f->Window(), &drop);
        QCOMPARE(f->Text("txtInputFile"), QString::fromStdString(input));
    }

    void automaticNameTakesAYearOfBlanksForNoDate() {
        f->Choose_Input();
        f->Type("txtBegin_Year", " ");
        f->Click("cmdAuto_Output");
        QCOMPARE(f->services.Take_Messages(),
                 QStringList{"You haven't entered any date information yet."});
        QCOMPARE(f->Text("txtOutputFile"), QString());
    }

    void automaticNameOfAnExistingFileAsks() {
        f->Choose_Input();
        zaveze::testing::Write_File(f->folder.File("trip_2007_to_Present.kml"), "old");
        f->Type("txtBegin_Year", "2007");
        f->services.answers = {MessageAnswer::No};
        f->Click("cmdAuto_Output");
        QCOMPARE(
            f->services.Take_Messages(),
            QStringList{"Filename already exists - do you want to overwrite the previous file?"});
        QCOMPARE(f->Text("txtOutputFile"), QString());
        QVERIFY(!f->Enabled("cmdTimestamp"));
    }

    void typingAnOutputNameEnablesTheEmbedding() {
        f->Choose_Input();
        QVERIFY(!f->Enabled("cmdTimestamp"));
        f->Type("txtOutputFile", "o");
        QVERIFY(f->Enabled("cmdTimestamp"));
    }
};

QTEST_MAIN(InputOutputTest)
#include "input_output_test.moc"
