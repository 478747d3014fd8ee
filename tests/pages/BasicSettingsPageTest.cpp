#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "CSensorDlg.h"
#include "UiTexts.h"
#include "support/CaseName.h"
#include "support/MainWindowFixture.h"

namespace qx9 {
namespace {

using test::MainWindowFixture;

emu::Block BlockOf(const DeviceConfig& config) {
    emu::Block block = emu::FactoryBlock();
    const ConfigImage image = PackedImage(config);
    std::copy(image.begin(), image.begin() + 0x70, block.begin());
    return block;
}

DeviceConfig Defaults() {
    DeviceConfig config;
    ResetConfigDefaults(config);
    return config;
}

class BasicSettingsPageTest : public MainWindowFixture {
  protected:
    // The mouse on its cable holding `config`, loaded into the window.
    void StartWith(const DeviceConfig& config) {
        emulator.SetConfigBlock(BlockOf(config));
        PlugMouseOnCable();
        ASSERT_TRUE(Start());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        emulator.ClearTrace();
    }
    void StartLoaded() { StartWith(Defaults()); }

    CSensorDlg* Page() const { return Find<CSensorDlg>("CSensorDlg"); }
    QLineEdit* Box(const char* name) const { return Find<QLineEdit>(name); }
    QSlider* Slider(const char* name) const { return Find<QSlider>(name); }
    QRadioButton* Selector(int level) const {
        return Find<QRadioButton>(("levelSelector" + std::to_string(level)).c_str());
    }
    QComboBox* Combo(const char* name) const { return Find<QComboBox>(name); }
    bool ApplyEnabled() const { return Find<QPushButton>("applyButton")->isEnabled(); }
    const CpiLevel& EditLevel(int level) const {
        return store.EditConfig().CpiLevels[static_cast<std::size_t>(level - 1)];
    }

    // Replaces the box's text as a user does: focus, select all, type.
    void Type(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    void Choose(QComboBox* combo, int index) {
        combo->setFocus(Qt::MouseFocusReason);
        combo->setCurrentIndex(index);
        emit combo->activated(index);  // the popup's choice, as the user makes it
    }
    // Moves the slider as the keyboard does, one step at a time to `position`.
    void MoveSlider(QSlider* slider, int position) {
        slider->setFocus(Qt::MouseFocusReason);
        slider->setSliderPosition(position);
    }
    int SensorWrites() const {
        int writes = 0;
        for (const auto& entry : emulator.Trace()) {
            writes += entry.direction == emu::Direction::Send &&
                      entry.bytes[1] == command::WriteSensorSettings;
        }
        return writes;
    }
    std::vector<int> CheckedSelectors() const {
        std::vector<int> checked;
        for (int level = 1; level <= 4; ++level) {
            if (Selector(level)->isChecked()) {
                checked.push_back(level);
            }
        }
        return checked;
    }
    std::vector<int> VisibleRows() const {
        std::vector<int> rows;
        for (int level = 1; level <= 4; ++level) {
            if (Selector(level)->isVisible() &&
                Slider(("ySlider" + std::to_string(level)).c_str())->isVisible()) {
                rows.push_back(level);
            }
        }
        return rows;
    }
};

// --- the form ------------------------------------------------------------------------

TEST_F(BasicSettingsPageTest, EveryControlCarriesItsTemplateIdAndItsRole) {
    StartLoaded();
    int controls = 0;
    for (QWidget* control : Page()->findChildren<QWidget*>()) {
        const QVariant id = control->property("templateId");
        if (!id.isValid() || control->objectName().startsWith("qt_")) {
            continue;
        }
        ++controls;
        EXPECT_FALSE(control->accessibleDescription().isEmpty())
            << control->objectName().toStdString();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
            << control->objectName().toStdString() << " has no accessible name";
    }
    EXPECT_GT(controls, 0);
    EXPECT_EQ(Find<QLabel>("levelCountLabel")->text(), QString::fromUtf8("CPI Levels\uFF1A"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Selector(3))->text(QAccessible::Name),
              "level selector 3");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Box("yBox2"))->text(QAccessible::Name),
              "Y box 2");
}

TEST_F(BasicSettingsPageTest, BeforeAnyLoadThePageShowsItsStartingValues) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Box("xBox1")->text(), "400");
    EXPECT_EQ(Box("yBox4")->text(), "3200");
    EXPECT_EQ(Slider("xSlider3")->value(), 160);
    EXPECT_EQ(Combo("lodList")->currentText(), "1.0mm");
    EXPECT_EQ(Combo("lodList")->count(), 11);
    EXPECT_EQ(Combo("levelCount")->currentText(), "4");
    EXPECT_TRUE(CheckedSelectors().empty());
    EXPECT_FALSE(Find<QCheckBox>("xySettingsBox")->isChecked());
}

// --- loading ------------------------------------------------------------------------

TEST_F(BasicSettingsPageTest, LoadShowsTheMouseAsTheSteppedValuesAllow) {
    DeviceConfig config = Defaults();
    config.CpiLevels[0] = {1, 12345, 5};
    config.CpiLevelCount = 3;
    config.CurrentCpiLevel = 1;
    config.LiftOffLed = 0;
    config.AngleSnapping = 1;
    config.LiftOffDistance = 8;
    StartWith(config);

    EXPECT_EQ(Box("xBox1")->text(), "12350");
    EXPECT_EQ(Slider("xSlider1")->value(), 1047);
    EXPECT_EQ(Box("yBox1")->text(), "10");
    EXPECT_EQ(Slider("ySlider1")->value(), 1);
    EXPECT_TRUE(Find<QCheckBox>("xySettingsBox")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("disableLedBox")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("angleSnappingBox")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("rippleControlBox")->isChecked());
    EXPECT_EQ(Combo("lodList")->currentText(), "1.5mm");
    EXPECT_EQ(Combo("levelCount")->currentText(), "3");
    EXPECT_EQ(VisibleRows(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(CheckedSelectors(), std::vector<int>{2});
    // What the boxes show is what EditConfig now holds.
    EXPECT_EQ(EditLevel(1).CpiX, 12350);
    EXPECT_EQ(EditLevel(1).CpiY, 10);
}

TEST_F(BasicSettingsPageTest, AGlassSurfaceLoadsTheGlassList) {
    DeviceConfig config = Defaults();
    config.GlassMode = 1;
    config.LiftOffDistance = 2;
    StartWith(config);
    EXPECT_EQ(Combo("lodList")->count(), 2);
    EXPECT_EQ(Combo("lodList")->currentText(), "2.0mm");
}

struct CountCase {
    const char* name;
    std::uint8_t count;
    std::uint8_t active;
    const char* shown;
    std::vector<int> rows;
    std::vector<int> checked;
};

class LevelCountLoadTest : public BasicSettingsPageTest,
                           public ::testing::WithParamInterface<CountCase> {};

TEST_P(LevelCountLoadTest, ShowsTheLevelsInUse) {
    DeviceConfig config = Defaults();
    config.CpiLevelCount = GetParam().count;
    config.CurrentCpiLevel = GetParam().active;
    StartWith(config);
    EXPECT_EQ(Combo("levelCount")->currentText(), GetParam().shown);
    EXPECT_EQ(VisibleRows(), GetParam().rows);
    EXPECT_EQ(CheckedSelectors(), GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelCountLoadTest,
    ::testing::Values(CountCase{"One", 1, 0, "1", {1}, {1}},
                      CountCase{"TwoWithLevel4Active", 2, 3, "2", {1, 2}, {2}},
                      CountCase{"ThreeWithTheFirstActive", 3, 0, "3", {1, 2, 3}, {1}},
                      CountCase{"Four", 4, 3, "4", {1, 2, 3, 4}, {4}},
                      CountCase{"Zero", 0, 0, "4", {1, 2, 3, 4}, {2}},
                      CountCase{"AboveFour", 9, 0, "4", {1, 2, 3, 4}, {2}}),
    test::CaseName{});

// --- CPI boxes and sliders -------------------------------------------------------------

struct CommitCase {
    const char* name;
    const char* typed;
    std::uint16_t whileTyping;  // EditConfig before the commit
    const char* shown;
    int slider;
};

class CpiCommitTest : public BasicSettingsPageTest,
                      public ::testing::WithParamInterface<CommitCase> {};

TEST_P(CpiCommitTest, TypingStoresTheSteppedValueAndEnterSettlesBothAxes) {
    StartLoaded();
    Type(Box("xBox2"), GetParam().typed);

    EXPECT_EQ(Box("xBox2")->text(), GetParam().typed) << "typing leaves the text alone";
    EXPECT_EQ(EditLevel(2).CpiX, GetParam().whileTyping);
    EXPECT_EQ(EditLevel(2).CpiY, 800) << "the partner waits for the commit";
    EXPECT_TRUE(ApplyEnabled());

    QTest::keyClick(Box("xBox2"), Qt::Key_Return);

    EXPECT_EQ(Box("xBox2")->text(), GetParam().shown);
    EXPECT_EQ(Box("yBox2")->text(), GetParam().shown);
    EXPECT_EQ(Slider("xSlider2")->value(), GetParam().slider);
    EXPECT_EQ(Slider("ySlider2")->value(), GetParam().slider);
    EXPECT_EQ(EditLevel(2).CpiY, GetParam().whileTyping);
    EXPECT_TRUE(Box("xBox2")->hasFocus());
    EXPECT_EQ(SensorWrites(), 0) << "nothing reaches the mouse before APPLY";
}

INSTANTIATE_TEST_SUITE_P(Cases, CpiCommitTest,
                         ::testing::Values(CommitCase{"RoundsUp", "9995", 10000, "10000", 1000},
                                           CommitCase{"RoundsDown", "10024", 10000, "10000", 1000},
                                           CommitCase{"CoarseStep", "10025", 10050, "10050", 1001},
                                           CommitCase{"Lowest", "5", 10, "10", 1},
                                           CommitCase{"Highest", "40000", 30000, "30000", 1400}),
                         test::CaseName{});

TEST_F(BasicSettingsPageTest, LeavingABoxOrClickingThePageCommitsIt) {
    StartLoaded();
    Type(Box("xBox1"), "1234");
    Box("xBox3")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Box("xBox1")->text(), "1230");
    EXPECT_EQ(Box("yBox1")->text(), "1230");
    EXPECT_EQ(EditLevel(1).CpiY, 1230);

    Type(Box("xBox3"), "777");
    QTest::mouseClick(Page(), Qt::LeftButton, {},
                      QPoint(Page()->width() - 2, Page()->height() - 2));
    EXPECT_EQ(Box("xBox3")->text(), "780");
    EXPECT_EQ(Slider("ySlider3")->value(), 78);
    EXPECT_TRUE(Box("xBox3")->hasFocus()) << "the focus stays in the box";
    EXPECT_TRUE(window->isVisible());
}

TEST_F(BasicSettingsPageTest, AnEmptiedBoxIsReportedAndReadsTheLowestValue) {
    StartLoaded();
    QLineEdit* box = Box("yBox4");
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);

    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0], QString::fromUtf8(text::EnterPositiveInteger));
    EXPECT_EQ(box->text(), "10");
    EXPECT_EQ(EditLevel(4).CpiY, 10);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->selectedText(), "10");
}

TEST_F(BasicSettingsPageTest, TheBoxesTakeDigitsOnly) {
    StartLoaded();
    Type(Box("xBox1"), "12a-3");
    EXPECT_EQ(Box("xBox1")->text(), "123");
}

TEST_F(BasicSettingsPageTest, WithoutTheSplitASliderMovesItsPartner) {
    StartLoaded();
    MoveSlider(Slider("ySlider2"), 1001);

    EXPECT_EQ(Slider("xSlider2")->value(), 1001);
    EXPECT_EQ(Box("xBox2")->text(), "10050");
    EXPECT_EQ(Box("yBox2")->text(), "10050");
    EXPECT_EQ(EditLevel(2), (CpiLevel{0, 10050, 10050}));
    EXPECT_TRUE(ApplyEnabled());
}

TEST_F(BasicSettingsPageTest, WithTheSplitASliderMovesOnlyItsAxisUntilTheSplitEnds) {
    StartLoaded();
    QTest::mouseClick(Find<QCheckBox>("xySettingsBox"), Qt::LeftButton);
    MoveSlider(Slider("ySlider2"), 1400);

    EXPECT_EQ(EditLevel(2), (CpiLevel{0, 800, 30000}));
    EXPECT_EQ(Slider("xSlider2")->value(), 80);
    EXPECT_EQ(Box("yBox2")->text(), "30000");

    QTest::mouseClick(Find<QCheckBox>("xySettingsBox"), Qt::LeftButton);
    EXPECT_EQ(Slider("ySlider2")->value(), 80);
    EXPECT_EQ(Box("yBox2")->text(), "800");
    EXPECT_EQ(EditLevel(2).CpiY, 800);
    EXPECT_FALSE(ApplyEnabled());
}

// --- the level count -------------------------------------------------------------------

TEST_F(BasicSettingsPageTest, ChoosingACountShowsThoseLevelsAndAwaitsApply) {
    StartLoaded();  // level 2 of 4 is active
    Choose(Combo("levelCount"), 0);

    EXPECT_EQ(VisibleRows(), std::vector<int>{1});
    EXPECT_EQ(CheckedSelectors(), std::vector<int>{1});
    EXPECT_EQ(store.EditConfig().CpiLevelCount, 1);
    EXPECT_EQ(store.EditConfig().CurrentCpiLevel, 1) << "the count alone does not pick a level";
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_EQ(SensorWrites(), 0);

    Choose(Combo("levelCount"), 3);
    EXPECT_EQ(VisibleRows(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(CheckedSelectors(), std::vector<int>{2});
}

// --- picking a level ------------------------------------------------------------------

TEST_F(BasicSettingsPageTest, ASelectorSendsItsLevelOnEveryClick) {
    StartLoaded();
    QTest::mouseClick(Selector(3), Qt::LeftButton);
    QTest::mouseClick(Selector(3), Qt::LeftButton);

    EXPECT_EQ(SensorWrites(), 2);
    EXPECT_EQ(CheckedSelectors(), std::vector<int>{3});
    EXPECT_EQ(store.BaseConfig().CurrentCpiLevel, 2);
    EXPECT_EQ(emulator.ConfigBlock()[0x0D], 2);
}

TEST_F(BasicSettingsPageTest, ALabelOrSwatchSendsOnlyALevelNotYetPicked) {
    StartLoaded();
    QTest::mouseClick(Find<QWidget>("levelLabel2"), Qt::LeftButton);
    EXPECT_EQ(SensorWrites(), 0) << "level 2 is already the active one";

    QTest::mouseClick(Find<QWidget>("colourSwatch4"), Qt::LeftButton);
    QTest::mouseClick(Find<QWidget>("levelLabel4"), Qt::LeftButton);
    EXPECT_EQ(SensorWrites(), 1);
    EXPECT_EQ(CheckedSelectors(), std::vector<int>{4});
}

TEST_F(BasicSettingsPageTest, ALevelSwitchSendsOnlyThatLevelAndKeepsOtherEditsPending) {
    StartLoaded();
    Type(Box("xBox2"), "1200");
    QTest::keyClick(Box("xBox2"), Qt::Key_Return);
    Type(Box("xBox3"), "2000");  // left uncommitted: picking a level commits it first
    bool waitCursorShown = false;
    emulator.SetTraceObserver([&](const emu::TraceEntry&) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        waitCursorShown = cursor && cursor->shape() == Qt::WaitCursor;
    });

    QTest::mouseClick(Selector(3), Qt::LeftButton);

    ASSERT_EQ(SensorWrites(), 1);
    const auto sent = emulator.Trace().front().bytes;
    const auto levelBytes = [&](int level) {
        const auto at = sent.begin() + PayloadOffset + 8 + 5 * (level - 1);
        return std::vector<std::uint8_t>(at, at + 5);
    };
    EXPECT_EQ(sent[PayloadOffset + 7], 2) << "the active level";
    EXPECT_EQ(levelBytes(3), (std::vector<std::uint8_t>{0, 0xD0, 0x07, 0xD0, 0x07}));
    EXPECT_EQ(levelBytes(2), (std::vector<std::uint8_t>{0, 0x20, 0x03, 0x20, 0x03}))
        << "level 2's edit is held back";
    EXPECT_TRUE(waitCursorShown);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // The held-back edit stays on screen and in the page for the next APPLY.
    EXPECT_EQ(Box("xBox2")->text(), "1200");
    EXPECT_EQ(EditLevel(2).CpiX, 800);
    Find<CSensorDlg>("CSensorDlg")->CollectIntoConfig();
    EXPECT_EQ(EditLevel(2).CpiX, 1200);
    EXPECT_EQ(store.ChangedSections(), SensorSection);
}

TEST_F(BasicSettingsPageTest, ALevelTheMouseRefusedStaysPendingForApply) {
    StartLoaded();
    emulator.RefuseCommand(command::WriteSensorSettings, status::NotDone);
    QTest::mouseClick(Selector(1), Qt::LeftButton);

    EXPECT_EQ(SensorWrites(), 1);
    EXPECT_EQ(store.BaseConfig().CurrentCpiLevel, 1);
    EXPECT_EQ(store.EditConfig().CurrentCpiLevel, 0);
    EXPECT_EQ(store.ChangedSections(), SensorSection);
}

TEST_F(BasicSettingsPageTest, TheMouseReportingALevelMarksItWithoutSending) {
    StartLoaded();
    Page()->SetActiveLevel(3);
    EXPECT_EQ(CheckedSelectors(), std::vector<int>{4});

    Page()->SetActiveLevel(7);
    EXPECT_EQ(CheckedSelectors(), std::vector<int>{2});
    EXPECT_EQ(store.EditConfig().CurrentCpiLevel, 7);
    EXPECT_EQ(store.BaseConfig().CurrentCpiLevel, 7);
    EXPECT_TRUE(emulator.Trace().empty());
}

TEST_F(BasicSettingsPageTest, DisablingAndEnablingLeavesNoSelectorMarked) {
    StartLoaded();
    for (const bool enabled : {false, true}) {
        Page()->SetControlsEnabled(enabled);
        EXPECT_TRUE(CheckedSelectors().empty());
        EXPECT_EQ(Selector(1)->isEnabled(), enabled);
        EXPECT_EQ(Box("yBox3")->isEnabled(), enabled);
        EXPECT_EQ(Combo("lodList")->isEnabled(), enabled);
        EXPECT_TRUE(Find<QWidget>("levelLabel1")->isEnabled()) << "labels are left alone";
    }
}

// --- lift-off distance and switches ----------------------------------------------------------

struct GlassCase {
    const char* name;
    std::uint8_t lod;
    std::uint8_t onGlass;
    const char* shownOnGlass;
    std::uint8_t backOff;
    const char* shownOff;
};

class GlassModeLodTest : public BasicSettingsPageTest,
                         public ::testing::WithParamInterface<GlassCase> {};

TEST_P(GlassModeLodTest, TheListFollowsTheSurfaceAndKeepsTheNearestDistance) {
    DeviceConfig config = Defaults();
    config.LiftOffDistance = GetParam().lod;
    StartWith(config);

    Page()->SetLodListForGlassMode(1);
    EXPECT_EQ(store.EditConfig().LiftOffDistance, GetParam().onGlass);
    EXPECT_EQ(Combo("lodList")->currentText(), GetParam().shownOnGlass);

    Page()->SetLodListForGlassMode(0);
    EXPECT_EQ(store.EditConfig().LiftOffDistance, GetParam().backOff);
    EXPECT_EQ(Combo("lodList")->currentText(), GetParam().shownOff);

    Page()->SetLodListForGlassMode(2);
    EXPECT_EQ(Combo("lodList")->count(), 11) << "any other mode changes nothing";
}

INSTANTIATE_TEST_SUITE_P(Cases, GlassModeLodTest,
                         ::testing::Values(GlassCase{"Short", 7, 1, "1.0mm", 3, "1.0mm"},
                                           GlassCase{"Long", 8, 2, "2.0mm", 10, "1.7mm"}),
                         test::CaseName{});

TEST_F(BasicSettingsPageTest, ChoosingADistanceStoresItsCodeForTheSurface) {
    StartLoaded();
    Choose(Combo("lodList"), 9);
    EXPECT_EQ(store.EditConfig().LiftOffDistance, 9);
    EXPECT_TRUE(ApplyEnabled());
    Page()->SetLodListForGlassMode(1);
    Choose(Combo("lodList"), 1);
    EXPECT_EQ(store.EditConfig().LiftOffDistance, 2);
}

struct SwitchCase {
    const char* name;
    const char* box;
    std::uint8_t DeviceConfig::*field;
    std::uint8_t checked;
    std::uint8_t unchecked;
};

class SensorSwitchTest : public BasicSettingsPageTest,
                         public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SensorSwitchTest, AClickWritesTheFieldAndAnotherPutsItBack) {
    StartLoaded();
    auto* box = Find<QCheckBox>(GetParam().box);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(store.EditConfig().*GetParam().field, GetParam().checked);
    EXPECT_TRUE(ApplyEnabled());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(store.EditConfig().*GetParam().field, GetParam().unchecked);
    EXPECT_FALSE(ApplyEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, SensorSwitchTest,
                         ::testing::Values(SwitchCase{"AngleSnapping", "angleSnappingBox",
                                                      &DeviceConfig::AngleSnapping, 1, 0},
                                           SwitchCase{"RippleControl", "rippleControlBox",
                                                      &DeviceConfig::RippleControl, 1, 0},
                                           SwitchCase{"LedIsInverted", "disableLedBox",
                                                      &DeviceConfig::LiftOffLed, 0, 1}),
                         test::CaseName{});

// --- collecting for APPLY -----------------------------------------------------------------

TEST_F(BasicSettingsPageTest, CollectingTakesEveryControl) {
    DeviceConfig config = Defaults();
    config.LiftOffLed = 7;  // any value but 1 reads as "disabled" and is stored as 0
    StartWith(config);
    QTest::mouseClick(Find<QCheckBox>("xySettingsBox"), Qt::LeftButton);
    Type(Box("yBox1"), "450");
    QTest::keyClick(Box("yBox1"), Qt::Key_Return);

    Page()->CollectIntoConfig();

    const DeviceConfig& edit = store.EditConfig();
    EXPECT_EQ(edit.CpiLevels[0], (CpiLevel{1, 400, 450}));
    EXPECT_EQ(edit.CpiLevels[1], (CpiLevel{0, 800, 800}));
    EXPECT_EQ(edit.LiftOffLed, 0);
    EXPECT_EQ(edit.LiftOffDistance, 3);
    EXPECT_EQ(edit.CurrentCpiLevel, 1);
    EXPECT_EQ(edit.CpiLevelCount, 4);
}

// --- keyboard -----------------------------------------------------------------------------

TEST_F(BasicSettingsPageTest, TabMovesThroughThePageAndEscapeIsSwallowed) {
    StartLoaded();
    Box("xBox1")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Box("xBox1"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Slider("ySlider1"));
    QTest::keyClick(Slider("ySlider1"), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Box("xBox1"));
    QTest::keyClick(Box("xBox1"), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
}

}  // namespace
}  // namespace qx9
