// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Makes the component handler fail the way only a programming error could (an index past the
// ratings table), then answers the message box as a user would and lets the program end. The
// box's text goes to standard output so that the test can read it.
#include "bodytypeform.h"
#include "optiongroup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <utility>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BodyTypeForm form;
    form.show();

    auto *components = form.findChild<OptionGroup *>(QStringLiteral("Option2"));
    QTimer::singleShot(0, &form, [components] {
        // A second click, queued behind the failing one, must not report a second error.
        QTimer::singleShot(0, components, [components] { emit components->clicked(4); });
        emit components->clicked(4);
    });
    // Presses OK as a user would; a box that cannot be answered fails instead of hanging.
    QTimer answer;
    int tries = 0;
    bool shown = false;
    QObject::connect(&answer, &QTimer::timeout, &app, [&tries, &shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            if (!std::exchange(shown, true)) {
                std::printf("%s\n%s\n", box->text().toUtf8().constData(),
                            box->informativeText().toUtf8().constData());
                std::fflush(stdout);
            }
            box->button(QMessageBox::Ok)->click();
        }
        if (++tries > 100) {
            std::fprintf(stderr, "probe: the message box could not be closed\n");
            std::exit(1);
        }
    });
    answer.start(20);
    return app.exec();
}
