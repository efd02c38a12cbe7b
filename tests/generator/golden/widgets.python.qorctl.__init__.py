"""Python classes over the flat functions of the _qorctl extension module.

Generated from the library declarations; do not edit.
"""

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


SwigPyIterator = _class('SwigPyIterator', (_Proxy,), 'value incr decr distance equal copy next __next__ previous advance __eq__ __ne__ __iadd__ __isub__ __add__ __sub__', constructor=False, destroy=True, iterate='self')
WidgetPtr = _class('WidgetPtr', (_Proxy,), 'release reset swap get __nonzero__', destroy=True)
HostCtlObject = _class('HostCtlObject', (_Proxy,), '', constructor=False, destroy=True)
QorCtlObject = _class('QorCtlObject', (HostCtlObject,), '', constructor=False, destroy=True, copy=None)
Size = _class('Size', (_Proxy,), '', fields='width height label', destroy=True, copy='fields')
Widget = _class('Widget', (HostCtlObject,), 'GetName GetSize Resize GetColour SetColour ListParts', statics='IsKnownKind', constructor=False, destroy=True, copy=None)
WidgetImpl = _class('WidgetImpl', (Widget, QorCtlObject,), 'GetName GetSize Refresh', destroy=True, copy=None)
FindWidget = _function(_qorctl.FindWidget)
