// Retitles the window in the language the user picks.
#include "app/mainform.h"

void Tmainform1::langcmbChange(QObject * /*Sender*/)
{
    // Retitling the window comes with the caption table.
}
