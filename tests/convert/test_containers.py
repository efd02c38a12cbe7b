"""Python sequences, dicts and pairs as the library's containers, and back.

Text vectors travel through the NTP agent's server list, which the simulated
host stores and returns; the other container kinds through the test-only
module's `convert`, which runs one argument conversion and one result
conversion of the kind named."""

import pytest

import _qorctl as q
import qorctl

TEXT_VECTOR = "std::vector< std::string,std::allocator< std::string > >"


@pytest.fixture
def ntp():
    agent = qorctl.NtpAgentConfigImpl()
    agent.SetServers(["ntp0", "ntp1"])
    return agent


@pytest.mark.parametrize("given, stored", [
    (["a", "bb"], ("a", "bb")),
    (("a", "bb"), ("a", "bb")),
    ("abc", ("a", "b", "c")),  # a str is a sequence of its characters
    ([], ()),
])
def test_a_text_sequence_becomes_a_vector_and_comes_back_as_a_tuple(ntp, given, stored):
    ntp.SetServers(given)
    assert ntp.GetServers() == stored


@pytest.mark.parametrize("given", [{"ntp9"}, {"ntp9": "x"}, (s for s in ["ntp9"]), 5, ["ntp9", 5], [b"ntp9"]])
def test_what_is_not_a_sequence_of_str_is_refused_and_nothing_changes(ntp, given):
    with pytest.raises(TypeError) as caught:
        ntp.SetServers(given)
    assert str(caught.value) == (
        f"in method 'NtpAgentConfigImpl_SetServers', argument 2 of type '{TEXT_VECTOR} const &'")
    assert ntp.GetServers() == ("ntp0", "ntp1")


def test_none_for_a_const_reference_is_the_null_reference_error(ntp):
    with pytest.raises(ValueError, match=r"^invalid null reference in method 'NtpAgentConfigImpl_SetServers', "
                                         r"argument 2 of type"):
        ntp.SetServers(None)
    assert ntp.GetServers() == ("ntp0", "ntp1")


def test_a_vector_proxy_is_used_in_place_and_a_proxy_of_another_container_is_refused(ntp):
    mirror = q.new_DvMirrorEntities()
    ntp.SetServers(q.DvMirrorEntities_ports_get(mirror))  # an empty vector, not copied from Python
    assert ntp.GetServers() == ()
    with pytest.raises(TypeError):
        ntp.SetServers(q.DvMirrorEntities_vlans_get(mirror))  # a vector of uint32
    q.delete_DvMirrorEntities(mirror)


def test_the_string_set_takes_sequences_only_and_collapses_duplicates(peer):
    storage = qorctl.StorageInfoImpl()
    assert storage.GetDiskLuns(["lun0", "lun0"]) == ()
    assert [unit.get().GetName() for unit in storage.GetDiskLuns(["dev.fc0", "dev.fc0", "lun0"])] == ["dev.fc0"]
    # A Python set is not a sequence: no form of the operation takes it.
    with pytest.raises(NotImplementedError, match=r"overloaded function 'StorageInfoImpl_GetDiskLuns'"):
        storage.GetDiskLuns({"lun0"})
    assert peer.convert("set", ["b", "a", "b", "c", "a"]) == ("a", "b", "c")
    assert peer.convert("set", []) == ()
    with pytest.raises(TypeError):
        peer.convert("set", frozenset(["a"]))


def test_pairs_come_from_two_item_sequences_only(peer):
    assert peer.convert("pairs", [["a", "b"], ("c", "d"), "ef"]) == (("a", "b"), ("c", "d"), ("e", "f"))
    assert peer.convert("pair", ["x", "y"]) == ("x", "y")
    assert peer.convert("pairs", []) == ()
    for bad in ([["a", "b", "c"]], [["a"]], [("a", 1)], [None], ["abc"]):
        with pytest.raises(TypeError):
            peer.convert("pairs", bad)
    with pytest.raises(TypeError):
        peer.convert("pair", ("a", "b", "c"))


def test_maps_come_from_dicts_only_with_values_of_their_kind(peer):
    # Map results are map proxies; asdict gives their entries.
    assert peer.convert("map_pair", {"k": ("a", "b"), "j": ["c", "d"]}).asdict() == {
        "j": ("c", "d"), "k": ("a", "b")}
    assert peer.convert("map_vector", {"k": ["a", "b"], "j": "xy", "e": []}).asdict() == {
        "e": (), "j": ("x", "y"), "k": ("a", "b")}
    assert peer.convert("map_vector", {}).asdict() == {}
    for bad in ({"k": "abc"}, {"k": 1}, {1: ("a", "b")}, [("k", ("a", "b"))]):
        with pytest.raises(TypeError):
            peer.convert("map_pair", bad)


def test_a_dict_with_values_that_are_not_text_gets_the_wrappers_message():
    with pytest.raises(TypeError) as caught:
        q.LoadSystemTimeState({"zone": 5})
    assert str(caught.value).startswith("in method 'LoadSystemTimeState', argument 1 of type 'std::map< ")


def test_map_results_are_owned_proxies_of_the_registered_map_class():
    modules = q.LoadTarn_GetModules()
    assert type(modules) is qorctl.MapStringString and modules.thisown
    assert modules.asdict() == {"qfab": "2.0.1", "qnet": "1.4.2"}


@pytest.mark.parametrize("kind, top", [("uint32", 2**32 - 1), ("uint64", 2**64 - 1)])
def test_integer_vectors_keep_the_element_range(peer, kind, top):
    assert peer.convert(kind, [0, 1, top]) == (0, 1, top)
    for bad in ([top + 1], [-1], [1.0], ["1"]):
        with pytest.raises(TypeError):
            peer.convert(kind, bad)


def test_record_vectors_copy_values_and_lend_pointers(peer):
    address = qorctl.Ipv4Address()
    copies = peer.convert("addresses", [address, address])
    assert [type(c) for c in copies] == [qorctl.Ipv4Address] * 2
    assert all(c.thisown for c in copies) and int(copies[0].this) != int(address.this)
    with pytest.raises(TypeError):
        peer.convert("addresses", [address, None])  # a value needs an object

    mac = qorctl.MacAddress()
    lent = peer.convert("mac_pointers", [mac, None])
    assert int(lent[0].this) == int(mac.this) and not lent[0].thisown
    assert lent[1] is None  # a pointer may be null
    with pytest.raises(TypeError):
        peer.convert("mac_pointers", [address])


@pytest.mark.parametrize("name, mangled", [
    ("std::vector<std::string,std::allocator< std::string > >",
     "_p_std__vectorT_std__string_std__allocatorT_std__string_t_t"),
    ("std::vector<unsigned int,std::allocator< unsigned int > >",
     "_p_std__vectorT_unsigned_int_std__allocatorT_unsigned_int_t_t"),
    ("std::vector<unsigned long,std::allocator< unsigned long > >",
     "_p_std__vectorT_unsigned_long_std__allocatorT_unsigned_long_t_t"),
    ("std::set<std::string,std::less< std::string >,std::allocator< std::string > >",
     "_p_std__setT_std__string_std__lessT_std__string_t_std__allocatorT_std__string_t_t"),
    ("std::map<std::string,std::string,std::less< std::string >,std::allocator< std::pair< std::string const,"
     "std::string > > >",
     "_p_std__mapT_std__string_std__string_std__lessT_std__string_t_std__allocatorT_std__pairT_q_const__"
     "std__string_std__string_t_t_t"),
])
def test_conversion_type_names_find_the_container_records(peer, name, mangled):
    assert peer.lookup_type_by_name(name + " *") == mangled


def test_container_fields_lend_the_field_and_copy_only_from_a_proxy():
    first, second = q.new_DvMirrorEntities(), q.new_DvMirrorEntities()
    field = q.DvMirrorEntities_ports_get(first)
    assert int(field.this) == int(q.DvMirrorEntities_ports_get(first).this)  # the field itself, every time
    q.DvMirrorEntities_ports_set(first, q.DvMirrorEntities_ports_get(second))
    for bad, error in ((["p1"], TypeError), (None, ValueError), (q.DvMirrorEntities_vlans_get(second), TypeError)):
        with pytest.raises(error, match=r"in method 'DvMirrorEntities_ports_set', argument 2 of type"):
            q.DvMirrorEntities_ports_set(first, bad)
    q.delete_DvMirrorEntities(first)
    q.delete_DvMirrorEntities(second)


def test_an_empty_vector_result_is_the_empty_tuple():
    # The provisioning stack's resolver has no name servers of its own.
    assert qorctl.DnsConfigImpl("provisioning").GetNameServers() == ()
