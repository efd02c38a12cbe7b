#include "proxy.h"

#include <structmember.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "callconv.h"

namespace qor {
namespace {

const char kLeakLine[] = "swig/python detected a memory leak of type '%s', no destructor found.\n";

// An object whose `this` attribute leads to yet another object more than this
// many times is taken to carry no proxy (it would otherwise loop for ever).
const int kMaxThisDepth = 64;

// Views appended to one proxy. `append` refuses a cycle, but a proxy of
// another module's runtime may carry one: every walk of a chain stops here.
const int kMaxChainLength = 256;

SwigPyObject *as_proxy(PyObject *obj) { return reinterpret_cast<SwigPyObject *>(obj); }

const char *display_name_or_unknown(const swig_type_info *type) {
    const char *name = type_display_name(type);
    return name ? name : "unknown";
}

SwigPyClassData *class_data_of(const swig_type_info *type) {
    return type ? static_cast<SwigPyClassData *>(type->clientdata) : nullptr;
}

// The release function of `destroy`, a builtin function, runs inside a call
// scope of the function's name, as the function itself would.
PyObject *release(ReleaseFunction function, PyObject *destroy, SwigPyObject *v) {
    CallScope scope(reinterpret_cast<PyCFunctionObject *>(destroy)->m_ml->ml_name);
    return function(v->ptr, v->ty);
}

// A destroy function other than one of the module's own delete functions.
__attribute__((noinline)) PyObject *call_destroy_function(SwigPyClassData *data, SwigPyObject *v) {
    if (data->destroy_takes_tuple) {
        // The dying proxy cannot be handed out (a new reference to it would
        // deallocate it again); a borrowing stand-in carries its pointer.
        PyObject *temp = new_proxy_object(v->ptr, v->ty, 0);
        if (!temp) return nullptr;
        PyObject *result = vectorcall(data->destroy, &temp, 1);
        Py_DECREF(temp);
        return result;
    }
    PyCFunction function = PyCFunction_GET_FUNCTION(data->destroy);
    return function(PyCFunction_GET_SELF(data->destroy), reinterpret_cast<PyObject *>(v));
}

void call_destroy(SwigPyClassData *data, SwigPyObject *v) {
    ReleaseFunction function = release_function(data);
    PyObject *result = function ? release(function, data->destroy, v) : call_destroy_function(data, v);
    if (result) {
        Py_DECREF(result);
    } else {
        PyErr_WriteUnraisable(data->destroy);
    }
}

// Proxies come and go with the instances that carry them, one made as another
// dies: the memory of a few dead ones is kept for the next, sparing the
// allocator a call each way. The proxy type is static, so a kept block
// needs no reference to its type.
const int kSpareProxies = 32;
PyObject *g_spare_proxies[kSpareProxies];
int g_spare_count = 0;

SwigPyObject *allocate_proxy(PyTypeObject *type) {
    if (g_spare_count == 0) return PyObject_New(SwigPyObject, type);
    PyObject *spare = g_spare_proxies[--g_spare_count];
    return reinterpret_cast<SwigPyObject *>(PyObject_Init(spare, type));
}

void free_proxy(PyObject *self) {
    if (g_spare_count == kSpareProxies) {
        PyObject_Free(self);
    } else {
        g_spare_proxies[g_spare_count++] = self;
    }
}

// A proxy may die while an exception is being raised; the destroy call must
// neither see nor disturb that exception, nor leave one of its own. Most die
// with none pending, which spares putting one aside.
void destroy_owned(SwigPyClassData *data, SwigPyObject *v) {
    if (!PyErr_Occurred()) {
        call_destroy(data, v);
        if (PyErr_Occurred()) PyErr_Clear();
        return;
    }
    PyObject *type, *value, *traceback;
    PyErr_Fetch(&type, &value, &traceback);
    call_destroy(data, v);
    PyErr_Restore(type, value, traceback);
}

void proxy_dealloc(PyObject *self) {
    SwigPyObject *v = as_proxy(self);
    if (v->own && v->ptr) {
        SwigPyClassData *data = class_data_of(v->ty);
        if (data && data->destroy) {
            destroy_owned(data, v);
        } else {
            std::printf(kLeakLine, display_name_or_unknown(v->ty));
            std::fflush(stdout);
        }
    }
    Py_XDECREF(v->next);
    Py_XDECREF(v->owner);
    free_proxy(self);
    drop_class_data();
}

// Each view of the chain in turn, with nothing between them.
PyObject *proxy_repr(PyObject *self) {
    PyObject *parts = PyList_New(0);
    PyObject *view = self;
    for (int n = 0; parts && view && n < kMaxChainLength; ++n) {
        SwigPyObject *v = as_proxy(view);
        PyObject *text = PyUnicode_FromFormat("<Swig Object of type '%s' at %p>", display_name_or_unknown(v->ty), view);
        if (!text || PyList_Append(parts, text) < 0) Py_CLEAR(parts);
        Py_XDECREF(text);
        view = v->next;
    }
    if (!parts) return nullptr;
    PyObject *empty = PyUnicode_FromStringAndSize(nullptr, 0);
    PyObject *joined = empty ? PyUnicode_Join(empty, parts) : nullptr;
    Py_XDECREF(empty);
    Py_DECREF(parts);
    return joined;
}

PyObject *proxy_richcompare(PyObject *a, PyObject *b, int op) {
    if ((op != Py_EQ && op != Py_NE) || !is_proxy_object(a) || !is_proxy_object(b)) {
        Py_RETURN_NOTIMPLEMENTED;
    }
    bool equal = as_proxy(a)->ptr == as_proxy(b)->ptr;
    return PyBool_FromLong(op == Py_EQ ? equal : !equal);
}

PyObject *proxy_int(PyObject *self) { return PyLong_FromVoidPtr(as_proxy(self)->ptr); }

PyObject *proxy_disown(PyObject *self, PyObject *) {
    as_proxy(self)->own = 0;
    Py_RETURN_NONE;
}

PyObject *proxy_acquire(PyObject *self, PyObject *) {
    as_proxy(self)->own = 1;
    Py_RETURN_NONE;
}

PyObject *proxy_own(PyObject *self, PyObject *args) {
    PyObject *flag = nullptr;
    if (!PyArg_UnpackTuple(args, "own", 0, 1, &flag)) return nullptr;
    int was_owning = as_proxy(self)->own;
    if (flag) {
        int truth = PyObject_IsTrue(flag);
        if (truth < 0) return nullptr;  // the flag's own error; ownership unchanged
        as_proxy(self)->own = truth ? 1 : 0;
    }
    return PyBool_FromLong(was_owning);
}

// True when `target` is `start` or one of the views chained after it.
bool chain_reaches(PyObject *start, PyObject *target) {
    PyObject *view = start;
    for (int n = 0; view && n < kMaxChainLength; ++n) {
        if (view == target) return true;
        view = as_proxy(view)->next;
    }
    return view != nullptr;  // too long to tell: treat as reaching
}

PyObject *proxy_append(PyObject *self, PyObject *other) {
    if (!is_proxy_object(other)) {
        PyErr_SetString(PyExc_TypeError, "append() argument must be a SwigPyObject");
        return nullptr;
    }
    // A cycle would keep its proxies alive for ever and make every walk of
    // the chain endless.
    if (chain_reaches(other, self)) {
        PyErr_SetString(PyExc_ValueError, "append() would make the chain of 'this' objects a cycle");
        return nullptr;
    }
    Py_INCREF(other);
    Py_XSETREF(as_proxy(self)->next, other);
    Py_RETURN_NONE;
}

PyObject *proxy_next(PyObject *self, PyObject *) {
    PyObject *next = as_proxy(self)->next;
    if (!next) Py_RETURN_NONE;
    Py_INCREF(next);
    return next;
}

PyObject *proxy_repr_method(PyObject *self, PyObject *) { return proxy_repr(self); }

PyMethodDef proxy_methods[] = {
    {"disown", proxy_disown, METH_NOARGS, "releases ownership of the pointer"},
    {"acquire", proxy_acquire, METH_NOARGS, "acquires ownership of the pointer"},
    {"own", proxy_own, METH_VARARGS, "returns/sets ownership of the pointer"},
    {"append", proxy_append, METH_O, "appends another 'this' object"},
    {"next", proxy_next, METH_NOARGS, "returns the next 'this' object"},
    {"__repr__", proxy_repr_method, METH_NOARGS, "returns object representation"},
    {nullptr, nullptr, 0, nullptr},
};

PyTypeObject *make_proxy_type() {
    static PyNumberMethods number_methods = {};
    number_methods.nb_int = proxy_int;
    static PyTypeObject type = {PyVarObject_HEAD_INIT(nullptr, 0)};
    type.tp_name = "SwigPyObject";
    type.tp_basicsize = sizeof(SwigPyObject);
    type.tp_dealloc = proxy_dealloc;
    type.tp_repr = proxy_repr;
    type.tp_as_number = &number_methods;
    type.tp_hash = PyObject_HashNotImplemented;
    type.tp_getattro = PyObject_GenericGetAttr;
    type.tp_flags = Py_TPFLAGS_DEFAULT;
    type.tp_doc = "Swig object carries a C/C++ instance pointer";
    type.tp_richcompare = proxy_richcompare;
    type.tp_methods = proxy_methods;
    type.tp_free = PyObject_Free;
    if (PyType_Ready(&type) < 0) return nullptr;
    return &type;
}

// Null until the type is made: until then no object can be a proxy.
PyTypeObject *made_proxy_type = nullptr;

}  // namespace

PyTypeObject *proxy_type() {
    if (!made_proxy_type) made_proxy_type = make_proxy_type();
    return made_proxy_type;
}

namespace {

// The deallocation every class defined by a class statement has; taken from a
// class made for the purpose once.
destructor python_class_dealloc() {
    static destructor dealloc = [] {
        PyObject *probe = PyObject_CallFunction(reinterpret_cast<PyObject *>(&PyType_Type), "s()N", "probe", PyDict_New());
        destructor found = probe ? reinterpret_cast<PyTypeObject *>(probe)->tp_dealloc : nullptr;
        Py_XDECREF(probe);
        PyErr_Clear();
        return found;
    }();
    return dealloc;
}

// A proxy of another module of this runtime has a type of its own with the
// same name and the same instance layout, made by C code. A name alone is not
// enough: any Python class can be called "SwigPyObject". The first letter
// rules out nearly every other type (shadow instances above all) without a
// call to strcmp.
bool is_foreign_proxy_type(PyTypeObject *type) {
    return type->tp_name[0] == 'S' && std::strcmp(type->tp_name, "SwigPyObject") == 0 &&
           type->tp_basicsize == static_cast<Py_ssize_t>(sizeof(SwigPyObject)) && type->tp_itemsize == 0 &&
           type->tp_base == &PyBaseObject_Type && type->tp_dealloc != python_class_dealloc();
}

bool is_proxy_of(PyObject *obj, PyTypeObject *own_proxy_type) {
    PyTypeObject *type = Py_TYPE(obj);
    return type == own_proxy_type || is_foreign_proxy_type(type);
}

// The slot an instance of `type` keeps `this` in, when the generic attribute
// lookup would read it from one (the proxy classes declare `this` as a slot);
// null otherwise. A slot is a data descriptor, so it wins over the instance
// dictionary.
PyMemberDef *look_up_this_slot(PyTypeObject *type) {
    if (type->tp_getattro != PyObject_GenericGetAttr) return nullptr;
    PyObject *descriptor = _PyType_Lookup(type, this_attr_name());  // borrowed
    if (!descriptor || Py_TYPE(descriptor) != &PyMemberDescr_Type) return nullptr;
    PyMemberDef *member = reinterpret_cast<PyMemberDescrObject *>(descriptor)->d_member;
    if (member->type != T_OBJECT_EX) return nullptr;
#ifdef Py_RELATIVE_OFFSET
    if (member->flags & Py_RELATIVE_OFFSET) return nullptr;
#endif
    // A descriptor planted on a class it does not belong to names another layout.
    return PyType_IsSubtype(type, PyDescr_TYPE(descriptor)) ? member : nullptr;
}

// How an instance of a type leads to its proxy without a lookup: it is a
// proxy of another module of this runtime, or it keeps one in the `this`
// slot `slot`, or neither. A type's version tag changes whenever the type or
// one of its bases does, so what was found stays true for as long as the tag
// does. Types are spread over the memo by address; a collision only costs a
// lookup.
struct TypeReach {
    PyTypeObject *type;
    unsigned int version;
    bool foreign_proxy;
    PyMemberDef *slot;
};
TypeReach reach_memo[64];

bool has_version_tag(const PyTypeObject *type) {
    return type->tp_version_tag != 0 && (type->tp_flags & Py_TPFLAGS_VALID_VERSION_TAG);
}

__attribute__((noinline)) const TypeReach &remember_reach(PyTypeObject *type, TypeReach &memo) {
    static TypeReach untagged;  // a type without a version tag is looked at afresh each time
    TypeReach &found = has_version_tag(type) ? memo : untagged;
    found = {type, type->tp_version_tag, is_foreign_proxy_type(type), look_up_this_slot(type)};
    return found;
}

inline const TypeReach &reach_of(PyTypeObject *type) {
    TypeReach &memo = reach_memo[(reinterpret_cast<uintptr_t>(type) >> 4) % 64];
    if (memo.type == type && memo.version == type->tp_version_tag && has_version_tag(type)) return memo;
    return remember_reach(type, memo);
}

PyMemberDef *this_slot(PyObject *obj) { return reach_of(Py_TYPE(obj)).slot; }

PyObject *slot_value(PyObject *obj, const PyMemberDef *slot) {
    return *reinterpret_cast<PyObject **>(reinterpret_cast<char *>(obj) + slot->offset);
}

// The interpreter's own value types: their classes cannot be given
// attributes, so an instance never has a `this`. A number or a text passed
// where an object belongs is the common wrong argument, and looking the
// attribute up only to miss it made most of the cost of its failure.
bool is_plain_value(PyObject *obj) {
    return PyLong_CheckExact(obj) || PyUnicode_CheckExact(obj) || PyFloat_CheckExact(obj) ||
           PyBytes_CheckExact(obj) || PyBool_Check(obj) || PyTuple_CheckExact(obj) || PyList_CheckExact(obj) ||
           PyDict_CheckExact(obj);
}

// New reference to `obj.this`, or null with no exception when it has none (any
// error of the lookup is cleared). A missing attribute raises nothing on the
// way, which keeps failed conversions (as in overload dispatch) cheap.
PyObject *this_of(PyObject *obj) {
    if (PyMemberDef *slot = this_slot(obj)) {
        PyObject *attr = slot_value(obj, slot);
        Py_XINCREF(attr);
        return attr;
    }
    PyObject *attr = nullptr;
#if PY_VERSION_HEX >= 0x030D0000
    int found = PyObject_GetOptionalAttr(obj, this_attr_name(), &attr);
#else
    int found = _PyObject_LookupAttr(obj, this_attr_name(), &attr);
#endif
    if (found < 0) PyErr_Clear();
    return found > 0 ? attr : nullptr;
}

}  // namespace

bool is_proxy_object(PyObject *obj) { return is_proxy_of(obj, proxy_type()); }

PyObject *new_proxy_object(void *ptr, swig_type_info *type, int own) {
    PyTypeObject *proxy_class = proxy_type();
    if (!proxy_class) return nullptr;
    SwigPyObject *v = allocate_proxy(proxy_class);
    if (!v) return nullptr;
    v->ptr = ptr;
    v->ty = type;
    v->own = own;
    v->next = nullptr;
    v->owner = nullptr;
    hold_class_data();
    return reinterpret_cast<PyObject *>(v);
}

// Returns a new reference: the `this` attribute may be computed afresh on each
// read, so the conversion holds the proxy for as long as it uses it.
SwigPyObject *find_this(PyObject *obj) {
    PyTypeObject *own_proxy_type = proxy_type();
    Py_INCREF(obj);
    for (int depth = 0; depth <= kMaxThisDepth; ++depth) {
        if (is_proxy_of(obj, own_proxy_type)) return as_proxy(obj);
        PyObject *attr = this_of(obj);
        Py_DECREF(obj);
        if (!attr) return nullptr;
        obj = attr;
    }
    Py_DECREF(obj);
    return nullptr;
}

namespace {

// The proxy `obj` leads to without taking a reference: `obj` itself, or the
// proxy in its `this` slot, both kept alive by `obj`. Null when reaching it
// takes the generic way.
inline SwigPyObject *held_proxy(PyObject *obj) {
    if (Py_TYPE(obj) == made_proxy_type) return as_proxy(obj);
    const TypeReach &reach = reach_of(Py_TYPE(obj));
    if (reach.foreign_proxy) return as_proxy(obj);
    PyObject *attr = reach.slot ? slot_value(obj, reach.slot) : nullptr;
    return attr && is_proxy_of(attr, made_proxy_type) ? as_proxy(attr) : nullptr;
}

// The first view in `head`'s chain that converts to `type` (null when none
// does), with the edge that converts it (null for the view's own type).
__attribute__((noinline)) SwigPyObject *matching_view(SwigPyObject *head, swig_type_info *type,
                                                     swig_cast_info **edge) {
    SwigPyObject *s = head;
    for (int n = 0; s && n < kMaxChainLength; ++n, s = s->next ? as_proxy(s->next) : nullptr) {
        *edge = nullptr;
        if (!type || s->ty == type) return s;
        *edge = find_cast(s->ty->name, type);
        if (*edge) return s;
    }
    return nullptr;
}

// ---- the proxies held by the calls in progress ----------------------------------------

__attribute__((noinline)) void hold_for_call(SwigPyObject *view) {
    if (call_state.depth == 0) return;
    Py_INCREF(view);
    call_state.held.push_back({view, view->ptr});
}

// `ptr` converted along `edge` (null for no conversion).
void *through_edge(void *ptr, swig_cast_info *edge) {
    if (!edge || !edge->converter) return ptr;
    int new_memory = 0;
    return edge->converter(ptr, &new_memory);
}

// object_to_pointer once the proxy is found, whatever the view and the flags.
__attribute__((noinline)) int pointer_from_view(SwigPyObject *head, void **out, swig_type_info *type, int flags) {
    swig_cast_info *edge = nullptr;
    SwigPyObject *s = matching_view(head, type, &edge);
    if (!s) return -1;
    if (!s->ptr) return kDeletedObject;
    void *converted = out ? through_edge(s->ptr, edge) : s->ptr;
    if (flags & kDisown) s->own = 0;
    if (flags & kForget) s->ptr = nullptr;
    if (out) {
        *out = converted;
        if (!(flags & kNoCodeAfter)) hold_for_call(s);
    }
    return 0;
}

// Most arguments are live proxies of the very type asked for, converted with
// no change to the proxy: no walk of the chain.
inline int pointer_from_proxy(SwigPyObject *head, void **out, swig_type_info *type, int flags) {
    if (head->ty != type || !head->ptr || !out || (flags & (kDisown | kForget))) {
        return pointer_from_view(head, out, type, flags);
    }
    *out = head->ptr;
    if (!(flags & kNoCodeAfter)) hold_for_call(head);
    return 0;
}

// object_to_pointer for None, the interpreter's plain values, and objects
// whose `this` takes a lookup.
__attribute__((noinline)) int pointer_the_long_way(PyObject *obj, void **out, swig_type_info *type, int flags) {
    if (!obj) return -1;
    if (obj == Py_None) {
        if (out) *out = nullptr;
        return 0;
    }
    if (is_plain_value(obj)) return -1;
    SwigPyObject *head = find_this(obj);
    if (!head) return -1;
    int status = pointer_from_view(head, out, type, flags & ~kNoCodeAfter);
    Py_DECREF(head);
    return status;
}

// The common way is inline here, for load_pointer to share.
inline int pointer_of(PyObject *obj, void **out, swig_type_info *type, int flags) {
    SwigPyObject *proxy = obj ? held_proxy(obj) : nullptr;
    return proxy ? pointer_from_proxy(proxy, out, type, flags) : pointer_the_long_way(obj, out, type, flags);
}

}  // namespace

CallState call_state;

// Entries are taken off before they are released: a proxy that dies here
// may destroy its object through a wrapper, which opens a scope of its own.
void release_held_proxies() {
    while (call_state.held.size() > call_state.mark) {
        SwigPyObject *view = call_state.held.back().view;
        call_state.held.pop_back();
        Py_DECREF(view);
    }
}

bool held_proxies_intact() {
    for (size_t i = call_state.mark; i < call_state.held.size(); ++i) {
        if (call_state.held[i].view->ptr != call_state.held[i].seen) {
            PyErr_SetString(PyExc_ValueError,
                            "an argument's object was deleted while a later argument was converted");
            return false;
        }
    }
    return true;
}

bool convert_along_edge(void *ptr, swig_type_info *type, swig_type_info *target, void **out) {
    swig_cast_info *edge = find_cast(type->name, target);
    if (!edge) return false;
    *out = through_edge(ptr, edge);
    return true;
}

int object_to_pointer(PyObject *obj, void **out, swig_type_info *type, int flags) {
    return pointer_of(obj, out, type, flags);
}

bool load_pointer(void **out, PyObject *obj, swig_type_info *type, ArgSite site, int flags) {
    int status = pointer_of(obj, out, type, flags & ((1 << kNullPolicyShift) - 1));
    if (!ok(status)) return arg_error(status, site);
    auto nulls = static_cast<Null>(flags >> kNullPolicyShift);
    if (*out || nulls == Null::kAllowed) return true;
    return nulls == Null::kValueError ? null_ref_error(site) : arg_error(kTypeError, site);
}

SwigPyObject *find_view(PyObject *obj, swig_type_info *type) {
    SwigPyObject *head = find_this(obj);
    if (!head) return nullptr;
    swig_cast_info *edge = nullptr;
    SwigPyObject *view = matching_view(head, type, &edge);
    Py_XINCREF(view);
    Py_DECREF(head);
    return view;
}

namespace {

// The proxy, or its shadow instance when the type's class makes one.
PyObject *with_shadow(PyObject *proxy, swig_type_info *type, int flags) {
    SwigPyClassData *data = class_data_of(type);
    // After the registry teardown the class data no longer says how to make
    // an instance; the bare proxy is all that can be given.
    if (!data || !data->newargs || (flags & kNoShadow)) return proxy;
    PyObject *instance = new_shadow_instance(data, proxy);
    Py_DECREF(proxy);
    return instance;
}

}  // namespace

PyObject *pointer_to_object(void *ptr, swig_type_info *type, int flags) {
    if (!ptr) Py_RETURN_NONE;
    PyObject *proxy = new_proxy_object(ptr, type, (flags & kOwn) ? 1 : 0);
    return proxy ? with_shadow(proxy, type, flags) : nullptr;
}

PyObject *member_to_object(void *ptr, swig_type_info *type, PyObject *owner) {
    if (!ptr) Py_RETURN_NONE;
    PyObject *proxy = new_proxy_object(ptr, type, 0);
    if (!proxy) return nullptr;
    as_proxy(proxy)->owner = reinterpret_cast<PyObject *>(find_this(owner));
    return with_shadow(proxy, type, 0);
}

PyObject *new_shadow_instance(SwigPyClassData *data, PyObject *proxy) {
    PyObject *instance;
    if (data->newraw) {
        instance = PyObject_Call(data->newraw, data->newargs, nullptr);
    } else {
        // The initialiser is not run: the instance gets its proxy directly.
        // An empty tuple (not None) keeps an exception class's `args` valid.
        auto *cls = reinterpret_cast<PyTypeObject *>(data->newargs);
        PyObject *no_args = PyTuple_New(0);
        instance = no_args ? cls->tp_new(cls, no_args, nullptr) : nullptr;
        Py_XDECREF(no_args);
    }
    if (instance && PyObject_SetAttr(instance, this_attr_name(), proxy) < 0) {
        Py_CLEAR(instance);
    }
    return instance;
}

}  // namespace qor
