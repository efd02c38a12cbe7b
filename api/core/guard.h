// The exception guard around every library call: the library's exception
// becomes the registered Python class, any other C++ exception a standard
// Python exception; nothing C++ crosses into the interpreter.
#pragma once

#include "convert/params.h"
#include "hostctl/core.h"

namespace qor {

// Thrown by the module's own inline code once it has set the Python
// exception itself (an argument it cannot use): the guard only reports failure.
struct ErrorAlreadySet {};

// Raises a heap copy of `error` as the value of the registered exception
// class (or RuntimeError with a bare proxy when none is registered).
PyObject *raise_library_exception(const HostCtl::Lib::HostCtlException &error);

template <class Call>
PyObject *guarded(Call &&call) {
    if (!held_proxies_intact()) return nullptr;
    try {
        return call();
    } catch (const HostCtl::Lib::HostCtlException &error) {
        return raise_library_exception(error);
    } catch (const ErrorAlreadySet &) {
        return nullptr;
    } catch (...) {
        return raise_std_exception();
    }
}

// Runs `assign`, turning a C++ exception into a Python one: 0 or 1.
template <class Assign>
int guarded_status(Assign &&assign) {
    PyObject *done = guarded([&]() -> PyObject * {
        assign();
        Py_RETURN_NONE;
    });
    if (!done) return 1;
    Py_DECREF(done);
    return 0;
}

// Setter of a writable record or container variable: the library object is
// assigned from the one `value` refers to; None is a null reference.
template <class T>
int assign_variable(PyObject *value, T *target, swig_type_info *type, const char *null_ref_message) {
    RefArg<T> source;
    if (!source.load(value, type, null_ref_message)) return 1;
    return guarded_status([&]() { *target = *source.get(); });
}

}  // namespace qor
