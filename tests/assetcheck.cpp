// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// usage: assetcheck COMMITTED-FOLDER REMADE-FOLDER FILE...
// Fails unless each FILE looks the same in both folders.
#include "imagematch.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

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
        const QString mismatch =
            imageMismatch(QImage(committed.filePath(file)), QImage(remade.filePath(file)));
        if (mismatch.isEmpty()) {
            std::printf("%s: as committed\n", argv[i]);
        } else {
            std::printf("%s differs from what tools/makeassets draws now: %s\n", argv[i],
                        qPrintable(mismatch));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
