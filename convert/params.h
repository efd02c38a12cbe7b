// Argument holders and result converters used by the generated wrappers.
//
// Each argument kind is a small struct with `load` (convert, or set the
// argument's exception and return false), a static `check` (the non-storing
// test that overload dispatch uses) and `get`. Temporaries the conversion
// allocated are released by the destructor, so every path of a wrapper,
// success or failure, frees them.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "containers.h"

namespace qor {

template <class T, class = void>
struct ScalarTraits;

#define QOR_SCALAR(T, AS, FROM)                                            \
    template <>                                                            \
    struct ScalarTraits<T> {                                               \
        static int as(PyObject *obj, T *val) { return AS(obj, val); }      \
        static PyObject *from(T value) { return FROM(value); }             \
    };
QOR_SCALAR(bool, AsValBool, FromBool)
QOR_SCALAR(char, AsValChar, FromChar)
QOR_SCALAR(short, AsValShort, FromLong)
QOR_SCALAR(int, AsValInt, FromLong)
QOR_SCALAR(long, AsValLong, FromLong)
QOR_SCALAR(long long, AsValLongLong, PyLong_FromLongLong)
QOR_SCALAR(unsigned char, AsValUnsignedChar, FromUnsignedLong)
QOR_SCALAR(unsigned short, AsValUnsignedShort, FromUnsignedLong)
QOR_SCALAR(unsigned int, AsValUnsignedInt, FromUnsignedInt)
QOR_SCALAR(unsigned long, AsValUnsignedLong, FromUnsignedLong)
QOR_SCALAR(unsigned long long, AsValUnsignedLongLong, FromUnsignedLongLong)
#undef QOR_SCALAR

// Enumerations travel as int.
template <class E>
struct ScalarTraits<E, std::enable_if_t<std::is_enum<E>::value>> {
    static int as(PyObject *obj, E *val) {
        int value = 0;
        int status = AsValInt(obj, &value);
        if (ok(status) && val) *val = static_cast<E>(value);
        return status;
    }
    static PyObject *from(E value) { return FromLong(static_cast<long>(value)); }
};

// A scalar taken by value or by const reference.
template <class T>
struct ScalarArg {
    T value{};
    bool load(PyObject *obj, ArgSite site) {
        int status = ScalarTraits<T>::as(obj, &value);
        return ok(status) || arg_error(status, site);
    }
    static bool check(PyObject *obj) { return ok(ScalarTraits<T>::as(obj, nullptr)); }
    T get() const { return value; }
};

// std::string taken by const reference, by value or by pointer: a str is
// copied into a temporary; a `std::string *` proxy is used in place.
struct StringArg {
    std::string *text = nullptr;
    bool owned = false;
    StringArg() = default;
    StringArg(const StringArg &) = delete;
    StringArg &operator=(const StringArg &) = delete;
    ~StringArg() {
        if (owned) delete text;
    }
    bool load(PyObject *obj, ArgSite site) {
        int status = AsPtrStdString(obj, &text);
        if (!ok(status)) return arg_error(status, site);
        owned = (status & kNewObject) != 0;
        return text || null_ref_error(site);
    }
    static bool check(PyObject *obj) { return ok(AsPtrStdString(obj, nullptr)); }
    std::string &get() const { return *text; }
};

// char const *: None passes a null pointer.
struct CStringArg {
    char *text = nullptr;
    int alloc = 0;
    CStringArg() = default;
    CStringArg(const CStringArg &) = delete;
    CStringArg &operator=(const CStringArg &) = delete;
    ~CStringArg() {
        if (alloc == kNewObject) delete[] text;
    }
    bool load(PyObject *obj, ArgSite site) {
        int status = AsCharPtrAndSize(obj, &text, nullptr, &alloc);
        return ok(status) || arg_error(status, site);
    }
    static bool check(PyObject *obj) { return ok(AsCharPtrAndSize(obj, nullptr, nullptr, nullptr)); }
    const char *get() const { return text; }
};

// A character array `char [N]`: text of at most N bytes with its NUL (a full
// array of N bytes for N = 1), the rest of the array zero-filled.
template <size_t N>
struct CharArrayArg {
    char value[N] = {};
    bool load(PyObject *obj, ArgSite site) {
        int status = AsCharArray(obj, value, N);
        return ok(status) || arg_error(status, site);
    }
    static bool check(PyObject *obj) { return ok(AsCharArray(obj, nullptr, N)); }
    char *get() { return value; }
};

// A library pointer carried by a proxy; `Nulls` says what None means.
template <class T, Null Nulls>
struct PointerArg {
    void *ptr = nullptr;
    bool load(PyObject *obj, swig_type_info *type, ArgSite site, int flags = 0) {
        return load_pointer(&ptr, obj, type, site, flags | null_policy(Nulls));
    }
    static bool check(PyObject *obj, swig_type_info *type) {
        return object_to_pointer(obj, nullptr, type, 0) == 0;
    }
    T *get() const { return static_cast<T *>(ptr); }
};

template <class T>
using PtrArg = PointerArg<T, Null::kAllowed>;
template <class T>
using RefArg = PointerArg<T, Null::kValueError>;
template <class T>
using SelfArg = PointerArg<T, Null::kTypeError>;

// A converted container taken by const reference or by value: a proxy of the
// container is used in place, a Python sequence (a dict for maps) is copied
// into a temporary that the destructor frees. None is a null reference.
template <class C>
struct ContainerArg {
    C *ptr = nullptr;
    bool owned = false;
    ContainerArg() = default;
    ContainerArg(const ContainerArg &) = delete;
    ContainerArg &operator=(const ContainerArg &) = delete;
    ~ContainerArg() {
        if (owned) delete ptr;
    }
    bool load(PyObject *obj, const ContainerInfo &info, ArgSite site) {
        int status = Conversion<C>::asptr(obj, &ptr, info);
        if (!ok(status)) return arg_error(status, site);
        owned = (status & kNewObject) != 0;
        return ptr || null_ref_error(site);
    }
    static bool check(PyObject *obj, const ContainerInfo &info) {
        return ok(Conversion<C>::asptr(obj, nullptr, info));
    }
    C *get() const { return ptr; }
};

// ---- results ---------------------------------------------------------------

template <class T>
PyObject *from_scalar(T value) {
    return ScalarTraits<T>::from(value);
}
inline PyObject *from_string(const std::string &text) { return FromStdString(text); }
inline PyObject *from_cstring(const char *text) { return FromCharPtr(text); }
// An unterminated full array reads as all its N bytes.
inline PyObject *from_char_array(const char *text, size_t size) {
    return FromCharPtrAndSize(text, SWIG_strnlen(text, size));
}

// A class value returned by value: a heap copy that the proxy owns.
template <class T>
PyObject *from_copy(T &&value, swig_type_info *type) {
    using Value = std::decay_t<T>;
    return pointer_to_object(new Value(std::forward<T>(value)), type, kOwn);
}

// A pointer or reference the library lends: never owned by the proxy.
template <class T>
PyObject *from_borrowed(T *ptr, swig_type_info *type) {
    return pointer_to_object(const_cast<std::remove_const_t<T> *>(ptr), type, 0);
}

// A field inside the object argument `owner`: borrowed, and keeping the
// owner's proxy alive while it lives.
template <class T>
PyObject *from_member(T *ptr, swig_type_info *type, PyObject *owner) {
    return member_to_object(const_cast<std::remove_const_t<T> *>(ptr), type, owner);
}

// An owning pointer handed over by the library: moved into a new heap holder
// whose proxy does not own it, so the object lives until Python code resets,
// deletes or acquires the holder.
template <class T>
PyObject *from_holder(std::unique_ptr<T> &&value, swig_type_info *holder_type) {
    return pointer_to_object(new std::unique_ptr<T>(std::move(value)), holder_type, 0);
}

template <class T>
PyObject *from_holder_vector(std::vector<std::unique_ptr<T>> &&values, swig_type_info *holder_type) {
    if (!sequence_size_fits(values.size())) return nullptr;
    PyObject *tuple = PyTuple_New(static_cast<Py_ssize_t>(values.size()));
    if (!tuple) return nullptr;
    for (size_t i = 0; i < values.size(); ++i) {
        PyObject *item = from_holder(std::move(values[i]), holder_type);
        if (!item) {
            Py_DECREF(tuple);
            return nullptr;
        }
        PyTuple_SET_ITEM(tuple, static_cast<Py_ssize_t>(i), item);
    }
    return tuple;
}


}  // namespace qor
