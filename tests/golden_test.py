#!/usr/bin/env python3
"""The JSON and SARIF documents of the sample repository, compared byte for byte with their
golden files in tests/golden/.

Usage: golden_test.py <ivarscan program> [--update]

Each project of the sample repository that the goldens name is reported on in a copy of the
repository, run from the folder that holds the copy (the source root). The absolute paths
of the copy and of that folder, and the program's version, are the only parts of a
document that depend on where and with what build it ran: they are replaced by
@REPOSITORY@, @SOURCE_ROOT@ and @VERSION@ before the comparison. --update writes the
documents into the golden files instead, for a deliberate change of a format; the diff then
shows the change.
"""
import difflib
import os
import shutil
import subprocess
import sys
import tempfile
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.join(HERE, "..", "examples", "sample-repository")
GOLDEN = os.path.join(HERE, "golden")
# The golden file of each project and format: <project in lower case>.<format>.
PROJECTS = ["Sales", "Warehouse"]
FORMATS = ["json", "sarif"]


def program_version(program):
    """The version that `--version` prints: "ivarscan 0.1.0 (report ...)"."""
    result = subprocess.run([program, "--version"], capture_output=True, text=True, check=True)
    return result.stdout.split()[1]


def document(program, version, work, project, output_format):
    """The document that the program writes for the project, with the paths of the repository
    folder and of the source root, and the program's version, replaced by placeholders."""
    repository = os.path.join(work, "repository")
    output = os.path.join(work, "run." + output_format)
    subprocess.run([program, "--repository", repository, "--project", project, "--yes",
                    "--no-open", "--format", output_format, "--output", output],
                   cwd=work, stdin=subprocess.DEVNULL, capture_output=True, check=True,
                   timeout=60)
    with open(output, encoding="utf-8", newline="") as f:
        text = f.read()
    # The repository lies in the work folder, which is the source root: the longer path first.
    for path, placeholder in ((repository, "@REPOSITORY@"), (work, "@SOURCE_ROOT@")):
        text = text.replace("file://" + urllib.parse.quote(path), "file://" + placeholder)
        text = text.replace(path, placeholder)
    return text.replace(version, "@VERSION@")


def main():
    program = os.path.abspath(sys.argv[1])
    update = "--update" in sys.argv[2:]
    version = program_version(program)
    work = tempfile.mkdtemp(prefix="ivarscan-golden-")
    failures = []
    try:
        shutil.copytree(SAMPLE, os.path.join(work, "repository"))
        for project in PROJECTS:
            for output_format in FORMATS:
                actual = document(program, version, work, project, output_format)
                path = os.path.join(GOLDEN, "%s.%s" % (project.lower(), output_format))
                if update:
                    with open(path, "w", encoding="utf-8", newline="") as f:
                        f.write(actual)
                    continue
                with open(path, encoding="utf-8", newline="") as f:
                    expected = f.read()
                if actual != expected:
                    failures.append(path)
                    sys.stdout.writelines(difflib.unified_diff(
                        expected.splitlines(True), actual.splitlines(True), path, "actual"))
    finally:
        shutil.rmtree(work)
    if failures:
        print("differs from its golden file: " + ", ".join(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
