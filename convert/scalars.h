// Scalar and string converters. Input converters return a status code
// (runtime/callconv.h) and write the destination only on success; they never
// leave an interpreter error pending. Output converters return a new reference.
#pragma once

#include <string>

#include "../runtime/callconv.h"

namespace qor {

// The integer and bool converters accept an int (a bool) and read its value,
// nothing else: no __index__ or __int__ is consulted, so they never run Python
// code. The generated wrappers count on it: a pointer argument converted
// before nothing but such conversions is not held for the call.
int AsValLong(PyObject *obj, long *val);
int AsValInt(PyObject *obj, int *val);
int AsValShort(PyObject *obj, short *val);
inline int AsValPtrdiff(PyObject *obj, long *val) { return AsValLong(obj, val); }
int AsValLongLong(PyObject *obj, long long *val);
int AsValUnsignedLong(PyObject *obj, unsigned long *val);
int AsValUnsignedInt(PyObject *obj, unsigned int *val);
int AsValUnsignedShort(PyObject *obj, unsigned short *val);
int AsValUnsignedChar(PyObject *obj, unsigned char *val);
inline int AsValSizeT(PyObject *obj, unsigned long *val) { return AsValUnsignedLong(obj, val); }
int AsValUnsignedLongLong(PyObject *obj, unsigned long long *val);
int AsValBool(PyObject *obj, bool *val);
int AsValChar(PyObject *obj, char *val);

// `*cptr` gets a buffer (with kNewObject in `*alloc` when it was allocated
// with new[]) or the pointer behind a `char *` proxy; `*psize` counts the NUL.
int AsCharPtrAndSize(PyObject *obj, char **cptr, size_t *psize, int *alloc);
int AsCharArray(PyObject *obj, char *dest, size_t size);
// `*out` is a new std::string (kNewObject set), or the pointer behind a
// `std::string *` proxy, or null for None.
int AsPtrStdString(PyObject *obj, std::string **out);
int AsValStdString(PyObject *obj, std::string *val);

inline PyObject *FromBool(bool value) { return PyBool_FromLong(value ? 1 : 0); }
inline PyObject *FromLong(long value) { return PyLong_FromLong(value); }
inline PyObject *FromUnsignedInt(unsigned int value) { return PyLong_FromSize_t(value); }
PyObject *FromUnsignedLong(unsigned long value);
PyObject *FromUnsignedLongLong(unsigned long long value);
PyObject *FromCharPtrAndSize(const char *p, size_t n);
PyObject *FromCharPtr(const char *p);
inline PyObject *FromChar(char c) { return FromCharPtrAndSize(&c, 1); }
inline PyObject *FromStdString(const std::string &s) { return FromCharPtrAndSize(s.data(), s.size()); }
size_t SWIG_strnlen(const char *s, size_t maxlen);

}  // namespace qor
