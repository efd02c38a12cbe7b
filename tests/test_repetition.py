"""Repeated calls leave their arguments' reference counts and the process's
memory where they were: nothing a call takes or makes may stay behind. A
quick run is part of the suite; `tools/run soak` runs a million calls of
each kind."""

import os
import sys

import pytest

import _qorctl as q
import qorctl

CALLS = int(os.environ.get("QORCTL_REPEAT_CALLS", "3000"))


def resident_kib():
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE") // 1024


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
    objects, before = live(), resident_kib()
    for _ in range(CALLS):
        call()
    assert [sys.getrefcount(obj) for obj in WATCHED] == counts
    assert live() == objects
    # A leak of a single small allocation per call shows at this count; the
    # slack covers the interpreter's own growth.
    assert resident_kib() - before < 64 + CALLS // 100
