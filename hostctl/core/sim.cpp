#include "hostctl/sim.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "default_host.h"
#include "hostctl/core.h"

namespace QorCtl {
namespace Sim {
namespace {

struct Model {
    std::map<std::string, std::vector<NodeRef>> nodes;  // by kind, in model order
    std::vector<NodeRef> order;                          // every node, in model order
    std::map<std::string, std::string> failures;         // operation -> message
};

struct Source {
    std::string path;  // empty for the built-in host
    long long stamp = -1;
};

std::shared_ptr<Model> g_model;
Source g_source;

std::string trim(const std::string &text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The failure of a model that does not parse: the file (or the built-in
// host), the line and the problem, as compilers report them.
[[noreturn]] void bad_line(const std::string &origin, int lineno, const std::string &problem) {
    throw HostCtl::Lib::HostCtlException(origin + ":" + std::to_string(lineno) + ": " + problem);
}

// The node a section header names. A section that repeats one of an earlier
// part of the model adds to it, so that each area's part can describe its own
// side of a shared object.
Node *section(Model &model, const std::string &kind, const std::string &name) {
    auto &nodes = model.nodes[kind];
    for (const auto &node : nodes) {
        if (node->name == name) return node.get();
    }
    auto fresh = std::make_shared<Node>();
    fresh->kind = kind;
    fresh->name = name;
    nodes.push_back(fresh);
    model.order.push_back(fresh);
    return fresh.get();
}

// Whether `node` stands for `kind`: it is of that kind, or its "Also" lists
// the kind ("Also = ScsiInterface" on a Fibre Channel adapter).
bool stands_for(const Node &node, const std::string &kind) {
    if (node.kind == kind) return true;
    auto also = node.properties.find("Also");
    if (also == node.properties.end()) return false;
    for (const auto &other : Codec<std::vector<std::string>>::Decode(also->second)) {
        if (trim(other) == kind) return true;
    }
    return false;
}

std::shared_ptr<Model> parse(std::istream &in, const std::string &origin) {
    auto model = std::make_shared<Model>();
    Node *node = nullptr;
    bool in_failures = false;
    int lineno = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineno;
        line = trim(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        if (line.front() == '[') {
            if (line.back() != ']') bad_line(origin, lineno, "a section header needs its closing ']'");
            std::string header = trim(line.substr(1, line.size() - 2));
            if (header.empty()) bad_line(origin, lineno, "a section header needs a kind: [kind name]");
            in_failures = header == "fail";
            node = nullptr;
            if (in_failures) continue;
            size_t blank = header.find(' ');
            std::string kind = header.substr(0, blank);
            std::string name = blank == std::string::npos ? std::string() : trim(header.substr(blank));
            node = section(*model, kind, name);
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) bad_line(origin, lineno, "expected [kind name] or key = value");
        if (!node && !in_failures) bad_line(origin, lineno, "key = value before the first [kind name]");
        std::string key = trim(line.substr(0, equals));
        if (key.empty()) bad_line(origin, lineno, "key = value needs a key before '='");
        std::string value = trim(line.substr(equals + 1));
        if (in_failures) {
            model->failures[key] = value;
        } else {
            node->properties[key] = value;
        }
    }
    return model;
}

long long file_stamp(const std::string &path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return -1;
    return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}

Model &current() {
    if (!g_model) Sync();
    return *g_model;
}

}  // namespace

void Sync() {
    const char *variable = std::getenv("QORCTL_SIM_HOST");
    Source wanted;
    if (variable && *variable) {
        wanted.path = variable;
        wanted.stamp = file_stamp(wanted.path);
    }
    if (g_model && wanted.path == g_source.path && wanted.stamp == g_source.stamp) return;
    if (wanted.path.empty()) {
        std::istringstream in(kDefaultHost);
        g_model = parse(in, "built-in host");
    } else {
        std::ifstream in(wanted.path);
        if (!in) throw HostCtl::Lib::HostCtlException("cannot read simulated host model '" + wanted.path + "'");
        g_model = parse(in, wanted.path);
    }
    g_source = wanted;
}

NodeRef Find(const std::string &kind, const std::string &name) {
    for (const auto &node : All(kind)) {
        if (node->name == name) return node;
    }
    return nullptr;
}

NodeRef Lookup(const std::string &kind, const std::string &key) {
    if (NodeRef node = Find(kind, key)) return node;
    for (const auto &node : All(kind)) {
        auto path = node->properties.find("PathName");
        if (path != node->properties.end() && path->second == key) return node;
    }
    return nullptr;
}

NodeRef FindOrAdd(const std::string &kind, const std::string &name) {
    if (NodeRef node = Find(kind, name)) return node;
    auto node = std::make_shared<Node>();
    node->kind = kind;
    node->name = name;
    current().nodes[kind].push_back(node);
    current().order.push_back(node);
    return node;
}

void Remove(const std::string &kind, const std::string &name) {
    Model &model = current();
    auto same = [&](const NodeRef &node) { return node->kind == kind && node->name == name; };
    auto found = model.nodes.find(kind);
    if (found == model.nodes.end()) return;
    auto &list = found->second;
    list.erase(std::remove_if(list.begin(), list.end(), same), list.end());
    model.order.erase(std::remove_if(model.order.begin(), model.order.end(), same), model.order.end());
}

NodeRef Open(const std::string &kind, const std::string &name) {
    Sync();
    return FindOrAdd(kind, name);
}

std::vector<NodeRef> All(const std::string &kind) {
    std::vector<NodeRef> all;
    for (const auto &node : current().order) {
        if (stands_for(*node, kind)) all.push_back(node);
    }
    return all;
}

std::vector<NodeRef> Members(const std::string &kind, const Node &owner) {
    const std::string key = kind == owner.kind ? "Parent" : owner.kind;
    std::vector<NodeRef> all = All(kind);
    std::vector<NodeRef> members;
    bool owned = false;
    for (const auto &node : all) {
        auto found = node->properties.find(key);
        if (found == node->properties.end()) continue;
        owned = true;
        if (found->second == owner.name) members.push_back(node);
    }
    return owned ? members : all;
}

void Enter(const Node &node, const char *operation) {
    const auto &failures = current().failures;
    if (failures.empty()) return;
    auto found = failures.find(std::string(operation) + "@" + node.name);
    if (found == failures.end()) found = failures.find(operation);
    if (found == failures.end()) return;
    std::string where = node.name.empty() ? node.kind : node.kind + " '" + node.name + "'";
    throw HostCtl::Lib::HostCtlException(found->second,
                                         HostCtl::Lib::VobMessage(std::string(operation) + " failed on " + where));
}

void Record(Node &node, const char *operation) { node.actions.push_back(operation); }

void NotFound(const std::string &kind, const std::string &name) {
    throw HostCtl::Lib::HostCtlException(kind + " '" + name + "' not found");
}

}  // namespace Sim
}  // namespace QorCtl
