"""The global-variables object cvar: its type, reading and writing by name,
the read-only and conversion messages, the writable variables, the accessor
functions of static members and the library's constant records."""

import pytest

import _qorctl
import qorctl

cvar = _qorctl.cvar

WRITABLE = {"RoutingInfoImpl_DEFAULT_IPV4_ROUTE", "RoutingInfoImpl_DEFAULT_IPV6_ROUTE",
            "VmFileSystemImpl_LUFS6_VOL_OPTIONS", "APD_START", "APD_TIMEOUT", "PDL", "DEGRADED", "OFF"}
ARRAYS = {"BootDevice_BootNames": ("HostCtl::Hardware::BootDevice::BootNames", "std::string []"),
          "CDP_STATUS": ("HostCtl::Network::CDP_STATUS", "std::string []"),
          "NetworkPolicySerializer_TeamPolicyStr":
              ("QorCtl::Network::NetworkPolicySerializer::TeamPolicyStr", "char const *[]"),
          "NetworkPolicySerializer_TeamPolicyCSStr":
              ("QorCtl::Network::NetworkPolicySerializer::TeamPolicyCSStr", "char const *[]")}


def variable_names():
    return str(cvar)[1:-1].split(", ")


def test_cvar_is_the_one_swigvarlink_object():
    kind = type(cvar)
    assert kind.__name__ == "swigvarlink"
    assert repr(cvar) == "<Swig global variables>"


def test_str_lists_variables_newest_first():
    names = variable_names()
    assert len(names) == len(set(names)) == 146
    assert names[0] == "kEntropyAgentControlSock" and names[-1] == "emptyString"


def test_every_variable_reads_and_refuses_writes_unless_writable():
    refused = 0
    for name in set(variable_names()) - WRITABLE - set(ARRAYS):
        with pytest.raises(AttributeError) as error:
            setattr(cvar, name, getattr(cvar, name))
        assert str(error.value) == "Variable %s is read-only." % name
        refused += 1
    assert refused == 134


@pytest.mark.parametrize("name", sorted(ARRAYS))
def test_array_variables_name_library_variable_and_type(name):
    library_name, type_text = ARRAYS[name]
    with pytest.raises(AttributeError) as error:
        setattr(cvar, name, 0)
    assert str(error.value) == "in variable 'read-only %s' of type '%s'" % (library_name, type_text)


@pytest.mark.parametrize("name, value", [
    ("kMaxMsgLen", 40000000),
    ("HBA_BITMAP_HIGH_MASK", -32),
    ("INVALID_CONNECTION_ID", 4294967295),
    ("PortGroup_MAX_VLAN_ID", 4095),
    ("NETSTACK_INST_IPV6_ENABLED_DEF", True),
    ("NULL_IPV6_ADDRESS", "::"),
    ("emptyString", ""),
    ("CFG_STORE_PCIDEVICE_OWNER_PASSTHRU", "OWNER_PASSTHRU"),
    ("kEntropyAgentControlSock", "/var/run/entropy.ctl"),
])
def test_values_the_module_fixes(name, value):
    read = getattr(cvar, name)
    assert type(read) is type(value) and read == value


def test_read_only_message_and_value_kept():
    with pytest.raises(AttributeError, match=r"^Variable kMaxMsgLen is read-only\.$"):
        cvar.kMaxMsgLen = 1
    assert cvar.kMaxMsgLen == 40000000


@pytest.mark.parametrize("name", ["nothing", "__class__", "__dict__", "__repr__"])
def test_unknown_names_in_reads_writes_and_deletes(name):
    message = "^Unknown C global variable '%s'$" % name
    with pytest.raises(AttributeError, match=message):
        getattr(cvar, name)
    with pytest.raises(AttributeError, match=message):
        setattr(cvar, name, 1)
    with pytest.raises(AttributeError, match=message):
        delattr(cvar, name)


def test_deleting_a_variable_is_refused_and_changes_nothing():
    with pytest.raises(AttributeError, match="^C global variable 'PDL' cannot be deleted$"):
        del cvar.PDL
    with pytest.raises(AttributeError, match="cannot be deleted"):
        del cvar.kMaxMsgLen
    assert cvar.PDL == "PDL" and cvar.kMaxMsgLen == 40000000


@pytest.fixture
def pdl():
    yield
    cvar.PDL = "PDL"


def test_c_string_variable_takes_each_new_text(pdl):
    for text in ["x", "", "a longer text than before", "x"]:
        cvar.PDL = text
        assert cvar.PDL == text
    cvar.PDL = None
    assert cvar.PDL is None
    assert cvar.DEGRADED == "DEGRADED"  # its neighbours keep the library's text


@pytest.mark.parametrize("value, error, reason", [
    (5, TypeError, ""),
    (b"bytes", TypeError, ""),
    ("\udcff", ValueError, ": the text has no UTF-8 form"),
])
def test_c_string_variable_refuses_what_is_no_text(pdl, value, error, reason):
    cvar.PDL = "kept"
    with pytest.raises(error) as caught:
        cvar.PDL = value
    assert str(caught.value) == "in variable 'HostCtl::Storage::PDL' of type 'char const *'" + reason
    assert cvar.PDL == "kept"


ROUTE = "in variable 'QorCtl::Network::RoutingInfoImpl::DEFAULT_IPV4_ROUTE' of type 'HostCtl::Network::Ipv4Network'"
OPTIONS = ("in variable 'QorCtl::Storage::VmFileSystemImpl::LUFS6_VOL_OPTIONS' of type "
           "'std::vector< HostCtl::Storage::LufsVolumeConfigOption,"
           "std::allocator< HostCtl::Storage::LufsVolumeConfigOption > >'")


@pytest.mark.parametrize("name, message", [("RoutingInfoImpl_DEFAULT_IPV4_ROUTE", ROUTE),
                                           ("VmFileSystemImpl_LUFS6_VOL_OPTIONS", OPTIONS)])
def test_record_and_vector_variables_refuse_none_and_other_types(name, message):
    with pytest.raises(ValueError) as error:
        setattr(cvar, name, None)
    assert str(error.value) == "invalid null reference " + message
    for other in [1, "text", cvar.RoutingInfoImpl_DEFAULT_IPV6_ROUTE]:
        with pytest.raises(TypeError) as error:
            setattr(cvar, name, other)
        assert str(error.value) == message


def test_record_variable_is_assigned_from_a_record():
    route = cvar.RoutingInfoImpl_DEFAULT_IPV4_ROUTE
    cvar.RoutingInfoImpl_DEFAULT_IPV4_ROUTE = qorctl.Ipv4Network()
    cvar.RoutingInfoImpl_DEFAULT_IPV4_ROUTE = route  # assigning the object to itself
    assert int(cvar.RoutingInfoImpl_DEFAULT_IPV4_ROUTE.this) == int(route.this)


def test_accessor_functions_of_static_members():
    assert int(_qorctl.BootDevice_BootNames_get("ignored", 2)) == int(cvar.BootDevice_BootNames)
    options = _qorctl.VmFileSystemImpl_LUFS6_VOL_OPTIONS_get()
    assert _qorctl.VmFileSystemImpl_LUFS6_VOL_OPTIONS_set(options) is None
    with pytest.raises(ValueError, match="^invalid null reference " + ROUTE):
        _qorctl.RoutingInfoImpl_DEFAULT_IPV4_ROUTE_set(None)
    with pytest.raises(AttributeError, match="^in variable 'read-only QorCtl::Network::NetworkPolicySerializer"):
        _qorctl.NetworkPolicySerializer_TeamPolicyCSStr_set(0)
    with pytest.raises(TypeError, match="set"):
        _qorctl.RoutingInfoImpl_DEFAULT_IPV4_ROUTE_set()


@pytest.mark.parametrize("name, value", [("resetEntropyConfig", -1), ("unchangedEntropyConfig", -2)])
@pytest.mark.parametrize("field", ["memorySize", "storageSize", "memoryLowWatermark", "externalEntropyLostTimeout"])
def test_constant_records_refuse_field_writes(name, value, field):
    record = getattr(cvar, name)
    with pytest.raises(AttributeError) as error:
        getattr(_qorctl, "EntropyConfig_%s_set" % field)(record, 7)
    assert str(error.value) == ("in method 'EntropyConfig_%s_set', argument 1 is the constant object "
                                "'HostCtl::System::%s', which cannot be changed" % (field, name))
    assert getattr(_qorctl, "EntropyConfig_%s_get" % field)(record) == value
    copy = qorctl.EntropyConfig()
    setattr(copy, field, 7)
    assert getattr(copy, field) == 7


def test_second_start_up_reuses_cvar_and_finds_newest_entries_first(python_snippet):
    result = python_snippet("""
        import ctypes, _qorctl as first
        entry = ctypes.PyDLL(first.__file__).PyInit__qorctl
        entry.restype = ctypes.py_object
        second = entry()
        assert second is not first and second.cvar is first.cvar
        names = str(first.cvar)[1:-1].split(", ")
        assert len(names) == 292 and names[:146] == names[146:]
        first.cvar.PDL = "both"
        assert second.cvar.PDL == "both" and second.MAX_UINT64 == 18446744073709551615
        print("ok")
    """)
    assert result.returncode == 0, result.stderr
    assert result.stdout.strip() == "ok"
