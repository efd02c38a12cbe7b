"""Writes the Python proxy package `qorctl`: one class per registered class,
its methods bound from the module's flat functions."""

from .decl import Class, DeclError
from .model import Model

EXCEPTION = "HostCtl::Lib::HostCtlException"

PROLOGUE = '''"""Python classes over the flat functions of the _qorctl extension module.

Generated from the library declarations; do not edit.
"""

import _thread

import _qorctl

from . import _binding

_method = _binding.method
_function = _binding.function


def _doc(name):
    """The documentation of a flat function, read from the package's
    reference texts the first time one is asked for (not at import)."""
    from ._docs import DOCS
    return DOCS.get(name)


_binding.set_doc_source(_doc)


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


def _class(name, bases, methods, statics="", fields="", readonly="", constructor=True, destroy=False,
           iterate=None, copy="inherit"):
    """Makes the proxy class `name` over its flat functions and registers it
    with the module: `methods` bound as methods, `statics` as static
    methods, `fields` as properties (read-only those in `readonly`)."""
    flat = vars(_qorctl)
    prefix = name + "_"
    space = {"__module__": __name__}
    space["__init__"] = _binding.initializer(flat["new_" + name]) if constructor else _no_constructor
    for op in methods.split():
        space[op] = _method(flat[prefix + op])
    for op in statics.split():
        space[op] = _binding.static_method(flat[prefix + op])
    if "__nonzero__" in space and "__bool__" not in space:
        space["__bool__"] = space["__nonzero__"]
    if destroy:
        space["__swig_destroy__"] = flat["delete_" + name]
    if iterate:
        space["__iter__"] = _self if iterate == "self" else space[iterate]
    if copy == "constructor":
        space["_copy"] = _copy_by_constructor
    elif copy == "fields":
        space["_fields"] = tuple(fields.split())
        space["_copy"] = _copy_by_fields
    elif copy is None:
        space["_copy"] = None
    readonly = readonly.split()
    for field in fields.split():
        setter = None if field in readonly else flat[prefix + field + "_set"]
        space[field] = property(flat[prefix + field + "_get"], setter)
    cls = type(name, bases, space)
    if constructor:
        _binding.direct_calls(cls)
    flat[prefix + "swigregister"](cls)
    return cls


# ---- classes made on first use ------------------------------------------------------
#
# Making a class costs tens of microseconds, and the package has hundreds, of
# which a script uses a few. At import each class gets a stand-in instead: it
# keeps what `_class` is to be given, and is registered with the module in the
# class's place. The class is made when it is first looked up in the package,
# or when the module first hands out an object of it: bases first, each class
# once. Making it registers it, replacing the stand-in.


class _Deferred(object):
    """The stand-in of the class `name` until the class is made. The module
    makes the instance for an object of a registered non-class by calling its
    `__new__` with it, and destroys the objects it owns with its
    `__swig_destroy__`, so objects handed out first get the class too."""

    def __init__(self, name, bases, methods, options):
        self.name = name
        self.bases = bases
        self.methods = methods
        self.options = options
        self.cls = None
        self.__new__ = _instance_of
        destroy = _destroy_function(name, bases, options)
        if destroy is not None:
            self.__swig_destroy__ = destroy


def _destroy_function(name, bases, options):
    """The class's own delete function, else the first of its bases' (the one
    its `__swig_destroy__` will be but for a diamond with two)."""
    if options.get("destroy"):
        return getattr(_qorctl, "delete_" + name)
    inherited = (getattr(_deferred[base], "__swig_destroy__", None) for base in bases if base in _deferred)
    return next((destroy for destroy in inherited if destroy is not None), None)


_deferred = {}
_making = _thread.RLock()
_PLAIN_BASES = {"_Proxy": _Proxy, "_ProxyBehaviour": _ProxyBehaviour, "Exception": Exception}


def _defer(name, bases, methods, **options):
    """Registers the stand-in of the class that `_class(name, bases, methods,
    **options)` makes; `bases` are names."""
    standin = _deferred[name] = _Deferred(name, bases, methods, options)
    getattr(_qorctl, name + "_swigregister")(standin)


def _make(standin):
    """The class of `standin`, made (with its bases) if it is not yet, and put
    in the package under its name."""
    with _making:
        if standin.cls is None:
            bases = tuple(_PLAIN_BASES.get(base) or _make(_deferred[base]) for base in standin.bases)
            standin.cls = _class(standin.name, bases, standin.methods, **standin.options)
            globals()[standin.name] = standin.cls
        return standin.cls


def _instance_of(standin):
    """An instance of the stand-in's class for the module to give its object
    to, not initialised (as for a class registered as itself)."""
    cls = _make(standin)
    return cls.__new__(cls)


def __getattr__(name):
    """Called for a name the package does not hold: a class not made yet.
    `__all__` is worked out when asked for, so that `from qorctl import *`
    gives every public name, made or not."""
    standin = _deferred.get(name)
    if standin is not None and standin.cls is None:
        return _make(standin)
    if name == "__all__":
        return [public for public in __dir__() if not public.startswith("_")]
    raise AttributeError("module '%s' has no attribute '%s'" % (__name__, name))


def __dir__():
    return list(globals()) + [name for name, standin in _deferred.items() if standin.cls is None]

'''


def entries_by_class(model: Model):
    """The function entries of each class (by the class's id), in table order."""
    grouped = {}
    for entry in model.entries:
        cls = entry.candidates[0].cls
        if cls is not None:
            grouped.setdefault(id(cls), []).append(entry)
    return grouped


def python_bases(model: Model, cls: Class):
    """The bases of a proxy class: the classes its proxies convert to."""
    by_name = {c.qname: c for c in model.python_classes}
    bases = [by_name[b].py for b in cls.bases if b in by_name and b not in cls.noconvert]
    if cls.qname == EXCEPTION:
        # An exception's instance layout is the interpreter's own, which
        # leaves no room for the slot.
        bases += ["_ProxyBehaviour", "Exception"]
    elif not bases:
        bases.append("_Proxy")
    return bases


def class_source(model: Model, cls: Class, entries):
    """One call that registers the stand-in of the class with what makes the
    class. Its flat functions are named after it (`<Class>_<name>`,
    `new_<Class>`, `<Class>_<field>_get`), so the package finds them by the
    names listed here: a few texts to read instead of a class body per class."""
    bases = python_bases(model, cls)
    methods, statics, fields, readonly = [], [], [], []
    options = []
    if not any(e.candidates[0].kind == "ctor" for e in entries):
        options.append("constructor=False")
    for entry in entries:
        fn = entry.candidates[0]
        if fn.kind == "get":
            fields.append(fn.target)
        elif fn.kind == "op":
            expect(entry.py, "%s_%s" % (cls.py, fn.op.name))
            (statics if fn.op.static else methods).append(fn.op.name)
        elif fn.kind == "delete":
            options.append("destroy=True")
    writable = {e.candidates[0].target for e in entries if e.candidates[0].kind == "set"}
    readonly = [name for name in fields if name not in writable]
    iterate = iteration(set(methods))
    if iterate:
        options.append("iterate=%r" % iterate)
    copy = copy_kind(cls, entries, fields, readonly, bases)
    if copy != "inherit":
        options.append("copy=%r" % copy)
    arguments = ["%r" % cls.py, "%r" % (tuple(bases),), "%r" % " ".join(methods)]
    arguments += ["%s=%r" % (name, " ".join(names)) for name, names in
                  (("statics", statics), ("fields", fields), ("readonly", readonly)) if names]
    return ["_defer(%s)" % ", ".join(arguments + options)]


def expect(flat, derived):
    if flat != derived:
        raise DeclError("the flat function %s is not named after its class (%s)" % (flat, derived))


def copy_kind(cls: Class, entries, fields, readonly, bases):
    """How instances copy: "constructor" when a constructor takes the class
    itself, "fields" field by field for a record of its own fields that can
    all be written, None when they cannot, "inherit" (a plain proxy's None)."""
    ctors = [fn for e in entries for fn in e.candidates if fn.kind == "ctor"]
    if any(len(fn.args) == 1 and fn.args[0].kind in ("reference", "container") and fn.args[0].cpp == cls.qname
           for fn in ctors):
        return "constructor"
    plain_base = bases in (["_Proxy"], ["_ProxyBehaviour", "Exception"])
    if fields and plain_base and any(not fn.args for fn in ctors) and not readonly:
        return "fields"
    return None if not plain_base else "inherit"


def iteration(ops):
    """Python's iteration protocol from the flat functions: maps iterate
    their keys as dicts do, other containers their elements, and an iterator
    is its own."""
    for name in ("key_iterator", "iterator"):
        if name in ops:
            return name
    return "self" if "__next__" in ops else None


def loose(fn):
    """A function the package offers at module level: a free function, or
    one of a class without a Python class of its own."""
    return fn.kind == "func" or (fn.cls is not None and not fn.cls.registered)


def bases_first(classes):
    """The classes in their order, except that each comes after its bases
    (a base may follow its derived classes in the library's order)."""
    by_name = {cls.qname: cls for cls in classes}
    placed, ordered = set(), []

    def place(cls):
        if cls.qname in placed:
            return
        placed.add(cls.qname)
        for base in cls.bases:
            if base in by_name:
                place(by_name[base])
        ordered.append(cls)

    for cls in classes:
        place(cls)
    return ordered


def package_source(model: Model):
    out = [PROLOGUE]
    grouped = entries_by_class(model)
    classes = bases_first(model.python_classes)
    for cls in classes:
        out += class_source(model, cls, grouped.get(id(cls), []))
    exception = next((cls for cls in classes if cls.qname == EXCEPTION), None)
    if exception is not None:
        out += ["# The module raises the library's exceptions as instances of the class",
                "# registered for them, which must be the class itself from the start.",
                "_make(_deferred[%r])" % exception.py]
    for entry in model.entries:
        if loose(entry.candidates[0]):
            out.append("%s = _function(_qorctl.%s)" % (entry.py, entry.py))
    return "\n".join(out).rstrip() + "\n"


# ---- reference texts ------------------------------------------------------------------

DOCUMENTED = ("op", "ctor", "func")


def doc_text(types, entry):
    """A function's reference text: its Python forms, then the library
    prototype of each overload in dispatch order."""
    from .emit_stubs import object_parameter
    candidates = entry.candidates
    fn = candidates[0]
    if loose(fn):
        name, first = entry.py, object_parameter(fn)
    elif fn.kind == "ctor":
        name, first = fn.cls.py, "self"
    else:
        name, first = fn.op.name, None if fn.op.static else "self"
    forms = []
    for candidate in candidates:
        result = "None" if candidate.kind == "ctor" and not loose(fn) else types.result(candidate.result)
        form = "%s(%s) -> %s" % (name, types.parameters(candidate, first), result)
        if form not in forms:
            forms.append(form)
    lines = forms + ["", "Library prototype%s:" % ("s" if len(candidates) > 1 else "")]
    for candidate in candidates:
        result = candidate.op.result if candidate.op is not None and candidate.kind != "ctor" else None
        lines.append("    " + candidate.prototype + (" -> " + result.spell() if result is not None else ""))
    return "\n".join(lines)


def docs_source(model: Model):
    """The module of reference texts, by flat function name."""
    from .emit_stubs import Types
    types = Types(model)
    out = ['"""Reference texts of the package\'s methods and functions, by flat function name.',
           "", 'Generated from the library declarations; do not edit.', '"""', "", "DOCS = {"]
    for entry in model.entries:
        if entry.candidates[0].kind in DOCUMENTED:
            out.append("    %r: %r," % (entry.py, doc_text(types, entry)))
    out.append("}")
    return "\n".join(out) + "\n"
