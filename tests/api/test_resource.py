"""Resource groups and their allocations, host statistics, accelerators and
the driver device tree, over the built-in host and over model files."""

import pytest

import _qorctl
import qorctl


@pytest.fixture
def resources():
    return qorctl.ResourceInfoImpl()


def members(group):
    return [holder.get().GetPathName() for holder in group.GetGroupMembers()]


# ---- allocations ----------------------------------------------------------------------

HAS = ("HasMinimum", "HasMaximum", "HasShares", "HasMinLimit", "HasUnits")


@pytest.mark.parametrize("kind", [qorctl.CpuResourceAllocation, qorctl.MemoryResourceAllocation])
def test_an_allocation_without_a_set_mask_has_nothing_but_keeps_its_numbers(kind):
    empty = kind()
    assert [getattr(empty, name)() for name in HAS] == [False] * 5
    assert (empty.GetMinimum(), empty.GetMaximum(), empty.GetShares(), empty.GetMinLimit()) == (0, 0, 0, 0)
    assert (empty.IsInitialized(), empty.CheckIfValid()) == (False, _qorctl.ResourceAllocation_RA_EMPTY)
    given = kind(100, 200, 300, 400, _qorctl.ResourceAllocation_RESOURCE_UNITS_MB)
    assert [getattr(given, name)() for name in HAS] == [True] * 5
    assert (given.GetMinimum(), given.GetMaximum(), given.GetShares(), given.GetMinLimit()) == (100, 200, 300, 400)


def test_each_setter_marks_only_its_own_member():
    allocation = qorctl.CpuResourceAllocation()
    allocation.SetMaximum(4800)
    assert [getattr(allocation, name)() for name in HAS] == [False, True, False, False, False]
    assert allocation.CheckIfValid() == _qorctl.ResourceAllocation_RA_UNITS_NOT_SET


@pytest.mark.parametrize("value, shares, text", [
    ("high", 2 ** 32 - 4, "high"), ("low", 2 ** 32 - 2, "low"), ("1500", 1500, "1500"), (1500, 1500, "1500"),
])
def test_shares_take_a_level_name_or_a_number(value, shares, text):
    allocation = qorctl.MemoryResourceAllocation()
    allocation.SetShares(value)
    assert (allocation.GetShares(), allocation.GetSharesString(), allocation.HasShares()) == (shares, text, True)


@pytest.mark.parametrize("args", [(1.5,), (), ("low", 1)])
def test_shares_refuse_other_argument_lists(args):
    with pytest.raises(NotImplementedError) as caught:
        qorctl.CpuResourceAllocation().SetShares(*args)
    assert str(caught.value).splitlines()[2:] == [
        "    HostCtl::Resource::ResourceAllocation::SetShares(uint32)",
        "    HostCtl::Resource::ResourceAllocation::SetShares(std::string const &)"]


@pytest.mark.parametrize("setter, text", [
    (_qorctl.ResourceAllocation_SetShares, "plenty"),
    (_qorctl.ResourceAllocation_SetMaximum, "-5"),
    (_qorctl.ResourceAllocation_SetMinLimit, "lots"),
    (_qorctl.ResourceAllocation_SetUnits, "furlongs"),
])
def test_texts_that_do_not_read_are_refused_by_the_library(setter, text):
    allocation = qorctl.CpuResourceAllocation()
    with pytest.raises(qorctl.HostCtlException, match="^invalid "):
        setter(allocation, text)
    assert not allocation.IsInitialized()


@pytest.mark.parametrize("kind, units, text", [
    (qorctl.CpuResourceAllocation, _qorctl.ResourceAllocation_RESOURCE_UNITS_MHZ, "MHz"),
    (qorctl.CpuResourceAllocation, _qorctl.ResourceAllocation_RESOURCE_UNITS_MB, None),
    (qorctl.MemoryResourceAllocation, _qorctl.ResourceAllocation_RESOURCE_UNITS_GB, "GB"),
    (qorctl.MemoryResourceAllocation, _qorctl.ResourceAllocation_RESOURCE_UNITS_PERCENT, None),
])
def test_units_must_fit_the_resource(kind, units, text):
    allocation = kind()
    allocation.SetMinimum(1)
    if text:
        allocation.SetUnits(units)
        assert (allocation.GetUnitsString(), allocation.IsValid()) == (text, True)
    else:
        with pytest.raises(qorctl.HostCtlException, match="do not apply"):
            allocation.SetUnits(units)
        assert not allocation.HasUnits()


def test_units_also_go_by_name_through_the_base_class():
    allocation = qorctl.MemoryResourceAllocation()
    _qorctl.ResourceAllocation_SetUnits(allocation, "pages")
    assert allocation.GetUnits() == _qorctl.ResourceAllocation_RESOURCE_UNITS_PAGES


@pytest.mark.parametrize("minimum, maximum, limit, result", [
    (10, 5, None, _qorctl.ResourceAllocation_RA_MIN_GT_MAX),
    (10, "unlimited", None, _qorctl.ResourceAllocation_RA_OK),
    (10, 20, 5, _qorctl.ResourceAllocation_RA_MINLIMIT_LT_MIN),
    (10, 20, "unlimited", _qorctl.ResourceAllocation_RA_OK),
])
def test_checks_compare_minimum_maximum_and_limit(minimum, maximum, limit, result):
    allocation = qorctl.CpuResourceAllocation()
    allocation.SetMinimum(minimum)
    allocation.SetMaximum(maximum)
    if limit is not None:
        allocation.SetMinLimit(limit)
    allocation.SetUnits(_qorctl.ResourceAllocation_RESOURCE_UNITS_MHZ)
    assert allocation.CheckIfValid() == result
    assert isinstance(qorctl.ResourceAllocation.GetCheckResultString(result), str)


def test_group_specs_start_empty_and_take_copies_of_their_allocations():
    group = qorctl.ResourceGroupSpec()
    assert group.name == "" and not group.cpu.IsInitialized() and not group.memory.IsInitialized()
    cpu = qorctl.CpuResourceAllocation()
    cpu.SetMinimum(1200)
    group.cpu = cpu
    cpu.SetMinimum(2400)
    assert (group.cpu.GetMinimum(), group.cpu.HasMinimum()) == (1200, True)


# ---- the resource-group tree -----------------------------------------------------------

def test_the_group_tree_has_host_system_and_user_groups(resources):
    root = resources.ResourceGroupRoot().get()
    assert (root.GetGroupName(), members(root)) == ("host", ["host/system", "host/user"])
    user = resources.FindResourceGroup("host/user").get()
    assert members(user) == ["host/user/pool-a", "host/user/pool-b"]
    pool = resources.FindResourceGroup(4).get()
    assert (pool.GetGroupName(), pool.GetParentId(), pool.GetVcpuList()) == ("pool-a", 3, (0, 1, 2, 3))
    assert pool.GetGroupFlags() & _qorctl.ResourceGroup_RES_GROUP_USER_GROUP
    assert qorctl.ResourceGroupImpl.GetResourceGroup(1).get().GetPathName() == "host/system"


def test_group_allocations_and_statistics_come_from_the_model(resources):
    pool = resources.FindResourceGroup("host/user/pool-a").get()
    cpu = pool.GetCpuAllocation()
    assert cpu.thisown and (cpu.GetMinimum(), cpu.GetMaximum(), cpu.GetShares()) == (4800, 9600, 4000)
    assert (cpu.GetMinLimitString(), cpu.GetUnitsString(), cpu.IsValid()) == ("unlimited", "MHz", True)
    assert pool.GetMemoryAllocation(_qorctl.ResourceAllocation_RESOURCE_UNITS_MB).GetSharesString() == "normal"
    stats = pool.GetCpuStats()
    assert isinstance(stats, qorctl.CpuStatsPtr) and stats.get().effectiveMin == 4800
    assert pool.GetMemoryStats().get().targetAllocation == 8388608


def test_a_group_keeps_an_allocation_it_is_given(sim_host):
    sim_host("""
        [ResourceGroup 7]
        PathName = host/user/batch
        CpuAllocation = shares=low,units=MHz
        """)
    group = qorctl.ResourceInfoImpl().FindResourceGroup(7).get()
    allocation = qorctl.CpuResourceAllocation(0, 2400, 500, 0, _qorctl.ResourceAllocation_RESOURCE_UNITS_MHZ)
    allocation.SetMaximum("unlimited")
    group.SetCpuAllocation(allocation)
    again = group.GetCpuAllocation()
    assert (again.GetMaximumString(), again.GetShares(), again.HasMinLimit()) == ("unlimited", 500, True)


def test_host_statistics_come_as_tuples_copies_and_filled_records(resources):
    per_cpu = resources.GetHostCpuStats()
    assert isinstance(per_cpu, tuple) and len(per_cpu) == 8
    assert per_cpu[1].usedTime == 42500000
    memory = resources.GetHostMemoryStats()
    assert memory.thisown and memory.free == 24117248
    power = qorctl.HostPowerStats()
    assert resources.GetHostPowerStats(power) is None and (power.power, power.powerCap) == (312, 750)
    assert resources.GetHostCapacity().cpu == 19200


def test_a_failing_group_operation_is_the_library_exception(sim_host):
    sim_host("""
        [ResourceGroup 0]
        PathName = host
        [fail]
        ResourceGroup.DeleteGroup = the root group cannot be deleted
        """)
    root = qorctl.ResourceInfoImpl().ResourceGroupRoot().get()
    with pytest.raises(qorctl.HostCtlException, match="^the root group cannot be deleted$"):
        root.DeleteGroup()


# ---- accelerators and the device tree ------------------------------------------------

def test_accelerators_answer_from_their_members():
    accelerators = [holder.get() for holder in qorctl.QATInfoImpl().GetQATAccelInfoList()]
    assert [(a.GetDeviceTypeStr(), a.GetMaxDevices()) for a in accelerators] == [("c4xxx", 4), ("c4xxxvf", 4)]
    made = qorctl.QATAccelInfo(8, 3, "c6xxx")
    assert (made.GetMaxDevices(), made.GetVersion(), made.GetDeviceTypeStr()) == (8, 3, "c6xxx")
    component = qorctl.DCFInfoImpl().GetDCFComponentInfoList()[0].get()
    assert (component.GetComponentName(), component.GetDeviceSbdfStr()) == ("dcf-crypto", "0000:00:0a.0")
    attributes = component.GetComponentAttributes()
    assert not attributes.own()   # lent from the component


def test_device_ids_are_opaque_owned_copies_and_refuse_none():
    root = _qorctl.DeviceTree_GetSwDevRoot()
    assert root.own() and type(root).__name__ == "SwigPyObject"
    assert _qorctl.DeviceTree_GetChildren(root).own()
    with pytest.raises(ValueError) as caught:
        _qorctl.DeviceTree_GetChildren(None)
    assert str(caught.value) == \
        "invalid null reference in method 'DeviceTree_GetChildren', argument 1 of type 'Device_ID'"
    assert isinstance(qorctl.DeviceTree().GetDeviceAddress("pci", root), str)


def test_virtual_machines_and_worlds_come_from_the_model(resources):
    running = [holder.get() for holder in resources.GetRunningVirtualMachines()]
    assert [(vm.GetDisplayName(), vm.GetNumVcpus()) for vm in running] == [("web-01", 2), ("db-01", 4)]
    pool = resources.FindResourceGroup("host/user/pool-b").get()
    assert [h.get().GetUuid() for h in pool.GetVirtualMachines()] == ["564d9b3c-2e1f-4a87-b6c5-d4e3f2a1b0c9"]
    vm = resources.GetVirtualMachineByWorldId(1001).get()
    assert (vm.GetPathName(), vm.GetVscsiIds()) == ("host/user/pool-a/web-01", (8192, 8193))
    assert [h.get().GetWorldName() for h in resources.GetAllWorlds()] == [
        "idle0", "hostd-worker", "vmm0:web-01", "vmm0:db-01"]
    assert resources.HasRunningVirtualMachines() is True
