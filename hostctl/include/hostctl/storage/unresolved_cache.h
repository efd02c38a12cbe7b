// The process-wide caches of unresolved volumes. Each holds, per key, a
// shared list of the volumes the host reported, guarded by a mutex of its
// own; the class-wide mutex serialises the creation of the one instance.
#pragma once

#include <pthread.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "hostctl/sim.h"

namespace QorCtl {
namespace Lib {

template <class T>
class QorCtlCache {
public:
    QorCtlCache() { pthread_mutex_init(&mutex_, nullptr); }
    virtual ~QorCtlCache() = default;
    QorCtlCache(const QorCtlCache &) = delete;
    QorCtlCache &operator=(const QorCtlCache &) = delete;

protected:
    std::map<uint64_t, std::shared_ptr<std::vector<T>>> entries_;
    // The host's nodes the cached lists were read from: another model makes them stale.
    std::vector<QorCtl::Sim::NodeRef> sources_;
    pthread_mutex_t mutex_;
};

}  // namespace Lib

namespace Storage {

class UnresolvedLufsVolumeImpl;

class UnresolvedLufsVolumeCache : public QorCtl::Lib::QorCtlCache<UnresolvedLufsVolumeImpl> {
public:
    static UnresolvedLufsVolumeCache &Inst();
    // Fills `volumes` from the one cache with the host's unresolved volumes;
    // `useCache` false reads the host afresh and replaces what the cache held.
    static void GetFromVSI(std::vector<UnresolvedLufsVolumeImpl> &volumes, bool useCache);
    static void GetFromVSI(std::vector<UnresolvedLufsVolumeImpl> &volumes);
    // Forgets every list, so the next fill reads the host (a volume was resolved).
    void Clear();

private:
    UnresolvedLufsVolumeCache() = default;
};

// The same for the volumes that are copies rather than snapshots.
class UnresolvedLufsVolumeNoSnapShotCache : public QorCtl::Lib::QorCtlCache<UnresolvedLufsVolumeImpl> {
public:
    static UnresolvedLufsVolumeNoSnapShotCache &Inst();
    static void GetFromVSI(std::vector<UnresolvedLufsVolumeImpl> &volumes);
    void Clear();

private:
    UnresolvedLufsVolumeNoSnapShotCache() = default;
};

}  // namespace Storage
}  // namespace QorCtl
