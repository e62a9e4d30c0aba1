#!/usr/bin/env python3
"""Fails when the installed headers declare a name outside the list of the
library's public names, or when a listed name is no longer declared.

Usage: check_public_names.py <public header directory> <names list>

The names are those universal-ctags finds in the headers (*.h of the
directory), read as check_cheat_sheet.py reads them: macros, enumerations and
their enumerators, classes, structures, typedefs, functions, global variables
and the public members of classes, each written as the list writes it, a
member as CLASS::NAME. Left out are include guards, anonymous enumerations,
and private and protected members: a program cannot use them. The list holds
one name a line; "#" starts a comment. Whatever belongs to the library's
inside goes into a private header under core/src instead.
"""
import os
import sys

from check_cheat_sheet import header_tags


def declared_names(header_dir):
    tags, guards = header_tags(header_dir)
    names = {}
    for tag in tags:
        if tag.get("access") in ("private", "protected"):
            continue
        name, scope = tag["name"], tag.get("scope", "")
        if name.startswith("__anon") or (tag["kind"] == "macro" and name in guards):
            continue
        if tag["kind"] == "enumerator" or scope.startswith("__anon"):
            scope = ""  # enumerators are used unqualified
        qualified = scope + "::" + name if scope else name
        names.setdefault(qualified, os.path.basename(tag["path"]))
    return names


def listed_names(path):
    with open(path) as f:
        return {line.split("#")[0].strip() for line in f} - {""}


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    declared = declared_names(sys.argv[1])
    listed = listed_names(sys.argv[2])
    for name in sorted(set(declared) - listed):
        print("declared in %s but not a listed public name: %s" % (declared[name], name))
    for name in sorted(listed - set(declared)):
        print("listed but declared in no installed header: %s" % name)
    wrong = (set(declared) - listed) | (listed - set(declared))
    print("%d names declared, %d listed, %d wrong" % (len(declared), len(listed), len(wrong)))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
