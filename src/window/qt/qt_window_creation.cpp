// SPDX-License-Identifier: MIT
// The window's controls, built from the control table, their focus order, and the user's actions
// on them reported to the form.

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
#include <cmath>

#include "form/control_table.h"
#include "window/qt/clickable_label.h"
#include "window/qt/qt_bridge.h"
#include "window/qt/qt_window.h"
#include "window/qt/time_format.h"
#include "window/qt/time_picker.h"

namespace zaveze {
namespace {

using form::ControlKind;
using form::ControlSpec;

QWidget* Make(const ControlSpec& spec, QWidget* parent) {
    const QString caption = To_QString(spec.caption);
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
        case ControlKind::TimePicker: {
            auto* picker = new TimePicker(parent);
            picker->setDisplayFormat(
                spec.picker_format == form::PickerFormat::TwentyFourHour
                    ? QStringLiteral("HH:mm:ss")
                    : Time_Format_Without_Zone(QLocale::system().timeFormat(QLocale::LongFormat)));
            return picker;
        }
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

}  // namespace

// Builds every control from the table: kind, caption, tool tip, name; places and fonts at
// the window's natural size.
void QtWindow::Create_Controls() {
    for (const ControlSpec& spec : form::Control_Table()) {
        QWidget* parent = spec.frame.empty() ? this : Control(spec.frame);
        QWidget* control = Make(spec, parent);
        control->setObjectName(To_QString(spec.name));
        control->setToolTip(To_QString(spec.tool_tip));
        if (spec.centred) {
            Centre_Text(control);
        }
        controls_.emplace(spec.name, control);
    }
    Scale_Window(1);
    Describe_For_Screen_Readers();
}

// The window's size, every control's place and every font at `factor` times the table's.
void QtWindow::Scale_Window(double factor) {
    const auto scaled = [factor](int length) {
        return static_cast<int>(std::lround(length * factor));
    };
    setFixedSize(scaled(form::kClientArea.width), scaled(form::kClientArea.height));
    QFont standard = font();
    standard.setPointSizeF(form::kStandardFont.points * factor);
    setFont(standard);
    for (const ControlSpec& spec : form::Control_Table()) {
        QWidget* control = Control(spec.name);
        const auto& [x, y, width, height] = spec.place;
        control->setGeometry(scaled(x), scaled(y), scaled(width), scaled(height));
        QFont font = control->font();
        font.setPointSizeF(spec.font.points * factor);
        font.setBold(spec.font.bold);
        control->setFont(font);
    }
}

// What a screen reader says for each control, from the table: boxes, lists and pickers by their
// names there (a list's drop-down too), labels such as "Year" lead to the control they name.
void QtWindow::Describe_For_Screen_Readers() {
    for (const ControlSpec& spec : form::Control_Table()) {
        QWidget* control = Control(spec.name);
        if (!spec.accessible_name.empty()) {
            control->setAccessibleName(To_QString(spec.accessible_name));
            if (auto* list = qobject_cast<QComboBox*>(control)) {
                list->view()->setAccessibleName(list->accessibleName());
            }
        }
        if (!spec.names.empty()) {
            static_cast<QLabel*>(control)->setBuddy(Control(spec.names));
        }
    }
}

// Only what the user does is reported: Qt's signals for changes made from code are left alone,
// since the form raises the handlers of what it changes itself.
void QtWindow::Report_User_Actions() {
    for (const ControlSpec& spec : form::Control_Table()) {
        const std::string_view name = spec.name;
        QWidget* control = Control(name);
        const auto clicked = [this, name] { form_->User_Clicked(name); };
        switch (spec.kind) {
            case ControlKind::Button:
            case ControlKind::CheckBox:
            case ControlKind::OptionButton:
                connect(static_cast<QAbstractButton*>(control), &QAbstractButton::clicked, this,
                        clicked);
                break;
            case ControlKind::LinkLabel:
                connect(static_cast<ClickableLabel*>(control), &ClickableLabel::clicked, this,
                        clicked);
                break;
            case ControlKind::TextBox:
                connect(static_cast<QLineEdit*>(control), &QLineEdit::textEdited, this,
                        [this, name] { form_->User_Edited(name); });
                break;
            case ControlKind::DropDownList:
                connect(static_cast<QComboBox*>(control), &QComboBox::activated, this,
                        [this, name] { form_->User_Picked(name); });
                break;
            case ControlKind::Label:
            case ControlKind::Frame:
            case ControlKind::TimePicker:
                break;
        }
    }
}

void QtWindow::Set_Tab_Order() {
    const auto order = form::Focus_Order();
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(Control(order[i]), Control(order[i + 1]));
    }
}

}  // namespace zaveze
