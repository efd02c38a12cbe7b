// Hand-written behaviour of the adapters that also carry storage traffic. An
// adapter's storage side serves the adapter's own [Pnic name] node, so both
// views of one adapter read and write the same state; its VLAN ranges are
// kept as text ("FcoeVlanRanges = 100-199,300-300").
#include <algorithm>

#include "hostctl/network/enums.h"
#include "model_text.h"  // the value classes, before the records that hold them
#include "hostctl/network/records.h"
#include "hostctl/network/adapter_records.h"
#include "hostctl/network/switching.h"
#include "hostctl/network/switching_impl.h"
#include "hostctl/network/objects.h"
#include "hostctl/network/impl.h"

namespace {

using namespace QorCtl::Network::Model;
using HostCtl::Network::FcoePnicVlanRange;
using Ranges = std::vector<std::pair<unsigned, unsigned>>;

std::pair<unsigned, unsigned> CheckedRange(const FcoePnicVlanRange &range) {
    CheckVlanRange(range.minVlanId, range.maxVlanId);
    return {range.minVlanId, range.maxVlanId};
}

}  // namespace

QorCtl::Network::FcoePnicImpl::FcoePnicImpl(std::string const &p1) : FcoePnicImpl(QorCtl::Sim::Open("Pnic", p1)) {}

std::vector<FcoePnicVlanRange> QorCtl::Network::FcoePnicImpl::GetFcoeVlanRanges() {
    QorCtl::Sim::Enter(*node_, "FcoePnic.GetFcoeVlanRanges");
    std::vector<FcoePnicVlanRange> ranges;
    for (const auto &range : ReadRanges(*node_, "FcoeVlanRanges")) {
        FcoePnicVlanRange item;
        item.minVlanId = static_cast<uint16>(range.first);
        item.maxVlanId = static_cast<uint16>(range.second);
        ranges.push_back(item);
    }
    return ranges;
}

void QorCtl::Network::FcoePnicImpl::SetFcoeVlanRanges(std::vector<FcoePnicVlanRange> p1) {
    QorCtl::Sim::Enter(*node_, "FcoePnic.SetFcoeVlanRanges");
    Ranges ranges;
    for (const auto &range : p1) ranges.push_back(CheckedRange(range));
    WriteRanges(*node_, "FcoeVlanRanges", ranges);
}

// Adding a range the adapter has already leaves the list as it is.
void QorCtl::Network::FcoePnicImpl::AddFcoeVlanRange(FcoePnicVlanRange p1) {
    QorCtl::Sim::Enter(*node_, "FcoePnic.AddFcoeVlanRange");
    auto range = CheckedRange(p1);
    Ranges ranges = ReadRanges(*node_, "FcoeVlanRanges");
    if (std::find(ranges.begin(), ranges.end(), range) == ranges.end()) ranges.push_back(range);
    WriteRanges(*node_, "FcoeVlanRanges", ranges);
}

void QorCtl::Network::FcoePnicImpl::RemoveFcoeVlanRange(FcoePnicVlanRange p1) {
    QorCtl::Sim::Enter(*node_, "FcoePnic.RemoveFcoeVlanRange");
    std::pair<unsigned, unsigned> range(p1.minVlanId, p1.maxVlanId);
    Ranges ranges = ReadRanges(*node_, "FcoeVlanRanges");
    auto found = std::find(ranges.begin(), ranges.end(), range);
    if (found == ranges.end()) {
        throw HostCtl::Lib::HostCtlException("VLAN range " + std::to_string(range.first) + "-" +
                                             std::to_string(range.second) + " is not configured on '" + node_->name + "'");
    }
    ranges.erase(found);
    WriteRanges(*node_, "FcoeVlanRanges", ranges);
}

// The source address is read back by GetFcoeSourceMacAddress; the all-zero address is no adapter's.
void QorCtl::Network::FcoePnicImpl::SetSourceMacAddress(HostCtl::Network::MacAddress p1) {
    QorCtl::Sim::Enter(*node_, "FcoePnic.SetSourceMacAddress");
    if (!p1.IsValid()) throw HostCtl::Lib::HostCtlException("invalid source MAC address " + p1.GetStringAddress());
    QorCtl::Sim::Write(*node_, "FcoeSourceMacAddress", p1.GetStringAddress());
}

// ---- the adapter class's own statics ----------------------------------------------
// They answer from the adapters the model has, and add none.

bool QorCtl::Network::PnicImpl::IsValidPnic(std::string const &p1) {
    EnterKind("Pnic", "Pnic.IsValidPnic");
    return !p1.empty() && QorCtl::Sim::Find("Pnic", p1) != nullptr;
}

// The first "nic<N>" no adapter has; the argument receives it too.
std::string QorCtl::Network::PnicImpl::GetNewNicName(std::string &p1) {
    EnterKind("Pnic", "Pnic.GetNewNicName");
    int number = 0;
    while (QorCtl::Sim::Find("Pnic", "nic" + std::to_string(number))) ++number;
    p1 = "nic" + std::to_string(number);
    return p1;
}

// The name of a capability by its bit; null for a bit no capability has.
char const *QorCtl::Network::PnicImpl::GetHwCapName(uint8 p1) {
    EnterKind("Pnic", "Pnic.GetHwCapName");
    switch (p1) {
#define QOR_CAPABILITY_CASE(Name, Bit) \
    case Bit:                          \
        return #Name;
        QOR_NIC_CAPABILITIES(QOR_CAPABILITY_CASE)
#undef QOR_CAPABILITY_CASE
    default:
        return nullptr;
    }
}

// Enables or disables the adapter named by the second argument.
void QorCtl::Network::PnicImpl::SetEnabledInternal(bool p1, std::string &p2) {
    EnterKind("Pnic", "Pnic.SetEnabledInternal");
    QorCtl::Sim::NodeRef pnic = QorCtl::Sim::Find("Pnic", p2);
    if (!pnic) QorCtl::Sim::NotFound("Pnic", p2);
    QorCtl::Sim::Write(*pnic, "Enabled", p1);
}
