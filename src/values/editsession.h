#pragma once

#include "settings/parameterdata.h"
#include "settings/parametervalues.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// What the editor and its tool know of the file being edited, beside the values themselves: the steps of Load and
// Save, each returning its result, and whether closing would lose anything. The window keeps the values in its
// controls and hands them over at each step.
class EditSession
{
public:
    // Load's first step: the file's image, or nullopt and the message why not.
    static std::optional<QByteArray> Read(const QString &path, QString *error);
    // The same for the bytes of a file named `name` that a browser read.
    static std::optional<QByteArray> ReadContent(const QByteArray &content, const QString &name, QString *error);
    // The warning for an image without the constant bytes every settings file holds (most likely a photo from the
    // same card), naming the file `name`, then `question` if any; empty for a settings file.
    static QString ForeignWarning(const QByteArray &image, const QString &name, const QString &question = {});
    // Load's last step: the values, or nullopt and the message when the timer bytes are no times of day, so that a
    // bad file leaves the window as it was rather than half loaded.
    static std::optional<ParameterValues> Decode(const QByteArray &image, QString *error);

    // What the window shows at start, and after a Load: Save asks only about texts that differ from it, and a
    // window showing it again closes without a question.
    void Start(const ParameterValues &shown);
    void Loaded(const ParameterValues &shown);

    // What Save asks about before it builds: the texts a Load would read back shorter, and those typed on the page
    // whose connection the file does not keep.
    struct SaveWarnings
    {
        std::vector<CutText> cut;
        std::vector<const ParameterField *> leftOut;
    };
    SaveWarnings Warnings(const ParameterValues &values) const;

    // Save's two steps: the image, built when the user saves so that the clock bytes hold that time, then written.
    const QByteArray &Build(const ParameterValues &values);
    // Writes the image last built; on failure returns false with the message for the user.
    bool Write(const QString &path, QString *error);
    // The image last built left the program another way, as a browser's download.
    void Delivered();
    // The image the last Build made; empty until then.
    const QByteArray &image() const { return m_image; }

    // Whether closing now would lose what `shown` holds: it differs from the start, the last Load and the last Save,
    // and was not given up.
    bool IsModified(const ParameterValues &shown) const;
    // The user chose to lose `shown`, at a logout too, after which closing does not ask again.
    void Discard(const ParameterValues &shown);

private:
    QByteArray m_image;
    ParameterValues m_built;
    ParameterValues m_valuesFound;
    // What Save would write, with one fixed clock: the clock's ticks change nothing the user would lose.
    QByteArray m_startImage;
    QByteArray m_loadedImage;
    QByteArray m_savedImage;
    QByteArray m_discardedImage;
};
