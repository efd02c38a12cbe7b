// Values of the iSCSI configuration that the library defines by hand: the
// numbered choices it hands over as objects, the addresses and targets of
// discovery, the discovery configurations and the firmware boot tables.
//
// Each value with a text form (Text() and a constructor from that text) is
// kept in the simulated host in that form.
#pragma once

#include <string>

#include "hostctl/core.h"
#include "hostctl/network/values.h"

// An object of the initiator-management interface the adapter is reached
// through: the library names objects by number.
class IMA_OID {
public:
    IMA_OID() = default;
    explicit IMA_OID(const std::string &text);
    std::string Text() const { return std::to_string(id); }
    bool operator==(const IMA_OID &other) const { return id == other.id; }

    uint64 id = 0;
};

namespace HostCtl {
namespace Storage {

// A choice out of a numbered list that the library passes as an object
// rather than as a number. Its text form is the number.
class NumberedChoice {
public:
    NumberedChoice() = default;
    explicit NumberedChoice(int number) : value(number) {}
    // Refuses text that is not a number.
    explicit NumberedChoice(const std::string &text);
    std::string Text() const { return std::to_string(value); }
    bool operator==(const NumberedChoice &other) const { return value == other.value; }

    int value = 0;
};

// ISCSI_AUTH_TYPE_...
class iScsiAuthType : public NumberedChoice {
public:
    using NumberedChoice::NumberedChoice;
};
// ISCSI_CHAP_...
class iScsiChapType : public NumberedChoice {
public:
    using NumberedChoice::NumberedChoice;
};
// ISCSI_DIGEST_...
class iScsiDigestType : public NumberedChoice {
public:
    using NumberedChoice::NumberedChoice;
};
// ISCSI_IPV6_CONFIG_METHOD_...
class iScsiIpv6ConfigMethod : public NumberedChoice {
public:
    using NumberedChoice::NumberedChoice;
};
// ISCSI_NETWORK_...
class iScsiNetworkStatus : public NumberedChoice {
public:
    using NumberedChoice::NumberedChoice;
};
// ISCSI_E_...
class iScsiPortErrorCodes : public NumberedChoice {
public:
    using NumberedChoice::NumberedChoice;
};
// ISCSI_NP_STATUS_...
class iScsiNetworkPortalStatus : public NumberedChoice {
public:
    using NumberedChoice::NumberedChoice;
};
// DISCOVERY_METHOD_..., or-ed together
class iScsiTargetDiscoveryMethod : public NumberedChoice {
public:
    using NumberedChoice::NumberedChoice;
};
// EXTENDED_BOOL_...
class ExtendedBool : public NumberedChoice {
public:
    using NumberedChoice::NumberedChoice;
};

// Where a target answers: a host address and a TCP port, written
// "192.0.2.60:3260" (an IPv6 address in brackets).
class TargetAddress {
public:
    TargetAddress(const HostCtl::Network::HostAddress address, uint16 port) : address_(address), port_(port) {}
    // Refuses text without a port or with a port outside 0-65535.
    explicit TargetAddress(const std::string &text);

    HostCtl::Network::HostAddress GetHostAddress() const { return address_; }
    uint16 GetPortNumber() const { return port_; }
    bool operator==(const TargetAddress &other) const;
    std::string Text() const;

private:
    HostCtl::Network::HostAddress address_;
    uint16 port_ = 0;
};

// A target by its iSCSI name at one address, with the way it was found.
// The sequence number tells apart targets found more than once.
class StaticTarget {
public:
    enum DiscoveryMethod : int {
        STATIC_DISCOVERY = 0,
        SENDTARGET_DISCOVERY = 1,
        SLP_DISCOVERY = 2,
        ISNS_DISCOVERY = 3,
        UNKNOWN_DISCOVERY = 4
    };

    StaticTarget(const std::string &name, const TargetAddress &address, const DiscoveryMethod method)
        : name_(name), address_(address), method_(method) {}
    StaticTarget(const std::string &name, const TargetAddress &address)
        : StaticTarget(name, address, STATIC_DISCOVERY) {}
    StaticTarget(const std::string &name, const TargetAddress &address, uint64 seqNo, const DiscoveryMethod method)
        : name_(name), address_(address), seqNo_(seqNo), method_(method) {}
    StaticTarget(const std::string &name, const TargetAddress &address, uint64 seqNo)
        : StaticTarget(name, address, seqNo, STATIC_DISCOVERY) {}

    std::string GetName() const { return name_; }
    TargetAddress GetAddress() const { return address_; }
    uint64 GetSeqNo() const { return seqNo_; }
    DiscoveryMethod GetDiscoveryMethod() const { return method_; }
    // The same target: name, address and sequence number; how it was found
    // does not matter.
    bool operator==(const StaticTarget &other) const;

private:
    std::string name_;
    TargetAddress address_;
    uint64 seqNo_ = 0;
    DiscoveryMethod method_ = STATIC_DISCOVERY;
};

// How the adapter finds its service-location directory agent.
class SlpConfig {
public:
    enum DiscoveryMethod : int {
        DISCOVERY_DHCP = 0,
        DISCOVERY_BROADCAST = 1,
        DISCOVERY_MULTICAST = 2,
        DISCOVERY_MANUAL = 3
    };
    static const uint16 DEFAULT_DA_PORT;

    SlpConfig();
    explicit SlpConfig(DiscoveryMethod method);

    DiscoveryMethod GetDiscoveryMethod() const;
    void SetDiscoveryMethod(DiscoveryMethod method);
    HostCtl::Network::HostAddress GetHostAddress() const;
    uint16 GetPortNumber() const;

    // Compiled into its callers: only a manually found agent has an address,
    // and a refused address leaves the configuration as it was.
    void SetHostAddress(HostCtl::Network::HostAddress address, uint16 port = DEFAULT_DA_PORT) {
        if (method_ != DISCOVERY_MANUAL) {
            throw HostCtl::Lib::HostCtlException("HostAddress can be set only for manual discovery");
        }
        address_ = address;
        port_ = port;
    }

private:
    DiscoveryMethod method_;
    HostCtl::Network::HostAddress address_;
    uint16 port_;
};

// How the adapter finds its name server.
class iSnsConfig {
public:
    enum DiscoveryMethod : int { DISCOVERY_STATIC = 0, DISCOVERY_DHCP = 1, DISCOVERY_SLP = 2 };

    iSnsConfig();
    explicit iSnsConfig(DiscoveryMethod method);

    DiscoveryMethod GetDiscoveryMethod() const;
    void SetDiscoveryMethod(DiscoveryMethod method);
    HostCtl::Network::HostAddress GetHostAddress() const;
    void SetHostAddress(HostCtl::Network::HostAddress address);

private:
    DiscoveryMethod method_;
    HostCtl::Network::HostAddress address_;
};

// One firmware boot table: the network adapter the firmware boots through,
// the target and logical unit it boots from, and the credentials it uses.
// Compiled into its callers in full.
class iScsiBootTable {
public:
    iScsiBootTable() = default;
    virtual ~iScsiBootTable() = default;

    virtual int GetEnabled() const { return Enabled; }
    virtual void SetEnabled(int value) { Enabled = value; }
    virtual std::string GetMacAddress() const { return MacAddress; }
    virtual void SetMacAddress(const std::string &value) { MacAddress = value; }
    virtual int GetNicFlags() const { return NicFlags; }
    virtual void SetNicFlags(int value) { NicFlags = value; }
    virtual int GetNicPciBusDevFunc() const { return NicPciBusDevFunc; }
    virtual void SetNicPciBusDevFunc(int value) { NicPciBusDevFunc = value; }
    virtual std::string GetNicIP() const { return NicIP; }
    virtual void SetNicIP(const std::string &value) { NicIP = value; }
    virtual std::string GetNicSubnetMask() const { return NicSubnetMask; }
    virtual void SetNicSubnetMask(const std::string &value) { NicSubnetMask = value; }
    virtual std::string GetNicGateway() const { return NicGateway; }
    virtual void SetNicGateway(const std::string &value) { NicGateway = value; }
    virtual int GetNicDhcp() const { return NicDhcp; }
    virtual void SetNicDhcp(int value) { NicDhcp = value; }
    virtual int GetNicVlan() const { return NicVlan; }
    virtual void SetNicVlan(int value) { NicVlan = value; }
    virtual int GetTargetBootFlags() const { return TargetBootFlags; }
    virtual void SetTargetBootFlags(int value) { TargetBootFlags = value; }
    virtual std::string GetTargetIP() const { return TargetIP; }
    virtual void SetTargetIP(const std::string &value) { TargetIP = value; }
    virtual int GetTargetPort() const { return TargetPort; }
    virtual void SetTargetPort(int value) { TargetPort = value; }
    virtual uint64 GetLun() const { return Lun; }
    virtual void SetLun(uint64 value) { Lun = value; }
    virtual std::string GetTargetName() const { return TargetName; }
    virtual void SetTargetName(const std::string &value) { TargetName = value; }
    virtual int GetChapType() const { return ChapType; }
    virtual void SetChapType(int value) { ChapType = value; }
    virtual std::string GetChapName() const { return ChapName; }
    virtual void SetChapName(const std::string &value) { ChapName = value; }
    virtual std::string GetChapPwd() const { return ChapPwd; }
    virtual void SetChapPwd(const std::string &value) { ChapPwd = value; }
    virtual std::string GetReverseChapName() const { return ReverseChapName; }
    virtual void SetReverseChapName(const std::string &value) { ReverseChapName = value; }
    virtual std::string GetReverseChapPwd() const { return ReverseChapPwd; }
    virtual void SetReverseChapPwd(const std::string &value) { ReverseChapPwd = value; }
    virtual int GetInitiatorBootFlags() const { return InitiatorBootFlags; }
    virtual void SetInitiatorBootFlags(int value) { InitiatorBootFlags = value; }
    virtual std::string GetSlpIP() const { return SlpIP; }
    virtual void SetSlpIP(const std::string &value) { SlpIP = value; }
    virtual std::string GetInitiatorName() const { return InitiatorName; }
    virtual void SetInitiatorName(const std::string &value) { InitiatorName = value; }
    virtual std::string GetInitiatorAlias() const { return InitiatorAlias; }
    virtual void SetInitiatorAlias(const std::string &value) { InitiatorAlias = value; }

private:
    // The numbers start at zero: firmware that fills no table leaves it off.
    int Enabled = 0;
    int NicFlags = 0;
    int NicPciBusDevFunc = 0;
    std::string MacAddress;
    std::string NicIP;
    std::string NicSubnetMask;
    std::string NicGateway;
    int NicDhcp = 0;
    int NicVlan = 0;
    int TargetBootFlags = 0;
    std::string TargetIP;
    int TargetPort = 0;
    uint64 Lun = 0;
    std::string TargetName;
    int ChapType = 0;
    std::string ChapName;
    std::string ChapPwd;
    std::string ReverseChapName;
    std::string ReverseChapPwd;
    int InitiatorBootFlags = 0;
    std::string SlpIP;
    std::string InitiatorName;
    std::string InitiatorAlias;
};

// The firmware's two boot tables. Tables go in and out as copies.
class iScsiBootTables {
public:
    iScsiBootTables() = default;
    virtual ~iScsiBootTables() = default;

    virtual iScsiBootTable GetPrimary() const { return Primary; }
    virtual void SetPrimary(iScsiBootTable table) { Primary = table; }
    virtual iScsiBootTable GetSecondary() const { return Secondary; }
    virtual void SetSecondary(iScsiBootTable table) { Secondary = table; }

private:
    iScsiBootTable Primary;
    iScsiBootTable Secondary;
};

}  // namespace Storage
}  // namespace HostCtl

namespace QorCtl {
namespace Sim {

// The firmware's boot tables are nodes of the kind "iScsiBootTable"; the
// property that holds them names the primary and the secondary table
// ("fw-primary,fw-secondary"), each field a property of its node.
template <>
struct Codec<HostCtl::Storage::iScsiBootTables> {
    static HostCtl::Storage::iScsiBootTables Decode(const std::string &text);
};

}  // namespace Sim
}  // namespace QorCtl
