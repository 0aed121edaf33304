// SPDX-License-Identifier: MIT
// "Verify Dates" as the window does it: the dates, mode and times read from the controls, the
// captions shown and the message. The rules themselves are tested in datetime/verification_test.

#include "window_fixture.h"

using zaveze::testing::WindowFixture;
using Side = WindowFixture::Side;

namespace {
const QString kLooksGood = "Looks good for embedding, but double-check the values to make sure.";
const QString kAfter =
    "Your beginning date/time may be after your ending date - please double-check your values";
}  // namespace

class VerificationTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    QStringList Verify() {
        f->Click("cmdVerify_Dates");
        return f->services.Take_Messages();
    }

  private slots:
    void init() {
        f = std::make_unique<WindowFixture>();
        f->Choose_Input();
    }
    void cleanup() { f.reset(); }

    void timeStampWithoutDate() {
        f->Enter_Date(Side::End, "2008");
        f->Click("optTimeStamp");
        QCOMPARE(Verify(), QStringList{"You haven't entered a TimeStamp value yet"});
        QCOMPARE(f->Text("lblBegin_Date"), QString());
    }

    void timeSpanWithoutDates() {
        f->Enter_Date(Side::Begin, "2007");
        f->Clear_By_Keyboard("txtBegin_Year");
        QCOMPARE(Verify(),
                 QStringList{"You haven't entered either a beginning or end for the TimeSpan"});
    }

    void timeStampShowsOnlyTheBegin() {
        f->Enter_Date(Side::End, "2009");
        f->Enter_Date(Side::Begin, "2007", "10", "02");
        f->Click("optTimeStamp");
        QCOMPARE(Verify(), QStringList{kLooksGood});
        QCOMPARE(f->Text("lblBegin_Date"), QString("2007-10-02 "));
        QCOMPARE(f->Text("lblEnd_Date"), QString());
    }

    void timesOfTheSameDay() {
        f->Enter_Date(Side::Begin, "2007", "10", "02");
        f->Enter_Date(Side::End, "2007", "10", "02");
        f->Click("chkSet_Time");
        f->Get<QTimeEdit>("dtPickBegin")->setTime(QTime(10, 0));
        f->Get<QTimeEdit>("dtPickEnd")->setTime(QTime(9, 30));
        QCOMPARE(Verify(), QStringList{kAfter});
        QCOMPARE(f->Text("lblBegin_Date"), QString("2007-10-02 10:00:00"));
        QCOMPARE(f->Text("lblEnd_Date"), QString("2007-10-02 09:30:00"));
        f->Get<QTimeEdit>("dtPickBegin")->setTime(QTime(11, 0));
        f->Get<QTimeEdit>("dtPickEnd")->setTime(QTime(22, 30));
        QCOMPARE(Verify(), QStringList{kLooksGood});
        QCOMPARE(f->Text("lblEnd_Date"), QString("2007-10-02 22:30:00"));
    }

    void typedTimeIsRead() {
        f->Enter_Date(Side::Begin, "2007", "10", "02");
        f->Click("chkSet_Time");
        auto* picker = f->Get<QTimeEdit>("dtPickBegin");
        picker->setFocus();
        picker->setSelectedSection(QDateTimeEdit::HourSection);
        QTest::keyClicks(picker, "154512");
        QCOMPARE(picker->time(), QTime(15, 45, 12));
        QCOMPARE(Verify(), QStringList{kLooksGood});
        QCOMPARE(f->Text("lblBegin_Date"), QString("2007-10-02 15:45:12"));
    }

    void switchingToTimeSpanLeavesTheEndCaptionEmpty() {
        f->Enter_Date(Side::Begin, "2007");
        f->Click("optTimeStamp");
        Verify();
        f->Click("optTimeSpan");
        QCOMPARE(f->Text("lblEnd_Date"), QString());
    }
};

QTEST_MAIN(VerificationTest)
#include "verification_test.moc"
