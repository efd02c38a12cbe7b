"""What an inventory walk read, written as a simulated-host model file.

The simulated host keeps each library object as a node, `[Kind name]`, with
`key = value` properties. Its getters read the property named after the
operation without its Get or Is prefix (`GetMTU` reads `MTU`); a record is
read field by field from `<key>.<field>`, and a list of records from the
nodes of the record's kind, each field a property of its own name. A list
operation hands out the nodes of the listed kind whose property named after
the owner's kind names the owner (or every node of the kind when none names
an owner). The `[fail]` section makes an operation fail with a message, for
one node (`Kind.Operation@name`) or for every node of the kind.

A capture records every value and failure in those terms, so that loading it
(QORCTL_SIM_HOST) answers the same walk with the same values.
"""

PREFIXES = ("Get", "Is")


def property_key(operation):
    """The property a getter reads: its name without the Get or Is prefix."""
    for prefix in PREFIXES:
        if operation.startswith(prefix) and len(operation) > len(prefix):
            return operation[len(prefix):]
    return operation


class Unrepresentable(Exception):
    """A value the model file has no text form for."""


def encode(value):
    """The properties a value becomes, as (suffix, text) pairs: one with an
    empty suffix for a scalar, text or list, one per field (".field") for a
    record. Raises Unrepresentable for values without a text form."""
    if isinstance(value, bool):
        return [("", "true" if value else "false")]
    if isinstance(value, (int, float)):
        return [("", str(value))]
    if isinstance(value, str):
        return [("", value)]
    if isinstance(value, (tuple, list)):
        return [("", ",".join(item_text(item) for item in value))]
    if hasattr(value, "GetStringAddress"):
        return [("", value.GetStringAddress())]
    fields = record_fields(value)
    if fields:
        pairs = []
        for name in fields:
            pairs += [("." + name + suffix, text) for suffix, text in encode(getattr(value, name))]
        return pairs
    raise Unrepresentable(type(value).__name__)


def item_text(item):
    """One element of a comma-separated list."""
    pairs = encode(item)
    if len(pairs) != 1 or pairs[0][0]:
        raise Unrepresentable("a list of %s" % type(item).__name__)
    return pairs[0][1]


def record_fields(value):
    """The field names of a record proxy, in declaration order; none for
    other objects."""
    cls = type(value)
    names = []
    for klass in reversed(cls.__mro__):
        for name, attr in vars(klass).items():
            if isinstance(attr, property) and name != "thisown" and name not in names:
                names.append(name)
    return names


def writable(text):
    """A text the model file keeps as it is: one line, no comment sign, no
    blanks at either end (the reader strips them)."""
    return "\n" not in text and "\r" not in text and "#" not in text and text == text.strip(" \t")


class Capture:
    """Nodes in the order first met, their properties in the order read,
    and the failures."""

    def __init__(self):
        self.nodes = {}        # (kind, name) -> {key: text}
        self.failures = {}     # "Kind.Operation[@name]" -> message
        self.left_out = []     # "Kind name: key" of values without a text form

    def node(self, kind, name):
        return self.nodes.setdefault((kind, name), {})

    def put(self, kind, name, key, value):
        if type(value).__name__ == "IpConfig":
            # The host keeps an interface's address configuration as properties
            # of the interface: its IPv4 address and netmask.
            self.put(kind, name, "Ipv4Address", value.GetIpv4Address())
            self.put(kind, name, "Ipv4Netmask", value.GetIpv4Netmask())
            return
        properties = self.node(kind, name)
        try:
            pairs = encode(value)
        except Unrepresentable:
            self.left_out.append("%s %s: %s" % (kind, name, key))
            return
        for suffix, text in pairs:
            # A property left out reads as the type's default, as an empty text does.
            if not text:
                continue
            if not writable(text):
                self.left_out.append("%s %s: %s%s" % (kind, name, key, suffix))
                continue
            properties[key + suffix] = text

    def member(self, kind, name, owner_kind, owner_name):
        """The node (kind, name) is listed by the owner's node."""
        properties = self.node(kind, name)
        if owner_name:
            properties["Parent" if owner_kind == kind else owner_kind] = owner_name

    def fail(self, kind, name, operation, message):
        where = "%s.%s" % (kind, operation) + ("@" + name if name else "")
        # The message is one line of the model file, where "#" would start a comment.
        self.failures[where] = " ".join(message.replace("#", " ").split())

    def text(self):
        lines = ["# A simulated host captured by `python -m qorctl --model`.", ""]
        for (kind, name), properties in self.nodes.items():
            lines.append("[%s]" % (kind + (" " + name if name else "")))
            lines += ["%s = %s" % item for item in properties.items()]
            lines.append("")
        if self.failures:
            lines.append("[fail]")
            lines += ["%s = %s" % item for item in self.failures.items()]
            lines.append("")
        return "\n".join(lines)
