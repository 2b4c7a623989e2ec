// quarzelo-mkmask: writes the query-mask file from its readable definitions.
//
//   quarzelo-mkmask <definitions.txt> <consultas.zub>
//
// The definitions are UTF-8 text in the form of app/mkmask/definiciones.h;
// the output is the fixed-record Windows-1252 file the lookups read. Nothing
// is written unless every line is sound and fits its field.

#include "app/mkmask/definiciones.h"
#include "lookup/consultas_zub.h"

#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "quarzelo-mkmask: %s\n", message.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return fail(QStringLiteral("usage: quarzelo-mkmask <definitions.txt> <consultas.zub>"));
    const QString entrada = QFile::decodeName(argv[1]);
    const QString salida = QFile::decodeName(argv[2]);
    QFile archivo(entrada);
    if (!archivo.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(entrada, archivo.errorString()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texto = utf8.decode(archivo.readAll());
    if (utf8.hasError())
        return fail(QStringLiteral("%1: not UTF-8 text").arg(entrada));
    QString error;
    const auto registros = mkmask::LeeDefiniciones(texto, error);
    if (!registros)
        return fail(QStringLiteral("%1: %2").arg(entrada, error));
    if (!consultas_zub::GrabaMascaras(salida, *registros, error))
        return fail(error);
    return 0;
}
