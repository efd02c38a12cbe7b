// Generated: behaviour of the library's classes over the simulated host.
#include "hostctl/sim.h"
#include "hostctl/widgets.h"

void QorCtl::Sim::Fill(HostCtl::Widgets::Size &record, const Node &node, const std::string &key) {
    Fill(record.width, node, key + ".width");
    Fill(record.height, node, key + ".height");
}

void QorCtl::Sim::Store(const HostCtl::Widgets::Size &record, Node &node, const std::string &key) {
    Write(node, (key + ".width").c_str(), record.width);
    Write(node, (key + ".height").c_str(), record.height);
}

HostCtl::Widgets::Size::Size(uint32 p1, uint32 p2) : width(p1), height(p2) {}

bool HostCtl::Widgets::Widget::IsKnownKind(std::string const & p1) {
    QorCtl::Sim::Node &node = *QorCtl::Sim::FindOrAdd("Widget", "");
    QorCtl::Sim::Enter(node, "Widget.IsKnownKind");
    return QorCtl::Sim::Read<bool>(node, QorCtl::Sim::Indexed("KnownKind", p1).c_str());
}

QorCtl::Widgets::WidgetImpl::WidgetImpl(QorCtl::Sim::NodeRef node) : node_(std::move(node)) {}

QorCtl::Widgets::WidgetImpl::WidgetImpl(std::string const & p1) : WidgetImpl(QorCtl::Sim::Open("Widget", p1)) {}

std::string QorCtl::Widgets::WidgetImpl::GetName() const {
    QorCtl::Sim::Enter(*node_, "Widget.GetName");
    return QorCtl::Sim::Read<std::string>(*node_, "Name");
}

HostCtl::Widgets::Size QorCtl::Widgets::WidgetImpl::GetSize() {
    QorCtl::Sim::Enter(*node_, "Widget.GetSize");
    HostCtl::Widgets::Size value{};
    QorCtl::Sim::Fill(value, *node_, "Size");
    return value;
}

void QorCtl::Widgets::WidgetImpl::Resize(HostCtl::Widgets::Size const & p1, bool p2) {
    QorCtl::Sim::Enter(*node_, "Widget.Resize");
    QorCtl::Sim::Record(*node_, "Widget.Resize");
}

HostCtl::Widgets::Colour QorCtl::Widgets::WidgetImpl::GetColour() {
    QorCtl::Sim::Enter(*node_, "Widget.GetColour");
    return QorCtl::Sim::Read<HostCtl::Widgets::Colour>(*node_, "Colour");
}

void QorCtl::Widgets::WidgetImpl::SetColour(HostCtl::Widgets::Colour p1) {
    QorCtl::Sim::Enter(*node_, "Widget.SetColour");
    QorCtl::Sim::Write(*node_, "Colour", p1);
}

void QorCtl::Widgets::WidgetImpl::SetColour(std::string const & p1) {
    QorCtl::Sim::Enter(*node_, "Widget.SetColour");
    QorCtl::Sim::Write(*node_, "Colour", p1);
}

std::vector< std::string,std::allocator< std::string > > QorCtl::Widgets::WidgetImpl::ListParts() {
    QorCtl::Sim::Enter(*node_, "Widget.ListParts");
    QorCtl::Sim::Record(*node_, "Widget.ListParts");
    return QorCtl::Sim::Read<std::vector< std::string,std::allocator< std::string > >>(*node_, "ListParts");
}

void QorCtl::Widgets::WidgetImpl::Refresh() {
    QorCtl::Sim::Enter(*node_, "Widget.Refresh");
    QorCtl::Sim::Record(*node_, "Widget.Refresh");
}

std::unique_ptr< HostCtl::Widgets::Widget > HostCtl::Widgets::FindWidget(std::string const & p1) {
    QorCtl::Sim::Node &node = *QorCtl::Sim::FindOrAdd("", "");
    QorCtl::Sim::Enter(node, "FindWidget");
    QorCtl::Sim::Record(node, "FindWidget");
    QorCtl::Sim::NodeRef child = QorCtl::Sim::Lookup("Widget", p1);
    if (!child) QorCtl::Sim::NotFound("Widget", p1);
    return std::unique_ptr< HostCtl::Widgets::Widget >(new QorCtl::Widgets::WidgetImpl(child));
}

