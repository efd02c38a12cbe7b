#!/usr/bin/env python3
"""Call-overhead benchmark: the generated module beside a hand-written baseline,
nanobind and pybind11 bindings of the same library calls.

Usage: python3 bench/run_bench.py [--build-dir DIR] [--rounds N] [--target-ms MS]
                                  [--build-seconds S] [--json]

Every row times one call through the generated module (_qorctl and the qorctl
proxy package), through _qorbench_baseline (a minimal hand-written extension
over the same library), and through _qorbench_nanobind and _qorbench_pybind11
(the same calls bound with those libraries, built when the benchmark command
installed them; a column stays empty without them). All candidates run in one
process, interleaved within every round (in alternating order); each round is
a timeit run long enough to swamp the clock, and the figure kept is the minimum
over the rounds, the least disturbed by other load on the machine. The cost of
the empty timing loop is measured the same way and subtracted.

Each row's goal is a ratio of the generated module to nanobind (to the
baseline when nanobind is missing). Below the table: bytes of the stripped
module per function of its table, `import qorctl` time in a fresh
interpreter, and the clean-build time when the caller passes it. The command
only reports: it exits 0 whatever the figures are.
"""

import argparse
import compileall
import gc
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import timeit

IMPLEMENTATIONS = ["qorctl", "baseline", "nanobind", "pybind11"]
FAIL = "try:\n    {}(5)\nexcept TypeError:\n    pass"

# (key, description, goal against nanobind or None, {implementation: statement})
ROWS = [
    ("method", "pnic.GetName()  (method of a class)", 1.3,
     {"qorctl": "pnic.GetName()", "baseline": "bpnic.GetName()", "nanobind": "npnic.GetName()",
      "pybind11": "ppnic.GetName()"}),
    ("flat", "Pnic_GetName(pnic)  (module function)", 1.3,
     {"qorctl": "Pnic_GetName(pnic)", "baseline": "pnic_get_name(bpnic)", "nanobind": "n_pnic_get_name(npnic)",
      "pybind11": "p_pnic_get_name(ppnic)"}),
    ("flat_proxy", "  same, given the bare proxy pnic.this", None,
     {"qorctl": "Pnic_GetName(pnic_this)", "baseline": "pnic_get_name(bpnic)"}),
    ("flat_tuple", "  same, baseline with an argument tuple", None,
     {"qorctl": "Pnic_GetName(pnic)", "baseline": "pnic_get_name_args(bpnic)"}),
    ("set_flat", "VMPoint_x_set(pt, 5)  (field set, function)", 1.3,
     {"qorctl": "VMPoint_x_set(pt, 5)", "baseline": "point_set_x(bpt, 5)", "nanobind": "n_point_set_x(npt, 5)",
      "pybind11": "p_point_set_x(ppt, 5)"}),
    ("set_tuple", "  same, baseline with an argument tuple", None,
     {"qorctl": "VMPoint_x_set(pt, 5)", "baseline": "point_set_x_args(bpt, 5)"}),
    ("set_prop", "pt.x = 5  (field set, property)", 1.3,
     {"qorctl": "pt.x = 5", "baseline": "bpt.x = 5", "nanobind": "npt.x = 5", "pybind11": "ppt.x = 5"}),
    ("get_prop", "pt.x  (field get, property)", 1.3,
     {"qorctl": "pt.x", "baseline": "bpt.x", "nanobind": "npt.x", "pybind11": "ppt.x"}),
    # An instance of a proxy class is a Python object with a dictionary and
    # weak references, tracked by the collector, and its library object lives
    # apart behind a `this` proxy; a nanobind instance holds the object
    # inline. The row below it times the instance alone, with no library work.
    ("new_class", "VMPoint() and drop  (through the class)", 2.0,
     {"qorctl": "VMPoint()", "baseline": "BVMPoint()", "nanobind": "NVMPoint()", "pybind11": "PVMPoint()"}),
    ("new_bare", "  the instance alone: Bare(), no library object", None,
     {"qorctl": "Bare()", "baseline": "BVMPoint()", "nanobind": "NVMPoint()"}),
    ("new_flat", "  delete_VMPoint(new_VMPoint())  (flat)", None,
     {"qorctl": "delete_VMPoint(new_VMPoint())", "baseline": "point_delete(point_create())"}),
    ("fail", "Pnic_GetName(5), TypeError caught", 0.5,
     {"qorctl": FAIL.format("Pnic_GetName"), "baseline": FAIL.format("pnic_get_name"),
      "nanobind": FAIL.format("n_pnic_get_name"), "pybind11": FAIL.format("p_pnic_get_name")}),
]

EMPTY = "pass"


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--build-dir", default=os.environ.get("QORCTL_BUILD_DIR", os.path.join(here, "..", "build")),
                        help="build folder holding _qorctl, the benchmark modules and the qorctl package "
                             "(default: $QORCTL_BUILD_DIR or ../build)")
    parser.add_argument("--rounds", type=int, default=7, help="timing rounds per candidate (default 7)")
    parser.add_argument("--target-ms", type=float, default=40.0,
                        help="approximate length of one timing run in milliseconds (default 40)")
    parser.add_argument("--build-seconds", type=float, help="the clean build's time, to print with the figures")
    parser.add_argument("--only", action="append", default=[], metavar="KEY",
                        help="time only this row (repeatable); keys: " + ", ".join(r[0] for r in ROWS))
    parser.add_argument("--json", action="store_true", help="print the figures as JSON instead of a table")
    return parser.parse_args()


def load_modules(build_dir):
    """The generated module and package, the baseline, and whichever of the
    two binding libraries' modules were built."""
    build_dir = os.path.abspath(build_dir)
    sys.path.insert(0, build_dir)
    try:
        import _qorctl
        import qorctl
        import _qorbench_baseline
    except ImportError as error:
        sys.exit("cannot import the modules from %s: %s\n(build it first; see the file's docstring)"
                 % (build_dir, error))
    peers = {}
    for name in ("nanobind", "pybind11"):
        try:
            peers[name] = __import__("_qorbench_" + name)
        except ImportError:
            pass
    return build_dir, _qorctl, qorctl, _qorbench_baseline, peers


def bare_proxy_class(qorctl):
    """A proxy class called the way VMPoint is, whose constructor makes no
    library object: the instance's `this` is what `gc.isenabled()` gives, a
    bool the interpreter keeps."""
    from qorctl import _binding

    class Bare(qorctl._Proxy):
        __init__ = _binding.initializer(gc.isenabled)

    return _binding.direct_calls(Bare)


def make_namespace(_qorctl, qorctl, base, peers):
    """Objects every statement runs against; methods and functions are bound to
    names beforehand so that the statements do not time module attribute lookups."""
    info = qorctl.NetworkInfoImpl()
    holder = info.GetPnicByName("nic0")
    pnic = holder.get()
    bpnic = base.make_pnic("nic0")
    pt = qorctl.VMPoint()
    bpt = base.VMPoint()
    # Every side must agree before any figure means anything.
    assert pnic.GetName() == _qorctl.Pnic_GetName(pnic) == bpnic.GetName() == base.pnic_get_name(bpnic)
    _qorctl.VMPoint_x_set(pt, 5)
    base.point_set_x(bpt, 5)
    assert pt.x == bpt.x == 5
    namespace = {
        "Bare": bare_proxy_class(qorctl),
        "info": info, "holder": holder, "pnic": pnic, "pnic_this": pnic.this, "bpnic": bpnic,
        "pt": pt, "pt_this": pt.this, "bpt": bpt,
        "Pnic_GetName": _qorctl.Pnic_GetName, "VMPoint_x_set": _qorctl.VMPoint_x_set,
        "VMPoint": qorctl.VMPoint, "new_VMPoint": _qorctl.new_VMPoint, "delete_VMPoint": _qorctl.delete_VMPoint,
        "pnic_get_name": base.pnic_get_name, "pnic_get_name_args": base.pnic_get_name_args,
        "point_set_x": base.point_set_x, "point_set_x_args": base.point_set_x_args,
        "BVMPoint": base.VMPoint, "point_create": base.point_create, "point_delete": base.point_delete,
    }
    for name, module in peers.items():
        p = name[0]
        peer_pnic, peer_pt = module.make_pnic("nic0"), module.VMPoint()
        module.point_set_x(peer_pt, 5)
        assert peer_pnic.GetName() == pnic.GetName() and peer_pt.x == 5
        namespace.update({p + "pnic": peer_pnic, p + "pt": peer_pt, p + "_pnic_get_name": module.pnic_get_name,
                          p + "_point_set_x": module.point_set_x, p.upper() + "VMPoint": module.VMPoint})
    return namespace


def calibrate(timer, target_s):
    """Iterations that make one run last about `target_s`."""
    number = 1000
    while True:
        elapsed = timer.timeit(number)
        if elapsed >= target_s / 4 or number >= 1 << 26:
            break
        number *= 4
    return max(1000, int(number * target_s / max(elapsed, 1e-9)))


def measure(statements, namespace, rounds, target_s):
    statements = [EMPTY] + statements
    timers = {s: timeit.Timer(s, globals=namespace) for s in statements}
    numbers = {s: calibrate(timers[s], target_s) for s in statements}
    samples = {s: [] for s in statements}
    for r in range(rounds):
        order = statements if r % 2 == 0 else statements[::-1]
        for s in order:
            samples[s].append(timers[s].timeit(numbers[s]) / numbers[s] * 1e9)
    return samples


def summarise(rows, samples):
    empty = min(samples[EMPTY])
    results = []
    for key, label, goal, statements in rows:
        ns = {impl: round(min(samples[stmt]) - empty, 2) for impl, stmt in statements.items() if stmt in samples}
        yardstick = "nanobind" if "nanobind" in ns else "baseline"
        ratio = ns["qorctl"] / ns[yardstick] if ns.get(yardstick, 0) > 0 else float("inf")
        status = "" if goal is None else ("PASS" if ratio <= goal else "OVER")
        results.append({"key": key, "label": label, "ns": ns, "goal": goal, "against": yardstick,
                        "ratio": round(ratio, 3), "status": status})
    return {"loop_ns": round(empty, 2), "rows": results}


def module_bytes_per_function(_qorctl):
    """Bytes of the stripped module per function of its table (None without strip)."""
    strip = shutil.which("strip")
    if not strip:
        return None
    with tempfile.TemporaryDirectory() as folder:
        stripped = os.path.join(folder, "module.so")
        subprocess.run([strip, "-o", stripped, _qorctl.__file__], check=True)
        size = os.path.getsize(stripped)
    functions = sum(1 for value in vars(_qorctl).values() if type(value).__name__ == "builtin_function_or_method")
    return {"bytes": size, "functions": functions, "per_function": round(size / functions, 1)}


def import_ms(build_dir, runs=7):
    """`import qorctl` in a fresh interpreter, best of `runs`, in milliseconds,
    with the package compiled as an installation compiles it."""
    compileall.compile_dir(os.path.join(build_dir, "qorctl"), quiet=1)
    code = "import time; t = time.perf_counter(); import qorctl; print(time.perf_counter() - t)"
    env = dict(os.environ, PYTHONPATH=build_dir)
    times = [float(subprocess.run([sys.executable, "-c", code], env=env, check=True, capture_output=True,
                                  text=True).stdout) for _ in range(runs)]
    return round(min(times) * 1000, 2)


def print_table(report):
    print("Call cost of the generated module beside a hand-written baseline, nanobind and pybind11")
    print("build: %s   python %s   rounds: %d   (min over rounds; empty loop %.1f ns subtracted)"
          % (report["build_dir"], report["python"], report["rounds"], report["loop_ns"]))
    print()
    header = "%-46s" % "call" + "".join("%10s" % impl for impl in IMPLEMENTATIONS) + "   ratio  goal"
    print(header + "\n" + "-" * len(header))
    for row in report["rows"]:
        cells = "".join("%10.1f" % row["ns"][impl] if impl in row["ns"] else "%10s" % "-" for impl in IMPLEMENTATIONS)
        goal = "" if row["goal"] is None else "<= %.1f x %s %s" % (row["goal"], row["against"], row["status"])
        print("%-46s%s %7.2f  %s" % (row["label"], cells, row["ratio"], goal))
    print()
    print("ns per call; ratio = qorctl / nanobind (or / baseline where nanobind is missing); "
          "indented rows have no goal.")
    size = report["module"]
    if size:
        print("module: %d bytes stripped, %d functions, %.0f bytes per function"
              % (size["bytes"], size["functions"], size["per_function"]))
    print("import qorctl: %.1f ms (package compiled, fresh interpreter, best of 7)" % report["import_ms"])
    if report.get("build_seconds") is not None:
        print("clean build: %.0f s" % report["build_seconds"])


def main():
    args = parse_args()
    build_dir, _qorctl, qorctl, base, peers = load_modules(args.build_dir)
    rows = [(key, label, goal, {impl: stmt for impl, stmt in statements.items()
                                if impl in ("qorctl", "baseline") or impl in peers})
            for key, label, goal, statements in ROWS if not args.only or key in args.only]
    if not rows:
        sys.exit("no row matches --only %s" % ", ".join(args.only))
    namespace = make_namespace(_qorctl, qorctl, base, peers)
    statements = list(dict.fromkeys(stmt for row in rows for stmt in row[3].values()))
    gc.collect()
    samples = measure(statements, namespace, max(1, args.rounds), args.target_ms / 1000.0)
    report = summarise(rows, samples)
    report.update({"build_dir": build_dir, "python": sys.version.split()[0], "rounds": args.rounds,
                   "module": module_bytes_per_function(_qorctl), "import_ms": import_ms(build_dir),
                   "build_seconds": args.build_seconds})
    if args.json:
        json.dump(report, sys.stdout, indent=2)
        print()
    else:
        print_table(report)
    return 0


if __name__ == "__main__":
    sys.exit(main())
