// The calling convention shared by every wrapper: tuple unpacking, status
// codes and their exceptions, argument and overload messages.
#pragma once

#include "proxy.h"

namespace qor {

// Converter status codes: 0 or positive is success, negative names an error.
enum Status {
    kOk = 0,
    kError = -1,
    kIOError = -2,
    kRuntimeError = -3,
    kIndexError = -4,
    kTypeError = -5,
    kDivisionByZero = -6,
    kOverflowError = -7,
    kSyntaxError = -8,
    kValueError = -9,
    kSystemError = -10,
    kAttributeError = -11,
    kMemoryError = -12,
};

// A str that has no UTF-8 form (it holds lone surrogates, as text decoded
// with "surrogateescape" from bytes that are not UTF-8 may): a ValueError
// that says so, since no library string can carry it.
constexpr int kNoUtf8 = -101;

// Marks a success whose value the converter allocated; the wrapper frees it.
constexpr int kNewObject = 512;

inline bool ok(int status) { return status >= 0; }

PyObject *error_type_for_code(int code);

// Every argument message is stored as its null-reference form; the plain
// "in method ..." form is the tail after this prefix, so one constant serves both.
constexpr const char kNullRefPrefix[] = "invalid null reference ";
inline const char *arg_message(const char *null_ref_message) {
    return null_ref_message + sizeof(kNullRefPrefix) - 1;
}

// Sets the exception for a failed argument conversion; always returns false.
bool arg_error(int status, const char *null_ref_message);
// Sets ValueError with the null-reference message; always returns false.
bool null_ref_error(const char *null_ref_message);

// Sets NotImplementedError with a complete overload message; returns null.
PyObject *overload_error(const char *message);

bool unpack_slow(PyObject *args, const char *format, Py_ssize_t n, PyObject **out);

// Copies exactly `n` items of the argument tuple into `out` (borrowed). On a
// count mismatch the interpreter's own parser reports it, naming the function.
inline bool unpack(PyObject *args, const char *format, Py_ssize_t n, PyObject **out) {
    if (PyTuple_GET_SIZE(args) == n) {
        for (Py_ssize_t i = 0; i < n; ++i) out[i] = PyTuple_GET_ITEM(args, i);
        return true;
    }
    return unpack_slow(args, format, n, out);
}

PyObject *exception_class_for_type(swig_type_info *type);
// Raises `obj` as the value of `cls` and releases the caller's reference.
void raise_object(PyObject *cls, PyObject *obj);
// Appends " text" to the pending exception's message (or raises RuntimeError).
void add_error_message(const char *text);

// AttributeError for a field setter given one of the library's constant
// objects, which may live in read-only memory; returns null.
PyObject *constant_object_error(const char *function, const char *object);

// Turns a C++ exception that is not the library's own into a Python exception.
PyObject *raise_std_exception();

}  // namespace qor
