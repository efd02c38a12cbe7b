// Generated: the module's constants and global variables, in interface order.
#include "convert/values.h"
#include "api/core/guard.h"
#include "hostctl/widgets.h"

namespace qor::ty {
extern swig_type_info *&_p_HostCtl__Widgets__Size;
}

namespace {

PyObject *get_4() { return qor::from_borrowed(&HostCtl::Widgets::DEFAULT_SIZE, qor::ty::_p_HostCtl__Widgets__Size); }
int set_4(PyObject *value) {
    return qor::assign_variable(value, &HostCtl::Widgets::DEFAULT_SIZE, qor::ty::_p_HostCtl__Widgets__Size, "invalid null reference in variable 'HostCtl::Widgets::DEFAULT_SIZE' of type 'HostCtl::Widgets::Size'");
}
PyObject *get_5() { return qor::from_scalar<unsigned int>(HostCtl::Widgets::WidgetImpl::LIMIT); }
int set_5(PyObject *) {
    return qor::read_only_variable("Variable WidgetImpl_LIMIT is read-only.");
}

}  // namespace


const qor::Value qor::module_values[] = {
    {"COLOUR_RED", qor::ValueKind::kLong, 0LL, 0ULL, nullptr, nullptr, nullptr},
    {"COLOUR_BLUE", qor::ValueKind::kLong, 4LL, 0ULL, nullptr, nullptr, nullptr},
    {"MAX_WIDGETS", qor::ValueKind::kLong, 16LL, 0ULL, nullptr, nullptr, nullptr},
    {"WIDGET_KIND", qor::ValueKind::kCString, 0LL, 0ULL, "widget", nullptr, nullptr},
    {"DEFAULT_SIZE", qor::ValueKind::kVariable, 0LL, 0ULL, nullptr, get_4, set_4},
    {"WidgetImpl_LIMIT", qor::ValueKind::kVariable, 0LL, 0ULL, nullptr, get_5, set_5},
    {nullptr, qor::ValueKind::kLong, 0LL, 0ULL, nullptr, nullptr, nullptr},
};

