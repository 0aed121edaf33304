// SPDX-License-Identifier: MIT
// The window's start, its own commands, the mode switch and the two resets.

#include "window/frm_time_stamper.h"
#include "window/user_guide.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimeEdit>

#include "core/messages.h"
#include "datetime/time_zones.h"
#include "form/control_table.h"
#include "window/clickable_label.h"
#include "window/qt_bridge.h"
#include "window/year_focus_guard.h"

// Resources compiled into a static library are not loaded by themselves; the macro must be used
// outside any namespace.
static void Load_Window_Resources() {
    Q_INIT_RESOURCE(zaveze);
}

namespace zaveze {
namespace {

// The one local .kml file being dragged, or an empty text.
QString Dragged_Kml_File(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().front().isLocalFile()) {
        return {};
    }
    const QString path = data->urls().front().toLocalFile();
    const bool kml_or_kmz =
        path.endsWith(".kml", Qt::CaseInsensitive) || path.endsWith(".kmz", Qt::CaseInsensitive);
    return kml_or_kmz ? path : QString();
}

}  // namespace

frmTimeStamper::frmTimeStamper(PlatformServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    Load_Window_Resources();
    setWindowTitle(To_QString(messages::kAppTitle));
    setWindowIcon(QIcon(":/zaveze.png"));
    setFixedSize(form::kClientArea.width, form::kClientArea.height);
    setAcceptDrops(true);
    Create_Controls();
    Connect_Handlers();
    Set_Tab_Order();
    year_guard_ =
        new YearFocusGuard(this, {txtBegin_Year, txtEnd_Year},
                           [this](QLineEdit* year_box) { return Year_May_Be_Left(year_box); });
    Form_Load();
}

// The window's outer frame, title bar included, in the middle of the screen's free area.
void frmTimeStamper::Centre_On_Screen() {
    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        const QRect frame = frameGeometry();
        move(available.x() + (available.width() - frame.width()) / 2,
             available.y() + (available.height() - frame.height()) / 2);
    }
}

// The frame is known only once the window manager has framed the window, by its first
// activation; the window is centred again then.
bool frmTimeStamper::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !centred_with_frame_) {
        centred_with_frame_ = true;
        Centre_On_Screen();
    }
    return QWidget::event(event);
}

void frmTimeStamper::Form_Load() {
    Centre_On_Screen();
    dtPickBegin->hide();
    dtPickEnd->hide();
    chkSet_Time->show();
    state_.strDate_Format = "Year-Month-Day Time";
    lblBegin_Date_Label->setText(
        QString::fromStdString("Beginning of TimeSpan (" + state_.strDate_Format + ")"));
    Reset_All();
    txtInputFile->setFocus(Qt::OtherFocusReason);
}

MessageAnswer frmTimeStamper::Message(const QString& text, MessageButtons buttons) {
    return services_.Show_Message(
        this, {To_QString(messages::kAppTitle), text, MessageIcon::None, buttons});
}

void frmTimeStamper::cmdHelp_Click() {
    services_.Open_Address(User_Guide_Address());
}

void frmTimeStamper::lblWebsite_Click() {
    services_.Open_Address(User_Guide_Address("about"));
}

void frmTimeStamper::cmdExit_Click() {
    close();
}

void frmTimeStamper::dragEnterEvent(QDragEnterEvent* event) {
    if (!Dragged_Kml_File(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

// A KML file dropped on the window is taken as if it had been chosen in the input dialog.
void frmTimeStamper::dropEvent(QDropEvent* event) {
    const QString path = Dragged_Kml_File(event->mimeData());
    if (path.isEmpty() || !year_guard_->Focus_May_Leave()) {
        return;
    }
    event->acceptProposedAction();
    Take_Input_File(path);
}

TimeMode frmTimeStamper::Mode() const {
    return optTimeStamp->isChecked() ? TimeMode::TimeStamp : TimeMode::TimeSpan;
}

void frmTimeStamper::Switch_Mode() {
    if (optTimeStamp->isChecked()) {
        for (QWidget* control :
             std::initializer_list<QWidget*>{txtEnd_Year, comboEnd_Month, comboEnd_Day, lblEnd_Day,
                                             lblEnd_Year, lblEnd_Month, lblEnd}) {
            control->hide();
        }
        dtPickEnd->hide();
        lblBegin->setText("Enter date to TimeStamp file with");
        lblEnd_Date_Label->hide();
        lblBegin_Date_Label->setText(QString::fromStdString("Date to be TimeStamped into file (" +
                                                            state_.strDate_Format + ")"));
        lblEnd_Date->setText(QString());
        txtEnd_Year->setText(QString());  // runs the end year's change handling when it held a year
    }
    if (optTimeSpan->isChecked()) {
        for (QWidget* control :
             std::initializer_list<QWidget*>{txtEnd_Year, comboEnd_Month, comboEnd_Day, lblEnd}) {
            control->show();
        }
        lblBegin->setText("Enter beginning of TimeSpan");
        lblEnd_Date_Label->show();
        lblEnd_Date_Label->setText("End of TimeSpan");
        lblBegin_Date_Label->setText(
            QString::fromStdString("Beginning of TimeSpan (" + state_.strDate_Format + ")"));
        for (QWidget* control :
             std::initializer_list<QWidget*>{lblEnd_Day, lblEnd_Year, lblEnd_Month}) {
            control->show();
        }
        if (chkSet_Time->isChecked()) {
            dtPickEnd->show();
        }
    }
}

void frmTimeStamper::Load_Time_Zones() {
    Fill_List(comboTime_Zone, Time_Zone_Entries());
}

// The first steps of both resets: year boxes (whose change handling runs when they held a year),
// lists, date texts and pickers.
void frmTimeStamper::Empty_Date_Entries() {
    txtBegin_Year->setText(QString());
    txtEnd_Year->setText(QString());
    for (QComboBox* list : {comboBegin_Month, comboEnd_Month, comboBegin_Day, comboEnd_Day}) {
        list->clear();
    }
    state_.strBegin_Date.clear();
    state_.strEnd_Date.clear();
    dtPickBegin->setTime(QTime(0, 0));
    dtPickEnd->setTime(QTime(0, 0));
}

void frmTimeStamper::Forget_Verified_Dates() {
    lblBegin_Date->setText(QString());
    lblEnd_Date->setText(QString());
    state_.bBegin_Year_Set = false;
    state_.bEnd_Year_Set = false;
}

// Every step may run the handler of the control it changes; later steps undo what those
// handlers do, so the order matters.
void frmTimeStamper::Reset_All() {
    consented_output_.clear();
    txtInputFile->setText(QString());
    txtOutputFile->setText(QString());
    Empty_Date_Entries();
    for (QWidget* control : std::initializer_list<QWidget*>{
             txtBegin_Year, txtEnd_Year, comboBegin_Month, comboEnd_Month, comboBegin_Day,
             comboEnd_Day, dtPickBegin, dtPickEnd}) {
        control->setEnabled(false);
    }
    Forget_Verified_Dates();
    for (QPushButton* button : {cmdTimestamp, cmdAuto_Output, cmdVerify_Dates}) {
        button->setEnabled(false);
    }
    chkUTC->setEnabled(true);
    chkUTC->setChecked(false);
    chkSet_Time->setChecked(false);  // its handler hides the time pickers
    for (QWidget* control : std::initializer_list<QWidget*>{lblTime_Zone, lblTime_Zone_Caption,
                                                            comboTime_Zone, lblSet_Timezone}) {
        control->hide();
    }
    lblTime_Zone->setText(To_QString(kUtcZone));
    Load_Time_Zones();
    for (QWidget* control :
         std::initializer_list<QWidget*>{cmdOutputFile, txtOutputFile, cmdReset_Dates}) {
        control->setEnabled(false);
    }
}

void frmTimeStamper::Reset_Dates() {
    Empty_Date_Entries();
    txtBegin_Year->setEnabled(true);
    txtEnd_Year->setEnabled(true);
    for (QComboBox* list : {comboBegin_Month, comboEnd_Month, comboBegin_Day, comboEnd_Day}) {
        list->setEnabled(false);
    }
    Forget_Verified_Dates();
    dtPickBegin->setEnabled(false);
    dtPickEnd->setEnabled(false);
    cmdVerify_Dates->setEnabled(false);
    cmdReset_Dates->setEnabled(false);
}

}  // namespace zaveze
