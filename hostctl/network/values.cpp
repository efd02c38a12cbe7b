#include "hostctl/network/values.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace HostCtl {
namespace Network {
namespace {

[[noreturn]] void Refuse(const std::string &what, const std::string &text) {
    throw Lib::HostCtlException(what + " '" + text + "' is not valid");
}

// Reads dotted-quad text strictly (four decimal parts, no other forms).
bool ParseIpv4(const std::string &text, uint32 &binary) {
    in_addr parsed;
    if (inet_pton(AF_INET, text.c_str(), &parsed) != 1) return false;
    binary = ntohl(parsed.s_addr);
    return true;
}

// Reads IPv6 text with an optional zone ("fe80::1%qk0").
bool ParseIpv6(const std::string &text, Ipv6_addr &binary, std::string &zone) {
    std::string address = text;
    size_t percent = text.find('%');
    zone.clear();
    if (percent != std::string::npos) {
        zone = text.substr(percent + 1);
        address = text.substr(0, percent);
        if (zone.empty()) return false;
    }
    in6_addr parsed;
    if (inet_pton(AF_INET6, address.c_str(), &parsed) != 1) return false;
    for (int word = 0; word < 4; ++word) {
        uint32 value = 0;
        for (int byte = 0; byte < 4; ++byte) value = (value << 8) | parsed.s6_addr[word * 4 + byte];
        binary.addr[word] = value;
    }
    return true;
}

// Counts the leading one bits of a mask; -1 when ones follow a zero.
int PrefixOfMask(const uint32 *words, int count) {
    int prefix = 0;
    bool ended = false;
    for (int word = 0; word < count; ++word) {
        for (int bit = 31; bit >= 0; --bit) {
            bool one = (words[word] >> bit) & 1;
            if (one && ended) return -1;
            if (one) ++prefix;
            ended = ended || !one;
        }
    }
    return prefix;
}

// A mask of `prefix` leading ones over `count` words.
void MaskOfPrefix(uint32 prefix, uint32 *words, int count) {
    for (int word = 0; word < count; ++word) {
        uint32 ones = prefix > 32u * word ? std::min(prefix - 32u * word, 32u) : 0;
        words[word] = ones == 0 ? 0 : ~uint32(0) << (32 - ones);
    }
}

// Splits "address/prefix"; the prefix must be decimal digits up to `limit`.
bool SplitPrefix(const std::string &text, std::string &address, uint32 &prefix, uint32 limit) {
    size_t slash = text.find('/');
    if (slash == std::string::npos) return false;
    address = text.substr(0, slash);
    std::string digits = text.substr(slash + 1);
    if (digits.empty() || digits.size() > 3 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) return false;
    prefix = static_cast<uint32>(std::stoul(digits));
    return prefix <= limit;
}

bool IsHostName(const std::string &text) {
    if (text.empty() || text.size() > 253) return false;
    std::istringstream labels(text);
    for (std::string label; std::getline(labels, label, '.');) {
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-') return false;
        for (char c : label) {
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') return false;
        }
    }
    return text.back() != '.';
}

bool IsIpAddress(const std::string &text) {
    return Ipv4Address::IsValidAddress(text) || Ipv6Address::IsValidAddress(text);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

}  // namespace

void ThrowUnsetValue(const char *policy, const char *name) {
    throw Lib::HostCtlException(std::string(policy) + ": " + name + " is not set");
}

// ---- IPv4 ----------------------------------------------------------------------

Ipv4Address::Ipv4Address(const std::string &text) : binary_(UintFromAddress(text)) {}

bool Ipv4Address::IsValidAddress(const std::string &text) {
    uint32 binary;
    return ParseIpv4(text, binary);
}

bool Ipv4Address::IsValidNetmask() const { return PrefixOfMask(&binary_, 1) >= 0; }

std::string Ipv4Address::AddressFromUint(uint32 binary) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", binary >> 24, (binary >> 16) & 0xff, (binary >> 8) & 0xff,
                  binary & 0xff);
    return text;
}

uint32 Ipv4Address::UintFromAddress(const std::string &text) {
    uint32 binary;
    if (!ParseIpv4(text, binary)) Refuse("IPv4 address", text);
    return binary;
}

Ipv4Network::Ipv4Network(const std::string &text) {
    std::string address;
    uint32 prefix;
    if (!SplitPrefix(text, address, prefix, 32) || !Ipv4Address::IsValidAddress(address)) {
        Refuse("IPv4 network", text);
    }
    network_ = Ipv4Address(address);
    netmask_ = NetmaskFromNumber(prefix);
}

bool Ipv4Network::operator==(const Ipv4Network &other) const {
    return network_ == other.network_ && netmask_ == other.netmask_;
}

int Ipv4Network::operator<(const Ipv4Network &other) const {
    if (network_.GetBinaryAddress() != other.network_.GetBinaryAddress()) {
        return network_.GetBinaryAddress() < other.network_.GetBinaryAddress();
    }
    return netmask_.GetBinaryAddress() < other.netmask_.GetBinaryAddress();
}

std::string Ipv4Network::GetStringAddress() const {
    // A mask that is not a prefix is written out.
    std::string mask = netmask_.IsValidNetmask() ? std::to_string(NumberFromNetmask(netmask_))
                                                 : netmask_.GetStringAddress();
    return network_.GetStringAddress() + "/" + mask;
}

bool Ipv4Network::IsValidNetworkAddress(Ipv4Address address) const {
    return (address.GetBinaryAddress() & ~netmask_.GetBinaryAddress()) == 0;
}

Ipv4Address Ipv4Network::NetmaskFromNumber(uint32 prefix) {
    if (prefix > 32) Refuse("IPv4 prefix length", std::to_string(prefix));
    uint32 mask;
    MaskOfPrefix(prefix, &mask, 1);
    return Ipv4Address(mask);
}

uint32 Ipv4Network::NumberFromNetmask(Ipv4Address netmask) {
    uint32 binary = netmask.GetBinaryAddress();
    int prefix = PrefixOfMask(&binary, 1);
    if (prefix < 0) Refuse("IPv4 netmask", netmask.GetStringAddress());
    return static_cast<uint32>(prefix);
}

// ---- IPv6 ----------------------------------------------------------------------

Ipv6Address::Ipv6Address(const std::string &text) {
    if (!ParseIpv6(text, binary_, zone_)) Refuse("IPv6 address", text);
}

void Ipv6Address::TruncateScopeInAddress(std::string &text) {
    size_t percent = text.find('%');
    if (percent != std::string::npos) text.erase(percent);
}

std::string Ipv6Address::GetScopedStringAddress() const {
    return zone_.empty() ? GetStringAddress() : GetStringAddress() + "%" + zone_;
}

bool Ipv6Address::IsValidAddress(const std::string &text) {
    Ipv6_addr binary;
    std::string zone;
    return ParseIpv6(text, binary, zone);
}

bool Ipv6Address::IsLoopbackAddress() const {
    const uint32 *a = binary_.addr;
    return a[0] == 0 && a[1] == 0 && a[2] == 0 && a[3] == 1;
}

bool Ipv6Address::IsAllzeroAddress() const {
    const uint32 *a = binary_.addr;
    return a[0] == 0 && a[1] == 0 && a[2] == 0 && a[3] == 0;
}

bool Ipv6Address::IsValidNetmask() const { return PrefixOfMask(binary_.addr, 4) >= 0; }

std::string Ipv6Address::AddressFromUint(Ipv6_addr binary) {
    in6_addr bytes;
    for (int i = 0; i < 16; ++i) bytes.s6_addr[i] = static_cast<uint8>(binary.addr[i / 4] >> (24 - 8 * (i % 4)));
    return AddressFromUint(bytes);
}

std::string Ipv6Address::AddressFromUint(in6_addr binary) {
    char text[INET6_ADDRSTRLEN];
    inet_ntop(AF_INET6, &binary, text, sizeof text);
    return text;
}

Ipv6_addr Ipv6Address::UintFromAddress(const std::string &text) { return Ipv6Address(text).binary_; }

bool Ipv6Address::operator==(const Ipv6Address &other) const {
    return std::equal(binary_.addr, binary_.addr + 4, other.binary_.addr) && zone_ == other.zone_;
}

Ipv6Network::Ipv6Network(const std::string &text) {
    std::string address;
    if (!SplitPrefix(text, address, prefix_, 128) || !Ipv6Address::IsValidAddress(address)) {
        Refuse("IPv6 network", text);
    }
    address_ = Ipv6Address(address);
}

Ipv6Network::Ipv6Network(Ipv6Address address, uint32 prefix) : address_(address) { SetNetmask(prefix); }

bool Ipv6Network::operator==(const Ipv6Network &other) const {
    return address_ == other.address_ && prefix_ == other.prefix_;
}

bool Ipv6Network::operator<(const Ipv6Network &other) const {
    Ipv6_addr a = address_.GetBinaryAddress(), b = other.address_.GetBinaryAddress();
    if (!std::equal(a.addr, a.addr + 4, b.addr)) {
        return std::lexicographical_compare(a.addr, a.addr + 4, b.addr, b.addr + 4);
    }
    return prefix_ < other.prefix_;
}

std::string Ipv6Network::GetStringAddress() const {
    return address_.GetStringAddress() + "/" + std::to_string(prefix_);
}

void Ipv6Network::SetNetmask(uint32 prefix) {
    if (prefix > 128) Refuse("IPv6 prefix length", std::to_string(prefix));
    prefix_ = prefix;
}

bool Ipv6Network::IsValidNetworkAddress(Ipv6Address address) const {
    Ipv6_addr mask = NetmaskFromNumber(prefix_).GetBinaryAddress();
    Ipv6_addr bits = address.GetBinaryAddress();
    for (int word = 0; word < 4; ++word) {
        if (bits.addr[word] & ~mask.addr[word]) return false;
    }
    return true;
}

Ipv6Address Ipv6Network::NetmaskFromNumber(uint32 prefix) {
    if (prefix > 128) Refuse("IPv6 prefix length", std::to_string(prefix));
    Ipv6_addr mask;
    MaskOfPrefix(prefix, mask.addr, 4);
    return Ipv6Address(mask);
}

uint32 Ipv6Network::NumberFromNetmask(Ipv6Address netmask) {
    Ipv6_addr mask = netmask.GetBinaryAddress();
    int prefix = PrefixOfMask(mask.addr, 4);
    if (prefix < 0) Refuse("IPv6 netmask", netmask.GetStringAddress());
    return static_cast<uint32>(prefix);
}

bool Ipv6Network::IsValidAddressAndNetmask(const std::string &text) {
    std::string address;
    uint32 prefix;
    return SplitPrefix(text, address, prefix, 128) && Ipv6Address::IsValidAddress(address);
}

// ---- IP configuration ----------------------------------------------------------

void IpConfig::SetUseDhcp(bool useDhcp) {
    useDhcp_ = useDhcp;
    if (useDhcp) ipv4None_ = false;
}

void IpConfig::SetUseDhcp(bool useDhcp, bool dhcpDns) {
    SetUseDhcp(useDhcp);
    dhcpDns_ = dhcpDns;
}

void IpConfig::SetIpv4UseNone() {
    ipv4None_ = true;
    useDhcp_ = false;
    address_ = netmask_ = gateway_ = broadcast_ = Ipv4Address();
}

void IpConfig::SetIpv4Address(Ipv4Address address) {
    address_ = address;
    useDhcp_ = false;
    ipv4None_ = false;
}

void IpConfig::AddIpv6Network(Ipv6Network network) {
    if (std::find(ipv6Networks_.begin(), ipv6Networks_.end(), network) == ipv6Networks_.end()) {
        ipv6Networks_.push_back(network);
    }
}

void IpConfig::RemoveIpv6Network(Ipv6Network network) {
    auto found = std::find(ipv6Networks_.begin(), ipv6Networks_.end(), network);
    if (found == ipv6Networks_.end()) {
        throw Lib::HostCtlException("IPv6 address " + network.GetStringAddress() + " is not configured");
    }
    ipv6Networks_.erase(found);
}

Ipv4Address IpConfig::GetIpv4Broadcast() const {
    if (!broadcast_.IsAllzeroAddress() || address_.IsAllzeroAddress()) return broadcast_;
    return Ipv4Address(address_.GetBinaryAddress() | ~netmask_.GetBinaryAddress());
}

bool IpConfig::IsIpv4Valid() const {
    if (ipv4None_ || useDhcp_) return true;
    if (!address_.IsValidAddress() || !netmask_.IsValidNetmask() || netmask_.IsAllzeroAddress()) return false;
    // A gateway, when there is one, lies in the interface's subnet.
    uint32 mask = netmask_.GetBinaryAddress();
    return gateway_.IsAllzeroAddress() ||
           (gateway_.GetBinaryAddress() & mask) == (address_.GetBinaryAddress() & mask);
}

bool IpConfig::IsIpv6Valid() const {
    return std::all_of(ipv6Networks_.begin(), ipv6Networks_.end(), [](const Ipv6Network &n) { return n.IsValid(); });
}

bool IpConfig::ContainsAddress(const std::string &text) const {
    if (Ipv4Address::IsValidAddress(text)) return !ipv4None_ && Ipv4Address(text) == address_;
    if (!Ipv6Address::IsValidAddress(text)) return false;
    Ipv6Address wanted(text);
    return std::any_of(ipv6Networks_.begin(), ipv6Networks_.end(),
                       [&](const Ipv6Network &n) { return n.GetAddress() == wanted; });
}

// ---- policies ------------------------------------------------------------------

LinkCriteriaSelectionPolicy LinkCriteriaSelectionPolicy::GetDefaultPolicy() {
    LinkCriteriaSelectionPolicy policy;
    policy.SetMinimumSpeed(10, true);
    policy.SetExactSpeed(0, true);
    policy.SetPercentError(0, true);
    policy.SetDuplex(false, true);
    policy.SetBeacon(true);
    return policy;
}

void LinkCriteriaSelectionPolicy::Derive(const LinkCriteriaSelectionPolicy &parent) {
    MinimumSpeed_.Derive(parent.MinimumSpeed_);
    ExactSpeed_.Derive(parent.ExactSpeed_);
    PercentError_.Derive(parent.PercentError_);
    Duplex_.Derive(parent.Duplex_);
    Beacon_.Derive(parent.Beacon_);
}

bool LinkCriteriaSelectionPolicy::IsSet() const {
    return MinimumSpeed_.set || ExactSpeed_.set || PercentError_.set || Duplex_.set || Beacon_.set;
}

namespace {

template <class T>
void Describe(std::string &text, const char *name, const PolicyValue<T> &value) {
    if (!value.set) return;
    std::ostringstream item;
    item << (text.empty() ? "" : " ") << name << "=";
    if (value.ignore) {
        item << LinkCriteriaSelectionPolicy::IGNORE_STR;
    } else if constexpr (std::is_same<T, bool>::value) {
        item << (value.value ? "true" : "false");
    } else {
        item << value.value;
    }
    text += item.str();
}

}  // namespace

std::string LinkCriteriaSelectionPolicy::ToString() const {
    std::string text;
    Describe(text, "minimumSpeed", MinimumSpeed_);
    Describe(text, "exactSpeed", ExactSpeed_);
    Describe(text, "percentError", PercentError_);
    Describe(text, "fullDuplex", Duplex_);
    Describe(text, "beacon", Beacon_);
    return text;
}

NicTeamingPolicy NicTeamingPolicy::GetDefaultPolicy() {
    NicTeamingPolicy policy;
    policy.SetTeamingPolicy(DEF_TEAM_POLICY);
    policy.SetNotifySwitchOnFailure(true);
    policy.SetReversePolicy(true);
    policy.SetRollingRestoration(false);
    policy.SetLinkCriteria(LinkCriteriaSelectionPolicy::GetDefaultPolicy());
    policy.SetUplinkOrder({});
    policy.SetMaxActiveUplinks(1);
    return policy;
}

void NicTeamingPolicy::Derive(const NicTeamingPolicy &parent) {
    TeamingPolicy_.Derive(parent.TeamingPolicy_);
    NotifySwitchOnFailure_.Derive(parent.NotifySwitchOnFailure_);
    ReversePolicy_.Derive(parent.ReversePolicy_);
    RollingRestoration_.Derive(parent.RollingRestoration_);
    if (LinkCriteria_.set && parent.LinkCriteria_.set) LinkCriteria_.value.Derive(parent.LinkCriteria_.value);
    LinkCriteria_.Derive(parent.LinkCriteria_);
    UplinkOrder_.Derive(parent.UplinkOrder_);
    if (maxActiveUplinks_ == 0) maxActiveUplinks_ = parent.maxActiveUplinks_;
}

bool NicTeamingPolicy::IsSet() const {
    return TeamingPolicy_.set || NotifySwitchOnFailure_.set || ReversePolicy_.set || RollingRestoration_.set ||
           LinkCriteria_.set || UplinkOrder_.set;
}

void NicTeamingPolicy::SetTeamingPolicy(TeamPolicyType type) {
    if (type < TEAM_POLICY_NONE || type >= TEAM_POLICY_LAST_ELEMENT) {
        Refuse("teaming policy", std::to_string(static_cast<int>(type)));
    }
    TeamingPolicy_.Set(type);
}

void NicTeamingPolicy::SetMaxActiveUplinks(int count) {
    if (count < 0) Refuse("number of active uplinks", std::to_string(count));
    maxActiveUplinks_ = count;
}

std::string NicTeamingPolicy::ToString() const {
    static const char *const names[] = {"none", "loadbalance_ip", "loadbalance_srcmac", "loadbalance_srcid",
                                        "failover_explicit"};
    std::ostringstream text;
    text << "policy=" << (TeamingPolicy_.set ? names[TeamingPolicy_.value] : "unset");
    const std::pair<const char *, const PolicyValue<bool> *> flags[] = {
        {"notifySwitch", &NotifySwitchOnFailure_}, {"reverse", &ReversePolicy_}, {"rolling", &RollingRestoration_}};
    for (const auto &flag : flags) {
        if (flag.second->set) text << " " << flag.first << "=" << (flag.second->value ? "true" : "false");
    }
    if (UplinkOrder_.set) {
        text << " uplinks=";
        for (size_t i = 0; i < UplinkOrder_.value.size(); ++i) text << (i ? "," : "") << UplinkOrder_.value[i];
    }
    if (LinkCriteria_.set) text << " criteria={" << LinkCriteria_.value.ToString() << "}";
    return text.str();
}

PortSecurityPolicy PortSecurityPolicy::GetDefaultPolicy() {
    PortSecurityPolicy policy;
    policy.SetAllowPromiscuous(false);
    policy.SetAllowMacAddressChange(false);
    policy.SetAllowForgedTransmits(false);
    return policy;
}

void PortSecurityPolicy::Derive(const PortSecurityPolicy &parent) {
    AllowPromiscuous_.Derive(parent.AllowPromiscuous_);
    AllowMacAddressChange_.Derive(parent.AllowMacAddressChange_);
    AllowForgedTransmits_.Derive(parent.AllowForgedTransmits_);
}

ShapingPolicy ShapingPolicy::GetDefaultPolicy() {
    ShapingPolicy policy;
    policy.SetEnabled(false);
    policy.SetAverageBps(100000000);
    policy.SetPeakBps(100000000);
    policy.SetBurstSize(104857600);
    return policy;
}

void ShapingPolicy::Derive(const ShapingPolicy &parent) {
    Enabled_.Derive(parent.Enabled_);
    PeakBps_.Derive(parent.PeakBps_);
    AverageBps_.Derive(parent.AverageBps_);
    BurstSize_.Derive(parent.BurstSize_);
}

bool ShapingPolicy::IsValid() const {
    if (!Enabled_.set || !Enabled_.value) return true;
    return PeakBps_.set && AverageBps_.set && BurstSize_.set && AverageBps_.value <= PeakBps_.value &&
           BurstSize_.value > 0;
}

ShapingPolicy ShapingPolicy::FillValues() const {
    ShapingPolicy filled = *this;
    filled.Derive(GetDefaultPolicy());
    return filled;
}

void NicCapabilities::Derive(const NicCapabilities &parent) {
    uint64 inherited = parent.mask_ & ~mask_;
    flags_ |= parent.flags_ & inherited;
    mask_ |= inherited;
}

NicCapabilities NicCapabilities::FromText(const std::string &text) {
    static const std::pair<const char *, int> bits[] = {
#define QOR_CAPABILITY_BIT(Name, Bit) {#Name, Bit},
        QOR_NIC_CAPABILITIES(QOR_CAPABILITY_BIT)
#undef QOR_CAPABILITY_BIT
    };
    NicCapabilities capabilities;
    for (const auto &item : QorCtl::Sim::Codec<std::vector<std::string>>::Decode(text)) {
        size_t equals = item.find('=');
        std::string name = item.substr(0, equals);
        auto found = std::find_if(std::begin(bits), std::end(bits), [&](const auto &bit) { return name == bit.first; });
        if (found == std::end(bits)) Refuse("adapter capability", name);
        capabilities.SetBit(found->second, equals == std::string::npos || item.substr(equals + 1) != "false");
    }
    return capabilities;
}

void NicCapabilities::SetBit(int bit, bool on) {
    mask_ |= uint64(1) << bit;
    flags_ = on ? flags_ | (uint64(1) << bit) : flags_ & ~(uint64(1) << bit);
}

void NicCapabilities::UnsetBit(int bit) {
    mask_ &= ~(uint64(1) << bit);
    flags_ &= ~(uint64(1) << bit);
}

bool NicCapabilities::GetBit(int bit, const char *name) const {
    if (!((mask_ >> bit) & 1)) ThrowUnsetValue("NicCapabilities", name);
    return (flags_ >> bit) & 1;
}

// ---- MAC, host and port addresses ------------------------------------------------

namespace {

// Reads "xx:xx:xx:xx:xx:xx" (hexadecimal, either case); false on anything else.
bool ParseMac(const std::string &text, std::array<uint8, 6> &octets) {
    if (text.size() != 17) return false;
    for (size_t i = 0; i < 6; ++i) {
        if (i < 5 && text[i * 3 + 2] != ':') return false;
        if (!std::isxdigit(static_cast<unsigned char>(text[i * 3])) ||
            !std::isxdigit(static_cast<unsigned char>(text[i * 3 + 1]))) {
            return false;
        }
        octets[i] = static_cast<uint8>(std::stoul(text.substr(i * 3, 2), nullptr, 16));
    }
    return true;
}

}  // namespace

MacAddress::MacAddress(const std::string &text) {
    if (!ParseMac(text, octets_)) Refuse("MAC address", text);
}

MacAddress::MacAddress(const uint8 octets[6]) { std::copy(octets, octets + 6, octets_.begin()); }

MacAddress::MacAddress(const uint32 octets[6]) {
    for (size_t i = 0; i < 6; ++i) {
        if (octets[i] > 0xff) Refuse("MAC address octet", std::to_string(octets[i]));
        octets_[i] = static_cast<uint8>(octets[i]);
    }
}

void MacAddress::GetBinaryAddress(uint8 octets[6]) const { std::copy(octets_.begin(), octets_.end(), octets); }

std::string MacAddress::GetStringAddress() const {
    char text[18];
    std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", octets_[0], octets_[1], octets_[2],
                  octets_[3], octets_[4], octets_[5]);
    return text;
}

bool MacAddress::IsValid() const {
    return std::any_of(octets_.begin(), octets_.end(), [](uint8 octet) { return octet != 0; });
}

bool MacAddress::IsValid(const std::string &text) {
    std::array<uint8, 6> octets;
    return ParseMac(text, octets);
}

HostAddress::HostAddress(const std::string &text) : text_(text) {
    if (text.empty()) {
        type_ = HOST_ADDR_TYPE_NONE;
    } else if (Ipv4Address::IsValidAddress(text)) {
        type_ = HOST_ADDR_TYPE_IPV4;
    } else if (Ipv6Address::IsValidAddress(text)) {
        type_ = HOST_ADDR_TYPE_IPV6;
    } else if (IsHostName(text)) {
        type_ = HOST_ADDR_TYPE_FDN;
    } else {
        Refuse("host address", text);
    }
}

bool HostAddress::operator==(const HostAddress &other) const {
    if (type_ != other.type_) return false;
    switch (type_) {
        case HOST_ADDR_TYPE_IPV4:
            return Ipv4Address(text_) == Ipv4Address(other.text_);
        case HOST_ADDR_TYPE_IPV6:
            return Ipv6Address(text_) == Ipv6Address(other.text_);
        default:
            return Lower(text_) == Lower(other.text_);
    }
}

Ipv4Address HostAddress::GetIpv4Address() const {
    if (type_ != HOST_ADDR_TYPE_IPV4) throw Lib::HostCtlException("'" + text_ + "' is not an IPv4 address");
    return Ipv4Address(text_);
}

std::string HostAddress::GetHostName() const {
    if (type_ != HOST_ADDR_TYPE_FDN) throw Lib::HostCtlException("'" + text_ + "' is not a host name");
    return text_;
}

std::string PortAddress::GetStringAddress() const {
    std::string host = host_.GetHostAddress();
    if (host_.GetHostAddressType() == HostAddress::HOST_ADDR_TYPE_IPV6) host = "[" + host + "]";
    return host + ":" + std::to_string(port_);
}

}  // namespace Network
}  // namespace HostCtl

namespace QorCtl {
namespace Network {

using HostCtl::Lib::HostCtlException;
using HostCtl::Network::MacAddress;

namespace {

// A locally administered unicast address: `prefix`, then three octets of a
// hash of the name.
MacAddress DerivedMac(uint8 prefix, const std::string &name) {
    uint32 hash = 2166136261u;  // FNV-1a
    for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
    uint8 octets[6] = {0x02, 0x5a, prefix, uint8(hash >> 16), uint8(hash >> 8), uint8(hash)};
    return MacAddress(octets);
}

void RequireName(const std::string &name) {
    if (name.empty()) throw HostCtlException("an interface name is needed to generate a MAC address");
}

}  // namespace

MacAddressGenerator *MacAddressGenerator::GetSingleton() {
    static MacAddressGenerator generator;
    return &generator;
}

MacAddress MacAddressGenerator::GenerateQorNicMacAddr(const std::string &name) const {
    RequireName(name);
    return DerivedMac(0x40, name);
}

MacAddress MacAddressGenerator::GenerateVswifMacAddr(const std::string &name) const {
    RequireName(name);
    return DerivedMac(0x50, name);
}

MacAddress MacAddressGenerator::GeneratePnicPseudoMac(MacAddress &mac) const {
    uint8 octets[6];
    mac.GetBinaryAddress(octets);
    octets[0] |= 0x02;
    return MacAddress(octets);
}

MacAddress MacAddressGenerator::GenerateBackupMacAddr(const std::string &name) const {
    RequireName(name);
    return DerivedMac(0x60, name);
}

// ---- hosts file ----------------------------------------------------------------

namespace {

using HostCtl::Network::IsHostName;
using HostCtl::Network::IsIpAddress;
using HostCtl::Network::Lower;

void RequireAddress(const std::string &ip) {
    if (!IsIpAddress(ip)) throw HostCtlException("'" + ip + "' is not an IP address");
}

void RequireHostName(const std::string &name) {
    if (!IsHostName(name)) throw HostCtlException("'" + name + "' is not a valid host name");
}

std::vector<std::string> Words(const std::string &text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

std::string Trim(const std::string &text) {
    size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Refuses an address, name, alias or comment that cannot stand in the file.
void ValidateHostsItem(const std::string &ip, const std::string &hostName, const std::vector<std::string> &aliases,
                       const std::string &comment) {
    RequireAddress(ip);
    RequireHostName(hostName);
    for (const auto &alias : aliases) RequireHostName(alias);
    // The file keeps one entry a line, and the model's list of lines is comma-separated.
    if (comment.find_first_of("\n,") != std::string::npos) {
        throw HostCtlException("a hosts file comment is one line without commas");
    }
}

}  // namespace

HostsFileEntry::HostsFileEntry(const std::string &line) {
    if (line.find('\n') != std::string::npos) throw HostCtlException("a hosts file entry is one line");
    size_t hash = line.find('#');
    if (hash != std::string::npos) comment_ = Trim(line.substr(hash + 1));
    std::vector<std::string> words = Words(line.substr(0, hash));
    if (words.empty()) return;  // a comment or blank line
    if (words.size() < 2) throw HostCtlException("hosts file line '" + line + "' names no host");
    RequireAddress(words[0]);
    for (size_t i = 1; i < words.size(); ++i) RequireHostName(words[i]);
    ip_ = words[0];
    hostName_ = words[1];
    aliases_.assign(words.begin() + 2, words.end());
}

HostsFileEntry::HostsFileEntry(const std::string &ip, const std::string &hostName,
                               const std::vector<std::string> &aliases)
    : HostsFileEntry(ip, hostName, aliases, "") {}

HostsFileEntry::HostsFileEntry(const std::string &ip, const std::string &hostName,
                               const std::vector<std::string> &aliases, const std::string &comment) {
    ValidateHostsItem(ip, hostName, aliases, comment);
    ip_ = ip;
    hostName_ = hostName;
    aliases_ = aliases;
    comment_ = comment;
}

std::string HostsFileEntry::GetFormattedLine(unsigned int width) const {
    std::string comment = comment_.empty() ? "" : "# " + comment_;
    if (IsComment()) return comment;
    std::string line = ip_;
    // A wider column than a line can use would only allocate blanks.
    size_t column = std::min(width, kMaxColumn);
    line.append(column > line.size() ? column - line.size() : 1, ' ');
    line += hostName_;
    for (const auto &alias : aliases_) line += " " + alias;
    return comment.empty() ? line : line + " " + comment;
}

bool HostsFileEntry::Matches(const HostsFileEntry *other) const {
    if (!other || IsComment() || other->IsComment()) return false;
    return ip_ == other->ip_ || Lower(hostName_) == Lower(other->hostName_);
}

bool HostsFileEntry::HasName(const std::string &name) const {
    if (IsComment()) return false;
    if (Lower(hostName_) == Lower(name)) return true;
    return std::any_of(aliases_.begin(), aliases_.end(), [&](const std::string &a) { return Lower(a) == Lower(name); });
}

void HostsFileEntry::SetHostName(const std::string &hostName) {
    RequireHostName(hostName);
    hostName_ = hostName;
}

void HostsFileEntry::SetIpAddress(const std::string &ip) {
    RequireAddress(ip);
    ip_ = ip;
}

namespace {

const char *const kLoopbackLines[] = {"127.0.0.1 localhost.localdomain localhost", "::1 localhost.localdomain localhost"};

std::vector<HostsFileEntry> ReadEntries(const char *key) {
    QorCtl::Sim::NodeRef node = QorCtl::Sim::Open("HostsFile", "");
    std::vector<HostsFileEntry> entries;
    for (const auto &line : QorCtl::Sim::Read<std::vector<std::string>>(*node, key)) entries.emplace_back(line);
    return entries;
}

void WriteEntries(const char *key, const std::vector<HostsFileEntry> &entries) {
    std::vector<std::string> lines;
    for (const auto &entry : entries) lines.push_back(entry.GetFormattedLine(0));
    QorCtl::Sim::Write(*QorCtl::Sim::FindOrAdd("HostsFile", ""), key, lines);
}

}  // namespace

// The file lives in the simulated host: property "Lines" holds its lines and
// "UserLines" the user's entries, each a comma-separated list.
HostsFile::HostsFile() : lines_(ReadEntries("Lines")), config_(ReadEntries("UserLines")) {}

void HostsFile::Save() {
    WriteEntries("Lines", lines_);
    WriteEntries("UserLines", config_);
}

bool HostsFile::HasEntryForIp(const std::string &ip) const {
    return std::any_of(lines_.begin(), lines_.end(), [&](const HostsFileEntry &e) { return !e.IsComment() && e.GetIpAddress() == ip; });
}

bool HostsFile::HasEntryForHostName(const std::string &name) const {
    return std::any_of(lines_.begin(), lines_.end(), [&](const HostsFileEntry &e) { return e.HasName(name); });
}

bool HostsFile::AddOrReplaceEntry(const std::string &ip, const std::string &hostName,
                                  const std::vector<std::string> &aliases) {
    HostsFileEntry wanted(ip, hostName, aliases);
    auto found = std::find_if(lines_.begin(), lines_.end(), [&](const HostsFileEntry &e) { return e.Matches(&wanted); });
    if (found == lines_.end()) {
        lines_.push_back(wanted);
    } else if (found->GetFormattedLine(0) == wanted.GetFormattedLine(0)) {
        return false;
    } else {
        found->Replace(wanted);
    }
    Save();
    return true;
}

bool HostsFile::ReplaceHostName(const std::string &oldName, const std::string &newName) {
    RequireHostName(newName);
    bool changed = false;
    for (auto &entry : lines_) {
        if (!entry.IsComment() && Lower(entry.GetHostName()) == Lower(oldName)) {
            entry.SetHostName(newName);
            changed = true;
        }
    }
    if (changed) Save();
    return changed;
}

bool HostsFile::ReplaceIpAddress(const std::string &oldIp, const std::string &newIp) {
    RequireAddress(newIp);
    bool changed = false;
    for (auto &entry : lines_) {
        if (!entry.IsComment() && entry.GetIpAddress() == oldIp) {
            entry.SetIpAddress(newIp);
            changed = true;
        }
    }
    if (changed) Save();
    return changed;
}

namespace {

template <class Test>
bool RemoveIf(std::vector<HostsFileEntry> &entries, Test test) {
    auto kept = std::remove_if(entries.begin(), entries.end(), test);
    bool removed = kept != entries.end();
    entries.erase(kept, entries.end());
    return removed;
}

}  // namespace

bool HostsFile::RemoveEntryByIpAddress(const std::string &ip) {
    bool removed = RemoveIf(lines_, [&](const HostsFileEntry &e) { return !e.IsComment() && e.GetIpAddress() == ip; });
    if (removed) Save();
    return removed;
}

bool HostsFile::RemoveEntryByHostName(const std::string &name) {
    bool removed = RemoveIf(lines_, [&](const HostsFileEntry &e) {
        return !e.IsComment() && Lower(e.GetHostName()) == Lower(name);
    });
    if (removed) Save();
    return removed;
}

HostsFileEntryPtrVector HostsFile::GetEntriesFromConfig() const {
    HostsFileEntryPtrVector entries;
    for (const auto &entry : config_) entries.push_back(std::make_shared<HostsFileEntry>(entry));
    return entries;
}

void HostsFile::AddEntryFromUser(const std::string &ip, const std::string &hostName,
                                 const std::vector<std::string> &aliases, const std::string &comment) {
    if (!CheckUserItem(ip, hostName, true)) {
        throw HostCtlException("an entry for " + ip + " or " + hostName + " exists already");
    }
    HostsFileEntry entry(ip, hostName, aliases, comment);
    config_.push_back(entry);
    lines_.push_back(entry);
    Save();
}

void HostsFile::RemoveEntryFromUser(const std::string &ip, const std::string &hostName) {
    if (!CheckUserItem(ip, hostName, false)) {
        throw HostCtlException("no entry of " + ip + " " + hostName + " was added by a user");
    }
    auto same = [&](const HostsFileEntry &e) { return e.GetIpAddress() == ip && Lower(e.GetHostName()) == Lower(hostName); };
    RemoveIf(config_, same);
    RemoveIf(lines_, same);
    Save();
}

void HostsFile::InitEtcHosts() {
    lines_.clear();
    for (const char *line : kLoopbackLines) lines_.emplace_back(line);
    lines_.insert(lines_.end(), config_.begin(), config_.end());
    Save();
}

void HostsFile::RestoreEtcHosts() {
    for (const auto &entry : config_) {
        bool present = std::any_of(lines_.begin(), lines_.end(), [&](const HostsFileEntry &e) {
            return e.GetFormattedLine(0) == entry.GetFormattedLine(0);
        });
        if (!present) lines_.push_back(entry);
    }
    Save();
}

void HostsFile::SaveConfigStore() {
    WriteEntries("UserLines", config_);
    QorCtl::Sim::Record(*QorCtl::Sim::FindOrAdd("HostsFile", ""), "HostsFile.SaveConfigStore");
}

bool HostsFile::CheckUserItem(const std::string &ip, const std::string &hostName, bool adding) const {
    if (adding) {
        HostsFileEntry wanted(ip, hostName, {});
        return std::none_of(lines_.begin(), lines_.end(), [&](const HostsFileEntry &e) { return e.Matches(&wanted); });
    }
    return std::any_of(config_.begin(), config_.end(), [&](const HostsFileEntry &e) {
        return e.GetIpAddress() == ip && Lower(e.GetHostName()) == Lower(hostName);
    });
}

void HostsFile::ValidateItem(const std::string &ip, const std::string &hostName,
                             const std::vector<std::string> &aliases, const std::string &comment) const {
    ValidateHostsItem(ip, hostName, aliases, comment);
}

}  // namespace Network
}  // namespace QorCtl
