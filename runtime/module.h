// The module's entry point and the helpers its function table relies on.
#pragma once

#include "registry.h"

namespace qor {

// The generated function table, ended by an empty entry.
extern PyMethodDef function_table[];

// SWIG_PyInstanceMethod_New: binds a flat function as a method.
PyObject *instance_method_new(PyObject *module, PyObject *func);

// Body of every <Class>_swigregister.
PyObject *swigregister(PyObject *args, swig_type_info *type);

// Copies up to `max` leading arguments into `argv` for overload dispatch;
// returns the argument count, or -1 when `args` is not a tuple.
Py_ssize_t overload_args(PyObject *args, Py_ssize_t max, PyObject **argv);

}  // namespace qor
