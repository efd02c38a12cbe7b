// Iterator objects over the container classes.
//
// Every iterator Python sees is a `swig::SwigPyIterator`. The concrete
// iterator remembers its container through the container's proxy object (a
// new reference, so the container lives as long as the iterator) and its
// position as a step count in walking order, never as a C++ iterator: a
// vector that grows or shrinks under it cannot leave it pointing into freed
// storage. Every read and move is checked against the container's current
// size, and one past either end ends the walk with `stop_iteration`.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <utility>

#include "containers.h"

namespace swig {

// Thrown only by iterators; the wrappers raise StopIteration with no value.
struct stop_iteration {};

class SwigPyIterator {
public:
    virtual ~SwigPyIterator() = default;
    virtual PyObject *value() const = 0;  // new reference
    virtual SwigPyIterator *incr(size_t n = 1) = 0;
    virtual SwigPyIterator *decr(size_t n = 1);
    virtual ptrdiff_t distance(const SwigPyIterator &other) const;
    virtual bool equal(const SwigPyIterator &other) const;
    virtual SwigPyIterator *copy() const = 0;

    PyObject *next();
    PyObject *previous();
    // n steps forward (backward when negative); `back` reverses the sense.
    SwigPyIterator *advance(ptrdiff_t n, bool back = false);
};

}  // namespace swig

namespace qor::ctr {

// A failed check whose Python exception is TypeError (an iterator of another
// container class given to erase or insert).
struct type_error : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// The type record of every iterator proxy.
swig_type_info *iterator_type();

// A new owned proxy of `it` (deleted if the proxy cannot be made).
PyObject *iterator_object(swig::SwigPyIterator *it);

// Runs `call`, raising the container and iterator failures as the Python
// exceptions scripts expect: StopIteration (no value), IndexError for
// out-of-range, ValueError for invalid-argument, TypeError for type_error.
// Anything else goes on to the wrapper's own guard.
template <class Call>
PyObject *guard(Call &&call) {
    try {
        return call();
    } catch (const swig::stop_iteration &) {
        PyErr_SetNone(PyExc_StopIteration);
    } catch (const type_error &error) {
        PyErr_SetString(PyExc_TypeError, error.what());
    } catch (const std::out_of_range &error) {
        PyErr_SetString(PyExc_IndexError, error.what());
    } catch (const std::invalid_argument &error) {
        PyErr_SetString(PyExc_ValueError, error.what());
    }
    return nullptr;
}

// The proxy (a new reference) of a container argument. The iterator keeps
// the proxy itself, not the object carrying it, so a later change of that
// object's `this` cannot switch the iterator to another container.
SwigPyObject *proxy_of(PyObject *owner);
// The container behind the proxy; a proxy whose container was deleted since
// refers to nothing, and using it raises.
void *proxied(SwigPyObject *proxy);

// ---- element conversions ----------------------------------------------------------

// An element as a new Python object: by kind (Element<T>); a holder's object
// moves out into a new holder whose proxy does not own it.
struct FromElement {
    template <class V>
    static PyObject *from(V &value, const ContainerInfo &info) { return Element<std::remove_const_t<V>>::from(value, info); }
    template <class T>
    static PyObject *from(std::unique_ptr<T> &value, const ContainerInfo &info) {
        return pointer_to_object(new std::unique_ptr<T>(std::move(value)), info.element_type, 0);
    }
};

// Map entries: the 2-tuple of key and value, the key, or the value.
struct FromEntry {
    template <class E>
    static PyObject *from(E &entry, const ContainerInfo &info) {
        PyObject *key = FromStdString(entry.first);
        PyObject *value = key ? Element<typename E::second_type>::from(entry.second, info) : nullptr;
        PyObject *pair = value ? PyTuple_Pack(2, key, value) : nullptr;
        Py_XDECREF(key);
        Py_XDECREF(value);
        return pair;
    }
};
struct FromKey {
    template <class E>
    static PyObject *from(E &entry, const ContainerInfo &) { return FromStdString(entry.first); }
};
struct FromValue {
    template <class E>
    static PyObject *from(E &entry, const ContainerInfo &info) {
        return Element<typename E::second_type>::from(entry.second, info);
    }
};

// ---- positions -----------------------------------------------------------------------

// A position in one container of type C, walked forwards or (Reverse)
// backwards. Iterators of one C and direction compare and subtract; any
// other pairing is a "bad iterator type".
template <class C, bool Reverse>
class Cursor : public swig::SwigPyIterator {
public:
    Cursor(PyObject *owner, size_t index) : proxy_(proxy_of(owner)), index_(index) {}
    Cursor(const Cursor &other) : proxy_(other.proxy_), index_(other.index_) { Py_INCREF(proxy_); }
    Cursor &operator=(const Cursor &) = delete;
    ~Cursor() override { Py_DECREF(proxy_); }

    C &container() const { return *static_cast<C *>(proxied(proxy_)); }
    size_t index() const { return index_; }

    // The element's C++ iterator, or stop_iteration past either end.
    typename C::iterator at() const {
        C &c = container();
        if (index_ >= c.size()) throw swig::stop_iteration();
        return std::next(c.begin(), static_cast<ptrdiff_t>(Reverse ? c.size() - 1 - index_ : index_));
    }

    swig::SwigPyIterator *incr(size_t n) override {
        size_t size = container().size();
        index_ = std::min(index_, size);
        if (n > size - index_) {
            index_ = size;
            throw swig::stop_iteration();
        }
        index_ += n;
        return this;
    }
    swig::SwigPyIterator *decr(size_t n) override {
        index_ = std::min(index_, container().size());
        if (n > index_) {
            index_ = 0;
            throw swig::stop_iteration();
        }
        index_ -= n;
        return this;
    }
    ptrdiff_t distance(const swig::SwigPyIterator &other) const override {
        return static_cast<ptrdiff_t>(same(other).index_) - static_cast<ptrdiff_t>(index_);
    }
    bool equal(const swig::SwigPyIterator &other) const override { return same(other).index_ == index_; }

private:
    const Cursor &same(const swig::SwigPyIterator &other) const {
        auto *cursor = dynamic_cast<const Cursor *>(&other);
        if (!cursor) throw std::invalid_argument("bad iterator type");
        if (&cursor->container() != &container()) throw std::invalid_argument("iterators of different containers");
        return *cursor;
    }

    SwigPyObject *proxy_;  // owned: the container's proxy
    size_t index_;     // steps from the first element in walking order
};

template <class C, bool Reverse, class Conv>
class Iterator : public Cursor<C, Reverse> {
public:
    Iterator(PyObject *owner, size_t index, const ContainerInfo &info) : Cursor<C, Reverse>(owner, index), info_(info) {}
    PyObject *value() const override { return Conv::from(*this->at(), info_); }
    swig::SwigPyIterator *copy() const override { return new Iterator(*this); }

private:
    ContainerInfo info_;
};

// A new owned iterator proxy over the container of proxy `owner` at `index`.
template <class C, bool Reverse = false, class Conv = FromElement>
PyObject *make_iterator(PyObject *owner, size_t index, const ContainerInfo &info) {
    return iterator_object(new Iterator<C, Reverse, Conv>(owner, index, info));
}

// The forward position of an iterator argument in container `c`: it must be
// a forward iterator of C over `c` itself, and at most `limit` (the size for
// an insertion point, the size minus one for an element).
template <class C>
size_t position(const swig::SwigPyIterator &it, const C &c, size_t limit, const char *message) {
    auto *cursor = dynamic_cast<const Cursor<C, false> *>(&it);
    if (!cursor) throw type_error(message);
    if (&cursor->container() != &c) throw std::invalid_argument("iterator of another container");
    if (cursor->index() > limit) throw std::out_of_range("iterator out of range");
    return cursor->index();
}

// ---- the iterator class's own operations ----------------------------------------------

PyObject *iterator_value(const swig::SwigPyIterator &it);
PyObject *iterator_next(swig::SwigPyIterator &it);
PyObject *iterator_previous(swig::SwigPyIterator &it);
// incr and decr; advance, __iadd__ and __isub__ (`back` for decr and
// __isub__): the iterator moves and the result is argument 1 itself, so a
// result never outlives the iterator it refers to.
PyObject *iterator_incr(PyObject *self, swig::SwigPyIterator &it, size_t n, bool back);
PyObject *iterator_advance(PyObject *self, swig::SwigPyIterator &it, ptrdiff_t n, bool back);
// __add__ and __sub__ with a count: a new owned copy, moved.
PyObject *iterator_moved_copy(const swig::SwigPyIterator &it, ptrdiff_t n, bool back);
PyObject *iterator_copy(const swig::SwigPyIterator &it);
PyObject *iterator_distance(const swig::SwigPyIterator &it, const swig::SwigPyIterator &other);
PyObject *iterator_equal(const swig::SwigPyIterator &it, const swig::SwigPyIterator &other, bool equal);

}  // namespace qor::ctr
