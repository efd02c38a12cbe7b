"""Python code that runs in the middle of a call: bounds whose __index__
changes the container, sequences that lie, `this` attributes computed
afresh or replaced, proxy chains, and classes that only look like proxies.
Each case either works on the state it finds or raises; none may crash."""

import pytest

import _qorctl as q
import qorctl


class Index:
    """An integer whose __index__ first runs `action`."""

    def __init__(self, value, action):
        self.value, self.action = value, action

    def __index__(self):
        self.action()
        return self.value


# ---- containers changed while a bound converts ------------------------------------------

CHANGES = {
    "clear": lambda target: target.clear(),
    "shrink": lambda target: target.__delitem__(slice(2, None)),
    "grow": lambda target: [target.append("x") for _ in range(20)],
}


@pytest.mark.parametrize("change", CHANGES.values(), ids=CHANGES.keys())
@pytest.mark.parametrize("operation", ["get", "set", "delete"])
def test_slice_bounds_that_change_the_vector_are_applied_to_what_it_became(change, operation):
    vec = qorctl.StringVector(list("abcdefgh"))
    model = list("abcdefgh")
    bound = Index(2, lambda: (change(vec), change(model)))
    if operation == "get":
        assert list(vec[::bound]) == model[::2]
    elif operation == "set":
        after = list("abcdefgh")
        change(after)
        vec[::bound] = ["v"] * len(after[::2])
        model[::2] = ["v"] * len(after[::2])
    else:
        del vec[::bound]
        del model[::2]
    assert list(vec) == model


def test_deleting_the_vector_while_a_bound_converts_raises_instead_of_writing_freed_memory():
    vec = qorctl.StringVector(list("abcdefgh"))
    bound = Index(2, lambda: q.delete_StringVector(vec))
    with pytest.raises(ValueError, match="deleted"):
        del vec[::bound]


class LyingSequence:
    def __init__(self, length, items, action=lambda: None):
        self.length, self.items, self.action = length, items, action

    def __len__(self):
        return self.length

    def __getitem__(self, i):
        self.action()
        return self.items[i]


@pytest.mark.parametrize("sequence", [
    LyingSequence(5, ["a", "b"]),          # longer than it is
    LyingSequence(1, ["a", "b", "c"]),     # shorter than it is
])
def test_sequences_whose_length_lies_are_refused_or_read_as_far_as_they_claim(sequence):
    vec = qorctl.StringVector(["z"])
    try:
        vec[0:1] = sequence
    except (TypeError, IndexError, ValueError, NotImplementedError):
        assert list(vec) == ["z"]
    else:
        assert list(vec) == sequence.items[:sequence.length]


def test_a_sequence_that_clears_the_target_while_it_is_read_lands_in_what_is_left():
    vec = qorctl.StringVector(list("abcdef"))
    values = LyingSequence(2, ["1", "2"], vec.clear)
    vec[1:3] = values
    assert list(vec) == ["1", "2"]


# ---- `this` computed afresh or replaced during a call --------------------------------------

def test_an_object_whose_this_is_made_afresh_on_every_read_lives_through_the_call(peer, live):
    class Fresh:
        @property
        def this(self):
            return q.new_NetworkInfoImpl()   # owning: dies with the proxy

    assert q.HostCtlObject_GetName(Fresh()) == ""
    assert live() == 0


def test_integer_arguments_run_no_python_code_so_an_earlier_object_needs_no_holding():
    # An object converted before nothing but integers is not held for the
    # call: that is sound only while integer conversions never consult
    # __index__, which could delete it.
    point = qorctl.VMPoint()
    ran = []
    with pytest.raises(TypeError):
        q.VMPoint_x_set(point, Index(3, lambda: (ran.append(1), q.delete_VMPoint(point))))
    assert ran == [] and point.this
    # A `this` made afresh is still held until the call is done with it.
    class Fresh:
        @property
        def this(self):
            return q.new_VMPoint()
    q.VMPoint_x_set(Fresh(), 3)


def test_replacing_this_while_a_later_argument_converts_keeps_the_first_object_alive():
    vec = qorctl.StringVector(["a", "b", "c"])

    class Holder:
        pass

    holder = Holder()
    holder.this = vec.this

    def swap():
        holder.this = qorctl.StringVector(["other"]).this

    q.StringVector___delitem__(holder, slice(None, None, Index(2, swap)))
    assert list(vec) == ["b"]


# ---- proxy chains ------------------------------------------------------------------------

def test_append_refuses_a_cycle_and_every_walk_of_a_chain_ends():
    a = qorctl.StringVector(["a"]).this
    b = qorctl.MapStringString({"k": "v"}).this
    with pytest.raises(ValueError, match="cycle"):
        a.append(a)
    a.append(b)
    with pytest.raises(ValueError, match="cycle"):
        b.append(a)
    assert repr(a).count("<Swig Object") == 2
    with pytest.raises(TypeError):
        q.Pnic_GetName(a)   # neither view is an adapter


def test_an_iterator_of_a_chained_proxy_walks_the_view_of_the_container_type():
    pnic = q.new_PnicImpl("nic0")
    vec = qorctl.StringVector(["x", "y"])
    pnic.append(vec.this)
    it = q.StringVector_iterator(pnic)
    assert [q.SwigPyIterator_next(it), q.SwigPyIterator_next(it)] == ["x", "y"]
    with pytest.raises(StopIteration):
        q.SwigPyIterator_next(it)


# ---- classes that only look like proxies --------------------------------------------------

def test_a_python_class_named_like_the_proxy_type_is_not_read_as_one():
    class SwigPyObject:
        __slots__ = ("a", "b", "c", "d")

    with pytest.raises(TypeError, match="argument 1"):
        q.StringVector_size(SwigPyObject())
    with pytest.raises(TypeError):
        q.StringVector_iterator(SwigPyObject())

