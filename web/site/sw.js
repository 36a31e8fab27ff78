// SPDX-License-Identifier: MIT
// The service worker: keeps every file of the site in a cache named after this release, so
// that the page opens and converts offline. The build writes the version (a hash of every
// file) and the file list below; a new release is a new service worker, which fills its own
// cache and then deletes the old one.
const CACHE = 'tavometr-@VERSION@';
const FILES = [@FILES@];

// Each file asked of the server again ("no-cache"), so that a host's HTTP cache cannot hand
// the new release an old file; an unchanged one costs a 304.
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'no-cache' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => keys.filter((key) => key.startsWith('tavometr-') && key !== CACHE))
    .then((old) => Promise.all(old.map((key) => caches.delete(key))))
    .then(() => self.clients.claim()));
});

// The cache first: the files of one release belong together.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached ?? fetch(event.request)));
});
