// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "valueerror.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

using Limits = std::numeric_limits<std::int16_t>;

std::string describe(std::string_view operation, std::string_view what, double value)
{
    char number[32];
    std::snprintf(number, sizeof number, "%g", value);
    std::string text(operation);
    text += ": ";
    text += what;
    text += ' ';
    text += number;
    text += " is not a whole number from ";
    text += std::to_string(Limits::min());
    text += " to ";
    text += std::to_string(Limits::max());
    return text;
}

} // namespace

ValueError::ValueError(std::string_view operation, std::string_view what, double value)
    : std::invalid_argument(describe(operation, what, value))
{}

std::int16_t ValueError::sheetValue(std::string_view operation, std::string_view what, double value)
{
    // NaN fails every comparison, so it is refused here too.
    if (!(value >= Limits::min() && value <= Limits::max()) || std::trunc(value) != value)
        throw ValueError(operation, what, value);
    return static_cast<std::int16_t>(value);
}
