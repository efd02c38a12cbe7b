"""The stand-in library the generator writes from declarations: which
operations get generated bodies, where nested names are defined, and how
objects and records are read from the simulated host."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "generator"))

from qorgen.model import Model  # noqa: E402
from test_declarations import CORE, library_headers, library_source, read  # noqa: E402

SAMPLE = """
area sample
header hostctl/sample.h
namespace HostCtl::Sample
enum Gadget::Mode
class Part
  field size : uint32
  field label : std::string
  ctor(uint32, std::string const &)
class Gadget : virtual HostCtl::Lib::HostCtlObject
  op GetMode() -> Gadget::Mode
  op GetParts() -> std::vector< Part >
  op GetSpare() -> Part
  op SetLabel(std::string const &) custom
  op GetGadgets() -> std::vector< std::unique_ptr< Gadget > >
class Widget : virtual HostCtl::Lib::HostCtlObject
  op GetGadget() -> std::unique_ptr< Gadget >
namespace QorCtl::Sample
class GadgetImpl : HostCtl::Sample::Gadget, QorCtl::Lib::QorCtlObject
  ctor(uint32)
"""


def sources(text=SAMPLE):
    model = Model(read(CORE + text))
    return library_headers(model)["hostctl/sample.h"], library_source(model, "sample")


def test_hand_written_operations_are_declared_but_not_defined():
    header, source = sources()
    assert "void SetLabel(std::string const &) override;" in header
    assert "GadgetImpl::SetLabel" not in source and "GadgetImpl::GetMode" in source


def test_a_nested_enumeration_is_defined_inside_its_class_only():
    headers = library_headers(Model(read(CORE + SAMPLE)))
    assert "    enum Mode : int {  };" in headers["hostctl/sample.h"]
    # Nowhere declared ahead at namespace level, where it would be another type.
    assert not any("enum Mode : int;" in text for text in headers.values())


def test_record_constructors_set_the_fields_they_are_given():
    _, source = sources()
    assert "HostCtl::Sample::Part::Part(uint32 p1, std::string const & p2) : size(p1), label(p2) {}" in source


def test_records_are_read_field_by_field_and_lists_of_them_node_by_node():
    _, source = sources()
    # A record result is filled from "<key>.<field>"; the fill reads each field.
    assert 'QorCtl::Sim::Fill(value, *node_, "Spare");' in source
    assert 'Fill(record.label, node, key + ".label");' in source
    assert 'for (const auto &child : QorCtl::Sim::All("Part")) {' in source
    assert 'item.size = QorCtl::Sim::Read<uint32>(*child, "size");' in source


def test_objects_list_their_own_members_and_open_numbered_nodes():
    _, source = sources()
    assert 'QorCtl::Sim::Members("Gadget", *node_)' in source
    assert 'GadgetImpl::GadgetImpl(uint32 p1) : GadgetImpl(QorCtl::Sim::Open("Gadget", std::to_string(p1))) {}' \
        in source


def test_an_interface_without_an_implementation_gets_a_library_only_one():
    model = Model(read(CORE + SAMPLE))
    header = library_headers(model)["hostctl/sample.h"]
    assert "class WidgetNode : public HostCtl::Sample::Widget, public QorCtl::Lib::QorCtlObject {" in header
    assert "WidgetNode" not in {cls.py for cls in model.python_classes}


LATE_BASE = """
area sample
header hostctl/late.h
namespace HostCtl::Sample
class Derived : virtual Base
  op Spin()
header hostctl/early.h
class Base : virtual HostCtl::Lib::HostCtlObject
  op Stop()
"""


def test_a_base_declared_after_its_derived_class_still_comes_first():
    from qorgen.emit_python import package_source
    model = Model(read(CORE + LATE_BASE))
    header = library_headers(model)["hostctl/late.h"]
    assert '#include "hostctl/early.h"' in header
    package = package_source(model)
    assert package.index("_defer('Base', ") < package.index("_defer('Derived', ('Base',)")

FIELDS = """
area sample
header hostctl/sample.h
namespace HostCtl::Sample
class Counter
  ctor()
  ctor(uint32) custom
  field count : uint32
class Dial : virtual HostCtl::Lib::HostCtlObject
  field counter : Counter *
  op GetLevel() -> uint32
  op Describe(uint32) static -> std::string = std::to_string(arg1)
"""


def test_an_interface_keeps_its_fields_and_a_hand_written_constructor_is_left_out():
    header, source = sources(FIELDS)
    assert "    HostCtl::Sample::Counter counter{};" in header
    assert "explicit Counter(uint32);" in header and "Counter::Counter(uint32" not in source
    # What the module computes itself is neither declared nor defined by the library.
    assert "Describe" not in header and "Describe" not in source
