#include <gtest/gtest.h>

#include "DeviceNames.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

enum class Named { Nothing, CableMouse, Dongle };

struct NameCase {
    const char* name;
    const char* deviceName;
    Named named;
};

class DeviceNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(DeviceNameTest, NamesTheCableMouseOrTheDongleOrNothing) {
    const std::string_view name = GetParam().deviceName;
    EXPECT_EQ(NamesCableMouse(name), GetParam().named == Named::CableMouse);
    EXPECT_EQ(NamesDongle(name), GetParam().named == Named::Dongle);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceNameTest,
    ::testing::Values(
        NameCase{"CableSyspath",
                 "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.3/0003:3A9E:5C11.0004/"
                 "hidraw/hidraw3",
                 Named::CableMouse},
        NameCase{"DongleSyspath", "/sys/devices/virtual/0003:3A9E:5C22.0009/hidraw/hidraw7",
                 Named::Dongle},
        NameCase{"WindowsInterfacePath",
                 "\\\\?\\HID#VID_3A9E&PID_5C22&MI_03#8&1f2e3d&0&0000#{4d1e55b2-f16f-11cf-88cb-"
                 "001111000030}",
                 Named::Dongle},
        NameCase{"IdsInAnyOrder", "x5C11-3A9E", Named::CableMouse},
        NameCase{"VendorOnlyAtTheFirstCharacter", "3A9E:5C11", Named::Nothing},
        NameCase{"VendorAtTheFirstCharacterAndLater", "3A9E/0003:3A9E:5C11", Named::CableMouse},
        NameCase{"ProductOnlyAtTheFirstCharacter", "5C22:3A9E", Named::Nothing},
        NameCase{"LowerCaseDigits", "/sys/0003:3a9e:5c11.0004", Named::Nothing},
        NameCase{"VendorWithoutAProduct", "/sys/0003:3A9E:5C12.0004", Named::Nothing},
        NameCase{"ProductOfAnotherVendor", "/sys/0003:1234:5C11.0004", Named::Nothing},
        NameCase{"OtherDevice", "/sys/devices/virtual/block/loop0", Named::Nothing},
        NameCase{"Empty", "", Named::Nothing}),
    test::CaseName{});

struct InputCase {
    const char* name;
    const char* source;
    bool fromDongle;
};

class RawInputSourceTest : public ::testing::TestWithParam<InputCase> {};

TEST_P(RawInputSourceTest, IsTheDonglesMouseWhenItsNameCarriesTheDonglesId) {
    EXPECT_EQ(NamesDongleMouseInput(GetParam().source), GetParam().fromDongle);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RawInputSourceTest,
    ::testing::Values(
        InputCase{"DongleMouse", "/sys/0003:3A9E:5C22.0001/input/input9/event5", true},
        // Unlike a notification, the very first character counts.
        InputCase{"AtTheFirstCharacter", "5C22", true},
        InputCase{"CableMouse", "/sys/0003:3A9E:5C11.0001/input/input4/event3", false},
        InputCase{"LowerCase", "/sys/0003:3a9e:5c22.0001", false},
        InputCase{"UnknownSource", "", false}),
    test::CaseName{});

}  // namespace
}  // namespace qx9
