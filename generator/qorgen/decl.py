"""Reader of the library declarations (``*.qd`` files).

A declarations file describes one API area of the library in the library's own
terms: classes with their bases, constructors, operations and fields; owning
pointer holders; typedefs, enumerations, opaque types and free functions.
The generator derives every wrapper, type record and proxy class from it.

Top-level statements (one per line, ``#`` starts a comment)::

    area NAME                        wrappers go to api/NAME
    namespace NS                     unqualified names are looked up in NS first
    header PATH                      library header of the classes that follow
    class NAME [: [virtual] BASE, ...]
    holder CLASS [vector] [as PYNAME]
    sequence CLASS [*]               vectors of CLASS (or CLASS *) convert to and from tuples
    container PYNAME = TYPE          a container class over TYPE (a vector, string set,
                                     string-keyed map or string pair); its element records convert
    typedef NAME = TYPE
    enum NAME [= A, B = 4, C]       named again without values, it stays as first declared
    opaque NAME                      a type Python meets only as a pointer proxy
    func NAME(PARAMS) [noE] [clinkage] [custom] [-> TYPE] [= EXPR]
    display MANGLED TEXT             display names of a record, when not derived
    const NAME = VALUE [size|ull]    a module constant: an integer, "text" or 'c'
    var NAME : TYPE [library] = INIT a data object; NAME is `name` or `Class::name`

Class members (indented under ``class``)::

    extern                           declared by a hand-written library header
    py NAME                          Python class name (default: last name part)
    alias NAME                       a second name of the class
    nodelete                         no delete_ function
    unlisted                         no flat function at all: scripts meet the class
                                     only as a base that proxies convert to
    unregistered                     no registration function: the package has no
                                     class for it, so its proxies stay bare
    ctor(PARAMS) [noE] [custom]      one line per overload, in declaration order
    op NAME(PARAMS) [const] [static] [noE] [hidden] [custom] [-> TYPE] [= EXPR]
    field NAME : TYPE [readonly|hidden] [= INIT]   INIT: the member's C++ initializer;
                                     a hidden field is state the library keeps to itself
    reexpose NAME ...                interface operations repeated under this class
    noconvert BASE ...               ancestors the conversion graph leaves out: a proxy
                                     of the class is not accepted where they are declared
    binding own | all [except NAME ...]
                                     which operations the module calls as members of
                                     this very class instead of through the virtual
                                     table: its own, or its re-exposed ones too (but
                                     the names after except)

A field of class or container type is a member of the record that reads as
a borrowed proxy of it, except a class written as one bare name (no
namespace, by value, as ``Ipv4Address``): the library declares that field by
an alias of the class, and it reads as a new owned copy each time. A field
written ``T *`` of a class or container T holds a T inside the record. Either
kind of member is set by copying from a proxy of its type. A field written
``T const &`` holds its value.

``holder`` declares the owning pointer ``std::unique_ptr<CLASS>``, the
library's typedef PYNAME (default: CLASS's name and ``Ptr``) in CLASS's
namespace, and with ``vector`` its holder vector. The function table has the
holders after the container classes, grouped by the held class's namespace:
in each group the holders in declaration order, then their vectors in the
same order.

Vectors of strings, of ``uint32``/``uint64``, of string pairs, the string
set, the string-keyed maps and the string pair always convert; vectors of
records convert only where a ``sequence`` statement says so, any other
container is an opaque proxy.

Constants and variables are installed in the order they are read, which is
the library's interface order. An enumeration that lists its values installs
its enumerators as constants where it is declared. A constant is a signed long
unless ``size`` (a size) or ``ull`` (an unsigned long long) follows its value;
a quoted value is a C string, a value in single quotes a one-character string.

A variable's type says what scripts may do with it: a non-const record,
vector or ``char const *`` is writable, anything else (and every array) is
read-only (with the message of an array when its elements are not const).
``INIT`` is the C++ initializer: with ``library`` the stand-in
library defines the object with it; otherwise the header does, and the module
compiles its own copy. A static member of a class the declarations do not
describe yet lives in a plain struct of that name. A static member that is
not const also gets the module functions ``<Class>_<name>_get`` and ``_set``.

A parameter may carry its default value, ``uint32 = 0`` (a C++ expression
without parentheses or commas): the library declares one operation, and the
module offers it once per number of trailing defaulted parameters, longest
first; a shorter form passes the missing values itself.

``noE`` marks library operations that never throw; ``clinkage`` marks a free
function the library exports with C linkage; ``custom`` marks an operation,
constructor or free function whose stand-in behaviour is hand-written
(``hostctl/<area>/``) rather than generated over the simulated host. ``= EXPR`` gives the C++
expression that the module evaluates itself instead of calling the library
(inline header code); it may use ``self`` and ``arg1`` ... ``argN``.
"""

import ast
import re
from dataclasses import dataclass, field, replace
from typing import Dict, List, Optional

from . import ctype


# Top-level namespaces: a name starting with one of them is fully qualified.
ROOTS = {"HostCtl", "QorCtl", "std", "swig"}


# Operators are declared under their Python names; the library spells them in C++.
OPERATORS = {"__eq__": "operator==", "__ne__": "operator!=", "__lt__": "operator<"}


class DeclError(Exception):
    pass


@dataclass
class Op:
    name: str
    params: List[ctype.CType]
    result: Optional[ctype.CType]
    const: bool = False
    static: bool = False
    throws: bool = True
    expr: Optional[str] = None
    hidden: bool = False      # a library operation the module calls but does not expose
    c_linkage: bool = False   # a free function exported under its plain C name
    custom: bool = False      # the stand-in library defines it by hand
    origin: str = ""          # qualified class that declares it (for re-exposed ops)
    direct: bool = False      # called as a member of the exposing class, not through the virtual table
    defaults: List[Optional[str]] = field(default_factory=list)  # per parameter: its default value, or None

    def shortened(self):
        """The forms scripts call: this one, then one per trailing defaulted
        parameter left out, each with the values the module passes for them."""
        # Operations the generator makes itself list no defaults.
        defaults = list(self.defaults) + [None] * (len(self.params) - len(self.defaults))
        forms = [(self, [])]
        count = len(self.params)
        while count and defaults[count - 1] is not None:
            count -= 1
            forms.append((replace(self, params=self.params[:count], defaults=defaults[:count]), defaults[count:]))
        return forms

    @property
    def cpp_name(self):
        return OPERATORS.get(self.name, self.name)

    def prototype(self, scope):
        text = "%s::%s(%s)" % (scope, self.cpp_name, ",".join(p.spell() for p in self.params))
        return text + (" const" if self.const else "")


@dataclass
class Field:
    name: str
    type: ctype.CType
    readonly: bool = False
    hidden: bool = False                  # library state without accessors
    bare: bool = False                    # written as one name without namespace, by value
    param: Optional[ctype.CType] = None   # the setter's parameter type, when not the field's own
    init: str = ""                        # C++ initializer of the member, when not value-initialised
    owner: str = ""                       # qualified name of the record that has the field


@dataclass
class Class:
    qname: str
    area: str
    header: str
    namespace: str
    bases: List[str] = field(default_factory=list)
    virtual_bases: List[str] = field(default_factory=list)
    py: str = ""
    aliases: List[str] = field(default_factory=list)
    extern: bool = False
    has_delete: bool = True
    listed: bool = True
    registered: bool = True
    binding: str = ""                                          # "", "own" or "all"
    dispatched: List[str] = field(default_factory=list)        # re-exposed names a binding of all leaves virtual
    ctors: List[Op] = field(default_factory=list)
    ops: List[Op] = field(default_factory=list)
    fields: List[Field] = field(default_factory=list)
    reexposed: List[str] = field(default_factory=list)
    noconvert: List[str] = field(default_factory=list)

    @property
    def short(self):
        return self.qname.rsplit("::", 1)[-1]


@dataclass
class Holder:
    target: str                # qualified class held
    typedef: str               # qualified typedef name (PnicPtr)
    py: str
    vector: bool
    area: str


@dataclass
class Container:
    py: str
    type: str                  # the declared C++ type text
    area: str
    namespace: str


@dataclass
class Enum:
    qname: str
    values: List[str]
    header: str


@dataclass
class Func:
    op: Op
    qname: str
    area: str
    header: str


@dataclass
class Constant:
    name: str
    kind: str                  # long, size, ull, cstring, char
    value: object              # int, or str for the two text kinds


@dataclass
class Variable:
    py: str                    # attribute of cvar
    qname: str                 # the library's qualified name
    type: ctype.CType
    init: str                  # C++ initializer
    library: bool              # defined by the library rather than its header
    member: bool               # a static member of a class
    area: str
    header: str
    namespace: str

    @property
    def owner(self):
        return self.qname.rsplit("::", 1)[0] if self.member else ""

    @property
    def short(self):
        return self.qname.rsplit("::", 1)[-1]

    @property
    def const(self):
        """Whether the object (each element, for an array) is const."""
        return self.type.pointer_consts[-1] if self.type.pointers else self.type.const


@dataclass
class Library:
    classes: Dict[str, Class] = field(default_factory=dict)
    order: List[object] = field(default_factory=list)     # classes, funcs and accessed variables in interface order
    values: List[object] = field(default_factory=list)    # constants and variables in interface order
    holders: List[Holder] = field(default_factory=list)
    sequences: Dict[str, set] = field(default_factory=dict)  # qualified class -> {"value", "pointer"}
    typedefs: Dict[str, str] = field(default_factory=dict)  # qualified name -> type text
    typedef_scope: Dict[str, str] = field(default_factory=dict)
    enums: Dict[str, Enum] = field(default_factory=dict)
    opaque: Dict[str, str] = field(default_factory=dict)     # qualified name -> header
    displays: Dict[str, str] = field(default_factory=dict)
    headers: List[str] = field(default_factory=list)
    containers: List[Container] = field(default_factory=list)


_CLASS = re.compile(r"^class\s+([\w:]+)\s*(?::\s*(.*))?$")
_OP = re.compile(
    r"^(?P<name>[\w]+)\((?P<params>.*?)\)(?P<flags>(?:\s+(?:const|static|noE|hidden|clinkage|custom))*)"
    r"(?:\s*->\s*(?P<result>[^=]+?))?(?:\s*=\s*(?P<expr>.+))?$"
)


_CONST = re.compile(r"^(?P<name>\w+)\s*=\s*(?P<value>.+?)(?:\s+(?P<kind>size|ull))?$")
_VAR = re.compile(r"^(?P<name>[\w:]+)\s*:\s*(?P<type>.+?)(?:\s+(?P<library>library))?\s+=\s+(?P<init>.+)$")
_RANGES = {"long": (-2 ** 63, 2 ** 63 - 1), "size": (0, 2 ** 64 - 1), "ull": (0, 2 ** 64 - 1)}


def split_params(text):
    """Splits at top-level commas (commas inside <> belong to a type)."""
    parts, depth, current = [], 0, ""
    for char in text:
        if char == "<":
            depth += 1
        elif char == ">":
            depth -= 1
        if char == "," and depth == 0:
            parts.append(current)
            current = ""
        else:
            current += char
    if current.strip():
        parts.append(current)
    return [p.strip() for p in parts]


class _Reader:
    def __init__(self, library, path):
        self.lib = library
        self.path = path
        self.area = ""
        self.namespace = ""
        self.header = ""
        self.current = None
        self.lineno = 0

    def fail(self, message):
        raise DeclError("%s:%d: %s" % (self.path, self.lineno, message))

    def qualify(self, name):
        """Names that start at a top-level namespace are already qualified."""
        if name.split("::", 1)[0] in ROOTS or not self.namespace:
            return name
        return self.namespace + "::" + name

    def parse_op(self, text, ctor=False):
        match = _OP.match(text)
        if not match:
            self.fail("cannot read operation %r" % text)
        flags = match.group("flags").split()
        texts, defaults = [], []
        for part in split_params(match.group("params")):
            part, _, default = part.partition("=")
            texts.append(part.strip())
            defaults.append(default.strip() or None)
        first = next((i for i, d in enumerate(defaults) if d is not None), len(defaults))
        if None in defaults[first:]:
            self.fail("only trailing parameters may have defaults: %r" % text)
        try:
            params = [ctype.parse(p) for p in texts]
            result = ctype.parse(match.group("result").strip()) if match.group("result") else None
        except ValueError as error:
            self.fail(str(error))
        return Op(
            name=match.group("name"),
            params=params,
            result=result,
            const="const" in flags,
            static="static" in flags,
            throws="noE" not in flags,
            hidden="hidden" in flags,
            c_linkage="clinkage" in flags,
            custom="custom" in flags,
            expr=match.group("expr"),
            defaults=defaults,
        )

    def top(self, keyword, rest):
        if keyword == "area":
            self.area = rest
        elif keyword == "namespace":
            self.namespace = rest
        elif keyword == "header":
            self.header = rest
            if rest not in self.lib.headers:
                self.lib.headers.append(rest)
        elif keyword == "class":
            self.start_class("class " + rest)
        elif keyword == "holder":
            self.add_holder(rest.split())
        elif keyword == "sequence":
            name, star, tail = rest.partition("*")
            if tail.strip() or not name.strip():
                self.fail("cannot read sequence %r" % rest)
            kinds = self.lib.sequences.setdefault(self.qualify(name.strip()), set())
            kinds.add("pointer" if star else "value")
        elif keyword == "container":
            py, _, text = rest.partition("=")
            if not py.strip() or not text.strip():
                self.fail("cannot read container %r" % rest)
            self.lib.containers.append(Container(py.strip(), text.strip(), self.area, self.namespace))
        elif keyword == "typedef":
            name, _, text = rest.partition("=")
            qname = self.qualify(name.strip())
            self.lib.typedefs[qname] = text.strip()
            self.lib.typedef_scope[qname] = self.namespace
        elif keyword == "enum":
            name, _, values = rest.partition("=")
            qname = self.qualify(name.strip())
            listed = [v.strip() for v in values.split(",")] if values.strip() else []
            if qname in self.lib.enums and not listed:
                # An area that only uses the enumeration names it again; the
                # declaration that lists the values stands.
                return
            self.lib.enums[qname] = Enum(qname, listed, self.header)
            self.lib.values.extend(self.enumerators(listed))
        elif keyword == "opaque":
            self.lib.opaque[self.qualify(rest)] = self.header
        elif keyword == "func":
            op = self.parse_op(rest)
            qname = self.qualify(op.name)
            op.origin = qname.rsplit("::", 1)[0] if "::" in qname else ""
            self.lib.order.append(Func(op, qname, self.area, self.header))
        elif keyword == "const":
            self.lib.values.append(self.constant(rest))
        elif keyword == "var":
            self.add_variable(rest)
        elif keyword == "display":
            mangled, _, text = rest.partition(" ")
            self.lib.displays[mangled] = text.strip()
        else:
            self.fail("unknown statement %r" % keyword)

    def enumerators(self, listed):
        """Enumerators with their values: an unvalued one follows the previous by one."""
        constants, value = [], 0
        for item in listed:
            name, _, text = item.partition("=")
            if text.strip():
                value = self.integer(text.strip())
            constants.append(Constant(name.strip(), "long", value))
            value += 1
        return constants

    def integer(self, text):
        try:
            return int(text, 0)
        except ValueError:
            self.fail("not an integer: %r" % text)

    def constant(self, rest):
        match = _CONST.match(rest)
        if not match:
            self.fail("cannot read constant %r" % rest)
        name, text, kind = match.group("name"), match.group("value"), match.group("kind") or "long"
        if text[0] in "\"'":
            value = ast.literal_eval(text)
            if text[0] == "'" and len(value) != 1:
                self.fail("a one-character constant holds one character: %r" % text)
            return Constant(name, "char" if text[0] == "'" else "cstring", value)
        value = self.integer(text)
        low, high = _RANGES[kind]
        if not low <= value <= high:
            self.fail("%s does not fit a %s constant" % (text, kind))
        return Constant(name, kind, value)

    def add_variable(self, rest):
        match = _VAR.match(rest)
        if not match:
            self.fail("cannot read variable %r" % rest)
        name = match.group("name")
        try:
            t = ctype.parse(match.group("type"))
        except ValueError as error:
            self.fail(str(error))
        var = Variable(py=name.replace("::", "_"), qname=self.qualify(name), type=t, init=match.group("init"),
                       library=bool(match.group("library")), member="::" in name, area=self.area,
                       header=self.header, namespace=self.namespace)
        self.lib.values.append(var)
        if var.member and not var.const:
            self.lib.order.append(var)

    def start_class(self, line):
        match = _CLASS.match(line)
        if not match:
            self.fail("cannot read class line")
        qname = self.qualify(match.group(1))
        if qname in self.lib.classes:
            self.fail("class %s declared twice" % qname)
        cls = Class(qname=qname, area=self.area, header=self.header, namespace=self.namespace)
        for base in split_params(match.group(2) or ""):
            words = base.split()
            name = self.qualify(words[-1])
            cls.bases.append(name)
            if words[0] == "virtual":
                cls.virtual_bases.append(name)
        cls.py = cls.short
        self.lib.classes[qname] = cls
        self.lib.order.append(cls)
        self.current = cls

    def add_holder(self, words):
        target = self.qualify(words[0])
        short = target.rsplit("::", 1)[-1]
        py = words[words.index("as") + 1] if "as" in words else short + "Ptr"
        typedef = target.rsplit("::", 1)[0] + "::" + py
        self.lib.holders.append(Holder(target, typedef, py, "vector" in words, self.area))
        self.lib.typedefs[typedef] = "std::unique_ptr< %s >" % target

    def member(self, keyword, rest):
        cls = self.current
        if cls is None:
            self.fail("member outside a class")
        if keyword == "extern":
            cls.extern = True
        elif keyword == "py":
            cls.py = rest
        elif keyword == "alias":
            cls.aliases.append(rest)
        elif keyword == "nodelete":
            cls.has_delete = False
        elif keyword == "unlisted":
            cls.listed = False
        elif keyword == "unregistered":
            cls.registered = False
        elif keyword == "binding":
            words = rest.split()
            if not words or words[0] not in ("own", "all") or words[1:2] not in ([], ["except"]) \
                    or (words[0] == "own" and len(words) > 1):
                self.fail("cannot read binding %r" % rest)
            cls.binding = words[0]
            cls.dispatched = words[2:]
        elif keyword == "ctor":
            op = self.parse_op(cls.short + rest)
            op.origin = cls.qname
            cls.ctors.append(op)
        elif keyword == "op":
            op = self.parse_op(rest)
            op.origin = cls.qname
            cls.ops.append(op)
        elif keyword == "field":
            name, _, text = rest.partition(":")
            text, _, init = text.partition("=")
            words = text.split()
            flag = words[-1] if words and words[-1] in ("readonly", "hidden") else ""
            if flag:
                words = words[:-1]
            t = ctype.parse(" ".join(words))
            bare = "::" not in t.name and not t.args and not t.pointers and not t.ref and t.array is None
            cls.fields.append(Field(name.strip(), t, flag == "readonly", flag == "hidden", bare, init=init.strip(),
                                    owner=cls.qname))
        elif keyword == "reexpose":
            cls.reexposed.extend(rest.split())
        elif keyword == "noconvert":
            cls.noconvert.extend(self.qualify(name) for name in rest.split())
        else:
            self.fail("unknown class member %r" % keyword)

    def read(self, text):
        for self.lineno, raw in enumerate(text.splitlines(), 1):
            line = raw.split("#", 1)[0].rstrip()
            if not line.strip():
                continue
            match = re.match(r"\s*(\w+)\s*(.*)$", line)
            keyword, rest = match.group(1), match.group(2).strip()
            if line[0].isspace():
                self.member(keyword, rest)
            else:
                self.current = None
                self.top(keyword, rest)


def read_files(paths):
    library = Library()
    for path in paths:
        with open(path, encoding="utf-8") as handle:
            _Reader(library, path).read(handle.read())
    return library
