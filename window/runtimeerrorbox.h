// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <exception>

class QWidget;

// Reports a run-time error on standard error and in a modal message box in Bulgarian, with
// what failed as its detail. The caller then ends the program with RunTimeError::ExitStatus.
void showRunTimeError(const std::exception &error, QWidget *parent);
