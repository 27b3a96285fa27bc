#!/usr/bin/env python3
"""The console edition when runs meet: two runs at once on one repository, and runs killed
at random moments. Whatever happens, repository.ini stays whole, the lock is free for the
next run, and the project that was current before a killed run is current again.

Usage: robustness_test.py <folder with the ivarscan program> [kills]
"""
import os
import random
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

PROGRAMS = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "build/debug/app/console")
KILLS = int(sys.argv.pop(1)) if len(sys.argv) > 1 else 30
HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR = os.path.join(HERE, "..", "bench", "generate_repository.py")

# The generated repository's two projects: the one to report on, and the one made current
# before each run so that every run changes the current project and must put it back.
CHOSEN = "Head Office"
PREVIOUS = "Archive 1999"


def read_settings(path):
    """Parses repository.ini the way the folder layer does: returns ({section: {key:
    value}}, problems). Keys and sections compare ignoring case; a key set twice, a line
    that is neither a section nor key=value, or a key outside a section is a problem."""
    sections, problems, current = {}, [], None
    with open(path, "rb") as settings:
        text = settings.read().decode("latin-1")
    for number, line in enumerate(text.replace("\r\n", "\n").split("\n"), 1):
        line = line.strip(" \t")
        if not line or line[0] in ";#":
            continue
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1].strip().lower(), {})
        elif "=" in line and current is not None:
            key, value = (part.strip(" \t") for part in line.split("=", 1))
            if key.lower() in current:
                problems.append("line %d sets %s again" % (number, key))
            current[key.lower()] = value
        else:
            problems.append("line %d is not a setting: %r" % (number, line))
    return sections, problems


def other_lines(text):
    """The lines of a repository.ini other than those the program rewrites."""
    return [line for line in text.replace("\r\n", "\n").split("\n")
            if not re.match(r"\s*(CurrentProject|RestoreProject)\s*=", line, re.IGNORECASE)]


class Repository:
    """A generated repository in a temporary work folder, with PREVIOUS current: the
    medium preset cut to four programs and libraries of 100 classes (3.8 MB of source), so
    that a run of the sanitizer build takes about a second and thirty killed runs fit in
    half a minute."""

    def __init__(self):
        self.work = tempfile.mkdtemp(prefix="ivarscan-robust-")
        self.path = os.path.join(self.work, "repository")
        subprocess.run([sys.executable, GENERATOR, "--preset", "medium", "--apps", "4",
                        "--lib-classes", "100", self.path],
                       check=True, capture_output=True)
        self.settings = os.path.join(self.path, "repository.ini")
        with open(self.settings) as settings:
            text = settings.read()
        self.original = re.sub(r"CurrentProject\s*=.*", "CurrentProject=" + PREVIOUS, text)
        self.reset()

    def reset(self):
        with open(self.settings, "w") as settings:
            settings.write(self.original)

    def remove(self):
        shutil.rmtree(self.work)

    def command(self, *arguments):
        return [os.path.join(PROGRAMS, "ivarscan"), "--repository", self.path, *arguments]

    def report_run(self):
        return self.command("--yes", "--project", CHOSEN, "--no-open")


class TerminalRun:
    """A run on a pseudo-terminal, so that it stops at its prompts until answered."""

    def __init__(self, command, cwd):
        self.master, slave = os.openpty()
        self.process = subprocess.Popen(command, cwd=cwd, stdin=slave, stdout=slave,
                                        stderr=slave)
        os.close(slave)
        self.shown = b""

    def wait_for(self, text, timeout=60):
        deadline = time.monotonic() + timeout
        while text.encode() not in self.shown:
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([self.master], [], [], remaining)[0]:
                raise AssertionError("no %r in %r" % (text, self.shown[-2000:]))
            self.shown += os.read(self.master, 65536)

    def answer(self, text):
        os.write(self.master, text.encode())

    def finish(self, timeout=120):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if select.select([self.master], [], [], 0.2)[0]:
                try:
                    chunk = os.read(self.master, 65536)
                except OSError:  # the terminal closes with the program
                    break
                if not chunk:
                    break
                self.shown += chunk
            elif self.process.poll() is not None:
                break
        status = self.process.wait(timeout=max(1, deadline - time.monotonic()))
        os.close(self.master)
        return status


class RobustnessTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.repository = Repository()

    @classmethod
    def tearDownClass(cls):
        cls.repository.remove()

    def setUp(self):
        self.repository.reset()

    def assert_settings_whole(self, allow_restore):
        """repository.ini parses, keeps its other lines as they were, and holds CurrentProject (and,
        when allowed, RestoreProject naming the previous project) and nothing else."""
        sections, problems = read_settings(self.repository.settings)
        self.assertEqual(problems, [])
        self.assertEqual(list(sections), ["repository"])
        keys = sections["repository"]
        allowed = {"currentproject", "restoreproject"} if allow_restore else {"currentproject"}
        self.assertIn("currentproject", keys)
        self.assertLessEqual(set(keys), allowed)
        self.assertIn(keys["currentproject"], (CHOSEN, PREVIOUS))
        if "restoreproject" in keys:
            self.assertEqual(keys["restoreproject"], PREVIOUS)
        with open(self.repository.settings) as settings:
            self.assertEqual(other_lines(settings.read()), other_lines(self.repository.original))
        return keys

    def check_next_run(self):
        """Starts a run on a terminal and cancels it at the project list: the repository
        must open at once, with PREVIOUS current (the list offers it as the default)."""
        started = time.monotonic()
        run = TerminalRun(self.repository.command("--yes"), self.repository.work)
        try:
            run.wait_for("Project number or name (Enter = " + PREVIOUS + ",", timeout=10)
            run.answer("q\n")
            self.assertEqual(run.finish(timeout=30), 1)
        finally:
            if run.process.poll() is None:
                run.process.kill()
        self.assertNotIn(b"not available", run.shown)
        self.assertLess(time.monotonic() - started, 10)
        keys = self.assert_settings_whole(allow_restore=False)
        self.assertEqual(keys["currentproject"], PREVIOUS)

    def test_a_second_run_waits_then_says_the_repository_is_not_available(self):
        with open(self.repository.settings, "rb") as settings:
            before = settings.read()
        first = TerminalRun(self.repository.command("--yes", "--no-open"),
                            self.repository.work)
        try:
            first.wait_for("Project number or name")  # the repository is open and held
            started = time.monotonic()
            second = subprocess.run(self.repository.report_run(), cwd=self.repository.work,
                                    text=True, stdin=subprocess.DEVNULL, capture_output=True,
                                    timeout=120)
            waited = time.monotonic() - started
            self.assertEqual(second.returncode, 1)
            self.assertIn("Could not access the repository", second.stderr)  # an error box
            self.assertEqual(second.stderr.count("The repository is not available"), 20)
            self.assertGreaterEqual(waited, 19)
            with open(self.repository.settings, "rb") as settings:
                self.assertEqual(settings.read(), before)

            first.answer(CHOSEN + "\n\n")
            self.assertEqual(first.finish(), 0, first.shown[-2000:])
        finally:
            if first.process.poll() is None:
                first.process.kill()
        with open(os.path.join(self.repository.work, "DUPIVars25.TXT"), "rb") as report:
            self.assertIn(b"Application: Sales", report.read())
        keys = self.assert_settings_whole(allow_restore=False)
        self.assertEqual(keys["currentproject"], PREVIOUS)

    def test_runs_killed_at_random_moments_leave_the_repository_whole(self):
        started = time.monotonic()
        subprocess.run(self.repository.report_run(), cwd=self.repository.work, check=True,
                       capture_output=True, timeout=120)
        duration = time.monotonic() - started
        self.check_next_run()
        # A third of the kills land anywhere in the run; the others in its first and last
        # fifths, where the current project is changed and put back.
        rng = random.Random(int(os.environ.get("IVARSCAN_KILL_SEED", "1")))
        delays = []
        for kill in range(KILLS):
            band = (0, 1) if kill % 3 == 0 else (0, 0.2) if kill % 3 == 1 else (0.8, 1.05)
            delays.append(duration * rng.uniform(*band))
        states = {}
        for delay in delays:
            with self.subTest(delay=round(delay, 3)):
                process = subprocess.Popen(self.repository.report_run(),
                                           cwd=self.repository.work, stdin=subprocess.DEVNULL,
                                           stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)
                time.sleep(delay)
                process.send_signal(signal.SIGKILL)
                process.wait(timeout=60)
                keys = self.assert_settings_whole(allow_restore=True)
                state = "restore pending" if "restoreproject" in keys else keys["currentproject"]
                states[state] = states.get(state, 0) + 1
                self.check_next_run()
        print("\n%d kills over a %.2f s run; repository.ini found: %s"
              % (len(delays), duration, states), file=sys.stderr)
        # The kills must have caught runs in the middle, with the project still to put back.
        self.assertIn("restore pending", states)


if __name__ == "__main__":
    unittest.main(verbosity=2)
