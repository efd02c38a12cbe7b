// Generated: the module's function table, in the library's interface order,
// and beside it the argument-vector entry of each wrapper.
#include "qorctl_wrappers.h"
#include "api/core/module.h"

namespace {

PyObject *_wrap_delete_SwigPyIterator(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 1); }
PyObject *_wrap_SwigPyIterator_value(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 2); }
PyObject *_wrap_SwigPyIterator_incr(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 3); }
PyObject *_wrap_SwigPyIterator_decr(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 4); }
PyObject *_wrap_SwigPyIterator_distance(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 5); }
PyObject *_wrap_SwigPyIterator_equal(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 6); }
PyObject *_wrap_SwigPyIterator_copy(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 7); }
PyObject *_wrap_SwigPyIterator_next(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 8); }
PyObject *_wrap_SwigPyIterator___next__(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 9); }
PyObject *_wrap_SwigPyIterator_previous(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 10); }
PyObject *_wrap_SwigPyIterator_advance(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 11); }
PyObject *_wrap_SwigPyIterator___eq__(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 12); }
PyObject *_wrap_SwigPyIterator___ne__(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 13); }
PyObject *_wrap_SwigPyIterator___iadd__(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 14); }
PyObject *_wrap_SwigPyIterator___isub__(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 15); }
PyObject *_wrap_SwigPyIterator___add__(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 16); }
PyObject *_wrap_SwigPyIterator___sub__(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 17); }
PyObject *_wrap_SwigPyIterator_swigregister(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 18); }
PyObject *_wrap_new_WidgetPtr(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 19); }
PyObject *_wrap_WidgetPtr_release(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 20); }
PyObject *_wrap_WidgetPtr_reset(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 21); }
PyObject *_wrap_WidgetPtr_swap(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 22); }
PyObject *_wrap_WidgetPtr_get(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 23); }
PyObject *_wrap_WidgetPtr___nonzero__(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 24); }
PyObject *_wrap_delete_WidgetPtr(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 25); }
PyObject *_wrap_WidgetPtr_swigregister(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 26); }
PyObject *_wrap_delete_HostCtlObject(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 27); }
PyObject *_wrap_HostCtlObject_swigregister(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 28); }
PyObject *_wrap_delete_QorCtlObject(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 29); }
PyObject *_wrap_QorCtlObject_swigregister(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 30); }
PyObject *_wrap_new_Size(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 31); }
PyObject *_wrap_Size_width_set(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 32); }
PyObject *_wrap_Size_width_get(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 33); }
PyObject *_wrap_Size_height_set(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 34); }
PyObject *_wrap_Size_height_get(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 35); }
PyObject *_wrap_Size_label_set(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 36); }
PyObject *_wrap_Size_label_get(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 37); }
PyObject *_wrap_delete_Size(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 38); }
PyObject *_wrap_Size_swigregister(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 39); }
PyObject *_wrap_Widget_GetName(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 40); }
PyObject *_wrap_Widget_GetSize(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 41); }
PyObject *_wrap_Widget_Resize(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 42); }
PyObject *_wrap_Widget_GetColour(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 43); }
PyObject *_wrap_Widget_SetColour(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 44); }
PyObject *_wrap_Widget_ListParts(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 45); }
PyObject *_wrap_Widget_IsKnownKind(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 46); }
PyObject *_wrap_delete_Widget(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 47); }
PyObject *_wrap_Widget_swigregister(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 48); }
PyObject *_wrap_new_WidgetImpl(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 49); }
PyObject *_wrap_WidgetImpl_GetName(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 50); }
PyObject *_wrap_WidgetImpl_GetSize(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 51); }
PyObject *_wrap_WidgetImpl_Refresh(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 52); }
PyObject *_wrap_delete_WidgetImpl(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 53); }
PyObject *_wrap_WidgetImpl_swigregister(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 54); }
PyObject *_wrap_FindWidget(PyObject *, PyObject *args) { return qor::call_with_tuple(args, 55); }

}  // namespace

PyMethodDef qor::function_table[] = {
    {"SWIG_PyInstanceMethod_New", qor::instance_method_new, METH_O, nullptr},
    {"delete_SwigPyIterator", _wrap_delete_SwigPyIterator, METH_VARARGS, nullptr},
    {"SwigPyIterator_value", _wrap_SwigPyIterator_value, METH_VARARGS, nullptr},
    {"SwigPyIterator_incr", _wrap_SwigPyIterator_incr, METH_VARARGS, nullptr},
    {"SwigPyIterator_decr", _wrap_SwigPyIterator_decr, METH_VARARGS, nullptr},
    {"SwigPyIterator_distance", _wrap_SwigPyIterator_distance, METH_VARARGS, nullptr},
    {"SwigPyIterator_equal", _wrap_SwigPyIterator_equal, METH_VARARGS, nullptr},
    {"SwigPyIterator_copy", _wrap_SwigPyIterator_copy, METH_VARARGS, nullptr},
    {"SwigPyIterator_next", _wrap_SwigPyIterator_next, METH_VARARGS, nullptr},
    {"SwigPyIterator___next__", _wrap_SwigPyIterator___next__, METH_VARARGS, nullptr},
    {"SwigPyIterator_previous", _wrap_SwigPyIterator_previous, METH_VARARGS, nullptr},
    {"SwigPyIterator_advance", _wrap_SwigPyIterator_advance, METH_VARARGS, nullptr},
    {"SwigPyIterator___eq__", _wrap_SwigPyIterator___eq__, METH_VARARGS, nullptr},
    {"SwigPyIterator___ne__", _wrap_SwigPyIterator___ne__, METH_VARARGS, nullptr},
    {"SwigPyIterator___iadd__", _wrap_SwigPyIterator___iadd__, METH_VARARGS, nullptr},
    {"SwigPyIterator___isub__", _wrap_SwigPyIterator___isub__, METH_VARARGS, nullptr},
    {"SwigPyIterator___add__", _wrap_SwigPyIterator___add__, METH_VARARGS, nullptr},
    {"SwigPyIterator___sub__", _wrap_SwigPyIterator___sub__, METH_VARARGS, nullptr},
    {"SwigPyIterator_swigregister", _wrap_SwigPyIterator_swigregister, METH_VARARGS, nullptr},
    {"new_WidgetPtr", _wrap_new_WidgetPtr, METH_VARARGS, nullptr},
    {"WidgetPtr_release", _wrap_WidgetPtr_release, METH_VARARGS, nullptr},
    {"WidgetPtr_reset", _wrap_WidgetPtr_reset, METH_VARARGS, nullptr},
    {"WidgetPtr_swap", _wrap_WidgetPtr_swap, METH_VARARGS, nullptr},
    {"WidgetPtr_get", _wrap_WidgetPtr_get, METH_VARARGS, nullptr},
    {"WidgetPtr___nonzero__", _wrap_WidgetPtr___nonzero__, METH_VARARGS, nullptr},
    {"delete_WidgetPtr", _wrap_delete_WidgetPtr, METH_VARARGS, nullptr},
    {"WidgetPtr_swigregister", _wrap_WidgetPtr_swigregister, METH_VARARGS, nullptr},
    {"delete_HostCtlObject", _wrap_delete_HostCtlObject, METH_VARARGS, nullptr},
    {"HostCtlObject_swigregister", _wrap_HostCtlObject_swigregister, METH_VARARGS, nullptr},
    {"delete_QorCtlObject", _wrap_delete_QorCtlObject, METH_VARARGS, nullptr},
    {"QorCtlObject_swigregister", _wrap_QorCtlObject_swigregister, METH_VARARGS, nullptr},
    {"new_Size", _wrap_new_Size, METH_VARARGS, nullptr},
    {"Size_width_set", _wrap_Size_width_set, METH_VARARGS, nullptr},
    {"Size_width_get", _wrap_Size_width_get, METH_VARARGS, nullptr},
    {"Size_height_set", _wrap_Size_height_set, METH_VARARGS, nullptr},
    {"Size_height_get", _wrap_Size_height_get, METH_VARARGS, nullptr},
    {"Size_label_set", _wrap_Size_label_set, METH_VARARGS, nullptr},
    {"Size_label_get", _wrap_Size_label_get, METH_VARARGS, nullptr},
    {"delete_Size", _wrap_delete_Size, METH_VARARGS, nullptr},
    {"Size_swigregister", _wrap_Size_swigregister, METH_VARARGS, nullptr},
    {"Widget_GetName", _wrap_Widget_GetName, METH_VARARGS, nullptr},
    {"Widget_GetSize", _wrap_Widget_GetSize, METH_VARARGS, nullptr},
    {"Widget_Resize", _wrap_Widget_Resize, METH_VARARGS, nullptr},
    {"Widget_GetColour", _wrap_Widget_GetColour, METH_VARARGS, nullptr},
    {"Widget_SetColour", _wrap_Widget_SetColour, METH_VARARGS, nullptr},
    {"Widget_ListParts", _wrap_Widget_ListParts, METH_VARARGS, nullptr},
    {"Widget_IsKnownKind", _wrap_Widget_IsKnownKind, METH_VARARGS, nullptr},
    {"delete_Widget", _wrap_delete_Widget, METH_VARARGS, nullptr},
    {"Widget_swigregister", _wrap_Widget_swigregister, METH_VARARGS, nullptr},
    {"new_WidgetImpl", _wrap_new_WidgetImpl, METH_VARARGS, nullptr},
    {"WidgetImpl_GetName", _wrap_WidgetImpl_GetName, METH_VARARGS, nullptr},
    {"WidgetImpl_GetSize", _wrap_WidgetImpl_GetSize, METH_VARARGS, nullptr},
    {"WidgetImpl_Refresh", _wrap_WidgetImpl_Refresh, METH_VARARGS, nullptr},
    {"delete_WidgetImpl", _wrap_delete_WidgetImpl, METH_VARARGS, nullptr},
    {"WidgetImpl_swigregister", _wrap_WidgetImpl_swigregister, METH_VARARGS, nullptr},
    {"FindWidget", _wrap_FindWidget, METH_VARARGS, nullptr},
    {nullptr, nullptr, 0, nullptr},
};

const qor::VectorEntry qor::vector_table[] = {
    {nullptr, 0},
    {_call_delete_SwigPyIterator, 1},
    {_call_SwigPyIterator_value, 1},
    {_call_SwigPyIterator_incr, -1},
    {_call_SwigPyIterator_decr, -1},
    {_call_SwigPyIterator_distance, 2},
    {_call_SwigPyIterator_equal, 2},
    {_call_SwigPyIterator_copy, 1},
    {_call_SwigPyIterator_next, 1},
    {_call_SwigPyIterator___next__, 1},
    {_call_SwigPyIterator_previous, 1},
    {_call_SwigPyIterator_advance, 2},
    {_call_SwigPyIterator___eq__, 2},
    {_call_SwigPyIterator___ne__, 2},
    {_call_SwigPyIterator___iadd__, 2},
    {_call_SwigPyIterator___isub__, 2},
    {_call_SwigPyIterator___add__, 2},
    {_call_SwigPyIterator___sub__, -1},
    {_call_SwigPyIterator_swigregister, 1},
    {_call_new_WidgetPtr, 1},
    {_call_WidgetPtr_release, 1},
    {_call_WidgetPtr_reset, -1},
    {_call_WidgetPtr_swap, 2},
    {_call_WidgetPtr_get, 1},
    {_call_WidgetPtr___nonzero__, 1},
    {_call_delete_WidgetPtr, 1},
    {_call_WidgetPtr_swigregister, 1},
    {_call_delete_HostCtlObject, 1},
    {_call_HostCtlObject_swigregister, 1},
    {_call_delete_QorCtlObject, 1},
    {_call_QorCtlObject_swigregister, 1},
    {_call_new_Size, -1},
    {_call_Size_width_set, 2},
    {_call_Size_width_get, 1},
    {_call_Size_height_set, 2},
    {_call_Size_height_get, 1},
    {_call_Size_label_set, 2},
    {_call_Size_label_get, 1},
    {_call_delete_Size, 1},
    {_call_Size_swigregister, 1},
    {_call_Widget_GetName, 1},
    {_call_Widget_GetSize, 1},
    {_call_Widget_Resize, -1},
    {_call_Widget_GetColour, 1},
    {_call_Widget_SetColour, -1},
    {_call_Widget_ListParts, 1},
    {_call_Widget_IsKnownKind, 1},
    {_call_delete_Widget, 1},
    {_call_Widget_swigregister, 1},
    {_call_new_WidgetImpl, 1},
    {_call_WidgetImpl_GetName, 1},
    {_call_WidgetImpl_GetSize, 1},
    {_call_WidgetImpl_Refresh, 1},
    {_call_delete_WidgetImpl, 1},
    {_call_WidgetImpl_swigregister, 1},
    {_call_FindWidget, 1},
};

const qor::ReleaseEntry qor::release_table[] = {
    {1, _release_delete_SwigPyIterator},
    {25, _release_delete_WidgetPtr},
    {27, _release_delete_HostCtlObject},
    {29, _release_delete_QorCtlObject},
    {38, _release_delete_Size},
    {47, _release_delete_Widget},
    {53, _release_delete_WidgetImpl},
};
const int qor::release_count = 7;
