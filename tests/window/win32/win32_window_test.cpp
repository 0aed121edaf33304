// SPDX-License-Identifier: MIT
// What the Win32 face adds to the form, on the real window under wine: the standard controls
// built from the control table, fonts and places at the monitor's DPI, the focus order, the
// user's keys, clicks, picks and drops reaching the form, the year check holding the real focus,
// and the progress window of a long job.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "core/files/platform/file_system.h"
#include "form/control_table.h"
#include "scripted_services.h"
#include "support/temp_folder.h"
#include "window/win32/long_job.h"
#include "window/win32/win32_services.h"
#include "window/win32/win32_window.h"
#include "window/win32/window_text.h"

namespace zaveze::testing {
namespace {

using form::ControlKind;

std::wstring Class_Of(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::string Text_Of(HWND window) {
    return platform::Utf8_Of(win32::Window_Text(window).c_str());
}

class Win32Face : public ::testing::Test {
  protected:
    Win32Face() {
        window.Show(SW_SHOWNORMAL);
        ::SetForegroundWindow(window.Handle());
        Pump();
    }

    HWND Get(std::string_view name) const { return window.Control(name); }
    LRESULT Send(std::string_view name, UINT message, WPARAM w = 0, LPARAM l = 0) {
        return ::SendMessageW(Get(name), message, w, l);
    }
    bool Enabled(std::string_view name) const { return ::IsWindowEnabled(Get(name)) != FALSE; }
    bool Shown(std::string_view name) const {
        return (::GetWindowLongW(Get(name), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    std::string Focused() const { return window.Name_Of(::GetFocus()); }

    // Runs the window's messages until none is waiting, as its message loop does.
    void Pump() {
        for (int round = 0; round < 3; ++round) {
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                window.Dispatch(message);
            }
            ::Sleep(10);
        }
    }
    // A key pressed and let go, as the keyboard sends it: a virtual key, or a character typed.
    void Key(WORD key, wchar_t character = 0) {
        INPUT input[2] = {};
        for (INPUT& event : input) {
            event.type = INPUT_KEYBOARD;
            event.ki.wVk = character == 0 ? key : 0;
            event.ki.wScan = character;
            event.ki.dwFlags = character == 0 ? 0 : KEYEVENTF_UNICODE;
        }
        input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        ::SendInput(2, input, sizeof(INPUT));
        Pump();
    }
    void Type(std::string_view name, const std::wstring& text) {
        Click(name);
        for (const wchar_t c : text) {
            Key(0, c);
        }
    }
    // A left click in the middle of the control, through the mouse.
    void Click(std::string_view name) {
        RECT place{};
        ::GetWindowRect(Get(name), &place);
        const ControlKind kind = form::Kind_Of(form::ControlName::Find(name).value());
        const int x =
            place.left + (kind == ControlKind::CheckBox || kind == ControlKind::OptionButton
                              ? 6
                              : (place.right - place.left) / 2);
        const int y = (place.top + place.bottom) / 2;
        ::SetCursorPos(x, y);
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, input, sizeof(INPUT));
        Pump();
    }
    // Picks an entry of a closed list with the arrow keys, one pick a key as for a user.
    void Pick(std::string_view name, int index) {
        ::SetFocus(Get(name));
        while (Send(name, CB_GETCURSEL) != index) {
            Key(static_cast<int>(Send(name, CB_GETCURSEL)) < index ? VK_DOWN : VK_UP);
        }
    }
    std::string Choose_Input() {
        const std::string path = folder.File("trip.kml");
        Write_File(path, kSampleKml);
        services.chosen_files.push_back(path);
        Click("cmdInputFile");
        return path;
    }
    TempFolder folder;
    ScriptedServices services;
    win32::Win32Window window{&services};
};

// Every control is the standard control of its kind, at its place of the table at 96 dpi (a label
// as wide as its text needs, at least), with its caption and its font; the window's client area
// is the table's.
TEST_F(Win32Face, ControlsAreBuiltFromTheTable) {
    RECT client{};
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, form::kClientArea.width);
    EXPECT_EQ(client.bottom, form::kClientArea.height);
    EXPECT_EQ(Text_Of(window.Handle()), "Zaveze");
    const std::map<ControlKind, std::wstring> classes = {
        {ControlKind::Label, L"Static"},
        {ControlKind::LinkLabel, L"Static"},
        {ControlKind::TextBox, L"Edit"},
        {ControlKind::Button, L"Button"},
        {ControlKind::CheckBox, L"Button"},
        {ControlKind::OptionButton, L"Button"},
        {ControlKind::Frame, L"Button"},
        {ControlKind::DropDownList, L"ComboBox"},
        {ControlKind::TimePicker, L"SysDateTimePick32"}};
    for (const form::ControlSpec& spec : form::Control_Table()) {
        HWND control = Get(spec.name);
        EXPECT_EQ(_wcsicmp(Class_Of(control).c_str(), classes.at(spec.kind).c_str()), 0)
            << spec.name;
        RECT place{};
        ::GetWindowRect(control, &place);
        ::MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&place), 2);
        if (spec.kind != ControlKind::OptionButton && spec.kind != ControlKind::DropDownList) {
            EXPECT_EQ(place.left, spec.place.x) << spec.name;
            EXPECT_EQ(place.top, spec.place.y) << spec.name;
            // A label whose lines must not wrap grows to its text in the font at hand.
            if (spec.kind == ControlKind::Label && !spec.word_wrap) {
                EXPECT_GE(place.right - place.left, spec.place.width) << spec.name;
            } else {
                EXPECT_EQ(place.right - place.left, spec.place.width) << spec.name;
            }
        }
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(Send(spec.name, WM_GETFONT)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -std::lround(spec.font.points * 96 / 72)) << spec.name;
        EXPECT_EQ(font.lfWeight, spec.font.bold ? FW_BOLD : FW_NORMAL) << spec.name;
        const bool set_at_load = spec.name == "lblTime_Zone" || spec.name == "lblBegin_Date_Label";
        if (!spec.caption.empty() && !set_at_load && spec.kind != ControlKind::TextBox) {
            EXPECT_EQ(Text_Of(control), spec.caption) << spec.name;
        }
    }
    // A screen reader names a box or list by the label just before it in the window order, as
    // Windows does in dialogs. (The names the table gives besides go through IAccPropServices,
    // which wine does not read back.)
    for (const form::ControlSpec& spec : form::Control_Table()) {
        if (!spec.names.empty()) {
            EXPECT_EQ(::GetWindow(Get(spec.names), GW_HWNDPREV), Get(spec.name)) << spec.name;
        }
    }
    EXPECT_NE(::GetWindowLongW(Get("comboBegin_Month"), GWL_STYLE) & CBS_DROPDOWNLIST, 0);
    EXPECT_NE(::GetWindowLongW(Get("dtPickEnd"), GWL_STYLE) & DTS_TIMEFORMAT, 0);
    EXPECT_EQ(Focused(), "txtInputFile");
    // The website label is drawn in the system's colour for links, unless that is wine's pale
    // hot-tracking grey, which does not read on the window's background.
    HDC device = ::GetDC(Get("lblWebsite"));
    ::SendMessageW(window.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(device),
                   reinterpret_cast<LPARAM>(Get("lblWebsite")));
    const COLORREF link = ::GetSysColor(COLOR_HOTLIGHT);
    EXPECT_EQ(::GetTextColor(device), GetGValue(link) > 200 ? RGB(0, 0, 204) : link);
    ::ReleaseDC(Get("lblWebsite"), device);
}

// The focus order is the table's: Windows takes it from the order of creation.
TEST_F(Win32Face, TabFollowsTheFocusOrder) {
    for (const form::ControlSpec& spec : form::Control_Table()) {
        ::EnableWindow(Get(spec.name), TRUE);
        ::ShowWindow(Get(spec.name), SW_SHOWNA);
    }
    std::vector<std::string> visited;
    for (std::size_t step = 0; step < form::Focus_Order().size(); ++step) {
        Key(VK_TAB);
        visited.push_back(Focused());
    }
    std::vector<std::string> expected(form::Focus_Order().begin() + 1, form::Focus_Order().end());
    expected.erase(std::find(expected.begin(), expected.end(), "optTimeStamp"));  // the arrows' own
    expected.push_back("txtInputFile");
    expected.push_back("txtOutputFile");
    EXPECT_EQ(visited, expected);
}

// A path the form sets into a text box shows its end, the file's name, however long it is.
TEST_F(Win32Face, ALongPathShowsItsEnd) {
    const std::filesystem::path deep = folder.Path() / std::string(120, 'x');
    std::filesystem::create_directory(deep);
    const std::string path = (deep / "trip_2023-03-15_to_2024-02-29.kml").string();
    Write_File(path, kSampleKml);
    services.chosen_files.push_back(path);
    Click("cmdInputFile");
    DWORD start = 0, end = 0;
    ::SendMessageW(Get("txtInputFile"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, ::GetWindowTextLengthW(Get("txtInputFile")));
    EXPECT_EQ(end, start);
    EXPECT_GT(start, 150u);
}

// Typed keys, clicks and keyboard picks reach the form; what the form sets itself raises its
// handler once, in the form, not a second time through the control's own notification.
TEST_F(Win32Face, UserActionsReachTheForm) {
    Choose_Input();
    EXPECT_TRUE(Enabled("txtBegin_Year"));
    Type("txtBegin_Year", L"2008");
    EXPECT_EQ(Send("comboBegin_Month", CB_GETCOUNT), 12);
    EXPECT_EQ(Send("comboBegin_Month", CB_GETCURSEL), CB_ERR);
    Pick("comboBegin_Month", 1);
    EXPECT_EQ(Send("comboBegin_Day", CB_GETCOUNT), 29);
    Pick("comboBegin_Day", 28);
    EXPECT_TRUE(Enabled("dtPickBegin"));
    Click("chkSet_Time");
    EXPECT_TRUE(Shown("dtPickBegin") && Shown("comboTime_Zone"));
    EXPECT_EQ(Send("chkUTC", BM_GETCHECK), BST_CHECKED);
    EXPECT_FALSE(Enabled("chkUTC"));
    Click("optTimeStamp");
    EXPECT_EQ(Text_Of(Get("lblBegin")), "Enter date to TimeStamp file with");
    EXPECT_FALSE(Shown("txtEnd_Year"));
    Click("cmdAuto_Output");
    EXPECT_EQ(Text_Of(Get("txtOutputFile")), folder.File("trip_2008-02-29.kml"));
    Click("cmdTimestamp");
    EXPECT_EQ(
        services.Take_Messages(),
        (std::vector<std::string>{"File " + folder.File("trip_2008-02-29.kml") + " created."}));
    EXPECT_EQ(Text_Of(Get("txtBegin_Year")), "");
    EXPECT_EQ(Send("comboBegin_Month", CB_GETCOUNT), 0);
    EXPECT_EQ(Send("chkSet_Time", BM_GETCHECK), BST_UNCHECKED);
}

// A refused year keeps the real focus against Tab and clicks on other controls; a click on a
// label is no leaving.
TEST_F(Win32Face, TheYearCheckHoldsTheFocus) {
    Choose_Input();
    Type("txtEnd_Year", L"abc");
    Key(VK_TAB);
    Click("cmdReset");
    Click("chkUTC");
    Click("lblWebsite");
    EXPECT_EQ(services.Take_Messages(),
              std::vector<std::string>(4, "Please enter a valid number for the year"));
    EXPECT_EQ(services.messages.size(), 0u);
    EXPECT_EQ(Focused(), "txtEnd_Year");
    EXPECT_EQ(Text_Of(Get("txtEnd_Year")), "abc");
    EXPECT_EQ(Send("chkUTC", BM_GETCHECK), BST_UNCHECKED);
    EXPECT_TRUE(services.guide_sections.empty());
    Click("lblBegin");
    EXPECT_TRUE(services.messages.empty());
}

// A file dropped from Explorer is taken as if chosen in the input dialog, its name whole in any
// script.
TEST_F(Win32Face, ADroppedFileIsTaken) {
    const std::string path = folder.Path().string() + "\\Planina Zaveže – 山.kml";
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << kSampleKml;
    // What Explorer hands over: a DROPFILES block with the names, which the window frees.
    const auto drop_it = [&] {
        const std::wstring wide = platform::Utf16_Of(path);
        HGLOBAL memory =
            ::GlobalAlloc(GHND, sizeof(DROPFILES) + (wide.size() + 2) * sizeof(wchar_t));
        auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        std::copy(wide.begin(), wide.end(),
                  reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES)));
        ::GlobalUnlock(memory);
        ::SendMessageW(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    };
    ::EnableWindow(window.Handle(), FALSE);  // as while a job runs: the drop is let go
    drop_it();
    EXPECT_EQ(Text_Of(Get("txtInputFile")), "");
    ::EnableWindow(window.Handle(), TRUE);
    drop_it();
    EXPECT_EQ(Text_Of(Get("txtInputFile")), path);
    EXPECT_TRUE(Enabled("txtBegin_Year"));
}

// The guide's address is a file's, at the section asked for.
TEST(Win32Guide, IsOpenedAsAFileAtItsSection) {
    const std::wstring address =
        win32::User_Guide_Address("C:\\Program Files\\Zaveze\\user-guide.html", "about");
    EXPECT_EQ(address, L"file:///C:/Program%20Files/Zaveze/user-guide.html#about");
}

// Moved to a monitor at 144 dpi, every place and font is half as large again.
TEST_F(Win32Face, TheLayoutFollowsTheMonitorsDpi) {
    RECT frame{};
    ::GetWindowRect(window.Handle(), &frame);
    ::SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                   reinterpret_cast<LPARAM>(&frame));
    RECT client{};
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 1515);  // (the height depends on the caption, still at 96 dpi here)
    RECT place{};
    ::GetWindowRect(Get("cmdTimestamp"), &place);
    ::MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 462);
    EXPECT_EQ(place.right - place.left, 297);
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(Send("cmdTimestamp", WM_GETFONT)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -20);  // 9.75 points at 144 dpi

    // At 192 dpi on this 1920 x 1200 screen, 2020 pixels, it is scaled down until it fits.
    ::SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                   reinterpret_cast<LPARAM>(&frame));
    ::GetWindowRect(window.Handle(), &frame);
    EXPECT_GE(frame.right - frame.left, 1900);
    EXPECT_LE(frame.right - frame.left, ::GetSystemMetrics(SM_CXSCREEN));
    ::GetClientRect(window.Handle(), &client);
    ::GetWindowRect(Get("cmdTimestamp"), &place);
    EXPECT_NEAR(place.right - place.left, 198.0 * client.right / 1010, 1);
}

// A slow job shows the progress window after half a second; its Cancel cancels the job, and the
// window takes input again.
// Moved to a monitor at 144 dpi, the progress window's Cancel grows half as large again.
TEST_F(Win32Face, ASlowJobShowsProgressAndCancels) {
    bool saw_cancel = false;
    int cancel_width = 0;
    std::thread user([&cancel_width] {
        HWND progress = nullptr;
        for (int wait = 0; wait < 500 && progress == nullptr; ++wait) {
            ::Sleep(10);
            progress = ::FindWindowW(L"ZavezeProgress", nullptr);
        }
        if (progress != nullptr) {
            RECT frame{};
            ::GetWindowRect(progress, &frame);
            ::SendMessageW(progress, WM_DPICHANGED, MAKEWPARAM(144, 144),
                           reinterpret_cast<LPARAM>(&frame));
            RECT cancel{};
            ::GetWindowRect(::GetDlgItem(progress, IDCANCEL), &cancel);
            cancel_width = cancel.right - cancel.left;
            ::PostMessageW(progress, WM_COMMAND, IDCANCEL, 0);
        }
    });
    win32::Run_Long_Job(window.Handle(), L"Writing out.kml...", 1 << 20, [&](JobControl& control) {
        for (int wait = 0; wait < 1000 && !control.cancelled; ++wait) {
            control.Go_On(static_cast<std::uint64_t>(wait) << 10);
            ::Sleep(5);
        }
        saw_cancel = control.cancelled;
    });
    user.join();
    EXPECT_TRUE(saw_cancel);
    EXPECT_EQ(cancel_width, 135);
    EXPECT_TRUE(::IsWindowEnabled(window.Handle()));
    EXPECT_EQ(::FindWindowW(L"ZavezeProgress", nullptr), nullptr);
}

}  // namespace
}  // namespace zaveze::testing
