#pragma once

class Tmainform1;

// A settings file dropped anywhere on the window is loaded, over an edit
// field too, which would otherwise take its name as text.
void LoadDroppedFiles(Tmainform1 *window);
