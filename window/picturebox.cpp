// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picturebox.h"

#include <QPainter>

void PictureBox::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Over the sunken border, in the highlight colour: the style's own focus mark would tint
    // the whole chart.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), frameWidth()));
    const int inset = frameWidth() / 2;
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}
