// Puts the page into one file: the engine's WebAssembly in base64 in an
// element the page reads once and then drops, the engine's JavaScript and
// the worker's script as the worker's source, the page's script after it.
//
// usage: node assemble.mjs ENGINE.js ENGINE.wasm WORKER.js MAIN.js OUT.html
import { readFileSync, writeFileSync } from "node:fs";

const [engine, wasm, worker, main, out] = process.argv.slice(2);
const template = readFileSync(new URL("./index.html", import.meta.url), "utf8");
const workerSource = readFileSync(engine, "utf8") + "\n" + readFileSync(worker, "utf8");
// Inside a <script> element "</script" must not appear, nor "<!--".
const literal = JSON.stringify(workerSource).replace(/<\/script/gi, "<\\/script").replace(/<!--/g, "<\\!--");
const script = readFileSync(main, "utf8").replace(/<\/script/gi, "<\\/script");
const page = template.replace(
    "<!--SCRIPT-->",
    () =>
        `<script type="application/octet-stream" id="engine-wasm">${readFileSync(wasm).toString("base64")}</script>\n` +
        `<script>const QUORVEL_WORKER_SOURCE = ${literal};\n${script}</script>`,
);
writeFileSync(out, page);
