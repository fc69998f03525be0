#!/usr/bin/perl
# The headless harness's sound card (scripts/headless.sh): takes what a player
# plays, 16-bit stereo at 48000 Hz, from standard input (the pipe of ALSA's
# file plugin) in periods of 10 ms, each once the one before has had its time,
# as a card plays them, and writes it to OUT:
#
#   sound-sink.pl OUT [TAKEN]
#
# TAKEN, when given, gets a line per period: the wall-clock time at which the
# card took it (seconds since 1970) and its first and last frame, counted
# from the start; and, after what the card took as it started, "# pipe N":
# the bytes the pipe holds, sound that
# is not heard yet, of which the player knows nothing.
#
# A pipe holds sound given but not yet heard: at its default 64 KiB, 0.34 s,
# more than any sound card. So the pipe is made as small as Linux allows
# (4 KiB, 21 ms); what the player wrote before that, while the card started,
# is taken at once, as a card fills its buffer. A player that falls behind is
# waited for and the pace goes on from there, as a card that underruns would
# go on after its silence.
use strict;
use warnings;
use Fcntl;
use Time::HiRes qw(time sleep);

use constant {
    RATE => 48000,
    FRAME_BYTES => 4,
    PERIOD_FRAMES => 480,
    F_SETPIPE_SZ => 1031,
    F_GETPIPE_SZ => 1032,
    SMALLEST_PIPE => 4096,
};

my ($out_path, $taken_path) = @ARGV;
die "usage: sound-sink.pl OUT [TAKEN]\n" unless defined $out_path;
open(my $out, '>', $out_path) or die "sound-sink.pl: $out_path: $!\n";
binmode $out;
my $taken;
if (defined $taken_path) {
    open($taken, '>', $taken_path) or die "sound-sink.pl: $taken_path: $!\n";
}
$_->autoflush(1) for grep { defined } ($out, $taken);

my $frames = 0;
sub take {
    my ($bytes) = @_;
    print {$out} $bytes;
    my $count = int(length($bytes) / FRAME_BYTES);
    printf {$taken} "%.6f %d %d\n", time, $frames, $frames + $count - 1 if defined $taken && $count > 0;
    $frames += $count;
}

# Empties the pipe and shrinks it; the player may fill it again meanwhile.
# A number: fcntl passes a string ("0 but true") as a pointer.
my $flags = 0 + fcntl(STDIN, F_GETFL, 0);
for (my $tries = 0; $tries < 1000; ++$tries) {
    fcntl(STDIN, F_SETFL, $flags | O_NONBLOCK);
    my $waiting = '';
    while (sysread(STDIN, my $chunk, 65536)) { $waiting .= $chunk }
    fcntl(STDIN, F_SETFL, $flags);
    take($waiting) if length $waiting;
    last if fcntl(STDIN, F_SETPIPE_SZ, SMALLEST_PIPE);
}
printf {$taken} "# pipe %d\n", fcntl(STDIN, F_GETPIPE_SZ, 0) if defined $taken;

my $period_bytes = PERIOD_FRAMES * FRAME_BYTES;
my $start = time;
my $periods = 0;
while (1) {
    my $period = '';
    while (length($period) < $period_bytes) {
        my $read = sysread(STDIN, $period, $period_bytes - length($period), length($period));
        next if !defined $read && $!{EINTR};
        last unless $read;
    }
    last unless length $period;
    my $now = time;
    # Behind the pace: the player was late, the card goes on from now.
    $start = $now - $periods * PERIOD_FRAMES / RATE if $now > $start + ($periods + 1) * PERIOD_FRAMES / RATE;
    take($period);
    ++$periods;
    my $wait = $start + $periods * PERIOD_FRAMES / RATE - time;
    sleep($wait) if $wait > 0;
}
