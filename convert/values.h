// The module's constants and its global-variables object `cvar`.
//
// Constants are plain module attributes made once at start-up. Variables are
// entries of the single `swigvarlink` object: each read calls the entry's
// getter, each write its setter, so a script always sees the library's
// current value.
#pragma once

#include <memory>

#include "params.h"

namespace qor {

typedef PyObject *(*VariableGetter)();   // new reference, or null with an exception set
typedef int (*VariableSetter)(PyObject *);  // 0 on success, 1 with an exception set

struct swig_globalvar {
    char *name;                 // private copy
    VariableGetter get_attr;
    VariableSetter set_attr;
    swig_globalvar *next;
};

struct swig_varlinkobject {
    PyObject_HEAD
    swig_globalvar *vars;       // most recently added first
};

// The process-wide `cvar` object, created on first use; borrowed.
PyObject *global_variables();

// Puts a new entry at the head of the list; false with MemoryError set when
// the entry cannot be made (the list is left as it was).
bool add_variable(PyObject *cvar, const char *name, VariableGetter get, VariableSetter set);

enum class ValueKind { kLong, kSize, kUnsignedLongLong, kCString, kChar, kVariable };

// One row of the generated table of constants and variables.
struct Value {
    const char *name;
    ValueKind kind;
    long long number;                 // kLong, kSize
    unsigned long long unsigned_number;  // kUnsignedLongLong
    const char *text;                 // kCString, kChar
    VariableGetter get;               // kVariable
    VariableSetter set;
};

// The generated table, in interface order, ended by a row without a name.
extern const Value module_values[];

// Stores every constant in `dict` and adds every variable to `cvar`, storing
// `cvar` in `dict` just before the first variable. False with an exception
// set when an object cannot be made.
bool install_values(PyObject *dict, const Value *values);

// Setter of a read-only variable: AttributeError with `message`; returns 1.
int read_only_variable(const char *message);

// Body of <Class>_<name>_set: parses one argument and runs `set`.
PyObject *call_setter(PyObject *args, VariableSetter set);

// A writable `char const *` variable. It points at the library's own text
// until the first write, then at a copy this object owns; a later write
// frees only that copy, never text the library or anyone else owns.
class CStringVariable {
public:
    explicit CStringVariable(const char **target) : target_(target) {}
    int set(PyObject *value, const char *null_ref_message);

private:
    const char **target_;
    std::unique_ptr<char[]> copy_;
};

}  // namespace qor
