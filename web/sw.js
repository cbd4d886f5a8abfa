// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the page's own files, and nothing else, so that it opens without a network. Each build
// names its own cache; an old one is dropped when the new page takes over.
'use strict';
const cacheName = 'bodytype-@VERSION@';
const files = [@FILES@];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files))
                        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
                        .then((names) => Promise.all(names.filter((name) => name !== cacheName)
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
