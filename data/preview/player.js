"use strict";

// The preview's Flash player page. It reads the movie named in its query
// itself, makes sure it is a Flash movie, and hands the bytes to Ruffle.
// Everything it loads comes from the preview's own scheme.

// Qt 6.4 refuses fetch() on a custom scheme but lets XMLHttpRequest through,
// so Ruffle's own fetches (its core and the .wasm) are answered by XHR.
function readBytes(url) {
    return new Promise((resolve, reject) => {
        const request = new XMLHttpRequest();
        request.open("GET", url);
        request.responseType = "arraybuffer";
        request.onload = () => {
            if (request.status !== 0 && request.status !== 200)
                reject(new TypeError("cannot read " + url));
            else
                resolve(request);
        };
        request.onerror = () => reject(new TypeError("cannot read " + url));
        request.send();
    });
}

window.fetch = async (resource) => {
    const url = new URL(resource instanceof Request ? resource.url : String(resource),
                        document.baseURI).href;
    const request = await readBytes(url);
    const type = request.getResponseHeader("Content-Type") || "application/octet-stream";
    return new Response(request.response, {status: 200, headers: {"Content-Type": type}});
};

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

// A movie that cannot be played leaves a sentence in the view, never a blank
// page; the title tells the program what became of the movie.
function showMessage(text) {
    document.body.textContent = "";
    const message = document.createElement("p");
    message.id = "message";
    message.textContent = text;
    document.body.append(message);
    document.title = "failed";
}

function isFlashMovie(bytes) {
    if (bytes.byteLength < 8)
        return false;
    const signature = String.fromCharCode(...new Uint8Array(bytes, 0, 3));
    return signature === "FWS" || signature === "CWS" || signature === "ZWS";
}

async function play() {
    const movie = new URLSearchParams(location.search).get("movie");
    if (!movie) {
        showMessage("No movie was named.");
        return;
    }
    let bytes;
    try {
        const path = movie.split("/").map(encodeURIComponent).join("/");
        bytes = (await readBytes(new URL(path, document.baseURI).href)).response;
    } catch (error) {
        showMessage("The movie cannot be read.");
        return;
    }
    if (!isFlashMovie(bytes)) {
        showMessage("This file is not a Flash movie.");
        return;
    }
    const ruffle = window.RufflePlayer.newest && window.RufflePlayer.newest();
    if (!ruffle) {
        showMessage("The Flash player is missing from this installation.");
        return;
    }
    const player = ruffle.createPlayer();
    player.id = "player";
    document.body.append(player);
    // Ruffle does not report a movie it gives up on; one that shows nothing
    // of itself in this time is taken as one it cannot play.
    const giveUp = setTimeout(() => showMessage("This movie cannot be played."), 20000);
    // Ruffle reports the header of a movie whose body it then fails to read
    // as if all were well; a stage without size, or a plain movie shorter
    // than its header says, is one it cannot play.
    player.addEventListener("loadedmetadata", () => {
        clearTimeout(giveUp);
        const metadata = player.ruffle().metadata;
        const signature = String.fromCharCode(new Uint8Array(bytes)[0]);
        const whole = signature !== "F" || metadata.uncompressedLength <= bytes.byteLength;
        if (!(metadata.width > 0 && metadata.height > 0 && metadata.numFrames > 0 && whole)) {
            player.remove();
            showMessage("This movie cannot be played.");
            return;
        }
        document.title = "playing";
    });
    try {
        await player.ruffle().load({data: bytes});
    } catch (error) {
        clearTimeout(giveUp);
        showMessage("This movie cannot be played.");
    }
}

window.addEventListener("DOMContentLoaded", play);
