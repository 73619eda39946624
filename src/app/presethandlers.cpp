// Country, operator and mail-server picks fill the connection fields.
#include "app/mainform.h"

void Tmainform1::ComboBox3Change(QObject * /*Sender*/)
{
    // The MMS operators of the chosen country come with the preset tables.
}

void Tmainform1::ComboBox4Change(QObject * /*Sender*/)
{
    // The MMS operator's connection values come with the preset tables.
}

void Tmainform1::ComboBox7Change(QObject * /*Sender*/)
{
    // The SMTP operators of the chosen country come with the preset tables.
}

void Tmainform1::ComboBox8Change(QObject * /*Sender*/)
{
    // The SMTP operator's connection values come with the preset tables.
}

void Tmainform1::ComboBox9Change(QObject * /*Sender*/)
{
    // The mail server's port and security come with the preset tables.
}

void Tmainform1::ComboBox12Change(QObject * /*Sender*/)
{
    // The FTP operators of the chosen country come with the preset tables.
}

void Tmainform1::ComboBox13Change(QObject * /*Sender*/)
{
    // The FTP operator's connection values come with the preset tables.
}
