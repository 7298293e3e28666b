"""Headless Chromium on a folder served over loopback, driven through the
DevTools protocol: keys, the mouse, the game's frame counter and the
canvas's pixels. Used by the browser tests (tests/web) and the browser
figures (bench/web-bench.py). Needs Debian's chromium and python3-websocket;
waits count the game's frames (Module.frames), never seconds."""

import functools
import http.server
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time
import urllib.request

import websocket

# The flags this machine needs (root, no network) and headless play.
CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
    "--no-first-run", "--disable-background-networking", "--disable-component-update",
    "--disable-sync", "--autoplay-policy=no-user-gesture-required",
    "--remote-debugging-port=0", "--window-size=1320,1080", "--disable-accelerated-2d-canvas",
]

KEYS = {  # name: (key, code, DOM key code)
    "left": ("ArrowLeft", "ArrowLeft", 37), "up": ("ArrowUp", "ArrowUp", 38),
    "right": ("ArrowRight", "ArrowRight", 39), "down": ("ArrowDown", "ArrowDown", 40),
    "return": ("Enter", "Enter", 13), "space": (" ", "Space", 32),
    "escape": ("Escape", "Escape", 27), "backspace": ("Backspace", "Backspace", 8),
}

# The data's pictures the page's helpers compare the screen with.
PICTURES = ["gameback.png", "start.png"]

# Helpers the page gets: pixels of the canvas against a picture of the data.
PAGE_HELPERS = r"""
window.screenPixels = (x, y, w, h) =>
  Module.canvas.getContext('2d').getImageData(x, y, w, h).data;
window.countColour = (r, g, b, x, y, w, h) => {
  const p = screenPixels(x, y, w, h); let n = 0;
  for (let i = 0; i < p.length; i += 4) n += p[i] == r && p[i+1] == g && p[i+2] == b;
  return n;
};
// The data's pictures, decoded from the game's files as they are.
window.pictures = {};
window.prepare = name => createImageBitmap(new Blob([FS.readFile('gdat/' + name)]),
    {colorSpaceConversion: 'none', premultiplyAlpha: 'none'}).then(bitmap => {
  const c = document.createElement('canvas');
  c.width = bitmap.width; c.height = bitmap.height;
  c.getContext('2d').drawImage(bitmap, 0, 0);
  pictures[name] = c.getContext('2d');
});
// Pixels of the box that differ from the picture NAME (prepared), and the
// middle of the columns that do.
window.differs = (name, x, y, w, h) => {
  const p = screenPixels(x, y, w, h);
  const q = pictures[name].getImageData(x, y, w, h).data;
  let n = 0; const columns = [];
  for (let i = 0; i < p.length; i += 4) {
    const d = Math.abs(p[i]-q[i]) + Math.abs(p[i+1]-q[i+1]) + Math.abs(p[i+2]-q[i+2]);
    if (d > 60) { n++; columns.push(x + (i / 4) % w); }
  }
  return {count: n, middle: n ? columns.reduce((a, b) => a + b) / n : -1};
};
// Whether text, drawn as the game draws it (its font at SIZE points, white),
// shows at (x, y): every pixel it covers fully is white there.
window.showsText = (text, size, x, y) => {
  const probe = document.createElement('canvas');
  const c = probe.getContext('2d');
  const font = size + 'px "gdat/anglepoi.ttf", serif';
  c.font = font;
  probe.width = Math.ceil(c.measureText(text).width); probe.height = size;
  c.font = font; c.textBaseline = 'bottom'; c.fillStyle = '#fff'; c.fillText(text, 0, size);
  const mine = c.getImageData(0, 0, probe.width, probe.height).data;
  const p = screenPixels(x, y, probe.width, probe.height);
  let covered = 0;
  for (let i = 0; i < mine.length; i += 4) {
    if (mine[i+3] < 255) continue;
    covered++;
    if (p[i] != 255 || p[i+1] != 255 || p[i+2] != 255) return false;
  }
  return covered > 20;
};
"""


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    """Serves folder on a free loopback port; returns the server."""
    handler = functools.partial(Quiet, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Browser:
    """One Chromium with a fresh profile; pages share it (and its storage)."""

    def __init__(self, folder):
        self.server = serve(folder)
        self.root = "http://127.0.0.1:%d/" % self.server.server_address[1]
        self.profile = tempfile.mkdtemp(prefix="quonkle-web-")
        chromium = shutil.which("chromium")
        if not chromium:
            raise RuntimeError("chromium is missing (tools/debian-packages.txt)")
        self.process = subprocess.Popen(
            [chromium, *CHROMIUM_FLAGS, "--user-data-dir=" + self.profile, "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        while not os.path.exists(port_file) or not open(port_file).read().strip():
            if self.process.poll() is not None:
                raise RuntimeError("chromium ended at start")
            time.sleep(0.05)
        self.devtools = "http://127.0.0.1:%s" % open(port_file).read().split()[0]

    def open(self, path="", before=None):
        """A new page on path; before is script run ahead of the page's own."""
        request = urllib.request.Request(self.devtools + "/json/new?about:blank", method="PUT")
        target = json.load(urllib.request.urlopen(request))
        return Page(target["webSocketDebuggerUrl"], self.root + path, before)

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
        self.server.shutdown()
        shutil.rmtree(self.profile, ignore_errors=True)


class Page:
    def __init__(self, socket_url, url, before):
        self.socket = websocket.create_connection(socket_url)
        self.next_id = 0
        self.problems = []  # console errors, uncaught exceptions, failed loads
        for domain in ("Page", "Runtime", "Log"):
            self.call(domain + ".enable")
        # The page keeps the focus as a window in front does.
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)
        self.call("Page.addScriptToEvaluateOnNewDocument", source=PAGE_HELPERS + (before or ""))
        self.url = url
        self.reload()

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            self.note(message)

    def note(self, event):
        method, params = event.get("method"), event.get("params", {})
        if method == "Runtime.consoleAPICalled" and params["type"] in ("error", "assert"):
            self.problems.append(" ".join(str(a.get("value", a.get("description")))
                                          for a in params["args"]))
        elif method == "Runtime.exceptionThrown":
            self.problems.append(params["exceptionDetails"].get("exception", {})
                                 .get("description", params["exceptionDetails"]["text"]))
        elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
            self.problems.append(params["entry"]["text"] + " " + params["entry"].get("url", ""))

    def reload(self):
        self.call("Page.navigate", url=self.url)
        self.wait_for("typeof Module == 'object' && Module.frames > 0")
        self.eval("Promise.all(%s.map(prepare))" % json.dumps(PICTURES))

    def eval(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def frames(self):
        return self.eval("Module.frames || 0")

    def wait_frames(self, count):
        """Lets the game draw count frames."""
        end = self.frames() + count
        while self.frames() < end:
            time.sleep(0.005)

    def wait_for(self, expression, frames=None):
        """Until expression holds, looked at once a frame; within frames if given."""
        start = None
        while True:
            try:
                if self.eval(expression):
                    return True
                now = self.eval("Module.frames || 0")
            except RuntimeError:
                now = 0  # the page is still loading
            start = now if start is None else start
            if frames is not None and now - start > frames:
                return False
            time.sleep(0.005)

    def key(self, name, down):
        key, code, number = KEYS[name] if name in KEYS else (name, "Key" + name.upper(),
                                                              ord(name.upper()))
        self.call("Input.dispatchKeyEvent", type="keyDown" if down else "keyUp", key=key,
                  code=code, windowsVirtualKeyCode=number, nativeVirtualKeyCode=number,
                  text=key if down and len(key) == 1 else "")

    def press(self, *names):
        """Each key down for three of the game's frames, then up for two."""
        for name in names:
            self.key(name, True)
            self.wait_frames(3)
            self.key(name, False)
            self.wait_frames(2)

    def page_point(self, x, y):
        box = self.eval("(r => [r.left, r.top, r.width / 640])(Module.canvas.getBoundingClientRect())")
        return box[0] + (x + 0.5) * box[2], box[1] + (y + 0.5) * box[2]

    def mouse(self, kind, x, y, button="none"):
        px, py = self.page_point(x, y)
        self.call("Input.dispatchMouseEvent", type=kind, x=px, y=py, button=button,
                  clickCount=1 if button != "none" else 0)

    def click(self, x, y, button="left"):
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, button)
        self.wait_frames(3)
        self.mouse("mouseReleased", x, y, button)
        self.wait_frames(2)

    def close(self):
        self.socket.close()
