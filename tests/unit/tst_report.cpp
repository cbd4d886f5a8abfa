// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ratingsheet.h"
#include "report.h"

#include <QTest>

#include <cstdint>
#include <limits>

class tst_Report : public QObject
{
    Q_OBJECT

private slots:
    void workedExample();
    void marks_data();
    void marks();
    void everyLineEndsInCrLf();
    void clearedSheetIsNotRated();
    void buildingTwiceGivesSameText();
};

static RatingSheet sheetWith(std::int16_t endo, std::int16_t meso, std::int16_t ecto)
{
    RatingSheet sheet;
    sheet.Reset();
    const std::int16_t ratings[] = {endo, meso, ecto};
    for (std::int16_t component = 0; component < 3; ++component) {
        sheet.SelectComponent(component);
        sheet.SelectRating(ratings[component]);
    }
    return sheet;
}

static QByteArray report(const RatingSheet &sheet)
{
    return QByteArray::fromStdString(BuildReport(sheet));
}

void tst_Report::workedExample()
{
    // Written out in full, byte for byte, so that no fixed text of the program is reused here.
    const QByteArray expected = "Въведеният тип е:\r\n"
                                "ендоморфен (пикничен): 3\r\n"
                                "мезоморфен (атлетичен): 7  Явно определен!\r\n"
                                "ектоморфен (астеничен): 0  ???\r\n";
    QCOMPARE(report(sheetWith(3, 7, 0)), expected);
}

void tst_Report::marks_data()
{
    QTest::addColumn<std::int16_t>("rating");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("0 not rated") << std::int16_t{0} << QByteArray("0  ???");
    for (std::int16_t rating = 1; rating <= 6; ++rating)
        QTest::addRow("%d no mark", rating) << rating << QByteArray::number(rating);
    QTest::newRow("7 pronounced") << std::int16_t{7} << QByteArray("7  Явно определен!");
    QTest::newRow("-1 not rated") << std::int16_t{-1} << QByteArray("-1  ???");
    QTest::newRow("lowest not rated")
        << std::numeric_limits<std::int16_t>::min() << QByteArray("-32768  ???");
    QTest::newRow("8 no mark") << std::int16_t{8} << QByteArray("8");
    QTest::newRow("highest no mark")
        << std::numeric_limits<std::int16_t>::max() << QByteArray("32767");
}

void tst_Report::marks()
{
    QFETCH(std::int16_t, rating);
    QFETCH(QByteArray, line);
    const QList<QByteArray> lines = report(sheetWith(1, rating, 6)).split('\n');
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.at(1), QByteArray("ендоморфен (пикничен): 1\r"));
    QCOMPARE(lines.at(2), "мезоморфен (атлетичен): " + line + '\r');
    QCOMPARE(lines.at(3), QByteArray("ектоморфен (астеничен): 6\r"));
}

void tst_Report::everyLineEndsInCrLf()
{
    const QByteArray text = report(sheetWith(7, 7, 7));
    QVERIFY(text.endsWith("\r\n"));
    QCOMPARE(text.count("\r\n"), 4);
    QCOMPARE(text.count('\r'), 4);
    QCOMPARE(text.count('\n'), 4);
    QCOMPARE(text.count("  Явно определен!\r\n"), 3);
    QVERIFY(!text.contains("???"));
}

void tst_Report::clearedSheetIsNotRated()
{
    const QByteArray expected = "Въведеният тип е:\r\n"
                                "ендоморфен (пикничен): 0  ???\r\n"
                                "мезоморфен (атлетичен): 0  ???\r\n"
                                "ектоморфен (астеничен): 0  ???\r\n";
    RatingSheet fresh;
    fresh.Reset();
    QCOMPARE(report(fresh), expected);

    RatingSheet cleared = sheetWith(4, 5, 7);
    cleared.Clear();
    QCOMPARE(report(cleared), expected);
}

void tst_Report::buildingTwiceGivesSameText()
{
    const RatingSheet sheet = sheetWith(2, 0, 7);
    const QByteArray first = report(sheet);
    QCOMPARE(report(sheet), first);
}

QTEST_APPLESS_MAIN(tst_Report)
#include "tst_report.moc"
