"use strict";

// The preview's page: loaded once, it plays each movie the program names
// (read from the preview's scheme, checked to be a Flash movie, handed to
// Ruffle) and shows each picture. Everything it loads comes from the
// preview's own scheme.

window.RufflePlayer = window.RufflePlayer || {};
window.RufflePlayer.config = {
    publicPath: new URL("../ruffle/", document.baseURI).href,
    allowNetworking: "none",
    openUrlMode: "deny",
    upgradeToHttps: false,
    contextMenu: "off",
    splashScreen: false,
    autoplay: "on",
    unmuteOverlay: "hidden",
    polyfills: false,
    letterbox: "on",
    warnOnUnsupportedContent: false,
    showSwfDownload: false,
    logLevel: "error",
};

// The page stays loaded for the program's life; the program hands it one
// file after another through window.quorvane. What became of each is told in
// the title, "<state> <number>" with the number the program gave the file:
// "loading", then "playing" (a movie's first frame is drawn), "showing" (a
// picture is drawn) or "failed" (a sentence says why). "ready" once the
// player is loaded, "stopped" after stop().
let current = 0;

function report(state, number) {
    if (number === current)
        document.title = state + " " + number;
}

// Reported once the frame after the file's is drawn, so the program uncovers
// a view that already shows it.
function reportDrawn(state, number) {
    requestAnimationFrame(() => requestAnimationFrame(() => report(state, number)));
}

function clearPage() {
    for (const player of document.querySelectorAll("ruffle-player"))
        player.remove();
    document.body.textContent = "";
}

// A file that cannot be shown leaves a sentence in the view, never a blank
// page.
function showMessage(text, number) {
    if (number !== current)
        return;
    clearPage();
    const message = document.createElement("p");
    message.id = "message";
    message.textContent = text;
    document.body.append(message);
    report("failed", number);
}

function isFlashMovie(bytes) {
    if (bytes.byteLength < 8)
        return false;
    const signature = String.fromCharCode(...new Uint8Array(bytes, 0, 3));
    return signature === "FWS" || signature === "CWS" || signature === "ZWS";
}

function objectUrl(path) {
    return new URL("/object" + path.split("/").map(encodeURIComponent).join("/"),
                   document.baseURI).href;
}

async function playMovie(path, number) {
    let bytes;
    try {
        bytes = (await readBytes(objectUrl(path))).response;
    } catch (error) {
        showMessage("The movie cannot be read.", number);
        return;
    }
    if (number !== current)
        return;
    if (!isFlashMovie(bytes)) {
        showMessage("This file is not a Flash movie.", number);
        return;
    }
    const ruffle = window.RufflePlayer.newest && window.RufflePlayer.newest();
    if (!ruffle) {
        showMessage("The Flash player is missing from this installation.", number);
        return;
    }
    const player = ruffle.createPlayer();
    player.id = "player";
    document.body.append(player);
    // Ruffle does not report a movie it gives up on; one that shows nothing
    // of itself in this time is taken as one it cannot play.
    const giveUp = setTimeout(() => showMessage("This movie cannot be played.", number), 20000);
    // Ruffle reports the header of a movie whose body it then fails to read
    // as if all were well; a stage without size, or a plain movie shorter
    // than its header says, is one it cannot play.
    player.addEventListener("loadedmetadata", () => {
        clearTimeout(giveUp);
        const metadata = player.ruffle().metadata;
        const signature = String.fromCharCode(new Uint8Array(bytes)[0]);
        const whole = signature !== "F" || metadata.uncompressedLength <= bytes.byteLength;
        if (!(metadata.width > 0 && metadata.height > 0 && metadata.numFrames > 0 && whole)) {
            showMessage("This movie cannot be played.", number);
            return;
        }
        reportDrawn("playing", number);
    });
    try {
        await player.ruffle().load({data: bytes});
    } catch (error) {
        clearTimeout(giveUp);
        showMessage("This movie cannot be played.", number);
    }
}

function showPicture(path, number) {
    const picture = document.createElement("img");
    picture.id = "picture";
    picture.alt = "";
    picture.onload = () => reportDrawn("showing", number);
    picture.onerror = () => showMessage("The picture cannot be shown.", number);
    picture.src = objectUrl(path);
    document.body.append(picture);
}

window.quorvane = {
    show(path, movie, number) {
        current = number;
        clearPage();
        report("loading", number);
        if (movie)
            playMovie(path, number);
        else
            showPicture(path, number);
    },
    stop(number) {
        current = number;
        clearPage();
        report("stopped", number);
    },
    fail(number, text) {
        current = number;
        showMessage(text, number);
    },
};

// A movie of one empty frame, played once while nobody looks: Ruffle fetches
// and compiles its core then, and every movie after starts at once.
const kWarmUpMovie = new Uint8Array([
    0x46, 0x57, 0x53, 0x08, 0x19, 0x00, 0x00, 0x00, 0x30, 0x0a, 0x00, 0xa0,
    0x00, 0x0c, 0x01, 0x00, 0x43, 0x02, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00,
    0x00]);

async function warmUp() {
    const ruffle = window.RufflePlayer.newest && window.RufflePlayer.newest();
    if (ruffle) {
        const player = ruffle.createPlayer();
        player.style.visibility = "hidden";
        document.body.append(player);
        await new Promise((resolve) => {
            player.addEventListener("loadedmetadata", resolve);
            player.ruffle().load({data: kWarmUpMovie.buffer}).catch(resolve);
            setTimeout(resolve, 20000);
        });
        player.remove();
    }
    if (current === 0)
        document.title = "ready 0";
}

window.addEventListener("DOMContentLoaded", warmUp);
