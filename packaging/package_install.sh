#!/bin/sh
# The Debian package as an operator gets it. cpack builds it; its files and fields are checked;
# apt must accept it here; then it is unpacked into a root that holds nothing but the files of
# the packages it depends on (their closure among this machine's installed packages, the
# libraries' cache made as installing them would) and started there, as a user who is not root,
# without a display, in namespaces of its own (no network but an empty one): a library the
# package fails to declare is missing in that root, and the console does not start.
# usage: package_install.sh BUILD_DIR VERSION   (as root; exit 77 skips otherwise)
set -eu

fail() {
    echo "FAIL: $*"
    exit 1
}

# Waits until the console, started in the background as $1, has bound the UDP ports of the
# definition file's base port (hexadecimal, $2) and the next one; fails with its output if it
# ends or takes longer than 15 seconds.
wait_for_ports() {
    pid=$1
    low=$(printf '%04X' "0x$2")
    high=$(printf '%04X' $((0x$2 + 1)))
    tries=150
    until grep -q ":$low " /proc/net/udp && grep -q ":$high " /proc/net/udp; do
        kill -0 "$pid" 2>/dev/null || fail "the console ended: $(cat "$work/console.log")"
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "the console bound no ports $low/$high: $(cat "$work/console.log")"
        sleep 0.1
    done
}

# Runs an installed program in the root as the operator (uid 65534), without a display.
as_operator() {
    env -i HOME=/home/operator XDG_RUNTIME_DIR=/home/operator/runtime PATH=/usr/sbin:/usr/bin "$@"
}

# Starts the console in the root with the arguments after $1, which must choose Qt's offscreen
# platform, and waits until it has bound the ports of base port $1.
console_with_ports() {
    base=$1
    shift
    as_operator chroot --userspec=65534:65534 "$root" /usr/bin/vantelo "$@" >"$work/console.log" 2>&1 &
    console=$!
    wait_for_ports "$console" "$base"
    kill "$console"
    wait "$console" || true
}

# The part inside the namespaces: /proc of its own in the root, /dev bound from the machine.
if [ "${1:-}" = --inside ]; then
    work=$2 root=$2/root version=$3
    mount --rbind /dev "$root/dev"
    for program in vantelo vantelo-cli vantelo-mkdefine vantelo-agentsim; do
        got=$(as_operator chroot --userspec=65534:65534 "$root" "/usr/bin/$program" --version) ||
            fail "$program --version in the root"
        [ "$got" = "$program $version" ] || fail "$program --version said '$got'"
    done

    # First start: the operator's directory is made and given the shipped definition file.
    console_with_ports 1388 --platform=offscreen
    config=$root/home/operator/.config/vantelo
    cmp -s "$config/define.ecf" "$root/usr/share/vantelo/define.ecf" ||
        fail "the shipped define.ecf was not copied for the operator"
    [ "$(stat -c '%a %u' "$config")" = "700 65534" ] || fail "$(stat -c '%a %u' "$config")"

    # vantelo-mkdefine writes where the console reads.
    as_operator chroot --userspec=65534:65534 "$root" /usr/bin/vantelo-mkdefine \
        --device-type 03B27F16 --base-port 1770 || fail "vantelo-mkdefine without -o"
    console_with_ports 1770 -platform offscreen -style Fusion

    # The platform plugin of a desktop loads (and finds no display here).
    as_operator env QT_QPA_PLATFORM=xcb DISPLAY=:99 timeout 20 \
        chroot --userspec=65534:65534 "$root" /usr/bin/vantelo >"$work/xcb.log" 2>&1 || true
    grep -q 'could not connect to display' "$work/xcb.log" ||
        fail "the xcb platform plugin: $(cat "$work/xcb.log")"
    exit 0
fi

build=$1
version=$2
[ "$(id -u)" = 0 ] || { echo "SKIP: needs root for chroot and namespaces"; exit 77; }
# In the build directory, where hard links to the machine's files are likely to work.
work=$(mktemp -d "$build/package-test.XXXXXX")
root=$work/root
# The root's files are hard links to the machine's where the file system allows: removing them
# removes only the links.
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(tail -20 "$work/cpack.log")"
arch=$(dpkg --print-architecture)
deb=$work/out/vantelo_${version}_$arch.deb
simdeb=$work/out/vantelo-agentsim_${version}_$arch.deb
if [ ! -f "$deb" ] || [ ! -f "$simdeb" ]; then
    fail "no $deb and $simdeb: $(ls "$work/out")"
fi
for package in "$deb" "$simdeb"; do
    [ "$(dpkg-deb -f "$package" Version)" = "$version" ] ||
        fail "$(basename "$package") has version $(dpkg-deb -f "$package" Version)"
done

# The console's package, and the simulator in a package of its own.
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/contents"
for file in ./usr/bin/vantelo ./usr/bin/vantelo-cli ./usr/bin/vantelo-mkdefine \
    ./usr/share/man/man1/vantelo-cli.1.gz ./usr/share/man/man1/vantelo.1.gz ./usr/share/man/man1/vantelo-mkdefine.1.gz \
    ./usr/share/vantelo/define.ecf \
    ./usr/share/applications/local.vantelo.vantelo.desktop \
    ./usr/share/metainfo/local.vantelo.vantelo.metainfo.xml \
    ./usr/share/doc/vantelo/copyright ./usr/lib/systemd/system/vantelo-watch.service \
    ./etc/default/vantelo-watch; do
    grep -qx "$file" "$work/contents" || fail "the package lacks $file"
done
grep -q agentsim "$work/contents" && fail "the console's package holds the simulator"
grep -qx './usr/share/icons/hicolor/scalable/apps/vantelo.svg' "$work/contents" ||
    fail "the package lacks the icon"
dpkg-deb -c "$simdeb" | awk '{ print $6 }' | grep -v '/$' >"$work/sim-contents"
printf '%s\n' ./usr/bin/vantelo-agentsim ./usr/share/doc/vantelo-agentsim/copyright \
    ./usr/share/man/man1/vantelo-agentsim.1.gz \
    ./usr/share/metainfo/local.vantelo.agentsim.metainfo.xml >"$work/sim-expected"
diff "$work/sim-expected" "$work/sim-contents" >/dev/null ||
    fail "vantelo-agentsim holds: $(cat "$work/sim-contents")"
dpkg-deb -I "$deb" conffiles >"$work/conffiles" 2>&1 || true
grep -qx /etc/default/vantelo-watch "$work/conffiles" ||
    fail "/etc/default/vantelo-watch is no conffile: $(cat "$work/conffiles")"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6network6 libqt6widgets6 \
    libqt6httpserver6; do
    echo "$depends" | tr ',' '\n' | sed 's/(.*//; s/ //g' | grep -qxF "$library" ||
        fail "Depends lacks $library: $depends"
done

dpkg -x "$deb" "$work/unpacked"
dpkg -x "$simdeb" "$work/unpacked"
for metainfo in "$work"/unpacked/usr/share/metainfo/*.xml; do
    appstreamcli validate --no-net --pedantic "$metainfo" >"$work/as.log" ||
        fail "AppStream $(basename "$metainfo"): $(cat "$work/as.log")"
done
# Every program of a package is in its AppStream data, and the data name only those.
for package in "$deb" "$simdeb"; do
    dpkg-deb -c "$package" | awk '{ print $6 }' | sed -n 's|^\./usr/bin/\(..*\)|\1|p' | sort >"$work/binaries"
    dpkg-deb --fsys-tarfile "$package" | tar -xO --wildcards './usr/share/metainfo/*.xml' |
        sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' | sort >"$work/provided"
    diff "$work/binaries" "$work/provided" >/dev/null ||
        fail "$(basename "$package") provides $(cat "$work/provided"), holds $(cat "$work/binaries")"
done
grep -q '<project_license>.*</project_license>' \
    "$work/unpacked/usr/share/metainfo/local.vantelo.vantelo.metainfo.xml" || fail "no licence"
grep -q '<screenshot type="default">' \
    "$work/unpacked/usr/share/metainfo/local.vantelo.vantelo.metainfo.xml" || fail "no screenshots"
grep -q '<url type="homepage">https://' \
    "$work/unpacked/usr/share/metainfo/local.vantelo.vantelo.metainfo.xml" || fail "no URL"
# The copyright files are machine-readable, every Files paragraph's licence spelled out.
for copyright in "$work"/unpacked/usr/share/doc/*/copyright; do
    /usr/bin/python3 -c 'import sys
from debian.copyright import Copyright
c = Copyright(open(sys.argv[1]), strict=True)
texts = {p.license.synopsis for p in c.all_license_paragraphs()}
for p in c.all_files_paragraphs():
    assert p.license.synopsis in texts or p.license.text, p.license.synopsis
assert c.header.upstream_name == "vantelo"' "$copyright" 2>"$work/copyright.log" ||
        fail "$copyright: $(cat "$work/copyright.log")"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$work/unpacked/usr/share/applications/local.vantelo.vantelo.desktop" ||
        fail "desktop entry"
fi
for page in "$work"/unpacked/usr/share/man/man1/*.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

# The watcher's service: systemd finds nothing to object to, with the package's programs in
# place of the machine's (in a mount namespace of its own), and scores its exposure.
unit=$work/unpacked/usr/lib/systemd/system/vantelo-watch.service
mkdir "$work/tools"
cp /usr/bin/systemd-analyze "$work/tools/"
# shellcheck disable=SC2016 # expanded by the inner shell
unshare --mount sh -c 'mount --bind "$1/unpacked/usr/bin" /usr/bin &&
    "$1/tools/systemd-analyze" verify --man=no "$2"' sh "$work" "$unit" >"$work/verify.log" 2>&1 ||
    fail "systemd-analyze verify: $(cat "$work/verify.log")"
[ ! -s "$work/verify.log" ] || fail "systemd-analyze verify: $(cat "$work/verify.log")"
systemd-analyze security --offline=true --root="$work/unpacked" --threshold=20 \
    vantelo-watch.service >"$work/security.log" 2>&1 ||
    fail "systemd-analyze security: $(tail -5 "$work/security.log")"
score=$(sed -n 's/.*Overall exposure level for vantelo-watch.service: \([0-9.]*\).*/\1/p' \
    "$work/security.log")
[ -n "$score" ] || fail "no exposure level: $(tail -5 "$work/security.log")"
echo "systemd-analyze security: exposure $score of 10"

# apt takes it as it would on an operator's machine, with every dependency resolved.
apt-get -s install "$deb" "$simdeb" >"$work/apt.log" 2>&1 || fail "apt: $(tail -20 "$work/apt.log")"
grep -q '^Inst vantelo ' "$work/apt.log" || fail "apt would not install it: $(cat "$work/apt.log")"
grep -q '^Inst vantelo-agentsim ' "$work/apt.log" ||
    fail "apt would not install the simulator: $(cat "$work/apt.log")"

# The root: merged /usr as on Debian 12, the dependencies' files, the package, a home.
mkdir -p "$root/usr/bin" "$root/usr/sbin" "$root/usr/lib" "$root/usr/lib64" "$root/dev" \
    "$root/proc" "$root/tmp" "$root/home/operator/runtime"
for dir in bin sbin lib lib64; do ln -s "usr/$dir" "$root/$dir"; done
chmod 1777 "$root/tmp"
chown -R 65534:65534 "$root/home/operator"
chmod 700 "$root/home/operator/runtime"
# shellcheck disable=SC2046 # one package a word
apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances \
    $(echo "$depends" | sed 's/[,|]/\n/g' | sed 's/(.*)//; s/:.*//; s/ //g' | grep .) |
    grep -v '^ ' | sort -u >"$work/closure"
while read -r package; do
    dpkg-query -L "$package" 2>/dev/null || true
done <"$work/closure" | sort -u | while IFS= read -r file; do
    if [ -L "$file" ] || { [ -e "$file" ] && [ ! -d "$file" ]; }; then
        printf '%s\0' "$file"
    fi
done >"$work/files"
link=-l
ln /usr/bin/env "$work/link-probe" 2>/dev/null || link=""
xargs -0 cp -P $link --parents -t "$root" <"$work/files"
ldconfig -r "$root"
dpkg -x "$deb" "$root"
dpkg -x "$simdeb" "$root"

unshare --mount --net --pid --fork --mount-proc="$root/proc" \
    sh "$0" --inside "$work" "$version" || exit 1
echo "ok: $(wc -l <"$work/closure") packages in the closure"
