// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <string_view>

#include "core/files/termination_cleanup.h"
#include "window/qt/qt_window.h"

namespace {

// What the command line asks of the program.
struct Request {
    bool handled = false;  // --help, --version or bad usage: printed, nothing more to do
    int status = 0;
    QString input;  // a KML file to take, as if chosen in the input dialog
};

void Describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Adds time information (a TimeStamp or a TimeSpan) to a copy of a KML file.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        "FILE", "The KML file to open, as if chosen with \"Open Input KML  File\".", "[FILE]");
}

// Reads the command line: what the program is to do, printed help and version included.
Request Read_Command_Line(const QStringList& arguments) {
    QCommandLineParser parser;
    Describe(parser);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "zaveze: %s\n", qPrintable(parser.errorText()));
        return {true, 2, {}};
    }
    if (parser.isSet("help")) {
        const QString help = parser.helpText();
        const bool written = std::fputs(qPrintable(help), stdout) >= 0 && std::fflush(stdout) == 0;
        return {true, written ? 0 : 3, {}};
    }
    if (parser.isSet("version")) {
        const bool written =
            std::printf("zaveze %s\n", ZAVEZE_VERSION) > 0 && std::fflush(stdout) == 0;
        return {true, written ? 0 : 3, {}};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "zaveze: one FILE at most\n");
        return {true, 2, {}};
    }
    return {false, 0, files.isEmpty() ? QString() : QDir::current().absoluteFilePath(files[0])};
}

// Whether the program is only to print its help or version: that needs no display, so no
// window system is set up for it.
bool Only_Prints(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "-h" || word == "--help" || word == "-?" || word == "--help-all" ||
            word == "-v" || word == "--version") {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Closing the terminal or a kill during a job leaves no scratch file behind.
    zaveze::Install_Termination_Cleanup();
    if (Only_Prints(argc, argv)) {
        const QCoreApplication printer(argc, argv);
        return Read_Command_Line(QCoreApplication::arguments()).status;
    }

    // Qt takes its own options (-platform, -style, ...) out of the arguments here.
    QApplication application(argc, argv);
    QApplication::setApplicationName("Zaveze");
    QApplication::setApplicationVersion(ZAVEZE_VERSION);
    QApplication::setDesktopFileName("org.zaveze.Zaveze");
    const Request request = Read_Command_Line(QApplication::arguments());
    if (request.handled) {
        return request.status;
    }

    zaveze::QtWindow window;
    window.show();
    if (!request.input.isEmpty()) {
        window.Open_Input_File(request.input);
    }
    return QApplication::exec();
}
