#include "iterators.h"

namespace swig {

SwigPyIterator *SwigPyIterator::decr(size_t) { throw stop_iteration(); }

ptrdiff_t SwigPyIterator::distance(const SwigPyIterator &) const {
    throw qor::ctr::value_error("operation not supported");
}

bool SwigPyIterator::equal(const SwigPyIterator &) const { throw qor::ctr::value_error("operation not supported"); }

// The value is read before the move, so at the end nothing moves.
PyObject *SwigPyIterator::next() {
    PyObject *value = this->value();
    try {
        incr();
    } catch (...) {
        Py_XDECREF(value);
        throw;
    }
    return value;
}

SwigPyIterator *SwigPyIterator::advance(ptrdiff_t n, bool back) {
    bool forward = (n > 0) != back;
    size_t steps = n < 0 ? -static_cast<size_t>(n) : static_cast<size_t>(n);
    return forward ? incr(steps) : decr(steps);
}

PyObject *SwigPyIterator::previous() {
    decr();
    return value();
}

}  // namespace swig

namespace qor::ctr {

swig_type_info *iterator_type() {
    static swig_type_info *type = lookup_type_by_name("swig::SwigPyIterator *");
    return type;
}

PyObject *iterator_object(swig::SwigPyIterator *it) {
    PyObject *obj = pointer_to_object(it, iterator_type(), kOwn);
    if (!obj) delete it;
    return obj;
}

SwigPyObject *proxy_of(PyObject *owner, swig_type_info *type) {
    SwigPyObject *proxy = find_view(owner, type);
    if (!proxy) throw value_error("the container has no proxy");
    return proxy;
}

void *proxied(SwigPyObject *proxy) {
    if (!proxy->ptr) throw value_error("the iterator's container was deleted");
    return proxy->ptr;
}

PyObject *iterator_value(const swig::SwigPyIterator &it) {
    return it.value();
}

PyObject *iterator_next(swig::SwigPyIterator &it) {
    return it.next();
}

PyObject *iterator_previous(swig::SwigPyIterator &it) {
    return it.previous();
}

PyObject *iterator_incr(PyObject *self, swig::SwigPyIterator &it, size_t n, bool back) {
    back ? it.decr(n) : it.incr(n);
    Py_INCREF(self);
    return self;
}

PyObject *iterator_advance(PyObject *self, swig::SwigPyIterator &it, ptrdiff_t n, bool back) {
    it.advance(n, back);
    Py_INCREF(self);
    return self;
}

PyObject *iterator_moved_copy(const swig::SwigPyIterator &it, ptrdiff_t n, bool back) {
    std::unique_ptr<swig::SwigPyIterator> copy(it.copy());
    copy->advance(n, back);
    return iterator_object(copy.release());
}

PyObject *iterator_copy(const swig::SwigPyIterator &it) {
    return iterator_object(it.copy());
}

PyObject *iterator_distance(const swig::SwigPyIterator &it, const swig::SwigPyIterator &other) {
    return PyLong_FromSsize_t(it.distance(other));
}

PyObject *iterator_equal(const swig::SwigPyIterator &it, const swig::SwigPyIterator &other, bool equal) {
    return PyBool_FromLong(it.equal(other) == equal);
}

}  // namespace qor::ctr
