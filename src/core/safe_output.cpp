// SPDX-License-Identifier: MIT
#include "core/safe_output.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>

#include "core/messages.h"
#include "core/module1.h"
#include "core/output_target.h"
#include "core/termination_cleanup.h"

namespace zaveze {
namespace {

constexpr int kScratchAttempts = 1000;
std::atomic<bool> unnamed_files_allowed{true};

std::optional<WriteFailure> File_Failure(int error) {
    return WriteFailure{WriteFailure::Where::File, {}, Error_Text(error)};
}

// The folder of `path` as the user knows it: as given, or the current folder in full.
std::string Shown_Folder(const std::string& path) {
    std::string folder = Folder_Of(path);
    if (folder.size() > 1) {
        folder.pop_back();
    }
    if (!folder.empty()) {
        return folder;
    }
    std::error_code error;
    const auto current = std::filesystem::current_path(error);
    return error ? std::string(".") : current.string();
}

std::optional<WriteFailure> Folder_Failure(const std::string& path, int error) {
    return WriteFailure{WriteFailure::Where::Folder, Shown_Folder(path), Error_Text(error)};
}

// Whether O_TMPFILE failed because the file system (or kernel) has no unnamed files.
bool Unnamed_Files_Unsupported(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

std::string Opened_File_Link(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

// Gives the unnamed file `fd` the name `name`; fails with EEXIST when the name is taken.
bool Link_Into_Place(int fd, const std::string& name) {
    if (::linkat(AT_FDCWD, Opened_File_Link(fd).c_str(), AT_FDCWD, name.c_str(),
                 AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    if (errno != ENOENT) {
        return false;
    }
    // No /proc: the direct way, which needs more privilege.
    return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

// Renames `from` to `to` unless `to` exists; EEXIST when it does.
bool Rename_No_Replace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // File systems without RENAME_NOREPLACE: a hard link cannot replace anything either.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    ::unlink(from.c_str());
    return true;
}

}  // namespace

void Allow_Unnamed_Files(bool allowed) {
    unnamed_files_allowed = allowed;
}

std::string Scratch_Candidate(const std::string& path, int attempt, bool short_name) {
    const std::string stem =
        Folder_Of(path) + (short_name ? std::string("zaveze") : Module1::Get_Base_Name(path));
    return attempt == 0 && !short_name ? stem + ".tmp"
                                       : stem + "~" + std::to_string(attempt) + ".tmp";
}

// Tries the scratch names for the output in order until `take` makes a file under one (it
// returns 0, or the error number). The name taken is remembered for the signal handlers.
template <class Take>
int SafeOutput::Take_Scratch_Name(Take take) {
    bool short_name = false;
    for (int attempt = 0; attempt < kScratchAttempts; ++attempt) {
        const std::string candidate = Scratch_Candidate(path_, attempt, short_name);
        const bool remembered = Remember_Scratch_File(candidate);
        const int error = take(candidate);
        if (error == 0) {
            scratch_ = candidate;
            return 0;
        }
        if (remembered) {
            Forget_Scratch_File(candidate);
        }
        if (error == ENAMETOOLONG && !short_name) {
            short_name = true;  // a name that cannot take the suffix: short names from the start
            attempt = -1;
        } else if (error != EEXIST) {
            return error;
        }
    }
    return EEXIST;
}

SafeOutput::~SafeOutput() {
    file_.Close();
    Drop_Scratch();
}

void SafeOutput::Drop_Scratch() {
    if (!scratch_.empty()) {
        ::unlink(scratch_.c_str());
        Forget_Scratch_File(scratch_);
        scratch_.clear();
    }
}

std::optional<WriteFailure> SafeOutput::Create(const std::string& path) {
    path_ = path;
    if (unnamed_files_allowed) {
        const std::string folder = Folder_Of(path).empty() ? "." : Folder_Of(path);
        const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            file_ = FileDescriptor(fd);
            return std::nullopt;
        }
        if (!Unnamed_Files_Unsupported(errno)) {
            return Folder_Failure(path, errno);
        }
    }
    return Create_Named();
}

std::optional<WriteFailure> SafeOutput::Create_Named() {
    const int error = Take_Scratch_Name([this](const std::string& candidate) {
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            return errno;
        }
        file_ = FileDescriptor(fd);
        return 0;
    });
    return error == 0 ? std::nullopt : Folder_Failure(path_, error);
}

// A replaced file's permissions, owner and group pass to the new one, and the new content is on
// the disk before the old content goes.
std::optional<WriteFailure> SafeOutput::Keep_Attributes_Of_Replaced() {
    struct stat replaced {};
    if (::stat(path_.c_str(), &replaced) != 0) {
        return std::nullopt;  // nothing is replaced after all
    }
    if (!S_ISREG(replaced.st_mode)) {
        return WriteFailure{WriteFailure::Where::File, {}, std::string(messages::kNotRegularFile)};
    }
    // Only a privileged process may give a file away; for the others the owner is themselves.
    if (::fchown(file_.Get(), replaced.st_uid, replaced.st_gid) != 0 && errno != EPERM) {
        return File_Failure(errno);
    }
    if (::fchmod(file_.Get(), replaced.st_mode & 07777) != 0 || ::fsync(file_.Get()) != 0) {
        return File_Failure(errno);
    }
    return std::nullopt;
}

// An unnamed file can only replace another by a rename, and a rename needs a name to start from.
std::optional<WriteFailure> SafeOutput::Make_Link_For_Replacing() {
    const int error = Take_Scratch_Name([this](const std::string& candidate) {
        return Link_Into_Place(file_.Get(), candidate) ? 0 : errno;
    });
    return error == 0 ? std::nullopt : File_Failure(error);
}

std::optional<WriteFailure> SafeOutput::Link_Unnamed(const std::string& name) {
    if (Link_Into_Place(file_.Get(), name)) {
        return std::nullopt;
    }
    if (errno == EEXIST) {
        return WriteFailure{WriteFailure::Where::NameTaken, {}, Error_Text(EEXIST)};
    }
    return File_Failure(errno);
}

std::optional<WriteFailure> SafeOutput::Commit(Replacing replacing) {
    const bool unnamed = scratch_.empty();
    if (replacing == Replacing::Allowed) {
        if (auto failure = Keep_Attributes_Of_Replaced()) {
            return failure;
        }
        if (unnamed) {
            if (auto failure = Make_Link_For_Replacing()) {
                return failure;
            }
        }
    } else if (unnamed) {
        if (auto failure = Link_Unnamed(path_)) {
            return failure;
        }
    }
    // The close can be the first report of a failed write (on network file systems), so it comes
    // before the name is given where it can.
    if (!file_.Close()) {
        const int error = errno;
        if (unnamed && replacing == Replacing::Never) {
            ::unlink(path_.c_str());  // the name was given a moment ago, to this broken file
        }
        return File_Failure(error);
    }
    if (unnamed && replacing == Replacing::Never) {
        return std::nullopt;
    }
    const bool renamed = replacing == Replacing::Allowed
                             ? ::rename(scratch_.c_str(), path_.c_str()) == 0
                             : Rename_No_Replace(scratch_, path_);
    if (!renamed) {
        if (errno == EEXIST) {
            return WriteFailure{WriteFailure::Where::NameTaken, {}, Error_Text(EEXIST)};
        }
        return File_Failure(errno);
    }
    Forget_Scratch_File(scratch_);
    scratch_.clear();
    return std::nullopt;
}

}  // namespace zaveze
