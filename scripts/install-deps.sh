#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run Varnoth, but only
# those that are missing, so a machine that has everything is left alone.
# Usage: scripts/install-deps.sh [--bench | --fuzz | --package | --format]   (--fuzz adds clang and libFuzzer,
# --package what builds and checks the Debian package, --format clang-format; the benchmarks' baselines, identify and
# exiftool, are among the test tools every call installs)
set -euo pipefail

# The media library reads pictures' metadata through Exiv2 and HEIF files through libheif. Its tests write their
# pictures and movies with exiftool, ImageMagick and heif-enc (libheif-examples; Debian 12's libheif carries its HEVC
# and AV1 encoders itself).
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-image-formats-plugins qt6-tools-dev qt6-l10n-tools
    qt6-translations-l10n libgl-dev fonts-noto-cjk xvfb xauth locales desktop-file-utils
    libexiv2-dev libheif-dev libimage-exiftool-perl imagemagick libheif-examples
    libxxhash-dev
)
# libFuzzer and the sanitizer runtimes for clang come with libclang-rt-dev.
if [[ "${1:-}" == "--fuzz" ]]; then
    packages+=(clang libclang-rt-dev)
fi

if [[ "${1:-}" == "--format" ]]; then
    packages+=(clang-format git)
fi

# dpkg-shlibdeps (dpkg-dev) and file work out the package's dependencies; lintian and appstreamcli check it.
if [[ "${1:-}" == "--package" ]]; then
    packages+=(dpkg-dev file lintian appstream xdg-utils)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
