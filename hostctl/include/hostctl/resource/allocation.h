// Resource allocations: value classes whose accessors are inline. The set
// mask records which members were given, so an allocation tells "not given"
// apart from zero. Each has a text form ("minimum=1000,maximum=unlimited,
// shares=normal,units=MHz") in which the simulated host keeps it.
#pragma once

#include <string>

#include "hostctl/core.h"

namespace HostCtl {
namespace Resource {

class ResourceAllocation {
public:
    enum ResourceUnits : int {
        RESOURCE_UNITS_PERCENT, RESOURCE_UNITS_MHZ, RESOURCE_UNITS_BSHARES, RESOURCE_UNITS_GB, RESOURCE_UNITS_MB,
        RESOURCE_UNITS_KB, RESOURCE_UNITS_PAGES, RESOURCE_UNITS_BYTES, RESOURCE_UNITS_INVALID
    };
    enum ValidityResult : int {
        RA_OK, RA_EMPTY, RA_UNITS_NOT_SET, RA_ONLY_UNITS_SET, RA_MIN_GT_MAX, RA_MINLIMIT_LT_MIN
    };
    // Shares below zero name the levels; a value of all ones is unlimited.
    static constexpr int RESOURCE_SHARES_LOW = -2;
    static constexpr int RESOURCE_SHARES_NORMAL = -3;
    static constexpr int RESOURCE_SHARES_HIGH = -4;
    static constexpr uint64 RESOURCE_VALUE_UNLIMITED = static_cast<uint64>(-1);

    static const std::string ResourceUnitStr[9];
    static const std::string RESOURCE_SHARES_LOW_STR;
    static const std::string RESOURCE_SHARES_NORMAL_STR;
    static const std::string RESOURCE_SHARES_HIGH_STR;
    static const std::string RESOURCE_VALUE_UNLIMITED_STR;

    ResourceAllocation() = default;
    ResourceAllocation(uint64 minimum, uint64 maximum, uint32 shares, uint64 minLimit, ResourceUnits units)
        : minimum_(minimum), maximum_(maximum), shares_(shares), minLimit_(minLimit), units_(units),
          setMask_(kAll) {}
    // Reads the text form; an item that does not read throws.
    explicit ResourceAllocation(const std::string &text);
    virtual ~ResourceAllocation() = default;

    virtual bool IsValid() const;
    bool IsInitialized() const;
    int CheckIfValid() const;
    static const char *GetCheckResultString(ValidityResult result);

    uint64 GetMinimum() const { return minimum_; }
    bool HasMinimum() const { return setMask_ & kMinimum; }
    void SetMinimum(uint64 value);
    uint64 GetMaximum() const { return maximum_; }
    bool HasMaximum() const { return setMask_ & kMaximum; }
    std::string GetMaximumString() const;
    unsigned int GetShares() const { return shares_; }
    bool HasShares() const { return setMask_ & kShares; }
    std::string GetSharesString() const;
    uint64 GetMinLimit() const { return minLimit_; }
    bool HasMinLimit() const { return setMask_ & kMinLimit; }
    std::string GetMinLimitString() const;
    int GetUnits() const { return units_; }
    bool HasUnits() const { return setMask_ & kUnits; }
    std::string GetUnitsString() const;

    void SetMaximum(uint64 value);
    void SetMaximum(const std::string &text);
    void SetMinLimit(uint64 value);
    void SetMinLimit(const std::string &text);
    void SetShares(uint32 value);
    void SetShares(const std::string &text);
    virtual void SetUnits(ResourceUnits units);
    void SetUnits(const std::string &text);

    // The text form of the members that were given.
    std::string Text() const;

protected:
    // Whether the allocation's kind of resource is measured in `units`.
    virtual bool AppliesTo(int units) const;

private:
    enum : uint32 { kMinimum = 1, kMaximum = 2, kShares = 4, kMinLimit = 8, kUnits = 16, kAll = 31 };

    uint64 minimum_ = 0;
    uint64 maximum_ = 0;
    uint32 shares_ = 0;
    uint64 minLimit_ = 0;
    ResourceUnits units_ = RESOURCE_UNITS_INVALID;
    uint32 setMask_ = 0;
};

// Memory is measured in sizes, processors in percent or MHz; SetUnits refuses
// other units and IsValid fails on them.
class MemoryResourceAllocation : public ResourceAllocation {
public:
    using ResourceAllocation::ResourceAllocation;

protected:
    bool AppliesTo(int units) const override;
};

class CpuResourceAllocation : public ResourceAllocation {
public:
    using ResourceAllocation::ResourceAllocation;

protected:
    bool AppliesTo(int units) const override;
};

// Disks are shared by proportion only.
class DiskResourceAllocation {
public:
    DiskResourceAllocation() = default;
    explicit DiskResourceAllocation(uint32 shares) : shares_(shares) {}
    unsigned int GetShares() const { return shares_; }
    std::string GetSharesString() const;
    void SetShares(uint32 shares) { shares_ = shares; }

private:
    uint32 shares_ = static_cast<uint32>(ResourceAllocation::RESOURCE_SHARES_NORMAL);
};

}  // namespace Resource
}  // namespace HostCtl
