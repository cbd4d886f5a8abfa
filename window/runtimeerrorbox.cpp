// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtimeerrorbox.h"

#include "formdescription.h"
#include "runtimeerror.h"

#include <QMessageBox>

void showRunTimeError(const std::exception &error, QWidget *parent)
{
    RunTimeError::report(error);
    const auto text = [](std::string_view utf8) {
        return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    };
    QMessageBox box(QMessageBox::Critical, text(Form::ErrorTitle), text(Form::ErrorText),
                    QMessageBox::Ok, parent);
    box.setInformativeText(QString::fromStdString(RunTimeError::message(error)));
    box.exec();
}
