#!/usr/bin/env python3
"""The Windows console edition (ivarscan.com) under Wine, against the Linux one.

Usage: console_test.py <folder with ivarscan.com> <folder with the Linux ivarscan>

Run by scripts/wine-test.sh, which sets WINEPREFIX. Every run of the Windows program is
compared with a run of the Linux program on the same input: texts, exit statuses and
output bytes must be the same, apart from the absolute paths of the two systems.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

WINDOWS = os.path.abspath(sys.argv.pop(1))
LINUX = os.path.abspath(sys.argv.pop(1))
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SAMPLE = os.path.join(ROOT, "tests", "sample")
SALES = ["--project", "Sales", "--yes", "--no-open"]


def windows_path(path):
    return subprocess.run(["winepath", "-w", path], capture_output=True, text=True,
                          check=True).stdout.strip()


class WineConsoleTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="ivarscan-wine-console-")
        self.repository = os.path.join(self.work, "repository")
        shutil.copytree(os.path.join(SAMPLE, "repository"), self.repository, symlinks=False)

    def tearDown(self):
        shutil.rmtree(self.work)

    def run_in(self, command, *arguments):
        environment = dict(os.environ)
        environment.pop("DISPLAY", None)
        return subprocess.run([*command, *arguments], cwd=self.work, env=environment,
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=300)

    def windows(self, *arguments, program="ivarscan"):
        return self.run_in(["wine", os.path.join(WINDOWS, program + ".com")], *arguments)

    def linux(self, *arguments, program="ivarscan"):
        return self.run_in([os.path.join(LINUX, program)], *arguments)

    def read(self, name):
        with open(os.path.join(self.work, name), "rb") as f:
            return f.read()

    def without_absolute_paths(self, data):
        """The output with the absolute paths of either system (the repository's, the work
        folder's as the source root and its URI) made words."""
        text = data.decode("utf-8")
        work = windows_path(self.work)
        for path, word in ((work.replace("\\", "\\\\") + "\\\\repository", "<REPOSITORY>"),
                           (self.repository, "<REPOSITORY>"),
                           ("file:///" + work.replace("\\", "/"), "<WORK-URI>"),
                           ("file://" + self.work, "<WORK-URI>"),
                           (work.replace("\\", "/"), "<WORK>"), (self.work, "<WORK>")):
            text = text.replace(path, word)
        return text

    def test_texts_and_exit_statuses_are_the_linux_ones(self):
        runs = [(["--help"], 0, "ivarscan"), (["--version"], 0, "ivarscan20"),
                (["--bogus"], 2, "ivarscan"), (["--threads", "x"], 2, "ivarscan"),
                # no terminal: the introduction is answered No
                (["--project", "Sales", "--no-open"], 1, "ivarscan"),
                (SALES, 0, "ivarscan20"), ([*SALES, "--fail-on-findings"], 3, "ivarscan")]
        for arguments, status, program in runs:
            with self.subTest(arguments=arguments, program=program):
                windows = self.windows(*arguments, program=program)
                linux = self.linux(*arguments, program=program)
                self.assertEqual(windows.returncode, status, windows.stderr)
                self.assertEqual(linux.returncode, status, linux.stderr)
                self.assertEqual(windows.stderr, linux.stderr)
                # The report's path differs; every other line is the same.
                self.assertEqual(
                    [line for line in windows.stdout.split(b"\n")
                     if not line.startswith(b"The report is in ")],
                    [line for line in linux.stdout.split(b"\n")
                     if not line.startswith(b"The report is in ")])

    def test_sample_report_cases(self):
        wrapper = os.path.join(self.work, "ivarscan-under-wine")
        with open(wrapper, "w") as f:
            f.write('#!/bin/sh\nexec wine "%s" "$@"\n' % os.path.join(WINDOWS, "ivarscan.com"))
        os.chmod(wrapper, 0o755)
        for case, form in (("sample", "folder"), ("sample-export", "folder")):
            with self.subTest(case=case, form=form):
                result = subprocess.run(
                    [os.path.join(ROOT, "tests", "run_report_case.sh"), wrapper,
                     os.path.join(ROOT, "tests", case), form],
                    capture_output=True, text=True, timeout=300)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_json_and_sarif_are_the_linux_bytes_apart_from_absolute_paths(self):
        for document in ("json", "sarif"):
            with self.subTest(document=document):
                windows = self.windows(*SALES, "--repository", "repository", "--format", document)
                linux = self.linux(*SALES, "--repository", "repository", "--format", document)
                self.assertEqual(windows.returncode, 0, windows.stderr)
                self.assertNotIn(b"\r\n", windows.stdout)
                self.assertEqual(self.without_absolute_paths(windows.stdout),
                                 self.without_absolute_paths(linux.stdout))

    def test_standard_output_piped_to_a_file_equals_the_output_file(self):
        for document in ("json", "sarif"):
            with self.subTest(document=document):
                piped = self.windows(*SALES, "--format", document)
                written = self.windows(*SALES, "--format", document, "--output", "out")
                self.assertEqual(written.returncode, 0, written.stderr)
                self.assertEqual(piped.stdout, self.read("out"))

    def test_a_baseline_leaves_out_what_it_holds(self):
        self.assertEqual(self.windows(*SALES, "--format", "json", "--output", "base.json")
                         .returncode, 0)
        result = self.windows(*SALES, "--format", "sarif", "--output", "new.sarif",
                              "--fail-on-findings", "--baseline", "base.json")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(json.loads(self.read("new.sarif"))["runs"][0]["results"], [])
        result = self.windows(*SALES, "--baseline", "missing.json")
        self.assertEqual(result.returncode, 2)

    def test_windows_path_forms(self):
        backslashes = windows_path(self.repository)
        forward = backslashes.replace("\\", "/")
        reports = []
        for repository in (backslashes, forward, ".\\repository"):
            with self.subTest(repository=repository):
                result = self.windows(*SALES, "--repository", repository, "--format", "sarif",
                                      "--output", forward + "/../out.sarif")
                self.assertEqual(result.returncode, 0, result.stderr)
                sarif = json.loads(self.read("out.sarif"))
                base = sarif["runs"][0]["originalUriBaseIds"]["%SRCROOT%"]["uri"]
                self.assertEqual(base, "file:///" + windows_path(self.work).replace("\\", "/") + "/")
                reports.append(sarif["runs"][0]["results"])
        self.assertTrue(reports[0])
        self.assertTrue(all(results == reports[0] for results in reports))

    def test_a_module_file_with_a_non_ascii_name(self):
        folder = os.path.join(self.repository, "Sales", "Common Controls")
        os.rename(os.path.join(folder, "Controls.prg"), os.path.join(folder, "Contrôles.prg"))
        windows = self.windows(*SALES, "--format", "json")
        self.assertEqual(windows.returncode, 0, windows.stderr)
        files = {variable["location"]["file"]
                 for application in json.loads(windows.stdout)["applications"]
                 for found in application["classes"] for variable in found["variables"]
                 if "location" in variable}
        self.assertIn("repository/Sales/Common Controls/Contrôles.prg", files)
        linux = self.linux(*SALES, "--format", "json")
        self.assertEqual(self.without_absolute_paths(windows.stdout),
                         self.without_absolute_paths(linux.stdout))
        sarif = self.windows(*SALES, "--format", "sarif")
        self.assertIn(b"repository/Sales/Common%20Controls/Contr%C3%B4les.prg", sarif.stdout)

    def test_readme_cmd_example_runs_the_console_program(self):
        with open(os.path.join(ROOT, "README.md"), encoding="utf-8") as f:
            section = f.read().split("## On Windows", 1)[1].split("\n## ", 1)[0]
        example = section.split("```bat\n", 1)[1].split("```", 1)[0]
        os.rename(self.repository, os.path.join(self.work, "VO Repository"))
        for program in ("ivarscan.com", "ivarscan.exe"):
            shutil.copy(os.path.join(WINDOWS, program), self.work)
        with open(os.path.join(self.work, "ci.cmd"), "w", newline="\r\n") as f:
            f.write(example)
        result = self.run_in(["wine", "cmd", "/c", "ci.cmd"])
        self.assertEqual(result.returncode, 3, result.stderr)
        self.assertTrue(json.loads(self.read("ivarscan.sarif"))["runs"][0]["results"])


if __name__ == "__main__":
    unittest.main()
