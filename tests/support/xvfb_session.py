"""What the X server drivers share: a private Xvfb, started programs that
end with their driver, their output read as lines, deadlines on every wait,
and the xdotool calls that find, measure and click windows.

A driver beside this folder imports it after putting the folder on its path:

    sys.dont_write_bytecode = True
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
    import xvfb_session
"""
import ctypes
import os
import re
import select
import shutil
import subprocess
import threading
import time

SKIP = 77  # the exit status that tells CTest the test was skipped


class Failure(Exception):
    pass


def tools_missing(tools=("Xvfb", "xdotool")):
    """True, once it has said which, when one of `tools` is not installed
    (the driver then ends with SKIP)."""
    for tool in tools:
        if not shutil.which(tool):
            print(f"{tool} is not installed; skipping")
            return True
    return False


def die_with_parent():
    """Run in a child before exec: it receives SIGTERM when the driver dies,
    however it dies, so no X server or program is left behind."""
    try:
        ctypes.CDLL(None, use_errno=True).prctl(1, 15)  # PR_SET_PDEATHSIG, SIGTERM
    except (OSError, AttributeError):
        pass


class Lines:
    """Collects a program's output lines from a reader thread."""

    def __init__(self, stream):
        self._lines = []
        self._cond = threading.Condition()
        self._closed = False
        threading.Thread(target=self._read, args=(stream,), daemon=True).start()

    def _read(self, stream):
        for raw in stream:
            line = raw.decode("utf-8", "replace").rstrip("\n")
            with self._cond:
                self._lines.append(line)
                self._cond.notify_all()
        with self._cond:
            self._closed = True
            self._cond.notify_all()

    def mark(self):
        with self._cond:
            return len(self._lines)

    def all(self):
        with self._cond:
            return list(self._lines)

    def wait_at(self, pattern, since=0, timeout=20.0, what=None):
        """(index, match) of the first line from index `since` matching
        `pattern` (a regex, whole line); raises Failure at the deadline or
        when the output ends without one."""
        regex = re.compile(pattern)
        deadline = time.monotonic() + timeout
        with self._cond:
            while True:
                for i in range(since, len(self._lines)):
                    m = regex.fullmatch(self._lines[i])
                    if m:
                        return i, m
                left = deadline - time.monotonic()
                if left <= 0 or self._closed:
                    tail = "\n  ".join(self._lines[-15:])
                    raise Failure(f"no line matching {pattern!r} ({what or 'waiting'}); last lines:\n  {tail}")
                self._cond.wait(min(left, 0.2))

    def wait(self, pattern, since=0, timeout=20.0, what=None):
        """The match of the first line from index `since` matching `pattern`."""
        return self.wait_at(pattern, since, timeout, what)[1]


def run(cmd, env, timeout=15.0):
    try:
        return subprocess.run(cmd, env=env, capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        raise Failure(f"{' '.join(map(str, cmd))} did not finish within {timeout} s")


def poll(predicate, timeout, what, interval=0.1):
    """Calls predicate until it returns something true; that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout} s: {what}")
        time.sleep(interval)


def stop(proc, grace=5.0):
    if proc is None or proc.poll() is not None:
        return
    proc.terminate()
    try:
        proc.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait(timeout=grace)


def start_xvfb(width, height):
    """Starts Xvfb with one width x height screen on a free display;
    returns (process, display)."""
    read_fd, write_fd = os.pipe()
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp",
         "-noreset"],
        pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, preexec_fn=die_with_parent)
    os.close(write_fd)
    data = b""
    deadline = time.monotonic() + 30
    try:
        while not data.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or proc.poll() is not None:
                raise Failure("Xvfb did not report a display")
            ready, _, _ = select.select([read_fd], [], [], min(left, 0.5))
            if ready:
                chunk = os.read(read_fd, 64)
                if not chunk:
                    raise Failure("Xvfb closed the display pipe")
                data += chunk
    except Failure:
        stop(proc)
        raise
    finally:
        os.close(read_fd)
    return proc, ":" + data.decode().strip()


# --- xdotool ---------------------------------------------------------------------


def xdo(env, *args):
    result = run(["xdotool", *map(str, args)], env)
    if result.returncode != 0:
        raise Failure(f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
    return result.stdout


def move(env, x, y):
    # No --sync: it waits forever when the pointer is already there. The X
    # server applies the move before any later click or key anyway.
    xdo(env, "mousemove", x, y)


def click(env, x, y, button=1):
    move(env, x, y)
    xdo(env, "click", button)


def visible_windows(env, title):
    """Ids of the visible windows with this title."""
    result = run(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$"], env)
    return result.stdout.split() if result.returncode == 0 else []


def window_geometry(env, wid):
    """(x, y, width, height) of a window, or None."""
    result = run(["xdotool", "getwindowgeometry", "--shell", wid], env)
    values = dict(line.split("=", 1) for line in result.stdout.split() if "=" in line)
    try:
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
    except (KeyError, ValueError):
        return None


def window_position(env, wid):
    """(x, y) of a window, or None."""
    geometry = window_geometry(env, wid)
    return geometry[:2] if geometry else None
