"""Calling a proxy class: the constructor's proxy goes straight into the new
instance's `this` slot, unless the class asks for the generic steps (its own
__init__, __new__, __setattr__ or `this`); either way scripts see the same
instance, messages and exceptions."""

import abc

import pytest

import _qorctl as q
import qorctl
from qorctl import _binding

generic_call = type.__call__  # the interpreter's own steps, whatever the metaclass


def outcome(call):
    """What a call gives a script: the instance's class and proxy type, or
    the exception's class and text."""
    try:
        instance = call()
    except Exception as error:  # noqa: BLE001  (any failure must match)
        return type(error), str(error)
    return type(instance), type(instance.this).__name__, instance.this.own()


@pytest.mark.parametrize("cls, args, kwargs", [
    (qorctl.VMPoint, (), {}),
    (qorctl.Ipv4Address, ("192.0.2.7",), {}),
    (qorctl.StringVector, (3,), {}),
    (qorctl.VMPoint, (1,), {}),
    (qorctl.VMPoint, (), {"x": 1}),
    (qorctl.Ipv4Address, (5,), {}),
    (qorctl.Ipv4Address, ("not an address",), {}),
    (qorctl.Pnic, (), {}),
    (qorctl.HostCtlException, ("boom",), {}),
], ids=["no-arguments", "argument", "overloads", "too-many", "keyword", "bad-type", "library-refuses",
        "no-constructor", "exception-class"])
def test_a_class_call_gives_what_the_generic_call_gives(cls, args, kwargs):
    assert outcome(lambda: cls(*args, **kwargs)) == outcome(lambda: generic_call(cls, *args, **kwargs))


def test_the_constructor_proxy_lands_in_the_slot_and_owns_its_object():
    point = qorctl.VMPoint()
    assert type(point) is qorctl.VMPoint and type(qorctl.VMPoint) is type and "this" not in vars(point)
    assert point.this.own() is True and q.VMPoint_x_get(point) == 0
    address = type(qorctl.Ipv4Address).__call__(qorctl.Ipv4Address, "192.0.2.7")  # the argument-tuple way in
    assert address.GetStringAddress() == "192.0.2.7" and address.this.own() is True


def test_init_called_again_replaces_the_object_and_drops_destroy_both(live):
    adapter = qorctl.PnicImpl("nic5")
    first = adapter.this
    qorctl.PnicImpl.__init__(adapter, "nic6")
    assert adapter.GetName() == "nic6" and first.own() is True and live() == 2
    del first
    assert live() == 1
    del adapter
    assert live() == 0


class Recorded(qorctl.VMPoint):
    """Each subclass below notes what of its own ran."""
    seen = None

    def note(self, what):
        type(self).seen = (type(self).seen or ()) + (what,)


class OwnInit(Recorded):
    def __init__(self, x):
        self.note("__init__")
        super().__init__()
        self.x = x


class OwnNew(Recorded):
    def __new__(cls, *args):
        instance = super().__new__(cls)
        instance.note("__new__")
        return instance


class OwnSetattr(Recorded):
    def __setattr__(self, name, value):
        self.note("set " + name)
        super().__setattr__(name, value)


class Plain(Recorded):
    pass


@pytest.mark.parametrize("cls, args, seen, x", [
    (OwnInit, (4,), ("__init__",), 4),
    (OwnNew, (), ("__new__",), 0),
    (OwnSetattr, (), ("set this",), 0),
    (Plain, (), None, 0),
])
def test_subclasses_get_their_own_steps_run(cls, args, seen, x):
    cls.seen = None
    instance = cls(*args)
    assert type(instance) is cls and cls.seen == seen
    assert instance.this.own() is True and q.VMPoint_x_get(instance) == x


def test_a_computed_this_is_set_through_its_property():
    stored = []

    class Computed(qorctl.VMPoint):
        this = property(lambda self: stored[-1], lambda self, proxy: stored.append(proxy))

    instance = Computed()
    assert len(stored) == 1 and instance.this is stored[0] and q.VMPoint_x_get(instance) == 0


def test_an_init_changed_after_use_is_looked_up_afresh():
    class Mutable(Recorded):
        pass

    Mutable.seen = None
    Mutable()
    Mutable.__init__ = lambda self: self.note("replaced")
    assert not hasattr(Mutable(), "this") and Mutable.seen == ("replaced",)
    del Mutable.__init__
    assert Mutable().this.own() is True and Mutable.seen == ("replaced",)


def note_init(self):
    self.note("__init__")


def note_new(cls):
    instance = object.__new__(cls)
    instance.note("__new__")
    return instance


def note_setattr(self, name, value):
    self.note("set " + name)
    object.__setattr__(self, name, value)


# What a class changed after its calls were made directly must take over from
# the next call on, whether it is changed on the class or on a base.
@pytest.mark.parametrize("name, value, seen", [
    ("__init__", note_init, ("__init__",)),
    ("__new__", note_new, ("__new__",)),
    ("__setattr__", note_setattr, ("set this",)),
    ("this", property(lambda self: None, lambda self, proxy: self.note("this set")), ("this set",)),
], ids=["init", "new", "setattr", "this"])
@pytest.mark.parametrize("where", ["class", "base"])
def test_a_change_after_direct_calls_takes_effect_at_once(name, value, seen, where):
    class Base(Recorded):
        pass

    class Leaf(Base):
        pass

    _binding.direct_calls(Leaf)
    for _ in range(2):  # the second call is made with what the first one learnt
        assert Leaf().this.own() is True and Leaf.seen is None
    changed = Leaf if where == "class" else Base
    setattr(changed, name, value)
    Leaf()
    assert Leaf.seen == seen
    delattr(changed, name)
    Leaf.seen = None
    assert Leaf().this.own() is True and Leaf.seen is None


def test_abstract_classes_cannot_be_instantiated():
    class Shape(qorctl.VMPoint, abc.ABC):  # the proxy classes mix with other metaclasses
        @abc.abstractmethod
        def area(self):
            pass

    class Square(Shape):
        def area(self):
            return 1

    assert Square().area() == 1 and Square().this.own() is True
    qorctl.VMPoint.__abstractmethods__ = frozenset({"area"})
    try:
        for cls in (Shape, qorctl.VMPoint):
            with pytest.raises(TypeError, match="abstract"):
                cls()
    finally:
        del qorctl.VMPoint.__abstractmethods__
    assert qorctl.VMPoint().this.own() is True


@pytest.mark.parametrize("cls", [int, qorctl.VMPoint(), "VMPoint"])
def test_only_classes_of_pythons_making_take_direct_calls(cls):
    with pytest.raises(TypeError, match="is not a class made by Python"):
        _binding.direct_calls(cls)
