// SPDX-License-Identifier: MIT
#include "cli/options.h"

#include <getopt.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "core/files/platform/file_system.h"
#include "datetime/date_text.h"
#include "datetime/time_texts.h"
#include "datetime/time_zones.h"
#include "datetime/year_validation.h"

namespace zaveze::cli {
namespace {

// A date argument in the form the window would build it, or the reason it is not one.
std::string Date_Argument(const std::string& option, const std::string& value) {
    const auto parts = Parse_Date_Text(value);
    if (!parts || Validate_Year(parts->year) != YearVerdict::Accepted) {
        throw UsageError{"--" + option + ": '" + value +
                         "' is not a date (YEAR, YEAR-MM or YEAR-MM-DD with a year other than 0, "
                         "a month 01 to 12 and a day the month has)"};
    }
    return Build_Date_Text(*parts);
}

void Check_Time(const std::string& option, const std::optional<std::string>& value) {
    if (value && !Is_24_Hour_Time(*value)) {
        throw UsageError{"--" + option + ": '" + *value +
                         "' is not a time HH:MM:SS (00:00:00 to 23:59:59)"};
    }
}

// The name of a long option as typed, without "--" and without a value after "=".
std::string_view Typed_Option_Name(std::string_view word) {
    word.remove_prefix(std::min<std::size_t>(2, word.size()));
    return word.substr(0, word.find('='));
}

// Why getopt_long stopped at `word`: an unknown option, an abbreviation of more than one, or a
// value given to an option that takes none.
std::string Bad_Option_Text(std::string_view word, const option* long_options) {
    if (!word.starts_with("--")) {
        return "unknown option '" + std::string(word) + "'";
    }
    const std::string name(Typed_Option_Name(word));
    int matches = 0;
    for (const option* candidate = long_options; candidate->name != nullptr; ++candidate) {
        if (name == candidate->name) {
            matches = 1;
            break;
        }
        matches += std::string_view(candidate->name).starts_with(name) ? 1 : 0;
    }
    if (name.empty() || matches == 0) {
        return "unknown option '--" + name + "'";
    }
    if (matches > 1) {
        return "ambiguous option '--" + name + "'";
    }
    return "option '--" + name + "' takes no value";
}

void Check_Source(const std::string& option, const std::optional<std::string>& value) {
    if (value && !Read_Time_Source(*value)) {
        throw UsageError{"--" + option + ": '" + *value +
                         "' is no source; use data:NAME (an ExtendedData field), name or "
                         "description"};
    }
}

// --each takes every date from the features; the whole-file options go without it.
void Check_Each_Options(const Options& options) {
    const bool sources = options.stamp_from || options.begin_from || options.end_from;
    if (!options.each) {
        if (sources) {
            throw UsageError{"--stamp-from, --begin-from and --end-from go with --each"};
        }
        return;
    }
    if (options.stamp || options.begin || options.end || options.time || options.end_time) {
        throw UsageError{
            "--each takes each feature's dates from its own data: it goes without "
            "--stamp, --begin, --end, --time and --end-time"};
    }
    if (!sources) {
        throw UsageError{"--each needs --stamp-from SOURCE, or --begin-from and --end-from"};
    }
    if (options.stamp_from && (options.begin_from || options.end_from)) {
        throw UsageError{"--stamp-from cannot be combined with --begin-from or --end-from"};
    }
    Check_Source("stamp-from", options.stamp_from);
    Check_Source("begin-from", options.begin_from);
    Check_Source("end-from", options.end_from);
}

enum OptionCode : int {
    kStamp = 1000,
    kBegin,
    kEnd,
    kTime,
    kEndTime,
    kZone,
    kForce = 'f',
    kHelpOption = 'h',
    kVersion = 'V',
    kQuiet = 'q',
    kNoClobber = 'n',
    kTargetFolder = 't',
    kDryRun = 2000,
    kEach,
    kStampFrom,
    kBeginFrom,
    kEndFrom,
    kKeepLayout,
};

const option kLongOptions[] = {
    {"stamp", required_argument, nullptr, kStamp},
    {"begin", required_argument, nullptr, kBegin},
    {"end", required_argument, nullptr, kEnd},
    {"time", required_argument, nullptr, kTime},
    {"end-time", required_argument, nullptr, kEndTime},
    {"zone", required_argument, nullptr, kZone},
    {"force", no_argument, nullptr, kForce},
    {"no-clobber", no_argument, nullptr, kNoClobber},
    {"quiet", no_argument, nullptr, kQuiet},
    {"target-directory", required_argument, nullptr, kTargetFolder},
    {"dry-run", no_argument, nullptr, kDryRun},
    {"each", no_argument, nullptr, kEach},
    {"stamp-from", required_argument, nullptr, kStampFrom},
    {"begin-from", required_argument, nullptr, kBeginFrom},
    {"end-from", required_argument, nullptr, kEndFrom},
    {"keep-layout", no_argument, nullptr, kKeepLayout},
    {"help", no_argument, nullptr, kHelpOption},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

// Where each option that takes a value, and each flag, goes in the options.
const std::pair<int, std::optional<std::string> Options::*> kValueOptions[] = {
    {kStamp, &Options::stamp},
    {kBegin, &Options::begin},
    {kEnd, &Options::end},
    {kTime, &Options::time},
    {kEndTime, &Options::end_time},
    {kZone, &Options::zone},
    {kTargetFolder, &Options::target_folder},
    {kStampFrom, &Options::stamp_from},
    {kBeginFrom, &Options::begin_from},
    {kEndFrom, &Options::end_from},
};
const std::pair<int, bool Options::*> kFlagOptions[] = {
    {kForce, &Options::force}, {kNoClobber, &Options::no_clobber},
    {kQuiet, &Options::quiet}, {kDryRun, &Options::dry_run},
    {kEach, &Options::each},   {kKeepLayout, &Options::keep_layout},
};

// The option's value or flag in `options`; false for an option getopt_long could not take.
bool Take_Option(int choice, const char* value, Options& options) {
    for (const auto& [code, member] : kValueOptions) {
        if (code == choice) {
            options.*member = value;
            return true;
        }
    }
    for (const auto& [code, member] : kFlagOptions) {
        if (code == choice) {
            options.*member = true;
            return true;
        }
    }
    return false;
}

// Why getopt_long could not take `word` (`missing_value`: it answered ':').
std::string Bad_Usage_Text(std::string_view word, bool missing_value) {
    const bool short_option = !word.starts_with("--") && optopt > 0 && optopt < 128;
    const std::string short_name = "'-" + std::string(1, static_cast<char>(optopt)) + "'";
    if (!missing_value) {
        return short_option ? "unknown option " + short_name : Bad_Option_Text(word, kLongOptions);
    }
    if (word.starts_with("--") && word.find('=') != std::string_view::npos) {
        return Bad_Option_Text(word, kLongOptions);  // a value too many
    }
    if (short_option) {
        return "option " + short_name + " needs a value";
    }
    return "option '--" + std::string(Typed_Option_Name(word)) + "' needs a value";
}

// Reads the options up to the first file name, or up to --help or --version.
Request Read_Options(int argc, char** argv, Options& options) {
    optind = 0;  // start afresh, also when called more than once in one process
    opterr = 0;
    for (;;) {
        optopt = 0;
        // The leading ":" makes a missing value its own answer, apart from unknown options.
        const int choice = ::getopt_long(argc, argv, ":fhVqnt:", kLongOptions, nullptr);
        if (choice == -1) {
            return Request::Run;
        }
        if (choice == kHelpOption) {
            return Request::Help;
        }
        if (choice == kVersion) {
            return Request::Version;
        }
        if (!Take_Option(choice, optarg, options)) {
            // getopt_long has moved past the word it could not take.
            const std::string_view word = optind > 0 && optind <= argc ? argv[optind - 1] : "";
            throw UsageError{Bad_Usage_Text(word, choice == ':')};
        }
    }
}

// The file names after the options, wildcards expanded where the shell leaves that to programs.
void Read_Names(int argc, char** argv, Options& options) {
    for (int i = optind; i < argc; ++i) {
        const std::string argument = argv[i];
        const std::vector<std::string> names = platform::Names_Matching(argument);
        if (names.empty()) {
            throw UsageError{"no file matches " + argument};
        }
        options.names.insert(options.names.end(), names.begin(), names.end());
    }
}

void Check_Names(const Options& options) {
    if (options.names.empty()) {
        throw UsageError{"INPUT is missing"};
    }
    if (std::any_of(options.names.begin(), options.names.end(),
                    [](const std::string& name) { return name.empty(); }) ||
        (options.target_folder && options.target_folder->empty())) {
        throw UsageError{"a file name is empty"};
    }
}

// Checks the dates, times and zone and puts them in the form the window would build them.
void Check_Times(Options& options) {
    if (options.stamp && (options.begin || options.end)) {
        throw UsageError{"--stamp cannot be combined with --begin or --end"};
    }
    if (options.stamp && options.end_time) {
        throw UsageError{"--end-time belongs to an end date, which a TimeStamp has not"};
    }
    options.mode = options.stamp || options.stamp_from ? TimeMode::TimeStamp : TimeMode::TimeSpan;
    if (options.stamp) {
        options.begin_date = Date_Argument("stamp", *options.stamp);
    } else if (options.begin) {
        options.begin_date = Date_Argument("begin", *options.begin);
    }
    if (options.end) {
        options.end_date = Date_Argument("end", *options.end);
    }
    Check_Time("time", options.time);
    Check_Time("end-time", options.end_time);
    if (options.zone) {
        const auto entry = Zone_Entry(*options.zone);
        if (!entry) {
            throw UsageError{"--zone: '" + *options.zone +
                             "' is no zone in use, such as -05, +00, +05:30 or +13"};
        }
        options.zone = *entry;
    }
}

}  // namespace

Request Parse_Arguments(int argc, char** argv, Options& options) {
    if (const Request request = Read_Options(argc, argv, options); request != Request::Run) {
        return request;
    }
    Read_Names(argc, argv, options);
    Check_Names(options);
    if (options.force && options.no_clobber) {
        throw UsageError{"--force and --no-clobber exclude each other"};
    }
    Check_Each_Options(options);
    Check_Times(options);
    return Request::Run;
}

Embedding Options::Make_Embedding() const {
    if (each) {
        const auto source = [](const std::optional<std::string>& text) {
            return text ? Read_Time_Source(*text) : std::nullopt;
        };
        FeatureTimes times{.mode = mode,
                           .stamp = source(stamp_from),
                           .begin = source(begin_from),
                           .end = source(end_from),
                           .zone = zone ? std::optional(Zone_Offset(*zone)) : std::nullopt,
                           .list_features = dry_run};
        return Embedding::For_Each_Feature(std::move(times));
    }
    const TimeElement element = Make_Time_Element(mode, begin_date, end_date, Time_Settings());
    return keep_layout ? Embedding::Keeping_Layout(element) : Embedding(Time_Element_Text(element));
}

TimeSettings Options::Time_Settings() const {
    TimeSettings settings;
    settings.set_time = time || end_time;
    settings.local_zone = settings.set_time || zone;
    settings.zone = zone.value_or(kUtcZone);
    settings.begin_time = time.value_or(kMidnight);
    settings.end_time = end_time.value_or(kMidnight);
    return settings;
}

}  // namespace zaveze::cli
