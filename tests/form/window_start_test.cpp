// SPDX-License-Identifier: MIT
// The window as the user first sees it, and its own commands.

#include "form/progress_text.h"
#include "form/user_guide.h"
#include "form/window_command_line.h"
#include "form_fixture.h"

#include "datetime/time_zones.h"

namespace zaveze::testing {
namespace {

using WindowStart = FormFixture;

TEST_F(WindowStart, OnlyTheFirstStepsAcceptInput) {
    for (const char* name : {"txtInputFile", "cmdInputFile", "optTimeSpan", "optTimeStamp",
                             "chkSet_Time", "chkUTC", "cmdReset", "cmdHelp", "cmdExit"}) {
        EXPECT_TRUE(Enabled(name) && Shown(name)) << name;
    }
    for (const char* name :
         {"txtOutputFile", "cmdOutputFile", "cmdAuto_Output", "cmdTimestamp", "cmdReset_Dates",
          "txtBegin_Year", "txtEnd_Year", "comboBegin_Month", "comboBegin_Day", "comboEnd_Month",
          "comboEnd_Day", "cmdVerify_Dates", "dtPickBegin", "dtPickEnd"}) {
        EXPECT_FALSE(Enabled(name)) << name;
    }
    for (const char* name : {"dtPickBegin", "dtPickEnd", "lblTime_Zone", "lblTime_Zone_Caption",
                             "comboTime_Zone", "lblSet_Timezone"}) {
        EXPECT_FALSE(Shown(name)) << name;
    }
    EXPECT_TRUE(Checked("optTimeSpan") && !Checked("optTimeStamp"));
    EXPECT_FALSE(Checked("chkSet_Time") || Checked("chkUTC"));
    EXPECT_EQ(Time("dtPickBegin"), form::TimeOfDay{});
    EXPECT_TRUE(Entries("comboBegin_Month").empty());
    EXPECT_EQ(Text("lblTime_Zone"), "+00");
    EXPECT_EQ(Text("lblBegin_Date_Label"), "Beginning of TimeSpan (Year-Month-Day Time)");
    EXPECT_EQ(controls.focused, "txtInputFile");
    EXPECT_TRUE(services.messages.empty());
    const Texts& zones = Entries("comboTime_Zone");
    ASSERT_EQ(zones, Time_Zone_Entries());
    EXPECT_EQ(zones.front() + zones[15] + zones.back(), "-12+00+14");
    EXPECT_EQ(Text("comboTime_Zone"), "");
    EXPECT_TRUE(State().strInput_File.empty() && State().strOutput_File.empty());
    EXPECT_FALSE(State().bBegin_Year_Set || State().bEnd_Year_Set);
    EXPECT_EQ(State().strDate_Format, "Year-Month-Day Time");
}

// The outer frame goes to the middle of the screen's free area; halves stay halves.
TEST_F(WindowStart, TheFrameIsCentredOnTheFreeArea) {
    EXPECT_EQ(controls.frame.x, (1920 - 1016) / 2.0);
    EXPECT_EQ(controls.frame.y, (1080 - 470) / 2.0);
    controls.screen = {100, 30, 1281, 771};
    form.Centre_On_Screen();
    EXPECT_EQ(controls.frame.x, 100 + 265 / 2.0);
    EXPECT_EQ(controls.frame.y, 30 + 301 / 2.0);
    EXPECT_EQ(controls.scale, 1);
}

// A window larger than the screen's free area (a high DPI on a small screen) is scaled down
// until its frame fits, then centred; on a larger screen it grows back to its natural size.
TEST_F(WindowStart, AWindowTooLargeForTheScreenIsScaledDownToFit) {
    controls.dpi_scale = 2;  // 192 dpi
    controls.Scale_Window(1);
    controls.screen = {0, 0, 1920, 1160};
    form.Centre_On_Screen();
    EXPECT_LT(controls.scale, 1);
    EXPECT_LE(controls.frame.width, 1920);
    EXPECT_GE(controls.frame.width, 1918);
    EXPECT_EQ(controls.frame.x, (1920 - controls.frame.width) / 2);
    controls.screen = {0, 0, 1000, 2000};  // too narrow, and the scale goes down from there
    form.Centre_On_Screen();
    EXPECT_LE(controls.frame.width, 1000);
    EXPECT_GE(controls.frame.width, 998);
    controls.screen = {0, 0, 3840, 2160};
    form.Fit_On_Screen();
    EXPECT_EQ(controls.scale, 1);
}

TEST_F(WindowStart, HelpAndWebsiteOpenTheUserGuideAndExitCloses) {
    Click("cmdHelp");
    Click("lblWebsite");
    EXPECT_EQ(services.guide_sections, (Texts{"", "about"}));
    EXPECT_TRUE(services.messages.empty());
    // Without a browser (or without the guide), a message says where the guide is.
    services.guide_failure = {"/usr/share/doc/zaveze/user-guide.html",
                              "no web browser or other program opened it"};
    Click("cmdHelp");
    EXPECT_EQ(services.Take_Messages(),
              Texts{"Sorry, the user guide /usr/share/doc/zaveze/user-guide.html could not be "
                    "opened: no web browser or other program opened it. Open it in a web "
                    "browser to read it."});
    EXPECT_FALSE(controls.closed);
    Type("txtInputFile", "anything");
    Click("cmdExit");
    EXPECT_TRUE(controls.closed);
    EXPECT_TRUE(services.messages.empty());
}

// The guide is where the package installs it, beside the program on Windows and in the
// documentation folder elsewhere; a development build reads the source tree's while there is none.
TEST(UserGuide, IsWhereThePackageInstallsItElseInTheSourceTree) {
    TempFolder root;
#ifdef _WIN32
    const std::string program_folder = root.File("Zaveze");
    const std::string installed = root.File("Zaveze\\user-guide.html");
#else
    const std::string program_folder = root.File("bin");
    const std::string installed = root.File("share/doc/zaveze/user-guide.html");
#endif
    const form::UserGuide before = form::Find_User_Guide(program_folder);
    EXPECT_EQ(before.expected, installed);
    ASSERT_TRUE(before.found.has_value());
    EXPECT_TRUE(before.found->ends_with("docs/user-guide.html")) << *before.found;
    std::filesystem::create_directories(std::filesystem::path(installed).parent_path());
    Write_File(installed, "<html></html>");
    EXPECT_EQ(form::Find_User_Guide(program_folder).found, installed);
}

// A click on the option that is already selected raises nothing: the mode stays as it was set.
TEST_F(WindowStart, OnlyAMovedSelectionSwitchesTheMode) {
    Click("optTimeStamp");
    controls.Set_Text("lblBegin", "moved by nobody");
    Click("optTimeStamp");
    EXPECT_EQ(Text("lblBegin"), "moved by nobody");
    Click("optTimeSpan");
    EXPECT_EQ(Text("lblBegin"), "Enter beginning of TimeSpan");
}

}  // namespace
// The window program's command line, the same in both faces.
TEST(WindowArguments, OpenAFilePrintOrRefuse) {
    using Kind = form::WindowRequest::Kind;
    const struct {
        std::vector<std::string> words;
        Kind kind;
        std::string text_start, file;
    } cases[] = {
        {{}, Kind::Open, "", ""},
        {{"trip.kml"}, Kind::Open, "", "trip.kml"},
        {{"trip.kml", "--help"}, Kind::Print, "Usage: zaveze [options] [FILE]\n", ""},
        {{"-?"}, Kind::Print, "Usage: zaveze", ""},
        {{"-v"}, Kind::Print, "zaveze " ZAVEZE_VERSION "\n", ""},
        {{"--bogus"}, Kind::BadUsage, "zaveze: Unknown option 'bogus'.\n", ""},
        {{"a.kml", "b.kml"}, Kind::BadUsage, "zaveze: one FILE at most\n", ""},
        {{"-"}, Kind::Open, "", "-"},
    };
    for (const auto& [words, kind, text_start, file] : cases) {
        const form::WindowRequest request = form::Read_Window_Arguments(words);
        EXPECT_EQ(request.kind, kind) << ::testing::PrintToString(words);
        EXPECT_TRUE(request.text.starts_with(text_start)) << request.text;
        EXPECT_EQ(request.file, file);
        EXPECT_EQ(form::Only_Prints(words), kind == Kind::Print);
    }
}

TEST(ProgressText, ShowsTheBytesDoneOfTheTotalInMiB) {
    EXPECT_EQ(form::Progress_Text("Writing a.kml...", 3 << 19, 512u << 20),
              "Writing a.kml...\n1.5 MiB of 512.0 MiB");
    EXPECT_EQ(form::Progress_Text("Checking -...", 0, 0), "Checking -...\n0.0 MiB");
}

}  // namespace zaveze::testing
