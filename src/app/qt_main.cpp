// SPDX-License-Identifier: MIT
// zaveze: the window, or its help and version printed.

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "core/files/platform/paths.h"
#include "core/files/termination_cleanup.h"
#include "form/window_command_line.h"
#include "window/qt/qt_bridge.h"
#include "window/qt/qt_window.h"

namespace {

std::vector<std::string> Arguments_After_The_Name(const QStringList& arguments) {
    std::vector<std::string> words;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        words.push_back(zaveze::To_Utf8(arguments[i]));
    }
    return words;
}

// Prints what the request says; the program's status.
int Print(const zaveze::form::WindowRequest& request) {
    if (request.kind == zaveze::form::WindowRequest::Kind::BadUsage) {
        std::fputs(request.text.c_str(), stderr);
        return 2;
    }
    const bool written = std::fputs(request.text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    return written ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    // Closing the terminal or a kill during a job leaves no scratch file behind.
    zaveze::Install_Termination_Cleanup();
    // Help and version need no display, so no window system is set up for them.
    const std::vector<std::string> raw(argv + std::min(argc, 1), argv + argc);
    if (zaveze::form::Only_Prints(raw)) {
        return Print(zaveze::form::Read_Window_Arguments(raw));
    }

    // Qt takes its own options (-platform, -style, ...) out of the arguments here.
    QApplication application(argc, argv);
    QApplication::setApplicationName("Zaveze");
    QApplication::setApplicationVersion(ZAVEZE_VERSION);
    QApplication::setDesktopFileName("org.zaveze.Zaveze");
    const auto request =
        zaveze::form::Read_Window_Arguments(Arguments_After_The_Name(QApplication::arguments()));
    if (request.kind != zaveze::form::WindowRequest::Kind::Open) {
        return Print(request);
    }

    zaveze::QtWindow window;
    window.show();
    if (!request.file.empty()) {
        window.Open_Input_File(zaveze::To_QString(zaveze::platform::Absolute_Path(request.file)));
    }
    return QApplication::exec();
}
