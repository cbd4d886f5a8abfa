// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "optionbutton.h"

bool OptionButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
