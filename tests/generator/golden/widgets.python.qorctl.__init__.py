"""Python classes over the flat functions of the _qorctl extension module.

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


class SwigPyIterator(_Proxy):
    __init__ = _no_constructor
    __swig_destroy__ = _qorctl.delete_SwigPyIterator
    value = _method(_qorctl.SwigPyIterator_value)
    incr = _method(_qorctl.SwigPyIterator_incr)
    decr = _method(_qorctl.SwigPyIterator_decr)
    distance = _method(_qorctl.SwigPyIterator_distance)
    equal = _method(_qorctl.SwigPyIterator_equal)
    copy = _method(_qorctl.SwigPyIterator_copy)
    next = _method(_qorctl.SwigPyIterator_next)
    __next__ = _method(_qorctl.SwigPyIterator___next__)
    previous = _method(_qorctl.SwigPyIterator_previous)
    advance = _method(_qorctl.SwigPyIterator_advance)
    __eq__ = _method(_qorctl.SwigPyIterator___eq__)
    __ne__ = _method(_qorctl.SwigPyIterator___ne__)
    __iadd__ = _method(_qorctl.SwigPyIterator___iadd__)
    __isub__ = _method(_qorctl.SwigPyIterator___isub__)
    __add__ = _method(_qorctl.SwigPyIterator___add__)
    __sub__ = _method(_qorctl.SwigPyIterator___sub__)
    __iter__ = _self


_qorctl.SwigPyIterator_swigregister(SwigPyIterator)


class WidgetPtr(_Proxy):
    __init__ = _binding.initializer(_qorctl.new_WidgetPtr)
    release = _method(_qorctl.WidgetPtr_release)
    reset = _method(_qorctl.WidgetPtr_reset)
    swap = _method(_qorctl.WidgetPtr_swap)
    get = _method(_qorctl.WidgetPtr_get)
    __nonzero__ = _method(_qorctl.WidgetPtr___nonzero__)
    __bool__ = __nonzero__
    __swig_destroy__ = _qorctl.delete_WidgetPtr


_qorctl.WidgetPtr_swigregister(WidgetPtr)


class HostCtlObject(_Proxy):
    __init__ = _no_constructor
    __swig_destroy__ = _qorctl.delete_HostCtlObject


_qorctl.HostCtlObject_swigregister(HostCtlObject)


class QorCtlObject(HostCtlObject):
    __init__ = _no_constructor
    __swig_destroy__ = _qorctl.delete_QorCtlObject
    _copy = None


_qorctl.QorCtlObject_swigregister(QorCtlObject)


class Size(_Proxy):
    __init__ = _binding.initializer(_qorctl.new_Size)
    __swig_destroy__ = _qorctl.delete_Size
    _fields = ('width', 'height', 'label', )
    _copy = _copy_by_fields
    width = property(_qorctl.Size_width_get, _qorctl.Size_width_set)
    height = property(_qorctl.Size_height_get, _qorctl.Size_height_set)
    label = property(_qorctl.Size_label_get, _qorctl.Size_label_set)


_qorctl.Size_swigregister(Size)


class Widget(HostCtlObject):
    __init__ = _no_constructor
    GetName = _method(_qorctl.Widget_GetName)
    GetSize = _method(_qorctl.Widget_GetSize)
    Resize = _method(_qorctl.Widget_Resize)
    GetColour = _method(_qorctl.Widget_GetColour)
    SetColour = _method(_qorctl.Widget_SetColour)
    ListParts = _method(_qorctl.Widget_ListParts)
    IsKnownKind = staticmethod(_qorctl.Widget_IsKnownKind)
    __swig_destroy__ = _qorctl.delete_Widget
    _copy = None


_qorctl.Widget_swigregister(Widget)


class WidgetImpl(Widget, QorCtlObject):
    __init__ = _binding.initializer(_qorctl.new_WidgetImpl)
    GetName = _method(_qorctl.WidgetImpl_GetName)
    GetSize = _method(_qorctl.WidgetImpl_GetSize)
    Refresh = _method(_qorctl.WidgetImpl_Refresh)
    __swig_destroy__ = _qorctl.delete_WidgetImpl
    _copy = None


_qorctl.WidgetImpl_swigregister(WidgetImpl)


FindWidget = _qorctl.FindWidget
