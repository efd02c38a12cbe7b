"""The network value classes and records: address parsing and formatting,
networks and masks, policies with unset values, hosts-file lines, record
defaults and the field rules of records."""

import pytest

import _qorctl
import qorctl

MAX_UINT64 = 2 ** 64 - 1


def refused(call, *args):
    with pytest.raises(qorctl.HostCtlException) as caught:
        call(*args)
    return str(caught.value)


# ---- IPv4 ------------------------------------------------------------------------

@pytest.mark.parametrize("text, binary", [
    ("0.0.0.0", 0), ("192.0.2.1", 0xC0000201), ("255.255.255.255", 0xFFFFFFFF), ("10.20.30.40", 0x0A141E28),
])
def test_ipv4_text_and_binary_forms_round_trip(text, binary):
    assert qorctl.Ipv4Address.UintFromAddress(text) == binary
    assert qorctl.Ipv4Address.AddressFromUint(binary) == text
    assert qorctl.Ipv4Address(text).GetBinaryAddress() == binary
    assert qorctl.Ipv4Address(binary).GetStringAddress() == text


@pytest.mark.parametrize("text", ["", "192.0.2", "192.0.2.256", "192.0.2.1.5", "a.b.c.d", " 192.0.2.1", "::1"])
def test_invalid_ipv4_text_is_refused_not_read_as_another_address(text):
    assert not qorctl.Ipv4Address().IsValidAddress(text)
    assert refused(qorctl.Ipv4Address, text) == "IPv4 address '%s' is not valid" % text
    assert refused(qorctl.Ipv4Address.UintFromAddress, text) == "IPv4 address '%s' is not valid" % text


@pytest.mark.parametrize("cls, text, valid, loopback, zero, netmask, multicast", [
    (qorctl.Ipv4Address, "0.0.0.0", False, False, True, True, False),
    (qorctl.Ipv4Address, "127.0.0.1", True, True, False, False, False),
    (qorctl.Ipv4Address, "255.255.255.0", True, False, False, True, False),
    (qorctl.Ipv4Address, "255.0.255.0", True, False, False, False, False),
    (qorctl.Ipv4Address, "224.0.0.251", True, False, False, False, True),
    (qorctl.Ipv4Address, "192.0.2.7", True, False, False, False, False),
    (qorctl.Ipv6Address, "::", False, False, True, True, False),
    (qorctl.Ipv6Address, "::1", True, True, False, False, False),
    (qorctl.Ipv6Address, "ffff:ffff:ffff:ffff::", True, False, False, True, True),
    (qorctl.Ipv6Address, "ff02::1", True, False, False, False, True),
    (qorctl.Ipv6Address, "2001:db8::5", True, False, False, False, False),
])
def test_address_classification(cls, text, valid, loopback, zero, netmask, multicast):
    address = cls(text)
    assert (address.IsValidAddress(), address.IsLoopbackAddress(), address.IsAllzeroAddress(),
            address.IsValidNetmask(), address.IsValidMulticastAddress()) == (valid, loopback, zero, netmask, multicast)
    family = _qorctl.IP_ADDRESS_V4 if cls is qorctl.Ipv4Address else _qorctl.IP_ADDRESS_V6
    assert address.GetIpAddressType() == family


def test_ipv4_binary_setter_equality_and_the_base_interface():
    address = qorctl.Ipv4Address()
    address.SetBinaryAddress(0xC0000202)
    assert address == qorctl.Ipv4Address("192.0.2.2") and not address == qorctl.Ipv4Address("192.0.2.3")
    # The interface operations reach the concrete class through the base.
    assert _qorctl.IpAddress_GetStringAddress(address) == "192.0.2.2"
    assert _qorctl.IpAddress_GetIpAddressType(qorctl.Ipv6Address("::1")) == _qorctl.IP_ADDRESS_V6


def test_ipv4_uint_range_is_checked_by_the_conversion():
    with pytest.raises(OverflowError):
        qorctl.Ipv4Address.AddressFromUint(2 ** 32)
    with pytest.raises(NotImplementedError, match="overloaded function 'new_Ipv4Address'"):
        qorctl.Ipv4Address(-1)                           # no overload takes it


# ---- IPv6 ------------------------------------------------------------------------

@pytest.mark.parametrize("text, compressed", [
    ("::", "::"),
    ("0:0:0:0:0:0:0:1", "::1"),
    ("2001:0DB8:0000:0000:0000:0000:0000:0005", "2001:db8::5"),
    ("2001:db8:0:0:1:0:0:1", "2001:db8::1:0:0:1"),
    ("2001:db8:0:1:0:0:0:0", "2001:db8:0:1::"),
    ("fe80:0:0:0:0:0:0:0", "fe80::"),
    ("2001:db8:1:2:3:4:5:6", "2001:db8:1:2:3:4:5:6"),
])
def test_ipv6_text_is_written_in_compressed_form(text, compressed):
    assert qorctl.Ipv6Address(text).GetStringAddress() == compressed
    assert qorctl.Ipv6Address(compressed) == qorctl.Ipv6Address(text)


def test_ipv6_binary_words_and_zones():
    words = qorctl.Ipv6Address.UintFromAddress("2001:db8::ff00:42:8329")
    address = qorctl.Ipv6Address(words)
    assert address.GetStringAddress() == "2001:db8::ff00:42:8329"
    assert address.AddressFromUint(words) == "2001:db8::ff00:42:8329"
    scoped = qorctl.Ipv6Address("fe80::1%qk0")
    assert (scoped.IsScopedAddress(), scoped.GetStringAddress(), scoped.GetScopedStringAddress()) == (
        True, "fe80::1", "fe80::1%qk0")
    assert not qorctl.Ipv6Address("fe80::1").IsScopedAddress()


@pytest.mark.parametrize("text", ["", ":::", "2001:db8::1::2", "12345::", "192.0.2.1", "fe80::1%", "g::1"])
def test_invalid_ipv6_text_is_refused(text):
    assert not qorctl.Ipv6Address().IsValidAddress(text)
    assert refused(qorctl.Ipv6Address, text) == "IPv6 address '%s' is not valid" % text


# ---- networks --------------------------------------------------------------------

def test_ipv4_networks_from_each_constructor_agree():
    net = qorctl.Ipv4Network("192.0.2.0/24")
    assert net.GetStringAddress() == "192.0.2.0/24"
    assert net == qorctl.Ipv4Network(qorctl.Ipv4Address("192.0.2.0"), qorctl.Ipv4Address("255.255.255.0"))
    assert net == qorctl.Ipv4Network(0xC0000200, 0xFFFFFF00)
    assert net == qorctl.Ipv4Network(net)
    assert qorctl.Ipv4Network(0xC0000207).GetStringAddress() == "192.0.2.7/32"
    assert qorctl.Ipv4Network().GetStringAddress() == "0.0.0.0/0"
    assert net.GetNetmask().GetStringAddress() == "255.255.255.0"
    assert net.GetNetwork().GetStringAddress() == "192.0.2.0"
    assert net.IsValidNetworkAddress(qorctl.Ipv4Address("192.0.2.0"))
    assert not net.IsValidNetworkAddress(qorctl.Ipv4Address("192.0.2.1"))


def test_ipv4_network_order_and_masks():
    low, high = qorctl.Ipv4Network("10.0.0.0/8"), qorctl.Ipv4Network("10.0.0.0/16")
    assert (low < high, high < low) == (1, 0)
    assert qorctl.Ipv4Network.NetmaskFromNumber(20).GetStringAddress() == "255.255.240.0"
    assert qorctl.Ipv4Network.NumberFromNetmask(qorctl.Ipv4Address("255.255.255.128")) == 25
    assert refused(qorctl.Ipv4Network.NumberFromNetmask, qorctl.Ipv4Address("255.0.255.0")) == (
        "IPv4 netmask '255.0.255.0' is not valid")
    assert refused(qorctl.Ipv4Network.NetmaskFromNumber, 33) == "IPv4 prefix length '33' is not valid"
    odd = qorctl.Ipv4Network(0x0A000000, 0xFF00FF00)
    assert odd.GetStringAddress() == "10.0.0.0/255.0.255.0"


@pytest.mark.parametrize("text", ["192.0.2.0", "192.0.2.0/33", "192.0.2.0/", "192.0.2/24", "192.0.2.0/2x"])
def test_invalid_ipv4_network_text_is_refused(text):
    assert refused(qorctl.Ipv4Network, text) == "IPv4 network '%s' is not valid" % text


def test_ipv6_networks_prefixes_and_properties():
    net = qorctl.Ipv6Network("2001:DB8:0:0::/64")
    assert (net.GetStringAddress(), net.GetNetmask(), net.IsValid()) == ("2001:db8::/64", 64, True)
    assert net == qorctl.Ipv6Network(qorctl.Ipv6Address("2001:db8::"), 64) == qorctl.Ipv6Network(net)
    assert net.IsValidNetworkAddress(qorctl.Ipv6Address("2001:db8::"))
    assert not net.IsValidNetworkAddress(qorctl.Ipv6Address("2001:db8::1"))
    assert qorctl.Ipv6Network("2001:db8::/48") < net
    assert qorctl.Ipv6Network.NetmaskFromNumber(68).GetStringAddress() == "ffff:ffff:ffff:ffff:f000::"
    assert qorctl.Ipv6Network.NumberFromNetmask(qorctl.Ipv6Address("ffff:ffff::")) == 32
    assert qorctl.Ipv6Network.IsValidAddressAndNetmask("fe80::1/64")
    assert not qorctl.Ipv6Network.IsValidAddressAndNetmask("fe80::1/129")
    assert not qorctl.Ipv6Network("::/64").IsValid() and qorctl.Ipv6Network("::/0").IsValid()
    assert refused(net.SetNetmask, 129) == "IPv6 prefix length '129' is not valid"
    assert net.GetNetmask() == 64
    net.SetUseDhcp()
    assert net.GetIpv6AddressType() == _qorctl.IP6_ADDRESS_DHCP
    net.SetUseRouterAdvertised()
    net.SetIpv6Scope(_qorctl.IP6_SCOPE_GLOBAL)
    net.SetLifeTime(3600)
    assert (net.GetIpv6AddressType(), net.GetIpv6Scope(), net.GetLifeTime(), net.GetIpv6AddressStatus()) == (
        _qorctl.IP6_ADDRESS_AUTOCONF, _qorctl.IP6_SCOPE_GLOBAL, 3600, _qorctl.IP6_ADDRESS_UNSET)


# ---- MAC, host and port addresses ---------------------------------------------------

def test_mac_address_text_form():
    from_text = qorctl.MacAddress("02:5A:10:ab:CD:ef")
    assert from_text.GetStringAddress() == "02:5a:10:ab:cd:ef"
    assert qorctl.MacAddress().GetStringAddress() == "00:00:00:00:00:00"
    assert not qorctl.MacAddress().IsValid() and from_text.IsValid()


def test_generated_mac_addresses_are_stable_and_locally_administered():
    generator = qorctl.MacAddressGenerator.GetSingleton()
    first = generator.GenerateQorNicMacAddr("qk1").GetStringAddress()
    assert first == generator.GenerateQorNicMacAddr("qk1").GetStringAddress()
    assert first != generator.GenerateQorNicMacAddr("qk2").GetStringAddress()
    assert first.startswith("02:5a:40:")
    pseudo = generator.GeneratePnicPseudoMac(qorctl.MacAddress("00:5a:10:00:00:01"))
    assert pseudo.GetStringAddress() == "02:5a:10:00:00:01"
    assert refused(generator.GenerateBackupMacAddr, "") == "an interface name is needed to generate a MAC address"


@pytest.mark.parametrize("text, kind", [
    ("192.0.2.9", "IPV4"), ("2001:db8::9", "IPV6"), ("host-a.example.invalid", "FDN"), ("", "NONE"),
])
def test_host_addresses_know_their_kind(text, kind):
    host = qorctl.HostAddress(text)
    assert host.GetHostAddressType() == getattr(_qorctl, "HostAddress_HOST_ADDR_TYPE_" + kind)
    assert host.GetHostAddress() == text


def test_host_address_default_comparison_and_refusals():
    empty = qorctl.HostAddress()
    assert (empty.GetHostAddress(), empty.GetHostAddressType()) == ("", _qorctl.HostAddress_HOST_ADDR_TYPE_NONE)
    assert qorctl.HostAddress("Host-A.example.invalid") == qorctl.HostAddress("host-a.EXAMPLE.invalid")
    assert qorctl.HostAddress("2001:db8::0:9") == qorctl.HostAddress("2001:db8::9")
    assert qorctl.HostAddress("192.0.2.9").GetIpv4Address().GetBinaryAddress() == 0xC0000209
    assert refused(qorctl.HostAddress("host-a").GetIpv4Address) == "'host-a' is not an IPv4 address"
    assert refused(qorctl.HostAddress, "bad name!") == "host address 'bad name!' is not valid"


@pytest.mark.parametrize("host, port, text", [
    ("192.0.2.7", 902, "192.0.2.7:902"), ("2001:db8::7", 902, "[2001:db8::7]:902"),
    ("host-a", 443, "host-a:443"),
])
def test_port_addresses(host, port, text):
    address = qorctl.PortAddress(host, port)
    assert address.GetStringAddress() == qorctl.PortAddress(address).GetStringAddress() == text


# ---- IP configuration --------------------------------------------------------------

def test_ip_config_static_dhcp_and_none():
    config = qorctl.IpConfig()
    config.SetIpv4Address(qorctl.Ipv4Address("192.0.2.10"))
    config.SetIpv4Netmask(qorctl.Ipv4Address("255.255.255.0"))
    config.SetIpv4Gateway(qorctl.Ipv4Address("192.0.2.1"))
    assert config.IsIpv4Valid() and not config.IsUsingDhcp()
    assert config.GetIpv4Broadcast().GetStringAddress() == "192.0.2.255"
    assert config.ContainsAddress("192.0.2.10") and not config.ContainsAddress("192.0.2.11")
    config.SetIpv4Gateway(qorctl.Ipv4Address("198.51.100.1"))
    assert not config.IsValid()                          # the gateway is outside the subnet
    copy = qorctl.IpConfig(config)
    config.SetUseDhcp(True, True)
    assert (config.IsUsingDhcp(), config.GetDhcpDns(), config.IsIpv4Valid()) == (True, True, True)
    assert not copy.IsUsingDhcp()                        # the copy is its own object
    config.SetIpv4UseNone()
    assert (config.GetIpv4UseNone(), config.IsUsingDhcp(), config.GetIpv4Address().GetStringAddress()) == (
        True, False, "0.0.0.0")


def test_ip_config_ipv6_networks():
    config = qorctl.IpConfig()
    config.EnableIpv6()
    net = qorctl.Ipv6Network("2001:db8::10/64")
    config.AddIpv6Network(net)
    config.AddIpv6Network(net)
    assert [n.GetStringAddress() for n in config.GetIpv6Network()] == ["2001:db8::10/64"]
    assert config.ContainsAddress("2001:db8:0::10") and config.IsIpv6Valid()
    config.RemoveIpv6Network(net)
    assert config.GetIpv6Network() == ()
    assert refused(config.RemoveIpv6Network, net) == "IPv6 address 2001:db8::10/64 is not configured"


# ---- policies ------------------------------------------------------------------------

def test_unset_policy_values_are_refused_and_derived_from_a_parent():
    child, parent = qorctl.ShapingPolicy(), qorctl.ShapingPolicy().GetDefaultPolicy()
    assert not child.IsSet() and not child.HasPeakBps()
    assert refused(child.GetPeakBps) == "ShapingPolicy: PeakBps is not set"
    child.SetPeakBps(MAX_UINT64)
    child.Derive(parent)
    assert (child.GetPeakBps(), child.GetAverageBps(), child.GetEnabled()) == (MAX_UINT64, 100000000, False)
    child.UnsetPeakBps()
    assert not child.HasPeakBps() and child.HasAverageBps()
    child.UnsetAll()
    assert not child.IsSet()


def test_shaping_policy_validity_and_filled_values():
    policy = qorctl.ShapingPolicy()
    policy.SetEnabled(True)
    assert not policy.IsValid()
    filled = policy.FillValues()
    assert filled.IsValid() and filled.GetEnabled() and not policy.HasBurstSize()
    filled.SetAverageBps(filled.GetPeakBps() + 1)
    assert not filled.IsValid()


def test_teaming_policy_values_and_text():
    policy = qorctl.NicTeamingPolicy().GetDefaultPolicy()
    assert policy.GetTeamingPolicy() == _qorctl.NicTeamingPolicy_DEF_TEAM_POLICY
    policy.SetTeamingPolicy(_qorctl.NicTeamingPolicy_TEAM_POLICY_FO_EXPLICIT)
    policy.SetUplinkOrder(("nic1", "nic0"))
    assert policy.GetUplinkOrder() == ("nic1", "nic0")
    assert refused(policy.SetTeamingPolicy, _qorctl.NicTeamingPolicy_TEAM_POLICY_LAST_ELEMENT) == (
        "teaming policy '5' is not valid")
    assert policy.GetTeamingPolicy() == _qorctl.NicTeamingPolicy_TEAM_POLICY_FO_EXPLICIT
    assert policy.ToString().startswith("policy=failover_explicit notifySwitch=true reverse=true rolling=false "
                                         "uplinks=nic1,nic0 criteria={")
    criteria = policy.GetLinkCriteria()
    criteria.SetMinimumSpeed(1000)
    assert policy.GetLinkCriteria().GetMinimumSpeed() == 10   # a copy, not the policy's own


def test_link_criteria_can_be_ignored():
    criteria = qorctl.LinkCriteriaSelectionPolicy()
    criteria.SetExactSpeed(10000, True)
    criteria.SetDuplex(True)
    criteria.SetBeacon()
    assert (criteria.HasExactSpeed(), criteria.IgnoreExactSpeed(), criteria.IgnoreDuplex()) == (True, True, False)
    assert criteria.ToString() == "exactSpeed=ignore fullDuplex=true beacon=true"
    assert _qorctl.cvar.LinkCriteriaSelectionPolicy_IGNORE_STR == "ignore"


def test_nic_capabilities_flags_and_mask():
    caps = qorctl.NicCapabilities(0b101, 0b111)
    assert (caps.GetVlanTag(), caps.GetVlanUntag(), caps.GetChecksumOffload()) == (True, False, True)
    assert not caps.HasSRIOV() and refused(caps.GetSRIOV) == "NicCapabilities: SRIOV is not set"
    caps.SetSRIOV(True)
    caps.UnsetVlanTag()
    assert (caps.GetFlags(), caps.GetMask()) == (0b100 | 1 << 18, 0b110 | 1 << 18)
    parent = qorctl.NicCapabilities()
    parent.SetVlanTag(False)
    parent.SetSRIOV(False)
    caps.Derive(parent)
    assert (caps.GetVlanTag(), caps.GetSRIOV()) == (False, True)


# ---- hosts file ----------------------------------------------------------------------

@pytest.mark.parametrize("line, ip, name, aliases, comment", [
    ("192.0.2.20  host-b.example.invalid host-b  # lab", "192.0.2.20", "host-b.example.invalid", ("host-b",), "lab"),
    ("::1 localhost", "::1", "localhost", (), ""),
    ("# managed by the host", "", "", (), "managed by the host"),
    ("", "", "", (), ""),
])
def test_hosts_file_lines_parse(line, ip, name, aliases, comment):
    entry = qorctl.HostsFileEntry(line)
    assert (entry.GetIpAddress(), entry.GetHostName(), entry.GetAliases(), entry.GetComment()) == (
        ip, name, aliases, comment)
    assert entry.IsComment() == (ip == "")


@pytest.mark.parametrize("line, message", [
    ("192.0.2.300 host-c", "'192.0.2.300' is not an IP address"),
    ("192.0.2.3", "hosts file line '192.0.2.3' names no host"),
    ("192.0.2.3 bad_name!", "'bad_name!' is not a valid host name"),
])
def test_bad_hosts_file_lines_are_refused(line, message):
    assert refused(qorctl.HostsFileEntry, line) == message


def test_hosts_file_entries_format_and_match():
    entry = qorctl.HostsFileEntry("192.0.2.30", "host-c", ("c",), "build box")
    assert entry.GetFormattedLine(16) == "192.0.2.30      host-c c # build box"
    assert entry.GetFormattedLine(0) == "192.0.2.30 host-c c # build box"
    assert entry.Matches(qorctl.HostsFileEntry("192.0.2.31 HOST-C"))
    assert not entry.Matches(qorctl.HostsFileEntry("192.0.2.31 host-d"))
    assert refused(entry.SetIpAddress, "nowhere") == "'nowhere' is not an IP address"
    other = qorctl.HostsFileEntry("192.0.2.40 host-d")
    entry.Replace(other)
    assert entry.GetFormattedLine(0) == "192.0.2.40 host-d"


def test_hosts_file_round_trip_through_the_simulated_host(sim_host):
    sim_host("""
        [HostsFile]
        Lines = 127.0.0.1 localhost,192.0.2.50 host-e e
    """)
    hosts = qorctl.HostsFile()
    assert hosts.HasEntryForIp("192.0.2.50") and hosts.HasEntryForHostName("e")
    assert hosts.AddOrReplaceEntry("192.0.2.51", "host-f", ())
    assert not hosts.AddOrReplaceEntry("192.0.2.51", "host-f", ())
    assert hosts.ReplaceIpAddress("192.0.2.50", "192.0.2.52")
    assert hosts.RemoveEntryByHostName("localhost") and not hosts.RemoveEntryByHostName("localhost")
    hosts.AddEntryFromUser("192.0.2.60", "host-g", ("g",), "added by hand")
    assert not hosts.CheckUserItem("192.0.2.60", "host-h", True)
    with pytest.raises(qorctl.HostCtlException):
        hosts.AddEntryFromUser("192.0.2.60", "host-h", (), "")
    reread = qorctl.HostsFile()                          # what was written is what a new reader sees
    assert reread.HasEntryForIp("192.0.2.52") and reread.HasEntryForHostName("host-f")
    assert reread.HasEntryForHostName("g") and not reread.HasEntryForIp("127.0.0.1")
    reread.InitEtcHosts()
    fresh = qorctl.HostsFile()
    assert fresh.HasEntryForIp("127.0.0.1") and fresh.HasEntryForIp("192.0.2.60")
    assert not fresh.HasEntryForIp("192.0.2.52")
    fresh.RemoveEntryFromUser("192.0.2.60", "host-g")
    assert not qorctl.HostsFile().HasEntryForIp("192.0.2.60")
    assert refused(fresh.RemoveEntryFromUser, "192.0.2.60", "host-g") == (
        "no entry of 192.0.2.60 host-g was added by a user")


def test_hosts_file_validation():
    hosts = qorctl.HostsFile()
    hosts.ValidateItem("192.0.2.70", "host-i", ("i",), "ok")
    assert refused(hosts.ValidateItem, "192.0.2.70", "host-i", ("bad alias",), "") == (
        "'bad alias' is not a valid host name")
    assert refused(hosts.ValidateItem, "192.0.2.70", "host-i", (), "two\nlines") == (
        "a hosts file comment is one line without commas")


# ---- records --------------------------------------------------------------------------

def test_record_defaults():
    spd, sad = qorctl.IpSecSpdParam(), qorctl.IpSecSadParam()
    assert (spd.upperLayerProto, spd.direction, spd.action, spd.mode) == (
        _qorctl.IPSEC_PROTO_TYPE_UNKNOWN, _qorctl.IPSEC_DIRECTION_UNKNOWN, _qorctl.IPSEC_ACTION_UNKNOWN,
        _qorctl.IPSEC_SA_MODE_UNKNOWN)
    assert (sad.state, sad.mode, sad.encryptAlgo, sad.authAlgo) == (
        _qorctl.IPSEC_STATE_UNKNOWN, _qorctl.IPSEC_SA_MODE_UNKNOWN, _qorctl.IPSEC_ENCRYPT_ALG_UNKNOWN,
        _qorctl.IPSEC_AUTH_HMAC_UNKNOWN)
    for record in (spd, sad):
        assert record.srcAddr.GetStringAddress() == record.dstAddr.GetStringAddress() == "::"
        assert (record.addTime, record.useTime, record.saName) == (0, 0, "")
    cdp = qorctl.CdpSummary()
    assert (cdp.mtu, cdp.deviceId, cdp.ipAddress.GetStringAddress(), cdp.network.GetStringAddress()) == (
        0, "", "0.0.0.0", "0.0.0.0/0")
    team = qorctl.DVPortTeamPolicy()
    assert (team.loadBalance, team.speed, tuple(team.activeUplinks)) == (0, 0, ())
    stats = qorctl.PortStats()
    assert all(getattr(stats, name) == 0 for name in ("pktsTxOK", "bytesRxOK", "droppedTx", "pnicBytesRxOK"))


def test_constructor_arguments_fill_the_leading_fields():
    prop = qorctl.PvlanProp(10, 20, _qorctl.DVS_PVLAN_TYPE_ISOLATED)
    assert (prop.primaryPvlanId, prop.secondaryPvlanId, prop.portType) == (10, 20, _qorctl.DVS_PVLAN_TYPE_ISOLATED)
    pool = qorctl.DVSResPoolCfg("pool-a", 100, 50, 1000, 3)
    assert (pool.poolId, pool.reservation, pool.shares, pool.limit, pool.pTag) == ("pool-a", 100, 50, 1000, 3)
    mode = qorctl.PnicLinkMode(_qorctl.CONNECTION_25000, _qorctl.DUPLEX_MODE_FULL, _qorctl.MEDIA_TYPE_BASE_SR)
    assert (mode.speed, mode.duplex, mode.media) == (25000, 1, _qorctl.MEDIA_TYPE_BASE_SR)
    switch = qorctl.QorNicSwitchParam()
    switch.vlanId = 12
    switch.activeUplinks.append("nic0")
    copy = qorctl.QorNicSwitchParam(switch)
    assert (copy.vlanId, tuple(copy.activeUplinks)) == (12, ("nic0",))


def test_pointer_fields_lend_the_member_itself():
    summary = qorctl.LldpSummary()
    tlvs = summary.optTLVs
    tlvs["Samples"] = "3"
    assert summary.optTLVs["Samples"] == "3"           # the same map, not a copy
    spd = qorctl.IpSecSpdParam()
    spd.srcAddr = qorctl.Ipv6Address("2001:db8::1")
    held = spd.srcAddr
    assert held.GetStringAddress() == "2001:db8::1" and not held.thisown
    with pytest.raises(ValueError) as caught:
        spd.srcAddr = None
    assert str(caught.value) == ("invalid null reference in method 'IpSecSpdParam_srcAddr_set', argument 2 of type "
                                 "'HostCtl::Network::Ipv6Address *'")
    assert spd.srcAddr.GetStringAddress() == "2001:db8::1"


def test_a_failed_setter_leaves_the_field_unchanged():
    entry = qorctl.PortDbEntry()
    entry.ipEntry.vlanId = 7
    with pytest.raises(TypeError) as caught:
        entry.ipEntry = qorctl.Ipv4Address()
    assert str(caught.value) == ("in method 'PortDbEntry_ipEntry_set', argument 2 of type "
                                 "'HostCtl::Network::IpEntry *'")
    assert entry.ipEntry.vlanId == 7
    info = qorctl.PnicRingInfo()
    info.rx = 4096
    with pytest.raises(OverflowError):
        info.rx = 2 ** 32
    assert info.rx == 4096


@pytest.mark.parametrize("field", ["packetsTx", "dot3OutPauseFrames"])
def test_uint64_counters_hold_the_full_unsigned_range(field):
    stats = qorctl.PnicStats()
    setattr(stats, field, MAX_UINT64)
    assert getattr(stats, field) == MAX_UINT64
    with pytest.raises(OverflowError):
        setattr(stats, field, -1)
    assert getattr(stats, field) == MAX_UINT64


def make_param(dvs, port, connection):
    param = qorctl.DVPortParam()
    param.dvsId, param.portId, param.connectionId = dvs, port, connection
    return param


@pytest.mark.parametrize("a, b, differ", [
    (("dvs-1", "10", 1), ("dvs-1", "10", 1), False),
    (("dvs-1", "10", 1), ("dvs-1", "10", 2), True),
    (("dvs-1", "10", 1), ("dvs-1", "11", 1), True),
    (("dvs-1", "10", 1), ("dvs-2", "10", 1), True),
])
def test_dvport_param_compare_is_an_inequality_test(a, b, differ):
    compare = qorctl.DVPortParamCompare()
    assert _qorctl.DVPortParamCompare___call__(compare, make_param(*a), make_param(*b)) is differ


@pytest.mark.parametrize("position", [2, 3])
def test_dvport_param_compare_refuses_null_arguments(position):
    args = [qorctl.DVPortParamCompare(), make_param("dvs-1", "1", 1), make_param("dvs-1", "1", 1)]
    args[position - 1] = None
    with pytest.raises(ValueError) as caught:
        _qorctl.DVPortParamCompare___call__(*args)
    assert str(caught.value) == ("invalid null reference in method 'DVPortParamCompare___call__', argument %d of "
                                 "type 'HostCtl::Network::DVPortParam const'" % position)


def test_the_mac_generator_survives_a_delete_of_its_proxy():
    generator = qorctl.MacAddressGenerator.GetSingleton()
    _qorctl.delete_MacAddressGenerator(generator)
    again = qorctl.MacAddressGenerator.GetSingleton()
    assert again.GenerateVswifMacAddr("vswif0").GetStringAddress().startswith("02:5a:50:")


def test_a_hosts_line_pads_to_a_bounded_column():
    entry = qorctl.HostsFileEntry("192.0.2.80 host-j")
    assert entry.GetFormattedLine(2 ** 32 - 1) == "192.0.2.80" + " " * 54 + "host-j"
