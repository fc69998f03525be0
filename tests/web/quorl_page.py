"""Quorl's page as the tests and the benchmark open it: served by
scripts/serve-web.sh, loaded in headless Chromium with a few instruments of
ours, and read back frame by frame.

QUORL_SOURCE names the repository (for scripts/) and QUORL_WEB_BUILD the
browser build (quorl.html, quorl.js, quorl.wasm).
"""
import contextlib
import os
import subprocess

SOURCE = os.environ["QUORL_SOURCE"]
WEB_BUILD = os.environ["QUORL_WEB_BUILD"]

# Chromium's WebGL 2 through ANGLE on Mesa's llvmpipe: a 1920x1080 frame of the
# City takes seconds there, where SwiftShader takes half a minute.
RENDERER = ["--use-angle=gl-egl", "--ignore-gpu-blocklist"]
# Small, as a frame costs the same at any canvas size: it is always 1920x1080.
WINDOW = ["--window-size=640,360"]
# Seconds to wait for the browser's answers. The page prepares (the shader
# compiled, a first frame drawn) for a minute on a busy machine, and a frame
# at Full takes seconds.
PATIENCE = 300

# Before the page's own script: records the audio contexts that the page
# creates, the states it passes through with the Play button's text then,
# and counts its animation frames. The drawing buffer of a WebGL canvas
# is cleared once the frame is shown, so copies of the picture are taken right
# after one of the page's frames, in the same task (nextFrameCopy, which fails
# once the page no longer plays).
INSTRUMENTS = """
window.audioContexts = [];
window.AudioContext = class extends window.AudioContext {
    constructor(...options) { super(...options); window.audioContexts.push(this); }
};
window.stateLog = [];
document.addEventListener("DOMContentLoaded", () => {
    const play = document.getElementById("play");
    const log = () => stateLog.push({state: document.body.dataset.state, play: play.textContent,
                                     disabled: play.disabled});
    log();
    new MutationObserver(log).observe(document.body, {attributes: true, attributeFilter: ["data-state"]});
});
window.framesDone = 0;
const waitingForFrame = [];
const requestFrame = window.requestAnimationFrame.bind(window);
window.requestAnimationFrame = (callback) => requestFrame((time) => {
    callback(time);
    window.framesDone += 1;
    // Only the page's frame draws: a callback of its refresh measure may still
    // be due just after Play.
    if (callback.name !== "frame") return;
    const drawn = document.body.dataset.state === "playing";
    waitingForFrame.splice(0).forEach((copy) => copy(drawn));
});
window.nextFrameCopy = (width, height) => new Promise((resolve, reject) => {
    const ended = () => reject(new Error(`no frame to copy: the page is ${document.body.dataset.state}`));
    if (document.body.dataset.state !== "playing") return ended();
    waitingForFrame.push((drawn) => {
        if (!drawn) return ended();
        const copy = new OffscreenCanvas(width, height).getContext("2d", {willReadFrequently: true});
        copy.drawImage(document.getElementById("canvas"), 0, 0, width, height);
        resolve(copy.getImageData(0, 0, width, height).data);
    });
});
"""

# Mean difference per colour channel of the page's next frame from a PNG of
# the same size, and the share of pixels with a channel more than 2 off (the
# City tests' tolerance for one pixel).
COMPARE_WITH_PNG = """
(async (png) => {
    const canvas = document.getElementById("canvas");
    const reference = await createImageBitmap(await (await fetch("data:image/png;base64," + png)).blob());
    if (reference.width !== canvas.width || reference.height !== canvas.height)
        return {size: [canvas.width, canvas.height, reference.width, reference.height]};
    const page = await nextFrameCopy(canvas.width, canvas.height);
    const scratch = new OffscreenCanvas(canvas.width, canvas.height).getContext("2d", {willReadFrequently: true});
    scratch.drawImage(reference, 0, 0);
    const desktop = scratch.getImageData(0, 0, canvas.width, canvas.height).data;
    let sum = 0, far = 0;
    for (let i = 0; i < page.length; i += 4) {
        let worst = 0;
        for (let c = 0; c < 3; c++) {
            const d = Math.abs(page[i + c] - desktop[i + c]);
            sum += d;
            worst = Math.max(worst, d);
        }
        if (worst > 2) far += 1;
    }
    const pixels = page.length / 4;
    return {size: [canvas.width, canvas.height], mean: sum / (pixels * 3), far: far / pixels};
})
"""

# Frames per second of the playing page over the given number of frame
# intervals, from the animation frames' own times, starting at the second frame
# from now. Frames slower than the display come in pairs, the browser keeping
# two in flight: one interval short, the next long. Ask for an even number.
FRAME_RATE = """
((frames) => new Promise((resolve) => {
    let seen = 0, first = 0;
    requestAnimationFrame(function tick(time) {
        seen += 1;
        if (seen === 2) first = time;
        if (seen === frames + 2) resolve(frames * 1000 / (time - first));
        else requestAnimationFrame(tick);
    });
}))
"""

# From now on, the times at which the page's main thread could run a timer.
# The browser may hold that thread for seconds while llvmpipe draws (its
# compositor waits for the GPU process), and no script of the page runs then.
MAIN_THREAD_WATCH = "window.mainThreadTicks = []; setInterval(() => mainThreadTicks.push(performance.now()), 20); true"

# Seconds between two readings of performance.now() in which the main thread
# was free to run: the span less every pause of over 0.1 s between ticks.
MAIN_THREAD_FREE = """
((from, to) => {
    const ticks = [from, ...mainThreadTicks.filter((t) => t > from && t < to), to];
    let held = 0;
    for (let i = 1; i < ticks.length; i++) held += Math.max(0, ticks[i] - ticks[i - 1] - 100);
    return (to - from - held) / 1000;
})
"""

# The mean brightness (0-255) and the lowest alpha of the page's next frame,
# from a 64x36 copy.
CANVAS_SUMMARY = """
nextFrameCopy(64, 36).then((data) => {
    let sum = 0, alpha = 255;
    for (let i = 0; i < data.length; i += 4) {
        sum += data[i] + data[i + 1] + data[i + 2];
        alpha = Math.min(alpha, data[i + 3]);
    }
    return {brightness: sum / (data.length / 4 * 3), alpha: alpha};
})
"""


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


@contextlib.contextmanager
def served_page():
    """The address of quorl.html, served by scripts/serve-web.sh for as long as the block runs."""
    server = subprocess.Popen([os.path.join(SOURCE, "scripts", "serve-web.sh"), "0", WEB_BUILD],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        line = server.stdout.readline()
        check(line.startswith("serve-web: http://localhost:"), f"serve-web.sh said '{line.strip()}'")
        # The browser might try IPv6 first for "localhost"; the server listens on IPv4.
        yield line.split()[1].replace("localhost", "127.0.0.1")
    finally:
        server.terminate()
        server.wait()


def open_ready_page(browser, url, instruments=INSTRUMENTS):
    page = browser.open(url, before_load=instruments)
    wait_until_ready(page)
    return page


def wait_until_prepared(page):
    """Waits while the page loads and prepares; returns how long that took."""
    return page.wait_until("!['loading', 'preparing'].includes(document.body.dataset.state)", timeout=PATIENCE)


def wait_until_ready(page):
    wait_until_prepared(page)
    check(state_of(page) == "ready", f"the page is '{state_of(page)}', not ready: {message_of(page)}")


QUALITY_SETTINGS = ("Auto", "Full", "Half", "Quarter")


def choose_quality(page, name):
    """Clicks a setting of the quality control, as a viewer does."""
    page.click(f"#quality [data-setting='{QUALITY_SETTINGS.index(name)}']")
    check(quality_setting_of(page) == name, f"'{name}' chosen, '{quality_setting_of(page)}' checked")


def quality_setting_of(page):
    return page.evaluate("document.querySelector('#quality [aria-checked=true]')?.textContent")


def quality_level_of(page):
    """The level that the page says its frames are rendered at: full, half or quarter."""
    return page.evaluate("document.getElementById('quality').dataset.level")


def state_of(page):
    return page.evaluate("document.body.dataset.state")


def message_of(page):
    return page.evaluate("document.getElementById('message').textContent")


def visible(page, selector):
    return page.evaluate(f"getComputedStyle(document.querySelector('{selector}')).display !== 'none'"
                         f" && document.querySelector('{selector}').getClientRects().length > 0")


def no_console_errors(page):
    errors = page.console_errors()
    check(not errors, f"errors in the console: {errors}")
