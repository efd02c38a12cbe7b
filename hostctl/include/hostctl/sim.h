// The simulated host behind the stand-in library.
//
// The host is a set of nodes, each of a kind (the library interface it backs,
// "Pnic") and a name ("nic0"), with text properties. Concrete library objects
// hold their node; getters read properties, setters write them, actions are
// recorded, list operations return the nodes of a kind. The model is the
// built-in default host unless the environment variable QORCTL_SIM_HOST names
// a model file; its [fail] section makes named operations throw the library's
// exception. The model is re-read at the library's entry points (the host
// factory and every constructor of a concrete object) when the variable or the
// file changed, so a script can switch models while it runs.
#pragma once

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace QorCtl {
namespace Sim {

struct Node {
    std::string kind;
    std::string name;
    std::map<std::string, std::string> properties;
    std::vector<std::string> actions;
};
typedef std::shared_ptr<Node> NodeRef;

void Sync();
// Sync, then the node of that kind and name (added when the model has none).
NodeRef Open(const std::string &kind, const std::string &name);
NodeRef Find(const std::string &kind, const std::string &name);
NodeRef FindOrAdd(const std::string &kind, const std::string &name);
std::vector<NodeRef> All(const std::string &kind);

// Throws HostCtlException when the model says `operation` ("Pnic.GetName")
// fails, for every node or for the node of that name ("Pnic.GetName@nic1").
void Enter(const Node &node, const char *operation);
void Record(Node &node, const char *operation);
[[noreturn]] void NotFound(const std::string &kind, const std::string &name);

// The integer type behind an enumeration, or the type itself.
template <class T, bool = std::is_enum<T>::value>
struct UnderlyingOf {
    using type = T;
};
template <class T>
struct UnderlyingOf<T, true> {
    using type = std::underlying_type_t<T>;
};
template <class T>
using Underlying = typename UnderlyingOf<T>::type;

template <class T, class = void>
struct Codec {
    static T Decode(const std::string &text) {
        if constexpr (std::is_constructible<T, std::string>::value) {
            return T(text);
        } else {
            return T();
        }
    }
    static std::string Encode(const T &) { return std::string(); }
};

template <>
struct Codec<std::string> {
    static std::string Decode(const std::string &text) { return text; }
    static std::string Encode(const std::string &value) { return value; }
};

template <>
struct Codec<bool> {
    static bool Decode(const std::string &text) { return text == "true" || text == "1"; }
    static std::string Encode(bool value) { return value ? "true" : "false"; }
};

template <class T>
struct Codec<T, std::enable_if_t<std::is_integral<T>::value || std::is_enum<T>::value>> {
    // Read and written through the widest type of the same signedness, so
    // unsigned 64-bit values above the signed range survive the round trip.
    using Wide = std::conditional_t<std::is_unsigned<Underlying<T>>::value, unsigned long long, long long>;
    static T Decode(const std::string &text) {
        Wide value = 0;
        std::istringstream(text) >> value;
        return static_cast<T>(value);
    }
    static std::string Encode(T value) { return std::to_string(static_cast<Wide>(value)); }
};

template <>
struct Codec<std::vector<std::string>> {
    static std::vector<std::string> Decode(const std::string &text) {
        std::vector<std::string> items;
        std::istringstream stream(text);
        for (std::string item; std::getline(stream, item, ',');) items.push_back(item);
        return items;
    }
    static std::string Encode(const std::vector<std::string> &items) {
        std::string text;
        for (const auto &item : items) text += (text.empty() ? "" : ",") + item;
        return text;
    }
};

template <>
struct Codec<std::map<std::string, std::string>> {
    static std::map<std::string, std::string> Decode(const std::string &text) {
        std::map<std::string, std::string> entries;
        for (const auto &item : Codec<std::vector<std::string>>::Decode(text)) {
            auto equals = item.find('=');
            if (equals != std::string::npos) entries.emplace(item.substr(0, equals), item.substr(equals + 1));
        }
        return entries;
    }
    static std::string Encode(const std::map<std::string, std::string> &entries) {
        std::vector<std::string> items;
        for (const auto &entry : entries) items.push_back(entry.first + "=" + entry.second);
        return Codec<std::vector<std::string>>::Encode(items);
    }
};

// The property `key` of `node`, decoded; a missing property reads as the
// type's default, and a missing "Name" as the node's name.
template <class T>
T Read(const Node &node, const char *key) {
    auto found = node.properties.find(key);
    if (found != node.properties.end()) return Codec<T>::Decode(found->second);
    if constexpr (std::is_same<T, std::string>::value) {
        if (std::string(key) == "Name") return node.name;
    }
    return T();
}

// Sets `value` from the property `key` when the model has it. A generated
// record has an overload of its own that fills each field from "<key>.<field>".
template <class T>
void Fill(T &value, const Node &node, const std::string &key) {
    auto found = node.properties.find(key);
    if (found != node.properties.end()) value = Codec<T>::Decode(found->second);
}

// The property key of one entry of an indexed getter ("Stat.num_boots");
// a null index reads the entry "Stat.".
inline std::string Indexed(const char *key, const char *index) {
    return std::string(key) + "." + (index ? index : "");
}
inline std::string Indexed(const char *key, const std::string &index) { return std::string(key) + "." + index; }

template <class T>
void Write(Node &node, const char *key, const T &value) {
    node.properties[key] = Codec<T>::Encode(value);
}

// A C string is stored up to its first NUL; a null one removes the property.
inline void Write(Node &node, const char *key, const char *value) {
    if (value) {
        node.properties[key] = value;
    } else {
        node.properties.erase(key);
    }
}

}  // namespace Sim
}  // namespace QorCtl
