// Hand-written behaviour of the iSCSI adapter's stand-in. The adapter keeps
// its configuration as properties of its node:
//   StaticTargets = name@host:port,...   targets (with "/seq" when numbered)
//   Target.<target>.Method / .Server     how and from which server it was found
//   SendTargets = host:port,...          send-targets servers
//   Nics = knic0,... / BoundNics = ...   kernel interfaces, and those bound
//   Nic.<vnic>.<field>                   what the adapter knows of each one
//   AdapterParms.<field>                 parameters with their bounds
//   TargetParms.<target>.<field>         a target's own parameters
//   Chap.<type>.<field>, TargetChap.<target>.<type>.<field>   CHAP secrets
//   Slp.*, Isns.*                        directory and name-server discovery
//   AdapterStats.<field>                 counters, which move on every read
#include <algorithm>

#include "hostctl/network/values.h"
#include "hostctl/sim.h"
#include "hostctl/storage/iscsi_values.h"
#include "hostctl/storage/adapters.h"
#include "hostctl/storage/lun_values.h"
#include "hostctl/storage/luns.h"  // the paths an adapter's sessions run on
#include "hostctl/storage/iscsi.h"

namespace {

using HostCtl::Storage::iScsiAuthType;
using HostCtl::Storage::iScsiChapParameters;
using HostCtl::Storage::iScsiInheritanceFlags;
using HostCtl::Storage::iScsiNicProperties;
using HostCtl::Storage::iScsiParms;
using HostCtl::Storage::StaticTarget;
using HostCtl::Storage::TargetAddress;
using QorCtl::Sim::Node;

typedef std::vector<std::string> Names;

constexpr int kOperationOk = 0;         // iScsiInterface::OPERATION_OK
constexpr int kAuthInitiator = 0;       // ISCSI_AUTH_TYPE_INITIATOR
constexpr int kAuthMutual = 1;          // ISCSI_AUTH_TYPE_MUTUAL
constexpr int kDigestFirst = 1;         // ISCSI_DIGEST_PROHIBITED
constexpr int kDigestLast = 4;          // ISCSI_DIGEST_REQUIRED
constexpr int kMtuLowest = 1500;        // iScsiInterfaceImpl::ISCSI_MTU_DISABLE
constexpr int kMtuHighest = 9000;       // iScsiInterfaceImpl::ISCSI_MTU_ENABLE
constexpr int kPortCompliant = 0;       // ISCSI_E_NO_ERROR
constexpr const char *kSendTargets = "SendTargets";
constexpr const char *kStaticTargets = "StaticTargets";

[[noreturn]] void refuse(const std::string &message) { throw HostCtl::Lib::HostCtlException(message); }

// Entered (so the model can make it fail) and recorded.
void act(Node &node, const char *operation) {
    QorCtl::Sim::Enter(node, operation);
    QorCtl::Sim::Record(node, operation);
}

Names names(const Node &node, const char *key) { return QorCtl::Sim::Read<Names>(node, key); }

bool listed(const Names &items, const std::string &item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

void erase_prefixed(Node &node, const std::string &prefix) {
    auto &properties = node.properties;
    for (auto it = properties.lower_bound(prefix); it != properties.end() && it->first.compare(0, prefix.size(), prefix) == 0;) {
        it = properties.erase(it);
    }
}

// ---- targets -----------------------------------------------------------------

std::string target_key(const StaticTarget &target) {
    std::string key = target.GetName() + "@" + target.GetAddress().Text();
    if (target.GetSeqNo() != 0) key += "/" + std::to_string(target.GetSeqNo());
    return key;
}

// The key of a target the adapter knows, or the library's refusal.
std::string known_target(const Node &node, const StaticTarget &target) {
    std::string key = target_key(target);
    if (!listed(names(node, kStaticTargets), key)) refuse("iSCSI target " + key + " is not configured on " + node.name);
    return key;
}

std::string known_server(const Node &node, const TargetAddress &address) {
    std::string key = address.Text();
    if (!listed(names(node, kSendTargets), key)) {
        refuse("send-targets address " + key + " is not configured on " + node.name);
    }
    return key;
}

void forget_target(Node &node, const std::string &key) {
    Names targets = names(node, kStaticTargets);
    targets.erase(std::remove(targets.begin(), targets.end(), key), targets.end());
    QorCtl::Sim::Write(node, kStaticTargets, targets);
    erase_prefixed(node, "Target." + key + ".");
    erase_prefixed(node, "TargetParms." + key + ".");
    erase_prefixed(node, "TargetChap." + key + ".");
}

// Targets the server at `server` reported.
Names targets_from(const Node &node, const std::string &server) {
    Names found;
    for (const auto &key : names(node, kStaticTargets)) {
        if (QorCtl::Sim::Read<std::string>(node, ("Target." + key + ".Server").c_str()) == server) found.push_back(key);
    }
    return found;
}

// ---- parameters ----------------------------------------------------------------

// A numeric parameter: its value, its bounds, whether the adapter lets it be
// set, whether it differs from its default, and the flag by which a target
// inherits it from the adapter.
template <class T>
struct Bounded {
    const char *name;
    T iScsiParms::*value;
    T iScsiParms::*fallback;
    T iScsiParms::*min;
    T iScsiParms::*max;
    bool iScsiParms::*settable;
    bool iScsiParms::*changed;
    bool iScsiInheritanceFlags::*inherited;
};

#define QOR_BOUNDED(T, field, flag)                                                                            \
    Bounded<T> {                                                                                               \
        #field, &iScsiParms::field, &iScsiParms::field##_default, &iScsiParms::field##_min,                   \
            &iScsiParms::field##_max, &iScsiParms::field##_settable, &iScsiParms::field##_changed,           \
            &iScsiInheritanceFlags::flag                                                                       \
    }
#define QOR_SWITCH(field, flag)                                                                                \
    Bounded<bool> {                                                                                            \
        #field, &iScsiParms::field, &iScsiParms::field##_default, nullptr, nullptr, &iScsiParms::field##_settable, \
            &iScsiParms::field##_changed, &iScsiInheritanceFlags::flag                                         \
    }

const Bounded<uint32> kNumbers[] = {
    QOR_BOUNDED(uint32, error_recovery_level, errorRevovery),
    QOR_BOUNDED(uint32, init_login_retry_max, initLoginRetryMax),
    QOR_BOUNDED(uint32, max_outstanding_r2t, maxOutstandingR2T),
    QOR_BOUNDED(uint32, cmds_max, commandMax),
    QOR_BOUNDED(uint32, default_time2wait, defaultTimeToWait),
    QOR_BOUNDED(uint32, default_time2retain, defaultTimeToRetain),
    QOR_BOUNDED(uint32, login_timeout, loginTimeout),
    QOR_BOUNDED(uint32, logout_timeout, logoutTimeout),
    QOR_BOUNDED(uint32, noop_out_interval, noopOutInterval),
    QOR_BOUNDED(uint32, noop_out_timeout, noopOutTimeout),
    QOR_BOUNDED(uint32, recovery_timeout, recoveryTimeout),
};
const Bounded<uint64> kLengths[] = {
    QOR_BOUNDED(uint64, first_burst_len, firstBurstLength),
    QOR_BOUNDED(uint64, max_burst_len, maxBurstLegth),
    QOR_BOUNDED(uint64, max_rev_data_seg_len, maxRecvDataSegment),
};
const Bounded<bool> kSwitches[] = {
    QOR_SWITCH(init_r2t, initR2T),
    QOR_SWITCH(immediate_data, immediateData),
    QOR_SWITCH(delayed_ack, delayedAck),
};

#undef QOR_BOUNDED
#undef QOR_SWITCH

template <class T>
std::string text_of(T value) {
    if constexpr (std::is_same<T, bool>::value) {
        return value ? "true" : "false";
    } else {
        return std::to_string(value);
    }
}

// Refuses a new value the adapter does not let be set, or one outside the
// adapter's own bounds (never the caller's: they come with the record).
template <class T>
void check(const Bounded<T> &p, const iScsiParms &wanted, const iScsiParms &current, const std::string &owner) {
    T value = wanted.*p.value;
    if (value == current.*p.value) return;
    if (!(current.*p.settable)) refuse(std::string(p.name) + " cannot be set on " + owner);
    if (p.min && (value < current.*p.min || value > current.*p.max)) {
        refuse(std::string(p.name) + " " + text_of(value) + " of " + owner + " is outside its bounds " +
               text_of(current.*p.min) + "-" + text_of(current.*p.max));
    }
}

template <class T>
void assign(const Bounded<T> &p, iScsiParms &current, T value) {
    current.*p.value = value;
    current.*p.changed = value != current.*p.fallback;
}

// Every parameter of `wanted` checked against `current`, then taken over;
// nothing changes unless all pass.
void apply_adapter(const iScsiParms &wanted, iScsiParms &current, const std::string &owner) {
    for (const auto &p : kNumbers) check(p, wanted, current, owner);
    for (const auto &p : kLengths) check(p, wanted, current, owner);
    for (const auto &p : kSwitches) check(p, wanted, current, owner);
    for (const auto &p : kNumbers) assign(p, current, wanted.*p.value);
    for (const auto &p : kLengths) assign(p, current, wanted.*p.value);
    for (const auto &p : kSwitches) assign(p, current, wanted.*p.value);
}

// A target takes the adapter's value of each parameter it inherits and its
// own (checked) value of the others.
template <class T>
void apply_target(const Bounded<T> &p, const iScsiParms &wanted, const iScsiParms &adapter, iScsiParms &target) {
    bool inherited = wanted.inheritance.*p.inherited;
    target.inheritance.*p.inherited = inherited;
    assign(p, target, inherited ? adapter.*p.value : wanted.*p.value);
}

iScsiParms adapter_parms(const Node &node) {
    iScsiParms parms;
    QorCtl::Sim::Fill(parms, node, "AdapterParms");
    return parms;
}

void set_target_parms(Node &node, const std::string &key, const iScsiParms &wanted) {
    iScsiParms adapter = adapter_parms(node);
    iScsiParms target = adapter;
    target.parent = node.name;
    std::string prefix = "TargetParms." + key;
    QorCtl::Sim::Fill(target, node, prefix);
    std::string owner = "target " + key;
    for (const auto &p : kNumbers) {
        if (!(wanted.inheritance.*p.inherited)) check(p, wanted, target, owner);
    }
    for (const auto &p : kLengths) {
        if (!(wanted.inheritance.*p.inherited)) check(p, wanted, target, owner);
    }
    for (const auto &p : kSwitches) {
        if (!(wanted.inheritance.*p.inherited)) check(p, wanted, target, owner);
    }
    for (const auto &p : kNumbers) apply_target(p, wanted, adapter, target);
    for (const auto &p : kLengths) apply_target(p, wanted, adapter, target);
    for (const auto &p : kSwitches) apply_target(p, wanted, adapter, target);
    target.inheritance.chap = wanted.inheritance.chap;
    target.inheritance.mutualChap = wanted.inheritance.mutualChap;
    target.inheritance.headerDigest = wanted.inheritance.headerDigest;
    target.inheritance.dataDigest = wanted.inheritance.dataDigest;
    QorCtl::Sim::Store(target, node, prefix);
}

// ---- CHAP ----------------------------------------------------------------------

std::string chap_prefix(const std::string &scope, const iScsiAuthType &type) {
    if (type.value != kAuthInitiator && type.value != kAuthMutual) {
        refuse("unknown iSCSI authentication type " + type.Text());
    }
    return scope + type.Text();
}

// Keeps the parameters; the secret must fit the lengths the adapter allows
// for that kind of CHAP ("Chap.<type>"), for itself and its targets alike.
void store_chap(Node &node, const std::string &prefix, const iScsiAuthType &type, const iScsiChapParameters &wanted) {
    iScsiChapParameters bounds;
    QorCtl::Sim::Fill(bounds, node, chap_prefix("Chap.", type));
    size_t length = wanted.challengeSecret.size();
    if (length != 0 && (length < bounds.minValueLength || length > bounds.maxValueLength)) {
        refuse("a CHAP secret of " + std::to_string(length) + " characters is outside the allowed " +
               std::to_string(bounds.minValueLength) + "-" + std::to_string(bounds.maxValueLength));
    }
    iScsiChapParameters kept = wanted;
    kept.minValueLength = bounds.minValueLength;
    kept.maxValueLength = bounds.maxValueLength;
    QorCtl::Sim::Store(kept, node, prefix);
    QorCtl::Sim::Write(node, (prefix + ".chapType").c_str(), kept.chapType.Text());
}

bool read_chap(const Node &node, const std::string &prefix, iScsiChapParameters &out) {
    QorCtl::Sim::Fill(out, node, prefix);
    return QorCtl::Sim::Read<bool>(node, (prefix + ".Enabled").c_str());
}

void enable_chap(Node &node, const std::string &prefix, const iScsiAuthType &type, const iScsiChapParameters &wanted) {
    store_chap(node, prefix, type, wanted);
    QorCtl::Sim::Write(node, (prefix + ".Enabled").c_str(), true);
}

// ---- kernel interfaces ---------------------------------------------------------

iScsiNicProperties nic(const Node &node, const std::string &vnic) {
    if (!listed(names(node, "Nics"), vnic)) refuse("kernel interface " + vnic + " is not known to " + node.name);
    iScsiNicProperties properties;
    properties.vnic = vnic;
    QorCtl::Sim::Fill(properties, node, "Nic." + vnic);
    return properties;
}

std::vector<iScsiNicProperties> nics(const Node &node, const Names &vnics) {
    std::vector<iScsiNicProperties> found;
    for (const auto &vnic : vnics) found.push_back(nic(node, vnic));
    return found;
}

// ---- counters ------------------------------------------------------------------

// Traffic of one interval between two reads: reads outnumber writes, each
// command answered, data moved in 64 KB transfers, one keep-alive each way.
void advance(HostCtl::Storage::iScsiAdapterStats &stats) {
    stats.rdCmdPdus += 10;
    stats.wrCmdPdus += 6;
    stats.cmdPdus += 16;
    stats.rspPdus += 16;
    stats.dataInPdus += 10;
    stats.dataOutPdus += 6;
    stats.rxData += 10 * 65536;
    stats.txData += 6 * 65536;
    stats.nopOutPdus += 1;
    stats.nopInPdus += 1;
}

}  // namespace

namespace QorCtl {
namespace Storage {

// ---- kernel interfaces and port binding -------------------------------------

void iScsiInterfaceImpl::GetiScsiBoundNicList(std::vector<HostCtl::Storage::iScsiNicProperties> &out) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.GetiScsiBoundNicList");
    out = nics(*node_, names(*node_, "BoundNics"));
}

// The interface's properties with its compliance, and the interfaces bound
// already, which it would share the adapter with.
void iScsiInterfaceImpl::CheckiScsiNicCompliance(HostCtl::Storage::iScsiNicProperties &checked,
                                                 std::vector<HostCtl::Storage::iScsiNicProperties> &bound) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.CheckiScsiNicCompliance");
    iScsiNicProperties found = nic(*node_, checked.vnic);
    bound = nics(*node_, names(*node_, "BoundNics"));
    checked = found;
}

// Interfaces that can still be bound.
void iScsiInterfaceImpl::GetiScsiCandidateNicList(std::vector<HostCtl::Storage::iScsiNicProperties> &out) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.GetiScsiCandidateNicList");
    Names bound = names(*node_, "BoundNics");
    Names free;
    for (const auto &vnic : names(*node_, "Nics")) {
        if (!listed(bound, vnic)) free.push_back(vnic);
    }
    out = nics(*node_, free);
}

void iScsiInterfaceImpl::GetiScsiPnicList(std::vector<HostCtl::Storage::iScsiPnpProperties> &out) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.GetiScsiPnicList");
    std::vector<HostCtl::Storage::iScsiPnpProperties> found;
    for (const auto &pnic : names(*node_, "Pnics")) {
        HostCtl::Storage::iScsiPnpProperties properties;
        properties.pnic = pnic;
        QorCtl::Sim::Fill(properties, *node_, "Pnic." + pnic);
        found.push_back(properties);
    }
    out = found;
}

void iScsiInterfaceImpl::GetiScsiVnicList(std::vector<HostCtl::Storage::iScsiLnpProperties> &out) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.GetiScsiVnicList");
    std::vector<HostCtl::Storage::iScsiLnpProperties> found;
    for (const auto &properties : nics(*node_, names(*node_, "Nics"))) {
        HostCtl::Storage::iScsiLnpProperties lnp;
        lnp.vnic = properties.vnic;
        lnp.macAddress = properties.macAddress;
        found.push_back(lnp);
    }
    out = found;
}

// Binds a known, compliant interface that is not bound yet.
int iScsiInterfaceImpl::AddiScsiBoundNic(const std::string &vnic, bool) {
    act(*node_, "iScsiInterface.AddiScsiBoundNic");
    iScsiNicProperties properties = nic(*node_, vnic);
    Names bound = names(*node_, "BoundNics");
    if (listed(bound, vnic)) refuse("kernel interface " + vnic + " is already bound to " + node_->name);
    if (properties.compliantStatus.value != kPortCompliant) {
        refuse("kernel interface " + vnic + " is not compliant for iSCSI port binding: " +
               properties.nonCompliantMessage);
    }
    bound.push_back(vnic);
    QorCtl::Sim::Write(*node_, "BoundNics", bound);
    return kOperationOk;
}

int iScsiInterfaceImpl::AddiScsiBoundNic(const std::string &vnic) { return AddiScsiBoundNic(vnic, false); }

// The last bound interface carries every session: it goes only when forced.
int iScsiInterfaceImpl::RemoveiScsiBoundNic(const std::string &vnic, bool force) {
    act(*node_, "iScsiInterface.RemoveiScsiBoundNic");
    Names bound = names(*node_, "BoundNics");
    if (!listed(bound, vnic)) refuse("kernel interface " + vnic + " is not bound to " + node_->name);
    if (bound.size() == 1 && !force && !names(*node_, kStaticTargets).empty()) {
        refuse("kernel interface " + vnic + " is the last path of " + node_->name + "'s sessions");
    }
    bound.erase(std::remove(bound.begin(), bound.end(), vnic), bound.end());
    QorCtl::Sim::Write(*node_, "BoundNics", bound);
    return kOperationOk;
}

// ---- name and alias ------------------------------------------------------------

// An iSCSI name is an "iqn.", "eui." or "naa." name without blanks.
int iScsiInterfaceImpl::SetiScsiName(const std::string &name, bool) {
    act(*node_, "iScsiInterface.SetiScsiName");
    bool typed = name.compare(0, 4, "iqn.") == 0 || name.compare(0, 4, "eui.") == 0 || name.compare(0, 4, "naa.") == 0;
    if (!typed || name.size() == 4 || name.size() > 223 || name.find_first_of(" \t") != std::string::npos) {
        refuse("'" + name + "' is not a valid iSCSI name");
    }
    QorCtl::Sim::Write(*node_, "iScsiName", name);
    return kOperationOk;
}

int iScsiInterfaceImpl::SetiScsiName(const std::string &name) { return SetiScsiName(name, false); }

int iScsiInterfaceImpl::SetiScsiAlias(const std::string &alias) {
    act(*node_, "iScsiInterface.SetiScsiAlias");
    if (alias.size() > 255) refuse("an iSCSI alias has at most 255 characters");
    QorCtl::Sim::Write(*node_, "iScsiAlias", alias);
    return kOperationOk;
}

// ---- directory and name-server discovery ---------------------------------------

int iScsiInterfaceImpl::EnableSlpDiscovery(HostCtl::Storage::SlpConfig config) {
    act(*node_, "iScsiInterface.EnableSlpDiscovery");
    QorCtl::Sim::Write(*node_, "Slp.Method", static_cast<int>(config.GetDiscoveryMethod()));
    QorCtl::Sim::Write(*node_, "Slp.Address", config.GetHostAddress().GetHostAddress());
    QorCtl::Sim::Write(*node_, "Slp.Port", config.GetPortNumber());
    QorCtl::Sim::Write(*node_, "Slp.Enabled", true);
    return kOperationOk;
}

int iScsiInterfaceImpl::DisableSlpDiscovery() {
    act(*node_, "iScsiInterface.DisableSlpDiscovery");
    QorCtl::Sim::Write(*node_, "Slp.Enabled", false);
    return kOperationOk;
}

// Fills `config` with the configuration in use, when discovery is on.
bool iScsiInterfaceImpl::HasSlpDiscovery(HostCtl::Storage::SlpConfig &config) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.HasSlpDiscovery");
    if (!QorCtl::Sim::Read<bool>(*node_, "Slp.Enabled")) return false;
    using Method = HostCtl::Storage::SlpConfig::DiscoveryMethod;
    HostCtl::Storage::SlpConfig found(static_cast<Method>(QorCtl::Sim::Read<int>(*node_, "Slp.Method")));
    std::string address = QorCtl::Sim::Read<std::string>(*node_, "Slp.Address");
    if (found.GetDiscoveryMethod() == HostCtl::Storage::SlpConfig::DISCOVERY_MANUAL && !address.empty()) {
        found.SetHostAddress(HostCtl::Network::HostAddress(address), QorCtl::Sim::Read<uint16>(*node_, "Slp.Port"));
    }
    config = found;
    return true;
}

int iScsiInterfaceImpl::EnableiSnsDiscovery(HostCtl::Storage::iSnsConfig &config) {
    act(*node_, "iScsiInterface.EnableiSnsDiscovery");
    QorCtl::Sim::Write(*node_, "Isns.Method", static_cast<int>(config.GetDiscoveryMethod()));
    QorCtl::Sim::Write(*node_, "Isns.Address", config.GetHostAddress().GetHostAddress());
    QorCtl::Sim::Write(*node_, "Isns.Enabled", true);
    return kOperationOk;
}

int iScsiInterfaceImpl::DisableiSnsDiscovery() {
    act(*node_, "iScsiInterface.DisableiSnsDiscovery");
    QorCtl::Sim::Write(*node_, "Isns.Enabled", false);
    return kOperationOk;
}

// Forgets the name server `config` names, which must be the one in use.
int iScsiInterfaceImpl::RemoveiSnsDiscovery(HostCtl::Storage::iSnsConfig &config) {
    act(*node_, "iScsiInterface.RemoveiSnsDiscovery");
    std::string address = config.GetHostAddress().GetHostAddress();
    if (address != QorCtl::Sim::Read<std::string>(*node_, "Isns.Address")) {
        refuse("name server '" + address + "' is not configured on " + node_->name);
    }
    erase_prefixed(*node_, "Isns.");
    return kOperationOk;
}

bool iScsiInterfaceImpl::HasiSnsDiscovery(HostCtl::Storage::iSnsConfig &config) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.HasiSnsDiscovery");
    if (!QorCtl::Sim::Read<bool>(*node_, "Isns.Enabled")) return false;
    using Method = HostCtl::Storage::iSnsConfig::DiscoveryMethod;
    HostCtl::Storage::iSnsConfig found(static_cast<Method>(QorCtl::Sim::Read<int>(*node_, "Isns.Method")));
    std::string address = QorCtl::Sim::Read<std::string>(*node_, "Isns.Address");
    if (!address.empty()) found.SetHostAddress(HostCtl::Network::HostAddress(address));
    config = found;
    return true;
}

// ---- static and send-targets discovery -------------------------------------------

int iScsiInterfaceImpl::EnableStaticDiscovery() {
    act(*node_, "iScsiInterface.EnableStaticDiscovery");
    QorCtl::Sim::Write(*node_, "StaticDiscovery", true);
    return kOperationOk;
}

int iScsiInterfaceImpl::DisableStaticDiscovery() {
    act(*node_, "iScsiInterface.DisableStaticDiscovery");
    QorCtl::Sim::Write(*node_, "StaticDiscovery", false);
    return kOperationOk;
}

bool iScsiInterfaceImpl::HasStaticDiscovery() {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.HasStaticDiscovery");
    return QorCtl::Sim::Read<bool>(*node_, "StaticDiscovery");
}

int iScsiInterfaceImpl::AddStaticDiscoveryTarget(HostCtl::Storage::StaticTarget target) {
    act(*node_, "iScsiInterface.AddStaticDiscoveryTarget");
    std::string key = target_key(target);
    Names targets = names(*node_, kStaticTargets);
    if (listed(targets, key)) refuse("iSCSI target " + key + " is already configured on " + node_->name);
    targets.push_back(key);
    QorCtl::Sim::Write(*node_, kStaticTargets, targets);
    QorCtl::Sim::Write(*node_, ("Target." + key + ".Method").c_str(), static_cast<int>(target.GetDiscoveryMethod()));
    return kOperationOk;
}

int iScsiInterfaceImpl::RemoveStaticDiscoveryTarget(HostCtl::Storage::StaticTarget target) {
    act(*node_, "iScsiInterface.RemoveStaticDiscoveryTarget");
    forget_target(*node_, known_target(*node_, target));
    return kOperationOk;
}

int iScsiInterfaceImpl::EnableSendTargetsDiscovery() {
    act(*node_, "iScsiInterface.EnableSendTargetsDiscovery");
    QorCtl::Sim::Write(*node_, "SendTargetsDiscovery", true);
    return kOperationOk;
}

int iScsiInterfaceImpl::DisableSendTargetsDiscovery() {
    act(*node_, "iScsiInterface.DisableSendTargetsDiscovery");
    QorCtl::Sim::Write(*node_, "SendTargetsDiscovery", false);
    return kOperationOk;
}

bool iScsiInterfaceImpl::HasSendTargetsDiscovery() {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.HasSendTargetsDiscovery");
    return QorCtl::Sim::Read<bool>(*node_, "SendTargetsDiscovery");
}

int iScsiInterfaceImpl::AddSendTargetsDiscoveryAddress(HostCtl::Storage::TargetAddress address) {
    act(*node_, "iScsiInterface.AddSendTargetsDiscoveryAddress");
    std::string key = address.Text();
    Names servers = names(*node_, kSendTargets);
    if (listed(servers, key)) refuse("send-targets address " + key + " is already configured on " + node_->name);
    servers.push_back(key);
    QorCtl::Sim::Write(*node_, kSendTargets, servers);
    return kOperationOk;
}

// The targets a server reported go with it; while there are any, only when
// forced.
int iScsiInterfaceImpl::RemoveSendTargetsDiscoveryAddress(HostCtl::Storage::TargetAddress &address, bool force) {
    act(*node_, "iScsiInterface.RemoveSendTargetsDiscoveryAddress");
    std::string key = known_server(*node_, address);
    Names reported = targets_from(*node_, key);
    if (!reported.empty() && !force) {
        refuse("send-targets address " + key + " still has " + std::to_string(reported.size()) +
               " discovered targets on " + node_->name);
    }
    for (const auto &target : reported) forget_target(*node_, target);
    Names servers = names(*node_, kSendTargets);
    servers.erase(std::remove(servers.begin(), servers.end(), key), servers.end());
    QorCtl::Sim::Write(*node_, kSendTargets, servers);
    erase_prefixed(*node_, "TargetParms." + key + ".");
    erase_prefixed(*node_, "TargetChap." + key + ".");
    return kOperationOk;
}

int iScsiInterfaceImpl::RemoveSendTargetsDiscoveryAddress(HostCtl::Storage::TargetAddress &address) {
    return RemoveSendTargetsDiscoveryAddress(address, false);
}

void iScsiInterfaceImpl::RemoveAllStaticDiscoveryTargets() {
    act(*node_, "iScsiInterface.RemoveAllStaticDiscoveryTargets");
    for (const auto &key : names(*node_, kStaticTargets)) forget_target(*node_, key);
}

void iScsiInterfaceImpl::RemoveAllSendtargetsDiscoveryAddresses() {
    act(*node_, "iScsiInterface.RemoveAllSendtargetsDiscoveryAddresses");
    for (const auto &server : names(*node_, kSendTargets)) {
        TargetAddress address(server);
        RemoveSendTargetsDiscoveryAddress(address, true);
    }
}

// ---- the adapter's own network settings ----------------------------------------

HostCtl::Storage::iScsiNetworkProperties iScsiInterfaceImpl::GetNetworkProperties() {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.GetNetworkProperties");
    HostCtl::Storage::iScsiNetworkProperties properties;
    QorCtl::Sim::Fill(properties, *node_, "NetworkProperties");
    std::string address = QorCtl::Sim::Read<std::string>(*node_, "NetworkProperties.address");
    std::string netmask = QorCtl::Sim::Read<std::string>(*node_, "NetworkProperties.netmask");
    if (!address.empty()) properties.ipConfig.SetIpv4Address(HostCtl::Network::Ipv4Address(address));
    if (!netmask.empty()) properties.ipConfig.SetIpv4Netmask(HostCtl::Network::Ipv4Address(netmask));
    properties.ipConfig.SetIpv4Gateway(properties.gateway);
    properties.ipConfig.SetUseDhcp(properties.useDhcpv4);
    return properties;
}

int iScsiInterfaceImpl::SetIpConfig(HostCtl::Network::IpConfig config) {
    act(*node_, "iScsiInterface.SetIpConfig");
    QorCtl::Sim::Write(*node_, "NetworkProperties.useDhcpv4", config.GetUseDhcp());
    QorCtl::Sim::Write(*node_, "NetworkProperties.address", config.GetIpv4Address().GetStringAddress());
    QorCtl::Sim::Write(*node_, "NetworkProperties.netmask", config.GetIpv4Netmask().GetStringAddress());
    QorCtl::Sim::Write(*node_, "NetworkProperties.gateway", config.GetIpv4Gateway().GetStringAddress());
    return kOperationOk;
}

int iScsiInterfaceImpl::SetIpv4Address(const std::string &address) {
    act(*node_, "iScsiInterface.SetIpv4Address");
    HostCtl::Network::Ipv4Address parsed(address);
    QorCtl::Sim::Write(*node_, "NetworkProperties.address", parsed.GetStringAddress());
    return kOperationOk;
}

int iScsiInterfaceImpl::SetIpv4Netmask(const std::string &netmask) {
    act(*node_, "iScsiInterface.SetIpv4Netmask");
    HostCtl::Network::Ipv4Address parsed(netmask);
    if (!parsed.IsValidNetmask()) refuse("'" + netmask + "' is not a netmask");
    QorCtl::Sim::Write(*node_, "NetworkProperties.netmask", parsed.GetStringAddress());
    return kOperationOk;
}

int iScsiInterfaceImpl::SetGateway(const HostCtl::Network::Ipv4Address &gateway) {
    act(*node_, "iScsiInterface.SetGateway");
    QorCtl::Sim::Write(*node_, "NetworkProperties.gateway", gateway.GetStringAddress());
    return kOperationOk;
}

int iScsiInterfaceImpl::SetGateway6(const std::string &gateway) {
    act(*node_, "iScsiInterface.SetGateway6");
    HostCtl::Network::Ipv6Address parsed(gateway);
    QorCtl::Sim::Write(*node_, "NetworkProperties.gateway6", parsed.GetStringAddress());
    return kOperationOk;
}

int iScsiInterfaceImpl::SetDnsServer(const std::string &primary, const std::string &secondary) {
    act(*node_, "iScsiInterface.SetDnsServer");
    QorCtl::Sim::Write(*node_, "NetworkProperties.primaryDns", primary);
    QorCtl::Sim::Write(*node_, "NetworkProperties.secondaryDns", secondary);
    return kOperationOk;
}

int iScsiInterfaceImpl::EnableDhcpv4(bool enable) {
    act(*node_, "iScsiInterface.EnableDhcpv4");
    QorCtl::Sim::Write(*node_, "NetworkProperties.useDhcpv4", enable);
    return kOperationOk;
}

// ---- CHAP ------------------------------------------------------------------------

int iScsiInterfaceImpl::SetChapAuthorization(HostCtl::Storage::iScsiChapParameters chap,
                                             HostCtl::Storage::iScsiAuthType type) {
    act(*node_, "iScsiInterface.SetChapAuthorization");
    store_chap(*node_, chap_prefix("Chap.", type), type, chap);
    return kOperationOk;
}

int iScsiInterfaceImpl::SetChapAuthorization(HostCtl::Storage::iScsiChapParameters chap) {
    return SetChapAuthorization(chap, iScsiAuthType(kAuthInitiator));
}

int iScsiInterfaceImpl::SetStaticTargetChapAuthorization(HostCtl::Storage::StaticTarget target,
                                                         HostCtl::Storage::iScsiChapParameters chap,
                                                         HostCtl::Storage::iScsiAuthType type) {
    act(*node_, "iScsiInterface.SetStaticTargetChapAuthorization");
    store_chap(*node_, chap_prefix("TargetChap." + known_target(*node_, target) + ".", type), type, chap);
    return kOperationOk;
}

int iScsiInterfaceImpl::SetSendTargetChapAuthorization(HostCtl::Storage::TargetAddress address,
                                                       HostCtl::Storage::iScsiChapParameters chap,
                                                       HostCtl::Storage::iScsiAuthType type) {
    act(*node_, "iScsiInterface.SetSendTargetChapAuthorization");
    store_chap(*node_, chap_prefix("TargetChap." + known_server(*node_, address) + ".", type), type, chap);
    return kOperationOk;
}

int iScsiInterfaceImpl::EnableChapAuthorization(HostCtl::Storage::iScsiChapParameters chap,
                                                HostCtl::Storage::iScsiAuthType type) {
    act(*node_, "iScsiInterface.EnableChapAuthorization");
    enable_chap(*node_, chap_prefix("Chap.", type), type, chap);
    return kOperationOk;
}

int iScsiInterfaceImpl::EnableChapAuthorization(HostCtl::Storage::iScsiChapParameters chap) {
    return EnableChapAuthorization(chap, iScsiAuthType(kAuthInitiator));
}

int iScsiInterfaceImpl::EnableStaticTargetChapAuthorization(HostCtl::Storage::StaticTarget target,
                                                            HostCtl::Storage::iScsiChapParameters chap,
                                                            HostCtl::Storage::iScsiAuthType type) {
    act(*node_, "iScsiInterface.EnableStaticTargetChapAuthorization");
    enable_chap(*node_, chap_prefix("TargetChap." + known_target(*node_, target) + ".", type), type, chap);
    return kOperationOk;
}

int iScsiInterfaceImpl::EnableSendTargetChapAuthorization(HostCtl::Storage::TargetAddress address,
                                                          HostCtl::Storage::iScsiChapParameters chap,
                                                          HostCtl::Storage::iScsiAuthType type) {
    act(*node_, "iScsiInterface.EnableSendTargetChapAuthorization");
    enable_chap(*node_, chap_prefix("TargetChap." + known_server(*node_, address) + ".", type), type, chap);
    return kOperationOk;
}

int iScsiInterfaceImpl::DisableChapAuthorization(HostCtl::Storage::iScsiAuthType type) {
    act(*node_, "iScsiInterface.DisableChapAuthorization");
    QorCtl::Sim::Write(*node_, (chap_prefix("Chap.", type) + ".Enabled").c_str(), false);
    return kOperationOk;
}

int iScsiInterfaceImpl::DisableChapAuthorization() { return DisableChapAuthorization(iScsiAuthType(kAuthInitiator)); }

int iScsiInterfaceImpl::DisableStaticTargetChapAuthorization(HostCtl::Storage::StaticTarget target,
                                                             HostCtl::Storage::iScsiAuthType type) {
    act(*node_, "iScsiInterface.DisableStaticTargetChapAuthorization");
    std::string prefix = chap_prefix("TargetChap." + known_target(*node_, target) + ".", type);
    QorCtl::Sim::Write(*node_, (prefix + ".Enabled").c_str(), false);
    return kOperationOk;
}

int iScsiInterfaceImpl::DisableSendTargetChapAuthorization(HostCtl::Storage::TargetAddress address,
                                                           HostCtl::Storage::iScsiAuthType type) {
    act(*node_, "iScsiInterface.DisableSendTargetChapAuthorization");
    std::string prefix = chap_prefix("TargetChap." + known_server(*node_, address) + ".", type);
    QorCtl::Sim::Write(*node_, (prefix + ".Enabled").c_str(), false);
    return kOperationOk;
}

bool iScsiInterfaceImpl::HasChapAuthorization(HostCtl::Storage::iScsiChapParameters &chap,
                                              HostCtl::Storage::iScsiAuthType type) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.HasChapAuthorization");
    return read_chap(*node_, chap_prefix("Chap.", type), chap);
}

bool iScsiInterfaceImpl::HasChapAuthorization(HostCtl::Storage::iScsiChapParameters &chap) {
    return HasChapAuthorization(chap, iScsiAuthType(kAuthInitiator));
}

bool iScsiInterfaceImpl::HasStaticTargetChapAuthorization(HostCtl::Storage::StaticTarget target,
                                                          HostCtl::Storage::iScsiChapParameters &chap,
                                                          HostCtl::Storage::iScsiAuthType type) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.HasStaticTargetChapAuthorization");
    return read_chap(*node_, chap_prefix("TargetChap." + known_target(*node_, target) + ".", type), chap);
}

bool iScsiInterfaceImpl::HasSendTargetChapAuthorization(HostCtl::Storage::TargetAddress address,
                                                        HostCtl::Storage::iScsiChapParameters &chap,
                                                        HostCtl::Storage::iScsiAuthType type) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.HasSendTargetChapAuthorization");
    return read_chap(*node_, chap_prefix("TargetChap." + known_server(*node_, address) + ".", type), chap);
}

HostCtl::Storage::iScsiChapParameters iScsiInterfaceImpl::TvolGetAdapterChapInternal(
    HostCtl::Storage::iScsiAuthType type) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.TvolGetAdapterChapInternal");
    iScsiChapParameters chap;
    read_chap(*node_, chap_prefix("Chap.", type), chap);
    return chap;
}

// ---- digests, frame size and parameters --------------------------------------------

namespace {

void write_digest(Node &node, const char *operation, const char *key, const HostCtl::Storage::iScsiDigestType &digest) {
    act(node, operation);
    if (digest.value < kDigestFirst || digest.value > kDigestLast) refuse("unknown iSCSI digest " + digest.Text());
    QorCtl::Sim::Write(node, key, digest.Text());
}

}  // namespace

int iScsiInterfaceImpl::SetHeaderDigest(HostCtl::Storage::iScsiDigestType digest) {
    write_digest(*node_, "iScsiInterface.SetHeaderDigest", "HeaderDigest", digest);
    return kOperationOk;
}

int iScsiInterfaceImpl::SetDataDigest(HostCtl::Storage::iScsiDigestType digest) {
    write_digest(*node_, "iScsiInterface.SetDataDigest", "DataDigest", digest);
    return kOperationOk;
}

int iScsiInterfaceImpl::SetMtu(int mtu) {
    act(*node_, "iScsiInterface.SetMtu");
    if (mtu < kMtuLowest || mtu > kMtuHighest) {
        refuse("MTU " + std::to_string(mtu) + " is outside " + std::to_string(kMtuLowest) + "-" +
               std::to_string(kMtuHighest));
    }
    QorCtl::Sim::Write(*node_, "Mtu", mtu);
    return kOperationOk;
}

int iScsiInterfaceImpl::SetAdapterParms(HostCtl::Storage::iScsiParms parms) {
    act(*node_, "iScsiInterface.SetAdapterParms");
    iScsiParms current = adapter_parms(*node_);
    apply_adapter(parms, current, node_->name);
    QorCtl::Sim::Store(current, *node_, "AdapterParms");
    return kOperationOk;
}

void iScsiInterfaceImpl::SetTargetParms(HostCtl::Storage::StaticTarget target, HostCtl::Storage::iScsiParms parms) {
    act(*node_, "iScsiInterface.SetTargetParms");
    set_target_parms(*node_, known_target(*node_, target), parms);
}

void iScsiInterfaceImpl::SetTargetParms(HostCtl::Storage::TargetAddress address, HostCtl::Storage::iScsiParms parms) {
    act(*node_, "iScsiInterface.SetTargetParms");
    set_target_parms(*node_, known_server(*node_, address), parms);
}

// The library reads a target's parameters into its own state; only a target
// it does not know is a failure the caller sees.
void iScsiInterfaceImpl::GetTargetParms(HostCtl::Storage::StaticTarget target) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.GetTargetParms");
    known_target(*node_, target);
}

void iScsiInterfaceImpl::GetTargetParms(HostCtl::Storage::TargetAddress address) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.GetTargetParms");
    known_server(*node_, address);
}

// ---- paths and counters ------------------------------------------------------------

// The kernel interface a path of this adapter leaves through ("PathVnic.<path>").
void iScsiInterfaceImpl::GetVnicForPath(HostCtl::Storage::ScsiPath *path, std::string &vnic) {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.GetVnicForPath");
    if (!path) refuse("no path given");
    std::string name = path->GetName();
    std::string found = QorCtl::Sim::Read<std::string>(*node_, QorCtl::Sim::Indexed("PathVnic", name).c_str());
    if (found.empty()) refuse("path " + name + " does not belong to " + node_->name);
    vnic = found;
}

HostCtl::Storage::iScsiAdapterStats iScsiInterfaceImpl::GetAdapterStats() {
    QorCtl::Sim::Enter(*node_, "iScsiInterface.GetAdapterStats");
    HostCtl::Storage::iScsiAdapterStats stats;
    QorCtl::Sim::Fill(stats, *node_, "AdapterStats");
    HostCtl::Storage::iScsiAdapterStats next = stats;
    if (stats.statsEnabled) advance(next);
    QorCtl::Sim::Store(next, *node_, "AdapterStats");
    return stats;
}

}  // namespace Storage
}  // namespace QorCtl

namespace HostCtl {
namespace Storage {

void iScsiNicProperties::ClearProperties() { *this = iScsiNicProperties(); }

}  // namespace Storage
}  // namespace HostCtl
