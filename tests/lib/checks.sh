# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by the shell tests, as checking.py is imported by the Python ones, so that every test
# reports alike: each check passed is named and counted; each failed one is named, and the test
# goes on, or stops there when what follows depends on it; it ends with "N passed, M failed".
#   pass WHAT      a check that passed
#   failed WHAT    a check that failed; the next checks still run
#   fail WHAT      a check that failed, which the rest need: the test ends here
#   finish         the closing line; the test's status
passed=0
failures=0
pass() {
    echo "ok: $1"
    passed=$((passed + 1))
}
failed() {
    echo "FAILED: $1" >&2
    failures=$((failures + 1))
}
fail() {
    failed "$1"
    finish
}
finish() {
    echo "$passed passed, $failures failed"
    [ "$failures" = 0 ] || exit 1
    exit 0
}
