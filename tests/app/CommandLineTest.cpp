#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "CommandLine.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

enum class Answer { Run, Help, Version };

struct ArgumentsCase {
    const char* name;
    std::vector<const char*> arguments;  // after the program's name
    Answer expected;
};

class CommandLineTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(CommandLineTest, AnswersHelpAndVersionAndIgnoresTheRest) {
    std::vector<const char*> argv{"qx9-config"};
    argv.insert(argv.end(), GetParam().arguments.begin(), GetParam().arguments.end());

    const auto answer = CommandLineAnswer(static_cast<int>(argv.size()), argv.data());

    switch (GetParam().expected) {
        case Answer::Run:
            EXPECT_FALSE(answer.has_value());
            break;
        case Answer::Help:
            ASSERT_TRUE(answer.has_value());
            EXPECT_EQ(answer->rfind("Usage: qx9-config", 0), 0u) << *answer;
            EXPECT_NE(answer->find("--version"), std::string::npos);
            break;
        case Answer::Version:
            ASSERT_TRUE(answer.has_value());
            EXPECT_TRUE(std::regex_match(*answer, std::regex("qx9-config \\d+\\.\\d+\\.\\d+\n")))
                << *answer;
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTest,
    ::testing::Values(ArgumentsCase{"Nothing", {}, Answer::Run},
                      ArgumentsCase{"Help", {"--help"}, Answer::Help},
                      ArgumentsCase{"Version", {"--version"}, Answer::Version},
                      ArgumentsCase{"UnknownOptionIgnored", {"--frobnicate"}, Answer::Run},
                      ArgumentsCase{"FileIgnored", {"settings.txt"}, Answer::Run},
                      ArgumentsCase{"AfterOthers", {"-x", "--version"}, Answer::Version},
                      ArgumentsCase{"FirstOfTwoWins", {"--version", "--help"}, Answer::Version},
                      ArgumentsCase{"AfterDoubleDashIgnored", {"--", "--help"}, Answer::Run},
                      ArgumentsCase{"NoPrefixMatch", {"--hel", "--versions"}, Answer::Run}),
    test::CaseName{});

}  // namespace
}  // namespace qx9
