"""What the generator writes for a small declaration file, compared with the
text kept in tests/generator/golden/. A change to the emitters shows here as
a diff to read; when the change is meant, rewrite the kept text with

    QORCTL_UPDATE_GOLDEN=1 python3 -m pytest tests/generator/test_emitted_text.py
"""

import difflib
import os
import sys
from pathlib import Path

import pytest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "generator"))

from qorgen.__main__ import generate  # noqa: E402

GOLDEN = Path(__file__).resolve().parent / "golden"
# One output of each emitter: wrappers, library declarations and behaviour,
# the function table, type records, constants and variables, the package,
# its stubs and its reference texts.
OUTPUTS = ["api/hostctl/widgets.cpp", "api_widgets.cpp", "lib_widgets.cpp", "include/hostctl/widgets.h", "qorctl_functions.cpp",
           "qorctl_types.cpp", "qorctl_values.cpp", "python/qorctl/__init__.py", "python/qorctl/__init__.pyi",
           "python/qorctl/_docs.py"]


@pytest.fixture(scope="module")
def emitted(tmp_path_factory):
    out = tmp_path_factory.mktemp("gen")
    generate(str(out), ["core", "widgets"], [str(GOLDEN / "widgets.qd")])
    return out


@pytest.mark.parametrize("name", OUTPUTS)
def test_emitted_text_is_the_kept_text(emitted, name):
    text = (emitted / name).read_text()
    kept = GOLDEN / ("widgets." + name.replace("/", "."))
    if os.environ.get("QORCTL_UPDATE_GOLDEN"):
        kept.write_text(text)
    diff = "".join(difflib.unified_diff(kept.read_text().splitlines(True), text.splitlines(True),
                                        "kept/" + kept.name, "emitted/" + name))
    assert not diff, "the generator's output changed:\n" + diff
