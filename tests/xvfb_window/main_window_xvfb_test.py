#!/usr/bin/env python3
"""Runs the whole program (varnet) on a private X server (Xvfb) with the
simulated keyboard, clicks it with xdotool and drives the keyboard with
varnetctl, checking what the program says on standard error, the settings
file and the pixels of the X screen:

  1. a cable keyboard connects; the home tab, then the keyboard picture,
     lead back into the frame at the key page;
  2. unplugging the cable shows the no-keyboard view, plugging it in again
     the connected view at the key page;
  3. receiver only with the keyboard switched off: present but offline;
     a link notification connects it; a battery answer is shown;
  4. the close button: the close choice dialog, minimise (hidden, setting
     stored, a second start shows the window again, the next close hides
     without asking), exit (stored, the process ends, and the next start
     ends on close without asking);
  5. --screenshots: the window's pictures of the home page and the
     connected view, in English and in Chinese.

    main_window_xvfb_test.py VARNET VARNETCTL [--shots DIR]

With --shots the pictures of step 5 are copied to DIR (main_home_en.png,
main_connected_en.png, main_home_zh.png, main_connected_zh.png) together
with grabs of the X screen (main_xvfb_frame.png, main_xvfb_home.png,
main_xvfb_no_keyboard.png, main_xvfb_close_dialog.png; main_xvfb_failure.png
when a check fails).

Exit status 0 on success, 1 on a failed check, 77 when Xvfb or xdotool is
missing (the test is then skipped). Every wait has a deadline; the X server
and every started program are always ended.
"""
import argparse
import ctypes
import ctypes.util
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

# The shared module sits in tests/support; no bytecode is left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from xvfb_session import (SKIP, Failure, Lines, click, die_with_parent, poll, run, tools_missing,  # noqa: E402
                          start_xvfb, stop, visible_windows, window_position)

SCREEN_W, SCREEN_H = 1600, 900
MAIN_TITLE = "Varnet"
KEYBOARD_NAME = "Varnet K104 RGB"  # device type 101 in the catalogue

# Client points of the main window (1280 x 720).
CLOSE_BUTTON = (1245, 25)
HOME_TAB = (31, 90)  # tab position 0
DEVICE_PICTURE = (640, 382)  # middle of (340, 215, 940, 550)
FIRST_DEVICE_TILE = (160, 610)  # first tile of the list at (100, 570, 1220, 670)
# The caption bar left of the system buttons and the page tab column below
# the home tab: what tells the home page from the frame, and which page the
# frame shows. (The home tab itself is left out: it may still be drawn
# hovered after the click that hid the tabs.)
FRAME_REGIONS = ((0, 0, 1100, 50), (0, 120, 62, 720))
# Client points of the close choice dialog (360 x 200).
# The light page (page container 52, client coordinates).
LIGHT_TAB = (31, 270)  # tab position 3
FIRST_EFFECT = (195, 96)  # "Static", the first row of the effect list
BLUE_SWATCH = (978, 606)  # the fifth swatch (blue)
BRIGHTNESS_AT_2 = (520, 429)  # on the brightness slider (1..5), near value 2
KEY_Q_CAP = (412, 198)  # inside the cap of Q on the keyboard picture
DIALOG_MINIMISE = (190, 76)
DIALOG_EXIT = (190, 112)
DIALOG_APPLY = (180, 167)


# --- pictures ------------------------------------------------------------------


def write_png(path, width, height, rgb):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    stride = width * 3
    raw = b"".join(b"\x00" + rgb[y * stride:(y + 1) * stride] for y in range(height))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 6)))
        f.write(chunk(b"IEND", b""))


def png_size(path):
    """(width, height) of a PNG file, or None when it is not one."""
    try:
        with open(path, "rb") as f:
            head = f.read(24)
    except OSError:
        return None
    if len(head) < 24 or head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage; only these are read.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


class Screen:
    """Reads pixels of the X screen with Xlib's XGetImage (no image tool is
    needed). `available` is False when libX11 cannot be loaded or the
    screen's pixel format is not 32-bit little-endian."""

    def __init__(self, display):
        self.available = False
        self._x = None
        self._display = None
        name = ctypes.util.find_library("X11") or "libX11.so.6"
        try:
            x = ctypes.CDLL(name)
        except OSError:
            return
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XGetImage.restype = ctypes.POINTER(XImage)
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._display = x.XOpenDisplay(display.encode())
        if not self._display:
            return
        self._x = x
        self._root = x.XDefaultRootWindow(self._display)
        probe = self._grab(0, 0, 1, 1)
        self.available = probe is not None

    def close(self):
        if self._display:
            self._x.XCloseDisplay(self._display)
            self._display = None

    def _grab(self, left, top, width, height):
        """BGRX bytes of a rectangle, rows packed; None on failure."""
        image = self._x.XGetImage(self._display, self._root, left, top, width, height, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            return None
        try:
            img = image.contents
            if img.bits_per_pixel != 32 or img.byte_order != 0:
                return None
            stride = img.bytes_per_line
            data = ctypes.string_at(img.data, stride * height)
            if stride == width * 4:
                return data
            return b"".join(data[y * stride:y * stride + width * 4] for y in range(height))
        finally:
            self._x.XDestroyImage(image)

    def regions(self, origin, rects):
        """The pixels of client rectangles of a window at `origin`."""
        ox, oy = origin
        return tuple(self._grab(ox + l, oy + t, r - l, b - t) for (l, t, r, b) in rects)

    def save(self, path):
        bgrx = self._grab(0, 0, SCREEN_W, SCREEN_H)
        if bgrx is None:
            raise Failure("cannot read the X screen")
        rgb = bytearray(SCREEN_W * SCREEN_H * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = bgrx[2::4], bgrx[1::4], bgrx[0::4]
        write_png(path, SCREEN_W, SCREEN_H, bytes(rgb))


# --- the program and its surroundings --------------------------------------------------


def language_text(program_folder, number, section="KB.DIALOG", language=1033):
    """Text `number` of a section of the program's language file."""
    path = os.path.join(program_folder, "language", f"{language}.lan")
    current = None
    with open(path, encoding="utf-8-sig", errors="replace") as f:
        for line in f:
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1]
            elif current == section and line.startswith(f"{number}="):
                return line.split("=", 1)[1]
    raise Failure(f"{path} has no text {number} in [{section}]")


def program_folder_of(binary):
    """The folder holding config.xml: beside the program, else share/varnet."""
    here = os.path.dirname(os.path.abspath(binary))
    for folder in (here, os.path.join(here, "..", "share", "varnet")):
        if os.path.isfile(os.path.join(folder, "config.xml")):
            return folder
    raise Failure(f"no config.xml beside {binary}")


def private_env(base, root, name, display, lang="en_US.UTF-8"):
    """A private home with its own XDG folders: settings, data, the single
    instance and the simulator's socket stay inside `root`/`name`."""
    home = os.path.join(root, name)
    env = dict(base)
    for key in ("WAYLAND_DISPLAY", "LC_ALL", "LC_MESSAGES", "LANGUAGE", "VARNET_SIM_SOCKET", "QT_QPA_PLATFORM",
                "XDG_SESSION_TYPE"):
        env.pop(key, None)
    env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=os.path.join(home, "data"),
               XDG_CACHE_HOME=os.path.join(home, "cache"), XDG_RUNTIME_DIR=os.path.join(home, "run"),
               LANG=lang, DISPLAY=display)
    for key in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"):
        os.makedirs(env[key], mode=0o700, exist_ok=True)
    return env


def settings(env):
    """The values of the program's settings file (an empty dict when it is
    not there yet)."""
    values = {}
    try:
        with open(os.path.join(env["XDG_CONFIG_HOME"], "Varnet.ini"), encoding="utf-8", errors="replace") as f:
            for line in f:
                if "=" in line and not line.startswith("["):
                    key, value = line.rstrip("\n").split("=", 1)
                    values[key.strip()] = value.strip()
    except OSError:
        pass
    return values


class Program:
    """One run of varnet; its standard output and error are read as lines."""

    def __init__(self, binary, args, env, label):
        self.label = label
        self.proc = subprocess.Popen([binary, *args], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT, preexec_fn=die_with_parent)
        self.lines = Lines(self.proc.stdout)

    def wait_end(self, timeout, what):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"{self.label}: the program did not end ({what}) within {timeout} s")

    def stop(self):
        stop(self.proc)


class Driver:
    def __init__(self, args, display, work):
        self.varnet = args.varnet
        self.varnetctl = args.varnetctl
        self.display = display
        self.work = work
        self.shots = os.path.abspath(args.shots) if args.shots else None
        self.programs = []
        self.screen = Screen(display)
        self.folder = program_folder_of(args.varnet)
        self.dialog_title = language_text(self.folder, 10)

    def env(self, name, lang="en_US.UTF-8"):
        return private_env(os.environ, self.work, name, self.display, lang)

    def start(self, env, args, label):
        program = Program(self.varnet, args, env, label)
        self.programs.append(program)
        return program

    def sim(self, env, *words):
        result = run([self.varnetctl, "sim", *map(str, words)], env)
        if result.returncode != 0:
            raise Failure(f"varnetctl sim {' '.join(map(str, words))}: {(result.stderr or result.stdout).strip()}")

    def wait_window(self, env, title, timeout=30.0):
        """(id, (x, y)) of the visible window with this title, once it has
        the position it keeps (centred windows are placed after mapping)."""
        last = [None]

        def settled():
            for wid in visible_windows(env, title):
                position = window_position(env, wid)
                if position is not None and position == last[0]:
                    return wid, position
                last[0] = position
            return None
        return poll(settled, timeout, f"a visible window named {title!r}")

    def wait_hidden(self, env, title, timeout=15.0):
        poll(lambda: not visible_windows(env, title), timeout, f"the window {title!r} is hidden")

    def click(self, env, origin, point):
        click(env, origin[0] + point[0], origin[1] + point[1])

    def frame(self, origin):
        return self.screen.regions(origin, FRAME_REGIONS)

    def settled_frame(self, origin, timeout=15.0):
        """The frame regions once two reads 150 ms apart agree (the tab
        change animation and repaints are over)."""
        last = [None]

        def same():
            now = self.frame(origin)
            if now == last[0]:
                return now
            last[0] = now
            return None
        return poll(same, timeout, "the window stops changing", interval=0.15)

    def wait_frame(self, origin, predicate, what, timeout=15.0):
        return poll(lambda: predicate(self.frame(origin)), timeout, what, interval=0.15)

    def save_screen(self, name):
        if self.shots and self.screen.available:
            self.screen.save(os.path.join(self.shots, name))


def expect_view(program, since, connected, what, timeout=20.0):
    """Index of the next view line after `since`; a connected view must be
    of the simulated keyboard."""
    pattern = r"varnet: keyboard connected: (.*)" if connected else r"varnet: no keyboard connected"
    index, m = program.lines.wait_at(pattern, since, timeout, what)
    if connected and m.group(1) != KEYBOARD_NAME:
        raise Failure(f"connected keyboard is {m.group(1)!r}, expected {KEYBOARD_NAME!r}")
    return index


# --- the checks ----------------------------------------------------------------


def cable_views(d, env):
    """Step 1 with a cable keyboard; returns the running program and the
    window's position."""
    p = d.start(env, ["--simulate=101:0", "--exit-after", "300000"], "cable")
    p.lines.wait(r"varnet: running the main window \(show mode 5\)", 0, 30, "the program starts")
    p.lines.wait(r"varnet: connection: cable", 0, 20, "cable connection")
    expect_view(p, 0, True, "a cable keyboard connects at start")
    wid, origin = d.wait_window(env, MAIN_TITLE)
    if origin != ((SCREEN_W - 1280) // 2, (SCREEN_H - 720) // 2):
        raise Failure(f"main window at {origin}, expected centred on the {SCREEN_W} x {SCREEN_H} screen")
    print("ok cable keyboard connects")
    if not d.screen.available:
        print("note: the X screen cannot be read; the pictures are not compared")
        return p, origin

    # Home tab, then the keyboard picture: the frame returns at the key page.
    key_page = d.settled_frame(origin)
    d.save_screen("main_xvfb_frame.png")
    d.click(env, origin, HOME_TAB)
    d.wait_frame(origin, lambda f: f != key_page, "the home tab leaves the frame")
    d.save_screen("main_xvfb_home.png")
    d.click(env, origin, DEVICE_PICTURE)
    d.wait_frame(origin, lambda f: f == key_page, "the keyboard picture leads back into the frame at the key page")
    print("ok home tab and keyboard picture")
    return p, origin


def cable_plugging(d, env, p, origin):
    key_page = d.settled_frame(origin) if d.screen.available else None
    since = p.lines.mark()
    d.sim(env, "unplug", "cable")
    expect_view(p, since, False, "unplugging the cable")
    if key_page:
        d.wait_frame(origin, lambda f: f != key_page, "the frame goes with the keyboard")
        d.save_screen("main_xvfb_no_keyboard.png")
    since = p.lines.mark()
    d.sim(env, "plug", "cable")
    p.lines.wait(r"varnet: connection: cable", since, 20, "cable connection after plugging")
    expect_view(p, since, True, "plugging the cable in again")
    if key_page:
        d.wait_frame(origin, lambda f: f == key_page, "the frame returns at the key page with the keyboard")
    print("ok unplug and plug the cable")


def close_minimise(d, env, p, origin):
    """exit_mode absent: the dialog; minimise hides and is stored; a second
    start shows the window; the next close hides without asking."""
    if "exit_mode" in settings(env):
        raise Failure(f"a fresh settings file holds exit_mode={settings(env)['exit_mode']}")
    d.click(env, origin, CLOSE_BUTTON)
    dialog, at = d.wait_window(env, d.dialog_title, timeout=15)
    expected = ((SCREEN_W - 360) // 2, (SCREEN_H - 200) // 2)
    if at != expected:
        raise Failure(f"close choice dialog at {at}, expected {expected} (centred)")
    d.save_screen("main_xvfb_close_dialog.png")
    d.click(env, at, DIALOG_MINIMISE)
    d.click(env, at, DIALOG_APPLY)
    d.wait_hidden(env, d.dialog_title)
    d.wait_hidden(env, MAIN_TITLE)
    poll(lambda: settings(env).get("exit_mode") == "1", 10, "exit_mode=1 in Varnet.ini")
    if p.proc.poll() is not None:
        raise Failure(f"the program ended (code {p.proc.returncode}) instead of hiding")
    print("ok close choice: minimise hides the window and is stored")

    since = p.lines.mark()
    second = d.start(env, [], "second start")
    code = second.wait_end(15, "a second start hands over")
    if code != 0:
        raise Failure(f"a second start ended with code {code}, expected 0")
    p.lines.wait(r"varnet: a second start asked this instance to show its window", since, 10, "hand-over")
    d.wait_window(env, MAIN_TITLE, timeout=15)
    print("ok a second start shows the first window")

    d.click(env, origin, CLOSE_BUTTON)
    outcome = poll(lambda: "asked" if visible_windows(env, d.dialog_title) else
                   "hidden" if not visible_windows(env, MAIN_TITLE) else None, 15, "the close button hides the window")
    if outcome == "asked":
        raise Failure("the close choice dialog opened although minimise was stored")
    if p.proc.poll() is not None:
        raise Failure(f"the program ended (code {p.proc.returncode}) instead of hiding")
    print("ok the next close hides without asking")

    p.proc.send_signal(signal.SIGTERM)
    code = p.wait_end(15, "SIGTERM")
    if code != 0:
        raise Failure(f"the program ended with code {code} on SIGTERM, expected 0")


def receiver_link(d, env):
    """Step 3: receiver only, keyboard switched off: present but offline; a
    link notification connects it; a battery answer is shown."""
    p = d.start(env, ["--simulate=101:2", "--exit-after", "300000"], "receiver")
    p.lines.wait(r"varnet: running the main window \(show mode 5\)", 0, 30, "the program starts")
    first = expect_view(p, 0, True, "the receiver's keyboard is on at start")

    # Switched off: the receiver says so on its notify interface.
    since = p.lines.mark()
    d.sim(env, "unlink")
    expect_view(p, since, False, "switching the keyboard off")
    # A fresh look at the receiver finds it present but the keyboard offline.
    since = p.lines.mark()
    d.sim(env, "unplug", "receiver")
    expect_view(p, since, False, "unplugging the receiver")
    since = p.lines.mark()
    d.sim(env, "plug", "receiver")
    index, _ = p.lines.wait_at(r"varnet: connection: 2\.4 GHz receiver", since, 20, "receiver found again")
    expect_view(p, index, False, "receiver present, keyboard offline")
    wid, origin = d.wait_window(env, MAIN_TITLE)
    print("ok receiver present, keyboard offline: no-keyboard view")

    since = p.lines.mark()
    d.sim(env, "notify", "receiver", "05A6FF01")
    expect_view(p, since, True, "link notification 05 A6 FF 01")
    print("ok link notification connects")

    # The notification alone does not wake the simulated keyboard: it
    # answers battery queries once linked. Choosing it in the device list
    # (home page) queries the battery at once.
    since = p.lines.mark()
    d.sim(env, "battery", 57)
    d.sim(env, "link")  # says so on the notify interface, like a keyboard switched on
    expect_view(p, since, True, "switching the keyboard on")
    since = p.lines.mark()
    if d.screen.available:
        frame = d.settled_frame(origin)
        d.click(env, origin, HOME_TAB)
        d.wait_frame(origin, lambda f: f != frame, "the home tab leaves the frame")
    else:
        d.click(env, origin, HOME_TAB)
    d.click(env, origin, FIRST_DEVICE_TILE)
    p.lines.wait(r"varnet: battery 57%", since, 25, "battery answer after choosing the keyboard")
    expect_view(p, since, True, "choosing the keyboard in the device list")
    print("ok battery shown")
    return p, origin


def close_exit(d, env, p, origin):
    """exit_mode absent: choosing exit in the dialog stores 2 and ends the
    process; the next start ends on the close button without asking."""
    wid, origin = d.wait_window(env, MAIN_TITLE)
    d.click(env, origin, CLOSE_BUTTON)
    dialog, at = d.wait_window(env, d.dialog_title, timeout=15)
    d.click(env, at, DIALOG_EXIT)
    d.click(env, at, DIALOG_APPLY)
    code = p.wait_end(15, "exit chosen in the close choice dialog")
    if code != 0:
        raise Failure(f"the program ended with code {code} after exit was chosen, expected 0")
    if settings(env).get("exit_mode") != "2":
        raise Failure(f"Varnet.ini holds exit_mode={settings(env).get('exit_mode')}, expected 2")
    print("ok close choice: exit ends the program and is stored")

    p = d.start(env, ["--simulate=101:0", "--exit-after", "300000"], "exit stored")
    expect_view(p, 0, True, "cable keyboard at start")
    wid, origin = d.wait_window(env, MAIN_TITLE)
    d.click(env, origin, CLOSE_BUTTON)
    code = p.wait_end(15, "close with exit stored")
    if code != 0:
        raise Failure(f"the program ended with code {code} on close, expected 0")
    print("ok with exit stored the close button ends the program")


def light_blocks(trace_path):
    """The light-mode blocks the simulated keyboard received, in order, from
    the simulator's trace: the data packet after a DataAnnounce (04 13) on
    the command interface, ending in the trailer AA 55."""
    blocks = []
    announced = False
    try:
        with open(trace_path, encoding="ascii", errors="replace") as f:
            for line in f:
                parts = line.split()
                if len(parts) < 4 or parts[2] != "set-feature":
                    continue
                data = bytes.fromhex("".join(parts[3:]))
                payload = data[1:] if data and data[0] == 0 else data
                if announced and len(payload) >= 16 and payload[14] == 0xAA and payload[15] == 0x55:
                    blocks.append(payload[:16])
                    announced = False
                    continue
                # A DataAnnounce frame: 04, block type.
                announced = len(payload) > 2 and payload[0] == 0x04 and payload[1] == 0x13
    except OSError:
        pass
    return blocks


def active_light_record(env):
    """(mode, color_value, colorful, brightness) of the stored active effect."""
    import sqlite3
    path = os.path.join(env["XDG_DATA_HOME"], "Varnet Files", "db", "vn104_datav1.db")
    if not os.path.exists(path):
        return None
    try:
        with sqlite3.connect(f"file:{path}?mode=ro", uri=True, timeout=2) as db:
            row = db.execute("SELECT mode, color_value, colorful, brightness FROM t_light_data "
                             "WHERE status = 1").fetchone()
            return tuple(row) if row else None
    except sqlite3.Error:
        return None


def light_page(d):
    """Effect, swatch and brightness clicks end in the simulator (its trace),
    in the store and, read back from the keyboard, in the picture."""
    env = d.env("light")
    trace = os.path.join(d.work, "light_trace.txt")
    p = d.start(env, ["--simulate=101:0", "--sim-trace", trace, "--exit-after", "300000"], "light")
    expect_view(p, 0, True, "a cable keyboard connects at start")
    p.lines.wait(r"varnet: page 1 shown", 0, 20, "the key page")
    wid, origin = d.wait_window(env, MAIN_TITLE)
    since = p.lines.mark()
    d.click(env, origin, LIGHT_TAB)
    p.lines.wait(r"varnet: page 3 shown", since, 20, "the light page")
    # Entering the tab re-sends the shown effect once the page is loaded.
    poll(lambda: light_blocks(trace), 20, "the effect sent when the light tab is entered")

    d.click(env, origin, FIRST_EFFECT)
    poll(lambda: any(b[0] == 1 for b in light_blocks(trace)), 20, "the Static effect (mode 1) sent")
    d.click(env, origin, BLUE_SWATCH)
    poll(lambda: (lambda b: b[0] == 1 and tuple(b[1:4]) == (0, 0, 0xFF) and b[8] == 0)(light_blocks(trace)[-1]), 20,
         "the blue colour sent (colourful cleared)")
    d.click(env, origin, BRIGHTNESS_AT_2)
    record = poll(lambda: (lambda r: r if r and r[0] == 1 and r[3] != 4 else None)(active_light_record(env)), 20,
                  "the brightness stored")
    mode, colour, colorful, brightness = record
    if (colour, colorful) != (0x00FF0000, 0):
        raise Failure(f"stored colour {colour:#010x} colourful {colorful}, expected blue and not colourful")
    last = poll(lambda: (lambda b: b if b[9] == brightness else None)(light_blocks(trace)[-1]), 20,
                "the stored brightness sent")
    if tuple(last[1:4]) != (0, 0, 0xFF) or last[0] != 1 or last[8] != 0:
        raise Failure(f"the keyboard holds {last.hex()} but the store holds {record}")
    memory = run([d.varnetctl, "sim", "memory"], env).stdout
    if f"light mode 1 rgb 0,0,255 colorful 0 brightness {brightness}" not in memory:
        raise Failure(f"the simulator reports: {memory.strip()}")
    print(f"ok light page clicks reach the keyboard and the store (brightness {brightness})")

    if d.screen.available:
        def blue_cap():
            px = d.screen.regions(origin, [(KEY_Q_CAP[0], KEY_Q_CAP[1], KEY_Q_CAP[0] + 1, KEY_Q_CAP[1] + 1)])[0]
            b, g, r = px[0], px[1], px[2]
            return (r, g, b) if b > 120 and r < 90 and g < 90 else None
        poll(blue_cap, 20, "the picture shows the blue read back from the keyboard")
        d.save_screen("light_xvfb.png")
        print("ok the picture mirrors the keyboard's colours")
    p.stop()


def view_pictures(d):
    """Step 5: --screenshots in English and in Chinese (a first start in a
    Chinese environment chooses language 2052)."""
    for lang, suffix, lcid in (("en_US.UTF-8", "en", "1033"), ("zh_CN.UTF-8", "zh", "2052")):
        env = d.env(f"shots_{suffix}", lang)
        folder = os.path.join(d.work, f"pictures_{suffix}")
        p = d.start(env, ["--simulate", "--screenshots", folder], f"pictures {suffix}")
        code = p.wait_end(60, "--screenshots")
        if code != 0:
            raise Failure(f"--screenshots ended with code {code}")
        for name in ("home", "connected"):
            path = os.path.join(folder, f"{name}.png")
            if png_size(path) != (1280, 720):
                raise Failure(f"{path}: size {png_size(path)}, expected a 1280 x 720 PNG")
            if d.shots:
                shutil.copyfile(path, os.path.join(d.shots, f"main_{name}_{suffix}.png"))
        if settings(env).get("LCID") != lcid:
            raise Failure(f"a first start with LANG={lang} stored LCID={settings(env).get('LCID')}, expected {lcid}")
    print("ok pictures of the home page and the connected view, English and Chinese")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("varnet")
    parser.add_argument("varnetctl")
    parser.add_argument("--shots", help="folder for the pictures of the views and of the X screen")
    args = parser.parse_args()
    if tools_missing():
        return SKIP

    # The program takes any argument containing "hide" for a hidden start:
    # the folder name must not contain it.
    work = tempfile.mkdtemp(prefix="varnet_win_")
    while "hide" in work:
        os.rmdir(work)
        work = tempfile.mkdtemp(prefix="varnet_win_")
    xvfb = d = None
    started = time.monotonic()
    try:
        xvfb, display = start_xvfb(SCREEN_W, SCREEN_H)
        d = Driver(args, display, work)
        if d.shots:
            os.makedirs(d.shots, exist_ok=True)

        env = d.env("cable")
        p, origin = cable_views(d, env)
        cable_plugging(d, env, p, origin)
        close_minimise(d, env, p, origin)

        env = d.env("receiver")
        p, origin = receiver_link(d, env)
        close_exit(d, env, p, origin)

        light_page(d)
        view_pictures(d)
        print(f"all checks passed in {time.monotonic() - started:.1f} s")
        return 0
    except Failure as failure:
        print(f"FAILED: {failure}")
        if d is not None:
            for program in d.programs:
                tail = program.lines.all()[-20:]
                if tail:
                    print(f"output of {program.label} (end):\n  " + "\n  ".join(tail))
            try:
                d.save_screen("main_xvfb_failure.png")
            except Failure:
                pass
        return 1
    finally:
        if d is not None:
            for program in d.programs:
                program.stop()
            d.screen.close()
        stop(xvfb)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
