// Values of the storage areas that scripts only receive and pass back: the
// library keeps their contents to itself.
#pragma once

namespace HostCtl {
namespace Storage {

class ScsiStats {};
class VAAIState {};
class LsuDeviceInfoData {};
class ScsiAdapterGuardType {};
class StorageIormInfo {};
class StorageIormStatus {};
class PsaFilterPlugin {};
class PsaStorVsiDeviceInfo {};
class SystemVsi_DumpPartInfo2 {};

}  // namespace Storage
}  // namespace HostCtl

namespace TarnConfigStore {

// The changes between a configuration and the one desired.
class DriftObjectPtr {};

}  // namespace TarnConfigStore
