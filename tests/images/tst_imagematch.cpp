// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "imagematch.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <functional>

// The committed picture against itself changed: noise of the kind other processors give
// passes, a change that a person would see fails. Places are the chart's own, in pixels of the
// 200 by 194 picture: the mesomorphy axis stands at x = 100 from y = 20 to 166.
class tst_ImageMatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void changes_data();
    void changes();

private:
    QImage m_picture;
};

using Change = std::function<void(QImage &)>;
Q_DECLARE_METATYPE(Change)

namespace {

const QColor Fill(0xFF, 0xF6, 0xE0);
const QColor MesoColour(0x1E, 0x7A, 0x3C);

void paint(QImage &image, const std::function<void(QPainter &)> &draw)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
}

// Applies `change` to every pixel of `area` that `which` picks.
void recolour(QImage &image, QRect area, const std::function<bool(QRgb)> &which,
              const std::function<QRgb(QRgb)> &change)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (which(pixel))
                image.setPixel(x, y, change(pixel));
        }
    }
}

} // namespace

void tst_ImageMatch::initTestCase()
{
    m_picture = QImage(QStringLiteral(BODYTYPE_ASSETS "/somatochart.jpg"))
                    .convertToFormat(QImage::Format_RGB32);
    QCOMPARE(m_picture.size(), QSize(200, 194));
}

void tst_ImageMatch::changes_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("alike");

    QTest::newRow("identical") << Change([](QImage &) {}) << true;
    // As seen between two processors: edge pixels a level off, and a few a little more.
    QTest::newRow("blending noise") << Change([](QImage &image) {
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = y % 2; x < image.width(); x += 2) {
                const QRgb p = image.pixel(x, y);
                image.setPixel(x, y, qRgb(qRed(p) ^ 1, qGreen(p), qBlue(p)));
            }
        }
        for (int i = 0; i < 2; ++i)
            image.setPixel(30 + i, 80, qRgb(0, 0, 0));
    }) << true;

    QTest::newRow("moved axis") << Change([](QImage &image) {
        paint(image, [](QPainter &p) {
            p.fillRect(QRectF(98.5, 60, 3, 40), Fill);
            p.setPen(QPen(MesoColour, 1.2));
            p.drawLine(QPointF(96, 60), QPointF(96, 100));
        });
    }) << false;
    QTest::newRow("missing number") << Change([](QImage &image) {
        // The 6 beside the mesomorphy axis.
        paint(image, [](QPainter &p) { p.fillRect(QRectF(103, 44, 9, 9), Fill); });
    }) << false;
    QTest::newRow("another colour") << Change([](QImage &image) {
        // "Ендоморфия" in blue instead of red.
        recolour(
            image, QRect(0, 176, 100, 18), [](QRgb p) { return qRed(p) > qGreen(p) + 40; },
            [](QRgb p) { return qRgb(qBlue(p), qGreen(p), qRed(p)); });
    }) << false;
    QTest::newRow("fill a shade darker") << Change([](QImage &image) {
        recolour(
            image, image.rect(), [](QRgb p) { return qAbs(qBlue(p) - 0xE0) < 8 && qRed(p) > 0xF8; },
            [](QRgb p) { return qRgb(qRed(p) - 12, qGreen(p) - 12, qBlue(p) - 12); });
    }) << false;
}

void tst_ImageMatch::changes()
{
    QFETCH(Change, change);
    QFETCH(bool, alike);
    QImage changed = m_picture;
    change(changed);
    const QString mismatch = imageMismatch(m_picture, changed);
    QVERIFY2(mismatch.isEmpty() == alike,
             qPrintable(alike ? mismatch : QStringLiteral("not told apart")));
}

QTEST_MAIN(tst_ImageMatch)
#include "tst_imagematch.moc"
