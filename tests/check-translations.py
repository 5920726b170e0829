#!/usr/bin/env python3
"""The English catalogue is up to date with the code and complete.

lupdate runs over the sources into a copy of translations/wireprobedesk_en.ts
(scripts/update-translations.sh, as a developer runs it): it must find no new
text and drop none. Every entry of the catalogue is translated, none is
obsolete or vanished, and each translation uses exactly the placeholders of
its source (%1 missing or doubled would show the wrong text).

    tests/check-translations.py SOURCE_DIR LUPDATE

Exit 77 (skipped) when lupdate is not installed.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def messages(path):
    """(context, source, disambiguation) -> the translation element."""
    out = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for m in context.iter("message"):
            out[(name, m.findtext("source"), m.findtext("comment") or "")] = m.find("translation")
    return out


def main():
    if len(sys.argv) != 3:
        print("usage: check-translations.py SOURCE_DIR LUPDATE", file=sys.stderr)
        return 2
    source_dir, lupdate = sys.argv[1], sys.argv[2]
    if not (os.path.isfile(lupdate) and os.access(lupdate, os.X_OK)):
        print(f"check-translations: {lupdate} is not installed (qt6-l10n-tools); skipped")
        return 77
    catalogue = os.path.join(source_dir, "translations", "wireprobedesk_en.ts")
    problems = []
    with tempfile.TemporaryDirectory() as work:
        copy = os.path.join(work, "wireprobedesk_en.ts")
        shutil.copyfile(catalogue, copy)
        run = subprocess.run([os.path.join(source_dir, "scripts", "update-translations.sh"), copy],
                             env=dict(os.environ, LUPDATE=lupdate), capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout + run.stderr, file=sys.stderr)
            return 1
        # lupdate's warnings name texts it could not file under a context.
        problems += [f"lupdate: {line}" for line in run.stderr.splitlines() if line.strip()]
        before, after = messages(catalogue), messages(copy)
    problems += [f"new text, not in the catalogue: {k[0]}: {k[1]!r}" for k in after.keys() - before.keys()]
    problems += [f"text gone from the code: {k[0]}: {k[1]!r}" for k in before.keys() - after.keys()]
    for (context, source, _), translation in before.items():
        kind = translation.get("type")
        if kind:
            problems.append(f"{kind}: {context}: {source!r}")
        elif not translation.text:
            problems.append(f"empty translation: {context}: {source!r}")
        elif sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", translation.text)):
            problems.append(f"placeholders differ: {context}: {source!r} -> {translation.text!r}")
    for p in problems:
        print(f"check-translations: {p}", file=sys.stderr)
    if problems:
        print("check-translations: scripts/update-translations.sh brings the catalogue up to date; "
              "then translate what it marks unfinished", file=sys.stderr)
        return 1
    print(f"check-translations: {len(before)} texts, all translated, the catalogue up to date with the code")
    return 0


if __name__ == "__main__":
    sys.exit(main())
