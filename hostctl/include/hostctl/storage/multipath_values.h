// Values of the multipathing area: the statistics record, the claim rule of
// an array type, and the values scripts only receive and pass back.
#pragma once

#include <string>

#include "hostctl/core.h"
#include "hostctl/sim.h"

namespace TarnConfigStore {

class ConfigStoreObject;

// A filter that selects objects of the configuration store.
class FilterSpecObjectPtr {
public:
    std::string selection;
};

}  // namespace TarnConfigStore

namespace HostCtl {
namespace Storage {

// A class of claim rules ("MP", "Filter", "VAAI"), as the library names it.
class PSAClaimRuleClass {
public:
    std::string name;
};

// One claim rule of the pluggable storage architecture.
class PsaClaimRule {
public:
    uint32 rule = 0;
    PSAClaimRuleClass ruleClass;
    std::string plugin;
    std::string matches;
};

// Selects network file systems by their labels.
class NetworkFileSystemFilter {
public:
    std::string label;
};

class VendorProviderInfo {
public:
    std::string name;
    std::string url;
};

// I/O counters of a device, a path or a partition. The constructor from 25
// counters takes them in the order of the getters.
class StorageStatistics {
public:
    StorageStatistics() = default;
    StorageStatistics(uint64 commands, uint64 blocksRead, uint64 blocksWritten, uint64 aborts, uint64 resets,
                      uint64 readOps, uint64 writeOps, uint64 reserveOps, uint64 reservationConflicts,
                      uint64 paeCmds, uint64 paeCopies, uint64 splitCmds, uint64 splitCopies, uint64 totalTime,
                      uint64 totalTimeReads, uint64 totalTimeWrites, uint64 issueTime, uint64 issueTimeReads,
                      uint64 issueTimeWrites, uint64 queueTime, uint64 queueTimeReads, uint64 queueTimeWrites,
                      uint64 layerTime, uint64 layerTimeReads, uint64 layerTimeWrites);
    StorageStatistics(const StorageStatistics &other);
    StorageStatistics &operator=(const StorageStatistics &other);
    virtual ~StorageStatistics() = default;

    enum { kCounters = 25 };

    uint64 GetCommands() const { return counters_[0]; }
    uint64 GetBlocksRead() const { return counters_[1]; }
    uint64 GetBlocksWritten() const { return counters_[2]; }
    uint64 GetAborts() const { return counters_[3]; }
    uint64 GetResets() const { return counters_[4]; }
    uint64 GetReadOps() const { return counters_[5]; }
    uint64 GetWriteOps() const { return counters_[6]; }
    uint64 GetReserveOps() const { return counters_[7]; }
    uint64 GetReservationConflicts() const { return counters_[8]; }
    uint64 GetPaeCmds() const { return counters_[9]; }
    uint64 GetPaeCopies() const { return counters_[10]; }
    uint64 GetSplitCmds() const { return counters_[11]; }
    uint64 GetSplitCopies() const { return counters_[12]; }
    uint64 GetTotalTime() const { return counters_[13]; }
    uint64 GetTotalTimeReads() const { return counters_[14]; }
    uint64 GetTotalTimeWrites() const { return counters_[15]; }
    uint64 GetIssueTime() const { return counters_[16]; }
    uint64 GetIssueTimeReads() const { return counters_[17]; }
    uint64 GetIssueTimeWrites() const { return counters_[18]; }
    uint64 GetQueueTime() const { return counters_[19]; }
    uint64 GetQueueTimeReads() const { return counters_[20]; }
    uint64 GetQueueTimeWrites() const { return counters_[21]; }
    uint64 GetLayerTime() const { return counters_[22]; }
    uint64 GetLayerTimeReads() const { return counters_[23]; }
    uint64 GetLayerTimeWrites() const { return counters_[24]; }

private:
    uint64 counters_[kCounters] = {};
};

namespace Nmp {

// A rule that gives devices matching it to an array type.
class SatpClaimRule {
public:
    SatpClaimRule() = default;
    SatpClaimRule(const SatpClaimRule &) = default;
    SatpClaimRule(SatpClaimRule &&) = default;
    SatpClaimRule &operator=(const SatpClaimRule &) = default;
    SatpClaimRule &operator=(SatpClaimRule &&) = default;

    std::string GetDeviceUid() const { return deviceUid_; }
    void SetDeviceUid(const std::string &value) { deviceUid_ = value; }
    std::string GetVendor() const { return vendor_; }
    void SetVendor(const std::string &value) { vendor_ = value; }
    std::string GetModel() const { return model_; }
    void SetModel(const std::string &value) { model_ = value; }
    std::string GetDriver() const { return driver_; }
    void SetDriver(const std::string &value) { driver_ = value; }
    std::string GetTransport() const { return transport_; }
    void SetTransport(const std::string &value) { transport_ = value; }
    std::string GetOptions() const { return options_; }
    void SetOptions(const std::string &value) { options_ = value; }
    std::string GetClaimOptions() const { return claimOptions_; }
    void SetClaimOptions(const std::string &value) { claimOptions_ = value; }
    std::string GetPsp() const { return psp_; }
    void SetPsp(const std::string &value) { psp_ = value; }
    std::string GetPspOptions() const { return pspOptions_; }
    void SetPspOptions(const std::string &value) { pspOptions_ = value; }
    std::string GetDescription() const { return description_; }
    void SetDescription(const std::string &value) { description_ = value; }
    std::string GetRuleGroup() const { return ruleGroup_; }
    void SetRuleGroup(const std::string &value) { ruleGroup_ = value; }
    bool GetForce() const { return force_; }
    void SetForce(bool value) { force_ = value; }

private:
    std::string deviceUid_;
    std::string vendor_;
    std::string model_;
    std::string driver_;
    std::string transport_;
    std::string options_;
    std::string claimOptions_;
    std::string psp_;
    std::string pspOptions_;
    std::string description_;
    std::string ruleGroup_;
    bool force_ = false;
};

}  // namespace Nmp
}  // namespace Storage
}  // namespace HostCtl

namespace QorCtl {
namespace Storage {

// A function the library asks for the extra room a core dump needs.
class AdditionalCoreDumpSizeCbkFn {
public:
    uint64 (*function)() = nullptr;
};

}  // namespace Storage
}  // namespace QorCtl
