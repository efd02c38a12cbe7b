"""Adapters, standard switches, port groups and ports as scripts reach them:
which implementation a call reaches, defaulted and out parameters, the
conversions between interfaces and implementations, and the switching model
of the simulated host with its changes and failures."""

import pytest

import _qorctl
import qorctl


def raises(kind, call, *args):
    with pytest.raises(kind) as caught:
        call(*args)
    return str(caught.value)


@pytest.fixture
def switches():
    return qorctl.VirtualSwitchInfoImpl()


@pytest.fixture
def fresh_host(sim_host):
    """A private copy of the built-in switching model, so that tests may change it."""
    sim_host("""
        [Pnic nic0]
        [Pnic nic1]
        [Pnic nic2]
        FcoeVlanRanges = 1001-1001
        [VirtualSwitch vSwitch0]
        Uplinks = nic0
        SecurityPolicy.AllowForgedTransmits = true
        [VirtualSwitch vSwitch1]
        [PortGroup VM Network]
        VirtualSwitch = vSwitch0
        VlanId = 10
        SecurityPolicy.AllowPromiscuous = true
        [PortGroup Spare]
        VirtualSwitch = vSwitch0
        [Port 7]
        Id = 7
        VirtualSwitch = vSwitch0
        PortGroup = VM Network
        ClientName = vm-a.eth0
    """)
    return qorctl.VirtualSwitchInfoImpl()


def names(holders):
    return [holder.get().GetName() for holder in holders]


# ---- which implementation a call reaches --------------------------------------------

def test_own_additions_are_direct_calls_and_re_exposed_ones_go_through_the_table(sim_host):
    sim_host("""
        [Pnic nic2]
        [fail]
        FcoePnic.Refresh = storage side refused
    """)
    fcoe = qorctl.FcoePnicImpl("nic2")
    # The adapter's own refresh, called as a member of the adapter class.
    assert _qorctl.PnicImpl_Refresh(fcoe) is None
    # The storage adapter's, re-exposed, and the object base's, both virtual.
    for call in (_qorctl.FcoePnicImpl_Refresh, _qorctl.HostCtlObject_Refresh):
        assert raises(qorctl.HostCtlException, call, fcoe) == "storage side refused"


@pytest.mark.parametrize("call, proxy, declared", [
    (_qorctl.PnicImpl_GetName, "pnic", "QorCtl::Network::PnicImpl const *"),
    (_qorctl.VirtualSwitchImpl_GetMTU, "portset", "QorCtl::Network::VirtualSwitchImpl *"),
    (_qorctl.PortGroupImpl_GetVlanId, "group", "QorCtl::Network::PortGroupImpl *"),
    (_qorctl.FcoePnicImpl_IsFcoeEnabled, "pnic_impl", "QorCtl::Network::FcoePnicImpl *"),
])
def test_interfaces_never_convert_to_their_implementations(switches, call, proxy, declared):
    proxies = {
        "pnic": lambda: qorctl.NetworkInfoImpl().GetPnicByName("nic0").get(),
        "portset": lambda: switches.GetAllSwitches()[0].get(),
        "group": lambda: qorctl.VirtualSwitchImpl("vSwitch0").GetPortGroupByName("VM Network").get(),
        "pnic_impl": lambda: qorctl.PnicImpl("nic2"),
    }
    name = call.__name__
    assert raises(TypeError, call, proxies[proxy]()) == "in method '%s', argument 1 of type '%s'" % (name, declared)


def test_implementations_are_accepted_wherever_an_interface_is_declared(switches):
    fcoe = qorctl.FcoePnicImpl("nic2")
    assert (_qorctl.Pnic_GetName(fcoe), _qorctl.PnicImpl_GetMTU(fcoe), _qorctl.HostCtlObject_GetName(fcoe)) == (
        "nic2", 1500, "nic2")
    vswitch = switches.GetVirtualSwitchByName("vSwitch1")
    assert _qorctl.Portset_GetName(vswitch.get()) == "vSwitch1"
    group = qorctl.PortGroupImpl("Storage Network")
    assert (_qorctl.ConnectionPoint_GetPortsetName(group), _qorctl.ConnectionPoint_GetType(group)) == ("vSwitch1", 1)


# ---- defaulted parameters and overloads ------------------------------------------------

def test_shorter_forms_pass_the_declared_defaults(fresh_host):
    pnic = qorctl.PnicImpl("nic1")
    pnic.SetResPoolsSchedAllowed(False)
    pnic.SetResPoolsSchedAllowed()
    assert pnic.GetResPoolsSchedAllowed() is True
    added = fresh_host.AddVirtualSwitch("vSwitch7").get()
    assert added.GetNumPorts() == _qorctl.cvar.Portset_DEF_NUM_PORTS == 128
    assert fresh_host.AddVirtualSwitch("vSwitch8", 16).get().GetNumPorts() == 16


@pytest.mark.parametrize("call, args, prototypes", [
    (_qorctl.Pnic_IdentifyNic, ("pnic", "x"),
     ["HostCtl::Network::Pnic::IdentifyNic(uint32)", "HostCtl::Network::Pnic::IdentifyNic()"]),
    (_qorctl.VirtualSwitchInfoImpl_AddVirtualSwitch, ("info", 5),
     ["QorCtl::Network::VirtualSwitchInfoImpl::AddVirtualSwitch(std::string const &,uint32)",
      "QorCtl::Network::VirtualSwitchInfoImpl::AddVirtualSwitch(std::string const &)"]),
    (_qorctl.new_PortGroupImpl, (1,),
     ["QorCtl::Network::PortGroupImpl::PortGroupImpl(std::string const &,std::string const &)",
      "QorCtl::Network::PortGroupImpl::PortGroupImpl(std::string const &)"]),
])
def test_other_argument_lists_name_every_prototype(switches, call, args, prototypes):
    stand_in = {"pnic": qorctl.PnicImpl("nic0"), "info": switches}
    message = raises(NotImplementedError, call, *[stand_in.get(a, a) if isinstance(a, str) else a for a in args])
    assert message == ("Wrong number or type of arguments for overloaded function '%s'.\n"
                       "  Possible C/C++ prototypes are:\n" % call.__name__
                       + "".join("    %s\n" % p for p in prototypes))


# ---- out parameters ------------------------------------------------------------------------

@pytest.mark.parametrize("call, declared", [
    (_qorctl.Pnic_GetPnicStats, "HostCtl::Network::PnicStats &"),
    (_qorctl.PnicImpl_SetPnicInfo, "HostCtl::Network::PnicInfo &"),
    (_qorctl.Pnic_GetPnicHwCapInfo, "HostCtl::Network::Pnic::CapInfo &"),
    (_qorctl.Port_GetPacketStats, "HostCtl::Network::PacketStats &"),
])
def test_a_missing_record_is_a_null_reference(call, declared):
    owner = qorctl.PnicImpl("nic0") if "Pnic" in call.__name__ else \
        qorctl.PortGroupImpl("Management Network").GetPorts()[0].get()
    assert raises(ValueError, call, owner, None) == (
        "invalid null reference in method '%s', argument 2 of type '%s'" % (call.__name__, declared))


def test_records_are_filled_in_place():
    pnic = qorctl.PnicImpl("nic0")
    info = qorctl.PnicInfo()
    assert pnic.GetPnicInfo(info) is None
    assert (info.speed, info.linkStatus) == (10000, "Up")
    group = qorctl.PortGroupImpl("Management Network")
    policies = [qorctl.NicTeamingPolicy(), qorctl.PortSecurityPolicy(), qorctl.ShapingPolicy(), qorctl.NicCapabilities()]
    group.GetConfiguredNetPolicy(*policies)
    teaming, security, shaping, capabilities = policies
    assert (teaming.GetTeamingPolicy(), teaming.GetUplinkOrder(), teaming.GetMaxActiveUplinks()) == (
        _qorctl.NicTeamingPolicy_TEAM_POLICY_FO_EXPLICIT, ("nic0", "nic1"), 1)
    assert not (security.IsSet() or shaping.IsSet() or capabilities.IsSet())


# ---- free functions and library statics --------------------------------------------------

def test_an_auto_rebind_guard_is_owned_and_takes_only_an_adapter_implementation():
    guard = _qorctl.new_PnicAutoRebind(qorctl.FcoePnicImpl("nic2"))
    assert guard.own() and "QorCtl::Network::PnicAutoRebind *" in repr(guard)
    assert _qorctl.delete_PnicAutoRebind(guard) is None and not guard.own()
    assert raises(ValueError, _qorctl.new_PnicAutoRebind, None) == (
        "invalid null reference in method 'new_PnicAutoRebind', argument 1 of type 'QorCtl::Network::PnicImpl &'")
    borrowed = qorctl.NetworkInfoImpl().GetPnicByName("nic0").get()
    assert raises(TypeError, _qorctl.new_PnicAutoRebind, borrowed) == (
        "in method 'new_PnicAutoRebind', argument 1 of type 'QorCtl::Network::PnicImpl &'")
    # No class of its own: the package offers the module's functions as they are.
    assert not hasattr(qorctl, "PnicAutoRebind") and qorctl.new_PnicAutoRebind.__func__ is _qorctl.new_PnicAutoRebind


def test_opaque_switches_have_only_their_destructor():
    assert _qorctl.delete_OpaqueSwitch(None) is None
    assert not hasattr(_qorctl, "OpaqueSwitch_swigregister") and not hasattr(qorctl, "OpaqueSwitch")


@pytest.mark.parametrize("name, value", [
    ("Portset_DEF_NUM_PORTS", 128), ("Portset_MIN_NUM_PORTS", 8), ("Portset_MAX_VSNAME_SZ", 32),
    ("Portset_DEF_BEACON_INTERVAL", 1), ("Portset_DEF_BEACON_THRESHOLD", 3), ("Portset_DEF_MTU", 1500),
    ("PortGroup_MIN_VLAN_ID", 0), ("PortGroup_MAX_VLAN_ID", 4095),
])
def test_switch_limits_are_read_only_library_statics(name, value):
    assert getattr(_qorctl.cvar, name) == value
    with pytest.raises(AttributeError):
        setattr(_qorctl.cvar, name, value + 1)
    assert getattr(_qorctl.cvar, name) == value


def test_adapter_class_statics_answer_from_the_model_and_add_no_adapter():
    assert [qorctl.PnicImpl.IsValidPnic(name) for name in ("nic0", "nic9", "")] == [True, False, False]
    assert (qorctl.PnicImpl.GetHwCapName(18), qorctl.PnicImpl.GetHwCapName(200)) == ("SRIOV", None)
    assert [h.get().GetName() for h in qorctl.NetworkInfoImpl().GetPnics()] == ["nic0", "nic1", "nic2", "nic3"]


# ---- the simulated switching layer -------------------------------------------------------------

def test_built_in_host_has_two_switches_with_port_groups_and_ports(switches):
    assert names(switches.GetVirtualSwitches()) == ["vSwitch0", "vSwitch1"]
    assert names(switches.GetAllSwitches()) == ["vSwitch0", "vSwitch1"]
    vswitch = switches.GetVirtualSwitchByName("vSwitch0").get()
    assert vswitch.GetUplinks() == ("nic0", "nic1") and vswitch.GetMTU() == 1500
    groups = {h.get().GetName(): h.get() for h in vswitch.GetPortGroups()}
    assert {name: g.GetVlanId() for name, g in groups.items()} == {
        "Management Network": 0, "VM Network": 10, "Trunk": 4095}
    assert [(f.min, f.max) for f in groups["Trunk"].GetGuestVlanFilters()] == [(100, 199), (300, 300)]
    ports = [h.get() for h in vswitch.GetPortList()]
    assert [(p.GetId(), p.GetTypeString(), p.GetPortGroupName()) for p in ports] == [
        (33554433, "pnic", ""), (33554434, "pnic", ""), (33554440, "tcpip", "Management Network"),
        (33554441, "kvxnet3", "VM Network")]
    guest = ports[-1]
    assert guest.GetPortGroup().get().GetName() == "VM Network"
    assert qorctl.PortImpl.GetPortIdFromClientName("vm-a.eth0", "vSwitch0") == 33554441
    assert (vswitch.GetPortsInUse(), vswitch.GetPortsAvailable()) == (4, 124)


def test_port_groups_take_what_they_do_not_configure_from_their_switch(fresh_host):
    vswitch = fresh_host.GetVirtualSwitchByName("vSwitch0").get()
    group = vswitch.GetPortGroupByName("VM Network").get()
    assert group.GetConfiguredSecurityPolicy().HasAllowForgedTransmits() is False
    effective = group.GetSecurityPolicy()
    assert (effective.GetAllowPromiscuous(), effective.GetAllowForgedTransmits(),
            effective.GetAllowMacAddressChange()) == (True, True, False)
    changed = qorctl.PortSecurityPolicy()
    changed.SetAllowForgedTransmits(False)
    vswitch.SetSecurityPolicy(changed)
    assert group.GetSecurityPolicy().GetAllowForgedTransmits() is False
    shaping = qorctl.ShapingPolicy()
    shaping.SetEnabled(True)
    shaping.SetAverageBps(10)
    shaping.SetPeakBps(5)
    assert raises(qorctl.HostCtlException, group.SetShapingPolicy, shaping) == "invalid shaping policy"
    assert group.GetConfiguredShapingPolicy().IsSet() is False


def test_port_groups_come_and_go_with_the_lists(fresh_host):
    vswitch = fresh_host.GetVirtualSwitchByName("vSwitch1").get()
    added = vswitch.AddPortGroup("Backup").get()
    added.SetVlanId(30)
    assert names(vswitch.GetPortGroups()) == ["Backup"]
    assert qorctl.PortGroupImpl("Backup").GetVlanId() == 30 and qorctl.PortGroupImpl.IsValidPortGroup("Backup")
    assert raises(qorctl.HostCtlException, vswitch.AddPortGroup, "Spare") == "port group 'Spare' already exists"
    added.SetName("Archive")
    assert names(vswitch.GetPortGroups()) == ["Archive"]
    vswitch.RemovePortGroup("Archive")
    assert names(vswitch.GetPortGroups()) == [] and not added.IsValid()
    assert raises(qorctl.HostCtlException, vswitch.RemovePortGroup, "VM Network") == "PortGroup 'VM Network' not found"


def test_a_port_group_in_use_stays(fresh_host):
    group = qorctl.PortGroupImpl("VM Network")
    clients = qorctl.StringVector()
    assert group.IsInUse(clients) and tuple(clients) == ("vm-a.eth0",) and group.GetActiveClients() == 1
    assert raises(qorctl.HostCtlException, group.Destroy) == "port group 'VM Network' is in use"
    assert raises(qorctl.HostCtlException, fresh_host.RemoveVirtualSwitch, "vSwitch0") == (
        "port group 'VM Network' is in use")
    fresh_host.RemoveVirtualSwitch("vSwitch1")
    assert names(fresh_host.GetVirtualSwitches()) == ["vSwitch0"] and not fresh_host.SwitchExists("vSwitch1")


@pytest.mark.parametrize("call, args, message", [
    ("AddUplink", ("nic0",), "'nic0' is already an uplink of 'vSwitch0'"),
    ("AddUplink", ("nic9",), "Pnic 'nic9' not found"),
    ("RemoveUplink", ("nic1",), "'nic1' is not an uplink of 'vSwitch1'"),
    ("SetNumPorts", (4,), "invalid number of ports 4"),
])
def test_switch_changes_that_the_library_refuses(fresh_host, call, args, message):
    vswitch = fresh_host.GetVirtualSwitchByName("vSwitch1").get()
    assert raises(qorctl.HostCtlException, getattr(vswitch, call), *args) == message


def test_uplinks_and_settings_are_visible_after_a_change(fresh_host):
    vswitch = fresh_host.GetVirtualSwitchByName("vSwitch1").get()
    vswitch.AddUplink("nic1")
    vswitch.AddUplink("nic2", True)
    vswitch.SetMTU(9000)
    vswitch.SetOverlayForIndex(2, "overlay-b")
    assert qorctl.VirtualSwitchImpl("vSwitch1").GetUplinks() == ("nic1", "nic2")
    assert (vswitch.GetMTU(), vswitch.GetOverlayForIndex(2), vswitch.GetOverlayForIndex(1)) == (9000, "overlay-b", "")
    vswitch.RemoveUplink("nic1")
    vswitch.UnsetMTU()
    assert (vswitch.GetUplinks(), vswitch.GetMTU()) == (("nic2",), 1500)


@pytest.mark.parametrize("vlan, accepted", [(0, True), (4095, True), (4096, False), (65535, False)])
def test_vlan_ids_past_the_last_are_refused(fresh_host, vlan, accepted):
    group = qorctl.PortGroupImpl("Spare")
    if accepted:
        group.SetVlanId(vlan)
        assert group.GetVlanId() == vlan
    else:
        assert raises(qorctl.HostCtlException, group.SetVlanId, vlan) == "invalid VLAN id %d" % vlan
        assert group.GetVlanId() == 0


def test_storage_side_of_an_adapter_shares_its_state(fresh_host):
    fcoe = qorctl.FcoePnicImpl("nic2")
    fcoe.SetMTU(9000)
    assert qorctl.PnicImpl("nic2").GetMTU() == 9000
    extra = qorctl.FcoePnicVlanRange()
    extra.minVlanId, extra.maxVlanId = 1100, 1199
    fcoe.AddFcoeVlanRange(extra)
    fcoe.AddFcoeVlanRange(extra)
    ranges = fcoe.GetFcoeVlanRanges()                  # both ranges, once each
    fcoe.RemoveFcoeVlanRange(extra)
    missing = "VLAN range 1100-1199 is not configured on 'nic2'"
    assert raises(qorctl.HostCtlException, fcoe.RemoveFcoeVlanRange, extra) == missing
    qorctl.FcoePnicImpl("nic2").SetFcoeVlanRanges(ranges)
    fcoe.RemoveFcoeVlanRange(extra)
    assert raises(qorctl.HostCtlException, fcoe.RemoveFcoeVlanRange, extra) == missing
    reversed_range = qorctl.FcoePnicVlanRange()
    reversed_range.minVlanId, reversed_range.maxVlanId = 20, 10
    assert raises(qorctl.HostCtlException, fcoe.AddFcoeVlanRange, reversed_range) == "invalid VLAN range 20-10"
    fcoe.SetSourceMacAddress(qorctl.MacAddress("02:5a:20:00:0a:0b"))
    assert fcoe.GetFcoeSourceMacAddress().GetStringAddress() == "02:5a:20:00:0a:0b"


def test_switch_operations_fail_on_request(sim_host):
    sim_host("""
        [VirtualSwitch vSwitch0]
        [PortGroup Spare]
        VirtualSwitch = vSwitch0
        [fail]
        VirtualSwitch.AddPortGroup@vSwitch0 = no room on the switch
        PortGroup.CreatePortGroup = creation disabled
    """)
    vswitch = qorctl.VirtualSwitchImpl("vSwitch0")
    assert raises(qorctl.HostCtlException, vswitch.AddPortGroup, "Extra") == "no room on the switch"
    assert raises(qorctl.HostCtlException, qorctl.PortGroupImpl.CreatePortGroup, "Extra", "vSwitch0") == (
        "creation disabled")
    assert names(vswitch.GetPortGroups()) == ["Spare"]
