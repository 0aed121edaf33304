// SPDX-License-Identifier: MIT
// The window's controls: kinds, captions, tool tips, fonts, places, handlers and focus order.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

#include "window/clickable_label.h"
#include "window/frm_time_stamper.h"
#include "window/time_format.h"
#include "window/time_picker.h"

namespace zaveze {
namespace {

enum class Weight { Regular, Bold };

void Set_Font(QWidget* widget, qreal points, Weight weight) {
    QFont font = widget->font();
    font.setPointSizeF(points);
    font.setBold(weight == Weight::Bold);
    widget->setFont(font);
}

template <class Control>
Control* Place(Control* control, int x, int y, int width, int height,
               const char* tool_tip = nullptr) {
    control->setGeometry(x, y, width, height);
    if (tool_tip != nullptr) {
        control->setToolTip(QString::fromUtf8(tool_tip));
    }
    return control;
}

QLabel* Centred(QLabel* label) {
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QComboBox* Drop_Down_List(QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setEditable(false);
    list->setMaxVisibleItems(12);
    return list;
}

}  // namespace

void frmTimeStamper::Create_Controls() {
    constexpr qreal kStandard = 8.25;
    constexpr qreal kLarge = 9.75;
    Set_Font(this, kStandard, Weight::Regular);

    constexpr qreal kResult = 12.0;

    // Files and commands, the left half.
    txtInputFile = Place(new QLineEdit(this), 10, 18, 285, 28);
    cmdInputFile = Place(new QPushButton("Open Input KML  File", this), 301, 16, 205, 32,
                         "Select input KML file");
    txtOutputFile = Place(new QLineEdit(this), 10, 64, 285, 28);
    cmdOutputFile = Place(new QPushButton("Enter Output KML Filename", this), 301, 62, 205, 32,
                          "Enter the output KML filename");
    cmdAuto_Output = Place(new QPushButton("Auto Output File", this), 10, 124, 96, 56,
                           "Generates output filename from input filename and dates");
    lblAuto_Output =
        Place(new QLabel("<=  Generates output filename by\n<= appending dates to the end of\n"
                         "<= the original filename",
                         this),
              110, 124, 194, 56);
    cmdTimestamp = Place(new QPushButton("Embed Time Information", this), 308, 114, 198, 76,
                         "Embeds time information into input file, and writes output file");
    cmdReset = Place(new QPushButton("Reset All", this), 10, 250, 140, 46,
                     "Resets everything including filenames");
    cmdReset_Dates =
        Place(new QPushButton("Reset Dates", this), 160, 250, 140, 46, "Resets the dates");
    cmdHelp = Place(new QPushButton("Help", this), 10, 306, 140, 46,
                    "Goes to post page on website about utility");
    cmdExit = Place(new QPushButton("Exit", this), 160, 306, 140, 46, "Exit program");
    for (QPushButton* button : {cmdTimestamp, cmdReset, cmdReset_Dates, cmdHelp, cmdExit}) {
        Set_Font(button, kLarge, Weight::Bold);
    }
    lblVersion = Centred(Place(new QLabel("Version 0.2 10/02/2007", this), 330, 276, 110, 44));
    lblVersion->setWordWrap(true);
    lblWebsite = Place(
        new ClickableLabel(
            "This utility created by the Duriradu website; click here to visit the site", this),
        10, 398, 496, 32);
    Centred(lblWebsite);
    Set_Font(lblWebsite, 8.25, Weight::Bold);
    lblWebsite->setForegroundRole(QPalette::Link);  // readable on dark themes too
    lblWebsite->setCursor(Qt::PointingHandCursor);

    // Mode and time settings, top right.
    frameMode = Place(
        new QGroupBox("KML Time Info Mode", this), 512, 8, 250, 60,
        "Choose the type of time info to embed into the KML file, a span of time (TimeSpan) or a "
        "single point in time (TimeStamp)");
    optTimeSpan = Place(
        new QRadioButton("TimeSpan", frameMode), 14, 28, 100, 22,
        "TimeSpan: Enter a time interval. If you only enter the beginning time, the TimeSpan will "
        "run from that time to the present.");
    optTimeStamp = Place(new QRadioButton("TimeStamp", frameMode), 130, 28, 110, 22,
                         "TimeStamp: A single date only");
    optTimeSpan->setChecked(true);
    chkSet_Time = Place(new QCheckBox("Enable time settings", this), 512, 78, 300, 22);
    chkUTC = Place(new QCheckBox("Correct for local time zone (unchecked is UTC)", this), 512, 104,
                   300, 22,
                   "If you set the days, and need to have the days start and stop  at local time, "
                   "check this box "
                   "and set your local time zone relative to UTC (aka GMT) at right");
    lblTime_Zone_Caption = Place(new QLabel("Current time zone", this), 830, 78, 100, 22);
    lblTime_Zone =
        Centred(Place(new QLabel(this), 935, 74, 60, 28, "Current timezone (relative to UTC)"));
    Set_Font(lblTime_Zone, kResult, Weight::Bold);
    lblSet_Timezone = Place(new QLabel("Set timezone", this), 830, 104, 100, 22);
    comboTime_Zone =
        Place(Drop_Down_List(this), 935, 102, 60, 26, "Set timezone (relative to UTC)");
    comboTime_Zone->setMaxVisibleItems(25);

    // Date entry, middle right: a begin block and an end block.
    lblBegin = Centred(Place(new QLabel("Enter beginning of TimeSpan", this), 512, 140, 230, 20));
    lblBegin_Year = Place(new QLabel("Year", this), 512, 162, 48, 18);
    lblBegin_Month = Place(new QLabel("Month", this), 564, 162, 44, 18);
    lblBegin_Day = Place(new QLabel("Day", this), 612, 162, 44, 18);
    txtBegin_Year = Place(new QLineEdit(this), 512, 182, 48, 28, "Beginning year");
    comboBegin_Month = Place(Drop_Down_List(this), 564, 182, 44, 28, "Beginning month");
    comboBegin_Day = Place(Drop_Down_List(this), 612, 182, 44, 28, "Beginning day");
    dtPickBegin = Place(new TimePicker(this), 660, 182, 82, 28);
    dtPickBegin->setDisplayFormat("HH:mm:ss");

    lblEnd = Centred(Place(new QLabel("Enter end of TimeSpan", this), 748, 140, 252, 20));
    lblEnd_Year = Place(new QLabel("Year", this), 748, 162, 48, 18);
    lblEnd_Month = Place(new QLabel("Month", this), 800, 162, 44, 18);
    lblEnd_Day = Place(new QLabel("Day", this), 848, 162, 44, 18);
    txtEnd_Year = Place(new QLineEdit(this), 748, 182, 48, 28, "End year of timespan");
    comboEnd_Month = Place(Drop_Down_List(this), 800, 182, 44, 28, "End month of time span");
    comboEnd_Day = Place(Drop_Down_List(this), 848, 182, 44, 28, "End day of time span");
    dtPickEnd = Place(new TimePicker(this), 896, 182, 104, 28);
    dtPickEnd->setDisplayFormat(
        Time_Format_Without_Zone(QLocale::system().timeFormat(QLocale::LongFormat)));

    for (QLineEdit* year : {txtBegin_Year, txtEnd_Year}) {
        year->setAlignment(Qt::AlignCenter);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             txtBegin_Year, comboBegin_Month, comboBegin_Day, dtPickBegin, txtEnd_Year,
             comboEnd_Month, comboEnd_Day, dtPickEnd}) {
        Set_Font(control, kLarge, Weight::Regular);
    }
    cmdVerify_Dates = Place(new QPushButton("Verify Dates", this), 512, 224, 150, 36,
                            "Displays entered dates, and does a cursory validity verification");
    Set_Font(cmdVerify_Dates, kLarge, Weight::Bold);

    // Verification results, bottom right.
    lblBegin_Date_Label = Centred(Place(new QLabel(this), 512, 300, 230, 40));
    lblBegin_Date = Centred(Place(new QLabel(this), 512, 344, 230, 32));
    lblEnd_Date_Label = Centred(Place(new QLabel("End of TimeSpan", this), 748, 300, 252, 40));
    lblEnd_Date = Centred(Place(new QLabel(this), 748, 344, 252, 32));
    for (QLabel* caption : {lblBegin_Date_Label, lblEnd_Date_Label}) {
        caption->setWordWrap(true);
    }
    for (QLabel* result : {lblBegin_Date, lblEnd_Date}) {
        Set_Font(result, kResult, Weight::Bold);
    }
    Name_Controls();
    Describe_For_Screen_Readers();
}

// What a screen reader says for each control. Buttons, options and check boxes are read by their
// captions; boxes and lists get their tool tip or a name of their own, and the "Year", "Month",
// "Day" labels lead to their boxes. Labels whose text changes (results, the zone) keep no fixed
// name, so the reader reads what they show.
void frmTimeStamper::Describe_For_Screen_Readers() {
    txtInputFile->setAccessibleName("Input KML file");
    txtOutputFile->setAccessibleName("Output KML file");
    dtPickBegin->setAccessibleName("Beginning time");
    dtPickEnd->setAccessibleName("End time");
    for (QWidget* control : std::initializer_list<QWidget*>{
             txtBegin_Year, comboBegin_Month, comboBegin_Day, txtEnd_Year, comboEnd_Month,
             comboEnd_Day, comboTime_Zone}) {
        control->setAccessibleName(control->toolTip());
    }
    // A list's drop-down is read under the list's own name.
    for (QComboBox* list :
         {comboBegin_Month, comboBegin_Day, comboEnd_Month, comboEnd_Day, comboTime_Zone}) {
        list->view()->setAccessibleName(list->accessibleName());
    }
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {lblBegin_Year, txtBegin_Year},    {lblBegin_Month, comboBegin_Month},
        {lblBegin_Day, comboBegin_Day},    {lblEnd_Year, txtEnd_Year},
        {lblEnd_Month, comboEnd_Month},    {lblEnd_Day, comboEnd_Day},
        {lblSet_Timezone, comboTime_Zone},
    };
    for (const auto& [label, control] : buddies) {
        label->setBuddy(control);
    }
}

// Every control answers to its own name, for accessibility tools and for the tests.
void frmTimeStamper::Name_Controls() {
    const std::pair<QWidget*, const char*> names[] = {
        {txtInputFile, "txtInputFile"},
        {cmdInputFile, "cmdInputFile"},
        {txtOutputFile, "txtOutputFile"},
        {cmdOutputFile, "cmdOutputFile"},
        {cmdAuto_Output, "cmdAuto_Output"},
        {lblAuto_Output, "lblAuto_Output"},
        {cmdTimestamp, "cmdTimestamp"},
        {cmdReset, "cmdReset"},
        {cmdReset_Dates, "cmdReset_Dates"},
        {cmdHelp, "cmdHelp"},
        {cmdExit, "cmdExit"},
        {lblVersion, "lblVersion"},
        {lblWebsite, "lblWebsite"},
        {frameMode, "frameMode"},
        {optTimeSpan, "optTimeSpan"},
        {optTimeStamp, "optTimeStamp"},
        {chkSet_Time, "chkSet_Time"},
        {chkUTC, "chkUTC"},
        {lblTime_Zone_Caption, "lblTime_Zone_Caption"},
        {lblTime_Zone, "lblTime_Zone"},
        {lblSet_Timezone, "lblSet_Timezone"},
        {comboTime_Zone, "comboTime_Zone"},
        {lblBegin, "lblBegin"},
        {lblBegin_Year, "lblBegin_Year"},
        {lblBegin_Month, "lblBegin_Month"},
        {lblBegin_Day, "lblBegin_Day"},
        {txtBegin_Year, "txtBegin_Year"},
        {comboBegin_Month, "comboBegin_Month"},
        {comboBegin_Day, "comboBegin_Day"},
        {dtPickBegin, "dtPickBegin"},
        {lblEnd, "lblEnd"},
        {lblEnd_Year, "lblEnd_Year"},
        {lblEnd_Month, "lblEnd_Month"},
        {lblEnd_Day, "lblEnd_Day"},
        {txtEnd_Year, "txtEnd_Year"},
        {comboEnd_Month, "comboEnd_Month"},
        {comboEnd_Day, "comboEnd_Day"},
        {dtPickEnd, "dtPickEnd"},
        {cmdVerify_Dates, "cmdVerify_Dates"},
        {lblBegin_Date_Label, "lblBegin_Date_Label"},
        {lblBegin_Date, "lblBegin_Date"},
        {lblEnd_Date_Label, "lblEnd_Date_Label"},
        {lblEnd_Date, "lblEnd_Date"},
    };
    for (const auto& [control, name] : names) {
        control->setObjectName(name);
    }
}

void frmTimeStamper::Connect_Handlers() {
    connect(cmdInputFile, &QPushButton::clicked, this, &frmTimeStamper::cmdInputFile_Click);
    connect(cmdOutputFile, &QPushButton::clicked, this, &frmTimeStamper::cmdOutputFile_Click);
    connect(cmdAuto_Output, &QPushButton::clicked, this, &frmTimeStamper::cmdAuto_Output_Click);
    connect(txtOutputFile, &QLineEdit::textChanged, this, &frmTimeStamper::txtOutputFile_Change);
    connect(cmdTimestamp, &QPushButton::clicked, this, &frmTimeStamper::cmdTimestamp_Click);

    connect(txtBegin_Year, &QLineEdit::textChanged, this, &frmTimeStamper::txtBegin_Year_Change);
    connect(txtEnd_Year, &QLineEdit::textChanged, this, &frmTimeStamper::txtEnd_Year_Change);
    connect(comboBegin_Month, &QComboBox::activated, this, &frmTimeStamper::comboBegin_Month_Click);
    connect(comboEnd_Month, &QComboBox::activated, this, &frmTimeStamper::comboEnd_Month_Click);
    connect(comboBegin_Day, &QComboBox::activated, this, &frmTimeStamper::comboBegin_Day_Click);
    connect(comboEnd_Day, &QComboBox::activated, this, &frmTimeStamper::comboEnd_Day_Click);
    connect(cmdVerify_Dates, &QPushButton::clicked, this, &frmTimeStamper::cmdVerify_Dates_Click);

    connect(chkSet_Time, &QCheckBox::toggled, this, &frmTimeStamper::chkSet_Time_Click);
    connect(chkUTC, &QCheckBox::toggled, this, &frmTimeStamper::chkUTC_Click);
    connect(comboTime_Zone, &QComboBox::activated, this, &frmTimeStamper::comboTime_Zone_Click);

    // Only the user changes the mode; the handler runs once the selection has moved.
    connect(optTimeSpan, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected) {
            optTimeSpan_Click();
        }
    });
    connect(optTimeStamp, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected) {
            optTimeStamp_Click();
        }
    });
    connect(cmdReset, &QPushButton::clicked, this, &frmTimeStamper::cmdReset_Click);
    connect(cmdReset_Dates, &QPushButton::clicked, this, &frmTimeStamper::cmdReset_Dates_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmTimeStamper::cmdHelp_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmTimeStamper::cmdExit_Click);
    connect(lblWebsite, &ClickableLabel::clicked, this, &frmTimeStamper::lblWebsite_Click);
}

void frmTimeStamper::Set_Tab_Order() {
    QWidget* const order[] = {txtInputFile,   txtOutputFile,  cmdInputFile,    cmdOutputFile,
                              cmdTimestamp,   cmdHelp,        cmdExit,         txtBegin_Year,
                              comboBegin_Day, txtEnd_Year,    comboEnd_Day,    comboBegin_Month,
                              comboEnd_Month, cmdReset,       cmdVerify_Dates, optTimeSpan,
                              cmdReset_Dates, cmdAuto_Output, comboTime_Zone,  chkUTC,
                              dtPickBegin,    dtPickEnd,      chkSet_Time};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    setTabOrder(optTimeSpan, optTimeStamp);
    setTabOrder(optTimeStamp, cmdReset_Dates);
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setFocusPolicy(Qt::NoFocus);
    }
}

}  // namespace zaveze
