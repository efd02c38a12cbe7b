// Value classes of the logical-unit area: a device's durable name, a handle
// on an open device and a partition-table entry. Their members are the
// library's; scripts reach them through the operations.
#pragma once

#include <string>
#include <vector>

#include "hostctl/core.h"

namespace HostCtl {
namespace Storage {

enum LunInquirySource : int;  // defined with its values by the logical units' header

// An identifier a device reports in its inquiry data, kept as the raw bytes.
class DurableName {
public:
    // Copies `length` bytes from `data`; refuses a null `data` with a length.
    DurableName(LunInquirySource source, uint32 length, uint8 *data);
    int GetSource();
    std::string GetStringData();
    // The bytes as text: printable characters as they are, others as '.'.
    std::string GetPrintableStringData();

private:
    LunInquirySource source_;
    std::vector<uint8> bytes_;
};

// The world that opened a device and the partition it opened.
class LunHandle {
public:
    LunHandle() = default;
    LunHandle(uint32 worldId, uint32 partition) : worldId_(worldId), partition_(partition) {}
    uint32 GetWorldID() { return worldId_; }
    uint32 GetPartition() { return partition_; }

private:
    uint32 worldId_ = 0;
    uint32 partition_ = 0;
};

// One entry of a partition table: number, first and last sector, type and GUID.
class Partition {
public:
    Partition() = default;
    Partition(uint32 number, uint64 start, uint64 end, uint8 type, std::string guid)
        : number_(number), start_(start), end_(end), type_(type), guid_(std::move(guid)) {}
    uint32 GetNumber() { return number_; }
    uint64 GetStartSector() { return start_; }
    uint64 GetEndSector() { return end_; }
    uint32 GetType() { return type_; }
    std::string GetGuid() { return guid_; }
    void SetNumber(uint32 number) { number_ = number; }
    void SetStartSector(uint64 start) { start_ = start; }
    void SetEndSector(uint64 end) { end_ = end; }
    void SetType(uint8 type) { type_ = type; }
    void SetGuid(const std::string &guid) { guid_ = guid; }

private:
    uint32 number_ = 0;
    uint64 start_ = 0;
    uint64 end_ = 0;
    uint8 type_ = 0;
    std::string guid_;
};

}  // namespace Storage
}  // namespace HostCtl
