"""Writes the Python proxy package `qorctl`: one class per registered class,
its methods bound from the module's flat functions."""

from .decl import Class
from .model import Model

EXCEPTION = "HostCtl::Lib::HostCtlException"

PROLOGUE = '''"""Python classes over the flat functions of the _qorctl extension module.

Generated from the library declarations; do not edit.
"""

import _qorctl

from . import _binding

_method = _binding.method


def _repr(self):
    try:
        inner = "proxy of " + repr(self.this)
    except AttributeError:
        inner = "no proxy"
    return "<%s.%s; %s >" % (type(self).__module__, type(self).__name__, inner)


def _self(self):
    return self


def _no_constructor(self, *args, **kwargs):
    raise AttributeError("No constructor defined for %s" % type(self).__name__)


def _copy_by_constructor(self):
    return type(self)(self)


def _copy_by_fields(self):
    copy = type(self)()
    for name in self._fields:
        setattr(copy, name, getattr(self, name))
    return copy


class _ProxyBehaviour(object):
    """What every proxy class has: the library object lives in `this`."""

    __slots__ = ()

    thisown = property(lambda self: self.this.own(), lambda self, value: self.this.own(value),
                       doc="True when Python owns (and will destroy) the library object")
    __repr__ = _repr

    # How a copy is made: through the library's copy constructor, or field by
    # field for records; None where the library offers no copy. A copy that
    # shared `this` would leave two owners of one library object.
    _copy = None

    def __copy__(self):
        if self._copy is None:
            raise TypeError("cannot copy a %s: the library offers no copy of it" % type(self).__name__)
        return self._copy()

    def __deepcopy__(self, memo):
        return self.__copy__()

    def __reduce_ex__(self, protocol):
        raise TypeError("cannot pickle a %s: it refers to a library object in this process"
                        % type(self).__name__)


class _Proxy(_ProxyBehaviour):
    """Base of the proxy classes. `this` is a slot, which the extension reads
    directly; the instances keep a dictionary for attributes of their own."""

    __slots__ = ("this", "__dict__", "__weakref__")

'''


def class_source(model: Model, cls: Class):
    by_name = {c.qname: c for c in model.python_classes}
    bases = [by_name[b].py for b in cls.bases if b in by_name]
    if cls.qname == EXCEPTION:
        # An exception's instance layout is the interpreter's own, which
        # leaves no room for the slot.
        bases += ["_ProxyBehaviour", "Exception"]
    elif not bases:
        bases.append("_Proxy")
    lines = ["class %s(%s):" % (cls.py, ", ".join(bases))]
    entries = [e for e in model.entries if e.candidates[0].cls is cls]
    if any(e.candidates[0].kind == "ctor" for e in entries):
        lines.append("    __init__ = _binding.initializer(_qorctl.new_%s)" % cls.py)
    else:
        lines.append("    __init__ = _no_constructor")
    fields = {}
    for entry in entries:
        fn = entry.candidates[0]
        if fn.kind in ("get", "set"):
            fields.setdefault(fn.target, {})[fn.kind] = entry.py
        elif fn.kind == "op":
            name = fn.op.name
            if fn.op.static:
                lines.append("    %s = staticmethod(_qorctl.%s)" % (name, entry.py))
            else:
                lines.append("    %s = _method(_qorctl.%s)" % (name, entry.py))
            if name == "__nonzero__":
                lines.append("    __bool__ = __nonzero__")
        elif fn.kind == "delete":
            lines.append("    __swig_destroy__ = _qorctl.%s" % entry.py)
    lines += protocol_lines({e.candidates[0].op.name for e in entries if e.candidates[0].kind == "op"})
    lines += copy_lines(cls, entries, fields, bases)
    for name, accessors in fields.items():
        setter = "_qorctl." + accessors["set"] if "set" in accessors else "None"
        lines.append("    %s = property(_qorctl.%s, %s)" % (name, accessors["get"], setter))
    lines += ["", "", "_qorctl.%s_swigregister(%s)" % (cls.py, cls.py), "", ""]
    return lines


def copy_lines(cls: Class, entries, fields, bases):
    """How instances copy: a constructor taking the class itself, else field
    by field for a record of its own fields that can all be written."""
    ctors = [fn for e in entries for fn in e.candidates if fn.kind == "ctor"]
    if any(len(fn.args) == 1 and fn.args[0].kind in ("reference", "container") and fn.args[0].cpp == cls.qname
           for fn in ctors):
        return ["    _copy = _copy_by_constructor"]
    plain_base = bases in (["_Proxy"], ["_ProxyBehaviour", "Exception"])
    if fields and plain_base and any(not fn.args for fn in ctors) and all("set" in a for a in fields.values()):
        return ["    _fields = (%s)" % "".join("%r, " % name for name in fields),
                "    _copy = _copy_by_fields"]
    return ["    _copy = None"] if not plain_base else []


def protocol_lines(ops):
    """Python's iteration protocol from the flat functions: maps iterate
    their keys as dicts do, other containers their elements, and an iterator
    is its own."""
    if "key_iterator" in ops:
        return ["    __iter__ = key_iterator"]
    if "iterator" in ops:
        return ["    __iter__ = iterator"]
    if "__next__" in ops:
        return ["    __iter__ = _self"]
    return []


def bases_first(classes):
    """The classes in declaration order, except that a class comes after the
    classes it derives from, which Python needs defined first."""
    by_name = {cls.qname: cls for cls in classes}
    placed, order = set(), []

    def place(cls):
        if cls.qname in placed:
            return
        placed.add(cls.qname)
        for base in cls.bases:
            if base in by_name:
                place(by_name[base])
        order.append(cls)

    for cls in classes:
        place(cls)
    return order


def package_source(model: Model):
    out = [PROLOGUE]
    for cls in bases_first(model.python_classes):
        out += class_source(model, cls)
    for entry in model.entries:
        fn = entry.candidates[0]
        # Free functions, and those of a class without a Python class of its own.
        if fn.kind == "func" or (fn.cls is not None and not fn.cls.registered):
            out.append("%s = _qorctl.%s" % (entry.py, entry.py))
    return "\n".join(out).rstrip() + "\n"
