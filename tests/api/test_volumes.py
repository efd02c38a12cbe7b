"""File systems and volumes seen from Python: mounting and unmounting, look-ups
that lend the library's holders, network file systems added and removed, the
resolve flow of an unresolved snapshot volume and the caches that list such
volumes, and the records and values of the area."""

import ctypes
import gc

import pytest

import _qorctl as q
import qorctl

DATASTORE = "6571f2a0-1c2e3d4f-0a1b-02005a100001"
SHARED = "6571f2a0-1c2e3d4f-0a1b-02005a100002"
VOLUMES = ("'std::vector< QorCtl::Storage::UnresolvedLufsVolumeImpl,"
           "std::allocator< QorCtl::Storage::UnresolvedLufsVolumeImpl > > &'")

# A host of two clustered volumes, a network file system and the unresolved
# snapshot of one of the volumes, each test on a model of its own.
MODEL = """
[VmFileSystem datastore1]
VolumeName = datastore1
Uuid = %(datastore)s
Extents = dev.local0:8
Mounted = true
Size = 590009188352
VolumeUsage = 147502301184

[VmFileSystem shared-fc]
VolumeName = shared-fc
Uuid = %(shared)s
Extents = dev.fc0:1,dev.fc1:1
HeadExtentName = dev.fc0:1
Mounted = true
Size = 3297999077376

[NetworkFileSystem nfs-iso]
VolumeName = nfs-iso
Uuid = 3b9c1d20-5e6f7a8b
Version = 3
RemoteHost = 198.51.100.30
RemoteShareName = /export/iso
Mounted = true

[DiskLunPartition dev.fc0:1]
[DiskLunPartition dev.fc1:1]

[UnresolvedLufsVolume snap0-shared-fc]
LufsUuid = %(shared)s
LufsLabel = shared-fc
TotalSize = 1099511627776
Extents = dev.snap0:1
Snapshot = true
%(extra)s

[UnresolvedLufsExtent dev.snap0:1]
UnresolvedLufsVolume = snap0-shared-fc
LufsExtentIndex = 0
End = 2147483647
"""


@pytest.fixture
def host(sim_host):
    """Writes the model (with extra lines for the unresolved volume and
    sections of its own after it) and returns the volume look-up."""
    def make(extra="", sections=""):
        sim_host(MODEL % {"datastore": DATASTORE, "shared": SHARED, "extra": extra} + sections)
        q.QorCtlObject_Init()
    make()
    return make


def lufs(label):
    holder = q.VmFileSystemImpl_GetLUFSFileSystemByLabel(label)
    return holder.get() if holder is not None else None


def labels():
    return sorted(h.get().GetVolumeName() for h in q.VmFileSystemImpl_GetLufsFileSystems(""))


def cached_volumes(peer, fill, *flag):
    volumes = peer.volume_list()
    fill(volumes, *flag)
    return peer.volume_names(volumes)


# ---- resolve outcomes ------------------------------------------------------------------

@pytest.mark.parametrize("outcome, text", [
    (0, "ok"), (1, "duplicate extents found"), (2, "some extents missing"), (3, "extra extents found"),
    (4, "failed to check for existing active volumes"), (5, "the volume is being actively used"),
    (6, "the original volume is still online"), (7, "the original volume has some extents online"),
    (8, "unknown error"), (-1, "unknown error"), (2 ** 31 - 1, "unknown error"), (-2 ** 31, "unknown error"),
])
def test_every_resolve_outcome_has_its_text_and_any_other_value_is_unknown(outcome, text):
    assert q.UnresolvedLufsVolume_ResolveErrorToString(outcome) == text


# ---- mounting --------------------------------------------------------------------------

def test_unmounting_and_mounting_show_in_later_reads(host):
    fs = lufs("datastore1")
    assert fs.IsMounted() and fs.GetSize() > fs.GetVolumeUsage() > 0
    assert fs.Unmount() == q.FileSystem_UnmountStatusSuccess
    assert not lufs("datastore1").IsMounted()
    fs.Mount(q.FileSystem_MountOperationDontPersistState)
    assert lufs("datastore1").IsMounted()


def test_a_busy_volume_stays_mounted_and_a_failure_leaves_the_state_alone(host):
    host(sections="[VmFileSystem busy]\nBusy = true\nMounted = true\n[fail]\nVmFileSystem.Mount@datastore1 = no quorum\n")
    assert lufs("busy").Unmount(q.FileSystem_MountOperationNoOptions) == q.FileSystem_UnmountStatusBusy
    assert lufs("busy").IsMounted()
    fs = lufs("datastore1")
    fs.Unmount()
    with pytest.raises(qorctl.HostCtlException, match="^no quorum$"):
        fs.Mount()
    assert not fs.IsMounted()


def test_the_automount_mounts_what_is_not_left_unmounted_on_purpose(host):
    host(sections="[VmFileSystem parked]\nMounted = false\nPersistentMount = false\nUuid = 11\n")
    lufs("datastore1").Unmount()
    assert q.VmFileSystemImpl_AutomountLufsFileSystems(True) == 1
    assert lufs("datastore1").IsMounted() and not lufs("parked").IsMounted()
    uuids = qorctl.StringSet()
    q.VmFileSystemImpl_GetPersistentlyUnmountedFsUuids(uuids)
    assert list(uuids) == ["11"]


# ---- look-ups --------------------------------------------------------------------------

def test_look_ups_lend_one_holder_per_volume_and_none_for_an_unknown_one(host):
    first, again = (q.VmFileSystemImpl_GetLUFSFileSystemByUUID(SHARED) for _ in range(2))
    assert int(first.this) == int(again.this) and not first.this.own()
    assert first.get().GetVolumeName() == "shared-fc"
    assert q.VmFileSystemImpl_GetLUFSFileSystemByUUID("no-such-uuid") is None
    assert q.VmFileSystemImpl_GetLUFSFileSystemByLabel("nfs-iso") is None  # not a clustered volume
    first.reset()  # a script emptied the lent holder: the next look-up fills it again
    assert q.VmFileSystemImpl_GetLUFSFileSystemByLabel("shared-fc").get().GetUuid() == SHARED


@pytest.mark.parametrize("device, expected", [
    ("", ["datastore1", "shared-fc"]), ("dev.fc1", ["shared-fc"]), ("dev.local0:8", ["datastore1"]),
    ("dev.fc", []),
])
def test_clustered_volumes_are_listed_by_the_device_of_an_extent(host, device, expected):
    assert sorted(h.get().GetVolumeName() for h in q.VmFileSystemImpl_GetLufsFileSystems(device)) == expected


def test_extents_are_the_partitions_the_volume_spans_head_first(host):
    host(sections="[DiskLunPartition dev.fc2:1]\n")
    fs = lufs("shared-fc")
    extents = fs.GetExtents()
    assert len(extents) == 2 and all(h.get() is not None for h in extents)
    head = fs.GetHeadPartition()
    assert int(head.this) == int(lufs("shared-fc").GetHeadPartition().this) and head.get() is not None
    assert lufs("nfs-iso") is None and fs.GetHeadExtentName() == "dev.fc0:1"
    assert q.VmFileSystemImpl_FindFileSystemGivenHeadPartition("dev.fc0:1") == SHARED
    assert q.VmFileSystemImpl_FindFileSystemGivenHeadPartition("dev.fc1:1") == ""
    with pytest.raises(qorctl.HostCtlException, match="already an extent of 'datastore1'"):
        fs.AddExtent("dev.local0:8")
    fs.AddExtent("dev.fc2:1", 0)
    assert len(lufs("shared-fc").GetExtents()) == 3


def test_a_created_volume_is_found_and_a_taken_partition_refused(host):
    holder = q.VmFileSystemImpl_CreateFileSystem("dev.iscsi0:1", "scratch", q.VmFileSystem_LUFS_VERSION_6)
    assert holder.get().GetVolumeName() == "scratch" and "scratch" in labels()
    assert q.VmFileSystemImpl_GetLUFSLVNameByUUIDOrLabel("scratch") == holder.get().GetLvmName()
    with pytest.raises(qorctl.HostCtlException, match="in use by 'shared-fc'"):
        q.VmFileSystemImpl_CreateFileSystem("dev.fc1:1", "other", q.VmFileSystem_LUFS_VERSION_6, 1048576)
    with pytest.raises(qorctl.HostCtlException, match="already exists"):
        q.VmFileSystemImpl_CreateFileSystem("dev.off0:1", "scratch", q.VmFileSystem_LUFS_VERSION_6)


# ---- network file systems ------------------------------------------------------------

def test_network_file_systems_are_added_found_and_removed(host):
    nfs = q.NetworkFileSystemImpl_GetNetworkFileSystemByUUID("3b9c1d20-5e6f7a8b")
    assert (nfs.GetRemoteHost(), nfs.GetRemoteShareName()) == ("198.51.100.30", "/export/iso")
    added = nfs.AddNetworkFileSystem("198.51.100.31", "/export/vm", "nfs-vm", True)
    assert added.get().GetRemoteHosts() == ("198.51.100.31",) and added.get().GetReadOnly()
    assert q.NetworkFileSystemImpl_LabelExists("nfs-vm")
    with pytest.raises(qorctl.HostCtlException, match="already exists"):
        nfs.AddNetworkFileSystem("198.51.100.32", "/export/x", "nfs-vm")
    nfs.RemoveNetworkFileSystem("nfs-vm")
    assert not q.NetworkFileSystemImpl_LabelExists("nfs-vm")
    assert q.NetworkFileSystemImpl_GetNetworkFileSystemByUUID("no-such-uuid") is None


# ---- unresolved volumes -------------------------------------------------------------------

def test_a_snapshot_resolves_with_a_new_identity_and_leaves_the_unresolved_lists(host, peer):
    volume = qorctl.UnresolvedLufsVolumeImpl("snap0-shared-fc")
    assert [q.HostCtlObject_GetName(h.get()) for h in volume.GetExtents()] == ["dev.snap0:1"]
    assert volume.CanResolve(True, False, None)
    assert cached_volumes(peer, q.UnresolvedLufsVolumeCache_GetFromVSI) == ["snap0-shared-fc"]
    resolved = volume.ResolveVolume().get()
    assert resolved.GetVolumeName().startswith("snap-") and resolved.GetVolumeName().endswith("-shared-fc")
    assert resolved.GetUuid() != SHARED and resolved.IsMounted() and not resolved.IsForceMounted()
    assert resolved.GetVolumeName() in labels()
    assert cached_volumes(peer, q.UnresolvedLufsVolumeCache_GetFromVSI) == []


def test_a_forced_mount_keeps_the_identity_and_needs_the_original_offline(host):
    volume = qorctl.UnresolvedLufsVolumeImpl("snap0-shared-fc")
    assert not volume.CanResolve(False, True, None)
    with pytest.raises(qorctl.HostCtlException, match="the original volume is still online$"):
        volume.ForceMountLufs(True, False)
    lufs("shared-fc").Unmount()
    mounted = volume.ForceMountLufs(True, False).get()
    assert mounted.GetUuid() == SHARED and mounted.IsForceMounted() and mounted.IsForceMountPersistent()


@pytest.mark.parametrize("extra, sections, outcome", [
    ("ResolveError = 5", "", "the volume is being actively used"),
    ("Extents = dev.snap0:1,dev.snap1:1", "", "some extents missing"),
    ("", "[UnresolvedLufsExtent dev.snap1:1]\nUnresolvedLufsVolume = snap0-shared-fc\n", "extra extents found"),
])
def test_a_volume_that_cannot_resolve_says_why(host, extra, sections, outcome):
    host(extra, sections)
    volume = qorctl.UnresolvedLufsVolumeImpl("snap0-shared-fc")
    assert not volume.CanResolve(True, False, None)
    with pytest.raises(qorctl.HostCtlException, match=outcome + "$"):
        volume.ResolveVolume()


def test_the_caches_are_one_each_and_fill_a_list_the_caller_gives(host, peer):
    first, second = q.UnresolvedLufsVolumeCache_Inst(), q.UnresolvedLufsVolumeCache_Inst()
    assert int(first.this) == int(second.this) and not first.this.own()
    other = q.UnresolvedLufsVolumeNoSnapShotCache_Inst()
    assert int(other.this) != int(second.this)
    del first
    gc.collect()  # a borrowed proxy's death destroys nothing: the cache still serves
    assert int(q.UnresolvedLufsVolumeCache_Inst().this) == int(second.this)
    fill = q.UnresolvedLufsVolumeCache_GetFromVSI
    assert cached_volumes(peer, fill) == cached_volumes(peer, fill, True) == ["snap0-shared-fc"]
    assert cached_volumes(peer, fill, False) == ["snap0-shared-fc"]
    # Only copies, not snapshots, are in the other cache.
    assert cached_volumes(peer, q.UnresolvedLufsVolumeNoSnapShotCache_GetFromVSI) == []
    host("Snapshot = false")
    assert cached_volumes(peer, q.UnresolvedLufsVolumeNoSnapShotCache_GetFromVSI) == ["snap0-shared-fc"]


@pytest.mark.parametrize("call, error, message", [
    (lambda: q.UnresolvedLufsVolumeCache_GetFromVSI(None), ValueError,
     "invalid null reference in method 'UnresolvedLufsVolumeCache_GetFromVSI', argument 1 of type " + VOLUMES),
    (lambda: q.UnresolvedLufsVolumeNoSnapShotCache_GetFromVSI([]), TypeError,
     "in method 'UnresolvedLufsVolumeNoSnapShotCache_GetFromVSI', argument 1 of type " + VOLUMES),
    (lambda: q.UnresolvedLufsVolumeCache_GetFromVSI(None, True, 1), NotImplementedError,
     "Wrong number or type of arguments for overloaded function 'UnresolvedLufsVolumeCache_GetFromVSI'."),
])
def test_the_caches_fill_only_a_list_proxy(call, error, message):
    with pytest.raises(error) as caught:
        call()
    assert str(caught.value).startswith(message)


# ---- by-value and by-reference class arguments --------------------------------------------

def test_unmap_properties_start_low_and_travel_as_copies(host):
    prop = qorctl.LufsVolumeUnmapProperty()
    assert (prop.unmapPriority, prop.unmapGranularity, prop.unmapBandwidth, prop.unmapMethod) == ("low", 0, 0, "")
    prop.unmapPriority, prop.unmapBandwidth = "high", 500
    fs = lufs("datastore1")
    fs.SetVolumeUnmapProperty(prop)
    read = fs.GetVolumeUnmapProperty()
    assert (read.unmapPriority, read.unmapBandwidth) == ("high", 500) and read.this.own()
    read.unmapPriority = "none"
    assert fs.GetVolumeUnmapProperty().unmapPriority == "high" and prop.unmapPriority == "high"


@pytest.mark.parametrize("call, message", [
    (lambda fs: q.VmFileSystem_SetVolumeUnmapProperty(fs, None),
     "invalid null reference in method 'VmFileSystem_SetVolumeUnmapProperty', argument 2 of type "
     "'HostCtl::Storage::LufsVolumeUnmapProperty const &'"),
    (lambda fs: q.NetworkFileSystemImpl_LoadConfig(
        q.NetworkFileSystemImpl_GetNetworkFileSystemByUUID("3b9c1d20-5e6f7a8b"), None),
     "invalid null reference in method 'NetworkFileSystemImpl_LoadConfig', argument 2 of type "
     "'TarnConfigStore::ConfigStoreObjectPtr'"),
    (lambda fs: q.UnresolvedLufsVolumeImpl_AddExtent(q.new_UnresolvedLufsVolumeImpl("snap0-shared-fc"), None),
     "invalid null reference in method 'UnresolvedLufsVolumeImpl_AddExtent', argument 2 of type "
     "'QorCtl::Storage::UnresolvedLufsExtentImpl const &'"),
])
def test_a_null_class_argument_is_refused_with_its_position(host, call, message):
    with pytest.raises(ValueError) as caught:
        call(lufs("datastore1"))
    assert str(caught.value) == message


# ---- records and values -------------------------------------------------------------------

def _container_id(last_byte):
    cid = qorctl.ContainerId()
    ctypes.memset(int(cid.this), 0, 16)
    ctypes.memset(int(cid.this) + 15, last_byte, 1)
    return cid


@pytest.mark.parametrize("last_byte, null", [(0, True), (1, False)])
def test_a_container_id_is_null_only_when_both_words_are_zero(last_byte, null):
    assert q.ContainerIdIsNull(_container_id(last_byte)) is null


def test_the_version_6_options_are_the_library_variable(host):
    options = q.VmFileSystemImpl_GetVolumeConfigOptions(q.VmFileSystem_LUFS_VERSION_6)
    assert int(options) == int(q.cvar.VmFileSystemImpl_LUFS6_VOL_OPTIONS)
    assert q.VmFileSystemImpl_GetVolumeConfigOptions(q.VmFileSystem_LUFS_VERSION_5) is None
    option = qorctl.LufsVolumeConfigOption(1048576)
    assert (option.blockSize, option.defaultUnmapBandwidth, list(option.unmapGranularities)) == (1048576, 100, [1048576])
    assert qorctl.LufsVolumeConfigOption().blockSize == 0


def test_the_network_file_system_filters_read_the_object_and_refuse_none(host):
    host(sections="[NetworkFileSystem pe]\nVersion = 3\nUuid = 77\nConfigIsPE = true\nHidden = true\n")
    plain = q.NetworkFileSystemImpl_GetNetworkFileSystemByUUID("3b9c1d20-5e6f7a8b")
    pe = q.NetworkFileSystemImpl_GetNetworkFileSystemByUUID("77")
    assert [(q.IsPE(f), q.IsNotPE(f), q.IsNotHidden(f)) for f in (plain, pe)] == [
        (False, True, True), (True, False, False)]
    with pytest.raises(qorctl.HostCtlException, match="no network file system given"):
        q.IsPE(None)
