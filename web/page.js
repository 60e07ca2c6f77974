// The page's side of the game, run inside index.js before main(). It keeps the
// player's files (Res/Save, Res/Log, Res/startup.ini) in the browser's
// IndexedDB, fetches the data files left out of the first download when the
// game first opens them, and gives the game a way to hand the player a file.
// The game reaches it through Module.kestrel (platform/web.cpp).

Module.kestrel = (function () {
  var k = {
    keysTaken: 0,   // keys the game has taken off its queue
    isWaiting: false, // the game waits for the next key
    syncs: 0,       // finished copies of the player's folder to IndexedDB
    fetched: [],    // late data files fetched so far
    firstFrameMs: 0, // page load to the game's first wait for a key
    sleptMs: 0,     // time the game has spent in its delays
    gameTicks: 0    // the game's own clock after its latest delay
  };
  var late = Module.kestrelLate || {};
  var syncing = false, again = false, timer = null, lastSync = 0;
  var SYNC_GAP_MS = 1000;

  function status(text) {
    if (Module.setStatus) Module.setStatus(text);
  }

  function syncNow() {
    if (timer) { clearTimeout(timer); timer = null; }
    if (syncing) { again = true; return; }
    syncing = true;
    FS.syncfs(false, function (err) {
      syncing = false;
      lastSync = Date.now();
      k.syncs++;
      if (err) console.error('kestrelmoor: could not keep the files in the browser:', err);
      if (again) { again = false; syncNow(); }
    });
  }
  k.sync = syncNow;
  // Whether a copy to IndexedDB is under way or due.
  k.busy = function () { return syncing || timer !== null; };
  k.slept = function (ms, ticks) { k.sleptMs += ms; k.gameTicks = ticks; };

  // A save, a setting or a new folder: copied as soon as the game yields.
  k.fileWritten = function () {
    if (timer) clearTimeout(timer);
    timer = setTimeout(syncNow, 0);
  };

  // Between keys the run log has grown; it is copied at most once a second.
  k.waiting = function (waiting) {
    if (waiting && !k.isWaiting && !timer) {
      var wait = Math.max(0, SYNC_GAP_MS - (Date.now() - lastSync));
      timer = setTimeout(syncNow, wait);
    }
    if (!waiting) k.keysTaken++;
    k.isWaiting = waiting;
    if (waiting && !k.firstFrameMs) k.firstFrameMs = performance.now();
  };

  function relative(path) {
    return path.replace(/^\/game\//, '').replace(/^\.\//, '');
  }

  k.isLate = function (path) {
    return Object.prototype.hasOwnProperty.call(late, relative(path));
  };

  k.fetchLate = async function (path) {
    var rel = relative(path);
    status('Loading ' + rel + '…');
    try {
      var response = await fetch(late[rel]);
      if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
      var data = new Uint8Array(await response.arrayBuffer());
      var dir = '/game/' + rel.replace(/\/[^\/]*$/, '');
      FS.mkdirTree(dir);
      FS.writeFile('/game/' + rel, data);
      delete late[rel];
      k.fetched.push(rel);
      status('');
      return true;
    } catch (err) {
      console.error('kestrelmoor: could not fetch ' + rel + ':', err);
      status('Could not load ' + rel + ' (' + err.message + ')');
      return false;
    }
  };

  function download(name, data) {
    var blob = new Blob([data], { type: 'application/octet-stream' });
    var a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = name;
    document.body.appendChild(a);
    a.click();
    setTimeout(function () { URL.revokeObjectURL(a.href); a.remove(); }, 1000);
  }

  k.offerDownload = function (path) {
    try {
      download(path.replace(/^.*\//, ''), FS.readFile(path));
    } catch (err) {
      console.error('kestrelmoor: no file ' + path, err);
    }
  };

  function slotPath(slot) { return '/persist/Save/save' + slot + '.ksv'; }

  // Save slots as the desktop game keeps them (Res/Save/save0.ksv to save2.ksv).
  k.slotExists = function (slot) { return FS.analyzePath(slotPath(slot)).exists; };
  k.downloadSlot = function (slot) {
    if (!k.slotExists(slot)) return false;
    download('save' + slot + '.ksv', FS.readFile(slotPath(slot)));
    return true;
  };
  k.uploadSlot = function (slot, bytes) {
    FS.writeFile(slotPath(slot), new Uint8Array(bytes));
    syncNow();
  };

  return k;
})();

Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  FS.mkdir('/persist');
  FS.mount(IDBFS, {}, '/persist');
  addRunDependency('kestrel-idbfs');
  FS.syncfs(true, function (err) {
    if (err) console.error('kestrelmoor: browser storage unreadable, starting afresh:', err);
    removeRunDependency('kestrel-idbfs');
  });
});

// The data is in place (Res/ under /game); the player's own entries of Res/
// point into the stored folder, made on the first start.
Module.onRuntimeInitialized = function () {
  function exists(p) { return FS.analyzePath(p).exists; }
  ['/persist/Save', '/persist/Log', '/persist/Log/Err'].forEach(function (d) {
    if (!exists(d)) FS.mkdir(d);
  });
  if (!exists('/persist/startup.ini')) FS.writeFile('/persist/startup.ini', FS.readFile('/game/shipped-startup.ini'));
  FS.symlink('/persist/Save', '/game/Res/Save');
  FS.symlink('/persist/Log', '/game/Res/Log');
  FS.symlink('/persist/startup.ini', '/game/Res/startup.ini');
  // The late files stand as empty files until the game first opens them, so
  // that whatever asks for their size before opening finds them there.
  Object.keys(Module.kestrelLate || {}).forEach(function (rel) {
    var path = '/game/' + rel;
    if (exists(path)) return;
    FS.mkdirTree(path.replace(/\/[^\/]*$/, ''));
    FS.writeFile(path, new Uint8Array(0));
  });
  FS.chdir('/game');
  Module.kestrel.sync();
};
