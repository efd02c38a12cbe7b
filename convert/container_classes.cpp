#include "container_classes.h"

namespace qor::ctr {

size_t check_index(ptrdiff_t i, size_t n) {
    if (i >= 0 && static_cast<size_t>(i) < n) return static_cast<size_t>(i);
    if (i < 0 && static_cast<size_t>(-(i + 1)) < n) return n - static_cast<size_t>(-(i + 1)) - 1;
    throw index_error("index out of range");
}

namespace {

// One member of a slice: false for anything but an integer or None.
bool slice_member(PyObject *value, ptrdiff_t *out, bool *present) {
    *present = value != Py_None;
    if (!*present) return true;
    if (!PyIndex_Check(value)) return false;
    Py_ssize_t v = PyNumber_AsSsize_t(value, nullptr);  // clamped to the Py_ssize_t range
    if (v == -1 && PyErr_Occurred()) {
        PyErr_Clear();
        return false;
    }
    *out = v;
    return true;
}

// Clamps the bounds into a container of size n for the step's direction.
Slice adjust(ptrdiff_t start, ptrdiff_t stop, ptrdiff_t step, ptrdiff_t n) {
    if (step == 0) throw value_error("slice step cannot be zero");
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

bool unpack_slice(PyObject *slice, RawSlice *out) {
    auto *s = reinterpret_cast<PySliceObject *>(slice);
    bool has_step = false;
    if (!slice_member(s->step, &out->step, &has_step)) return false;
    if (!has_step) out->step = 1;
    return slice_member(s->start, &out->start, &out->has_start) && slice_member(s->stop, &out->stop, &out->has_stop);
}

Slice read_slice(const RawSlice &slice, size_t size) {
    ptrdiff_t n = static_cast<ptrdiff_t>(size);
    auto bound = [n](bool present, ptrdiff_t value, ptrdiff_t fallback) {
        return !present ? fallback : value < 0 ? value + n : value;
    };
    ptrdiff_t step = slice.step;
    return adjust(bound(slice.has_start, slice.start, step < 0 ? n - 1 : 0),
                  bound(slice.has_stop, slice.stop, step < 0 ? -1 : n), step, n);
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
