#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace qx9::test {

template <typename Case>
concept NamedCase = requires(const Case& c) {
    std::string(c.name);
};

// Names each case of a table after its `name` field.
struct CaseName {
    template <NamedCase Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& tested) const {
        return tested.param.name;
    }
};

}  // namespace qx9::test

// Tables live in unnamed namespaces; printing a case by its name keeps test
// listings readable instead of dumping its bytes.
namespace qx9 {
namespace {
template <test::NamedCase Case>
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}
}  // namespace
namespace emu {
namespace {
template <test::NamedCase Case>
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}
}  // namespace
}  // namespace emu
}  // namespace qx9
