#!/usr/bin/env python3
"""The comparison itself: a table of small cases, each a reader's moves against rs274's,
with whether they must agree. Guards against a comparison that lets differences pass."""
import sys
import unittest

from compare import Move, compare


def mine(code, z, x, centre=None, line=1, start=False):
    return Move(code, z, x, centre, line, start)


def theirs(code, z, x, centre=None):
    return Move(code, z, x, centre, tol=0.5e-4 + 1e-6)


CASES = [
    # (what, reader, rs274, agree)
    ("the same moves", [mine("G0", 1, 2, start=True), mine("G1", 0, 2)],
     [theirs("G0", 1, 2), theirs("G1", 0, 2)], True),
    ("within rs274's printed digit", [mine("G1", 1.00004, 2, start=True)],
     [theirs("G1", 1, 2)], True),
    ("beyond it", [mine("G1", 1.0001, 2, start=True)], [theirs("G1", 1, 2)], False),
    ("rapid against feed", [mine("G0", 1, 2, start=True)], [theirs("G1", 1, 2)], False),
    ("arc direction", [mine("G2", 1, 2, (0, 2), start=True)],
     [theirs("G3", 1, 2, (0, 2))], False),
    ("arc centre", [mine("G2", 1, 2, (0, 2), start=True)],
     [theirs("G2", 1, 2, (0, 2.5))], False),
    ("moves from an unknown place before the path begins",
     [mine("G0", 5, 5, start=True)], [theirs("G0", 0, 5), theirs("G0", 5, 5)], True),
    ("moves of no length to where the path begins, more of them in rs274's",
     [mine("G0", 2, 0, start=True), mine("G0", 2, 0), mine("G1", -1, 0)],
     [theirs("G0", 2, 0), theirs("G0", 2, 0), theirs("G0", 2, 0), theirs("G1", -1, 0)], True),
    ("but not one more than the reader's after the path began",
     [mine("G0", 2, 0, start=True), mine("G1", -1, 0)],
     [theirs("G0", 2, 0), theirs("G1", -1, 0), theirs("G0", 2, 0), theirs("G1", -1, 0)],
     False),
    ("a cycle the reader leaves out is not such a move",
     [mine("G0", 5, 5, start=True)], [theirs("G1", z, 1) for z in range(6)] +
     [theirs("G0", 5, 5)], False),
    ("an extra move where the reader's path goes on",
     [mine("G0", 1, 1, start=True), mine("G1", 2, 2)],
     [theirs("G0", 1, 1), theirs("G1", 0, 0), theirs("G1", 2, 2)], False),
    ("rs274 has more at the end", [mine("G0", 1, 1, start=True)],
     [theirs("G0", 1, 1), theirs("G1", 2, 2)], False),
    ("the reader has more at the end", [mine("G0", 1, 1, start=True), mine("G1", 2, 2)],
     [theirs("G0", 1, 1)], False),
]


class Comparison(unittest.TestCase):
    def test_cases(self):
        for what, reader, reference, agree in CASES:
            with self.subTest(what):
                difference = compare("case.ngc", reader, reference, {})[0]
                self.assertEqual(difference is None, agree, difference)

    def test_a_table_row_lets_rs274_move_on_at_its_line(self):
        reader = [mine("G0", 1, 1, line=1, start=True), mine("G0", 1, 1, line=3)]
        reference = [theirs("G0", 1, 1), theirs("G0", 9, 9), theirs("G0", 1, 1)]
        self.assertIsNotNone(compare("case.ngc", reader, reference, {})[0])
        self.assertIsNone(compare("case.ngc", reader, reference, {("case.ngc", 3): "G28"})[0])


if __name__ == "__main__":
    sys.exit(unittest.main())
