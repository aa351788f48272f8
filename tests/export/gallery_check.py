#!/usr/bin/python3
"""Opens an export folder's index.html from disk in headless Chromium and
checks what a user would meet there.

    gallery_check.py DIR --lang pt-BR --title "..." --images N --videos N
                     [--screenshots OUTDIR] [--timeout SECONDS]

Checks: the page's lang and title; every picture loaded (after scrolling it
into view: pictures load lazily); every video's poster and source exist in
DIR, the poster loads and the video can play; every link leads to a file
inside DIR; the browser asked for nothing outside DIR (DevTools' network log
and the page's own resource list); no console error (a refused request or a
blocked script says one); at 100 %, 200 % and 400 % zoom of a 1280 pixel
wide window nothing sticks out sideways; Tab visits the links and videos in
reading order, each link with a visible outline; the dark colour scheme
changes the colours. Exit status 0 when all hold, 1 with one line per fault.

Needs Debian's chromium, chromium-driver and python3-selenium; never touches
the network (host names resolve to nothing)."""

import argparse
import json
import os
import pathlib
import shutil
import signal
import sys
import tempfile
import time
import urllib.parse


class Timeout(Exception):
    pass


def on_alarm(_signum, _frame):
    # A second alarm while cleaning up ends the program for good.
    signal.signal(signal.SIGALRM, lambda *_: os._exit(1))
    signal.alarm(10)
    raise Timeout()


def path_of(url, root):
    """The file a URL names when it is a file: URL inside root, else None."""
    parts = urllib.parse.urlsplit(url)
    if parts.scheme != "file" or parts.netloc not in ("", "localhost"):
        return None
    path = pathlib.Path(os.path.realpath(urllib.parse.unquote(parts.path)))
    if path != root and root not in path.parents:
        return None
    return path


def start_browser(profile):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service

    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--window-size=1280,900", "--user-data-dir=" + profile,
                     "--no-first-run", "--no-default-browser-check", "--disable-extensions",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--no-pings", "--mute-audio", "--disable-gpu",
                     "--disable-dev-shm-usage", "--host-resolver-rules=MAP * ~NOTFOUND"):
        options.add_argument(argument)
    if os.geteuid() == 0:
        options.add_argument("--no-sandbox")
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    # The driver is named, so selenium never goes looking for one online.
    service = Service(executable_path=shutil.which("chromedriver"))
    return webdriver.Chrome(service=service, options=options)


def wait_for(driver, script, seconds, *arguments):
    end = time.monotonic() + seconds
    while True:
        value = driver.execute_script(script, *arguments)
        if value or time.monotonic() > end:
            return value
        time.sleep(0.05)


def check(driver, args, root, faults):
    index = root / "index.html"
    driver.set_page_load_timeout(30)
    driver.set_script_timeout(20)
    driver.get(index.as_uri())
    wait_for(driver, "return document.readyState === 'complete'", 20)

    lang = driver.execute_script("return document.documentElement.getAttribute('lang')")
    if lang != args.lang:
        faults.append(f"lang is {lang!r}, expected {args.lang!r}")
    if driver.title != args.title:
        faults.append(f"title is {driver.title!r}, expected {args.title!r}")
    policy = driver.execute_script(
        "const m = document.querySelector('meta[http-equiv=\"Content-Security-Policy\"]');"
        "return m ? m.content : '';")
    for directive in ("default-src 'none'", "script-src 'none'"):
        if directive not in policy:
            faults.append(f"the Content-Security-Policy lacks {directive}: {policy!r}")

    def inside(url, what):
        path = path_of(url, root)
        if path is None:
            faults.append(f"{what} leads outside the folder: {url}")
        elif not path.is_file():
            faults.append(f"{what} names no file: {url}")
        return path

    images = driver.find_elements("tag name", "img")
    if len(images) != args.images:
        faults.append(f"{len(images)} pictures, expected {args.images}")
    for image in images:
        src = image.get_property("src")
        inside(src, "a picture")
        if not image.get_attribute("alt"):
            faults.append(f"a picture without alt text: {src}")
        driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", image)
        loaded = wait_for(driver, "return arguments[0].complete && arguments[0].naturalWidth > 0",
                          10, image)
        if not loaded:
            faults.append(f"a picture did not load: {src}")

    videos = driver.find_elements("tag name", "video")
    if len(videos) != args.videos:
        faults.append(f"{len(videos)} videos, expected {args.videos}")
    for video in videos:
        if video.get_attribute("preload") != "none" or video.get_attribute("controls") is None:
            faults.append("a video without controls or with preload other than none")
        poster = video.get_property("poster")
        sources = [s.get_property("src") for s in video.find_elements("tag name", "source")]
        if not poster:
            faults.append(f"a video without a poster: {sources}")
        else:
            inside(poster, "a video's poster")
            loaded = driver.execute_async_script(
                "const done = arguments[arguments.length - 1];"
                "const image = new Image();"
                "image.onload = () => done(image.naturalWidth > 0);"
                "image.onerror = () => done(false);"
                "image.src = arguments[0];", poster)
            if not loaded:
                faults.append(f"a video's poster did not load: {poster}")
        if not sources:
            faults.append("a video without a source")
        for source in sources:
            inside(source, "a video's source")
        driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", video)
        state = driver.execute_async_script(
            "const [video, done] = arguments;"
            "const type = video.querySelector('source').type;"
            "if (!video.canPlayType(type)) { done('cannot play ' + type); return; }"
            "const settle = () => done(video.readyState >= 2 && video.videoWidth > 0"
            "    ? 'ok' : 'readyState ' + video.readyState);"
            "video.addEventListener('loadeddata', settle, {once: true});"
            "video.addEventListener('error', () => done('error ' + (video.error && video.error.code)),"
            "    {once: true});"
            "setTimeout(settle, 10000);"
            "video.load();", video)
        if state != "ok":
            faults.append(f"a video does not play ({state}): {sources}")

    links = driver.execute_script(
        "return Array.from(document.querySelectorAll('a[href]'), a => a.href)")
    if not links:
        faults.append("no links")
    for link in links:
        inside(link, "a link")

    check_focus_order(driver, faults)
    check_zoom(driver, args, faults)
    check_colour_schemes(driver, args, faults)

    # The page has done all it will: see what it asked for and what it said.
    requested = [entry for entry in driver.execute_script(
        "return performance.getEntriesByType('resource').map(e => e.name)")]
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        # The browser's own pages (its start page) ask for their parts too:
        # only what this page asked for counts.
        params = message.get("params", {})
        if (message.get("method") == "Network.requestWillBeSent"
                and path_of(params.get("documentURL", ""), root) is not None):
            requested.append(params["request"]["url"])
    if not requested:
        faults.append("no request was seen: the network log is not working")
    for url in requested:
        if url.startswith("data:") or url == "about:blank":
            continue
        if path_of(url, root) is None:
            faults.append(f"a request outside the folder: {url}")
    for entry in driver.get_log("browser"):
        if entry.get("level") == "SEVERE":
            faults.append(f"console error: {entry.get('message')}")


def check_focus_order(driver, faults):
    expected = driver.execute_script(
        "const all = document.querySelectorAll('a[href], video[controls], button, input, select,"
        "    textarea, [tabindex]');"
        "all.forEach((element, i) => element.setAttribute('data-check-order', String(i)));"
        "if (document.activeElement) document.activeElement.blur();"
        "window.scrollTo(0, 0);"
        "return all.length;")
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.keys import Keys

    visited = []
    # A video's controls take several presses of Tab; all of them focus it.
    for _ in range(expected * 8 + 8):
        ActionChains(driver).send_keys(Keys.TAB).perform()
        focused = driver.execute_script(
            "const e = document.activeElement;"
            "if (!e || e === document.body) return null;"
            "const style = getComputedStyle(e);"
            "return [e.getAttribute('data-check-order'), e.tagName,"
            "        style.outlineStyle, parseFloat(style.outlineWidth)];")
        if focused is None:
            if visited:
                break
            continue
        order, tag, outline, width = focused
        if tag == "A" and (outline == "none" or width < 2):
            faults.append(f"link {order} has no visible focus outline ({outline} {width}px)")
        if not visited or visited[-1] != order:
            visited.append(order)
    if visited != [str(i) for i in range(expected)]:
        faults.append(f"Tab visits {visited}, expected 0 to {expected - 1} in order")


def check_zoom(driver, args, faults):
    # Zoom as the browser's own: the same window, fewer CSS pixels across.
    for percent in (100, 200, 400):
        width = 1280 * 100 // percent
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": 900 * 100 // percent,
            "deviceScaleFactor": percent / 100, "mobile": False})
        time.sleep(0.2)
        sizes = driver.execute_script(
            "return [document.documentElement.scrollWidth, window.innerWidth]")
        if sizes[0] > sizes[1]:
            faults.append(f"at {percent} % the page is {sizes[0]} pixels wide in a "
                          f"{sizes[1]} pixel window")
        if args.screenshots:
            driver.execute_script("window.scrollTo(0, 0)")
            driver.save_screenshot(os.path.join(args.screenshots, f"gallery-{percent}.png"))
            if percent != 200:
                # The whole page, for a person to look at.
                height = driver.execute_script("return document.documentElement.scrollHeight")
                driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": width, "height": height,
                    "deviceScaleFactor": percent / 100, "mobile": False})
                time.sleep(0.2)
                driver.save_screenshot(
                    os.path.join(args.screenshots, f"gallery-{percent}-whole.png"))
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def check_colour_schemes(driver, args, faults):
    colours = {}
    for scheme in ("light", "dark"):
        driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "prefers-color-scheme", "value": scheme}]})
        time.sleep(0.1)
        colours[scheme] = driver.execute_script(
            "const s = getComputedStyle(document.body); return [s.backgroundColor, s.color];")
        if args.screenshots:
            driver.save_screenshot(os.path.join(args.screenshots, f"gallery-{scheme}.png"))
    if colours["light"] == colours["dark"]:
        faults.append(f"the dark colour scheme changes nothing: {colours['light']}")
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--lang", required=True)
    parser.add_argument("--title", required=True)
    parser.add_argument("--images", type=int, required=True)
    parser.add_argument("--videos", type=int, required=True)
    parser.add_argument("--screenshots", help="a folder to save screenshots in")
    parser.add_argument("--timeout", type=int, default=120)
    args = parser.parse_args()

    root = pathlib.Path(os.path.realpath(args.folder))
    if not (root / "index.html").is_file():
        print(f"FAIL: {root / 'index.html'} is not there")
        return 1
    for program in ("chromium", "chromedriver"):
        if shutil.which(program) is None:
            print(f"FAIL: {program} is not installed")
            return 1

    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(args.timeout)
    faults = []
    profile = tempfile.mkdtemp(prefix="gallery-check-")
    driver = None
    try:
        driver = start_browser(profile)
        check(driver, args, root, faults)
    except Timeout:
        faults.append(f"gave up after {args.timeout} seconds")
    except Exception as error:  # a browser that will not start or a page that breaks
        faults.append(f"{type(error).__name__}: {error}")
    finally:
        if driver is not None:
            driver.quit()
        shutil.rmtree(profile, ignore_errors=True)
    signal.alarm(0)

    for fault in faults:
        print("FAIL:", fault)
    if faults:
        return 1
    print(f"ok: {args.images} pictures, {args.videos} videos, links, requests, console, "
          "Tab order, zoom and colour schemes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
