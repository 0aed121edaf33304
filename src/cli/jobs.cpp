// SPDX-License-Identifier: MIT
#include "cli/jobs.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "core/files/input_file.h"
#include "core/files/output_target.h"
#include "core/files/platform/paths.h"
#include "core/output_naming.h"

namespace zaveze::cli {
namespace {

bool Is_Folder(const std::string& path) {
    const auto status = platform::Status_Of_Path(path, true);
    return status && status->kind == platform::FileKind::Directory;
}

// The automatic name of `input`'s output, beside it or in `folder`.
std::string Automatic_Output(const Options& options, const std::string& input,
                             const std::string* folder) {
    if (input == kStandardStream) {
        throw UsageError{"standard input (-) has no name to make an output name from: give OUTPUT"};
    }
    const std::string placed =
        folder == nullptr ? input : platform::In_Folder(*folder, platform::File_Name_Of(input));
    return options.each
               ? Timed_Output_Name(placed)
               : Auto_Output_Name(placed, options.mode, options.begin_date, options.end_date);
}

// One spelling for one place: two names of the same file compare equal.
std::string Place_Of(const std::string& path) {
    if (const auto identity = Identity_Of(path)) {
        std::string place = "#";
        place += std::to_string(identity->volume);
        place += ':';
        place += std::to_string(identity->index);
        return place;
    }
    std::error_code ignored;
    return std::filesystem::absolute(path, ignored).lexically_normal().string();
}

void Mark_Conflicts(std::vector<Job>& jobs) {
    std::map<std::string, std::vector<std::size_t>> by_output;
    std::map<std::string, std::size_t> by_input;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (!jobs[i].To_Standard_Output()) {
            by_output[Place_Of(jobs[i].output)].push_back(i);
        }
        if (!jobs[i].From_Standard_Input()) {
            by_input.emplace(Place_Of(jobs[i].input), i);
        }
    }
    for (const auto& [place, indices] : by_output) {
        if (indices.size() > 1) {
            for (const std::size_t i : indices) {
                jobs[i].conflict = "is the output of more than one input; none of them is written";
            }
        }
        const auto input = by_input.find(place);
        if (input != by_input.end()) {
            for (const std::size_t i : indices) {
                if (i != input->second) {
                    jobs[i].conflict = "is also one of the inputs; it is not written";
                }
            }
        }
    }
}

}  // namespace

std::vector<Job> Plan_Jobs(const Options& options) {
    std::vector<std::string> inputs = options.names;
    std::vector<Job> jobs;
    if (options.target_folder) {
        if (!Is_Folder(*options.target_folder)) {
            throw UsageError{"--target-directory: '" + *options.target_folder +
                             "' is not an existing folder"};
        }
        for (const std::string& input : inputs) {
            jobs.push_back({input, Automatic_Output(options, input, &*options.target_folder), {}});
        }
    } else if (inputs.size() == 1) {
        jobs.push_back({inputs[0], Automatic_Output(options, inputs[0], nullptr), {}});
    } else if (inputs.size() == 2 && (inputs[1] == kStandardStream || !Is_Folder(inputs[1]))) {
        jobs.push_back({inputs[0], inputs[1], {}});
    } else {
        const std::string folder = inputs.back();
        if (!Is_Folder(folder)) {
            throw UsageError{"with more than two names the last must be an existing folder: '" +
                             folder + "' is not"};
        }
        inputs.pop_back();
        for (const std::string& input : inputs) {
            jobs.push_back({input, Automatic_Output(options, input, &folder), {}});
        }
    }
    if (std::count_if(jobs.begin(), jobs.end(),
                      [](const Job& job) { return job.From_Standard_Input(); }) > 1) {
        throw UsageError{"standard input (-) can be read only once"};
    }
    Mark_Conflicts(jobs);
    return jobs;
}

std::string Shown_Input(const Job& job) {
    return job.From_Standard_Input() ? "standard input" : platform::Shown_Path(job.input);
}

std::string Shown_Output(const Job& job) {
    return job.To_Standard_Output() ? "standard output" : platform::Shown_Path(job.output);
}

}  // namespace zaveze::cli
