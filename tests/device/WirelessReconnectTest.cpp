#include <gtest/gtest.h>

#include <functional>

#include "StatusListener.h"
#include "WirelessReconnect.h"
#include "support/CaseName.h"
#include "support/EmulatorFixture.h"
#include "support/SentCommands.h"

namespace qx9 {
namespace {

using emu::Endpoint;
using test::EmulatorFixture;
using Lines = std::vector<std::string>;
using Hardware = std::function<void(emu::Qx9Emulator&)>;

class WirelessReconnectTest : public EmulatorFixture {
  protected:
    // As after a lost link: the link still holds the dongle, nothing is connected.
    void LoseTheConnection() {
        Connect(Endpoint::Dongle);
        link.SetConnectionMode(LinkMode::None);
    }
    Lines Sent() const { return test::SentCommands(emulator.Trace(), start); }
    // How long after the mouse's information was asked for its reply was read.
    Milliseconds MouseInfoWait() const {
        std::optional<Milliseconds> asked;
        for (const emu::TraceEntry& entry : emulator.Trace()) {
            if (entry.direction == emu::Direction::Send &&
                entry.bytes.at(1) == command::ReadMouseInfo) {
                asked = entry.time;
            } else if (asked && entry.direction == emu::Direction::Receive) {
                return entry.time - *asked;
            }
        }
        return Milliseconds{-1};
    }

    StatusListener listener{emulator, link, clock, [](const StatusRecord&) {}};
};

struct IdentifyCase {
    const char* name;
    Hardware hardware;
    Lines sent;
    std::optional<std::uint8_t> recognition;
};

class IdentifyMouseTest : public WirelessReconnectTest,
                          public ::testing::WithParamInterface<IdentifyCase> {};

TEST_P(IdentifyMouseTest, TakesTheAlternativeCheckOnlyWhenTheMouseIsOutOfReach) {
    LoseTheConnection();
    GetParam().hardware(emulator);

    EXPECT_EQ(IdentifyMouseBehindDongle(commands), GetParam().recognition);
    EXPECT_EQ(Sent(), GetParam().sent);
    if (GetParam().recognition) {
        EXPECT_EQ(MouseInfoWait(), ReconnectMouseInfoWait);
    }
}

Hardware LinkCheckAnswers(std::uint8_t status, int times = 1) {
    return [status, times](emu::Qx9Emulator& e) {
        e.RefuseCommand(command::LinkCheck, status, times);
    };
}

const Lines CheckedTwice{"0 dongle LinkCheck", "300 dongle LinkCheckAlt",
                         "600 dongle ReadMouseInfo"};

INSTANTIATE_TEST_SUITE_P(
    Cases, IdentifyMouseTest,
    ::testing::Values(
        IdentifyCase{"MouseAnswers",
                     [](emu::Qx9Emulator&) {},
                     {"0 dongle LinkCheck", "300 dongle ReadMouseInfo"},
                     recognition::Recognised},
        // 3 is the busy status too: the check's reply is read twice more first.
        IdentifyCase{
            "Searching",
            LinkCheckAnswers(3),
            {"0 dongle LinkCheck", "1500 dongle LinkCheckAlt", "1800 dongle ReadMouseInfo"},
            recognition::Recognised},
        IdentifyCase{"MouseSilent", LinkCheckAnswers(8), CheckedTwice, recognition::Recognised},
        IdentifyCase{"NotPaired", LinkCheckAnswers(17), CheckedTwice, recognition::Recognised},
        IdentifyCase{
            "OtherStatusEndsIt", LinkCheckAnswers(2), {"0 dongle LinkCheck"}, std::nullopt},
        IdentifyCase{
            "NeighbourOfARetriedStatus", LinkCheckAnswers(9), {"0 dongle LinkCheck"}, std::nullopt},
        IdentifyCase{"AlternativeCheckFailsToo",
                     LinkCheckAnswers(8, 2),
                     {"0 dongle LinkCheck", "300 dongle LinkCheckAlt"},
                     std::nullopt},
        IdentifyCase{
            "MouseInfoNotDone",
            [](emu::Qx9Emulator& e) { e.RefuseCommand(command::ReadMouseInfo, status::NotDone); },
            {"0 dongle LinkCheck", "300 dongle ReadMouseInfo"},
            std::nullopt},
        IdentifyCase{"ForeignMouse",
                     [](emu::Qx9Emulator& e) { e.SetMouseProductId(0x1234); },
                     {"0 dongle LinkCheck", "300 dongle ReadMouseInfo"},
                     recognition::Foreign}),
    test::CaseName{});

struct ReconnectCase {
    const char* name;
    std::uint8_t knownBefore;
    Hardware hardware;
    bool asksTheMouse;
    ReconnectReport report;
};

class ReconnectThroughDongleTest : public WirelessReconnectTest,
                                   public ::testing::WithParamInterface<ReconnectCase> {};

TEST_P(ReconnectThroughDongleTest, ConnectsOnlyAMouseKnownAsOurs) {
    const ReconnectCase& c = GetParam();
    LoseTheConnection();
    link.SetDonglePresent(false);
    c.hardware(emulator);

    const ReconnectReport report = ReconnectThroughDongle(link, commands, listener, c.knownBefore);

    EXPECT_EQ(report.recognition, c.report.recognition);
    EXPECT_EQ(report.connected, c.report.connected);
    EXPECT_EQ(!Sent().empty(), c.asksTheMouse);
    EXPECT_EQ(link.ConnectionMode(), c.report.connected ? LinkMode::Dongle : LinkMode::None);
    EXPECT_EQ(link.DonglePresent(), c.report.connected);
    // The listener already reading the dongle goes on; none is opened anew.
    EXPECT_EQ(emulator.OpenStatusReaders(), 0);
}

const Hardware AsItIs = [](emu::Qx9Emulator&) {};

INSTANTIATE_TEST_SUITE_P(
    Cases, ReconnectThroughDongleTest,
    ::testing::Values(
        ReconnectCase{
            "KnownMouse", recognition::Recognised, AsItIs, false, {recognition::Recognised, true}},
        ReconnectCase{"KnownForeignMouse",
                      recognition::Foreign,
                      AsItIs,
                      false,
                      {recognition::Foreign, false}},
        ReconnectCase{"UnknownMouseAnswers",
                      recognition::Unknown,
                      AsItIs,
                      true,
                      {recognition::Recognised, true}},
        ReconnectCase{"UnknownMouseIsForeign",
                      recognition::Unknown,
                      [](emu::Qx9Emulator& e) { e.SetMouseProductId(0x1234); },
                      true,
                      {recognition::Foreign, false}},
        ReconnectCase{"UnknownMouseSilent",
                      recognition::Unknown,
                      [](emu::Qx9Emulator& e) { e.SetMousePowered(false); },
                      true,
                      {recognition::Unknown, false}},
        ReconnectCase{"DongleGone",
                      recognition::Recognised,
                      [](emu::Qx9Emulator& e) { e.PlugDongle(false); },
                      false,
                      {recognition::Recognised, false}}),
    test::CaseName{});

TEST_F(WirelessReconnectTest, DoesNothingWhileSomethingIsConnected) {
    Connect(Endpoint::Dongle);
    const ReconnectReport report =
        ReconnectThroughDongle(link, commands, listener, recognition::Unknown);
    EXPECT_FALSE(report.connected);
    EXPECT_EQ(report.recognition, recognition::Unknown);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(link.ConnectionMode(), LinkMode::Dongle);
}

}  // namespace
}  // namespace qx9
