"""C++ type spellings: parsing, qualification, display spelling and mangling.

A declared type such as ``std::vector< PnicPtr > const &`` is parsed into a
`CType`; names are then qualified against the declared classes and typedefs.
Two spellings come out of a `CType`:

* ``spell()``: the library's declared spelling, as argument messages show it
  ("std::vector< std::string,std::allocator< std::string > > &");
* ``mangle()``: the registry key of a pointer to the type
  ("_p_std__vectorT_std__string_std__allocatorT_std__string_t_t").
"""

import re
from dataclasses import dataclass, field, replace
from typing import List, Optional

_TOKEN = re.compile(r"\s*(::|<|>|,|\*|&&|&|\[|\]|[A-Za-z_][A-Za-z_0-9]*|[0-9]+)")

# Plain C++ words that may make up a built-in type name.
_BUILTIN_WORDS = {"unsigned", "signed", "char", "short", "int", "long", "bool", "void", "float", "double"}

# Standard templates whose trailing defaulted arguments the library spells out.
_DEFAULT_ARGS = {
    "std::vector": lambda a: [a[0], CType("std::allocator", [a[0]])],
    "std::set": lambda a: [a[0], CType("std::less", [a[0]]), CType("std::allocator", [a[0]])],
    "std::map": lambda a: [
        a[0],
        a[1],
        CType("std::less", [a[0]]),
        CType("std::allocator", [CType("std::pair", [replace(a[0], const=True), a[1]])]),
    ],
}


@dataclass(frozen=True)
class CType:
    name: str                     # qualified name, or built-in words ("unsigned int")
    args: List["CType"] = field(default_factory=list)
    member: str = ""              # trailing "::pointer" after template arguments
    const: bool = False
    pointers: int = 0
    pointer_consts: tuple = ()    # const-ness of each pointer level
    ref: str = ""                 # "", "&" or "&&"
    array: Optional[int] = None

    def __hash__(self):
        return hash(self.spell())

    # ---- shape -------------------------------------------------------------
    @property
    def is_reference(self):
        return bool(self.ref)

    def value(self):
        """The type without reference, pointer levels or const."""
        return CType(self.name, self.args, self.member)

    def pointee(self):
        """The type with one pointer level (or the reference) removed."""
        if self.ref:
            return replace(self, ref="")
        if self.pointers:
            return replace(self, pointers=self.pointers - 1, pointer_consts=self.pointer_consts[:-1])
        raise ValueError("not a pointer: " + self.spell())

    def pointer_to(self):
        return replace(self, pointers=self.pointers + 1, pointer_consts=self.pointer_consts + (False,), ref="")

    def unqualified(self):
        return replace(self, const=False, ref="")

    # ---- spellings ---------------------------------------------------------
    def _base(self):
        text = self.name
        if self.args:
            text += "< " + ",".join(a.spell() for a in self.args) + " >"
        return text + self.member

    def spell(self):
        text = self._base()
        if self.const:
            text += " const"
        if self.pointers:
            text += " " + "".join("*" + (" const" if c else "") for c in self.pointer_consts)
        if self.ref:
            text += " " + self.ref
        if self.array is not None:
            text += " [" + str(self.array) + "]"
        return text

    def cpp(self):
        """A spelling that C++ accepts (same as spell, kept apart for clarity)."""
        return self.spell()

    def mangle_base(self):
        text = self.name.replace("::", "__").replace(" ", "_")
        if self.args:
            text += "T_" + "_".join(a.mangle_inner() for a in self.args) + "_t"
        if self.member:
            text += self.member.replace("::", "__")
        return text

    def mangle_inner(self):
        text = ""
        if self.ref or self.pointers:
            text = "r_" if self.ref else ""
            text += "p_" * self.pointers
        if self.const:
            text += "q_const__"
        return text + self.mangle_base()

    def mangle(self):
        """Registry key of a pointer to this type."""
        return "_p_" + "p_" * self.pointers + self.mangle_base()


def parse(text: str) -> CType:
    tokens = _TOKEN.findall(text)
    rest = _TOKEN.sub("", text).strip()
    if rest:
        raise ValueError("cannot parse type %r" % text)
    parser = _Parser(tokens, text)
    result = parser.type()
    if parser.pos != len(tokens):
        raise ValueError("trailing text in type %r" % text)
    return result


class _Parser:
    def __init__(self, tokens, text):
        self.tokens = tokens
        self.pos = 0
        self.text = text

    def peek(self):
        return self.tokens[self.pos] if self.pos < len(self.tokens) else None

    def take(self, expected=None):
        token = self.peek()
        if token is None or (expected is not None and token != expected):
            raise ValueError("expected %r in type %r" % (expected, self.text))
        self.pos += 1
        return token

    def name(self):
        words = []
        while self.peek() in _BUILTIN_WORDS:
            words.append(self.take())
        if words:
            return " ".join(words)
        parts = [self.take()]
        while self.peek() == "::":
            self.take()
            parts.append(self.take())
        return "::".join(parts)

    def type(self):
        const = False
        if self.peek() == "const":
            self.take()
            const = True
        name = self.name()
        args = []
        member = ""
        if self.peek() == "<":
            self.take()
            args.append(self.type())
            while self.peek() == ",":
                self.take()
                args.append(self.type())
            self.take(">")
            while self.peek() == "::":
                self.take()
                member += "::" + self.take()
        if self.peek() == "const":
            self.take()
            const = True
        pointer_consts = []
        while self.peek() == "*":
            self.take()
            is_const = False
            if self.peek() == "const":
                self.take()
                is_const = True
            pointer_consts.append(is_const)
        ref = ""
        if self.peek() in ("&", "&&"):
            ref = self.take()
        array = None
        if self.peek() == "[":
            self.take()
            array = int(self.take())
            self.take("]")
        return CType(name, args, member, const, len(pointer_consts), tuple(pointer_consts), ref, array)


def with_default_args(t: CType) -> CType:
    """Spells out the defaulted arguments of standard containers, recursively."""
    args = [with_default_args(a) for a in t.args]
    expand = _DEFAULT_ARGS.get(t.name)
    if expand and len(args) == {"std::vector": 1, "std::set": 1, "std::map": 2}[t.name]:
        args = expand(args)
    return replace(t, args=args)
