// Opens build/web/quorvel.html from disk in Debian's Chromium and checks
// that the page answers every command exactly as quorvel-cli --json does,
// through its script interface and through its menus, lists and file
// inputs, without a single network request.
//
// usage: node web/page/browser-test.mjs PAGE CLI DEMO-FOLDER SCREENSHOT
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { cpSync, existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, relative } from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const [page_, cli, demo, screenshot] = process.argv.slice(2);
const failures = [];
let checks = 0;

async function check(name, body) {
    try {
        await body();
        ++checks;
        console.log(`ok    ${name}`);
    } catch (error) {
        failures.push(name);
        console.log(`FAIL  ${name}\n${String(error.stack ?? error).split("\n").slice(0, 8).join("\n")}`);
    }
}

function cliJson(args) {
    try {
        return execFileSync(cli, ["--json", ...args], { encoding: "utf8", maxBuffer: 1 << 28 });
    } catch (failed) {
        return failed.stdout; // a command that raised a message exits 1 after printing its answer
    }
}

function filesBelow(folder) {
    const found = [];
    for (const name of readdirSync(folder)) {
        const path = join(folder, name);
        if (statSync(path).isDirectory()) found.push(...filesBelow(path));
        else found.push(path);
    }
    return found;
}

// A scenario as the page's open() takes it: paths relative to its folder.
function scenarioFiles(path) {
    if (statSync(path).isFile()) return [{ path: path.split("/").pop(), base64: readFileSync(path).toString("base64") }];
    return filesBelow(path).map((file) => ({ path: relative(path, file), base64: readFileSync(file).toString("base64") }));
}

const commands = execFileSync(cli, ["--help"], { encoding: "utf8" })
    .split("\n")
    .filter((line) => /^  [a-z][a-z-]*  /.test(line))
    .map((line) => line.trim().split(/\s+/)[0])
    .filter((name) => name !== "check" && name !== "text"); // all five checks at once: quorvel-cli's own; text takes a pattern

const openIn = (page, files) =>
    page.evaluate(
        (files) =>
            window.quorvel.open(
                files.map((file) => ({ path: file.path, bytes: Uint8Array.from(atob(file.base64), (c) => c.charCodeAt(0)) })),
            ),
        files,
    );
const runIn = (page, command, sort, dataFile) =>
    page.evaluate((command, sort, dataFile) => window.quorvel.run(command, sort, dataFile), command, sort, dataFile);

// Every command on the demo in each form, through the script interface, at two sorts.
async function answersAsTheCliDoes(page, browserName) {
    for (const form of ["Demo", "DemoXml", "Demo.wsn"]) {
        await check(`${browserName}every command answers the ${form} scenario as quorvel-cli --json does`, async () => {
            const scenario = join(demo, form);
            await openIn(page, scenarioFiles(scenario));
            for (const command of commands.filter((name) => name !== "link"))
                for (const sort of [0, 3])
                    assert.equal(await runIn(page, command, sort, ""), cliJson(["--sort", String(sort), command, scenario]),
                        `${command} --sort ${sort}`);
        });
    }
}

const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu"],
});
const requests = [];
try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1280, height: 720 });
    page.on("request", (request) => requests.push(request.url()));
    page.on("pageerror", (error) => console.log(`page error: ${error.message}`));
    const url = pathToFileURL(page_).href;
    await page.goto(url);
    await page.evaluate(() => window.quorvel.ready);

    const openInPage = (files) => openIn(page, files);
    const runInPage = (command, sort, dataFile) => runIn(page, command, sort, dataFile);

    await answersAsTheCliDoes(page, "");

    await check("the text search answers as quorvel-cli text does, with its options and kinds", async () => {
        for (const form of ["Demo", "DemoXml", "Demo.wsn"]) {
            const scenario = join(demo, form);
            await openInPage(scenarioFiles(scenario));
            for (const [search, args] of [
                [{ pattern: "港" }, ["text", "港"]],
                [{ pattern: "ﾗﾝﾀﾝ" }, ["text", "ﾗﾝﾀﾝ"]],
                [{ pattern: "の.", options: "regex", kinds: "variable,title" }, ["--regex", "--in", "variable,title", "text", "の."]],
                [{ pattern: "港町", options: "case,whole" }, ["--case", "--whole", "text", "港町"]],
            ]) {
                const answer = await runInPage("text", 3, search);
                assert.equal(answer, cliJson(["--sort", "3", ...args, scenario]), `${form}: ${args.join(" ")}`);
                assert.notEqual(JSON.parse(answer).names.length, 0, `${form}: ${args.join(" ")} finds something`);
            }
        }
    });

    await check("the search bar's 対象 lists the engine's kinds of text and searches only those checked", async () => {
        const scenario = join(demo, "Demo");
        await openInPage(scenarioFiles(scenario));
        await page.evaluate(() => {
            document.getElementById("textbar").hidden = false;
            document.getElementById("text-kinds").open = true;
        });
        const kinds = await page.$$eval("#text-kinds-list input", (boxes) => boxes.map((box) => box.value));
        assert.deepEqual(kinds.slice(0, 3), ["貼紙", "シナリオ名", "作者"]);
        const titles = ["エリア名", "バトル名", "パッケージ名"];
        await page.$$eval("#text-kinds-list input", (boxes, kept) => boxes.forEach((box) => kept.includes(box.value) || box.click()), titles);
        await page.$eval("#text-pattern", (field) => { field.value = "の"; });
        await page.click("#text-search");
        await page.waitForFunction(() => document.getElementById("status").textContent.startsWith("テキスト「の」"));
        const expected = JSON.parse(cliJson(["--in", titles.join(","), "text", "の", scenario]));
        const places = expected.names.reduce((sum, name) => sum + name.rows.length, 0);
        const status = await page.$eval("#status", (line) => line.textContent);
        assert.ok(status.startsWith(`テキスト「の」: ${expected.names.length} 件、${places} 箇所`), status);
        await page.$$eval("#text-kinds-list input", (boxes) => boxes.forEach((box) => box.checked || box.click()));
        await page.evaluate(() => {
            document.getElementById("text-kinds").open = false;
            document.getElementById("textbar").hidden = true;
        });
    });

    await check("the link search reads one data file of a folder and of an archive", async () => {
        await openInPage(scenarioFiles(join(demo, "DemoXml")));
        assert.equal(await runInPage("link", 0, "Area/Area1.xml"), cliJson(["link", join(demo, "DemoXml", "Area", "Area1.xml")]));
        // An archive given with a folder in its path is opened all the same.
        await openInPage(scenarioFiles(join(demo, "Demo.wsn")).map((file) => ({ ...file, path: `downloads/${file.path}` })));
        assert.equal(await runInPage("link", 0, "Area/Area1.xml"), cliJson(["link", join(demo, "Demo.wsn"), "Area/Area1.xml"]));
    });

    await check("an archive picked with the file input is opened, and the menus run a command", async () => {
        const input = await page.$("#file-input");
        await input.uploadFile(join(demo, "Demo.wsn"));
        await page.waitForFunction(() => document.getElementById("status").textContent.startsWith("開きました: Demo.wsn"));
        await page.click(".menu[data-key=S] > .title");
        await page.click("[data-command=flag]");
        await page.waitForFunction(() => document.getElementById("status").textContent.startsWith("フラグ:"));
        const names = await page.$$eval(".names .line", (lines) => lines.map((line) => line.textContent));
        const expected = JSON.parse(cliJson(["flag", join(demo, "Demo.wsn")])).names;
        assert.deepEqual(names, expected.map((name) => name.name).slice(0, names.length));
        const used = expected.findIndex((name) => name.rows.length > 1);
        await page.click(`.names .line[data-index="${used}"]`);
        await page.waitForFunction((count) => document.querySelectorAll(".rows .line").length === count, {}, expected[used].rows.length);
        const shown = await page.$$eval(".rows .line", (lines) => lines.map((line) => [...line.children].slice(1).map((cell) => cell.title)));
        assert.deepEqual(shown, expected[used].rows);
        await page.screenshot({ path: screenshot });
    });

    await check("every command run from its menu saves the JSON quorvel-cli --json prints", async () => {
        const downloads = mkdtempSync(join(tmpdir(), "quorvel-saved-"));
        const session = await page.createCDPSession();
        await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
        const wsn = join(demo, "Demo.wsn");
        const menuOf = await page.$$eval("[data-command]", (items) =>
            Object.fromEntries(items.map((item) => [item.dataset.command, item.closest(".menu").dataset.key])));
        for (const command of commands) {
            await page.click(`.menu[data-key=${menuOf[command]}] > .title`);
            await page.click(`[data-command=${command}]`);
            let expected;
            if (command === "link") {
                await page.waitForFunction(() => document.getElementById("choose").open);
                await page.$$eval("#choose-list button", (buttons) => buttons.find((b) => b.textContent === "Area/Area1.xml").click());
                expected = cliJson(["link", wsn, "Area/Area1.xml"]);
            } else {
                expected = cliJson([command, wsn]);
            }
            await page.waitForFunction(() => !document.getElementById("status").textContent.includes("実行中"));
            await page.waitForFunction((command) => document.querySelector("#status").textContent !== "" , {}, command);
            while (await page.$eval("#message", (box) => box.open)) await page.click("#message button");
            const saved = join(downloads, `${command}.json`);
            rmSync(saved, { force: true });
            await page.click(".menu[data-key=F] > .title");
            await page.$$eval(".menu[data-key=F] .item", (items) => items.find((item) => item.textContent.includes("JSON")).click());
            for (let wait = 0; wait < 100 && !existsSync(saved); ++wait) await new Promise((done) => setTimeout(done, 50));
            assert.equal(readFileSync(saved, "utf8"), expected, command);
        }
        rmSync(downloads, { recursive: true, force: true });
        await page.click(".menu[data-key=S] > .title");
        await page.click("[data-command=flag]");
        await page.waitForFunction(() => document.getElementById("status").textContent.startsWith("フラグ:"));
    });

    await check("the filter keeps the names holding the text, full and half width alike", async () => {
        await page.click("#filter");
        await page.keyboard.type("灯");
        await page.waitForFunction(() => document.getElementById("filter-count").textContent.startsWith("表示 "));
        const names = await page.$$eval(".names .line", (lines) => lines.map((line) => line.textContent));
        assert.ok(names.length > 0 && names.every((name) => name.includes("灯")), names.join(","));
        await page.keyboard.press("Escape");
        await page.waitForFunction(() => document.getElementById("filter-count").textContent === "");
    });

    await check("a click on a column header sorts the rows as quorvel-cli --sort does", async () => {
        await page.click("#header span:nth-child(3)");
        const answer = JSON.parse(cliJson(["--sort", "2", "flag", join(demo, "Demo.wsn")])).names;
        const expected = answer.find((name) => name.rows.length > 1).rows;
        await page.waitForFunction(
            (first) => document.querySelector(".rows .line span:nth-child(3)")?.textContent === first,
            {},
            expected[0][1],
        );
        await page.click("#header span:nth-child(1)"); // the number column: filing order again
    });

    await check("a folder without a summary opens and says what it lacks", async () => {
        await openInPage(scenarioFiles(join(demo, "Demo")).filter((file) => file.path !== "Summary.wsm"));
        assert.equal(await page.$eval("#status", (status) => status.textContent),
            "開きました: scenario、このフォルダには Summary.wsm がありません (フラグとステップは検索できません)");
        assert.equal(await runInPage("item", 0, ""), cliJson(["item", join(demo, "Demo")]));
    });

    await check("Esc stops a running command, and the worker that replaces it answers as quorvel-cli does", async () => {
        const scenario = join(demo, "DemoXml");
        await openInPage(scenarioFiles(scenario));
        await page.evaluate(async () => {
            const status = document.getElementById("status");
            document.querySelector("[data-command=flag]").click();
            // Pressed before the worker can answer: its reply would come as a task, after these microtasks.
            while (!status.textContent.includes("実行中")) await Promise.resolve();
            document.dispatchEvent(new KeyboardEvent("keydown", { key: "Escape", code: "Escape", bubbles: true }));
        });
        await page.waitForFunction(() => document.getElementById("status").textContent === "中止しました");
        assert.equal(await runInPage("step", 0, ""), cliJson(["--sort", "0", "step", scenario]));
    });

    await check("a damaged data file raises the desktop's message in the page's own box", async () => {
        const folder = mkdtempSync(join(tmpdir(), "quorvel-damaged-"));
        cpSync(join(demo, "Demo"), join(folder, "Damaged"), { recursive: true });
        writeFileSync(join(folder, "Damaged", "Area2.wid"), Buffer.from([0, 1, 2]));
        const input = await page.$("#folder-input");
        await input.uploadFile(join(folder, "Damaged"));
        await page.waitForFunction(() => document.getElementById("status").textContent.startsWith("開きました"));
        await page.keyboard.press("F9");
        await page.waitForFunction(() => document.getElementById("message").open);
        assert.equal(await page.$eval("#message-text", (text) => text.textContent), "Area2.widの読み込みに失敗しました");
        await page.click("#message button");
        await page.waitForFunction(() => !document.getElementById("status").textContent.includes("実行中"));
        rmSync(folder, { recursive: true, force: true });
    });

    await check("opening a scenario lets the files of the last one go", async () => {
        const files = scenarioFiles(join(demo, "DemoXml"));
        const size = files.reduce((sum, file) => sum + Buffer.from(file.base64, "base64").length, 0);
        await openInPage(files);
        const first = await page.evaluate(() => window.quorvel.engineMemory());
        for (let i = 0; i < 3; ++i) await openInPage(files);
        const later = await page.evaluate(() => window.quorvel.engineMemory());
        assert.ok(later - first < size, `${later - first} bytes more after three openings of ${size} bytes of files`);
    });

    await check("a folder of many files is read whole, and answers longer than one piece come whole, run and saved", async () => {
        // The demo with a hundred copies of each data file: its text search
        // answers more than one piece of the engine's replies (256 KiB), and
        // a character lies across the first two.
        const folder = mkdtempSync(join(tmpdir(), "quorvel-many-"));
        cpSync(join(demo, "Demo"), folder, { recursive: true });
        for (const name of readdirSync(folder).filter((name) => name.endsWith(".wid")))
            for (let copy = 1; copy <= 100; ++copy) cpSync(join(folder, name), join(folder, name.replace(".wid", `-${copy}.wid`)));
        const downloads = mkdtempSync(join(tmpdir(), "quorvel-saved-"));
        try {
            await page.evaluate(() => { document.getElementById("status").textContent = ""; });
            await (await page.$("#folder-input")).uploadFile(folder);
            await page.waitForFunction(() => document.getElementById("status").textContent.startsWith("開きました"));
            const expected = cliJson(["text", "の", folder]);
            assert.ok(Buffer.byteLength(expected) > 256 * 1024, `${Buffer.byteLength(expected)} bytes`);
            const answer = await runInPage("text", 0, { pattern: "の" });
            assert.ok(answer === expected, `the page answered ${answer.length} characters, quorvel-cli ${expected.length}`);
            const session = await page.createCDPSession();
            await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
            await page.click(".menu[data-key=F] > .title");
            await page.$$eval(".menu[data-key=F] .item", (items) => items.find((item) => item.textContent.includes("CSV")).click());
            const saved = join(downloads, "text.csv");
            for (let wait = 0; wait < 100 && !existsSync(saved); ++wait) await new Promise((done) => setTimeout(done, 50));
            assert.ok(readFileSync(saved).equals(execFileSync(cli, ["--csv", "text", "の", folder], { maxBuffer: 1 << 28 })));
        } finally {
            rmSync(folder, { recursive: true, force: true });
            rmSync(downloads, { recursive: true, force: true });
        }
    });

    await check("a folder without a scenario answers nothing and says so", async () => {
        await openInPage([{ path: "notes.txt", base64: Buffer.from("hello").toString("base64") }]);
        assert.equal(await page.$eval("#status", (status) => status.textContent), "scenarioにはシナリオがありません");
        const answer = JSON.parse(await runInPage("check-start", 0, ""));
        assert.deepEqual([answer.messages, answer.names], [[], []]);
        assert.equal(await page.$eval("#status", (status) => status.textContent), "scenarioにはシナリオがありません");
    });

    await check("the page made no network request", async () => {
        const foreign = requests.filter((request) => !request.startsWith("file:") && !request.startsWith("blob:") && !request.startsWith("data:"));
        assert.deepEqual(foreign, []);
    });
} finally {
    await browser.close();
}

// Firefox, where Debian's is installed: the page opened from disk answers alike.
if (existsSync("/usr/bin/firefox-esr")) {
    const firefox = await puppeteer.launch({
        product: "firefox",
        executablePath: "/usr/bin/firefox-esr",
        headless: true,
        protocol: "webDriverBiDi",
    });
    try {
        const page = await firefox.newPage();
        page.on("pageerror", (error) => console.log(`page error: ${error.message}`));
        await page.goto(pathToFileURL(page_).href);
        await page.evaluate(() => window.quorvel.ready);
        await answersAsTheCliDoes(page, "in Firefox, ");
    } finally {
        await firefox.close();
    }
}
console.log(`${checks} passed, ${failures.length} failed`);
process.exit(failures.length === 0 ? 0 : 1);
