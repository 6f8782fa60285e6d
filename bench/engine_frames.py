#!/usr/bin/env python3
"""The saver on the page engine against Debian's chromium showing the same page in its own X11
window, on the same private display, one after the other in the same run:

  frames    frames that reach the screen (a pixel of the page's frame counter read through X
            a few hundred times a second; every change is a frame) and CPU of every process
            involved, for a page that repaints every animation frame and a live dashboard of
            four echarts charts, at each size asked for
  idle      CPU over a minute on static pages (five monitors), and a bare 10 ms timer program's
  startup   process start to the first frame of the page on every monitor, one and five

Usage: engine_frames.py BUILD_DIR WORK_DIR [frames] [idle] [startup]
  KELPA_FRAME_SIZES (default "1280x720 1920x1080 5x1280x720 5x1920x1080": one monitor, or
  five side by side, each showing the page), KELPA_FRAME_SECONDS (default 20),
  KELPA_IDLE_SECONDS (default 60), KELPA_IDLE_MONITORS (default 5). Start-up runs on one
  monitor and on five.
Needs /usr/bin/python3 with Debian's python3-xlib, chromium and npm (for `npm pack echarts`).
Run from scripts/bench (which sets WINEPREFIX and friends for a throw-away prefix)."""
import glob
import os
import shutil
import subprocess
import sys
import tarfile
import time

from Xlib import X, display as xdisplay

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
CHROMIUM = "/usr/bin/chromium"
TICK = os.sysconf("SC_CLK_TCK")
# The counter: a square at the page's top left that takes another colour on every frame.
PROBE = (24, 24)
READ_GAP = 0.003
DEFAULT_LAYOUTS = "1280x720 1920x1080 5x1280x720 5x1920x1080"

COUNTER_SCRIPT = """
<div id="counter" style="position:fixed;left:0;top:0;width:48px;height:48px;z-index:9"></div>
<script>
const colours = ['#ff0000', '#00ff00', '#0000ff', '#ffff00', '#ff00ff', '#00ffff', '#ffffff', '#000000'];
let frame = 0;
const counter = document.getElementById('counter');
(function tick() { counter.style.background = colours[frame++ % colours.length]; requestAnimationFrame(tick); })();
</script>"""

COUNTER_PAGE = "<!doctype html><title>Frames</title><body style='margin:0;background:#223'>" + COUNTER_SCRIPT

DASHBOARD_PAGE = """<!doctype html><title>Dashboard</title>
<style>body{margin:0;background:#111;display:grid;grid-template:1fr 1fr/1fr 1fr;height:100vh}
div.c{min-width:0;min-height:0}</style>
<body><div class=c id=a></div><div class=c id=b></div><div class=c id=c></div><div class=c id=d></div>
<script src="echarts.min.js"></script>
<script>
const charts = ['a', 'b', 'c', 'd'].map(id => echarts.init(document.getElementById(id), 'dark'));
const points = n => Array.from({length: n}, (_, i) => Math.round(50 + 40 * Math.sin(i / 3 + Math.random())));
const names = Array.from({length: 30}, (_, i) => 't' + i);
charts[0].setOption({animationDurationUpdate: 900, xAxis: {data: names}, yAxis: {}, series: [{type: 'line', smooth: true, data: points(30)}]});
charts[1].setOption({animationDurationUpdate: 900, xAxis: {data: names.slice(0, 12)}, yAxis: {}, series: [{type: 'bar', data: points(12)}]});
charts[2].setOption({animationDurationUpdate: 900, series: [{type: 'pie', radius: ['35%', '70%'], data: points(6).map((v, i) => ({name: 'p' + i, value: v}))}]});
charts[3].setOption({animationDurationUpdate: 900, series: [{type: 'gauge', data: [{value: 50}]}]});
setInterval(() => {
  charts[0].setOption({series: [{data: points(30)}]});
  charts[1].setOption({series: [{data: points(12)}]});
  charts[2].setOption({series: [{data: points(6).map((v, i) => ({name: 'p' + i, value: v}))}]});
  charts[3].setOption({series: [{data: [{value: Math.round(Math.random() * 100)}]}]});
}, 1000);
</script>""" + COUNTER_SCRIPT

STATIC_PAGE = ("<!doctype html><title>Static</title><body style='margin:0;background:#3366cc;font:40px sans-serif'>"
               "A static page</body>")
STATIC_RGB = (0x33, 0x66, 0xcc)


def quiet(*args, **kw):
    return subprocess.run(args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)


def free_display(first):
    n = first
    while os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
        n += 1
    return ":%d" % n


class Screen:
    """A private display of one monitor (Xvfb), or of several side by side (a nested Xephyr
    with Xinerama on an Xvfb, which is how Wine sees several), and a reader of one pixel of
    each monitor."""

    def __init__(self, width, height, monitors=1):
        self.width, self.height, self.monitors = width, height, monitors
        self.servers = []
        host = self.start(["Xvfb"], "%dx%dx24" % (width * monitors, height))
        if monitors > 1:
            screens = sum((["-screen", "%dx%d+%d+0" % (width, height, i * width)] for i in range(monitors)), [])
            os.environ["DISPLAY"] = host
            self.start(["Xephyr", "-ac", "+xinerama"] + screens, None)
        self.x = xdisplay.Display(self.name)
        self.root = self.x.screen().root

    def start(self, command, geometry):
        self.name = free_display(200 + os.getpid() % 50)
        args = command[:1] + [self.name] + command[1:]
        if geometry:
            args += ["-screen", "0", geometry]
        self.servers.append(subprocess.Popen(args + ["-nolisten", "tcp"], stdout=subprocess.DEVNULL,
                                             stderr=subprocess.DEVNULL))
        for _ in range(100):
            if quiet("xdpyinfo", env=dict(os.environ, DISPLAY=self.name)).returncode == 0:
                break
            time.sleep(0.1)
        else:
            sys.exit("%s did not start" % command[0])
        os.environ["DISPLAY"] = self.name
        time.sleep(0.5)
        return self.name

    def pixel(self, monitor=0):
        data = self.root.get_image(PROBE[0] + monitor * self.width, PROBE[1], 1, 1, X.ZPixmap, 0xFFFFFFFF).data
        return (data[2], data[1], data[0])

    def count_frames(self, seconds):
        """Changes of every monitor's probe, read every READ_GAP: often enough for a frame every
        16 ms, rarely enough that the reader does not take a core from what it measures."""
        changes, reads = 0, 0
        last = [self.pixel(m) for m in range(self.monitors)]
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            for m in range(self.monitors):
                now = self.pixel(m)
                if now != last[m]:
                    changes += 1
                    last[m] = now
            reads += 1
            time.sleep(READ_GAP)
        return changes / self.monitors, reads

    def wait_for(self, rgb, timeout, start):
        """Seconds from start until every monitor's probe shows about that colour (a JPEG frame
        is near it)."""
        end = start + timeout
        waiting = set(range(self.monitors))
        while time.monotonic() < end:
            waiting = {m for m in waiting if not all(abs(a - b) <= 12 for a, b in zip(self.pixel(m), rgb))}
            if not waiting:
                return time.monotonic() - start
            time.sleep(0.002)
        return None

    def server_ticks(self):
        return sum(ticks([s.pid for s in self.servers]).values())

    def close(self):
        self.x.close()
        for server in reversed(self.servers):
            server.terminate()
            server.wait()


def processes(predicate):
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                cmd = f.read().replace(b"\0", b" ").decode(errors="replace")
            with open("/proc/%s/environ" % entry, "rb") as f:
                env = f.read()
        except OSError:
            continue
        if predicate(cmd, env):
            found.append(int(entry))
    return found


def ticks(pids):
    out = {}
    for pid in pids:
        try:
            with open("/proc/%d/stat" % pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            out[pid] = int(fields[11]) + int(fields[12])
        except OSError:
            pass
    return out


def cpu_seconds(find, measure):
    """CPU seconds of every process find() names while measure() runs (processes that appear
    meanwhile count from their start)."""
    before = ticks(find())
    result = measure()
    after = ticks(find())
    spent = sum(t - before.get(pid, 0) for pid, t in after.items())
    return spent / TICK, len(after), result


def prefix_processes():
    marker = ("WINEPREFIX=" + os.environ["WINEPREFIX"]).encode()
    return processes(lambda cmd, env: marker in env.split(b"\0"))


def stat_fields(pid):
    with open("/proc/%d/stat" % pid) as f:
        return f.read().rsplit(")", 1)[1].split()


def groups_of(pids):
    """Every process in the process groups of these (an engine's helpers do not name its
    profile on their command lines)."""
    groups = set()
    for pid in pids:
        try:
            groups.add(int(stat_fields(pid)[2]))
        except OSError:
            pass
    found = []
    for entry in os.listdir("/proc"):
        try:
            if entry.isdigit() and int(stat_fields(int(entry))[2]) in groups:
                found.append(int(entry))
        except OSError:
            pass
    return found


def saver_processes(work):
    """The prefix's processes (program, wineserver, Wine's own services) and the engine's."""
    marker = ("WINEPREFIX=" + os.environ["WINEPREFIX"]).encode()
    engine = groups_of(processes(lambda cmd, env: work in cmd and "chromium" in cmd))
    return sorted(set(processes(lambda cmd, env: marker in env.split(b"\0")) + engine))


def write_settings(url, monitors):
    out = subprocess.run([WINE, "cmd", "/c", "echo %APPDATA%"], stdin=subprocess.DEVNULL,
                         capture_output=True, text=True).stdout.strip()
    folder = subprocess.run([WINE, "winepath", "-u", out], stdin=subprocess.DEVNULL,
                            capture_output=True, text=True).stdout.strip()
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "KelpaScreenSaver.INI"), "w", newline="") as f:
        f.write("[Config]\r\nDisplayDelay=1000\r\nRotateDelay=3600000\r\n")
        for n in range(1, monitors + 1):
            f.write("ScreenURL%d=%s\r\n" % (n, url))


class Saver:
    def __init__(self, build, work, page, screen):
        # The program's own scheme: the engine, a Linux program, cannot read a Windows path.
        write_settings("local://z" + page, screen.monitors)
        # A folder of its own, so its cache folder (and so its engine) is found by name.
        self.work = os.path.join(work, "saver-%d" % time.monotonic_ns())
        shutil.copytree(os.path.join(build, "bin"), self.work)
        self.started = time.monotonic()
        self.process = subprocess.Popen([WINE, "KelpaScreenSaver.scr", "/S"], cwd=self.work, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def find(self):
        return saver_processes(self.work)

    def stop(self):
        self.process.kill()
        self.process.wait()
        quiet(WINESERVER, "-k")
        time.sleep(3)  # the engine's watchdog ends it
        for pid in processes(lambda cmd, env: self.work in cmd):
            try:
                os.kill(pid, 9)
            except OSError:
                pass
        quiet(WINESERVER, "-p")
        quiet(WINE, "cmd", "/c", "exit")


class Chromium:
    """One browser: a kiosk window on one monitor, an app window on each of several."""

    def __init__(self, work, page, screen):
        self.profile = os.path.join(work, "chromium-%d" % time.monotonic_ns())
        self.started = time.monotonic()
        common = [CHROMIUM, "--no-sandbox", "--user-data-dir=" + self.profile, "--no-first-run", "--disable-gpu",
                  "--window-size=%d,%d" % (screen.width, screen.height)]
        url = "file://" + page
        windows = [["--kiosk", url]] if screen.monitors == 1 else [["--app=" + url]] * screen.monitors
        for m, window in enumerate(windows):
            # The first starts the browser; the others hand their window to it and end.
            launched = subprocess.Popen(common + ["--window-position=%d,0" % (m * screen.width)] + window,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=m == 0)
            if m == 0:
                self.process = launched
                for _ in range(200 if screen.monitors > 1 else 0):
                    if os.path.exists(os.path.join(self.profile, "SingletonSocket")):
                        break
                    time.sleep(0.01)
            else:
                launched.wait()

    def find(self):
        return groups_of([self.process.pid])

    def stop(self):
        try:
            os.killpg(self.process.pid, 15)
        except OSError:
            pass
        self.process.wait()
        time.sleep(1)


def pages(work):
    folder = os.path.join(work, "pages")
    os.makedirs(folder, exist_ok=True)
    # The charting library, fetched for this run only (never part of the repository).
    scratch = os.path.join(work, "npm")
    os.makedirs(scratch, exist_ok=True)
    quiet("npm", "pack", "echarts@6", "--silent", cwd=scratch)
    packs = glob.glob(os.path.join(scratch, "echarts-*.tgz"))
    if not packs:
        sys.exit("npm pack echarts@6 failed")
    with tarfile.open(packs[0]) as pack:
        source = pack.extractfile("package/dist/echarts.min.js").read()
    with open(os.path.join(folder, "echarts.min.js"), "wb") as f:
        f.write(source)
    made = {}
    for name, text in (("counter", COUNTER_PAGE), ("dashboard", DASHBOARD_PAGE), ("static", STATIC_PAGE)):
        made[name] = os.path.join(folder, name + ".html")
        with open(made[name], "w") as f:
            f.write(text)
    return made


def show(kind, build, work, page, screen):
    return Chromium(work, page, screen) if kind == "chromium" else Saver(build, work, page, screen)


def layout(screen):
    return "%dx%dx%d" % (screen.monitors, screen.width, screen.height)


def frames(build, work, made, layouts, seconds):
    for monitors, width, height in layouts:
        screen = Screen(width, height, monitors)
        try:
            restart_wine()
            for page in ("counter", "dashboard"):
                row = {}
                for kind in ("chromium", "saver"):
                    shown = show(kind, build, work, made[page], screen)
                    time.sleep(12)  # start-up and the first loads
                    x_before = screen.server_ticks()
                    cpu, count, (changes, reads) = cpu_seconds(shown.find, lambda: screen.count_frames(seconds))
                    x_cpu = (screen.server_ticks() - x_before) / TICK
                    shown.stop()
                    row[kind] = (changes / seconds, 100 * cpu / seconds)
                    print("frames %s %-9s %-8s %5.1f frames/s per monitor  cpu %5.1f %% of a core  (%d processes; "
                          "X servers besides %4.1f %%; %d reads/s)" % (layout(screen), page, kind, changes / seconds,
                                                                     100 * cpu / seconds, count, 100 * x_cpu / seconds,
                                                                     reads / seconds), flush=True)
                (cf, cc), (sf, sc) = row["chromium"], row["saver"]
                print("frames %s %-9s ratio frames %.2fx  cpu %.2fx" % (layout(screen), page, sf / cf if cf else 0,
                                                                       sc / cc if cc else 0), flush=True)
        finally:
            quiet(WINESERVER, "-k")
            screen.close()


def restart_wine():
    quiet(WINESERVER, "-k")
    time.sleep(0.5)
    quiet(WINESERVER, "-p")
    quiet(WINE, "cmd", "/c", "exit")


def idle(build, work, made, seconds, monitors):
    screen = Screen(1280, 720, monitors)
    try:
        restart_wine()
        floor = subprocess.Popen([WINE, os.path.join(build, "bench/saver/timer_floor.exe")],
                                 stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(5)
        floor_cpu, _, _ = cpu_seconds(prefix_processes, lambda: time.sleep(seconds))
        floor.kill()
        floor.wait()
        chromium = Chromium(work, made["static"], screen)
        time.sleep(10)
        chromium_cpu, _, _ = cpu_seconds(chromium.find, lambda: time.sleep(seconds))
        chromium.stop()
        saver = Saver(build, work, made["static"], screen)
        time.sleep(15)
        saver_cpu, count, _ = cpu_seconds(saver.find, lambda: time.sleep(seconds))
        saver.stop()
        print("idle %s %d s  timer floor %.2f s  chromium %.2f s  saver %.2f s (%d processes)  ratio to chromium + floor "
              "%.2f (target 1.25)" % (layout(screen), seconds, floor_cpu, chromium_cpu, saver_cpu, count,
                                      saver_cpu / (chromium_cpu + floor_cpu) if chromium_cpu + floor_cpu else 0),
              flush=True)
    finally:
        quiet(WINESERVER, "-k")
        screen.close()


def startup(build, work, made, monitors, rounds=3):
    screen = Screen(1280, 720, monitors)
    try:
        restart_wine()
        results = {"chromium": [], "saver": []}
        for _ in range(rounds):
            for kind in ("chromium", "saver"):
                shown = show(kind, build, work, made["static"], screen)
                first = screen.wait_for(STATIC_RGB, 30, shown.started)
                shown.stop()
                results[kind].append(first)
                print("startup %s %-8s first frame on every monitor %s" % (layout(screen), kind, "%.2f s" % first if first else "never"), flush=True)
        med = {k: sorted(v)[len(v) // 2] for k, v in results.items() if None not in v}
        if len(med) == 2:
            print("startup %s medians: chromium %.2f s  saver %.2f s  ratio %.2f (target 1.5)"
                  % (layout(screen), med["chromium"], med["saver"], med["saver"] / med["chromium"]), flush=True)
    finally:
        quiet(WINESERVER, "-k")
        screen.close()


def layouts(text):
    """"1280x720" is one monitor, "5x1280x720" five side by side."""
    found = []
    for item in text.split():
        numbers = [int(v) for v in item.split("x")]
        found.append(tuple(numbers) if len(numbers) == 3 else (1, *numbers))
    return found


def main():
    build, work = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    wanted = sys.argv[3:] or ["frames", "idle", "startup"]
    os.environ.pop("STANDIN_RUNTIME_BROWSER", None)  # the saver's pages through the engine
    made = pages(work)
    if "frames" in wanted:
        frames(build, work, made, layouts(os.environ.get("KELPA_FRAME_SIZES", DEFAULT_LAYOUTS)),
               int(os.environ.get("KELPA_FRAME_SECONDS", "20")))
    if "idle" in wanted:
        idle(build, work, made, int(os.environ.get("KELPA_IDLE_SECONDS", "60")),
             int(os.environ.get("KELPA_IDLE_MONITORS", "5")))
    if "startup" in wanted:
        for monitors in (1, 5):
            startup(build, work, made, monitors)


if __name__ == "__main__":
    main()
