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

  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js');
})();
