"""What the stand-in library's classes are, for the writers of its headers
and of its behaviour: interfaces (abstract classes whose operations are pure
virtual), implementation classes (which hold a simulated-host node and
implement every operation of their interfaces), records (structs with their
fields) and classes of static members; and the spelling of declarations.
"""

from collections import OrderedDict
from dataclasses import replace

from . import ctype
from .decl import Class, Variable
from .model import Model

CORE = "HostCtl::Lib::HostCtlObject"
IMPL_BASE = "QorCtl::Lib::QorCtlObject"


class LibraryModel:
    """The declared classes with the implementations the library keeps to
    itself, classified; the variables with their declared types."""

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

    def variables(self):
        return [v for v in self.lib.values if isinstance(v, Variable)]

    def members_of(self, owner):
        return [v for v in self.variables() if v.owner == owner]

    def declared_type(self, var):
        return self.model.resolve(var.type, self.model.scopes_of(var.namespace, var.owner))

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
        return [self.model.resolve_op(op, scopes) for op in cls.ops]

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

    def enclosing_class(self, qname):
        parent = qname.rsplit("::", 1)[0] if "::" in qname else ""
        return self.lib.classes.get(parent)

    def is_record(self, cls):
        """A generated record with fields, which the simulated host fills from properties."""
        return not cls.extern and cls.fields and not self.is_impl(cls) and not self.is_interface(cls)

    def record_of(self, t):
        """The generated record a type names, if any."""
        value = self.model.canonical(t).value()
        cls = self.lib.classes.get(value.name)
        return cls if cls is not None and not value.args and self.is_record(cls) else None

    def resolved_ops_ctors(self, cls):
        """Declared constructors the library must define: every one of an
        implementation class; those with parameters of a record."""
        scopes = self.model.scopes_of(cls.namespace, cls.qname)
        # A constructor the module writes as an expression passes defaults to another.
        wanted = [c for c in cls.ctors if (c.params or self.is_impl(cls)) and not c.expr]
        resolved = [self.model.resolve_op(c, scopes) for c in wanted]
        # The copy constructor is the implicit one.
        copy = ctype.CType(cls.qname, const=True, ref="&")
        return [c for c in resolved if c.params != [copy]]

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

    def func_decl(self, func, named=False):
        op = self.model.resolve_op(func.op, self.model.scopes_of(func.qname.rsplit("::", 1)[0]))
        result = declare(op.result, "").strip() if op.result else "void"
        return "%s %%s(%s)" % (result, params(op, named))

    def kind_has_impl(self, kind):
        return any(self.lib.classes[q].short == kind for q in self.impl_for)


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
