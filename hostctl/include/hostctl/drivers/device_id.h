// The kernel's device identifier, a 64-bit number that scripts hold only as
// an opaque object; its device information record; and the configuration
// store of another platform library, met only as a pointer.
#pragma once

#include <sstream>
#include <string>

#include "hostctl/core.h"

class Device_ID {
public:
    Device_ID() = default;
    explicit Device_ID(uint64 value) : value(value) {}
    // The simulated host writes identifiers as decimal numbers.
    explicit Device_ID(const std::string &text) { std::istringstream(text) >> value; }

    uint64 value = 0;
};

class DeviceVSIInfo {
public:
    uint64 id = 0;
};

namespace TarnConfigStore {
class ConfigStorePtr;
}
