// Helpers the network stand-in shares: records kept as nodes of the simulated
// host, one property per field, and the nodes that belong to a stack instance.
#pragma once

#include <string>
#include <vector>

#include "hostctl/sim.h"

namespace QorCtl {
namespace Network {
namespace Model {

// The stack instance every object without a "Netstack" property belongs to.
inline const char kDefaultStack[] = "defaultTcpipStack";

// A record read from a node whose properties are named after its fields. The
// generated Fill reads "<key>.<field>", so the properties are keyed first.
template <class R>
R RecordOf(const QorCtl::Sim::Node &node) {
    QorCtl::Sim::Node keyed;
    for (const auto &property : node.properties) keyed.properties["r." + property.first] = property.second;
    R record;
    QorCtl::Sim::Fill(record, keyed, "r");
    return record;
}

// The fields of a record the model can hold as text, written as properties
// named after them (the inverse of RecordOf for those fields).
template <class R>
void StoreRecord(const R &record, QorCtl::Sim::Node &node) {
    QorCtl::Sim::Node keyed;
    QorCtl::Sim::Store(record, keyed, "r");
    for (const auto &property : keyed.properties) node.properties[property.first.substr(2)] = property.second;
}

// The stack instance a node belongs to.
inline std::string StackOf(const QorCtl::Sim::Node &node) {
    std::string stack = QorCtl::Sim::Read<std::string>(node, "Netstack");
    return stack.empty() ? kDefaultStack : stack;
}

// The nodes of `kind` on the stack instance `stack`, in model order.
inline std::vector<QorCtl::Sim::NodeRef> OnStack(const char *kind, const std::string &stack) {
    std::vector<QorCtl::Sim::NodeRef> found;
    for (const auto &node : QorCtl::Sim::All(kind)) {
        if (StackOf(*node) == stack) found.push_back(node);
    }
    return found;
}

// Takes a node out of the model; objects that hold it keep it.
inline void Forget(const QorCtl::Sim::NodeRef &node) { QorCtl::Sim::Remove(node->kind, node->name); }

// The node of that kind and name, or the library's not-found failure.
inline QorCtl::Sim::NodeRef Existing(const char *kind, const std::string &name) {
    QorCtl::Sim::NodeRef node = QorCtl::Sim::Find(kind, name);
    if (!node) QorCtl::Sim::NotFound(kind, name);
    return node;
}

}  // namespace Model
}  // namespace Network
}  // namespace QorCtl
