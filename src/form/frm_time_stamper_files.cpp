// SPDX-License-Identifier: MIT
// The input file, the output name and the embedding.

#include <algorithm>

#include "core/embed_file.h"
#include "core/files/output_target.h"
#include "core/files/platform/file_system.h"
#include "core/files/platform/paths.h"
#include "core/input_check.h"
#include "core/messages.h"
#include "core/output_naming.h"
#include "core/time_element.h"
#include "datetime/year_text.h"
#include "form/frm_time_stamper.h"
#include "form/window_messages.h"

namespace zaveze::form {
namespace {

// The size of a file to be read, for the progress window; 0 when it cannot be known (a FIFO).
std::uint64_t Size_To_Read(const std::string& path) {
    const auto status = platform::Status_Of_Path(path, true);
    return status && status->kind == platform::FileKind::Regular ? status->size : 0;
}

// Where an output name typed into the box goes: a bare name beside the input, as the automatic
// name does, and a relative path from the input's folder (the program's working folder may be
// its own installation folder, or any other), so that the messages name it in full.
std::string Placed_Output(const std::string& typed, const std::string& input) {
    return platform::Is_Absolute_Path(typed) ? typed : platform::Folder_Of(input) + typed;
}

const std::vector<FileFilter> kInputFilters{{"KML", "*.kml"}, {"KMZ", "*.kmz"}};
const std::vector<FileFilter> kKmlFilter{{"KML", "*.kml"}};
const std::vector<FileFilter> kKmzFilter{{"KMZ", "*.kmz"}};

}  // namespace

void frmTimeStamper::cmdInputFile_Click() {
    const std::string chosen = services_.Choose_Input_File("Open Input KML File", kInputFilters);
    if (!chosen.empty()) {
        Take_Input_File(chosen);
    }
}

void frmTimeStamper::Take_Input_File(const std::string& path) {
    const std::string previous_input = state_.strInput_File;
    const std::string previous_text = controls_.Text("txtInputFile");
    state_.strInput_File = path;
    Set_Text("txtInputFile", path);
    const std::string input = controls_.Text("txtInputFile");
    InputCheck check;
    services_.Run_Long_Job("Checking " + platform::Shown_Path(path) + "...", Size_To_Read(path),
                           [&](JobControl& control) { check = Check_Input_File(input, &control); });
    if (check.verdict == InputVerdict::Cancelled) {  // as if the file had never been chosen
        state_.strInput_File = previous_input;
        Set_Text("txtInputFile", previous_text);
        return;
    }
    if (const auto refusal = Input_Refusal_Message(check, platform::Shown_Path(path))) {
        Message(*refusal);
        Set_Text("txtInputFile", "");
        return;
    }
    Set_Enabled({"txtBegin_Year", "txtEnd_Year", "cmdOutputFile", "txtOutputFile"}, true);
    automatic_output_.clear();  // a name made for another input no longer follows anything
}

// An output that may not be written is forgotten, with the reason said.
void frmTimeStamper::Refuse_Output(const std::string& message) {
    if (!message.empty()) {
        Message(message);
    }
    state_.strOutput_File.clear();
    Set_Text("txtOutputFile", "");
    controls_.Set_Enabled("cmdTimestamp", false);
}

// Whether the output may be written: it must not be the input or something other than a file,
// and an existing file is replaced only after a Yes for exactly that name. A refusal empties the
// output name.
// The core's refusal of an output, but for a name that is taken: the user decides about that.
bool frmTimeStamper::Output_May_Be_Written(const std::string& output) {
    const OutputTarget target = Examine_Output(output, Identity_Of(state_.strInput_File));
    const Replacing replacing = output == consented_output_ ? Replacing::Allowed : Replacing::Never;
    const std::optional<EmbedResult> refusal = Output_Refusal(target, replacing);
    if (!refusal) {
        return true;
    }
    if (refusal->status != EmbedStatus::OutputExists) {
        Refuse_Output(Embed_Result_Message(*refusal, platform::Shown_Path(state_.strInput_File),
                                           platform::Shown_Path(output)));
        return false;
    }
    if (Message(std::string(messages::kOverwriteQuestion), MessageButtons::YesNo) !=
        MessageAnswer::Yes) {
        Refuse_Output({});
        return false;
    }
    consented_output_ = output;
    return true;
}

void frmTimeStamper::cmdOutputFile_Click() {
    const std::string extension = Output_Extension(state_.strInput_File);
    const std::string chosen = services_.Choose_Output_File(
        "Enter KML Output Filename", extension == ".kmz" ? kKmzFilter : kKmlFilter,
        state_.strOutput_File);
    if (chosen.empty()) {
        return;
    }
    state_.strOutput_File = chosen;
    Set_Text("txtOutputFile", Kml_Output_Name(state_.strOutput_File, extension));
    state_.strOutput_File = controls_.Text("txtOutputFile");
    if (state_.strOutput_File == state_.strInput_File) {
        Refuse_Output(std::string(messages::kSameAsInput));
        return;
    }
    consented_output_.clear();  // a name chosen anew is asked about anew
    Output_May_Be_Written(state_.strOutput_File);
}

void frmTimeStamper::cmdAuto_Output_Click() {
    if (Is_Blank_Year(controls_.Text(kBegin.year)) && Is_Blank_Year(controls_.Text(kEnd.year))) {
        Message(std::string(messages::kNoDateYet));
        Set_Text("txtOutputFile", "");
        return;
    }
    if (controls_.Text("txtInputFile").empty()) {
        Message(std::string(messages::kNoInputYet));
        Set_Text("txtOutputFile", "");
        return;
    }
    Build_Date_Strings();
    state_.strOutput_File =
        Auto_Output_Name(state_.strInput_File, Mode(), state_.strBegin_Date, state_.strEnd_Date);
    consented_output_.clear();
    if (Output_May_Be_Written(state_.strOutput_File)) {
        Set_Text("txtOutputFile", state_.strOutput_File);
        automatic_output_ = state_.strOutput_File;
    }
}

// An automatic name that the dates have changed under is made again from them, so that no file
// is named with dates it does not hold; a name the user typed or picked stays as it is.
void frmTimeStamper::Follow_The_Dates() {
    if (automatic_output_.empty() || controls_.Text("txtOutputFile") != automatic_output_) {
        return;
    }
    const std::string renamed =
        Auto_Output_Name(state_.strInput_File, Mode(), state_.strBegin_Date, state_.strEnd_Date);
    if (renamed != automatic_output_) {
        automatic_output_ = state_.strOutput_File = renamed;
        consented_output_.clear();
        Set_Text("txtOutputFile", renamed);
    }
}

void frmTimeStamper::txtOutputFile_Change() {
    controls_.Set_Enabled("cmdTimestamp", true);
}

void frmTimeStamper::cmdTimestamp_Click() {
    Build_Date_Strings();
    Follow_The_Dates();
    const TimeElement element = Make_Time_Element(Mode(), state_.strBegin_Date, state_.strEnd_Date,
                                                  Current_Time_Settings());
    if (const auto refusal = Element_Refusal(element)) {
        Message(std::string(*refusal));
        return;
    }
    const std::string input = controls_.Text("txtInputFile");
    if (input.empty()) {
        Message(std::string(messages::kNoInputYet));
        return;
    }
    if (controls_.Text("txtOutputFile").empty()) {
        Message(std::string(messages::kNoOutputYet));
        return;
    }
    const std::string output = Placed_Output(controls_.Text("txtOutputFile"), input);
    // Asked whenever the file exists now, unless the user agreed to replace exactly this name.
    // The embedding checks the input again as it reads it, since the file may have changed.
    if (!Output_May_Be_Written(output)) {
        return;
    }
    const Replacing replacing = output == consented_output_ ? Replacing::Allowed : Replacing::Never;
    EmbedResult result;
    services_.Run_Long_Job("Writing " + platform::Shown_Path(output) + "...", Size_To_Read(input),
                           [&](JobControl& control) {
                               result = Embed_File(input, output, Time_Element_Text(element),
                                                   replacing, &control);
                           });
    if (result.status == EmbedStatus::Cancelled) {
        return;  // nothing was written, and the window stays as it was
    }
    Message(
        Embed_Result_Message(result, platform::Shown_Path(input), platform::Shown_Path(output)));
    if (result.status == EmbedStatus::Written) {
        Reset_All();
    }
}

}  // namespace zaveze::form
