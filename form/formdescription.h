// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ratingsheet.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

// The window as it was drawn: places, colours, captions and names of every control. Plain
// data with no toolkit in it, so the Qt window and the web page are built from the same
// description and cannot drift apart. Places are in twips from the top-left corner of each
// control's container (the window or its panel); 15 twips make a pixel at 96 dpi.
namespace Form {

struct Twips
{
    int left, top, width, height;
};

inline constexpr int TwipsPerPixel = 15;

// 0xRRGGBB
using Colour = std::uint32_t;

inline constexpr std::string_view PublisherAddress = "https://www.example.org";
inline constexpr std::string_view Title = "Психология - вид на телосложение";

// The window's title bar: the publisher's address, two blanks, the program's name.
inline constexpr auto WindowTitleText = [] {
    constexpr std::string_view Between = "  ";
    std::array<char, PublisherAddress.size() + Between.size() + Title.size()> text{};
    auto end = std::copy(PublisherAddress.begin(), PublisherAddress.end(), text.begin());
    end = std::copy(Between.begin(), Between.end(), end);
    std::copy(Title.begin(), Title.end(), end);
    return text;
}();
inline constexpr std::string_view WindowTitle{WindowTitleText.data(), WindowTitleText.size()};

// Times New Roman 12 pt, or its metric twin Liberation Serif.
inline constexpr std::string_view FontFamily = "Times New Roman";
inline constexpr std::string_view FontStandIn = "Liberation Serif";
inline constexpr int FontPoints = 12;

inline constexpr Twips ClientArea{0, 0, 7590, 5670};
inline constexpr Colour FormColour = 0xC0C0FF;

struct Label
{
    std::string_view name;
    Twips place;
    std::string_view caption;
};

inline constexpr Colour LabelColour = 0xFFC080;
inline constexpr Label TitleLabel{
    "Label1_0", {960, 0, 5295, 375}, "Психология - телосложение, вид и стойности"};
inline constexpr Label RatingLabel{"Label1_1", {3360, 2520, 3975, 255}, "Телосложение - скала"};
inline constexpr Label ComponentLabel{"Label1_2", {3600, 480, 2655, 255}, "Телосложение - вид"};
inline constexpr std::array<Label, 3> Labels{TitleLabel, RatingLabel, ComponentLabel};

// A borderless panel holding one exclusive group of option buttons. Button i stands at
// `first` moved by i times `step` and is captioned caption(i); the group is named, for screen
// readers, by its label.
struct OptionPanel
{
    std::string_view panelName;
    std::string_view buttonName;
    std::string_view (*caption)(int index);
    Twips place;
    Colour colour;
    Twips first;
    int stepLeft, stepTop;
    int count;
    Colour buttonColour;
    const Label &label;

    constexpr Twips button(int index) const
    {
        return {first.left + stepLeft * index, first.top + stepTop * index, first.width,
                first.height};
    }
};

inline constexpr std::array<std::string_view, 8> RatingCaptions{"0", "1", "2", "3",
                                                                "4", "5", "6", "7"};

// The rating buttons were drawn 375 twips wide, which leaves no room for a 12-point digit beside
// the round mark; they are widened to one pixel short of the 500-twip step, so the digit shows
// and no two buttons touch.
inline constexpr OptionPanel RatingPanel{
    .panelName = "Frame1",
    .buttonName = "Option1",
    .caption = [](int rating) { return RatingCaptions[std::size_t(rating)]; },
    .place = {3360, 3000, 3975, 495},
    .colour = 0xC0FFC0,
    .first = {0, 120, 480, 285},
    .stepLeft = 500,
    .stepTop = 0,
    .count = int(RatingCaptions.size()),
    .buttonColour = 0xC0FFC0,
    .label = RatingLabel};
// The component panel has the window's own colour.
inline constexpr OptionPanel ComponentPanel{
    .panelName = "Frame2",
    .buttonName = "Option2",
    .caption = [](int component) { return ComponentNames[std::size_t(component)]; },
    .place = {3360, 840, 3015, 1455},
    .colour = FormColour,
    .first = {0, 0, 2895, 375},
    .stepLeft = 0,
    .stepTop = 480,
    .count = int(ComponentNames.size()),
    .buttonColour = 0x80FFFF,
    .label = ComponentLabel};

inline constexpr std::array<const OptionPanel *, 2> OptionPanels{&RatingPanel, &ComponentPanel};

struct Command
{
    std::string_view name;
    // What it does, as the page's script knows it.
    std::string_view role;
    Twips place;
    Colour colour;
    std::string_view caption;
};

// Indexed as the command handler counts them.
enum CommandIndex { Output = 0, Clear = 1 };
inline constexpr std::array<Command, 2> Commands{{
    {"Command1_0", "output", {6480, 840, 1095, 375}, 0x00FF00, "Изведи"},
    {"Command1_1", "clear", {6480, 1800, 1095, 375}, 0xFF0000, "Чисти"},
}};

// The chart, in a 2-pixel sunken frame; it has the platform's colours.
inline constexpr std::string_view PictureName = "Picture1";
inline constexpr Twips Picture{120, 600, 3060, 2970};
inline constexpr int PictureFramePixels = 2;
// The chart's own size in pixels at 96 dpi: what the frame leaves of the picture.
inline constexpr int ChartWidth = Picture.width / TwipsPerPixel - 2 * PictureFramePixels;
inline constexpr int ChartHeight = Picture.height / TwipsPerPixel - 2 * PictureFramePixels;
inline constexpr std::string_view PictureAccessibleName = "Соматограма";
inline constexpr std::string_view PictureDescription =
    "Закръглен триъгълник с три оси, номерирани от 1 до 7: мезоморфия – нагоре, "
    "ендоморфия – долу вляво, ектоморфия – долу вдясно.";

// The read-only result box; it has the platform's colours.
inline constexpr std::string_view ResultBoxName = "Text1_0";
inline constexpr Twips ResultBox{120, 3720, 6975, 1815};
inline constexpr std::string_view ResultBoxAccessibleName = "Резултат";
inline constexpr std::string_view ResultBoxDescription =
    "Уводен текст, а след бутона „Изведи“ – въведеният тип телосложение";

// Every control in the window's order of reading: the title, then the controls that take the
// focus in their Tab order, each group of options after its label.
inline constexpr std::array<std::string_view, 9> WindowOrder{
    TitleLabel.name,          ResultBoxName,         PictureName,
    RatingLabel.name,         RatingPanel.panelName, ComponentLabel.name,
    ComponentPanel.panelName, Commands[Output].name, Commands[Clear].name};

// On a screen narrower than the window, the controls stand in one column, in the order a pupil
// works through them: the title, the chart, a component and its rating, the commands, and the
// result under them. There the order on screen is also the order of reading and of Tab.
inline constexpr std::array<std::string_view, 9> ColumnOrder{
    TitleLabel.name,          PictureName,          ComponentLabel.name,
    ComponentPanel.panelName, RatingLabel.name,     RatingPanel.panelName,
    Commands[Output].name,    Commands[Clear].name, ResultBoxName};

// Both orders hold every control once.
consteval bool sameControls(const auto &order, const auto &other)
{
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (std::count(order.begin(), order.end(), order[i]) != 1 ||
            std::count(other.begin(), other.end(), order[i]) != 1)
            return false;
    }
    return order.size() == other.size();
}
static_assert(sameControls(WindowOrder, ColumnOrder));

// Shown when an internal error stops the program; the details follow in English.
inline constexpr std::string_view ErrorTitle = "Грешка";
inline constexpr std::string_view ErrorText =
    "Възникна вътрешна грешка. Програмата ще бъде затворена.";

} // namespace Form
