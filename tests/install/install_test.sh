#!/usr/bin/env bash
# Installs Vallo from the build folder given as the only argument into a temporary prefix,
# validates the desktop entry and the AppStream file, then starts the installed program from a
# read-only copy of that prefix (offscreen) and checks that it keeps its own files under the
# user's XDG folders and writes nothing into the program's folders.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    chmod -R u+w "$tmp"
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
p=$tmp/prefix
for f in bin/vallo share/vallo/sys/Pen.BMP share/vallo/sys/ICON.BMP share/vallo/sys/Empty.BMP \
         share/vallo/sys/Bar.bmp share/vallo/help/index.html share/applications/vallo.desktop \
         share/icons/hicolor/scalable/apps/vallo.svg share/metainfo/org.vallo.vallo.metainfo.xml; do
    [ -f "$p/$f" ] || fail "$f was not installed"
done
[ "$(stat -c %s "$p/share/vallo/palette/vallo.vp3")" = 1056 ] || fail "default palette"
for s in 16 32 48 64 128; do
    # IHDR's width and height, big-endian, after the signature.
    icon=$p/share/icons/hicolor/${s}x${s}/apps/vallo.png
    [ "$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4, $7*256+$8}')" = "$s $s" ] ||
        fail "no ${s}x${s} icon"
done
desktop-file-validate "$p/share/applications/vallo.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$p/share/metainfo/org.vallo.vallo.metainfo.xml" ||
    fail "appstreamcli validate"

# The installed program from a read-only copy.
cp -a "$p" "$tmp/ro"
chmod -R a-w "$tmp/ro"
before=$(cd "$tmp/ro" && find . | sort)
mkdir -p "$tmp/home"
HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data XDG_RUNTIME_DIR=$tmp \
    QT_QPA_PLATFORM=offscreen "$tmp/ro/bin/vallo" >"$tmp/log" 2>&1 &
pid=$!
for _ in $(seq 100); do
    [ -f "$tmp/data/vallo/palette/vallo.vp3" ] && break
    sleep 0.2
done
cmp -s "$tmp/data/vallo/palette/vallo.vp3" "$p/share/vallo/palette/vallo.vp3" ||
    fail "the shipped palette was not copied to XDG_DATA_HOME"
sleep 1 # let the deferred start-up step run
kill -TERM "$pid" # the program closes its main window and writes its configuration
for _ in $(seq 100); do
    [ -f "$tmp/config/vallo/vallo.ini" ] && break
    sleep 0.2
done
[ -f "$tmp/config/vallo/vallo.ini" ] || { cat "$tmp/log" >&2; fail "no vallo.ini under XDG_CONFIG_HOME"; }
[ -f "$tmp/config/vallo/size.txt" ] && [ -f "$tmp/config/vallo/bai.txt" ] || fail "list files"
grep -q '^\[Lupe\]' "$tmp/config/vallo/vallo.ini" || fail "vallo.ini holds no settings"
after=$(cd "$tmp/ro" && find . | sort)
[ "$before" = "$after" ] || fail "the program wrote into its own folders"
echo "install test passed"
