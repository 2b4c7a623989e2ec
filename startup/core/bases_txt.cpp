#include "startup/core/bases_txt.h"

#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "platform/win/quindel2.h"
#include "startup/core/cnstuffcontable.h"

#include <QStringList>

namespace basestxt {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// A field the file cannot carry: the reader would split it or the code page
// would change it, and every program that reads the file would get the
// following fields wrong.
bool fitsTheFile(const QString& field) {
    for (QChar c : field)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return false;
    return quindel2::decodeWindows1252(quindel2::encodeWindows1252(field)) == field;
}

} // namespace

QString filePath() {
    return ClsUtilidades::CarpetaConBarra(vb::AppPath()) + QStringLiteral("BASES.TXT");
}

QString keyServer(const QString& server) {
    const QString s = server.toUpper().trimmed();
    const qsizetype dosPuntos = s.indexOf(u':');
    return dosPuntos < 0 ? s : s.left(dosPuntos);
}

QString connectionKey(const QString& database, const QString& server) {
    return database.toUpper().trimmed() + QStringLiteral(" / ") + keyServer(server);
}

RegisteredConnection parseLine(const QString& line) {
    QStringList fields;
    qsizetype i = 0;
    while (fields.size() < 5 && i <= line.size()) {
        while (i < line.size() && isBlank(line.at(i)))
            ++i;
        QString field;
        if (i < line.size() && line.at(i) == u'"') {
            const qsizetype cierre = line.indexOf(u'"', i + 1);
            field = line.mid(i + 1, cierre < 0 ? -1 : cierre - i - 1);
            i = cierre < 0 ? line.size() : cierre + 1;
            const qsizetype coma = line.indexOf(u',', i);
            i = coma < 0 ? line.size() + 1 : coma + 1;
        } else {
            const qsizetype coma = line.indexOf(u',', i);
            field = line.mid(i, coma < 0 ? -1 : coma - i).trimmed();
            i = coma < 0 ? line.size() + 1 : coma + 1;
        }
        fields << field;
    }
    while (fields.size() < 5)
        fields << QString();
    return {fields[0], fields[1], fields[2], fields[3], fields[4]};
}

std::optional<std::vector<RegisteredConnection>> read(const QString& path) {
    const std::optional<QString> texto = quindel2::readTextFile(path);
    if (!texto)
        return std::nullopt;
    std::vector<RegisteredConnection> lineas;
    QStringList partes = texto->split(u'\n');
    // The line end after the last line leaves nothing to read.
    if (!partes.isEmpty() && partes.last().isEmpty())
        partes.removeLast();
    for (QString linea : partes) {
        if (linea.endsWith(u'\r'))
            linea.chop(1);
        lineas.push_back(parseLine(linea));
    }
    return lineas;
}

} // namespace basestxt

namespace LBM_Common1 {

void RegistraConexion(const QString& Clave, const QString& Base, const QString& Usuario,
                      const QString& Password, const QString& Servidor, bool Oracle) {
    const QString servidor = Oracle ? Servidor + u'#' : Servidor;
    const QStringList campos = {Clave.trimmed(), Base.trimmed(), Usuario.trimmed(),
                                ClsUtilidades::CodificaClave(Password).trimmed(),
                                servidor.trimmed()};
    for (const QString& campo : campos)
        if (!basestxt::fitsTheFile(campo))
            vb::Raise(vb::errInvalidCall);
    if (!quindel2::writeTextFile(basestxt::filePath(), campos.join(u',') + vb::vbCrLf, true))
        vb::Raise(vb::errPathFileAccess);
}

} // namespace LBM_Common1
