#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "CFixedCPI.h"
#include "UiTexts.h"
#include "support/CaseName.h"
#include "support/Clicks.h"
#include "support/MainWindowFixture.h"

namespace qx9 {
namespace {

class FixedCpiDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    template <typename Widget = QWidget>
    Widget* Find(const char* name) {
        auto* found = dialog.findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* Box(const char* name) { return Find<QLineEdit>(name); }
    QSlider* Slider(const char* name) { return Find<QSlider>(name); }
    QCheckBox* SplitBox() { return Find<QCheckBox>("xySettingsBox"); }

    // Replaces the box's text as a user does: focus, select all, type.
    void Type(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Delete);
        }
        QTest::keyClicks(box, text);
    }
    void Leave(QLineEdit* box) { QTest::keyClick(box, Qt::Key_Tab); }
    void Shows(const char* x, const char* y) {
        EXPECT_EQ(Box("xBox")->text(), x);
        EXPECT_EQ(Box("yBox")->text(), y);
    }

    test::RecordingNotifier notifier;
    CFixedCPI dialog{notifier};
};

TEST_F(FixedCpiDialogTest, OpensAt400WithTheAxesTogether) {
    EXPECT_EQ(dialog.windowTitle(), "FIXED CPI");
    Shows("400", "400");
    EXPECT_EQ(Slider("xSlider")->value(), 40);
    EXPECT_EQ(Slider("ySlider")->value(), 40);
    EXPECT_EQ(Slider("xSlider")->maximum(), 1400);
    EXPECT_FALSE(SplitBox()->isChecked());
    for (QWidget* control : dialog.findChildren<QWidget*>()) {
        if (!control->property("templateId").isValid()) {
            continue;
        }
        EXPECT_FALSE(control->accessibleDescription().isEmpty())
            << control->objectName().toStdString();
        EXPECT_FALSE(
            QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty())
            << control->objectName().toStdString();
    }
}

TEST_F(FixedCpiDialogTest, TogetherASliderMovesBothAxes) {
    Slider("xSlider")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Slider("xSlider"), Qt::Key_End);
    Shows("14000", "14000");
    EXPECT_EQ(Slider("ySlider")->value(), 1400);
}

struct CommitCase {
    const char* name;
    const char* typed;
    const char* shown;
    int slider;
};

class FixedCpiCommitTest : public FixedCpiDialogTest,
                           public ::testing::WithParamInterface<CommitCase> {};

TEST_P(FixedCpiCommitTest, LeavingABoxSettlesBothAxes) {
    Type(Box("xBox"), GetParam().typed);
    EXPECT_EQ(Box("yBox")->text(), "400") << "nothing happens while typing";
    Leave(Box("xBox"));
    Shows(GetParam().shown, GetParam().shown);
    EXPECT_EQ(Slider("xSlider")->value(), GetParam().slider);
    EXPECT_EQ(Slider("ySlider")->value(), GetParam().slider);
}

INSTANTIATE_TEST_SUITE_P(Cases, FixedCpiCommitTest,
                         ::testing::Values(CommitCase{"BelowTheLowest", "5", "10", 1},
                                           CommitCase{"Emptied", "", "10", 1},
                                           CommitCase{"StepOfTen", "12345", "12350", 1235},
                                           CommitCase{"BeyondTheSlider", "20000", "20000", 1400},
                                           CommitCase{"AboveTheHighest", "30001", "30000", 1400}),
                         test::CaseName{});

TEST_F(FixedCpiDialogTest, ASliderBringsATypedValueBackWithinItsReach) {
    Type(Box("xBox"), "20000");
    Leave(Box("xBox"));
    Slider("xSlider")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Slider("xSlider"), Qt::Key_Left);
    Shows("13990", "13990");
}

TEST_F(FixedCpiDialogTest, EnterCommitsAndTheDialogStaysOpen) {
    Type(Box("yBox"), "777");
    QTest::keyClick(Box("yBox"), Qt::Key_Return);
    Shows("780", "780");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(Box("yBox")->hasFocus());
}

TEST_F(FixedCpiDialogTest, AClickOnTheBackgroundCommits) {
    Type(Box("xBox"), "1234");
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(2, dialog.height() - 2));
    Shows("1230", "1230");
    EXPECT_TRUE(Box("xBox")->hasFocus());
}

TEST_F(FixedCpiDialogTest, SplitAxesGoBackTogetherWithOk) {
    test::ClickCheckBox(SplitBox());
    Type(Box("xBox"), "800");
    Leave(Box("xBox"));
    Type(Box("yBox"), "1600");
    QTest::mouseClick(Find<QPushButton>("okButton"), Qt::LeftButton);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.FixedCpiX(), 800u);
    EXPECT_EQ(dialog.FixedCpiY(), 1600u);
}

TEST_F(FixedCpiDialogTest, EndingTheSplitGivesYTheValueOfX) {
    test::ClickCheckBox(SplitBox());
    Type(Box("xBox"), "800");
    Leave(Box("xBox"));
    Slider("ySlider")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Slider("ySlider"), Qt::Key_End);
    Shows("800", "14000");

    test::ClickCheckBox(SplitBox());
    Shows("800", "800");
    EXPECT_EQ(Slider("ySlider")->value(), 80);
}

TEST_F(FixedCpiDialogTest, EscapeAndTheCloseBoxGiveNoValues) {
    Type(Box("xBox"), "900");
    QTest::keyClick(Box("xBox"), Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.FixedCpiX(), 0u);

    CFixedCPI again{notifier};
    again.show();
    again.close();
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_EQ(again.FixedCpiY(), 0u);
}

TEST_F(FixedCpiDialogTest, OkWithABoxStillEmptySaysSoAndStaysOpen) {
    QLineEdit* box = Box("yBox");
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    // The accessible press leaves the focus where it is, so the box is not left.
    test::PressAccessibly(Find<QPushButton>("okButton"));

    ASSERT_TRUE(QTest::qWaitFor([&] { return !notifier.shown.empty(); }, 2000));
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0], QString::fromUtf8(text::EnterPositiveInteger));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(box->hasFocus());
    Shows("10", "10");
}

}  // namespace
}  // namespace qx9
