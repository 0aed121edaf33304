// SPDX-License-Identifier: MIT
#pragma once
// The program's one window: choose an input KML file, enter dates (and optionally times of day
// and a zone), name the output file and embed the time information.
//
// Handlers are named after their control and event. A handler that changes another control from
// code runs that control's handler on the spot (Qt's direct signal connections), and the resets
// and the mode switch rely on that order.

#include <QWidget>

#include "core/form_state.h"
#include "datetime/time_mode.h"
#include "datetime/time_texts.h"
#include "window/platform_services.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;

namespace zaveze {

class ClickableLabel;
class YearFocusGuard;

class frmTimeStamper : public QWidget {
    Q_OBJECT
    friend class WindowProbe;  // the window tests read the controls and the form state

  public:
    explicit frmTimeStamper(PlatformServices& services, QWidget* parent = nullptr);

    // Takes a file named on the command line as if it had been chosen in the input dialog.
    void Open_Input_File(const QString& path) { Take_Input_File(path); }

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void Centre_On_Screen();
    void Create_Controls();
    void Bind_Controls();
    void Describe_For_Screen_Readers();
    void Connect_Handlers();
    void Set_Tab_Order();
    void Form_Load();

    // Files (input, output, embedding)
    void cmdInputFile_Click();
    void Take_Input_File(const QString& path);
    void cmdOutputFile_Click();
    void cmdAuto_Output_Click();
    void txtOutputFile_Change();
    bool Output_May_Be_Written(const QString& output);
    void cmdTimestamp_Click();

    // Dates
    void txtBegin_Year_Change();
    void txtEnd_Year_Change();
    void Year_Changed(bool& year_set, QComboBox* months, void (frmTimeStamper::*fill_months)());
    bool Year_May_Be_Left(QLineEdit* year_box);
    void comboBegin_Month_Click();
    void comboEnd_Month_Click();
    void comboBegin_Day_Click();
    void comboEnd_Day_Click();
    void Fill_Begin_Months();
    void Fill_End_Months();
    void Fill_Begin_Days();
    void Fill_End_Days();
    void Build_Date_Strings();
    void cmdVerify_Dates_Click();

    // Time of day and zone
    void chkSet_Time_Click();
    void chkUTC_Click();
    void comboTime_Zone_Click();
    void Load_Time_Zones();
    TimeSettings Current_Time_Settings() const;

    // Mode, resets and the window's own commands
    void optTimeSpan_Click() { Switch_Mode(); }
    void optTimeStamp_Click() { Switch_Mode(); }
    void Switch_Mode();
    TimeMode Mode() const;
    void Reset_All();
    void Reset_Dates();
    void Empty_Date_Entries();
    void Forget_Verified_Dates();
    void cmdReset_Click() { Reset_All(); }
    void cmdReset_Dates_Click() { Reset_Dates(); }
    void cmdHelp_Click();
    void lblWebsite_Click();
    void cmdExit_Click();

    MessageAnswer Message(const QString& text, MessageButtons buttons = MessageButtons::Ok);

    PlatformServices& services_;
    FormState state_;
    // The output name the user agreed to replace, until the name changes or the window resets.
    QString consented_output_;
    YearFocusGuard* year_guard_ = nullptr;
    bool centred_with_frame_ = false;

    // Files and commands
    QLineEdit* txtInputFile = nullptr;
    QPushButton* cmdInputFile = nullptr;
    QLineEdit* txtOutputFile = nullptr;
    QPushButton* cmdOutputFile = nullptr;
    QPushButton* cmdAuto_Output = nullptr;
    QLabel* lblAuto_Output = nullptr;
    QPushButton* cmdTimestamp = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdReset_Dates = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* lblVersion = nullptr;
    ClickableLabel* lblWebsite = nullptr;

    // Mode and time settings
    QGroupBox* frameMode = nullptr;
    QRadioButton* optTimeSpan = nullptr;
    QRadioButton* optTimeStamp = nullptr;
    QCheckBox* chkSet_Time = nullptr;
    QCheckBox* chkUTC = nullptr;
    QLabel* lblTime_Zone_Caption = nullptr;
    QLabel* lblTime_Zone = nullptr;
    QLabel* lblSet_Timezone = nullptr;
    QComboBox* comboTime_Zone = nullptr;

    // Date entry
    QLabel* lblBegin = nullptr;
    QLabel* lblBegin_Year = nullptr;
    QLabel* lblBegin_Month = nullptr;
    QLabel* lblBegin_Day = nullptr;
    QLineEdit* txtBegin_Year = nullptr;
    QComboBox* comboBegin_Month = nullptr;
    QComboBox* comboBegin_Day = nullptr;
    QTimeEdit* dtPickBegin = nullptr;
    QLabel* lblEnd = nullptr;
    QLabel* lblEnd_Year = nullptr;
    QLabel* lblEnd_Month = nullptr;
    QLabel* lblEnd_Day = nullptr;
    QLineEdit* txtEnd_Year = nullptr;
    QComboBox* comboEnd_Month = nullptr;
    QComboBox* comboEnd_Day = nullptr;
    QTimeEdit* dtPickEnd = nullptr;
    QPushButton* cmdVerify_Dates = nullptr;

    // Verification results
    QLabel* lblBegin_Date_Label = nullptr;
    QLabel* lblBegin_Date = nullptr;
    QLabel* lblEnd_Date_Label = nullptr;
    QLabel* lblEnd_Date = nullptr;
};

}  // namespace zaveze
