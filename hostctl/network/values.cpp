#include "hostctl/network/values.h"

#include <cstdio>

namespace HostCtl {
namespace Network {
namespace {

// Reads "xx:xx:xx:xx:xx:xx" (hexadecimal, either case); false on anything else.
bool parse_mac(const std::string &text, std::array<uint8, 6> &octets) {
    if (text.size() != 17) return false;
    for (size_t i = 0; i < 6; ++i) {
        if (i < 5 && text[i * 3 + 2] != ':') return false;
        unsigned value = 0;
        for (size_t j = 0; j < 2; ++j) {
            char c = text[i * 3 + j];
            int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0) return false;
            value = value * 16 + static_cast<unsigned>(digit);
        }
        octets[i] = static_cast<uint8>(value);
    }
    return true;
}

}  // namespace

MacAddress::MacAddress(const std::string &text) { valid_ = parse_mac(text, octets_); }

MacAddress::MacAddress(const uint8 octets[6]) : valid_(true) {
    for (size_t i = 0; i < 6; ++i) octets_[i] = octets[i];
}

MacAddress::MacAddress(const uint32 octets[6]) : valid_(true) {
    for (size_t i = 0; i < 6; ++i) {
        if (octets[i] > 0xff) valid_ = false;
        octets_[i] = static_cast<uint8>(octets[i]);
    }
}

void MacAddress::GetBinaryAddress(uint8 octets[6]) const {
    for (size_t i = 0; i < 6; ++i) octets[i] = octets_[i];
}

std::string MacAddress::GetStringAddress() const {
    char text[18];
    std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", octets_[0], octets_[1], octets_[2],
                  octets_[3], octets_[4], octets_[5]);
    return text;
}

bool MacAddress::IsValid(const std::string &text) {
    std::array<uint8, 6> octets;
    return parse_mac(text, octets);
}

}  // namespace Network
}  // namespace HostCtl
