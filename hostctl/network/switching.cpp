// Hand-written behaviour of the standard switches over the simulated host.
//
// A switch is a [VirtualSwitch name] node. Its port groups are [PortGroup name]
// nodes that name it ("VirtualSwitch = vSwitch0"); its ports are [Port id]
// nodes that name it and, unless they are an uplink's, their port group. Port
// group names are unique on the host. Policies are kept field by field; what a
// port group does not configure it takes from its switch, and what a switch
// does not configure from the library's defaults.
#include <algorithm>

#include "hostctl/network/enums.h"
#include "model_text.h"  // the value classes, before the records that hold them
#include "hostctl/network/records.h"
#include "hostctl/network/adapter_records.h"
#include "hostctl/network/statics.h"
#include "hostctl/network/switching.h"
#include "hostctl/network/switching_impl.h"
#include "hostctl/network/objects.h"
#include "hostctl/network/impl.h"

namespace {

using namespace QorCtl::Network::Model;
using HostCtl::Lib::HostCtlException;
using HostCtl::Network::NicCapabilities;
using HostCtl::Network::NicTeamingPolicy;
using HostCtl::Network::PortSecurityPolicy;
using HostCtl::Network::Portset;
using HostCtl::Network::ShapingPolicy;
using QorCtl::Network::PortGroupImpl;
using QorCtl::Network::VirtualSwitchImpl;
using QorCtl::Sim::NodeRef;
using QorCtl::Sim::Read;
using QorCtl::Sim::Write;

const unsigned kMaxVlanId = 4095;
const int kConnectionTypePortGroup = 1;

std::string SwitchName(const Node &group) { return Read<std::string>(group, "VirtualSwitch"); }

NodeRef SwitchOf(const Node &group) { return QorCtl::Sim::Find("VirtualSwitch", SwitchName(group)); }

NodeRef ExistingSwitch(const std::string &name) {
    NodeRef vswitch = QorCtl::Sim::Find("VirtualSwitch", name);
    if (!vswitch) QorCtl::Sim::NotFound("VirtualSwitch", name);
    return vswitch;
}

// The port groups and ports of a switch, and the ports of a port group.
std::vector<NodeRef> Owned(const char *kind, const char *owner_key, const std::string &owner) {
    std::vector<NodeRef> owned;
    for (const auto &node : QorCtl::Sim::All(kind)) {
        if (Read<std::string>(*node, owner_key) == owner) owned.push_back(node);
    }
    return owned;
}

std::vector<std::string> ClientsOf(const Node &group) {
    std::vector<std::string> clients;
    for (const auto &port : Owned("Port", "PortGroup", group.name)) {
        std::string client = Read<std::string>(*port, "ClientName");
        if (!client.empty()) clients.push_back(client);
    }
    return clients;
}

HostCtl::Network::PortGroupPtr GroupObject(const NodeRef &group) {
    return HostCtl::Network::PortGroupPtr(new PortGroupImpl(group));
}

HostCtl::Network::VirtualSwitchPtr SwitchObject(const NodeRef &vswitch) {
    return HostCtl::Network::VirtualSwitchPtr(new VirtualSwitchImpl(vswitch));
}

NodeRef AddGroup(const Node &vswitch, const std::string &name) {
    if (name.empty()) throw HostCtlException("a port group needs a name");
    if (QorCtl::Sim::Find("PortGroup", name)) throw HostCtlException("port group '" + name + "' already exists");
    NodeRef group = QorCtl::Sim::FindOrAdd("PortGroup", name);
    Write(*group, "VirtualSwitch", vswitch.name);
    return group;
}

// A port group with clients on its ports stays; otherwise it goes with its ports.
void RemoveGroup(const Node &group) {
    if (!ClientsOf(group).empty()) throw HostCtlException("port group '" + group.name + "' is in use");
    for (const auto &port : Owned("Port", "PortGroup", group.name)) QorCtl::Sim::Remove("Port", port->name);
    QorCtl::Sim::Remove("PortGroup", group.name);
}

NodeRef AddSwitch(const std::string &name, uint32 ports) {
    if (name.empty() || name.size() > static_cast<size_t>(Portset::MAX_VSNAME_SZ)) {
        throw HostCtlException("invalid virtual switch name '" + name + "'");
    }
    if (QorCtl::Sim::Find("VirtualSwitch", name) || QorCtl::Sim::Find("DVSwitch", name)) {
        throw HostCtlException("virtual switch '" + name + "' already exists");
    }
    if (ports < static_cast<uint32>(Portset::MIN_NUM_PORTS)) {
        throw HostCtlException("invalid number of ports " + std::to_string(ports));
    }
    NodeRef vswitch = QorCtl::Sim::FindOrAdd("VirtualSwitch", name);
    Write(*vswitch, "NumPorts", ports);
    return vswitch;
}

void SavePolicies(Node &node, const NicTeamingPolicy &teaming, const PortSecurityPolicy &security,
                  const ShapingPolicy &shaping, const NicCapabilities &capabilities) {
    Save(node, "TeamingPolicy", teaming);
    Save(node, "SecurityPolicy", security);
    Save(node, "ShapingPolicy", shaping);
    Save(node, "NicCapabilities", capabilities);
}

// A switch and everything on it; refused while a port group is in use.
void RemoveSwitch(const Node &vswitch) {
    auto groups = Owned("PortGroup", "VirtualSwitch", vswitch.name);
    for (const auto &group : groups) {
        if (!ClientsOf(*group).empty()) throw HostCtlException("port group '" + group->name + "' is in use");
    }
    for (const auto &group : groups) RemoveGroup(*group);
    for (const auto &port : Owned("Port", "VirtualSwitch", vswitch.name)) QorCtl::Sim::Remove("Port", port->name);
    QorCtl::Sim::Remove("VirtualSwitch", vswitch.name);
}

template <class P>
P Configured(const Node &node, const char *key) {
    P policy;
    Load(node, key, policy);
    return policy;
}

template <class P>
P SwitchPolicy(const Node &vswitch, const char *key) {
    P policy = Configured<P>(vswitch, key);
    policy.Derive(P::GetDefaultPolicy());
    return policy;
}

template <class P>
P GroupPolicy(const Node &group, const char *key) {
    P policy = Configured<P>(group, key);
    NodeRef vswitch = SwitchOf(group);
    policy.Derive(vswitch ? SwitchPolicy<P>(*vswitch, key) : P::GetDefaultPolicy());
    return policy;
}

void CheckShaping(const ShapingPolicy &policy) {
    if (!policy.FillValues().IsValid()) throw HostCtlException("invalid shaping policy");
}
void CheckPolicy(const ShapingPolicy &policy) { CheckShaping(policy); }
template <class P>
void CheckPolicy(const P &) {}

bool HasUplink(const Node &vswitch, const std::string &pnic) {
    auto uplinks = Read<std::vector<std::string>>(vswitch, "Uplinks");
    return std::find(uplinks.begin(), uplinks.end(), pnic) != uplinks.end();
}

}  // namespace

// ---- the switch information object -----------------------------------------------

HostCtl::Network::VirtualSwitchPtr QorCtl::Network::VirtualSwitchInfoImpl::AddVirtualSwitch(std::string const &p1,
                                                                                          uint32 p2) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitchInfo.AddVirtualSwitch");
    return SwitchObject(AddSwitch(p1, p2));
}

HostCtl::Network::VirtualSwitchPtr QorCtl::Network::VirtualSwitchInfoImpl::AddVirtualSwitchWithPolicy(
    NicTeamingPolicy const &p1, PortSecurityPolicy const &p2, ShapingPolicy const &p3, NicCapabilities const &p4,
    std::string const &p5, uint32 p6) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitchInfo.AddVirtualSwitchWithPolicy");
    CheckShaping(p3);
    NodeRef vswitch = AddSwitch(p5, p6);
    SavePolicies(*vswitch, p1, p2, p3, p4);
    return SwitchObject(vswitch);
}

void QorCtl::Network::VirtualSwitchInfoImpl::RemoveVirtualSwitch(std::string const &p1) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitchInfo.RemoveVirtualSwitch");
    RemoveSwitch(*ExistingSwitch(p1));
}

std::vector<std::unique_ptr<HostCtl::Network::Portset>> QorCtl::Network::VirtualSwitchInfoImpl::GetAllSwitches() {
    QorCtl::Sim::Enter(*node_, "VirtualSwitchInfo.GetAllSwitches");
    std::vector<std::unique_ptr<HostCtl::Network::Portset>> switches;
    for (const auto &vswitch : QorCtl::Sim::All("VirtualSwitch")) switches.emplace_back(new VirtualSwitchImpl(vswitch));
    return switches;
}

HostCtl::Network::VirtualSwitchPtr QorCtl::Network::VirtualSwitchInfoImpl::GetVirtualSwitchByName(
    std::string const &p1, HostCtl::Network::PortsetGetType) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitchInfo.GetVirtualSwitchByName");
    return SwitchObject(ExistingSwitch(p1));
}

bool QorCtl::Network::VirtualSwitchInfoImpl::SwitchExists(std::string const &p1) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitchInfo.SwitchExists");
    return QorCtl::Sim::Find("VirtualSwitch", p1) || QorCtl::Sim::Find("DVSwitch", p1) ||
           QorCtl::Sim::Find("OpaqueSwitch", p1);
}

bool QorCtl::Network::VirtualSwitchInfoImpl::IsDVSwitch(std::string const &p1) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitchInfo.IsDVSwitch");
    return QorCtl::Sim::Find("DVSwitch", p1) != nullptr;
}

// The standard switches are the legacy kind.
bool QorCtl::Network::VirtualSwitchInfoImpl::IsLegacySwitch(std::string const &p1) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitchInfo.IsLegacySwitch");
    return QorCtl::Sim::Find("VirtualSwitch", p1) != nullptr;
}

bool QorCtl::Network::VirtualSwitchInfoImpl::IsOpaqueSwitch(std::string const &p1) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitchInfo.IsOpaqueSwitch");
    return QorCtl::Sim::Find("OpaqueSwitch", p1) != nullptr;
}

// ---- every switch ------------------------------------------------------------------

void QorCtl::Network::PortsetImpl::Destroy() {
    QorCtl::Sim::Enter(*node_, "Portset.Destroy");
    RemoveSwitch(*node_);
}

uint32 QorCtl::Network::PortsetImpl::GetNumPorts() {
    QorCtl::Sim::Enter(*node_, "Portset.GetNumPorts");
    return ReadOr<uint32>(*node_, "NumPorts", Portset::DEF_NUM_PORTS);
}

void QorCtl::Network::PortsetImpl::SetNumPorts(uint32 p1) {
    QorCtl::Sim::Enter(*node_, "Portset.SetNumPorts");
    uint32 most = ReadOr<uint32>(*node_, "MaxNumPortsSystemWide", 4096);
    if (p1 < static_cast<uint32>(Portset::MIN_NUM_PORTS) || p1 > most) {
        throw HostCtlException("invalid number of ports " + std::to_string(p1));
    }
    Write(*node_, "NumPorts", p1);
}

uint32 QorCtl::Network::PortsetImpl::GetNumConfiguredPorts() {
    QorCtl::Sim::Enter(*node_, "Portset.GetNumConfiguredPorts");
    return ReadOr<uint32>(*node_, "NumPorts", Portset::DEF_NUM_PORTS);
}

uint32 QorCtl::Network::PortsetImpl::GetPortsInUse() {
    QorCtl::Sim::Enter(*node_, "Portset.GetPortsInUse");
    return static_cast<uint32>(Owned("Port", "VirtualSwitch", node_->name).size());
}

uint32 QorCtl::Network::PortsetImpl::GetPortsAvailable() {
    QorCtl::Sim::Enter(*node_, "Portset.GetPortsAvailable");
    uint32 ports = ReadOr<uint32>(*node_, "NumPorts", Portset::DEF_NUM_PORTS);
    uint32 used = static_cast<uint32>(Owned("Port", "VirtualSwitch", node_->name).size());
    return used < ports ? ports - used : 0;
}

void QorCtl::Network::PortsetImpl::SetUplinkVlanStatsEnabled(std::string const &p1, bool p2) {
    QorCtl::Sim::Enter(*node_, "Portset.SetUplinkVlanStatsEnabled");
    if (!HasUplink(*node_, p1)) throw HostCtlException("'" + p1 + "' is not an uplink of '" + node_->name + "'");
    Write(*node_, ("UplinkVlanStatsEnabled." + p1).c_str(), p2);
}

void QorCtl::Network::PortsetImpl::ActivateFastPath(bool, bool) {
    QorCtl::Sim::Enter(*node_, "Portset.ActivateFastPath");
    Write(*node_, "FastPathActivated", true);
}

void QorCtl::Network::PortsetImpl::DeactivateFastPath() {
    QorCtl::Sim::Enter(*node_, "Portset.DeactivateFastPath");
    Write(*node_, "FastPathActivated", false);
}

bool QorCtl::Network::PortsetImpl::IsValidVirtualSwitch(std::string const &p1) {
    EnterKind("Portset", "Portset.IsValidVirtualSwitch");
    return QorCtl::Sim::Find("VirtualSwitch", p1) != nullptr;
}

// ---- standard switches --------------------------------------------------------------

HostCtl::Network::PortGroupPtr QorCtl::Network::VirtualSwitchImpl::GetPortGroupByName(std::string const &p1) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.GetPortGroupByName");
    NodeRef group = QorCtl::Sim::Find("PortGroup", p1);
    if (!group || SwitchName(*group) != node_->name) QorCtl::Sim::NotFound("PortGroup", p1);
    return GroupObject(group);
}

HostCtl::Network::PortGroupPtr QorCtl::Network::VirtualSwitchImpl::AddPortGroup(std::string const &p1) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.AddPortGroup");
    return GroupObject(AddGroup(*node_, p1));
}

void QorCtl::Network::VirtualSwitchImpl::RemovePortGroup(std::string const &p1) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.RemovePortGroup");
    NodeRef group = QorCtl::Sim::Find("PortGroup", p1);
    if (!group || SwitchName(*group) != node_->name) QorCtl::Sim::NotFound("PortGroup", p1);
    RemoveGroup(*group);
}

// Get, GetConfigured and Set of one policy of a switch or a port group.
#define QOR_POLICY_OPERATIONS(Class, Kind, Effective, Policy, Name)                           \
    HostCtl::Network::Policy QorCtl::Network::Class::Get##Name() {                           \
        QorCtl::Sim::Enter(*node_, Kind ".Get" #Name);                                        \
        return Effective<HostCtl::Network::Policy>(*node_, #Name);                             \
    }                                                                                         \
    HostCtl::Network::Policy QorCtl::Network::Class::GetConfigured##Name() {                 \
        QorCtl::Sim::Enter(*node_, Kind ".GetConfigured" #Name);                              \
        return Configured<HostCtl::Network::Policy>(*node_, #Name);                            \
    }                                                                                         \
    void QorCtl::Network::Class::Set##Name(HostCtl::Network::Policy p1) {                    \
        QorCtl::Sim::Enter(*node_, Kind ".Set" #Name);                                        \
        CheckPolicy(p1);                                                                      \
        Save(*node_, #Name, p1);                                                              \
    }

QOR_POLICY_OPERATIONS(VirtualSwitchImpl, "VirtualSwitch", SwitchPolicy, PortSecurityPolicy, SecurityPolicy)
QOR_POLICY_OPERATIONS(VirtualSwitchImpl, "VirtualSwitch", SwitchPolicy, NicCapabilities, NicCapabilities)
QOR_POLICY_OPERATIONS(VirtualSwitchImpl, "VirtualSwitch", SwitchPolicy, ShapingPolicy, ShapingPolicy)
QOR_POLICY_OPERATIONS(VirtualSwitchImpl, "VirtualSwitch", SwitchPolicy, NicTeamingPolicy, TeamingPolicy)
QOR_POLICY_OPERATIONS(PortGroupImpl, "PortGroup", GroupPolicy, PortSecurityPolicy, SecurityPolicy)
QOR_POLICY_OPERATIONS(PortGroupImpl, "PortGroup", GroupPolicy, NicCapabilities, NicCapabilities)
QOR_POLICY_OPERATIONS(PortGroupImpl, "PortGroup", GroupPolicy, ShapingPolicy, ShapingPolicy)
QOR_POLICY_OPERATIONS(PortGroupImpl, "PortGroup", GroupPolicy, NicTeamingPolicy, TeamingPolicy)

#undef QOR_POLICY_OPERATIONS

// An adapter serves one switch at a time.
void QorCtl::Network::VirtualSwitchImpl::AddUplink(std::string const &p1, bool const) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.AddUplink");
    if (!QorCtl::Sim::Find("Pnic", p1)) QorCtl::Sim::NotFound("Pnic", p1);
    for (const auto &vswitch : QorCtl::Sim::All("VirtualSwitch")) {
        if (HasUplink(*vswitch, p1)) {
            throw HostCtlException("'" + p1 + "' is already an uplink of '" + vswitch->name + "'");
        }
    }
    auto uplinks = Read<std::vector<std::string>>(*node_, "Uplinks");
    uplinks.push_back(p1);
    Write(*node_, "Uplinks", uplinks);
}

void QorCtl::Network::VirtualSwitchImpl::RemoveUplink(std::string const &p1, bool) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.RemoveUplink");
    if (!HasUplink(*node_, p1)) throw HostCtlException("'" + p1 + "' is not an uplink of '" + node_->name + "'");
    auto uplinks = Read<std::vector<std::string>>(*node_, "Uplinks");
    uplinks.erase(std::find(uplinks.begin(), uplinks.end(), p1));
    Write(*node_, "Uplinks", uplinks);
}

void QorCtl::Network::VirtualSwitchImpl::UnsetBeaconInterval() {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.UnsetBeaconInterval");
    node_->properties.erase("BeaconInterval");
}

uint32 QorCtl::Network::VirtualSwitchImpl::GetBeaconInterval() {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.GetBeaconInterval");
    return ReadOr<uint32>(*node_, "BeaconInterval", Portset::DEF_BEACON_INTERVAL);
}

uint32 QorCtl::Network::VirtualSwitchImpl::GetBeaconThreshold() {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.GetBeaconThreshold");
    return ReadOr<uint32>(*node_, "BeaconThreshold", Portset::DEF_BEACON_THRESHOLD);
}

void QorCtl::Network::VirtualSwitchImpl::UnsetCdpStatus() {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.UnsetCdpStatus");
    node_->properties.erase("CdpStatus");
}

std::string QorCtl::Network::VirtualSwitchImpl::GetOverlayForIndex(uint8 p1) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.GetOverlayForIndex");
    return Read<std::string>(*node_, QorCtl::Sim::Indexed("OverlayForIndex", std::to_string(p1)).c_str());
}

void QorCtl::Network::VirtualSwitchImpl::SetOverlayForIndex(uint8 p1, std::string const &p2) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.SetOverlayForIndex");
    Write(*node_, QorCtl::Sim::Indexed("OverlayForIndex", std::to_string(p1)).c_str(), p2);
}

uint32 QorCtl::Network::VirtualSwitchImpl::GetMTU() {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.GetMTU");
    return ReadOr<uint32>(*node_, "MTU", Portset::DEF_MTU);
}

void QorCtl::Network::VirtualSwitchImpl::UnsetMTU() {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.UnsetMTU");
    node_->properties.erase("MTU");
}

void QorCtl::Network::VirtualSwitchImpl::UnsetNumPorts() {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.UnsetNumPorts");
    node_->properties.erase("NumPorts");
}

// The configured policies of the port groups given, or of every port group of
// the switch when none are given; the lists are replaced.
void QorCtl::Network::VirtualSwitchImpl::FetchNetPolicyForPortGroups(
    std::vector<HostCtl::Network::PortGroupPtr> const *p1, std::vector<NicTeamingPolicy> &p2,
    std::vector<PortSecurityPolicy> &p3, std::vector<ShapingPolicy> &p4, std::vector<NicCapabilities> &p5) {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.FetchNetPolicyForPortGroups");
    std::vector<HostCtl::Network::PortGroupPtr> own;
    if (!p1) {
        for (const auto &group : Owned("PortGroup", "VirtualSwitch", node_->name)) own.push_back(GroupObject(group));
        p1 = &own;
    }
    p2.clear();
    p3.clear();
    p4.clear();
    p5.clear();
    for (const auto &group : *p1) {
        if (!group) throw HostCtlException("an empty port group holder has no policies");
        p2.push_back(group->GetConfiguredTeamingPolicy());
        p3.push_back(group->GetConfiguredSecurityPolicy());
        p4.push_back(group->GetConfiguredShapingPolicy());
        p5.push_back(group->GetConfiguredNicCapabilities());
    }
}

HostCtl::Network::VirtualSwitchPtr QorCtl::Network::VirtualSwitchImpl::CreateVirtualSwitch(std::string const &p1,
                                                                                         uint32 p2) {
    EnterKind("VirtualSwitch", "VirtualSwitch.CreateVirtualSwitch");
    return SwitchObject(AddSwitch(p1, p2));
}

HostCtl::Network::VirtualSwitchPtr QorCtl::Network::VirtualSwitchImpl::CreateVirtualSwitchWithPolicy(
    std::string const &p1, uint32 p2, NicTeamingPolicy const &p3, PortSecurityPolicy const &p4,
    ShapingPolicy const &p5, NicCapabilities const &p6) {
    EnterKind("VirtualSwitch", "VirtualSwitch.CreateVirtualSwitchWithPolicy");
    CheckShaping(p5);
    NodeRef vswitch = AddSwitch(p1, p2);
    SavePolicies(*vswitch, p3, p4, p5, p6);
    return SwitchObject(vswitch);
}

std::string QorCtl::Network::VirtualSwitchImpl::GetCdpStatusString() {
    QorCtl::Sim::Enter(*node_, "VirtualSwitch.GetCdpStatusString");
    auto status = static_cast<unsigned>(Read<int>(*node_, "CdpStatus"));
    return status < 4 ? HostCtl::Network::CDP_STATUS[status] : std::string("unknown");
}

HostCtl::Network::CdpStatus QorCtl::Network::VirtualSwitchImpl::ParseCdpStatus(std::string const &p1) {
    EnterKind("VirtualSwitch", "VirtualSwitch.ParseCdpStatus");
    for (int status = 0; status < 4; ++status) {
        if (HostCtl::Network::CDP_STATUS[status] == p1) return static_cast<HostCtl::Network::CdpStatus>(status);
    }
    throw HostCtlException("invalid CDP status '" + p1 + "'");
}

// ---- port groups ----------------------------------------------------------------------

void QorCtl::Network::PortGroupImpl::SetVlanId(uint16 p1) {
    QorCtl::Sim::Enter(*node_, "PortGroup.SetVlanId");
    if (p1 > kMaxVlanId) throw HostCtlException("invalid VLAN id " + std::to_string(p1));
    Write(*node_, "VlanId", p1);
}

void QorCtl::Network::PortGroupImpl::UnsetVlanId() {
    QorCtl::Sim::Enter(*node_, "PortGroup.UnsetVlanId");
    node_->properties.erase("VlanId");
}

void QorCtl::Network::PortGroupImpl::GetConfiguredNetPolicy(NicTeamingPolicy &p1, PortSecurityPolicy &p2,
                                                            ShapingPolicy &p3, NicCapabilities &p4) {
    QorCtl::Sim::Enter(*node_, "PortGroup.GetConfiguredNetPolicy");
    p1 = Configured<NicTeamingPolicy>(*node_, "TeamingPolicy");
    p2 = Configured<PortSecurityPolicy>(*node_, "SecurityPolicy");
    p3 = Configured<ShapingPolicy>(*node_, "ShapingPolicy");
    p4 = Configured<NicCapabilities>(*node_, "NicCapabilities");
}

HostCtl::Network::VirtualSwitchPtr QorCtl::Network::PortGroupImpl::GetVirtualSwitch() {
    QorCtl::Sim::Enter(*node_, "PortGroup.GetVirtualSwitch");
    return SwitchObject(ExistingSwitch(SwitchName(*node_)));
}

void QorCtl::Network::PortGroupImpl::SetGuestVlanFilters(std::vector<HostCtl::Network::PortRange> p1) {
    QorCtl::Sim::Enter(*node_, "PortGroup.SetGuestVlanFilters");
    std::vector<std::pair<unsigned, unsigned>> ranges;
    for (const auto &range : p1) {
        CheckVlanRange(range.min, range.max);
        ranges.emplace_back(range.min, range.max);
    }
    WriteRanges(*node_, "GuestVlanFilters", ranges);
}

std::vector<HostCtl::Network::PortRange> QorCtl::Network::PortGroupImpl::GetGuestVlanFilters() {
    QorCtl::Sim::Enter(*node_, "PortGroup.GetGuestVlanFilters");
    std::vector<HostCtl::Network::PortRange> filters;
    for (const auto &range : ReadRanges(*node_, "GuestVlanFilters")) {
        HostCtl::Network::PortRange filter;
        filter.min = range.first;
        filter.max = range.second;
        filters.push_back(filter);
    }
    return filters;
}

uint32 QorCtl::Network::PortGroupImpl::GetActiveClients() {
    QorCtl::Sim::Enter(*node_, "PortGroup.GetActiveClients");
    return static_cast<uint32>(ClientsOf(*node_).size());
}

HostCtl::Network::PortGroupPtr QorCtl::Network::PortGroupImpl::CreatePortGroup(std::string const &p1,
                                                                             std::string const &p2) {
    EnterKind("PortGroup", "PortGroup.CreatePortGroup");
    return GroupObject(AddGroup(*ExistingSwitch(p2), p1));
}

HostCtl::Network::PortGroupPtr QorCtl::Network::PortGroupImpl::CreatePortGroupEx(
    std::string const &p1, std::string const &p2, NicTeamingPolicy const &p3, PortSecurityPolicy const &p4,
    ShapingPolicy const &p5, NicCapabilities const &p6) {
    EnterKind("PortGroup", "PortGroup.CreatePortGroupEx");
    CheckShaping(p5);
    NodeRef group = AddGroup(*ExistingSwitch(p2), p1);
    SavePolicies(*group, p3, p4, p5, p6);
    return GroupObject(group);
}

void QorCtl::Network::PortGroupImpl::Destroy() {
    QorCtl::Sim::Enter(*node_, "PortGroup.Destroy");
    RemoveGroup(*node_);
}

bool QorCtl::Network::PortGroupImpl::IsValidPortGroup(std::string const &p1) {
    EnterKind("PortGroup", "PortGroup.IsValidPortGroup");
    NodeRef group = QorCtl::Sim::Find("PortGroup", p1);
    return group && SwitchOf(*group);
}

std::vector<std::string> QorCtl::Network::PortGroupImpl::GetAllPortGroupNames() {
    QorCtl::Sim::Enter(*node_, "PortGroup.GetAllPortGroupNames");
    std::vector<std::string> names;
    for (const auto &group : QorCtl::Sim::All("PortGroup")) {
        if (SwitchOf(*group)) names.push_back(group->name);
    }
    return names;
}

std::string QorCtl::Network::PortGroupImpl::GetPortsetName() {
    QorCtl::Sim::Enter(*node_, "PortGroup.GetPortsetName");
    return SwitchName(*node_);
}

HostCtl::Network::PortsetPtr QorCtl::Network::PortGroupImpl::GetPortset() {
    QorCtl::Sim::Enter(*node_, "PortGroup.GetPortset");
    return HostCtl::Network::PortsetPtr(new VirtualSwitchImpl(ExistingSwitch(SwitchName(*node_))));
}

// Renaming keeps the group's ports in it.
void QorCtl::Network::PortGroupImpl::SetName(std::string const &p1) {
    QorCtl::Sim::Enter(*node_, "PortGroup.SetName");
    if (p1 == node_->name) return;
    if (p1.empty()) throw HostCtlException("a port group needs a name");
    if (QorCtl::Sim::Find("PortGroup", p1)) throw HostCtlException("port group '" + p1 + "' already exists");
    for (const auto &port : Owned("Port", "PortGroup", node_->name)) Write(*port, "PortGroup", p1);
    node_->name = p1;
}

bool QorCtl::Network::PortGroupImpl::IsInUse(std::vector<std::string> &p1) {
    QorCtl::Sim::Enter(*node_, "PortGroup.IsInUse");
    p1 = ClientsOf(*node_);
    return !p1.empty();
}

bool QorCtl::Network::PortGroupImpl::IsInUse() {
    QorCtl::Sim::Enter(*node_, "PortGroup.IsInUse");
    return !ClientsOf(*node_).empty();
}

// Valid while the model still has the group on an existing switch.
bool QorCtl::Network::PortGroupImpl::IsValid() {
    QorCtl::Sim::Enter(*node_, "PortGroup.IsValid");
    return QorCtl::Sim::Find("PortGroup", node_->name) == node_ && SwitchOf(*node_);
}

int QorCtl::Network::PortGroupImpl::GetType() {
    QorCtl::Sim::Enter(*node_, "PortGroup.GetType");
    return kConnectionTypePortGroup;
}

std::string QorCtl::Network::PortGroupImpl::GetPortGroupName() {
    QorCtl::Sim::Enter(*node_, "PortGroup.GetPortGroupName");
    return node_->name;
}
