#include "TraceFile.h"

namespace qx9::emu {

TraceFile::TraceFile(const std::string& path) : file_(std::fopen(path.c_str(), "a")) {}

TraceFile::~TraceFile() {
    if (file_) {
        std::fclose(file_);
    }
}

void TraceFile::Append(const std::string& line) {
    std::lock_guard lock(mutex_);
    if (!file_) {
        return;
    }
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace qx9::emu
