#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "core/termination_cleanup.h"
#include "window/frm_time_stamper.h"
#include "window/qt_platform_services.h"

namespace {

// What the command line asks of the program.
struct Request {
    bool handled = false;  // --help, --version or bad usage: printed, nothing more to do
    int status = 0;
    QString input;         // a KML file to take, as if chosen in the input dialog
};

void Describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Adds time information (a TimeStamp or a TimeSpan) to a copy of a KML file.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("FILE", "The KML file to open, as if chosen with \"Open Input KML  File\".",
                                 "[FILE]");
}

// Reads the command line before any window exists, so --help and --version need no display.
Request Read_Command_Line(int argc, char** argv) {
    QCoreApplication reader(argc, argv);
    QCoreApplication::setApplicationName("zaveze");
    QCoreApplication::setApplicationVersion(ZAVEZE_VERSION);
    QCommandLineParser parser;
    Describe(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "zaveze: %s\n", qPrintable(parser.errorText()));
        return {true, 2, {}};
    }
    if (parser.isSet("help")) {
        const QString help = parser.helpText();
        const bool written = std::fputs(qPrintable(help), stdout) >= 0 && std::fflush(stdout) == 0;
        return {true, written ? 0 : 3, {}};
    }
    if (parser.isSet("version")) {
        const bool written = std::printf("zaveze %s\n", ZAVEZE_VERSION) > 0 && std::fflush(stdout) == 0;
        return {true, written ? 0 : 3, {}};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "zaveze: one FILE at most\n");
        return {true, 2, {}};
    }
    return {false, 0, files.isEmpty() ? QString() : QDir::current().absoluteFilePath(files[0])};
}

}  // namespace

int main(int argc, char** argv) {
    // Closing the terminal or a kill during a job leaves no scratch file behind.
    zaveze::Install_Termination_Cleanup();
    const Request request = Read_Command_Line(argc, argv);
    if (request.handled) {
        return request.status;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName("Zaveze");
    QApplication::setApplicationVersion(ZAVEZE_VERSION);
    QApplication::setDesktopFileName("zaveze");

    zaveze::QtPlatformServices services;
    zaveze::frmTimeStamper window(services);
    window.show();
    if (!request.input.isEmpty()) {
        window.Open_Input_File(request.input);
    }
    return QApplication::exec();
}
