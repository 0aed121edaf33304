#include "cli/embed_command.h"

#include <getopt.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "core/embed_file.h"
#include "core/input_check.h"
#include "core/messages.h"
#include "core/output_naming.h"
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
        const int previous_index = optind;
        const int choice = ::getopt_long(argc, argv, "", kLongOptions, nullptr);
        if (choice == -1) {
            break;
        }
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
            default:
                throw UsageError{"unknown option, or an option without its value: " +
                                 std::string(previous_index < argc ? argv[previous_index] : "")};
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

bool Same_File(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (a == b) {
        return true;
    }
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

int Embed(const Options& options, std::ostream& out, std::ostream& err) {
    const InputCheck check = Check_Input_File(options.input);
    if (const auto refusal = Input_Refusal_Message(check, options.input)) {
        err << *refusal << '\n';
        return check.verdict == InputVerdict::Unreadable ? kFileFailure : kRefused;
    }

    TimeSettings settings;
    settings.set_time = options.time || options.end_time;
    settings.local_zone = settings.set_time || options.zone;
    settings.zone = options.zone.value_or(kUtcZone);
    settings.begin_time = options.time.value_or("00:00:00");
    settings.end_time = options.end_time.value_or("00:00:00");
    const TimeElement element =
        Make_Time_Element(options.mode, options.begin_date, options.end_date, settings);
    if (const auto refusal = Element_Refusal(element)) {
        err << *refusal << '\n';
        return kRefused;
    }

    const std::string output = options.output.value_or(
        Auto_Output_Name(options.input, options.mode, options.begin_date, options.end_date));
    if (Same_File(output, options.input)) {
        err << messages::kSameAsInput << '\n';
        return kRefused;
    }
    struct stat existing {};
    if (!options.force && ::stat(output.c_str(), &existing) == 0) {
        err << messages::kOverwriteQuestion << '\n'
            << "zaveze-embed: " << output << " was left as it is; --force replaces it\n";
        return kRefused;
    }

    const EmbedResult result = Embed_File(options.input, output, Time_Element_Text(element));
    const std::string message = Embed_Result_Message(result, options.input, output);
    switch (result.status) {
        case EmbedStatus::Written:
            out << message << '\n';
            return kWritten;
        case EmbedStatus::NoContainerTag:
        case EmbedStatus::SameFileAsInput:
            err << message << '\n';
            return kRefused;
        case EmbedStatus::ReadFailed:
        case EmbedStatus::WriteFailed:
            break;
    }
    err << message << '\n';
    return kFileFailure;
}

}  // namespace

int Run_Embed_Command(int argc, char** argv, std::ostream& out, std::ostream& err) {
    Options options;
    try {
        switch (Parse(argc, argv, options)) {
            case Request::Help:
                out << kUsage << '\n' << kHelp;
                return kWritten;
            case Request::Version:
                out << "zaveze-embed " << ZAVEZE_VERSION << '\n';
                return kWritten;
            case Request::Run:
                break;
        }
        return Embed(options, out, err);
    } catch (const UsageError& error) {
        err << "zaveze-embed: " << error.text << '\n' << kUsage;
        return kBadUsage;
    }
}

}  // namespace zaveze::cli
