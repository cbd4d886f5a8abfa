// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the somatochart picture and the program icon with QPainter and writes them into the
// assets folder given on the command line. Everything is drawn from the chart's geometry, so
// each size is rendered, not scaled; the picture is also written as SVG, which stays sharp at
// any size the web page shows it.
#include "formdescription.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QTextStream>
#include <QtMath>

#include <array>
#include <cstdio>

namespace {

const QColor EndoColour(0xB0, 0x30, 0x28);
const QColor MesoColour(0x1E, 0x7A, 0x3C);
const QColor EctoColour(0x1F, 0x55, 0xB0);
// In component order: endomorphy, mesomorphy, ectomorphy.
const QColor AxisColours[] = {EndoColour, MesoColour, EctoColour};
const QColor Outline(0x30, 0x30, 0x30);
const QColor Fill(0xFF, 0xF6, 0xE0);

// An equilateral triangle whose sides are arcs centred on the opposite corner: the rounded
// triangle of the somatochart, mesomorphy at the top.
struct Chart
{
    QPointF top, left, right, centre;
    qreal width;

    Chart(QPointF topCorner, qreal side)
        : top(topCorner)
        , left(topCorner + QPointF(-side / 2, side * std::sqrt(3.0) / 2))
        , right(topCorner + QPointF(side / 2, side * std::sqrt(3.0) / 2))
        , centre((top + left + right) / 3)
        , width(side)
    {}

    QPainterPath outline() const
    {
        QPainterPath path(top);
        arcTo(path, right, left);
        arcTo(path, top, right);
        arcTo(path, left, top);
        path.closeSubpath();
        return path;
    }

    // The point of the axis towards `corner` with rating `value`: 1 on the opposite arc,
    // 4 at the centre, 7 at the corner.
    // The corner of each component's axis, in component order.
    std::array<QPointF, 3> corners() const { return {left, top, right}; }

    QPointF axisPoint(QPointF corner, qreal value) const
    {
        const QPointF towards = corner - centre;
        const qreal toCorner = std::hypot(towards.x(), towards.y());
        const QPointF unit = towards / toCorner;
        const qreal toArc = width - toCorner;
        const qreal distance = value >= 4 ? (value - 4) / 3 * toCorner : (value - 4) / 3 * toArc;
        return centre + unit * distance;
    }

private:
    // Arc from the path's current point to `to`, centred on `centre`.
    void arcTo(QPainterPath &path, QPointF arcCentre, QPointF to) const
    {
        const QPointF from = path.currentPosition();
        const QRectF box(arcCentre.x() - width, arcCentre.y() - width, 2 * width, 2 * width);
        const qreal start =
            qRadiansToDegrees(std::atan2(-(from.y() - arcCentre.y()), from.x() - arcCentre.x()));
        const qreal end =
            qRadiansToDegrees(std::atan2(-(to.y() - arcCentre.y()), to.x() - arcCentre.x()));
        qreal sweep = end - start;
        if (sweep > 180)
            sweep -= 360;
        if (sweep < -180)
            sweep += 360;
        path.arcTo(box, start, sweep);
    }
};

void drawAxes(QPainter &painter, const Chart &chart, qreal penWidth)
{
    const auto corners = chart.corners();
    for (std::size_t i = 0; i < corners.size(); ++i) {
        painter.setPen(QPen(AxisColours[i], penWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(chart.axisPoint(corners[i], 1), corners[i]);
    }
}

// The filled rounded triangle and its three coloured axes, shared by the picture and the icon.
void drawChart(QPainter &painter, const Chart &chart, qreal outlineWidth, qreal axisWidth)
{
    painter.setPen(QPen(Outline, outlineWidth));
    painter.setBrush(Fill);
    painter.drawPath(chart.outline());
    painter.setBrush(Qt::NoBrush);
    drawAxes(painter, chart, axisWidth);
}

// The picture's size in pixels at 96 dpi: what the window's frame leaves of its place.
const QSize PictureSize(Form::ChartWidth, Form::ChartHeight);

// The SVG carries its text as outlines, so that it needs no font where it is shown.
enum class Text { Glyphs, Outlines };

void drawText(QPainter &painter, const QRectF &box, int flags, const QString &text, Text how)
{
    if (how == Text::Glyphs) {
        painter.drawText(box, flags, text);
        return;
    }
    const QFontMetricsF metrics(painter.font());
    const QRectF bounds = metrics.boundingRect(box, flags, text);
    QPainterPath path;
    path.addText(bounds.left(), bounds.top() + metrics.ascent(), painter.font(), text);
    painter.fillPath(path, painter.pen().color());
}

void drawPicture(QPainter &painter, Text how)
{
    painter.fillRect(QRectF(QPointF(0, 0), PictureSize), Qt::white);
    const Chart chart(QPointF(100, 20), 146);
    drawChart(painter, chart, 1.4, 1.2);

    // Ticks and numbers 1 to 7 along each axis; the numbers stand to one side of the axis so
    // that the three axes' numbers do not meet at the centre, which carries one shared 4.
    QFont numbers(QStringLiteral("Liberation Sans"));
    numbers.setPixelSize(8);
    painter.setFont(numbers);
    const auto corners = chart.corners();
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const QPointF along = corners[i] - chart.centre;
        const QPointF unit = along / std::hypot(along.x(), along.y());
        const QPointF side(-unit.y(), unit.x());
        painter.setPen(QPen(AxisColours[i], 1.0));
        for (int value = 1; value <= 7; ++value) {
            if (value == 4)
                continue;
            const QPointF at = chart.axisPoint(corners[i], value);
            painter.drawLine(at - side * 2.5, at + side * 2.5);
            const QPointF label = at + side * 7.5;
            drawText(painter, QRectF(label.x() - 5, label.y() - 5, 10, 10), Qt::AlignCenter,
                     QString::number(value), how);
        }
    }
    painter.setPen(Outline);
    drawText(painter, QRectF(chart.centre.x() + 2, chart.centre.y() - 11, 10, 10), Qt::AlignCenter,
             QStringLiteral("4"), how);
    painter.setBrush(Outline);
    painter.drawEllipse(chart.centre, 1.6, 1.6);

    QFont names(QStringLiteral("Liberation Sans"));
    names.setPixelSize(11);
    names.setBold(true);
    painter.setFont(names);
    painter.setPen(MesoColour);
    drawText(painter, QRectF(0, 2, PictureSize.width(), 14), Qt::AlignHCenter | Qt::AlignTop,
             QStringLiteral("Мезоморфия"), how);
    painter.setPen(EndoColour);
    drawText(painter, QRectF(2, 178, 98, 14), Qt::AlignLeft | Qt::AlignTop,
             QStringLiteral("Ендоморфия"), how);
    painter.setPen(EctoColour);
    drawText(painter, QRectF(100, 178, 98, 14), Qt::AlignRight | Qt::AlignTop,
             QStringLiteral("Ектоморфия"), how);
}

QImage pictureImage(qreal scale)
{
    QImage image(PictureSize * scale, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    drawPicture(painter, Text::Glyphs);
    return image;
}

// A path's data with relative moves in hundredths of a pixel, a quarter of a device pixel at the
// largest size the page shows: the glyphs' outlines take a third of the room they take as
// QSvgGenerator writes them. Each point is rounded where it is, so no error adds up.
QString compactPath(const QString &absolute)
{
    static const QRegularExpression token(QStringLiteral("([MLC])|(-?[0-9.]+(?:e-?[0-9]+)?)"));
    QString out;
    // Where the current segment starts, and the x of the point being read.
    qint64 fromX = 0, fromY = 0, nextX = 0;
    QChar command;
    int coordinate = 0;
    const auto number = [](qint64 hundredths) {
        QString text = QString::number(double(hundredths) / 100, 'f', 2);
        while (text.contains(QLatin1Char('.')) &&
               (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
            text.chop(1);
        if (text.startsWith(QLatin1String("0.")))
            text.remove(0, 1);
        else if (text.startsWith(QLatin1String("-0.")))
            text.remove(1, 1);
        return text;
    };
    // A number needs a blank before it only where it could be read as part of the last one.
    bool lastHasPoint = false, afterCommand = false;
    const auto append = [&](qint64 value) {
        const QString text = number(value);
        const bool joins = text.startsWith(QLatin1Char('-')) ||
                           (lastHasPoint && text.startsWith(QLatin1Char('.')));
        if (!afterCommand && !joins)
            out += QLatin1Char(' ');
        out += text;
        lastHasPoint = text.contains(QLatin1Char('.'));
        afterCommand = false;
    };
    for (auto match = token.globalMatch(absolute); match.hasNext();) {
        const auto found = match.next();
        if (found.hasCaptured(1)) {
            // A repeated command may be left out, except a move, whose repeats are lines.
            const QChar next = found.captured(1).at(0);
            if (next != command || next == QLatin1Char('M') || out.isEmpty()) {
                out += next.toLower();
                afterCommand = true;
            }
            command = next;
            coordinate = 0;
            continue;
        }
        const qint64 value = qRound64(found.captured(2).toDouble() * 100);
        const bool isX = coordinate % 2 == 0;
        // A cubic's control points are relative to where the segment starts, as its end is.
        if (isX) {
            append(value - fromX);
            nextX = value;
        } else {
            append(value - fromY);
            const bool endsSegment = command != QLatin1Char('C') || coordinate % 6 == 5;
            if (endsSegment) {
                fromX = nextX;
                fromY = value;
            }
        }
        ++coordinate;
    }
    return out;
}

QByteArray pictureSvg()
{
    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(PictureSize);
    generator.setViewBox(QRect(QPoint(0, 0), PictureSize));
    generator.setTitle(QString::fromUtf8(Form::PictureAccessibleName.data(),
                                         qsizetype(Form::PictureAccessibleName.size())));
    generator.setDescription(QString::fromUtf8(Form::PictureDescription.data(),
                                               qsizetype(Form::PictureDescription.size())));
    QPainter painter(&generator);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPicture(painter, Text::Outlines);
    painter.end();

    // Without what only text drawn as text would use, and with compact paths.
    QString text = QString::fromUtf8(svg.data());
    text.remove(
        QRegularExpression(QStringLiteral("\\s*font-family=\"[^\"]*\" font-size=\"[^\"]*\" "
                                          "font-weight=\"[^\"]*\" font-style=\"[^\"]*\"\\s*")));
    text.remove(QStringLiteral(" vector-effect=\"none\""));
    text.replace(QRegularExpression(QStringLiteral("\n\\s*\n")), QStringLiteral("\n"));
    static const QRegularExpression data(QStringLiteral(" d=\"([^\"]*)\""));
    QString compact;
    qsizetype done = 0;
    for (auto match = data.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        compact += text.mid(done, found.capturedStart(1) - done) + compactPath(found.captured(1));
        done = found.capturedEnd(1);
    }
    compact += text.mid(done);
    return compact.toUtf8();
}

// The icon on a transparent ground; a maskable one (for phones, which cut an app's icon to a
// shape of their own) stands on the form's colour to the edges, the chart within the middle
// circle of four fifths of the width that every such shape keeps.
QImage drawIcon(int size, bool maskable = false)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(maskable ? QColor(QRgb(Form::FormColour)) : QColor(Qt::transparent));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (maskable) {
        constexpr double Inset = 0.2;
        painter.translate(size * Inset, size * Inset);
        painter.scale(1 - 2 * Inset, 1 - 2 * Inset);
    }
    painter.scale(size / 32.0, size / 32.0);
    const Chart chart(QPointF(16, 2.5), 28);
    drawChart(painter, chart, 1.5, 2.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Outline);
    painter.drawEllipse(chart.centre, 1.6, 1.6);
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Reduces to at most 256 colours with a transparent entry, as the small icon is specified.
QImage toIndexed(const QImage &icon)
{
    QImage opaque = icon;
    for (int y = 0; y < opaque.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(opaque.scanLine(y));
        for (int x = 0; x < opaque.width(); ++x)
            line[x] = qAlpha(line[x]) < 128 ? qRgba(0, 0, 0, 0) : (line[x] | 0xFF000000u);
    }
    return opaque.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}

// A Windows icon file holding one 8-bit palette image with its transparency mask.
QByteArray icoFile(const QImage &indexed)
{
    const int size = indexed.width();
    const int xorStride = (size + 3) / 4 * 4;
    const int andStride = ((size + 31) / 32) * 4;
    const int imageBytes = 40 + 256 * 4 + xorStride * size + andStride * size;

    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(1);                 // ICONDIR
    out << quint8(size) << quint8(size) << quint8(0) << quint8(0); // entry: size, colours
    out << quint16(1) << quint16(8) << quint32(imageBytes) << quint32(6 + 16);
    out << quint32(40) << qint32(size) << qint32(2 * size) << quint16(1) << quint16(8);
    out << quint32(0) << quint32(0) << qint32(0) << qint32(0) << quint32(256) << quint32(0);
    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < table.size() ? table.at(i) : 0;
        out << quint8(qBlue(c)) << quint8(qGreen(c)) << quint8(qRed(c)) << quint8(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < xorStride; ++x)
            out << quint8(x < size ? line[x] : 0);
    }
    for (int y = size - 1; y >= 0; --y) {
        const uchar *line = indexed.constScanLine(y);
        QByteArray mask(andStride, '\0');
        for (int x = 0; x < size; ++x) {
            if (qAlpha(table.at(line[x])) == 0)
                mask[x / 8] = char(mask.at(x / 8) | (0x80 >> (x % 8)));
        }
        out.writeRawData(mask.constData(), andStride);
    }
    return data;
}

bool save(const QImage &image, const QString &path, const char *format, int quality = -1)
{
    if (image.save(path, format, quality))
        return true;
    std::fprintf(stderr, "makeassets: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeassets ASSETS-FOLDER\n");
        return 2;
    }
    const QDir assets(QString::fromLocal8Bit(argv[1]));
    assets.mkpath(QStringLiteral("icons"));

    bool ok =
        save(pictureImage(1), assets.filePath(QStringLiteral("somatochart.jpg")), "JPEG", 92) &&
        save(pictureImage(2), assets.filePath(QStringLiteral("somatochart@2x.jpg")), "JPEG", 92);
    QFile svg(assets.filePath(QStringLiteral("somatochart.svg")));
    ok = ok && svg.open(QIODevice::WriteOnly) && svg.write(pictureSvg()) > 0;

    const QImage small = toIndexed(drawIcon(32));
    ok = ok && save(small, assets.filePath(QStringLiteral("icons/bodytype-32.png")), "PNG");
    for (int size : {64, 128, 192, 256, 512}) {
        ok = ok && save(drawIcon(size),
                        assets.filePath(QStringLiteral("icons/bodytype-%1.png").arg(size)), "PNG");
    }
    ok = ok && save(drawIcon(512, true),
                    assets.filePath(QStringLiteral("icons/bodytype-maskable-512.png")), "PNG");
    QFile ico(assets.filePath(QStringLiteral("icons/bodytype.ico")));
    ok = ok && ico.open(QIODevice::WriteOnly) && ico.write(icoFile(small)) > 0;
    return ok ? 0 : 1;
}
