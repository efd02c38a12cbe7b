"""Multipathing seen from Python: the claim rule and statistics values, the
plugins and their claim rules, which paths each device's policy selects, and
the storage information object's multipathing operations."""

import re
from pathlib import Path

import pytest

import _qorctl as q
import qorctl

BUILT_IN = (Path(__file__).resolve().parents[2] / "hostctl/core/default_host/multipath.inc").read_text()
MULTIPATH_MODEL = BUILT_IN[BUILT_IN.index('R"(') + 3:BUILT_IN.rindex(')"')]

RULE_TEXTS = ["DeviceUid", "Vendor", "Model", "Driver", "Transport", "Options", "ClaimOptions", "Psp",
              "PspOptions", "Description", "RuleGroup"]
COUNTERS = ["Commands", "BlocksRead", "BlocksWritten", "Aborts", "Resets", "ReadOps", "WriteOps", "ReserveOps",
            "ReservationConflicts", "PaeCmds", "PaeCopies", "SplitCmds", "SplitCopies", "TotalTime",
            "TotalTimeReads", "TotalTimeWrites", "IssueTime", "IssueTimeReads", "IssueTimeWrites", "QueueTime",
            "QueueTimeReads", "QueueTimeWrites", "LayerTime", "LayerTimeReads", "LayerTimeWrites"]


@pytest.fixture
def host(sim_host):
    """The built-in multipathing model as a model file, followed by the test's
    own sections, so that what a test changes dies with it."""
    return lambda extra="": sim_host(MULTIPATH_MODEL + extra)


def rule_texts(rule):
    return {name: getattr(rule, "Get" + name)() for name in RULE_TEXTS}


def satp(name):
    return qorctl.StorageArrayTypeImpl(name)


def device(name):
    return qorctl.NmpDeviceConfigImpl(name)


def working(name):
    return list(device(name).GetWorkingPathSetRuntimeNames())


# ---- values --------------------------------------------------------------------------------

@pytest.mark.parametrize("name", RULE_TEXTS)
def test_a_claim_rule_setter_changes_its_own_member_only(name):
    rule = qorctl.SatpClaimRule()
    assert rule_texts(rule) == dict.fromkeys(RULE_TEXTS, "") and rule.GetForce() is False
    getattr(rule, "Set" + name)("x")
    assert rule_texts(rule) == dict(dict.fromkeys(RULE_TEXTS, ""), **{name: "x"})
    rule.SetForce(True)
    assert rule.GetForce() is True and rule_texts(rule)[name] == "x"


def test_statistics_start_at_zero_and_take_the_counters_in_getter_order():
    assert [getattr(qorctl.StorageStatistics(), "Get" + name)() for name in COUNTERS] == [0] * 25
    values = [2 ** 64 - 1 - i for i in range(25)]
    given = qorctl.StorageStatistics(*values)
    copied = qorctl.StorageStatistics(given)
    assert [getattr(copied, "Get" + name)() for name in COUNTERS] == values
    with pytest.raises(NotImplementedError, match="overloaded function 'new_StorageStatistics'"):
        qorctl.StorageStatistics(*values[:24])


# ---- argument conversion -------------------------------------------------------------------

def test_a_claim_rule_passed_by_value_refuses_none():
    with pytest.raises(ValueError, match=re.escape(
            "invalid null reference in method 'StorageArrayTypeImpl_AddClaimRule', "
            "argument 2 of type 'HostCtl::Storage::Nmp::SatpClaimRule'")):
        q.StorageArrayTypeImpl_AddClaimRule(satp("SATP_ALUA"), None)


def test_claiming_by_address_lists_its_five_forms_when_no_form_fits():
    with pytest.raises(NotImplementedError) as caught:
        qorctl.StorageInfoImpl().ClaimPaths("hba3", 0, 0, 1, 9)
    assert str(caught.value).splitlines()[2:] == [
        "    QorCtl::Storage::StorageInfoImpl::ClaimPaths(std::string const &,uint32,uint32,uint32)",
        "    QorCtl::Storage::StorageInfoImpl::ClaimPaths(std::string const &,uint32,uint32)",
        "    QorCtl::Storage::StorageInfoImpl::ClaimPaths(std::string const &,uint32)",
        "    QorCtl::Storage::StorageInfoImpl::ClaimPaths(std::string const &)",
        "    QorCtl::Storage::StorageInfoImpl::ClaimPaths()"]


# ---- array types and their claim rules ------------------------------------------------------

@pytest.mark.parametrize("args, vendors", [
    ((), ["", "ARRAYCO"]),
    ((True,), ["ARRAYCO"]),
    ((False, True), ["ARRAYCO"]),
])
def test_claim_rules_of_an_array_type_filter_by_group_and_force(host, args, vendors):
    host()
    assert [rule.GetVendor() for rule in satp("SATP_DEFAULT_AA").GetClaimRules(*args)] == vendors


def test_added_rules_join_the_user_group_and_only_they_can_be_deleted(host):
    host()
    alua = satp("SATP_ALUA")
    rule = qorctl.SatpClaimRule()
    rule.SetVendor("ARRAYCO")
    rule.SetModel("AC-7000")
    rule.SetPsp("PSP_RR")
    alua.AddClaimRule(rule)
    added = alua.GetClaimRules(True)
    assert [(r.GetModel(), r.GetRuleGroup(), r.GetPsp()) for r in added] == [("AC-7000", "user", "PSP_RR")]
    with pytest.raises(qorctl.HostCtlException, match="Duplicate claim rule for SATP_ALUA"):
        alua.AddClaimRule(rule)
    system = alua.GetClaimRules()[0]
    with pytest.raises(qorctl.HostCtlException, match="system claim rule cannot be deleted"):
        alua.DeleteClaimRule(system)
    alua.DeleteClaimRule(rule)
    assert len(alua.GetClaimRules()) == 2 and alua.GetClaimRules(True) == ()
    with pytest.raises(qorctl.HostCtlException, match="No such claim rule for SATP_ALUA"):
        alua.DeleteClaimRule(rule)


@pytest.mark.parametrize("setup, message", [
    ({}, "must match a device, vendor, model, driver or transport"),
    ({"SetVendor": "ARRAYCO", "SetPsp": "PSP_NONE"}, "Invalid path selection policy 'PSP_NONE'"),
])
def test_a_rule_that_matches_nothing_or_names_an_unknown_policy_is_refused(host, setup, message):
    host()
    rule = qorctl.SatpClaimRule()
    for setter, value in setup.items():
        getattr(rule, setter)(value)
    with pytest.raises(qorctl.HostCtlException, match=message):
        satp("SATP_LOCAL").AddClaimRule(rule)
    assert len(satp("SATP_LOCAL").GetClaimRules()) == 3


def test_deleting_non_forced_rules_keeps_forced_and_system_rules(host):
    host()
    aa = satp("SATP_DEFAULT_AA")
    loose = qorctl.SatpClaimRule()
    loose.SetTransport("fc")
    aa.AddClaimRule(loose)
    assert len(aa.GetClaimRules()) == 3
    aa.DeleteNonForceClaimRules()
    assert [(r.GetRuleGroup(), r.GetForce()) for r in aa.GetClaimRules()] == [("system", False), ("user", True)]


def test_an_array_type_takes_only_known_policies_as_its_default(host):
    host()
    local = satp("SATP_LOCAL")
    local.SetDefaultPathSelectionPolicyName("PSP_MRU")
    with pytest.raises(qorctl.HostCtlException, match="Invalid path selection policy 'PSP_X'"):
        local.SetDefaultPathSelectionPolicyName("PSP_X", True)
    assert local.GetDefaultPathSelectionPolicyName() == "PSP_MRU"
    nmp = qorctl.NmpPsaPluginImpl()
    assert [h.get().GetStorageArrayTypeName() for h in nmp.GetStorageArrayTypes()] == [
        "SATP_LOCAL", "SATP_ALUA", "SATP_DEFAULT_AA"]
    assert [h.get().GetPolicyName() for h in nmp.GetPathSelectionPolicies()] == ["PSP_FIXED", "PSP_MRU", "PSP_RR"]
    assert nmp.GetStorageArrayTypeByName("SATP_ALUA", True).get().GetInfoString().startswith("Supports arrays")


# ---- plugins and their claim rules --------------------------------------------------------------

def test_plugins_their_classes_and_options(host):
    host()
    info = qorctl.StorageInfoImpl()
    assert info.GetPsaPluginNames() == ("NMP", "HPP", "VAAI_FILTER", "VAAI_ARRAYCO")
    assert (info.IsValidPsaPluginName("HPP"), info.IsValidPsaPluginName("hpp")) == (True, False)
    assert info.GetClaimRuleClassString(info.GetClaimRuleClass("vaai")) == "VAAI"
    assert info.GetPsaClaimRuleClasses() == ("MP", "Filter", "VAAI")
    with pytest.raises(qorctl.HostCtlException, match="Invalid claim rule class 'SATP'"):
        info.GetClaimRuleClass("SATP")
    nmp = qorctl.PsaPluginImpl.GetPlugin("NMP")
    assert nmp is not None and int(nmp.this) == int(qorctl.PsaPluginImpl.GetPlugin("NMP").this)
    assert qorctl.PsaPluginImpl.GetPlugin("NONE") is None
    assert (nmp.GetIdentifier(), nmp.GetConfigBranches(), nmp.GetConfigOptionsForBranch("nmp")) == (
        "NMP", ("nmp",), ("MaxPathsPerDevice", "PathEvalInterval"))
    nmp.SetConfigOption("nmp", "PathEvalInterval", "60")
    assert nmp.GetConfigOption("nmp", "PathEvalInterval") == "60"
    with pytest.raises(qorctl.HostCtlException, match="Unknown option 'nmp.Speed'"):
        nmp.SetConfigOption("nmp", "Speed", "1")
    assert qorctl.PsaDeviceConfigImpl("dev.fc0").GetPsaMultipathPlugin().GetIdentifier() == "NMP"


def test_a_removed_claim_rule_is_gone(host):
    host()
    info = qorctl.StorageInfoImpl()
    info.RemovePsaClaimRule(65430, info.GetClaimRuleClass("Filter"))
    with pytest.raises(qorctl.HostCtlException, match="Claim rule 65430 of class Filter not found"):
        info.RemovePsaClaimRule(65430, info.GetClaimRuleClass("Filter"))
    info.RemovePsaClaimRule(65430, info.GetClaimRuleClass("VAAI"))


# ---- claiming paths ----------------------------------------------------------------------------

def test_unclaimed_paths_leave_their_plugin_and_claiming_by_address_brings_back_only_those(host):
    host()
    info, nmp = qorctl.StorageInfoImpl(), info_nmp()
    info.UnclaimPathsByDevice("dev.fc0")
    assert "dev.fc0" not in nmp.GetDeviceNames() and working("dev.fc0") == []
    assert qorctl.NmpScsiPathConfigImpl("hba3:C0:T1:L1").GetNmpPathStateString() == "unclaimed"
    info.ClaimPaths("hba3", 0, 1, 1)
    assert working("dev.fc0") == ["hba3:C0:T1:L1"]  # the standby path takes over
    info.ClaimPaths()
    assert working("dev.fc0") == ["hba3:C0:T0:L1"] and "dev.fc0" in nmp.GetDeviceNames()
    info.UnclaimPaths("hba64", 1)
    assert working("dev.iscsi0") == ["hba64:C0:T0:L0"]
    nmp.UnclaimAll()
    assert nmp.GetDeviceNames() == ()


def info_nmp():
    return qorctl.StorageInfoImpl().GetNmpPsaPlugin().get()


@pytest.mark.parametrize("call, message", [
    (lambda info: info.UnclaimPathsByDevice("dev.none"), "Device 'dev.none' not found"),
    (lambda info: info.UnclaimPathsByPlugin("XYZ"), "Plugin 'XYZ' not found"),
    (lambda info: info.GetScsiAdaptersForDevice("dev.none"), "Device 'dev.none' not found"),
])
def test_unknown_devices_and_plugins_are_refused(call, message):
    with pytest.raises(qorctl.HostCtlException, match=message):
        call(qorctl.StorageInfoImpl())


def test_adapters_of_a_device_come_once_each():
    info = qorctl.StorageInfoImpl()
    assert info.GetScsiAdaptersForDevice("dev.fc1") == ("hba3",)
    assert info.GetScsiAdaptersForDevice("dev.iscsi0") == ("hba64",)


# ---- path selection ------------------------------------------------------------------------------

@pytest.mark.parametrize("name, paths", [
    ("dev.local0", ["hba0:C0:T0:L0"]),
    ("dev.off0", []),                                       # its only path is dead
    ("dev.fc0", ["hba3:C0:T0:L1"]),                         # round robin over the active path only
    ("dev.fc1", ["hba3:C0:T0:L2"]),
    ("dev.iscsi0", ["hba64:C0:T0:L0", "hba64:C1:T0:L0"]),   # active/active
])
def test_each_policy_selects_from_the_working_paths(name, paths):
    assert working(name) == paths


TWO_PATHS = """
[PsaDeviceConfig dev.two]
PathSelectionPolicyName = {policy}
PreferredPath = p0
MruPath = p1
[PsaScsiPathConfig p0]
Device = dev.two
State = {p0}
[PsaScsiPathConfig p1]
Device = dev.two
State = {p1}
"""


@pytest.mark.parametrize("policy, p0, p1, path", [
    ("PSP_FIXED", "active", "active", "p0"),    # back on the preferred path once it works
    ("PSP_FIXED", "dead", "active", "p1"),
    ("PSP_MRU", "active", "active", "p1"),      # stays on the path it last used
    ("PSP_MRU", "active", "dead", "p0"),
    ("PSP_MRU", "dead", "standby", "p1"),       # a standby path takes over when none is active
])
def test_fixed_fails_back_and_mru_stays(host, policy, p0, p1, path):
    host(TWO_PATHS.format(policy=policy, p0=p0, p1=p1))
    assert working("dev.two") == [path]


def test_round_robin_adds_standby_paths_on_request(host):
    host()
    config = qorctl.RoundRobinPathSelectionPolicyDeviceConfigImpl("dev.fc0")
    config.SetUseANOPaths(True)
    assert working("dev.fc0") == ["hba3:C0:T0:L1", "hba3:C0:T1:L1"]


def test_a_policy_change_is_checked_and_a_reset_takes_the_array_types_default(host):
    host()
    fc1 = device("dev.fc1")
    with pytest.raises(qorctl.HostCtlException, match="Invalid path selection policy 'PSP_ANY'"):
        fc1.SetPathSelectionPolicy("PSP_ANY")
    fc1.SetPathSelectionPolicy("PSP_RR")
    assert (fc1.GetPathSelectionPolicyName(), fc1.GetPathSelectionPolicy().get().GetPolicyName()) == ("PSP_RR",) * 2
    assert fc1.GetStorageArrayType().get().GetStorageArrayTypeName() == fc1.GetStorageArrayTypeString() == "SATP_ALUA"
    fc1.ResetPathSelectionPolicy()
    assert fc1.GetPathSelectionPolicyName() == "PSP_MRU"
    assert fc1.GetPathSelectionPolicyDeviceConfig().get().GetConfigurationString() == "current=hba3:C0:T0:L2"


def test_a_preferred_path_must_belong_to_its_device(host):
    host()
    fixed = qorctl.FixedPathSelectionPolicyDeviceConfigImpl("dev.local0")
    assert fixed.GetPreferredPathUid().startswith("sas.") and fixed.GetActivePathRuntimeName() == "hba0:C0:T0:L0"
    with pytest.raises(qorctl.HostCtlException, match="Path 'hba2:C0:T0:L0' is not a path of device 'dev.local0'"):
        fixed.SetPreferredPath("hba2:C0:T0:L0")
    with pytest.raises(qorctl.HostCtlException, match="No path given"):
        fixed.SetPreferredPath(None)
    fixed.ClearPreferredPath()
    assert (fixed.GetPreferredPathRuntimeName(), fixed.GetConfigurationString()) == (
        "", "preferred=,current=hba0:C0:T0:L0")


@pytest.mark.parametrize("action, expected", [
    (lambda c: c.SetPathSwitchIOsLimit(500), "type=iops,iops=500,bytes=10485760,useANO=0"),
    (lambda c: c.SetPathSwitchByteLimit(4096), "type=bytes,iops=1000,bytes=4096,useANO=0"),
    (lambda c: c.SetPathSwitchLatencyBasedPolicy(), "type=latency,iops=1000,bytes=10485760,useANO=0"),
    (lambda c: c.SetConfigurationString("type=bytes,bytes=64,useANO=1"), "type=bytes,iops=1000,bytes=64,useANO=1"),
    (lambda c: (c.SetPathSwitchIOsLimit(7), c.SetDefaultValues()), "type=default,iops=1000,bytes=10485760,useANO=0"),
])
def test_round_robin_settings_show_in_the_configuration(host, action, expected):
    host()
    config = qorctl.RoundRobinPathSelectionPolicyDeviceConfigImpl("dev.iscsi0")
    action(config)
    assert config.GetConfigurationString() == expected


@pytest.mark.parametrize("action, message", [
    (lambda c: c.SetPathSwitchIOsLimit(0), "must be greater than 0"),
    (lambda c: c.SetConfigurationString("iops=10,bytes=0"), "Invalid configuration 'iops=10,bytes=0'"),
    (lambda c: c.SetConfigurationString("preferred=hba64:C0:T0:L0"), "Invalid configuration"),
])
def test_bad_round_robin_settings_change_nothing(host, action, message):
    host()
    config = qorctl.RoundRobinPathSelectionPolicyDeviceConfigImpl("dev.iscsi0")
    with pytest.raises(qorctl.HostCtlException, match=message):
        action(config)
    assert config.GetConfigurationString() == "type=iops,iops=1000,bytes=10485760,useANO=0"


# ---- the objects of the other storage areas, and failures ------------------------------------------

def test_lists_hand_out_the_paths_and_devices_the_model_describes(host):
    host("[ScsiPath hba3:C0:T0:L1]\n[ScsiPath hba3:C0:T1:L1]\n[Lun dev.fc0]\n")
    nmp = info_nmp()
    # Only what the model describes comes back: two of the plugin's paths, one of its devices.
    assert [bool(h) for h in nmp.GetPaths()] == [True, True]
    assert [bool(h) for h in nmp.GetDevices()] == [True]
    assert len(device("dev.fc0").GetWorkingPathSet()) == 1 and device("dev.fc1").GetWorkingPathSet() == ()
    assert qorctl.PsaDeviceConfigImpl("dev.fc0").GetDevice() and not qorctl.PsaDeviceConfigImpl("dev.fc1").GetDevice()


@pytest.mark.parametrize("failing, call", [
    ("StorageArrayType.AddClaimRule", lambda: satp("SATP_ALUA").AddClaimRule(qorctl.SatpClaimRule())),
    ("NmpDeviceConfig.GetWorkingPathSetRuntimeNames@dev.fc0", lambda: working("dev.fc0")),
    ("StorageInfo.ClaimPaths", lambda: qorctl.StorageInfoImpl().ClaimPaths("hba3")),
    ("PathSelectionPolicy.GetInfoString", lambda: qorctl.PathSelectionPolicyImpl("PSP_RR").GetInfoString()),
])
def test_any_operation_fails_on_request(host, failing, call):
    host("[fail]\n%s = path lost\n" % failing)
    with pytest.raises(qorctl.HostCtlException, match="^path lost$"):
        call()
