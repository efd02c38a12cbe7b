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
DPStatus.protocol = 0
DPStatus.infoAvailable = true
CdpInfo.status = 1
CdpInfo.cdpVersion = 2
CdpInfo.timeout = 60
CdpInfo.ttl = 180
CdpInfo.samples = 40
CdpInfo.deviceId = sw-core-1
CdpInfo.ipAddress = 192.0.2.250
CdpInfo.network = 192.0.2.0/24
CdpInfo.portId = Port 1/0/10
CdpInfo.capabilities = 40
CdpInfo.version = 4.2.0
CdpInfo.platform = qswitch-48
CdpInfo.vlan = 10
CdpInfo.duplex = true
CdpInfo.mtu = 1500
CdpInfo.systemName = sw-core-1
CdpInfo.mgmtAddress = 198.51.100.10
CdpInfo.location = rack 4, row b
LldpInfo.status = 1
LldpInfo.timeout = 30
LldpInfo.samples = 12
LldpInfo.chassisID = 02:5a:f0:00:00:01
LldpInfo.portID = Port 1/0/10
LldpInfo.ttl = 120
LldpInfo.optTLVs = System Name=sw-core-1,Enabled Capabilities=Bridge
PnicStats.packetsRx = 812345678
PnicStats.packetsTx = 406172850
PnicStats.bytesRx = 659624690536
PnicStats.bytesTx = 325750616878
PnicStats.droppedRx = 0
PnicStats.errorsRx = 0
PnicStats.multicastPktsRx = 8123456
PnicStats.broadcastPktsRx = 812345
PnicInfo.supportsAutoNegotiation = true
PnicInfo.autoNegotiation = true
PnicInfo.speed = 10000
PnicInfo.duplex = 1
PnicInfo.port = 5
PnicInfo.transceiver = 0
PnicInfo.PHYAD = 0
PnicInfo.wolSupported = true
PnicInfo.messageLevel = 7
PnicInfo.linkStatus = Up
PnicPauseInfo.supported = true
PnicPauseInfo.autoNegotiate = true
PnicPauseInfo.rxStatus = true
PnicPauseInfo.txStatus = true
PnicCoalesceInfo.adaptiveRX = true
PnicCoalesceInfo.rxUsecs = 18
PnicCoalesceInfo.rxFrames = 64
PnicCoalesceInfo.txUsecs = 36
PnicCoalesceInfo.txFrames = 128
PnicRingInfo.1.rx = 1024
PnicRingInfo.1.tx = 1024
PnicRingInfo.2.rx = 4096
PnicRingInfo.2.tx = 4096
PnicRingInfo.2.rxJumbo = 4096
PnicOffloadInfo.rxChecksum = true
PnicOffloadInfo.txChecksum = true
PnicOffloadInfo.scatterGather = true
PnicOffloadInfo.tso = true
PnicSoftwareSimulationInfo.ipv4CSO = false
PnicSoftwareSimulationInfo.ipv6TSO = false
PnicNetqueueInfo.txQueueCount = 8
PnicNetqueueInfo.rxQueueCount = 8
PnicNetqueueInfo.rss = true
PnicNetqueueInfo.hwrss = true
PnicDriverInfo.name = qnet
PnicDriverInfo.version = 1.4.2
PnicDriverInfo.firmwareVersion = 7.10 0x80003a1c
PnicDriverInfo.busInfo = 0000:18:00.0
HardwareCapabilities = VlanTag,VlanUntag,ChecksumOffload,TcpSegmentationOffload,ScatterGatherTx,HighDMA,ChecksumOffloadIPv6,TcpSegmentationOffloadIPv6,GeneveOffload,SRIOV=false
SourcePortStats.33554440.pktsIn = 90211
SourcePortStats.33554440.bytesIn = 61345200
SourcePortStats.33554440.pktsOut = 87002
SourcePortStats.33554440.bytesOut = 70113760

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
DPStatus.protocol = 1
DPStatus.infoAvailable = true
CdpInfo.status = 1
CdpInfo.cdpVersion = 2
CdpInfo.timeout = 60
CdpInfo.ttl = 180
CdpInfo.samples = 41
CdpInfo.deviceId = sw-core-2
CdpInfo.ipAddress = 192.0.2.251
CdpInfo.network = 192.0.2.0/24
CdpInfo.portId = Port 1/0/11
CdpInfo.capabilities = 40
CdpInfo.version = 4.2.0
CdpInfo.platform = qswitch-48
CdpInfo.vlan = 10
CdpInfo.duplex = true
CdpInfo.mtu = 9000
CdpInfo.systemName = sw-core-2
CdpInfo.mgmtAddress = 198.51.100.11
CdpInfo.location = rack 4, row b
LldpInfo.status = 1
LldpInfo.timeout = 30
LldpInfo.samples = 12
LldpInfo.chassisID = 02:5a:f0:00:00:02
LldpInfo.portID = Port 1/0/11
LldpInfo.ttl = 120
LldpInfo.optTLVs = System Name=sw-core-2,Enabled Capabilities=Bridge
PnicStats.packetsRx = 923456789
PnicStats.packetsTx = 461728405
PnicStats.bytesRx = 749846912668
PnicStats.bytesTx = 370306172389
PnicStats.droppedRx = 3
PnicStats.errorsRx = 1
PnicStats.multicastPktsRx = 9234567
PnicStats.broadcastPktsRx = 923456
PnicInfo.supportsAutoNegotiation = true
PnicInfo.autoNegotiation = true
PnicInfo.speed = 10000
PnicInfo.duplex = 1
PnicInfo.port = 5
PnicInfo.transceiver = 0
PnicInfo.PHYAD = 1
PnicInfo.wolSupported = true
PnicInfo.messageLevel = 7
PnicInfo.linkStatus = Up
PnicPauseInfo.supported = true
PnicPauseInfo.autoNegotiate = true
PnicPauseInfo.rxStatus = true
PnicPauseInfo.txStatus = true
PnicCoalesceInfo.adaptiveRX = true
PnicCoalesceInfo.rxUsecs = 18
PnicCoalesceInfo.rxFrames = 64
PnicCoalesceInfo.txUsecs = 36
PnicCoalesceInfo.txFrames = 128
PnicRingInfo.1.rx = 1024
PnicRingInfo.1.tx = 1024
PnicRingInfo.2.rx = 4096
PnicRingInfo.2.tx = 4096
PnicRingInfo.2.rxJumbo = 4096
PnicOffloadInfo.rxChecksum = true
PnicOffloadInfo.txChecksum = true
PnicOffloadInfo.scatterGather = true
PnicOffloadInfo.tso = true
PnicSoftwareSimulationInfo.ipv4CSO = false
PnicSoftwareSimulationInfo.ipv6TSO = false
PnicNetqueueInfo.txQueueCount = 8
PnicNetqueueInfo.rxQueueCount = 8
PnicNetqueueInfo.rss = true
PnicNetqueueInfo.hwrss = true
PnicDriverInfo.name = qnet
PnicDriverInfo.version = 1.4.2
PnicDriverInfo.firmwareVersion = 7.10 0x80003a1c
PnicDriverInfo.busInfo = 0000:18:00.1
HardwareCapabilities = VlanTag,VlanUntag,ChecksumOffload,TcpSegmentationOffload,ScatterGatherTx,HighDMA,ChecksumOffloadIPv6,TcpSegmentationOffloadIPv6,GeneveOffload,SRIOV=false
SourcePortStats.33554440.pktsIn = 90211
SourcePortStats.33554440.bytesIn = 61345200
SourcePortStats.33554440.pktsOut = 87002
SourcePortStats.33554440.bytesOut = 70113760

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
DPStatus.protocol = 0
DPStatus.infoAvailable = false
PnicStats.packetsRx = 104857600
PnicStats.packetsTx = 52428811
PnicStats.bytesRx = 85144371200
PnicStats.bytesTx = 42047897600
PnicStats.droppedRx = 6
PnicStats.errorsRx = 2
PnicStats.multicastPktsRx = 1048576
PnicStats.broadcastPktsRx = 104857
PnicInfo.supportsAutoNegotiation = true
PnicInfo.autoNegotiation = true
PnicInfo.speed = 0
PnicInfo.duplex = 0
PnicInfo.port = 4
PnicInfo.transceiver = 0
PnicInfo.PHYAD = 2
PnicInfo.wolSupported = false
PnicInfo.messageLevel = 7
PnicInfo.linkStatus = Down
PnicPauseInfo.supported = true
PnicPauseInfo.autoNegotiate = true
PnicPauseInfo.rxStatus = false
PnicPauseInfo.txStatus = false
PnicCoalesceInfo.adaptiveRX = true
PnicCoalesceInfo.rxUsecs = 18
PnicCoalesceInfo.rxFrames = 64
PnicCoalesceInfo.txUsecs = 36
PnicCoalesceInfo.txFrames = 128
PnicRingInfo.1.rx = 1024
PnicRingInfo.1.tx = 1024
PnicRingInfo.2.rx = 4096
PnicRingInfo.2.tx = 4096
PnicRingInfo.2.rxJumbo = 4096
PnicOffloadInfo.rxChecksum = true
PnicOffloadInfo.txChecksum = true
PnicOffloadInfo.scatterGather = true
PnicOffloadInfo.tso = true
PnicSoftwareSimulationInfo.ipv4CSO = false
PnicSoftwareSimulationInfo.ipv6TSO = true
PnicNetqueueInfo.txQueueCount = 16
PnicNetqueueInfo.rxQueueCount = 16
PnicNetqueueInfo.rss = true
PnicNetqueueInfo.hwrss = true
PnicDriverInfo.name = qfab
PnicDriverInfo.version = 2.0.1
PnicDriverInfo.firmwareVersion = 16.27.1000
PnicDriverInfo.busInfo = 0000:3b:00.0
HardwareCapabilities = VlanTag,VlanUntag,ChecksumOffload,TcpSegmentationOffload,ScatterGatherTx,HighDMA,ChecksumOffloadIPv6,TcpSegmentationOffloadIPv6,DCB,HW_DCB,SRIOV

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
DPStatus.protocol = 1
DPStatus.infoAvailable = false
PnicStats.packetsRx = 7
PnicStats.packetsTx = 14
PnicStats.bytesRx = 5684
PnicStats.bytesTx = 2807
PnicStats.droppedRx = 9
PnicStats.errorsRx = 3
PnicStats.multicastPktsRx = 0
PnicStats.broadcastPktsRx = 0
PnicInfo.supportsAutoNegotiation = true
PnicInfo.autoNegotiation = true
PnicInfo.speed = 0
PnicInfo.duplex = 0
PnicInfo.port = 4
PnicInfo.transceiver = 0
PnicInfo.PHYAD = 3
PnicInfo.wolSupported = false
PnicInfo.messageLevel = 7
PnicInfo.linkStatus = Down
PnicPauseInfo.supported = true
PnicPauseInfo.autoNegotiate = true
PnicPauseInfo.rxStatus = false
PnicPauseInfo.txStatus = false
PnicCoalesceInfo.adaptiveRX = true
PnicCoalesceInfo.rxUsecs = 18
PnicCoalesceInfo.rxFrames = 64
PnicCoalesceInfo.txUsecs = 36
PnicCoalesceInfo.txFrames = 128
PnicRingInfo.1.rx = 1024
PnicRingInfo.1.tx = 1024
PnicRingInfo.2.rx = 4096
PnicRingInfo.2.tx = 4096
PnicRingInfo.2.rxJumbo = 4096
PnicOffloadInfo.rxChecksum = true
PnicOffloadInfo.txChecksum = true
PnicOffloadInfo.scatterGather = true
PnicOffloadInfo.tso = true
PnicSoftwareSimulationInfo.ipv4CSO = false
PnicSoftwareSimulationInfo.ipv6TSO = true
PnicNetqueueInfo.txQueueCount = 16
PnicNetqueueInfo.rxQueueCount = 16
PnicNetqueueInfo.rss = true
PnicNetqueueInfo.hwrss = true
PnicDriverInfo.name = qfab
PnicDriverInfo.version = 2.0.1
PnicDriverInfo.firmwareVersion = 16.27.1000
PnicDriverInfo.busInfo = 0000:3b:00.1
HardwareCapabilities = VlanTag,VlanUntag,ChecksumOffload,TcpSegmentationOffload,ScatterGatherTx,HighDMA,ChecksumOffloadIPv6,TcpSegmentationOffloadIPv6,DCB,HW_DCB,SRIOV

[HostsFile]
Lines = 127.0.0.1 localhost.localdomain localhost,::1 localhost.localdomain localhost,192.0.2.10 host-a.example.invalid host-a,198.51.100.20 build-1.example.invalid build-1
UserLines = 198.51.100.20 build-1.example.invalid build-1

[SystemInfo]
BootNicMacAddress = 02:5a:10:00:00:01
PxeBooted = false
BootFsUUID = 5f3c2a10-8e21-4c55-9a07-1b2c3d4e5f60
BootDevice = disk-boot0
DateTime.day = 7
DateTime.month = 12
DateTime.year = 2026
DateTime.hour = 9
DateTime.min = 30
DateTime.sec = 0
FormattedDateTime = 2026-12-07T09:30:00Z
WelcomeMessage = Welcome to host-a
WelcomeMessageDefault = Welcome
DMAREnabled = true
IommuSLDirtyCapable = false
SupportedVMs = 1024
VMLimitsInfo.maxVMs = 1024
VMLimitsInfo.reservedVMs = 8
VMLimitsInfo.maxVCPUs = 4096
MaintenanceModeState = 2
FirewallEnabled = true
FirewallDefaultAction = false
CbrcOverheadPerVmdk = 2048
BootOptions.auditMode = false
BootOptions.fsCheck = true
BootOptions.rollback = false
FirewallOtherL4Allowed = false
FirewallPassIGMP = true
CbrcRuntimeEnabled = false
CbrcConfiguredEnabled = false
DumpTargetEnabled = true
VislVMLocation = /store/visl
InceptionTimestamp = 2026-01-15T08:00:00Z
QorkernelDumpEnabled = true
ClockMaxNegPhase = -100
ClockMaxPosPhase = 100
ClockMaxPhaseCorrections = 10
QorVersion.product = QorHost
QorVersion.productVersion = 1.4.0
QorVersion.buildVersion = 1200
QorVersion.releaseUpdate = 1
QorVersion.releasePatch = 0
Motd = Authorised use only
MotdDefault =
Issue = host-a
IssueDefault =
HasSystemUuid = true
SystemUuid.uuidStr = 6a1f0e2c-3b4d-4e5f-8a9b-0c1d2e3f4a5b
QorkernelUuid.uuidStr = 6a1f0e2c-3b4d-4e5f-8a9b-0c1d2e3f4a5c
BootCommandLine = autoPartition=false
IpmiSupport = 1
APEISupport = true
IOMMUType = 2
DMAPolicy = 1
BootVolume = /bootbank
BootPartition = 5
DebugTerminalEnabled = false
KeyboardLayouts = US Default,German,French,Japanese
KeyboardLayout = US Default
StatelessCacheBooted = false
StatefulInstallBooted = true

[SecurityInfo]
TcgEventLogSize = 65536

[Module qnet]
Loaded = true
Enabled = true
Version = 1.4.2
ModuleId = 41
UseCount = 3
ReadOnlyAddr = 1099511627776
ReadOnlyLength = 262144
WritableAddr = 1099512676352
WritableLength = 65536
Options = rss=4,vmdq=8
OptionString = rss=4 vmdq=8
FileName = qnet
FilePath = /usr/lib/modules/qnet
FileVersion = 1.4.2-1
License = BSD
BuildType = release
Namespace.name = qnet
Namespace.versions = 1.0,1.1

[Module qfab]
Loaded = true
Enabled = true
Version = 2.0.1
ModuleId = 42
UseCount = 1
Options = fabric_mode=2
OptionString = fabric_mode=2
FileName = qfab
FilePath = /usr/lib/modules/qfab
FileVersion = 2.0.1-3
License = BSD
BuildType = release

[Module qstor]
Loaded = true
Enabled = true
Version = 3.2.0
ModuleId = 17
UseCount = 6
FileName = qstor
FilePath = /usr/lib/modules/qstor
License = GPLv2
BuildType = release

[Module qlegacy]
Loaded = false
Enabled = false
Version = 0.9.8
FileName = qlegacy
FilePath = /usr/lib/modules/qlegacy
License = BSD
BuildType = debug

[FirewallRuleset sshServer]
Enabled = true
Required = true
Loaded = true
ClientCount = 1
Rules = sshServer dst 22-22 inbound tcp
AllowedIPs = 192.0.2.10,192.0.2.0/24,2001:db8::10,2001:db8:1::/48

[FirewallRuleset ntpClient]
Enabled = true
Loaded = true
AllowedAll = true
Rules = ntpClient dst 123-123 outbound udp

[FirewallRuleset ptpd]
Enabled = false
Loaded = true
Rules = ptpEvent dst 319-319 inbound udp,ptpGeneral dst 320-320 inbound udp

[FirewallRuleset webAccess]
Enabled = true
Loaded = true
Rules = webAccess dst 80-80 inbound tcp,webAccessTls dst 443-443 inbound tcp
AllowedIPs = 198.51.100.0/24,198.51.100.77

[FirewallRuleset dhcpClient]
Enabled = true
Required = true
Loaded = true
Rules = dhcpClient dst 68-68 inbound udp,dhcpServer dst 67-67 outbound udp

[ServiceAgent sshd]
Running = true
Policy = on

[ServiceAgent ntpd]
Running = true
Policy = on

[ServiceAgent ptpd]
Running = false
Policy = off

[ServiceAgent snmpd]
Running = false
Policy = off

[ServiceAgent wbemd]
Running = true
Policy = on

[ServiceAgent syslogd]
Running = true
Policy = on

[ServiceAgent entropyd]
Running = true
Policy = on

[ServiceAgent dcui]
Running = true
Policy = on

[ServiceAgent hostd]
Running = true
Policy = on

[ServiceAgent agentd]
Running = true
Policy = on

[ServiceAgent lbtd]
Running = true
Policy = on

[ServiceAgent crond]
Running = false
Policy = off

[Migration]
WorldId = 70412
Ipv4Address = 192.0.2.44
MigrationId = 1300000001
State = 8
ProgressPreCopy = 100
PagesModified = 2048
PagesTransferred = 1048576
ReturnStatus = 0
ResumeTime = 1200
QorDownTime = 180
VmDownTime = 240
PrecopyTime = 15000
DstMigrationTime = 17000
MigrationResult.startTime = 1000
MigrationResult.endTime = 18000
MigrationResult.precopyBandwidth = 1250
MigrationStats.isSource = true
MigrationStats.qorDowntime = 180
MigrationStats.vmDowntime = 240
MigrationStats.vmMemSizeMB = 8192

[SnmpAgentConfig]
Enabled = false
Port = 161
Communities = public-ro
TrapTargets = 192.0.2.50@162/public-ro
Options = syscontact=ops-a,syslocation=rack-4
Users = monitor-a
ValidConfigFile = true
Limits.communitySize = 64
Limits.maxCommunities = 10
Limits.maxTargets = 3
Limits.maxFilters = 16

[NtpAgentConfig]
Enabled = true
Servers = 192.0.2.123,198.51.100.123,time-a
ServerNames = 192.0.2.123,198.51.100.123,time-a
ServerHostNames = 192.0.2.123 198.51.100.123 time-a
Loglevel = warning
AgentRunning = true
Pid = 2150

[PtpAgentConfig]
Enabled = false
Interface = qk1
Loglevel = info
Domain = 0
NumPorts = 1
RunningAgent = none

[WbemAgentConfig]
Enabled = true
WSManEnabled = true
Port = 5989
Loglevel = warning
HttpsEnabled = true
HttpProcs = 2
HttpsProcs = 4
ProviderProcs = 16
ThreadPoolSize = 5
CipherList = ECDHE+AESGCM:ECDHE+AES
ValidConfigFile = true

[MirsyslogInfo]
LogLevel = error
LogLevelDefault = error
RemoteHosts = udp://192.0.2.50:514,ssl://198.51.100.20:1514
LocalLogOutputDir = /scratch/log
LocalLogOutputDirDefault = /scratch/log
DroppedFileRotations = 10
DroppedFileRotationSize = 1024
LocalLoggingDefRotations = 8
LocalLoggingDefRotationSize = 1024
MsgQueueDropMark = 90
RemoteHostMaxMsgLength = 1024
CheckCrl = false
SslCertEnforcement = true
LogToUniqueSubdir = false
LogFilters = 0|hostd|debug
LogDirPersistent = true
LocalLogDirConfigured = true
Logger.hostd.logFileName = hostd.log
Logger.hostd.ident = hostd
Logger.hostd.rotations = 8
Logger.hostd.rotationSize = 10240
Logger.agentd.logFileName = agentd.log
Logger.agentd.ident = agentd

[EntropydInfo]
Config.memorySize = 4096
Config.storageSize = 32768
Config.memoryLowWatermark = 512
Config.externalEntropyLostTimeout = 60
DefaultConfig.memorySize = 4096
DefaultConfig.storageSize = 16384
DefaultConfig.memoryLowWatermark = 512
DefaultConfig.externalEntropyLostTimeout = 30
CSCurrDataAvailable = true

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

[HardwareInfo]
ProductName = QX-2200 compute node
VendorName = Quillfield Systems
SerialNumber = QF22-0041-7730
HardwareUptime = 86400000000
PowerManagementCurrentPolicy = Balanced
PowerManagementHardwareSupport = ACPI P-states, ACPI C-states
SmcPresent = false
IPMISupported = true
BMCVersion = 2.14
HardwareUuid.uuidStr = 6a0d3e52-9c41-4b7e-8f20-5a1c2e7b9d04
BiosInfo.vendor = Quillfield Systems
BiosInfo.version = 1.4.0
BiosInfo.releaseDate = 03/14/2025
BiosInfo.assetTag = rack-7-slot-12
BiosInfo.serviceTag = QF22-0041-7730
BiosInfo.serialNumberTag = QF22-0041-7730
BiosInfo.major = 1
BiosInfo.minor = 4
BiosInfo.fwMajor = 2
BiosInfo.fwMinor = 14
BiosInfo.oemStrings = board rev C,chassis 2U
BmcInfo.mfg = Quillfield Systems
BmcInfo.version = 2.14
BmcInfo.ipmiVersion = 2.0
BmcInfo.hostname = host-a-bmc
BmcInfo.mac = 02:5a:30:00:00:09
BmcInfo.ipv4addr = 192.0.2.40
BmcInfo.ipv4subnet = 255.255.255.0
BmcInfo.ipv4gw = 192.0.2.1
BmcInfo.ipv6addrs = fe80::5a:30ff:fe00:9
BmcInfo.ifAdmin = true
SgxInfo.sgxState = 1
SevInfo.sevState = 1
SevInfo.maxSevEsGuests = 16

# Boot order as the firmware lists it; type is the BOOT_DEV_ number.
[BootDevice disk0]
deviceIndex = 0
description = Internal RAID volume
priority = 1
type = 2
enabled = true

[BootDevice net0]
deviceIndex = 1
description = Onboard port 1 network boot
priority = 2
type = 6
enabled = true

[BootDevice usb0]
deviceIndex = 2
description = Front USB port
priority = 3
type = 5
enabled = false

[BootDevice cd0]
deviceIndex = 3
description = Virtual optical drive
priority = 4
type = 3
enabled = false

[CpuInfo]
NumCpuPackages = 2
NumCpuCores = 4
NumLicensableCpuCores = 4
NumCpuThreads = 8
HyperthreadingActive = true
HyperthreadingAvailable = true
HyperthreadingEnabled = true
HyperthreadingMitigated = false
HVSupport = 3
NVOA = false
ModelName = Quillfield QX8 2.4 GHz
HostFeatureCapability = cpuid.aes=1,cpuid.avx2=1,cpuid.ss=1

[CpuPackage 0]
PackageId = 0
NumCores = 2

[CpuPackage 1]
PackageId = 1
NumCores = 2

[Cpu 0]
Id = 0
CpuPackage = 0
CpuPackageId = 0
NumaNode = 0
Node = 0
ApicId = 0
VendorName = Quillfield
Family = 6
Model = 143
Stepping = 8
CpuSpeed = 2400000000
BusSpeed = 100000000
L2CacheData.size = 2097152
L2CacheData.assoc = 16
L2CacheData.lineSize = 64
L2CacheData.cpuCount = 2
L3CacheData.size = 31457280
L3CacheData.assoc = 15
L3CacheData.lineSize = 64
L3CacheData.cpuCount = 4

[Cpu 1]
Id = 1
CpuPackage = 0
CpuPackageId = 0
NumaNode = 0
Node = 0
ApicId = 2
VendorName = Quillfield
Family = 6
Model = 143
Stepping = 8
CpuSpeed = 2400000000
BusSpeed = 100000000
L2CacheData.size = 2097152
L2CacheData.assoc = 16
L2CacheData.lineSize = 64
L2CacheData.cpuCount = 2
L3CacheData.size = 31457280
L3CacheData.assoc = 15
L3CacheData.lineSize = 64
L3CacheData.cpuCount = 4

[Cpu 2]
Id = 2
CpuPackage = 0
CpuPackageId = 0
NumaNode = 0
Node = 0
ApicId = 4
VendorName = Quillfield
Family = 6
Model = 143
Stepping = 8
CpuSpeed = 2400000000
BusSpeed = 100000000
L2CacheData.size = 2097152
L2CacheData.assoc = 16
L2CacheData.lineSize = 64
L2CacheData.cpuCount = 2
L3CacheData.size = 31457280
L3CacheData.assoc = 15
L3CacheData.lineSize = 64
L3CacheData.cpuCount = 4

[Cpu 3]
Id = 3
CpuPackage = 0
CpuPackageId = 0
NumaNode = 0
Node = 0
ApicId = 6
VendorName = Quillfield
Family = 6
Model = 143
Stepping = 8
CpuSpeed = 2400000000
BusSpeed = 100000000
L2CacheData.size = 2097152
L2CacheData.assoc = 16
L2CacheData.lineSize = 64
L2CacheData.cpuCount = 2
L3CacheData.size = 31457280
L3CacheData.assoc = 15
L3CacheData.lineSize = 64
L3CacheData.cpuCount = 4

[Cpu 4]
Id = 4
CpuPackage = 1
CpuPackageId = 1
NumaNode = 1
Node = 1
ApicId = 8
VendorName = Quillfield
Family = 6
Model = 143
Stepping = 8
CpuSpeed = 2400000000
BusSpeed = 100000000
L2CacheData.size = 2097152
L2CacheData.assoc = 16
L2CacheData.lineSize = 64
L2CacheData.cpuCount = 2
L3CacheData.size = 31457280
L3CacheData.assoc = 15
L3CacheData.lineSize = 64
L3CacheData.cpuCount = 4

[Cpu 5]
Id = 5
CpuPackage = 1
CpuPackageId = 1
NumaNode = 1
Node = 1
ApicId = 10
VendorName = Quillfield
Family = 6
Model = 143
Stepping = 8
CpuSpeed = 2400000000
BusSpeed = 100000000
L2CacheData.size = 2097152
L2CacheData.assoc = 16
L2CacheData.lineSize = 64
L2CacheData.cpuCount = 2
L3CacheData.size = 31457280
L3CacheData.assoc = 15
L3CacheData.lineSize = 64
L3CacheData.cpuCount = 4

[Cpu 6]
Id = 6
CpuPackage = 1
CpuPackageId = 1
NumaNode = 1
Node = 1
ApicId = 12
VendorName = Quillfield
Family = 6
Model = 143
Stepping = 8
CpuSpeed = 2400000000
BusSpeed = 100000000
L2CacheData.size = 2097152
L2CacheData.assoc = 16
L2CacheData.lineSize = 64
L2CacheData.cpuCount = 2
L3CacheData.size = 31457280
L3CacheData.assoc = 15
L3CacheData.lineSize = 64
L3CacheData.cpuCount = 4

[Cpu 7]
Id = 7
CpuPackage = 1
CpuPackageId = 1
NumaNode = 1
Node = 1
ApicId = 14
VendorName = Quillfield
Family = 6
Model = 143
Stepping = 8
CpuSpeed = 2400000000
BusSpeed = 100000000
L2CacheData.size = 2097152
L2CacheData.assoc = 16
L2CacheData.lineSize = 64
L2CacheData.cpuCount = 2
L3CacheData.size = 31457280
L3CacheData.assoc = 15
L3CacheData.lineSize = 64
L3CacheData.cpuCount = 4

[PciDevice 0000:00:00.0]
Seg = 0
Bus = 0
Slot = 0
Function = 0
SBDFString = 0000:00:00.0
VendorId = 7978
Vendor = Quillfield
DeviceId = 8224
Device = QX8 host bridge
Type = 6
DeviceClass = 1536
DeviceClassName = Host bridge
NumaNode = 0

[PciDevice 0000:00:01.0]
Seg = 0
Bus = 0
Slot = 1
Function = 0
SBDFString = 0000:00:01.0
VendorId = 7978
Vendor = Quillfield
DeviceId = 8241
Device = QX8 PCIe root port 1
Type = 6
DeviceClass = 1536
DeviceClassName = PCI bridge
NumaNode = 0
ModuleName = pcieport
DeviceDriver = pcieport

[PciDevice 0000:01:00.0]
Seg = 0
Bus = 1
Slot = 0
Function = 0
SBDFString = 0000:01:00.0
VendorId = 7548
Vendor = Norvale Networks
DeviceId = 6672
Device = NV-25 dual-port adapter
Type = 2
DeviceClass = 512
DeviceClassName = Ethernet controller
NumaNode = 0
Parent = 0000:00:01.0
ParentDevice = 0000:00:01.0
RootPort = 0000:00:01.0
QorKernelDeviceName = nic0
ModuleName = qnet
DeviceDriver = qnet
PassthruCapable = true
SriovCapable = true
MaxVFsSupported = 64
CurrentNumVfs = 0

[PciDevice 0000:01:00.1]
Seg = 0
Bus = 1
Slot = 0
Function = 1
SBDFString = 0000:01:00.1
VendorId = 7548
Vendor = Norvale Networks
DeviceId = 6672
Device = NV-25 dual-port adapter
Type = 2
DeviceClass = 512
DeviceClassName = Ethernet controller
NumaNode = 0
Parent = 0000:00:01.0
ParentDevice = 0000:00:01.0
RootPort = 0000:00:01.0
QorKernelDeviceName = nic1
ModuleName = qnet
DeviceDriver = qnet
PassthruCapable = true
SriovCapable = true
MaxVFsSupported = 64
CurrentNumVfs = 0

[PciDevice 0000:00:02.0]
Seg = 0
Bus = 0
Slot = 2
Function = 0
SBDFString = 0000:00:02.0
VendorId = 7978
Vendor = Quillfield
DeviceId = 8242
Device = QX8 PCIe root port 2
Type = 6
DeviceClass = 1536
DeviceClassName = PCI bridge
NumaNode = 0
ModuleName = pcieport
DeviceDriver = pcieport

[PciDevice 0000:02:00.0]
Seg = 0
Bus = 2
Slot = 0
Function = 0
SBDFString = 0000:02:00.0
VendorId = 7230
Vendor = Tessellan Storage
DeviceId = 1040
Device = TS-9400 RAID controller
Type = 1
DeviceClass = 256
DeviceClassName = RAID bus controller
NumaNode = 0
Parent = 0000:00:02.0
ParentDevice = 0000:00:02.0
RootPort = 0000:00:02.0
QorKernelDeviceName = hba0
ModuleName = qraid
DeviceDriver = qraid

[PciDevice 0000:00:03.0]
Seg = 0
Bus = 0
Slot = 3
Function = 0
SBDFString = 0000:00:03.0
VendorId = 7978
Vendor = Quillfield
DeviceId = 8243
Device = QX8 PCIe root port 3
Type = 6
DeviceClass = 1536
DeviceClassName = PCI bridge
NumaNode = 1
ModuleName = pcieport
DeviceDriver = pcieport

[PciDevice 0000:80:00.0]
Seg = 0
Bus = 128
Slot = 0
Function = 0
SBDFString = 0000:80:00.0
VendorId = 7825
Vendor = Lumora Graphics
DeviceId = 3090
Device = LG-12 display controller
Type = 3
DeviceClass = 768
DeviceClassName = VGA compatible controller
NumaNode = 1
Parent = 0000:00:03.0
ParentDevice = 0000:00:03.0
RootPort = 0000:00:03.0
QorKernelDeviceName = gfx0
ModuleName = qgfx
DeviceDriver = qgfx
PassthruCapable = true

[PciDevice 0000:80:00.1]
Seg = 0
Bus = 128
Slot = 0
Function = 1
SBDFString = 0000:80:00.1
VendorId = 7825
Vendor = Lumora Graphics
DeviceId = 3091
Device = LG-12 HDMI audio
Type = 4
DeviceClass = 1024
DeviceClassName = Audio device
NumaNode = 1
Parent = 0000:00:03.0
ParentDevice = 0000:00:03.0
RootPort = 0000:00:03.0

[PciDevice 0000:00:14.0]
Seg = 0
Bus = 0
Slot = 20
Function = 0
SBDFString = 0000:00:14.0
VendorId = 7978
Vendor = Quillfield
DeviceId = 8512
Device = QX8 USB 3.2 controller
Type = 12
DeviceClass = 3072
DeviceClassName = USB controller
NumaNode = 0
QorKernelDeviceName = usb0
ModuleName = qxhci
DeviceDriver = qxhci

[PciDevice 0000:00:1f.0]
Seg = 0
Bus = 0
Slot = 31
Function = 0
SBDFString = 0000:00:1f.0
VendorId = 7978
Vendor = Quillfield
DeviceId = 8688
Device = QX8 LPC controller
Type = 6
DeviceClass = 1536
DeviceClassName = ISA bridge
NumaNode = 0

[PciDevice 0000:00:1f.2]
Seg = 0
Bus = 0
Slot = 31
Function = 2
SBDFString = 0000:00:1f.2
VendorId = 7978
Vendor = Quillfield
DeviceId = 8690
Device = QX8 SATA AHCI controller
Type = 1
DeviceClass = 256
DeviceClassName = SATA controller
NumaNode = 0
QorKernelDeviceName = hba1
ModuleName = qahci
DeviceDriver = qahci

[PciDevice 0000:81:00.0]
Seg = 0
Bus = 129
Slot = 0
Function = 0
SBDFString = 0000:81:00.0
VendorId = 7230
Vendor = Tessellan Storage
DeviceId = 1312
Device = TS-520 NVMe drive
Type = 1
DeviceClass = 256
DeviceClassName = Non-Volatile memory controller
NumaNode = 1
Parent = 0000:00:03.0
ParentDevice = 0000:00:03.0
RootPort = 0000:00:03.0
QorKernelDeviceName = hba2
ModuleName = qnvme
DeviceDriver = qnvme

[PciInfo]

[MemoryInfo]
PhysicalMemory = 137438953472
ReliableMemory = 0
QorKernelMemory = 135291469824
QorKernelFreeMemory = 98784247808
ServiceConsoleMemory = 0
ServiceConsoleReservedMem = 272
MemoryTieringType = none
PageSize = 4096
TotalPages = 33554432
FreePages = 24117248
SharedPages = 1048576
CommonPages = 262144
SystemCodeSize = 157286400
SystemMemoryUsage = 4294967296
NumNUMANodes = 2

[Heap memvirt-0]
name = memvirt-0
growable = true
currentSize = 16777216
currentAllocation = 9437184
currentAvailable = 7340032
currentReleasable = 1048576
percentFreeOfCurrent = 43
percentFreeOfMax = 89
precentReleasable = 6
maxSize = 67108864
maxAvailable = 57671680

[Heap netstack-0]
name = netstack-0
growable = true
currentSize = 8388608
currentAllocation = 6291456
currentAvailable = 2097152
currentReleasable = 0
percentFreeOfCurrent = 25
percentFreeOfMax = 81
precentReleasable = 0
maxSize = 33554432
maxAvailable = 27262976

[Heap scsi-0]
name = scsi-0
growable = false
currentSize = 4194304
currentAllocation = 1048576
currentAvailable = 3145728
currentReleasable = 0
percentFreeOfCurrent = 75
percentFreeOfMax = 75
precentReleasable = 0
maxSize = 4194304
maxAvailable = 3145728

[MemoryTierInfo tier0]
name = DRAM
type = dram
flags = ready
internalFlags = boot
size = 137438953472

[NumaInfo]
NumNumaNodes = 2

[NumaNode 0]
Id = 0
MemorySize = 68719476736

[NumaNode 1]
Id = 1
MemorySize = 68719476736

# Persistent memory: one volume over two regions, and the ranges behind it.
[PMemInfo]
CapacityInMB = 262144
ReservationInMB = 65536
MemTieringType = none
MemTierMode = app-direct
PmemTierSizeInMB = 0

[PMemVolume pmem-vol0]
Info._uuid = 5d1f7a20-33c8-4e59-a0b1-7c9e2f4d8a61
RegionStoreInfo._totalSizeMB = 262144
RegionStoreInfo._availableReservationMB = 196608
RegionStoreInfo._drsManagedMB = 65536

[PMemRegion region0]
PMemVolume = pmem-vol0
Info._uuid = 0e6b9c34-1a7f-4d2e-9b58-3f0c6a1e7d92
Info._sizeBytes = 137438953472

[PMemRegion region1]
PMemVolume = pmem-vol0
Info._uuid = 8c2a4e71-5b9d-4f06-8e13-d7a0b6c4f528
Info._sizeBytes = 137438953472

[PMemRange range0]
Info._uuid = 0e6b9c34-1a7f-4d2e-9b58-3f0c6a1e7d92
Info._firstMPN = 33554432
Info._lastMPN = 67108863

[PMemRange range1]
Info._uuid = 8c2a4e71-5b9d-4f06-8e13-d7a0b6c4f528
Info._firstMPN = 67108864
Info._lastMPN = 100663295

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

# Advanced options, named by path; branches follow from the paths.

[AdvancedIntegerOption /Disk/MaxLUN]
Description = Highest LUN number scanned on each target
Minimum = 1
Maximum = 16384
DefaultValue = 1024
Value = 1024
Impact = none

[AdvancedIntegerOption /Disk/QFullSampleSize]
Description = Queue-full events sampled before the queue depth is throttled
Minimum = 0
Maximum = 64
DefaultValue = 0
Value = 32
Impact = none

[AdvancedIntegerOption /Disk/SchedNumReqOutstanding]
Description = Outstanding requests per device when several worlds compete
Minimum = 1
Maximum = 256
DefaultValue = 32
Value = 32
Impact = none

[AdvancedIntegerOption /Disk/PathEvalTime]
Description = Seconds between path evaluations
Minimum = 30
Maximum = 1500
DefaultValue = 300
Value = 300
Impact = none

[AdvancedIntegerOption /Mem/ShareScanTime]
Description = Minutes over which all memory is scanned for sharing
Minimum = 10
Maximum = 600
DefaultValue = 60
Value = 60
Impact = none

[AdvancedIntegerOption /Mem/ShareScanGHz]
Description = Pages scanned per second per GHz of processor
Minimum = 0
Maximum = 32
DefaultValue = 4
Value = 4
Impact = none

[AdvancedIntegerOption /Mem/MemZipEnable]
Description = Compress memory before swapping it
Minimum = 0
Maximum = 1
DefaultValue = 1
Value = 1
Impact = none

[AdvancedIntegerOption /Mem/AllocGuestLargePage]
Description = Back guest memory with large pages
Minimum = 0
Maximum = 1
DefaultValue = 1
Value = 1
Impact = none

[AdvancedIntegerOption /Mem/IdleTax]
Description = Percentage of idle memory that may be reclaimed
Minimum = 0
Maximum = 99
DefaultValue = 75
Value = 75
Impact = none

[AdvancedIntegerOption /Misc/LogLevel]
Description = Verbosity of the kernel log
Minimum = 0
Maximum = 7
DefaultValue = 3
Value = 3
Impact = none

[AdvancedIntegerOption /Misc/BlueScreenTimeout]
Description = Seconds before the host restarts after a failure; 0 waits
Minimum = 0
Maximum = 65535
DefaultValue = 0
Value = 0
Impact = none

[AdvancedIntegerOption /Misc/HeartbeatInterval]
Description = Milliseconds between processor heartbeat checks
Minimum = 100
Maximum = 86400000
DefaultValue = 1000
Value = 1000
Impact = none
Hidden = true

[AdvancedIntegerOption /Net/TcpHeapSize]
Description = Megabytes of the TCP heap
Minimum = 0
Maximum = 32
DefaultValue = 0
Value = 16
Impact = none

[AdvancedIntegerOption /Net/TcpHeapMax]
Description = Largest size in megabytes the TCP heap may grow to
Minimum = 32
Maximum = 1536
DefaultValue = 512
Value = 512
Impact = none

[AdvancedIntegerOption /Net/MaxNetifTxQueueLen]
Description = Packets queued for transmit per interface
Minimum = 100
Maximum = 10000
DefaultValue = 2000
Value = 2000
Impact = none

[AdvancedIntegerOption /Net/NetPktSlabFreePercentThreshold]
Description = Free packet slab percentage below which packets are reclaimed
Minimum = 0
Maximum = 100
DefaultValue = 2
Value = 2
Impact = none

[AdvancedIntegerOption /Net/TeamPolicyUpDelay]
Description = Milliseconds a teamed adapter waits after link up
Minimum = 0
Maximum = 600000
DefaultValue = 100
Value = 100
Impact = none

[AdvancedIntegerOption /Net/Tcpip/DelayedAck]
Description = Delay acknowledgements of received segments
Minimum = 0
Maximum = 1
DefaultValue = 1
Value = 1
Impact = none

[AdvancedIntegerOption /Net/Tcpip/MaxRetransmits]
Description = Retransmissions before a connection is dropped
Minimum = 3
Maximum = 64
DefaultValue = 12
Value = 12
Impact = none

[AdvancedIntegerOption /Numa/RebalanceEnable]
Description = Move worlds between NUMA nodes to balance load
Minimum = 0
Maximum = 1
DefaultValue = 1
Value = 1
Impact = none

[AdvancedIntegerOption /Numa/RebalancePeriod]
Description = Milliseconds between NUMA rebalancing passes
Minimum = 100
Maximum = 60000
DefaultValue = 2000
Value = 2000
Impact = none

[AdvancedIntegerOption /Power/CpuPolicy]
Description = Processor power policy: 0 performance, 1 balanced, 2 low power, 3 custom
Minimum = 0
Maximum = 3
DefaultValue = 1
Value = 1
Impact = none

[AdvancedIntegerOption /Power/MaxCpuLoad]
Description = Processor load percentage above which a faster state is chosen
Minimum = 1
Maximum = 100
DefaultValue = 60
Value = 60
Impact = none

[AdvancedIntegerOption /Scsi/ScanOnDriverLoad]
Description = Scan for devices when a storage driver loads
Minimum = 0
Maximum = 1
DefaultValue = 1
Value = 1
Impact = none

[AdvancedIntegerOption /Scsi/LogMultiPath]
Description = Log path state changes
Minimum = 0
Maximum = 1
DefaultValue = 0
Value = 0
Impact = none

[AdvancedIntegerOption /Scsi/PassthroughLocking]
Description = Lock devices shared by pass-through
Minimum = 0
Maximum = 1
DefaultValue = 1
Value = 1
Impact = none

[AdvancedIntegerOption /UserVars/SuppressShellWarning]
Description = Hide the warning shown while the shell is enabled
Minimum = 0
Maximum = 1
DefaultValue = 0
Value = 0
Impact = none

[AdvancedStringOption /Misc/HostName]
Description = Name of the host
ValidCharacters = abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-.
DefaultValue = localhost
Value = host-a
Impact = none
HostSpecific = true

[AdvancedStringOption /Misc/PreferredHostName]
Description = Name used when the host registers itself
ValidCharacters = abcdefghijklmnopqrstuvwxyz0123456789-.
DefaultValue = 
Value = host-a.lab.invalid
Impact = none

[AdvancedStringOption /Net/Tcpip/CongestionControl]
Description = Congestion control algorithm of new connections
ValidCharacters = abcdefghijklmnopqrstuvwxyz
DefaultValue = newreno
Value = newreno
Impact = none

[AdvancedStringOption /Scsi/ExtendedPathSelection]
Description = Path selection used for devices without a claim rule
ValidCharacters = abcdefghijklmnopqrstuvwxyz_
DefaultValue = fixed
Value = fixed
Impact = none

[AdvancedStringOption /UserVars/HostClientWelcomeMessage]
Description = Message shown to users that log in
DefaultValue = 
Value = Welcome to host-a
Impact = none

[AdvancedStringOption /UserVars/ProductLockerLocation]
Description = Folder that holds the tool packages
DefaultValue = /locker/packages/1.4.0
Value = /locker/packages/1.4.0
Impact = none
)";

}  // namespace Sim
}  // namespace QorCtl
