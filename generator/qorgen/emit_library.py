"""Writes the stand-in library's declarations (headers) and the generic
behaviour of its classes over the simulated host (sources).

Interfaces become abstract classes whose operations are pure virtual;
implementation classes hold a simulated-host node and implement every
operation of their interfaces; records become structs with their fields;
classes of static members and free functions use a node of their own.
"""

import re
from collections import OrderedDict
from dataclasses import replace

from . import ctype
from .decl import Class, DeclError, Func, Op, Variable
from .includes import NameIndex
from .model import STRING, Model

CORE = "HostCtl::Lib::HostCtlObject"
IMPL_BASE = "QorCtl::Lib::QorCtlObject"
PREFIXES = ("Get", "Is")
TEXT_CONTAINERS = [ctype.with_default_args(ctype.parse(text))
                   for text in ("std::vector< std::string >", "std::map< std::string,std::string >")]


class ValueWriter:
    """Library declarations and definitions of the variables: namespace-level
    ones in their header, static members in their class (or, while the
    declarations do not describe the class, in a plain struct of its name)."""

    def variables(self):
        return [v for v in self.lib.values if isinstance(v, Variable)]

    def members_of(self, owner):
        return [v for v in self.variables() if v.owner == owner]

    def declared_type(self, var):
        return self.model.resolve(var.type, self.model.scopes_of(var.namespace, var.owner))

    def variable_decl(self, var, static=False):
        """The header's declaration; it is the definition when the header gives the value."""
        text = declare(self.declared_type(var), var.short)
        if var.library:
            return ("static " if static else "extern ") + text + ";"
        return ("static inline " if static else "inline ") + text + " = " + var.init + ";"

    def variable_headers(self):
        files = OrderedDict()
        structs = OrderedDict()
        for var in self.variables():
            if not var.member:
                files.setdefault(var.header, []).extend(wrap_namespace(var.qname, [self.variable_decl(var)]))
            elif var.owner not in self.lib.classes:
                structs.setdefault(var.owner, var.header)
            # A hand-written class declares its own static members; the library
            # still defines those marked `library`.
        for owner, header in structs.items():
            if "::" in owner and owner.rsplit("::", 1)[0] in self.lib.classes:
                raise DeclError("%s: the variables of a nested class need the class declared" % owner)
            lines = ["struct %s {" % owner.rsplit("::", 1)[-1]]
            lines += ["    " + self.variable_decl(var, static=True) for var in self.members_of(owner)]
            files.setdefault(header, []).extend(wrap_namespace(owner, lines + ["};"]) + [""])
        return files

    def values_source(self):
        """Definitions of the variables the library holds."""
        body = ["%s = %s;" % (declare(self.declared_type(var), var.qname), var.init)
                for var in self.variables() if var.library]
        out = ["// Generated: the library's data objects.", '#include "hostctl/sim.h"']
        out += self.names.source_preamble("\n".join(body), complete="") + [""]
        return "\n".join(out + body) + "\n"


class LibraryWriter(ValueWriter):
    def __init__(self, model: Model):
        self.model = model
        self.lib = model.lib
        self.generated = [c for c in self.lib.order if isinstance(c, Class) and not c.extern]
        self.impl_for = {}
        for cls in self.generated:
            if self.is_impl(cls):
                for base in cls.bases:
                    if base in self.lib.classes and self.is_interface(self.lib.classes[base]):
                        self.impl_for.setdefault(base, cls)
        self._add_node_impls()
        self.names = NameIndex(self)

    def _add_node_impls(self):
        """An interface the declarations give no implementation (the library
        keeps it to itself) gets one over the simulated host, so that the
        objects lists hand out come from the model. It is the library's own:
        Python never sees it."""
        for cls in list(self.generated):
            if self.is_interface(cls) and cls.qname not in self.impl_for and CORE in self.lineage(cls):
                namespace = "QorCtl::Sim::" + cls.namespace.split("::", 1)[-1]
                impl = Class(qname="%s::%sNode" % (namespace, cls.short), area=cls.area, header=cls.header,
                             namespace=namespace, bases=[cls.qname, IMPL_BASE])
                self.generated.insert(self.generated.index(cls) + 1, impl)
                self.impl_for[cls.qname] = impl

    # ---- classification ----------------------------------------------------
    def lineage(self, cls):
        return [cls.qname] + self.model.ancestors(cls)

    def is_impl(self, cls):
        return IMPL_BASE in self.lineage(cls) or self.standalone_impl(cls)

    def standalone_impl(self, cls):
        """An implementation of an interface that stands alone, without the
        object base (PMemRangeImpl of PMemRange)."""
        return cls.short.endswith("Impl") and any(
            base in self.lib.classes and self.lib.classes[base].short + "Impl" == cls.short
            and self.lib.classes[base].ops for base in cls.bases)

    def is_interface(self, cls):
        if self.is_impl(cls):
            return False
        return CORE in self.lineage(cls) or any(
            cls.qname in other.bases and self.standalone_impl(other) for other in self.lib.classes.values())

    def kind_of(self, cls):
        if self.is_impl(cls):
            for ancestor in self.model.ancestors(cls):
                base = self.lib.classes[ancestor]
                if self.is_interface(base) and ancestor != CORE:
                    return base.short
            return cls.short[:-4] if cls.short.endswith("Impl") else cls.short
        return cls.short

    def resolved_ops(self, cls):
        scopes = self.model.scopes_of(cls.namespace, cls.qname)
        return [self.model._resolve_op(op, scopes) for op in cls.ops]

    def virtual_ops(self, cls):
        """Signatures of the virtual operations a class declares or inherits."""
        found = OrderedDict()
        for name in reversed(self.lineage(cls)):
            base = self.lib.classes.get(name, cls)
            for op in self.resolved_ops(base):
                if op.static or op.expr:
                    continue
                if self.is_interface(base) or op.name in found or self._declared_virtual(base, op):
                    found[signature(op)] = op
        return found

    @staticmethod
    def _declared_virtual(cls, op):
        return cls.qname == IMPL_BASE and op.name == "Print"

    # ---- headers -----------------------------------------------------------
    def headers(self):
        """Generated header path -> text."""
        files = OrderedDict()
        for enum in self.lib.enums.values():
            # An enumeration of a class is declared by the class's own header.
            if not self.enclosing_class(enum.qname):
                files.setdefault(enum.header, []).extend(self.enum_lines(enum))
        for cls in self.generated:
            files.setdefault(cls.header, []).extend(self.class_lines(cls))
        for item in self.lib.order:
            if isinstance(item, Func) and not item.op.expr:
                header = item.header
                linkage = 'extern "C" ' if item.op.c_linkage else ""
                files.setdefault(header, []).extend(namespaced(item.qname, linkage + self.func_decl(item) + ";"))
        for path, lines in self.variable_headers().items():
            files.setdefault(path, []).extend(lines)
        texts = OrderedDict()
        for path, lines in files.items():
            head = ["// Generated: library declarations.", "#pragma once", ""]
            head += self.names.header_preamble(path, "\n".join(lines), self.needed_headers(path, lines))
            texts[path] = "\n".join(head + [""] + lines) + "\n"
        return texts

    def needed_headers(self, path, lines):
        """The other headers that declare the bases of this header's classes,
        the records its classes hold by value, or the classes whose nested
        names it uses, so that the header stands on its own wherever it is
        included."""
        found = []

        def need(qname):
            declared = self.lib.classes.get(qname)
            header = declared.header if declared is not None else self.lib.opaque.get(qname)
            if header and header not in (path, *found):
                found.append(header)

        for var in self.variables():
            if var.header == path and not var.library:
                need(self.model.canonical(self.declared_type(var)).value().name)  # defined here: its type is complete
        for cls in self.generated:
            if cls.header == path:
                for base in cls.bases:
                    need(base)
                for fld in cls.fields:
                    member = self.model.member_type(fld)
                    if not member.pointers and not member.ref:
                        # The elements of a container held by value must be complete too.
                        for name in sorted(self.names.uses(member.spell())):
                            need(name)
        text = "\n".join(lines)
        for outer in sorted(set(re.findall(r"((?:\w+::)+)\w+", text))):
            need(outer[:-2])
        return found

    def enum_lines(self, enum):
        values = ", ".join(enum.values)
        return namespaced(enum.qname, "enum %%s : int { %s };" % values) + [""]

    def enclosing_class(self, qname):
        parent = qname.rsplit("::", 1)[0] if "::" in qname else ""
        return self.lib.classes.get(parent)

    def class_lines(self, cls):
        bases = []
        for base in cls.bases:
            virtual = "virtual " if base in cls.virtual_bases else ""
            bases.append("public %s%s" % (virtual, base))
        head = "class %%s%s {" % (" : " + ", ".join(bases) if bases else "")
        body = ["public:"]
        body += ["    class %s;" % c.short for c in self.lib.classes.values() if self.enclosing_class(c.qname) is cls]
        # Nested enumerations and opaque types are defined inside their class,
        # the only place C++ lets them be declared.
        body += ["    enum %s : int { %s };" % (e.qname.rsplit("::", 1)[-1], ", ".join(e.values))
                 for e in self.lib.enums.values() if self.enclosing_class(e.qname) is cls]
        body += ["    class %s {};" % q.rsplit("::", 1)[-1] for q in self.lib.opaque if self.enclosing_class(q) is cls]
        if self.is_interface(cls):
            body.append(("    ~%s() override = default;" if cls.bases else "    virtual ~%s() = default;") % cls.short)
            # An operation the module evaluates itself is no member of the library's.
            for op in self.resolved_ops(cls):
                if not op.expr:
                    body.append("    " + self.method_decl(op, pure=not op.static))
            # An interface's fields are plain members every implementation shares.
            body += ["    %s{%s};" % (declare(self.model.member_type(fld), fld.name), fld.init) for fld in cls.fields]
        elif self.is_impl(cls):
            body.append("    explicit %s(QorCtl::Sim::NodeRef node);" % cls.short)
            for ctor in self.resolved_ops_ctors(cls):
                body.append("    explicit %s(%s);" % (cls.short, params(ctor)))
            inherited = self.virtual_ops(cls)
            for op in self.impl_ops(cls):
                body.append("    " + self.method_decl(op, override=signature(op) in inherited))
            body += ["    %s{%s};" % (declare(self.model.member_type(fld), fld.name), fld.init) for fld in cls.fields]
            if not self.impl_base(cls):
                body += ["", "protected:", "    QorCtl::Sim::NodeRef node_;"]
        else:
            if any(c.params for c in cls.ctors):
                body.append("    %s() = default;" % cls.short)
                for ctor in self.resolved_ops_ctors(cls):
                    if ctor.params:
                        body.append("    explicit %s(%s);" % (cls.short, params(ctor)))
            for fld in cls.fields:
                body.append("    %s{%s};" % (declare(self.model.member_type(fld), fld.name), fld.init))
            for op in self.resolved_ops(cls):
                if not op.expr:
                    body.append("    " + self.method_decl(op))
        body[1:1] = ["    " + self.variable_decl(var, static=True) for var in self.members_of(cls.qname)]
        outer = self.enclosing_class(cls.qname)
        if outer:
            return wrap_namespace(outer.qname, [head % (outer.short + "::" + cls.short)] + body + ["};"]) + [""]
        lines = wrap_namespace(cls.qname, [head % cls.short] + body + ["};"]) + [""]
        if self.is_record(cls):
            lines += ["namespace QorCtl::Sim {", "void Fill(%s &record, const Node &node, const std::string &key);"
                      % cls.qname, "void Store(const %s &record, Node &node, const std::string &key);" % cls.qname,
                      "}", ""]
        return lines

    def is_record(self, cls):
        """A generated record with fields, which the simulated host fills from properties."""
        return not cls.extern and cls.fields and not self.is_impl(cls) and not self.is_interface(cls)

    def record_of(self, t):
        """The generated record a type names, if any."""
        value = self.model.canonical(t).value()
        cls = self.lib.classes.get(value.name)
        return cls if cls is not None and not value.args and self.is_record(cls) else None

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
            elif fld.type.array is None and not stored.pointers and self.record_of(stored):
                out.append('    Store(record.%s, node, key + ".%s");' % (fld.name, fld.name))
        return out + ["}", ""]

    def resolved_ops_ctors(self, cls):
        """Declared constructors the library must define: every one of an
        implementation class; those with parameters of a record."""
        scopes = self.model.scopes_of(cls.namespace, cls.qname)
        # A constructor the module writes as an expression passes defaults to another.
        wanted = [c for c in cls.ctors if (c.params or self.is_impl(cls)) and not c.expr]
        resolved = [self.model._resolve_op(c, scopes) for c in wanted]
        # The copy constructor is the implicit one.
        copy = ctype.CType(cls.qname, const=True, ref="&")
        return [c for c in resolved if c.params != [copy]]

    def field_inits(self, cls, ctor):
        """A record's constructor sets its leading fields from its arguments
        when the arguments have the fields' types, in order."""
        if len(ctor.params) > len(cls.fields):
            return ""
        pairs = list(zip(ctor.params, cls.fields))
        if any(self.model.canonical(p).value() != self.model.canonical(f.type).value() for p, f in pairs):
            return ""
        return " : " + ", ".join("%s(p%d)" % (f.name, i + 1) for i, (_, f) in enumerate(pairs))

    def impl_base(self, cls):
        for base in cls.bases:
            if base in self.lib.classes and self.is_impl(self.lib.classes[base]) and base != IMPL_BASE:
                return base
        return None

    def impl_ops(self, cls):
        """Every operation an implementation class defines: its interfaces'
        pure operations not defined by a base implementation, then its own."""
        found = OrderedDict()
        base_impl = self.impl_base(cls)
        defined_below = set(sig for sig in self.impl_signatures(self.lib.classes[base_impl])) if base_impl else set()
        # An interface the base implementation does not derive from may declare
        # the operation again; defining it here leaves one final overrider.
        below = set(self.lineage(self.lib.classes[base_impl])) if base_impl else set()
        for sig, op in self.virtual_ops(cls).items():
            owner = self.lib.classes.get(op.origin)
            inherited = sig in defined_below and op.origin in below
            if owner is not None and self.is_interface(owner) and op.origin != CORE and not inherited:
                found[sig] = op
        for op in self.resolved_ops(cls):
            if not op.expr:
                found[signature(op)] = op
        return list(found.values())

    def impl_signatures(self, cls):
        sigs = [signature(op) for op in self.impl_ops(cls)]
        base = self.impl_base(cls)
        return sigs + (self.impl_signatures(self.lib.classes[base]) if base else [])

    def method_decl(self, op, pure=False, override=False):
        result = declare(op.result, "") if op.result else "void"
        text = "%s%s %s(%s)%s" % ("static " if op.static else ("virtual " if pure else ""), result.strip(),
                                  op.cpp_name, params(op), " const" if op.const else "")
        if pure:
            return text + " = 0;"
        return text + (" override;" if override else ";")

    def func_decl(self, func, named=False):
        op = self.model._resolve_op(func.op, self.model.scopes_of(func.qname.rsplit("::", 1)[0]))
        result = declare(op.result, "").strip() if op.result else "void"
        return "%s %%s(%s)" % (result, params(op, named))

    # ---- sources -----------------------------------------------------------
    def source(self, area):
        out = []
        for cls in self.generated:
            if cls.area == area:
                out += self.class_source(cls)
        for item in self.lib.order:
            if isinstance(item, Func) and item.area == area and not item.op.expr and not item.op.custom:
                op = self.model._resolve_op(item.op, self.model.scopes_of(item.qname.rsplit("::", 1)[0]))
                # Definitions name their parameters: a body may read them.
                head = (self.func_decl(item, named=True) % item.qname) + " {"
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
        if self.is_interface(cls):
            for op in self.resolved_ops(cls):
                if op.static and not op.custom and not op.expr:
                    out += self.static_body(cls, op)
            return out
        if self.is_impl(cls):
            kind = self.kind_of(cls)
            base_impl = self.impl_base(cls)
            init = "%s(node)" % base_impl if base_impl else "node_(std::move(node))"
            out += ["%s::%s(QorCtl::Sim::NodeRef node) : %s {}" % (q, cls.short, init), ""]
            for ctor in self.generic(self.resolved_ops_ctors(cls)):
                name = self.node_name(ctor)
                out += ["%s::%s(%s) : %s(QorCtl::Sim::Open(\"%s\", %s)) {}" % (q, cls.short, params(ctor, True),
                                                                            cls.short, kind, name), ""]
            for op in self.generic(self.impl_ops(cls)):
                if op.static:
                    out += self.static_body(cls, op)
                    continue
                out.append("%s %s::%s(%s)%s {" % (result_text(op), q, op.cpp_name, params(op, True),
                                                  " const" if op.const else ""))
                out += self.behaviour(op, "*node_", kind)
                out += ["}", ""]
            return out
        if self.is_record(cls):
            out += self.fill_source(cls) + self.store_source(cls)
        for ctor in self.generic(self.resolved_ops_ctors(cls)):
            out += ["%s::%s(%s)%s {}" % (q, cls.short, params(ctor, True), self.field_inits(cls, ctor)), ""]
        for op in self.generic(self.resolved_ops(cls)):
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
        out.append('    QorCtl::Sim::Node &node = *QorCtl::Sim::FindOrAdd("%s", "");' % self.kind_of(cls))
        out += self.behaviour(op, "node", self.kind_of(cls))
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
        elif op.name.startswith("Set") and len(op.params) == 1 and self.record_of(op.params[0]):
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
        records = [p for p in op.params if p.ref == "&" and not p.const and self.record_of(p)]
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
        if cls is None or cls.extern or self.is_impl(cls) or self.is_interface(cls):
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
        name = self.entry_key(op, key) if self.record_of(op.result) else None
        if name is not None:
            return ["    %s value{};" % spelled, "    QorCtl::Sim::Fill(value, %s, %s);" % (node, name),
                    "    return value;"]
        if self.record_fields(t):
            return self.record_lines(t, node, key)
        listed = key[: -len("NameList")] if key.endswith("NameList") else ""
        if t.name == "std::vector" and t.args[0] == STRING and self.kind_has_impl(listed):
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

    def kind_has_impl(self, kind):
        return any(self.lib.classes[q].short == kind for q in self.impl_for)

    def make_expr(self, held, node_expr):
        impl = self.impl_for.get(held)
        return "std::unique_ptr< %s >(new %s(%s))" % (held, impl.qname, node_expr)

    def children_lines(self, held, node):
        if held not in self.impl_for and self.record_fields(ctype.CType(held)):
            return self.records_lines(ctype.CType(held), held=True)
        if held not in self.impl_for:
            # A value class the library builds from a node of its own kind.
            return ['    return QorCtl::Sim::MakeAll< %s >("%s");' % (held, held.rsplit("::", 1)[-1])]
        kind = self.lib.classes[held].short
        return ["    std::vector< std::unique_ptr< %s > > children;" % held,
                '    for (const auto &child : QorCtl::Sim::Members("%s", %s)) children.push_back(%s);'
                % (kind, node, self.make_expr(held, "child")),
                "    return children;"]

    def child_lines(self, held, op, node, key, owner):
        if held not in self.impl_for:
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


def signature(op):
    return (op.name, tuple(p.spell() for p in op.params), op.const)


def declare(t, name, typedef=False):
    """A declaration of `name` with type `t` (arrays put the bound after the name)."""
    if t is None:
        return "void " + name
    bare = t.spell() if t.array is None else replace(t, array=None).spell()
    text = "%s %s" % (bare, name)
    if t.array is not None:
        text += "[%d]" % t.array
    return ("typedef " + text + ";") if typedef else text


def params(op, named=False):
    return ", ".join(declare(p, "p%d" % (i + 1) if named else "").strip() for i, p in enumerate(op.params))


def result_text(op):
    return declare(op.result, "").strip() if op.result else "void"


def namespaced(qname, text):
    """`text` (with %s for the short name) inside the namespace of `qname`."""
    if "::" not in qname:
        return [text % qname]
    namespace, short = qname.rsplit("::", 1)
    return ["namespace %s {" % namespace, text % short, "}"]


def wrap_namespace(qname, lines):
    if "::" not in qname:
        return lines
    namespace = qname.rsplit("::", 1)[0]
    return ["namespace %s {" % namespace] + lines + ["}  // namespace %s" % namespace]
