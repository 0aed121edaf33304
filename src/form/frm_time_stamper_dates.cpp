// SPDX-License-Identifier: MIT
// Date entry, the time settings and the date verification.

#include "core/messages.h"
#include "datetime/calendar.h"
#include "datetime/date_text.h"
#include "datetime/time_zones.h"
#include "datetime/to_24_hour.h"
#include "datetime/verification.h"
#include "datetime/year_validation.h"
#include "form/frm_time_stamper.h"
#include "form/picker_text.h"
#include "form/window_messages.h"

namespace zaveze::form {

// Any change of a year box, emptying it included, offers that side's months afresh and the
// commands that work on dates.
void frmTimeStamper::Year_Changed(const DateSide& side) {
    state_.*side.year_set = true;
    controls_.Set_Enabled(side.month, true);
    controls_.Set_Enabled("cmdAuto_Output", true);
    Fill_List(side.month, Month_Entries());
    Set_Enabled({"cmdVerify_Dates", "cmdReset_Dates"}, true);
}

bool frmTimeStamper::Year_May_Be_Left(ControlName year_box) {
    const auto refusal = messages::Year_Refusal(Validate_Year(controls_.Text(year_box)));
    if (refusal) {
        services_.Show_Message({std::string(messages::kDataErrorTitle), std::string(*refusal),
                                MessageIcon::Warning, MessageButtons::Ok});
    }
    return !refusal;
}

void frmTimeStamper::Month_Picked(const DateSide& side) {
    controls_.Set_Enabled(side.day, true);
    Fill_Days(side);
}

void frmTimeStamper::Fill_Days(const DateSide& side) {
    Fill_List(side.day, Day_Entries(controls_.Text(side.month), controls_.Text(side.year)));
}

// Builds one side's date text, and tidies the side when its year box has been emptied.
void frmTimeStamper::Build_Side(const DateSide& side) {
    if (!(state_.*side.year_set)) {
        return;
    }
    std::string& date = state_.*side.date;
    date = Build_Date_Text(
        {controls_.Text(side.year), controls_.Text(side.month), controls_.Text(side.day)});
    if (date.empty()) {
        controls_.Clear_Entries(side.month);
        controls_.Clear_Entries(side.day);
        controls_.Set_Time(side.picker, {});
    }
}

void frmTimeStamper::Build_Date_Strings() {
    Build_Side(kBegin);
    Build_Side(kEnd);
}

TimeSettings frmTimeStamper::Current_Time_Settings() const {
    return {controls_.Checked("chkSet_Time"), controls_.Checked("chkUTC"),
            controls_.Text("lblTime_Zone"), To_24_Hour(Picker_Text(controls_.Time(kBegin.picker))),
            To_24_Hour(Picker_Text(controls_.Time(kEnd.picker)))};
}

void frmTimeStamper::cmdVerify_Dates_Click() {
    Build_Date_Strings();
    const TimeSettings times = Current_Time_Settings();
    const VerifyOutcome outcome = Verify_Dates({Mode(), state_.strBegin_Date, state_.strEnd_Date,
                                                times.set_time, times.begin_time, times.end_time});
    if (outcome.captions) {
        Set_Text("lblBegin_Date", outcome.captions->begin);
        Set_Text("lblEnd_Date", outcome.captions->end);
    }
    Message(std::string(messages::Verification(outcome.advice)));
}

void frmTimeStamper::chkSet_Time_Click() {
    if (controls_.Checked("chkSet_Time")) {
        controls_.Set_Visible(kBegin.picker, true);
        controls_.Set_Visible(kEnd.picker, !controls_.Checked("optTimeStamp"));
        Set_Checked("chkUTC", true);  // shows the zone controls through its handler
        Set_Visible(kZoneControls, true);
        controls_.Set_Enabled("chkUTC", false);  // no switching back to UTC while times are set
    }
    if (!controls_.Checked("chkSet_Time")) {
        Set_Visible({kBegin.picker, kEnd.picker}, false);
        controls_.Set_Enabled("chkUTC", true);
    }
}

void frmTimeStamper::chkUTC_Click() {
    const bool local_zone = controls_.Checked("chkUTC");
    Set_Visible(kZoneControls, local_zone);
    if (!local_zone) {
        Load_Time_Zones();
        Set_Text("lblTime_Zone", kUtcZone);
    }
}

void frmTimeStamper::comboTime_Zone_Click() {
    Set_Text("lblTime_Zone", controls_.Text("comboTime_Zone"));
}

}  // namespace zaveze::form
