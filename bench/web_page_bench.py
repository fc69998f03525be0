#!/usr/bin/env python3
"""The page's speed in headless Chromium on this machine: the time from
loading the page to its Play button (the program loaded, the music decoded,
the shader compiled and a first frame drawn off screen), from a click on
Play to the first frame on the canvas, and the frames per second after that,
in a small window (the canvas is 1920x1080 whatever the window), at each
quality setting asked for, each in a browser of its own; with Auto, also when
it last changed the level.

    bench/web_page_bench.py [--swiftshader] [--seconds N] [--quality Auto|Full|Half|Quarter ...]

By default Chromium draws WebGL 2 through ANGLE on Mesa's llvmpipe, as the
tests do; --swiftshader takes Chromium's own SwiftShader instead. Run it after
scripts/build-web.sh; it serves build-web/ itself.
"""
import argparse
import os
import sys
import time

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
os.environ.setdefault("QUORL_SOURCE", root)
os.environ.setdefault("QUORL_WEB_BUILD", os.path.join(root, "build-web"))
sys.path.insert(0, os.path.join(root, "tests", "web"))

from devtools import Browser  # noqa: E402
from quorl_page import (INSTRUMENTS, QUALITY_SETTINGS, RENDERER, WINDOW, check, open_ready_page,  # noqa: E402
                        quality_level_of, quality_setting_of, served_page)

SWIFTSHADER = ["--use-angle=swiftshader", "--enable-unsafe-swiftshader"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--swiftshader", action="store_true", help="draw with SwiftShader, not llvmpipe")
    parser.add_argument("--seconds", type=float, default=30.0, help="how long to count frames (default 30)")
    parser.add_argument("--quality", choices=QUALITY_SETTINGS, nargs="+", default=["Auto"],
                        help="the page's settings, one run each (default Auto)")
    options = parser.parse_args()
    with served_page() as url:
        for quality in options.quality:
            run(url, quality, options)


def run(url, quality, options):
    renderer = SWIFTSHADER if options.swiftshader else RENDERER
    # The setting is the page's before it loads, as a returning viewer's.
    remembered = f"localStorage.setItem('quorl.quality', '{quality.lower()}');"
    with Browser(renderer + WINDOW, timeout=600) as browser:
        start = time.monotonic()
        page = open_ready_page(browser, url, INSTRUMENTS + remembered)
        ready = time.monotonic() - start
        check(quality_setting_of(page) == quality, f"the page took {quality_setting_of(page)} for {quality}")
        # Play's time before the page's handler runs, the first frame's copy
        # asked for after it; taking the copy forces the frame's pixels to exist.
        page.evaluate("document.addEventListener('click', () => { window.playedAt = performance.now(); }, true);"
                      "window.addEventListener('click', () => { window.firstFrame = "
                      "nextFrameCopy(1, 1).then(() => performance.now()); }); true")
        page.click("#play")
        played = time.monotonic()
        first_frame = (page.evaluate("window.firstFrame", timeout=600) - page.evaluate("window.playedAt")) / 1000
        frames, clock = page.evaluate("[window.framesDone, performance.now()]")
        level, changed = quality_level_of(page), None
        while time.monotonic() - played < first_frame + options.seconds:
            time.sleep(0.2)
            if quality_level_of(page) != level:
                level, changed = quality_level_of(page), time.monotonic() - played
        later_frames, later_clock = page.evaluate("[window.framesDone, performance.now()]")
        rate = (later_frames - frames) / ((later_clock - clock) / 1000)
        renderer_name = "SwiftShader" if options.swiftshader else "llvmpipe"
        last_step = f", last step {changed:.1f} s after Play" if changed is not None else ""
        print(f"{renderer_name}, window 640x360, {quality} (at {level} in the end{last_step}), "
              f"load average {os.getloadavg()[0]:.1f}: "
              f"page ready {ready:.1f} s after loading, first frame {first_frame:.1f} s after Play, "
              f"then {rate:.2f} frames/s ({later_frames - frames} frames in {options.seconds:.0f} s)")


if __name__ == "__main__":
    main()
