#include <QApplication>

#include "core/termination_cleanup.h"
#include "window/frm_time_stamper.h"
#include "window/qt_platform_services.h"

int main(int argc, char** argv) {
    // Closing the terminal or a kill during a job leaves no scratch file behind.
    zaveze::Install_Termination_Cleanup();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Zaveze");
    QApplication::setApplicationVersion(ZAVEZE_VERSION);
    QApplication::setDesktopFileName("zaveze");

    zaveze::QtPlatformServices services;
    zaveze::frmTimeStamper window(services);
    window.show();
    return QApplication::exec();
}
