// SPDX-License-Identifier: MIT
#pragma once
// What the window's logic needs of its controls, each reached by its name in the control table.
//
// A face (Qt, Win32, or a test's fake) implements these operations and nothing more. Changing a
// control through them raises no handler: the form raises the handlers of what it changes
// itself, and each face reports only what the user did (see frmTimeStamper's User_ calls).

#include <string>
#include <string_view>

#include "form/control_table.h"

namespace zaveze::form {

struct TimeOfDay {
    int hour = 0;  // 0 to 23
    int minute = 0;
    int second = 0;
    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

// A rectangle in the screen's units.
struct Area {
    double x = 0, y = 0, width = 0, height = 0;
};

class Controls {
  public:
    virtual ~Controls() = default;

    // A text box's text, a label's caption, or a list's picked entry (empty while none is picked).
    virtual std::string Text(ControlName name) const = 0;
    // A text box's text or a label's caption.
    virtual void Set_Text(ControlName name, std::string_view text) = 0;
    virtual void Set_Enabled(ControlName name, bool enabled) = 0;
    virtual void Set_Visible(ControlName name, bool visible) = 0;

    // Check boxes and option buttons.
    virtual bool Checked(ControlName name) const = 0;
    virtual void Set_Checked(ControlName name, bool checked) = 0;

    // Drop-down lists; a list that is filled anew shows no pick until the user makes one.
    virtual void Clear_Entries(ControlName name) = 0;
    virtual void Append_Entry(ControlName name, std::string_view entry) = 0;

    // Time pickers.
    virtual TimeOfDay Time(ControlName name) const = 0;
    virtual void Set_Time(ControlName name, TimeOfDay time) = 0;

    // The control that has the keyboard focus (or had it last, while another window such as a
    // message box has it); empty when none.
    virtual std::string Focused() const = 0;
    virtual void Set_Focus(ControlName name) = 0;

    // The window: its outer frame and inner area (in the units of the screen), the screen's free
    // area, moving, scaling and closing it.
    virtual Area Window_Frame() const = 0;
    virtual Area Client_Area() const = 0;
    virtual Area Screen_Area() const = 0;
    virtual void Move_Window(double x, double y) = 0;
    // Lays the window out at `factor` (at most 1) times its size at the screen's DPI: places,
    // sizes and fonts alike.
    virtual void Scale_Window(double factor) = 0;
    virtual void Close_Window() = 0;
};

}  // namespace zaveze::form
