#!/usr/bin/env python3
"""Prints the application a report of the project folder ends with: the last one, in the
report's name order, that is not the System Library."""
import configparser
import pathlib
import sys


def is_system_library(ini):
    settings = configparser.ConfigParser(interpolation=None)
    settings.read(ini, encoding="latin-1")
    value = settings.get("Application", "SystemLibrary", fallback="no").strip().lower()
    return value in ("yes", "true", "1")


def main():
    project = pathlib.Path(sys.argv[1])
    names = [ini.parent.name for ini in project.glob("*/application.ini")
             if not is_system_library(ini)]
    # Name order: upper-cased, cut or blank-padded to 64 characters.
    print(max(names, key=lambda name: name.upper()[:64].ljust(64)))


if __name__ == "__main__":
    main()
