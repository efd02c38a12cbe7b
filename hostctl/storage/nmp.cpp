// Hand-written behaviour of the native multipathing plugin over the simulated
// host: array types and their claim rules, path selection policies, and each
// device's policy with the paths it selects.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>

#include "hostctl/storage/filesystems.h"
#include "hostctl/storage/held.h"
#include "hostctl/storage/info.h"
#include "hostctl/storage/multipath_values.h"
#include "hostctl/storage/psa.h"
#include "hostctl/storage/nmp.h"  // after psa.h: its classes derive from those
#include "multipath_model.h"

namespace {

using namespace QorCtl::Storage::Multipath;
using HostCtl::Storage::Nmp::SatpClaimRule;
using QorCtl::Sim::Read;
using QorCtl::Sim::Write;

const char kRuleKind[] = "SatpClaimRule";

// The text members of a claim rule and their properties in a rule's node;
// the first five are what a rule matches devices by, and with the two option
// members after them they tell one rule from another.
struct RuleText {
    const char *key;
    std::string (SatpClaimRule::*get)() const;
    void (SatpClaimRule::*set)(const std::string &);
};
const RuleText kRuleTexts[] = {
    {"DeviceUid", &SatpClaimRule::GetDeviceUid, &SatpClaimRule::SetDeviceUid},
    {"Vendor", &SatpClaimRule::GetVendor, &SatpClaimRule::SetVendor},
    {"Model", &SatpClaimRule::GetModel, &SatpClaimRule::SetModel},
    {"Driver", &SatpClaimRule::GetDriver, &SatpClaimRule::SetDriver},
    {"Transport", &SatpClaimRule::GetTransport, &SatpClaimRule::SetTransport},
    {"Options", &SatpClaimRule::GetOptions, &SatpClaimRule::SetOptions},
    {"ClaimOptions", &SatpClaimRule::GetClaimOptions, &SatpClaimRule::SetClaimOptions},
    {"Psp", &SatpClaimRule::GetPsp, &SatpClaimRule::SetPsp},
    {"PspOptions", &SatpClaimRule::GetPspOptions, &SatpClaimRule::SetPspOptions},
    {"Description", &SatpClaimRule::GetDescription, &SatpClaimRule::SetDescription},
    {"RuleGroup", &SatpClaimRule::GetRuleGroup, &SatpClaimRule::SetRuleGroup},
};
const size_t kMatchTexts = 5;
const size_t kIdentityTexts = 7;

SatpClaimRule RuleOf(const Node &node) {
    SatpClaimRule rule;
    for (const auto &text : kRuleTexts) (rule.*text.set)(Read<std::string>(node, text.key));
    rule.SetForce(Read<bool>(node, "Force"));
    return rule;
}

void StoreRule(Node &node, const SatpClaimRule &rule, const std::string &satp) {
    Write(node, "StorageArrayType", satp);
    for (const auto &text : kRuleTexts) Write(node, text.key, (rule.*text.get)());
    Write(node, "Force", rule.GetForce());
}

bool SameRule(const SatpClaimRule &a, const SatpClaimRule &b) {
    return std::all_of(kRuleTexts, kRuleTexts + kIdentityTexts,
                       [&](const RuleText &text) { return (a.*text.get)() == (b.*text.get)(); });
}

std::vector<NodeRef> RulesOf(const std::string &satp) {
    std::vector<NodeRef> rules;
    for (const auto &node : QorCtl::Sim::All(kRuleKind)) {
        if (Read<std::string>(*node, "StorageArrayType") == satp) rules.push_back(node);
    }
    return rules;
}

NodeRef FindRule(const std::string &satp, const SatpClaimRule &rule) {
    for (const auto &node : RulesOf(satp)) {
        if (SameRule(RuleOf(*node), rule)) return node;
    }
    return nullptr;
}

// Rules are numbered in the order they were added.
std::string NextRuleName() {
    long last = 0;
    for (const auto &node : QorCtl::Sim::All(kRuleKind)) last = std::max(last, std::atol(node->name.c_str()));
    return std::to_string(last + 1);
}

// ---- round robin settings --------------------------------------------------------------
// PathSwitchPolicy holds RR_SWITCH_TYPE_DEFAULT, _BYTES, _IOPS or _LATENCY.
const char *const kSwitchTypes[] = {"default", "bytes", "iops", "latency"};
const uint32 kDefaultIops = 1000;
const uint32 kDefaultBytes = 10485760;

void SetSwitchLimit(Node &device, const char *operation, const char *key, uint32 limit, int type) {
    QorCtl::Sim::Enter(device, operation);
    if (limit == 0) Fail(std::string("The path switch limit must be greater than 0"));
    Write(device, key, limit);
    Write(device, "PathSwitchPolicy", type);
}

std::string Policy(const Node &device) { return Read<std::string>(device, "PathSelectionPolicyName"); }

std::string Active(Node &device) {
    NodeRef path = ActivePath(device);
    return path ? path->name : std::string();
}

std::string RoundRobinText(const Node &device) {
    int type = Read<int>(device, "PathSwitchPolicy");
    std::ostringstream text;
    text << "type=" << (type >= 0 && type < 4 ? kSwitchTypes[type] : "unknown")
         << ",iops=" << Read<uint32>(device, "PathSwitchIOsLimit") << ",bytes=" << Read<uint32>(device, "PathSwitchByteLimit")
         << ",useANO=" << (Read<bool>(device, "UseANOPaths") ? 1 : 0);
    return text.str();
}

uint32 PositiveNumber(const std::string &text) {
    char *end = nullptr;
    unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end || text[0] == '-' || value == 0 || value > 0xffffffffUL) throw std::invalid_argument(text);
    return static_cast<uint32>(value);
}

void CheckOwnPath(const Node &device, const std::string &path) {
    if (Read<std::string>(*PathNode(path), "Device") != device.name) {
        Fail("Path '" + path + "' is not a path of device '" + device.name + "'");
    }
}

// A configuration text is "key=value" items separated by commas: "preferred"
// for the fixed policy; "type", "iops", "bytes" and "useANO" for round robin.
// Every item is checked before any is applied.
void ApplyConfiguration(Node &device, const std::string &text) {
    std::map<std::string, std::string> items;
    const std::string policy = Policy(device);
    try {
        std::istringstream in(text);
        for (std::string item; std::getline(in, item, ',');) {
            size_t equals = item.find('=');
            if (equals == std::string::npos) throw std::invalid_argument(item);
            std::string key = item.substr(0, equals), value = item.substr(equals + 1);
            if (policy == "PSP_FIXED" && key == "preferred") {
                CheckOwnPath(device, value);
                items["PreferredPath"] = value;
            } else if (policy == "PSP_RR" && key == "type") {
                auto found = std::find(std::begin(kSwitchTypes), std::end(kSwitchTypes), value);
                if (found == std::end(kSwitchTypes)) throw std::invalid_argument(value);
                items["PathSwitchPolicy"] = std::to_string(found - std::begin(kSwitchTypes));
            } else if (policy == "PSP_RR" && (key == "iops" || key == "bytes")) {
                items[key == "iops" ? "PathSwitchIOsLimit" : "PathSwitchByteLimit"] = std::to_string(PositiveNumber(value));
            } else if (policy == "PSP_RR" && key == "useANO" && (value == "0" || value == "1")) {
                items["UseANOPaths"] = value == "1" ? "true" : "false";
            } else {
                throw std::invalid_argument(item);
            }
        }
    } catch (const std::invalid_argument &) {
        Fail("Invalid configuration '" + text + "' for policy " + policy);
    }
    for (const auto &item : items) device.properties[item.first] = item.second;
}

}  // namespace

namespace QorCtl {
namespace Storage {
namespace Nmp {

// ---- array types and their claim rules ---------------------------------------------------

std::string StorageArrayTypeImpl::GetStorageArrayTypeName() {
    QorCtl::Sim::Enter(*node_, "StorageArrayType.GetStorageArrayTypeName");
    return node_->name;
}

void StorageArrayTypeImpl::SetDefaultPathSelectionPolicyName(const std::string &policy, bool) {
    QorCtl::Sim::Enter(*node_, "StorageArrayType.SetDefaultPathSelectionPolicyName");
    CheckPolicy(policy);
    Write(*node_, "DefaultPathSelectionPolicyName", policy);
}

void StorageArrayTypeImpl::SetDefaultPathSelectionPolicyName(const std::string &policy) {
    SetDefaultPathSelectionPolicyName(policy, false);
}

// The array type's rules, only those of the user group when `userOnly`, and
// only the forced ones when `forcedOnly`.
std::vector<SatpClaimRule> StorageArrayTypeImpl::GetClaimRules(bool userOnly, bool forcedOnly) {
    QorCtl::Sim::Enter(*node_, "StorageArrayType.GetClaimRules");
    std::vector<SatpClaimRule> rules;
    for (const auto &node : RulesOf(node_->name)) {
        SatpClaimRule rule = RuleOf(*node);
        if ((!userOnly || rule.GetRuleGroup() == "user") && (!forcedOnly || rule.GetForce())) rules.push_back(rule);
    }
    return rules;
}

std::vector<SatpClaimRule> StorageArrayTypeImpl::GetClaimRules(bool userOnly) { return GetClaimRules(userOnly, false); }

std::vector<SatpClaimRule> StorageArrayTypeImpl::GetClaimRules() { return GetClaimRules(false, false); }

// A new rule joins the user group unless it names its group.
void StorageArrayTypeImpl::AddClaimRule(SatpClaimRule rule) {
    QorCtl::Sim::Enter(*node_, "StorageArrayType.AddClaimRule");
    bool matches = std::any_of(kRuleTexts, kRuleTexts + kMatchTexts,
                               [&](const RuleText &text) { return !(rule.*text.get)().empty(); });
    if (!matches) Fail("A claim rule must match a device, vendor, model, driver or transport");
    if (!rule.GetPsp().empty()) CheckPolicy(rule.GetPsp());
    if (FindRule(node_->name, rule)) Fail("Duplicate claim rule for " + node_->name);
    if (rule.GetRuleGroup().empty()) rule.SetRuleGroup("user");
    StoreRule(*QorCtl::Sim::FindOrAdd(kRuleKind, NextRuleName()), rule, node_->name);
}

void StorageArrayTypeImpl::DeleteClaimRule(SatpClaimRule rule) {
    QorCtl::Sim::Enter(*node_, "StorageArrayType.DeleteClaimRule");
    NodeRef found = FindRule(node_->name, rule);
    if (!found) Fail("No such claim rule for " + node_->name);
    if (Read<std::string>(*found, "RuleGroup") == "system") Fail("A system claim rule cannot be deleted");
    QorCtl::Sim::Remove(kRuleKind, found->name);
}

void StorageArrayTypeImpl::DeleteNonForceClaimRules() {
    QorCtl::Sim::Enter(*node_, "StorageArrayType.DeleteNonForceClaimRules");
    for (const auto &node : RulesOf(node_->name)) {
        if (Read<std::string>(*node, "RuleGroup") == "user" && !Read<bool>(*node, "Force")) {
            QorCtl::Sim::Remove(kRuleKind, node->name);
        }
    }
}

bool StorageArrayTypeImpl::IsValidSatp(const std::string &name) {
    return QorCtl::Sim::Find("StorageArrayType", name) != nullptr;
}

std::unique_ptr<HostCtl::Storage::Nmp::StorageArrayType> NmpPsaPluginImpl::GetStorageArrayTypeByName(
    const std::string &name, bool) {
    return GetStorageArrayTypeByName(name);
}

// ---- path selection policies --------------------------------------------------------------

std::string PathSelectionPolicyImpl::GetPolicyName() {
    QorCtl::Sim::Enter(*node_, "PathSelectionPolicy.GetPolicyName");
    return node_->name;
}

bool PathSelectionPolicyImpl::IsValidPsp(const std::string &name) {
    return QorCtl::Sim::Find("PathSelectionPolicy", name) != nullptr;
}

// ---- a device's policy configuration -------------------------------------------------------
// Every configuration reads the device's node; what it shows follows the
// policy the device uses.

PathSelectionPolicyDeviceConfigImpl::PathSelectionPolicyDeviceConfigImpl(const std::string &device,
                                                                         const std::string &)
    : PathSelectionPolicyDeviceConfigImpl(QorCtl::Sim::Open(kDeviceKind, device)) {}

std::unique_ptr<HostCtl::Storage::Nmp::PathSelectionPolicyDeviceConfig> PathSelectionPolicyDeviceConfigImpl::GetPolicy(
    const std::string &device, const std::string &policy) {
    CheckPolicy(policy);
    NodeRef node = DeviceNode(device);
    HostCtl::Storage::Nmp::PathSelectionPolicyDeviceConfig *config;
    if (policy == "PSP_FIXED") {
        config = new FixedPathSelectionPolicyDeviceConfigImpl(node);
    } else if (policy == "PSP_MRU") {
        config = new MruPathSelectionPolicyDeviceConfigImpl(node);
    } else if (policy == "PSP_RR") {
        config = new RoundRobinPathSelectionPolicyDeviceConfigImpl(node);
    } else {
        config = new PathSelectionPolicyDeviceConfigImpl(node);
    }
    return std::unique_ptr<HostCtl::Storage::Nmp::PathSelectionPolicyDeviceConfig>(config);
}

std::string PathSelectionPolicyDeviceConfigImpl::GetPolicyName() {
    QorCtl::Sim::Enter(*node_, "PathSelectionPolicyDeviceConfig.GetPolicyName");
    return Policy(*node_);
}

std::string PathSelectionPolicyDeviceConfigImpl::GetDeviceName() {
    QorCtl::Sim::Enter(*node_, "PathSelectionPolicyDeviceConfig.GetDeviceName");
    return node_->name;
}

std::string PathSelectionPolicyDeviceConfigImpl::GetConfigurationString() {
    QorCtl::Sim::Enter(*node_, "PathSelectionPolicyDeviceConfig.GetConfigurationString");
    const std::string policy = Policy(*node_);
    if (policy == "PSP_FIXED") return "preferred=" + Read<std::string>(*node_, "PreferredPath") + ",current=" + Active(*node_);
    if (policy == "PSP_MRU") return "current=" + Active(*node_);
    if (policy == "PSP_RR") return RoundRobinText(*node_);
    return std::string();
}

void PathSelectionPolicyDeviceConfigImpl::SetConfigurationString(const std::string &text) {
    QorCtl::Sim::Enter(*node_, "PathSelectionPolicyDeviceConfig.SetConfigurationString");
    ApplyConfiguration(*node_, text);
}

FixedPathSelectionPolicyDeviceConfigImpl::FixedPathSelectionPolicyDeviceConfigImpl(const std::string &device)
    : FixedPathSelectionPolicyDeviceConfigImpl(QorCtl::Sim::Open(kDeviceKind, device)) {}

std::string FixedPathSelectionPolicyDeviceConfigImpl::GetPreferredPathUid() {
    QorCtl::Sim::Enter(*node_, "FixedPathSelectionPolicyDeviceConfig.GetPreferredPathUid");
    NodeRef path = QorCtl::Sim::Find(kPathKind, Read<std::string>(*node_, "PreferredPath"));
    return path ? Read<std::string>(*path, "ScsiPathUid") : std::string();
}

std::string FixedPathSelectionPolicyDeviceConfigImpl::GetPreferredPathRuntimeName() {
    QorCtl::Sim::Enter(*node_, "FixedPathSelectionPolicyDeviceConfig.GetPreferredPathRuntimeName");
    return Read<std::string>(*node_, "PreferredPath");
}

std::string FixedPathSelectionPolicyDeviceConfigImpl::GetPreferredPathConfiguredName() {
    QorCtl::Sim::Enter(*node_, "FixedPathSelectionPolicyDeviceConfig.GetPreferredPathConfiguredName");
    return Read<std::string>(*node_, "PreferredPath");
}

std::unique_ptr<HostCtl::Storage::ScsiPath> FixedPathSelectionPolicyDeviceConfigImpl::GetPreferredPath() {
    QorCtl::Sim::Enter(*node_, "FixedPathSelectionPolicyDeviceConfig.GetPreferredPath");
    return HeldPath(Read<std::string>(*node_, "PreferredPath"));
}

void FixedPathSelectionPolicyDeviceConfigImpl::SetPreferredPath(HostCtl::Storage::ScsiPath *path) {
    if (!path) Fail("No path given for the preferred path of " + node_->name);
    SetPreferredPath(path->GetName());
}

void FixedPathSelectionPolicyDeviceConfigImpl::SetPreferredPath(const std::string &path) {
    QorCtl::Sim::Enter(*node_, "FixedPathSelectionPolicyDeviceConfig.SetPreferredPath");
    CheckOwnPath(*node_, path);
    Write(*node_, "PreferredPath", path);
}

std::string FixedPathSelectionPolicyDeviceConfigImpl::GetActivePathUid() {
    QorCtl::Sim::Enter(*node_, "FixedPathSelectionPolicyDeviceConfig.GetActivePathUid");
    NodeRef path = ActivePath(*node_);
    return path ? Read<std::string>(*path, "ScsiPathUid") : std::string();
}

std::string FixedPathSelectionPolicyDeviceConfigImpl::GetActivePathRuntimeName() {
    QorCtl::Sim::Enter(*node_, "FixedPathSelectionPolicyDeviceConfig.GetActivePathRuntimeName");
    return Active(*node_);
}

std::unique_ptr<HostCtl::Storage::ScsiPath> FixedPathSelectionPolicyDeviceConfigImpl::GetActivePath() {
    QorCtl::Sim::Enter(*node_, "FixedPathSelectionPolicyDeviceConfig.GetActivePath");
    return HeldPath(Active(*node_));
}

void FixedPathSelectionPolicyDeviceConfigImpl::ClearPreferredPath() {
    QorCtl::Sim::Enter(*node_, "FixedPathSelectionPolicyDeviceConfig.ClearPreferredPath");
    node_->properties.erase("PreferredPath");
}

MruPathSelectionPolicyDeviceConfigImpl::MruPathSelectionPolicyDeviceConfigImpl(const std::string &device)
    : MruPathSelectionPolicyDeviceConfigImpl(QorCtl::Sim::Open(kDeviceKind, device)) {}

RoundRobinPathSelectionPolicyDeviceConfigImpl::RoundRobinPathSelectionPolicyDeviceConfigImpl(const std::string &device)
    : RoundRobinPathSelectionPolicyDeviceConfigImpl(QorCtl::Sim::Open(kDeviceKind, device)) {}

void RoundRobinPathSelectionPolicyDeviceConfigImpl::SetPathSwitchByteLimit(uint32 limit) {
    SetSwitchLimit(*node_, "RoundRobinPathSelectionPolicyDeviceConfig.SetPathSwitchByteLimit", "PathSwitchByteLimit",
                   limit, 1);
}

void RoundRobinPathSelectionPolicyDeviceConfigImpl::SetPathSwitchIOsLimit(uint32 limit) {
    SetSwitchLimit(*node_, "RoundRobinPathSelectionPolicyDeviceConfig.SetPathSwitchIOsLimit", "PathSwitchIOsLimit",
                   limit, 2);
}

void RoundRobinPathSelectionPolicyDeviceConfigImpl::SetDefaultValues() {
    QorCtl::Sim::Enter(*node_, "RoundRobinPathSelectionPolicyDeviceConfig.SetDefaultValues");
    Write(*node_, "PathSwitchPolicy", 0);
    Write(*node_, "PathSwitchIOsLimit", kDefaultIops);
    Write(*node_, "PathSwitchByteLimit", kDefaultBytes);
    Write(*node_, "UseANOPaths", false);
}

void RoundRobinPathSelectionPolicyDeviceConfigImpl::SetPathSwitchLatencyBasedPolicy() {
    QorCtl::Sim::Enter(*node_, "RoundRobinPathSelectionPolicyDeviceConfig.SetPathSwitchLatencyBasedPolicy");
    Write(*node_, "PathSwitchPolicy", 3);
}

unsigned int RoundRobinPathSelectionPolicyDeviceConfigImpl::GetPathLatencyInterval() {
    QorCtl::Sim::Enter(*node_, "RoundRobinPathSelectionPolicyDeviceConfig.GetPathLatencyInterval");
    return Read<unsigned int>(*node_, "PathLatencyEvalTime");
}

// ---- the native plugin's view of a device ---------------------------------------------------

NmpDeviceConfigImpl::NmpDeviceConfigImpl(const std::string &device)
    : NmpDeviceConfigImpl(QorCtl::Sim::Open(kDeviceKind, device)) {}

std::unique_ptr<HostCtl::Storage::Nmp::StorageArrayType> NmpDeviceConfigImpl::GetStorageArrayType() {
    QorCtl::Sim::Enter(*node_, "NmpDeviceConfig.GetStorageArrayType");
    const std::string name = Read<std::string>(*node_, "StorageArrayType");
    if (name.empty()) return nullptr;
    NodeRef satp = QorCtl::Sim::Find("StorageArrayType", name);
    if (!satp) QorCtl::Sim::NotFound("StorageArrayType", name);
    return std::unique_ptr<HostCtl::Storage::Nmp::StorageArrayType>(new StorageArrayTypeImpl(satp));
}

std::string NmpDeviceConfigImpl::GetStorageArrayTypeString() {
    QorCtl::Sim::Enter(*node_, "NmpDeviceConfig.GetStorageArrayTypeString");
    return Read<std::string>(*node_, "StorageArrayType");
}

std::unique_ptr<HostCtl::Storage::Nmp::PathSelectionPolicy> NmpDeviceConfigImpl::GetPathSelectionPolicy() {
    QorCtl::Sim::Enter(*node_, "NmpDeviceConfig.GetPathSelectionPolicy");
    const std::string name = Policy(*node_);
    if (name.empty()) return nullptr;
    NodeRef policy = QorCtl::Sim::Find("PathSelectionPolicy", name);
    if (!policy) QorCtl::Sim::NotFound("PathSelectionPolicy", name);
    return std::unique_ptr<HostCtl::Storage::Nmp::PathSelectionPolicy>(new PathSelectionPolicyImpl(policy));
}

// A new policy starts afresh: the most recently used path is forgotten.
void NmpDeviceConfigImpl::SetPathSelectionPolicy(const std::string &policy) {
    QorCtl::Sim::Enter(*node_, "NmpDeviceConfig.SetPathSelectionPolicy");
    CheckPolicy(policy);
    Write(*node_, "PathSelectionPolicyName", policy);
    node_->properties.erase("MruPath");
}

std::unique_ptr<HostCtl::Storage::Nmp::PathSelectionPolicyDeviceConfig>
NmpDeviceConfigImpl::GetPathSelectionPolicyDeviceConfig() {
    QorCtl::Sim::Enter(*node_, "NmpDeviceConfig.GetPathSelectionPolicyDeviceConfig");
    return PathSelectionPolicyDeviceConfigImpl::GetPolicy(node_->name, Policy(*node_));
}

std::vector<std::unique_ptr<HostCtl::Storage::ScsiPath>> NmpDeviceConfigImpl::GetWorkingPathSet() {
    QorCtl::Sim::Enter(*node_, "NmpDeviceConfig.GetWorkingPathSet");
    std::vector<std::unique_ptr<HostCtl::Storage::ScsiPath>> paths;
    for (const auto &path : WorkingPaths(*node_)) {
        if (auto held = HeldPath(path->name)) paths.push_back(std::move(held));
    }
    return paths;
}

std::vector<std::string> NmpDeviceConfigImpl::GetWorkingPathSetUids() {
    QorCtl::Sim::Enter(*node_, "NmpDeviceConfig.GetWorkingPathSetUids");
    Texts uids;
    for (const auto &path : WorkingPaths(*node_)) uids.push_back(Read<std::string>(*path, "ScsiPathUid"));
    return uids;
}

std::vector<std::string> NmpDeviceConfigImpl::GetWorkingPathSetRuntimeNames() {
    QorCtl::Sim::Enter(*node_, "NmpDeviceConfig.GetWorkingPathSetRuntimeNames");
    return NamesOf(WorkingPaths(*node_));
}

void NmpDeviceConfigImpl::ResetPathSelectionPolicy() {
    QorCtl::Sim::Enter(*node_, "NmpDeviceConfig.ResetPathSelectionPolicy");
    NodeRef satp = QorCtl::Sim::Find("StorageArrayType", Read<std::string>(*node_, "StorageArrayType"));
    if (!satp) Fail("Device " + node_->name + " has no array type to take a default policy from");
    Write(*node_, "PathSelectionPolicyName", Read<std::string>(*satp, "DefaultPathSelectionPolicyName"));
    node_->properties.erase("MruPath");
}

}  // namespace Nmp
}  // namespace Storage
}  // namespace QorCtl
