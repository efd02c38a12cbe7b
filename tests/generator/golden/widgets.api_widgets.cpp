// Generated: wrapper functions.
#include <algorithm>
#include <cstring>
#include "api/core/guard.h"
#include "api/core/module.h"
#include "convert/params.h"
#include "convert/container_classes.h"
#include "api/core/holders.h"
#include "hostctl/widgets.h"

namespace qor::ty {
extern swig_type_info *&_p_HostCtl__Widgets__Widget;
extern swig_type_info *&_p_std__unique_ptrT_HostCtl__Widgets__Widget_t;
}

namespace {
struct WidgetPtrData {
    using Held = HostCtl::Widgets::Widget;
    static swig_type_info *holder() { return qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t; }
    static swig_type_info *held() { return qor::ty::_p_HostCtl__Widgets__Widget; }
    static constexpr const char *kPointer = "std::unique_ptr< HostCtl::Widgets::Widget >::pointer";
    static constexpr const char *kSelf = "std::unique_ptr< HostCtl::Widgets::Widget > *";
    static constexpr const char *kConstSelf = "std::unique_ptr< HostCtl::Widgets::Widget > const *";
    static constexpr const char *kRef = "std::unique_ptr< HostCtl::Widgets::Widget > &";
    static constexpr const char *kResetOverloads = "Wrong number or type of arguments for overloaded function 'WidgetPtr_reset'.\n  Possible C/C++ prototypes are:\n    std::unique_ptr< HostCtl::Widgets::Widget >::reset(std::unique_ptr< HostCtl::Widgets::Widget >::pointer)\n    std::unique_ptr< HostCtl::Widgets::Widget >::reset()\n";
};
}  // namespace

PyObject *_call_new_WidgetPtr(PyObject *const *argv, Py_ssize_t argc) {
    return qor::Holder<WidgetPtrData>::make(argv, argc);
}

PyObject *_call_WidgetPtr_release(PyObject *const *argv, Py_ssize_t argc) {
    return qor::Holder<WidgetPtrData>::release(argv, argc);
}

PyObject *_call_WidgetPtr_reset(PyObject *const *argv, Py_ssize_t argc) {
    return qor::Holder<WidgetPtrData>::reset(argv, argc);
}

PyObject *_call_WidgetPtr_swap(PyObject *const *argv, Py_ssize_t argc) {
    return qor::Holder<WidgetPtrData>::swap(argv, argc);
}

PyObject *_call_WidgetPtr_get(PyObject *const *argv, Py_ssize_t argc) {
    return qor::Holder<WidgetPtrData>::get(argv, argc);
}

PyObject *_call_WidgetPtr___nonzero__(PyObject *const *argv, Py_ssize_t argc) {
    return qor::Holder<WidgetPtrData>::truth(argv, argc);
}

PyObject *_call_delete_WidgetPtr(PyObject *const *argv, Py_ssize_t argc) {
    return qor::Holder<WidgetPtrData>::destroy(argv, argc);
}
PyObject *_release_delete_WidgetPtr(void *ptr, swig_type_info *type) {
    return qor::Holder<WidgetPtrData>::destroy_dying(ptr, type);
}

PyObject *_call_WidgetPtr_swigregister(PyObject *const *argv, Py_ssize_t) {
    return qor::swigregister(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t);
}

