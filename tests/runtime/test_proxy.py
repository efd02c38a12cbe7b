"""Proxy objects: representation, comparison, ownership, chains of views and
conversion of proxies back to library pointers."""

import re
import sys

import pytest

import _qorctl as q
import qorctl  # noqa: F401  (classes registered: owned objects are destroyed, not leaked)

PNIC_MSG = "in method 'Pnic_GetName', argument 1 of type 'HostCtl::Network::Pnic const *'"


@pytest.fixture
def pnic():
    return q.new_PnicImpl("nic0")


def type_text(proxy):
    match = re.fullmatch(r"<Swig Object of type '(.*)' at (0x[0-9a-f]+)>", repr(proxy))
    assert match, repr(proxy)
    return match.group(1)


# ---- representation -----------------------------------------------------------------

@pytest.mark.parametrize(
    "make, expected",
    [
        (lambda peer: q.new_PnicImpl("nic0"), "QorCtl::Network::PnicImpl *"),
        (lambda peer: q.new_VMPoint(), "VMPoint *"),
        (lambda peer: q.new_HostCtlException("x"), "QorCtl::Lib::QorCtlException *"),
        (lambda peer: peer.wrap(1, "_p_HostCtl__Network__Pnic"), "std::unique_ptr< HostCtl::Network::Pnic >::pointer"),
        (lambda peer: peer.wrap(1, "_p_HostCtl__Host"), "HostCtl::HostPtr"),
        (lambda peer: peer.make("gadget"), "PeerGadget *"),
    ],
    ids=["impl", "record", "exception-alias", "pnic-alias", "host-typedef", "foreign"],
)
def test_repr_names_last_display_name_and_proxy_address(peer, make, expected):
    proxy = make(peer)
    assert repr(proxy) == str(proxy) == proxy.__repr__() == f"<Swig Object of type '{expected}' at {id(proxy):#x}>"


def test_repr_appends_next_views_and_int_is_object_address(peer, pnic):
    point, gadget = q.new_VMPoint(), peer.make("gadget")
    alone = repr(pnic)
    pnic.append(point)
    point.append(gadget)
    assert repr(pnic) == alone + repr(point)
    assert repr(point).endswith(repr(gadget)) and repr(point).count("Swig Object") == 2
    assert int(pnic) == peer.address_as(pnic, "QorCtl::Network::PnicImpl *") != id(pnic)
    assert pnic.next() is point and point.next() is gadget and gadget.next() is None


def test_proxy_type_is_fixed(pnic):
    kind = type(pnic)
    assert kind.__name__ == "SwigPyObject"
    with pytest.raises(TypeError):
        type("Sub", (kind,), {})
    with pytest.raises(AttributeError):
        pnic.anything = 1


# ---- comparison ---------------------------------------------------------------------

def test_equality_compares_addresses_whatever_the_types(peer, pnic):
    same_address = peer.wrap(int(pnic), "_p_HostCtl__Network__Pnic")
    other = q.new_PnicImpl("nic1")
    assert pnic == same_address and not (pnic != same_address)
    assert pnic != other and not (pnic == other)
    assert (pnic == q.HostFactory_GetHost().this) is False


@pytest.mark.parametrize("other", [5, None, "nic0", object()])
def test_equality_with_non_proxy_is_false(pnic, other):
    assert (pnic == other) is False and (other == pnic) is False
    assert (pnic != other) is True


@pytest.mark.parametrize("op", ["<", "<=", ">", ">="])
def test_ordering_raises_type_error(peer, pnic, op):
    same_address = peer.wrap(int(pnic), "_p_HostCtl__Network__Pnic")
    with pytest.raises(TypeError, match=f"'{op}' not supported between instances of 'SwigPyObject' and 'SwigPyObject'"):
        eval(f"a {op} b", {"a": pnic, "b": same_address})


def test_proxy_is_unhashable(pnic):
    with pytest.raises(TypeError, match="unhashable type: 'SwigPyObject'"):
        hash(pnic)
    with pytest.raises(TypeError):
        {pnic}


# ---- ownership ----------------------------------------------------------------------

@pytest.mark.parametrize(
    "steps, results, final",
    [
        ([("own",)], [True], True),
        ([("own", False), ("own",)], [True, False], False),
        ([("own", 0), ("own", 1), ("own",)], [True, False, True], True),
        ([("own", ""), ("own", [1]), ("own",)], [True, False, True], True),
        ([("disown",), ("own",), ("acquire",), ("own",)], [None, False, None, True], True),
        ([("acquire",), ("acquire",)], [None, None], True),
    ],
)
def test_own_disown_acquire(steps, results, final):
    point = q.new_VMPoint()
    assert [getattr(point, name)(*args) for name, *args in steps] == results
    assert point.own() is final
    point.acquire()


class Untruthful:
    def __bool__(self):
        raise ZeroDivisionError("no truth here")


@pytest.mark.parametrize("owning", [True, False])
def test_own_with_failing_truth_test_raises_and_changes_nothing(owning):
    point = q.new_VMPoint()
    point.own(owning)
    with pytest.raises(ZeroDivisionError, match="no truth here"):
        point.own(Untruthful())
    assert point.own() is owning
    point.acquire()


def test_own_takes_at_most_one_argument():
    point = q.new_VMPoint()
    with pytest.raises(TypeError, match="own expected at most 1 argument, got 2"):
        point.own(True, False)
    assert point.own() is True


def test_proxies_made_where_others_died_start_afresh():
    # More proxies die than the runtime keeps the memory of, and as many are
    # made again: owning ones and members (not owning, each holding its owner).
    points = [qorctl.VMPoint() for _ in range(100)]
    for x, point in enumerate(points):
        point.x = x
    del points[::2]
    record = qorctl.iScsiNetworkProperties()
    members = [record.ipConfig for _ in range(25)]
    points += [qorctl.VMPoint() for _ in range(25)]
    proxies = [p.this for p in points + members]
    assert len({id(proxy) for proxy in proxies}) == 100 and all(proxy.next() is None for proxy in proxies)
    assert [p.x for p in points] == list(range(1, 100, 2)) + [0] * 25
    assert [p.this.own() for p in points + members] == [True] * 75 + [False] * 25
    del record, points, proxies
    assert all(member.IsIpv4Valid() in (True, False) for member in members)  # the record lives on in them


# ---- objects inside other objects ------------------------------------------------------

@pytest.mark.parametrize(
    "make, member",
    [
        (lambda: qorctl.iScsiNetworkProperties(), lambda owner: owner.ipConfig),
        (lambda: qorctl.BootDeviceVector([qorctl.BootDevice()]), lambda owner: owner[0]),
        (lambda: qorctl.BootDeviceVector([qorctl.BootDevice()]), lambda owner: owner.back()),
    ],
    ids=["field", "element", "back"],
)
def test_a_member_keeps_the_proxy_it_lives_in(make, member):
    # `record().field.Method()` in one expression must not read a freed record:
    # the member's proxy holds its owner's proxy until the member goes.
    owner = make()
    this = owner.this
    held = sys.getrefcount(this)
    inside = member(owner)
    assert sys.getrefcount(this) == held + 1
    del owner
    assert sys.getrefcount(this) == held  # the member alone keeps the owner's proxy
    del inside
    assert sys.getrefcount(this) == held - 1


def test_a_member_of_a_temporary_record_is_usable_in_one_expression():
    assert qorctl.iScsiNetworkProperties().ipConfig.IsIpv4Valid() in (True, False)


# ---- chains of views ------------------------------------------------------------------

@pytest.mark.parametrize("bad", [5, None, "proxy", object()])
def test_append_of_non_proxy_raises_and_keeps_next(peer, pnic, bad):
    point = q.new_VMPoint()
    pnic.append(point)
    with pytest.raises(TypeError):
        pnic.append(bad)
    assert pnic.next() is point


def test_append_replaces_and_releases_previous_next(peer, pnic):
    first, second = peer.make("alpha"), peer.make("beta")
    assert pnic.next() is None
    base = sys.getrefcount(first)
    pnic.append(first)
    assert sys.getrefcount(first) == base + 1 and pnic.next() is first
    pnic.append(second)
    assert sys.getrefcount(first) == base and pnic.next() is second


def test_conversion_walks_the_chain(peer, pnic):
    point = q.new_VMPoint()
    point.append(peer.make("gadget"))
    point.append(pnic)
    q.VMPoint_x_set(point, 7)          # the head matches itself
    assert q.VMPoint_x_get(point) == 7
    assert q.Pnic_GetName(point) == "nic0"            # found further down, through an edge
    assert q.HostCtlObject_GetName(point) == "nic0"
    lone = q.new_VMPoint()
    with pytest.raises(TypeError, match=re.escape(PNIC_MSG)):
        q.Pnic_GetName(lone)


def test_conversion_through_this_attributes(peer, pnic):
    class Holder:
        def __init__(self, this):
            self.this = this

    class Fresh:
        """A `this` made afresh on every read, referenced by nobody else."""
        @property
        def this(self):
            return peer.wrap(int(pnic), "_p_QorCtl__Network__PnicImpl")

    class Failing:
        @property
        def this(self):
            raise RuntimeError("no this")

    class Looping:
        @property
        def this(self):
            return self

    assert q.Pnic_GetName(Holder(Holder(pnic))) == "nic0"
    assert q.Pnic_GetName(Fresh()) == "nic0"
    for bad in [Holder(5), Failing(), Looping(), Holder(None)]:
        with pytest.raises(TypeError) as info:
            q.Pnic_GetName(bad)
        assert str(info.value) == PNIC_MSG and info.value.__context__ is None


def test_the_proxy_classes_keep_this_in_a_slot_read_only_where_it_belongs():
    point = qorctl.VMPoint()
    assert "this" not in vars(point)
    point.note = "an attribute of the script's own"
    assert q.VMPoint_x_get(point) == 0 and point.note == "an attribute of the script's own"

    class Other:
        __slots__ = ("this",)  # where a VMPoint keeps its own: only the class check tells them apart

    class Planted(qorctl.VMPoint):
        pass

    planted = Planted()
    Planted.this = Other.__dict__["this"]
    with pytest.raises(TypeError, match=re.escape("in method 'VMPoint_x_get', argument 1 of type")):
        q.VMPoint_x_get(planted)

    class Computed(qorctl.VMPoint):
        """A subclass may compute `this`; the lookup then goes the generic way."""
        @property
        def this(self):
            return point.this

    assert q.VMPoint_x_get(Computed.__new__(Computed)) == 0


def test_a_class_changed_after_use_is_looked_up_afresh():
    class Mutable(qorctl.VMPoint):
        pass

    mutable, other = Mutable(), qorctl.VMPoint()
    q.VMPoint_x_set(other, 9)
    assert q.VMPoint_x_get(mutable) == 0  # read through the slot, which is remembered
    Mutable.this = property(lambda self: other.this)
    assert q.VMPoint_x_get(mutable) == 9


# ---- conversion through the edges ------------------------------------------------------

def test_impl_converts_to_interface_and_both_bases(peer, pnic):
    address = int(pnic)
    assert peer.address_as(pnic, "QorCtl::Lib::QorCtlObject *") == address              # the one plain base
    # The interface and the shared HostCtlObject are virtual bases (the storage
    # adapter's implementation derives from the interface twice over): compare
    # with the library's own casts.
    interface = q.PnicPtr_release(q.new_PnicPtr(pnic))
    assert peer.address_as(pnic, "_p_HostCtl__Network__Pnic") == int(interface.this) != address
    holder = q.new_HostCtlObjectPtr(pnic)
    base = q.HostCtlObjectPtr_release(holder)
    assert peer.address_as(pnic, "_p_HostCtl__Lib__HostCtlObject") == int(base.this)


@pytest.mark.parametrize(
    "call, expected",
    [
        (q.Pnic_GetName, "nic1"),
        (q.PnicImpl_GetName, "nic1"),
        (q.HostCtlObject_GetName, "nic1"),
        (q.QorCtlObject_IsConfigDirty, True),
        (q.QorCtlObject_MarkConfigDirty, None),
        (lambda p: q.QorCtlObject_Print(p, None), None),
    ],
)
def test_impl_proxy_serves_every_base_class_operation(call, expected):
    pnic = q.new_PnicImpl("nic1")
    assert call(pnic) == expected
    assert q.HostCtlObject_GetName(pnic) == "nic1"


@pytest.mark.parametrize(
    "view, call, message",
    [
        ("_p_HostCtl__Lib__HostCtlObject", q.Pnic_GetName, PNIC_MSG),
        ("_p_HostCtl__Network__Pnic", q.PnicImpl_GetName,
         "in method 'PnicImpl_GetName', argument 1 of type 'QorCtl::Network::PnicImpl const *'"),
        ("_p_QorCtl__Lib__QorCtlObject", q.Pnic_GetName, PNIC_MSG),
        ("_p_HostCtl__Lib__HostCtlObject", q.QorCtlObject_IsConfigDirty,
         "in method 'QorCtlObject_IsConfigDirty', argument 1 of type 'QorCtl::Lib::QorCtlObject *'"),
    ],
)
def test_no_down_casts(peer, pnic, view, call, message):
    base_view = peer.wrap(int(pnic), view)
    with pytest.raises(TypeError) as info:
        call(base_view)
    assert str(info.value) == message


def test_foreign_proxies_convert_both_ways(peer):
    point = q.new_VMPoint()
    q.VMPoint_x_set(point, -4)
    foreign = peer.wrap(int(point), "VMPoint *")
    assert type(foreign) is not type(point)
    assert q.VMPoint_x_get(foreign) == -4
    assert peer.address_as(point, "_p_VMPoint") == int(point)
    with pytest.raises(TypeError, match=re.escape(PNIC_MSG)):
        q.Pnic_GetName(peer.make("gadget"))


def test_none_is_a_null_pointer(peer):
    assert peer.address_as(None, "_p_HostCtl__Lib__HostCtlObject") is None
    holder = q.new_PnicPtr(None)
    assert q.PnicPtr_get(holder) is None and q.PnicPtr___nonzero__(holder) is False


def test_disown_flag_of_conversion_clears_only_the_matching_view(peer):
    point, gadget = q.new_VMPoint(), peer.make("gadget")
    gadget.acquire()
    point.append(gadget)
    assert peer.address_as(point, "_p_PeerGadget", True) == int(gadget)
    assert gadget.own() is False and point.own() is True


# ---- destruction of owned objects -----------------------------------------------------

DESTROY_SNIPPET = """
    import sys
    import _qorctl as q
    import _qorctl_peer as peer

    sys.unraisablehook = lambda u: print('unraisable', type(u.exc_value).__name__, u.exc_value)

    class Adapter:
        __swig_destroy__ = {destroy}
    q.PnicImpl_swigregister(Adapter)
    before = peer.live_objects()
    adapter = q.new_PnicImpl('nic4')
    print(q.Pnic_GetName(adapter))
    del adapter
    print('left alive:', peer.live_objects() - before)

    class Computed:  # its proxy dies as the call that converted it ends
        this = property(lambda self: q.new_PnicImpl('nic5'))
    print(q.Pnic_GetName(Computed()), 'computed; left alive:', peer.live_objects() - before)
"""


@pytest.mark.parametrize("destroy, deleted", [
    ("q.delete_PnicImpl", True),
    ("q.delete_HostCtlObject", True),   # through the virtual base: the pointer must be converted
    ("staticmethod(lambda proxy: q.delete_PnicImpl(proxy))", True),
    ("q.delete_MacAddress", False),      # no conversion: refused, as the function itself refuses
], ids=["own-delete", "base-delete", "python-function", "unrelated-delete"])
def test_a_dying_owner_deletes_through_its_classes_destroy_function(python_snippet, destroy, deleted):
    result = python_snippet(DESTROY_SNIPPET.format(destroy=destroy))
    assert result.returncode == 0, result.stderr
    refusal = ("unraisable TypeError in method 'delete_MacAddress', argument 1 of type "
               "'HostCtl::Network::MacAddress *'")
    expected = ["nic4", "left alive: 0", "nic5 computed; left alive: 0"] if deleted else [
        "nic4", refusal, "left alive: 1", refusal, "nic5 computed; left alive: 2"]
    assert result.stdout.splitlines() == expected
