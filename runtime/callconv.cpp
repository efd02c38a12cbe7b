#include "callconv.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
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

namespace {

constexpr const char kNullRefPrefix[] = "invalid null reference ";

// Whether `size` bytes at `data` are all ASCII, read eight at a time.
bool is_ascii(const char *data, size_t size) {
    std::uint64_t bits = 0;
    size_t i = 0;
    for (; i + sizeof bits <= size; i += sizeof bits) {
        std::uint64_t word;
        std::memcpy(&word, data + i, sizeof word);
        bits |= word;
    }
    for (; i < size; ++i) bits |= static_cast<unsigned char>(data[i]);
    return (bits & 0x8080808080808080u) == 0;
}

// What an argument's message is made of; the texts that vary are measured once.
struct SiteText {
    explicit SiteText(ArgSite site, bool null_ref, const char *tail)
        : site(site), null_ref(null_ref), tail(tail ? tail : "") {
        if (site.number != 0) {
            function = calling_function();
            function_size = std::strlen(function);
            unsigned value = static_cast<unsigned>(site.number);
            do {
                digits[sizeof digits - ++digits_size] = static_cast<char>('0' + value % 10);
            } while ((value /= 10) != 0);
        }
        type = site.number == 0 && !null_ref ? site.type + sizeof(kNullRefPrefix) - 1 : site.type;
        type_size = std::strlen(type);
        tail_size = std::strlen(this->tail);
    }

    ArgSite site;
    bool null_ref;
    const char *tail;
    size_t tail_size;
    const char *function = nullptr;
    size_t function_size = 0;
    const char *type;
    size_t type_size;
    char digits[12];
    size_t digits_size = 0;
};

// "in method 'F', argument N of type 'T'" and the tail, behind the
// null-reference prefix when asked; for a variable or field (number 0) the
// type text is the whole message. Laid out once to measure it and once to
// write it, so both passes cannot disagree.
template <class Out>
void lay_out(const SiteText &t, Out &out) {
    if (t.site.number == 0) {
        out.add(t.type, t.type_size);
    } else {
        if (t.null_ref) out.add(kNullRefPrefix);
        out.add("in method '");
        out.add(t.function, t.function_size);
        out.add("', argument ");
        out.add(t.digits + sizeof t.digits - t.digits_size, t.digits_size);
        out.add(" of type '");
        out.add(t.type, t.type_size);
        out.add("'");
    }
    out.add(t.tail, t.tail_size);
}

struct Measure {
    size_t size = 0;
    template <size_t N>
    void add(const char (&)[N]) { size += N - 1; }
    void add(const char *, size_t n) { size += n; }
};

struct Write {
    char *out;
    template <size_t N>
    void add(const char (&text)[N]) { out = static_cast<char *>(std::memcpy(out, text, N - 1)) + N - 1; }
    void add(const char *text, size_t n) { out = static_cast<char *>(std::memcpy(out, text, n)) + n; }
};

// The message of a failed argument conversion, written straight into the str
// that carries it: formatting through the C library, or through a
// std::string and the UTF-8 decoder, made the message most of the cost of a
// failing call. Every text the module writes is ASCII; anything else is
// decoded as UTF-8. New reference, or null with an exception set.
PyObject *site_message(ArgSite site, bool null_ref, const char *tail) {
    SiteText pieces(site, null_ref, tail);
    Measure measure;
    lay_out(pieces, measure);
    PyObject *text = PyUnicode_New(static_cast<Py_ssize_t>(measure.size), 127);
    if (!text) return nullptr;
    auto *data = static_cast<char *>(PyUnicode_DATA(text));
    Write write{data};
    lay_out(pieces, write);
    if (is_ascii(data, measure.size)) return text;
    PyObject *decoded = PyUnicode_DecodeUTF8(data, static_cast<Py_ssize_t>(measure.size), "replace");
    Py_DECREF(text);
    return decoded;
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
