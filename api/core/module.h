// The module's entry point and the helpers its function table relies on.
#pragma once

#include "runtime/callconv.h"

namespace qor {

// The generated function table, ended by an empty entry. Its wrappers take
// the argument-tuple convention.
extern PyMethodDef function_table[];

// Beside each entry of the function table, the wrapper's argument-vector form
// (null where there is none) and the number of arguments it takes (-1: any).
struct VectorEntry {
    VectorFunction call;
    int count;
};
extern const VectorEntry vector_table[];

// What deletes the object of a dying proxy whose destroy function is the
// delete function at `function` in the function table; sorted by `function`.
struct ReleaseEntry {
    int function;
    ReleaseFunction release;
};
extern const ReleaseEntry release_table[];
extern const int release_count;

// The argument-tuple entry of the function at `function` in the function
// table: the tuple's items are the argument vector, and the wrapper runs
// inside the exception guard. A length other than the wrapper's count fails
// as the interpreter's own parser would. It throws nothing, so the generated
// entries that call it need no unwinding information.
PyObject *call_with_tuple(PyObject *args, int function) noexcept;

// SWIG_PyInstanceMethod_New: binds a flat function as a method.
PyObject *instance_method_new(PyObject *module, PyObject *func);

// Gives the module's functions their argument-vector calls; false with an
// exception set when the module's dictionary lacks one of them.
bool install_vector_calls(PyObject *module);

// Body of every <Class>_swigregister.
PyObject *swigregister(PyObject *cls, swig_type_info *type);

}  // namespace qor
