#pragma once

#include <QAnyStringView>
#include <QString>
#include <QStringList>

#include <span>

// The texts a freshly started window shows, keyed by control name: captions
// of labels, group boxes, buttons, tabs and radio buttons, and the item lists
// of the combo boxes. The window, the command-line tool and the tests read
// them here.

struct ControlCaption
{
    const char *control;
    const char *text; // UTF-8
};

struct ComboItems
{
    const char *control;
    QStringList items;
    QString initialText; // shown when the box starts without a selection
};

// The look-ups take QAnyStringView, so an objectName() and a Latin-1 name both
// do without a conversion.
QString WindowCaption();
std::span<const ControlCaption> StartupCaptions();
QString StartupCaption(QAnyStringView control); // empty when unknown
std::span<const ComboItems> StartupComboItems();
const ComboItems *FindStartupComboItems(QAnyStringView control); // nullptr when unknown

// The language names of the language box, in index order: the first column of
// the language table (captiontable.cpp).
QStringList LanguageNames();
