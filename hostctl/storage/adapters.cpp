// Hand-written behaviour of the storage adapters' stand-in: the paths behind
// an adapter, rescans that change them, transport mappings and world-wide
// names.
#include <cctype>
#include <cstdio>

#include "storage_nodes.h"  // first: the logical units name the adapters' interface types
#include "hostctl/hardware/pci.h"
#include "hostctl/network/values.h"
#include "hostctl/storage/iscsi.h"
#include "hostctl/storage/luns.h"

namespace QorCtl {
namespace Storage {

using HostCtl::Storage::ScsiInterface;
using HostCtl::Storage::TransportMapping;
using Sim::Node;
using Sim::NodeRef;

namespace {

// Names of the interface types, indexed by ScsiInterface_SCSI_IFACE_TYPE_*.
const char *const kInterfaceTypeNames[] = {"unknown", "block", "fc", "iscsi", "ide", "iscsi-vendor", "sas", "sata",
                                           "usb", "parallel", "xsan", "fcoe", "pcie", "rdma", "tcp"};
const int kInterfaceTypeCount = sizeof(kInterfaceTypeNames) / sizeof(kInterfaceTypeNames[0]);
const int kTransportFc = 0;
const int kTransportIscsi = 1;
const int kTransportGeneric = 2;
const int kPathDead = 2;

// The paths of one adapter, in model order.
std::vector<NodeRef> paths_of(const Node &adapter) { return PathsWhere("Adapter", adapter.name); }

// Paths the adapter finds on a rescan are kept under their own kind until
// then; found, they become paths like the others.
int discover_paths(const Node &adapter) {
    int found = 0;
    for (const auto &pending : Sim::All("PendingScsiPath")) {
        if (Sim::Read<std::string>(*pending, "Adapter") != adapter.name) continue;
        NodeRef path = Sim::FindOrAdd("ScsiPath", pending->name);
        path->properties = pending->properties;
        Sim::Remove(pending->kind, pending->name);
        ++found;
    }
    return found;
}

int remove_dead_paths(const Node &adapter) {
    int removed = 0;
    for (const auto &path : paths_of(adapter)) {
        if (Sim::Read<int>(*path, "State") == kPathDead) {
            Sim::Remove(path->kind, path->name);
            ++removed;
        }
    }
    return removed;
}

// A path whose state is about to change ("NextState") takes it.
void update_path_states(const Node &adapter) {
    for (const auto &path : paths_of(adapter)) {
        auto next = path->properties.find("NextState");
        if (next == path->properties.end()) continue;
        path->properties["State"] = next->second;
        path->properties.erase(next);
    }
}

template <class Adapter>
std::unique_ptr<ScsiInterface> make(const NodeRef &node) {
    return std::unique_ptr<ScsiInterface>(new Adapter(node));
}

std::string hex_digits(uint64 value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

NodeRef AdapterNode(const std::string &name) {
    NodeRef node = Sim::Find("ScsiInterface", name);
    if (!node) Sim::NotFound("ScsiInterface", name);
    return node;
}

std::unique_ptr<ScsiInterface> MakeAdapter(const NodeRef &node) {
    const std::string &kind = node->kind;
    if (kind == "FibreChannelInterface") return make<FibreChannelInterfaceImpl>(node);
    if (kind == "BlockScsiInterface") return make<BlockScsiInterfaceImpl>(node);
    if (kind == "IdeScsiInterface") return make<IdeScsiInterfaceImpl>(node);
    if (kind == "ParallelScsiInterface") return make<ParallelScsiInterfaceImpl>(node);
    if (kind == "PcieInterface") return make<PcieInterfaceImpl>(node);
    if (kind == "RdmaInterface") return make<RdmaInterfaceImpl>(node);
    if (kind == "iScsiInterface") return make<iScsiInterfaceImpl>(node);
    return make<ScsiInterfaceImpl>(node);
}

std::vector<NodeRef> PathsWhere(const char *key, const std::string &value) {
    std::vector<NodeRef> found;
    for (const auto &path : Sim::All("ScsiPath")) {
        if (Sim::Read<std::string>(*path, key) == value) found.push_back(path);
    }
    return found;
}

std::unique_ptr<TransportMapping> MappingOf(const Node &path) {
    NodeRef adapter = AdapterNode(Sim::Read<std::string>(path, "Adapter"));
    int type = Sim::Read<int>(*adapter, "InterfaceType");
    if (type == 2) {  // Fibre Channel
        return std::unique_ptr<TransportMapping>(new FibreChannelTransportMappingImpl(
            ParseWorldWideName(Sim::Read<std::string>(*adapter, "WorldWideNodeName")),
            ParseWorldWideName(Sim::Read<std::string>(*adapter, "WorldWidePortName")),
            ParseWorldWideName(Sim::Read<std::string>(path, "TargetWorldWideNodeName")),
            ParseWorldWideName(Sim::Read<std::string>(path, "TargetWorldWidePortName"))));
    }
    if (type == 3) {  // iSCSI
        return std::unique_ptr<TransportMapping>(new iScsiTransportMappingImpl(
            Sim::Read<std::string>(path, "TargetName"), Sim::Read<std::string>(path, "TargetAlias"),
            Sim::Read<std::string>(path, "SessionId"), Sim::Read<std::string>(path, "PortalTag"), adapter->name));
    }
    NodeRef node = Sim::FindOrAdd("TransportMapping", path.name);
    Sim::Write(*node, "Type", kTransportGeneric);
    Sim::Write(*node, "PathString", path.name);
    Sim::Write(*node, "AdapterString", adapter->name);
    Sim::Write(*node, "TargetString", Sim::Read<std::string>(path, "TargetIdentifier"));
    return std::unique_ptr<TransportMapping>(new TransportMappingImpl(node));
}

// Eight bytes in hexadecimal, either separated by colons or run together.
uint64 ParseWorldWideName(const std::string &text) {
    bool separated = text.size() == 23;
    if (!separated && text.size() != 16) throw HostCtl::Lib::HostCtlException("invalid world-wide name '" + text + "'");
    uint64 value = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (separated && i % 3 == 2) {
            if (c != ':') throw HostCtl::Lib::HostCtlException("invalid world-wide name '" + text + "'");
            continue;
        }
        if (!std::isxdigit(c)) throw HostCtl::Lib::HostCtlException("invalid world-wide name '" + text + "'");
        int digit = std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10;
        value = (value << 4) | static_cast<uint64>(digit);
    }
    return value;
}

std::string FormatWorldWideName(uint64 value) {
    std::string digits = hex_digits(value);
    std::string text;
    for (size_t i = 0; i < digits.size(); i += 2) text += (i ? ":" : "") + digits.substr(i, 2);
    return text;
}

// ---- the adapter interface ----------------------------------------------------------

std::vector<std::unique_ptr<HostCtl::Storage::ScsiPath>> ScsiInterfaceImpl::GetScsiPaths() {
    Sim::Enter(*node_, "ScsiInterface.GetScsiPaths");
    std::vector<std::unique_ptr<HostCtl::Storage::ScsiPath>> paths;
    for (const auto &path : paths_of(*node_)) paths.emplace_back(new ScsiPathImpl(path));
    return paths;
}

// The PCI function the model names ("PciDevice = 0000:02:00.0"); none for an
// adapter without one, as a software adapter is.
HostCtl::Hardware::PciDevicePtr ScsiInterfaceImpl::GetPciDevice() {
    Sim::Enter(*node_, "ScsiInterface.GetPciDevice");
    NodeRef device = Sim::Lookup("PciDevice", Sim::Read<std::string>(*node_, "PciDevice"));
    if (!device) return nullptr;
    return HostCtl::Hardware::PciDevicePtr(new QorCtl::Hardware::PciDeviceImpl(device));
}

// A full rescan finds new paths, and with `removeDead` drops the dead ones.
void ScsiInterfaceImpl::Rescan(bool removeDead) {
    Sim::Enter(*node_, "ScsiInterface.Rescan");
    Sim::Record(*node_, "ScsiInterface.Rescan");
    discover_paths(*node_);
    if (removeDead) remove_dead_paths(*node_);
}

void ScsiInterfaceImpl::RescanDiscoverNewDevices() {
    Sim::Enter(*node_, "ScsiInterface.RescanDiscoverNewDevices");
    Sim::Record(*node_, "ScsiInterface.RescanDiscoverNewDevices");
    discover_paths(*node_);
}

// 'y' when dead paths were removed, 'n' when there were none.
char ScsiInterfaceImpl::RescanRemoveDeadDevices() {
    Sim::Enter(*node_, "ScsiInterface.RescanRemoveDeadDevices");
    Sim::Record(*node_, "ScsiInterface.RescanRemoveDeadDevices");
    return remove_dead_paths(*node_) ? 'y' : 'n';
}

void ScsiInterfaceImpl::RescanUpdatePathState() {
    Sim::Enter(*node_, "ScsiInterface.RescanUpdatePathState");
    Sim::Record(*node_, "ScsiInterface.RescanUpdatePathState");
    update_path_states(*node_);
}

// A known interface type as it is; any other number is the unknown type.
int ScsiInterfaceImpl::GetValidInterfaceType(uint32 type) {
    Sim::Enter(*node_, "ScsiInterface.GetValidInterfaceType");
    return type < static_cast<uint32>(kInterfaceTypeCount) ? static_cast<int>(type) : 0;
}

// The type a name stands for ("fc", "iscsi"...), the unknown type for others.
int ScsiInterfaceImpl::GetValidInterfaceType(std::string &name) {
    Sim::Enter(*node_, "ScsiInterface.GetValidInterfaceType");
    for (int type = 0; type < kInterfaceTypeCount; ++type) {
        if (name == kInterfaceTypeNames[type]) return type;
    }
    return 0;
}

HostCtl::Storage::TransportMappingPtr ScsiInterfaceImpl::GetTransportMapping(const std::string &path) {
    Sim::Enter(*node_, "ScsiInterface.GetTransportMapping");
    NodeRef node = Sim::Find("ScsiPath", path);
    if (!node || Sim::Read<std::string>(*node, "Adapter") != node_->name) Sim::NotFound("ScsiPath", path);
    return MappingOf(*node);
}

}  // namespace Storage
}  // namespace QorCtl

std::string HostCtl::Storage::ScsiInterface::GetInterfaceTypeString(ScsiInterfaceType type) {
    int index = static_cast<int>(type);
    return index >= 0 && index < QorCtl::Storage::kInterfaceTypeCount ? QorCtl::Storage::kInterfaceTypeNames[index]
                                                                      : "unknown";
}

namespace QorCtl {
namespace Storage {

// ---- Fibre Channel ------------------------------------------------------------------

uint64 FibreChannelInterfaceImpl::GetWorldWidePortName() {
    Sim::Enter(*node_, "FibreChannelInterface.GetWorldWidePortName");
    return ParseWorldWideName(Sim::Read<std::string>(*node_, "WorldWidePortName"));
}

uint64 FibreChannelInterfaceImpl::GetWorldWideNodeName() {
    Sim::Enter(*node_, "FibreChannelInterface.GetWorldWideNodeName");
    return ParseWorldWideName(Sim::Read<std::string>(*node_, "WorldWideNodeName"));
}

// Events are [FcScsiEvent n] nodes naming their adapter; clearing drops them.
void FibreChannelInterfaceImpl::ClearEvents(int) {
    Sim::Enter(*node_, "FibreChannelInterface.ClearEvents");
    Sim::Record(*node_, "FibreChannelInterface.ClearEvents");
    for (const auto &event : Sim::All("FcScsiEvent")) {
        if (Sim::Read<std::string>(*event, "FibreChannelInterface") != node_->name) continue;
        Sim::Remove(event->kind, event->name);
    }
}

// "<sec>.<usec> id <id> cmd 0x<cmd> status <status> C<channel>:T<target>:L<lun>".
std::string FibreChannelInterfaceImpl::GetStringLogEntry(const HostCtl::Storage::FcScsiEvent &event) {
    Sim::Enter(*node_, "FibreChannelInterface.GetStringLogEntry");
    char text[160];
    std::snprintf(text, sizeof text, "%llu.%06u id %u cmd 0x%02x status %u C%u:T%u:L%u",
                  static_cast<unsigned long long>(event.sec), event.usec, event.id, event.cmd, event.status,
                  event.channel, event.target, event.lun);
    return text;
}

uint64 FibreChannelInterfaceImpl::GetWorldWideNumberFromString(const std::string &text) {
    return ParseWorldWideName(text);
}

std::string FibreChannelInterfaceImpl::GetWorldWideNumberStringFromInt(uint64 value) {
    return FormatWorldWideName(value);
}

// ---- transport mappings ---------------------------------------------------------------

// One node per adapter port and target port; the names are kept as numbers
// and as text, the path reads "<adapter port>-<target port>".
FibreChannelTransportMappingImpl::FibreChannelTransportMappingImpl(uint64 adapterNode, uint64 adapterPort,
                                                                   uint64 targetNode, uint64 targetPort)
    : TransportMappingImpl(Sim::Open("FibreChannelTransportMapping",
                                     hex_digits(adapterPort) + "-" + hex_digits(targetPort))) {
    Node &node = *node_;
    const std::pair<const char *, uint64> names[] = {{"AdapterWorldWideNodeName", adapterNode},
                                                     {"AdapterWorldWidePortName", adapterPort},
                                                     {"TargetWorldWideNodeName", targetNode},
                                                     {"TargetWorldWidePortName", targetPort}};
    for (const auto &name : names) {
        Sim::Write(node, name.first, name.second);
        Sim::Write(node, (std::string(name.first) + "String").c_str(), FormatWorldWideName(name.second));
    }
    Sim::Write(node, "Type", kTransportFc);
    Sim::Write(node, "AdapterString", FormatWorldWideName(adapterNode) + "/" + FormatWorldWideName(adapterPort));
    Sim::Write(node, "TargetString", FormatWorldWideName(targetNode) + "/" + FormatWorldWideName(targetPort));
    Sim::Write(node, "PathString", FormatWorldWideName(adapterPort) + "-" + FormatWorldWideName(targetPort));
}

iScsiTransportMappingImpl::iScsiTransportMappingImpl(const std::string &target, std::string alias,
                                                     std::string session, std::string portalTag,
                                                     std::string adapter)
    : TransportMappingImpl(Sim::Open("iScsiTransportMapping", adapter + "/" + target + "/" + session)) {
    Node &node = *node_;
    Sim::Write(node, "Type", kTransportIscsi);
    Sim::Write(node, "iScsiTargetName", target);
    Sim::Write(node, "iScsiTargetAlias", alias);
    Sim::Write(node, "SessionId", session);
    Sim::Write(node, "PortalTag", portalTag);
    Sim::Write(node, "AdapterString", adapter);
    Sim::Write(node, "TargetString", target + "," + portalTag);
    Sim::Write(node, "PathString", adapter + "-" + target + "," + portalTag);
}

}  // namespace Storage
}  // namespace QorCtl
