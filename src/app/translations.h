#pragma once

// Installs Qt's own translations for the system's language, so that the file
// dialogs and the buttons of the message boxes speak it. The editor's own
// captions follow its language switch alone.
void InstallQtTranslations();
