// How the network objects keep what the simulated host cannot hold as one
// value: policies field by field, ranges as text, and the few helpers the
// hand-written behaviour of adapters and switches shares.
#pragma once

#include <string>
#include <vector>

#include "hostctl/network/values.h"
#include "hostctl/sim.h"

namespace QorCtl {
namespace Network {
namespace Model {

using QorCtl::Sim::Node;

inline bool Has(const Node &node, const std::string &key) { return node.properties.count(key) != 0; }

// The property, or `fallback` when the model does not have it.
template <class T>
T ReadOr(const Node &node, const char *key, T fallback) {
    return Has(node, key) ? QorCtl::Sim::Read<T>(node, key) : fallback;
}

// The operation's failure, when the model asks for it, for a static
// operation: checked against the kind alone, without adding a node for it.
void EnterKind(const char *kind, const char *operation);

// A policy is kept as "<key>.<Field>" properties, one per field that is set;
// saving replaces what the node held under `key`.
void Load(const Node &node, const std::string &key, HostCtl::Network::PortSecurityPolicy &policy);
void Load(const Node &node, const std::string &key, HostCtl::Network::ShapingPolicy &policy);
void Load(const Node &node, const std::string &key, HostCtl::Network::NicTeamingPolicy &policy);
void Load(const Node &node, const std::string &key, HostCtl::Network::NicCapabilities &capabilities);
void Save(Node &node, const std::string &key, const HostCtl::Network::PortSecurityPolicy &policy);
void Save(Node &node, const std::string &key, const HostCtl::Network::ShapingPolicy &policy);
void Save(Node &node, const std::string &key, const HostCtl::Network::NicTeamingPolicy &policy);
void Save(Node &node, const std::string &key, const HostCtl::Network::NicCapabilities &capabilities);

// Ranges of numbers as "low-high" items separated by commas.
std::vector<std::pair<unsigned, unsigned>> ReadRanges(const Node &node, const char *key);
void WriteRanges(Node &node, const char *key, const std::vector<std::pair<unsigned, unsigned>> &ranges);
// Refuses a VLAN range that is reversed or reaches past the last VLAN id.
void CheckVlanRange(unsigned low, unsigned high);

}  // namespace Model
}  // namespace Network
}  // namespace QorCtl
