#include <gtest/gtest.h>

#include <QGroupBox>

#include "CPower.h"
#include "UiTexts.h"
#include "support/CaseName.h"
#include "support/PageFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::Defaults;

constexpr int PowerTab = 3;

DeviceConfig WithTimeouts(std::uint8_t powerSaving, std::uint8_t deepSleep,
                          std::uint8_t pollingRate = 0x02) {
    DeviceConfig config = Defaults();
    config.PowerSaving = powerSaving;
    config.DeepSleep = deepSleep;
    config.PollingRate = pollingRate;
    return config;
}

class PowerSettingsPageTest : public test::PageFixture {
  protected:
    void StartWith(const DeviceConfig& config) {
        PageFixture::StartWith(config, Endpoint::Dongle, PowerTab);
    }

    CPower* Page() const { return Find<CPower>("CPower"); }
    QCheckBox* SavingBox() const { return Find<QCheckBox>("powerSavingBox"); }
    QCheckBox* SleepBox() const { return Find<QCheckBox>("deepSleepBox"); }
    QLineEdit* SavingField() const { return Find<QLineEdit>("powerSavingMinutes"); }
    QLineEdit* SleepField() const { return Find<QLineEdit>("deepSleepMinutes"); }
    std::uint8_t PowerSaving() const { return store.EditConfig().PowerSaving; }
    std::uint8_t DeepSleep() const { return store.EditConfig().DeepSleep; }
};

// --- the form ------------------------------------------------------------------------

TEST_F(PowerSettingsPageTest, EveryControlCarriesItsTemplateIdAndItsRole) {
    StartWith(Defaults());
    EXPECT_EQ(NamedControlIds(Page()), (std::set<int>{1017, 1018, 1028, 1029}));
    for (const char* frame : {"powerSavingFrame", "deepSleepFrame"}) {
        EXPECT_TRUE(Find<QGroupBox>(frame)->title().isEmpty()) << frame;
    }
    for (const char* lead : {"powerSavingAfterLabel", "deepSleepAfterLabel"}) {
        EXPECT_EQ(Find<QLabel>(lead)->text(), "after inactive for");
    }
    for (const char* range : {"powerSavingRangeLabel", "deepSleepRangeLabel"}) {
        EXPECT_EQ(Find<QLabel>(range)->text(), "minute(s), range: 1 - 120");
    }
    EXPECT_EQ(SavingBox()->text(), "Enable Power Saving");
    EXPECT_EQ(SleepBox()->text(), "Enable Deep Sleep");
}

TEST_F(PowerSettingsPageTest, BeforeAnyLoadThePageShowsItsStartingValues) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(SavingField()->text(), "1");
    EXPECT_EQ(SleepField()->text(), "5");
    EXPECT_FALSE(SavingBox()->isChecked());
    EXPECT_FALSE(SleepBox()->isChecked());
}

TEST_F(PowerSettingsPageTest, TheWindowReachesTheFourControls) {
    StartWith(Defaults());
    window->SetDeviceControlsEnabled(false);
    for (QWidget* control :
         std::initializer_list<QWidget*>{SavingBox(), SavingField(), SleepBox(), SleepField()}) {
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
    window->SetDeviceControlsEnabled(true);
    for (QWidget* control :
         std::initializer_list<QWidget*>{SavingBox(), SavingField(), SleepBox(), SleepField()}) {
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    }
}

// --- loading ------------------------------------------------------------------------------

struct LoadCase {
    const char* name;
    std::uint8_t powerSaving;
    std::uint8_t deepSleep;
    std::uint8_t pollingRate;
    const char* savingShown;
    bool savingChecked;
    bool savingBoxEnabled;
    bool savingFieldEnabled;
    const char* sleepShown;
    bool sleepChecked;
};

class PowerLoadTest : public PowerSettingsPageTest,
                      public ::testing::WithParamInterface<LoadCase> {};

TEST_P(PowerLoadTest, ShowsTheTimeoutsAndLeavesTheRecordAlone) {
    const LoadCase& c = GetParam();
    StartWith(WithTimeouts(c.powerSaving, c.deepSleep, c.pollingRate));

    EXPECT_EQ(SavingField()->text(), c.savingShown);
    EXPECT_EQ(SavingBox()->isChecked(), c.savingChecked);
    EXPECT_EQ(SavingBox()->isEnabled(), c.savingBoxEnabled);
    EXPECT_EQ(SavingField()->isEnabled(), c.savingFieldEnabled);
    EXPECT_EQ(SleepField()->text(), c.sleepShown);
    EXPECT_EQ(SleepBox()->isChecked(), c.sleepChecked);
    EXPECT_EQ(SleepField()->isEnabled(), c.sleepChecked);
    EXPECT_EQ(PowerSaving(), c.powerSaving);
    EXPECT_EQ(DeepSleep(), c.deepSleep);
    EXPECT_FALSE(ApplyEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PowerLoadTest,
    ::testing::Values(
        LoadCase{"PowerSavingOff", 0x85, 0x03, 0x02, "5", false, true, false, "3", true},
        LoadCase{"OfficeRateForcesPowerSaving", 0x81, 0x03, 0x40, "1", true, false, false, "3",
                 true},
        LoadCase{"PowerSavingRate", 0x0A, 0x83, 0x80, "10", true, false, false, "3", false},
        LoadCase{"EqualMinutesBothOn", 10, 10, 0x02, "10", false, true, false, "10", true},
        LoadCase{"MinutesBelowTheRange", 0x00, 0xFF, 0x02, "1", true, true, true, "120", false}),
    test::CaseName{});

// --- boxes ----------------------------------------------------------------------------------

TEST_F(PowerSettingsPageTest, CheckingPowerSavingTurnsItOnWithTheShownMinutes) {
    StartWith(WithTimeouts(0x85, 0x03));
    QTest::mouseClick(SavingBox(), Qt::LeftButton);
    EXPECT_EQ(PowerSaving(), 0x05);
    EXPECT_TRUE(SavingField()->isEnabled());
    EXPECT_TRUE(ApplyEnabled());

    QTest::mouseClick(SleepBox(), Qt::LeftButton);
    EXPECT_EQ(DeepSleep(), 0x83);
    EXPECT_FALSE(SleepField()->isEnabled());

    QTest::mouseClick(SavingBox(), Qt::LeftButton);
    QTest::mouseClick(SleepBox(), Qt::LeftButton);
    EXPECT_EQ(PowerSaving(), 0x85);
    EXPECT_EQ(DeepSleep(), 0x03);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_TRUE(notifier.shown.empty());
}

// --- typing ---------------------------------------------------------------------------------

struct MinutesCase {
    const char* name;
    const char* field;
    std::uint8_t DeviceConfig::*stored;
    const char* typed;
    const char* shown;
    std::uint8_t value;
};

class MinutesTypingTest : public PowerSettingsPageTest,
                          public ::testing::WithParamInterface<MinutesCase> {};

TEST_P(MinutesTypingTest, TheMinutesAreClampedAsTheyAreTyped) {
    StartWith(WithTimeouts(0x05, 0x03));
    auto* field = Find<QLineEdit>(GetParam().field);
    Type(field, GetParam().typed);
    EXPECT_EQ(field->text(), GetParam().shown);
    EXPECT_EQ(store.EditConfig().*GetParam().stored, GetParam().value);
    EXPECT_TRUE(field->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MinutesTypingTest,
    ::testing::Values(
        MinutesCase{"Typed250", "powerSavingMinutes", &DeviceConfig::PowerSaving, "250", "120",
                    0x78},
        MinutesCase{"TypedZero", "powerSavingMinutes", &DeviceConfig::PowerSaving, "0", "1", 0x01},
        MinutesCase{"InRange", "powerSavingMinutes", &DeviceConfig::PowerSaving, "45", "45", 45},
        MinutesCase{"DigitsOnly", "powerSavingMinutes", &DeviceConfig::PowerSaving, "1x2", "12",
                    12},
        MinutesCase{"DeepSleep", "deepSleepMinutes", &DeviceConfig::DeepSleep, "99", "99", 99},
        MinutesCase{"DeepSleepAbove", "deepSleepMinutes", &DeviceConfig::DeepSleep, "121", "120",
                    120}),
    test::CaseName{});

TEST_F(PowerSettingsPageTest, AnEmptiedFieldChangesNothingUntilThePageIsClicked) {
    StartWith(WithTimeouts(0x0C, 0x14));
    Empty(SleepField());
    EXPECT_EQ(DeepSleep(), 0x14);
    ClickBackground(Page());
    EXPECT_EQ(SleepField()->text(), "") << "only power saving is settled by a page click";

    Empty(SavingField());
    EXPECT_EQ(PowerSaving(), 0x0C);
    EXPECT_FALSE(ApplyEnabled());
    ClickBackground(Page());
    EXPECT_EQ(SavingField()->text(), "1");
    EXPECT_EQ(PowerSaving(), 0x01);
    EXPECT_EQ(SleepField()->text(), "20") << "writing the minutes back fills its partner";
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(notifier.shown.empty());
}

TEST_F(PowerSettingsPageTest, EnterAndEscapeAreSwallowed) {
    StartWith(WithTimeouts(0x0C, 0x14));
    Empty(SavingField());
    QTest::keyClick(SavingField(), Qt::Key_Return);
    QTest::keyClick(SavingField(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(SavingField()->text(), "");
}

// --- reading back for APPLY ------------------------------------------------------------------

TEST_F(PowerSettingsPageTest, AnEmptiedFieldIsReportedAndItsStoredMinutesGoOn) {
    StartWith(WithTimeouts(0x0C, 0x14));
    Empty(SleepField());
    Empty(SavingField());

    const power::PowerTimeouts read = Page()->ReadTimeoutsForApply();

    ASSERT_EQ(notifier.shown.size(), 1u) << "one message for one read";
    EXPECT_EQ(notifier.shown[0], QString::fromUtf8(text::EnterPositiveInteger));
    EXPECT_EQ(read.powerSavingMinutes, 12u);
    EXPECT_TRUE(read.powerSavingOn);
    EXPECT_EQ(read.deepSleepMinutes, 20u);
    EXPECT_EQ(SavingField()->text(), "12");
    EXPECT_EQ(SleepField()->text(), "20");
    EXPECT_TRUE(SavingField()->hasFocus());
    EXPECT_EQ(SavingField()->selectedText(), "12");
}

TEST_F(PowerSettingsPageTest, ABoxClickReadsTheFieldsBackFirst) {
    StartWith(WithTimeouts(0x0C, 0x14));
    Empty(SleepField());
    QTest::mouseClick(SleepBox(), Qt::LeftButton);

    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(DeepSleep(), 0x94) << "off, with the stored minutes";
    EXPECT_EQ(SleepField()->text(), "20");
}

TEST_F(PowerSettingsPageTest, AForcedBoxCountsAsCheckedForApply) {
    StartWith(WithTimeouts(0x85, 0x03, 0x40));
    const power::PowerTimeouts read = Page()->ReadTimeoutsForApply();
    EXPECT_TRUE(read.powerSavingOn);
    EXPECT_EQ(power::ComposeTimeout(read.powerSavingMinutes, read.powerSavingOn), 0x05);
    EXPECT_TRUE(notifier.shown.empty());
}

TEST_F(PowerSettingsPageTest, EqualMinutesSettleWithPowerSavingOffOnScreenOnly) {
    StartWith(WithTimeouts(0x0A, 0x14));
    Type(SleepField(), "10");
    ASSERT_TRUE(power::BothOnWithEqualMinutes(Page()->ReadTimeoutsForApply()));

    Page()->SettleEqualMinutes();

    EXPECT_FALSE(SavingBox()->isChecked());
    EXPECT_FALSE(SavingField()->isEnabled());
    EXPECT_EQ(PowerSaving(), 0x0A);
    EXPECT_FALSE(Page()->ReadTimeoutsForApply().powerSavingOn);
}

}  // namespace
}  // namespace qx9
