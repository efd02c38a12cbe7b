// Hand-written behaviour of the logical units' stand-in: devices looked up by
// name, what a path leads to, state names, partitions and the table of
// partition types and their GUIDs.
#include <algorithm>
#include <cctype>
#include <map>

#include "storage_nodes.h"  // the adapters, whose interface types the units name
#include "hostctl/storage/luns.h"
#include "hostctl/storage/opaque.h"

namespace QorCtl {
namespace Storage {

using HostCtl::Storage::DiskLunPartition;
using Sim::Node;
using Sim::NodeRef;

namespace {

// Names of the path states, indexed by ScsiPath_PATH_STATE_* (but UNKNOWN).
const char *const kPathStateNames[] = {"active", "off", "dead", "standby", "device changed"};
const int kPathStateCount = 5;
const int kPathStateUnknown = 65535;

// Names of the device states, indexed by Lun_LUN_STATUS_*.
const char *const kLunStatusNames[] = {"on",           "off",    "dead",   "quiesced", "degraded",
                                       "not connected", "dead timeout", "unknown", "online"};
const int kLunStatusCount = 9;
const int kLunStatusUnknown = 7;
const uint64 kSectorSize = 512;

// The device (or path) of that name, a disk standing for a logical unit too,
// or the library's not-found failure. The model is brought up to date first:
// constructors and look-ups by name are entry points.
NodeRef device(const char *kind, const std::string &name) {
    Sim::Sync();
    NodeRef node = Sim::Find(kind, name);
    if (!node) Sim::NotFound(kind, name);
    return node;
}

// The partition object for a node: a diagnostic partition keeps its kind.
std::unique_ptr<DiskLunPartition> make_partition(const NodeRef &node) {
    if (node->kind == "DiagnosticPartition") return std::unique_ptr<DiskLunPartition>(new DiagnosticPartitionImpl(node));
    return std::unique_ptr<DiskLunPartition>(new DiskLunPartitionImpl(node));
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Partition types and their GUIDs, the library's table to begin with;
// AddPartitionTypeGuidPair adds to it. Keyed by the GUID in lower case.
std::map<std::string, uint32> &guid_types() {
    using HostCtl::Storage::DiskLunPartition;
    static std::map<std::string, uint32> table = {
        {lower(DiskLunPartition::PART_GUID_EMPTY), 0},      {lower(DiskLunPartition::PART_GUID_EXTENDED), 5},
        {lower(DiskLunPartition::PART_GUID_VFAT), 6},       {lower(DiskLunPartition::PART_GUID_UFS), 165},
        {lower(DiskLunPartition::PART_GUID_EFI_SYS), 239},  {lower(DiskLunPartition::PART_GUID_LUFSL), 248},
        {lower(DiskLunPartition::PART_GUID_QORKERNEL), 251}, {lower(DiskLunPartition::PART_GUID_QORKERNEL_DUMP), 252},
    };
    return table;
}

}  // namespace

// ---- paths ------------------------------------------------------------------------------

// A look-up by name reaches the library like a constructor does: the model
// is brought up to date first.
HostCtl::Storage::ScsiPathPtr ScsiPathImpl::GetPath(const std::string &name) {
    Sim::Sync();
    Node scope;  // the failure section may name the look-up; no node of the model is made for it
    scope.kind = "ScsiPath";
    Sim::Enter(scope, "ScsiPath.GetPath");
    return HostCtl::Storage::ScsiPathPtr(new ScsiPathImpl(device("ScsiPath", name)));
}

HostCtl::Storage::LunPtr ScsiPathImpl::GetDevice() {
    Sim::Enter(*node_, "ScsiPath.GetDevice");
    NodeRef lun = Sim::Find("DiskLun", Sim::Read<std::string>(*node_, "DiskLun"));
    if (!lun) return nullptr;
    return HostCtl::Storage::LunPtr(new DiskLunImpl(lun));
}

HostCtl::Storage::ScsiInterfacePtr ScsiPathImpl::GetAdapter() {
    Sim::Enter(*node_, "ScsiPath.GetAdapter");
    return MakeAdapter(AdapterNode(Sim::Read<std::string>(*node_, "Adapter")));
}

std::string ScsiPathImpl::GetStateString() {
    Sim::Enter(*node_, "ScsiPath.GetStateString");
    int state = Sim::Read<int>(*node_, "State");
    return state >= 0 && state < kPathStateCount ? kPathStateNames[state] : "unknown";
}

// Only the states a path can be in are taken.
void ScsiPathImpl::SetState(HostCtl::Storage::ScsiPath::PathState state) {
    Sim::Enter(*node_, "ScsiPath.SetState");
    int value = static_cast<int>(state);
    if ((value < 0 || value >= kPathStateCount) && value != kPathStateUnknown) {
        throw HostCtl::Lib::HostCtlException("invalid state " + std::to_string(value) + " for path " + node_->name);
    }
    Sim::Write(*node_, "State", value);
}

HostCtl::Storage::TransportMappingPtr ScsiPathImpl::GetTransportMapping() {
    Sim::Enter(*node_, "ScsiPath.GetTransportMapping");
    return MappingOf(*node_);
}

// ---- logical units ------------------------------------------------------------------------

LunImpl::LunImpl(const std::string &name, bool) : LunImpl(device("Lun", name)) {}
LunImpl::LunImpl(const std::string &name) : LunImpl(device("Lun", name)) {}
LunImpl::LunImpl(const std::string &name, const HostCtl::Storage::PsaStorVsiDeviceInfo &) : LunImpl(device("Lun", name)) {}

std::string LunImpl::GetIdentifier() {
    Sim::Enter(*node_, "Lun.GetIdentifier");
    return node_->name;
}

std::vector<std::string> LunImpl::GetPathNames() {
    Sim::Enter(*node_, "Lun.GetPathNames");
    std::vector<std::string> names;
    for (const auto &path : PathsWhere("DiskLun", node_->name)) names.push_back(path->name);
    return names;
}

const char *LunImpl::GetStatusString() {
    Sim::Enter(*node_, "Lun.GetStatusString");
    int status = Sim::Read<int>(*node_, "Status");
    return kLunStatusNames[status >= 0 && status < kLunStatusCount ? status : kLunStatusUnknown];
}

HostCtl::Storage::Lun::LunStatus LunImpl::LunStatusStringToLunStatus(const std::string &text) {
    for (int status = 0; status < kLunStatusCount; ++status) {
        if (text == kLunStatusNames[status]) return static_cast<HostCtl::Storage::Lun::LunStatus>(status);
    }
    return static_cast<HostCtl::Storage::Lun::LunStatus>(kLunStatusUnknown);
}

bool LunImpl::HasPathToInterfaceType(HostCtl::Storage::ScsiInterface::ScsiInterfaceType type) {
    Sim::Enter(*node_, "Lun.HasPathToInterfaceType");
    for (const auto &path : PathsWhere("DiskLun", node_->name)) {
        NodeRef adapter = Sim::Find("ScsiInterface", Sim::Read<std::string>(*path, "Adapter"));
        if (adapter && Sim::Read<int>(*adapter, "InterfaceType") == static_cast<int>(type)) return true;
    }
    return false;
}

std::string LunImpl::GetPartitionName(uint16 number) {
    Sim::Enter(*node_, "Lun.GetPartitionName");
    return node_->name + ":" + std::to_string(number);
}

HostCtl::Storage::LunPtr LunImpl::GetLun(const std::string &name, bool) { return GetLun(name); }

HostCtl::Storage::LunPtr LunImpl::GetLun(const std::string &name) {
    Sim::Enter(*node_, "Lun.GetLun");
    return HostCtl::Storage::LunPtr(new DiskLunImpl(device("DiskLun", name)));
}

// A path's runtime name ("hba3:C0:T0:L1") names its device; a device's name
// names itself.
std::string LunImpl::ResolveRuntimeLunName(const std::string &name) {
    Sim::Sync();
    if (NodeRef path = Sim::Find("ScsiPath", name)) return Sim::Read<std::string>(*path, "DiskLun");
    return device("Lun", name)->name;
}

DiskLunImpl::DiskLunImpl(const std::string &name) : DiskLunImpl(device("DiskLun", name)) {}
DiskLunImpl::DiskLunImpl(const std::string &name, const HostCtl::Storage::PsaStorVsiDeviceInfo &)
    : DiskLunImpl(device("DiskLun", name)) {}

HostCtl::Storage::DiskLunPartitionPtr DiskLunImpl::GetPartitionByNumber(uint16 number) {
    Sim::Enter(*node_, "DiskLun.GetPartitionByNumber");
    std::string name = node_->name + ":" + std::to_string(number);
    NodeRef partition = Sim::Find("DiskLunPartition", name);
    if (!partition) Sim::NotFound("DiskLunPartition", name);
    return make_partition(partition);
}

// ---- partitions -----------------------------------------------------------------------------

HostCtl::Storage::DiskLunPtr DiskLunPartitionImpl::GetDiskLun() {
    Sim::Enter(*node_, "DiskLunPartition.GetDiskLun");
    NodeRef lun = Sim::Find("DiskLun", Sim::Read<std::string>(*node_, "DiskLun"));
    if (!lun) return nullptr;
    return HostCtl::Storage::DiskLunPtr(new DiskLunImpl(lun));
}

// The sectors from the first to the last, both included.
uint64 DiskLunPartitionImpl::GetSize() {
    Sim::Enter(*node_, "DiskLunPartition.GetSize");
    uint64 start = Sim::Read<uint64>(*node_, "StartSector");
    uint64 end = Sim::Read<uint64>(*node_, "EndSector");
    return end < start ? 0 : (end - start + 1) * kSectorSize;
}

std::string DiskLunPartitionImpl::GetPartitionGuid() {
    Sim::Enter(*node_, "DiskLunPartition.GetPartitionGuid");
    auto type = static_cast<DiskLunPartition::PartitionType>(Sim::Read<int>(*node_, "PartitionType"));
    return ConvertTypeToGuid(type);
}

// "dev.local0:8" is partition 8 of dev.local0.
void DiskLunPartitionImpl::SplitName(const std::string &name, std::string &lun, uint16 &number) {
    size_t colon = name.rfind(':');
    std::string digits = colon == std::string::npos ? std::string() : name.substr(colon + 1);
    bool numeric = !digits.empty() && digits.size() <= 5 &&
                   std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); });
    if (!numeric || colon == 0 || std::stoul(digits) > 65535) {
        throw HostCtl::Lib::HostCtlException("invalid partition name '" + name + "'");
    }
    lun = name.substr(0, colon);
    number = static_cast<uint16>(std::stoul(digits));
}

std::string DiskLunPartitionImpl::ConvertTypeToGuid(const DiskLunPartition::PartitionType &type) {
    for (const auto &entry : guid_types()) {
        if (entry.second == static_cast<uint32>(type)) return entry.first;
    }
    throw HostCtl::Lib::HostCtlException("no GUID for partition type " + std::to_string(static_cast<int>(type)));
}

int DiskLunPartitionImpl::ConvertGuidToType(const std::string &guid) {
    auto found = guid_types().find(lower(guid));
    if (found == guid_types().end()) throw HostCtl::Lib::HostCtlException("unknown partition type GUID '" + guid + "'");
    return static_cast<int>(found->second);
}

// A GUID names one type: adding it again gives it the new type.
void DiskLunPartitionImpl::AddPartitionTypeGuidPair(const std::string &guid, uint32 type) {
    guid_types()[lower(guid)] = type;
}

// One diagnostic partition is active at a time.
void DiagnosticPartitionImpl::Activate() {
    Sim::Enter(*node_, "DiagnosticPartition.Activate");
    Sim::Record(*node_, "DiagnosticPartition.Activate");
    for (const auto &other : Sim::All("DiagnosticPartition")) Sim::Write(*other, "Active", other == node_);
}

void DiagnosticPartitionImpl::Deactivate() {
    Sim::Enter(*node_, "DiagnosticPartition.Deactivate");
    Sim::Record(*node_, "DiagnosticPartition.Deactivate");
    Sim::Write(*node_, "Active", false);
}

}  // namespace Storage
}  // namespace QorCtl
