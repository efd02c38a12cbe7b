"""Iterators over the container classes: walking, moving, comparing, and
staying inside their container."""

import gc

import pytest

import _qorctl as q
import qorctl


def strings(*items):
    return qorctl.StringVector(list(items))


def test_a_walk_ends_with_stop_iteration_every_time_after():
    it = strings("a", "b").iterator()
    assert [it.next(), it.__next__()] == ["a", "b"]
    for _ in range(3):
        with pytest.raises(StopIteration) as stop:
            it.next()
        assert stop.value.value is None
    assert list(strings("a", "b")) == ["a", "b"]


def test_a_fresh_iterator_cannot_step_back():
    it = strings("a").iterator()
    with pytest.raises(StopIteration):
        it.previous()
    assert it.value() == "a"  # the position did not move


@pytest.mark.parametrize("make", [
    lambda: strings("a", "b", "c", "d").begin(),
    lambda: strings("a", "b", "c", "d").iterator(),
    lambda: qorctl.StringSet(list("abcd")).begin(),
    lambda: qorctl.MapStringString(dict.fromkeys("abcd", "")).key_iterator(),
])
def test_distance_counts_steps_in_both_directions(make):
    first = make()
    later = first + 3
    assert (later - first, first - later) == (3, -3)
    assert (first.distance(later), later.distance(first)) == (3, -3)
    assert later.equal(first.copy().advance(3)) and later != first and not later == first
    assert (later - 2).distance(first) == -1


@pytest.mark.parametrize("left, right", [
    (lambda: strings("a").begin(), lambda: qorctl.Uint32Vector([1]).begin()),
    (lambda: strings("a").begin(), lambda: strings("a").rbegin()),
    (lambda: qorctl.StringSet(["a"]).begin(), lambda: qorctl.MapStringString({"a": "b"}).begin()),
])
def test_iterators_of_different_kinds_do_not_compare(left, right):
    a, b = left(), right()
    for compare in (a.equal, a.distance, a.__eq__, a.__ne__, a.__sub__):
        with pytest.raises(ValueError, match="^bad iterator type$"):
            compare(b)
    with pytest.raises(ValueError, match="^invalid null reference in method 'SwigPyIterator_distance', "
                                         "argument 2 of type 'swig::SwigPyIterator const &'$"):
        a.distance(None)


@pytest.mark.parametrize("name", ["incr", "decr"])
def test_counted_moves_name_their_prototypes_when_the_count_is_wrong(name):
    it = strings("a").begin()
    expected = ("Wrong number or type of arguments for overloaded function 'SwigPyIterator_%s'.\n"
                "  Possible C/C++ prototypes are:\n"
                "    swig::SwigPyIterator::%s(size_t)\n"
                "    swig::SwigPyIterator::%s()\n" % (name, name, name))
    for args in (("x",), (-1,), (1, 2)):
        with pytest.raises(NotImplementedError) as caught:
            getattr(it, name)(*args)
        assert str(caught.value) == expected


def test_open_iterators_stop_at_the_ends_of_their_container():
    v = strings("a", "b")
    with pytest.raises(StopIteration):
        v.end().value()
    with pytest.raises(StopIteration):
        v.rend().value()
    with pytest.raises(StopIteration):
        v.begin().decr()
    it = v.begin()
    with pytest.raises(StopIteration):
        it.incr(5)
    assert it.equal(v.end())  # moved as far as the end, no further
    assert v.rbegin().value() == "b" and (v.rend() - 1).value() == "a"
    # A vector that shrinks under an iterator leaves it past the end, not in freed memory.
    it = v.begin() + 1
    v.clear()
    with pytest.raises(StopIteration):
        it.value()


def test_iterators_keep_their_container_alive_until_it_is_deleted():
    it = strings("kept").iterator()
    gc.collect()
    assert it.value() == "kept"
    v = strings("mine")
    it = v.begin()
    v.this = qorctl.Uint32Vector([5]).this  # the object now carries another container
    assert it.value() == "mine"
    v = strings("gone")
    it = v.begin()
    q.delete_StringVector(v)
    with pytest.raises(ValueError, match="deleted"):
        it.value()


def test_moves_answer_the_iterator_itself_so_no_result_outlives_it():
    it = strings("a", "b", "c").begin()
    first = it
    it += 2
    assert it is first and it.value() == "c" and it.thisown
    it -= 1
    assert it.value() == "b"
    moved = strings("x", "y").begin().advance(1)  # the only reference to a temporary iterator
    gc.collect()
    assert moved.value() == "y" and moved.incr(0) is moved and moved.incr() is moved
    with pytest.raises(StopIteration):
        moved.incr()
    assert moved.decr().value() == "y"


def test_map_iterators_walk_keys_values_or_entries_in_key_order():
    m = qorctl.MapStringString({"y": "2", "x": "1"})
    assert list(m.key_iterator()) == ["x", "y"]
    assert list(m.value_iterator()) == ["1", "2"]
    assert list(m.iterator()) == [("x", "1"), ("y", "2")]
    assert [k for k in m] == ["x", "y"]


def test_erase_and_insert_take_only_this_containers_iterators():
    v, other = strings("a", "b"), strings("c")
    with pytest.raises(ValueError, match="^iterator of another container$"):
        v.erase(other.begin())
    with pytest.raises(TypeError, match=r"^in method 'StringVector_erase', argument 2 of type"):
        v.erase(qorctl.Uint32Vector([1]).begin())
    with pytest.raises(TypeError, match=r"^in method 'StringVector_erase', argument 3 of type"):
        v.erase(v.begin(), v.rend())
    with pytest.raises(IndexError, match="^iterator out of range$"):
        v.erase(v.end())
    with pytest.raises(ValueError, match="^iterator range runs backwards$"):
        v.erase(v.end(), v.begin())
    with pytest.raises(ValueError, match="^iterator of another container$"):
        v.insert(other.begin(), "x")
    with pytest.raises(IndexError, match="^container is empty$"):
        strings().front()
    assert v.insert(v.end(), "z").value() == "z"
    assert v.insert(v.begin(), 2, "y") is None
    assert list(v) == ["y", "y", "a", "b", "z"]
    assert v.erase(v.begin() + 1, v.end() - 1).value() == "z" and list(v) == ["y", "z"]


# ---- holder vectors ----------------------------------------------------------------------------

def test_iterating_a_holder_vector_moves_each_object_into_a_new_holder(peer, live):
    pnics = peer.pnic_vector(["nic0", "nic1"])
    assert type(pnics) is qorctl.PnicVector and live() == 2
    lent = pnics.front()
    assert type(lent) is qorctl.PnicPtr and not lent.thisown and lent.get().GetName() == "nic0"
    it = pnics.iterator()
    moved = it.value()
    assert moved.get().GetName() == "nic0" and not lent.__nonzero__()  # the vector's holder is empty now
    assert not it.value().__nonzero__()  # a second read finds the emptied holder
    taken = [moved] + list(it)[1:]
    assert [h.get().GetName() for h in taken] == ["nic0", "nic1"] and len(pnics) == 2
    del pnics
    assert live() == 2  # the objects live on in their new holders
    for holder in taken:
        holder.reset()
    assert live() == 0


def test_holder_vector_removals_destroy_the_objects_they_held(peer, live):
    pnics = peer.pnic_vector(["a", "b", "c", "d"])
    pnics.pop_back()
    assert live() == 3 and pnics.back().get().GetName() == "c"
    pnics.__delslice__(0, 1)
    assert live() == 2 and pnics.front().get().GetName() == "b"
    other = peer.pnic_vector(["z"])
    pnics.swap(other)
    assert (len(pnics), len(other)) == (1, 2)
    other.clear()
    assert live() == 1 and not other
    del pnics
    assert live() == 0
    with pytest.raises(IndexError):
        other.front()


@pytest.mark.parametrize("make", [lambda: strings("a", "b"), lambda: qorctl.StringSet(["a", "b"]),
                                  lambda: qorctl.MapStringString({"a": "1", "b": "2"})])
def test_iterators_of_two_containers_of_one_class_are_simply_unequal(make):
    one, other = make(), make()
    assert not one.begin().equal(other.begin()) and one.begin() != other.begin()
    assert one.begin() == one.begin() and one.end() == one.end()


@pytest.mark.parametrize("reverse", [False, True], ids=["forward", "reverse"])
def test_a_map_iterator_whose_entry_goes_moves_on_to_the_next_and_never_reads_it(reverse):
    m = qorctl.MapStringString({k: k.upper() for k in "abcde"})
    it = m.rbegin() if reverse else m.begin()
    it.incr(2)                                   # at "c" either way
    assert it.value() == ("c", "C")
    del m["c"]
    assert it.value() == (("b", "B") if reverse else ("d", "D"))
    m.erase("b" if reverse else "d")
    m["0" if reverse else "z"] = "new"      # the map grows at the far end meanwhile
    assert [it.next()[0], it.next()[0]] == (["a", "0"] if reverse else ["e", "z"])
    with pytest.raises(StopIteration):
        it.next()
    it.decr()
    m.clear()
    with pytest.raises(StopIteration):
        it.value()
    with pytest.raises(StopIteration):
        it.next()


def test_a_set_walk_survives_removals_behind_and_ahead_of_it():
    s = qorctl.StringSet(list("abcdef"))
    it = s.begin()
    seen = []
    while True:
        try:
            value = it.next()
        except StopIteration:
            break
        seen.append(value)
        if value == "b":
            s.erase("a")      # behind
            s.erase("d")      # ahead
    assert seen == ["a", "b", "c", "e", "f"] and list(s) == ["b", "c", "e", "f"]
