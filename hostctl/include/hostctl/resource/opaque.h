// Records of the resource area that scripts only receive and pass back: the
// library keeps their contents to itself.
#pragma once

namespace HostCtl {
namespace Resource {

class PowerStats {};
class FaultToleranceStats {};
class VMOverheadStats {};
class VMSwapInfo {};
class IOFilterStats {};
class VscsiStats {};
class VmComponentHealth {};

}  // namespace Resource
}  // namespace HostCtl

class StringHashMap {};
