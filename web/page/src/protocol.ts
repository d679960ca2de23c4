// What the page and its worker say to each other.

export interface ScenarioFile {
    path: string; // relative to the dropped folder, "/" between folders
    bytes: Uint8Array;
}

export interface CommandInfo {
    name: string;
    menu: string;
    caption: string;
    separatorBefore: boolean;
    shortcut: string;
    answers: string;
    onFile: boolean;
}

// The command table as the engine gives it.
export interface CommandTable {
    commands: CommandInfo[];
    columns: string[];
    textKinds: string[]; // the text search's kind words, in the order of its passes
}

export interface Opened {
    status: string;
    readable: boolean;
    archive: boolean;
    dataFiles: string[];
}

// What a command leaves the page to show at once; its rows are asked for line by line.
export interface Ran {
    status: string;
    names: string[];
    messages: { caption: string; text: string }[];
}

// What the text search looks for: the pattern, its options as words
// ("case,regex,whole,join-lines") and the kinds of text as quorvel-cli's
// --in takes them (empty: every kind).
export interface TextSearch {
    pattern: string;
    options: string;
    kinds: string;
}

// A text search the engine could not start: why.
export interface Refused {
    error: string;
}

export type Request =
    | { op: "commands" }
    | { op: "open"; files: ScenarioFile[]; picked: string }
    | { op: "run"; command: string; dataFile: string }
    | { op: "text"; search: TextSearch }
    | { op: "rows"; line: number; sort: number; descending: boolean }
    | { op: "sorted"; sort: number; descending: boolean }
    | { op: "csv"; sort: number; descending: boolean }
    | { op: "filter"; typed: string }
    | { op: "memory" };

export interface Envelope {
    id: number;
    request: Request;
}

// The first message a worker gets: the engine's compiled WebAssembly, or
// why the page could not compile it.
export interface EngineModule {
    module: WebAssembly.Module | null;
    failure?: string;
}

export interface Reply {
    id: number;
    result?: unknown;
    error?: string;
}
