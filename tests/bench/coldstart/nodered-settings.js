// Settings of the heavy web application the cold-start benchmark shows: the flow editor from npm
// (.deps/node-red, installed by scripts/setup.sh --bench), serving as a stand-in controller on
// port 80 of CS_APP_IP. Everything it writes goes under CS_APP_DIR.
//
//   CS_APP_IP   address to listen on (a controller's address in the private test network)
//   CS_APP_DIR  working folder: flows, the static folder with /tqsettings.json, the logs
//   CS_APP_LOG  one JSON line per request as it arrives: time, method, path, script (made by
//               the page's scripts: an XMLHttpRequest/fetch marked by the editor, or a WebSocket)
//   CS_APP_READY  written once the server listens
const fs = require("fs");
const http = require("http");
const path = require("path");

const dir = process.env.CS_APP_DIR;
const log = fs.openSync(process.env.CS_APP_LOG, "a");
const staticDir = path.join(dir, "static");
fs.mkdirSync(staticDir, { recursive: true });
fs.writeFileSync(path.join(staticDir, "tqsettings.json"), '{"name": "Boiler room"}\n');
// Three tabs of 48 nodes; twelve inject every second, so the editor gets live status and debug
// messages over its WebSocket. A copy: the editor may write its flows back.
const flows = path.join(dir, "flows.json");
fs.copyFileSync(path.join(__dirname, "nodered-flows.json"), flows);

// Logged at arrival, before the application sees the request: the time the client asked.
const emit = http.Server.prototype.emit;
http.Server.prototype.emit = function (event, req) {
    if (event === "request" || event === "upgrade") {
        const h = req.headers;
        const script = event === "upgrade" || h["x-requested-with"] === "XMLHttpRequest"
            || "node-red-api-version" in h;
        fs.writeSync(log, JSON.stringify({ time: Date.now() / 1000, kind: "http", method: req.method,
            path: req.url, script: script, upgrade: event === "upgrade" }) + "\n");
    } else if (event === "listening" && process.env.CS_APP_READY) {
        fs.writeFileSync(process.env.CS_APP_READY, "ready\n");
    }
    return emit.apply(this, arguments);
};

module.exports = {
    uiHost: process.env.CS_APP_IP,
    uiPort: 80,
    userDir: dir,
    flowFile: flows,
    httpStatic: staticDir,
    // Release 3.0.2 (setup.sh) parses in Qt 5.15's web engine, a Chromium 87 core: the 3.1
    // releases fetch a diagram renderer written with class static blocks, which it does not
    // parse. One uncaught TypeError is left at start; the editor loads its flows and opens its
    // WebSocket all the same. The tour would cover the page on every cold start.
    editorTheme: {
        tours: false,
        projects: { enabled: false },
    },
    telemetry: { enabled: false },
    diagnostics: { enabled: false },
    logging: { console: { level: "warn", metrics: false, audit: false } },
    exportGlobalContextKeys: false,
    externalModules: { autoInstall: false, palette: { allowInstall: false } },
};
