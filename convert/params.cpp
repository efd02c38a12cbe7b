#include "params.h"

namespace qor {

bool load_pointer(void **out, PyObject *obj, swig_type_info *type, ArgSite site, int flags) {
    auto nulls = static_cast<Null>(flags >> kNullPolicyShift);
    int status = object_to_pointer(obj, out, type, flags & ((1 << kNullPolicyShift) - 1));
    if (!ok(status)) return arg_error(status, site);
    if (*out || nulls == Null::kAllowed) return true;
    return nulls == Null::kValueError ? null_ref_error(site) : arg_error(kTypeError, site);
}

}  // namespace qor
