// The logical-unit area's value classes that keep members of their own.
#include <cctype>

#include "hostctl/storage/lun_values.h"

namespace HostCtl {
namespace Storage {

// A length with no bytes behind it would be read through a null pointer.
DurableName::DurableName(LunInquirySource source, uint32 length, uint8 *data) : source_(source) {
    if (!data && length) throw HostCtl::Lib::HostCtlException("durable name of " + std::to_string(length) +
                                                               " bytes without its identifier");
    if (data) bytes_.assign(data, data + length);
}

int DurableName::GetSource() { return static_cast<int>(source_); }

std::string DurableName::GetStringData() { return std::string(bytes_.begin(), bytes_.end()); }

std::string DurableName::GetPrintableStringData() {
    std::string text;
    for (uint8 byte : bytes_) text += std::isprint(byte) ? static_cast<char>(byte) : '.';
    return text;
}

}  // namespace Storage
}  // namespace HostCtl
