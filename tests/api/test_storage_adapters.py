"""Storage adapters as a script meets them: behind the paths of the built-in
host, with their kinds and drivers, the paths behind each, rescans that change
those, transport mappings, world-wide names, and the conversion graph."""

import pytest

import _qorctl
import qorctl

WWPN = "21:00:00:00:c0:ff:ee:03"


def path(name):
    return qorctl.ScsiPathImpl.GetPath(name).get()


def adapter_of(path_name):
    return path(path_name).GetAdapter().get()


@pytest.mark.parametrize("path_name, name, driver, kind, local", [
    ("hba0:C0:T0:L0", "hba0", "qsas", _qorctl.ScsiInterface_SCSI_IFACE_TYPE_SAS, True),
    ("hba1:C0:T1:L0", "hba1", "qahci", _qorctl.ScsiInterface_SCSI_IFACE_TYPE_SATA, True),
    ("hba2:C0:T0:L0", "hba2", "qnvme", _qorctl.ScsiInterface_SCSI_IFACE_TYPE_PCIE, True),
    ("hba3:C0:T1:L2", "hba3", "qfc", _qorctl.ScsiInterface_SCSI_IFACE_TYPE_FC, False),
    ("hba64:C1:T0:L0", "hba64", "qiscsi", _qorctl.ScsiInterface_SCSI_IFACE_TYPE_ISCSI, False),
])
def test_each_path_leads_to_its_adapter(path_name, name, driver, kind, local):
    adapter = adapter_of(path_name)
    assert isinstance(adapter, qorctl.ScsiInterface)
    assert (adapter.GetName(), adapter.GetDriver(), adapter.GetInterfaceType(), adapter.IsLocalOnly()) == (
        name, driver, kind, local)
    assert adapter.GetAdapterStatus() == _qorctl.ScsiInterface_ADAPTER_STATUS_ONLINE


def test_an_adapter_lists_the_paths_behind_it_and_its_pci_function():
    fc = adapter_of("hba3:C0:T0:L1")
    assert [p.get().GetRuntimeName() for p in fc.GetScsiPaths()] == [
        "hba3:C0:T0:L1", "hba3:C0:T1:L1", "hba3:C0:T0:L2", "hba3:C0:T1:L2", "hba3:C0:T2:L2",
        "hba3:C0:T0:L3", "hba3:C0:T1:L3"]
    assert adapter_of("hba0:C0:T0:L0").GetPciDevice().get().GetSBDFString() == "0000:02:00.0"
    assert not adapter_of("hba64:C0:T0:L0").GetPciDevice().__nonzero__()   # a software adapter


@pytest.mark.parametrize("kind, name", [(0, "unknown"), (2, "fc"), (3, "iscsi"), (14, "tcp"), (15, "unknown"),
                                        (-1, "unknown")])
def test_interface_type_names(kind, name):
    assert qorctl.ScsiInterface.GetInterfaceTypeString(kind) == name


FABRIC = """
    [FibreChannelInterface hba3]
    Also = ScsiInterface
    InterfaceType = 2
    WorldWideNodeName = 20:00:00:00:c0:ff:ee:03
    WorldWidePortName = 21:00:00:00:c0:ff:ee:03
    [DiskLun dev.fc1]
    Also = Lun
    [ScsiPath hba3:C0:T0:L2]
    Adapter = hba3
    DiskLun = dev.fc1
    State = 0
    [ScsiPath hba3:C0:T1:L2]
    Adapter = hba3
    DiskLun = dev.fc1
    State = 3
    NextState = 0
    [ScsiPath hba3:C0:T2:L2]
    Adapter = hba3
    DiskLun = dev.fc1
    State = 2
    TargetWorldWideNodeName = 50:0a:0b:0c:0d:0e:00:00
    TargetWorldWidePortName = 50:0a:0b:0c:0d:0e:00:0c
    [PendingScsiPath hba3:C0:T3:L2]
    Adapter = hba3
    DiskLun = dev.fc1
    State = 3
"""


def path_states(lun):
    return [(p.get().GetName(), p.get().GetStateString()) for p in lun.GetPaths()]


def test_rescans_find_new_paths_drop_dead_ones_and_update_states(sim_host):
    sim_host(FABRIC)
    lun = qorctl.DiskLunImpl("dev.fc1")
    fc = adapter_of("hba3:C0:T0:L2")
    assert fc.RescanRemoveDeadDevices() == "y"
    assert fc.RescanRemoveDeadDevices() == "n"
    fc.RescanDiscoverNewDevices()
    fc.RescanUpdatePathState()
    assert path_states(lun) == [("hba3:C0:T0:L2", "active"), ("hba3:C0:T1:L2", "active"),
                                ("hba3:C0:T3:L2", "standby")]
    assert lun.GetPathNames() == ("hba3:C0:T0:L2", "hba3:C0:T1:L2", "hba3:C0:T3:L2")


@pytest.mark.parametrize("remove_dead, left", [(True, 3), (False, 4)])
def test_a_full_rescan_removes_dead_paths_only_when_asked(sim_host, remove_dead, left):
    sim_host(FABRIC)
    adapter_of("hba3:C0:T0:L2").Rescan(remove_dead)
    assert len(qorctl.DiskLunImpl("dev.fc1").GetPaths()) == left


def test_a_rescan_fails_when_the_model_says_so(sim_host):
    sim_host(FABRIC + "[fail]\nScsiInterface.RescanRemoveDeadDevices@hba3 = bus reset in progress\n")
    with pytest.raises(qorctl.HostCtlException, match="^bus reset in progress$"):
        adapter_of("hba3:C0:T0:L2").RescanRemoveDeadDevices()
    assert len(qorctl.DiskLunImpl("dev.fc1").GetPaths()) == 3


# ---- world-wide names and transport mappings -------------------------------------------------

@pytest.mark.parametrize("text, number", [
    (WWPN, 0x21000000C0FFEE03),
    ("21:00:00:00:C0:FF:EE:03", 0x21000000C0FFEE03),
    ("2100000000c0ffee", 0x2100000000C0FFEE),
    ("ff:ff:ff:ff:ff:ff:ff:ff", 2 ** 64 - 1),
    ("00:00:00:00:00:00:00:00", 0),
])
def test_world_wide_names_parse_and_format(text, number):
    fc = qorctl.FibreChannelInterfaceImpl
    assert fc.GetWorldWideNumberFromString(text) == number
    assert fc.GetWorldWideNumberStringFromInt(number) == ":".join(
        "%02x" % (number >> shift & 0xFF) for shift in range(56, -8, -8))


@pytest.mark.parametrize("text", ["", "21:00", "21:00:00:00:c0:ff:ee:03:04", "21:00:00:00:c0:ff:ee:0g",
                                  "21:00:00:00:c0:ff:ee:03:", ":21:00:00:00:c0:ff:ee:03", "21::00:00:00:c0:ff:ee:03"])
def test_text_that_is_no_world_wide_name_is_refused(text):
    with pytest.raises(qorctl.HostCtlException) as caught:
        qorctl.FibreChannelInterfaceImpl.GetWorldWideNumberFromString(text)
    assert str(caught.value) == "invalid world-wide name '%s'" % text


def test_a_fibre_channel_path_maps_adapter_and_target_names():
    mapping = path("hba3:C0:T2:L2").GetTransportMapping().get()
    assert mapping.GetType() == _qorctl.TransportMapping_TRANSPORT_TYPE_FC
    built = qorctl.FibreChannelTransportMappingImpl(0x20000000C0FFEE03, 0x21000000C0FFEE03,
                                                    0x500A0B0C0D0E0000, 0x500A0B0C0D0E000C)
    assert built.GetAdapterWorldWidePortName() == 0x21000000C0FFEE03
    assert built.GetTargetWorldWidePortNameString() == "50:0a:0b:0c:0d:0e:00:0c"
    assert built.GetPathString() == mapping.GetPathString() == WWPN + "-50:0a:0b:0c:0d:0e:00:0c"


def test_an_iscsi_path_maps_its_target_session_and_portal():
    mapping = path("hba64:C1:T0:L0").GetTransportMapping().get()
    assert mapping.GetType() == _qorctl.TransportMapping_TRANSPORT_TYPE_ISCSI
    assert (mapping.GetTargetString(), mapping.GetAdapterString()) == (
        "iqn.2026-01.invalid.array-1:target1,2", "hba64")
    local = path("hba0:C0:T0:L0").GetTransportMapping().get()
    assert (local.GetType(), local.GetAdapterString()) == (_qorctl.TransportMapping_TRANSPORT_TYPE_GENERIC, "hba0")


# ---- the conversion graph ------------------------------------------------------------------

@pytest.mark.parametrize("source, target, converts", [
    ("FibreChannelInterfaceImpl", "HostCtl__Storage__ScsiInterface", True),
    ("FibreChannelInterfaceImpl", "HostCtl__Storage__FibreChannelInterface", True),
    ("PcieInterfaceImpl", "HostCtl__Storage__PcieInterface", True),
    ("FibreChannelOverEthernetInterface", "HostCtl__Storage__FibreChannelInterface", True),
    ("FibreChannelOverEthernetInterface", "HostCtl__Lib__HostCtlObject", True),
    ("FibreChannelOverEthernetInterface", "HostCtl__Storage__ScsiInterface", False),
])
def test_adapter_kinds_convert_as_the_library_declares(peer, source, target, converts):
    namespace = "QorCtl__Storage__" if source.endswith("Impl") else "HostCtl__Storage__"
    assert peer.find_cast("_p_" + namespace + source, "_p_" + target) is converts


def test_a_null_by_value_argument_is_a_null_reference():
    with pytest.raises(ValueError) as caught:
        _qorctl.DiskLun_SetClusterWideStats(qorctl.DiskLunImpl("dev.fc0"), None)
    assert str(caught.value) == ("invalid null reference in method 'DiskLun_SetClusterWideStats', "
                                 "argument 2 of type 'HostCtl::Storage::StorageIormInfo'")
