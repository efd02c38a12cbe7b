"""The container proxy classes and the iterator class, synthesised from the
``container`` statements and the holders declared with ``vector``.

Each family (vectors, holder vectors, maps, the string set, the string pair,
the iterator) is one table of operations. An operation's C++ is one call into
the family's template in convert/container_classes.h or convert/iterators.h;
the placeholders {C} (the container's C++ type), {S} (its conversion facts),
{E} (the element parameter type), {K} (a key), {A} (the allocator type) and
{It}, {It3} (the messages for an iterator of another class as argument 2 or
3) are filled in per instance.
"""

import json
from dataclasses import dataclass
from typing import Optional

from . import ctype
from .decl import Class, DeclError, Field, Op

STRING = ctype.CType("std::string")

ITERATOR = "swig::SwigPyIterator"
ITERATOR_ARG = ITERATOR + " const &"
# The container's own iterator type, taken by value by erase and insert.
POSITION_ARG = "{C}::iterator"
MOVE = "qor::ctr::iterator_incr(argv[0], *self, %s, %s)"

# name, parameters, result, C++ (self is the container), const
VECTOR = [
    ("iterator", [], "PyObject *", "qor::ctr::make_iterator<{C}>(argv[0], 0, {S})", False),
    ("__nonzero__", [], "bool", "!self->empty()", True),
    ("__bool__", [], "bool", "!self->empty()", True),
    ("__len__", [], "size_t", "self->size()", True),
    ("pop", [], "PyObject *", "qor::ctr::vector_pop(*self, {S})", False),
    ("__getslice__", ["ptrdiff_t", "ptrdiff_t"], "PyObject *",
     "qor::ctr::vector_getslice(*self, nullptr, arg1, arg2, {S})", False),
    ("__setslice__", ["ptrdiff_t", "ptrdiff_t", "{C} const &"], "PyObject *",
     "qor::ctr::vector_setslice(*self, nullptr, arg1, arg2, arg3)", False),
    ("__setslice__", ["ptrdiff_t", "ptrdiff_t"], "PyObject *", "qor::ctr::vector_delslice(*self, nullptr, arg1, arg2)", False),
    ("__delslice__", ["ptrdiff_t", "ptrdiff_t"], "PyObject *", "qor::ctr::vector_delslice(*self, nullptr, arg1, arg2)",
     False),
    ("__delitem__", ["ptrdiff_t"], "PyObject *", "qor::ctr::vector_delitem(*self, arg1)", False),
    ("__delitem__", ["PySliceObject *"], "PyObject *", "qor::ctr::vector_delslice(*self, arg1, 0, 0)", False),
    ("__getitem__", ["PySliceObject *"], "PyObject *", "qor::ctr::vector_getslice(*self, arg1, 0, 0, {S})", False),
    ("__getitem__", ["ptrdiff_t"], "PyObject *", "qor::ctr::vector_getitem(*self, arg1, {S}, argv[0])", False),
    ("__setitem__", ["PySliceObject *", "{C} const &"], "PyObject *", "qor::ctr::vector_setslice(*self, arg1, 0, 0, arg2)",
     False),
    ("__setitem__", ["PySliceObject *"], "PyObject *", "qor::ctr::vector_delslice(*self, arg1, 0, 0)", False),
    ("__setitem__", ["ptrdiff_t", "{E}"], "PyObject *", "qor::ctr::vector_setitem(*self, arg1, arg2)", False),
    ("append", ["{E}"], None, "self->push_back(arg1)", False),
    ("empty", [], "bool", "self->empty()", True),
    ("size", [], "size_t", "self->size()", True),
    ("clear", [], None, "self->clear()", False),
    ("swap", ["{C} &"], None, "self->swap(arg1)", False),
    ("get_allocator", [], "{A}", "self->get_allocator()", True),
    ("begin", [], "PyObject *", "qor::ctr::make_iterator<{C}>(argv[0], 0, {S})", False),
    ("end", [], "PyObject *", "qor::ctr::make_iterator<{C}>(argv[0], self->size(), {S})", False),
    ("rbegin", [], "PyObject *", "qor::ctr::make_iterator<{C}, true>(argv[0], 0, {S})", False),
    ("rend", [], "PyObject *", "qor::ctr::make_iterator<{C}, true>(argv[0], self->size(), {S})", False),
    ("pop_back", [], "PyObject *", "qor::ctr::vector_pop_back(*self)", False),
    ("erase", [POSITION_ARG], "PyObject *", "qor::ctr::erase_range<{C}>(argv[0], *self, arg1, nullptr, {It}, nullptr, {S})", False),
    ("erase", [POSITION_ARG, POSITION_ARG], "PyObject *",
     "qor::ctr::erase_range<{C}>(argv[0], *self, arg1, &arg2, {It}, {It3}, {S})", False),
    ("new", [], None, "new {C}()", False),
    ("new", ["{C} const &"], None, "new {C}(arg1)", False),
    ("new", ["size_t"], None, "new {C}(arg1)", False),
    ("new", ["size_t", "{E}"], None, "new {C}(arg1, arg2)", False),
    ("push_back", ["{E}"], None, "self->push_back(arg1)", False),
    ("front", [], "PyObject *", "qor::ctr::vector_front(*self, {S}, false, argv[0])", False),
    ("back", [], "PyObject *", "qor::ctr::vector_front(*self, {S}, true, argv[0])", False),
    ("assign", ["size_t", "{E}"], None, "self->assign(arg1, arg2)", False),
    ("resize", ["size_t"], None, "self->resize(arg1)", False),
    ("resize", ["size_t", "{E}"], None, "self->resize(arg1, arg2)", False),
    ("insert", [POSITION_ARG, "{E}"], "PyObject *",
     "qor::ctr::vector_insert(argv[0], *self, arg1, 1, arg2, true, {It}, {S})", False),
    ("insert", [POSITION_ARG, "size_t", "{E}"], "PyObject *",
     "qor::ctr::vector_insert(argv[0], *self, arg1, arg2, arg3, false, {It}, {S})", False),
    ("reserve", ["size_t"], None, "self->reserve(arg1)", False),
    ("capacity", [], "size_t", "self->capacity()", True),
]

HOLDER_VECTOR_NAMES = [
    "iterator", "__nonzero__", "__bool__", "__len__", "__delslice__", "empty", "size", "clear", "swap",
    "get_allocator", "begin", "end", "rbegin", "rend", "pop_back", "front", "back", "reserve", "capacity",
]
HOLDER_VECTOR = [op for name in HOLDER_VECTOR_NAMES for op in VECTOR if op[0] == name]

# Positions in a map or set found by key, as open iterators.
def _keyed(name, conv):
    return (name, ["{K}"], "PyObject *",
            "qor::ctr::iterator_at<{C}%s>(argv[0], self->%s(arg1), {S})" % (conv, name), False)


def _shared(conv):
    """Operations maps and the set share; `conv` picks a map entry's form."""
    iterator = "qor::ctr::make_iterator<{C}, %%s%s>(argv[0], %%s, {S})" % conv
    return {
        "iterator": ("iterator", [], "PyObject *", iterator % ("false", "0"), False),
        "new": [("new", ["std::less< std::string > const &"], None, "new {C}(arg1)", False),
                ("new", [], None, "new {C}()", False),
                ("new", ["{C} const &"], None, "new {C}(arg1)", False)],
        "common": [("empty", [], "bool", "self->empty()", True),
                   ("size", [], "size_t", "self->size()", True),
                   ("clear", [], None, "self->clear()", False),
                   ("swap", ["{C} &"], None, "self->swap(arg1)", False)],
        "positions": [("begin", [], "PyObject *", iterator % ("false", "0"), False),
                      ("end", [], "PyObject *", iterator % ("false", "self->size()"), False),
                      ("rbegin", [], "PyObject *", iterator % ("true", "0"), False),
                      ("rend", [], "PyObject *", iterator % ("true", "self->size()"), False)],
        "erase": [("erase", ["{K}"], "size_t", "self->erase(arg1)", False),
                  ("erase", [POSITION_ARG], "PyObject *",
                   "qor::ctr::erase_range<{C}%s>(argv[0], *self, arg1, nullptr, {It}, nullptr, {S})" % conv, False),
                  ("erase", [POSITION_ARG, POSITION_ARG], "PyObject *",
                   "qor::ctr::erase_range<{C}%s>(argv[0], *self, arg1, &arg2, {It}, {It3}, {S})" % conv, False)],
        "find": [_keyed(name, conv) for name in ("find", "lower_bound", "upper_bound")],
        "sizes": [("__nonzero__", [], "bool", "!self->empty()", True),
                  ("__bool__", [], "bool", "!self->empty()", True),
                  ("__len__", [], "size_t", "self->size()", True)],
        "allocator": ("get_allocator", [], "{A}", "self->get_allocator()", True),
        "count": ("count", ["{K}"], "size_t", "self->count(arg1)", True),
    }


def _map_family():
    s = _shared(", qor::ctr::FromEntry")
    closed = "qor::ctr::make_iterator<{C}, false, qor::ctr::%s>(argv[0], 0, {S})"
    lists = "qor::ctr::map_list<qor::ctr::%s>(*self, {S})"
    return [s["iterator"]] + s["sizes"] + [
        ("__getitem__", ["{K}"], "PyObject *", "qor::ctr::map_getitem(*self, arg1, {S})", False),
        ("__delitem__", ["{K}"], "PyObject *", "qor::ctr::map_delitem(*self, arg1)", False),
        ("has_key", ["{K}"], "bool", "self->count(arg1) != 0", True),
        ("__contains__", ["{K}"], "bool", "self->count(arg1) != 0", True),
        ("keys", [], "PyObject *", lists % "FromKey", False),
        ("values", [], "PyObject *", lists % "FromValue", False),
        ("items", [], "PyObject *", lists % "FromEntry", False),
        ("key_iterator", [], "PyObject *", closed % "FromKey", False),
        ("value_iterator", [], "PyObject *", closed % "FromValue", False),
        ("__setitem__", ["{K}"], None, "self->erase(arg1)", False),
        ("__setitem__", ["{K}", "{E}"], None, "(*self)[arg1] = arg2", False),
        ("asdict", [], "PyObject *", "qor::map_as_dict(*self, {S})", False),
    ] + s["new"] + s["common"] + [s["allocator"]] + s["positions"] + [s["count"]] + s["erase"] + s["find"]


def _set_family():
    s = _shared("")
    return [s["iterator"]] + s["sizes"] + [
        ("append", ["{K}"], None, "self->insert(arg1)", False),
        ("add", ["{K}"], None, "self->insert(arg1)", False),
        ("__contains__", ["{K}"], "bool", "self->count(arg1) != 0", True),
        ("__getitem__", ["ptrdiff_t"], "PyObject *", "qor::ctr::set_getitem(*self, arg1)", False),
        ("discard", ["{K}"], None, "self->erase(arg1)", False),
    ] + s["new"] + s["common"] + [s["count"]] + s["positions"] + s["erase"] + s["find"] + [
        ("equal_range", ["{K}"], "PyObject *", "qor::ctr::set_equal_range(argv[0], *self, arg1, {S})", False),
        ("insert", ["{K}"], "PyObject *", "qor::ctr::set_insert(argv[0], *self, arg1, {S})", False),
    ]


PAIR = [
    ("new", [], None, "new {C}()", False),
    ("new", ["std::string const &", "std::string const &"], None, "new {C}(arg1, arg2)", False),
    ("new", ["{C} const &"], None, "new {C}(arg1)", False),
]

ITERATOR_OPS = [
    ("value", [], "PyObject *", "qor::ctr::iterator_value(*self)", True),
    ("incr", ["size_t"], "PyObject *", MOVE % ("arg1", "false"), False),
    ("incr", [], "PyObject *", MOVE % ("1", "false"), False),
    ("decr", ["size_t"], "PyObject *", MOVE % ("arg1", "true"), False),
    ("decr", [], "PyObject *", MOVE % ("1", "true"), False),
    ("distance", [ITERATOR_ARG], "PyObject *", "qor::ctr::iterator_distance(*self, arg1)", True),
    ("equal", [ITERATOR_ARG], "PyObject *", "qor::ctr::iterator_equal(*self, arg1, true)", True),
    ("copy", [], "PyObject *", "qor::ctr::iterator_copy(*self)", True),
    ("next", [], "PyObject *", "qor::ctr::iterator_next(*self)", False),
    ("__next__", [], "PyObject *", "qor::ctr::iterator_next(*self)", False),
    ("previous", [], "PyObject *", "qor::ctr::iterator_previous(*self)", False),
    ("advance", ["ptrdiff_t"], "PyObject *", "qor::ctr::iterator_advance(argv[0], *self, arg1, false)", False),
    ("__eq__", [ITERATOR_ARG], "PyObject *", "qor::ctr::iterator_equal(*self, arg1, true)", True),
    ("__ne__", [ITERATOR_ARG], "PyObject *", "qor::ctr::iterator_equal(*self, arg1, false)", True),
    ("__iadd__", ["ptrdiff_t"], "PyObject *", "qor::ctr::iterator_advance(argv[0], *self, arg1, false)",
     False),
    ("__isub__", ["ptrdiff_t"], "PyObject *", "qor::ctr::iterator_advance(argv[0], *self, arg1, true)",
     False),
    ("__add__", ["ptrdiff_t"], "PyObject *", "qor::ctr::iterator_moved_copy(*self, arg1, false)", True),
    ("__sub__", ["ptrdiff_t"], "PyObject *", "qor::ctr::iterator_moved_copy(*self, arg1, true)", True),
    ("__sub__", [ITERATOR_ARG], "PyObject *", "qor::ctr::iterator_distance(arg1, *self)", True),
]


@dataclass
class Instance:
    """One container class: its Python name, C++ type, family operations and
    the C++ of its conversion facts."""
    py: str
    type: ctype.CType
    ops: list
    info: str
    element: Optional[ctype.CType] = None   # the element (a map's value) parameter type


def info_call(cpp, name, element, record_name):
    record = json.dumps(record_name) if record_name else "nullptr"
    return "qor::ctr::info_of<%s>(%s, %s, %s)" % (cpp, json.dumps(name), json.dumps(element), record)


def element_param(e: ctype.CType) -> ctype.CType:
    """How an element is passed in: records and texts by const reference,
    numbers and pointers by value."""
    if e.pointers or not e.args and e.name in ("unsigned int", "unsigned long"):
        return e
    return ctype.parse(e.spell() + " const &")


def make_class(instance: Instance, area) -> Class:
    qname = instance.type.spell()
    cls = Class(qname=qname, area=area, header="", namespace="", py=instance.py, extern=True)
    holes = {"{C}": qname, "{S}": instance.info, "{K}": "std::string const &", "{A}": instance.type.args[-1].spell()
             if instance.type.name != "std::pair" else "",
             "{E}": element_param(instance.element).spell() if instance.element else ""}
    for name, params, result, expr, const in instance.ops:
        for hole, number in (("{It}", 2), ("{It3}", 3)):
            holes[hole] = json.dumps("in method '%s_%s', argument %d of type '%s::iterator'"
                                   % (instance.py, name, number, qname))
        fill = lambda text: _fill(text, holes)
        op = Op(name if name != "new" else qname, [ctype.parse(fill(p)) for p in params],
                ctype.parse(fill(result)) if result else None, const=const, throws=False,
                expr=fill(expr), origin=qname)
        (cls.ctors if name == "new" else cls.ops).append(op)
    return cls


def _fill(text, holes):
    for hole, value in holes.items():
        text = text.replace(hole, value)
    return text


def iterator_class() -> Class:
    cls = Class(qname=ITERATOR, area="core", header="", namespace="", py="SwigPyIterator", extern=True)
    for name, params, result, expr, const in ITERATOR_OPS:
        cls.ops.append(Op(name, [ctype.parse(p) for p in params], ctype.parse(result), const=const, throws=False,
                          expr=expr, origin=ITERATOR))
    return cls


def _instance(model, py, t: ctype.CType) -> Instance:
    """The family and conversion facts of a declared container type."""
    e = t.args[0] if t.args else None
    if t.name == "std::vector" and e is not None and (e.name in model.lib.classes or e.name in model.lib.opaque):
        # A container class of records (or opaque values) makes its elements convert too.
        model.lib.sequences.setdefault(e.name, set()).add("pointer" if e.pointers else "value")
    info = model.container_info(t)
    if info is None:
        raise DeclError("container %s: no conversion for %s" % (py, t.spell()))
    record = info.element_record.key.spell() + " *" if info.element_record is not None else None
    facts = info_call(t.spell(), info.name, info.element, record)
    if t.name == "std::vector":
        return Instance(py, t, VECTOR, facts, e)
    if t.name == "std::map":
        return Instance(py, t, _map_family(), facts, t.args[1])
    if t.name == "std::set":
        return Instance(py, t, _set_family(), facts)
    return Instance(py, t, PAIR, facts)


def _holder_vector(model, holder) -> Instance:
    held = ctype.CType("std::unique_ptr", [ctype.CType(holder.target)])
    t = ctype.with_default_args(ctype.CType("std::vector", [held]))
    record = model.record_for(held)
    facts = info_call(t.spell(), t.spell().replace("< ", "<", 1), "std::unique_ptr<%s >" % holder.target,
                      record.key.spell() + " *")
    return Instance(holder.py[:-len("Ptr")] + "Vector", t, HOLDER_VECTOR, facts)


def synthesize(model):
    """The iterator class and the declared container classes, in that order,
    and the holder vectors by held class; each class with the names of its
    family's operations in table order."""
    made = [(iterator_class(), ["delete"] + [op[0] for op in ITERATOR_OPS])]
    for decl in model.lib.containers:
        t = model.cpp_names(model.canonical(model.resolve(ctype.parse(decl.type), model.scopes_of(decl.namespace))))
        made.append(_made(_instance(model, decl.py, t), decl.area))
    vectors = {h.target: _made(_holder_vector(model, h), h.area) for h in model.lib.holders if h.vector}
    return made, vectors


def _made(instance: Instance, area):
    cls = make_class(instance, area)
    if instance.ops is PAIR:
        # The pair's members are strings; their setters take a const reference.
        cls.fields = [Field(name, STRING, param=ctype.parse("std::string const &")) for name in ("first", "second")]
    return cls, [op[0] for op in instance.ops]


def arrange(entries, cls, names):
    """Puts a synthesised class's entries (the tail of `entries`) in its
    family's table order, and names its constructors as C++ does."""
    start = next(i for i, e in enumerate(entries) if e.candidates[0].cls is cls)
    order = list(dict.fromkeys(names))
    constructor = cls.qname.split("<")[0].rsplit("::", 1)[-1].strip()

    def rank(entry):
        prefix = entry.py.split("_", 1)[0]
        name = prefix if entry.py == prefix + "_" + cls.py else entry.py[len(cls.py) + 1:]
        return order.index(name) if name in order else len(order)
    tail = sorted(entries[start:], key=rank)
    for entry in tail:
        for fn in entry.candidates:
            if fn.kind == "ctor":
                fn.prototype = "%s::%s(%s)" % (cls.qname, constructor, ",".join(p.spell() for p in fn.op.params))
    entries[start:] = tail
