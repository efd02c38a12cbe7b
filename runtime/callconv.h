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

// Where a value being converted comes from, for the message of its error:
// argument `number` of the wrapper being called, declared as `type`; or, when
// `number` is 0, a variable or field whose whole null-reference message is
// `type`. Messages are put together only when a conversion fails, so a wrapper
// carries no message text of its own: the function's name comes from the call
// in progress, and the type texts are shared by every wrapper that names them.
struct ArgSite {
    const char *type;
    int number;
};

// Sets the exception for a failed argument conversion; always returns false.
bool arg_error(int status, ArgSite site);
// Sets ValueError with the null-reference message; always returns false.
bool null_ref_error(ArgSite site);

// What a null pointer (None) means for a pointer argument: allowed for
// pointer parameters, the null-reference ValueError for references and class
// values, the argument TypeError for the object of a member operation.
enum class Null { kAllowed, kValueError, kTypeError };

// The null policy rides above object_to_pointer's flags, so that a pointer
// argument's conversion takes all its arguments in registers.
constexpr int kNullPolicyShift = 8;
constexpr int null_policy(Null nulls) { return static_cast<int>(nulls) << kNullPolicyShift; }

// Converts `obj` to a pointer to an object of `type` in `*out`, or sets the
// argument's exception and returns false. `flags` are object_to_pointer's
// and a null_policy. One function for every pointer type, defined beside
// object_to_pointer, whose common way it shares inline.
bool load_pointer(void **out, PyObject *obj, swig_type_info *type, ArgSite site, int flags);

// Sets NotImplementedError with a complete overload message; returns null.
PyObject *overload_error(const char *message);

// Calls `callable` with a vector of positional arguments.
inline PyObject *vectorcall(PyObject *callable, PyObject *const *args, size_t nargsf) {
#if PY_VERSION_HEX < 0x03090000
    return _PyObject_Vectorcall(callable, args, nargsf, nullptr);
#else
    return PyObject_Vectorcall(callable, args, nargsf, nullptr);
#endif
}

// A wrapper proper: it reads its arguments from a vector of `argc` borrowed
// objects, `argc` already checked against what it takes.
using VectorFunction = PyObject *(*)(PyObject *const *argv, Py_ssize_t argc);

// The TypeError of an argument tuple whose length is not `count`, worded as
// the interpreter's own parser words it for the function `name`; returns null.
PyObject *argument_count_error(PyObject *args, const char *name, Py_ssize_t count);

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
