"""The library's names and types as the module converts them: names
qualified in their scopes, typedefs followed down to the type C++ sees, one
type record per pointed-to type, and the conversion kind of every argument
and result."""

from dataclasses import dataclass, field, replace
from typing import Dict, List, Optional

from . import containers, ctype
from .decl import DeclError, Holder, Library, Op

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


class TypeModel:
    def __init__(self, library: Library):
        self.lib = library
        self.records: Dict[str, TypeRecord] = {}
        self.holder_of: Dict[str, Holder] = {h.target: h for h in library.holders}
        # What each typedef stands for, looked at for every record's display name.
        self.typedef_targets = {name: self.canonical(ctype.CType(name)) for name in library.typedefs}
        self.record_for(ctype.CType("char"))
        self.record_for(STRING)

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

    def resolve_op(self, op: Op, scopes) -> Op:
        return replace(
            op,
            params=[self.resolve(p, scopes) for p in op.params],
            result=self.resolve(op.result, scopes) if op.result else None,
        )

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
        for name, target in self.typedef_targets.items():
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
