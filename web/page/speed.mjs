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

// The resident memory of the process that renders the page (the page and
// its worker run in one), in MiB: the largest renderer besides the one of
// the browser's own interface; the others are spare renderers holding no page.
function browserMiB() {
    const pids = execFileSync("pgrep", ["-f", "chromium.*--type=renderer"], { encoding: "utf8" }).trim().split("\n");
    let kib = 0;
    for (const one of pids) {
        try {
            if (readFileSync(`/proc/${one}/cmdline`, "utf8").includes("--top-chrome-webui")) continue;
            const status = readFileSync(`/proc/${one}/status`, "utf8");
            kib = Math.max(kib, Number(/VmRSS:\s+(\d+)/.exec(status)?.[1] ?? 0));
        } catch {
            /* gone meanwhile */
        }
    }
    return kib / 1024;
}

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
const loadedMiB = browserMiB();
// Opened as an author opens it, through the folder input: the browser reads the files.
const input = await page.$("#folder-input");
await input.uploadFile(scenario);
await page.waitForFunction(() => document.getElementById("status").textContent.startsWith("開きました"), { timeout: 120000 });
const openedMiB = browserMiB();
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
        menuPeak = Math.max(menuPeak, browserMiB());
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
        scriptPeak = Math.max(scriptPeak, browserMiB());
    }
}
console.log(`${"command".padEnd(24)}${"cli ms".padStart(9)}${"page ms".padStart(9)}${"ratio".padStart(7)}${"menu ms".padStart(9)}${"ratio".padStart(7)}`);
for (const command of commands) {
    const [c, p, m] = [median(cliTimes[command]), median(pageTimes[command]), median(menuTimes[command])];
    console.log(`${command.padEnd(24)}${c.toFixed(1).padStart(9)}${p.toFixed(1).padStart(9)}${(p / c).toFixed(2).padStart(7)}` +
        `${m.toFixed(1).padStart(9)}${(m / c).toFixed(2).padStart(7)}`);
}
console.log(`the page's renderer process: ${loadedMiB.toFixed(0)} MiB loaded, ${openedMiB.toFixed(0)} MiB with the scenario open, ` +
    `at most ${menuPeak.toFixed(0)} MiB over every command from the menus, ${scriptPeak.toFixed(0)} MiB once scripts took whole answers`);
console.log(`the engine's memory: ${((await page.evaluate(() => window.quorvel.engineMemory())) / 1048576).toFixed(0)} MiB`);
await browser.close();
