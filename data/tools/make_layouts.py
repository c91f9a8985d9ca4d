#!/usr/bin/env python3
"""Generates the keyboard layout files under data/layouts/.

Each model is described by compact rows of key tokens (key widths in key
units, gaps, blocks); the script turns them into key rectangles, matrix cells
and block positions, checks every rule the program relies on, and writes one
XML file per model.  Run it again after changing a description:

    python3 data/tools/make_layouts.py            # writes data/layouts/*.xml
    python3 data/tools/make_layouts.py --check    # checks only, writes nothing

Geometry: one key unit is UNIT pixels; a key cap is its units times UNIT
minus CAP_GAP (CAP_GAP / 2 of space on each side), and the picture has a
MARGIN around the keys.  Key positions (key_index) and light positions
(light_index) are numbered row by row, left to right, from 1.
"""

import math
import os
import sys
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape

UNIT = 40       # pixels per key unit
CAP_GAP = 4     # pixels between two neighbouring caps
MARGIN = 20     # pixels between the picture's edge and the outermost caps

# Limits of the device data blocks and of the lighting grids.
MAX_KEY_POSITION = 142          # 576-byte key map: 4-byte entries, trailer at 574..575
MAX_RGB_LIGHT_POSITION = 142    # 576-byte colour block, same shape
MAX_SINGLE_LIGHT_POSITION = 189  # 192-byte single-colour block, trailer at 190..191
MAX_GRID_ROWS = 8               # music grid rows
MAX_GRID_COLUMNS = 21           # the receiver's music frame carries 21 columns
MAX_EDITOR_ROWS = 6             # the per-key animation editor animates rows 0..5
MAX_EDITOR_KEYS = 109           # the editor keeps effect state for 109 keys
MAX_LIVE_FRAME_KEYS = 128       # 512-byte live frame, 4 bytes per key
FN_CODE = 0xAF

# token: (HID usage, label printed on the cap, short description)
KEYS = {
    "Esc": (0x29, "Esc", "Escape"),
    **{f"F{n}": (0x3A + n - 1, f"F{n}", f"Function key {n}") for n in range(1, 13)},
    "PrintScreen": (0x46, "PrtSc", "Print Screen"),
    "ScrollLock": (0x47, "ScrLk", "Scroll Lock"),
    "Pause": (0x48, "Pause", "Pause / Break"),
    "Grave": (0x35, "`", "Grave accent and tilde"),
    **{str(n): (0x1E + n - 1, str(n), f"Digit {n}") for n in range(1, 10)},
    "0": (0x27, "0", "Digit 0"),
    "Minus": (0x2D, "-", "Minus and underscore"),
    "Equal": (0x2E, "=", "Equals and plus"),
    "Backspace": (0x2A, "Backspace", "Backspace"),
    "Tab": (0x2B, "Tab", "Tab"),
    **{c: (0x04 + ord(c) - ord("A"), c, f"Letter {c}") for c in "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    "LBracket": (0x2F, "[", "Left bracket and brace"),
    "RBracket": (0x30, "]", "Right bracket and brace"),
    "Backslash": (0x31, "\\", "Backslash and vertical bar"),
    "CapsLock": (0x39, "Caps Lock", "Caps Lock"),
    "Semicolon": (0x33, ";", "Semicolon and colon"),
    "Quote": (0x34, "'", "Apostrophe and quotation mark"),
    "Enter": (0x28, "Enter", "Enter"),
    "LShift": (0xE1, "Shift", "Left Shift"),
    "Comma": (0x36, ",", "Comma and less-than"),
    "Period": (0x37, ".", "Full stop and greater-than"),
    "Slash": (0x38, "/", "Slash and question mark"),
    "RShift": (0xE5, "Shift", "Right Shift"),
    "LCtrl": (0xE0, "Ctrl", "Left Control"),
    "LWin": (0xE3, "Win", "Left Windows"),
    "LAlt": (0xE2, "Alt", "Left Alt"),
    "Space": (0x2C, "Space", "Space bar"),
    "RAlt": (0xE6, "Alt", "Right Alt"),
    "RWin": (0xE7, "Win", "Right Windows"),
    "Fn": (FN_CODE, "Fn", "Function layer key"),
    "Menu": (0x65, "Menu", "Application menu"),
    "RCtrl": (0xE4, "Ctrl", "Right Control"),
    "Insert": (0x49, "Ins", "Insert"),
    "Home": (0x4A, "Home", "Home"),
    "PageUp": (0x4B, "PgUp", "Page Up"),
    "Delete": (0x4C, "Del", "Delete"),
    "End": (0x4D, "End", "End"),
    "PageDown": (0x4E, "PgDn", "Page Down"),
    "Right": (0x4F, "Right", "Right arrow"),
    "Left": (0x50, "Left", "Left arrow"),
    "Down": (0x51, "Down", "Down arrow"),
    "Up": (0x52, "Up", "Up arrow"),
    "NumLock": (0x53, "Num Lock", "Num Lock"),
    "KPSlash": (0x54, "Num /", "Keypad divide"),
    "KPAsterisk": (0x55, "Num *", "Keypad multiply"),
    "KPMinus": (0x56, "Num -", "Keypad subtract"),
    "KPPlus": (0x57, "Num +", "Keypad add"),
    "KPEnter": (0x58, "Num Enter", "Keypad Enter"),
    **{f"KP{n}": (0x59 + n - 1, f"Num {n}", f"Keypad {n}") for n in range(1, 10)},
    "KP0": (0x62, "Num 0", "Keypad 0"),
    "KPDot": (0x63, "Num .", "Keypad decimal point"),
}

# Rows of the main (alphanumeric) block shared by the full-size and the
# tenkeyless boards: ANSI, function row with its 1u / 0.5u gaps.  Tokens:
#   Name        a 1u key
#   Name:w      a key w units wide;  Name:wxh  w wide and h high
#   Name@c      the key's matrix column inside its block (default: the whole
#               units left of the key's left edge)
#   _w          an empty gap of w units
MAIN_FUNCTION_ROW = "Esc _1 F1 F2 F3 F4 _0.5 F5 F6 F7 F8 _0.5 F9@10 F10@11 F11@12 F12@13"
MAIN_ROWS = [
    "Grave 1 2 3 4 5 6 7 8 9 0 Minus Equal Backspace:2",
    "Tab:1.5 Q W E R T Y U I O P LBracket RBracket Backslash:1.5",
    "CapsLock:1.75 A S D F G H J K L Semicolon Quote Enter:2.25",
    "LShift:2.25 Z X C V B N M Comma Period Slash RShift:2.75",
]
# Bottom row with Fn in place of the right Windows key.
MAIN_BOTTOM_ROW_FN = "LCtrl:1.25 LWin:1.25 LAlt:1.25 Space:6.25 RAlt:1.25 Fn:1.25 Menu:1.25 RCtrl:1.25"

NAV_ROWS = {
    0: "PrintScreen ScrollLock Pause",
    1: "Insert Home PageUp",
    2: "Delete End PageDown",
    4: "_1 Up",
    5: "Left Down Right",
}

NUMPAD_ROWS = {
    1: "NumLock KPSlash KPAsterisk KPMinus",
    2: "KP7 KP8 KP9 KPPlus:1x2",
    3: "KP4 KP5 KP6",
    4: "KP1 KP2 KP3 KPEnter:1x2",
    5: "KP0:2 KPDot",
}

# Vertical placement (in units) of matrix rows 0..5: a half-unit gap below the
# function row on the full-size and TKL boards, a quarter unit on the 75 %.
ROWS_Y_FULL = [0, 1.5, 2.5, 3.5, 4.5, 5.5]
ROWS_Y_75 = [0, 1.25, 2.25, 3.25, 4.25, 5.25]

# A block: (x in units, first matrix column, {matrix row: row text}).
MAIN_BLOCK = (0, 0, {0: MAIN_FUNCTION_ROW, 1: MAIN_ROWS[0], 2: MAIN_ROWS[1],
                     3: MAIN_ROWS[2], 4: MAIN_ROWS[3], 5: MAIN_BOTTOM_ROW_FN})
NAV_BLOCK = (15.25, 14, NAV_ROWS)
NUMPAD_BLOCK = (18.5, 17, NUMPAD_ROWS)

# The 75 % board: one compact block, 16 units wide, a right-hand column of
# Del / Home / PgUp / PgDn / End and the arrows tucked under Right Shift.
BLOCK_75 = (0, 0, {
    0: "Esc _0.5 F1 F2 F3 F4 _0.5 F5 F6 F7 F8 _0.5 F9 F10 F11 F12 _0.5 Delete",
    1: MAIN_ROWS[0] + " Home",
    2: MAIN_ROWS[1] + " PageUp",
    3: MAIN_ROWS[2] + " PageDown",
    4: "LShift:2.25 Z X C V B N M Comma Period Slash RShift:1.75 Up End",
    5: "LCtrl:1.25 LWin:1.25 LAlt:1.25 Space:6.25 RAlt Fn RCtrl Left Down Right",
})

# Keys the Fn layer leaves to the firmware (not written in the Fn-layer key
# map, drawn locked on the Fn layer): the Fn key itself, which has to stay the
# layer key, and the (left) Windows key, whose Fn combination is the
# firmware's Windows-key lock; the boards have Fn where a right Windows key
# would be.  On the three-mode board Fn+1..3 pick a Bluetooth host and
# Fn+4 the 2.4 GHz link; they stay reserved so a remap cannot strand the user
# on one connection.
FN_LOCKED_COMMON = {"Fn", "LWin"}
FN_LOCKED_TRI_MODE = FN_LOCKED_COMMON | {"1", "2", "3", "4"}

# Page flags: (macro, light_mode, user_light, custom_light, music, screen, sidelight)
PAGE_ATTRS = ("macro", "light_mode", "user_light", "custom_light", "music", "screen", "sidelight")

MODELS = [
    {
        "file": "vn104",
        "picture": "vn104.png",
        "blocks": [MAIN_BLOCK, NAV_BLOCK, NUMPAD_BLOCK],
        "rows_y": ROWS_Y_FULL,
        "units": (22.5, 6.5),
        "fn_locked": FN_LOCKED_TRI_MODE,
        # The per-key animation streams live frames, which exist only on the
        # cable; the receiver hides that tab anyway, so the receiver flags
        # leave it off.  Music (MusicFrame) and side light have receiver forms.
        "menu": dict(macro=1, light_mode=1, user_light=1, custom_light=1, music=1, screen=0, sidelight=1),
        "menu_wireless": dict(macro=1, light_mode=1, user_light=1, custom_light=0, music=1, screen=0, sidelight=1),
        "function": dict(fn_layer=1, sleep_time=1, key_respondtime=1),
        "firmware": dict(version="108", file="vn104_updater",
                         url="https://varnet.example/download/firmware/vn104/"),
        "cmd_delaytime": 15,
        "screen": None,
        "light": dict(rgb_keyboard=1, default_mode=3, default_brightness=4, default_speed=3,
                      brightness_max=5, speed_max=5),
        "bk_color": 0x00282828,
        "xpos": 200, "ypos": 90,
    },
    {
        "file": "vn75",
        "picture": "vn75.png",
        "blocks": [BLOCK_75],
        "rows_y": ROWS_Y_75,
        "units": (16, 6.25),
        "fn_locked": FN_LOCKED_COMMON,
        # Screen uploads and the clock have receiver forms; per-key animation
        # does not (see vn104).
        "menu": dict(macro=1, light_mode=1, user_light=1, custom_light=1, music=1, screen=1, sidelight=0),
        "menu_wireless": dict(macro=1, light_mode=1, user_light=1, custom_light=0, music=1, screen=1, sidelight=0),
        "function": dict(fn_layer=1, sleep_time=1, key_respondtime=1),
        "firmware": dict(version="103", file="vn75_updater",
                         url="https://varnet.example/download/firmware/vn75/"),
        "cmd_delaytime": 10,
        "screen": dict(gif_headlength=256, gif_maxframes=30, gif_count=3, width=320, height=172),
        "light": dict(rgb_keyboard=1, default_mode=3, default_brightness=4, default_speed=3,
                      brightness_max=5, speed_max=5),
        "bk_color": 0x00302820,
        "xpos": 330, "ypos": 90,
    },
    {
        "file": "vn87",
        "picture": "vn87.png",
        "blocks": [MAIN_BLOCK, NAV_BLOCK],
        "rows_y": ROWS_Y_FULL,
        "units": (18.25, 6.5),
        # Cable only and no remappable Fn layer: the Fn key only drives the
        # firmware's own combinations (lighting, media).
        "fn_locked": set(),
        "menu": dict(macro=1, light_mode=1, user_light=1, custom_light=0, music=0, screen=0, sidelight=0),
        # No receiver; the same flags keep a stale receiver set from an
        # earlier layout out of this one.
        "menu_wireless": dict(macro=1, light_mode=1, user_light=1, custom_light=0, music=0, screen=0, sidelight=0),
        "function": dict(fn_layer=0, sleep_time=0, key_respondtime=1),
        "firmware": dict(version="101", file="vn87_updater",
                         url="https://varnet.example/download/firmware/vn87/"),
        "cmd_delaytime": 10,
        "screen": None,
        "light": dict(rgb_keyboard=0, default_mode=1, default_brightness=4, default_speed=3,
                      brightness_max=5, speed_max=5),
        "bk_color": 0x00202020,
        "xpos": 285, "ypos": 90,
    },
]

# Area of the main window the pages occupy (1280 x 720 window; pages from
# (60, 60) to the inner edge of the one-pixel frame).
PAGE_AREA = (60, 60, 1279, 719)


def parse_row(text):
    """Yields (token, x_units, width, height, explicit_column) for one row."""
    x = 0.0
    for item in text.split():
        if item.startswith("_"):
            x += float(item[1:])
            continue
        column = None
        if "@" in item:
            item, col_text = item.split("@")
            column = int(col_text)
        width, height = 1.0, 1.0
        if ":" in item:
            item, size = item.split(":")
            if "x" in size:
                w_text, h_text = size.split("x")
                width, height = float(w_text), float(h_text)
            else:
                width = float(size)
        yield item, x, width, height, column
        x += width


def px(units):
    value = units * UNIT
    if value != int(value):
        raise ValueError(f"{units} units is not a whole number of pixels")
    return int(value)


def build_keys(model):
    keys = []
    for block_x, first_col, rows in model["blocks"]:
        for row, text in rows.items():
            y = model["rows_y"][row]
            for token, x, width, height, column in parse_row(text):
                code, name, desc = KEYS[token]
                col = first_col + (column if column is not None else math.floor(x))
                keys.append({
                    "token": token, "code": code, "name": name, "desc": desc,
                    "row": row, "col": col,
                    "x": block_x + x,
                    "left": MARGIN + px(block_x + x) + CAP_GAP // 2,
                    "top": MARGIN + px(y) + CAP_GAP // 2,
                    "width": px(width) - CAP_GAP,
                    "height": px(height) - CAP_GAP,
                    "fn_locked": token in model["fn_locked"],
                })
    keys.sort(key=lambda k: (k["row"], k["x"]))
    for position, key in enumerate(keys, start=1):
        key["key_index"] = position
        key["light_index"] = position
    return keys


def picture_size(model):
    w_units, h_units = model["units"]
    return px(w_units) + 2 * MARGIN, px(h_units) + 2 * MARGIN


def check_model(model, keys):
    """Every rule the program and the device blocks rely on; returns a list of faults."""
    faults = []
    width, height = picture_size(model)
    rgb = model["light"]["rgb_keyboard"] == 1
    max_light = MAX_RGB_LIGHT_POSITION if rgb else MAX_SINGLE_LIGHT_POSITION
    row_count = 1 + max(k["row"] for k in keys)
    col_count = 1 + max(k["col"] for k in keys)
    name = model["file"]

    def fault(text):
        faults.append(f"{name}: {text}")

    if not (0 < row_count <= MAX_GRID_ROWS and row_count <= MAX_EDITOR_ROWS):
        fault(f"{row_count} matrix rows")
    if not 0 < col_count <= MAX_GRID_COLUMNS:
        fault(f"{col_count} matrix columns")
    if len(keys) > MAX_EDITOR_KEYS or len(keys) > MAX_LIVE_FRAME_KEYS:
        fault(f"{len(keys)} keys exceed the per-key animation limits")

    left, top, right, bottom = PAGE_AREA
    if not (model["xpos"] >= left and model["ypos"] >= top
            and model["xpos"] + width <= right and model["ypos"] + height <= bottom):
        fault("the picture rectangle leaves the page area")

    seen = {"code": {}, "key_index": {}, "light_index": {}, "cell": {}}

    def unique(kind, value, key):
        other = seen[kind].get(value)
        if other is not None:
            fault(f"{key['token']} repeats the {kind} {value} of {other['token']}")
        seen[kind][value] = key

    for key in keys:
        code = key["code"]
        if not (0x04 <= code <= 0xE7 or code == FN_CODE):
            fault(f"{key['token']}: code {code:02X} is not a keyboard usage")
        unique("code", code, key)
        if not key["name"]:
            fault(f"{key['token']}: no name")
        if not 1 <= key["key_index"] <= MAX_KEY_POSITION:
            fault(f"{key['token']}: key_index {key['key_index']}")
        if not 1 <= key["light_index"] <= max_light:
            fault(f"{key['token']}: light_index {key['light_index']}")
        unique("key_index", key["key_index"], key)
        unique("light_index", key["light_index"], key)
        if not (0 <= key["row"] < row_count and 0 <= key["col"] < col_count):
            fault(f"{key['token']}: cell {key['row']},{key['col']}")
        if not 0 <= key["row"] <= 9:
            fault(f"{key['token']}: row {key['row']} is not one digit")
        if not 0 <= key["col"] <= 99:
            fault(f"{key['token']}: column {key['col']} has more than two digits")
        unique("cell", (key["row"], key["col"]), key)
        if key["width"] <= 0 or key["height"] <= 0:
            fault(f"{key['token']}: empty rectangle")
        if (key["left"] < 0 or key["top"] < 0 or key["left"] + key["width"] > width
                or key["top"] + key["height"] > height):
            fault(f"{key['token']}: rectangle outside the {width} x {height} picture")

    for i, a in enumerate(keys):
        for b in keys[:i]:
            if (a["left"] < b["left"] + b["width"] and b["left"] < a["left"] + a["width"]
                    and a["top"] < b["top"] + b["height"] and b["top"] < a["top"] + a["height"]):
                fault(f"{a['token']} overlaps {b['token']}")

    if model["function"]["fn_layer"] == 1 and FN_CODE not in seen["code"]:
        fault("an Fn layer without an Fn key")
    for token in sorted(model["fn_locked"]):
        if KEYS[token][0] not in seen["code"]:
            fault(f"Fn-locked key {token} is not on the board")
    if model["light"]["default_brightness"] > model["light"]["brightness_max"]:
        fault("default brightness above the maximum")
    if model["light"]["default_speed"] > model["light"]["speed_max"]:
        fault("default speed above the maximum")
    version = model["firmware"]["version"]
    # The keyboard's release (BCD) is compared by reading its hex digits as a
    # decimal number, so the version has at most four decimal digits.
    if not (1 <= len(version) <= 4 and all(d in "0123456789" for d in version)):
        fault("firmware version is not a decimal number of up to four digits")
    if not model["firmware"]["url"].endswith("/"):
        fault("the firmware address must end with '/' (the file name is appended)")
    return faults, row_count, col_count


def attr(value):
    return escape(str(value), {'"': "&quot;"})


def element(tag, attrs, indent):
    text = " ".join(f'{k}="{attr(v)}"' for k, v in attrs)
    return f"{'  ' * indent}<{tag} {text}/>"


def render(model, keys, row_count, col_count):
    width, height = picture_size(model)
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- Generated by data/tools/make_layouts.py; edit the script, not this file. -->",
             "<device.info>"]
    lines.append(element("menu", [(a, model["menu"][a]) for a in PAGE_ATTRS], 1))
    lines.append(element("menu_wireless", [(a, model["menu_wireless"][a]) for a in PAGE_ATTRS], 1))
    lines.append(element("function", list(model["function"].items()), 1))
    lines.append(element("firmware", list(model["firmware"].items()), 1))
    lines.append(element("cmd_delaytime", [("value", model["cmd_delaytime"])], 1))
    if model["screen"]:
        lines.append(element("screen", list(model["screen"].items()), 1))
    lines.append(element("light", list(model["light"].items()), 1))
    keyboard = [("bk_color", f"{model['bk_color']:08X}"), ("xpos", model["xpos"]),
                ("ypos", model["ypos"]), ("width", width), ("height", height),
                ("image", model["picture"]), ("row_count", row_count), ("col_count", col_count)]
    lines.append("  <Keyboard " + " ".join(f'{k}="{attr(v)}"' for k, v in keyboard) + ">")
    lines.append("    <KeyItems>")
    for key in keys:
        attrs = [("code", f"{key['code']:02X}"), ("name", key["name"]), ("desc", key["desc"]),
                 ("key_index", key["key_index"]), ("light_index", key["light_index"])]
        if key["fn_locked"]:
            attrs.append(("fnlayer_disable", 1))
        attrs += [("rect_left", key["left"]), ("rect_top", key["top"]),
                  ("rect_width", key["width"]), ("rect_height", key["height"]),
                  ("row_col", f"{key['row']},{key['col']}")]
        lines.append(element("key", attrs, 3))
    lines.append("    </KeyItems>")
    lines.append("  </Keyboard>")
    lines.append("</device.info>")
    return "\n".join(lines) + "\n"


def check_document(model, text, keys):
    """Reads the written text back and compares it with the model."""
    faults = []
    root = ET.fromstring(text.encode("utf-8"))
    order = [child.tag for child in root]
    expected = ["menu", "menu_wireless", "function", "firmware", "cmd_delaytime"]
    expected += ["screen"] if model["screen"] else []
    expected += ["light", "Keyboard"]
    if order != expected:
        faults.append(f"{model['file']}: element order {order}")
    read = root.find("Keyboard/KeyItems").findall("key")
    required = ("code", "name", "key_index", "light_index", "rect_left", "rect_top",
                "rect_width", "rect_height", "row_col")
    for element_, key in zip(read, keys):
        for name in required:
            if not element_.get(name):
                faults.append(f"{model['file']}: {key['token']} lacks {name}")
        if element_.get("name") != key["name"]:
            faults.append(f"{model['file']}: {key['token']} name reads back as {element_.get('name')!r}")
        if int(element_.get("code"), 16) != key["code"]:
            faults.append(f"{model['file']}: {key['token']} code reads back wrong")
    if len(read) != len(keys):
        faults.append(f"{model['file']}: {len(read)} keys read back")
    return faults


def check_catalogue(path, layout_names):
    """Cross-checks the device catalogue against the generated layouts."""
    faults = []
    root = ET.parse(path).getroot()
    if root.tag != "config" or [c.tag for c in root] != ["device.info", "language.info", "software"]:
        faults.append("config.xml: root must be config with device.info, language.info, software in this order")
        return faults
    types, ids = set(), set()
    for keyboard in root.find("device.info").findall("keyboard"):
        name = keyboard.get("name", "")
        device_type = int(keyboard.get("device_type", "0"))
        if device_type < 100 or device_type in types:
            faults.append(f"config.xml: {name}: device_type {device_type}")
        types.add(device_type)
        if keyboard.get("device_info") not in layout_names:
            faults.append(f"config.xml: {name}: no layout {keyboard.get('device_info')!r}")
        modes = keyboard.findall("mode")
        if not modes or modes[0].get("value") != "0":
            faults.append(f"config.xml: {name}: the cable mode comes first")
        for mode in modes:
            vid, pid = mode.get("vid", ""), mode.get("pid", "")
            interface = mode.get("hid_interface", "")
            if mode.get("value") not in ("0", "1", "2"):
                faults.append(f"config.xml: {name}: mode value {mode.get('value')}")
            if (vid, pid) in ids:
                faults.append(f"config.xml: {name}: {vid}:{pid} used twice")
            ids.add((vid, pid))
            if interface != interface.upper() or f"VID_{vid.upper()}&PID_{pid.upper()}" not in interface:
                faults.append(f"config.xml: {name}: hid_interface {interface!r} does not name {vid}:{pid}")
    upgrade = root.find("software/upgrade")
    if upgrade is None or not upgrade.get("url", "").endswith("/"):
        faults.append("config.xml: the upgrade address must end with '/' (the file name is appended)")
    return faults


def main(argv):
    check_only = "--check" in argv
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = os.path.join(os.path.dirname(here), "layouts")
    faults = []
    outputs = []
    for model in MODELS:
        keys = build_keys(model)
        model_faults, row_count, col_count = check_model(model, keys)
        faults += model_faults
        text = render(model, keys, row_count, col_count)
        faults += check_document(model, text, keys)
        outputs.append((model, keys, row_count, col_count, text))
    catalogue = os.path.join(os.path.dirname(here), "config.xml")
    if os.path.exists(catalogue):
        faults += check_catalogue(catalogue, {m["file"] for m in MODELS})
    if faults:
        for f in faults:
            print("error:", f, file=sys.stderr)
        return 1
    for model, keys, row_count, col_count, text in outputs:
        width, height = picture_size(model)
        path = os.path.join(out_dir, model["file"] + ".xml")
        summary = (f"{model['file']}: {len(keys)} keys, picture {width} x {height}, "
                   f"matrix {row_count} x {col_count}")
        if check_only:
            with open(path, encoding="utf-8") as f:
                current = f.read()
            if current != text:
                print(f"error: {path} differs from what the script generates", file=sys.stderr)
                return 1
            print("ok   ", summary)
        else:
            with open(path, "w", encoding="utf-8", newline="\n") as f:
                f.write(text)
            print("wrote", summary)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
