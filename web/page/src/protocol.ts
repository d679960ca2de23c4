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

export type Request =
    | { op: "commands" }
    | { op: "open"; files: ScenarioFile[]; picked: string }
    | { op: "run"; command: string; dataFile: string }
    | { op: "rows"; line: number; sort: number; descending: boolean }
    | { op: "sorted"; sort: number; descending: boolean }
    | { op: "csv"; sort: number; descending: boolean }
    | { op: "filter"; typed: string }
    | { op: "memory" };

export interface Envelope {
    id: number;
    request: Request;
}

export interface Reply {
    id: number;
    result?: unknown;
    error?: string;
}
