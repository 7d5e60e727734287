// Keeps the page's files, so that after one visit it runs with no network.
//
// The build writes the version and the list of files below: the version is
// taken from the files' content, so a new build comes with a cache of its
// own and an unchanged build keeps the one it has. The browser looks for a
// new service worker on every visit; a new one fills its cache in the
// background and takes over, and the next visit runs the new build whole.
'use strict';

const version = '@VERSION@';
const files = [@FILES@];
const cacheName = `fuel-economy-${version}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName)
    // Checked with the server, so that no older copy from the browser's
    // cache slips into this version's; an unchanged file is not sent again.
    .then((cache) => cache.addAll(files.map((file) => new Request(file, {cache: 'no-cache'}))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith('fuel-economy-') && name !== cacheName)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// From the cache first; what it does not hold, from the network.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(request, {ignoreSearch: true}))
    .then((cached) => cached || fetch(request)));
});
