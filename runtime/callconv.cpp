#include "callconv.h"

#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

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

namespace {

constexpr const char kNullRefPrefix[] = "invalid null reference ";

// "in method 'F', argument N of type 'T'" and `tail`, behind the
// null-reference prefix when `null_ref` is set. Put together by plain copies:
// PyUnicode_FromFormat formats through the C library and would make most of
// the cost of a failing call. New reference, or null with an exception set.
PyObject *site_message(ArgSite site, bool null_ref, const char *tail) {
    std::string text;
    if (site.number == 0) {
        text = null_ref ? site.type : site.type + sizeof(kNullRefPrefix) - 1;
    } else {
        text.reserve(160);
        if (null_ref) text += kNullRefPrefix;
        text.append("in method '").append(calling_function()).append("', argument ");
        text.append(std::to_string(site.number)).append(" of type '").append(site.type).append("'");
    }
    if (tail) text += tail;
    return PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
}

void raise_with_site(PyObject *type, ArgSite site, bool null_ref, const char *tail) {
    PyObject *text = site_message(site, null_ref, tail);
    if (!text) return;
    PyErr_SetObject(type, text);
    Py_DECREF(text);
}

}  // namespace

bool arg_error(int status, ArgSite site) {
    if (status == kDeletedObject) {
        raise_with_site(PyExc_ValueError, site, false, ": the object behind this proxy was deleted");
    } else if (status == kNoUtf8) {
        raise_with_site(PyExc_ValueError, site, false, ": the text has no UTF-8 form");
    } else {
        raise_with_site(error_type_for_code(status == kError ? kTypeError : status), site, false, nullptr);
    }
    return false;
}

bool null_ref_error(ArgSite site) {
    raise_with_site(PyExc_ValueError, site, true, nullptr);
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

PyObject *argument_count_error(PyObject *args, const char *name, Py_ssize_t count) {
    // The interpreter's parser writes the message: given one conversion per
    // expected argument and a tuple of another length, it fails before it
    // writes anything; the destinations are there for the longest signature.
    // The format lives on the stack so that this allocates nothing: the
    // entries that call it promise to throw nothing.
    constexpr Py_ssize_t kMostArguments = 25;
    char format[kMostArguments + 256];
    std::snprintf(format, sizeof format, "%.*s:%s", static_cast<int>(count), "OOOOOOOOOOOOOOOOOOOOOOOOO", name);
    PyObject *d[kMostArguments] = {};
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
