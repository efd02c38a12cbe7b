"""The package makes its proxy classes on first use: importing it makes only
the library's exception class, and a class is made when a script first looks
it up or when the module first hands out an object of it. Each test starts a
fresh interpreter, since this one has long made the classes it uses."""


def run(python_snippet, code):
    result = python_snippet(code)
    assert result.returncode == 0, result.stderr
    return result.stdout.splitlines()


def test_a_lookup_makes_the_class_once_without_reading_the_reference_texts(python_snippet):
    # Since 3.10 staticmethod() copies these from what it wraps; the package
    # used to make its static methods before it had any reference texts.
    assert run(python_snippet, """
        import sys
        import _qorctl
        import qorctl
        print(qorctl._Proxy.__subclasses__(), "HostCtlException" in vars(qorctl), "VMPoint" in vars(qorctl))

        class Point(qorctl.VMPoint):
            pass

        print([c.__name__ for c in qorctl._Proxy.__subclasses__()], qorctl.VMPoint is qorctl.VMPoint, Point().x)
        static = vars(qorctl.QorCtlObject)["Init"]
        copied = {"__module__": "_qorctl", "__name__": "QorCtlObject_Init", "__qualname__": "QorCtlObject_Init",
                  "__doc__": _qorctl.QorCtlObject_Init.__doc__} if sys.version_info >= (3, 10) else {}
        print(vars(static) == copied, "qorctl._docs" in sys.modules, qorctl.QorCtlObject.Init.__doc__[:6])
        """) == ["[] True False", "['VMPoint'] True 0", "True False Init()"]


def test_objects_handed_out_first_get_their_class_or_die_by_the_stand_in(python_snippet):
    # Constructors hand out bare proxies, which make no class; the holders
    # handed out do, and a holder's Pnic makes its base too.
    assert run(python_snippet, """
        import _qorctl, _qorctl_peer
        import qorctl
        before = _qorctl_peer.live_objects()
        adapter = _qorctl.new_PnicImpl("nic5")
        del adapter
        print(_qorctl_peer.live_objects() - before, "PnicImpl" in vars(qorctl))
        info = _qorctl.new_NetworkInfoImpl()
        holder = _qorctl.NetworkInfoImpl_GetPnics(info)[0]
        pnic = holder.get()  # Pnic has no constructor: had its __init__ run, this would raise
        print(type(holder) is qorctl.PnicPtr, type(pnic) is qorctl.Pnic, isinstance(pnic, qorctl.HostCtlObject))
        """) == ["0 False", "True True True"]


def test_dir_star_import_and_unknown_names_see_every_class_made_or_not(python_snippet):
    assert run(python_snippet, """
        import qorctl
        import qorctl.inventory
        space = {}
        exec("from qorctl import *", space)
        public = sorted(name for name in dir(qorctl) if not name.startswith("_"))
        print("VMPoint" in public, public == sorted(set(space) - {"__builtins__"}), "inventory" in space)

        def failure(module, name):
            try:
                getattr(module, name)
            except AttributeError as error:
                return str(error), getattr(error, "name", None), getattr(error, "obj", module) is module

        print(failure(qorctl, "VMPoit") == failure(type(qorctl)("qorctl"), "VMPoit"), failure(qorctl, "VMPoit")[0])
        """) == ["True True True", "True module 'qorctl' has no attribute 'VMPoit'"]


def test_threads_racing_for_the_classes_get_each_made_once(python_snippet):
    # A switch interval of a microsecond gives the other threads every chance
    # to start making a class that one thread is part way through making.
    assert run(python_snippet, """
        import sys
        import threading
        import _qorctl
        import qorctl

        sys.setswitchinterval(1e-6)
        names = [name for name in dir(qorctl) if name[0].isupper() and name not in vars(qorctl)]
        seen = []
        threads = [threading.Thread(target=lambda: seen.append([getattr(qorctl, name) for name in names]))
                   for _ in range(8)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        pnic = _qorctl.NetworkInfoImpl_GetPnics(_qorctl.new_NetworkInfoImpl())[0].get()
        print(len(names) > 500, all(classes == seen[0] for classes in seen), type(pnic) is qorctl.Pnic,
              all(getattr(qorctl, cls.__name__) is cls for cls in seen[0]))
        """) == ["True True True True"]
