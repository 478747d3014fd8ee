#include <gtest/gtest.h>

#include <functional>

#include "PairRequest.h"
#include "support/CaseName.h"
#include "support/EmulatorFixture.h"
#include "support/SentCommands.h"

namespace qx9 {
namespace {

using test::EmulatorFixture;
using Lines = std::vector<std::string>;

struct PairCase {
    const char* name;
    bool cable;
    bool dongle;
    std::function<void(emu::Qx9Emulator&)> fault;
    Lines sent;
    bool pairingRequested;
    bool retargeted;
};

class PairRequestTest : public EmulatorFixture, public ::testing::WithParamInterface<PairCase> {};

TEST_P(PairRequestTest, PairsThroughTheDongleWhenItAnswers) {
    const PairCase& c = GetParam();
    emulator.PlugCable(c.cable);
    emulator.PlugDongle(c.dongle);
    const LinkMode mode = link.DetectConnection();
    emulator.ClearTrace();
    RestartTimer();
    if (c.fault) {
        c.fault(emulator);
    }

    const PairResult paired = PairRequest(link, commands);

    EXPECT_EQ(test::SentCommands(emulator.Trace(), start), c.sent);
    EXPECT_EQ(Elapsed(), 300ms * static_cast<int>(c.sent.size()));
    EXPECT_EQ(paired.sent, c.pairingRequested);
    EXPECT_EQ(emulator.PairingRequested(), c.pairingRequested);
    EXPECT_EQ(link.LinkRetargeted(), c.retargeted);
    EXPECT_EQ(link.ConnectionMode(), mode) << "pairing leaves the connection mode alone";
}

const std::function<void(emu::Qx9Emulator&)> NoFault;

INSTANTIATE_TEST_SUITE_P(
    Cases, PairRequestTest,
    ::testing::Values(
        PairCase{"NoDongle", false, false, NoFault, {}, false, false},
        PairCase{"NoDongleWithTheMouseOnItsCable", true, false, NoFault, {}, false, false},
        PairCase{"DongleFromTheCable",
                 true,
                 true,
                 NoFault,
                 {"0 dongle LinkCheck", "300 dongle PairDongle"},
                 true,
                 true},
        PairCase{"DongleInUse",
                 false,
                 true,
                 NoFault,
                 {"0 dongle LinkCheck", "300 dongle PairDongle"},
                 true,
                 false},
        PairCase{"SecondLinkCheckAnswers",
                 false,
                 true,
                 [](emu::Qx9Emulator& e) { e.RefuseCommand(command::LinkCheck, status::NotDone); },
                 {"0 dongle LinkCheck", "300 dongle LinkCheckAlt", "600 dongle PairDongle"},
                 true,
                 false},
        PairCase{
            "NeitherLinkCheckAnswers",
            true,
            true,
            [](emu::Qx9Emulator& e) { e.RefuseCommand(command::LinkCheck, status::NotDone, 2); },
            {"0 dongle LinkCheck", "300 dongle LinkCheckAlt"},
            false,
            true}),
    test::CaseName{});

class PairRequestLinkTest : public EmulatorFixture {};

// The search for the dongle gave up the mouse's handle; the mouse on its cable
// must still answer the next command.
TEST_F(PairRequestLinkTest, WithNoDongleTheLinkStaysOnTheMouse) {
    Connect(emu::Endpoint::Cable);

    PairRequest(link, commands);

    DeviceInfo info;
    EXPECT_EQ(commands.ReadMouseInfo(info, CableWaits.mouseInfo), result::Done);
    EXPECT_EQ(test::SentCommands(emulator.Trace(), start), Lines{"0 cable ReadMouseInfo"});
}

}  // namespace
}  // namespace qx9
