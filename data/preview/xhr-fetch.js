"use strict";

// Reading through the program's own URL scheme, shared by the preview's page
// and the renderer's. Qt 6.4 refuses fetch() on a custom scheme but lets
// XMLHttpRequest through, so Ruffle's own fetches (its core and the .wasm)
// are answered by XHR.
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
