#pragma once

#include <gtest/gtest.h>

#include <string>

namespace qx9::test {

// Names each case of a table after its `name` field.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& tested) const {
        return tested.param.name;
    }
};

}  // namespace qx9::test
