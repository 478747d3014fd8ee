#include "HidDescriptor.h"

#include <algorithm>

namespace qx9::sim {
namespace {

// Short items: prefix byte = tag << 4 | type << 2 | size code.
constexpr std::uint8_t UsagePage16 = 0x06;
constexpr std::uint8_t Usage16 = 0x0A;
constexpr std::uint8_t CollectionApplication[] = {0xA1, 0x01};
constexpr std::uint8_t EndCollection = 0xC0;
constexpr std::uint8_t ReportId8 = 0x85;
constexpr std::uint8_t ByteValues[] = {0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08};
constexpr std::uint8_t ReportCount16 = 0x96;
constexpr std::uint8_t InputData = 0x81;
constexpr std::uint8_t FeatureData = 0xB1;
constexpr std::uint8_t DataVariableAbsolute = 0x02;
constexpr std::uint8_t VendorUsage[] = {0x09, 0x01};

struct Report {
    std::uint8_t main;   // Input or Feature
    std::uint8_t id;     // 0: the interface's only report, sent without an id
    std::uint16_t size;  // bytes on the wire, the id included
};

struct KnownCollection {
    HidUsage usage;
    std::vector<Report> reports;
};

// What the mouse and the dongle declare for their two vendor collections.
const KnownCollection Known[] = {
    {{0xFF01, 0x0002}, {{FeatureData, 0xA1, 64}, {FeatureData, 0xA0, 1041}}},
    {{0xFF02, 0x0001}, {{InputData, 0x03, 8}}},
};
constexpr std::uint16_t PlainReportSize = 8;

void Append16(std::vector<std::uint8_t>& out, std::uint8_t prefix, std::uint16_t value) {
    out.insert(out.end(), {prefix, static_cast<std::uint8_t>(value & 0xFF),
                           static_cast<std::uint8_t>(value >> 8)});
}

void AppendReport(std::vector<std::uint8_t>& out, const Report& report) {
    if (report.id != 0) {
        out.insert(out.end(), {ReportId8, report.id});
    }
    out.insert(out.end(), std::begin(VendorUsage), std::end(VendorUsage));
    out.insert(out.end(), std::begin(ByteValues), std::end(ByteValues));
    Append16(out, ReportCount16, static_cast<std::uint16_t>(report.size - (report.id ? 1 : 0)));
    out.insert(out.end(), {report.main, DataVariableAbsolute});
}

const KnownCollection* Find(HidUsage usage) {
    for (const KnownCollection& known : Known) {
        if (known.usage == usage) {
            return &known;
        }
    }
    return nullptr;
}

bool IdTaken(std::uint8_t id) {
    return std::any_of(std::begin(Known), std::end(Known), [id](const KnownCollection& known) {
        return std::any_of(known.reports.begin(), known.reports.end(),
                           [id](const Report& report) { return report.id == id; });
    });
}

}  // namespace

std::vector<std::uint8_t> ReportDescriptorFor(const std::vector<HidUsage>& collections) {
    std::vector<std::uint8_t> out;
    // Report ids are needed as soon as one interface carries several reports.
    const bool numbered = collections.size() > 1;
    std::uint8_t nextPlainId = 1;
    for (const HidUsage& usage : collections) {
        Append16(out, UsagePage16, usage.usagePage);
        Append16(out, Usage16, usage.usage);
        out.insert(out.end(), std::begin(CollectionApplication), std::end(CollectionApplication));
        if (const KnownCollection* known = Find(usage)) {
            for (const Report& report : known->reports) {
                AppendReport(out, report);
            }
        } else {
            std::uint8_t id = 0;
            if (numbered) {
                while (IdTaken(nextPlainId)) {
                    ++nextPlainId;
                }
                id = nextPlainId++;
            }
            AppendReport(
                out, {InputData, id, static_cast<std::uint16_t>(PlainReportSize + (id ? 1 : 0))});
        }
        out.push_back(EndCollection);
    }
    return out;
}

}  // namespace qx9::sim
