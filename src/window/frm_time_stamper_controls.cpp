// SPDX-License-Identifier: MIT
// The window's controls, built from the control table, their handlers and their focus order.

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

#include "form/control_table.h"
#include "window/clickable_label.h"
#include "window/frm_time_stamper.h"
#include "window/time_format.h"
#include "window/time_picker.h"

namespace zaveze {
namespace {

using form::ControlKind;
using form::ControlSpec;

QWidget* Make(const ControlSpec& spec, QWidget* parent) {
    const QString caption =
        QString::fromUtf8(spec.caption.data(), static_cast<int>(spec.caption.size()));
    switch (spec.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(caption, parent);
            label->setFocusPolicy(Qt::NoFocus);
            label->setWordWrap(spec.word_wrap);
            return label;
        }
        case ControlKind::LinkLabel: {
            auto* label = new ClickableLabel(caption, parent);
            label->setFocusPolicy(Qt::NoFocus);
            label->setForegroundRole(QPalette::Link);  // readable on dark themes too
            label->setCursor(Qt::PointingHandCursor);
            return label;
        }
        case ControlKind::TextBox:
            return new QLineEdit(parent);
        case ControlKind::Button:
            return new QPushButton(caption, parent);
        case ControlKind::CheckBox:
            return new QCheckBox(caption, parent);
        case ControlKind::OptionButton: {
            auto* option = new QRadioButton(caption, parent);
            option->setChecked(spec.checked);
            return option;
        }
        case ControlKind::Frame:
            return new QGroupBox(caption, parent);
        case ControlKind::DropDownList: {
            auto* list = new QComboBox(parent);
            list->setEditable(false);
            list->setMaxVisibleItems(spec.visible_entries);
            return list;
        }
        case ControlKind::TimePicker:
            return new TimePicker(parent);
    }
    return nullptr;
}

void Centre_Text(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setAlignment(Qt::AlignCenter);
    } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
        box->setAlignment(Qt::AlignCenter);
    }
}

QString Text_Of(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace

// Builds every control from the table: kind, place, caption, tool tip, font, name.
void frmTimeStamper::Create_Controls() {
    QFont standard = font();
    standard.setPointSizeF(form::kStandardFont.points);
    setFont(standard);
    for (const ControlSpec& spec : form::Controls()) {
        QWidget* parent = spec.frame.empty() ? this : findChild<QWidget*>(Text_Of(spec.frame));
        QWidget* control = Make(spec, parent);
        control->setObjectName(Text_Of(spec.name));
        control->setGeometry(spec.place.x, spec.place.y, spec.place.width, spec.place.height);
        control->setToolTip(Text_Of(spec.tool_tip));
        QFont font = control->font();
        font.setPointSizeF(spec.font.points);
        font.setBold(spec.font.bold);
        control->setFont(font);
        if (spec.centred) {
            Centre_Text(control);
        }
    }
    Bind_Controls();
    dtPickBegin->setDisplayFormat("HH:mm:ss");
    dtPickEnd->setDisplayFormat(
        Time_Format_Without_Zone(QLocale::system().timeFormat(QLocale::LongFormat)));
    Describe_For_Screen_Readers();
}

// The controls the handlers use by name.
void frmTimeStamper::Bind_Controls() {
    const auto bind = [this](auto*& member, const char* name) {
        member = findChild<std::remove_reference_t<decltype(*member)>*>(name);
        Q_ASSERT(member != nullptr);
    };
    bind(txtInputFile, "txtInputFile");
    bind(cmdInputFile, "cmdInputFile");
    bind(txtOutputFile, "txtOutputFile");
    bind(cmdOutputFile, "cmdOutputFile");
    bind(cmdAuto_Output, "cmdAuto_Output");
    bind(lblAuto_Output, "lblAuto_Output");
    bind(cmdTimestamp, "cmdTimestamp");
    bind(cmdReset, "cmdReset");
    bind(cmdReset_Dates, "cmdReset_Dates");
    bind(cmdHelp, "cmdHelp");
    bind(cmdExit, "cmdExit");
    bind(lblVersion, "lblVersion");
    bind(lblWebsite, "lblWebsite");
    bind(frameMode, "frameMode");
    bind(optTimeSpan, "optTimeSpan");
    bind(optTimeStamp, "optTimeStamp");
    bind(chkSet_Time, "chkSet_Time");
    bind(chkUTC, "chkUTC");
    bind(lblTime_Zone_Caption, "lblTime_Zone_Caption");
    bind(lblTime_Zone, "lblTime_Zone");
    bind(lblSet_Timezone, "lblSet_Timezone");
    bind(comboTime_Zone, "comboTime_Zone");
    bind(lblBegin, "lblBegin");
    bind(lblBegin_Year, "lblBegin_Year");
    bind(lblBegin_Month, "lblBegin_Month");
    bind(lblBegin_Day, "lblBegin_Day");
    bind(txtBegin_Year, "txtBegin_Year");
    bind(comboBegin_Month, "comboBegin_Month");
    bind(comboBegin_Day, "comboBegin_Day");
    bind(dtPickBegin, "dtPickBegin");
    bind(lblEnd, "lblEnd");
    bind(lblEnd_Year, "lblEnd_Year");
    bind(lblEnd_Month, "lblEnd_Month");
    bind(lblEnd_Day, "lblEnd_Day");
    bind(txtEnd_Year, "txtEnd_Year");
    bind(comboEnd_Month, "comboEnd_Month");
    bind(comboEnd_Day, "comboEnd_Day");
    bind(dtPickEnd, "dtPickEnd");
    bind(cmdVerify_Dates, "cmdVerify_Dates");
    bind(lblBegin_Date_Label, "lblBegin_Date_Label");
    bind(lblBegin_Date, "lblBegin_Date");
    bind(lblEnd_Date_Label, "lblEnd_Date_Label");
    bind(lblEnd_Date, "lblEnd_Date");
}

// What a screen reader says for each control, from the table: boxes, lists and pickers by their
// names there (a list's drop-down too), labels such as "Year" lead to the control they name.
void frmTimeStamper::Describe_For_Screen_Readers() {
    for (const ControlSpec& spec : form::Controls()) {
        auto* control = findChild<QWidget*>(Text_Of(spec.name));
        if (!spec.accessible_name.empty()) {
            control->setAccessibleName(Text_Of(spec.accessible_name));
            if (auto* list = qobject_cast<QComboBox*>(control)) {
                list->view()->setAccessibleName(list->accessibleName());
            }
        }
        if (!spec.names.empty()) {
            static_cast<QLabel*>(control)->setBuddy(findChild<QWidget*>(Text_Of(spec.names)));
        }
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
    const auto order = form::Focus_Order();
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(findChild<QWidget*>(Text_Of(order[i])),
                    findChild<QWidget*>(Text_Of(order[i + 1])));
    }
}

}  // namespace zaveze
