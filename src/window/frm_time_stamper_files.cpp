// SPDX-License-Identifier: MIT
// The input file, the output name and the embedding.

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include "core/embed_file.h"
#include "core/files/output_target.h"
#include "core/files/platform/file_system.h"
#include "core/input_check.h"
#include "core/messages.h"
#include "core/output_naming.h"
#include "core/time_element.h"
#include "datetime/year_text.h"
#include "window/frm_time_stamper.h"
#include "window/long_job.h"
#include "window/qt_bridge.h"

namespace zaveze {
namespace {

// The size of a file to be read, for the progress dialog; 0 when it cannot be known (a FIFO).
std::uint64_t Size_To_Read(const QString& path) {
    const auto status = platform::Status_Of_Path(To_Path(path), true);
    return status && status->kind == platform::FileKind::Regular ? status->size : 0;
}

// A path as the user's system writes it (backslashes on Windows), for the messages.
std::string Shown_Path(const QString& path) {
    return To_Path(QDir::toNativeSeparators(path));
}

const QString kKmlFilter = "KML (*.kml)";
const QString kInputFilter = "KML (*.kml);;KMZ (*.kmz)";
const QString kKmzFilter = "KMZ (*.kmz)";

}  // namespace

void frmTimeStamper::cmdInputFile_Click() {
    const QString chosen = services_.Choose_Input_File(this, "Open Input KML File", kInputFilter);
    if (!chosen.isEmpty()) {
        Take_Input_File(chosen);
    }
}

void frmTimeStamper::Take_Input_File(const QString& path) {
    const std::string previous_input = state_.strInput_File;
    const QString previous_text = txtInputFile->text();
    state_.strInput_File = To_Path(path);
    txtInputFile->setText(path);
    const std::string input = To_Path(txtInputFile->text());
    InputCheck check;
    Run_Long_Job(this, "Checking " + QDir::toNativeSeparators(path) + "...", Size_To_Read(path),
                 [&](JobControl& control) { check = Check_Input_File(input, &control); });
    if (check.verdict == InputVerdict::Cancelled) {  // as if the file had never been chosen
        state_.strInput_File = previous_input;
        txtInputFile->setText(previous_text);
        return;
    }
    if (const auto refusal = Input_Refusal_Message(check, Shown_Path(path))) {
        Message(From_Path(*refusal));
        txtInputFile->setText(QString());
        return;
    }
    for (QWidget* control : std::initializer_list<QWidget*>{txtBegin_Year, txtEnd_Year,
                                                            cmdOutputFile, txtOutputFile}) {
        control->setEnabled(true);
    }
}

// Whether the output may be written: it must not be the input or something other than a file,
// and an existing file is replaced only after a Yes for exactly that name. A refusal empties the
// output name.
bool frmTimeStamper::Output_May_Be_Written(const QString& output) {
    const std::string path = To_Path(output);
    const OutputTarget target = Examine_Output(path, Identity_Of(state_.strInput_File));
    bool allowed = true;
    switch (target.state) {
        case OutputState::Free:
            break;
        case OutputState::SameAsInput:
            Message(To_QString(messages::kSameAsInput));
            allowed = false;
            break;
        case OutputState::NotRegularFile:
            Message(From_Path(messages::Write_Failed(Shown_Path(output), target.reason)));
            allowed = false;
            break;
        case OutputState::ExistingFile:
            allowed = output == consented_output_ ||
                      Message(To_QString(messages::kOverwriteQuestion), MessageButtons::YesNo) ==
                          MessageAnswer::Yes;
            if (allowed) {
                consented_output_ = output;
            }
            break;
    }
    if (!allowed) {
        state_.strOutput_File.clear();
        txtOutputFile->setText(QString());
        cmdTimestamp->setEnabled(false);
    }
    return allowed;
}

void frmTimeStamper::cmdOutputFile_Click() {
    const QString chosen = services_.Choose_Output_File(
        this, "Enter KML Output Filename",
        Output_Extension(state_.strInput_File) == ".kmz" ? kKmzFilter : kKmlFilter,
        From_Path(state_.strOutput_File));
    if (chosen.isEmpty()) {
        return;
    }
    state_.strOutput_File = To_Path(chosen);
    txtOutputFile->setText(
        From_Path(Kml_Output_Name(state_.strOutput_File, Output_Extension(state_.strInput_File))));
    state_.strOutput_File = To_Path(txtOutputFile->text());
    if (state_.strOutput_File == state_.strInput_File) {
        Message(To_QString(messages::kSameAsInput));
        state_.strOutput_File.clear();
        txtOutputFile->setText(QString());
        cmdTimestamp->setEnabled(false);
        return;
    }
    consented_output_.clear();  // a name chosen anew is asked about anew
    Output_May_Be_Written(From_Path(state_.strOutput_File));
}

void frmTimeStamper::cmdAuto_Output_Click() {
    if (Is_Blank_Year(txtBegin_Year->text().toStdString()) &&
        Is_Blank_Year(txtEnd_Year->text().toStdString())) {
        Message(To_QString(messages::kNoDateYet));
        txtOutputFile->setText(QString());
        return;
    }
    if (txtInputFile->text().isEmpty()) {
        Message(To_QString(messages::kNoInputYet));
        txtOutputFile->setText(QString());
        return;
    }
    Build_Date_Strings();
    state_.strOutput_File =
        Auto_Output_Name(state_.strInput_File, Mode(), state_.strBegin_Date, state_.strEnd_Date);
    consented_output_.clear();
    if (!Output_May_Be_Written(From_Path(state_.strOutput_File))) {
        return;
    }
    txtOutputFile->setText(From_Path(state_.strOutput_File));
}

void frmTimeStamper::txtOutputFile_Change() {
    cmdTimestamp->setEnabled(true);
}

void frmTimeStamper::cmdTimestamp_Click() {
    Build_Date_Strings();
    const TimeElement element = Make_Time_Element(Mode(), state_.strBegin_Date, state_.strEnd_Date,
                                                  Current_Time_Settings());
    if (const auto refusal = Element_Refusal(element)) {
        Message(To_QString(*refusal));
        return;
    }
    const QString input = txtInputFile->text();
    const QString output = txtOutputFile->text();
    if (input.isEmpty()) {
        Message(To_QString(messages::kNoInputYet));
        return;
    }
    if (output.isEmpty()) {
        Message(To_QString(messages::kNoOutputYet));
        return;
    }
    // Asked whenever the file exists now, unless the user agreed to replace exactly this name.
    // The embedding checks the input again as it reads it, since the file may have changed.
    if (!Output_May_Be_Written(output)) {
        return;
    }
    const Replacing replacing = output == consented_output_ ? Replacing::Allowed : Replacing::Never;
    EmbedResult result;
    Run_Long_Job(this, "Writing " + QDir::toNativeSeparators(output) + "...", Size_To_Read(input),
                 [&](JobControl& control) {
                     result = Embed_File(To_Path(input), To_Path(output),
                                         Time_Element_Text(element), replacing, &control);
                 });
    if (result.status == EmbedStatus::Cancelled) {
        return;  // nothing was written, and the window stays as it was
    }
    Message(From_Path(Embed_Result_Message(result, Shown_Path(input), Shown_Path(output))));
    if (result.status == EmbedStatus::Written) {
        Reset_All();
    }
}

}  // namespace zaveze
