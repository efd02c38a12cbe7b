// Hand-written behaviour of the host network stack's stand-in: kernel
// interfaces and their cached state, stack instances, routes, neighbours,
// DNS and IPsec over the simulated host.
//
// Model layout: [QorNic <name>] per kernel interface (PortGroupName,
// MacAddress, Ipv4Address, Ipv4Netmask, Ipv6Networks, UseDhcp, Tags,
// NetstackInstanceKey ...); [NetstackInstance <key>], [RoutingInfo <key>] and
// [DnsConfig <key>] per stack instance; routes, neighbours and connections as
// nodes of their record's kind with a "Netstack" property; IPsec policies and
// associations as [IpSecSpd <spName>] and [IpSecSad <saName>].
#include <algorithm>
#include <sstream>

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

using HostCtl::Network::IpAddress;
using HostCtl::Network::IpConfig;
using HostCtl::Network::Ipv4Address;
using HostCtl::Network::Ipv4Network;
using HostCtl::Network::Ipv6Address;
using HostCtl::Network::Ipv6Network;
using HostCtl::Network::MacAddress;
using HostCtl::Network::QorNicPtr;
using QorCtl::Network::QorNicImpl;
using QorCtl::Sim::Node;
using QorCtl::Sim::NodeRef;
using QorCtl::Sim::Read;
using QorCtl::Sim::Write;
namespace Model = QorCtl::Network::Model;

typedef std::vector<std::string> Texts;

// States of a stack instance as the library reports them.
const uint32 kStackNotFound = 1;
const uint32 kStackReady = 4660;

using QorCtl::Sim::Enter;

Texts texts(const Node &node, const char *key) { return Read<Texts>(node, key); }

bool contains(const Texts &items, const std::string &item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

void append_once(Node &node, const char *key, const std::string &item) {
    Texts items = texts(node, key);
    if (!contains(items, item)) items.push_back(item);
    Write(node, key, items);
}

// Removes `item`; false when the list did not have it.
bool remove_item(Node &node, const char *key, const std::string &item) {
    Texts items = texts(node, key);
    auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) return false;
    items.erase(found);
    Write(node, key, items);
    return true;
}

// ---- kernel interfaces ------------------------------------------------------

IpConfig ip_config_of(const Node &node) {
    IpConfig config;
    if (Read<bool>(node, "UseDhcp")) {
        config.SetUseDhcp(true);
    } else if (!Read<std::string>(node, "Ipv4Address").empty()) {
        config.SetIpv4Address(Read<Ipv4Address>(node, "Ipv4Address"));
        config.SetIpv4Netmask(Read<Ipv4Address>(node, "Ipv4Netmask"));
    } else {
        config.SetIpv4UseNone();
    }
    for (const auto &text : texts(node, "Ipv6Networks")) {
        config.EnableIpv6();
        config.AddIpv6Network(Ipv6Network(text));
    }
    return config;
}

void write_ipv4_config(Node &node, const IpConfig &config) {
    Write(node, "UseDhcp", config.GetUseDhcp());
    if (config.GetUseDhcp() || config.GetIpv4UseNone()) {
        node.properties.erase("Ipv4Address");
        node.properties.erase("Ipv4Netmask");
        return;
    }
    Write(node, "Ipv4Address", config.GetIpv4Address().GetStringAddress());
    Write(node, "Ipv4Netmask", config.GetIpv4Netmask().GetStringAddress());
}

void write_ip_config(Node &node, const IpConfig &config) {
    write_ipv4_config(node, config);
    Texts networks;
    for (const auto &network : config.GetIpv6Network()) networks.push_back(network.GetStringAddress());
    Write(node, "Ipv6Networks", networks);
}

void set_flag(Node &node, const char *operation, const char *key, bool value) {
    Enter(node, operation);
    QorCtl::Sim::Record(node, operation);
    Write(node, key, value);
}

void set_enabled(Node &node, const char *operation, bool enabled) { set_flag(node, operation, "Enabled", enabled); }

void destroy_interface(const NodeRef &node) {
    Enter(*node, "QorNic.Destroy");
    Model::Forget(node);
}

std::vector<int> tags_of(const Node &node) {
    std::vector<int> tags;
    for (const auto &text : texts(node, "Tags")) tags.push_back(std::stoi(text));
    return tags;
}

bool has_tag(const Node &node, int tag) {
    const std::vector<int> tags = tags_of(node);
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

// The port group an interface is plugged into, as the model names it.
HostCtl::Network::PortGroupPtr port_group_of(const Node &node) {
    Enter(node, "QorNic.GetPortGroup");
    std::string name = Read<std::string>(node, "PortGroupName");
    return HostCtl::Network::PortGroupPtr(new QorCtl::Network::PortGroupImpl(Model::Existing("PortGroup", name)));
}

std::string name_of(const HostCtl::Network::ConnectionPoint *point, const char *operation) {
    if (!point) throw HostCtl::Lib::HostCtlException(std::string(operation) + ": no connection point given");
    return point->GetName();
}

// A new kernel interface: named `name`, or the first free "knicN" when the
// name is empty; an interface of that name already there is refused.
QorNicPtr add_interface(const char *operation, const std::string &portGroup, std::string name,
                        const IpConfig &config, const MacAddress &mac, uint32 mtu, const std::string &stack) {
    Enter(*QorCtl::Sim::FindOrAdd("QorKernelNicInfo", ""), operation);
    for (int index = 0; name.empty(); ++index) {
        std::string candidate = "knic" + std::to_string(index);
        if (!QorCtl::Sim::Find("QorNic", candidate)) name = candidate;
    }
    if (QorCtl::Sim::Find("QorNic", name)) {
        throw HostCtl::Lib::HostCtlException("Interface " + name + " already exists");
    }
    NodeRef node = QorCtl::Sim::FindOrAdd("QorNic", name);
    Write(*node, "PortGroupName", portGroup);
    MacAddress chosen = mac.IsValid() ? mac : QorCtl::Network::MacAddressGenerator::GetSingleton()->GenerateQorNicMacAddr(name);
    Write(*node, "MacAddress", chosen.GetStringAddress());
    Write(*node, "Mtu", mtu);
    Write(*node, "Type", 1);
    Write(*node, "Enabled", true);
    Write(*node, "NetstackInstanceKey", stack.empty() ? std::string(Model::kDefaultStack) : stack);
    write_ip_config(*node, config);
    return QorNicPtr(new QorNicImpl(node));
}

// The kernel interfaces on a stack instance.
std::vector<NodeRef> interfaces_on(const std::string &stack) {
    std::vector<NodeRef> found;
    for (const auto &node : QorCtl::Sim::All("QorNic")) {
        std::string key = Read<std::string>(*node, "NetstackInstanceKey");
        if ((key.empty() ? std::string(Model::kDefaultStack) : key) == stack) found.push_back(node);
    }
    return found;
}

std::vector<QorNicPtr> interfaces_where(const std::vector<NodeRef> &nodes, bool (*keep)(const Node &, int), int value) {
    std::vector<QorNicPtr> found;
    for (const auto &node : nodes) {
        if (keep(*node, value)) found.emplace_back(new QorNicImpl(node));
    }
    return found;
}

bool of_type(const Node &node, int type) { return Read<int>(node, "QorNicType") == type; }
bool any_interface(const Node &, int) { return true; }

// The interface plugged into the connection point named `point` on `stack`.
std::string interface_at(const std::string &point, const std::string &stack) {
    for (const auto &node : interfaces_on(stack)) {
        if (Read<std::string>(*node, "PortGroupName") == point) return node->name;
    }
    return std::string();
}

// ---- name server and search-domain lists ------------------------------------

bool is_ipv6(const std::string &text) { return text.find(':') != std::string::npos; }

template <class Address>
std::vector<Address> servers_of(const Node &node, bool ipv6) {
    std::vector<Address> found;
    for (const auto &text : texts(node, "NameServers")) {
        if (is_ipv6(text) == ipv6) found.emplace_back(text);
    }
    return found;
}

Texts words_of(const std::string &text) {
    Texts words;
    std::istringstream stream(text);
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

// ---- routes, neighbours and connections -------------------------------------

template <class R>
std::vector<R> records_on(const char *kind, const std::string &stack) {
    std::vector<R> found;
    for (const auto &node : Model::OnStack(kind, stack)) found.push_back(Model::RecordOf<R>(*node));
    return found;
}

template <class Network, class Gateway>
void add_route(const Node &owner, const char *operation, const char *kind, const Network &network,
               const Gateway &gateway) {
    Enter(owner, operation);
    std::string name = owner.name + " " + network.GetStringAddress();
    if (QorCtl::Sim::Find(kind, name)) {
        throw HostCtl::Lib::HostCtlException("Route to " + network.GetStringAddress() + " already exists");
    }
    NodeRef node = QorCtl::Sim::FindOrAdd(kind, name);
    Write(*node, "Netstack", owner.name);
    Write(*node, "network", network.GetStringAddress());
    Write(*node, "gateway", gateway.GetStringAddress());
}

template <class Route, class Network, class Gateway>
void remove_route(const Node &owner, const char *operation, const char *kind, const Network &network,
                  const Gateway &gateway) {
    Enter(owner, operation);
    for (const auto &node : Model::OnStack(kind, owner.name)) {
        Route route = Model::RecordOf<Route>(*node);
        if (route.network.GetStringAddress() == network.GetStringAddress() &&
            route.gateway.GetStringAddress() == gateway.GetStringAddress()) {
            Model::Forget(node);
            return;
        }
    }
    throw HostCtl::Lib::HostCtlException("No route to " + network.GetStringAddress() + " via " +
                                         gateway.GetStringAddress());
}

bool ipv4_route_reaches(const HostCtl::Network::Ipv4Route &route, const Ipv4Address &address) {
    uint32 mask = route.network.GetNetmask().GetBinaryAddress();
    return (address.GetBinaryAddress() & mask) == (route.network.GetNetwork().GetBinaryAddress() & mask);
}

bool ipv6_route_reaches(const HostCtl::Network::Ipv6Route &route, const Ipv6Address &address) {
    HostCtl::Network::Ipv6_addr mask = Ipv6Network::NetmaskFromNumber(route.network.GetNetmask()).GetBinaryAddress();
    HostCtl::Network::Ipv6_addr wanted = address.GetBinaryAddress();
    HostCtl::Network::Ipv6_addr network = route.network.GetAddress().GetBinaryAddress();
    for (int word = 0; word < 4; ++word) {
        if ((wanted.addr[word] & mask.addr[word]) != (network.addr[word] & mask.addr[word])) return false;
    }
    return true;
}

// A local route is one without a gateway: the network is on a link of the host.
template <class Route, class Address>
bool has_local_route(const Node &owner, const char *kind, const Address &address,
                     bool (*reaches)(const Route &, const Address &)) {
    for (const auto &route : records_on<Route>(kind, owner.name)) {
        if (route.gateway.IsAllzeroAddress() && reaches(route, address)) return true;
    }
    return false;
}

// Connections of a stack instance: every one, or those of one protocol.
void connections_of(std::vector<HostCtl::Network::TcpIpConnection> &out, const Node &owner, const char *operation,
                    const std::string &stack, const char *protocol) {
    Enter(owner, operation);
    out.clear();
    for (const auto &node : Model::OnStack("TcpIpConnection", stack)) {
        if (!protocol || Read<std::string>(*node, "Protocol") == protocol) {
            out.push_back(Model::RecordOf<HostCtl::Network::TcpIpConnection>(*node));
        }
    }
}

// ---- IPsec -------------------------------------------------------------------

template <class Param>
void store_addresses(Node &node, const Param &param) {
    Model::StoreRecord(param, node);
    Write(node, "srcAddr", param.srcAddr.GetStringAddress());
    Write(node, "dstAddr", param.dstAddr.GetStringAddress());
}

template <class Param>
std::vector<Param> all_of(const char *kind) {
    std::vector<Param> found;
    for (const auto &node : QorCtl::Sim::All(kind)) found.push_back(Model::RecordOf<Param>(*node));
    return found;
}

void remove_all(const char *kind) {
    for (const auto &node : QorCtl::Sim::All(kind)) Model::Forget(node);
}

// The position of `text` in one of the library's name tables; an unknown
// name is the table's last entry, "unknown".
template <size_t N>
int index_in(const std::string (&names)[N], const std::string &text) {
    for (size_t index = 0; index + 1 < N; ++index) {
        if (names[index] == text) return static_cast<int>(index);
    }
    return static_cast<int>(N - 1);
}

}  // namespace

namespace QorCtl {
namespace Network {

// ---- NetworkInfoImpl ---------------------------------------------------------

HostCtl::Network::NetworkInterfacePtr NetworkInfoImpl::GetManagementInterface() {
    Enter(*node_, "NetworkInfo.GetManagementInterface");
    std::string name = Read<std::string>(*node_, "ManagementInterface");
    return HostCtl::Network::NetworkInterfacePtr(new QorNicImpl(Model::Existing("QorNic", name)));
}

void NetworkInfoImpl::SetManagementInterface(HostCtl::Network::NetworkInterface *nic) {
    Enter(*node_, "NetworkInfo.SetManagementInterface");
    if (!nic) throw HostCtl::Lib::HostCtlException("No management interface given");
    Write(*node_, "ManagementInterface", nic->GetInterfaceName());
}

bool NetworkInfoImpl::IsQorIpv6GlobalRouterAdvEnabled(const std::string &stack) {
    Enter(*node_, "NetworkInfo.IsQorIpv6GlobalRouterAdvEnabled");
    return Read<bool>(*node_, QorCtl::Sim::Indexed("QorIpv6GlobalRouterAdvEnabled", stack).c_str());
}

void NetworkInfoImpl::SetQorIpv6GlobalRouterAdvEnabled(bool enabled, const std::string &stack) {
    Enter(*node_, "NetworkInfo.SetQorIpv6GlobalRouterAdvEnabled");
    Write(*node_, QorCtl::Sim::Indexed("QorIpv6GlobalRouterAdvEnabled", stack).c_str(), enabled);
}

void NetworkInfoImpl::GetCurrentIpQorkernelConnections(std::vector<HostCtl::Network::TcpIpConnection> &out,
                                                        const std::string &stack) {
    connections_of(out, *node_, "NetworkInfo.GetCurrentIpQorkernelConnections", stack, nullptr);
}

void NetworkInfoImpl::GetCurrentTcpQorkernelConnections(std::vector<HostCtl::Network::TcpIpConnection> &out,
                                                         const std::string &stack) {
    connections_of(out, *node_, "NetworkInfo.GetCurrentTcpQorkernelConnections", stack, "tcp");
}

void NetworkInfoImpl::GetCurrentUdpQorkernelConnections(std::vector<HostCtl::Network::TcpIpConnection> &out,
                                                         const std::string &stack) {
    connections_of(out, *node_, "NetworkInfo.GetCurrentUdpQorkernelConnections", stack, "udp");
}

// Adding an instance makes its routing and resolver configuration too.
bool NetworkInfoImpl::AddNetstackInstance(HostCtl::Network::NetstackInstance *instance, bool) {
    Enter(*node_, "NetworkInfo.AddNetstackInstance");
    if (!instance) throw HostCtl::Lib::HostCtlException("No network stack instance given");
    std::string key = instance->GetKey();
    if (QorCtl::Sim::Find("NetstackInstance", key)) {
        throw HostCtl::Lib::HostCtlException("Netstack instance " + key + " already exists");
    }
    Node &added = *QorCtl::Sim::FindOrAdd("NetstackInstance", key);
    Write(added, "MaxConnections", instance->GetMaxConnections());
    Write(added, "CongestionControlAlgorithm", instance->GetCongestionControlAlgorithm());
    Write(added, "Ipv6Enabled", instance->GetIpv6Enabled());
    Write(added, "EcnStatus", instance->GetEcnStatus());
    Write(added, "State", kStackReady);
    Write(added, "Enabled", true);
    Write(*QorCtl::Sim::FindOrAdd("RoutingInfo", key), "NetstackInstanceKey", key);
    Write(*QorCtl::Sim::FindOrAdd("DnsConfig", key), "NetstackInstanceKey", key);
    return true;
}

bool NetworkInfoImpl::AddNetstackInstance(HostCtl::Network::NetstackInstance *instance) {
    return AddNetstackInstance(instance, false);
}

// The default instance cannot go; its interfaces' stack stays named.
bool NetworkInfoImpl::RemoveNetstackInstance(const std::string &key, bool) {
    Enter(*node_, "NetworkInfo.RemoveNetstackInstance");
    if (key == Model::kDefaultStack) {
        throw HostCtl::Lib::HostCtlException("The default netstack instance cannot be removed");
    }
    NodeRef instance = QorCtl::Sim::Find("NetstackInstance", key);
    if (!instance) return false;
    Model::Forget(instance);
    for (const char *kind : {"RoutingInfo", "DnsConfig"}) {
        if (NodeRef part = QorCtl::Sim::Find(kind, key)) Model::Forget(part);
    }
    return true;
}

bool NetworkInfoImpl::RemoveNetstackInstance(const std::string &key) { return RemoveNetstackInstance(key, false); }

// Unlike GetNetstackInstanceByKey, a look-up of a missing instance is empty.
HostCtl::Network::NetstackInstancePtr NetworkInfoImpl::LookupNetstackInstanceByKey(const std::string &key) {
    Enter(*node_, "NetworkInfo.LookupNetstackInstanceByKey");
    NodeRef instance = QorCtl::Sim::Find("NetstackInstance", key);
    return HostCtl::Network::NetstackInstancePtr(instance ? new NetstackInstanceImpl(instance) : nullptr);
}

HostCtl::Network::NetstackInstancePtr NetworkInfoImpl::GetDefaultNetstackInstance() {
    Enter(*node_, "NetworkInfo.GetDefaultNetstackInstance");
    return HostCtl::Network::NetstackInstancePtr(
        new NetstackInstanceImpl(Model::Existing("NetstackInstance", Model::kDefaultStack)));
}

uint32 NetworkInfoImpl::GetNetstackInstanceState(const std::string &key) {
    Enter(*node_, "NetworkInfo.GetNetstackInstanceState");
    NodeRef instance = QorCtl::Sim::Find("NetstackInstance", key);
    if (!instance) return kStackNotFound;
    uint32 state = Read<uint32>(*instance, "State");
    return state ? state : kStackReady;
}

void NetworkInfoImpl::GetNetDumperParams(std::string &interface, std::string &server, int &port, bool &enabled) {
    Enter(*node_, "NetworkInfo.GetNetDumperParams");
    interface = Read<std::string>(*node_, "NetDumpInterface");
    server = Read<std::string>(*node_, "NetDumpServer");
    port = Read<int>(*node_, "NetDumpPort");
    enabled = Read<bool>(*node_, "NetDumperEnabled");
}

void NetworkInfoImpl::GetNetDumpServerIpv4(Ipv4Address &server) {
    Enter(*node_, "NetworkInfo.GetNetDumpServerIpv4");
    std::string text = Read<std::string>(*node_, "NetDumpServer");
    if (is_ipv6(text)) throw HostCtl::Lib::HostCtlException("The network dump server " + text + " is not IPv4");
    server = text.empty() ? Ipv4Address() : Ipv4Address(text);
}

void NetworkInfoImpl::SetNetDumperParams(const std::string &interface, const Ipv4Address &server, int const port) {
    Enter(*node_, "NetworkInfo.SetNetDumperParams");
    Write(*node_, "NetDumpInterface", interface);
    Write(*node_, "NetDumpServer", server.GetStringAddress());
    Write(*node_, "NetDumpPort", port);
}

void NetworkInfoImpl::SetNetDumperParams(const std::string &interface, const Ipv6Address &server, int const port) {
    Enter(*node_, "NetworkInfo.SetNetDumperParams");
    Write(*node_, "NetDumpInterface", interface);
    Write(*node_, "NetDumpServer", server.GetStringAddress());
    Write(*node_, "NetDumpPort", port);
}

void NetworkInfoImpl::EnableNetDumper() { set_flag(*node_, "NetworkInfo.EnableNetDumper", "NetDumperEnabled", true); }

void NetworkInfoImpl::DisableNetDumper() {
    set_flag(*node_, "NetworkInfo.DisableNetDumper", "NetDumperEnabled", false);
}

HostCtl::Network::NetworkInterfacePtr NetworkInfoImpl::SelectManagementInterface() {
    return GetManagementInterface();
}

HostCtl::Network::NetworkInterfacePtr NetworkInfoImpl::GetInterfaceByName(const std::string &name) {
    Enter(*node_, "NetworkInfo.GetInterfaceByName");
    return HostCtl::Network::NetworkInterfacePtr(new QorNicImpl(Model::Existing("QorNic", name)));
}

// ---- QorNicImpl: the cached members -------------------------------------------
// The interface name, port group and MAC address are read from the object's
// own copies; a stale object refreshes them once, on the next read.

namespace {
template <class T>
T fresh(QorNicImpl &nic, const T &member) {
    if (nic.stale) {
        nic.Refresh();
        nic.stale = false;
    }
    return member;
}
}  // namespace

void QorNicImpl::Refresh() {
    Enter(*node_, "QorNic.Refresh");
    QorCtl::Sim::Record(*node_, "QorNic.Refresh");
    interfaceName = node_->name;
    portGroupName = Read<std::string>(*node_, "PortGroupName");
    std::string mac = Read<std::string>(*node_, "MacAddress");
    macAddress = mac.empty() ? MacAddress() : MacAddress(mac);
}

std::string QorNicImpl::GetInterfaceName() {
    Enter(*node_, "QorNic.GetInterfaceName");
    return fresh(*this, interfaceName);
}

std::string QorNicImpl::GetPortGroupName() {
    Enter(*node_, "QorNic.GetPortGroupName");
    return fresh(*this, portGroupName);
}

MacAddress QorNicImpl::GetMacAddress() {
    Enter(*node_, "QorNic.GetMacAddress");
    return fresh(*this, macAddress);
}

HostCtl::Network::PortGroupPtr QorNicImpl::GetPortGroup() { return port_group_of(*node_); }

// Changing a cached member through the object leaves its copy stale.
void QorNicImpl::SetMacAddress(MacAddress mac) {
    Enter(*node_, "QorNic.SetMacAddress");
    Write(*node_, "MacAddress", mac.GetStringAddress());
    stale = true;
}

void QorNicImpl::SetPortGroup(const std::string &portGroup) {
    Enter(*node_, "QorNic.SetPortGroup");
    Write(*node_, "PortGroupName", portGroup);
    stale = true;
}

void QorNicImpl::SetConnectionPoint(HostCtl::Network::ConnectionPoint *point, bool) {
    Enter(*node_, "QorNic.SetConnectionPoint");
    Write(*node_, "PortGroupName", name_of(point, "QorNic.SetConnectionPoint"));
    stale = true;
}

void QorNicImpl::SetMacAddressFromPnic(HostCtl::Network::Pnic *pnic) {
    Enter(*node_, "QorNic.SetMacAddressFromPnic");
    if (!pnic) throw HostCtl::Lib::HostCtlException("No adapter given to take the MAC address from");
    Write(*node_, "MacAddress", pnic->GetMacAddress().GetStringAddress());
    stale = true;
}

void QorNicImpl::SetMacAddressAutoGenerate() {
    Enter(*node_, "QorNic.SetMacAddressAutoGenerate");
    Write(*node_, "MacAddress", MacAddressGenerator::GetSingleton()->GenerateQorNicMacAddr(node_->name).GetStringAddress());
    stale = true;
}

// ---- QorNicImpl: configuration ---------------------------------------------------

IpConfig QorNicImpl::GetIpConfig() {
    Enter(*node_, "QorNic.GetIpConfig");
    return ip_config_of(*node_);
}

IpConfig QorNicImpl::GetConfiguredIpConfig() {
    Enter(*node_, "QorNic.GetConfiguredIpConfig");
    return ip_config_of(*node_);
}

void QorNicImpl::SetIpConfig(IpConfig config) {
    Enter(*node_, "QorNic.SetIpConfig");
    write_ip_config(*node_, config);
}

void QorNicImpl::SetIpv4Config(IpConfig config) {
    Enter(*node_, "QorNic.SetIpv4Config");
    write_ipv4_config(*node_, config);
}

void QorNicImpl::AddIpv6Address(Ipv6Network network, bool) {
    Enter(*node_, "QorNic.AddIpv6Address");
    append_once(*node_, "Ipv6Networks", network.GetStringAddress());
}

void QorNicImpl::RemoveIpv6Address(Ipv6Network network, bool) {
    Enter(*node_, "QorNic.RemoveIpv6Address");
    if (!remove_item(*node_, "Ipv6Networks", network.GetStringAddress())) {
        throw HostCtl::Lib::HostCtlException("Address " + network.GetStringAddress() + " is not configured on " +
                                             node_->name);
    }
}

void QorNicImpl::Enable() { set_enabled(*node_, "QorNic.Enable", true); }

void QorNicImpl::Disable() { set_enabled(*node_, "QorNic.Disable", false); }

void QorNicImpl::Destroy() { destroy_interface(node_); }

void QorNicImpl::GetTags(std::vector<HostCtl::Network::QorNicTagType> &tags) {
    Enter(*node_, "QorNic.GetTags");
    tags.clear();
    for (int tag : tags_of(*node_)) tags.push_back(static_cast<HostCtl::Network::QorNicTagType>(tag));
}

void QorNicImpl::AddTag(HostCtl::Network::QorNicTagType const tag, bool) {
    Enter(*node_, "QorNic.AddTag");
    append_once(*node_, "Tags", std::to_string(static_cast<int>(tag)));
}

void QorNicImpl::RemoveTag(HostCtl::Network::QorNicTagType const tag) {
    Enter(*node_, "QorNic.RemoveTag");
    remove_item(*node_, "Tags", std::to_string(static_cast<int>(tag)));
}

bool QorNicImpl::HasTag(HostCtl::Network::QorNicTagType const tag) {
    Enter(*node_, "QorNic.HasTag");
    return has_tag(*node_, static_cast<int>(tag));
}

QorNicPtr QorNicImpl::CreateQorNic(const std::string &portGroup, const std::string &name, const IpConfig &config,
                                   const MacAddress &mac, uint32 mtu, uint32, uint32, const std::string &stack, bool) {
    return add_interface("QorNic.CreateQorNic", portGroup, name, config, mac, mtu, stack);
}

QorNicPtr QorNicImpl::CreateQorNic(HostCtl::Network::ConnectionPoint *point, const std::string &name,
                                   const IpConfig &config, const MacAddress &mac, uint32 mtu, uint32, uint32,
                                   const std::string &stack, bool) {
    return add_interface("QorNic.CreateQorNic", name_of(point, "QorNic.CreateQorNic"), name, config, mac, mtu,
                         stack);
}

QorNicPtr QorNicImpl::CreateQorNic(HostCtl::Network::ConnectionPoint *point, const std::string &name,
                                   const IpConfig &config, HostCtl::Network::Pnic *pnic, uint32 mtu, uint32, uint32,
                                   const std::string &stack, bool) {
    MacAddress mac = pnic ? pnic->GetMacAddress() : MacAddress();
    return add_interface("QorNic.CreateQorNic", name_of(point, "QorNic.CreateQorNic"), name, config, mac, mtu,
                         stack);
}

bool QorNicImpl::QorNicExists(const std::string &name, const std::string &portGroup) {
    Enter(*node_, "QorNic.QorNicExists");
    NodeRef nic = QorCtl::Sim::Find("QorNic", name);
    return nic && Read<std::string>(*nic, "PortGroupName") == portGroup;
}

bool QorNicImpl::QorNicExists(const std::string &name, HostCtl::Network::ConnectionPoint *point) {
    return QorNicExists(name, name_of(point, "QorNic.QorNicExists"));
}

bool QorNicImpl::QorNicConfigExists(HostCtl::Network::ConnectionPoint *point, const std::string &stack) {
    Enter(*node_, "QorNic.QorNicConfigExists");
    return !interface_at(name_of(point, "QorNic.QorNicConfigExists"), stack).empty();
}

// ---- QorKernelNicInfoImpl ----------------------------------------------------------

QorNicPtr QorKernelNicInfoImpl::AddQorKernelNic(const std::string &portGroup, const std::string &name,
                                                const IpConfig &config, const MacAddress &mac, uint32 mtu, uint32,
                                                uint32, const std::string &stack, bool) {
    return add_interface("QorKernelNicInfo.AddQorKernelNic", portGroup, name, config, mac, mtu, stack);
}

QorNicPtr QorKernelNicInfoImpl::AddQorKernelNic(HostCtl::Network::ConnectionPoint *point, const std::string &name,
                                                const IpConfig &config, const MacAddress &mac, uint32 mtu, uint32,
                                                uint32, const std::string &stack, bool) {
    return add_interface("QorKernelNicInfo.AddQorKernelNic", name_of(point, "QorKernelNicInfo.AddQorKernelNic"),
                         name, config, mac, mtu, stack);
}

void QorKernelNicInfoImpl::RemoveQorKernelNic(const std::string &, const std::string &name) {
    Enter(*node_, "QorKernelNicInfo.RemoveQorKernelNic");
    destroy_interface(Model::Existing("QorNic", name));
}

void QorKernelNicInfoImpl::RemoveQorKernelNic(HostCtl::Network::ConnectionPoint *point, const std::string &name) {
    RemoveQorKernelNic(name_of(point, "QorKernelNicInfo.RemoveQorKernelNic"), name);
}

void QorKernelNicInfoImpl::GetQorkernelNicNamesByInstanceKey(std::vector<std::string> &names,
                                                             const std::string &stack,
                                                             HostCtl::Network::PortsetGetType) {
    Enter(*node_, "QorKernelNicInfo.GetQorkernelNicNamesByInstanceKey");
    names.clear();
    for (const auto &nic : interfaces_on(stack)) names.push_back(nic->name);
}

std::vector<QorNicPtr> QorKernelNicInfoImpl::GetQorKernelNicsByType(HostCtl::Network::QorNic::QorNicType type) {
    Enter(*node_, "QorKernelNicInfo.GetQorKernelNicsByType");
    return interfaces_where(QorCtl::Sim::All("QorNic"), of_type, static_cast<int>(type));
}

std::vector<QorNicPtr> QorKernelNicInfoImpl::GetQorKernelNicsByTag(HostCtl::Network::QorNicTagType const tag) {
    Enter(*node_, "QorKernelNicInfo.GetQorKernelNicsByTag");
    return interfaces_where(QorCtl::Sim::All("QorNic"), has_tag, static_cast<int>(tag));
}

std::vector<QorNicPtr> QorKernelNicInfoImpl::GetQorKernelNicsByInstanceKey(const std::string &stack,
                                                                           HostCtl::Network::PortsetGetType) {
    Enter(*node_, "QorKernelNicInfo.GetQorKernelNicsByInstanceKey");
    return interfaces_where(interfaces_on(stack), any_interface, 0);
}

QorNicPtr QorKernelNicInfoImpl::GetQorKernelNic(const std::string &, const std::string &name) {
    Enter(*node_, "QorKernelNicInfo.GetQorKernelNic");
    return QorNicPtr(new QorNicImpl(Model::Existing("QorNic", name)));
}

QorNicPtr QorKernelNicInfoImpl::GetQorKernelNic(HostCtl::Network::ConnectionPoint *point, const std::string &name) {
    return GetQorKernelNic(name_of(point, "QorKernelNicInfo.GetQorKernelNic"), name);
}

QorNicPtr QorKernelNicInfoImpl::GetQorKernelNicByInterface(const std::string &name, bool,
                                                           HostCtl::Network::PortsetGetType) {
    Enter(*node_, "QorKernelNicInfo.GetQorKernelNicByInterface");
    return QorNicPtr(new QorNicImpl(Model::Existing("QorNic", name)));
}

int QorKernelNicInfoImpl::GetQorNicCountByNetstackInstance(const std::string &stack) {
    Enter(*node_, "QorKernelNicInfo.GetQorNicCountByNetstackInstance");
    return static_cast<int>(interfaces_on(stack).size());
}

std::string QorKernelNicInfoImpl::GetQornicNetstackInstanceKey(const std::string &name) {
    Enter(*node_, "QorKernelNicInfo.GetQornicNetstackInstanceKey");
    std::string key = Read<std::string>(*Model::Existing("QorNic", name), "NetstackInstanceKey");
    return key.empty() ? std::string(Model::kDefaultStack) : key;
}

std::string QorKernelNicInfoImpl::FindInterface(HostCtl::Network::ConnectionPoint *point, const std::string &stack) {
    Enter(*node_, "QorKernelNicInfo.FindInterface");
    return interface_at(name_of(point, "QorKernelNicInfo.FindInterface"), stack);
}

bool QorKernelNicInfoImpl::QorKernelNicExists(const std::string &name, const std::string &stack) {
    Enter(*node_, "QorKernelNicInfo.QorKernelNicExists");
    const std::vector<NodeRef> nics = interfaces_on(stack);
    return std::any_of(nics.begin(), nics.end(), [&](const NodeRef &nic) { return nic->name == name; });
}

bool QorKernelNicInfoImpl::QorKernelNicExists(HostCtl::Network::ConnectionPoint *point, const std::string &stack) {
    return !FindInterface(point, stack).empty();
}

bool QorKernelNicInfoImpl::QorKernelNicConfigExists(HostCtl::Network::ConnectionPoint *point,
                                                    const std::string &stack) {
    return !FindInterface(point, stack).empty();
}

// ---- NetstackInstanceImpl -----------------------------------------------------------

namespace {
// The instance an object describes: the host's own when it has one of that
// key, otherwise a description of a new one that AddNetstackInstance adds.
NodeRef described_instance(const std::string &key, uint32 maxConnections, const std::string &algorithm, bool ipv6,
                           const std::string &ecn) {
    QorCtl::Sim::Sync();
    if (NodeRef existing = QorCtl::Sim::Find("NetstackInstance", key)) return existing;
    auto described = std::make_shared<Node>();
    described->kind = "NetstackInstance";
    described->name = key;
    Write(*described, "MaxConnections", maxConnections);
    Write(*described, "CongestionControlAlgorithm", algorithm);
    Write(*described, "Ipv6Enabled", ipv6);
    Write(*described, "EcnStatus", ecn);
    Write(*described, "State", uint32(2));  // not created yet
    return described;
}
}  // namespace

NetstackInstanceImpl::NetstackInstanceImpl(const std::string &key, uint32 maxConnections, std::string algorithm,
                                           bool ipv6, uint32, const std::string &ecn)
    : NetstackInstanceImpl(described_instance(key, maxConnections, algorithm, ipv6, ecn)) {}

std::string NetstackInstanceImpl::GetKey() {
    Enter(*node_, "NetstackInstance.GetKey");
    return node_->name;
}

void NetstackInstanceImpl::SetKey(const std::string &key) {
    Enter(*node_, "NetstackInstance.SetKey");
    if (key != node_->name && QorCtl::Sim::Find("NetstackInstance", key)) {
        throw HostCtl::Lib::HostCtlException("Netstack instance " + key + " already exists");
    }
    node_->name = key;
}

void NetstackInstanceImpl::UnsetMaxConnections() {
    Enter(*node_, "NetstackInstance.UnsetMaxConnections");
    Write(*node_, "MaxConnections", HostCtl::Network::NETSTACK_INST_MAX_CONNECTIONS_DEF);
}

void NetstackInstanceImpl::UnsetCongestionControlAlgorithm() {
    Enter(*node_, "NetstackInstance.UnsetCongestionControlAlgorithm");
    Write(*node_, "CongestionControlAlgorithm", HostCtl::Network::NETSTACK_INST_CONGESTION_ALGO_DEF);
}

std::vector<std::string> NetstackInstanceImpl::GetQorNicNames() {
    Enter(*node_, "NetstackInstance.GetQorNicNames");
    std::vector<std::string> names;
    for (const auto &nic : interfaces_on(node_->name)) names.push_back(nic->name);
    return names;
}

bool NetstackInstanceImpl::Enable() {
    set_enabled(*node_, "NetstackInstance.Enable", true);
    return true;
}

bool NetstackInstanceImpl::Create() {
    Enter(*node_, "NetstackInstance.Create");
    Write(*node_, "State", kStackReady);
    return true;
}

void NetstackInstanceImpl::Disable() { set_enabled(*node_, "NetstackInstance.Disable", false); }

bool NetstackInstanceImpl::Destroy(bool) {
    Enter(*node_, "NetstackInstance.Destroy");
    if (node_->name == Model::kDefaultStack) {
        throw HostCtl::Lib::HostCtlException("The default netstack instance cannot be destroyed");
    }
    Model::Forget(node_);
    return true;
}

// ---- RoutingInfoImpl -----------------------------------------------------------------

Ipv4Address RoutingInfoImpl::GetQorKernelDefaultGateway() {
    Enter(*node_, "RoutingInfo.GetQorKernelDefaultGateway");
    return Read<Ipv4Address>(*node_, "QorKernelDefaultGateway");
}

Ipv4Address RoutingInfoImpl::GetQorKernelConfigDefaultGateway() {
    Enter(*node_, "RoutingInfo.GetQorKernelConfigDefaultGateway");
    return Read<Ipv4Address>(*node_, "QorKernelDefaultGateway");
}

void RoutingInfoImpl::SetQorKernelDefaultGateway(Ipv4Address gateway, bool) {
    Enter(*node_, "RoutingInfo.SetQorKernelDefaultGateway");
    Write(*node_, "QorKernelDefaultGateway", gateway.GetStringAddress());
}

void RoutingInfoImpl::UnsetQorKernelDefaultGateway() {
    Enter(*node_, "RoutingInfo.UnsetQorKernelDefaultGateway");
    node_->properties.erase("QorKernelDefaultGateway");
}

Ipv6Address RoutingInfoImpl::GetIpv6QorKernelDefaultGateway() {
    Enter(*node_, "RoutingInfo.GetIpv6QorKernelDefaultGateway");
    return Read<Ipv6Address>(*node_, "Ipv6QorKernelDefaultGateway");
}

Ipv6Address RoutingInfoImpl::GetIpv6QorKernelConfigDefaultGateway() {
    Enter(*node_, "RoutingInfo.GetIpv6QorKernelConfigDefaultGateway");
    return Read<Ipv6Address>(*node_, "Ipv6QorKernelDefaultGateway");
}

void RoutingInfoImpl::SetIpv6QorKernelDefaultGateway(Ipv6Address gateway) {
    Enter(*node_, "RoutingInfo.SetIpv6QorKernelDefaultGateway");
    Write(*node_, "Ipv6QorKernelDefaultGateway", gateway.GetStringAddress());
}

void RoutingInfoImpl::UnsetIpv6QorKernelDefaultGateway() {
    Enter(*node_, "RoutingInfo.UnsetIpv6QorKernelDefaultGateway");
    node_->properties.erase("Ipv6QorKernelDefaultGateway");
}

std::vector<HostCtl::Network::Ipv4Route> RoutingInfoImpl::GetCurrentQorkernelRoutes(HostCtl::Network::PortsetGetType) {
    Enter(*node_, "RoutingInfo.GetCurrentQorkernelRoutes");
    return records_on<HostCtl::Network::Ipv4Route>("Ipv4Route", node_->name);
}

std::vector<HostCtl::Network::Ipv6Route> RoutingInfoImpl::GetCurrentIpv6QorkernelRoutes(
    HostCtl::Network::PortsetGetType) {
    Enter(*node_, "RoutingInfo.GetCurrentIpv6QorkernelRoutes");
    return records_on<HostCtl::Network::Ipv6Route>("Ipv6Route", node_->name);
}

void RoutingInfoImpl::AddQorkernelRoute(Ipv4Network network, Ipv4Address gateway) {
    add_route(*node_, "RoutingInfo.AddQorkernelRoute", "Ipv4Route", network, gateway);
}

void RoutingInfoImpl::AddIpv6QorkernelRoute(Ipv6Network network, Ipv6Address gateway) {
    add_route(*node_, "RoutingInfo.AddIpv6QorkernelRoute", "Ipv6Route", network, gateway);
}

void RoutingInfoImpl::RemoveQorkernelRoute(Ipv4Network network, Ipv4Address gateway) {
    remove_route<HostCtl::Network::Ipv4Route>(*node_, "RoutingInfo.RemoveQorkernelRoute", "Ipv4Route", network,
                                              gateway);
}

void RoutingInfoImpl::RemoveIpv6QorkernelRoute(Ipv6Network network, Ipv6Address gateway) {
    remove_route<HostCtl::Network::Ipv6Route>(*node_, "RoutingInfo.RemoveIpv6QorkernelRoute", "Ipv6Route", network,
                                              gateway);
}

void RoutingInfoImpl::GetCurrentIpv4QorkernelNeighbors(std::vector<HostCtl::Network::Ipv4Neighbor> &out,
                                                       const std::string &stack, HostCtl::Network::PortsetGetType) {
    Enter(*node_, "RoutingInfo.GetCurrentIpv4QorkernelNeighbors");
    out = records_on<HostCtl::Network::Ipv4Neighbor>("Ipv4Neighbor", stack);
}

void RoutingInfoImpl::GetCurrentIpv6QorkernelNeighbors(std::vector<HostCtl::Network::Ipv6Neighbor> &out,
                                                       const std::string &stack, HostCtl::Network::PortsetGetType) {
    Enter(*node_, "RoutingInfo.GetCurrentIpv6QorkernelNeighbors");
    out = records_on<HostCtl::Network::Ipv6Neighbor>("Ipv6Neighbor", stack);
}

// Longer netmasks first, so that the most specific route is tried first.
bool RoutingInfoImpl::SortRoutesByNetmask(HostCtl::Network::Ipv4Route first, HostCtl::Network::Ipv4Route second) {
    return first.network.GetNetmask().GetBinaryAddress() > second.network.GetNetmask().GetBinaryAddress();
}

bool RoutingInfoImpl::HasLocalRouteToAddress(Ipv4Address address) {
    Enter(*node_, "RoutingInfo.HasLocalRouteToAddress");
    return has_local_route<HostCtl::Network::Ipv4Route>(*node_, "Ipv4Route", address, ipv4_route_reaches);
}

bool RoutingInfoImpl::HasLocalRouteToAddress(Ipv6Address address) {
    Enter(*node_, "RoutingInfo.HasLocalRouteToAddress");
    return has_local_route<HostCtl::Network::Ipv6Route>(*node_, "Ipv6Route", address, ipv6_route_reaches);
}

// ---- DnsConfigImpl ---------------------------------------------------------------------
// One list "NameServers" holds the servers of both families in order; the
// search domains are the list "SearchDomains".

void DnsConfigImpl::AddSystemNameServer(const IpAddress &server) {
    Enter(*node_, "DnsConfig.AddSystemNameServer");
    append_once(*node_, "NameServers", server.GetStringAddress());
}

void DnsConfigImpl::AddUserNameServer(const IpAddress &server) {
    Enter(*node_, "DnsConfig.AddUserNameServer");
    append_once(*node_, "NameServers", server.GetStringAddress());
}

void DnsConfigImpl::RemoveNameServer(const IpAddress &server) {
    Enter(*node_, "DnsConfig.RemoveNameServer");
    if (!remove_item(*node_, "NameServers", server.GetStringAddress())) {
        throw HostCtl::Lib::HostCtlException("Name server " + server.GetStringAddress() + " is not configured");
    }
}

void DnsConfigImpl::RemoveNameServers() {
    Enter(*node_, "DnsConfig.RemoveNameServers");
    Write(*node_, "NameServers", Texts());
}

void DnsConfigImpl::RemoveIpv6NameServers() {
    Enter(*node_, "DnsConfig.RemoveIpv6NameServers");
    Texts kept;
    for (const auto &text : texts(*node_, "NameServers")) {
        if (!is_ipv6(text)) kept.push_back(text);
    }
    Write(*node_, "NameServers", kept);
}

std::vector<Ipv4Address> DnsConfigImpl::GetNameServers() {
    Enter(*node_, "DnsConfig.GetNameServers");
    return servers_of<Ipv4Address>(*node_, false);
}

std::vector<Ipv6Address> DnsConfigImpl::GetIpv6NameServers(bool) {
    Enter(*node_, "DnsConfig.GetIpv6NameServers");
    return servers_of<Ipv6Address>(*node_, true);
}

std::vector<std::string> DnsConfigImpl::GetAllNameServers() {
    Enter(*node_, "DnsConfig.GetAllNameServers");
    return texts(*node_, "NameServers");
}

void DnsConfigImpl::AddSystemSearchDomain(const std::string &domain) {
    Enter(*node_, "DnsConfig.AddSystemSearchDomain");
    append_once(*node_, "SearchDomains", domain);
}

void DnsConfigImpl::AddUserSearchDomain(const std::string &domain) {
    Enter(*node_, "DnsConfig.AddUserSearchDomain");
    append_once(*node_, "SearchDomains", domain);
}

void DnsConfigImpl::RemoveSearchDomain(const std::string &domain) {
    Enter(*node_, "DnsConfig.RemoveSearchDomain");
    if (!remove_item(*node_, "SearchDomains", domain)) {
        throw HostCtl::Lib::HostCtlException("Search domain " + domain + " is not configured");
    }
}

std::vector<std::string> DnsConfigImpl::GetSearchDomains() {
    Enter(*node_, "DnsConfig.GetSearchDomains");
    return texts(*node_, "SearchDomains");
}

void DnsConfigImpl::SetSearchDomainsString(const std::string &text) {
    Enter(*node_, "DnsConfig.SetSearchDomainsString");
    Write(*node_, "SearchDomains", words_of(text));
}

std::string DnsConfigImpl::GetSearchDomainsString() {
    Enter(*node_, "DnsConfig.GetSearchDomainsString");
    std::string text;
    for (const auto &domain : texts(*node_, "SearchDomains")) text += (text.empty() ? "" : " ") + domain;
    return text;
}

// ---- IpSecConfigImpl -------------------------------------------------------------------

void IpSecConfigImpl::GetSPDConfigList(std::vector<HostCtl::Network::IpSecSpdParam> &out) {
    Enter(*node_, "IpSecConfig.GetSPDConfigList");
    out = all_of<HostCtl::Network::IpSecSpdParam>("IpSecSpd");
}

HostCtl::Network::IpSecSpdParam IpSecConfigImpl::GetSPDConfig(const std::string &name) {
    Enter(*node_, "IpSecConfig.GetSPDConfig");
    return Model::RecordOf<HostCtl::Network::IpSecSpdParam>(*Model::Existing("IpSecSpd", name));
}

void IpSecConfigImpl::AddSPDConfig(const HostCtl::Network::IpSecSpdParam &param) {
    Enter(*node_, "IpSecConfig.AddSPDConfig");
    if (param.spName.empty() || QorCtl::Sim::Find("IpSecSpd", param.spName)) {
        throw HostCtl::Lib::HostCtlException("Security policy '" + param.spName + "' is unnamed or exists");
    }
    store_addresses(*QorCtl::Sim::FindOrAdd("IpSecSpd", param.spName), param);
}

void IpSecConfigImpl::RemoveSPDConfig(const std::string &name) {
    Enter(*node_, "IpSecConfig.RemoveSPDConfig");
    Model::Forget(Model::Existing("IpSecSpd", name));
}

void IpSecConfigImpl::FlushSPDConfig() {
    Enter(*node_, "IpSecConfig.FlushSPDConfig");
    remove_all("IpSecSpd");
}

HostCtl::Network::IpSecSadParam IpSecConfigImpl::GetSADConfig(const std::string &name) {
    Enter(*node_, "IpSecConfig.GetSADConfig");
    return Model::RecordOf<HostCtl::Network::IpSecSadParam>(*Model::Existing("IpSecSad", name));
}

void IpSecConfigImpl::GetSADConfigList(std::vector<HostCtl::Network::IpSecSadParam> &out) {
    Enter(*node_, "IpSecConfig.GetSADConfigList");
    out = all_of<HostCtl::Network::IpSecSadParam>("IpSecSad");
}

// Active associations are those in use: mature or dying.
void IpSecConfigImpl::GetActiveSADConfigList(std::vector<HostCtl::Network::IpSecSadParam> &out) {
    Enter(*node_, "IpSecConfig.GetActiveSADConfigList");
    out.clear();
    for (const auto &param : all_of<HostCtl::Network::IpSecSadParam>("IpSecSad")) {
        if (param.state == HostCtl::Network::IPSEC_STATE_MATURE || param.state == HostCtl::Network::IPSEC_STATE_DYING) {
            out.push_back(param);
        }
    }
}

void IpSecConfigImpl::AddSADConfig(const HostCtl::Network::IpSecSadParam &param) {
    Enter(*node_, "IpSecConfig.AddSADConfig");
    if (param.saName.empty() || QorCtl::Sim::Find("IpSecSad", param.saName)) {
        throw HostCtl::Lib::HostCtlException("Security association '" + param.saName + "' is unnamed or exists");
    }
    store_addresses(*QorCtl::Sim::FindOrAdd("IpSecSad", param.saName), param);
}

void IpSecConfigImpl::RemoveSADConfig(const std::string &name) {
    Enter(*node_, "IpSecConfig.RemoveSADConfig");
    Model::Forget(Model::Existing("IpSecSad", name));
}

void IpSecConfigImpl::RemoveAutoSADConfig(const HostCtl::Network::IpSecSadParam &param) {
    Enter(*node_, "IpSecConfig.RemoveAutoSADConfig");
    Model::Forget(Model::Existing("IpSecSad", param.saName));
}

void IpSecConfigImpl::FlushSADConfig() {
    Enter(*node_, "IpSecConfig.FlushSADConfig");
    remove_all("IpSecSad");
}

int IpSecConfigImpl::StringToIpSecULProtoType(const std::string &text) { return index_in(SP_UL_PROTO_TYPE, text); }
int IpSecConfigImpl::StringToIpSecDirection(const std::string &text) { return index_in(SP_DIRECTION, text); }
int IpSecConfigImpl::StringToIpSecAction(const std::string &text) { return index_in(SP_ACTION, text); }
int IpSecConfigImpl::StringToIpSecMode(const std::string &text) { return index_in(SA_MODE, text); }
int IpSecConfigImpl::StringToIpSecEncyptAlgo(const std::string &text) { return index_in(SA_ENCPT_ALG, text); }
int IpSecConfigImpl::StringToIpSecAuthAlgo(const std::string &text) { return index_in(SA_AUTH_ALG, text); }

}  // namespace Network
}  // namespace QorCtl

// ---- interfaces the library hands out as plain network interfaces -----------------
// They are kernel interfaces without the cached members.

namespace QorCtl {
namespace Sim {
namespace Network {

std::string NetworkInterfaceNode::GetInterfaceName() { return node_->name; }
std::string NetworkInterfaceNode::GetPortGroupName() { return Read<std::string>(*node_, "PortGroupName"); }
HostCtl::Network::PortGroupPtr NetworkInterfaceNode::GetPortGroup() { return port_group_of(*node_); }
MacAddress NetworkInterfaceNode::GetMacAddress() { return Read<MacAddress>(*node_, "MacAddress"); }
void NetworkInterfaceNode::SetMacAddress(MacAddress mac) { Write(*node_, "MacAddress", mac.GetStringAddress()); }
IpConfig NetworkInterfaceNode::GetIpConfig() { return ip_config_of(*node_); }
IpConfig NetworkInterfaceNode::GetConfiguredIpConfig() { return ip_config_of(*node_); }
void NetworkInterfaceNode::SetIpConfig(IpConfig config) { write_ip_config(*node_, config); }
void NetworkInterfaceNode::SetIpv4Config(IpConfig config) { write_ipv4_config(*node_, config); }
void NetworkInterfaceNode::AddIpv6Address(Ipv6Network network, bool) {
    append_once(*node_, "Ipv6Networks", network.GetStringAddress());
}
void NetworkInterfaceNode::RemoveIpv6Address(Ipv6Network network, bool) {
    remove_item(*node_, "Ipv6Networks", network.GetStringAddress());
}
void NetworkInterfaceNode::SetPortGroup(const std::string &portGroup) { Write(*node_, "PortGroupName", portGroup); }
void NetworkInterfaceNode::SetConnectionPoint(HostCtl::Network::ConnectionPoint *point, bool) {
    Write(*node_, "PortGroupName", name_of(point, "NetworkInterface.SetConnectionPoint"));
}
void NetworkInterfaceNode::Enable() { set_enabled(*node_, "NetworkInterface.Enable", true); }
void NetworkInterfaceNode::Disable() { set_enabled(*node_, "NetworkInterface.Disable", false); }
void NetworkInterfaceNode::Destroy() { destroy_interface(node_); }

}  // namespace Network
}  // namespace Sim
}  // namespace QorCtl
