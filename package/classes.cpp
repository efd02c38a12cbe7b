// qorctl._binding, the proxy classes' part: calling a proxy class runs its
// constructor straight into a new instance, and dropping an instance
// releases what it holds and keeps its memory for the next, without the
// interpreter's steps written for any class.
#include "binding.h"

#include <structmember.h>

#include <cstdint>

namespace qor_binding {
namespace {

// ---- calling a proxy class ---------------------------------------------------------------
//
// Calling a proxy class the generic way costs an instance made by
// object.__new__, a lookup of `__init__` by the interpreter, a bound call of
// the initializer and an attribute store by name. A proxy class's own
// vectorcall runs the constructor straight into a new instance instead,
// whenever nothing about the class asks for the generic steps. The classes
// stay instances of `type` itself, so scripts may still mix them with
// classes of other metaclasses (abstract base classes, for one).

PyObject *interned(const char *text) {
    PyObject *name = PyUnicode_InternFromString(text);
    if (!name) PyErr_Clear();  // the call then takes the generic way
    return name;
}

PyObject **slot_at(PyObject *self, Py_ssize_t offset) {
    return reinterpret_cast<PyObject **>(reinterpret_cast<char *>(self) + offset);
}

// Whether `member` is a slot a class's `__slots__` made: an object
// reference that scripts may set and delete.
bool is_object_slot(const PyMemberDef *member) {
    return member->type == T_OBJECT_EX && !(member->flags & READONLY);
}

// The offset of the `this` slot that an attribute store on an instance of
// `cls` would write to, or 0 when the store goes anywhere else (a property,
// a __setattr__ of the class's own, a slot of an unrelated layout).
Py_ssize_t this_slot_offset(PyTypeObject *cls) {
    static PyObject *this_name = interned("this");
    if (!this_name || cls->tp_setattro != PyObject_GenericSetAttr) return 0;
    PyObject *descriptor = _PyType_Lookup(cls, this_name);  // borrowed
    if (!descriptor || Py_TYPE(descriptor) != &PyMemberDescr_Type) return 0;
    PyMemberDef *member = reinterpret_cast<PyMemberDescrObject *>(descriptor)->d_member;
    if (!is_object_slot(member)) return 0;
#ifdef Py_RELATIVE_OFFSET
    if (member->flags & Py_RELATIVE_OFFSET) return 0;
#endif
    return PyType_IsSubtype(cls, PyDescr_TYPE(descriptor)) ? member->offset : 0;
}

// How calls of one class go: its constructor binding (borrowed) and the
// offset of the `this` slot it fills, or a null constructor for the generic way.
struct Construction {
    Binding *constructor;
    Py_ssize_t this_offset;
};

// The constructor binding that `cls.__init__` still is, when an instance of
// `cls` is made by object.__new__ unchanged and keeps `this` in its slot;
// else the generic way.
Construction look_up_construction(PyTypeObject *cls) {
    static PyObject *init_name = interned("__init__");
    Construction generic = {nullptr, 0};
    if (!init_name || cls->tp_new != PyBaseObject_Type.tp_new || (cls->tp_flags & Py_TPFLAGS_IS_ABSTRACT)) {
        return generic;
    }
    PyObject *init = _PyType_Lookup(cls, init_name);  // borrowed
    if (!init || Py_TYPE(init) != &initializer_type) return generic;
    Py_ssize_t this_offset = this_slot_offset(cls);
    return this_offset ? Construction{as_binding(init), this_offset} : generic;
}

// A class's version tag changes whenever the class or one of its bases does
// (an attribute set or deleted, __bases__ replaced, abstract methods set),
// and every change that look_up_construction depends on is one of those: its
// answer stays right, the borrowed binding included, for as long as the tag
// does. Classes are spread over the memo by address; a collision only costs
// the lookups.
struct ConstructionMemo {
    PyTypeObject *cls;
    unsigned int version;
    Construction construction;
};
ConstructionMemo construction_memo[32];

bool has_version_tag(const PyTypeObject *cls) {
    return cls->tp_version_tag != 0 && (cls->tp_flags & Py_TPFLAGS_VALID_VERSION_TAG);
}

ConstructionMemo &memo_of(PyTypeObject *cls) {
    return construction_memo[(reinterpret_cast<uintptr_t>(cls) >> 4) % 32];
}

// Out of line, so that a call the memo answers sets up no frame for the lookups.
__attribute__((noinline)) Construction remember_construction(PyTypeObject *cls) {
    Construction construction = look_up_construction(cls);
    if (has_version_tag(cls)) memo_of(cls) = {cls, cls->tp_version_tag, construction};
    return construction;
}

Construction construction_of(PyTypeObject *cls) {
    const ConstructionMemo &memo = memo_of(cls);
    if (memo.cls == cls && memo.version == cls->tp_version_tag && has_version_tag(cls)) return memo.construction;
    return remember_construction(cls);
}

// ---- the memory of proxy-class instances -------------------------------------------------
//
// Scripts make and drop proxy-class instances one after another (a record
// per turn of a loop), and the interpreter's allocation and freeing of an
// instance (its object allocator, zeroing, the collector's bookkeeping) were
// nearly a tenth of that. The memory of a few dropped instances is kept for
// the next: instance_dealloc leaves an instance of its own class as a fresh
// allocation is (untracked, its slots, weak reference list and dictionary
// place empty), so only the reference count and class need setting again.
// Instances of one layout share the blocks: every proxy class has the same.

constexpr int kSpareInstances = 16;

struct SpareInstances {
    Py_ssize_t basicsize = 0;  // the layout of the kept blocks
    unsigned long flags = 0;
    int count = 0;
    PyObject *blocks[kSpareInstances];
};
SpareInstances spare_instances;

// The type flags that change where an instance keeps its dictionary and
// weak references, or whether it is tracked.
#if PY_VERSION_HEX >= 0x030C0000
constexpr unsigned long kLayoutFlags = Py_TPFLAGS_HAVE_GC | Py_TPFLAGS_MANAGED_DICT | Py_TPFLAGS_MANAGED_WEAKREF;
#elif PY_VERSION_HEX >= 0x030B0000
constexpr unsigned long kLayoutFlags = Py_TPFLAGS_HAVE_GC | Py_TPFLAGS_MANAGED_DICT;
#else
constexpr unsigned long kLayoutFlags = Py_TPFLAGS_HAVE_GC;
#endif

// Instances whose attributes' values live inside them (3.13 and later, a
// class without slots) are set up by the allocation itself: never kept.
#if PY_VERSION_HEX >= 0x030D0000
constexpr unsigned long kNeverKeptFlags = Py_TPFLAGS_INLINE_VALUES;
#else
constexpr unsigned long kNeverKeptFlags = 0;
#endif

bool has_spare_layout(const PyTypeObject *type) {
    return type->tp_basicsize == spare_instances.basicsize && (type->tp_flags & kLayoutFlags) == spare_instances.flags;
}

// A kept block made an instance of `cls`, or null when there is none to
// take (or `cls` allocates otherwise).
PyObject *reuse_instance(PyTypeObject *cls) {
    if (spare_instances.count == 0 || cls->tp_alloc != PyType_GenericAlloc || !has_spare_layout(cls)) return nullptr;
    PyObject *instance = spare_instances.blocks[--spare_instances.count];
    PyObject_Init(instance, cls);  // takes a reference to the class
    PyObject_GC_Track(instance);
    return instance;
}

bool was_finalized(PyObject *self) {
#if PY_VERSION_HEX >= 0x03090000
    return PyObject_GC_IsFinalized(self);
#else
    return _PyGC_FINALIZED(self);
#endif
}

// Keeps the memory of the dropped instance `self` of `type`, emptied by
// instance_dealloc, if it is like a fresh allocation of its layout (no
// finaliser has marked it) and there is room; else frees it.
void keep_or_free(PyObject *self, PyTypeObject *type) {
    bool keep = spare_instances.count < kSpareInstances && type->tp_free == PyObject_GC_Del &&
                !(type->tp_flags & kNeverKeptFlags) && !was_finalized(self);
    if (keep && spare_instances.count == 0) {  // the first kept block sets the layout
        spare_instances.basicsize = type->tp_basicsize;
        spare_instances.flags = type->tp_flags & kLayoutFlags;
    }
    if (!keep || !has_spare_layout(type)) {
        type->tp_free(self);
        return;
    }
    spare_instances.blocks[spare_instances.count++] = self;
}

// New reference: what object.__new__ and the initializer together make,
// the constructor's proxy put straight into the instance's empty slot.
PyObject *construct(PyTypeObject *cls, Construction how, PyObject *const *args, size_t nargsf) {
    PyObject *proxy = call_function(how.constructor, args, nargsf, nullptr);
    if (!proxy) return nullptr;
    PyObject *instance = reuse_instance(cls);
    if (!instance) instance = cls->tp_alloc(cls, 0);
    if (!instance) {
        Py_DECREF(proxy);
        return nullptr;
    }
    *slot_at(instance, how.this_offset) = proxy;
    return instance;
}

// The generic call of the class, given an argument vector. Kept out of line,
// so that the direct construction does not set up this one's frame.
__attribute__((noinline)) PyObject *call_generically(PyObject *cls, PyObject *const *args, Py_ssize_t count, PyObject *kwnames) {
    Py_ssize_t keywords = kwnames ? PyTuple_GET_SIZE(kwnames) : 0;
    PyObject *tuple = PyTuple_New(count);
    PyObject *kwargs = keywords && tuple ? PyDict_New() : nullptr;
    PyObject *result = nullptr;
    if (!tuple || (keywords && !kwargs)) goto done;
    for (Py_ssize_t i = 0; i < count; ++i) {
        Py_INCREF(args[i]);
        PyTuple_SET_ITEM(tuple, i, args[i]);
    }
    for (Py_ssize_t i = 0; i < keywords; ++i) {
        if (PyDict_SetItem(kwargs, PyTuple_GET_ITEM(kwnames, i), args[count + i]) < 0) goto done;
    }
    result = Py_TYPE(cls)->tp_call(cls, tuple, kwargs);
done:
    Py_XDECREF(tuple);
    Py_XDECREF(kwargs);
    return result;
}

PyObject *class_vectorcall(PyObject *cls, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
    if (!kwnames || PyTuple_GET_SIZE(kwnames) == 0) {
        PyTypeObject *type = reinterpret_cast<PyTypeObject *>(cls);
        Construction how = construction_of(type);
        if (how.constructor) return construct(type, how, args, nargsf);
    }
    return call_generically(cls, args, PyVectorcall_NARGS(nargsf), kwnames);
}

// ---- dropping an instance of a proxy class ----------------------------------------------
//
// The interpreter deallocates an instance of a class of its making in steps
// written for any class: the nearest base with a deallocation of its own is
// searched for, then finalisers of two kinds, weak references, the slots and
// the dictionary each class added. A proxy-class instance dies as often as
// one is made, and those searches were an eighth of the time a script spends
// making and dropping one. The classes whose calls are direct are given a
// deallocation of their own that takes the same steps for what their
// instances can hold, and keeps their memory for the next instance.
//
// A subclass of such a class keeps the interpreter's deallocation: that
// clears what the subclass added (since 3.11 the managed dictionary too)
// and then calls this one, as the deallocation of its base.

// The interpreter's deallocation of class instances, read at start-up from
// a class it made.
destructor python_class_dealloc = nullptr;

// Clears the `__slots__` of every class of `self` down to `object` (the
// proxy in `this` among them), as the interpreter does.
void clear_member_slots(PyObject *self) {
    for (PyTypeObject *type = Py_TYPE(self); PyType_HasFeature(type, Py_TPFLAGS_HEAPTYPE); type = type->tp_base) {
        for (PyMemberDef *member = type->tp_members; member && member->name; ++member) {
            if (is_object_slot(member)) Py_CLEAR(*slot_at(self, member->offset));
        }
    }
}

// Clears the dictionary the interpreter finds for `self`; false when it
// finds no place for one. Since 3.11 it first makes a dictionary of the
// attributes' values if they were kept apart, and finds none if that fails.
bool clear_dict_pointer(PyObject *self) {
    PyObject **dict = _PyObject_GetDictPtr(self);
    if (dict) Py_CLEAR(*dict);
    return dict != nullptr;
}

// Releases the instance's dictionary; false when its place may not be
// empty after all. A managed one (3.11 and later) has been released already
// when a subclass's deallocation calls this one.
bool clear_dict(PyObject *self, bool own_type) {
#if PY_VERSION_HEX >= 0x030B0000
    if (PyType_HasFeature(Py_TYPE(self), Py_TPFLAGS_MANAGED_DICT)) {
        if (!own_type) return false;
#if PY_VERSION_HEX >= 0x030D0000
        PyObject_ClearManagedDict(self);
        return true;
#elif PY_VERSION_HEX >= 0x030C0000
        _PyObject_ClearManagedDict(self);
        return true;
#else
        return clear_dict_pointer(self);
#endif
    }
#endif
    (void)own_type;
    clear_dict_pointer(self);
    return true;
}

// Weak references are cleared first, so that no code run while the slots
// and the dictionary are released (a finaliser of an attribute) can reach
// the dying instance through one. `own_type` says whether this is the
// deallocation of the instance's own class rather than of a base's.
void drop_instance(PyObject *self, bool own_type) {
    if (own_type && Py_TYPE(self)->tp_finalize) {
        PyObject_GC_Track(self);
        if (PyObject_CallFinalizerFromDealloc(self) < 0) return;  // the finaliser kept it alive
        PyObject_GC_UnTrack(self);
    }
    // A positive offset is a list head in the instance, which is null when
    // nothing refers to it weakly; a negative one (3.12 and later) is kept
    // before it, and the interpreter looks.
    Py_ssize_t weaklist = Py_TYPE(self)->tp_weaklistoffset;
    if (weaklist < 0 || (weaklist > 0 && *slot_at(self, weaklist))) PyObject_ClearWeakRefs(self);
    clear_member_slots(self);
    bool emptied = clear_dict(self, own_type);
    PyTypeObject *type = Py_TYPE(self);
    if (own_type && emptied) {
        keep_or_free(self, type);
    } else {
        type->tp_free(self);
    }
    Py_DECREF(type);  // an instance holds its class
}

void instance_dealloc(PyObject *self) {
    PyObject_GC_UnTrack(self);
    bool own_type = Py_TYPE(self)->tp_dealloc == instance_dealloc;
#if PY_VERSION_HEX >= 0x030C0000
    // An instance that dies deep in a chain of others (each an attribute of
    // the one before) would overflow the stack: the trash can puts it aside
    // for later. The attributes' values are released here one by one, so
    // the chain runs through this function; a subclass's deallocation has
    // used the trash can already.
    Py_TRASHCAN_BEGIN(self, instance_dealloc)
    drop_instance(self, own_type);
    Py_TRASHCAN_END
#else
    // No trash can here: what this releases that could hold further
    // instances is a dictionary, whose deallocation has one.
    drop_instance(self, own_type);
#endif
}

// Whether every class from `cls` down to `object` is laid out and
// deallocated as the interpreter makes classes (the proxy classes are,
// exception classes are not): then instance_dealloc does what it would.
bool dropped_as_python_does(PyTypeObject *cls) {
    if (!python_class_dealloc || !PyType_IS_GC(cls)) return false;
    for (PyTypeObject *type = cls; type != &PyBaseObject_Type; type = type->tp_base) {
        if (!type || (type->tp_dealloc != python_class_dealloc && type->tp_dealloc != instance_dealloc)) return false;
    }
    return true;
}

// The deallocation of a class made by the interpreter, or null.
destructor read_python_class_dealloc() {
    PyObject *probe = PyObject_CallFunction(reinterpret_cast<PyObject *>(&PyType_Type), "s()N", "probe", PyDict_New());
    if (!probe) return nullptr;
    destructor dealloc = reinterpret_cast<PyTypeObject *>(probe)->tp_dealloc;
    Py_DECREF(probe);
    return dealloc;
}

}  // namespace

// direct_calls(cls): calls of the proxy class `cls` (a class of Python's
// making) go through class_vectorcall, and its instances are dropped by
// instance_dealloc where they can be; returns `cls`. A type's vectorcall is
// its own and never inherited: subclasses are called the generic way.
PyObject *direct_calls(PyObject *, PyObject *cls) {
    if (!PyType_Check(cls) || !PyType_HasFeature(reinterpret_cast<PyTypeObject *>(cls), Py_TPFLAGS_HEAPTYPE)) {
        PyErr_Format(PyExc_TypeError, "%R is not a class made by Python", cls);
        return nullptr;
    }
    PyTypeObject *type = reinterpret_cast<PyTypeObject *>(cls);
    type->tp_vectorcall = class_vectorcall;
    if (dropped_as_python_does(type)) type->tp_dealloc = instance_dealloc;
    Py_INCREF(cls);
    return cls;
}

bool prepare_classes() {
    python_class_dealloc = read_python_class_dealloc();
    // An interpreter started again in this process has new classes and
    // new memory: nothing the last one left may be taken for them.
    for (ConstructionMemo &memo : construction_memo) memo = ConstructionMemo{};
    spare_instances.count = 0;
    return python_class_dealloc != nullptr;
}

}  // namespace qor_binding
