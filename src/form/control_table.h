// SPDX-License-Identifier: MIT
#pragma once
// The window's controls as data: name, kind, caption, tool tip, place, font and focus order, one
// table that every face of the window builds its controls from.

#include <span>
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
};

// The window's client area at 96 dpi.
inline constexpr Place kClientArea{0, 0, 1010, 442};

// Every control, in the order of creation.
std::span<const ControlSpec> Control_Table();

// The kind of the control of that name (a label for a name the table does not hold).
ControlKind Kind_Of(std::string_view name);

// The caption the table gives the control of that name, for the form to set again.
std::string_view Caption_Of(std::string_view name);

// The controls that take the focus, in the order Tab moves it.
std::span<const std::string_view> Focus_Order();

}  // namespace zaveze::form
