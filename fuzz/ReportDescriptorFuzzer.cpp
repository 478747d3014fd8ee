#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "ReportDescriptor.h"
#include "Require.h"

using namespace qx9;
using fuzz::Require;

namespace {

// How many Collection main items the bytes could hold at most.
std::size_t CollectionItemBound(std::span<const std::uint8_t> descriptor) {
    return static_cast<std::size_t>(std::count_if(
        descriptor.begin(), descriptor.end(), [](std::uint8_t b) { return (b & 0xFC) == 0xA0; }));
}

}  // namespace

// The descriptor comes from sysfs as the device declared it. What is found is
// what the bytes before any fault say: cutting the descriptor short can only
// lose collections from the end, never change or add one.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> descriptor(data, size);
    const std::vector<HidUsage> whole = TopLevelCollections(descriptor);
    Require(whole.size() <= CollectionItemBound(descriptor),
            "every collection found stands for a Collection item");

    for (const std::size_t cut : {size / 2, size - std::min<std::size_t>(size, 1)}) {
        const std::vector<HidUsage> front = TopLevelCollections(descriptor.first(cut));
        Require(
            front.size() <= whole.size() && std::equal(front.begin(), front.end(), whole.begin()),
            "a shortened descriptor yields a prefix of the collections");
    }
    return 0;
}
