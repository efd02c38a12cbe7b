// Hand-written behaviour of the firewall rulesets over the simulated host:
// the enabled flag, the rules and the allowed-address list live in the
// ruleset's node as text ("Rules", "AllowedIPs"), so model files can give them.
#include <algorithm>

#include "hostctl/network/values.h"
#include "hostctl/sim.h"
#include "hostctl/system/opaque.h"  // by-value members of the system records
#include "hostctl/system/objects.h"

namespace {

using HostCtl::System::FirewallIpList;
using HostCtl::System::FirewallRule;
using QorCtl::Sim::Node;
using Texts = std::vector<std::string>;

const char *const kPortTypes[] = {"src", "dst"};
const char *const kDirections[] = {"inbound", "outbound"};
const char *const kProtocols[] = {"tcp", "udp", "unknown"};

template <size_t N>
int word_index(const char *const (&words)[N], const std::string &word, const std::string &rule) {
    for (size_t i = 0; i < N; ++i) {
        if (word == words[i]) return static_cast<int>(i);
    }
    throw HostCtl::Lib::HostCtlException("Invalid firewall rule '" + rule + "'");
}

template <size_t N>
const char *word_of(const char *const (&words)[N], int index) {
    return index >= 0 && static_cast<size_t>(index) < N ? words[index] : "unknown";
}

// One rule as the model writes it: "id dst 22-22 inbound tcp".
FirewallRule parse_rule(const std::string &text) {
    std::istringstream in(text);
    std::string port_type, ports, direction, protocol;
    FirewallRule rule;
    char dash = 0;
    in >> rule.id >> port_type >> ports >> direction >> protocol;
    std::istringstream range(ports);
    if (!(range >> rule.portBegin >> dash >> rule.portEnd) || dash != '-') {
        throw HostCtl::Lib::HostCtlException("Invalid firewall rule '" + text + "'");
    }
    rule.portType = static_cast<HostCtl::System::PortType>(word_index(kPortTypes, port_type, text));
    rule.direction = static_cast<HostCtl::System::DirectionType>(word_index(kDirections, direction, text));
    rule.protocol = static_cast<HostCtl::System::ProtocolType>(word_index(kProtocols, protocol, text));
    return rule;
}

std::string rule_text(const FirewallRule &rule) {
    return rule.id + " " + word_of(kPortTypes, rule.portType) + " " + std::to_string(rule.portBegin) + "-" +
           std::to_string(rule.portEnd) + " " + word_of(kDirections, rule.direction) + " " +
           word_of(kProtocols, rule.protocol);
}

// An allowed address or network, sorted into its family by its text.
void add_allowed(FirewallIpList &list, const std::string &text) {
    bool v6 = text.find(':') != std::string::npos;
    bool network = text.find('/') != std::string::npos;
    if (v6 && network) {
        list.networkListv6.emplace_back(text);
    } else if (v6) {
        list.addressListv6.emplace_back(text);
    } else if (network) {
        list.networkListv4.emplace_back(text);
    } else {
        list.addressListv4.emplace_back(text);
    }
}

template <class T>
void append_texts(Texts &texts, const std::vector<T> &items) {
    for (const T &item : items) texts.push_back(item.GetStringAddress());
}

Texts allowed_texts(const FirewallIpList &list) {
    Texts texts;
    append_texts(texts, list.addressListv4);
    append_texts(texts, list.networkListv4);
    append_texts(texts, list.addressListv6);
    append_texts(texts, list.networkListv6);
    return texts;
}

void set_enabled(Node &node, const char *operation, bool enabled) {
    QorCtl::Sim::Enter(node, operation);
    QorCtl::Sim::Record(node, operation);
    QorCtl::Sim::Write(node, "Enabled", enabled);
}

void write_allowed(Node &node, const char *operation, const Texts &texts) {
    QorCtl::Sim::Enter(node, operation);
    QorCtl::Sim::Write(node, "AllowedIPs", texts);
}

}  // namespace

namespace QorCtl {
namespace Sim {
namespace System {

std::string FirewallRulesetNode::GetRulesetId() const {
    QorCtl::Sim::Enter(*node_, "FirewallRuleset.GetRulesetId");
    return node_->name;
}

void FirewallRulesetNode::Enable() { set_enabled(*node_, "FirewallRuleset.Enable", true); }
void FirewallRulesetNode::Disable() { set_enabled(*node_, "FirewallRuleset.Disable", false); }

std::vector<std::unique_ptr<FirewallRule>> FirewallRulesetNode::GetRules() {
    QorCtl::Sim::Enter(*node_, "FirewallRuleset.GetRules");
    std::vector<std::unique_ptr<FirewallRule>> rules;
    for (const auto &text : QorCtl::Sim::Read<Texts>(*node_, "Rules")) {
        rules.emplace_back(new FirewallRule(parse_rule(text)));
    }
    return rules;
}

void FirewallRulesetNode::SetRules(std::vector<FirewallRule> &rules) {
    QorCtl::Sim::Enter(*node_, "FirewallRuleset.SetRules");
    Texts texts;
    for (const auto &rule : rules) texts.push_back(rule_text(rule));
    QorCtl::Sim::Write(*node_, "Rules", texts);
}

std::unique_ptr<FirewallIpList> FirewallRulesetNode::GetAllowedIPList() {
    QorCtl::Sim::Enter(*node_, "FirewallRuleset.GetAllowedIPList");
    std::unique_ptr<FirewallIpList> list(new FirewallIpList());
    for (const auto &text : QorCtl::Sim::Read<Texts>(*node_, "AllowedIPs")) add_allowed(*list, text);
    return list;
}

void FirewallRulesetNode::SetAllowedIPList(FirewallIpList &list) {
    write_allowed(*node_, "FirewallRuleset.SetAllowedIPList", allowed_texts(list));
}

// The text is checked by reading it as an address or network of its family.
void FirewallRulesetNode::AddAllowedIP(const std::string &text) {
    FirewallIpList checked;
    add_allowed(checked, text);
    Texts texts = QorCtl::Sim::Read<Texts>(*node_, "AllowedIPs");
    if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(text);
    write_allowed(*node_, "FirewallRuleset.AddAllowedIP", texts);
}

void FirewallRulesetNode::RemoveAllowedIP(const std::string &text) {
    Texts texts = QorCtl::Sim::Read<Texts>(*node_, "AllowedIPs");
    auto found = std::find(texts.begin(), texts.end(), text);
    if (found == texts.end()) {
        throw HostCtl::Lib::HostCtlException("IP address " + text + " is not in the allowed list of " + node_->name);
    }
    texts.erase(found);
    write_allowed(*node_, "FirewallRuleset.RemoveAllowedIP", texts);
}

void FirewallRulesetNode::ClearAllowedIPList() { write_allowed(*node_, "FirewallRuleset.ClearAllowedIPList", {}); }

}  // namespace System
}  // namespace Sim
}  // namespace QorCtl
