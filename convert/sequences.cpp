#include <climits>

#include "params.h"

namespace qor {

bool sequence_size_fits(size_t size) {
    if (size <= static_cast<size_t>(INT_MAX)) return true;
    PyErr_SetString(PyExc_OverflowError, "sequence size not valid in python");
    return false;
}

PyObject *from_string_vector(const std::vector<std::string> &values) {
    if (!sequence_size_fits(values.size())) return nullptr;
    PyObject *tuple = PyTuple_New(static_cast<Py_ssize_t>(values.size()));
    if (!tuple) return nullptr;
    for (size_t i = 0; i < values.size(); ++i) {
        PyObject *item = FromStdString(values[i]);
        if (!item) {
            Py_DECREF(tuple);
            return nullptr;
        }
        PyTuple_SET_ITEM(tuple, static_cast<Py_ssize_t>(i), item);
    }
    return tuple;
}

// A map whose class is registered comes back as an owned proxy of a copy;
// otherwise as a dictionary.
PyObject *from_string_map(const std::map<std::string, std::string> &values, swig_type_info *map_type) {
    if (map_type && map_type->clientdata) {
        return pointer_to_object(new std::map<std::string, std::string>(values), map_type, kOwn);
    }
    if (values.size() > static_cast<size_t>(INT_MAX)) {
        PyErr_SetString(PyExc_OverflowError, "map size not valid in python");
        return nullptr;
    }
    PyObject *dict = PyDict_New();
    if (!dict) return nullptr;
    for (const auto &entry : values) {
        PyObject *key = FromStdString(entry.first);
        PyObject *value = key ? FromStdString(entry.second) : nullptr;
        int status = value ? PyDict_SetItem(dict, key, value) : -1;
        Py_XDECREF(key);
        Py_XDECREF(value);
        if (status < 0) {
            Py_DECREF(dict);
            return nullptr;
        }
    }
    return dict;
}

}  // namespace qor
