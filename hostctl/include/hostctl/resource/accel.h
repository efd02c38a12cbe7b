// Accelerator inventories: value classes that answer from their members. The
// simulated host builds one from each node of its kind ("QATAccelInfo qat0").
#pragma once

#include <string>
#include <vector>

#include "hostctl/sim.h"

// Defined with its values by the resource records' header.
enum qor_AttrType : int;

namespace HostCtl {
namespace QAT {

class QATAccelInfo {
public:
    QATAccelInfo(uint64 maxDevices, uint64 version, const std::string &deviceType)
        : maxDevices_(maxDevices), version_(version), deviceType_(deviceType) {}
    explicit QATAccelInfo(const QorCtl::Sim::NodeRef &node)
        : QATAccelInfo(QorCtl::Sim::Read<uint64>(*node, "MaxDevices"), QorCtl::Sim::Read<uint64>(*node, "Version"),
                       QorCtl::Sim::Read<std::string>(*node, "DeviceType")) {}

    uint64 GetMaxDevices() const { return maxDevices_; }
    uint64 GetVersion() const { return version_; }
    std::string GetDeviceTypeStr() const { return deviceType_; }

private:
    uint64 maxDevices_;
    uint64 version_;
    std::string deviceType_;
};

}  // namespace QAT

namespace DCF {

class DCFAttribute {
public:
    std::string name;
    std::string value;
    qor_AttrType type{};
};

class DCFComponentInfo {
public:
    DCFComponentInfo(const std::string &name, uint64 identifier, const std::string &sbdf,
                     std::vector<DCFAttribute> &attributes, unsigned int maxComponents)
        : name_(name), identifier_(identifier), sbdf_(sbdf), attributes_(attributes), maxComponents_(maxComponents) {}
    // A node's "Attributes" are `name=value` items.
    explicit DCFComponentInfo(const QorCtl::Sim::NodeRef &node)
        : name_(QorCtl::Sim::Read<std::string>(*node, "Name")),
          identifier_(QorCtl::Sim::Read<uint64>(*node, "Identifier")),
          sbdf_(QorCtl::Sim::Read<std::string>(*node, "DeviceSbdf")),
          maxComponents_(QorCtl::Sim::Read<unsigned int>(*node, "MaxComponents")) {
        for (const auto &entry : QorCtl::Sim::Read<std::map<std::string, std::string>>(*node, "Attributes")) {
            attributes_.push_back(DCFAttribute{entry.first, entry.second, qor_AttrType{}});
        }
    }

    uint64 GetComponentIdentifier() const { return identifier_; }
    std::string GetComponentName() { return name_; }
    std::string GetDeviceSbdfStr() { return sbdf_; }
    unsigned int GetMaxComponents() { return maxComponents_; }
    std::vector<DCFAttribute> &GetComponentAttributes() { return attributes_; }

private:
    std::string name_;
    uint64 identifier_;
    std::string sbdf_;
    std::vector<DCFAttribute> attributes_;
    unsigned int maxComponents_;
};

}  // namespace DCF
}  // namespace HostCtl
