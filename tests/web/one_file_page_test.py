"""The release archive's page, build-web/one-file/quorl.html, alone in a
folder and opened straight from disk (file://) in headless Chromium: it
fetches nothing, not even from beside it, plays its sound and frames after
Play, keeps them together from the start and through a 3 s hold of its main
thread (as the served page does), and logs no errors.

QUORL_WEB_BUILD names the browser build and QUORL_SOURCE the repository.
Exit status 0 when it passes; otherwise the reason is on standard error.
"""
import os
import shutil
import sys
import tempfile

from devtools import Browser, DevToolsError
from music_sync import AUDIO_TAP, check_together, play_through_a_stall, summary
from quorl_page import (CANVAS_SUMMARY, INSTRUMENTS, PATIENCE, RENDERER, WEB_BUILD, WINDOW, Failure, check,
                        choose_quality, no_console_errors, open_ready_page, state_of)


def main():
    with tempfile.TemporaryDirectory() as folder, Browser(RENDERER + WINDOW, timeout=PATIENCE) as browser:
        page_file = os.path.join(folder, "quorl.html")
        shutil.copyfile(os.path.join(WEB_BUILD, "one-file", "quorl.html"), page_file)
        url = "file://" + page_file
        page = open_ready_page(browser, url, INSTRUMENTS + AUDIO_TAP)
        choose_quality(page, "Quarter")
        stall = play_through_a_stall(page)
        check(state_of(page) == "playing", f"the page is '{state_of(page)}' after Play")
        picture = page.evaluate(CANVAS_SUMMARY)
        check(picture["brightness"] > 10, f"the canvas stays black: {picture}")
        together = check_together(page, stall)

        # The page itself, the program from its own text (a blob: address) and
        # the .wasm from the program's (a data: address).
        requests = [event["params"]["request"]["url"]
                    for event in browser.events("Network.requestWillBeSent", page.session)]
        fetched = [address[:100] for address in requests
                   if address != url and not address.startswith(("blob:", "data:"))]
        check(not fetched, f"the page fetched {fetched}")
        no_console_errors(page)
        print(f"{os.path.getsize(page_file)} bytes, requests {[a.split(':')[0] for a in requests]}, {picture}; "
              f"{summary(together)}")


if __name__ == "__main__":
    try:
        main()
    except (Failure, TimeoutError, DevToolsError) as failure:
        sys.exit(f"FAIL: {failure}")
    print("PASS")
