// Feeds arbitrary bytes to Load's path: the file reader must accept exactly the
// files that hold a whole image, and whatever it accepts must parse and build
// back into a complete image without touching memory it does not own.
#include "settings/parameterdata.h"
#include "settings/parameterfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_read: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("Parameter.dat"));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail("cannot write the input file");
    const qint64 length = static_cast<qint64>(size);
    if (file.write(reinterpret_cast<const char *>(data), length) != length)
        fail("cannot write the input file");
    file.close();

    QString error;
    const std::optional<QByteArray> image = ReadParameterFile(path, &error);
    if (image.has_value() != (length >= ParameterDataSize))
        fail("a file was accepted or refused against its size");
    if (!image) {
        if (error.isEmpty())
            fail("a refused file has no message");
        return 0;
    }

    const ParameterValues values = ReadParameterData(*image);
    if (BuildParameterData(values).size() != ParameterDataSize)
        fail("the rebuilt image is not 2128 bytes");
    return 0;
}
