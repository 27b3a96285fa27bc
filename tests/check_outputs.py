#!/usr/bin/env python3
"""Checks one run's JSON and SARIF outputs against their schemas and against its text report.

    check_outputs.py REPORT.TXT RUN.json RUN.sarif REPOSITORY_FOLDER

The JSON must be valid against docs/findings.schema.json and name exactly the findings of the
text report: the text's blocks are written again from the JSON here, by rules of their own,
and compared byte for byte. Every location must point at a line of the repository's files
(of the module's text, in an export file) that holds the name it locates. The SARIF must be valid against the official SARIF 2.1.0
schema (scripts/install-deps.sh fetches it; IVARSCAN_SARIF_SCHEMA overrides its path) and
have one result per finding.
"""
import json
import os
import sys

import jsonschema

import export_writer

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FINDINGS_SCHEMA = os.path.join(ROOT, "docs", "findings.schema.json")
SARIF_SCHEMA = os.environ.get(
    "IVARSCAN_SARIF_SCHEMA",
    os.path.join(os.path.expanduser("~"), ".cache", "ivarscan", "sarif-schema-2.1.0.json"))


def fail(message):
    print(message)
    sys.exit(1)


def validate(document, schema_path):
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    validator = jsonschema.validators.validator_for(schema)(schema)
    errors = sorted(validator.iter_errors(document), key=lambda e: list(e.absolute_path))
    if errors:
        fail("%s: %s at %s" % (os.path.basename(schema_path), errors[0].message,
                                 "/".join(map(str, errors[0].absolute_path))))


def blocks_from_json(run):
    """The text report after its header, as the JSON says it must read."""
    lines = []
    for app in run["applications"]:
        lines += ["Application: " + app["name"], "=" * 35]
        for cls in app["classes"]:
            lines += ["Class: " + cls["name"], "App: " + app["name"], "Module: " + cls["module"],
                      "Inherits from: " + cls["parent"]]
            problem = cls.get("problem")
            if problem:
                what = {"missing-parent": "Could not find parent class",
                        "cyclic-inheritance": "Cyclic inheritance at class"}[problem["kind"]]
                lines.append("** %s %s **" % (what, problem["class"]))
            lines += ["", "Duplicate instance variables:"]
            for var in cls["variables"]:
                if var["kind"] == "duplicate-in-class":
                    lines.append(var["name"] + " occurs more than once in this class")
                else:
                    a = var["ancestor"]
                    lines.append("%s also in %s (%s-%s)" % (var["name"], a["class"],
                                                           a["application"], a["module"]))
            lines += ["", ""]
        if run["status"] == "complete" and not app["classes"]:
            lines += ["No classes with duplicate instance variables", ""]
    if run["status"] == "cancelled":
        lines.append("!!!!! Processing cancelled !!!!!")
    return "".join(line + "\r\n" for line in lines)


def check_location(repository, location, name, what):
    if location is None:
        fail("%s %s has no location" % (what, name))
    path = os.path.join(repository, *location["file"].split("/"))
    with open(path, "rb") as f:
        data = f.read()
    if "module" in location:  # an export file: a line of the named module's text
        data = export_writer.module_text(data, location["module"])
    lines = data.decode("cp1252", errors="replace").split("\n")
    if location["line"] > len(lines) or name.upper() not in lines[location["line"] - 1].upper():
        fail("%s %s is not on %s line %d" % (what, name, location["file"], location["line"]))


def check_locations(run, repository):
    for app in run["applications"]:
        for cls in app["classes"]:
            check_location(repository, cls.get("location"), cls["name"], "class")
            for var in cls["variables"]:
                check_location(repository, var.get("location"), var["name"], "variable")
                other = var.get("ancestor") or var.get("duplicate")
                check_location(repository, other.get("location"), var["name"], "declaration of")


def main():
    report_path, json_path, sarif_path, repository = sys.argv[1:5]
    with open(report_path, "rb") as f:
        report = f.read().decode("cp1252")
    with open(json_path, "rb") as f:
        run = json.loads(f.read().decode("utf-8"))
    with open(sarif_path, "rb") as f:
        sarif = json.loads(f.read().decode("utf-8"))

    validate(run, FINDINGS_SCHEMA)
    if not os.path.exists(SARIF_SCHEMA):
        fail("the SARIF schema is missing: %s (scripts/install-deps.sh fetches it)" % SARIF_SCHEMA)
    validate(sarif, SARIF_SCHEMA)

    header_end = report.index("Quorvex!\r\n\r\n") + len("Quorvex!\r\n\r\n")
    expected = blocks_from_json(run)
    if report[header_end:] != expected:
        fail("the JSON's findings differ from the text report:\n" + expected)
    counted = sum(len(c["variables"]) + ("problem" in c)
                  for a in run["applications"] for c in a["classes"])
    if run["findings"] != counted:
        fail("findings says %d, the classes hold %d" % (run["findings"], counted))
    check_locations(run, repository)

    results = sarif["runs"][0]["results"]
    if len(results) != counted:
        fail("SARIF has %d results for %d findings" % (len(results), counted))
    rules = [r["id"] for r in sarif["runs"][0]["tool"]["driver"]["rules"]]
    for result in results:
        if rules[result["ruleIndex"]] != result["ruleId"]:
            fail("a result's ruleIndex does not name its rule: %s" % result["ruleId"])


if __name__ == "__main__":
    main()
