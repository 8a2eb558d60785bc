#!/bin/sh
# faked-time.sh WHEN COMMAND [ARGS...]
# Runs COMMAND under faketime with the clock starting at WHEN. The monotonic
# clock stays real so that timers fire, and file times are left alone.
#
# faketime names its semaphore and shared memory after its own process id and
# leaves both behind when it is killed, as the screenshot tests kill it. A later
# faketime that is given the same id then refuses to start ("sem_open: File
# exists"). This script execs faketime, so that id is ours: whatever carries it
# in /dev/shm belongs to a dead namesake and is cleared first.
rm -f "/dev/shm/sem.faketime_sem_$$" "/dev/shm/faketime_shm_$$"
NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1
export NO_FAKE_STAT FAKETIME_DONT_FAKE_MONOTONIC
exec faketime "$@"
