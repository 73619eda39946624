// Starts the editor in the page. Qt's own loader eval()s the program's
// script, which the page's Content-Security-Policy forbids; this one loads it
// as a plain script and compiles the WebAssembly as it streams in.
'use strict';
(function () {
  // The benchmark's pages start other programs the same way.
  const program = document.currentScript.dataset.program;
  const screen = document.getElementById('screen');
  const status = document.getElementById('status');

  function show(text) {
    status.textContent = text;
    status.hidden = false;
  }

  if (typeof WebAssembly !== 'object') {
    show('This browser cannot run WebAssembly.');
    return;
  }

  const canvas = document.createElement('canvas');
  // Qt finds its screen by the id.
  canvas.id = 'qtcanvas';
  canvas.hidden = true;
  screen.appendChild(canvas);
  const compiled = WebAssembly.compileStreaming
    ? WebAssembly.compileStreaming(fetch(program + '.wasm'))
    : fetch(program + '.wasm').then((response) => response.arrayBuffer()).then((bytes) => WebAssembly.compile(bytes));

  const script = document.createElement('script');
  script.src = program + '.js';
  script.onerror = () => show('The editor could not be loaded.');
  script.onload = () => {
    // eslint-disable-next-line no-undef
    createQtAppInstance({
      qtContainerElements: [canvas],
      instantiateWasm(imports, done) {
        compiled.then((module) => WebAssembly.instantiate(module, imports).then((instance) => done(instance, module)))
          .catch((error) => show('The editor could not be started: ' + error));
        return {};
      },
      locateFile: (name) => name,
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
      onAbort: (text) => show('The editor stopped: ' + text),
      preRun: [() => {
        status.hidden = true;
        canvas.hidden = false;
      }],
    }).then((module) => {
      window.trailcam = module;
      document.documentElement.dataset.editor = 'running';
    });
  };
  document.body.appendChild(script);

  // Ctrl+O and Ctrl+S (Cmd on a Mac) belong to the editor, not to the
  // browser's own open and save; the editor still sees the keys.
  window.addEventListener('keydown', (event) => {
    if ((event.ctrlKey || event.metaKey) && !event.altKey && ['o', 's'].includes(event.key.toLowerCase()))
      event.preventDefault();
  }, true);

  // Qt 6.4 hands a dropped file on as text, cut at its first zero byte: the
  // page reads the file itself and gives the editor all of it.
  const carriesFile = (event) => event.dataTransfer && Array.from(event.dataTransfer.types).includes('Files');
  screen.addEventListener('dragover', (event) => {
    if (!carriesFile(event))
      return;
    event.preventDefault();
    event.stopPropagation();
    event.dataTransfer.dropEffect = 'copy';
  }, true);
  screen.addEventListener('drop', (event) => {
    const file = carriesFile(event) && event.dataTransfer.files[0];
    if (!file)
      return;
    event.preventDefault();
    event.stopPropagation();
    if (window.trailcam)
      file.arrayBuffer().then((bytes) => window.trailcam.loadDroppedFile(file.name, new Uint8Array(bytes)));
  }, true);

  // The browser's own question before the page is left with unsaved changes.
  window.addEventListener('beforeunload', (event) => {
    if (window.trailcam && window.trailcam.hasUnsavedChanges()) {
      event.preventDefault();
      event.returnValue = '';
    }
  });

  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js');
})();
