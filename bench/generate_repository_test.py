#!/usr/bin/env python3
"""Checks the repository generator: same seed, same bytes; the folder layout that the
repository layer reads; and that the duplicates and missing parents a reader finds in the
generated source are exactly the ones the generator planted.

The reader below is a small independent one: it cuts modules into entities, takes class
statements apart and lists visible instance variables the way ivarscan reads them, so a
generator whose text reads differently than intended fails here.
"""

import os
import re
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import generate_repository as gen  # noqa: E402
from repogen_words import APP_NAMES, LIBRARY_NAMES, SYSTEM_LIBRARY  # noqa: E402

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "generate_repository.py")

MODIFIERS = {"STATIC", "PUBLIC", "PRIVATE", "PROTECTED", "INTERNAL", "VIRTUAL", "OVERRIDE",
             "SEALED", "ABSTRACT", "NEW", "PARTIAL", "ASYNC", "EXTERN", "UNSAFE"}
KEYWORDS = {"CLASS", "METHOD", "ACCESS", "ASSIGN", "CONSTRUCTOR", "DESTRUCTOR", "PROPERTY",
            "EVENT", "OPERATOR", "FUNCTION", "FUNC", "PROCEDURE", "PROC", "GLOBAL", "DEFINE",
            "TEXTBLOCK", "RESOURCE", "STRUCTURE", "STRUCT", "VOSTRUCT", "UNION", "_DLL",
            "DELEGATE", "INTERFACE", "ENUM"}

# ---------------------------------------------------------------------------------------------
# Reading the folder


def read_ini(path):
    """{section: {key: value}}, sections and keys upper-cased."""
    sections, current = {}, None
    with open(path, "rb") as f:
        for raw in f.read().decode("cp1252").splitlines():
            line = raw.strip(" \t")
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1].strip().upper(), {})
            elif current is not None and "=" in line and line[0] not in ";#":
                key, value = line.split("=", 1)
                current[key.strip(" \t").upper()] = value.strip(" \t")
    return sections


def is_yes(value):
    return value.lower() in ("yes", "true", "1")


def entity_keyword(line):
    rest = line.lstrip(" \t")
    while True:
        word = re.match(r"[^ \t(]*", rest).group(0)
        if word.upper() in KEYWORDS:
            return word.upper()
        if word.upper() not in MODIFIERS or not word:
            return None
        rest = rest[len(word):].lstrip(" \t")


def comment_state(line, inside):
    """Whether a block comment is open after line, given whether one was open before it."""
    i, quote = 0, None
    while i < len(line):
        pair = line[i:i + 2]
        if inside:
            if pair == "*/":
                inside, i = False, i + 2
                continue
        elif quote:
            quote = None if line[i] == quote else quote
        elif line[i] in "\"'":
            quote = line[i]
        elif pair == "//":
            break
        elif pair == "/*":
            inside, i = True, i + 2
            continue
        i += 1
    return inside


def entities(data):
    """(keyword, source text) of every entity of a module file's bytes."""
    text = re.sub(r"(?<!\r)\n", "\r\n", data.decode("cp1252"))
    lines = text.split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    found, inside = [], False
    for line in lines:
        keyword = None if inside else entity_keyword(line)
        if keyword:
            found.append([keyword, []])
        if found:
            found[-1][1].append(line)
        inside = comment_state(line, inside)
    return [(keyword, "".join(line + "\r\n" for line in body)) for keyword, body in found]


def class_header(source):
    """(class name, parent name) of a class entity, the parent as class collection takes it
    from the prototype: its last word, empty when that is the class name."""
    lines = source.split("\r\n")

    def cut(line):
        return line.split("//", 1)[0].rstrip(" \t")

    statement, n = cut(lines[0]), 1
    while statement.endswith(";"):
        statement, n = statement[:-1] + " " + cut(lines[n]), n + 1
    words = statement.split()
    while words[0].upper() != "CLASS":
        words.pop(0)
    name = words[1] if len(words) > 1 else ""
    prototype = ["CLASS", name]
    upper = [w.upper() for w in words]
    if "INHERIT" in upper:
        k = upper.index("INHERIT")
        prototype += words[k:k + 2]
    parent = prototype[-1]
    return name, "" if parent.upper() == name.upper() else parent


# ---------------------------------------------------------------------------------------------
# Visible instance variables, by the scanner's rules


def is_blank(text):
    return text.strip(" \t\r\n") == ""


def split_lines(text):
    while not is_blank(text):
        k = text.find("\r\n")
        line, text = (text, "") if k < 0 else (text[:k], text[k + 2:])
        yield line


def marker(text, start):
    """0-based position of the first "/*" (start) or "*/" outside quoted text, or -1."""
    wanted = "/*" if start else "*/"
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if c in "\"'[" and i < n - 1:
            close = "]" if c == "[" else c
            j = i + 1
            while j < n and text[j] not in (close, "\r"):
                j += 1
            i = j + 1 if j < n else i + 1
            continue
        if text.startswith(wanted, i):
            return i
        i += 1
    return -1


def strip_comments(text):
    kept = []
    while True:
        p = marker(text, True)
        if p < 0:
            kept.append(text)
            break
        kept.append(text[:p])
        text = text[p + 2:]
        q = marker(text, False)
        text = text[q + 2:] if q >= 0 else ""
    lines = (line.split("//", 1)[0].rstrip(" \t") for line in split_lines("".join(kept)))
    return "".join(line + "\r\n" for line in lines).replace(";\r\n", "")


def visible_ivars(source):
    declarations = []
    for line in split_lines(strip_comments(source)):
        line = line.replace("\t", " ").lstrip(" ")
        prefix = line[:4].upper()
        if prefix and prefix in "EXPO|PROT|INST" and " " in line:
            declarations.append(line[line.index(" "):] + "\r\n")
    names = []
    for item in split_lines("".join(declarations).replace(",", "\r\n")):
        for word in (" AS ", " IS "):
            p = item.upper().find(word)
            if p >= 0:
                item = item[:p + 1]
        if ":=" in item:
            item = item[:item.index(":=")]
        item = item.replace("[", "")
        if "]" not in item:
            names.append(item.strip(" "))
    return names


# ---------------------------------------------------------------------------------------------
# The project as the report sees it


class Project:
    def __init__(self, folder):
        self.apps = {}  # upper-cased name -> (name, settings, [(class, parent, ivars)])
        self.files = {}  # application name -> [module file names]
        self.entities = {}  # application name -> [(keyword, source)]
        for name in sorted(os.listdir(folder)):
            ini = os.path.join(folder, name, "application.ini")
            if not os.path.isfile(ini):
                continue
            settings = read_ini(ini).get("APPLICATION", {})
            modules = sorted(f for f in os.listdir(os.path.join(folder, name))
                             if f.lower().endswith(".prg"))
            found = []
            for module in modules:
                with open(os.path.join(folder, name, module), "rb") as f:
                    found += entities(f.read())
            classes = [class_header(src) + (visible_ivars(src),)
                       for keyword, src in found if keyword == "CLASS"]
            self.apps[name.upper()] = (name, settings, classes)
            self.files[name] = modules
            self.entities[name] = found

    def search_path(self, app):
        names = self.apps[app.upper()][1].get("SEARCHPATH", "").split(";")
        return [self.apps[n.strip(" \t").upper()][0] for n in names
                if n.strip(" \t").upper() in self.apps]

    def used(self, app, found):
        for entry in self.search_path(app):
            if entry not in found:
                found.append(entry)
                self.used(entry, found)
        return found

    def findings(self, app):
        """{class: set of kinds} of duplicates and [classes] with unresolved parents of one
        analysed application."""
        order = [app] + self.used(app, [])
        if SYSTEM_LIBRARY not in order:
            order.append(SYSTEM_LIBRARY)
        lookup = {}
        for owner in order:
            for cls in self.apps[owner.upper()][2]:
                lookup.setdefault(cls[0].upper(), (owner,) + cls)
        duplicates, missing = {}, []
        for name, parent, ivars in self.apps[app.upper()][2]:
            kinds = set()
            upper = [v.upper() for v in ivars]
            if len(set(upper)) < len(upper):
                kinds.add("self")
            sought, depth = parent.upper(), 0
            while sought and depth < 100:
                if sought not in lookup:
                    missing.append(name)
                    break
                owner, _, sought_parent, ancestor_ivars = lookup[sought]
                if set(upper) & {v.upper() for v in ancestor_ivars}:
                    kinds.add("parent" if depth == 0 else "chain")
                    if owner != app:
                        kinds.add("ancestor")
                sought, depth = sought_parent.upper(), depth + 1
            if kinds:
                duplicates[name] = kinds
        return duplicates, missing


def generate(folder, shape, seed=1):
    os.makedirs(folder, exist_ok=True)
    return gen.write_repository(folder, shape, seed)


def tree(folder):
    """{relative path: bytes} of every file below folder."""
    files = {}
    for base, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(base, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = f.read()
    return files


def shape(**changes):
    fields = dict(vars(gen.PRESETS["small"]))
    fields.update(changes)
    return gen.Shape(**fields)


# ---------------------------------------------------------------------------------------------


class DeterminismTest(unittest.TestCase):
    def test_same_seed_same_bytes_other_seed_other_bytes(self):
        with tempfile.TemporaryDirectory() as tmp:
            one, two, three = (os.path.join(tmp, n) for n in ("one", "two", "three"))
            generate(one, gen.PRESETS["small"], seed=7)
            generate(two, gen.PRESETS["small"], seed=7)
            generate(three, gen.PRESETS["small"], seed=8)
            first = tree(one)
            self.assertGreater(len(first), 10)
            self.assertEqual(first, tree(two))
            self.assertNotEqual(first, tree(three))


class LayoutTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.root = cls.tmp.name
        cls.stats = generate(cls.root, shape(apps=4, libs=3))
        current = read_ini(os.path.join(cls.root, "repository.ini"))["REPOSITORY"]
        cls.project_folder = os.path.join(cls.root, current["CURRENTPROJECT"])
        cls.project = Project(cls.project_folder)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_current_project_and_every_project_have_project_ini(self):
        self.assertTrue(os.path.isfile(os.path.join(self.project_folder, "project.ini")))
        folders = [e for e in os.listdir(self.root)
                   if os.path.isdir(os.path.join(self.root, e))]
        self.assertGreaterEqual(len(folders), 2)
        for folder in folders:
            self.assertTrue(os.path.isfile(os.path.join(self.root, folder, "project.ini")))

    def test_every_application_folder_has_application_ini(self):
        for entry in os.listdir(self.project_folder):
            path = os.path.join(self.project_folder, entry)
            if os.path.isdir(path):
                self.assertTrue(os.path.isfile(os.path.join(path, "application.ini")), entry)
        self.assertEqual(len(self.project.apps), 4 + 3 + 1)

    def test_exactly_one_system_library(self):
        systems = [name for name, settings, _ in self.project.apps.values()
                   if is_yes(settings.get("SYSTEMLIBRARY", ""))]
        self.assertEqual(systems, [SYSTEM_LIBRARY])
        settings = self.project.apps[SYSTEM_LIBRARY.upper()][1]
        self.assertEqual(settings["KIND"], "library")

    def test_search_paths_name_existing_applications_and_chain_the_libraries(self):
        for name, settings, _ in self.project.apps.values():
            self.assertIn(settings.get("KIND"), ("program", "library", "dll"))
            for entry in settings.get("SEARCHPATH", "").split(";"):
                if settings.get("SEARCHPATH"):
                    self.assertIn(entry.strip(" \t").upper(), self.project.apps, name)
        sales = APP_NAMES[0]
        self.assertEqual(self.project.used(sales, [])[:3], LIBRARY_NAMES[:3])

    def test_names_fit_the_repository_buffers(self):
        for app, modules in self.project.files.items():
            self.assertLessEqual(len(app), 31)
            for module in modules:
                self.assertLessEqual(len(module) - len(".prg"), 63)
        blanks = [m for modules in self.project.files.values() for m in modules if " " in m]
        self.assertTrue(blanks)

    def test_icon_names_an_entity_of_its_application(self):
        icons = 0
        for name, settings, _ in self.project.apps.values():
            if "ICON" in settings:
                icons += 1
                resources = [src.split()[1].upper() for keyword, src in
                             self.project.entities[name] if keyword == "RESOURCE"]
                self.assertIn(settings["ICON"].upper(), resources)
        self.assertGreater(icons, 0)

    def test_class_counts_and_modules_of_several_classes(self):
        counts = {name: len(classes) for name, _, classes in self.project.apps.values()}
        self.assertEqual(counts[APP_NAMES[0]], 20)
        self.assertEqual(counts[LIBRARY_NAMES[0]], 30)
        self.assertEqual(counts[SYSTEM_LIBRARY], 40)
        self.assertEqual(sum(counts.values()), self.stats.classes)
        modules = [m for m in self.project.files[APP_NAMES[0]] if m[:-4] != "Start"]
        self.assertLessEqual(len(modules), 4)

    def test_both_line_ends_occur(self):
        data = b"".join(tree(self.project_folder).values())
        self.assertIn(b"\r\n", data)
        self.assertRegex(data, re.compile(rb"[^\r]\n"))

    def test_method_entities_per_class(self):
        methods = sum(1 for found in self.project.entities.values()
                      for keyword, _ in found if keyword in ("METHOD", "ACCESS", "ASSIGN"))
        self.assertEqual(self.stats.methods, (4 * 20 + 3 * 30) * 3 + 40 * (3 // 2))
        self.assertEqual(methods, self.stats.methods + 4)  # and METHOD Start in each program


class PlantedAnomaliesTest(unittest.TestCase):
    def check(self, shape_, seed):
        with tempfile.TemporaryDirectory() as tmp:
            stats = generate(tmp, shape_, seed)
            project = Project(os.path.join(tmp, gen.MAIN_PROJECT))
            found_duplicates, found_missing = {}, set()
            for name, _, _ in project.apps.values():
                if name == SYSTEM_LIBRARY:
                    continue
                duplicates, missing = project.findings(name)
                found_duplicates.update({(name, c): k for c, k in duplicates.items()})
                found_missing.update((name, c) for c in missing)
        planted = {(app, cls): kind for app, cls, kind in stats.duplicates}
        self.assertEqual(set(found_duplicates), set(planted))
        for key, kind in planted.items():
            self.assertIn(kind, found_duplicates[key], key)
        self.assertEqual(found_missing, set(stats.broken))
        self.assertEqual(stats.reported(), len(set(found_duplicates) | found_missing))
        return stats

    def test_planted_duplicates_and_missing_parents_are_all_that_a_reader_finds(self):
        stats = self.check(shape(apps=3, duplicate_share=0.5, missing_share=0.1), seed=3)
        self.assertEqual({kind for _, _, kind in stats.duplicates}, {"self", "parent", "ancestor"})
        # Subclasses of a class with a missing parent have a broken chain too.
        self.assertLess(len(stats.missing), len(stats.broken))

    def test_no_anomalies_when_none_are_asked_for(self):
        stats = self.check(shape(duplicate_share=0, missing_share=0, depth=6, decls=30), 4)
        self.assertEqual(stats.reported(), 0)


@unittest.skipUnless(os.environ.get("IVARSCAN_PROGRAM"),
                     "IVARSCAN_PROGRAM (the console ivarscan) is not set")
class ReportTest(unittest.TestCase):
    def test_report_names_exactly_the_planted_classes(self):
        with tempfile.TemporaryDirectory() as tmp:
            repository, run = os.path.join(tmp, "repository"), os.path.join(tmp, "run")
            os.makedirs(run)
            stats = generate(repository, shape(apps=4, duplicate_share=0.3, missing_share=0.05),
                             seed=11)
            done = subprocess.run([os.environ["IVARSCAN_PROGRAM"], "--repository", repository,
                                   "--project", gen.MAIN_PROJECT, "--yes", "--no-open"],
                                  cwd=run, capture_output=True)
            self.assertEqual(done.returncode, 0, done.stderr)
            with open(os.path.join(run, "DUPIVars25.TXT"), "rb") as f:
                report = f.read().decode("cp1252")
        blocks = {}
        for block in report.split("\r\nClass: ")[1:]:
            cls, app = block.split("\r\n")[:2]
            blocks[(app[len("App: "):], cls)] = block
        expected = {(app, cls) for app, cls, _ in stats.duplicates} | set(stats.broken)
        self.assertEqual(len(blocks), stats.reported())
        self.assertEqual(set(blocks), expected)
        for app, cls, kind in stats.duplicates:
            line = " occurs more than once in this class" if kind == "self" else " also in "
            self.assertIn(line, blocks[(app, cls)])
        for key in stats.broken:
            self.assertIn("** Could not find parent class ", blocks[key])


    def test_export_forms_give_the_same_report(self):
        reports = []
        with tempfile.TemporaryDirectory() as tmp:
            for form in ("folder", "aef", "mef"):
                repository, run = os.path.join(tmp, form), os.path.join(tmp, form + "-run")
                os.makedirs(run)
                done = subprocess.run([sys.executable, SCRIPT, repository, "--form", form,
                                       "--apps", "3", "--duplicate-share", "0.3", "--seed", "5"],
                                      capture_output=True, text=True)
                self.assertEqual(done.returncode, 0, done.stderr)
                suffix = {"folder": ".prg", "aef": ".aef", "mef": ".mef"}[form]
                files = [f.lower() for _, _, names in os.walk(repository) for f in names]
                self.assertTrue(any(f.endswith(suffix) for f in files), form)
                done = subprocess.run([os.environ["IVARSCAN_PROGRAM"], "--repository",
                                       repository, "--project", gen.MAIN_PROJECT, "--yes",
                                       "--no-open"], cwd=run, capture_output=True)
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertNotIn(b"warning", done.stderr)
                with open(os.path.join(run, "DUPIVars25.TXT"), "rb") as f:
                    reports.append(f.read())
        self.assertIn(b"Class: ", reports[0])
        self.assertEqual(reports[1], reports[0])
        self.assertEqual(reports[2], reports[0])


class CommandLineTest(unittest.TestCase):
    def run_script(self, *args):
        return subprocess.run([sys.executable, SCRIPT, *args], capture_output=True, text=True)

    def test_summary_options_and_refusal_to_overwrite(self):
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, "repo")
            done = self.run_script(out, "--apps", "2", "--classes", "5", "--libs", "1",
                                   "--lib-classes", "6", "--methods", "1")
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertRegex(done.stdout, r"^\S.* \d+ files, \d+ bytes .*, 56 classes, ")
            self.assertEqual(done.stdout.count("\n"), 1)
            self.assertEqual(len(Project(os.path.join(out, gen.MAIN_PROJECT)).apps), 4)

            before = tree(out)
            refused = self.run_script(out, "--seed", "2")
            self.assertEqual(refused.returncode, 2)
            self.assertEqual(tree(out), before)

            replaced = self.run_script(out, "--seed", "2", "--force")
            self.assertEqual(replaced.returncode, 0, replaced.stderr)
            self.assertNotEqual(tree(out), before)

    def test_force_never_clears_a_folder_that_holds_no_repository(self):
        with tempfile.TemporaryDirectory() as tmp:
            with open(os.path.join(tmp, "keep.txt"), "w") as f:
                f.write("mine")
            refused = self.run_script(tmp, "--force")
            self.assertEqual(refused.returncode, 2)
            self.assertEqual(os.listdir(tmp), ["keep.txt"])

    def test_bad_values_are_refused(self):
        with tempfile.TemporaryDirectory() as tmp:
            for args in (["--depth", "0"], ["--duplicate-share", "1.5"], ["--apps", "-1"]):
                self.assertEqual(self.run_script(os.path.join(tmp, "x"), *args).returncode, 2)


if __name__ == "__main__":
    unittest.main()
