// Makes the component handler fail the way only a programming error could (an index past the
// ratings table), then answers the message box as a user would and lets the program end. The
// box's text goes to standard output so that the test can read it.
#include "bodytypeform.h"
#include "optiongroup.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BodyTypeForm form;
    form.show();

    const QString group = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Option2");
    const int index = argc > 2 ? QByteArray(argv[2]).toInt() : 4;
    QTimer::singleShot(0, &form, [&] {
        // A second click, queued behind the failing one, must not report a second error.
        QTimer::singleShot(0, &form,
                           [&] { emit form.findChild<OptionGroup *>(group)->clicked(index); });
        emit form.findChild<OptionGroup *>(group)->clicked(index);
    });
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, &app, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            std::printf("%s\n%s\n", qPrintable(box->text()), qPrintable(box->informativeText()));
            std::fflush(stdout);
            box->accept();
        }
    });
    answer.start(20);
    return app.exec();
}
