// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bodytypeform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTest>

#include <array>

namespace {

QString intro()
{
    // The box shows each CR LF as one line break.
    return BodyTypeForm::introText().replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// The program as a user sees it, kept independently of the sheet and the report: what each
// component holds, which buttons are marked, what the box shows.
struct Model
{
    std::array<int, 3> ratings{};
    int current = 0;
    int componentMark = -1;
    int ratingMark = -1;
    QString text = intro();

    void chooseComponent(int k)
    {
        current = k;
        componentMark = k;
        ratingMark = ratings[std::size_t(k)];
    }
    void chooseRating(int r)
    {
        ratings[std::size_t(current)] = r;
        ratingMark = r;
    }
    void output()
    {
        const char *names[] = {"ендоморфен (пикничен)", "мезоморфен (атлетичен)",
                               "ектоморфен (астеничен)"};
        text = QStringLiteral("Въведеният тип е:\n");
        for (int c = 0; c < 3; ++c) {
            const int n = ratings[std::size_t(c)];
            text += QString::fromUtf8(names[c]) + QStringLiteral(": ") + QString::number(n);
            if (n == 0)
                text += QStringLiteral("  ???");
            if (n == 7)
                text += QStringLiteral("  Явно определен!");
            text += QLatin1Char('\n');
        }
    }
    void clear()
    {
        ratings = {};
        componentMark = -1;
        ratingMark = -1;
    }
};

} // namespace

class tst_Handlers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsEmpty();
    void ratingBeforeAnyComponent();
    void componentShowsItsStoredRating();
    void clearKeepsTextAndComponent();
    void outputTwiceShowsOneReport();
    void clearThenOutputIsNotRated();
    void clickingTheMarkedButtonChangesNothing();
    void markingByTheProgramStoresNothing();
    void keyboard();
    void enterAndEscapePressNothing();
    void randomClicksAndKeysMatchModel_data();
    void randomClicksAndKeysMatchModel();

private:
    QAbstractButton *button(const QString &name) const
    {
        auto *found = m_form->findChild<QAbstractButton *>(name);
        if (!found)
            qFatal("no button %s", qPrintable(name));
        return found;
    }
    QAbstractButton *component(int k) const { return button(QStringLiteral("Option2_%1").arg(k)); }
    QAbstractButton *rating(int r) const { return button(QStringLiteral("Option1_%1").arg(r)); }
    void click(QAbstractButton *target) const { QTest::mouseClick(target, Qt::LeftButton); }
    void output() const { click(button(QStringLiteral("Command1_0"))); }
    void clear() const { click(button(QStringLiteral("Command1_1"))); }
    int marked(const QString &prefix, int count) const;
    QString text() const { return m_form->findChild<QPlainTextEdit *>()->toPlainText(); }
    QString check(const Model &model) const;

    BodyTypeForm *m_form = nullptr;
};

void tst_Handlers::init()
{
    m_form = new BodyTypeForm;
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void tst_Handlers::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

int tst_Handlers::marked(const QString &prefix, int count) const
{
    int found = -1;
    for (int i = 0; i < count; ++i) {
        if (button(prefix + QString::number(i))->isChecked()) {
            if (found != -1)
                return -2; // two marks in one group
            found = i;
        }
    }
    return found;
}

// Empty when the window and the sheet agree with the model, else what differs.
QString tst_Handlers::check(const Model &model) const
{
    QStringList differences;
    const RatingSheet &sheet = m_form->sheet();
    for (std::size_t c = 0; c < 3; ++c) {
        if (sheet.Ratings[c] != model.ratings[c])
            differences << QStringLiteral("rating %1 is %2, expected %3")
                               .arg(c)
                               .arg(sheet.Ratings[c])
                               .arg(model.ratings[c]);
    }
    if (sheet.CurrentComponent != model.current)
        differences << QStringLiteral("component %1, expected %2")
                           .arg(sheet.CurrentComponent)
                           .arg(model.current);
    const int componentMark = marked(QStringLiteral("Option2_"), 3);
    if (componentMark != model.componentMark)
        differences << QStringLiteral("component mark %1, expected %2")
                           .arg(componentMark)
                           .arg(model.componentMark);
    const int ratingMark = marked(QStringLiteral("Option1_"), 8);
    if (ratingMark != model.ratingMark)
        differences
            << QStringLiteral("rating mark %1, expected %2").arg(ratingMark).arg(model.ratingMark);
    if (text() != model.text)
        differences << QStringLiteral("text:\n%1\nexpected:\n%2").arg(text(), model.text);
    return differences.join(QLatin1String("; "));
}

void tst_Handlers::startsEmpty()
{
    QCOMPARE(check(Model{}), QString());
}

void tst_Handlers::ratingBeforeAnyComponent()
{
    click(rating(5));
    output();
    QCOMPARE(text(), QStringLiteral("Въведеният тип е:\n"
                                    "ендоморфен (пикничен): 5\n"
                                    "мезоморфен (атлетичен): 0  ???\n"
                                    "ектоморфен (астеничен): 0  ???\n"));
    QCOMPARE(marked(QStringLiteral("Option2_"), 3), -1);
}

void tst_Handlers::componentShowsItsStoredRating()
{
    click(component(1));
    QCOMPARE(marked(QStringLiteral("Option1_"), 8), 0);
    click(rating(6));
    click(component(2));
    QCOMPARE(marked(QStringLiteral("Option1_"), 8), 0);
    QCOMPARE(marked(QStringLiteral("Option2_"), 3), 2);
    click(component(1));
    QCOMPARE(marked(QStringLiteral("Option1_"), 8), 6);
    QCOMPARE(marked(QStringLiteral("Option2_"), 3), 1);
}

void tst_Handlers::clearKeepsTextAndComponent()
{
    click(component(2));
    click(rating(4));
    output();
    const QString report = text();
    clear();
    QCOMPARE(marked(QStringLiteral("Option2_"), 3), -1);
    QCOMPARE(marked(QStringLiteral("Option1_"), 8), -1);
    QCOMPARE(text(), report);
    click(rating(3));
    QCOMPARE(m_form->sheet().Ratings, (std::array<std::int16_t, 4>{0, 0, 3, 0}));
    QCOMPARE(marked(QStringLiteral("Option2_"), 3), -1);
    QCOMPARE(text(), report);

    // Before any report the box keeps the introduction.
    delete m_form;
    m_form = new BodyTypeForm;
    click(rating(2));
    clear();
    QCOMPARE(text(), intro());
}

void tst_Handlers::outputTwiceShowsOneReport()
{
    click(component(0));
    click(rating(3));
    click(component(1));
    click(rating(7));
    output();
    const QString first = text();
    output();
    QCOMPARE(text(), first);
    QCOMPARE(first, QStringLiteral("Въведеният тип е:\n"
                                   "ендоморфен (пикничен): 3\n"
                                   "мезоморфен (атлетичен): 7  Явно определен!\n"
                                   "ектоморфен (астеничен): 0  ???\n"));
    QCOMPARE(m_form->findChild<QPlainTextEdit *>()->document()->blockCount(), 5);
}

void tst_Handlers::clearThenOutputIsNotRated()
{
    click(component(0));
    click(rating(2));
    click(component(2));
    click(rating(7));
    clear();
    output();
    QCOMPARE(text().count(QStringLiteral(": 0  ???\n")), 3);
}

void tst_Handlers::clickingTheMarkedButtonChangesNothing()
{
    Model model;
    click(component(1));
    model.chooseComponent(1);
    click(rating(4));
    model.chooseRating(4);
    click(component(1));
    click(rating(4));
    click(rating(4));
    QCOMPARE(check(model), QString());
}

void tst_Handlers::markingByTheProgramStoresNothing()
{
    // Qt raises no click for a mark set by the program: choosing a component leaves the
    // rating clicked last as it was, rather than re-storing the shown one.
    click(component(2));
    click(rating(5));
    click(component(0));
    QCOMPARE(marked(QStringLiteral("Option1_"), 8), 0);
    QCOMPARE(m_form->sheet().CurrentRating, 5);
}

void tst_Handlers::keyboard()
{
    Model model;
    component(0)->setFocus();
    QTest::keyClick(component(0), Qt::Key_Space);
    model.chooseComponent(0);
    QTest::keyClick(component(0), Qt::Key_Down);
    model.chooseComponent(1);
    QCOMPARE(check(model), QString());

    rating(0)->setFocus();
    QTest::keyClick(rating(0), Qt::Key_Right); // the focused button is marked: moves the mark
    model.chooseRating(1);
    QTest::keyClick(rating(1), Qt::Key_Right);
    model.chooseRating(2);
    QCOMPARE(check(model), QString());

    button(QStringLiteral("Command1_0"))->setFocus();
    QTest::keyClick(button(QStringLiteral("Command1_0")), Qt::Key_Space);
    model.output();
    QCOMPARE(check(model), QString());
}

void tst_Handlers::enterAndEscapePressNothing()
{
    click(component(1));
    click(rating(6));
    Model model;
    model.chooseComponent(1);
    model.chooseRating(6);
    for (const char *name : {"Command1_0", "Command1_1", "Option1_6", "Option2_1", "Text1_0"}) {
        QWidget *widget = m_form->findChild<QWidget *>(QLatin1String(name));
        widget->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(widget, key);
        QVERIFY2(check(model).isEmpty(), name);
    }
    QVERIFY(m_form->isVisible());
}

void tst_Handlers::randomClicksAndKeysMatchModel_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 20261208u, 4242u})
        QTest::addRow("seed %u", seed) << seed;
}

void tst_Handlers::randomClicksAndKeysMatchModel()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    Model model;
    QStringList steps;
    for (int step = 0; step < 400; ++step) {
        const int action = random.bounded(100);
        if (action < 25) {
            const int k = random.bounded(3);
            click(component(k));
            model.chooseComponent(k);
            steps << QStringLiteral("component %1").arg(k);
        } else if (action < 55) {
            const int r = random.bounded(8);
            if (random.bounded(2)) {
                click(rating(r));
                steps << QStringLiteral("rating %1").arg(r);
            } else {
                rating(r)->setFocus();
                QTest::keyClick(rating(r), Qt::Key_Space);
                steps << QStringLiteral("space on rating %1").arg(r);
            }
            model.chooseRating(r);
        } else if (action < 70) {
            // An arrow moves the mark only from the focused, marked button, never past an end.
            const bool ratings = random.bounded(2);
            const int count = ratings ? 8 : 3;
            const int from = random.bounded(count);
            const bool forward = random.bounded(2);
            QAbstractButton *start = ratings ? rating(from) : component(from);
            const Qt::Key key = ratings ? (forward ? Qt::Key_Right : Qt::Key_Left)
                                        : (forward ? Qt::Key_Down : Qt::Key_Up);
            start->setFocus();
            QTest::keyClick(start, key);
            const int to = from + (forward ? 1 : -1);
            const int mark = ratings ? model.ratingMark : model.componentMark;
            if (mark == from && to >= 0 && to < count)
                ratings ? model.chooseRating(to) : model.chooseComponent(to);
            steps << QStringLiteral("%1 %2 from %3")
                         .arg(ratings ? QLatin1String("rating") : QLatin1String("component"),
                              forward ? QLatin1String("forward") : QLatin1String("back"))
                         .arg(from);
        } else if (action < 82) {
            output();
            model.output();
            steps << QStringLiteral("output");
        } else if (action < 92) {
            clear();
            model.clear();
            steps << QStringLiteral("clear");
        } else {
            QWidget *target = random.bounded(2) ? static_cast<QWidget *>(rating(random.bounded(8)))
                                                : button(QStringLiteral("Command1_0"));
            target->setFocus();
            QTest::keyClick(target, random.bounded(2) ? Qt::Key_Return : Qt::Key_Escape);
            steps << QStringLiteral("enter or escape");
        }
        const QString differences = check(model);
        if (!differences.isEmpty()) {
            QFAIL(qPrintable(QStringLiteral("after step %1 (%2): %3\nlast steps: %4")
                                 .arg(step)
                                 .arg(steps.last(), differences,
                                      steps.mid(qMax(0, steps.size() - 8)).join(", "))));
        }
    }
}

QTEST_MAIN(tst_Handlers)
#include "tst_handlers.moc"
