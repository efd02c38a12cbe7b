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
//
// How objects relate in a model:
// - A list operation returns the nodes of the listed kind that belong to the
//   object asked: those whose property named after its kind names it
//   ("CpuPackage = 0" under [Cpu 4]), or "Parent" in a tree of one kind. A
//   kind whose nodes name no owner belongs to every object.
// - A node may stand for more kinds than its own: "Also = ScsiInterface" makes
//   a Fibre Channel adapter one of the adapters too. A section met twice
//   describes one node.
// - A look-up by name or number finds the node of that name, or else the one
//   whose "PathName" is the name ([ResourceGroup 4] with PathName = host/user).
// - A record a getter returns or fills is read field by field: from
//   "<Getter>.<field>" of the object's node (BmcInfo.hostname), or, for a
//   list of records, from the fields of each node of the record's kind.
// - A value class with a text form (a Text() member and a constructor from
//   text) is kept by setters and read back by getters in that form.
#pragma once

#include <functional>
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
// Takes the node of that kind and name out of the model; objects that hold it
// keep it, but lists and look-ups no longer find it.
void Remove(const std::string &kind, const std::string &name);
// The node of that kind named `key`, or else the one whose "PathName" is `key`.
NodeRef Lookup(const std::string &kind, const std::string &key);
// The nodes that stand for `kind`, in model order: those of the kind and
// those whose "Also" lists it (a node of one kind standing for its bases).
std::vector<NodeRef> All(const std::string &kind);
// The nodes of `kind` that belong to `owner`, in model order: those whose
// property named after the owner's kind ("CpuPackage = 0"), or "Parent" in a
// tree of one kind, names the owner. When no node of `kind` names an owner
// that way, every node of `kind` belongs to every owner.
std::vector<NodeRef> Members(const std::string &kind, const Node &owner);

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

// A value class with a text form: built from its text, written by Text().
template <class T, class = void>
struct HasText : std::false_type {};
template <class T>
struct HasText<T, std::void_t<decltype(std::declval<const T &>().Text())>> : std::true_type {};

template <class T, class = void>
struct Codec {
    static T Decode(const std::string &text) {
        if constexpr (std::is_constructible<T, std::string>::value) {
            return T(text);
        } else {
            return T();
        }
    }
    static std::string Encode(const T &value) {
        if constexpr (HasText<T>::value) {
            return value.Text();
        } else {
            return std::string();
        }
    }
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

// Lists and string-keyed maps of other values: comma-separated items, each
// encoded as its own type is.
template <class T>
struct Codec<std::vector<T>> {
    static std::vector<T> Decode(const std::string &text) {
        std::vector<T> items;
        for (const auto &item : Codec<std::vector<std::string>>::Decode(text)) items.push_back(Codec<T>::Decode(item));
        return items;
    }
    static std::string Encode(const std::vector<T> &items) {
        std::vector<std::string> texts;
        for (const auto &item : items) texts.push_back(Codec<T>::Encode(item));
        return Codec<std::vector<std::string>>::Encode(texts);
    }
};

// References to the library's own text cannot be made from a model's text:
// such a list reads as empty.
template <class T>
struct Codec<std::vector<std::reference_wrapper<T>>> {
    static std::vector<std::reference_wrapper<T>> Decode(const std::string &) { return {}; }
    static std::string Encode(const std::vector<std::reference_wrapper<T>> &items) {
        std::vector<std::string> texts(items.begin(), items.end());
        return Codec<std::vector<std::string>>::Encode(texts);
    }
};

template <class T>
struct Codec<std::map<std::string, T>> {
    static std::map<std::string, T> Decode(const std::string &text) {
        std::map<std::string, T> entries;
        for (const auto &entry : Codec<std::map<std::string, std::string>>::Decode(text)) {
            entries.emplace(entry.first, Codec<T>::Decode(entry.second));
        }
        return entries;
    }
    static std::string Encode(const std::map<std::string, T> &entries) {
        std::map<std::string, std::string> texts;
        for (const auto &entry : entries) texts.emplace(entry.first, Codec<T>::Encode(entry.second));
        return Codec<std::map<std::string, std::string>>::Encode(texts);
    }
};

// Value objects the library builds from the nodes of `kind`, in model order;
// none for a class that is not built from a node.
template <class T>
std::vector<std::unique_ptr<T>> MakeAll(const std::string &kind) {
    std::vector<std::unique_ptr<T>> made;
    if constexpr (std::is_constructible<T, const NodeRef &>::value) {
        for (const auto &node : All(kind)) made.emplace_back(new T(node));
    }
    return made;
}

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
inline std::string Indexed(const char *key, const std::string *index) { return Indexed(key, index ? *index : ""); }

template <class T>
void Write(Node &node, const char *key, const T &value) {
    node.properties[key] = Codec<T>::Encode(value);
}

// A setter given a value object keeps it when the object has a text form;
// otherwise the call is recorded as an action.
template <class T>
void Store(Node &node, const char *key, const char *operation, const T &value) {
    if constexpr (HasText<T>::value) {
        node.properties[key] = value.Text();
    } else {
        Record(node, operation);
    }
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
