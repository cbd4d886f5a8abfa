// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's four handlers, driving the one rating sheet compiled to WebAssembly. Each takes
// the index of the control that raised its event, and has the name of the desktop window's.
// formFacts, from the form's description, names the groups and the commands.
'use strict';
(() => {
    const form = document.getElementById('form');
    const resultBox = form.querySelector('.text');
    const group = (name) => [...form.querySelectorAll(`input[name="${name}"]`)];
    const ratings = group(formFacts.groups.ratings);
    const components = group(formFacts.groups.components);

    // Narrower than the window, the controls stand in one column, in an order of their own;
    // moving them in the document keeps the order of reading, of Tab and on screen the same.
    const column = matchMedia(form.dataset.columnMedia);
    const coarse = matchMedia('(pointer: coarse)');
    const orders = {window: form.dataset.windowOrder, column: form.dataset.columnOrder};

    // On a touch screen wider than the window, the window grows with the screen, up to twice
    // its size and, where it can, no taller than the screen, so its targets grow with it.
    const fit = () => {
        let scale = 1;
        if (coarse.matches && !column.matches) {
            const page = getComputedStyle(document.body);
            const room = (size, start, end) => size - parseFloat(start) - parseFloat(end);
            const width = room(document.documentElement.clientWidth, page.paddingLeft,
                               page.paddingRight);
            const height = room(document.documentElement.clientHeight, page.paddingTop,
                                page.paddingBottom);
            const size = getComputedStyle(form);
            scale = Math.max(1, Math.min(2, width / parseFloat(size.width),
                                         height / parseFloat(size.height)));
        }
        form.parentElement.style.setProperty('--scale', String(scale));
    };

    const arrange = () => {
        const focused = document.activeElement;
        for (const name of orders[column.matches ? 'column' : 'window'].split(' '))
            form.append(document.getElementById(name));
        if (focused && focused !== document.activeElement)
            focused.focus({preventScroll: true});
        fit();
    };
    column.addEventListener('change', arrange);
    coarse.addEventListener('change', fit);
    addEventListener('resize', fit);
    arrange();

    let stopped = false;
    // The desktop program's words for an error that nothing handles.
    const runTimeError = (what) => formFacts.runTimeError + what;

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
        // Anything but a number reaches the sheet as NaN, which it refuses, rather than as
        // what JavaScript would make of it ('3' as 3, true as 1).
        const call = (operation) => (...args) => {
            const result = operation(...args.map((arg) => typeof arg === 'number' ? arg : NaN));
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

        const showComponentRating = (component) => {
            const rating = sheet.selectComponent(component);
            deselect(ratings);
            // Marking by the program raises no change event, so the rating is not stored again.
            control(ratings, rating).checked = true;
        };

        const storeRating = (rating) => sheet.selectRating(rating);

        const runCommand = (index) => {
            if (index === formFacts.commands.output) {
                resultBox.value = sheet.report();
                // In the column the report may lie below the screen's edge.
                resultBox.scrollIntoView({block: 'nearest'});
            } else if (index === formFacts.commands.clear) {
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
        onChange(components, showComponentRating);
        onChange(ratings, storeRating);
        const guardedCommand = run(runCommand);
        for (const button of form.querySelectorAll('.command'))
            button.addEventListener('click', () => guardedCommand(Number(button.value)));

        run(load)();
        if (stopped)
            return;
        form.inert = false;
        // The window opens with the focus in the result box; in the column that box comes last,
        // and the page opens at its top.
        if (!column.matches) {
            resultBox.focus();
            resultBox.setSelectionRange(0, 0);
        }
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
