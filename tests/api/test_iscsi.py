"""The iSCSI area seen from Python: discovery values and boot tables that
behave for real, by-value class arguments, and the simulated software
adapter's targets, parameters, CHAP, port binding, counters and failures."""

import pytest

import _qorctl as q
import qorctl

MAX_UINT64 = 2 ** 64 - 1
TARGET0 = "iqn.2026-01.invalid.array-1:target0"
TARGET1 = "iqn.2026-01.invalid.array-1:target1"

# A small adapter of its own for the tests that change it.
ADAPTER = """
[iScsiInterface hba64]
iScsiName = iqn.2026-01.invalid.host-a:sw-iscsi
iScsiAlias = host-a-iscsi
HeaderDigest = 3
SendTargets = 192.0.2.60:3260
StaticTargets = {t0}@192.0.2.60:3260,{t1}@192.0.2.61:3260
Target.{t0}@192.0.2.60:3260.Server = 192.0.2.60:3260
Target.{t1}@192.0.2.61:3260.Server = 192.0.2.60:3260
Nics = knic0,knic1,knic2
BoundNics = knic1
Nic.knic0.compliantStatus = 3
Nic.knic0.nonCompliantMessage = knic0 has more than one active uplink
Chap.0.minValueLength = 12
Chap.0.maxValueLength = 16
AdapterParms.cmds_max = 128
AdapterParms.cmds_max_default = 128
AdapterParms.cmds_max_min = 2
AdapterParms.cmds_max_max = 2048
AdapterParms.cmds_max_settable = true
AdapterParms.first_burst_len = 262144
AdapterParms.first_burst_len_min = 512
AdapterParms.first_burst_len_max = 16777215
AdapterParms.first_burst_len_settable = true
AdapterParms.error_recovery_level = 0
AdapterParms.error_recovery_level_max = 2
AdapterParms.error_recovery_level_settable = false
AdapterStats.statsEnabled = true
AdapterStats.cmdPdus = 100
""".format(t0=TARGET0, t1=TARGET1)


def refused(call, *args):
    with pytest.raises(qorctl.HostCtlException) as caught:
        call(*args)
    return str(caught.value)


def address(text, port=3260):
    return qorctl.TargetAddress(qorctl.HostAddress(text), port)


def target(name, host, port=3260):
    return qorctl.StaticTarget(name, address(host, port))


def adapter_of(model=None):
    held = qorctl.StorageInfoImpl().GetiScsiInterfaces()
    assert len(held) == 1
    return held[0].get()


@pytest.fixture
def adapter(sim_host):
    """The adapter of a model of the test's own, which it may change freely."""
    sim_host(ADAPTER)
    return adapter_of()


# ---- discovery configuration values ---------------------------------------------------

@pytest.mark.parametrize("method", [q.SlpConfig_DISCOVERY_DHCP, q.SlpConfig_DISCOVERY_BROADCAST,
                                    q.SlpConfig_DISCOVERY_MULTICAST])
def test_slp_address_is_refused_unless_discovery_is_manual(method):
    config = qorctl.SlpConfig(method)
    before = (config.GetHostAddress().GetHostAddress(), config.GetPortNumber())
    assert refused(config.SetHostAddress, qorctl.HostAddress("192.0.2.70"), 4270) == \
        "HostAddress can be set only for manual discovery"
    assert refused(config.SetHostAddress, qorctl.HostAddress("192.0.2.70")) == \
        "HostAddress can be set only for manual discovery"
    assert (config.GetHostAddress().GetHostAddress(), config.GetPortNumber()) == before
    assert config.GetDiscoveryMethod() == method


def test_manual_slp_takes_the_address_and_port_or_the_default_agent_port():
    config = qorctl.SlpConfig(q.SlpConfig_DISCOVERY_MANUAL)
    config.SetHostAddress(qorctl.HostAddress("192.0.2.70"), 4270)
    assert (config.GetHostAddress().GetHostAddress(), config.GetPortNumber()) == ("192.0.2.70", 4270)
    config.SetHostAddress(qorctl.HostAddress("slp.invalid"))
    assert config.GetHostAddress().GetHostAddress() == "slp.invalid"
    assert config.GetPortNumber() == q.cvar.SlpConfig_DEFAULT_DA_PORT == 427
    # The setter is chosen by count: a third argument that is no port is no candidate.
    with pytest.raises(NotImplementedError, match="SlpConfig_SetHostAddress"):
        q.SlpConfig_SetHostAddress(config, qorctl.HostAddress("192.0.2.70"), "port")


def test_a_new_slp_configuration_uses_dhcp_and_the_default_agent_port():
    config = qorctl.SlpConfig()
    assert (config.GetDiscoveryMethod(), config.GetPortNumber()) == (q.SlpConfig_DISCOVERY_DHCP, 427)
    config.SetDiscoveryMethod(q.SlpConfig_DISCOVERY_MANUAL)
    config.SetHostAddress(qorctl.HostAddress("2001:db8::70"), 1)
    assert (config.GetHostAddress().GetHostAddress(), config.GetPortNumber()) == ("2001:db8::70", 1)


def test_isns_configuration_keeps_its_method_and_address():
    config = qorctl.iSnsConfig()
    assert config.GetDiscoveryMethod() == q.iSnsConfig_DISCOVERY_STATIC
    config.SetDiscoveryMethod(q.iSnsConfig_DISCOVERY_SLP)
    config.SetHostAddress(qorctl.HostAddress("192.0.2.80"))
    assert (config.GetDiscoveryMethod(), config.GetHostAddress().GetHostAddress()) == \
        (q.iSnsConfig_DISCOVERY_SLP, "192.0.2.80")


def test_targets_compare_by_name_address_and_number_not_by_how_they_were_found():
    found = qorctl.StaticTarget(TARGET0, address("192.0.2.60"), q.StaticTarget_SENDTARGET_DISCOVERY)
    assert found == target(TARGET0, "192.0.2.60")
    assert found.GetDiscoveryMethod() == q.StaticTarget_SENDTARGET_DISCOVERY
    assert target(TARGET0, "192.0.2.60").GetDiscoveryMethod() == q.StaticTarget_STATIC_DISCOVERY
    numbered = qorctl.StaticTarget(TARGET0, address("192.0.2.60"), 7, q.StaticTarget_ISNS_DISCOVERY)
    assert (numbered.GetSeqNo(), numbered.GetDiscoveryMethod()) == (7, q.StaticTarget_ISNS_DISCOVERY)
    assert not numbered == found
    assert not target(TARGET0, "192.0.2.60", 3261) == found
    assert address("192.0.2.60") == found.GetAddress()
    assert not address("192.0.2.61") == found.GetAddress()


def test_a_target_address_made_from_one_is_a_copy_and_results_are_owned_copies():
    host = qorctl.HostAddress("192.0.2.60")
    made = qorctl.TargetAddress(host, 3260)
    got = made.GetHostAddress()
    assert got.thisown and got.GetHostAddress() == "192.0.2.60"
    del host, got
    assert made.GetHostAddress().GetHostAddress() == "192.0.2.60"
    found = target(TARGET0, "192.0.2.60")
    first, second = found.GetAddress(), found.GetAddress()
    assert first.thisown and second.thisown
    del first
    assert second.GetPortNumber() == 3260


@pytest.mark.parametrize("call, position, type_text", [
    (lambda: q.new_TargetAddress(None, 3260), 1, "HostCtl::Network::HostAddress const"),
    (lambda: q.SlpConfig_SetHostAddress(qorctl.SlpConfig(3), None), 2, "HostCtl::Network::HostAddress"),
    (lambda: q.iScsiBootTables_SetPrimary(qorctl.iScsiBootTables(), None), 2, "HostCtl::Storage::iScsiBootTable"),
    (lambda: q.StaticTarget___eq__(target(TARGET0, "192.0.2.60"), None), 2,
     "HostCtl::Storage::StaticTarget const &"),
])
def test_a_null_by_value_or_reference_argument_is_refused_with_its_position_and_type(call, position, type_text):
    with pytest.raises(ValueError) as caught:
        call()
    assert str(caught.value).startswith("invalid null reference in method ")
    assert str(caught.value).endswith("argument %d of type '%s'" % (position, type_text))


# ---- firmware boot tables -------------------------------------------------------------

def test_a_new_boot_table_is_empty_and_keeps_what_is_set():
    table = qorctl.iScsiBootTable()
    assert (table.GetEnabled(), table.GetLun(), table.GetTargetName(), table.GetChapPwd()) == (0, 0, "", "")
    table.SetLun(MAX_UINT64)
    table.SetTargetName(TARGET0)
    table.SetTargetPort(3260)
    assert (table.GetLun(), table.GetTargetName(), table.GetTargetPort()) == (MAX_UINT64, TARGET0, 3260)
    with pytest.raises(TypeError, match="argument 2 of type 'uint64'"):
        table.SetLun(MAX_UINT64 + 1)
    with pytest.raises(OverflowError):
        table.SetLun(-1)
    assert table.GetLun() == MAX_UINT64


BOOT_FIELDS = [("Enabled", 1), ("MacAddress", "02:5a:10:00:00:03"), ("NicFlags", 3), ("NicPciBusDevFunc", 6144),
               ("NicIP", "192.0.2.21"), ("NicSubnetMask", "255.255.255.0"), ("NicGateway", "192.0.2.1"),
               ("NicDhcp", 1), ("NicVlan", 12), ("TargetBootFlags", 3), ("TargetIP", "192.0.2.60"),
               ("TargetPort", 3260), ("Lun", 2 ** 40), ("TargetName", TARGET0), ("ChapType", 2),
               ("ChapName", "host-a"), ("ChapPwd", "pw-1"), ("ReverseChapName", "array-1"),
               ("ReverseChapPwd", "pw-2"), ("InitiatorBootFlags", 1), ("SlpIP", "192.0.2.70"),
               ("InitiatorName", "iqn.2026-01.invalid.host-a:fw"), ("InitiatorAlias", "host-a-fw")]


def test_each_boot_table_accessor_reaches_its_own_member():
    table = qorctl.iScsiBootTable()
    for name, value in BOOT_FIELDS:
        getattr(table, "Set" + name)(value)
    assert [getattr(table, "Get" + name)() for name, _ in BOOT_FIELDS] == [value for _, value in BOOT_FIELDS]
    copy = qorctl.iScsiBootTables()
    copy.SetSecondary(table)
    assert [getattr(copy.GetSecondary(), "Get" + name)() for name, _ in BOOT_FIELDS] == \
        [value for _, value in BOOT_FIELDS]


def test_boot_tables_store_and_hand_out_copies():
    tables = qorctl.iScsiBootTables()
    mine = qorctl.iScsiBootTable()
    mine.SetTargetIP("192.0.2.60")
    tables.SetPrimary(mine)
    mine.SetTargetIP("192.0.2.99")
    got = tables.GetPrimary()
    assert got.thisown and got.GetTargetIP() == "192.0.2.60"
    got.SetTargetIP("192.0.2.98")
    assert tables.GetPrimary().GetTargetIP() == "192.0.2.60"
    assert tables.GetSecondary().GetTargetIP() == ""


@pytest.mark.skipif(not hasattr(q, "StorageInfo_GetiScsiBootTables"), reason="storage information not declared")
def test_the_firmware_tables_come_from_the_model(sim_host):
    sim_host("""
        [StorageInfo]
        iScsiBootTables = fw-a,fw-b
        [iScsiBootTable fw-a]
        Enabled = 1
        Lun = 18446744073709551615
        TargetName = %s
        [iScsiBootTable fw-b]
        NicVlan = 12
        """ % TARGET1)
    tables = qorctl.StorageInfoImpl().GetiScsiBootTables()
    primary, secondary = tables.GetPrimary(), tables.GetSecondary()
    assert (primary.GetEnabled(), primary.GetLun(), primary.GetTargetName()) == (1, MAX_UINT64, TARGET1)
    assert (secondary.GetEnabled(), secondary.GetNicVlan()) == (0, 12)


# ---- records --------------------------------------------------------------------------

def test_new_parameters_inherit_everything_and_compare_by_value():
    parms = qorctl.iScsiParms()
    flags = parms.inheritance
    assert all(getattr(flags, name) for name in qorctl.iScsiInheritanceFlags._fields)
    assert parms.parent == "" and parms.cmds_max == 0
    other = qorctl.iScsiParms()
    assert parms == other
    other.inheritance.delayedAck = False
    assert not parms == other
    assert not any(getattr(qorctl.iScsiInheritanceFlags(), n) for n in qorctl.iScsiInheritanceFlags._fields)
    assert not any(getattr(qorctl.iScsiCapabilities(), n) for n in qorctl.iScsiCapabilities._fields)


def test_clearing_nic_properties_empties_every_field():
    nic = qorctl.iScsiNicProperties()
    nic.vnic, nic.vlanId, nic.linkUp = "knic1", 12, True
    nic.ClearProperties()
    assert (nic.vnic, nic.vlanId, nic.linkUp) == ("", 0, False)


# ---- the built-in adapter -------------------------------------------------------------

def test_the_built_in_software_adapter():
    adapter = adapter_of()
    assert isinstance(adapter, qorctl.iScsiInterface)
    assert (adapter.GetiScsiName(), adapter.GetiScsiAlias()) == ("iqn.2026-01.invalid.host-a:sw-iscsi",
                                                                 "host-a-iscsi")
    assert adapter.IsSoftwareiScsi() and adapter.HasSendTargetsDiscovery()
    assert adapter.GetNetworkBindingSupport() == q.iScsiInterface_NETWORK_BINDING_OPTIONAL
    assert adapter.GetiScsiCapabilities().chapAuthorization
    assert adapter.GetPhysicalHbaProperties().driverName == "qiscsi"
    network = adapter.GetNetworkProperties()
    assert network.ipConfig.GetIpv4Address().GetStringAddress() == "192.0.2.21"
    assert network.gateway.GetStringAddress() == "192.0.2.1"
    chap = qorctl.iScsiChapParameters()
    assert adapter.HasChapAuthorization(chap) and chap.name == "host-a"
    parms = adapter.GetAdapterParms()
    assert (parms.cmds_max, parms.cmds_max_min, parms.cmds_max_max) == (128, 2, 2048)


# ---- names, targets and servers ----------------------------------------------------------

@pytest.mark.parametrize("name", ["iqn.2026-01.invalid.host-b:sw", "eui.0123456789abcdef", "naa.5000c50012345678"])
def test_valid_iscsi_names_are_taken(adapter, name):
    assert adapter.SetiScsiName(name) == q.iScsiInterface_OPERATION_OK
    assert adapter.GetiScsiName() == name


@pytest.mark.parametrize("name", ["", "host-b", "iqn.", "iqn.2026-01.invalid host-b", "IQN.2026-01.invalid.x"])
def test_invalid_iscsi_names_are_refused_and_the_name_kept(adapter, name):
    assert "is not a valid iSCSI name" in refused(adapter.SetiScsiName, name, False)
    assert adapter.GetiScsiName() == "iqn.2026-01.invalid.host-a:sw-iscsi"


def test_static_targets_are_added_once_and_removed_once(adapter):
    extra = target("iqn.2026-01.invalid.array-2:t9", "198.51.100.9")
    assert adapter.AddStaticDiscoveryTarget(extra) == q.iScsiInterface_OPERATION_OK
    assert "already configured" in refused(adapter.AddStaticDiscoveryTarget, extra)
    adapter.SetTargetParms(extra, qorctl.iScsiParms())
    assert adapter.RemoveStaticDiscoveryTarget(extra) == q.iScsiInterface_OPERATION_OK
    for call in (adapter.RemoveStaticDiscoveryTarget, adapter.GetTargetParms):
        assert refused(call, extra) == \
            "iSCSI target iqn.2026-01.invalid.array-2:t9@198.51.100.9:3260 is not configured on hba64"
    # The same name at another address, or numbered, is another target.
    assert "not configured" in refused(adapter.GetTargetParms, target(TARGET0, "192.0.2.61"))
    adapter.GetTargetParms(target(TARGET0, "192.0.2.60"))


def test_a_send_targets_server_goes_with_its_targets_only_when_forced(adapter):
    server = address("192.0.2.60")
    assert "still has 2 discovered targets" in refused(adapter.RemoveSendTargetsDiscoveryAddress, server)
    adapter.GetTargetParms(target(TARGET1, "192.0.2.61"))
    assert adapter.RemoveSendTargetsDiscoveryAddress(server, True) == q.iScsiInterface_OPERATION_OK
    assert "not configured" in refused(adapter.GetTargetParms, target(TARGET1, "192.0.2.61"))
    assert "not configured" in refused(adapter.RemoveSendTargetsDiscoveryAddress, server)
    adapter.AddSendTargetsDiscoveryAddress(server)
    assert "already configured" in refused(adapter.AddSendTargetsDiscoveryAddress, address("192.0.2.60"))
    assert adapter.RemoveSendTargetsDiscoveryAddress(server) == q.iScsiInterface_OPERATION_OK


def test_discovery_switches_show_in_later_reads(adapter):
    adapter.EnableStaticDiscovery()
    adapter.DisableSendTargetsDiscovery()
    assert (adapter.HasStaticDiscovery(), adapter.HasSendTargetsDiscovery()) == (True, False)
    manual = qorctl.SlpConfig(q.SlpConfig_DISCOVERY_MANUAL)
    manual.SetHostAddress(qorctl.HostAddress("192.0.2.70"), 4270)
    found = qorctl.SlpConfig()
    assert not adapter.HasSlpDiscovery(found)
    adapter.EnableSlpDiscovery(manual)
    assert adapter.HasSlpDiscovery(found)
    assert (found.GetDiscoveryMethod(), found.GetHostAddress().GetHostAddress(), found.GetPortNumber()) == \
        (q.SlpConfig_DISCOVERY_MANUAL, "192.0.2.70", 4270)
    adapter.DisableSlpDiscovery()
    assert not adapter.HasSlpDiscovery(found)


def test_name_server_discovery_is_kept_and_removed_by_its_address(adapter):
    config = qorctl.iSnsConfig(q.iSnsConfig_DISCOVERY_DHCP)
    config.SetHostAddress(qorctl.HostAddress("192.0.2.80"))
    found = qorctl.iSnsConfig()
    assert not adapter.HasiSnsDiscovery(found)
    adapter.EnableiSnsDiscovery(config)
    assert adapter.HasiSnsDiscovery(found)
    assert (found.GetDiscoveryMethod(), found.GetHostAddress().GetHostAddress()) == \
        (q.iSnsConfig_DISCOVERY_DHCP, "192.0.2.80")
    other = qorctl.iSnsConfig()
    other.SetHostAddress(qorctl.HostAddress("192.0.2.81"))
    assert refused(adapter.RemoveiSnsDiscovery, other) == "name server '192.0.2.81' is not configured on hba64"
    assert adapter.HasiSnsDiscovery(found)
    adapter.RemoveiSnsDiscovery(config)
    assert not adapter.HasiSnsDiscovery(found)


def test_name_server_parameters_are_kept_by_the_model(adapter):
    parms = qorctl.iSnsParms()
    parms.pollInterval, parms.parent = 120, "hba64"
    parms.inheritance.pollInterval = True
    assert adapter.SetAdapterIsnsParms(parms) == q.iScsiInterface_OPERATION_OK
    assert adapter.GetAdapterIsnsParms() == parms


# ---- parameters within their bounds --------------------------------------------------------

def test_adapter_parameters_within_bounds_are_kept(adapter):
    parms = adapter.GetAdapterParms()
    parms.cmds_max, parms.first_burst_len = 2048, 16777215
    assert adapter.SetAdapterParms(parms) == q.iScsiInterface_OPERATION_OK
    kept = adapter.GetAdapterParms()
    assert (kept.cmds_max, kept.cmds_max_changed, kept.first_burst_len) == (2048, True, 16777215)


@pytest.mark.parametrize("field, value, message", [
    ("cmds_max", 1, "cmds_max 1 of hba64 is outside its bounds 2-2048"),
    ("cmds_max", 2049, "cmds_max 2049 of hba64 is outside its bounds 2-2048"),
    ("first_burst_len", 2 ** 63, "first_burst_len 9223372036854775808 of hba64 is outside its bounds 512-16777215"),
    ("error_recovery_level", 1, "error_recovery_level cannot be set on hba64"),
])
def test_adapter_parameters_out_of_bounds_are_refused_and_nothing_changes(adapter, field, value, message):
    parms = adapter.GetAdapterParms()
    parms.cmds_max_max, parms.first_burst_len_max = 2 ** 32 - 1, MAX_UINT64  # the caller's bounds do not count
    parms.cmds_max, parms.first_burst_len = 64, 1024  # within bounds, yet not taken alone
    setattr(parms, field, value)
    assert refused(adapter.SetAdapterParms, parms) == message
    kept = adapter.GetAdapterParms()
    assert (kept.cmds_max, kept.first_burst_len, kept.cmds_max_max) == (128, 262144, 2048)


def test_a_target_checks_only_the_parameters_it_does_not_inherit(adapter):
    known = target(TARGET0, "192.0.2.60")
    parms = qorctl.iScsiParms()
    parms.cmds_max = 1  # inherited: the adapter's value is used
    adapter.SetTargetParms(known, parms)
    parms.inheritance.commandMax = False
    assert refused(adapter.SetTargetParms, known, parms) == \
        "cmds_max 1 of target %s@192.0.2.60:3260 is outside its bounds 2-2048" % TARGET0
    parms.cmds_max = 64
    adapter.SetTargetParms(known, parms)
    assert "send-targets address 192.0.2.99:3260 is not configured" in \
        refused(adapter.SetTargetParms, address("192.0.2.99"), parms)


# ---- CHAP, digests and frame size ------------------------------------------------------

def test_chap_secrets_are_kept_within_the_adapters_lengths(adapter):
    chap = qorctl.iScsiChapParameters()
    chap.name, chap.challengeSecret = "host-a", "twelve-chars"
    assert not adapter.HasChapAuthorization(qorctl.iScsiChapParameters())
    assert adapter.EnableChapAuthorization(chap) == q.iScsiInterface_OPERATION_OK
    found = qorctl.iScsiChapParameters()
    assert adapter.HasChapAuthorization(found)
    assert (found.name, found.challengeSecret, found.maxValueLength) == ("host-a", "twelve-chars", 16)
    chap.challengeSecret = "seventeen-chars!!"
    assert refused(adapter.SetChapAuthorization, chap) == \
        "a CHAP secret of 17 characters is outside the allowed 12-16"
    adapter.DisableChapAuthorization()
    assert not adapter.HasChapAuthorization(found) and found.challengeSecret == "twelve-chars"


def test_digests_and_mtu_are_kept_within_their_choices(adapter):
    # A digest is an object the adapter hands out; the test model sets only the header's.
    assert refused(adapter.SetHeaderDigest, adapter.GetDataDigest()) == "unknown iSCSI digest 0"
    digest = adapter.GetHeaderDigest()
    assert adapter.SetDataDigest(digest) == q.iScsiInterface_OPERATION_OK
    assert adapter.SetHeaderDigest(adapter.GetDataDigest()) == q.iScsiInterface_OPERATION_OK
    for mtu in (1500, 9000):
        assert adapter.SetMtu(mtu) == q.iScsiInterface_OPERATION_OK and adapter.GetMtu() == mtu
    for mtu in (1499, 9001, -1):
        assert refused(adapter.SetMtu, mtu) == "MTU %d is outside 1500-9000" % mtu
    assert adapter.GetMtu() == 9000


def test_network_settings_show_in_the_network_properties(adapter):
    adapter.SetIpv4Address("192.0.2.31")
    adapter.SetIpv4Netmask("255.255.255.0")
    adapter.SetGateway(qorctl.Ipv4Address("192.0.2.1"))
    adapter.SetDnsServer("192.0.2.53", "192.0.2.54")
    props = adapter.GetNetworkProperties()
    assert props.ipConfig.GetIpv4Address().GetStringAddress() == "192.0.2.31"
    assert props.ipConfig.GetIpv4Netmask().GetStringAddress() == "255.255.255.0"
    assert (props.gateway.GetStringAddress(), props.primaryDns, props.secondaryDns) == \
        ("192.0.2.1", "192.0.2.53", "192.0.2.54")
    for call, text in ((adapter.SetIpv4Address, "192.0.2.300"), (adapter.SetIpv4Netmask, "255.0.255.0")):
        with pytest.raises(qorctl.HostCtlException):
            call(text)
    assert adapter.GetNetworkProperties().ipConfig.GetIpv4Address().GetStringAddress() == "192.0.2.31"


def test_the_ipv6_gateway_is_checked_and_kept(adapter):
    assert adapter.SetGateway6("2001:db8:0::1") == q.iScsiInterface_OPERATION_OK
    assert adapter.GetNetworkProperties().gateway6.GetStringAddress() == "2001:db8::1"
    with pytest.raises(qorctl.HostCtlException):
        adapter.SetGateway6("2001:db8::g")
    assert adapter.GetNetworkProperties().gateway6.GetStringAddress() == "2001:db8::1"


# ---- port binding ------------------------------------------------------------------------

def test_only_known_compliant_unbound_interfaces_are_bound(adapter):
    assert refused(adapter.AddiScsiBoundNic, "knic0") == \
        "kernel interface knic0 is not compliant for iSCSI port binding: knic0 has more than one active uplink"
    assert refused(adapter.AddiScsiBoundNic, "knic9") == "kernel interface knic9 is not known to hba64"
    assert refused(adapter.AddiScsiBoundNic, "knic1", True) == "kernel interface knic1 is already bound to hba64"
    assert adapter.AddiScsiBoundNic("knic2") == q.iScsiInterface_OPERATION_OK
    assert adapter.RemoveiScsiBoundNic("knic1", False) == q.iScsiInterface_OPERATION_OK
    assert "last path" in refused(adapter.RemoveiScsiBoundNic, "knic2", False)
    assert adapter.RemoveiScsiBoundNic("knic2", True) == q.iScsiInterface_OPERATION_OK
    assert refused(adapter.RemoveiScsiBoundNic, "knic2", True) == "kernel interface knic2 is not bound to hba64"


def test_a_nic_list_needs_a_vector_to_fill(adapter):
    with pytest.raises(ValueError, match="argument 2 of type 'std::vector< HostCtl::Storage::iScsiNicProperties"):
        adapter.GetiScsiBoundNicList(None)


# ---- counters and failures ------------------------------------------------------------------

def test_counters_move_between_reads(adapter):
    first, second = adapter.GetAdapterStats(), adapter.GetAdapterStats()
    assert first.cmdPdus == 100 and second.cmdPdus > first.cmdPdus
    assert second.rxData > first.rxData and second.txData > first.txData
    assert second.rdCmdPdus + second.wrCmdPdus - first.rdCmdPdus - first.wrCmdPdus == \
        second.cmdPdus - first.cmdPdus


def test_counters_stand_still_while_statistics_are_off(sim_host):
    sim_host(ADAPTER.replace("AdapterStats.statsEnabled = true", "AdapterStats.statsEnabled = false"))
    adapter = adapter_of()
    assert adapter.GetAdapterStats().cmdPdus == adapter.GetAdapterStats().cmdPdus == 100


def test_a_failing_operation_raises_and_changes_nothing(sim_host):
    sim_host(ADAPTER + "\n[fail]\niScsiInterface.AddStaticDiscoveryTarget@hba64 = array unreachable\n"
             "iScsiInterface.GetAdapterStats = counters unavailable\n")
    adapter = adapter_of()
    extra = target("iqn.2026-01.invalid.array-2:t9", "198.51.100.9")
    with pytest.raises(qorctl.HostCtlException) as caught:
        adapter.AddStaticDiscoveryTarget(extra)
    assert caught.value.GetMessage() == "array unreachable"
    assert "not configured" in refused(adapter.GetTargetParms, extra)
    assert refused(adapter.GetAdapterStats) == "counters unavailable"


def ipv4_address(properties):
    # The address configuration is a member of `properties`: it lives only as
    # long as that record, which this call keeps alive.
    return properties.ipConfig.GetIpv4Address().GetStringAddress()


@pytest.mark.parametrize("operation, change, read", [
    ("SetiScsiName", lambda a: a.SetiScsiName("iqn.2026-01.invalid.host-b:sw"), lambda a: a.GetiScsiName()),
    ("SetiScsiAlias", lambda a: a.SetiScsiAlias("host-b"), lambda a: a.GetiScsiAlias()),
    ("AddiScsiBoundNic", lambda a: a.AddiScsiBoundNic("knic2"),
     lambda a: refused(a.AddiScsiBoundNic, "knic1")),
    ("SetMtu", lambda a: a.SetMtu(9000), lambda a: a.GetMtu()),
    ("SetIpv4Address", lambda a: a.SetIpv4Address("192.0.2.31"),
     lambda a: ipv4_address(a.GetNetworkProperties())),
    ("RemoveStaticDiscoveryTarget", lambda a: a.RemoveStaticDiscoveryTarget(target(TARGET0, "192.0.2.60")),
     lambda a: a.GetTargetParms(target(TARGET0, "192.0.2.60"))),
    ("EnableChapAuthorization", lambda a: a.EnableChapAuthorization(qorctl.iScsiChapParameters()),
     lambda a: a.HasChapAuthorization(qorctl.iScsiChapParameters())),
    ("DisableSendTargetsDiscovery", lambda a: a.DisableSendTargetsDiscovery(), lambda a: a.HasSendTargetsDiscovery()),
])
def test_every_change_can_be_made_to_fail_and_then_changes_nothing(sim_host, operation, change, read):
    sim_host(ADAPTER + "SendTargetsDiscovery = true\n[fail]\niScsiInterface.%s = refused by the test\n" % operation)
    adapter = adapter_of()
    before = read(adapter)
    assert refused(change, adapter) == "refused by the test"
    assert read(adapter) == before
