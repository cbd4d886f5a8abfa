// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QButtonGroup>
#include <QObject>

class QAbstractButton;

// Option buttons of one panel: selecting one deselects the others, yet the program can leave
// the group with nothing selected, which a plain exclusive QButtonGroup refuses.
class OptionGroup : public QObject
{
    Q_OBJECT

public:
    explicit OptionGroup(QObject *parent = nullptr);

    // Adds the next button; its index is the number of buttons added before it.
    void addButton(QAbstractButton *button);
    QAbstractButton *button(int index) const;
    int count() const;

    // An index outside the group is a failed control operation: std::out_of_range.
    void setSelected(int index, bool selected);
    void clearSelection();
    // The selected button's index, or -1 when none is.
    int selected() const;

signals:
    // The user selected the button, with the mouse or the keyboard. A button losing its mark
    // or marked by the program raises nothing.
    void clicked(int index);

private:
    QButtonGroup m_group;
};
