#!/usr/bin/env python3
"""Call-overhead benchmark: the generated module against a hand-written baseline.

Usage: python3 bench/run_bench.py [--build-dir DIR] [--rounds N] [--target-ms MS] [--json]

Every row times one call through the generated module (_qorctl and the qorctl
proxy package) and the same call through _qorbench_baseline, a minimal
hand-written extension over the same library, and reports the ratio. The
candidates are interleaved within every round (in alternating order), each
round is a timeit run long enough to swamp the clock, and the figure kept for
each candidate is the minimum over the rounds, which is the least disturbed by
other load on the machine. The cost of the empty timing loop is measured the
same way and subtracted, so the figures are the cost of the call itself.

The goal is a ratio of at most 1.3 per row. The command only reports: it exits
0 whatever the figures are (non-zero only when it cannot run at all).
"""

import argparse
import gc
import json
import os
import statistics
import sys
import timeit

GOAL = 1.3

# (key, description, candidate statement, baseline statement, counts toward the goal)
ROWS = [
    ("method", "pnic.GetName()  (proxy class method)", "pnic.GetName()", "bpnic.GetName()", True),
    ("flat", "_qorctl.Pnic_GetName(pnic)", "Pnic_GetName(pnic)", "pnic_get_name(bpnic)", True),
    ("flat_proxy", "  same, given the bare proxy pnic.this", "Pnic_GetName(pnic_this)",
     "pnic_get_name(bpnic)", False),
    ("flat_tuple", "  same, baseline with an argument tuple", "Pnic_GetName(pnic)",
     "pnic_get_name_args(bpnic)", False),
    ("set_flat", "_qorctl.VMPoint_x_set(pt, 5)", "VMPoint_x_set(pt, 5)", "point_set_x(bpt, 5)", True),
    ("set_tuple", "  same, baseline with an argument tuple", "VMPoint_x_set(pt, 5)",
     "point_set_x_args(bpt, 5)", False),
    ("set_proxy", "  same, given pt.this, baseline with a tuple", "VMPoint_x_set(pt_this, 5)",
     "point_set_x_args(bpt, 5)", False),
    ("set_prop", "pt.x = 5  (property)", "pt.x = 5", "bpt.x = 5", True),
    ("new_class", "qorctl.VMPoint() and drop", "VMPoint()", "BVMPoint()", True),
    ("new_flat", "_qorctl.delete_VMPoint(_qorctl.new_VMPoint())", "delete_VMPoint(new_VMPoint())",
     "point_delete(point_create())", True),
]

EMPTY = "pass"


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--build-dir", default=os.environ.get("QORCTL_BUILD_DIR", os.path.join(here, "..", "build")),
                        help="build folder holding _qorctl, _qorbench_baseline and the qorctl package "
                             "(default: $QORCTL_BUILD_DIR or ../build)")
    parser.add_argument("--rounds", type=int, default=7, help="timing rounds per candidate (default 7)")
    parser.add_argument("--target-ms", type=float, default=40.0,
                        help="approximate length of one timing run in milliseconds (default 40)")
    parser.add_argument("--only", action="append", default=[], metavar="KEY",
                        help="time only this row (repeatable); keys: " + ", ".join(r[0] for r in ROWS))
    parser.add_argument("--json", action="store_true", help="print the figures as JSON instead of a table")
    return parser.parse_args()


def load_modules(build_dir):
    build_dir = os.path.abspath(build_dir)
    sys.path.insert(0, build_dir)
    try:
        import _qorctl
        import qorctl
        import _qorbench_baseline
    except ImportError as error:
        sys.exit("cannot import the modules from %s: %s\n(build it first; see the file's docstring)"
                 % (build_dir, error))
    return build_dir, _qorctl, qorctl, _qorbench_baseline


def make_namespace(_qorctl, qorctl, base):
    """Objects every statement runs against; methods and functions are bound to
    names beforehand so that the statements do not time module attribute lookups."""
    info = qorctl.NetworkInfoImpl()
    holder = info.GetPnicByName("nic0")
    pnic = holder.get()
    bpnic = base.make_pnic("nic0")
    pt = qorctl.VMPoint()
    bpt = base.VMPoint()
    # Both sides must agree before any figure means anything.
    assert pnic.GetName() == _qorctl.Pnic_GetName(pnic) == bpnic.GetName() == base.pnic_get_name(bpnic)
    _qorctl.VMPoint_x_set(pt, 5)
    base.point_set_x(bpt, 5)
    assert pt.x == bpt.x == 5
    return {
        "info": info, "holder": holder, "pnic": pnic, "pnic_this": pnic.this, "bpnic": bpnic,
        "pt": pt, "pt_this": pt.this, "bpt": bpt,
        "Pnic_GetName": _qorctl.Pnic_GetName, "VMPoint_x_set": _qorctl.VMPoint_x_set,
        "VMPoint": qorctl.VMPoint, "new_VMPoint": _qorctl.new_VMPoint, "delete_VMPoint": _qorctl.delete_VMPoint,
        "pnic_get_name": base.pnic_get_name, "pnic_get_name_args": base.pnic_get_name_args,
        "point_set_x": base.point_set_x, "point_set_x_args": base.point_set_x_args,
        "BVMPoint": base.VMPoint, "point_create": base.point_create, "point_delete": base.point_delete,
    }


def calibrate(timer, target_s):
    """Iterations that make one run last about `target_s`."""
    number = 1000
    while True:
        elapsed = timer.timeit(number)
        if elapsed >= target_s / 4 or number >= 1 << 26:
            break
        number *= 4
    return max(1000, int(number * target_s / max(elapsed, 1e-9)))


def measure(rows, namespace, rounds, target_s):
    statements = [EMPTY]
    for row in rows:
        for stmt in (row[2], row[3]):
            if stmt not in statements:
                statements.append(stmt)
    timers = {s: timeit.Timer(s, globals=namespace) for s in statements}
    numbers = {s: calibrate(timers[s], target_s) for s in statements}
    samples = {s: [] for s in statements}
    for r in range(rounds):
        order = statements if r % 2 == 0 else statements[::-1]
        for s in order:
            samples[s].append(timers[s].timeit(numbers[s]) / numbers[s] * 1e9)
    return samples


def summarise(rows, samples):
    empty_min = min(samples[EMPTY])
    empty_median = statistics.median(samples[EMPTY])
    results = []
    for key, label, cand, base, counted in rows:
        c_min = min(samples[cand]) - empty_min
        b_min = min(samples[base]) - empty_min
        c_med = statistics.median(samples[cand]) - empty_median
        b_med = statistics.median(samples[base]) - empty_median
        ratio = c_min / b_min if b_min > 0 else float("inf")
        results.append({
            "key": key, "label": label, "candidate": cand, "baseline": base, "goal_row": counted,
            "candidate_ns": round(c_min, 2), "baseline_ns": round(b_min, 2), "ratio": round(ratio, 3),
            "candidate_median_ns": round(c_med, 2), "baseline_median_ns": round(b_med, 2),
            "ratio_median": round(c_med / b_med, 3) if b_med > 0 else None,
            "status": ("PASS" if ratio <= GOAL else "OVER") if counted else ("(pass)" if ratio <= GOAL else "(over)"),
        })
    return {"loop_ns": round(empty_min, 2), "goal_ratio": GOAL, "rows": results}


def print_table(report, build_dir, rounds):
    print("Call overhead of the generated module against the hand-written baseline")
    print("build: %s   python %s   rounds: %d   (min over rounds; empty loop %.1f ns subtracted)"
          % (build_dir, sys.version.split()[0], rounds, report["loop_ns"]))
    print()
    header = "%-48s %10s %10s %7s %9s  %s" % ("call", "qorctl ns", "base ns", "ratio", "med.ratio", "goal <= %.1f" % GOAL)
    print(header)
    print("-" * len(header))
    for row in report["rows"]:
        print("%-48s %10.1f %10.1f %7.2f %9s  %s" % (
            row["label"], row["candidate_ns"], row["baseline_ns"], row["ratio"],
            "%.2f" % row["ratio_median"] if row["ratio_median"] is not None else "-", row["status"]))
    print()
    counted = [r for r in report["rows"] if r["goal_row"]]
    over = [r["key"] for r in counted if r["status"] == "OVER"]
    print("goal rows: %d, within goal: %d, over: %d%s" % (
        len(counted), len(counted) - len(over), len(over), (" (" + ", ".join(over) + ")") if over else ""))
    print("Indented rows break the goal row above them down; their marks are in brackets and do not count.")


def main():
    args = parse_args()
    build_dir, _qorctl, qorctl, base = load_modules(args.build_dir)
    rows = [r for r in ROWS if not args.only or r[0] in args.only]
    if not rows:
        sys.exit("no row matches --only %s" % ", ".join(args.only))
    namespace = make_namespace(_qorctl, qorctl, base)
    gc.collect()
    samples = measure(rows, namespace, max(1, args.rounds), args.target_ms / 1000.0)
    report = summarise(rows, samples)
    report.update({"build_dir": build_dir, "python": sys.version.split()[0], "rounds": args.rounds})
    if args.json:
        json.dump(report, sys.stdout, indent=2)
        print()
    else:
        print_table(report, build_dir, args.rounds)
    return 0


if __name__ == "__main__":
    sys.exit(main())
