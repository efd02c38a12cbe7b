// Hand-written behaviour of switch ports: a [Port id] node names its switch
// ("VirtualSwitch = vSwitch0") and, unless it is an uplink's, its port group.
#include "hostctl/network/enums.h"
#include "model_text.h"  // the value classes, before the records that hold them
#include "hostctl/network/records.h"
#include "hostctl/network/adapter_records.h"
#include "hostctl/network/switching.h"
#include "hostctl/network/switching_impl.h"
#include "hostctl/network/objects.h"
#include "hostctl/network/impl.h"

namespace {

// The names of the port types, indexed by the type.
const char *const kPortTypes[] = {"none",  "test",    "cos",     "tcpip", "pnic", "vmm",   "vlance",
                                  "e1000", "kvxnet2", "kvxnet3", "sriov", "lag",  "assoc", "model3rep"};

}  // namespace

std::string QorCtl::Network::PortImpl::GetPortGroupName() {
    QorCtl::Sim::Enter(*node_, "Port.GetPortGroupName");
    return QorCtl::Sim::Read<std::string>(*node_, "PortGroup");
}

HostCtl::Network::PortGroupPtr QorCtl::Network::PortImpl::GetPortGroup() {
    QorCtl::Sim::Enter(*node_, "Port.GetPortGroup");
    std::string name = QorCtl::Sim::Read<std::string>(*node_, "PortGroup");
    QorCtl::Sim::NodeRef group = QorCtl::Sim::Find("PortGroup", name);
    if (!group) QorCtl::Sim::NotFound("PortGroup", name);
    return HostCtl::Network::PortGroupPtr(new PortGroupImpl(group));
}

std::string QorCtl::Network::PortImpl::GetPortsetName() {
    QorCtl::Sim::Enter(*node_, "Port.GetPortsetName");
    return QorCtl::Sim::Read<std::string>(*node_, "VirtualSwitch");
}

std::string QorCtl::Network::PortImpl::GetTypeString() {
    QorCtl::Sim::Enter(*node_, "Port.GetTypeString");
    auto type = static_cast<unsigned>(QorCtl::Sim::Read<int>(*node_, "Type"));
    return type < sizeof kPortTypes / sizeof kPortTypes[0] ? kPortTypes[type] : "unknown";
}

uint32 QorCtl::Network::PortImpl::GetPortIdFromClientName(std::string const &p1, std::string const &p2) {
    Model::EnterKind("Port", "Port.GetPortIdFromClientName");
    for (const auto &port : QorCtl::Sim::All("Port")) {
        if (QorCtl::Sim::Read<std::string>(*port, "ClientName") == p1 &&
            QorCtl::Sim::Read<std::string>(*port, "VirtualSwitch") == p2) {
            return QorCtl::Sim::Read<uint32>(*port, "Id");
        }
    }
    throw HostCtl::Lib::HostCtlException("no port of client '" + p1 + "' on '" + p2 + "'");
}
