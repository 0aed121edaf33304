// SPDX-License-Identifier: MIT
#include "window_fixture.h"

#include <QGroupBox>

#include "window/qt/long_job.h"

namespace zaveze::testing {

void WindowServices::Run_Long_Job(const std::string& label, std::uint64_t total_bytes,
                                  const std::function<void(JobControl&)>& job) {
    jobs.push_back({label, total_bytes});
    zaveze::Run_Long_Job(window, QString::fromStdString(label), total_bytes, job);
}

QStringList To_QStringList(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list << QString::fromStdString(text);
    }
    return list;
}

WindowFixture::WindowFixture() : window_(std::make_unique<QtWindow>(&services)) {
    services.window = window_.get();
    window_->show();
    if (!QTest::qWaitForWindowActive(window_.get())) {
        qWarning("the window did not become active");
    }
}

WindowFixture::~WindowFixture() = default;

QString WindowFixture::Text(const char* name) const {
    QWidget* control = Get(name);
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        return box->text();
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto* list = qobject_cast<QComboBox*>(control)) {
        return list->currentText();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        return frame->title();
    }
    qFatal("%s has no text", name);
}

void WindowFixture::Click(const char* name) {
    QWidget* control = Get(name);
    // Check boxes and option buttons react only on their box and caption, at their left.
    const bool has_box = qobject_cast<QCheckBox*>(control) != nullptr ||
                         qobject_cast<QRadioButton*>(control) != nullptr;
    Click_At(control, has_box ? QPoint(8, control->height() / 2) : control->rect().center());
}

// Clicks through the window system, as a real mouse does, so the window sees the press first.
void WindowFixture::Click_At(QWidget* control, QPoint where) {
    QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window_.get(), where));
}

void WindowFixture::Type(const char* name, const QString& text) {
    auto* box = Get<QLineEdit>(name);
    Click_At(box, box->rect().center());
    box->end(false);
    QTest::keyClicks(box, text);
}

void WindowFixture::Pick(const char* name, const QString& entry) {
    auto* list = Get<QComboBox>(name);
    const int target = list->findText(entry);
    if (target < 0 || !list->isEnabled()) {
        qFatal("cannot pick %s in %s", qPrintable(entry), name);
    }
    list->setFocus(Qt::TabFocusReason);
    // Each key press on a closed list is a pick of the entry it lands on, as for a user.
    QTest::keyClick(list, target >= list->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
    while (list->currentIndex() != target) {
        QTest::keyClick(list, target > list->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
    }
}

void WindowFixture::Enter_Date(Side side, const QString& year, const QString& month,
                               const QString& day) {
    const bool begin = side == Side::Begin;
    Type(begin ? "txtBegin_Year" : "txtEnd_Year", year);
    if (!month.isEmpty()) {
        Pick(begin ? "comboBegin_Month" : "comboEnd_Month", month);
    }
    if (!day.isEmpty()) {
        Pick(begin ? "comboBegin_Day" : "comboEnd_Day", day);
    }
}

void WindowFixture::Tab(const char* from) {
    QTest::keyClick(Get(from), Qt::Key_Tab);
}

QString WindowFixture::Choose_Input(const QString& file_name, const std::string& content) {
    QString path = QString::fromStdString(folder.File(file_name.toStdString()));
    Write_File(path.toStdString(), content);
    services.chosen_files.push_back(path.toStdString());
    Click("cmdInputFile");
    return path;
}

}  // namespace zaveze::testing
