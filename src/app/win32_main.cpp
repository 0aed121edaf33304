// SPDX-License-Identifier: MIT
// zaveze.exe: the window, or its help and version printed to the console that started it.

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "core/files/platform/file_system.h"
#include "core/files/platform/paths.h"
#include "core/files/termination_cleanup.h"
#include "form/window_command_line.h"
#include "window/win32/win32_window.h"

namespace {

// Writes to the program's standard output when it has one (a pipe, a file), else to the console
// of the program that started it; a window program has neither by itself.
bool Print(const std::string& text) {
    HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    bool attached = false;
    if (output == nullptr || output == INVALID_HANDLE_VALUE) {
        if (!::AttachConsole(ATTACH_PARENT_PROCESS)) {
            return false;
        }
        attached = true;
        output = ::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               0, nullptr);
    }
    DWORD written = 0;
    const bool ok =
        ::WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size();
    if (attached) {
        ::CloseHandle(output);
        ::FreeConsole();
    }
    return ok;
}

// The arguments after the program's name, as UTF-8.
std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(zaveze::platform::Utf8_Of(words[i]));
    }
    ::LocalFree(words);
    return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    using Kind = zaveze::form::WindowRequest::Kind;
    const zaveze::form::WindowRequest request = zaveze::form::Read_Window_Arguments(Arguments());
    if (request.kind != Kind::Open) {
        // Started from Explorer or a shortcut, the program has no console to print to: the text
        // then goes into a message box, so that a wrong start is never silent.
        const bool printed =
            Print(request.text) ||
            ::MessageBoxW(nullptr, zaveze::platform::Utf16_Of(request.text).c_str(), L"Zaveze",
                          request.kind == Kind::BadUsage ? MB_OK | MB_ICONERROR
                                                         : MB_OK | MB_ICONINFORMATION) != 0;
        return request.kind == Kind::BadUsage ? 2 : (printed ? 0 : 3);
    }

    // A window closed during a job leaves no scratch file behind.
    zaveze::Install_Termination_Cleanup();
    ::OleInitialize(nullptr);  // the file dialogs and the screen-reader names need COM
    int status = 0;
    {
        zaveze::win32::Win32Window window;
        window.Show(show);
        if (!request.file.empty()) {
            window.Open_Input_File(zaveze::platform::Absolute_Path(request.file));
        }
        status = window.Run();
    }
    ::OleUninitialize();
    return status;
}
