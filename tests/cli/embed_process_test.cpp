// SPDX-License-Identifier: MIT
// zaveze-embed as a separate process, the way scripts and users meet it: signals midway, a
// file-size limit, pipes and FIFOs as input, and standard output that cannot be written.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <thread>

#include "core/embed_file.h"
#include "core/engine/embedding_stream.h"
#include "core/files/safe_output.h"
#include "core/files/termination_cleanup.h"
#include "core/time_element.h"
#include "support/file_system_limits.h"
#include "support/temp_folder.h"

namespace zaveze::testing {
namespace {

using namespace std::chrono_literals;

const std::string kElement = Time_Element_Text({TimeMode::TimeSpan, "2007", ""});

struct Ending {
    int exit_code = -1;  // when the process exited
    int signal = 0;      // when a signal ended it
};

Ending Wait_For(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
        return {-1, WTERMSIG(status)};
    }
    return {WEXITSTATUS(status), 0};
}

struct Redirects {
    int in = -1, out = -1, err = -1;
    rlim_t file_size_limit = RLIM_INFINITY;
};

// Starts zaveze-embed with `args`, standard streams as given (-1: as the test's own).
pid_t Start_Embed(const std::vector<std::string>& args, const Redirects& redirects) {
    const pid_t child = ::fork();
    if (child == 0) {
        // What the tool tells a person is not part of the test's own output.
        const int out = redirects.out >= 0 ? redirects.out : ::open("/dev/null", O_WRONLY);
        for (const auto& [from, to] : {std::pair{redirects.in, 0}, {out, 1}, {redirects.err, 2}}) {
            if (from >= 0) {
                ::dup2(from, to);
            }
        }
        std::signal(SIGXFSZ, SIG_DFL);
        std::signal(SIGPIPE, SIG_DFL);
        const rlimit limit{redirects.file_size_limit, redirects.file_size_limit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::vector<char*> argv{const_cast<char*>(ZAVEZE_EMBED_PROGRAM)};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(ZAVEZE_EMBED_PROGRAM, argv.data());
        ::_exit(127);
    }
    return child;
}

class EmbedProcess : public ::testing::Test {
  protected:
    TempFolder folder, logs;
    std::string fifo = folder.File("input.kml");
    std::string output = folder.File("out.kml");
    std::string err_log = logs.File("err");
    void SetUp() override {
        std::signal(SIGPIPE, SIG_IGN);  // a run that ends early must not end the test with it
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    }

    // Runs zaveze-embed to its end, its standard error into `err_log`.
    Ending Run(const std::vector<std::string>& args, Redirects redirects = {}) {
        const FileDescriptor err(::open(err_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
        redirects.err = err.Get();
        return Wait_For(Start_Embed(args, redirects));
    }

    // Starts a run that reads the FIFO, feeds it half a file, and leaves it waiting for more.
    pid_t Start_Stalled_Run(const std::vector<std::string>& args, FileDescriptor& writer) {
        const FileDescriptor err(::open(err_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
        const pid_t child = Start_Embed(args, {-1, -1, err.Get()});
        writer = FileDescriptor(::open(fifo.c_str(), O_WRONLY));
        EXPECT_TRUE(Write_All(writer.Get(), Big_Kml(1 << 20)));
        std::this_thread::sleep_for(200ms);  // the run reads and writes what it got
        return child;
    }
};

TEST_F(EmbedProcess, SignalsMidwayLeaveNothingAndTheOldOutputSurvives) {
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
        Write_File(output, "the previous output");
        FileDescriptor writer;
        const pid_t child = Start_Stalled_Run({"--force", "--begin", "2007", fifo, output}, writer);
        ::kill(child, signal_number);
        const Ending ending = Wait_For(child);
        EXPECT_EQ(ending.signal, signal_number) << strsignal(signal_number);
        EXPECT_EQ(Read_File(output), "the previous output");
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"input.kml", "out.kml"}))
            << strsignal(signal_number);
    }
}

// A power cut must find under the output's name the old file or the whole new one. What reaches
// the disk cannot be watched from here, so the system calls are: the file is flushed before it
// gets its name (a link, or a rename when it replaces a file), and its folder after.
TEST_F(EmbedProcess, TheContentReachesTheDiskBeforeItsName) {
    ASSERT_EQ(std::system("command -v strace >/dev/null"), 0)
        << "strace is missing: tools/test installs it";
    const std::string input = folder.File("trip.kml"), calls_log = logs.File("calls");
    Write_File(input, Big_Kml(1 << 20));
    for (const std::string force : {"", "--force"}) {
        const std::string command =
            // LeakSanitizer, in sanitized builds, cannot work under strace.
            "ASAN_OPTIONS=detect_leaks=0 strace -f -qq -e "
            "trace=fsync,fdatasync,linkat,rename,renameat,renameat2 -o '" +
            calls_log + "' " ZAVEZE_EMBED_PROGRAM " -q " + force + " --begin 2007 '" + input +
            "' '" + output + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        // The calls in order, by name: "fsync", "linkat", "rename", ...
        std::vector<std::string> calls;
        std::istringstream log(Read_File(calls_log));
        for (std::string pid, call; log >> pid && std::getline(log, call);) {
            const std::size_t name = call.find_first_not_of(' ');
            calls.push_back(call.substr(name, call.find('(') - name));
        }
        const auto naming = [](const std::string& call) {
            return call == "linkat" || call.starts_with("rename");
        };
        const auto first_name = std::find_if(calls.begin(), calls.end(), naming);
        const auto last_name = std::find_if(calls.rbegin(), calls.rend(), naming);
        ASSERT_NE(first_name, calls.end()) << force;
        EXPECT_NE(std::find(calls.begin(), first_name, "fsync"), first_name) << force;
        EXPECT_NE(std::find(calls.rbegin(), last_name, "fsync"), last_name) << force;
        EXPECT_EQ(Read_File(output), Embed_Text(Read_File(input), kElement).text);
    }
}

TEST_F(EmbedProcess, AFileSizeLimitIsReportedAsAFailedWrite) {
    const std::string input = folder.File("big.kml");
    Write_File(input, Big_Kml(1 << 20));
    Write_File(output, "the previous output");
    const Ending ending =
        Run({"--force", "--begin", "2007", input, output}, {.file_size_limit = 100 << 10});
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 3);
    EXPECT_EQ(Read_File(err_log), "zaveze-embed: " + output + ": Sorry, the file " + output +
                                      " couldn't be written: File too large\n");
    EXPECT_EQ(Read_File(output), "the previous output");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"big.kml", "input.kml", "out.kml"}));
}

TEST_F(EmbedProcess, AFullOrClosedStandardOutputIsAnError) {
    const FileDescriptor full(::open("/dev/full", O_WRONLY));
    EXPECT_EQ(Run({"--help"}, {.out = full.Get()}).exit_code, 3);
    EXPECT_EQ(Read_File(err_log),
              "zaveze-embed: standard output couldn't be written: No space left on device\n");

    const std::string input = folder.File("trip.kml");
    Write_File(input, "<Document>");
    int pipe_ends[2];
    ASSERT_EQ(::pipe2(pipe_ends, O_CLOEXEC), 0);
    ::close(pipe_ends[0]);  // nobody reads what the tool says
    const Ending ending = Run({"--begin", "2007", input, output}, {.out = pipe_ends[1]});
    ::close(pipe_ends[1]);
    EXPECT_EQ(ending.exit_code, 3);
    EXPECT_EQ(Read_File(err_log),
              "zaveze-embed: standard output couldn't be written: Broken pipe\n");
    EXPECT_EQ(Read_File(output), Embed_Text("<Document>", kElement).text);
}

// `cat in.kml | zaveze-embed --begin 2007 - - > out.kml`
TEST_F(EmbedProcess, FromAPipeToStandardOutput) {
    const std::string accepted = Big_Kml(300 << 10);
    for (const std::string& input : {accepted, accepted + "<TimeSpan>"}) {
        int pipe_ends[2];
        ASSERT_EQ(::pipe2(pipe_ends, O_CLOEXEC), 0);
        const std::string result = logs.File("out");
        const FileDescriptor out(::open(result.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
        const FileDescriptor err(::open(err_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
        const pid_t child =
            Start_Embed({"--begin", "2007", "-", "-"}, {pipe_ends[0], out.Get(), err.Get()});
        ::close(pipe_ends[0]);
        EXPECT_TRUE(Write_All(pipe_ends[1], input));
        ::close(pipe_ends[1]);
        const Ending ending = Wait_For(child);
        if (input == accepted) {
            EXPECT_EQ(ending.exit_code, 0);
            EXPECT_EQ(Read_File(result), Embed_Text(input, kElement).text);
            EXPECT_EQ(Read_File(err_log), "");
        } else {
            EXPECT_EQ(ending.exit_code, 1);
            EXPECT_EQ(Read_File(result), "");  // nothing went out before the refusal
            EXPECT_EQ(Read_File(err_log),
                      "zaveze-embed: standard input: This file appears to already have time data "
                      "embedded in it\n");
        }
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"input.kml"});
}

// Where the file system has no unnamed files, the scratch name is removed whichever signal ends
// the run, and the run ends by that signal.
TEST_F(EmbedProcess, AScratchNameIsRemovedWhenASignalEndsTheRun) {
    for (const auto limits : {FileSystemLimits::NoUnnamedFiles, FileSystemLimits::NoLinks}) {
        for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM,
                                        SIGVTALRM, SIGABRT, SIGRTMIN + 2}) {
            const pid_t child = ::fork();
            if (child == 0) {
                const rlimit no_core{0, 0};  // SIGQUIT and SIGABRT would dump one
                ::setrlimit(RLIMIT_CORE, &no_core);
                Install_Termination_Cleanup();
                Embed_File(fifo, output, kElement, Replacing::Never, nullptr,
                           LimitedNaming(limits));
                ::_exit(0);
            }
            const FileDescriptor writer(::open(fifo.c_str(), O_WRONLY));
            EXPECT_TRUE(Write_All(writer.Get(), Big_Kml(1 << 20)));
            for (int wait = 0; wait < 100 && folder.Names().size() < 2; ++wait) {
                std::this_thread::sleep_for(20ms);
            }
            EXPECT_EQ(folder.Names(), (std::vector<std::string>{"input.kml", "out.tmp"}));
            ::kill(child, signal_number);
            EXPECT_EQ(Wait_For(child).signal, signal_number) << strsignal(signal_number);
            EXPECT_EQ(folder.Names(), std::vector<std::string>{"input.kml"})
                << strsignal(signal_number);
        }
    }
}

// A signal removes a remembered name only while it names the file this process made there: the
// empty claim on an output's name goes; a finished output renamed over its claim, or another
// program's file that took a scratch name meanwhile, stays.
TEST(TerminationCleanup, RemovesOnlyTheFilesItMade) {
    TempFolder folder;
    const std::string claim = folder.File("claim.kml"), output = folder.File("out.kml");
    const std::string finished = folder.File("out.tmp");
    const pid_t child = ::fork();
    if (child == 0) {
        Install_Termination_Cleanup();
        for (const std::string& name : {claim, output}) {
            const FileDescriptor made(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600));
            Remember_Scratch_File(name, platform::Status_Of(made.Get())->identity);
        }
        Write_File(finished, "finished");
        std::filesystem::rename(finished, output);
        ::raise(SIGTERM);
        ::_exit(0);
    }
    EXPECT_EQ(Wait_For(child).signal, SIGTERM);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.kml"});
    EXPECT_EQ(Read_File(output), "finished");
}

}  // namespace
}  // namespace zaveze::testing
