// Times every folder command of the page in headless Chromium against
// quorvel-cli on the same scenario, and the browser's memory meanwhile.
//
// usage: node web/page/speed.mjs PAGE CLI SCENARIO-FOLDER [RUNS]
import { execFileSync, spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const [pagePath, cli, scenario, runsText] = process.argv.slice(2);
const runs = Number(runsText ?? 5);
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The process that renders the page (the page and its worker run in one):
// the largest renderer besides the one of the browser's own interface; the
// others are spare renderers holding no page.
function rendererPid() {
    const pids = execFileSync("pgrep", ["-f", "chromium.*--type=renderer"], { encoding: "utf8" }).trim().split("\n");
    let largest = { pid: 0, kib: 0 };
    for (const pid of pids) {
        try {
            if (readFileSync(`/proc/${pid}/cmdline`, "utf8").includes("--top-chrome-webui")) continue;
            const kib = Number(/VmRSS:\s+(\d+)/.exec(readFileSync(`/proc/${pid}/status`, "utf8"))?.[1] ?? 0);
            if (kib > largest.kib) largest = { pid: Number(pid), kib };
        } catch {
            /* gone meanwhile */
        }
    }
    return largest;
}

// The page's memory, in MiB, as Chrome counts it in its task manager and
// memory dumps (the renderer's private footprint: what it alone holds), and
// as resident memory, which adds the pages of Chromium's own code that
// every renderer and the browser share (about 120 MiB for a blank page here).
async function pageMiB(browser) {
    const { pid, kib } = rendererPid();
    const session = await browser.target().createCDPSession();
    const values = [];
    session.on("Tracing.dataCollected", (event) => values.push(...event.value));
    const complete = new Promise((done) => session.once("Tracing.tracingComplete", done));
    await session.send("Tracing.start", {
        traceConfig: { includedCategories: ["disabled-by-default-memory-infra"], memoryDumpConfig: { triggers: [] } },
        transferMode: "ReportEvents",
    });
    await session.send("Tracing.requestMemoryDump", { deterministic: false, levelOfDetail: "background" });
    await session.send("Tracing.end");
    await complete;
    await session.detach();
    const totals = values.find((event) => event.pid === pid && event.args?.dumps?.process_totals)?.args.dumps.process_totals;
    return { footprint: parseInt(totals?.private_footprint_bytes ?? "0", 16) / 1048576, resident: kib / 1024 };
}

const atMost = (a, b) => ({ footprint: Math.max(a.footprint, b.footprint), resident: Math.max(a.resident, b.resident) });
const shown = ({ footprint, resident }) => `${footprint.toFixed(0)} MiB (resident ${resident.toFixed(0)})`;

// The command table's commands: the help lists them before the text search,
// whose options and kinds of text follow it.
const listed = execFileSync(cli, ["--help"], { encoding: "utf8" })
    .split("\n")
    .filter((line) => /^  [a-z-]+  /.test(line))
    .map((line) => line.trim().split(/\s+/)[0]);
const commands = listed.slice(0, listed.indexOf("text")).filter((name) => name !== "link" && name !== "check");
const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true, args: ["--no-sandbox"] });
const page = await browser.newPage();
await page.goto(pathToFileURL(pagePath).href);
await page.evaluate(() => window.quorvel.ready);
const loadedMiB = await pageMiB(browser);
// Opened as an author opens it, through the folder input: the browser reads the files.
const input = await page.$("#folder-input");
await input.uploadFile(scenario);
await page.waitForFunction(() => document.getElementById("status").textContent.startsWith("開きました"), { timeout: 120000 });
const openedMiB = await pageMiB(browser);
// "menu": from a click on the menu item to the lists and the status line
// shown, what an author waits for; "page": window.quorvel.run, which also
// hands back the whole JSON as quorvel-cli prints it. Every command runs from
// the menus first, so that the memory an author's session holds is seen
// apart from the whole answers handed to a script.
const timesOf = () => Object.fromEntries(commands.map((command) => [command, []]));
const cliTimes = timesOf();
const menuTimes = timesOf();
const pageTimes = timesOf();
let menuPeak = openedMiB;
for (const command of commands) {
    for (let i = 0; i < runs; ++i) {
        const start = process.hrtime.bigint();
        spawnSync(cli, ["--json", command, scenario], { maxBuffer: 1 << 29 });
        cliTimes[command].push(Number(process.hrtime.bigint() - start) / 1e6);
        menuTimes[command].push(
            await page.evaluate(async (command) => {
                const status = document.getElementById("status");
                document.getElementById("status").textContent = "";
                const start = performance.now();
                document.querySelector(`[data-command="${command}"]`).click();
                while (status.textContent === "" || status.textContent.includes("実行中"))
                    await new Promise((next) => setTimeout(next, 0));
                return performance.now() - start;
            }, command),
        );
        menuPeak = atMost(menuPeak, await pageMiB(browser));
    }
}
let scriptPeak = menuPeak;
for (const command of commands) {
    for (let i = 0; i < runs; ++i) {
        pageTimes[command].push(
            await page.evaluate(async (command) => {
                const start = performance.now();
                await window.quorvel.run(command, 0, "");
                return performance.now() - start;
            }, command),
        );
        scriptPeak = atMost(scriptPeak, await pageMiB(browser));
    }
}
console.log(`${"command".padEnd(24)}${"cli ms".padStart(9)}${"page ms".padStart(9)}${"ratio".padStart(7)}${"menu ms".padStart(9)}${"ratio".padStart(7)}`);
for (const command of commands) {
    const [c, p, m] = [median(cliTimes[command]), median(pageTimes[command]), median(menuTimes[command])];
    console.log(`${command.padEnd(24)}${c.toFixed(1).padStart(9)}${p.toFixed(1).padStart(9)}${(p / c).toFixed(2).padStart(7)}` +
        `${m.toFixed(1).padStart(9)}${(m / c).toFixed(2).padStart(7)}`);
}
console.log(`the page's memory (its renderer's private footprint): ${shown(loadedMiB)} loaded, ${shown(openedMiB)} with the scenario open, ` +
    `at most ${shown(menuPeak)} over every command from the menus, ${shown(scriptPeak)} once scripts took whole answers`);
console.log(`the engine's memory: ${((await page.evaluate(() => window.quorvel.engineMemory())) / 1048576).toFixed(0)} MiB`);
await browser.close();
