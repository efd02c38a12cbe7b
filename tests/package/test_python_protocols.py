"""The proxy classes as Python's own tools see them: help() and inspect on
their methods, and copy and pickle of their instances."""

import copy
import inspect
import pickle
import pydoc

import pytest

import qorctl


@pytest.mark.parametrize("method, name", [
    (qorctl.StringVector.append, "append"),
    (qorctl.StringVector().append, "append"),
    (qorctl.NetworkInfoImpl.GetPnics, "GetPnics"),
    (qorctl.NetworkInfoImpl().GetPnics, "GetPnics"),
])
def test_methods_bound_or_not_answer_help_and_inspect(method, name):
    cls_name = method.__qualname__.split(".")[0]
    assert method.__name__ == name and method.__qualname__ == cls_name + "." + name
    assert method.__module__ == "qorctl"
    assert inspect.getdoc(method) is None or isinstance(inspect.getdoc(method), str)
    assert name in pydoc.render_doc(method, renderer=pydoc.plaintext)


def test_help_of_a_whole_class_renders():
    assert "append" in pydoc.render_doc(qorctl.StringVector, renderer=pydoc.plaintext)


@pytest.mark.parametrize("copier", [copy.copy, copy.deepcopy], ids=["copy", "deepcopy"])
def test_containers_copy_through_their_copy_constructor(copier):
    original = qorctl.MapStringString({"a": "1"})
    duplicate = copier(original)
    duplicate["b"] = "2"
    assert original.asdict() == {"a": "1"} and duplicate.asdict() == {"a": "1", "b": "2"}
    assert duplicate.this != original.this and duplicate.thisown


def test_records_copy_field_by_field():
    original = qorctl.CdpSummary()
    original.portId = "port-7"
    duplicate = copy.copy(original)
    duplicate.portId = "port-8"
    assert (original.portId, duplicate.portId) == ("port-7", "port-8")


@pytest.mark.parametrize("make", [qorctl.NetworkInfoImpl, lambda: qorctl.StringVector(["a"])])
def test_library_objects_are_never_silently_shared_by_copy_or_pickle(make):
    obj = make()
    for protocol in range(pickle.HIGHEST_PROTOCOL + 1):
        with pytest.raises(TypeError, match="cannot pickle"):
            pickle.dumps(obj, protocol)
    if not isinstance(obj, qorctl.StringVector):
        with pytest.raises(TypeError, match="cannot copy a NetworkInfoImpl"):
            copy.copy(obj)
