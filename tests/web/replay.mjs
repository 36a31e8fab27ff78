// SPDX-License-Identifier: MIT
// Makes the calls core_replay wrote (file argv[3]) on the WebAssembly module of the folder
// argv[2], through core.mjs as the page does, and fails when any answer differs from the native
// core's.
import { readFileSync } from 'node:fs';

const [dir, file] = process.argv.slice(2);
const { loadCore } = await import(`${dir}/core.mjs`);
const core = await loadCore({ wasmBinary: readFileSync(`${dir}/tavo_core.wasm`) });

const view = new DataView(new ArrayBuffer(8));
const number = (bits) => (view.setBigUint64(0, BigInt(bits)), view.getFloat64(0));
const bytes = (text) => Buffer.from(text.slice(1), 'hex');
const answer = (value) => {
  if (value === null) return '-';
  if (Array.isArray(value)) return answer(value.join('\n'));
  if (typeof value === 'string') return `x${Buffer.from(value).toString('hex')}`;
  return Number.isNaN(value) ? 'nan' : (view.setFloat64(0, value), `${view.getBigUint64(0)}`);
};
const calls = {
  L: (q) => core.load(+q),
  R: (q, row, text, exponential) => core.recompute(+q, +row, bytes(text), exponential === '1'),
  D: (q, row) => core.unitDescription(+q, +row),
  N: (text) => core.readNumber(bytes(text)),
  P: (bits) => core.plainText(number(bits)),
  F: (bits, pattern) => core.formatPattern(number(bits), +pattern),
  G: (bits, digits) => core.roundFigures(number(bits), +digits),
};

let count = 0;
let differing = 0;
for (const line of readFileSync(file, 'utf8').split('\n').filter((line) => line !== '')) {
  const [name, ...args] = line.split(' ');
  const expected = args.pop();
  const actual = answer(calls[name](...args));
  ++count;
  if (actual !== expected && ++differing <= 10) console.error(`${line}\n  wasm: ${actual}`);
}
console.log(`${count} calls, ${differing} answered otherwise than by the native core`);
process.exitCode = count > 0 && differing === 0 ? 0 : 1;
