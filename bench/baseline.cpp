// _qorbench_baseline: the smallest hand-written extension module that does the
// same work as the generated wrappers for a few representative calls, against
// the same library. The benchmark compares the generated module with it.
//
// Each function here still parses its arguments, checks the object's type,
// calls the library, converts the result and turns a library exception into a
// Python exception; it only leaves out the generality of the generated runtime
// (type registry, proxy objects, shadow instances, argument tuples).

#include <Python.h>

#include <climits>
#include <memory>
#include <new>
#include <string>

#include "hostctl/core.h"
#include "hostctl/geometry.h"
#include "hostctl/hardware/pci.h"
#include "hostctl/network/enums.h"
#include "hostctl/network/values.h"
#include "hostctl/network/records.h"
#include "hostctl/network/adapter_records.h"
#include "hostctl/network/switching.h"
#include "hostctl/network/switching_impl.h"
#include "hostctl/network/objects.h"
#include "hostctl/network/impl.h"
#include "hostctl/network/statics.h"
#include "hostctl/network/held.h"
#include "hostctl/network/dvs_values.h"
#include "hostctl/network/dvs.h"
#include "hostctl/network/stack_values.h"
#include "hostctl/network/stack.h"

namespace {

// ---- errors ------------------------------------------------------------------

PyObject *raise_current() {
    try {
        throw;
    } catch (const HostCtl::Lib::HostCtlException &e) {
        PyErr_SetString(PyExc_RuntimeError, e.what());
    } catch (const std::bad_alloc &) {
        PyErr_NoMemory();
    } catch (const std::exception &e) {
        PyErr_SetString(PyExc_RuntimeError, e.what());
    } catch (...) {
        PyErr_SetString(PyExc_RuntimeError, "unknown C++ exception");
    }
    return nullptr;
}

PyObject *from_string(const std::string &text) {
    return PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape");
}

// Range-checked int conversion: TypeError for a non-int, OverflowError out of range.
bool as_int(PyObject *obj, int *out) {
    if (!PyLong_Check(obj)) {
        PyErr_SetString(PyExc_TypeError, "an int is required");
        return false;
    }
    long value = PyLong_AsLong(obj);
    if (value == -1 && PyErr_Occurred()) return false;
    if (value < INT_MIN || value > INT_MAX) {
        PyErr_SetString(PyExc_OverflowError, "value out of range for int");
        return false;
    }
    *out = static_cast<int>(value);
    return true;
}

// ---- Pnic ----------------------------------------------------------------------

struct PnicObject {
    PyObject_HEAD
    HostCtl::Network::PnicPtr *holder;  // owned
};

PyTypeObject PnicType = {PyVarObject_HEAD_INIT(nullptr, 0)};

HostCtl::Network::Pnic *pnic_of(PyObject *obj) {
    if (!PyObject_TypeCheck(obj, &PnicType)) {
        PyErr_SetString(PyExc_TypeError, "expected a Pnic");
        return nullptr;
    }
    auto *self = reinterpret_cast<PnicObject *>(obj);
    if (!self->holder || !*self->holder) {
        PyErr_SetString(PyExc_ValueError, "the Pnic was released");
        return nullptr;
    }
    return self->holder->get();
}

void pnic_dealloc(PyObject *obj) {
    delete reinterpret_cast<PnicObject *>(obj)->holder;
    Py_TYPE(obj)->tp_free(obj);
}

PyObject *pnic_get_name_impl(HostCtl::Network::Pnic *pnic) {
    try {
        return from_string(pnic->GetName());
    } catch (...) {
        return raise_current();
    }
}

PyObject *pnic_method_get_name(PyObject *self, PyObject *) {
    HostCtl::Network::Pnic *pnic = pnic_of(self);
    return pnic ? pnic_get_name_impl(pnic) : nullptr;
}

PyMethodDef pnic_methods[] = {
    {"GetName", pnic_method_get_name, METH_NOARGS, nullptr},
    {nullptr, nullptr, 0, nullptr},
};

// ---- VMPoint -------------------------------------------------------------------

struct PointObject {
    PyObject_HEAD
    VMPoint *ptr;  // owned; null once deleted
};

PyTypeObject PointType = {PyVarObject_HEAD_INIT(nullptr, 0)};

VMPoint *point_of(PyObject *obj) {
    if (!PyObject_TypeCheck(obj, &PointType)) {
        PyErr_SetString(PyExc_TypeError, "expected a VMPoint");
        return nullptr;
    }
    VMPoint *ptr = reinterpret_cast<PointObject *>(obj)->ptr;
    if (!ptr) PyErr_SetString(PyExc_ValueError, "the VMPoint was deleted");
    return ptr;
}

PyObject *point_new_object(PyTypeObject *type) {
    PyObject *obj = type->tp_alloc(type, 0);
    if (!obj) return nullptr;
    try {
        reinterpret_cast<PointObject *>(obj)->ptr = new VMPoint();
    } catch (...) {
        Py_DECREF(obj);
        return raise_current();
    }
    return obj;
}

PyObject *point_tp_new(PyTypeObject *type, PyObject *args, PyObject *kwargs) {
    if (PyTuple_GET_SIZE(args) != 0 || (kwargs && PyDict_GET_SIZE(kwargs) != 0)) {
        PyErr_SetString(PyExc_TypeError, "VMPoint() takes no arguments");
        return nullptr;
    }
    return point_new_object(type);
}

void point_dealloc(PyObject *obj) {
    delete reinterpret_cast<PointObject *>(obj)->ptr;
    Py_TYPE(obj)->tp_free(obj);
}

PyObject *point_x_get(PyObject *self, void *) {
    VMPoint *point = reinterpret_cast<PointObject *>(self)->ptr;
    if (!point) {
        PyErr_SetString(PyExc_ValueError, "the VMPoint was deleted");
        return nullptr;
    }
    return PyLong_FromLong(point->x);
}

int point_x_set(PyObject *self, PyObject *value, void *) {
    if (!value) {
        PyErr_SetString(PyExc_AttributeError, "cannot delete x");
        return -1;
    }
    VMPoint *point = reinterpret_cast<PointObject *>(self)->ptr;
    if (!point) {
        PyErr_SetString(PyExc_ValueError, "the VMPoint was deleted");
        return -1;
    }
    int x;
    if (!as_int(value, &x)) return -1;
    point->x = x;
    return 0;
}

PyGetSetDef point_getset[] = {
    {"x", point_x_get, point_x_set, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

// ---- flat functions --------------------------------------------------------------

// make_pnic(name): the adapter of that name, found the same way as through the
// generated module (a network information object, then GetPnicByName).
PyObject *make_pnic(PyObject *, PyObject *arg) {
    Py_ssize_t size = 0;
    const char *name = PyUnicode_AsUTF8AndSize(arg, &size);
    if (!name) return nullptr;
    PnicObject *self = PyObject_New(PnicObject, &PnicType);
    if (!self) return nullptr;
    self->holder = nullptr;
    try {
        QorCtl::Network::NetworkInfoImpl info;
        self->holder = new HostCtl::Network::PnicPtr(info.GetPnicByName(std::string(name, size)));
    } catch (...) {
        Py_DECREF(self);
        return raise_current();
    }
    return reinterpret_cast<PyObject *>(self);
}

PyObject *pnic_get_name(PyObject *, PyObject *arg) {
    HostCtl::Network::Pnic *pnic = pnic_of(arg);
    return pnic ? pnic_get_name_impl(pnic) : nullptr;
}

PyObject *point_set_x(PyObject *, PyObject *const *args, Py_ssize_t nargs) {
    if (nargs != 2) {
        PyErr_SetString(PyExc_TypeError, "point_set_x() takes exactly 2 arguments");
        return nullptr;
    }
    VMPoint *point = point_of(args[0]);
    if (!point) return nullptr;
    int x;
    if (!as_int(args[1], &x)) return nullptr;
    point->x = x;
    Py_RETURN_NONE;
}

// The same two calls with an argument tuple, the convention every generated
// wrapper has to use; the benchmark shows them to separate the cost of the
// convention from the cost of the runtime.
PyObject *pnic_get_name_args(PyObject *, PyObject *args) {
    if (PyTuple_GET_SIZE(args) != 1) {
        PyErr_SetString(PyExc_TypeError, "pnic_get_name_args() takes exactly 1 argument");
        return nullptr;
    }
    HostCtl::Network::Pnic *pnic = pnic_of(PyTuple_GET_ITEM(args, 0));
    return pnic ? pnic_get_name_impl(pnic) : nullptr;
}

PyObject *point_set_x_args(PyObject *, PyObject *args) {
    if (PyTuple_GET_SIZE(args) != 2) {
        PyErr_SetString(PyExc_TypeError, "point_set_x_args() takes exactly 2 arguments");
        return nullptr;
    }
    VMPoint *point = point_of(PyTuple_GET_ITEM(args, 0));
    if (!point) return nullptr;
    int x;
    if (!as_int(PyTuple_GET_ITEM(args, 1), &x)) return nullptr;
    point->x = x;
    Py_RETURN_NONE;
}

PyObject *point_create(PyObject *, PyObject *) { return point_new_object(&PointType); }

PyObject *point_delete(PyObject *, PyObject *arg) {
    VMPoint *point = point_of(arg);
    if (!point) return nullptr;
    reinterpret_cast<PointObject *>(arg)->ptr = nullptr;
    delete point;
    Py_RETURN_NONE;
}

PyMethodDef module_functions[] = {
    {"make_pnic", make_pnic, METH_O, nullptr},
    {"pnic_get_name", pnic_get_name, METH_O, nullptr},
    {"point_set_x", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(point_set_x)), METH_FASTCALL,
     nullptr},
    {"pnic_get_name_args", pnic_get_name_args, METH_VARARGS, nullptr},
    {"point_set_x_args", point_set_x_args, METH_VARARGS, nullptr},
    {"point_create", point_create, METH_NOARGS, nullptr},
    {"point_delete", point_delete, METH_O, nullptr},
    {nullptr, nullptr, 0, nullptr},
};

PyModuleDef module_definition = {
    PyModuleDef_HEAD_INIT, "_qorbench_baseline", nullptr, -1, module_functions,
    nullptr, nullptr, nullptr, nullptr,
};

bool ready_types() {
    PnicType.tp_name = "_qorbench_baseline.Pnic";
    PnicType.tp_basicsize = sizeof(PnicObject);
    PnicType.tp_dealloc = pnic_dealloc;
    PnicType.tp_flags = Py_TPFLAGS_DEFAULT;
    PnicType.tp_methods = pnic_methods;

    PointType.tp_name = "_qorbench_baseline.VMPoint";
    PointType.tp_basicsize = sizeof(PointObject);
    PointType.tp_dealloc = point_dealloc;
    PointType.tp_flags = Py_TPFLAGS_DEFAULT;
    PointType.tp_getset = point_getset;
    PointType.tp_new = point_tp_new;
    return PyType_Ready(&PnicType) == 0 && PyType_Ready(&PointType) == 0;
}

}  // namespace

PyMODINIT_FUNC PyInit__qorbench_baseline(void) {
    if (!ready_types()) return nullptr;
    PyObject *module = PyModule_Create(&module_definition);
    if (!module) return nullptr;
    Py_INCREF(&PnicType);
    Py_INCREF(&PointType);
    if (PyModule_AddObject(module, "Pnic", reinterpret_cast<PyObject *>(&PnicType)) < 0 ||
        PyModule_AddObject(module, "VMPoint", reinterpret_cast<PyObject *>(&PointType)) < 0) {
        Py_DECREF(module);
        return nullptr;
    }
    return module;
}
