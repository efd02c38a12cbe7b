"""Text crosses the boundary exactly: std::string keeps every byte, a C string
ends at its first NUL, character arrays hold at most their size with the NUL,
results that are not UTF-8 decode with surrogate escapes, and what cannot be
text (bytes, text with no UTF-8 form) is refused without touching the target.
Also the values that travel as pointer proxies: uint, integer arrays and
output references."""

import ctypes

import pytest

import _qorctl as q
import qorctl


def address(proxy):
    return int(getattr(proxy, "this", proxy))


# ---- std::string and char const * ---------------------------------------------------------

@pytest.mark.parametrize("text", ["", "a\0b", "\0", "é✓ text", "x" * 10000])
def test_std_string_keeps_every_character(text):
    summary = qorctl.CdpSummary()
    summary.deviceId = text
    assert summary.deviceId == text


@pytest.mark.parametrize("text, seen", [("a\0b", "a"), ("é✓", "é✓"), ("\0tail", "")])
def test_a_c_string_ends_at_its_first_nul(text, seen):
    storage = qorctl.StorageInfoImpl()
    storage.SetOSDataLocation(text, True)
    assert storage.GetOSDataLocation(True, True) == seen


def test_none_is_a_null_c_string():
    storage = qorctl.StorageInfoImpl()
    storage.SetOSDataLocation("/scratch", True)
    storage.SetOSDataLocation(None, True)
    assert storage.GetOSDataLocation(True, True) == ""


def test_results_that_are_not_utf8_decode_with_surrogate_escapes(sim_host):
    path = sim_host("")
    path.write_bytes(b"[StorageInfo]\nOSDataLocation = \xff\x41\xc3\n")
    assert qorctl.StorageInfoImpl().GetOSDataLocation(True, True) == "\udcffA\udcc3"


# Each text target, its setter's message, and how to read it back.
TARGETS = {
    "std::string": (lambda: qorctl.CdpSummary(), "deviceId",
                    "in method 'CdpSummary_deviceId_set', argument 2 of type 'std::string'"),
    "char [128]": (lambda: qorctl.HostGpuStats(), "driverVersion",
                   "in method 'HostGpuStats_driverVersion_set', argument 2 of type 'char [128]'"),
    "Bool": (lambda: qorctl.FilterStats(), "isPublic",
             "in method 'FilterStats_isPublic_set', argument 2 of type 'Bool'"),
}


@pytest.mark.parametrize("target, value, error, suffix", [
    ("std::string", b"text", TypeError, ""),
    ("std::string", bytearray(b"text"), TypeError, ""),
    ("std::string", 5, TypeError, ""),
    ("std::string", "\udcff", ValueError, ": the text has no UTF-8 form"),
    ("char [128]", b"text", TypeError, ""),
    ("char [128]", "x" * 128, TypeError, ""),
    ("char [128]", "é" * 64, TypeError, ""),           # 128 bytes in UTF-8
    ("char [128]", "a\udcff", ValueError, ": the text has no UTF-8 form"),
    ("Bool", b"a", TypeError, ""),
    ("Bool", "ab", TypeError, ""),
    ("Bool", "é", TypeError, ""),                       # two bytes
    ("Bool", 256, OverflowError, ""),
    ("Bool", -1, OverflowError, ""),
    ("Bool", "\udcff", ValueError, ": the text has no UTF-8 form"),
], ids=repr)
def test_refused_text_leaves_the_field_unchanged(target, value, error, suffix):
    make, name, message = TARGETS[target]
    record = make()
    setattr(record, name, "k")
    with pytest.raises(error) as caught:
        setattr(record, name, value)
    assert str(caught.value) == message + suffix
    # Nothing is left pending: the next call succeeds and sees the old value.
    assert getattr(record, name) == "k"


def test_none_for_a_std_string_is_a_null_reference():
    summary = qorctl.CdpSummary()
    summary.deviceId = "kept"
    with pytest.raises(ValueError) as caught:
        summary.deviceId = None
    assert str(caught.value) == \
        "invalid null reference in method 'CdpSummary_deviceId_set', argument 2 of type 'std::string'"
    assert summary.deviceId == "kept"


@pytest.mark.parametrize("call, message", [
    (lambda text: q.FirewallControlPort(text, True, 22),
     "in method 'FirewallControlPort', argument 1 of type 'char const *'"),
    (lambda text: q.StorageInfoImpl_GetDumpFileReadCount(qorctl.StorageInfoImpl(), text, None),
     "in method 'StorageInfoImpl_GetDumpFileReadCount', argument 2 of type 'std::string const &'"),
], ids=["char const *", "std::string const &"])
def test_text_parameters_refuse_bytes_and_unencodable_text(call, message):
    for value, error, suffix in [(b"x", TypeError, ""), (5, TypeError, ""),
                                 ("\udcff", ValueError, ": the text has no UTF-8 form")]:
        with pytest.raises(error) as caught:
            call(value)
        assert str(caught.value) == message + suffix


def test_a_std_string_pointer_parameter_takes_text_as_a_temporary():
    agent = qorctl.ServiceAgentImpl("ntpd", "ntp")
    assert agent.StartService("reason") == 0
    with pytest.raises(ValueError) as caught:
        _ = q.ServiceAgent_StartService(agent, None)
    assert str(caught.value) == \
        "invalid null reference in method 'ServiceAgent_StartService', argument 2 of type 'std::string *'"


def test_a_non_const_std_string_reference_takes_no_text():
    info = qorctl.NetworkInfoImpl()
    with pytest.raises(TypeError) as caught:
        q.NetworkInfo_GetNetDumperParams(info, "a", "b", None, None)
    assert str(caught.value) == \
        "in method 'NetworkInfo_GetNetDumperParams', argument 2 of type 'std::string &'"


# ---- character arrays --------------------------------------------------------------------

@pytest.mark.parametrize("record, name, value, read", [
    (qorctl.HostGpuStats, "driverVersion", "x" * 127, "x" * 127),   # 127 bytes and the NUL fit 128
    (qorctl.HostGpuStats, "driverVersion", "é" * 63 + "x", "é" * 63 + "x"),
    (qorctl.HostGpuStats, "driverVersion", "a\0b", "a"),           # reads stop at the first NUL
    (qorctl.HostGpuStats, "driverVersion", "", ""),
    (qorctl.HostGpuStats, "driverVersion", None, ""),              # a null C string is empty text
    (qorctl.FcScsiEvent, "sense", "ab", "ab"),
    (qorctl.FcScsiEvent, "sense", "é", "é"),
], ids=repr)
def test_character_array_fields(record, name, value, read):
    obj = record()
    setattr(obj, name, "zz")
    setattr(obj, name, value)
    assert getattr(obj, name) == read


class FcScsiEventLayout(ctypes.Structure):
    """The record's fields in declaration order, to reach `sense` in place."""
    _fields_ = [("sec", ctypes.c_uint64), ("usec", ctypes.c_uint32), ("id", ctypes.c_uint32),
                ("cmd", ctypes.c_uint32), ("status", ctypes.c_uint32), ("channel", ctypes.c_uint16),
                ("target", ctypes.c_uint16), ("lun", ctypes.c_uint16), ("cc", ctypes.c_uint8),
                ("sense", ctypes.c_char * 3), ("flags", ctypes.c_uint64), ("data", ctypes.c_uint32 * 4)]


def test_an_unterminated_character_array_reads_all_its_bytes():
    event = qorctl.FcScsiEvent()
    event.cc, event.flags = 7, 9
    layout = FcScsiEventLayout.from_address(address(event))
    assert (layout.cc, layout.flags) == (7, 9)
    # The library may fill every byte, leaving no NUL: the read stops at the end.
    ctypes.memmove(address(event) + FcScsiEventLayout.sense.offset, b"xyz", 3)
    assert event.sense == "xyz"
    assert event.cc == 7 and event.flags == 9


# ---- Bool: one character each way -------------------------------------------------------------

@pytest.mark.parametrize("value, read", [
    ("a", "a"), ("", "\x00"), (0, "\x00"), (1, "\x01"), (True, "\x01"), (97, "a"),
    (None, "\x00"),
    (255, "\udcff"),     # bytes past ASCII read back as their escape surrogate
])
def test_bool_fields_are_one_character_strings(value, read):
    stats = qorctl.FilterStats()
    stats.isPublic = value
    assert stats.isPublic == read


# ---- uint: an opaque value behind a pointer proxy ------------------------------------------

def uint_value(proxy):
    return ctypes.c_uint.from_address(address(proxy)).value


def test_uint_fields_read_as_owned_copies_and_set_from_proxies():
    source, target = qorctl.PortDbEntry(), qorctl.PortDbEntry()
    copy = source.dhcpLeaseRemaining
    assert copy.own() and address(copy) != address(source)
    ctypes.c_uint.from_address(address(copy)).value = 3600
    assert uint_value(source.dhcpLeaseRemaining) == 0       # the copy is not the field
    target.dhcpLeaseRemaining = copy
    assert uint_value(target.dhcpLeaseRemaining) == 3600


@pytest.mark.parametrize("value, error, message", [
    (None, ValueError,
     "invalid null reference in method 'PortDbEntry_dhcpLeaseRemaining_set', argument 2 of type 'uint'"),
    (5, TypeError, "in method 'PortDbEntry_dhcpLeaseRemaining_set', argument 2 of type 'uint'"),
])
def test_uint_fields_refuse_numbers_and_null(value, error, message):
    with pytest.raises(error) as caught:
        qorctl.PortDbEntry().dhcpLeaseRemaining = value
    assert str(caught.value) == message


# ---- integer arrays and output references ---------------------------------------------------

def test_integer_arrays_are_pointers_to_their_element_type():
    event, other = qorctl.FcScsiEvent(), qorctl.FcScsiEvent()
    words = (ctypes.c_uint * 4).from_address(address(event.data))
    words[:] = [1, 2, 3, 2**32 - 1]
    other.data = event.data
    assert list((ctypes.c_uint * 4).from_address(address(other.data))) == [1, 2, 3, 2**32 - 1]
    with pytest.raises(TypeError) as caught:
        other.data = qorctl.HardwareUuid().uuid            # unsigned char *, not unsigned int *
    assert str(caught.value) == "in method 'FcScsiEvent_data_set', argument 2 of type 'uint32 [4]'"


def test_scalar_output_references_take_pointer_proxies_only(sim_host):
    sim_host("""
        [StorageInfo]
        DumpFileReadCount = true
        DumpFileReadCount.2 = 42
        """)
    storage = qorctl.StorageInfoImpl()
    event = qorctl.FcScsiEvent()                            # its data field is an unsigned int *
    assert storage.GetDumpFileReadCount("dump", event.data) is True
    assert ctypes.c_uint.from_address(address(event.data)).value == 42
    prefix = "in method 'StorageInfoImpl_GetDumpFileReadCount', argument 3 of type 'uint32 &'"
    for value, error, message in [
        (42, TypeError, prefix),
        (True, TypeError, prefix),
        (qorctl.HardwareUuid().uuid, TypeError, prefix),
        (None, ValueError, "invalid null reference " + prefix),
    ]:
        with pytest.raises(error) as caught:
            q.StorageInfoImpl_GetDumpFileReadCount(storage, "dump", value)
        assert str(caught.value) == message
