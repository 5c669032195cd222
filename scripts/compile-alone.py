#!/usr/bin/env python3
"""Compiles each C++ file changed since BASE on its own, syntax only, with the
include folders and definitions the build uses.

A unity build compiles a target's files in batches, so a file that does not
include what it uses still compiles until the batches change; a build
without unity (the edit loop) then breaks. BASE defaults to the commit
before the last, so that a merge covers its whole branch; uncommitted
changes count too.

Usage: scripts/compile-alone.py BUILD_FOLDER [BASE]
"""
import json
import os
import shlex
import subprocess
import sys

build = sys.argv[1]
base = sys.argv[2] if len(sys.argv) > 2 else "HEAD~1"
os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

def git(*args):
    return subprocess.run(["git", *args], capture_output=True, text=True)

if git("rev-parse", "-q", "--verify", base + "^{commit}").returncode != 0:
    print(f"compile-alone: no {base} to compare with, nothing compiled")
    sys.exit(0)
changed = git("diff", "--name-only", "--diff-filter=AMR", base, "--",
              "src", "tests", "tools", "bench").stdout.split()
files = sorted(f for f in set(changed) if f.endswith((".cpp", ".h")) and os.path.isfile(f))

# Every include folder, system folder and definition of the build, once,
# by the folder (relative to the build) whose targets use them.
def flags_of(command):
    words, flags, i = shlex.split(command), [], 0
    while i < len(words):
        word = words[i]
        if word == "-isystem":
            flags.append(("-isystem", words[i + 1]))
            i += 2
        elif word.startswith(("-I", "-D", "-std=")):
            flags.append((word,))
            i += 1
        else:
            i += 1
    return flags

build_root = os.path.abspath(build)
by_folder = {}
for entry in json.load(open(os.path.join(build, "compile_commands.json"))):
    folder = os.path.relpath(entry["directory"], build_root)
    by_folder.setdefault(folder, []).extend(flags_of(entry["command"]))

def flags_for(source):
    """The flags of the source's own folder first: two test programs may
    each have a generated file of the same name (a .moc)."""
    own = os.path.dirname(source)
    ordered = by_folder.get(own, []) + [f for folder, flags in sorted(by_folder.items())
                                        if folder != own for f in flags]
    unique = list(dict.fromkeys(ordered))
    return [word for flag in unique for word in flag]

failed = 0
for f in files:
    run = subprocess.run(["c++", "-fsyntax-only", "-w", "-x", "c++", *flags_for(f), f],
                         capture_output=True, text=True)
    if run.returncode != 0:
        failed += 1
        errors = [line for line in run.stderr.splitlines() if "error" in line][:3]
        print(f"{f} does not compile on its own:\n  " + "\n  ".join(errors))
print(f"compile-alone: {len(files) - failed} of {len(files)} files changed since {base} "
      "compile on their own")
sys.exit(1 if failed else 0)
