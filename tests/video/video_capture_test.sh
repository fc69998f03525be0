#!/usr/bin/env bash
# quorl-capture --video as a user runs it, under the headless harness:
#   video_capture_test.sh CASE   (the cases are listed at the bottom)
# QUORL_CAPTURE names the executable under test, QUORL_MUSIC the Ogg Vorbis
# file that is built into it.
set -uo pipefail

capture=${QUORL_CAPTURE:?QUORL_CAPTURE must name quorl-capture}
music=${QUORL_MUSIC:?QUORL_MUSIC must name the embedded music}
work=$(mktemp -d)
out="$work/out"
mkdir "$out"
recorder=
encoder=
cleanup() {
  [ -n "$recorder" ] && kill -KILL -- "-$recorder" 2>/dev/null
  [ -n "$encoder" ] && kill -KILL "$encoder" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

is_below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# The video stream as ffprobe reads it, decoding every frame: one line.
video_stream() {
  ffprobe -v error -count_frames -select_streams v \
    -show_entries stream=codec_name,width,height,pix_fmt,r_frame_rate,nb_read_frames -of compact=nk=1:p=0 "$1"
}

audio_codec() {
  ffprobe -v error -select_streams a -show_entries stream=codec_name -of compact=nk=1:p=0 "$1"
}

# Seconds of decoded sound, at the rate the file gives its sound.
audio_seconds() {
  local rate
  rate=$(ffprobe -v error -select_streams a -show_entries stream=sample_rate -of csv=p=0 "$1")
  ffmpeg -v error -i "$1" -map 0:a -f s16le -ac 1 - | wc -c | awk -v rate="$rate" '{ printf "%.4f", $1 / 2 / rate }'
}

# How many dB the difference between FILE's sound and the music from clock
# reading START lies below that music: high when the two are in step, below 0
# when they are as little as 10 ms apart.
in_step_db() {
  ffmpeg -hide_banner -nostats -i "$1" -i "$music" -filter_complex \
    "[1:a]atrim=start=$2:duration=$3,asetpts=PTS-STARTPTS[music];[0:a][music]amerge=inputs=2,pan=stereo|c0=c0-c2|c1=c2,astats=measure_perchannel=RMS_level:measure_overall=none" \
    -f null - 2>&1 | awk -F': ' '/RMS level dB/ { level[n++] = $2 } END { printf "%.1f", level[1] - level[0] }'
}

# Puts an ffmpeg that runs the shell COMMANDS into $work/bin.
fake_encoder() {
  mkdir -p "$work/bin"
  printf '#!/bin/sh\n%s\n' "$1" >"$work/bin/ffmpeg"
  chmod +x "$work/bin/ffmpeg"
}

# Whether process PID runs (a zombie does not).
is_running() {
  [ -e "/proc/$1" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null
}

# Mean absolute difference per colour channel between two raw RGB files.
mean_difference() {
  paste <(od -An -v -tu1 -w1 "$1") <(od -An -v -tu1 -w1 "$2") |
    awk '{ d = $1 - $2; sum += d < 0 ? -d : d } END { printf "%.2f", sum / NR }'
}

# Records FROM to FROM + SECONDS at 10 fps and 320x180 into NAME in $out, and
# checks what ffprobe and ffmpeg read there: codecs, frames, size, rate,
# length and the music in step with the clock. The names look like ffmpeg's
# URLs and options on purpose: quorl-capture must write them as plain files.
check_recording() {
  local name=$1 from=$2 seconds=$3 frames=$4 video_codec=$5 sound_codec=$6
  local file="$out/$name" to
  to=$(awk -v a="$from" -v b="$seconds" 'BEGIN { print a + b }')
  (cd "$out" && "$capture" --video "$name" --from "$from" --to "$to" --fps 10 --size 320x180) 2>"$work/progress" ||
    fail "exit status $?: $(cat "$work/progress")"
  [ "$(ls "$out")" = "$name" ] || fail "left other than the video: $(ls "$out")"
  grep -Eq "^frame $frames of $frames, [0-9.]+ frames/s, 0s left$" "$work/progress" ||
    fail "no progress line: $(cat "$work/progress")"
  local stream
  stream=$(video_stream "$file")
  [ "$stream" = "$video_codec|320|180|yuv420p|10/1|$frames" ] || fail "video stream is '$stream'"
  [ "$(audio_codec "$file")" = "$sound_codec" ] || fail "sound is '$(audio_codec "$file")', not $sound_codec"
  local length
  length=$(audio_seconds "$file")
  # One block of the audio codec, at most, beyond the span.
  is_below "$(awk -v a="$length" -v b="$seconds" 'BEGIN { d = a - b; print d < 0 ? -d : d }')" 0.025 ||
    fail "$length s of sound for a span of $seconds s"
  local in_step
  in_step=$(in_step_db "$file" "$from" "$seconds")
  is_below 10 "$in_step" || fail "the sound is not the music from $from s: only $in_step dB in step"
  echo "$file: $stream, $sound_codec, $length s of sound, $in_step dB in step"
}

# Runs COMMAND, quorl-capture; expects exit status STATUS with exactly one
# line on standard error, besides the progress lines, that contains TEXT, and
# nothing left in $out.
expect_refusal() {
  local status=$1 text=$2
  shift 2
  "$@" 2>&1 >/dev/null | grep -v '^frame [0-9]* of ' >"$work/stderr"
  local got=${PIPESTATUS[0]}
  [ "$got" -eq "$status" ] || fail "exit status $got, not $status, for '$*': $(cat "$work/stderr")"
  [ "$(wc -l <"$work/stderr")" -eq 1 ] || fail "not one line of error for '$*': $(cat "$work/stderr")"
  grep -qF "quorl-capture: " "$work/stderr" || fail "error for '$*' does not name the tool: $(cat "$work/stderr")"
  grep -qF -- "$text" "$work/stderr" || fail "error for '$*' does not say '$text': $(cat "$work/stderr")"
  [ -z "$(ls -A "$out")" ] || fail "'$*' left $(ls -A "$out")"
  echo "refused '$*': $(cat "$work/stderr")"
}

case "${1:-}" in
  records_picture_and_music_in_step)
    check_recording "-clip.mp4" 27 0.5 5 h264 aac
    # Frame 2 shows the clock at 27.2 s: it matches the PNG of that reading,
    # scaled alike, and its neighbours, 0.1 s away, do not.
    "$capture" --at 27.2 --out "$work/still.png" || fail "--at: exit status $?"
    ffmpeg -v error -i "$work/still.png" -vf scale=320:180:flags=lanczos -f rawvideo -pix_fmt rgb24 "$work/still.rgb" &&
      ffmpeg -v error -i "$out/-clip.mp4" -f rawvideo -pix_fmt rgb24 "$work/frames.rgb" || fail "cannot decode"
    for frame in 1 2 3; do
      dd if="$work/frames.rgb" of="$work/frame$frame.rgb" bs=$((320 * 180 * 3)) skip=$frame count=1 status=none
      difference[$frame]=$(mean_difference "$work/still.rgb" "$work/frame$frame.rgb")
    done
    echo "mean differences from the still at 27.2 s, frames 1 2 3: ${difference[*]}"
    is_below "${difference[2]}" 4 || fail "frame 2 is not the frame at 27.2 s"
    is_below 6 "${difference[1]}" && is_below 6 "${difference[3]}" || fail "the neighbours of frame 2 look like it"
    ;;
  writes_webm_as_vp9_and_opus)
    check_recording "file:clip.webm" 27 0.1 1 vp9 opus
    ;;
  writes_mkv_as_h264_and_vorbis)
    check_recording "pipe:1.mkv" 27 0.1 1 h264 vorbis
    ;;
  stops_on_ctrl_c_and_leaves_nothing)
    # A group of its own, as a terminal gives it, so that the signal goes to
    # the whole group; ffmpeg must not be in it.
    setsid env --default-signal=INT "$capture" --video "$out/long.mp4" --from 20 --fps 10 2>"$work/stderr" &
    recorder=$!
    for _ in $(seq 300); do
      grep -q '^frame 1 of' "$work/stderr" && break
      sleep 0.1
    done
    compgen -G "$out/long.mp4.partial*" >/dev/null ||
      fail "no partial file while recording: $(ls -A "$out") $(cat "$work/stderr")"
    encoding=$(pgrep -f "$out/long.mp4.partial") || fail "no ffmpeg while recording"
    [ "$(ps -o pgid= -p "$encoding" | tr -d ' ')" != "$recorder" ] || fail "ffmpeg would get the terminal's Ctrl-C too"
    kill -INT -- "-$recorder"
    wait "$recorder"
    status=$?
    recorder=
    [ "$status" -eq 130 ] || fail "exit status $status after Ctrl-C: $(cat "$work/stderr")"
    [ "$(tail -n 1 "$work/stderr")" = "quorl-capture: stopped by SIGINT; no unfinished file is left" ] ||
      fail "last words: $(tail -n 1 "$work/stderr")"
    [ -z "$(ls -A "$out")" ] || fail "left $(ls -A "$out")"
    pgrep -f "$out/long.mp4" >/dev/null && fail "ffmpeg still runs"
    ;;
  reports_a_failing_encoder)
    fake_encoder 'echo "first complaint" >&2; echo "No space left on device" >&2; exit 1'
    expect_refusal 1 "ffmpeg failed: No space left on device" \
      env PATH="$work/bin:$PATH" "$capture" --video "$out/a.mp4" --from 20 --to 20.1 --fps 10
    ;;
  refuses_an_empty_video_that_ffmpeg_calls_done)
    fake_encoder 'cat >/dev/null; exit 0'
    expect_refusal 1 "ffmpeg wrote no readable video to '$out/a.mp4'" \
      env PATH="$work/bin:$PATH" "$capture" --video "$out/a.mp4" --from 20 --to 20.1 --fps 10
    ;;
  ends_the_encoder_when_killed)
    # An encoder that neither reads nor ends by itself.
    fake_encoder "echo \$\$ >'$work/encoder.pid'; exec sleep 60"
    PATH="$work/bin:$PATH" setsid "$capture" --video "$out/a.mp4" --from 20 --to 21 --fps 10 2>"$work/stderr" &
    recorder=$!
    for _ in $(seq 600); do
      [ -s "$work/encoder.pid" ] && break
      sleep 0.1
    done
    encoder=$(cat "$work/encoder.pid") || fail "no ffmpeg started: $(cat "$work/stderr")"
    kill -KILL "$recorder"
    wait "$recorder"
    recorder=
    for _ in $(seq 50); do
      is_running "$encoder" || break
      sleep 0.1
    done
    is_running "$encoder" && fail "ffmpeg goes on after quorl-capture was killed"
    encoder=
    [ ! -e "$out/a.mp4" ] || fail "a video under its final name after SIGKILL"
    ;;
  refuses_times_past_the_end)
    expect_refusal 1 "--to 68.6 is past the demo's end at 68.5714 s" "$capture" --video "$out/a.mp4" --from 68 --to 68.6
    expect_refusal 1 "--from 68.6 is not before the demo's end" "$capture" --video "$out/a.mp4" --from 68.6
    # The span is known once the demo's end is: still before any frame is made.
    expect_refusal 2 "the video has more than 100000000 frames" "$capture" --video "$out/a.mp4" --fps 1e9
    ;;
  rejects_bad_requests_before_rendering)
    # No display: any of these that got as far as rendering would fail otherwise.
    expect_refusal 2 "the video has more than 100000000 frames" "$capture" --video "$out/a.mp4" --to 60 --fps 1e9
    expect_refusal 2 "the video has more than 100000000 frames" "$capture" --video "$out/a.mp4" --to 1 --fps 1e300
    expect_refusal 2 "--from '1e-400' is a number too small to hold" "$capture" --video "$out/a.mp4" --from 1e-400
    mkdir "$work/taken.mp4"
    expect_refusal 1 "cannot write '$work/taken.mp4': it is not a regular file" "$capture" --video "$work/taken.mp4"
    expect_refusal 2 "--fps must be above 0" "$capture" --video "$out/a.mp4" --fps 0
    expect_refusal 2 "--fps 'x' is not a finite number" "$capture" --video "$out/a.mp4" --fps x
    expect_refusal 2 "--size '641x360': each side must be an even number of pixels" "$capture" --video "$out/a.mp4" --size 641x360
    expect_refusal 2 "--from 'nan' is not a finite number" "$capture" --video "$out/a.mp4" --from nan
    expect_refusal 2 "--to must come after --from" "$capture" --video "$out/a.mp4" --from 2 --to 1
    expect_refusal 2 "is not named FILE.mp4, FILE.mkv or FILE.webm" "$capture" --video "$out/a.avi"
    expect_refusal 1 "cannot write '$out/missing/a.mp4'" "$capture" --video "$out/missing/a.mp4"
    expect_refusal 1 "install it with: apt-get install ffmpeg" env PATH="$work/nowhere" "$capture" --video "$out/a.mp4"
    ;;
  *)
    fail "unknown case '${1:-}'"
    ;;
esac
echo PASS
