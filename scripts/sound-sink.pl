#!/usr/bin/perl
# The headless harness's sound card (scripts/headless.sh): takes what a player
# plays, 16-bit stereo at 48000 Hz, from standard input (the pipe of ALSA's
# file plugin) in periods of 10 ms, each once the one before has had its time,
# as a card plays them, and writes it to OUT:
#
#   sound-sink.pl OUT [TAKEN]
#
# TAKEN, when given, gets a line per period: the wall-clock time at which the
# card took it (seconds since 1970), its first and last frame, counted from
# the start, and the bytes then waiting in the pipe.
#
# The pipe holds sound given but not yet heard (up to Linux's default 64 KiB,
# 0.34 s, more than a sound card holds), of which the player knows nothing: a
# delay of the harness's own, which a test of timing sets aside with the
# bytes waiting. Its slack also carries a player on a loaded machine (Wine's
# sound thread, say) through a moment without a processor. The card keeps to
# the wall clock: behind it (the card itself was kept from running, or the
# player was late), it takes what is there at once until it has caught up, as
# a card's hardware plays on.
use strict;
use warnings;
use Time::HiRes qw(time sleep);

use constant {
    RATE => 48000,
    FRAME_BYTES => 4,
    PERIOD_FRAMES => 480,
    FIONREAD => 0x541B,
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
    if (defined $taken && $count > 0) {
        my $waiting = pack('i', 0);
        ioctl(STDIN, FIONREAD, $waiting);
        printf {$taken} "%.6f %d %d %d\n", time, $frames, $frames + $count - 1, unpack('i', $waiting);
    }
    $frames += $count;
}

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
    take($period);
    ++$periods;
    my $wait = $start + $periods * PERIOD_FRAMES / RATE - time;
    sleep($wait) if $wait > 0;
}
