#!/bin/sh
# Runs a window test on a virtual X display with a window manager, for what
# only a real frame shows; exits 77 (skipped) when either is missing.
command -v xvfb-run >/dev/null && command -v openbox >/dev/null || exit 77
exec xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    openbox >/dev/null 2>&1 & wm=$!
    sleep 1
    QT_QPA_PLATFORM=xcb "$@"; status=$?
    kill $wm
    exit $status' sh "$@"
