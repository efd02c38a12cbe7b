// Hand-written behaviour of the distributed switch's stand-in: its ports (by
// state), its uplinks and the health checks it runs.
//
// Model layout: [DVSwitch <name>] with DvsId, UplinkNames and UplinkPorts
// (lists of the same length), VLANMTUCheck.* and TeamingCheck.*; [DVPort <id>]
// with "DVSwitch = <name>" and a State of active (the default), shadow or
// zombie.
#include <algorithm>
#include <map>

#include "hostctl/sim.h"
// The library's network headers, in the order their classes build on each other.
#include "hostctl/network/enums.h"
#include "hostctl/network/values.h"
#include "hostctl/network/records.h"
#include "hostctl/network/adapter_records.h"
#include "hostctl/network/switching.h"
#include "hostctl/network/switching_impl.h"
#include "hostctl/network/objects.h"
#include "hostctl/network/impl.h"
#include "hostctl/network/statics.h"
#include "hostctl/network/held.h"
#include "hostctl/network/dvs_values.h"
#include "hostctl/network/dvs.h"
#include "hostctl/network/stack_values.h"
#include "hostctl/network/stack.h"
#include "model_records.h"

namespace {

using HostCtl::Network::DVPortPtr;
using QorCtl::Sim::Node;
using QorCtl::Sim::NodeRef;
using QorCtl::Sim::Read;
using QorCtl::Sim::Write;
typedef std::vector<std::string> Texts;

// The switch's ports in one state.
std::vector<DVPortPtr> ports_in(const Node &owner, const char *operation, const std::string &state) {
    QorCtl::Sim::Enter(owner, operation);
    std::vector<DVPortPtr> ports;
    for (const auto &port : QorCtl::Sim::Members("DVPort", owner)) {
        std::string own = Read<std::string>(*port, "State");
        if ((own.empty() ? std::string("active") : own) == state) {
            ports.emplace_back(new QorCtl::Sim::Network::DVPortNode(port));
        }
    }
    return ports;
}

// A port of this switch, or the library's not-found failure.
NodeRef own_port(const Node &owner, const std::string &id) {
    NodeRef port = QorCtl::Sim::Find("DVPort", id);
    if (!port || Read<std::string>(*port, "DVSwitch") != owner.name) QorCtl::Sim::NotFound("DVPort", id);
    return port;
}

void set_check(Node &node, const char *operation, const std::string &check, bool enabled, uint32 interval) {
    QorCtl::Sim::Enter(node, operation);
    Write(node, (check + ".enabled").c_str(), enabled);
    Write(node, (check + ".interval").c_str(), interval);
}

void get_check(const Node &node, const char *operation, const std::string &check, bool &enabled, uint32 &interval) {
    QorCtl::Sim::Enter(node, operation);
    enabled = Read<bool>(node, (check + ".enabled").c_str());
    interval = Read<uint32>(node, (check + ".interval").c_str());
}

}  // namespace

namespace QorCtl {
namespace Network {

HostCtl::Network::DVSwitchPtr DVSwitchImpl::CreateDVSwitch(const std::string &name, const std::string &dvsId,
                                                          const std::string &, const std::string &, uint32 numPorts,
                                                          uint32 mtu, bool) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("DVSwitch", ""), "DVSwitch.CreateDVSwitch");
    if (QorCtl::Sim::Find("DVSwitch", name)) {
        throw HostCtl::Lib::HostCtlException("Distributed switch " + name + " already exists");
    }
    NodeRef node = QorCtl::Sim::FindOrAdd("DVSwitch", name);
    Write(*node, "DvsName", name);
    Write(*node, "DvsId", dvsId);
    Write(*node, "NumPorts", numPorts);
    Write(*node, "MTU", mtu);
    return HostCtl::Network::DVSwitchPtr(new DVSwitchImpl(node));
}

std::vector<DVPortPtr> DVSwitchImpl::GetDVPorts() { return ports_in(*node_, "DVSwitch.GetDVPorts", "active"); }

std::vector<DVPortPtr> DVSwitchImpl::GetShadowDVPorts() {
    return ports_in(*node_, "DVSwitch.GetShadowDVPorts", "shadow");
}

std::vector<DVPortPtr> DVSwitchImpl::GetZombieDVPorts() {
    return ports_in(*node_, "DVSwitch.GetZombieDVPorts", "zombie");
}

DVPortPtr DVSwitchImpl::AddDVPort(const std::string &id, const std::string &portgroup, uint32 connection) {
    QorCtl::Sim::Enter(*node_, "DVSwitch.AddDVPort");
    if (QorCtl::Sim::Find("DVPort", id)) throw HostCtl::Lib::HostCtlException("Port " + id + " already exists");
    NodeRef port = QorCtl::Sim::FindOrAdd("DVPort", id);
    Write(*port, "DVSwitch", node_->name);
    Write(*port, "DvsId", Read<std::string>(*node_, "DvsId"));
    Write(*port, "DvPortId", id);
    Write(*port, "DVPortgroupId", portgroup);
    Write(*port, "ConnectionId", connection);
    return DVPortPtr(new QorCtl::Sim::Network::DVPortNode(port));
}

void DVSwitchImpl::RemoveDVPort(const std::string &id) {
    QorCtl::Sim::Enter(*node_, "DVSwitch.RemoveDVPort");
    QorCtl::Network::Model::Forget(own_port(*node_, id));
}

void DVSwitchImpl::GetUplinkPorts(std::vector<std::string> &ports, std::vector<std::string> &names) {
    QorCtl::Sim::Enter(*node_, "DVSwitch.GetUplinkPorts");
    ports = Read<Texts>(*node_, "UplinkPorts");
    names = Read<Texts>(*node_, "UplinkNames");
}

// Each uplink is a port id and a name at the same position.
void DVSwitchImpl::SetUplinkPorts(std::vector<std::string> &ports, std::vector<std::string> &names) {
    QorCtl::Sim::Enter(*node_, "DVSwitch.SetUplinkPorts");
    if (ports.size() != names.size()) {
        throw HostCtl::Lib::HostCtlException("Every uplink port needs a name: " + std::to_string(ports.size()) +
                                             " ports, " + std::to_string(names.size()) + " names");
    }
    Write(*node_, "UplinkPorts", ports);
    Write(*node_, "UplinkNames", names);
}

void DVSwitchImpl::AddUplink(const std::string &name, HostCtl::Network::DVPortParam port) {
    QorCtl::Sim::Enter(*node_, "DVSwitch.AddUplink");
    Texts names = Read<Texts>(*node_, "UplinkNames");
    Texts ports = Read<Texts>(*node_, "UplinkPorts");
    if (std::find(names.begin(), names.end(), name) != names.end()) {
        throw HostCtl::Lib::HostCtlException("Uplink " + name + " already exists");
    }
    names.push_back(name);
    ports.push_back(port.portId);
    Write(*node_, "UplinkNames", names);
    Write(*node_, "UplinkPorts", ports);
}

void DVSwitchImpl::RemoveUplink(const std::string &name, bool) {
    QorCtl::Sim::Enter(*node_, "DVSwitch.RemoveUplink");
    Texts names = Read<Texts>(*node_, "UplinkNames");
    Texts ports = Read<Texts>(*node_, "UplinkPorts");
    auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) QorCtl::Sim::NotFound("uplink", name);
    size_t index = static_cast<size_t>(found - names.begin());
    names.erase(found);
    if (index < ports.size()) ports.erase(ports.begin() + static_cast<long>(index));
    Write(*node_, "UplinkNames", names);
    Write(*node_, "UplinkPorts", ports);
}

std::map<std::string, HostCtl::Network::DVPortParam> DVSwitchImpl::GetUplinkInfo() {
    QorCtl::Sim::Enter(*node_, "DVSwitch.GetUplinkInfo");
    Texts names = Read<Texts>(*node_, "UplinkNames");
    Texts ports = Read<Texts>(*node_, "UplinkPorts");
    std::map<std::string, HostCtl::Network::DVPortParam> info;
    for (size_t index = 0; index < names.size() && index < ports.size(); ++index) {
        HostCtl::Network::DVPortParam &param = info[names[index]];
        param.dvsId = Read<std::string>(*node_, "DvsId");
        param.portId = ports[index];
    }
    return info;
}

void DVSwitchImpl::GetDvsIpAddress(std::string &address) {
    QorCtl::Sim::Enter(*node_, "DVSwitch.GetDvsIpAddress");
    address = Read<std::string>(*node_, "DvsIpAddress");
}

void DVSwitchImpl::SetVLANMTUCheckCmd(bool enabled, uint32 interval) {
    set_check(*node_, "DVSwitch.SetVLANMTUCheckCmd", "VLANMTUCheck", enabled, interval);
}

void DVSwitchImpl::GetVLANMTUCheckCmd(bool &enabled, uint32 &interval) {
    get_check(*node_, "DVSwitch.GetVLANMTUCheckCmd", "VLANMTUCheck", enabled, interval);
}

void DVSwitchImpl::SetTeamingCheckCmd(bool enabled, uint32 interval) {
    set_check(*node_, "DVSwitch.SetTeamingCheckCmd", "TeamingCheck", enabled, interval);
}

void DVSwitchImpl::GetTeamingCheckCmd(bool &enabled, uint32 &interval) {
    get_check(*node_, "DVSwitch.GetTeamingCheckCmd", "TeamingCheck", enabled, interval);
}

}  // namespace Network
}  // namespace QorCtl
