// Runs before the module starts. Where the page cannot start (WebAssembly
// turned off, the module not arriving or not compiling, or anything else
// failing before the window is ready), it says so in its own words, naming
// what failed, instead of staying blank; the console keeps the details.
(function () {
  // This script's own address: it opens sorvane.js.
  const script = document.currentScript ? document.currentScript.src : '';

  function describe(reason) {
    if (reason === undefined || reason === null || reason === '') return 'no reason given';
    if (reason.name && reason.message) return reason.name + ': ' + reason.message;
    return String(reason.message || reason);
  }

  // The module's own loading: its compiling or linking failed, or it was
  // aborted before any of its code ran (main marks its start).
  function moduleFailed(reason) {
    if (reason instanceof WebAssembly.CompileError || reason instanceof WebAssembly.LinkError) return true;
    return reason instanceof WebAssembly.RuntimeError && !performance.getEntriesByName('sorvane-running').length;
  }

  function failed(event) {
    if (performance.getEntriesByName('sorvane-ready').length) return;
    // Another script's error (an extension's, say) is not the page's.
    if (event.type === 'error' && event.filename && event.filename !== script) return;
    const text = document.getElementById('Start_Failure');
    if (!text || !text.hidden) return;
    const reason = event.type === 'error' ? event.error || event.message : event.reason;
    if (typeof WebAssembly !== 'object')
      text.textContent = 'Sorvane cannot start: it needs WebAssembly, which this browser has turned off.';
    else if (moduleFailed(reason))
      text.textContent = 'Sorvane cannot start: its module sorvane.wasm did not load or compile (' +
        describe(reason) + ').';
    else
      text.textContent = 'Sorvane cannot start: ' + describe(reason) + '.';
    text.hidden = false;
  }
  window.addEventListener('error', failed);
  window.addEventListener('unhandledrejection', failed);
})();
