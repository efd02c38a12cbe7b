// Conversion of the library's standard containers: vectors of text, of
// integers, of string pairs, of records and of record pointers; the set of
// strings; the string-keyed maps; the string pair.
//
// `asptr` turns a Python argument into a container: a proxy of the container
// type is used in place, a Python sequence (a dict for maps) is copied into a
// new container marked with kNewObject. Without a destination it only checks
// convertibility, for overload dispatch. `from` turns a container result into
// a tuple (a dict, or a proxy of a copy, for maps).
//
// Every container type has a conversion type name, the spelling that finds
// its type record ("<name> *") and names it in element errors.
#pragma once

#include <exception>
#include <memory>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "scalars.h"

namespace qor {

// What a wrapper tells the conversion about one container type.
struct ContainerInfo {
    const char *name;             // conversion type name
    const char *element;          // element type name, for errors
    swig_type_info *element_type; // record elements only: the record's type
};

bool sequence_size_fits(size_t size);
bool map_size_fits(size_t size);

// The container's type record, looked up by its conversion type name once
// per container type.
template <class C>
swig_type_info *container_type(const ContainerInfo &info) {
    static swig_type_info *type = lookup_type_by_name((std::string(info.name) + " *").c_str());
    return type;
}

// Whether `obj` is a proxy or an object whose `this` leads to one.
bool carries_proxy(PyObject *obj);

// A None or a proxy argument: the container behind a proxy of exactly this
// container type (or null for None), never a copy.
int container_from_proxy(PyObject *obj, void **out, swig_type_info *type);

// Reads `obj` as a string pair: a 2-tuple, a sequence of length 2, or a
// pair proxy (or None). With `out`, `*out` receives a new pair (kNewObject)
// or the proxy's pair.
int AsPtrStringPair(PyObject *obj, std::pair<std::string, std::string> **out);

// ---- elements ----------------------------------------------------------------
// `as` converts one item into the element (status code; no exception left
// pending by itself), `from` makes a new reference.

template <class T, class = void>
struct Element;

template <>
struct Element<std::string> {
    static int as(PyObject *item, std::string *out, const ContainerInfo &) { return AsValStdString(item, out); }
    static PyObject *from(const std::string &value, const ContainerInfo &) { return FromStdString(value); }
};

template <>
struct Element<unsigned int> {
    static int as(PyObject *item, unsigned int *out, const ContainerInfo &) { return AsValUnsignedInt(item, out); }
    static PyObject *from(unsigned int value, const ContainerInfo &) { return FromUnsignedInt(value); }
};

template <>
struct Element<unsigned long> {
    static int as(PyObject *item, unsigned long *out, const ContainerInfo &) { return AsValSizeT(item, out); }
    static PyObject *from(unsigned long value, const ContainerInfo &) { return FromUnsignedLong(value); }
};

template <>
struct Element<std::pair<std::string, std::string>> {
    using Pair = std::pair<std::string, std::string>;
    static int as(PyObject *item, Pair *out, const ContainerInfo &) {
        Pair *pair = nullptr;
        int status = AsPtrStringPair(item, out ? &pair : nullptr);
        if (!ok(status) || !out) return status;
        if (!pair) return kError;  // None, or a null pair proxy
        *out = *pair;
        if (status & kNewObject) delete pair;
        return kOk;
    }
    static PyObject *from(const Pair &value, const ContainerInfo &) {
        PyObject *first = FromStdString(value.first);
        PyObject *second = first ? FromStdString(value.second) : nullptr;
        PyObject *tuple = second ? PyTuple_Pack(2, first, second) : nullptr;
        Py_XDECREF(first);
        Py_XDECREF(second);
        return tuple;
    }
};

// A record value: taken from a proxy of the record and copied; None fails.
template <class T>
struct Element<T, std::enable_if_t<std::is_class<T>::value>> {
    static int as(PyObject *item, T *out, const ContainerInfo &info) {
        void *raw = nullptr;
        int status = object_to_pointer(item, &raw, info.element_type, 0);
        if (!ok(status)) return status;
        if (!raw) return kError;
        if (out) *out = *static_cast<T *>(raw);
        return kOk;
    }
    static PyObject *from(const T &value, const ContainerInfo &info) {
        return pointer_to_object(new T(value), info.element_type, kOwn);
    }
};

// A record pointer: None is a null element; results are borrowed proxies.
template <class T>
struct Element<T *> {
    static int as(PyObject *item, T **out, const ContainerInfo &info) {
        void *raw = nullptr;
        int status = object_to_pointer(item, &raw, info.element_type, 0);
        if (ok(status) && out) *out = static_cast<T *>(raw);
        return status;
    }
    static PyObject *from(T *value, const ContainerInfo &info) {
        return pointer_to_object(const_cast<std::remove_const_t<T> *>(value), info.element_type, 0);
    }
};

// ---- sequence reading ---------------------------------------------------------

// A failed element in a copying read: the pending error (a TypeError naming
// the element type when the element set none) is extended by its position.
void element_error(const ContainerInfo &info, Py_ssize_t index);

template <class T>
void append(std::vector<T> &container, T &&value) { container.push_back(std::move(value)); }
template <class T>
void append(std::set<T> &container, T &&value) { container.insert(std::move(value)); }

// Converts every item of the sequence `seq` (items fetched one at a time and
// released once converted) with `add(item)`; stops at the first failure.
template <class Add>
int read_items(PyObject *seq, const ContainerInfo &info, bool storing, Add &&add) {
    Py_ssize_t size = PySequence_Size(seq);
    if (size < 0) {
        PyErr_Clear();
        return kError;
    }
    for (Py_ssize_t i = 0; i < size; ++i) {
        PyObject *item = PySequence_GetItem(seq, i);
        int status = item ? add(item) : kError;
        Py_XDECREF(item);
        if (!ok(status)) {
            if (storing) {
                element_error(info, i);
            } else {
                PyErr_Clear();  // a check leaves nothing pending: dispatch goes on
            }
            return kError;
        }
    }
    return kOk;
}

// Runs a copying read; a C++ exception (a failed allocation) becomes the
// generic failure with a TypeError carrying its text.
template <class Read>
int guarded_read(Read &&read) {
    try {
        return read();
    } catch (const std::exception &error) {
        if (!PyErr_Occurred()) PyErr_SetString(PyExc_TypeError, error.what());
        return kError;
    }
}

// Vectors and the set: a proxy (or None) in place, a sequence copied.
template <class C>
int asptr_sequence(PyObject *obj, C **out, const ContainerInfo &info) {
    using T = typename C::value_type;
    if (obj == Py_None || carries_proxy(obj)) {
        void *raw = nullptr;
        int status = container_from_proxy(obj, out ? &raw : nullptr, container_type<C>(info));
        if (ok(status) && out) *out = static_cast<C *>(raw);
        return status;
    }
    if (!PySequence_Check(obj)) return kError;
    if (!out) {
        return read_items(obj, info, false, [&](PyObject *item) { return Element<T>::as(item, nullptr, info); });
    }
    return guarded_read([&]() {
        auto container = std::make_unique<C>();
        int status = read_items(obj, info, true, [&](PyObject *item) {
            T value{};
            int converted = Element<T>::as(item, &value, info);
            if (ok(converted)) append(*container, std::move(value));
            return converted;
        });
        if (!ok(status)) return status;
        *out = container.release();
        return kOk | kNewObject;
    });
}

// Maps: a dict copied through its items(), or a map proxy (or None) in place.
template <class M>
int asptr_map(PyObject *obj, M **out, const ContainerInfo &info) {
    using V = typename M::mapped_type;
    if (!PyDict_Check(obj)) {
        void *raw = nullptr;
        int status = container_from_proxy(obj, out ? &raw : nullptr, container_type<M>(info));
        if (ok(status) && out) *out = static_cast<M *>(raw);
        return status;
    }
    PyObject *items = PyObject_CallMethod(obj, "items", nullptr);
    PyObject *seq = items ? PySequence_Fast(items, ".items() didn't return a sequence!") : nullptr;
    Py_XDECREF(items);
    if (!seq) {
        if (!out) PyErr_Clear();
        return kError;
    }
    // Each item is a (key, value) pair: the key is text, the value converts
    // as the map's value type.
    auto entry = [&](PyObject *item, std::string *key, V *value) {
        if (!PyTuple_Check(item) || PyTuple_GET_SIZE(item) != 2) return static_cast<int>(kError);
        int status = AsValStdString(PyTuple_GET_ITEM(item, 0), key);
        return ok(status) ? Element<V>::as(PyTuple_GET_ITEM(item, 1), value, info) : status;
    };
    int status;
    if (!out) {
        status = read_items(seq, info, false, [&](PyObject *item) { return entry(item, nullptr, nullptr); });
    } else {
        status = guarded_read([&]() {
            auto map = std::make_unique<M>();
            int read = read_items(seq, info, true, [&](PyObject *item) {
                std::string key;
                V value{};
                int converted = entry(item, &key, &value);
                if (ok(converted)) map->emplace(std::move(key), std::move(value));  // a key keeps its first value
                return converted;
            });
            if (!ok(read)) return read;
            *out = map.release();
            return kOk | kNewObject;
        });
    }
    Py_DECREF(seq);
    return status;
}

// ---- the container kinds -------------------------------------------------------

template <class C>
struct Conversion;

template <class T>
struct Conversion<std::vector<T>> {
    static int asptr(PyObject *obj, std::vector<T> **out, const ContainerInfo &info) {
        return asptr_sequence(obj, out, info);
    }
};

template <class T>
struct Conversion<std::set<T>> {
    static int asptr(PyObject *obj, std::set<T> **out, const ContainerInfo &info) {
        return asptr_sequence(obj, out, info);
    }
};

template <class V>
struct Conversion<std::map<std::string, V>> {
    static int asptr(PyObject *obj, std::map<std::string, V> **out, const ContainerInfo &info) {
        return asptr_map(obj, out, info);
    }
};

template <>
struct Conversion<std::pair<std::string, std::string>> {
    static int asptr(PyObject *obj, std::pair<std::string, std::string> **out, const ContainerInfo &) {
        return AsPtrStringPair(obj, out);
    }
};

// A vector of text read as a map value or a container element.
template <>
struct Element<std::vector<std::string>> {
    static int as(PyObject *item, std::vector<std::string> *out, const ContainerInfo &) {
        const ContainerInfo inner = {"std::vector<std::string,std::allocator< std::string > >", "std::string",
                                     nullptr};
        std::vector<std::string> *value = nullptr;
        int status = asptr_sequence(item, out ? &value : nullptr, inner);
        if (!ok(status) || !out) return status;
        if (!value) return kError;
        *out = *value;
        if (status & kNewObject) delete value;
        return kOk;
    }
    static PyObject *from(const std::vector<std::string> &value, const ContainerInfo &info);
};

// ---- results -------------------------------------------------------------------

// A tuple of the elements in container order (a set's are sorted).
template <class C>
PyObject *from_sequence(const C &values, const ContainerInfo &info) {
    using T = typename C::value_type;
    if (!sequence_size_fits(values.size())) return nullptr;
    PyObject *tuple = PyTuple_New(static_cast<Py_ssize_t>(values.size()));
    if (!tuple) return nullptr;
    Py_ssize_t index = 0;
    for (const auto &value : values) {
        PyObject *item = Element<T>::from(value, info);
        if (!item) {
            Py_DECREF(tuple);
            return nullptr;
        }
        PyTuple_SET_ITEM(tuple, index++, item);
    }
    return tuple;
}

// A dictionary of the map's entries, values converted by their kind.
template <class M>
PyObject *map_as_dict(const M &values, const ContainerInfo &info) {
    if (!map_size_fits(values.size())) return nullptr;
    PyObject *dict = PyDict_New();
    if (!dict) return nullptr;
    for (const auto &entry : values) {
        PyObject *key = FromStdString(entry.first);
        PyObject *value = key ? Element<typename M::mapped_type>::from(entry.second, info) : nullptr;
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

// A map whose class is registered comes back as an owned proxy of a copy;
// otherwise as a dict.
template <class M>
PyObject *from_map(const M &values, const ContainerInfo &info) {
    swig_type_info *type = container_type<M>(info);
    if (type && type->clientdata) return pointer_to_object(new M(values), type, kOwn);
    return map_as_dict(values, info);
}

template <class T>
PyObject *from_container(const std::vector<T> &values, const ContainerInfo &info) {
    return from_sequence(values, info);
}
template <class T>
PyObject *from_container(const std::set<T> &values, const ContainerInfo &info) {
    return from_sequence(values, info);
}
template <class V>
PyObject *from_container(const std::map<std::string, V> &values, const ContainerInfo &info) {
    return from_map(values, info);
}
inline PyObject *from_container(const std::pair<std::string, std::string> &value, const ContainerInfo &info) {
    return Element<std::pair<std::string, std::string>>::from(value, info);
}

inline PyObject *Element<std::vector<std::string>>::from(const std::vector<std::string> &value,
                                                           const ContainerInfo &info) {
    return from_sequence(value, info);
}

}  // namespace qor
