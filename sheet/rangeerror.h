// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>
#include <string_view>

// Thrown when a component index falls outside the ratings table. The window can never cause
// it; it exists so that a programming error ends the program with a clear message instead of
// reading or writing memory that is not the sheet's.
class RangeError : public std::out_of_range
{
public:
    RangeError(std::string_view operation, int index, int first, int last);

    int index() const noexcept { return m_index; }

private:
    int m_index;
};
