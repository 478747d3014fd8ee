#include <gtest/gtest.h>

#include "support/CaseName.h"
#include "support/CliFixture.h"

namespace qx9 {
namespace {

using test::CliFixture;
using Lines = std::vector<std::string>;
using cli::Json;

constexpr char Ack[] = "filter-notice-acknowledged=on";

struct GoodCase {
    const char* name;
    bool wireless;
    std::vector<std::string> assignments;
    Lines writes;  // the sections' writes on the wire, nothing else
    const char* setting;
    Json shown;  // what `show --json` says of it afterwards
};

class SetGoodValueTest : public CliFixture, public ::testing::WithParamInterface<GoodCase> {};

// A good value reaches the mouse in the write of its own section, and only that.
TEST_P(SetGoodValueTest, WritesOnlyTheChangedSection) {
    const GoodCase& c = GetParam();
    if (c.wireless) {
        Wireless();
    }
    std::vector<std::string> arguments{"set"};
    arguments.insert(arguments.end(), c.assignments.begin(), c.assignments.end());

    ASSERT_EQ(Run(arguments), 0) << err.str();
    EXPECT_EQ(Writes(), c.writes);

    ASSERT_EQ(Run({"--json", "show"}), 0) << err.str();
    EXPECT_EQ(Json::parse(out.str()).at(c.setting), c.shown);
}

const Lines Sensor{"WriteSensorSettings"};
const Lines Advanced{"WriteAdvancedSettings"};
const Lines Buttons{"WriteButtonMapping"};

INSTANTIATE_TEST_SUITE_P(
    Cases, SetGoodValueTest,
    ::testing::Values(
        GoodCase{"LevelCount", false, {"cpi-levels=3"}, Sensor, "cpi-levels", 3},
        GoodCase{"ActiveLevel", false, {"active-level=4"}, Sensor, "active-level", 4},
        GoodCase{"CpiOnBothAxes", false, {"cpi1=10050"}, Sensor, "cpi1", 10050},
        GoodCase{"CpiApart",
                 false,
                 {"cpi2=800x1600"},
                 Sensor,
                 "cpi2",
                 Json::parse(R"({"x": 800, "y": 1600})")},
        GoodCase{"LiftOffDistance", false, {"lod=1.7"}, Sensor, "lod", "1.7mm"},
        GoodCase{"AngleSnapping", false, {"angle-snapping=on"}, Sensor, "angle-snapping", true},
        GoodCase{"RippleControl", false, {"ripple-control=yes"}, Sensor, "ripple-control", true},
        GoodCase{"LedOnLiftOff", false, {"led-on-lift-off=off"}, Sensor, "led-on-lift-off", false},
        GoodCase{"AngleTuning", false, {"angle-tuning=-127"}, Sensor, "angle-tuning", -127},
        GoodCase{
            "ReportRateOnTheCable", false, {"report-rate=1000"}, Advanced, "report-rate", "1000"},
        GoodCase{"ReportRateThroughTheDongle",
                 true,
                 {"report-rate=2000"},
                 Advanced,
                 "report-rate",
                 "2000"},
        GoodCase{"SlamclickFilter",
                 false,
                 {"slamclick-filter=off"},
                 Advanced,
                 "slamclick-filter",
                 false},
        GoodCase{"MotionSync", false, {"motion-sync=on"}, Advanced, "motion-sync", true},
        GoodCase{"MaxSensorFps", false, {"max-sensor-fps=on"}, Advanced, "max-sensor-fps", true},
        // The lift-off distance moves to the glass list's code, a sensor setting.
        GoodCase{"GlassMode",
                 false,
                 {"glass-mode=on"},
                 {"WriteSensorSettings", "WriteAdvancedSettings"},
                 "glass-mode",
                 true},
        GoodCase{"Acknowledgement", false, {Ack}, Advanced, "filter-notice-acknowledged", true},
        GoodCase{"LeftSwitchMode", false, {Ack, "left-spdt=safe"}, Advanced, "left-spdt", "safe"},
        GoodCase{
            "RightSwitchMode", false, {Ack, "right-spdt=speed"}, Advanced, "right-spdt", "speed"},
        GoodCase{"LeftFilter", false, {Ack, "left-filter=0"}, Advanced, "left-filter", 0},
        GoodCase{"RightFilter", false, {Ack, "right-filter=25"}, Advanced, "right-filter", 25},
        GoodCase{"MiddleFilter", false, {Ack, "middle-filter=12"}, Advanced, "middle-filter", 12},
        GoodCase{"ForwardFilter", false, {Ack, "forward-filter=1"}, Advanced, "forward-filter", 1},
        GoodCase{"BackFilter", false, {Ack, "back-filter=2"}, Advanced, "back-filter", 2},
        GoodCase{"PowerSaving", false, {"power-saving=120"}, Advanced, "power-saving", 120},
        GoodCase{"PowerSavingOff", false, {"power-saving=OFF"}, Advanced, "power-saving", "off"},
        GoodCase{"DeepSleep", false, {"deep-sleep=45"}, Advanced, "deep-sleep", 45},
        GoodCase{"LeftHanded", false, {"left-handed=on"}, Buttons, "left-handed", true},
        GoodCase{"LeftButtonWhenLeftHanded",
                 false,
                 {"left-button=key:num-5", "left-handed=on"},
                 Buttons,
                 "left-button",
                 "key:num-5"},
        GoodCase{"RightButtonKey",
                 false,
                 {"right-button=key:shift+CTRL+a"},
                 Buttons,
                 "right-button",
                 "key:Ctrl+Shift+A"},
        GoodCase{"KeyWithoutAName",
                 false,
                 {"right-button=key:Alt+vk-0xA6"},
                 Buttons,
                 "right-button",
                 "key:Alt+vk-0xA6"},
        GoodCase{"MiddleFixedCpi",
                 false,
                 {"middle-button=fixed-cpi:800x1600"},
                 Buttons,
                 "middle-button",
                 "fixed-cpi:800x1600"},
        GoodCase{"ForwardMedia",
                 false,
                 {"forward-button=media:volume-up"},
                 Buttons,
                 "forward-button",
                 "media:volume-up"},
        GoodCase{
            "BackDisabled", false, {"back-button=disabled"}, Buttons, "back-button", "disabled"},
        GoodCase{"WheelUpCpiLoop", false, {"wheel-up=cpi-loop"}, Buttons, "wheel-up", "cpi-loop"},
        GoodCase{"WheelDownKey", false, {"wheel-down=key:F13"}, Buttons, "wheel-down", "key:F13"}),
    test::CaseName{});

struct BadCase {
    const char* name;
    bool wireless;
    std::vector<std::string> assignments;
    Lines errors;
    bool mouseRead;  // the mouse had to be read to know
};

class SetBadValueTest : public CliFixture, public ::testing::WithParamInterface<BadCase> {};

// A bad value is refused with the setting and what it takes; nothing is
// written, and what any mouse refuses is refused before the wire is touched.
TEST_P(SetBadValueTest, IsRefusedAndNothingIsWritten) {
    const BadCase& c = GetParam();
    if (c.wireless) {
        Wireless();
    }
    std::vector<std::string> arguments{"set"};
    arguments.insert(arguments.end(), c.assignments.begin(), c.assignments.end());
    const emu::Block before = emulator.ConfigBlock();

    EXPECT_EQ(Run(arguments), 2);
    EXPECT_EQ(ErrorLines(), c.errors);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(Writes(), Lines{});
    EXPECT_EQ(Sent().empty(), !c.mouseRead);
    EXPECT_EQ(emulator.ConfigBlock(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetBadValueTest,
    ::testing::Values(
        BadCase{"CpiAboveTheTop",
                false,
                {"cpi1=40000"},
                {"qx9ctl: cpi1: 40000 is outside the allowed range 10..30000"},
                false},
        BadCase{"CpiBetweenSteps",
                false,
                {"cpi3=10025"},
                {"qx9ctl: cpi3: 10025 is not a step the mouse takes: steps of 10 up to 10000, of "
                 "50 above"},
                false},
        BadCase{"CpiYBelowTheBottom",
                false,
                {"cpi2=800x5"},
                {"qx9ctl: cpi2/y: 5 is outside the allowed range 10..30000"},
                false},
        BadCase{"CpiNotANumber",
                false,
                {"cpi2=fast"},
                {"qx9ctl: cpi2: expected a whole number, not fast"},
                false},
        BadCase{"LevelCount",
                false,
                {"cpi-levels=5"},
                {"qx9ctl: cpi-levels: 5 is outside the allowed range 1..4"},
                false},
        BadCase{"ActiveLevelBeyondTheCount",
                false,
                {"active-level=3", "cpi-levels=2"},
                {"qx9ctl: active-level: 3 is outside the allowed range 1..2 (cpi-levels is 2)"},
                false},
        BadCase{"FilterAboveTheTop",
                false,
                {Ack, "left-filter=26"},
                {"qx9ctl: left-filter: 26 is outside the allowed range 0..25"},
                false},
        BadCase{"AngleBelowTheBottom",
                false,
                {"angle-tuning=-128"},
                {"qx9ctl: angle-tuning: -128 is outside the allowed range -127..127"},
                false},
        BadCase{"NoMinutes",
                false,
                {"power-saving=0"},
                {"qx9ctl: power-saving: 0 is outside the allowed range 1..120"},
                false},
        BadCase{"MinutesWord",
                false,
                {"deep-sleep=never"},
                {"qx9ctl: deep-sleep: expected minutes or off, not never"},
                false},
        BadCase{"OnOffWord",
                false,
                {"motion-sync=maybe"},
                {"qx9ctl: motion-sync: expected on or off, not maybe"},
                false},
        BadCase{"NoSuchRate",
                true,
                {"report-rate=8000"},
                {"qx9ctl: report-rate: 8000 is not one of: 4000, 2000, 1000, 1000-power-saving, "
                 "125-office"},
                false},
        BadCase{"NoSuchDistance",
                false,
                {"lod=3mm"},
                {"qx9ctl: lod: 3mm is not a lift-off distance: 0.7mm..1.7mm in steps of 0.1mm; "
                 "1.0mm or 2.0mm with glass-mode on"},
                false},
        BadCase{"NoSuchSetting",
                false,
                {"cpi5=800"},
                {"qx9ctl: cpi5: no such setting; qx9ctl set --help lists them"},
                false},
        BadCase{"NoValue", false, {"cpi1"}, {"qx9ctl: cpi1: expected NAME=VALUE"}, false},
        BadCase{
            "GivenTwice", false, {"cpi1=800", "cpi1=900"}, {"qx9ctl: cpi1: given twice"}, false},
        BadCase{"EveryProblemIsReported",
                false,
                {"cpi1=40000", "middle-filter=300", "motion-sync=on"},
                {"qx9ctl: cpi1: 40000 is outside the allowed range 10..30000",
                 "qx9ctl: middle-filter: 300 is outside the allowed range 0..25"},
                false},
        // What the mouse's own state or connection forbids.
        BadCase{"FastRateOnTheCable",
                false,
                {"report-rate=2000"},
                {"qx9ctl: report-rate: 2000 is not allowed on the cable, which takes only 1000; "
                 "the other rates are for the dongle"},
                true},
        BadCase{"DistanceOffTheGlassList",
                false,
                {"glass-mode=on", "lod=1.5mm"},
                {"qx9ctl: lod: 1.5mm is not one of: 1.0mm, 2.0mm (glass-mode is on)"},
                true},
        BadCase{"FilterBeforeTheAcknowledgement",
                false,
                {"left-filter=3"},
                {"qx9ctl: left-filter: cannot change until filter-notice-acknowledged is on"},
                true},
        BadCase{"SwitchModeBeforeTheAcknowledgement",
                false,
                {"right-spdt=safe"},
                {"qx9ctl: right-spdt: cannot change until filter-notice-acknowledged is on"},
                true},
        BadCase{"FilterUnderASwitchMode",
                false,
                {Ack, "left-spdt=speed", "left-filter=3"},
                {"qx9ctl: left-filter: cannot change while left-spdt is not off"},
                true},
        BadCase{"PowerSavingOffAtAPowerSavingRate",
                true,
                {"report-rate=125-office", "power-saving=off"},
                {"qx9ctl: power-saving: cannot be off at report-rate 125-office, which saves "
                 "power"},
                true},
        BadCase{"MaxFpsAtAPowerSavingRate",
                true,
                {"report-rate=1000-power-saving", "max-sensor-fps=on"},
                {"qx9ctl: max-sensor-fps: cannot change at report-rate 1000-power-saving, which "
                 "saves power"},
                true},
        BadCase{"NoSuchAction",
                false,
                {"middle-button=jump"},
                {"qx9ctl: middle-button: jump is no action; qx9ctl set --help lists them"},
                false},
        BadCase{"NoSuchKey",
                false,
                {"middle-button=key:Ctrl+Banana"},
                {"qx9ctl: middle-button: Banana is no key or modifier (Ctrl, Shift, Alt, Win); "
                 "keys go by the window's names, for example A, F13, SPACE, PAGE-UP, num-5"},
                false},
        BadCase{"FixedCpiOnTheWheel",
                false,
                {"wheel-up=fixed-cpi:800"},
                {"qx9ctl: wheel-up: the wheel does not take fixed-cpi"},
                false},
        BadCase{"FixedCpiBetweenSteps",
                false,
                {"middle-button=fixed-cpi:805"},
                {"qx9ctl: middle-button: 805 is not a fixed CPI: steps of 10"},
                false},
        BadCase{"FixedCpiAboveTheTop",
                false,
                {"middle-button=fixed-cpi:800x40000"},
                {"qx9ctl: middle-button: 40000 is outside the allowed range 10..30000 (fixed-cpi)"},
                false},
        BadCase{"RawBytesAreNotSet",
                false,
                {"middle-button=raw:20-10-0000-0000"},
                {"qx9ctl: middle-button: raw actions are kept as the mouse holds them; set an "
                 "action by its name"},
                false},
        BadCase{"LeftButtonWithoutLeftHandedMode",
                false,
                {"left-button=middle"},
                {"qx9ctl: left-button: cannot change unless left-handed is on; the right button "
                 "takes actions"},
                true},
        BadCase{"RightButtonInLeftHandedMode",
                false,
                {"left-handed=on", "right-button=middle"},
                {"qx9ctl: right-button: cannot change while left-handed is on: it clicks left, and "
                 "the left button takes actions"},
                true},
        BadCase{"EqualIdleTimes",
                false,
                {"power-saving=3"},
                {"qx9ctl: power-saving: power-saving and deep-sleep are both on after 3 minutes, "
                 "so power saving would never start: give them different minutes or turn "
                 "power-saving off"},
                true}),
    test::CaseName{});

using SetTest = CliFixture;

TEST_F(SetTest, SaysWhatChangedForPeopleAndMachines) {
    ASSERT_EQ(Run({"set", "glass-mode=on", "cpi1=800"}), 0) << err.str();
    EXPECT_EQ(out.str(), "cpi1: 400 -> 800\nglass-mode: off -> on\n");

    ASSERT_EQ(Run({"set", "--json", "cpi1=1600", "angle-tuning=4"}), 0) << err.str();
    EXPECT_EQ(Json::parse(out.str()), Json::parse(R"({"changed": {
        "cpi1": {"from": 800, "to": 1600},
        "angle-tuning": {"from": 0, "to": 4}}})"));
}

// As on the Power Settings page, a rate that saves power turns power saving on.
TEST_F(SetTest, APowerSavingRateTurnsPowerSavingOn) {
    Wireless();
    ASSERT_EQ(Run({"set", "power-saving=off"}), 0) << err.str();

    ASSERT_EQ(Run({"set", "report-rate=125-OFFICE"}), 0) << err.str();
    EXPECT_EQ(out.str(), "report-rate: 4000 -> 125-office\npower-saving: off -> 1\n");
    EXPECT_EQ(Writes(), Advanced);
}

// On glass the page fixes the rate: it changes with glass mode off, also when
// glass mode is turned on in the same breath, as the page does in two steps.
TEST_F(SetTest, TheRateChangesOnlyOffGlass) {
    Wireless();
    ASSERT_EQ(Run({"set", "report-rate=2000", "glass-mode=on"}), 0) << err.str();

    EXPECT_EQ(Run({"set", "report-rate=1000"}), 2);
    EXPECT_EQ(ErrorLines(), Lines{"qx9ctl: report-rate: cannot change while glass-mode stays on: "
                                  "the mouse keeps its own rate there"});
    EXPECT_EQ(Writes(), Lines{});

    ASSERT_EQ(Run({"set", "report-rate=1000", "glass-mode=off"}), 0) << err.str();
    EXPECT_EQ(out.str(), "report-rate: 2000 -> 1000\nglass-mode: on -> off\n");
}

TEST_F(SetTest, WhatTheMouseHoldsAlreadyIsNotWritten) {
    ASSERT_EQ(Run({"set", "cpi1=400", "report-rate=4000"}), 0) << err.str();
    EXPECT_EQ(out.str(), "nothing to change: the mouse holds these values already\n");
    EXPECT_EQ(Writes(), Lines{});
}

// A write the mouse does not confirm ends the run with the command it refused.
TEST_F(SetTest, ARefusedWriteIsNamed) {
    emulator.RefuseCommand(command::WriteAdvancedSettings, status::NotDone);

    EXPECT_EQ(Run({"set", "cpi1=800", "motion-sync=on"}), 1);
    EXPECT_EQ(ErrorLines(),
              Lines{"qx9ctl: the mouse did not carry out the advanced settings write (command "
                    "0x15); the writes before it went through"});
}

TEST_F(SetTest, WithoutADeviceNothingIsSent) {
    emulator.PlugCable(false);
    emulator.PlugDongle(false);

    EXPECT_EQ(Run({"set", "cpi1=800"}), 3);
    EXPECT_EQ(ErrorLines(),
              Lines{"qx9ctl: No QX9 found. Plug in the mouse's USB cable or its dongle."});
}

}  // namespace
}  // namespace qx9
