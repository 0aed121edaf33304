// SPDX-License-Identifier: MIT
#pragma once
// The window's Win32 face: a top-level window with the standard controls built from the control
// table, in its focus order, scaled to the monitor's DPI. It carries out the form's operations on
// them, reports what the user does to the form, and holds the focus in a refused year box. The
// window's logic itself is the form's.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "form/control_table.h"
#include "form/controls.h"
#include "form/frm_time_stamper.h"
#include "form/services.h"
#include "window/win32/base_window.h"
#include "window/win32/handles.h"

namespace zaveze::win32 {

class Win32Window final : public BaseWindow<Win32Window>, private form::Controls {
    friend class BaseWindow<Win32Window>;  // hands it the messages

  public:
    // Without services of its own, the window uses Windows' message boxes, dialogs and browser.
    explicit Win32Window(form::Services* services = nullptr);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    HWND Control(std::string_view name) const;
    std::string Name_Of(HWND control) const;  // empty for a window that is no control of ours
    const form::ControlSpec* Spec_Of(HWND control) const;  // null for one that is no control
    bool Is_Link(HWND control) const {
        const form::ControlSpec* spec = Spec_Of(control);
        return spec != nullptr && spec->kind == form::ControlKind::LinkLabel;
    }

    void Show(int how);
    void Open_Input_File(const std::string& path) { form_->Open_Input_File(path); }

    // Handles one message of the thread's queue as the window's message loop does.
    void Dispatch(MSG& message);
    // Runs the window's messages until it is closed; returns the program's exit status.
    int Run();

  private:
    static constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    static constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;
    static constexpr WORD kFirstControlId = 100;  // then one a control, in the table's order

    struct Made {
        HWND handle = nullptr;
        const form::ControlSpec* spec = nullptr;
    };

    LRESULT Handle_Message(UINT message, WPARAM w, LPARAM l);
    void Report_Command(WORD id, WORD notification);
    void Files_Dropped(HDROP drop);
    bool Holds_Back(const MSG& message);

    void Create_Controls();
    void Create_Tool_Tips();
    void Describe_For_Screen_Readers();
    void Lay_Out(UINT dpi);
    HFONT Font_For(const form::Font& font);
    int Text_Width(const form::ControlSpec& spec, HFONT font) const;
    int Scaled(int length) const;

    // form::Controls
    std::string Text(form::ControlName name) const override;
    void Set_Text(form::ControlName name, std::string_view text) override;
    void Set_Enabled(form::ControlName name, bool enabled) override;
    void Set_Visible(form::ControlName name, bool visible) override;
    bool Checked(form::ControlName name) const override;
    void Set_Checked(form::ControlName name, bool checked) override;
    void Clear_Entries(form::ControlName name) override;
    void Append_Entry(form::ControlName name, std::string_view entry) override;
    form::TimeOfDay Time(form::ControlName name) const override;
    void Set_Time(form::ControlName name, form::TimeOfDay time) override;
    std::string Focused() const override;
    void Set_Focus(form::ControlName name) override;
    form::Area Window_Frame() const override;
    form::Area Client_Area() const override;
    form::Area Screen_Area() const override;
    void Move_Window(double x, double y) override;
    void Scale_Window(double factor) override;
    void Close_Window() override;

    const Made& Find(std::string_view name) const;

    HWND tool_tips_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    double scale_ = 1;  // below 1 where the window at the DPI's size does not fit the screen
    // The frame's size as laid out: the system may clip a window larger than the screen.
    SIZE frame_size_{};
    std::map<std::string, Made, std::less<>> controls_;
    std::map<std::pair<int, bool>, UniqueFont> fonts_;  // by size in pixels and boldness
    HWND focus_when_inactive_ = nullptr;
    bool setting_text_ = false;  // a change the form makes raises no EN_CHANGE report
    std::unique_ptr<form::Services> own_services_;
    std::unique_ptr<form::frmTimeStamper> form_;
};

}  // namespace zaveze::win32
