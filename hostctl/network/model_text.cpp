#include "model_text.h"

#include <sstream>

#include "hostctl/core.h"

namespace QorCtl {
namespace Network {
namespace Model {

using QorCtl::Sim::Read;
using QorCtl::Sim::Write;

namespace {

const unsigned kMaxVlanId = 4095;

std::string Field(const std::string &key, const char *name) { return key + "." + name; }

// Forgets every "<key>.<field>" property, so that a saved policy replaces the old one.
void Forget(Node &node, const std::string &key) {
    const std::string prefix = key + ".";
    for (auto it = node.properties.begin(); it != node.properties.end();) {
        it = it->first.compare(0, prefix.size(), prefix) == 0 ? node.properties.erase(it) : std::next(it);
    }
}

}  // namespace

// One field of a policy: read when the model has it, written when the policy sets it.
#define QOR_LOAD_FIELD(Name, Type)                                            \
    if (Has(node, Field(key, #Name))) policy.Set##Name(Read<Type>(node, Field(key, #Name).c_str()))
#define QOR_SAVE_FIELD(Name)                                                  \
    if (policy.Has##Name()) Write(node, Field(key, #Name).c_str(), policy.Get##Name())

void EnterKind(const char *kind, const char *operation) {
    Node probe;
    probe.kind = kind;
    QorCtl::Sim::Enter(probe, operation);
}

void Load(const Node &node, const std::string &key, HostCtl::Network::PortSecurityPolicy &policy) {
    QOR_LOAD_FIELD(AllowPromiscuous, bool);
    QOR_LOAD_FIELD(AllowMacAddressChange, bool);
    QOR_LOAD_FIELD(AllowForgedTransmits, bool);
}

void Save(Node &node, const std::string &key, const HostCtl::Network::PortSecurityPolicy &policy) {
    Forget(node, key);
    QOR_SAVE_FIELD(AllowPromiscuous);
    QOR_SAVE_FIELD(AllowMacAddressChange);
    QOR_SAVE_FIELD(AllowForgedTransmits);
}

void Load(const Node &node, const std::string &key, HostCtl::Network::ShapingPolicy &policy) {
    QOR_LOAD_FIELD(Enabled, bool);
    QOR_LOAD_FIELD(PeakBps, uint64);
    QOR_LOAD_FIELD(AverageBps, uint64);
    QOR_LOAD_FIELD(BurstSize, uint64);
}

void Save(Node &node, const std::string &key, const HostCtl::Network::ShapingPolicy &policy) {
    Forget(node, key);
    QOR_SAVE_FIELD(Enabled);
    QOR_SAVE_FIELD(PeakBps);
    QOR_SAVE_FIELD(AverageBps);
    QOR_SAVE_FIELD(BurstSize);
}

// The link criteria of a teaming policy are not kept: a configured policy
// takes them from the level above.
void Load(const Node &node, const std::string &key, HostCtl::Network::NicTeamingPolicy &policy) {
    QOR_LOAD_FIELD(TeamingPolicy, HostCtl::Network::NicTeamingPolicy::TeamPolicyType);
    QOR_LOAD_FIELD(NotifySwitchOnFailure, bool);
    QOR_LOAD_FIELD(ReversePolicy, bool);
    QOR_LOAD_FIELD(RollingRestoration, bool);
    QOR_LOAD_FIELD(UplinkOrder, std::vector<std::string>);
    QOR_LOAD_FIELD(MaxActiveUplinks, int);
}

void Save(Node &node, const std::string &key, const HostCtl::Network::NicTeamingPolicy &policy) {
    Forget(node, key);
    QOR_SAVE_FIELD(TeamingPolicy);
    QOR_SAVE_FIELD(NotifySwitchOnFailure);
    QOR_SAVE_FIELD(ReversePolicy);
    QOR_SAVE_FIELD(RollingRestoration);
    QOR_SAVE_FIELD(UplinkOrder);
    if (policy.GetMaxActiveUplinks() != 0) Write(node, Field(key, "MaxActiveUplinks").c_str(), policy.GetMaxActiveUplinks());
}

#undef QOR_LOAD_FIELD
#undef QOR_SAVE_FIELD

// Capabilities are kept in the text form adapters use: "VlanTag,SRIOV=false".
void Load(const Node &node, const std::string &key, HostCtl::Network::NicCapabilities &capabilities) {
    auto found = node.properties.find(key);
    if (found != node.properties.end()) capabilities = HostCtl::Network::NicCapabilities::FromText(found->second);
}

void Save(Node &node, const std::string &key, const HostCtl::Network::NicCapabilities &capabilities) {
    std::vector<std::string> names;
#define QOR_CAPABILITY_NAME(Name, Bit) \
    if (capabilities.Has##Name()) names.push_back(capabilities.Get##Name() ? #Name : #Name "=false");
    QOR_NIC_CAPABILITIES(QOR_CAPABILITY_NAME)
#undef QOR_CAPABILITY_NAME
    if (names.empty()) {
        node.properties.erase(key);
    } else {
        Write(node, key.c_str(), names);
    }
}

std::vector<std::pair<unsigned, unsigned>> ReadRanges(const Node &node, const char *key) {
    std::vector<std::pair<unsigned, unsigned>> ranges;
    for (const auto &item : Read<std::vector<std::string>>(node, key)) {
        std::istringstream text(item);
        unsigned low = 0, high = 0;
        char dash = 0;
        if (text >> low >> dash >> high && dash == '-') ranges.emplace_back(low, high);
    }
    return ranges;
}

void WriteRanges(Node &node, const char *key, const std::vector<std::pair<unsigned, unsigned>> &ranges) {
    std::vector<std::string> items;
    for (const auto &range : ranges) items.push_back(std::to_string(range.first) + "-" + std::to_string(range.second));
    Write(node, key, items);
}

void CheckVlanRange(unsigned low, unsigned high) {
    if (low > high || high > kMaxVlanId) {
        throw HostCtl::Lib::HostCtlException("invalid VLAN range " + std::to_string(low) + "-" + std::to_string(high));
    }
}

}  // namespace Model
}  // namespace Network
}  // namespace QorCtl
