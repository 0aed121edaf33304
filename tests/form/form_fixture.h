// SPDX-License-Identifier: MIT
#pragma once
// The form at work on fake controls, for a test: scripted services, a temporary folder for files,
// and a user who clicks, types, picks and tabs as on a real window, the year check included.

#include <gtest/gtest.h>

#include <algorithm>

#include "fake_controls.h"
#include "form/frm_time_stamper.h"
#include "scripted_services.h"
#include "support/temp_folder.h"

namespace zaveze::testing {

using Texts = std::vector<std::string>;

class FormFixture : public ::testing::Test {
  protected:
    FormFixture();

    const form::FormState& State() const { return form.State(); }
    // A name the test writes, checked against the table when it runs.
    static form::ControlName Name(std::string_view name) {
        return form::ControlName::Find(name).value();
    }
    std::string Text(std::string_view name) const { return controls.Text(Name(name)); }
    bool Shown(std::string_view name) const { return controls[name].visible; }
    bool Enabled(std::string_view name) const { return controls[name].enabled; }
    bool Checked(std::string_view name) const { return controls[name].checked; }
    const Texts& Entries(std::string_view name) const { return controls[name].entries; }
    form::TimeOfDay Time(std::string_view name) const { return controls[name].time; }
    bool All_Shown(const std::vector<std::string>& names, bool shown) const {
        return std::all_of(names.begin(), names.end(),
                           [&](const std::string& name) { return Shown(name) == shown; });
    }

    // What a user does. A disabled or hidden control does not react; moving the focus away from
    // a year box asks the form first, as each face does.
    void Click(std::string_view name);
    void Type(std::string_view name, std::string_view text);  // at the end of the box's text
    void Clear_By_Keyboard(std::string_view name);
    void Pick(std::string_view name, std::string_view entry);
    void Set_Time(std::string_view name, form::TimeOfDay time);
    void Tab();  // to the next enabled, visible control of the focus order
    enum class Side { Begin, End };
    // Types the year of one side and picks its month and day, those that are given.
    void Enter_Date(Side side, std::string_view year, std::string_view month = {},
                    std::string_view day = {});

    // Writes `content` to a file of the temporary folder and chooses it in the input dialog.
    std::string Choose_Input(std::string_view file_name = "trip.kml",
                             std::string_view content = kSampleKml);
    // Names the output through the output dialog.
    void Name_Output(std::string_view file_name);

    TempFolder folder;
    ScriptedServices services;
    FakeControls controls;
    form::frmTimeStamper form{controls, services};

  private:
    bool Focus_To(std::string_view name);
};

}  // namespace zaveze::testing
