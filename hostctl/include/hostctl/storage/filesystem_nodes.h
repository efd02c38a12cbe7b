// How the stand-in library turns the simulated host's file-system nodes into
// objects: [VmFileSystem name] is a clustered volume, [NetworkFileSystem name]
// a network file system (NFS 4.1 when its "Version" is 4.1), [VFATFileSystem
// name] a boot volume. Lists and look-ups of every area build them here.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hostctl/sim.h"
#include "hostctl/storage/volumes.h"

namespace QorCtl {
namespace Storage {

// Every named file-system node, clustered volumes first, in model order.
std::vector<QorCtl::Sim::NodeRef> FileSystemNodes();

// The object of the node's kind (clustered, NFS 3, NFS 4.1 or FAT).
std::unique_ptr<HostCtl::Storage::FileSystem> MakeFileSystem(const QorCtl::Sim::NodeRef &node);

// The clustered or network file system whose node is named `key` or whose
// "Uuid" or "VolumeName" is `key`; null when there is none.
QorCtl::Sim::NodeRef FindVmFileSystem(const std::string &key);

}  // namespace Storage
}  // namespace QorCtl
