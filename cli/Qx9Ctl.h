#pragma once

#include <istream>
#include <string>
#include <vector>

#include "Console.h"
#include "DeviceSession.h"
#include "Interruption.h"

namespace qx9::cli {

// Hands a run the device it talks to: the real one, or with --emulator the
// built-in emulated mouse. Asked at most once per run, after the command line
// was read, so that --help and bad usage never touch a device.
class DeviceProvider {
  public:
    virtual ~DeviceProvider() = default;
    virtual DeviceAccess Devices(bool emulated) = 0;
};

struct Environment {
    Console console;
    std::istream& input;
    DeviceProvider& devices;
    Interruption& interruption;
};

// Runs one qx9ctl command line (without the program's name) and returns the
// exit code: 0 done, 1 the device refused or did not answer, 2 bad usage or
// bad input, 3 no device found.
int RunQx9Ctl(const std::vector<std::string>& arguments, Environment& environment);

}  // namespace qx9::cli
