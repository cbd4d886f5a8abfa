// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bodytypeform.h"
#include "runtimeerror.h"
#include "runtimeerrorbox.h"
#include "startup.h"

#include <QApplication>

#include <exception>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Every text the program shows is in the window's font. Made the application's font, it is
    // also the one Qt lays text out in before a widget's own font reaches it, so no other font
    // is ever loaded.
    QApplication::setFont(BodyTypeForm::formFont());
    Startup::describeApplication();
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
