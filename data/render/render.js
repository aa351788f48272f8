"use strict";

// The page the renderer plays a movie in, one frame at a time. The player's
// clock is this page's: requestAnimationFrame callbacks run only when the
// program steps the clock by one frame interval, and performance.now() and
// Date.now() read the stepped time. So every frame is drawn at exactly its
// time, however long drawing it takes. The movie's sound is not played here
// (the program takes it from the movie's own tags), so the player gets no
// audio context: its sound never sets its pace.

let clock = 0; // milliseconds since the page started
let nextCallback = 1;
let callbacks = new Map();
const epoch = Date.now();

window.requestAnimationFrame = (callback) => {
    const id = nextCallback++;
    callbacks.set(id, callback);
    return id;
};
window.cancelAnimationFrame = (id) => callbacks.delete(id);
Object.defineProperty(performance, "now", {value: () => clock});
Date.now = () => epoch + Math.floor(clock);
window.AudioContext = undefined;
window.webkitAudioContext = undefined;
// The page is never on a screen; the player must not take it for a hidden
// tab and tick on a timer of its own.
Object.defineProperty(document, "hidden", {get: () => false});
Object.defineProperty(document, "visibilityState", {get: () => "visible"});

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
    letterbox: "off",
    warnOnUnsupportedContent: false,
    showSwfDownload: false,
    logLevel: "error",
    quality: "high",
};

// Counts what the player draws, so the first picture is known to be its
// own and not the empty canvas.
let draws = 0;
for (const name of ["fillRect", "fill", "drawImage", "putImageData", "stroke"]) {
    const original = CanvasRenderingContext2D.prototype[name];
    CanvasRenderingContext2D.prototype[name] = function (...args) {
        if (this.canvas !== copy)
            ++draws;
        return original.apply(this, args);
    };
}

let player = null;
let copy = null;     // the 2D canvas each frame is copied into to be read
let interval = 0;    // milliseconds per frame of the movie being rendered
let picture = null;  // the last frame read, until the program takes it
let reports = 0;

// Tells the program, through the page's title, that something it waits for
// happened: "<word> <count>", a new count each time.
function report(word) {
    document.title = word + " " + ++reports;
}

function playerCanvas() {
    return player && player.shadowRoot ? player.shadowRoot.querySelector("canvas") : null;
}

// The player asks for its next frame at the end of each; until it has, the
// clock must not move, or the time would count twice in its next frame.
async function waitForPlayer() {
    for (let i = 0; callbacks.size === 0; ++i) {
        if (i > 2000)
            throw new Error("the player stopped");
        await new Promise((resolve) => setTimeout(resolve, 1));
    }
}

function runCallbacks() {
    const due = callbacks;
    callbacks = new Map();
    for (const callback of due.values())
        callback(clock);
}

function readPicture() {
    const canvas = playerCanvas();
    const context = copy.getContext("2d", {willReadFrequently: true});
    context.fillStyle = "#000";
    context.fillRect(0, 0, copy.width, copy.height);
    if (canvas)
        context.drawImage(canvas, 0, 0, copy.width, copy.height);
    picture = context.getImageData(0, 0, copy.width, copy.height).data.buffer;
}

async function load(url, width, height, rate) {
    const ruffle = window.RufflePlayer.newest && window.RufflePlayer.newest();
    if (!ruffle)
        return "The Flash player is missing from this installation.";
    let bytes;
    try {
        bytes = (await readBytes(url)).response;
    } catch (error) {
        return "The movie cannot be read.";
    }
    // A step a little longer than the frame: the player runs a frame when
    // the time it has been given reaches the frame's, and a sum of rounded
    // steps must never fall just short of it.
    interval = 1000 / rate + 1e-6;
    // A new player counts its first frame's time from the page's start.
    clock = 0;
    player = ruffle.createPlayer();
    player.style.width = width + "px";
    player.style.height = height + "px";
    document.body.append(player);
    copy = document.createElement("canvas");
    copy.width = width;
    copy.height = height;
    const loaded = new Promise((resolve) => {
        player.addEventListener("loadedmetadata", () => resolve(""));
        setTimeout(() => resolve("This movie cannot be played."), 30000);
    });
    try {
        await player.ruffle().load({data: bytes});
    } catch (error) {
        return "This movie cannot be played.";
    }
    const failure = await loaded;
    if (failure)
        return failure;
    // Ruffle reports the header of a movie whose body it then fails to read
    // as if all were well: a stage without size, or a plain movie shorter
    // than its header says, is one it cannot play.
    const metadata = player.ruffle().metadata;
    const plain = String.fromCharCode(new Uint8Array(bytes)[0]) === "F";
    if (!(metadata.width > 0 && metadata.height > 0 && metadata.numFrames > 0) ||
        (plain && metadata.uncompressedLength > bytes.byteLength))
        return "This movie cannot be played.";
    // Let the player settle without time passing: it reads the movie and
    // draws its empty stage.
    let quiet = 0;
    for (let i = 0; i < 200 && quiet < 3; ++i) {
        await waitForPlayer();
        const before = draws;
        runCallbacks();
        quiet = draws === before ? quiet + 1 : 0;
    }
    // Then one frame interval at a time until it draws: the movie's first
    // frame. While it is still reading the movie, the player lets the time
    // go by without counting it.
    for (let i = 0; i < 600; ++i) {
        await waitForPlayer();
        clock += interval;
        const before = draws;
        runCallbacks();
        if (draws > before) {
            readPicture();
            return "";
        }
    }
    return "This movie cannot be played.";
}

window.quorvane = {
    // Loads the movie at url and draws its first frame; reports "frame" when
    // the picture is ready, or "failed" (the reason in failure).
    failure: "",
    load(url, width, height, rate) {
        this.unload();
        load(url, width, height, rate)
            .then((failure) => {
                this.failure = failure;
                report(failure ? "failed" : "frame");
            })
            .catch(() => {
                this.failure = "This movie cannot be played.";
                report("failed");
            });
    },
    // Moves the clock on by one frame interval; reports "frame" when the
    // player has drawn the next frame (or kept the last one).
    step() {
        waitForPlayer()
            .then(() => {
                clock += interval;
                runCallbacks();
                readPicture();
                report("frame");
            })
            .catch(() => {
                this.failure = "This movie cannot be played.";
                report("failed");
            });
    },
    // The last frame's RGBA bytes, once.
    take() {
        const taken = picture;
        picture = null;
        return taken;
    },
    unload() {
        if (player)
            player.remove();
        player = null;
        picture = null;
        callbacks = new Map();
    },
};
