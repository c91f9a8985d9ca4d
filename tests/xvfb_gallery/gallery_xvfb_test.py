#!/usr/bin/env python3
"""Drives oxa_gallery on a private X server (Xvfb) with xdotool and checks
the notification lines it prints: push-button clicks (and a press dragged
out), a slider drag, a combo box choice, typing, copying and pasting in
edits, renaming a list row in place, and choosing items of popup menus.

    gallery_xvfb_test.py GALLERY [--log FILE] [--shots DIR]

Exit status 0 on success, 1 on a failed check, 77 when Xvfb or xdotool is
missing (the test is then skipped). Every wait has a deadline; the X server
and the gallery are always ended.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

# The shared module sits in tests/support; no bytecode is left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from xvfb_session import (SKIP, Failure, Lines, click, die_with_parent, move, poll,  # noqa: E402
                          start_xvfb, stop, tools_missing, visible_windows, window_geometry, window_position, xdo)

CLIPBOARD_TEXT = "clip-42"
MENU_MESSAGE = 0x0400 + 101  # the gallery's menu message
MENU_RENAME, MENU_DELETE = 12, 14
# Popup menu layout: items 35 high from a top margin of 6, a separator of 4.
MENU_ITEM_Y = {MENU_RENAME: 6 + 17, MENU_DELETE: 6 + 35 + 4 + 17}
COMBO_ROW_HEIGHT, COMBO_TOP = 30, 6
LIST_ROW_HEIGHT = 32


class Driver:
    def __init__(self, env, lines, controls, origin):
        self.env = env
        self.lines = lines
        self.controls = controls
        self.ox, self.oy = origin

    def xdo(self, *args):
        return xdo(self.env, *args)

    def control(self, name):
        if name not in self.controls:
            raise Failure(f"the gallery describes no control named {name}")
        return self.controls[name]

    def centre(self, name):
        _, (l, t, r, b) = self.control(name)
        return self.ox + (l + r) // 2, self.oy + (t + b) // 2

    def move(self, x, y):
        move(self.env, x, y)

    def click(self, x, y, button=1):
        click(self.env, x, y, button)

    def wait_window(self, name, at=None, timeout=10.0):
        """Polls until a visible window with this title exists (with its
        top-left corner at `at` when given, so that a window still closing
        is not taken for a new one)."""
        def found():
            for wid in visible_windows(self.env, name):
                if at is None or window_position(self.env, wid) == at:
                    return wid
            return None
        return poll(found, timeout, f"a visible window named {name!r}" + (f" at {at}" if at else ""))

    def window_geometry(self, wid):
        return window_geometry(self.env, wid)

    def command(self, text, timeout=15.0):
        since = self.lines.mark()
        try:
            self.gallery_stdin.write((text + "\n").encode())
            self.gallery_stdin.flush()
        except OSError as error:
            raise Failure(f"cannot send {text!r} to the gallery: {error}")
        word = text.split()[0]
        m = self.lines.wait(rf"(done|failed) {word}", since, timeout, f"answer to {text!r}")
        if m.group(1) != "done":
            raise Failure(f"the gallery could not do {text!r}")

    def text_of(self, name):
        cid, _ = self.control(name)
        since = self.lines.mark()
        self.command(f"text {cid}")
        return self.lines.wait(rf"text id={cid} (.*)", since, 5, f"text of {name}").group(1)

    def expect(self, pattern, since, what, timeout=15.0):
        return self.lines.wait(pattern, since, timeout, what)


def codes_of(d, cid, since):
    """The codes control cid reported from line `since` on."""
    return [int(m.group(1)) for m in (re.fullmatch(rf"notify id={cid} code=(\d+) w=\d+ l=-?\d+", line)
                                      for line in d.lines.all()[since:]) if m]


def push_button(d):
    """A click reports 1 then 2; a press dragged out before the release
    reports 1 only (the next click shows that no 2 came in between)."""
    bid, (l, t, r, b) = d.control("button.live")
    x, y = d.centre("button.live")
    since = d.lines.mark()
    d.click(x, y)
    d.expect(rf"notify id={bid} code=2 w=0 l=0", since, "click on the push button")
    since = d.lines.mark()
    d.move(x, y)
    d.xdo("mousedown", 1)
    d.expect(rf"notify id={bid} code=1 w=0 l=0", since, "press on the push button")
    d.move(d.ox + r + 40, y)
    d.xdo("mouseup", 1)
    d.click(x, y)
    d.expect(rf"notify id={bid} code=2 w=0 l=0", since, "click after the press dragged out")
    got = codes_of(d, bid, since)
    if got != [1, 1, 2]:
        raise Failure(f"push button reported codes {got}, expected [1, 1, 2]")


def slider_drag(d):
    """Dragging the thumb of a 0..10 slider 140 wide with a 20-pixel thumb:
    value = (x - left) * 11 / 120, clamped to 10."""
    sid, (l, t, r, b) = d.control("slider.min")
    since = d.lines.mark()
    d.move(d.ox + l + 10, d.oy + t + 10)  # on the thumb (value 0, top-aligned)
    d.xdo("mousedown", 1)
    d.move(d.ox + l + 60, d.oy + t + 10)
    d.expect(rf"notify id={sid} code=8 w=5 l=0", since, "drag to x = left + 60")
    d.move(d.ox + l + 130, d.oy + t + 10)
    d.expect(rf"notify id={sid} code=8 w=10 l=0", since, "drag past the end")
    d.xdo("mouseup", 1)
    d.expect(rf"notify id={sid} code=2 w=0 l=0", since, "release ends the drag")


def combo_choice(d):
    """The drop-down is rows x 30 + 12 high (at most 5 rows shown); choosing
    a row reports its index and shows its text in the box."""
    for name, rows, row, text in (("combo", 3, 2, "Blue"), ("combo.long", 5, 0, "Red")):
        cid, (l, t, r, b) = d.control(name)
        since = d.lines.mark()
        d.click(*d.centre(name))
        wid = d.wait_window("ComboWnd", at=(d.ox + l, d.oy + b))
        geometry = d.window_geometry(wid)
        if geometry is None or geometry[2:] != (r - l, rows * COMBO_ROW_HEIGHT + 12):
            raise Failure(f"{name} drop-down geometry {geometry}, expected {r - l} x {rows * COMBO_ROW_HEIGHT + 12}")
        d.click(d.ox + l + 40, d.oy + b + COMBO_TOP + row * COMBO_ROW_HEIGHT + COMBO_ROW_HEIGHT // 2)
        d.expect(rf"notify id={cid} code=2 w={row} l=0", since, f"{name} reports the chosen row")
        got = d.text_of(name)
        if got != text:
            raise Failure(f"{name} shows {got!r} after choosing {text!r}")


def edit_type_and_paste(d):
    tid, _ = d.control("edit.type")
    pid, _ = d.control("edit.paste")
    since = d.lines.mark()
    d.click(*d.centre("edit.type"))
    d.expect(rf"notify id={tid} code=1 w=0 l=0", since, "press in the edit")
    d.expect(rf"notify id={tid} code=30 w=0 l=0", since, "edit starts editing")
    d.expect(rf"notify id={tid} code=2 w=0 l=0", since, "release in the edit")
    since = d.lines.mark()
    d.xdo("type", "--delay", 40, "hello")
    d.expect(rf"notify id={tid} code=26 w=0 l=0", since, "typing changes the edit")
    deadline = time.monotonic() + 10
    while d.text_of("edit.type") != "hello":
        if time.monotonic() > deadline:
            raise Failure(f"edit holds {d.text_of('edit.type')!r} after typing hello")
        time.sleep(0.1)
    # Paste the preset clipboard at the end of the second edit.
    since = d.lines.mark()
    d.click(*d.centre("edit.paste"))
    d.expect(rf"notify id={tid} code=29 w=0 l=0", since, "first edit ends when the second is clicked")
    d.expect(rf"notify id={pid} code=30 w=0 l=0", since, "second edit starts editing")
    since = d.lines.mark()
    d.xdo("key", "End", "ctrl+v")
    d.expect(rf"notify id={pid} code=26 w=0 l=0", since, "paste changes the edit")
    got = d.text_of("edit.paste")
    if got != "Pasted: " + CLIPBOARD_TEXT:
        raise Failure(f"edit holds {got!r} after pasting {CLIPBOARD_TEXT!r}")
    # Copy from the first edit and paste that too. Each click is awaited
    # before the keys that depend on it are sent.
    since = d.lines.mark()
    d.click(*d.centre("edit.type"))
    d.expect(rf"notify id={tid} code=30 w=0 l=0", since, "first edit edits again")
    d.xdo("key", "ctrl+a", "ctrl+c")
    since = d.lines.mark()
    d.click(*d.centre("edit.paste"))
    d.expect(rf"notify id={pid} code=30 w=0 l=0", since, "second edit edits again")
    since = d.lines.mark()
    d.xdo("key", "End", "ctrl+v", "Return")
    d.expect(rf"notify id={pid} code=29 w=0 l=0", since, "Enter ends editing")
    got = d.text_of("edit.paste")
    if got != "Pasted: " + CLIPBOARD_TEXT + "hello":
        raise Failure(f"edit holds {got!r} after copying hello and pasting it")


def list_rename(d):
    lid, (l, t, r, b) = d.control("list")
    row = 2
    x, y = d.ox + l + 120, d.oy + t + row * LIST_ROW_HEIGHT + LIST_ROW_HEIGHT // 2
    since = d.lines.mark()
    d.move(x, y)
    d.xdo("click", "--repeat", 2, "--delay", 60, 1)
    d.expect(rf"notify id={lid} code=1 w={row} l=0", since, "press selects the row")
    d.expect(rf"notify id={lid} code=3 w={row} l=0", since, "double-click on the row")
    since = d.lines.mark()
    d.xdo("key", "ctrl+a")
    d.xdo("type", "--delay", 40, "Renamed")
    d.expect(rf"notify id={lid} code=26 w=0 l=0", since, "typing in the row")
    d.xdo("key", "Return")
    d.expect(rf"notify id={lid} code=29 w=0 l={row}", since, "Enter ends the rename with the row index")
    got = d.text_of("list")
    if got != "Renamed":
        raise Failure(f"list row {row} reads {got!r} after renaming")


def menus(d):
    lid, (l, t, r, b) = d.control("list")
    row = 4
    since = d.lines.mark()
    d.click(d.ox + l + 120, d.oy + t + row * LIST_ROW_HEIGHT + LIST_ROW_HEIGHT // 2, button=3)
    d.expect(rf"notify id={lid} code=5 w={row} l=0", since, "right-click on a row")
    m = d.expect(r"menu x=(-?\d+) y=(-?\d+) w=(\d+) h=(\d+) items=.*", since, "menu opens")
    mx, my = int(m.group(1)), int(m.group(2))
    d.wait_window("Menu Window", at=(mx, my))
    d.click(mx + 60, my + MENU_ITEM_Y[MENU_DELETE])
    d.expect(rf"post msg={MENU_MESSAGE} w=0 l={MENU_DELETE}", since, "menu posts Delete")

    bid, _ = d.control("menu.button")
    since = d.lines.mark()
    d.click(*d.centre("menu.button"))
    d.expect(rf"notify id={bid} code=2 w=0 l=0", since, "menu button clicked")
    m = d.expect(r"menu x=(-?\d+) y=(-?\d+) w=(\d+) h=(\d+) items=.*", since, "second menu opens")
    mx, my = int(m.group(1)), int(m.group(2))
    d.wait_window("Menu Window", at=(mx, my))
    d.click(mx + 60, my + MENU_ITEM_Y[MENU_RENAME])
    d.expect(rf"post msg={MENU_MESSAGE} w=0 l={MENU_RENAME}", since, "menu posts Rename")


def save_shots(d, folder):
    """The window's surface, then the whole screen with popups open."""
    os.makedirs(folder, exist_ok=True)
    d.command(f"shot {os.path.join(folder, 'gallery_xvfb_surface.png')}")
    bid, _ = d.control("balloon.button")
    since = d.lines.mark()
    d.click(*d.centre("balloon.button"))
    d.expect(rf"notify id={bid} code=2 w=0 l=0", since, "balloon button clicked")
    lid, (l, t, r, b) = d.control("list")
    d.click(d.ox + l + 120, d.oy + t + LIST_ROW_HEIGHT // 2, button=3)
    m = d.expect(r"menu x=(-?\d+) y=(-?\d+) .*", since, "menu opens for the picture")
    d.wait_window("Menu Window", at=(int(m.group(1)), int(m.group(2))))
    d.move(d.ox + l + 200, d.oy + t + LIST_ROW_HEIGHT // 2 + 23)  # over the first item
    time.sleep(0.5)  # let the popups paint before the picture is taken
    d.command(f"grab {os.path.join(folder, 'gallery_xvfb.png')}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("gallery")
    parser.add_argument("--log", help="file that receives everything the gallery printed")
    parser.add_argument("--shots", help="folder for gallery_xvfb.png (the X screen with a balloon and a menu "
                        "open) and gallery_xvfb_surface.png (the window's own surface)")
    args = parser.parse_args()
    if tools_missing():
        return SKIP

    work = tempfile.mkdtemp(prefix="oxa_gallery_")
    xvfb = gallery = lines = None
    try:
        gallery_err = open(os.path.join(work, "gallery.err"), "wb")
        xvfb, display = start_xvfb(1280, 800)
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        env.pop("WAYLAND_DISPLAY", None)
        gallery = subprocess.Popen(
            [args.gallery, "--describe", "--clipboard", CLIPBOARD_TEXT, "--exit-after", "180000",
             "--final", os.path.join(work, "final.png")],
            env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=gallery_err, preexec_fn=die_with_parent)
        lines = Lines(gallery.stdout)
        ready = lines.wait(r"ready x=(-?\d+) y=(-?\d+) w=\d+ h=\d+", 0, 60, "the gallery starts")
        controls = {}
        for line in lines.all():
            m = re.fullmatch(r"control name=(\S+) id=(\d+) class=\S+ rect=(-?\d+),(-?\d+),(-?\d+),(-?\d+)", line)
            if m:
                controls[m.group(1)] = (int(m.group(2)), tuple(int(m.group(i)) for i in range(3, 7)))
        d = Driver(env, lines, controls, (int(ready.group(1)), int(ready.group(2))))
        d.gallery_stdin = gallery.stdin
        d.wait_window("oxa gallery", timeout=30)

        for step in (push_button, slider_drag, combo_choice, edit_type_and_paste, list_rename, menus):
            step(d)
            print(f"ok {step.__name__}")
        if args.shots:
            save_shots(d, os.path.abspath(args.shots))
        d.command("quit")
        try:
            gallery.wait(timeout=20)
        except subprocess.TimeoutExpired:
            raise Failure("the gallery did not end after quit")
        if gallery.returncode != 0:
            raise Failure(f"the gallery ended with status {gallery.returncode}")
        print("all checks passed")
        return 0
    except Failure as failure:
        print(f"FAILED: {failure}")
        err = os.path.join(work, "gallery.err")
        if os.path.exists(err):
            with open(err, "rb") as f:
                tail = f.read().decode("utf-8", "replace").splitlines()[-20:]
            if tail:
                print("gallery's standard error (end):\n  " + "\n  ".join(tail))
        return 1
    finally:
        stop(gallery)
        stop(xvfb)
        if args.log and lines is not None:
            with open(args.log, "w") as f:
                f.write("\n".join(lines.all()) + "\n")
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
