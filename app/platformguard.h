// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Held while the application object connects to the window system. Where it cannot (no display,
// or a platform plugin that is missing or will not start), Qt would abort after several lines
// of its own; instead one line says why and the program ends with CommandLine::NoWindowStatus.
// What Qt says on the way is held back, and passed on once the connection is made.
class PlatformGuard
{
public:
    PlatformGuard();
    ~PlatformGuard();

    PlatformGuard(const PlatformGuard &) = delete;
    PlatformGuard &operator=(const PlatformGuard &) = delete;

private:
    QtMessageHandler m_previous;
};
