// Iterator objects over the container classes.
//
// Every iterator Python sees is a `swig::SwigPyIterator`. The concrete
// iterator remembers its container through the container's proxy object (a
// new reference, so the container lives as long as the iterator) and a
// position that can never lead it outside the container or into a removed
// element (see IndexCursor and NodeCursor). One past either end ends the
// walk with `stop_iteration`.
#pragma once

#include <algorithm>
#include <cstddef>
#include <exception>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "containers.h"

namespace swig {

// Thrown only by iterators; the module's exception guard raises StopIteration
// with no value.
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

// A container or iterator failure, raised by the module's exception guard
// as the Python exception it names (IndexError, ValueError, TypeError) with
// its message. The container code throws only these and stop_iteration: a
// standard exception the library throws stays the library's failure.
class failure : public std::exception {
public:
    failure(PyObject *python_type, std::string message) : python_type_(python_type), message_(std::move(message)) {}
    const char *what() const noexcept override { return message_.c_str(); }
    PyObject *python_type() const { return python_type_; }

private:
    PyObject *python_type_;
    std::string message_;
};

inline failure index_error(const char *message) { return failure(PyExc_IndexError, message); }
inline failure value_error(const char *message) { return failure(PyExc_ValueError, message); }
inline failure type_error(const char *message) { return failure(PyExc_TypeError, message); }

// The type record of every iterator proxy.
swig_type_info *iterator_type();

// A new owned proxy of `it` (deleted if the proxy cannot be made).
PyObject *iterator_object(swig::SwigPyIterator *it);

// The proxy (a new reference) of a container argument: the view in its chain
// of the container's type. The iterator keeps the proxy itself, not the
// object carrying it, so a later change of that object's `this` cannot switch
// the iterator to another container.
SwigPyObject *proxy_of(PyObject *owner, swig_type_info *type);
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

// Where an iterator walks: the container of one proxy, whose proxy the
// iterator keeps (a new reference), so the container lives as long as the
// iterator; a container deleted through its proxy meanwhile refers to nothing,
// and using it raises.
template <class C>
class Walk {
public:
    Walk(PyObject *owner, const ContainerInfo &info) : proxy_(proxy_of(owner, container_type<C>(info))) {}
    Walk(const Walk &other) : proxy_(other.proxy_) { Py_INCREF(proxy_); }
    Walk &operator=(const Walk &) = delete;
    ~Walk() { Py_DECREF(proxy_); }
    C &container() const { return *static_cast<C *>(proxied(proxy_)); }

private:
    SwigPyObject *proxy_;
};

// A position in a vector, walked forwards or (Reverse) backwards: its index
// in walking order, checked against the vector's size on every use, so a
// vector that grows or shrinks cannot leave it pointing into freed storage.
template <class C, bool Reverse>
class IndexCursor : public swig::SwigPyIterator {
public:
    IndexCursor(PyObject *owner, size_t index, const ContainerInfo &info) : walk_(owner, info), index_(index) {}

    C &container() const { return walk_.container(); }
    size_t index() const { return index_; }

    // The element, or stop_iteration past either end.
    typename C::iterator at() const {
        C &c = container();
        if (index_ >= c.size()) throw swig::stop_iteration();
        return c.begin() + static_cast<ptrdiff_t>(Reverse ? c.size() - 1 - index_ : index_);
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
        return static_cast<ptrdiff_t>(same_class(*this, other).index_) - static_cast<ptrdiff_t>(index_);
    }
    bool equal(const swig::SwigPyIterator &other) const override {
        const IndexCursor &cursor = same_class(*this, other);
        return &cursor.container() == &container() && cursor.index_ == index_;
    }

private:
    Walk<C> walk_;
    size_t index_;  // steps from the first element in walking order
};

// A position in a map or set: the container's own iterator, so a step costs
// what the container's step costs, with the element's key beside it. Any
// wrapper call between two uses of the iterator may have removed its entry;
// the position is then found again from the key (the entry itself, or the
// next one in walking order when it is gone), so the iterator never reads a
// removed entry.
template <class C, bool Reverse>
class NodeCursor : public swig::SwigPyIterator {
public:
    using Key = typename C::key_type;

    NodeCursor(PyObject *owner, size_t index, const ContainerInfo &info) : walk_(owner, info) {
        C &c = container();
        move_to(index >= c.size() ? c.end() : std::next(walking_begin(c), static_cast<ptrdiff_t>(index)));
    }
    NodeCursor(PyObject *owner, typename C::iterator at, const ContainerInfo &info) : walk_(owner, info) {
        move_to(at);
    }

    C &container() const { return walk_.container(); }

    // Steps from the first element in walking order (the size at the end).
    size_t index() const {
        C &c = container();
        auto at = current();
        if (at == c.end()) return c.size();
        size_t forward = static_cast<size_t>(std::distance(c.begin(), at));
        return Reverse ? c.size() - 1 - forward : forward;
    }

    // The element, or stop_iteration at the end.
    typename C::iterator at() const {
        auto at = current();
        if (at == container().end()) throw swig::stop_iteration();
        return at;
    }

    swig::SwigPyIterator *incr(size_t n) override {
        C &c = container();
        auto at = current();
        for (; n > 0; --n) {
            if (at == c.end()) break;
            at = step_forward(c, at);
        }
        move_to(at);
        if (n > 0) throw swig::stop_iteration();
        return this;
    }
    swig::SwigPyIterator *decr(size_t n) override {
        C &c = container();
        auto at = current();
        for (; n > 0; --n) {
            if (at == walking_begin(c)) break;
            at = step_back(c, at);
        }
        move_to(at);
        if (n > 0) throw swig::stop_iteration();
        return this;
    }
    ptrdiff_t distance(const swig::SwigPyIterator &other) const override {
        return static_cast<ptrdiff_t>(same_class(*this, other).index()) - static_cast<ptrdiff_t>(index());
    }
    bool equal(const swig::SwigPyIterator &other) const override {
        const NodeCursor &cursor = same_class(*this, other);
        return &cursor.container() == &container() && cursor.current() == current();
    }

private:
    static typename C::iterator walking_begin(C &c) {
        return Reverse && !c.empty() ? std::prev(c.end()) : c.begin();
    }
    // One step in walking order; the end stands past the last element both ways.
    static typename C::iterator step_forward(C &c, typename C::iterator at) {
        if (!Reverse) return std::next(at);
        return at == c.begin() ? c.end() : std::prev(at);
    }
    static typename C::iterator step_back(C &c, typename C::iterator at) {
        if (!Reverse) return std::prev(at);
        return at == c.end() ? c.begin() : std::next(at);
    }
    static const Key &key_of(typename C::iterator at) {
        if constexpr (std::is_same<Key, typename C::value_type>::value) {
            return *at;
        } else {
            return at->first;
        }
    }

    void move_to(typename C::iterator at) {
        C &c = container();
        at_ = at;
        at_end_ = at == c.end();
        if (!at_end_) key_ = key_of(at);
        seen_at_ = calls_made();
    }

    // The position, found again from the key when other calls ran since it
    // was last used (this call and the one that last moved it are all that
    // may have run for it to be trusted as it is).
    typename C::iterator current() const {
        C &c = container();
        if (at_end_) return c.end();
        if (calls_made() - seen_at_ <= 1) return at_;
        auto at = c.lower_bound(key_);
        if (Reverse && (at == c.end() || key_of(at) != key_)) at = at == c.begin() ? c.end() : std::prev(at);
        auto *self = const_cast<NodeCursor *>(this);
        self->move_to(at);
        return at;
    }

    Walk<C> walk_;
    typename C::iterator at_;
    bool at_end_ = true;
    Key key_{};
    unsigned long seen_at_ = 0;
};

// Maps and sets step through their own iterators, vectors by index.
template <class C>
constexpr bool kRandomAccess =
    std::is_base_of<std::random_access_iterator_tag, typename std::iterator_traits<typename C::iterator>::iterator_category>::value;

template <class C, bool Reverse>
using Cursor = std::conditional_t<kRandomAccess<C>, IndexCursor<C, Reverse>, NodeCursor<C, Reverse>>;

// `other` as an iterator of the same class as `self`, or "bad iterator type".
template <class Self>
const Self &same_class(const Self &, const swig::SwigPyIterator &other) {
    auto *cursor = dynamic_cast<const Self *>(&other);
    if (!cursor) throw value_error("bad iterator type");
    return *cursor;
}

template <class C, bool Reverse, class Conv>
class Iterator : public Cursor<C, Reverse> {
public:
    template <class Position>
    Iterator(PyObject *owner, Position at, const ContainerInfo &info) : Cursor<C, Reverse>(owner, at, info), info_(info) {}
    PyObject *value() const override { return Conv::from(*this->at(), info_); }
    swig::SwigPyIterator *copy() const override { return new Iterator(*this); }

private:
    ContainerInfo info_;
};

// A new owned iterator proxy over the container of `owner` at `index` (in
// walking order).
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
    if (&cursor->container() != &c) throw value_error("iterator of another container");
    size_t index = cursor->index();
    if (index > limit) throw index_error("iterator out of range");
    return index;
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
