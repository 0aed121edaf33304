// SPDX-License-Identifier: MIT
// The window's start, how handlers are raised, the mode switch and the two resets.

#include "form/frm_time_stamper.h"

#include <algorithm>
#include <cmath>

#include "core/kmz/kmz.h"
#include "datetime/time_zones.h"
#include "form/control_table.h"
#include "form/window_messages.h"

namespace zaveze::form {
namespace {

using Handler = void (frmTimeStamper::*)();

// The option button the table selects from the start.
std::string Initially_Selected_Option() {
    for (const ControlSpec& spec : Control_Table()) {
        if (spec.kind == ControlKind::OptionButton && spec.checked) {
            return std::string(spec.name);
        }
    }
    return {};
}

bool Is_Kml_Or_Kmz(std::string_view path) {
    return Has_Extension(path, ".kml") || Has_Extension(path, ".kmz");
}

}  // namespace

const frmTimeStamper::DateSide frmTimeStamper::kBegin{
    "txtBegin_Year", "comboBegin_Month",          "comboBegin_Day",
    "dtPickBegin",   &FormState::bBegin_Year_Set, &FormState::strBegin_Date};
const frmTimeStamper::DateSide frmTimeStamper::kEnd{
    "txtEnd_Year", "comboEnd_Month",          "comboEnd_Day",
    "dtPickEnd",   &FormState::bEnd_Year_Set, &FormState::strEnd_Date};

frmTimeStamper::frmTimeStamper(Controls& controls, Services& services)
    : controls_(controls), services_(services), selected_option_(Initially_Selected_Option()) {}

// Each control's handler, by the control's name.
void frmTimeStamper::Raise(ControlName name) {
    struct Entry {
        ControlName control;
        Handler handler;
    };
    static constexpr Entry kHandlers[] = {
        {"cmdInputFile", &frmTimeStamper::cmdInputFile_Click},
        {"cmdOutputFile", &frmTimeStamper::cmdOutputFile_Click},
        {"cmdAuto_Output", &frmTimeStamper::cmdAuto_Output_Click},
        {"txtOutputFile", &frmTimeStamper::txtOutputFile_Change},
        {"cmdTimestamp", &frmTimeStamper::cmdTimestamp_Click},
        {"txtBegin_Year", &frmTimeStamper::txtBegin_Year_Change},
        {"txtEnd_Year", &frmTimeStamper::txtEnd_Year_Change},
        {"comboBegin_Month", &frmTimeStamper::comboBegin_Month_Click},
        {"comboEnd_Month", &frmTimeStamper::comboEnd_Month_Click},
        {"comboBegin_Day", &frmTimeStamper::comboBegin_Day_Click},
        {"comboEnd_Day", &frmTimeStamper::comboEnd_Day_Click},
        {"cmdVerify_Dates", &frmTimeStamper::cmdVerify_Dates_Click},
        {"chkSet_Time", &frmTimeStamper::chkSet_Time_Click},
        {"chkUTC", &frmTimeStamper::chkUTC_Click},
        {"comboTime_Zone", &frmTimeStamper::comboTime_Zone_Click},
        {"optTimeSpan", &frmTimeStamper::optTimeSpan_Click},
        {"optTimeStamp", &frmTimeStamper::optTimeStamp_Click},
        {"cmdReset", &frmTimeStamper::cmdReset_Click},
        {"cmdReset_Dates", &frmTimeStamper::cmdReset_Dates_Click},
        {"cmdHelp", &frmTimeStamper::cmdHelp_Click},
        {"lblWebsite", &frmTimeStamper::lblWebsite_Click},
        {"cmdExit", &frmTimeStamper::cmdExit_Click},
    };
    for (const auto& [control, handler] : kHandlers) {
        if (control == name) {
            (this->*handler)();
            return;
        }
    }
}

// Help and the website label: the guide in the browser, or a message that says where it is.
void frmTimeStamper::Open_User_Guide(const std::string& section) {
    if (const auto failure = services_.Open_User_Guide(section)) {
        Message(messages::Guide_Not_Opened(failure->path, failure->reason));
    }
}

void frmTimeStamper::User_Clicked(std::string_view reported) {
    const std::optional<ControlName> name = ControlName::Find(reported);
    if (!name) {
        return;
    }
    if (Kind_Of(*name) == ControlKind::OptionButton) {
        if (!controls_.Checked(*name) || name->View() == selected_option_) {
            return;  // the selection did not move
        }
        selected_option_ = name->View();
    }
    Raise(*name);
}

void frmTimeStamper::User_Edited(std::string_view reported) {
    if (const auto name = ControlName::Find(reported)) {
        Raise(*name);
    }
}

void frmTimeStamper::User_Picked(std::string_view reported) {
    if (const auto name = ControlName::Find(reported)) {
        Raise(*name);
    }
}

void frmTimeStamper::Set_Text(ControlName name, std::string_view text) {
    if (controls_.Text(name) == text) {
        return;  // no change, no handler
    }
    controls_.Set_Text(name, text);
    if (Kind_Of(name) == ControlKind::TextBox) {
        Raise(name);
    }
}

void frmTimeStamper::Set_Checked(ControlName name, bool checked) {
    if (controls_.Checked(name) == checked) {
        return;
    }
    controls_.Set_Checked(name, checked);
    Raise(name);
}

void frmTimeStamper::Set_Enabled(std::initializer_list<ControlName> names, bool enabled) {
    for (const ControlName name : names) {
        controls_.Set_Enabled(name, enabled);
    }
}

void frmTimeStamper::Set_Visible(std::span<const ControlName> names, bool visible) {
    for (const ControlName name : names) {
        controls_.Set_Visible(name, visible);
    }
}

// Replaces a list's entries; it shows no pick until the user makes one.
void frmTimeStamper::Fill_List(ControlName name, const std::vector<std::string>& entries) {
    controls_.Clear_Entries(name);
    for (const std::string& entry : entries) {
        controls_.Append_Entry(name, entry);
    }
}

bool frmTimeStamper::Focus_May_Leave() {
    const std::string focused_name = controls_.Focused();
    if (checking_year_ || (focused_name != kBegin.year && focused_name != kEnd.year)) {
        return true;
    }
    const ControlName focused = focused_name == kBegin.year ? kBegin.year : kEnd.year;
    checking_year_ = true;  // the message box takes the focus; that is no leaving
    const bool may_leave = Year_May_Be_Left(focused);
    checking_year_ = false;
    if (!may_leave) {
        controls_.Set_Focus(focused);
    }
    return may_leave;
}

bool frmTimeStamper::Accepts_Dropped_Files(const std::vector<std::string>& paths) {
    return paths.size() == 1 && Is_Kml_Or_Kmz(paths.front());
}

// One KML or KMZ file dropped on the window is taken as if it had been chosen in the input
// dialog, once the year being typed has been let go.
void frmTimeStamper::Files_Dropped(const std::vector<std::string>& paths) {
    if (Accepts_Dropped_Files(paths) && Focus_May_Leave()) {
        Take_Input_File(paths.front());
    }
}

// A window scaled up for a high DPI may be larger than a small screen (1010 pixels at 192 dpi
// are 2020): it is scaled down until it fits, the layout unchanged. Title bar and borders keep
// their size.
void frmTimeStamper::Fit_On_Screen() {
    const Area screen = controls_.Screen_Area();
    const Area frame = controls_.Window_Frame();
    const Area client = controls_.Client_Area();
    const double fitting =
        std::min((screen.width - (frame.width - client.width)) / client.width,
                 (screen.height - (frame.height - client.height)) / client.height);
    // Rounded down, so that the places the face rounds still fit.
    const double scale = std::min(1.0, std::floor(window_scale_ * fitting * 1000) / 1000);
    if (scale != window_scale_) {
        window_scale_ = scale;
        controls_.Scale_Window(scale);
    }
}

void frmTimeStamper::Centre_On_Screen() {
    Fit_On_Screen();
    const Area screen = controls_.Screen_Area();
    const Area frame = controls_.Window_Frame();
    controls_.Move_Window(screen.x + (screen.width - frame.width) / 2,
                          screen.y + (screen.height - frame.height) / 2);
}

void frmTimeStamper::Form_Load() {
    Centre_On_Screen();
    Set_Visible({"dtPickBegin", "dtPickEnd"}, false);
    controls_.Set_Visible("chkSet_Time", true);
    state_.strDate_Format = "Year-Month-Day Time";
    Set_Text("lblBegin_Date_Label", Span_Begin_Caption());
    Reset_All();
    controls_.Set_Focus("txtInputFile");
}

MessageAnswer frmTimeStamper::Message(const std::string& text, MessageButtons buttons) {
    return services_.Show_Message(
        {std::string(messages::kAppTitle), text, MessageIcon::None, buttons});
}

TimeMode frmTimeStamper::Mode() const {
    return controls_.Checked("optTimeStamp") ? TimeMode::TimeStamp : TimeMode::TimeSpan;
}

void frmTimeStamper::Switch_Mode() {
    if (controls_.Checked("optTimeStamp")) {
        Set_Visible({"txtEnd_Year", "comboEnd_Month", "comboEnd_Day", "lblEnd_Day", "lblEnd_Year",
                     "lblEnd_Month", "lblEnd", "dtPickEnd"},
                    false);
        Set_Text("lblBegin", "Enter date to TimeStamp file with");
        controls_.Set_Visible("lblEnd_Date_Label", false);
        Set_Text("lblBegin_Date_Label",
                 "Date to be TimeStamped into file (" + state_.strDate_Format + ")");
        Set_Text("lblEnd_Date", "");
        Set_Text("txtEnd_Year", "");  // runs the end year's change handler when it held a year
    }
    if (controls_.Checked("optTimeSpan")) {
        Set_Visible({"txtEnd_Year", "comboEnd_Month", "comboEnd_Day", "lblEnd"}, true);
        Set_Text("lblBegin", std::string(Caption_Of("lblBegin")));
        controls_.Set_Visible("lblEnd_Date_Label", true);
        Set_Text("lblEnd_Date_Label", std::string(Caption_Of("lblEnd_Date_Label")));
        Set_Text("lblBegin_Date_Label", Span_Begin_Caption());
        Set_Visible({"lblEnd_Day", "lblEnd_Year", "lblEnd_Month"}, true);
        if (controls_.Checked("chkSet_Time")) {
            controls_.Set_Visible("dtPickEnd", true);
        }
    }
}

// The begin result's caption in TimeSpan mode, with the format of the dates shown below it.
std::string frmTimeStamper::Span_Begin_Caption() const {
    return "Beginning of TimeSpan (" + state_.strDate_Format + ")";
}

void frmTimeStamper::Load_Time_Zones() {
    Fill_List("comboTime_Zone", Time_Zone_Entries());
}

// The first steps of both resets: year boxes (whose change handlers run when they held a year),
// lists, date texts and pickers.
void frmTimeStamper::Empty_Date_Entries() {
    Set_Text(kBegin.year, "");
    Set_Text(kEnd.year, "");
    for (const ControlName list : {kBegin.month, kEnd.month, kBegin.day, kEnd.day}) {
        controls_.Clear_Entries(list);
    }
    state_.strBegin_Date.clear();
    state_.strEnd_Date.clear();
    controls_.Set_Time(kBegin.picker, {});
    controls_.Set_Time(kEnd.picker, {});
}

void frmTimeStamper::Forget_Verified_Dates() {
    Set_Text("lblBegin_Date", "");
    Set_Text("lblEnd_Date", "");
    state_.bBegin_Year_Set = false;
    state_.bEnd_Year_Set = false;
}

// Every step may run the handler of the control it changes; later steps undo what those
// handlers do, so the order matters.
void frmTimeStamper::Reset_All() {
    consented_output_.clear();
    automatic_output_.clear();
    Set_Text("txtInputFile", "");
    Set_Text("txtOutputFile", "");
    Empty_Date_Entries();
    Set_Enabled({kBegin.year, kEnd.year, kBegin.month, kEnd.month, kBegin.day, kEnd.day,
                 kBegin.picker, kEnd.picker},
                false);
    Forget_Verified_Dates();
    Set_Enabled({"cmdTimestamp", "cmdAuto_Output", "cmdVerify_Dates"}, false);
    controls_.Set_Enabled("chkUTC", true);
    Set_Checked("chkUTC", false);
    Set_Checked("chkSet_Time", false);  // its handler hides the time pickers
    Set_Visible(kZoneControls, false);
    Set_Text("lblTime_Zone", kUtcZone);
    Load_Time_Zones();
    Set_Enabled({"cmdOutputFile", "txtOutputFile", "cmdReset_Dates"}, false);
}

void frmTimeStamper::Reset_Dates() {
    Empty_Date_Entries();
    Set_Enabled({kBegin.year, kEnd.year}, true);
    Set_Enabled({kBegin.month, kEnd.month, kBegin.day, kEnd.day}, false);
    Forget_Verified_Dates();
    Set_Enabled({kBegin.picker, kEnd.picker, "cmdVerify_Dates", "cmdReset_Dates"}, false);
}

}  // namespace zaveze::form
