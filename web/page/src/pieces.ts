// Replies of the engine come as pieces of UTF-8, handed over as the engine
// writes them.

// The text of the pieces: a character may lie across two of them.
export function textOf(pieces: Uint8Array[]): string {
    const utf8 = new TextDecoder();
    let text = "";
    for (const piece of pieces) text += utf8.decode(piece, { stream: true });
    return text + utf8.decode();
}

// Lets the memory of pieces read go at once rather than at the next
// collection: an answer is megabytes, and a script may ask for many.
export function release(pieces: Uint8Array[]): void {
    for (const piece of pieces) (piece.buffer as ArrayBuffer & { transfer?: (length: number) => ArrayBuffer }).transfer?.(0);
}
