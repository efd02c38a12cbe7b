// Generated: wrapper functions.
#include <algorithm>
#include <cstring>
#include "api/core/guard.h"
#include "api/core/module.h"
#include "convert/params.h"
#include "convert/container_classes.h"
#include "hostctl/widgets.h"

namespace qor::ty {
extern swig_type_info *&_p_HostCtl__Widgets__Size;
extern swig_type_info *&_p_HostCtl__Widgets__Widget;
extern swig_type_info *&_p_QorCtl__Widgets__WidgetImpl;
extern swig_type_info *&_p_std__unique_ptrT_HostCtl__Widgets__Widget_t;
}

static PyObject *_call_new_Size__0(PyObject *const *argv, Py_ssize_t) {
    return qor::pointer_to_object(new HostCtl::Widgets::Size(), qor::ty::_p_HostCtl__Widgets__Size, qor::kOwn | qor::kNoShadow);
}
static PyObject *_call_new_Size__1(PyObject *const *argv, Py_ssize_t) {
    qor::ScalarArg<unsigned int> a1;
    if (!a1.load(argv[0], {"uint32", 1})) return nullptr;
    qor::ScalarArg<unsigned int> a2;
    if (!a2.load(argv[1], {"uint32", 2})) return nullptr;
    return qor::pointer_to_object(new HostCtl::Widgets::Size(a1.get(), a2.get()), qor::ty::_p_HostCtl__Widgets__Size, qor::kOwn | qor::kNoShadow);
}
PyObject *_call_new_Size(PyObject *const *argv, Py_ssize_t argc) {
    if (argc == 0) return _call_new_Size__0(argv, argc);
    if (argc == 2 && qor::ScalarArg<unsigned int>::check(argv[0]) && qor::ScalarArg<unsigned int>::check(argv[1])) return _call_new_Size__1(argv, argc);
    return qor::overload_error("Wrong number or type of arguments for overloaded function 'new_Size'.\n  Possible C/C++ prototypes are:\n    HostCtl::Widgets::Size::Size()\n    HostCtl::Widgets::Size::Size(uint32,uint32)\n");
}

PyObject *_call_Size_width_set(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Size> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Size, {"HostCtl::Widgets::Size *", 1}, qor::kNoCodeAfter)) return nullptr;
    qor::ScalarArg<unsigned int> a1;
    if (!a1.load(argv[1], {"uint32", 2})) return nullptr;
    self.get()->width = a1.get();
    Py_RETURN_NONE;
}

PyObject *_call_Size_width_get(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Size> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Size, {"HostCtl::Widgets::Size *", 1}, qor::kNoCodeAfter)) return nullptr;
    return qor::from_scalar<unsigned int>(self.get()->width);
}

PyObject *_call_Size_height_set(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Size> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Size, {"HostCtl::Widgets::Size *", 1}, qor::kNoCodeAfter)) return nullptr;
    qor::ScalarArg<unsigned int> a1;
    if (!a1.load(argv[1], {"uint32", 2})) return nullptr;
    self.get()->height = a1.get();
    Py_RETURN_NONE;
}

PyObject *_call_Size_height_get(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Size> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Size, {"HostCtl::Widgets::Size *", 1}, qor::kNoCodeAfter)) return nullptr;
    return qor::from_scalar<unsigned int>(self.get()->height);
}

PyObject *_call_Size_label_set(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Size> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Size, {"HostCtl::Widgets::Size *", 1})) return nullptr;
    qor::CharArrayArg<8> a1;
    if (!a1.load(argv[1], {"char [8]", 2})) return nullptr;
    if (!qor::held_proxies_intact()) return nullptr;
    std::copy_n(a1.get(), 8, self.get()->label);
    Py_RETURN_NONE;
}

PyObject *_call_Size_label_get(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Size> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Size, {"HostCtl::Widgets::Size *", 1}, qor::kNoCodeAfter)) return nullptr;
    return qor::from_char_array(self.get()->label, 8);
}

PyObject *_call_delete_Size(PyObject *const *argv, Py_ssize_t) {
    qor::PtrArg<HostCtl::Widgets::Size> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Size, {"HostCtl::Widgets::Size *", 1}, qor::kDisown | qor::kForget | qor::kNoCodeAfter)) return nullptr;
    delete self.get();
    Py_RETURN_NONE;
}
PyObject *_release_delete_Size(void *ptr, swig_type_info *type) {
    return qor::delete_converted<HostCtl::Widgets::Size>(ptr, type, qor::ty::_p_HostCtl__Widgets__Size, {"HostCtl::Widgets::Size *", 1});
}

PyObject *_call_Size_swigregister(PyObject *const *argv, Py_ssize_t) {
    return qor::swigregister(argv[0], qor::ty::_p_HostCtl__Widgets__Size);
}

PyObject *_call_Widget_GetName(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Widget const> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Widget, {"HostCtl::Widgets::Widget const *", 1}, qor::kNoCodeAfter)) return nullptr;
    return qor::from_string(self.get()->GetName());
}

PyObject *_call_Widget_GetSize(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Widget> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Widget, {"HostCtl::Widgets::Widget *", 1}, qor::kNoCodeAfter)) return nullptr;
    return qor::from_copy(self.get()->GetSize(), qor::ty::_p_HostCtl__Widgets__Size);
}

static PyObject *_call_Widget_Resize__0(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Widget> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Widget, {"HostCtl::Widgets::Widget *", 1})) return nullptr;
    qor::RefArg<HostCtl::Widgets::Size> a1;
    if (!a1.load(argv[1], qor::ty::_p_HostCtl__Widgets__Size, {"HostCtl::Widgets::Size const &", 2}, qor::kNoCodeAfter)) return nullptr;
    qor::ScalarArg<bool> a2;
    if (!a2.load(argv[2], {"bool", 3})) return nullptr;
    if (!qor::held_proxies_intact()) return nullptr;
    self.get()->Resize(*a1.get(), a2.get());
    Py_RETURN_NONE;
}
static PyObject *_call_Widget_Resize__1(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Widget> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Widget, {"HostCtl::Widgets::Widget *", 1})) return nullptr;
    qor::RefArg<HostCtl::Widgets::Size> a1;
    if (!a1.load(argv[1], qor::ty::_p_HostCtl__Widgets__Size, {"HostCtl::Widgets::Size const &", 2}, qor::kNoCodeAfter)) return nullptr;
    if (!qor::held_proxies_intact()) return nullptr;
    self.get()->Resize(*a1.get(), true);
    Py_RETURN_NONE;
}
PyObject *_call_Widget_Resize(PyObject *const *argv, Py_ssize_t argc) {
    if (argc == 2 && qor::SelfArg<HostCtl::Widgets::Widget>::check(argv[0], qor::ty::_p_HostCtl__Widgets__Widget) && qor::RefArg<HostCtl::Widgets::Size>::check(argv[1], qor::ty::_p_HostCtl__Widgets__Size)) return _call_Widget_Resize__1(argv, argc);
    if (argc == 3 && qor::SelfArg<HostCtl::Widgets::Widget>::check(argv[0], qor::ty::_p_HostCtl__Widgets__Widget) && qor::RefArg<HostCtl::Widgets::Size>::check(argv[1], qor::ty::_p_HostCtl__Widgets__Size) && qor::ScalarArg<bool>::check(argv[2])) return _call_Widget_Resize__0(argv, argc);
    return qor::overload_error("Wrong number or type of arguments for overloaded function 'Widget_Resize'.\n  Possible C/C++ prototypes are:\n    HostCtl::Widgets::Widget::Resize(HostCtl::Widgets::Size const &,bool)\n    HostCtl::Widgets::Widget::Resize(HostCtl::Widgets::Size const &)\n");
}

PyObject *_call_Widget_GetColour(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Widget> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Widget, {"HostCtl::Widgets::Widget *", 1}, qor::kNoCodeAfter)) return nullptr;
    return qor::from_scalar<HostCtl::Widgets::Colour>(self.get()->GetColour());
}

static PyObject *_call_Widget_SetColour__0(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Widget> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Widget, {"HostCtl::Widgets::Widget *", 1}, qor::kNoCodeAfter)) return nullptr;
    qor::ScalarArg<HostCtl::Widgets::Colour> a1;
    if (!a1.load(argv[1], {"HostCtl::Widgets::Colour", 2})) return nullptr;
    self.get()->SetColour(a1.get());
    Py_RETURN_NONE;
}
static PyObject *_call_Widget_SetColour__1(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Widget> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Widget, {"HostCtl::Widgets::Widget *", 1})) return nullptr;
    qor::StringArg a1;
    if (!a1.load(argv[1], {"std::string const &", 2})) return nullptr;
    if (!qor::held_proxies_intact()) return nullptr;
    self.get()->SetColour(a1.get());
    Py_RETURN_NONE;
}
PyObject *_call_Widget_SetColour(PyObject *const *argv, Py_ssize_t argc) {
    if (argc == 2 && qor::SelfArg<HostCtl::Widgets::Widget>::check(argv[0], qor::ty::_p_HostCtl__Widgets__Widget) && qor::ScalarArg<HostCtl::Widgets::Colour>::check(argv[1])) return _call_Widget_SetColour__0(argv, argc);
    if (argc == 2 && qor::SelfArg<HostCtl::Widgets::Widget>::check(argv[0], qor::ty::_p_HostCtl__Widgets__Widget) && qor::StringArg::check(argv[1])) return _call_Widget_SetColour__1(argv, argc);
    return qor::overload_error("Wrong number or type of arguments for overloaded function 'Widget_SetColour'.\n  Possible C/C++ prototypes are:\n    HostCtl::Widgets::Widget::SetColour(HostCtl::Widgets::Colour)\n    HostCtl::Widgets::Widget::SetColour(std::string const &)\n");
}

PyObject *_call_Widget_ListParts(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<HostCtl::Widgets::Widget> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Widget, {"HostCtl::Widgets::Widget *", 1}, qor::kNoCodeAfter)) return nullptr;
    return qor::from_container(self.get()->ListParts(), qor::ContainerInfo{"std::vector<std::string,std::allocator< std::string > >", "std::string", nullptr});
}

PyObject *_call_Widget_IsKnownKind(PyObject *const *argv, Py_ssize_t) {
    qor::StringArg a1;
    if (!a1.load(argv[0], {"std::string const &", 1})) return nullptr;
    return qor::from_scalar<bool>(HostCtl::Widgets::Widget::IsKnownKind(a1.get()));
}

PyObject *_call_delete_Widget(PyObject *const *argv, Py_ssize_t) {
    qor::PtrArg<HostCtl::Widgets::Widget> self;
    if (!self.load(argv[0], qor::ty::_p_HostCtl__Widgets__Widget, {"HostCtl::Widgets::Widget *", 1}, qor::kDisown | qor::kForget | qor::kNoCodeAfter)) return nullptr;
    delete self.get();
    Py_RETURN_NONE;
}
PyObject *_release_delete_Widget(void *ptr, swig_type_info *type) {
    return qor::delete_converted<HostCtl::Widgets::Widget>(ptr, type, qor::ty::_p_HostCtl__Widgets__Widget, {"HostCtl::Widgets::Widget *", 1});
}

PyObject *_call_Widget_swigregister(PyObject *const *argv, Py_ssize_t) {
    return qor::swigregister(argv[0], qor::ty::_p_HostCtl__Widgets__Widget);
}

PyObject *_call_new_WidgetImpl(PyObject *const *argv, Py_ssize_t) {
    qor::StringArg a1;
    if (!a1.load(argv[0], {"std::string const &", 1})) return nullptr;
    return qor::pointer_to_object(new QorCtl::Widgets::WidgetImpl(a1.get()), qor::ty::_p_QorCtl__Widgets__WidgetImpl, qor::kOwn | qor::kNoShadow);
}

PyObject *_call_WidgetImpl_GetName(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<QorCtl::Widgets::WidgetImpl const> self;
    if (!self.load(argv[0], qor::ty::_p_QorCtl__Widgets__WidgetImpl, {"QorCtl::Widgets::WidgetImpl const *", 1}, qor::kNoCodeAfter)) return nullptr;
    return qor::from_string(self.get()->QorCtl::Widgets::WidgetImpl::GetName());
}

PyObject *_call_WidgetImpl_GetSize(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<QorCtl::Widgets::WidgetImpl> self;
    if (!self.load(argv[0], qor::ty::_p_QorCtl__Widgets__WidgetImpl, {"QorCtl::Widgets::WidgetImpl *", 1}, qor::kNoCodeAfter)) return nullptr;
    return qor::from_copy(self.get()->GetSize(), qor::ty::_p_HostCtl__Widgets__Size);
}

PyObject *_call_WidgetImpl_Refresh(PyObject *const *argv, Py_ssize_t) {
    qor::SelfArg<QorCtl::Widgets::WidgetImpl> self;
    if (!self.load(argv[0], qor::ty::_p_QorCtl__Widgets__WidgetImpl, {"QorCtl::Widgets::WidgetImpl *", 1}, qor::kNoCodeAfter)) return nullptr;
    self.get()->QorCtl::Widgets::WidgetImpl::Refresh();
    Py_RETURN_NONE;
}

PyObject *_call_delete_WidgetImpl(PyObject *const *argv, Py_ssize_t) {
    qor::PtrArg<QorCtl::Widgets::WidgetImpl> self;
    if (!self.load(argv[0], qor::ty::_p_QorCtl__Widgets__WidgetImpl, {"QorCtl::Widgets::WidgetImpl *", 1}, qor::kDisown | qor::kForget | qor::kNoCodeAfter)) return nullptr;
    delete self.get();
    Py_RETURN_NONE;
}
PyObject *_release_delete_WidgetImpl(void *ptr, swig_type_info *type) {
    return qor::delete_converted<QorCtl::Widgets::WidgetImpl>(ptr, type, qor::ty::_p_QorCtl__Widgets__WidgetImpl, {"QorCtl::Widgets::WidgetImpl *", 1});
}

PyObject *_call_WidgetImpl_swigregister(PyObject *const *argv, Py_ssize_t) {
    return qor::swigregister(argv[0], qor::ty::_p_QorCtl__Widgets__WidgetImpl);
}

PyObject *_call_FindWidget(PyObject *const *argv, Py_ssize_t) {
    qor::StringArg a1;
    if (!a1.load(argv[0], {"std::string const &", 1})) return nullptr;
    return qor::from_holder(HostCtl::Widgets::FindWidget(a1.get()), qor::ty::_p_std__unique_ptrT_HostCtl__Widgets__Widget_t);
}

