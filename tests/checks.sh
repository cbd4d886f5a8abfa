# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by the shell tests that make several checks: each passed one is counted and named, the
# first failed one ends the test.
passed=0
pass() {
    echo "ok: $1"
    passed=$((passed + 1))
}
fail() {
    echo "FAILED: $1" >&2
    exit 1
}
