// Drives the real page in an iframe as a reader would: waits for the data, clicks the start
// button, then sends mouse and key events to the canvas. What it saw goes into #result (read
// with --dump-dom); in the shot cases the page's screen is left filling the 640x500 window.
'use strict';

const params = new URLSearchParams(location.search);
const steps = (params.get('steps') || '').split(',').filter(Boolean);
const frame = document.getElementById('page');
// Nothing is kept between runs unless keep=1 asks for the browser's storage.
frame.src = 'site/index.html' + (params.get('keep') === '1' ? '' : '?keep=0');
// size=WxH: the page's window, so that it scales the screen by a larger whole factor.
if (params.get('size')) {
  const [w, h] = params.get('size').split('x');
  frame.style.width = w + 'px';
  frame.style.height = h + 'px';
}
const result = document.getElementById('result');

// With report=1 (scripts/web-figures.py) every line is also posted back to the server.
const report = params.get('report') === '1';
function say(line) {
  result.textContent += line + '\n';
  if (report) fetch('report', { method: 'POST', body: line }).catch(() => {});
}
function sleep(ms) { return new Promise(r => setTimeout(r, ms)); }
async function until(cond, ms) {
  for (let waited = 0; waited < ms; waited += 50) {
    if (cond()) return true;
    await sleep(50);
  }
  return false;
}

// Frame coordinates (the menu bar's rows included) to the canvas's client coordinates.
function mouse(kind, x, y, button) {
  const canvas = frame.contentDocument.getElementById('canvas');
  const r = canvas.getBoundingClientRect();
  const init = { bubbles: true, cancelable: true, view: frame.contentWindow, button: button,
                 buttons: kind === 'mouseup' ? 0 : (button === 2 ? 2 : 1),
                 clientX: r.left + (x + 0.5) * r.width / 640,
                 clientY: r.top + (y + 0.5) * r.height / 500 };
  if (kind === 'mousemove') init.buttons = 0;
  canvas.dispatchEvent(new frame.contentWindow.MouseEvent(kind, init));
}
function click(x, y, button) {
  mouse('mousemove', x, y, 0);
  mouse('mousedown', x, y, button || 0);
  mouse('mouseup', x, y, button || 0);
}
const keyCodes = { F10: 121, ArrowRight: 39, ArrowDown: 40, Enter: 13, Minus: 189 };
function key(name) {
  const w = frame.contentWindow;
  for (const kind of ['keydown', 'keyup']) {
    const e = new w.KeyboardEvent(kind, { key: name === 'Minus' ? '-' : name, code: name,
                                             bubbles: true, cancelable: true });
    Object.defineProperty(e, 'keyCode', { get: () => keyCodes[name] });
    Object.defineProperty(e, 'which', { get: () => keyCodes[name] });
    w.dispatchEvent(e);
  }
}

async function run() {
  const d = frame.contentDocument;
  const w = frame.contentWindow;
  // Nothing leaves the machine: the new tab and the download are noted, not carried out.
  w.open = (url) => { say('window.open ' + url); return null; };
  d.addEventListener('click', (e) => {
    const a = e.target;
    if (a && a.tagName === 'A' && a.hasAttribute('download')) {
      e.preventDefault();
      say('anchor ' + a.getAttribute('download') + ' ' + a.getAttribute('href'));
    }
  }, true);
  const start = d.getElementById('start');
  const status = d.getElementById('status');
  const ready = await until(() => !start.hidden || status.className === 'fault', 50000);
  say('status ' + (ready ? status.textContent.replace(/\n/g, ' / ') : 'timeout'));
  if (start.hidden) return;
  d.body.classList.add('full');  // the screen alone, filling the window at a whole factor
  w.dispatchEvent(new w.Event('resize'));
  start.click();
  if (report) {
    // The page's own log as it grows: the figures script times what it reports.
    const pageLog = d.getElementById('log');
    let sent = 0;
    setInterval(() => {
      const text = pageLog.textContent;
      if (text.length > sent) { say(text.slice(sent).trimEnd()); sent = text.length; }
    }, 50);
  }
  for (const step of steps) {
    const [what, a, b] = step.split(':');
    if (what === 'wait') await sleep(Number(a));
    else if (what === 'click') click(Number(a), Number(b), 0);
    else if (what === 'key') key(a);
    else if (what === 'kept') {
      // What the page keeps in IndexedDB: the file names and texts under /kept.
      const db = await new Promise((ok, no) => {
        const r = indexedDB.open('/kept');
        r.onsuccess = () => ok(r.result);
        r.onerror = () => no(r.error);
      });
      const names = Array.from(db.objectStoreNames);
      if (names.length) {
        const all = await new Promise((ok) => {
          const q = db.transaction(names[0]).objectStore(names[0]).getAll();
          q.onsuccess = () => ok(q.result);
        });
        const keys = await new Promise((ok) => {
          const q = db.transaction(names[0]).objectStore(names[0]).getAllKeys();
          q.onsuccess = () => ok(q.result);
        });
        keys.forEach((k, i) => {
          const c = all[i] && all[i].contents;
          say('kept ' + k + (c ? ' ' + new TextDecoder().decode(c).replace(/\n/g, '|') : ''));
        });
      }
      db.close();
    }
    else if (what === 'fetch') {
      const r = await fetch('site/' + a);
      say('fetched ' + a + ' ' + r.status + ' ' + (await r.arrayBuffer()).byteLength);
    }
  }
  say('log:\n' + d.getElementById('log').textContent);
  say('done');
}

frame.addEventListener('load', () => { run().catch(e => say('harness error ' + e)); });
