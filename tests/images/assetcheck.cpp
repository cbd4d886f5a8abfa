// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// usage: assetcheck COMMITTED-FOLDER REMADE-FOLDER FILE...
// Fails unless each FILE looks the same in both folders. A drawing (SVG) is compared as drawn
// at its own size and at four times it, the most the web page asks of it.
#include "imagematch.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

QImage drawn(const QString &svg, int scale)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    QImage image(renderer.defaultSize() * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QString mismatch(const QString &committed, const QString &remade)
{
    if (!committed.endsWith(QLatin1String(".svg")))
        return imageMismatch(QImage(committed), QImage(remade));
    for (const int scale : {1, 4}) {
        const QString found = imageMismatch(drawn(committed, scale), drawn(remade, scale));
        if (!found.isEmpty())
            return QStringLiteral("at %1x: %2").arg(scale).arg(found);
    }
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: assetcheck COMMITTED-FOLDER REMADE-FOLDER FILE...\n");
        return 2;
    }
    const QDir committed(QString::fromLocal8Bit(argv[1]));
    const QDir remade(QString::fromLocal8Bit(argv[2]));
    int failures = 0;
    for (int i = 3; i < argc; ++i) {
        const QString file = QString::fromLocal8Bit(argv[i]);
        const QString found = mismatch(committed.filePath(file), remade.filePath(file));
        if (found.isEmpty()) {
            std::printf("%s: as committed\n", argv[i]);
        } else {
            std::printf("%s differs from what tools/makeassets draws now: %s\n", argv[i],
                        qPrintable(found));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
