// SPDX-License-Identifier: MIT
// The time settings and the zone controls, the switch between TimeSpan and TimeStamp, and the two
// resets: handlers that change other controls, and the handlers those changes run.

#include "form_fixture.h"

#include "datetime/time_zones.h"

namespace zaveze::testing {
namespace {

using form::TimeOfDay;

const std::vector<std::string> kZoneControls = {"lblTime_Zone", "lblTime_Zone_Caption",
                                                "comboTime_Zone", "lblSet_Timezone"};
const std::vector<std::string> kEndBlock = {"txtEnd_Year", "comboEnd_Month",   "comboEnd_Day",
                                            "lblEnd_Day",  "lblEnd_Year",      "lblEnd_Month",
                                            "lblEnd",      "lblEnd_Date_Label"};

using TimeAndMode = FormFixture;

// Both pickers show (enabled once a day is picked, the end's only in TimeSpan mode), and the
// zone with them; unchecked, the zone stays until the local zone is left too.
TEST_F(TimeAndMode, TimeSettingsShowThePickersAndTheZone) {
    Click("chkSet_Time");
    EXPECT_TRUE(Shown("dtPickBegin") && Shown("dtPickEnd"));
    EXPECT_FALSE(Enabled("dtPickBegin") || Enabled("dtPickEnd"));
    EXPECT_TRUE(Checked("chkUTC"));  // its handler ran: the zone controls show
    EXPECT_FALSE(Enabled("chkUTC"));
    EXPECT_TRUE(All_Shown(kZoneControls, true));
    EXPECT_EQ(Text("lblTime_Zone"), "+00");
    Click("optTimeStamp");
    EXPECT_TRUE(Shown("dtPickBegin") && !Shown("dtPickEnd"));
    Click("optTimeSpan");
    EXPECT_TRUE(Shown("dtPickEnd") && !Enabled("dtPickEnd"));

    Pick("comboTime_Zone", "+03");
    EXPECT_EQ(Text("lblTime_Zone"), "+03");
    Click("chkSet_Time");
    EXPECT_FALSE(Shown("dtPickBegin") || Shown("dtPickEnd"));
    EXPECT_TRUE(Checked("chkUTC") && Enabled("chkUTC"));
    EXPECT_TRUE(All_Shown(kZoneControls, true));
    EXPECT_EQ(Text("lblTime_Zone"), "+03");
    Click("chkUTC");
    EXPECT_TRUE(All_Shown(kZoneControls, false));
    EXPECT_EQ(Text("lblTime_Zone"), "+00");
    EXPECT_EQ(Text("comboTime_Zone"), "");
    EXPECT_EQ(Entries("comboTime_Zone"), Time_Zone_Entries());
    Click("chkUTC");  // the local zone alone
    EXPECT_TRUE(All_Shown(kZoneControls, true));
    EXPECT_FALSE(Shown("dtPickBegin"));
}

TEST_F(TimeAndMode, TimeStampLayoutAndBackToTimeSpan) {
    Choose_Input();
    Enter_Date(Side::End, "2008", "03", "09");
    Click("optTimeStamp");
    EXPECT_TRUE(All_Shown(kEndBlock, false));
    EXPECT_FALSE(Shown("dtPickEnd"));
    EXPECT_TRUE(Shown("lblEnd_Date"));
    EXPECT_EQ(Text("lblBegin"), "Enter date to TimeStamp file with");
    EXPECT_EQ(Text("lblBegin_Date_Label"),
              "Date to be TimeStamped into file (Year-Month-Day Time)");
    EXPECT_TRUE(State().bEnd_Year_Set);  // the emptied end year ran its handler

    Click("optTimeSpan");
    EXPECT_TRUE(All_Shown(kEndBlock, true));
    EXPECT_FALSE(Shown("dtPickEnd"));
    EXPECT_EQ(Text("lblBegin"), "Enter beginning of TimeSpan");
    EXPECT_EQ(Text("lblEnd_Date_Label"), "End of TimeSpan");
    EXPECT_EQ(Text("lblBegin_Date_Label"), "Beginning of TimeSpan (Year-Month-Day Time)");
    EXPECT_EQ(Text("txtEnd_Year"), "");
    EXPECT_EQ(Entries("comboEnd_Month").size(), 12u);
    EXPECT_EQ(Text("comboEnd_Month"), "");
    EXPECT_EQ(Text("comboEnd_Day"), "09");
}

TEST_F(TimeAndMode, TimeStampWithAnEmptyEndYearChangesNoButton) {
    Choose_Input();
    Click("optTimeStamp");
    EXPECT_FALSE(Enabled("cmdAuto_Output") || Enabled("cmdVerify_Dates") ||
                 Enabled("cmdReset_Dates"));
    EXPECT_FALSE(State().bEnd_Year_Set);
}

class Reset : public FormFixture {
  protected:
    std::string input, output;

    void Fill_Everything() {
        input = Choose_Input();
        Enter_Date(Side::Begin, "2007", "10", "02");
        Enter_Date(Side::End, "2008", "02", "29");
        Click("chkSet_Time");
        Set_Time("dtPickBegin", {10, 0, 0});
        Set_Time("dtPickEnd", {11, 0, 0});
        Pick("comboTime_Zone", "-05");
        Click("cmdAuto_Output");
        output = Text("txtOutputFile");
        Click("cmdVerify_Dates");
        services.Take_Messages();
    }
    void Expect_Dates_Cleared() {
        EXPECT_EQ(Text("txtBegin_Year"), "");
        EXPECT_EQ(Text("txtEnd_Year"), "");
        for (const char* list :
             {"comboBegin_Month", "comboEnd_Month", "comboBegin_Day", "comboEnd_Day"}) {
            EXPECT_TRUE(Entries(list).empty() && !Enabled(list)) << list;
        }
        EXPECT_EQ(Time("dtPickBegin"), TimeOfDay{});
        EXPECT_EQ(Time("dtPickEnd"), TimeOfDay{});
        EXPECT_FALSE(Enabled("dtPickBegin") || Enabled("dtPickEnd"));
        EXPECT_EQ(Text("lblBegin_Date"), "");
        EXPECT_EQ(Text("lblEnd_Date"), "");
        EXPECT_FALSE(Enabled("cmdVerify_Dates") || Enabled("cmdReset_Dates"));
        EXPECT_TRUE(State().strBegin_Date.empty() && State().strEnd_Date.empty());
        EXPECT_FALSE(State().bBegin_Year_Set || State().bEnd_Year_Set);
    }
};

TEST_F(Reset, AllFromEverythingFilled) {
    Fill_Everything();
    Click("cmdReset");
    Expect_Dates_Cleared();
    EXPECT_EQ(Text("txtInputFile"), "");
    EXPECT_TRUE(Enabled("txtInputFile"));
    EXPECT_EQ(Text("txtOutputFile"), "");
    for (const char* name : {"txtOutputFile", "cmdOutputFile", "cmdTimestamp", "cmdAuto_Output",
                             "txtBegin_Year", "txtEnd_Year"}) {
        EXPECT_FALSE(Enabled(name)) << name;
    }
    EXPECT_FALSE(Checked("chkSet_Time") || Checked("chkUTC"));
    EXPECT_TRUE(Enabled("chkUTC"));
    EXPECT_TRUE(All_Shown({"dtPickBegin", "dtPickEnd"}, false));
    EXPECT_TRUE(All_Shown(kZoneControls, false));
    EXPECT_EQ(Text("lblTime_Zone"), "+00");
    EXPECT_EQ(Entries("comboTime_Zone"), Time_Zone_Entries());
    EXPECT_EQ(Text("comboTime_Zone"), "");
    // the file paths of the last job stay for the next dialogs
    EXPECT_EQ(State().strInput_File, input);
    EXPECT_EQ(State().strOutput_File, output);
    Choose_Input();
    Click("cmdOutputFile");  // cancelled
    EXPECT_EQ(services.dialogs.back().preset, output);
    EXPECT_EQ(Text("txtOutputFile"), "");
}

TEST_F(Reset, AllKeepsTheTimeStampMode) {
    Click("optTimeStamp");
    Click("cmdReset");
    EXPECT_TRUE(Checked("optTimeStamp"));
    EXPECT_EQ(Text("lblBegin"), "Enter date to TimeStamp file with");
    EXPECT_FALSE(Shown("txtEnd_Year"));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(Reset, DatesKeepsFilesAndTimeSettings) {
    Fill_Everything();
    Click("cmdReset_Dates");
    Expect_Dates_Cleared();
    EXPECT_TRUE(Enabled("txtBegin_Year") && Enabled("txtEnd_Year"));
    EXPECT_EQ(Text("txtInputFile"), input);
    EXPECT_EQ(Text("txtOutputFile"), output);
    EXPECT_TRUE(Enabled("cmdTimestamp") && Enabled("cmdAuto_Output"));
    EXPECT_TRUE(Checked("chkSet_Time"));
    EXPECT_TRUE(Shown("dtPickBegin") && Shown("dtPickEnd"));
    EXPECT_EQ(Text("lblTime_Zone"), "-05");

    Type("txtBegin_Year", "1999");
    EXPECT_EQ(Entries("comboBegin_Month").size(), 12u);
    EXPECT_TRUE(Enabled("comboBegin_Month") && Enabled("cmdVerify_Dates") &&
                Enabled("cmdReset_Dates"));
    EXPECT_TRUE(Entries("comboBegin_Day").empty());
}

}  // namespace
}  // namespace zaveze::testing
