// Retitles the window in the language the user picks.
#include "app/mainform.h"

#include "app/formbinding.h"

#include "i18n/captiontable.h"

#include <algorithm>

namespace {

// How far a caption may be narrowed before it would stop being readable.
constexpr int NarrowestStretch = 50;
// Pixels between a narrowed caption and its box, so that the last letter does not touch the frame.
constexpr int ClearOfBox = 3;

// The left edge of the first box to the right of a label on its row, or -1.
int NextBoxLeft(const QLabel *label)
{
    const QRect row = label->geometry();
    int left = -1;
    const auto siblings = label->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (const QWidget *sibling : siblings) {
        if (qobject_cast<const QLabel *>(sibling) || sibling->isHidden())
            continue;
        const QRect box = sibling->geometry();
        const bool sameRow = box.top() <= row.bottom() && box.bottom() >= row.top();
        if (sameRow && box.left() > row.left() && (left < 0 || box.left() < left))
            left = box.left();
    }
    return left;
}

// Several translations are longer than the room the form leaves before the box beside them, which would hide
// their end. The controls keep their places; such a caption is drawn narrower, just enough to fit.
void FitBesideBox(QLabel *label)
{
    QFont font = label->font();
    if (font.stretch() != QFont::AnyStretch) {
        font.setStretch(QFont::AnyStretch);
        label->setFont(font);
        label->adjustSize();
    }
    const int boxLeft = NextBoxLeft(label);
    if (boxLeft < 0)
        return;
    const int room = boxLeft - ClearOfBox - label->x();
    for (int stretch = 100 * room / std::max(1, label->width()); label->width() > room && stretch >= NarrowestStretch;
         --stretch) {
        font.setStretch(std::min(stretch, 99));
        label->setFont(font);
        label->adjustSize();
    }
}

} // namespace

void Tmainform1::langcmbChange()
{
    // -1 while typed text names no language: the window stays as it is.
    const int language = langcmb->selectedIndex();
    if (language < 0 || language >= LanguageCount)
        return;
    const CaptionEntry &entry = CaptionTable(language);

    // A few dozen look-ups among a few hundred children, once per pick: cheaper than keeping a second map of
    // the controls beside the table's names.
    for (std::size_t i = 0; i < CaptionControls.size(); ++i) {
        auto *control = findChild<QWidget *>(QLatin1String(CaptionControls[i]));
        if (!control) {
            qWarning("No control %s for its caption", CaptionControls[i]);
            continue;
        }
        SetCaption(*this, control, entry.captions[i]);
        if (auto *label = qobject_cast<QLabel *>(control))
            FitBesideBox(label);
    }

    // Item k means the same setting in every language, so the position carries over; -1 leaves the box blank.
    // Code changes raise no change event, so no handler runs on the way.
    for (std::size_t i = 0; i < ItemListControls.size(); ++i) {
        auto *box = findChild<TComboBox *>(QLatin1String(ItemListControls[i]));
        if (!box) {
            qWarning("No combo box %s for its items", ItemListControls[i]);
            continue;
        }
        const int selected = box->selectedIndex();
        box->setItems(entry.items[i]);
        box->setSelectedIndex(selected);
    }
}
