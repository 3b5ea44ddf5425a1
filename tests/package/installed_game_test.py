#!/usr/bin/python3
"""The Debian package as a player gets it.

The package is unpacked (dpkg-deb -x) into a scratch root that is then made
read-only. Its files are checked: dependencies, the stripped program, every
media file, the desktop entry (desktop-file-validate), the AppStream metadata
(appstreamcli validate), the icons and the manual page. Then the installed
game is started from that root as an ordinary user with a scratch home
folder, on a virtual X display, and played by keys as a person would:

  1. First start: full screen. F11 makes it a window; a resized window keeps
     the letterbox. Top menu, New Game, options, contestant setup, Start: the
     show begins; the in-game menu saves it; Quit, Yes: exit status 0.
  2. Second start: a window, as the player left it; the saved game is there
     (Load Game lists it); F11 and back; Quit: exit status 0.

The player's data folder then holds the seeded champions list and the saved
game, the settings folder the window choice, and nothing else was written
anywhere: not in the installed tree, not elsewhere in the home folder, not in
the folders every user may write to (/tmp and the like).

Run as root (the scripts do), it plays as the user "trivenza-test" (made when
missing); as anyone else, as that same user. Needs Xvfb, xdotool,
desktop-file-utils, appstream, python3-pil. Pictures of what the player saw
go to --out.
"""
import argparse
import glob
import gzip
import io
import os
import pwd
import shutil
import struct
import subprocess
import sys
import tempfile
import time

from PIL import Image, ImageChops, ImageGrab, ImageStat

TEST_USER = "trivenza-test"
SCREEN = (1024, 768)
STAGE = (800, 600)
PICTURE_KEY = (83, 13, 256)
MEDIA_KINDS = (".mm1", ".mm2", ".mm3", ".mm4", ".tza", ".tzd", ".tzq", ".tvq", ".html")
PLAYERS_FILES = ("vantoc.mm3", "error.log", "settings.ini")
WANTED_DEPENDS = ("libsdl2-2.0-0", "libsdl2-ttf-2.0-0", "libjpeg62-turbo", "libfontconfig1",
                  "fonts-liberation")
ICON_SIZES = (48, 64, 128, 256)

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


# --- The package's files ----------------------------------------------------------

def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def installed_program(root):
    for folder in ("usr/games", "usr/bin"):
        path = os.path.join(root, folder, "trivenza")
        if os.path.exists(path):
            return path
    return os.path.join(root, "usr/games/trivenza")


def check_files(deb, root, media_dir):
    fields = run(["dpkg-deb", "-f", deb, "Package", "Section", "Depends"]).stdout
    print(fields.strip(), flush=True)
    depends = fields.split("Depends:", 1)[-1]
    for name in WANTED_DEPENDS:
        check(name in depends, f"depends on {name}")
    usr = os.path.join(root, "usr")
    program = installed_program(root)
    check(program.endswith("usr/games/trivenza") and os.access(program, os.X_OK),
          "usr/games/trivenza is a program (games' programs go there)")
    sections = run(["readelf", "-S", "-W", program]).stdout
    check(".symtab" not in sections and ".debug_info" not in sections, "the program is stripped")

    share = os.path.join(usr, "share/trivenza")
    installed = set(os.listdir(share))
    media = {n for n in os.listdir(media_dir)
             if n.endswith(MEDIA_KINDS) and n not in PLAYERS_FILES
             and os.path.isfile(os.path.join(media_dir, n))}
    check(media and media <= installed, f"all {len(media)} media files of the game folder are installed"
          + ("" if media <= installed else f" (missing: {sorted(media - installed)[:5]})"))
    check("vantoc.mm3" in installed, "the champions list to seed players' lists is installed")
    strays = sorted(n for n in installed if not n.endswith(MEDIA_KINDS) or n.endswith(".tzs"))
    check(not strays, f"nothing but media in share/trivenza {strays[:5]}")

    desktop = os.path.join(usr, "share/applications/trivenza.desktop")
    result = run(["desktop-file-validate", desktop])
    check(result.returncode == 0 and not result.stdout.strip(),
          "desktop-file-validate: " + (result.stdout.strip() or "clean"))
    entry = open(desktop, encoding="utf-8").read()
    check("Categories=Game;" in entry and "Icon=trivenza" in entry and "Comment=" in entry,
          "the desktop entry is a game with the icon and a comment")
    metainfo = glob.glob(os.path.join(usr, "share/metainfo/*.metainfo.xml"))
    check(len(metainfo) == 1, "one AppStream metainfo file")
    for path in metainfo:
        result = run(["appstreamcli", "validate", "--no-net", "--pedantic", path])
        check(result.returncode == 0, "appstreamcli validate: " + " ".join(result.stdout.split()))
        text = open(path, encoding="utf-8").read()
        check("<description>" in text and "<screenshot" in text, "metainfo has a description and a screenshot")
    for size in ICON_SIZES:
        icon = os.path.join(usr, f"share/icons/hicolor/{size}x{size}/apps/trivenza.png")
        check(os.path.exists(icon) and png_size(icon) == (size, size), f"icon {size}x{size}")
    man = os.path.join(usr, "share/man/man6/trivenza.6.gz")
    page = gzip.open(man, "rt").read() if os.path.exists(man) else ""
    check(page.startswith(".TH TRIVENZA 6") and ".SH OPTIONS" in page and ".SH KEYS" in page
          and ".SH FILES" in page, "manual page trivenza(6) with options, keys and files")


def snapshot(root):
    """Every path below root with its kind, size and time of change."""
    seen = {}
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            st = os.lstat(path)
            seen[os.path.relpath(path, root)] = (st.st_mode, st.st_size, st.st_mtime_ns)
    return seen


def make_read_only(root):
    for folder, dirs, files in os.walk(root):
        for name in files + dirs:
            path = os.path.join(folder, name)
            if not os.path.islink(path):
                os.chmod(path, os.lstat(path).st_mode & 0o555)
    os.chmod(root, 0o555)


# --- The player and the display ---------------------------------------------------

def test_user():
    """uid and gid the game runs as."""
    if os.geteuid() != 0:
        return os.getuid(), os.getgid()
    try:
        user = pwd.getpwnam(TEST_USER)
    except KeyError:
        subprocess.run(["useradd", "--system", "--no-create-home", "--home-dir", "/nonexistent",
                        "--shell", "/usr/sbin/nologin", TEST_USER], check=True)
        user = pwd.getpwnam(TEST_USER)
    return user.pw_uid, user.pw_gid


class Display:
    """A virtual X display of its own (the first free number)."""

    def __init__(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                        f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
                                       pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read)
        self.name = ":" + number.decode().strip()

    def close(self):
        self.server.terminate()
        self.server.wait()

    def xdotool(self, *args):
        return run(["xdotool", *args], env={"DISPLAY": self.name, "PATH": "/usr/bin:/bin"})

    def grab(self):
        return ImageGrab.grab(xdisplay=self.name).convert("RGB")


class Game:
    """The installed game, started as the player."""

    def __init__(self, display, root, home, uid, gid, out, args=()):
        self.display = display
        self.out = out
        env = {"HOME": home, "DISPLAY": display.name, "SDL_AUDIODRIVER": "dummy",
               "PATH": "/usr/bin:/bin", "LANG": "C.UTF-8"}
        command = [installed_program(root), *args]
        if os.geteuid() == 0:
            command = ["setpriv", f"--reuid={uid}", f"--regid={gid}", "--clear-groups", "--", *command]
        self.stderr = open(os.path.join(out, "stderr.txt"), "a")
        self.process = subprocess.Popen(command, cwd=home, env=env, stdout=self.stderr, stderr=self.stderr)
        self.window = None
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline and self.process.poll() is None:
            found = display.xdotool("search", "--onlyvisible", "--name", "^Trivenza$").stdout.split()
            if found:
                self.window = found[0]
                break
            time.sleep(0.2)
        if not self.window:
            raise RuntimeError("the game's window did not appear")
        display.xdotool("mousemove", "0", "0")  # away from every button

    def geometry(self):
        out = self.display.xdotool("getwindowgeometry", "--shell", self.window).stdout
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def wait_for_size(self, size, seconds=10):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if self.geometry()[2:] == size:
                time.sleep(0.5)  # drawn at the new size
                return True
            time.sleep(0.2)
        return False

    def key(self, name):
        self.display.xdotool("windowfocus", "--sync", self.window)
        self.display.xdotool("key", "--delay", "60", name)

    def picture(self):
        """What the window shows, at its own size."""
        x, y, w, h = self.geometry()
        return self.display.grab().crop((x, y, x + w, y + h))

    def stage(self):
        """The 800x600 stage as shown (scaled back when the window is larger)."""
        shot = self.picture()
        scale = min(shot.width / STAGE[0], shot.height / STAGE[1])
        w, h = round(STAGE[0] * scale), round(STAGE[1] * scale)
        x, y = (shot.width - w) // 2, (shot.height - h) // 2
        stage = shot.crop((x, y, x + w, y + h))
        return stage if stage.size == STAGE else stage.resize(STAGE, Image.BILINEAR)

    def save(self, name, picture=None):
        (picture or self.picture()).save(os.path.join(self.out, name))

    def wait_until(self, test, seconds, what, every=None):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                break
            if test(self.stage()):
                return True
            if every:
                every()
            time.sleep(0.4)
        self.save("failed-" + what.replace(" ", "-") + ".png")
        return check(False, what)

    def wait_for_change(self, before, what, seconds=10):
        def changed(now):
            return difference(now, before) > 1.0
        if not self.wait_until(changed, seconds, what):
            return None
        # Settled: two looks alike.
        time.sleep(0.5)
        return self.stage()

    def ends(self, seconds=30):
        try:
            return self.process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None
        finally:
            self.stderr.close()


# --- Telling the screens apart -------------------------------------------------------

def check_pack_commands(root, home, uid, gid, media):
    """The pack writer's options on the installed copy, without a display."""
    command = [installed_program(root)]
    if os.geteuid() == 0:
        command = ["setpriv", f"--reuid={uid}", f"--regid={gid}", "--clear-groups", "--", *command]
    env = {"HOME": home, "PATH": "/usr/bin:/bin", "LANG": "C.UTF-8", "SDL_VIDEODRIVER": "none-such"}
    listed = run(command + ["--list-packs"], cwd=home, env=env)
    expected = "".join(f"400\t{title}\t{os.path.join(media, name)}\n" for title, name in
                       (("First Edition", "tvzd.tzd"), ("Second Edition", "second.tvq"), ("Third Edition", "third.tvq")))
    check(listed.returncode == 0 and listed.stdout == expected,
          "--list-packs lists the three installed editions: " + repr(listed.stdout + listed.stderr))
    checked = run(command + ["--check-pack", os.path.join(media, "third.tvq")], cwd=home, env=env)
    check(checked.returncode == 0 and "can be played: 400 questions" in checked.stdout,
          "--check-pack passes the installed third edition: " + repr(checked.stdout + checked.stderr))


def media_picture(media, name):
    data = bytearray(open(os.path.join(media, name), "rb").read())
    key, step, count = PICTURE_KEY
    for i in range(min(count, len(data))):
        data[i] = (data[i] + key) & 0xFF
        key = (key + step) & 0xFF
    return Image.open(io.BytesIO(bytes(data))).convert("RGB")


def difference(a, b, box=None):
    if box:
        a, b = a.crop(box), b.crop(box)
    return sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / 3


def orange_pixels(picture, box):
    region = picture.crop(box)
    return sum(1 for r, g, b in region.getdata() if r > 190 and 60 < g < 170 and b < 90)


def top_menu_on(backdrop):
    """The menu backdrop, and its entries in one orange column in the middle."""
    def test(stage):
        return (difference(stage, backdrop, (0, 0, 800, 60)) < 6
                and orange_pixels(stage, (300, 120, 500, 400)) > 800
                and orange_pixels(stage, (60, 120, 280, 460)) < 20)
    return test


def in_game_menu(stage):
    """The menu's orange frame around its grey panel, over the show."""
    r, g, b = stage.getpixel((266, 300))
    pr, pg, pb = stage.getpixel((290, 300))
    return r > 200 and 60 < g < 140 and b < 60 and abs(pr - 102) < 12 and abs(pg - 102) < 12


def letterboxed(picture):
    """A wider window than the stage: black bars left and right, the stage between."""
    w, h = picture.size
    bar = (w - round(STAGE[0] * h / STAGE[1])) // 2
    if bar < 20:
        return False
    left = picture.crop((0, 0, bar - 2, h))
    right = picture.crop((w - bar + 2, 0, w, h))
    middle = picture.crop((bar + 10, 10, w - bar - 10, h - 10))
    return (max(ImageStat.Stat(left).extrema[c][1] for c in range(3)) < 8
            and max(ImageStat.Stat(right).extrema[c][1] for c in range(3)) < 8
            and sum(ImageStat.Stat(middle).mean) > 30)


# --- The two starts ----------------------------------------------------------------

def first_start(display, root, home, uid, gid, out, media, data):
    game = Game(display, root, home, uid, gid, out)
    x, y, w, h = game.geometry()
    check((w, h) == SCREEN, f"first start: full screen ({w}x{h})")
    backdrop = media_picture(media, "cam3bknd.mm1")
    # Keys shorten the splashes; the top menu follows.
    if not game.wait_until(top_menu_on(backdrop), 60, "full screen: the top menu comes up",
                           every=lambda: game.key("x")):
        return game
    game.save("fullscreen-top-menu.png")
    game.key("F11")
    check(game.wait_for_size(STAGE), "F11: a window of 800x600")
    if not game.wait_until(top_menu_on(backdrop), 10, "the window shows the top menu"):
        return game
    game.save("window-top-menu.png")
    display.xdotool("windowsize", "--sync", game.window, "1000", "600")
    time.sleep(1.0)
    wide = game.picture()
    game.save("window-resized-letterbox.png", wide)
    check(wide.size == (1000, 600) and letterboxed(wide), "a resized window keeps the letterbox")
    display.xdotool("windowsize", "--sync", game.window, str(STAGE[0]), str(STAGE[1]))
    time.sleep(1.0)

    # New Game, the options as they are, the contestant as suggested, Start.
    screen = game.stage()
    for key, what in (("n", "New Game opens the options"), ("n", "Next opens contestant setup"),
                      ("s", "Start begins the show")):
        game.key(key)
        screen = game.wait_for_change(screen, what)
        if screen is None:
            return game
    game.save("show-opening.png")
    # The opening plays (the board comes up after about forty seconds); Esc
    # on the board opens the in-game menu. A scene that waits for the player
    # (the category, a cell to challenge, an answer with no clock) takes no
    # Esc: H, 1 and A answer it, and the board is back.
    def act():
        for key in ("h", "1", "a", "Escape"):
            game.key(key)
    if not game.wait_until(in_game_menu, 150, "the show reaches the board and its menu", every=act):
        return game
    game.save("in-game-menu.png")
    screen = game.stage()
    game.key("s")
    if game.wait_for_change(screen, "Save opens the saved games") is None:
        return game
    game.save("save-screen.png")
    game.key("Return")
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline and not glob.glob(os.path.join(data, "*.tzs")):
        time.sleep(0.3)
    check(len(glob.glob(os.path.join(data, "*.tzs"))) == 1, "the game is saved in the data folder")
    game.wait_until(in_game_menu, 10, "the in-game menu is back after saving")
    screen = game.stage()
    game.key("q")
    if game.wait_for_change(screen, "Quit asks first") is not None:
        game.save("quit-question.png")
        game.key("y")
    return game


def second_start(display, root, home, uid, gid, out, media):
    game = Game(display, root, home, uid, gid, out)
    check(game.geometry()[2:] == STAGE, "second start: a window, as the player left it")
    backdrop = media_picture(media, "cam3bknd.mm1")
    if not game.wait_until(top_menu_on(backdrop), 60, "the top menu comes up again",
                           every=lambda: game.key("x")):
        return game
    screen = game.stage()
    game.key("l")
    if game.wait_for_change(screen, "Load Game opens the saved games") is None:
        return game
    game.save("load-screen.png")
    # F11 works on any screen, this one too.
    game.key("F11")
    check(game.wait_for_size(SCREEN), "F11: full screen again")
    game.wait_until(lambda stage: difference(stage, backdrop, (0, 0, 800, 60)) < 8, 5,
                    "full screen shows the whole stage")
    game.save("fullscreen-load-screen.png")
    game.key("Escape")
    if not game.wait_until(top_menu_on(backdrop), 10, "Esc goes back to the top menu, full screen"):
        return game
    game.key("alt+Return")
    check(game.wait_for_size(STAGE), "Alt+Enter: a window again")
    if game.wait_until(top_menu_on(backdrop), 10, "the top menu survives the switches"):
        game.key("q")
    return game


# Where a user of its own may write, besides what the test gives it: the
# folders every user may write to.
SHARED_FOLDERS = ("/tmp", "/var/tmp", "/dev/shm", "/run/lock", "/dev/mqueue")


def owned_files_since(uid, marker, roots):
    """Files the player owns that changed since the marker, below the roots."""
    found = []
    for top in roots:
        if os.path.isdir(top):
            result = run(["find", top, "-xdev", "-user", str(uid), "-newer", marker, "-print"])
            found += [p for p in result.stdout.split("\n") if p]
    return sorted(set(found))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--deb-dir", required=True, help="folder with the trivenza_*.deb to test")
    ap.add_argument("--media-dir", required=True, help="the game folder the package was made from")
    ap.add_argument("--out", required=True, help="folder for the pictures and the game's output")
    ap.add_argument("--keep", action="store_true", help="keep the scratch folder")
    args = ap.parse_args()

    debs = sorted(glob.glob(os.path.join(args.deb_dir, "trivenza_*.deb")), key=os.path.getmtime)
    if not debs:
        print(f"no trivenza_*.deb in {args.deb_dir}: make it with ./scripts/package", file=sys.stderr)
        return 1
    deb = debs[-1]
    print("package:", deb)
    shutil.rmtree(args.out, ignore_errors=True)
    os.makedirs(args.out)
    uid, gid = test_user()
    scratch = tempfile.mkdtemp(prefix="trivenza-package-")
    os.chmod(scratch, 0o755)
    display = None
    try:
        root = os.path.join(scratch, "root")
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        check_files(deb, root, args.media_dir)
        make_read_only(root)
        installed = snapshot(root)
        home = os.path.join(scratch, "home")
        os.mkdir(home, 0o700)
        os.chown(home, uid, gid)
        marker = os.path.join(scratch, "marker")
        open(marker, "w").close()
        time.sleep(0.05)
        data = os.path.join(home, ".local/share/trivenza")
        config = os.path.join(home, ".config/trivenza")
        media = os.path.join(root, "usr/share/trivenza")

        display = Display()
        game = first_start(display, root, home, uid, gid, args.out, media, data)
        status = game.ends()
        check(status == 0, f"first start ends with status 0 ({status})")
        saved = glob.glob(os.path.join(data, "*.tzs"))
        check(len(saved) == 1 and os.path.getsize(saved[0]) == 988, "one saved game of 988 bytes")
        seeded = os.path.join(data, "vantoc.mm3")
        check(os.path.exists(seeded) and open(seeded, "rb").read() == open(os.path.join(media, "vantoc.mm3"), "rb").read(),
              "the champions list is seeded from the installed one")
        settings = os.path.join(config, "settings.ini")
        check(os.path.exists(settings) and "window=windowed" in open(settings).read(),
              "the window choice is remembered in the settings folder")

        game = second_start(display, root, home, uid, gid, args.out, media)
        status = game.ends()
        check(status == 0, f"second start ends with status 0 ({status})")
        log = os.path.join(data, "error.log")
        check(not os.path.exists(log) or os.path.getsize(log) == 0,
              "no failure was logged" + ("" if not os.path.exists(log) else ": " + open(log).read()))

        check_pack_commands(root, home, uid, gid, media)

        check(snapshot(root) == installed, "the installed tree is unchanged")
        allowed = {home, os.path.join(home, ".local"), os.path.join(home, ".local/share"),
                   os.path.join(home, ".config")}
        # As root the player is a user of its own, who owns nothing else;
        # otherwise it is the user running the test, whose other files are
        # none of the test's business.
        roots = SHARED_FOLDERS if os.geteuid() == 0 else (scratch,)
        written = [p for p in owned_files_since(uid, marker, roots)
                   if p not in allowed and not p.startswith((data + "/", config + "/"))
                   and p not in (data, config)]
        check(not written, "nothing written outside the player's data and settings folders"
              + ("" if not written else f": {written[:10]}"))
    finally:
        if display:
            display.close()
        if args.keep:
            print("kept:", scratch)
        else:
            for folder, dirs, _ in os.walk(scratch):
                for name in dirs:
                    path = os.path.join(folder, name)
                    if not os.path.islink(path):
                        os.chmod(path, 0o755)
            os.chmod(scratch, 0o755)
            shutil.rmtree(scratch, ignore_errors=True)
    stderr = open(os.path.join(args.out, "stderr.txt")).read() if os.path.exists(os.path.join(args.out, "stderr.txt")) else ""
    if stderr.strip():
        print("the game's output:\n" + stderr)
    print(f"{len(failures)} failed" if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
