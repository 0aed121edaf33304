// SPDX-License-Identifier: MIT
#include "core/files/termination_cleanup.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

namespace zaveze {
namespace {

// A fixed table, because a signal handler may neither allocate nor lock. A run has at most two
// names at a time (the scratch file, and the claim on the output's name or the link made just
// before a replacing rename).
struct Slot {
    std::atomic<bool> in_use{false};
    std::atomic<bool> armed{false};
    dev_t device = 0;
    ino_t inode = 0;
    char path[PATH_MAX];
};
std::array<Slot, 4> slots;

// lstat and unlink are safe in a signal handler.
extern "C" void Remove_Scratch_Files_And_Exit(int signal_number) {
    for (Slot& slot : slots) {
        struct stat status {};
        if (slot.armed.load() && ::lstat(slot.path, &status) == 0 && status.st_dev == slot.device &&
            status.st_ino == slot.inode) {
            ::unlink(slot.path);
        }
    }
    ::_exit(128 + signal_number);
}

}  // namespace

bool Remember_Scratch_File(const std::string& path, const platform::FileIdentity& file) {
    if (path.size() >= PATH_MAX) {
        return false;
    }
    for (Slot& slot : slots) {
        bool expected = false;
        if (slot.in_use.compare_exchange_strong(expected, true)) {
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            slot.device = static_cast<dev_t>(file.volume);
            slot.inode = static_cast<ino_t>(file.index);
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
