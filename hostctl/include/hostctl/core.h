// Core of the host-control library: integer typedefs, the library's one
// exception type, the bases of every library object and the entry points.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <vector>

typedef unsigned char uint8;
typedef unsigned short uint16;
typedef unsigned int uint32;
typedef unsigned long uint64;
typedef int int32;
typedef long int64;
typedef char Bool;
typedef unsigned int uint;

extern "C" void QorCtl_LogInfoInt(const char *format, ...);

namespace HostCtl {
namespace Lib {

// A structured message: a shared handle, so copies of an exception share it.
class VobMessage {
public:
    VobMessage() = default;
    explicit VobMessage(std::string detail);
    const std::string *Detail() const { return detail_.get(); }

private:
    std::shared_ptr<const std::string> detail_;
};

class HostCtlException : public std::exception {
public:
    explicit HostCtlException(const std::string &message) : message(message) {}
    explicit HostCtlException(const char *message) : message(message ? message : "") {}
    explicit HostCtlException(std::string &&message) : message(std::move(message)) {}
    HostCtlException(const std::string &message, const VobMessage &vob) : message(message), vobMessage(vob) {}
    ~HostCtlException() override = default;

    const char *what() const noexcept override { return message.c_str(); }
    std::string GetMessage() const { return message; }
    std::string GetDetailedMessage() const;

    std::string message;
    VobMessage vobMessage;
};

class HostCtlObject;
typedef std::unique_ptr<HostCtlObject> HostCtlObjectPtr;

class HostCtlObject {
public:
    virtual ~HostCtlObject() = default;
    virtual void Refresh() = 0;
    virtual void SaveConfig() = 0;
    virtual void LoadConfig() = 0;
    virtual std::string GetName() const = 0;
    virtual std::vector<HostCtlObjectPtr> GetChildren() = 0;
};

}  // namespace Lib
}  // namespace HostCtl

namespace QorCtl {
namespace Lib {

typedef HostCtl::Lib::HostCtlException QorCtlException;

// Where Print operations write; opaque to the module.
class ObjectPrinter;

// The number of concrete library objects alive. Not part of the library's
// interface: the test suite watches objects die through it.
long LiveObjects();

// Implementation base of every concrete library object. The defaults here
// make every concrete class complete; concrete classes override what their
// interfaces declare.
class QorCtlObject : public virtual HostCtl::Lib::HostCtlObject {
public:
    QorCtlObject();
    QorCtlObject(const QorCtlObject &);
    QorCtlObject &operator=(const QorCtlObject &) = default;
    ~QorCtlObject() override;
    void Refresh() override {}
    void SaveConfig() override {}
    void LoadConfig() override {}
    std::string GetName() const override { return std::string(); }
    std::vector<HostCtl::Lib::HostCtlObjectPtr> GetChildren() override { return {}; }
    virtual void Print(ObjectPrinter *printer);

    static void Init();
    static const std::string &GetConfigFileName();
    bool IsConfigDirty() const { return true; }
    void MarkConfigDirty() {}
};

}  // namespace Lib
}  // namespace QorCtl

namespace HostCtl {

class Host {
public:
    static void PrepareForExit();
};
typedef Host *HostPtr;

class HostFactory {
public:
    static HostPtr GetHost();
};

}  // namespace HostCtl

namespace QorCtl {

class HostImpl {
public:
    static void Print(Lib::ObjectPrinter *printer);
    static void LoadQorCtlPlugins();
};

}  // namespace QorCtl
