// Type registry shared by every extension module of this binding runtime.
//
// The three record layouts below are read and written by other modules that
// join the same registry ring through the interpreter-wide capsule, so their
// fields and field order must never change.
#pragma once

#include <Python.h>
#include <cstddef>

extern "C" {

typedef void *(*swig_converter_func)(void *ptr, int *new_memory);
typedef struct swig_type_info *(*swig_dycast_func)(void **ptr);

struct swig_cast_info;

struct swig_type_info {
    const char *name;        // mangled name, the registry's sort key
    const char *str;         // display names separated by '|'
    swig_dycast_func dcast;  // always null in this module
    swig_cast_info *cast;    // head of the list of edges leading into this type
    void *clientdata;        // SwigPyClassData * once the class is registered
    int owndata;             // 1 when the teardown must release clientdata
};

struct swig_cast_info {
    swig_type_info *type;           // source type
    swig_converter_func converter;  // source pointer -> owner pointer; null for the self entry
    swig_cast_info *next;
    swig_cast_info *prev;
};

struct swig_module_info {
    swig_type_info **types;         // slot i: record in use for type i, then a null slot
    size_t size;
    swig_module_info *next;         // ring link; null until initialised
    swig_type_info **type_initial;  // this module's own records, in index order
    swig_cast_info **cast_initial;  // static edge array of each type, in index order
    void *clientdata;               // always null
};

}  // extern "C"

namespace qor {

// Attached to a type record when the proxy package registers its class.
// Created once per registration and never freed (an earlier registration's
// data may still be referenced by proxies of other modules).
struct SwigPyClassData {
    PyObject *cls;         // owned
    PyObject *newraw;      // owned or null: __new__ of a non-type registrant
    PyObject *newargs;     // owned
    PyObject *destroy;     // owned or null: the class's __swig_destroy__
    int destroy_takes_tuple;
};

// Deletes the object at `ptr`, of `type`, as one of the module's delete
// functions would delete it through a proxy: None, or null with an exception set.
using ReleaseFunction = PyObject *(*)(void *ptr, swig_type_info *type);
// The release function behind a class's destroy function when that is one of
// the module's own delete functions (always a builtin function); else null.
using ReleaseLookup = ReleaseFunction (*)(PyObject *destroy);
// Lets a dying proxy delete its object without a proxy to hand the destroy
// function (the dying one cannot be handed out). Set before any registration.
void set_release_lookup(ReleaseLookup lookup);
// The release function behind `data->destroy` (not null), or null when it
// has none. Resolved at registration for the class data this runtime made.
ReleaseFunction release_function(const SwigPyClassData *data);

// This module's registry; defined by the generated type table.
extern swig_module_info module_registry;

// Fills the registry slots and joins (or starts) the ring of registries.
void init_registry();

swig_type_info *lookup_type_by_mangled_name(swig_module_info *start, const char *name);
swig_type_info *lookup_type_by_name(const char *name);
swig_cast_info *find_cast(const char *source_name, swig_type_info *type);
void register_class(swig_type_info *type, PyObject *obj);
const char *type_display_name(const swig_type_info *type);

// Every live proxy object of this module holds the class data: the registry
// teardown at interpreter exit releases it only once the last holder is gone,
// so owned objects that outlive the runtime-data module are still destroyed.
void hold_class_data();
void drop_class_data();

// The `this` attribute name, created on first use and dropped at teardown.
PyObject *this_attr_name();

}  // namespace qor
