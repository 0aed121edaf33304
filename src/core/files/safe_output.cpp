// SPDX-License-Identifier: MIT
#include "core/files/safe_output.h"

#include <filesystem>

#include "core/files/output_target.h"
#include "core/files/termination_cleanup.h"
#include "core/messages.h"
#include "core/module1.h"

namespace zaveze {
namespace {

constexpr int kScratchAttempts = 1000;

std::optional<WriteFailure> File_Failure(int error) {
    return WriteFailure{WriteFailure::Where::File, {}, Error_Text(error)};
}

// The folder of `path` as the user knows it: as given, or the current folder in full.
std::string Shown_Folder(const std::string& path) {
    std::string folder = platform::Folder_Of(path);
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

std::optional<WriteFailure> Name_Taken() {
    return WriteFailure{WriteFailure::Where::NameTaken, {}, Error_Text(EEXIST)};
}

std::optional<WriteFailure> Folder_Failure(const std::string& path, int error) {
    return WriteFailure{WriteFailure::Where::Folder, Shown_Folder(path), Error_Text(error)};
}

}  // namespace

std::string Scratch_Candidate(const std::string& path, int attempt, bool short_name) {
    const std::string stem = platform::Folder_Of(path) +
                             (short_name ? std::string("zaveze") : Module1::Get_Base_Name(path));
    return attempt == 0 && !short_name ? stem + ".tmp"
                                       : stem + "~" + std::to_string(attempt) + ".tmp";
}

std::optional<std::string> Stopped_Run_Scratch(const std::string& path) {
    const auto claim = platform::Status_Of_Path(path, false);
    if (!claim || claim->kind != platform::FileKind::Regular || claim->size != 0) {
        return std::nullopt;
    }
    for (const bool short_name : {false, true}) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            const std::string candidate = Scratch_Candidate(path, attempt, short_name);
            const auto scratch = platform::Status_Of_Path(candidate, false);
            if (scratch && scratch->kind == platform::FileKind::Regular) {
                return candidate;
            }
        }
    }
    return std::nullopt;
}

// Tries the scratch names for the output in order until `take` gives the output file one (it
// returns 0, or the error number). The name taken is remembered for the signal handlers.
template <class Take>
int SafeOutput::Take_Scratch_Name(Take take) {
    bool short_name = false;
    for (int attempt = 0; attempt < kScratchAttempts; ++attempt) {
        const std::string candidate =
            Scratch_Candidate(path_, attempt, short_name).substr(folder_.Path().size());
        const int error = take(candidate);
        if (error == 0) {
            scratch_ = candidate;
            if (const auto made = platform::Status_Of(file_.Get())) {
                Remember_Scratch_File(folder_.Path() + candidate, made->identity);
            }
            return 0;
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
        platform::Remove(folder_, scratch_);
        Forget_Scratch_File(folder_.Path() + scratch_);
        scratch_.clear();
    }
}

std::optional<WriteFailure> SafeOutput::Create(const std::string& path, std::uint32_t permissions) {
    path_ = path;
    // The folder is held from here on, so that the file is named where it was made.
    if (!folder_.Open(platform::Folder_Of(path))) {
        return Folder_Failure(path, errno);
    }
    name_ = path.substr(folder_.Path().size());
    const int fd = naming_.Create_Unnamed(folder_, permissions);
    if (fd >= 0) {
        file_ = FileDescriptor(fd);
        return std::nullopt;
    }
    if (errno != EOPNOTSUPP) {  // other than a file system without unnamed files
        return Folder_Failure(path, errno);
    }
    return Create_Named(permissions);
}

std::optional<WriteFailure> SafeOutput::Create_Named(std::uint32_t permissions) {
    const int error = Take_Scratch_Name([&](const std::string& candidate) {
        const int fd = platform::Create_New(folder_, candidate, permissions);
        if (fd < 0) {
            return errno;
        }
        file_ = FileDescriptor(fd);
        return 0;
    });
    return error == 0 ? std::nullopt : Folder_Failure(path_, error);
}

// A replaced file's permissions, owner and group pass to the new one.
std::optional<WriteFailure> SafeOutput::Keep_Attributes_Of_Replaced() {
    const auto replaced = platform::Status_Of_Name(folder_, name_, true);
    if (!replaced) {
        return std::nullopt;  // nothing is replaced after all
    }
    if (replaced->kind != platform::FileKind::Regular) {
        return WriteFailure{WriteFailure::Where::File, {}, std::string(messages::kNotRegularFile)};
    }
    if (!platform::Take_Attributes(file_.Get(), *replaced)) {
        return File_Failure(errno);
    }
    return std::nullopt;
}

// An unnamed file can only replace another by a rename, and a rename needs a name to start from.
std::optional<WriteFailure> SafeOutput::Make_Link_For_Replacing() {
    const int error = Take_Scratch_Name([this](const std::string& candidate) {
        return platform::Give_Name(file_.Get(), folder_, candidate) ? 0 : errno;
    });
    return error == 0 ? std::nullopt : File_Failure(error);
}

std::optional<WriteFailure> SafeOutput::Link_Unnamed() {
    if (platform::Give_Name(file_.Get(), folder_, name_)) {
        return std::nullopt;
    }
    return errno == EEXIST ? Name_Taken() : File_Failure(errno);
}

// File systems with neither links nor renames that refuse to replace (exFAT, FAT, many network
// shares) still create a file only where its name is free. So the output's name is claimed by an
// empty file of our own, and the finished scratch file is renamed over that claim. Between the
// claim and the rename, the name holds an empty file; a claim that someone removed and replaced
// meanwhile is theirs, and is left alone.
std::optional<WriteFailure> SafeOutput::Rename_Over_Claim() {
    const int claim = platform::Create_New(folder_, name_);
    if (claim < 0) {
        return errno == EEXIST ? Name_Taken() : File_Failure(errno);
    }
    const auto claimed = platform::Status_Of(claim);
    const int status_error = errno;
    platform::Close(claim);
    if (!claimed) {
        platform::Remove(folder_, name_);
        return File_Failure(status_error);
    }
    Remember_Scratch_File(path_, claimed->identity);
    const auto still_ours = [&] {
        const auto now = platform::Status_Of_Name(folder_, name_, false);
        return now && now->identity == claimed->identity;
    };
    std::optional<WriteFailure> failure;
    if (!still_ours()) {
        failure = Name_Taken();
    } else if (!platform::Rename_Replacing(folder_, scratch_, name_)) {
        failure = File_Failure(errno);
        if (still_ours()) {
            platform::Remove(folder_, name_);
        }
    }
    Forget_Scratch_File(path_);
    return failure;
}

std::optional<WriteFailure> SafeOutput::Rename_Scratch(Replacing replacing) {
    if (replacing == Replacing::Allowed) {
        return platform::Rename_Replacing(folder_, scratch_, name_) ? std::nullopt
                                                                    : File_Failure(errno);
    }
    if (naming_.Rename_No_Replace(folder_, scratch_, name_)) {
        return std::nullopt;
    }
    if (errno == EOPNOTSUPP) {
        return Rename_Over_Claim();
    }
    return errno == EEXIST ? Name_Taken() : File_Failure(errno);
}

std::optional<WriteFailure> SafeOutput::Commit(Replacing replacing) {
    if (auto failure = Name_Finished_File(replacing)) {
        return failure;
    }
    // The new name itself reaches the disk too, where the system lets a folder be flushed.
    platform::Flush_Folder(folder_);
    return std::nullopt;
}

std::optional<WriteFailure> SafeOutput::Name_Finished_File(Replacing replacing) {
    const bool unnamed = scratch_.empty();
    if (replacing == Replacing::Allowed) {
        if (auto failure = Keep_Attributes_Of_Replaced()) {
            return failure;
        }
    }
    // The content is on the disk before any name stands for it: a power cut then leaves the old
    // file or the whole new one under the name, never an empty or partial one.
    if (!platform::Flush(file_.Get())) {
        return File_Failure(errno);
    }
    if (replacing == Replacing::Allowed) {
        if (unnamed) {
            if (auto failure = Make_Link_For_Replacing()) {
                return failure;
            }
        }
    } else if (unnamed) {
        if (auto failure = Link_Unnamed()) {
            return failure;
        }
    }
    // The close can be the first report of a failed write (on network file systems), so it comes
    // before the name is given where it can.
    if (!file_.Close()) {
        const int error = errno;
        if (unnamed && replacing == Replacing::Never) {
            platform::Remove(folder_, name_);  // the name was given a moment ago, to this file
        }
        return File_Failure(error);
    }
    if (unnamed && replacing == Replacing::Never) {
        return std::nullopt;
    }
    if (auto failure = Rename_Scratch(replacing)) {
        return failure;
    }
    Forget_Scratch_File(folder_.Path() + scratch_);
    scratch_.clear();
    return std::nullopt;
}

}  // namespace zaveze
