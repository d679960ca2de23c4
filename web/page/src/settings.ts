// What the page keeps between visits, in the browser's local storage:
// the sort, the column widths, the names of the recent scenarios and the
// text search's recent patterns.

const Key = "quorvel.settings";
const RecentKept = 8;
const PatternsKept = 10;

interface Stored {
    sortColumn: number;
    descending: boolean;
    widths: number[];
    recent: string[];
    patterns: string[];
}

export class Settings {
    private stored: Stored;

    constructor() {
        const defaults: Stored = { sortColumn: 0, descending: false, widths: [], recent: [], patterns: [] };
        try {
            this.stored = { ...defaults, ...JSON.parse(localStorage.getItem(Key) ?? "{}") };
        } catch {
            this.stored = defaults; // unreadable settings are replaced, not fatal
        }
    }

    sort(): { column: number; descending: boolean } {
        return { column: this.stored.sortColumn, descending: this.stored.descending };
    }
    setSort(column: number, descending: boolean): void {
        this.stored.sortColumn = column;
        this.stored.descending = descending;
        this.save();
    }

    // Widths for `count` columns: the number column narrow, the last one wide.
    fitColumns(count: number): void {
        const widths = this.stored.widths.filter((width) => Number.isFinite(width) && width >= 24);
        const defaults = [48, 200, 160, 130, 130, 110, 320];
        this.stored.widths = Array.from({ length: count }, (_, i) => widths[i] ?? defaults[i] ?? 120);
    }
    columnWidths(): number[] {
        return this.stored.widths;
    }
    setColumnWidth(column: number, width: number): void {
        this.stored.widths[column] = width;
        this.save();
    }

    recent(): string[] {
        return this.stored.recent;
    }
    remember(name: string): void {
        this.stored.recent = [name, ...this.stored.recent.filter((kept) => kept !== name)].slice(0, RecentKept);
        this.save();
    }

    patterns(): string[] {
        return this.stored.patterns;
    }
    rememberPattern(pattern: string): void {
        this.stored.patterns = [pattern, ...this.stored.patterns.filter((kept) => kept !== pattern)].slice(0, PatternsKept);
        this.save();
    }

    private save(): void {
        try {
            localStorage.setItem(Key, JSON.stringify(this.stored));
        } catch {
            /* storage full or refused: the settings last as long as the page */
        }
    }
}
