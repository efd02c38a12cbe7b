"""The container classes driven by random operations against Python's own
list, dict and set: after every step both hold the same, both fail alike,
and iterators kept across changes never read what is gone. Slice bounds
may run code that changes the container while they convert.

QORCTL_FUZZ_EXAMPLES sets the budget (`tools/run soak` raises it)."""

import os

from hypothesis import settings, strategies as st
from hypothesis.stateful import RuleBasedStateMachine, invariant, precondition, rule

import qorctl

BUDGET = settings(max_examples=int(os.environ.get("QORCTL_FUZZ_EXAMPLES", "40")), stateful_step_count=30,
                  deadline=None)

texts = st.text(alphabet="abc", max_size=2)
numbers = st.integers(0, 2**32 - 1)


class Bound:
    """A slice bound whose __index__ first changes both containers alike."""

    def __init__(self, value, change, targets):
        self.value, self.change, self.targets = value, change, targets

    def __index__(self):
        for target in self.targets:
            self.change(target)
        return self.value


class KeepsAnIterator(RuleBasedStateMachine):
    """An iterator over `self.container` kept across the other operations:
    changes may move it on or past the end; it may read any element still
    there, never one that is gone nor anything outside the container."""

    kept = None

    @rule()
    def keep_an_iterator(self):
        self.kept = self.container.begin()

    @precondition(lambda self: self.kept is not None)
    @rule()
    def step_the_kept_iterator(self):
        try:
            assert self.kept.next() in self.model
        except StopIteration:
            pass


class VectorAgainstList(KeepsAnIterator):
    """A vector class and a list given the same operations stay equal."""

    make = staticmethod(qorctl.StringVector)
    elements = texts

    def __init__(self):
        super().__init__()
        self.vector = self.container = self.make()
        self.model = []

    indices = st.integers(-6, 6)
    bounds = st.none() | st.integers(-7, 7)
    steps = st.none() | st.sampled_from([1, 2, 3, -1, -2, -3])

    def both(self, action):
        """Runs `action` on both; they must fail alike, with the vector unchanged."""
        outcomes = []
        for target in (self.vector, self.model):
            try:
                action(target)
                outcomes.append(None)
            except (IndexError, ValueError) as error:
                outcomes.append(type(error))
        assert outcomes[0] == outcomes[1]

    @rule(value=st.data())
    def append(self, value):
        item = value.draw(self.elements)
        self.both(lambda t: t.append(item))

    @rule(index=indices, value=st.data())
    def set_item(self, index, value):
        item = value.draw(self.elements)
        self.both(lambda t: t.__setitem__(index, item))

    @rule(index=indices)
    def delete_item(self, index):
        self.both(lambda t: t.__delitem__(index))

    @rule(start=bounds, stop=bounds, step=steps, values=st.data())
    def assign_slice(self, start, stop, step, values):
        items = values.draw(st.lists(self.elements, max_size=4))
        self.both(lambda t: t.__setitem__(slice(start, stop, step), items))

    @rule(start=bounds, stop=bounds, step=steps)
    def delete_slice(self, start, stop, step):
        self.both(lambda t: t.__delitem__(slice(start, stop, step)))

    @rule(stop=st.integers(-7, 7), step=steps, clear=st.booleans())
    def delete_slice_whose_bound_runs_code(self, stop, step, clear):
        # The bound empties (or keeps) both containers while it converts: the
        # slice applies to what they became.
        bound = Bound(stop, (lambda t: t.clear()) if clear else (lambda t: None), (self.vector, self.model))
        self.vector.__delitem__(slice(None, bound, step))
        del self.model[slice(None, stop, step)]

    @precondition(lambda self: self.model)
    @rule()
    def pop(self):
        assert self.vector.pop() == self.model.pop()

    @rule(start=bounds, stop=bounds, step=steps)
    def read_slice(self, start, stop, step):
        assert list(self.vector[start:stop:step]) == self.model[start:stop:step]

    @invariant()
    def equal(self):
        assert list(self.vector) == self.model and len(self.vector) == len(self.model)


class Uint32VectorAgainstList(VectorAgainstList):
    make = staticmethod(qorctl.Uint32Vector)
    elements = numbers


class MapAgainstDict(RuleBasedStateMachine):
    def __init__(self):
        super().__init__()
        self.map = qorctl.MapStringString()
        self.model = {}
        self.kept = None

    @rule(key=texts, value=texts)
    def set_item(self, key, value):
        self.map[key] = value
        self.model[key] = value

    @rule(key=texts)
    def delete_item(self, key):
        present = key in self.model
        try:
            del self.map[key]
            assert present
            del self.model[key]
        except IndexError:
            assert not present

    @rule(key=texts)
    def erase_key(self, key):
        assert self.map.erase(key) == (1 if self.model.pop(key, None) is not None else 0)

    @rule(reverse=st.booleans())
    def keep_an_iterator(self, reverse):
        self.kept = self.map.rbegin() if reverse else self.map.begin()

    @precondition(lambda self: self.kept is not None)
    @rule()
    def step_the_kept_iterator(self):
        # A kept position whose entry went moves on; it never reads a key
        # that is no longer in the map, nor an old value.
        try:
            key, value = self.kept.next()
        except StopIteration:
            return
        assert self.model[key] == value

    @rule()
    def clear(self):
        self.map.clear()
        self.model.clear()

    @invariant()
    def equal(self):
        assert self.map.asdict() == self.model and list(self.map) == sorted(self.model)


class SetAgainstSet(KeepsAnIterator):
    def __init__(self):
        super().__init__()
        self.set = self.container = qorctl.StringSet()
        self.model = set()

    @rule(value=texts)
    def insert(self, value):
        _, inserted = self.set.insert(value)
        assert inserted == (value not in self.model)
        self.model.add(value)

    @rule(value=texts)
    def erase(self, value):
        assert self.set.erase(value) == (1 if value in self.model else 0)
        self.model.discard(value)

    @invariant()
    def equal(self):
        assert list(self.set) == sorted(self.model)


class HolderVectorAgainstList(RuleBasedStateMachine):
    """A vector of adapter holders against a list of names: removals destroy
    what they remove, and the rest stays in order."""

    def __init__(self):
        import _qorctl_peer

        super().__init__()
        self.model = ["nic0", "nic1", "nic2", "nic3"]   # the model's own: reading names adds none
        self.vector = _qorctl_peer.pnic_vector(list(self.model))

    @precondition(lambda self: self.model)
    @rule()
    def pop_back(self):
        self.vector.pop_back()
        self.model.pop()

    @rule(start=st.integers(-5, 5), stop=st.integers(-5, 5))
    def delete_slice(self, start, stop):
        self.vector.__delslice__(start, stop)
        first, last = (max(0, min(i, len(self.model))) for i in (start, stop))
        del self.model[first:max(first, last)]

    @invariant()
    def equal(self):
        assert len(self.vector) == len(self.model)
        if self.model:
            ends = (self.vector.front().get().GetName(), self.vector.back().get().GetName())
            assert ends == (self.model[0], self.model[-1])


for machine in (VectorAgainstList, Uint32VectorAgainstList, MapAgainstDict, SetAgainstSet,
                HolderVectorAgainstList):
    machine.TestCase.settings = BUDGET

test_a_string_vector_behaves_as_a_list = VectorAgainstList.TestCase
test_a_number_vector_behaves_as_a_list = Uint32VectorAgainstList.TestCase
test_a_map_behaves_as_a_dict = MapAgainstDict.TestCase
test_the_string_set_behaves_as_a_set = SetAgainstSet.TestCase
test_a_holder_vector_behaves_as_a_list = HolderVectorAgainstList.TestCase
