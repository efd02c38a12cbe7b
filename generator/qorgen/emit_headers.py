"""Writes the stand-in library's declarations: one header per `header` of
the declarations, declaring ahead what it only names and including whole
only what a declaration cannot stand in for."""

import re
from collections import OrderedDict

from .decl import DeclError, Func
from .library_model import LibraryModel, declare, namespaced, params, signature, wrap_namespace


class HeaderWriter:
    def __init__(self, classes: LibraryModel, names):
        self.classes = classes
        self.model = classes.model
        self.lib = classes.lib
        self.names = names

    def headers(self):
        """Generated header path -> text."""
        files = OrderedDict()
        for enum in self.lib.enums.values():
            # An enumeration of a class is declared by the class's own header.
            if not self.classes.enclosing_class(enum.qname):
                files.setdefault(enum.header, []).extend(self.enum_lines(enum))
        for cls in self.classes.generated:
            files.setdefault(cls.header, []).extend(self.class_lines(cls))
        for item in self.lib.order:
            if isinstance(item, Func) and not item.op.expr:
                header = item.header
                linkage = 'extern "C" ' if item.op.c_linkage else ""
                files.setdefault(header, []).extend(namespaced(item.qname, linkage + self.classes.func_decl(item) + ";"))
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

        for var in self.classes.variables():
            if var.header == path and not var.library:
                need(self.model.canonical(self.classes.declared_type(var)).value().name)  # defined here: its type is complete
        for cls in self.classes.generated:
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

    def class_lines(self, cls):
        bases = []
        for base in cls.bases:
            virtual = "virtual " if base in cls.virtual_bases else ""
            bases.append("public %s%s" % (virtual, base))
        head = "class %%s%s {" % (" : " + ", ".join(bases) if bases else "")
        body = ["public:"]
        body += ["    class %s;" % c.short for c in self.lib.classes.values() if self.classes.enclosing_class(c.qname) is cls]
        # Nested enumerations and opaque types are defined inside their class,
        # the only place C++ lets them be declared.
        body += ["    enum %s : int { %s };" % (e.qname.rsplit("::", 1)[-1], ", ".join(e.values))
                 for e in self.lib.enums.values() if self.classes.enclosing_class(e.qname) is cls]
        body += ["    class %s {};" % q.rsplit("::", 1)[-1] for q in self.lib.opaque if self.classes.enclosing_class(q) is cls]
        if self.classes.is_interface(cls):
            body.append(("    ~%s() override = default;" if cls.bases else "    virtual ~%s() = default;") % cls.short)
            # An operation the module evaluates itself is no member of the library's.
            for op in self.classes.resolved_ops(cls):
                if not op.expr:
                    body.append("    " + self.method_decl(op, pure=not op.static))
            # An interface's fields are plain members every implementation shares.
            body += ["    %s{%s};" % (declare(self.model.member_type(fld), fld.name), fld.init) for fld in cls.fields]
        elif self.classes.is_impl(cls):
            body.append("    explicit %s(QorCtl::Sim::NodeRef node);" % cls.short)
            for ctor in self.classes.resolved_ops_ctors(cls):
                body.append("    explicit %s(%s);" % (cls.short, params(ctor)))
            inherited = self.classes.virtual_ops(cls)
            for op in self.classes.impl_ops(cls):
                body.append("    " + self.method_decl(op, override=signature(op) in inherited))
            body += ["    %s{%s};" % (declare(self.model.member_type(fld), fld.name), fld.init) for fld in cls.fields]
            if not self.classes.impl_base(cls):
                body += ["", "protected:", "    QorCtl::Sim::NodeRef node_;"]
        else:
            if any(c.params for c in cls.ctors):
                body.append("    %s() = default;" % cls.short)
                for ctor in self.classes.resolved_ops_ctors(cls):
                    if ctor.params:
                        body.append("    explicit %s(%s);" % (cls.short, params(ctor)))
            for fld in cls.fields:
                body.append("    %s{%s};" % (declare(self.model.member_type(fld), fld.name), fld.init))
            for op in self.classes.resolved_ops(cls):
                if not op.expr:
                    body.append("    " + self.method_decl(op))
        body[1:1] = ["    " + self.variable_decl(var, static=True) for var in self.classes.members_of(cls.qname)]
        outer = self.classes.enclosing_class(cls.qname)
        if outer:
            return wrap_namespace(outer.qname, [head % (outer.short + "::" + cls.short)] + body + ["};"]) + [""]
        lines = wrap_namespace(cls.qname, [head % cls.short] + body + ["};"]) + [""]
        if self.classes.is_record(cls):
            lines += ["namespace QorCtl::Sim {", "void Fill(%s &record, const Node &node, const std::string &key);"
                      % cls.qname, "void Store(const %s &record, Node &node, const std::string &key);" % cls.qname,
                      "}", ""]
        return lines

    def method_decl(self, op, pure=False, override=False):
        result = declare(op.result, "") if op.result else "void"
        text = "%s%s %s(%s)%s" % ("static " if op.static else ("virtual " if pure else ""), result.strip(),
                                  op.cpp_name, params(op), " const" if op.const else "")
        if pure:
            return text + " = 0;"
        return text + (" override;" if override else ";")

    def variable_decl(self, var, static=False):
        """The header's declaration; it is the definition when the header gives the value."""
        text = declare(self.classes.declared_type(var), var.short)
        if var.library:
            return ("static " if static else "extern ") + text + ";"
        return ("static inline " if static else "inline ") + text + " = " + var.init + ";"

    def variable_headers(self):
        files = OrderedDict()
        structs = OrderedDict()
        for var in self.classes.variables():
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
            lines += ["    " + self.variable_decl(var, static=True) for var in self.classes.members_of(owner)]
            files.setdefault(header, []).extend(wrap_namespace(owner, lines + ["};"]) + [""])
        return files
