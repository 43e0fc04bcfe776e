#!/usr/bin/env python3
"""The console tool's JSON and topic options, run under Wine: the document
is valid against docs/report-schema.json, agrees with the text report,
carries non-ASCII registry text as Unicode, and topics are chosen by name.
Start-up entries named like a section, or holding line breaks, stay one
key=value line of their section in both.

Usage: check_report_json.py WINE_RUN REPORT_EXE SCHEMA WORK_DIR
"""
import json
import os
import subprocess
import sys

wine_run, tool, schema_path, work = sys.argv[1:5]
os.makedirs(work, exist_ok=True)
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(*arguments, name="out"):
    """Runs the tool with its output to a file (never a pipe Wine keeps)."""
    out, err = os.path.join(work, name), os.path.join(work, name + ".err")
    for path in (out, err):
        if os.path.exists(path):
            os.remove(path)
    with open(err, "wb") as stderr:
        code = subprocess.call([wine_run, tool, *arguments, windows_path(out)], stdout=subprocess.DEVNULL,
                               stderr=stderr)
    data = open(out, "rb").read() if os.path.exists(out) else b""
    return code, data, open(err, "rb").read().decode("utf-8", "replace")


def validate(value, schema, root, where="$"):
    """The part of JSON Schema the report's schema uses."""
    if "$ref" in schema:
        target = root
        for part in schema["$ref"].lstrip("#/").split("/"):
            target = target[part]
        validate(value, target, root, where)
    if "const" in schema and value != schema["const"]:
        failures.append(f"{where}: {value!r} is not {schema['const']!r}")
    kinds = {"object": dict, "array": list, "string": str, "boolean": bool, "null": type(None)}
    kind = schema.get("type")
    if kind == "number" and (isinstance(value, bool) or not isinstance(value, (int, float))):
        failures.append(f"{where}: not a number")
    elif kind in kinds and not isinstance(value, kinds[kind]):
        failures.append(f"{where}: not of type {kind}")
        return
    if "anyOf" in schema:
        before = len(failures)
        for option in schema["anyOf"]:
            mark = len(failures)
            validate(value, option, root, where)
            if len(failures) == mark:
                del failures[before:]
                break
        else:
            del failures[before + 1:]
    if isinstance(value, dict):
        for key in schema.get("required", []):
            if key not in value:
                failures.append(f"{where}: {key} missing")
        known = schema.get("properties", {})
        extra = schema.get("additionalProperties", True)
        for key, item in value.items():
            if key in known:
                validate(item, known[key], root, f"{where}.{key}")
            elif extra is False:
                failures.append(f"{where}: unexpected {key}")
            elif isinstance(extra, dict):
                validate(item, extra, root, f"{where}.{key}")
    if isinstance(value, list):
        if len(value) < schema.get("minItems", 0) or len(value) > schema.get("maxItems", len(value)):
            failures.append(f"{where}: {len(value)} items")
        if "items" in schema:
            for i, item in enumerate(value):
                validate(item, schema["items"], root, f"{where}[{i}]")


def sections_of_text(text):
    sections, current = {}, None
    for line in text.split("\r\n")[:-1]:
        if line.startswith("[") and line.endswith("]"):
            current = line[1:-1]
            sections[current] = []
        else:
            key, _, value = line.partition("=")
            sections.setdefault(current, []).append([key, value])
    return sections


schema = json.load(open(schema_path, encoding="utf-8"))
organization = "J\u00fcrgen Stra\u00dfe GmbH"
nt_key = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion"
query = os.path.join(work, "query.txt")
with open(query, "wb") as out:
    subprocess.call([wine_run, "reg", "query", nt_key, "/v", "RegisteredOrganization"], stdout=out,
                    stderr=subprocess.DEVNULL)
previous = None
for line in open(query, "rb").read().decode("utf-8", "replace").splitlines():
    if "RegisteredOrganization" in line and "REG_SZ" in line:
        previous = line.split("REG_SZ", 1)[1].strip()
subprocess.call([wine_run, "reg", "add", nt_key, "/v", "RegisteredOrganization", "/d", organization, "/f"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
# Two start-up entries as other programs leave them, imported as a person would.
run_key = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run"
two_lines = "a.exe\r\n[Injected]\r\nInjected=1"
entries_file = os.path.join(work, "entries.reg")
with open(entries_file, "wb") as out:
    data = ",".join("%02x" % b for b in (two_lines + "\0").encode("utf-16-le"))
    text = ("Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n\"[Updater]\"=\"updater.exe\"\r\n"
            "\"QM Two Lines\"=hex(1):%s\r\n" % (run_key, data))
    out.write(b"\xff\xfe" + text.encode("utf-16-le"))
subprocess.call([wine_run, "regedit", "/s", windows_path(entries_file)], stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL)
try:
    code, data, err = run("--format", "json", name="all.json")
    check(code in (0, 1), f"json exit code {code}: {err}")
    document = json.loads(data.decode("utf-8"))
    validate(document, schema, schema)
    names = [topic["name"] for topic in document["topics"]]
    check(names[:4] == ["Machine", "Operating System", "CPU", "Memory"] and len(names) == 16, f"topics {names}")

    code, text, _ = run(name="all.txt")
    text_sections = sections_of_text(text.decode("latin-1"))
    # Every line that starts with "[" is a whole section header, as readers of such files take it.
    headers = [line for line in text.decode("latin-1").split("\r\n") if line.startswith("[")]
    check(all(line.endswith("]") and "=" not in line for line in headers), "a line reads as a header")
    check("Injected" not in text_sections and "Updater" not in text_sections, "a value made a section")
    user_run = text_sections.get("HKCU Run", [])
    check(["(Updater)", "updater.exe"] in user_run, f"HKCU Run {user_run}")
    check(["QM Two Lines", "a.exe [Injected] Injected=1"] in user_run, f"HKCU Run {user_run}")
    json_sections = {}
    for topic in document["topics"]:
        for section in topic["report"]:
            json_sections[section["section"]] = section["values"]
    check(set(text_sections) == set(json_sections), "the text and the JSON have other sections")
    check("Injected" not in json_sections and "Updater]=updater.exe" not in json_sections, "a JSON value made a section")
    check(["(Updater)", "updater.exe"] in json_sections.get("HKCU Run", []), "HKCU Run in the JSON")
    # Values that change between two reads.
    changing = {"Machine", "CPU", "Memory", "Processes", "Environment"}
    for name, values in text_sections.items():
        if name in changing or name.startswith("Disk"):
            continue
        theirs = [[k.encode("latin-1").decode("cp1252", "replace"), v.encode("latin-1").decode("cp1252", "replace")]
                  for k, v in values]
        ours = json_sections.get(name)
        utf8 = [[k.encode("latin-1").decode("utf-8", "replace"), v.encode("latin-1").decode("utf-8", "replace")]
                for k, v in values]
        check(ours in (theirs, utf8), f"section {name} differs")

    # Registry text outside ASCII: Unicode in JSON, the system's code page in text.
    os_topic = document["topics"][1]
    check(os_topic["properties"]["RegisteredOrg"] == organization,
          f"RegisteredOrg {os_topic['properties']['RegisteredOrg']!r}")
    line = [l for l in text.split(b"\r\n") if l.startswith(b"RegOrganization=")]
    check(line and line[0][len(b"RegOrganization="):] in (organization.encode("cp1252"), organization.encode("utf-8")),
          f"text {line!r}")

    # Numbers as numbers, switches as booleans, nested objects as objects.
    code, data, err = run("--format", "json", "--topic", "cpu", "--topic", "MEMORY", name="two.json")
    two = json.loads(data.decode("utf-8"))
    validate(two, schema, schema)
    check([t["name"] for t in two["topics"]] == ["CPU", "Memory"], "chosen topics")
    cpu = two["topics"][0]["properties"]
    check(isinstance(cpu["Family"], int) and cpu["Family"] > 0, "Family")
    check(isinstance(cpu["Features"]["FPU"], bool), "Features.FPU")
    check(isinstance(two["topics"][1]["properties"]["PhysicalTotal"], int), "PhysicalTotal")

    code, data, _ = run("--topic", "Engines", name="engines.txt")
    check(data.startswith(b"[ODBC]\r\n") and b"[DirectX]" not in data, f"engines text {data[:40]!r}")

    code, data, err = run("--topic", "nosuch", name="bad.txt")
    check(code == 2 and "Processess" in err and not data, f"unknown topic: {code} {err}")
    listing = os.path.join(work, "topics.txt")
    with open(listing, "wb") as out:
        subprocess.call([wine_run, tool, "--list-topics"], stdout=out, stderr=subprocess.DEVNULL)
    topics = open(listing, "rb").read().decode().split()
    check("Processess" in topics and len(open(listing, "rb").read().splitlines()) == 16, f"list {topics}")
finally:
    for name in ("[Updater]", "QM Two Lines"):
        subprocess.call([wine_run, "reg", "delete", run_key, "/v", name, "/f"], stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL)
    restore = ["add", nt_key, "/v", "RegisteredOrganization", "/d", previous, "/f"] if previous is not None else \
        ["delete", nt_key, "/v", "RegisteredOrganization", "/f"]
    subprocess.call([wine_run, "reg", *restore], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

for failure in failures:
    print("FAILED:", failure)
print("report JSON: %d checks failed" % len(failures))
sys.exit(1 if failures else 0)
