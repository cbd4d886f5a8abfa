// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report.h"

#include "ratingsheet.h"

#include <cstddef>

std::string BuildReport(const RatingSheet &sheet)
{
    std::string text;
    text.reserve(256);
    text += ReportHeading;
    text += ReportLineEnd;
    for (std::size_t component = 0; component < ComponentNames.size(); ++component) {
        const int rating = sheet.Ratings[component];
        text += ComponentNames[component];
        text += NameSeparator;
        text += std::to_string(rating);
        // "Less than 1", not "equal to 0": a negative rating is not a rating either.
        if (rating < 1)
            text += NotRatedMark;
        if (rating == 7)
            text += PronouncedMark;
        text += ReportLineEnd;
    }
    return text;
}
