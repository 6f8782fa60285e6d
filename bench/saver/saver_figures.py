#!/usr/bin/env python3
"""The saver's running figures under Wine on five virtual monitors (a nested Xephyr with
Xinerama inside a private Xvfb), each printed next to its floor:

  idle      CPU of the saver and of the prefix's wineserver over 60 s (from /proc), five
            browsers on static pages, against the timer floor program over the same time
  startup   process start to the first load end, against a bare window's first paint
  rotation  private bytes and handles over 10 000 rotations driven fast, and the runtime's
            leak report at the end
  soak      the real saver rotating five lists at the shortest delay for N minutes, sampled

Usage: saver_figures.py BUILD_DIR WORK_DIR [idle] [startup] [rotation] [soak[=minutes]]
Run from scripts/bench (which sets WINEPREFIX and friends for a throw-away prefix)."""
import os
import re
import subprocess
import sys
import time

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
TICK = os.sysconf("SC_CLK_TCK")
# The runtime's text display: deterministic, and the figures are the program's own.
os.environ.setdefault("STANDIN_RUNTIME_BROWSER", "none")


def quiet(*args, **kw):
    return subprocess.run(args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, **kw)


def free_display(first):
    n = first
    while os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
        n += 1
    return ":%d" % n


def wait_display(display):
    for _ in range(100):
        if quiet("xdpyinfo", env=dict(os.environ, DISPLAY=display)).returncode == 0:
            return True
        time.sleep(0.1)
    return False


def start_monitors(children):
    """Five 640x480 monitors side by side."""
    host = free_display(91)
    children.append(subprocess.Popen(["Xvfb", host, "-screen", "0", "3200x600x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    if not wait_display(host):
        sys.exit("Xvfb did not start")
    nested = free_display(141)
    screens = []
    for i in range(5):
        screens += ["-screen", "640x480+%d+0" % (640 * i)]
    children.append(subprocess.Popen(["Xephyr", nested, "-ac", "+xinerama"] + screens,
                                     env=dict(os.environ, DISPLAY=host),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    if not wait_display(nested):
        sys.exit("Xephyr did not start")
    os.environ["DISPLAY"] = nested


def restart_wine():
    quiet(WINESERVER, "-k")
    time.sleep(0.5)
    quiet(WINESERVER, "-p")
    quiet(WINE, "cmd", "/c", "exit")


def appdata():
    out = subprocess.run([WINE, "cmd", "/c", "echo %APPDATA%"], stdin=subprocess.DEVNULL,
                         capture_output=True, text=True).stdout.strip()
    return subprocess.run([WINE, "winepath", "-u", out], stdin=subprocess.DEVNULL,
                          capture_output=True, text=True).stdout.strip()


def write_settings(lists, rotate_ms):
    folder = appdata()
    os.makedirs(folder, exist_ok=True)
    lines = ["[Config]", "DisplayDelay=1000", "RotateDelay=%d" % rotate_ms]
    lines += ["ScreenURL%d=%s" % (n + 1, ",".join(urls)) for n, urls in enumerate(lists)]
    with open(os.path.join(folder, "KelpaScreenSaver.INI"), "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def demo(name):
    return "file:///Z:%s/demo/%s" % (ROOT, name)


def local(path):
    return "local://z" + path


STATIC = [[demo("dashboard.html")], [demo("status.html")], [local(ROOT + "/demo/status.html")],
          [local(ROOT + "/demo/")], [demo("dashboard.html")]]
ROTATING = [[demo("dashboard.html"), demo("status.html"), local(ROOT + "/demo/")],
            [local(ROOT + "/demo/dashboard.html"), demo("status.html")],
            [local(ROOT + "/demo/"), local(ROOT + "/src/"), demo("dashboard.html")],
            [demo("status.html"), local(ROOT + "/demo/missing.html")],
            [local(ROOT + "/bench/"), demo("dashboard.html"), local(ROOT + "/README.md")]]


def cpu_ticks(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime


def processes_named(name):
    """Linux pids of this prefix's processes whose command line names `name`."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                cmd = f.read().replace(b"\0", b" ").decode(errors="replace")
            with open("/proc/%s/environ" % entry, "rb") as f:
                env = f.read().split(b"\0")
        except OSError:
            continue
        if name in cmd and ("WINEPREFIX=" + os.environ["WINEPREFIX"]).encode() in env:
            found.append(int(entry))
    return found


def wineserver_pid():
    pids = [p for p in processes_named("wineserver")]
    return pids[0] if pids else None


def cpu_over(pid, seconds):
    server = wineserver_pid()
    before = (cpu_ticks(pid), cpu_ticks(server))
    time.sleep(seconds)
    after = (cpu_ticks(pid), cpu_ticks(server))
    return [(a - b) / TICK for a, b in zip(after, before)]


def run_windows(program, *args, env=None, cwd=None):
    return subprocess.Popen([WINE, program] + list(args), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, env=env, cwd=cwd, text=True)


def stop(process):
    process.kill()
    process.wait()
    time.sleep(1)


def idle(build, seconds=60):
    write_settings(STATIC, 90000)
    floor = run_windows(os.path.join(build, "bench/saver/timer_floor.exe"))
    time.sleep(5)
    floor_cpu = cpu_over(floor.pid, seconds)
    stop(floor)
    saver = run_windows("KelpaScreenSaver.scr", "/S", cwd=os.path.join(build, "bin"))
    time.sleep(10)
    saver_cpu = cpu_over(saver.pid, seconds)
    stop(saver)
    f, s = sum(floor_cpu), sum(saver_cpu)
    print("idle %d s  timer floor: program %.2f s + wineserver %.2f s = %.2f s CPU" % (seconds, *floor_cpu, f))
    print("idle %d s  saver, 5 browsers: program %.2f s + wineserver %.2f s = %.2f s CPU  ratio %.2f"
          % (seconds, *saver_cpu, s, s / f if f else float("inf")))


def startup(build, work):
    write_settings(STATIC, 90000)
    journal = os.path.join(work, "startup-journal.txt")
    out = subprocess.run([WINE, os.path.join(build, "bench/saver/startup_bench.exe"),
                          "KelpaScreenSaver.scr", os.path.join(build, "bench/saver/bare_window.exe"),
                          "Z:" + journal.replace("/", "\\"), "5"],
                         cwd=os.path.join(build, "bin"), stdin=subprocess.DEVNULL, capture_output=True, text=True)
    print(out.stdout, end="")


def leak_lines(journal):
    if not os.path.exists(journal):
        return ["no journal"]
    with open(journal, encoding="utf-8", errors="replace") as f:
        return [l.strip() for l in f if l.startswith("leak")]


def rotation(build, work, rotations=10000, between_ms=30):
    write_settings(ROTATING, 5000)
    journal = os.path.join(work, "rotation-journal.txt")
    env = dict(os.environ, STANDIN_RUNTIME_JOURNAL="Z:" + journal.replace("/", "\\"))
    # The runtime's library sits beside the program; the harness runs from there.
    bench = os.path.join(build, "bench/saver/rotation_bench.exe")
    out = subprocess.run([WINE, bench, str(rotations), str(between_ms)], cwd=os.path.join(build, "bin"), env=env,
                         stdin=subprocess.DEVNULL, capture_output=True, text=True)
    print(out.stdout, end="")
    with open(journal, encoding="utf-8", errors="replace") as f:
        text = f.read()
    names = {}
    for name in re.findall(r"^load_error .* name=(\S+)", text, re.M):
        names[name] = names.get(name, 0) + 1
    print("load_end %d  load_error %d %s  exit %d" % (text.count("\nload_end "), text.count("\nload_error "),
                                                      names, out.returncode))
    print("runtime leak report: " + "; ".join(leak_lines(journal)))


def soak(build, work, minutes):
    write_settings(ROTATING, 5000)
    journal = os.path.join(work, "soak-journal.txt")
    env = dict(os.environ, STANDIN_RUNTIME_JOURNAL="Z:" + journal.replace("/", "\\"))
    saver = run_windows("KelpaScreenSaver.scr", "/S", cwd=os.path.join(build, "bin"), env=env)
    probe = os.path.join(build, "bench/saver/process_probe.exe")
    start = time.time()
    loads = 0
    while time.time() - start < minutes * 60 and saver.poll() is None:
        time.sleep(60 if minutes >= 10 else 10)
        figures = subprocess.run([WINE, probe, "KelpaScreenSaver.scr"], stdin=subprocess.DEVNULL,
                                 capture_output=True, text=True).stdout.strip()
        with open(journal, encoding="utf-8", errors="replace") as f:
            text = f.read()
        ends, errors = text.count("\nload_end "), text.count("\nload_error ")
        print("soak %5.1f min  %s  load_end %d (+%d)  load_error %d  %s" % (
            (time.time() - start) / 60, figures, ends, ends - loads, errors, linux_figures(saver.pid)), flush=True)
        loads = ends
    alive = saver.poll() is None
    stop(saver)
    print("soak ended: saver %s after %.1f min" % ("still running" if alive else "had ended",
                                                  (time.time() - start) / 60))


def linux_figures(pid):
    """Wine answers another process's private bytes and handle count with 0, so the soak
    reads the Linux side: anonymous resident memory, address space, threads, open fds."""
    try:
        with open("/proc/%d/status" % pid) as f:
            status = f.read()
        field = lambda name: int(re.search(name + r":\s+(\d+)", status).group(1))
        fds = len(os.listdir("/proc/%d/fd" % pid))
        return "rss anon %.1f MB  vm %.0f MB  threads %d  fds %d" % (
            field("RssAnon") / 1024, field("VmSize") / 1024, field("Threads"), fds)
    except (OSError, AttributeError):
        return "gone"


def main():
    build, work = os.path.abspath(sys.argv[1]), sys.argv[2]
    wanted = sys.argv[3:] or ["idle", "startup", "rotation"]
    children = []
    try:
        start_monitors(children)
        restart_wine()
        for what in wanted:
            name, _, value = what.partition("=")
            if name == "idle":
                idle(build)
            elif name == "startup":
                startup(build, work)
            elif name == "rotation":
                count, _, between = (value or "10000").partition(":")
                rotation(build, work, int(count), int(between or 30))
            elif name == "soak":
                soak(build, work, float(value or 30))
    finally:
        quiet(WINESERVER, "-k")
        for child in reversed(children):
            child.terminate()
            child.wait()


if __name__ == "__main__":
    main()
