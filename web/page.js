// What the page needs of the browser that C++ cannot ask for itself: the
// promises of the folder it keeps, the download, and the offline copy.
mergeInto(LibraryManager.library, {
  $sorvaneFiles: {
    folder: null,
    choosing: null,
    // The saves so far, one after another (a promise; set when the page runs).
    saving: null,

    notSaved: function (why, error) {
      const folder = sorvaneFiles.folder ? sorvaneFiles.folder.name : '';
      if (why !== 'failed') sorvaneFiles.folder = null;
      Module['sorvaneNotSaved'](why, folder, error ? String(error.message || error.name || error) : '');
    },

    // Replaced whole or not at all: the writable stream is committed on close.
    write: async function (folder, name, data) {
      if ((await folder.queryPermission({mode: 'readwrite'})) !== 'granted') return 'withdrawn';
      const file = await folder.getFileHandle(name, {create: true});
      const stream = await file.createWritable();
      try {
        await stream.write(data);
        await stream.close();
      } catch (error) {
        await stream.abort().catch(() => {});
        throw error;
      }
      return 'saved';
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

  sorvane_hand_on__deps: ['$sorvaneFiles'],
  sorvane_hand_on: function (bytes, length, namePointer) {
    const data = HEAPU8.slice(bytes, bytes + length);
    const name = UTF8ToString(namePointer);
    if (typeof window.showDirectoryPicker !== 'function') {
      sorvaneFiles.download(name, data);
      return;
    }
    // Asked for inside the click, which the browser requires; once granted, kept.
    // A second click while the picker is open waits for the same answer.
    const chosen = sorvaneFiles.folder
      ? Promise.resolve(sorvaneFiles.folder)
      : (sorvaneFiles.choosing = sorvaneFiles.choosing ||
          window.showDirectoryPicker({id: 'sorvane', mode: 'readwrite'}).then(
            (folder) => (sorvaneFiles.folder = folder),
            () => null).finally(() => (sorvaneFiles.choosing = null)));
    // One save after another, in the order of the calculations.
    sorvaneFiles.saving = (sorvaneFiles.saving || Promise.resolve()).then(async () => {
      const folder = await chosen;
      if (!folder) return sorvaneFiles.notSaved('no-folder');
      try {
        const outcome = await sorvaneFiles.write(folder, name, data);
        if (outcome !== 'saved') sorvaneFiles.notSaved(outcome);
      } catch (error) {
        const gone = error && (error.name === 'NotFoundError' || error.name === 'NotAllowedError' ||
                               error.name === 'SecurityError');
        sorvaneFiles.notSaved(gone ? 'gone' : 'failed', error);
      }
    });
  },

  sorvane_keep_offline: function () {
    if ('serviceWorker' in navigator && window.isSecureContext)
      navigator.serviceWorker.register('sw.js').catch(() => {});
  },
});
