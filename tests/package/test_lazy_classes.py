"""The package makes its proxy classes on first use: importing it makes only
the library's exception class, and a class is made when a script first looks
it up or when the module first hands out an object of it. Each test starts a
fresh interpreter, since this one has long made the classes it uses."""


def run(python_snippet, code):
    result = python_snippet(code)
    assert result.returncode == 0, result.stderr
    return result.stdout.splitlines()


def test_import_makes_only_the_exception_class_and_a_lookup_makes_one(python_snippet):
    assert run(python_snippet, """
        import qorctl
        made = lambda: sorted(cls.__name__ for cls in qorctl._Proxy.__subclasses__())
        print(made(), "HostCtlException" in vars(qorctl), "VMPoint" in vars(qorctl))
        point = qorctl.VMPoint()
        print(made(), "VMPoint" in vars(qorctl), qorctl.VMPoint is type(point), qorctl.VMPoint is qorctl.VMPoint)
        """) == ["[] True False", "['VMPoint'] True True True"]


def test_objects_handed_out_first_get_their_class_made_with_its_bases(python_snippet):
    # The constructor's bare proxy makes nothing; the holders it hands out do,
    # and what a holder hands out is a Pnic, whose base is made with it.
    assert run(python_snippet, """
        import _qorctl
        import qorctl
        info = _qorctl.new_NetworkInfoImpl()
        holder = _qorctl.NetworkInfoImpl_GetPnics(info)[0]
        print(type(holder).__name__, "PnicPtr" in vars(qorctl), "Pnic" in vars(qorctl))
        pnic = holder.get()
        print(type(pnic) is qorctl.Pnic, "HostCtlObject" in vars(qorctl), isinstance(pnic, qorctl.HostCtlObject))
        print(pnic.GetName())  # the class has no constructor: had its __init__ run, it would have raised
        """) == ["PnicPtr True False", "True True True", "nic0"]


def test_an_owned_object_dies_by_the_stand_ins_destroy_function(python_snippet):
    # Constructors hand out bare proxies: the class is never made here.
    assert run(python_snippet, """
        import _qorctl, _qorctl_peer
        import qorctl
        before = _qorctl_peer.live_objects()
        adapter = _qorctl.new_PnicImpl("nic5")
        print(_qorctl_peer.live_objects() - before)
        del adapter
        print(_qorctl_peer.live_objects() - before, "PnicImpl" in vars(qorctl))
        """) == ["1", "0 False"]


def test_dir_star_import_and_unknown_names_see_every_class_made_or_not(python_snippet):
    lines = run(python_snippet, """
        import qorctl
        names = dir(qorctl)
        print("VMPoint" in names, "VMPoint" in vars(qorctl), "CastAdvInt" in names)
        space = {}
        exec("from qorctl import *", space)
        public = sorted(name for name in space if name != "__builtins__")
        print(public == sorted(n for n in names if not n.startswith("_")), len(public) > 600, "VMPoint" in space)
        import qorctl.inventory
        exec("from qorctl import *", space)
        print("inventory" in space, "_deferred" in space)

        def failure(module, name):  # what a script (and, from 3.10, a traceback's hint) reads off it
            try:
                getattr(module, name)
            except AttributeError as error:
                return str(error), getattr(error, "name", None), getattr(error, "obj", module) is module

        plain = type(qorctl)("qorctl")
        for name in ("VMPoit", "__wrapped__"):
            print(failure(qorctl, name) == failure(plain, name), failure(qorctl, name)[0])
        """)
    assert lines == [
        "True False True",
        "True True True",
        "True False",
        "True module 'qorctl' has no attribute 'VMPoit'",
        "True module 'qorctl' has no attribute '__wrapped__'",
    ]


def test_a_user_subclass_of_a_class_made_on_first_use(python_snippet):
    assert run(python_snippet, """
        import _qorctl
        import qorctl

        class Point(qorctl.VMPoint):
            def moved(self, dx):
                self.x += dx
                return self

        point = Point().moved(3)
        print(type(point).__name__, point.x, _qorctl.VMPoint_x_get(point), isinstance(point, qorctl.VMPoint))
        """) == ["Point 3 3 True"]


def test_making_a_class_with_static_methods_leaves_the_reference_texts_unread(python_snippet):
    # Since 3.10 staticmethod() copies these from what it wraps; the package
    # used to make its static methods before it had any reference texts.
    assert run(python_snippet, """
        import sys
        import _qorctl
        import qorctl
        static = vars(qorctl.QorCtlObject)["Init"]
        copied = {"__module__": "_qorctl", "__name__": "QorCtlObject_Init", "__qualname__": "QorCtlObject_Init",
                  "__doc__": _qorctl.QorCtlObject_Init.__doc__} if sys.version_info >= (3, 10) else {}
        print(type(static).__name__, vars(static) == copied, "qorctl._docs" in sys.modules)
        print(qorctl.QorCtlObject.Init.__doc__.splitlines()[0], "qorctl._docs" in sys.modules)
        """) == ["staticmethod True False", "Init() -> None True"]


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
                   for _ in range(4)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        print(len(names) > 500, all(classes == seen[0] for classes in seen))
        info = _qorctl.new_NetworkInfoImpl()
        print(all(getattr(qorctl, cls.__name__) is cls for cls in seen[0]),
              type(_qorctl.NetworkInfoImpl_GetPnics(info)[0].get()) is qorctl.Pnic)
        """) == ["True True", "True True"]
