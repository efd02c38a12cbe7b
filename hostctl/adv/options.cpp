// The advanced-options tree over the simulated host. Each option is a node of
// kind "AdvancedIntegerOption" or "AdvancedStringOption" named by its path
// ("/Net/TcpHeapSize"); branches are not stored but follow from the paths, so
// a model lists only its options.
#include <algorithm>
#include <set>

#include "hostctl/adv/options.h"
#include "hostctl/core.h"
#include "hostctl/sim.h"
#include "hostctl/storage/functions.h"

namespace QorCtl {
namespace Adv {
namespace {

const char kIntegerKind[] = "AdvancedIntegerOption";
const char kStringKind[] = "AdvancedStringOption";
// The option types GetType answers (AdvancedOption_ADV_OPTION_INT_TYPE and _STRING_TYPE).
const int kIntegerType = 0;
const int kStringType = 1;

// "/Net/TcpHeapSize" for the branch "Net" (or "/Net/", or the components
// {"Net"}) and the name.
std::string option_path(const std::string &branch, const std::string &name) {
    size_t first = branch.find_first_not_of('/');
    std::string trimmed = first == std::string::npos ? std::string() : branch.substr(first);
    while (!trimmed.empty() && trimmed.back() == '/') trimmed.pop_back();
    return "/" + (trimmed.empty() ? std::string() : trimmed + "/") + name;
}

std::string option_path(const std::vector<std::string> &branch, const std::string &name) {
    std::string joined;
    for (const auto &part : branch) joined += (joined.empty() ? "" : "/") + part;
    return option_path(joined, name);
}

// The branch of an option path: "/Net/TcpHeapSize" -> "Net", "/Top" -> "".
std::string branch_of(const std::string &path) {
    size_t last = path.rfind('/');
    return last == std::string::npos || last == 0 ? std::string() : path.substr(1, last - 1);
}

std::string last_part(const std::string &path) { return path.substr(path.rfind('/') + 1); }

std::unique_ptr<HostCtl::Adv::AdvancedOption> make_option(const Sim::NodeRef &node) {
    if (node->kind == kIntegerKind) return std::unique_ptr<HostCtl::Adv::AdvancedOption>(new AdvancedIntegerOptionImpl(node));
    return std::unique_ptr<HostCtl::Adv::AdvancedOption>(new AdvancedStringOptionImpl(node));
}

// Every option node, ordered by path.
std::vector<Sim::NodeRef> all_options() {
    Sim::Sync();
    std::vector<Sim::NodeRef> nodes = Sim::All(kIntegerKind);
    for (const auto &node : Sim::All(kStringKind)) nodes.push_back(node);
    std::sort(nodes.begin(), nodes.end(), [](const Sim::NodeRef &a, const Sim::NodeRef &b) { return a->name < b->name; });
    return nodes;
}

Sim::NodeRef find_option(const std::string &path) {
    for (const auto &node : all_options()) {
        if (node->name == path) return node;
    }
    return nullptr;
}

// The branches directly below `branch`, by name.
std::set<std::string> child_branches(const std::string &branch) {
    std::string prefix = branch.empty() ? std::string() : branch + "/";
    std::set<std::string> names;
    for (const auto &node : all_options()) {
        std::string owner = branch_of(node->name);
        if (owner.size() > prefix.size() && owner.compare(0, prefix.size(), prefix) == 0) {
            std::string rest = owner.substr(prefix.size());
            names.insert(rest.substr(0, rest.find('/')));
        }
    }
    return names;
}

// The branch `name` below the branch at `parent`.
std::unique_ptr<HostCtl::Adv::AdvancedOptionBranch> make_branch(const std::string &parent, const std::string &name) {
    std::string path = parent.empty() ? name : parent + "/" + name;
    return std::unique_ptr<HostCtl::Adv::AdvancedOptionBranch>(
        new AdvancedOptionBranchImpl(Sim::FindOrAdd("AdvancedOptionBranch", path)));
}

}  // namespace

std::string AdvancedOptionImpl::GetOptionName() {
    Sim::Enter(*node_, "AdvancedOption.GetOptionName");
    return last_part(node_->name);
}

std::string AdvancedOptionImpl::GetOptionPath() {
    Sim::Enter(*node_, "AdvancedOption.GetOptionPath");
    return node_->name;
}

HostCtl::Adv::AdvancedOptionPtr AdvancedOptionImpl::FindOption(const std::string &path) {
    Sim::NodeRef node = find_option(path);
    if (!node) Sim::NotFound("AdvancedOption", path);
    return make_option(node);
}

std::string AdvancedOptionBranchImpl::GetBranchName() {
    Sim::Enter(*node_, "AdvancedOptionBranch.GetBranchName");
    return last_part(node_->name);
}

// Hidden options are listed only when asked for.
std::vector<std::unique_ptr<HostCtl::Adv::AdvancedOption>> AdvancedOptionBranchImpl::GetOptions(bool withHidden) {
    Sim::Enter(*node_, "AdvancedOptionBranch.GetOptions");
    std::vector<std::unique_ptr<HostCtl::Adv::AdvancedOption>> options;
    for (const auto &node : all_options()) {
        if (branch_of(node->name) == node_->name && (withHidden || !Sim::Read<bool>(*node, "Hidden"))) {
            options.push_back(make_option(node));
        }
    }
    return options;
}

std::vector<std::unique_ptr<HostCtl::Adv::AdvancedOption>> AdvancedOptionBranchImpl::GetOptions() {
    return GetOptions(false);
}

std::unique_ptr<HostCtl::Adv::AdvancedOption> AdvancedOptionBranchImpl::GetOptionByName(const std::string &name) {
    Sim::Enter(*node_, "AdvancedOptionBranch.GetOptionByName");
    Sim::NodeRef node = find_option(option_path(node_->name, name));
    if (!node) Sim::NotFound("AdvancedOption", name);
    return make_option(node);
}

std::vector<std::unique_ptr<HostCtl::Adv::AdvancedOptionBranch>> AdvancedOptionBranchImpl::GetBranches() {
    Sim::Enter(*node_, "AdvancedOptionBranch.GetBranches");
    std::vector<std::unique_ptr<HostCtl::Adv::AdvancedOptionBranch>> branches;
    for (const auto &name : child_branches(node_->name)) branches.push_back(make_branch(node_->name, name));
    return branches;
}

std::unique_ptr<HostCtl::Adv::AdvancedOptionBranch> AdvancedOptionBranchImpl::GetBranchByName(const std::string &name) {
    Sim::Enter(*node_, "AdvancedOptionBranch.GetBranchByName");
    if (!child_branches(node_->name).count(name)) Sim::NotFound("AdvancedOptionBranch", name);
    return make_branch(node_->name, name);
}

AdvancedIntegerOptionImpl::AdvancedIntegerOptionImpl(const std::vector<std::string> &branch, const std::string &name)
    : AdvancedIntegerOptionImpl(Sim::Open(kIntegerKind, option_path(branch, name))) {}

AdvancedIntegerOptionImpl::AdvancedIntegerOptionImpl(const std::string &branch, const std::string &name)
    : AdvancedIntegerOptionImpl(Sim::Open(kIntegerKind, option_path(branch, name))) {}

int AdvancedIntegerOptionImpl::GetType() const { return kIntegerType; }

// A value outside the option's bounds is refused and leaves the value as it was.
void AdvancedIntegerOptionImpl::SetValue(int64 value) {
    Sim::Enter(*node_, "AdvancedIntegerOption.SetValue");
    int64 low = Sim::Read<int64>(*node_, "Minimum");
    int64 high = Sim::Read<int64>(*node_, "Maximum");
    if (value < low || value > high) {
        throw HostCtl::Lib::HostCtlException("value " + std::to_string(value) + " of option " + node_->name +
                                             " is outside " + std::to_string(low) + ".." + std::to_string(high));
    }
    Sim::Write(*node_, "Value", value);
}

void AdvancedIntegerOptionImpl::SetToDefault() {
    Sim::Enter(*node_, "AdvancedIntegerOption.SetToDefault");
    Sim::Write(*node_, "Value", Sim::Read<int64>(*node_, "DefaultValue"));
}

AdvancedStringOptionImpl::AdvancedStringOptionImpl(const std::vector<std::string> &branch, const std::string &name)
    : AdvancedStringOptionImpl(Sim::Open(kStringKind, option_path(branch, name))) {}

AdvancedStringOptionImpl::AdvancedStringOptionImpl(const std::string &branch, const std::string &name)
    : AdvancedStringOptionImpl(Sim::Open(kStringKind, option_path(branch, name))) {}

int AdvancedStringOptionImpl::GetType() const { return kStringType; }

// A value with a character outside the option's valid characters (when it
// names any) is refused and leaves the value as it was.
void AdvancedStringOptionImpl::SetValue(const std::string &value) {
    Sim::Enter(*node_, "AdvancedStringOption.SetValue");
    std::string valid = Sim::Read<std::string>(*node_, "ValidCharacters");
    size_t bad = valid.empty() ? std::string::npos : value.find_first_not_of(valid);
    if (bad != std::string::npos) {
        throw HostCtl::Lib::HostCtlException("character '" + value.substr(bad, 1) + "' is not valid for option " +
                                             node_->name);
    }
    Sim::Write(*node_, "Value", value);
}

void AdvancedStringOptionImpl::SetToDefault() {
    Sim::Enter(*node_, "AdvancedStringOption.SetToDefault");
    Sim::Write(*node_, "Value", Sim::Read<std::string>(*node_, "DefaultValue"));
}

}  // namespace Adv
}  // namespace QorCtl

namespace HostCtl {
namespace Storage {

// The integer option's value, cut to the 32 bits the caller takes.
unsigned int GetOptionValue(const std::string &path) {
    QorCtl::Sim::NodeRef node = QorCtl::Adv::find_option(path);
    if (!node || node->kind != QorCtl::Adv::kIntegerKind) QorCtl::Sim::NotFound("AdvancedIntegerOption", path);
    return static_cast<unsigned int>(QorCtl::Sim::Read<int64>(*node, "Value"));
}

}  // namespace Storage
}  // namespace HostCtl
