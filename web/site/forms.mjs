// SPDX-License-Identifier: MIT
// How a layout becomes a page window: buildWindow() turns a window's layout (the JSON of
// LayoutJson, ui/forms/layout_data.h: sizes in pixels, colours, fonts, tab positions) into
// elements, as ui/forms/form_builder.cpp turns the same data into Qt widgets. Every control is
// placed absolutely at its x, y, width and height inside the client area (or its frame); the
// window around it gets the title bar and menus its frame style and layout ask for. What the
// controls do is app.mjs's business; moving, stacking and scaling windows is desktop.mjs's.
import { xpmPixels } from './xpm.mjs';

// The faces the layouts name and the font each stands for: style.css's --face-<font>, which
// tries the installed original first, then the web font made of it, then the visitor's own.
export const FACES = {
  'ＭＳ 明朝': 'mincho',
  'ＭＳ Ｐ明朝': 'pmincho',
  'ＭＳ Ｐゴシック': 'pgothic',
  'Times New Roman': 'serif',
};
// The title bars', menus' and page's own texts, in the desktop program's own font.
export const PAGE_FONT = 'pgothic';

// The marks of the title bars' boxes and what screen readers call them.
const TITLE_BOXES = {
  minimise: { mark: '－', name: '最小化' },
  close: { mark: '×', name: '閉じる' },
};
const BOXES_OF_STYLE = {
  fixedSingle: ['minimise', 'close'],
  fixedDialog: ['close'],
  fixedTitleOnly: [],
};

let serial = 0;  // for the ids that tie a name or description to its element

function make(tag, className, parent) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  parent?.append(node);
  return node;
}

// A picture drawn from its XPM lines into a canvas (which the page scales unsmoothed).
function drawPicture(xpmLines) {
  const { width, height, data } = xpmPixels(xpmLines);
  const canvas = make('canvas');
  Object.assign(canvas, { width, height });
  canvas.getContext('2d').putImageData(new ImageData(data, width, height), 0, 0);
  return canvas;
}

// Gives `node` a description for screen readers, in a hidden element of the window.
export function describe(node, text) {
  const holder = node.closest('.window').querySelector(':scope > .descriptions');
  let note = document.getElementById(node.getAttribute('aria-describedby') ?? '');
  if (note === null) {
    note = make('span', '', holder);
    note.id = `tavo-note-${++serial}`;
    node.setAttribute('aria-describedby', note.id);
  }
  note.textContent = text;
}

// The element of one control, without position or font (buildWindow sets those).
function createControl(control, layout, pictures) {
  switch (control.kind) {
    case 'textBox': {
      const box = make('input', 'text-box');
      Object.assign(box, { type: 'text', value: control.caption, autocomplete: 'off' });
      box.spellcheck = false;
      box.setAttribute('autocapitalize', 'off');
      return box;
    }
    case 'multiLineTextBox': {
      const text = make('textarea', 'multi-line');
      text.readOnly = true;
      text.value = control.caption.replaceAll('\r\n', '\n');
      return text;
    }
    case 'label': {
      const label = make('div', 'label');
      label.textContent = control.caption;
      return label;
    }
    case 'frame': {
      const frame = make('div', 'frame');
      make('span', 'frame-caption', frame).textContent = control.caption;
      return frame;
    }
    case 'optionButton': {
      // The whole rectangle takes the click, as on the desktop; the mark is drawn by CSS.
      const option = make('label', 'option');
      const radio = make('input', '', option);
      Object.assign(radio, { type: 'radio', name: `${layout.name}-${control.container}` });
      radio.checked = control.selected;
      make('span', '', option).textContent = control.caption;
      return option;
    }
    case 'commandButton': {
      const button = make('button', control.flat ? 'command flat' : 'command');
      button.type = 'button';
      button.textContent = control.caption;
      return button;
    }
    case 'pictureBox': {
      const picture = make('button', 'picture');
      picture.type = 'button';
      picture.append(drawPicture(pictures(control.picture)));
      return picture;
    }
  }
  throw new Error(`unknown control kind ${control.kind}`);
}

// The element that takes the focus, the clicks and the name of a control.
export function focusTarget(node) {
  return node.matches('.option') ? node.querySelector('input') : node;
}

function placeControl(node, control, order) {
  const { style } = node;
  style.left = `${control.x}px`;
  style.top = `${control.y}px`;
  style.width = `${control.width}px`;
  style.height = `${control.height}px`;
  // Later controls lie on top of earlier ones; pictures on top of the captions they overlap.
  style.zIndex = String(control.kind === 'pictureBox' ? 1000 + order : order);
  if (control.font.face !== '') {
    style.fontFamily = `var(--face-${FACES[control.font.face]})`;
    style.fontSize = `${control.font.pixelSize}px`;
    style.fontWeight = control.font.bold ? 'bold' : 'normal';
    if (control.font.underline) style.textDecorationLine = 'underline';
  }
  // The colours the desktop's builder sets for each kind; buttons keep the theme's.
  if (control.kind !== 'commandButton' && control.kind !== 'pictureBox') {
    style.color = control.foreColour;
    if (control.kind !== 'label' || control.backgroundFilled) {
      style.backgroundColor = control.backColour;
    }
  }
  if (control.centred) style.textAlign = 'center';
}

function buildTitleBar(layout, root) {
  const bar = make('div', 'title-bar', root);
  const title = make('span', 'title', bar);
  title.textContent = layout.title;
  title.id = `tavo-title-${++serial}`;
  root.setAttribute('aria-labelledby', title.id);
  const boxes = {};
  for (const kind of BOXES_OF_STYLE[layout.frameStyle]) {
    const box = make('button', `title-box ${kind}`, bar);
    Object.assign(box, { type: 'button', tabIndex: -1, textContent: TITLE_BOXES[kind].mark });
    box.setAttribute('aria-label', TITLE_BOXES[kind].name);
    boxes[kind] = box;
  }
  return { bar, boxes };
}

// A menu bar as the desktop's: the menus open by a click or, once a menu title has the focus
// (Alt or F10, see desktop.mjs), by Enter, Space or Down; the arrows move, Escape closes.
function buildMenuBar(layout, root) {
  const bar = make('div', 'menu-bar', root);
  bar.setAttribute('role', 'menubar');
  const items = new Map();
  const titles = [];
  const close = () => {
    for (const title of titles) {
      title.setAttribute('aria-expanded', 'false');
      title.nextElementSibling.hidden = true;
    }
  };
  const open = (title) => {
    close();
    title.setAttribute('aria-expanded', 'true');
    const menu = title.nextElementSibling;
    menu.hidden = false;
    menu.querySelector('[role=menuitem]').focus();
  };
  for (const design of layout.menus) {
    const holder = make('div', 'menu', bar);
    const title = make('button', 'menu-title', holder);
    Object.assign(title, { type: 'button', tabIndex: -1, textContent: design.caption });
    title.setAttribute('role', 'menuitem');
    title.setAttribute('aria-haspopup', 'menu');
    title.setAttribute('aria-expanded', 'false');
    titles.push(title);
    const menu = make('div', 'menu-items', holder);
    menu.setAttribute('role', 'menu');
    menu.hidden = true;
    for (const itemDesign of design.items) {
      const item = make('button', 'menu-item', menu);
      Object.assign(item, { type: 'button', tabIndex: -1, textContent: itemDesign.caption });
      item.setAttribute('role', 'menuitem');
      item.addEventListener('click', close);
      items.set(itemDesign.name, item);
    }
    title.addEventListener('click', () => (menu.hidden ? open(title) : close()));
    title.addEventListener('pointerenter', () => {
      if (titles.some((t) => !t.nextElementSibling.hidden) && menu.hidden) open(title);
    });
  }
  bar.addEventListener('keydown', (event) => {
    const inMenu = event.target.matches('.menu-item');
    const title = event.target.closest('.menu').querySelector('.menu-title');
    const step = (list, node, by) => list[(list.indexOf(node) + by + list.length) % list.length];
    if (event.key === 'Escape') {
      close();
      title.focus();
    } else if (event.key === 'ArrowLeft' || event.key === 'ArrowRight') {
      const next = step(titles, title, event.key === 'ArrowLeft' ? -1 : 1);
      if (inMenu) open(next);
      else next.focus();
    } else if (inMenu && (event.key === 'ArrowDown' || event.key === 'ArrowUp')) {
      const list = [...event.target.parentNode.children];
      step(list, event.target, event.key === 'ArrowUp' ? -1 : 1).focus();
    } else if (!inMenu && event.key === 'ArrowDown') {
      open(title);
    } else {
      return;
    }
    event.preventDefault();
  });
  bar.addEventListener('focusout', (event) => {
    if (!bar.contains(event.relatedTarget)) close();
  });
  return { bar, items, titles, close };
}

// The window of a layout: {root, client, controls (by id: "TextBox_3"), titleBar, boxes (the
// title bar's), menuItems (by name: "MenuFileEnd"), menuTitles, layout}. `pictures(name)`
// gives a picture's XPM lines.
export function buildWindow(layout, pictures) {
  const root = make('section', `window ${layout.frameStyle}`);
  root.dataset.name = layout.name;
  root.setAttribute('role', 'dialog');
  make('div', 'descriptions', root).hidden = true;
  const window = { root, layout, controls: new Map(), boxes: {}, menuItems: new Map() };
  if (layout.frameStyle !== 'dialogNoTitle') {
    const { bar, boxes } = buildTitleBar(layout, root);
    Object.assign(window, { titleBar: bar, boxes });
  }
  if (layout.accessibleName !== '') root.setAttribute('aria-label', layout.accessibleName);
  if (layout.menus.length > 0) {
    const menus = buildMenuBar(layout, root);
    Object.assign(window, { menuItems: menus.items, menuTitles: menus.titles });
  }
  const client = make('div', 'client', root);
  client.style.width = `${layout.width}px`;
  client.style.height = `${layout.height}px`;
  client.style.setProperty('--face', layout.background);
  window.client = client;

  layout.controls.forEach((control, order) => {
    const node = createControl(control, layout, pictures);
    node.dataset.id = control.id;
    placeControl(node, control, order);
    const target = focusTarget(node);
    if (control.kind !== 'label' && control.kind !== 'frame') {
      // Tab stops take the focus by Tab, the others by a click only (as on the desktop).
      target.tabIndex = control.tabStop ? 0 : -1;
      target.dataset.tabIndex = String(control.tabIndex);
    }
    if (control.accessibleName !== '') target.setAttribute('aria-label', control.accessibleName);
    if (control.shortcut !== '') {
      node.title = `${control.caption} (${control.shortcut})`;
      target.setAttribute('aria-keyshortcuts', control.shortcut);
    }
    window.controls.set(control.id, node);
    (control.container === '' ? client : window.controls.get(control.container)).append(node);
    if (control.kind === 'optionButton') {
      window.controls.get(control.container).setAttribute('role', 'radiogroup');
    }
  });
  // Names and descriptions, once every control is in the window: a label names its buddy
  // unless the buddy has a name of its own; a frame names its group.
  for (const control of layout.controls) {
    const node = window.controls.get(control.id);
    const target = focusTarget(node);
    const shortcut = control.shortcut === '' ? '' : ` (${control.shortcut})`;
    if (control.description !== '') describe(target, control.description + shortcut);
    if (control.kind === 'frame') node.setAttribute('aria-label', control.caption.trim());
    const buddy = control.buddy === '' ? null : focusTarget(window.controls.get(control.buddy));
    if (buddy !== null && !buddy.hasAttribute('aria-label')) {
      buddy.setAttribute('aria-label', control.caption.trim());
    }
  }
  // The Tab order: the layout's tab positions, which Tab follows in the order of the DOM.
  const stops = [...client.querySelectorAll('[data-tab-index]')];
  stops.sort((a, b) => Number(a.dataset.tabIndex) - Number(b.dataset.tabIndex));
  window.tabStops = stops.filter((node) => node.tabIndex === 0);
  return window;
}
