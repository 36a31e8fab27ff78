// SPDX-License-Identifier: MIT
// What the site's build takes from the compiled tables, through the module the page loads:
//   node site_data.mjs SITE GLYPHS
// writes SITE/icons/icon-192.png and icon-512.png, the emblem scaled up without smoothing,
// and GLYPHS/<font>.txt, every character each web font must draw (subset_fonts.py keeps
// those glyphs): the windows' texts in the faces their layouts name, the title bars', menus'
// and page's own texts, and what a box may show or be given.
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { deflateSync } from 'node:zlib';

import { FACES, PAGE_FONT } from '../site/forms.mjs';
import { xpmPixels } from '../site/xpm.mjs';

const [site, glyphs] = process.argv.slice(2);
const { loadCore } = await import(`${site}/core.mjs`);
const core = await loadCore({ wasmBinary: readFileSync(`${site}/tavo_core.wasm`) });

// ---- the glyphs -----------------------------------------------------------------------------
const texts = new Map(Object.values(FACES).map((font) => [font, '']));
const add = (font, text) => texts.set(font, texts.get(font) + text);
core.windowNames().forEach((name, window) => {
  const layout = core.windowLayout(window);
  add(PAGE_FONT, layout.title);
  for (const menu of layout.menus) {
    add(PAGE_FONT, menu.caption + menu.items.map((item) => item.caption).join(''));
  }
  for (const control of layout.controls) {
    if (control.font.face !== '') add(FACES[control.font.face], control.caption);
  }
});
// The boxes: whatever the core writes and a visitor types in ASCII, and in their Japanese
// face the out-of-range text and the full-width forms an input method gives.
add(FACES['Times New Roman'], String.fromCharCode(...Array.from({ length: 95 }, (_, i) => 32 + i)));
add(FACES['ＭＳ 明朝'], '範囲外０１２３４５６７８９＋－．，ｅＥ　');
// The page's own texts and the title bars' marks, wherever they are written.
for (const file of ['index.html', 'app.mjs', 'forms.mjs']) {
  add(PAGE_FONT, readFileSync(`${site}/${file}`, 'utf8').replace(/[\x00-\x7f]/g, ''));
}
mkdirSync(glyphs, { recursive: true });
for (const [font, text] of texts) {
  const unique = [...new Set(text.replace(/[\r\n]/g, ''))].sort().join('');
  writeFileSync(`${glyphs}/${font}.txt`, unique);
}

// ---- the icons ------------------------------------------------------------------------------
const crcTable = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
const crc32 = (bytes) => {
  let c = 0xffffffff;
  for (const b of bytes) c = crcTable[(c ^ b) & 255] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
};
const chunk = (type, data) => {
  const body = Buffer.concat([Buffer.from(type, 'latin1'), data]);
  const length = Buffer.alloc(4);
  length.writeUInt32BE(data.length);
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(body));
  return Buffer.concat([length, body, crc]);
};
// An RGBA PNG of the picture, each pixel a square of `scale` pixels.
const png = ({ width, height, data }, scale) => {
  const size = width * scale;
  const rows = Buffer.alloc((size * 4 + 1) * height * scale);
  for (let y = 0; y < height * scale; ++y) {
    const row = y * (size * 4 + 1);  // each row starts with filter type 0
    for (let x = 0; x < size; ++x) {
      const from = (Math.floor(y / scale) * width + Math.floor(x / scale)) * 4;
      rows.set(data.subarray(from, from + 4), row + 1 + x * 4);
    }
  }
  const header = Buffer.alloc(13);
  header.writeUInt32BE(size, 0);
  header.writeUInt32BE(height * scale, 4);
  header.set([8, 6, 0, 0, 0], 8);  // 8 bits a channel, RGBA
  return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', header),
    chunk('IDAT', deflateSync(rows, { level: 9 })), chunk('IEND', Buffer.alloc(0))]);
};
const emblem = xpmPixels(core.pictureXpm('emblem'));
mkdirSync(`${site}/icons`, { recursive: true });
for (const size of [192, 512]) {
  writeFileSync(`${site}/icons/icon-${size}.png`, png(emblem, size / emblem.width));
}
