#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>

#include "CPower.h"
#include "CSupportDlg.h"
#include "support/CaseName.h"
#include "support/PageFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::Defaults;

constexpr int AdvancedTab = 1;
constexpr std::uint8_t Acknowledged = 0x21;  // Slamclick Filter and the acknowledgement

// A configuration whose filters are open to the user.
DeviceConfig AcknowledgedDefaults() {
    DeviceConfig config = Defaults();
    config.FeatureFlags = Acknowledged;
    return config;
}

class AdvancedSettingsPageTest : public test::PageFixture {
  protected:
    void StartWith(const DeviceConfig& config, Endpoint endpoint = Endpoint::Dongle) {
        PageFixture::StartWith(config, endpoint, AdvancedTab);
    }

    CSupportDlg* Page() const { return Find<CSupportDlg>("CSupportDlg"); }
    QComboBox* RateList() const { return Find<QComboBox>("reportRateList"); }
    QCheckBox* Box(const char* name) const { return Find<QCheckBox>(name); }
    QSlider* Slider(const char* row) const {
        return Find<QSlider>((std::string(row) + "FilterSlider").c_str());
    }
    QLineEdit* Field(const char* row) const {
        return Find<QLineEdit>((std::string(row) + "FilterField").c_str());
    }
    QComboBox* SwitchMode(const char* row) const {
        return Find<QComboBox>((std::string(row) + "SpdtSelector").c_str());
    }
    QSlider* AngleSlider() const { return Find<QSlider>("angleTuningSlider"); }
    QLineEdit* AngleField() const { return Find<QLineEdit>("angleTuningField"); }
    std::uint8_t Filter(std::size_t button) const {
        return store.EditConfig().Buttons[button].MulticlickFilter;
    }
    // What "Enable Power Saving" on the Power Settings page looks like.
    std::pair<bool, bool> PowerSavingCheckedAndEnabled() const {
        const auto* box = Find<QCheckBox>("powerSavingBox");
        return {box->isChecked(), box->isEnabled()};
    }
};

// --- the form ------------------------------------------------------------------------

TEST_F(AdvancedSettingsPageTest, EveryControlCarriesItsTemplateIdAndItsRole) {
    StartWith(AcknowledgedDefaults());
    EXPECT_EQ(NamedControlIds(Page()),
              (std::set<int>{1024, 1025, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1037,
                             1038, 1061, 1062, 1063, 1066, 1067, 1068, 1069, 1070, 1071}));
    QStringList entries;
    for (int at = 0; at < RateList()->count(); ++at) {
        entries << RateList()->itemText(at);
    }
    EXPECT_EQ(entries, (QStringList{"4000Hz (no Power Saving)", "2000Hz (no Power Saving)",
                                    "1000Hz (no Power Saving)", "1000Hz (Power Saving)",
                                    "125Hz (Office Mode)"}));
    EXPECT_EQ(SwitchMode("right")->itemText(2), "Tarn Safe Mode");
    EXPECT_EQ(Find<QLabel>("rightSpdtLabel")->text(), "SPDT:");
    EXPECT_EQ(Find<QLabel>("backFilterLabel")->text(), "Back Button Multiclick Filter");
    EXPECT_EQ(Find<QLabel>("acknowledgementText")->text(),
              "I understand that the Multiclick Filter is not a traditional debounce slider, "
              "lower values don't affect click latency. ");
    EXPECT_FALSE(Box("motionJitterFilterBox")->isVisible());
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(Box("acknowledgementBox"))->text(QAccessible::Name),
        Find<QLabel>("acknowledgementText")->text());
}

TEST_F(AdvancedSettingsPageTest, BeforeAnyLoadThePageShowsItsStartingValues) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(RateList()->currentIndex(), 0);
    EXPECT_TRUE(Box("slamclickFilterBox")->isChecked());
    for (const char* box :
         {"motionSyncBox", "forceMaxFpsBox", "glassModeBox", "acknowledgementBox"}) {
        EXPECT_FALSE(Box(box)->isChecked()) << box;
    }
    for (const char* row : {"left", "right", "middle", "forward", "back"}) {
        EXPECT_EQ(Slider(row)->value(), 8) << row;
        EXPECT_EQ(Slider(row)->maximum(), 25) << row;
        EXPECT_EQ(Field(row)->text(), "8") << row;
    }
    EXPECT_EQ(SwitchMode("left")->currentText(), "OFF");
    EXPECT_EQ(AngleSlider()->minimum(), -127);
    EXPECT_EQ(AngleSlider()->maximum(), 127);
    EXPECT_EQ(AngleSlider()->tickInterval(), 1);
    EXPECT_EQ(AngleField()->text(), "0");
}

// --- the window enabling and disabling the page ------------------------------------------------

TEST_F(AdvancedSettingsPageTest, TheWindowReachesNineteenControlsAndLeavesTwoAlone) {
    StartWith(AcknowledgedDefaults());
    const std::set<int> leftAlone{1030, 1031};
    for (const bool enabled : {false, true}) {
        window->SetDeviceControlsEnabled(enabled);
        int reached = 0;
        for (QWidget* control : Page()->findChildren<QWidget*>()) {
            const QVariant id = control->property("templateId");
            if (!id.isValid() || control == Page()) {
                continue;
            }
            const bool alone = leftAlone.contains(id.toInt());
            EXPECT_EQ(control->isEnabled(), enabled || alone)
                << control->objectName().toStdString();
            reached += alone ? 0 : 1;
        }
        EXPECT_EQ(reached, 19);
    }
}

// --- loading ------------------------------------------------------------------------------

struct RateLoadCase {
    const char* name;
    Endpoint endpoint;
    std::uint8_t rate;
    std::uint8_t glassMode;
    int entry;
    bool selectorEnabled;
    bool maxFpsEnabled;
    bool powerSavingForced;
};

class RateLoadTest : public AdvancedSettingsPageTest,
                     public ::testing::WithParamInterface<RateLoadCase> {};

TEST_P(RateLoadTest, TheSelectorShowsTheRateTheConnectionAllows) {
    DeviceConfig config = AcknowledgedDefaults();
    config.PollingRate = GetParam().rate;
    config.GlassMode = GetParam().glassMode;
    config.FeatureFlags |= 0x40;
    StartWith(config, GetParam().endpoint);

    EXPECT_EQ(RateList()->currentIndex(), GetParam().entry);
    EXPECT_EQ(RateList()->isEnabled(), GetParam().selectorEnabled);
    EXPECT_EQ(Box("glassModeBox")->isChecked(), GetParam().glassMode == 1);
    EXPECT_TRUE(Box("forceMaxFpsBox")->isChecked());
    EXPECT_EQ(Box("forceMaxFpsBox")->isEnabled(), GetParam().maxFpsEnabled);
    EXPECT_EQ(PowerSavingCheckedAndEnabled().second, !GetParam().powerSavingForced);
    EXPECT_FALSE(store.ConfigsDiffer()) << "loading edits nothing";
    EXPECT_FALSE(ApplyEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RateLoadTest,
    ::testing::Values(
        RateLoadCase{"Hz4000Wireless", Endpoint::Dongle, 0x02, 0, 0, true, true, false},
        RateLoadCase{"Hz2000Wireless", Endpoint::Dongle, 0x04, 0, 1, true, true, false},
        RateLoadCase{"Hz1000Wireless", Endpoint::Dongle, 0x08, 0, 2, true, true, false},
        RateLoadCase{"PowerSavingWireless", Endpoint::Dongle, 0x80, 0, 3, true, false, true},
        RateLoadCase{"OfficeWireless", Endpoint::Dongle, 0x40, 0, 4, true, false, true},
        RateLoadCase{"GlassWireless", Endpoint::Dongle, 0x02, 1, 2, false, true, false},
        RateLoadCase{"Cable", Endpoint::Cable, 0x02, 0, 2, false, true, false},
        RateLoadCase{"GlassOnTheCable", Endpoint::Cable, 0x04, 1, 2, false, true, false}),
    test::CaseName{});

TEST_F(AdvancedSettingsPageTest, AnUnknownRateThroughTheDongleKeepsTheSelectorAsItWas) {
    DeviceConfig config = AcknowledgedDefaults();
    config.PollingRate = 0x04;
    StartWith(config);
    config.PollingRate = 0x10;
    emulator.SetConfigBlock(test::BlockOf(config));

    ASSERT_EQ(window->ConnectAndLoad(LinkMode::Dongle), result::Done);

    EXPECT_EQ(store.EditConfig().PollingRate, 0x10);
    EXPECT_EQ(RateList()->currentIndex(), 1);
    EXPECT_TRUE(RateList()->isEnabled());
    EXPECT_TRUE(Box("forceMaxFpsBox")->isEnabled());
    Page()->CollectIntoConfig();
    EXPECT_EQ(store.EditConfig().PollingRate, 0x04) << "APPLY sends what the selector shows";
}

struct StoredFilterCase {
    const char* name;
    const char* row;
    std::size_t button;
    std::uint8_t stored;
};

class StoredFilterLoadTest : public AdvancedSettingsPageTest,
                             public ::testing::WithParamInterface<StoredFilterCase> {};

TEST_P(StoredFilterLoadTest, AValueTheRowCannotShowShowsEightAndGoesOutWithApply) {
    DeviceConfig config = AcknowledgedDefaults();
    config.Buttons[GetParam().button].MulticlickFilter = GetParam().stored;
    StartWith(config);

    EXPECT_EQ(Slider(GetParam().row)->value(), 8);
    EXPECT_EQ(Field(GetParam().row)->text(), "8");
    EXPECT_TRUE(Slider(GetParam().row)->isEnabled());
    EXPECT_FALSE(ApplyEnabled());
    Page()->CollectIntoConfig();
    EXPECT_EQ(Filter(GetParam().button), 8);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredFilterLoadTest,
                         ::testing::Values(StoredFilterCase{"Left30", "left", 0, 30},
                                           StoredFilterCase{"Right0xEE", "right", 1, 0xEE},
                                           StoredFilterCase{"Middle0xF1", "middle", 2, 0xF1},
                                           StoredFilterCase{"Forward0xF0", "forward", 4, 0xF0},
                                           StoredFilterCase{"Back30", "back", 3, 30}),
                         test::CaseName{});

TEST_F(AdvancedSettingsPageTest, LoadingShowsTheSwitchSettings) {
    DeviceConfig config = AcknowledgedDefaults();
    config.Buttons[0].MulticlickFilter = 0xF1;
    config.Buttons[1].MulticlickFilter = 5;
    config.Buttons[2].MulticlickFilter = 17;
    config.AngleTuning = -128;
    config.MotionSync = 1;
    StartWith(config);

    EXPECT_EQ(SwitchMode("left")->currentText(), "Tarn Speed Mode");
    EXPECT_FALSE(Slider("left")->isEnabled());
    EXPECT_FALSE(Field("left")->isEnabled());
    EXPECT_EQ(SwitchMode("right")->currentText(), "OFF");
    EXPECT_TRUE(Slider("right")->isEnabled());
    EXPECT_EQ(Field("right")->text(), "5");
    EXPECT_EQ(Slider("middle")->value(), 17);
    EXPECT_EQ(AngleField()->text(), "0");
    EXPECT_TRUE(Box("motionSyncBox")->isChecked());
    EXPECT_FALSE(Box("acknowledgementBox")->isVisible());
    EXPECT_EQ(store.EditConfig().AckShown, 0x20);
    Page()->CollectIntoConfig();
    EXPECT_EQ(Filter(0), 0xF1);
}

TEST_F(AdvancedSettingsPageTest, ReloadingShowsTheMouseWithoutEditingIt) {
    DeviceConfig config = AcknowledgedDefaults();
    config.Buttons[0].MulticlickFilter = 5;
    config.Buttons[2].MulticlickFilter = 3;
    StartWith(config);
    config.Buttons[0].MulticlickFilter = 0xF0;
    config.Buttons[2].MulticlickFilter = 30;
    emulator.SetConfigBlock(test::BlockOf(config));

    ASSERT_EQ(window->ConnectAndLoad(LinkMode::Dongle), result::Done);

    EXPECT_EQ(Field("left")->text(), "8");
    EXPECT_EQ(Field("middle")->text(), "8");
    EXPECT_EQ(Filter(0), 0xF0) << "the switch mode survives the rewritten field";
    EXPECT_EQ(Filter(2), 30);
    EXPECT_FALSE(ApplyEnabled());
    Page()->CollectIntoConfig();
    EXPECT_EQ(Filter(0), 0xF0);
    EXPECT_EQ(Filter(2), 8);
}

// --- report rate ------------------------------------------------------------------------------

struct RateChoiceCase {
    const char* name;
    int entry;
    std::uint8_t powerSaving;
    std::uint8_t code;
    bool maxFpsEnabled;
    bool powerSavingChecked;
    bool powerSavingEnabled;
};

class RateChoiceTest : public AdvancedSettingsPageTest,
                       public ::testing::WithParamInterface<RateChoiceCase> {};

TEST_P(RateChoiceTest, ARateStoresItsCodeAndSettlesFrameRateAndPowerSaving) {
    DeviceConfig config = AcknowledgedDefaults();
    config.PollingRate = 0x80;  // starts with power saving forced on
    config.PowerSaving = GetParam().powerSaving;
    config.FeatureFlags |= 0x40;
    StartWith(config);

    Choose(RateList(), GetParam().entry);

    EXPECT_EQ(store.EditConfig().PollingRate, GetParam().code);
    EXPECT_TRUE(Box("forceMaxFpsBox")->isChecked());
    EXPECT_EQ(Box("forceMaxFpsBox")->isEnabled(), GetParam().maxFpsEnabled);
    EXPECT_EQ(PowerSavingCheckedAndEnabled(),
              std::make_pair(GetParam().powerSavingChecked, GetParam().powerSavingEnabled));
    EXPECT_EQ(store.EditConfig().PowerSaving, GetParam().powerSaving) << "APPLY composes it";
    EXPECT_EQ(ApplyEnabled(), GetParam().code != 0x80);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RateChoiceTest,
    ::testing::Values(RateChoiceCase{"Hz4000PowerSavingOn", 0, 0x05, 0x02, true, true, true},
                      RateChoiceCase{"Hz4000PowerSavingOff", 0, 0x85, 0x02, true, false, true},
                      RateChoiceCase{"Hz2000", 1, 0x85, 0x04, true, false, true},
                      RateChoiceCase{"Hz1000", 2, 0x05, 0x08, true, true, true},
                      RateChoiceCase{"PowerSaving", 3, 0x85, 0x80, false, true, false},
                      RateChoiceCase{"Office", 4, 0x85, 0x40, false, true, false}),
    test::CaseName{});

TEST_F(AdvancedSettingsPageTest, OnTheCableApplySendsOneThousandHertzWhateverWasStored) {
    DeviceConfig config = AcknowledgedDefaults();
    config.PollingRate = 0x40;
    StartWith(config, Endpoint::Cable);
    EXPECT_FALSE(RateList()->isEnabled());
    Page()->CollectIntoConfig();
    EXPECT_EQ(store.EditConfig().PollingRate, 0x08);
}

TEST_F(AdvancedSettingsPageTest, TheMouseReportingARateMovesTheSelectorWithoutEditing) {
    StartWith(AcknowledgedDefaults());
    EXPECT_TRUE(Page()->ShowReportedRate(0x40, false));
    EXPECT_EQ(RateList()->currentIndex(), 4);
    EXPECT_FALSE(Box("forceMaxFpsBox")->isEnabled());
    EXPECT_EQ(PowerSavingCheckedAndEnabled(), std::make_pair(true, false));

    EXPECT_TRUE(Page()->ShowReportedRate(0x02, true));
    EXPECT_EQ(RateList()->currentIndex(), 0);
    EXPECT_TRUE(Box("forceMaxFpsBox")->isChecked());
    EXPECT_TRUE(Box("forceMaxFpsBox")->isEnabled());
    EXPECT_EQ(store.EditConfig().FeatureFlags & 0x40, 0x40);

    EXPECT_FALSE(store.ConfigsDiffer());
    EXPECT_FALSE(ApplyEnabled());

    EXPECT_FALSE(Page()->ShowReportedRate(0x33, false)) << "a code outside the list";
    EXPECT_EQ(RateList()->currentIndex(), 0);
    EXPECT_EQ(store.EditConfig().PollingRate, 0x02);
    EXPECT_EQ(store.BaseConfig().PollingRate, 0x02);
    EXPECT_TRUE(Box("forceMaxFpsBox")->isChecked());
}

TEST_F(AdvancedSettingsPageTest, OnTheCableOnlyOneThousandHertzIsTakenFromTheMouse) {
    StartWith(AcknowledgedDefaults(), Endpoint::Cable);
    EXPECT_FALSE(Page()->ShowReportedRate(0x40, false));
    EXPECT_EQ(store.EditConfig().PollingRate, 0x02);
    EXPECT_TRUE(Box("forceMaxFpsBox")->isEnabled());
    EXPECT_TRUE(Page()->ShowReportedRate(0x08, false));
    EXPECT_EQ(store.BaseConfig().PollingRate, 0x08);
}

// --- sensor glass mode --------------------------------------------------------------------------

TEST_F(AdvancedSettingsPageTest, OnGlassTheMouseKeepsItsOwnRate) {
    DeviceConfig config = AcknowledgedDefaults();
    config.PollingRate = 0x04;
    StartWith(config);
    Choose(RateList(), 3);  // power saving: forced on the Power Settings page

    QTest::mouseClick(Box("glassModeBox"), Qt::LeftButton);

    EXPECT_EQ(store.EditConfig().GlassMode, 1);
    EXPECT_EQ(RateList()->currentIndex(), 2);
    EXPECT_FALSE(RateList()->isEnabled());
    EXPECT_EQ(Find<QComboBox>("lodList")->count(), 2) << "the Basic page's glass distances";
    EXPECT_EQ(PowerSavingCheckedAndEnabled().second, true) << "2000 Hz goes out";
    EXPECT_TRUE(ApplyEnabled());
    Page()->CollectIntoConfig();
    EXPECT_EQ(store.EditConfig().PollingRate, 0x04);

    QTest::mouseClick(Box("glassModeBox"), Qt::LeftButton);

    EXPECT_EQ(store.EditConfig().GlassMode, 0);
    EXPECT_EQ(RateList()->currentIndex(), 1) << "the device's own rate";
    EXPECT_TRUE(RateList()->isEnabled());
    EXPECT_EQ(Find<QComboBox>("lodList")->count(), 11);
}

TEST_F(AdvancedSettingsPageTest, OnTheCableTheSelectorStaysFixedWithAndWithoutGlass) {
    StartWith(AcknowledgedDefaults(), Endpoint::Cable);
    for (const std::uint8_t glass : {1, 0}) {
        QTest::mouseClick(Box("glassModeBox"), Qt::LeftButton);
        EXPECT_EQ(store.EditConfig().GlassMode, glass);
        EXPECT_EQ(RateList()->currentIndex(), 2);
        EXPECT_FALSE(RateList()->isEnabled());
    }
    Page()->CollectIntoConfig();
    EXPECT_EQ(store.EditConfig().PollingRate, 0x08);
}

// --- check boxes
// ----------------------------------------------------------------------------------

struct BoxCase {
    const char* name;
    const char* box;
    std::uint8_t DeviceConfig::*field;
    std::uint8_t mask;
};

class CheckBoxTest : public AdvancedSettingsPageTest,
                     public ::testing::WithParamInterface<BoxCase> {};

TEST_P(CheckBoxTest, AClickWritesItsBitAndAnotherPutsItBack) {
    StartWith(AcknowledgedDefaults());
    const std::uint8_t before = store.EditConfig().*GetParam().field;
    QTest::mouseClick(Box(GetParam().box), Qt::LeftButton);
    EXPECT_EQ(store.EditConfig().*GetParam().field, before ^ GetParam().mask);
    EXPECT_TRUE(ApplyEnabled());
    QTest::mouseClick(Box(GetParam().box), Qt::LeftButton);
    EXPECT_EQ(store.EditConfig().*GetParam().field, before);
    EXPECT_FALSE(ApplyEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckBoxTest,
    ::testing::Values(BoxCase{"MotionSync", "motionSyncBox", &DeviceConfig::MotionSync, 0x01},
                      BoxCase{"Slamclick", "slamclickFilterBox", &DeviceConfig::FeatureFlags, 0x01},
                      BoxCase{"ForceMaxFps", "forceMaxFpsBox", &DeviceConfig::FeatureFlags, 0x40}),
    test::CaseName{});

// --- filter rows and the angle ------------------------------------------------------------------

struct RowCase {
    const char* name;
    const char* row;
    std::size_t button;
};

class FilterRowTest : public AdvancedSettingsPageTest,
                      public ::testing::WithParamInterface<RowCase> {};

TEST_P(FilterRowTest, SliderAndFieldEditTheRowsButton) {
    StartWith(AcknowledgedDefaults());
    MoveSlider(Slider(GetParam().row), 13);
    EXPECT_EQ(Field(GetParam().row)->text(), "13");
    EXPECT_EQ(Filter(GetParam().button), 13);
    EXPECT_TRUE(ApplyEnabled());

    Type(Field(GetParam().row), "4");
    EXPECT_EQ(Slider(GetParam().row)->value(), 4);
    EXPECT_EQ(Filter(GetParam().button), 4);
}

INSTANTIATE_TEST_SUITE_P(Cases, FilterRowTest,
                         ::testing::Values(RowCase{"Left", "left", 0}, RowCase{"Right", "right", 1},
                                           RowCase{"Middle", "middle", 2},
                                           RowCase{"Forward", "forward", 4},
                                           RowCase{"Back", "back", 3}),
                         test::CaseName{});

struct TypedCase {
    const char* name;
    const char* typed;
    const char* shown;
    int value;
};

class FilterTypingTest : public AdvancedSettingsPageTest,
                         public ::testing::WithParamInterface<TypedCase> {};

TEST_P(FilterTypingTest, TheFieldIsClampedAsItIsTyped) {
    StartWith(AcknowledgedDefaults());
    Type(Field("middle"), GetParam().typed);
    EXPECT_EQ(Field("middle")->text(), GetParam().shown);
    EXPECT_EQ(Filter(2), GetParam().value);
    EXPECT_EQ(Slider("middle")->value(), GetParam().value);
    QTest::keyClick(Field("middle"), Qt::Key_Return);
    EXPECT_EQ(Field("middle")->text(), GetParam().shown);
    EXPECT_TRUE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, FilterTypingTest,
                         ::testing::Values(TypedCase{"InRange", "12", "12", 12},
                                           TypedCase{"Typed300", "300", "25", 25},
                                           TypedCase{"Typed260", "260", "25", 25},
                                           TypedCase{"LeadingZero", "07", "7", 7},
                                           TypedCase{"DigitsOnly", "1a-", "1", 1}),
                         test::CaseName{});

TEST_F(AdvancedSettingsPageTest, AnEmptiedFilterWaitsAndSettlesAtZeroWhenLeft) {
    StartWith(AcknowledgedDefaults());
    Empty(Field("back"));
    EXPECT_EQ(Field("back")->text(), "");
    EXPECT_EQ(Filter(3), 8) << "empty text changes nothing";
    EXPECT_FALSE(ApplyEnabled());

    Field("forward")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Field("back")->text(), "0");
    EXPECT_EQ(Slider("back")->value(), 0);
    EXPECT_EQ(Filter(3), 0);
    EXPECT_TRUE(ApplyEnabled());

    Empty(Field("forward"));
    QTest::keyClick(Field("forward"), Qt::Key_Return);
    EXPECT_EQ(Field("forward")->text(), "0");

    Empty(Field("left"));
    ClickBackground(Page());
    EXPECT_EQ(Field("left")->text(), "0");
    EXPECT_EQ(Filter(0), 0);
    EXPECT_TRUE(Field("left")->hasFocus()) << "the field keeps the focus";
}

TEST_F(AdvancedSettingsPageTest, TheAngleFieldTakesAnyTextAndShowsItsValueAtOnce) {
    DeviceConfig config = AcknowledgedDefaults();
    config.AngleTuning = 5;
    StartWith(config);

    Type(AngleField(), "-");
    EXPECT_EQ(AngleField()->text(), "0");
    EXPECT_EQ(store.EditConfig().AngleTuning, 0);

    QGuiApplication::clipboard()->setText("-200");
    AngleField()->selectAll();
    QTest::keyClick(AngleField(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(AngleField()->text(), "-127");
    EXPECT_EQ(AngleSlider()->value(), -127);
    EXPECT_EQ(store.EditConfig().AngleTuning, -127);
    EXPECT_TRUE(ApplyEnabled());

    Type(AngleField(), "x9");
    EXPECT_EQ(AngleField()->text(), "9") << "no leading digits count as 0, then the 9";

    MoveSlider(AngleSlider(), -40);
    EXPECT_EQ(AngleField()->text(), "-40");
    EXPECT_EQ(store.EditConfig().AngleTuning, -40);
}

// --- switch modes and the acknowledgement ---------------------------------------------------

struct SwitchCase {
    const char* name;
    const char* row;
    std::size_t button;
    int entry;
    std::uint8_t code;
};

class SwitchModeTest : public AdvancedSettingsPageTest,
                       public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SwitchModeTest, AModeStoresItsCodeAndOffStoresTheSlider) {
    StartWith(AcknowledgedDefaults());
    MoveSlider(Slider(GetParam().row), 20);

    Choose(SwitchMode(GetParam().row), GetParam().entry);

    EXPECT_EQ(Filter(GetParam().button), GetParam().code);
    EXPECT_EQ(Slider(GetParam().row)->value(), 8);
    EXPECT_EQ(Field(GetParam().row)->text(), "8");
    EXPECT_FALSE(Slider(GetParam().row)->isEnabled());
    EXPECT_FALSE(Field(GetParam().row)->isEnabled());

    Choose(SwitchMode(GetParam().row), 0);

    EXPECT_EQ(Filter(GetParam().button), 8);
    EXPECT_TRUE(Slider(GetParam().row)->isEnabled());
    EXPECT_TRUE(Field(GetParam().row)->isEnabled());
    EXPECT_FALSE(ApplyEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, SwitchModeTest,
                         ::testing::Values(SwitchCase{"LeftSpeed", "left", 0, 1, 0xF1},
                                           SwitchCase{"LeftSafe", "left", 0, 2, 0xF0},
                                           SwitchCase{"RightSafe", "right", 1, 2, 0xF0}),
                         test::CaseName{});

TEST_F(AdvancedSettingsPageTest, WithoutTheAcknowledgementTheFiltersAreClosed) {
    StartWith(Defaults());  // the acknowledgement was never stored
    QCheckBox* acknowledgement = Box("acknowledgementBox");
    EXPECT_TRUE(acknowledgement->isVisible());
    EXPECT_FALSE(acknowledgement->isChecked());
    EXPECT_EQ(store.EditConfig().AckShown, 0);
    EXPECT_FALSE(Slider("middle")->isEnabled());
    EXPECT_FALSE(SwitchMode("right")->isEnabled());
    EXPECT_TRUE(AngleSlider()->isEnabled());

    QTest::mouseClick(Find<QLabel>("acknowledgementText"), Qt::LeftButton);  // its caption
    EXPECT_TRUE(acknowledgement->isChecked());
    EXPECT_EQ(store.EditConfig().FeatureFlags, 0x21);
    EXPECT_TRUE(Slider("middle")->isEnabled());
    EXPECT_TRUE(SwitchMode("right")->isEnabled());

    Choose(SwitchMode("right"), 1);
    MoveSlider(Slider("middle"), 3);
    ASSERT_EQ(Filter(1), 0xF1);

    QTest::mouseClick(acknowledgement, Qt::LeftButton);

    EXPECT_EQ(store.EditConfig().FeatureFlags, 0x01);
    EXPECT_EQ(SwitchMode("right")->currentText(), "OFF");
    for (const std::size_t button : {0, 1, 2, 3, 4}) {
        EXPECT_EQ(Filter(button), 8) << button;
    }
    EXPECT_EQ(Field("middle")->text(), "8");
    EXPECT_FALSE(Slider("right")->isEnabled());
    EXPECT_FALSE(SwitchMode("right")->isEnabled());
    EXPECT_FALSE(ApplyEnabled());

    QTest::mouseClick(acknowledgement, Qt::LeftButton);
    Page()->HideAcknowledgementBox();
    EXPECT_FALSE(acknowledgement->isVisible());
}

// --- collecting for APPLY
// -------------------------------------------------------------------------

struct FlagsCase {
    const char* name;
    std::uint8_t stored;
    std::uint8_t collected;
};

class CollectFlagsTest : public AdvancedSettingsPageTest,
                         public ::testing::WithParamInterface<FlagsCase> {};

TEST_P(CollectFlagsTest, CollectingKeepsOnlyTheThreeBoxesBits) {
    DeviceConfig config = Defaults();
    config.FeatureFlags = GetParam().stored;
    StartWith(config);
    Page()->CollectIntoConfig();
    EXPECT_EQ(store.EditConfig().FeatureFlags, GetParam().collected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CollectFlagsTest,
                         ::testing::Values(FlagsCase{"AllBits", 0xFF, 0x61},
                                           FlagsCase{"OtherBitsOnly", 0x9E, 0x00},
                                           FlagsCase{"TheThree", 0x61, 0x61}),
                         test::CaseName{});

TEST_F(AdvancedSettingsPageTest, CollectingTakesEveryControl) {
    DeviceConfig config = AcknowledgedDefaults();
    config.Buttons[3].MulticlickFilter = 30;
    StartWith(config);
    Choose(RateList(), 1);
    QTest::mouseClick(Box("motionSyncBox"), Qt::LeftButton);
    Choose(SwitchMode("right"), 2);
    MoveSlider(Slider("forward"), 21);
    MoveSlider(AngleSlider(), -90);

    Page()->CollectIntoConfig();

    const DeviceConfig& edit = store.EditConfig();
    EXPECT_EQ(edit.PollingRate, 0x04);
    EXPECT_EQ(edit.MotionSync, 1);
    EXPECT_EQ(edit.FeatureFlags, 0x21);
    EXPECT_EQ(Filter(0), 8);
    EXPECT_EQ(Filter(1), 0xF0);
    EXPECT_EQ(Filter(4), 21);
    EXPECT_EQ(Filter(3), 8);
    EXPECT_EQ(edit.AngleTuning, -90);
    EXPECT_EQ(Sends(command::WriteAdvancedSettings), 0) << "nothing reaches the mouse";
}

TEST_F(AdvancedSettingsPageTest, EscapeIsSwallowedAndTabMovesThroughThePage) {
    StartWith(AcknowledgedDefaults());
    Field("left")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(Field("left"), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(Field("left"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), SwitchMode("left"));
}

}  // namespace
}  // namespace qx9
