// SPDX-License-Identifier: MIT
// The window's start, its messages, and the user's actions reported to the form.

#include "window/win32/win32_window.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

#include <commctrl.h>
#include <shellapi.h>

#include "core/files/platform/file_system.h"
#include "form/window_messages.h"
#include "window/win32/win32_services.h"

namespace zaveze::win32 {
namespace {

static_assert(STN_CLICKED == BN_CLICKED);  // a click on a button or on the website label

constexpr wchar_t kClassName[] = L"ZavezeWindow";

// The relative luminance of the web's accessibility guidelines: 0 (black) to 1 (white).
double Luminance(COLORREF colour) {
    const auto channel = [](int value) {
        const double share = value / 255.0;
        return share <= 0.03928 ? share / 12.92 : std::pow((share + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) +
           0.0722 * channel(GetBValue(colour));
}

// The system's colour for links (which a high-contrast theme sets), when it reads well on the
// window's background; some themes (wine's own) give it a pale grey for hot-tracked menus
// instead, and then the classic link blue stands in.
COLORREF Link_Colour() {
    const COLORREF link = ::GetSysColor(COLOR_HOTLIGHT);
    const double a = Luminance(link), b = Luminance(::GetSysColor(COLOR_BTNFACE));
    const double contrast = (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
    return contrast >= 4.5 ? link : RGB(0, 0, 204);
}

}  // namespace

Win32Window::Win32Window(form::Services* services) {
    const INITCOMMONCONTROLSEX classes{
        sizeof(INITCOMMONCONTROLSEX),
        ICC_STANDARD_CLASSES | ICC_DATE_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    Register_Class(kClassName, [](WNDCLASSEXW& window_class) {
        window_class.hIcon = ::LoadIconW(window_class.hInstance, L"IDI_ICON1");
    });
    Create(kWindowExStyle, kClassName, platform::Utf16_Of(std::string(messages::kAppTitle)).c_str(),
           kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr);
    dpi_ = ::GetDpiForWindow(window_);
    if (services == nullptr) {
        own_services_ = std::make_unique<Win32Services>(window_);
        services = own_services_.get();
    }
    Create_Controls();
    Lay_Out(dpi_);
    form_ = std::make_unique<form::frmTimeStamper>(static_cast<form::Controls&>(*this), *services);
    form_->Form_Load();
}

Win32Window::~Win32Window() {
    if (::IsWindow(window_)) {
        ::DestroyWindow(window_);
    }
}

void Win32Window::Show(int how) {
    ::ShowWindow(window_, how);
    ::UpdateWindow(window_);
}

LRESULT Win32Window::Handle_Message(UINT message, WPARAM w, LPARAM l) {
    if (form_ == nullptr) {
        return Default(message, w, l);  // still being made
    }
    switch (message) {
        case WM_COMMAND:
            Report_Command(LOWORD(w), HIWORD(w));
            return 0;
        case WM_DROPFILES:
            Files_Dropped(reinterpret_cast<HDROP>(w));
            return 0;
        case WM_ACTIVATE:
            // The focus comes back to the control that had it, as in a dialog box.
            if (LOWORD(w) == WA_INACTIVE) {
                focus_when_inactive_ = ::GetFocus();
            } else if (focus_when_inactive_ != nullptr && ::IsWindow(focus_when_inactive_)) {
                ::SetFocus(focus_when_inactive_);
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(l);
            ::SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            Lay_Out(HIWORD(w));
            form_->Fit_On_Screen();
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            // A link label (the website) reads as a link, in the system's colour for links (which a
            // high-contrast theme sets too).
            if (Is_Link(reinterpret_cast<HWND>(l))) {
                const auto device = reinterpret_cast<HDC>(w);
                ::SetTextColor(device, Link_Colour());
                ::SetBkMode(device, TRANSPARENT);
                return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_SETCURSOR:
            if (Is_Link(reinterpret_cast<HWND>(w))) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return Default(message, w, l);
}

// Only what the user did reaches the form: a text the form sets itself raises EN_CHANGE too,
// and that is not reported.
void Win32Window::Report_Command(WORD id, WORD notification) {
    const auto index = static_cast<std::size_t>(id - kFirstControlId);
    const auto table = form::Control_Table();
    if (id < kFirstControlId || index >= table.size()) {
        return;
    }
    const form::ControlSpec& spec = table[index];
    switch (spec.kind) {
        case form::ControlKind::Button:
        case form::ControlKind::CheckBox:
        case form::ControlKind::OptionButton:
        case form::ControlKind::LinkLabel:  // STN_CLICKED, the same number as BN_CLICKED
            if (notification == BN_CLICKED) {
                form_->User_Clicked(spec.name);
            }
            break;
        case form::ControlKind::TextBox:
            if (notification == EN_CHANGE && !setting_text_) {
                form_->User_Edited(spec.name);
            }
            break;
        case form::ControlKind::DropDownList:
            if (notification == CBN_SELCHANGE) {
                form_->User_Picked(spec.name);
            }
            break;
        case form::ControlKind::Label:
        case form::ControlKind::Frame:
        case form::ControlKind::TimePicker:  // read when the job starts
            break;
    }
}

// Files dropped while a job runs (the window is disabled then) are let go: one job at a time.
void Win32Window::Files_Dropped(HDROP drop) {
    if (!::IsWindowEnabled(window_)) {
        ::DragFinish(drop);
        return;
    }
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(platform::Utf8_Of(path.c_str()));
    }
    ::DragFinish(drop);
    form_->Files_Dropped(paths);
}

// Whether a message would take the focus from a refused year: Tab pressed in the focused
// control, or a click or wheel turn on another control of the window that takes the focus (or on
// the website label).
bool Win32Window::Holds_Back(const MSG& message) {
    HWND target = nullptr;
    switch (message.message) {
        case WM_KEYDOWN:
            if (message.wParam != VK_TAB) {
                return false;
            }
            return ::IsChild(window_, message.hwnd) && !form_->Focus_May_Leave();
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
            target = message.hwnd;
            break;
        case WM_MOUSEWHEEL: {
            const POINT where{static_cast<short>(LOWORD(message.lParam)),
                              static_cast<short>(HIWORD(message.lParam))};
            target = ::WindowFromPoint(where);
            break;
        }
        default:
            return false;
    }
    const std::string name = Name_Of(target);
    if (name.empty() || name == Focused() || !::IsWindowEnabled(Control(name))) {
        return false;
    }
    const form::ControlKind kind = Find(name).spec->kind;
    if (kind == form::ControlKind::Label || kind == form::ControlKind::Frame) {
        return false;
    }
    return !form_->Focus_May_Leave();
}

// Tab, a click or a wheel turn that would take the focus from a refused year is dropped before
// the dialog keys (Tab, arrows between the options) are handled.
void Win32Window::Dispatch(MSG& message) {
    if (Holds_Back(message) || ::IsDialogMessageW(window_, &message)) {
        return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

int Win32Window::Run() {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace zaveze::win32
