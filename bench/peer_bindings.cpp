// The same calls as _qorbench_baseline, bound with a general-purpose binding
// library (nanobind or pybind11, chosen when compiling), so the benchmark can
// show the generated module beside what those libraries make of the same
// library calls. Built only for the benchmark.

#include <memory>
#include <string>
#include <utility>

#include "hostctl/core.h"
#include "hostctl/geometry.h"
#include "hostctl/hardware/pci.h"
#include "hostctl/network/enums.h"
#include "hostctl/network/values.h"
#include "hostctl/network/records.h"
#include "hostctl/network/adapter_records.h"
#include "hostctl/network/switching.h"
#include "hostctl/network/switching_impl.h"
#include "hostctl/network/objects.h"
#include "hostctl/network/impl.h"
#include "hostctl/network/statics.h"
#include "hostctl/network/held.h"
#include "hostctl/network/dvs_values.h"
#include "hostctl/network/dvs.h"
#include "hostctl/network/stack_values.h"
#include "hostctl/network/stack.h"

#if defined(QOR_PEER_NANOBIND)
#include <nanobind/nanobind.h>
#include <nanobind/stl/string.h>
namespace peer = nanobind;
#define QOR_PEER_MODULE(name, m) NB_MODULE(name, m)
#define def_field def_rw
#else
#include <pybind11/pybind11.h>
namespace peer = pybind11;
#define QOR_PEER_MODULE(name, m) PYBIND11_MODULE(name, m)
#define def_field def_readwrite
#endif

namespace {

// An adapter as the baseline holds one: the library's owning pointer.
struct PnicHandle {
    HostCtl::Network::PnicPtr ptr;
};

PnicHandle make_pnic(const std::string &name) {
    QorCtl::Network::NetworkInfoImpl info;
    return PnicHandle{info.GetPnicByName(name)};
}

std::string pnic_get_name(const PnicHandle &pnic) { return pnic.ptr->GetName(); }

void point_set_x(VMPoint &point, int x) { point.x = x; }

}  // namespace

QOR_PEER_MODULE(QOR_PEER_NAME, m) {
    peer::class_<PnicHandle>(m, "Pnic").def("GetName", &pnic_get_name);
    peer::class_<VMPoint>(m, "VMPoint").def(peer::init<>()).def_field("x", &VMPoint::x);
    m.def("make_pnic", &make_pnic);
    m.def("pnic_get_name", &pnic_get_name);
    m.def("point_set_x", &point_set_x);
}
