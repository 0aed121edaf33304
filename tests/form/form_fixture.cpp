// SPDX-License-Identifier: MIT
#include "form_fixture.h"

#include <algorithm>

namespace zaveze::testing {

using form::ControlKind;

FormFixture::FormFixture() {
    form.Form_Load();
}

// Moves the focus to a control the user clicks, unless the focused year box holds it back.
// Labels take no focus; the website label acts without taking it.
bool FormFixture::Focus_To(std::string_view name) {
    const ControlKind kind = controls[name].kind;
    if (kind == ControlKind::Label || kind == ControlKind::Frame || controls.focused == name) {
        return true;
    }
    if (!form.Focus_May_Leave()) {
        return false;
    }
    if (kind != ControlKind::LinkLabel) {
        controls.focused = name;
    }
    return true;
}

void FormFixture::Click(std::string_view name) {
    FakeControl& control = controls[name];
    if (!control.enabled || !control.visible || !Focus_To(name)) {
        return;
    }
    switch (control.kind) {
        case ControlKind::CheckBox:
            control.checked = !control.checked;
            break;
        case ControlKind::OptionButton:
            controls.Set_Checked(Name(name), true);
            break;
        case ControlKind::Button:
        case ControlKind::LinkLabel:
            break;
        default:
            return;  // a click into a box, list or picker only gives it the focus
    }
    form.User_Clicked(name);
}

void FormFixture::Type(std::string_view name, std::string_view text) {
    Click(name);
    if (controls.focused != name) {
        return;
    }
    for (const char c : text) {
        controls[name].text += c;
        form.User_Edited(name);
    }
}

void FormFixture::Clear_By_Keyboard(std::string_view name) {
    Click(name);
    if (controls.focused == name && !controls[name].text.empty()) {
        controls[name].text.clear();
        form.User_Edited(name);
    }
}

void FormFixture::Pick(std::string_view name, std::string_view entry) {
    FakeControl& list = controls[name];
    const auto found = std::find(list.entries.begin(), list.entries.end(), entry);
    ASSERT_NE(found, list.entries.end()) << "no entry " << entry << " in " << name;
    ASSERT_TRUE(list.enabled && list.visible) << name << " cannot be picked from";
    Click(name);
    if (controls.focused == name) {
        list.picked = static_cast<std::size_t>(found - list.entries.begin());
        form.User_Picked(name);
    }
}

void FormFixture::Set_Time(std::string_view name, form::TimeOfDay time) {
    Click(name);
    controls[name].time = time;
}

void FormFixture::Tab() {
    const auto order = form::Focus_Order();
    const auto here = std::find(order.begin(), order.end(), controls.focused);
    if (!form.Focus_May_Leave()) {
        return;
    }
    for (std::size_t step = 1; step <= order.size(); ++step) {
        const std::size_t from =
            here == order.end() ? 0 : static_cast<std::size_t>(here - order.begin());
        const std::string_view next = order[(from + step) % order.size()];
        if (controls[next].enabled && controls[next].visible) {
            controls.focused = next;
            return;
        }
    }
}

void FormFixture::Enter_Date(Side side, std::string_view year, std::string_view month,
                             std::string_view day) {
    const bool begin = side == Side::Begin;
    Type(begin ? "txtBegin_Year" : "txtEnd_Year", year);
    if (!month.empty()) {
        Pick(begin ? "comboBegin_Month" : "comboEnd_Month", month);
    }
    if (!day.empty()) {
        Pick(begin ? "comboBegin_Day" : "comboEnd_Day", day);
    }
}

std::string FormFixture::Choose_Input(std::string_view file_name, std::string_view content) {
    std::string path = folder.File(file_name);
    Write_File(path, content);
    services.chosen_files.push_back(path);
    Click("cmdInputFile");
    return path;
}

void FormFixture::Name_Output(std::string_view file_name) {
    services.chosen_files.push_back(folder.File(file_name));
    Click("cmdOutputFile");
}

}  // namespace zaveze::testing
