"""Translation of the library's exception into Python, with and without a
registered exception class."""

import traceback

import pytest

import _qorctl as q
import qorctl


@pytest.fixture
def failing(sim_host):
    """A simulated host whose host factory and adapter nic1 fail."""
    sim_host("""
        [fail]
        HostFactory.GetHost = the host is unreachable
        Pnic.GetName@nic1 = nic1 is gone
    """)


def test_library_failure_raises_registered_class(failing):
    with pytest.raises(qorctl.HostCtlException) as caught:
        q.HostFactory_GetHost()
    error = caught.value
    assert error.args == ()
    assert str(error) == error.GetMessage() == error.what() == "the host is unreachable"
    assert error.GetDetailedMessage() == "the host is unreachable (HostFactory.GetHost failed on HostFactory)"
    assert error.this.own() is True
    assert traceback.format_exception_only(type(error), error)[-1] == \
        "qorctl.HostCtlException: the host is unreachable\n"
    assert "HostCtlException" in repr(error)


@pytest.mark.parametrize(
    "call, name, fails",
    [
        (q.Pnic_GetName, "nic0", False),
        (q.Pnic_GetName, "nic1", True),
        (q.PnicImpl_GetName, "nic1", True),
        # Operations the library declares as not throwing are guarded all the same.
        (q.HostCtlObject_GetName, "nic1", True),
        (q.HostCtlObject_GetName, "nic2", False),
    ],
)
def test_failure_of_one_named_object(failing, call, name, fails):
    pnic = q.new_PnicImpl(name)
    if fails:
        with pytest.raises(qorctl.HostCtlException, match="^nic1 is gone$") as caught:
            call(pnic)
        assert caught.value.GetDetailedMessage() == "nic1 is gone (Pnic.GetName failed on Pnic 'nic1')"
    else:
        assert call(pnic) == name


def test_model_change_is_seen_at_the_next_entry_point(sim_host):
    sim_host("[fail]\nHostFactory.GetHost = down\n")
    with pytest.raises(qorctl.HostCtlException, match="^down$"):
        q.HostFactory_GetHost()
    sim_host("[HostFactory]\n")
    first, second = q.HostFactory_GetHost(), q.HostFactory_GetHost()
    assert first.this == second.this
    assert first.this.own() is False and second.this.own() is False


def test_message_handle_is_a_borrowed_view_into_the_exception():
    original = q.new_HostCtlException("first")
    vob = q.HostCtlException_GetVobMessage(original)
    assert repr(vob).startswith("<Swig Object of type 'HostCtl::Lib::VobMessage *'")
    assert vob.own() is False and int(original) < int(vob) < int(original) + 64
    copy = q.new_HostCtlException("second", vob)   # an empty handle adds no detail
    assert q.HostCtlException_GetDetailedMessage(copy) == "second"


def test_detail_survives_the_exception_it_came_from(sim_host):
    sim_host("[fail]\nPnic.GetName = no name\n")
    pnic = q.new_PnicImpl("nic0")
    with pytest.raises(qorctl.HostCtlException) as caught:
        q.Pnic_GetName(pnic)
    vob = caught.value.GetVobMessage()
    copy = q.new_HostCtlException("again", vob)
    del caught, vob
    assert q.HostCtlException_GetDetailedMessage(copy) == "again (Pnic.GetName failed on Pnic 'nic0')"


def test_without_registered_class_value_is_bare_proxy(python_snippet, tmp_path, leak_line):
    model = tmp_path / "host.model"
    model.write_text("[fail]\nHostFactory.GetHost = the host is unreachable\n")
    result = python_snippet("""
        import _qorctl as q
        try:
            q.HostFactory_GetHost()
        except Exception as error:
            value, = error.args
            print(type(error).__name__, type(value).__name__, value.own(), flush=True)
            print(repr(value).split("'")[1], q.HostCtlException_GetMessage(value), flush=True)
            del value, error
        print('end', flush=True)
    """, env={"QORCTL_SIM_HOST": str(model)})
    assert result.returncode == 0, result.stderr
    assert result.stdout.splitlines() == [
        "RuntimeError SwigPyObject True",
        "QorCtl::Lib::QorCtlException * the host is unreachable",
        leak_line("QorCtl::Lib::QorCtlException *"),
        "end",
    ]


def test_leak_line_for_owned_objects_without_destroy(python_snippet, leak_line):
    result = python_snippet("""
        import _qorctl as q
        def mark(text):
            print(text, flush=True)
        point = q.new_VMPoint()
        del point
        mark('disowned')
        point = q.new_VMPoint(); point.disown(); del point
        mark('copy')
        pnic = q.new_PnicImpl('nic0')
        mac = q.Pnic_GetMacAddress(pnic)
        del mac
        mark('borrowed')
        host = q.HostFactory_GetHost(); del host
        mark('end')
        pnic.disown()
    """)
    assert result.returncode == 0, result.stderr
    assert result.stdout.splitlines() == [
        leak_line("VMPoint *"), "disowned", "copy", leak_line("HostCtl::Network::MacAddress *"), "borrowed", "end",
    ]
