// The page around velko01: checks that the browser can run it, loads the program and its
// data with a progress bar, starts it on the first click (browsers let sound start only then),
// scales the 640x500 frame by whole factors and keeps a log of what the program asked of it.
'use strict';

(function () {
  var logBox = document.getElementById('log');
  var status = document.getElementById('status');
  var progress = document.getElementById('progress');
  var startButton = document.getElementById('start');
  var cover = document.getElementById('cover');
  var stage = document.getElementById('stage');
  var canvas = document.getElementById('canvas');
  var failed = false;
  var started = false;

  function log(line) {
    logBox.textContent += line + '\n';
    logBox.scrollTop = logBox.scrollHeight;
  }

  function fail(words) {
    if (failed) return;
    failed = true;
    log('error: ' + words);
    status.textContent = words;
    status.className = 'fault';
    progress.hidden = true;
    startButton.hidden = true;
    cover.classList.remove('gone');
  }

  // The largest whole factor of device pixels that fits the stage, so that every pixel of the
  // frame becomes a crisp square.
  function fit() {
    var ratio = window.devicePixelRatio || 1;
    var w = stage.clientWidth * ratio;
    var h = stage.clientHeight * ratio;
    var factor = Math.max(1, Math.floor(Math.min(w / 640, h / 500)));
    canvas.style.setProperty('--w', (640 * factor / ratio) + 'px');
    canvas.style.setProperty('--h', (500 * factor / ratio) + 'px');
  }
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', function () {
    document.body.classList.toggle('full', !!document.fullscreenElement);
    fit();
  });
  fit();

  function setFullscreen(on) {
    if (on && !document.fullscreenElement && stage.requestFullscreen) {
      stage.requestFullscreen().catch(function (e) { log('full screen refused: ' + e.message); });
    } else if (!on && document.fullscreenElement) {
      document.exitFullscreen();
    }
  }
  document.getElementById('full').addEventListener('click', function () {
    setFullscreen(!document.fullscreenElement);
    canvas.focus();
  });
  document.addEventListener('keydown', function (e) {
    // Before the program runs (or once it has ended) F11 still means full screen.
    if (e.key === 'F11' && !started) {
      e.preventDefault();
      setFullscreen(!document.fullscreenElement);
    }
  });

  // What the program can do without: a browser without either cannot show a single frame.
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    fail('このブラウザーは WebAssembly に対応していないため、読むことができません。\n' +
         'This browser lacks WebAssembly, which the player needs.');
    return;
  }
  var probe = document.createElement('canvas');
  if (!window.WebGLRenderingContext ||
      !(probe.getContext('webgl') || probe.getContext('experimental-webgl'))) {
    fail('このブラウザーでは WebGL が使えないため、画面を表示できません。\n' +
         'WebGL is not available in this browser, so the screen cannot be shown.');
    return;
  }

  window.addEventListener('error', function (e) {
    fail('読み込みに失敗しました: ' + (e.message || e.type) + '\nThe player could not be loaded; reload the page to try again.');
  });
  window.addEventListener('unhandledrejection', function (e) {
    fail('読み込みに失敗しました: ' + (e.reason && e.reason.message || e.reason) +
         '\nThe player could not be loaded; reload the page to try again.');
  });

  var ready = false;
  var restedOnce = false;
  var Module = {
    canvas: canvas,
    // index.html?keep=0 reads without keeping settings or the place (a shared computer).
    velkoKeep: new URLSearchParams(location.search).get('keep') !== '0',
    print: function (text) { log(text); },
    printErr: function (text) {
      log(text);
      // The program's own start-up failures are one line that names the cause.
      if (/^velko01: /.test(text) && !started) fail(text);
    },
    setStatus: function (text) {
      // The data package reports "Downloading data... (done/total)".
      var m = /\((\d+(?:\.\d+)?)\/(\d+(?:\.\d+)?)\)/.exec(text);
      if (m) {
        progress.max = Number(m[2]);
        progress.value = Number(m[1]);
        status.textContent = '読み込んでいます… ' + Math.round(100 * m[1] / m[2]) + '%';
      }
    },
    onAbort: function (what) { fail('プログラムが止まりました: ' + what); },
    onRuntimeInitialized: function () {
      ready = true;
      log('loaded in ' + Math.round(performance.now()) + ' ms');
      status.textContent = 'クリックすると始まります（音が出ます）';
      progress.hidden = true;
      startButton.hidden = false;
    },
    velkoPage: {
      log: log,
      // The program waits for the reader with nothing left to do (the title, a page of text).
      resting: function () {
        if (!restedOnce) log('resting at ' + Math.round(performance.now()) + ' ms');
        restedOnce = true;
      },
      openTab: function (url) {
        window.open(url, '_blank', 'noopener');
        log('new tab: ' + url);
      },
      offerDownload: function (url, name) {
        var a = document.createElement('a');
        a.href = url;
        a.download = name;
        document.body.appendChild(a);
        a.click();
        a.remove();
        log('download: ' + name + ' (' + url + ')');
      },
      setFullscreen: setFullscreen,
      ended: function () {
        started = false;
        log('ended at ' + Math.round(performance.now()) + ' ms');
        status.textContent = 'おしまい。ページを読み込み直すと、もう一度読めます。\n' +
                             'The end. Reload the page to read again.';
        progress.hidden = true;
        startButton.hidden = true;
        cover.classList.remove('gone');
      },
    },
  };
  window.Module = Module;

  function start() {
    if (!ready || started || failed) return;
    started = true;
    cover.classList.add('gone');
    canvas.focus();
    log('started at ' + Math.round(performance.now()) + ' ms');
    Module.callMain([]);
    prefetchMusic();
  }
  startButton.addEventListener('click', start);
  cover.addEventListener('click', function (e) { if (e.target !== startButton) start(); });

  // The music is fetched by the program when a piece first plays; asking for all of it early
  // lets the browser's cache answer then.
  function prefetchMusic() {
    fetch('music.json').then(function (r) { return r.ok ? r.json() : []; }).then(function (list) {
      list.reduce(function (p, name) {
        return p.then(function () { return fetch('game/Music/' + name).catch(function () {}); });
      }, Promise.resolve());
    }).catch(function () {});
  }

  function load(src, next) {
    var s = document.createElement('script');
    s.src = src;
    s.onload = next || null;
    s.onerror = function () { fail(src + ' を読み込めませんでした。\nCould not load ' + src + '.'); };
    document.body.appendChild(s);
  }
  load('velko01.data.js', function () { load('velko01.js'); });
})();
