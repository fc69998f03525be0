"""quorl.exe under Wine shows, in each of the demo's three sections, the frame
that quorl-capture renders at the same clock reading; Escape then ends it with
status 0, once the frame in progress is done.

    pictures_match_the_capture.py QUORL_EXE QUORL_CAPTURE PICTURE_DIRECTORY

Runs under the headless harness (a display, Mesa's software renderer, a sound
device). Wine's trace of the OpenGL calls tells when a frame has been
presented (the next frame's first call follows its swap); the probe preloaded
into Wine (QUORL_FRAME_CLOCK_PROBE, tests/e2e/frame_clock_probe.c) notes at
each swap the clock reading that the frame gave the shader. On the software
renderer a frame takes seconds, so when a frame has just been presented the
screen keeps it while the next one is rendered, and is grabbed then. The
grabs and the captures are left in PICTURE_DIRECTORY. Exit status 0 when the
case passes; otherwise the reason is on standard error.
"""
import os
import queue
import subprocess
import sys
import threading
import time

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WINE = os.path.join(SOURCE, "scripts", "wine.sh")

# The clock readings to show each section at: after the fade from black, away
# from the cuts at 32.914 s and 43.886 s and from the end at 68.571 s.
SECTIONS = [("city", 3.0, 32.85), ("tower", 32.95, 43.85), ("stream", 43.95, 68.3)]
# The frames are compared at a quarter of their size, by their mean difference
# per channel: the same frame differs by well under 1, a frame a few
# milliseconds off by 1 to 5 (the stream's camera and seagulls are fast),
# another section or a black frame by 6 or more.
SIZE = (480, 270)
MEAN_DIFFERENCE_BOUND = 3.0
# A frame this dark is no picture: a shader that draws nothing leaves black.
LIT_BOUND = 20.0
# Wine's start, the frames on the software renderer and its compiler.
PATIENCE = 400
EXIT_PATIENCE = 30
# Seconds between the end of a grab and the next frame on screen, for the
# line that tells of it to come through.
GRAB_MARGIN = 0.1


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def rgb(png):
    """The picture's pixels at SIZE, as bytes of red, green and blue."""
    return subprocess.run(["ffmpeg", "-nostdin", "-loglevel", "error", "-i", png, "-vf",
                           f"scale={SIZE[0]}:{SIZE[1]}:flags=area", "-pix_fmt", "rgb24", "-f", "rawvideo", "-"],
                          check=True, capture_output=True).stdout


def grab_screen(png):
    subprocess.run(["ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-f", "x11grab", "-draw_mouse", "0",
                    "-video_size", "1920x1080", "-i", os.environ["DISPLAY"], "-frames:v", "1", png], check=True)


class TracedDemo:
    """quorl.exe under Wine, its output and Wine's OpenGL trace read line by
    line on a thread of their own, each line with the time it arrived."""

    def __init__(self, exe, clock_log):
        environment = dict(os.environ, WINEDEBUG="-all,+timestamp,trace+opengl,trace+wgl,err+module",
                           LD_PRELOAD=os.environ["QUORL_FRAME_CLOCK_PROBE"], QUORL_FRAME_CLOCK_LOG=clock_log)
        self.process = subprocess.Popen([WINE, exe], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                        stdin=subprocess.DEVNULL, env=environment)
        self.started = time.monotonic()
        self.lines = queue.Queue()
        self.log = []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.process.stdout:
            line = raw.decode(errors="replace").rstrip("\r\n")
            self.lines.put((time.monotonic(), line))
            if ":trace:" not in line:
                self.log.append(line)
        self.lines.put((time.monotonic(), None))

    def output(self):
        """The demo's own lines and Wine's messages, without the trace: its last 20."""
        return "\n".join(self.log[-20:])

    def next_line(self, deadline):
        try:
            arrival, line = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
        except queue.Empty:
            raise Failure("no output from the demo for too long") from None
        return arrival, line


def wine_time(line):
    """Wine's time stamp of a trace line, in seconds; None for the demo's own lines."""
    stamp, _, rest = line.partition(":")
    if ":trace:" not in line or not rest:
        return None
    try:
        return float(stamp)
    except ValueError:
        return None


def last_reading(clock_log):
    """The clock reading of the last frame swapped in, from the probe's log."""
    with open(clock_log) as log:
        lines = log.read().split("\n")
    return float([line for line in lines if line][-1].split()[1])


def frames_shown(demo, clock_log, deadline):
    """(reading, arrival) of each frame as soon as it is on screen: the reading
    of the clock it was rendered at, and the arrival of the line that marks its
    presentation."""
    presented = False  # the last frame is presented; the next has not begun
    while True:
        arrival, line = demo.next_line(deadline)
        if line is None:
            return
        if wine_time(line) is None:
            continue
        if "wglSwapBuffers" in line:
            presented = True
        elif presented and ":trace:opengl:" in line:
            # The next frame's first call: the last one is on screen, and the
            # probe has noted its reading.
            presented = False
            yield last_reading(clock_log), arrival


def section_of(reading):
    return next((name for name, start, end in SECTIONS if start <= reading <= end), None)


def main(exe, capture, pictures):
    os.makedirs(pictures, exist_ok=True)
    clock_log = os.path.join(pictures, "frame-clock.log")
    demo = TracedDemo(exe, clock_log)
    grabs = {}
    try:
        shown = frames_shown(demo, clock_log, time.monotonic() + PATIENCE)
        waiting = None  # the grab that waits for the next frame to be shown
        first = True
        for reading, shown_at in shown:
            if first:
                print(f"first frame on screen {shown_at - demo.started:.1f} s after the start", flush=True)
                first = False
            if waiting is not None:
                # The grab showed its frame if it ended before the next one was on screen.
                check(waiting[2] < shown_at - GRAB_MARGIN,
                      f"the grab of the frame at {waiting[0]:.3f} s ended as the next frame was shown")
                waiting = None
                if len(grabs) == len(SECTIONS):
                    break
            name = section_of(reading)
            if name is None or name in grabs:
                continue
            png = os.path.join(pictures, f"wine-{name}.png")
            grab_screen(png)
            grabs[name] = waiting = (reading, png, time.monotonic())
            print(f"{name}: grabbed the frame at {reading:.3f} s", flush=True)
        check(len(grabs) == len(SECTIONS) and waiting is None,
              f"the demo ended without a frame shown in each section: {sorted(grabs)}")

        subprocess.run(["xdotool", "key", "Escape"], check=True)
        pressed = time.monotonic()
        status = demo.process.wait(timeout=EXIT_PATIENCE)
    except subprocess.TimeoutExpired:
        raise Failure(f"still running {EXIT_PATIENCE} s after Escape") from None
    finally:
        if demo.process.poll() is None:
            demo.process.kill()
            demo.process.wait()
    check(status == 0, f"exit status {status} after Escape; the demo's last lines:\n{demo.output()}")
    print(f"ended {time.monotonic() - pressed:.1f} s after Escape")

    for name, (reading, png, _) in grabs.items():
        wine = rgb(png)
        reference = os.path.join(pictures, f"capture-{name}.png")
        capture_frames(capture, ["--at", f"{reading:.6f}", "--out", reference])
        brightness = sum(rgb(reference)) / (SIZE[0] * SIZE[1] * 3)
        check(brightness > LIT_BOUND, f"{name}: the capture at {reading:.3f} s is dark ({brightness:.1f})")
        mean = mean_difference(wine, rgb(reference))
        print(f"{name} at {reading:.3f} s: mean difference {mean:.2f} per channel from the capture;"
              f" capture brightness {brightness:.1f}")
        check(mean < MEAN_DIFFERENCE_BOUND,
              f"{name}: the window at {reading:.3f} s differs from quorl-capture's frames by {mean:.2f} per channel"
              f" (see {png} and {reference})")


def capture_frames(capture, arguments):
    done = subprocess.run([capture, *arguments], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    check(done.returncode == 0, f"quorl-capture {' '.join(arguments)} failed: {done.stderr.strip()[-500:]}")


def mean_difference(a, b):
    return sum(abs(x - y) for x, y in zip(a, b)) / len(a)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: pictures_match_the_capture.py QUORL_EXE QUORL_CAPTURE PICTURE_DIRECTORY")
    try:
        main(*sys.argv[1:])
    except Failure as failure:
        sys.exit(f"FAIL: {failure}")
    print("PASS")
