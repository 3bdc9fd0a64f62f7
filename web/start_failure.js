// Runs before the module starts. Where it cannot start (WebAssembly turned
// off, the module not arriving or not compiling), the page says so in its own
// words instead of staying blank.
(function () {
  function failed(event) {
    if (performance.getEntriesByName('sorvane-ready').length) return;
    const reason = event.reason || event.error || event.message;
    const text = document.getElementById('Start_Failure');
    if (!text || !text.hidden) return;
    text.textContent = typeof WebAssembly !== 'object'
      ? 'Sorvane cannot start: it needs WebAssembly, which this browser has turned off.'
      : 'Sorvane cannot start: its module sorvane.wasm did not load or compile (' +
        String((reason && reason.message) || reason || 'no reason given') + ').';
    text.hidden = false;
    event.preventDefault();
  }
  window.addEventListener('error', failed);
  window.addEventListener('unhandledrejection', failed);
})();
