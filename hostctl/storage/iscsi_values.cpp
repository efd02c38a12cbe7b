// The iSCSI values the library defines by hand: numbered choices, target
// addresses and targets, the discovery configurations, and the firmware boot
// tables as the simulated host keeps them.
#include <cerrno>
#include <cstdlib>

#include "hostctl/network/values.h"
#include "hostctl/sim.h"
#include "hostctl/storage/iscsi_values.h"

namespace {

[[noreturn]] void refuse(const std::string &message) { throw HostCtl::Lib::HostCtlException(message); }

// The whole of `text` as a number within [low, high], or the library's refusal.
unsigned long long whole_number(const std::string &text, unsigned long long high, const char *what) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        refuse("'" + text + "' is not " + what);
    }
    errno = 0;
    unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > high) refuse("'" + text + "' is not " + what);
    return value;
}

}  // namespace

IMA_OID::IMA_OID(const std::string &text) : id(whole_number(text, ~0ULL, "an object number")) {}

namespace HostCtl {
namespace Storage {

NumberedChoice::NumberedChoice(const std::string &text)
    : value(static_cast<int>(whole_number(text, 0x7fffffff, "a choice number"))) {}

// "host:port", with an IPv6 address in brackets: the port follows the last
// colon, which an unbracketed IPv6 address would make ambiguous.
TargetAddress::TargetAddress(const std::string &text) {
    size_t colon = text.rfind(':');
    if (colon == std::string::npos) refuse("target address '" + text + "' has no port");
    std::string host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    } else if (host.find(':') != std::string::npos) {
        refuse("target address '" + text + "' needs its IPv6 address in brackets");
    }
    address_ = HostCtl::Network::HostAddress(host);
    port_ = static_cast<uint16>(whole_number(text.substr(colon + 1), 65535, "a port number"));
}

bool TargetAddress::operator==(const TargetAddress &other) const {
    return port_ == other.port_ && address_ == other.address_;
}

std::string TargetAddress::Text() const {
    std::string host = address_.GetHostAddress();
    if (address_.GetHostAddressType() == HostCtl::Network::HostAddress::HOST_ADDR_TYPE_IPV6) host = "[" + host + "]";
    return host + ":" + std::to_string(port_);
}

bool StaticTarget::operator==(const StaticTarget &other) const {
    return name_ == other.name_ && address_ == other.address_ && seqNo_ == other.seqNo_;
}

SlpConfig::SlpConfig() : SlpConfig(DISCOVERY_DHCP) {}
SlpConfig::SlpConfig(DiscoveryMethod method) : method_(method), port_(DEFAULT_DA_PORT) {}
SlpConfig::DiscoveryMethod SlpConfig::GetDiscoveryMethod() const { return method_; }
void SlpConfig::SetDiscoveryMethod(DiscoveryMethod method) { method_ = method; }
HostCtl::Network::HostAddress SlpConfig::GetHostAddress() const { return address_; }
uint16 SlpConfig::GetPortNumber() const { return port_; }

iSnsConfig::iSnsConfig() : iSnsConfig(DISCOVERY_STATIC) {}
iSnsConfig::iSnsConfig(DiscoveryMethod method) : method_(method) {}
iSnsConfig::DiscoveryMethod iSnsConfig::GetDiscoveryMethod() const { return method_; }
void iSnsConfig::SetDiscoveryMethod(DiscoveryMethod method) { method_ = method; }
HostCtl::Network::HostAddress iSnsConfig::GetHostAddress() const { return address_; }
void iSnsConfig::SetHostAddress(HostCtl::Network::HostAddress address) { address_ = address; }

}  // namespace Storage
}  // namespace HostCtl

namespace QorCtl {
namespace Sim {

namespace {

// One table from the properties of its node; a missing property leaves the
// member as a new table has it.
HostCtl::Storage::iScsiBootTable boot_table(const std::string &name) {
    HostCtl::Storage::iScsiBootTable table;
    NodeRef node = Find("iScsiBootTable", name);
    if (!node) NotFound("iScsiBootTable", name);
    const Node &n = *node;
    table.SetEnabled(Read<int>(n, "Enabled"));
    table.SetMacAddress(Read<std::string>(n, "MacAddress"));
    table.SetNicFlags(Read<int>(n, "NicFlags"));
    table.SetNicPciBusDevFunc(Read<int>(n, "NicPciBusDevFunc"));
    table.SetNicIP(Read<std::string>(n, "NicIP"));
    table.SetNicSubnetMask(Read<std::string>(n, "NicSubnetMask"));
    table.SetNicGateway(Read<std::string>(n, "NicGateway"));
    table.SetNicDhcp(Read<int>(n, "NicDhcp"));
    table.SetNicVlan(Read<int>(n, "NicVlan"));
    table.SetTargetBootFlags(Read<int>(n, "TargetBootFlags"));
    table.SetTargetIP(Read<std::string>(n, "TargetIP"));
    table.SetTargetPort(Read<int>(n, "TargetPort"));
    table.SetLun(Read<uint64>(n, "Lun"));
    table.SetTargetName(Read<std::string>(n, "TargetName"));
    table.SetChapType(Read<int>(n, "ChapType"));
    table.SetChapName(Read<std::string>(n, "ChapName"));
    table.SetChapPwd(Read<std::string>(n, "ChapPwd"));
    table.SetReverseChapName(Read<std::string>(n, "ReverseChapName"));
    table.SetReverseChapPwd(Read<std::string>(n, "ReverseChapPwd"));
    table.SetInitiatorBootFlags(Read<int>(n, "InitiatorBootFlags"));
    table.SetSlpIP(Read<std::string>(n, "SlpIP"));
    table.SetInitiatorName(Read<std::string>(n, "InitiatorName"));
    table.SetInitiatorAlias(Read<std::string>(n, "InitiatorAlias"));
    return table;
}

}  // namespace

HostCtl::Storage::iScsiBootTables Codec<HostCtl::Storage::iScsiBootTables>::Decode(const std::string &text) {
    std::vector<std::string> names = Codec<std::vector<std::string>>::Decode(text);
    HostCtl::Storage::iScsiBootTables tables;
    if (names.size() > 0 && !names[0].empty()) tables.SetPrimary(boot_table(names[0]));
    if (names.size() > 1 && !names[1].empty()) tables.SetSecondary(boot_table(names[1]));
    return tables;
}

}  // namespace Sim
}  // namespace QorCtl
