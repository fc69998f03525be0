"""The page's shader along another compiler stack: Chromium's ANGLE on its own
SwiftShader (Vulkan on the processor) against ANGLE on Mesa's llvmpipe, which
draws every other page test and whose frames are the desktop's
(page_test.py frames_match_the_desktop). SwiftShader takes half a minute for
a frame of 1920x1080, so both draw at Quarter quality (480x270, scaled up to
the canvas), with the clock held at one reading of each section; each canvas
is read back at 480x270 and the two compared.

    swiftshader_test.py

Exit status 0 when they agree; otherwise the reason is on standard error.
"""
import sys

from devtools import Browser
from quorl_page import PATIENCE, RENDERER, WINDOW, Failure, check, choose_quality, open_ready_page, served_page

# The city with the flock, the tower, the stream of seagulls.
READINGS = [27.0, 40.0, 47.5]
# Measured: a mean difference of 0.12 to 0.36 per channel, the largest 153
# (grazed edges, seagulls' outlines), 0.15% to 0.49% of pixels more than 16
# off. Frames 0.1 s apart differ by a mean of 15 or more.
MEAN_LIMIT = 1.0
FAR_SHARE = 0.015
FAR_OFF = 16

WEBGL_RENDERER = """
(() => {
    const gl = document.createElement("canvas").getContext("webgl2");
    return gl.getParameter(gl.getExtension("WEBGL_debug_renderer_info").UNMASKED_RENDERER_WEBGL);
})()
"""
COPY = "nextFrameCopy(480, 270).then((data) => Array.from(data))"


def frames(flags, url):
    """The renderer's name and the page's frames at the readings."""
    with Browser(flags + WINDOW, timeout=PATIENCE) as browser:
        page = open_ready_page(browser, f"{url}?at={READINGS[0]}&hold")
        choose_quality(page, "Quarter")
        page.click("#play")
        copies = []
        for seconds in READINGS:
            if seconds != READINGS[0]:
                page.evaluate(f"Module._quorl_play({seconds}, 1)")
            copies.append(page.evaluate(COPY, timeout=PATIENCE))
        return page.evaluate(WEBGL_RENDERER), copies


def main():
    with served_page() as url:
        llvmpipe, references = frames(RENDERER, url)
        swiftshader, copies = frames([], url)
    print(f"reference: {llvmpipe}\nother: {swiftshader}")
    check("llvmpipe" in llvmpipe, f"the reference is drawn by {llvmpipe}")
    check("SwiftShader" in swiftshader, f"the page is drawn by {swiftshader}, not SwiftShader")
    for seconds, reference, copy in zip(READINGS, references, copies):
        check(min(reference[3::4]) == 255 and min(copy[3::4]) == 255, f"{seconds} s: a copy of a canvas not drawn")
        largest, total, far = 0, 0, 0
        for i in range(0, len(copy), 4):
            worst = max(abs(copy[i + c] - reference[i + c]) for c in range(3))
            largest = max(largest, worst)
            total += sum(abs(copy[i + c] - reference[i + c]) for c in range(3))
            far += worst > FAR_OFF
        pixels = len(copy) // 4
        mean, share = total / (pixels * 3), far / pixels
        print(f"{seconds} s: largest difference {largest}, mean {mean:.3f}, {100 * share:.3f}% of pixels more than "
              f"{FAR_OFF} off")
        check(mean <= MEAN_LIMIT and share <= FAR_SHARE,
              f"{seconds} s: SwiftShader's frame differs from llvmpipe's by more than a mean of {MEAN_LIMIT} or "
              f"{100 * FAR_SHARE}% of pixels far off")


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
