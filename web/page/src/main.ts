// The page: the window's menus, two lists and status line over the engine
// in a worker. Every answer, word and rule comes from the engine; the page
// only shows them.

import { Cancelled, EngineClient } from "./engine";
import { LineHeight, VirtualList } from "./lists";
import { release } from "./pieces";
import type { CommandInfo, Opened, Ran, Refused, ScenarioFile, TextSearch } from "./protocol";
import { Settings } from "./settings";

const engine = new EngineClient();
const settings = new Settings();

interface State {
    commands: CommandInfo[];
    columns: string[];
    opened: Opened | null;
    picked: string;
    directory: FileSystemDirectoryHandle | null;
    names: string[] | null; // the left list of the last answer
    rows: string[][]; // the rows of the selected line, in the sort order
    command: CommandInfo | null;
    shown: number[]; // the lines of the answer the filter keeps
    line: number; // the selected line of the answer, or -1
    selectedRows: Set<number>;
    lastList: "names" | "rows";
    running: boolean;
    text: TextSearch | null; // the last text search, which Reload runs again
}

const state: State = {
    commands: [],
    columns: [],
    opened: null,
    picked: "",
    directory: null,
    names: null,
    rows: [],
    command: null,
    shown: [],
    line: -1,
    selectedRows: new Set(),
    lastList: "names",
    running: false,
    text: null,
};

const $ = <T extends HTMLElement>(id: string) => document.getElementById(id) as T;
const status = $("status");
const filterField = $<HTMLInputElement>("filter");
const filterCount = $("filter-count");
const header = $("header");

// Texts as one line: stored line breaks as ↵.
const oneLine = (text: string) => text.replace(/\r\n|\r|\n/g, "↵");

const names = new VirtualList("names", (index, line) => {
    const at = state.shown[index];
    line.textContent = state.names![at];
    line.title = state.names![at];
    if (at === state.line) line.classList.add("selected");
    line.onclick = () => void selectLine(at);
});

const rows = new VirtualList("rows", (index, line) => {
    const row = state.rows[index];
    line.style.gridTemplateColumns = columnTemplate();
    const number = document.createElement("span");
    number.textContent = String(index + 1);
    line.append(number);
    for (const text of row) {
        const cell = document.createElement("span");
        cell.textContent = oneLine(text);
        cell.title = text;
        line.append(cell);
    }
    if (state.selectedRows.has(index)) line.classList.add("selected");
    line.onclick = (event) => {
        if (!event.ctrlKey && !event.metaKey) state.selectedRows.clear();
        if (state.selectedRows.has(index) && (event.ctrlKey || event.metaKey)) state.selectedRows.delete(index);
        else state.selectedRows.add(index);
        state.lastList = "rows";
        rows.draw();
    };
});
$("names-pane").append(names.element);
$("rows-pane").append(rows.element);

function columnTemplate(): string {
    return settings.columnWidths().map((width) => `${width}px`).join(" ");
}

function setStatus(text: string): void {
    status.textContent = text;
}

// The page's own message box, for what the desktop raises as one.
function messageBox(caption: string, text: string): Promise<void> {
    return new Promise((resolve) => {
        $("message-caption").textContent = caption;
        $("message-text").textContent = text;
        const box = $<HTMLDialogElement>("message");
        box.onclose = () => resolve();
        box.showModal();
    });
}

async function showMessages(messages: { caption: string; text: string }[]): Promise<void> {
    for (const message of messages) await messageBox(message.caption, message.text);
}

// ---- opening ----------------------------------------------------------

// Opens the scenario whose files `read` gives (again when the worker is replaced).
async function open(read: () => Promise<ScenarioFile[]>, picked: string, directory: FileSystemDirectoryHandle | null = null) {
    await cancelRunning(false);
    state.picked = picked;
    state.directory = directory;
    state.names = null;
    state.command = null;
    await showAnswer();
    state.opened = await engine.open(read, picked);
    setStatus(state.opened.status);
    settings.remember(picked);
    drawRecent();
    updateMenus();
    return state.opened;
}

// A file found below what the user picked, with its path from there.
interface ListedFile {
    path: string;
    file: File;
}

// The files are read in one go into one buffer, one after another: the
// worker takes that buffer whole, and lets it go whole.
async function readFiles(files: ListedFile[]): Promise<ScenarioFile[]> {
    const all = new Uint8Array(await new Blob(files.map(({ file }) => file)).arrayBuffer());
    return inOneBuffer(all, files.map(({ path, file }) => ({ path, size: file.size })));
}

function inOneBuffer(all: Uint8Array, files: { path: string; size: number }[]): ScenarioFile[] {
    let at = 0;
    return files.map(({ path, size }) => ({ path, bytes: all.subarray(at, (at += size)) }));
}

async function filesOfDirectory(handle: FileSystemDirectoryHandle, prefix = ""): Promise<ListedFile[]> {
    const found: ListedFile[] = [];
    for await (const entry of (handle as unknown as AsyncIterable<FileSystemHandle>)) {
        const path = prefix + entry.name;
        if (entry.kind === "directory") found.push(...(await filesOfDirectory(entry as FileSystemDirectoryHandle, path + "/")));
        else found.push({ path, file: await (entry as FileSystemFileHandle).getFile() });
    }
    return found;
}

async function readDirectory(handle: FileSystemDirectoryHandle): Promise<ScenarioFile[]> {
    return readFiles(await filesOfDirectory(handle));
}

// The files of an input, read when asked: the browser keeps the files' bytes until then.
function filesOfList(list: FileList): { read: () => Promise<ScenarioFile[]>; picked: string } {
    const all = Array.from(list);
    const relative = all.map((file) => file.webkitRelativePath || file.name);
    // A picked folder's files all start with its name.
    const first = relative[0]?.split("/")[0] ?? "";
    const inFolder = relative.every((path) => path.includes("/") && path.split("/")[0] === first);
    const read = () => readFiles(all.map((file, i) => ({ path: inFolder ? relative[i].slice(first.length + 1) : relative[i], file })));
    return { read, picked: inFolder ? first : all.length === 1 ? all[0].name : "scenario" };
}

async function openFolder(): Promise<void> {
    if ("showDirectoryPicker" in window) {
        try {
            const handle: FileSystemDirectoryHandle = await (window as any).showDirectoryPicker();
            await open(() => readDirectory(handle), handle.name, handle);
        } catch {
            /* the user closed the picker */
        }
        return;
    }
    $<HTMLInputElement>("folder-input").click();
}

// The files below a dropped entry, with their paths from it.
async function entryFiles(entry: any, prefix: string): Promise<ListedFile[]> {
    if (entry.isFile) {
        const file: File = await new Promise((resolve, reject) => entry.file(resolve, reject));
        return [{ path: prefix + entry.name, file }];
    }
    const reader = entry.createReader();
    const found: ListedFile[] = [];
    for (;;) {
        const batch: any[] = await new Promise((resolve, reject) => reader.readEntries(resolve, reject));
        if (batch.length === 0) return found;
        for (const child of batch) found.push(...(await entryFiles(child, prefix + entry.name + "/")));
    }
}

async function dropped(event: DragEvent): Promise<void> {
    event.preventDefault();
    const items = Array.from(event.dataTransfer?.items ?? []);
    const entry = items[0]?.webkitGetAsEntry?.();
    if (!entry) return;
    const files = await entryFiles(entry, "");
    if (entry.isDirectory)
        await open(() => readFiles(files.map(({ path, file }) => ({ path: path.slice(entry.name.length + 1), file }))), entry.name);
    else await open(() => readFiles(files), entry.name);
}

// ---- commands ---------------------------------------------------------

// Ends a command still running; `reopen`: the scenario stays open for the next.
async function cancelRunning(reopen: boolean): Promise<void> {
    if (!state.running) return;
    await engine.cancel(reopen);
}

// Runs a command and shows its answer; false when it did not run.
async function run(command: CommandInfo, dataFile = "", byUser = true): Promise<boolean> {
    if (!state.opened) return false;
    if (command.name === TextCommand.name) return state.text ? runText(state.text, byUser) : false;
    if (command.onFile && !dataFile) {
        const chosen = await chooseDataFile();
        if (!chosen) return false;
        dataFile = chosen;
    }
    return runAndShow(command, byUser, () => engine.run(command.name, dataFile));
}

// Runs what `ask` asks of the engine as `command` and shows its answer;
// `shown` follows a shown answer. False when nothing was answered.
async function runAndShow(
    command: CommandInfo,
    byUser: boolean,
    ask: () => Promise<Ran | Refused>,
    shown: () => void = () => {},
): Promise<boolean> {
    await cancelRunning(true);
    state.running = true;
    setStatus(`${command.caption}: 実行中… (Esc で中止)`);
    try {
        const ran = await ask();
        if ("error" in ran) {
            await messageBox("Quorvel", ran.error);
            return false;
        }
        state.command = command;
        state.names = ran.names;
        state.line = -1;
        await showAnswer();
        setStatus(ran.status);
        shown();
        if (byUser) await showMessages(ran.messages);
        return true;
    } catch (error) {
        if (error instanceof Cancelled) setStatus("中止しました");
        else await messageBox("I'm sorry!", String(error));
        return false;
    } finally {
        state.running = false;
        updateMenus();
    }
}

// ---- text search --------------------------------------------------------

// The text search as the menus and Reload know it; its caption names the pattern.
const TextCommand: CommandInfo = {
    name: "text",
    menu: "検索",
    caption: "テキスト",
    separatorBefore: true,
    shortcut: "Ctrl+Shift+F",
    answers: "every piece of text a pattern matches, and every place it was matched",
    onFile: false,
};

const textOption = (id: string) => $<HTMLInputElement>(id).checked;

// The kinds of text as checkboxes under 対象, all on; the last one on stays on.
function drawTextKinds(kinds: string[]): void {
    const list = $("text-kinds-list");
    list.replaceChildren();
    for (const kind of kinds) {
        const label = document.createElement("label");
        const box = document.createElement("input");
        box.type = "checkbox";
        box.checked = true;
        box.value = kind;
        box.onchange = () => {
            if (checkedTextKinds().length === 0) box.checked = true;
        };
        label.append(box, kind);
        list.append(label);
    }
}

function textKindBoxes(): HTMLInputElement[] {
    return [...$("text-kinds-list").querySelectorAll<HTMLInputElement>("input")];
}

function checkedTextKinds(): string[] {
    return textKindBoxes()
        .filter((box) => box.checked)
        .map((box) => box.value);
}

// What the search bar asks for.
function textSearchOfBar(): TextSearch {
    const words = [
        ["text-case", "case"],
        ["text-regex", "regex"],
        ["text-whole", "whole"],
        ["text-join-lines", "join-lines"],
    ]
        .filter(([id]) => textOption(id))
        .map(([, word]) => word);
    const kinds = checkedTextKinds();
    const every = kinds.length === textKindBoxes().length;
    return { pattern: $<HTMLInputElement>("text-pattern").value, options: words.join(","), kinds: every ? "" : kinds.join(",") };
}

function showTextBar(): void {
    $("textbar").hidden = false;
    $<HTMLInputElement>("text-pattern").focus();
    $<HTMLInputElement>("text-pattern").select();
}

// Runs a text search and shows its answer; a pattern the engine refuses is a message.
async function runText(search: TextSearch, byUser = true): Promise<boolean> {
    if (!state.opened || search.pattern === "") return false;
    const command = { ...TextCommand, caption: `テキスト「${search.pattern}」` };
    return runAndShow(command, byUser, () => engine.text(search), () => {
        state.text = search;
        settings.rememberPattern(search.pattern);
        drawRecentPatterns();
    });
}

function drawRecentPatterns(): void {
    const list = $("text-recent");
    list.replaceChildren(
        ...settings.patterns().map((pattern) => {
            const option = document.createElement("option");
            option.value = pattern;
            return option;
        }),
    );
}

function chooseDataFile(): Promise<string | null> {
    const files = (state.opened?.dataFiles ?? []).filter((name) => /\.(wid|xml)$/i.test(name));
    return new Promise((resolve) => {
        const dialog = $<HTMLDialogElement>("choose");
        const list = $("choose-list");
        list.replaceChildren();
        for (const name of files) {
            const item = document.createElement("button");
            item.textContent = name;
            item.onclick = () => {
                dialog.close();
                resolve(name);
            };
            list.append(item);
        }
        dialog.onclose = () => resolve(null);
        dialog.showModal();
    });
}

// A header click: sorts by that column (0: filing order); a second click turns the order round.
async function sortBy(column: number): Promise<void> {
    const now = settings.sort();
    settings.setSort(column, now.column === column ? !now.descending : false);
    drawHeader();
    await fetchRows();
}

// ---- showing ----------------------------------------------------------

async function showAnswer(): Promise<void> {
    const count = state.names?.length ?? 0;
    state.shown = filterField.value && state.names ? await engine.filter(filterField.value) : [...Array(count).keys()];
    filterCount.textContent = filterField.value ? `表示 ${state.shown.length}/${count}` : "";
    if (!state.shown.includes(state.line)) state.line = state.shown[0] ?? -1;
    names.setCount(state.shown.length);
    drawHeader();
    await fetchRows();
}

async function selectLine(line: number): Promise<void> {
    state.line = line;
    state.lastList = "names";
    names.draw();
    await fetchRows();
}

// The rows of the selected line, from the engine, in the sort order.
async function fetchRows(): Promise<void> {
    const { column, descending } = settings.sort();
    state.selectedRows.clear();
    state.rows = state.names && state.line >= 0 ? await engine.rows(state.line, column, descending) : [];
    rows.setCount(state.rows.length);
}

function drawHeader(): void {
    header.replaceChildren();
    header.style.gridTemplateColumns = columnTemplate();
    const { column: sorted, descending } = settings.sort();
    state.columns.forEach((title, column) => {
        const cell = document.createElement("span");
        cell.textContent = title + (column === sorted && column !== 0 ? (descending ? " ▼" : " ▲") : "");
        cell.onclick = () => sortBy(column);
        const grip = document.createElement("i");
        grip.onmousedown = (event) => resizeColumn(event, column);
        grip.onclick = (event) => event.stopPropagation();
        cell.append(grip);
        header.append(cell);
    });
}

function resizeColumn(event: MouseEvent, column: number): void {
    event.preventDefault();
    const startX = event.clientX;
    const start = settings.columnWidths()[column];
    const move = (moved: MouseEvent) => {
        settings.setColumnWidth(column, Math.max(24, start + moved.clientX - startX));
        drawHeader();
        rows.draw();
    };
    const up = () => {
        window.removeEventListener("mousemove", move);
        window.removeEventListener("mouseup", up);
    };
    window.addEventListener("mousemove", move);
    window.addEventListener("mouseup", up);
}

// ---- copy and save ----------------------------------------------------

function copySelection(): void {
    if (!state.names || state.line < 0) return;
    let text: string;
    if (state.lastList === "names" || state.selectedRows.size === 0) {
        text = state.names[state.line];
    } else {
        const all = state.rows;
        const lines = [state.columns.slice(1).join("\t")];
        for (const index of [...state.selectedRows].sort((a, b) => a - b)) lines.push(all[index].join("\t"));
        text = lines.join("\n");
    }
    navigator.clipboard.writeText(text).catch(() => undefined);
}

async function save(form: "csv" | "json"): Promise<void> {
    if (!state.names || !state.command) return;
    const { column, descending } = settings.sort();
    const pieces = form === "csv" ? await engine.csv(column, descending) : await engine.sortedPieces(column, descending);
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob(pieces, { type: form === "csv" ? "text/csv" : "application/json" }));
    link.download = `${state.command.name}.${form}`;
    link.click();
    release(pieces);
    // The saved answer is held for as long as its address lives; the
    // download has long taken it by then.
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    setStatus(`保存しました: ${link.download}`);
}

// ---- reloading --------------------------------------------------------

let watching: number | undefined;
let seen = "";

async function signature(handle: FileSystemDirectoryHandle, prefix = ""): Promise<string> {
    let parts = "";
    for await (const entry of (handle as unknown as AsyncIterable<FileSystemHandle>)) {
        if (entry.kind === "directory") parts += await signature(entry as FileSystemDirectoryHandle, prefix + entry.name + "/");
        else {
            const file = await (entry as FileSystemFileHandle).getFile();
            parts += `${prefix}${entry.name}:${file.size}:${file.lastModified};`;
        }
    }
    return parts;
}

async function reload(): Promise<void> {
    if (state.directory) {
        const directory = state.directory;
        const last = state.command;
        await open(() => readDirectory(directory), state.picked, directory);
        if (last && !last.onFile) await run(last, "", false);
        return;
    }
    if (state.command && !state.command.onFile) await run(state.command);
}

function setAutoReload(on: boolean): void {
    window.clearInterval(watching);
    watching = undefined;
    if (!on || !state.directory) return;
    signature(state.directory).then((now) => (seen = now));
    watching = window.setInterval(async () => {
        if (!state.directory || state.running) return;
        const now = await signature(state.directory);
        if (now !== seen) {
            seen = now;
            await reload();
        }
    }, 2000);
}

// ---- menus ------------------------------------------------------------

function menuItem(caption: string, shortcut: string, act: () => void, title = ""): HTMLButtonElement {
    const item = document.createElement("button");
    item.className = "item";
    item.innerHTML = `<span></span><kbd></kbd>`;
    item.firstElementChild!.textContent = caption;
    item.lastElementChild!.textContent = shortcut;
    item.title = title;
    item.onclick = () => {
        closeMenus();
        act();
    };
    return item;
}

function closeMenus(): void {
    document.querySelectorAll(".menu.open").forEach((menu) => menu.classList.remove("open"));
}

function buildMenus(): void {
    const bar = $("menubar");
    const menu = (caption: string, key: string) => {
        const holder = document.createElement("div");
        holder.className = "menu";
        holder.dataset.key = key;
        const title = document.createElement("button");
        title.className = "title";
        title.innerHTML = `${caption}(<u>${key}</u>)`;
        title.onclick = (event) => {
            event.stopPropagation();
            const open = holder.classList.contains("open");
            closeMenus();
            if (!open) holder.classList.add("open");
        };
        const items = document.createElement("div");
        items.className = "items";
        holder.append(title, items);
        bar.append(holder);
        return items;
    };
    const file = menu("ファイル", "F");
    file.append(
        menuItem("オープン (フォルダ)…", "Ctrl+O", openFolder),
        menuItem("オープン (アーカイブ・ファイル)…", "Ctrl+Shift+O", () => $<HTMLInputElement>("file-input").click()),
        menuItem("結果を保存 (CSV)…", "Ctrl+S", () => save("csv")),
        menuItem("結果を保存 (JSON)…", "", () => save("json")),
    );
    const auto = menuItem("自動リロード", "", () => {
        const on = !auto.classList.contains("checked");
        auto.classList.toggle("checked", on);
        setAutoReload(on);
    });
    auto.id = "auto-reload";
    file.append(auto, document.createElement("hr"));
    const recent = document.createElement("div");
    recent.id = "recent";
    file.append(recent);
    const groups = new Map<string, HTMLElement>();
    groups.set("チェック", menu("チェック", "C"));
    groups.set("検索", menu("検索", "S"));
    for (const command of state.commands) {
        const items = groups.get(command.menu)!;
        if (command.separatorBefore) items.append(document.createElement("hr"));
        const item = menuItem(command.caption, command.shortcut, () => run(command), command.answers);
        item.dataset.command = command.name;
        items.append(item);
    }
    const search = groups.get("検索")!;
    search.append(document.createElement("hr"));
    const textItem = menuItem("テキスト…", TextCommand.shortcut, showTextBar, TextCommand.answers);
    textItem.dataset.command = TextCommand.name;
    search.append(textItem);
    $("text-search").onclick = () => void runText(textSearchOfBar());
    $("text-pattern").addEventListener("keydown", (event) => {
        if ((event as KeyboardEvent).key === "Enter") void runText(textSearchOfBar());
    });
    drawRecentPatterns();
    const reloadButton = document.createElement("button");
    reloadButton.className = "title";
    reloadButton.id = "reload";
    reloadButton.textContent = "リロード";
    reloadButton.onclick = () => reload();
    bar.append(reloadButton);
    document.addEventListener("click", closeMenus);
    drawRecent();
}

function drawRecent(): void {
    const recent = $("recent");
    recent.replaceChildren();
    for (const name of settings.recent()) {
        const item = document.createElement("div");
        item.className = "recent";
        item.textContent = name;
        recent.append(item);
    }
}

function updateMenus(): void {
    const open = state.opened !== null;
    document.querySelectorAll<HTMLButtonElement>("[data-command]").forEach((item) => (item.disabled = !open));
    const auto = $<HTMLButtonElement>("auto-reload");
    auto.disabled = !state.directory;
    auto.title = state.directory
        ? "フォルダの変更を見てコマンドを実行し直します"
        : "このブラウザ (またはこの開き方) ではフォルダを見守れません: Chrome か Edge で「オープン (フォルダ)」から開いてください";
}

function shortcutOf(event: KeyboardEvent): string {
    const parts = [];
    if (event.ctrlKey || event.metaKey) parts.push("Ctrl");
    if (event.altKey) parts.push("Alt");
    if (event.shiftKey) parts.push("Shift");
    const key = event.key.length === 1 ? event.key.toUpperCase() : event.key;
    const code = /^Digit\d$/.test(event.code) ? event.code.slice(5) : key;
    parts.push(code);
    return parts.join("+");
}

function onKey(event: KeyboardEvent): void {
    const pressed = shortcutOf(event);
    if (event.key === "Escape") {
        if (state.running) engine.cancel(true).then(() => setStatus("中止しました"));
        else if (document.activeElement === filterField) {
            filterField.value = "";
            showAnswer();
        }
        return;
    }
    const inField = document.activeElement === filterField;
    const actions: Record<string, () => void> = {
        "Ctrl+O": openFolder,
        "Ctrl+Shift+O": () => $<HTMLInputElement>("file-input").click(),
        "Ctrl+S": () => save("csv"),
        "Ctrl+F": () => filterField.focus(),
        "Ctrl+Shift+F": showTextBar,
        F5: () => reload(),
    };
    if (!inField) actions["Ctrl+C"] = copySelection;
    for (const command of state.commands) actions[command.shortcut] = () => run(command);
    const action = actions[pressed];
    if (!action) return;
    event.preventDefault();
    action();
}

// ---- start ------------------------------------------------------------

async function start(): Promise<void> {
    const table = await engine.commands();
    state.commands = table.commands;
    state.columns = table.columns;
    drawTextKinds(table.textKinds);
    settings.fitColumns(state.columns.length);
    buildMenus();
    updateMenus();
    drawHeader();
    setStatus("シナリオのフォルダかアーカイブをここにドロップするか、ファイル → オープンで選んでください");
    document.addEventListener("keydown", onKey);
    document.addEventListener("dragover", (event) => event.preventDefault());
    document.addEventListener("drop", (event) => void dropped(event));
    for (const id of ["folder-input", "file-input"]) {
        const input = $<HTMLInputElement>(id);
        input.onchange = async () => {
            if (!input.files || input.files.length === 0) return;
            const { read, picked } = filesOfList(input.files);
            input.value = "";
            await open(read, picked);
        };
    }
    filterField.oninput = () => void showAnswer();
    names.element.addEventListener("keydown", (event) => {
        const at = state.shown.indexOf(state.line);
        const next = event.key === "ArrowDown" ? at + 1 : event.key === "ArrowUp" ? at - 1 : -1;
        if (next >= 0 && next < state.shown.length) {
            event.preventDefault();
            void selectLine(state.shown[next]);
            names.scrollTo(next);
        }
    });
    document.documentElement.style.setProperty("--line", `${LineHeight}px`);
}

// For scripts and tests: open files, and run a command as quorvel-cli --json --sort N does.
(window as any).quorvel = {
    open: async (files: ScenarioFile[]) => {
        const archive = files.length === 1 && /\.(wsn|zip|cab|lzh)$/i.test(files[0].path);
        // The caller's arrays stay the caller's: the worker is sent a copy.
        const copies = async () => {
            const all = new Uint8Array(await new Blob(files.map((file) => file.bytes)).arrayBuffer());
            return inOneBuffer(all, files.map((file) => ({ path: file.path, size: file.bytes.byteLength })));
        };
        return open(copies, archive ? files[0].path.split("/").pop()! : "scenario");
    },
    // run("text", sortColumn, {pattern, options, kinds}) runs quorvel-cli text with --case
    // --regex --whole --join-lines as the options' words say and --in as kinds.
    run: async (command: string, sortColumn = 0, dataFile: string | Partial<TextSearch> = "") => {
        if (command === TextCommand.name) {
            const given = typeof dataFile === "string" ? {} : dataFile;
            const search = { pattern: given.pattern ?? "", options: given.options ?? "", kinds: given.kinds ?? "" };
            if (!state.opened || !(await runText(search, false))) return "";
            return engine.sorted(sortColumn, false);
        }
        if (typeof dataFile !== "string") throw new Error("only text takes a search");
        const info = state.commands.find((known) => known.name === command);
        if (!info || !state.opened) throw new Error(`no such command, or no scenario: ${command}`);
        if (!(await run(info, dataFile, false))) return "";
        return engine.sorted(sortColumn, false);
    },
    engineMemory: () => engine.memory(),
    ready: start(),
};
