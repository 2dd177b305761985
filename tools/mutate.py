#!/usr/bin/env python3
"""Mutation testing of the plug-in's own code: do the tests notice a real fault?

Makes every single-operator mutant of the C++ in select_connected/ and plugin/ (one changed
operator, constant or call per mutant), builds each in a copy of the project, and runs the Linux
suite of the `default` preset's CTest (without the Windows checks) against it. A mutant the suite
fails on is killed. The survivors not on the list of equivalent mutants are then built with
AddressSanitizer and UndefinedBehaviorSanitizer and run against the `sanitize` preset's suite: a
memory-safety fault counts as caught when a sanitizer reports it. A mutant that does not compile
is stillborn and counts for nothing.

Each suite run is its own process group, killed whole when it outlasts the timeout (a hang the
mutant caused counts as killed). At the end it prints each survivor as FILE:LINE with the changed
line, and the score: killed out of the mutants that are neither stillborn nor on the list of
equivalent mutants (tools/equivalent_mutants.txt), which no test can tell from the original.

The mutants:
  relational   <  <=  >  >=  ==  !=     each to its neighbour (< to <=, == to !=, ...)
  logical      && to ||, || to &&, a ! dropped
  arithmetic   + to -, - to +, * to /, / to *, += to -=, -= to +=, ++ to --, -- to ++
  constant     0 to 1, 1 to 0, N to N+1; true to false and back
  call         a statement that is only a call, dropped
Comments, preprocessor lines, string and character literals, and code compiled only for Windows
are left alone.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
MUTATED_FOLDERS = ("select_connected", "plugin")
EQUIVALENTS = ROOT / "tools" / "equivalent_mutants.txt"
WINDOWS_CHECKS = "windows|wine|release_archive"
# What the suites need built: the plug-in, the test programs, the benchmark and vexo-sim. (A
# mutant rebuilds only those that hold the changed code.)
TARGETS = ["adjsurf", "vexo-sim", "select_connected_benchmark", "select_connected_tests",
           "select_connected_endurance_tests", "plugin_tests", "plugin_loader_tests", "not_a_plugin",
           "modeller_tests", "messages_tests", "model_files_tests", "vexo_sim_tests"]


@dataclass
class Mutant:
    path: str  # relative to the project
    line: int  # 1-based
    start: int  # column of the change in the line
    end: int
    replacement: str
    kind: str

    def mutated_line(self, lines):
        text = lines[self.line - 1]
        return text[: self.start] + self.replacement + text[self.end :]


# --- Finding mutants -------------------------------------------------------------------------

BINARY = [
    # Operators clang-format puts between blanks, so that template brackets, arrows and shifts
    # are never taken for them.
    (" <= ", " < ", "relational"),
    (" >= ", " > ", "relational"),
    (" < ", " <= ", "relational"),
    (" > ", " >= ", "relational"),
    (" == ", " != ", "relational"),
    (" != ", " == ", "relational"),
    (" && ", " || ", "logical"),
    (" || ", " && ", "logical"),
    (" + ", " - ", "arithmetic"),
    (" - ", " + ", "arithmetic"),
    (" * ", " / ", "arithmetic"),
    (" / ", " * ", "arithmetic"),
    (" += ", " -= ", "arithmetic"),
    (" -= ", " += ", "arithmetic"),
]
INCREMENT = re.compile(r"\+\+|--")
NEGATION = re.compile(r"!(?=[A-Za-z_(])")
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
BOOLEAN = re.compile(r"\b(true|false)\b")
CALL_STATEMENT = re.compile(r"^(\s*)((?:[A-Za-z_][\w:]*(?:\.|->))*[A-Za-z_][\w:]*)\(.*\);\s*$")
NOT_CALLS = {"return", "if", "while", "for", "switch", "sizeof", "static_assert"}


def code_of(line):
    """The line with string and character literals and a trailing comment blanked out, so that
    columns still match and nothing inside them is mutated."""
    out = []
    quote = None
    i = 0
    while i < len(line):
        c = line[i]
        if quote:
            out.append(" ")
            if c == "\\":
                out.append(" ")
                i += 1
            elif c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(" ")
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))


def linux_lines(lines):
    """The indices of lines that are C++ compiled on Linux: not comments, not preprocessor lines,
    not inside a block compiled only for Windows."""
    kept = []
    windows_depth = 0
    depth = 0
    for index, line in enumerate(lines):
        stripped = line.strip()
        if stripped.startswith("#"):
            if re.match(r"#\s*if", stripped):
                depth += 1
                if "_WIN32" in stripped and "!" not in stripped and windows_depth == 0:
                    windows_depth = depth
            elif re.match(r"#\s*endif", stripped):
                if depth == windows_depth:
                    windows_depth = 0
                depth -= 1
            elif re.match(r"#\s*else", stripped) and depth == windows_depth:
                windows_depth = 0
            continue
        if windows_depth or not stripped or stripped.startswith("//"):
            continue
        kept.append(index)
    return kept


def mutants_of_line(path, number, line):
    code = code_of(line)
    found = []
    for original, replacement, kind in BINARY:
        for match in re.finditer(re.escape(original), code):
            found.append(Mutant(path, number, match.start(), match.end(), replacement, kind))
    for match in INCREMENT.finditer(code):
        other = "--" if match.group() == "++" else "++"
        found.append(Mutant(path, number, match.start(), match.end(), other, "arithmetic"))
    for match in NEGATION.finditer(code):
        found.append(Mutant(path, number, match.start(), match.end(), "", "logical"))
    for match in NUMBER.finditer(code):
        value = int(match.group(1))
        other = {0: "1", 1: "0"}.get(value, str(value + 1))
        found.append(Mutant(path, number, match.start(1), match.end(1), other, "constant"))
    for match in BOOLEAN.finditer(code):
        other = "false" if match.group(1) == "true" else "true"
        found.append(Mutant(path, number, match.start(1), match.end(1), other, "constant"))
    call = CALL_STATEMENT.match(code)
    if call and call.group(2).split("::")[-1] not in NOT_CALLS and "=" not in code.split("(")[0]:
        start = len(call.group(1))
        dropped = line[start:].rstrip()
        found.append(Mutant(path, number, start, len(line.rstrip()),
                            f"(void)0;  /* dropped: {dropped} */", "call"))
    return found


def lines_changed_since(revision):
    """{path: set of 1-based line numbers} of the lines in the mutated folders that the working
    tree adds or changes against `revision`."""
    diff = subprocess.run(["git", "diff", "-U0", revision, "--", *MUTATED_FOLDERS], cwd=ROOT,
                          capture_output=True, text=True, check=True).stdout
    changed = {}
    path = None
    for line in diff.split("\n"):
        if line.startswith("+++ "):
            path = line[6:] if line.startswith("+++ b/") else None
        elif line.startswith("@@") and path:
            added = re.match(r"@@ -\S+ \+(\d+)(?:,(\d+))? @@", line)
            first, count = int(added.group(1)), int(added.group(2) or 1)
            changed.setdefault(path, set()).update(range(first, first + count))
    return changed


def find_mutants(only=None, at=None, changed=None):
    mutants = []
    for folder in MUTATED_FOLDERS:
        for source in sorted((ROOT / folder).glob("*")):
            if source.suffix not in (".cpp", ".h"):
                continue
            path = str(source.relative_to(ROOT))
            if only and only not in path:
                continue
            lines = source.read_text().split("\n")
            for index in linux_lines(lines):
                if at and f"{path}:{index + 1}" not in at:
                    continue
                if changed is not None and index + 1 not in changed.get(path, ()):
                    continue
                mutants.extend(mutants_of_line(path, index + 1, lines[index]))
    return mutants


# --- The list of equivalent mutants ----------------------------------------------------------


def read_equivalents():
    """Lines of `FILE: MUTATED LINE  -- why`: the mutant whose changed line, stripped, is that."""
    equivalents = {}
    if not EQUIVALENTS.exists():
        return equivalents
    for raw in EQUIVALENTS.read_text().split("\n"):
        if not raw.strip() or raw.startswith("#"):
            continue
        entry, _, why = raw.partition("  -- ")
        path, _, mutated = entry.partition(": ")
        equivalents[(path.strip(), mutated.strip())] = why.strip()
    return equivalents


# --- Building and running --------------------------------------------------------------------


def run_group(command, cwd, timeout):
    """Runs a command in a process group of its own; on a timeout the whole group is killed.
    Returns (finished, exit status)."""
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        return True, process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return False, None


class Workspace:
    """A copy of the project with a `default` and a `sanitize` build, in which one mutant at a
    time is written, built and tested."""

    def __init__(self, folder, jobs):
        self.folder = folder
        self.source = folder / "source"
        self.jobs = jobs

    def prepare(self):
        """Copies the project's files as they are now (a workspace from an earlier run is
        brought up to date and its builds reused), builds both presets and checks that their
        suites pass unmutated."""
        files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, capture_output=True,
                               check=True).stdout.decode().split("\0")
        for name in filter(None, files):
            if name.startswith("fuzz/corpus/") or not (ROOT / name).exists():
                continue
            target = self.source / name
            if target.exists() and target.read_bytes() == (ROOT / name).read_bytes():
                continue
            target.parent.mkdir(parents=True, exist_ok=True)
            # A fresh time stamp, so that the builds here see the file as changed.
            shutil.copy(ROOT / name, target)
        for preset in ("default", "sanitize"):
            build = self.build_dir(preset)
            if not (build / "CMakeCache.txt").exists():
                subprocess.run(["cmake", "--preset", preset, "-B", str(build),
                                "-DVEXO_BUILD_TESTS=ON", "-DVEXO_CHECK_WINDOWS_BUILDS=OFF"],
                               cwd=self.source, check=True, stdout=subprocess.DEVNULL)
            if not self.build(preset):
                sys.exit(f"mutate: the unmutated {preset} build fails")
            if self.test(preset, timeout=600) != "passed":
                sys.exit(f"mutate: the unmutated {preset} suite fails")

    def build_dir(self, preset):
        return self.folder / f"build-{preset}"

    def build(self, preset):
        finished, status = run_group(
            ["cmake", "--build", str(self.build_dir(preset)), "-j", str(self.jobs), "--target",
             *TARGETS], self.source, timeout=900)
        return finished and status == 0

    def test(self, preset, timeout):
        command = ["ctest", "--test-dir", str(self.build_dir(preset)), "-j", str(self.jobs),
                   "-E", WINDOWS_CHECKS, "--stop-on-failure"]
        if preset == "sanitize":
            os.environ["ASAN_OPTIONS"] = "detect_leaks=1:abort_on_error=1"
            os.environ["UBSAN_OPTIONS"] = "print_stacktrace=1:halt_on_error=1"
        finished, status = run_group(command, self.source, timeout)
        if not finished:
            return "timed out"
        return "passed" if status == 0 else "failed"

    def judge(self, mutant, lines, preset, timeout):
        """Writes the mutant, builds and tests it, and puts the original back. Returns
        "stillborn", "killed" or "survived"."""
        source = self.source / mutant.path
        original = "\n".join(lines)
        mutated = list(lines)
        mutated[mutant.line - 1] = mutant.mutated_line(lines)
        try:
            source.write_text("\n".join(mutated))
            if not self.build(preset):
                return "stillborn"
            return "survived" if self.test(preset, timeout) == "passed" else "killed"
        finally:
            source.write_text(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--list", action="store_true", help="print the mutants and stop")
    parser.add_argument("--only", help="only files whose path holds this text")
    parser.add_argument("--at", action="append", metavar="FILE:LINE",
                        help="only the mutants of this line (repeatable), to check survivors again")
    parser.add_argument("--since", metavar="REV",
                        help="only lines added or changed since this git revision")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--timeout", type=int, default=90,
                        help="seconds a suite may take (it takes about 10 when it passes)")
    parser.add_argument("--workspace", default=str(ROOT / "build-mutants"))
    arguments = parser.parse_args()

    changed = lines_changed_since(arguments.since) if arguments.since else None
    mutants = find_mutants(arguments.only, arguments.at, changed)
    sources = {m.path: (ROOT / m.path).read_text().split("\n") for m in mutants}
    if arguments.list:
        for m in mutants:
            print(f"{m.path}:{m.line}: {m.kind}: {m.mutated_line(sources[m.path]).strip()}")
        print(f"{len(mutants)} mutants")
        return 0

    started = time.monotonic()
    workspace = Workspace(Path(arguments.workspace), arguments.jobs)
    print(f"mutate: {len(mutants)} mutants; preparing {workspace.folder}", flush=True)
    workspace.prepare()

    outcome = {}
    for number, mutant in enumerate(mutants, 1):
        outcome[id(mutant)] = workspace.judge(mutant, sources[mutant.path], "default",
                                              arguments.timeout)
        print(f"[{number}/{len(mutants)}] {outcome[id(mutant)]:9} {mutant.path}:{mutant.line}: "
              f"{mutant.mutated_line(sources[mutant.path]).strip()}", flush=True)
    # A listed equivalent cannot be told from the original by any test, sanitized or not; the
    # sanitizer builds are the slow part of a run, so they are spent on the others only.
    equivalents = read_equivalents()
    survivors = [m for m in mutants if outcome[id(m)] == "survived" and
                 (m.path, m.mutated_line(sources[m.path]).strip()) not in equivalents]
    print(f"mutate: {len(survivors)} survive the plain suite and are not listed as equivalent; "
          "trying them under the sanitizers", flush=True)
    for mutant in survivors:
        verdict = workspace.judge(mutant, sources[mutant.path], "sanitize", arguments.timeout)
        if verdict == "killed":
            outcome[id(mutant)] = "sanitized"
        print(f"  {verdict:9} {mutant.path}:{mutant.line}", flush=True)
    workspace.build("default")

    counts = {"killed": 0, "sanitized": 0, "stillborn": 0, "equivalent": 0, "survived": 0}
    print("\nSurvivors:")
    for mutant in mutants:
        verdict = outcome[id(mutant)]
        mutated = mutant.mutated_line(sources[mutant.path]).strip()
        if verdict == "survived" and (mutant.path, mutated) in equivalents:
            verdict = "equivalent"
        counts[verdict] += 1
        if verdict == "survived":
            print(f"{mutant.path}:{mutant.line}: {mutant.kind}: {mutated}")
    judged = counts["killed"] + counts["sanitized"] + counts["survived"]
    score = 100.0 * (counts["killed"] + counts["sanitized"]) / judged if judged else 100.0
    minutes = (time.monotonic() - started) / 60
    print(f"\n{len(mutants)} mutants: {counts['killed']} killed by the suite, "
          f"{counts['sanitized']} by the sanitizers, {counts['survived']} survived, "
          f"{counts['equivalent']} equivalent (listed), {counts['stillborn']} stillborn")
    print(f"score: {score:.1f}% of {judged} mutants killed, in {minutes:.0f} minutes")
    return 0 if not counts["survived"] else 1


if __name__ == "__main__":
    sys.exit(main())
