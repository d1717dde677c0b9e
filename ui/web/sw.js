// Keeps the page's files so that, after one visit, Quillon opens and evaluates with no network.
// Every request goes to the network first, so a new build is taken as soon as it is served, and
// the cache answers only when the network does not. Nothing but these files is stored.
const CACHE = 'quillon';
const FILES = [
  './',
  'index.html',
  'style.css',
  'quillon.js',
  'combobox.js',
  'judged_field.js',
  'menubar.js',
  'window_html.js',
  'quillon-core.js',
  'quillon-core.wasm',
  'quillon.webmanifest',
  'quillon.svg',
  'quillon-256.png',
];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    fetch(event.request)
      .then((response) => {
        if (response.ok) {
          const copy = response.clone();
          caches.open(CACHE).then((cache) => cache.put(event.request, copy));
        }
        return response;
      })
      .catch(() => caches.match(event.request, { ignoreSearch: true }).then((cached) => cached ?? Response.error())),
  );
});
