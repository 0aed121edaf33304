// SPDX-License-Identifier: MIT
#include "window/qt/qt_services.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "form/window_messages.h"
#include "window/qt/long_job.h"
#include "window/qt/qt_bridge.h"
#include "window/qt/user_guide.h"

namespace zaveze {
namespace {

// Qt's filter text: "KML (*.kml);;KMZ (*.kmz)".
QString Filter_Text(const std::vector<form::FileFilter>& filters) {
    QStringList parts;
    for (const form::FileFilter& filter : filters) {
        parts << To_QString(filter.label + " (" + filter.pattern + ")");
    }
    return parts.join(";;");
}

}  // namespace

form::MessageAnswer QtServices::Show_Message(const form::MessageRequest& request) {
    const bool yes_no = request.buttons == form::MessageButtons::YesNo;
    QMessageBox box(
        request.icon == form::MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
        To_QString(request.title), To_QString(request.text),
        yes_no ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, window_);
    const int answer = box.exec();
    if (!yes_no) {
        return form::MessageAnswer::Ok;
    }
    return answer == QMessageBox::Yes ? form::MessageAnswer::Yes : form::MessageAnswer::No;
}

std::string QtServices::Choose_Input_File(const std::string& title,
                                          const std::vector<form::FileFilter>& filters) {
    return To_Utf8(
        QFileDialog::getOpenFileName(window_, To_QString(title), QString(), Filter_Text(filters)));
}

std::string QtServices::Choose_Output_File(const std::string& title,
                                           const std::vector<form::FileFilter>& filters,
                                           const std::string& preset) {
    return To_Utf8(QFileDialog::getSaveFileName(window_, To_QString(title), To_QString(preset),
                                                Filter_Text(filters), nullptr,
                                                QFileDialog::DontConfirmOverwrite));
}

std::optional<form::Services::GuideFailure> QtServices::Open_User_Guide(
    const std::string& section) {
    const form::UserGuide guide = Find_User_Guide();
    if (!guide.found) {
        return GuideFailure{guide.expected, std::string(messages::kGuideMissing)};
    }
    if (!QDesktopServices::openUrl(User_Guide_Address(*guide.found, To_QString(section)))) {
        return GuideFailure{*guide.found, std::string(messages::kNoBrowser)};
    }
    return std::nullopt;
}

void QtServices::Run_Long_Job(const std::string& label, std::uint64_t total_bytes,
                              const std::function<void(JobControl&)>& job) {
    zaveze::Run_Long_Job(window_, To_QString(label), total_bytes, job);
}

}  // namespace zaveze
