"""The declarations resolved into what the module needs: qualified types,
conversion kinds, type records, conversion edges and the function list."""

import itertools
from dataclasses import dataclass, field, replace
from typing import Dict, List, Optional

from . import containers, ctype
from .decl import Class, DeclError, Func, Holder, Library, Op, Variable

# Library integer typedefs and C++ words, with the C++ type that carries them.
SCALARS = {
    "bool": "bool", "char": "char", "Bool": "char",
    "short": "short", "int16_t": "short",
    "int": "int", "int32": "int", "int32_t": "int",
    "long": "long", "int64": "long", "ptrdiff_t": "long",
    "long long": "long long", "int64_t": "long long",
    "unsigned char": "unsigned char", "uint8": "unsigned char",
    "unsigned short": "unsigned short", "uint16": "unsigned short",
    "unsigned int": "unsigned int", "uint32": "unsigned int",
    "unsigned long": "unsigned long", "uint64": "unsigned long", "size_t": "unsigned long",
    "unsigned long long": "unsigned long long", "uint64_t": "unsigned long long",
}
STD_NAMES = {
    "std::string", "std::vector", "std::map", "std::set", "std::pair", "std::unique_ptr",
    "std::shared_ptr", "std::allocator", "std::less", "std::exception", "void",
    "std::unordered_map", "std::reference_wrapper", "std::chrono::system_clock::time_point",
}
# The C++ words among them; the other names are the library's typedefs.
C_SCALARS = set(SCALARS.values())
# Interpreter objects some container operations take or return as they are,
# and the iterator class the container classes hand out.
PY_NAMES = {"PyObject", "PySliceObject", containers.ITERATOR}
# `uint` is a library typedef that the conversion layer does not know: its
# values travel as `uint *` proxies, like a class.
OPAQUE_SCALARS = {"uint"}

STRING = ctype.CType("std::string")
CHAR_POINTER = ctype.parse("char *")
STRING_PAIR = ctype.CType("std::pair", [STRING, STRING])
STRING_VECTOR = ctype.with_default_args(ctype.CType("std::vector", [STRING]))
# Integer elements the container conversions know, by their C++ type.
INTEGER_ELEMENTS = {"unsigned int", "unsigned long"}
# Holders and their vectors come in the function table grouped by the held
# class's namespace (the second part of its name), in this order.
HOLDER_NAMESPACES = ["Adv", "Hardware", "QAT", "DCF", "Lib", "Network", "Resource", "Storage", "System"]


@dataclass(frozen=True)
class ContainerInfo:
    """What the conversion of one container type needs: its conversion type
    name (also the look-up name of its type record), its element type name
    for errors, and for record elements the record's type."""
    name: str
    element: str
    element_record: Optional["TypeRecord"] = None


def conversion_name(t: ctype.CType) -> str:
    """The spelling of a container type the conversions use: the declared
    spelling without the blank after the outermost `<`."""
    return t.spell().replace("< ", "<", 1)


@dataclass
class TypeRecord:
    key: ctype.CType          # the pointed-to type, canonical
    mangled: str
    display: str
    index: int = -1
    edges: List["Edge"] = field(default_factory=list)  # edges leading into this type
    constants: List[str] = field(default_factory=list)  # qualified names of constant objects of this type


@dataclass
class Edge:
    source: TypeRecord
    source_cpp: str
    target_cpp: str


@dataclass
class Arg:
    kind: str                 # scalar, string, cstring, chararray, array, pointer, reference, self, container,
                              # slice, iterator
    decl: ctype.CType         # declared (qualified) type, for messages
    cpp: str                  # C++ type the holder struct is instantiated with
    record: Optional[TypeRecord] = None
    move: bool = False        # rvalue reference: the value is moved out
    info: Optional[ContainerInfo] = None


@dataclass
class Result:
    kind: str                 # void, scalar, string, cstring, chararray, copy, borrowed, holder, holders, container
    cpp: str = ""
    record: Optional[TypeRecord] = None
    reference: bool = False
    info: Optional[ContainerInfo] = None


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


class Model:
    def __init__(self, library: Library):
        self.lib = library
        self.records: Dict[str, TypeRecord] = {}
        self.holder_classes: Dict[str, Class] = {}   # by held class
        self.holder_of: Dict[str, Holder] = {h.target: h for h in library.holders}
        self._synthesize_holders()
        self.container_classes, self.holder_vectors = containers.synthesize(self)
        self.entries: List[FunctionEntry] = []
        self.python_classes: List[Class] = []
        self.record_for(ctype.CType("char"))
        self.record_for(STRING)
        self._build()
        self.values = [self._global_var(v) if isinstance(v, Variable) else v for v in library.values]
        self._number_records()

    # ---- names and types ---------------------------------------------------
    def known(self, qname):
        lib = self.lib
        return (
            qname in lib.classes or qname in lib.typedefs or qname in lib.enums or qname in lib.opaque
            or any(h.typedef == qname for h in lib.holders)
        )

    def qualify_name(self, name, scopes):
        if name in SCALARS or name in STD_NAMES or name in OPAQUE_SCALARS or name in PY_NAMES:
            return name
        for scope in scopes:
            candidate = scope + "::" + name if scope else name
            if self.known(candidate):
                return candidate
        raise DeclError("unknown type name %r (looked in %s)" % (name, ", ".join(s or "::" for s in scopes)))

    def scopes_of(self, namespace, cls_qname=""):
        scopes = [cls_qname] if cls_qname else []
        parts = namespace.split("::") if namespace else []
        while parts:
            scopes.append("::".join(parts))
            parts.pop()
        scopes.append("")
        return scopes

    def resolve(self, t: ctype.CType, scopes) -> ctype.CType:
        args = [self.resolve(a, scopes) for a in t.args]
        t = replace(t, name=self.qualify_name(t.name, scopes), args=args)
        return ctype.with_default_args(t)

    def canonical(self, t: ctype.CType) -> ctype.CType:
        """Follows typedefs down to the type C++ sees, keeping pointer levels."""
        seen = 0
        while t.name in self.lib.typedefs and not t.args:
            seen += 1
            if seen > 20:
                raise DeclError("typedef loop at " + t.name)
            scope = self.lib.typedef_scope.get(t.name, "")
            target = self.resolve(ctype.parse(self.lib.typedefs[t.name]), self.scopes_of(scope))
            t = replace(
                target,
                const=target.const or t.const,
                pointers=target.pointers + t.pointers,
                pointer_consts=target.pointer_consts + t.pointer_consts,
                ref=t.ref or target.ref,
            )
        if t.name == "std::unique_ptr" and t.member == "::pointer":
            held = t.args[0]
            return replace(held, const=t.const, pointers=1 + t.pointers,
                           pointer_consts=(False,) + t.pointer_consts, ref=t.ref)
        return replace(t, args=[self.canonical(a) for a in t.args])

    def is_scalar(self, t):
        return t.name in SCALARS and not t.args

    def is_enum(self, t):
        return t.name in self.lib.enums

    def is_char_array(self, t):
        """`char [N]` (or `Bool [N]`): text, not an array of numbers."""
        return t.array is not None and not t.ref and not t.pointers and \
            self.is_scalar(t) and SCALARS[t.name] == "char"

    def scalar_cpp(self, t):
        return SCALARS[t.name] if t.name in SCALARS else t.name

    def cpp_names(self, t: ctype.CType) -> ctype.CType:
        """The type with the library's integer typedefs spelled as the C++
        types behind them, template arguments included."""
        name = SCALARS[t.name] if self.is_scalar(t) else t.name
        return replace(t, name=name, args=[self.cpp_names(a) for a in t.args])

    # ---- type records ------------------------------------------------------
    def record_for(self, pointee: ctype.CType) -> TypeRecord:
        key = self.canonical(pointee).unqualified()
        # A pointer to `uint8` is a pointer to `unsigned char`, and a vector of
        # `uint32` a vector of `unsigned int`: one record serves both spellings.
        key = self.cpp_names(replace(key, const=False))
        mangled = key.mangle()
        record = self.records.get(mangled)
        if record is None:
            record = TypeRecord(key, mangled, self.lib.displays.get(mangled) or self._display(key))
            self.records[mangled] = record
        return record

    def _display(self, key):
        names = [key.spell() + " *"]
        if key.name in C_SCALARS and not key.args:
            names += [replace(key, name=name).spell() + " *" for name, cpp in SCALARS.items()
                      if cpp == key.name and name not in C_SCALARS]
        cls = self.lib.classes.get(key.name)
        if cls and not key.args and not key.pointers:
            names += [alias + " *" for alias in cls.aliases]
        for name, text in self.lib.typedefs.items():
            target = self.canonical(ctype.CType(name))
            if target == key and name not in (cls.aliases if cls else []):
                names.insert(0, name + " *")
            elif target.pointers == 1 and target.pointee() == key:
                names.append(name)
        holder = self.holder_of.get(key.name) if not key.args and not key.pointers else None
        if holder:
            names.append("std::unique_ptr< %s >::pointer" % key.name)
        if key.name == "std::unique_ptr":
            held = self.holder_of.get(key.args[0].name)
            if held and held.vector:
                names.insert(1, "std::vector< std::unique_ptr< %s > >::value_type *" % held.target)
        return "|".join(dict.fromkeys(names))

    def _number_records(self):
        for index, mangled in enumerate(sorted(self.records, key=lambda m: m.encode())):
            self.records[mangled].index = index

    def sorted_records(self):
        return sorted(self.records.values(), key=lambda r: r.index)

    # ---- holders -----------------------------------------------------------
    def _synthesize_holders(self):
        for holder in self.lib.holders:
            held = holder.target
            scope = "std::unique_ptr< %s >" % held
            cls = Class(qname=scope, area=holder.area, header="", namespace="", py=holder.py, extern=True)
            pointer = ctype.parse(scope + "::pointer")
            make = lambda name, params, result=None, const=False, expr=None: Op(
                name, params, result, const=const, throws=False, expr=expr, origin=scope)
            cls.ctors.append(make(scope, [pointer], expr="new std::unique_ptr< %s >(arg1)" % held))
            cls.ops += [
                make("release", [], ctype.parse(held + " *"), expr="self->release()"),
                make("reset", [pointer], expr="self->reset(arg1)"),
                make("reset", [], expr="self->reset()"),
                make("swap", [ctype.parse(scope + " &")], expr="self->swap(arg1)"),
                make("get", [], ctype.parse(held + " *"), const=True, expr="self->get()"),
                make("__nonzero__", [], ctype.CType("bool"), const=True, expr="static_cast<bool>(*self)"),
            ]
            self.holder_classes[held] = cls

    def _holder_groups(self):
        """The holders per namespace, in table order; within a namespace they
        keep their declaration order."""
        def rank(holder):
            parts = holder.target.split("::")
            namespace = parts[1] if len(parts) > 2 else ""
            return HOLDER_NAMESPACES.index(namespace) if namespace in HOLDER_NAMESPACES else len(HOLDER_NAMESPACES)
        ranked = sorted(self.lib.holders, key=rank)
        return [list(group) for _, group in itertools.groupby(ranked, key=rank)]

    # ---- conversion kinds --------------------------------------------------
    def container_info(self, t: ctype.CType) -> Optional[ContainerInfo]:
        """The conversion of a container value type, or None when the type
        has no conversion of its own (it then travels as an opaque proxy)."""
        value = self.cpp_names(t.value())
        args = value.args
        element = None
        if value.name == "std::vector":
            element = self._element_info(args[0])
        elif value.name == "std::set" and args[0] == STRING:
            element = ("std::string", None)
        elif value.name == "std::map" and args[0] == STRING and args[1] in (STRING, STRING_PAIR, STRING_VECTOR):
            element = (conversion_name(ctype.CType("std::pair", [STRING, args[1]])), None)
        elif value == STRING_PAIR:
            element = ("std::string", None)
        if element is None:
            return None
        self.record_for(value)  # proxies of the container convert through it
        return ContainerInfo(conversion_name(value), element[0], element[1])

    def _element_info(self, e: ctype.CType):
        """Element type name and record of a vector element that converts."""
        if e == STRING:
            return "std::string", None
        if e.name in INTEGER_ELEMENTS and not e.args and not e.pointers:
            return e.name, None
        if e == STRING_PAIR:
            return conversion_name(e), None
        kinds = self.lib.sequences.get(e.name, set())
        if not e.args and not e.const and e.pointers == 0 and "value" in kinds:
            return e.name, self.record_for(e)
        if not e.args and not e.const and e.pointers == 1 and "pointer" in kinds:
            return e.name, self.record_for(e.pointee())
        return None

    def arg_for(self, decl: ctype.CType) -> Arg:
        t = self.canonical(decl)
        if t.name == "PySliceObject":
            return Arg("slice", decl, "PyObject")
        if t.member == "::iterator":
            # A container's own iterator arrives as an iterator proxy; the
            # container operation checks that it walks that very container.
            return Arg("iterator", decl, containers.ITERATOR, self.record_for(ctype.CType(containers.ITERATOR)))
        mutable_ref = t.ref == "&" and not t.const
        info = self.container_info(t) if t.pointers == 0 and t.array is None else None
        if info is not None and not mutable_ref and t.ref != "&&":
            return Arg("container", decl, self.cpp_names(t.value()).cpp(), info=info)
        if self.is_char_array(t):
            return Arg("chararray", decl, str(t.array))
        if t.array is not None and not t.ref:
            # An array parameter is a pointer to its first element that the
            # library reads or fills, so null is refused like a reference.
            element = replace(t, array=None, const=False)
            return Arg("array", decl, self.scalar_cpp(element) if self.is_scalar(element) else element.cpp(),
                       self.record_for(element))
        if t.pointers == 0:
            value = t.value()
            if (self.is_scalar(t) or self.is_enum(t)) and not mutable_ref:
                return Arg("scalar", decl, self.scalar_cpp(t))
            if value == STRING and t.ref != "&&" and not mutable_ref:
                return Arg("string", decl, "std::string")
            cpp = self.scalar_cpp(value) if self.is_scalar(value) else value.cpp()
            return Arg("reference", decl, cpp, self.record_for(value), move=t.ref == "&&")
        if t.pointers == 1:
            pointee = t.pointee()
            if pointee.value() == ctype.CType("char"):
                return Arg("cstring", decl, "char")
            if pointee.value() == STRING:
                return Arg("string", decl, "std::string")
            value = pointee.value()
            cpp = self.scalar_cpp(value) if self.is_scalar(value) else value.cpp()
            return Arg("pointer", decl, cpp + (" const" if pointee.const else ""), self.record_for(value))
        return Arg("pointer", decl, t.pointee().cpp(), self.record_for(t.pointee()))

    def result_for(self, decl: Optional[ctype.CType]) -> Result:
        if decl is None or decl.name == "void" and not decl.pointers:
            return Result("void")
        t = self.canonical(decl)
        if t.name == "PyObject":
            return Result("object")  # a new reference the operation made itself
        if self.is_char_array(t):
            return Result("chararray", str(t.array))
        if t.array is not None:
            # An array (a record field) reads as a borrowed pointer to its first element.
            return Result("borrowed", record=self.record_for(replace(t, array=None, const=False)))
        if t.pointers == 0 and not t.ref:
            if self.is_scalar(t) or self.is_enum(t):
                return Result("scalar", self.scalar_cpp(t))
            if t == STRING:
                return Result("string")
            if t.name == "std::unique_ptr":
                return Result("holder", record=self.record_for(t))
            if t.name == "std::vector" and t.args[0].name == "std::unique_ptr":
                return Result("holders", record=self.record_for(t.args[0]))
            info = self.container_info(t)
            if info is not None:
                return Result("container", info=info)
            return Result("copy", record=self.record_for(t))
        if t.pointers == 1 and t.pointee().value() == ctype.CType("char"):
            return Result("cstring")
        pointee = t.pointee() if t.pointers else replace(t, ref="")
        return Result("borrowed", record=self.record_for(pointee), reference=bool(t.ref))

    # ---- classes and functions ---------------------------------------------
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

    def _resolve_op(self, op: Op, scopes) -> Op:
        return replace(
            op,
            params=[self.resolve(p, scopes) for p in op.params],
            result=self.resolve(op.result, scopes) if op.result else None,
        )

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
        resolved_ctors = [self._resolve_op(c, scopes) for c in cls.ctors]
        if resolved_ctors:
            fns = []
            for ctor, passed in self._forms(resolved_ctors):
                fn = self._function("new_" + cls.py, "ctor", cls, ctor)
                fn.defaults = passed
                fn.result = Result("new", record=self.record_for(ctype.parse(cls.qname)))
                fn.prototype = ctor.prototype(cls.qname) if not ctor.expr else \
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
            op = self._resolve_op(op, self.scopes_of(self.lib.classes.get(op.origin, cls).namespace, op.origin)
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
        op = self._resolve_op(func.op, self.scopes_of(namespace))
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

    # ---- constants and variables -------------------------------------------
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
