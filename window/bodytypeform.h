// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ratingsheet.h"

#include <QWidget>

#include <exception>

class OptionGroup;
class QButtonGroup;
class QPlainTextEdit;
class QStyle;

// The program's one window. It owns the rating sheet, which holds all the state and knows
// nothing of the window; the window only shows the sheet and passes the user's choices on.
class BodyTypeForm : public QWidget
{
    Q_OBJECT

public:
    explicit BodyTypeForm(QWidget *parent = nullptr);
    ~BodyTypeForm() override;

    const RatingSheet &sheet() const { return m_sheet; }

    // The window's font: Times New Roman 12 pt, or its metric twin where it is missing.
    static QFont formFont();
    // The introductory text as the program holds it, CR LF after every line.
    static QString introText();

private:
    void buildControls();
    void makeResultBox();
    void makePicture();
    void makeCommand(int index, QStyle *style);
    void connectHandlers();

    // The event handlers. Each runs to completion on the one event thread.
    void load();
    void showComponentRating(int component);
    void storeRating(int rating);
    void runCommand(int command);

    // Wraps a handler for connecting: an error in it ends the program as a run-time error,
    // and never unwinds through Qt, which does not allow exceptions out of slots.
    template <typename... Args>
    auto guarded(void (BodyTypeForm::*handler)(Args...));
    void endWithRunTimeError(const std::exception &error);

    RatingSheet m_sheet;
    OptionGroup *m_ratings;
    OptionGroup *m_components;
    QButtonGroup *m_commands;
    QPlainTextEdit *m_resultBox = nullptr;
    bool m_ending = false;
};
