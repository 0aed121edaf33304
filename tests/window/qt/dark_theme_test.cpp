// SPDX-License-Identifier: MIT
// The window on a dark theme: every text it draws stays readable, the website label included.
// With ZAVEZE_PICTURE_DIR set, the test also leaves its picture there (tools/screenshot uses it).

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QStyleFactory>

#include "window_fixture.h"

using zaveze::testing::WindowFixture;
using Side = WindowFixture::Side;

namespace {

double Luminance(QColor colour) {
    const auto channel = [](double value) {
        value /= 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

// The contrast ratio of the web's accessibility guidelines: 1 (none) to 21.
double Contrast(QColor a, QColor b) {
    const double light = std::max(Luminance(a), Luminance(b));
    const double dark = std::min(Luminance(a), Luminance(b));
    return (light + 0.05) / (dark + 0.05);
}

QPalette Dark_Palette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor("#202124"));
    dark.setColor(QPalette::WindowText, QColor("#e8eaed"));
    dark.setColor(QPalette::Base, QColor("#2b2c30"));
    dark.setColor(QPalette::AlternateBase, QColor("#303134"));
    dark.setColor(QPalette::Text, QColor("#e8eaed"));
    dark.setColor(QPalette::Button, QColor("#35363a"));
    dark.setColor(QPalette::ButtonText, QColor("#e8eaed"));
    dark.setColor(QPalette::Highlight, QColor("#8ab4f8"));
    dark.setColor(QPalette::HighlightedText, QColor("#202124"));
    dark.setColor(QPalette::ToolTipBase, QColor("#303134"));
    dark.setColor(QPalette::ToolTipText, QColor("#e8eaed"));
    dark.setColor(QPalette::Link, QColor("#8ab4f8"));
    dark.setColor(QPalette::PlaceholderText, QColor("#9aa0a6"));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(QPalette::Disabled, role, QColor("#80868b"));
    }
    return dark;
}

}  // namespace

class DarkThemeTest : public QObject {
    Q_OBJECT

  private slots:
    void theWebsiteLabelIsReadableOnADarkTheme() {
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        QApplication::setPalette(Dark_Palette());
        WindowFixture f;
        f.Choose_Input("sundials.kml");
        f.Enter_Date(Side::Begin, "1851", "06", "02");
        f.Enter_Date(Side::End, "1851", "11", "16");
        f.Click("cmdVerify_Dates");
        f.Click("cmdAuto_Output");
        QCoreApplication::processEvents();

        const QImage picture = f.Window().grab().toImage();
        if (const QByteArray folder = qgetenv("ZAVEZE_PICTURE_DIR"); !folder.isEmpty()) {
            picture.save(QString::fromLocal8Bit(folder) + "/zaveze-window-dark.png");
        }
        QWidget* label = f.Get("lblWebsite");
        const QRect area(label->mapTo(&f.Window(), QPoint(0, 0)), label->size());
        const QColor background = Dark_Palette().color(QPalette::Window);
        double best = 1.0;  // the text's own colour is the one farthest from the background
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                best = std::max(best, Contrast(picture.pixelColor(x, y), background));
            }
        }
        QVERIFY2(best >= 4.5, qPrintable(QString::number(best)));
        QApplication::setPalette(QPalette());
    }
};

QTEST_MAIN(DarkThemeTest)
#include "dark_theme_test.moc"
