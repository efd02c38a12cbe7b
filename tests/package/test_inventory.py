"""python -m qorctl: the inventory tree, its JSON document, its failures and
errors, and the model file it captures, run as a user runs it."""

import json
import os
import pty
import subprocess
import sys
import textwrap

import pytest

from conftest import BUILD_DIR

SMALL_HOST = """\
[Pnic nic0]
LinkUp = true
LinkSpeed = 25000
MTU = 9000
MacAddress = 02:00:5e:00:00:0a

[Pnic nic1]
LinkUp = false
MTU = 1500

[HardwareInfo]
ProductName = test node

[CpuInfo]
NumCpuThreads = 4

[NumaNode 0]
MemorySize = 1024

[Cpu 0]
NumaNode = 0

[Cpu 1]
NumaNode = 0

[BootDevice a]
description = disk one
priority = 1
enabled = true

[Module qnet]
Loaded = true
Version = 1.4.0

[ServiceAgent sshd]
Running = true

[FirewallRuleset sshServer]
Enabled = true

[fail]
Pnic.GetLinkSpeed@nic1 = link down on nic1
Module.GetVersion = module table busy
"""


def run(*args, model=None, model_text=None, tmp_path=None):
    env = dict(os.environ)
    env["PYTHONPATH"] = str(BUILD_DIR)
    env.pop("QORCTL_SIM_HOST", None)
    if model_text is not None:
        model = tmp_path / "host.model"
        model.write_text(textwrap.dedent(model_text))
    if model is not None:
        env["QORCTL_SIM_HOST"] = str(model)
    return subprocess.run([sys.executable, "-m", "qorctl", *args], capture_output=True, text=True, env=env,
                          timeout=120)


@pytest.fixture
def small(tmp_path):
    return lambda *args: run(*args, "--service", "sshd", model_text=SMALL_HOST, tmp_path=tmp_path)


def test_json_holds_the_models_values_by_area(small):
    result = small("--json")
    document = json.loads(result.stdout)
    assert list(document) == ["network", "storage", "hardware", "system"]
    adapters = document["network"]["adapters"]
    assert [a["name"] for a in adapters] == ["nic0", "nic1"]
    assert adapters[0]["link_up"] is True and adapters[0]["speed"] == 25000 and adapters[0]["mtu"] == 9000
    assert adapters[0]["mac"] == "02:00:5e:00:00:0a"
    hardware = document["hardware"]
    assert hardware["system"]["product"] == "test node" and hardware["processors"]["threads"] == 4
    assert hardware["numa"] == [{"name": "0", "memory": 1024, "cpus": [{"name": "0"}, {"name": "1"}]}]
    assert [(d["name"], d["priority"], d["enabled"]) for d in hardware["boot_devices"]] == [("disk one", 1, True)]
    assert document["system"]["services"] == [{"name": "sshd", "running": True}]
    assert document["system"]["firewall"]["rulesets"][0]["name"] == "sshServer"


def test_a_service_the_library_does_not_know_fails_on_its_item(tmp_path):
    result = run("--json", "--area", "system", "--service", "sshd", "--service", "telnetd",
                 model_text=SMALL_HOST, tmp_path=tmp_path)
    services = json.loads(result.stdout)["system"]["services"]
    assert services[0] == {"name": "sshd", "running": True}
    assert services[1]["name"] == "telnetd" and "telnetd" in services[1]["lookup"]["error"]
    assert result.returncode == 1


def test_a_failure_shows_on_its_item_and_the_walk_goes_on(small):
    result = small("--json")
    document = json.loads(result.stdout)
    nic1 = document["network"]["adapters"][1]
    assert nic1["speed"] == {"error": "link down on nic1"} and nic1["mtu"] == 1500
    assert document["network"]["adapters"][0]["speed"] == 25000
    module = document["system"]["kernel_modules"][0]
    assert module["version"] == {"error": "module table busy"} and module["loaded"] is True
    assert result.returncode == 1

    text = small().stdout
    assert "nic1: link up no, speed FAILED: link down on nic1, duplex 0, mtu 1500" in text
    assert "qnet: loaded yes, enabled no, version FAILED: module table busy" in text


def test_the_tree_groups_by_area_and_lists_items_under_their_owner(small):
    lines = small().stdout.splitlines()
    assert [line for line in lines if not line.startswith(" ")] == ["network", "storage", "hardware", "system"]
    assert lines[lines.index("  adapters") + 1].startswith("    nic0: link up yes, speed 25000")
    assert "    0: memory 1024, cpus 0, 1" in lines


def test_parts_this_build_lacks_are_one_line_each(small):
    # The storage classes of this package have none of the operations the
    # inventory reads until the storage area is built; either way no part
    # of the tree may be a traceback.
    result = small("--area", "storage")
    assert "Traceback" not in result.stderr
    for line in result.stdout.splitlines()[1:]:
        assert line.startswith("  ")
        if "not available" in line:
            assert line.count("\n") == 0 and "(StorageInfoImpl." in line


@pytest.mark.parametrize("areas", [["system"], ["hardware", "network"]])
def test_area_limits_the_output(small, areas):
    args = [arg for area in areas for arg in ("--area", area)]
    document = json.loads(small("--json", *args).stdout)
    assert sorted(document) == sorted(areas)


@pytest.mark.parametrize("args, message", [
    (["--area", "kitchen"], "argument --area: invalid choice: 'kitchen'"),
    (["--colour"], "unrecognized arguments: --colour"),
    (["--json", "--model"], "not allowed with argument"),
])
def test_bad_options_get_one_line_and_usage(args, message):
    result = run(*args)
    assert result.returncode == 2 and result.stdout == ""
    assert result.stderr.startswith("usage: python -m qorctl")
    assert message in result.stderr.splitlines()[-1]


def test_help_explains_every_option():
    result = run("--help")
    for option in ("--json", "--model", "--area", "--service", "QORCTL_SIM_HOST"):
        assert option in result.stdout
    assert result.returncode == 0


@pytest.mark.parametrize("text, problem", [
    ("[Pnic nic0]\nMTU = 1500\n[Pnic nic1\n", ":3: a section header needs its closing ']'"),
    ("# a host\n\n[ ]\n", ":3: a section header needs a kind: [kind name]"),
    ("MTU = 1500\n", ":1: key = value before the first [kind name]"),
    ("[Pnic nic0]\njust words\n", ":2: expected [kind name] or key = value"),
    ("[Pnic nic0]\n = 1500\n", ":2: key = value needs a key before '='"),
])
def test_a_model_that_does_not_parse_is_named_with_its_line(tmp_path, text, problem):
    result = run(model_text=text, tmp_path=tmp_path)
    assert result.returncode == 2 and result.stdout == ""
    assert result.stderr.count("\n") == 1 and "Traceback" not in result.stderr
    assert str(tmp_path / "host.model") + problem in result.stderr


def test_a_missing_model_file_is_named(tmp_path):
    result = run(model=tmp_path / "absent.model")
    assert result.returncode == 2 and str(tmp_path / "absent.model") in result.stderr


def test_a_capture_that_cannot_be_written_is_one_line(tmp_path):
    result = run("--model", str(tmp_path / "no-such-folder" / "host.model"))
    assert result.returncode == 2 and result.stderr.count("\n") == 1
    assert "cannot write the model file" in result.stderr and "no-such-folder" in result.stderr


def test_a_closed_pipe_ends_quietly(tmp_path):
    # More output than a pipe holds, so that writing meets the closed end.
    model = tmp_path / "many.model"
    model.write_text("".join("[Pnic nic%d]\nMTU = 1500\n" % number for number in range(3000)))
    command = [sys.executable, "-m", "qorctl", "--area", "network"]
    env = dict(os.environ, PYTHONPATH=str(BUILD_DIR), QORCTL_SIM_HOST=str(model))
    with subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env) as process:
        process.stdout.readline()
        process.stdout.close()
        error = process.stderr.read().decode()
        process.wait(timeout=120)
    assert error == ""


def test_progress_goes_to_a_terminal_and_not_to_a_pipe(small):
    assert small().stderr == ""
    primary, secondary = pty.openpty()
    env = dict(os.environ, PYTHONPATH=str(BUILD_DIR))
    env.pop("QORCTL_SIM_HOST", None)
    with os.fdopen(primary, "rb") as terminal:
        result = subprocess.run([sys.executable, "-m", "qorctl", "--area", "hardware"], stdout=subprocess.PIPE,
                                stderr=secondary, env=env, timeout=120)
        os.close(secondary)
        shown = terminal.read1(65536).decode()
    assert "reading hardware: pci devices" in shown and shown.endswith("\r\033[K")
    assert "reading hardware" not in result.stdout.decode()


# ---- capture ------------------------------------------------------------------------------------


def test_capture_loads_back_to_the_same_inventory_and_the_same_file(tmp_path):
    first, second = tmp_path / "first.model", tmp_path / "second.model"
    assert run("--model", str(first)).returncode == 0
    assert run("--model", str(second), model=first).returncode == 0
    assert first.read_text() == second.read_text()
    assert run("--json", model=first).stdout == run("--json").stdout


def sections(model_text):
    """A model file's sections by header, each its properties."""
    found = {}
    for line in model_text.splitlines():
        if line.startswith("["):
            properties = found.setdefault(line.strip("[]"), {})
        elif " = " in line:
            key, value = line.split(" = ", 1)
            properties[key] = value
    return found


def test_capture_keeps_values_owners_and_failures(small, tmp_path):
    captured = small("--model").stdout
    model = sections(captured)
    assert model["Pnic nic0"]["LinkSpeed"] == "25000" and model["Pnic nic0"]["MacAddress"] == "02:00:5e:00:00:0a"
    assert model["Cpu 0"]["NumaNode"] == "0" and model["NumaNode 0"]["MemorySize"] == "1024"
    assert model["BootDevice 0"]["description"] == "disk one"
    assert model["fail"]["Pnic.GetLinkSpeed@nic1"] == "link down on nic1"
    assert "LinkSpeed" not in model["Pnic nic1"]
    again = tmp_path / "again.model"
    again.write_text(captured)
    result = run("--json", "--service", "sshd", model=again)
    assert result.stdout == small("--json").stdout and result.returncode == 1
