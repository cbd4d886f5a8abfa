// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// The chart's picture box: a label that can take the keyboard focus, so a screen reader can
// read its description, and shows that it has it, which a plain label never does.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};
