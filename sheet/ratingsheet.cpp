// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ratingsheet.h"

#include "rangeerror.h"

#include <cstddef>

namespace {

constexpr std::size_t RatedComponents = ComponentNames.size();

} // namespace

void RatingSheet::Reset()
{
    for (std::size_t i = 0; i < RatedComponents; ++i)
        Ratings[i] = 0;
    CurrentComponent = 0;
    CurrentRating = 0;
}

std::int16_t RatingSheet::SelectComponent(std::int16_t component)
{
    CurrentComponent = component;
    return currentEntry("SelectComponent");
}

void RatingSheet::SelectRating(std::int16_t rating)
{
    CurrentRating = rating;
    currentEntry("SelectRating") = CurrentRating;
}

void RatingSheet::Clear()
{
    for (std::size_t i = 0; i < RatedComponents; ++i)
        Ratings[i] = 0;
}

std::int16_t &RatingSheet::currentEntry(std::string_view operation)
{
    const int last = static_cast<int>(Ratings.size()) - 1;
    if (CurrentComponent < 0 || CurrentComponent > last)
        throw RangeError(operation, CurrentComponent, 0, last);
    return Ratings[static_cast<std::size_t>(CurrentComponent)];
}
