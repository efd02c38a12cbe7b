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


class _ProxyBehaviour(object):
    """What every proxy class has: the library object lives in `this`."""

    __slots__ = ()

    thisown = property(lambda self: self.this.own(), lambda self, value: self.this.own(value),
                       doc="True when Python owns (and will destroy) the library object")
    __repr__ = _repr


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
    for name, accessors in fields.items():
        setter = "_qorctl." + accessors["set"] if "set" in accessors else "None"
        lines.append("    %s = property(_qorctl.%s, %s)" % (name, accessors["get"], setter))
    lines += ["", "", "_qorctl.%s_swigregister(%s)" % (cls.py, cls.py), "", ""]
    return lines


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


def package_source(model: Model):
    out = [PROLOGUE]
    for cls in model.python_classes:
        out += class_source(model, cls)
    for entry in model.entries:
        if entry.candidates[0].kind == "func":
            out.append("%s = _qorctl.%s" % (entry.py, entry.py))
    return "\n".join(out).rstrip() + "\n"
