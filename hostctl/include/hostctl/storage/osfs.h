// Identifiers of the object-store file systems. Each overlays its bytes with
// 64-bit words, so a test for the null identifier reads the words.
#pragma once

#include "hostctl/core.h"

namespace HostCtl {
namespace Storage {
namespace Osfs {

class ProviderId {
public:
    union {
        uint8 byte[8];
        uint64 ll[1];
    };
};

class ContainerId {
public:
    union {
        uint8 byte[16];
        uint64 ll[2];
    };
};

}  // namespace Osfs
}  // namespace Storage
}  // namespace HostCtl
