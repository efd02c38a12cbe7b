#include "api/core/guard.h"

namespace qor::ty {
extern swig_type_info *&_p_HostCtl__Lib__HostCtlException;  // defined by the generated type table
}

PyObject *qor::raise_library_exception(const HostCtl::Lib::HostCtlException &error) {
    swig_type_info *type = ty::_p_HostCtl__Lib__HostCtlException;
    PyObject *cls = exception_class_for_type(type);
    PyObject *value = pointer_to_object(new HostCtl::Lib::HostCtlException(error), type, kOwn);
    if (value) raise_object(cls, value);
    return nullptr;
}

PyObject *qor::run_guarded(GuardedBody body, void *context) noexcept {
    try {
        return body(context);
    } catch (const HostCtl::Lib::HostCtlException &error) {
        try {
            return raise_library_exception(error);
        } catch (...) {  // no memory left to copy the library's exception
            return raise_std_exception();
        }
    } catch (const ErrorAlreadySet &) {
        return nullptr;
    } catch (...) {
        return raise_std_exception();
    }
}
