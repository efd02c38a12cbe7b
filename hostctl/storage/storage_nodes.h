// What the storage areas' hand-written behaviour shares: the adapters, paths
// and transport mappings of the simulated host, and world-wide names.
//
// Adapters are nodes of their most specific kind ([FibreChannelInterface
// hba3]) that also stand for a ScsiInterface; a path ([ScsiPath
// hba3:C0:T0:L1]) names its adapter ("Adapter = hba3") and its device
// ("DiskLun = dev.fc0").
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hostctl/sim.h"
#include "hostctl/storage/adapters.h"

namespace QorCtl {
namespace Storage {

// The adapter of that name, or the library's not-found failure.
Sim::NodeRef AdapterNode(const std::string &name);

// An adapter object of the node's most specific kind that has an
// implementation here; a kind without one is served as a plain adapter.
std::unique_ptr<HostCtl::Storage::ScsiInterface> MakeAdapter(const Sim::NodeRef &node);

// The paths whose property `key` is `value`, in model order.
std::vector<Sim::NodeRef> PathsWhere(const char *key, const std::string &value);

// How a path crosses its adapter: Fibre Channel names, the iSCSI session, or
// the generic mapping of a local adapter.
std::unique_ptr<HostCtl::Storage::TransportMapping> MappingOf(const Sim::Node &path);

// "20:00:00:00:c0:ff:ee:03" and back; text that is not eight hexadecimal
// bytes is refused with the library's exception.
uint64 ParseWorldWideName(const std::string &text);
std::string FormatWorldWideName(uint64 value);

}  // namespace Storage
}  // namespace QorCtl
