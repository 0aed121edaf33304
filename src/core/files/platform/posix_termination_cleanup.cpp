// SPDX-License-Identifier: MIT
#include "core/files/termination_cleanup.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <vector>

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

// lstat, unlink and raise are safe in a signal handler. The handler is installed to reset itself
// and not to block its own signal, so raising it again ends the process by that signal, as if no
// handler had run: a shell sees 128 + its number, and a loop in a script stops on Ctrl+C.
extern "C" void Remove_Scratch_Files_And_End(int signal_number) {
    for (Slot& slot : slots) {
        struct stat status {};
        if (slot.armed.load() && ::lstat(slot.path, &status) == 0 && status.st_dev == slot.device &&
            status.st_ino == slot.inode) {
            ::unlink(slot.path);
        }
    }
    ::raise(signal_number);
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitizerHandlesFaults = true;  // its reports need its own handlers
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kSanitizerHandlesFaults = true;
#else
constexpr bool kSanitizerHandlesFaults = false;
#endif
#else
constexpr bool kSanitizerHandlesFaults = false;
#endif

// Every signal whose default action ends the process, but SIGXFSZ and SIGPIPE (ignored) and
// SIGKILL (which nothing can catch).
std::vector<int> Ending_Signals() {
    std::vector<int> signals = {SIGHUP,  SIGINT,    SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGTERM,
                                SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,   SIGSYS,  SIGTRAP, SIGABRT};
#ifdef SIGPWR
    signals.push_back(SIGPWR);
#endif
#ifdef SIGSTKFLT
    signals.push_back(SIGSTKFLT);
#endif
    if (!kSanitizerHandlesFaults) {
        signals.insert(signals.end(), {SIGSEGV, SIGBUS, SIGILL, SIGFPE});
    }
    for (int real_time = SIGRTMIN; real_time <= SIGRTMAX; ++real_time) {
        signals.push_back(real_time);
    }
    return signals;
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
    const std::vector<int> signals = Ending_Signals();
    struct sigaction action {};
    action.sa_handler = Remove_Scratch_Files_And_End;
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    // While one handler removes the files, the other signals wait.
    sigemptyset(&action.sa_mask);
    for (const int signal_number : signals) {
        sigaddset(&action.sa_mask, signal_number);
    }
    for (const int signal_number : signals) {
        sigdelset(&action.sa_mask, signal_number);  // its own signal must end the process
        ::sigaction(signal_number, &action, nullptr);
        sigaddset(&action.sa_mask, signal_number);
    }
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace zaveze
