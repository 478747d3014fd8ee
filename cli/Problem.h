#pragma once

#include <string>

namespace qx9::cli {

// What is wrong with a value, and where it was given: a JSON pointer into a
// profile ("/settings/cpi1/x") or the name given on the command line ("cpi1").
struct Problem {
    std::string place;
    std::string message;
    friend bool operator==(const Problem&, const Problem&) = default;
};

}  // namespace qx9::cli
