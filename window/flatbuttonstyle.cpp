// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "flatbuttonstyle.h"

#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

void FlatButtonStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                    QPainter *painter, const QWidget *widget) const
{
    if (element != PE_PanelButtonCommand) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const bool down = option->state & (State_Sunken | State_On);
    const QBrush fill = option->palette.button();
    qDrawWinButton(painter, option->rect, option->palette, down, &fill);
    if (option->state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = option->rect.adjusted(4, 4, -4, -4);
        focus.backgroundColor = fill.color();
        QProxyStyle::drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}

void FlatButtonStyle::drawControl(ControlElement element, const QStyleOption *option,
                                  QPainter *painter, const QWidget *widget) const
{
    // Windows' native styles draw the bevel from the system theme and never ask for the panel
    // primitive, so the flat fill is drawn here for every style.
    if (element == CE_PushButtonBevel) {
        drawPrimitive(PE_PanelButtonCommand, option, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
