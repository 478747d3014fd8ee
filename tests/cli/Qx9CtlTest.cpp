#include <gtest/gtest.h>

#include "FactoryBlock.h"
#include "support/CaseName.h"
#include "support/CliFixture.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::CliFixture;
using Lines = std::vector<std::string>;
using Setup = std::function<void(emu::Qx9Emulator&)>;

// A configuration far from the factory's, as the mouse would hold it.
emu::Block KnownBlock() {
    DeviceConfig config;
    ResetConfigDefaults(config);
    config.CpiLevelCount = 3;
    config.CurrentCpiLevel = 0;
    config.CpiLevels[1] = {1, 800, 1600};
    config.CpiLevels[2] = {0, 12350, 12350};
    config.LiftOffDistance = 7;
    config.AngleSnapping = 1;
    config.LiftOffLed = 0;
    config.PollingRate = 0x80;
    config.MotionSync = 1;
    config.AngleTuning = -5;
    config.FeatureFlags = 0x20;  // acknowledged, slamclick filter off
    // Left-handed: the right button clicks left, the left one sends Ctrl+Shift+A.
    config.Buttons[slot::Right] = {ActionMouseButton, 0x01, 0, 0, 8};
    config.Buttons[slot::Left] = {ActionKeyboardKey, 0x03, 0x04, 0, 0xF1};
    config.Buttons[slot::Middle] = {ActionFixedCpi, 0, 800, 1600, 8};
    config.Buttons[slot::Forward] = {ActionMediaKey, 0xB5, 0, 0, 3};
    config.Buttons[slot::Back] = {ActionLaunch, 0x96, 0x01, 0, 8};
    config.Buttons[slot::WheelDown] = {ActionDisabled, 0, 0, 0, 8};
    config.PowerSaving = 10;
    config.DeepSleep = 0x80 | 30;
    return test::BlockHolding(config);
}

// --- status -------------------------------------------------------------------------------

struct StatusCase {
    const char* name;
    Setup setup;
    int exit;
    const char* human;
    const char* json;
    Lines errors;
};

// The status area without a device.
constexpr char NothingShown[] =
    "connection       N/A\n"
    "battery          -\n"
    "mouse firmware   -\n"
    "dongle firmware  -\n";
constexpr char NothingShownJson[] = R"({
  "connection": "none",
  "battery": null,
  "mouseFirmware": null,
  "dongleFirmware": null
}
)";

class StatusTest : public CliFixture, public ::testing::WithParamInterface<StatusCase> {};

// What the window's status area would show after the same load, for people and machines.
TEST_P(StatusTest, ShowsTheStatusAreaOfTheWindow) {
    const StatusCase& c = GetParam();
    c.setup(emulator);

    EXPECT_EQ(Run({"status"}), c.exit);
    EXPECT_EQ(out.str(), c.human);
    EXPECT_EQ(ErrorLines(), c.errors);

    c.setup(emulator);
    EXPECT_EQ(Run({"status", "--json"}), c.exit);
    EXPECT_EQ(out.str(), c.json);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatusTest,
    ::testing::Values(
        StatusCase{"CableCharging",
                   [](emu::Qx9Emulator& e) { e.SetBattery(42); },
                   0,
                   "connection       Wired\n"
                   "battery          Charging\n"
                   "mouse firmware   1.05\n"
                   "dongle firmware  1.04\n",
                   R"({
  "connection": "wired",
  "battery": {
    "charging": true
  },
  "mouseFirmware": "1.05",
  "dongleFirmware": "1.04"
}
)",
                   {}},
        StatusCase{"WirelessCapsTheLevel",
                   [](emu::Qx9Emulator& e) {
                       e.PlugCable(false);
                       e.SetBattery(120);
                   },
                   0,
                   "connection       Wireless\n"
                   "battery          100%\n"
                   "mouse firmware   1.05\n"
                   "dongle firmware  1.04\n",
                   R"({
  "connection": "wireless",
  "battery": {
    "charging": false,
    "percent": 100
  },
  "mouseFirmware": "1.05",
  "dongleFirmware": "1.04"
}
)",
                   {}},
        StatusCase{"DongleFromVersionTwoHidesItsVersion",
                   [](emu::Qx9Emulator& e) {
                       e.PlugCable(false);
                       e.SetBattery(64);
                       e.SetDongleFirmwareVersion(0x0200);
                       e.SetMouseFirmwareVersion(0x012A);
                   },
                   0,
                   "connection       Wireless\n"
                   "battery          64%\n"
                   "mouse firmware   0.12\n"
                   "dongle firmware  -\n",
                   R"({
  "connection": "wireless",
  "battery": {
    "charging": false,
    "percent": 64
  },
  "mouseFirmware": "0.12",
  "dongleFirmware": null
}
)",
                   {}},
        StatusCase{"NoDevice",
                   [](emu::Qx9Emulator& e) {
                       e.PlugCable(false);
                       e.PlugDongle(false);
                   },
                   3,
                   NothingShown,
                   NothingShownJson,
                   {"qx9ctl: No QX9 found. Plug in the mouse's USB cable or its dongle."}},
        StatusCase{"MouseOffBehindTheDongle",
                   [](emu::Qx9Emulator& e) {
                       e.PlugCable(false);
                       e.SetMousePowered(false);
                   },
                   1,
                   "connection       N/A\n"
                   "battery          -\n"
                   "mouse firmware   -\n"
                   "dongle firmware  1.04\n",
                   R"({
  "connection": "none",
  "battery": null,
  "mouseFirmware": null,
  "dongleFirmware": "1.04"
}
)",
                   {"qx9ctl: the mouse did not carry out the information read (command 0x0E): "
                    "the dongle answers but its mouse does not; switch the mouse on, or pair it "
                    "with qx9ctl pair"}},
        StatusCase{"AccessRefused",
                   [](emu::Qx9Emulator& e) { e.FailNextOpens(2, HidError::AccessDenied); },
                   3,
                   NothingShown,
                   NothingShownJson,
                   {"qx9ctl: A QX9 is plugged in, but access to it was refused. Install the udev "
                    "rule (in the tool's source folder: bash scripts/install-udev-rule.sh), then "
                    "plug the device in again."}}),
    test::CaseName{});

// --- show --------------------------------------------------------------------------------

using ShowTest = CliFixture;

TEST_F(ShowTest, ListsEverySettingPageByPage) {
    emulator.SetConfigBlock(KnownBlock());

    ASSERT_EQ(Run({"show"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "Basic Settings\n"
              "  cpi-levels                  3\n"
              "  active-level                1\n"
              "  cpi1                        400\n"
              "  cpi2                        800x1600\n"
              "  cpi3                        12350\n"
              "  cpi4                        3200\n"
              "  lod                         1.4mm\n"
              "  angle-snapping              on\n"
              "  ripple-control              off\n"
              "  led-on-lift-off             off\n"
              "Advanced Settings\n"
              "  report-rate                 1000-power-saving\n"
              "  slamclick-filter            off\n"
              "  motion-sync                 on\n"
              "  max-sensor-fps              off\n"
              "  glass-mode                  off\n"
              "  angle-tuning                -5\n"
              "  filter-notice-acknowledged  on\n"
              "  left-spdt                   speed\n"
              "  left-filter                 8\n"
              "  right-spdt                  off\n"
              "  right-filter                8\n"
              "  middle-filter               8\n"
              "  forward-filter              3\n"
              "  back-filter                 8\n"
              "Button Mapping\n"
              "  left-handed                 on\n"
              "  left-button                 Shift+CTRL+A\n"
              "  right-button                LEFT CLICK\n"
              "  middle-button               X: 800, Y: 1600\n"
              "  forward-button              NEXT\n"
              "  back-button                 BROWSER\n"
              "  wheel-up                    SCROLL UP\n"
              "  wheel-down                  DISABLE\n"
              "Power Settings\n"
              "  power-saving                10\n"
              "  deep-sleep                  off\n");
    EXPECT_EQ(Writes(), Lines{}) << "show only reads";
}

TEST_F(ShowTest, JsonHoldsEachValueAsAProfileDoes) {
    emulator.SetConfigBlock(KnownBlock());

    ASSERT_EQ(Run({"--json", "show"}), 0) << err.str();
    const cli::Json shown = cli::Json::parse(out.str());
    EXPECT_EQ(shown.at("cpi2"), cli::Json::parse(R"({"x": 800, "y": 1600})"));
    EXPECT_EQ(shown.at("cpi3"), 12350);
    EXPECT_EQ(shown.at("lod"), "1.4mm");
    EXPECT_EQ(shown.at("led-on-lift-off"), false);
    EXPECT_EQ(shown.at("report-rate"), "1000-power-saving");
    EXPECT_EQ(shown.at("angle-tuning"), -5);
    EXPECT_EQ(shown.at("left-spdt"), "speed");
    EXPECT_EQ(shown.at("forward-filter"), 3);
    EXPECT_EQ(shown.at("left-handed"), true);
    EXPECT_EQ(shown.at("left-button"), "key:Ctrl+Shift+A");
    EXPECT_EQ(shown.at("right-button"), "left");
    EXPECT_EQ(shown.at("middle-button"), "fixed-cpi:800x1600");
    EXPECT_EQ(shown.at("forward-button"), "media:next");
    EXPECT_EQ(shown.at("back-button"), "media:browser");
    EXPECT_EQ(shown.at("wheel-down"), "disabled");
    EXPECT_EQ(shown.at("power-saving"), 10);
    EXPECT_EQ(shown.at("deep-sleep"), "off");
}

// --- level ------------------------------------------------------------------------------

using LevelTest = CliFixture;

TEST_F(LevelTest, SwitchesAtOnceWithOneSensorWrite) {
    ASSERT_EQ(Run({"level", "3"}), 0) << err.str();
    EXPECT_EQ(out.str(), "active-level: 3\n");
    EXPECT_EQ(Writes(), Lines{"WriteSensorSettings"});

    ASSERT_EQ(Run({"--json", "show"}), 0);
    EXPECT_EQ(cli::Json::parse(out.str()).at("active-level"), 3);

    ASSERT_EQ(Run({"level", "--json", "1"}), 0);
    EXPECT_EQ(cli::Json::parse(out.str()), cli::Json::parse(R"({"activeLevel": 1})"));
}

TEST_F(LevelTest, ThroughTheDongleTheLinkIsCheckedFirst) {
    Wireless();
    ASSERT_EQ(Run({"level", "2"}), 0) << err.str();
    const Lines sent = Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_NE(sent[sent.size() - 2].find("dongle LinkCheck"), std::string::npos);
    EXPECT_NE(sent.back().find("dongle WriteSensorSettings"), std::string::npos);
}

struct BadLevelCase {
    const char* name;
    const char* level;
    const char* error;
    bool mouseRead;  // the mouse had to be read to know
};

class BadLevelTest : public CliFixture, public ::testing::WithParamInterface<BadLevelCase> {};

TEST_P(BadLevelTest, IsRefusedAndNothingIsWritten) {
    emulator.SetConfigBlock(KnownBlock());  // three levels in use

    EXPECT_EQ(Run({"level", GetParam().level}), 2);
    EXPECT_EQ(ErrorLines(), Lines{GetParam().error});
    EXPECT_EQ(Writes(), Lines{});
    EXPECT_EQ(Sent().empty(), !GetParam().mouseRead);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadLevelTest,
    ::testing::Values(
        BadLevelCase{"NotInUse", "4",
                     "qx9ctl: level: 4 is not in use: cpi-levels is 3, so the levels are 1..3",
                     true},
        BadLevelCase{"NoSuchLevel", "5", "qx9ctl: level: expected 1, 2, 3 or 4, not 5", false},
        BadLevelCase{"Zero", "0", "qx9ctl: level: expected 1, 2, 3 or 4, not 0", false},
        BadLevelCase{"NotANumber", "two", "qx9ctl: level: expected 1, 2, 3 or 4, not two", false}),
    test::CaseName{});

// --- reset and pair ----------------------------------------------------------------------

using ResetTest = CliFixture;

TEST_F(ResetTest, RefusesWithoutYesAndSaysWhy) {
    EXPECT_EQ(Run({"reset"}), 2);
    EXPECT_EQ(ErrorLines(), Lines{"qx9ctl: reset restores the factory settings, and every setting "
                                  "of the mouse is lost; run qx9ctl reset --yes to go ahead"});
    EXPECT_EQ(Sent(), Lines{}) << "nothing on the wire";
}

TEST_F(ResetTest, WithYesRestoresTheFactorySettings) {
    emulator.SetConfigBlock(KnownBlock());

    ASSERT_EQ(Run({"reset", "--yes"}), 0) << err.str();
    EXPECT_EQ(out.str(), "factory settings restored\n");
    EXPECT_EQ(Writes(), Lines{"FactoryReset"});
    EXPECT_EQ(emulator.ConfigBlock(), emu::FactoryBlock());

    ASSERT_EQ(Run({"--json", "reset", "--yes"}), 0);
    EXPECT_EQ(cli::Json::parse(out.str()), cli::Json::parse(R"({"reset": true})"));
}

TEST_F(ResetTest, ARefusedResetSaysSo) {
    emulator.RefuseCommand(command::FactoryReset, status::NotDone);

    EXPECT_EQ(Run({"reset", "--yes"}), 1);
    EXPECT_EQ(ErrorLines(),
              Lines{"qx9ctl: the mouse did not carry out the factory reset (command 0x13)"});
}

using PairTest = CliFixture;

TEST_F(PairTest, PutsTheDongleIntoPairingModeAndSaysWhatToDoNext) {
    ASSERT_EQ(Run({"pair"}), 0) << err.str();
    EXPECT_EQ(out.str(), "Hold LMB, RMB and MMB for 3 seconds\n");
    EXPECT_TRUE(emulator.PairingRequested());
    EXPECT_NE(Sent().back().find("dongle PairDongle"), std::string::npos);
}

TEST_F(PairTest, WithoutADongleThereIsNothingToPair) {
    emulator.PlugDongle(false);

    EXPECT_EQ(Run({"pair"}), 3);
    EXPECT_EQ(ErrorLines(),
              Lines{"qx9ctl: no dongle found: plug the dongle in to pair the mouse with it"});
    EXPECT_FALSE(emulator.PairingRequested());
}

// --- monitor ------------------------------------------------------------------------------

struct MonitorCase {
    const char* name;
    bool json;
    Lines lines;
};

class MonitorTest : public CliFixture, public ::testing::WithParamInterface<MonitorCase> {};

// Each record the mouse sends is a line of its own until the user interrupts.
TEST_P(MonitorTest, PrintsEachStatusRecordAsItArrives) {
    Wireless();
    beforeInterrupt = [](emu::Qx9Emulator& e) {
        e.PressCpiButton();
        e.ChangeReportRate(0x40, false);
        e.SetBattery(77);
        e.ReportBattery();
        e.AnnounceProductId();  // of no interest here
        e.DropWirelessLink();
    };
    std::vector<std::string> arguments{"monitor"};
    if (GetParam().json) {
        arguments.push_back("--json");
    }

    ASSERT_EQ(Run(arguments), 0) << err.str();
    EXPECT_TRUE(interruption.armed);
    Lines lines;
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MonitorTest,
    ::testing::Values(MonitorCase{"ForPeople",
                                  false,
                                  {"active-level 3", "report-rate 125-office, max-sensor-fps off",
                                   "battery 77%", "link-lost"}},
                      MonitorCase{
                          "ForMachines",
                          true,
                          {R"({"record":"active-level","level":3})",
                           R"({"record":"report-rate","rate":"125-office","max-sensor-fps":false})",
                           R"({"record":"battery","charging":false,"percent":77})",
                           R"({"record":"link-lost"})"}}),
    test::CaseName{});

TEST_F(MonitorTest, EndsWhenTheDeviceGoesAway) {
    // The Ctrl+C that never comes: the device's departure ends the run.
    class NeverInterrupted final : public cli::Interruption {
      public:
        explicit NeverInterrupted(emu::Qx9Emulator& emulator) : emulator_(emulator) {}
        void Arm() override {}
        bool WaitFor(Milliseconds) override {
            emulator_.PlugCable(false);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return false;
        }

      private:
        emu::Qx9Emulator& emulator_;
    } never{emulator};
    cli::Environment environment{{out, err}, in, devices, never};

    EXPECT_EQ(cli::RunQx9Ctl({"monitor"}, environment), 1);
    EXPECT_EQ(err.str(), "qx9ctl: the device went away\n");
}

// --- the command line itself ------------------------------------------------------------

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
    int exit;
    const char* output;  // the start of standard output
    const char* error;   // the start of the one line on standard error
};

class UsageTest : public CliFixture, public ::testing::WithParamInterface<UsageCase> {};

// Help, the version and bad usage never touch a device.
TEST_P(UsageTest, AnswersWithoutADevice) {
    const UsageCase& c = GetParam();
    EXPECT_EQ(Run(c.arguments), c.exit);
    EXPECT_TRUE(out.str().starts_with(c.output)) << out.str();
    const Lines errors = ErrorLines();
    if (*c.error) {
        ASSERT_EQ(errors.size(), 1u) << err.str();
        EXPECT_TRUE(errors[0].starts_with(c.error)) << errors[0];
    } else {
        EXPECT_EQ(errors, Lines{});
    }
    EXPECT_EQ(devices.opened, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageTest,
    ::testing::Values(UsageCase{"Help", {"--help"}, 0, "Reads and sets the QX9", ""},
                      UsageCase{"SubCommandHelp", {"set", "--help"}, 0, "change settings", ""},
                      UsageCase{"Version", {"--version"}, 0, "qx9ctl 1.", ""},
                      UsageCase{"NoSubCommand", {}, 2, "", "qx9ctl: A subcommand is required"},
                      UsageCase{"UnknownOption", {"status", "--colour"}, 2, "", "qx9ctl: "},
                      UsageCase{"SetWithoutValues", {"set"}, 2, "", "qx9ctl: "},
                      UsageCase{"ImportWithoutFile", {"import"}, 2, "", "qx9ctl: "}),
    test::CaseName{});

TEST_F(UsageTest, EmulatorAndJsonMayFollowTheSubCommand) {
    ASSERT_EQ(Run({"status", "--emulator", "--json"}), 0) << err.str();
    EXPECT_EQ(cli::Json::parse(out.str()).at("connection"), "wired");
}

}  // namespace
}  // namespace qx9
