// qorctl._binding: binds the module's flat functions into the proxy classes.
//
// A flat function takes the object as its first argument. Bound as an
// instance method the usual way, every call `obj.Method(...)` allocates a
// bound-method object first. The objects here are method descriptors
// instead: the interpreter calls them with the object prepended (no bound
// method is made), and they pass that argument vector on to the flat
// function unchanged. How the proxy classes are called and their instances
// dropped is the other part of the module (classes.cpp).
#include "binding.h"

#include <structmember.h>

#include <cstddef>
#include <initializer_list>

namespace qor_binding {
namespace {

PyObject *method_vectorcall(PyObject *self, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
    return call_function(as_binding(self), args, nargsf, kwnames);
}

// __init__: the constructor's proxy becomes the instance's `this`.
PyObject *initializer_vectorcall(PyObject *self, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
    Py_ssize_t count = PyVectorcall_NARGS(nargsf);
    if (count < 1) {
        PyErr_SetString(PyExc_TypeError, "__init__ needs the instance");
        return nullptr;
    }
    static PyObject *this_name = PyUnicode_InternFromString("this");
    if (!this_name) return nullptr;
    PyObject *proxy = call_function(as_binding(self), args + 1, static_cast<size_t>(count - 1), kwnames);
    if (!proxy) return nullptr;
    int status = PyObject_SetAttr(args[0], this_name, proxy);
    Py_DECREF(proxy);
    if (status < 0) return nullptr;
    Py_RETURN_NONE;
}

// A function binding is not bound to what it is looked up on.
PyObject *function_get(PyObject *self, PyObject *, PyObject *) {
    Py_INCREF(self);
    return self;
}

// Looked up on an instance without the call fast path (getattr, a stored
// reference): an ordinary bound method.
PyObject *binding_get(PyObject *self, PyObject *obj, PyObject *) {
    if (!obj || obj == Py_None) {
        Py_INCREF(self);
        return self;
    }
    return PyMethod_New(self, obj);
}

void binding_dealloc(PyObject *self) {
    Binding *binding = as_binding(self);
    Py_XDECREF(binding->function);
    Py_XDECREF(binding->name);
    Py_XDECREF(binding->owner_qualname);
    Py_XDECREF(binding->module);
    Py_TYPE(self)->tp_free(self);
}

// __set_name__(owner, name): the class statement names the binding, so that
// help(), inspect and tracebacks show the method as the class has it. It
// runs once per method as the package makes its classes, so it only keeps
// what it is given (the class's own qualified name and module, read from
// the class itself where it is a class of Python's making); "Class.name" is
// made when asked for.
PyObject *binding_set_name(PyObject *self, PyObject *const *args, Py_ssize_t count) {
    if (count != 2 || !PyUnicode_Check(args[1])) {
        PyErr_SetString(PyExc_TypeError, "__set_name__ takes the owner and a name");
        return nullptr;
    }
    PyObject *owner = args[0], *name = args[1];  // borrowed
    PyObject *owner_qualname, *module;           // new references
    if (PyType_Check(owner) && PyType_HasFeature(reinterpret_cast<PyTypeObject *>(owner), Py_TPFLAGS_HEAPTYPE)) {
        PyTypeObject *type = reinterpret_cast<PyTypeObject *>(owner);
        owner_qualname = reinterpret_cast<PyHeapTypeObject *>(type)->ht_qualname;
        Py_XINCREF(owner_qualname);
        module = PyDict_GetItemString(type->tp_dict, "__module__");  // borrowed, or null
        Py_XINCREF(module);
    } else {
        owner_qualname = PyObject_GetAttrString(owner, "__qualname__");
        module = owner_qualname ? PyObject_GetAttrString(owner, "__module__") : nullptr;
    }
    if (!owner_qualname || !module) {
        Py_XDECREF(owner_qualname);
        Py_XDECREF(module);
        if (!PyErr_Occurred()) PyErr_SetString(PyExc_TypeError, "__set_name__: the owner has no qualified name or module");
        return nullptr;
    }
    Binding *binding = as_binding(self);
    Py_INCREF(name);
    Py_XSETREF(binding->name, name);
    Py_XSETREF(binding->owner_qualname, owner_qualname);
    Py_XSETREF(binding->module, module);
    Py_RETURN_NONE;
}

// The value set by __set_name__, else the flat function's attribute `attr`.
PyObject *named_or_function(PyObject *value, Binding *binding, const char *attr) {
    if (!value) return PyObject_GetAttrString(binding->function, attr);
    Py_INCREF(value);
    return value;
}

PyObject *binding_name(PyObject *self, void *) {
    return named_or_function(as_binding(self)->name, as_binding(self), "__name__");
}
PyObject *binding_qualname(PyObject *self, void *) {
    Binding *binding = as_binding(self);
    if (!binding->owner_qualname) return PyObject_GetAttrString(binding->function, "__qualname__");
    return PyUnicode_FromFormat("%U.%U", binding->owner_qualname, binding->name);
}
PyObject *binding_module(PyObject *self, void *) {
    return named_or_function(as_binding(self)->module, as_binding(self), "__module__");
}
// Owned or null: the callable that gives a flat function's documentation
// by its name (set by the package, which keeps the texts out of its import).
PyObject *doc_source = nullptr;

// The documentation the source gives for the flat function's name, or else
// the function's own.
PyObject *binding_doc(PyObject *self, void *) {
    PyObject *function = as_binding(self)->function;  // borrowed
    if (doc_source) {
        PyObject *name = PyObject_GetAttrString(function, "__name__");
        PyObject *doc = name ? PyObject_CallFunctionObjArgs(doc_source, name, nullptr) : nullptr;
        Py_XDECREF(name);
        if (!doc || doc != Py_None) return doc;
        Py_DECREF(doc);
    }
    return PyObject_GetAttrString(function, "__doc__");
}

PyGetSetDef binding_getset[] = {
    {const_cast<char *>("__name__"), binding_name, nullptr, nullptr, nullptr},
    {const_cast<char *>("__qualname__"), binding_qualname, nullptr, nullptr, nullptr},
    {const_cast<char *>("__module__"), binding_module, nullptr, nullptr, nullptr},
    {const_cast<char *>("__doc__"), binding_doc, nullptr, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyMethodDef binding_methods[] = {
    {"__set_name__", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(binding_set_name)), METH_FASTCALL,
     nullptr},
    {nullptr, nullptr, 0, nullptr},
};

PyObject *binding_repr(PyObject *self) {
    return PyUnicode_FromFormat("<%s of %R>", Py_TYPE(self)->tp_name, as_binding(self)->function);
}

PyMemberDef binding_members[] = {
    {const_cast<char *>("__func__"), T_OBJECT, offsetof(Binding, function), READONLY,
     const_cast<char *>("the flat function this binds")},
    {nullptr, 0, 0, 0, nullptr},
};

PyTypeObject make_binding_type(const char *name, const char *doc, descrgetfunc get = binding_get,
                               unsigned long method_flag = Py_TPFLAGS_METHOD_DESCRIPTOR) {
    PyTypeObject type = {PyVarObject_HEAD_INIT(nullptr, 0)};
    type.tp_name = name;
    type.tp_basicsize = sizeof(Binding);
    type.tp_dealloc = binding_dealloc;
    type.tp_vectorcall_offset = offsetof(Binding, vectorcall);
    type.tp_repr = binding_repr;
    type.tp_call = PyVectorcall_Call;
    type.tp_flags = Py_TPFLAGS_DEFAULT | method_flag | QOR_TPFLAGS_HAVE_VECTORCALL;
    type.tp_doc = doc;
    type.tp_members = binding_members;
    type.tp_getset = binding_getset;
    type.tp_methods = binding_methods;
    type.tp_descr_get = get;
    return type;
}

PyTypeObject method_type = make_binding_type("qorctl.method", "A flat function bound as a method.");
}  // namespace

PyTypeObject initializer_type =
    make_binding_type("qorctl.initializer", "A constructor bound as __init__: its proxy becomes `this`.");

namespace {

// A static method or module function: called as it is, documented as the methods are.
PyTypeObject function_type =
    make_binding_type("qorctl.function", "A flat function called as it is.", function_get, 0);

PyObject *bind(PyTypeObject *type, vectorcallfunc vectorcall, PyObject *function) {
    if (!PyCallable_Check(function)) {
        PyErr_Format(PyExc_TypeError, "%R is not callable", function);
        return nullptr;
    }
    Binding *binding = PyObject_New(Binding, type);
    if (!binding) return nullptr;
    Py_INCREF(function);
    binding->function = function;
    binding->function_vectorcall = QOR_VECTORCALL_FUNCTION(function);
    binding->vectorcall = vectorcall;
    binding->name = binding->owner_qualname = binding->module = nullptr;
    return reinterpret_cast<PyObject *>(binding);
}

PyObject *method(PyObject *, PyObject *function) { return bind(&method_type, method_vectorcall, function); }

PyObject *initializer(PyObject *, PyObject *function) {
    return bind(&initializer_type, initializer_vectorcall, function);
}

PyObject *function(PyObject *, PyObject *function) { return bind(&function_type, method_vectorcall, function); }

// static_method(flat_function): a function binding in a staticmethod. Since
// 3.10 staticmethod() copies the name and documentation of what it wraps, and
// the binding's documentation comes from the documentation source: the first
// class made with a static method would load every reference text. The
// staticmethod made here carries what staticmethod() would copy from the
// binding before any source is set, which is the flat function's own.
PyObject *static_method(PyObject *, PyObject *flat) {
    PyObject *binding = function(nullptr, flat);
    if (!binding) return nullptr;
    PyObject *method = PyStaticMethod_New(binding);
    Py_DECREF(binding);
#if PY_VERSION_HEX >= 0x030A0000
    for (const char *name : {"__module__", "__name__", "__qualname__", "__doc__"}) {
        PyObject *value = method ? PyObject_GetAttrString(flat, name) : nullptr;
        if (!value || PyObject_SetAttrString(method, name, value) < 0) Py_CLEAR(method);
        Py_XDECREF(value);
    }
#endif
    return method;
}

PyObject *set_doc_source(PyObject *, PyObject *source) {
    if (!PyCallable_Check(source)) {
        PyErr_Format(PyExc_TypeError, "%R is not callable", source);
        return nullptr;
    }
    Py_INCREF(source);
    Py_XSETREF(doc_source, source);
    Py_RETURN_NONE;
}

PyMethodDef functions[] = {
    {"method", method, METH_O, "method(flat_function): bind a flat function as a method"},
    {"initializer", initializer, METH_O, "initializer(new_function): bind a constructor as __init__"},
    {"function", function, METH_O, "function(flat_function): a flat function documented as the methods are"},
    {"static_method", static_method, METH_O,
     "static_method(flat_function): function(flat_function) as a static method, named as the flat function"},
    {"direct_calls", direct_calls, METH_O,
     "direct_calls(cls): calling the proxy class cls runs its constructor directly, and its instances are "
     "dropped directly; returns cls"},
    {"set_doc_source", set_doc_source, METH_O,
     "set_doc_source(callable): callable(flat_function_name) gives the documentation of the bindings"},
    {nullptr, nullptr, 0, nullptr},
};

PyModuleDef definition = {
    PyModuleDef_HEAD_INIT, "qorctl._binding", "Method descriptors for the qorctl proxy classes.", -1, functions,
    nullptr, nullptr, nullptr, nullptr,
};

}  // namespace
}  // namespace qor_binding

extern "C" __attribute__((visibility("default"))) PyObject *PyInit__binding(void) {
    using namespace qor_binding;
    if (PyType_Ready(&method_type) < 0 || PyType_Ready(&initializer_type) < 0 || PyType_Ready(&function_type) < 0 ||
        !prepare_classes()) {
        return nullptr;
    }
    return PyModule_Create(&definition);
}
