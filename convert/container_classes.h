// The operations of the container proxy classes: one implementation per
// family (vectors, holder vectors, maps, the string set), instantiated per
// container type by the generated wrappers.
//
// Every operation that can fail makes all its checks (indices, slice steps,
// extended-slice lengths, iterator arguments) before it changes the
// container, so a failed call leaves the container as it was. Results are new
// references; failures are thrown as `failure` (iterators.h), which the
// module's exception guard raises.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "iterators.h"
#include "params.h"

namespace qor {

namespace ctr {

// A slice's members as given: an absent member was None; integers are
// clamped to the ptrdiff_t range.
struct RawSlice {
    ptrdiff_t start = 0, stop = 0, step = 1;
    bool has_start = false, has_stop = false;
};

// False when a member is neither an integer nor None (nothing is left pending).
bool unpack_slice(PyObject *slice, RawSlice *out);

}  // namespace ctr

// A slice object argument (exactly the slice type). Its members are read
// while the argument converts, before the call looks at the container: a
// member's __index__ is Python code, which may change the container.
struct SliceArg {
    ctr::RawSlice raw;
    bool load(PyObject *obj, ArgSite site) {
        if (!check(obj)) return arg_error(kTypeError, site);
        if (ctr::unpack_slice(obj, &raw)) return true;
        PyErr_SetString(PyExc_TypeError, "slice indices must be integers or None");
        return false;
    }
    static bool check(PyObject *obj) { return PySlice_Check(obj); }
    const ctr::RawSlice *get() const { return &raw; }
};

// A container's own iterator, taken by value by erase and insert: None is
// no iterator at all and fails as any other non-iterator does, with the
// argument's TypeError. Which container it walks is checked by the operation.
using IteratorArg = PointerArg<swig::SwigPyIterator, Null::kTypeError>;

}  // namespace qor

namespace qor::ctr {

// The conversion facts of container type C, made once per type: the element
// record (or holder record) is found by its display name.
template <class C>
const ContainerInfo &info_of(const char *name, const char *element, const char *element_record) {
    static const ContainerInfo info{name, element, element_record ? lookup_type_by_name(element_record) : nullptr};
    return info;
}

// ---- indices and slices --------------------------------------------------------------

// An index in 0..n-1, or counted from the end when negative.
size_t check_index(ptrdiff_t i, size_t n);

struct Slice {
    ptrdiff_t start, stop, step;
};
// A slice against size n: step 0 is refused, negative bounds count from the
// end once, then the bounds are clamped into the container.
Slice read_slice(const RawSlice &slice, size_t n);
Slice step_one(ptrdiff_t i, ptrdiff_t j, size_t n);
// The positions a slice selects, in walking order.
std::vector<size_t> selected(const Slice &s);

template <class V>
void setslice(V &v, const Slice &s, const V &values) {
    if (s.step == 1) {
        V copy(values);  // `values` may be `v` itself
        auto first = v.begin() + s.start;
        auto last = v.begin() + std::max(s.start, s.stop);
        first = v.erase(first, last);
        v.insert(first, copy.begin(), copy.end());
        return;
    }
    std::vector<size_t> positions = selected(s);
    if (positions.size() != values.size()) {
        char text[128];
        std::snprintf(text, sizeof text, "attempt to assign sequence of size %lu to extended slice of size %lu",
                      static_cast<unsigned long>(values.size()), static_cast<unsigned long>(positions.size()));
        throw value_error(text);
    }
    V copy(values);
    for (size_t k = 0; k < positions.size(); ++k) v[positions[k]] = copy[k];
}

// Erases the selected positions, last first so earlier ones stay in place.
template <class V>
void delslice(V &v, const Slice &s) {
    std::vector<size_t> positions = selected(s);
    std::sort(positions.rbegin(), positions.rend());
    for (size_t k : positions) v.erase(v.begin() + static_cast<ptrdiff_t>(k));
}

// ---- vectors ---------------------------------------------------------------------------

// An element read by index, front or back: values by kind, except record
// values, which are borrowed proxies of the element inside the vector that
// keep the vector's proxy `owner` alive.
template <class T>
PyObject *element_at(T &value, const ContainerInfo &info, PyObject *owner) {
    if constexpr (std::is_class<T>::value && !std::is_same<T, std::string>::value &&
                  !std::is_same<T, std::pair<std::string, std::string>>::value) {
        return member_to_object(&value, info.element_type, owner);
    } else {
        return Element<T>::from(value, info);
    }
}
// A holder inside a holder vector: a borrowed proxy of the holder.
template <class T>
PyObject *element_at(std::unique_ptr<T> &value, const ContainerInfo &info, PyObject *owner) {
    return member_to_object(&value, info.element_type, owner);
}

template <class V>
typename V::value_type &edge_element(V &v, bool last) {
    if (v.empty()) throw index_error("container is empty");
    return last ? v.back() : v.front();
}

template <class V>
PyObject *vector_front(V &v, const ContainerInfo &info, bool last, PyObject *owner) {
    return element_at(edge_element(v, last), info, owner);
}

template <class V>
PyObject *vector_pop(V &v, const ContainerInfo &info) {
    if (v.empty()) throw index_error("pop from empty container");
    PyObject *value = Element<typename V::value_type>::from(v.back(), info);
    if (value) v.pop_back();
    return value;
}

template <class V>
PyObject *vector_pop_back(V &v) {
    edge_element(v, true);
    v.pop_back();
    Py_RETURN_NONE;
}

template <class V>
PyObject *vector_getitem(V &v, ptrdiff_t i, const ContainerInfo &info, PyObject *owner) {
    return element_at(v[check_index(i, v.size())], info, owner);
}

template <class V>
PyObject *vector_setitem(V &v, ptrdiff_t i, const typename V::value_type &value) {
    v[check_index(i, v.size())] = value;
    Py_RETURN_NONE;
}

template <class V>
PyObject *vector_delitem(V &v, ptrdiff_t i) {
    v.erase(v.begin() + static_cast<ptrdiff_t>(check_index(i, v.size())));
    Py_RETURN_NONE;
}

// A new owned proxy of the container type (for slices read).
template <class V>
PyObject *owned(V *v, const ContainerInfo &info) {
    PyObject *obj = pointer_to_object(v, container_type<V>(info), kOwn);
    if (!obj) delete v;
    return obj;
}

template <class V>
PyObject *vector_getslice(V &v, const RawSlice *slice, ptrdiff_t i, ptrdiff_t j, const ContainerInfo &info) {
    Slice s = slice ? read_slice(*slice, v.size()) : step_one(i, j, v.size());
    auto result = std::make_unique<V>();
    for (size_t k : selected(s)) result->push_back(v[k]);
    return owned(result.release(), info);
}

template <class V>
PyObject *vector_setslice(V &v, const RawSlice *slice, ptrdiff_t i, ptrdiff_t j, const V &values) {
    setslice(v, slice ? read_slice(*slice, v.size()) : step_one(i, j, v.size()), values);
    Py_RETURN_NONE;
}

template <class V>
PyObject *vector_delslice(V &v, const RawSlice *slice, ptrdiff_t i, ptrdiff_t j) {
    delslice(v, slice ? read_slice(*slice, v.size()) : step_one(i, j, v.size()));
    Py_RETURN_NONE;
}

// Inserts one copy (returning an iterator at it) or `count` copies (None).
template <class V>
PyObject *vector_insert(PyObject *owner, V &v, const swig::SwigPyIterator &at, size_t count,
                        const typename V::value_type &value, bool one, const char *message,
                        const ContainerInfo &info) {
    size_t index = position(at, v, v.size(), message);
    typename V::value_type copy(value);  // `value` may be an element of `v`
    v.insert(v.begin() + static_cast<ptrdiff_t>(index), count, copy);
    if (one) return make_iterator<V>(owner, index, info);
    Py_RETURN_NONE;
}

// ---- maps ------------------------------------------------------------------------------

template <class M>
typename M::iterator find_key(M &m, const std::string &key) {
    auto found = m.find(key);
    if (found == m.end()) throw index_error("key not found");
    return found;
}

template <class M>
PyObject *map_getitem(M &m, const std::string &key, const ContainerInfo &info) {
    return Element<typename M::mapped_type>::from(find_key(m, key)->second, info);
}

template <class M>
PyObject *map_delitem(M &m, const std::string &key) {
    m.erase(find_key(m, key));
    Py_RETURN_NONE;
}

// keys, values or items as a new list in key order.
template <class Conv, class M>
PyObject *map_list(M &m, const ContainerInfo &info) {
    if (!map_size_fits(m.size())) return nullptr;
    PyObject *list = PyList_New(static_cast<Py_ssize_t>(m.size()));
    Py_ssize_t index = 0;
    for (auto &entry : m) {
        PyObject *item = list ? Conv::from(entry, info) : nullptr;
        if (!item) {
            Py_XDECREF(list);
            return nullptr;
        }
        PyList_SET_ITEM(list, index++, item);
    }
    return list;
}

// ---- maps and the set: positions by key ------------------------------------------------

// An open iterator at a C++ position of a map or set (the end when absent).
template <class C, class Conv = FromElement>
PyObject *iterator_at(PyObject *owner, typename C::iterator at, const ContainerInfo &info) {
    return iterator_object(new Iterator<C, false, Conv>(owner, at, info));
}

// Erase by iterator (or range) in any container; returns an iterator at the
// first element after the removed ones.
template <class C, class Conv = FromElement>
PyObject *erase_range(PyObject *owner, C &c, const swig::SwigPyIterator &first, const swig::SwigPyIterator *last,
                      const char *message, const char *last_message, const ContainerInfo &info) {
    if (c.empty() && !last) throw index_error("iterator out of range");
    size_t from = position(first, c, last ? c.size() : c.size() - 1, message);
    size_t to = last ? position(*last, c, c.size(), last_message) : from + 1;
    if (to < from) throw value_error("iterator range runs backwards");
    auto begin = std::next(c.begin(), static_cast<ptrdiff_t>(from));
    c.erase(begin, std::next(c.begin(), static_cast<ptrdiff_t>(to)));
    return make_iterator<C, false, Conv>(owner, from, info);
}

// ---- the set ---------------------------------------------------------------------------

template <class S>
PyObject *set_getitem(S &s, ptrdiff_t i) {
    auto at = std::next(s.begin(), static_cast<ptrdiff_t>(check_index(i, s.size())));
    return FromStdString(*at);
}

// A 2-tuple of an owned iterator at the value and whether it was inserted.
template <class S>
PyObject *set_insert(PyObject *owner, S &s, const std::string &value, const ContainerInfo &info) {
    auto done = s.insert(value);
    PyObject *it = iterator_at<S>(owner, done.first, info);
    PyObject *pair = it ? Py_BuildValue("(NO)", it, done.second ? Py_True : Py_False) : nullptr;
    return pair;
}

template <class S>
PyObject *set_equal_range(PyObject *owner, S &s, const std::string &value, const ContainerInfo &info) {
    auto range = s.equal_range(value);
    PyObject *first = iterator_at<S>(owner, range.first, info);
    PyObject *second = first ? iterator_at<S>(owner, range.second, info) : nullptr;
    if (!second) {
        Py_XDECREF(first);
        return nullptr;
    }
    return Py_BuildValue("(NN)", first, second);
}

}  // namespace qor::ctr
