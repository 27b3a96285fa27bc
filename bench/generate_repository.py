#!/usr/bin/env python3
"""Writes a synthetic repository folder for ivarscan's benchmarks and robustness runs.

The folder has the layout that the repository folder layer reads: repository.ini naming the
current project, one folder per project with project.ini, one folder per application with
application.ini, and one .prg file per module. The source imitates what developers of the
IDE write: classes with EXPORT, PROTECT, INSTANCE and HIDDEN declarations in every style
(types, initial values, line and block comments, continuation lines, mixed case), their
METHOD, ACCESS and ASSIGN entities, dialog resources, defines, globals and functions.

The shape is chosen with a preset and options: applications that use a chain of shared
libraries through their search paths, a "System Library" with the base classes, inheritance
depth, declarations and methods per class, and a share of planted anomalies: instance
variables declared twice (in the class itself, in its parent, or in an ancestor that lives
in another application) and parent classes that no application declares. Apart from the
planted ones, no class declares a visible instance variable that an ancestor declares too,
so the report of a generated repository names exactly the planted classes.

With --form aef every application folder is written as an application export
(`<application>.aef` in the project folder), with --form mef every module as a module
export (`<module>.mef`), both by tests/export_writer.py.

Same arguments, same bytes: everything comes from one seeded random generator.
Standard library only.
"""

import argparse
import dataclasses
import os
import random
import shutil
import sys
import tempfile
import time

from repogen_plan import Planner, Stats
from repogen_source import Writer
from repogen_words import SYSTEM_HIERARCHY

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
import export_writer  # noqa: E402  (tests/export_writer.py)

# ---------------------------------------------------------------------------------------------
# Shapes


@dataclasses.dataclass
class Shape:
    """What to generate; the command-line options of the same names override a preset."""

    apps: int
    classes: int
    libs: int
    lib_classes: int
    system_classes: int
    depth: int
    decls: int
    methods: int
    statements: int
    duplicate_share: float
    missing_share: float


PRESETS = {
    # About 0.2 MB: quick enough for unit tests.
    "small": Shape(apps=3, classes=20, libs=2, lib_classes=30, system_classes=40, depth=3,
                   decls=6, methods=3, statements=3,
                   duplicate_share=0.10, missing_share=0.03),
    # About 11 MB.
    "medium": Shape(apps=12, classes=150, libs=3, lib_classes=300, system_classes=100,
                    depth=5, decls=14, methods=8, statements=7,
                    duplicate_share=0.05, missing_share=0.01),
    # About 100 MB: a large customer's suite.
    "large": Shape(apps=40, classes=300, libs=3, lib_classes=1000, system_classes=200,
                   depth=6, decls=18, methods=10, statements=11,
                   duplicate_share=0.03, missing_share=0.005),
}

MAIN_PROJECT = "Head Office"
EMPTY_PROJECT = "Archive 1999"


# ---------------------------------------------------------------------------------------------
# Files


class Output:
    """Writes files below the repository folder and counts them."""

    def __init__(self, root, rng, stats):
        self.root, self.rng, self.stats = root, rng, stats

    def eol(self):
        return "\r\n" if self.rng.random() < 0.75 else "\n"

    def write(self, relative, lines):
        """Writes lines as one file, mostly with CR LF line ends, sometimes LF or a mix."""
        if self.rng.random() < 0.05:
            text = self.mixed_join(lines)
        else:
            eol = self.eol()
            text = eol.join(lines) + eol
        data = text.encode("cp1252")
        path = os.path.join(self.root, *relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        self.stats.files += 1
        self.stats.bytes += len(data)

    def mixed_join(self, lines):
        """A file that was edited with two editors: CR LF and LF line ends mixed."""
        rng = self.rng
        return "".join(line + ("\n" if rng.random() < 0.3 else "\r\n") for line in lines)

    def ini(self, relative, section, pairs):
        """A settings file of one section, its keys written the ways people write them."""
        rng = self.rng
        lines = []
        if rng.random() < 0.3:
            lines.append("; written by the repository export")
        lines.append(f"[{section}]")
        for key, value in pairs:
            if rng.random() < 0.1:
                key = key.lower()
            separator = " = " if rng.random() < 0.1 else "="
            lines.append(f"{key}{separator}{value}")
        self.write(relative, lines)


def write_export_form(root, form, shape, seed):
    """Generates the repository as folders beside root, then writes it into root in the
    export form; the counts are those of the folder form's source."""
    parent = os.path.dirname(os.path.abspath(root))
    with tempfile.TemporaryDirectory(dir=parent) as staging:
        folders = os.path.join(staging, "folders")
        os.makedirs(folders)
        stats = write_repository(folders, shape, seed)
        exports = os.path.join(staging, "exports")
        (export_writer.write_aef if form == "aef" else export_writer.write_mef)(folders, exports)
        for entry in os.listdir(exports):
            shutil.move(os.path.join(exports, entry), os.path.join(root, entry))
    return stats


def yes(rng):
    return rng.choice(["yes", "Yes", "YES", "true", "1"])


def write_repository(root, shape, seed):
    """Generates the whole repository below root, which must exist and be empty."""
    rng = random.Random(seed)
    stats = Stats()
    apps = Planner(shape, rng).plan(stats)
    out = Output(root, rng, stats)
    out.ini(["repository.ini"], "Repository", [("CurrentProject", MAIN_PROJECT)])
    out.ini([MAIN_PROJECT, "project.ini"], "Project",
            [("Description", f"All applications of the head office ({shape.apps} programs)")])
    out.ini([EMPTY_PROJECT, "project.ini"], "Project", [("Description", "")])
    writer = Writer(rng, shape)
    for app in apps:
        write_application(out, writer, app)
        stats.classes += len(app.classes)
    stats.methods = writer.methods
    return stats


def write_application(out, writer, app):
    rng = out.rng
    folder = [MAIN_PROJECT, app.name]
    pairs = [("Kind", app.kind)]
    if app.system:
        pairs.append(("SystemLibrary", yes(rng)))
    elif rng.random() < 0.3:
        pairs.append(("SystemLibrary", "no"))
    if app.search_path:
        separator = " ; " if rng.random() < 0.2 else ";"
        pairs.append(("SearchPath", separator.join(app.search_path)))
    if app.icon:
        pairs.append(("Icon", app.icon.lower() if rng.random() < 0.2 else app.icon))
    out.ini(folder + ["application.ini"], "Application", pairs)
    for name, lines in writer.app_modules(app):
        extension = rng.choice([".prg"] * 18 + [".PRG", ".Prg"])
        out.write(folder + [name + extension], lines)
    if rng.random() < 0.1:
        out.write(folder + ["ReadMe.txt"], [f"{app.name}: build with the IDE, not by hand."])


# ---------------------------------------------------------------------------------------------
# Command line


def parse_arguments(argv):
    parser = argparse.ArgumentParser(
        description="Write a synthetic IDE repository folder for ivarscan.")
    parser.add_argument("output", help="repository folder to create (must be empty)")
    parser.add_argument("--preset", choices=sorted(PRESETS), default="small")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--apps", type=int, help="program applications")
    parser.add_argument("--classes", type=int, help="classes per application")
    parser.add_argument("--libs", type=int, help="shared libraries, chained lib1 -> lib2 -> ...")
    parser.add_argument("--lib-classes", type=int, help="classes per shared library")
    parser.add_argument("--system-classes", type=int, help="classes of the System Library")
    parser.add_argument("--depth", type=int,
                        help="most project classes in one inheritance chain")
    parser.add_argument("--decls", type=int, help="declaration statements per class")
    parser.add_argument("--methods", type=int, help="method entities per class")
    parser.add_argument("--statements", type=int,
                        help="average statement blocks per method body")
    parser.add_argument("--duplicate-share", type=float,
                        help="share of classes with a planted duplicate (0 to 1)")
    parser.add_argument("--missing-share", type=float,
                        help="share of classes whose parent does not exist (0 to 1)")
    parser.add_argument("--form", choices=["folder", "aef", "mef"], default="folder",
                        help="write applications as folders, as application exports (.aef) "
                             "or with module exports (.mef)")
    parser.add_argument("--force", action="store_true",
                        help="replace an earlier generated repository in the output folder")
    return parser.parse_args(argv)


def shape_from(args):
    fields = {f.name: getattr(PRESETS[args.preset], f.name)
              for f in dataclasses.fields(Shape)}
    for name in fields:
        value = getattr(args, name)
        if value is not None:
            fields[name] = value
    shape = Shape(**fields)
    counts = [shape.apps, shape.classes, shape.libs, shape.lib_classes, shape.decls,
              shape.methods, shape.statements]
    if min(counts) < 0 or shape.depth < 1 or shape.system_classes < len(SYSTEM_HIERARCHY):
        raise ValueError("counts must not be negative, --depth at least 1 and "
                         f"--system-classes at least {len(SYSTEM_HIERARCHY)}")
    if not (0 <= shape.duplicate_share <= 1 and 0 <= shape.missing_share <= 1):
        raise ValueError("shares lie between 0 and 1")
    return shape


def prepare_output(path, force):
    """Makes path an empty folder. An existing non-empty folder is cleared only with force,
    and only when it holds a repository.ini, so that a mistyped path costs nothing."""
    if os.path.isdir(path) and os.listdir(path):
        if not force:
            raise ValueError(f"{path} is not empty (use --force to replace a repository)")
        if not os.path.isfile(os.path.join(path, "repository.ini")):
            raise ValueError(f"{path} holds no repository.ini; not clearing it")
        for entry in os.listdir(path):
            full = os.path.join(path, entry)
            if os.path.isdir(full) and not os.path.islink(full):
                shutil.rmtree(full)
            else:
                os.remove(full)
    os.makedirs(path, exist_ok=True)


def main(argv=None):
    args = parse_arguments(argv)
    try:
        shape = shape_from(args)
        prepare_output(args.output, args.force)
    except (ValueError, OSError) as error:
        print(f"generate_repository: {error}", file=sys.stderr)
        return 2
    start = time.monotonic()
    if args.form == "folder":
        stats = write_repository(args.output, shape, args.seed)
    else:
        stats = write_export_form(args.output, args.form, shape, args.seed)
    seconds = time.monotonic() - start
    print(f"{args.output}: {stats.files} files, {stats.bytes} bytes "
          f"({stats.bytes / 1e6:.1f} MB), {stats.classes} classes, {stats.methods} methods, "
          f"{len(stats.duplicates)} planted duplicates, {len(stats.missing)} missing parents, "
          f"{stats.reported()} classes to report "
          f"(preset {args.preset}, seed {args.seed}, {args.form} form, {seconds:.1f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
