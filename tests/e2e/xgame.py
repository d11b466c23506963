"""Drives the real game executable from outside: its own X server, real pointer and key input
through xdotool, and screenshots of the root window taken with ImageMagick's import.

Every wait is given in seconds of an unloaded machine running the release build. It ends only once
that much wall time has passed and the game has also had a share of the processor time it gets in
that many seconds there, so on a loaded machine a wait lasts as long as the game needs; for a
sanitizer build, which runs the game several times slower, both are stretched."""

import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

WIDTH, HEIGHT = 1024, 768
# Of the processor seconds (all threads) the game uses per second on an unloaded machine, about
# one, the share a wait gives it at least.
CPU_SHARE = 0.5
SANITIZED_PACE = 3.0
TICKS = os.sysconf("SC_CLK_TCK")


class Failure(Exception):
    pass


class Shot:
    """An RGB screenshot of the game window: pixel (x, y) in window coordinates."""

    def __init__(self, width, height, rgb, name=""):
        self.width, self.height, self.rgb, self.name = width, height, rgb, name

    def pixel(self, x, y):
        i = (int(y) * self.width + int(x)) * 3
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]

    def mean(self, x0, y0, x1, y1, step=2):
        """The mean colour (r, g, b) of a rectangle."""
        total, n = [0, 0, 0], 0
        for y in range(int(y0), int(y1), step):
            row = y * self.width * 3
            for x in range(int(x0), int(x1), step):
                i = row + x * 3
                total[0] += self.rgb[i]
                total[1] += self.rgb[i + 1]
                total[2] += self.rgb[i + 2]
                n += 1
        return tuple(c / max(n, 1) for c in total)

    def brightness(self, x0, y0, x1, y1):
        return sum(self.mean(x0, y0, x1, y1)) / 3.0

    def changed(self, other, x0, y0, x1, y1, step=2, tolerance=24):
        """How many sampled pixels of the rectangle differ from another shot's."""
        n = 0
        for y in range(int(y0), int(y1), step):
            for x in range(int(x0), int(x1), step):
                a, b = self.pixel(x, y), other.pixel(x, y)
                if max(abs(a[0] - b[0]), abs(a[1] - b[1]), abs(a[2] - b[2])) > tolerance:
                    n += 1
        return n

    def save_png(self, path):
        raw = b"".join(b"\0" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3] for y in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            out.write(chunk(b"IDAT", zlib.compress(raw, 1)))
            out.write(chunk(b"IEND", b""))


def cursor_at(shot, x, y, reach=16):
    """Whether the game's cursor, a pale yellow sparkle, is drawn around (x, y)."""
    hits = 0
    for sy in range(max(0, int(y) - reach), min(HEIGHT, int(y) + reach + 6), 2):
        for sx in range(max(0, int(x) - reach), min(WIDTH, int(x) + reach + 6), 2):
            r, g, b = shot.pixel(sx, sy)
            if r > 245 and 222 < g < 252 and 110 < b < 200:
                hits += 1
    return hits >= 3


def parse_ppm(data):
    # Header: magic, width, height, maximum, each separated by white space, then one byte.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P6" or fields[3] != b"255":
        raise Failure("unexpected screenshot format %r" % fields)
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height * 3]


class Game:
    """One X server with the game on it, in a temporary copy of the data folder and HOME."""

    def __init__(self, executable, data, shots=None, log=lambda text: print(text, flush=True)):
        self.executable = executable
        self.shots = shots
        self.say = log
        self.root = tempfile.mkdtemp(prefix="rg-e2e-")
        self.data = os.path.join(self.root, "data")
        self.home = os.path.join(self.root, "home")
        shutil.copytree(data, self.data)
        os.makedirs(self.home)
        self.save_folder = os.path.join(self.home, "Documents", "Mossbrook_Cinderwell")
        self.server = None
        self.process = None
        self.display = None
        self.origin = (0, 0)
        self.size = (WIDTH, HEIGHT)
        self.count = 0
        self.started = time.monotonic()
        with open(executable, "rb") as f:
            self.pace = SANITIZED_PACE if b"__asan_init" in f.read() else 1.0

    # --- the X server ---------------------------------------------------------------------------

    def start_server(self):
        read, write = os.pipe()
        # Without -noreset the server resets each time its last client leaves (every xdotool run
        # before the game is up), and a client that connects meanwhile is refused: the game then
        # starts with no window at all.
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read, 16)
            if not chunk:
                break
            number += chunk
        os.close(read)
        if not number.strip():
            raise Failure("Xvfb did not start")
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display, HOME=self.home, SDL_AUDIODRIVER="dummy")
        self.env.pop("XDG_DOCUMENTS_DIR", None)
        self.env.pop("XAUTHORITY", None)

    def close(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if self.server and self.server.poll() is None:
            self.server.terminate()
            self.server.wait()
        shutil.rmtree(self.root, ignore_errors=True)

    # --- the game process -----------------------------------------------------------------------

    def cpu(self):
        """The processor seconds the game has used so far, all its threads."""
        try:
            with open("/proc/%d/stat" % self.process.pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            return (int(fields[11]) + int(fields[12])) / TICKS
        except (OSError, IndexError, ValueError):
            return 0.0

    def deadline(self, timeout):
        timeout *= self.pace
        return time.monotonic() + timeout, self.cpu() + timeout * CPU_SHARE, time.monotonic() + timeout * 10

    def passed(self, deadline):
        """Whether a deadline is past; a game that gets no processor time at all (hung) still
        fails, at ten times the wall time."""
        wall, cpu, limit = deadline
        now = time.monotonic()
        return (now > wall and self.cpu() > cpu) or now > limit

    def launch(self):
        self.process = subprocess.Popen([self.executable], cwd=self.data, env=self.env,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        deadline = self.deadline(60)
        seen = "no window"
        while not self.passed(deadline):
            if self.process.poll() is not None:
                raise Failure("the game ended at start-up with %s: %s" % (self.process.returncode, self.output()))
            found = subprocess.run(["xdotool", "search", "--classname", "runegarden"],
                                   env=self.env, capture_output=True, text=True)
            ids = found.stdout.split()
            if ids:
                x, y, width, height = self.geometry(ids[-1])
                seen = "windows %s, the last %dx%d at %d, %d" % (ids, width, height, x, y)
                if width >= WIDTH:
                    self.origin, self.size = (x, y), (width, height)
                    self.window = ids[-1]
                    # No window manager gives it the keyboard: the game only reads keys with focus.
                    self.xdo("windowfocus", "--sync", self.window)
                    return
            time.sleep(0.2)
        raise Failure("no game window within 60 s (%s; %.1f processor s)" % (seen, self.cpu()))

    def geometry(self, window=None):
        """The window's x, y, width and height on the screen."""
        out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window or self.window],
                             env=self.env, capture_output=True, text=True).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return tuple(int(values.get(k, 0)) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def follow_window(self):
        """Takes the window's place and size anew (after a change to full screen or back)."""
        x, y, width, height = self.geometry()
        self.origin, self.size = (x, y), (width, height)

    def output(self):
        if self.process.stdout and self.process.poll() is not None:
            return self.process.stdout.read().decode(errors="replace")[-2000:]
        return ""

    def wait_exit(self, timeout):
        deadline = self.deadline(timeout)
        while self.process.poll() is None:
            if self.passed(deadline):
                raise Failure("the game did not end within %d s" % timeout)
            time.sleep(0.1)
        return self.process.returncode

    def alive(self):
        return self.process.poll() is None

    # --- input ----------------------------------------------------------------------------------

    def xdo(self, *args):
        result = subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, capture_output=True, text=True)
        if result.returncode != 0:
            raise Failure("xdotool %s: %s" % (" ".join(map(str, args)), result.stderr))

    def location(self):
        out = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=self.env, capture_output=True,
                             text=True).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"])

    def move(self, x, y):
        # Relative motion, as a real mouse makes: the game samples the pointer where the X server
        # reports raw motion, which an absolute (warping) move does not make.
        tx, ty = self.screen(x, y)
        for _ in range(4):
            cx, cy = self.location()
            if (cx, cy) == (tx, ty):
                return
            self.xdo("mousemove_relative", "--", tx - cx, ty - cy)

    def click(self, x, y):
        """Points there, then presses and releases the left button."""
        self.point(x, y)
        self.xdo("mousedown", 1)
        time.sleep(0.12)
        self.xdo("mouseup", 1)
        time.sleep(0.15)

    def screen(self, x, y):
        """A point given in the window's 1024 x 768 picture, on the screen: scaled to the window's size."""
        return (int(round(self.origin[0] + x * self.size[0] / WIDTH)),
                int(round(self.origin[1] + y * self.size[1] / HEIGHT)))

    def warp(self, x, y):
        """One absolute pointer move, as a script makes it: no relative motion, nothing held."""
        self.xdo("mousemove", *self.screen(x, y))

    def tap(self, x, y):
        """Points and clicks in one go, as a script does: the press and release back to back."""
        self.xdo("mousemove", *self.screen(x, y), "click", 1)

    def tap_key(self, name):
        """One key pressed and released back to back."""
        self.xdo("key", name)

    def point(self, x, y, timeout=4.0):
        """Moves the pointer and waits until the game draws its cursor there: the game takes in
        pointer motion later than buttons, so a press must wait for the pointer to arrive."""
        self.move(x, y)
        deadline = self.deadline(timeout)
        while not self.passed(deadline):
            if cursor_at(self.shot(), x, y):
                return True
            time.sleep(0.05)
        self.say("         (cursor not seen at %d, %d)" % (x, y))
        return False

    def key(self, name, hold=0.1):
        # The game polls the keyboard's state, so a key is held long enough for a poll to see it.
        self.xdo("keydown", name)
        time.sleep(hold)
        self.xdo("keyup", name)
        time.sleep(0.08)

    def type(self, text):
        for c in text:
            self.key(c.lower() if c.isalpha() else c)

    def stroke(self, points, step=0.06):
        """Draws one stroke with the left button held, at a hand's pace, released only once the
        game's cursor has reached the last point."""
        self.point(*points[0])
        self.xdo("mousedown", 1)
        time.sleep(0.15)
        # One xdotool run for the whole path: its pace does not depend on how fast the machine
        # starts programs.
        moves, (cx, cy) = [], self.screen(*points[0])
        for p in points[1:]:
            tx, ty = self.screen(*p)
            moves += ["mousemove_relative", "--", tx - cx, ty - cy, "sleep", step]
            cx, cy = tx, ty
        self.xdo(*moves)
        self.point(*points[-1])
        time.sleep(0.15)
        self.xdo("mouseup", 1)
        time.sleep(0.1)

    # --- seeing ---------------------------------------------------------------------------------

    def shot(self, name=None):
        data = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                              capture_output=True, check=True).stdout
        width, height, rgb = parse_ppm(data)
        x0, y0 = self.origin
        w, h = min(self.size[0], width - x0), min(self.size[1], height - y0)
        if (w, h) == (WIDTH, HEIGHT):
            rows = [rgb[((y0 + y) * width + x0) * 3:((y0 + y) * width + x0 + WIDTH) * 3] for y in range(HEIGHT)]
        else:
            # Another window size: the picture is scaled back to 1024 x 768, nearest pixel.
            columns = [(x0 + x * w // WIDTH) * 3 for x in range(WIDTH)]
            rows = []
            for y in range(HEIGHT):
                row = (y0 + y * h // HEIGHT) * width * 3
                rows.append(b"".join(rgb[row + c:row + c + 3] for c in columns))
        image = Shot(WIDTH, HEIGHT, b"".join(rows), name or "")
        if name and self.shots:
            self.count += 1
            image.save_png(os.path.join(self.shots, "%02d-%s.png" % (self.count, name)))
        return image

    def wait_for(self, name, check, timeout=30.0, interval=0.25, follow=False):
        """Polls screenshots until check(shot) holds; returns that shot or fails with the last one.
        With follow, each shot is taken where the window stands then, at its size then."""
        deadline = self.deadline(timeout)
        last = None
        while True:
            if not self.alive():
                raise Failure("the game ended (%s) while waiting for %s: %s" % (self.process.returncode, name, self.output()))
            if follow:
                self.follow_window()
            last = self.shot()
            if check(last):
                if self.shots:
                    self.count += 1
                    last.save_png(os.path.join(self.shots, "%02d-%s.png" % (self.count, name)))
                self.say("%6.1f s  seen: %s" % (time.monotonic() - self.started, name))
                return last
            if self.passed(deadline):
                if self.shots:
                    last.save_png(os.path.join(self.shots, "FAILED-%s.png" % name))
                raise Failure("not seen within %.0f s: %s" % (timeout, name))
            time.sleep(interval)


def run_outside(executable, data, shots, body):
    """Starts an X server, calls body(game) and cleans up. Returns the exit code of a test: 0, or
    1 on a failure, the tools missing among them: a test that cannot reach the game fails."""
    missing = [tool for tool in ("Xvfb", "xdotool", "import") if not shutil.which(tool)]
    if missing:
        print("FAILED: %s not installed (scripts/deps installs them)" % ", ".join(missing))
        return 1
    game = Game(os.path.abspath(executable), os.path.abspath(data), shots)
    try:
        game.start_server()
        body(game)
    except Failure as failure:
        print("FAILED: %s" % failure)
        return 1
    finally:
        game.close()
    return 0
