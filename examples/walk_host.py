"""Walk the host's network adapters and hardware the way an automation script does.

Reaches the host, opens the network information object, lists the physical
adapters with their MAC addresses and link states, what the first adapter's
neighbour switch announces and its counters, the standard switches with
their port groups, the network stack instances and distributed switches, the
hosts file, the system's version, services and firewall rulesets, then asks
for an adapter that does not exist and handles the library's failure as a
Python exception. Then it lists the processors and PCI devices, the storage devices with their paths and adapters, the
file systems, the software iSCSI adapter, each multipathed device with its
array type, path selection policy and the paths that policy sends I/O down,
the resource-group tree with each group's processor allocation, and sets an
advanced option within and outside its bounds.

By default the library serves its built-in simulated host; point the
QORCTL_SIM_HOST environment variable (or --model) at a model file to walk
another one.
"""

import argparse
import os
import sys

import qorctl


def describe(pnic):
    link = "up" if pnic.IsLinkUp() else "down"
    speed = "%d Mb/s" % pnic.GetLinkSpeed() if pnic.IsLinkUp() else "-"
    mac = pnic.GetMacAddress().GetStringAddress()
    return "%-6s %-17s %-4s %-11s mtu %-5d driver %s" % (
        pnic.GetName(), mac, link, speed, pnic.GetMTU(), pnic.GetDriverName())


def describe_neighbour(pnic):
    cdp = pnic.GetCdpInfo()
    stats = qorctl.PnicStats()
    pnic.GetPnicStats(stats)
    print("\n%s sees switch %s port %s (%s, vlan %d) on %s" % (
        pnic.GetName(), cdp.deviceId or "-", cdp.portId or "-", cdp.ipAddress.GetStringAddress(), cdp.vlan,
        cdp.network.GetStringAddress()))
    print("  received %d packets (%d bytes), sent %d, dropped %d" % (
        stats.packetsRx, stats.bytesRx, stats.packetsTx, stats.droppedRx))


def describe_switches(info):
    print("\nstandard switches:")
    for holder in info.GetVirtualSwitchInfo().get().GetVirtualSwitches():
        vswitch = holder.get()
        print("  %-9s uplinks %-10s ports %d of %d in use" % (
            vswitch.GetName(), ",".join(vswitch.GetUplinks()) or "-", vswitch.GetPortsInUse(), vswitch.GetNumPorts()))
        for group in (h.get() for h in vswitch.GetPortGroups()):
            promiscuous = group.GetSecurityPolicy().GetAllowPromiscuous()
            print("    %-20s vlan %-4d %s" % (group.GetName(), group.GetVlanId(),
                                             "promiscuous" if promiscuous else "filtered"))


def describe_hosts_file():
    hosts = qorctl.HostsFile()
    print("\nhosts file:")
    for name in ("localhost", "host-a", "host-z"):
        print("  %-9s %s" % (name, "listed" if hosts.HasEntryForHostName(name) else "not listed"))


def print_hardware():
    hardware = qorctl.HardwareInfoImpl()
    cpus = hardware.GetCpuInfo().get()
    print("\n%s: %d sockets, %d cores, %d threads" % (
        hardware.GetProductName(), cpus.GetNumCpuPackages(), cpus.GetNumCpuCores(), cpus.GetNumCpuThreads()))
    for holder in hardware.GetPciInfo().get().GetAllPciDevices():
        device = holder.get()
        if device.GetQorKernelDeviceName():
            print("  %s %-6s %s" % (device.GetSBDFString(), device.GetQorKernelDeviceName(), device.GetDevice()))


def print_groups(group, depth=0):
    cpu = group.GetCpuAllocation()
    print("  %s%-*s cpu min %s max %s shares %s" % ("  " * depth, 20 - 2 * depth, group.GetGroupName(),
                                                   cpu.GetMinimum(), cpu.GetMaximumString(), cpu.GetSharesString()))
    for holder in group.GetGroupMembers():
        print_groups(holder.get(), depth + 1)


def set_option(path, value):
    option = qorctl.CastAdvInt(qorctl.AdvancedOptionImpl.FindOption(path).get())
    try:
        option.SetValue(value)
    except qorctl.HostCtlException as error:
        print("  %s = %d refused: %s" % (path, value, error))
    else:
        print("  %s = %d" % (path, option.GetValue()))


def describe_system():
    info = qorctl.SystemInfoImpl()
    version = info.GetQorVersion(0)
    print("\n%s %s build %s, %s" % (version.product, version.productVersion, version.buildVersion,
                                   info.GetFormattedDateTime()))
    for name in ("sshd", "ntpd", "snmpd"):
        print("  service %-6s %s" % (name, "running" if info.GetServiceAgent(name, "").get().IsRunning()
                                     else "stopped"))
    for holder in info.GetFirewallRulesets():
        ruleset = holder.get()
        rule = ruleset.GetRules()[0].get()
        print("  firewall %-10s %-8s port %d" % (ruleset.GetRulesetId(), "enabled" if ruleset.IsEnabled()
                                                 else "disabled", rule.portBegin))


def describe_iscsi():
    """The software iSCSI adapter: its name, its send-targets servers and
    how its counters move between two reads."""
    for holder in qorctl.StorageInfoImpl().GetiScsiInterfaces():
        adapter = holder.get()
        print("\niSCSI adapter %s (alias %s)" % (adapter.GetiScsiName(), adapter.GetiScsiAlias()))
        parms = adapter.GetAdapterParms()
        print("  login timeout %ds (%d-%d), queue depth %d" % (
            parms.login_timeout, parms.login_timeout_min, parms.login_timeout_max, parms.cmds_max))
        before, after = adapter.GetAdapterStats(), adapter.GetAdapterStats()
        print("  %d sessions, %d commands since the previous read" % (
            after.session_cnt, after.cmdPdus - before.cmdPdus))


def print_storage():
    """Each disk with its size and the state of each path, through the adapter
    behind the path."""
    print("\nstorage devices:")
    for name in ("dev.local0", "dev.fc1", "dev.iscsi0", "dev.off0"):
        disk = qorctl.DiskLunImpl(name)
        print("  %-10s %-8s %-8s %5d GB %s" % (name, disk.GetVendor(), disk.GetModel(), disk.GetSize() // 10 ** 9,
                                              disk.GetStatusString()))
        for holder in disk.GetPaths():
            path = holder.get()
            adapter = path.GetAdapter().get()
            print("    %-15s %-8s via %s (%s)" % (path.GetRuntimeName(), path.GetStateString(), adapter.GetName(),
                                                  adapter.GetDriver()))


def describe_volumes():
    """The clustered volumes with their free space, and the snapshot volumes
    waiting to be resolved."""
    print("\nclustered volumes:")
    for holder in qorctl.VmFileSystemImpl.GetLufsFileSystems(""):
        fs = holder.get()
        gib = 1024 ** 3
        print("  %-12s %s %6.1f GiB free of %6.1f GiB%s" % (
            fs.GetVolumeName(), fs.GetUuid(), (fs.GetSize() - fs.GetVolumeUsage()) / gib, fs.GetSize() / gib,
            "" if fs.IsMounted() else " (unmounted)"))
    volume = qorctl.UnresolvedLufsVolumeImpl("snap0-shared-fc")
    print("  unresolved snapshot of %s on %s: %s" % (
        volume.GetLufsLabel(), volume.GetHeadExtent(),
        "can be resignatured" if volume.CanResolve(True, False, None) else "cannot be resolved"))


def print_multipathing():
    nmp = qorctl.StorageInfoImpl().GetNmpPsaPlugin().get()
    print("\nmultipathing (%s):" % nmp.GetIdentifier())
    for name in nmp.GetDeviceNames():
        device = qorctl.NmpDeviceConfigImpl(name)
        paths = ", ".join(device.GetWorkingPathSetRuntimeNames()) or "no working path"
        print("  %-10s %-15s %-9s %s" % (name, device.GetStorageArrayTypeString(),
                                        device.GetPathSelectionPolicyName(), paths))


def describe_network_stack(info):
    """The kernel interfaces of each network stack instance, with its gateway,
    and the distributed switches."""
    print("\nnetwork stack instances:")
    kernel_nics = info.GetQorKernelNicInfo().get()
    for holder in info.ListNetstackInstances():
        key = holder.get().GetKey()
        gateway = info.GetRoutingInfo(key).get().GetQorKernelDefaultGateway().GetStringAddress()
        nics = [nic.get() for nic in kernel_nics.GetQorKernelNicsByInstanceKey(key)]
        print("  %-18s gateway %-13s %s" % (key, gateway, ", ".join(
            "%s %s" % (nic.GetInterfaceName(), nic.GetIpConfig().GetIpv4Address().GetStringAddress())
            for nic in nics)))
    for holder in info.GetVirtualSwitchInfo().get().GetDVSwitches():
        switch = holder.get()
        print("  distributed switch %s: %d ports, MTU %d" % (switch.GetDvsName(), len(switch.GetDVPorts()),
                                                            switch.GetMTU()))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--model", help="simulated-host model file to walk instead of the built-in host")
    parser.add_argument("--missing", default="nic9", help="adapter name to look up for the failure example")
    args = parser.parse_args(argv)
    if args.model:
        os.environ["QORCTL_SIM_HOST"] = os.path.abspath(args.model)

    try:
        qorctl.HostFactory.GetHost()
        info = qorctl.NetworkInfoImpl()
        holders = info.GetPnics()
    except qorctl.HostCtlException as error:
        print("cannot reach the host: %s" % error.GetDetailedMessage(), file=sys.stderr)
        return 1

    print("physical adapters (%d):" % len(holders))
    for holder in holders:
        print("  " + describe(holder.get()))

    first = holders[0].get() if holders else None
    if first is not None:
        describe_neighbour(first)
    describe_switches(info)
    describe_hosts_file()
    describe_network_stack(info)
    describe_system()

    print("\nlooking up adapter %r:" % args.missing)
    try:
        info.GetPnicByName(args.missing)
    except qorctl.HostCtlException as error:
        print("  the library refused: %s" % error)
    else:
        print("  found it")

    print_hardware()
    print_storage()
    describe_volumes()
    describe_iscsi()
    print_multipathing()
    print("\nresource groups:")
    print_groups(qorctl.ResourceInfoImpl().ResourceGroupRoot().get())
    print("\nadvanced options:")
    set_option("/Net/TcpHeapMax", 1024)
    set_option("/Net/TcpHeapMax", 4096)
    return 0


if __name__ == "__main__":
    sys.exit(main())
