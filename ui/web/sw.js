// Keeps the page's files so that Quillon opens at once, and with no network after one visit.
// The page's own files are answered from the cache of this build first; the network is asked
// only for what the cache does not hold. A new build comes as a new copy of this file (its
// name and list are written at build time, from a hash of the files): it fills a cache of its
// own in the background, takes over for the next visit, and only then removes the old caches.
const CACHE = 'quillon-@QUILLON_BUILD@';
const FILES = ['./', ...'@QUILLON_FILES@'.split(',')];

// Where the browser can route requests itself, the build's files (their exact addresses, with no
// query) are read from this build's cache without starting this worker at all, which would
// otherwise cost a visit tens of milliseconds; anything else, and every request where the browser
// cannot, goes to the fetch handler below. Routes refused leave that handler doing all the work.
function routeFilesToCache(event) {
  if (typeof event.addRoutes !== 'function') return Promise.resolve();
  const where = ({ protocol, hostname, port, pathname }) => ({ protocol, hostname, port, pathname, search: '' });
  return event.addRoutes(FILES.map((file) => ({
    condition: { urlPattern: where(new URL(file, self.location)), requestMethod: 'GET' },
    source: { cacheName: CACHE },
  }))).catch(() => {});
}

self.addEventListener('install', (event) => {
  // Asked past the browser's HTTP cache, which may still hold the files of an older build.
  const fill = (cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'no-cache' })));
  const routed = routeFilesToCache(event);
  event.waitUntil(Promise.all([routed, caches.open(CACHE).then(fill)]).then(() => self.skipWaiting()));
});

// The new cache is complete (install succeeded): the old ones go.
self.addEventListener('activate', (event) => {
  const old = (names) => names.filter((name) => name.startsWith('quillon') && name !== CACHE);
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(old(names).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached ?? fetch(event.request)));
});
