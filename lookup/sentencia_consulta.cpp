#include "lookup/sentencia_consulta.h"

#include "platform/sql/lexer.h"
#include "platform/sql/quoting.h"

namespace sentenciaconsulta {

namespace {

using sqltext::Token;
using sqltext::TokenKind;

bool Relleno(const Token& t) {
    return t.kind == TokenKind::Space || t.kind == TokenKind::Comment;
}

bool Contiene(const QString& texto, const char* buscado) {
    return texto.contains(QLatin1String(buscado), Qt::CaseInsensitive);
}

} // namespace

qsizetype PosicionClausula(const QString& sql, const QStringList& palabras) {
    if (palabras.isEmpty())
        return -1;
    const std::vector<Token> tokens = sqltext::lex(sql);
    for (size_t i = 0; i < tokens.size(); ++i) {
        size_t j = i;
        int hallada = 0;
        while (hallada < palabras.size() && j < tokens.size()) {
            if (hallada > 0 && Relleno(tokens[j])) {
                ++j;
                continue;
            }
            if (tokens[j].kind != TokenKind::Word ||
                sqltext::upperWord(sql, tokens[j]) != palabras[hallada].toUpper())
                break;
            ++hallada;
            ++j;
        }
        if (hallada == palabras.size())
            return tokens[i].begin;
    }
    return -1;
}

QString TablaDeSentencia(const QString& sql) {
    const qsizetype desde = PosicionClausula(sql, {QStringLiteral("FROM")});
    if (desde < 0)
        return QString();
    qsizetype inicio = desde + 4;
    while (inicio < sql.size() && sql[inicio].isSpace())
        ++inicio;
    qsizetype fin = inicio;
    while (fin < sql.size() && !sql[fin].isSpace())
        ++fin;
    return sql.mid(inicio, fin - inicio);
}

QString EscapaLike(const QString& texto, MotorSQL motor) {
    QString salida;
    salida.reserve(texto.size());
    for (const QChar c : texto) {
        // Oracle has no character sets in LIKE and refuses an escape before
        // anything but a wildcard.
        if (c == u'%' || c == u'_' || c == QChar(kEscape) ||
            (c == u'[' && motor != MotorSQL::Oracle))
            salida += QChar(kEscape);
        salida += c;
    }
    return salida;
}

QString PatronBusqueda(const QString& texto, bool contiene, MotorSQL motor) {
    QStringList partes;
    if (contiene) {
        for (const QString& palabra : texto.split(u' '))
            partes << EscapaLike(palabra, motor);
        return u'%' + partes.join(u'%') + u'%';
    }
    for (const QString& trozo : texto.split(u'*'))
        partes << EscapaLike(trozo, motor);
    return partes.join(u'%') + u'%';
}

Filtro FiltroServidor(const QString& sql, const QString& sqlActual, const QString& campo,
                      const QString& texto, bool contiene, MotorSQL motor) {
    Filtro f;
    f.sqlActual = sqlActual;
    const qsizetype orden = PosicionClausula(sql, {QStringLiteral("ORDER"), QStringLiteral("BY")});
    if (orden >= 0) {
        f.cola = sql.mid(orden);
        f.sqlActual = sql.left(orden);
    }
    const qsizetype grupo = PosicionClausula(sql, {QStringLiteral("GROUP"), QStringLiteral("BY")});
    if (grupo >= 0) {
        const QString g = sql.mid(grupo);
        if (!g.trimmed().isEmpty())
            f.cola = g;
        f.sqlActual = sql.left(grupo);
    }
    QString prefijo;
    if (Contiene(f.sqlActual, "stk_ma_articulos."))
        prefijo = QStringLiteral("stk_ma_articulos.");
    if (Contiene(f.sqlActual, "v_ma_articulos."))
        prefijo = QStringLiteral("v_ma_articulos.");
    const QString union_ = PosicionClausula(sql, {QStringLiteral("WHERE")}) >= 0
                               ? QStringLiteral(" and ")
                               : QStringLiteral(" where ");
    f.sql = f.sqlActual + union_ + prefijo + campo + QStringLiteral(" like ") +
            sqltext::literal(PatronBusqueda(texto, contiene, motor)) + QStringLiteral(" ESCAPE ") +
            sqltext::literal(QString(QChar(kEscape))) + u' ' + f.cola;
    return f;
}

QString OrdenServidor(const QString& sql, int columna, bool descendente) {
    // The last ORDER BY outside parentheses is the statement's own.
    const std::vector<Token> tokens = sqltext::lex(sql);
    int nivel = 0;
    qsizetype orden = -1, claves = -1;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == TokenKind::Punct && t.text(sql) == u"(")
            ++nivel;
        else if (t.kind == TokenKind::Punct && t.text(sql) == u")")
            --nivel;
        if (nivel != 0 || t.kind != TokenKind::Word || sqltext::upperWord(sql, t) != u"ORDER")
            continue;
        size_t j = i + 1;
        while (j < tokens.size() && Relleno(tokens[j]))
            ++j;
        if (j < tokens.size() && tokens[j].kind == TokenKind::Word &&
            sqltext::upperWord(sql, tokens[j]) == u"BY") {
            orden = t.begin;
            claves = tokens[j].end;
        }
    }
    QString nueva = QStringLiteral("ORDER BY ") + QString::number(columna) +
                    (descendente ? QStringLiteral(" DESC") : QString());
    if (orden < 0)
        return sql.trimmed() + u' ' + nueva;
    QString propias = sql.mid(claves).trimmed();
    if (propias.endsWith(u';'))
        propias.chop(1);
    if (!propias.trimmed().isEmpty())
        nueva += QStringLiteral(", ") + propias.trimmed();
    return sql.left(orden) + nueva;
}

} // namespace sentenciaconsulta
