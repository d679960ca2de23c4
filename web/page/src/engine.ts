// The page's side of the worker that holds the engine: requests as
// promises, and cancelling by ending the worker (a new one takes the
// scenario again).

import { release, textOf } from "./pieces";
import type { CommandTable, Opened, Ran, Refused, Reply, Request, ScenarioFile, TextSearch } from "./protocol";

declare const QUORVEL_WORKER_SOURCE: string;

// The engine's WebAssembly, compiled once: every worker (a new one after a
// cancel) instantiates the same module. Its base64 is read from the page
// and dropped, so that the page holds no copy of it.
const engineModule: Promise<WebAssembly.Module> = (() => {
    const element = document.getElementById("engine-wasm");
    if (!element) return Promise.reject(new Error("the page carries no engine"));
    const binary = atob(element.textContent ?? "");
    element.remove();
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return WebAssembly.compile(bytes);
})();

export class Cancelled extends Error {
    constructor() {
        super("cancelled");
    }
}

export class EngineClient {
    private worker!: Worker;
    private next = 1;
    private waiting = new Map<number, { resolve: (value: unknown) => void; reject: (error: Error) => void }>();
    // How to give a new worker the opened scenario again: read its files anew.
    private lastOpened: { read: () => Promise<ScenarioFile[]>; picked: string } | null = null;
    private readonly url = URL.createObjectURL(new Blob([QUORVEL_WORKER_SOURCE], { type: "text/javascript" }));

    constructor() {
        this.start();
    }

    commands(): Promise<CommandTable> {
        return this.ask({ op: "commands" }) as Promise<CommandTable>;
    }

    // Opens files `read` gives. Their bytes move to the worker (the page
    // keeps no copy): the scenario is read again if the worker is replaced.
    async open(read: () => Promise<ScenarioFile[]>, picked: string): Promise<Opened> {
        this.lastOpened = { read, picked };
        const files = await read();
        const buffers = new Set(files.map((file) => file.bytes.buffer));
        return (await this.ask({ op: "open", files, picked }, [...buffers])) as Opened;
    }

    run(command: string, dataFile = ""): Promise<Ran> {
        return this.ask({ op: "run", command, dataFile }) as Promise<Ran>;
    }

    // The text search; a pattern it cannot search for is refused with the reason.
    text(search: TextSearch): Promise<Ran | Refused> {
        return this.ask({ op: "text", search }) as Promise<Ran | Refused>;
    }

    // The rows of a line of the last answer, sorted by a column.
    rows(line: number, sort: number, descending: boolean): Promise<string[][]> {
        return this.ask({ op: "rows", line, sort, descending }) as Promise<string[][]>;
    }

    // The last answer as quorvel-cli --json prints it, its rows sorted by a column.
    async sorted(sort: number, descending: boolean): Promise<string> {
        const pieces = await this.sortedPieces(sort, descending);
        const text = textOf(pieces);
        release(pieces);
        return text;
    }

    // The same as UTF-8, in the pieces the engine wrote it in: what a save writes.
    sortedPieces(sort: number, descending: boolean): Promise<Uint8Array[]> {
        return this.ask({ op: "sorted", sort, descending }) as Promise<Uint8Array[]>;
    }

    // The last answer as CSV (UTF-8 with its byte-order mark), as bytes to save.
    csv(sort: number, descending: boolean): Promise<Uint8Array[]> {
        return this.ask({ op: "csv", sort, descending }) as Promise<Uint8Array[]>;
    }

    // How much memory the engine has taken so far, with the files it holds, in bytes.
    memory(): Promise<number> {
        return this.ask({ op: "memory" }) as Promise<number>;
    }

    filter(typed: string): Promise<number[]> {
        return this.ask({ op: "filter", typed }) as Promise<number[]>;
    }

    // Ends whatever runs. With `reopen`, a new worker takes the scenario
    // again; a scenario that cannot be read any more is left closed.
    async cancel(reopen: boolean): Promise<void> {
        this.worker.terminate();
        for (const { reject } of this.waiting.values()) reject(new Cancelled());
        this.waiting.clear();
        this.start();
        const last = this.lastOpened;
        this.lastOpened = null;
        if (!reopen || !last) return;
        try {
            await this.open(last.read, last.picked);
        } catch {
            /* its files are gone: nothing is open */
        }
    }

    private start(): void {
        const worker = new Worker(this.url);
        this.worker = worker;
        void engineModule.then(
            (module) => worker.postMessage({ module }),
            (error) => worker.postMessage({ module: null, failure: String(error) }),
        );
        worker.onmessage = (event: MessageEvent<Reply>) => {
            const waiting = this.waiting.get(event.data.id);
            this.waiting.delete(event.data.id);
            if (!waiting) return;
            if (event.data.error !== undefined) waiting.reject(new Error(event.data.error));
            else waiting.resolve(event.data.result);
        };
    }

    private ask(request: Request, transfer: ArrayBufferLike[] = []): Promise<unknown> {
        const id = this.next++;
        return new Promise((resolve, reject) => {
            this.waiting.set(id, { resolve, reject });
            this.worker.postMessage({ id, request }, transfer as Transferable[]);
        });
    }
}
