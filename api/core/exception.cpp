#include "api/core/guard.h"

#include "convert/iterators.h"

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

namespace {

// The Python exception for the C++ exception being handled; called only
// from a handler.
PyObject *raise_current_exception() noexcept {
    try {
        throw;
    } catch (const HostCtl::Lib::HostCtlException &error) {
        try {
            return qor::raise_library_exception(error);
        } catch (...) {  // no memory left to copy the library's exception
            return qor::raise_std_exception();
        }
    } catch (const qor::ErrorAlreadySet &) {
        return nullptr;
    } catch (const qor::ctr::failure &error) {
        PyErr_SetString(error.python_type(), error.what());
        return nullptr;
    } catch (const swig::stop_iteration &) {
        PyErr_SetNone(PyExc_StopIteration);
        return nullptr;
    } catch (...) {
        return qor::raise_std_exception();
    }
}

}  // namespace

PyObject *qor::call_guarded(VectorFunction call, PyObject *const *argv, Py_ssize_t argc) noexcept {
    try {
        return call(argv, argc);
    } catch (...) {
        return raise_current_exception();
    }
}

PyObject *qor::run_guarded(GuardedBody body, void *context) noexcept {
    try {
        return body(context);
    } catch (...) {
        return raise_current_exception();
    }
}
