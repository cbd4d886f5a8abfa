// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>

// Thrown when a value that reaches the sheet from outside C++, where numbers need be neither
// whole nor 16-bit (the web page's script), is not one of the sheet's 16-bit whole numbers.
// Such a value is refused before the sheet is touched, instead of being cut down to one that
// means something else (65543 to 7, 1.9 to 1).
class ValueError : public std::invalid_argument
{
public:
    ValueError(std::string_view operation, std::string_view what, double value);

    // The value as the sheet's number; a ValueError unless it is a whole number that fits.
    static std::int16_t sheetValue(std::string_view operation, std::string_view what, double value);
};
