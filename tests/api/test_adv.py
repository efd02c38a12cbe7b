"""The advanced-options tree: branches found from the options' paths, integer
options kept within their bounds, string options within their characters,
defaults, the module's checked casts and the 32-bit option value."""

import pytest

import _qorctl
import qorctl


def options_of(branch, *args):
    return [holder.get() for holder in branch.GetOptions(*args)]


def walk(branch):
    """Every option below a branch, depth first."""
    found = options_of(branch, True)
    for holder in branch.GetBranches():
        found += walk(holder.get())
    return found


def test_the_built_in_tree_has_branches_and_typed_options():
    root = qorctl.AdvancedOptionBranchImpl()
    assert [h.get().GetBranchName() for h in root.GetBranches()] == [
        "Disk", "Mem", "Misc", "Net", "Numa", "Power", "Scsi", "UserVars"]
    options = walk(root)
    assert len(options) >= 30
    types = {option.GetType() for option in options}
    assert types == {_qorctl.AdvancedOption_ADV_OPTION_INT_TYPE, _qorctl.AdvancedOption_ADV_OPTION_STRING_TYPE}
    nested = root.GetBranchByName("Net").get().GetBranchByName("Tcpip").get()
    assert [o.GetOptionPath() for o in options_of(nested)] == [
        "/Net/Tcpip/CongestionControl", "/Net/Tcpip/DelayedAck", "/Net/Tcpip/MaxRetransmits"]


@pytest.mark.parametrize("args, hidden_listed", [((True,), True), ((False,), False), ((), False)])
def test_get_options_lists_hidden_options_only_when_asked(args, hidden_listed):
    misc = qorctl.AdvancedOptionBranchImpl("Misc")
    names = [option.GetOptionName() for option in options_of(misc, *args)]
    assert ("HeartbeatInterval" in names) is hidden_listed
    assert "LogLevel" in names


@pytest.mark.parametrize("args", [(1, 2), ("Misc",)])
def test_get_options_refuses_other_argument_lists(args):
    with pytest.raises(NotImplementedError, match="overloaded function 'AdvancedOptionBranch_GetOptions'"):
        _qorctl.AdvancedOptionBranch_GetOptions(qorctl.AdvancedOptionBranchImpl(), *args)


def test_branch_constructors_take_nothing_or_a_name():
    with pytest.raises(NotImplementedError) as caught:
        qorctl.AdvancedOptionBranchImpl("Net", "Tcpip")
    assert str(caught.value).splitlines()[2:] == [
        "    QorCtl::Adv::AdvancedOptionBranchImpl::AdvancedOptionBranchImpl()",
        "    QorCtl::Adv::AdvancedOptionBranchImpl::AdvancedOptionBranchImpl(std::string const &)"]
    with pytest.raises(qorctl.HostCtlException, match="^AdvancedOptionBranch 'Nothing' not found$"):
        qorctl.AdvancedOptionBranchImpl().GetBranchByName("Nothing")


def integer_option(path):
    return qorctl.CastAdvInt(qorctl.AdvancedOptionImpl.FindOption(path).get())


@pytest.mark.parametrize("value, accepted", [(32, True), (1536, True), (31, False), (1537, False), (-1, False)])
def test_integer_values_outside_the_bounds_are_refused(value, accepted):
    option = integer_option("/Net/TcpHeapMax")
    assert (option.GetMinimum(), option.GetMaximum(), option.GetValue()) == (32, 1536, 512)
    try:
        if accepted:
            option.SetValue(value)
        else:
            with pytest.raises(qorctl.HostCtlException, match="outside 32..1536"):
                option.SetValue(value)
        assert option.GetValue() == (value if accepted else 512)
    finally:
        option.SetToDefault()
    assert option.GetValue() == option.GetDefaultValue() == 512


def test_string_values_keep_to_their_characters():
    option = qorctl.CastAdvString(qorctl.AdvancedOptionBranchImpl("Misc").GetOptionByName("HostName").get())
    assert (option.GetValue(), option.GetDefaultValue(), option.IsHostSpecific()) == ("host-a", "localhost", True)
    try:
        with pytest.raises(qorctl.HostCtlException, match="character ' ' is not valid"):
            option.SetValue("host a")
        option.SetValue("host-b")
        assert option.GetValue() == "host-b"
        option.SetToDefault()
        assert option.GetValue() == "localhost"
    finally:
        option.SetValue("host-a")   # the built-in host as the other tests find it


def test_casts_answer_none_for_the_other_kind_and_borrow_the_same_object():
    number = qorctl.AdvancedOptionImpl.FindOption("/Mem/IdleTax").get()
    text = qorctl.AdvancedOptionImpl.FindOption("/Misc/HostName").get()
    assert qorctl.CastAdvString(number) is None and qorctl.CastAdvInt(text) is None
    cast = qorctl.CastAdvInt(number)
    assert isinstance(cast, qorctl.AdvancedIntegerOptionImpl) and not cast.thisown
    assert cast.GetOptionPath() == "/Mem/IdleTax"


def test_option_value_is_cut_to_its_low_32_bits(sim_host):
    sim_host("""
        [AdvancedIntegerOption /Mem/Big]
        Minimum = 0
        Maximum = 9223372036854775807
        Value = 4294967303
        [AdvancedStringOption /Misc/Text]
        Value = seven
        """)
    assert integer_option("/Mem/Big").GetValue() == 2 ** 32 + 7
    assert qorctl.GetOptionValue("/Mem/Big") == 7
    for path in ("/Misc/Text", "/Mem/Missing"):
        with pytest.raises(qorctl.HostCtlException, match="not found"):
            qorctl.GetOptionValue(path)


def test_option_failures_are_the_library_exception(sim_host):
    sim_host("""
        [AdvancedIntegerOption /Net/TcpHeapMax]
        Minimum = 32
        Maximum = 1536
        [fail]
        AdvancedIntegerOption.SetValue = option store is read-only
        """)
    with pytest.raises(qorctl.HostCtlException, match="^option store is read-only$"):
        integer_option("/Net/TcpHeapMax").SetValue(64)
