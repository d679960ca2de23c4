// Puts the page into one file: the engine module (its WebAssembly inside)
// and the worker's script as the worker's source, the page's script after it.
//
// usage: node assemble.mjs ENGINE.js WORKER.js MAIN.js OUT.html
import { readFileSync, writeFileSync } from "node:fs";

const [engine, worker, main, out] = process.argv.slice(2);
const template = readFileSync(new URL("./index.html", import.meta.url), "utf8");
const workerSource = readFileSync(engine, "utf8") + "\n" + readFileSync(worker, "utf8");
// Inside a <script> element "</script" must not appear, nor "<!--".
const literal = JSON.stringify(workerSource).replace(/<\/script/gi, "<\\/script").replace(/<!--/g, "<\\!--");
const script = readFileSync(main, "utf8").replace(/<\/script/gi, "<\\/script");
const page = template.replace(
    "<!--SCRIPT-->",
    () => `<script>const QUORVEL_WORKER_SOURCE = ${literal};\n${script}</script>`,
);
writeFileSync(out, page);
