// SPDX-License-Identifier: MIT
#pragma once
// The Qt window for a test: scripted services (long jobs run as the window runs them), a
// temporary folder for files, and helpers that act as a user would, through the window system.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <memory>

#include "scripted_services.h"
#include "support/temp_folder.h"
#include "window/qt/qt_window.h"

namespace zaveze::testing {

// Scripted answers to messages and dialogs; long jobs run on the window's own machinery.
class WindowServices final : public ScriptedServices {
  public:
    QWidget* window = nullptr;
    void Run_Long_Job(const std::string& label, std::uint64_t total_bytes,
                      const std::function<void(JobControl&)>& job) override;
};

QStringList To_QStringList(const std::vector<std::string>& texts);

class WindowFixture {
  public:
    WindowFixture();
    ~WindowFixture();

    QtWindow& Window() { return *window_; }
    WindowServices services;
    TempFolder folder;

    template <class Control = QWidget>
    Control* Get(const char* name) const {
        auto* control = qobject_cast<Control*>(window_->Control(name));
        if (control == nullptr) {
            qFatal("no control named %s of that kind", name);
        }
        return control;
    }
    QString Text(const char* name) const;  // a box's text, a label's or button's caption
    bool Shown(const char* name) const { return !Get(name)->isHidden(); }
    bool Enabled(const char* name) const { return Get(name)->isEnabled(); }
    QStringList Messages() { return To_QStringList(services.Take_Messages()); }

    // What a user does.
    void Click(const char* name);
    void Type(const char* name, const QString& text);   // focuses the box and types at its end
    void Pick(const char* name, const QString& entry);  // picks a list entry with the keyboard
    void Tab(const char* from);
    enum class Side { Begin, End };
    // Types the year of one side and picks its month and day, those that are given.
    void Enter_Date(Side side, const QString& year, const QString& month = {},
                    const QString& day = {});
    // Writes `content` to a file of the temporary folder and chooses it in the input dialog.
    QString Choose_Input(const QString& file_name = "trip.kml",
                         const std::string& content = kSampleKml);

  private:
    void Click_At(QWidget* control, QPoint where);

    std::unique_ptr<QtWindow> window_;
};

}  // namespace zaveze::testing
