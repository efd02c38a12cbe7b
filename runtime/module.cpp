#include "module.h"

#include "variables.h"

namespace qor {

PyObject *instance_method_new(PyObject *, PyObject *func) { return PyInstanceMethod_New(func); }

PyObject *swigregister(PyObject *args, swig_type_info *type) {
    PyObject *cls = nullptr;
    if (!PyArg_ParseTuple(args, "O:swigregister", &cls)) return nullptr;
    register_class(type, cls);
    Py_RETURN_NONE;
}

Py_ssize_t overload_args(PyObject *args, Py_ssize_t max, PyObject **argv) {
    if (!PyTuple_Check(args)) return -1;
    Py_ssize_t argc = PyTuple_GET_SIZE(args);
    for (Py_ssize_t i = 0; i < argc && i < max; ++i) argv[i] = PyTuple_GET_ITEM(args, i);
    return argc;
}

}  // namespace qor

namespace {

PyModuleDef module_definition = {
    PyModuleDef_HEAD_INIT, "_qorctl", nullptr, -1, qor::function_table, nullptr, nullptr, nullptr, nullptr,
};

}  // namespace

// Older interpreters' PyMODINIT_FUNC leaves visibility alone, and everything
// else in the module is hidden; the entry point must stay visible.
extern "C" __attribute__((visibility("default"))) PyObject *PyInit__qorctl(void) {
    PyObject *module = PyModule_Create2(&module_definition, 1013);
    if (!module) return nullptr;
    qor::init_registry();
    PyObject *dict = PyModule_GetDict(module);  // borrowed
    if (!qor::install_values(dict, qor::module_values)) {
        Py_DECREF(module);
        return nullptr;
    }
    return module;
}
