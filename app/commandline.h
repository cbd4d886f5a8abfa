// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <optional>

// The program's command line: --help and --version, and Qt's own options (-platform, -style…),
// which the application object takes away before the rest is checked. Nothing else is accepted.
class CommandLine
{
public:
    // From <sysexits.h>: a wrong command line, and no window system to show the window on.
    static constexpr int UsageStatus = 64;
    static constexpr int NoWindowStatus = 69;

    CommandLine();

    // Before any window system is asked for, so that they work with no display: --help or
    // --version, when asked for, are answered (on Windows, where a program started from
    // Explorer has no console, in a message box) and the program ends with status 0. Qt's
    // own options are passed over here.
    void answerHelpAndVersion(int &argc, char **argv);

    // What is left once Qt has taken its own options: nothing, or the status to end with after
    // saying what is wrong.
    std::optional<int> rejectTheRest(const QStringList &arguments);

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
};
