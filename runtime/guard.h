// The exception guard around every library call: the library's exception
// becomes the registered Python class, any other C++ exception a standard
// Python exception; nothing C++ crosses into the interpreter.
#pragma once

#include "callconv.h"
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

}  // namespace qor
