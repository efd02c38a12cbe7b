"""Logical units, paths and partitions of the built-in host and of model
files: devices looked up by name, their paths and states, partitions and the
type table, the value classes the library keeps, and which proxies stand for
a logical unit."""

import pytest

import _qorctl
import qorctl

GB = 10 ** 9


def paths_of(lun):
    return [holder.get() for holder in lun.GetPaths()]


@pytest.mark.parametrize("name, vendor, model, size, ssd, status, paths", [
    ("dev.local0", "QDISK", "QD-600S", 600 * GB, False, "on", 1),
    ("dev.local1", "QDISK", "QF-400N", 400 * GB, True, "on", 1),
    ("dev.fc0", "ARRAYCO", "AC-9000", 2000 * GB, False, "on", 2),
    ("dev.fc1", "ARRAYCO", "AC-9000", 1000 * GB, False, "on", 3),
    ("dev.snap0", "ARRAYCO", "AC-9000", 1000 * GB, False, "on", 2),
    ("dev.iscsi0", "ARRAYCO", "AC-ISCSI", 500 * GB, False, "on", 2),
    ("dev.off0", "QDISK", "QD-250A", 250 * GB, False, "off", 1),
])
def test_devices_of_the_built_in_host(name, vendor, model, size, ssd, status, paths):
    lun = qorctl.DiskLunImpl(name)
    assert (lun.GetIdentifier(), lun.GetVendor(), lun.GetModel(), lun.GetSize(), lun.IsSSD()) == (
        name, vendor, model, size, ssd)
    assert lun.GetNumBlocks() * lun.GetBlockSize() == size
    assert lun.GetStatusString() == status
    assert len(paths_of(lun)) == paths and all(p.GetDevice().get().GetIdentifier() == name for p in paths_of(lun))


def test_paths_carry_their_address_state_and_adapter():
    states = {p.GetRuntimeName(): (p.GetStateString(), p.GetAdapterName(), p.GetTargetNumber(), p.GetLun())
              for p in paths_of(qorctl.DiskLunImpl("dev.fc1"))}
    assert states == {"hba3:C0:T0:L2": ("active", "hba3", 0, 2), "hba3:C0:T1:L2": ("standby", "hba3", 1, 2),
                      "hba3:C0:T2:L2": ("dead", "hba3", 2, 2)}
    assert qorctl.DiskLunImpl("dev.off0").GetPathNames() == ("hba1:C0:T1:L0",)


def test_an_unknown_device_or_path_is_the_library_exception():
    with pytest.raises(qorctl.HostCtlException, match="^DiskLun 'dev.none' not found$"):
        qorctl.DiskLunImpl("dev.none")
    with pytest.raises(qorctl.HostCtlException, match="^Lun 'dev.none' not found$"):
        qorctl.LunImpl("dev.none", True)
    with pytest.raises(qorctl.HostCtlException, match="^ScsiPath 'hba9:C0:T0:L0' not found$"):
        qorctl.ScsiPathImpl.GetPath("hba9:C0:T0:L0")


@pytest.mark.parametrize("name, device", [("hba3:C0:T1:L3", "dev.snap0"), ("dev.iscsi0", "dev.iscsi0")])
def test_runtime_names_resolve_to_their_device(name, device):
    assert qorctl.LunImpl.ResolveRuntimeLunName(name) == device


@pytest.mark.parametrize("kind, has", [
    (_qorctl.ScsiInterface_SCSI_IFACE_TYPE_FC, True), (_qorctl.ScsiInterface_SCSI_IFACE_TYPE_ISCSI, False)])
def test_a_device_knows_the_kinds_of_its_paths(kind, has):
    assert qorctl.LunImpl("dev.fc0").HasPathToInterfaceType(kind) is has


PATHS = """
    [DiskLun dev.fc0]
    Also = Lun
    Status = 0
    [ScsiPath hba3:C0:T0:L1]
    DiskLun = dev.fc0
    State = 0
    [ScsiPath hba3:C0:T1:L1]
    DiskLun = dev.fc0
    State = 3
"""


@pytest.mark.parametrize("state, name", [
    (_qorctl.ScsiPath_PATH_STATE_DEAD, "dead"), (_qorctl.ScsiPath_PATH_STATE_OFF, "off"),
    (_qorctl.ScsiPath_PATH_STATE_DEVICE_CHANGED, "device changed"), (_qorctl.ScsiPath_PATH_STATE_UNKNOWN, "unknown")])
def test_a_path_state_set_through_the_module_shows_in_later_reads(sim_host, state, name):
    sim_host(PATHS)
    qorctl.ScsiPathImpl.GetPath("hba3:C0:T0:L1").get().SetState(state)
    again = qorctl.ScsiPathImpl.GetPath("hba3:C0:T0:L1").get()
    assert (again.GetState(), again.GetStateString()) == (state, name)


@pytest.mark.parametrize("state", [5, 65534, -1])
def test_a_state_no_path_can_be_in_is_refused_and_changes_nothing(sim_host, state):
    sim_host(PATHS)
    path = qorctl.ScsiPathImpl.GetPath("hba3:C0:T1:L1").get()
    with pytest.raises(qorctl.HostCtlException, match="invalid state %d for path hba3:C0:T1:L1" % state):
        path.SetState(state)
    assert path.GetStateString() == "standby"


def test_the_unknown_path_state_is_the_unsigned_value():
    assert _qorctl.ScsiPath_PATH_STATE_UNKNOWN == 65535


@pytest.mark.parametrize("status, text", [(0, "on"), (1, "off"), (5, "not connected"), (8, "online")])
def test_device_status_round_trips_through_its_name(sim_host, status, text):
    sim_host(PATHS)
    lun = qorctl.LunImpl("dev.fc0")
    lun.SetStatus(status)
    assert qorctl.LunImpl("dev.fc0").GetStatusString() == text
    assert qorctl.LunImpl.LunStatusStringToLunStatus(text) == status
    assert qorctl.LunImpl.LunStatusStringToLunStatus("sideways") == _qorctl.Lun_LUN_STATUS_UNKNOWN


# ---- partitions ---------------------------------------------------------------------------

def test_the_boot_disk_has_a_gpt_layout_with_a_diagnostic_partition():
    parts = [h.get() for h in qorctl.DiskLunImpl("dev.local0").GetPartitions()]
    assert [(p.GetPartition(), p.GetPartitionType()) for p in parts] == [
        (1, _qorctl.DiskLunPartition_PART_TYPE_EFI_SYS), (5, _qorctl.DiskLunPartition_PART_TYPE_VFAT),
        (6, _qorctl.DiskLunPartition_PART_TYPE_VFAT), (7, _qorctl.DiskLunPartition_PART_TYPE_QORKERNEL_DUMP),
        (8, _qorctl.DiskLunPartition_PART_TYPE_QORKERNEL)]
    assert [p.GetSize() for p in parts[:4]] == [4 * 2 ** 20, 2 ** 30, 2 ** 30, 5 * 2 ** 29]
    assert all(a.GetEndSector() < b.GetStartSector() for a, b in zip(parts, parts[1:]))
    assert parts[3].GetPartitionGuid() == _qorctl.cvar.DiskLunPartition_PART_GUID_QORKERNEL_DUMP
    assert parts[4].GetDiskLun().get().GetModel() == "QD-600S"


def test_a_partition_by_number_keeps_its_kind():
    disk = qorctl.DiskLunImpl("dev.local0")
    assert disk.GetPartitionByNumber(7).get().GetIdentifier() == "dev.local0:7"
    with pytest.raises(qorctl.HostCtlException, match="^DiskLunPartition 'dev.local0:2' not found$"):
        disk.GetPartitionByNumber(2)
    assert disk.GetPartitionName(8) == "dev.local0:8"


@pytest.mark.parametrize("guid, kind", [
    (_qorctl.cvar.DiskLunPartition_PART_GUID_VFAT, 6), (_qorctl.cvar.DiskLunPartition_PART_GUID_EFI_SYS.upper(), 239),
    (_qorctl.cvar.DiskLunPartition_PART_GUID_EMPTY, 0)])
def test_partition_guids_and_types_convert_both_ways(guid, kind):
    impl = qorctl.DiskLunPartitionImpl
    assert impl.ConvertGuidToType(guid) == kind
    assert impl.ConvertTypeToGuid(kind) == guid.lower()


def test_the_type_table_grows_and_refuses_what_it_does_not_hold():
    impl = qorctl.DiskLunPartitionImpl
    with pytest.raises(qorctl.HostCtlException, match="^no GUID for partition type 222$"):
        impl.ConvertTypeToGuid(_qorctl.DiskLunPartition_PART_TYPE_DELL_UTILITY)
    guid = "5a100000-0000-4000-8000-0000000000de"
    impl.AddPartitionTypeGuidPair(guid, 222)
    assert (impl.ConvertTypeToGuid(222), impl.ConvertGuidToType(guid.upper())) == (guid, 222)
    with pytest.raises(qorctl.HostCtlException, match="^unknown partition type GUID 'not-a-guid'$"):
        impl.ConvertGuidToType("not-a-guid")


# ---- value classes -------------------------------------------------------------------------

def test_a_durable_name_copies_the_identifier_bytes():
    record = qorctl.ProviderId()   # its eight bytes, zeroed, lent as a pointer
    name = qorctl.DurableName(_qorctl.LUN_INQ_SRC_VPD, 8, record.byte)
    assert name.GetSource() == _qorctl.LUN_INQ_SRC_VPD
    assert name.GetStringData() == "\0" * 8 and name.GetPrintableStringData() == "." * 8
    assert qorctl.DurableName(name).GetStringData() == "\0" * 8
    assert qorctl.DurableName(_qorctl.LUN_INQ_SRC_STD, 0, None).GetStringData() == ""


def test_a_durable_name_without_its_bytes_is_refused():
    with pytest.raises(qorctl.HostCtlException, match="^durable name of 16 bytes without its identifier$"):
        qorctl.DurableName(_qorctl.LUN_INQ_SRC_STD, 16, None)


def test_handles_and_partition_entries_keep_what_they_are_given():
    handle = qorctl.LunHandle(1201, 3)
    assert (handle.GetWorldID(), handle.GetPartition()) == (1201, 3)
    assert (qorctl.LunHandle().GetWorldID(), qorctl.LunHandle().GetPartition()) == (0, 0)
    entry = qorctl.Partition(8, 9445440, 1171874966, 251, "guid-8")
    entry.SetType(6)
    entry.SetGuid("guid-6")
    assert (entry.GetNumber(), entry.GetStartSector(), entry.GetEndSector(), entry.GetType(), entry.GetGuid()) == (
        8, 9445440, 1171874966, 6, "guid-6")


# ---- which proxies stand for a logical unit or a path -----------------------------------------

def test_a_disk_proxy_stands_for_a_logical_unit_and_a_plain_one_does_not():
    assert _qorctl.Lun_GetVendor(qorctl.DiskLunImpl("dev.fc0")) == "ARRAYCO"
    with pytest.raises(TypeError) as caught:
        _qorctl.Lun_GetVendor(qorctl.LunImpl("dev.fc0"))
    assert str(caught.value) == "in method 'Lun_GetVendor', argument 1 of type 'HostCtl::Storage::Lun *'"
    assert qorctl.LunImpl("dev.fc0").GetVendor() == "ARRAYCO"
    assert not isinstance(qorctl.LunImpl("dev.fc0"), qorctl.Lun)
    assert isinstance(qorctl.DiskLunImpl("dev.fc0"), qorctl.Lun)


@pytest.mark.parametrize("source, converts", [("ScsiPathImpl", False), ("LunImpl", False), ("DiskLunImpl", True)])
def test_implementations_convert_to_their_interfaces_as_declared(peer, source, converts):
    target = "_p_HostCtl__Storage__ScsiPath" if source.startswith("Scsi") else "_p_HostCtl__Storage__Lun"
    assert peer.find_cast("_p_QorCtl__Storage__" + source, target) is converts


# ---- how a model describes devices ------------------------------------------------------------

@pytest.mark.parametrize("also, found", [("Also = Lun", True), ("Also = ScsiInterface, Lun", True), ("", False)])
def test_a_disk_stands_for_a_logical_unit_only_when_its_model_says_so(sim_host, also, found):
    sim_host("[DiskLun dev.x]\n%s\nVendor = QDISK\n" % also)
    assert qorctl.DiskLunImpl("dev.x").GetVendor() == "QDISK"
    if found:
        assert qorctl.LunImpl("dev.x").GetVendor() == "QDISK"
    else:
        with pytest.raises(qorctl.HostCtlException, match="^Lun 'dev.x' not found$"):
            qorctl.LunImpl("dev.x")


def test_sections_of_one_device_in_several_places_describe_one_node(sim_host):
    sim_host("[DiskLun dev.x]\nVendor = QDISK\n[ScsiPath p0]\nDiskLun = dev.x\n[DiskLun dev.x]\nModel = QD-1\n")
    disk = qorctl.DiskLunImpl("dev.x")
    assert (disk.GetVendor(), disk.GetModel(), disk.GetPathNames()) == ("QDISK", "QD-1", ("p0",))
