"""Writes the module's constants and global variables: one getter and one
setter per variable of cvar, the accessor functions of static members, and
the table the entry point installs in interface order."""

from .decl import Constant
from .emit_module import NULL_PREFIX, c_string, generated_source, type_ref
from .model import GlobalVar, Model

KINDS = {"long": "kLong", "size": "kSize", "ull": "kUnsignedLongLong", "cstring": "kCString", "char": "kChar"}


def getter_expr(g: GlobalVar):
    name = g.var.qname
    if g.kind == "scalar":
        return "qor::from_scalar<%s>(%s)" % (g.cpp, name)
    if g.kind in ("string", "cstring"):
        return "qor::from_%s(%s)" % (g.kind, name)
    first = "&%s[0]" % name if g.kind == "array" else "&" + name
    return "qor::from_borrowed(%s, %s)" % (first, type_ref(g.record))


def array_type_text(g: GlobalVar):
    """An array's declared type as messages show it, without its bound."""
    element = g.decl.spell().rsplit(" [", 1)[0]
    return element + ("[]" if element.endswith("*") else " []")


def setter_body(g: GlobalVar):
    name = g.var.qname
    if g.kind == "array" and not g.var.const:
        # An array cannot be assigned even when its elements could.
        text = "in variable 'read-only %s' of type '%s'" % (name, array_type_text(g))
        return "return qor::read_only_variable(%s);" % c_string(text)
    if not g.writable:
        return "return qor::read_only_variable(%s);" % c_string("Variable %s is read-only." % g.var.py)
    message = c_string("%sin variable '%s' of type '%s'" % (NULL_PREFIX, name, g.decl.spell()))
    if g.kind == "cstring":
        return "static qor::CStringVariable text(&%s);\n    return text.set(value, %s);" % (name, message)
    return "return qor::assign_variable(value, &%s, %s, %s);" % (name, type_ref(g.record), message)


def integer_literal(value):
    # The most negative long long has no literal of its own in C++.
    return "(-9223372036854775807LL - 1)" if value == -2 ** 63 else "%dLL" % value


def table_row(value, index):
    if isinstance(value, Constant):
        if value.kind in ("cstring", "char"):
            number, text = "0LL", c_string(value.value)
        else:
            number, text = integer_literal(value.value) if value.kind != "ull" else "0LL", "nullptr"
        unsigned = "%dULL" % value.value if value.kind == "ull" else "0ULL"
        return '    {"%s", qor::ValueKind::%s, %s, %s, %s, nullptr, nullptr},' % (
            value.name, KINDS[value.kind], number, unsigned, text)
    return '    {"%s", qor::ValueKind::kVariable, 0LL, 0ULL, nullptr, get_%d, set_%d},' % (value.var.py, index, index)


def accessor_lines(model: Model, index_of):
    """The module functions <Class>_<name>_get and _set of static members."""
    out = []
    for entry in model.entries:
        fn = entry.candidates[0]
        if fn.kind == "varget":
            out += ["PyObject *_wrap_%s(PyObject *, PyObject *) { return get_%d(); }" % (
                entry.py, index_of[fn.target])]
        elif fn.kind == "varset":
            out += ["PyObject *_wrap_%s(PyObject *, PyObject *args) { return qor::call_setter(args, set_%d); }"
                    % (entry.py, index_of[fn.target])]
    return out


def values_source(model: Model, names):
    out = ["namespace {", ""]
    index_of = {}
    for index, value in enumerate(model.values):
        if isinstance(value, GlobalVar):
            index_of[value.var.py] = index
            out.append("PyObject *get_%d() { return %s; }" % (index, getter_expr(value)))
            out.append("int set_%d(PyObject *%s) {" % (index, "value" if value.writable else ""))
            out.append("    " + setter_body(value))
            out.append("}")
    out += ["", "}  // namespace", ""]
    out += accessor_lines(model, index_of)
    out += ["", "const qor::Value qor::module_values[] = {"]
    out += [table_row(value, index) for index, value in enumerate(model.values)]
    out += ["    {nullptr, qor::ValueKind::kLong, 0LL, 0ULL, nullptr, nullptr, nullptr},", "};", ""]
    head = ["// Generated: the module's constants and global variables, in interface order.",
            '#include "convert/values.h"', '#include "api/core/guard.h"']
    # A getter copies or points into its variable: the variable's type must be complete.
    types = " ".join(v.record.key.spell() for v in model.values if isinstance(v, GlobalVar) and v.record)
    return generated_source(head, out, names, complete=types)
