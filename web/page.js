// What the page needs of the browser that C++ cannot ask for itself: the promises of the folder it keeps, the
// download, the offline copy, and the catching of JavaScript's own exceptions.
mergeInto(LibraryManager.library, {
  $sorvaneFiles: {
    // The folder the saves go to: chosen once, or kept from an earlier visit.
    folder: null,
    kept: null,
    choosing: null,
    // The browser will not show a picker here (a policy, a frame): downloads instead.
    refused: false,
    // The saves so far, one after another (a promise; set when the page runs).
    saving: null,
    // The last download's URL, and the timer that lets it go.
    url: null,
    revoking: 0,
    // The folders already given up, so that their queued saves add no second message.
    dropped: null,

    // The working folder is one place: the chosen folder is kept across visits.
    store: function (mode, action) {
      return new Promise((resolve, reject) => {
        const opening = indexedDB.open('sorvane', 1);
        opening.onupgradeneeded = () => opening.result.createObjectStore('folders');
        opening.onerror = () => reject(opening.error);
        opening.onsuccess = () => {
          const database = opening.result;
          const transaction = database.transaction('folders', mode);
          transaction.oncomplete = transaction.onabort = transaction.onerror = () => database.close();
          try {
            const request = action(transaction.objectStore('folders'));
            request.onsuccess = () => resolve(request.result);
            request.onerror = () => reject(request.error);
          } catch (error) {
            transaction.abort();
            reject(error);
          }
        };
      });
    },

    // The folder kept from an earlier visit, read once: when the page is
    // first idle, or by the first save if that comes sooner.
    keptFolder: function () {
      if (!sorvaneFiles.kept)
        sorvaneFiles.kept = sorvaneFiles.store('readonly', (folders) => folders.get('working')).catch(() => null);
      return sorvaneFiles.kept;
    },

    keep: function (folder) {
      return sorvaneFiles.store('readwrite', (folders) => folder ? folders.put(folder, 'working')
                                                                 : folders.delete('working')).catch(() => {});
    },

    describe: function (error) {
      return error ? String(error.message || error.name || error) : '';
    },

    // A folder that can no longer be written is given up once: one message,
    // and the next calculation asks for a folder again. told is the C++
    // side's function for it, which catches what it throws itself.
    notSaved: function (told, why, folder, error, left) {
      if (folder && why !== 'failed') {
        if (sorvaneFiles.dropped.has(folder)) return;
        sorvaneFiles.dropped.add(folder);
        if (sorvaneFiles.folder === folder) {
          sorvaneFiles.folder = null;
          sorvaneFiles.keep(null);
        }
      }
      told({why: why, folder: folder ? folder.name : '', detail: sorvaneFiles.describe(error),
            left: left || 'previous'});
    },

    // The folder for one save, settled inside the click: the browser lets a page show its picker or ask for a
    // permission only there. A second click while the picker is open waits for the same answer.
    folderForSave: async function () {
      const folder = sorvaneFiles.folder || (await sorvaneFiles.keptFolder());
      if (folder && !sorvaneFiles.dropped.has(folder)) {
        const permission = await folder.queryPermission({mode: 'readwrite'});
        if (permission === 'prompt') {
          const answer = await folder.requestPermission({mode: 'readwrite'});
          if (answer !== 'granted') return {why: 'declined', folder: folder};
        } else if (permission !== 'granted') {
          return {why: 'withdrawn', folder: folder};
        }
        sorvaneFiles.folder = folder;
        return {folder: folder};
      }
      sorvaneFiles.choosing = sorvaneFiles.choosing ||
        window.showDirectoryPicker({id: 'sorvane', mode: 'readwrite'}).then(
          (chosen) => {
            sorvaneFiles.folder = chosen;
            sorvaneFiles.keep(chosen);
            return {folder: chosen};
          },
          // Only the person's own cancel means no folder; any other refusal is the browser's.
          (error) => {
            if (error && error.name === 'AbortError') return {why: 'no-folder'};
            sorvaneFiles.refused = true;
            return {why: 'download'};
          }).finally(() => (sorvaneFiles.choosing = null));
      return sorvaneFiles.choosing;
    },

    // Replaced whole or not at all: the writable stream is committed on
    // close. A file that the first save created and could not fill is taken
    // away again; what is left is said with the failure.
    write: async function (folder, name, data) {
      const existed = await folder.getFileHandle(name).then(() => true, () => false);
      const file = await folder.getFileHandle(name, {create: true});
      try {
        const stream = await file.createWritable();
        try {
          await stream.write(data);
          await stream.close();
        } catch (error) {
          await stream.abort().catch(() => {});
          throw error;
        }
      } catch (error) {
        const left = existed ? 'previous' : await folder.removeEntry(name).then(() => 'nothing', () => 'empty');
        throw {error: error, left: left};
      }
    },

    save: async function (chosen, name, data, told) {
      // No destructuring: Emscripten's optimizer drops such declarations.
      const answer = await chosen;
      if (answer.failed) throw answer.failed;
      const folder = answer.folder, why = answer.why;
      if (why === 'download') return sorvaneFiles.download(name, data);
      if (why === 'no-folder') {
        // The saves waiting on one cancelled picker share its answer: one message.
        if (answer.told) return;
        answer.told = true;
      }
      if (why) return sorvaneFiles.notSaved(told, why, folder);
      if (sorvaneFiles.dropped.has(folder)) return;
      try {
        await sorvaneFiles.write(folder, name, data);
      } catch (failure) {
        const error = failure.error || failure;
        const gone = error && (error.name === 'NotFoundError' || error.name === 'NotAllowedError' ||
                               error.name === 'SecurityError');
        sorvaneFiles.notSaved(told, gone ? 'gone' : 'failed', folder, error, failure.left);
      }
    },

    // The browser reads the link's URL after the click returns, so it is let
    // go only when the next download takes its place, or after a minute: one
    // URL and one timer at most, however many calculations.
    download: function (name, data) {
      sorvaneFiles.letGo();
      const url = URL.createObjectURL(new Blob([data], {type: 'text/plain'}));
      const link = document.createElement('a');
      link.href = url;
      link.download = name;
      link.click();
      sorvaneFiles.url = url;
      sorvaneFiles.revoking = setTimeout(sorvaneFiles.letGo, 60000);
    },

    letGo: function () {
      clearTimeout(sorvaneFiles.revoking);
      if (sorvaneFiles.url) URL.revokeObjectURL(sorvaneFiles.url);
      sorvaneFiles.url = null;
    },
  },

  // A JavaScript exception thrown below C++ passes its catch by: it ends
  // here in the message of the handler that failed, or, where that handler is
  // gone or even its message fails, in the console.
  $sorvaneFailed: function (error, id) {
    const text = String((error && (error.message || error.name)) || error);
    try {
      if (Module['sorvaneFailed'](id, text)) return;
    } catch (again) {
      // The console below is all that is left.
    }
    console.error('Sorvane failed: ' + text);
  },

  // The function that runs handler id: every failure, C++ or JavaScript, ends
  // in its message. False where the handler is gone.
  sorvane_listener__deps: ['$Emval', '$sorvaneFailed'],
  sorvane_listener: function (id) {
    return Emval.toHandle(function (argument) {
      try {
        return Module['sorvaneDispatch'](id, argument);
      } catch (error) {
        sorvaneFailed(error, id);
        return true;
      }
    });
  },

  // The first thing main does: from here on a failure is the program's, not the module's loading.
  sorvane_start_files__deps: ['$sorvaneFiles'],
  // The kept folder and the offline copy wait until the page is idle: the
  // first click needs neither (Safari has no idle callbacks: a timer).
  sorvane_start_files: function () {
    performance.mark('sorvane-running');
    sorvaneFiles.dropped = new WeakSet();
    const idle = window.requestIdleCallback || ((then) => setTimeout(then, 0));
    idle(() => {
      if (typeof window.showDirectoryPicker === 'function' && typeof indexedDB === 'object') sorvaneFiles.keptFolder();
      if ('serviceWorker' in navigator && window.isSecureContext)
        navigator.serviceWorker.register('sw.js').catch(() => {});
    }, {timeout: 1000});
  },

  // Saves the file's bytes; what the browser refuses, and any failure on the way, ends in told (a C++ handler's
  // function) as {why, folder, detail, left} or {failed}.
  sorvane_hand_on__deps: ['$sorvaneFiles', '$Emval'],
  sorvane_hand_on: function (bytes, length, namePointer, toldHandle) {
    const data = HEAPU8.slice(bytes, bytes + length);
    const name = UTF8ToString(namePointer);
    const handler = Emval.toValue(toldHandle);
    // A save that ends after its window has gone still leaves its word somewhere.
    const told = (what) => handler(what) || console.error('Sorvane did not save ' + name + ': ' + JSON.stringify(what));
    if (typeof window.showDirectoryPicker !== 'function' || sorvaneFiles.refused) {
      sorvaneFiles.download(name, data);
      return;
    }
    // Handled at once: it may fail while earlier saves still wait their turn.
    const chosen = sorvaneFiles.folderForSave().catch((error) => ({failed: error || 'no reason given'}));
    // One save after another, in the order of the calculations.
    sorvaneFiles.saving = (sorvaneFiles.saving || Promise.resolve())
      .then(() => sorvaneFiles.save(chosen, name, data, told))
      .catch((error) => told({failed: sorvaneFiles.describe(error) || 'no reason given'}));
  },
});
