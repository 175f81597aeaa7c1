#!/usr/bin/env python3
"""Records the moves rs274 makes of a corpus program into NAME.moves beside it, in the
form tests/gcode/linuxcnc_cycles_test.cpp reads: R|F X Z for straight moves, A X Z
centreX centreZ turn for arcs, X a radius, in the units of the program's first move.

  record_moves.py tests/programs/linuxcnc/NAME.ngc...
"""
import os
import shutil
import sys

from compare import run_rs274

HEADER = ("# rs274 of LinuxCNC 2.9 in lathe mode (XZ, mm, tools of no offset): "
          "R|F X Z, A X Z centreX centreZ turn\n")


def main():
    rs274 = shutil.which("rs274") or "rs274"
    for program in sys.argv[1:]:
        moves, errors = run_rs274(rs274, program)
        lines = []
        for m in moves:
            if m.centre:
                lines.append(f"A {m.x:.4f} {m.z:.4f} {m.centre[1]:.4f} {m.centre[0]:.4f} {m.turn}")
            else:
                lines.append(f"{'R' if m.code == 'G0' else 'F'} {m.x:.4f} {m.z:.4f}")
        with open(os.path.splitext(program)[0] + ".moves", "w", encoding="utf-8") as f:
            f.write(HEADER + "\n".join(lines) + "\n")
        print(f"{program}: {len(moves)} moves" + (f", stopped: {errors[0]}" if errors else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
