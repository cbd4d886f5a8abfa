// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bodytypeform.h"

#include "flatbuttonstyle.h"
#include "formdescription.h"
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

QRect toPixels(Form::Twips twips)
{
    const auto pixels = [](int value) { return qRound(double(value) / Form::TwipsPerPixel); };
    return QRect(pixels(twips.left), pixels(twips.top), pixels(twips.width), pixels(twips.height));
}

QColor toColour(Form::Colour rgb)
{
    return QColor::fromRgb(QRgb(rgb));
}

QString toText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

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

void makeLabel(QWidget *parent, const Form::Label &description)
{
    auto *label = new QLabel(toText(description.caption), parent);
    label->setObjectName(toText(description.name));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(toPixels(description.place));
    colour(label, toColour(Form::LabelColour), Fill::Background);
}

// The panel and its buttons, added to `group` in index order.
void makeOptions(QWidget *parent, const Form::OptionPanel &description, OptionGroup *group)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(toText(description.panelName));
    panel->setGeometry(toPixels(description.place));
    panel->setAccessibleName(toText(description.label.caption));
    colour(panel, toColour(description.colour), Fill::Background);
    for (int index = 0; index < description.count; ++index) {
        auto *button = new OptionButton(toText(description.caption(index)), panel);
        button->setObjectName(toText(description.buttonName) + QStringLiteral("_%1").arg(index));
        button->setGeometry(toPixels(description.button(index)));
        colour(button, toColour(description.buttonColour), Fill::Background);
        group->addButton(button);
    }
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
    m_ratings->setObjectName(toText(Form::RatingPanel.buttonName));
    m_components->setObjectName(toText(Form::ComponentPanel.buttonName));
    setWindowTitle(toText(Form::WindowTitle));
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
    palette.setColor(QPalette::Window, toColour(Form::FormColour));
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(toPixels(Form::ClientArea).size());

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
    font.setFamilies({toText(Form::FontFamily), toText(Form::FontStandIn)});
    font.setPointSize(Form::FontPoints);
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
    // One style for every command button, which draws them flat in their own colours.
    auto *buttonStyle = new FlatButtonStyle;
    buttonStyle->setParent(this);
    // The controls that take the focus are made in the window's order, which is their Tab order;
    // the labels, which take no focus, after them.
    const auto labelNamed = [](std::string_view name) -> const Form::Label * {
        for (const Form::Label &label : Form::Labels) {
            if (label.name == name)
                return &label;
        }
        return nullptr;
    };
    for (const std::string_view name : Form::WindowOrder) {
        if (name == Form::ResultBoxName)
            makeResultBox();
        else if (name == Form::PictureName)
            makePicture();
        else if (name == Form::RatingPanel.panelName)
            makeOptions(this, Form::RatingPanel, m_ratings);
        else if (name == Form::ComponentPanel.panelName)
            makeOptions(this, Form::ComponentPanel, m_components);
        for (std::size_t i = 0; i < Form::Commands.size(); ++i) {
            if (Form::Commands[i].name == name)
                makeCommand(int(i), buttonStyle);
        }
    }
    for (const std::string_view name : Form::WindowOrder) {
        if (const Form::Label *label = labelNamed(name))
            makeLabel(this, *label);
    }
    m_resultBox->setFocus();
}

void BodyTypeForm::makeResultBox()
{
    m_resultBox = new QPlainTextEdit(this);
    m_resultBox->setObjectName(toText(Form::ResultBoxName));
    m_resultBox->setGeometry(toPixels(Form::ResultBox));
    m_resultBox->setReadOnly(true);
    m_resultBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_resultBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_resultBox->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_resultBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_resultBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Qt's text document takes each CR LF as one line break, as the box must show it.
    m_resultBox->setPlainText(introText());
    m_resultBox->setAccessibleName(toText(Form::ResultBoxAccessibleName));
    m_resultBox->setAccessibleDescription(toText(Form::ResultBoxDescription));
}

void BodyTypeForm::makePicture()
{
    auto *picture = new PictureBox(this);
    picture->setObjectName(toText(Form::PictureName));
    picture->setGeometry(toPixels(Form::Picture));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setLineWidth(Form::PictureFramePixels);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setFocusPolicy(Qt::TabFocus);
    picture->setPixmap(chartPixmap(devicePixelRatioF()));
    picture->setAccessibleName(toText(Form::PictureAccessibleName));
    picture->setAccessibleDescription(toText(Form::PictureDescription));
}

void BodyTypeForm::makeCommand(int index, QStyle *style)
{
    const Form::Command &command = Form::Commands[std::size_t(index)];
    auto *button = new QPushButton(toText(command.caption), this);
    button->setObjectName(toText(command.name));
    button->setGeometry(toPixels(command.place));
    // Neither is a default button: Enter and Esc press nothing.
    button->setAutoDefault(false);
    button->setStyle(style);
    colour(button, toColour(command.colour), Fill::StyleDrawn);
    m_commands->addButton(button, index);
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
    case Form::Output:
        // Replaces the whole text at once: the box never shows a partial or doubled report.
        m_resultBox->setPlainText(QString::fromStdString(BuildReport(m_sheet)));
        break;
    case Form::Clear:
        m_sheet.Clear();
        m_components->clearSelection();
        m_ratings->clearSelection();
        break;
    default:
        break;
    }
}
