// The page's side of page_bridge.h, linked into the program with --js-library. The page
// (web/index.html) may define Module.velkoPage with log(), openTab(), offerDownload() and
// setFullscreen(); without it these fall back to the plain browser calls.

mergeInto(LibraryManager.library, {
  // SDL 2.26's audio and timers call these, which emscripten 3.1.6 leaves out unless asked.
  velko_wait_input__deps: ['$Asyncify', '$autoResumeAudioContext', '$dynCall'],
  velko_wait_input: function(timeoutMs) {
    var page = Module['velkoPage'];
    // Waits with nothing due soon mean the program rests until the reader acts (the title, a
    // page of text); the page notes the first.
    if ((timeoutMs < 0 || timeoutMs >= 50) && page && page.resting) page.resting();
    return Asyncify.handleSleep(function(wakeUp) {
      var done = false;
      var timer = null;
      var kinds = ['mousedown', 'mouseup', 'mousemove', 'keydown', 'keyup', 'wheel',
                   'touchstart', 'touchend', 'resize', 'blur', 'focus', 'visibilitychange',
                   'fullscreenchange'];
      function finish() {
        if (done) return;
        done = true;
        if (timer !== null) clearTimeout(timer);
        kinds.forEach(function(k) { window.removeEventListener(k, onInput, true); });
        wakeUp();
      }
      // SDL queues the event in its own listener; resuming on the next turn lets it run first.
      function onInput() { setTimeout(finish, 0); }
      kinds.forEach(function(k) { window.addEventListener(k, onInput, true); });
      if (timeoutMs >= 0) timer = setTimeout(finish, timeoutMs);
    });
  },

  velko_open_tab: function(url) {
    var address = UTF8ToString(url);
    var page = Module['velkoPage'];
    if (page && page.openTab) {
      page.openTab(address);
    } else {
      window.open(address, '_blank', 'noopener');
    }
  },

  velko_offer_download: function(url, name) {
    var address = UTF8ToString(url);
    var fileName = UTF8ToString(name);
    var page = Module['velkoPage'];
    if (page && page.offerDownload) {
      page.offerDownload(address, fileName);
      return;
    }
    var a = document.createElement('a');
    a.href = address;
    a.download = fileName;
    document.body.appendChild(a);
    a.click();
    a.remove();
  },

  velko_keep_folder__deps: ['$Asyncify', '$FS', '$IDBFS'],
  velko_keep_folder: function(dir) {
    var path = UTF8ToString(dir);
    return Asyncify.handleSleep(function(wakeUp) {
      var log = function(line) {
        var page = Module['velkoPage'];
        if (page && page.log) page.log(line);
      };
      if (Module['velkoKeep'] === false) {
        log('nothing is kept after this visit (keep=0)');
        wakeUp(1);
        return;
      }
      try {
        FS.mkdirTree(path);
        FS.mount(IDBFS, {}, path);
      } catch (e) {
        log('nothing is kept after this visit: ' + e);
        wakeUp(1);
        return;
      }
      FS.syncfs(true, function(err) {
        if (err) {
          log('nothing is kept after this visit: ' + err);
          wakeUp(1);
          return;
        }
        // The store writes whole files now and then; saving them a little later is enough,
        // and leaving the page saves at once.
        var saving = false;
        var save = function() {
          if (saving) return;
          saving = true;
          FS.syncfs(false, function(e) {
            saving = false;
            if (e) log('could not keep the reading: ' + e);
          });
        };
        setInterval(save, 5000);
        window.addEventListener('pagehide', save);
        document.addEventListener('visibilitychange', function() {
          if (document.visibilityState === 'hidden') save();
        });
        wakeUp(0);
      });
    });
  },

  velko_ended: function(status) {
    var page = Module['velkoPage'];
    if (page && page.ended) page.ended(status);
  },

  velko_set_fullscreen: function(on) {
    var page = Module['velkoPage'];
    if (page && page.setFullscreen) {
      page.setFullscreen(!!on);
    } else if (on) {
      if (document.documentElement.requestFullscreen) document.documentElement.requestFullscreen();
    } else if (document.fullscreenElement && document.exitFullscreen) {
      document.exitFullscreen();
    }
  },
});
