"""Shared set-up for the test suite.

The build folder (QORCTL_BUILD_DIR, default <repo>/build) holds _qorctl, the
test-only modules and the generated qorctl package; it goes first on sys.path.
_qorctl is imported here, before any test module, so that in this process it
always starts the registry ring and the test-only peer module joins it.
"""

import gc
import os
import subprocess
import sys
import textwrap
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parent.parent
BUILD_DIR = Path(os.environ.get("QORCTL_BUILD_DIR", REPO / "build")).resolve()

if not BUILD_DIR.is_dir():
    raise pytest.UsageError(f"build folder {BUILD_DIR} does not exist; set QORCTL_BUILD_DIR")
sys.path.insert(0, str(BUILD_DIR))

import _qorctl  # noqa: E402,F401  (see the module documentation)

@pytest.fixture(scope="session")
def build_dir():
    return BUILD_DIR


@pytest.fixture(scope="session")
def peer():
    """The test-only second module of the binding runtime."""
    import _qorctl_peer

    return _qorctl_peer


@pytest.fixture
def live(peer):
    """How many more concrete library objects are alive than when the test began.

    Earlier tests may leave proxies in reference cycles (tracebacks kept by
    pytest.raises, for one); collecting them first keeps the collector from
    destroying their objects in the middle of this test's count."""
    gc.collect()
    start = peer.live_objects()
    return lambda: peer.live_objects() - start


@pytest.fixture
def sim_host(tmp_path):
    """Returns a function that writes a simulated-host model file and points
    QORCTL_SIM_HOST at it for the rest of the test. The library re-reads the
    model at its next entry point; afterwards the variable is restored and the
    library re-synchronised, so later tests see the model they expect."""
    saved = os.environ.get("QORCTL_SIM_HOST")
    count = [0]

    def write(text):
        count[0] += 1
        path = tmp_path / f"host{count[0]}.model"
        path.write_text(textwrap.dedent(text))
        os.environ["QORCTL_SIM_HOST"] = str(path)
        return path

    yield write
    if saved is None:
        os.environ.pop("QORCTL_SIM_HOST", None)
    else:
        os.environ["QORCTL_SIM_HOST"] = saved
    _qorctl.QorCtlObject_Init()  # re-reads the model


def run_python(code, env=None, timeout=120):
    """Runs a Python snippet in a fresh interpreter that sees the build folder
    first on its path; returns the CompletedProcess (stdout, stderr and
    returncode as text)."""
    full_env = dict(os.environ)
    full_env["PYTHONPATH"] = os.pathsep.join(
        [str(BUILD_DIR)] + ([full_env["PYTHONPATH"]] if full_env.get("PYTHONPATH") else []))
    full_env["PYTHONFAULTHANDLER"] = "1"
    if env:
        full_env.update(env)
    return subprocess.run([sys.executable, "-c", textwrap.dedent(code)], capture_output=True, text=True,
                          env=full_env, timeout=timeout)


@pytest.fixture
def python_snippet():
    """run_python as a fixture; asserts nothing itself."""
    return run_python


@pytest.fixture
def leak_line():
    """The line a dying owning proxy prints when its type has no destroy function."""
    return lambda type_text: f"swig/python detected a memory leak of type '{type_text}', no destructor found."
