// Generated: library declarations.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>
#include "hostctl/core.h"
#include "hostctl/sim.h"

namespace HostCtl::Lib {
class HostCtlObject;
}
namespace HostCtl::Widgets {
enum Colour : int;
}
namespace HostCtl::Widgets {
class Size;
}
namespace HostCtl::Widgets {
class Widget;
}
namespace QorCtl::Lib {
class QorCtlObject;
}
namespace HostCtl::Widgets {
typedef std::unique_ptr< HostCtl::Widgets::Widget > WidgetPtr;
}

namespace HostCtl::Widgets {
enum Colour : int { COLOUR_RED = 0, COLOUR_BLUE = 4 };
}

namespace HostCtl::Widgets {
class Size {
public:
    Size() = default;
    explicit Size(uint32, uint32);
    uint32 width{};
    uint32 height{};
    char label[8]{};
};
}  // namespace HostCtl::Widgets

namespace QorCtl::Sim {
void Fill(HostCtl::Widgets::Size &record, const Node &node, const std::string &key);
void Store(const HostCtl::Widgets::Size &record, Node &node, const std::string &key);
}

namespace HostCtl::Widgets {
class Widget : public virtual HostCtl::Lib::HostCtlObject {
public:
    ~Widget() override = default;
    virtual std::string GetName() const = 0;
    virtual HostCtl::Widgets::Size GetSize() = 0;
    virtual void Resize(HostCtl::Widgets::Size const &, bool) = 0;
    virtual HostCtl::Widgets::Colour GetColour() = 0;
    virtual void SetColour(HostCtl::Widgets::Colour) = 0;
    virtual void SetColour(std::string const &) = 0;
    virtual std::vector< std::string,std::allocator< std::string > > ListParts() = 0;
    static bool IsKnownKind(std::string const &);
};
}  // namespace HostCtl::Widgets

namespace QorCtl::Widgets {
class WidgetImpl : public HostCtl::Widgets::Widget, public QorCtl::Lib::QorCtlObject {
public:
    explicit WidgetImpl(QorCtl::Sim::NodeRef node);
    explicit WidgetImpl(std::string const &);
    std::string GetName() const override;
    HostCtl::Widgets::Size GetSize() override;
    void Resize(HostCtl::Widgets::Size const &, bool) override;
    HostCtl::Widgets::Colour GetColour() override;
    void SetColour(HostCtl::Widgets::Colour) override;
    void SetColour(std::string const &) override;
    std::vector< std::string,std::allocator< std::string > > ListParts() override;
    void Refresh();

protected:
    QorCtl::Sim::NodeRef node_;
};
}  // namespace QorCtl::Widgets

namespace HostCtl::Widgets {
std::unique_ptr< HostCtl::Widgets::Widget > FindWidget(std::string const &);
}
namespace HostCtl::Widgets {
extern HostCtl::Widgets::Size DEFAULT_SIZE;
}  // namespace HostCtl::Widgets
namespace HostCtl::Widgets {
struct WidgetImpl {
    static uint32 const LIMIT;
};
}  // namespace HostCtl::Widgets

