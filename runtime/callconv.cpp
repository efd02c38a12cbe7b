#include "callconv.h"

#include <new>
#include <stdexcept>

namespace qor {

PyObject *error_type_for_code(int code) {
    switch (code) {
        case kMemoryError: return PyExc_MemoryError;
        case kIOError: return PyExc_IOError;
        case kRuntimeError: return PyExc_RuntimeError;
        case kIndexError: return PyExc_IndexError;
        case kTypeError: return PyExc_TypeError;
        case kDivisionByZero: return PyExc_ZeroDivisionError;
        case kOverflowError: return PyExc_OverflowError;
        case kSyntaxError: return PyExc_SyntaxError;
        case kValueError:
        case kNoUtf8: return PyExc_ValueError;
        case kSystemError: return PyExc_SystemError;
        case kAttributeError: return PyExc_AttributeError;
        default: return PyExc_RuntimeError;
    }
}

bool arg_error(int status, const char *null_ref_message) {
    if (status == kDeletedObject) {
        PyErr_Format(PyExc_ValueError, "%s: the object behind this proxy was deleted",
                     arg_message(null_ref_message));
        return false;
    }
    if (status == kNoUtf8) {
        PyErr_Format(PyExc_ValueError, "%s: the text has no UTF-8 form", arg_message(null_ref_message));
        return false;
    }
    int code = status == kError ? kTypeError : status;
    PyErr_SetString(error_type_for_code(code), arg_message(null_ref_message));
    return false;
}

bool null_ref_error(const char *null_ref_message) {
    PyErr_SetString(PyExc_ValueError, null_ref_message);
    return false;
}

PyObject *constant_object_error(const char *function, const char *object) {
    PyErr_Format(PyExc_AttributeError, "in method '%s', argument 1 is the constant object '%s', which cannot be changed",
                 function, object);
    return nullptr;
}

PyObject *overload_error(const char *message) {
    PyErr_SetString(PyExc_NotImplementedError, message);
    return nullptr;
}

PyObject *argument_count_error(PyObject *args, const char *format) {
    // The format holds one conversion per expected argument and the tuple has
    // another length, so the parser fails before it writes anything; the
    // destinations are there for the longest signature.
    PyObject *d[25] = {};
    if (PyArg_ParseTuple(args, format, &d[0], &d[1], &d[2], &d[3], &d[4], &d[5], &d[6], &d[7], &d[8],
                         &d[9], &d[10], &d[11], &d[12], &d[13], &d[14], &d[15], &d[16], &d[17], &d[18],
                         &d[19], &d[20], &d[21], &d[22], &d[23], &d[24])) {
        PyErr_SetString(PyExc_SystemError, "argument count check passed a tuple of the wrong length");
    }
    return nullptr;
}

PyObject *exception_class_for_type(swig_type_info *type) {
    auto *data = type ? static_cast<SwigPyClassData *>(type->clientdata) : nullptr;
    return data && data->cls ? data->cls : PyExc_RuntimeError;
}

void raise_object(PyObject *cls, PyObject *obj) {
    PyErr_SetObject(cls, obj);
    Py_DECREF(obj);
}

void add_error_message(const char *text) {
    PyObject *type, *value, *traceback;
    PyErr_Fetch(&type, &value, &traceback);
    if (!type || !value) {
        Py_XDECREF(type);
        Py_XDECREF(traceback);
        PyErr_SetString(PyExc_RuntimeError, text);
        return;
    }
    PyObject *old = PyObject_Str(value);
    if (old) {
        PyErr_Format(type, "%U %s", old, text);
        Py_DECREF(old);
    }
    Py_DECREF(type);
    Py_DECREF(value);
    Py_XDECREF(traceback);
}

PyObject *raise_std_exception() {
    try {
        throw;
    } catch (const std::bad_alloc &) {
        PyErr_NoMemory();
    } catch (const std::length_error &e) {
        PyErr_SetString(PyExc_OverflowError, e.what());
    } catch (const std::exception &e) {
        PyErr_SetString(PyExc_RuntimeError, e.what());
    } catch (...) {
        PyErr_SetString(PyExc_RuntimeError, "unknown C++ exception");
    }
    return nullptr;
}

}  // namespace qor
