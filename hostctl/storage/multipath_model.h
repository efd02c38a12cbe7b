// How the multipathing objects read the simulated host: devices are
// [PsaDeviceConfig DEVICE] nodes, their paths [PsaScsiPathConfig PATH] nodes
// that name their device ("Device"), their state ("State": active, standby or
// dead) and whether a plugin claims them (not when "Unclaimed" is true).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hostctl/sim.h"

namespace HostCtl {
namespace Storage {
class Lun;
class ScsiPath;
}  // namespace Storage
}  // namespace HostCtl

namespace QorCtl {
namespace Storage {
namespace Multipath {

using QorCtl::Sim::Node;
using QorCtl::Sim::NodeRef;
using Texts = std::vector<std::string>;

extern const char kDeviceKind[];
extern const char kPathKind[];

// The node of a device or path the model has, else the library's not-found failure.
NodeRef DeviceNode(const std::string &device);
NodeRef PathNode(const std::string &path);

// The paths of a device, in model order.
std::vector<NodeRef> PathsOf(const Node &device);
bool IsClaimed(const Node &path);

// The path I/O to a device takes under its policy: the preferred path (fixed)
// or the most recently used one (MRU) while it works, else the first active
// path, else the first standby path, which the array then activates. The MRU
// policy remembers its choice, so it does not fail back. None when no
// claimed path works.
NodeRef ActivePath(Node &device);

// The paths the device's policy sends I/O down: every working path for round
// robin (standby paths only with "UseANOPaths", or when no path is active),
// the active path for the other policies.
std::vector<NodeRef> WorkingPaths(Node &device);

Texts NamesOf(const std::vector<NodeRef> &nodes);

// Throws unless the model has a path selection policy of that name.
void CheckPolicy(const std::string &policy);

// The library objects of a path or device, when the model describes it.
std::unique_ptr<HostCtl::Storage::ScsiPath> HeldPath(const std::string &name);
std::unique_ptr<HostCtl::Storage::Lun> HeldDevice(const std::string &name);

[[noreturn]] void Fail(const std::string &message);

}  // namespace Multipath
}  // namespace Storage
}  // namespace QorCtl
