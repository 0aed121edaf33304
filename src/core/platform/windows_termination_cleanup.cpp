// SPDX-License-Identifier: MIT
// Scratch files on Windows: Ctrl+C, Ctrl+Break and closing the console remove the remembered
// names before the process ends with 128 + the event's number, as on other systems.

#include <windows.h>

#include <array>
#include <atomic>
#include <csignal>
#include <string>

#include "core/termination_cleanup.h"

namespace zaveze {
namespace {

struct Slot {
    std::atomic<bool> in_use{false};
    std::atomic<bool> armed{false};
    wchar_t path[32768];
};
std::array<Slot, 4> slots;

BOOL WINAPI Remove_Scratch_Files_And_Exit(DWORD event) {
    for (Slot& slot : slots) {
        if (slot.armed.load()) {
            ::DeleteFileW(slot.path);
        }
    }
    ::ExitProcess(128 + (event == CTRL_C_EVENT ? SIGINT : SIGTERM));
    return TRUE;
}

}  // namespace

bool Remember_Scratch_File(const std::string& path) {
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0 || length > 32767) {
        return false;
    }
    for (Slot& slot : slots) {
        bool expected = false;
        if (slot.in_use.compare_exchange_strong(expected, true)) {
            ::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, slot.path, length);
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
