// SPDX-License-Identifier: MIT
#pragma once
// The window's controls without any toolkit: one record a control of the control table, holding
// what the form's operations set and read. Changes raise nothing, as the faces promise.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "form/control_table.h"
#include "form/controls.h"

namespace zaveze::testing {

struct FakeControl {
    form::ControlKind kind = form::ControlKind::Label;
    std::string frame;
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::vector<std::string> entries;
    std::optional<std::size_t> picked;
    form::TimeOfDay time;
};

class FakeControls final : public form::Controls {
  public:
    FakeControls();

    FakeControl& operator[](std::string_view name);
    const FakeControl& operator[](std::string_view name) const;

    std::string Text(form::ControlName name) const override;
    void Set_Text(form::ControlName name, std::string_view text) override;
    void Set_Enabled(form::ControlName name, bool enabled) override {
        (*this)[name].enabled = enabled;
    }
    void Set_Visible(form::ControlName name, bool visible) override {
        (*this)[name].visible = visible;
    }
    bool Checked(form::ControlName name) const override { return (*this)[name].checked; }
    void Set_Checked(form::ControlName name, bool checked) override;
    void Clear_Entries(form::ControlName name) override;
    void Append_Entry(form::ControlName name, std::string_view entry) override;
    form::TimeOfDay Time(form::ControlName name) const override { return (*this)[name].time; }
    void Set_Time(form::ControlName name, form::TimeOfDay time) override {
        (*this)[name].time = time;
    }
    std::string Focused() const override { return focused; }
    void Set_Focus(form::ControlName name) override { focused = name; }
    form::Area Window_Frame() const override { return frame; }
    form::Area Client_Area() const override;
    form::Area Screen_Area() const override { return screen; }
    void Move_Window(double x, double y) override;
    void Scale_Window(double factor) override;
    void Close_Window() override { closed = true; }

    std::string focused;
    // The client area with a title bar and borders, at the screen's DPI (2: 192 dpi) and the
    // window's scale.
    static constexpr double kBorders = 6, kTitleBar = 28;
    form::Area frame{0, 0, 1010 + kBorders, 442 + kTitleBar};
    double dpi_scale = 1;
    double scale = 1;
    form::Area screen{0, 0, 1920, 1080};
    bool closed = false;

  private:
    std::map<std::string, FakeControl, std::less<>> controls_;
};

}  // namespace zaveze::testing
