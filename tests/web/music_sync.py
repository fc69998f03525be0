"""Sound and picture together, as the page plays them. A tap in the page's
audio graph records the music where its source node plays into the output,
sample by sample, on the browser's audio thread; each of the page's frames is
logged with its clock reading and what the audio context said at that moment.
From those: when the sound reached the output after the click, whether the
recording is the music without a gap, and how far each frame's clock was from
the music heard as it was drawn.

The page's player on the audio thread takes the decoded music and each
play's first frame in messages; the tap keeps a copy of both, and the
recording must be that music sample for sample.
"""
from quorl_page import PATIENCE, check

# Before the page's own script, after quorl_page.INSTRUMENTS: the music handed
# to the page's player and every play it is asked for, and a tap beside each
# node that plays into an output. The tap
# posts its recording in chunks of up to 4096 frames, each with the context
# frame it starts at; once connected, it records silence when nothing plays.
# Chromium skips the tap for a moment once it starts (it moves the rendering
# to the worklet's thread): a chunk ends where the frames jump. The module is
# a data: address, which a page opened from disk may load (a blob: is not).
AUDIO_TAP = """
window.musicPlays = [];
window.tapChunks = [];
const tapModule = "data:text/javascript," + encodeURIComponent(`
class Tap extends AudioWorkletProcessor {
    constructor() { super(); this.recording = false; this.next(); }
    next() { this.first = -1; this.filled = 0; this.left = new Float32Array(4096); this.right = new Float32Array(4096); }
    post() {
        const left = this.left.slice(0, this.filled), right = this.right.slice(0, this.filled);
        this.port.postMessage({first: this.first, left: left, right: right}, [left.buffer, right.buffer]);
        this.next();
    }
    process(inputs) {
        const input = inputs[0];
        if (!this.recording && input.length === 0) return true;
        this.recording = true;
        if (this.filled > 0 && currentFrame !== this.first + this.filled) this.post();
        if (this.first < 0) this.first = currentFrame;
        if (input.length > 0) {
            this.left.set(input[0], this.filled);
            this.right.set(input[input.length - 1], this.filled);
        }
        this.filled += 128;
        if (this.filled === 4096) this.post();
        return true;
    }
}
registerProcessor("quorl-tap", Tap);
`);
const WorkletNode = window.AudioWorkletNode;
let musicChannels = null;
window.AudioWorkletNode = class extends WorkletNode {
    constructor(context, name, options) {
        super(context, name, options);
        const post = this.port.postMessage.bind(this.port);
        this.port.postMessage = (message, transfer) => {
            if (message.channels) musicChannels = message.channels.map((channel) => channel.slice());
            if (message.from !== undefined) musicPlays.push({context: context, music: musicChannels, from: message.from});
            return post(message, transfer);
        };
    }
};
const connectNode = AudioNode.prototype.connect;
AudioNode.prototype.connect = function (target) {
    const connected = connectNode.apply(this, arguments);
    if (target instanceof AudioDestinationNode) {
        const context = this.context;
        context.tap = context.tap || context.audioWorklet.addModule(tapModule).then(() => {
            const tap = new WorkletNode(context, "quorl-tap",
                                             {numberOfOutputs: 0, channelCount: 2, channelCountMode: "explicit"});
            tap.port.onmessage = (event) => tapChunks.push(event.data);
            return tap;
        });
        context.tap.then((tap) => connectNode.call(this, tap));
    }
    return connected;
};
"""

# Once the page is ready: the page's time of the next click (Play's), and a
# log of the page's frames, each with the output timestamp read just before it.
# The program's export replaces itself at its first call; the log stays.
LOG_FRAMES = """
(() => {
    window.frameLog = [];
    document.addEventListener("click", () => { window.clickedAt = window.clickedAt || performance.now(); }, true);
    let frame = Module._quorl_frame;
    const logged = (now, refresh) => {
        const context = audioContexts[audioContexts.length - 1];
        const stamp = context ? context.getOutputTimestamp() : {contextTime: 0, performanceTime: 0};
        const pageTime = performance.now(), contextTime = context ? context.currentTime : 0;
        const going = frame(now, refresh);
        frameLog.push({pageTime: pageTime, contextTime: contextTime, stampContextTime: stamp.contextTime,
                       stampPageTime: stamp.performanceTime, shown: Module._quorl_frame_seconds()});
        return going;
    };
    Object.defineProperty(Module, "_quorl_frame", {get: () => logged, set: (f) => { frame = f; }});
    return true;
})()
"""

# Holds the page's main thread, as a slow frame or a busy tab does: the page's
# times at which the hold began and ended.
STALL = """
((milliseconds) => {
    const start = performance.now();
    while (performance.now() - start < milliseconds) {}
    return [start, performance.now()];
})
"""

# A logged frame `f` that an output timestamp of the running sound judges.
JUDGED_FRAME = "(f.stampPageTime > 0 && Math.abs(f.pageTime - f.stampPageTime) < 100)"

# The recording against the music of the last play, and the frames against
# what was heard. Where the music at the play's offset was rendered is found
# by the first sound recorded: the music has it at one place after the offset.
# Frames the tap missed in its first half second are left unjudged; later
# ones fail the analysis. What is heard at a frame is the output timestamp
# carried on to the frame's time, but never past what the context has
# rendered (under load the audio thread falls behind the timestamp); a frame
# is judged only by a timestamp taken while the sound ran (a suspended
# context keeps its last one).
ANALYSIS = """
(() => {
    const start = musicPlays[musicPlays.length - 1];
    const rate = start.context.sampleRate;
    if (tapChunks.length === 0) return {error: "nothing recorded"};
    const first = tapChunks[0].first, last = tapChunks[tapChunks.length - 1];
    const total = last.first + last.left.length - first;
    const left = new Float32Array(total), right = new Float32Array(total), recorded = new Uint8Array(total);
    for (const chunk of tapChunks) {
        left.set(chunk.left, chunk.first - first);
        right.set(chunk.right, chunk.first - first);
        recorded.fill(1, chunk.first - first, chunk.first - first + chunk.left.length);
    }
    const missed = recorded.indexOf(0, rate / 2);
    if (missed >= 0) {
        const resumed = recorded.indexOf(1, missed);
        return {error: `the tap missed ${(((resumed < 0 ? total : resumed) - missed) / rate * 1000).toFixed(0)} ms `
                       + `from ${((first + missed) / rate).toFixed(3)} s on`};
    }
    const music = [start.music[0], start.music[start.music.length - 1]];
    const same = (i, m) => m < music[0].length && Math.abs(left[i] - music[0][m]) < 1e-6
                           && Math.abs(right[i] - music[1][m]) < 1e-6;
    const offset = start.from, offsetSeconds = start.from / rate;
    let sound = recorded.lastIndexOf(0, rate / 2) + 1;
    while (sound < total && Math.abs(left[sound]) < 1e-3) sound++;
    const span = 256;
    let found = -1;
    for (let m = offset; found < 0 && m < offset + 10 * rate && m + span < music[0].length; m++) {
        let k = 0;
        while (k < span && sound + k < total && same(sound + k, m + k)) k++;
        if (k === span) found = m;
    }
    if (found < 0) return {error: "the recording is not the music from where the play started"};
    const startFrame = first + sound - (found - offset);  // where the music at the offset was rendered
    let run = 0, gap = 0, gapAt = 0;
    for (let i = sound; i < total; i++) {
        run = same(i, offset + first + i - startFrame) ? 0 : run + 1;
        if (run > gap) {
            gap = run;
            gapAt = offsetSeconds + (first + i - run + 1 - startFrame) / rate;
        }
    }
    const heardAt = (f) => Math.min(f.contextTime, f.stampContextTime + (f.pageTime - f.stampPageTime) / 1000);
    const frames = frameLog.filter((f) => JUDGED_FRAME)
        .map((f) => ({pageTime: f.pageTime, shown: f.shown,
                      heard: Math.max(offsetSeconds, offsetSeconds + heardAt(f) - startFrame / rate)}));
    const stamped = frameLog.find((f) => f.stampPageTime > 0);
    const soundAt = stamped ? stamped.stampPageTime + (startFrame / rate - stamped.stampContextTime) * 1000 : NaN;
    return {clickToSound: (soundAt - clickedAt) / 1000, recorded: (total - sound) / rate, gap: gap / rate,
            gapAt: gapAt, frames: frames, allFrames: frameLog.length, clickedAt: clickedAt};
})()
""".replace("JUDGED_FRAME", JUDGED_FRAME)

# The page's frames are judged against the display's refresh: a frame that
# shows the music's time within one refresh shows what is heard.
ONE_FRAME = 1 / 60
# From the click to the music at the output.
CLICK_TO_SOUND = 0.1
LONGEST_GAP = 0.02
# How long a hand holds the mouse button down in a click.
HAND_CLICK = 0.1


def play_through_a_stall(page, after=10.0, stall=3.0):
    """Clicks Play, and holds the page's main thread for `stall` seconds once
    the music has played `after` seconds; returns once a frame to judge came
    after the stall and the music went on for a second more. The page's times at
    which the stall began and ended, in milliseconds."""
    page.evaluate(LOG_FRAMES)
    page.click("#play", held=HAND_CLICK)
    page.wait_until(f"Module._quorl_music_seconds() > {after}", timeout=PATIENCE)
    held = page.evaluate(f"{STALL}({stall * 1000})", timeout=stall + 60)
    heard = page.evaluate("Module._quorl_music_seconds()")
    page.wait_until(f"frameLog.some((f) => f.pageTime > {held[1]} && {JUDGED_FRAME}) && "
                    f"Module._quorl_music_seconds() > {heard + 1}", timeout=PATIENCE)
    return held


def check_together(page, stall, first_seconds=10.0):
    """The checks of a play through a stall: the sound at the output within
    CLICK_TO_SOUND of the click; the recording the music without a gap of
    more than LONGEST_GAP; every frame of the first `first_seconds` and the
    first frame after the stall within ONE_FRAME of the music heard. Returns
    the analysis, with `worst`, the largest offset of any frame."""
    result = page.evaluate(ANALYSIS)
    check("error" not in result, result.get("error"))
    frames = result["frames"]
    check(frames, f"no frame to judge of {result['allFrames']}")
    offsets = [frame["shown"] - frame["heard"] for frame in frames]
    result["worst"] = max(offsets, key=abs)
    check(result["clickToSound"] < CLICK_TO_SOUND, f"the sound came {result['clickToSound'] * 1000:.0f} ms after the click")
    check(result["gap"] <= LONGEST_GAP,
          f"the recorded music leaves the music for {result['gap'] * 1000:.0f} ms at {result['gapAt']:.3f} s "
          f"of {result['recorded']:.1f} s recorded")
    early = [(f["pageTime"], o) for f, o in zip(frames, offsets) if f["pageTime"] < result["clickedAt"] + first_seconds * 1000]
    check(early, f"no frame in the first {first_seconds} s")
    late = max(early, key=lambda frame: abs(frame[1]))
    check(abs(late[1]) <= ONE_FRAME, f"a frame {(late[0] - result['clickedAt']) / 1000:.2f} s after the click "
                                     f"showed {late[1] * 1000:+.0f} ms from the music heard")
    after = [(f, o) for f, o in zip(frames, offsets) if f["pageTime"] > stall[1]]
    check(after, "no frame after the stall")
    check(abs(after[0][1]) <= ONE_FRAME, f"the first frame after the stall showed {after[0][1] * 1000:+.0f} ms "
                                         f"from the music heard")
    return result


def summary(result):
    """One line for the test's output."""
    return (f"sound {result['clickToSound'] * 1000:.0f} ms after the click, {result['recorded']:.1f} s recorded, "
            f"longest gap {result['gap'] * 1000:.1f} ms, {len(result['frames'])} frames judged, "
            f"largest offset {result['worst'] * 1000:+.1f} ms")
