#include "hostctl/resource/allocation.h"

#include <cctype>
#include <map>
#include <sstream>

namespace HostCtl {
namespace Resource {
namespace {

// A decimal number, or the library's exception naming what did not read.
uint64 parse_number(const std::string &text, const char *what) {
    bool digits = !text.empty();
    for (char c : text) digits = digits && std::isdigit(static_cast<unsigned char>(c));
    if (!digits) throw Lib::HostCtlException(std::string("invalid ") + what + " '" + text + "'");
    uint64 value = 0;
    std::istringstream(text) >> value;
    return value;
}

// A limit: "unlimited" or a number.
uint64 parse_limit(const std::string &text, const char *what) {
    if (text == ResourceAllocation::RESOURCE_VALUE_UNLIMITED_STR) return ResourceAllocation::RESOURCE_VALUE_UNLIMITED;
    return parse_number(text, what);
}

std::string limit_text(uint64 value) {
    if (value == ResourceAllocation::RESOURCE_VALUE_UNLIMITED) return ResourceAllocation::RESOURCE_VALUE_UNLIMITED_STR;
    return std::to_string(value);
}

const std::map<std::string, int> &share_levels() {
    static const std::map<std::string, int> levels = {
        {ResourceAllocation::RESOURCE_SHARES_LOW_STR, ResourceAllocation::RESOURCE_SHARES_LOW},
        {ResourceAllocation::RESOURCE_SHARES_NORMAL_STR, ResourceAllocation::RESOURCE_SHARES_NORMAL},
        {ResourceAllocation::RESOURCE_SHARES_HIGH_STR, ResourceAllocation::RESOURCE_SHARES_HIGH},
    };
    return levels;
}

std::string shares_text(uint32 shares) {
    for (const auto &level : share_levels()) {
        if (static_cast<uint32>(level.second) == shares) return level.first;
    }
    return std::to_string(shares);
}

// The units named by `text` (one of ResourceUnitStr).
ResourceAllocation::ResourceUnits parse_units(const std::string &text) {
    for (int units = ResourceAllocation::RESOURCE_UNITS_PERCENT; units < ResourceAllocation::RESOURCE_UNITS_INVALID;
         ++units) {
        if (ResourceAllocation::ResourceUnitStr[units] == text) return static_cast<ResourceAllocation::ResourceUnits>(units);
    }
    throw Lib::HostCtlException("invalid units '" + text + "'");
}

}  // namespace

ResourceAllocation::ResourceAllocation(const std::string &text) {
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ',');) {
        size_t equals = item.find('=');
        std::string key = item.substr(0, equals);
        std::string value = equals == std::string::npos ? std::string() : item.substr(equals + 1);
        if (key == "minimum") {
            SetMinimum(parse_number(value, "minimum"));
        } else if (key == "maximum") {
            SetMaximum(value);
        } else if (key == "shares") {
            SetShares(value);
        } else if (key == "minLimit") {
            SetMinLimit(value);
        } else if (key == "units") {
            // Stored as given: which units apply is checked by IsValid.
            units_ = parse_units(value);
            setMask_ |= kUnits;
        } else {
            throw Lib::HostCtlException("invalid allocation item '" + item + "'");
        }
    }
}

std::string ResourceAllocation::Text() const {
    std::string text;
    auto add = [&text](const char *key, const std::string &value) {
        text += (text.empty() ? "" : ",") + std::string(key) + "=" + value;
    };
    if (HasMinimum()) add("minimum", std::to_string(minimum_));
    if (HasMaximum()) add("maximum", GetMaximumString());
    if (HasShares()) add("shares", GetSharesString());
    if (HasMinLimit()) add("minLimit", GetMinLimitString());
    if (HasUnits()) add("units", GetUnitsString());
    return text;
}

int ResourceAllocation::CheckIfValid() const {
    if (setMask_ == 0) return RA_EMPTY;
    if (!HasUnits()) return RA_UNITS_NOT_SET;
    if (setMask_ == kUnits) return RA_ONLY_UNITS_SET;
    if (HasMinimum() && HasMaximum() && maximum_ != RESOURCE_VALUE_UNLIMITED && minimum_ > maximum_) {
        return RA_MIN_GT_MAX;
    }
    if (HasMinimum() && HasMinLimit() && minLimit_ != RESOURCE_VALUE_UNLIMITED && minLimit_ < minimum_) {
        return RA_MINLIMIT_LT_MIN;
    }
    return RA_OK;
}

bool ResourceAllocation::IsValid() const { return CheckIfValid() == RA_OK && AppliesTo(units_); }

bool ResourceAllocation::IsInitialized() const { return setMask_ != 0; }

const char *ResourceAllocation::GetCheckResultString(ValidityResult result) {
    static const char *const texts[] = {
        "valid", "nothing is set", "units are not set", "only units are set",
        "minimum is greater than maximum", "minimum limit is less than minimum",
    };
    return result >= RA_OK && result <= RA_MINLIMIT_LT_MIN ? texts[result] : "unknown check result";
}

void ResourceAllocation::SetMinimum(uint64 value) {
    minimum_ = value;
    setMask_ |= kMinimum;
}

void ResourceAllocation::SetMaximum(uint64 value) {
    maximum_ = value;
    setMask_ |= kMaximum;
}

void ResourceAllocation::SetMaximum(const std::string &text) { SetMaximum(parse_limit(text, "maximum")); }

std::string ResourceAllocation::GetMaximumString() const { return limit_text(maximum_); }

void ResourceAllocation::SetMinLimit(uint64 value) {
    minLimit_ = value;
    setMask_ |= kMinLimit;
}

void ResourceAllocation::SetMinLimit(const std::string &text) { SetMinLimit(parse_limit(text, "minimum limit")); }

std::string ResourceAllocation::GetMinLimitString() const { return limit_text(minLimit_); }

void ResourceAllocation::SetShares(uint32 value) {
    shares_ = value;
    setMask_ |= kShares;
}

void ResourceAllocation::SetShares(const std::string &text) {
    auto level = share_levels().find(text);
    SetShares(level != share_levels().end() ? static_cast<uint32>(level->second)
                                            : static_cast<uint32>(parse_number(text, "shares")));
}

std::string ResourceAllocation::GetSharesString() const { return shares_text(shares_); }

void ResourceAllocation::SetUnits(ResourceUnits units) {
    if (!AppliesTo(units)) {
        throw Lib::HostCtlException("units " + std::to_string(static_cast<int>(units)) + " do not apply here");
    }
    units_ = units;
    setMask_ |= kUnits;
}

void ResourceAllocation::SetUnits(const std::string &text) { SetUnits(parse_units(text)); }

std::string ResourceAllocation::GetUnitsString() const {
    return units_ >= RESOURCE_UNITS_PERCENT && units_ <= RESOURCE_UNITS_INVALID ? ResourceUnitStr[units_]
                                                                                  : ResourceUnitStr[RESOURCE_UNITS_INVALID];
}

bool ResourceAllocation::AppliesTo(int units) const {
    return units >= RESOURCE_UNITS_PERCENT && units < RESOURCE_UNITS_INVALID;
}

bool MemoryResourceAllocation::AppliesTo(int units) const {
    return units >= RESOURCE_UNITS_GB && units <= RESOURCE_UNITS_BYTES;
}

bool CpuResourceAllocation::AppliesTo(int units) const {
    return units == RESOURCE_UNITS_PERCENT || units == RESOURCE_UNITS_MHZ;
}

std::string DiskResourceAllocation::GetSharesString() const { return shares_text(shares_); }

}  // namespace Resource
}  // namespace HostCtl
