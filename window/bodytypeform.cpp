// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bodytypeform.h"

#include "flatbuttonstyle.h"
#include "optionbutton.h"
#include "optiongroup.h"
#include "picturebox.h"
#include "report.h"
#include "runtimeerror.h"
#include "runtimeerrorbox.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

// The form as it was drawn, in twips from the top-left of each control's container.
struct Twips
{
    int left, top, width, height;
};

constexpr int TwipsPerPixel = 15; // at 96 dpi; Qt scales logical pixels for denser screens

QRect toPixels(Twips twips)
{
    const auto pixels = [](int value) { return qRound(double(value) / TwipsPerPixel); };
    return QRect(pixels(twips.left), pixels(twips.top), pixels(twips.width), pixels(twips.height));
}

constexpr Twips ClientArea{0, 0, 7590, 5670};
constexpr Twips TitleLabel{960, 0, 5295, 375};
constexpr Twips Picture{120, 600, 3060, 2970};
constexpr Twips ComponentLabel{3600, 480, 2655, 255};
constexpr Twips ComponentPanel{3360, 840, 3015, 1455};
constexpr int ComponentStep = 480;
constexpr Twips ComponentButton{0, 0, 2895, 375};
constexpr Twips OutputButton{6480, 840, 1095, 375};
constexpr Twips ClearButton{6480, 1800, 1095, 375};
constexpr Twips RatingLabel{3360, 2520, 3975, 255};
constexpr Twips RatingPanel{3360, 3000, 3975, 495};
constexpr int RatingStep = 500;
// Drawn 375 twips wide, which leaves no room for a 12-point digit beside the round mark;
// widened to one pixel short of the 500-twip step, so the digit shows and no two buttons touch.
constexpr Twips RatingButton{0, 120, 480, 285};
constexpr Twips ResultBox{120, 3720, 6975, 1815};

const QColor FormColour(0xC0, 0xC0, 0xFF);
const QColor LabelColour(0xFF, 0xC0, 0x80);
const QColor ComponentColour(0x80, 0xFF, 0xFF);
const QColor RatingColour(0xC0, 0xFF, 0xC0);
const QColor OutputColour(0x00, 0xFF, 0x00);
const QColor ClearColour(0xFF, 0x00, 0x00);

const char *const Title = "Психология - вид на телосложение";
const char *const TitleCaption = "Психология - телосложение, вид и стойности";
const char *const ComponentCaption = "Телосложение - вид";
const char *const RatingCaption = "Телосложение - скала";
const char *const OutputCaption = "Изведи";
const char *const ClearCaption = "Чисти";

// The platform's colours where its text reads on `background`. A dark desktop theme would draw
// light text and dark fields on the form's fixed light colours: pale captions, and every option
// mark filled dark as if it were chosen. There the control is drawn as on a light theme (black
// text, white fields, bevels shaded from its own colour), keeping the theme's highlight, which
// marks the keyboard focus.
QPalette paletteOn(const QColor &background, const QPalette &platform, QPalette::ColorRole role,
                   QPalette::ColorRole text)
{
    const bool readable =
        std::abs(platform.color(text).lightness() - background.lightness()) >= 128;
    QPalette palette = readable ? platform : QPalette(background);
    if (!readable) {
        for (auto kept : {QPalette::Highlight, QPalette::HighlightedText})
            palette.setColor(kept, platform.color(kept));
    }
    palette.setColor(role, background);
    return palette;
}

enum class Fill { Background, StyleDrawn };

// Buttons take their background from the Button role, other widgets from Window.
void colour(QWidget *widget, const QColor &background, Fill fill)
{
    widget->setPalette(paletteOn(background, widget->palette(), widget->backgroundRole(),
                                 widget->foregroundRole()));
    widget->setAutoFillBackground(fill == Fill::Background);
}

QLabel *makeLabel(QWidget *parent, const char *caption, Twips place, const char *name)
{
    auto *label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(toPixels(place));
    colour(label, LabelColour, Fill::Background);
    return label;
}

QWidget *makePanel(QWidget *parent, Twips place, const QColor &background, const char *name)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(toPixels(place));
    colour(panel, background, Fill::Background);
    return panel;
}

OptionButton *makeOption(QWidget *panel, const QString &caption, Twips place,
                         const QColor &background, const QString &name)
{
    auto *button = new OptionButton(caption, panel);
    button->setObjectName(name);
    button->setGeometry(toPixels(place));
    colour(button, background, Fill::Background);
    return button;
}

// Reads an image of a known format. Left to guess, Qt would load every image plugin it has to
// ask each whether it can read the file.
QPixmap readPixmap(const QString &path, const char *format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QPixmap chartPixmap(qreal devicePixelRatio)
{
    // Dense screens get the picture drawn at twice the size, shown at the same logical size;
    // between 1 and 2 it is scaled down smoothly to the screen's own pixels.
    if (devicePixelRatio <= 1.0)
        return readPixmap(QStringLiteral(":/somatochart.jpg"), "jpeg");
    QPixmap dense = readPixmap(QStringLiteral(":/somatochart@2x.jpg"), "jpeg");
    const qreal ratio = qMin(devicePixelRatio, 2.0);
    if (ratio < 2.0) {
        dense = dense.scaled((QSizeF(dense.size()) * ratio / 2.0).toSize(), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    }
    dense.setDevicePixelRatio(ratio);
    return dense;
}

} // namespace

BodyTypeForm::BodyTypeForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_ratings(new OptionGroup(this))
    , m_components(new OptionGroup(this))
    , m_commands(new QButtonGroup(this))
{
    m_ratings->setObjectName(QStringLiteral("Option1"));
    m_components->setObjectName(QStringLiteral("Option2"));
    setWindowTitle(QString::fromLatin1(PublisherAddress) + QStringLiteral("  ") +
                   QString::fromUtf8(Title));
    // The window's own icon, for the title bar and task switchers, normal and dense. Larger
    // sizes come from the installed desktop icons.
    QIcon icon;
    for (int size : {32, 64})
        icon.addPixmap(readPixmap(QStringLiteral(":/icons/bodytype-%1.png").arg(size), "png"));
    setWindowIcon(icon);
    setFont(formFont());
    // Only the form's own background: the result box and the picture's frame, which have no
    // colour of their own, keep the platform's.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, FormColour);
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(toPixels(ClientArea).size());

    buildControls();
    connectHandlers();
    load();

    // The client area is centred: the frame's size is the window manager's and is not known
    // until the window is shown.
    if (const QScreen *screen = this->screen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
}

BodyTypeForm::~BodyTypeForm() = default;

QFont BodyTypeForm::formFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setPointSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

QString BodyTypeForm::introText()
{
    QFile file(QStringLiteral(":/introtext.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void BodyTypeForm::buildControls()
{
    // Created in tab order: the result box, the picture, the ratings, the components, the
    // output and clear buttons. The labels take no focus.
    m_resultBox = new QPlainTextEdit(this);
    m_resultBox->setObjectName(QStringLiteral("Text1_0"));
    m_resultBox->setGeometry(toPixels(ResultBox));
    m_resultBox->setReadOnly(true);
    m_resultBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_resultBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_resultBox->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_resultBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_resultBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Qt's text document takes each CR LF as one line break, as the box must show it.
    m_resultBox->setPlainText(introText());
    m_resultBox->setAccessibleName(QStringLiteral("Резултат"));
    m_resultBox->setAccessibleDescription(
        QStringLiteral("Уводен текст, а след бутона „Изведи“ – въведеният тип телосложение"));

    auto *picture = new PictureBox(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(toPixels(Picture));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setLineWidth(2);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setFocusPolicy(Qt::TabFocus);
    picture->setPixmap(chartPixmap(devicePixelRatioF()));
    picture->setAccessibleName(QStringLiteral("Соматограма"));
    picture->setAccessibleDescription(
        QStringLiteral("Закръглен триъгълник с три оси, номерирани от 1 до 7: мезоморфия – нагоре, "
                       "ендоморфия – долу вляво, ектоморфия – долу вдясно."));

    QWidget *ratingPanel = makePanel(this, RatingPanel, RatingColour, "Frame1");
    ratingPanel->setAccessibleName(QString::fromUtf8(RatingCaption));
    for (int rating = 0; rating <= 7; ++rating) {
        Twips place = RatingButton;
        place.left += RatingStep * rating;
        m_ratings->addButton(makeOption(ratingPanel, QString::number(rating), place, RatingColour,
                                        QStringLiteral("Option1_%1").arg(rating)));
    }

    QWidget *componentPanel = makePanel(this, ComponentPanel, FormColour, "Frame2");
    componentPanel->setAccessibleName(QString::fromUtf8(ComponentCaption));
    for (int component = 0; component < int(ComponentNames.size()); ++component) {
        Twips place = ComponentButton;
        place.top += ComponentStep * component;
        const std::string_view name = ComponentNames[std::size_t(component)];
        m_components->addButton(
            makeOption(componentPanel, QString::fromUtf8(name.data(), qsizetype(name.size())),
                       place, ComponentColour, QStringLiteral("Option2_%1").arg(component)));
    }

    auto *buttonStyle = new FlatButtonStyle;
    buttonStyle->setParent(this);
    const Twips commandPlaces[] = {OutputButton, ClearButton};
    const QColor commandColours[] = {OutputColour, ClearColour};
    const char *const commandCaptions[] = {OutputCaption, ClearCaption};
    for (int i : {Output, Clear}) {
        auto *button = new QPushButton(QString::fromUtf8(commandCaptions[i]), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setGeometry(toPixels(commandPlaces[i]));
        // Neither is a default button: Enter and Esc press nothing.
        button->setAutoDefault(false);
        button->setStyle(buttonStyle);
        colour(button, commandColours[i], Fill::StyleDrawn);
        m_commands->addButton(button, i);
    }

    makeLabel(this, TitleCaption, TitleLabel, "Label1_0");
    makeLabel(this, RatingCaption, RatingLabel, "Label1_1");
    makeLabel(this, ComponentCaption, ComponentLabel, "Label1_2");

    m_resultBox->setFocus();
}

template <typename... Args>
auto BodyTypeForm::guarded(void (BodyTypeForm::*handler)(Args...))
{
    return [this, handler](Args... args) {
        try {
            (this->*handler)(args...);
        } catch (const std::exception &error) {
            endWithRunTimeError(error);
        }
    };
}

void BodyTypeForm::connectHandlers()
{
    connect(m_components, &OptionGroup::clicked, this, guarded(&BodyTypeForm::showComponentRating));
    connect(m_ratings, &OptionGroup::clicked, this, guarded(&BodyTypeForm::storeRating));
    connect(m_commands, &QButtonGroup::idClicked, this, guarded(&BodyTypeForm::runCommand));
}

void BodyTypeForm::endWithRunTimeError(const std::exception &error)
{
    // Events already queued may still arrive while the message is up or the loop winds down;
    // one report is enough, and the stopped window takes no more input.
    if (m_ending)
        return;
    m_ending = true;
    setEnabled(false);
    showRunTimeError(error, this);
    QCoreApplication::exit(RunTimeError::ExitStatus);
}

void BodyTypeForm::load()
{
    m_components->clearSelection();
    m_ratings->clearSelection();
    m_sheet.Reset();
}

void BodyTypeForm::showComponentRating(int component)
{
    const int rating = m_sheet.SelectComponent(static_cast<std::int16_t>(component));
    m_ratings->clearSelection();
    // Marking by the program raises no click, so the rating is not stored again.
    m_ratings->setSelected(rating, true);
}

void BodyTypeForm::storeRating(int rating)
{
    m_sheet.SelectRating(static_cast<std::int16_t>(rating));
}

void BodyTypeForm::runCommand(int command)
{
    switch (command) {
    case Output:
        // Replaces the whole text at once: the box never shows a partial or doubled report.
        m_resultBox->setPlainText(QString::fromStdString(BuildReport(m_sheet)));
        break;
    case Clear:
        m_sheet.Clear();
        m_components->clearSelection();
        m_ratings->clearSelection();
        break;
    default:
        break;
    }
}
