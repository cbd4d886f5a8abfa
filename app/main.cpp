// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bodytypeform.h"
#include "commandline.h"
#include "platformguard.h"
#include "runtimeerror.h"
#include "runtimeerrorbox.h"
#include "startup.h"

#include <QApplication>

#include <exception>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

std::unique_ptr<QApplication> connectToWindowSystem(int &argc, char **argv)
{
    const PlatformGuard guard;
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // Before any DLL that is not one of Windows' own loads (they are delay-loaded): from now on
    // they come from the system folder only, never from beside the program, where anyone who
    // can write to a USB stick or the Downloads folder could have put a DLL of the same name.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
#endif
    CommandLine commandLine;
    commandLine.answerHelpAndVersion(argc, argv);
    const auto application = connectToWindowSystem(argc, argv);
    QApplication &app = *application;
    // Every text the program shows is in the window's font. Made the application's font, it is
    // also the one Qt lays text out in before a widget's own font reaches it, so no other font
    // is ever loaded.
    QApplication::setFont(BodyTypeForm::formFont());
    Startup::describeApplication();
    // In English, as --help answers, before Qt's texts turn Bulgarian.
    if (const auto status = commandLine.rejectTheRest(QCoreApplication::arguments()))
        return *status;
    Startup::installBulgarianQtTexts(app, Startup::translationFolders());

    std::unique_ptr<BodyTypeForm> form;
    try {
        form = std::make_unique<BodyTypeForm>();
    } catch (const std::exception &error) {
        // The window's own handlers report their errors; this covers building it.
        showRunTimeError(error, nullptr);
        return RunTimeError::ExitStatus;
    }
    form->show();
    return app.exec();
}
