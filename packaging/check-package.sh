#!/usr/bin/env bash
# Checks the Debian package that `make package` built in BUILD_DIR: its control fields, its files unpacked into a
# scratch root, lintian, the AppStream validator, and a start of the unpacked program.
# Usage: packaging/check-package.sh BUILD_DIR
set -euo pipefail
build_dir=$1
source_dir=$(cd "$(dirname "$0")/.." && pwd)

fail() {
    echo "package check: $*" >&2
    exit 1
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
deb=$build_dir/varnoth_${version}_$(dpkg --print-architecture).deb
[[ -f "$deb" ]] || fail "no package $deb"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Control fields. The Qt and media libraries in Depends can only come from dpkg-shlibdeps.
field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == varnoth ]] || fail "package name is not varnoth"
[[ $(field Version) == "$version" ]] || fail "package version is not $version"
[[ $(field Section) == utils ]] || fail "section is not utils"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "no maintainer name and address"
[[ -n $(field Description) ]] || fail "no description"
depends=$(field Depends)
for needed in libqt6widgets6 libexiv2-27 libheif1 qt6-image-formats-plugins qt6-translations-l10n; do
    [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] || fail "Depends lacks $needed: $depends"
done
[[ $(field Recommends) == *fonts-noto-cjk* ]] || fail "fonts-noto-cjk is not recommended"

# The changelog and the software-centre listing name the version being shipped.
[[ $(dpkg-parsechangelog -l "$source_dir/packaging/changelog" -S Version) == "$version" ]] ||
    fail "the newest changelog entry is not $version"
grep -q "<release version=\"$version\"" "$source_dir/data/example.varnoth.Varnoth.metainfo.xml" ||
    fail "the metainfo has no release $version"

root=$scratch/root
dpkg -x "$deb" "$root"
bash "$source_dir/packaging/check-installed-files.sh" "$root/usr"

# Errors and warnings fail; the remaining infos are shown and explained in docs/packaging.md. The manual page is
# only asked for once its source is in the tree.
lintian_options=(--fail-on error,warning --display-info)
[[ -f "$source_dir/data/varnoth.1" ]] || lintian_options+=(--suppress-tags no-manual-page)
lintian "${lintian_options[@]}" "$deb" || fail "lintian"

# The listing, checked together with the menu entry and icons it points at.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"

# The unpacked program starts without a display: --version prints the version, and a dry run plans a sort of a
# file and touches nothing.
home=$scratch/home
mkdir -p "$home/in" "$home/out"
echo sample > "$home/in/photo.jpg"
without_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home"
    XDG_STATE_HOME="$home/state")
output=$("${without_display[@]}" timeout 30 "$root/usr/bin/varnoth" --version) || fail "varnoth --version failed"
[[ $output == *"$version"* ]] || fail "varnoth --version printed '$output', not $version"
output=$("${without_display[@]}" timeout 30 "$root/usr/bin/varnoth" sort --dry-run --by-type --out "$home/out" \
    "$home/in/photo.jpg") || fail "varnoth sort --dry-run failed"
[[ $output == *photo.jpg* ]] || fail "varnoth sort --dry-run printed no step for the file: '$output'"
[[ -z $(ls -A "$home/out") ]] || fail "varnoth sort --dry-run wrote into the output folder"

# The user unit, with its ExecStart pointed at the unpacked program, as systemd would load it.
if command -v systemd-analyze > /dev/null; then
    units=$scratch/units
    mkdir -p "$units"
    sed "s|^ExecStart=[^ ]*|ExecStart=$root/usr/bin/varnoth|" "$root/usr/lib/systemd/user/varnoth-watch@.service" \
        > "$units/varnoth-watch@.service"
    cp "$units/varnoth-watch@.service" "$units/varnoth-watch@test.service"
    runtime=$(mktemp -d)
    XDG_RUNTIME_DIR=$runtime systemd-analyze --user verify "$units/varnoth-watch@test.service" ||
        fail "systemd-analyze --user verify of the user unit"
    rm -rf "$runtime"
else
    echo "package check: systemd-analyze is missing; the user unit is not verified"
fi

# The program is offered for folders ("Open with"), but installing it leaves the desktop's default for folders as it
# was: where a file manager is set as the default, and where none is set and the first handler by name is taken.
mime_home=$scratch/mime
mkdir -p "$mime_home/config" "$mime_home/empty" "$mime_home/data/applications"
for manager in caja nemo org.gnome.Nautilus org.kde.dolphin pcmanfm thunar; do
    printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s %%U\nMimeType=inode/directory;\n' "$manager" \
        "$manager" > "$mime_home/data/applications/$manager.desktop"
done
printf '[Default Applications]\ninode/directory=thunar.desktop\n' > "$mime_home/config/mimeapps.list"
default_for_folders() { # config folder, data folders
    env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION XDG_CONFIG_HOME="$1" XDG_CONFIG_DIRS=/nonexistent \
        XDG_DATA_HOME=/nonexistent XDG_DATA_DIRS="$2" xdg-mime query default inode/directory
}
mkdir -p "$mime_home/both/applications"
cp "$mime_home/data/applications/"*.desktop "$root/usr/share/applications/"*.desktop "$mime_home/both/applications/"
update-desktop-database "$mime_home/data/applications" "$mime_home/both/applications"
for config in "$mime_home/config" "$mime_home/empty"; do
    before=$(default_for_folders "$config" "$mime_home/data")
    after=$(default_for_folders "$config" "$mime_home/both")
    [[ -n $before && $before == "$after" ]] ||
        fail "the default for folders changed with the package: '$before' before, '$after' after"
done
grep -q '^inode/directory=.*varnoth-folders.desktop' "$mime_home/both/applications/mimeinfo.cache" ||
    fail "the program is not offered for folders"
[[ -z $(find "$root" -name mimeapps.list -o -name '*-mimeapps.list' -o -name defaults.list) ]] ||
    fail "the package sets default programs"

echo "package $deb: files, lintian, metadata, start, a dry run and the default for folders checked"
