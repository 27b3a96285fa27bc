"""The plan of a generated project: its applications, their classes, parents and
declarations, with the planted anomalies, before any text is written."""

from repogen_words import (APP_NAMES, LIBRARY_NAMES, NOUNS, ATTRIBUTES, FAMILIES, FAMILY_WEIGHTS,
                           ROLES, SYSTEM_NOUNS, SYSTEM_HIERARCHY, CONTROL_TYPES, VAR_KINDS,
                           SYSTEM_LIBRARY)


class Item:
    """One declared name: the text before the type clause, and the clause."""

    __slots__ = ("name", "init", "clause")

    def __init__(self, name, init, clause):
        self.name, self.init, self.clause = name, init, clause


class Decl:
    """One declaration statement of a class: keyword and the names it declares."""

    __slots__ = ("keyword", "items")

    def __init__(self, keyword, items):
        self.keyword, self.items = keyword, items

    @property
    def visible(self):
        return self.keyword != "HIDDEN"


class ClassPlan:
    __slots__ = ("name", "app", "family", "noun", "parent", "parent_text", "depth", "decls",
                 "upper", "planted", "missing", "broken", "trap")

    def __init__(self, name, app, family, noun):
        self.name, self.app, self.family, self.noun = name, app, family, noun
        self.parent = None        # the ClassPlan of the parent, when it exists
        self.parent_text = ""     # the parent as the class statement names it
        self.depth = 0            # project classes in the chain, this one included
        self.decls = []
        self.upper = set()        # upper-cased visible names that this class declares
        self.planted = ""         # "self", "parent" or "ancestor" for a planted duplicate
        self.missing = False      # names a parent that no application declares
        self.broken = False       # its chain of parents ends at a missing one
        self.trap = ""            # a name that looks duplicated but is not visible


class AppPlan:
    __slots__ = ("name", "prefix", "kind", "system", "search_path", "classes", "icon")

    def __init__(self, name, prefix, kind, system=False):
        self.name, self.prefix, self.kind, self.system = name, prefix, kind, system
        self.search_path = []     # the names the application.ini lists
        self.classes = []
        self.icon = ""


class Stats:
    def __init__(self):
        self.files = self.bytes = self.classes = self.methods = 0
        self.duplicates = []      # (application, class, kind) of every planted duplicate
        self.missing = []         # (application, class) of every planted missing parent
        self.broken = []          # (application, class) of every class whose chain breaks

    def reported(self):
        """The number of classes that the report names."""
        return len({(app, cls) for app, cls, _ in self.duplicates} | set(self.broken))


class Planner:
    """Builds the application and class plan of the main project."""

    def __init__(self, shape, rng):
        self.shape, self.rng = shape, rng
        self.class_names = set()  # upper-cased, project wide
        self.system = None
        self.system_pools = {}
        self.libs = []
        self.pools = {}           # application name -> family -> classes fit to be parents

    def plan(self, stats):
        self.system = self.plan_system()
        prefixes = set()
        for i in range(self.shape.libs):
            name = numbered(LIBRARY_NAMES, i)
            kind = "dll" if i == 2 else "library"  # the third one ships as a DLL
            lib = AppPlan(name, self.prefix_for(name, prefixes), kind)
            self.libs.append(lib)
        for i, lib in enumerate(self.libs):
            lib.search_path = self.lib_search_path(i)
        for i, lib in reversed(list(enumerate(self.libs))):
            self.plan_classes(lib, self.shape.lib_classes, self.libs[i + 1:], stats)
        apps = []
        for i in range(self.shape.apps):
            name = numbered(APP_NAMES, i)
            app = AppPlan(name, self.prefix_for(name, prefixes), "program")
            app.search_path = self.app_search_path()
            self.plan_classes(app, self.shape.classes, self.libs, stats)
            apps.append(app)
        for app in [self.system] + self.libs + apps:
            if self.rng.random() < 0.3:
                app.icon = "IDI_" + app.prefix.upper()
        return [self.system] + self.libs + apps

    def lib_search_path(self, i):
        if i + 1 >= len(self.libs):
            return []
        path = [self.libs[i + 1].name]
        if self.rng.random() < 0.3:
            path.append(SYSTEM_LIBRARY)
        return path

    def app_search_path(self):
        """The first library, which chains to the others; sometimes more, as people write."""
        if not self.libs:
            return [SYSTEM_LIBRARY] if self.rng.random() < 0.3 else []
        path = [self.libs[0].name]
        if len(self.libs) > 2 and self.rng.random() < 0.3:
            path.append(self.libs[-1].name)
        if self.rng.random() < 0.2:
            path.append(SYSTEM_LIBRARY)
        if self.rng.random() < 0.2:
            path = [name.lower() if self.rng.random() < 0.5 else name for name in path]
        return path

    def prefix_for(self, name, taken):
        words = name.split()
        base = (words[0][:3] if len(words) == 1 else "".join(w[0] for w in words[:3]))
        base = base[0].upper() + base[1:].lower()
        prefix, n = base, 2
        while prefix.upper() in taken:
            prefix, n = f"{base}{n}", n + 1
        taken.add(prefix.upper())
        return prefix

    def plan_system(self):
        system = AppPlan(SYSTEM_LIBRARY, "Sys", "library", system=True)
        by_name = {}
        for name, parent, family in SYSTEM_HIERARCHY:
            cls = self.new_system_class(system, name, family, by_name.get(parent))
            by_name[name] = cls
        while len(system.classes) < self.shape.system_classes:
            family = self.rng.choices(FAMILIES, FAMILY_WEIGHTS)[0]
            parents = [c for c in system.classes if c.family == family]
            name = self.new_class_name("", family, SYSTEM_NOUNS)
            self.new_system_class(system, name[0], family, self.rng.choice(parents))
        for family in FAMILIES:
            self.system_pools[family] = [c for c in system.classes if c.family == family]
        return system

    def new_system_class(self, system, name, family, parent):
        cls = ClassPlan(name, system, family, "")
        self.class_names.add(name.upper())
        cls.parent = parent
        cls.parent_text = parent.name if parent else ""
        self.fill_declarations(cls)
        system.classes.append(cls)
        return cls

    def new_class_name(self, prefix, family, nouns=NOUNS):
        rng = self.rng
        while True:
            noun = rng.choice(nouns)
            second = rng.choice(nouns) if rng.random() < 0.4 else ""
            name = prefix + noun + second + rng.choice(ROLES[family])
            if name.upper() not in self.class_names:
                return name, noun

    def plan_classes(self, app, count, libs, stats):
        """Adds count classes to app; parents come from app itself, libs and the System
        Library, never deeper than the shape allows."""
        rng, shape = self.rng, self.shape
        own = {f: [] for f in FAMILIES}
        for _ in range(count):
            family = rng.choices(FAMILIES, FAMILY_WEIGHTS)[0]
            name, noun = self.new_class_name(app.prefix, family)
            self.class_names.add(name.upper())
            cls = ClassPlan(name, app, family, noun)
            if rng.random() < shape.missing_share:
                self.give_missing_parent(cls)
                stats.missing.append((app.name, name))
            elif family != "helper" or rng.random() < 0.7:
                self.give_parent(cls, own, libs)
            cls.depth = cls.parent.depth + 1 if cls.parent else 1
            cls.broken = cls.missing or (cls.parent is not None and cls.parent.broken)
            if cls.broken:
                stats.broken.append((app.name, name))
            self.fill_declarations(cls)
            if rng.random() < shape.duplicate_share:
                self.plant_duplicate(cls)
                stats.duplicates.append((app.name, name, cls.planted))
            if cls.depth < shape.depth:
                own[family].append(cls)
            app.classes.append(cls)
        self.pools[app.name] = own

    def give_parent(self, cls, own, libs):
        """A parent of the same family: from the class's own application, from one of the
        libraries it can see, or from the System Library."""
        rng = self.rng
        pools, weights = [], []
        if own[cls.family]:
            pools.append(own[cls.family])
            weights.append(45)
        if libs:
            lib_pool = self.pools[rng.choice(libs).name][cls.family]
            if lib_pool:
                pools.append(lib_pool)
                weights.append(35)
        pools.append(self.system_pools[cls.family])
        weights.append(20)
        cls.parent = rng.choice(rng.choices(pools, weights)[0])
        text = cls.parent.name
        if rng.random() < 0.05:
            text = text.upper() if rng.random() < 0.5 else text.lower()
        cls.parent_text = text

    def give_missing_parent(self, cls):
        rng = self.rng
        while True:
            base = rng.choice(["Old", "Legacy", "Tmp", "My", "New"])
            name = base + rng.choice(NOUNS) + rng.choice(ROLES[cls.family])
            if rng.random() < 0.1:
                name = "INHERIT"  # the class statement lacks its parent: CLASS Foo INHERIT
            if name.upper() not in self.class_names:
                break
        if name != "INHERIT":
            self.class_names.add(name.upper())
        cls.missing = True
        cls.parent_text = name

    # -- declarations --------------------------------------------------------------------

    def ancestors(self, cls):
        node = cls.parent
        while node is not None:
            yield node
            node = node.parent

    def fill_declarations(self, cls):
        """Declarations whose visible names clash with nothing along the chain."""
        rng = self.rng
        taken = set()
        for ancestor in self.ancestors(cls):
            taken |= ancestor.upper
        own = set()
        visible_count = self.shape.decls
        if cls.family in ("window", "dialog"):
            for _ in range(rng.randint(1, max(1, self.shape.decls // 3))):
                name = self.fresh_name(rng.choice(["oDC", "oCC"]), taken, own)
                clause = " AS " + rng.choice(CONTROL_TYPES)
                cls.decls.append(Decl("PROTECT", [Item(name, "", clause)]))
                visible_count -= 1
        for _ in range(max(0, visible_count)):
            keyword = rng.choices(["EXPORT", "PROTECT", "INSTANCE", "HIDDEN"], [35, 35, 15, 15])[0]
            prefix, clauses, inits = rng.choice(VAR_KINDS)
            clause = rng.choice(clauses)
            width = rng.choices([1, 2, 3, 4], [70, 15, 10, 5])[0]
            names = [self.fresh_name(prefix, taken, own) for _ in range(width)]
            init = rng.choice(inits) if width == 1 else ""
            cls.decls.append(Decl(keyword, [Item(n, init, clause) for n in names]))
        for decl in cls.decls:
            if decl.visible:
                cls.upper.update(item.name.upper() for item in decl.items)
        if cls.parent is not None and rng.random() < 0.05:
            names = visible_names(cls.parent)
            cls.trap = rng.choice(names) if names else ""

    def fresh_name(self, prefix, taken, own):
        rng = self.rng
        while True:
            name = prefix + rng.choice(NOUNS) + rng.choice(ATTRIBUTES)
            upper = name.upper()
            if upper not in taken and upper not in own:
                own.add(upper)
                return name

    def plant_duplicate(self, cls):
        """Declares again a visible name of the class, its parent or a foreign ancestor."""
        rng = self.rng
        sources = {"self": cls}
        if cls.parent is not None and cls.parent.upper:
            sources["parent"] = cls.parent
        for ancestor in self.ancestors(cls):
            if ancestor.app is not cls.app and ancestor.upper:
                sources["ancestor"] = ancestor
                break
        kind = rng.choice([k for k in ("self", "parent", "ancestor") if k in sources])
        names = visible_names(sources[kind])
        if not names:  # a class without visible declarations of its own: declare one twice
            taken = set(cls.upper).union(*(a.upper for a in self.ancestors(cls)))
            name = self.fresh_name("c", taken, set())
            cls.decls.append(Decl("EXPORT", [Item(name, "", " AS STRING")]))
            names = [name]
        name = rng.choice(names)
        if rng.random() < 0.3:
            name = name.upper() if rng.random() < 0.5 else name.lower()
        keyword = rng.choice(["EXPORT", "PROTECT", "INSTANCE"])
        decl = Decl(keyword, [Item(name, "", rng.choice(["", " AS USUAL"]))])
        cls.decls.insert(rng.randint(0, len(cls.decls)), decl)
        cls.upper.add(name.upper())
        cls.planted = kind


def visible_names(cls):
    return [item.name for d in cls.decls if d.visible for item in d.items]


def numbered(names, i):
    """The i-th name, numbered once the list is used up: "Sales", ..., "Sales 2", ..."""
    if i < len(names):
        return names[i]
    return f"{names[i % len(names)]} {i // len(names) + 1}"
