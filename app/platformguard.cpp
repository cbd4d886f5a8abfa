// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platformguard.h"

#include "commandline.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct HeldMessage
{
    QtMsgType type;
    QString category;
    QString text;
};

std::vector<HeldMessage> held;

// Why Qt gave up, from the warnings it gave first, which name the plugin.
QString why()
{
    static const QRegularExpression named(QStringLiteral("platform plugin \"([^\"]*)\""));
    for (const HeldMessage &message : held) {
        const auto match = named.match(message.text);
        if (!match.hasMatch())
            continue;
        if (message.text.contains(QStringLiteral("Could not find")))
            return QStringLiteral("there is no Qt platform plugin \"%1\"").arg(match.captured(1));
        return QStringLiteral("no display could be reached through Qt's platform plugin \"%1\"")
            .arg(match.captured(1));
    }
    return QStringLiteral("no window system could be reached");
}

void hold(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        held.push_back({type, QString::fromUtf8(context.category), text});
        return;
    }
    std::fprintf(stderr, "bodytype: cannot open a window: %s\n", qPrintable(why()));
    std::fflush(stderr);
    std::_Exit(CommandLine::NoWindowStatus);
}

} // namespace

PlatformGuard::PlatformGuard()
    : m_previous(qInstallMessageHandler(hold))
{}

PlatformGuard::~PlatformGuard()
{
    qInstallMessageHandler(m_previous);
    for (const HeldMessage &message : held) {
        const QByteArray category = message.category.toUtf8();
        const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
        qt_message_output(message.type, context, message.text);
    }
    held.clear();
}
