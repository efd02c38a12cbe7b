"""Objects that scripts still hold when the interpreter exits."""

import textwrap

import pytest

# Each snippet leaves library objects behind in a different kind of place.
HOLDERS = {
    "module global": "kept = qorctl.NetworkInfoImpl()",
    "user instance": """
        class Box:
            pass
        box = Box()
        box.info = qorctl.NetworkInfoImpl()
        box.names = qorctl.StringVector(["a", "b"])
        """,
    "reference cycle": """
        cycle = [qorctl.NetworkInfoImpl(), qorctl.MapStringString({"k": "v"})]
        cycle.append(cycle)
        """,
    "kept exception": """
        try:
            qorctl.NetworkInfoImpl().GetPnicByName("nic9")
        except qorctl.HostCtlException as error:
            kept = error
        """,
    "open iterator": "walk = iter(qorctl.StringVector(['x', 'y']))",
}


@pytest.mark.parametrize("snippet", HOLDERS.values(), ids=HOLDERS.keys())
def test_owned_objects_die_at_exit_without_a_leak_line(python_snippet, snippet):
    code = "import qorctl, _qorctl_peer\n_qorctl_peer.report_live_objects_at_exit()\n"
    result = python_snippet(code + textwrap.dedent(snippet))
    assert result.returncode == 0, result.stderr
    assert "memory leak" not in result.stdout
    assert result.stdout.splitlines()[-1] == "live library objects at exit: 0"


def test_finaliser_at_exit_gets_instances_back(python_snippet):
    result = python_snippet("""
        import qorctl

        class Watcher:
            def __del__(self):
                print("finaliser sees", type(self.info.GetPnics()[0]).__name__)

        watcher = Watcher()
        watcher.info = qorctl.NetworkInfoImpl()
        """)
    assert result.returncode == 0, result.stderr
    assert "finaliser sees PnicPtr" in result.stdout


def test_unregistered_owned_proxy_still_reports_its_leak_at_exit(python_snippet, leak_line):
    # No class, no destroy function: the owning proxy can only say so.
    result = python_snippet("""
        import _qorctl
        kept = _qorctl.new_VMPoint()
        """)
    assert result.returncode == 0, result.stderr
    assert result.stdout.splitlines() == [leak_line("VMPoint *")]
