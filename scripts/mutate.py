#!/usr/bin/env python3
"""Mutation run over the core: single-line faults, one at a time, in a scratch
copy of the repository; the faults the core tests let through are printed.

Called by scripts/mutate.sh; see --help."""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time

# Binary operators stand between blanks in this code base; templates,
# pointers, references, unary minus and shifts never do.
SWAPS = [
    (" <= ", " < "), (" < ", " <= "), (" >= ", " > "), (" > ", " >= "),
    (" == ", " != "), (" != ", " == "),
    (" + ", " - "), (" - ", " + "), (" * ", " / "), (" / ", " * "),
    (" += ", " -= "), (" -= ", " += "),
    (" && ", " || "), (" || ", " && "),
]
SWAP_PATTERN = re.compile("|".join(re.escape(old) for old, _ in SWAPS))
SWAP_TO = dict(SWAPS)
# A whole decimal literal with an optional suffix: not part of a name, a
# floating literal (nor its exponent), a hexadecimal one or one with digit
# separators.
INTEGER = re.compile(r"(?<![\w.'])(?<![eEpP][-+])(\d+)([uUlL]*)(?![\w.'])")
DECLARATION = re.compile(r"^[A-Za-z_][\w:<>,\s*&]*\s[*&]?[A-Za-z_]\w*\s*(=|\{|;|\(|\[)")
KEPT_STATEMENTS = re.compile(r"^(throw\b|break;|continue;|return;)")


def code_parts(lines):
    """Each line with string and character literals and comments blanked out
    (same length), so that mutations only touch code."""
    in_block = False
    result = []
    for line in lines:
        out = []
        i = 0
        n = len(line)
        while i < n:
            if in_block:
                end = line.find("*/", i)
                if end < 0:
                    out.append(" " * (n - i))
                    i = n
                else:
                    out.append(" " * (end + 2 - i))
                    i = end + 2
                    in_block = False
                continue
            c = line[i]
            if line.startswith("//", i):
                out.append(" " * (n - i))
                break
            if line.startswith("/*", i):
                in_block = True
                out.append("  ")
                i += 2
                continue
            if line.startswith('R"', i):  # raw strings stay on one line here
                end = line.find(')"', i)
                end = n if end < 0 else end + 2
                out.append(" " * (end - i))
                i = end
                continue
            if c in "\"'":
                j = i + 1
                while j < n and line[j] != c:
                    j += 2 if line[j] == "\\" else 1
                j = min(j + 1, n)
                out.append(c + " " * (j - i - 2) + (c if j - i >= 2 else ""))
                i = j
                continue
            out.append(c)
            i += 1
        result.append("".join(out))
    return result


def balanced(text):
    return all(text.count(a) == text.count(b) for a, b in ("()", "[]", "{}"))


def statement_start(previous):
    """True when the code line before lets the next one start a statement."""
    p = previous.strip()
    if not p or p.endswith((";", "{", "}", ":")) or p == "else":
        return True
    return p.endswith(")") and re.match(r"^(\}\s*)?(if|for|while|else if)\b", p) is not None


def mutants_of(path, lines):
    """(line number, original line, mutated line, what) for every fault of the file."""
    code = code_parts(lines)
    found = []
    previous_code = ""
    for number, (line, text) in enumerate(zip(lines, code), start=1):
        stripped = text.strip()
        if not stripped or stripped.startswith("#"):
            continue
        for m in SWAP_PATTERN.finditer(text):
            old = m.group(0)
            new = SWAP_TO[old]
            found.append((number, line, line[:m.start()] + new + line[m.end():], f"{old.strip()} -> {new.strip()}"))
        for m in INTEGER.finditer(text):
            value = int(m.group(1))
            for moved in (value + 1, value - 1):
                if moved < 0:
                    continue
                found.append((number, line, line[:m.start(1)] + str(moved) + line[m.end(1):], f"{value} -> {moved}"))
        if (stripped.endswith(";") and balanced(stripped) and statement_start(previous_code)
                and (KEPT_STATEMENTS.match(stripped) or not (DECLARATION.match(stripped)
                                                             or stripped.startswith(("return", "using", "namespace",
                                                                                     "case", "default", "}"))))):
            found.append((number, line, None, "statement deleted"))
        previous_code = stripped
    return found


def run(command, cwd, timeout=None, quiet=True):
    try:
        result = subprocess.run(command, cwd=cwd, timeout=timeout, stdout=subprocess.PIPE if quiet else None,
                                stderr=subprocess.STDOUT if quiet else None)
        return result.returncode, (result.stdout or b"").decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, ""


def copy_tree(source, scratch):
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=source,
                            check=True, stdout=subprocess.PIPE).stdout.decode().split("\0")
    for relative in filter(None, listed):
        origin = os.path.join(source, relative)
        if not os.path.isfile(origin):
            continue  # deleted in the working tree
        target = os.path.join(scratch, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(origin, target)


def main():
    parser = argparse.ArgumentParser(
        prog="scripts/mutate.sh",
        description="Puts single-line faults into the core one at a time (in a scratch copy), rebuilds "
                    "common_tests, core_tests and engine_tests and prints the faults that no test caught.")
    parser.add_argument("files", nargs="*", help="core sources to mutate (default: every .cpp under src/core)")
    parser.add_argument("--max-per-file", type=int, default=0, metavar="N",
                        help="a random sample of at most N mutants per file (default: all)")
    parser.add_argument("--seed", type=int, default=1, metavar="S", help="seed of the sample (default 1)")
    parser.add_argument("--timeout", type=float, default=0, metavar="SECONDS",
                        help="limit of one test program run; a mutant that runs longer counts as caught "
                             "(default: 5 times the unmutated run, at least 30 s)")
    parser.add_argument("--jobs", type=int, default=2, help="build jobs (default 2)")
    parser.add_argument("--sanitize", action="store_true",
                        help="build with AddressSanitizer and UndefinedBehaviorSanitizer (Debug, -O1)")
    parser.add_argument("--list", action="store_true", help="only list the mutants, build nothing")
    parser.add_argument("--keep", action="store_true", help="keep the scratch copy and print where it is")
    args = parser.parse_args()

    root = subprocess.run(["git", "rev-parse", "--show-toplevel"], check=True, stdout=subprocess.PIPE,
                          cwd=os.path.dirname(os.path.abspath(__file__))).stdout.decode().strip()
    if args.files:
        files = [os.path.relpath(os.path.abspath(f), root) for f in args.files]
    else:
        files = sorted(os.path.relpath(os.path.join(d, f), root)
                       for d, _, names in os.walk(os.path.join(root, "src", "core")) for f in names if f.endswith(".cpp"))
    for f in files:
        if not f.startswith("src/core/") or not os.path.isfile(os.path.join(root, f)):
            parser.error(f"{f}: not a source file under src/core")

    generator = random.Random(args.seed)
    plan = []
    for f in files:
        with open(os.path.join(root, f), encoding="utf-8") as handle:
            lines = handle.read().split("\n")
        mutants = mutants_of(f, lines)
        if args.max_per_file and len(mutants) > args.max_per_file:
            mutants = sorted(generator.sample(mutants, args.max_per_file), key=lambda m: m[0])
        plan.append((f, lines, mutants))
    total = sum(len(m) for _, _, m in plan)

    def shown(line):
        return "(deleted)" if line is None else line.strip()

    if args.list:
        for f, _, mutants in plan:
            for number, old, new, _ in mutants:
                print(f"{f}:{number}: {shown(old)} -> {shown(new)}")
        print(f"{total} mutants")
        return 0

    scratch = tempfile.mkdtemp(prefix="cpt-mutate.")
    try:
        print(f"Copying the tree to {scratch} and building it once...", flush=True)
        copy_tree(root, scratch)
        build = os.path.join(scratch, "build")
        configure = ["cmake", "-S", scratch, "-B", build, "-G", "Ninja", "-DCPT_BUILD_APP=OFF", "-DCPT_BUILD_CLI=OFF",
                     "-DCPT_BUILD_BENCH=OFF"]
        if shutil.which("ccache"):  # a restored file then costs no compile
            configure.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
        configure += (["-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS=-O1", "-DCPT_SANITIZE=ON"] if args.sanitize
                      else ["-DCMAKE_BUILD_TYPE=Release"])
        build_command = ["cmake", "--build", build, "--target", "common_tests", "core_tests", "engine_tests", "-j", str(args.jobs)]
        for command in (configure, build_command):
            code, output = run(command, scratch)
            if code != 0:
                print(output[-4000:])
                print("The unmutated tree does not build.", file=sys.stderr)
                return 1
        programs = {name: os.path.join(build, "tests", name) for name in ("common_tests", "core_tests", "engine_tests")}
        test_flags = ["--gtest_brief=1", "--gtest_fail_fast"]
        timeout = args.timeout
        for name, program in programs.items():
            started = time.monotonic()
            code, output = run([program] + test_flags, scratch)
            if code != 0:
                print(output[-4000:])
                print(f"{name} fails on the unmutated tree.", file=sys.stderr)
                return 1
            if not args.timeout:
                timeout = max(timeout, 30.0, 5 * (time.monotonic() - started))
        print(f"Built. {total} mutants in {len(plan)} files; each test run limited to {timeout:.0f} s.",
              flush=True)

        caught = survived = unbuilt = 0
        survivors = []
        done = 0
        for f, lines, mutants in plan:
            path = os.path.join(scratch, f)
            original = "\n".join(lines)
            # A fault in common/ reaches every program, any other only those above it.
            targets = (["common_tests", "core_tests", "engine_tests"] if f.startswith("src/core/common/")
                       else ["core_tests", "engine_tests"])
            try:
                for number, old, new, what in mutants:
                    done += 1
                    changed = list(lines)
                    if new is None:
                        del changed[number - 1]
                    else:
                        changed[number - 1] = new
                    with open(path, "w", encoding="utf-8") as handle:
                        handle.write("\n".join(changed))
                    code, _ = run(["cmake", "--build", build, "--target", *targets, "-j", str(args.jobs)], scratch)
                    if code != 0:
                        unbuilt += 1
                        verdict = "does not build"
                    else:
                        verdict = "survived"
                        for name in targets:
                            code, _ = run([programs[name]] + test_flags, scratch, timeout=timeout)
                            if code != 0:
                                verdict = "caught" if code is not None else "caught (time limit)"
                                break
                        if verdict == "survived":
                            survived += 1
                            survivors.append(f"{f}:{number}: {shown(old)} -> {shown(new)}")
                        else:
                            caught += 1
                    print(f"[{done}/{total}] {f}:{number}: {what}: {verdict}", flush=True)
            finally:
                with open(path, "w", encoding="utf-8") as handle:
                    handle.write(original)

        print()
        if survivors:
            print("Survived:")
            for line in survivors:
                print(line)
        if unbuilt:
            print(f"{unbuilt} mutants did not build (not counted)")
        print(f"{caught + survived} mutants, {caught} caught, {survived} survived")
        return 0
    finally:
        if args.keep:
            print(f"Scratch copy kept in {scratch}")
        else:
            shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
