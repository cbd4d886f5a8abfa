// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "optiongroup.h"

#include <QAbstractButton>

#include <stdexcept>
#include <string>

OptionGroup::OptionGroup(QObject *parent)
    : QObject(parent)
{
    m_group.setExclusive(true);
    connect(&m_group, &QButtonGroup::idClicked, this, &OptionGroup::clicked);
}

void OptionGroup::addButton(QAbstractButton *button)
{
    button->setCheckable(true);
    m_group.addButton(button, count());
}

QAbstractButton *OptionGroup::button(int index) const
{
    return m_group.button(index);
}

int OptionGroup::count() const
{
    return static_cast<int>(m_group.buttons().size());
}

void OptionGroup::setSelected(int index, bool selected)
{
    QAbstractButton *target = button(index);
    if (!target) {
        throw std::out_of_range(objectName().toStdString() + ": there is no option button " +
                                std::to_string(index) + " (0 to " + std::to_string(count() - 1) +
                                ')');
    }
    if (target->isChecked() == selected)
        return;
    if (selected) {
        target->setChecked(true);
        return;
    }
    // An exclusive group will not let its checked button go; lift exclusivity for the moment.
    m_group.setExclusive(false);
    target->setChecked(false);
    m_group.setExclusive(true);
}

void OptionGroup::clearSelection()
{
    for (int index = 0; index < count(); ++index)
        setSelected(index, false);
}

int OptionGroup::selected() const
{
    return m_group.checkedId();
}
