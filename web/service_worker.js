// The page's service worker: keeps every file of the page in a cache named after
// this build, so that the page loads and plays offline after the first visit.
// A new build writes a new name (the files' hash), which installs beside the old
// cache and deletes it once active.

const kCache = 'stereoPulseWeaver-@SPW_CACHE_VERSION@';
const kFiles = [@SPW_CACHED_FILES@];
const kPrefix = 'stereoPulseWeaver-';

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith(kPrefix) && n !== kCache).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// This build's files from its cache; anything else (a newer sessions list,
// say) from the network.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(kCache)
    .then((cache) => cache.match(event.request, {ignoreSearch: true}))
    .then((cached) => cached ?? fetch(event.request)));
});
