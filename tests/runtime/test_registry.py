"""Type registry: the ring of registries, look-ups, cast lists and class
registration, seen through _qorctl and the test-only module _qorctl_peer."""

import json

import pytest

import _qorctl

PEER_FAMILY = ["_p_PeerAlpha", "_p_PeerBeta", "_p_PeerGamma", "_p_PeerBase"]

# Observations of one process that imports both modules in a given order.
RING_SNIPPET = """
import json, sys
import importlib
first, second = {order!r}
importlib.import_module(first); importlib.import_module(second)
import _qorctl as q, _qorctl_peer as peer

pnic = q.new_PnicImpl('nic0')
info = q.new_NetworkInfoImpl()
bare_pnic = q.PnicPtr_get(q.NetworkInfo_GetPnics(info)[0])
facts = {{
    'ring': peer.ring(),
    'own_record': {{name: peer.uses_own_record(name) for name in
                   ['_p_HostCtl__Lib__HostCtlObject', '_p_HostCtl__Network__Pnic',
                    '_p_PeerBase', '_p_PeerGadget']}},
    'pnic_text': repr(bare_pnic).split("'")[1],
    'peer_pnic_text': repr(peer.wrap(int(pnic), '_p_HostCtl__Network__Pnic')).split("'")[1],
    'base_edges': peer.cast_order('_p_HostCtl__Lib__HostCtlObject'),
    'peer_family': peer.cast_order('_p_PeerBase'),
    'name_through_virtual_base': q.HostCtlObject_GetName(pnic),
    'dirty_through_offset': q.QorCtlObject_IsConfigDirty(pnic),
    'qorctl_object_offset': peer.address_as(pnic, 'QorCtl::Lib::QorCtlObject *') - int(pnic),
    'interface_offset': peer.address_as(pnic, '_p_HostCtl__Network__Pnic') - int(pnic),
    'peer_made_proxy_in_qorctl': q.Pnic_GetName(peer.wrap(int(pnic), '_p_QorCtl__Network__PnicImpl')),
}}
print(json.dumps(facts))
"""


def observe(python_snippet, code):
    result = python_snippet(code)
    assert result.returncode == 0, result.stderr
    return json.loads(result.stdout.splitlines()[0])


@pytest.mark.parametrize(
    "order, peer_owns_shared, pnic_text, self_edge_at",
    [
        # _qorctl starts the ring; the peer then uses _qorctl's records, and
        # finding its own self edge there moves that edge to the head.
        (("_qorctl", "_qorctl_peer"), False, "std::unique_ptr< HostCtl::Network::Pnic >::pointer", 0),
        # The peer starts it; _qorctl then uses the peer's records (and their
        # display names) and puts its other edges in front of the peer's self edge.
        (("_qorctl_peer", "_qorctl"), True, "HostCtl::Network::Pnic *", -1),
    ],
    ids=["qorctl-first", "peer-first"],
)
def test_second_module_joins_ring_and_shares_first_modules_records(python_snippet, order, peer_owns_shared,
                                                                    pnic_text, self_edge_at):
    facts = observe(python_snippet, RING_SNIPPET.format(order=order))
    assert len(facts["ring"]) == 2 and facts["ring"][0] == 8
    assert facts["own_record"] == {
        "_p_HostCtl__Lib__HostCtlObject": peer_owns_shared,
        "_p_HostCtl__Network__Pnic": peer_owns_shared,
        "_p_PeerBase": True,
        "_p_PeerGadget": True,
    }
    # Both modules print the one record both use.
    assert facts["pnic_text"] == facts["peer_pnic_text"] == pnic_text
    # The shared base record carries _qorctl's edges whichever module made it.
    assert {"_p_QorCtl__Network__PnicImpl", "_p_HostCtl__Network__Pnic",
            "_p_QorCtl__Lib__QorCtlObject"} <= set(facts["base_edges"])
    # One edge per source: the joining module skips the edges the record already has.
    assert len(set(facts["base_edges"])) == len(facts["base_edges"])
    assert facts["base_edges"][self_edge_at] == "_p_HostCtl__Lib__HostCtlObject"
    # Conversions through the shared records work in both modules.
    assert facts["name_through_virtual_base"] == "nic0"
    assert facts["dirty_through_offset"] is True
    # The interface is a virtual base of the implementation, so reaching it
    # moves the pointer; the object base is the implementation's plain base.
    assert facts["qorctl_object_offset"] == 0
    assert facts["interface_offset"] > 0
    assert facts["peer_made_proxy_in_qorctl"] == "nic0"
    # Edges are inserted at the head, so a fresh list is the static array reversed.
    assert facts["peer_family"] == ["_p_PeerGamma", "_p_PeerBeta", "_p_PeerAlpha", "_p_PeerBase"]


def test_second_start_up_leaves_ring_and_cast_lists_unchanged(python_snippet):
    result = python_snippet("""
        import ctypes, importlib, sys
        import _qorctl as q, _qorctl_peer as peer

        def snapshot():
            return (peer.ring(), peer.cast_order('_p_HostCtl__Lib__HostCtlObject'),
                    peer.cast_order('_p_PeerBase'), peer.cast_order('QorCtl::Lib::QorCtlObject *'),
                    [peer.uses_own_record(n) for n in ['_p_HostCtl__Network__Pnic', '_p_PeerBase']])

        capsule = sys.modules['swig_runtime_data4'].type_pointer_capsule
        before = snapshot()
        for name in ['_qorctl', '_qorctl_peer']:
            del sys.modules[name]
            importlib.import_module(name)
            # Run each entry point once more, as a second load of the same object would.
            entry = getattr(ctypes.PyDLL(sys.modules[name].__file__), 'PyInit_' + name)
            entry.restype = ctypes.py_object
            assert entry().__name__ == name
        peer.reinit()
        assert snapshot() == before, (snapshot(), before)
        assert sys.modules['swig_runtime_data4'].type_pointer_capsule is capsule
        pnic = q.new_PnicImpl('nic1')
        print(q.HostCtlObject_GetName(pnic), peer.address_as(pnic, '_p_HostCtl__Network__Pnic') - int(pnic))
    """)
    assert result.returncode == 0, result.stderr
    name, offset = result.stdout.splitlines()[0].split()
    assert name == "nic1" and int(offset) > 0


# ---- find_cast ---------------------------------------------------------------------

def arrange(peer, order):
    """Brings the peer base's cast list into `order` (head first)."""
    for source in reversed(order):
        assert peer.find_cast(source, "_p_PeerBase") is True
    assert peer.cast_order("_p_PeerBase") == order


ARRANGED = ["_p_PeerAlpha", "_p_PeerBeta", "_p_PeerGamma", "_p_PeerBase"]


@pytest.mark.parametrize(
    "source, expected",
    [
        ("_p_PeerAlpha", ["_p_PeerAlpha", "_p_PeerBeta", "_p_PeerGamma", "_p_PeerBase"]),  # already the head
        ("_p_PeerBeta", ["_p_PeerBeta", "_p_PeerAlpha", "_p_PeerGamma", "_p_PeerBase"]),
        ("_p_PeerGamma", ["_p_PeerGamma", "_p_PeerAlpha", "_p_PeerBeta", "_p_PeerBase"]),
        ("_p_PeerBase", ["_p_PeerBase", "_p_PeerAlpha", "_p_PeerBeta", "_p_PeerGamma"]),  # the tail
    ],
)
def test_find_cast_moves_found_edge_to_head_and_keeps_the_rest_in_order(peer, source, expected):
    arrange(peer, ARRANGED)
    assert peer.find_cast(source, "_p_PeerBase") is True
    assert peer.cast_order("_p_PeerBase") == expected


@pytest.mark.parametrize("source", ["_p_PeerGadget", "_p_HostCtl__Network__Pnic", "", "_p_PeerAlph"])
def test_find_cast_without_match_changes_nothing(peer, source):
    arrange(peer, ARRANGED)
    assert peer.find_cast(source, "_p_PeerBase") is False
    assert peer.cast_order("_p_PeerBase") == ARRANGED


@pytest.mark.parametrize("which, source, offset", [("alpha", "_p_PeerAlpha", 0), ("gamma", "_p_PeerGamma", 32)])
def test_conversion_applies_edge_converter_and_moves_edge_to_head(peer, which, source, offset):
    arrange(peer, ARRANGED)
    proxy = peer.make(which)
    assert peer.address_as(proxy, "_p_PeerBase") == int(proxy) + offset
    assert peer.cast_order("_p_PeerBase")[0] == source


@pytest.mark.parametrize("which, target", [("alpha", "_p_PeerBeta"), ("gadget", "_p_PeerBase"),
                                           ("beta", "_p_HostCtl__Lib__HostCtlObject")])
def test_conversion_without_edge_fails_and_leaves_cast_list_alone(peer, which, target):
    arrange(peer, ARRANGED)
    with pytest.raises(TypeError, match=r"status -1\)$"):
        peer.address_as(peer.make(which), target)
    assert peer.cast_order("_p_PeerBase") == ARRANGED


def test_base_proxy_never_converts_down(peer):
    base = peer.wrap(int(peer.make("alpha")), "_p_PeerBase")
    for derived in ["_p_PeerAlpha", "_p_PeerBeta", "_p_PeerGamma"]:
        with pytest.raises(TypeError):
            peer.address_as(base, derived)


# ---- look-ups -------------------------------------------------------------------------

@pytest.mark.parametrize(
    "name, expected",
    [
        ("_p_std__string", "_p_std__string"),            # mangled name
        ("std::string *", "_p_std__string"),             # display name, as declared
        ("std::string*", "_p_std__string"),              # blanks are skipped ...
        ("std::string  *", "_p_std__string"),
        (" std::string *", "_p_std__string"),
        ("std::string * ", None),                        # ... but not one left over at the end
        ("std::string", None),
        ("std::string **", None),
        ("PeerGadget *", "_p_PeerGadget"),               # the last alternative
        ("peer::Gadget*", "_p_PeerGadget"),              # the first alternative
        ("peer::LabelList::value_type *", "_p_peer__Label"),
        ("peer::Gadget * ", None),
        ("QorCtl::Lib::QorCtlException *", "_p_HostCtl__Lib__HostCtlException"),  # another module's record
        ("", None),
        ("_p_NoSuchType", None),
    ],
)
def test_lookup_type_by_name(peer, name, expected):
    assert peer.lookup_type_by_name(name) == expected


@pytest.mark.parametrize(
    "mangled, expected",
    [
        ("_p_HostCtl__Lib__HostCtlException", "QorCtl::Lib::QorCtlException *"),
        ("_p_PeerGadget", "PeerGadget *"),
        ("_p_PeerBase", "PeerBase *"),
        ("_p_peer__Label", "peer::LabelList::value_type *"),
    ],
)
def test_type_display_name_is_last_alternative(peer, mangled, expected):
    assert peer.type_display_name(mangled) == expected


# ---- class registration ------------------------------------------------------------

@pytest.mark.parametrize("args, given", [((), 0), ((object, object), 2)])
def test_registration_with_wrong_count_names_swigregister(args, given):
    with pytest.raises(TypeError) as info:
        _qorctl.VMRect_swigregister(*args)
    assert str(info.value) == f"swigregister() takes exactly 1 argument ({given} given)"


def test_registration_attaches_and_replaces_class_data(python_snippet, leak_line):
    result = python_snippet("""
        import sys
        import _qorctl as q

        def say(*words):
            print(*words, flush=True)

        pnic = q.new_PnicImpl('nic0')

        class NoDestroy:
            def __init__(self):
                raise AssertionError('the initialiser must not run')
        q.MacAddress_swigregister(NoDestroy)
        mac = q.Pnic_GetMacAddress(pnic)
        say(type(mac).__name__, mac.this.own(), q.MacAddress_GetStringAddress(mac))
        del mac
        say('--')

        seen = []
        def python_destroy(proxy):
            seen.append((type(proxy).__name__, proxy.own(), int(proxy)))
            q.delete_MacAddress(proxy)
        class PyDestroy:
            __swig_destroy__ = python_destroy
        q.MacAddress_swigregister(PyDestroy)
        mac = q.Pnic_GetMacAddress(pnic)
        address = int(mac.this)
        del mac
        say(len(seen), seen == [('SwigPyObject', False, address)])

        def failing_destroy(proxy):
            raise KeyError('destroy failed')
        class Failing:
            __swig_destroy__ = failing_destroy
        q.MacAddress_swigregister(Failing)
        sys.unraisablehook = lambda u: say('unraisable', type(u.exc_value).__name__, u.exc_value)
        try:
            q.Pnic_GetName(q.Pnic_GetMacAddress(pnic))   # the argument dies while TypeError is pending
        except TypeError as error:
            say('pending', error)

        class Native:
            __swig_destroy__ = q.delete_MacAddress
        q.MacAddress_swigregister(Native)
        mac = q.Pnic_GetMacAddress(pnic)
        del mac
        say('--')
        pnic.disown()
    """)
    assert result.returncode == 0, result.stderr
    assert result.stdout.splitlines() == [
        "NoDestroy True 02:5a:10:00:00:01",
        leak_line("HostCtl::Network::MacAddress *"),
        "--",
        "1 True",
        "unraisable KeyError 'destroy failed'",
        "pending in method 'Pnic_GetName', argument 1 of type 'HostCtl::Network::Pnic const *'",
        "--",
    ]


def test_classes_registered_again_and_again_keep_deleting_as_before(python_snippet):
    # The runtime keeps room beside its records for two registrations of each
    # of its types; registering beyond that must not change how objects die.
    result = python_snippet("""
        import _qorctl as q, _qorctl_peer as peer

        seen = []
        class Native:
            __swig_destroy__ = q.delete_PnicImpl
        class PyDestroy:
            __swig_destroy__ = staticmethod(lambda proxy: (seen.append(proxy.own()), q.delete_PnicImpl(proxy)))

        def left_alive(cls):
            q.PnicImpl_swigregister(cls)
            before = peer.live_objects()
            q.new_PnicImpl('nic0')  # dropped at once
            return peer.live_objects() - before

        outcomes = set()
        for _ in range(sum(peer.ring()) + 1):  # two registrations each time round
            outcomes.add((left_alive(Native), left_alive(PyDestroy), seen.pop()))
        print(outcomes, seen)
    """)
    assert result.returncode == 0, result.stderr
    assert result.stdout.splitlines() == ["{(0, 0, False)} []"]
