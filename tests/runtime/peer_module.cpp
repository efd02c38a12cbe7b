// _qorctl_peer: a second, test-only module of the same binding runtime.
//
// It brings its own registry into the ring: two records whose mangled names
// it shares with _qorctl, a small class family of its own (a base with three
// incoming edges, so the order of a cast list can be watched), and an alias
// record for name look-ups. Its functions expose what Python cannot otherwise
// see of the registry, and make and take proxies the way wrappers do.
#include "runtime/proxy.h"

#include "convert/containers.h"
#include "hostctl/core.h"
#include "hostctl/hardware/pci.h"
#include "hostctl/network/enums.h"
#include "hostctl/network/values.h"
#include "hostctl/network/records.h"
#include "hostctl/network/adapter_records.h"
#include "hostctl/network/objects.h"
#include "hostctl/network/impl.h"
#include "hostctl/storage/held.h"
#include "hostctl/storage/filesystems.h"
#include "hostctl/storage/volumes.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// ---- the peer's own little class family ------------------------------------

struct PeerBase {
    long tag = 0;
    virtual ~PeerBase() = default;
};
struct PeerPad {
    long pad[3] = {0, 0, 0};
    virtual ~PeerPad() = default;
};
// PeerBase first: conversion to the base is the identity.
struct PeerAlpha : PeerBase {};
// PeerBase second: conversion adds a fixed offset.
struct PeerBeta : PeerPad, PeerBase {};
struct PeerGamma : PeerPad, PeerBase {};

PeerAlpha g_alpha;
PeerBeta g_beta;
PeerGamma g_gamma;
long g_gadget = 0x6a6164;  // an object of a type nobody else knows

void *alpha_to_base(void *p, int *) { return static_cast<PeerBase *>(static_cast<PeerAlpha *>(p)); }
void *beta_to_base(void *p, int *) { return static_cast<PeerBase *>(static_cast<PeerBeta *>(p)); }
void *gamma_to_base(void *p, int *) { return static_cast<PeerBase *>(static_cast<PeerGamma *>(p)); }

// ---- registry, sorted by mangled name ----------------------------------------

swig_type_info type_0 = {"_p_HostCtl__Lib__HostCtlObject", "HostCtl::Lib::HostCtlObject *", nullptr, nullptr, nullptr, 0};
swig_type_info type_1 = {"_p_HostCtl__Network__Pnic", "HostCtl::Network::Pnic *", nullptr, nullptr, nullptr, 0};
swig_type_info type_2 = {"_p_PeerAlpha", "PeerAlpha *", nullptr, nullptr, nullptr, 0};
swig_type_info type_3 = {"_p_PeerBase", "PeerBase *", nullptr, nullptr, nullptr, 0};
swig_type_info type_4 = {"_p_PeerBeta", "PeerBeta *", nullptr, nullptr, nullptr, 0};
swig_type_info type_5 = {"_p_PeerGadget", "peer::Gadget *|PeerGadget *", nullptr, nullptr, nullptr, 0};
swig_type_info type_6 = {"_p_PeerGamma", "PeerGamma *", nullptr, nullptr, nullptr, 0};
swig_type_info type_7 = {"_p_peer__Label", "peer::Label *|peer::LabelList::value_type *", nullptr, nullptr, nullptr, 0};

swig_cast_info casts_0[] = {{&type_0, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_1[] = {{&type_1, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_2[] = {{&type_2, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_3[] = {{&type_3, nullptr, nullptr, nullptr},
                            {&type_2, alpha_to_base, nullptr, nullptr},
                            {&type_4, beta_to_base, nullptr, nullptr},
                            {&type_6, gamma_to_base, nullptr, nullptr},
                            {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_4[] = {{&type_4, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_5[] = {{&type_5, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_6[] = {{&type_6, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
swig_cast_info casts_7[] = {{&type_7, nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr, nullptr}};

swig_type_info *initial_types[] = {&type_0, &type_1, &type_2, &type_3, &type_4, &type_5, &type_6, &type_7};
swig_cast_info *initial_casts[] = {casts_0, casts_1, casts_2, casts_3, casts_4, casts_5, casts_6, casts_7};
swig_type_info *slots[9];

}  // namespace

swig_module_info qor::module_registry = {slots, 8, nullptr, initial_types, initial_casts, nullptr};

namespace {

// Borrowed record by mangled or display name, searching the whole ring;
// null with LookupError set when there is none.
swig_type_info *named_type(const char *name) {
    swig_type_info *type = qor::lookup_type_by_name(name);
    if (!type) PyErr_Format(PyExc_LookupError, "no type record named '%s'", name);
    return type;
}

// New reference: the record's mangled name, or None.
PyObject *name_or_none(const swig_type_info *type) {
    if (!type) Py_RETURN_NONE;
    return PyUnicode_FromString(type->name);
}

void *object_for(const char *which) {
    if (std::strcmp(which, "alpha") == 0) return &g_alpha;
    if (std::strcmp(which, "beta") == 0) return &g_beta;
    if (std::strcmp(which, "gamma") == 0) return &g_gamma;
    if (std::strcmp(which, "gadget") == 0) return &g_gadget;
    return nullptr;
}

// Index of the peer type of each static object.
size_t type_index_for(const char *which) {
    if (std::strcmp(which, "alpha") == 0) return 2;
    if (std::strcmp(which, "beta") == 0) return 4;
    if (std::strcmp(which, "gamma") == 0) return 6;
    return 5;  // the gadget
}

// make(which): a bare, non-owning proxy of one of the peer's static objects
// ("alpha", "beta", "gamma" or "gadget"), typed by the record in use.
PyObject *peer_make(PyObject *, PyObject *args) {
    const char *which;
    if (!PyArg_ParseTuple(args, "s:make", &which)) return nullptr;
    void *object = object_for(which);
    if (!object) return PyErr_Format(PyExc_ValueError, "no peer object '%s'", which);
    return qor::pointer_to_object(object, qor::module_registry.types[type_index_for(which)], qor::kNoShadow);
}

// wrap(address, type_name, own): a proxy made by this module's runtime for an
// address that another module handed out (int() of its proxy).
PyObject *peer_wrap(PyObject *, PyObject *args) {
    unsigned long long address;
    const char *name;
    int own = 0;
    if (!PyArg_ParseTuple(args, "Ks|p:wrap", &address, &name, &own)) return nullptr;
    swig_type_info *type = named_type(name);
    if (!type) return nullptr;
    return qor::pointer_to_object(reinterpret_cast<void *>(static_cast<uintptr_t>(address)), type,
                                  qor::kNoShadow | (own ? qor::kOwn : 0));
}

// address_as(obj, type_name[, disown]): converts `obj` the way a wrapper
// converts a pointer argument; the address as int, None for a null pointer,
// or TypeError when it does not convert.
PyObject *peer_address_as(PyObject *, PyObject *args) {
    PyObject *obj;
    const char *name;
    int disown = 0;
    if (!PyArg_ParseTuple(args, "Os|p:address_as", &obj, &name, &disown)) return nullptr;
    swig_type_info *type = named_type(name);
    if (!type) return nullptr;
    void *out = nullptr;
    int status = qor::object_to_pointer(obj, &out, type, disown ? qor::kDisown : 0);
    if (status != 0) return PyErr_Format(PyExc_TypeError, "does not convert to '%s' (status %d)", name, status);
    if (!out) Py_RETURN_NONE;
    return PyLong_FromVoidPtr(out);
}

// lookup_type_by_name(name): mangled name of the record found, or None.
PyObject *peer_lookup_type_by_name(PyObject *, PyObject *args) {
    const char *name;
    if (!PyArg_ParseTuple(args, "s:lookup_type_by_name", &name)) return nullptr;
    return name_or_none(qor::lookup_type_by_name(name));
}

// type_display_name(mangled_name): the display name the runtime prints.
PyObject *peer_type_display_name(PyObject *, PyObject *args) {
    const char *name;
    if (!PyArg_ParseTuple(args, "s:type_display_name", &name)) return nullptr;
    swig_type_info *type = qor::lookup_type_by_mangled_name(&qor::module_registry, name);
    if (!type) return PyErr_Format(PyExc_LookupError, "no type record named '%s'", name);
    return PyUnicode_FromString(qor::type_display_name(type));
}

// cast_order(type_name): the source names of the type's cast list, head first.
PyObject *peer_cast_order(PyObject *, PyObject *args) {
    const char *name;
    if (!PyArg_ParseTuple(args, "s:cast_order", &name)) return nullptr;
    swig_type_info *type = named_type(name);
    if (!type) return nullptr;
    PyObject *order = PyList_New(0);
    if (!order) return nullptr;
    for (swig_cast_info *edge = type->cast; edge; edge = edge->next) {
        PyObject *source = PyUnicode_FromString(edge->type->name);
        if (!source || PyList_Append(order, source) < 0) {
            Py_XDECREF(source);
            Py_DECREF(order);
            return nullptr;
        }
        Py_DECREF(source);
    }
    return order;
}

// find_cast(source_name, type_name): True when an edge was found (and moved).
PyObject *peer_find_cast(PyObject *, PyObject *args) {
    const char *source;
    const char *name;
    if (!PyArg_ParseTuple(args, "ss:find_cast", &source, &name)) return nullptr;
    swig_type_info *type = named_type(name);
    if (!type) return nullptr;
    return PyBool_FromLong(qor::find_cast(source, type) != nullptr);
}

// uses_own_record(mangled_name): whether this module's slot for the type
// holds its own static record (False: another module's record is shared).
PyObject *peer_uses_own_record(PyObject *, PyObject *args) {
    const char *name;
    if (!PyArg_ParseTuple(args, "s:uses_own_record", &name)) return nullptr;
    for (size_t i = 0; i < qor::module_registry.size; ++i) {
        if (std::strcmp(qor::module_registry.type_initial[i]->name, name) == 0) {
            return PyBool_FromLong(qor::module_registry.types[i] == qor::module_registry.type_initial[i]);
        }
    }
    return PyErr_Format(PyExc_LookupError, "the peer defines no type '%s'", name);
}

// ring(): the size of every registry of the ring, starting with this one.
PyObject *peer_ring(PyObject *, PyObject *) {
    PyObject *sizes = PyList_New(0);
    if (!sizes) return nullptr;
    swig_module_info *iter = &qor::module_registry;
    do {
        PyObject *size = PyLong_FromSize_t(iter->size);
        if (!size || PyList_Append(sizes, size) < 0) {
            Py_XDECREF(size);
            Py_DECREF(sizes);
            return nullptr;
        }
        Py_DECREF(size);
        iter = iter->next;
    } while (iter && iter != &qor::module_registry);
    return sizes;
}

// has_class(type_name): whether a class is registered for the type.
PyObject *peer_has_class(PyObject *, PyObject *args) {
    const char *name;
    if (!PyArg_ParseTuple(args, "s:has_class", &name)) return nullptr;
    swig_type_info *type = named_type(name);
    if (!type) return nullptr;
    return PyBool_FromLong(type->clientdata != nullptr);
}

// reinit(): runs the registry start-up a second time.
PyObject *peer_reinit(PyObject *, PyObject *) {
    qor::init_registry();
    Py_RETURN_NONE;
}

// Copies `obj` into a container of type C as a wrapper's argument would, and
// converts the container back as a result would. Raises TypeError when the
// argument does not convert.
template <class C>
PyObject *round_trip(PyObject *obj, const qor::ContainerInfo &info) {
    C *value = nullptr;
    int status = qor::Conversion<C>::asptr(obj, &value, info);
    if (!qor::ok(status) || !value) {
        PyErr_SetString(PyExc_TypeError, "does not convert");
        return nullptr;
    }
    PyObject *result = qor::from_container(*value, info);
    if (status & qor::kNewObject) delete value;
    return result;
}

// convert(kind, obj): `obj` through the conversion of one container kind and back.
PyObject *peer_convert(PyObject *, PyObject *args) {
    const char *kind;
    PyObject *obj;
    if (!PyArg_ParseTuple(args, "sO:convert", &kind, &obj)) return nullptr;
    using Text = std::string;
    using Pair = std::pair<Text, Text>;
    const std::string k = kind;
    if (k == "strings") {
        return round_trip<std::vector<Text>>(
            obj, {"std::vector<std::string,std::allocator< std::string > >", "std::string", nullptr});
    }
    if (k == "uint32") {
        return round_trip<std::vector<unsigned int>>(
            obj, {"std::vector<unsigned int,std::allocator< unsigned int > >", "unsigned int", nullptr});
    }
    if (k == "uint64") {
        return round_trip<std::vector<unsigned long>>(
            obj, {"std::vector<unsigned long,std::allocator< unsigned long > >", "unsigned long", nullptr});
    }
    if (k == "pairs") {
        return round_trip<std::vector<Pair>>(obj, {"std::vector<std::pair< std::string,std::string >,"
                                                   "std::allocator< std::pair< std::string,std::string > > >",
                                                   "std::pair<std::string,std::string >", nullptr});
    }
    if (k == "set") {
        return round_trip<std::set<Text>>(
            obj, {"std::set<std::string,std::less< std::string >,std::allocator< std::string > >", "std::string",
                  nullptr});
    }
    if (k == "pair") return round_trip<Pair>(obj, {"std::pair<std::string,std::string >", "std::string", nullptr});
    if (k == "map_pair") {
        return round_trip<std::map<Text, Pair>>(
            obj, {"std::map<std::string,std::pair< std::string,std::string >,std::less< std::string >,"
                  "std::allocator< std::pair< std::string const,std::pair< std::string,std::string > > > >",
                  "std::pair<std::string,std::pair< std::string,std::string > >", nullptr});
    }
    if (k == "map_vector") {
        return round_trip<std::map<Text, std::vector<Text>>>(
            obj, {"std::map<std::string,std::vector< std::string,std::allocator< std::string > >,"
                  "std::less< std::string >,std::allocator< std::pair< std::string const,"
                  "std::vector< std::string,std::allocator< std::string > > > > >",
                  "std::pair<std::string,std::vector< std::string,std::allocator< std::string > > >", nullptr});
    }
    if (k == "addresses") {
        using Address = HostCtl::Network::Ipv4Address;
        return round_trip<std::vector<Address>>(
            obj, {"std::vector<HostCtl::Network::Ipv4Address,std::allocator< HostCtl::Network::Ipv4Address > >",
                  "HostCtl::Network::Ipv4Address", qor::lookup_type_by_name("HostCtl::Network::Ipv4Address *")});
    }
    if (k == "mac_pointers") {
        using Mac = HostCtl::Network::MacAddress;
        return round_trip<std::vector<Mac *>>(
            obj, {"std::vector<HostCtl::Network::MacAddress *,std::allocator< HostCtl::Network::MacAddress * > >",
                  "HostCtl::Network::MacAddress", qor::lookup_type_by_name("HostCtl::Network::MacAddress *")});
    }
    return PyErr_Format(PyExc_ValueError, "no container kind '%s'", kind);
}

// live_objects(): how many concrete objects of the stand-in library are alive.
PyObject *peer_live_objects(PyObject *, PyObject *) { return PyLong_FromLong(QorCtl::Lib::LiveObjects()); }

// report_live_objects_at_exit(): at process exit, after the interpreter has
// shut down, prints "live library objects at exit: N" on standard output.
void print_live_objects() {
    std::printf("live library objects at exit: %ld\n", QorCtl::Lib::LiveObjects());
    std::fflush(stdout);
}

PyObject *peer_report_live_objects_at_exit(PyObject *, PyObject *) {
    if (std::atexit(print_live_objects) != 0) return PyErr_Format(PyExc_RuntimeError, "atexit failed");
    Py_RETURN_NONE;
}

// pnic_vector(names): an owned proxy of a new vector of adapter holders, one
// adapter per name, as a library call filling a holder vector would leave it.
PyObject *peer_pnic_vector(PyObject *, PyObject *args) {
    using Holders = std::vector<std::unique_ptr<HostCtl::Network::Pnic>>;
    PyObject *names = nullptr;
    if (!PyArg_ParseTuple(args, "O!:pnic_vector", &PyList_Type, &names)) return nullptr;
    auto holders = std::make_unique<Holders>();
    for (Py_ssize_t i = 0; i < PyList_GET_SIZE(names); ++i) {
        const char *name = PyUnicode_AsUTF8(PyList_GET_ITEM(names, i));
        if (!name) return nullptr;
        holders->emplace_back(new QorCtl::Network::PnicImpl(name));
    }
    swig_type_info *type = qor::lookup_type_by_name(
        "std::vector< std::unique_ptr< HostCtl::Network::Pnic >,"
        "std::allocator< std::unique_ptr< HostCtl::Network::Pnic > > > *");
    if (!type) return PyErr_Format(PyExc_LookupError, "no holder-vector record");
    return qor::pointer_to_object(holders.release(), type, qor::kOwn);
}

// Out-parameter values scripts cannot make themselves, by kind: "string",
// "int", "uint32", "bool", or "connections" (a vector of TCP/IP connections).
const char *out_type_name(const std::string &kind) {
    if (kind == "string") return "_p_std__string";
    if (kind == "int") return "_p_int";
    if (kind == "uint32") return "_p_unsigned_int";
    if (kind == "bool") return "_p_bool";
    if (kind == "connections") {
        return "_p_std__vectorT_HostCtl__Network__TcpIpConnection_std__allocatorT_HostCtl__Network__TcpIpConnection_t_t";
    }
    return nullptr;
}

typedef std::vector<HostCtl::Network::TcpIpConnection> Connections;

// The value behind an out-parameter proxy made by new_out; null with
// TypeError set when the proxy is not one of that kind.
void *out_pointer(PyObject *proxy, const std::string &kind) {
    swig_type_info *type = named_type(out_type_name(kind));
    if (!type) return nullptr;
    void *out = nullptr;
    if (qor::object_to_pointer(proxy, &out, type, 0) != 0 || !out) {
        PyErr_Format(PyExc_TypeError, "not an out-parameter value of kind '%s'", kind.c_str());
        return nullptr;
    }
    return out;
}

// new_out(kind): a bare, non-owning proxy of a new value-initialised value;
// free_out(proxy, kind) destroys it.
PyObject *peer_new_out(PyObject *, PyObject *args) {
    const char *kind;
    if (!PyArg_ParseTuple(args, "s:new_out", &kind)) return nullptr;
    const char *name = out_type_name(kind);
    if (!name) return PyErr_Format(PyExc_ValueError, "no out-parameter kind '%s'", kind);
    swig_type_info *type = named_type(name);
    if (!type) return nullptr;
    void *value = nullptr;
    if (std::strcmp(kind, "string") == 0) value = new std::string();
    if (std::strcmp(kind, "int") == 0) value = new int();
    if (std::strcmp(kind, "uint32") == 0) value = new unsigned int();
    if (std::strcmp(kind, "bool") == 0) value = new bool();
    if (std::strcmp(kind, "connections") == 0) value = new Connections();
    return qor::pointer_to_object(value, type, qor::kNoShadow);
}

// out_value(proxy, kind): what the value holds; connections as a list of
// (laddr, lport, faddr, fport) tuples.
PyObject *peer_out_value(PyObject *, PyObject *args) {
    PyObject *proxy;
    const char *kind;
    if (!PyArg_ParseTuple(args, "Os:out_value", &proxy, &kind)) return nullptr;
    void *value = out_pointer(proxy, kind);
    if (!value) return nullptr;
    const std::string which = kind;
    if (which == "string") return PyUnicode_FromString(static_cast<std::string *>(value)->c_str());
    if (which == "int") return PyLong_FromLong(*static_cast<int *>(value));
    if (which == "uint32") return PyLong_FromUnsignedLong(*static_cast<unsigned int *>(value));
    if (which == "bool") return PyBool_FromLong(*static_cast<bool *>(value));
    PyObject *items = PyList_New(0);
    for (const auto &c : *static_cast<Connections *>(value)) {
        PyObject *item = items ? Py_BuildValue("(sisi)", c.laddr.c_str(), c.lport, c.faddr.c_str(), c.fport) : nullptr;
        if (!item || PyList_Append(items, item) < 0) {
            Py_XDECREF(item);
            Py_XDECREF(items);
            return nullptr;
        }
        Py_DECREF(item);
    }
    return items;
}

PyObject *peer_free_out(PyObject *, PyObject *args) {
    PyObject *proxy;
    const char *kind;
    if (!PyArg_ParseTuple(args, "Os:free_out", &proxy, &kind)) return nullptr;
    void *value = out_pointer(proxy, kind);
    if (!value) return nullptr;
    const std::string which = kind;
    if (which == "string") delete static_cast<std::string *>(value);
    if (which == "int") delete static_cast<int *>(value);
    if (which == "uint32") delete static_cast<unsigned int *>(value);
    if (which == "bool") delete static_cast<bool *>(value);
    if (which == "connections") delete static_cast<Connections *>(value);
    Py_RETURN_NONE;
}

// volume_list(): a proxy of a new, empty list of unresolved volumes, as a
// script hands it to the caches to fill. The module has no destructor for the
// list, so the proxy does not own it: the list lives as long as the process.
PyObject *peer_volume_list(PyObject *, PyObject *) {
    using Volumes = std::vector<QorCtl::Storage::UnresolvedLufsVolumeImpl>;
    swig_type_info *type = qor::lookup_type_by_name(
        "std::vector< QorCtl::Storage::UnresolvedLufsVolumeImpl,"
        "std::allocator< QorCtl::Storage::UnresolvedLufsVolumeImpl > > *");
    if (!type) return PyErr_Format(PyExc_LookupError, "no volume-list record");
    return qor::pointer_to_object(new Volumes(), type, 0);
}

// volume_names(list): the names of the volumes in such a list.
PyObject *peer_volume_names(PyObject *, PyObject *args) {
    using Volumes = std::vector<QorCtl::Storage::UnresolvedLufsVolumeImpl>;
    PyObject *obj = nullptr;
    if (!PyArg_ParseTuple(args, "O:volume_names", &obj)) return nullptr;
    swig_type_info *type = qor::lookup_type_by_name(
        "std::vector< QorCtl::Storage::UnresolvedLufsVolumeImpl,"
        "std::allocator< QorCtl::Storage::UnresolvedLufsVolumeImpl > > *");
    void *ptr = nullptr;
    if (!type || qor::object_to_pointer(obj, &ptr, type, 0) < 0 || !ptr) {
        return PyErr_Format(PyExc_TypeError, "not a volume list");
    }
    PyObject *names = PyList_New(0);
    for (const auto &volume : *static_cast<Volumes *>(ptr)) {
        PyObject *name = PyUnicode_FromString(volume.GetName().c_str());
        if (!name || PyList_Append(names, name) < 0) {
            Py_XDECREF(name);
            Py_DECREF(names);
            return nullptr;
        }
        Py_DECREF(name);
    }
    return names;
}

// argument_error(type, number, null_ref): the exception a failed conversion of
// argument `number`, declared as `type`, raises inside a call of "peer_call".
PyObject *peer_argument_error(PyObject *, PyObject *args) {
    const char *type = nullptr;
    int number = 0, null_ref = 0;
    if (!PyArg_ParseTuple(args, "sip:argument_error", &type, &number, &null_ref)) return nullptr;
    qor::CallScope scope("peer_call");
    qor::ArgSite site{type, number};
    null_ref ? qor::null_ref_error(site) : qor::arg_error(qor::kError, site);
    return nullptr;
}

PyMethodDef peer_functions[] = {
    {"make", peer_make, METH_VARARGS, nullptr},
    {"wrap", peer_wrap, METH_VARARGS, nullptr},
    {"address_as", peer_address_as, METH_VARARGS, nullptr},
    {"lookup_type_by_name", peer_lookup_type_by_name, METH_VARARGS, nullptr},
    {"type_display_name", peer_type_display_name, METH_VARARGS, nullptr},
    {"cast_order", peer_cast_order, METH_VARARGS, nullptr},
    {"find_cast", peer_find_cast, METH_VARARGS, nullptr},
    {"uses_own_record", peer_uses_own_record, METH_VARARGS, nullptr},
    {"ring", peer_ring, METH_NOARGS, nullptr},
    {"has_class", peer_has_class, METH_VARARGS, nullptr},
    {"reinit", peer_reinit, METH_NOARGS, nullptr},
    {"live_objects", peer_live_objects, METH_NOARGS, nullptr},
    {"convert", peer_convert, METH_VARARGS, nullptr},
    {"pnic_vector", peer_pnic_vector, METH_VARARGS, nullptr},
    {"volume_list", peer_volume_list, METH_NOARGS, nullptr},
    {"volume_names", peer_volume_names, METH_VARARGS, nullptr},
    {"report_live_objects_at_exit", peer_report_live_objects_at_exit, METH_NOARGS, nullptr},
    {"new_out", peer_new_out, METH_VARARGS, nullptr},
    {"out_value", peer_out_value, METH_VARARGS, nullptr},
    {"free_out", peer_free_out, METH_VARARGS, nullptr},
    {"argument_error", peer_argument_error, METH_VARARGS, nullptr},
    {nullptr, nullptr, 0, nullptr},
};

PyModuleDef peer_definition = {
    PyModuleDef_HEAD_INIT, "_qorctl_peer", nullptr, -1, peer_functions, nullptr, nullptr, nullptr, nullptr,
};

}  // namespace

extern "C" __attribute__((visibility("default"))) PyObject *PyInit__qorctl_peer(void) {
    PyObject *module = PyModule_Create2(&peer_definition, 1013);
    if (!module) return nullptr;
    qor::init_registry();
    return module;
}
