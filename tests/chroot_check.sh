#!/usr/bin/env bash
# Runs the tests that start copies of themselves or need a terminal inside a plain chroot, as distributions' package
# builders run a test suite: a folder that is no mount point, with /usr, /etc, /tmp, /proc and the build tree bound
# into it and no /dev/pts. The crash tests must pass there, and the terminal test must skip with its reason. The
# binds live in a mount namespace of this script's own, so they end with it. Needs root; skips (77) without it, and
# where no private mount namespace can be made (inside a chroot already).
set -euo pipefail
build_dir=$(realpath "$1")
if [ "$(id -u)" != 0 ]; then
    echo "skipped: a chroot and bind mounts need root"
    exit 77
fi
if ! unshare --mount --propagation private true 2> /dev/null; then
    echo "skipped: no private mount namespace can be made here (a chroot already?)"
    exit 77
fi
root=$(mktemp -d)
# The binds ended with their namespace: only the links and the empty folders made for them are removed, each by
# its name, so that nothing behind a bind could be touched.
cleanup() {
    for link in bin sbin lib lib64; do rm -f "$root/$link"; done
    rmdir "$root/usr" "$root/etc" "$root/tmp" "$root/proc" 2> /dev/null || true
    (cd "$root" && rmdir -p "${build_dir#/}" 2> /dev/null) || true
    rmdir "$root" 2> /dev/null || true
}
trap cleanup EXIT

output=$(ROOT="$root" BUILD="$build_dir" unshare --mount --propagation private bash -c '
    set -euo pipefail
    for folder in usr etc tmp proc; do
        mkdir "$ROOT/$folder"
        mount --bind "/$folder" "$ROOT/$folder"
    done
    for link in bin sbin lib lib64; do
        if [ -e "/usr/$link" ]; then ln -s "usr/$link" "$ROOT/$link"; fi
    done
    mkdir -p "$ROOT$BUILD"
    mount --bind "$BUILD" "$ROOT$BUILD"
    chroot "$ROOT" /bin/sh -c "cd \"$BUILD\" && export QT_QPA_PLATFORM=offscreen LC_ALL=C LANGUAGE= &&
        tests/journal/test_journal_crash && tests/journal/test_plan_and_run &&
        tests/test_cli_sort questionsOnTerminal"
' 2>&1) || {
    echo "$output"
    echo "FAILED in a chroot"
    exit 1
}
if ! grep -q "^SKIP   : TestCliSort::questionsOnTerminal() no pseudo-terminal" <<< "$output"; then
    echo "$output"
    echo "FAILED: the terminal test did not skip for want of a pseudo-terminal"
    exit 1
fi
echo "the crash tests pass in a chroot, and the terminal test skips there"
