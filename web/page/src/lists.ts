// A list that draws only the lines in view, so that a hundred thousand
// rows scroll as smoothly as ten.

export const LineHeight = 22;

export class VirtualList {
    readonly element: HTMLElement;
    private readonly spacer: HTMLElement;
    private readonly lines: HTMLElement;
    private count = 0;

    constructor(
        className: string,
        private readonly drawLine: (index: number, line: HTMLElement) => void,
    ) {
        this.element = document.createElement("div");
        this.element.className = `list ${className}`;
        this.element.tabIndex = 0;
        this.spacer = document.createElement("div");
        this.spacer.className = "spacer";
        this.lines = document.createElement("div");
        this.lines.className = "lines";
        this.spacer.append(this.lines);
        this.element.append(this.spacer);
        this.element.addEventListener("scroll", () => this.draw());
        new ResizeObserver(() => this.draw()).observe(this.element);
    }

    setCount(count: number): void {
        this.count = count;
        this.spacer.style.height = `${count * LineHeight}px`;
        this.draw();
    }

    scrollTo(index: number): void {
        const top = index * LineHeight;
        if (top < this.element.scrollTop) this.element.scrollTop = top;
        else if (top + LineHeight > this.element.scrollTop + this.element.clientHeight)
            this.element.scrollTop = top + LineHeight - this.element.clientHeight;
        this.draw();
    }

    draw(): void {
        const first = Math.floor(this.element.scrollTop / LineHeight);
        const shown = Math.min(this.count - first, Math.ceil(this.element.clientHeight / LineHeight) + 1);
        this.lines.style.transform = `translateY(${first * LineHeight}px)`;
        this.lines.replaceChildren();
        for (let i = 0; i < shown; ++i) {
            const line = document.createElement("div");
            line.className = "line";
            line.dataset.index = String(first + i);
            this.drawLine(first + i, line);
            this.lines.append(line);
        }
    }
}
