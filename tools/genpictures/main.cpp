// tarvix-genpictures <out-dir> [--sheets <dir>]
//
// Draws the program's pictures, all of them our own artwork:
//   <out-dir>/bitmaps/440.bmp .. 695.bmp  item picture of graphic number id - 440
//   <out-dir>/bitmaps/696.bmp .. 746.bmp  spell icon of icon row id - 696
//   <out-dir>/icons/128-<size>.png        the program icon at 16, 32, 48, 64, 128 and 256 pixels
// With --sheets, also writes contact sheets of everything (pictures-*.png) into <dir>.

#include "BmpWriter.h"
#include "ContactSheet.h"
#include "ItemLook.h"
#include "ItemPainter.h"
#include "ProgramIconPainter.h"
#include "Quantiser.h"
#include "SpellIconPainter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QTextStream>

#include <cstdio>

namespace {

// The program's string table: "<id>\t<text>" per line.
QHash<int, QString> readStrings(const QString& path)
{
    QHash<int, QString> strings;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return strings;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const qsizetype tab = line.indexOf('\t');
        if (tab > 0) strings.insert(line.left(tab).toInt(), line.mid(tab + 1));
    }
    return strings;
}

// Graphic numbers 0..226 are strings 1..227, numbers 227..255 strings 324..352.
int stringIdOfGraphic(int graphic)
{
    return graphic < 227 ? graphic + 1 : graphic + 97;
}

bool writeBitmap(const QImage& picture, int bits, const QString& path)
{
    const QImage indexed = Quantiser::quantise(picture, 1 << bits);
    if (BmpWriter::write(indexed, bits, path)) return true;
    std::fprintf(stderr, "tarvix-genpictures: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments().mid(1);
    QString outDir, sheetDir;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--sheets" && i + 1 < args.size())
            sheetDir = args[++i];
        else if (outDir.isEmpty() && !args[i].startsWith("--"))
            outDir = args[i];
        else
            outDir.clear(), i = int(args.size());
    }
    if (outDir.isEmpty()) {
        std::fprintf(stderr, "usage: tarvix-genpictures <out-dir> [--sheets <dir>]\n");
        return 2;
    }

    const QHash<int, QString> strings = readStrings(":/strings.txt");
    QStringList graphicNames;
    for (int n = 0; n < 256; ++n) {
        const int id = stringIdOfGraphic(n);
        if (!strings.contains(id)) {
            std::fprintf(stderr, "tarvix-genpictures: string %d (graphic %d) is missing\n", id, n);
            return 1;
        }
        graphicNames << strings.value(id);
    }

    if (!QDir().mkpath(outDir + "/bitmaps") || !QDir().mkpath(outDir + "/icons")) {
        std::fprintf(stderr, "tarvix-genpictures: cannot create %s\n", qPrintable(outDir));
        return 1;
    }
    bool ok = true;
    for (int n = 0; n < 256; ++n) {
        const QImage picture =
            ItemPainter::paint(ItemLook::fromName(graphicNames[n]), ItemPainter::pictureSize(n));
        ok &= writeBitmap(picture, ItemPainter::bitsPerPixel(n),
                          QString("%1/bitmaps/%2.bmp").arg(outDir).arg(440 + n));
    }
    QStringList spellNames;
    for (int row = 0; row < SpellIconPainter::count(); ++row) {
        spellNames << SpellIconPainter::name(row);
        ok &= writeBitmap(SpellIconPainter::paint(row), 8,
                          QString("%1/bitmaps/%2.bmp").arg(outDir).arg(696 + row));
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString path = QString("%1/icons/128-%2.png").arg(outDir).arg(size);
        if (!ProgramIconPainter::paint(size).save(path, "PNG")) {
            std::fprintf(stderr, "tarvix-genpictures: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    if (ok && !sheetDir.isEmpty()) ok = ContactSheet::write(outDir, sheetDir, graphicNames, spellNames);
    return ok ? 0 : 1;
}
