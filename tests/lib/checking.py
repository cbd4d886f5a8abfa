# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Counting checks for the Python tests: every failure is listed, then the closing line that
CTest's log shows."""

failures = []
passed = 0


def check(condition, what):
    global passed
    if condition:
        passed += 1
    else:
        failures.append(what)
    return condition


def finish():
    """Lists the failures and says how many passed; the exit status."""
    for failure in failures:
        print("FAILED:", failure)
    print(f"{passed} passed, {len(failures)} failed")
    return 1 if failures else 0
