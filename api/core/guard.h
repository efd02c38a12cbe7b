// The exception guard around every library call: the library's exception
// becomes the registered Python class, any other C++ exception a standard
// Python exception; nothing C++ crosses into the interpreter.
#pragma once

#include <type_traits>

#include "convert/params.h"
#include "hostctl/core.h"

namespace qor {

// Thrown by the module's own inline code once it has set the Python
// exception itself (an argument it cannot use): the guard only reports failure.
struct ErrorAlreadySet {};

// Raises a heap copy of `error` as the value of the registered exception
// class (or RuntimeError with a bare proxy when none is registered).
PyObject *raise_library_exception(const HostCtl::Lib::HostCtlException &error);

// Runs the wrapper `call` on its arguments; whatever it throws becomes a
// Python exception. The module's entry points (the tuple entry and the vector
// call of each function) call every wrapper through it, so the handlers and
// their exception tables exist once in the module and a wrapper needs no
// handler, nor a function of its own around the library call: nothing gets
// through.
PyObject *call_guarded(VectorFunction call, PyObject *const *argv, Py_ssize_t argc) noexcept;

// The same guard for the module's code that no entry point runs (a
// variable's setter, the deletion of a dying proxy's object): `body` is run
// with the context behind `context`.
using GuardedBody = PyObject *(*)(void *context);
PyObject *run_guarded(GuardedBody body, void *context) noexcept;

template <class Call>
PyObject *guarded(Call &&call) {
    using Body = std::remove_reference_t<Call>;
    return run_guarded([](void *context) -> PyObject * { return (*static_cast<Body *>(context))(); },
                       const_cast<void *>(static_cast<const void *>(&call)));
}

// The release function of a delete function: the object at `ptr`, of `type`,
// is converted to the function's argument type `target` (failing with the
// message the argument would fail with) and deleted, inside the guard when
// its destructor may throw. One that may not needs none (were it to throw
// all the same, the program would end before any guard saw it), and nearly
// every dying proxy's object is deleted here.
template <class T>
PyObject *delete_converted(void *ptr, swig_type_info *type, swig_type_info *target, ArgSite site) {
    void *object = nullptr;
    if (!convert_pointer(ptr, type, target, &object)) return arg_error(kError, site), nullptr;
    if constexpr (std::is_nothrow_destructible<T>::value) {
        delete static_cast<T *>(object);
        Py_RETURN_NONE;
    } else {
        return guarded([&]() -> PyObject * {
            delete static_cast<T *>(object);
            Py_RETURN_NONE;
        });
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
    if (!source.load(value, type, ArgSite{null_ref_message, 0})) return 1;
    return guarded_status([&]() { *target = *source.get(); });
}

}  // namespace qor
