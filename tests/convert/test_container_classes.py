"""The container classes as Python objects: vectors of every element kind,
the string-keyed maps, the string set and the string pair."""

import pytest

import qorctl


def _record(cls, field):
    def make(i):
        obj = cls()
        setattr(obj, field, i)
        return obj
    return make


# Per vector class: how to make element i, and how to read an element back as i.
KINDS = {
    "StringVector": (lambda i: "e%d" % i, lambda e: int(e[1:])),
    "Uint32Vector": (lambda i: i, lambda e: e),
    "Uint64Vector": (lambda i: 2**40 + i, lambda e: e - 2**40),
    "VectorPair": (lambda i: ("k%d" % i, "v"), lambda e: int(e[0][1:])),
    "BootDeviceVector": (_record(qorctl.BootDevice, "type"), lambda e: e.type),
    "PortRangeVector": (_record(qorctl.PortRange, "min"), lambda e: e.min),
    "DVPortVlanRangeVector": (_record(qorctl.DVPortVlanRange, "minVlanId"), lambda e: e.minVlanId),
}


@pytest.fixture(params=sorted(KINDS))
def vec(request):
    """make(n) -> a vector of elements 0..n-1; read(v) -> their numbers."""
    cls = getattr(qorctl, request.param)
    make, number = KINDS[request.param]
    keep = []  # a pointer vector never owns its records: the test keeps them alive

    def kept(i):
        keep.append(make(i))
        return keep[-1]

    class Kind:
        element = staticmethod(kept)

        @staticmethod
        def new(n):
            return cls([kept(i) for i in range(n)])

        @staticmethod
        def read(v):
            return [number(e) for e in v]
    return Kind


def test_indices_count_from_either_end_and_stop_at_the_bounds(vec):
    v = vec.new(3)
    assert vec.read([v[0], v[-1], v[-3]]) == [0, 2, 0]
    for bad in (3, -4, 2**62, -2**62):
        with pytest.raises(IndexError, match="^index out of range$"):
            v[bad]
        with pytest.raises(IndexError, match="^index out of range$"):
            v[bad] = vec.element(9)
        with pytest.raises(IndexError, match="^index out of range$"):
            del v[bad]
    v[-1] = vec.element(7)
    del v[0]
    assert vec.read(v) == [1, 7] and len(v) == 2 and v.size() == 2 and bool(v)


SLICES = [slice(None), slice(1, 3), slice(5, 2), slice(20, 25), slice(-3, None), slice(None, None, -1),
          slice(None, None, 2), slice(1, None, 3), slice(8, 1, -2), slice(-2, -9, -1), slice(2, 2, -1),
          slice(-100, 100, 4), slice(100, -100, -3)]


@pytest.mark.parametrize("s", SLICES, ids=str)
def test_slices_select_what_a_list_would(vec, s):
    v = vec.new(10)
    expected = list(range(10))[s]
    assert vec.read(v[s]) == expected
    del v[s]
    assert vec.read(v) == [i for i in range(10) if i not in expected]


def test_slice_assignment_resizes_for_step_one_and_needs_equal_lengths_otherwise(vec):
    v = vec.new(5)
    v[1:3] = [vec.element(7)] * 3
    assert vec.read(v) == [0, 7, 7, 7, 3, 4]
    v[::-2] = [vec.element(i) for i in (8, 8, 8)]
    assert vec.read(v) == [0, 8, 7, 8, 3, 8]
    v[:] = v  # the vector itself as the source
    assert len(v) == 6
    before = vec.read(v)
    with pytest.raises(ValueError, match="^attempt to assign sequence of size 2 to extended slice of size 3$"):
        v[::2] = [vec.element(1), vec.element(2)]
    with pytest.raises(ValueError, match="^slice step cannot be zero$"):
        v[::0]
    with pytest.raises(ValueError, match="^slice step cannot be zero$"):
        v[::0] = []
    with pytest.raises(TypeError):
        v["a":]
    assert vec.read(v) == before


def test_plain_bounds_are_clamped_not_counted_from_the_end(vec):
    v = vec.new(5)
    assert vec.read(v.__getslice__(-2, 2)) == [0, 1]
    v.__setslice__(-9, 1, [vec.element(9)])
    assert vec.read(v) == [9, 1, 2, 3, 4]
    v.__delslice__(3, 99)
    v.__setslice__(0, 1)
    assert vec.read(v) == [1, 2]


def test_an_empty_vector_refuses_to_give_up_elements(vec):
    v = vec.new(0)
    assert not v and len(v) == 0 and v.empty()
    with pytest.raises(IndexError, match="^pop from empty container$"):
        v.pop()
    for method in (v.front, v.back, v.pop_back):
        with pytest.raises(IndexError):
            method()
    v.push_back(vec.element(4))
    assert vec.read([v.front(), v.back(), v.pop()]) == [4, 4, 4] and len(v) == 0


def test_counts_build_resize_and_assign(vec):
    v = vec.new(2)
    v.resize(4, vec.element(6))
    assert vec.read(v)[2:] == [6, 6]
    v.assign(3, vec.element(5))
    assert vec.read(v) == [5, 5, 5]
    v.reserve(50)
    assert v.capacity() >= 50
    v.resize(1)
    assert len(v) == 1
    with pytest.raises((OverflowError, MemoryError)):
        v.reserve(2**62)


def test_a_failed_conversion_leaves_the_vector_as_it_was():
    v = qorctl.StringVector(["a", "b"])
    for call in (lambda: v.__setitem__(slice(0, 1), ["x", 5]), lambda: v.append(None),
                 lambda: v.__setitem__(0, 3), lambda: v.swap(None)):
        with pytest.raises((TypeError, ValueError, NotImplementedError)):
            call()
    assert list(v) == ["a", "b"]
    other = qorctl.StringVector(["c"])
    v.swap(other)
    assert (list(v), list(other)) == (["c"], ["a", "b"])


def test_text_vectors_read_strings_as_sequences_and_integers_keep_their_range():
    assert list(qorctl.StringVector("abc")) == ["a", "b", "c"]
    assert list(qorctl.StringVector(2)) == ["", ""]
    v = qorctl.Uint32Vector([2**32 - 1])
    with pytest.raises(OverflowError):
        v.append(2**32)
    assert list(v) == [2**32 - 1]


def test_record_values_are_lent_by_index_and_copied_by_iteration():
    devices = qorctl.BootDeviceVector([qorctl.BootDevice(), qorctl.BootDevice()])
    devices[0].type = 5          # a proxy of the element inside the vector
    devices.front().name = "disk"
    for device in devices.iterator():
        device.type = 9          # a copy
    assert [(d.type, d.name) for d in devices] == [(5, "disk"), (0, "")]
    assert not devices[0].thisown and next(iter(devices)).thisown
    with pytest.raises(ValueError, match="invalid null reference"):
        devices.append(None)


def test_record_pointer_vectors_hold_null_and_never_own():
    mac = qorctl.MacAddress()
    macs = qorctl.MacAddressVector([mac, None])
    assert int(macs[0].this) == int(mac.this) and not macs[0].thisown and macs[1] is None
    del macs
    assert mac.this  # the record outlives the vector


# ---- maps -----------------------------------------------------------------------------------

MAPS = [("MapStringString", "v", "v"), ("MapStringPair", ("a", "b"), ("a", "b")),
        ("MapStringVector", ["a", "b"], ("a", "b"))]


@pytest.mark.parametrize("name, value, read", MAPS)
def test_maps_look_up_by_key_and_report_missing_keys_as_index_errors(name, value, read):
    m = getattr(qorctl, name)({"y": value, "x": value})
    assert m.keys() == ["x", "y"] and m.values() == [read, read] and m.items() == [("x", read), ("y", read)]
    assert m["x"] == read and "x" in m and m.has_key("y") and "z" not in m and m.count("z") == 0
    assert list(m) == ["x", "y"] and m.asdict() == {"x": read, "y": read}
    for missing in (lambda: m["z"], lambda: m.__delitem__("z")):
        with pytest.raises(IndexError, match="^key not found$"):
            missing()
    m.__setitem__("z")  # removing a missing key is silent
    m.__setitem__("x")
    m["w"] = value
    assert m.keys() == ["w", "y"] and len(m) == 2
    assert m.find("q").equal(m.end()) and m.find("w").value() == ("w", read)
    assert m.erase("w") == 1 and m.erase("w") == 0


def test_a_map_erases_by_iterator_and_range_and_is_built_from_dicts_only():
    m = qorctl.MapStringString({"a": "1", "b": "2", "c": "3"})
    following = m.erase(m.begin())
    assert following.value() == ("b", "2")
    m.erase(m.begin(), m.end())
    assert not m and m.size() == 0
    with pytest.raises(NotImplementedError):
        qorctl.MapStringString([("a", "b")])


# ---- the set and the pair -------------------------------------------------------------------

def test_the_string_set_inserts_once_and_indexes_in_sorted_order():
    s = qorctl.StringSet(["b", "a", "b"])
    assert list(s) == ["a", "b"] and s[-1] == "b" and s[0] == "a"
    at, inserted = s.insert("a")
    assert (at.value(), inserted) == ("a", False)
    assert s.insert("c")[1] is True
    s.discard("zz")
    s.add("d")
    first, last = s.equal_range("b")
    assert first.value() == "b" and last.value() == "c"
    with pytest.raises(IndexError, match="^index out of range$"):
        s[4]
    assert s.erase("a") == 1 and list(s) == ["b", "c", "d"] and "c" in s


def test_the_pair_is_built_from_two_texts_or_a_pair_and_refuses_null_text():
    assert (qorctl.PairStringString().first, qorctl.PairStringString().second) == ("", "")
    pair = qorctl.PairStringString("a", "b")
    copy = qorctl.PairStringString(pair)
    copy.first = "z"
    assert (pair.first, copy.first, qorctl.PairStringString(("c", "d")).second) == ("a", "z", "d")
    with pytest.raises(ValueError, match="invalid null reference"):
        pair.second = None


# ---- messages of the container functions -----------------------------------------------------

VECTOR = "std::vector< std::string,std::allocator< std::string > >"
MAP = "std::map< std::string,std::string,std::less< std::string >,std::allocator< std::pair< std::string const,std::string > > >"
SET = "std::set< std::string,std::less< std::string >,std::allocator< std::string > >"
CONTAINERS = {
    "StringVector": (lambda: qorctl.StringVector(["a", "b"]), VECTOR),
    "MapStringString": (lambda: qorctl.MapStringString({"a": "1", "b": "2"}), MAP),
    "StringSet": (lambda: qorctl.StringSet(["a", "b"]), SET),
}


@pytest.mark.parametrize("cls, name, args, number", [
    ("StringVector", "erase", lambda c: (None,), 2),
    ("StringVector", "erase", lambda c: (c.begin(), None), 3),
    ("StringVector", "insert", lambda c: (None, "x"), 2),
    ("StringVector", "insert", lambda c: (None, 2, "x"), 2),
    ("MapStringString", "erase", lambda c: (None,), 2),
    ("StringSet", "erase", lambda c: (None,), 2),
    ("StringSet", "erase", lambda c: (None, c.end()), 2),
])
def test_iterator_arguments_take_only_the_containers_own_iterators(cls, name, args, number):
    make, spelled = CONTAINERS[cls]
    container = make()
    before = list(container)
    with pytest.raises(TypeError) as error:
        getattr(container, name)(*args(container))
    assert str(error.value) == f"in method '{cls}_{name}', argument {number} of type '{spelled}::iterator'"
    assert list(container) == before


@pytest.mark.parametrize("cls, prototypes", [
    ("StringVector", ["({C}::iterator)", "({C}::iterator,{C}::iterator)"]),
    ("MapStringString", ["(std::string const &)", "({C}::iterator)", "({C}::iterator,{C}::iterator)"]),
])
def test_erase_overloads_name_the_containers_iterator_type(cls, prototypes):
    make, spelled = CONTAINERS[cls]
    with pytest.raises(NotImplementedError) as error:
        make().erase(5)
    assert str(error.value) == (
        f"Wrong number or type of arguments for overloaded function '{cls}_erase'.\n"
        "  Possible C/C++ prototypes are:\n"
        + "".join(f"    {spelled}::erase{p.replace('{C}', spelled)}\n" for p in prototypes))


@pytest.mark.parametrize("field", ["first", "second"])
@pytest.mark.parametrize("value, kind, prefix", [(None, ValueError, "invalid null reference "),
                                                 (5, TypeError, "")])
def test_pair_setters_name_their_const_reference(field, value, kind, prefix):
    pair = qorctl.PairStringString("a", "b")
    with pytest.raises(kind) as error:
        setattr(pair, field, value)
    assert str(error.value) == (f"{prefix}in method 'PairStringString_{field}_set', argument 2 of type "
                                "'std::string const &'")
    assert (pair.first, pair.second) == ("a", "b")
