// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtimeerrorbox.h"

#include "runtimeerror.h"

#include <QMessageBox>

void showRunTimeError(const std::exception &error, QWidget *parent)
{
    RunTimeError::report(error);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Грешка"),
                    QStringLiteral("Възникна вътрешна грешка. Програмата ще бъде затворена."),
                    QMessageBox::Ok, parent);
    box.setInformativeText(QString::fromStdString(RunTimeError::message(error)));
    box.exec();
}
