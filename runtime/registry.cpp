#include "registry.h"

#include <cstdint>
#include <cstring>

namespace qor {
namespace {

const char kCapsuleName[] = "swig_runtime_data4.type_pointer_capsule";

PyObject *g_this_name = nullptr;              // owned; see this_attr_name()
swig_module_info *g_shared_registry = nullptr;  // first registry found in the capsule

// Puts `edge` at the head of `type`'s cast list.
void push_edge(swig_type_info *type, swig_cast_info *edge) {
    edge->prev = nullptr;
    edge->next = type->cast;
    if (type->cast) type->cast->prev = edge;
    type->cast = edge;
}

swig_type_info *search_one_registry(swig_module_info *reg, const char *name) {
    if (reg->size == 0) return nullptr;
    size_t left = 0, right = reg->size - 1;
    while (left <= right) {
        size_t middle = (left + right) / 2;
        swig_type_info *candidate = reg->types[middle];
        if (!candidate || !candidate->name) return nullptr;
        int order = std::strcmp(name, candidate->name);
        if (order == 0) return candidate;
        if (order < 0) {
            if (middle == 0) return nullptr;
            right = middle - 1;
        } else {
            left = middle + 1;
        }
    }
    return nullptr;
}

// Compares `name` with one display-name alternative [alt, alt_end), skipping
// blanks on both sides before each character. A blank left over at the end of
// either string makes them unequal.
bool same_spelling(const char *name, const char *alt, const char *alt_end) {
    const char *name_end = name + std::strlen(name);
    while (name < name_end && alt < alt_end) {
        while (name < name_end && *name == ' ') ++name;
        while (alt < alt_end && *alt == ' ') ++alt;
        if (name == name_end || alt == alt_end) return name == name_end && alt == alt_end;
        if (*name != *alt) return false;
        ++name;
        ++alt;
    }
    return name == name_end && alt == alt_end;
}

bool matches_display_name(const swig_type_info *type, const char *name) {
    if (!type->str) return false;
    const char *alt = type->str;
    for (;;) {
        const char *bar = std::strchr(alt, '|');
        const char *alt_end = bar ? bar : alt + std::strlen(alt);
        if (same_spelling(name, alt, alt_end)) return true;
        if (!bar) return false;
        alt = bar + 1;
    }
}

// Releases what registration attached to the records of `reg`. Cleared, not
// just released: a proxy of another module that dies later must find no
// destroy function rather than a dangling one.
void release_class_data(swig_module_info *reg) {
    for (size_t i = 0; i < reg->size; ++i) {
        swig_type_info *type = reg->types[i];
        if (!type || !type->owndata || !type->clientdata) continue;
        auto *data = static_cast<SwigPyClassData *>(type->clientdata);
        Py_CLEAR(data->newraw);
        Py_CLEAR(data->newargs);
        Py_CLEAR(data->destroy);
    }
    Py_CLEAR(g_this_name);
}

// The registry whose class data the teardown released or will release once
// the last proxy is gone; and how many proxies are alive.
swig_module_info *g_torn_down = nullptr;
size_t g_class_data_holders = 0;

// The interpreter clears the runtime-data module before the modules whose
// globals, cycles and kept exceptions still hold proxies; those proxies need
// their class's destroy function and constructor arguments when they die, so
// the release waits for the last of them.
void teardown(PyObject *capsule) {
    g_torn_down = static_cast<swig_module_info *>(PyCapsule_GetPointer(capsule, kCapsuleName));
    if (!g_torn_down) PyErr_Clear();
    if (g_torn_down && g_class_data_holders == 0) release_class_data(g_torn_down);
}

swig_module_info *find_shared_registry() {
    if (!g_shared_registry) {
        g_shared_registry = static_cast<swig_module_info *>(PyCapsule_Import(kCapsuleName, 0));
        if (!g_shared_registry) PyErr_Clear();
    }
    return g_shared_registry;
}

// Publishes this registry as the first of the ring. Failure is silent: the
// module then keeps a private registry.
void publish_registry() {
    PyObject *holder = PyImport_AddModule("swig_runtime_data4");  // borrowed
    if (!holder) {
        PyErr_Clear();
        return;
    }
    PyObject *capsule = PyCapsule_New(&module_registry, kCapsuleName, teardown);
    if (!capsule) {
        PyErr_Clear();
        return;
    }
    if (PyModule_AddObject(holder, "type_pointer_capsule", capsule) < 0) {
        PyErr_Clear();
        PyCapsule_SetDestructor(capsule, nullptr);  // nothing registered yet, nothing to release
        Py_DECREF(capsule);
    }
}

// Returns false when this registry was already a member of the ring.
bool join_ring(swig_module_info *shared) {
    swig_module_info *iter = shared;
    do {
        if (iter == &module_registry) return false;
        iter = iter->next;
    } while (iter && iter != shared);
    module_registry.next = shared->next;
    shared->next = &module_registry;
    return true;
}

// Chooses the record for type i and links its static edges into it.
void bind_type(size_t i, bool shared) {
    swig_type_info *own = module_registry.type_initial[i];
    swig_type_info *chosen = own;
    if (shared) {
        swig_type_info *found = lookup_type_by_mangled_name(module_registry.next, own->name);
        if (found) chosen = found;
    }
    for (swig_cast_info *edge = module_registry.cast_initial[i]; edge->type; ++edge) {
        swig_type_info *source = shared ? lookup_type_by_mangled_name(module_registry.next, edge->type->name)
                                        : nullptr;
        if (source) {
            if (chosen == own) {
                edge->type = source;
            } else if (find_cast(edge->type->name, chosen)) {
                continue;  // the other module already knows this edge
            }
        }
        push_edge(chosen, edge);
    }
    module_registry.types[i] = chosen;
}

}  // namespace

void hold_class_data() { ++g_class_data_holders; }

void drop_class_data() {
    if (--g_class_data_holders == 0 && g_torn_down) release_class_data(g_torn_down);
}

PyObject *this_attr_name() {
    if (!g_this_name) g_this_name = PyUnicode_InternFromString("this");
    return g_this_name;
}

void init_registry() {
    bool first_time = false;
    if (!module_registry.next) {
        module_registry.next = &module_registry;
        first_time = true;
    }
    swig_module_info *shared = find_shared_registry();
    if (!shared) {
        publish_registry();
    } else if (!join_ring(shared)) {
        return;
    }
    if (!first_time) return;
    bool ring_has_others = module_registry.next != &module_registry;
    for (size_t i = 0; i < module_registry.size; ++i) bind_type(i, ring_has_others);
    module_registry.types[module_registry.size] = nullptr;
}

swig_type_info *lookup_type_by_mangled_name(swig_module_info *start, const char *name) {
    swig_module_info *iter = start;
    do {
        if (swig_type_info *found = search_one_registry(iter, name)) return found;
        iter = iter->next;
    } while (iter && iter != &module_registry);
    return nullptr;
}

swig_type_info *lookup_type_by_name(const char *name) {
    if (swig_type_info *found = lookup_type_by_mangled_name(&module_registry, name)) return found;
    swig_module_info *iter = &module_registry;
    do {
        for (size_t i = 0; i < iter->size; ++i) {
            swig_type_info *type = iter->types[i];
            if (type && matches_display_name(type, name)) return type;
        }
        iter = iter->next;
    } while (iter && iter != &module_registry);
    return nullptr;
}

swig_cast_info *find_cast(const char *source_name, swig_type_info *type) {
    if (!type) return nullptr;
    for (swig_cast_info *edge = type->cast; edge; edge = edge->next) {
        if (std::strcmp(edge->type->name, source_name) != 0) continue;
        if (edge != type->cast) {
            edge->prev->next = edge->next;
            if (edge->next) edge->next->prev = edge->prev;
            push_edge(type, edge);
        }
        return edge;
    }
    return nullptr;
}

namespace {

ReleaseLookup g_release_lookup = nullptr;

// Class data this runtime made, with the release function of its destroy
// function beside it. Other modules see only the record in front; this
// runtime tells its own records by where they lie, so a dying proxy finds
// the release function without looking it up again.
struct OwnClassData {
    SwigPyClassData shared;
    ReleaseFunction release;
};
// Room for two registrations of each of this module's types: the package
// registers a stand-in for each class at import and the class itself when it
// is first used.
constexpr size_t kRegistrationsPerType = 2;
OwnClassData *g_own_data = nullptr;
size_t g_own_capacity = 0;
size_t g_own_used = 0;

// A zeroed record among this runtime's own while there is room (a class
// registered again takes another); else one allocated by itself.
SwigPyClassData *new_class_data() {
    if (!g_own_data) {
        g_own_capacity = kRegistrationsPerType * module_registry.size;
        g_own_data = new OwnClassData[g_own_capacity]();
    }
    if (g_own_used == g_own_capacity) return new SwigPyClassData{};
    return &g_own_data[g_own_used++].shared;
}

// The record in front is the first member: its address is the whole's.
OwnClassData *own_record(const SwigPyClassData *data) {
    auto address = reinterpret_cast<uintptr_t>(data);
    auto first = reinterpret_cast<uintptr_t>(g_own_data);
    if (address < first || address >= first + g_own_used * sizeof(OwnClassData)) return nullptr;
    return reinterpret_cast<OwnClassData *>(const_cast<SwigPyClassData *>(data));
}

ReleaseFunction look_up_release(PyObject *destroy) {
    return destroy && g_release_lookup ? g_release_lookup(destroy) : nullptr;
}

void attach_class_data(swig_type_info *type, SwigPyClassData *data) {
    type->clientdata = data;
    for (swig_cast_info *edge = type->cast; edge; edge = edge->next) {
        if (!edge->converter && edge->type != type && !edge->type->clientdata) {
            attach_class_data(edge->type, data);
        }
    }
}

}  // namespace

void set_release_lookup(ReleaseLookup lookup) { g_release_lookup = lookup; }

ReleaseFunction release_function(const SwigPyClassData *data) {
    if (const OwnClassData *own = own_record(data)) return own->release;
    return look_up_release(data->destroy);
}

void register_class(swig_type_info *type, PyObject *obj) {
    SwigPyClassData *data = new_class_data();
    Py_INCREF(obj);
    data->cls = obj;
    if (PyType_Check(obj)) {
        Py_INCREF(obj);
        data->newargs = obj;
    } else {
        data->newraw = PyObject_GetAttrString(obj, "__new__");
        if (data->newraw) {
            data->newargs = PyTuple_Pack(1, obj);
        } else {
            PyErr_Clear();
            Py_INCREF(obj);
            data->newargs = obj;
        }
    }
    data->destroy = PyObject_GetAttrString(obj, "__swig_destroy__");
    if (PyErr_Occurred()) {
        PyErr_Clear();
        Py_CLEAR(data->destroy);
    }
    if (data->destroy) {
        // Only a builtin function can use the single-object convention; any
        // other callable is called the generic way, with an argument tuple.
        bool single_object = PyCFunction_Check(data->destroy) &&
                             (PyCFunction_GET_FLAGS(data->destroy) & METH_O);
        data->destroy_takes_tuple = single_object ? 0 : 1;
    }
    if (OwnClassData *own = own_record(data)) own->release = look_up_release(data->destroy);
    attach_class_data(type, data);
    type->owndata = 1;
}

const char *type_display_name(const swig_type_info *type) {
    if (!type) return nullptr;
    if (!type->str) return type->name;
    const char *last = std::strrchr(type->str, '|');
    return last ? last + 1 : type->str;
}

}  // namespace qor
