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

#include "form/control_table.h"
#include "window/qt/user_guide.h"
#include "window_fixture.h"

using zaveze::testing::WindowFixture;
using Side = WindowFixture::Side;

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

    // Every control is built as the table says: its kind, place, caption, tool tip, font and
    // frame. The captions that the start-up itself sets are the exceptions.
    void everyControlIsBuiltFromTheTable() {
        const QSet<QString> set_at_load = {"lblTime_Zone", "lblBegin_Date_Label"};
        for (const zaveze::form::ControlSpec& spec : zaveze::form::Control_Table()) {
            const std::string name(spec.name);
            QWidget* control = f->Get(name.c_str());
            const auto& [x, y, width, height] = spec.place;
            QCOMPARE(control->geometry(), QRect(x, y, width, height));
            QCOMPARE(control->toolTip(), QString::fromStdString(std::string(spec.tool_tip)));
            QCOMPARE(control->font().pointSizeF(), spec.font.points);
            QCOMPARE(control->font().bold(), spec.font.bold);
            QCOMPARE(control->parentWidget(),
                     spec.frame.empty() ? &f->Window() : f->Get(std::string(spec.frame).c_str()));
            if (!set_at_load.contains(QString::fromStdString(name)) && !spec.caption.empty()) {
                QCOMPARE(f->Text(name.c_str()), QString::fromStdString(std::string(spec.caption)));
            }
        }
        QVERIFY(f->Get<QRadioButton>("optTimeSpan")->isChecked());
        QVERIFY(!f->Get<QRadioButton>("optTimeStamp")->isChecked());
        QCOMPARE(f->Get<QTimeEdit>("dtPickBegin")->displayFormat(), QString("HH:mm:ss"));
    }

    void tabOrderWithEverythingEnabled() {
        f->Choose_Input();
        f->Enter_Date(Side::Begin, "2007", "10", "02");
        f->Enter_Date(Side::End, "2008", "01", "05");
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
    void theUserGuideIsALocalFile() {
        const QUrl guide = zaveze::User_Guide_Address();
        QVERIFY(guide.isLocalFile());
        QVERIFY(guide.toLocalFile().endsWith("/user-guide.html"));
        QVERIFY(QFileInfo::exists(guide.toLocalFile()));
        QVERIFY(guide.fragment().isEmpty());
        const QUrl about = zaveze::User_Guide_Address("about");
        QCOMPARE(about.adjusted(QUrl::RemoveFragment), guide);
        QCOMPARE(about.fragment(), QString("about"));
    }

    void exitClosesTheWindow() {
        f->Click("cmdExit");
        QVERIFY(!f->Window().isVisible());
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
