// SPDX-License-Identifier: MIT
#pragma once
// A new output file that appears under its name whole or not at all.
//
// The file is made in the folder of its final name, held open so that a folder moved or replaced
// by a symbolic link meanwhile does not send it elsewhere, unnamed where the system can (Linux's
// O_TMPFILE: whatever ends the process, even a power cut, leaves nothing behind), else under a
// scratch name that a signal handler removes (see files/termination_cleanup.h). Only Commit gives
// it its name: without consent it never takes a name that another file has by then (through a link,
// a rename that refuses to replace, or on file systems with neither, a rename over an empty
// claim of the name); with consent it replaces that file in one step, keeping its permissions,
// owner and group.

#include <cstdint>
#include <optional>
#include <string>

#include "core/files/file_descriptor.h"
#include "core/files/platform/file_system.h"

namespace zaveze {

enum class Replacing {
    Never,    // a file that has the name by the end is left alone, and the new one is dropped
    Allowed,  // the user agreed to replace a file of that name
};

struct WriteFailure {
    enum class Where {
        File,      // writing or naming the file failed
        Folder,    // no new file could be made in the folder
        NameTaken  // without consent, and another file had the name by the end
    };
    Where where = Where::File;
    std::string folder;  // for Where::Folder, the folder as the user may recognise it
    std::string reason;
};

class SafeOutput {
  public:
    // `naming`: how new files are made and named here; the system's own unless a test says.
    explicit SafeOutput(const platform::FileNaming& naming = platform::System_File_Naming())
        : naming_(naming) {}
    SafeOutput(const SafeOutput&) = delete;
    SafeOutput& operator=(const SafeOutput&) = delete;
    ~SafeOutput();  // drops a file that was never committed

    // Makes the new, still nameless file that is to become `path` (symbolic links already
    // followed), with `permissions` less the umask, as cp gives a copy its source's.
    std::optional<WriteFailure> Create(const std::string& path,
                                       std::uint32_t permissions = platform::kNewFilePermissions);
    int Fd() const { return file_.Get(); }

    // Gives the finished file its name and closes it.
    std::optional<WriteFailure> Commit(Replacing replacing);

  private:
    std::optional<WriteFailure> Create_Named(std::uint32_t permissions);
    std::optional<WriteFailure> Name_Finished_File(Replacing replacing);
    template <class Take>
    int Take_Scratch_Name(Take take);
    std::optional<WriteFailure> Link_Unnamed();
    std::optional<WriteFailure> Rename_Scratch(Replacing replacing);
    std::optional<WriteFailure> Rename_Over_Claim();
    std::optional<WriteFailure> Make_Link_For_Replacing();
    std::optional<WriteFailure> Keep_Attributes_Of_Replaced();
    void Drop_Scratch();

    const platform::FileNaming& naming_;
    std::string path_;
    platform::Folder folder_;  // the output's folder, held from Create on
    std::string name_;         // the output's name in it
    FileDescriptor file_;
    std::string scratch_;  // the scratch name in the folder, while there is one
};

// A scratch file that a run stopped while it named `path` may have left beside it, on a file
// system without links: `path` is then an empty file (that run's claim on the name), and a
// scratch name beside it holds a file, possibly the whole output. None when it does not look so.
std::optional<std::string> Stopped_Run_Scratch(const std::string& path);

// The scratch names tried for `path`, in order: beside it, with its base name and ".tmp", then
// "~N.tmp"; when such a name would be too long for the folder, short ones ("zaveze~N.tmp").
std::string Scratch_Candidate(const std::string& path, int attempt, bool short_name);

}  // namespace zaveze
