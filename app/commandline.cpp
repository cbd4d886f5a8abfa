// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"

#include "startup.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

CommandLine::CommandLine()
    : m_help(m_parser.addHelpOption())
    , m_version(m_parser.addVersionOption())
{
    m_parser.setApplicationDescription(QStringLiteral(
        "Rate a person's body build (somatotype) after Heath and Carter.\n"
        "The standard options of the Qt toolkit, such as -platform, are accepted too."));
    // Qt's options are single words after one dash (-platform), never bundled letters.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
}

void CommandLine::answerHelpAndVersion(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Qt's options are unknown to this parser; they are checked once Qt has taken its own.
    m_parser.parse(arguments);
    // --help-all, which Qt adds, answers as --help does.
    if (!m_parser.isSet(m_help) && !m_parser.isSet(QStringLiteral("help-all")) &&
        !m_parser.isSet(m_version))
        return;
    // The answer names the program and its version, which an application object carries.
    const QCoreApplication console(argc, argv);
    Startup::describeApplication();
#ifdef Q_OS_WIN
    // Started from Explorer or a shortcut, a Windows program has nowhere to write to: Qt
    // answers in a message box then. Where its output goes somewhere (redirected, or handed
    // on by a program that started it), it is written there, as on other systems.
    if (!GetStdHandle(STD_OUTPUT_HANDLE)) {
        if (m_parser.isSet(m_version))
            m_parser.showVersion();
        m_parser.showHelp(0);
    }
#endif
    const QString answer =
        m_parser.isSet(m_version)
            ? QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                            QCoreApplication::applicationVersion())
            : m_parser.helpText();
    std::fputs(qPrintable(answer), stdout);
    std::fflush(stdout);
    std::exit(0);
}

std::optional<int> CommandLine::rejectTheRest(const QStringList &arguments)
{
    if (m_parser.parse(arguments) && m_parser.positionalArguments().isEmpty())
        return std::nullopt;
    QString what = m_parser.errorText();
    if (what.isEmpty()) {
        what = QStringLiteral("Unexpected argument '%1'.")
                   .arg(m_parser.positionalArguments().constFirst());
    }
    const QString line =
        QStringLiteral("%1: %2 Try '%1 --help'.").arg(QCoreApplication::applicationName(), what);
#ifdef Q_OS_WIN
    // Started from Explorer or a shortcut, a Windows program has nowhere to write to.
    if (!GetStdHandle(STD_ERROR_HANDLE)) {
        QMessageBox::critical(nullptr, QCoreApplication::applicationName(), line);
        return UsageStatus;
    }
#endif
    std::fputs(qPrintable(line + QLatin1Char('\n')), stderr);
    return UsageStatus;
}
