#!/usr/bin/env python3
"""Checks one run's JSON and SARIF outputs against their schemas and against its text report.

    check_outputs.py REPORT.TXT RUN.json RUN.sarif

The JSON must be valid against docs/findings.schema.json and name exactly the findings of the
text report: the text's blocks are written again from the JSON here, by rules of their own,
and compared byte for byte. Every location, resolved against the JSON's sourceRoot,
must point at a line of the repository's files (of the module's text, in an export file)
that holds the name it locates. The SARIF must be valid against the official SARIF 2.1.0
schema (scripts/install-deps.sh fetches it; IVARSCAN_SARIF_SCHEMA overrides its path) and
have one result per finding, every file it names must exist, and the SARIF Multitool
(scripts/install-deps.sh installs it; IVARSCAN_SARIF_MULTITOOL overrides its path) must find
nothing with the rule kinds Sarif, Ghas and GHAzDO but the notes docs/code-scanning.md lists.
"""
import json
import os
import re
import subprocess
import sys
import tempfile
import urllib.parse

import jsonschema

import export_writer

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FINDINGS_SCHEMA = os.path.join(ROOT, "docs", "findings.schema.json")
MULTITOOL = os.environ.get(
    "IVARSCAN_SARIF_MULTITOOL",
    os.path.join(os.path.expanduser("~"), ".cache", "ivarscan", "sarif-multitool", "node_modules",
                 "@microsoft", "sarif-multitool-linux", "Sarif.Multitool"))
# What the Multitool says of every log that ivarscan writes, and why it stays
# (docs/code-scanning.md explains each).
ACCEPTED_MULTITOOL_NOTES = {
    "GHAzDO1019",  # Azure pipeline's build identity: only the pipeline knows it
    "GHAzDO1020",  # automationDetails.id in the pipeline's form: the same
    "SARIF2002",  # messages are text: GitHub shows message.text, not message strings
    "SARIF2003",  # no versionControlProvenance: the program does not know the checkout
    "SARIF2005",  # no informationUri: the project has no public address yet
    "SARIF2006",  # the $schema URL is not reachable from a machine without internet access
    "SARIF2009",  # rule ids are the kinds' names, shared with JSON and baselines
    "SARIF2010",  # no snippets: findings do not carry the text of their lines
    "SARIF2011",  # no context regions, for the same reason
    "SARIF2012",  # no helpUri: the project has no public address yet
}
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


def check_location(root, location, name, what):
    if location is None:
        fail("%s %s has no location" % (what, name))
    path = os.path.join(root, *location["file"].split("/"))
    with open(path, "rb") as f:
        data = f.read()
    line = location.get("line")
    if "module" in location:  # an export file: a line of the named module's text
        data = export_writer.module_text(data, location["module"])
        line = location["moduleLine"]
    lines = data.decode("cp1252", errors="replace").split("\n")
    if line > len(lines) or name.upper() not in lines[line - 1].upper():
        fail("%s %s is not on %s line %d" % (what, name, location["file"], line))


def local_path(path):
    """`path` as this system names it: a Windows path ("Z:/..." or, from a file URI,
    "/Z:/..."), from the Windows program run under Wine, through winepath."""
    if re.match(r"/?[A-Za-z]:/", path):
        return subprocess.run(["winepath", "-u", path.lstrip("/")], capture_output=True,
                              text=True, check=True).stdout.strip()
    return path


def check_locations(run):
    root = local_path(run["sourceRoot"])
    for app in run["applications"]:
        for cls in app["classes"]:
            check_location(root, cls.get("location"), cls["name"], "class")
            for var in cls["variables"]:
                check_location(root, var.get("location"), var["name"], "variable")
                other = var.get("ancestor") or var.get("duplicate")
                check_location(root, other.get("location"), var["name"], "declaration of")


def sarif_files(sarif):
    """Every file that the SARIF log names, resolved to a path of this machine."""
    run = sarif["runs"][0]
    bases = {name: base["uri"] for name, base in run.get("originalUriBaseIds", {}).items()}
    locations = []
    for result in run["results"]:
        locations += result["locations"] + result.get("relatedLocations", [])
    for invocation in run["invocations"]:
        for notification in invocation.get("toolExecutionNotifications", []):
            locations += notification.get("locations", [])
    for location in locations:
        artifact = location.get("physicalLocation", {}).get("artifactLocation")
        if artifact is None:
            continue
        uri = artifact["uri"]
        if "uriBaseId" in artifact:
            uri = urllib.parse.urljoin(bases[artifact["uriBaseId"]], uri)
        if not uri.startswith("file:///"):
            fail("a SARIF location resolves to no file URI: %s" % artifact)
        yield local_path(urllib.parse.unquote(uri[len("file://"):]))


def in_export_file(sarif, json_path):
    """Whether the physical location at `json_path` ("runs[0].results[3]...") of the SARIF
    log names an export file."""
    node = sarif
    for key, index in re.findall(r"(\w+)(?:\[(\d+)\])?", json_path):
        node = node[key]
        if index:
            node = node[int(index)]
    return node["artifactLocation"]["uri"].lower().endswith((".aef", ".mef"))


def accepted(sarif, result):
    if result["ruleId"] in ACCEPTED_MULTITOOL_NOTES:
        return True
    # A location in an export file has no region: its line is one of a module's text.
    arguments = result["message"].get("arguments", [])
    return result["ruleId"] == "SARIF2017" and bool(arguments) and \
        in_export_file(sarif, arguments[0])


def multitool_problems(sarif_path, sarif):
    """The errors and warnings that the SARIF Multitool finds with the rule kinds of GitHub
    and Azure DevOps, but those that docs/code-scanning.md lists with their reasons."""
    with tempfile.TemporaryDirectory() as folder:
        log = os.path.join(folder, "validation.sarif")
        subprocess.run([MULTITOOL, "validate", "--rule-kind", "Sarif;Ghas;GHAzDO", "--level",
                        "Error;Warning;Note", "--output", log, sarif_path],
                       check=True, stdout=subprocess.DEVNULL)
        with open(log, encoding="utf-8-sig") as f:
            validation = json.load(f)
    found = []
    for run in validation["runs"]:
        for result in run.get("results", []):
            if not accepted(sarif, result):
                found.append("%s %s: %s" % (result.get("level", "warning"), result["ruleId"],
                                            result["message"].get("text", result["message"])))
        for invocation in run.get("invocations", []):
            for notification in invocation.get("toolExecutionNotifications", []) + \
                    invocation.get("toolConfigurationNotifications", []):
                if notification.get("level", "warning") == "error":
                    found.append("the Multitool failed: %s" % notification["message"]["text"])
    return found


def main():
    report_path, json_path, sarif_path = sys.argv[1:4]
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
    check_locations(run)

    results = sarif["runs"][0]["results"]
    if len(results) != counted:
        fail("SARIF has %d results for %d findings" % (len(results), counted))
    rules = [r["id"] for r in sarif["runs"][0]["tool"]["driver"]["rules"]]
    for result in results:
        if rules[result["ruleIndex"]] != result["ruleId"]:
            fail("a result's ruleIndex does not name its rule: %s" % result["ruleId"])
    for path in sarif_files(sarif):
        if not os.path.isfile(path):
            fail("a SARIF location names no file: %s" % path)
    if not os.path.exists(MULTITOOL):
        fail("the SARIF Multitool is missing: %s (scripts/install-deps.sh installs it)" % MULTITOOL)
    problems = multitool_problems(sarif_path, sarif)
    if problems:
        fail("the SARIF Multitool finds:\n" + "\n".join(problems))


if __name__ == "__main__":
    main()
