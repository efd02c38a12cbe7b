// The host the simulation serves when no model file is named. All names,
// addresses and values are invented for the simulation.
#pragma once

namespace QorCtl {
namespace Sim {

// Each area's part of the model lives in default_host/<area>.inc as one raw
// string; adjacent literals join into the whole model text.
inline const char kDefaultHost[] =
#include "default_host/network.inc"
#include "default_host/netswitch.inc"
#include "default_host/netstack.inc"
#include "default_host/storage.inc"
#include "default_host/volumes.inc"
#include "default_host/multipath.inc"
#include "default_host/luns.inc"
#include "default_host/iscsi.inc"
#include "default_host/hardware.inc"
#include "default_host/resource.inc"
#include "default_host/system.inc"
#include "default_host/adv.inc"
    ;

}  // namespace Sim
}  // namespace QorCtl
