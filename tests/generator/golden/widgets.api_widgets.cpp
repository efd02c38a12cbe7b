// Generated: wrapper functions.
#include <algorithm>
#include <cstring>
#include "api/core/guard.h"
#include "api/core/module.h"
#include "convert/params.h"
#include "convert/container_classes.h"
#include "hostctl/widgets.h"

namespace qor::ty {
extern swig_type_info *&_p_HostCtl__Widgets__Widget;
extern swig_type_info *&_p_std__unique_ptrT_HostCtl__Widgets__Widget_t;
}

PyObject *_call_new_WidgetPtr(PyObject *const *argv, Py_ssize_t) {
    qor::PtrArg<HostCtl::Widgets::Widget> a1;
    if (!a1.load(argv[0], qor::ty::_p_HostCtl__Widgets__Widget, {"std::unique_ptr< HostCtl::Widgets::Widget >::pointer", 1})) return nullptr;
    return qor::guarded([&]() -> PyObject * {
        return qor::pointer_to_object(new std::unique_ptr< HostCtl::Widgets::Widget >((a1.get())), qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t, qor::kOwn | qor::kNoShadow);
    });
}
PyObject *_wrap_new_WidgetPtr(PyObject *, PyObject *args) {
    return qor::call_with_tuple(args, "new_WidgetPtr", 1, _call_new_WidgetPtr);
}

PyObject *_call_WidgetPtr_release(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<std::unique_ptr< HostCtl::Widgets::Widget >> self;
    if (!self.load(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t, {"std::unique_ptr< HostCtl::Widgets::Widget > *", 1})) return nullptr;
    return qor::guarded([&]() -> PyObject * {
        return qor::from_borrowed(self.get()->release(), qor::ty::_p_HostCtl__Widgets__Widget);
    });
}
PyObject *_wrap_WidgetPtr_release(PyObject *, PyObject *args) {
    return qor::call_with_tuple(args, "WidgetPtr_release", 1, _call_WidgetPtr_release);
}

static PyObject *_call_WidgetPtr_reset__0(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<std::unique_ptr< HostCtl::Widgets::Widget >> self;
    if (!self.load(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t, {"std::unique_ptr< HostCtl::Widgets::Widget > *", 1})) return nullptr;
    qor::PtrArg<HostCtl::Widgets::Widget> a1;
    if (!a1.load(argv[1], qor::ty::_p_HostCtl__Widgets__Widget, {"std::unique_ptr< HostCtl::Widgets::Widget >::pointer", 2})) return nullptr;
    return qor::guarded([&]() -> PyObject * {
        self.get()->reset((a1.get()));
        Py_RETURN_NONE;
    });
}
static PyObject *_call_WidgetPtr_reset__1(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<std::unique_ptr< HostCtl::Widgets::Widget >> self;
    if (!self.load(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t, {"std::unique_ptr< HostCtl::Widgets::Widget > *", 1})) return nullptr;
    return qor::guarded([&]() -> PyObject * {
        self.get()->reset();
        Py_RETURN_NONE;
    });
}
PyObject *_call_WidgetPtr_reset(PyObject *const *argv, Py_ssize_t argc) {
    if (argc == 1 && qor::SelfArg<std::unique_ptr< HostCtl::Widgets::Widget >>::check(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t)) return _call_WidgetPtr_reset__1(argv, argc);
    if (argc == 2 && qor::SelfArg<std::unique_ptr< HostCtl::Widgets::Widget >>::check(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t) && qor::PtrArg<HostCtl::Widgets::Widget>::check(argv[1], qor::ty::_p_HostCtl__Widgets__Widget)) return _call_WidgetPtr_reset__0(argv, argc);
    return qor::overload_error("Wrong number or type of arguments for overloaded function 'WidgetPtr_reset'.\n  Possible C/C++ prototypes are:\n    std::unique_ptr< HostCtl::Widgets::Widget >::reset(std::unique_ptr< HostCtl::Widgets::Widget >::pointer)\n    std::unique_ptr< HostCtl::Widgets::Widget >::reset()\n");
}
PyObject *_wrap_WidgetPtr_reset(PyObject *, PyObject *args) {
    return qor::call_with_tuple(args, "WidgetPtr_reset", -1, _call_WidgetPtr_reset);
}

PyObject *_call_WidgetPtr_swap(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<std::unique_ptr< HostCtl::Widgets::Widget >> self;
    if (!self.load(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t, {"std::unique_ptr< HostCtl::Widgets::Widget > *", 1})) return nullptr;
    qor::RefArg<std::unique_ptr< HostCtl::Widgets::Widget >> a1;
    if (!a1.load(argv[1], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t, {"std::unique_ptr< HostCtl::Widgets::Widget > &", 2})) return nullptr;
    return qor::guarded([&]() -> PyObject * {
        self.get()->swap((*a1.get()));
        Py_RETURN_NONE;
    });
}
PyObject *_wrap_WidgetPtr_swap(PyObject *, PyObject *args) {
    return qor::call_with_tuple(args, "WidgetPtr_swap", 2, _call_WidgetPtr_swap);
}

PyObject *_call_WidgetPtr_get(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<std::unique_ptr< HostCtl::Widgets::Widget > const> self;
    if (!self.load(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t, {"std::unique_ptr< HostCtl::Widgets::Widget > const *", 1})) return nullptr;
    return qor::guarded([&]() -> PyObject * {
        return qor::from_borrowed(self.get()->get(), qor::ty::_p_HostCtl__Widgets__Widget);
    });
}
PyObject *_wrap_WidgetPtr_get(PyObject *, PyObject *args) {
    return qor::call_with_tuple(args, "WidgetPtr_get", 1, _call_WidgetPtr_get);
}

PyObject *_call_WidgetPtr___nonzero__(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<std::unique_ptr< HostCtl::Widgets::Widget > const> self;
    if (!self.load(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t, {"std::unique_ptr< HostCtl::Widgets::Widget > const *", 1})) return nullptr;
    return qor::guarded([&]() -> PyObject * {
        return qor::from_scalar<bool>(static_cast<bool>(*self.get()));
    });
}
PyObject *_wrap_WidgetPtr___nonzero__(PyObject *, PyObject *args) {
    return qor::call_with_tuple(args, "WidgetPtr___nonzero__", 1, _call_WidgetPtr___nonzero__);
}

PyObject *_call_delete_WidgetPtr(PyObject *const *argv, Py_ssize_t) {
    qor::PtrArg<std::unique_ptr< HostCtl::Widgets::Widget >> self;
    if (!self.load(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t, {"std::unique_ptr< HostCtl::Widgets::Widget > *", 1}, qor::kDisown | qor::kForget)) return nullptr;
    return qor::guarded([&]() -> PyObject * {
        delete self.get();
        Py_RETURN_NONE;
    });
}
PyObject *_wrap_delete_WidgetPtr(PyObject *, PyObject *args) {
    return qor::call_with_tuple(args, "delete_WidgetPtr", 1, _call_delete_WidgetPtr);
}
PyObject *_release_delete_WidgetPtr(void *ptr, swig_type_info *type) {
    return qor::delete_converted<std::unique_ptr< HostCtl::Widgets::Widget >>(ptr, type, qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t, {"std::unique_ptr< HostCtl::Widgets::Widget > *", 1});
}

PyObject *_call_WidgetPtr_swigregister(PyObject *const *argv, Py_ssize_t) {
    return qor::swigregister(argv[0], qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t);
}
PyObject *_wrap_WidgetPtr_swigregister(PyObject *, PyObject *args) {
    return qor::call_with_tuple(args, "swigregister", 1, _call_WidgetPtr_swigregister);
}

