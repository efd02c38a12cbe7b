"""What each generated file includes and declares ahead.

A generated file depends only on the library names its text uses. A header
declares ahead the classes, enumerations and type aliases it names, and
includes whole only what a declaration cannot stand in for (bases, records
held by value, classes whose nested names it uses); a source includes the
header of every name it uses. Adding a class to one header then recompiles
the files that name something of that header, not every file.
"""

import re

from . import ctype
from .decl import Func
from .library_model import declare, namespaced

# A name, possibly qualified, that is not part of a longer one.
NAME = re.compile(r"(?<![\w:])(?:\w+::)*\w+")
STANDARD = ["algorithm", "chrono", "functional", "iterator", "map", "memory", "set", "string",
            "unordered_map", "utility", "vector"]


class NameIndex:
    """The library's names: the header that declares each, and how a file
    that does not include that header declares it ahead."""

    def __init__(self, classes):
        lib = classes.lib
        self.header = {}   # name -> the header that declares it
        self.ahead = {}    # name -> lines declaring it ahead (classes and enumerations at namespace level)
        self.alias = {}    # alias name -> its declaration lines, in declaration order
        self._uses = {}    # token -> the name it refers to, or None
        # The library's own classes too (implementations the declarations leave out).
        for cls in list(lib.classes.values()) + classes.generated:
            self._declared(cls.qname, cls.header, namespaced(cls.qname, "class %s;"), classes)
        for qname, header in lib.opaque.items():
            self._declared(qname, header, namespaced(qname, "class %s;"), classes)
        for enum in lib.enums.values():
            self._declared(enum.qname, enum.header, namespaced(enum.qname, "enum %s : int;"), classes)
        for item in lib.order:
            if isinstance(item, Func):
                self.header.setdefault(item.qname, item.header)
        for var in classes.variables():
            if not var.member or var.owner not in lib.classes:  # a class's member is found through its class
                self.header.setdefault(var.qname, var.header)
        # Headers the declarations name without declaring anything in them hold
        # inline helpers that operations' expressions call: every source has them.
        self.bare = [h for h in lib.headers if h not in set(self.header.values())]
        self.target = {}   # alias name -> the text of the type it stands for
        holders = {h.typedef for h in lib.holders}
        for holder in lib.holders:
            self.target[holder.typedef] = "std::unique_ptr< %s >" % holder.target
            self.alias[holder.typedef] = namespaced(holder.typedef, "typedef %s %%s;" % self.target[holder.typedef])
        # A holder's alias belongs with its class: the class's header declares it.
        self.holder_of = {}  # header -> the holder aliases it declares
        for holder in lib.holders:
            self.holder_of.setdefault(self.header.get(holder.target), []).append(holder.typedef)
        for qname, text in lib.typedefs.items():
            if qname not in holders:
                target = classes.model.resolve(ctype.parse(text), classes.model.scopes_of(lib.typedef_scope[qname]))
                self.target[qname] = declare(target, "")
                self.alias[qname] = namespaced(qname, declare(target, "%s", typedef=True))

    def _declared(self, qname, header, lines, classes):
        enclosing = classes.enclosing_class(qname)
        # A nested name can only be declared inside its class: users include the class's header.
        self.header[qname] = enclosing.header if enclosing is not None else header
        if enclosing is None:
            self.ahead[qname] = lines

    def uses(self, text):
        """The library names `text` refers to, with the names the type
        aliases among them refer to."""
        found = set()
        for token in set(NAME.findall(text)):
            name = self._resolve(token)
            if name is not None:
                found.add(name)
        for alias in [n for n in found if n in self.target]:
            found |= self.uses(self.target[alias])
        return found

    def _resolve(self, token):
        if token not in self._uses:
            name = token
            while name and name not in self.header and name not in self.alias:
                name = name.rpartition("::")[0]
            self._uses[token] = name or None
        return self._uses[token]

    def alias_lines(self, names):
        lines = []
        for alias, declaration in self.alias.items():
            if alias in names:
                lines += declaration
        return lines

    def header_preamble(self, path, body, whole):
        """The lines ahead of a header's declarations: the standard and core
        headers, the headers in `whole`, and declarations ahead of what else
        `body` names."""
        # The header's own names are declared ahead too: an alias or an earlier
        # declaration may name a class defined further down.
        names = self.uses(body)
        always = ["hostctl/core.h", "hostctl/sim.h"]
        included = [h for h in whole if h not in always]
        for name in sorted(names):
            header = self.header.get(name)
            if name not in self.ahead and name not in self.alias and header and header not in always + included + [path]:
                included.append(header)  # a nested class or a function: only its header declares it
        out = ["#include <%s>" % h for h in STANDARD]
        out += ['#include "%s"' % h for h in always]
        out += ['#include "%s"' % h for h in included]
        out.append("")
        names |= set(self.holder_of.get(path, ()))
        names |= {h for alias in self.holder_of.get(path, ()) for h in self.uses(self.target[alias])}
        for name in sorted(n for n in names if n in self.ahead):
            out += self.ahead[name]
        return out + self.alias_lines(names)

    def source_preamble(self, text, complete):
        """The lines ahead of a source: the header of every library name
        `text` uses and of every name in `complete`, and the aliases they use.
        `complete` names the types a source needs whole though its text may
        not name them, as the results of the calls it makes."""
        names = self.uses(text) | self.uses(complete)
        headers = self.bare + sorted({self.header[n] for n in names if self.header.get(n)})
        return ['#include "%s"' % h for h in headers] + self.alias_lines(names)
