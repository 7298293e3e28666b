"""The browser's three figures beside the desktop build's, on this machine:
what a visit downloads (the site gzipped, as a server sends it), the time
from navigation to the first frame of the main menu, and a frame's own work
in play (input, step, draw and present, without the wait for the display),
on level 1 a second after Return and Space on the menu. The desktop's: its
game folder gzipped, and quonkle_bench's start-up to the menu and the same
played frame on SDL's dummy drivers.
Usage: web-bench.py BUILD_DIR (after make build and make web)."""

import gzip
import io
import json
import os
import statistics
import subprocess
import sys
import tarfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tools", "web"))
import browser  # noqa: E402

LOADS = 5
PLAY_FRAMES = 300
# Looked at in every animation frame from the page's start: the first frame
# with the menu drawn (New Game white, Enter Password grey).
MENU_WATCH = """
(function watch() {
  if (typeof Module == 'object' && Module.canvas && window.countColour &&
      countColour(255,255,255,255,95,200,45) >= 30 && countColour(128,128,128,227,145,250,45) >= 30)
    window.menuAt = performance.now();
  else requestAnimationFrame(watch);
})();
"""


def site_bytes(site):
    total = 0
    for name in sorted(os.listdir(site)):
        with open(os.path.join(site, name), "rb") as file:
            total += len(gzip.compress(file.read(), 6))
    return total


def folder_bytes(game):
    packed = io.BytesIO()
    with tarfile.open(fileobj=packed, mode="w:gz", compresslevel=6) as tar:
        for name in ("quonkle", "gdat", "sdat", "levels.txt", "high.txt"):
            tar.add(os.path.join(game, name), arcname=name)
    return len(packed.getvalue())


def desktop_figures(build):
    out = subprocess.run(
        ["../bench/quonkle_bench", "--benchmark_filter=StartUpToMenu|PlayedFrame",
         "--benchmark_format=json"], cwd=os.path.join(build, "game"), check=True,
        capture_output=True, text=True,
        env=dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")).stdout
    runs = {run["name"].split("/")[0]: run for run in json.loads(out[out.index("{"):])["benchmarks"]}
    return runs["BM_StartUpToMenu"]["ms"], runs["BM_PlayedFrame"]["ms"]


def browser_figures(site):
    # A first visit each time (nothing cached), in a browser that is up: a
    # browser's first page with sound starts its audio service, which takes
    # half a second headless.
    chromium = browser.Browser(site)
    try:
        page = chromium.open(before=MENU_WATCH)
        page.call("Network.enable")
        page.call("Network.setCacheDisabled", cacheDisabled=True)
        menu_times = []
        for _ in range(LOADS):
            page.reload()
            page.wait_for("window.menuAt > 0")
            menu_times.append(page.eval("window.menuAt"))
        page.wait_for("window.countColour(255,255,255,255,95,200,45) >= 30")
        page.press("return", "space")
        page.wait_frames(60)
        before = page.eval("[Module.frames, Module.frameWorkMs]")
        page.wait_frames(PLAY_FRAMES)
        after = page.eval("[Module.frames, Module.frameWorkMs]")
        frame = (after[1] - before[1]) / (after[0] - before[0])
    finally:
        chromium.close()
    return statistics.median(menu_times), frame


def main(build):
    site = os.path.join(build, "web")
    desktop_menu, desktop_frame = desktop_figures(build)
    web_menu, web_frame = browser_figures(site)
    rows = [
        ("download, gzipped (MB)", site_bytes(site) / 1e6,
         folder_bytes(os.path.join(build, "game")) / 1e6, "goal < 3"),
        ("start to first menu frame (ms)", web_menu, desktop_menu, "goal < 1000"),
        ("a play frame's own work (ms)", web_frame, desktop_frame,
         "goal < 1.5 x desktop: %.2f x" % (web_frame / desktop_frame)),
    ]
    print("%-32s %10s %10s" % ("", "browser", "desktop"))
    for name, web, desktop, goal in rows:
        print("%-32s %10.2f %10.2f   %s" % (name, web, desktop, goal))


if __name__ == "__main__":
    main(sys.argv[1])
