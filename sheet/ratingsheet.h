// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The display names of the three components of body build, in component order. They caption
// the component buttons and start each line of the report. UTF-8.
inline constexpr std::array<std::string_view, 3> ComponentNames{
    "ендоморфен (пикничен)",
    "мезоморфен (атлетичен)",
    "ектоморфен (астеничен)",
};

// The whole state of the program: one rating per component and the component chosen last.
// The window drives it; it knows nothing of the window. Indices and ratings are 16-bit, and
// are deliberately not validated: only a component index outside Ratings is an error
// (RangeError), because only that would touch memory that is not the sheet's.
class RatingSheet
{
public:
    // Entry 3 is never addressed through the window, but it is part of the table, so a
    // component index of 3 is accepted.
    std::array<std::int16_t, 4> Ratings{};
    std::int16_t CurrentComponent = 0;
    std::int16_t CurrentRating = 0;

    void Reset();
    std::int16_t SelectComponent(std::int16_t component);
    void SelectRating(std::int16_t rating);
    // Zeroes the ratings only: the component chosen last stays current.
    void Clear();

private:
    std::int16_t &currentEntry(std::string_view operation);
};
