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
check() {
    local name=$1
    shift
    if "$@"; then echo "lint: $name: clean"; else failed+=("$name"); fi
}

mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.c')
check clang-format clang-format --dry-run -Werror "${sources[@]}"

# Shell scripts by name or by their first line; the sourced ones name their shell.
shells=()
while IFS= read -r file; do
    case $file in
    *.sh | *.sh.in) shells+=("$file") ;;
    *) [ -f "$file" ] && head -n1 "$file" | grep -q '^#!.*\bbash\b' && shells+=("$file") ;;
    esac
done < <(git ls-files)
check shellcheck shellcheck "${shells[@]}"

mapfile -t pythons < <(git ls-files '*.py')
check pyflakes pyflakes3 "${pythons[@]}"

check reuse reuse lint --quiet

[ ${#failed[@]} -eq 0 ] || { echo "lint: faults found by ${failed[*]}" >&2; exit 1; }
