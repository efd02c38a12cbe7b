// Generated: type records and conversion edges, sorted by mangled name.
#include "runtime/registry.h"
#include "hostctl/core.h"
#include "hostctl/widgets.h"
namespace HostCtl::Widgets {
typedef std::unique_ptr< HostCtl::Widgets::Widget > WidgetPtr;
}

namespace {

swig_type_info type_0 = {"_p_HostCtl__Lib__HostCtlObject", "HostCtl::Lib::HostCtlObject *", nullptr, nullptr, nullptr, 0};
swig_type_info type_1 = {"_p_HostCtl__Widgets__Size", "HostCtl::Widgets::Size *", nullptr, nullptr, nullptr, 0};
swig_type_info type_2 = {"_p_HostCtl__Widgets__Widget", "HostCtl::Widgets::Widget *|std::unique_ptr< HostCtl::Widgets::Widget >::pointer", nullptr, nullptr, nullptr, 0};
swig_type_info type_3 = {"_p_QorCtl__Lib__QorCtlObject", "QorCtl::Lib::QorCtlObject *", nullptr, nullptr, nullptr, 0};
swig_type_info type_4 = {"_p_QorCtl__Widgets__WidgetImpl", "QorCtl::Widgets::WidgetImpl *", nullptr, nullptr, nullptr, 0};
swig_type_info type_5 = {"_p_char", "char *|Bool *", nullptr, nullptr, nullptr, 0};
swig_type_info type_6 = {"_p_std__string", "std::string *", nullptr, nullptr, nullptr, 0};
swig_type_info type_7 = {"_p_std__unique_ptrT_HostCtl__Widgets__Widget_t", "HostCtl::Widgets::WidgetPtr *|std::unique_ptr< HostCtl::Widgets::Widget > *", nullptr, nullptr, nullptr, 0};
swig_type_info type_8 = {"_p_std__vectorT_std__string_std__allocatorT_std__string_t_t", "std::vector< std::string,std::allocator< std::string > > *", nullptr, nullptr, nullptr, 0};
swig_type_info type_9 = {"_p_swig__SwigPyIterator", "swig::SwigPyIterator *", nullptr, nullptr, nullptr, 0};

void *cast_0_0(void *p, int *) { return static_cast<HostCtl::Lib::HostCtlObject *>(static_cast<QorCtl::Lib::QorCtlObject *>(p)); }
void *cast_0_1(void *p, int *) { return static_cast<HostCtl::Lib::HostCtlObject *>(static_cast<HostCtl::Widgets::Widget *>(p)); }
void *cast_0_2(void *p, int *) { return static_cast<HostCtl::Lib::HostCtlObject *>(static_cast<QorCtl::Widgets::WidgetImpl *>(p)); }
void *cast_2_0(void *p, int *) { return static_cast<HostCtl::Widgets::Widget *>(static_cast<QorCtl::Widgets::WidgetImpl *>(p)); }
void *cast_3_0(void *p, int *) { return static_cast<QorCtl::Lib::QorCtlObject *>(static_cast<QorCtl::Widgets::WidgetImpl *>(p)); }

swig_cast_info casts_0[] = {{&type_0, nullptr, nullptr, nullptr}, {&type_3, cast_0_0, nullptr, nullptr}, {&type_2, cast_0_1, nullptr, nullptr}, {&type_4, cast_0_2, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_1[] = {{&type_1, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_2[] = {{&type_2, nullptr, nullptr, nullptr}, {&type_4, cast_2_0, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_3[] = {{&type_3, nullptr, nullptr, nullptr}, {&type_4, cast_3_0, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_4[] = {{&type_4, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_5[] = {{&type_5, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_6[] = {{&type_6, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_7[] = {{&type_7, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_8[] = {{&type_8, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_9[] = {{&type_9, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};

swig_type_info *initial_types[] = {&type_0, &type_1, &type_2, &type_3, &type_4, &type_5, &type_6, &type_7, &type_8, &type_9};
swig_cast_info *initial_casts[] = {casts_0, casts_1, casts_2, casts_3, casts_4, casts_5, casts_6, casts_7, casts_8, casts_9};
swig_type_info *slots[11];

}  // namespace

namespace qor::ty {
swig_type_info *&_p_HostCtl__Lib__HostCtlObject = slots[0];
swig_type_info *&_p_HostCtl__Widgets__Size = slots[1];
swig_type_info *&_p_HostCtl__Widgets__Widget = slots[2];
swig_type_info *&_p_QorCtl__Lib__QorCtlObject = slots[3];
swig_type_info *&_p_QorCtl__Widgets__WidgetImpl = slots[4];
swig_type_info *&_p_char = slots[5];
swig_type_info *&_p_std__string = slots[6];
swig_type_info *&_p_std__unique_ptrT_HostCtl__Widgets__Widget_t = slots[7];
swig_type_info *&_p_std__vectorT_std__string_std__allocatorT_std__string_t_t = slots[8];
swig_type_info *&_p_swig__SwigPyIterator = slots[9];
}  // namespace qor::ty

swig_module_info qor::module_registry = {slots, 10, nullptr, initial_types, initial_casts, nullptr};
