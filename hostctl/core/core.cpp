#include "hostctl/core.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "hostctl/sim.h"

namespace {

// The information lines logged so far, kept where tests can read them.
std::string g_info_log;

}  // namespace

extern "C" void QorCtl_LogInfoInt(const char *format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list measure;
    va_copy(measure, arguments);
    int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length > 0) {
        std::vector<char> line(static_cast<size_t>(length) + 1);
        std::vsnprintf(line.data(), line.size(), format, arguments);
        g_info_log.append(line.data(), static_cast<size_t>(length));
    }
    va_end(arguments);
}

// The simulation's view of the information log: everything logged since the
// last clear.
extern "C" const char *QorCtlSim_InfoLog() { return g_info_log.c_str(); }
extern "C" void QorCtlSim_ClearInfoLog() { g_info_log.clear(); }

namespace HostCtl {
namespace Lib {

VobMessage::VobMessage(std::string detail) : detail_(std::make_shared<const std::string>(std::move(detail))) {}

std::string HostCtlException::GetDetailedMessage() const {
    const std::string *detail = vobMessage.Detail();
    return detail ? message + " (" + *detail + ")" : message;
}

}  // namespace Lib
}  // namespace HostCtl

namespace QorCtl {
namespace Lib {
namespace {

long g_live_objects = 0;

}  // namespace

long LiveObjects() { return g_live_objects; }

QorCtlObject::QorCtlObject() { ++g_live_objects; }
QorCtlObject::QorCtlObject(const QorCtlObject &) : HostCtl::Lib::HostCtlObject() { ++g_live_objects; }
QorCtlObject::~QorCtlObject() { --g_live_objects; }

void QorCtlObject::Print(ObjectPrinter *) {}

void QorCtlObject::Init() { Sim::Sync(); }

const std::string &QorCtlObject::GetConfigFileName() {
    static const std::string name = "/etc/qorctl/qorctl.conf";
    return name;
}

}  // namespace Lib

namespace {

Sim::Node &entry_node(const char *kind) { return *Sim::FindOrAdd(kind, ""); }

}  // namespace

void HostImpl::Print(Lib::ObjectPrinter *) { Sim::Enter(entry_node("HostImpl"), "HostImpl.Print"); }

void HostImpl::LoadQorCtlPlugins() {
    Sim::Node &node = entry_node("HostImpl");
    Sim::Enter(node, "HostImpl.LoadQorCtlPlugins");
    Sim::Record(node, "HostImpl.LoadQorCtlPlugins");
}

}  // namespace QorCtl

namespace HostCtl {

void Host::PrepareForExit() { QorCtl::Sim::Record(QorCtl::entry_node("Host"), "Host.PrepareForExit"); }

HostPtr HostFactory::GetHost() {
    QorCtl::Sim::Sync();
    QorCtl::Sim::Enter(QorCtl::entry_node("HostFactory"), "HostFactory.GetHost");
    static Host host;
    return &host;
}

}  // namespace HostCtl
