// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void desktopIdMatchesTheDesktopEntry();
    void missingTranslationsAreQuietlyLeftOut();
    void contextMenuIsBulgarian();
};

static QStringList menuTexts()
{
    QPlainTextEdit box(QStringLiteral("текст"));
    box.setReadOnly(true);
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (QAction *action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    }
    return texts;
}

void tst_Startup::desktopIdMatchesTheDesktopEntry()
{
    Startup::describeApplication();
    const QString id = QGuiApplication::desktopFileName();
    QVERIFY(id.contains(QLatin1Char('.')));
    // The running program must name the desktop entry and icons that are installed.
    const QDir packaging(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../packaging"));
    QVERIFY2(QFileInfo::exists(packaging.filePath(id + QStringLiteral(".desktop"))),
             qPrintable(id));
    QVERIFY(QFileInfo::exists(packaging.filePath(id + QStringLiteral(".metainfo.xml"))));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("bodytype"));
}

void tst_Startup::missingTranslationsAreQuietlyLeftOut()
{
    QTemporaryDir empty;
    QVERIFY(
        !Startup::installBulgarianQtTexts(*qApp, {empty.path(), QStringLiteral("/nonexistent")}));
    QVERIFY(menuTexts().contains(QStringLiteral("Copy")));
}

void tst_Startup::contextMenuIsBulgarian()
{
    // Where the program looks: Qt's own folder (Debian's packages), or beside the program (a
    // Windows installation).
    QString found;
    for (const QString &folder : Startup::translationFolders()) {
        if (found.isEmpty() && QFileInfo::exists(folder + QStringLiteral("/qtbase_bg.qm")))
            found = folder;
    }
    if (found.isEmpty())
        QFAIL("Qt's Bulgarian translations are not installed (qt6-translations-l10n)");
    QTemporaryDir empty;
    // The first folder that has them wins; an empty one before it is passed over.
    QVERIFY(Startup::installBulgarianQtTexts(*qApp, {empty.path(), found}));
    const QStringList texts = menuTexts();
    QVERIFY2(texts.contains(QStringLiteral("Копиране")), qPrintable(texts.join(", ")));
    QVERIFY2(!texts.contains(QStringLiteral("Select All")), qPrintable(texts.join(", ")));
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
