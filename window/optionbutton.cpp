#include "optionbutton.h"

bool OptionButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
