"""The distributed switch a script walks: its ports by state, its uplinks and
health checks, the conversions of the concrete switch, and its overloads."""

import pytest

import _qorctl
import qorctl


@pytest.fixture
def dvs():
    return qorctl.DVSwitchImpl("dvs-a")


def port_ids(holders):
    return [holder.get().GetDvPortId() for holder in holders]


def test_the_built_in_switch_and_its_ports_by_state(dvs):
    assert (dvs.GetDvsName(), dvs.GetMTU(), dvs.IsQuarrixBranded()) == ("dvs-a", 9000, True)
    assert port_ids(dvs.GetDVPorts()) == ["10", "11", "100"]
    assert port_ids(dvs.GetShadowDVPorts()) == ["101"]
    assert port_ids(dvs.GetZombieDVPorts()) == ["102"]
    port = dvs.GetDVPort("100").get()
    assert (port.GetDVPortgroupId(), port.GetConnectionId(), port.GetVlanPolicy().vlanId) == ("dvportgroup-vm", 2001, 20)
    assert port.GetSecurityPolicy().allowMacChange is True
    assert port.GetDVSwitch().get().GetDvsName() == "dvs-a"


def test_ports_are_added_and_removed(sim_host):
    sim_host("""
        [DVSwitch dvs-b]
        DvsId = 50 00 00 00 00 00 00 01-00 00 00 00 00 00 00 02
    """)
    dvs = qorctl.DVSwitchImpl("dvs-b")
    port = dvs.AddDVPort("7", "dvportgroup-x", 3001).get()
    assert (port.GetDvPortId(), port.GetDVPortgroupId(), port.GetConnectionId()) == ("7", "dvportgroup-x", 3001)
    assert port.GetDvsId() == "50 00 00 00 00 00 00 01-00 00 00 00 00 00 00 02"
    with pytest.raises(qorctl.HostCtlException, match="Port 7 already exists"):
        dvs.AddDVPort("7", "dvportgroup-x", 3001)
    dvs.RemoveDVPort("7")
    assert port_ids(dvs.GetDVPorts()) == []
    with pytest.raises(qorctl.HostCtlException, match="DVPort '7' not found"):
        dvs.RemoveDVPort("7")


def test_uplinks_keep_names_and_ports_in_step(sim_host):
    sim_host("""
        [DVSwitch dvs-b]
        UplinkNames = uplink1
        UplinkPorts = 10
    """)
    dvs = qorctl.DVSwitchImpl("dvs-b")
    param = qorctl.DVPortParam()
    param.portId = "11"
    dvs.AddUplink("uplink2", param)
    ports, names = qorctl.StringVector(), qorctl.StringVector()
    dvs.GetUplinkPorts(ports, names)
    assert (list(ports), list(names)) == (["10", "11"], ["uplink1", "uplink2"])
    dvs.RemoveUplink("uplink1")          # the short form: the library's default for the flag
    dvs.GetUplinkPorts(ports, names)
    assert (list(ports), list(names)) == (["11"], ["uplink2"])
    with pytest.raises(qorctl.HostCtlException, match="needs a name"):
        dvs.SetUplinkPorts(qorctl.StringVector(["1", "2"]), qorctl.StringVector(["only-one"]))


@pytest.mark.parametrize("setter, getter", [
    ("SetVLANMTUCheckCmd", "GetVLANMTUCheckCmd"),
    ("SetTeamingCheckCmd", "GetTeamingCheckCmd"),
])
def test_health_checks_read_back_through_out_parameters(sim_host, peer, setter, getter):
    sim_host("[DVSwitch dvs-b]\n")
    dvs = qorctl.DVSwitchImpl("dvs-b")
    getattr(dvs, setter)(True, 30)
    enabled, interval = peer.new_out("bool"), peer.new_out("uint32")
    try:
        getattr(_qorctl, "DVSwitch_" + getter)(dvs, enabled, interval)
        assert (peer.out_value(enabled, "bool"), peer.out_value(interval, "uint32")) == (True, 30)
        with pytest.raises(TypeError, match="argument 3 of type 'uint32 &'"):
            getattr(_qorctl, "DVSwitch_" + getter)(dvs, enabled, enabled)
    finally:
        peer.free_out(enabled, "bool")
        peer.free_out(interval, "uint32")


def test_a_concrete_switch_is_accepted_where_a_port_set_is_declared(dvs):
    assert _qorctl.Portset_GetName(dvs) == "dvs-a"
    assert _qorctl.Portset_GetSwitchClass(dvs) == "etherswitch"
    interface = qorctl.NetworkInfoImpl().GetVirtualSwitchInfo().get()
    with pytest.raises(TypeError, match="argument 1 of type 'QorCtl::Network::DVSwitchImpl \\*'"):
        _qorctl.DVSwitchImpl_GetDvsName(interface)


@pytest.mark.parametrize("args", [("x", 1.5), (5,), ("x", 1, 2)])
def test_constructor_overloads_refuse_what_no_prototype_takes(args):
    with pytest.raises(NotImplementedError) as caught:
        _qorctl.new_DVSwitchImpl(*args)
    assert str(caught.value) == (
        "Wrong number or type of arguments for overloaded function 'new_DVSwitchImpl'.\n"
        "  Possible C/C++ prototypes are:\n"
        "    QorCtl::Network::DVSwitchImpl::DVSwitchImpl(std::string const &,uint32)\n"
        "    QorCtl::Network::DVSwitchImpl::DVSwitchImpl(std::string const &)\n")


def test_a_switch_can_be_made_to_fail_for_one_operation(sim_host):
    sim_host("""
        [DVSwitch dvs-b]
        MTU = 1500
        [fail]
        DVSwitch.SetMTU@dvs-b = the switch is managed centrally
    """)
    dvs = qorctl.DVSwitchImpl("dvs-b")
    with pytest.raises(qorctl.HostCtlException, match="managed centrally"):
        dvs.SetMTU(9000)
    assert dvs.GetMTU() == 1500


def test_filters_and_fast_paths_come_from_the_network_information():
    fast_paths = qorctl.NetworkInfoImpl().GetDVFilterFastPaths()
    assert [(f.get().GetModuleName(), f.get().GetApiRevision()) for f in fast_paths] == [("qfw-fastpath", 3)]
