#include <climits>
#include <cstdio>

#include "containers.h"

namespace qor {

bool sequence_size_fits(size_t size) {
    if (size <= static_cast<size_t>(INT_MAX)) return true;
    PyErr_SetString(PyExc_OverflowError, "sequence size not valid in python");
    return false;
}

bool map_size_fits(size_t size) {
    if (size <= static_cast<size_t>(INT_MAX)) return true;
    PyErr_SetString(PyExc_OverflowError, "map size not valid in python");
    return false;
}

bool carries_proxy(PyObject *obj) {
    SwigPyObject *proxy = find_this(obj);
    Py_XDECREF(proxy);
    return proxy != nullptr;
}

int container_from_proxy(PyObject *obj, void **out, swig_type_info *type) {
    // Without its type record no proxy can be told apart: refuse them all
    // rather than accept a proxy of any type.
    if (!type && obj != Py_None) return kError;
    int status = object_to_pointer(obj, out, type, 0);
    return status == kDeletedObject ? status : (ok(status) ? kOk : kError);
}

void element_error(const ContainerInfo &info, Py_ssize_t index) {
    if (!PyErr_Occurred()) PyErr_SetString(PyExc_TypeError, info.element);
    char position[48];
    std::snprintf(position, sizeof position, "in sequence element %zd ", index);
    add_error_message(position);
    add_error_message("bad type");
}

int AsPtrStringPair(PyObject *obj, std::pair<std::string, std::string> **out) {
    using Pair = std::pair<std::string, std::string>;
    static const ContainerInfo info = {"std::pair<std::string,std::string >", "std::string", nullptr};
    PyObject *first = nullptr;
    PyObject *second = nullptr;
    if (PyTuple_Check(obj)) {
        if (PyTuple_GET_SIZE(obj) != 2) return kError;
        first = PyTuple_GET_ITEM(obj, 0);
        second = PyTuple_GET_ITEM(obj, 1);
        Py_INCREF(first);
        Py_INCREF(second);
    } else if (PySequence_Check(obj)) {
        if (PySequence_Size(obj) != 2) {
            PyErr_Clear();
            return kError;
        }
        first = PySequence_GetItem(obj, 0);
        second = first ? PySequence_GetItem(obj, 1) : nullptr;
        if (!second) {
            Py_XDECREF(first);
            PyErr_Clear();
            return kError;
        }
    } else {
        void *raw = nullptr;
        int status = container_from_proxy(obj, out ? &raw : nullptr, container_type<Pair>(info));
        if (ok(status) && out) *out = static_cast<Pair *>(raw);
        return status;
    }
    std::string a;
    std::string b;
    int status = AsValStdString(first, out ? &a : nullptr);
    if (ok(status)) status = AsValStdString(second, out ? &b : nullptr);
    Py_DECREF(first);
    Py_DECREF(second);
    if (!ok(status)) return status;
    if (!out) return kOk;
    *out = new Pair(std::move(a), std::move(b));
    return kOk | kNewObject;
}

}  // namespace qor
