#!/usr/bin/env python3
"""The console edition as a process: options, prompts, exit statuses and files.

Usage: console_test.py <folder with the ivarscan and ivarscan20 programs>
"""
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import types
import unittest
import urllib.parse

PROGRAMS = sys.argv.pop(1) if len(sys.argv) > 1 else "build/debug/app/console"
SAMPLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples",
                      "sample-repository")


class ConsoleBase(unittest.TestCase):
    """A copy of the sample repository in a work folder, and ways to run the programs there."""

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="ivarscan-console-")
        self.repository = os.path.join(self.work, "repository")
        shutil.copytree(SAMPLE, self.repository)
        self.state = os.path.join(self.work, "state")  # XDG_STATE_HOME: the error log's home

    def tearDown(self):
        shutil.rmtree(self.work)

    def run_program(self, *arguments, program="ivarscan", terminal_input=None, env=None):
        """Runs the program in the work folder. With terminal_input, standard input is a
        terminal on which that text has been typed; otherwise it is empty and not a
        terminal."""
        command = [os.path.join(PROGRAMS, program), *arguments]
        environment = dict(os.environ, XDG_STATE_HOME=self.state, **(env or {}))
        environment.pop("DISPLAY", None)
        environment.pop("WAYLAND_DISPLAY", None)
        if terminal_input is None:
            return subprocess.run(command, cwd=self.work, env=environment, text=True,
                                  stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        master, slave = os.openpty()
        try:
            os.write(master, terminal_input.encode())
            return subprocess.run(command, cwd=self.work, env=environment, text=True,
                                  stdin=slave, capture_output=True, timeout=60)
        finally:
            os.close(master)
            os.close(slave)

    def report(self, name="DUPIVars25.TXT"):
        with open(os.path.join(self.work, name), "rb") as report:
            return report.read()

    def current_project(self):
        with open(os.path.join(self.repository, "repository.ini")) as settings:
            return settings.read()

    def export_folder(self, damaged=False):
        """The project Warehouse's exports alone in a folder of the user's; with `damaged`,
        also Broken.aef, a copy of one of them cut short by 6 bytes."""
        exports = os.path.join(self.work, "Warehouse")
        os.makedirs(exports)
        for name in ("Runtime Classes.aef", "Shipping.aef", "project.ini"):
            shutil.copy(os.path.join(SAMPLE, "Warehouse", name), exports)
        if damaged:
            with open(os.path.join(SAMPLE, "Warehouse", "Shipping.aef"), "rb") as f:
                data = f.read()
            with open(os.path.join(exports, "Broken.aef"), "wb") as f:
                f.write(data[:-6])
        return exports

    def block_report_file(self):
        """Makes the report file impossible to create, even for root."""
        os.mkdir(os.path.join(self.work, "DUPIVars25.TXT"))

    def run_with_error_box(self, answer, unblock=False):
        """Runs unattended on a terminal and answers the report file's error box."""
        master, slave = os.openpty()
        process = subprocess.Popen(
            [os.path.join(PROGRAMS, "ivarscan"), "--repository", self.repository, "--yes",
             "--project", "Sales", "--no-open"],
            cwd=self.work, env=dict(os.environ, XDG_STATE_HOME=self.state), stdin=slave,
            stdout=slave, stderr=slave)
        os.close(slave)
        shown = b""
        try:
            while b"Retry" not in shown:
                chunk = os.read(master, 4096)
                self.assertTrue(chunk, shown)
                shown += chunk
            if unblock:
                os.rmdir(os.path.join(self.work, "DUPIVars25.TXT"))
            os.write(master, answer.encode() + b"\n")
            while True:
                try:
                    chunk = os.read(master, 4096)
                except OSError:  # the terminal closes with the program
                    break
                if not chunk:
                    break
                shown += chunk
            return process.wait(timeout=60), shown.decode(errors="replace")
        finally:
            os.close(master)


class ConsoleTest(ConsoleBase):
    def test_help_version_and_bad_command_lines(self):
        result = self.run_program("--help")
        self.assertEqual(result.returncode, 0)
        self.assertIn("Usage: ivarscan [--repository DIR]", result.stdout)
        self.assertIn("Exit status", result.stdout)
        result = self.run_program("--version", program="ivarscan20")
        self.assertEqual(result.returncode, 0)
        self.assertIn("DUPIVars20.TXT", result.stdout)
        result = self.run_program("--bogus")
        self.assertEqual(result.returncode, 2)
        self.assertIn("unknown option: --bogus", result.stderr)
        self.assertEqual(self.run_program("--project").returncode, 2)

    def test_unattended_run_writes_the_report_and_restores_the_project(self):
        before = self.current_project()
        result = self.run_program("--repository", self.repository, "--yes", "--project",
                                  "Sales", "--no-open")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(self.report().startswith(b"Classes with duplicate instance variables\r\n"))
        self.assertIn("The report is in " + os.path.join(self.work, "DUPIVars25.TXT"),
                      result.stdout)
        self.assertIn("Processing:Orders", result.stderr)
        self.assertEqual(self.current_project(), before)

    def test_bare_export_folder_with_a_damaged_export(self):
        # One export cut short: the run warns about it with its offset, reports on the
        # rest, and leaves the folder as it was.
        exports = self.export_folder(damaged=True)
        with open(os.path.join(exports, "Shipping.aef"), "rb") as f:
            data = f.read()
        before = sorted(os.listdir(exports))
        result = self.run_program("--repository", exports, "--yes", "--project", "warehouse",
                                  "--no-open")
        self.assertEqual(result.returncode, 0, result.stderr)
        warning = ("ivarscan: warning: %s: left out: damaged at byte offset %d: no end record"
                   % (os.path.join(exports, "Broken.aef"), len(data) - 6))
        self.assertEqual(result.stderr.count(warning), 1, result.stderr)
        self.assertIn(b"Application: Shipping", self.report())
        self.assertEqual(sorted(os.listdir(exports)), before)

    def test_repository_from_the_environment_and_the_current_folder(self):
        result = self.run_program("--yes", "--project", "Inventory",
                                  env={"IVARSCAN_REPOSITORY": self.repository})
        self.assertEqual(result.returncode, 0, result.stderr)
        os.remove(os.path.join(self.work, "DUPIVars25.TXT"))
        result = self.run_program("--yes", "--project", "Inventory")  # ./repository
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn(b"Application: Stock", self.report())

    def test_without_a_terminal_questions_count_as_no(self):
        result = self.run_program("--repository", self.repository)
        self.assertEqual(result.returncode, 1)
        self.assertIn("Do you want to continue?", result.stdout)
        self.assertIn("--yes", result.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.work, "DUPIVars25.TXT")))
        result = self.run_program("--repository", self.repository, "--yes")
        self.assertEqual(result.returncode, 1)
        self.assertIn("--project NAME", result.stderr)

    def test_prompts_answered_on_a_terminal(self):
        # Yes to the introduction, "9" is not in the list, then the project by its number
        # (Archive, Inventory, Sales, Warehouse), then Enter at the closing note.
        result = self.run_program("--repository", self.repository, "--no-open",
                                  terminal_input="\n9\n3\n\n")
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertIn("* 2  Inventory  - Warehouse stock keeping", result.stdout)
        self.assertIn('No project "9" in the list.', result.stdout)
        self.assertIn(b"Application: Orders", self.report())
        self.assertIn("Remember to visit", result.stdout)

    def test_declined_introduction_and_cancelled_dialog_write_nothing(self):
        result = self.run_program("--repository", self.repository, terminal_input="n\n")
        self.assertEqual(result.returncode, 1)
        result = self.run_program("--repository", self.repository, terminal_input="y\nq\n")
        self.assertEqual(result.returncode, 1)
        self.assertFalse(os.path.exists(os.path.join(self.work, "DUPIVars25.TXT")))

    def test_report_file_that_cannot_be_created_is_reported_logged_and_defaulted(self):
        self.block_report_file()
        result = self.run_program("--repository", self.repository, "--yes", "--project",
                                  "Sales", "--no-open")
        self.assertEqual(result.returncode, 1)
        self.assertIn("Error Code:  20 [ CANNOT CREATE FILE ]", result.stderr)
        self.assertIn("Filename: DUPIVars25.TXT", result.stderr)
        self.assertIn("answered Default", result.stderr)
        self.assertNotIn("The report is in", result.stdout)
        # The log goes to $XDG_STATE_HOME/ivarscan, which is created for it, and is named.
        log = os.path.join(self.state, "ivarscan", "VOERROR.LOG")
        self.assertIn("The error is logged in " + log + "\n", result.stderr)
        with open(log, "rb") as entry:
            self.assertIn(b"Filename: DUPIVars25.TXT\r\n", entry.read())

    def test_retry_after_the_folder_becomes_writable_writes_the_report(self):
        self.block_report_file()
        status, shown = self.run_with_error_box("r", unblock=True)
        self.assertEqual(status, 0, shown)
        self.assertIn(b"Application: Orders", self.report())

    def test_abort_ends_with_the_general_code(self):
        self.block_report_file()
        status, shown = self.run_with_error_box("a")
        self.assertEqual(status, 20, shown)

    def test_ide20_variant_writes_its_own_file(self):
        result = self.run_program("--repository", self.repository, "--yes", "--project",
                                  "Sales", "--no-open", program="ivarscan20")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.work, "DUPIVars25.TXT")))
        self.assertIn(b"Application: Orders", self.report("DUPIVars20.TXT"))


class CommandLineTest(ConsoleBase):
    """Options as Unix tools have them, a quiet mode and a summary of each run."""

    def test_options_parse_as_unix_tools_do(self):
        # A value is never the next option; a value option twice is an error; "--" ends
        # the options.
        for arguments, message in ((("--project", "--format", "json"), "--project needs a value"),
                                   (("--project", "A", "--project", "B"),
                                    "--project is given more than once"),
                                   (("--", "--yes"), "unexpected argument: --yes")):
            result = self.run_program(*arguments)
            self.assertEqual(result.returncode, 2, arguments)
            self.assertEqual(result.stderr.splitlines()[0], "ivarscan: " + message)
        result = self.run_program("--repository", self.repository, "--yes", "--project",
                                  "Sales", "--no-open", "--")
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_output_dash_is_standard_output(self):
        result = self.run_program("--repository", self.repository, "--yes", "--project",
                                  "Sales", "--no-open", "--output", "-")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(result.stdout.startswith("Classes with duplicate instance variables"),
                        result.stdout[:300])
        self.assertFalse(os.path.exists(os.path.join(self.work, "-")))
        self.assertFalse(os.path.exists(os.path.join(self.work, "DUPIVars25.TXT")))
        self.assertIn("Remember to visit", result.stderr)  # the dialogue moved out of the way

    def test_help_fits_eighty_columns_and_says_what_ivarscan20_is_for(self):
        for program in ("ivarscan", "ivarscan20"):
            result = self.run_program("--help", program=program)
            self.assertEqual(result.returncode, 0)
            self.assertEqual([line for line in result.stdout.splitlines() if len(line) > 80], [])
            self.assertIn("ivarscan20 reads one of IDE 2.0", " ".join(result.stdout.split()))
            for status in ("0", "1", "2", "3", "20, 22, 24", "130"):
                self.assertRegex(result.stdout, r"\n  %s\b" % status)

    def test_quiet_writes_nothing_but_errors_and_warnings(self):
        result = self.run_program("--repository", self.repository, "--yes", "--project",
                                  "Sales", "--no-open", "--quiet")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual((result.stdout, result.stderr), ("", ""))
        self.assertIn(b"Application: Orders", self.report())
        # A warning still comes through.
        exports = self.export_folder(damaged=True)
        result = self.run_program("--repository", exports, "--yes", "--project", "Warehouse",
                                  "--no-open", "-q")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, "")
        lines = result.stderr.splitlines()
        self.assertEqual(lines[0], "ivarscan: warning: %s: left out: damaged at byte offset "
                         "1025: no end record" % os.path.join(exports, "Broken.aef"))
        self.assertEqual([line for line in lines if not line.startswith("ivarscan: warning: ")],
                         [])

    def test_a_complete_run_ends_with_a_summary(self):
        result = self.run_program("--repository", self.repository, "--yes", "--project",
                                  "Sales", "--no-open")
        self.assertEqual(result.returncode, 0, result.stderr)
        # As many as the report has application headings and finding lines.
        report = self.report().decode("cp1252")
        applications = report.count("\r\nApplication: ")
        findings = len(re.findall(r"occurs more than once|also in|\*\* .* \*\*", report))
        self.assertEqual(result.stdout.splitlines()[-1],
                         "ivarscan: %d applications processed, %d findings"
                         % (applications, findings))
        self.assertEqual((applications, findings), (5, 11))


class LineFormatTest(ConsoleBase):
    """--format gnu: lines an editor's "next error" follows."""

    def test_every_line_names_a_file_and_line_that_hold_the_name(self):
        result = self.run_program("--repository", self.repository, "--yes", "--project",
                                  "Sales", "--no-open", "--format", "gnu")
        self.assertEqual(result.returncode, 0, result.stderr)
        lines = result.stdout.splitlines()
        self.assertEqual(len([line for line in lines if ": note: " not in line]), 11)
        pattern = re.compile(r"^(repository/[^:]+):(\d+): (error|warning|note): (.*)$")
        for line in lines:
            match = pattern.match(line)
            self.assertTrue(match, line)
            path, number, level, message = match.groups()
            first_word, _, rest = message.partition(": ")
            with open(os.path.join(self.work, path), encoding="cp1252") as f:
                source = f.read().splitlines()[int(number) - 1]
            if level == "note":  # "DataWindow declares lChanged", "the earlier ... of aOrders"
                name = message.split()[-1]
            elif rest.startswith("**"):  # a cyclic or missing parent: the class statement
                name = first_word
            else:
                name = rest.split()[0]
            self.assertIn(name.lower(), source.lower(), line)
            if level != "note":
                self.assertRegex(line, r" \[[a-z-]+\]$")

    def test_a_finding_in_an_export_file_claims_no_line_of_that_file(self):
        exports = os.path.join(self.work, "Warehouse")
        os.makedirs(exports)
        for name in ("Runtime Classes.aef", "Shipping.aef", "project.ini"):
            shutil.copy(os.path.join(SAMPLE, "Warehouse", name), exports)
        result = self.run_program("--repository", exports, "--yes", "--no-open", "--format",
                                  "gnu", "--output", "findings.txt")
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(os.path.join(self.work, "findings.txt")) as f:
            lines = f.read().splitlines()
        self.assertTrue(lines)
        for line in lines:
            self.assertRegex(line, r"^Warehouse/[^:]+\.aef: (error|warning|note): .*"
                             r"\(module [^,]+, line \d+\)", line)


class FormatsAndCiTest(ConsoleBase):
    """--format, --output, --fail-on-findings and --baseline."""

    def run_sales(self, *arguments):
        return self.run_program("--repository", self.repository, "--yes", "--project", "Sales",
                                "--no-open", *arguments)

    def test_json_on_standard_output_has_it_to_itself(self):
        result = self.run_sales("--format", "json")
        self.assertEqual(result.returncode, 0, result.stderr)
        run = json.loads(result.stdout)
        self.assertEqual(run["project"], "Sales")
        self.assertEqual(run["status"], "complete")
        self.assertEqual(run["repository"], self.repository)
        self.assertGreater(run["findings"], 0)
        self.assertFalse(os.path.exists(os.path.join(self.work, "DUPIVars25.TXT")))

    def test_output_file_for_every_format(self):
        for name, form in (("out.sarif", "sarif"), ("out.txt", "text")):
            result = self.run_sales("--format", form, "--output", name)
            self.assertEqual(result.returncode, 0, result.stderr)
            with open(os.path.join(self.work, name), "rb") as written:
                head = written.read(60)
            self.assertTrue(head.startswith(b"{" if form == "sarif" else b"Classes with"), head)
        self.assertFalse(os.path.exists(os.path.join(self.work, "DUPIVars25.TXT")))
        # A text report in a file of its own is still shown where it is.
        self.assertIn("The report is in " + os.path.join(self.work, "out.txt"), result.stdout)

    def test_json_file_that_cannot_be_written_goes_through_the_error_handler(self):
        os.mkdir(os.path.join(self.work, "out.json"))
        result = self.run_sales("--format", "json", "--output", "out.json")
        self.assertEqual(result.returncode, 1)
        self.assertIn("Error Code:  20 [ CANNOT CREATE FILE ]", result.stderr)
        self.assertIn("Filename: out.json", result.stderr)

    def test_fail_on_findings_and_a_baseline_that_holds_them(self):
        self.assertEqual(self.run_sales("--fail-on-findings").returncode, 3)
        baseline = os.path.join(self.work, "baseline.json")
        self.assertEqual(self.run_sales("--format", "json", "--output", baseline).returncode, 0)
        # Every finding is in the baseline: nothing is reported and the run passes.
        result = self.run_sales("--fail-on-findings", "--baseline", baseline)
        self.assertEqual(result.returncode, 0, result.stderr)
        report = self.report()
        self.assertNotIn(b"Class: ", report)
        self.assertIn(b"No classes with duplicate instance variables", report)
        # A new duplicate, and lines moved elsewhere in the modules, report that one only.
        module = os.path.join(self.repository, "Sales", "Orders", "Order Screens.prg")
        with open(module, "rb") as f:
            source = f.read()
        with open(module, "wb") as f:
            f.write(b"// moved\r\n\r\n" + source.replace(b"CLASS OrderWindow INHERIT DataWindow\r\n",
                    b"CLASS OrderWindow INHERIT DataWindow\r\n\tEXPORT nFresh, nFresh\r\n"))
        result = self.run_sales("--fail-on-findings", "--baseline", baseline, "--format", "json")
        self.assertEqual(result.returncode, 3, result.stderr)
        run = json.loads(result.stdout)
        variables = [(c["name"], v["name"], v["kind"]) for a in run["applications"]
                     for c in a["classes"] for v in c["variables"]]
        self.assertEqual(variables, [("OrderWindow", "nFresh", "duplicate-in-class")])

    def readme_ci_examples(self):
        with open(os.path.join(os.path.dirname(SAMPLE), "..", "README.md")) as f:
            section = f.read().split("## In CI", 1)[1].split("\n## ", 1)[0]
        return [block.split("\n", 1)[1] for block in section.split("```sh")[1:]
                for block in [block.split("```", 1)[0]]]

    def test_readme_ci_examples_run_as_written(self):
        environment = {"PATH": os.path.abspath(PROGRAMS) + os.pathsep + os.environ["PATH"]}
        first, with_baseline = self.readme_ci_examples()
        result = subprocess.run(["bash", "-ec", first], cwd=self.work, text=True,
                                capture_output=True, env=dict(os.environ, **environment),
                                stdin=subprocess.DEVNULL, timeout=60)
        self.assertEqual(result.returncode, 3, result.stderr)
        with open(os.path.join(self.work, "ivarscan.sarif")) as f:
            self.assertTrue(json.load(f)["runs"][0]["results"])
        result = subprocess.run(["bash", "-ec", with_baseline], cwd=self.work, text=True,
                                capture_output=True, env=dict(os.environ, **environment),
                                stdin=subprocess.DEVNULL, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(os.path.join(self.work, "ivarscan.sarif")) as f:
            self.assertEqual(json.load(f)["runs"][0]["results"], [])

    def sarif_uris_and_fingerprints(self):
        with open(os.path.join(self.work, "ivarscan.sarif"), encoding="utf-8") as f:
            run = json.load(f)["runs"][0]
        root = run["originalUriBaseIds"]["%SRCROOT%"]["uri"]
        files, lines = [], []
        for result in run["results"]:
            for location in result["locations"] + result.get("relatedLocations", []):
                artifact = location["physicalLocation"]["artifactLocation"]
                self.assertEqual(artifact["uriBaseId"], "%SRCROOT%")
                files.append(urllib.parse.unquote(
                    urllib.parse.urljoin(root, artifact["uri"])[len("file://"):]))
            lines.append(result["locations"][0]["physicalLocation"]["region"]["startLine"])
        return files, lines, [r["partialFingerprints"] for r in run["results"]]

    def test_readme_ci_example_names_files_of_the_checkout(self):
        """Run from the root of a git checkout, every URI names a file of the checkout, and
        lines inserted at the top of a module move the results but keep their fingerprints."""
        environment = dict(os.environ, PATH=os.path.abspath(PROGRAMS) + os.pathsep +
                           os.environ["PATH"])
        subprocess.run(["git", "init", "-q", "."], cwd=self.work, check=True)
        subprocess.run(["git", "add", "repository"], cwd=self.work, check=True)
        tracked = subprocess.run(["git", "ls-files", "-z"], cwd=self.work, check=True,
                                 capture_output=True).stdout.decode().split("\0")
        tracked = {os.path.join(os.path.realpath(self.work), name) for name in tracked if name}
        first = self.readme_ci_examples()[0]
        run = lambda: subprocess.run(["bash", "-ec", first], cwd=self.work, env=environment,
                                     capture_output=True, stdin=subprocess.DEVNULL, timeout=60)
        self.assertEqual(run().returncode, 3)
        files, lines, fingerprints = self.sarif_uris_and_fingerprints()
        self.assertTrue(files)
        for path in files:
            self.assertIn(os.path.realpath(path), tracked)

        for module in set(files):
            with open(module, "rb") as f:
                text = f.read()
            with open(module, "wb") as f:
                f.write(b"// moved\r\n// down\r\n// three lines\r\n" + text)
        self.assertEqual(run().returncode, 3)
        _, moved_lines, moved_fingerprints = self.sarif_uris_and_fingerprints()
        self.assertEqual(moved_lines, [line + 3 for line in lines])
        self.assertEqual(moved_fingerprints, fingerprints)
        self.assertEqual(len({json.dumps(f) for f in fingerprints}), len(fingerprints))

    def test_source_root_chooses_the_base_of_every_file(self):
        for root, base, uri in (
                (self.repository, "file://%s/" % self.repository, "Sales/Orders/"),
                ("/nonexistent/elsewhere", None, "file://%s/Sales/Orders/" % self.repository)):
            result = self.run_sales("--format", "sarif", "--source-root", root)
            self.assertEqual(result.returncode, 0, result.stderr)
            run = json.loads(result.stdout)["runs"][0]
            self.assertEqual(run.get("originalUriBaseIds", {}).get("%SRCROOT%", {}).get("uri"),
                             base)
            uris = [l["physicalLocation"]["artifactLocation"]["uri"]
                    for r in run["results"] for l in r["locations"]]
            self.assertIn(uri + "Invoices.prg", uris)

    def test_a_baseline_that_cannot_be_read_is_an_error(self):
        bad = os.path.join(self.work, "bad.json")
        with open(bad, "w") as f:
            f.write('{"version": 1, "applications": [')
        for baseline in (bad, os.path.join(self.work, "missing.json")):
            result = self.run_sales("--baseline", baseline)
            self.assertEqual(result.returncode, 2)
            self.assertIn("baseline", result.stderr)
            self.assertFalse(os.path.exists(os.path.join(self.work, "DUPIVars25.TXT")))


class FileNameTest(unittest.TestCase):
    """Names from the file system (UTF-8 on Linux) are converted once: to code page 1252 where
    they become names of the repository (the text report's encoding), and paths go to JSON
    and SARIF as they are."""

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="ivarscan-names-")
        self.checkout = os.path.join(self.work, "Pr\u00fcfung")
        application = os.path.join(self.checkout, "repository", "Suite", "Contr\u00f4les")
        os.makedirs(application)
        with open(os.path.join(self.checkout, "repository", "Suite", "project.ini"), "w") as f:
            f.write("[Project]\n")
        with open(os.path.join(application, "application.ini"), "w") as f:
            f.write("[Application]\nKind=program\n")
        with open(os.path.join(application, "Contr\u00f4les #1.prg"), "wb") as f:
            f.write(b"CLASS Knopf\r\n\tEXPORT nId\r\n\tEXPORT NID\r\n")

    def tearDown(self):
        shutil.rmtree(self.work)

    def run_format(self, form):
        return subprocess.run(
            [os.path.abspath(os.path.join(PROGRAMS, "ivarscan")), "--repository", "repository",
             "--project", "Suite", "--yes", "--no-open", "--format", form, "--output",
             "out." + form], cwd=self.checkout, capture_output=True, timeout=60,
            stdin=subprocess.DEVNULL)

    def test_a_non_ascii_module_file_and_folder_are_named_once(self):
        for form in ("text", "json", "sarif"):
            self.assertEqual(self.run_format(form).returncode, 0, form)
        with open(os.path.join(self.checkout, "out.text"), "rb") as f:
            report = f.read()
        self.assertIn(b"Application: Contr\xf4les\r\n", report)
        self.assertIn(b"Module: Contr\xf4les #1\r\n", report)

        module = os.path.join("repository", "Suite", "Contr\u00f4les", "Contr\u00f4les #1.prg")
        with open(os.path.join(self.checkout, "out.json"), encoding="utf-8") as f:
            run = json.load(f)
        self.assertEqual(run["sourceRoot"], os.path.realpath(self.checkout))
        application = run["applications"][0]
        self.assertEqual(application["name"], "Contr\u00f4les")
        self.assertEqual(application["classes"][0]["module"], "Contr\u00f4les #1")
        self.assertEqual(application["classes"][0]["location"]["file"], module)

        with open(os.path.join(self.checkout, "out.sarif"), encoding="utf-8") as f:
            sarif_run = json.load(f)["runs"][0]
        root = sarif_run["originalUriBaseIds"]["%SRCROOT%"]["uri"]
        uri = sarif_run["results"][0]["locations"][0]["physicalLocation"]["artifactLocation"]["uri"]
        self.assertEqual(uri, "repository/Suite/Contr%C3%B4les/Contr%C3%B4les%20%231.prg")
        path = urllib.parse.unquote(urllib.parse.urljoin(root, uri)[len("file://"):])
        self.assertTrue(os.path.isfile(path), path)


class InterruptTest(unittest.TestCase):
    """Ctrl-C during a run cancels it; the report is finished as a cancelled one."""

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="ivarscan-console-")
        generator = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bench",
                                 "generate_repository.py")
        subprocess.run([sys.executable, generator, "--preset", "medium",
                        os.path.join(self.work, "repository")], check=True,
                       capture_output=True)

    def tearDown(self):
        shutil.rmtree(self.work)

    def start(self, *arguments):
        return subprocess.Popen(
            [os.path.join(PROGRAMS, "ivarscan"), "--yes", "--project", "Head Office",
             "--no-open", *arguments], cwd=self.work, stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)

    def wait_for_processing(self, process):
        """Returns once the run has started on its applications."""
        line = process.stderr.readline()
        while line and not line.startswith("Processing:"):
            line = process.stderr.readline()
        self.assertTrue(line, "the run ended before processing began")

    def test_first_interrupt_cancels_and_finishes_the_report(self):
        process = self.start()
        self.wait_for_processing(process)
        process.send_signal(signal.SIGINT)
        stderr = process.communicate(timeout=60)[1]
        self.assertEqual(process.returncode, 1)
        with open(os.path.join(self.work, "DUPIVars25.TXT"), "rb") as report:
            text = report.read()
        self.assertTrue(text.endswith(b"!!!!! Processing cancelled !!!!!\r\n"), text[-200:])
        self.assertEqual(text.count(b"!!!!! Processing cancelled !!!!!"), 1)
        self.assertIn("ivarscan: the run was cancelled: the report in %s is incomplete"
                      % os.path.join(self.work, "DUPIVars25.TXT"), stderr)

    def test_a_cancelled_run_says_so_in_json_and_never_fails_on_findings(self):
        process = self.start("--format", "json", "--output", "run.json", "--fail-on-findings")
        self.wait_for_processing(process)
        process.send_signal(signal.SIGINT)
        process.communicate(timeout=60)
        self.assertEqual(process.returncode, 1)
        with open(os.path.join(self.work, "run.json")) as f:
            run = json.load(f)
        self.assertEqual(run["status"], "cancelled")
        self.assertGreaterEqual(len(run["applications"]), 1)


class NewUserTest(ConsoleBase):
    """What a new user meets when something is off: each failure says what is wrong and
    what to do."""

    def run_unattended(self, *arguments):
        return self.run_program("--yes", "--no-open", *arguments)

    def test_a_folder_that_is_no_repository_fails_at_once_naming_path_and_source(self):
        # The start of the program alone, for comparison: the fastest of three --version runs.
        start_alone = min(self.timed(lambda: self.run_program("--version")).seconds
                          for _ in range(3))
        missing = os.path.join(self.work, "missing")
        a_file = os.path.join(self.repository, "repository.ini")
        for arguments, env, path, source, reason in (
                (("--repository", missing), None, missing, "--repository",
                 "No such file or directory"),
                ((), {"IVARSCAN_REPOSITORY": a_file}, a_file, "IVARSCAN_REPOSITORY",
                 "Not a directory")):
            runs = [self.timed(lambda: self.run_program("--yes", *arguments, env=env))
                    for _ in range(3)]
            result = runs[0].result
            self.assertEqual(result.returncode, 1)
            self.assertEqual(result.stderr, "ivarscan: cannot open the repository %s (from %s): %s\n"
                             % (path, source, reason))
            self.assertEqual(result.stdout, "")
            # No waiting: the fastest of three takes a few times the program's start at most
            # (waiting for the folder took 20 seconds).
            self.assertLess(min(run.seconds for run in runs), 5 * start_alone)
        os.rename(self.repository, self.repository + "-moved")
        result = self.run_program("--yes", env={"IVARSCAN_REPOSITORY": ""})
        self.assertEqual(result.stderr, "ivarscan: cannot open the repository %s (from the "
                         "default): No such file or directory\n" % self.repository)

    def timed(self, run):
        start = time.monotonic()
        result = run()
        return types.SimpleNamespace(result=result, seconds=time.monotonic() - start)

    def test_a_project_that_cannot_be_selected_is_explained(self):
        os.makedirs(os.path.join(self.repository, "Sale"))  # no project.ini
        result = self.run_unattended("--repository", self.repository, "--project", "Sale")
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr.splitlines(), [
            'ivarscan: cannot select project "Sale": the folder %s has no project.ini'
            % os.path.join(self.repository, "Sale"),
            "ivarscan: the projects there are: Archive, Inventory, Sales, Warehouse",
            'ivarscan: did you mean "Sales"?'])
        result = self.run_unattended("--repository", self.repository, "--project", "sales ")
        self.assertEqual(result.returncode, 1)
        self.assertIn('"sales ": no such project in %s' % self.repository, result.stderr)
        self.assertIn('did you mean "Sales"?', result.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.work, "DUPIVars25.TXT")))

    def test_the_only_project_of_an_export_folder_needs_no_project_option(self):
        exports = self.export_folder()
        result = self.run_unattended("--repository", exports)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("ivarscan: reporting on project Warehouse, the only one in %s\n" % exports,
                      result.stderr)
        self.assertIn(b"Application: Shipping", self.report())

    def test_a_folder_without_projects_says_what_a_repository_holds(self):
        empty = os.path.join(self.work, "empty")
        os.makedirs(empty)
        for terminal_input in (None, "y\n"):
            result = self.run_program("--repository", empty, "--no-open", "--yes",
                                      terminal_input=terminal_input)
            self.assertEqual(result.returncode, 1)
            self.assertIn("ivarscan: %s holds no project: a repository holds project folders, "
                          "each with a project.ini, or exported applications (.aef files)\n"
                          % empty, result.stderr)
            self.assertNotIn("Project number or name", result.stdout)
            self.assertEqual(os.listdir(empty), [])  # no lock, no repository.ini

    def test_a_report_file_that_cannot_be_created_is_named_in_one_line_first(self):
        output = os.path.join(self.work, "missing", "out.txt")
        result = self.run_unattended("--repository", self.repository, "--project", "Sales",
                                     "--output", output)
        self.assertEqual(result.returncode, 1)
        first = result.stderr.splitlines()[0]
        self.assertEqual(first, "ivarscan: cannot create %s: No such file or directory" % output)
        self.assertIn("CANNOT CREATE FILE", result.stderr)

    def test_the_terminal_question_says_what_each_choice_does(self):
        self.block_report_file()
        status, shown = self.run_with_error_box("a")
        self.assertEqual(status, 20, shown)
        self.assertIn("Default: go on without the file; Retry: try again; "
                      "Abort: end the program.", shown)
        self.assertIn("ivarscan: cannot create %s: Is a directory"
                      % os.path.join(self.work, "DUPIVars25.TXT"), shown)

    def test_repository_ini_is_unchanged_by_a_run_that_changes_nothing(self):
        settings = os.path.join(self.repository, "repository.ini")
        text = b"[Repository]\r\nCurrentProject = Inventory\r\n; kept as written\r\n"
        with open(settings, "wb") as f:
            f.write(text)
        for project in ("Inventory", "Sales"):  # the current project, then another
            result = self.run_unattended("--repository", self.repository, "--project", project)
            self.assertEqual(result.returncode, 0, result.stderr)
            with open(settings, "rb") as f:
                self.assertEqual(f.read(), text, project)

    def test_a_baseline_of_another_kind_or_run_is_named(self):
        sarif = os.path.join(self.work, "run.sarif")
        self.run_unattended("--repository", self.repository, "--project", "Sales",
                            "--format", "sarif", "--output", sarif)
        result = self.run_unattended("--repository", self.repository, "--project", "Sales",
                                     "--baseline", sarif)
        self.assertEqual(result.returncode, 2)
        self.assertEqual(result.stderr, "ivarscan: cannot use the baseline %s: it is a SARIF log; "
                         "a baseline is the JSON output of a run (--format json)\n" % sarif)
        baseline = os.path.join(self.work, "inventory.json")
        self.run_unattended("--repository", self.repository, "--project", "Inventory",
                            "--format", "json", "--output", baseline)
        with open(baseline) as f:
            run = json.load(f)
        run["status"] = "cancelled"
        with open(baseline, "w") as f:
            json.dump(run, f)
        result = self.run_unattended("--repository", self.repository, "--project", "Sales",
                                     "--baseline", baseline)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("ivarscan: warning: the baseline %s is the output of a cancelled run"
                      % baseline, result.stderr)
        self.assertIn("ivarscan: warning: the baseline %s is of project Inventory, not Sales\n"
                      % baseline, result.stderr)
        self.assertIn("left out by the baseline", result.stdout)


if __name__ == "__main__":
    unittest.main(verbosity=2)
