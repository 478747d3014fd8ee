#pragma once

namespace qx9::cli {

// What qx9ctl tells the shell. Scripts rely on these values.
enum class ExitCode : int {
    Done = 0,
    DeviceFailed = 1,  // the device refused a command or did not answer
    BadInput = 2,      // bad usage, or a value or file the rules refuse
    NoDevice = 3,      // no QX9 was found, or it may not be opened
};

}  // namespace qx9::cli
