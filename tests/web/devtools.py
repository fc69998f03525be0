"""A small client of Chromium's DevTools protocol, over the pipe that
--remote-debugging-pipe opens (file descriptors 3 and 4, one JSON message per
NUL-terminated chunk), so that the tests need nothing beyond Python and the
browser: no WebSocket library, no network port.

    with Browser(["--window-size=640,360"]) as browser:
        page = browser.open("http://127.0.0.1:8000/quorl.html")
        page.evaluate("document.title")

Every call raises DevToolsError when the browser answers with an error, and
TimeoutError when an answer or an awaited event does not come in time.
"""
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time

CHROMIUM = os.environ.get("QUORL_CHROMIUM", "/usr/bin/chromium")

# Headless, with WebGL 2 drawn by Chromium's own software renderer, and
# without anything that would reach out to the network or ask questions.
BASE_FLAGS = [
    "--headless=new",
    "--use-angle=swiftshader",
    "--enable-unsafe-swiftshader",
    "--no-sandbox",  # the tests run as root
    "--no-first-run",
    "--no-default-browser-check",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-quic",
    "--disable-extensions",
    "--mute-audio",
    "--remote-debugging-pipe",
]


class DevToolsError(RuntimeError):
    pass


class Browser:
    """One Chromium process with a fresh profile; closed on leaving `with`."""

    def __init__(self, flags=(), timeout=60.0):
        self.timeout = timeout
        self.profile = tempfile.mkdtemp(prefix="quorl-chromium-")
        self._lock = threading.Condition()
        self._answers = {}
        self._events = []
        self._next_id = 0
        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()

        def connect_pipe():
            # The browser reads commands on fd 3 and writes answers on fd 4.
            read_end = os.dup(to_browser_read)
            write_end = os.dup(from_browser_write)
            os.dup2(read_end, 3, inheritable=True)
            os.dup2(write_end, 4, inheritable=True)

        self.process = subprocess.Popen(
            [CHROMIUM, *BASE_FLAGS, f"--user-data-dir={self.profile}", *flags, "about:blank"],
            preexec_fn=connect_pipe, close_fds=False,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        threading.Thread(target=self._read_answers, daemon=True).start()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self.process.poll() is None:
            try:
                self.call("Browser.close", timeout=10)
                self.process.wait(timeout=10)
            except (DevToolsError, TimeoutError, subprocess.TimeoutExpired, OSError):
                self.process.kill()
                self.process.wait()
        os.close(self._to_browser)
        shutil.rmtree(self.profile, ignore_errors=True)

    # ---- Protocol --------------------------------------------------------

    def call(self, method, session=None, timeout=None, **params):
        with self._lock:
            self._next_id += 1
            message_id = self._next_id
        message = {"id": message_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + (timeout or self.timeout)
        with self._lock:
            while message_id not in self._answers:
                left = deadline - time.monotonic()
                if left <= 0 or self.process.poll() is not None:
                    raise TimeoutError(f"no answer to {method}")
                self._lock.wait(left)
            answer = self._answers.pop(message_id)
        if "error" in answer:
            raise DevToolsError(f"{method}: {answer['error'].get('message')}")
        return answer.get("result", {})

    def events(self, method=None, session=None):
        """Every event received so far, optionally of one method and session."""
        with self._lock:
            return [e for e in self._events
                    if (method is None or e["method"] == method) and (session is None or e.get("sessionId") == session)]

    def wait_for_event(self, method, session=None, predicate=lambda params: True, timeout=None):
        deadline = time.monotonic() + (timeout or self.timeout)
        with self._lock:
            while True:
                for event in self._events:
                    if event["method"] == method and (session is None or event.get("sessionId") == session) \
                            and predicate(event.get("params", {})):
                        return event.get("params", {})
                left = deadline - time.monotonic()
                if left <= 0:
                    raise TimeoutError(f"no {method} event")
                self._lock.wait(left)

    def _read_answers(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self._from_browser, 1 << 20)
            except OSError:
                chunk = b""
            if not chunk:
                break
            pending += chunk
            *messages, pending = pending.split(b"\0")
            with self._lock:
                for raw in messages:
                    message = json.loads(raw)
                    if "id" in message:
                        self._answers[message["id"]] = message
                    else:
                        self._events.append(message)
                self._lock.notify_all()
        os.close(self._from_browser)
        with self._lock:
            self._lock.notify_all()

    # ---- Pages -----------------------------------------------------------

    def open(self, url, before_load=None):
        """A new tab showing `url`, with its console, network and page events
        recorded; `before_load` is script to run in it before the page's own."""
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        page = Page(self, session)
        for domain in ("Runtime", "Log", "Network", "Page"):
            self.call(f"{domain}.enable", session)
        if before_load:
            self.call("Page.addScriptToEvaluateOnNewDocument", session, source=before_load)
        self.call("Page.navigate", session, url=url)
        self.wait_for_event("Page.loadEventFired", session)
        return page


class Page:
    """One tab of a Browser."""

    def __init__(self, browser, session):
        self.browser = browser
        self.session = session

    def call(self, method, **params):
        return self.browser.call(method, self.session, **params)

    def evaluate(self, expression, timeout=None, user_gesture=False):
        """The value of a JavaScript expression; a promise is awaited."""
        result = self.browser.call("Runtime.evaluate", self.session, timeout=timeout, expression=expression,
                                   awaitPromise=True, returnByValue=True, userGesture=user_gesture)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            raise DevToolsError(details.get("exception", {}).get("description") or details.get("text"))
        return result["result"].get("value")

    def wait_until(self, expression, timeout=60.0, poll=0.1):
        """Waits until a JavaScript expression is true; returns how long it took."""
        start = time.monotonic()
        while not self.evaluate(expression):
            if time.monotonic() - start > timeout:
                raise TimeoutError(f"still false after {timeout} s: {expression}")
            time.sleep(poll)
        return time.monotonic() - start

    def click(self, selector, held=0.0):
        """A real mouse click in the middle of the element, the mouse moved
        there first: a user gesture. The button is held down for `held`
        seconds, as a hand holds it for a tenth of a second or so."""
        box = self.evaluate(f"(() => {{ const r = document.querySelector({json.dumps(selector)})"
                            ".getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()")
        self.move_mouse(box[0], box[1])
        self.call("Input.dispatchMouseEvent", type="mousePressed", x=box[0], y=box[1], button="left", clickCount=1)
        time.sleep(held)
        self.call("Input.dispatchMouseEvent", type="mouseReleased", x=box[0], y=box[1], button="left", clickCount=1)

    def move_mouse(self, x, y):
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)

    def reload(self):
        """Loads the page again, as the browser's reload button does."""
        loads = len(self.browser.events("Page.loadEventFired", self.session))
        self.call("Page.reload")
        deadline = time.monotonic() + self.browser.timeout
        while len(self.browser.events("Page.loadEventFired", self.session)) == loads:
            if time.monotonic() > deadline:
                raise TimeoutError("the page did not load again")
            time.sleep(0.05)

    def press(self, key, code, key_code):
        """A real key press and release: a user gesture."""
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code, windowsVirtualKeyCode=key_code)

    def console_errors(self):
        """Errors written to the console, thrown and not caught, or logged by the browser."""
        errors = []
        for event in self.browser.events("Runtime.consoleAPICalled", self.session):
            if event["params"]["type"] in ("error", "assert"):
                errors.append(" ".join(str(a.get("value", a.get("description"))) for a in event["params"]["args"]))
        for event in self.browser.events("Runtime.exceptionThrown", self.session):
            details = event["params"]["exceptionDetails"]
            errors.append(details.get("exception", {}).get("description") or details.get("text"))
        for event in self.browser.events("Log.entryAdded", self.session):
            if event["params"]["entry"]["level"] == "error":
                errors.append(event["params"]["entry"]["text"])
        return errors
