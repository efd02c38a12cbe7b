#include "module.h"

#include <algorithm>
#include <cstring>

#include "api/core/guard.h"
#include "convert/values.h"

namespace qor {

PyObject *instance_method_new(PyObject *, PyObject *func) { return PyInstanceMethod_New(func); }

namespace {

// Registration functions parse their argument tuple under the name "swigregister".
const char *parse_name(const char *function) {
    static constexpr char kRegister[] = "_swigregister";
    size_t length = std::strlen(function), suffix = sizeof kRegister - 1;
    bool registers = length > suffix && std::strcmp(function + length - suffix, kRegister) == 0;
    return registers ? kRegister + 1 : function;
}

// Every call of a wrapper: inside a call scope named for its function, and
// inside the exception guard.
PyObject *run_wrapper(const char *name, VectorFunction call, PyObject *const *argv, Py_ssize_t argc) {
    CallScope scope(name);
    return call_guarded(call, argv, argc);
}

}  // namespace

PyObject *call_with_tuple(PyObject *args, int function) noexcept {
    const char *name = function_table[function].ml_name;
    const VectorEntry &entry = vector_table[function];
    Py_ssize_t argc = PyTuple_GET_SIZE(args);
    if (entry.count >= 0 && argc != entry.count) return argument_count_error(args, parse_name(name), entry.count);
    return run_wrapper(name, entry.call, reinterpret_cast<PyTupleObject *>(args)->ob_item, argc);
}

PyObject *swigregister(PyObject *cls, swig_type_info *type) {
    register_class(type, cls);
    Py_RETURN_NONE;
}

namespace {

// A call that does not fit the wrapper's vector form (a wrong argument count,
// keywords) goes the interpreter's own way through the tuple entry, so its
// errors read exactly as they would without the vector form. Kept out of
// line, so that the common call does not set up this one's frame.
__attribute__((noinline)) PyObject *call_through_tuple(PyObject *callable, PyObject *const *args, Py_ssize_t argc, PyObject *kwnames) {
    PyObject *tuple = PyTuple_New(argc);
    if (!tuple) return nullptr;
    for (Py_ssize_t i = 0; i < argc; ++i) {
        Py_INCREF(args[i]);
        PyTuple_SET_ITEM(tuple, i, args[i]);
    }
    PyObject *kwargs = nullptr;
    if (kwnames && PyTuple_GET_SIZE(kwnames) > 0) {
        kwargs = PyDict_New();
        for (Py_ssize_t i = 0; kwargs && i < PyTuple_GET_SIZE(kwnames); ++i) {
            if (PyDict_SetItem(kwargs, PyTuple_GET_ITEM(kwnames, i), args[argc + i]) < 0) Py_CLEAR(kwargs);
        }
        if (!kwargs) {
            Py_DECREF(tuple);
            return nullptr;
        }
    }
    PyObject *result = Py_TYPE(callable)->tp_call(callable, tuple, kwargs);
    Py_DECREF(tuple);
    Py_XDECREF(kwargs);
    return result;
}

PyObject *vector_call(PyObject *callable, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
    auto *function = reinterpret_cast<PyCFunctionObject *>(callable);
    const VectorEntry &entry = vector_table[function->m_ml - function_table];
    Py_ssize_t argc = PyVectorcall_NARGS(nargsf);
    bool keywords = kwnames && PyTuple_GET_SIZE(kwnames) > 0;
    if (!keywords && (entry.count < 0 || entry.count == argc)) {
        return run_wrapper(function->m_ml->ml_name, entry.call, args, argc);
    }
    return call_through_tuple(callable, args, argc, kwnames);
}

// The release function of `destroy` when it is one of this module's delete
// functions: those are the builtin functions that call through vector_call.
ReleaseFunction own_release(PyObject *destroy) {
    if (!PyCFunction_Check(destroy)) return nullptr;
    auto *function = reinterpret_cast<PyCFunctionObject *>(destroy);
    if (function->vectorcall != vector_call) return nullptr;
    int index = static_cast<int>(function->m_ml - function_table);
    const ReleaseEntry *end = release_table + release_count;
    const ReleaseEntry *found = std::lower_bound(
        release_table, end, index, [](const ReleaseEntry &entry, int wanted) { return entry.function < wanted; });
    return found != end && found->function == index ? found->release : nullptr;
}

}  // namespace

// The function table keeps the argument-tuple convention (what a caller with a
// tuple in hand and introspection see), but most calls arrive as an argument
// vector: from Python code, and from the methods of the proxy classes. Those
// reach the wrapper's vector form directly, without the tuple the interpreter
// would otherwise build for every call.
//
// The function objects are reached by walking the module's dictionary, which
// the module's creation has just filled from the table: each one's method
// definition is its entry in the table. Looking each of the twelve thousand up
// again by name cost a quarter of the module's initialisation.
bool install_vector_calls(PyObject *module) {
    Py_ssize_t expected = 0;
    for (Py_ssize_t i = 0; function_table[i].ml_name; ++i) {
        if (vector_table[i].call) ++expected;
    }
    PyObject *dict = PyModule_GetDict(module);  // borrowed
    PyObject *key, *value;                      // borrowed
    Py_ssize_t position = 0, installed = 0;
    while (PyDict_Next(dict, &position, &key, &value)) {
        // Only the table's functions are bound to the module itself.
        if (!PyCFunction_Check(value) || PyCFunction_GET_SELF(value) != module) continue;
        auto *object = reinterpret_cast<PyCFunctionObject *>(value);
        if (!vector_table[object->m_ml - function_table].call) continue;
        object->vectorcall = vector_call;
        ++installed;
    }
    if (installed != expected) {
        PyErr_Format(PyExc_SystemError, "%zd of the module's functions are missing", expected - installed);
        return false;
    }
    return true;
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
#if PY_VERSION_HEX >= 0x030A0000
    // The garbage collector tracks each of the module's twelve thousand
    // function objects: made with collection on, they set off seventeen
    // collections, one of which walks seven thousand of them a second time.
    // Made with it held off, the next collection walks each of them once.
    int collecting = PyGC_Disable();
#endif
    PyObject *module = PyModule_Create2(&module_definition, 1013);
#if PY_VERSION_HEX >= 0x030A0000
    if (collecting) PyGC_Enable();
#endif
    if (!module) return nullptr;
    if (!qor::install_vector_calls(module)) {
        Py_DECREF(module);
        return nullptr;
    }
    qor::set_release_lookup(qor::own_release);
    qor::init_registry();
    PyObject *dict = PyModule_GetDict(module);  // borrowed
    if (!qor::install_values(dict, qor::module_values)) {
        Py_DECREF(module);
        return nullptr;
    }
    return module;
}
