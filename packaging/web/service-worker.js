// The trainer's service worker: after one visit the page loads and runs with the network
// off. It keeps the files of one build, the build `make web` wrote into the two lines
// below (tools/web/finish-site.py), in a cache named after that build.
//  - It installs only once every file has come whole and is the very file its build lists;
//    a file of another build (the folder replaced on the server meanwhile), a download cut
//    off or a cache that is full or refused fails the installation, and the pages go on as
//    before: from the cache they had, or from the server.
//  - A page asks for the program's files with its build (?build=...). A page of this build
//    gets them from the cache; a page of another build gets them from the server. So no page
//    ever runs files of two builds.
//  - The page itself comes from the server when it answers, so a new build on the server
//    reaches the pupil at the next visit; without the network, it comes from the cache.
//  - A new build's worker takes over as soon as its cache is whole and deletes the older
//    builds' caches. A page that runs already has all its files and goes on undisturbed.
"use strict";

const build = "";
const files = {};

const cachePrefix = "kunpu-typing-";
const cacheName = cachePrefix + build;
const page = "index.html";
// How long the page waits for the server before it comes from the cache.
const serverPatienceMs = 3000;

function hex(bytes) {
  return [...new Uint8Array(bytes)].map((byte) => byte.toString(16).padStart(2, "0")).join("");
}

// One file of the build, as the cache keeps it: the body the server sent, decoded, with
// its type (a compiled program must be application/wasm).
async function fetchChecked(name) {
  const response = await fetch(new Request(`${name}?build=${build}`, { cache: "no-cache" }));
  if (!response.ok) {
    throw new Error(`${name}: ${response.status}`);
  }
  const body = await response.arrayBuffer();
  if (hex(await crypto.subtle.digest("SHA-256", body)) !== files[name]) {
    throw new Error(`${name} is not the file of build ${build}`);
  }
  const type = response.headers.get("Content-Type");
  return new Response(body, { headers: type ? { "Content-Type": type } : {} });
}

async function keepBuild() {
  const names = Object.keys(files);
  const responses = await Promise.all(names.map(fetchChecked));
  try {
    const cache = await caches.open(cacheName);
    await Promise.all(names.map((name, index) => cache.put(name, responses[index])));
  } catch (error) {
    await caches.delete(cacheName);
    throw error;
  }
  await self.skipWaiting();
}

async function dropOlderBuilds() {
  for (const name of await caches.keys()) {
    if (name.startsWith(cachePrefix) && name !== cacheName) {
      await caches.delete(name);
    }
  }
}

async function fromCache(name) {
  const cache = await caches.open(cacheName);
  return cache.match(name);
}

async function pageOfNewestBuild(request) {
  const server = fetch(request).then((response) => (response.ok ? response : null), () => null);
  const patience = new Promise((resolve) => setTimeout(resolve, serverPatienceMs, null));
  const answer = await Promise.race([server, patience]);
  return answer ?? (await fromCache(page)) ?? (await server) ?? Response.error();
}

async function fileOfThisBuild(request, name) {
  return (await fromCache(name)) ?? fetch(request);
}

self.addEventListener("install", (event) => event.waitUntil(keepBuild()));
self.addEventListener("activate", (event) => event.waitUntil(dropOlderBuilds()));

self.addEventListener("fetch", (event) => {
  const request = event.request;
  const scope = new URL(self.registration.scope);
  const url = new URL(request.url);
  if (request.method !== "GET" || url.origin !== scope.origin ||
      !url.pathname.startsWith(scope.pathname)) {
    return;
  }
  const name = decodeURIComponent(url.pathname.slice(scope.pathname.length)) || page;
  if (request.mode === "navigate" && name === page) {
    event.respondWith(pageOfNewestBuild(request));
    return;
  }
  const askedBuild = url.searchParams.get("build");
  if (Object.hasOwn(files, name) && (askedBuild === null || askedBuild === build)) {
    event.respondWith(fileOfThisBuild(request, name));
  }
});
