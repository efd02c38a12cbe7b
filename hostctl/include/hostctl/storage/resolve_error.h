// The texts of an unresolved volume's resolve outcomes. Inline, so that the
// module computes them itself and the library words its failures the same way.
#pragma once

#include <string>

namespace QorCtl {
namespace Storage {

// "unknown error" for any value outside the eight outcomes.
inline std::string ResolveErrorText(long outcome) {
    static const char *const kTexts[] = {
        "ok",
        "duplicate extents found",
        "some extents missing",
        "extra extents found",
        "failed to check for existing active volumes",
        "the volume is being actively used",
        "the original volume is still online",
        "the original volume has some extents online",
    };
    const long count = static_cast<long>(sizeof kTexts / sizeof kTexts[0]);
    return outcome >= 0 && outcome < count ? kTexts[outcome] : "unknown error";
}

}  // namespace Storage
}  // namespace QorCtl
