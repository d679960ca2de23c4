// The page's side of the worker that holds the engine: requests as
// promises, and cancelling by ending the worker (a new one takes the
// scenario again).

import type { CommandInfo, Opened, Ran, Reply, Request, ScenarioFile } from "./protocol";

declare const QUORVEL_WORKER_SOURCE: string;

export interface Answer {
    command: string;
    messages: { caption: string; text: string }[];
    names: { name: string; rows: string[][] }[];
}

export class Cancelled extends Error {
    constructor() {
        super("cancelled");
    }
}

export class EngineClient {
    private worker!: Worker;
    private next = 1;
    private waiting = new Map<number, { resolve: (value: unknown) => void; reject: (error: Error) => void }>();
    private lastOpened: { files: ScenarioFile[]; picked: string } | null = null;
    private readonly url = URL.createObjectURL(new Blob([QUORVEL_WORKER_SOURCE], { type: "text/javascript" }));

    constructor() {
        this.start();
    }

    commands(): Promise<{ commands: CommandInfo[]; columns: string[] }> {
        return this.ask({ op: "commands" }) as Promise<{ commands: CommandInfo[]; columns: string[] }>;
    }

    async open(files: ScenarioFile[], picked: string): Promise<Opened> {
        this.lastOpened = { files, picked };
        return (await this.ask({ op: "open", files, picked })) as Opened;
    }

    run(command: string, sort: number, dataFile = ""): Promise<Ran> {
        return this.ask({ op: "run", command, sort, dataFile }) as Promise<Ran>;
    }

    sorted(sort: number, descending: boolean): Promise<string> {
        return this.ask({ op: "sorted", sort, descending }) as Promise<string>;
    }

    csv(sort: number, descending: boolean): Promise<string> {
        return this.ask({ op: "csv", sort, descending }) as Promise<string>;
    }

    filter(typed: string): Promise<number[]> {
        return this.ask({ op: "filter", typed }) as Promise<number[]>;
    }

    // Ends whatever runs; the scenario is opened again in a new worker.
    async cancel(): Promise<void> {
        this.worker.terminate();
        for (const { reject } of this.waiting.values()) reject(new Cancelled());
        this.waiting.clear();
        this.start();
        if (this.lastOpened) await this.ask({ op: "open", ...this.lastOpened });
    }

    private start(): void {
        this.worker = new Worker(this.url);
        this.worker.onmessage = (event: MessageEvent<Reply>) => {
            const waiting = this.waiting.get(event.data.id);
            this.waiting.delete(event.data.id);
            if (!waiting) return;
            if (event.data.error !== undefined) waiting.reject(new Error(event.data.error));
            else waiting.resolve(event.data.result);
        };
    }

    private ask(request: Request): Promise<unknown> {
        const id = this.next++;
        return new Promise((resolve, reject) => {
            this.waiting.set(id, { resolve, reject });
            this.worker.postMessage({ id, request });
        });
    }
}
