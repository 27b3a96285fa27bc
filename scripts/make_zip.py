#!/usr/bin/env python3
"""Makes the Windows release zip (called by scripts/package.sh).

Usage: make_zip.py VERSION PROGRAM_FOLDER OUTPUT.zip

PROGRAM_FOLDER is the app folder of a Windows build: the desktop programs (.exe) and the
console programs (.com) are in its win32/ folder. The zip holds one folder,
ivarscan-VERSION/, with the programs of both variants, README.txt, LICENSE.txt and
CHANGELOG.txt (CR LF line ends) and the JSON schema of the findings. Members are in a fixed
order, each stamped with SOURCE_DATE_EPOCH and the same modes, so the same inputs give the
same bytes.
"""
import os
import sys
import time
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# (name in the zip, file under PROGRAM_FOLDER)
PROGRAMS = [
    ("ivarscan.exe", "win32/ivarscan.exe"),
    ("ivarscan20.exe", "win32/ivarscan20.exe"),
    ("ivarscan.com", "win32/ivarscan.com"),
    ("ivarscan20.com", "win32/ivarscan20.com"),
]
# (name in the zip, file under the source tree); texts get CR LF line ends.
TEXTS = [
    ("README.txt", "README.md"),
    ("LICENSE.txt", "LICENSE"),
    ("CHANGELOG.txt", "CHANGELOG.md"),
]
DATA = [
    ("findings.schema.json", "docs/findings.schema.json"),
]


def with_crlf(data):
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def read(path):
    with open(path, "rb") as file:
        return file.read()


def member(folder, name, stamp, executable):
    info = zipfile.ZipInfo(f"{folder}/{name}", date_time=stamp)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 3  # Unix, so that the modes below are read
    info.external_attr = (0o100755 if executable else 0o100644) << 16
    return info


def main():
    version, programs, output = sys.argv[1:4]
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    # A zip stores local time without a zone, from 1980 on; UTC keeps it the same everywhere.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    folder = f"ivarscan-{version}"
    members = [(name, read(os.path.join(programs, path)), True) for name, path in PROGRAMS]
    members += [(name, with_crlf(read(os.path.join(ROOT, path))), False) for name, path in TEXTS]
    members += [(name, read(os.path.join(ROOT, path)), False) for name, path in DATA]
    with zipfile.ZipFile(output, "w") as archive:
        for name, data, executable in sorted(members):
            archive.writestr(member(folder, name, stamp, executable), data, compresslevel=9)


if __name__ == "__main__":
    main()
