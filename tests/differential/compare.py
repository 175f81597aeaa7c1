#!/usr/bin/env python3
"""The reader against LinuxCNC's own interpreter, move by move.

Runs rs274 (lathe, the ini and tool table beside this file, or the program's own NAME.tbl
beside it, given to both) and the reader's dump_moves on each program and compares rapid or feed, end point, and an arc's centre and direction.
rs274 gives X as a radius (under G7 too) in the units in force, rounded to 4 decimals;
both sides are compared in the units of the program's first move, within half of
rs274's last printed digit plus 1e-6. Positions count from the first move that makes
each axis known: where the reader starts its path anew (a move of no length away from
where the last one ended, e.g. after a tool change or G28), the moves rs274 makes from
the places the reader cannot know are passed over up to the first one that agrees with
the reader's. by_definition.txt names the other lines where this is so, with why.

  compare.py --dump BUILD/.../dump_moves [--rs274 rs274] --corpus   # the test
  compare.py --dump BUILD/.../dump_moves PROGRAM...                  # any programs
"""
import argparse
import fcntl
import glob
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
SHIPPED = "/usr/share/linuxcnc/ncfiles"
INCH = 25.4
# The most moves rs274 makes from places the reader cannot know before the reader's path
# begins anew: G28/G30 through their middle point make two, and each move of one axis
# while the other is unknown one more. A cycle the reader leaves out makes far more, and
# must not pass as moves from an unknown place.
MAX_PASSED_OVER = 4


def corpus():
    """LinuxCNC's shipped lathe programs, then the team's own, every *.ngc of the folder."""
    shipped = ["lathe-g76.ngc", "lathe_g70_71_demo.ngc", "lathe_g7x_face_boring.ngc",
               "lathe_g7x_quadrants.ngc", "lathe_pawn.ngc", "lathecomp.ngc", "g76.ngc"]
    own = sorted(glob.glob(os.path.join(ROOT, "tests/programs/linuxcnc/*.ngc")))
    return [os.path.join(SHIPPED, p) for p in shipped] + own


def read_table(name):
    """Rows of a table file: blank lines and '#' comments left out, fields by whitespace,
    the last field the rest of the line."""
    rows = []
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        for text in f:
            text = text.split("#", 1)[0].strip()
            if text:
                rows.append(text)
    return rows


def by_definition():
    """(program, line) -> reason: where the reader differs from rs274 by definition."""
    table = {}
    for row in read_table("by_definition.txt"):
        program, line, reason = row.split(None, 2)
        table[(program, int(line))] = reason
    return table


def expected_failures():
    table = {}
    for row in read_table("expected_failures.txt"):
        program, reason = row.split(None, 1)
        table[program] = reason
    return table


class Move:
    def __init__(self, code, z, x, centre=None, line=None, start=None, tol=1e-6, turn=None):
        self.code, self.z, self.x, self.centre = code, z, x, centre
        self.line, self.start, self.tol, self.turn = line, start, tol, turn

    def __str__(self):
        text = f"{self.code} Z{self.z:.6f} X{self.x:.6f}"
        if self.centre:
            text += f" centre Z{self.centre[0]:.6f} X{self.centre[1]:.6f}"
        return text


CALL = re.compile(r"^\s*\d+\s+N\S*\s+([A-Z0-9_]+)\((.*)\)\s*$")


def tool_table_of(program):
    """The tool table beside a program (NAME.tbl for NAME.ngc), or None."""
    table = os.path.splitext(program)[0] + ".tbl"
    return table if os.path.exists(table) else None


def table_for_rs274(text):
    """A tool table as rs274 reads it: LinuxCNC's words only (T P Z X D Q and the
    comment), the lengths in inches, which the standalone interpreter takes them in
    whatever the ini says. A "G20" line alone makes the file's numbers inches."""
    lines = [l.split(";", 1) for l in text.splitlines()]
    inch = any(l[0].strip().upper() == "G20" for l in lines)
    rows = []
    for words, *comment in lines:
        words = re.sub(r"HOLDER\([^)]*\)", " ", words.upper()).split()
        if not words or not words[0].startswith("T"):
            continue
        kept = []
        for w in words:
            try:
                value = float(w[1:])
            except ValueError:
                continue
            if w[0] in "ZXD":
                kept.append(f"{w[0]}{value if inch else value / INCH:.10f}")
            elif w[0] in "TPQ":
                kept.append(w)
        rows.append(" ".join(kept) + " ;" + (comment[0] if comment else ""))
    return "\n".join(rows) + "\n"


def run_rs274(rs274, program, timeout=120):
    """rs274's moves in the units of its first move, and its error text if it stopped."""
    work = tempfile.mkdtemp(prefix="zivek-rs274-")
    try:
        with open(os.path.join(HERE, "rs274.ini"), encoding="utf-8") as f:
            ini = f.read()
        folder = os.path.dirname(os.path.abspath(program))
        ini = ini.replace("SUBROUTINE_PATH = ", f"SUBROUTINE_PATH = {folder}:")
        with open(os.path.join(work, "rs274.ini"), "w", encoding="utf-8") as f:
            f.write(ini)
        table = tool_table_of(program)
        if table:
            with open(table, encoding="utf-8") as f, \
                    open(os.path.join(work, "tools.tbl"), "w", encoding="utf-8") as out:
                out.write(table_for_rs274(f.read()))
        else:
            shutil.copy(os.path.join(HERE, "tools.tbl"), work)
        open(os.path.join(work, "rs274.var"), "w").close()
        # Two rs274 processes at once share LinuxCNC's memory and may die of a bus error
        # half-way through, so runs from every comparison on the machine take turns.
        with open(os.path.join(tempfile.gettempdir(), "zivek-rs274.lock"), "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            # -T: the standalone interpreter reads a table's offsets only after the task's
            # own start.
            run = subprocess.run([rs274] + (["-T"] if table else []) +
                                 ["-g", "-i", "rs274.ini", "-t", "tools.tbl", "-v",
                                  "rs274.var", os.path.abspath(program)], cwd=work,
                                 stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                 errors="replace", timeout=timeout)
        if run.returncode < 0:
            raise RuntimeError(f"{program}: rs274 died of signal {-run.returncode}")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    moves, errors = [], []
    scale, base = 1.0, None  # printed units -> the first move's units
    units = "mm"
    for text in run.stdout.splitlines() + run.stderr.splitlines():
        call = CALL.match(text)
        if not call:
            # "Oops (dz,dx)" is the G7x offset's own trace of a piece it drops, no error.
            if text.strip() and text.strip() != "executing" and not text.startswith("Oops "):
                errors.append(text.strip())
            continue
        name, args = call.group(1), call.group(2)
        if name == "USE_LENGTH_UNITS":
            units = "in" if "INCH" in args else "mm"
            if base:
                scale = 1.0 if units == base else (INCH if units == "in" else 1 / INCH)
            continue
        if name not in ("STRAIGHT_TRAVERSE", "STRAIGHT_FEED", "ARC_FEED", "STRAIGHT_PROBE",
                        "RIGID_TAP"):
            continue
        if base is None:
            base = units
        v = [float(a) for a in args.split(",")]
        tol = 0.5e-4 * scale + 1e-6
        if name == "ARC_FEED":
            # XZ plane: the first axis is Z, the second X; a negative turn is G2.
            moves.append(Move("G3" if v[4] > 0 else "G2", v[0] * scale, v[1] * scale,
                              (v[2] * scale, v[3] * scale), tol=tol, turn=int(v[4])))
        else:
            code = "G0" if name == "STRAIGHT_TRAVERSE" else "G1"
            moves.append(Move(code, v[2] * scale, v[0] * scale, tol=tol))
    return moves, errors


def subroutine_path():
    """The folders rs274.ini gives LinuxCNC for o<name> calls; the reader gets the same."""
    with open(os.path.join(HERE, "rs274.ini"), encoding="utf-8") as f:
        for text in f:
            name, _, value = text.partition("=")
            if name.strip() == "SUBROUTINE_PATH":
                return value.strip()
    return ""


def reader_refusals(program):
    """The reader's refusals under nose compensation, from its last run: 'line why'."""
    return _notes.get(program, {}).get("refused", [])


def reader_incomplete(program):
    """The lines of cycles the reader could not expand, from its last run."""
    return _notes.get(program, {}).get("incomplete", [])


_notes = {}  # program -> kind -> what dump_moves said of it on standard error


def run_reader(dump, program):
    table = tool_table_of(program)
    tools = ["--tools", table] if table else []
    run = subprocess.run([dump, "--subroutine-path", subroutine_path()] + tools + [program],
                         capture_output=True, text=True, check=True)
    notes = {}
    for text in run.stderr.splitlines():
        kind, _, rest = text.partition(" ")
        notes.setdefault(kind, []).append(rest)
    _notes[program] = notes
    moves = []
    for text in run.stdout.splitlines():
        f = text.split()
        v = [float(a) for a in f[2:]]
        centre = (v[4], v[5]) if len(v) > 4 else None
        # A move of no length away from the last end: the path begins anew here.
        still = v[0] == v[2] and v[1] == v[3]
        start = still and (not moves or (moves[-1].z, moves[-1].x) != (v[0], v[1]))
        moves.append(Move(f[1], v[2], v[3], centre, int(f[0]), start))
    return moves


def same(a, b):
    tol = max(a.tol, b.tol)
    if a.code != b.code or abs(a.z - b.z) > tol or abs(a.x - b.x) > tol:
        return False
    if a.centre and b.centre:
        return abs(a.centre[0] - b.centre[0]) <= tol and abs(a.centre[1] - b.centre[1]) <= tol
    return True


def run_length(moves, i):
    """How many moves from i on are the same as moves[i]."""
    n = 1
    while i + n < len(moves) and same(moves[i], moves[i + n]):
        n += 1
    return n


def compare(program, reader, reference, allowed):
    """None when every move agrees, else what first differs; the moves compared; and how
    many of rs274's were passed over where the reader cannot know the position."""
    name = os.path.basename(program)
    j = passed = 0
    previous_line = None
    for i, mine in enumerate(reader):
        first_of_line = mine.line != previous_line
        previous_line = mine.line
        if mine.start or (first_of_line and (name, mine.line) in allowed):
            # A path begun anew: rs274's moves from places the reader cannot know.
            k = j
            while k < len(reference) and k - j <= MAX_PASSED_OVER and not same(mine, reference[k]):
                k += 1
            if k < len(reference) and same(mine, reference[k]):
                # Moves of no length to where the path begins anew look alike: those rs274
                # has beyond the reader's run of them are from the unknown places too.
                extra = run_length(reference, k) - run_length(reader, i)
                if extra > 0 and k + extra - j <= MAX_PASSED_OVER:
                    k += extra
                passed += k - j
                j = k
        if j >= len(reference):
            return (f"{name}: line {mine.line}: reader {mine}, rs274 has no more moves "
                    f"({len(reader) - i} left)"), i, passed
        if not same(mine, reference[j]):
            return f"{name}: line {mine.line}: reader {mine}, rs274 {reference[j]}", i, passed
        j += 1
    if j < len(reference):
        last = f" (line {reader[-1].line})" if reader else ""
        return (f"{name}: after the reader's last move{last}, rs274 has {len(reference) - j} more, "
                f"the first {reference[j]}"), len(reader), passed
    return None, len(reader), passed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dump", required=True, help="the dump_moves program")
    parser.add_argument("--rs274", default=shutil.which("rs274") or "rs274")
    parser.add_argument("--corpus", action="store_true", help="the committed corpus")
    parser.add_argument("--no-expected", action="store_true",
                        help="report every program plainly, with no expected failures")
    parser.add_argument("programs", nargs="*")
    args = parser.parse_args()
    if not shutil.which(args.rs274):
        print("SKIPPED: rs274 not found (Debian's linuxcnc-uspace)")
        return 0
    programs = (corpus() if args.corpus else []) + args.programs
    allowed = by_definition()
    expected = {} if args.no_expected else expected_failures()
    failed = fixed = 0
    for program in programs:
        name = os.path.basename(program)
        reference, errors = run_rs274(args.rs274, program)
        reader = run_reader(args.dump, program)
        if errors:
            difference, count, passed = f"{name}: rs274 stopped: {' / '.join(errors[:2])}", 0, 0
        else:
            difference, count, passed = compare(program, reader, reference, allowed)
        agree = f"{count} moves agree" + (
            f", {passed} of rs274's from unknown positions passed over" if passed else "")
        if difference is None and name in expected:
            fixed += 1
            print(f"NOW PASSES {name}: {agree}; remove it from expected_failures.txt")
        elif difference is None:
            print(f"ok      {name}: {agree}")
        elif name in expected:
            print(f"xfail   {difference} [{count} moves agreed] ({expected[name]})")
        else:
            failed += 1
            print(f"FAIL    {difference} [{count} moves agreed]")
    names = {os.path.basename(p) for p in programs}
    stale = sorted(set(expected) - names) if args.corpus else []
    for name in stale:
        print(f"STALE   {name}: in expected_failures.txt but not in the corpus")
    return 1 if failed or fixed or stale else 0


if __name__ == "__main__":
    sys.exit(main())
