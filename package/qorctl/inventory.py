"""The host's inventory: what each area holds, read through the package.

Each area is a list of parts; a part starts at a root object the package
constructs (`NetworkInfoImpl`), may follow operations that hand out one
object (`GetVirtualSwitchInfo`), and then reads fields and lists of objects.
The parts name the library's classes and operations; a part whose class or
operation this build of the package lacks is reported as not available
rather than read. A library failure on one value is kept in place of the
value and the walk goes on.

The walk also records what it read (`Walk.capture`), so that it can be
written as a model file of the simulated host.
"""

import qorctl

from .capture import Capture, property_key, record_fields


class NotInBuild(Exception):
    """This build of the package lacks a class or an operation."""


class Failed:
    """A library failure in place of a value."""

    def __init__(self, message):
        self.message = message


class Unavailable:
    """A part that this build of the package cannot read."""

    def __init__(self, missing):
        self.missing = missing


# ---- what the parts read -----------------------------------------------------------


class Field:
    """One value of an object: the result of `operation(*args)`. `key` names
    the model property when the library reads it from another than the
    operation's own."""

    def __init__(self, label, operation, *args, key=None):
        self.label, self.operation, self.args, self.key = label, operation, args, key

    def read(self, walk, target):
        return walk.read(target, self.operation, self.args, self.key)


class Objects:
    """The objects (or records) an operation lists, one item each. An
    object is named by the operation `name` (GetName when none is given),
    which also names its node; a record by its field `name`, or else by its
    position."""

    def __init__(self, label, operation, *content, name=None, derived=None):
        self.label, self.operation, self.content = label, operation, content
        self.name, self.derived = name, derived

    def read(self, walk, target):
        try:
            listed = walk.call(target, self.operation)
        except qorctl.HostCtlException as error:
            return walk.failed(target, self.operation, error)
        items = []
        for index, element in enumerate(listed):
            walk.progress()
            proxy = element.get() if is_holder(element) else element
            if isinstance(proxy, qorctl.HostCtlObject):
                child = walk.member(proxy, target, walk.name_of(proxy, self.name or "GetName"))
                item = {"name": child.name}
                item.update(walk.read_all(child, self.content))
            else:
                item = walk.record(proxy, index, self.name)
            if self.derived:
                item.update(self.derived(item))
            items.append(item)
        return items


class Named:
    """Objects looked up by name, one item each (services, which the
    library hands out only by name)."""

    def __init__(self, label, operation, names, *content):
        self.label, self.operation, self.names, self.content = label, operation, names, content

    def read(self, walk, target):
        items = []
        for name in walk.names.get(self.label, self.names):
            walk.progress()
            try:
                holder = walk.call(target, self.operation, name, "")
            except qorctl.HostCtlException as error:
                items.append({"name": name, "lookup": walk.failed(target, self.operation, error)})
                continue
            child = walk.member(holder.get(), target, name)
            item = {"name": name}
            item.update(walk.read_all(child, self.content))
            items.append(item)
        return items


class Part:
    """A part of an area: from the root class, through `path` (operations
    that each hand out one object), the fields and lists of `content`. A
    part of a single list or value shows as that list or value."""

    def __init__(self, label, root, *content, path=(), named_by="GetName"):
        self.label, self.root, self.content, self.path = label, root, content, path
        self.named_by = named_by  # what names the object at the end of the path

    def read(self, walk):
        try:
            target = walk.root(self.root)
            if isinstance(target, Failed):
                return target
            for step, operation in enumerate(self.path, 1):
                target = walk.descend(target, operation, self.named_by if step == len(self.path) else "GetName")
                if isinstance(target, Failed):
                    return target
            values = walk.read_all(target, self.content)
        except NotInBuild as missing:
            return Unavailable(str(missing))
        if len(self.content) == 1:
            return values[self.content[0].label]
        return values


def free_space(item):
    """A file system's free space, from its size and the space in use."""
    size, used = item.get("size"), item.get("used")
    if isinstance(size, int) and isinstance(used, int):
        return {"free": max(size - used, 0)}
    return {}


SERVICES = ("sshd", "ntpd", "ptpd", "snmpd", "wbemd", "syslogd", "entropyd", "dcui", "hostd", "agentd",
            "lbtd", "crond")

AREAS = {
    "network": [
        Part("adapters", "NetworkInfoImpl", Objects(
            "adapters", "GetPnics",
            Field("link up", "IsLinkUp"), Field("speed", "GetLinkSpeed"), Field("duplex", "GetDuplex"),
            Field("mtu", "GetMTU"), Field("mac", "GetMacAddress"), Field("driver", "GetDriverName"))),
        Part("switches", "NetworkInfoImpl", Objects(
            "switches", "GetVirtualSwitches",
            Field("mtu", "GetMTU"), Field("ports", "GetNumPorts"), Field("uplinks", "GetUplinks"),
            Objects("port groups", "GetPortGroups", Field("vlan", "GetVlanId"))),
            path=("GetVirtualSwitchInfo",)),
        Part("distributed switches", "NetworkInfoImpl", Objects(
            "distributed switches", "GetDVSwitches",
            Field("id", "GetDvsId"), Field("mtu", "GetMTU"), Field("uplinks", "GetUplinks")),
            path=("GetVirtualSwitchInfo",)),
        Part("kernel interfaces", "NetworkInfoImpl", Objects(
            "kernel interfaces", "GetQorKernelNics",
            Field("port group", "GetPortGroupName"), Field("netstack", "GetNetstackInstanceKey"),
            Field("mtu", "GetMtu"), Field("mac", "GetMacAddress"), Field("address", "GetIpConfig"),
            Field("enabled", "IsEnabled")),
            path=("GetQorKernelNicInfo",)),
        Part("network stacks", "NetworkInfoImpl", Objects(
            "network stacks", "ListNetstackInstances",
            Field("enabled", "IsEnabled"), Field("max connections", "GetMaxConnections"),
            Field("congestion control", "GetCongestionControlAlgorithm"))),
        Part("routes", "NetworkInfoImpl",
             Field("default gateway", "GetQorKernelDefaultGateway"),
             Field("ipv4", "GetCurrentQorkernelRoutes"), Field("ipv6", "GetCurrentIpv6QorkernelRoutes"),
             path=("GetRoutingInfo",)),
        Part("dns", "NetworkInfoImpl",
             Field("hostname", "GetHostname"), Field("domain", "GetDomain"),
             Field("name servers", "GetAllNameServers", key="NameServers"),
             Field("search domains", "GetSearchDomains"),
             path=("GetDnsConfig",), named_by="GetNetstackInstanceKey"),
    ],
    "storage": [
        Part("adapters", "StorageInfoImpl", Objects(
            "adapters", "GetScsiInterfaces",
            Field("type", "GetInterfaceType"), Field("status", "GetAdapterStatus"),
            Field("driver", "GetDriver"), Field("uid", "GetAdapterUid"))),
        Part("units", "StorageInfoImpl", Objects(
            "units", "GetLuns",
            Field("display name", "GetDisplayName"), Field("status", "GetStatusString"),
            Field("status code", "GetStatus"),
            Field("size", "GetSize"), Field("vendor", "GetVendor"), Field("model", "GetModel"),
            Field("local", "IsLocal"), Field("ssd", "IsSSD"),
            Objects("paths", "GetPaths", Field("adapter", "GetAdapterName"), Field("state", "GetStateString"),
                    Field("state code", "GetState")))),
        Part("file systems", "StorageInfoImpl", Objects(
            "file systems", "GetFileSystems",
            Field("type", "GetType"), Field("mounted", "IsMounted"), Field("path", "GetConsolePath"),
            Field("size", "GetSize"), Field("used", "GetVolumeUsage"), derived=free_space)),
    ],
    "hardware": [
        Part("system", "HardwareInfoImpl",
             Field("product", "GetProductName"), Field("vendor", "GetVendorName"),
             Field("serial number", "GetSerialNumber")),
        Part("processors", "HardwareInfoImpl",
             Field("packages", "GetNumCpuPackages"), Field("cores", "GetNumCpuCores"),
             Field("threads", "GetNumCpuThreads"), Field("hyperthreading", "GetHyperthreadingActive"),
             Objects("cpus", "GetCpus", Field("package", "GetCpuPackageId"), Field("vendor", "GetVendorName"),
                     Field("speed", "GetCpuSpeed")),
             path=("GetCpuInfo",)),
        Part("memory", "HardwareInfoImpl",
             Field("physical", "GetPhysicalMemory"), Field("kernel", "GetQorKernelMemory"),
             Field("kernel free", "GetQorKernelFreeMemory"),
             path=("GetMemoryInfo",)),
        Part("numa", "HardwareInfoImpl", Objects(
            "numa", "GetNumaNodes", Field("memory", "GetMemorySize"), Objects("cpus", "GetCpus")),
            path=("GetNumaInfo",)),
        Part("pci devices", "HardwareInfoImpl", Objects(
            "pci devices", "GetAllPciDevices",
            Field("vendor", "GetVendor"), Field("device", "GetDevice"), Field("kernel name", "GetQorKernelDeviceName")),
            path=("GetPciInfo",)),
        Part("boot devices", "HardwareInfoImpl", Objects("boot devices", "GetBootDevices", name="description")),
    ],
    "system": [
        Part("version", "SystemInfoImpl", Field("version", "GetQorVersion", 0, key="QorVersion")),
        Part("services", "SystemInfoImpl", Named("services", "GetServiceAgent", SERVICES,
                                                 Field("running", "IsRunning"))),
        Part("firewall", "SystemInfoImpl",
             Field("enabled", "IsFirewallEnabled"), Field("default action allows", "GetFirewallDefaultAction"),
             Objects("rulesets", "GetFirewallRulesets", Field("enabled", "IsEnabled"),
                     Field("allowed all", "IsAllowedAll"), Field("required", "IsRequired"), name="GetRulesetId")),
        Part("kernel modules", "SystemInfoImpl", Objects(
            "kernel modules", "GetModules",
            Field("loaded", "IsLoaded"), Field("enabled", "GetEnabled"), Field("version", "GetVersion"))),
        Part("time", "SystemInfoImpl", Field("date", "GetDateTime"), Field("formatted", "GetFormattedDateTime")),
    ],
}


# ---- the walk -----------------------------------------------------------------------

def is_holder(value):
    """An owning-pointer holder (`PnicPtr`): what it holds is `get()`."""
    cls = type(value)
    return hasattr(cls, "get") and hasattr(cls, "release") and hasattr(cls, "reset")


class Target:
    """A library object met on the walk, and the model node it stands for."""

    def __init__(self, proxy, kind, name):
        self.proxy, self.kind, self.name = proxy, kind, name


def kind_of(proxy):
    """The model kind of a library object: its interface's name."""
    name = type(proxy).__name__
    return name[:-len("Impl")] if name.endswith("Impl") else name


class Walk:
    def __init__(self, progress=None, names=None):
        self.capture = Capture()
        self.failures = 0
        self.names = names or {}            # part label -> names to look up (services)
        self.roots = {}
        self.progress = progress or (lambda: None)

    def area(self, name, on_part=None):
        """The parts of one area, by label."""
        values = {}
        for part in AREAS[name]:
            if on_part:
                on_part(name, part.label)
            values[part.label] = part.read(self)
        return values

    def root(self, class_name):
        """The object the package constructs for `class_name` (once per
        walk), or the library's failure to construct it."""
        if class_name not in self.roots:
            cls = getattr(qorctl, class_name, None)
            if not isinstance(cls, type):
                raise NotInBuild(class_name)
            try:
                proxy = cls()
            except qorctl.HostCtlException as error:
                self.failures += 1
                self.roots[class_name] = Failed(str(error))
            else:
                self.roots[class_name] = Target(proxy, kind_of(proxy), "")
        return self.roots[class_name]

    def call(self, target, operation, *args):
        """`operation` of the target's object; NotInBuild when its class has none."""
        if not hasattr(type(target.proxy), operation):
            raise NotInBuild("%s.%s" % (type(target.proxy).__name__, operation))
        return getattr(target.proxy, operation)(*args)

    def failed(self, target, operation, error):
        self.failures += 1
        self.capture.fail(target.kind, target.name, operation, str(error))
        return Failed(str(error))

    def read(self, target, operation, args=(), key=None):
        try:
            value = self.call(target, operation, *args)
        except qorctl.HostCtlException as error:
            return self.failed(target, operation, error)
        self.capture.put(target.kind, target.name, key or property_key(operation), value)
        return plain(value)

    def read_all(self, target, content):
        return {part.label: part.read(self, target) for part in content}

    def descend(self, target, operation, naming="GetName"):
        """The one object `operation` hands out (in a holder or lent), named
        by the operation `naming`."""
        try:
            result = self.call(target, operation)
        except qorctl.HostCtlException as error:
            return self.failed(target, operation, error)
        proxy = result.get() if is_holder(result) else result
        target = Target(proxy, kind_of(proxy), self.name_of(proxy, naming))
        if naming != "GetName":  # the name is a property of its own, which a capture keeps
            self.capture.put(target.kind, target.name, property_key(naming), target.name)
        return target

    def member(self, proxy, owner, name):
        """A listed object, recorded as a member of its owner's node."""
        child = Target(proxy, kind_of(proxy), name)
        self.capture.member(child.kind, child.name, owner.kind, owner.name)
        return child

    def name_of(self, proxy, operation="GetName"):
        """The object's name, which names its node; empty when the library
        fails to tell it (the failure is counted and captured)."""
        try:
            return getattr(proxy, operation)()
        except qorctl.HostCtlException as error:
            self.failures += 1
            self.capture.fail(kind_of(proxy), "", operation, str(error))
            return ""

    def record(self, proxy, index, name_field):
        """A record of a list: a node of the record's kind with a property per field."""
        kind, node = type(proxy).__name__, str(index)
        item = {"name": getattr(proxy, name_field) if name_field else node}
        for field in record_fields(proxy):
            value = getattr(proxy, field)
            self.capture.put(kind, node, field, value)
            item[field] = plain(value)
        return item


def plain(value):
    """A value as Python data (what the JSON document holds)."""
    if value is None or isinstance(value, (bool, int, float, str)):
        return value
    if isinstance(value, (tuple, list)):
        return [plain(item) for item in value]
    if is_holder(value):
        return plain(value.get()) if value else None
    for text in ("GetStringAddress", "toStr"):
        if hasattr(value, text):
            return getattr(value, text)()
    if type(value).__name__ == "IpConfig":
        return ip_config_text(value)
    fields = record_fields(value)
    if fields:
        return {field: plain(getattr(value, field)) for field in fields}
    return type(value).__name__


def ip_config_text(config):
    if config.IsUsingDhcp():
        return "dhcp"
    if config.GetIpv4UseNone():
        return "none"
    address = config.GetIpv4Address().GetStringAddress()
    netmask = config.GetIpv4Netmask().GetStringAddress()
    return "%s netmask %s" % (address, netmask)
