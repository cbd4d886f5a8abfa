// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <exception>
#include <string>
#include <string_view>

// What the program does with an error that nothing is meant to handle: say what failed and
// end. The caller decides how to end (a plain program returns from main, the window also
// shows a message box first); the wording and the exit status live here so that they are the
// same everywhere.
namespace RunTimeError {

// EX_SOFTWARE from <sysexits.h>: an internal software error.
inline constexpr int ExitStatus = 70;

// The start of every such message; the page's script says the same.
inline constexpr std::string_view Prefix = "bodytype: run-time error: ";

// Prefix, then what failed.
std::string message(const std::exception &error);

// Writes message(error) and a line end to standard error.
void report(const std::exception &error);

} // namespace RunTimeError
