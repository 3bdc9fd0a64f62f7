// What the page needs of the browser that C++ cannot ask for itself: the
// promises of the folder it keeps, the download, the offline copy, and the
// catching of JavaScript's own exceptions.
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

    keep: function (folder) {
      return sorvaneFiles.store('readwrite', (folders) => folder ? folders.put(folder, 'working')
                                                                 : folders.delete('working')).catch(() => {});
    },

    // Calls back into C++ where a JavaScript exception cannot escape.
    report: function (call) {
      try {
        call();
      } catch (error) {
        sorvaneFailed(error);
      }
    },

    // A folder that can no longer be written is given up once: one message,
    // and the next calculation asks for a folder again.
    notSaved: function (why, folder, error, left) {
      if (folder && why !== 'failed') {
        if (sorvaneFiles.dropped.has(folder)) return;
        sorvaneFiles.dropped.add(folder);
        if (sorvaneFiles.folder === folder) {
          sorvaneFiles.folder = null;
          sorvaneFiles.keep(null);
        }
      }
      const detail = error ? String(error.message || error.name || error) : '';
      sorvaneFiles.report(() => Module['sorvaneNotSaved'](why, folder ? folder.name : '', detail, left || 'previous'));
    },

    // The folder for one save, settled inside the click: the browser lets a
    // page show its picker or ask for a permission only there. A second click
    // while the picker is open waits for the same answer.
    folderForSave: async function () {
      const folder = sorvaneFiles.folder || (await sorvaneFiles.kept);
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

    save: async function (chosen, name, data) {
      // No destructuring: Emscripten's optimizer drops such declarations.
      const answer = await chosen;
      const folder = answer.folder, why = answer.why;
      if (why === 'download') return sorvaneFiles.download(name, data);
      if (why === 'no-folder') {
        // The saves waiting on one cancelled picker share its answer: one message.
        if (answer.told) return;
        answer.told = true;
      }
      if (why) return sorvaneFiles.notSaved(why, folder);
      if (sorvaneFiles.dropped.has(folder)) return;
      try {
        await sorvaneFiles.write(folder, name, data);
      } catch (failure) {
        const error = failure.error || failure;
        const gone = error && (error.name === 'NotFoundError' || error.name === 'NotAllowedError' ||
                               error.name === 'SecurityError');
        sorvaneFiles.notSaved(gone ? 'gone' : 'failed', folder, error, failure.left);
      }
    },

    download: function (name, data) {
      const url = URL.createObjectURL(new Blob([data], {type: 'text/plain'}));
      const link = document.createElement('a');
      link.href = url;
      link.download = name;
      link.click();
      setTimeout(() => URL.revokeObjectURL(url), 60000);
    },
  },

  // A JavaScript exception thrown below C++ passes its catch by: it ends here
  // in the program's message, or, where even that fails, in the console.
  $sorvaneFailed: function (error) {
    const text = String((error && (error.message || error.name)) || error);
    try {
      Module['sorvaneFailed'](text);
    } catch (again) {
      console.error('Sorvane failed: ' + text);
    }
  },

  // The listener of a handler: every failure, C++ or JavaScript, ends in the program's message.
  sorvane_listener__deps: ['$Emval', '$sorvaneFailed'],
  sorvane_listener: function (index) {
    return Emval.toHandle(function (event) {
      try {
        Module['sorvaneDispatch'](index, event);
      } catch (error) {
        sorvaneFailed(error);
      }
    });
  },

  sorvane_start_files__deps: ['$sorvaneFiles', '$sorvaneFailed'],
  sorvane_start_files: function () {
    sorvaneFiles.dropped = new WeakSet();
    if (typeof window.showDirectoryPicker === 'function' && typeof indexedDB === 'object')
      sorvaneFiles.kept = sorvaneFiles.store('readonly', (folders) => folders.get('working')).catch(() => null);
    if ('serviceWorker' in navigator && window.isSecureContext)
      navigator.serviceWorker.register('sw.js').catch(() => {});
  },

  sorvane_hand_on__deps: ['$sorvaneFiles'],
  sorvane_hand_on: function (bytes, length, namePointer) {
    const data = HEAPU8.slice(bytes, bytes + length);
    const name = UTF8ToString(namePointer);
    if (typeof window.showDirectoryPicker !== 'function' || sorvaneFiles.refused) {
      sorvaneFiles.download(name, data);
      return;
    }
    const chosen = sorvaneFiles.folderForSave();
    // One save after another, in the order of the calculations.
    sorvaneFiles.saving = (sorvaneFiles.saving || Promise.resolve())
      .then(() => sorvaneFiles.save(chosen, name, data))
      .catch(sorvaneFailed);
  },
});
