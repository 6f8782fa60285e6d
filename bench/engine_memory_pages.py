"""The engine memory benchmark's pages: five real http pages of the kinds a wall shows (an
article with pictures, a moving CSS scene, a canvas clock, a long table, an SVG chart), the
same five for the floor, each loading the next after 5 s as the saver's rotation would, and a
dashboard that fetches a 200 kB JSON document every second and draws it by hand on a canvas.
    python3 bench/engine_memory_pages.py <folder>
"""
import json
import os
import random
import struct
import sys
import zlib


def png(path, width, height, seed):
    # A picture of its own: stripes and a gradient, stored as a real PNG.
    rows = []
    for y in range(height):
        row = bytearray([0])
        for x in range(width):
            row += bytes(((x * seed) % 256, (y * 3 + seed) % 256, ((x + y) * 7) % 256))
        rows.append(bytes(row))
    raw = zlib.compress(b"".join(rows), 6)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", raw) + chunk(b"IEND", b""))


WORDS = "wall screen page engine memory month light harbour signal morning river market north train".split()


def text(rng, n):
    return " ".join(rng.choice(WORDS) for _ in range(n)).capitalize() + "."


def bodies():
    rng = random.Random(24)
    article = "<h1>Harbour news</h1>" + "".join(
        f"<h2>{text(rng, 5)}</h2><img src='../img/a{i}.png' width=300><p>{' '.join(text(rng, 18) for _ in range(6))}</p>"
        for i in range(4))
    scene = ("<style>body{margin:0;background:#123;overflow:hidden}.b{position:absolute;width:80px;height:80px;"
             "border-radius:20px;animation:m 4s infinite alternate ease-in-out}@keyframes m{to{transform:"
             "translate(420px,260px) rotate(360deg)}}</style>" + "".join(
                 f"<div class=b style='left:{i * 30}px;top:{i * 20}px;background:hsl({i * 36},70%,60%);"
                 f"animation-delay:-{i * 0.4}s'></div>" for i in range(10)) + "<h1 style='color:#fff'>Scene</h1>")
    clock = ("<canvas id=c width=600 height=440></canvas><script>const g=c.getContext('2d');function f(){"
             "const d=new Date;g.fillStyle='#fff';g.fillRect(0,0,600,440);g.save();g.translate(300,220);"
             "[[d.getHours()%12/12+d.getMinutes()/720,80,8],[d.getMinutes()/60+d.getSeconds()/3600,140,5],"
             "[(d.getSeconds()+d.getMilliseconds()/1000)/60,180,2]].forEach(([t,l,w])=>{g.lineWidth=w;"
             "g.beginPath();g.moveTo(0,0);g.lineTo(l*Math.sin(t*2*Math.PI),-l*Math.cos(t*2*Math.PI));g.stroke()});"
             "g.restore();requestAnimationFrame(f)}f()</script><h1>Clock</h1>")
    table = "<h1>Departures</h1><table border=1 style='border-collapse:collapse;font:12px sans-serif'>" + "".join(
        f"<tr style='background:{'#eef' if i % 2 else '#fff'}'><td>{i}</td><td>{text(rng, 3)}</td>"
        f"<td>{rng.randint(0, 23):02}:{rng.randint(0, 59):02}</td><td>{text(rng, 6)}</td></tr>"
        for i in range(400)) + "</table>"
    bars = "".join(f"<rect x='{i * 6}' y='{300 - h}' width='5' height='{h}' fill='hsl({i * 4},60%,50%)'/>"
                   for i, h in enumerate(rng.randint(10, 290) for _ in range(100)))
    chart = f"<h1>Figures</h1><svg width=600 height=300>{bars}</svg><p>{text(rng, 40)}</p>"
    return [("Harbour news", article), ("Scene", scene), ("Clock", clock), ("Departures", table), ("Figures", chart)]


POLL = """<!doctype html><title>Dashboard</title><body style="margin:0;font:14px sans-serif">
<canvas id=c width=1200 height=600></canvas><div id=s></div><script>
const g = c.getContext('2d');
async function poll() {
  const answer = await fetch('data.json?' + Date.now(), {cache: 'no-store'});
  const data = await answer.json();
  g.fillStyle = '#fff'; g.fillRect(0, 0, 1200, 600);
  data.series.forEach((series, k) => {
    g.strokeStyle = `hsl(${k * 60},70%,45%)`; g.beginPath();
    series.points.forEach((p, i) => { const x = i * 1200 / series.points.length, y = 560 - p.v * 5;
      i ? g.lineTo(x, y) : g.moveTo(x, y); });
    g.stroke();
  });
  s.textContent = data.series.length + ' series, ' + new Date().toLocaleTimeString();
}
setInterval(poll, 1000); poll();
</script>"""


def main(folder):
    for sub in ("pages", "floor", "img"):
        os.makedirs(os.path.join(folder, sub), exist_ok=True)
    for i in range(4):
        png(os.path.join(folder, "img", f"a{i}.png"), 300, 200, i * 37 + 11)
    for n, (title, body) in enumerate(bodies(), start=1):
        page = f"<!doctype html><meta charset=utf-8><title>{title}</title><body>{body}</body>"
        with open(os.path.join(folder, "pages", f"p{n}.html"), "w") as out:
            out.write(page)
        refresh = f"<meta http-equiv=refresh content='5;url=p{n % 5 + 1}.html'>"
        with open(os.path.join(folder, "floor", f"p{n}.html"), "w") as out:
            out.write(page.replace("<meta charset=utf-8>", "<meta charset=utf-8>" + refresh))
    rng = random.Random(7)
    data = {"series": [{"name": f"s{k}", "points": [{"t": i, "v": round(rng.uniform(0, 100), 3), "q": "ok"}
                                                    for i in range(940)]} for k in range(6)]}
    with open(os.path.join(folder, "pages", "data.json"), "w") as out:
        json.dump(data, out)
    with open(os.path.join(folder, "pages", "poll.html"), "w") as out:
        out.write(POLL)


if __name__ == "__main__":
    main(sys.argv[1])
