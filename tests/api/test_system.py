"""The system area seen from Python: the firewall's allowed-address lists and
their differences, record defaults, overloads and opaque results, and the
simulated host's services, modules, rulesets and agents."""

import ctypes

import pytest

import _qorctl as q
import qorctl

EMPTY_LIST = "Ipv4Address:{} networkListv4:{} addressListv6:{} networkListv6:{} "


@pytest.fixture
def info_log(build_dir):
    """The stand-in library's information log, emptied first."""
    core = ctypes.CDLL(str(build_dir / "libqorctlcore.so"))
    core.QorCtlSim_InfoLog.restype = ctypes.c_char_p
    core.QorCtlSim_ClearInfoLog()
    return lambda: core.QorCtlSim_InfoLog().decode()


@pytest.fixture
def ip_lists(sim_host):
    """Allowed-address lists of rulesets named after their contents, each in
    its own holder, read from a model that the test writes."""
    def make(**lists):
        sim_host("".join("[FirewallRuleset %s]\nAllowedIPs = %s\n" % item for item in lists.items()))
        return {name: qorctl.SystemInfoImpl().GetFirewallRulesetById(name).get().GetAllowedIPList()
                for name in lists}
    return make


# ---- the allowed-address list as text -------------------------------------------------

def test_a_list_writes_every_family_and_follows_each_element_by_the_separator(ip_lists):
    assert qorctl.FirewallIpList().toStr() == EMPTY_LIST
    held = ip_lists(mixed="192.0.2.1,10.0.0.0/8,2001:db8::1,2001:db8::/32,192.0.2.2")["mixed"]
    assert held.get().toStr() == ("Ipv4Address:{192.0.2.1 , 192.0.2.2 , } networkListv4:{10.0.0.0/8 , } "
                                  "addressListv6:{2001:db8::1 , } networkListv6:{2001:db8::/32 , } ")


# ---- differences of desired and current lists ----------------------------------------

@pytest.mark.parametrize("desired, current, deleted, added", [
    # Equal lists change nothing; duplicates collapse.
    ("192.0.2.1,2001:db8::/32", "2001:db8::/32,192.0.2.1", EMPTY_LIST, EMPTY_LIST),
    ("192.0.2.7,192.0.2.7", "", EMPTY_LIST, "Ipv4Address:{192.0.2.7 , } networkListv4:{} "
                                            "addressListv6:{} networkListv6:{} "),
    # IPv4 addresses ascend by value (9 before 10), IPv6 addresses by text (::10 before ::9).
    ("10.0.0.2,9.0.0.1,2001:db8::9,2001:db8::10", "198.51.100.0/24,192.0.2.0/24",
     "Ipv4Address:{} networkListv4:{192.0.2.0/24 , 198.51.100.0/24 , } addressListv6:{} networkListv6:{} ",
     "Ipv4Address:{9.0.0.1 , 10.0.0.2 , } networkListv4:{} addressListv6:{2001:db8::10 , 2001:db8::9 , } "
     "networkListv6:{} "),
])
def test_differences_are_computed_per_family_once_and_in_order(ip_lists, desired, current, deleted, added):
    lists = ip_lists(desired=desired, current=current, toBeDel="", toBeAdd="")
    q.FirewallIpList_CalcIps("sshServer", lists["desired"], lists["current"], lists["toBeDel"], lists["toBeAdd"])
    assert (lists["toBeDel"].get().toStr(), lists["toBeAdd"].get().toStr()) == (deleted, added)


def test_results_are_appended_to_and_the_line_is_logged(ip_lists, info_log):
    lists = ip_lists(desired="192.0.2.1", current="192.0.2.2", toBeDel="192.0.2.9", toBeAdd="192.0.2.1")
    q.FirewallIpList_CalcIps("webAccess", lists["desired"], lists["current"], lists["toBeDel"], lists["toBeAdd"])
    assert lists["toBeDel"].get().toStr().startswith("Ipv4Address:{192.0.2.9 , 192.0.2.2 , }")
    assert lists["toBeAdd"].get().toStr().startswith("Ipv4Address:{192.0.2.1 , 192.0.2.1 , }")
    text = "Ipv4Address:{%s} networkListv4:{} addressListv6:{} networkListv6:{} "
    assert info_log() == (
        "FirewallRuleset: CalcIps for firewall ip list Done : name:{ webAccess } desiredIp:{ %s },qorIps: { %s }, "
        "toBeDel: { %s } toBeAdd:{ %s }\n" % (text % "192.0.2.1 , ", text % "192.0.2.2 , ",
                                              text % "192.0.2.9 , 192.0.2.2 , ", text % "192.0.2.1 , 192.0.2.1 , "))


def test_an_output_that_is_also_an_input_sees_the_inputs_as_they_were(ip_lists):
    lists = ip_lists(desired="192.0.2.1", current="192.0.2.2")
    q.FirewallIpList_CalcIps("x", lists["desired"], lists["current"], lists["desired"], lists["current"])
    assert lists["desired"].get().toStr().startswith("Ipv4Address:{192.0.2.1 , 192.0.2.2 , }")
    assert lists["current"].get().toStr().startswith("Ipv4Address:{192.0.2.2 , 192.0.2.1 , }")


@pytest.mark.parametrize("position", [2, 3, 4, 5])
@pytest.mark.parametrize("empty", ["None", "reset holder"])
def test_a_missing_list_is_refused_with_the_null_reference_of_its_position(ip_lists, info_log, position, empty):
    lists = ip_lists(a="192.0.2.1", b="", c="", d="")
    args = ["name", lists["a"], lists["b"], lists["c"], lists["d"]]
    if empty == "None":
        args[position - 1] = None
    else:
        args[position - 1].reset()
    kind = "HostCtl::System::FirewallIpListPtr " + ("const &" if position < 4 else "&")
    with pytest.raises(ValueError) as caught:
        q.FirewallIpList_CalcIps(*args)
    assert str(caught.value) == ("invalid null reference in method 'FirewallIpList_CalcIps', argument %d of type '%s'"
                                 % (position, kind))
    assert info_log() == ""
    with pytest.raises(ValueError, match="argument 1 of type 'std::string const &'"):
        q.FirewallIpList_CalcIps(None, lists["a"], lists["a"], lists["a"], lists["a"])


# ---- records' defaults ----------------------------------------------------------------

@pytest.mark.parametrize("record, expected", [
    (qorctl.LoggerConfig, {"rotationSize": -1, "rotations": -1, "overridenRotate": False, "ident": ""}),
    (qorctl.LogHost, {"protocol": "udp", "address": "", "port": -1, "formatter": "NOT_SPECIFIED",
                      "framing": "NOT_SPECIFIED"}),
    (qorctl.SysSwapState, {"hostCacheOptionOrder": -1, "hostLocalSwapOptionOrder": -1, "dataStoreOptionOrder": -1,
                           "isDataStoreOptionEnabled": False, "datastoreForDataStoreOption": ""}),
])
def test_records_start_from_their_defaults(record, expected):
    made = record()
    assert {name: getattr(made, name) for name in expected} == expected


def test_maintenance_information_takes_its_fields_from_the_constructor():
    info = qorctl.PartialMaintenanceModeInfo("storage", True)
    assert (info.id, info.isEnabled) == ("storage", True)


def test_parameter_descriptions_keep_their_texts_and_link_to_the_next_one():
    first, second = qorctl.paramDesc(), qorctl.paramDesc()
    name = "".join(["rss", "_queues"])  # a text no other object holds
    first.name = name
    del name
    assert (first.name, first.descr) == ("rss_queues", None)
    assert first.next is None
    first.next = second
    assert first.next.this == second.this  # a link to the same record, not a copy


# ---- overloads and opaque results --------------------------------------------------------

@pytest.mark.parametrize("args", [(), ("",), ("", True)])
def test_each_defaulted_form_of_load_reaches_the_library(sim_host, args):
    sim_host("[Module qlegacy]\nLoaded = false\n")
    module = qorctl.ModuleImpl("qlegacy")
    module.Load(*args)
    assert module.IsLoaded() is True
    module.Unload()
    assert module.IsLoaded() is False


def test_other_argument_lists_get_the_overload_message():
    module = qorctl.ModuleImpl("qnet")
    with pytest.raises(NotImplementedError) as caught:
        q.Module_Load(module, 1)
    assert str(caught.value).splitlines()[2:] == [
        "    HostCtl::System::Module::Load(std::string const &,bool)",
        "    HostCtl::System::Module::Load(std::string const &)",
        "    HostCtl::System::Module::Load()"]


def test_values_without_a_class_arrive_as_owned_opaque_proxies():
    ptp = qorctl.PtpAgentConfigImpl()
    for value in (ptp.GetDeviceType(0), ptp.GetTransport(0), ptp.GetStatusReport()):
        assert not isinstance(value, int) and value.own()
    ntp = qorctl.NtpAgentConfigImpl()
    assert ntp.GetStatusReport().own()


def test_implementations_convert_to_their_interfaces():
    module = qorctl.ModuleImpl("qnet")
    assert q.Module_GetVersion(module) == "1.4.2"
    assert q.HostCtlObject_GetName(module) == "qnet"
    with pytest.raises(TypeError, match="argument 1 of type 'HostCtl::System::Module \\*'"):
        q.Module_GetVersion(qorctl.ServiceAgentImpl("sshd", ""))


# ---- the simulated host --------------------------------------------------------------------

def test_the_default_host_is_populated():
    info = qorctl.SystemInfoImpl()
    version = info.GetQorVersion(0)
    assert (version.product, version.productVersion, version.buildVersion) == ("QorHost", "1.4.0", "1200")
    assert len(info.GetModules()) >= 4 and len(info.GetFirewallRulesets()) >= 5
    assert info.GetDateTime().year == 2026
    rulesets = {h.get().GetRulesetId(): h.get() for h in info.GetFirewallRulesets()}
    ssh = rulesets["sshServer"]
    rule = ssh.GetRules()[0].get()
    assert (rule.id, rule.portBegin, rule.portEnd) == ("sshServer", 22, 22)
    assert (rule.portType, rule.direction, rule.protocol) == (
        q.FIREWALLRULE_PORT_DST, q.FIREWALLRULE_DIRECTION_INBOUND, q.FIREWALLRULE_PROTOCOL_TCP)
    assert "192.0.2.0/24" in ssh.GetAllowedIPList().get().toStr()


def test_services_start_stop_and_restart(sim_host):
    sim_host("[ServiceAgent sshd]\nRunning = true\n[ServiceAgent crond]\n")
    info = qorctl.SystemInfoImpl()
    sshd = info.GetServiceAgent("sshd", "").get()
    assert sshd.StopService("") == 0 and sshd.IsRunning() is False
    assert sshd.RestartService("") == 0 and info.GetServiceAgent("sshd", "").get().IsRunning() is True
    assert info.GetServiceAgent("crond", "").get().IsRunning() is False
    with pytest.raises(qorctl.HostCtlException):
        info.GetServiceAgent("nosuchd", "")


def test_firewall_changes_are_seen_by_later_reads(sim_host):
    sim_host("[FirewallRuleset webAccess]\nAllowedIPs = 198.51.100.0/24\nRules = web dst 80-80 inbound tcp\n")
    ruleset = qorctl.SystemInfoImpl().GetFirewallRulesetById("webAccess").get()
    ruleset.Enable()
    ruleset.AddAllowedIP("2001:db8::7")
    ruleset.RemoveAllowedIP("198.51.100.0/24")
    again = qorctl.SystemInfoImpl().GetFirewallRulesetById("webAccess").get()
    assert again.IsEnabled() is True
    assert again.GetAllowedIPList().get().toStr() == ("Ipv4Address:{} networkListv4:{} "
                                                      "addressListv6:{2001:db8::7 , } networkListv6:{} ")
    with pytest.raises(qorctl.HostCtlException, match="not in the allowed list"):
        again.RemoveAllowedIP("192.0.2.1")
    with pytest.raises(qorctl.HostCtlException):
        again.AddAllowedIP("not-an-address")
    again.ClearAllowedIPList()
    again.Disable()
    assert again.GetAllowedIPList().get().toStr() == EMPTY_LIST and again.IsEnabled() is False


def test_agent_configurations_round_trip(sim_host):
    sim_host("[SnmpAgentConfig]\n[MirsyslogInfo]\n")
    snmp = qorctl.SnmpAgentConfigImpl()
    snmp.SetCommunities(["public-ro", "ops"])
    snmp.SetPort(1161)
    communities = qorctl.StringVector()
    snmp.GetCommunities(communities)
    assert (list(communities), qorctl.SnmpAgentConfigImpl(True).GetPort()) == (["public-ro", "ops"], 1161)
    syslog = qorctl.MirsyslogInfoImpl()
    syslog.SetRemoteHosts("udp://192.0.2.50:514")
    syslog.SetLogLevel("info")
    assert (syslog.GetRemoteHosts(), syslog.GetLogLevel()) == ("udp://192.0.2.50:514", "info")


def test_system_settings_round_trip(sim_host):
    sim_host("[SystemInfo]\n[EntropydInfo]\n")
    info = qorctl.SystemInfoImpl()
    info.SetUserVar("site", "lab-a")
    assert (info.HasUserVar("site"), info.GetUserVar("site"), info.HasUserVar("rack")) == (True, "lab-a", False)
    info.DelUserVar("site")
    with pytest.raises(qorctl.HostCtlException, match="User variable site is not set"):
        info.GetUserVar("site")
    when = qorctl.DateTime()
    when.year, when.month, when.day, when.hour = 2027, 2, 28, 23
    info.SetDateTime(when)
    read = qorctl.SystemInfoImpl().GetDateTime()
    assert (read.year, read.month, read.day, read.hour, read.min) == (2027, 2, 28, 23, 0)
    entropy = qorctl.EntropydConfigImpl()
    config = qorctl.EntropyConfig()
    config.memorySize, config.externalEntropyLostTimeout = 8192, 45
    entropy.SetConfig(config)
    assert entropy.GetConfig().equals(config) and not entropy.GetConfig().equals(qorctl.EntropyConfig())


def test_a_logger_reads_its_configuration_or_the_defaults():
    syslog = qorctl.MirsyslogInfoImpl()
    hostd, unknown = syslog.GetLogger("hostd"), syslog.GetLogger("unknown")
    assert (hostd.logFileName, hostd.rotations, hostd.rotationSize) == ("hostd.log", 8, 10240)
    assert (unknown.rotations, unknown.rotationSize) == (-1, -1)


def test_named_operations_fail_on_request(sim_host):
    sim_host("""
        [ServiceAgent sshd]
        Running = true
        [fail]
        ServiceAgent.StopService@sshd = service is required
    """)
    sshd = qorctl.ServiceAgentImpl("sshd", "")
    with pytest.raises(qorctl.HostCtlException, match="^service is required$"):
        sshd.StopService("")
    assert sshd.IsRunning() is True
