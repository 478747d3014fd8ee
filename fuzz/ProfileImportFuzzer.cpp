#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "ByteStream.h"
#include "Profile.h"
#include "Require.h"

using namespace qx9;
using fuzz::Require;

namespace {

constexpr std::size_t InterpretedBytes = 0x70;

// The factory record with the input's first bytes laid over its block image:
// whatever a mouse may hold, odd values included.
DeviceConfig HeldRecord(std::span<const std::uint8_t> overlay) {
    DeviceConfig defaults;
    ResetConfigDefaults(defaults);
    const ConfigImage image = PackedImage(defaults);
    ConfigBlockData block{};
    std::copy_n(image.begin(), InterpretedBytes, block.begin());
    std::copy(overlay.begin(), overlay.end(), block.begin());
    DeviceConfig held;
    UnpackConfig(block, held);
    return held;
}

std::optional<LinkMode> Connection(std::uint8_t choice) {
    switch (choice % 3) {
        case 1:
            return LinkMode::Cable;
        case 2:
            return LinkMode::Dongle;
        default:
            return std::nullopt;  // the check before the mouse is asked anything
    }
}

void CheckProblemsArePlaced(const std::vector<cli::Problem>& problems) {
    for (const cli::Problem& problem : problems) {
        Require(problem.place.empty() || problem.place.starts_with('/'),
                "every problem is placed at a JSON pointer, or at the whole file");
        Require(!problem.message.empty(), "every problem says what is wrong");
    }
}

}  // namespace

// Input: one byte choosing the connection (none, cable, dongle), one byte n
// (mod 113) and n bytes laid over the start of the mouse's block, then the
// profile's text. A rejected profile leaves the record as it was; an accepted
// one, against a known mouse, is accepted again without a change, and so is
// the profile exported from what it made. Nothing throws.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteStream input({data, size});
    const std::optional<LinkMode> connection = Connection(input.Byte());
    const DeviceConfig held = HeldRecord(input.Take(input.Byte() % (InterpretedBytes + 1)));
    const auto rest = input.Rest();
    const std::string_view text(reinterpret_cast<const char*>(rest.data()), rest.size());

    const cli::EditOutcome imported = cli::ImportProfile(text, held, connection);
    CheckProblemsArePlaced(imported.problems);
    if (!imported.problems.empty()) {
        Require(imported.config == held, "a rejected profile changes nothing");
        return 0;
    }
    if (!connection) {
        return 0;  // the mouse's own rules are still to come
    }
    const cli::EditOutcome again = cli::ImportProfile(text, imported.config, connection);
    Require(again.problems.empty() && again.config == imported.config,
            "an accepted profile, imported again, changes nothing");

    const std::string exported = cli::ProfileText(imported.config);
    const cli::EditOutcome back = cli::ImportProfile(exported, imported.config, connection);
    Require(back.problems.empty() && back.config == imported.config,
            "an accepted profile exported again is identical");
    return 0;
}
