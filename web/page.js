// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's four handlers, driving the one rating sheet compiled to WebAssembly. Each takes
// the index of the control that raised its event, as the desktop window's handlers do.
'use strict';
(() => {
    const form = document.getElementById('form');
    const resultBox = form.querySelector('.text');
    const ratings = [...form.querySelectorAll('input[name="Option1"]')];
    const components = [...form.querySelectorAll('input[name="Option2"]')];
    const CommandOutput = 0;
    const CommandClear = 1;

    // Fits the whole form into a narrow window or screen, keeping its proportions, inside the
    // page's margins.
    const fit = () => {
        const page = getComputedStyle(document.body);
        const room = document.documentElement.clientWidth - parseFloat(page.paddingLeft) -
                     parseFloat(page.paddingRight);
        const width = parseFloat(getComputedStyle(form).width);
        form.parentElement.style.setProperty('--scale', String(Math.min(1, room / width)));
    };
    addEventListener('resize', fit);
    fit();

    let stopped = false;
    // The desktop program's words for an error that nothing handles.
    const runTimeError = (what) => 'bodytype: run-time error: ' + what;

    // An error nothing is meant to handle stops the page, as it ends the desktop program: the
    // message is shown, and the form takes no more input.
    const stop = (detail) => {
        if (stopped)
            return;
        stopped = true;
        form.inert = true;
        form.classList.add('stopped');
        const box = document.getElementById('error');
        box.querySelector('.detail').textContent = detail;
        box.hidden = false;
        box.focus();
    };

    const run = (handler) => (index) => {
        if (stopped)
            return;
        try {
            handler(index);
        } catch (error) {
            stop(error.sheetFailure || runTimeError(error.message));
        }
    };

    const deselect = (buttons) => {
        for (const button of buttons)
            button.checked = false;
    };

    // Every sheet operation: a failure in the sheet becomes an exception here.
    const bind = (module) => {
        const failed = module._sheet_failed();
        const call = (operation) => (...args) => {
            const result = operation(...args);
            if (result === failed) {
                const error = new Error('sheet');
                error.sheetFailure = module.UTF8ToString(module._sheet_failure());
                throw error;
            }
            return result;
        };
        return {
            reset: call(module._sheet_reset),
            selectComponent: call(module._sheet_select_component),
            selectRating: call(module._sheet_select_rating),
            clear: call(module._sheet_clear),
            report: () => module.UTF8ToString(module._sheet_report()),
        };
    };

    const control = (buttons, index) => {
        const button = buttons[index];
        if (!button)
            throw new RangeError(`no option button ${index}`);
        return button;
    };

    const start = (sheet) => {
        const load = () => {
            deselect(components);
            deselect(ratings);
            sheet.reset();
        };

        const componentChosen = (component) => {
            const rating = sheet.selectComponent(component);
            deselect(ratings);
            // Marking by the program raises no change event, so the rating is not stored again.
            control(ratings, rating).checked = true;
        };

        const ratingChosen = (rating) => sheet.selectRating(rating);

        const command = (index) => {
            if (index === CommandOutput) {
                resultBox.value = sheet.report();
            } else if (index === CommandClear) {
                sheet.clear();
                deselect(components);
                deselect(ratings);
            }
        };

        // A change event comes only when the user selects a button, never when one loses its
        // mark or is marked by a handler.
        const onChange = (buttons, handler) => {
            const guarded = run(handler);
            for (const button of buttons)
                button.addEventListener('change', () => guarded(Number(button.value)));
        };
        onChange(components, componentChosen);
        onChange(ratings, ratingChosen);
        const guardedCommand = run(command);
        for (const button of form.querySelectorAll('.command'))
            button.addEventListener('click', () => guardedCommand(Number(button.value)));

        run(load)();
        if (stopped)
            return;
        form.inert = false;
        resultBox.focus();
        resultBox.setSelectionRange(0, 0);
        performance.mark('bodytype-ready');
    };

    const wasmBinary = Uint8Array.from(atob(sheetWasm), (c) => c.charCodeAt(0));
    createSheet({wasmBinary}).then((module) => start(bind(module)),
                                   (error) => stop(runTimeError(error)));

    // From a web server, the page keeps working offline once it has been opened.
    const worker = document.documentElement.dataset.serviceWorker;
    if (worker && 'serviceWorker' in navigator && location.protocol !== 'file:')
        navigator.serviceWorker.register(worker).catch(() => {});
})();
