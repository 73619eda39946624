// Runs a program built for the web under Node, with the host's files and its
// exit status:  node run-wasm.js PROGRAM.js [ARGUMENTS...]
'use strict';
const fs = require('fs');
const path = require('path');

const program = path.resolve(process.argv[2]);
const create = require(program);
create({
  arguments: process.argv.slice(3),
  // Given, rather than fetched: Node's fetch() takes no file names.
  wasmBinary: fs.readFileSync(program.replace(/\.js$/, '.wasm')),
  print: (text) => process.stdout.write(text + '\n'),
  printErr: (text) => process.stderr.write(text + '\n'),
  onExit: (status) => process.exit(status),
}).catch((error) => {
  process.stderr.write(String(error) + '\n');
  process.exit(1);
});
