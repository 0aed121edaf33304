// SPDX-License-Identifier: MIT
#pragma once
// The window's controls as data: name, kind, caption, tool tip, place, font and focus order, one
// table that every face of the window builds its controls from.

#include <array>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

namespace zaveze::form {

enum class ControlKind {
    Label,
    LinkLabel,  // a label that reacts to a click
    TextBox,
    Button,
    CheckBox,
    OptionButton,
    Frame,         // a group box
    DropDownList,  // a list to pick from, without typing
    TimePicker,
};

// A rectangle of the client area at 96 dpi (for an option button: of its frame).
struct Place {
    int x = 0, y = 0, width = 0, height = 0;
};

struct Font {
    double points = 8.25;  // "MS Sans Serif" sizes
    bool bold = false;
};
inline constexpr Font kStandardFont{8.25, false};
inline constexpr Font kStandardBold{8.25, true};
inline constexpr Font kLargeFont{9.75, false};
inline constexpr Font kLargeBold{9.75, true};
inline constexpr Font kResultFont{12.0, true};

// How a time picker shows its time.
enum class PickerFormat {
    TwentyFourHour,  // HH:mm:ss whatever the system's habit
    SystemsLong,     // the system's long time format, without a time zone
};

struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    Place place;
    std::string_view caption = {};
    std::string_view tool_tip = {};
    Font font = kStandardFont;
    std::string_view frame = {};  // the frame an option button sits in
    bool centred = false;         // text centred in the control
    bool word_wrap = false;
    bool checked = false;  // an option button selected from the start
    // What a screen reader calls a box, list or picker; buttons, options and check boxes are
    // read by their captions, labels by what they show.
    std::string_view accessible_name = {};
    std::string_view names = {};  // for a label: the control it names ("Year" its year box)
    int visible_entries = 12;     // for a list: entries shown when it drops down
    PickerFormat picker_format = PickerFormat::TwentyFourHour;  // for a time picker
};

// The window's client area at 96 dpi.
inline constexpr Place kClientArea{0, 0, 1010, 442};

// The table itself, here so that names can be checked against it when the program is compiled.
namespace table {

using enum ControlKind;

inline constexpr std::array kControls = {
    // Files and commands, the left half.
    ControlSpec{.name = "txtInputFile",
                .kind = TextBox,
                .place = {10, 18, 285, 28},
                .accessible_name = "Input KML file"},
    ControlSpec{.name = "cmdInputFile",
                .kind = Button,
                .place = {301, 16, 205, 32},
                .caption = "Open Input KML  File",
                .tool_tip = "Select input KML file"},
    ControlSpec{.name = "txtOutputFile",
                .kind = TextBox,
                .place = {10, 64, 285, 28},
                .accessible_name = "Output KML file"},
    ControlSpec{.name = "cmdOutputFile",
                .kind = Button,
                .place = {301, 62, 205, 32},
                .caption = "Enter Output KML Filename",
                .tool_tip = "Enter the output KML filename"},
    ControlSpec{.name = "cmdAuto_Output",
                .kind = Button,
                .place = {10, 124, 96, 56},
                .caption = "Auto Output File",
                .tool_tip = "Generates output filename from input filename and dates"},
    ControlSpec{.name = "lblAuto_Output",
                .kind = Label,
                .place = {110, 124, 194, 56},
                .caption = "<=  Generates output filename by\n<= appending dates to the end of\n"
                           "<= the original filename"},
    ControlSpec{.name = "cmdTimestamp",
                .kind = Button,
                .place = {308, 114, 198, 76},
                .caption = "Embed Time Information",
                .tool_tip = "Embeds time information into input file, and writes output file",
                .font = kLargeBold},
    ControlSpec{.name = "cmdReset",
                .kind = Button,
                .place = {10, 250, 140, 46},
                .caption = "Reset All",
                .tool_tip = "Resets everything including filenames",
                .font = kLargeBold},
    ControlSpec{.name = "cmdReset_Dates",
                .kind = Button,
                .place = {160, 250, 140, 46},
                .caption = "Reset Dates",
                .tool_tip = "Resets the dates",
                .font = kLargeBold},
    ControlSpec{.name = "cmdHelp",
                .kind = Button,
                .place = {10, 306, 140, 46},
                .caption = "Help",
                .tool_tip = "Goes to post page on website about utility",
                .font = kLargeBold},
    ControlSpec{.name = "cmdExit",
                .kind = Button,
                .place = {160, 306, 140, 46},
                .caption = "Exit",
                .tool_tip = "Exit program",
                .font = kLargeBold},
    ControlSpec{.name = "lblVersion",
                .kind = Label,
                .place = {330, 276, 110, 44},
                .caption = "Version 0.2 10/02/2007",
                .centred = true,
                .word_wrap = true},
    ControlSpec{.name = "lblWebsite",
                .kind = LinkLabel,
                .place = {10, 398, 496, 32},
                .caption = "This utility created by the Duriradu website; click here to visit "
                           "the site",
                .font = kStandardBold,
                .centred = true},

    // Mode and time settings, top right.
    ControlSpec{.name = "frameMode",
                .kind = Frame,
                .place = {512, 8, 250, 60},
                .caption = "KML Time Info Mode",
                .tool_tip = "Choose the type of time info to embed into the KML file, a span of "
                            "time (TimeSpan) or a single point in time (TimeStamp)"},
    ControlSpec{.name = "optTimeSpan",
                .kind = OptionButton,
                .place = {14, 28, 100, 22},
                .caption = "TimeSpan",
                .tool_tip = "TimeSpan: Enter a time interval. If you only enter the beginning "
                            "time, the TimeSpan will run from that time to the present.",
                .frame = "frameMode",
                .checked = true},
    ControlSpec{.name = "optTimeStamp",
                .kind = OptionButton,
                .place = {130, 28, 110, 22},
                .caption = "TimeStamp",
                .tool_tip = "TimeStamp: A single date only",
                .frame = "frameMode"},
    ControlSpec{.name = "chkSet_Time",
                .kind = CheckBox,
                .place = {512, 78, 300, 22},
                .caption = "Enable time settings"},
    ControlSpec{.name = "chkUTC",
                .kind = CheckBox,
                .place = {512, 104, 300, 22},
                .caption = "Correct for local time zone (unchecked is UTC)",
                .tool_tip = "If you set the days, and need to have the days start and stop  at "
                            "local time, check this box and set your local time zone relative "
                            "to UTC (aka GMT) at right"},
    ControlSpec{.name = "lblTime_Zone_Caption",
                .kind = Label,
                .place = {830, 78, 100, 22},
                .caption = "Current time zone"},
    ControlSpec{.name = "lblTime_Zone",
                .kind = Label,
                .place = {932, 74, 76, 28},  // wide enough for "+05:45"
                .tool_tip = "Current timezone (relative to UTC)",
                .font = kResultFont,
                .centred = true},
    ControlSpec{.name = "lblSet_Timezone",
                .kind = Label,
                .place = {830, 104, 100, 22},
                .caption = "Set timezone",
                .names = "comboTime_Zone"},
    ControlSpec{.name = "comboTime_Zone",
                .kind = DropDownList,
                .place = {932, 102, 72, 26},
                .tool_tip = "Set timezone (relative to UTC)",
                .accessible_name = "Set timezone (relative to UTC)",
                .visible_entries = 20},

    // Date entry, middle right: a begin block and an end block.
    ControlSpec{.name = "lblBegin",
                .kind = Label,
                .place = {512, 140, 230, 20},
                .caption = "Enter beginning of TimeSpan",
                .centred = true},
    ControlSpec{.name = "lblBegin_Year",
                .kind = Label,
                .place = {512, 162, 48, 18},
                .caption = "Year",
                .names = "txtBegin_Year"},
    ControlSpec{.name = "lblBegin_Month",
                .kind = Label,
                .place = {564, 162, 44, 18},
                .caption = "Month",
                .names = "comboBegin_Month"},
    ControlSpec{.name = "lblBegin_Day",
                .kind = Label,
                .place = {612, 162, 44, 18},
                .caption = "Day",
                .names = "comboBegin_Day"},
    ControlSpec{.name = "txtBegin_Year",
                .kind = TextBox,
                .place = {512, 182, 48, 28},
                .tool_tip = "Beginning year",
                .font = kLargeFont,
                .centred = true,
                .accessible_name = "Beginning year"},
    ControlSpec{.name = "comboBegin_Month",
                .kind = DropDownList,
                .place = {564, 182, 44, 28},
                .tool_tip = "Beginning month",
                .font = kLargeFont,
                .accessible_name = "Beginning month"},
    ControlSpec{.name = "comboBegin_Day",
                .kind = DropDownList,
                .place = {612, 182, 44, 28},
                .tool_tip = "Beginning day",
                .font = kLargeFont,
                .accessible_name = "Beginning day"},
    ControlSpec{.name = "dtPickBegin",
                .kind = TimePicker,
                .place = {660, 182, 82, 28},
                .font = kLargeFont,
                .accessible_name = "Beginning time"},
    ControlSpec{.name = "lblEnd",
                .kind = Label,
                .place = {748, 140, 252, 20},
                .caption = "Enter end of TimeSpan",
                .centred = true},
    ControlSpec{.name = "lblEnd_Year",
                .kind = Label,
                .place = {748, 162, 48, 18},
                .caption = "Year",
                .names = "txtEnd_Year"},
    ControlSpec{.name = "lblEnd_Month",
                .kind = Label,
                .place = {800, 162, 44, 18},
                .caption = "Month",
                .names = "comboEnd_Month"},
    ControlSpec{.name = "lblEnd_Day",
                .kind = Label,
                .place = {848, 162, 44, 18},
                .caption = "Day",
                .names = "comboEnd_Day"},
    ControlSpec{.name = "txtEnd_Year",
                .kind = TextBox,
                .place = {748, 182, 48, 28},
                .tool_tip = "End year of timespan",
                .font = kLargeFont,
                .centred = true,
                .accessible_name = "End year of timespan"},
    ControlSpec{.name = "comboEnd_Month",
                .kind = DropDownList,
                .place = {800, 182, 44, 28},
                .tool_tip = "End month of time span",
                .font = kLargeFont,
                .accessible_name = "End month of time span"},
    ControlSpec{.name = "comboEnd_Day",
                .kind = DropDownList,
                .place = {848, 182, 44, 28},
                .tool_tip = "End day of time span",
                .font = kLargeFont,
                .accessible_name = "End day of time span"},
    ControlSpec{.name = "dtPickEnd",
                .kind = TimePicker,
                .place = {896, 182, 104, 28},
                .font = kLargeFont,
                .accessible_name = "End time",
                .picker_format = PickerFormat::SystemsLong},
    ControlSpec{.name = "cmdVerify_Dates",
                .kind = Button,
                .place = {512, 224, 150, 36},
                .caption = "Verify Dates",
                .tool_tip = "Displays entered dates, and does a cursory validity verification",
                .font = kLargeBold},

    // Verification results, bottom right.
    ControlSpec{.name = "lblBegin_Date_Label",
                .kind = Label,
                .place = {512, 300, 230, 40},
                .centred = true,
                .word_wrap = true},
    ControlSpec{.name = "lblBegin_Date",
                .kind = Label,
                .place = {512, 344, 230, 32},
                .font = kResultFont,
                .centred = true},
    ControlSpec{.name = "lblEnd_Date_Label",
                .kind = Label,
                .place = {748, 300, 252, 40},
                .caption = "End of TimeSpan",
                .centred = true,
                .word_wrap = true},
    ControlSpec{.name = "lblEnd_Date",
                .kind = Label,
                .place = {748, 344, 252, 32},
                .font = kResultFont,
                .centred = true},
};

// The entry of the control of that name; a name the table does not hold is a fault.
constexpr const ControlSpec& Spec_Of(std::string_view name) {
    for (const ControlSpec& spec : kControls) {
        if (spec.name == name) {
            return spec;
        }
    }
    throw std::logic_error("no control of that name in the table");
}

}  // namespace table

// A control's name, checked against the table: a name written in the code that the table does
// not hold does not compile. A name a face reports at run time is looked up with Find.
class ControlName {
  public:
    consteval ControlName(const char* name) : name_(table::Spec_Of(name).name) {}  // NOLINT
    // The name a face reports, when the table holds it.
    static std::optional<ControlName> Find(std::string_view name);
    constexpr std::string_view View() const { return name_; }
    operator std::string_view() const { return name_; }  // NOLINT: a name is its text
    friend bool operator==(ControlName, ControlName) = default;
    friend bool operator==(ControlName name, std::string_view text) { return name.name_ == text; }

  private:
    struct FromTable {};
    constexpr ControlName(FromTable, std::string_view name) : name_(name) {}
    std::string_view name_;
};

namespace table {
inline constexpr std::array<ControlName, 24> kFocusOrder = {
    "txtInputFile", "txtOutputFile",    "cmdInputFile",   "cmdOutputFile",  "cmdTimestamp",
    "cmdHelp",      "cmdExit",          "txtBegin_Year",  "comboBegin_Day", "txtEnd_Year",
    "comboEnd_Day", "comboBegin_Month", "comboEnd_Month", "cmdReset",       "cmdVerify_Dates",
    "optTimeSpan",  "optTimeStamp",     "cmdReset_Dates", "cmdAuto_Output", "comboTime_Zone",
    "chkUTC",       "dtPickBegin",      "dtPickEnd",      "chkSet_Time"};
}  // namespace table

// Every control, in the order of creation.
std::span<const ControlSpec> Control_Table();

// The kind of the control of that name.
ControlKind Kind_Of(ControlName name);

// The caption the table gives the control of that name, for the form to set again.
std::string_view Caption_Of(ControlName name);

// The controls that take the focus, in the order Tab moves it.
std::span<const ControlName> Focus_Order();

}  // namespace zaveze::form
