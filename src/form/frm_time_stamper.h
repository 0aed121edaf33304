// SPDX-License-Identifier: MIT
#pragma once
// The logic of the program's one window, free of any toolkit: choose an input KML file, enter
// dates (and optionally times of day and a zone), name the output file and embed the time
// information. It reaches the controls by name through `Controls` and the desktop through
// `Services`; a face (Qt, Win32) creates the controls and reports what the user does.
//
// How handlers are raised, the same for every face:
// - the face reports each click, typed change and pick of the user (the User_ calls);
// - a change the form makes itself to a text box or a check box runs that control's handler at
//   once, to its end, before the next step; filling a list raises nothing;
// - an option button's handler runs when the selection has moved to it.
// The resets and the mode switch rely on that order.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datetime/time_mode.h"
#include "datetime/time_texts.h"
#include "form/controls.h"
#include "form/form_state.h"
#include "form/services.h"

namespace zaveze::form {

class frmTimeStamper {
  public:
    // The controls must exist, as the control table describes them, before the form is made.
    frmTimeStamper(Controls& controls, Services& services);

    // The state the form keeps outside its controls (the specified form-level variables).
    const FormState& State() const { return state_; }

    void Form_Load();

    // What the user did. Unknown names and controls without such a handler are ignored.
    void User_Clicked(std::string_view name);  // buttons, labels, check boxes, option buttons
    void User_Edited(std::string_view name);   // text boxes
    void User_Picked(std::string_view name);   // drop-down lists

    // Called by the face when the focus is about to leave the focused control, or before an
    // action that does not move the focus (a drop): a refused year shows its message and keeps
    // the focus in its box. True when nothing holds the focus back.
    bool Focus_May_Leave();

    // Files given from outside: the command line, "Open with", or dropped on the window.
    void Open_Input_File(const std::string& path) { Take_Input_File(path); }
    static bool Accepts_Dropped_Files(const std::vector<std::string>& paths);
    void Files_Dropped(const std::vector<std::string>& paths);

    // The window at the largest size up to its natural one at which its outer frame fits the
    // screen's free area; as the screen changes (another monitor, another DPI) too.
    void Fit_On_Screen();
    // The window's outer frame in the middle of the screen's free area, fitted first.
    void Centre_On_Screen();

  private:
    // One side of the date entry: the begin and the end blocks are alike.
    struct DateSide {
        ControlName year, month, day, picker;
        bool FormState::*year_set;
        std::string FormState::*date;
    };
    static const DateSide kBegin;
    static const DateSide kEnd;
    // The zone's label, caption, list and the list's label: shown and hidden together.
    static constexpr std::array<ControlName, 4> kZoneControls = {
        "lblTime_Zone", "lblTime_Zone_Caption", "comboTime_Zone", "lblSet_Timezone"};

    // Changes from code that raise the changed control's handler (see above).
    void Set_Text(ControlName name, std::string_view text);
    void Set_Checked(ControlName name, bool checked);
    void Raise(ControlName name);
    void Set_Enabled(std::initializer_list<ControlName> names, bool enabled);
    void Set_Visible(std::span<const ControlName> names, bool visible);
    void Set_Visible(std::initializer_list<ControlName> names, bool visible) {
        Set_Visible(std::span(names.begin(), names.size()), visible);
    }
    void Fill_List(ControlName name, const std::vector<std::string>& entries);

    // Files (input, output, embedding)
    void cmdInputFile_Click();
    void Take_Input_File(const std::string& path);
    void cmdOutputFile_Click();
    void cmdAuto_Output_Click();
    void txtOutputFile_Change();
    bool Output_May_Be_Written(const std::string& output);
    void Refuse_Output(const std::string& message);
    void cmdTimestamp_Click();

    // Dates
    void txtBegin_Year_Change() { Year_Changed(kBegin); }
    void txtEnd_Year_Change() { Year_Changed(kEnd); }
    void Year_Changed(const DateSide& side);
    bool Year_May_Be_Left(ControlName year_box);
    void comboBegin_Month_Click() { Month_Picked(kBegin); }
    void comboEnd_Month_Click() { Month_Picked(kEnd); }
    void Month_Picked(const DateSide& side);
    void comboBegin_Day_Click() { controls_.Set_Enabled(kBegin.picker, true); }
    void comboEnd_Day_Click() { controls_.Set_Enabled(kEnd.picker, true); }
    void Fill_Days(const DateSide& side);
    void Build_Date_Strings();
    void Build_Side(const DateSide& side);
    void cmdVerify_Dates_Click();

    // Time of day and zone
    void chkSet_Time_Click();
    void chkUTC_Click();
    void comboTime_Zone_Click();
    void Load_Time_Zones();
    std::string Span_Begin_Caption() const;
    TimeSettings Current_Time_Settings() const;

    // Mode, resets and the window's own commands
    void optTimeSpan_Click() { Switch_Mode(); }
    void optTimeStamp_Click() { Switch_Mode(); }
    void Switch_Mode();
    TimeMode Mode() const;
    void Reset_All();
    void Reset_Dates();
    void Empty_Date_Entries();
    void Forget_Verified_Dates();
    void cmdReset_Click() { Reset_All(); }
    void cmdReset_Dates_Click() { Reset_Dates(); }
    void cmdHelp_Click() { Open_User_Guide({}); }
    void lblWebsite_Click() { Open_User_Guide("about"); }
    void Open_User_Guide(const std::string& section);
    void Follow_The_Dates();
    void cmdExit_Click() { controls_.Close_Window(); }

    MessageAnswer Message(const std::string& text, MessageButtons buttons = MessageButtons::Ok);

    Controls& controls_;
    Services& services_;
    FormState state_;
    // The output name the user agreed to replace, until the name changes or the window resets.
    std::string consented_output_;
    // The name "Auto Output File" made last: while the output box still holds it, it follows
    // the dates.
    std::string automatic_output_;
    // The window's size against its size at the screen's DPI: below 1 on a screen too small.
    double window_scale_ = 1;
    // The option button selected last, so that a click on the selected one raises nothing.
    std::string selected_option_;
    bool checking_year_ = false;
};

}  // namespace zaveze::form
