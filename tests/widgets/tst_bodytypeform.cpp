// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bodytypeform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>

// Runs both at the normal scale and, through QT_SCALE_FACTOR, on a dense screen: every
// position is in logical pixels, so the same numbers must hold at both.
class tst_BodyTypeForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void window();
    void geometry_data();
    void geometry();
    void controlsNeitherOverlapNorSpill();
    void colours_data();
    void colours();
    void commandButtonsAreFlat_data();
    void commandButtonsAreFlat();
    void captions();
    void introText();
    void resultBox();
    void picture();
    void groupsAreIndependentAndStartEmpty();
    void tabOrderAndInitialFocus();
    void fontHoldsEveryCharacter();
    void captionsFit();
    void drawnAsOnALightThemeUnderADarkTheme();

private:
    template <typename T = QWidget>
    T *control(const char *name) const
    {
        auto *widget = m_form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control named %s", name);
        return widget;
    }

    BodyTypeForm *m_form = nullptr;
};

void tst_BodyTypeForm::init()
{
    m_form = new BodyTypeForm;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void tst_BodyTypeForm::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void tst_BodyTypeForm::window()
{
    QCOMPARE(m_form->size(), QSize(506, 378));
    QCOMPARE(m_form->minimumSize(), QSize(506, 378));
    QCOMPARE(m_form->maximumSize(), QSize(506, 378));
    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!m_form->windowIcon().isNull());
    QCOMPARE(m_form->windowIcon().pixmap(32, 32).size() / m_form->devicePixelRatio(),
             QSize(32, 32));
    const QRect screen = m_form->screen()->availableGeometry();
    const QPoint offset = m_form->geometry().center() - screen.center();
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("window %1,%2 off centre").arg(offset.x()).arg(offset.y())));
}

void tst_BodyTypeForm::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected"); // pixels in the container, at 15 twips a pixel
    auto row = [](const char *name, QRect rect) { QTest::newRow(name) << name << rect; };
    row("Label1_0", {64, 0, 353, 25});
    row("Picture1", {8, 40, 204, 198});
    row("Label1_2", {240, 32, 177, 17});
    row("Frame2", {224, 56, 201, 97});
    row("Option2_0", {0, 0, 193, 25});
    row("Option2_1", {0, 32, 193, 25});
    row("Option2_2", {0, 64, 193, 25});
    row("Command1_0", {432, 56, 73, 25});
    row("Command1_1", {432, 120, 73, 25});
    row("Label1_1", {224, 168, 265, 17});
    row("Frame1", {224, 200, 265, 33});
    // 500 twips is 33 1/3 pixels: each rounded from its own exact position, never drifting.
    const int ratingLefts[] = {0, 33, 67, 100, 133, 167, 200, 233};
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "Option1_" + QByteArray::number(i);
        QTest::newRow(name) << QString::fromLatin1(name) << QRect(ratingLefts[i], 8, 32, 19);
    }
    row("Text1_0", {8, 248, 465, 121});
}

void tst_BodyTypeForm::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, expected);
    QCOMPARE(control(qPrintable(name))->geometry(), expected);
}

void tst_BodyTypeForm::controlsNeitherOverlapNorSpill()
{
    const QList<QWidget *> controls = m_form->findChildren<QWidget *>(
        QRegularExpression(QStringLiteral("^(Label1|Picture1|Frame|Option|Command1|Text1)")));
    QCOMPARE(controls.size(), 20);
    for (QWidget *a : controls) {
        QVERIFY2(a->parentWidget()->rect().contains(a->geometry()), qPrintable(a->objectName()));
        for (QWidget *b : controls) {
            if (a != b && a->parentWidget() == b->parentWidget())
                QVERIFY2(
                    !a->geometry().intersects(b->geometry()),
                    qPrintable(a->objectName() + QLatin1String(" overlaps ") + b->objectName()));
        }
    }
}

void tst_BodyTypeForm::colours_data()
{
    QTest::addColumn<QPoint>("at"); // in window coordinates, where no text or mark is drawn
    QTest::addColumn<QColor>("expected");
    QTest::newRow("window") << QPoint(500, 372) << QColor(0xC0, 0xC0, 0xFF);
    QTest::newRow("component panel gap") << QPoint(300, 84) << QColor(0xC0, 0xC0, 0xFF);
    QTest::newRow("title label") << QPoint(66, 2) << QColor(0xFF, 0xC0, 0x80);
    QTest::newRow("component label") << QPoint(242, 33) << QColor(0xFF, 0xC0, 0x80);
    QTest::newRow("rating label") << QPoint(487, 183) << QColor(0xFF, 0xC0, 0x80);
    QTest::newRow("component 0") << QPoint(414, 58) << QColor(0x80, 0xFF, 0xFF);
    QTest::newRow("component 2") << QPoint(414, 143) << QColor(0x80, 0xFF, 0xFF);
    QTest::newRow("rating panel") << QPoint(487, 231) << QColor(0xC0, 0xFF, 0xC0);
    QTest::newRow("rating 7 button") << QPoint(487, 215) << QColor(0xC0, 0xFF, 0xC0);
    QTest::newRow("output button") << QPoint(437, 61) << QColor(0x00, 0xFF, 0x00);
    QTest::newRow("clear button") << QPoint(437, 125) << QColor(0xFF, 0x00, 0x00);
}

void tst_BodyTypeForm::colours()
{
    QFETCH(QPoint, at);
    QFETCH(QColor, expected);
    const QImage image = m_form->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QColor seen = image.pixelColor(at * ratio);
    QVERIFY2(seen == expected, qPrintable(QStringLiteral("%1 at %2,%3, expected %4")
                                              .arg(seen.name(), QString::number(at.x()),
                                                   QString::number(at.y()), expected.name())));
}

void tst_BodyTypeForm::commandButtonsAreFlat_data()
{
    // Every style Qt may pick here: the platform's own, and each it can make.
    QTest::addColumn<QString>("style");
    QTest::newRow("default") << QString();
    for (const QString &style : QStyleFactory::keys())
        QTest::newRow(qPrintable(style)) << style;
}

void tst_BodyTypeForm::commandButtonsAreFlat()
{
    QFETCH(QString, style);
    std::unique_ptr<BodyTypeForm> styled;
    const QString original = QApplication::style()->name();
    const auto restore = qScopeGuard([&] { QApplication::setStyle(original); });
    if (!style.isEmpty()) {
        QApplication::setStyle(style);
        styled = std::make_unique<BodyTypeForm>();
        styled->show();
        QVERIFY(QTest::qWaitForWindowExposed(styled.get()));
    }
    BodyTypeForm *form = styled ? styled.get() : m_form;

    // Filled with its own colour, flat: the same right across the inside of the bevel.
    const QImage image = form->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QColor colours[] = {QColor(0x00, 0xFF, 0x00), QColor(0xFF, 0x00, 0x00)};
    for (int i : {0, 1}) {
        const QString name = QStringLiteral("Command1_%1").arg(i);
        const QRect inside = form->findChild<QWidget *>(name)->geometry().adjusted(3, 3, -3, -3);
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            const QColor seen = image.pixelColor(QPoint(inside.left(), y) * ratio);
            QVERIFY2(seen == colours[i], qPrintable(QStringLiteral("%1: %2 at row %3, expected %4")
                                                        .arg(name, seen.name())
                                                        .arg(y)
                                                        .arg(colours[i].name())));
        }
    }
}

void tst_BodyTypeForm::captions()
{
    QCOMPARE(m_form->windowTitle(),
             QStringLiteral("https://www.example.org  Психология - вид на телосложение"));
    QCOMPARE(control<QLabel>("Label1_0")->text(),
             QStringLiteral("Психология - телосложение, вид и стойности"));
    QCOMPARE(control<QLabel>("Label1_1")->text(), QStringLiteral("Телосложение - скала"));
    QCOMPARE(control<QLabel>("Label1_2")->text(), QStringLiteral("Телосложение - вид"));
    QCOMPARE(control<QAbstractButton>("Option2_0")->text(),
             QStringLiteral("ендоморфен (пикничен)"));
    QCOMPARE(control<QAbstractButton>("Option2_1")->text(),
             QStringLiteral("мезоморфен (атлетичен)"));
    QCOMPARE(control<QAbstractButton>("Option2_2")->text(),
             QStringLiteral("ектоморфен (астеничен)"));
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "Option1_" + QByteArray::number(i);
        QCOMPARE(control<QAbstractButton>(name)->text(), QString::number(i));
    }
    QCOMPARE(control<QAbstractButton>("Command1_0")->text(), QStringLiteral("Изведи"));
    QCOMPARE(control<QAbstractButton>("Command1_1")->text(), QStringLiteral("Чисти"));
    for (const char *name : {"Label1_0", "Label1_1", "Label1_2"})
        QVERIFY(control<QLabel>(name)->alignment() & Qt::AlignHCenter);
}

void tst_BodyTypeForm::introText()
{
    // The program holds the committed text exactly: UTF-8, a CR LF after each of its 20 lines
    // (which an editor or a checkout could lose), and nothing after the last.
    QFile asset(QStringLiteral(BODYTYPE_ASSETS "/introtext.txt"));
    QVERIFY(asset.open(QIODevice::ReadOnly));
    const QString text = BodyTypeForm::introText();
    QCOMPARE(text, QString::fromUtf8(asset.readAll()));
    QVERIFY(text.endsWith(QLatin1String("\r\n")));
    QCOMPARE(text.count(QLatin1String("\r\n")), 20);
    QCOMPARE(text.count(QLatin1Char('\n')), 20);
    QCOMPARE(text.count(QLatin1Char('\r')), 20);
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
}

void tst_BodyTypeForm::resultBox()
{
    auto *box = control<QPlainTextEdit>("Text1_0");
    QVERIFY(box->verticalScrollBar()->isVisible());
    QVERIFY(!box->horizontalScrollBar()->isVisible());

    // One line break per CR LF, nothing shown for the carriage return, the empty last line.
    QCOMPARE(box->document()->blockCount(), 21);
    QVERIFY(!box->toPlainText().contains(QLatin1Char('\r')));
    QCOMPARE(box->toPlainText(),
             BodyTypeForm::introText().replace(QLatin1String("\r\n"), QLatin1String("\n")));

    // Long lines wrap inside the box rather than widening it.
    const QTextBlock first = box->document()->firstBlock();
    QVERIFY(first.layout()->lineCount() > 1);
    QVERIFY(box->document()->idealWidth() <= box->viewport()->width());

    // The user cannot change the text.
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("xyz"));
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->document()->blockCount(), 21);
    QVERIFY(box->toPlainText().startsWith(BodyTypeForm::introText().left(20)));
}

void tst_BodyTypeForm::picture()
{
    QVERIFY(QImageReader::supportedImageFormats().contains("jpeg"));
    QCOMPARE(QImage(QStringLiteral(":/somatochart.jpg")).size(), QSize(200, 194));
    QCOMPARE(QImage(QStringLiteral(":/somatochart@2x.jpg")).size(), QSize(400, 388));

    auto *picture = control<QLabel>("Picture1");
    QCOMPARE(picture->frameShadow(), QFrame::Sunken);
    QCOMPARE(picture->frameWidth(), 2);
    QCOMPARE(picture->contentsRect(), QRect(2, 2, 200, 194));
    const QPixmap pixmap = picture->pixmap();
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), QSize(200, 194));
    // On a dense screen the picture comes from the double-size drawing, at the screen's own
    // pixels (up to double), not enlarged from the small one.
    const qreal ratio = qMin(m_form->devicePixelRatio(), 2.0);
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    QCOMPARE(pixmap.size(), (QSizeF(200, 194) * ratio).toSize());

    // Focus shows on the border, and only while the picture has it.
    const QColor highlight = picture->palette().color(QPalette::Highlight);
    auto border = [&] {
        const QImage image = picture->grab().toImage();
        return image.pixelColor(QPoint(100, 0) * image.devicePixelRatio());
    };
    QVERIFY(border() != highlight);
    QVERIFY(picture->focusPolicy() & Qt::TabFocus);
    picture->setFocus();
    QVERIFY(border() == highlight);
}

void tst_BodyTypeForm::groupsAreIndependentAndStartEmpty()
{
    const QList<QRadioButton *> options = m_form->findChildren<QRadioButton *>();
    QCOMPARE(options.size(), 11);
    for (QRadioButton *option : options)
        QVERIFY2(!option->isChecked(), qPrintable(option->objectName()));

    // A component and a rating can be marked at once: the panels are separate groups.
    QTest::mouseClick(control<QAbstractButton>("Option2_1"), Qt::LeftButton);
    QTest::mouseClick(control<QAbstractButton>("Option1_3"), Qt::LeftButton);
    QTest::mouseClick(control<QAbstractButton>("Option1_5"), Qt::LeftButton);
    QVERIFY(control<QAbstractButton>("Option2_1")->isChecked());
    QVERIFY(control<QAbstractButton>("Option1_5")->isChecked());
    QVERIFY(!control<QAbstractButton>("Option1_3")->isChecked());
    QTest::mouseClick(control<QAbstractButton>("Option2_2"), Qt::LeftButton);
    QVERIFY(!control<QAbstractButton>("Option2_1")->isChecked());
    QVERIFY(control<QAbstractButton>("Option2_2")->isChecked());
}

void tst_BodyTypeForm::tabOrderAndInitialFocus()
{
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QCOMPARE(QApplication::focusWidget(), control("Text1_0"));

    // Qt makes each exclusive group of option buttons one tab stop: its buttons are told
    // apart only by group here. The arrow keys move within a group.
    const QStringList expected{
        QStringLiteral("Picture1"),   QStringLiteral("Option1"),    QStringLiteral("Option2"),
        QStringLiteral("Command1_0"), QStringLiteral("Command1_1"), QStringLiteral("Text1_0"),
    };
    QStringList seen;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString name = QApplication::focusWidget()->objectName();
        seen << (name.startsWith(QLatin1String("Option")) ? name.left(7) : name);
    }
    QCOMPARE(seen, expected);

    // Backwards the same way.
    QStringList back;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        const QString name = QApplication::focusWidget()->objectName();
        back.prepend(name.startsWith(QLatin1String("Option")) ? name.left(7) : name);
    }
    QCOMPARE(back,
             QStringList(expected.mid(expected.size() - 1) + expected.mid(0, expected.size() - 1)));
}

void tst_BodyTypeForm::fontHoldsEveryCharacter()
{
    const QFontInfo info(m_form->font());
    QVERIFY2(info.family() == QLatin1String("Times New Roman") ||
                 info.family() == QLatin1String("Liberation Serif"),
             qPrintable(info.family()));
    QCOMPARE(info.pointSize(), 12);
    QVERIFY(!info.bold());
    QVERIFY(!info.italic());

    QString shown = m_form->windowTitle() + BodyTypeForm::introText();
    for (QWidget *widget : m_form->findChildren<QWidget *>()) {
        QCOMPARE(QFontInfo(widget->font()).family(), info.family());
        if (auto *label = qobject_cast<QLabel *>(widget))
            shown += label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            shown += button->text();
    }
    const QRawFont raw = QRawFont::fromFont(m_form->font());
    for (const QChar ch : std::as_const(shown)) {
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n'))
            continue;
        QVERIFY2(raw.supportsCharacter(ch),
                 qPrintable(QStringLiteral("U+%1 is missing from %2")
                                .arg(ch.unicode(), 4, 16, QLatin1Char('0'))
                                .arg(raw.familyName())));
    }
}

void tst_BodyTypeForm::captionsFit()
{
    for (QAbstractButton *button : m_form->findChildren<QAbstractButton *>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool radio = qobject_cast<QRadioButton *>(button) != nullptr;
        const QRect textRoom =
            radio ? button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button)
                  : button->rect().adjusted(2, 2, -2, -2);
        const int needed = button->fontMetrics().horizontalAdvance(button->text());
        QVERIFY2(textRoom.width() >= needed,
                 qPrintable(QStringLiteral("%1: %2 pixels for a %3-pixel caption")
                                .arg(button->objectName())
                                .arg(textRoom.width())
                                .arg(needed)));
        if (radio) {
            const QRect mark =
                button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
            QVERIFY2(button->rect().contains(mark), qPrintable(button->objectName()));
            QVERIFY(!mark.intersects(textRoom));
        }
    }
    for (QLabel *label : m_form->findChildren<QLabel *>()) {
        if (!label->pixmap().isNull())
            continue;
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->objectName()));
    }
}

void tst_BodyTypeForm::drawnAsOnALightThemeUnderADarkTheme()
{
    // The light theme's own dark text is kept as it is.
    const QPalette original = QApplication::palette();
    QCOMPARE(control("Label1_0")->palette().color(QPalette::WindowText),
             original.color(QPalette::WindowText));

    // A dark desktop theme, as Qt's GTK theme gives it under Adwaita:dark.
    QPalette dark = original;
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, QColor(0xEE, 0xEE, 0xEE));
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        dark.setColor(role, QColor(0x30, 0x30, 0x30));
    QApplication::setPalette(dark);
    const auto restore = qScopeGuard([&original] { QApplication::setPalette(original); });
    BodyTypeForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    for (const char *name : {"Label1_0", "Option1_3", "Option2_1"}) {
        auto *widget = form.findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(widget->palette().color(widget->foregroundRole()).lightness() < 64, name);
    }
    for (const char *name : {"Command1_0", "Command1_1"}) {
        auto *button = form.findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(button->palette().color(QPalette::ButtonText).lightness() < 64, name);
    }

    // An empty mark looks empty and a chosen one is clearly marked: the centre of each mark.
    // Windows' own style fades a mark in, so a chosen one is looked at again until it settles.
    for (const char *name : {"Option2_1", "Option1_2"})
        QTest::mouseClick(form.findChild<QWidget *>(QLatin1String(name)), Qt::LeftButton);
    const auto markCentre = [&form](const char *name) {
        auto *button = form.findChild<QRadioButton *>(QLatin1String(name));
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect mark =
            button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
        const QImage image = form.grab().toImage();
        const QPointF centre = QPointF(button->mapTo(&form, mark.center())) + QPointF(0.5, 0.5);
        return image.pixelColor((centre * image.devicePixelRatio()).toPoint()).lightness();
    };
    const auto report = [&markCentre](const char *name) {
        return QStringLiteral("%1: lightness %2").arg(QLatin1String(name)).arg(markCentre(name));
    };
    for (const char *empty : {"Option2_0", "Option2_2", "Option1_0", "Option1_5"})
        QVERIFY2(markCentre(empty) > 200, qPrintable(report(empty)));
    for (const char *chosen : {"Option2_1", "Option1_2"}) {
        QVERIFY2(QTest::qWaitFor([&] { return markCentre(chosen) < 120; }),
                 qPrintable(report(chosen)));
    }
}

QTEST_MAIN(tst_BodyTypeForm)
#include "tst_bodytypeform.moc"
