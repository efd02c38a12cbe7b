"""Dropping an instance of a proxy class. The classes whose calls are direct
release what their instances hold themselves; a subclass's instances go
through the interpreter's deallocation first and then through their base's.
Either way everything an instance holds is released once: its library
object, its attributes, its slots, and the weak references to it."""

import gc
import weakref

import pytest

import qorctl
from qorctl import _binding


class Token:
    """An attribute value whose release can be watched."""


class Sub(qorctl.PnicImpl):
    pass


class SlottedSub(qorctl.PnicImpl):
    __slots__ = ("extra",)


def give_attributes(instance, how):
    """Attributes set the way a script may set them; the interpreter keeps
    them apart from a dictionary until the dictionary is asked for."""
    tokens = [Token() for _ in range(40 if how == "many" else 1)]
    if how == "dictionary":
        vars(instance)["a0"] = tokens[0]
    else:
        for i, token in enumerate(tokens):
            setattr(instance, "a%d" % i, token)
    if isinstance(instance, SlottedSub):
        instance.extra = Token()
        tokens.append(instance.extra)
    return [weakref.ref(token) for token in tokens]


@pytest.mark.parametrize("cls", [qorctl.PnicImpl, Sub, SlottedSub])
@pytest.mark.parametrize("how", ["none", "attribute", "dictionary", "many"])
def test_dropping_an_instance_releases_everything_it_holds(cls, how, live):
    instance = cls("nic7")
    watched = [] if how == "none" else give_attributes(instance, how)
    called = []
    ref = weakref.ref(instance, called.append)
    assert live() == 1
    del instance
    assert live() == 0 and ref() is None and called == [ref]
    assert [w() for w in watched] == [None] * len(watched)


def test_a_dictionary_taken_from_an_instance_outlives_it():
    instance = qorctl.VMPoint()
    instance.label = token = Token()
    attributes = vars(instance)
    del instance
    assert attributes == {"label": token}


@pytest.mark.parametrize("how", ["attribute", "dictionary", "many"])
def test_new_instances_have_nothing_of_dropped_ones(how):
    """The memory of dropped instances is used again: what they held must
    not show through, however many are dropped and made at once."""
    for count in (1, 40):
        dropped = [qorctl.VMPoint() for _ in range(count)]
        refs = [weakref.ref(point) for point in dropped]
        for point in dropped:
            give_attributes(point, how)
        del dropped, point
        made = [qorctl.VMPoint() for _ in range(count)]
        assert [r() for r in refs] == [None] * count
        for point in made:
            assert vars(point) == {} and weakref.getweakrefcount(point) == 0
            assert point.this.own() is True and point.x == 0
            point.label = "fresh"
            assert vars(point) == {"label": "fresh"}


@pytest.mark.parametrize("when", ["in the class", "added later"])
def test_a_finaliser_runs_once_and_may_keep_the_instance(when, live):
    kept = []

    def finalise(self):
        kept.append(self)

    class Finalised(qorctl.PnicImpl):
        if when == "in the class":
            __del__ = finalise

    _binding.direct_calls(Finalised)
    if when == "added later":
        Finalised.__del__ = finalise
    instance = Finalised("nic8")
    del instance
    assert len(kept) == 1 and kept[0].GetName() == "nic8" and live() == 1
    kept.clear()  # dies again: the finaliser does not run a second time
    assert kept == [] and live() == 0
    Finalised("nic8")  # a new instance is finalised, whatever memory it has
    assert len(kept) == 1
    kept.clear()


def test_a_long_chain_of_instances_drops_without_exhausting_the_stack():
    head = None
    for _ in range(200000):
        point = qorctl.VMPoint()
        point.next = head
        head = point
    watched = weakref.ref(point)
    del point, head
    assert watched() is None


def test_an_instance_in_a_reference_cycle_is_collected(live):
    instance = qorctl.PnicImpl("nic9")
    instance.me = instance
    del instance
    gc.collect()
    assert live() == 0
