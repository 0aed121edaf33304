// SPDX-License-Identifier: MIT
// Runs a command and prints what it cost besides time:
//   zaveze-bench-measure COMMAND [ARGUMENTS...]
// prints "PEAK_KIB READ_BYTES EXIT_STATUS" on standard error: the command's peak resident memory,
// and the bytes it read through read() and the like (rchar of /proc/PID/io, read while the ended
// command still waits to be reaped, so its counters are final).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s COMMAND [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::execvp(argv[1], argv + 1);
        ::_exit(127);
    }
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT);
    unsigned long long read_bytes = 0;
    std::ifstream io("/proc/" + std::to_string(child) + "/io");
    for (std::string key; io >> key;) {
        unsigned long long value = 0;
        io >> value;
        if (key == "rchar:") {
            read_bytes = value;
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    std::fprintf(stderr, "%ld %llu %d\n", usage.ru_maxrss, read_bytes,
                 WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    return 0;
}
