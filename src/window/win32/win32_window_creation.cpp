// SPDX-License-Identifier: MIT
// The window's controls, built from the control table in its focus order, their tool tips and
// screen-reader names, and their places and fonts at the monitor's DPI.

#include <windows.h>

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include <algorithm>
#include <cmath>

#include "core/files/platform/file_system.h"
#include "window/win32/win32_window.h"

namespace zaveze::win32 {
namespace {

using form::ControlKind;
using form::ControlSpec;

struct WindowKind {
    const wchar_t* window_class;
    DWORD style;
    DWORD ex_style = 0;
};

WindowKind Window_Kind_Of(const ControlSpec& spec) {
    const DWORD text_alignment = spec.centred ? SS_CENTER : SS_LEFT;
    switch (spec.kind) {
        case ControlKind::Label:
            return {WC_STATICW, text_alignment | SS_NOPREFIX};
        case ControlKind::LinkLabel:
            return {WC_STATICW, text_alignment | SS_NOPREFIX | SS_NOTIFY};
        case ControlKind::TextBox:
            return {
                WC_EDITW,
                static_cast<DWORD>(WS_TABSTOP | ES_AUTOHSCROLL | (spec.centred ? ES_CENTER : 0)),
                WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE};
        case ControlKind::CheckBox:
            return {WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX};
        case ControlKind::OptionButton:
            // The first option of a frame starts its group and takes the Tab; arrows move in it.
            return {WC_BUTTONW,
                    static_cast<DWORD>(BS_AUTORADIOBUTTON | (spec.checked ? WS_TABSTOP : 0))};
        case ControlKind::Frame:
            return {WC_BUTTONW, BS_GROUPBOX};
        case ControlKind::DropDownList:
            return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};
        case ControlKind::TimePicker:
            return {DATETIMEPICK_CLASSW, WS_TABSTOP | DTS_TIMEFORMAT};
    }
    return {WC_STATICW, 0};
}

// The controls in the order of creation, which Windows takes for the focus order: the focus
// order of the table, each control after the label that names it (a screen reader reads that
// label as its name), then the controls that take no focus.
std::vector<const ControlSpec*> Creation_Order() {
    std::vector<const ControlSpec*> order;
    const auto table = form::Control_Table();
    for (const form::ControlName name : form::Focus_Order()) {
        for (const ControlSpec& label : table) {
            if (label.names == name.View()) {
                order.push_back(&label);
            }
        }
        order.push_back(&form::table::Spec_Of(name.View()));  // the names are checked
    }
    for (const ControlSpec& spec : table) {
        if (std::find(order.begin(), order.end(), &spec) == order.end()) {
            order.push_back(&spec);
        }
    }
    return order;
}

}  // namespace

void Win32Window::Create_Controls() {
    const auto table = form::Control_Table();
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (const ControlSpec* spec : Creation_Order()) {
        const WindowKind kind = Window_Kind_Of(*spec);
        // Every control but the second option starts a group, so that the arrow keys move only
        // between the two options.
        const bool in_option_group = spec->kind == ControlKind::OptionButton && !spec->checked;
        const DWORD style = WS_CHILD | WS_VISIBLE | kind.style | (in_option_group ? 0 : WS_GROUP);
        const auto id = static_cast<WORD>(kFirstControlId + (spec - table.data()));
        HWND control = ::CreateWindowExW(
            kind.ex_style, kind.window_class,
            platform::Utf16_Of(std::string(spec->caption)).c_str(), style, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
        controls_.emplace(spec->name, Made{control, spec});
        if (spec->kind == ControlKind::OptionButton) {
            ::SendMessageW(control, BM_SETCHECK, spec->checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        if (spec->kind == ControlKind::DropDownList) {
            ::SendMessageW(control, CB_SETMINVISIBLE, static_cast<WPARAM>(spec->visible_entries),
                           0);
        }
        if (spec->kind == ControlKind::TimePicker &&
            spec->picker_format == form::PickerFormat::TwentyFourHour) {
            // Without a format of its own a picker shows the system's long time format.
            ::SendMessageW(control, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH':'mm':'ss"));
        }
        if (spec->kind == ControlKind::Frame) {
            // A frame lies under its options, which are its siblings here.
            ::SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    Create_Tool_Tips();
    Describe_For_Screen_Readers();
}

void Win32Window::Create_Tool_Tips() {
    tool_tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    for (const auto& [name, made] : controls_) {
        if (made.spec->tool_tip.empty()) {
            continue;
        }
        std::wstring text = platform::Utf16_Of(std::string(made.spec->tool_tip));
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(made.handle);
        tool.lpszText = text.data();
        ::SendMessageW(tool_tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// Boxes, lists and pickers carry the names the table gives them; the others are read by their
// captions, or by the label created just before them.
void Win32Window::Describe_For_Screen_Readers() {
    IAccPropServices* properties = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IAccPropServices, reinterpret_cast<void**>(&properties)))) {
        return;
    }
    for (const auto& [name, made] : controls_) {
        if (!made.spec->accessible_name.empty()) {
            const std::wstring text = platform::Utf16_Of(std::string(made.spec->accessible_name));
            properties->SetHwndPropStr(made.handle, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                       PROPID_ACC_NAME, text.c_str());
        }
    }
    properties->Release();
}

int Win32Window::Scaled(int length) const {
    return static_cast<int>(std::lround(length * scale_ * dpi_ / USER_DEFAULT_SCREEN_DPI));
}

// A font of the table in "Microsoft Sans Serif", the scalable successor of "MS Sans Serif", at
// the window's DPI.
HFONT Win32Window::Font_For(const form::Font& font) {
    const int height = -static_cast<int>(std::lround(font.points * scale_ * dpi_ / 72.0));
    UniqueFont& made = fonts_[{height, font.bold}];
    if (made == nullptr) {
        made.reset(::CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                 L"Microsoft Sans Serif"));
    }
    return made.get();
}

// How wide a label's widest line is in `font`, for a label whose lines must not wrap: the fonts
// that stand in for "Microsoft Sans Serif" (under wine, or in other languages) may be wider than
// the table's places allow. 0 for other controls.
int Win32Window::Text_Width(const form::ControlSpec& spec, HFONT font) const {
    if (spec.kind != form::ControlKind::Label || spec.word_wrap || spec.caption.empty()) {
        return 0;
    }
    HDC device = ::GetDC(window_);
    const HGDIOBJ previous = ::SelectObject(device, font);
    int widest = 0;
    std::string_view rest = spec.caption;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        const std::wstring line = platform::Utf16_Of(std::string(rest.substr(0, end)));
        SIZE extent{};
        ::GetTextExtentPoint32W(device, line.c_str(), static_cast<int>(line.size()), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    ::SelectObject(device, previous);
    ::ReleaseDC(window_, device);
    return widest + 2;  // the static control's own margin
}

// The client area, every control's place and every font at `dpi` and the window's scale; the
// frame at `dpi` alone.
void Win32Window::Lay_Out(UINT dpi) {
    dpi_ = dpi;
    RECT frame{0, 0, Scaled(form::kClientArea.width), Scaled(form::kClientArea.height)};
    ::AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, dpi_);
    frame_size_ = {frame.right - frame.left, frame.bottom - frame.top};
    ::SetWindowPos(window_, nullptr, 0, 0, frame_size_.cx, frame_size_.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& [name, made] : controls_) {
        form::Place place = made.spec->place;
        if (!made.spec->frame.empty()) {  // an option's place is its frame's
            const form::Place frame_place = Find(made.spec->frame).spec->place;
            place.x += frame_place.x;
            place.y += frame_place.y;
        }
        const HFONT font = Font_For(made.spec->font);
        const int width = std::max(Scaled(place.width), Text_Width(*made.spec, font));
        ::SetWindowPos(made.handle, nullptr, Scaled(place.x), Scaled(place.y), width,
                       Scaled(place.height), SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(made.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

const Win32Window::Made& Win32Window::Find(std::string_view name) const {
    const auto found = controls_.find(name);
    if (found == controls_.end()) {
        ::FatalAppExitW(0, L"a control that the table does not name");
    }
    return found->second;
}

HWND Win32Window::Control(std::string_view name) const {
    return Find(name).handle;
}

std::string Win32Window::Name_Of(HWND control) const {
    const form::ControlSpec* spec = Spec_Of(control);
    return spec != nullptr ? std::string(spec->name) : std::string();
}

// The control a window belongs to: itself, or the control whose part it is (a list's box).
const form::ControlSpec* Win32Window::Spec_Of(HWND control) const {
    while (control != nullptr && ::GetParent(control) != window_) {
        control = ::GetParent(control);
    }
    for (const auto& [name, made] : controls_) {
        if (made.handle == control) {
            return made.spec;
        }
    }
    return nullptr;
}

}  // namespace zaveze::win32
