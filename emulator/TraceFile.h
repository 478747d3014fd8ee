#pragma once

#include <cstdio>
#include <mutex>
#include <string>

namespace qx9::emu {

// Appends wire-trace lines to a file, each flushed as it is written, so the
// file is complete however its writer ends.
class TraceFile {
  public:
    explicit TraceFile(const std::string& path);
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;
    ~TraceFile();

    bool IsOpen() const { return file_ != nullptr; }
    void Append(const std::string& line);

  private:
    std::mutex mutex_;
    std::FILE* file_;
};

}  // namespace qx9::emu
