// Hand-written behaviour of the file systems of the stand-in library:
// mounting and unmounting, extents, look-ups that lend the library's own
// holders, network file systems added and removed, and the resolve flow of
// unresolved (snapshot) volumes with the two caches that list them.
//
// Model properties read here (besides those the generated getters read):
//   Mounted, Busy (an unmount then reports busy), Extents (comma-separated
//   partition names, head first), PersistentMount, Automount;
//   on unresolved volumes Snapshot, Resolved and ResolveError (forces an
//   outcome); on unresolved extents UnresolvedLufsVolume (the owner).
#include <algorithm>
#include <cstdio>
#include <map>

#include "hostctl/network/values.h"
#include "hostctl/sim.h"
#include "hostctl/storage/filesystem_nodes.h"
#include "hostctl/storage/filesystems.h"
#include "hostctl/storage/functions.h"
#include "hostctl/storage/held.h"
#include "hostctl/storage/resolve_error.h"
#include "hostctl/storage/unresolved_cache.h"
#include "hostctl/storage/volumes.h"
#include "hostctl/system/opaque.h"

namespace {

using QorCtl::Sim::Node;
using QorCtl::Sim::NodeRef;
using HostCtl::Storage::FileSystem;
using HostCtl::Storage::VmFileSystem;
using HostCtl::Storage::VmFileSystemPtr;

const int kUnmountSuccess = 0;  // FileSystem_UnmountStatusSuccess
const int kUnmountBusy = 1;     // FileSystem_UnmountStatusBusy

std::string operation(const Node &node, const char *name) { return node.kind + "." + name; }

void mount(Node &node) {
    const std::string op = operation(node, "Mount");
    QorCtl::Sim::Enter(node, op.c_str());
    QorCtl::Sim::Record(node, op.c_str());
    QorCtl::Sim::Write(node, "Mounted", true);
}

// A busy file system stays mounted and says so.
int unmount(Node &node) {
    const std::string op = operation(node, "Unmount");
    QorCtl::Sim::Enter(node, op.c_str());
    QorCtl::Sim::Record(node, op.c_str());
    if (QorCtl::Sim::Read<bool>(node, "Busy")) return kUnmountBusy;
    QorCtl::Sim::Write(node, "Mounted", false);
    return kUnmountSuccess;
}

std::vector<std::string> extents_of(const Node &node) {
    return QorCtl::Sim::Read<std::vector<std::string>>(node, "Extents");
}

// A volume's label: its "VolumeName", or else its node's name.
std::string label_of(const Node &node) {
    std::string label = QorCtl::Sim::Read<std::string>(node, "VolumeName");
    return label.empty() ? node.name : label;
}

bool is_nfs41(const Node &node) { return QorCtl::Sim::Read<std::string>(node, "Version") == "4.1"; }

// The holders the library lends for its look-ups: one per file-system node,
// kept for the life of the process so that every pointer handed out stays
// valid; an emptied holder is filled again at the next look-up.
VmFileSystemPtr *lent_holder(const NodeRef &node) {
    static std::map<const Node *, std::pair<NodeRef, VmFileSystemPtr>> lent;
    auto &entry = lent[node.get()];
    if (!entry.second) {
        entry.first = node;
        std::unique_ptr<FileSystem> made = QorCtl::Storage::MakeFileSystem(node);
        entry.second.reset(dynamic_cast<VmFileSystem *>(made.get()));
        if (entry.second) made.release();
    }
    return &entry.second;
}

HostCtl::Storage::NetworkFileSystemPtr *lent_nfs_holder(const NodeRef &node) {
    static std::map<const Node *, std::pair<NodeRef, HostCtl::Storage::NetworkFileSystemPtr>> lent;
    auto &entry = lent[node.get()];
    if (!entry.second) {
        entry.first = node;
        std::unique_ptr<FileSystem> made = QorCtl::Storage::MakeFileSystem(node);
        entry.second.reset(dynamic_cast<HostCtl::Storage::NetworkFileSystem *>(made.get()));
        if (entry.second) made.release();
    }
    return &entry.second;
}

// Objects lent by the network file systems' look-ups, one per node, kept likewise.
template <class T>
T *lent_object(const NodeRef &node) {
    static std::map<const Node *, std::unique_ptr<T>> lent;
    auto &entry = lent[node.get()];
    if (!entry) entry.reset(new T(node));
    return entry.get();
}

// The clustered volumes (no network file systems) whose extents include
// `device` ("dev.fc0" or "dev.fc0:1"); every one for an empty name.
std::vector<NodeRef> lufs_nodes(const std::string &device) {
    std::vector<NodeRef> found;
    for (const auto &node : QorCtl::Sim::All("VmFileSystem")) {
        if (node->name.empty()) continue;
        const auto extents = extents_of(*node);
        bool match = device.empty() || std::any_of(extents.begin(), extents.end(), [&](const std::string &e) {
                         return e == device || e.compare(0, device.size() + 1, device + ":") == 0;
                     });
        if (match) found.push_back(node);
    }
    return found;
}

std::vector<std::unique_ptr<VmFileSystem>> make_lufs(const std::vector<NodeRef> &nodes) {
    std::vector<std::unique_ptr<VmFileSystem>> made;
    for (const auto &node : nodes) made.emplace_back(new QorCtl::Storage::VmFileSystemImpl(node));
    return made;
}

// The clustered volume whose head extent is `partition`.
NodeRef lufs_by_head(const std::string &partition) {
    for (const auto &node : lufs_nodes("")) {
        const auto extents = extents_of(*node);
        if (!extents.empty() && extents.front() == partition) return node;
    }
    return nullptr;
}

std::string invented_uuid(const std::string &seed) {
    unsigned long long hash = 1469598103934665603ULL;
    for (unsigned char c : seed) hash = (hash ^ c) * 1099511628211ULL;
    char text[40];
    std::snprintf(text, sizeof text, "%08llx-%08llx-%04llx-02005a1%05llx", hash >> 32, hash & 0xffffffffULL,
                  (hash >> 16) & 0xffffULL, hash & 0xfffffULL);
    return text;
}

// A new clustered volume in the model (node `name`), mounted, over the given extents.
NodeRef add_lufs(const std::string &name, const std::string &label, const std::string &uuid,
                 const std::vector<std::string> &extents, uint64 size) {
    NodeRef node = QorCtl::Sim::FindOrAdd("VmFileSystem", name);
    QorCtl::Sim::Write(*node, "VolumeName", label);
    QorCtl::Sim::Write(*node, "Uuid", uuid);
    QorCtl::Sim::Write(*node, "Type", std::string("LUFS"));
    QorCtl::Sim::Write(*node, "Extents", extents);
    QorCtl::Sim::Write(*node, "HeadExtentName", extents.empty() ? std::string() : extents.front());
    QorCtl::Sim::Write(*node, "LvmName", uuid.substr(0, 17) + "-lv");
    QorCtl::Sim::Write(*node, "ConsolePath", "/store/volumes/" + uuid);
    QorCtl::Sim::Write(*node, "Size", size);
    QorCtl::Sim::Write(*node, "VolumeUsage", size / 100);
    QorCtl::Sim::Write(*node, "BlockSize", uint32(1048576));
    QorCtl::Sim::Write(*node, "TotalBlocks", size / 1048576);
    QorCtl::Sim::Write(*node, "BlocksUsed", size / 100 / 1048576);
    QorCtl::Sim::Write(*node, "MajorVersion", uint32(6));
    QorCtl::Sim::Write(*node, "Accessible", true);
    QorCtl::Sim::Write(*node, "Mounted", true);
    return node;
}

NodeRef add_nfs(const std::vector<std::string> &hosts, const std::string &share, const std::string &label,
                const std::string &version, bool readOnly) {
    if (QorCtl::Storage::FindVmFileSystem(label)) {
        throw HostCtl::Lib::HostCtlException("a file system labelled '" + label + "' already exists");
    }
    NodeRef node = QorCtl::Sim::FindOrAdd("NetworkFileSystem", label);
    QorCtl::Sim::Write(*node, "VolumeName", label);
    QorCtl::Sim::Write(*node, "Version", version);
    QorCtl::Sim::Write(*node, "Type", std::string(version == "4.1" ? "NFS41" : "NFS"));
    QorCtl::Sim::Write(*node, "RemoteHost", hosts.empty() ? std::string() : hosts.front());
    QorCtl::Sim::Write(*node, "RemoteHosts", hosts);
    QorCtl::Sim::Write(*node, "RemoteShareName", share);
    QorCtl::Sim::Write(*node, "Uuid", invented_uuid(label + share));
    QorCtl::Sim::Write(*node, "ConfigReadOnly", readOnly);
    QorCtl::Sim::Write(*node, "ReadOnly", readOnly);
    QorCtl::Sim::Write(*node, "Accessible", true);
    QorCtl::Sim::Write(*node, "Mounted", true);
    return node;
}

// A removed network file system leaves the model's lists: its node is
// renamed out of reach (nodes are never freed, so lent objects stay valid).
void remove_nfs(Node &owner, const std::string &label, const char *op) {
    QorCtl::Sim::Enter(owner, op);
    NodeRef node = QorCtl::Sim::Find("NetworkFileSystem", label);
    if (!node) QorCtl::Sim::NotFound("NetworkFileSystem", label);
    QorCtl::Sim::Record(owner, op);
    node->name.clear();
    QorCtl::Sim::Write(*node, "Mounted", false);
}

bool nfs_label_exists(const std::string &label) {
    NodeRef node = QorCtl::Sim::Find("NetworkFileSystem", label);
    return node && !label.empty();
}

// ---- unresolved volumes ----------------------------------------------------------

bool is_resolved(const Node &node) { return QorCtl::Sim::Read<bool>(node, "Resolved"); }

std::vector<NodeRef> unresolved_nodes(bool snapshots) {
    std::vector<NodeRef> found;
    for (const auto &node : QorCtl::Sim::All("UnresolvedLufsVolume")) {
        if (node->name.empty() || is_resolved(*node)) continue;
        if (snapshots || !QorCtl::Sim::Read<bool>(*node, "Snapshot")) found.push_back(node);
    }
    return found;
}

// The extents the volume has in the model, and the extent names it expects
// ("Extents"; its own extents when it names none).
std::vector<NodeRef> extent_nodes(const Node &volume) {
    std::vector<NodeRef> found;
    for (const auto &node : QorCtl::Sim::All("UnresolvedLufsExtent")) {
        if (QorCtl::Sim::Read<std::string>(*node, "UnresolvedLufsVolume") == volume.name) found.push_back(node);
    }
    return found;
}

// The outcome of resolving the volume: resignaturing gives it an identity of
// its own; mounting it as it is needs its original offline.
int resolve_outcome(const Node &volume, bool resignature) {
    if (volume.properties.count("ResolveError")) return QorCtl::Sim::Read<int>(volume, "ResolveError");
    const auto found = extent_nodes(volume);
    const auto expected = QorCtl::Sim::Read<std::vector<std::string>>(volume, "Extents");
    if (found.size() < expected.size()) return 2;  // RESOLVE_ERROR_MISSING_EXTENTS
    if (!expected.empty() && found.size() > expected.size()) return 3;  // RESOLVE_ERROR_EXTRA_EXTENTS
    if (!resignature) {
        NodeRef original = QorCtl::Storage::FindVmFileSystem(QorCtl::Sim::Read<std::string>(volume, "LufsUuid"));
        if (original && QorCtl::Sim::Read<bool>(*original, "Mounted")) return 6;  // RESOLVE_ERROR_ORIGINAL_ONLINE
    }
    return 0;
}

void clear_caches() {
    QorCtl::Storage::UnresolvedLufsVolumeCache::Inst().Clear();
    QorCtl::Storage::UnresolvedLufsVolumeNoSnapShotCache::Inst().Clear();
}

// The volume becomes a mounted clustered volume over its extents; it leaves
// the unresolved lists.
VmFileSystemPtr *resolve(Node &volume, bool resignature, bool persistent, const char *op) {
    QorCtl::Sim::Enter(volume, op);
    int outcome = resolve_outcome(volume, resignature);
    if (outcome != 0) {
        throw HostCtl::Lib::HostCtlException("cannot resolve volume '" + volume.name + "': " +
                                             QorCtl::Storage::ResolveErrorText(outcome));
    }
    QorCtl::Sim::Record(volume, op);
    std::vector<std::string> extents;
    for (const auto &node : extent_nodes(volume)) extents.push_back(node->name);
    std::string label = QorCtl::Sim::Read<std::string>(volume, "LufsLabel");
    std::string uuid = QorCtl::Sim::Read<std::string>(volume, "LufsUuid");
    if (resignature) {
        uuid = invented_uuid(volume.name + uuid);
        label = "snap-" + uuid.substr(0, 8) + "-" + label;
    }
    // A resignatured copy is a volume of its own; a forced mount stands in for
    // the original under the snapshot's name.
    NodeRef fs = add_lufs(resignature ? label : volume.name, label, uuid, extents,
                          QorCtl::Sim::Read<uint64>(volume, "TotalSize"));
    QorCtl::Sim::Write(*fs, "ForceMounted", !resignature);
    QorCtl::Sim::Write(*fs, "ForceMountPersistent", !resignature && persistent);
    QorCtl::Sim::Write(volume, "Resolved", true);
    clear_caches();
    return lent_holder(fs);
}

using Volumes = std::vector<QorCtl::Storage::UnresolvedLufsVolumeImpl>;

// Fills `volumes` from the cache's list (key 0), which is read from the host
// first when asked to, when there is none, or when the host's nodes changed.
void fill(std::map<uint64_t, std::shared_ptr<Volumes>> &entries, std::vector<NodeRef> &sources,
          pthread_mutex_t &mutex, Volumes &volumes, bool snapshots, bool useCache) {
    QorCtl::Sim::Sync();
    const std::vector<NodeRef> nodes = unresolved_nodes(snapshots);
    pthread_mutex_lock(&mutex);
    auto &cached = entries[0];
    if (!useCache || !cached || sources != nodes) {
        auto list = std::make_shared<Volumes>();
        for (const auto &node : nodes) list->emplace_back(node);
        cached = list;
        sources = nodes;
    }
    std::shared_ptr<Volumes> result = cached;
    pthread_mutex_unlock(&mutex);
    volumes = *result;
}

}  // namespace

namespace QorCtl {
namespace Storage {

std::vector<NodeRef> FileSystemNodes() {
    std::vector<NodeRef> nodes;
    for (const char *kind : {"VmFileSystem", "NetworkFileSystem", "VFATFileSystem"}) {
        for (const auto &node : QorCtl::Sim::All(kind)) {
            if (!node->name.empty()) nodes.push_back(node);
        }
    }
    return nodes;
}

std::unique_ptr<FileSystem> MakeFileSystem(const NodeRef &node) {
    if (node->kind == "NetworkFileSystem" && is_nfs41(*node)) return std::unique_ptr<FileSystem>(new NetworkFileSystem41Impl(node));
    if (node->kind == "NetworkFileSystem") return std::unique_ptr<FileSystem>(new NetworkFileSystemImpl(node));
    if (node->kind == "VFATFileSystem") return std::unique_ptr<FileSystem>(new VFATFileSystemImpl(node));
    return std::unique_ptr<FileSystem>(new VmFileSystemImpl(node));
}

NodeRef FindVmFileSystem(const std::string &key) {
    if (key.empty()) return nullptr;
    for (const char *kind : {"VmFileSystem", "NetworkFileSystem"}) {
        for (const auto &node : QorCtl::Sim::All(kind)) {
            if (node->name.empty()) continue;
            if (QorCtl::Sim::Read<std::string>(*node, "Uuid") == key || label_of(*node) == key) {
                return node;
            }
        }
    }
    return nullptr;
}

// ---- mounting --------------------------------------------------------------------
#define QOR_MOUNTS(Class)                                                                             \
    void Class::Mount(HostCtl::Storage::FileSystem::MountOperationOption) { mount(*node_); }          \
    int Class::Unmount(HostCtl::Storage::FileSystem::MountOperationOption) { return unmount(*node_); }

#define QOR_DEFAULT_MOUNTS(Class)                \
    void Class::Mount() { mount(*node_); }       \
    int Class::Unmount() { return unmount(*node_); }

QOR_MOUNTS(VmFileSystemImpl)
QOR_DEFAULT_MOUNTS(VmFileSystemImpl)
QOR_MOUNTS(VFATFileSystemImpl)
QOR_DEFAULT_MOUNTS(VFATFileSystemImpl)
QOR_MOUNTS(NetworkFileSystemImpl)
QOR_DEFAULT_MOUNTS(NetworkFileSystemImpl)
QOR_MOUNTS(NetworkFileSystem41Impl)
QOR_DEFAULT_MOUNTS(NetworkFileSystem41Impl)

}  // namespace Storage
}  // namespace QorCtl

// The library's own objects of the kinds the declarations give no implementation.
namespace QorCtl {
namespace Sim {
namespace Storage {
QOR_MOUNTS(FileSystemNode)
QOR_DEFAULT_MOUNTS(FileSystemNode)
QOR_MOUNTS(PMemFileSystemNode)
QOR_DEFAULT_MOUNTS(PMemFileSystemNode)
QOR_MOUNTS(ObjectStoreFileSystemNode)
QOR_DEFAULT_MOUNTS(ObjectStoreFileSystemNode)
QOR_MOUNTS(ZsanFileSystemNode)
QOR_DEFAULT_MOUNTS(ZsanFileSystemNode)
}  // namespace Storage
}  // namespace Sim

namespace Storage {

void VmFileSystemImpl::Mount(HostCtl::Storage::VmFileSystemUnmountedVolsInfo &,
                             HostCtl::Storage::FileSystem::MountOperationOption) {
    mount(*node_);
}
void VmFileSystemImpl::Mount(HostCtl::Storage::VmFileSystemUnmountedVolsInfo &) { mount(*node_); }

// ---- extents ---------------------------------------------------------------------
std::vector<std::unique_ptr<HostCtl::Storage::DiskLunPartition>> VmFileSystemImpl::GetExtents() {
    QorCtl::Sim::Enter(*node_, operation(*node_, "GetExtents").c_str());
    std::vector<std::unique_ptr<HostCtl::Storage::DiskLunPartition>> extents;
    for (const auto &name : extents_of(*node_)) extents.push_back(GetExtentPartition(name));
    return extents;
}

HostCtl::Storage::DiskLunPartitionPtr *VmFileSystemImpl::GetHeadPartition() {
    QorCtl::Sim::Enter(*node_, operation(*node_, "GetHeadPartition").c_str());
    static std::map<const Node *, std::pair<NodeRef, HostCtl::Storage::DiskLunPartitionPtr>> lent;
    const auto extents = extents_of(*node_);
    if (extents.empty()) return nullptr;
    auto &entry = lent[node_.get()];
    if (!entry.second) {
        entry.first = node_;
        entry.second = GetExtentPartition(extents.front());
    }
    return &entry.second;
}

void VmFileSystemImpl::AddExtent(std::string const &partition, uint32) { AddExtent(partition); }

void VmFileSystemImpl::AddExtent(std::string const &partition) {
    const std::string op = operation(*node_, "AddExtent");
    QorCtl::Sim::Enter(*node_, op.c_str());
    for (const auto &fs : FileSystemNodes()) {
        const auto used = extents_of(*fs);
        if (std::find(used.begin(), used.end(), partition) != used.end()) {
            throw HostCtl::Lib::HostCtlException("partition '" + partition + "' is already an extent of '" +
                                                 fs->name + "'");
        }
    }
    QorCtl::Sim::Record(*node_, op.c_str());
    auto extents = extents_of(*node_);
    extents.push_back(partition);
    QorCtl::Sim::Write(*node_, "Extents", extents);
}

uint32 VmFileSystemImpl::GetExtentCount() {
    QorCtl::Sim::Enter(*node_, operation(*node_, "GetExtentCount").c_str());
    return static_cast<uint32>(extents_of(*node_).size());
}

bool VmFileSystemImpl::IsUUIDEmpty() {
    QorCtl::Sim::Enter(*node_, operation(*node_, "IsUUIDEmpty").c_str());
    return QorCtl::Sim::Read<std::string>(*node_, "Uuid").empty();
}

std::vector<HostCtl::Storage::LightStats> VmFileSystemImpl::GetLufsLightStats() {
    QorCtl::Sim::Enter(*node_, operation(*node_, "GetLufsLightStats").c_str());
    HostCtl::Storage::LightStats stats;
    stats.lvmName = QorCtl::Sim::Read<std::string>(*node_, "LvmName");
    stats.size = QorCtl::Sim::Read<uint64>(*node_, "Size");
    stats.usage = QorCtl::Sim::Read<uint64>(*node_, "VolumeUsage");
    return {stats};
}

// ---- look-ups and creation -------------------------------------------------------
bool VmFileSystemImpl::IsRealFileSystem(std::string const &key, std::string &uuid) {
    NodeRef node = FindVmFileSystem(key);
    if (node) uuid = QorCtl::Sim::Read<std::string>(*node, "Uuid");
    return node != nullptr;
}

bool VmFileSystemImpl::IsFileSystemMounted(std::string const &key, std::string &uuid) {
    NodeRef node = FindVmFileSystem(key);
    if (!node) return false;
    uuid = QorCtl::Sim::Read<std::string>(*node, "Uuid");
    return QorCtl::Sim::Read<bool>(*node, "Mounted");
}

HostCtl::Storage::VmFileSystemPtr *VmFileSystemImpl::CreateFileSystem(
    std::string const &partition, std::string const &label, HostCtl::Storage::VmFileSystem::LufsVersion version,
    uint32 blockSize, uint32 granularity, HostCtl::Storage::LufsVolumeUnmapProperty const *unmap, bool, int) {
    Node &kind = *QorCtl::Sim::FindOrAdd("VmFileSystem", "");
    QorCtl::Sim::Enter(kind, "VmFileSystem.CreateFileSystem");
    if (label.empty() || label.size() > static_cast<size_t>(MAX_FS_NAME_LENGTH)) {
        throw HostCtl::Lib::HostCtlException("invalid file-system label '" + label + "'");
    }
    if (FindVmFileSystem(label)) throw HostCtl::Lib::HostCtlException("a file system labelled '" + label + "' already exists");
    for (const auto &fs : FileSystemNodes()) {
        const auto used = extents_of(*fs);
        if (std::find(used.begin(), used.end(), partition) != used.end()) {
            throw HostCtl::Lib::HostCtlException("partition '" + partition + "' is in use by '" + fs->name + "'");
        }
    }
    QorCtl::Sim::Record(kind, "VmFileSystem.CreateFileSystem");
    NodeRef node = add_lufs(label, label, invented_uuid(label + partition), {partition}, 0);
    QorCtl::Sim::Write(*node, "MajorVersion", static_cast<uint32>(version == 0 ? 6 : version));
    if (blockSize) QorCtl::Sim::Write(*node, "BlockSize", blockSize);
    if (unmap) {
        QorCtl::Sim::Store(*unmap, *node, "VolumeUnmapProperty");
    } else if (granularity) {
        QorCtl::Sim::Write(*node, "VolumeUnmapProperty.unmapGranularity", granularity);
    }
    return lent_holder(node);
}

HostCtl::Storage::VmFileSystemPtr *VmFileSystemImpl::CreateFileSystem(
    std::string const &p1, std::string const &p2, HostCtl::Storage::VmFileSystem::LufsVersion p3, uint32 p4,
    uint32 p5, HostCtl::Storage::LufsVolumeUnmapProperty const *p6, bool p7) {
    return CreateFileSystem(p1, p2, p3, p4, p5, p6, p7, 0);
}

HostCtl::Storage::VmFileSystemPtr *VmFileSystemImpl::CreateFileSystem(
    std::string const &p1, std::string const &p2, HostCtl::Storage::VmFileSystem::LufsVersion p3, uint32 p4,
    uint32 p5, HostCtl::Storage::LufsVolumeUnmapProperty const *p6) {
    return CreateFileSystem(p1, p2, p3, p4, p5, p6, false, 0);
}

HostCtl::Storage::VmFileSystemPtr *VmFileSystemImpl::CreateFileSystem(
    std::string const &p1, std::string const &p2, HostCtl::Storage::VmFileSystem::LufsVersion p3, uint32 p4,
    uint32 p5) {
    return CreateFileSystem(p1, p2, p3, p4, p5, nullptr, false, 0);
}

HostCtl::Storage::VmFileSystemPtr *VmFileSystemImpl::CreateFileSystem(
    std::string const &p1, std::string const &p2, HostCtl::Storage::VmFileSystem::LufsVersion p3, uint32 p4) {
    return CreateFileSystem(p1, p2, p3, p4, 0, nullptr, false, 0);
}

HostCtl::Storage::VmFileSystemPtr *VmFileSystemImpl::CreateFileSystem(
    std::string const &p1, std::string const &p2, HostCtl::Storage::VmFileSystem::LufsVersion p3) {
    return CreateFileSystem(p1, p2, p3, 0, 0, nullptr, false, 0);
}

// A look-up that finds nothing lends nothing (None in Python).
HostCtl::Storage::VmFileSystemPtr *VmFileSystemImpl::GetLUFSFileSystemByUUID(std::string const &uuid) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("VmFileSystem", ""), "VmFileSystem.GetLUFSFileSystemByUUID");
    for (const auto &node : lufs_nodes("")) {
        if (QorCtl::Sim::Read<std::string>(*node, "Uuid") == uuid) return lent_holder(node);
    }
    return nullptr;
}

HostCtl::Storage::VmFileSystemPtr *VmFileSystemImpl::GetLUFSFileSystemByLabel(std::string const &label) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("VmFileSystem", ""), "VmFileSystem.GetLUFSFileSystemByLabel");
    for (const auto &node : lufs_nodes("")) {
        if (label_of(*node) == label) return lent_holder(node);
    }
    return nullptr;
}

std::string VmFileSystemImpl::GetLUFSLVNameByUUIDOrLabel(std::string const &key) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("VmFileSystem", ""), "VmFileSystem.GetLUFSLVNameByUUIDOrLabel");
    for (const auto &node : lufs_nodes("")) {
        if (QorCtl::Sim::Read<std::string>(*node, "Uuid") == key || label_of(*node) == key) {
            return QorCtl::Sim::Read<std::string>(*node, "LvmName");
        }
    }
    QorCtl::Sim::NotFound("VmFileSystem", key);
}

std::vector<std::unique_ptr<HostCtl::Storage::VmFileSystem>> VmFileSystemImpl::GetLufsFileSystems(
    std::string const &device) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("VmFileSystem", ""), "VmFileSystem.GetLufsFileSystems");
    return make_lufs(lufs_nodes(device));
}

std::vector<std::unique_ptr<HostCtl::Storage::VmFileSystem>> VmFileSystemImpl::GetLufsFileSystemsList(
    std::string const &device) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("VmFileSystem", ""), "VmFileSystem.GetLufsFileSystemsList");
    return make_lufs(lufs_nodes(device));
}

// Volumes left unmounted on purpose: unmounted and not to be mounted again at boot.
void VmFileSystemImpl::GetPersistentlyUnmountedFsUuids(std::set<std::string> &uuids) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("VmFileSystem", ""), "VmFileSystem.GetPersistentlyUnmountedFsUuids");
    for (const auto &node : lufs_nodes("")) {
        if (!QorCtl::Sim::Read<bool>(*node, "Mounted") && node->properties.count("PersistentMount") &&
            !QorCtl::Sim::Read<bool>(*node, "PersistentMount")) {
            uuids.insert(QorCtl::Sim::Read<std::string>(*node, "Uuid"));
        }
    }
}

// Mounts every unmounted volume not left unmounted on purpose; the count of volumes mounted.
uint32 VmFileSystemImpl::AutomountLufsFileSystems(Bool) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("VmFileSystem", ""), "VmFileSystem.AutomountLufsFileSystems");
    uint32 mounted = 0;
    for (const auto &node : lufs_nodes("")) {
        bool wanted = !node->properties.count("PersistentMount") || QorCtl::Sim::Read<bool>(*node, "PersistentMount");
        if (wanted && !QorCtl::Sim::Read<bool>(*node, "Mounted")) {
            QorCtl::Sim::Write(*node, "Mounted", true);
            ++mounted;
        }
    }
    return mounted;
}

std::string VmFileSystemImpl::FindFileSystemGivenHeadPartition(std::string const &partition) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("VmFileSystem", ""), "VmFileSystem.FindFileSystemGivenHeadPartition");
    NodeRef node = lufs_by_head(partition);
    return node ? QorCtl::Sim::Read<std::string>(*node, "Uuid") : std::string();
}

std::string VmFileSystemImpl::FindLufsFileSystemGivenHeadPartition(std::string const &partition,
                                                                   std::string &label) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("VmFileSystem", ""),
                       "VmFileSystem.FindLufsFileSystemGivenHeadPartition");
    NodeRef node = lufs_by_head(partition);
    if (!node) return std::string();
    label = label_of(*node);
    return QorCtl::Sim::Read<std::string>(*node, "Uuid");
}

// Only the version-6 volumes have configurable unmap options.
std::vector<HostCtl::Storage::LufsVolumeConfigOption> *VmFileSystemImpl::GetVolumeConfigOptions(
    HostCtl::Storage::VmFileSystem::LufsVersion version) {
    const int kVersion6 = 6, kVersion6L = 52;
    return version == kVersion6 || version == kVersion6L ? &LUFS6_VOL_OPTIONS : nullptr;
}

// ---- network file systems --------------------------------------------------------
HostCtl::Storage::NetworkFileSystemPtr *NetworkFileSystemImpl::AddNetworkFileSystem(
    std::string const &host, std::string const &share, std::string const &label, bool readOnly,
    std::string const &, uint32 const) {
    QorCtl::Sim::Enter(*node_, "NetworkFileSystem.AddNetworkFileSystem");
    QorCtl::Sim::Record(*node_, "NetworkFileSystem.AddNetworkFileSystem");
    return lent_nfs_holder(add_nfs({host}, share, label, "3", readOnly));
}

HostCtl::Storage::NetworkFileSystemPtr *NetworkFileSystemImpl::AddNetworkFileSystem(
    std::string const &host, std::string const &share, std::string const &label, bool readOnly,
    std::string const &qornic) {
    return AddNetworkFileSystem(host, share, label, readOnly, qornic, 0);
}

HostCtl::Storage::NetworkFileSystemPtr *NetworkFileSystemImpl::AddNetworkFileSystem(
    std::string const &host, std::string const &share, std::string const &label, bool readOnly) {
    return AddNetworkFileSystem(host, share, label, readOnly, std::string(), 0);
}

HostCtl::Storage::NetworkFileSystemPtr *NetworkFileSystemImpl::AddNetworkFileSystem(std::string const &host,
                                                                                     std::string const &share,
                                                                                     std::string const &label) {
    return AddNetworkFileSystem(host, share, label, false, std::string(), 0);
}

void NetworkFileSystemImpl::RemoveNetworkFileSystem(std::string const &label) {
    remove_nfs(*node_, label, "NetworkFileSystem.RemoveNetworkFileSystem");
}

bool NetworkFileSystemImpl::LabelExists(std::string const &label) { return nfs_label_exists(label); }

NetworkFileSystemImpl *NetworkFileSystemImpl::GetNetworkFileSystemByUUID(std::string const &uuid) {
    for (const auto &node : QorCtl::Sim::All("NetworkFileSystem")) {
        if (!node->name.empty() && !is_nfs41(*node) && QorCtl::Sim::Read<std::string>(*node, "Uuid") == uuid) {
            return lent_object<NetworkFileSystemImpl>(node);
        }
    }
    return nullptr;
}

HostCtl::Storage::NetworkFileSystemPtr *NetworkFileSystem41Impl::AddNetworkFileSystem(
    std::vector<std::string> const &hosts, std::string const &share, std::string const &label,
    HostCtl::Storage::NetworkFileSystem::SecurityType security) {
    QorCtl::Sim::Enter(*node_, "NetworkFileSystem.AddNetworkFileSystem");
    if (hosts.empty()) throw HostCtl::Lib::HostCtlException("an NFS 4.1 file system needs a server");
    QorCtl::Sim::Record(*node_, "NetworkFileSystem.AddNetworkFileSystem");
    NodeRef node = add_nfs(hosts, share, label, "4.1", false);
    QorCtl::Sim::Write(*node, "SecurityType", static_cast<int>(security));
    return lent_nfs_holder(node);
}

void NetworkFileSystem41Impl::RemoveNetworkFileSystem(std::string const &label) {
    remove_nfs(*node_, label, "NetworkFileSystem.RemoveNetworkFileSystem");
}

bool NetworkFileSystem41Impl::LabelExists(std::string const &label) { return nfs_label_exists(label); }

bool NetworkFileSystem41Impl::LabelExists(std::string const &label, TarnConfigStore::ConfigStorePtr const &) {
    return nfs_label_exists(label);
}

NetworkFileSystem41Impl *NetworkFileSystem41Impl::GetNetworkFileSystemByUUID(std::string const &uuid) {
    for (const auto &node : QorCtl::Sim::All("NetworkFileSystem")) {
        if (!node->name.empty() && is_nfs41(*node) && QorCtl::Sim::Read<std::string>(*node, "Uuid") == uuid) {
            return lent_object<NetworkFileSystem41Impl>(node);
        }
    }
    return nullptr;
}

// Filters over network file systems. A null file system is refused rather
// than read through.
namespace {
HostCtl::Storage::NetworkFileSystem &existing(HostCtl::Storage::NetworkFileSystem *nfs) {
    if (!nfs) throw HostCtl::Lib::HostCtlException("no network file system given");
    return *nfs;
}
}  // namespace

bool IsPE(HostCtl::Storage::NetworkFileSystem *nfs) { return existing(nfs).GetConfigIsPE(); }
bool IsNotPE(HostCtl::Storage::NetworkFileSystem *nfs) { return !existing(nfs).GetConfigIsPE(); }
bool IsNotHidden(HostCtl::Storage::NetworkFileSystem *nfs) { return !existing(nfs).IsHidden(); }

// ---- unresolved volumes ----------------------------------------------------------
// The extents' state: whether every expected extent is present, whether any
// of them is online as an extent of a mounted volume, whether the original
// volume is mounted; `reason` tells what stands in the way of resolving.
void UnresolvedLufsVolumeImpl::GetExtentStatus(bool &complete, bool &extentsOnline, bool &originalOnline,
                                               std::string &reason) {
    QorCtl::Sim::Enter(*node_, "UnresolvedLufsVolume.GetExtentStatus");
    complete = resolve_outcome(*node_, true) != 2;
    extentsOnline = resolve_outcome(*node_, true) == 7;
    originalOnline = resolve_outcome(*node_, false) == 6;
    int outcome = resolve_outcome(*node_, false);
    reason = outcome ? ResolveErrorText(outcome) : std::string();
}

// The first flag asks about resignaturing, the second about a forced mount
// (which keeps the volume's identity); the outcome goes to `error` when given.
bool UnresolvedLufsVolumeImpl::CanResolve(bool resignature, bool, ResolveError *error) {
    QorCtl::Sim::Enter(*node_, "UnresolvedLufsVolume.CanResolve");
    int outcome = resolve_outcome(*node_, resignature);
    if (error) *error = static_cast<ResolveError>(outcome);
    return outcome == 0;
}

// The longer form also tells whether the original volume, or some of its
// extents, are online.
bool UnresolvedLufsVolumeImpl::CanResolve(bool resignature, bool force, ResolveError *error, bool &originalOnline,
                                          bool &extentsOnline) {
    bool can = CanResolve(resignature, force, error);
    originalOnline = resolve_outcome(*node_, false) == 6;
    extentsOnline = resolve_outcome(*node_, false) == 7;
    return can;
}

HostCtl::Storage::VmFileSystemPtr *UnresolvedLufsVolumeImpl::ResolveVolume() {
    return resolve(*node_, true, false, "UnresolvedLufsVolume.ResolveVolume");
}

HostCtl::Storage::VmFileSystemPtr *UnresolvedLufsVolumeImpl::ForceMountLufs(bool persistent, bool) {
    return resolve(*node_, false, persistent, "UnresolvedLufsVolume.ForceMountLufs");
}

void UnresolvedLufsVolumeImpl::AddExtent(UnresolvedLufsExtentImpl const &extent) {
    QorCtl::Sim::Enter(*node_, "UnresolvedLufsVolume.AddExtent");
    QorCtl::Sim::Record(*node_, "UnresolvedLufsVolume.AddExtent");
    NodeRef node = QorCtl::Sim::FindOrAdd("UnresolvedLufsExtent", extent.GetName());
    QorCtl::Sim::Write(*node, "UnresolvedLufsVolume", node_->name);
}

// Extents order by their index in the volume, then by where they start.
bool UnresolvedLufsExtentImpl::operator<(UnresolvedLufsExtentImpl const &other) const {
    NodeRef mine = QorCtl::Sim::FindOrAdd("UnresolvedLufsExtent", GetName());
    NodeRef theirs = QorCtl::Sim::FindOrAdd("UnresolvedLufsExtent", other.GetName());
    auto key = [](const Node &node) {
        return std::make_pair(QorCtl::Sim::Read<uint64>(node, "LufsExtentIndex"), QorCtl::Sim::Read<uint64>(node, "Start"));
    };
    return key(*mine) < key(*theirs);
}

// The device an unresolved extent lies on: its name without the partition number.
std::string UnresolvedLufsExtentImpl::GetUnresolvedDeviceName(std::string const &extent) {
    return extent.substr(0, extent.rfind(':'));
}

// ---- the caches --------------------------------------------------------------------
namespace {
pthread_mutex_t g_volumeCacheMutex = PTHREAD_MUTEX_INITIALIZER;
pthread_mutex_t g_noSnapShotCacheMutex = PTHREAD_MUTEX_INITIALIZER;
}  // namespace

UnresolvedLufsVolumeCache &UnresolvedLufsVolumeCache::Inst() {
    pthread_mutex_lock(&g_volumeCacheMutex);
    static UnresolvedLufsVolumeCache instance;
    pthread_mutex_unlock(&g_volumeCacheMutex);
    return instance;
}

void UnresolvedLufsVolumeCache::GetFromVSI(std::vector<UnresolvedLufsVolumeImpl> &volumes, bool useCache) {
    UnresolvedLufsVolumeCache &cache = Inst();
    fill(cache.entries_, cache.sources_, cache.mutex_, volumes, true, useCache);
}

void UnresolvedLufsVolumeCache::GetFromVSI(std::vector<UnresolvedLufsVolumeImpl> &volumes) {
    GetFromVSI(volumes, true);
}

void UnresolvedLufsVolumeCache::Clear() {
    pthread_mutex_lock(&mutex_);
    entries_.clear();
    sources_.clear();
    pthread_mutex_unlock(&mutex_);
}

UnresolvedLufsVolumeNoSnapShotCache &UnresolvedLufsVolumeNoSnapShotCache::Inst() {
    pthread_mutex_lock(&g_noSnapShotCacheMutex);
    static UnresolvedLufsVolumeNoSnapShotCache instance;
    pthread_mutex_unlock(&g_noSnapShotCacheMutex);
    return instance;
}

void UnresolvedLufsVolumeNoSnapShotCache::GetFromVSI(std::vector<UnresolvedLufsVolumeImpl> &volumes) {
    UnresolvedLufsVolumeNoSnapShotCache &cache = Inst();
    fill(cache.entries_, cache.sources_, cache.mutex_, volumes, false, true);
}

void UnresolvedLufsVolumeNoSnapShotCache::Clear() {
    pthread_mutex_lock(&mutex_);
    entries_.clear();
    sources_.clear();
    pthread_mutex_unlock(&mutex_);
}

}  // namespace Storage
}  // namespace QorCtl

// ---- records -------------------------------------------------------------------------
// The unmap limits a volume of that block size allows, in MB/s.
HostCtl::Storage::LufsVolumeConfigOption::LufsVolumeConfigOption(uint32 size)
    : blockSize(size),
      unmapGranularities{size},
      minAllowedUnmapBandwidthMin(100),
      maxAllowedUnmapBandwidthMin(2000),
      defaultUnmapBandwidthMin(100),
      minAllowedUnmapBandwidthMax(100),
      maxAllowedUnmapBandwidthMax(2000),
      defaultUnmapBandwidthMax(2000),
      minAllowedUnmapBandwidth(100),
      maxAllowedUnmapBandwidth(2000),
      defaultUnmapBandwidth(100),
      unmapBandwidthIncrement(100),
      ultraLowUnmapBandwidth(25) {}
