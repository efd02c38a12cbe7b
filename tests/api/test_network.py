"""The network objects a script walks: the network information object, its
adapters behind holders, their values, and library failures on request."""

import pytest

import _qorctl
import qorctl


@pytest.fixture
def info():
    return qorctl.NetworkInfoImpl()


def adapters(info):
    return [holder.get() for holder in info.GetPnics()]


def test_built_in_host_lists_its_adapters_with_their_state(info):
    seen = [(p.GetName(), p.GetMacAddress().GetStringAddress(), p.IsLinkUp()) for p in adapters(info)]
    assert seen == [
        ("nic0", "02:5a:10:00:00:01", True),
        ("nic1", "02:5a:10:00:00:02", True),
        ("nic2", "02:5a:20:00:00:01", False),
        ("nic3", "02:5a:20:00:00:02", False),
    ]
    assert info.GetPnicNameList(0) == ("nic0", "nic1", "nic2", "nic3")


def test_adapters_come_as_holders_that_the_proxy_does_not_own(info):
    holders = info.GetPnics()
    assert isinstance(holders, tuple)
    assert all(isinstance(h, qorctl.PnicPtr) and not h.thisown and h.__nonzero__() for h in holders)
    pnic = holders[0].get()
    assert isinstance(pnic, qorctl.Pnic) and not pnic.thisown


def test_a_missing_adapter_is_the_library_exception(info):
    with pytest.raises(qorctl.HostCtlException) as caught:
        info.GetPnicByName("nic9")
    assert str(caught.value) == "Pnic 'nic9' not found"
    assert caught.value.GetMessage() == "Pnic 'nic9' not found"


def test_setters_write_what_getters_read(sim_host):
    sim_host("""
        [Pnic nic0]
        Enabled = true
        MTU = 1500
    """)
    pnic = qorctl.PnicImpl("nic0")
    pnic.SetEnabled(False)
    pnic.SetMTU(9000)
    assert (pnic.IsEnabled(), pnic.GetMTU()) == (False, 9000)


def test_the_model_fails_a_named_operation_for_every_object_or_one(sim_host):
    sim_host("""
        [Pnic nic0]
        [Pnic nic1]
        [fail]
        Pnic.GetLinkSpeed = link speed unavailable
        Pnic.IdentifyNic@nic1 = identification not supported
    """)
    nic0, nic1 = adapters(qorctl.NetworkInfoImpl())
    for pnic in (nic0, nic1):
        with pytest.raises(qorctl.HostCtlException, match="^link speed unavailable$"):
            pnic.GetLinkSpeed()
    nic0.IdentifyNic()
    with pytest.raises(qorctl.HostCtlException) as caught:
        nic1.IdentifyNic(3)
    assert caught.value.GetDetailedMessage() == (
        "identification not supported (Pnic.IdentifyNic failed on Pnic 'nic1')")


def test_a_model_file_that_cannot_be_read_is_reported(sim_host, tmp_path):
    path = sim_host("[Pnic nic0]\n")
    path.unlink()
    with pytest.raises(qorctl.HostCtlException, match="cannot read simulated host model"):
        qorctl.NetworkInfoImpl()


@pytest.mark.parametrize("text, valid", [
    ("02:5A:10:00:00:ff", True), ("02:5a:10:00:00", False), ("02-5a-10-00-00-01", False), ("zz:5a:10:00:00:01", False),
])
def test_mac_address_text_is_parsed_or_refused(text, valid):
    assert qorctl.MacAddress().IsValid(text) is valid
    if valid:
        assert qorctl.MacAddress(text).GetStringAddress() == text.lower()
    else:
        with pytest.raises(qorctl.HostCtlException, match="^MAC address '%s' is not valid$" % text):
            qorctl.MacAddress(text)


def test_an_array_parameter_refuses_none_instead_of_passing_null():
    with pytest.raises(ValueError) as caught:
        _qorctl.new_MacAddress(None)
    assert str(caught.value) == "invalid null reference in method 'new_MacAddress', argument 1 of type 'uint8 [6]'"


def test_records_returned_by_value_are_copies_the_caller_owns(info):
    pnic = adapters(info)[0]
    first, second = pnic.GetMacAddress(), pnic.GetMacAddress()
    assert first.thisown and second.thisown
    assert int(first.this) != int(second.this)


def test_adapters_report_their_records_from_the_model(sim_host):
    sim_host("""
        [Pnic nic0]
        CdpInfo.deviceId = sw-lab-1
        CdpInfo.ipAddress = 192.0.2.200
        CdpInfo.network = 192.0.2.0/25
        CdpInfo.vlan = 12
        LldpInfo.optTLVs = TimeOut=30,Samples=4
        PnicStats.packetsRx = 18446744073709551615
        PnicRingInfo.1.rx = 512
        PnicRingInfo.2.rx = 8192
    """)
    pnic = qorctl.PnicImpl("nic0")
    cdp = pnic.GetCdpInfo()
    assert (cdp.deviceId, cdp.ipAddress.GetStringAddress(), cdp.network.GetStringAddress(), cdp.vlan, cdp.mtu) == (
        "sw-lab-1", "192.0.2.200", "192.0.2.0/25", 12, 0)
    assert pnic.GetLldpInfo().optTLVs.asdict() == {"TimeOut": "30", "Samples": "4"}
    stats = qorctl.PnicStats()
    stats.packetsTx = 5                                  # what the model does not hold is left alone
    pnic.GetPnicStats(stats)
    assert (stats.packetsRx, stats.packetsTx) == (2 ** 64 - 1, 5)
    current, maximum = qorctl.PnicRingInfo(), qorctl.PnicRingInfo()
    pnic.GetPnicRingInfo(current, maximum)
    assert (current.rx, maximum.rx) == (512, 8192)


def test_the_built_in_host_describes_its_adapters_links(info):
    nic0, nic1, nic2, nic3 = adapters(info)
    assert nic0.GetCdpInfo().deviceId == "sw-core-1" and nic1.GetCdpInfo().deviceId == "sw-core-2"
    assert nic2.GetCdpInfo().deviceId == ""             # no neighbour behind a link that is down
    drivers = [qorctl.PnicDriverInfo() for _ in range(4)]
    for pnic, driver in zip((nic0, nic1, nic2, nic3), drivers):
        pnic.GetPnicDriverInfo(driver)
    assert [(d.name, d.version) for d in drivers] == [("qnet", "1.4.2")] * 2 + [("qfab", "2.0.1")] * 2
    stats = qorctl.PnicStats()
    nic0.GetPnicStats(stats)
    assert stats.packetsRx > stats.packetsTx > 0 and stats.bytesRx > stats.packetsRx


def test_an_information_block_can_be_made_to_fail(sim_host):
    sim_host("""
        [Pnic nic0]
        [fail]
        Pnic.GetPnicStats = statistics unavailable
    """)
    with pytest.raises(qorctl.HostCtlException, match="^statistics unavailable$"):
        qorctl.PnicImpl("nic0").GetPnicStats(qorctl.PnicStats())


def test_keyed_records_and_capabilities_come_from_the_model(sim_host):
    sim_host("""
        [Pnic nic0]
        SourcePortStats.7.pktsIn = 12
        HardwareCapabilities = VlanTag,SRIOV=false
        [Pnic nic1]
        HardwareCapabilities = VlanTag,Teleport
    """)
    pnic = qorctl.PnicImpl("nic0")
    assert (pnic.GetSourcePortStats(7).pktsIn, pnic.GetSourcePortStats(8).pktsIn) == (12, 0)
    caps = pnic.GetHardwareCapabilities()
    assert (caps.GetVlanTag(), caps.HasSRIOV(), caps.GetSRIOV(), caps.HasDCB()) == (True, True, False, False)
    with pytest.raises(qorctl.HostCtlException, match="^adapter capability 'Teleport' is not valid$"):
        qorctl.PnicImpl("nic1").GetHardwareCapabilities()
