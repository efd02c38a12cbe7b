// The exception guard around every library call: the library's exception
// becomes the registered Python class, any other C++ exception a standard
// Python exception; nothing C++ crosses into the interpreter.
#pragma once

#include "callconv.h"
#include "hostctl/core.h"

namespace qor {

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
    } catch (...) {
        return raise_std_exception();
    }
}

}  // namespace qor
