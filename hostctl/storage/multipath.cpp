// Hand-written behaviour of the pluggable storage architecture over the
// simulated host: which plugin claims which paths, the claim rules of the
// plugins, the plugins' options, and the per-device and per-path
// configurations that the multipathing plugins keep.
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "hostctl/storage/filesystems.h"
#include "hostctl/storage/held.h"
#include "hostctl/storage/info.h"
#include "hostctl/storage/luns.h"
#include "hostctl/storage/multipath_values.h"
#include "hostctl/storage/psa.h"
#include "hostctl/storage/nmp.h"  // after psa.h: its classes derive from those
#include "multipath_model.h"

namespace QorCtl {
namespace Storage {
namespace Multipath {

const char kDeviceKind[] = "PsaDeviceConfig";
const char kPathKind[] = "PsaScsiPathConfig";

void Fail(const std::string &message) { throw HostCtl::Lib::HostCtlException(message); }

NodeRef DeviceNode(const std::string &device) {
    NodeRef node = QorCtl::Sim::Find(kDeviceKind, device);
    if (!node) QorCtl::Sim::NotFound("Device", device);
    return node;
}

NodeRef PathNode(const std::string &path) {
    NodeRef node = QorCtl::Sim::Find(kPathKind, path);
    if (!node) QorCtl::Sim::NotFound("Path", path);
    return node;
}

std::vector<NodeRef> PathsOf(const Node &device) {
    std::vector<NodeRef> paths;
    for (const auto &path : QorCtl::Sim::All(kPathKind)) {
        if (QorCtl::Sim::Read<std::string>(*path, "Device") == device.name) paths.push_back(path);
    }
    return paths;
}

bool IsClaimed(const Node &path) { return !QorCtl::Sim::Read<bool>(path, "Unclaimed"); }

namespace {

std::vector<NodeRef> ClaimedIn(const Node &device, const char *state) {
    std::vector<NodeRef> found;
    for (const auto &path : PathsOf(device)) {
        if (IsClaimed(*path) && QorCtl::Sim::Read<std::string>(*path, "State") == state) found.push_back(path);
    }
    return found;
}

// The claimed active paths, or the claimed standby paths when none is active.
std::vector<NodeRef> Candidates(const Node &device) {
    std::vector<NodeRef> active = ClaimedIn(device, "active");
    return active.empty() ? ClaimedIn(device, "standby") : active;
}

NodeRef Named(const std::vector<NodeRef> &nodes, const std::string &name) {
    for (const auto &node : nodes) {
        if (node->name == name) return node;
    }
    return nullptr;
}

std::string PolicyOf(const Node &device) { return QorCtl::Sim::Read<std::string>(device, "PathSelectionPolicyName"); }

}  // namespace

NodeRef ActivePath(Node &device) {
    std::vector<NodeRef> candidates = Candidates(device);
    const std::string policy = PolicyOf(device);
    const char *kept = policy == "PSP_FIXED" ? "PreferredPath" : policy == "PSP_MRU" ? "MruPath" : nullptr;
    if (kept) {
        if (NodeRef chosen = Named(candidates, QorCtl::Sim::Read<std::string>(device, kept))) return chosen;
    }
    if (candidates.empty()) return nullptr;
    if (policy == "PSP_MRU") QorCtl::Sim::Write(device, "MruPath", candidates.front()->name);
    return candidates.front();
}

std::vector<NodeRef> WorkingPaths(Node &device) {
    if (PolicyOf(device) != "PSP_RR") {
        NodeRef active = ActivePath(device);
        return active ? std::vector<NodeRef>{active} : std::vector<NodeRef>();
    }
    std::vector<NodeRef> working = ClaimedIn(device, "active");
    if (working.empty() || QorCtl::Sim::Read<bool>(device, "UseANOPaths")) {
        for (const auto &path : ClaimedIn(device, "standby")) working.push_back(path);
    }
    return working;
}

Texts NamesOf(const std::vector<NodeRef> &nodes) {
    Texts names;
    for (const auto &node : nodes) names.push_back(node->name);
    return names;
}

void CheckPolicy(const std::string &policy) {
    if (!QorCtl::Sim::Find("PathSelectionPolicy", policy)) Fail("Invalid path selection policy '" + policy + "'");
}

// The storage information object makes the objects of the other storage areas.
std::unique_ptr<HostCtl::Storage::ScsiPath> HeldPath(const std::string &name) {
    if (!QorCtl::Sim::Lookup("ScsiPath", name)) return nullptr;
    return StorageInfoImpl(QorCtl::Sim::Open("StorageInfo", "")).GetPathByName(name);
}

std::unique_ptr<HostCtl::Storage::Lun> HeldDevice(const std::string &name) {
    if (!QorCtl::Sim::Lookup("Lun", name)) return nullptr;
    return StorageInfoImpl(QorCtl::Sim::Open("StorageInfo", "")).GetDeviceByName(name);
}

}  // namespace Multipath
}  // namespace Storage
}  // namespace QorCtl

namespace {

using namespace QorCtl::Storage::Multipath;
using HostCtl::Storage::PSAClaimRuleClass;
using QorCtl::Sim::Read;
using QorCtl::Sim::Write;

const char *const kRuleClasses[] = {"MP", "Filter", "VAAI"};

// A claim-rule class by its name, in any case.
PSAClaimRuleClass RuleClass(const std::string &text) {
    for (const char *name : kRuleClasses) {
        if (text.size() == std::string(name).size() &&
            std::equal(text.begin(), text.end(), name, [](char a, char b) { return tolower(a) == tolower(b); })) {
            return PSAClaimRuleClass{name};
        }
    }
    Fail("Invalid claim rule class '" + text + "'");
}

// Paths are addressed as <adapter>:C<channel>:T<target>:L<lun>; an address
// names an adapter and then narrows by channel, target and LUN.
struct PathAddress {
    std::string adapter;
    std::vector<uint32> numbers;  // channel, target, LUN: as many as given
};

bool Matches(const std::string &path, const PathAddress &address) {
    unsigned channel = 0, target = 0, lun = 0;
    char adapter[64] = {};
    if (std::sscanf(path.c_str(), "%63[^:]:C%u:T%u:L%u", adapter, &channel, &target, &lun) != 4) return false;
    if (!address.adapter.empty() && address.adapter != adapter) return false;
    const unsigned parts[] = {channel, target, lun};
    for (size_t i = 0; i < address.numbers.size(); ++i) {
        if (address.numbers[i] != parts[i]) return false;
    }
    return true;
}

// Claims or unclaims every path that `wanted` selects; returns how many changed.
template <class Wanted>
int SetClaimed(bool claimed, Wanted wanted) {
    int changed = 0;
    for (const auto &path : QorCtl::Sim::All(kPathKind)) {
        if (!wanted(*path) || IsClaimed(*path) == claimed) continue;
        if (claimed) {
            path->properties.erase("Unclaimed");
        } else {
            Write(*path, "Unclaimed", true);
        }
        ++changed;
    }
    return changed;
}

void ClaimAddressed(QorCtl::Sim::Node &info, const char *operation, bool claimed, const PathAddress &address) {
    QorCtl::Sim::Enter(info, operation);
    QorCtl::Sim::Record(info, operation);
    SetClaimed(claimed, [&](const Node &path) { return Matches(path.name, address); });
}

// Plugin objects the library lends: made once per plugin node and kept for
// the life of the process, so a lent pointer never dangles (a reloaded model
// gets new objects).
QorCtl::Storage::PsaPluginImpl *LentPlugin(const std::string &name) {
    static std::vector<std::pair<NodeRef, std::unique_ptr<QorCtl::Storage::PsaPluginImpl>>> lent;
    NodeRef node = QorCtl::Sim::Find("PsaPlugin", name);
    if (!node) return nullptr;
    for (const auto &entry : lent) {
        if (entry.first == node) return entry.second.get();
    }
    QorCtl::Storage::PsaPluginImpl *made;
    if (name == "NMP") {
        made = new QorCtl::Storage::Nmp::NmpPsaPluginImpl(node);
    } else if (Read<std::string>(*node, "Class") == "MP") {
        made = new QorCtl::Storage::PsaMultipathPluginImpl(node);
    } else {
        made = new QorCtl::Storage::PsaPluginImpl(node);
    }
    lent.emplace_back(node, std::unique_ptr<QorCtl::Storage::PsaPluginImpl>(made));
    return made;
}

HostCtl::Storage::PsaMultipathPlugin *LentMultipathPlugin(const std::string &name) {
    return dynamic_cast<HostCtl::Storage::PsaMultipathPlugin *>(LentPlugin(name));
}

NodeRef PluginNode(const std::string &name) {
    NodeRef node = QorCtl::Sim::Find("PsaPlugin", name);
    if (!node) QorCtl::Sim::NotFound("Plugin", name);
    return node;
}

// The devices of a plugin that keep at least one claimed path.
Texts ClaimedDevices(const Node &plugin) {
    Texts names;
    for (const auto &device : QorCtl::Sim::All(kDeviceKind)) {
        const auto paths = PathsOf(*device);
        bool claimed = std::any_of(paths.begin(), paths.end(), [](const NodeRef &path) { return IsClaimed(*path); });
        if (claimed && Read<std::string>(*device, "PsaMultipathPluginName") == plugin.name) names.push_back(device->name);
    }
    return names;
}

// Options are the properties "<prefix><branch>.<option>".
Texts OptionKeys(const Node &node, const std::string &prefix) {
    Texts keys;
    for (const auto &property : node.properties) {
        if (property.first.compare(0, prefix.size(), prefix) == 0) keys.push_back(property.first.substr(prefix.size()));
    }
    return keys;
}

std::string OptionKey(const Node &node, const std::string &key, const std::string &what) {
    if (!node.properties.count(key)) Fail("Unknown " + what + " '" + key.substr(key.find('.') + 1) + "'");
    return key;
}

}  // namespace

// ---- the storage information object ---------------------------------------------------
namespace QorCtl {
namespace Storage {

bool StorageInfoImpl::IsValidPsaPluginName(const std::string &name) {
    QorCtl::Sim::Enter(*node_, "StorageInfo.IsValidPsaPluginName");
    return QorCtl::Sim::Find("PsaPlugin", name) != nullptr;
}

std::vector<std::string> StorageInfoImpl::GetPsaPluginNames() {
    QorCtl::Sim::Enter(*node_, "StorageInfo.GetPsaPluginNames");
    return NamesOf(QorCtl::Sim::All("PsaPlugin"));
}

// The disk units of the names given (a name the host has no unit of adds nothing).
std::vector<HostCtl::Storage::DiskLunPtr> StorageInfoImpl::GetDiskLuns(const std::set<std::string> &names) {
    QorCtl::Sim::Enter(*node_, "StorageInfo.GetDiskLuns");
    std::vector<HostCtl::Storage::DiskLunPtr> found;
    for (const auto &unit : QorCtl::Sim::Members("DiskLun", *node_)) {
        if (names.count(unit->name)) found.emplace_back(new DiskLunImpl(unit));
    }
    return found;
}

std::vector<std::string> StorageInfoImpl::GetScsiAdaptersForDevice(const std::string &device) {
    QorCtl::Sim::Enter(*node_, "StorageInfo.GetScsiAdaptersForDevice");
    Texts adapters;
    for (const auto &path : PathsOf(*DeviceNode(device))) {
        std::string adapter = path->name.substr(0, path->name.find(':'));
        if (std::find(adapters.begin(), adapters.end(), adapter) == adapters.end()) adapters.push_back(adapter);
    }
    return adapters;
}

HostCtl::Storage::PSAClaimRuleClass StorageInfoImpl::GetClaimRuleClass(const std::string &name) {
    QorCtl::Sim::Enter(*node_, "StorageInfo.GetClaimRuleClass");
    return RuleClass(name);
}

void StorageInfoImpl::RemovePsaClaimRule(uint32 rule, HostCtl::Storage::PSAClaimRuleClass ruleClass) {
    QorCtl::Sim::Enter(*node_, "StorageInfo.RemovePsaClaimRule");
    const std::string name = RuleClass(ruleClass.name).name + ":" + std::to_string(rule);
    if (!QorCtl::Sim::Find("PsaClaimRule", name)) {
        Fail("Claim rule " + std::to_string(rule) + " of class " + ruleClass.name + " not found");
    }
    QorCtl::Sim::Remove("PsaClaimRule", name);
}

void StorageInfoImpl::UnclaimPaths(const std::string &adapter, uint32 channel, uint32 target, uint32 lun) {
    ClaimAddressed(*node_, "StorageInfo.UnclaimPaths", false, PathAddress{adapter, {channel, target, lun}});
}
void StorageInfoImpl::UnclaimPaths(const std::string &adapter, uint32 channel, uint32 target) {
    ClaimAddressed(*node_, "StorageInfo.UnclaimPaths", false, PathAddress{adapter, {channel, target}});
}
void StorageInfoImpl::UnclaimPaths(const std::string &adapter, uint32 channel) {
    ClaimAddressed(*node_, "StorageInfo.UnclaimPaths", false, PathAddress{adapter, {channel}});
}
void StorageInfoImpl::UnclaimPaths(const std::string &adapter) {
    ClaimAddressed(*node_, "StorageInfo.UnclaimPaths", false, PathAddress{adapter, {}});
}
void StorageInfoImpl::UnclaimPaths() {
    ClaimAddressed(*node_, "StorageInfo.UnclaimPaths", false, PathAddress{});
}

void StorageInfoImpl::ClaimPaths(const std::string &adapter, uint32 channel, uint32 target, uint32 lun) {
    ClaimAddressed(*node_, "StorageInfo.ClaimPaths", true, PathAddress{adapter, {channel, target, lun}});
}
void StorageInfoImpl::ClaimPaths(const std::string &adapter, uint32 channel, uint32 target) {
    ClaimAddressed(*node_, "StorageInfo.ClaimPaths", true, PathAddress{adapter, {channel, target}});
}
void StorageInfoImpl::ClaimPaths(const std::string &adapter, uint32 channel) {
    ClaimAddressed(*node_, "StorageInfo.ClaimPaths", true, PathAddress{adapter, {channel}});
}
void StorageInfoImpl::ClaimPaths(const std::string &adapter) {
    ClaimAddressed(*node_, "StorageInfo.ClaimPaths", true, PathAddress{adapter, {}});
}
void StorageInfoImpl::ClaimPaths() { ClaimAddressed(*node_, "StorageInfo.ClaimPaths", true, PathAddress{}); }

void StorageInfoImpl::UnclaimPathsByPlugin(const std::string &plugin) {
    QorCtl::Sim::Enter(*node_, "StorageInfo.UnclaimPathsByPlugin");
    PluginNode(plugin);
    SetClaimed(false, [&](const Node &path) { return Read<std::string>(path, "PsaMultipathPluginName") == plugin; });
}

void StorageInfoImpl::UnclaimPathsByDevice(const std::string &device) {
    QorCtl::Sim::Enter(*node_, "StorageInfo.UnclaimPathsByDevice");
    DeviceNode(device);
    SetClaimed(false, [&](const Node &path) { return Read<std::string>(path, "Device") == device; });
}

// Whether the device's state is refreshed first makes no difference to the model.
std::unique_ptr<HostCtl::Storage::Lun> StorageInfoImpl::GetDeviceByName(const std::string &name, bool) {
    return GetDeviceByName(name);
}

// Partitions are named <device>:<number>.
std::unique_ptr<HostCtl::Storage::DiskLunPartition> StorageInfoImpl::GetPartitionByNumber(const std::string &device,
                                                                                          uint16 number) {
    QorCtl::Sim::Enter(*node_, "StorageInfo.GetPartitionByNumber");
    return GetPartitionByName(device + ":" + std::to_string(number));
}

std::unique_ptr<HostCtl::Storage::PsaMultipathPlugin> StorageInfoImpl::GetHppPsaPlugin() {
    QorCtl::Sim::Enter(*node_, "StorageInfo.GetHppPsaPlugin");
    return std::unique_ptr<HostCtl::Storage::PsaMultipathPlugin>(new PsaMultipathPluginImpl(PluginNode("HPP")));
}

std::unique_ptr<HostCtl::Storage::PsaMultipathPlugin> StorageInfoImpl::GetNmpPsaPlugin() {
    QorCtl::Sim::Enter(*node_, "StorageInfo.GetNmpPsaPlugin");
    return std::unique_ptr<HostCtl::Storage::PsaMultipathPlugin>(new Nmp::NmpPsaPluginImpl(PluginNode("NMP")));
}

std::string StorageInfoImpl::GetClaimRuleClassString(HostCtl::Storage::PSAClaimRuleClass ruleClass) {
    QorCtl::Sim::Enter(*node_, "StorageInfo.GetClaimRuleClassString");
    return RuleClass(ruleClass.name).name;
}

bool StorageInfoImpl::IsValidPsaClaimRuleClass(const std::string &name) {
    QorCtl::Sim::Enter(*node_, "StorageInfo.IsValidPsaClaimRuleClass");
    return std::any_of(std::begin(kRuleClasses), std::end(kRuleClasses),
                       [&](const char *known) { return name == known; });
}

std::vector<std::string> StorageInfoImpl::GetPsaClaimRuleClasses() {
    QorCtl::Sim::Enter(*node_, "StorageInfo.GetPsaClaimRuleClasses");
    return Texts(std::begin(kRuleClasses), std::end(kRuleClasses));
}

// ---- plugins -------------------------------------------------------------------------------

std::string PsaPluginImpl::GetIdentifier() {
    QorCtl::Sim::Enter(*node_, "PsaPlugin.GetIdentifier");
    return node_->name;
}

void PsaPluginImpl::UnclaimAll() {
    QorCtl::Sim::Enter(*node_, "PsaPlugin.UnclaimAll");
    QorCtl::Sim::Record(*node_, "PsaPlugin.UnclaimAll");
    SetClaimed(false, [&](const Node &path) { return Read<std::string>(path, "PsaMultipathPluginName") == node_->name; });
}

std::vector<std::string> PsaPluginImpl::GetConfigBranches() {
    QorCtl::Sim::Enter(*node_, "PsaPlugin.GetConfigBranches");
    Texts branches;
    for (const auto &key : OptionKeys(*node_, "Config.")) {
        std::string branch = key.substr(0, key.find('.'));
        if (std::find(branches.begin(), branches.end(), branch) == branches.end()) branches.push_back(branch);
    }
    return branches;
}

std::vector<std::string> PsaPluginImpl::GetConfigOptionsForBranch(const std::string &branch) {
    QorCtl::Sim::Enter(*node_, "PsaPlugin.GetConfigOptionsForBranch");
    Texts options = OptionKeys(*node_, "Config." + branch + ".");
    if (options.empty()) Fail("Unknown configuration branch '" + branch + "'");
    return options;
}

std::string PsaPluginImpl::GetConfigOption(const std::string &branch, const std::string &option) {
    QorCtl::Sim::Enter(*node_, "PsaPlugin.GetConfigOption");
    return node_->properties.at(OptionKey(*node_, "Config." + branch + "." + option, "option"));
}

void PsaPluginImpl::SetConfigOption(const std::string &branch, const std::string &option, const std::string &value) {
    QorCtl::Sim::Enter(*node_, "PsaPlugin.SetConfigOption");
    node_->properties[OptionKey(*node_, "Config." + branch + "." + option, "option")] = value;
}

HostCtl::Storage::PSAClaimRuleClass PsaPluginImpl::GetPluginClass() {
    QorCtl::Sim::Enter(*node_, "PsaPlugin.GetPluginClass");
    return PSAClaimRuleClass{Read<std::string>(*node_, "Class")};
}

PsaPluginImpl *PsaPluginImpl::GetPlugin(const std::string &name) { return LentPlugin(name); }

bool PsaPluginImpl::IsValidPluginName(const std::string &name) { return QorCtl::Sim::Find("PsaPlugin", name) != nullptr; }

// A multipathing plugin owns the paths it claims and the devices they lead to.
std::vector<std::unique_ptr<HostCtl::Storage::ScsiPath>> PsaMultipathPluginImpl::GetPaths() {
    QorCtl::Sim::Enter(*node_, "PsaMultipathPlugin.GetPaths");
    std::vector<std::unique_ptr<HostCtl::Storage::ScsiPath>> paths;
    for (const auto &path : QorCtl::Sim::All(kPathKind)) {
        if (!IsClaimed(*path) || Read<std::string>(*path, "PsaMultipathPluginName") != node_->name) continue;
        if (auto held = HeldPath(path->name)) paths.push_back(std::move(held));
    }
    return paths;
}

std::vector<std::string> PsaMultipathPluginImpl::GetDeviceNames() {
    QorCtl::Sim::Enter(*node_, "PsaMultipathPlugin.GetDeviceNames");
    return ClaimedDevices(*node_);
}

std::vector<std::unique_ptr<HostCtl::Storage::Lun>> PsaMultipathPluginImpl::GetDevices() {
    QorCtl::Sim::Enter(*node_, "PsaMultipathPlugin.GetDevices");
    std::vector<std::unique_ptr<HostCtl::Storage::Lun>> devices;
    for (const auto &name : ClaimedDevices(*node_)) {
        if (auto held = HeldDevice(name)) devices.push_back(std::move(held));
    }
    return devices;
}

Nmp::NmpPsaPluginImpl::NmpPsaPluginImpl() : NmpPsaPluginImpl(QorCtl::Sim::Open("PsaPlugin", "NMP")) {}

// ---- device and path configurations --------------------------------------------------------

std::string PsaDeviceConfigImpl::GetDeviceName() {
    QorCtl::Sim::Enter(*node_, "PsaDeviceConfig.GetDeviceName");
    return node_->name;
}

std::unique_ptr<HostCtl::Storage::Lun> PsaDeviceConfigImpl::GetDevice() {
    QorCtl::Sim::Enter(*node_, "PsaDeviceConfig.GetDevice");
    return HeldDevice(node_->name);
}

HostCtl::Storage::PsaMultipathPlugin *PsaDeviceConfigImpl::GetPsaMultipathPlugin() {
    QorCtl::Sim::Enter(*node_, "PsaDeviceConfig.GetPsaMultipathPlugin");
    return LentMultipathPlugin(Read<std::string>(*node_, "PsaMultipathPluginName"));
}

std::vector<std::string> PsaDeviceConfigImpl::GetDeviceConfigKeys() {
    QorCtl::Sim::Enter(*node_, "PsaDeviceConfig.GetDeviceConfigKeys");
    return OptionKeys(*node_, "Option.");
}

std::string PsaDeviceConfigImpl::GetDeviceConfigOption(const std::string &key) {
    QorCtl::Sim::Enter(*node_, "PsaDeviceConfig.GetDeviceConfigOption");
    return node_->properties.at(OptionKey(*node_, "Option." + key, "device option"));
}

void PsaDeviceConfigImpl::SetDeviceConfigOption(const std::string &key, const std::string &value) {
    QorCtl::Sim::Enter(*node_, "PsaDeviceConfig.SetDeviceConfigOption");
    node_->properties[OptionKey(*node_, "Option." + key, "device option")] = value;
}

std::string PsaScsiPathConfigImpl::GetScsiPathRuntimeName() {
    QorCtl::Sim::Enter(*node_, "PsaScsiPathConfig.GetScsiPathRuntimeName");
    return node_->name;
}

std::unique_ptr<HostCtl::Storage::ScsiPath> PsaScsiPathConfigImpl::GetScsiPath() {
    QorCtl::Sim::Enter(*node_, "PsaScsiPathConfig.GetScsiPath");
    return HeldPath(node_->name);
}

HostCtl::Storage::PsaMultipathPlugin *PsaScsiPathConfigImpl::GetPsaMultipathPlugin() {
    QorCtl::Sim::Enter(*node_, "PsaScsiPathConfig.GetPsaMultipathPlugin");
    return LentMultipathPlugin(Read<std::string>(*node_, "PsaMultipathPluginName"));
}

Nmp::NmpScsiPathConfigImpl::NmpScsiPathConfigImpl(const std::string &path)
    : NmpScsiPathConfigImpl(QorCtl::Sim::Open(kPathKind, path)) {}

std::string Nmp::NmpScsiPathConfigImpl::GetNmpPathStateString() {
    QorCtl::Sim::Enter(*node_, "NmpScsiPathConfig.GetNmpPathStateString");
    return IsClaimed(*node_) ? Read<std::string>(*node_, "State") : "unclaimed";
}

}  // namespace Storage
}  // namespace QorCtl
