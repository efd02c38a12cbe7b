#include "scalars.h"

#include <climits>
#include <cstring>

namespace qor {
namespace {

swig_type_info *char_pointer_type() {
    static swig_type_info *type = lookup_type_by_name("_p_char");
    return type;
}

swig_type_info *string_pointer_type() {
    static swig_type_info *type = lookup_type_by_name("std::string *");
    return type;
}

// UTF-8 form of a str, borrowed from the object; null (error cleared) when
// the text has no strict UTF-8 form, as with lone surrogates.
const char *utf8_of(PyObject *text, Py_ssize_t *length) {
    const char *data = PyUnicode_AsUTF8AndSize(text, length);
    if (!data) PyErr_Clear();
    return data;
}

// Converts through the wide converter, then checks the narrow type's range.
template <class Narrow, class Wide>
int narrow(PyObject *obj, int (*wide_converter)(PyObject *, Wide *), Narrow low, Narrow high, Narrow *val) {
    Wide wide = 0;
    int status = wide_converter(obj, &wide);
    if (!ok(status)) return status;
    if (wide < low || wide > high) return kOverflowError;
    if (val) *val = static_cast<Narrow>(wide);
    return kOk;
}

}  // namespace

int AsValLong(PyObject *obj, long *val) {
    if (!PyLong_Check(obj)) return kTypeError;
    long value = PyLong_AsLong(obj);
    if (value == -1 && PyErr_Occurred()) {
        PyErr_Clear();
        return kTypeError;
    }
    if (val) *val = value;
    return kOk;
}

int AsValInt(PyObject *obj, int *val) {
    return narrow<int>(obj, AsValLong, INT_MIN, INT_MAX, val);
}

int AsValShort(PyObject *obj, short *val) {
    return narrow<short>(obj, AsValLong, SHRT_MIN, SHRT_MAX, val);
}

int AsValLongLong(PyObject *obj, long long *val) {
    if (!PyLong_Check(obj)) {
        long value = 0;
        int status = AsValLong(obj, &value);
        if (ok(status) && val) *val = value;
        return status;
    }
    long long value = PyLong_AsLongLong(obj);
    if (value == -1 && PyErr_Occurred()) {
        PyErr_Clear();
        return kTypeError;
    }
    if (val) *val = value;
    return kOk;
}

int AsValUnsignedLong(PyObject *obj, unsigned long *val) {
    if (!PyLong_Check(obj)) return kTypeError;
    unsigned long value = PyLong_AsUnsignedLong(obj);
    if (!PyErr_Occurred()) {
        if (val) *val = value;
        return kOk;
    }
    PyErr_Clear();
    long signed_value = PyLong_AsLong(obj);
    if (signed_value == -1 && PyErr_Occurred()) {
        PyErr_Clear();
        return kTypeError;
    }
    return signed_value < 0 ? kOverflowError : kTypeError;
}

int AsValUnsignedInt(PyObject *obj, unsigned int *val) {
    return narrow<unsigned int>(obj, AsValUnsignedLong, 0u, UINT_MAX, val);
}

int AsValUnsignedShort(PyObject *obj, unsigned short *val) {
    return narrow<unsigned short>(obj, AsValUnsignedLong, 0, USHRT_MAX, val);
}

int AsValUnsignedChar(PyObject *obj, unsigned char *val) {
    return narrow<unsigned char>(obj, AsValUnsignedLong, 0, UCHAR_MAX, val);
}

int AsValUnsignedLongLong(PyObject *obj, unsigned long long *val) {
    if (!PyLong_Check(obj)) {
        unsigned long value = 0;
        int status = AsValUnsignedLong(obj, &value);
        if (ok(status) && val) *val = value;
        return status;
    }
    unsigned long long value = PyLong_AsUnsignedLongLong(obj);
    if (PyErr_Occurred()) {
        PyErr_Clear();
        return kTypeError;
    }
    if (val) *val = value;
    return kOk;
}

int AsValBool(PyObject *obj, bool *val) {
    if (!PyBool_Check(obj)) return kError;
    if (val) *val = obj == Py_True;
    return kOk;
}

int AsValChar(PyObject *obj, char *val) {
    char c = 0;
    int text_status = AsCharArray(obj, &c, 1);
    if (ok(text_status)) {
        if (val) *val = c;
        return kOk;
    }
    if (text_status == kNoUtf8) return kNoUtf8;
    long wide = 0;
    int status = AsValLong(obj, &wide);
    if (!ok(status)) return status;
    if (wide < 0 || wide > UCHAR_MAX) return kOverflowError;
    if (val) *val = static_cast<char>(wide);
    return kOk;
}

int AsCharPtrAndSize(PyObject *obj, char **cptr, size_t *psize, int *alloc) {
    if (PyUnicode_Check(obj)) {
        if (cptr && !alloc) return kRuntimeError;
        Py_ssize_t length = 0;
        const char *data = utf8_of(obj, &length);
        if (!data) return kNoUtf8;
        if (cptr) {
            *cptr = new char[length + 1];
            std::memcpy(*cptr, data, length + 1);
            *alloc = kNewObject;
        }
        if (psize) *psize = static_cast<size_t>(length) + 1;
        return kOk;
    }
    swig_type_info *type = char_pointer_type();
    void *pointer = nullptr;
    if (type && object_to_pointer(obj, &pointer, type, 0) == 0) {
        char *text = static_cast<char *>(pointer);
        if (cptr) *cptr = text;
        if (psize) *psize = text ? std::strlen(text) + 1 : 0;
        if (alloc) *alloc = 0;
        return kOk;
    }
    return kTypeError;
}

int AsCharArray(PyObject *obj, char *dest, size_t size) {
    char *text = nullptr;
    size_t count = 0;
    int alloc = 0;
    int converted = AsCharPtrAndSize(obj, &text, &count, &alloc);
    if (converted == kNoUtf8) return kNoUtf8;
    if (!ok(converted)) return kTypeError;
    if (size == 1 && count == 2 && text && !text[1]) count = 1;
    int status = kTypeError;
    if (count <= size) {
        if (dest) {
            if (count) std::memcpy(dest, text, count);
            std::memset(dest + count, 0, size - count);
        }
        status = kOk;
    }
    if (alloc == kNewObject) delete[] text;
    return status;
}

int AsPtrStdString(PyObject *obj, std::string **out) {
    if (PyUnicode_Check(obj)) {
        // Straight from the text's UTF-8 form: one allocation, NULs kept.
        Py_ssize_t length = 0;
        const char *data = utf8_of(obj, &length);
        if (!data) return kNoUtf8;
        if (out) *out = new std::string(data, static_cast<size_t>(length));
        return kOk | kNewObject;
    }
    char *text = nullptr;
    size_t count = 0;
    int alloc = 0;
    if (ok(AsCharPtrAndSize(obj, &text, &count, &alloc))) {
        if (!text) {
            if (out) *out = nullptr;
            return kOk;
        }
        if (out) *out = new std::string(text, count - 1);
        return kOk | kNewObject;
    }
    swig_type_info *type = string_pointer_type();
    if (!type) return kError;
    void *pointer = nullptr;
    int status = object_to_pointer(obj, &pointer, type, 0);
    if (ok(status) && out) *out = static_cast<std::string *>(pointer);
    return status;
}

int AsValStdString(PyObject *obj, std::string *val) {
    std::string *text = nullptr;
    int status = AsPtrStdString(obj, &text);
    if (!ok(status)) return status;
    if (!text) return kError;
    if (val) *val = *text;
    if (status & kNewObject) delete text;
    return kOk;
}

PyObject *FromUnsignedLong(unsigned long value) {
    if (value > static_cast<unsigned long>(LONG_MAX)) return PyLong_FromUnsignedLong(value);
    return PyLong_FromLong(static_cast<long>(value));
}

PyObject *FromUnsignedLongLong(unsigned long long value) {
    if (value > static_cast<unsigned long long>(LLONG_MAX)) return PyLong_FromUnsignedLongLong(value);
    return PyLong_FromLongLong(static_cast<long long>(value));
}

PyObject *FromCharPtrAndSize(const char *p, size_t n) {
    if (!p) Py_RETURN_NONE;
    if (n > static_cast<size_t>(INT_MAX)) {
        swig_type_info *type = char_pointer_type();
        if (!type) Py_RETURN_NONE;
        return pointer_to_object(const_cast<char *>(p), type, 0);
    }
    return PyUnicode_DecodeUTF8(p, static_cast<Py_ssize_t>(n), "surrogateescape");
}

PyObject *FromCharPtr(const char *p) { return FromCharPtrAndSize(p, p ? std::strlen(p) : 0); }

size_t SWIG_strnlen(const char *s, size_t maxlen) {
    size_t n = 0;
    while (n < maxlen && s[n]) ++n;
    return n;
}

}  // namespace qor
