"""Calls every function of _qorctl with hostile arguments, in a subprocess.

Nothing may crash the interpreter, raise SystemError, or return a value with an
exception pending (CPython reports the last two as SystemError too). The list of
functions is read from the module itself, so new functions are swept as soon as
they exist. What the sweep leaves out, and why, is in the rules of SWEEP.
"""

import json
import os
import re
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

import pytest

SWEEP = r'''
import json, os, re, sys, time
import _qorctl as q, _qorctl_peer as peer

# QORCTL_SWEEP_ONLY (a regular expression) narrows the sweep to the functions
# whose names it finds, for a quick look at one area while it is being built.
ONLY = re.compile(os.environ.get("QORCTL_SWEEP_ONLY", ""))
FUNCTIONS = [name for name, f in vars(q).items()
             if type(f).__name__ == "builtin_function_or_method" and ONLY.search(name)]
REGISTER = re.compile(r"^(\w+)_swigregister$")
# Rule 1: <Class>_swigregister is given only a fresh dummy class (phase 2);
# hostile objects would replace the real registrations for good.
SWEPT = [name for name in FUNCTIONS if not REGISTER.match(name)]

# Rule 2: functions that take ownership of a pointer without disowning its
# proxy (holder constructors and reset, by the library's own contract) never
# get a live object, or the object would be destroyed twice.
TAKES_POINTER = re.compile(r"^new_\w+Ptr$|^\w+Ptr_reset$")
# Rule 3: destructors get live objects only when Python owns them; deleting a
# borrowed object is the caller's error that no runtime can detect.
DESTRUCTOR = re.compile(r"^delete_")
# Rule 4: operations that size a container get no huge positive counts, which
# would allocate gigabytes rather than fail.
SIZES = re.compile(r"(_resize|_reserve|_assign|_insert|___init__)$|^new_\w*(Vector|Set|Map|List)")
HUGE = 2**16


class IntSub(int):
    pass


class StrSub(str):
    pass


class RaisingThis:
    @property
    def this(self):
        raise ZeroDivisionError("no proxy here")


class LoopingThis:
    @property
    def this(self):
        return self


class IntThis:
    this = 5


class FreshThis:
    """A `this` made afresh on each read and referenced by nobody else."""
    @property
    def this(self):
        return peer.make("gadget")


class BadNumber:
    def __index__(self):
        raise ZeroDivisionError("no number here")
    __int__ = __float__ = __index__


CURRENT = ["", ()]  # the function being called and its arguments


def wreck_first_argument(delete):
    """Empties the current call's first argument when it is a container, or
    deletes it when Python owns it and `delete` is set: what Python code that
    runs while a later argument converts may do."""
    name, args = CURRENT
    cls = name.split("_")[0]
    if not args or not is_proxy(args[0]) or name.startswith(("new_", "delete_")):
        return
    if delete and owned(args[0]) and hasattr(q, "delete_" + cls):
        getattr(q, "delete_" + cls)(args[0])
    elif hasattr(q, cls + "_clear"):
        getattr(q, cls + "_clear")(args[0])


class WreckingNumber:
    """A slice bound whose __index__ wrecks the first argument first."""
    def __init__(self, delete):
        self.delete = delete

    def __index__(self):
        wreck_first_argument(self.delete)
        return 1


class WreckingSequence(list):
    """A sequence that wrecks the first argument while it is read, and claims
    more items than it holds."""
    def __len__(self):
        wreck_first_argument(False)
        return 3


class WreckingDict(dict):
    def items(self):
        wreck_first_argument(True)
        return super().items()


class RaisingLength:
    def __len__(self):
        raise ZeroDivisionError("no length here")

    def __getitem__(self, index):
        raise ZeroDivisionError("no items here")


class RaisingEquality:
    def __eq__(self, other):
        raise ZeroDivisionError("no equality here")

    __hash__ = object.__hash__


deleted = q.new_VMPoint()
q.delete_VMPoint(deleted)
INTS = [-2**63 - 1, -2**63, -2**31 - 1, -2**31, -1, 0, 1, 255, 65536, 2**31 - 1, 2**31, 2**32, 2**63 - 1,
        2**63, 2**64, IntSub(2**70)]
HOSTILE = [None] + INTS + [
    True, False, 0.0, -1.5, float("nan"), float("inf"), b"", b"nic0\xff", "\udcff", "", "nic0", "a\0b",
    StrSub("nic0"), object(), [], (), {}, [None], ["nic0", 2**64], ("nic0",), {"a": "b"}, {1: None},
    RaisingThis(), LoopingThis(), IntThis(), FreshThis(), BadNumber(), deleted,
    slice(None, None, WreckingNumber(False)), slice(WreckingNumber(True), None, -1), slice(None, BadNumber()),
    WreckingSequence(["nic0"]), WreckingDict({"a": "b"}), RaisingLength(), RaisingEquality(),
    peer.make("gadget"), peer.make("beta"),
]
FILLERS = [None, 0, "nic0", True]
ARG_ONE = "argument 1 of type"


def is_proxy(obj):
    return type(obj).__name__ == "SwigPyObject" or type(getattr(obj, "this", None)).__name__ == "SwigPyObject"


def owned(obj):
    proxy = obj if type(obj).__name__ == "SwigPyObject" else obj.this
    return proxy.own()


failures = []
calls = 0
called = set()
POSITIONAL = {}


def positional(function, args):
    """Calls `function` with `args` written out one by one, as a script's call
    passes them (an argument vector), rather than unpacked from a tuple."""
    count = len(args)
    if count not in POSITIONAL:
        names = ", ".join("a%d" % i for i in range(count))
        POSITIONAL[count] = eval("lambda f%s: f(%s)" % (", " + names if count else "", names))
    return POSITIONAL[count](function, *args)


def call(name, args):
    """Calls one function, alternately through each way its arguments can
    arrive; returns (result, exception)."""
    global calls
    calls += 1
    called.add(name)
    CURRENT[:] = [name, args]
    function = getattr(q, name)
    try:
        return (positional(function, args) if calls % 2 else function(*args)), None
    except SystemError as error:
        failures.append("%s%r: SystemError: %s" % (name, args, error))
        return None, error
    except BaseException as error:  # every other exception is a sound answer
        return None, error


class Made:
    """A live object and how to make it again."""
    def __init__(self, make):
        self.make = make
        self.object = make()

    def renewed(self):
        """The object, made afresh if a call before deleted it."""
        if not alive(self.object):
            self.object = self.make()
        return self.object


def alive(obj):
    """False once the object behind the proxy was deleted (its address reads 0)."""
    proxy = obj if type(obj).__name__ == "SwigPyObject" else getattr(obj, "this", None)
    return proxy is not None and int(proxy) != 0


def made_by(name, args):
    return lambda: call(name, args)[0]


def valid_objects():
    """Live objects made by every constructor that accepts one of a few
    simple argument lists, plus the proxies that argument-less functions
    return and the holders the network information object hands out."""
    made = []
    for name in FUNCTIONS:
        if name.startswith("new_"):
            for args in [(), ("nic0",), (None,)]:
                result, error = call(name, args)
                if error is None:
                    made.append(Made(made_by(name, args)))
                    break
    for name in ARGLESS:
        result, error = call(name, ())
        if error is None and is_proxy(result):
            made.append(Made(made_by(name, ())))
    if "new_NetworkInfoImpl" in FUNCTIONS:
        info = Made(made_by("new_NetworkInfoImpl", ()))
        made.append(info)
        made.append(Made(lambda: q.NetworkInfo_GetPnics(info.renewed())[0]))
        made.append(Made(lambda: q.PnicPtr_get(q.NetworkInfo_GetPnics(info.renewed())[1])))
    return made


def renewed(made):
    """The sweep's objects for the next function. Making every object afresh
    for each function would cost as many calls as the table has constructors;
    only those a call deleted are made again, as they were first made."""
    return [m.renewed() for m in made]


def arities(name):
    """The argument counts worth trying: the exact count the parser names,
    0 for a function that accepts none, else the counts its overload
    prototypes allow (with and without the object)."""
    result, error = call(name, ())
    if error is None:
        return [0]
    text = str(error)
    exact = re.search(r"takes exactly (\d+) argument", text)
    if isinstance(error, TypeError) and exact:
        return [int(exact.group(1))]
    counts = set()
    for line in text.splitlines():
        line = line.strip()
        if line.endswith(")") and "(" in line:
            inner = line[line.index("(") + 1:-1]
            depth, params = 0, 1 if inner.strip() else 0
            for ch in inner:
                depth += ch in "<(" and 1 or ch in ">)" and -1 or 0
                params += ch == "," and depth == 0
            counts.update({params, params + 1})
    return sorted(counts - {0}) or list(range(1, 7))


def sweep_function(name, objects):
    started = time.perf_counter()
    counts = arities(name)
    if counts == [0]:
        counts = [0, 1, 2]
    top = max(counts)
    for args in [(None,) * (top + 1), (0,) * (top + 1), ("nic0",) * (top + 1)]:
        call(name, args)
    sizes = bool(SIZES.search(name))
    hostile = [v for v in HOSTILE if not (sizes and isinstance(v, int) and v > HUGE)]
    for n in counts:
        if n == 0:
            continue
        for v in hostile:
            call(name, (v,) + (None,) * (n - 1))
            call(name, (v,) * n)
        candidates = [] if TAKES_POINTER.match(name) else list(objects)
        if DESTRUCTOR.match(name):
            candidates = [obj for obj in candidates if owned(obj)]
        candidates += FILLERS
        for first in candidates:
            answers = [call(name, (first,) + (filler,) * (n - 1))[1] for filler in FILLERS]
            if all(e is not None and (isinstance(e, NotImplementedError) or ARG_ONE in str(e)) for e in answers):
                continue  # `first` does not convert: the hostile part above covered it
            for i in range(1, n):
                for v in hostile:
                    for filler in FILLERS:
                        args = [filler] * n
                        args[0], args[i] = first, v
                        call(name, tuple(args))
    return time.perf_counter() - started


def sweep(phase, start):
    timings = []
    made = valid_objects()
    for index in range(start, len(SWEPT)):
        name = SWEPT[index]
        sys.stderr.write("at %d %s\n" % (index, name))
        sys.stderr.flush()
        timings.append((sweep_function(name, renewed(made)), name))
    return sorted(timings)[-5:]


report_path, phase, start = sys.argv[1], sys.argv[2], int(sys.argv[3])
ARGLESS = [name for name in SWEPT if not name.startswith(("new_", "delete_")) and arities(name) == [0]]

if phase == "registered":
    # Every class registered (a fresh dummy exception class each, with the
    # class's destructor), so results come back as instances.
    for name in FUNCTIONS:
        match = REGISTER.match(name)
        if match:
            for args in [(), (None, None)]:
                call(name, args)
            attributes = {}
            if hasattr(q, "delete_" + match.group(1)):
                attributes["__swig_destroy__"] = getattr(q, "delete_" + match.group(1))
            call(name, (type(match.group(1), (Exception,), attributes),))

slowest = sweep(phase, start)
with open(report_path, "w") as report:
    json.dump({"called": sorted(called), "calls": calls, "failures": failures[:50], "slowest": slowest}, report)
'''


# How long one sweep process may take: it grows with the function table, and
# a loaded or emulated machine needs far longer.
SWEEP_SECONDS = int(os.environ.get("QORCTL_SWEEP_SECONDS", "900"))


def run_sweep(build_dir, model, report, phase, start):
    """Sweeps from function `start` on; returns (index and name of the function
    the interpreter died in, its last words), or (None, None, "")."""
    env = dict(os.environ, PYTHONPATH=str(build_dir), PYTHONFAULTHANDLER="1", QORCTL_SIM_HOST=str(model))
    result = subprocess.run([sys.executable, "-c", SWEEP, str(report), phase, str(start)], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, timeout=SWEEP_SECONDS)
    if result.returncode == 0:
        return None, None, ""
    progress = re.findall(r"^at (\d+) (\w+)$", result.stderr, re.M)
    if not progress:
        pytest.fail(f"sweep failed before its first function:\n{result.stderr[-3000:]}")
    index, name = progress[-1]
    return int(index), name, f"status {result.returncode}"


PHASES = ["bare", "registered"]


def sweep_phase(build_dir, folder, phase):
    """Sweeps the whole table in one phase; returns the functions the
    interpreter died in (with their last words) and the sweep's report."""
    folder.mkdir()
    # A private copy of the built-in host: calls that succeed may change it.
    model = folder / "sweep.model"
    model.write_text(built_in_model())
    report = folder / "report.json"
    crashes, start = {}, 0
    while True:  # after a crash, go on with the next function to find every one
        index, name, last_words = run_sweep(build_dir, model, report, phase, start)
        if index is None:
            break
        crashes[name] = last_words
        start = index + 1
    return crashes, json.loads(report.read_text())


@pytest.fixture(scope="module")
def sweeps(build_dir, tmp_path_factory):
    """Both phases at once, one process each, so that on two cores the sweep
    takes as long as one phase."""
    root = tmp_path_factory.mktemp("sweep")
    with ThreadPoolExecutor(len(PHASES)) as pool:
        running = {phase: pool.submit(sweep_phase, build_dir, root / phase, phase) for phase in PHASES}
        return {phase: future.result() for phase, future in running.items()}


@pytest.mark.parametrize("phase", PHASES)
def test_every_function_survives_hostile_arguments(build_dir, sweeps, phase, capsys):
    crashes, outcome = sweeps[phase]
    assert crashes == {}
    assert outcome["failures"] == []
    # Every function of the table was called; the registrations only in the phase that registers classes.
    only = re.compile(os.environ.get("QORCTL_SWEEP_ONLY", ""))
    table = [name for name in table_names(build_dir) if only.search(name)]
    expected = table if phase == "registered" else [name for name in table if not name.endswith("_swigregister")]
    assert len(outcome["called"]) == len(expected) and outcome["called"] == sorted(expected)
    with capsys.disabled():
        print("\n%s sweep: %d functions, %d calls" % (phase, len(outcome["called"]), outcome["calls"]))


def built_in_model():
    """The built-in host's model text: the raw strings of its parts, in the
    order the model header includes them."""
    core = Path(__file__).resolve().parent.parent / "hostctl" / "core"
    parts = re.findall(r'^#include "(default_host/\w+\.inc)"', (core / "default_host.h").read_text(), re.M)
    return "".join(re.search(r'R"\((.*)\)"', (core / part).read_text(), re.S).group(1) for part in parts)


def table_names(build_dir):
    """The names of the module's function table, as the build generated it
    (a name given twice would appear twice here but only once in the module)."""
    text = (build_dir / "gen" / "qorctl_functions.cpp").read_text()
    table = text[text.index("function_table[]"):text.index("vector_table[]")]
    return re.findall(r'^\s*\{"(\w+)", ', table, re.M)
