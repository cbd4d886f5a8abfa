// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the form's description as JSON to standard output, for the tools that make the web
// page and for its tests: every control in tab order, with its place in twips, its colour and
// its texts, and the other texts the page can show.

#include "formdescription.h"
#include "report.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string place(const Form::Twips &twips)
{
    return "[" + std::to_string(twips.left) + ", " + std::to_string(twips.top) + ", " +
           std::to_string(twips.width) + ", " + std::to_string(twips.height) + "]";
}

std::string colour(Form::Colour rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", unsigned(rgb));
    return quoted(text);
}

// One JSON object from "key", value pairs, the values already in JSON.
template <typename... Fields>
std::string object(const Fields &...fields)
{
    std::string out = "{";
    bool first = true;
    auto add = [&](const std::pair<std::string_view, std::string> &field) {
        out += first ? "" : ", ";
        out += quoted(field.first) + ": " + field.second;
        first = false;
    };
    (add(fields), ...);
    return out + "}";
}

using Field = std::pair<std::string_view, std::string>;

std::string optionPanel(const Form::OptionPanel &panel, std::string_view (*caption)(int))
{
    std::string buttons = "[";
    for (int i = 0; i < panel.count; ++i) {
        buttons += i ? ",\n      " : "\n      ";
        buttons += object(
            Field{"name", quoted(std::string(panel.buttonName) + "_" + std::to_string(i))},
            Field{"index", std::to_string(i)}, Field{"place", place(panel.button(i))},
            Field{"colour", colour(panel.buttonColour)}, Field{"caption", quoted(caption(i))});
    }
    buttons += "]";
    return object(Field{"name", quoted(panel.panelName)}, Field{"kind", quoted("panel")},
                  Field{"place", place(panel.place)}, Field{"colour", colour(panel.colour)},
                  Field{"group", quoted(panel.buttonName)},
                  Field{"labelledBy", quoted(panel.label.name)}, Field{"buttons", buttons});
}

constexpr std::string_view Digits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};

} // namespace

int main()
{
    static_assert(Form::RatingPanel.count == std::size(Digits));
    const auto label = [](const Form::Label &description) {
        return object(
            Field{"name", quoted(description.name)}, Field{"kind", quoted("label")},
            Field{"place", place(description.place)}, Field{"colour", colour(Form::LabelColour)},
            Field{"caption", quoted(description.caption)},
            Field{"heading", description.name == Form::TitleLabel.name ? "true" : "false"});
    };
    // In the window's order of reading, whose focusable controls are in its Tab order: the result
    // box, the picture, the ratings, the components, the commands. Each group's label comes just
    // before it, and the title before everything.
    std::string controls = "[\n    " + label(Form::TitleLabel);
    controls +=
        ",\n    " + object(Field{"name", quoted(Form::ResultBoxName)},
                           Field{"kind", quoted("text")}, Field{"place", place(Form::ResultBox)},
                           Field{"label", quoted(Form::ResultBoxAccessibleName)},
                           Field{"description", quoted(Form::ResultBoxDescription)});
    controls +=
        ",\n    " + object(Field{"name", quoted(Form::PictureName)},
                           Field{"kind", quoted("picture")}, Field{"place", place(Form::Picture)},
                           Field{"frame", std::to_string(Form::PictureFramePixels)},
                           Field{"label", quoted(Form::PictureAccessibleName)},
                           Field{"description", quoted(Form::PictureDescription)});
    controls += ",\n    " + label(Form::RatingPanel.label);
    controls += ",\n    " + optionPanel(Form::RatingPanel, [](int i) { return Digits[i]; });
    controls += ",\n    " + label(Form::ComponentPanel.label);
    controls += ",\n    " + optionPanel(Form::ComponentPanel,
                                        [](int i) { return ComponentNames[std::size_t(i)]; });
    for (std::size_t i = 0; i < Form::Commands.size(); ++i) {
        const Form::Command &command = Form::Commands[i];
        controls += ",\n    " +
                    object(Field{"name", quoted(command.name)}, Field{"kind", quoted("command")},
                           Field{"index", std::to_string(i)}, Field{"place", place(command.place)},
                           Field{"colour", colour(command.colour)},
                           Field{"caption", quoted(command.caption)});
    }
    controls += "\n  ]";

    std::string column = "[";
    for (const std::string_view name : Form::ColumnOrder)
        column += (column.size() > 1 ? ", " : "") + quoted(name);
    column += "]";

    const std::string title = std::string(Form::PublisherAddress) + "  " + std::string(Form::Title);
    const std::string json =
        object(Field{"title", quoted(title)}, Field{"address", quoted(Form::PublisherAddress)},
               Field{"name", quoted(Form::Title)},
               Field{"twipsPerPixel", std::to_string(Form::TwipsPerPixel)},
               Field{"font", object(Field{"family", quoted(Form::FontFamily)},
                                    Field{"standIn", quoted(Form::FontStandIn)},
                                    Field{"points", std::to_string(Form::FontPoints)})},
               Field{"place", place(Form::ClientArea)}, Field{"colour", colour(Form::FormColour)},
               Field{"controls", controls}, Field{"columnOrder", column},
               Field{"report", object(Field{"heading", quoted(ReportHeading)},
                                      Field{"separator", quoted(NameSeparator)},
                                      Field{"notRated", quoted(NotRatedMark)},
                                      Field{"pronounced", quoted(PronouncedMark)},
                                      Field{"lineEnd", quoted(ReportLineEnd)})},
               Field{"error", object(Field{"title", quoted(Form::ErrorTitle)},
                                     Field{"text", quoted(Form::ErrorText)})});
    std::fputs(json.c_str(), stdout);
    std::fputs("\n", stdout);
    return 0;
}
