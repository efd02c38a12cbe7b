// Network value classes that behave for real: they parse, format and
// validate their values.
#pragma once

#include <array>
#include <string>

#include "hostctl/core.h"

namespace HostCtl {
namespace Network {

// Base of the address family; polymorphic, so copies go through the copy
// constructor of the concrete class.
class IpAddress {
public:
    virtual ~IpAddress() = default;
};

class Ipv4Address : public IpAddress {
public:
    Ipv4Address() = default;
    uint32 binary = 0;
};

class Ipv6Address : public IpAddress {
public:
    Ipv6Address() = default;
    std::array<uint8, 16> bytes{};
};

// Exactly six octets; the text form is six two-digit hexadecimal groups
// separated by colons.
class MacAddress {
public:
    MacAddress() = default;
    explicit MacAddress(const std::string &text);
    explicit MacAddress(const uint8 octets[6]);
    explicit MacAddress(const uint32 octets[6]);

    void GetBinaryAddress(uint8 octets[6]) const;
    std::string GetStringAddress() const;
    bool IsValid() const { return valid_; }
    static bool IsValid(const std::string &text);

private:
    std::array<uint8, 6> octets_{};
    bool valid_ = false;
};

}  // namespace Network
}  // namespace HostCtl
