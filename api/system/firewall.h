// Allowed-address lists of the firewall: the text form of a list and the
// differences between a desired and a current list, computed by the module.
#pragma once

#include <string>

#include "hostctl/system/objects.h"

namespace qor {
namespace system {

// "Ipv4Address:{a , b , } networkListv4:{} addressListv6:{} networkListv6:{} ":
// every element is followed by " , " and every family closed by "} ".
std::string IpListText(const HostCtl::System::FirewallIpList &list);

// Appends to `toBeDel` what `current` has and `desired` lacks, and to
// `toBeAdd` what `desired` has and `current` lacks, family by family, each
// difference once and in ascending order; then logs one information line.
// An empty holder is refused with the null-reference message of its position.
void CalcIps(const std::string &name, const HostCtl::System::FirewallIpListPtr &desired,
             const HostCtl::System::FirewallIpListPtr &current, HostCtl::System::FirewallIpListPtr &toBeDel,
             HostCtl::System::FirewallIpListPtr &toBeAdd);

}  // namespace system
}  // namespace qor
