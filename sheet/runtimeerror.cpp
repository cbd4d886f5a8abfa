// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtimeerror.h"

#include <cstdio>

namespace RunTimeError {

std::string message(const std::exception &error)
{
    return std::string(Prefix) + error.what();
}

void report(const std::exception &error)
{
    const std::string text = message(error) + '\n';
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace RunTimeError
