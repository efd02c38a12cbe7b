// What the binding module's two parts share: the binding object (a flat
// function bound into a proxy class) and the calls of proxy classes.
#ifndef QORCTL_PACKAGE_BINDING_H
#define QORCTL_PACKAGE_BINDING_H

#include <Python.h>

namespace qor_binding {

#if PY_VERSION_HEX < 0x03090000
#define QOR_TPFLAGS_HAVE_VECTORCALL _Py_TPFLAGS_HAVE_VECTORCALL
#define QOR_VECTORCALL _PyObject_Vectorcall
#define QOR_VECTORCALL_FUNCTION _PyVectorcall_Function
#else
#define QOR_TPFLAGS_HAVE_VECTORCALL Py_TPFLAGS_HAVE_VECTORCALL
#define QOR_VECTORCALL PyObject_Vectorcall
#define QOR_VECTORCALL_FUNCTION PyVectorcall_Function
#endif

struct Binding {
    PyObject_HEAD
    PyObject *function;                  // owned: the flat function
    vectorcallfunc function_vectorcall;  // the function's own, or null
    vectorcallfunc vectorcall;
    PyObject *name;                      // owned or null: the attribute it was bound as
    PyObject *owner_qualname;            // owned or null: the qualified name of its class
    PyObject *module;                    // owned or null: the class's module
};

inline Binding *as_binding(PyObject *self) { return reinterpret_cast<Binding *>(self); }

// Calls the bound function with an argument vector: straight through its own
// vectorcall when it has one (the module's functions do), else generically.
inline PyObject *call_function(Binding *binding, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
    if (binding->function_vectorcall) return binding->function_vectorcall(binding->function, args, nargsf, kwnames);
    return QOR_VECTORCALL(binding->function, args, nargsf, kwnames);
}

// The type of the constructor bindings that become a class's __init__.
extern PyTypeObject initializer_type;

// direct_calls(cls), a function of the module (classes.cpp).
PyObject *direct_calls(PyObject *, PyObject *cls);

// Readies the class calls at the module's start; false with an exception set.
bool prepare_classes();

}  // namespace qor_binding

#endif  // QORCTL_PACKAGE_BINDING_H
