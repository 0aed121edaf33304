// SPDX-License-Identifier: MIT
// The window as the user first sees it, its fixed texts, the focus order and its own commands.

#include <QApplication>
#include <QGroupBox>

#include <QAbstractItemView>
#include <QAccessible>
#include <QFileInfo>
#include <QImage>
#include <QScreen>
#include <QSet>

#include "window_fixture.h"

using zaveze::testing::WindowFixture;

class StartupTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

  private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void windowIsFixedSizeTitledAndHasAnIcon() {
        QCOMPARE(f->Window().windowTitle(), QString("Zaveze"));
        QCOMPARE(f->Window().size(), QSize(1010, 442));
        QCOMPARE(f->Window().minimumSize(), f->Window().maximumSize());
        // The icon is really there: drawn pixels, not an empty or missing picture.
        for (const int size : {16, 32, 48}) {
            const QImage icon = f->Window().windowIcon().pixmap(size, size).toImage();
            QCOMPARE(icon.size(), QSize(size, size));
            QSet<QRgb> colours;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    if (qAlpha(icon.pixel(x, y)) > 0) {
                        colours.insert(icon.pixel(x, y));
                    }
                }
            }
            QVERIFY2(colours.size() > 2, qPrintable(QString::number(size)));
        }
        QCOMPARE(QApplication::focusWidget(), f->Get("txtInputFile"));
    }

    void theFrameIsCentredOnTheFreeArea() {
        const QRect available = QApplication::primaryScreen()->availableGeometry();
        const QPoint offset = f->Window().frameGeometry().center() - available.center();
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
    }

    // A dark theme's link colour, not a fixed blue that cannot be read on it.
    void theWebsiteLabelTakesThePalettesLinkColour() {
        QPalette dark = QApplication::palette();
        dark.setColor(QPalette::Window, QColor("#202124"));
        dark.setColor(QPalette::WindowText, QColor("#e8eaed"));
        dark.setColor(QPalette::Link, QColor("#8ab4f8"));
        QApplication::setPalette(dark);
        QCoreApplication::processEvents();
        QWidget* label = f->Get("lblWebsite");
        const QColor shown = label->palette().color(label->foregroundRole());
        QApplication::setPalette(QPalette());
        QCOMPARE(shown, QColor("#8ab4f8"));
        QVERIFY(label->styleSheet().isEmpty());
    }

    // Every control that takes the focus tells a screen reader what it is; the labels lead to
    // their boxes.
    void everyFocusableControlHasAnAccessibleName() {
        for (QWidget* control : f->Window().findChildren<QWidget*>()) {
            // Qt's own inner parts (a picker's text box) speak for their control.
            if ((control->focusPolicy() & Qt::TabFocus) == 0 || control->window() != &f->Window() ||
                control->objectName().startsWith("qt_")) {
                continue;
            }
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY(accessible != nullptr);
            QVERIFY2(!accessible->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(control->objectName()));
        }
        for (auto* list : f->Window().findChildren<QComboBox*>()) {
            QVERIFY2(!list->view()->accessibleName().isEmpty(), qPrintable(list->objectName()));
        }
        QCOMPARE(f->Get<QLabel>("lblBegin_Year")->buddy(), f->Get("txtBegin_Year"));
        QCOMPARE(f->Get<QLabel>("lblEnd_Day")->buddy(), f->Get("comboEnd_Day"));
        QCOMPARE(f->Get("txtInputFile")->accessibleName(), QString("Input KML file"));
        QCOMPARE(f->Get("dtPickEnd")->accessibleName(), QString("End time"));
        QVERIFY(f->Get("lblBegin_Date")->accessibleName().isEmpty());
        QVERIFY(f->Get("lblTime_Zone")->accessibleName().isEmpty());
    }

    void captionsAndToolTips_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        const auto row = [](const char* control, const char* caption, const char* tool_tip) {
            QTest::newRow(control) << control << caption << tool_tip;
        };
        row("cmdInputFile", "Open Input KML  File", "Select input KML file");
        row("cmdOutputFile", "Enter Output KML Filename", "Enter the output KML filename");
        row("cmdAuto_Output", "Auto Output File",
            "Generates output filename from input filename and dates");
        row("lblAuto_Output",
            "<=  Generates output filename by\n<= appending dates to the end of\n<= the original "
            "filename",
            "");
        row("cmdTimestamp", "Embed Time Information",
            "Embeds time information into input file, and writes output file");
        row("cmdReset", "Reset All", "Resets everything including filenames");
        row("cmdReset_Dates", "Reset Dates", "Resets the dates");
        row("cmdHelp", "Help", "Goes to post page on website about utility");
        row("cmdExit", "Exit", "Exit program");
        row("lblVersion", "Version 0.2 10/02/2007", "");
        row("lblWebsite",
            "This utility created by the Duriradu website; click here to visit the site", "");
        row("optTimeSpan", "TimeSpan",
            "TimeSpan: Enter a time interval. If you only enter the beginning time, the TimeSpan "
            "will run from that "
            "time to the present.");
        row("optTimeStamp", "TimeStamp", "TimeStamp: A single date only");
        row("chkSet_Time", "Enable time settings", "");
        row("chkUTC", "Correct for local time zone (unchecked is UTC)",
            "If you set the days, and need to have the days start and stop  at local time, check "
            "this box and set "
            "your local time zone relative to UTC (aka GMT) at right");
        row("lblTime_Zone_Caption", "Current time zone", "");
        row("lblTime_Zone", "+00", "Current timezone (relative to UTC)");
        row("lblSet_Timezone", "Set timezone", "");
        row("lblBegin", "Enter beginning of TimeSpan", "");
        row("lblBegin_Year", "Year", "");
        row("lblBegin_Month", "Month", "");
        row("lblBegin_Day", "Day", "");
        row("txtBegin_Year", "", "Beginning year");
        row("lblEnd", "Enter end of TimeSpan", "");
        row("lblEnd_Year", "Year", "");
        row("txtEnd_Year", "", "End year of timespan");
        row("cmdVerify_Dates", "Verify Dates",
            "Displays entered dates, and does a cursory validity verification");
        row("lblBegin_Date_Label", "Beginning of TimeSpan (Year-Month-Day Time)", "");
        row("lblBegin_Date", "", "");
        row("lblEnd_Date_Label", "End of TimeSpan", "");
        row("lblEnd_Date", "", "");
    }
    void captionsAndToolTips() {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QCOMPARE(f->Text(control.toUtf8().constData()), caption);
        QCOMPARE(f->Get(control.toUtf8().constData())->toolTip(), toolTip);
    }

    void listToolTipsAndModeGroup() {
        QCOMPARE(f->Get("comboBegin_Month")->toolTip(), QString("Beginning month"));
        QCOMPARE(f->Get("comboBegin_Day")->toolTip(), QString("Beginning day"));
        QCOMPARE(f->Get("comboEnd_Month")->toolTip(), QString("End month of time span"));
        QCOMPARE(f->Get("comboEnd_Day")->toolTip(), QString("End day of time span"));
        QCOMPARE(f->Get("comboTime_Zone")->toolTip(), QString("Set timezone (relative to UTC)"));
        auto* frame = f->Get<QGroupBox>("frameMode");
        QCOMPARE(frame->title(), QString("KML Time Info Mode"));
        QVERIFY(frame->isAncestorOf(f->Get("optTimeSpan")) &&
                frame->isAncestorOf(f->Get("optTimeStamp")));
        QVERIFY(f->Get<QRadioButton>("optTimeSpan")->isChecked());
        QVERIFY(!f->Get<QRadioButton>("optTimeStamp")->isChecked());
    }

    void fontsCarryTheEmphasis() {
        for (const char* name : {"cmdTimestamp", "cmdReset", "cmdReset_Dates", "cmdHelp", "cmdExit",
                                 "cmdVerify_Dates"}) {
            QVERIFY2(f->Get(name)->font().bold(), name);
            QCOMPARE(f->Get(name)->font().pointSizeF(), 9.75);
        }
        for (const char* name : {"lblTime_Zone", "lblBegin_Date", "lblEnd_Date"}) {
            QVERIFY2(f->Get(name)->font().bold(), name);
            QCOMPARE(f->Get(name)->font().pointSizeF(), 12.0);
        }
        for (const char* name :
             {"txtBegin_Year", "comboBegin_Month", "comboEnd_Day", "dtPickBegin", "dtPickEnd"}) {
            QVERIFY2(!f->Get(name)->font().bold(), name);
            QCOMPARE(f->Get(name)->font().pointSizeF(), 9.75);
        }
        QVERIFY(f->Get("lblWebsite")->font().bold());
        QVERIFY(!f->Get("cmdInputFile")->font().bold());
    }

    void onlyTheFirstStepsAcceptInput() {
        for (const char* name : {"txtInputFile", "cmdInputFile", "optTimeSpan", "optTimeStamp",
                                 "chkSet_Time", "chkUTC", "cmdReset", "cmdHelp", "cmdExit"}) {
            QVERIFY2(f->Enabled(name) && f->Shown(name), name);
        }
        for (const char* name :
             {"txtOutputFile", "cmdOutputFile", "cmdAuto_Output", "cmdTimestamp", "cmdReset_Dates",
              "txtBegin_Year", "txtEnd_Year", "comboBegin_Month", "comboBegin_Day",
              "comboEnd_Month", "comboEnd_Day", "cmdVerify_Dates"}) {
            QVERIFY2(!f->Enabled(name), name);
        }
        for (const char* name : {"dtPickBegin", "dtPickEnd", "lblTime_Zone", "lblTime_Zone_Caption",
                                 "comboTime_Zone", "lblSet_Timezone"}) {
            QVERIFY2(!f->Shown(name), name);
        }
        QVERIFY(!f->Enabled("dtPickBegin") && !f->Enabled("dtPickEnd"));
        QCOMPARE(f->Get<QTimeEdit>("dtPickBegin")->time(), QTime(0, 0));
        QCOMPARE(f->Get<QTimeEdit>("dtPickBegin")->displayFormat(), QString("HH:mm:ss"));
        QVERIFY(!f->Get<QCheckBox>("chkSet_Time")->isChecked());
        QVERIFY(!f->Get<QCheckBox>("chkUTC")->isChecked());
        QVERIFY(f->Entries("comboBegin_Month").isEmpty());
    }

    void zoneListIsFilledWithNothingPicked() {
        const QStringList zones = f->Entries("comboTime_Zone");
        QCOMPARE(zones.size(), 25);
        QCOMPARE(zones.first(), QString("-12"));
        QCOMPARE(zones.at(12), QString("+00"));
        QCOMPARE(zones.last(), QString("+12"));
        QCOMPARE(f->Get<QComboBox>("comboTime_Zone")->currentIndex(), -1);
    }

    void formStateStartsEmpty() {
        const auto& state = f->State();
        QVERIFY(state.strInput_File.empty() && state.strOutput_File.empty());
        QVERIFY(state.strBegin_Date.empty() && state.strEnd_Date.empty());
        QVERIFY(!state.bBegin_Year_Set && !state.bEnd_Year_Set);
        QCOMPARE(state.strDate_Format, std::string("Year-Month-Day Time"));
    }

    void tabMovesThroughTheEnabledControlsInOrder() {
        const QStringList expected = {"cmdInputFile", "cmdHelp", "cmdExit",     "cmdReset",
                                      "optTimeSpan",  "chkUTC",  "chkSet_Time", "txtInputFile"};
        QStringList visited;
        for (int step = 0; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void tabOrderWithEverythingEnabled() {
        f->Choose_Input();
        f->Enter_Date(WindowFixture::Side::Begin, "2007", "10", "02");
        f->Enter_Date(WindowFixture::Side::End, "2008", "01", "05");
        f->Click("chkSet_Time");
        f->Type("txtOutputFile", "x");
        f->Get("txtInputFile")->setFocus();
        const QStringList expected = {
            "txtOutputFile",  "cmdInputFile",    "cmdOutputFile",    "cmdTimestamp",
            "cmdHelp",        "cmdExit",         "txtBegin_Year",    "comboBegin_Day",
            "txtEnd_Year",    "comboEnd_Day",    "comboBegin_Month", "comboEnd_Month",
            "cmdReset",       "cmdVerify_Dates", "optTimeSpan",      "cmdReset_Dates",
            "cmdAuto_Output", "comboTime_Zone",  "dtPickBegin",      "dtPickEnd",
            "chkSet_Time",    "txtInputFile"};
        QStringList visited;
        for (int step = 0; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            // the pickers take the focus in their inner text box
            while (focused->objectName().isEmpty() && focused->parentWidget() != nullptr) {
                focused = focused->parentWidget();
            }
            visited << focused->objectName();
        }
        QCOMPARE(visited, expected);
    }

    // Both open the user guide that ships with the program, not a site on the network.
    void helpAndWebsiteOpenTheUserGuide() {
        f->Click("cmdHelp");
        f->Click("lblWebsite");
        f->Click("cmdHelp");
        QCOMPARE(f->services.opened.size(), std::size_t{3});
        const QUrl guide = f->services.opened[0];
        QVERIFY(guide.isLocalFile());
        QVERIFY(guide.toLocalFile().endsWith("/user-guide.html"));
        QVERIFY(QFileInfo::exists(guide.toLocalFile()));
        QVERIFY(guide.fragment().isEmpty());
        QCOMPARE(f->services.opened[1].adjusted(QUrl::RemoveFragment), guide);
        QCOMPARE(f->services.opened[1].fragment(), QString("about"));
        QVERIFY(f->Window().isVisible());
    }

    void exitClosesTheWindow() {
        f->Type("txtInputFile", "anything");
        f->Click("cmdExit");
        QVERIFY(!f->Window().isVisible());
        QVERIFY(f->services.messages.empty());
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
