#include "app/mkmask/definiciones.h"

#include <QSet>
#include <QStringList>

namespace mkmask {

std::optional<std::vector<consultas_zub::MascaraConsulta>> LeeDefiniciones(const QString& Texto,
                                                                           QString& Error) {
    std::vector<consultas_zub::MascaraConsulta> registros;
    QSet<QString> tablas;
    const QStringList lineas = Texto.split(u'\n');
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const QString linea = lineas[i].trimmed();
        if (linea.isEmpty() || linea.startsWith(u'#'))
            continue;
        auto falla = [&](const QString& motivo) {
            Error = QStringLiteral("line %1: %2").arg(i + 1).arg(motivo);
            return std::nullopt;
        };
        const qsizetype uno = linea.indexOf(u';');
        const qsizetype dos = uno < 0 ? -1 : linea.indexOf(u';', uno + 1);
        if (dos < 0)
            return falla(QStringLiteral("expected TABLE ; COLUMNS ; CONDITION"));
        consultas_zub::MascaraConsulta m;
        m.Tabla = linea.left(uno).trimmed();
        m.Campos = linea.mid(uno + 1, dos - uno - 1).trimmed();
        m.Condicion = linea.mid(dos + 1).trimmed();
        if (m.Tabla.isEmpty())
            return falla(QStringLiteral("no table"));
        if (m.Campos.isEmpty())
            return falla(QStringLiteral("no columns for %1").arg(m.Tabla));
        if (tablas.contains(m.Tabla.toUpper()))
            return falla(QStringLiteral("%1 is defined twice").arg(m.Tabla));
        tablas.insert(m.Tabla.toUpper());
        registros.push_back(m);
    }
    return registros;
}

} // namespace mkmask
