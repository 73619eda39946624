#pragma once

#include <QString>

#include <cstdio>

class QFile;

// The tool's standard streams, as each system has them.

// Readies them before anything is read or written: an image goes through
// them byte for byte, the texts are UTF-8, a closed one stays closed, and a
// file-size limit fails a write instead of ending the tool unheard.
void PrepareConsole();

// Whether `stream` is a terminal, which an image must not go to.
bool IsTerminal(FILE *stream);

// Opens standard input as `input`, to read bytes.
bool OpenStandardInput(QFile &input);

// Closes standard output once everything is flushed: some file systems
// report a lost write only then. False, with the system's reason, on failure.
bool CloseStandardOutput(QString *reason);
