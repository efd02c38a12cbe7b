#include "container_classes.h"

namespace qor::ctr {

size_t check_index(ptrdiff_t i, size_t n) {
    if (i >= 0 && static_cast<size_t>(i) < n) return static_cast<size_t>(i);
    if (i < 0 && static_cast<size_t>(-(i + 1)) < n) return n - static_cast<size_t>(-(i + 1)) - 1;
    throw std::out_of_range("index out of range");
}

namespace {

// One member of a slice: None gives `fallback`; a negative value counts from
// the end once; anything but an integer is refused.
ptrdiff_t slice_member(PyObject *value, ptrdiff_t fallback, ptrdiff_t n, bool bound) {
    if (value == Py_None) return fallback;
    if (!PyIndex_Check(value)) throw type_error("slice indices must be integers or None");
    Py_ssize_t v = PyNumber_AsSsize_t(value, nullptr);  // clamped to the Py_ssize_t range
    if (v == -1 && PyErr_Occurred()) {
        PyErr_Clear();
        throw type_error("slice indices must be integers or None");
    }
    return bound && v < 0 ? v + n : v;
}

// Clamps the bounds into a container of size n for the step's direction.
Slice adjust(ptrdiff_t start, ptrdiff_t stop, ptrdiff_t step, ptrdiff_t n) {
    if (step == 0) throw std::invalid_argument("slice step cannot be zero");
    if (step > 0) {
        start = std::min(std::max<ptrdiff_t>(start, 0), n);
        stop = std::min(std::max<ptrdiff_t>(stop, 0), n);
    } else {
        start = start < -1 ? -1 : (start < n ? start : n - 1);
        stop = stop < -1 ? -1 : (stop < n ? stop : n - 1);
    }
    return {start, stop, step};
}

}  // namespace

Slice read_slice(PyObject *slice, size_t size) {
    auto *s = reinterpret_cast<PySliceObject *>(slice);
    ptrdiff_t n = static_cast<ptrdiff_t>(size);
    ptrdiff_t step = slice_member(s->step, 1, n, false);
    ptrdiff_t start = slice_member(s->start, step < 0 ? n - 1 : 0, n, true);
    ptrdiff_t stop = slice_member(s->stop, step < 0 ? -1 : n, n, true);
    return adjust(start, stop, step, n);
}

Slice step_one(ptrdiff_t i, ptrdiff_t j, size_t n) { return adjust(i, j, 1, static_cast<ptrdiff_t>(n)); }

std::vector<size_t> selected(const Slice &s) {
    std::vector<size_t> positions;
    // The next position is tested before the step is added, so a step near
    // the integer limits cannot overflow.
    for (ptrdiff_t k = s.start; s.step > 0 ? k < s.stop : k > s.stop; k += s.step) {
        positions.push_back(static_cast<size_t>(k));
        if (s.step > 0 ? k - s.stop + s.step >= 0 : k - s.stop + s.step <= 0) break;
    }
    return positions;
}

}  // namespace qor::ctr
