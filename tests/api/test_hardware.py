"""The hardware inventory a script walks: processors, memory, NUMA nodes, the
PCI tree, firmware records and boot devices, over the built-in host and over
model files; the boot-type names the module computes itself; records'
defaults and out-parameters."""

import pytest

import _qorctl
import qorctl


@pytest.fixture
def hardware():
    return qorctl.HardwareInfoImpl()


def names_of(holders, getter):
    return [getter(holder.get()) for holder in holders]


# ---- the built-in host -------------------------------------------------------------

def test_two_sockets_share_their_cores_and_threads_out(hardware):
    cpus = hardware.GetCpuInfo().get()
    assert (cpus.GetNumCpuPackages(), cpus.GetNumCpuCores(), cpus.GetNumCpuThreads()) == (2, 4, 8)
    packages = [holder.get() for holder in cpus.GetCpuPackages()]
    assert [names_of(p.GetCores(), lambda cpu: cpu.GetId()) for p in packages] == [[0, 1, 2, 3], [4, 5, 6, 7]]
    third = cpus.GetCpuById(3).get()
    assert (third.GetCpuPackageId(), third.GetNode(), third.GetCpuSpeed()) == (0, 0, 2400000000)
    cache = qorctl.CpuCache()
    third.GetL3CacheData(cache)
    assert (cache.size, cache.lineSize, cache.cpuCount) == (31457280, 64, 4)


def test_numa_nodes_list_their_own_processors(hardware):
    nodes = [holder.get() for holder in hardware.GetNumaInfo().get().GetNumaNodes()]
    assert [(n.GetId(), n.GetMemorySize()) for n in nodes] == [(0, 68719476736), (1, 68719476736)]
    assert names_of(nodes[1].GetCpus(), lambda cpu: cpu.GetId()) == [4, 5, 6, 7]
    assert qorctl.NumaNodeImpl(7).GetCpus() == ()


def test_the_pci_tree_has_addresses_classes_and_parents(hardware):
    devices = {d.GetSBDFString(): d for d in (h.get() for h in hardware.GetPciInfo().get().GetAllPciDevices())}
    assert len(devices) == 13
    nic = devices["0000:01:00.1"]
    assert (nic.GetSeg(), nic.GetBus(), nic.GetSlot(), nic.GetFunction()) == (0, 1, 0, 1)
    assert (nic.GetType(), nic.GetVendor(), nic.GetQorKernelDeviceName()) == (
        _qorctl.PciDevice_PCI_DEVICE_TYPE_NETWORK_CONTROLLER, "Norvale Networks", "nic1")
    assert nic.GetParentDevice().get().GetDeviceClassName() == "PCI bridge"
    assert not devices["0000:00:00.0"].GetParentDevice().__nonzero__()
    bridge = devices["0000:00:03.0"]
    assert names_of(bridge.GetDependentChildDevices(), lambda d: d.GetSBDFString()) == [
        "0000:80:00.0", "0000:80:00.1", "0000:81:00.0"]
    kinds = {d.GetType() for d in devices.values()}
    assert {1, 2, 3, 6} <= kinds   # storage, network, graphics, bridges


@pytest.mark.parametrize("args, count", [((True,), 2), ((), 2)])
def test_children_of_type_ep_takes_a_flag_or_nothing(args, count):
    port = qorctl.PciDeviceImpl("0000:00:01.0")
    assert len(port.GetChildrenOfTypeEP(*args)) == count


@pytest.mark.parametrize("args", [(1, 2), ("yes",)])
def test_children_of_type_ep_refuses_other_argument_lists(args):
    with pytest.raises(NotImplementedError) as caught:
        _qorctl.PciDevice_GetChildrenOfTypeEP(qorctl.PciDeviceImpl("0000:00:01.0"), *args)
    assert str(caught.value).splitlines()[2:] == [
        "    HostCtl::Hardware::PciDevice::GetChildrenOfTypeEP(bool)",
        "    HostCtl::Hardware::PciDevice::GetChildrenOfTypeEP()"]


def test_firmware_and_controller_records_come_from_the_model(hardware):
    bios = hardware.GetBiosInfo()
    assert not bios.thisown   # the library lends its record
    assert (bios.vendor, bios.version, bios.major, bios.minor) == ("Quillfield Systems", "1.4.0", 1, 4)
    assert tuple(bios.oemStrings) == ("board rev C", "chassis 2U")
    bmc = hardware.GetBmcInfo()
    assert bmc.thisown and (bmc.hostname, bmc.ipv4addr, bmc.ifAdmin) == ("host-a-bmc", "192.0.2.40", True)
    assert hardware.GetHardwareUuid().uuidStr == "6a0d3e52-9c41-4b7e-8f20-5a1c2e7b9d04"
    assert (hardware.GetSevInfo().maxSevEsGuests, hardware.GetSgxInfo().sgxState) == (16, _qorctl.SGX_DISABLED_BIOS)


def test_memory_lists_heaps_and_a_page_count(hardware):
    memory = hardware.GetMemoryInfo().get()
    assert memory.GetPhysicalMemory() == 128 * 2 ** 30
    heaps = [holder.get() for holder in memory.GetHeapStats()]
    assert [(h.name, h.growable) for h in heaps] == [("memvirt-0", True), ("netstack-0", True), ("scsi-0", False)]
    assert qorctl.MemoryInfoImpl().GetTotalPages() == 33554432


# ---- the boot-type name the module computes ---------------------------------------------

def test_boot_devices_come_in_firmware_order(hardware):
    devices = hardware.GetBootDevices()
    assert [(d.description, d.GetTypeString(), d.enabled) for d in devices] == [
        ("Internal RAID volume", "Hard disk", True), ("Onboard port 1 network boot", "Embedded network", True),
        ("Front USB port", "USB", False), ("Virtual optical drive", "CD-ROM", False)]


@pytest.mark.parametrize("stored, name, kept", [
    (0, "Reserved", 0), (10, "BEV", 10), (11, "Unknown", 11),
    (12, "Unknown", 11), (2 ** 31 - 1, "Unknown", 11),
    # Below the table: stored back and named like the values above it.
    (-1, "Unknown", 11), (-(2 ** 31), "Unknown", 11),
])
def test_boot_type_names_clamp_any_type_outside_the_table(stored, name, kept):
    device = qorctl.BootDevice()
    device.type = stored
    assert device.GetTypeString() == name
    assert device.type == kept


def test_boot_names_are_a_read_only_library_table():
    first = _qorctl.cvar.BootDevice_BootNames
    assert first.own() is False and "std::string *" in repr(first)
    message = "in variable 'read-only HostCtl::Hardware::BootDevice::BootNames' of type 'std::string []'"
    with pytest.raises(AttributeError) as caught:
        _qorctl.cvar.BootDevice_BootNames = first
    assert str(caught.value) == message
    with pytest.raises(AttributeError) as caught:
        _qorctl.BootDevice_BootNames_set(first)
    assert str(caught.value) == message


# ---- records' defaults and out-parameters --------------------------------------------------

@pytest.mark.parametrize("record", [qorctl.BmcData, qorctl.BiosData, qorctl.Heap, qorctl.SgxInfo])
def test_default_records_read_zero_false_and_empty(record):
    made = record()
    fields = [name for name in dir(record) if not name.startswith("_") and isinstance(getattr(record, name), property)
              and name not in ("this", "thisown")]
    assert fields
    for name in fields:
        value = getattr(made, name)
        assert (tuple(value) if isinstance(value, qorctl.StringVector) else value) in (0, False, "", ()), name


def test_string_vector_fields_are_lent_and_written_by_copy():
    bmc = qorctl.BmcData()
    lent = bmc.ipv6addrs
    assert isinstance(lent, qorctl.StringVector) and not lent.thisown
    lent.append("fe80::1")
    assert tuple(bmc.ipv6addrs) == ("fe80::1",)
    replacement = qorctl.StringVector(("fe80::2", "fe80::3"))
    bmc.ipv6addrs = replacement
    replacement.append("fe80::4")
    assert tuple(bmc.ipv6addrs) == ("fe80::2", "fe80::3")


@pytest.mark.parametrize("call", [_qorctl.PciDevice_ParsePciString, _qorctl.PciDeviceImpl_ParsePciString])
def test_pci_address_out_parameters_refuse_plain_numbers(call):
    with pytest.raises(TypeError) as caught:
        call("0000:01:00.0", True, 0, 0, 0, 0)
    assert str(caught.value) == "in method '%s', argument 3 of type 'uint16 *'" % call.__name__


def test_device_id_out_parameters_refuse_plain_numbers():
    device_id = _qorctl.DeviceTree_GetSwDevRoot()
    with pytest.raises(TypeError) as caught:
        _qorctl.PciInfoImpl_GetSegBusSlotFunc(device_id, 0, 0, 0, 0)
    assert str(caught.value) == "in method 'PciInfoImpl_GetSegBusSlotFunc', argument 2 of type 'uint16 &'"


# ---- model files -----------------------------------------------------------------------------

def test_setters_write_what_getters_read_and_failures_are_the_library_exception(sim_host):
    sim_host("""
        [PciDevice 0000:05:00.0]
        HardwareLabel = slot 5
        [fail]
        PciDevice.EnableDPC@0000:05:00.0 = containment not supported
        """)
    device = qorctl.PciDeviceImpl("0000:05:00.0")
    device.SetHardwareLabel("riser 2")
    device.SetConfiguredMaxVfs(8)
    assert (device.GetHardwareLabel(), device.GetConfiguredMaxVfs()) == ("riser 2", 8)
    with pytest.raises(qorctl.HostCtlException, match="^containment not supported$"):
        device.EnableDPC(True)


def test_persistent_memory_volumes_hold_their_regions(hardware):
    pmem = hardware.GetPMemInfo().get()
    volume = pmem.GetVolumes()[0].get()
    assert volume.GetRegionStoreInfo()._totalSizeMB == qorctl.PMemInfo.GetCapacityInMB() == 262144
    regions = [holder.get().GetInfo() for holder in volume.GetRegions()]
    assert [r._sizeBytes for r in regions] == [2 ** 37, 2 ** 37]
    ranges = [holder.get().GetInfo() for holder in pmem.GetMemoryRanges()]
    assert [r._uuid for r in ranges] == [r._uuid for r in regions]
    assert ranges[1]._firstMPN == ranges[0]._lastMPN + 1
