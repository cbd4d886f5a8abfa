#pragma once

#include "ratingsheet.h"

#include <QWidget>

#include <array>

class FlatButtonStyle;
class OptionGroup;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The program's one window. It owns the rating sheet, which holds all the state and knows
// nothing of the window; the window only shows the sheet and passes the user's choices on.
class BodyTypeForm : public QWidget
{
    Q_OBJECT

public:
    // Shown before the title; a reserved example address, belonging to no one.
    static constexpr auto PublisherAddress = "http://www.example.org";

    explicit BodyTypeForm(QWidget *parent = nullptr);
    ~BodyTypeForm() override;

    const RatingSheet &sheet() const { return m_sheet; }

    // The window's font: Times New Roman 12 pt, or its metric twin where it is missing.
    static QFont formFont();
    // The introductory text as the program holds it, CR LF after every line.
    static QString introText();
    // CR LF as one line break, as the result box shows it.
    static QString displayText(const QString &text);

private:
    void buildControls();

    RatingSheet m_sheet;
    FlatButtonStyle *m_buttonStyle;
    OptionGroup *m_ratings;
    OptionGroup *m_components;
    QPlainTextEdit *m_resultBox = nullptr;
    QLabel *m_picture = nullptr;
    std::array<QPushButton *, 2> m_commands{};
};
