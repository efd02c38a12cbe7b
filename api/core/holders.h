// The holder classes: `std::unique_ptr<T>` of a library class T, each with
// the same functions (made from a pointer, release, reset with or without a
// pointer, swap, get, truth, delete). One template serves every holder; what
// tells one from another is data the generated code gives as `Data`:
//
//   using Held = T;
//   static swig_type_info *holder();   the record of std::unique_ptr<T>
//   static swig_type_info *held();     the record of T
//   static constexpr const char *kPointer, *kSelf, *kConstSelf, *kRef;
//       the type texts of its arguments: "std::unique_ptr< T >::pointer",
//       "std::unique_ptr< T > *", "... const *" and "... &"
//   static constexpr const char *kResetOverloads;
//       the message of a reset call that matches neither form
//
// The functions take their arguments as a vector whose length the caller
// has checked (reset: any length); the caller runs them inside the exception
// guard, as it runs every wrapper.
#pragma once

#include <memory>

#include "api/core/guard.h"

namespace qor {

template <class Data>
struct Holder {
    using Held = typename Data::Held;
    using Ptr = std::unique_ptr<Held>;

    static PyObject *make(PyObject *const *argv, Py_ssize_t) {
        PtrArg<Held> pointer;
        if (!pointer.load(argv[0], Data::held(), {Data::kPointer, 1})) return nullptr;
        return pointer_to_object(new Ptr(pointer.get()), Data::holder(), kOwn | kNoShadow);
    }

    static PyObject *release(PyObject *const *argv, Py_ssize_t) {
        SelfArg<Ptr> self;
        if (!self.load(argv[0], Data::holder(), {Data::kSelf, 1})) return nullptr;
        return from_borrowed(self.get()->release(), Data::held());
    }

    // reset(pointer) or reset(): the form without a pointer is tried first.
    static PyObject *reset(PyObject *const *argv, Py_ssize_t argc) {
        if (argc == 1 && SelfArg<Ptr>::check(argv[0], Data::holder())) return reset_to(argv, false);
        if (argc == 2 && SelfArg<Ptr>::check(argv[0], Data::holder()) &&
            PtrArg<Held>::check(argv[1], Data::held())) {
            return reset_to(argv, true);
        }
        return overload_error(Data::kResetOverloads);
    }

    static PyObject *swap(PyObject *const *argv, Py_ssize_t) {
        SelfArg<Ptr> self;
        if (!self.load(argv[0], Data::holder(), {Data::kSelf, 1})) return nullptr;
        RefArg<Ptr> other;
        if (!other.load(argv[1], Data::holder(), {Data::kRef, 2}) || !held_proxies_intact()) return nullptr;
        self.get()->swap(*other.get());
        Py_RETURN_NONE;
    }

    static PyObject *get(PyObject *const *argv, Py_ssize_t) {
        SelfArg<const Ptr> self;
        if (!self.load(argv[0], Data::holder(), {Data::kConstSelf, 1})) return nullptr;
        return from_borrowed(self.get()->get(), Data::held());
    }

    static PyObject *truth(PyObject *const *argv, Py_ssize_t) {
        SelfArg<const Ptr> self;
        if (!self.load(argv[0], Data::holder(), {Data::kConstSelf, 1})) return nullptr;
        return from_scalar<bool>(static_cast<bool>(*self.get()));
    }

    // None deletes nothing; a proxy stops owning and referring to the holder.
    static PyObject *destroy(PyObject *const *argv, Py_ssize_t) {
        PtrArg<Ptr> self;
        if (!self.load(argv[0], Data::holder(), {Data::kSelf, 1}, kDisown | kForget)) return nullptr;
        delete self.get();
        Py_RETURN_NONE;
    }

    // What deletes the holder of a dying proxy (see delete_converted).
    static PyObject *destroy_dying(void *ptr, swig_type_info *type) {
        return delete_converted<Ptr>(ptr, type, Data::holder(), {Data::kSelf, 1});
    }

private:
    static PyObject *reset_to(PyObject *const *argv, bool with_pointer) {
        SelfArg<Ptr> self;
        if (!self.load(argv[0], Data::holder(), {Data::kSelf, 1})) return nullptr;
        PtrArg<Held> pointer;
        if (with_pointer && !(pointer.load(argv[1], Data::held(), {Data::kPointer, 2}) && held_proxies_intact())) {
            return nullptr;
        }
        self.get()->reset(pointer.get());
        Py_RETURN_NONE;
    }
};

}  // namespace qor
