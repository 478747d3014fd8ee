#pragma once

#include <cstdint>
#include <string_view>

// Keyboard keys as the mouse and the user know them: a key is captured as a
// Windows virtual-key code, stored on the mouse as a HID keyboard-page usage
// and shown by its name.
namespace qx9::keys {

// Empty for a code without a name.
std::string_view KeyNameForVk(std::uint16_t vk);

// Codes the table does not cover pass through unchanged, both ways.
std::uint16_t VkToKeyUsage(std::uint16_t vk);
std::uint16_t KeyUsageToVk(std::uint16_t usage);

}  // namespace qx9::keys
