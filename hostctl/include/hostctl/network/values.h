// Network value classes that behave for real: addresses and networks parse,
// format, compare and validate; policies keep which of their values are set;
// hosts-file entries parse and format the lines of the hosts file.
//
// Text that does not hold what a constructor or conversion needs is refused
// with the library's exception, never read as some other value.
#pragma once

#include <netinet/in.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "hostctl/core.h"
#include "hostctl/network/enums.h"
#include "hostctl/sim.h"

namespace HostCtl {
namespace Network {

// Opaque data the library keeps inside records.
class LACPUWStatus {};
class Rule {};
class Ruleset {};

// Base of the address family; polymorphic, so copies go through the copy
// constructor of the concrete class.
class IpAddress {
public:
    virtual ~IpAddress() = default;
    virtual std::string GetStringAddress() const = 0;
    virtual bool IsValidAddress() const = 0;
    virtual bool IsLoopbackAddress() const = 0;
    virtual bool IsAllzeroAddress() const = 0;
    virtual bool IsValidNetmask() const = 0;
    virtual bool IsValidMulticastAddress() const = 0;
    virtual IpAddressType GetIpAddressType() const = 0;
};

// One IPv4 address; the binary form is the address as a number, so that
// "192.0.2.1" is 0xc0000201.
class Ipv4Address : public IpAddress {
public:
    Ipv4Address() = default;
    explicit Ipv4Address(const std::string &text);
    explicit Ipv4Address(uint32 binary) : binary_(binary) {}

    bool operator==(const Ipv4Address &other) const { return binary_ == other.binary_; }
    std::string GetStringAddress() const override { return AddressFromUint(binary_); }
    uint32 GetBinaryAddress() const { return binary_; }
    void SetBinaryAddress(uint32 binary) { binary_ = binary; }
    // The unspecified address 0.0.0.0 is not an address of anything.
    bool IsValidAddress() const override { return binary_ != 0; }
    static bool IsValidAddress(const std::string &text);
    bool IsLoopbackAddress() const override { return (binary_ >> 24) == 127; }
    bool IsAllzeroAddress() const override { return binary_ == 0; }
    bool IsValidNetmask() const override;
    bool IsValidMulticastAddress() const override { return (binary_ >> 28) == 0xe; }
    static std::string AddressFromUint(uint32 binary);
    static uint32 UintFromAddress(const std::string &text);
    IpAddressType GetIpAddressType() const override { return IP_ADDRESS_V4; }

private:
    uint32 binary_ = 0;
};

// An IPv4 network: an address and a netmask, written "192.0.2.0/24".
class Ipv4Network {
public:
    Ipv4Network() = default;
    explicit Ipv4Network(const std::string &text);
    Ipv4Network(Ipv4Address network, Ipv4Address netmask) : network_(network), netmask_(netmask) {}
    Ipv4Network(uint32 network, uint32 netmask) : network_(network), netmask_(netmask) {}
    // A single address: the network of that host alone.
    explicit Ipv4Network(uint32 address) : network_(address), netmask_(0xffffffffu) {}

    bool operator==(const Ipv4Network &other) const;
    // Ordered by network address, then by netmask.
    int operator<(const Ipv4Network &other) const;
    std::string GetStringAddress() const;
    Ipv4Address GetNetmask() const { return netmask_; }
    void SetNetmask(Ipv4Address netmask) { netmask_ = netmask; }
    Ipv4Address GetNetwork() const { return network_; }
    void SetNetwork(Ipv4Address network) { network_ = network; }
    // Whether `address` has no bits outside this network's netmask.
    bool IsValidNetworkAddress(Ipv4Address address) const;
    static Ipv4Address NetmaskFromNumber(uint32 prefix);
    static uint32 NumberFromNetmask(Ipv4Address netmask);

private:
    Ipv4Address network_;
    Ipv4Address netmask_;
};

// The 128 bits of an IPv6 address as four 32-bit words, most significant first.
class Ipv6_addr {
public:
    uint32 addr[4]{};
};

// One IPv6 address, with the zone of a scoped address ("fe80::1%qk0").
class Ipv6Address : public IpAddress {
public:
    Ipv6Address() = default;
    explicit Ipv6Address(const std::string &text);
    explicit Ipv6Address(Ipv6_addr binary) : binary_(binary) {}

    // The compressed text form (RFC 5952), without the zone.
    std::string GetStringAddress() const override { return AddressFromUint(binary_); }
    // Removes the zone ("%qk0") from `text`.
    static void TruncateScopeInAddress(std::string &text);
    std::string GetScopedStringAddress() const;
    Ipv6_addr GetBinaryAddress() const { return binary_; }
    void SetBinaryAddress(Ipv6_addr binary) { binary_ = binary; }
    // The unspecified address "::" is not an address of anything.
    bool IsValidAddress() const override { return !IsAllzeroAddress(); }
    static bool IsValidAddress(const std::string &text);
    bool IsLoopbackAddress() const override;
    bool IsAllzeroAddress() const override;
    bool IsValidMulticastAddress() const override { return (binary_.addr[0] >> 24) == 0xff; }
    bool IsValidNetmask() const override;
    static std::string AddressFromUint(Ipv6_addr binary);
    static std::string AddressFromUint(in6_addr binary);
    static Ipv6_addr UintFromAddress(const std::string &text);
    bool operator==(const Ipv6Address &other) const;
    IpAddressType GetIpAddressType() const override { return IP_ADDRESS_V6; }
    bool IsScopedAddress() const { return !zone_.empty(); }

private:
    Ipv6_addr binary_;
    std::string zone_;
};

// An IPv6 address with its prefix length ("2001:db8::5/64") and what the
// host knows of it: how it was configured, its state, lifetime and scope.
class Ipv6Network {
public:
    Ipv6Network() = default;
    explicit Ipv6Network(const std::string &text);
    Ipv6Network(Ipv6Address address, uint32 prefix);

    bool operator==(const Ipv6Network &other) const;
    bool operator<(const Ipv6Network &other) const;
    std::string GetStringAddress() const;
    void SetNetmask(uint32 prefix);
    uint32 GetNetmask() const { return prefix_; }
    Ipv6Address GetAddress() const { return address_; }
    void SetAddress(Ipv6Address address) { address_ = address; }
    // The unspecified address is valid only as the default route "::/0".
    bool IsValid() const { return !address_.IsAllzeroAddress() || prefix_ == 0; }
    bool IsValidNetworkAddress(Ipv6Address address) const;
    Ipv6AddressType GetIpv6AddressType() const { return type_; }
    void SetIpv6AddressType(Ipv6AddressType type) { type_ = type; }
    Ipv6AddressType GetIpv6AddressStatus() const { return status_; }
    void SetIpv6AddressStatus(Ipv6AddressType status) { status_ = status; }
    uint32 GetLifeTime() const { return lifetime_; }
    void SetLifeTime(uint32 seconds) { lifetime_ = seconds; }
    Ipv6Scope GetIpv6Scope() const { return scope_; }
    void SetIpv6Scope(Ipv6Scope scope) { scope_ = scope; }
    void SetUseDhcp() { type_ = IP6_ADDRESS_DHCP; }
    void SetUseRouterAdvertised() { type_ = IP6_ADDRESS_AUTOCONF; }
    static Ipv6Address NetmaskFromNumber(uint32 prefix);
    static uint32 NumberFromNetmask(Ipv6Address netmask);
    static bool IsValidAddressAndNetmask(const std::string &text);

private:
    Ipv6Address address_;
    uint32 prefix_ = 0;
    Ipv6AddressType type_ = IP6_ADDRESS_STATIC;
    Ipv6AddressType status_ = IP6_ADDRESS_UNSET;
    uint32 lifetime_ = 0;
    Ipv6Scope scope_ = IP6_SCOPE_UNSET;
};

// The IP configuration of one host interface.
class IpConfig {
public:
    void SetUseDhcp(bool useDhcp);
    void SetUseDhcp(bool useDhcp, bool dhcpDns);
    void SetUseIpv6Dhcp(bool use) { useIpv6Dhcp_ = use; }
    bool GetUseDhcp() const { return useDhcp_; }
    bool GetUseIpv6Dhcp() const { return useIpv6Dhcp_; }
    void SetUseIpv6RouterAdvertised(bool use) { useIpv6RouterAdvertised_ = use; }
    bool GetUseIpv6RouterAdvertised() const { return useIpv6RouterAdvertised_; }
    void SetUseIpv6(bool use) { useIpv6_ = use; }
    void EnableIpv6() { useIpv6_ = true; }
    bool GetUseIpv6() const { return useIpv6_; }
    bool IsUsingDhcp() const { return useDhcp_ && !ipv4None_; }
    bool IsUsingIpv6Dhcp() const { return useIpv6_ && useIpv6Dhcp_; }
    bool GetDhcpDns() const { return dhcpDns_; }
    void SetDhcpDns(bool use) { dhcpDns_ = use; }
    bool GetIpv6DhcpDns() const { return ipv6DhcpDns_; }
    void SetIpv6DhcpDns(bool use) { ipv6DhcpDns_ = use; }
    // No IPv4 at all: neither DHCP nor a static address.
    void SetIpv4UseNone();
    bool GetIpv4UseNone() const { return ipv4None_; }
    Ipv4Address GetIpv4Address() const { return address_; }
    std::vector<Ipv6Network> GetIpv6Network() const { return ipv6Networks_; }
    // A static address ends DHCP and "no IPv4".
    void SetIpv4Address(Ipv4Address address);
    Ipv4Address GetIpv4Gateway() const { return gateway_; }
    void SetIpv4Gateway(Ipv4Address gateway) { gateway_ = gateway; }
    // Adding a network already configured changes nothing.
    void AddIpv6Network(Ipv6Network network);
    // Refused when the network is not configured.
    void RemoveIpv6Network(Ipv6Network network);
    void SetIpv6Gateway(Ipv6Address gateway) { ipv6Gateway_ = gateway; }
    Ipv6Address GetIpv6Gateway() const { return ipv6Gateway_; }
    Ipv4Address GetIpv4Netmask() const { return netmask_; }
    void SetIpv4Netmask(Ipv4Address netmask) { netmask_ = netmask; }
    // The broadcast address set, or else the one of the address and netmask.
    Ipv4Address GetIpv4Broadcast() const;
    void SetIpv4Broadcast(Ipv4Address broadcast) { broadcast_ = broadcast; }
    bool IsValid() const { return IsIpv4Valid() && IsIpv6Valid(); }
    bool IsIpv4Valid() const;
    bool IsIpv6Valid() const;
    // Whether `text` is the IPv4 address or one of the IPv6 addresses.
    bool ContainsAddress(const std::string &text) const;

private:
    bool useDhcp_ = false;
    bool dhcpDns_ = false;
    bool ipv4None_ = false;
    bool useIpv6_ = false;
    bool useIpv6Dhcp_ = false;
    bool useIpv6RouterAdvertised_ = false;
    bool ipv6DhcpDns_ = false;
    Ipv4Address address_;
    Ipv4Address netmask_;
    Ipv4Address gateway_;
    Ipv4Address broadcast_;
    std::vector<Ipv6Network> ipv6Networks_;
    Ipv6Address ipv6Gateway_;
};

// A value of a policy that may be unset (then a derived policy takes the
// parent's) and, for link criteria, marked to be ignored.
template <class T>
struct PolicyValue {
    bool set = false;
    bool ignore = false;
    T value{};

    void Set(T v, bool ignored = false) {
        set = true;
        value = v;
        ignore = ignored;
    }
    void Unset() { *this = PolicyValue(); }
    // Reading a value that is not set is refused.
    const T &Get(const char *policy, const char *name) const;
    void Derive(const PolicyValue &parent) {
        if (!set) *this = parent;
    }
};

[[noreturn]] void ThrowUnsetValue(const char *policy, const char *name);

template <class T>
const T &PolicyValue<T>::Get(const char *policy, const char *name) const {
    if (!set) ThrowUnsetValue(policy, name);
    return value;
}

// Set, Unset, Has and Get of one policy value.
#define QOR_POLICY_VALUE(Policy, Name, Type)                                         \
    void Set##Name(Type value) { Name##_.Set(value); }                               \
    void Unset##Name() { Name##_.Unset(); }                                          \
    bool Has##Name() const { return Name##_.set; }                                   \
    Type Get##Name() const { return Name##_.Get(#Policy, #Name); }

// The same for a link criterion, which may be set to be ignored.
#define QOR_LINK_CRITERION(Name, Type)                                                \
    void Set##Name(Type value, bool ignore) { Name##_.Set(value, ignore); }          \
    void Set##Name(Type value) { Name##_.Set(value); }                               \
    void Unset##Name() { Name##_.Unset(); }                                          \
    bool Has##Name() const { return Name##_.set; }                                   \
    Type Get##Name() const { return Name##_.Get("LinkCriteriaSelectionPolicy", #Name); } \
    bool Ignore##Name() const { return Name##_.set && Name##_.ignore; }

// How a team of uplinks decides that a link has failed.
class LinkCriteriaSelectionPolicy {
public:
    static const std::string IGNORE_STR;

    static LinkCriteriaSelectionPolicy GetDefaultPolicy();
    void Derive(const LinkCriteriaSelectionPolicy &parent);
    bool IsSet() const;
    QOR_LINK_CRITERION(MinimumSpeed, uint32)
    QOR_LINK_CRITERION(ExactSpeed, uint32)
    QOR_LINK_CRITERION(PercentError, uint32)
    QOR_LINK_CRITERION(Duplex, bool)
    void SetBeacon(bool ignore) { Beacon_.Set(true, ignore); }
    void SetBeacon() { Beacon_.Set(true); }
    void UnsetBeacon() { Beacon_.Unset(); }
    bool HasBeacon() const { return Beacon_.set; }
    bool IgnoreBeacon() const { return Beacon_.set && Beacon_.ignore; }
    // "minimumSpeed=1000 exactSpeed=ignore ..." for the criteria that are set.
    std::string ToString() const;

private:
    PolicyValue<uint32> MinimumSpeed_, ExactSpeed_, PercentError_;
    PolicyValue<bool> Duplex_, Beacon_;
};

// Six octets; the text form is six two-digit hexadecimal groups separated
// by colons.
class MacAddress {
public:
    MacAddress() = default;
    explicit MacAddress(const std::string &text);
    explicit MacAddress(const uint8 octets[6]);
    explicit MacAddress(const uint32 octets[6]);

    void GetBinaryAddress(uint8 octets[6]) const;
    std::string GetStringAddress() const;
    // The all-zero address is no adapter's.
    bool IsValid() const;
    static bool IsValid(const std::string &text);
    bool operator==(const MacAddress &other) const { return octets_ == other.octets_; }

private:
    std::array<uint8, 6> octets_{};
};

class NicTeamingPolicy {
public:
    enum TeamPolicyType : int {
        TEAM_POLICY_NONE = 0,
        TEAM_POLICY_LB_IP = 1,
        TEAM_POLICY_LB_SRCMAC = 2,
        TEAM_POLICY_LB_SRCID = 3,
        TEAM_POLICY_FO_EXPLICIT = 4,
        TEAM_POLICY_LAST_ELEMENT = 5,
        DEF_TEAM_POLICY = 3
    };

    static NicTeamingPolicy GetDefaultPolicy();
    void Derive(const NicTeamingPolicy &parent);
    bool IsSet() const;
    void UnsetAll() { *this = NicTeamingPolicy(); }
    // Values outside the policy types are refused.
    void SetTeamingPolicy(TeamPolicyType type);
    void UnsetTeamingPolicy() { TeamingPolicy_.Unset(); }
    bool HasTeamingPolicy() const { return TeamingPolicy_.set; }
    TeamPolicyType GetTeamingPolicy() const { return TeamingPolicy_.Get("NicTeamingPolicy", "TeamingPolicy"); }
    QOR_POLICY_VALUE(NicTeamingPolicy, NotifySwitchOnFailure, bool)
    QOR_POLICY_VALUE(NicTeamingPolicy, ReversePolicy, bool)
    QOR_POLICY_VALUE(NicTeamingPolicy, RollingRestoration, bool)
    QOR_POLICY_VALUE(NicTeamingPolicy, LinkCriteria, LinkCriteriaSelectionPolicy)
    void SetUplinkOrder(std::vector<std::string> uplinks) { UplinkOrder_.Set(std::move(uplinks)); }
    bool HasUplinkOrder() const { return UplinkOrder_.set; }
    std::vector<std::string> GetUplinkOrder() const { return UplinkOrder_.Get("NicTeamingPolicy", "UplinkOrder"); }
    // How many uplinks of the order are active; the rest stand by.
    void SetMaxActiveUplinks(int count);
    int GetMaxActiveUplinks() const { return maxActiveUplinks_; }
    std::string ToString() const;

private:
    PolicyValue<TeamPolicyType> TeamingPolicy_;
    PolicyValue<bool> NotifySwitchOnFailure_, ReversePolicy_, RollingRestoration_;
    PolicyValue<LinkCriteriaSelectionPolicy> LinkCriteria_;
    PolicyValue<std::vector<std::string>> UplinkOrder_;
    int maxActiveUplinks_ = 0;
};

class PortSecurityPolicy {
public:
    static PortSecurityPolicy GetDefaultPolicy();
    void Derive(const PortSecurityPolicy &parent);
    bool IsSet() const { return AllowPromiscuous_.set || AllowMacAddressChange_.set || AllowForgedTransmits_.set; }
    void UnsetAll() { *this = PortSecurityPolicy(); }
    QOR_POLICY_VALUE(PortSecurityPolicy, AllowPromiscuous, bool)
    QOR_POLICY_VALUE(PortSecurityPolicy, AllowMacAddressChange, bool)
    QOR_POLICY_VALUE(PortSecurityPolicy, AllowForgedTransmits, bool)

private:
    PolicyValue<bool> AllowPromiscuous_, AllowMacAddressChange_, AllowForgedTransmits_;
};

// Traffic shaping in bits per second, with the burst size in bytes.
class ShapingPolicy {
public:
    static ShapingPolicy GetDefaultPolicy();
    void Derive(const ShapingPolicy &parent);
    bool IsSet() const { return Enabled_.set || PeakBps_.set || AverageBps_.set || BurstSize_.set; }
    void UnsetAll() { *this = ShapingPolicy(); }
    // Disabled, or enabled with all three values set, the average not above
    // the peak and a burst size above zero.
    bool IsValid() const;
    // This policy with its unset values taken from the default policy.
    ShapingPolicy FillValues() const;
    QOR_POLICY_VALUE(ShapingPolicy, Enabled, bool)
    QOR_POLICY_VALUE(ShapingPolicy, PeakBps, uint64)
    QOR_POLICY_VALUE(ShapingPolicy, AverageBps, uint64)
    QOR_POLICY_VALUE(ShapingPolicy, BurstSize, uint64)

private:
    PolicyValue<bool> Enabled_;
    PolicyValue<uint64> PeakBps_, AverageBps_, BurstSize_;
};

// Every capability with its bit.
#define QOR_NIC_CAPABILITIES(X) \
    X(VlanTag, 0) \
    X(VlanUntag, 1) \
    X(ChecksumOffload, 2) \
    X(TcpSegmentationOffload, 3) \
    X(ScatterGatherTx, 4) \
    X(HighDMA, 5) \
    X(ScatterGatherSpanPagesTx, 6) \
    X(ChecksumOffloadIPv6, 7) \
    X(TcpSegmentationOffloadIPv6, 8) \
    X(TcpSegmentationOffload256k, 9) \
    X(UplinkReadOnlyInetHeaders, 10) \
    X(UPT, 11) \
    X(ENCAP, 12) \
    X(DCB, 13) \
    X(OffsetBasedOffload, 14) \
    X(ChecksumOffloadIPv6ExtHdrs, 15) \
    X(TcpSegmentationOffloadIPv6ExtHdrs, 16) \
    X(Sched, 17) \
    X(SRIOV, 18) \
    X(SwLRO, 19) \
    X(AdjustHeaderAlignment, 20) \
    X(GenericOffload, 21) \
    X(GeneveOffload, 22) \
    X(HW_DCB, 23) \
    X(BMC_NIC, 24) \
    X(K2K_NIC, 25) \
    X(PreferredMgmtNic, 26)

// An adapter's capabilities as two bit sets: the mask says which
// capabilities are set, the flags what each set one is.
class NicCapabilities {
public:
    NicCapabilities() = default;
    NicCapabilities(uint64 flags, uint64 mask) : flags_(flags & mask), mask_(mask) {}

    static NicCapabilities GetDefaultPolicy() { return NicCapabilities(); }
    // Takes the parent's value of every capability not set here.
    void Derive(const NicCapabilities &parent);
    bool IsSet() const { return mask_ != 0; }
    void UnsetAll() { flags_ = mask_ = 0; }
    uint64 GetFlags() const { return flags_; }
    uint64 GetMask() const { return mask_; }

#define QOR_CAPABILITY(Name, Bit)                                                       \
    void Set##Name(bool on) { SetBit(Bit, on); }                                       \
    void Unset##Name() { UnsetBit(Bit); }                                              \
    bool Has##Name() const { return (mask_ >> (Bit)) & 1; }                           \
    bool Get##Name() const { return GetBit(Bit, #Name); }
    QOR_NIC_CAPABILITIES(QOR_CAPABILITY)
#undef QOR_CAPABILITY

    // Capabilities named in a list, each set on or, with "=false", off:
    // "VlanTag,SRIOV=false"; an unknown name is refused.
    static NicCapabilities FromText(const std::string &text);

private:
    void SetBit(int bit, bool on);
    void UnsetBit(int bit);
    bool GetBit(int bit, const char *name) const;

    uint64 flags_ = 0;
    uint64 mask_ = 0;
};

// A host name or address: IPv4 or IPv6 text, or a fully qualified name.
class HostAddress {
public:
    enum HostAddressType : int {
        HOST_ADDR_TYPE_IPV4 = 0,
        HOST_ADDR_TYPE_IPV6 = 1,
        HOST_ADDR_TYPE_FDN = 2,
        HOST_ADDR_TYPE_NONE = 3
    };

    HostAddress() = default;
    // Refuses text that is neither an address nor a valid host name.
    explicit HostAddress(const std::string &text);

    std::string GetHostAddress() const { return text_; }
    int GetHostAddressType() const { return type_; }
    // Addresses compare by value, names without regard to case.
    bool operator==(const HostAddress &other) const;
    // Refused unless the host address is an IPv4 address.
    Ipv4Address GetIpv4Address() const;
    // Refused unless the host address is a name.
    std::string GetHostName() const;

private:
    std::string text_;
    HostAddressType type_ = HOST_ADDR_TYPE_NONE;
};

// A host address with a port: "192.0.2.7:902", "[2001:db8::7]:902".
class PortAddress {
public:
    PortAddress() = default;
    PortAddress(const std::string &host, uint16 port) : host_(host), port_(port) {}

    std::string GetStringAddress() const;

private:
    HostAddress host_;
    uint16 port_ = 0;
};

}  // namespace Network
}  // namespace HostCtl

namespace QorCtl {
namespace Sim {

// The simulated host writes an adapter's capabilities as a list of names.
template <>
struct Codec<HostCtl::Network::NicCapabilities> {
    static HostCtl::Network::NicCapabilities Decode(const std::string &text) {
        return HostCtl::Network::NicCapabilities::FromText(text);
    }
};

}  // namespace Sim

namespace Network {

// Locally administered MAC addresses the host makes for its own interfaces,
// derived from a name so that the same name always gets the same address.
class MacAddressGenerator {
public:
    static MacAddressGenerator *GetSingleton();
    HostCtl::Network::MacAddress GenerateQorNicMacAddr(const std::string &name) const;
    HostCtl::Network::MacAddress GenerateVswifMacAddr(const std::string &name) const;
    // The pseudo address of an adapter: its own with the local bit set.
    HostCtl::Network::MacAddress GeneratePnicPseudoMac(HostCtl::Network::MacAddress &mac) const;
    HostCtl::Network::MacAddress GenerateBackupMacAddr(const std::string &name) const;

    // The one generator has no state and lives as long as the library, so
    // deleting it releases nothing and leaves it usable.
    static void operator delete(void *) {}

private:
    MacAddressGenerator() = default;
};

// One line of the hosts file: "address name alias... # comment", a comment
// line or a blank line.
class HostsFileEntry {
public:
    // Parses a line; refuses one whose address or names are not valid.
    explicit HostsFileEntry(const std::string &line);
    HostsFileEntry(const std::string &ip, const std::string &hostName, const std::vector<std::string> &aliases);
    HostsFileEntry(const std::string &ip, const std::string &hostName, const std::vector<std::string> &aliases,
                   const std::string &comment);

    // The line, with the address padded to `width` columns (at most kMaxColumn).
    std::string GetFormattedLine(unsigned int width) const;
    static constexpr unsigned int kMaxColumn = 64;
    bool IsComment() const { return ip_.empty(); }
    // Whether `other` names the same address or the same host.
    bool Matches(const HostsFileEntry *other) const;
    std::string GetIpAddress() const { return ip_; }
    std::string GetHostName() const { return hostName_; }
    std::vector<std::string> GetAliases() const { return aliases_; }
    bool HasName(const std::string &name) const;
    void SetHostName(const std::string &hostName);
    void SetIpAddress(const std::string &ip);
    void Replace(HostsFileEntry &other) { *this = other; }
    std::string GetComment() const { return comment_; }

private:
    std::string ip_;
    std::string hostName_;
    std::vector<std::string> aliases_;
    std::string comment_;
};

typedef std::vector<std::shared_ptr<HostsFileEntry>> HostsFileEntryPtrVector;

// The host's hosts file, and the entries a user added through the
// configuration store, which survive a rewrite of the file.
class HostsFile {
public:
    HostsFile();

    bool HasEntryForIp(const std::string &ip) const;
    bool HasEntryForHostName(const std::string &name) const;
    // Replaces the entry of the same address or host, or appends one;
    // false when the file already held exactly that entry.
    bool AddOrReplaceEntry(const std::string &ip, const std::string &hostName,
                           const std::vector<std::string> &aliases);
    bool ReplaceHostName(const std::string &oldName, const std::string &newName);
    bool ReplaceIpAddress(const std::string &oldIp, const std::string &newIp);
    bool RemoveEntryByIpAddress(const std::string &ip);
    bool RemoveEntryByHostName(const std::string &name);
    HostsFileEntryPtrVector GetEntriesFromConfig() const;
    void AddEntryFromUser(const std::string &ip, const std::string &hostName,
                          const std::vector<std::string> &aliases, const std::string &comment);
    void RemoveEntryFromUser(const std::string &ip, const std::string &hostName);
    // Writes the file afresh: the loopback entries, then the user's entries.
    void InitEtcHosts();
    // Adds the user's entries that the file lost.
    void RestoreEtcHosts();
    void SaveConfigStore();
    // Whether a user may add (`adding`) or remove the entry of `ip` and `hostName`.
    bool CheckUserItem(const std::string &ip, const std::string &hostName, bool adding) const;
    // Refuses an address, name, alias or comment that cannot stand in the file.
    void ValidateItem(const std::string &ip, const std::string &hostName, const std::vector<std::string> &aliases,
                      const std::string &comment) const;

private:
    void Save();

    std::vector<HostsFileEntry> lines_;
    std::vector<HostsFileEntry> config_;
};

}  // namespace Network
}  // namespace QorCtl
