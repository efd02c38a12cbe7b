"""Writes the generic behaviour of the stand-in library's classes over the
simulated host: one source per API area, and the library's data objects.

An implementation reads and writes the properties of its node; a getter
reads the property its name names, a setter writes it, any other operation
is recorded; every operation that may throw fails when the model asks."""

from . import ctype
from .decl import Func, Op
from .library_model import LibraryModel, declare, params, result_text
from .typemodel import STRING

PREFIXES = ("Get", "Is")
TEXT_CONTAINERS = [ctype.with_default_args(ctype.parse(text))
                   for text in ("std::vector< std::string >", "std::map< std::string,std::string >")]


class BehaviourWriter:
    def __init__(self, classes: LibraryModel, names):
        self.classes = classes
        self.model = classes.model
        self.lib = classes.lib
        self.names = names

    def values_source(self):
        """Definitions of the variables the library holds."""
        body = ["%s = %s;" % (declare(self.classes.declared_type(var), var.qname), var.init)
                for var in self.classes.variables() if var.library]
        out = ["// Generated: the library's data objects.", '#include "hostctl/sim.h"']
        out += self.names.source_preamble("\n".join(body), complete="") + [""]
        return "\n".join(out + body) + "\n"

    def source(self, area):
        out = []
        for cls in self.classes.generated:
            if cls.area == area:
                out += self.class_source(cls)
        for item in self.lib.order:
            if isinstance(item, Func) and item.area == area and not item.op.expr and not item.op.custom:
                op = self.model.resolve_op(item.op, self.model.scopes_of(item.qname.rsplit("::", 1)[0]))
                # Definitions name their parameters: a body may read them.
                head = (self.classes.func_decl(item, named=True) % item.qname) + " {"
                out += [head, '    QorCtl::Sim::Node &node = *QorCtl::Sim::FindOrAdd("", "");']
                out += self.behaviour(op, "node", "")
                out += ["}", ""]
        head = ["// Generated: behaviour of the library's classes over the simulated host.", '#include "hostctl/sim.h"']
        # Definitions spell every type they return and take.
        head += self.names.source_preamble("\n".join(out), complete="") + [""]
        return "\n".join(head + out) + "\n"

    def class_source(self, cls):
        out = []
        q = cls.qname
        if self.classes.is_interface(cls):
            for op in self.classes.resolved_ops(cls):
                if op.static and not op.custom and not op.expr:
                    out += self.static_body(cls, op)
            return out
        if self.classes.is_impl(cls):
            kind = self.classes.kind_of(cls)
            base_impl = self.classes.impl_base(cls)
            init = "%s(node)" % base_impl if base_impl else "node_(std::move(node))"
            out += ["%s::%s(QorCtl::Sim::NodeRef node) : %s {}" % (q, cls.short, init), ""]
            for ctor in self.generic(self.classes.resolved_ops_ctors(cls)):
                name = self.node_name(ctor)
                out += ["%s::%s(%s) : %s(QorCtl::Sim::Open(\"%s\", %s)) {}" % (q, cls.short, params(ctor, True),
                                                                            cls.short, kind, name), ""]
            for op in self.generic(self.classes.impl_ops(cls)):
                if op.static:
                    out += self.static_body(cls, op)
                    continue
                out.append("%s %s::%s(%s)%s {" % (result_text(op), q, op.cpp_name, params(op, True),
                                                  " const" if op.const else ""))
                out += self.behaviour(op, "*node_", kind)
                out += ["}", ""]
            return out
        if self.classes.is_record(cls):
            out += self.fill_source(cls) + self.store_source(cls)
        for ctor in self.generic(self.classes.resolved_ops_ctors(cls)):
            out += ["%s::%s(%s)%s {}" % (q, cls.short, params(ctor, True), self.field_inits(cls, ctor)), ""]
        for op in self.generic(self.classes.resolved_ops(cls)):
            if op.expr:
                continue
            if op.static:
                out += self.static_body(cls, op)
                continue
            out.append("%s %s::%s(%s)%s {" % (result_text(op), q, op.cpp_name, params(op, True),
                                              " const" if op.const else ""))
            if op.name == "__eq__":
                out += ["    return %s;" % equal_fields(cls), "}", ""]
                continue
            out.append('    QorCtl::Sim::Node &node = *QorCtl::Sim::FindOrAdd("%s", "");' % cls.short)
            out += self.behaviour(op, "node", cls.short)
            out += ["}", ""]
        return out

    def fill_source(self, cls):
        """Each field from the property "<key>.<field>", when the model has it."""
        out = ["void QorCtl::Sim::Fill(%s &record, const Node &node, const std::string &key) {" % cls.qname]
        for fld in cls.fields:
            if fld.type.array is None:
                out.append('    Fill(record.%s, node, key + ".%s");' % (fld.name, fld.name))
        return out + ["}", ""]

    def store_source(self, cls):
        """The inverse of Fill: each field the model can hold, as "<key>.<field>"."""
        out = ["void QorCtl::Sim::Store(const %s &record, Node &node, const std::string &key) {" % cls.qname]
        for fld in cls.fields:
            stored = self.model.canonical(self.model.member_type(fld))
            if fld.type.array is None and self.codable(stored):
                out.append('    Write(node, (key + ".%s").c_str(), record.%s);' % (fld.name, fld.name))
            elif fld.type.array is None and not stored.pointers and self.classes.record_of(stored):
                out.append('    Store(record.%s, node, key + ".%s");' % (fld.name, fld.name))
        return out + ["}", ""]

    def field_inits(self, cls, ctor):
        """A record's constructor sets its leading fields from its arguments
        when the arguments have the fields' types, in order."""
        if len(ctor.params) > len(cls.fields):
            return ""
        pairs = list(zip(ctor.params, cls.fields))
        if any(self.model.canonical(p).value() != self.model.canonical(f.type).value() for p, f in pairs):
            return ""
        return " : " + ", ".join("%s(p%d)" % (f.name, i + 1) for i, (_, f) in enumerate(pairs))

    def node_name(self, ctor):
        """The node a constructor opens: named by its first text argument, or
        else by its first number ("Cpu 3"), or the kind's unnamed node. A flag
        names no node: it says how to open the kind's own."""
        kinds = [self.model.canonical(p) for p in ctor.params]
        for number, t in enumerate(kinds, 1):
            if t.value() == STRING:
                return "p%d" % number
        for number, t in enumerate(kinds, 1):
            if self.model.is_scalar(t) and not t.pointers and t.value() != ctype.CType("bool"):
                return "std::to_string(p%d)" % number
        return "std::string()"

    @staticmethod
    def generic(ops):
        """The operations whose behaviour is generated: not the hand-written ones."""
        return [op for op in ops if not op.custom]

    def static_body(self, cls, op):
        out = ["%s %s::%s(%s) {" % (result_text(op), cls.qname, op.cpp_name, params(op, True))]
        out.append('    QorCtl::Sim::Node &node = *QorCtl::Sim::FindOrAdd("%s", "");' % self.classes.kind_of(cls))
        out += self.behaviour(op, "node", self.classes.kind_of(cls))
        return out + ["}", ""]

    def behaviour(self, op: Op, node, kind):
        """Generic body: fail on request, then read, write or record."""
        operation = "%s.%s" % (kind, op.name) if kind else op.name
        key = op.name
        for prefix in PREFIXES + ("Set",):
            if key.startswith(prefix) and len(key) > len(prefix):
                key = key[len(prefix):]
                break
        lines = []
        if op.throws:
            lines.append('    QorCtl::Sim::Enter(%s, "%s");' % (node, operation))
        first = self.model.canonical(op.params[0]) if op.params else None
        is_getter = op.name.startswith(PREFIXES)
        if op.name.startswith("Set") and first is not None and self.codable(first):
            lines.append('    QorCtl::Sim::Write(%s, "%s", p1);' % (node, key))
        elif op.name.startswith("Set") and len(op.params) == 1 and self.classes.record_of(op.params[0]):
            # A record is stored field by field, where its getter fills it from;
            # one passed by pointer only when there is one.
            record = "*p1" if first.pointers else "p1"
            guard = "if (p1) " if first.pointers else ""
            lines.append('    %sQorCtl::Sim::Store(%s, %s, "%s");' % (guard, record, node, key))
        elif op.name.startswith("Set") and len(op.params) == 1 and self.is_value_object(first):
            lines.append('    QorCtl::Sim::Store(%s, "%s", "%s", p1);' % (node, key, operation))
        elif not is_getter:
            lines.append('    QorCtl::Sim::Record(%s, "%s");' % (node, operation))
        if is_getter:
            lines += self.output_lines(op, node, key)
        lines += self.result_lines(op, node, key, kind)
        return lines

    def codable(self, t):
        value = t.value()
        if t.pointers == 1 and t.pointee().const and value == ctype.CType("char"):
            return True   # a C string
        # Text lists and text maps are stored as text too (sim.h's codecs).
        return t.pointers == 0 and (self.model.is_scalar(value) or self.model.is_enum(value) or value == STRING
                                    or value in TEXT_CONTAINERS)

    def is_value_object(self, t):
        """A declared class passed by value or reference: the model keeps it
        when the class has a text form (see sim.h)."""
        return t.pointers == 0 and not t.args and t.value().name in self.lib.classes

    def output_lines(self, op, node, key):
        """A getter fills its scalar output parameters from the model, the
        N-th parameter from the property "<key>.N"; a record passed by
        reference is filled from the properties "<key>.<field>" when it is the
        only one, else from "<key>.N.<field>"; text lists and maps from "<key>",
        where their setter stored them."""
        lines = []
        records = [p for p in op.params if p.ref == "&" and not p.const and self.classes.record_of(p)]
        for number, param in enumerate(op.params, 1):
            t = self.model.canonical(param)
            value = t.value()
            if param in records:
                name = '"%s"' % (key if len(records) == 1 else "%s.%d" % (key, number))
                lines.append("    QorCtl::Sim::Fill(p%d, %s, %s);" % (number, node, name))
            elif t.ref == "&" and not t.const and (self.model.is_scalar(value) or self.model.is_enum(value)):
                lines.append('    p%d = QorCtl::Sim::Read<%s>(%s, "%s.%d");'
                             % (number, declare(value, "").strip(), node, key, number))
            elif t.ref == "&" and not t.const and self.record_fields(value):
                lines += self.fill_lines(value, "p%d" % number, node, key + ".")
            elif t.ref == "&" and not t.const and value in TEXT_CONTAINERS:
                # A text list or map to fill is the one its setter stored ("<key>").
                lines.append('    p%d = QorCtl::Sim::Read<%s>(%s, "%s");'
                             % (number, declare(value, "").strip(), node, key))
        return lines

    def record_fields(self, t):
        """The fields of a generated record that the model can hold, or none."""
        cls = self.lib.classes.get(t.name) if not t.args and not t.pointers else None
        if cls is None or cls.extern or self.classes.is_impl(cls) or self.classes.is_interface(cls):
            return []
        return [f for f in cls.fields if f.type.array is None and self.codable(self.model.canonical(f.type))]

    def fill_lines(self, t, target, node, prefix):
        """Sets each field the model can hold from the property prefix + field name."""
        return ['    %s.%s = QorCtl::Sim::Read<%s>(%s, "%s%s");'
                % (target, f.name, declare(self.model.canonical(f.type).value(), "").strip(), node, prefix, f.name)
                for f in self.record_fields(t)]

    def record_lines(self, t, node, key):
        """A record result built from the properties "<key>.<field>"."""
        spelled = declare(t.value(), "").strip()
        return (["    %s value;" % spelled] + self.fill_lines(t.value(), "value", node, key + ".")
                + ["    return value;"])

    def records_lines(self, element, held=False):
        """A list of records (in holders when `held`): one per node of the
        record's kind, in model order, each field from the node's property of
        the field's name."""
        spelled = declare(element, "").strip()
        item_type = "std::unique_ptr< %s >" % spelled if held else spelled
        make = "%s item(new %s());" % (item_type, spelled) if held else "%s item;" % spelled
        return (["    std::vector< %s > items;" % item_type,
                 '    for (const auto &child : QorCtl::Sim::All("%s")) {' % element.name.rsplit("::", 1)[-1],
                 "        " + make]
                + ["    " + line for line in self.fill_lines(element, "(*item)" if held else "item", "*child", "")]
                + ["        items.push_back(std::move(item));", "    }", "    return items;"])

    def result_lines(self, op, node, key, owner):
        if op.result is None:
            return []
        t = self.model.canonical(op.result)
        if t.pointers == 1 and self.record_fields(t.pointee().value()):
            # The library lends one record of its own, refreshed from the model.
            record = declare(t.pointee().value(), "").strip()
            return (["    static %s value;" % record] + self.fill_lines(t.pointee().value(), "value", node, key + ".")
                    + ["    return &value;"])
        if t.pointers:
            return ["    return nullptr;"]
        if t.ref:
            return ["    static %s value{};" % declare(t.value(), "").strip(), "    return value;"]
        if t.name == "std::vector" and t.args[0].name == "std::unique_ptr":
            return self.children_lines(t.args[0].args[0].name, node)
        if t.name == "std::unique_ptr":
            return self.child_lines(t.args[0].name, op, node, key, owner)
        if t.name == "std::vector" and t.args[0].pointers == 0 and self.record_fields(t.args[0]):
            return self.records_lines(t.args[0])
        spelled = declare(op.result, "").strip()
        # A record handed out for a number or a name comes from "<key>.<argument>".
        name = self.entry_key(op, key) if self.classes.record_of(op.result) else None
        if name is not None:
            return ["    %s value{};" % spelled, "    QorCtl::Sim::Fill(value, %s, %s);" % (node, name),
                    "    return value;"]
        if self.record_fields(t):
            return self.record_lines(t, node, key)
        listed = key[: -len("NameList")] if key.endswith("NameList") else ""
        if t.name == "std::vector" and t.args[0] == STRING and self.classes.kind_has_impl(listed):
            return ["    std::vector< std::string > names;",
                    '    for (const auto &child : QorCtl::Sim::All("%s")) names.push_back(child->name);' % listed,
                    "    return names;"]
        texts = [p for p in op.params if self.model.arg_for(p).kind in ("string", "cstring")]
        if op.name.startswith(PREFIXES) and len(op.params) == 1 and texts:
            return ['    return QorCtl::Sim::Read<%s>(%s, QorCtl::Sim::Indexed("%s", p1).c_str());'
                    % (spelled, node, key)]
        return ['    return QorCtl::Sim::Read<%s>(%s, "%s");' % (spelled, node, key)]

    def entry_key(self, op, key):
        """The key of a record a getter hands out: "<key>", or for a getter
        of one number or text "<key>.<argument>"; None for other getters."""
        if not op.params:
            return '"%s"' % key
        if len(op.params) > 1:
            return None
        arg = self.model.arg_for(op.params[0])
        if arg.kind == "string":
            return 'QorCtl::Sim::Indexed("%s", p1)' % key
        if arg.kind == "scalar":
            return 'QorCtl::Sim::Indexed("%s", std::to_string(p1))' % key
        return None

    def make_expr(self, held, node_expr):
        impl = self.classes.impl_for.get(held)
        return "std::unique_ptr< %s >(new %s(%s))" % (held, impl.qname, node_expr)

    def children_lines(self, held, node):
        if held not in self.classes.impl_for and self.record_fields(ctype.CType(held)):
            return self.records_lines(ctype.CType(held), held=True)
        if held not in self.classes.impl_for:
            # A value class the library builds from a node of its own kind.
            return ['    return QorCtl::Sim::MakeAll< %s >("%s");' % (held, held.rsplit("::", 1)[-1])]
        kind = self.lib.classes[held].short
        return ["    std::vector< std::unique_ptr< %s > > children;" % held,
                '    for (const auto &child : QorCtl::Sim::Members("%s", %s)) children.push_back(%s);'
                % (kind, node, self.make_expr(held, "child")),
                "    return children;"]

    def child_lines(self, held, op, node, key, owner):
        if held not in self.classes.impl_for:
            if self.record_fields(ctype.CType(held)):
                # A record handed over in a holder: its fields from "<key>.<field>".
                return (["    std::unique_ptr< %s > value(new %s());" % (held, held)]
                        + self.fill_lines(ctype.CType(held), "(*value)", node, key + ".") + ["    return value;"])
            return ["    return nullptr;"]
        kind = self.lib.classes[held].short
        kinds = [self.model.arg_for(p).kind for p in op.params]
        if kind == owner and not kinds:
            # A relative in a tree ("ParentDevice = 0000:00:01.0"); none when the model names none.
            return ['    QorCtl::Sim::NodeRef relative = QorCtl::Sim::Lookup("%s", QorCtl::Sim::Read<std::string>(%s, "%s"));'
                    % (kind, node, key),
                    "    if (!relative) return nullptr;",
                    "    return %s;" % self.make_expr(held, "relative")]
        if kinds in (["string"], ["scalar"]):
            # Looked up by name or path, or by number ("Cpu 3").
            name = "p1" if kinds == ["string"] else "std::to_string(p1)"
            return ['    QorCtl::Sim::NodeRef child = QorCtl::Sim::Lookup("%s", %s);' % (kind, name),
                    '    if (!child) QorCtl::Sim::NotFound("%s", %s);' % (kind, name),
                    "    return %s;" % self.make_expr(held, "child")]
        return ['    std::vector<QorCtl::Sim::NodeRef> all = QorCtl::Sim::All("%s");' % kind,
                '    return %s;' % self.make_expr(
                    held, 'all.empty() ? QorCtl::Sim::FindOrAdd("%s", "") : all.front()' % kind)]


def equal_fields(cls):
    """A record is equal to another when every declared field is."""
    tests = ["%s == p1.%s" % (f.name, f.name) for f in cls.fields if f.type.array is None]
    tests += ["std::equal(std::begin(%s), std::end(%s), std::begin(p1.%s))" % (f.name, f.name, f.name)
              for f in cls.fields if f.type.array is not None]
    return " && ".join(tests) or "true"
