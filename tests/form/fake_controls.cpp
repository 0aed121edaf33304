// SPDX-License-Identifier: MIT
#include "fake_controls.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zaveze::testing {

FakeControls::FakeControls() {
    for (const form::ControlSpec& spec : form::Control_Table()) {
        FakeControl control;
        control.kind = spec.kind;
        control.frame = spec.frame;
        control.text = spec.caption;
        control.checked = spec.checked;
        controls_.emplace(spec.name, control);
    }
}

FakeControl& FakeControls::operator[](std::string_view name) {
    const auto found = controls_.find(name);
    if (found == controls_.end()) {
        throw std::out_of_range("no control named " + std::string(name));
    }
    return found->second;
}

const FakeControl& FakeControls::operator[](std::string_view name) const {
    return const_cast<FakeControls&>(*this)[name];
}

std::string FakeControls::Text(form::ControlName name) const {
    const FakeControl& control = (*this)[name];
    if (control.kind == form::ControlKind::DropDownList) {
        return control.picked ? control.entries[*control.picked] : std::string();
    }
    return control.text;
}

void FakeControls::Set_Text(form::ControlName name, std::string_view text) {
    (*this)[name].text = text;
}

// An option button selected from code leaves the other options of its frame, as on every
// window system.
void FakeControls::Set_Checked(form::ControlName name, bool checked) {
    FakeControl& control = (*this)[name];
    if (control.kind == form::ControlKind::OptionButton && checked) {
        for (auto& [other_name, other] : controls_) {
            if (other.kind == form::ControlKind::OptionButton && other.frame == control.frame) {
                other.checked = false;
            }
        }
    }
    control.checked = checked;
}

void FakeControls::Clear_Entries(form::ControlName name) {
    (*this)[name].entries.clear();
    (*this)[name].picked.reset();
}

void FakeControls::Append_Entry(form::ControlName name, std::string_view entry) {
    (*this)[name].entries.emplace_back(entry);
}

form::Area FakeControls::Client_Area() const {
    return {0, 0, frame.width - kBorders, frame.height - kTitleBar};
}

// Sizes are rounded as a face rounds them.
void FakeControls::Scale_Window(double factor) {
    scale = factor;
    frame.width = std::round(form::kClientArea.width * dpi_scale * factor) + kBorders;
    frame.height = std::round(form::kClientArea.height * dpi_scale * factor) + kTitleBar;
}

void FakeControls::Move_Window(double x, double y) {
    frame.x = x;
    frame.y = y;
}

}  // namespace zaveze::testing
