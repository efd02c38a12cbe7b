#include "values.h"

#include <cstring>
#include <new>
#include <string>

namespace qor {
namespace {

void varlink_dealloc(PyObject *self) {
    swig_globalvar *var = reinterpret_cast<swig_varlinkobject *>(self)->vars;
    while (var) {
        swig_globalvar *next = var->next;
        delete[] var->name;
        delete var;
        var = next;
    }
    Py_TYPE(self)->tp_free(self);
}

// The newest entry of that name, so that a second start-up's entries win.
swig_globalvar *find_variable(PyObject *self, const char *name) {
    for (swig_globalvar *var = reinterpret_cast<swig_varlinkobject *>(self)->vars; var; var = var->next) {
        if (std::strcmp(var->name, name) == 0) return var;
    }
    return nullptr;
}

// Leaves an exception the getter or setter raised in place.
void unknown_variable(const char *name) {
    if (!PyErr_Occurred()) PyErr_Format(PyExc_AttributeError, "Unknown C global variable '%s'", name);
}

// Every attribute is a variable: the generic look-up (and with it __class__,
// __dict__ ...) is deliberately not used.
PyObject *varlink_getattr(PyObject *self, char *name) {
    swig_globalvar *var = find_variable(self, name);
    PyObject *value = var ? var->get_attr() : nullptr;
    if (!value) unknown_variable(name);
    return value;
}

int varlink_setattr(PyObject *self, char *name, PyObject *value) {
    swig_globalvar *var = find_variable(self, name);
    if (var && !value) {
        // A variable is library data: there is nothing to delete it to.
        PyErr_Format(PyExc_AttributeError, "C global variable '%s' cannot be deleted", name);
        return -1;
    }
    if (var && var->set_attr(value) == 0) return 0;
    unknown_variable(name);
    return -1;
}

PyObject *varlink_repr(PyObject *) { return PyUnicode_InternFromString("<Swig global variables>"); }

PyObject *varlink_str(PyObject *self) {
    std::string text = "(";
    for (swig_globalvar *var = reinterpret_cast<swig_varlinkobject *>(self)->vars; var; var = var->next) {
        text += var->name;
        if (var->next) text += ", ";
    }
    text += ")";
    return PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
}

// Built once, on first use, and never released; null with an exception set
// when the interpreter refuses it.
PyTypeObject *varlink_type() {
    static PyTypeObject type = {PyVarObject_HEAD_INIT(nullptr, 0)};
    if (type.tp_flags & Py_TPFLAGS_READY) return &type;
    type.tp_name = "swigvarlink";
    type.tp_basicsize = sizeof(swig_varlinkobject);
    type.tp_dealloc = varlink_dealloc;
    type.tp_getattr = varlink_getattr;
    type.tp_setattr = varlink_setattr;
    type.tp_repr = varlink_repr;
    type.tp_str = varlink_str;
    type.tp_doc = "Swig var link object";
    return PyType_Ready(&type) == 0 ? &type : nullptr;
}

// New reference, or null with an exception set.
PyObject *constant_object(const Value &value) {
    switch (value.kind) {
        case ValueKind::kLong: return PyLong_FromLong(static_cast<long>(value.number));
        case ValueKind::kSize: return PyLong_FromSize_t(static_cast<size_t>(value.number));
        case ValueKind::kUnsignedLongLong: return FromUnsignedLongLong(value.unsigned_number);
        case ValueKind::kCString: return FromCharPtr(value.text);
        case ValueKind::kChar: return FromChar(value.text[0]);
        case ValueKind::kVariable: break;
    }
    PyErr_Format(PyExc_SystemError, "constant '%s' has no value", value.name);
    return nullptr;
}

// Stores `value` (a new reference, or null with an exception set) and releases it.
bool set_constant(PyObject *dict, const char *name, PyObject *value) {
    if (!value) return false;
    int status = PyDict_SetItemString(dict, name, value);
    Py_DECREF(value);
    return status == 0;
}

}  // namespace

PyObject *global_variables() {
    static PyObject *cvar = nullptr;
    if (!cvar) {
        PyTypeObject *type = varlink_type();
        swig_varlinkobject *link = type ? PyObject_New(swig_varlinkobject, type) : nullptr;
        if (!link) return nullptr;
        link->vars = nullptr;
        cvar = reinterpret_cast<PyObject *>(link);
    }
    return cvar;
}

bool add_variable(PyObject *cvar, const char *name, VariableGetter get, VariableSetter set) {
    auto *link = reinterpret_cast<swig_varlinkobject *>(cvar);
    size_t size = std::strlen(name) + 1;
    char *copy = new (std::nothrow) char[size];
    auto *var = copy ? new (std::nothrow) swig_globalvar{copy, get, set, link->vars} : nullptr;
    if (!var) {
        delete[] copy;
        PyErr_NoMemory();
        return false;
    }
    std::memcpy(copy, name, size);
    link->vars = var;
    return true;
}

bool install_values(PyObject *dict, const Value *values) {
    PyObject *cvar = nullptr;  // borrowed
    for (const Value *value = values; value->name; ++value) {
        if (value->kind != ValueKind::kVariable) {
            if (!set_constant(dict, value->name, constant_object(*value))) return false;
            continue;
        }
        if (!cvar) {
            cvar = global_variables();
            if (!cvar || PyDict_SetItemString(dict, "cvar", cvar) < 0) return false;
        }
        if (!add_variable(cvar, value->name, value->get, value->set)) return false;
    }
    return true;
}

int read_only_variable(const char *message) {
    PyErr_SetString(PyExc_AttributeError, message);
    return 1;
}

PyObject *call_setter(PyObject *args, VariableSetter set) {
    PyObject *value = nullptr;  // borrowed
    if (!PyArg_ParseTuple(args, "O:set", &value)) return nullptr;
    if (set(value) != 0) return nullptr;
    Py_RETURN_NONE;
}

int CStringVariable::set(PyObject *value, const char *null_ref_message) {
    CStringArg text;
    if (!text.load(value, ArgSite{null_ref_message, 0})) return 1;
    std::unique_ptr<char[]> copy;
    if (text.get()) {
        size_t size = std::strlen(text.get()) + 1;
        copy.reset(new (std::nothrow) char[size]);
        if (!copy) {
            PyErr_NoMemory();
            return 1;
        }
        std::memcpy(copy.get(), text.get(), size);
    }
    *target_ = copy.get();
    copy_ = std::move(copy);  // frees the previous copy, which only this object referred to
    return 0;
}

}  // namespace qor
