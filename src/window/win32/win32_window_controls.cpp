// SPDX-License-Identifier: MIT
// The form's operations carried out on the standard controls.

#include <windows.h>

#include <commctrl.h>

#include "core/files/platform/file_system.h"
#include "window/win32/win32_window.h"
#include "window/win32/window_text.h"

namespace zaveze::win32 {
namespace {

std::string Picked_Entry(HWND list) {
    const auto picked = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (picked == CB_ERR) {
        return {};
    }
    std::wstring text(
        static_cast<std::size_t>(::SendMessageW(list, CB_GETLBTEXTLEN, picked, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageW(list, CB_GETLBTEXT, picked, reinterpret_cast<LPARAM>(text.data()))));
    return platform::Utf8_Of(text.c_str());
}

}  // namespace

std::string Win32Window::Text(form::ControlName name) const {
    const Made& made = Find(name);
    return made.spec->kind == form::ControlKind::DropDownList
               ? Picked_Entry(made.handle)
               : platform::Utf8_Of(Window_Text(made.handle).c_str());
}

void Win32Window::Set_Text(form::ControlName name, std::string_view text) {
    const Made& made = Find(name);
    setting_text_ = true;
    ::SetWindowTextW(made.handle, platform::Utf16_Of(std::string(text)).c_str());
    setting_text_ = false;
    if (made.spec->kind == form::ControlKind::TextBox) {
        // A long path shows its end, the file's name, as a Qt line edit does.
        const int length = ::GetWindowTextLengthW(made.handle);
        ::SendMessageW(made.handle, EM_SETSEL, static_cast<WPARAM>(length),
                       static_cast<LPARAM>(length));
        ::SendMessageW(made.handle, EM_SCROLLCARET, 0, 0);
    }
}

void Win32Window::Set_Enabled(form::ControlName name, bool enabled) {
    ::EnableWindow(Control(name), enabled);
}

void Win32Window::Set_Visible(form::ControlName name, bool visible) {
    ::ShowWindow(Control(name), visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Window::Checked(form::ControlName name) const {
    return ::SendMessageW(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Window::Set_Checked(form::ControlName name, bool checked) {
    ::SendMessageW(Control(name), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Window::Clear_Entries(form::ControlName name) {
    ::SendMessageW(Control(name), CB_RESETCONTENT, 0, 0);
}

void Win32Window::Append_Entry(form::ControlName name, std::string_view entry) {
    ::SendMessageW(Control(name), CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(platform::Utf16_Of(std::string(entry)).c_str()));
}

form::TimeOfDay Win32Window::Time(form::ControlName name) const {
    SYSTEMTIME time{};
    ::SendMessageW(Control(name), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return {time.wHour, time.wMinute, time.wSecond};
}

// The picker needs a valid date beside the time of day; the date is never shown.
void Win32Window::Set_Time(form::ControlName name, form::TimeOfDay time) {
    SYSTEMTIME value{};
    value.wYear = 2000;
    value.wMonth = 1;
    value.wDay = 1;
    value.wHour = static_cast<WORD>(time.hour);
    value.wMinute = static_cast<WORD>(time.minute);
    value.wSecond = static_cast<WORD>(time.second);
    ::SendMessageW(Control(name), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
}

// The control with the focus, or the one that had it while another window (a message box) has it.
std::string Win32Window::Focused() const {
    const std::string name = Name_Of(::GetFocus());
    return name.empty() ? Name_Of(focus_when_inactive_) : name;
}

void Win32Window::Set_Focus(form::ControlName name) {
    focus_when_inactive_ = Control(name);
    ::SetFocus(focus_when_inactive_);
}

// Sizes as laid out, not as the system may have clipped them.
form::Area Win32Window::Window_Frame() const {
    RECT frame{};
    ::GetWindowRect(window_, &frame);
    return {static_cast<double>(frame.left), static_cast<double>(frame.top),
            static_cast<double>(frame_size_.cx), static_cast<double>(frame_size_.cy)};
}

form::Area Win32Window::Client_Area() const {
    return {0, 0, static_cast<double>(Scaled(form::kClientArea.width)),
            static_cast<double>(Scaled(form::kClientArea.height))};
}

void Win32Window::Scale_Window(double factor) {
    scale_ = factor;
    Lay_Out(dpi_);
}

// The free area of the monitor the window is on.
form::Area Win32Window::Screen_Area() const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    return {static_cast<double>(work.left), static_cast<double>(work.top),
            static_cast<double>(work.right - work.left),
            static_cast<double>(work.bottom - work.top)};
}

void Win32Window::Move_Window(double x, double y) {
    ::SetWindowPos(window_, nullptr, static_cast<int>(x), static_cast<int>(y), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::Close_Window() {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
}

}  // namespace zaveze::win32
