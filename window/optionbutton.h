// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRadioButton>

// An option button that is selected by a click anywhere on its coloured face, not only on the
// mark and caption: the face is the control the user sees.
class OptionButton : public QRadioButton
{
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &pos) const override;
};
