#include "api/system/firewall.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

#include "hostctl/network/values.h"
#include "hostctl/system/opaque.h"  // by-value members of the system records
#include "hostctl/system/objects.h"
#include "api/core/guard.h"

namespace qor {
namespace system {
namespace {

using HostCtl::Network::Ipv4Address;
using HostCtl::Network::Ipv4Network;
using HostCtl::Network::Ipv6Address;
using HostCtl::Network::Ipv6Network;

// How each family is ordered: IPv4 addresses by their binary value, networks
// by their own less-than, IPv6 addresses by their text.
struct Ipv4Order {
    bool operator()(const Ipv4Address &a, const Ipv4Address &b) const {
        return a.GetBinaryAddress() < b.GetBinaryAddress();
    }
};
struct Ipv4NetworkOrder {
    bool operator()(const Ipv4Network &a, const Ipv4Network &b) const { return a < b; }
};
struct Ipv6Order {
    bool operator()(const Ipv6Address &a, const Ipv6Address &b) const {
        return a.GetStringAddress() < b.GetStringAddress();
    }
};
struct Ipv6NetworkOrder {
    bool operator()(const Ipv6Network &a, const Ipv6Network &b) const { return a < b; }
};

// Appends the elements of `from` missing in `other` to `out`, each once, in
// ascending order.
template <class T, class Order>
void append_difference(const std::vector<T> &from, const std::vector<T> &other, std::vector<T> &out) {
    const std::set<T, Order> left(from.begin(), from.end());
    const std::set<T, Order> right(other.begin(), other.end());
    std::set_difference(left.begin(), left.end(), right.begin(), right.end(), std::back_inserter(out), Order());
}

template <class T, class Order>
void diff_family(std::vector<T> HostCtl::System::FirewallIpList::*family, const HostCtl::System::FirewallIpList &desired,
                 const HostCtl::System::FirewallIpList &current, HostCtl::System::FirewallIpList &toBeDel,
                 HostCtl::System::FirewallIpList &toBeAdd) {
    append_difference<T, Order>(current.*family, desired.*family, toBeDel.*family);
    append_difference<T, Order>(desired.*family, current.*family, toBeAdd.*family);
}

template <class T, class Text>
void write_family(std::ostringstream &out, const char *label, const std::vector<T> &items, Text text) {
    out << label << ":{";
    for (const T &item : items) out << text(item) << " , ";
    out << "} ";
}

std::string address_text(const HostCtl::Network::IpAddress &address) { return address.GetStringAddress(); }

template <class Network>
std::string network_text(const Network &network) {
    return network.GetStringAddress();
}

// The list a holder owns; an empty holder is refused as a null reference of
// argument `position`.
const HostCtl::System::FirewallIpList &held(const HostCtl::System::FirewallIpListPtr &holder, int position) {
    static const char *const types[] = {
        "HostCtl::System::FirewallIpListPtr const &",
        "HostCtl::System::FirewallIpListPtr const &",
        "HostCtl::System::FirewallIpListPtr &",
        "HostCtl::System::FirewallIpListPtr &",
    };
    if (!holder) {
        null_ref_error(ArgSite{types[position - 2], position});
        throw ErrorAlreadySet();
    }
    return *holder;
}

}  // namespace

std::string IpListText(const HostCtl::System::FirewallIpList &list) {
    std::ostringstream out;
    write_family(out, "Ipv4Address", list.addressListv4, address_text);
    write_family(out, "networkListv4", list.networkListv4, network_text<Ipv4Network>);
    write_family(out, "addressListv6", list.addressListv6, address_text);
    write_family(out, "networkListv6", list.networkListv6, network_text<Ipv6Network>);
    return out.str();
}

void CalcIps(const std::string &name, const HostCtl::System::FirewallIpListPtr &desired,
             const HostCtl::System::FirewallIpListPtr &current, HostCtl::System::FirewallIpListPtr &toBeDel,
             HostCtl::System::FirewallIpListPtr &toBeAdd) {
    using List = HostCtl::System::FirewallIpList;
    // Copies: an output holder may be one of the inputs, and the inputs are
    // read whole before any output grows.
    const List want = held(desired, 2);
    const List have = held(current, 3);
    held(toBeDel, 4);
    held(toBeAdd, 5);
    diff_family<Ipv4Address, Ipv4Order>(&List::addressListv4, want, have, *toBeDel, *toBeAdd);
    diff_family<Ipv4Network, Ipv4NetworkOrder>(&List::networkListv4, want, have, *toBeDel, *toBeAdd);
    diff_family<Ipv6Address, Ipv6Order>(&List::addressListv6, want, have, *toBeDel, *toBeAdd);
    diff_family<Ipv6Network, Ipv6NetworkOrder>(&List::networkListv6, want, have, *toBeDel, *toBeAdd);
    QorCtl_LogInfoInt(
        "%s: CalcIps for firewall ip list Done : name:{ %s } desiredIp:{ %s },qorIps: { %s }, toBeDel: { %s } "
        "toBeAdd:{ %s }\n",
        "FirewallRuleset", name.c_str(), IpListText(want).c_str(), IpListText(have).c_str(),
        IpListText(*toBeDel).c_str(), IpListText(*toBeAdd).c_str());
}

}  // namespace system
}  // namespace qor
