// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's one rating sheet, reached from JavaScript through plain C functions. An error in
// the sheet does not unwind into JavaScript: the call returns Failed and failure() says what
// went wrong, in the desktop program's words. Numbers arrive as JavaScript has them, doubles,
// and only the sheet's own 16-bit whole numbers are let through.

#include "ratingsheet.h"
#include "report.h"
#include "runtimeerror.h"
#include "valueerror.h"

#include <emscripten/emscripten.h>

#include <climits>
#include <string>

namespace {

RatingSheet sheet;
std::string text;
std::string failed;

// No 16-bit rating is this.
constexpr int Failed = INT_MIN;

template <typename Operation>
int guarded(Operation operation)
{
    try {
        return operation();
    } catch (const std::exception &error) {
        failed = RunTimeError::message(error);
        return Failed;
    }
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int sheet_failed()
{
    return Failed;
}

EMSCRIPTEN_KEEPALIVE const char *sheet_failure()
{
    return failed.c_str();
}

EMSCRIPTEN_KEEPALIVE int sheet_reset()
{
    return guarded([] {
        sheet.Reset();
        return 0;
    });
}

EMSCRIPTEN_KEEPALIVE int sheet_select_component(double component)
{
    return guarded([component] {
        return int(sheet.SelectComponent(
            ValueError::sheetValue("SelectComponent", "component index", component)));
    });
}

EMSCRIPTEN_KEEPALIVE int sheet_select_rating(double rating)
{
    return guarded([rating] {
        sheet.SelectRating(ValueError::sheetValue("SelectRating", "rating", rating));
        return 0;
    });
}

EMSCRIPTEN_KEEPALIVE int sheet_clear()
{
    return guarded([] {
        sheet.Clear();
        return 0;
    });
}

// UTF-8, CR LF after every line; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char *sheet_report()
{
    text = BuildReport(sheet);
    return text.c_str();
}
}
