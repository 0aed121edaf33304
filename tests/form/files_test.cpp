// SPDX-License-Identifier: MIT
// The input file (dialog, drop, command line), the output name (dialog, automatic, typed), whole
// jobs from input to output, and how a job that cannot write or is cancelled is reported.

#include <filesystem>

#include "core/kmz/kmz.h"
#include "form_fixture.h"
#include "support/two_pass_model.h"

namespace zaveze::testing {
namespace {

using form::FileFilter;
using form::MessageAnswer;
using form::MessageButtons;
using form::MessageIcon;

const std::string kHasTime = "This file appears to already have time data embedded in it";
const std::string kOverwrite =
    "Filename already exists - do you want to overwrite the previous file?";
const std::string kSameAsInput = "You can't use the same filename as the input file.";
const std::string kNoDate = "You haven't entered any date information yet.";

class InputAndOutput : public FormFixture {
  protected:
    bool Unlocked() const {
        return Enabled("txtBegin_Year") && Enabled("txtEnd_Year") && Enabled("cmdOutputFile") &&
               Enabled("txtOutputFile");
    }
};

TEST_F(InputAndOutput, AcceptedInputUnlocksTheDatesAndTheOutput) {
    const std::string path = Choose_Input();
    ASSERT_EQ(services.dialogs.size(), 1u);
    EXPECT_EQ(services.dialogs[0].title, "Open Input KML File");
    EXPECT_EQ(services.dialogs[0].filters,
              (std::vector<FileFilter>{{"KML", "*.kml"}, {"KMZ", "*.kmz"}}));
    EXPECT_EQ(Text("txtInputFile"), path);
    EXPECT_EQ(State().strInput_File, path);
    EXPECT_TRUE(Unlocked());
    EXPECT_TRUE(services.messages.empty());
    ASSERT_EQ(services.jobs.size(), 1u);
    EXPECT_EQ(services.jobs[0].label, "Checking " + path + "...");
    EXPECT_EQ(services.jobs[0].total_bytes, kSampleKml.size());
}

TEST_F(InputAndOutput, RefusedInputsAreSaidAndEmptyTheBox) {
    for (const auto& [content, message] :
         {std::pair{"<Document>\r\n</TimeSpan>", kHasTime},
          std::pair{"", std::string("Sorry, couldn't find an acceptable \"container\" tag in the "
                                    "file to embed the time data after.")}}) {
        const std::string path = Choose_Input("refused.kml", content);
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].title, "Zaveze");
        EXPECT_EQ(services.messages[0].icon, MessageIcon::None);
        EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(services.Take_Messages(), Texts{message});
        EXPECT_EQ(Text("txtInputFile"), "");
        EXPECT_EQ(State().strInput_File, path);
        EXPECT_FALSE(Unlocked());
    }
    Choose_Input();
    Choose_Input("refused.kml", "TimeSpan");  // after an accepted one the controls stay unlocked
    EXPECT_EQ(Text("txtInputFile"), "");
    EXPECT_TRUE(Unlocked());
}

TEST_F(InputAndOutput, CancellingTheDialogOrTheCheckChangesNothing) {
    const std::string path = Choose_Input();
    Click("cmdInputFile");  // nothing scripted: the user cancels the dialog
    services.cancel_jobs = true;
    Choose_Input("other.kml");  // the user cancels the check
    EXPECT_EQ(Text("txtInputFile"), path);
    EXPECT_EQ(State().strInput_File, path);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(InputAndOutput, DroppedAndNamedFilesAreTakenAsIfChosen) {
    const std::string dropped = folder.File("dropped.KML");
    Write_File(dropped, kSampleKml);
    form.Files_Dropped({dropped});
    EXPECT_EQ(Text("txtInputFile"), dropped);
    EXPECT_TRUE(Unlocked());

    const std::string timed = folder.File("timed.kml");
    Write_File(timed, "<Folder><TimeStamp>");
    form.Files_Dropped({timed});
    EXPECT_EQ(services.Take_Messages(), Texts{kHasTime});
    EXPECT_EQ(Text("txtInputFile"), "");

    const std::string notes = folder.File("notes.txt");
    Write_File(notes, kSampleKml);
    for (const std::vector<std::string>& refused :
         {std::vector{notes}, std::vector{dropped, dropped}, std::vector<std::string>{}}) {
        EXPECT_FALSE(form::frmTimeStamper::Accepts_Dropped_Files(refused));
        form.Files_Dropped(refused);
    }
    EXPECT_EQ(Text("txtInputFile"), "");
    EXPECT_TRUE(form::frmTimeStamper::Accepts_Dropped_Files({"x.kmz"}));

    form.Open_Input_File(dropped);  // `zaveze FILE`
    EXPECT_EQ(Text("txtInputFile"), dropped);
    Write_File(dropped, "<kml><TimeSpan/><Document></kml>");
    form.Open_Input_File(dropped);
    EXPECT_EQ(services.Take_Messages(), Texts{kHasTime});
}

TEST_F(InputAndOutput, OutputDialogNameGetsTheExtensionAndOffersTheLastName) {
    Choose_Input();
    Name_Output("out.old.txt");
    EXPECT_EQ(services.dialogs.back().title, "Enter KML Output Filename");
    EXPECT_EQ(services.dialogs.back().filters, (std::vector<FileFilter>{{"KML", "*.kml"}}));
    EXPECT_EQ(services.dialogs.back().preset, "");
    const std::string output = folder.File("out.kml");
    EXPECT_EQ(Text("txtOutputFile"), output);
    EXPECT_EQ(State().strOutput_File, output);
    EXPECT_TRUE(Enabled("cmdTimestamp"));
    Click("cmdOutputFile");  // cancelled
    EXPECT_EQ(services.dialogs.back().preset, output);
    EXPECT_EQ(Text("txtOutputFile"), output);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(InputAndOutput, InputChosenAsOutputIsRefused) {
    Choose_Input();
    Name_Output("trip.old.kml");
    EXPECT_EQ(services.Take_Messages(), Texts{kSameAsInput});
    EXPECT_EQ(Text("txtOutputFile"), "");
    EXPECT_TRUE(State().strOutput_File.empty());
    EXPECT_FALSE(Enabled("cmdTimestamp"));
}

TEST_F(InputAndOutput, ExistingOutputIsTakenOnlyAfterYes) {
    Choose_Input();
    const std::string existing = folder.File("old.kml");
    Write_File(existing, "old");
    services.answers = {MessageAnswer::No, MessageAnswer::Yes};
    Name_Output("old.kml");
    EXPECT_EQ(services.messages.back().text, kOverwrite);
    EXPECT_EQ(services.messages.back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(Text("txtOutputFile"), "");
    EXPECT_FALSE(Enabled("cmdTimestamp"));
    Name_Output("old.kml");
    EXPECT_EQ(Text("txtOutputFile"), existing);
    EXPECT_TRUE(Enabled("cmdTimestamp"));
    EXPECT_EQ(Read_File(existing), "old");
    EXPECT_FALSE(services.unscripted_question);
}

// An automatic name of a file that exists is asked about like any other (its dates and the job
// with it are in Embedding.TimeSpanJobWithAutomaticName).
TEST_F(InputAndOutput, AnAutomaticNameOfAnExistingFileIsAskedAbout) {
    Choose_Input();
    Write_File(folder.File("trip_2007_to_Present.kml"), "old");
    Type("txtBegin_Year", "2007");
    services.answers = {MessageAnswer::No};
    Click("cmdAuto_Output");
    EXPECT_EQ(services.Take_Messages(), Texts{kOverwrite});
    EXPECT_EQ(Text("txtOutputFile"), "");
    EXPECT_FALSE(Enabled("cmdTimestamp"));
}

TEST_F(InputAndOutput, AutomaticNameNeedsADateAndAnInput) {
    Choose_Input();
    Type("txtBegin_Year", " ");  // a year of blanks is no year
    Type("txtOutputFile", "typed.kml");
    Click("cmdAuto_Output");
    EXPECT_EQ(services.Take_Messages(), Texts{kNoDate});
    EXPECT_EQ(Text("txtOutputFile"), "");
    EXPECT_TRUE(Enabled("cmdTimestamp"));  // the early refusals leave the button as it was
    Choose_Input("refused.kml", "");
    services.Take_Messages();
    Clear_By_Keyboard("txtBegin_Year");
    Type("txtBegin_Year", "2007");
    Click("cmdAuto_Output");
    EXPECT_EQ(services.Take_Messages(), Texts{"You haven't entered the input filename yet."});
}

TEST_F(InputAndOutput, AKmzInputGivesKmzOutputs) {
    if (!Kmz_Supported()) {
        GTEST_SKIP() << "built without KMZ support";
    }
    const std::string input = folder.File("trip.kmz");
    std::filesystem::copy_file(ZAVEZE_KMZ_DATA_DIR "/trip.kmz", input);
    form.Files_Dropped({input});
    EXPECT_EQ(Text("txtInputFile"), input);
    Type("txtBegin_Year", "2007");
    Name_Output("out.kml");
    EXPECT_EQ(services.dialogs.back().filters, (std::vector<FileFilter>{{"KMZ", "*.kmz"}}));
    EXPECT_EQ(Text("txtOutputFile"), folder.File("out.kmz"));
    Click("cmdAuto_Output");
    const std::string output = folder.File("trip_2007_to_Present.kmz");
    EXPECT_EQ(Text("txtOutputFile"), output);
    Click("cmdTimestamp");
    EXPECT_EQ(services.Take_Messages(), Texts{"File " + output + " created."});
}

class Embedding : public FormFixture {
  protected:
    Embedding() { Choose_Input(); }
    void Expect_Reset() {
        EXPECT_EQ(Text("txtInputFile"), "");
        EXPECT_EQ(Text("txtOutputFile"), "");
        EXPECT_EQ(Text("txtBegin_Year"), "");
        EXPECT_FALSE(Enabled("cmdTimestamp") || Enabled("txtBegin_Year"));
    }
    std::string Embedded(const ModelElement& settings) const {
        return Model_Embed(kSampleKml, settings);
    }
};

TEST_F(Embedding, TimeSpanJobWithAutomaticName) {
    Enter_Date(Side::Begin, "2007", "01", "01");
    Enter_Date(Side::End, "2007", "12", "31");
    Click("cmdAuto_Output");
    Click("cmdTimestamp");
    const std::string output = folder.File("trip_2007-01-01_to_2007-12-31.kml");
    EXPECT_EQ(services.Take_Messages(), Texts{"File " + output + " created."});
    EXPECT_EQ(services.jobs.back().label, "Writing " + output + "...");
    EXPECT_EQ(Read_File(output), Embedded({TimeMode::TimeSpan, "2007-01-01", "2007-12-31"}));
    EXPECT_EQ(folder.Names(), (Texts{"trip.kml", "trip_2007-01-01_to_2007-12-31.kml"}));
    Expect_Reset();
}

// The time settings as the controls hold them reach the element: a time of day with a zone (one
// with minutes, as India's, shown and written as it stands), and a zone alone covering whole
// local days while a partial date stays bare.
TEST_F(Embedding, TimeSettingsReachTheElement) {
    Click("optTimeStamp");
    Enter_Date(Side::Begin, "2007", "10", "02");
    Click("chkSet_Time");
    Set_Time("dtPickBegin", {15, 45, 12});
    Pick("comboTime_Zone", "+05:30");
    EXPECT_EQ(Text("lblTime_Zone"), "+05:30");
    Name_Output("stamped.kml");
    Click("cmdTimestamp");
    EXPECT_EQ(Read_File(folder.File("stamped.kml")),
              Embedded({TimeMode::TimeStamp, "2007-10-02T15:45:12+05:30", ""}));

    Choose_Input();
    Click("optTimeSpan");
    Enter_Date(Side::Begin, "2007", "10", "02");
    Enter_Date(Side::End, "2008");
    Click("chkUTC");
    Pick("comboTime_Zone", "+02");
    Name_Output("days.kml");
    Click("cmdTimestamp");
    EXPECT_EQ(Read_File(folder.File("days.kml")),
              Embedded({TimeMode::TimeSpan, "2007-10-02T00:00:00+02:00", "2008"}));
}

// An automatic name follows the dates it was made from: changed dates make it anew before the
// job, so that no file is named with dates it does not hold. A name the user typed stays.
TEST_F(Embedding, AnAutomaticNameFollowsTheDates) {
    Click("optTimeStamp");
    Enter_Date(Side::Begin, "2022", "07", "04");
    Click("cmdAuto_Output");
    EXPECT_EQ(Text("txtOutputFile"), folder.File("trip_2022-07-04.kml"));
    Click("cmdReset_Dates");
    Click("optTimeStamp");
    Enter_Date(Side::Begin, "1999");
    services.Take_Messages();
    Click("cmdTimestamp");
    EXPECT_EQ(services.Take_Messages(),
              Texts{"File " + folder.File("trip_1999.kml") + " created."});
    EXPECT_EQ(Read_File(folder.File("trip_1999.kml")), Embedded({TimeMode::TimeStamp, "1999", ""}));
    EXPECT_FALSE(std::filesystem::exists(folder.File("trip_2022-07-04.kml")));

    Choose_Input();
    Click("optTimeStamp");
    Enter_Date(Side::Begin, "2022");
    Click("cmdAuto_Output");
    Type("txtOutputFile", "x");  // the user's own name now
    Click("cmdReset_Dates");
    Click("optTimeStamp");
    Enter_Date(Side::Begin, "1999");
    Click("cmdTimestamp");
    EXPECT_TRUE(std::filesystem::exists(folder.File("trip_2022.kmlx")));
}

// A name typed without a folder goes beside the input, and a relative path from the input's
// folder, wherever the program was started from; the message names the file in full.
TEST_F(Embedding, ATypedRelativeNameGoesFromTheInputsFolder) {
    std::filesystem::create_directory(folder.File("dated"));
    for (const std::string typed : {"typed.kml", "dated/typed.kml"}) {
        Choose_Input();
        Type("txtBegin_Year", "2007");
        Type("txtOutputFile", typed);
        services.Take_Messages();
        Click("cmdTimestamp");
        const std::string written =
            std::filesystem::path(folder.File(typed)).make_preferred().string();
        EXPECT_EQ(services.Take_Messages(), Texts{"File " + written + " created."});
        EXPECT_EQ(Read_File(written), Embedded({TimeMode::TimeSpan, "2007", ""}));
        EXPECT_FALSE(std::filesystem::exists(typed));
    }
}

// A job refused for its date, its output name or its folder writes nothing and resets nothing.
TEST_F(Embedding, ARefusedJobWritesNothingAndResetsNothing) {
    Click("optTimeStamp");
    Name_Output("nothing.kml");
    Click("cmdTimestamp");
    Click("optTimeSpan");
    Type("txtBegin_Year", "2007");
    Clear_By_Keyboard("txtOutputFile");
    Click("cmdTimestamp");
    Type("txtOutputFile", folder.File("gone/out.kml"));
    Click("cmdTimestamp");
    EXPECT_EQ(services.Take_Messages(),
              (Texts{"You haven't entered a TimeStamp value yet",
                     "You haven't entered the output filename yet.",
                     "Sorry, no file could be written in the folder " + folder.File("gone") +
                         ": No such file or directory"}));
    EXPECT_EQ(folder.Names(), Texts{"trip.kml"});
    EXPECT_EQ(Text("txtBegin_Year"), "2007");
    EXPECT_TRUE(Enabled("cmdTimestamp"));
}

TEST_F(Embedding, TypedNamesOfExistingFilesAreAskedAboutAndTheInputRefused) {
    Enter_Date(Side::Begin, "2007");
    Type("txtOutputFile", folder.File("./trip.kml"));
    Click("cmdTimestamp");
    EXPECT_EQ(services.Take_Messages(), Texts{kSameAsInput});
    EXPECT_EQ(Read_File(folder.File("trip.kml")), kSampleKml);

    const std::string existing = folder.File("keep.kml");
    Write_File(existing, "keep me");
    Type("txtOutputFile", existing);
    services.answers = {MessageAnswer::No};
    Click("cmdTimestamp");
    EXPECT_EQ(services.Take_Messages(), Texts{kOverwrite});
    EXPECT_EQ(Read_File(existing), "keep me");
    EXPECT_EQ(Text("txtOutputFile"), "");
    Type("txtOutputFile", existing);
    services.answers = {MessageAnswer::Yes};
    Click("cmdTimestamp");
    EXPECT_EQ(Read_File(existing), Embedded({TimeMode::TimeSpan, "2007", ""}));

    // A reset forgets the Yes: the same name typed again is asked about.
    Choose_Input();
    Enter_Date(Side::Begin, "2008");
    Type("txtOutputFile", existing);
    services.answers = {MessageAnswer::No};
    services.Take_Messages();
    Click("cmdTimestamp");
    EXPECT_EQ(services.Take_Messages(), Texts{kOverwrite});
    EXPECT_EQ(Read_File(existing), Embedded({TimeMode::TimeSpan, "2007", ""}));
}

TEST_F(Embedding, ACancelledJobLeavesNothingAndTheWindowAsItWas) {
    Enter_Date(Side::Begin, "2007");
    Name_Output("out.kml");
    services.cancel_jobs = true;
    Click("cmdTimestamp");
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(folder.Names(), Texts{"trip.kml"});
    EXPECT_EQ(Text("txtOutputFile"), folder.File("out.kml"));
    EXPECT_EQ(Text("txtBegin_Year"), "2007");
    services.cancel_jobs = false;
    Click("cmdTimestamp");
    EXPECT_EQ(Read_File(folder.File("out.kml")), Embedded({TimeMode::TimeSpan, "2007", ""}));
}

}  // namespace
}  // namespace zaveze::testing
