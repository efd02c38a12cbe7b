"""python -m qorctl: the host's inventory, grouped by area.

Reads the host through the library (the simulated host off-host, or the
model file QORCTL_SIM_HOST names) and prints a tree, a JSON document
(--json) or a model file of what it read (--model). The exit status is 0
when every value could be read, 1 when the library failed on any of them
(each failure is shown where the value would be), 2 for bad usage or a host
that cannot be loaded.
"""

import argparse
import json
import os
import sys

import qorctl

from . import inventory

EPILOG = """\
areas: %s

The simulated host serves the built-in model unless QORCTL_SIM_HOST names a
model file; a file written by --model can be named there to develop and test
scripts against a captured host anywhere.
""" % ", ".join(inventory.AREAS)


def parse_args(argv):
    parser = argparse.ArgumentParser(
        prog="python -m qorctl", description="Show the host's network, storage, hardware and system "
                                              "as a tree, grouped by area.", epilog=EPILOG,
        formatter_class=argparse.RawDescriptionHelpFormatter)
    output = parser.add_mutually_exclusive_group()
    output.add_argument("--json", action="store_true",
                        help="print one JSON document with a key per area instead of the tree")
    output.add_argument("--model", metavar="FILE", nargs="?", const="-",
                        help="write what the inventory reads as a simulated-host model file "
                             "(to FILE, or to standard output)")
    parser.add_argument("--area", metavar="NAME", action="append", choices=list(inventory.AREAS),
                        help="show only this area (repeat for several); one of %(choices)s")
    parser.add_argument("--service", metavar="NAME", action="append",
                        help="a service to look up (repeat for several; default: %s)"
                             % ", ".join(inventory.SERVICES))
    return parser.parse_args(argv)


class Progress:
    """What the walk is reading, on one line of a terminal's standard
    error; nothing when standard error is not a terminal."""

    def __init__(self, stream):
        self.stream = stream if stream.isatty() else None
        self.where, self.count = "", 0

    def part(self, area, part):
        self.where, self.count = "%s: %s" % (area, part), 0
        self.show()

    def step(self):
        self.count += 1
        if self.count % 10 == 0:
            self.show()

    def show(self):
        if self.stream:
            self.stream.write("\r\033[Kreading %s%s" % (self.where, " (%d)" % self.count if self.count else ""))
            self.stream.flush()

    def done(self):
        if self.stream:
            self.stream.write("\r\033[K")
            self.stream.flush()


# ---- the tree for people ------------------------------------------------------------


def text_value(value):
    if isinstance(value, inventory.Failed):
        return "FAILED: %s" % value.message
    if isinstance(value, bool):
        return "yes" if value else "no"
    if value is None or value == "":
        return "-"
    if isinstance(value, list):
        return "; ".join(text_value(item) for item in value) or "-"
    if isinstance(value, dict):
        return " ".join("%s %s" % (key, text_value(item)) for key, item in value.items())
    return str(value)


def is_list(value):
    return isinstance(value, list) and all(isinstance(item, dict) and "name" in item for item in value)


def names_only(value):
    """A list of items that have nothing but a name (a NUMA node's cpus)."""
    return is_list(value) and all(len(item) == 1 for item in value)


def tree_lines(label, value, indent):
    """The lines of one labelled value: a list of items, a group of values,
    a part not available, or one value."""
    pad = "  " * indent
    if isinstance(value, inventory.Unavailable):
        return ["%s%s: not available in this build (%s)" % (pad, label, value.missing)]
    if is_list(value):
        lines = ["%s%s" % (pad, label) + ("" if value else ": none")]
        for item in value:
            lines += item_lines(item, indent + 1)
        return lines
    if isinstance(value, dict):
        lines = ["%s%s" % (pad, label)]
        for key, item in value.items():
            lines += tree_lines(key, item, indent + 1)
        return lines
    return ["%s%s: %s" % (pad, label, text_value(value))]


def item_lines(item, indent):
    """An item on one line (its name, then its values), its lists below it."""
    nested = [key for key, value in item.items() if is_list(value) and value and not names_only(value)]
    values = ["%s %s" % (key, ", ".join(sub["name"] for sub in value) if names_only(value) else text_value(value))
              for key, value in item.items() if key != "name" and key not in nested]
    lines = ["%s%s" % ("  " * indent, item["name"] or "-") + (": " + ", ".join(values) if values else "")]
    for key in nested:
        lines += tree_lines(key, item[key], indent + 1)
    return lines


# ---- the JSON document ----------------------------------------------------------------


def json_value(value):
    if isinstance(value, inventory.Failed):
        return {"error": value.message}
    if isinstance(value, inventory.Unavailable):
        return {"unavailable": "not available in this build", "missing": value.missing}
    if isinstance(value, list):
        return [json_value(item) for item in value]
    if isinstance(value, dict):
        return {key.replace(" ", "_"): json_value(item) for key, item in value.items()}
    return value


# ---- running it -------------------------------------------------------------------------


def load_host():
    """Reads the host's model now, so that a model file that cannot be read
    or parsed is reported once, before anything is shown."""
    try:
        qorctl.QorCtlObject.Init()
    except qorctl.HostCtlException as error:
        print("python -m qorctl: cannot load the host: %s" % error, file=sys.stderr)
        raise SystemExit(2)


def write_output(text, path):
    if path in (None, "-"):
        sys.stdout.write(text)
        sys.stdout.flush()
    else:
        with open(path, "w", encoding="utf-8") as handle:
            handle.write(text)


def run(argv):
    args = parse_args(argv)
    load_host()
    progress = Progress(sys.stderr)
    names = {"services": args.service} if args.service else None
    walk = inventory.Walk(progress=progress.step, names=names)
    areas = args.area or list(inventory.AREAS)
    try:
        tree = {area: walk.area(area, progress.part) for area in inventory.AREAS if area in areas}
    finally:
        progress.done()
    if args.model:
        try:
            write_output(walk.capture.text(), args.model)
        except OSError as error:
            print("python -m qorctl: cannot write the model file: %s" % error, file=sys.stderr)
            return 2
        for left_out in walk.capture.left_out:
            print("python -m qorctl: not in the model file (no text form): %s" % left_out, file=sys.stderr)
    elif args.json:
        write_output(json.dumps(json_value(tree), indent=2) + "\n", None)
    else:
        lines = []
        for area, parts in tree.items():
            lines.append(area)
            for label, value in parts.items():
                lines += tree_lines(label, value, 1)
        write_output("\n".join(lines) + "\n", None)
    return 1 if walk.failures else 0


def main(argv=None):
    try:
        return run(sys.argv[1:] if argv is None else argv)
    except BrokenPipeError:
        # The reader went away (`| head`): say nothing more, and keep the
        # interpreter from complaining as it flushes at exit.
        os.dup2(os.open(os.devnull, os.O_WRONLY), sys.stdout.fileno())
        return 0


if __name__ == "__main__":
    sys.exit(main())
