// The editor on a canvas: the page's instance of the plug-in draws it with the
// raster layer (as the desktop's editor draws into its window), and the page
// puts each new picture on the canvas and hands it the pointer, the wheel and
// keys. A right click on a knob opens a box over it for a typed value (or a
// list, for a parameter of a few named values), as on the desktop.
//
// The canvas holds device pixels: the editor is drawn at the page's scale
// (devicePixelRatio, the person's zoom with it) from 1 to 2, and shown at its
// editor size in CSS pixels, narrower where the page is (a phone).

const kTickMs = 1000 / 24;  // the editor's redraw timer, as on the desktop
const kLeft = 1, kRight = 2, kShift = 4, kControl = 8, kAlt = 16;
const kWheelNotch = 100;  // pixels of a page's scroll that make one notch of a wheel

// EKey codes (graphics/key_code.h) of the keys the controls take.
function keyCode(key) {
  const named = {' ': 0, ArrowUp: 1, ArrowDown: 2, ArrowLeft: 3, ArrowRight: 4, Escape: 42};
  if (key in named) return named[key];
  if (/^[0-9]$/.test(key)) return 6 + Number(key);
  if (/^[a-zA-Z]$/.test(key)) return 16 + key.toUpperCase().charCodeAt(0) - 65;
  return -1;
}

export class EditorView {
  // m: the module; h: an instance made by _spw_create_with_editor; canvas: where
  // it shows. onEdits(changes) gets what the person did, as [{id, value}], to
  // send to the worklet.
  constructor(m, h, canvas, onEdits) {
    Object.assign(this, {m, h, canvas, onEdits, painted: -1, buttons: 0, entry: null, scale: 0, x: 0, y: 0});
    this.context = canvas.getContext('2d');
    canvas.tabIndex = 0;
    canvas.style.touchAction = 'none';  // a drag on a knob turns it, not the page
    this.listen();
    this.timer = setInterval(() => this.tick(), kTickMs);
    this.tick();
  }

  // Values the worklet's instance wrote itself: shown, and not sent back.
  apply(changes) {
    for (const {id, value} of changes) this.m._spw_apply_change(this.h, id, value);
    this.m._spw_clear_output_changes(this.h);
  }

  // What the person changed since the last call, the list then cleared.
  takeEdits() {
    const changes = [];
    for (let i = 0; i < this.m._spw_output_change_count(this.h); ++i) {
      changes.push({id: this.m._spw_output_change_id(this.h, i), value: this.m._spw_output_change_value(this.h, i)});
    }
    this.m._spw_clear_output_changes(this.h);
    return changes;
  }

  tick() {
    const scale = Math.min(2, Math.max(1, window.devicePixelRatio || 1));
    if (scale !== this.scale) {
      this.scale = scale;
      this.m._spw_editor_set_scale(this.h, scale);
    }
    this.m._spw_editor_tick(this.h);
    const edits = this.takeEdits();
    if (edits.length > 0) this.onEdits(edits);
    this.showEntry();
    this.openWebPage();
    if (this.m._spw_editor_paint_count(this.h) !== this.painted) this.draw();
  }

  draw() {
    const {m, h, canvas} = this;
    this.painted = m._spw_editor_paint_count(h);
    const width = m._spw_editor_width(h), height = m._spw_editor_height(h);
    if (canvas.width !== width || canvas.height !== height) {
      Object.assign(canvas, {width, height});
      canvas.style.width = `${width / this.scale}px`;
      canvas.style.maxWidth = '100%';
    }
    const pixels = new Uint8ClampedArray(m.HEAPU8.buffer, m._spw_editor_rgba(h), width * height * 4);
    this.context.putImageData(new ImageData(pixels.slice(), width, height), 0, 0);
  }

  // The device pixel of the picture under a pointer event.
  at(event) {
    const box = this.canvas.getBoundingClientRect();
    return [Math.floor(((event.clientX - box.left) * this.canvas.width) / box.width),
            Math.floor(((event.clientY - box.top) * this.canvas.height) / box.height)];
  }

  static keys(event, buttons) {
    return buttons | (event.shiftKey ? kShift : 0) | (event.ctrlKey || event.metaKey ? kControl : 0) | (event.altKey ? kAlt : 0);
  }

  listen() {
    const {m, h, canvas} = this;
    const button = (event) => (event.button === 2 ? kRight : kLeft);
    canvas.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      canvas.focus();
      canvas.setPointerCapture(event.pointerId);
      this.closeEntry(true);
      this.buttons = button(event);
      m._spw_editor_mouse_down(h, ...this.at(event), EditorView.keys(event, this.buttons));
      this.tick();
    });
    canvas.addEventListener('pointermove', (event) => {
      [this.x, this.y] = this.at(event);
      m._spw_editor_mouse_move(h, this.x, this.y, EditorView.keys(event, this.buttons));
    });
    canvas.addEventListener('pointerup', (event) => {
      this.buttons = 0;
      m._spw_editor_mouse_up(h, ...this.at(event), EditorView.keys(event, 0));
      this.tick();
    });
    canvas.addEventListener('pointercancel', () => {
      this.buttons = 0;
      m._spw_editor_mouse_out(h);
    });
    canvas.addEventListener('pointerleave', () => this.buttons === 0 && m._spw_editor_mouse_out(h));
    canvas.addEventListener('dblclick', (event) => m._spw_editor_mouse_double(h, ...this.at(event), EditorView.keys(event, kLeft)));
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
    canvas.addEventListener('wheel', (event) => {
      event.preventDefault();
      const pixels = event.deltaMode === 0 ? event.deltaY : event.deltaY * 40;
      const notches = -Math.sign(pixels) * Math.max(1, Math.round(Math.abs(pixels) / kWheelNotch));
      if (pixels !== 0) m._spw_editor_wheel(h, ...this.at(event), EditorView.keys(event, 0), notches);
    }, {passive: false});
    canvas.addEventListener('keydown', (event) => {
      const code = keyCode(event.key);
      if (code >= 0 && m._spw_editor_key(h, this.x, this.y, code)) event.preventDefault();
    });
  }

  // The box for a typed value or a choice, over the control, while the editor asks for one.
  showEntry() {
    const {m, h} = this;
    const kind = m._spw_editor_entry_kind(h);
    if (kind === 0 || this.entry) return;
    const [left, top, right, bottom] = [0, 1, 2, 3].map((side) => m._spw_editor_entry_rect(h, side));
    const box = this.canvas.getBoundingClientRect(), toPage = box.width / this.canvas.width;
    let input;
    if (kind === 2) {
      input = document.createElement('select');
      const current = m.UTF8ToString(m._spw_editor_entry_text(h));
      for (let i = 0; i < m._spw_editor_entry_choice_count(h); ++i) {
        const text = m.UTF8ToString(m._spw_editor_entry_choice(h, i));
        input.add(new Option(text, text, false, text === current));
      }
      input.onchange = () => this.closeEntry(true);
    } else {
      input = Object.assign(document.createElement('input'), {type: 'text', value: m.UTF8ToString(m._spw_editor_entry_text(h))});
    }
    input.className = 'editor-entry';
    Object.assign(input.style, {position: 'absolute', left: `${window.scrollX + box.left + left * toPage}px`,
                                top: `${window.scrollY + box.top + top * toPage}px`, width: `${(right - left) * toPage}px`,
                                height: `${(bottom - top) * toPage}px`, boxSizing: 'border-box', font: 'inherit'});
    input.onkeydown = (event) => {
      if (event.key === 'Enter') this.closeEntry(true);
      if (event.key === 'Escape') this.closeEntry(false);
    };
    input.onblur = () => this.closeEntry(true);
    document.body.append(input);
    input.focus();
    if (input.select) input.select();
    this.entry = input;
  }

  // Commits (the text as typed) or cancels the open box.
  closeEntry(commit) {
    const input = this.entry;
    if (!input) return;
    this.entry = null;
    input.onblur = null;
    if (commit) {
      const text = input.value, size = this.m.lengthBytesUTF8(text) + 1, at = this.m._malloc(size);
      this.m.stringToUTF8(text, at, size);
      this.m._spw_editor_entry_answer(this.h, at);
      this.m._free(at);
    } else {
      this.m._spw_editor_entry_cancel(this.h);
    }
    input.remove();
    this.tick();
  }

  // The logo's address, in a new tab.
  openWebPage() {
    const address = this.m.UTF8ToString(this.m._spw_editor_take_web_page(this.h));
    if (address) window.open(address, '_blank', 'noopener');
  }
}
