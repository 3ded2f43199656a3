#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what desktops and users read there: the desktop
# entry and the AppStream metainfo (validated), the icon, and the man pages (no formatter warnings, and
# every option that the installed programs' --help lists is documented).
#   tests/install/validate-install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share

desktop-file-validate "$share/applications/org.corvex.Corvex.desktop"
appstreamcli validate --no-net --explain "$share/metainfo/org.corvex.Corvex.metainfo.xml"
grep -q '<svg' "$share/icons/hicolor/scalable/apps/org.corvex.Corvex.svg"

for program in corvex corvex-render; do
    page=$share/man/man1/$program.1
    warnings=$(LC_ALL=C MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || { echo "$page: $warnings" >&2; exit 1; }
    text=$(LC_ALL=C MANWIDTH=250 man -l "$page" 2>/dev/null)
    options=$("$prefix/bin/$program" --help | grep -oE -- '^ +(-[a-z], )?--[a-z-]+' | grep -oE -- '--[a-z-]+')
    for option in $options; do
        grep -qF -- "$option" <<<"$text" || { echo "$page does not document $option" >&2; exit 1; }
    done
    echo "$page documents $(wc -w <<<"$options") options"
done
