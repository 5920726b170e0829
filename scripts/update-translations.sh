#!/bin/sh
# Makes the English catalogue again from the sources: new texts are added
# unfinished, texts gone from the code are dropped.
#   scripts/update-translations.sh [TS_FILE]   (default translations/wireprobedesk_en.ts)
# LUPDATE names the program (default: Qt 6's lupdate). The test command runs
# the same into a copy to check that the catalogue is up to date.
set -eu
ts=$(realpath -m "${1:-$(dirname "$0")/../translations/wireprobedesk_en.ts}")
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-$(command -v /usr/lib/qt6/bin/lupdate || command -v lupdate6 || command -v lupdate || true)}
[ -n "$lupdate" ] || { echo "update-translations: lupdate is not installed (apt-get install qt6-l10n-tools)" >&2; exit 2; }
exec "$lupdate" -silent -I . -locations none -no-obsolete -source-language ja -target-language en \
    core gui app cli -ts "$ts"
