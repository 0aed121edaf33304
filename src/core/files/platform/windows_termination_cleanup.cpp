// SPDX-License-Identifier: MIT
// Scratch files on Windows: Ctrl+C, Ctrl+Break and closing the console remove the remembered
// names before the process ends with 128 + the event's number, as on other systems.

#include <windows.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <string>

#include "core/files/termination_cleanup.h"

namespace zaveze {
namespace {

struct Slot {
    std::atomic<bool> in_use{false};
    std::atomic<bool> armed{false};
    platform::FileIdentity file;
    wchar_t path[32768];
};
std::array<Slot, 4> slots;

// Whether `path` still names the file remembered for it.
bool Names_File(const wchar_t* path, const platform::FileIdentity& file) {
    const HANDLE handle =
        ::CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION information;
    const bool known = ::GetFileInformationByHandle(handle, &information) != 0;
    ::CloseHandle(handle);
    const std::uint64_t index =
        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return known && information.dwVolumeSerialNumber == file.volume && index == file.index;
}

// Runs on a thread of its own, so it may do what a POSIX signal handler may not.
BOOL WINAPI Remove_Scratch_Files_And_Exit(DWORD event) {
    for (Slot& slot : slots) {
        if (slot.armed.load() && Names_File(slot.path, slot.file)) {
            ::DeleteFileW(slot.path);
        }
    }
    ::ExitProcess(128 + (event == CTRL_C_EVENT ? SIGINT : SIGTERM));
    return TRUE;
}

}  // namespace

bool Remember_Scratch_File(const std::string& path, const platform::FileIdentity& file) {
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0 || length > 32767) {
        return false;
    }
    for (Slot& slot : slots) {
        bool expected = false;
        if (slot.in_use.compare_exchange_strong(expected, true)) {
            ::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, slot.path, length);
            slot.file = file;
            slot.armed.store(true);
            return true;
        }
    }
    return false;
}

void Forget_Scratch_File(const std::string& path) {
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length);
    for (Slot& slot : slots) {
        if (slot.armed.load() && wide.c_str() == std::wstring(slot.path)) {
            slot.armed.store(false);
            slot.in_use.store(false);
            return;
        }
    }
}

void Install_Termination_Cleanup() {
    ::SetConsoleCtrlHandler(Remove_Scratch_Files_And_Exit, TRUE);
}

}  // namespace zaveze
