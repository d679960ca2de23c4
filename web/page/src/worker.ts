// The worker that holds the engine: it writes what the page hands it into
// the engine's in-memory file system and calls the bridge. Long commands
// run here, so the page never freezes; the page ends the worker to cancel.

import { release, textOf } from "./pieces";
import type { EngineModule, Envelope, Reply, Request, ScenarioFile } from "./protocol";

interface Engine {
    ccall(name: string, returns: string, types: string[], args: unknown[]): string;
    FS: {
        mkdirTree(path: string): void;
        writeFile(path: string, data: Uint8Array, options?: { canOwn: boolean }): void;
        readdir(path: string): string[];
        stat(path: string): { mode: number; size: number };
        isDir(mode: number): boolean;
        unlink(path: string): void;
        rmdir(path: string): void;
    };
    HEAP8: Int8Array;
    replyPieces: Uint8Array[]; // what the engine replies, handed over piece by piece as it writes
}

interface EngineOptions {
    // Instantiates the engine's WebAssembly with these imports; done() takes the instance.
    instantiateWasm(
        imports: WebAssembly.Imports,
        done: (instance: WebAssembly.Instance, module: WebAssembly.Module) => void,
    ): Record<string, never>;
}

declare const QuorvelEngine: (options: EngineOptions) => Promise<Engine>;

// The page sends the engine's module, compiled once for every worker, first;
// requests that come before it wait for the engine.
let receiveModule!: (message: EngineModule) => void;
const engine: Promise<Engine> = new Promise<EngineModule>((resolve) => (receiveModule = resolve)).then(
    ({ module, failure }) => {
        if (!module) throw new Error(failure);
        return QuorvelEngine({
            instantiateWasm(imports, done) {
                void WebAssembly.instantiate(module, imports).then((instance) => done(instance, module));
                return {};
            },
        });
    },
);
let opened = 0;
let scenarioFolder = ""; // where the opened folder lies; empty for an archive

// Where a scenario's files go: a fresh folder for every opening. An archive lies alone.
function place(engine: Engine, files: ScenarioFile[], picked: string): string {
    const root = `/scenario/${++opened}`;
    const archive = files.length === 1 && /\.(wsn|zip|cab|lzh)$/i.test(files[0].path);
    const top = archive ? root : `${root}/${picked}`;
    for (const file of files) {
        const parts = file.path.split("/").filter((part) => part !== "" && part !== "." && part !== "..");
        const path = `${top}/${(archive ? parts.slice(-1) : parts).join("/")}`;
        engine.FS.mkdirTree(path.slice(0, path.lastIndexOf("/")));
        engine.FS.writeFile(path, file.bytes, { canOwn: true }); // the file system keeps the bytes it was sent
    }
    engine.FS.mkdirTree(top);
    scenarioFolder = archive ? "" : top;
    return archive ? `${root}/${files[0].path.split("/").pop()}` : top;
}

// What lies below a folder of the file system: its files' sizes, or nothing left.
function sizeBelow(engine: Engine, path: string): number {
    let size = 0;
    for (const name of engine.FS.readdir(path)) {
        if (name === "." || name === "..") continue;
        const child = `${path}/${name}`;
        const { mode, size: bytes } = engine.FS.stat(child);
        size += engine.FS.isDir(mode) ? sizeBelow(engine, child) : bytes;
    }
    return size;
}

function removeBelow(engine: Engine, path: string): void {
    for (const name of engine.FS.readdir(path)) {
        if (name === "." || name === "..") continue;
        const child = `${path}/${name}`;
        if (engine.FS.isDir(engine.FS.stat(child).mode)) {
            removeBelow(engine, child);
            engine.FS.rmdir(child);
        } else {
            engine.FS.unlink(child);
        }
    }
}

function answer(engine: Engine, request: Request): unknown {
    const piecesOf = (name: string, types: string[], args: unknown[]) => {
        engine.replyPieces = [];
        try {
            engine.ccall(name, "null", types, args);
            return engine.replyPieces;
        } finally {
            engine.replyPieces = [];
        }
    };
    const call = (name: string, types: string[], args: unknown[]) => {
        const pieces = piecesOf(name, types, args);
        const text = textOf(pieces);
        release(pieces);
        return JSON.parse(text);
    };
    switch (request.op) {
        case "commands":
            return call("quorvel_commands", [], []);
        case "open": {
            const last = opened;
            const path = place(engine, request.files, request.picked);
            try {
                return call("quorvel_open", ["string", "string"], [path, request.picked]);
            } finally {
                // The engine has let the last scenario go: its files go too.
                if (last > 0) {
                    removeBelow(engine, `/scenario/${last}`);
                    engine.FS.rmdir(`/scenario/${last}`);
                }
            }
        }
        case "run": {
            // A data file of a folder is read from where the folder lies; one of an archive by its entry.
            const dataFile = request.dataFile && scenarioFolder ? `${scenarioFolder}/${request.dataFile}` : request.dataFile;
            return call("quorvel_run", ["string", "string"], [request.command, dataFile]);
        }
        case "text":
            return call("quorvel_text", ["string", "string", "string"], [request.search.pattern, request.search.options, request.search.kinds]);
        case "rows":
            return call("quorvel_rows", ["number", "number", "number"], [request.line, request.sort, request.descending ? 1 : 0]);
        // A whole answer goes to the page as its pieces, moved rather than copied.
        case "sorted":
            return piecesOf("quorvel_sorted", ["number", "number"], [request.sort, request.descending ? 1 : 0]);
        case "csv":
            return piecesOf("quorvel_csv", ["number", "number"], [request.sort, request.descending ? 1 : 0]);
        case "filter":
            return call("quorvel_filter", ["string"], [request.typed]);
        case "memory":
            // The engine's memory, which grows and is never given back, and the scenario files it holds.
            engine.FS.mkdirTree("/scenario");
            return engine.HEAP8.buffer.byteLength + sizeBelow(engine, "/scenario");
    }
}

self.onmessage = async (event: MessageEvent<Envelope | EngineModule>) => {
    if ("module" in event.data) {
        receiveModule(event.data);
        return;
    }
    const { id, request } = event.data;
    let reply: Reply;
    try {
        reply = { id, result: answer(await engine, request) };
    } catch (error) {
        reply = { id, error: String(error) };
    }
    const moved = Array.isArray(reply.result) && reply.result[0] instanceof Uint8Array ? reply.result.map((piece: Uint8Array) => piece.buffer) : [];
    (self as unknown as Worker).postMessage(reply, moved);
};
