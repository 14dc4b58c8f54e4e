#!/usr/bin/python3
"""Finishes the browser edition's folder once everything is in it:

    finish-site.py <site folder> [--no-compress]

1. Names the build after its content: a digest of every file (the page taken with an empty
   build). The page (index.html, data-build="...") asks for the program's files with it, and
   the service worker (service-worker.js, its `build` and `files` lines) keeps exactly these
   files under it, each with its SHA-256, in a cache named after the build.
2. Writes each compressible file beside itself compressed for servers that send files as they
   are stored: <file>.br (brotli, quality 11) and <file>.gz (zopfli, read by any gzip), both
   at once. With --no-compress the folder gets none, and loses any it had.

Running it again on a finished folder, changed or not, gives the folder as a fresh build
would: every name, digest and compressed file renewed.
"""
import concurrent.futures
import hashlib
import json
import pathlib
import re
import subprocess
import sys

PAGE = "index.html"
WORKER = "service-worker.js"
COMPRESSED = (".br", ".gz")
COMPRESSIBLE = {".html", ".js", ".wasm", ".txt", ".webmanifest", ".json", ".css", ".svg", ".ttf"}
BUILD_ATTRIBUTE = re.compile(rb'data-build="[0-9a-f]*"')
WORKER_LINES = {
    "build": re.compile(r"^const build = .*;$", re.M),
    "files": re.compile(r"^const files = .*;$", re.M),
}


def site_files(site):
    """The folder's files by their address, the worker and compressed copies left out."""
    found = {}
    for path in sorted(site.rglob("*")):
        name = path.relative_to(site).as_posix()
        if path.is_file() and name != WORKER and path.suffix not in COMPRESSED:
            found[name] = path
    return found


def with_build(page, build):
    if len(BUILD_ATTRIBUTE.findall(page)) != 1:
        raise SystemExit(f"finish-site: {PAGE} must hold data-build=\"\" once")
    return BUILD_ATTRIBUTE.sub(b'data-build="' + build.encode() + b'"', page)


def name_build(files):
    contents = {name: path.read_bytes() for name, path in files.items()}
    contents[PAGE] = with_build(contents[PAGE], "")
    digest = hashlib.sha256()
    for name, content in sorted(contents.items()):
        digest.update(f"{name} {hashlib.sha256(content).hexdigest()}\n".encode())
    build = digest.hexdigest()[:20]
    files[PAGE].write_bytes(with_build(contents[PAGE], build))
    return build


def write_worker(site, files, build):
    worker = site / WORKER
    text = worker.read_text(encoding="utf-8")
    digests = {name: hashlib.sha256(path.read_bytes()).hexdigest() for name, path in files.items()}
    lines = {"build": f"const build = {json.dumps(build)};",
             "files": f"const files = {json.dumps(digests, sort_keys=True)};"}
    for key, pattern in WORKER_LINES.items():
        text, count = pattern.subn(lambda _: lines[key], text)
        if count != 1:
            raise SystemExit(f"finish-site: {WORKER} must hold one `const {key} = ...;` line")
    worker.write_text(text, encoding="utf-8")


def compress(path):
    brotli = subprocess.Popen(["brotli", "--quality=11", "--force", "--keep", str(path)])
    zopfli = subprocess.Popen(["zopfli", "--i5", str(path)])
    if brotli.wait() != 0 or zopfli.wait() != 0:
        raise SystemExit(f"finish-site: {path} was not compressed")


def main(arguments):
    if len(arguments) not in (1, 2) or arguments[1:] not in ([], ["--no-compress"]):
        raise SystemExit(__doc__)
    site = pathlib.Path(arguments[0])
    for stale in [*site.rglob("*.br"), *site.rglob("*.gz")]:
        stale.unlink()
    files = site_files(site)
    build = name_build(files)
    write_worker(site, files, build)
    if arguments[1:] == ["--no-compress"]:
        return
    compressible = [path for path in site.rglob("*")
                    if path.is_file() and path.suffix in COMPRESSIBLE]
    # The largest first: the program alone takes as long as all the rest.
    compressible.sort(key=lambda path: path.stat().st_size, reverse=True)
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        list(pool.map(compress, compressible))


if __name__ == "__main__":
    main(sys.argv[1:])
