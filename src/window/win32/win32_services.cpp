// SPDX-License-Identifier: MIT
#include "window/win32/win32_services.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "core/files/platform/file_system.h"
#include "core/files/platform/paths.h"
#include "form/user_guide.h"
#include "form/window_messages.h"
#include "window/win32/long_job.h"

namespace zaveze::win32 {
namespace {

// The common dialogs' filter: "KML (*.kml)\0*.kml\0KMZ (*.kmz)\0*.kmz\0\0".
std::wstring Filter_Text(const std::vector<form::FileFilter>& filters) {
    std::wstring text;
    for (const form::FileFilter& filter : filters) {
        text += platform::Utf16_Of(filter.label + " (" + filter.pattern + ")");
        text += L'\0';
        text += platform::Utf16_Of(filter.pattern);
        text += L'\0';
    }
    return text + L'\0';
}

// Room for the longest path Windows takes.
constexpr DWORD kPathRoom = 32768;

std::string Run_File_Dialog(HWND owner, const std::string& title,
                            const std::vector<form::FileFilter>& filters, const std::string& preset,
                            bool existing) {
    const std::wstring caption = platform::Utf16_Of(title);
    const std::wstring filter = Filter_Text(filters);
    std::wstring path = platform::Utf16_Of(preset);
    path.resize(kPathRoom, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathRoom;
    dialog.lpstrTitle = caption.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (existing ? OFN_FILEMUSTEXIST : 0);
    // The output dialog asks no overwrite question: the form asks its own.
    const BOOL chosen = existing ? ::GetOpenFileNameW(&dialog) : ::GetSaveFileNameW(&dialog);
    return chosen ? platform::Utf8_Of(path.c_str()) : std::string();
}

}  // namespace

form::MessageAnswer Win32Services::Show_Message(const form::MessageRequest& request) {
    const bool yes_no = request.buttons == form::MessageButtons::YesNo;
    const UINT style = (yes_no ? MB_YESNO : MB_OK) |
                       (request.icon == form::MessageIcon::Warning ? MB_ICONEXCLAMATION : 0U);
    const int answer = ::MessageBoxW(window_, platform::Utf16_Of(request.text).c_str(),
                                     platform::Utf16_Of(request.title).c_str(), style);
    if (!yes_no) {
        return form::MessageAnswer::Ok;
    }
    return answer == IDYES ? form::MessageAnswer::Yes : form::MessageAnswer::No;
}

std::string Win32Services::Choose_Input_File(const std::string& title,
                                             const std::vector<form::FileFilter>& filters) {
    return Run_File_Dialog(window_, title, filters, {}, true);
}

std::string Win32Services::Choose_Output_File(const std::string& title,
                                              const std::vector<form::FileFilter>& filters,
                                              const std::string& preset) {
    return Run_File_Dialog(window_, title, filters, preset, false);
}

// The guide's address (file:///...), at `section` when given; empty when it has none.
std::wstring User_Guide_Address(const std::string& path, const std::string& section) {
    std::wstring address(kPathRoom, L'\0');
    DWORD length = kPathRoom;
    if (FAILED(
            ::UrlCreateFromPathW(platform::Utf16_Of(path).c_str(), address.data(), &length, 0))) {
        return {};
    }
    address.resize(length);
    return section.empty() ? address : address + L"#" + platform::Utf16_Of(section);
}

std::optional<form::Services::GuideFailure> Win32Services::Open_User_Guide(
    const std::string& section) {
    std::wstring program(kPathRoom, L'\0');
    program.resize(::GetModuleFileNameW(nullptr, program.data(), kPathRoom));
    const form::UserGuide guide =
        form::Find_User_Guide(platform::Folder_Of(platform::Utf8_Of(program.c_str())));
    if (!guide.found) {
        return GuideFailure{guide.expected, std::string(messages::kGuideMissing)};
    }
    const std::wstring address = User_Guide_Address(*guide.found, section);
    // ShellExecuteW reports success with a value above 32.
    if (address.empty() ||
        reinterpret_cast<INT_PTR>(::ShellExecuteW(window_, L"open", address.c_str(), nullptr,
                                                  nullptr, SW_SHOWNORMAL)) <= 32) {
        return GuideFailure{*guide.found, std::string(messages::kNoBrowser)};
    }
    return std::nullopt;
}

void Win32Services::Run_Long_Job(const std::string& label, std::uint64_t total_bytes,
                                 const std::function<void(JobControl&)>& job) {
    win32::Run_Long_Job(window_, platform::Utf16_Of(label), total_bytes, job);
}

}  // namespace zaveze::win32
