#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ByteStream.h"
#include "CommandPayloads.h"
#include "CommandSet.h"
#include "ConfigLayout.h"
#include "Require.h"
#include "support/ScriptedFeatureBackend.h"

using namespace qx9;
using fuzz::Require;

namespace {

constexpr std::size_t InterpretedEnd = layout::GlassMode + 1;
constexpr std::size_t UninterpretedInHead = 0x02;

bool Interpreted(std::size_t offset) {
    return offset < InterpretedEnd && offset != UninterpretedInHead;
}

// The configuration read of a store that already holds a block, answered with `report`.
std::uint8_t ReadConfigAnswering(const std::vector<std::uint8_t>& report, ConfigStore& store) {
    test::ScriptedFeatureBackend backend;
    backend.script->reads.push_back(test::Step::Succeed(report));
    VirtualClock clock;
    DeviceLink link(backend, clock);
    Require(link.DiscoverDevice(test::ScriptedFeatureBackend::VendorIdForTests,
                                test::ScriptedFeatureBackend::ProductIdForTests),
            "the scripted device is found");
    return CommandSet(link, store).ReadConfig(CableWaits.config);
}

void CheckRead(const std::vector<std::uint8_t>& report, const ConfigBlockData& block) {
    ConfigStore store;
    store.ConfigBlock().fill(0xEE);
    store.UnpackConfig(store.EditConfig());
    const ConfigStore before = store;

    const std::uint8_t outcome = ReadConfigAnswering(report, store);
    Require(store.BaseConfig() == before.BaseConfig(),
            "reading the configuration leaves BaseConfig alone");
    if (report[StatusByteOffset] == status::Done) {
        Require(outcome == result::Done, "a confirmed read succeeds");
        Require(store.ConfigBlock() == block,
                "the block is kept as read, uninterpreted bytes included");
        DeviceConfig unpacked;
        UnpackConfig(block, unpacked);
        Require(store.EditConfig() == unpacked, "EditConfig is the block unpacked");
    } else {
        Require(outcome != result::Done, "an unconfirmed read fails");
        Require(store.ConfigBlock() == before.ConfigBlock() &&
                    store.EditConfig() == before.EditConfig(),
                "a failed read changes nothing");
    }
}

void CheckRoundTrip(const ConfigBlockData& block, const DeviceConfig& record) {
    const ConfigImage image = PackedImage(record);
    for (std::size_t offset = 0; offset < ConfigImageSize; ++offset) {
        Require(image[offset] == (Interpreted(offset) ? block[offset] : 0),
                "interpreted bytes pack as read, the others as 0");
    }
    ConfigBlockData repacked{};
    std::copy(image.begin(), image.end(), repacked.begin());
    DeviceConfig again;
    UnpackConfig(repacked, again);
    Require(again == record, "the image unpacks to the record it came from");
}

void CheckComparison(const ConfigBlockData& blockA, const DeviceConfig& a,
                     const ConfigBlockData& blockB, const DeviceConfig& b) {
    const std::uint8_t sections = ChangedSections(a, b);
    Require(sections == ChangedSections(b, a), "ChangedSections is symmetric");
    Require(ConfigsDiffer(a, b) == ConfigsDiffer(b, a), "ConfigsDiffer is symmetric");
    Require(ChangedSections(a, a) == 0 && !ConfigsDiffer(a, a) && ChangedSections(b, b) == 0 &&
                !ConfigsDiffer(b, b),
            "a record equals itself");
    Require((sections & ~(SensorSection | AdvancedSection | ButtonSection)) == 0,
            "only the three sections are named");

    bool interpretedDiffer = false;
    bool sectionedDiffer = false;
    for (std::size_t offset = 0; offset < InterpretedEnd; ++offset) {
        if (Interpreted(offset) && blockA[offset] != blockB[offset]) {
            interpretedDiffer = true;
            sectionedDiffer = sectionedDiffer || offset != layout::CfgByte00;
        }
    }
    Require(ConfigsDiffer(a, b) == interpretedDiffer,
            "records differ exactly when an interpreted byte does");
    Require((sections != 0) == sectionedDiffer,
            "a section is named exactly when a byte of one differs");

    // What APPLY leaves out is what the device already holds.
    if (!(sections & SensorSection)) {
        Require(SensorPayload(a) == SensorPayload(b), "an unchanged sensor section sends alike");
    }
    if (!(sections & AdvancedSection)) {
        Require(AdvancedPayload(a) == AdvancedPayload(b),
                "an unchanged advanced section sends alike");
    }
    if (!(sections & (ButtonSection | AdvancedSection))) {
        Require(ButtonSlotBytesOf(a) == ButtonSlotBytesOf(b),
                "unchanged buttons and filters send alike");
    }

    DeviceConfig applied = b;
    CopyBlockFields(a, applied);
    Require(ChangedSections(a, applied) == 0 && !ConfigsDiffer(a, applied) &&
                applied.AckShown == b.AckShown,
            "after copying, nothing is left to send and AckShown stays");
}

}  // namespace

// Input: the 1041-byte configuration report as the device answers the read
// (zero-filled when short), then AckShown of a second record and pairs of
// (block offset, value) that make the second record's block from the first.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteStream input({data, size});
    std::vector<std::uint8_t> report(ConfigReportSize, 0);
    const auto head = input.Take(ConfigReportSize);
    std::copy(head.begin(), head.end(), report.begin());

    ConfigBlockData block{};
    std::copy_n(report.begin() + ConfigBlockOffset, ConfigBlockSize, block.begin());
    CheckRead(report, block);

    DeviceConfig a;
    UnpackConfig(block, a);
    CheckRoundTrip(block, a);

    const std::uint8_t ackShown = input.Byte();
    ConfigBlockData edited = block;
    while (!input.Empty()) {
        const std::uint8_t offset = input.Byte();
        edited[offset] = input.Byte();
    }
    DeviceConfig b;
    UnpackConfig(edited, b);
    b.AckShown = ackShown;
    CheckComparison(block, a, edited, b);
    return 0;
}
