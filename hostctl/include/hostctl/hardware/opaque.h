// Values of the hardware area that scripts only receive and pass back: the
// library keeps their contents to itself.
#pragma once

#include <string>

#include "hostctl/core.h"

class CpuId {
public:
    uint32 words[4] = {};
};

class Hardware_PCIResetMethod {
public:
    int method = 0;
};

class Hardware_PCIBarInfoStruct {
public:
    uint64 base = 0;
    uint64 size = 0;
};

class Hardware_HotplugSlotInfoStruct {
public:
    uint32 slot = 0;
};

class VMFeatureMasks {};

namespace QorCtl {
namespace Hardware {

// An element of the library's lists of devices by address.
class SimplePciDevice {
public:
    std::string address;
};

}  // namespace Hardware
}  // namespace QorCtl
