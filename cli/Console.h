#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "Problem.h"

namespace qx9::cli {

// Where qx9ctl writes: results on standard output, errors on standard error,
// one line each.
struct Console {
    std::ostream& out;
    std::ostream& err;

    void Error(std::string_view message) const { err << "qx9ctl: " << message << '\n'; }

    // Each problem on a line of its own, after the file it is in, if any.
    void Problems(std::string_view source, const std::vector<Problem>& problems) const {
        for (const Problem& problem : problems) {
            std::string line(source);
            for (const std::string& part : {problem.place, problem.message}) {
                if (!part.empty()) {
                    line += line.empty() ? part : ": " + part;
                }
            }
            Error(line);
        }
    }
};

}  // namespace qx9::cli
