// Hand-written behaviour of the system area's stand-in: services that start
// and stop, kernel modules that load and unload, look-ups by name and the
// user variables (each the property "UserVar.<name>" of the system node).
#include "hostctl/network/values.h"  // by-value members of the system records
#include "hostctl/sim.h"
#include "hostctl/system/opaque.h"  // by-value members of the system records
#include "hostctl/system/functions.h"
#include "hostctl/system/objects.h"

namespace {

using QorCtl::Sim::Node;

// Starting, stopping or restarting a service: the node's running state
// follows, the action is recorded and the outcome told through `message`.
int change_service(Node &node, const char *operation, bool running, std::string *message) {
    QorCtl::Sim::Enter(node, operation);
    QorCtl::Sim::Record(node, operation);
    QorCtl::Sim::Write(node, "Running", running);
    if (message) *message = node.name + (running ? " is running" : " is stopped");
    return 0;
}

void change_module(Node &node, const char *operation, bool loaded) {
    QorCtl::Sim::Enter(node, operation);
    QorCtl::Sim::Record(node, operation);
    QorCtl::Sim::Write(node, "Loaded", loaded);
}

// The node of that kind and name, or the library's not-found failure.
QorCtl::Sim::NodeRef named(const char *kind, const std::string &name) {
    QorCtl::Sim::NodeRef child = QorCtl::Sim::Find(kind, name);
    if (!child) QorCtl::Sim::NotFound(kind, name);
    return child;
}

}  // namespace

namespace QorCtl {
namespace System {

int ServiceAgentImpl::StartService(std::string *message) {
    return change_service(*node_, "ServiceAgent.StartService", true, message);
}

int ServiceAgentImpl::StopService(std::string *message) {
    return change_service(*node_, "ServiceAgent.StopService", false, message);
}

int ServiceAgentImpl::RestartService(std::string *message) {
    return change_service(*node_, "ServiceAgent.RestartService", true, message);
}

void ModuleImpl::Load(const std::string &, bool) { change_module(*node_, "Module.Load", true); }
void ModuleImpl::Load(const std::string &) { change_module(*node_, "Module.Load", true); }
void ModuleImpl::Load() { change_module(*node_, "Module.Load", true); }
void ModuleImpl::Unload() { change_module(*node_, "Module.Unload", false); }

std::unique_ptr<HostCtl::System::Module> SystemInfoImpl::GetModuleByName(const std::string &name, bool) {
    QorCtl::Sim::Enter(*node_, "SystemInfo.GetModuleByName");
    return std::unique_ptr<HostCtl::System::Module>(new ModuleImpl(named("Module", name)));
}

std::unique_ptr<HostCtl::System::Module> SystemInfoImpl::GetModuleByName(const std::string &name) {
    return GetModuleByName(name, false);
}

std::unique_ptr<HostCtl::System::ServiceAgent> SystemInfoImpl::GetServiceAgent(const std::string &name,
                                                                              const std::string &) {
    QorCtl::Sim::Enter(*node_, "SystemInfo.GetServiceAgent");
    return std::unique_ptr<HostCtl::System::ServiceAgent>(new ServiceAgentImpl(named("ServiceAgent", name)));
}

// Every source reports the one version the host runs ("QorVersion.<field>").
HostCtl::System::QorVersionInfo SystemInfoImpl::GetQorVersion(HostCtl::System::QorVersionSource) const {
    QorCtl::Sim::Enter(*node_, "SystemInfo.GetQorVersion");
    HostCtl::System::QorVersionInfo version;
    QorCtl::Sim::Fill(version, *node_, "QorVersion");
    return version;
}

bool SystemInfoImpl::HasUserVar(const std::string &name) {
    QorCtl::Sim::Enter(*node_, "SystemInfo.HasUserVar");
    return node_->properties.count(QorCtl::Sim::Indexed("UserVar", name)) != 0;
}

std::string SystemInfoImpl::GetUserVar(const std::string &name) {
    QorCtl::Sim::Enter(*node_, "SystemInfo.GetUserVar");
    auto found = node_->properties.find(QorCtl::Sim::Indexed("UserVar", name));
    if (found == node_->properties.end()) throw HostCtl::Lib::HostCtlException("User variable " + name + " is not set");
    return found->second;
}

void SystemInfoImpl::SetUserVar(const std::string &name, const std::string &value) {
    QorCtl::Sim::Enter(*node_, "SystemInfo.SetUserVar");
    QorCtl::Sim::Write(*node_, QorCtl::Sim::Indexed("UserVar", name).c_str(), value);
}

void SystemInfoImpl::DelUserVar(const std::string &name) {
    QorCtl::Sim::Enter(*node_, "SystemInfo.DelUserVar");
    node_->properties.erase(QorCtl::Sim::Indexed("UserVar", name));
}

}  // namespace System
}  // namespace QorCtl

HostCtl::System::ServiceAgentPtr HostCtl::System::GetServiceAgent(const std::string &name, const std::string &) {
    QorCtl::Sim::Enter(*QorCtl::Sim::FindOrAdd("", ""), "GetServiceAgent");
    return ServiceAgentPtr(new QorCtl::System::ServiceAgentImpl(named("ServiceAgent", name)));
}
