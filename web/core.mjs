// SPDX-License-Identifier: MIT
// The core for JavaScript: loads the WebAssembly module (tavo_core.mjs and tavo_core.wasm
// beside this file) and wraps the C functions of core_api.h and page_api.h, whose contract
// it keeps: texts go in through the module's memory and come out copied. Every text comes
// from the C++ core; nothing is formatted here.
import createTavoCore from './tavo_core.mjs';

// The row index that stands for every row: tavo_recompute rewrites them all (a refresh).
export const BASE_INDEX = 10;

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// Options go to the module: {wasmBinary: bytes} where it cannot fetch tavo_core.wasm (node).
// A page that started compiling the module early (self.tavoCoreWasm, a promise of the
// compiled module or null) has it instantiated from there.
export async function loadCore(options = {}) {
  const compiled = await globalThis.tavoCoreWasm;
  const instantiateWasm = (imports, done) => {
    WebAssembly.instantiate(compiled, imports).then((instance) => done(instance, compiled));
    return {};  // the exports follow through done()
  };
  const m = await createTavoCore(compiled ? { instantiateWasm, ...options } : options);
  // Calls call(pointer, length) with the text (a string, or UTF-8 bytes) in a malloc'd copy.
  const withText = (text, call) => {
    const bytes = typeof text === 'string' ? encoder.encode(text) : text;
    const pointer = m._malloc(Math.max(bytes.length, 1));
    if (pointer === 0) throw new RangeError('tavo: out of memory');
    try {
      m.HEAPU8.set(bytes, pointer);
      return call(pointer, bytes.length);
    } finally {
      m._free(pointer);
    }
  };
  const string = (pointer) =>
    pointer === 0 ? null : decoder.decode(m.HEAPU8.subarray(pointer, m.HEAPU8.indexOf(0, pointer)));
  // One text per row (or item); '' for the row the call leaves alone; null for a bad argument.
  const rows = (pointer) => (pointer === 0 ? null : string(pointer).split('\n'));
  return {
    load: (quantity) => rows(m._tavo_load(quantity)),
    recompute: (quantity, index, text, exponential) =>
      rows(withText(text, (p, n) => m._tavo_recompute(quantity, index, p, n, exponential ? 1 : 0))),
    unitDescription: (quantity, row) => string(m._tavo_unit_description(quantity, row)),
    readNumber: (text) => withText(text, (p, n) => m._tavo_read_number(p, n)),
    plainText: (value) => string(m._tavo_plain_text(value)),
    formatPattern: (value, pattern) => string(m._tavo_format_pattern(value, pattern)),
    roundFigures: (value, digits) => m._tavo_round_figures(value, digits),
    // What the page draws (page_api.h).
    windowNames: () => rows(m._tavo_window_names()),
    windowLayout: (window) => {
      const text = string(m._tavo_window_layout(window));
      return text === null ? null : JSON.parse(text);
    },
    windowQuantity: (window) => m._tavo_window_quantity(window),
    quantityChoices: () =>
      rows(m._tavo_quantity_choices()).map((line) => {
        const [picture, caption, quantity] = line.split(' ');
        return { picture, caption, quantity: Number(quantity) };
      }),
    pictureXpm: (name) => rows(withText(name, (p, n) => m._tavo_picture_xpm(p, n))),
    unitName: (quantity, row) => string(m._tavo_unit_name(quantity, row)),
  };
}
