// SPDX-License-Identifier: MIT
// Failures in the middle of a run: each is reported, and no file of the user's is lost or left
// half-written. These would fail if the output were written in place or the scratch file left.

#include <gtest/gtest.h>
#include <unistd.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

#include "core/embed_file.h"
#include "core/engine/embedding_stream.h"
#include "core/files/file_descriptor.h"
#include "core/files/safe_output.h"
#include "core/input_check.h"
#include "core/messages.h"
#include "core/time_element.h"
#include "support/file_system_limits.h"
#include "support/temp_folder.h"

namespace zaveze::testing {
namespace {

const std::string kElement = Time_Element_Text({TimeMode::TimeSpan, "2007", "2008"});

// An input deleted, replaced by a folder or emptied after the check: the run says why, and
// nothing the user had is harmed or left behind.
TEST(EmbedFaults, AnInputChangedAfterTheCheck) {
    TempFolder folder;
    const std::string input = folder.File("trip.kml"), output = folder.File("trip out.kml");
    const std::string users_tmp = folder.File("trip out.tmp");
    Write_File(input, Big_Kml(1 << 20));
    Write_File(output, "the previous output");
    Write_File(users_tmp, "the user's own notes");
    ASSERT_EQ(Check_Input_File(input).verdict, InputVerdict::Accepted);
    const std::vector<std::pair<std::function<void()>, std::string>> changes = {
        {[&] { std::filesystem::remove(input); },
         "Sorry, the file " + input + " couldn't be read: No such file or directory"},
        {[&] { std::filesystem::create_directory(input); },
         "Sorry, the file " + input + " couldn't be read: Is a directory"},
        {[&] {
             std::filesystem::remove(input);
             Write_File(input, "");
         },
         std::string(messages::kNoContainerTag)},
    };
    for (const auto& [change, message] : changes) {
        change();
        EXPECT_EQ(Embed_Result_Message(Embed_File(input, output, kElement, Replacing::Allowed),
                                       input, output),
                  message);
        EXPECT_EQ(Read_File(output), "the previous output");
        EXPECT_EQ(Read_File(users_tmp), "the user's own notes");
        std::vector<std::string> names = folder.Names();
        std::erase(names, "trip.kml");
        EXPECT_EQ(names, (std::vector<std::string>{"trip out.kml", "trip out.tmp"}));
    }
}

// A file that takes the output's name while the run is writing is never overwritten without
// consent: the run reports it and drops its own output.
TEST(EmbedRace, AFileAppearingAtTheOutputDuringTheRunIsKept) {
    for (const auto limits : kEveryFileSystem) {
        const LimitedNaming naming(limits);
        TempFolder folder;
        const std::string fifo = folder.File("input.kml");
        const std::string output = folder.File("out.kml");
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        std::thread feeder([&] {
            const FileDescriptor writer(::open(fifo.c_str(), O_WRONLY));
            Write_All(writer.Get(), Big_Kml(1 << 20));
            Write_File(output, "written by somebody else meanwhile");
            Write_All(writer.Get(), "<Folder>\r\n");
        });
        const EmbedResult result =
            Embed_File(fifo, output, kElement, Replacing::Never, nullptr, naming);
        feeder.join();
        EXPECT_EQ(result.status, EmbedStatus::OutputExists);
        EXPECT_EQ(Embed_Result_Message(result, fifo, output),
                  "Sorry, the file " + output +
                      " already exists; it was left as it is and nothing was written.");
        EXPECT_EQ(Read_File(output), "written by somebody else meanwhile");
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"input.kml", "out.kml"}));
    }
}

// The output's folder moved away and a symbolic link to another folder put in its place while
// the run waits for its input: the output is named in the folder it was made in, on every kind
// of file system, and nothing in the other folder is made or replaced.
TEST(EmbedRace, AFolderSwappedForALinkMidwayIsNotFollowed) {
    for (const auto limits : kEveryFileSystem) {
        for (const Replacing replacing : {Replacing::Never, Replacing::Allowed}) {
            const LimitedNaming naming(limits);
            TempFolder root;
            const std::string out = root.File("out"), moved = root.File("out.real");
            const std::string victim = root.File("victim"), fifo = root.File("input.kml");
            std::filesystem::create_directory(out);
            std::filesystem::create_directory(victim);
            if (replacing == Replacing::Allowed) {
                Write_File(victim + "/trip.kml", "the other folder's file");
            }
            ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
            EmbedResult result;
            std::thread run([&] {
                result = Embed_File(fifo, out + "/trip.kml", kElement, replacing, nullptr, naming);
            });
            FileDescriptor writer(::open(fifo.c_str(), O_WRONLY));
            Write_All(writer.Get(), Big_Kml(1 << 20));
            std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the run is writing
            std::filesystem::rename(out, moved);
            std::filesystem::create_directory_symlink(victim, out);
            writer.Close();
            run.join();
            EXPECT_EQ(result.status, EmbedStatus::Written) << Name_Of(limits);
            EXPECT_EQ(Read_File(moved + "/trip.kml"), Embed_Text(Big_Kml(1 << 20), kElement).text);
            EXPECT_EQ(std::filesystem::exists(victim + "/trip.kml"),
                      replacing == Replacing::Allowed);
            if (replacing == Replacing::Allowed) {
                EXPECT_EQ(Read_File(victim + "/trip.kml"), "the other folder's file");
            }
        }
    }
}

TEST(EmbedRace, OfTwoRunsOntoOneNameExactlyOneWrites) {
    for (const auto limits : kEveryFileSystem) {
        const LimitedNaming naming(limits);
        TempFolder folder;
        const std::string input = folder.File("trip.kml");
        const std::string output = folder.File("out.kml");
        Write_File(input, Big_Kml(4 << 20));
        EmbedResult first, second;
        std::thread other([&] {
            second = Embed_File(input, output, kElement, Replacing::Never, nullptr, naming);
        });
        first = Embed_File(input, output, kElement, Replacing::Never, nullptr, naming);
        other.join();
        const std::multiset<EmbedStatus> statuses{first.status, second.status};
        EXPECT_EQ(statuses,
                  (std::multiset<EmbedStatus>{EmbedStatus::Written, EmbedStatus::OutputExists}))
            << Name_Of(limits);
        EXPECT_EQ(Read_File(output), Embed_Text(Read_File(input), kElement).text);
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"out.kml", "trip.kml"}));
    }
}

TEST(EmbedInput, TimeDataAfterTheContainerTagDropsTheUnfinishedOutput) {
    TempFolder folder;
    const std::string input = folder.File("trip.kml");
    Write_File(input, Big_Kml(2 << 20) + "<TimeSpan>");
    const EmbedResult result =
        Embed_File(input, folder.File("out.kml"), kElement, Replacing::Never);
    EXPECT_EQ(result.status, EmbedStatus::HasTimeData);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"trip.kml"});
}

}  // namespace
}  // namespace zaveze::testing
