#include "bodytypeform.h"

BodyTypeForm::BodyTypeForm(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Психология - вид на телосложение"));
    setFixedSize(506, 378);
}
