"""Python classes over the flat functions of the _qorctl extension module.

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


_defer('SwigPyIterator', ('_Proxy',), 'value incr decr distance equal copy next __next__ previous advance __eq__ __ne__ __iadd__ __isub__ __add__ __sub__', constructor=False, destroy=True, iterate='self')
_defer('WidgetPtr', ('_Proxy',), 'release reset swap get __nonzero__', destroy=True)
_defer('HostCtlObject', ('_Proxy',), '', constructor=False, destroy=True)
_defer('QorCtlObject', ('HostCtlObject',), '', constructor=False, destroy=True, copy=None)
_defer('Size', ('_Proxy',), '', fields='width height label', destroy=True, copy='fields')
_defer('Widget', ('HostCtlObject',), 'GetName GetSize Resize GetColour SetColour ListParts', statics='IsKnownKind', constructor=False, destroy=True, copy=None)
_defer('WidgetImpl', ('Widget', 'QorCtlObject'), 'GetName GetSize Refresh', destroy=True, copy=None)
FindWidget = _function(_qorctl.FindWidget)
