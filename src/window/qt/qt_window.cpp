// SPDX-License-Identifier: MIT
// The window's start, its events, and the form's operations carried out on Qt's widgets.

#include "window/qt/qt_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QTimeEdit>

#include "form/control_table.h"
#include "form/window_messages.h"
#include "window/qt/qt_bridge.h"
#include "window/qt/qt_services.h"
#include "window/qt/year_focus_guard.h"

// Resources compiled into a static library are not loaded by themselves; the macro must be used
// outside any namespace.
static void Load_Window_Resources() {
    Q_INIT_RESOURCE(zaveze);
}

namespace zaveze {
namespace {

// The local files being dragged; a remote address among them makes the list empty.
std::vector<std::string> Dragged_Files(const QMimeData* data) {
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            return {};
        }
        paths.push_back(To_Utf8(url.toLocalFile()));
    }
    return paths;
}

}  // namespace

QtWindow::QtWindow(form::Services* services, QWidget* parent) : QWidget(parent) {
    if (services == nullptr) {
        own_services_ = std::make_unique<QtServices>(this);
        services = own_services_.get();
    }
    Load_Window_Resources();
    setWindowTitle(To_QString(messages::kAppTitle));
    setWindowIcon(QIcon(":/zaveze.png"));
    setAcceptDrops(true);
    Create_Controls();
    Set_Tab_Order();
    form_ = std::make_unique<form::frmTimeStamper>(static_cast<form::Controls&>(*this), *services);
    Report_User_Actions();
    year_guard_ = new YearFocusGuard(this, [this] { return form_->Focus_May_Leave(); });
    form_->Form_Load();
}

QtWindow::~QtWindow() = default;

void QtWindow::Open_Input_File(const QString& path) {
    form_->Open_Input_File(To_Utf8(path));
}

// The frame is known only once the window manager has framed the window, by its first
// activation; the window is centred again then.
bool QtWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !centred_with_frame_) {
        centred_with_frame_ = true;
        form_->Centre_On_Screen();
    }
    return QWidget::event(event);
}

void QtWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (form::frmTimeStamper::Accepts_Dropped_Files(Dragged_Files(event->mimeData()))) {
        event->acceptProposedAction();
    }
}

void QtWindow::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = Dragged_Files(event->mimeData());
    if (form::frmTimeStamper::Accepts_Dropped_Files(paths)) {
        event->acceptProposedAction();
        form_->Files_Dropped(paths);
    }
}

QWidget* QtWindow::Control(std::string_view name) const {
    const auto found = controls_.find(name);
    if (found == controls_.end()) {
        qFatal("no control named %.*s", static_cast<int>(name.size()), name.data());
    }
    return found->second;
}

std::string QtWindow::Text(form::ControlName name) const {
    QWidget* control = Control(name);
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        return To_Utf8(box->text());
    }
    if (auto* list = qobject_cast<QComboBox*>(control)) {
        return To_Utf8(list->currentText());
    }
    return To_Utf8(Get<QLabel>(name)->text());
}

void QtWindow::Set_Text(form::ControlName name, std::string_view text) {
    if (auto* box = qobject_cast<QLineEdit*>(Control(name))) {
        box->setText(To_QString(text));
    } else {
        Get<QLabel>(name)->setText(To_QString(text));
    }
}

void QtWindow::Set_Enabled(form::ControlName name, bool enabled) {
    Control(name)->setEnabled(enabled);
}

void QtWindow::Set_Visible(form::ControlName name, bool visible) {
    Control(name)->setVisible(visible);
}

bool QtWindow::Checked(form::ControlName name) const {
    return Get<QAbstractButton>(name)->isChecked();
}

void QtWindow::Set_Checked(form::ControlName name, bool checked) {
    Get<QAbstractButton>(name)->setChecked(checked);
}

void QtWindow::Clear_Entries(form::ControlName name) {
    Get<QComboBox>(name)->clear();
}

// Qt picks the first entry of a list that was empty by itself; here the list keeps no pick.
void QtWindow::Append_Entry(form::ControlName name, std::string_view entry) {
    auto* list = Get<QComboBox>(name);
    list->addItem(To_QString(entry));
    if (list->count() == 1) {
        list->setCurrentIndex(-1);
    }
}

form::TimeOfDay QtWindow::Time(form::ControlName name) const {
    const QTime time = Get<QTimeEdit>(name)->time();
    return {time.hour(), time.minute(), time.second()};
}

void QtWindow::Set_Time(form::ControlName name, form::TimeOfDay time) {
    Get<QTimeEdit>(name)->setTime(QTime(time.hour, time.minute, time.second));
}

// The control that has the focus, or had it last when no window is active (after a message box
// closed under a window manager that does not give the focus back).
std::string QtWindow::Focused() const {
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr) {
        focused = focusWidget();
    }
    for (QWidget* widget = focused; widget != nullptr && widget != this;
         widget = widget->parentWidget()) {
        if (controls_.contains(To_Utf8(widget->objectName()))) {
            return To_Utf8(widget->objectName());
        }
    }
    return {};
}

void QtWindow::Set_Focus(form::ControlName name) {
    Control(name)->setFocus(Qt::OtherFocusReason);
}

form::Area QtWindow::Window_Frame() const {
    const QRect frame = frameGeometry();
    return {static_cast<double>(frame.x()), static_cast<double>(frame.y()),
            static_cast<double>(frame.width()), static_cast<double>(frame.height())};
}

form::Area QtWindow::Client_Area() const {
    return {0, 0, static_cast<double>(width()), static_cast<double>(height())};
}

form::Area QtWindow::Screen_Area() const {
    const QScreen* screen = QApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : frameGeometry();
    return {static_cast<double>(available.x()), static_cast<double>(available.y()),
            static_cast<double>(available.width()), static_cast<double>(available.height())};
}

void QtWindow::Move_Window(double x, double y) {
    move(static_cast<int>(x), static_cast<int>(y));
}

void QtWindow::Close_Window() {
    close();
}

}  // namespace zaveze
