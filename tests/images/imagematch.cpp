// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "imagematch.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

namespace {

// A tenth of the range: below it, a difference is blending noise, not a visible change.
constexpr int VisibleDifference = 24;
// Edge pixels that may differ visibly: one in 4000, at least 2 (a tiny icon has 1024 pixels).
constexpr qsizetype PixelsPerVisibleChange = 4000;
constexpr qsizetype LeastVisibleChanges = 2;
// The average difference over the whole image, in levels per pixel: a colour shifted by a few
// levels on a large area stays under the visible threshold but not under this.
constexpr double MeanDifference = 0.5;

int difference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

} // namespace

QString imageMismatch(const QImage &expected, const QImage &actual)
{
    if (expected.isNull() || actual.isNull())
        return QStringLiteral("an image could not be read");
    if (expected.size() != actual.size()) {
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    }
    // Premultiplied, every fully transparent pixel is the same whatever colour it was given.
    const QImage a = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = actual.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    qsizetype visible = 0;
    double total = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *lineA = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *lineB = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int d = difference(lineA[x], lineB[x]);
            total += d;
            visible += d > VisibleDifference ? 1 : 0;
        }
    }
    const qsizetype pixels = qsizetype(a.width()) * a.height();
    const qsizetype allowed = std::max(LeastVisibleChanges, pixels / PixelsPerVisibleChange);
    const double mean = total / double(pixels);
    if (visible > allowed) {
        return QStringLiteral("%1 pixels differ by more than %2 levels (at most %3 may)")
            .arg(visible)
            .arg(VisibleDifference)
            .arg(allowed);
    }
    if (mean > MeanDifference) {
        return QStringLiteral("the average difference is %1 levels a pixel (at most %2)")
            .arg(mean, 0, 'f', 2)
            .arg(MeanDifference);
    }
    return {};
}
