#!/usr/bin/env python3
"""The manual page against the program: every option that --help lists is in the page's
synopsis and OPTIONS section, and every option the page names is one that --help lists;
each program the page covers answers --help; and the page renders without a warning.

Usage: man_page_test.py <folder with the ivarscan and ivarscan20 programs> <manual page>
"""
import os
import re
import subprocess
import sys
import unittest

PROGRAMS = sys.argv.pop(1) if len(sys.argv) > 2 else "build/debug/app/console"
PAGE = sys.argv.pop(1) if len(sys.argv) > 1 else "docs/man/ivarscan.1"

OPTION = re.compile(r"(?<![\w-])(--?[a-z][a-z0-9-]*)")


def page_source():
    with open(PAGE, encoding="utf-8") as page:
        return page.read()


def sections(source):
    """The page's sections by name, as roff source with '\\-' read as '-'."""
    found = {}
    name = None
    for line in source.replace("\\-", "-").splitlines():
        if line.startswith(".SH "):
            name = line[4:].strip().strip('"')
            found[name] = []
        elif name:
            found[name].append(line)
    return {key: "\n".join(lines) for key, lines in found.items()}


def options_in(text):
    return set(OPTION.findall(text))


def help_text(program):
    result = subprocess.run([os.path.join(PROGRAMS, program), "--help"], capture_output=True,
                            text=True, timeout=60, stdin=subprocess.DEVNULL)
    if result.returncode != 0:
        raise AssertionError(f"{program} --help exited with {result.returncode}")
    return result.stdout


class ManPageTest(unittest.TestCase):
    def test_options_agree_with_help(self):
        page = sections(page_source())
        help_options = options_in(help_text("ivarscan"))
        self.assertTrue(help_options, "--help lists no option")
        listed = options_in(page["OPTIONS"])
        self.assertEqual(help_options - listed, set(), "in --help, missing in OPTIONS")
        self.assertEqual(listed - help_options, set(), "in OPTIONS, unknown to --help")
        mentioned = options_in(page_source().replace("\\-", "-"))
        self.assertEqual(mentioned - help_options, set(), "named in the page, unknown to --help")
        self.assertEqual(help_options - options_in(page["SYNOPSIS"]), set(),
                         "in --help, missing in SYNOPSIS")

    def test_the_second_variant_has_the_same_options(self):
        self.assertEqual(options_in(help_text("ivarscan20")), options_in(help_text("ivarscan")))
        self.assertIn("ivarscan20", sections(page_source())["NAME"])

    def test_sections_of_a_manual_page(self):
        page = sections(page_source())
        for name in ("NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS", "ENVIRONMENT",
                     "FILES", "EXAMPLES", "SEE ALSO"):
            self.assertIn(name, page)

    def test_renders_without_warnings(self):
        result = subprocess.run(["man", "--warnings", "-l", "-E", "UTF-8", PAGE],
                                capture_output=True, text=True, timeout=60,
                                env=dict(os.environ, MANWIDTH="80"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")
        self.assertIn("report instance variables declared again", result.stdout)


if __name__ == "__main__":
    unittest.main()
