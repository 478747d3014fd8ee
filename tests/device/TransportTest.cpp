#include <gtest/gtest.h>

#include <vector>

#include "CommandPayloads.h"
#include "DeviceLink.h"
#include "support/CaseName.h"
#include "support/ScriptedFeatureBackend.h"

namespace qx9 {
namespace {

using test::ScriptedFeatureBackend;
using test::Step;

std::vector<std::uint8_t> ReplyWithStatus(std::uint8_t commandStatus) {
    std::vector<std::uint8_t> reply(CommandReportSize, 0);
    reply[0] = CommandReportId;
    reply[StatusByteOffset] = commandStatus;
    return reply;
}

class TransportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(link.DiscoverDevice(ScriptedFeatureBackend::VendorIdForTests,
                                        ScriptedFeatureBackend::ProductIdForTests));
    }
    Milliseconds Elapsed() const { return clock.Now() - start; }

    VirtualClock clock;
    ScriptedFeatureBackend backend;
    DeviceLink link{backend, clock};
    Milliseconds start = clock.Now();
};

struct SendCase {
    const char* name;
    std::vector<Step> steps;
    bool expected;
    Milliseconds waited;
    std::size_t attempts;
};

class SendRetryTest : public TransportTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(SendRetryTest, FollowsTheRetryRule) {
    const SendCase& c = GetParam();
    backend.script->sends.assign(c.steps.begin(), c.steps.end());
    const CommandReport report = BuildCommandReport(wire::ReadMouseInfo);

    EXPECT_EQ(link.SetFeatureWithRetry(report), c.expected);
    EXPECT_EQ(Elapsed(), c.waited);
    ASSERT_EQ(backend.script->sent.size(), c.attempts);
    for (const auto& attempt : backend.script->sent) {
        EXPECT_EQ(attempt, std::vector<std::uint8_t>(report.begin(), report.end()));
    }
}

const Step Ok = Step::Succeed();
const Step Crc = Step::Fail(HidError::Crc);

INSTANTIATE_TEST_SUITE_P(
    Cases, SendRetryTest,
    ::testing::Values(
        SendCase{"FirstAttempt", {Ok}, true, 0ms, 1},
        SendCase{"CrcThreeTimesThenSuccess", {Crc, Crc, Crc, Ok}, true, 100ms, 4},
        SendCase{"CrcFourTimes", {Crc, Crc, Crc, Crc}, false, 150ms, 4},
        SendCase{"NotReadyOnce", {Step::Fail(HidError::NotReady), Ok}, true, 0ms, 2},
        SendCase{"WriteFaultOnce", {Step::Fail(HidError::WriteFault), Ok}, true, 0ms, 2},
        SendCase{
            "InvalidParameterOnce", {Step::Fail(HidError::InvalidParameter), Ok}, true, 0ms, 2},
        SendCase{"FunctionFailedOnce", {Step::Fail(HidError::FunctionFailed), Ok}, true, 0ms, 2},
        SendCase{"BadHandleIsFinal", {Step::Fail(HidError::BadHandle)}, false, 0ms, 1},
        SendCase{"DeviceGoneIsFinal", {Step::Fail(HidError::DeviceGone)}, false, 0ms, 1},
        SendCase{"AccessDeniedIsFinal", {Step::Fail(HidError::AccessDenied)}, false, 0ms, 1},
        SendCase{"OtherIsFinal", {Step::Fail(HidError::Other)}, false, 0ms, 1}),
    test::CaseName{});

struct ReadCase {
    const char* name;
    std::vector<Step> steps;
    bool expected;
    Milliseconds waited;
    std::size_t reads;
    std::uint8_t finalStatus;
};

class ReadRetryTest : public TransportTest, public ::testing::WithParamInterface<ReadCase> {};

constexpr Milliseconds Base = 100ms;

TEST_P(ReadRetryTest, FollowsTheBusyAndRetryRules) {
    const ReadCase& c = GetParam();
    backend.script->reads.assign(c.steps.begin(), c.steps.end());
    std::vector<std::uint8_t> report(CommandReportSize, 0);
    report[0] = CommandReportId;
    const std::vector<std::uint8_t> request = report;

    EXPECT_EQ(link.GetFeatureWithRetry(report, Base), c.expected);
    EXPECT_EQ(Elapsed(), c.waited);
    EXPECT_EQ(backend.script->readRequests.size(), c.reads);
    EXPECT_EQ(report[StatusByteOffset], c.finalStatus);
}

const Step Done = Step::Succeed(ReplyWithStatus(1));
const Step NotDone = Step::Succeed(ReplyWithStatus(2));
const Step Busy = Step::Succeed(ReplyWithStatus(3));
const Step NotReady = Step::Fail(HidError::NotReady);

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadRetryTest,
    ::testing::Values(
        ReadCase{"DoneAtOnce", {Done}, true, 0ms, 1, 1},
        ReadCase{"NotDoneIsTheCallersToJudge", {NotDone}, true, 0ms, 1, 2},
        ReadCase{"BusyThenDone", {Busy, Done}, true, Base + 200ms, 2, 1},
        ReadCase{"BusyThroughout", {Busy, Busy, Busy}, true, 2 * Base + 600ms, 3, 3},
        ReadCase{
            "BusyThenNotDoneRereadsAgain", {Busy, NotDone, Done}, true, 2 * Base + 600ms, 3, 1},
        ReadCase{"BusyThenLastRereadFails", {Busy, Busy, NotReady}, false, 2 * Base + 600ms, 3, 0},
        ReadCase{"NotReadyThenDone", {NotReady, Done}, true, 50ms, 2, 1},
        ReadCase{"NotReadyThreeTimes", {NotReady, NotReady, NotReady}, false, 150ms, 3, 0},
        ReadCase{"NotReadyThenBusyIsNotReread", {NotReady, Busy}, true, 50ms, 2, 3},
        ReadCase{
            "BadHandleWaitsOnceAndStops", {Step::Fail(HidError::BadHandle)}, false, 50ms, 1, 0}),
    test::CaseName{});

TEST_F(TransportTest, BusyRereadsStartFromTheRequestAgain) {
    std::vector<std::uint8_t> busyWithData = ReplyWithStatus(3);
    busyWithData[20] = 0xEE;
    backend.script->reads = {Step::Succeed(busyWithData), Done};
    std::vector<std::uint8_t> report(CommandReportSize, 0);
    report[0] = CommandReportId;
    const std::vector<std::uint8_t> request = report;

    ASSERT_TRUE(link.GetFeatureWithRetry(report, Base));
    ASSERT_EQ(backend.script->readRequests.size(), 2u);
    EXPECT_EQ(backend.script->readRequests[1], request);
}

}  // namespace
}  // namespace qx9
