// SPDX-License-Identifier: MIT
#include "core/termination_cleanup.h"

#include <limits.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

namespace zaveze {
namespace {

// A fixed table, because a signal handler may neither allocate nor lock. A run has at most two
// scratch names at a time (the scratch file, and the link made just before a replacing rename).
struct Slot {
    std::atomic<bool> in_use{false};
    std::atomic<bool> armed{false};
    char path[PATH_MAX];
};
std::array<Slot, 4> slots;

extern "C" void Remove_Scratch_Files_And_Exit(int signal_number) {
    for (Slot& slot : slots) {
        if (slot.armed.load()) {
            ::unlink(slot.path);
        }
    }
    ::_exit(128 + signal_number);
}

}  // namespace

bool Remember_Scratch_File(const std::string& path) {
    if (path.size() >= PATH_MAX) {
        return false;
    }
    for (Slot& slot : slots) {
        bool expected = false;
        if (slot.in_use.compare_exchange_strong(expected, true)) {
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            slot.armed.store(true);
            return true;
        }
    }
    return false;
}

void Forget_Scratch_File(const std::string& path) {
    for (Slot& slot : slots) {
        if (slot.armed.load() && path == slot.path) {
            slot.armed.store(false);
            slot.in_use.store(false);
            return;
        }
    }
}

void Install_Termination_Cleanup() {
    struct sigaction action {};
    action.sa_handler = Remove_Scratch_Files_And_Exit;
    sigemptyset(&action.sa_mask);
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&action.sa_mask, signal_number);
    }
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        ::sigaction(signal_number, &action, nullptr);
    }
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace zaveze
