"""What the package emitters write for a small declaration: the class call
of the package, its stub and its reference texts."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "generator"))

from qorgen import emit_python, emit_stubs  # noqa: E402
from qorgen.model import Model  # noqa: E402

from test_declarations import CORE, read  # noqa: E402

GADGETS = """
area network
header hostctl/gadget.h
namespace HostCtl::Network
class Gadget : virtual HostCtl::Lib::HostCtlObject
  op GetSize() -> uint32
  op Find(uint32) -> std::unique_ptr< Gadget >
  op Find(int) -> std::unique_ptr< Gadget >
  op Find(std::string const &) -> std::unique_ptr< Gadget >
  op GetParts() -> std::vector< std::unique_ptr< Gadget > >
  op GetOwner() -> Gadget *
  op Attach(Gadget *, bool)
  op Count() static -> int
holder Gadget vector
class Label
  ctor()
  field text : std::string
  field size : uint32 readonly
"""


def model():
    return Model(read(CORE + GADGETS))


def stub_of(name):
    text = emit_stubs.stub_source(model()) + "\n\n"
    start = text.index("class %s(" % name)
    return text[start:text.index("\n\n\n", start)]


def test_stub_gives_python_types_and_tells_overloads_apart():
    assert stub_of("Gadget") == """\
class Gadget(HostCtlObject):
    def __init__(self, *args: Any, **kwargs: Any) -> None: ...  # no constructor: raises
    def GetSize(self) -> int: ...
    @overload
    def Find(self, arg1: int, /) -> GadgetPtr: ...
    @overload
    def Find(self, arg1: str, /) -> GadgetPtr: ...
    def GetParts(self) -> Tuple[GadgetPtr, ...]: ...
    def GetOwner(self) -> Optional[Gadget]: ...
    def Attach(self, arg1: Optional[Gadget], arg2: bool, /) -> None: ...
    @staticmethod
    def Count() -> int: ...
    __swig_destroy__: Any"""


def test_stub_of_a_record_has_its_fields_as_properties():
    assert stub_of("Label") == """\
class Label(_Proxy):
    def __init__(self) -> None: ...
    __swig_destroy__: Any
    @property
    def text(self) -> str: ...
    @text.setter
    def text(self, value: str, /) -> None: ...
    @property
    def size(self) -> int: ..."""


def test_package_defers_each_class_in_one_call_naming_its_functions():
    text = emit_python.package_source(model())
    assert ("_defer('Gadget', ('HostCtlObject',), 'GetSize Find GetParts GetOwner Attach', "
            "statics='Count', constructor=False, destroy=True, copy=None)") in text
    # A record with a read-only field cannot be copied field by field.
    assert "_defer('Label', ('_Proxy',), '', fields='text size', readonly='size', destroy=True)\n" in text


def test_reference_text_lists_every_prototype_in_dispatch_order():
    docs = {}
    exec(emit_python.docs_source(model()), docs)
    assert docs["DOCS"]["Gadget_Find"] == """\
Find(self, arg1: int, /) -> GadgetPtr
Find(self, arg1: str, /) -> GadgetPtr

Library prototypes:
    HostCtl::Network::Gadget::Find(uint32) -> std::unique_ptr< HostCtl::Network::Gadget >
    HostCtl::Network::Gadget::Find(int) -> std::unique_ptr< HostCtl::Network::Gadget >
    HostCtl::Network::Gadget::Find(std::string const &) -> std::unique_ptr< HostCtl::Network::Gadget >"""
    assert "Gadget_GetSize" in docs["DOCS"] and "Label_text_get" not in docs["DOCS"]
