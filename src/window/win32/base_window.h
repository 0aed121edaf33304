// SPDX-License-Identifier: MIT
#pragma once
// How every window of the face gets its messages (the BaseWindow pattern of Microsoft's "Learn to
// Program for Windows"): the window class's procedure finds the C++ object that created the
// window, from the creation parameter it stored, and hands it each message. `Derived` has
// `LRESULT Handle_Message(UINT, WPARAM, LPARAM)`; until the object is reachable, the default
// procedure answers.

#include <windows.h>

namespace zaveze::win32 {

template <class Derived>
class BaseWindow {
  public:
    HWND Handle() const { return window_; }

  protected:
    // Registers the window class `name` once, with this procedure; `details` fills in the rest.
    static void Register_Class(const wchar_t* name, void (*details)(WNDCLASSEXW&)) {
        static const ATOM registered = [name, details] {
            WNDCLASSEXW window_class{};
            window_class.cbSize = sizeof window_class;
            window_class.lpfnWndProc = &BaseWindow::Procedure;
            window_class.hInstance = ::GetModuleHandleW(nullptr);
            window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            window_class.lpszClassName = name;
            details(window_class);
            return ::RegisterClassExW(&window_class);
        }();
        (void)registered;
    }

    // Creates the window of the registered class, tied to this object.
    void Create(DWORD ex_style, const wchar_t* class_name, const wchar_t* title, DWORD style, int x,
                int y, int width, int height, HWND owner) {
        ::CreateWindowExW(ex_style, class_name, title, style, x, y, width, height, owner, nullptr,
                          ::GetModuleHandleW(nullptr), static_cast<Derived*>(this));
    }

    LRESULT Default(UINT message, WPARAM w, LPARAM l) {
        return ::DefWindowProcW(window_, message, w, l);
    }

    HWND window_ = nullptr;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
            self->window_ = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        return self != nullptr ? self->Handle_Message(message, w, l)
                               : ::DefWindowProcW(window, message, w, l);
    }
};

}  // namespace zaveze::win32
