// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

class RatingSheet;

inline constexpr std::string_view ReportHeading = "Въведеният тип е:";
inline constexpr std::string_view NameSeparator = ": ";
inline constexpr std::string_view NotRatedMark = "  ???";
inline constexpr std::string_view PronouncedMark = "  Явно определен!";
inline constexpr std::string_view ReportLineEnd = "\r\n";

// The entered somatotype as text: a heading and one line per component, every line ended by
// CR LF, the last one included. UTF-8. Reads the sheet and changes nothing in it.
std::string BuildReport(const RatingSheet &sheet);
