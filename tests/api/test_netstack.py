"""The host network stack a script walks: stack instances and the forms that
mean the default one, kernel interfaces with their cached state, routes, DNS,
IPsec, the network-dump settings and the module variables of the area."""

import pytest

import _qorctl
import qorctl

DEFAULT = "defaultTcpipStack"


@pytest.fixture
def info():
    return qorctl.NetworkInfoImpl()


@pytest.fixture
def out(peer):
    """Makes out-parameter values (peer.new_out) and frees them afterwards."""
    made = []

    def make(kind):
        made.append((peer.new_out(kind), kind))
        return made[-1][0]

    yield make
    for proxy, kind in made:
        peer.free_out(proxy, kind)


def names(holders):
    return [holder.get().GetInterfaceName() for holder in holders]


# ---- the forms without a stack name mean the default stack ---------------------------

@pytest.mark.parametrize("read", [
    lambda info, *stack: info.GetRoutingInfo(*stack).get().GetQorKernelDefaultGateway().GetStringAddress(),
    lambda info, *stack: qorctl.RoutingInfoImpl(*stack).GetQorKernelDefaultGateway().GetStringAddress(),
    lambda info, *stack: info.GetDnsConfig(*stack).get().GetAllNameServers(),
    lambda info, *stack: qorctl.DnsConfigImpl(*stack).GetAllNameServers(),
    lambda info, *stack: qorctl.NetstackInstanceImpl(*stack).GetMaxConnections(),
    lambda info, *stack: qorctl.QorKernelNicInfoImpl().GetQorNicCountByNetstackInstance(*stack),
    lambda info, *stack: _qorctl.NetworkInfo_IsQorIpv6GlobalRouterAdvEnabled(info, *stack),
], ids=["routing", "routing-ctor", "dns", "dns-ctor", "instance-ctor", "nic-count", "router-adv"])
def test_the_short_form_reads_the_default_stack(info, read):
    assert read(info) == read(info, DEFAULT)


def test_the_stacks_differ_where_the_default_form_is_tested(info):
    # Without this the short-form test above could pass on one shared answer.
    assert info.GetRoutingInfo("provisioning").get().GetQorKernelDefaultGateway().GetStringAddress() == "198.51.100.1"
    assert info.GetRoutingInfo().get().GetQorKernelDefaultGateway().GetStringAddress() == "192.0.2.1"
    assert qorctl.QorKernelNicInfoImpl().GetQorNicCountByNetstackInstance() == 3
    assert qorctl.NetstackInstanceImpl().GetKey() == DEFAULT


def test_a_setter_without_a_stack_name_changes_the_default_stack_only(sim_host):
    sim_host("""
        [NetworkInfo]
        QorIpv6GlobalRouterAdvEnabled.defaultTcpipStack = false
        QorIpv6GlobalRouterAdvEnabled.provisioning = false
    """)
    info = qorctl.NetworkInfoImpl()
    info.SetQorIpv6GlobalRouterAdvEnabled(True)
    assert info.IsQorIpv6GlobalRouterAdvEnabled(DEFAULT) is True
    assert info.IsQorIpv6GlobalRouterAdvEnabled("provisioning") is False


@pytest.mark.parametrize("listing, stack, expected", [
    ("GetCurrentIpQorkernelConnections", (), [("192.0.2.10", 22, "198.51.100.77", 50122),
                                              ("192.0.2.10", 53120, "192.0.2.53", 53)]),
    ("GetCurrentTcpQorkernelConnections", (), [("192.0.2.10", 22, "198.51.100.77", 50122)]),
    ("GetCurrentUdpQorkernelConnections", (DEFAULT,), [("192.0.2.10", 53120, "192.0.2.53", 53)]),
    ("GetCurrentTcpQorkernelConnections", ("provisioning",), [("198.51.100.23", 40100, "198.51.100.5", 443)]),
])
def test_connection_listings_fill_the_callers_container(info, peer, out, listing, stack, expected):
    connections = out("connections")
    assert getattr(_qorctl, "NetworkInfoImpl_" + listing)(info, connections, *stack) is None
    assert peer.out_value(connections, "connections") == expected
    # A second listing replaces what the first left.
    getattr(_qorctl, "NetworkInfo_" + listing)(info, connections, *stack)
    assert peer.out_value(connections, "connections") == expected


def test_a_connection_listing_needs_a_container():
    with pytest.raises(ValueError, match="invalid null reference in method 'NetworkInfo_GetCurrentTcpQorkernelConnections', "
                                         "argument 2 of type 'std::vector< HostCtl::Network::TcpIpConnection,"):
        _qorctl.NetworkInfo_GetCurrentTcpQorkernelConnections(qorctl.NetworkInfoImpl(), None)


# ---- network dump settings -------------------------------------------------------------

def test_net_dumper_parameters_come_back_through_four_out_parameters(info, peer, out):
    values = [out(kind) for kind in ("string", "string", "int", "bool")]
    assert _qorctl.NetworkInfo_GetNetDumperParams(info, *values) is None
    kinds = ("string", "string", "int", "bool")
    assert [peer.out_value(v, k) for v, k in zip(values, kinds)] == ["knic0", "192.0.2.40", 6500, True]


@pytest.mark.parametrize("position", [2, 3, 4, 5])
def test_a_null_net_dumper_out_parameter_is_refused_by_position(info, out, position):
    kinds = ("string", "string", "int", "bool")
    types = ("std::string &", "std::string &", "int &", "bool &")
    values = [out(kind) for kind in kinds]
    values[position - 2] = None
    with pytest.raises(ValueError) as caught:
        _qorctl.NetworkInfo_GetNetDumperParams(info, *values)
    assert str(caught.value) == ("invalid null reference in method 'NetworkInfo_GetNetDumperParams', argument %d "
                                 "of type '%s'" % (position, types[position - 2]))


@pytest.mark.parametrize("server, ipv4", [("198.51.100.40", True), ("2001:db8::40", False)])
def test_the_dump_server_is_set_by_either_address_family(sim_host, peer, out, server, ipv4):
    sim_host("[NetworkInfo]\n")
    info = qorctl.NetworkInfoImpl()
    address = qorctl.Ipv4Address(server) if ipv4 else qorctl.Ipv6Address(server)
    info.SetNetDumperParams("knic3", address, 6501)
    values = [out(kind) for kind in ("string", "string", "int", "bool")]
    info.GetNetDumperParams(*values)
    assert [peer.out_value(v, k) for v, k in zip(values[:3], ("string", "string", "int"))] == ["knic3", server, 6501]
    found = qorctl.Ipv4Address()
    if ipv4:
        info.GetNetDumpServerIpv4(found)
        assert found.GetStringAddress() == server
    else:
        with pytest.raises(qorctl.HostCtlException, match="is not IPv4"):
            info.GetNetDumpServerIpv4(found)


# ---- kernel interfaces ----------------------------------------------------------------

def test_kernel_interfaces_of_the_built_in_host(info):
    kinfo = info.GetQorKernelNicInfo().get()
    assert names(kinfo.GetQorKernelNics()) == ["knic0", "knic1", "knic2", "knic3"]
    assert names(kinfo.GetQorKernelNicsByInstanceKey("provisioning")) == ["knic3"]
    assert names(kinfo.GetQorKernelNicsByType(_qorctl.QorNic_QORNIC_TYPE_ISCSI)) == ["knic1", "knic2"]
    management = info.GetManagementInterface().get()
    config = management.GetIpConfig()
    assert (management.GetInterfaceName(), config.GetIpv4Address().GetStringAddress(),
            [n.GetStringAddress() for n in config.GetIpv6Network()]) == ("knic0", "192.0.2.10", ["2001:db8::10/64"])
    assert info.GetDefaultNetstackInstance().get().GetQorNicNames() == ("knic0", "knic1", "knic2")
    assert management.GetPortGroup().get().GetName() == "Management Network"


def test_an_interface_added_shows_in_the_lists_and_goes_again(sim_host):
    sim_host("""
        [QorKernelNicInfo]
        [QorNic knic0]
        PortGroupName = Management Network
    """)
    kinfo = qorctl.QorKernelNicInfoImpl()
    config = qorctl.IpConfig()
    config.SetIpv4Address(qorctl.Ipv4Address("192.0.2.50"))
    config.SetIpv4Netmask(qorctl.Ipv4Address("255.255.255.0"))
    added = kinfo.AddQorKernelNic("vmotion-pg", "", config).get()
    assert added.GetInterfaceName() == "knic1"       # the first free name
    assert added.GetMtu() == _qorctl.cvar.QorNic_DEFAULT_MTU
    assert added.GetIpConfig().GetIpv4Address().GetStringAddress() == "192.0.2.50"
    assert kinfo.QorKernelNicExists("knic1") is True
    with pytest.raises(qorctl.HostCtlException, match="Interface knic1 already exists"):
        kinfo.AddQorKernelNic("vmotion-pg", "knic1", config)
    kinfo.RemoveQorKernelNic("vmotion-pg", "knic1")
    assert names(kinfo.GetQorKernelNics()) == ["knic0"]
    assert kinfo.QorKernelNicExists("knic1") is False


def test_reads_after_one_invalidation_refresh_the_interface_once(sim_host):
    sim_host("""
        [QorNic knic1]
        PortGroupName = iscsi-a
        MacAddress = 02:5a:40:00:00:21
    """)
    nic = qorctl.QorNicImpl("knic1", "iscsi-a")
    other = qorctl.QorNicImpl("knic1", "iscsi-a")
    assert nic.GetPortGroupName() == "iscsi-a"
    other.SetPortGroup("iscsi-b")                  # the host changes behind nic's back
    assert nic.GetPortGroupName() == "iscsi-a"     # still the cached copy
    nic.SetMacAddress(qorctl.MacAddress("02:5a:40:00:00:99"))   # invalidates nic
    other.SetPortGroup("iscsi-c")
    # The first read after the invalidation refreshes everything once ...
    assert nic.GetInterfaceName() == "knic1"
    assert nic.GetPortGroupName() == "iscsi-c"
    assert nic.GetMacAddress().GetStringAddress() == "02:5a:40:00:00:99"
    other.SetPortGroup("iscsi-d")
    # ... and later reads, through either interface, use the refreshed copy.
    assert nic.GetPortGroupName() == "iscsi-c"
    assert _qorctl.NetworkInterface_GetPortGroupName(nic) == "iscsi-c"


def test_a_failing_refresh_keeps_the_interface_stale(sim_host):
    sim_host("""
        [QorNic knic1]
        PortGroupName = iscsi-a
        [fail]
        QorNic.Refresh = cache unavailable
    """)
    nic = qorctl.QorNicImpl("knic1", "iscsi-a")
    for _ in range(2):
        with pytest.raises(qorctl.HostCtlException, match="cache unavailable"):
            nic.GetPortGroupName()


# ---- stack instances, routes and resolver -----------------------------------------------

def test_a_stack_instance_is_described_then_added_and_removed(sim_host):
    sim_host("""
        [NetstackInstance defaultTcpipStack]
        [RoutingInfo defaultTcpipStack]
    """)
    info = qorctl.NetworkInfoImpl()
    described = qorctl.NetstackInstanceImpl("backup", 4000, "cubic")
    assert info.GetNetstackInstanceState("backup") == _qorctl.NETSTACK_INSTANCE_STATE_NOT_FOUND
    assert info.LookupNetstackInstanceByKey("backup").get() is None
    assert info.AddNetstackInstance(described) is True
    added = info.GetNetstackInstanceByKey("backup").get()
    assert (added.GetMaxConnections(), added.GetCongestionControlAlgorithm(), added.GetIpv6Enabled()) == \
        (4000, "cubic", _qorctl.cvar.NETSTACK_INST_IPV6_ENABLED_DEF)
    assert info.GetNetstackInstanceState("backup") == _qorctl.NETSTACK_INSTANCE_STATE_READY
    assert info.GetRoutingInfo("backup").get().GetNetstackInstanceKey() == "backup"
    assert [h.get().GetKey() for h in info.ListNetstackInstances()] == [DEFAULT, "backup"]
    assert info.RemoveNetstackInstance("backup") is True
    assert info.RemoveNetstackInstance("backup") is False
    with pytest.raises(qorctl.HostCtlException, match="cannot be removed"):
        info.RemoveNetstackInstance(DEFAULT)


def test_routes_are_added_and_removed_per_stack(sim_host):
    sim_host("""
        [RoutingInfo defaultTcpipStack]
        [RoutingInfo provisioning]
        [Ipv4Route defaultTcpipStack 192.0.2.0/24]
        network = 192.0.2.0/24
        gateway = 0.0.0.0
        iface = knic0
    """)
    routing = qorctl.RoutingInfoImpl()
    local, remote = qorctl.Ipv4Address("192.0.2.77"), qorctl.Ipv4Address("198.51.100.7")
    assert (routing.HasLocalRouteToAddress(local), routing.HasLocalRouteToAddress(remote)) == (True, False)
    provisioning = qorctl.RoutingInfoImpl("provisioning")
    provisioning.AddQorkernelRoute(qorctl.Ipv4Network("198.51.100.0/24"), qorctl.Ipv4Address("0.0.0.0"))
    assert provisioning.HasLocalRouteToAddress(remote) is True
    assert routing.HasLocalRouteToAddress(remote) is False          # the other stack is untouched
    provisioning.RemoveQorkernelRoute(qorctl.Ipv4Network("198.51.100.0/24"), qorctl.Ipv4Address("0.0.0.0"))
    assert provisioning.HasLocalRouteToAddress(remote) is False
    with pytest.raises(qorctl.HostCtlException, match="No route to 198.51.100.0/24"):
        provisioning.RemoveQorkernelRoute(qorctl.Ipv4Network("198.51.100.0/24"), qorctl.Ipv4Address("0.0.0.0"))


def test_the_resolver_keeps_servers_and_search_domains(sim_host):
    sim_host("""
        [DnsConfig defaultTcpipStack]
        NameServers = 192.0.2.53,2001:db8::53
        SearchDomains = example.invalid
    """)
    dns = qorctl.DnsConfigImpl()
    dns.AddUserNameServer(qorctl.Ipv4Address("198.51.100.53"))
    dns.AddUserSearchDomain("lab.example.invalid")
    assert dns.GetAllNameServers() == ("192.0.2.53", "2001:db8::53", "198.51.100.53")
    assert [a.GetStringAddress() for a in dns.GetNameServers()] == ["192.0.2.53", "198.51.100.53"]
    assert dns.GetSearchDomainsString() == "example.invalid lab.example.invalid"
    dns.RemoveIpv6NameServers()
    dns.RemoveNameServer(qorctl.Ipv4Address("192.0.2.53"))
    assert dns.GetAllNameServers() == ("198.51.100.53",)
    with pytest.raises(qorctl.HostCtlException, match="192.0.2.53 is not configured"):
        dns.RemoveNameServer(qorctl.Ipv4Address("192.0.2.53"))


def test_the_resolvers_name_is_answered_by_the_module(sim_host):
    sim_host("""
        [fail]
        DnsConfig.GetName = must not be asked
    """)
    assert _qorctl.DnsConfigImpl_GetName(qorctl.DnsConfigImpl()) == "DnsConfigImpl"


# ---- IPsec ------------------------------------------------------------------------------

def test_ipsec_policies_and_associations(sim_host, peer):
    sim_host("""
        [IpSecConfig]
        [IpSecSad sa-1]
        saName = sa-1
        state = 1
        srcAddr = 2001:db8::10
        [IpSecSad sa-2]
        saName = sa-2
        state = 0
    """)
    ipsec = qorctl.IpSecConfigImpl()
    assert ipsec.GetSADConfig("sa-1").srcAddr.GetStringAddress() == "2001:db8::10"
    policy = qorctl.IpSecSpdParam()
    policy.spName, policy.saName, policy.direction = "sp-1", "sa-1", _qorctl.IPSEC_DIRECTION_OUT
    policy.dstAddr = qorctl.Ipv6Address("2001:db8::40")
    ipsec.AddSPDConfig(policy)
    found = ipsec.GetSPDConfig("sp-1")
    assert (found.saName, found.direction, found.dstAddr.GetStringAddress()) == \
        ("sa-1", _qorctl.IPSEC_DIRECTION_OUT, "2001:db8::40")
    with pytest.raises(qorctl.HostCtlException, match="exists"):
        ipsec.AddSPDConfig(policy)
    ipsec.FlushSPDConfig()
    with pytest.raises(qorctl.HostCtlException, match="IpSecSpd 'sp-1' not found"):
        ipsec.GetSPDConfig("sp-1")


@pytest.mark.parametrize("convert, text, value", [
    ("StringToIpSecULProtoType", "udp", 2),
    ("StringToIpSecDirection", "out", 1),
    ("StringToIpSecAction", "ipsec", 2),
    ("StringToIpSecMode", "tunnel", 1),
    ("StringToIpSecEncyptAlgo", "aes128-cbc", 2),
    ("StringToIpSecAuthAlgo", "hmac-sha256", 1),
    ("StringToIpSecMode", "no-such-mode", 2),      # unknown names are "unknown"
])
def test_ipsec_names_convert_to_their_enumerations(convert, text, value):
    assert getattr(qorctl.IpSecConfigImpl(), convert)(text) == value


# ---- module variables and conversions ----------------------------------------------------

def test_read_only_variables_of_the_area():
    assert _qorctl.cvar.INVALID_CONNECTION_ID == 4294967295
    with pytest.raises(AttributeError, match="Variable NETSTACK_INST_MAX_CONNECTIONS_DEF is read-only."):
        _qorctl.cvar.NETSTACK_INST_MAX_CONNECTIONS_DEF = 1
    assert _qorctl.cvar.NETSTACK_INST_MAX_CONNECTIONS_DEF == 11000


def test_an_implementation_converts_to_its_interfaces_only():
    nic = qorctl.QorNicImpl("knic0", "Management Network")
    assert _qorctl.NetworkInterface_GetInterfaceName(nic) == "knic0"
    assert _qorctl.QorNic_GetQorNicType(nic) == _qorctl.QorNic_QORNIC_TYPE_GENERIC
    routing = qorctl.NetworkInfoImpl().GetRoutingInfo().get()     # an interface proxy
    with pytest.raises(TypeError, match="argument 1 of type 'QorCtl::Network::RoutingInfoImpl \\*'"):
        _qorctl.RoutingInfoImpl_GetQorkernelIpv4DefaultGatewayInterface(routing)


def test_the_routing_implementation_is_not_taken_for_its_interface():
    # The library registers no conversion from the routing implementation to
    # its interface, so only the object base accepts it.
    routing = qorctl.RoutingInfoImpl()
    with pytest.raises(TypeError, match="argument 1 of type 'HostCtl::Network::RoutingInfo \\*'"):
        _qorctl.RoutingInfo_GetNetstackInstanceKey(routing)
    assert _qorctl.HostCtlObject_GetName(routing) == _qorctl.RoutingInfoImpl_GetName(routing)


# ---- failures on request ------------------------------------------------------------------

@pytest.mark.parametrize("operation, call", [
    ("NetworkInfo.GetCurrentTcpQorkernelConnections",
     lambda out: qorctl.NetworkInfoImpl().GetCurrentTcpQorkernelConnections(out("connections"))),
    ("NetworkInfo.AddNetstackInstance",
     lambda out: qorctl.NetworkInfoImpl().AddNetstackInstance(qorctl.NetstackInstanceImpl("spare"))),
    ("QorKernelNicInfo.AddQorKernelNic",
     lambda out: qorctl.QorKernelNicInfoImpl().AddQorKernelNic("pg", "knic9", qorctl.IpConfig())),
    ("QorNic.SetPortGroup", lambda out: qorctl.QorNicImpl("knic1", "iscsi-a").SetPortGroup("pg")),
    ("RoutingInfo.AddQorkernelRoute",
     lambda out: qorctl.RoutingInfoImpl().AddQorkernelRoute(qorctl.Ipv4Network("198.51.100.0/24"),
                                                           qorctl.Ipv4Address("192.0.2.1"))),
    ("DnsConfig.AddUserSearchDomain", lambda out: qorctl.DnsConfigImpl().AddUserSearchDomain("x.invalid")),
    ("IpSecConfig.FlushSADConfig", lambda out: qorctl.IpSecConfigImpl().FlushSADConfig()),
    ("NetstackInstance.Create", lambda out: qorctl.NetstackInstanceImpl().Create()),
])
def test_every_kind_of_stack_operation_can_be_made_to_fail(sim_host, out, operation, call):
    sim_host("""
        [QorNic knic1]
        [fail]
        %s = refused on request
    """ % operation)
    with pytest.raises(qorctl.HostCtlException, match="refused on request"):
        call(out)
