"""The generator's reading of declarations: type spellings, registry keys,
display names and the errors a transcription mistake produces."""

import os
import sys

import pytest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "generator"))

from qorgen import ctype, emit_python  # noqa: E402
from qorgen.decl import DeclError, _Reader, Library  # noqa: E402
from qorgen.emit_behaviour import BehaviourWriter  # noqa: E402
from qorgen.emit_headers import HeaderWriter  # noqa: E402
from qorgen.includes import NameIndex  # noqa: E402
from qorgen.library_model import LibraryModel  # noqa: E402
from qorgen.model import Model  # noqa: E402


@pytest.mark.parametrize("text, mangled", [
    ("std::unique_ptr< HostCtl::Network::Pnic >", "_p_std__unique_ptrT_HostCtl__Network__Pnic_t"),
    ("char *", "_p_p_char"),
    ("unsigned int", "_p_unsigned_int"),
    ("std::vector< HostCtl::Network::PortRange,std::allocator< HostCtl::Network::PortRange > >",
     "_p_std__vectorT_HostCtl__Network__PortRange_std__allocatorT_HostCtl__Network__PortRange_t_t"),
])
def test_registry_key_of_a_pointer_to_the_type(text, mangled):
    assert ctype.parse(text).mangle() == mangled


@pytest.mark.parametrize("text, spelled", [
    ("std::vector<std::string> &", "std::vector< std::string,std::allocator< std::string > > &"),
    ("std::string const&", "std::string const &"),
    ("const char*", "char const *"),
    ("uint8 [16]", "uint8 [16]"),
    ("std::map<std::string, std::string>",
     "std::map< std::string,std::string,std::less< std::string >,"
     "std::allocator< std::pair< std::string const,std::string > > >"),
])
def test_declared_spelling_matches_the_library_headers(text, spelled):
    assert ctype.with_default_args(ctype.parse(text)).spell() == spelled


def read(text):
    library = Library()
    _Reader(library, "test.qd").read(text)
    return library


def library_writers(model):
    classes = LibraryModel(model)
    names = NameIndex(classes)
    return HeaderWriter(classes, names), BehaviourWriter(classes, names)


def library_headers(model):
    """The stand-in library's generated headers: path -> text."""
    return library_writers(model)[0].headers()


def library_source(model, area):
    """The generated behaviour of an area's classes."""
    return library_writers(model)[1].source(area)


SAMPLE = """
area network
header hostctl/sample.h
namespace HostCtl::Network
class Widget : virtual HostCtl::Lib::HostCtlObject
  op GetName() const -> std::string
class WidgetImpl : Widget, QorCtl::Lib::QorCtlObject
  ctor(std::string const &)
  reexpose GetName
holder Widget vector
"""

CORE = """
area core
header hostctl/core.h
namespace HostCtl::Lib
class HostCtlObject
  extern
class QorCtl::Lib::QorCtlObject : virtual HostCtlObject
  extern
"""


def test_display_names_carry_every_alias_of_a_holder_and_its_object():
    model = Model(read(CORE + SAMPLE))
    holder = model.records["_p_std__unique_ptrT_HostCtl__Network__Widget_t"]
    assert holder.display == ("HostCtl::Network::WidgetPtr *"
                              "|std::vector< std::unique_ptr< HostCtl::Network::Widget > >::value_type *"
                              "|std::unique_ptr< HostCtl::Network::Widget > *")
    widget = model.records["_p_HostCtl__Network__Widget"]
    assert widget.display.split("|")[-1] == "std::unique_ptr< HostCtl::Network::Widget >::pointer"


def test_implementation_class_converts_to_every_ancestor():
    model = Model(read(CORE + SAMPLE))
    impl = model.records["_p_HostCtl__Network__WidgetImpl"]
    targets = {name for name, record in model.records.items() if any(e.source is impl for e in record.edges)}
    assert targets == {"_p_HostCtl__Network__Widget", "_p_HostCtl__Lib__HostCtlObject",
                       "_p_QorCtl__Lib__QorCtlObject"}


NARROWED = """
class GadgetImpl : Widget, QorCtl::Lib::QorCtlObject
  noconvert Widget
  reexpose GetName
"""


def test_a_base_left_out_of_the_conversion_graph_gets_no_edge_nor_proxy_base():
    model = Model(read(CORE + SAMPLE + NARROWED))
    gadget = model.records["_p_HostCtl__Network__GadgetImpl"]
    targets = {name for name, record in model.records.items() if any(e.source is gadget for e in record.edges)}
    assert targets == {"_p_HostCtl__Lib__HostCtlObject", "_p_QorCtl__Lib__QorCtlObject"}
    cls = model.lib.classes["HostCtl::Network::GadgetImpl"]
    assert emit_python.class_source(model, cls, [])[0].startswith("_defer('GadgetImpl', ('QorCtlObject',), ")


def test_a_hidden_redeclaration_does_not_hide_the_reexposed_interface_operation():
    model = Model(read(CORE + SAMPLE + """
class ToolImpl : Widget, QorCtl::Lib::QorCtlObject
  op GetName() const hidden custom -> std::string
class ToolKitImpl : ToolImpl
  reexpose GetName
"""))
    entry = next(e for e in model.entries if e.py == "ToolKitImpl_GetName")
    assert entry.candidates[0].prototype == "HostCtl::Network::ToolKitImpl::GetName() const"
    assert not any(e.py == "ToolImpl_GetName" for e in model.entries)


def test_records_are_indexed_in_byte_order_of_their_keys():
    model = Model(read(CORE + SAMPLE))
    keys = [r.mangled for r in model.sorted_records()]
    assert keys == sorted(keys, key=str.encode)


def test_reexposed_operation_keeps_the_interface_prototype_under_the_new_name():
    model = Model(read(CORE + SAMPLE))
    entry = next(e for e in model.entries if e.py == "WidgetImpl_GetName")
    assert entry.candidates[0].self_arg.decl.spell() == "HostCtl::Network::WidgetImpl const *"


def test_hidden_fields_are_library_state_without_flat_functions():
    text = SAMPLE.replace("  reexpose GetName\n", "  reexpose GetName\n  field stale : bool hidden = true\n")
    model = Model(read(CORE + text))
    assert not [e.py for e in model.entries if "stale" in e.py]
    header = library_headers(model)["hostctl/sample.h"]
    assert "    bool stale{true};" in header


@pytest.mark.parametrize("text, complaint", [
    ("area a\nnamespace N\nclass A\n  op F(Unknown)\n", "unknown type name 'Unknown'"),
    ("area a\nclass A\n  op F(int\n", "cannot read operation"),
    ("area a\nclass A\nclass A\n", "declared twice"),
    ("area a\n  op F()\n", "member outside a class"),
    ("area a\nclass A\n  colour blue\n", "unknown class member"),
    ("area a\nclass A\n  reexpose Missing\n", "re-exposes unknown operation Missing"),
])
def test_transcription_mistakes_are_reported(text, complaint):
    with pytest.raises(DeclError, match=complaint):
        Model(read(text))


VALUES = """
const BIG = 18446744073709551615 ull
enum Mode = MODE_A = 4, MODE_B, MODE_C = 9, MODE_D
const LETTER = 'U'
const TEXT = "a=b"
const SMALL = -9223372036854775808
var Widget::TABLE : std::string [2] library = {"a", "b"}
var Widget::NAMES : std::string const [2] library = {"a", "b"}
var Widget::ROUTE : Widget library = {}
var LABEL : char const * library = "x"
var FIXED : char const * const = "y"
var Widget::LIMIT : uint32 const library = 5
"""


def test_constants_and_variables_keep_interface_order_and_kinds():
    library = read(CORE + SAMPLE + VALUES)
    constants = [(v.name, v.kind, v.value) for v in library.values if not hasattr(v, "qname")]
    assert constants == [("BIG", "ull", 2 ** 64 - 1), ("MODE_A", "long", 4), ("MODE_B", "long", 5),
                         ("MODE_C", "long", 9), ("MODE_D", "long", 10), ("LETTER", "char", "U"),
                         ("TEXT", "cstring", "a=b"), ("SMALL", "long", -2 ** 63)]
    model = Model(library)
    kinds = {g.var.py: (g.kind, g.writable) for g in model.values if hasattr(g, "var")}
    assert kinds == {"Widget_TABLE": ("array", False), "Widget_NAMES": ("array", False),
                     "Widget_ROUTE": ("object", True), "LABEL": ("cstring", True),
                     "FIXED": ("cstring", False), "Widget_LIMIT": ("scalar", False)}
    # Only static members that are not const get module accessor functions.
    accessors = [e.py for e in model.entries if e.candidates[0].kind in ("varget", "varset")]
    assert accessors == ["Widget_TABLE_get", "Widget_TABLE_set", "Widget_ROUTE_get", "Widget_ROUTE_set"]


@pytest.mark.parametrize("text, complaint", [
    ("const A = 9223372036854775808\n", "does not fit a long constant"),
    ("const A = -1 size\n", "does not fit a size constant"),
    ("const A = 'UV'\n", "one character"),
    ("const A = twelve\n", "not an integer"),
    ("enum E = A = x\n", "not an integer"),
    ("var A : int const\n", "cannot read variable"),
    ("var A : int = 1\n", "must be const"),
    ("var A : int * const = 0\n", "pointers other than C strings"),
])
def test_value_mistakes_are_reported(text, complaint):
    with pytest.raises(DeclError, match=complaint):
        Model(read("area a\n" + text))


CONTAINERS = """
class Gadget
  ctor()
  field names : std::vector< std::string >
  field widget : WidgetPtr
class Hub : virtual HostCtl::Lib::HostCtlObject
  op Take(std::vector< uint32 > const &, std::set< std::string >, std::map< std::string,std::pair< std::string,std::string > > const &)
  op Fill(std::vector< std::string > &)
  op Gadgets(std::vector< Gadget > const &, std::vector< Gadget * > const &)
  op Others(std::vector< Widget * > const &)
  op Pair() -> std::pair< std::string,std::string >
sequence Gadget
sequence Gadget *
holder Gadget as GizmoPtr
"""


def test_container_types_pick_their_conversion_from_the_declared_type():
    model = Model(read(CORE + SAMPLE + CONTAINERS))
    fn = {e.py: e.candidates[0] for e in model.entries}
    take = fn["Hub_Take"].args
    assert [a.kind for a in take] == ["container"] * 3
    assert take[0].info.name == "std::vector<unsigned int,std::allocator< unsigned int > >"
    assert take[2].info.name == ("std::map<std::string,std::pair< std::string,std::string >,std::less< std::string >,"
                                 "std::allocator< std::pair< std::string const,std::pair< std::string,std::string > > > >")
    # A container the library fills travels only as a proxy.
    assert fn["Hub_Fill"].args[0].kind == "reference"
    values, pointers = fn["Hub_Gadgets"].args
    assert (values.info.element, pointers.info.element) == ("HostCtl::Network::Gadget",) * 2
    assert pointers.info.name == ("std::vector<HostCtl::Network::Gadget *,"
                                  "std::allocator< HostCtl::Network::Gadget * > >")
    # Vectors of records without a `sequence` statement are opaque proxies.
    assert fn["Hub_Others"].args[0].kind == "reference"
    assert fn["Hub_Pair"].result.info.name == "std::pair<std::string,std::string >"
    # Container fields copy from a proxy; holder fields move the object in.
    assert fn["Gadget_names_set"].args[0].kind == "reference"
    assert fn["Gadget_widget_set"].args[0].move
    # A holder's library typedef is its Python name.
    gizmo = model.records["_p_std__unique_ptrT_HostCtl__Network__Gadget_t"]
    assert gizmo.display.split("|")[0] == "HostCtl::Network::GizmoPtr *"
    # Every converted container has its record, found by the conversion type name.
    assert "_p_std__vectorT_unsigned_int_std__allocatorT_unsigned_int_t_t" in model.records


def test_container_class_of_records_makes_its_records_convert():
    model = Model(read(CORE + SAMPLE + """
class Part
  ctor()
container PartVector = std::vector< Part >
container Names = std::set< std::string >
"""))
    fn = {e.py: e.candidates for e in model.entries}
    assert fn["new_PartVector"][1].args[0].info.element == "HostCtl::Network::Part"
    assert [c.args[0].kind for c in fn["Names_insert"]] == ["string"]


def test_holders_follow_the_containers_grouped_by_namespace():
    # Widget's holder (network) is declared before Knob's and Dial's (adv).
    model = Model(read(CORE + SAMPLE + """
namespace HostCtl::Adv
class Knob : virtual HostCtl::Lib::HostCtlObject
class Dial : virtual HostCtl::Lib::HostCtlObject
holder Knob vector
holder Dial
container Names = std::set< std::string >
"""))
    registered = [e.py[:-len("_swigregister")] for e in model.entries if e.py.endswith("_swigregister")]
    assert registered == ["SwigPyIterator", "Names", "KnobPtr", "DialPtr", "KnobVector", "WidgetPtr", "WidgetVector",
                          "HostCtlObject", "QorCtlObject", "Widget", "WidgetImpl", "Knob", "Dial"]


@pytest.mark.parametrize("declared, reads, member", [
    ("Widget", "copy", "HostCtl::Network::Widget"),
    ("HostCtl::Network::Widget", "borrowed", "HostCtl::Network::Widget"),
    ("Widget *", "borrowed", "HostCtl::Network::Widget"),
    ("std::vector< std::string > *", "borrowed", "std::vector< std::string,std::allocator< std::string > >"),
])
def test_a_fields_reading_and_member_follow_how_its_type_is_written(declared, reads, member):
    model = Model(read(CORE + SAMPLE + "class Box\n  ctor()\n  field item : %s\n" % declared))
    getter = next(e for e in model.entries if e.py == "Box_item_get").candidates[0]
    assert getter.result.kind == reads
    assert model.member_type(model.lib.classes["HostCtl::Network::Box"].fields[0]).spell() == member


RECORDS = """
area network
header hostctl/sample.h
namespace HostCtl::Network
class Inner
  ctor()
  field vlan : uint16
class Outer
  ctor()
  ctor(uint32, Inner)
  ctor(Outer const &)
  field count : uint32 = 7
  field copy : Inner
  field held : Inner *
  field names : std::vector< std::string > *
  field id : std::string const &
"""


def test_record_fields_hold_what_their_declared_type_says():
    model = Model(read(CORE + RECORDS))
    text = library_headers(model)["hostctl/sample.h"]
    for member in ("uint32 count{7};", "HostCtl::Network::Inner copy{};", "HostCtl::Network::Inner held{};",
                   "std::vector< std::string,std::allocator< std::string > > names{};", "std::string id{};"):
        assert "    " + member + "\n" in text
    assert "Outer(HostCtl::Network::Outer const &)" not in text      # the implicit copy constructor serves
    source = library_source(model, "network")
    assert "Outer(uint32 p1, HostCtl::Network::Inner p2) : count(p1), copy(p2) {}" in source
    setters = {e.py: e.candidates[0] for e in model.entries if e.py.endswith("_set")}
    held = setters["Outer_held_set"].args[0]
    assert (held.kind, held.decl.spell(), held.record.mangled) == (
        "reference", "HostCtl::Network::Inner *", "_p_HostCtl__Network__Inner")
    assert setters["Outer_id_set"].args[0].kind == "string"
    getters = {e.py: e.candidates[0] for e in model.entries if e.py.endswith("_get")}
    assert (getters["Outer_held_get"].result.kind, getters["Outer_held_get"].result.reference) == ("borrowed", True)
    assert getters["Outer_id_get"].result.kind == "string"


STAND_IN = """
area system
header hostctl/sample.h
namespace HostCtl::System
class Link
  ctor()
  field next : Link *
class Agent : virtual HostCtl::Lib::HostCtlObject
  unlisted
class Settings
  ctor()
  field level : int
class Config : virtual HostCtl::Lib::HostCtlObject
  op GetSettings(std::string const &) -> Settings
  op GetNames(std::vector< std::string > &) const
  op SetNames(std::vector< std::string > const &)
  op Start() custom
class ConfigImpl : Config, Agent, QorCtl::Lib::QorCtlObject
  ctor()
  reexpose GetSettings GetNames SetNames Start
class Watcher : virtual HostCtl::Lib::HostCtlObject
  op IsAwake() -> bool
"""


def test_stand_in_declarations_shape_what_the_library_and_module_get():
    model = Model(read(CORE + STAND_IN))
    names = {e.py for e in model.entries}
    assert not {n for n in names if n.startswith(("Agent_", "delete_Agent"))}   # unlisted: no function at all
    assert "ConfigImpl_GetSettings" in names and "_p_HostCtl__System__Agent" in model.records
    assert "    HostCtl::System::Link * next{};\n" in library_headers(model)["hostctl/sample.h"]  # a link, not a copy
    source = library_source(model, "system")
    assert 'QorCtl::Sim::Fill(value, *node_, QorCtl::Sim::Indexed("Settings", p1));' in source
    assert 'p1 = QorCtl::Sim::Read<std::vector< std::string,std::allocator< std::string > >>(*node_, "Names");' \
        in source
    assert "ConfigImpl::Start()" not in source                                   # hand-written
    assert "QorCtl::Sim::System::WatcherNode::IsAwake()" in source                # served from the model


BINDING = """
area network
header hostctl/sample.h
namespace HostCtl::Network
class Gauge : virtual HostCtl::Lib::HostCtlObject
  op GetLevel() -> uint32
  op Reset()
namespace QorCtl::Network
class GaugeImpl : HostCtl::Network::Gauge, QorCtl::Lib::QorCtlObject
  binding own
  reexpose GetLevel Reset
  op Calibrate()
class DialImpl : HostCtl::Network::Gauge, QorCtl::Lib::QorCtlObject
  binding all except Reset
  reexpose GetLevel Reset
  op Calibrate()
class Token
  unregistered
  ctor()
"""


def test_binding_says_which_calls_skip_the_virtual_table():
    from qorgen.emit_module import call_expr
    model = Model(read(CORE + BINDING))
    calls = {e.py: call_expr(e.candidates[0], []) for e in model.entries
             if e.candidates[0].kind == "op" and not e.candidates[0].op.expr}
    assert calls == {
        "Gauge_GetLevel": "self.get()->GetLevel()",
        "Gauge_Reset": "self.get()->Reset()",
        "GaugeImpl_GetLevel": "self.get()->GetLevel()",
        "GaugeImpl_Reset": "self.get()->Reset()",
        "GaugeImpl_Calibrate": "self.get()->QorCtl::Network::GaugeImpl::Calibrate()",
        "DialImpl_GetLevel": "self.get()->QorCtl::Network::DialImpl::GetLevel()",
        "DialImpl_Reset": "self.get()->Reset()",
        "DialImpl_Calibrate": "self.get()->QorCtl::Network::DialImpl::Calibrate()",
    }


def test_an_unregistered_class_has_its_functions_but_no_python_class():
    from qorgen.emit_python import package_source
    model = Model(read(CORE + BINDING))
    assert [e.py for e in model.entries if "Token" in e.py] == ["new_Token", "delete_Token"]
    package = package_source(model)
    assert "Token = _class(" not in package and "new_Token = _function(_qorctl.new_Token)" in package


@pytest.mark.parametrize("line, complaint", [
    ("binding own except Reset", "cannot read binding"),
    ("binding some", "cannot read binding"),
    ("binding all except Calibrate", "leaves virtual what it does not re-expose: Calibrate"),
])
def test_binding_mistakes_are_reported(line, complaint):
    text = BINDING.replace("binding all except Reset", line)
    with pytest.raises(DeclError, match=complaint):
        Model(read(CORE + text))


DEFAULTS = """
area network
header hostctl/sample.h
namespace HostCtl::Network
class Lamp : virtual HostCtl::Lib::HostCtlObject
  op Blink(uint32, bool = true, uint32 = Lamp::SLOW)
namespace QorCtl::Network
class LampImpl : HostCtl::Network::Lamp, QorCtl::Lib::QorCtlObject
  ctor(std::string const &, uint32 = 7)
"""


def test_defaulted_parameters_give_shorter_forms_that_pass_the_defaults():
    from qorgen.emit_module import call_expr
    model = Model(read(CORE + DEFAULTS))
    blink = next(e for e in model.entries if e.py == "Lamp_Blink").candidates
    assert [fn.prototype for fn in blink] == [
        "HostCtl::Network::Lamp::Blink(uint32,bool,uint32)",
        "HostCtl::Network::Lamp::Blink(uint32,bool)",
        "HostCtl::Network::Lamp::Blink(uint32)"]
    assert call_expr(blink[2], ["a1"]) == "self.get()->Blink(a1.get(), true, Lamp::SLOW)"
    make = next(e for e in model.entries if e.py == "new_LampImpl").candidates
    assert call_expr(make[1], ["a1"]) == "new QorCtl::Network::LampImpl(a1.get(), 7)"
    header = library_headers(model)["hostctl/sample.h"]
    assert header.count("Blink(") == 2          # one operation in the interface and one in the implementation


def test_only_trailing_parameters_may_have_defaults():
    with pytest.raises(DeclError, match="only trailing parameters may have defaults"):
        read(CORE + DEFAULTS.replace("Blink(uint32, bool = true, uint32 = Lamp::SLOW)", "Blink(uint32 = 1, bool)"))


def test_an_enumeration_named_again_without_values_keeps_its_first_declaration():
    library = read("area a\nheader one.h\nenum Mode = M_ON = 1, M_OFF\nheader two.h\nenum Mode\n")
    assert (library.enums["Mode"].values, library.enums["Mode"].header) == (["M_ON = 1", "M_OFF"], "one.h")
    assert [(c.name, c.value) for c in library.values] == [("M_ON", 1), ("M_OFF", 2)]
