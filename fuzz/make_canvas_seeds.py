#!/usr/bin/env python3
"""Writes the seed streams of the canvas_gesture fuzz target: the sequences
in which users lost work. The byte layout follows CanvasSession::Step (an
operation's index in kOps, modifiers, time step, then its arguments); run
again after changing it."""
import os
import sys

OPS = ["press", "move", "release", "gesture", "draw", "draw", "click", "click", "tool",
       "key", "key", "delete", "arrow", "shift_up", "undo", "undo", "redo", "redo", "popup",
       "right_angle", "panel", "slider", "region", "type", "typed_box", "template", "drop", "load",
       "real_size", "grid", "window", "menu", "new", "save_open"]
TOOLS = {"box": 0, "line": 1, "text": 2, "filled_box": 3, "ellipse": 4}
WAIT = 100  # 1.1 s: no two operations merge


def op(name, modifiers=0, wait=WAIT):
    return [OPS.index(name), modifiers, wait]


def point(x, y):
    """Client pixels of a 690 x 530 canvas (dot d at 25 + 2 d)."""
    return [(x + 15) >> 8, (x + 15) & 255, (y + 15) >> 8, (y + 15) & 255]


def dot(x, y):
    return point(25 + 2 * x, 25 + 2 * y)


def draw(tool, x0, y0, x1, y1):
    return op("draw") + [TOOLS[tool], 0] + dot(x0, y0) + dot(x1, y1) + [3]


def click(index=0):
    return op("click") + [index, 0, 2, 2]


def arrow(direction):  # 0 left, 1 right, 2 up, 3 down
    return op("arrow") + [direction]


SEEDS = {
    "redo_of_a_delete_keeps_a_selection":
        draw("box", 20, 20, 60, 50) + op("delete") + op("undo") + click() + op("redo") +
        arrow(1) + draw("box", 100, 100, 150, 140),
    "arrows_on_two_segments_of_one_row":
        draw("line", 20, 40, 60, 40) + draw("line", 80, 40, 120, 40) +
        op("key", 2) + [7, 1] + arrow(1) + arrow(1) + arrow(3),
    "typing_into_two_texts":
        draw("text", 20, 20, 100, 40) + op("type") + [1, 0] + draw("text", 20, 60, 100, 80) +
        op("type") + [1, 0] + op("undo") + click(0) + op("type") + [2, 1],
    "region_box_then_tab":
        draw("box", 20, 20, 40, 40) + draw("box", 50, 20, 70, 40) + click(0) +
        op("typed_box") + [1, 0, 200, 1],
    "two_dropped_pictures_undone":
        op("drop") + [0, 0, 20, 0, 20] + dot(10, 10) + op("drop") + [0, 0, 30, 0, 10] +
        dot(100, 100) + op("undo"),
    "slider_on_an_ellipse":
        draw("ellipse", 30, 30, 90, 80) + op("slider") + [1, 5, 3, 4, 7, 9],
    "template_of_a_selection":
        draw("box", 20, 20, 60, 50) + draw("filled_box", 70, 20, 90, 50) + op("key", 2) +
        [7, 1] + op("template") + op("save_open") + op("redo"),
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "corpus", "canvas_gesture")
    os.makedirs(folder, exist_ok=True)
    for name, stream in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as seed:
            seed.write(bytes(stream))


if __name__ == "__main__":
    main()
