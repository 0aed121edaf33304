// SPDX-License-Identifier: MIT
// zaveze.exe: the window, or its help and version printed to the console that started it.

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "core/files/platform/file_system.h"
#include "core/files/termination_cleanup.h"
#include "window/win32/win32_window.h"

namespace {

constexpr char kHelp[] =
    "Usage: zaveze [options] [FILE]\n"
    "Adds time information (a TimeStamp or a TimeSpan) to a copy of a KML file.\n"
    "\n"
    "Options:\n"
    "  -?, -h, --help  Displays help on commandline options.\n"
    "  -v, --version   Displays version information.\n"
    "\n"
    "Arguments:\n"
    "  FILE            The KML file to open, as if chosen with \"Open Input KML  File\".\n";

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

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> arguments(words + (count > 0 ? 1 : 0), words + count);
    ::LocalFree(words);
    return arguments;
}

std::wstring Full_Path(const std::wstring& path) {
    std::wstring full(::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(
        ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    return full;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    std::vector<std::wstring> files;
    for (const std::wstring& word : Arguments()) {
        if (word == L"-h" || word == L"--help" || word == L"-?" || word == L"--help-all") {
            return Print(kHelp) ? 0 : 3;
        }
        if (word == L"-v" || word == L"--version") {
            return Print(std::string("zaveze ") + ZAVEZE_VERSION + "\n") ? 0 : 3;
        }
        if (word.size() > 1 && word[0] == L'-') {
            Print("zaveze: Unknown option '" + zaveze::platform::Utf8_Of(word.c_str() + 1) +
                  "'.\n");
            return 2;
        }
        files.push_back(word);
    }
    if (files.size() > 1) {
        Print("zaveze: one FILE at most\n");
        return 2;
    }

    // A window closed during a job leaves no scratch file behind.
    zaveze::Install_Termination_Cleanup();
    ::OleInitialize(nullptr);  // the file dialogs and the screen-reader names need COM
    int status = 0;
    {
        zaveze::win32::Win32Window window;
        window.Show(show);
        if (!files.empty()) {
            window.Open_Input_File(zaveze::platform::Utf8_Of(Full_Path(files[0]).c_str()));
        }
        status = window.Run();
    }
    ::OleUninitialize();
    return status;
}
