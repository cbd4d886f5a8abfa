#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The house style, checked before anything is built: C and C++ against .clang-format, every
# shell script with shellcheck, every Python file with pyflakes, and the licence data with
# reuse. Reports every fault of every tool, then fails if there was one.
# usage: tools/lint.sh     (./dev.sh test runs it first)
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit
failed=()
# check NAME COMMAND... FILE...: with no file to check, a tool would read its standard input or
# say nothing, so none found is a fault too.
check() {
    local name=$1 count=$2
    shift 2
    if [ "$count" -eq 0 ]; then
        echo "lint: $name: no files found" >&2
        failed+=("$name")
    elif "$@"; then
        echo "lint: $name: $count files clean"
    else
        failed+=("$name")
    fi
}

# The project's files, new ones not yet added included, as they are on disk.
files() {
    local file
    git ls-files --cached --others --exclude-standard "$@" | sort -u | while IFS= read -r file; do
        if [ -f "$file" ]; then echo "$file"; fi
    done
}

mapfile -t sources < <(files '*.cpp' '*.h' '*.c')
check clang-format ${#sources[@]} clang-format --dry-run -Werror "${sources[@]}"

# Shell scripts by name or by their first line; the sourced ones name their shell.
shells=()
while IFS= read -r file; do
    case $file in
    *.sh | *.sh.in) shells+=("$file") ;;
    *) head -n1 "$file" | grep -q '^#!.*\bbash\b' && shells+=("$file") ;;
    esac
done < <(files)
check shellcheck ${#shells[@]} shellcheck "${shells[@]}"

mapfile -t pythons < <(files '*.py')
check pyflakes ${#pythons[@]} pyflakes3 "${pythons[@]}"

# Debian 13's reuse warns that it would rather have REUSE.toml than .reuse/dep5, which Debian 12's
# needs; what it says is shown only when it finds a fault.
quietly() {
    local said
    said=$("$@" 2>&1) || { echo "$said" >&2; return 1; }
}
check reuse "$(files | wc -l)" quietly reuse lint

[ ${#failed[@]} -eq 0 ] || { echo "lint: faults found by ${failed[*]}" >&2; exit 1; }
