#!/usr/bin/env python3
"""Container-conversion benchmark: memory stays flat, time per element.

Usage: python3 bench/containers.py [--build-dir DIR] [--size N] [--rounds N]

Each round hands a list of N strings to the NTP agent's server list (a
`std::vector<std::string> const &` argument: the list is copied into a
temporary vector) and reads it back (a vector result: a new tuple of N str).
The resident set size is printed after a warm-up and after all rounds; a
conversion that lost its temporaries would grow it by about N times the
rounds times the size of a string. When the test-only module is built, the
same round trip is timed again without the library call (conversions only).
The command only reports and exits 0.
"""

import argparse
import gc
import os
import sys
import time


def rss_kib():
    """Resident set size of this process, from /proc (Linux)."""
    with open("/proc/self/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return -1


def timed_rounds(rounds, call):
    """Seconds taken by `rounds` calls, with the RSS in KiB before and after."""
    gc.collect()
    before = rss_kib()
    start = time.perf_counter()
    for _ in range(rounds):
        call()
    elapsed = time.perf_counter() - start
    gc.collect()
    return elapsed, before, rss_kib()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default=os.path.join(here, os.pardir, "build"))
    parser.add_argument("--size", type=int, default=10_000)
    parser.add_argument("--rounds", type=int, default=1_000)
    args = parser.parse_args()
    sys.path.insert(0, os.path.abspath(args.build_dir))
    import qorctl

    agent = qorctl.NtpAgentConfigImpl()
    names = ["server-%05d.example" % i for i in range(args.size)]
    for _ in range(10):  # warm-up: allocator pools and interned objects settle
        agent.SetServers(names)
        back = agent.GetServers()
    assert list(back) == names
    del back
    elements = args.size * args.rounds

    def report(title, measured):
        elapsed, before, after = measured
        print(title)
        print("  RSS before: %d KiB, after: %d KiB, change: %+d KiB" % (before, after, after - before))
        print("  %.2f s in all, %.1f ns per element" % (elapsed, elapsed / elements * 1e9))

    def through_library():
        agent.SetServers(names)
        agent.GetServers()

    print("%d rounds of %d strings to a vector argument and back" % (args.rounds, args.size))
    report("through the library (the simulated host stores the list as text):",
           timed_rounds(args.rounds, through_library))
    try:
        import _qorctl_peer
    except ImportError:
        return 0
    report("conversions only (test-only module):",
           timed_rounds(args.rounds, lambda: _qorctl_peer.convert("strings", names)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
