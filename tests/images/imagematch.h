// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QImage;

// Whether two renderings of one drawing look the same to a person. Qt's raster engine picks its
// blending code by the processor at run time, so anti-aliased edges may differ by a level or two
// between machines; a moved line, a missing number or another colour must still show.
// Returns what differs, or an empty string when the images match.
QString imageMismatch(const QImage &expected, const QImage &actual);
