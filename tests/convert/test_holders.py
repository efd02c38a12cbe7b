"""Holder classes: the library's owning pointers as Python objects.

Destruction is watched through the stand-in library's count of live concrete
objects (the test-only module's `live_objects`)."""

import pytest

import _qorctl as q
import qorctl

PNIC = "std::unique_ptr< HostCtl::Network::Pnic >"
FUNCTIONS = ["new_{}", "{}_release", "{}_reset", "{}_swap", "{}_get", "{}___nonzero__", "delete_{}",
             "{}_swigregister"]


@pytest.fixture
def pnics(live):
    """The adapters of the network information object, each in its own holder;
    holders still full at the end are emptied so later tests count from zero."""
    holders = qorctl.NetworkInfoImpl().GetPnics()
    yield holders
    for holder in holders:
        holder.reset()


def test_every_holder_class_has_its_eight_functions_in_order():
    names = list(vars(q))
    holders = [name[: -len("_swigregister")] for name in names if name.endswith("Ptr_swigregister")]
    assert len(holders) == 104
    assert {"VscsiDiskIOFilterStatsPtr", "EntropydInfogPtr", "HostCtlObjectPtr", "PathSelectionPolicyPtr"} <= \
        set(holders)
    for holder in holders:
        start = names.index("new_" + holder)
        assert names[start:start + 8] == [f.format(holder) for f in FUNCTIONS]
        assert not hasattr(q, holder + "___bool__")


def test_a_holder_proxy_converts_as_each_of_its_three_names(peer):
    mangled = "_p_std__unique_ptrT_HostCtl__Network__Pnic_t"
    for name in ("HostCtl::Network::PnicPtr *", PNIC + " *",
                 "std::vector< std::unique_ptr< HostCtl::Network::Pnic > >::value_type *"):
        assert peer.lookup_type_by_name(name) == mangled


def test_a_list_operation_hands_over_a_tuple_of_holders_the_proxies_do_not_own(live, pnics):
    assert isinstance(pnics, tuple) and len(pnics) == 4
    assert all(type(h) is qorctl.PnicPtr and not h.thisown and h.__nonzero__() for h in pnics)
    assert live() == 4
    assert [h.get().GetName() for h in pnics] == ["nic0", "nic1", "nic2", "nic3"]


def test_objects_die_exactly_when_their_holder_is_reset_or_deleted(live, pnics):
    pnics[0].reset()
    assert live() == 3 and not pnics[0].__nonzero__() and pnics[0].get() is None
    assert pnics[0].reset() is None  # emptying an empty holder does nothing
    assert live() == 3
    pnics[2].reset(pnics[3].release())  # the released object moves over; nic2 dies
    assert live() == 2 and pnics[2].get().GetName() == "nic3"
    single = qorctl.NetworkInfoImpl().GetPnicByName("nic1")
    assert live() == 3
    q.delete_PnicPtr(single)
    assert live() == 2


def test_release_empties_the_holder_and_leaves_the_object_alive(live, pnics):
    pnic = pnics[0].release()
    assert not pnics[0].__nonzero__() and pnics[0].get() is None
    assert pnic.GetName() == "nic0" and not pnic.thisown
    assert live() == 4
    owner = qorctl.PnicPtr(pnic)  # a new holder takes the object; its proxy owns the holder
    assert owner.thisown and owner.get().GetName() == "nic0"
    del owner
    assert live() == 3


def test_swap_exchanges_the_objects(pnics):
    pnics[0].swap(pnics[1])
    assert [pnics[0].get().GetName(), pnics[1].get().GetName()] == ["nic1", "nic0"]


def test_holder_arguments_are_checked(pnics):
    with pytest.raises(NotImplementedError) as caught:
        q.PnicPtr_reset(pnics[0], None, None)
    assert str(caught.value) == (
        "Wrong number or type of arguments for overloaded function 'PnicPtr_reset'.\n"
        "  Possible C/C++ prototypes are:\n"
        f"    {PNIC}::reset({PNIC}::pointer)\n"
        f"    {PNIC}::reset()\n")
    with pytest.raises(ValueError) as caught:
        q.PnicPtr_swap(pnics[0], None)
    assert str(caught.value) == f"invalid null reference in method 'PnicPtr_swap', argument 2 of type '{PNIC} &'"
    with pytest.raises(TypeError) as caught:
        q.new_PnicPtr(qorctl.MacAddress())
    assert str(caught.value) == f"in method 'new_PnicPtr', argument 1 of type '{PNIC}::pointer'"
    for function, text in (("get", "const *"), ("__nonzero__", "const *"), ("release", "*"), ("reset", "*")):
        with pytest.raises(TypeError) as caught:
            getattr(q, "PnicPtr_" + function)(None)
        if function != "reset":  # reset's failure is the overload message
            assert str(caught.value) == f"in method 'PnicPtr_{function}', argument 1 of type '{PNIC} {text}'"
    assert pnics[0].__nonzero__()


def test_a_holder_field_lends_its_holder_and_takes_the_objects_moved_in():
    config = qorctl.PortConfig()
    field = config.ipConfig
    assert type(field) is qorctl.IpConfigPtr and not field.thisown and not field.__nonzero__()
    record = qorctl.IpConfig()
    record.thisown = False  # the holder takes the object; two owners would delete it twice
    given = qorctl.IpConfigPtr(record)
    config.ipConfig = given
    assert not given.__nonzero__() and config.ipConfig.__nonzero__()
    with pytest.raises(ValueError, match=r"^invalid null reference in method 'PortConfig_ipConfig_set'"):
        config.ipConfig = None
    with pytest.raises(TypeError):
        config.ipConfig = qorctl.IpConfig()
    assert config.ipConfig.__nonzero__()
