"""The shape every wrapper shares: argument counts, argument and null-reference
messages, overload failures, deletion and ownership of results."""

import re

import pytest

import _qorctl as q
import qorctl

NEW_EXCEPTION_OVERLOADS = (
    "Wrong number or type of arguments for overloaded function 'new_HostCtlException'.\n"
    "  Possible C/C++ prototypes are:\n"
    "    HostCtl::Lib::HostCtlException::HostCtlException(std::string const &)\n"
    "    HostCtl::Lib::HostCtlException::HostCtlException(char const *)\n"
    "    HostCtl::Lib::HostCtlException::HostCtlException(std::string &&)\n"
    "    HostCtl::Lib::HostCtlException::HostCtlException(std::string const &,HostCtl::Lib::VobMessage const &)\n")
PNIC_RESET_OVERLOADS = (
    "Wrong number or type of arguments for overloaded function 'PnicPtr_reset'.\n"
    "  Possible C/C++ prototypes are:\n"
    "    std::unique_ptr< HostCtl::Network::Pnic >::reset(std::unique_ptr< HostCtl::Network::Pnic >::pointer)\n"
    "    std::unique_ptr< HostCtl::Network::Pnic >::reset()\n")


@pytest.fixture(scope="module")
def info():
    return q.new_NetworkInfoImpl()


@pytest.fixture
def point():
    return q.new_VMPoint()


class Ref:
    """Stands in a parameter list for an object made by the test."""
    def __init__(self, name):
        self.name = name


INFO, POINT, HOLDER = Ref("info"), Ref("point"), Ref("holder")


def positional(function, args):
    """Calls `function` with `args` written out one by one, as a script's call
    passes them (an argument vector), rather than unpacked from a tuple."""
    names = ", ".join("a%d" % i for i in range(len(args)))
    return eval("lambda f%s: f(%s)" % (", " + names if args else "", names))(function, *args)


def raised(call, *args):
    """The exception and message of a failing call, which must not depend on
    whether the arguments arrive in a tuple or one by one."""
    answers = []
    for way in (lambda: call(*args), lambda: positional(call, args)):
        with pytest.raises(Exception) as caught:
            way()
        answers.append((type(caught.value), str(caught.value)))
    assert answers[0] == answers[1]
    return answers[0]


@pytest.mark.parametrize(
    "name, args, message",
    [
        ("Pnic_GetName", (), "Pnic_GetName() takes exactly 1 argument (0 given)"),
        ("Pnic_GetName", (1, 2), "Pnic_GetName() takes exactly 1 argument (2 given)"),
        ("HostFactory_GetHost", (None,), "HostFactory_GetHost() takes exactly 0 arguments (1 given)"),
        ("new_VMPoint", (1,), "new_VMPoint() takes exactly 0 arguments (1 given)"),
        ("NetworkInfo_GetPnicByName", (None,), "NetworkInfo_GetPnicByName() takes exactly 2 arguments (1 given)"),
        ("VMPoint_x_set", (None, 1, 2), "VMPoint_x_set() takes exactly 2 arguments (3 given)"),
    ],
)
def test_wrong_argument_count_names_the_function(name, args, message):
    assert raised(getattr(q, name), *args) == (TypeError, message)


def test_keywords_are_refused():
    for call in (lambda: q.Pnic_GetName(self=None), lambda: q.Pnic_GetName(**{"self": None}),
                 lambda: q.new_HostCtlException("a", text="b"), lambda: qorctl.VMPoint(x=1)):
        with pytest.raises(TypeError, match=r"^\w+\(\) takes no keyword arguments$"):
            call()


def test_results_do_not_depend_on_how_the_arguments_arrive(info):
    for way in (lambda f, *args: f(*args), lambda f, *args: positional(f, args)):
        point = way(q.new_VMPoint)
        assert way(q.VMPoint_x_set, point, 4) is None and way(q.VMPoint_x_get, point) == 4
        holder = way(q.NetworkInfo_GetPnicByName, info, "nic2")
        assert way(q.Pnic_GetName, way(q.PnicPtr_get, holder)) == "nic2"
        assert way(q.HostCtlException_what, way(q.new_HostCtlException, "overloaded")) == "overloaded"


@pytest.mark.parametrize(
    "call, args, error, message",
    [
        (q.Pnic_GetName, (5,), TypeError, "in method 'Pnic_GetName', argument 1 of type 'HostCtl::Network::Pnic const *'"),
        # None as the object of a member operation is refused, not called through.
        (q.Pnic_GetName, (None,), TypeError, "in method 'Pnic_GetName', argument 1 of type 'HostCtl::Network::Pnic const *'"),
        (q.VMPoint_x_set, (None, 1), TypeError, "in method 'VMPoint_x_set', argument 1 of type 'VMPoint *'"),
        (q.VMPoint_x_set, ("point", 1), TypeError, "in method 'VMPoint_x_set', argument 1 of type 'VMPoint *'"),
        (q.NetworkInfo_GetPnicByName, (INFO, None), ValueError,
         "invalid null reference in method 'NetworkInfo_GetPnicByName', argument 2 of type 'std::string const &'"),
        (q.NetworkInfo_GetPnicByName, (INFO, 5), TypeError,
         "in method 'NetworkInfo_GetPnicByName', argument 2 of type 'std::string const &'"),
        (q.NetworkInfo_GetPnicByName, (INFO, b"nic0"), TypeError,
         "in method 'NetworkInfo_GetPnicByName', argument 2 of type 'std::string const &'"),
        (q.VMPoint_x_set, (POINT, 2**31), OverflowError, "in method 'VMPoint_x_set', argument 2 of type 'int'"),
        (q.VMPoint_x_set, (POINT, -2**31 - 1), OverflowError, "in method 'VMPoint_x_set', argument 2 of type 'int'"),
        (q.VMPoint_x_set, (POINT, 1.0), TypeError, "in method 'VMPoint_x_set', argument 2 of type 'int'"),
        (q.VMPoint_x_set, (POINT, "1"), TypeError, "in method 'VMPoint_x_set', argument 2 of type 'int'"),
        (q.PnicPtr_swap, (HOLDER, None), ValueError,
         "invalid null reference in method 'PnicPtr_swap', argument 2 of type 'std::unique_ptr< HostCtl::Network::Pnic > &'"),
        (q.PnicPtr_get, (None,), TypeError,
         "in method 'PnicPtr_get', argument 1 of type 'std::unique_ptr< HostCtl::Network::Pnic > const *'"),
    ],
)
def test_argument_messages(info, point, call, args, error, message):
    objects = {"info": info, "point": point, "holder": q.new_PnicPtr(None)}
    args = tuple(objects[a.name] if isinstance(a, Ref) else a for a in args)
    assert raised(call, *args) == (error, message)


@pytest.mark.parametrize(
    "type_text, number, null_ref, error, message",
    [
        ("int", 12, False, TypeError, "in method 'peer_call', argument 12 of type 'int'"),
        ("VMPoint &", 107, True, ValueError, "invalid null reference in method 'peer_call', argument 107 of type 'VMPoint &'"),
        # A variable's message is its whole null-reference text, or that text without the prefix.
        ("invalid null reference of variable 'v'", 0, True, ValueError, "invalid null reference of variable 'v'"),
        ("invalid null reference of variable 'v'", 0, False, TypeError, "of variable 'v'"),
        # Texts are ASCII in practice; anything else still reads as UTF-8.
        ("Caf\u00e9 *", 3, False, TypeError, "in method 'peer_call', argument 3 of type 'Caf\u00e9 *'"),
    ],
)
def test_argument_message_layout(peer, type_text, number, null_ref, error, message):
    with pytest.raises(error) as caught:
        peer.argument_error(type_text, number, null_ref)
    assert str(caught.value) == message


def test_failed_conversion_leaves_the_object_untouched(point):
    q.VMPoint_x_set(point, 3)
    for bad in [2**31, 2.5, "4", None]:
        with pytest.raises((TypeError, OverflowError)):
            q.VMPoint_x_set(point, bad)
    assert q.VMPoint_x_get(point) == 3


@pytest.mark.parametrize(
    "call, args, error, message",
    [
        (q.new_HostCtlException, (1, 2, 3), NotImplementedError, NEW_EXCEPTION_OVERLOADS),
        (q.new_HostCtlException, (5,), NotImplementedError, NEW_EXCEPTION_OVERLOADS),
        (q.new_HostCtlException, (), NotImplementedError, NEW_EXCEPTION_OVERLOADS),
        (q.new_HostCtlException, ("a", "b"), NotImplementedError, NEW_EXCEPTION_OVERLOADS),
        (q.new_HostCtlException, (None,), ValueError,
         "invalid null reference in method 'new_HostCtlException', argument 1 of type 'std::string &&'"),
        (q.new_HostCtlException, ("a", None), ValueError,
         "invalid null reference in method 'new_HostCtlException', argument 2 of type 'HostCtl::Lib::VobMessage const &'"),
        (q.PnicPtr_reset, (1, 2, 3), NotImplementedError, PNIC_RESET_OVERLOADS),
        (q.PnicPtr_reset, (5,), NotImplementedError, PNIC_RESET_OVERLOADS),
        # None passes the overload check; the chosen form then refuses a null holder.
        (q.PnicPtr_reset, (None, None), TypeError,
         "in method 'PnicPtr_reset', argument 1 of type 'std::unique_ptr< HostCtl::Network::Pnic > *'"),
    ],
)
def test_overload_failures(call, args, error, message):
    assert raised(call, *args) == (error, message)


@pytest.mark.parametrize("text", ["", "plain", "ünïcødé ✓", "x" * 1000])
def test_overloads_pick_string_constructor(text):
    error = q.new_HostCtlException(text)
    assert error.own() is True
    assert q.HostCtlException_GetMessage(error) == q.HostCtlException_what(error) == text
    assert q.HostCtlException___str__(error) == q.HostCtlException_GetDetailedMessage(error) == text


# ---- deletion -------------------------------------------------------------------------

DELETED = ": the object behind this proxy was deleted"


def test_delete_disowns_and_a_second_delete_raises(point):
    assert q.delete_VMPoint(point) is None
    assert point.own() is False
    assert raised(q.delete_VMPoint, point) == (ValueError, "in method 'delete_VMPoint', argument 1 of type 'VMPoint *'" + DELETED)
    assert raised(q.VMPoint_x_get, point) == (ValueError, "in method 'VMPoint_x_get', argument 1 of type 'VMPoint *'" + DELETED)
    assert raised(q.VMPoint_x_set, point, 1) == (ValueError, "in method 'VMPoint_x_set', argument 1 of type 'VMPoint *'" + DELETED)


def test_delete_through_registered_instance():
    shadow = qorctl.VMPoint()
    shadow.x = 4
    q.delete_VMPoint(shadow)
    assert shadow.this.own() is False
    with pytest.raises(ValueError, match=re.escape(DELETED)):
        shadow.x


def test_deleted_view_in_a_chain_is_reported_not_skipped(peer):
    point, gadget = q.new_VMPoint(), peer.make("gadget")
    gadget.append(point)
    q.delete_VMPoint(point)
    assert raised(q.VMPoint_x_get, gadget) == (ValueError, "in method 'VMPoint_x_get', argument 1 of type 'VMPoint *'" + DELETED)


def test_ownership_ledger(python_snippet):
    """Which deaths destroy what: every destroy call is recorded, then forwarded."""
    result = python_snippet("""
        import _qorctl as q

        ledger = []
        def recording(kind, forward):
            def destroy(proxy):
                ledger.append((kind, int(proxy)))
                if forward:
                    forward(proxy)
            return destroy

        def register(kind, forward, base=object):
            cls = type(kind, (base,), {'__swig_destroy__': staticmethod(recording(kind, forward))})
            getattr(q, kind + '_swigregister')(cls)

        register('MacAddress', q.delete_MacAddress)
        register('Host', None)
        register('VMPoint', q.delete_VMPoint)
        register('PnicImpl', q.delete_PnicImpl)

        pnic = q.new_PnicImpl('nic0')            # bare: constructors never shadow
        first, second = q.Pnic_GetMacAddress(pnic), q.Pnic_GetMacAddress(pnic)
        copies = sorted([int(first.this), int(second.this)])
        print(first.this.own(), second.this.own(), copies[0] != copies[1], int(pnic) not in copies)
        del first, second
        print(sorted(a for k, a in ledger if k == 'MacAddress') == copies, q.Pnic_GetName(pnic))

        host1, host2 = q.HostFactory_GetHost(), q.HostFactory_GetHost()
        print(host1.this == host2.this, host1.this.own(), host2.this.own())
        del host1
        print(q.HostFactory_GetHost().this == host2.this)
        del host2

        point = q.new_VMPoint()
        q.delete_VMPoint(point)
        del point
        address = int(pnic)
        del pnic
        print(ledger[2:] == [('PnicImpl', address)], [k for k, a in ledger])
    """)
    assert result.returncode == 0, result.stderr
    assert result.stdout.splitlines() == [
        "True True True True",
        "True nic0",
        "True False False",
        "True",
        "True ['MacAddress', 'MacAddress', 'PnicImpl']",
    ]
