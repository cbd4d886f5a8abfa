// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The least Qt Widgets program that does what the real one does first: a fixed-size window of
// the same client size showing one line of the same Cyrillic caption in the same font. The
// benchmark compares the program's start-up against this floor.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Психология - телосложение, вид и стойности"));
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setPointSize(12);
    window.setFont(font);
    window.setAlignment(Qt::AlignCenter);
    window.setFixedSize(506, 378);
    window.show();
    return app.exec();
}
