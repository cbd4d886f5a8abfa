// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bodytypeform.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>

// What a screen reader gets from the window: a role, a Bulgarian name and the checked state
// of every control.
class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controls_data();
    void controls();
    void pictureIsDescribed();
    void resultBoxIsReadOnlyText();
    void marksFollowTheProgram();

private:
    QAccessibleInterface *accessible(const QString &name) const
    {
        QWidget *widget = m_form->findChild<QWidget *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return QAccessible::queryAccessibleInterface(widget);
    }

    BodyTypeForm *m_form = nullptr;
};

void tst_Accessibility::init()
{
    m_form = new BodyTypeForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void tst_Accessibility::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void tst_Accessibility::controls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    auto row = [](const char *control, QAccessible::Role role, const QString &name) {
        QTest::newRow(control) << QString::fromLatin1(control) << int(role) << name;
    };
    row("Label1_0", QAccessible::StaticText,
        QStringLiteral("Психология - телосложение, вид и стойности"));
    row("Label1_1", QAccessible::StaticText, QStringLiteral("Телосложение - скала"));
    row("Label1_2", QAccessible::StaticText, QStringLiteral("Телосложение - вид"));
    row("Frame1", QAccessible::Client, QStringLiteral("Телосложение - скала"));
    row("Frame2", QAccessible::Client, QStringLiteral("Телосложение - вид"));
    row("Option2_0", QAccessible::RadioButton, QStringLiteral("ендоморфен (пикничен)"));
    row("Option2_1", QAccessible::RadioButton, QStringLiteral("мезоморфен (атлетичен)"));
    row("Option2_2", QAccessible::RadioButton, QStringLiteral("ектоморфен (астеничен)"));
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "Option1_" + QByteArray::number(i);
        QTest::newRow(name) << QString::fromLatin1(name) << int(QAccessible::RadioButton)
                            << QString::number(i);
    }
    row("Command1_0", QAccessible::Button, QStringLiteral("Изведи"));
    row("Command1_1", QAccessible::Button, QStringLiteral("Чисти"));
    row("Picture1", QAccessible::Graphic, QStringLiteral("Соматограма"));
    row("Text1_0", QAccessible::EditableText, QStringLiteral("Резултат"));
}

void tst_Accessibility::controls()
{
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QAccessibleInterface *iface = accessible(control);
    QVERIFY(iface && iface->isValid());
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QVERIFY(!iface->state().invisible);
    if (role == QAccessible::RadioButton) {
        QVERIFY(iface->state().checkable);
        QVERIFY(!iface->state().checked);
    }
    // Every control hangs in the window's tree, so a reader can walk to it.
    QAccessibleInterface *top = iface;
    while (top->parent())
        top = top->parent();
    QVERIFY(top->role() == QAccessible::Application || top->role() == QAccessible::Window);
}

void tst_Accessibility::pictureIsDescribed()
{
    const QString description =
        accessible(QStringLiteral("Picture1"))->text(QAccessible::Description);
    for (const char *word : {"мезоморфия", "ендоморфия", "ектоморфия", "нагоре", "вляво", "вдясно"})
        QVERIFY2(description.contains(QString::fromUtf8(word)), word);
    QCOMPARE(QAccessible::queryAccessibleInterface(m_form)->text(QAccessible::Name),
             m_form->windowTitle());
}

void tst_Accessibility::resultBoxIsReadOnlyText()
{
    QAccessibleInterface *box = accessible(QStringLiteral("Text1_0"));
    QVERIFY(box->state().readOnly);
    QVERIFY(!box->state().editable);
    QAccessibleTextInterface *text = box->textInterface();
    QVERIFY(text);
    QVERIFY(text->text(0, text->characterCount())
                .startsWith(QStringLiteral("Телосложението (Constitution)")));
    QVERIFY(!box->text(QAccessible::Description).isEmpty());
}

void tst_Accessibility::marksFollowTheProgram()
{
    // A reader asks for the state whenever it reads a button, so what it gets must follow the
    // marks the program sets and removes, not only the user's clicks.
    auto state = [this](const char *name) {
        return accessible(QLatin1String(name))->state().checked;
    };
    QTest::mouseClick(m_form->findChild<QAbstractButton *>(QStringLiteral("Option2_1")),
                      Qt::LeftButton);
    QVERIFY(state("Option2_1"));
    QVERIFY(state("Option1_0")); // marked by the program: the stored rating
    QTest::mouseClick(m_form->findChild<QAbstractButton *>(QStringLiteral("Option1_4")),
                      Qt::LeftButton);
    QVERIFY(state("Option1_4"));
    QVERIFY(!state("Option1_0"));

    QTest::mouseClick(m_form->findChild<QAbstractButton *>(QStringLiteral("Command1_1")),
                      Qt::LeftButton);
    QVERIFY(!state("Option1_4"));
    QVERIFY(!state("Option2_1"));
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
