"""Writes the module's generated C++: type records and conversion edges,
wrapper functions per area, and the function table."""

import json
import os
import re

from .model import Function, FunctionEntry, Model

NULL_PREFIX = "invalid null reference "
# Hand-written module code of the API areas (api/<area>/).
API_DIR = os.path.join(os.path.dirname(__file__), "..", "..", "api")


def c_string(text):
    return json.dumps(text)


def type_ref(record):
    """A type record as generated code refers to it: by a name of its own,
    bound to its slot of the sorted registry by the type table only, so that
    adding a type changes no source that does not use it."""
    return "qor::ty::" + record.mangled


TYPE_REF = re.compile(r"\bqor::ty::(\w+)")


def generated_source(head, body, names, complete):
    """A module source: `head` (its comment and the module's own includes),
    the library headers and aliases `body` uses (and `complete` names, see
    NameIndex.source_preamble), the type-record variables it refers to, then
    `body`."""
    text = "\n".join(body)
    out = list(head) + names.source_preamble(text, complete)
    used = sorted(set(TYPE_REF.findall(text)))
    if used:
        out += ["", "namespace qor::ty {"] + ["extern swig_type_info *&%s;" % name for name in used] + ["}"]
    return "\n".join(out + [""] + body) + "\n"


# ---- type records -----------------------------------------------------------

def types_source(model: Model, names):
    records = model.sorted_records()
    body = ["namespace {", ""]
    for r in records:
        body.append("swig_type_info type_%d = {%s, %s, nullptr, nullptr, nullptr, 0};"
                    % (r.index, c_string(r.mangled), c_string(r.display)))
    body.append("")
    for r in records:
        for n, edge in enumerate(r.edges):
            body.append("void *cast_%d_%d(void *p, int *) { return static_cast<%s *>(static_cast<%s *>(p)); }"
                        % (r.index, n, edge.target_cpp, edge.source_cpp))
    body.append("")
    for r in records:
        entries = ["{&type_%d, nullptr, nullptr, nullptr}" % r.index]
        entries += ["{&type_%d, cast_%d_%d, nullptr, nullptr}" % (e.source.index, r.index, n)
                    for n, e in enumerate(r.edges)]
        entries.append("{nullptr, nullptr, nullptr, nullptr}")
        body.append("swig_cast_info casts_%d[] = {%s};" % (r.index, ", ".join(entries)))
    body.append("")
    body.append("swig_type_info *initial_types[] = {%s};" % ", ".join("&type_%d" % r.index for r in records))
    body.append("swig_cast_info *initial_casts[] = {%s};" % ", ".join("casts_%d" % r.index for r in records))
    body.append("swig_type_info *slots[%d];" % (len(records) + 1))
    body += ["", "}  // namespace", "", "namespace qor::ty {"]
    body += ["swig_type_info *&%s = slots[%d];" % (r.mangled, r.index) for r in records]
    body += ["}  // namespace qor::ty", "",
             "swig_module_info qor::module_registry = {slots, %d, nullptr, initial_types, initial_casts, nullptr};"
             % len(records)]
    head = ["// Generated: type records and conversion edges, sorted by mangled name.",
            '#include "runtime/registry.h"']
    # Each cast names the two types it converts between.
    return generated_source(head, body, names, complete="")


# ---- wrappers ---------------------------------------------------------------

def site(number, decl_text):
    """The qor::ArgSite of argument `number`: its message is put together
    from the function's name only when the argument fails to convert."""
    return "{%s, %d}" % (c_string(decl_text), number)


def info_expr(info):
    """The qor::ContainerInfo of a container conversion."""
    element = type_ref(info.element_record) if info.element_record is not None else "nullptr"
    return "qor::ContainerInfo{%s, %s, %s}" % (c_string(info.name), c_string(info.element), element)


def holder_type(arg):
    """The argument-holder struct (convert/params.h) of an argument kind."""
    return {
        "scalar": "qor::ScalarArg<%s>" % arg.cpp,
        "string": "qor::StringArg",
        "cstring": "qor::CStringArg",
        "chararray": "qor::CharArrayArg<%s>" % arg.cpp,
        "pointer": "qor::PtrArg<%s>" % arg.cpp,
        "array": "qor::RefArg<%s>" % arg.cpp,
        "reference": "qor::RefArg<%s>" % arg.cpp,
        "self": "qor::SelfArg<%s>" % arg.cpp,
        "container": "qor::ContainerArg<%s>" % arg.cpp,
        "slice": "qor::SliceArg",
        "iterator": "qor::IteratorArg",
    }[arg.kind]


def holder_decl(arg, name):
    return "%s %s;" % (holder_type(arg), name)


def load_line(arg, name, index, msg, flags=""):
    if arg.info is not None:
        return "if (!%s.load(argv[%d], %s, %s)) return nullptr;" % (name, index, info_expr(arg.info), msg)
    if arg.record is not None:
        extra = ", " + flags if flags else ""
        return "if (!%s.load(argv[%d], %s, %s%s)) return nullptr;" % (name, index, type_ref(arg.record), msg, extra)
    return "if (!%s.load(argv[%d], %s)) return nullptr;" % (name, index, msg)


def runs_python_code(arg):
    """Whether converting `arg` may run Python code: a proxy's `this` may be
    computed, a sequence iterated, a text looked for in a proxy. Integer,
    enumeration and bool conversions read the value of an int or a bool and
    nothing else (no __index__); a char accepts text as well."""
    return not (arg.kind == "scalar" and arg.cpp != "char")


def hold_flag(converted, index):
    """A pointer argument after which no conversion runs Python code need
    not be held for the call: nothing can let go of its object meanwhile."""
    return "" if any(map(runs_python_code, converted[index + 1:])) else "qor::kNoCodeAfter"


def check_expr(arg, index):
    if arg.info is not None:
        return "%s::check(argv[%d], %s)" % (holder_type(arg), index, info_expr(arg.info))
    if arg.record is not None:
        return "%s::check(argv[%d], %s)" % (holder_type(arg), index, type_ref(arg.record))
    return "%s::check(argv[%d])" % (holder_type(arg), index)


def pass_expr(arg, name):
    if arg.kind in ("reference", "container", "iterator"):
        return "std::move(*%s.get())" % name if arg.move else "*%s.get()" % name
    if arg.kind == "string" and arg.decl.pointers:
        return "&%s.get()" % name
    return "%s.get()" % name


def call_expr(fn: Function, names):
    # A shorter form of an operation passes the declared defaults of what it leaves out.
    args = [pass_expr(a, n) for a, n in zip(fn.args, names)] + list(fn.defaults)
    op = fn.op
    if op is not None and op.expr:
        expr = re.sub(r"\bself\b", "self.get()", op.expr)
        return re.sub(r"\barg(\d+)\b", lambda m: "(" + args[int(m.group(1)) - 1] + ")", expr)
    if fn.kind == "ctor":
        return "new %s(%s)" % (fn.cls.qname, ", ".join(args))
    if fn.kind == "func":
        return "%s(%s)" % (fn.target, ", ".join(args))
    if op.static:
        return "%s::%s(%s)" % (fn.cls.qname, op.cpp_name, ", ".join(args))
    if op.direct:
        # A qualified call: this class's definition, whatever the object's own class.
        return "self.get()->%s::%s(%s)" % (fn.cls.qname, op.cpp_name, ", ".join(args))
    return "self.get()->%s(%s)" % (op.cpp_name, ", ".join(args))


def result_lines(fn: Function, call):
    r = fn.result
    ref = type_ref(r.record) if r.record is not None else ""
    simple = {
        "scalar": "return qor::from_scalar<%s>(%s);" % (r.cpp, call),
        "string": "return qor::from_string(%s);" % call,
        "cstring": "return qor::from_cstring(%s);" % call,
        "chararray": "return qor::from_char_array(%s, %s);" % (call, r.cpp),
        "copy": "return qor::from_copy(%s, %s);" % (call, ref),
        "borrowed": "return qor::from_borrowed(%s%s, %s);" % ("&" if r.reference else "", call, ref),
        "holder": "return qor::from_holder(%s, %s);" % (call, ref),
        "holders": "return qor::from_holder_vector(%s, %s);" % (call, ref),
        "container": "return qor::from_container(%s, %s);" % (call, info_expr(r.info)) if r.info else "",
        "new": "return qor::pointer_to_object(%s, %s, qor::kOwn | qor::kNoShadow);" % (call, ref),
        "object": "return %s;" % call,
    }
    if r.kind == "void":
        return ["%s;" % call, "Py_RETURN_NONE;"]
    if fn.kind == "get" and r.kind == "borrowed" and r.reference:
        # A member held inside the record: its proxy keeps the record's alive.
        return ["return qor::from_member(&%s, %s, argv[0]);" % (call, ref)]
    return [simple[r.kind]]


def body(fn: Function):
    """Lines converting argv[], calling the library and converting the result."""
    lines = []
    number = 0
    if fn.kind == "register":
        return ["return qor::swigregister(argv[0], %s);" % type_ref(fn.result.record)]
    self_arg = fn.self_arg
    if fn.kind == "delete":
        # None deletes nothing; a proxy stops owning and referring to the object.
        lines.append("qor::PtrArg<%s> self;" % self_arg.cpp)
        lines.append(load_line(self_arg, "self", 0, site(1, self_arg.decl.spell()),
                               "qor::kDisown | qor::kForget | qor::kNoCodeAfter"))
        return lines + ["delete self.get();", "Py_RETURN_NONE;"]
    converted = ([self_arg] if self_arg is not None else []) + list(fn.args)
    if self_arg is not None:
        lines.append(holder_decl(self_arg, "self"))
        lines.append(load_line(self_arg, "self", 0, site(1, self_arg.decl.spell()), hold_flag(converted, 0)))
        number = 1
    names = []
    for k, arg in enumerate(fn.args):
        name = "a%d" % (k + 1)
        names.append(name)
        lines.append(holder_decl(arg, name))
        lines.append(load_line(arg, name, number, site(number + 1, arg.decl.spell()), hold_flag(converted, number)))
        number += 1
    if fn.kind == "set":
        lines += constant_guard(fn)
    if fn.kind == "get":
        call = "self.get()->%s" % fn.target
    elif fn.kind == "set" and fn.args[0].decl.array is not None:
        if fn.args[0].kind != "chararray":
            lines += array_check(fn)
        call = "std::copy_n(a1.get(), %d, self.get()->%s)" % (fn.args[0].decl.array, fn.target)
    elif fn.kind == "set" and fn.args[0].kind == "cstring" and not fn.args[0].decl.pointer_consts[0] \
            and not fn.args[0].decl.const:
        # A writable C string field gets a copy of its own: the argument's text
        # lives only for the call. The old text is left alone, since the record
        # may not own it.
        call = ("self.get()->%s = a1.get() ? std::strcpy(new char[std::strlen(a1.get()) + 1], a1.get()) : nullptr"
                % fn.target)
    elif fn.kind == "set":
        call = "self.get()->%s = %s" % (fn.target, pass_expr(fn.args[0], names[0]))
    else:
        call = call_expr(fn, names)
    if sum(map(runs_python_code, converted)) > 1:
        # Converting a later argument may have run Python code that deleted
        # the object of an earlier one.
        lines.append("if (!qor::held_proxies_intact()) return nullptr;")
    return lines + result_lines(fn, call)


def constant_guard(fn: Function):
    """A field setter refuses the library's constant objects of its class:
    they may live in read-only memory."""
    return ["if (self.get() == &%s) return qor::constant_object_error(%s, %s);"
            % (name, c_string(fn.py), c_string(name)) for name in fn.self_arg.record.constants]


def array_check(fn: Function):
    """An array field is written by copying from the pointer given, so a null
    pointer is refused before anything is copied."""
    text = "%sin variable '%s' of type '%s'" % (NULL_PREFIX, fn.target, fn.args[0].decl.spell())
    return ["if (!a1.get()) return qor::null_ref_error({%s, 0}), nullptr;" % c_string(text)]


def arg_count(fn: Function):
    if fn.kind == "register":
        return 1  # the class
    return len(fn.args) + (1 if fn.self_arg is not None else 0)


def vector_wrapper(fn: Function, c_name, linkage=""):
    """The wrapper proper: it reads its arguments from a vector whose length
    the caller has already checked, and the caller runs it inside the
    exception guard."""
    out = ["%sPyObject *%s(PyObject *const *argv, Py_ssize_t) {" % (linkage, c_name)]
    out += ["    " + line for line in body(fn)]
    out.append("}")
    return out


def tuple_entry(entry: FunctionEntry, index):
    """The function-table entry of the argument-tuple convention for the
    function at `index` of the table: the tuple's items are the argument
    vector."""
    return ["PyObject *_wrap_%s(PyObject *, PyObject *args) { return qor::call_with_tuple(args, %d); }"
            % (entry.py, index)]


def plain_wrapper(fn: Function):
    out = vector_wrapper(fn, "_call_" + fn.py)
    if fn.kind == "delete":
        out += release_function(fn)
    return out


def release_function(fn: Function):
    """What deletes the object of a dying proxy whose class's destroy function
    is this delete function, with no proxy to convert."""
    arg = fn.self_arg
    return ["PyObject *_release_%s(void *ptr, swig_type_info *type) {" % fn.py,
            "    return qor::delete_converted<%s>(ptr, type, %s, %s);"
            % (arg.cpp, type_ref(arg.record), site(1, arg.decl.spell())), "}"]


def has_release(entry: FunctionEntry):
    return len(entry.candidates) == 1 and entry.candidates[0].kind == "delete"


def dispatch_order(entry: FunctionEntry):
    """Fewer parameters first; numeric before text among equal counts."""
    def key(indexed):
        index, fn = indexed
        texts = sum(1 for a in fn.args if a.kind in ("string", "cstring", "chararray"))
        return (arg_count(fn), texts, index)
    return sorted(enumerate(entry.candidates), key=key)


def overload_message(entry: FunctionEntry):
    lines = ["Wrong number or type of arguments for overloaded function '%s'." % entry.py,
             "  Possible C/C++ prototypes are:"]
    lines += ["    " + fn.prototype for fn in entry.candidates]
    return "\n".join(lines) + "\n"


def dispatcher(entry: FunctionEntry):
    out = ["PyObject *_call_%s(PyObject *const *argv, Py_ssize_t argc) {" % entry.py]
    for index, fn in dispatch_order(entry):
        checks = []
        position = 0
        if fn.self_arg is not None:
            checks.append(check_expr(fn.self_arg, 0))
            position = 1
        for k, arg in enumerate(fn.args):
            checks.append(check_expr(arg, position + k))
        condition = " && ".join(["argc == %d" % arg_count(fn)] + checks)
        out.append("    if (%s) return _call_%s__%d(argv, argc);" % (condition, entry.py, index))
    out.append("    return qor::overload_error(%s);" % c_string(overload_message(entry)))
    out.append("}")
    return out


def has_vector_entry(entry: FunctionEntry):
    """Every wrapper but the accessors of variables, which take their
    arguments in the tuple only."""
    return entry.candidates[0].kind not in ("varget", "varset")


def area_headers(area):
    folder = os.path.join(API_DIR, area)
    return sorted(n for n in os.listdir(folder) if n.endswith(".h")) if os.path.isdir(folder) else []


def piece_of(entry: FunctionEntry, names):
    """The source a function's wrapper is written to: one per library header
    (the wrappers of what it declares), and one per area for the rest
    (containers, holders)."""
    fn = entry.candidates[0]
    header = fn.cls.header if fn.cls is not None else names.header.get(fn.target, "")
    return header_piece(header) if header else "api_%s.cpp" % entry.area


def header_piece(header):
    return "api/%s.cpp" % os.path.splitext(header)[0]


# The holder template's function for each function of a holder class; its
# registration function is every class's.
HOLDER_CALLS = {("ctor", None): "make", ("op", "release"): "release", ("op", "reset"): "reset",
                ("op", "swap"): "swap", ("op", "get"): "get", ("op", "__nonzero__"): "truth",
                ("delete", None): "destroy"}


def holder_call(entry: FunctionEntry):
    fn = entry.candidates[0]
    return HOLDER_CALLS.get((fn.kind, fn.op.name if fn.kind == "op" else None))


def holder_data(cls, entries):
    """What tells a holder class from another, for the holder template: the
    held class, the two type records and its messages' type texts."""
    fns = {holder_call(e): e.candidates[0] for e in entries if len(e.candidates) == 1 and holder_call(e)}
    reset = next(e for e in entries if holder_call(e) == "reset")
    texts = [("kPointer", fns["make"].args[0].decl.spell()), ("kSelf", fns["release"].self_arg.decl.spell()),
             ("kConstSelf", fns["get"].self_arg.decl.spell()), ("kRef", fns["swap"].args[0].decl.spell()),
             ("kResetOverloads", overload_message(reset))]
    return (["namespace {", "struct %s {" % holder_data_name(cls),
             "    using Held = %s;" % fns["make"].args[0].cpp,
             "    static swig_type_info *holder() { return %s; }" % type_ref(fns["release"].self_arg.record),
             "    static swig_type_info *held() { return %s; }" % type_ref(fns["make"].args[0].record)]
            + ["    static constexpr const char *%s = %s;" % (name, c_string(text)) for name, text in texts]
            + ["};", "}  // namespace", ""])


def holder_data_name(cls):
    return cls.py + "Data"


def holder_wrapper(entry: FunctionEntry):
    """A function of a holder class: the holder template's, given the class's data."""
    fn = entry.candidates[0]
    template = "qor::Holder<%s>" % holder_data_name(fn.cls)
    out = ["PyObject *_call_%s(PyObject *const *argv, Py_ssize_t argc) {" % entry.py,
           "    return %s::%s(argv, argc);" % (template, holder_call(entry)), "}"]
    if fn.kind == "delete":
        out += ["PyObject *_release_%s(void *ptr, swig_type_info *type) {" % entry.py,
                "    return %s::destroy_dying(ptr, type);" % template, "}"]
    return out


def wrapper_sources(model: Model, names, areas):
    """Source path -> text of the wrappers, one source per library header and
    per area, every one written even when it has no wrapper (the build lists
    them from the declarations)."""
    pieces = {header_piece(h): [] for h in model.lib.headers}
    pieces.update(("api_%s.cpp" % area, []) for area in areas)
    for entry in model.entries:
        if has_vector_entry(entry):  # the accessors of variables are written with the variables
            pieces[piece_of(entry, names)].append(entry)
    return {path: piece_source(entries, names, model) for path, entries in pieces.items()}


def piece_source(entries, names, model: Model):
    if not entries:  # a header of inline helpers only
        return "// Generated: no wrapper functions here.\n"
    body = []
    candidates = [fn for entry in entries for fn in entry.candidates]
    holders = []
    for entry in entries:
        cls = entry.candidates[0].cls
        if holder_call(entry) and model.is_holder_class(cls):
            if not any(cls is h for h in holders):
                holders.append(cls)
                body += holder_data(cls, [e for e in entries if e.candidates[0].cls is cls])
            body += holder_wrapper(entry)
        elif len(entry.candidates) == 1:
            body += plain_wrapper(entry.candidates[0])
        else:
            for index, fn in enumerate(entry.candidates):
                body += vector_wrapper(fn, "_call_%s__%d" % (entry.py, index), "static ")
            body += dispatcher(entry)
        body.append("")
    head = ["// Generated: wrapper functions.", "#include <algorithm>", "#include <cstring>",
            '#include "api/core/guard.h"', '#include "api/core/module.h"', '#include "convert/params.h"',
            '#include "convert/container_classes.h"']
    # The hand-written module code that the areas' inline operations call.
    areas = sorted({entry.area for entry in entries})
    head += ['#include "api/%s/%s"' % (area, name) for area in areas for name in area_headers(area)]
    if holders:
        head.append('#include "api/core/holders.h"')
    return generated_source(head, body, names, " ".join(map(call_types, candidates)))


def call_types(fn: Function):
    """The C++ types a wrapper's call passes and returns."""
    args = fn.args + ([fn.self_arg] if fn.self_arg else [])
    texts = [fn.result.cpp] + [a.cpp for a in args]
    texts += [t.record.key.spell() for t in [fn.result] + args if t.record is not None]
    return " ".join(texts)


def wrappers_header(model: Model):
    out = ["// Generated: the wrapper functions of every area.", "#pragma once", "#include <Python.h>", ""]
    # The tuple entries of the other functions are written with the function table.
    out += ["PyObject *_wrap_%s(PyObject *, PyObject *);" % e.py for e in model.entries if not has_vector_entry(e)]
    out += ["PyObject *_call_%s(PyObject *const *, Py_ssize_t);" % e.py
            for e in model.entries if has_vector_entry(e)]
    out += ["PyObject *_release_%s(void *, struct swig_type_info *);" % e.py for e in model.entries if has_release(e)]
    return "\n".join(out) + "\n"


def vector_entry(entry: FunctionEntry):
    if not has_vector_entry(entry):
        return "    {nullptr, 0},"
    candidates = entry.candidates
    count = arg_count(candidates[0]) if len(candidates) == 1 else -1
    return "    {_call_%s, %d}," % (entry.py, count)


def function_table(model: Model):
    """The function table, beside it the argument-vector entry of each
    wrapper and the release functions of the delete functions, and before
    them the tuple entries: calls into the guarded entry that throw nothing,
    so this source is built without exception support and its thousands of
    small functions carry no unwinding tables."""
    out = ["// Generated: the module's function table, in the library's interface order,",
           "// and beside it the argument-vector entry of each wrapper.",
           '#include "qorctl_wrappers.h"', '#include "api/core/module.h"', "", "namespace {", ""]
    # Index 0 of the table is the instance-method helper.
    indexed = list(enumerate(model.entries, start=1))
    for index, entry in indexed:
        if has_vector_entry(entry):
            out += tuple_entry(entry, index)
    out += ["", "}  // namespace", "",
            "PyMethodDef qor::function_table[] = {",
            '    {"SWIG_PyInstanceMethod_New", qor::instance_method_new, METH_O, nullptr},']
    out += ['    {"%s", _wrap_%s, METH_VARARGS, nullptr},' % (e.py, e.py) for e in model.entries]
    out += ["    {nullptr, nullptr, 0, nullptr},", "};", "",
            "const qor::VectorEntry qor::vector_table[] = {", "    {nullptr, 0},"]
    out += [vector_entry(e) for e in model.entries]
    out += ["};", "", "const qor::ReleaseEntry qor::release_table[] = {"]
    releases = ["    {%d, _release_%s}," % (index, e.py) for index, e in indexed if has_release(e)]
    out += releases or ["    {0, nullptr},"]
    out += ["};", "const int qor::release_count = %d;" % len(releases), ""]
    return "\n".join(out)
