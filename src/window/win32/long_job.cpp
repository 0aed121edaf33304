// SPDX-License-Identifier: MIT
#include "window/win32/long_job.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "core/files/platform/file_system.h"
#include "form/progress_text.h"
#include "window/win32/base_window.h"
#include "window/win32/handles.h"
#include "window/win32/window_text.h"

namespace zaveze::win32 {
namespace {

constexpr int kCancelId = IDCANCEL;
constexpr wchar_t kClassName[] = L"ZavezeProgress";

// The progress window: the label with the amount done, a bar, and Cancel, which (like the
// close box) cancels the job.
class ProgressWindow : public BaseWindow<ProgressWindow> {
    friend class BaseWindow<ProgressWindow>;  // hands it the messages

  public:
    ProgressWindow(HWND owner, const std::wstring& title, JobControl& control) : control_(control) {
        Register_Class(kClassName, [](WNDCLASSEXW&) {});
        const UINT dpi = ::GetDpiForWindow(owner);
        RECT frame{0, 0, ::MulDiv(420, static_cast<int>(dpi), 96),
                   ::MulDiv(130, static_cast<int>(dpi), 96)};
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        ::AdjustWindowRectExForDpi(&frame, style, FALSE, WS_EX_DLGMODALFRAME, dpi);
        RECT owner_frame{};
        ::GetWindowRect(owner, &owner_frame);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        Create(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClassName, title.c_str(), style,
               (owner_frame.left + owner_frame.right - width) / 2,
               (owner_frame.top + owner_frame.bottom - height) / 2, width, height, owner);
        label_ = Child(WC_STATICW, SS_LEFT | SS_NOPREFIX, 0);
        bar_ = Child(PROGRESS_CLASSW, 0, 0);
        cancel_ = Child(WC_BUTTONW, WS_TABSTOP | BS_DEFPUSHBUTTON, kCancelId);
        Lay_Out(dpi);
        ::SetWindowTextW(cancel_, L"Cancel");
        ::SendMessageW(bar_, PBM_SETRANGE32, 0, 1000);
        ::ShowWindow(window_, SW_SHOW);
        ::SetFocus(cancel_);
    }
    ~ProgressWindow() { ::DestroyWindow(window_); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void Show_Progress(const std::wstring& label, std::uint64_t done, std::uint64_t total) {
        const std::string text = form::Progress_Text(platform::Utf8_Of(label.c_str()), done, total);
        ::SetWindowTextW(label_, platform::Utf16_Of(text).c_str());
        const auto permille =
            total > 0 ? static_cast<WPARAM>(std::min(done, total) * 1000 / total) : 0;
        ::SendMessageW(bar_, PBM_SETPOS, permille, 0);
    }

  private:
    HWND Child(const wchar_t* window_class, DWORD style, int id) {
        return ::CreateWindowExW(0, window_class, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                 window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 ::GetModuleHandleW(nullptr), nullptr);
    }

    // The label, bar and button, and their font, at `dpi`.
    void Lay_Out(UINT dpi) {
        const auto scaled = [dpi](int length) {
            return ::MulDiv(length, static_cast<int>(dpi), 96);
        };
        UniqueFont font(::CreateFontW(-scaled(11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                      L"Microsoft Sans Serif"));
        const struct {
            HWND child;
            int x, y, width, height;
        } places[] = {
            {label_, 12, 10, 396, 40}, {bar_, 12, 56, 396, 18}, {cancel_, 318, 88, 90, 30}};
        for (const auto& [child, x, y, width, height] : places) {
            ::SetWindowPos(child, nullptr, scaled(x), scaled(y), scaled(width), scaled(height),
                           SWP_NOZORDER | SWP_NOACTIVATE);
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        }
        font_ = std::move(font);  // the one the children used before goes
    }

    LRESULT Handle_Message(UINT message, WPARAM w, LPARAM l) {
        if (message == WM_DPICHANGED) {  // moved to another monitor
            const RECT* suggested = reinterpret_cast<const RECT*>(l);
            ::SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            Lay_Out(HIWORD(w));
            return 0;
        }
        if ((message == WM_COMMAND && LOWORD(w) == kCancelId) || message == WM_CLOSE) {
            control_.cancelled = true;
            ::EnableWindow(cancel_, FALSE);
            return 0;
        }
        return Default(message, w, l);
    }

    JobControl& control_;
    UniqueFont font_;
    HWND label_ = nullptr;
    HWND bar_ = nullptr;
    HWND cancel_ = nullptr;
};

}  // namespace

void Run_Long_Job(HWND window, const std::wstring& label, std::uint64_t total_bytes,
                  const std::function<void(JobControl&)>& job) {
    JobControl control;
    const UniqueHandle finished(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE finished_event = finished.get();
    std::thread worker([&] {
        job(control);
        ::SetEvent(finished_event);
    });
    ::EnableWindow(window, FALSE);
    HCURSOR previous_cursor = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    std::unique_ptr<ProgressWindow> progress;
    const auto started = std::chrono::steady_clock::now();
    bool quit = false;
    int quit_status = 0;
    while (::MsgWaitForMultipleObjects(1, &finished_event, FALSE,
                                       static_cast<DWORD>(form::kProgressInterval.count()),
                                       QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {  // kept for the main loop, after the job
                quit = true;
                quit_status = static_cast<int>(message.wParam);
                continue;
            }
            if (progress == nullptr || !::IsDialogMessageW(progress->Handle(), &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        if (progress == nullptr &&
            std::chrono::steady_clock::now() - started >= form::kProgressDelay) {
            progress = std::make_unique<ProgressWindow>(window, Window_Text(window), control);
        }
        if (progress != nullptr) {
            progress->Show_Progress(label, control.bytes_done.load(), total_bytes);
        }
    }
    worker.join();
    // The window takes input again before the progress window goes, so that it gets the focus.
    ::EnableWindow(window, TRUE);
    progress.reset();
    ::SetCursor(previous_cursor);
    if (quit) {
        ::PostQuitMessage(quit_status);
    }
}

}  // namespace zaveze::win32
