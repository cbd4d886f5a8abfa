// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class QCoreApplication;

// Start-up work outside the window: who the program is to the desktop, and Qt's own texts
// (the result box's context menu) in Bulgarian like the rest of the program.
namespace Startup {

// Names the program as its desktop entry and metadata do.
void describeApplication();

// Where Qt's translations may be: compiled into the program (on Windows), then Qt's own folder.
QStringList translationFolders();

// Installs Qt's Bulgarian texts from the first folder that has them. Without them Qt's English
// texts stay, silently: returns whether they were found.
bool installBulgarianQtTexts(QCoreApplication &application, const QStringList &folders);

} // namespace Startup
