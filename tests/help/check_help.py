#!/usr/bin/env python3
"""Checks the help's sources before they are compiled: the project lists every
file that exists and nothing more, the table of contents lists every topic, and
every link of the contents, the index and the topics resolves, anchors too.

Usage: check_help.py HELP_FOLDER"""
import html.parser
import os
import re
import sys


class Links(html.parser.HTMLParser):
    """The links, pictures, anchors and contents entries of one HTML file."""

    def __init__(self):
        super().__init__()
        self.targets, self.anchors, self.locals = [], set(), []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "a" and "href" in attrs:
            self.targets.append(attrs["href"])
        if tag == "a" and "name" in attrs:
            self.anchors.add(attrs["name"])
        if tag in ("img", "link") and ("src" in attrs or "href" in attrs):
            self.targets.append(attrs.get("src") or attrs.get("href"))
        if tag == "param" and (attrs.get("name") or "").lower() == "local":
            self.locals.append(attrs.get("value", ""))


def parse(path):
    links = Links()
    with open(path, encoding="cp1252") as f:
        links.feed(f.read())
    return links


def project(folder):
    sections, current = {}, None
    with open(os.path.join(folder, "quarrim.hhp"), encoding="cp1252") as f:
        for line in f:
            line = line.strip()
            if re.fullmatch(r"\[.*\]", line):
                current = sections.setdefault(line[1:-1], [])
            elif line and current is not None:
                current.append(line)
    options = dict(line.split("=", 1) for line in sections.get("OPTIONS", []))
    return options, sections.get("FILES", [])


def main(folder):
    problems = []
    options, files = project(folder)
    listed = set(files)
    on_disk = set()
    for base, _, names in os.walk(folder):
        for name in names:
            if name.endswith((".html", ".css", ".png")):
                on_disk.add(os.path.relpath(os.path.join(base, name), folder).replace(os.sep, "/"))
    problems += [f"{name} is not in the project's [FILES]" for name in sorted(on_disk - listed)]
    problems += [f"[FILES] lists {name}, which does not exist" for name in sorted(listed - on_disk)]
    for key in ("Contents file", "Index file", "Default topic", "Compiled file", "Title"):
        if key not in options:
            problems.append(f"the project sets no {key}")

    topics = {name: parse(os.path.join(folder, name)) for name in listed if name.endswith(".html")}

    def resolve(source, target):
        if re.match(r"[a-z]+:", target):
            return  # web and mail links leave the help
        name, _, anchor = target.partition("#")
        name = name or source
        if name not in listed:
            problems.append(f"{source}: {target} is not a file of the help")
        elif anchor and (name not in topics or anchor not in topics[name].anchors):
            problems.append(f"{source}: {target} names an anchor that {name} lacks")

    for name, links in topics.items():
        for target in links.targets:
            resolve(name, target)
    contents = parse(os.path.join(folder, options.get("Contents file", "toc.hhc")))
    index = parse(os.path.join(folder, options.get("Index file", "index.hhk")))
    for source, entries in (("the contents", contents.locals), ("the index", index.locals)):
        if not entries:
            problems.append(f"{source} is empty")
        for target in entries:
            resolve(source, target)
    in_contents = {entry.partition("#")[0] for entry in contents.locals}
    problems += [f"the contents do not list {name}" for name in sorted(topics) if name not in in_contents]
    if options.get("Default topic") not in topics:
        problems.append("the default topic is not a topic of the help")

    for problem in problems:
        print(problem)
    print(f"{len(topics)} topics, {len(contents.locals)} contents entries, {len(index.locals)} index entries, "
          f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
