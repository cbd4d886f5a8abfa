// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Startup {

void describeApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("bodytype"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BODYTYPE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(BODYTYPE_APP_ID));
}

QStringList translationFolders()
{
    // Compiled in where the program carries its own Qt (Windows); Qt's own folder where the
    // system has Qt (Debian's packages).
    return {QStringLiteral(":/translations"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

bool installBulgarianQtTexts(QCoreApplication &application, const QStringList &folders)
{
    auto *translator = new QTranslator(&application);
    for (const QString &folder : folders) {
        if (translator->load(QStringLiteral("qtbase_bg"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

} // namespace Startup
