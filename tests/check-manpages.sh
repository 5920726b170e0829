#!/bin/sh
# The manual pages render without a warning, and wireprobe-send's page describes
# exactly the options its --help lists: each long and short form has an entry in
# OPTIONS, and no entry names an option the program no longer has.
#   tests/check-manpages.sh SOURCE_DIR WIREPROBE_SEND
set -eu
# man warns about a locale that is not installed; C.UTF-8 always is.
LC_ALL=C.UTF-8
export LC_ALL
[ $# -eq 2 ] || { echo "usage: $0 SOURCE_DIR WIREPROBE_SEND" >&2; exit 2; }
man_dir=$1/docs/man
send=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "manpages: $*" >&2
    failed=1
}

for page in "$man_dir"/*.1; do
    name=$(basename "$page")
    warnings=$(groff -ww -z -man "$page" 2>&1) || fail "$name: groff failed"
    [ -z "$warnings" ] || fail "$name: groff warns: $warnings"
    if command -v man >/dev/null; then
        warnings=$(man --warnings -l "$page" 2>&1 >/dev/null) || fail "$name: man failed"
        [ -z "$warnings" ] || fail "$name: man warns: $warnings"
    fi
done

# Options as --help prints them: a line of two blanks and the option's forms, then
# the description after two blanks or more ("  -t, --timeout <SECONDS>  ...").
"$send" --help >"$work/help" || fail "wireprobe-send --help failed"
# Each form is a word that starts with a dash, after the line's start, a blank or a comma.
forms() {
    grep -oE -- '(^|[ ,])--?[A-Za-z0-9][-A-Za-z0-9]*' | sed 's/^[ ,]*//' | sort -u
}
sed -n 's/^  \(-[^ ].*\)$/\1/p' "$work/help" | sed 's/  .*//' | forms >"$work/help-options"
[ -s "$work/help-options" ] || fail "no options found in wireprobe-send --help"

# The page's OPTIONS entries: plain text on one long line each; an entry's heading
# starts at the first indent with its option, its description lies deeper.
groff -man -Tascii -rLL=300n -P-cbou "$man_dir/wireprobe-send.1" 2>/dev/null \
    | sed -n '/^OPTIONS$/,/^[A-Z]/p' | grep '^       -' | forms >"$work/page-options"

missing=$(comm -23 "$work/help-options" "$work/page-options" | tr '\n' ' ')
[ -z "$missing" ] || fail "wireprobe-send(1) OPTIONS has no entry for: $missing"
stale=$(comm -13 "$work/help-options" "$work/page-options" | tr '\n' ' ')
[ -z "$stale" ] || fail "wireprobe-send(1) OPTIONS describes options --help does not list: $stale"

[ $failed -eq 0 ] || exit 1
echo "manual pages render cleanly; wireprobe-send(1) has all $(wc -l <"$work/help-options") option forms"
