// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "optionbutton.h"
#include "optiongroup.h"

#include <QApplication>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <stdexcept>

class tst_OptionGroup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsWithNothingSelected();
    void selectingOneDeselectsTheOthers();
    void programCanLeaveGroupEmpty();
    void onlyTheUserRaisesClicked();
    void arrowKeysClickOnlyFromASelectedButton();
    void wholeFaceIsClickable();
    void missingButtonIsAnError();

private:
    QWidget *m_panel = nullptr;
    OptionGroup *m_group = nullptr;
};

void tst_OptionGroup::init()
{
    m_panel = new QWidget;
    m_group = new OptionGroup(m_panel);
    for (int i = 0; i < 3; ++i) {
        auto *button = new OptionButton(QString::number(i), m_panel);
        button->setGeometry(0, i * 30, 80, 25);
        m_group->addButton(button);
    }
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
}

void tst_OptionGroup::cleanup()
{
    delete m_panel;
}

static QList<bool> marks(const OptionGroup &group)
{
    QList<bool> result;
    for (int i = 0; i < group.count(); ++i)
        result << group.button(i)->isChecked();
    return result;
}

void tst_OptionGroup::startsWithNothingSelected()
{
    QCOMPARE(m_group->count(), 3);
    QCOMPARE(m_group->selected(), -1);
    QCOMPARE(marks(*m_group), (QList<bool>{false, false, false}));
}

void tst_OptionGroup::selectingOneDeselectsTheOthers()
{
    QTest::mouseClick(m_group->button(0), Qt::LeftButton);
    QCOMPARE(marks(*m_group), (QList<bool>{true, false, false}));
    m_group->setSelected(2, true);
    QCOMPARE(marks(*m_group), (QList<bool>{false, false, true}));
    QCOMPARE(m_group->selected(), 2);
}

void tst_OptionGroup::programCanLeaveGroupEmpty()
{
    QTest::mouseClick(m_group->button(1), Qt::LeftButton);
    // Deselecting a button that is not the marked one leaves the mark alone.
    m_group->setSelected(0, false);
    QCOMPARE(m_group->selected(), 1);
    m_group->setSelected(1, false);
    QCOMPARE(marks(*m_group), (QList<bool>{false, false, false}));

    // Still exclusive afterwards, and the user cannot unmark a button by clicking it again.
    QTest::mouseClick(m_group->button(2), Qt::LeftButton);
    QTest::mouseClick(m_group->button(0), Qt::LeftButton);
    QTest::mouseClick(m_group->button(0), Qt::LeftButton);
    QCOMPARE(marks(*m_group), (QList<bool>{true, false, false}));

    m_group->clearSelection();
    QCOMPARE(m_group->selected(), -1);
}

void tst_OptionGroup::onlyTheUserRaisesClicked()
{
    QSignalSpy clicked(m_group, &OptionGroup::clicked);
    m_group->setSelected(1, true);
    m_group->setSelected(1, false);
    m_group->clearSelection();
    QCOMPARE(clicked.count(), 0);

    QTest::mouseClick(m_group->button(2), Qt::LeftButton);
    m_group->button(0)->setFocus();
    QTest::keyClick(m_group->button(0), Qt::Key_Space);
    // Losing the mark to button 0 raised nothing for button 2.
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.at(0).at(0).toInt(), 2);
    QCOMPARE(clicked.at(1).at(0).toInt(), 0);
}

void tst_OptionGroup::arrowKeysClickOnlyFromASelectedButton()
{
    QSignalSpy clicked(m_group, &OptionGroup::clicked);
    m_panel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_panel));

    // From an unmarked button an arrow only moves the focus.
    m_group->button(0)->setFocus();
    QTest::keyClick(m_group->button(0), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), m_group->button(1));
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(m_group->selected(), -1);

    // From the marked one it selects the next, as a click.
    QTest::keyClick(m_group->button(1), Qt::Key_Space);
    QTest::keyClick(m_group->button(1), Qt::Key_Down);
    QCOMPARE(m_group->selected(), 2);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.last().at(0).toInt(), 2);
}

void tst_OptionGroup::wholeFaceIsClickable()
{
    QAbstractButton *button = m_group->button(1);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(button->width() - 2, button->height() / 2));
    QCOMPARE(m_group->selected(), 1);
    QTest::mouseClick(m_panel, Qt::LeftButton, {}, QPoint(button->width() + 5, 40));
    QCOMPARE(m_group->selected(), 1);
}

void tst_OptionGroup::missingButtonIsAnError()
{
    m_group->setObjectName(QStringLiteral("Option1"));
    m_group->setSelected(1, true);
    for (int index : {3, -1}) {
        try {
            m_group->setSelected(index, true);
            QFAIL("selected a button the group does not have");
        } catch (const std::out_of_range &error) {
            QCOMPARE(QString::fromUtf8(error.what()),
                     QStringLiteral("Option1: there is no option button %1 (0 to 2)").arg(index));
        }
    }
    QCOMPARE(m_group->selected(), 1);
}

QTEST_MAIN(tst_OptionGroup)
#include "tst_optiongroup.moc"
