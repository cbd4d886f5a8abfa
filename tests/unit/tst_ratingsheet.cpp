// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rangeerror.h"
#include "ratingsheet.h"
#include "valueerror.h"

#include <QTest>

#include <cstdint>
#include <limits>

using Entries = std::array<std::int16_t, 4>;
Q_DECLARE_METATYPE(Entries)

namespace QTest {
template <>
char *toString(const Entries &entries)
{
    return qstrdup(QByteArray::number(entries[0]) + ", " + QByteArray::number(entries[1]) + ", " +
                   QByteArray::number(entries[2]) + ", " + QByteArray::number(entries[3]));
}
} // namespace QTest

class tst_RatingSheet : public QObject
{
    Q_OBJECT

private slots:
    void ratingBeforeAnyComponentGoesToFirst();
    void componentRemembersItsRating();
    void clearKeepsComponentChosenLast();
    void resetAndClear();
    void ratingsAreNotValidated_data();
    void ratingsAreNotValidated();
    void lastEntryIsAddressable();
    void indexOutsideRatingsIsRangeError_data();
    void indexOutsideRatingsIsRangeError();
    void onlySixteenBitWholeNumbersReachTheSheet_data();
    void onlySixteenBitWholeNumbersReachTheSheet();
};

static RatingSheet freshSheet()
{
    RatingSheet sheet;
    sheet.Reset();
    return sheet;
}

void tst_RatingSheet::ratingBeforeAnyComponentGoesToFirst()
{
    RatingSheet sheet = freshSheet();
    sheet.SelectRating(5);
    QCOMPARE(sheet.Ratings, (Entries{5, 0, 0, 0}));
    QCOMPARE(sheet.CurrentRating, 5);
}

void tst_RatingSheet::componentRemembersItsRating()
{
    RatingSheet sheet = freshSheet();
    QCOMPARE(sheet.SelectComponent(1), 0);
    sheet.SelectRating(6);
    QCOMPARE(sheet.SelectComponent(2), 0);
    QCOMPARE(sheet.SelectComponent(1), 6);
    QCOMPARE(sheet.CurrentComponent, 1);

    // Re-storing the value already there, as the window does when it re-marks a rating.
    sheet.SelectRating(6);
    QCOMPARE(sheet.Ratings, (Entries{0, 6, 0, 0}));

    // A later rating overwrites the earlier one.
    sheet.SelectRating(2);
    QCOMPARE(sheet.Ratings, (Entries{0, 2, 0, 0}));
}

void tst_RatingSheet::clearKeepsComponentChosenLast()
{
    RatingSheet sheet = freshSheet();
    sheet.SelectComponent(0);
    sheet.SelectRating(7);
    sheet.SelectComponent(2);
    sheet.SelectRating(3);
    sheet.Clear();
    QCOMPARE(sheet.Ratings, (Entries{0, 0, 0, 0}));
    QCOMPARE(sheet.CurrentComponent, 2);
    QCOMPARE(sheet.CurrentRating, 3);

    sheet.SelectRating(4);
    QCOMPARE(sheet.Ratings, (Entries{0, 0, 4, 0}));
}

void tst_RatingSheet::resetAndClear()
{
    RatingSheet sheet = freshSheet();
    QCOMPARE(sheet.Ratings, (Entries{0, 0, 0, 0}));
    QCOMPARE(sheet.CurrentComponent, 0);
    QCOMPARE(sheet.CurrentRating, 0);

    sheet.Clear();
    QCOMPARE(sheet.Ratings, (Entries{0, 0, 0, 0}));
    QCOMPARE(sheet.CurrentComponent, 0);

    // Neither Reset nor Clear writes the unused fourth entry.
    sheet.SelectComponent(3);
    sheet.SelectRating(9);
    sheet.SelectComponent(1);
    sheet.SelectRating(5);
    sheet.Clear();
    QCOMPARE(sheet.Ratings, (Entries{0, 0, 0, 9}));
    sheet.SelectRating(1);
    sheet.Reset();
    QCOMPARE(sheet.Ratings, (Entries{0, 0, 0, 9}));
    QCOMPARE(sheet.CurrentComponent, 0);
    QCOMPARE(sheet.CurrentRating, 0);
}

void tst_RatingSheet::ratingsAreNotValidated_data()
{
    QTest::addColumn<std::int16_t>("rating");
    QTest::newRow("negative") << std::int16_t{-1};
    QTest::newRow("above scale") << std::int16_t{8};
    QTest::newRow("lowest") << std::numeric_limits<std::int16_t>::min();
    QTest::newRow("highest") << std::numeric_limits<std::int16_t>::max();
}

void tst_RatingSheet::ratingsAreNotValidated()
{
    QFETCH(std::int16_t, rating);
    RatingSheet sheet = freshSheet();
    sheet.SelectComponent(1);
    sheet.SelectRating(rating);
    QCOMPARE(sheet.Ratings[1], rating);
    QCOMPARE(sheet.SelectComponent(1), rating);
}

void tst_RatingSheet::lastEntryIsAddressable()
{
    RatingSheet sheet = freshSheet();
    QCOMPARE(sheet.SelectComponent(3), 0);
    sheet.SelectRating(4);
    QCOMPARE(sheet.Ratings, (Entries{0, 0, 0, 4}));
}

void tst_RatingSheet::indexOutsideRatingsIsRangeError_data()
{
    QTest::addColumn<std::int16_t>("component");
    QTest::newRow("one past the end") << std::int16_t{4};
    QTest::newRow("negative") << std::int16_t{-1};
    QTest::newRow("lowest") << std::numeric_limits<std::int16_t>::min();
    QTest::newRow("highest") << std::numeric_limits<std::int16_t>::max();
}

void tst_RatingSheet::indexOutsideRatingsIsRangeError()
{
    QFETCH(std::int16_t, component);
    RatingSheet sheet = freshSheet();
    sheet.SelectRating(2);
    const Entries before = sheet.Ratings;

    try {
        sheet.SelectComponent(component);
        QFAIL("SelectComponent accepted an index outside Ratings");
    } catch (const RangeError &error) {
        QCOMPARE(error.index(), component);
        const QString what = QString::fromUtf8(error.what());
        QVERIFY2(
            what.contains(QStringLiteral("SelectComponent: component index %1 ").arg(component)),
            qPrintable(what));
    }
    // The index is taken before it is checked, so a rating now fails the same way.
    QVERIFY_THROWS_EXCEPTION(RangeError, sheet.SelectRating(1));
    QCOMPARE(sheet.Ratings, before);
}

void tst_RatingSheet::onlySixteenBitWholeNumbersReachTheSheet_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("refused"); // as the message shows it; empty where it is taken
    QTest::newRow("rating") << 7.0 << QString();
    QTest::newRow("outside the scale, kept") << 9.0 << QString();
    QTest::newRow("lowest") << -32768.0 << QString();
    QTest::newRow("highest") << 32767.0 << QString();
    QTest::newRow("negative zero") << -0.0 << QString();
    QTest::newRow("one past the highest") << 32768.0 << QStringLiteral("32768");
    QTest::newRow("65536") << 65536.0 << QStringLiteral("65536");
    QTest::newRow("7 plus 65536") << 65543.0 << QStringLiteral("65543");
    QTest::newRow("-32769") << -32769.0 << QStringLiteral("-32769");
    QTest::newRow("fraction") << 1.5 << QStringLiteral("1.5");
    QTest::newRow("just below 2") << 1.9 << QStringLiteral("1.9");
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << QStringLiteral("nan");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QStringLiteral("inf");
}

void tst_RatingSheet::onlySixteenBitWholeNumbersReachTheSheet()
{
    QFETCH(double, value);
    QFETCH(QString, refused);
    try {
        const std::int16_t taken = ValueError::sheetValue("SelectRating", "rating", value);
        QVERIFY2(refused.isEmpty(), "a value that is not the sheet's was taken");
        QCOMPARE(double(taken), value);
    } catch (const ValueError &error) {
        QVERIFY2(!refused.isEmpty(), error.what());
        QCOMPARE(QString::fromUtf8(error.what()),
                 QStringLiteral("SelectRating: rating %1 is not a whole number from -32768 to "
                                "32767")
                     .arg(refused));
    }
}

QTEST_APPLESS_MAIN(tst_RatingSheet)
#include "tst_ratingsheet.moc"
