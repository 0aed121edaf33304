#include "cli/embed_command.h"

#include <getopt.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "core/embed_file.h"
#include "core/input_check.h"
#include "core/messages.h"
#include "core/output_naming.h"
#include "core/output_target.h"
#include "core/posix_file.h"
#include "core/time_element.h"
#include "datetime/date_text.h"
#include "datetime/time_zones.h"
#include "datetime/year_validation.h"

namespace zaveze::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: zaveze-embed [--stamp DATE | [--begin DATE] [--end DATE]] [--time HH:MM:SS]\n"
    "                    [--end-time HH:MM:SS] [--zone +HH|-HH] [--force] INPUT [OUTPUT]\n";

constexpr std::string_view kHelp =
    "Adds time information to a copy of a KML file, after its first container tag\n"
    "(<Document>, <Folder>, <Placemark>, <ScreenOverlay>, <GroundOverlay>, <PhotoOverlay>,\n"
    "<NetworkLink>), so that a KML viewer can place its features on a time line.\n"
    "\n"
    "  --stamp DATE         write a TimeStamp: a single point in time\n"
    "  --begin DATE         write a TimeSpan beginning at DATE\n"
    "  --end DATE           write a TimeSpan ending at DATE\n"
    "  --time HH:MM:SS      time of day of the begin or TimeStamp date (24-hour clock)\n"
    "  --end-time HH:MM:SS  time of day of the end date\n"
    "  --zone +HH|-HH       correct for a local time zone, -12 to +12 hours from UTC;\n"
    "                       without a time of day the whole local day is covered\n"
    "  --force              replace OUTPUT if it exists\n"
    "  --help, --version    show this text, or the version\n"
    "\n"
    "DATE is YEAR, YEAR-MM or YEAR-MM-DD (2007, 2007-10, 2007-10-02, -44-03-15). Times and\n"
    "zones go only with full dates. Without OUTPUT the name is made from INPUT and the dates,\n"
    "for example trip_2007-01-01_to_2007-12-31.kml.\n"
    "\n"
    "Exit status: 0 written, 1 refused, 2 bad usage, 3 a file could not be read or written.\n";

struct Options {
    std::optional<std::string> stamp, begin, end, time, end_time, zone;
    bool force = false;
    std::string input;
    // Checked and in the form the window builds them.
    TimeMode mode = TimeMode::TimeSpan;
    std::string begin_date, end_date;
    std::optional<std::string> output;
};

struct UsageError {
    std::string text;
};

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

enum class Request { Run, Help, Version };

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

Request Parse(int argc, char** argv, Options& options) {
    enum : int {
        kStamp = 1000,
        kBegin,
        kEnd,
        kTime,
        kEndTime,
        kZone,
        kForce,
        kHelpOption,
        kVersion
    };
    static const option kLongOptions[] = {
        {"stamp", required_argument, nullptr, kStamp},
        {"begin", required_argument, nullptr, kBegin},
        {"end", required_argument, nullptr, kEnd},
        {"time", required_argument, nullptr, kTime},
        {"end-time", required_argument, nullptr, kEndTime},
        {"zone", required_argument, nullptr, kZone},
        {"force", no_argument, nullptr, kForce},
        {"help", no_argument, nullptr, kHelpOption},
        {"version", no_argument, nullptr, kVersion},
        {nullptr, 0, nullptr, 0},
    };
    optind = 0;  // start afresh, also when called more than once in one process
    opterr = 0;
    for (;;) {
        optopt = 0;
        // The leading ":" makes a missing value its own answer, apart from unknown options.
        const int choice = ::getopt_long(argc, argv, ":", kLongOptions, nullptr);
        if (choice == -1) {
            break;
        }
        // getopt_long has moved past the word it could not take.
        const std::string_view word = optind > 0 && optind <= argc ? argv[optind - 1] : "";
        switch (choice) {
            case kStamp:
                options.stamp = optarg;
                break;
            case kBegin:
                options.begin = optarg;
                break;
            case kEnd:
                options.end = optarg;
                break;
            case kTime:
                options.time = optarg;
                break;
            case kEndTime:
                options.end_time = optarg;
                break;
            case kZone:
                options.zone = optarg;
                break;
            case kForce:
                options.force = true;
                break;
            case kHelpOption:
                return Request::Help;
            case kVersion:
                return Request::Version;
            case ':':
                throw UsageError{"option '--" + std::string(Typed_Option_Name(word)) +
                                 "' needs a value"};
            default:
                if (optopt != 0 && optopt < 1000) {
                    throw UsageError{"unknown option '-" +
                                     std::string(1, static_cast<char>(optopt)) + "'"};
                }
                throw UsageError{Bad_Option_Text(word, kLongOptions)};
        }
    }
    const int operands = argc - optind;
    if (operands < 1 || operands > 2) {
        throw UsageError{operands < 1 ? "INPUT is missing" : "too many file names"};
    }
    options.input = argv[optind];
    if (operands == 2) {
        options.output = argv[optind + 1];
    }
    if (options.input.empty() || (options.output && options.output->empty())) {
        throw UsageError{"a file name is empty"};
    }
    if (options.stamp && (options.begin || options.end)) {
        throw UsageError{"--stamp cannot be combined with --begin or --end"};
    }
    if (options.stamp && options.end_time) {
        throw UsageError{"--end-time belongs to an end date, which a TimeStamp has not"};
    }
    options.mode = options.stamp ? TimeMode::TimeStamp : TimeMode::TimeSpan;
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
        const auto zones = Time_Zone_Entries();
        if (std::find(zones.begin(), zones.end(), *options.zone) == zones.end()) {
            throw UsageError{"--zone: '" + *options.zone +
                             "' is not a zone from -12 to +12, such as -05 or +00"};
        }
    }
    return Request::Run;
}

struct Refusal {
    std::string text;
    int status;
};

// A refusal that is certain before the input is read: no date, the input named as the output,
// an output that exists (without --force) or that is no regular file.
std::optional<Refusal> Refusal_Before_Reading(const TimeElement& element,
                                              const OutputTarget& target, bool force,
                                              const std::string& output) {
    if (const auto refusal = Element_Refusal(element)) {
        return Refusal{std::string(*refusal), kRefused};
    }
    switch (target.state) {
        case OutputState::SameAsInput:
            return Refusal{std::string(messages::kSameAsInput), kRefused};
        case OutputState::NotRegularFile:
            return Refusal{messages::Write_Failed(output, target.reason), kFileFailure};
        case OutputState::ExistingFile:
            if (!force) {
                return Refusal{std::string(messages::kOverwriteQuestion) + "\nzaveze-embed: " +
                                   output + " was left as it is; --force replaces it",
                               kRefused};
            }
            break;
        case OutputState::Free:
            break;
    }
    return std::nullopt;
}

int Exit_Status(EmbedStatus status) {
    if (status == EmbedStatus::Written) {
        return kWritten;
    }
    return Is_Refusal(status) ? kRefused : kFileFailure;
}

int Embed(const Options& options, std::ostream& out, std::ostream& err) {
    TimeSettings settings;
    settings.set_time = options.time || options.end_time;
    settings.local_zone = settings.set_time || options.zone;
    settings.zone = options.zone.value_or(kUtcZone);
    settings.begin_time = options.time.value_or("00:00:00");
    settings.end_time = options.end_time.value_or("00:00:00");
    const TimeElement element =
        Make_Time_Element(options.mode, options.begin_date, options.end_date, settings);
    const std::string output = options.output.value_or(
        Auto_Output_Name(options.input, options.mode, options.begin_date, options.end_date));

    const OutputTarget target = Examine_Output(output, Identity_Of(options.input));
    if (const auto refusal = Refusal_Before_Reading(element, target, options.force, output)) {
        // The input's own refusal comes first, as in the window, so the input is checked alone.
        // Nothing will be written, so even a pipe may be read up for it.
        const InputCheck check = Check_Input_File(options.input);
        if (const auto input_refusal = Input_Refusal_Message(check, options.input)) {
            err << *input_refusal << '\n';
            return check.verdict == InputVerdict::Unreadable ? kFileFailure : kRefused;
        }
        err << refusal->text << '\n';
        return refusal->status;
    }

    const EmbedResult result = Embed_File(options.input, output, Time_Element_Text(element),
                                          options.force ? Replacing::Allowed : Replacing::Never);
    const std::string message = Embed_Result_Message(result, options.input, output);
    (result.status == EmbedStatus::Written ? out : err) << message << '\n';
    return Exit_Status(result.status);
}

// Whether everything written to standard output got there; a full disk or a closed pipe is
// reported, since a script would otherwise take the missing text for success.
int Check_Output_Stream(std::ostream& out, std::ostream& err, int status) {
    errno = 0;
    out.flush();
    if (out) {
        return status;
    }
    const int error = errno;
    err << "zaveze-embed: standard output couldn't be written: "
        << (error != 0 ? Error_Text(error) : std::string("write error")) << '\n';
    return std::max<int>(status, kFileFailure);
}

}  // namespace

int Run_Embed_Command(int argc, char** argv, std::ostream& out, std::ostream& err) {
    Options options;
    try {
        switch (Parse(argc, argv, options)) {
            case Request::Help:
                out << kUsage << '\n' << kHelp;
                return Check_Output_Stream(out, err, kWritten);
            case Request::Version:
                out << "zaveze-embed " << ZAVEZE_VERSION << '\n';
                return Check_Output_Stream(out, err, kWritten);
            case Request::Run:
                break;
        }
        return Check_Output_Stream(out, err, Embed(options, out, err));
    } catch (const UsageError& error) {
        err << "zaveze-embed: " << error.text << '\n' << kUsage;
        return kBadUsage;
    }
}

}  // namespace zaveze::cli
