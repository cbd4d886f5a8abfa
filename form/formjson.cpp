// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the form's description as JSON to standard output, for the page's maker and script and
// for the tests, in Python and shell, that drive either front end: every control in the
// window's order of reading, with its place in twips, its colour and its texts, and the other
// texts the page can show.

#include "formdescription.h"
#include "report.h"
#include "runtimeerror.h"

#include <cstdio>
#include <cstdlib>
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

std::string optionPanel(const Form::OptionPanel &panel)
{
    std::string buttons = "[";
    for (int i = 0; i < panel.count; ++i) {
        buttons += i ? ",\n      " : "\n      ";
        buttons +=
            object(Field{"name", quoted(std::string(panel.buttonName) + "_" + std::to_string(i))},
                   Field{"index", std::to_string(i)}, Field{"place", place(panel.button(i))},
                   Field{"colour", colour(panel.buttonColour)},
                   Field{"caption", quoted(panel.caption(i))});
    }
    buttons += "]";
    return object(Field{"name", quoted(panel.panelName)}, Field{"kind", quoted("panel")},
                  Field{"place", place(panel.place)}, Field{"colour", colour(panel.colour)},
                  Field{"group", quoted(panel.buttonName)},
                  Field{"labelledBy", quoted(panel.label.name)}, Field{"buttons", buttons});
}

// One control of the window, found by its name, as JSON.
std::string describe(std::string_view name)
{
    for (const Form::Label &label : Form::Labels) {
        if (label.name == name) {
            return object(Field{"name", quoted(label.name)}, Field{"kind", quoted("label")},
                          Field{"place", place(label.place)},
                          Field{"colour", colour(Form::LabelColour)},
                          Field{"caption", quoted(label.caption)},
                          Field{"heading", label.name == Form::TitleLabel.name ? "true" : "false"});
        }
    }
    if (name == Form::ResultBoxName) {
        return object(Field{"name", quoted(name)}, Field{"kind", quoted("text")},
                      Field{"place", place(Form::ResultBox)},
                      Field{"label", quoted(Form::ResultBoxAccessibleName)},
                      Field{"description", quoted(Form::ResultBoxDescription)});
    }
    if (name == Form::PictureName) {
        return object(Field{"name", quoted(name)}, Field{"kind", quoted("picture")},
                      Field{"place", place(Form::Picture)},
                      Field{"frame", std::to_string(Form::PictureFramePixels)},
                      Field{"chart", "[" + std::to_string(Form::ChartWidth) + ", " +
                                         std::to_string(Form::ChartHeight) + "]"},
                      Field{"label", quoted(Form::PictureAccessibleName)},
                      Field{"description", quoted(Form::PictureDescription)});
    }
    for (const Form::OptionPanel *panel : Form::OptionPanels) {
        if (panel->panelName == name)
            return optionPanel(*panel);
    }
    for (std::size_t i = 0; i < Form::Commands.size(); ++i) {
        const Form::Command &command = Form::Commands[i];
        if (command.name == name) {
            return object(Field{"name", quoted(command.name)}, Field{"kind", quoted("command")},
                          Field{"index", std::to_string(i)}, Field{"place", place(command.place)},
                          Field{"colour", colour(command.colour)},
                          Field{"caption", quoted(command.caption)});
        }
    }
    std::fprintf(stderr, "formjson: no control is named %.*s\n", int(name.size()), name.data());
    std::exit(1);
}

std::string names(const auto &order)
{
    std::string out = "[";
    for (const std::string_view name : order)
        out += (out.size() > 1 ? ", " : "") + quoted(name);
    return out + "]";
}

} // namespace

int main()
{
    // In the window's order of reading, whose focusable controls are in its Tab order.
    std::string controls = "[";
    for (const std::string_view name : Form::WindowOrder)
        controls += (controls.size() > 1 ? ",\n    " : "\n    ") + describe(name);
    controls += "\n  ]";

    // What the page's script calls the option groups and the commands.
    const std::string groups = object(Field{"ratings", quoted(Form::RatingPanel.buttonName)},
                                      Field{"components", quoted(Form::ComponentPanel.buttonName)});
    std::string commands = "{";
    for (std::size_t i = 0; i < Form::Commands.size(); ++i)
        commands += (i ? ", " : "") + quoted(Form::Commands[i].role) + ": " + std::to_string(i);
    commands += "}";

    const std::string json =
        object(Field{"title", quoted(Form::WindowTitle)},
               Field{"address", quoted(Form::PublisherAddress)}, Field{"name", quoted(Form::Title)},
               Field{"twipsPerPixel", std::to_string(Form::TwipsPerPixel)},
               Field{"font", object(Field{"family", quoted(Form::FontFamily)},
                                    Field{"standIn", quoted(Form::FontStandIn)},
                                    Field{"points", std::to_string(Form::FontPoints)})},
               Field{"place", place(Form::ClientArea)}, Field{"colour", colour(Form::FormColour)},
               Field{"controls", controls}, Field{"columnOrder", names(Form::ColumnOrder)},
               Field{"groups", groups}, Field{"commands", commands},
               Field{"report", object(Field{"heading", quoted(ReportHeading)},
                                      Field{"separator", quoted(NameSeparator)},
                                      Field{"notRated", quoted(NotRatedMark)},
                                      Field{"pronounced", quoted(PronouncedMark)},
                                      Field{"lineEnd", quoted(ReportLineEnd)})},
               Field{"error", object(Field{"title", quoted(Form::ErrorTitle)},
                                     Field{"text", quoted(Form::ErrorText)},
                                     Field{"runTimeError", quoted(RunTimeError::Prefix)})});
    std::fputs(json.c_str(), stdout);
    std::fputs("\n", stdout);
    return 0;
}
