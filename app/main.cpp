#include "bodytypeform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BodyTypeForm form;
    form.show();
    return app.exec();
}
