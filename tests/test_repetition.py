"""Repeated calls leave their arguments' reference counts and the process's
memory where they were: nothing a call takes or makes may stay behind. A
quick run is part of the suite; `tools/run soak` runs a million calls of
each kind."""

import ctypes
import os
import sys

import pytest

import _qorctl as q
import qorctl

CALLS = int(os.environ.get("QORCTL_REPEAT_CALLS", "3000"))


class MallInfo2(ctypes.Structure):
    _fields_ = [(name, ctypes.c_size_t) for name in
                ("arena", "ordblks", "smblks", "hblks", "hblkhd", "usmblks", "fsmblks", "uordblks", "fordblks",
                 "keepcost")]


LIBC = ctypes.CDLL(None)
LIBC.mallinfo2.restype = MallInfo2


def heap_bytes():
    """Bytes the C allocator has handed out and not taken back: every
    allocation counts, whether its pages were touched or not."""
    info = LIBC.mallinfo2()
    return info.uordblks + info.hblkhd


def fails(call, error):
    def run():
        try:
            call()
        except error:
            return
        raise AssertionError("no %s" % error.__name__)
    return run


RECORD = qorctl.CdpSummary()
NAMES = qorctl.StringVector(["a", "b", "c"])
MAP = qorctl.MapStringString({"k": "v"})
INFO = qorctl.NetworkInfoImpl()
TEXT = "x" * 100
ITEMS = ["one", "two", "three"]

KINDS = {
    "field get": lambda: RECORD.portId,
    "field set": lambda: setattr(RECORD, "portId", TEXT),
    "construct and destroy": lambda: qorctl.CdpSummary(),
    "method with a string": lambda: NAMES.append(TEXT) or NAMES.pop(),
    "sequence in": lambda: qorctl.StringVector(ITEMS),
    # Holders handed out by a list are not owned by their proxies: deleting
    # them is the caller's part.
    "holders out": lambda: [q.delete_PnicPtr(holder) for holder in INFO.GetPnics()],
    "map round trip": lambda: MAP.asdict(),
    "iterator walk": lambda: list(NAMES),
    "map walk": lambda: list(MAP),
    "holder": lambda: qorctl.PnicPtr(None).reset(),
    "failing call": fails(lambda: q.StringVector_size(TEXT), TypeError),
    "library exception": fails(lambda: INFO.GetPnicByName(TEXT), qorctl.HostCtlException),
    "overload mismatch": fails(lambda: NAMES.insert(TEXT), NotImplementedError),
}

WATCHED = [RECORD, NAMES, MAP, INFO, TEXT, ITEMS]


@pytest.mark.parametrize("call", KINDS.values(), ids=KINDS.keys())
def test_repeated_calls_leave_reference_counts_and_memory_flat(call, live):
    for _ in range(200):   # warm caches, interned names and the allocator's pools
        call()
    counts = [sys.getrefcount(obj) for obj in WATCHED]
    objects, before = live(), heap_bytes()
    for _ in range(CALLS):
        call()
    assert [sys.getrefcount(obj) for obj in WATCHED] == counts
    assert live() == objects
    # A leak of one small allocation per call shows at this count; the slack
    # covers the interpreter's own growth. An address sanitizer keeps the
    # allocator's books itself, so there only the counts tell.
    if "libasan" not in os.environ.get("LD_PRELOAD", ""):
        assert heap_bytes() - before < 32768 + 4 * CALLS
