// SPDX-License-Identifier: MIT
#include "cli/embed_command.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "cli/jobs.h"
#include "cli/options.h"
#include "core/embed_file.h"
#include "core/embed_to_stream.h"
#include "core/files/file_descriptor.h"
#include "core/files/output_target.h"
#include "core/input_check.h"
#include "core/kmz/kmz.h"
#include "core/messages.h"
#include "core/time_element.h"
#include "datetime/verification.h"

namespace zaveze::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: zaveze-embed [OPTION]... INPUT [OUTPUT]\n"
    "  or:  zaveze-embed [OPTION]... INPUT... FOLDER\n"
    "  or:  zaveze-embed [OPTION]... -t FOLDER INPUT...\n";

constexpr std::string_view kHelp =
    "Adds time information to a copy of a KML file, after its first container tag\n"
    "(<Document>, <Folder>, <Placemark>, <ScreenOverlay>, <GroundOverlay>, <PhotoOverlay>,\n"
    "<NetworkLink>), so that a KML viewer can place its features on a time line. Every INPUT\n"
    "gets the same dates. Without OUTPUT the name is made from INPUT and the dates, beside\n"
    "INPUT or in FOLDER, for example trip_2007-01-01_to_2007-12-31.kml. \"-\" as INPUT reads\n"
    "standard input, as OUTPUT writes standard output.\n"
    "\n"
    "      --stamp DATE             write a TimeStamp: a single point in time\n"
    "      --begin DATE             write a TimeSpan beginning at DATE\n"
    "      --end DATE               write a TimeSpan ending at DATE\n"
    "      --time HH:MM:SS          time of day of the begin or TimeStamp date (24-hour clock)\n"
    "      --end-time HH:MM:SS      time of day of the end date\n"
    "      --zone OFFSET            correct for a local time zone: an offset from UTC in use,\n"
    "                               -12 to +14, such as -05, +00, +05:30 or +13; without a\n"
    "                               time of day the whole local day is covered\n"
    "  -f, --force                  replace an existing output\n"
    "  -n, --no-clobber             skip an input whose output exists (not an error)\n"
    "  -t, --target-directory=FOLDER  write every output into FOLDER\n"
    "      --dry-run                check everything and show what would be written, where\n"
    "                               and what \"Verify Dates\" says; write nothing\n"
    "      --each                   give each feature its own time, from its own data,\n"
    "                               keeping every other byte; the name is trip_timed.kml\n"
    "      --stamp-from SOURCE      with --each: a TimeStamp from SOURCE\n"
    "      --begin-from SOURCE      with --each: a TimeSpan's begin from SOURCE\n"
    "      --end-from SOURCE        with --each: a TimeSpan's end from SOURCE\n"
    "      --keep-layout            the element on one line inside the first container, every\n"
    "                               other byte kept (by default line endings become CR LF\n"
    "                               and container tags get lines of their own)\n"
    "  -q, --quiet                  say nothing about files created or skipped\n"
    "  -h, --help                   show this text\n"
    "  -V, --version                show the version\n"
    "\n"
    "DATE is YEAR, YEAR-MM or YEAR-MM-DD (2007, 2007-10, 2007-10-02, -44-03-15). Times and\n"
    "zones go only with full dates. SOURCE is data:NAME (the feature's ExtendedData field),\n"
    "name or description; the first ISO 8601 date in it counts.\n"
    "\n"
    "Examples:\n"
    "  zaveze-embed --begin 2007-01-01 --end 2007-12-31 trip.kml\n"
    "  zaveze-embed --stamp 2007-10-02 --time 15:45:12 --zone -05 trip.kml stamped.kml\n"
#ifdef _WIN32
    "  zaveze-embed -n --begin 2007 tracks\\*.kml dated\n"
    "  for /r tracks %f in (*.kml) do zaveze-embed -q -n --begin 2007 -t dated \"%f\"\n"
    "  type trip.kml | zaveze-embed --begin 2007 - - > trip-2007.kml\n"
#else
    "  zaveze-embed -n --begin 2007 tracks/*.kml dated/\n"
    "  find tracks -name '*.kml' -print0 | xargs -0 -P2 zaveze-embed -q --begin 2007 -t dated\n"
    "  gunzip -c trip.kml.gz | zaveze-embed --begin 2007 - - > trip-2007.kml\n"
#endif
    "  zaveze-embed --each --stamp-from data:year battles.kml\n"
    "\n"
    "Exit status: 0 written (or skipped, or a dry run that would write), 1 refused,\n"
    "2 bad usage, 3 a file could not be read or written; of several inputs, the highest.\n";

constexpr std::string_view kProgram = "zaveze-embed: ";

// What one run of the tool shares among its jobs.
struct Run {
    const Options& options;
    Embedding embedding;
    std::optional<std::string_view> element_refusal;  // no date to write
    std::ostream& out;
    std::ostream& err;

    // A message about `file` on standard error.
    void Say(const std::string& file, const std::string& text) const {
        err << kProgram << file << ": " << text << '\n';
    }
};

int Status_Of(EmbedStatus status) {
    if (status == EmbedStatus::Written) {
        return kWritten;
    }
    return Is_Refusal(status) ? kRefused : kFileFailure;
}

// What is said of an output that exists: how to go on, and what a stopped run may have left.
std::string Exists_Text(const EmbedResult& result) {
    std::string text = "exists; use --force to replace it, or --no-clobber to skip it";
    if (!result.reason.empty()) {
        text += '.';
        text += messages::Stopped_Run_Left(result.reason);
    }
    return text;
}

// Reports a result of the embedding; the status of the job.
int Report(const Run& run, const Job& job, const EmbedResult& result) {
    const std::string message = Embed_Result_Message(result, Shown_Input(job), Shown_Output(job));
    switch (result.status) {
        case EmbedStatus::Written:
            if (!run.options.quiet && !job.To_Standard_Output()) {
                run.out << message << '\n';
            }
            break;
        case EmbedStatus::OutputExists:
            if (run.options.no_clobber) {
                if (!run.options.quiet) {
                    run.Say(Shown_Output(job), "exists; skipped");
                }
                return kWritten;
            }
            run.Say(Shown_Output(job), Exists_Text(result));
            break;
        case EmbedStatus::SameFileAsInput:
        case EmbedStatus::WriteFailed:
            run.Say(Shown_Output(job), message);
            break;
        case EmbedStatus::FolderFailed:
        case EmbedStatus::ArchiveSpoolFailed:
            run.Say(result.folder, message);
            break;
        case EmbedStatus::HasTimeData:
        case EmbedStatus::NoContainerTag:
        case EmbedStatus::InputChanged:
        case EmbedStatus::ReadFailed:
        case EmbedStatus::PipeTooLarge:
        case EmbedStatus::Cancelled:
        case EmbedStatus::NotKmz:
        case EmbedStatus::KmzUnsupported:
        case EmbedStatus::ArchiveIntoKml:
        case EmbedStatus::TextIntoKmz:
        case EmbedStatus::KmzUnusable:
        case EmbedStatus::Utf32:
        case EmbedStatus::CutShortUtf16:
        case EmbedStatus::PipedArchive:
        case EmbedStatus::NoFeatureTimed:
            run.Say(Shown_Input(job), message);
            break;
    }
    return Status_Of(result.status);
}

std::string Input_Path(const Job& job) {
    return job.From_Standard_Input() ? "/dev/stdin" : job.input;
}

// A refusal of the output that is certain before the input is read: the input named as the
// output, an output that exists (without --force) or that is no regular file.
std::optional<EmbedResult> Output_Refusal_Of(const Run& run, const Job& job) {
    if (job.To_Standard_Output()) {
        return std::nullopt;
    }
    const OutputTarget target = Examine_Output(
        job.output, job.From_Standard_Input() ? std::nullopt : Identity_Of(job.input));
    return Output_Refusal(target, run.options.force ? Replacing::Allowed : Replacing::Never);
}

// The input's own refusal, when it has one; it comes before any other, as in the window.
std::optional<int> Input_Refusal(const Run& run, const Job& job, InputCheck& check) {
    check = Check_Input_File(Input_Path(job));
    const bool whole_file_verdict =
        check.verdict == InputVerdict::HasTimeData || check.verdict == InputVerdict::NoContainerTag;
    if (!run.embedding.Refuses_Time_Data() && whole_file_verdict) {
        return std::nullopt;  // each feature decides for itself
    }
    if (const auto refusal = Input_Refusal_Message(check, Shown_Input(job))) {
        run.Say(Shown_Input(job), *refusal);
        const bool unreadable =
            check.verdict == InputVerdict::Unreadable || check.verdict == InputVerdict::KmzUnusable;
        return unreadable ? kFileFailure : kRefused;
    }
    return std::nullopt;
}

// What happens to each feature, as the real run would do it.
int Dry_Run_Each(const Run& run, const Job& job) {
    FileDescriptor nowhere(platform::Create_Temporary());
    const EmbedResult result = Embed_To_Descriptor(Input_Path(job), nowhere.Get(), run.embedding);
    if (result.status != EmbedStatus::Written) {
        return Report(run, job, result);
    }
    run.out << kProgram << Shown_Input(job) << ": would write " << Shown_Output(job) << '\n';
    const FeatureCounts& counts = *result.features;
    for (const FeatureOutcome& outcome : counts.outcomes) {
        run.out << "line " << outcome.line << ", " << outcome.feature << ": ";
        switch (outcome.kind) {
            case FeatureOutcome::Kind::Timed:
                run.out << outcome.found << " -> " << outcome.element;
                break;
            case FeatureOutcome::Kind::AlreadyTimed:
                run.out << "already timed, left alone";
                break;
            case FeatureOutcome::Kind::WithoutDate:
                run.out << "no date, left alone";
                break;
        }
        run.out << '\n';
    }
    run.out << messages::Feature_Counts(counts) << '\n';
    return kWritten;
}

int Dry_Run(const Run& run, const Job& job, const InputCheck& check) {
    if (run.embedding.each) {
        return Dry_Run_Each(run, job);
    }
    const TimeSettings times = run.options.Time_Settings();
    const VerifyOutcome verification =
        Verify_Dates({run.options.mode, run.options.begin_date, run.options.end_date,
                      times.set_time, times.begin_time, times.end_time});
    run.out << kProgram << Shown_Input(job) << ": would write " << Shown_Output(job) << '\n'
            << (run.embedding.keep_layout ? "in " : "after ") << check.first_tag << " on line "
            << check.first_tag_line << ":\n"
            << With_Tag_Prefix(run.embedding.element_text, check.first_tag_prefix)
            << (run.embedding.keep_layout ? "\n" : "")
            << messages::Verification(verification.advice) << '\n';
    return kWritten;
}

int Run_Job(const Run& run, const Job& job) {
    if (!job.conflict.empty()) {
        run.Say(Shown_Output(job), job.conflict);
        return kRefused;
    }
    const auto early = Output_Refusal_Of(run, job);
    if (early && early->status == EmbedStatus::OutputExists && run.options.no_clobber) {
        return Report(run, job, *early);  // skipped without reading the input
    }
    if (early || run.element_refusal || run.options.dry_run) {
        InputCheck check;
        if (const auto status = Input_Refusal(run, job, check)) {
            return *status;
        }
        if (run.element_refusal) {
            run.Say(Shown_Input(job), std::string(*run.element_refusal));
            return kRefused;
        }
        if (early) {
            return Report(run, job, *early);
        }
        if (const auto mismatch =
                job.To_Standard_Output() ? std::nullopt : Kind_Mismatch(check.kmz, job.output)) {
            return Report(run, job, {*mismatch, {}, {}});
        }
        return Dry_Run(run, job, check);
    }
    if (job.To_Standard_Output()) {
        run.out.flush();
        return Report(
            run, job,
            Embed_To_Descriptor(Input_Path(job), platform::Standard_Output(), run.embedding));
    }
    return Report(run, job,
                  Embed_File(Input_Path(job), job.output, run.embedding,
                             run.options.force ? Replacing::Allowed : Replacing::Never));
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
    err << kProgram << "standard output couldn't be written: "
        << (error != 0 ? Error_Text(error) : std::string("write error")) << '\n';
    return std::max<int>(status, kFileFailure);
}

int Embed_All(const Options& options, std::ostream& out, std::ostream& err) {
    const std::vector<Job> jobs = Plan_Jobs(options);
    const TimeElement element = Make_Time_Element(options.mode, options.begin_date,
                                                  options.end_date, options.Time_Settings());
    const Run run{options, options.Make_Embedding(),
                  options.each ? std::nullopt : Element_Refusal(element), out, err};
    int status = kWritten;
    for (const Job& job : jobs) {
        status = std::max(status, Run_Job(run, job));
    }
    return status;
}

}  // namespace

int Run_Embed_Command(int argc, char** argv, std::ostream& out, std::ostream& err) {
    Options options;
    try {
        switch (Parse_Arguments(argc, argv, options)) {
            case Request::Help:
                out << kUsage << '\n' << kHelp;
                return Check_Output_Stream(out, err, kWritten);
            case Request::Version:
                out << "zaveze-embed " << ZAVEZE_VERSION << '\n';
                return Check_Output_Stream(out, err, kWritten);
            case Request::Run:
                break;
        }
        return Check_Output_Stream(out, err, Embed_All(options, out, err));
    } catch (const UsageError& error) {
        err << kProgram << error.text << '\n' << kUsage;
        return kBadUsage;
    }
}

}  // namespace zaveze::cli
