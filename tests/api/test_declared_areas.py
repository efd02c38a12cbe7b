"""One class family per API area, seen from Python: declared type spellings in
argument errors, overload sets, result kinds, conversion edges, array fields,
operators and the module-level functions."""

import ctypes
import sys

import pytest

import _qorctl
import qorctl


def raises(kind, call, *args):
    with pytest.raises(kind) as info:
        call(*args)
    return str(info.value)


# ---- argument errors name the declared type ----------------------------------------

@pytest.mark.parametrize("call, args, kind, text", [
    (_qorctl.Resgrp_SizeString, (-1,), OverflowError,
     "in method 'Resgrp_SizeString', argument 1 of type 'uint64'"),
    (_qorctl.LoadSystemTimeState, ({},), TypeError,
     "in method 'LoadSystemTimeState', argument 1 of type 'std::map< std::string,std::string,"
     "std::less< std::string >,std::allocator< std::pair< std::string const,std::string > > > &'"),
    (_qorctl.CastAdvInt, (1,), TypeError,
     "in method 'CastAdvInt', argument 1 of type 'HostCtl::Adv::AdvancedOption *'"),
    (_qorctl.ContainerIdIsNull, (None,), ValueError,
     "invalid null reference in method 'ContainerIdIsNull', argument 1 of type "
     "'HostCtl::Storage::Osfs::ContainerId const &'"),
    (_qorctl.IsPE, (lambda: qorctl.DeviceUidImpl("naa.1"),), TypeError,
     "in method 'IsPE', argument 1 of type 'HostCtl::Storage::NetworkFileSystem *'"),
    (_qorctl.CdpSummary_ipAddress_set, (qorctl.CdpSummary, qorctl.Ipv6Address), TypeError,
     "in method 'CdpSummary_ipAddress_set', argument 2 of type 'HostCtl::Network::Ipv4Address'"),
    (_qorctl.NumaNode_GetId, (lambda: qorctl.DeviceUidImpl("naa.1"),), TypeError,
     "in method 'NumaNode_GetId', argument 1 of type 'HostCtl::Hardware::NumaNode *'"),
    (_qorctl.PathSelectionPolicy_GetPolicyName, (lambda: qorctl.NumaNodeImpl(0),), TypeError,
     "in method 'PathSelectionPolicy_GetPolicyName', argument 1 of type "
     "'HostCtl::Storage::Nmp::PathSelectionPolicy *'"),
])
def test_argument_errors_spell_the_declared_type(call, args, kind, text):
    # Proxies are made per test (a callable stands for one), not at collection.
    args = [arg() if callable(arg) else arg for arg in args]
    assert raises(kind, call, *args) == text


# ---- overload sets -------------------------------------------------------------------

def prototypes(message):
    return [line.strip() for line in message.splitlines()[2:]]


def test_printers_have_one_overload_per_record():
    message = raises(NotImplementedError, _qorctl.Resgrp_Print, None, "label", 5)
    assert message.startswith("Wrong number or type of arguments for overloaded function 'Resgrp_Print'.\n"
                              "  Possible C/C++ prototypes are:\n")
    listed = prototypes(message)
    assert len(listed) == 20
    assert listed[0] == ("QorCtl::Resource::Resgrp_Print(QorCtl::Lib::ObjectPrinter *,char const *,"
                         "HostCtl::Resource::AffinityInfo const &)")
    assert listed[-1].endswith("HostCtl::Resource::VscsiStats const &)")
    assert len(prototypes(raises(NotImplementedError, _qorctl.Network_Print, None, "x", qorctl.DPStatus()))) == 13
    # Every record reaches its own overload; the printer may be None.
    assert qorctl.Resgrp_Print(None, "label", qorctl.NumaStats()) is None
    assert qorctl.Network_Print(None, "label", qorctl.CdpSummary()) is None


def test_constructor_and_member_overloads():
    assert raises(NotImplementedError, _qorctl.new_DiskResourceAllocation, "x") == (
        "Wrong number or type of arguments for overloaded function 'new_DiskResourceAllocation'.\n"
        "  Possible C/C++ prototypes are:\n"
        "    HostCtl::Resource::DiskResourceAllocation::DiskResourceAllocation(uint32)\n"
        "    HostCtl::Resource::DiskResourceAllocation::DiskResourceAllocation()\n")
    dns = qorctl.DnsConfigImpl()
    assert prototypes(raises(NotImplementedError, dns.SetHostname, 1)) == [
        "QorCtl::Network::DnsConfigImpl::SetHostname(std::string const &,bool)",
        "QorCtl::Network::DnsConfigImpl::SetHostname(std::string const &)"]
    dns.SetHostname("hostA", True)
    assert dns.GetHostname() == "hostA"


# ---- result kinds and conversion edges ------------------------------------------------

def address(proxy):
    """The library address behind a proxy or a bare pointer object."""
    return int(getattr(proxy, "this", proxy))


def test_option_casts_are_checked_and_borrowed():
    text = qorctl.AdvancedStringOptionImpl("Net/Name", "UserVars")
    number = qorctl.AdvancedIntegerOptionImpl("Net/Size", "UserVars")
    assert qorctl.CastAdvInt(text) is None
    assert qorctl.CastAdvInt(None) is None
    cast = qorctl.CastAdvString(text)
    assert isinstance(cast, qorctl.AdvancedStringOptionImpl)
    assert address(cast) == address(text) and not cast.thisown
    assert isinstance(qorctl.CastAdvInt(number), qorctl.AdvancedIntegerOptionImpl)
    # Both options share the option interface through a virtual base.
    assert _qorctl.AdvancedOption_IsHostSpecific(number) is False
    assert _qorctl.QorCtlObject_IsConfigDirty(text) is True


def test_derived_proxies_convert_to_their_bases():
    node = qorctl.NumaNodeImpl(7)
    assert _qorctl.NumaNode_GetCpus(node) == ()
    assert isinstance(_qorctl.HostCtlObject_GetName(node), str)
    policy = qorctl.PathSelectionPolicyImpl("PSP_FIXED")
    assert isinstance(_qorctl.PathSelectionPolicy_GetInfoString(policy), str)
    uid = qorctl.DeviceUidImpl("naa.1")
    assert isinstance(_qorctl.DeviceUid_IsCorrelatable(uid), int)


def test_agents_come_back_in_holders():
    agent = qorctl.GetServiceAgent("ntpd", "ntp")
    assert isinstance(agent, qorctl.ServiceAgentPtr) and not agent.thisown
    assert isinstance(agent.get(), qorctl.ServiceAgent)
    assert agent.get().IsRunning() is True  # as the default host has it
    assert isinstance(qorctl.SnmpAgentConfigFactory(), qorctl.SnmpAgentConfigPtr)


def test_fields_of_a_class_alias_read_as_new_owned_copies():
    cdp = qorctl.CdpSummary()
    first, second = cdp.ipAddress, cdp.mgmtAddress
    again = cdp.ipAddress
    assert all(isinstance(c, qorctl.Ipv4Address) and c.thisown for c in (first, second, again))
    assert len({address(first), address(second), address(again)}) == 3
    assert isinstance(cdp.network, qorctl.Ipv4Network) and cdp.network.thisown
    del cdp
    qorctl.CdpSummary().ipAddress = first  # the copy outlives its record
    cdp = qorctl.CdpSummary()
    cdp.vlan = 4094
    assert (cdp.vlan, cdp.status, cdp.systemName) == (4094, 0, "")
    assert qorctl.SasStats().phy_reset_problem_count == 0


def test_pointer_typed_fields_lend_the_member_inside_the_record():
    entry = qorctl.PortDbEntry()
    lent = entry.ipEntry
    assert isinstance(lent, qorctl.IpEntry) and not lent.thisown
    value = qorctl.IpEntry()
    value.vlanId = 7
    entry.ipEntry = value
    del value  # the record holds its own copy
    assert lent.vlanId == 7 and address(entry.ipEntry) == address(lent)
    lent.vlanId = 9
    assert entry.ipEntry.vlanId == 9
    assert raises(ValueError, setattr, entry, "ipEntry", None) == \
        "invalid null reference in method 'PortDbEntry_ipEntry_set', argument 2 of type 'HostCtl::Network::IpEntry *'"
    assert entry.ipEntry.vlanId == 9


# ---- array fields -------------------------------------------------------------------------

def test_array_fields_overlay_read_and_copy():
    first = qorctl.ContainerId()
    assert qorctl.ContainerIdIsNull(first)
    assert address(first.byte) == address(first.ll) == address(first)
    # Six bytes written through the borrowed pointer make the identifier non-null.
    qorctl.MacAddress("00:00:00:00:00:07").GetBinaryAddress(first.byte)
    assert not qorctl.ContainerIdIsNull(first)
    # The setter copies all sixteen bytes, in and out of another record.
    uuid = qorctl.HardwareUuid()
    uuid.uuid = first.byte
    second = qorctl.ContainerId()
    second.byte = uuid.uuid
    assert not qorctl.ContainerIdIsNull(second)
    assert address(second.byte) != address(first.byte)


def test_array_field_setters_check_type_and_null():
    uuid = qorctl.HardwareUuid()
    assert raises(ValueError, setattr, uuid, "uuid", None) == \
        "invalid null reference in variable 'uuid' of type 'uint8 [16]'"
    assert raises(TypeError, setattr, qorctl.ContainerId(), "ll", uuid.uuid) == \
        "in method 'ContainerId_ll_set', argument 2 of type 'uint64 [2]'"


# ---- operators, C linkage and the simulated host ------------------------------------------

def test_record_equality_compares_fields():
    one, two = qorctl.iSnsInheritanceFlags(), qorctl.iSnsInheritanceFlags()
    assert one == two
    two.pollInterval = True
    assert not one == two


def test_firewall_port_function_has_c_linkage(build_dir):
    library = ctypes.CDLL(str(build_dir / "libqorctl.so"))
    assert hasattr(library, "FirewallControlPort")
    assert qorctl.FirewallControlPort("sshServer", True, 22) == 0


def test_module_functions_fail_by_their_own_name(sim_host):
    sim_host("""
        [DnsConfig defaultTcpipStack]
        Hostname = host-a
        [fail]
        SyslogIsRunning = syslog is down
        """)
    info = qorctl.NetworkInfoImpl()          # a constructor re-reads the model
    assert info.GetDnsConfig().get().GetHostname() == "host-a"
    with pytest.raises(qorctl.HostCtlException) as error:
        qorctl.SyslogIsRunning()
    assert error.value.GetMessage() == "syslog is down"
    assert qorctl.IsClassEtherswitch() is False
