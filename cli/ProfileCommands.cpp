#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "Commands.h"
#include "Profile.h"
#include "WriteSettings.h"

namespace qx9::cli {
namespace {

bool StandardStream(const std::string& file) {
    return file.empty() || file == "-";
}

// The whole file or nothing: written beside it, then moved over it, so that a
// failed write never leaves a half profile where a good one was.
bool WriteWhole(const std::string& file, const std::string& text, std::string& why) {
    const std::string partial = file + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!(out << text) || !out.flush()) {
            why = std::strerror(errno);
            std::remove(partial.c_str());
            return false;
        }
    }
    if (std::rename(partial.c_str(), file.c_str()) != 0) {
        why = std::strerror(errno);
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> ReadWhole(CommandContext& context, const std::string& file,
                                     std::string& why) {
    std::ostringstream text;
    if (StandardStream(file)) {
        text << context.input.rdbuf();
        return text.str();
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    text << in.rdbuf();
    if (in.bad()) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    return text.str();
}

}  // namespace

ExitCode RunExport(CommandContext& context, const std::string& file) {
    DeviceSession session(context.devices);
    if (const auto failure = session.Load()) {
        context.console.Error(failure->message);
        return failure->code;
    }
    const std::string text = ProfileText(session.Store().BaseConfig());
    if (StandardStream(file)) {
        context.console.out << text;
        return ExitCode::Done;
    }
    std::string why;
    if (!WriteWhole(file, text, why)) {
        context.console.Error("cannot write " + file + ": " + why);
        return ExitCode::BadInput;
    }
    return ExitCode::Done;
}

ExitCode RunImport(CommandContext& context, const std::string& file) {
    const std::string source = StandardStream(file) ? "standard input" : file;
    std::string why;
    const auto text = ReadWhole(context, file, why);
    if (!text) {
        context.console.Error("cannot read " + file + ": " + why);
        return ExitCode::BadInput;
    }
    // A file that is no profile is refused before the mouse is asked anything.
    // Its values are checked against the mouse, which may hold values the
    // pages would not set but a profile of it carries back unchanged; nothing
    // is written while a single problem remains.
    if (const ProfileRead read = ReadProfile(*text); !read.problems.empty()) {
        context.console.Problems(source, read.problems);
        return ExitCode::BadInput;
    }
    DeviceSession session(context.devices);
    if (const auto failure = session.Load()) {
        context.console.Error(failure->message);
        return failure->code;
    }
    const EditOutcome imported =
        ImportProfile(*text, session.Store().BaseConfig(), session.Found());
    if (!imported.problems.empty()) {
        context.console.Problems(source, imported.problems);
        return ExitCode::BadInput;
    }
    return WriteSettings(context, session, imported.config);
}

}  // namespace qx9::cli
