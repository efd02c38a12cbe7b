// The out-of-line members of the storage statistics record.
#include <algorithm>

#include "hostctl/storage/multipath_values.h"

namespace HostCtl {
namespace Storage {

StorageStatistics::StorageStatistics(uint64 commands, uint64 blocksRead, uint64 blocksWritten, uint64 aborts,
                                     uint64 resets, uint64 readOps, uint64 writeOps, uint64 reserveOps,
                                     uint64 reservationConflicts, uint64 paeCmds, uint64 paeCopies, uint64 splitCmds,
                                     uint64 splitCopies, uint64 totalTime, uint64 totalTimeReads,
                                     uint64 totalTimeWrites, uint64 issueTime, uint64 issueTimeReads,
                                     uint64 issueTimeWrites, uint64 queueTime, uint64 queueTimeReads,
                                     uint64 queueTimeWrites, uint64 layerTime, uint64 layerTimeReads,
                                     uint64 layerTimeWrites)
    : counters_{commands,        blocksRead,      blocksWritten, aborts,         resets,
                readOps,         writeOps,        reserveOps,    reservationConflicts, paeCmds,
                paeCopies,       splitCmds,       splitCopies,   totalTime,      totalTimeReads,
                totalTimeWrites, issueTime,       issueTimeReads, issueTimeWrites, queueTime,
                queueTimeReads,  queueTimeWrites, layerTime,     layerTimeReads, layerTimeWrites} {}

StorageStatistics::StorageStatistics(const StorageStatistics &other) { *this = other; }

StorageStatistics &StorageStatistics::operator=(const StorageStatistics &other) {
    std::copy(std::begin(other.counters_), std::end(other.counters_), std::begin(counters_));
    return *this;
}

}  // namespace Storage
}  // namespace HostCtl
