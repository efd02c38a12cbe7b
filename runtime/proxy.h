// Proxy objects: the Python face of a library pointer, and the two
// conversions between proxies and pointers that every wrapper uses.
#pragma once

#include <vector>

#include "registry.h"

namespace qor {

struct SwigPyObject {
    PyObject_HEAD
    void *ptr;             // never null in a live proxy
    swig_type_info *ty;    // static type when the proxy was made
    int own;               // 1 when Python must destroy the object
    PyObject *next;        // owned or null: another view of the same object
    PyObject *owner;       // owned or null: the proxy of the object this one lives inside
};

enum PointerToObjectFlags { kOwn = 1, kNoShadow = 2 };
enum ObjectToPointerFlags {
    kDisown = 1,  // the matching proxy stops owning the object
    kForget = 2,  // ... and stops referring to it (the object is being deleted)
    // No Python code runs between this conversion and the end of the call
    // (no later argument's conversion runs any), so nothing can let go of
    // the object meanwhile: a proxy that the argument itself keeps alive (it
    // is the proxy, or holds it in its `this` slot) is not held for the
    // call. A `this` computed afresh still is.
    kNoCodeAfter = 4,
};

// Status of object_to_pointer for a proxy whose object was deleted through it.
constexpr int kDeletedObject = -100;

PyTypeObject *proxy_type();
bool is_proxy_object(PyObject *obj);

// New reference, or null with an exception set.
PyObject *new_proxy_object(void *ptr, swig_type_info *type, int own);

// New reference (the `this` attribute may be computed afresh on each read);
// null when `obj` carries no proxy, with no exception left pending.
SwigPyObject *find_this(PyObject *obj);

// `ptr`, an object of `type`, as a pointer to `target`, through the edge that
// converts the one to the other (as an argument's conversion does); false when
// `type` does not convert to `target`. The same type, the common case of a
// dying proxy's object, needs no edge and no call.
bool convert_along_edge(void *ptr, swig_type_info *type, swig_type_info *target, void **out);
inline bool convert_pointer(void *ptr, swig_type_info *type, swig_type_info *target, void **out) {
    if (type != target) return convert_along_edge(ptr, type, target, out);
    *out = ptr;
    return true;
}

// 0 on success, -1 when `obj` does not convert; never leaves an exception.
// `out` may be null to test convertibility only; a null `type` accepts any proxy.
int object_to_pointer(PyObject *obj, void **out, swig_type_info *type, int flags);

// The view in `obj`'s chain of proxies that converts to `type` (a new
// reference), or null with no exception pending.
SwigPyObject *find_view(PyObject *obj, swig_type_info *type);

// A proxy held for a call, and its pointer when the argument converted.
struct HeldProxy {
    SwigPyObject *view;  // owned
    void *seen;
};

// The wrapper calls in progress. Each call's scope (below) keeps it, inline,
// since every call of the module opens one.
struct CallState {
    const char *function = "?";    // the innermost call's name
    std::vector<HeldProxy> held;   // the proxies the calls hold, the innermost call's last
    size_t mark = 0;               // where the innermost call's entries begin
    int depth = 0;
    unsigned long calls = 0;       // how many calls have begun
};
extern CallState call_state;

// Lets go of the proxies the innermost call holds.
void release_held_proxies();

// Every wrapper call runs inside a scope. The proxies whose pointers its
// arguments converted to are held until the call returns: an object whose
// `this` is computed afresh, or whose `this` Python code replaces while a
// later argument converts, stays alive for as long as the call uses it.
class CallScope {
public:
    // `function` is the wrapper's name (kept, not copied), for its messages.
    explicit CallScope(const char *function) : outer_mark_(call_state.mark), outer_function_(call_state.function) {
        call_state.function = function;
        call_state.mark = call_state.held.size();
        ++call_state.depth;
        ++call_state.calls;
    }
    ~CallScope() {
        if (call_state.held.size() > call_state.mark) release_held_proxies();
        call_state.mark = outer_mark_;
        call_state.function = outer_function_;
        --call_state.depth;
    }
    CallScope(const CallScope &) = delete;
    CallScope &operator=(const CallScope &) = delete;

private:
    size_t outer_mark_;
    const char *outer_function_;
};

// The name of the innermost wrapper call in progress ("?" outside any).
inline const char *calling_function() { return call_state.function; }

// How many wrapper calls have begun: a container can change only in a call,
// so an iterator that sees no other call since its last step can trust the
// position it kept.
inline unsigned long calls_made() { return call_state.calls; }

// False, with ValueError set, when an object that the current call's
// arguments refer to was deleted through its proxy after it was converted
// (by Python code that a later argument's conversion ran).
bool held_proxies_intact();

// New reference (None for a null pointer), or null with an exception set.
PyObject *pointer_to_object(void *ptr, swig_type_info *type, int flags);

// A borrowed proxy of `ptr`, an object inside the object that `owner` (a
// proxy, or an instance carrying one) refers to: a record's field, a
// container's element. The new proxy keeps the owner's proxy alive, so an
// expression such as `record().field.Method()` never reads the record after
// its last other reference went away.
PyObject *member_to_object(void *ptr, swig_type_info *type, PyObject *owner);

PyObject *new_shadow_instance(SwigPyClassData *data, PyObject *proxy);

}  // namespace qor
