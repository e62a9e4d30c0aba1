#!/usr/bin/env python3
"""Fails when a public name of the library is missing from the guide's cheat sheet.

Usage: check_cheat_sheet.py <public header directory> <guide.md>

What counts as a public name. Every declaration that universal-ctags finds in
the public headers (*.h of the directory) whose name does not begin with an
underscore: macros, enumerations and their enumerators, classes, structures,
unions, typedefs, functions (declared or defined inline), global variables and
constants, and the methods and data members of classes and structures. Left
out are:
  - each header's include guard (the macro of its first #ifndef);
  - members that are private or protected, and members of classes whose own
    name begins with an underscore;
  - functions declared "= delete";
  - parameters and forward declarations (ctags reports neither).

How each must appear. The cheat sheet is the part of the guide from the
heading "## Cheat sheet" to the next heading of that level. Only its code is
read: the lines of its fenced code blocks, each cut at "//". There:
  - a function is written as a call, NAME( for a free function and
    CLASS::NAME( for a method (constructors CLASS::CLASS(, destructors
    CLASS::~CLASS(), on at least as many lines as it has overloads;
  - a data member is written CLASS::NAME, or named inside the braces of a
    one-line "struct CLASS { ... }" (or class);
  - an enumeration, class, structure or union follows its keyword (enum NAME);
  - a typedef is named on a line with "typedef";
  - a macro follows "#define";
  - a global is named followed by ";", ",", "=" or "[";
  - an enumerator is named anywhere.
"""
import collections
import glob
import json
import os
import re
import shutil
import subprocess
import sys


def header_tags(header_dir):
    """The universal-ctags tags of the headers (*.h) of a directory, and their
    include guards (the macro of each header's first #ifndef)."""
    headers = sorted(glob.glob(os.path.join(header_dir, "*.h")))
    if not headers:
        sys.exit("no headers in " + header_dir)
    guards = set()
    for header in headers:
        with open(header) as f:
            match = re.search(r"^#ifndef\s+(\w+)", f.read(), re.M)
            if match:
                guards.add(match.group(1))
    ctags = shutil.which("ctags-universal") or "ctags"  # Debian's name for universal-ctags
    output = subprocess.run(
        [ctags, "--language-force=C++", "--output-format=json", "--fields=+aKS",
         "--kinds-C++=+p+x", "-o", "-"] + headers,
        check=True, capture_output=True, text=True).stdout
    tags = [json.loads(line) for line in output.splitlines()]
    return [tag for tag in tags if tag.get("_type") == "tag"], guards


def public_declarations(header_dir):
    """(kind, scope, name) of every public declaration, with its overload count."""
    tags, guards = header_tags(header_dir)
    found = collections.Counter()
    for tag in tags:
        name, kind, scope = tag["name"], tag["kind"], tag.get("scope", "")
        if name.startswith("_") or (kind == "macro" and name in guards):
            continue
        if "= delete" in tag.get("pattern", ""):
            continue
        if kind in ("function", "prototype", "member") and scope:
            if scope.startswith("_") or tag.get("access") in ("private", "protected"):
                continue
        if kind == "enumerator":
            scope = ""  # enumerators of plain enums are used unqualified
        found[(kind, scope, name)] += 1
    return found


def cheat_sheet_code(guide):
    """The code lines of the cheat sheet, each cut at its comment."""
    with open(guide) as f:
        text = f.read()
    match = re.search(r"^## Cheat sheet\n(.*?)(?=^## |\Z)", text, re.M | re.S)
    if not match:
        sys.exit("no '## Cheat sheet' section in " + guide)
    lines, in_code = [], False
    for line in match.group(1).splitlines():
        if line.startswith("```"):
            in_code = not in_code
        elif in_code:
            lines.append(line.split("//")[0])
    return lines


def count_lines(lines, pattern):
    regex = re.compile(pattern)
    return sum(1 for line in lines if regex.search(line))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    declarations = public_declarations(sys.argv[1])
    code = cheat_sheet_code(sys.argv[2])
    missing = []
    for (kind, scope, name), overloads in sorted(declarations.items()):
        word = re.escape(name)
        qualified = re.escape(scope + "::" + name) if scope else None
        if kind in ("function", "prototype"):
            pattern = (r"(?<![\w:~])" + word if not scope else r"\b" + qualified) + r"\s*\("
            needed = overloads
        elif kind == "member":
            pattern = (r"\b%s\b|\b(struct|class)\s+%s\b\s*\{.*\b%s\b"
                       % (qualified, re.escape(scope), word))
            needed = 1
        elif kind in ("enum", "class", "struct", "union"):
            pattern, needed = r"\b%s\s+%s\b" % (kind, word), 1
        elif kind == "typedef":
            pattern, needed = r"\btypedef\b.*\b%s\b" % word, 1
        elif kind == "macro":
            pattern, needed = r"#define\s+%s\b" % word, 1
        elif kind in ("externvar", "variable"):
            pattern, needed = r"\b%s\s*[;,=\[]" % word, 1
        else:  # enumerators, and anything ctags may add later
            pattern, needed = r"\b%s\b" % word, 1
        have = count_lines(code, pattern)
        if have < needed:
            shown = scope + "::" + name if scope else name
            missing.append("%s %s: %d of %d line(s)" % (kind, shown, have, needed))
    for line in missing:
        print("missing from the cheat sheet:", line)
    print("%d public names checked, %d missing" % (len(declarations), len(missing)))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
