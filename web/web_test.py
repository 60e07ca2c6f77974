#!/usr/bin/python3
"""The browser build against the desktop game, key for key.

Plays a key script in headless Chromium on the page served from build-web/,
and the same script in the desktop game (--headless, same seed); every `shot`
of the script is compared pixel for pixel. The script may hold two lines the
desktop does not know:
  reload       the page is reloaded (the desktop game is started anew in the
               same folder), so what follows plays on what the browser kept;
  slot N       the browser's save slot N must hold the same bytes as the
               desktop game's (Res/Save/saveN.ksv).
Also measures the first title frame after the page load and the time each key
takes, and writes the figures to WEB/test/figures.txt.
"""
import argparse
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cdp  # noqa: E402

SEED = 1
# Pixels that may differ per shot: a tenth of a percent of the picture. The
# cut faces give the desktop's FreeType the very glyphs the whole faces do;
# the page's FreeType, the same source built for wasm32 (where a long has 32
# bits), draws the edges of some characters a shade apart: up to a few hundred
# pixels on a screen full of text, the pictures and the layout exactly alike.
TOLERANCE = 480
KEYS = {  # script word: (DOM key, DOM code, Windows virtual-key code)
    "RETURN": ("Enter", "Enter", 13), "ESC": ("Escape", "Escape", 27), "SPACE": (" ", "Space", 32),
    "HOME": ("Home", "Home", 36), "UP": ("ArrowUp", "ArrowUp", 38), "DOWN": ("ArrowDown", "ArrowDown", 40),
    "LEFT": ("ArrowLeft", "ArrowLeft", 37), "RIGHT": ("ArrowRight", "ArrowRight", 39), "TAB": ("Tab", "Tab", 9),
}
for n in range(1, 13):
    KEYS["F%d" % n] = ("F%d" % n, "F%d" % n, 111 + n)


class Failure(Exception):
    pass


# ------------------------------------------------------------------ the script

def read_script(path):
    steps = []
    with open(path) as f:
        for raw in f:
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            word = line.split()
            if word[0] == "shot":
                steps.append(("shot", word[1]))
            elif word[0] == "reload":
                steps.append(("reload", None))
            elif word[0] == "slot":
                steps.append(("slot", int(word[1])))
            elif word[0] == "CLICK" and len(word) == 3:
                steps.append(("click", (int(word[1]), int(word[2]))))
            elif word[0] in KEYS:
                steps.append(("key", word[0]))
            else:
                raise Failure("%s: cannot read %r" % (path, line))
    return steps


def desktop_parts(steps):
    """The script as the desktop game's key scripts, one per start of the game."""
    parts, lines = [], []
    for kind, value in steps:
        if kind == "reload":
            parts.append(lines)
            lines = []
        elif kind == "shot":
            lines.append("shot " + value)
        elif kind == "key":
            lines.append(value)
        elif kind == "click":
            lines.append("CLICK %d %d" % value)
    parts.append(lines)
    return parts


# ------------------------------------------------------------------ the desktop game

def run_desktop(build, steps, work):
    """Plays the script in the desktop game in a folder of its own; returns the
    folder of shots, the folder of its Res/ and the seconds each start took."""
    game = os.path.realpath(os.path.join(build, "kestrelmoor"))
    res_src = os.path.realpath(os.path.join(build, "Res"))
    folder = os.path.join(work, "desktop")
    res = os.path.join(folder, "Res")
    os.makedirs(os.path.join(res, "Save"))
    os.makedirs(os.path.join(res, "Log", "Err"))
    for name in os.listdir(res_src):
        if name in ("Save", "Log", "startup.ini", "tmp.ktp"):
            continue
        os.symlink(os.path.join(res_src, name), os.path.join(res, name))
    shutil.copy(os.path.join(res_src, "startup.ini"), os.path.join(res, "startup.ini"))
    shots = os.path.join(work, "desktop-shots")
    os.makedirs(shots)
    seconds = []
    for i, lines in enumerate(desktop_parts(steps)):
        script = os.path.join(work, "part%d.keys" % i)
        with open(script, "w") as f:
            f.write("\n".join(lines) + "\n")
        start = time.monotonic()
        done = subprocess.run([game, "--headless", "--seed", str(SEED), "--keys", script, "--shots", shots],
                              cwd=folder, capture_output=True, text=True)
        seconds.append(time.monotonic() - start)
        if done.returncode != 0:
            raise Failure("the desktop game failed on part %d: %s" % (i, done.stderr[-2000:]))
    return shots, res, seconds


# ------------------------------------------------------------------ the browser

class Browser:
    def __init__(self, work):
        self.profile = os.path.join(work, "chromium-profile")
        chromium = shutil.which("chromium") or shutil.which("chromium-browser")
        if not chromium:
            raise Failure("no chromium (scripts/install-web-deps.sh installs it)")
        self.process = subprocess.Popen(
            [chromium, "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--no-default-browser-check", "--disable-extensions", "--disable-background-networking",
             # A headless page may count as hidden, and a hidden page's timers
             # are slowed to one a second: every yield of the game's delays
             # would then take a second. A container's small /dev/shm can
             # starve the renderer of shared memory.
             "--disable-background-timer-throttling", "--disable-renderer-backgrounding",
             "--disable-backgrounding-occluded-windows", "--disable-dev-shm-usage",
             "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0",
             "--user-data-dir=" + self.profile, "--window-size=1280,800", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.monotonic() + 60
        while not os.path.exists(port_file) or os.path.getsize(port_file) == 0:
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise Failure("chromium did not start")
            time.sleep(0.1)
        time.sleep(0.2)
        port = int(open(port_file).read().split()[0])
        pages = json.load(urllib.request.urlopen("http://127.0.0.1:%d/json/list" % port))
        page = next(p for p in pages if p.get("type") == "page")
        self.page = cdp.Connection(page["webSocketDebuggerUrl"])
        self.page.call("Page.enable")
        self.page.call("Runtime.enable")
        self.page.call("Emulation.setFocusEmulationEnabled", enabled=True)

    def close(self):
        self.page.close()
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()

    def state(self):
        return self.page.evaluate(
            "(function(){var k=window.Module&&Module.kestrel;if(!k)return null;"
            "return {waiting:k.isWaiting,keys:k.keysTaken,syncs:k.syncs,busy:k.busy(),first:k.firstFrameMs,"
            "slept:k.sleptMs,ticks:k.gameTicks,pageMs:Math.round(performance.now()),fetched:k.fetched.slice()};})()")

    def wait_for(self, test, what, timeout=120):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            s = self.state()
            if s and test(s):
                return s
            time.sleep(0.02)
        errors = [e for e in self.page.events if e.get("method") in ("Runtime.exceptionThrown", "Runtime.consoleAPICalled")]
        raise Failure("timed out waiting for %s; last state %s; console %s" % (what, self.state(), json.dumps(errors[-5:])[:3000]))

    def open(self, url):
        start = time.monotonic()
        self.page.call("Page.navigate", url=url)
        s = self.wait_for(lambda s: s["waiting"], "the title")
        return s, time.monotonic() - start

    def reload(self):
        start = time.monotonic()
        self.page.call("Page.reload", ignoreCache=False)
        time.sleep(0.2)
        s = self.wait_for(lambda s: s["waiting"] and s["keys"] == 0, "the title after the reload")
        return s, time.monotonic() - start

    def press(self, word):
        key, code, vk = KEYS[word]
        before = self.state()
        start = time.monotonic()
        slept0 = before["slept"]
        for kind in ("keyDown", "keyUp"):
            self.page.call("Input.dispatchKeyEvent", type=kind, key=key, code=code, windowsVirtualKeyCode=vk,
                           nativeVirtualKeyCode=vk)
        s = self.wait_for(lambda s: s["keys"] > before["keys"] and s["waiting"], "the game to take " + word)
        wall = time.monotonic() - start
        return wall, wall - (s["slept"] - slept0) / 1000.0

    def click(self, x, y):
        """A left click on the logical point (x, y) of the picture, wherever the page shows it."""
        box = json.loads(self.page.evaluate(
            "JSON.stringify(document.getElementById('canvas').getBoundingClientRect())"))
        px = box["left"] + (x + 0.5) * box["width"] / 800.0
        py = box["top"] + (y + 0.5) * box["height"] / 600.0
        before = self.state()
        start = time.monotonic()
        slept0 = before["slept"]
        self.page.call("Input.dispatchMouseEvent", type="mouseMoved", x=px, y=py)
        for kind in ("mousePressed", "mouseReleased"):
            self.page.call("Input.dispatchMouseEvent", type=kind, x=px, y=py, button="left", clickCount=1)
        s = self.wait_for(lambda s: s["keys"] > before["keys"] and s["waiting"], "the game to take a click")
        wall = time.monotonic() - start
        return wall, wall - (s["slept"] - slept0) / 1000.0

    def differing_pixels(self, png):
        """How many pixels of the canvas differ from the PNG (None: another size)."""
        return self.page.evaluate("""(async function () {
          var img = new Image();
          img.src = 'data:image/png;base64,PNG';
          await img.decode();
          var game = document.getElementById('canvas');
          if (img.width !== game.width || img.height !== game.height) return null;
          function pixels(source) {
            var c = document.createElement('canvas');
            c.width = source.width; c.height = source.height;
            var g = c.getContext('2d');
            g.drawImage(source, 0, 0);
            return g.getImageData(0, 0, c.width, c.height).data;
          }
          var a = pixels(img), b = pixels(game), n = 0, box = [1e9, 1e9, -1, -1];
          for (var i = 0; i < a.length; i += 4) {
            if (a[i] === b[i] && a[i + 1] === b[i + 1] && a[i + 2] === b[i + 2]) continue;
            ++n;
            var x = (i / 4) % img.width, y = Math.floor(i / 4 / img.width);
            box = [Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x), Math.max(box[3], y)];
          }
          return [n, box];
        })()""".replace("PNG", base64.b64encode(png).decode()), await_promise=True)

    def canvas_png(self):
        url = self.page.evaluate("document.getElementById('canvas').toDataURL('image/png')")
        return base64.b64decode(url.split(",", 1)[1])

    def page_png(self):
        return base64.b64decode(self.page.call("Page.captureScreenshot", format="png")["data"])

    def slot(self, n):
        data = self.page.evaluate("(function(){try{return Array.from(FS.readFile('/persist/Save/save%d.ksv'))}"
                                  "catch(e){return null}})()" % n)
        return None if data is None else bytes(data)


def start_server(web):
    server = subprocess.Popen([sys.executable, os.path.join(os.path.dirname(__file__), "serve.py"), web,
                               "--port", "0"], stdout=subprocess.PIPE, text=True)
    line = server.stdout.readline()
    if not line.startswith("serving "):
        server.kill()
        raise Failure("the static server did not start")
    return server, line.split()[1]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--web", default="build-web")
    parser.add_argument("--keys", default="web/campaign.keys")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    parser.add_argument("--budget-report-only", action="store_true",
                        help="report the timing budget's figures without failing on them (another machine's load)")
    args = parser.parse_args()
    steps = read_script(args.keys)
    out = os.path.join(args.web, "test")
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    work = tempfile.mkdtemp(prefix="kestrel-web-test-")
    passed, failed, figures = 0, 0, []

    def check(ok, what, budget=False):
        nonlocal passed, failed
        if budget and args.budget_report_only:
            print("%s %s (timing, reported only)" % ("ok  " if ok else "OVER", what), flush=True)
            return
        if ok:
            passed += 1
        else:
            failed += 1
        print("%s %s" % ("ok  " if ok else "FAIL", what), flush=True)

    server = browser = None
    try:
        shots, desktop_res, desktop_seconds = run_desktop(args.build, steps, work)
        server, url = start_server(args.web)
        browser = Browser(work)
        figures.append("browser: %s" % browser.page.evaluate("navigator.userAgent"))
        state, load_s = browser.open(url + "?seed=%d" % SEED)
        figures.append("page load to the title, waiting for keys: %.2f s (first frame shown at %.2f s)"
                       % (load_s, state["first"] / 1000.0))
        check(load_s < 5.0, "the title is up %.2f s after the page load (under 5 s)" % load_s, budget=True)
        keys, busy_total, slowest = 0, 0.0, (0.0, "")
        for i, (kind, value) in enumerate(steps):
            if kind in ("key", "click"):
                wall, busy = browser.press(value) if kind == "key" else browser.click(*value)
                keys += 1
                busy_total += busy
                if busy > slowest[0]:
                    slowest = (busy, "%s (step %d)" % (value, i + 1))
            elif kind == "shot":
                png = browser.canvas_png()
                with open(os.path.join(out, value), "wb") as f:
                    f.write(png)
                with open(os.path.join(shots, value), "rb") as f:
                    want = f.read()
                diff = browser.differing_pixels(want)
                where = "" if not diff or not diff[0] else " (within %d,%d to %d,%d)" % tuple(diff[1])
                check(diff is not None and diff[0] <= TOLERANCE, "%s: %s pixels differ from the desktop game's%s"
                      % (value, "all" if diff is None else diff[0], where))
                if value == "map.png":
                    with open(os.path.join(out, "page-map.png"), "wb") as f:
                        f.write(browser.page_png())
            elif kind == "reload":
                browser.wait_for(lambda s: not s["busy"], "the files to reach the browser's storage")
                state, reload_s = browser.reload()
                figures.append("reload to the title: %.2f s" % reload_s)
            elif kind == "slot":
                got = browser.slot(value)
                path = os.path.join(desktop_res, "Save", "save%d.ksv" % value)
                want = open(path, "rb").read() if os.path.exists(path) else None
                check(got is not None and got == want,
                      "save slot %d kept by the browser, the same bytes as the desktop game's" % value)
        # Keys belong to the game only while its canvas has the focus.
        before = browser.state()["keys"]
        browser.page.evaluate("document.getElementById('canvas').blur()")
        for kind in ("keyDown", "keyUp"):
            browser.page.call("Input.dispatchKeyEvent", type=kind, key="ArrowDown", code="ArrowDown",
                              windowsVirtualKeyCode=40, nativeVirtualKeyCode=40)
        time.sleep(0.5)
        check(browser.state()["keys"] == before, "a key pressed while the canvas has no focus stays with the page")
        browser.page.evaluate("document.getElementById('canvas').focus()")
        # A late file comes from the server whole, as resgen wrote it.
        late = json.loads(browser.page.evaluate("JSON.stringify(Object.keys(Module.kestrelLate))"))
        if late:
            name = sorted(late)[0]
            got = browser.page.evaluate("Module.kestrel.fetchLate('%s').then(function (ok) {"
                                        "return ok ? Array.from(FS.readFile('/game/%s').subarray(0, 4096)).concat("
                                        "[FS.stat('/game/%s').size]) : null; })" % (name, name, name),
                                        await_promise=True)
            path = os.path.join(args.build, name)
            want = open(path, "rb").read()
            check(got is not None and bytes(got[:-1]) == want[:4096] and got[-1] == len(want),
                  "the late file %s fetched on demand, as resgen wrote it" % name)
        state = browser.state()
        figures.append("keys: %d, busy time (without the game's designed delays) %.2f s in all, slowest %s %.3f s"
                       % (keys, busy_total, slowest[1], slowest[0]))
        figures.append("desktop game, the same script headless (each start included): %s s"
                       % " + ".join("%.2f" % s for s in desktop_seconds))
        figures.append("late files fetched: %s" % (", ".join(state["fetched"]) or "none"))
        ratio = busy_total / max(sum(desktop_seconds), 1e-3)
        figures.append("browser busy time / desktop time: %.2f" % ratio)
        check(ratio <= 3.0, "the keys take %.2f times the desktop game's time (at most 3)" % ratio, budget=True)
    except (Failure, cdp.DevToolsError) as error:
        failed += 1
        print("FAIL %s" % error, flush=True)
    finally:
        if browser:
            browser.close()
        if server:
            server.terminate()
            server.wait()
        if args.keep:
            print("work folder: " + work)
        else:
            shutil.rmtree(work, ignore_errors=True)
    with open(os.path.join(out, "figures.txt"), "w") as f:
        f.write("\n".join(figures) + "\n")
    for line in figures:
        print("  " + line)
    print("web-test: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
