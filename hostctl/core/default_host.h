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
)";

}  // namespace Sim
}  // namespace QorCtl
