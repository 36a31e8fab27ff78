// SPDX-License-Identifier: MIT
// An XPM picture (its lines, as the core gives them) as RGBA pixels, for the page's pictures
// and for the build's icons. A colour "None" is transparent.
export function xpmPixels(lines) {
  const [width, height, colours, perPixel] = lines[0].trim().split(/\s+/).map(Number);
  const palette = new Map();
  for (const line of lines.slice(1, 1 + colours)) {
    const value = line.slice(perPixel).trim().split(/\s+/).pop();
    const rgb = /^#[0-9a-f]{6}$/i.test(value) ? parseInt(value.slice(1), 16) : null;
    const rgba = rgb === null ? [0, 0, 0, 0] : [rgb >> 16, (rgb >> 8) & 255, rgb & 255, 255];
    palette.set(line.slice(0, perPixel), rgba);
  }
  const data = new Uint8ClampedArray(width * height * 4);
  lines.slice(1 + colours, 1 + colours + height).forEach((row, y) => {
    for (let x = 0; x < width; ++x) {
      const pixel = palette.get(row.slice(x * perPixel, (x + 1) * perPixel));
      data.set(pixel ?? [0, 0, 0, 0], (y * width + x) * 4);
    }
  });
  return { width, height, data };
}
