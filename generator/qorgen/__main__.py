"""Generates the module, the stand-in library's declarations and behaviour,
and the Python proxy package from the library declarations.

    python -m qorgen --out DIR --areas core,network,... FILE.qd ...

Files are rewritten only when their text changes, so a build after an edit
recompiles only what the edit touched.
"""

import argparse
import os
import sys

from . import emit_module, emit_python, emit_stubs, emit_values
from .decl import DeclError, read_files
from .emit_behaviour import BehaviourWriter
from .emit_headers import HeaderWriter
from .includes import NameIndex
from .library_model import LibraryModel
from .model import Model

# The stand-in library's hand-written headers.
HAND_WRITTEN = os.path.join(os.path.dirname(__file__), "..", "..", "hostctl", "include")


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if os.path.exists(path):
        with open(path, encoding="utf-8") as handle:
            if handle.read() == text:
                return
    with open(path, "w", encoding="utf-8") as handle:
        handle.write(text)


def generate(out, areas, paths):
    library = read_files(paths)
    model = Model(library)
    classes = LibraryModel(model)
    names = NameIndex(classes)
    behaviour = BehaviourWriter(classes, names)
    headers = HeaderWriter(classes, names).headers()
    for path, text in headers.items():
        write(os.path.join(out, "include", path), text)
    for path in library.headers:
        # Every header a declaration names is included, so one left without
        # declarations is still written (and not left stale from an earlier run).
        if path not in headers and not os.path.exists(os.path.join(HAND_WRITTEN, path)):
            write(os.path.join(out, "include", path), "// Generated: library declarations (none here).\n"
                                                      "#pragma once\n")
    for area in areas:
        write(os.path.join(out, "lib_%s.cpp" % area), behaviour.source(area))
    for path, text in emit_module.wrapper_sources(model, names, areas).items():
        write(os.path.join(out, path), text)
    write(os.path.join(out, "qorctl_types.cpp"), emit_module.types_source(model, names))
    write(os.path.join(out, "qorctl_wrappers.h"), emit_module.wrappers_header(model))
    write(os.path.join(out, "qorctl_functions.cpp"), emit_module.function_table(model))
    write(os.path.join(out, "qorctl_values.cpp"), emit_values.values_source(model, names))
    write(os.path.join(out, "lib_values.cpp"), behaviour.values_source())
    package = os.path.join(out, "python", "qorctl")
    write(os.path.join(package, "__init__.py"), emit_python.package_source(model))
    write(os.path.join(package, "_docs.py"), emit_python.docs_source(model))
    write(os.path.join(package, "__init__.pyi"), emit_stubs.stub_source(model))
    write(os.path.join(package, "py.typed"), "")
    return model


def main(argv=None):
    parser = argparse.ArgumentParser(prog="qorgen", description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="folder for the generated files")
    parser.add_argument("--areas", required=True, help="comma-separated API areas, in interface order")
    parser.add_argument("decls", nargs="+", help="declaration files, in interface order")
    args = parser.parse_args(argv)
    try:
        model = generate(args.out, args.areas.split(","), args.decls)
    except DeclError as error:
        print("qorgen: %s" % error, file=sys.stderr)
        return 1
    print("qorgen: %d functions, %d type records" % (len(model.entries) + 1, len(model.records)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
