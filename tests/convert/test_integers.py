"""Integers cross the boundary exactly, through real record fields and
operations: every value inside a type's bounds round-trips, every value outside
is refused with the exception its converter family gives, and nothing that is
not an int passes."""

from dataclasses import dataclass
from typing import Callable, Optional

import pytest
from hypothesis import example, given, settings
from hypothesis import strategies as st

import _qorctl as q
import qorctl  # noqa: F401  (registers the classes, so owning proxies destroy their records)

LONG_MIN, LONG_MAX = -2**63, 2**63 - 1
ULONG_MAX = 2**64 - 1


def signed(low, high):
    """Signed family: beyond a signed 64-bit read, TypeError; beyond the
    narrower type, OverflowError."""
    def error(value):
        if not LONG_MIN <= value <= LONG_MAX:
            return TypeError
        return None if low <= value <= high else OverflowError
    return error


def unsigned(high):
    """Unsigned family: a negative number is an overflow, a number past
    2**64 - 1 (or past a signed read when negative) a type error."""
    def error(value):
        if value < LONG_MIN or value > ULONG_MAX:
            return TypeError
        return None if 0 <= value <= high else OverflowError
    return error


def unsigned_long_long(value):
    """`uint64_t` reads with the unsigned long-long read: every miss is a type error."""
    return None if 0 <= value <= ULONG_MAX else TypeError


def character(value):
    """`Bool`: a number 0..255; other numbers overflow unless beyond a signed read."""
    if not LONG_MIN <= value <= LONG_MAX:
        return TypeError
    return None if 0 <= value <= 255 else OverflowError


@dataclass
class Field:
    """An integer field of a record, reached through its flat accessors."""
    record: str
    name: str
    declared: str
    low: int
    high: int
    error: Callable[[int], Optional[type]]
    read: Callable[[object], int] = lambda value: value

    def make(self):
        return getattr(q, "new_" + self.record)()

    def set(self, obj, value):
        getattr(q, "%s_%s_set" % (self.record, self.name))(obj, value)

    def get(self, obj):
        return self.read(getattr(q, "%s_%s_get" % (self.record, self.name))(obj))

    @property
    def message(self):
        return "in method '%s_%s_set', argument 2 of type '%s'" % (self.record, self.name, self.declared)

    def __str__(self):
        return self.declared


FIELDS = [
    Field("VMPoint", "x", "int", -2**31, 2**31 - 1, signed(-2**31, 2**31 - 1)),
    Field("Valid", "value", "int32", -2**31, 2**31 - 1, signed(-2**31, 2**31 - 1)),
    Field("PnicLinkMode", "speed", "HostCtl::Network::LinkSpeed", -2**31, 2**31 - 1, signed(-2**31, 2**31 - 1)),
    Field("SmartStat", "value", "int64", LONG_MIN, LONG_MAX, signed(LONG_MIN, LONG_MAX)),
    Field("LagTimeoutConfig", "timeout", "uint8", 0, 255, unsigned(255)),
    Field("HostGpuStats", "segment", "uint16", 0, 65535, unsigned(65535)),
    Field("IpEntry", "vlanId", "uint32", 0, 2**32 - 1, unsigned(2**32 - 1)),
    Field("FilterStats", "pktsIn", "uint64", 0, ULONG_MAX, unsigned(ULONG_MAX)),
    Field("iScsiAdapterStats", "txData", "uint64_t", 0, ULONG_MAX, unsigned_long_long),
    # A Bool reads back as the one-character text of its byte.
    Field("FilterStats", "isPublic", "Bool", 0, 255, character,
          read=lambda text: ord(text) if ord(text) < 0x80 else ord(text) - 0xDC00),
]


@pytest.mark.parametrize("field", FIELDS, ids=str)
@settings(deadline=None)
@given(value=st.integers(min_value=-2**70, max_value=2**70))
def test_a_value_round_trips_or_is_refused_by_its_bound(field, value):
    obj = field.make()
    field.set(obj, 7)
    expected = field.error(value)
    if expected is None:
        field.set(obj, value)
        assert field.get(obj) == value
    else:
        with pytest.raises(expected) as caught:
            field.set(obj, value)
        assert str(caught.value) == field.message
        assert field.get(obj) == 7


# The first value past each bound and the exception its converter family raises.
@pytest.mark.parametrize("field, below, above", list(zip(FIELDS, [
    OverflowError, OverflowError, OverflowError,      # int, int32, an enumeration
    TypeError,                                        # int64: past a signed 64-bit read
    OverflowError, OverflowError, OverflowError,      # uint8, uint16, uint32
    OverflowError,                                    # uint64: -1 overflows ...
    TypeError,                                        # uint64_t: every miss is a type error
    OverflowError,                                    # Bool
], [
    OverflowError, OverflowError, OverflowError,
    TypeError,
    OverflowError, OverflowError, OverflowError,
    TypeError,                                        # ... 2**64 is a type error
    TypeError,
    OverflowError,
])), ids=lambda item: str(item) if isinstance(item, Field) else "")
def test_bounds_are_exact(field, below, above):
    obj = field.make()
    for value in (field.low, field.high):
        field.set(obj, value)
        assert field.get(obj) == value
    for value, error in ((field.low - 1, below), (field.high + 1, above)):
        with pytest.raises(error):
            field.set(obj, value)
        assert field.get(obj) == field.high


class OnlyIndex:
    def __index__(self):
        return 1


class IntSubclass(int):
    pass


NON_INTEGERS = [1.0, None, OnlyIndex(), object(), b"\x01", [1]]


# None is the empty text for a character value (tests/convert/test_text.py).
@pytest.mark.parametrize("field, value", [
    (field, value) for field in FIELDS for value in NON_INTEGERS
    if not (field.declared == "Bool" and value is None)
], ids=lambda item: str(item) if isinstance(item, Field) else type(item).__name__)
def test_non_integers_are_type_errors(field, value):
    obj = field.make()
    field.set(obj, 3)
    with pytest.raises(TypeError) as caught:
        field.set(obj, value)
    assert str(caught.value) == field.message
    assert field.get(obj) == 3


@pytest.mark.parametrize("field", [f for f in FIELDS if f.declared != "Bool"], ids=str)
def test_numeric_strings_are_type_errors(field):
    obj = field.make()
    with pytest.raises(TypeError):
        field.set(obj, "1")


@pytest.mark.parametrize("field", FIELDS, ids=str)
def test_bools_and_int_subclasses_pass_as_integers(field):
    obj = field.make()
    field.set(obj, True)
    assert field.get(obj) == 1
    field.set(obj, False)
    assert field.get(obj) == 0
    field.set(obj, IntSubclass(5))
    assert field.get(obj) == 5


def test_results_are_plain_non_negative_ints():
    stats = q.new_FilterStats()
    for value in (2**63 - 1, 2**63, ULONG_MAX):
        q.FilterStats_pktsIn_set(stats, value)
        result = q.FilterStats_pktsIn_get(stats)
        assert type(result) is int and result == value


# ---- bool ---------------------------------------------------------------------------

@pytest.mark.parametrize("value", [0, 1, 2, -1, 1.0, None, "True", IntSubclass(1)], ids=repr)
def test_bool_accepts_only_true_and_false(value):
    flags = q.new_iSnsInheritanceFlags()
    q.iSnsInheritanceFlags_pollInterval_set(flags, True)
    with pytest.raises(TypeError) as caught:
        q.iSnsInheritanceFlags_pollInterval_set(flags, value)
    assert str(caught.value) == "in method 'iSnsInheritanceFlags_pollInterval_set', argument 2 of type 'bool'"
    assert q.iSnsInheritanceFlags_pollInterval_get(flags) is True
    q.iSnsInheritanceFlags_pollInterval_set(flags, False)
    assert q.iSnsInheritanceFlags_pollInterval_get(flags) is False


# ---- parameters of operations ---------------------------------------------------------

@pytest.fixture
def syslog():
    return q.new_MirsyslogInfoImpl()


@settings(deadline=None)
@given(value=st.integers(min_value=-2**70, max_value=2**70))
@example(value=LONG_MAX)
@example(value=LONG_MAX + 1)
@example(value=LONG_MIN - 1)
def test_int64_t_parameter(value):
    syslog = q.new_MirsyslogInfoImpl()
    if LONG_MIN <= value <= LONG_MAX:
        q.MirsyslogInfo_SetDroppedFileRotations(syslog, value)
        if value >= 0:   # the library reads the count back as a uint64
            assert q.MirsyslogInfo_GetDroppedFileRotations(syslog) == value
    else:
        with pytest.raises(TypeError) as caught:
            q.MirsyslogInfo_SetDroppedFileRotations(syslog, value)
        assert str(caught.value) == \
            "in method 'MirsyslogInfo_SetDroppedFileRotations', argument 2 of type 'int64_t'"


@pytest.mark.parametrize("value, error", [
    (-2**15, None), (2**15 - 1, None), (True, None),
    (-2**15 - 1, OverflowError), (2**15, OverflowError), (2**63, TypeError), (1.0, TypeError),
])
def test_int16_t_parameter(syslog, value, error):
    if error is None:
        assert q.MirsyslogInfoImpl_SetLoggerRotations(syslog, "syslog", value) is None
    else:
        with pytest.raises(error) as caught:
            q.MirsyslogInfoImpl_SetLoggerRotations(syslog, "syslog", value)
        assert str(caught.value) == \
            "in method 'MirsyslogInfoImpl_SetLoggerRotations', argument 3 of type 'int16_t'"
