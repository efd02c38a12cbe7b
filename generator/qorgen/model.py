"""The module's function table over the type model: every flat function
(or overload set) of the declared classes, holders, containers, free
functions and variables, with its arguments' and result's conversions; the
conversion edges between type records; the values of cvar."""

import itertools
from dataclasses import dataclass, field, replace
from typing import Dict, List, Optional

from . import containers, ctype
from .decl import Class, DeclError, Func, Library, Op, Variable
from .typemodel import OPAQUE_SCALARS, STRING, Arg, Edge, Result, TypeModel, TypeRecord

# Holders and their vectors come in the function table grouped by the held
# class's namespace (the second part of its name), in this order.
HOLDER_NAMESPACES = ["Adv", "Hardware", "QAT", "DCF", "Lib", "Network", "Resource", "Storage", "System"]


@dataclass
class Function:
    """One flat function of the module (or one candidate of an overload set)."""
    py: str
    kind: str                 # op, ctor, delete, register, get, set, func
    cls: Optional[Class]
    op: Optional[Op] = None
    self_arg: Optional[Arg] = None
    args: List[Arg] = field(default_factory=list)
    result: Result = field(default_factory=lambda: Result("void"))
    target: str = ""          # the field, variable or qualified free function reached
    prototype: str = ""
    defaults: List[str] = field(default_factory=list)  # values passed for defaulted parameters left out


@dataclass
class GlobalVar:
    """A variable of cvar with what its getter and setter convert."""
    var: Variable
    kind: str                 # scalar, string, cstring, object, array
    decl: ctype.CType         # resolved declared type, for messages
    writable: bool
    cpp: str = ""             # C++ type of a scalar
    record: Optional[TypeRecord] = None  # the object's type, or an array's element type


@dataclass
class FunctionEntry:
    """A name in the function table: one function or an overload set."""
    py: str
    candidates: List[Function]
    area: str


class Model(TypeModel):
    """The type model with the function table built over it."""

    def __init__(self, library: Library):
        super().__init__(library)
        self.holder_classes: Dict[str, Class] = {}   # by held class
        self._synthesize_holders()
        self.container_classes, self.holder_vectors = containers.synthesize(self)
        self.entries: List[FunctionEntry] = []
        self.python_classes: List[Class] = []
        self._build()
        self.values = [self._global_var(v) if isinstance(v, Variable) else v for v in library.values]
        self._number_records()

    def _synthesize_holders(self):
        """The holder class of each held class: its functions' behaviour is
        the module's holder template (api/core/holders.h), the same for all."""
        for holder in self.lib.holders:
            held = holder.target
            scope = "std::unique_ptr< %s >" % held
            cls = Class(qname=scope, area=holder.area, header="", namespace="", py=holder.py, extern=True)
            pointer = ctype.parse(scope + "::pointer")
            make = lambda name, params, result=None, const=False: Op(
                name, params, result, const=const, throws=False, origin=scope)
            cls.ctors.append(make(scope, [pointer]))
            cls.ops += [
                make("release", [], ctype.parse(held + " *")),
                make("reset", [pointer]),
                make("reset", []),
                make("swap", [ctype.parse(scope + " &")]),
                make("get", [], ctype.parse(held + " *"), const=True),
                make("__nonzero__", [], ctype.CType("bool"), const=True),
            ]
            self.holder_classes[held] = cls

    def is_holder_class(self, cls: Optional[Class]):
        return any(cls is holder for holder in self.holder_classes.values())

    def _holder_groups(self):
        """The holders per namespace, in table order; within a namespace they
        keep their declaration order."""
        def rank(holder):
            parts = holder.target.split("::")
            namespace = parts[1] if len(parts) > 2 else ""
            return HOLDER_NAMESPACES.index(namespace) if namespace in HOLDER_NAMESPACES else len(HOLDER_NAMESPACES)
        ranked = sorted(self.lib.holders, key=rank)
        return [list(group) for _, group in itertools.groupby(ranked, key=rank)]

    def ancestors(self, cls: Class):
        """All base classes, nearest first, each once."""
        found = []
        pending = list(cls.bases)
        while pending:
            name = pending.pop(0)
            if name in found or name not in self.lib.classes:
                continue
            found.append(name)
            pending.extend(self.lib.classes[name].bases)
        return found

    def class_ops(self, cls: Class) -> List[Op]:
        """The operations a class exposes: the re-exposed interface operations
        in the order its declaration lists them, then its own; each marked
        direct where the class's binding says so."""
        unknown = set(cls.dispatched) - set(cls.reexposed)
        if unknown:
            raise DeclError("%s leaves virtual what it does not re-expose: %s" % (cls.qname, ", ".join(sorted(unknown))))
        ops = []
        for name in cls.reexposed:
            direct = cls.binding == "all" and name not in cls.dispatched
            for ancestor in self.ancestors(cls):
                # A hidden operation is the library's own: re-exposing a name
                # means the interface operation the class shares.
                matches = [op for op in self.lib.classes[ancestor].ops if op.name == name and not op.hidden]
                if matches:
                    ops += [replace(op, direct=direct) for op in matches]
                    break
            else:
                raise DeclError("%s re-exposes unknown operation %s" % (cls.qname, name))
        return ops + [replace(op, direct=bool(cls.binding)) for op in cls.ops]

    def _self_arg(self, cls, const):
        value = ctype.CType(cls.qname, const=const) if not cls.qname.startswith("std::") else \
            replace(ctype.parse(cls.qname), const=const)
        return Arg("self", value.pointer_to(), value.unqualified().cpp() + (" const" if const else ""),
                   self.record_for(value))

    def _function(self, py, kind, cls, op, self_const=None):
        fn = Function(py=py, kind=kind, cls=cls, op=op)
        if self_const is not None:
            fn.self_arg = self._self_arg(cls, self_const)
        if op is not None:
            fn.args = [self.arg_for(p) for p in op.params]
            fn.result = self.result_for(op.result)
        return fn

    def _add(self, py, candidates, area):
        self.entries.append(FunctionEntry(py, candidates, area))

    def _class_functions(self, cls: Class):
        scopes = self.scopes_of(cls.namespace, cls.qname)
        resolved_ctors = [self.resolve_op(c, scopes) for c in cls.ctors]
        if resolved_ctors:
            fns = []
            for ctor, passed in self._forms(resolved_ctors):
                fn = self._function("new_" + cls.py, "ctor", cls, ctor)
                fn.defaults = passed
                fn.result = Result("new", record=self.record_for(ctype.parse(cls.qname)))
                fn.prototype = ctor.prototype(cls.qname) if not ctor.expr and not self.is_holder_class(cls) else \
                    "%s::%s(%s)" % (cls.qname, cls.short if "<" not in cls.qname else "unique_ptr",
                                    ",".join(p.spell() for p in ctor.params))
                fns.append(fn)
            self._add("new_" + cls.py, fns, cls.area)
        for fld in cls.fields:
            fld.type = self.resolve(fld.type, scopes)
            if fld.param is not None:
                fld.param = self.resolve(fld.param, scopes)
            if fld.hidden:
                continue
            if not fld.readonly:
                fn = self._function("%s_%s_set" % (cls.py, fld.name), "set", cls, None, False)
                fn.args = [self._field_arg(fld)]
                fn.target = fld.name
                self._add(fn.py, [fn], cls.area)
            fn = self._function("%s_%s_get" % (cls.py, fld.name), "get", cls, None, False)
            fn.result = self._field_result(fld)
            fn.target = fld.name
            self._add(fn.py, [fn], cls.area)
        groups: Dict[str, List[Function]] = {}
        order = []
        for op in self.class_ops(cls):
            if op.hidden:
                continue
            op = self.resolve_op(op, self.scopes_of(self.lib.classes.get(op.origin, cls).namespace, op.origin)
                                  if op.origin in self.lib.classes else scopes)
            py = "%s_%s" % (cls.py, op.name)
            if py not in groups:
                groups[py] = []
                order.append(py)
            for form, passed in op.shortened():
                fn = self._function(py, "op", cls, form, None if form.static else form.const)
                fn.prototype = form.prototype(cls.qname)
                fn.defaults = passed
                groups[py].append(fn)
        for py in order:
            self._add(py, groups[py], cls.area)
        if cls.has_delete:
            fn = self._function("delete_" + cls.py, "delete", cls, None, False)
            self._add(fn.py, [fn], cls.area)
        if not cls.registered:
            return
        fn = self._function(cls.py + "_swigregister", "register", cls, None)
        fn.result = Result("void", record=self.record_for(ctype.parse(cls.qname)))
        self._add(fn.py, [fn], cls.area)
        self.python_classes.append(cls)

    def member_type(self, fld):
        """The C++ type of a record's member: a field declared `T *` of a
        class or container T holds a T inside the record, and a field declared
        `T const &` holds its value (a reference member could not be set)."""
        if fld.type.ref:
            return replace(fld.type, ref="", const=False)
        return fld.type.pointee() if self._holds_pointee(fld.type, fld.owner) else fld.type

    def _holds_pointee(self, t, owner=""):
        """A record's pointer to its own kind stays a pointer: it links
        records, which cannot hold one another."""
        c = self.canonical(t)
        if c.pointers != 1 or c.ref or c.array is not None:
            return False
        value = c.pointee().value()
        return value.name != owner and (value.name in self.lib.classes or bool(value.args))

    def _field_arg(self, fld):
        """What a field setter converts: class and container members are
        copied from a proxy of their type (a container never from a
        sequence), a holder member takes the argument holder's object."""
        declared = fld.param or fld.type
        arg = self.arg_for(declared)
        if arg.kind == "array":
            arg.kind = "pointer"  # the setter refuses null with the field's own message
        if arg.kind == "container" or self._holds_pointee(declared, fld.owner):
            value = self.canonical(self.member_type(fld)).value()
            arg = Arg("reference", declared, self.cpp_names(value).cpp(), self.record_for(value))
        if arg.kind == "reference" and self.canonical(declared).name == "std::unique_ptr":
            arg.move = True
        return arg

    def _field_result(self, fld):
        """What a field getter returns: scalars, strings and arrays by value; a
        class declared by a bare alias (no namespace, by value) as a new owned
        copy, as the library's header declares such a field; any other class,
        container or holder member as a borrowed proxy inside the record."""
        member = self.member_type(fld)
        if fld.bare and self.canonical(member).name in self.lib.classes:
            return self.result_for(member)
        if self._field_by_reference(member):
            return self.result_for(replace(member, ref="&"))
        return self.result_for(member)

    def _field_by_reference(self, t):
        c = self.canonical(t)
        # `uint` values are read as owned copies, like the scalars they are.
        return not (self.is_scalar(c) or self.is_enum(c) or c == STRING or c.pointers or c.array is not None
                    or c.name in OPAQUE_SCALARS)

    @staticmethod
    def _forms(ops):
        """Each operation's forms (Op.shortened), in declaration order."""
        return [form for op in ops for form in op.shortened()]

    def _free_functions(self, func: Func):
        namespace = func.qname.rsplit("::", 1)[0] if "::" in func.qname else ""
        op = self.resolve_op(func.op, self.scopes_of(namespace))
        fns = []
        for form, passed in op.shortened():
            fn = self._function(form.name, "func", None, form)
            fn.prototype = "%s(%s)" % (func.qname, ",".join(p.spell() for p in form.params))
            fn.target = func.qname
            fn.defaults = passed
            fns.append(fn)
        return fns

    def _container_class_functions(self, cls, names):
        self._class_functions(cls)
        containers.arrange(self.entries, cls, names)

    def _build(self):
        # The iterator and the standard containers, then per namespace its
        # holders followed by its holder vectors, then the declared classes.
        for cls, names in self.container_classes:
            self._container_class_functions(cls, names)
        for group in self._holder_groups():
            for holder in group:
                self._class_functions(self.holder_classes[holder.target])
            for holder in group:
                if holder.vector:
                    self._container_class_functions(*self.holder_vectors[holder.target])
        pending_funcs: Dict[str, List[Function]] = {}
        func_order = []
        for item in self.lib.order:
            if isinstance(item, Class):
                if item.listed:
                    self._class_functions(item)
            elif isinstance(item, Variable):
                self._accessor_functions(item)
            else:
                fns = self._free_functions(item)
                py = fns[0].py
                if py not in pending_funcs:
                    pending_funcs[py] = []
                    func_order.append((py, item.area))
                pending_funcs[py].extend(fns)
        for py, area in func_order:
            self._add(py, pending_funcs[py], area)
        self._build_edges()

    def convertible_ancestors(self, cls: Class):
        """The ancestors a proxy of the class converts to: all but those
        the declaration excludes."""
        return [a for a in self.ancestors(cls) if a not in cls.noconvert]

    def _build_edges(self):
        for cls in list(self.lib.classes.values()):
            source = self.record_for(ctype.parse(cls.qname))
            for ancestor in self.convertible_ancestors(cls):
                target = self.record_for(ctype.parse(ancestor))
                target.edges.append(Edge(source, cls.qname, ancestor))

    def _global_var(self, var: Variable) -> GlobalVar:
        decl = self.resolve(var.type, self.scopes_of(var.namespace, var.owner))
        t = self.canonical(decl)
        if t.array is not None:
            element = replace(t, array=None, const=False)
            return GlobalVar(var, "array", decl, False, record=self.record_for(element))
        if t.pointers == 1 and t.pointee().value() == ctype.CType("char"):
            return GlobalVar(var, "cstring", decl, not t.pointer_consts[-1])
        if t.pointers or t.ref:
            raise DeclError("variable %s: pointers other than C strings are not supported" % var.qname)
        if self.is_scalar(t) or self.is_enum(t) or t.value() == STRING:
            if not t.const:
                raise DeclError("variable %s: a number or std::string must be const" % var.qname)
            kind = "string" if t.value() == STRING else "scalar"
            return GlobalVar(var, kind, decl, False, cpp=self.scalar_cpp(t.value()))
        record = self.record_for(t.value())
        if t.const:
            record.constants.append(var.qname)
        return GlobalVar(var, "object", replace(decl, const=False), not t.const, record=record)

    def _accessor_functions(self, var: Variable):
        """<Class>_<name>_get and _set of a static member that is not const."""
        for kind in ("varget", "varset"):
            fn = Function(py="%s_%s" % (var.py, kind[3:]), kind=kind, cls=None, target=var.py)
            self._add(fn.py, [fn], var.area)
