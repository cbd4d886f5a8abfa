// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Triggers the sheet's range error the way the program's top level handles it, so that the
// test sees the real message and exit status.
#include "ratingsheet.h"
#include "runtimeerror.h"

#include <exception>

int main()
{
    RatingSheet sheet;
    sheet.Reset();
    try {
        sheet.SelectComponent(4);
    } catch (const std::exception &error) {
        RunTimeError::report(error);
        return RunTimeError::ExitStatus;
    }
    return 0;
}
