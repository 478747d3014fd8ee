#include <gtest/gtest.h>

#include <cerrno>

#include "DeviceContract.h"
#include "ErrnoMapping.h"
#include "HidIdText.h"
#include "HidrawBackend.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

struct ErrnoCase {
    const char* name;
    int error;
    HidError kind;
    bool retryable;
};

class ErrnoMappingTest : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(ErrnoMappingTest, MapsToTheKindTheRetryRulesNeed) {
    EXPECT_EQ(HidErrorFromErrno(GetParam().error), GetParam().kind);
    EXPECT_EQ(IsRetryable(HidErrorFromErrno(GetParam().error)), GetParam().retryable);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ErrnoMappingTest,
    ::testing::Values(ErrnoCase{"EPIPE", EPIPE, HidError::FunctionFailed, true},
                      ErrnoCase{"ETIMEDOUT", ETIMEDOUT, HidError::NotReady, true},
                      ErrnoCase{"EAGAIN", EAGAIN, HidError::NotReady, true},
                      ErrnoCase{"EBUSY", EBUSY, HidError::NotReady, true},
                      ErrnoCase{"EINTR", EINTR, HidError::NotReady, true},
                      ErrnoCase{"EPROTO", EPROTO, HidError::Crc, true},
                      ErrnoCase{"EILSEQ", EILSEQ, HidError::Crc, true},
                      ErrnoCase{"EOVERFLOW", EOVERFLOW, HidError::Crc, true},
                      ErrnoCase{"EIO", EIO, HidError::WriteFault, true},
                      ErrnoCase{"EINVAL", EINVAL, HidError::InvalidParameter, true},
                      ErrnoCase{"ENODEV", ENODEV, HidError::DeviceGone, false},
                      ErrnoCase{"ESHUTDOWN", ESHUTDOWN, HidError::DeviceGone, false},
                      ErrnoCase{"ENOENT", ENOENT, HidError::DeviceGone, false},
                      ErrnoCase{"EBADF", EBADF, HidError::BadHandle, false},
                      ErrnoCase{"EACCES", EACCES, HidError::AccessDenied, false},
                      ErrnoCase{"EPERM", EPERM, HidError::AccessDenied, false},
                      ErrnoCase{"Unlisted", ENOMEM, HidError::Other, false}),
    test::CaseName{});

struct FeatureReadCase {
    const char* name;
    int outcome;
    std::size_t reportSize;
    int error;
    HidError kind;
};

class FeatureReadTest : public ::testing::TestWithParam<FeatureReadCase> {};

TEST_P(FeatureReadTest, OnlyTheWholeReportIsARead) {
    EXPECT_EQ(FeatureReadError(GetParam().outcome, GetParam().reportSize, GetParam().error),
              GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FeatureReadTest,
    ::testing::Values(
        FeatureReadCase{"WholeCommandReply", 64, 64, 0, HidError::None},
        FeatureReadCase{"WholeConfigurationReport", 1041, 1041, 0, HidError::None},
        FeatureReadCase{"OneByteShort", 63, 64, 0, HidError::Other},
        FeatureReadCase{"OnlyTheHeaderOfTheConfiguration", 64, 1041, 0, HidError::Other},
        FeatureReadCase{"Nothing", 0, 64, 0, HidError::Other},
        FeatureReadCase{"FailedCallKeepsItsErrno", -1, 64, EPIPE, HidError::FunctionFailed}),
    test::CaseName{});

struct HidIdCase {
    const char* name;
    const char* text;
    std::optional<std::pair<std::uint16_t, std::uint16_t>> ids;
};

class HidIdTextTest : public ::testing::TestWithParam<HidIdCase> {};

TEST_P(HidIdTextTest, ReadsVendorAndProduct) {
    const auto parsed = ParseHidId(GetParam().text);
    ASSERT_EQ(parsed.has_value(), GetParam().ids.has_value());
    if (parsed) {
        EXPECT_EQ(parsed->vendorId, GetParam().ids->first);
        EXPECT_EQ(parsed->productId, GetParam().ids->second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, HidIdTextTest,
    ::testing::Values(HidIdCase{"Usb", "0003:00003A9E:00005C11", {{0x3A9E, 0x5C11}}},
                      HidIdCase{"LowerCase", "0003:0000046d:0000c31c", {{0x046D, 0xC31C}}},
                      HidIdCase{"Null", nullptr, std::nullopt},
                      HidIdCase{"MissingProduct", "0003:00003A9E", std::nullopt},
                      HidIdCase{"NotHex", "0003:0000ZZZZ:00005C11", std::nullopt},
                      HidIdCase{"TooWide", "0003:00013A9E:00005C11", std::nullopt},
                      HidIdCase{"Empty", "", std::nullopt}),
    test::CaseName{});

// A node that is no hidraw device refuses the feature ioctls; the failure
// reaches the retry rules as a kind that is not retried.
TEST(HidrawBackend, AFailedIoctlReportsItsErrnoAsAKind) {
    HidrawBackend backend;
    auto device = backend.Open("/dev/null").device;
    ASSERT_NE(device, nullptr);
    std::array<std::uint8_t, CommandReportSize> report{CommandReportId};

    EXPECT_FALSE(device->SetFeature(report));
    EXPECT_EQ(device->LastError(), HidError::Other);
    EXPECT_FALSE(device->GetFeature(report));
    EXPECT_FALSE(IsRetryable(device->LastError()));
}

TEST(HidrawBackend, AMissingNodeDoesNotOpenAndSaysWhy) {
    HidrawBackend backend;
    const OpenedDevice opened = backend.Open("/dev/hidraw-that-does-not-exist");
    EXPECT_EQ(opened.device, nullptr);
    EXPECT_EQ(opened.error, HidError::DeviceGone);
}

}  // namespace
}  // namespace qx9
