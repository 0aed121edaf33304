// SPDX-License-Identifier: MIT
// Typing years, picking months and days, the year check before the focus leaves its box, and
// "Verify Dates" as the form does it. The rules themselves are the datetime tests'.

#include "form_fixture.h"

namespace zaveze::testing {
namespace {

using form::MessageButtons;
using form::MessageIcon;
using form::TimeOfDay;

const std::string kNotANumber = "Please enter a valid number for the year";
const std::string kLooksGood =
    "Looks good for embedding, but double-check the values to make sure.";

Texts Numbers(int last) {
    Texts numbers;
    for (int n = 1; n <= last; ++n) {
        numbers.push_back((n < 10 ? "0" : "") + std::to_string(n));
    }
    return numbers;
}

class DateEntry : public FormFixture {
  protected:
    DateEntry() { Choose_Input(); }
    Texts Verify() {
        Click("cmdVerify_Dates");
        return services.Take_Messages();
    }
};

TEST_F(DateEntry, TypingAYearFillsTheMonthsAndEnablesTheDateCommands) {
    Type("txtBegin_Year", "2");
    EXPECT_TRUE(Enabled("comboBegin_Month"));
    EXPECT_EQ(Entries("comboBegin_Month"), Numbers(12));
    EXPECT_EQ(Text("comboBegin_Month"), "");
    EXPECT_TRUE(Enabled("cmdAuto_Output") && Enabled("cmdVerify_Dates") &&
                Enabled("cmdReset_Dates"));
    EXPECT_TRUE(State().bBegin_Year_Set);
    EXPECT_FALSE(State().bEnd_Year_Set);
    EXPECT_FALSE(Enabled("comboEnd_Month") || Enabled("comboBegin_Day"));
}

// The lengths of months are the calendar's: here, that the form asks with its own year and month.
TEST_F(DateEntry, PickingAMonthFillsItsDaysAndADayEnablesOnlyThatSidesPicker) {
    Type("txtEnd_Year", "2008");
    Pick("comboEnd_Month", "02");
    EXPECT_TRUE(Enabled("comboEnd_Day"));
    EXPECT_EQ(Entries("comboEnd_Day"), Numbers(29));
    EXPECT_EQ(Text("comboEnd_Day"), "");
    EXPECT_FALSE(Enabled("dtPickEnd"));
    Pick("comboEnd_Day", "02");
    EXPECT_TRUE(Enabled("dtPickEnd"));
    EXPECT_FALSE(Enabled("dtPickBegin"));
}

TEST_F(DateEntry, AnotherMonthDropsTheDayAnotherDigitDropsTheMonth) {
    Enter_Date(Side::Begin, "200", "01", "15");
    Pick("comboBegin_Month", "03");
    EXPECT_EQ(Text("comboBegin_Day"), "");
    EXPECT_EQ(Entries("comboBegin_Day").size(), 31u);
    Pick("comboBegin_Month", "10");
    Pick("comboBegin_Day", "02");
    Type("txtBegin_Year", "8");
    EXPECT_EQ(Text("comboBegin_Month"), "");
    EXPECT_EQ(Entries("comboBegin_Month").size(), 12u);
    EXPECT_EQ(Text("comboBegin_Day"), "02");
    EXPECT_EQ(Verify(), Texts{kLooksGood});  // a day without its month is left out
    EXPECT_EQ(Text("lblBegin_Date"), "2008 ");
    EXPECT_EQ(State().strBegin_Date, "2008");
}

TEST_F(DateEntry, EmptiedYearRefillsTheMonthsAndTidiesItsSideAtTheNextUse) {
    Enter_Date(Side::Begin, "2007", "05", "05");
    Set_Time("dtPickBegin", {10, 0, 0});
    Type("txtEnd_Year", "2008");
    Clear_By_Keyboard("txtBegin_Year");
    EXPECT_EQ(Entries("comboBegin_Month").size(), 12u);
    EXPECT_EQ(Text("comboBegin_Month"), "");
    EXPECT_TRUE(Enabled("cmdVerify_Dates"));
    Verify();
    EXPECT_TRUE(Entries("comboBegin_Month").empty());
    EXPECT_TRUE(Entries("comboBegin_Day").empty());
    EXPECT_EQ(Time("dtPickBegin"), TimeOfDay{});
    EXPECT_EQ(Text("lblBegin_Date"), "Past");
    EXPECT_EQ(Entries("comboEnd_Month").size(), 12u);
}

TEST_F(DateEntry, RefusedYearKeepsTheFocusWithADataError) {
    for (const auto& [year, message] :
         {std::pair{"0", "0 is not a valid year"}, std::pair{"abc", kNotANumber.c_str()}}) {
        Clear_By_Keyboard("txtBegin_Year");
        Type("txtBegin_Year", year);
        Tab();
        ASSERT_EQ(services.messages.size(), 1u) << year;
        EXPECT_EQ(services.messages[0].title, "Data Error");
        EXPECT_EQ(services.messages[0].text, message);
        EXPECT_EQ(services.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(controls.focused, "txtBegin_Year");
        EXPECT_EQ(Text("txtBegin_Year"), year);
        services.messages.clear();
        Clear_By_Keyboard("txtBegin_Year");  // the box keeps the focus: no check
    }
}

TEST_F(DateEntry, AcceptedYearsLetTheFocusGo) {
    for (const char* year : {"", " -44 "}) {
        Type("txtEnd_Year", year);
        Tab();
        EXPECT_TRUE(services.messages.empty()) << year;
        EXPECT_NE(controls.focused, "txtEnd_Year") << year;
    }
}

TEST_F(DateEntry, NoOtherControlActsWhileTheYearIsRefused) {
    Enter_Date(Side::Begin, "2007", "10");
    Type("txtEnd_Year", "abc");
    for (const char* control : {"cmdVerify_Dates", "cmdReset", "cmdExit", "cmdHelp", "optTimeStamp",
                                "chkSet_Time", "chkUTC", "txtInputFile", "lblWebsite"}) {
        Click(control);
        EXPECT_EQ(services.Take_Messages(), Texts{kNotANumber}) << control;
        EXPECT_EQ(controls.focused, "txtEnd_Year") << control;
    }
    EXPECT_FALSE(controls.closed);
    EXPECT_EQ(Text("txtEnd_Year"), "abc");  // Reset All did not act
    EXPECT_FALSE(Checked("optTimeStamp") || Checked("chkSet_Time") || Checked("chkUTC"));
    EXPECT_TRUE(services.guide_sections.empty());
    form.Files_Dropped({Choose_Input("other.kml")});  // the click on the input button is held
    EXPECT_EQ(services.Take_Messages(), (Texts{kNotANumber, kNotANumber}));
    EXPECT_EQ(Text("txtInputFile"), folder.File("trip.kml"));

    Click("lblBegin");  // a label takes no focus: no check
    EXPECT_TRUE(services.messages.empty());
    Clear_By_Keyboard("txtEnd_Year");
    Type("txtEnd_Year", "2008");
    Click("chkSet_Time");
    EXPECT_TRUE(Checked("chkSet_Time"));
    EXPECT_TRUE(services.messages.empty());
}

// "Verify Dates" reads the mode, the dates and the pickers' times from the controls (midnight
// and the afternoon included); the rules themselves are the datetime tests'.
TEST_F(DateEntry, VerificationReadsModeDatesAndTimes) {
    Enter_Date(Side::Begin, "2007", "10", "02");
    Enter_Date(Side::End, "2007", "10", "02");
    Click("optTimeStamp");
    EXPECT_EQ(Verify(), Texts{kLooksGood});
    EXPECT_EQ(Text("lblBegin_Date") + "|" + Text("lblEnd_Date"), "2007-10-02 |");
    Click("optTimeSpan");
    Enter_Date(Side::End, "2007", "10", "02");
    Click("chkSet_Time");
    Set_Time("dtPickEnd", {22, 30, 5});
    EXPECT_EQ(Verify(), Texts{kLooksGood});
    EXPECT_EQ(Text("lblBegin_Date") + "|" + Text("lblEnd_Date"),
              "2007-10-02 00:00:00|2007-10-02 22:30:05");
}

}  // namespace
}  // namespace zaveze::testing
