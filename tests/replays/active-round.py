#!/usr/bin/env python3
"""Writes a simulator script for a round of active play: the bomb grabbed at the
centre and flung, dragged over several steps, in a new direction about once a second,
then the result confirmed and a name entered. Usage: active-round.py SEED [ROUNDS]."""
import math
import sys

seed = int(sys.argv[1])
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 1
out = [f"seed {seed}", "steps 150", "click 300 260", "steps 2", "click 290 380"]
for r in range(rounds):
    out.append("until scene 4")
    angle = seed * 0.7 + r
    for fling in range(150):
        angle += 2.39996 + 0.01 * fling
        reach = 120 + (fling * 37 + seed * 11) % 200
        out += ["move 320 240", "down", "steps 1"]
        for i in range(1, 9):
            x = round(320 + math.cos(angle) * reach * i / 8)
            y = round(240 + math.sin(angle) * reach * i / 8)
            out += [f"move {x} {y}", "steps 1"]
        out += ["up", f"steps {55 + (fling * 13) % 20}"]
    out += ["down", "until scene 1 max 30000", "up", "steps 130"]
    for letter, (x, y) in enumerate([(100, 165), (200, 165), (300, 165)]):
        out += [f"click {x + 50 * ((seed + r) % 3)} {y}", "steps 2"]
    out += ["click 340 415", "until scene 2", "steps 140", "click 1 1", "until scene 0"]
    if r + 1 < rounds:
        out += ["steps 60", "click 300 260", "steps 2", "click 290 380"]
print("\n".join(out))
