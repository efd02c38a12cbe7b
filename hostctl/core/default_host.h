// The host the simulation serves when no model file is named. All names,
// addresses and values are invented for the simulation.
#pragma once

namespace QorCtl {
namespace Sim {

inline const char kDefaultHost[] = R"(
[HostFactory]

[NetworkInfo]
MaxVirtualSwitches = 512
ConfiguredMaxVirtualSwitches = 128
QorIpv6Enabled = true
DlxTransportNodeId = tn-6f1c2e

[Pnic nic0]
MappedName = nic0
DriverName = qnet
LinkUp = true
OperationalLinkUp = true
AdministrativeLinkUp = true
Enabled = true
LinkSpeed = 10000
Duplex = 1
MTU = 1500
MacAddress = 02:5a:10:00:00:01
Hint = onboard port 1

[Pnic nic1]
MappedName = nic1
DriverName = qnet
LinkUp = true
OperationalLinkUp = true
AdministrativeLinkUp = true
Enabled = true
LinkSpeed = 10000
Duplex = 1
MTU = 9000
MacAddress = 02:5a:10:00:00:02
Hint = onboard port 2

[Pnic nic2]
MappedName = nic2
DriverName = qfab
LinkUp = false
OperationalLinkUp = false
AdministrativeLinkUp = true
Enabled = true
LinkSpeed = 0
Duplex = 0
MTU = 1500
MacAddress = 02:5a:20:00:00:01
Hint = mezzanine port 1

[Pnic nic3]
MappedName = nic3
DriverName = qfab
LinkUp = false
OperationalLinkUp = false
AdministrativeLinkUp = false
Enabled = false
LinkSpeed = 0
Duplex = 0
MTU = 1500
MacAddress = 02:5a:20:00:00:02
Hint = mezzanine port 2

[LoadTarn]
Supported = true
Enabled = false
Modules = qnet=1.4.2,qfab=2.0.1
ModulesList = qnet,qfab
DriversList = qnet,qfab

[LoadTarnStats]
LastRebootFromVersion = 1.3.0
LastRebootToVersion = 1.4.0
LastRebootFromBuild = 1100
LastRebootToBuild = 1200
Stat.num_attempts = 3
Stat.num_boots = 2
Stat.num_successive_boots = 2
Stat.peak_num_successive_boots = 2
)";

}  // namespace Sim
}  // namespace QorCtl
