// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the page's own files, and nothing else, so that it opens without a network. Each build
// names its own cache after the contents of every file it keeps; the old one is dropped when
// the new page takes over. A school's server may hold other apps on the same origin, whose
// caches are theirs: this worker touches only caches named for its own scope.
'use strict';
const ownCaches = `bodytype ${self.registration.scope} `;
const cacheName = ownCaches + '@VERSION@';
const files = [/*@FILES@*/];

self.addEventListener('install', (event) => {
    // Past the browser's HTTP cache, which may still hold the files of the build before.
    const requests = files.map((file) => new Request(file, {cache: 'reload'}));
    event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(requests))
                        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    const old = (name) => name.startsWith(ownCaches) && name !== cacheName;
    event.waitUntil(caches.keys()
                        .then((names) => Promise.all(names.filter(old)
                                                         .map((name) => caches.delete(name))))
                        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== location.origin)
        return;
    event.respondWith(caches.open(cacheName)
                          .then((cache) => cache.match(request, {ignoreSearch: true}))
                          .then((cached) => cached || fetch(request)));
});
