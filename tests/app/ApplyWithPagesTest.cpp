#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "UiTexts.h"
#include "support/CaseName.h"
#include "support/PageFixture.h"

namespace qx9 {
namespace {

using test::Defaults;

constexpr int AdvancedTab = 1;
constexpr int PowerTab = 3;
constexpr std::size_t PowerSavingInPayload = PayloadOffset + 3;
constexpr std::size_t DeepSleepInPayload = PayloadOffset + 9;

// APPLY and Factory Reset with every page taking part as the user left it.
class ApplyWithPagesTest : public test::PageFixture {
  protected:
    void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }
    void ClickApply() { Click("applyButton"); }
    // The advanced writes sent so far, oldest first.
    std::vector<std::vector<std::uint8_t>> AdvancedWrites() const {
        std::vector<std::vector<std::uint8_t>> writes;
        for (const auto& entry : emulator.Trace()) {
            if (entry.direction == emu::Direction::Send &&
                entry.bytes[1] == command::WriteAdvancedSettings) {
                writes.push_back(entry.bytes);
            }
        }
        return writes;
    }
    QLineEdit* Field(const char* name) const { return Find<QLineEdit>(name); }
    QCheckBox* Box(const char* name) const { return Find<QCheckBox>(name); }
};

TEST_F(ApplyWithPagesTest, EqualMinutesGoOutOnceThenPowerSavingGoesOutOff) {
    DeviceConfig config = Defaults();
    config.PowerSaving = 5;
    config.DeepSleep = 3;
    StartWith(config, emu::Endpoint::Cable, PowerTab);
    Type(Field("powerSavingMinutes"), "3");

    ClickApply();

    ASSERT_EQ(AdvancedWrites().size(), 1u);
    EXPECT_EQ(AdvancedWrites()[0][PowerSavingInPayload], 3) << "this APPLY sends it on";
    EXPECT_EQ(AdvancedWrites()[0][DeepSleepInPayload], 3);
    EXPECT_FALSE(Box("powerSavingBox")->isChecked());
    EXPECT_FALSE(Field("powerSavingMinutes")->isEnabled());
    EXPECT_FALSE(ApplyEnabled());

    ClickTab(0);
    Click("rippleControlBox");  // another edit enables APPLY again
    ClickApply();

    ASSERT_EQ(AdvancedWrites().size(), 2u);
    EXPECT_EQ(AdvancedWrites()[1][PowerSavingInPayload], 0x83) << "now it goes out off";
    EXPECT_EQ(AdvancedWrites()[1][DeepSleepInPayload], 3);
    EXPECT_EQ(store.BaseConfig(), store.EditConfig());
}

TEST_F(ApplyWithPagesTest, AnEmptiedMinutesFieldIsReportedAndApplyGoesOnWithTheStoredMinutes) {
    DeviceConfig config = Defaults();
    config.PowerSaving = 7;
    StartWith(config, emu::Endpoint::Cable, PowerTab);
    Empty(Field("powerSavingMinutes"));
    Click("deepSleepBox");  // deep sleep off: something to send

    ClickApply();

    ASSERT_FALSE(notifier.shown.empty());
    EXPECT_EQ(notifier.shown.back(), QString::fromUtf8(text::EnterPositiveInteger));
    ASSERT_EQ(AdvancedWrites().size(), 1u);
    EXPECT_EQ(AdvancedWrites()[0][PowerSavingInPayload], 7);
    EXPECT_EQ(AdvancedWrites()[0][DeepSleepInPayload], 0x83);
    EXPECT_EQ(store.BaseConfig(), store.EditConfig());
}

struct AcknowledgementCase {
    const char* name;
    bool refused;
    bool boxShownAfter;
};

class AcknowledgementApplyTest : public ApplyWithPagesTest,
                                 public ::testing::WithParamInterface<AcknowledgementCase> {};

TEST_P(AcknowledgementApplyTest, TheBoxGoesOnlyOnceTheMouseStoredTheAcknowledgement) {
    StartWith(Defaults(), emu::Endpoint::Cable, AdvancedTab);
    ASSERT_TRUE(Box("acknowledgementBox")->isVisible());
    Click("acknowledgementBox");
    if (GetParam().refused) {
        emulator.RefuseCommand(command::WriteAdvancedSettings, status::NotDone);
    }

    ClickApply();

    ASSERT_EQ(AdvancedWrites().size(), 1u);
    EXPECT_EQ(AdvancedWrites()[0][PayloadOffset + 2] & 0x20, 0x20);
    EXPECT_EQ(Box("acknowledgementBox")->isVisible(), GetParam().boxShownAfter);
    EXPECT_EQ(ApplyEnabled(), GetParam().refused);
}

INSTANTIATE_TEST_SUITE_P(Cases, AcknowledgementApplyTest,
                         ::testing::Values(AcknowledgementCase{"Confirmed", false, false},
                                           AcknowledgementCase{"Refused", true, true}),
                         test::CaseName{});

TEST_F(ApplyWithPagesTest, AConfirmedResetShowsTheDefaultsOnEveryPage) {
    DeviceConfig config = Defaults();
    config.MotionSync = 1;
    config.FeatureFlags = 0x21;
    config.PowerSaving = 0x85;
    config.DeepSleep = 0x80 | 9;
    config.Buttons[2].MulticlickFilter = 20;
    config.Buttons[slot::Middle].ActionType = ActionDisabled;
    std::swap(config.Buttons[slot::Left], config.Buttons[slot::Right]);
    StartWith(config, emu::Endpoint::Cable, PowerTab);
    ASSERT_FALSE(Box("powerSavingBox")->isChecked());
    ASSERT_TRUE(Box("leftHandedBox")->isChecked());
    ASSERT_EQ(Find<QPushButton>("middleButtonAction")->text(), "DISABLE");

    Click("factoryResetButton");

    EXPECT_TRUE(Box("powerSavingBox")->isChecked());
    EXPECT_EQ(Field("powerSavingMinutes")->text(), "1");
    EXPECT_TRUE(Box("deepSleepBox")->isChecked());
    EXPECT_EQ(Field("deepSleepMinutes")->text(), "3");
    EXPECT_TRUE(Field("deepSleepMinutes")->isEnabled());
    EXPECT_FALSE(Box("motionSyncBox")->isChecked());
    EXPECT_EQ(Field("middleFilterField")->text(), "8");
    EXPECT_FALSE(Box("leftHandedBox")->isChecked());
    EXPECT_EQ(Find<QPushButton>("middleButtonAction")->text(), "MIDDLE CLICK");
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(store.EditConfig(), Defaults());
}

}  // namespace
}  // namespace qx9
