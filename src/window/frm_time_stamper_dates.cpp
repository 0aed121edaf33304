// SPDX-License-Identifier: MIT
// Date entry, the time settings and the date verification.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

#include "core/messages.h"
#include "datetime/calendar.h"
#include "datetime/date_text.h"
#include "datetime/time_zones.h"
#include "datetime/to_24_hour.h"
#include "datetime/verification.h"
#include "datetime/year_validation.h"
#include "window/frm_time_stamper.h"
#include "window/qt_bridge.h"

namespace zaveze {
namespace {

// A picker's value as the 12-hour English text ("3:45:12 PM"), whatever the user's locale.
std::string Picker_Value_Text(const QTimeEdit* picker) {
    return QLocale::c().toString(picker->time(), "h:mm:ss AP").toStdString();
}

std::string Text_Of(const QLineEdit* box) {
    return box->text().toStdString();
}
std::string Text_Of(const QComboBox* list) {
    return list->currentText().toStdString();
}

// Builds one side's date text, and tidies the side when its year box has been emptied.
void Build_Side(bool year_set, const QLineEdit* year, QComboBox* month, QComboBox* day,
                QTimeEdit* picker, std::string& date) {
    if (!year_set) {
        return;
    }
    date = Build_Date_Text({Text_Of(year), Text_Of(month), Text_Of(day)});
    if (date.empty()) {
        month->clear();
        day->clear();
        picker->setTime(QTime(0, 0));
    }
}

}  // namespace

void frmTimeStamper::txtBegin_Year_Change() {
    Year_Changed(state_.bBegin_Year_Set, comboBegin_Month, &frmTimeStamper::Fill_Begin_Months);
}

void frmTimeStamper::txtEnd_Year_Change() {
    Year_Changed(state_.bEnd_Year_Set, comboEnd_Month, &frmTimeStamper::Fill_End_Months);
}

// Any change of a year box, emptying it included, offers that side's months afresh and the
// commands that work on dates.
void frmTimeStamper::Year_Changed(bool& year_set, QComboBox* months,
                                  void (frmTimeStamper::*fill_months)()) {
    year_set = true;
    months->setEnabled(true);
    cmdAuto_Output->setEnabled(true);
    (this->*fill_months)();
    cmdVerify_Dates->setEnabled(true);
    cmdReset_Dates->setEnabled(true);
}

bool frmTimeStamper::Year_May_Be_Left(QLineEdit* year_box) {
    const auto refusal = messages::Year_Refusal(Validate_Year(Text_Of(year_box)));
    if (refusal) {
        services_.Show_Message(this, {To_QString(messages::kDataErrorTitle), To_QString(*refusal),
                                      MessageIcon::Warning, MessageButtons::Ok});
    }
    return !refusal;
}

void frmTimeStamper::comboBegin_Month_Click() {
    comboBegin_Day->setEnabled(true);
    Fill_Begin_Days();
}

void frmTimeStamper::comboEnd_Month_Click() {
    comboEnd_Day->setEnabled(true);
    Fill_End_Days();
}

void frmTimeStamper::comboBegin_Day_Click() {
    dtPickBegin->setEnabled(true);
}
void frmTimeStamper::comboEnd_Day_Click() {
    dtPickEnd->setEnabled(true);
}

void frmTimeStamper::Fill_Begin_Months() {
    Fill_List(comboBegin_Month, Month_Entries());
}
void frmTimeStamper::Fill_End_Months() {
    Fill_List(comboEnd_Month, Month_Entries());
}

void frmTimeStamper::Fill_Begin_Days() {
    Fill_List(comboBegin_Day, Day_Entries(Text_Of(comboBegin_Month), Text_Of(txtBegin_Year)));
}

void frmTimeStamper::Fill_End_Days() {
    Fill_List(comboEnd_Day, Day_Entries(Text_Of(comboEnd_Month), Text_Of(txtEnd_Year)));
}

void frmTimeStamper::Build_Date_Strings() {
    Build_Side(state_.bBegin_Year_Set, txtBegin_Year, comboBegin_Month, comboBegin_Day, dtPickBegin,
               state_.strBegin_Date);
    Build_Side(state_.bEnd_Year_Set, txtEnd_Year, comboEnd_Month, comboEnd_Day, dtPickEnd,
               state_.strEnd_Date);
}

TimeSettings frmTimeStamper::Current_Time_Settings() const {
    return {chkSet_Time->isChecked(), chkUTC->isChecked(), lblTime_Zone->text().toStdString(),
            To_24_Hour(Picker_Value_Text(dtPickBegin)), To_24_Hour(Picker_Value_Text(dtPickEnd))};
}

void frmTimeStamper::cmdVerify_Dates_Click() {
    Build_Date_Strings();
    const TimeSettings times = Current_Time_Settings();
    const VerifyOutcome outcome = Verify_Dates({Mode(), state_.strBegin_Date, state_.strEnd_Date,
                                                times.set_time, times.begin_time, times.end_time});
    if (outcome.captions) {
        lblBegin_Date->setText(To_QString(outcome.captions->begin));
        lblEnd_Date->setText(To_QString(outcome.captions->end));
    }
    Message(To_QString(messages::Verification(outcome.advice)));
}

void frmTimeStamper::chkSet_Time_Click() {
    if (chkSet_Time->isChecked()) {
        dtPickBegin->show();
        dtPickEnd->setVisible(!optTimeStamp->isChecked());
        chkUTC->setChecked(true);  // shows the zone controls through its handler
        for (QWidget* control : std::initializer_list<QWidget*>{lblTime_Zone, lblTime_Zone_Caption,
                                                                comboTime_Zone, lblSet_Timezone}) {
            control->show();
        }
        chkUTC->setEnabled(false);  // no switching back to UTC while times of day are set
    }
    if (!chkSet_Time->isChecked()) {
        dtPickBegin->hide();
        dtPickEnd->hide();
        chkUTC->setEnabled(true);
    }
}

void frmTimeStamper::chkUTC_Click() {
    const bool local_zone = chkUTC->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{lblTime_Zone, lblTime_Zone_Caption,
                                                            comboTime_Zone, lblSet_Timezone}) {
        control->setVisible(local_zone);
    }
    if (!local_zone) {
        Load_Time_Zones();
        lblTime_Zone->setText(To_QString(kUtcZone));
    }
}

void frmTimeStamper::comboTime_Zone_Click() {
    lblTime_Zone->setText(comboTime_Zone->currentText());
}

}  // namespace zaveze
