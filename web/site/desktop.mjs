// SPDX-License-Identifier: MIT
// The page as a desktop for the windows forms.mjs builds: at most one instance of each window
// (as ui/forms/window_reference.cpp keeps), placed where its layout says inside the viewport,
// scaled down where the viewport is too small, moved by its title bar, brought to the front
// when used, and Tab kept inside it in the layout's order.
const MARGIN = 4;  // pixels kept free around a window scaled down to fit

export class Desktop {
  constructor(area) {
    this.area = area;
    this.open = new Map();  // name -> window
    this.top = 0;
    this.onEmpty = () => {};
    addEventListener('resize', () => {
      for (const window of this.open.values()) this.#fit(window, false);
    });
  }

  // Shows the window `name`, made by create() if it is not open, or brings the open one to
  // the front with its focus back.
  show(name, create) {
    let window = this.open.get(name);
    if (window === undefined) {
      window = create();
      this.open.set(name, window);
      this.#manage(window);
      this.area.append(window.root);
      this.#fit(window, true);
      this.front(window);
      window.tabStops[0]?.focus();
    } else {
      this.front(window);
      this.#restoreFocus(window);
    }
    return window;
  }

  // The focus back where it was in the window, or, where that cannot take it any more (a
  // closed menu's item), on its first tab stop.
  #restoreFocus(window) {
    window.lastFocus?.focus();
    if (!window.root.contains(document.activeElement)) window.tabStops[0]?.focus();
  }

  // Removes the window and everything in it: the next show() creates it afresh.
  unload(name) {
    const window = this.open.get(name);
    if (window === undefined) return;
    this.open.delete(name);
    window.root.remove();
    // The window in front of the others takes over, as a window manager does.
    const z = (w) => Number(w.root.style.zIndex);
    const next = [...this.open.values()].sort((a, b) => z(b) - z(a))[0];
    if (next === undefined) this.onEmpty();
    else this.show(next.layout.name);
  }

  unloadAll() {
    for (const window of this.open.values()) window.root.remove();
    this.open.clear();
    this.onEmpty();
  }

  front(window) {
    for (const other of this.open.values()) other.root.classList.toggle('active', other === window);
    const { style } = window.root;
    if (style.zIndex !== String(this.top)) style.zIndex = String(++this.top);
  }

  #manage(window) {
    const { root, titleBar } = window;
    root.addEventListener('pointerdown', () => this.front(window), true);
    // A press on what takes no focus (a label, the title bar, the background) activates the
    // window: the focus goes back to the control that had it there.
    root.addEventListener('mousedown', (event) => {
      if (event.target.closest('input, textarea, .option, button:not(.title-box)')) return;
      event.preventDefault();
      if (!root.contains(document.activeElement)) this.#restoreFocus(window);
    });
    root.addEventListener('focusin', (event) => {
      if (window.client.contains(event.target)) window.lastFocus = event.target;
      this.front(window);
    });
    root.addEventListener('keydown', (event) => {
      if (event.key === 'Tab' && !event.altKey && !event.ctrlKey && !event.metaKey) {
        this.#tab(window, event.shiftKey ? -1 : 1);
        event.preventDefault();
      }
    });
    if (titleBar !== undefined) this.#dragBy(titleBar, window);
    window.boxes.close?.addEventListener('click', () => this.unload(window.layout.name));
    // Minimised, a window keeps its title bar in the page: there is no task bar to bring it
    // back from. The same box restores it.
    const minimise = window.boxes.minimise;
    minimise?.setAttribute('aria-expanded', 'true');
    minimise?.addEventListener('click', () => {
      const minimised = root.classList.toggle('minimised');
      minimise.setAttribute('aria-expanded', String(!minimised));
    });
    if (window.menuTitles !== undefined) this.#menuKeys(window);
    this.#shortcuts(window);
  }

  // A control's key ("Alt+N") clicks it wherever the focus is in its window, and leaves the
  // focus there.
  #shortcuts(window) {
    const keys = new Map();
    for (const node of window.root.querySelectorAll('[aria-keyshortcuts]')) {
      keys.set(node.getAttribute('aria-keyshortcuts').toUpperCase(), node);
    }
    if (keys.size === 0) return;
    window.root.addEventListener('keydown', (event) => {
      if (!event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
      // By the key's place, so that Alt+N works whatever the keyboard layout or input mode.
      const node = keys.get(`ALT+${event.code.replace(/^Key/, '')}`);
      if (node === undefined) return;
      node.click();
      event.preventDefault();
    });
  }

  // Alt pressed and released alone, or F10, gives the focus to the first menu, as on the
  // desktop; Escape on a menu's title gives it back.
  #menuKeys(window) {
    let altAlone = false;
    window.root.addEventListener('keydown', (event) => {
      altAlone = event.key === 'Alt' && !event.repeat;
      if (event.key === 'F10' && !event.shiftKey) {
        window.menuTitles[0].focus();
        event.preventDefault();
      } else if (event.key === 'Escape' && window.menuTitles.includes(event.target)) {
        this.#restoreFocus(window);
      }
    });
    window.root.addEventListener('keyup', (event) => {
      if (event.key === 'Alt' && altAlone) {
        window.menuTitles[0].focus();
        event.preventDefault();
      }
      altAlone = false;
    });
  }

  // Tab and Shift+Tab: to the next or previous tab stop after the focused control, round the
  // window; from a control that Tab skips, on from its own tab position.
  #tab(window, step) {
    const stops = window.tabStops;
    if (stops.length === 0) return;
    const position = (node) => Number(node?.dataset.tabIndex ?? -1);
    const here = position(document.activeElement);
    const onward = step > 0 ? stops.find((s) => position(s) > here) ?? stops[0]
      : stops.findLast((s) => position(s) < here) ?? stops[stops.length - 1];
    onward.focus();
  }

  // Moves the window with the pointer (mouse, pen or finger) that presses its title bar.
  #dragBy(bar, window) {
    bar.addEventListener('pointerdown', (event) => {
      if (event.button !== 0 || event.target.closest('button')) return;
      if (!window.root.contains(document.activeElement)) this.#restoreFocus(window);
      const start = { x: event.clientX, y: event.clientY, left: window.x, top: window.y };
      bar.setPointerCapture(event.pointerId);
      const move = (e) => {
        this.#moveTo(window, start.left + e.clientX - start.x, start.top + e.clientY - start.y);
      };
      const end = () => bar.removeEventListener('pointermove', move);
      bar.addEventListener('pointermove', move);
      bar.addEventListener('pointerup', end, { once: true });
      bar.addEventListener('pointercancel', end, { once: true });
      event.preventDefault();
    });
  }

  // Keeps the whole window in the viewport, its title bar at least, where it can.
  #moveTo(window, x, y) {
    const { width, height } = this.#size(window);
    window.x = Math.round(Math.max(0, Math.min(x, innerWidth - width)));
    window.y = Math.round(Math.max(0, Math.min(y, innerHeight - height)));
    window.root.style.left = `${window.x}px`;
    window.root.style.top = `${window.y}px`;
  }

  #size(window) {
    const scale = window.scale ?? 1;
    return { width: window.root.offsetWidth * scale, height: window.root.offsetHeight * scale };
  }

  // Scales the window down to the viewport where it does not fit, then places it: centred,
  // or, where the layout fixes the place and the window fits, its client area's corner there
  // (first time only).
  #fit(window, place) {
    const { root, layout, client } = window;
    window.scale = Math.min(1, (innerWidth - 2 * MARGIN) / root.offsetWidth,
      (innerHeight - 2 * MARGIN) / root.offsetHeight);
    root.style.transform = window.scale < 1 ? `scale(${window.scale})` : '';
    const { width, height } = this.#size(window);
    if (!place) {
      this.#moveTo(window, window.x, window.y);
    } else if (layout.startPosition === 'manual' && window.scale === 1) {
      const outer = root.getBoundingClientRect();
      const inner = client.getBoundingClientRect();
      this.#moveTo(window, layout.left - (inner.left - outer.left),
        layout.top - (inner.top - outer.top));
    } else {
      this.#moveTo(window, (innerWidth - width) / 2, (innerHeight - height) / 2);
    }
  }
}
