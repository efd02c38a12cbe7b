"""The package as editors and type checkers see it: its stubs agree with the
built package, carry the library's types, and every method answers help()
with its library prototypes."""

import os
import pydoc
import subprocess
import sys
import textwrap

import pytest

import qorctl
from conftest import BUILD_DIR


def mypy_env():
    env = dict(os.environ, PYTHONPATH=str(BUILD_DIR), MYPYPATH=str(BUILD_DIR))
    env.pop("QORCTL_SIM_HOST", None)
    return env


def test_stubtest_finds_the_stubs_true_to_the_built_package(tmp_path):
    config = tmp_path / "mypy.ini"
    config.write_text("[mypy]\n")
    result = subprocess.run([sys.executable, "-m", "mypy.stubtest", "qorctl", "--mypy-config-file", str(config)],
                            capture_output=True, text=True, env=mypy_env(), cwd=tmp_path, timeout=900)
    assert result.returncode == 0, result.stdout[-3000:] + result.stderr[-2000:]


def test_the_package_is_marked_typed():
    assert (BUILD_DIR / "qorctl" / "py.typed").is_file()
    assert (BUILD_DIR / "qorctl" / "__init__.pyi").is_file()


def test_a_type_checker_knows_the_api(tmp_path):
    script = tmp_path / "script.py"
    script.write_text(textwrap.dedent("""\
        import qorctl

        info = qorctl.NetworkInfoImpl()
        for holder in info.GetPnics():
            pnic = holder.get()
            if pnic is not None:
                mtu: int = pnic.GetMTU()
                name: str = pnic.GetName()
                wrong: str = pnic.IsLinkUp()
        info.GetPnicByName(5)
        qorctl.HardwareInfoImpl().GetBootDevices()[0].priority = "first"
        """))
    result = subprocess.run([sys.executable, "-m", "mypy", "--no-incremental", "--python-version", "3.8",
                             str(script)], capture_output=True, text=True, env=mypy_env(), cwd=tmp_path, timeout=900)
    errors = [line.split(": error: ")[1] for line in result.stdout.splitlines() if ": error: " in line]
    assert len(errors) == 3, result.stdout
    assert 'Incompatible types in assignment (expression has type "bool", variable has type "str")' in errors[0]
    assert 'Argument 1 to "GetPnicByName" of "NetworkInfoImpl" has incompatible type "int"' in errors[1]
    assert '(expression has type "str", variable has type "int")' in errors[2]


def test_an_overloaded_method_documents_every_prototype_in_dispatch_order():
    doc = qorctl.NetworkInfoImpl.GetPnics.__doc__
    first = doc.index("QorCtl::Network::NetworkInfoImpl::GetPnics(HostCtl::Network::PnicGetType)")
    second = doc.index("QorCtl::Network::NetworkInfoImpl::GetPnics()")
    assert first < second
    assert doc.splitlines()[0] == "GetPnics(self, arg1: int, /) -> Tuple[PnicPtr, ...]"
    assert doc == qorctl.NetworkInfoImpl().GetPnics.__doc__


@pytest.mark.parametrize("function, prototype", [
    (qorctl.Pnic.GetName, "HostCtl::Network::Pnic::GetName() const -> std::string"),
    (qorctl.StringVector.__init__, "std::vector< std::string,std::allocator< std::string > >::vector(size_t)"),
    (qorctl.FirewallControlPort, "FirewallControlPort("),
    (qorctl.AdvancedOptionImpl.FindOption, "FindOption("),
])
def test_methods_constructors_static_and_free_functions_carry_their_prototypes(function, prototype):
    assert prototype in function.__doc__


def test_help_of_a_class_reads_like_a_reference_page():
    page = pydoc.render_doc(qorctl.Pnic, renderer=pydoc.plaintext)
    assert "GetMTU(self) -> int" in page and "HostCtl::Network::Pnic::GetMTU() -> uint32" in page


def test_the_texts_are_loaded_when_first_asked_for_not_at_import(python_snippet):
    result = python_snippet("""
        import sys, qorctl
        print("qorctl._docs" in sys.modules)
        qorctl.Pnic.GetName.__doc__
        print("qorctl._docs" in sys.modules)
    """)
    assert result.stdout.split() == ["False", "True"], result.stderr


def test_static_methods_and_functions_still_call_through():
    assert qorctl.AdvancedOptionImpl.FindOption("/Net/TcpHeapMax").get() is not None
    with pytest.raises(TypeError, match="FirewallControlPort"):
        qorctl.FirewallControlPort()
