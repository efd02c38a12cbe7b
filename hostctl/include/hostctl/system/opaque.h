// Values of the system area that scripts only receive and pass back: the
// library keeps their contents to itself.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "hostctl/core.h"

namespace TarnConfigStore {

// The platform's configuration store and one object in it.
class ConfigStore {};
class ConfigStoreObject {};

class ConfigStorePtr {
public:
    std::shared_ptr<ConfigStore> store;
};

class ConfigStoreObjectPtr {
public:
    std::shared_ptr<ConfigStoreObject> object;
};

}  // namespace TarnConfigStore

namespace HostCtl {
namespace System {

// What the precision-time daemon reports: its state, its clock source and
// the rest of its status lines by label.
class PtpStatus {
public:
    std::string portState;
    std::string clockSource;
    std::map<std::string, std::string> details;
};

class PtpDeviceType {
public:
    int type = 0;
};

class PtpTransport {
public:
    int transport = 0;
};

class SfcbAuthModel {
public:
    int model = 0;
};

class ProviderInfo {
public:
    std::string name;
    bool enabled = false;
};

}  // namespace System
}  // namespace HostCtl
