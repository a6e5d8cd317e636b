#!/usr/bin/env bash
# Builds the .deb with CPack and checks it as a distribution would: the files and where they go,
# the control fields, the desktop entry, the AppStream data, the manual pages, the shell completion,
# lintian without errors, and that the installed simulator finds its factory images.
#   check_package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d)
sim=""
trap '[ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb lintian desktop-file-validate appstreamcli man; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/out/vandor_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no package $deb"

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vandor ] || fail "package name"
[ "$(field Version)" = "$version" ] || fail "version $(field Version)"
[ "$(field Section)" = electronics ] || fail "section"
[ -n "$(field Maintainer)" ] || fail "maintainer"
for dep in libqt5widgets5 libusb-1.0-0 libc6; do
    field Depends | grep -q "$dep" || fail "Depends lacks $dep: $(field Depends)"
done
dpkg-deb -I "$deb" postinst | grep -q "udevadm control --reload-rules" || fail "postinst does not reload udev rules"

# The files and where they go.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
for f in /usr/bin/vandor /usr/bin/vandor-cli /usr/bin/vandor-sim \
         /usr/lib/udev/rules.d/60-vandor.rules \
         /usr/share/applications/org.vandor.Vandor.desktop \
         /usr/share/metainfo/org.vandor.Vandor.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/vandor.svg \
         /usr/share/icons/hicolor/16x16/apps/vandor.png /usr/share/icons/hicolor/48x48/apps/vandor.png \
         /usr/share/icons/hicolor/256x256/apps/vandor.png \
         /usr/share/man/man1/vandor.1.gz /usr/share/man/man1/vandor-cli.1.gz /usr/share/man/man1/vandor-sim.1.gz \
         /usr/share/bash-completion/completions/vandor-cli \
         /usr/share/doc/vandor/copyright /usr/share/doc/vandor/changelog.gz \
         /usr/share/vandor/factory/2.0.bin /usr/share/vandor/factory/2.0.nv; do
    grep -qxF "$f" "$work/files" || fail "the package lacks $f"
done
if grep -v -e '^/usr/' -e '^/$' "$work/files"; then fail "files outside /usr"; fi
if grep -e '^/usr/local' -e '/build/' "$work/files"; then fail "files under a build or local path"; fi

root=$work/root
dpkg-deb -x "$deb" "$root"

desktop-file-validate "$root/usr/share/applications/org.vandor.Vandor.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.vandor.Vandor.metainfo.xml"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.vandor.Vandor.metainfo.xml" \
    || fail "the AppStream release is not $version"

for page in "$root"/usr/share/man/man1/*.1.gz; do
    msgs=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) \
        || fail "man $page"
    [ -z "$msgs" ] || fail "man $page: $msgs"
done

bash -n "$root/usr/share/bash-completion/completions/vandor-cli"
if [ -f /usr/share/bash-completion/bash_completion ]; then
    got=$(bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        COMP_WORDS=(vandor-cli wr); COMP_CWORD=1; COMP_LINE="vandor-cli wr"; COMP_POINT=${#COMP_LINE}
        _vandor_cli; echo "${COMPREPLY[*]}"
        COMP_WORDS=(vandor-cli read --); COMP_CWORD=2; COMP_LINE="vandor-cli read --"; COMP_POINT=${#COMP_LINE}
        _vandor_cli; echo "${COMPREPLY[*]}"' _ "$root/usr/share/bash-completion/completions/vandor-cli")
    echo "$got" | head -1 | grep -qx write || fail "completion of 'wr': $got"
    echo "$got" | tail -1 | grep -q -- "--output" || fail "completion of read's options: $got"
fi

# lintian: no errors (its warnings and notes are printed for the log).
lintian --fail-on error "$deb" 2>&1 | tee "$work/lintian.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reported errors"

# The installed simulator finds the factory images beside its installed binary.
coproc SIM { exec "$root/usr/bin/vandor-sim" --board 2.0 --udp-port 0 --net-port 0 --ignore-stdin 2>&1; }
sim=$SIM_PID
line=""
read -t 20 -r line <&"${SIM[0]}" || true
case $line in
    ready*) ;;
    *) fail "the installed vandor-sim did not start from its factory image: $line" ;;
esac
echo "package ok: $deb"
