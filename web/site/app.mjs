// SPDX-License-Identifier: MIT
// The browser edition's windows and what they do, as the desktop program's: the main window
// (ui/shell/main_window.cpp), the converter windows (ui/converter/converter_window.cpp), the
// help and About windows (ui/shell/info_window.cpp) and the keys and ending of
// app/application.cpp. Layouts, pictures, names and every text a box shows come from the
// C++ core (core.mjs); forms.mjs makes the elements, desktop.mjs moves and stacks them.
import { BASE_INDEX, loadCore } from './core.mjs';
import { buildWindow, describe, focusTarget } from './forms.mjs';
import { Desktop } from './desktop.mjs';

const core = await loadCore();
// The windows by name: their numbers, and the converter window of each quantity number.
const names = core.windowNames();
const numbers = new Map(names.map((name, window) => [name, window]));
const converterNames = new Map(names.map((name, window) => [core.windowQuantity(window), name]));
const desktop = new Desktop(document.getElementById('desktop'));
const ended = document.getElementById('ended');

// A window's elements, from its layout, read when the window is opened.
function build(name) {
  return buildWindow(core.windowLayout(numbers.get(name)), (picture) => core.pictureXpm(picture));
}
const click = (node, handler) => focusTarget(node).addEventListener('click', handler);

// ---- TAVO_Main ------------------------------------------------------------------------------

function openMain() {
  ended.hidden = true;
  desktop.show('TAVO_Main', () => {
    const window = build('TAVO_Main');
    for (const choice of core.quantityChoices()) {
      const Cmd_Click = () => openConverter(choice.quantity);
      click(window.controls.get(choice.picture), Cmd_Click);
      click(window.controls.get(choice.caption), Cmd_Click);
    }
    window.menuItems.get('MenuFileEnd').addEventListener('click', endProgram);
    window.menuItems.get('MenuHelpUse').addEventListener('click', openManual);
    window.menuItems.get('MenuHelpAbout').addEventListener('click', openAbout);
    return window;
  });
}

// ---- the converter windows ------------------------------------------------------------------

function openConverter(quantity) {
  const name = converterNames.get(quantity);
  desktop.show(name, () => {
    const window = build(name);
    const rows = core.load(quantity);  // Form_Load: the state afresh, every row's text
    const boxes = rows.map((_, row) => window.controls.get(`TextBox_${row}`));
    const options = {
      fix: window.controls.get('OptFrmFix'),
      exp: window.controls.get('OptFrmExp'),
    };
    const exponential = () => focusTarget(options.exp).checked;
    // Writes the rows a call rewrote: every row but the one edited.
    const show = (texts, edited) => {
      texts.forEach((text, row) => {
        if (row !== edited) boxes[row].value = text;
      });
    };
    const Recompute = (index) => {
      const text = index === BASE_INDEX ? '' : boxes[index].value;
      show(core.recompute(quantity, index, text, exponential()), index);
    };
    show(rows, BASE_INDEX);

    boxes.forEach((box, row) => {
      // Screen readers name the box by its unit and reading and describe its size; its label
      // shows both as a tooltip.
      const spoken = core.unitName(quantity, row);
      const size = core.unitDescription(quantity, row);
      box.setAttribute('aria-label', spoken);
      describe(box, size);
      const label = window.layout.controls.find((c) => c.buddy === box.dataset.id);
      if (label !== undefined) window.controls.get(label.id).title = `${spoken}\n${size}`;
      // TextBox_KeyPress: Enter converts, unless it only ends an input method's composition.
      box.addEventListener('keydown', (event) => {
        if (event.key !== 'Enter' || event.isComposing || event.keyCode === 229) return;
        event.preventDefault();
        Recompute(row);
      });
      // TextBox_GotFocus: the whole text selected, by Tab or by the click that brings the
      // focus (which must not put the caret down instead); later clicks place the caret.
      box.addEventListener('focus', () => box.select());
      box.addEventListener('mousedown', (event) => {
        if (document.activeElement === box) return;
        event.preventDefault();
        box.focus();
      });
    });
    // OptFrmFix_Click, OptFrmExp_Click: every row afresh, also on the option already chosen.
    click(options.fix, () => Recompute(BASE_INDEX));
    click(options.exp, () => Recompute(BASE_INDEX));
    // The options are out of the Tab order: the window's description names their keys.
    const key = (o) => `${focusTarget(o).getAttribute('aria-keyshortcuts')} で${o.textContent}`;
    const caption = window.controls.get('Frame1').querySelector('.frame-caption').textContent;
    describe(window.root, `${caption}: ${key(options.fix)}、${key(options.exp)}`);
    click(window.controls.get('CommandClose'), () => desktop.unload(name));  // CommandClose_Click
    return window;
  });
}

// ---- the help and About windows -------------------------------------------------------------

function openInfo(name) {
  desktop.show(name, () => {
    const window = build(name);
    click(window.controls.get('Command1'), () => desktop.unload(name));  // Command1_Click
    return window;
  });
}
const openManual = () => openInfo('Manual');
const openAbout = () => openInfo('TAVO_About');

// ---- the program ----------------------------------------------------------------------------

// ﾌｧｲﾙ > 終了: every window goes; the page offers to start again.
function endProgram() {
  desktop.unloadAll();
}
desktop.onEmpty = () => {
  ended.hidden = false;
  ended.querySelector('button').focus();
};
ended.querySelector('button').addEventListener('click', openMain);

// F1 opens the help window from every window, as on the desktop.
addEventListener('keydown', (event) => {
  if (event.key !== 'F1' || event.altKey || event.ctrlKey || event.shiftKey) return;
  event.preventDefault();
  if (!ended.hidden) return;
  openManual();
});

openMain();
document.documentElement.dataset.ready = 'true';
performance.mark('tavo-ready');
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
