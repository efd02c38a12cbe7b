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
LastRebootFromVersion = 8.0.2
LastRebootToVersion = 8.0.3
LastRebootFromBuild = 24180
LastRebootToBuild = 24322
Stat.num_attempts = 3
Stat.num_boots = 2
Stat.num_successive_boots = 2
Stat.peak_num_successive_boots = 2

[ResourceInfo]
HostUptime = 86400000000
HostHardwareUptime = 86460000000
FreeEpcMemory = 0
CpuSchedulerPolicyInfo = 0
HasRunningVirtualMachines = true
HostMemoryStats.managed = 33554432
HostMemoryStats.kernel = 1048576
HostMemoryStats.free = 24117248
HostMemoryStats.minFree = 262144
HostMemoryStats.reservedMem = 4194304
HostMemoryStats.availMem = 29360128
HostMemoryStats.state = 0
HostMemMapStats.totalMemory = 33554432
HostMemMapStats.sharedCow = 131072
HostMemMapStats.sharedCommon = 65536
HostMemMapStats.sysCodeSize = 38400
HostMemMapStats.sysMemUsage = 1048576
HostPowerStats.power = 312
HostPowerStats.powerCap = 750
HostPowerStats.energy = 26956800
HostCapacity.cpu = 19200
HostCapacity.memory = 126976
HostCapacity.cpuReserved = 2400
HostCapacity.memoryReserved = 8192

[HostCpuStats pcpu0]
usedTime = 41000000
idleTime = 45400000
haltTime = 44000000
coreHaltTime = 43000000
elapsedTime = 86400000

[HostCpuStats pcpu1]
usedTime = 42500000
idleTime = 43900000
haltTime = 42600000
coreHaltTime = 41600000
elapsedTime = 86400000

[HostCpuStats pcpu2]
usedTime = 44000000
idleTime = 42400000
haltTime = 41200000
coreHaltTime = 40200000
elapsedTime = 86400000

[HostCpuStats pcpu3]
usedTime = 45500000
idleTime = 40900000
haltTime = 39800000
coreHaltTime = 38800000
elapsedTime = 86400000

[HostCpuStats pcpu4]
usedTime = 47000000
idleTime = 39400000
haltTime = 38400000
coreHaltTime = 37400000
elapsedTime = 86400000

[HostCpuStats pcpu5]
usedTime = 48500000
idleTime = 37900000
haltTime = 37000000
coreHaltTime = 36000000
elapsedTime = 86400000

[HostCpuStats pcpu6]
usedTime = 50000000
idleTime = 36400000
haltTime = 35600000
coreHaltTime = 34600000
elapsedTime = 86400000

[HostCpuStats pcpu7]
usedTime = 51500000
idleTime = 34900000
haltTime = 34200000
coreHaltTime = 33200000
elapsedTime = 86400000

[HostGpuStats gpu0]
segment = 0
bus = 128
slot = 0
func = 0
utilization = 12
memoryUsed = 1073741824
memoryTotal = 8589934592
temperature = 54
driverVersion = 3.2.1

# The resource-group tree, named by group id; Parent is the parent's id.
[ResourceGroup 0]
GroupId = 0
PathName = host
GroupName = host
ParentId = 0
GroupFlags = 1
CpuAllocation = minimum=19200,maximum=19200,shares=normal,minLimit=19200,units=MHz
MemoryAllocation = minimum=126976,maximum=126976,shares=normal,minLimit=126976,units=MB
CpuNumericShareValue = 1000
MemNumericShareValue = 1000
GroupCapacity.cpu = 19200
GroupCapacity.memory = 126976
CpuStats.groupSize = 8
CpuStats.usedTime = 352000000
CpuStats.systemTime = 18000000
MemoryStats.numClients = 12
MemoryStats.consumedMemory = 9437184
MemoryStats.overheadMemory = 524288

[ResourceGroup 1]
GroupId = 1
PathName = host/system
GroupName = system
Parent = 0
ParentId = 0
GroupFlags = 17
CpuAllocation = minimum=2400,maximum=unlimited,shares=high,minLimit=unlimited,units=MHz
MemoryAllocation = minimum=8192,maximum=unlimited,shares=high,minLimit=unlimited,units=MB
LatencySensitivity = 2
CpuNumericShareValue = 2000
MemNumericShareValue = 2000
CpuStats.groupSize = 6
CpuStats.usedTime = 96000000
MemoryStats.numClients = 6
MemoryStats.consumedMemory = 2097152

[ResourceGroup 2]
GroupId = 2
PathName = host/system/kernel
GroupName = kernel
Parent = 1
ParentId = 1
GroupFlags = 531
CpuAllocation = minimum=1200,maximum=unlimited,shares=high,units=MHz
MemoryAllocation = minimum=4096,maximum=unlimited,shares=high,units=MB
LatencySensitivity = 1
CpuStats.groupSize = 2
CpuStats.usedTime = 51000000

[ResourceGroup 3]
GroupId = 3
PathName = host/user
GroupName = user
Parent = 0
ParentId = 0
GroupFlags = 1
CpuAllocation = minimum=0,maximum=unlimited,shares=normal,minLimit=unlimited,units=MHz
MemoryAllocation = minimum=0,maximum=unlimited,shares=normal,minLimit=unlimited,units=MB
LatencySensitivity = 2
CpuNumericShareValue = 1000
MemNumericShareValue = 1000
CpuStats.groupSize = 4
CpuStats.usedTime = 241000000
MemoryStats.numClients = 4
MemoryStats.consumedMemory = 6291456

[ResourceGroup 4]
GroupId = 4
PathName = host/user/pool-a
GroupName = pool-a
Parent = 3
ParentId = 3
LeaderId = 4
GroupFlags = 1024
CpuAllocation = minimum=4800,maximum=9600,shares=4000,minLimit=unlimited,units=MHz
MemoryAllocation = minimum=32768,maximum=65536,shares=normal,minLimit=unlimited,units=MB
LatencySensitivity = 2
VcpuList = 0,1,2,3
CpuNumericShareValue = 4000
MemNumericShareValue = 1000
CpuStats.groupSize = 4
CpuStats.numVsmps = 2
CpuStats.usedTime = 180000000
CpuStats.effectiveMin = 4800
MemoryStats.numClients = 2
MemoryStats.consumedMemory = 4194304
MemoryStats.targetAllocation = 8388608

[ResourceGroup 5]
GroupId = 5
PathName = host/user/pool-b
GroupName = pool-b
Parent = 3
ParentId = 3
GroupFlags = 1024
CpuAllocation = minimum=0,maximum=4800,shares=low,minLimit=unlimited,units=MHz
MemoryAllocation = minimum=0,maximum=16384,shares=low,minLimit=unlimited,units=MB
LatencySensitivity = 3
CpuNumericShareValue = 500
MemNumericShareValue = 500
CpuStats.groupSize = 2
CpuStats.usedTime = 61000000
MemoryStats.numClients = 2
MemoryStats.consumedMemory = 2097152

# Virtual machines are resource groups of their own, named by world id.
[VirtualMachine 1001]
ResourceGroup = 4
GroupId = 1001
PathName = host/user/pool-a/web-01
GroupName = web-01
DisplayName = web-01
Uuid = 564d2f1a-7c3e-4b90-a1d2-3e4f5a6b7c8d
ConfigFile = /volumes/ds0/web-01/web-01.cfg
NumVcpus = 2
VmmWorldId = 1002
VscsiIds = 8192,8193

[VirtualMachine 1101]
ResourceGroup = 5
GroupId = 1101
PathName = host/user/pool-b/db-01
GroupName = db-01
DisplayName = db-01
Uuid = 564d9b3c-2e1f-4a87-b6c5-d4e3f2a1b0c9
ConfigFile = /volumes/ds0/db-01/db-01.cfg
NumVcpus = 4
VmmWorldId = 1102

[World 1]
WorldId = 1
WorldName = idle0
WorldTypeString = idle
WorldState = 2
WorldStateString = run
UsedTime = 8400000000

[World 260]
WorldId = 260
WorldName = hostd-worker
CommandLine = hostd-worker -c /etc/hostd/config.cfg
WorldTypeString = user
WorldState = 5
WorldStateString = wait
WaitReason = socket
SchedGroupId = 1
UsedTime = 120000000

[World 1002]
WorldId = 1002
WorldName = vmm0:web-01
WorldTypeString = vmm
WorldState = 2
WorldStateString = run
SchedGroupId = 1001
UsedTime = 98000000

[World 1102]
WorldId = 1102
WorldName = vmm0:db-01
WorldTypeString = vmm
WorldState = 3
WorldStateString = ready
SchedGroupId = 1101
UsedTime = 61000000

[QATInfo]

[QATAccelInfo qat0]
MaxDevices = 4
Version = 2
DeviceType = c4xxx

[QATAccelInfo qat1]
MaxDevices = 4
Version = 2
DeviceType = c4xxxvf

[DCFInfo]

[DCFComponentInfo dcf-crypto]
Identifier = 1
DeviceSbdf = 0000:00:0a.0
MaxComponents = 8
Attributes = mode=shared,queues=16

[DeviceTree]
SwDevRoot = 1
WalkDeviceTree = 1,2,17,18,21,33
PseudoHWList = 2
SoftwareDeviceList = 33
Children = 17,18,21
LogicalAliases = nic0=17,nic1=18,hba0=21
DeviceHWInfo = Norvale Networks NV-25 dual-port adapter
DeviceBustype = pci
DeviceAddress = 0000:01:00.0
)";

}  // namespace Sim
}  // namespace QorCtl
