"""Module constants: how many, what kind of object each value is, and the
order start-up installs them in (with cvar just before the first variable)."""

import pytest

import _qorctl

CONSTANT_COUNT = 986


def constant_names():
    return [name for name, value in vars(_qorctl).items()
            if not callable(value) and name != "cvar" and not (name.startswith("__") and name.endswith("__"))]


def test_module_holds_every_constant_once():
    assert len(constant_names()) == CONSTANT_COUNT


@pytest.mark.parametrize("name, value", [
    # signed, from the plain and the enumeration forms, one per area
    ("TRUE", 1),
    ("AdvancedOption_ADV_OPTION_STRING_TYPE", 1),
    ("PciDevice_USB_CONTROLLER_INTERFACE_DEVICE", 254),
    ("SGX_FLCUNLOCKED", 2),
    ("MEDIA_TYPE_BASE_CR2", 38),
    ("PORTSET_FLAG_SYSTEM_VSS", 4096),
    ("NETSTACK_INSTANCE_STATE_READY", 4660),
    ("CpuLoad_NumQuantiles", 10),
    ("ScsiPath_PATH_STATE_UNKNOWN", 65535),
    ("SystemInfoImpl_OSDATA_PATH_ERR_MAX", 9),
    # negative
    ("MPN38_MASK", -1),
    ("ResourceAllocation_RESOURCE_SHARES_HIGH", -4),
    ("MIN_INT64", -9223372036854775808),
    ("MAX_INT64", 9223372036854775807),
    # size
    ("MemoryInfoImpl_DEFAULT_COS_MEMORY", 272),
    ("StorageInfo_kDefaultMaxQDepth", 0),
    ("RoundRobinPathSelectionPolicyDeviceConfigImpl_DEFAULT_NUM_BYTES_BEFORE_SWITCH", 10485760),
    # unsigned 64-bit
    ("MIN_UINT64", 0),
    ("MAX_UINT64", 18446744073709551615),
])
def test_integer_constants(name, value):
    constant = getattr(_qorctl, name)
    assert type(constant) is int and constant == value


@pytest.mark.parametrize("name, value", [
    ("FMTH", ""),
    ("FMT64", "ll"),
    ("QORDEVMGR_SOCKET_NAME", "/var/run/quarrix/qordevmgr-socket"),
    ("LLDP_KEY_SYS_CAP", "Enabled Capabilities"),
    ("TIMESTAMPFILE", "/etc/quarrix/lunTimestamps.log"),
    ("QRX_SSL_CIPHER", "ECDHE+AESGCM:ECDHE+AES"),
    ("kEntropyAgentUpdate", "U"),
])
def test_text_constants(name, value):
    constant = getattr(_qorctl, name)
    assert type(constant) is str and constant == value


def test_namespace_prefix_is_a_reverse_domain_ending_in_a_full_stop():
    prefix = _qorctl.S_QUARRIX_NAMESPACE
    assert prefix.endswith(".") and len(prefix.rstrip(".").split(".")) >= 2


def test_installation_follows_interface_order():
    names = list(vars(_qorctl))
    position = names.index
    # cvar is stored just before the first variable, after the core constants.
    assert position("FMTMODE") + 1 == position("cvar") == position("AdvancedOption_ADV_OPTION_INT_TYPE") - 1
    # Enumerators sit among the plain constants where their enumeration is declared.
    expected = ["CDP_CAPS_REPEATER", "PNIC_CDP_STATUS_DOWN", "PNIC_CDP_STATUS_BOTH", "MAX_OPT_TLV_LEN",
                "PROTOCOL_LLDP", "DVMIRROR_SESSIONTYPE_MIXEDDESTMIRROR", "PORTSET_FLAG_SYSTEM_VSS",
                "PORTSET_GET_VSS_ANY", "ConnectionPoint_CONN_TYPE_NONE", "PNIC_GET_SYSTEM",
                "AffinityInfo_HT_SHARE_ANY", "ScsiInterface_SCSI_IFACE_TYPE_UNKNOWN",
                "Migration_MIGRATESTATE_NOT_INITIALIZED", "kEntropyAgentUpdate"]
    assert sorted(expected, key=position) == expected
