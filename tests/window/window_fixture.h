// SPDX-License-Identifier: MIT
#pragma once
// A running window for a test: scripted platform services, a temporary folder for files, and
// helpers that act as a user would (type, click, pick, choose a file).

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <memory>

#include "core/form_state.h"
#include "scripted_services.h"
#include "support/temp_folder.h"
#include "window/frm_time_stamper.h"

namespace zaveze {

// Reaches the form state that the window keeps outside its controls.
class WindowProbe {
  public:
    static const FormState& State(const frmTimeStamper& window) { return window.state_; }
};

namespace testing {

// A small valid input: an LF-only KML file with a Document and a Placemark.
inline const std::string kSampleKml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
    "<Document>\n  <Placemark><name>Ljubljana</name></Placemark>\n</Document>\n</kml>\n";

class WindowFixture {
  public:
    WindowFixture();
    ~WindowFixture();

    frmTimeStamper& Window() { return *window_; }
    const FormState& State() const { return WindowProbe::State(*window_); }
    ScriptedServices services;
    TempFolder folder;

    template <class Control = QWidget>
    Control* Get(const char* name) const {
        auto* control = window_->findChild<Control*>(name);
        if (control == nullptr) {
            qFatal("no control named %s", name);
        }
        return control;
    }
    QString Text(const char* name) const;  // a text box's text or a label's caption
    bool Shown(const char* name) const { return !Get(name)->isHidden(); }
    bool Enabled(const char* name) const { return Get(name)->isEnabled(); }
    QStringList Entries(const char* name) const;

    // What a user does.
    void Click(const char* name);
    void Type(const char* name, const QString& text);   // focuses the box and types at its end
    void Clear_By_Keyboard(const char* name);           // selects all and deletes
    void Pick(const char* name, const QString& entry);  // picks a list entry with the keyboard
    void Tab(const char* from);
    // Types the year of one side and picks its month and day, those that are given.
    enum class Side { Begin, End };
    void Enter_Date(Side side, const QString& year, const QString& month = {},
                    const QString& day = {});

    // Writes `content` to a file of the temporary folder and chooses it in the input dialog.
    QString Choose_Input(const QString& file_name = "trip.kml",
                         const std::string& content = kSampleKml);

  private:
    void Click_At(QWidget* control, QPoint where);

    std::unique_ptr<frmTimeStamper> window_;
};

}  // namespace testing
}  // namespace zaveze
