// SPDX-License-Identifier: MIT
#pragma once
// The window's Qt face: it builds the controls from the control table, carries out the form's
// operations on them, reports what the user does to the form, and serves the form with Qt's
// dialogs. The window's logic itself is the form's.

#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "form/controls.h"
#include "form/frm_time_stamper.h"
#include "form/services.h"

namespace zaveze {

class YearFocusGuard;

class QtWindow : public QWidget, private form::Controls {
    Q_OBJECT

  public:
    // Without services of its own, the window uses Qt's message boxes, dialogs and browser.
    explicit QtWindow(form::Services* services = nullptr, QWidget* parent = nullptr);
    ~QtWindow() override;

    // Takes a file named on the command line as if it had been chosen in the input dialog.
    void Open_Input_File(const QString& path);

    // The control of that name in the control table.
    QWidget* Control(std::string_view name) const;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void Create_Controls();
    void Describe_For_Screen_Readers();
    void Report_User_Actions();
    void Set_Tab_Order();

    // form::Controls
    std::string Text(form::ControlName name) const override;
    void Set_Text(form::ControlName name, std::string_view text) override;
    void Set_Enabled(form::ControlName name, bool enabled) override;
    void Set_Visible(form::ControlName name, bool visible) override;
    bool Checked(form::ControlName name) const override;
    void Set_Checked(form::ControlName name, bool checked) override;
    void Clear_Entries(form::ControlName name) override;
    void Append_Entry(form::ControlName name, std::string_view entry) override;
    form::TimeOfDay Time(form::ControlName name) const override;
    void Set_Time(form::ControlName name, form::TimeOfDay time) override;
    std::string Focused() const override;
    void Set_Focus(form::ControlName name) override;
    form::Area Window_Frame() const override;
    form::Area Client_Area() const override;
    form::Area Screen_Area() const override;
    void Move_Window(double x, double y) override;
    void Scale_Window(double factor) override;
    void Close_Window() override;

    template <class Widget>
    Widget* Get(std::string_view name) const {
        auto* widget = qobject_cast<Widget*>(Control(name));
        if (widget == nullptr) {
            qFatal("%.*s is not a %s", static_cast<int>(name.size()), name.data(),
                   Widget::staticMetaObject.className());
        }
        return widget;
    }

    std::unique_ptr<form::Services> own_services_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    std::unique_ptr<form::frmTimeStamper> form_;
    YearFocusGuard* year_guard_ = nullptr;
    bool centred_with_frame_ = false;
};

}  // namespace zaveze
