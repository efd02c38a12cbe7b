"""Writes the type stubs of the Python package `qorctl` (`__init__.pyi`):
each proxy class with its methods, constructors and fields in Python types,
overloads as `typing.overload`.

The flat functions take their arguments by position only. A library object
is its proxy class, a record or container the library lends may be None, a
list of owning pointers is a tuple of holders; what the declarations do not
say in Python terms is `Any`.
"""

from . import ctype
from .decl import Class
from .emit_python import bases_first, entries_by_class, loose, python_bases
from .model import Function, Model
from .typemodel import Arg, Result

HEADER = '''"""Types of the Python classes over the _qorctl extension module.

Generated from the library declarations; do not edit.
"""

from typing import AbstractSet, Any, Iterator, Mapping, Optional, Sequence, Tuple, Union, overload


class _ProxyBehaviour:
    thisown: bool
    def __copy__(self) -> Any: ...
    def __deepcopy__(self, memo: Any) -> Any: ...


class _Proxy(_ProxyBehaviour):
    this: Any

'''

FLOATS = {"float", "double"}


class Types:
    """Python type expressions for the model's arguments and results."""

    def __init__(self, model: Model):
        self.model = model
        self.by_record = {}
        for cls in model.python_classes:
            record = model.record_for(ctype.parse(cls.qname))
            self.by_record.setdefault(record.mangled, cls.py)

    def record(self, record, fallback="Any"):
        return self.by_record.get(record.mangled, fallback) if record is not None else fallback

    @staticmethod
    def scalar(cpp):
        if cpp == "bool":
            return "bool"
        if cpp in FLOATS:
            return "float"
        if cpp == "char":
            return "str"
        return "int"

    def element(self, info):
        if info.element_record is not None:
            return self.record(info.element_record)
        if info.element == "std::string":
            return "str"
        if info.element.startswith("std::pair"):
            value = "Sequence[str]" if "vector" in info.element else "str"
            return "Tuple[str, %s]" % value
        return "int"

    def container_arg(self, info):
        name = info.name
        element = self.element(info)
        if name.startswith("std::map"):
            value = element.split(", ", 1)[1][:-1] if element.startswith("Tuple[str, ") else "str"
            python = "Mapping[str, %s]" % value
        elif name.startswith("std::set"):
            python = "AbstractSet[str]"
        elif name.startswith("std::pair"):
            python = "Tuple[str, str]"
        else:
            python = "Sequence[%s]" % element
        own = self.by_record.get(self.model.record_for(ctype.parse(name)).mangled)
        return "Union[%s, %s]" % (python, own) if own else python

    def arg(self, arg: Arg):
        kind = arg.kind
        if kind == "scalar":
            return self.scalar(arg.cpp)
        if kind in ("string", "chararray"):
            return "str"
        if kind == "cstring":
            return "Optional[str]"
        if kind == "container":
            return self.container_arg(arg.info)
        if kind == "slice":
            return "slice"
        if kind == "pointer":
            found = self.record(arg.record, None)
            return "Optional[%s]" % found if found else "Any"
        if kind in ("reference", "iterator"):
            return self.record(arg.record)
        return "Any"

    def result(self, result: Result):
        kind = result.kind
        if kind == "void":
            return "None"
        if kind == "scalar":
            return self.scalar(result.cpp)
        if kind in ("string", "chararray"):
            return "str"
        if kind == "cstring":
            return "Optional[str]"
        if kind == "copy":
            return self.record(result.record)
        if kind == "borrowed":
            found = self.record(result.record, None)
            if not found:
                return "Any"
            return found if result.reference else "Optional[%s]" % found
        if kind == "holder":
            return self.record(result.record)
        if kind == "holders":
            return "Tuple[%s, ...]" % self.record(result.record)
        if kind == "container":
            name = result.info.name
            if name.startswith("std::pair"):
                return "Tuple[str, str]"
            if name.startswith("std::map"):
                return "Any"
            return "Tuple[%s, ...]" % self.element(result.info)
        return "Any"

    def parameters(self, fn: Function, first="self"):
        """The parameter list; `first` is the object's parameter (none for
        static and free functions)."""
        params = [first] if first else []
        params += ["arg%d: %s" % (number, self.arg(arg)) for number, arg in enumerate(fn.args, 1)]
        if len(params) > (1 if first == "self" else 0):
            params.append("/")
        return ", ".join(params)

    def signature(self, name, fn: Function, first="self", result=None):
        return "def %s(%s) -> %s: ..." % (name, self.parameters(fn, first),
                                          result if result is not None else self.result(fn.result))


def object_parameter(fn: Function):
    """How a module-level function takes the object it works on: a bare
    proxy, as the first argument (none for constructors, static and free
    functions)."""
    return "obj: Any" if fn.self_arg is not None else None


# Python types a value of the second also is (an int is a float to a type
# checker, a text a sequence of texts).
WIDER = {("int", "bool"), ("float", "int"), ("float", "bool"), ("Sequence[str]", "str")}


def broader(wide, narrow):
    """Every value of type `narrow` is also one of type `wide`."""
    if wide == narrow or wide == "Any" or (wide, narrow) in WIDER:
        return True
    if wide.startswith(("Optional[", "Union[")):
        return any(broader(part, narrow) for part in union_parts(wide[wide.index("[") + 1:-1]))
    return False


def union_parts(text):
    """The members of a union's text, split at its top-level commas."""
    parts, depth, start = [], 0, 0
    for index, char in enumerate(text):
        depth += {"[": 1, "]": -1}.get(char, 0)
        if char == "," and depth == 0:
            parts.append(text[start:index].strip())
            start = index + 1
    return parts + [text[start:].strip()]


def distinct(types: Types, candidates):
    """The overload candidates a caller can tell apart in Python terms, in
    dispatch order: a candidate whose arguments an earlier one already
    accepts (same count, each of its types or a broader one) is left out."""
    kept = []
    for fn in candidates:
        mine = [types.arg(arg) for arg in fn.args]
        if not any(len(other.args) == len(mine) and
                   all(broader(types.arg(theirs), ours) for theirs, ours in zip(other.args, mine))
                   for other in kept):
            kept.append(fn)
    return kept


def function_lines(types: Types, name, candidates, indent="", decorators=(), first="self", result=None,
                   ignore=""):
    kept = distinct(types, candidates)
    comment = "  # type: ignore[%s]" % ignore if ignore else ""
    lines = []
    for number, fn in enumerate(kept):
        if len(kept) > 1:
            # The checker reports an overload set at its first decorator.
            lines.append(indent + "@overload" + (comment if number == 0 else ""))
        lines += [indent + decorator for decorator in decorators]
        lines.append(indent + types.signature(name, fn, first, result) + comment)
    return lines


def mismatch(name, inherited):
    """The type checker's complaints a method of the library may earn: a
    redefinition with other types than a base class's (the library's classes
    are not substitutable in Python terms; comparisons take only their own
    class), an in-place operator whose result is not its operator's."""
    if name in inherited or name in OBJECT_NAMES:
        return "override"
    if name.startswith("__i") and name.endswith("__"):
        return "misc"
    return ""


OBJECT_NAMES = set(dir(object))


def class_stub(types: Types, model: Model, cls: Class, entries, inherited):
    lines = ["class %s(%s):" % (cls.py, ", ".join(python_bases(model, cls)))]
    ctors = [fn for e in entries for fn in e.candidates if fn.kind == "ctor"]
    if ctors:
        lines += function_lines(types, "__init__", ctors, "    ", result="None")
    else:
        lines.append("    def __init__(self, *args: Any, **kwargs: Any) -> None: ...  # no constructor: raises")
    fields = {}
    names = set()
    for entry in entries:
        fn = entry.candidates[0]
        if fn.kind in ("get", "set"):
            fields.setdefault(fn.target, {})[fn.kind] = fn
        elif fn.kind == "op":
            name = fn.op.name
            names.add(name)
            ignore = mismatch(name, inherited)
            if fn.op.static:
                lines += function_lines(types, name, entry.candidates, "    ", ("@staticmethod",), None,
                                        ignore=ignore)
            else:
                lines += function_lines(types, name, entry.candidates, "    ", ignore=ignore)
        elif fn.kind == "delete":
            lines.append("    __swig_destroy__: Any")
    if "__nonzero__" in names and "__bool__" not in names:
        lines.append("    def __bool__(self) -> bool: ...")
    if {"key_iterator", "iterator", "__next__"} & names and "__iter__" not in names:
        lines.append("    def __iter__(self) -> Iterator[Any]: ...")
    for name, accessors in fields.items():
        getter = accessors["get"]
        ignore = "  # type: ignore[override]" if name in inherited else ""
        lines += ["    @property", "    def %s(self) -> %s: ...%s" % (name, types.result(getter.result), ignore)]
        if "set" in accessors:
            lines += ["    @%s.setter" % name, "    def %s(self, value: %s, /) -> None: ..."
                      % (name, types.arg(accessors["set"].args[0]))]
    return lines + ["", ""], names | set(fields)


def stub_source(model: Model):
    types = Types(model)
    grouped = entries_by_class(model)
    out = [HEADER]
    names_of = {}
    public = []
    for cls in bases_first(model.python_classes):  # what a class inherits is known before it
        inherited = set()
        for base in model.ancestors(cls):
            inherited |= names_of.get(base, set())
        lines, names = class_stub(types, model, cls, grouped.get(id(cls), []), inherited)
        names_of[cls.qname] = names
        out += lines
        public.append(cls.py)
    for entry in model.entries:
        fn = entry.candidates[0]
        if loose(fn):
            out += function_lines(types, entry.py, entry.candidates, first=object_parameter(fn))
            public.append(entry.py)
    # The package makes its classes on first use, so star imports go by the
    # `__all__` it works out when asked for.
    out += ["", "__all__ = ["] + ["    %r," % name for name in public] + ["]"]
    return "\n".join(out).rstrip() + "\n"
