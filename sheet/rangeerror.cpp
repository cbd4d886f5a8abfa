// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rangeerror.h"

#include <string>

namespace {

std::string describe(std::string_view operation, int index, int first, int last)
{
    std::string text(operation);
    text += ": component index ";
    text += std::to_string(index);
    text += " is outside the bounds of Ratings (";
    text += std::to_string(first);
    text += " to ";
    text += std::to_string(last);
    text += ')';
    return text;
}

} // namespace

RangeError::RangeError(std::string_view operation, int index, int first, int last)
    : std::out_of_range(describe(operation, index, first, last))
    , m_index(index)
{}
