#include "lookup/sentencia_consulta.h"

#include "platform/sql/lexer.h"
#include "platform/sql/quoting.h"
#include "platform/vb/vb.h"

#include <QDateTime>
#include <QSet>
#include <algorithm>

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

namespace {

// The statement's own ORDER BY: the last one outside parentheses. `orden`
// is where it starts and `claves` where its keys do; -1 without one.
void UltimoOrden(const QString& sql, qsizetype& orden, qsizetype& claves) {
    const std::vector<Token> tokens = sqltext::lex(sql);
    int nivel = 0;
    orden = claves = -1;
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
}

QString SinPuntoYComa(QString texto) {
    texto = texto.trimmed();
    if (texto.endsWith(u';'))
        texto.chop(1);
    return texto.trimmed();
}

// The keys' texts, split at the commas outside parentheses.
QStringList TextosDeClaves(const QString& texto) {
    QStringList claves;
    const std::vector<Token> tokens = sqltext::lex(texto);
    int nivel = 0;
    qsizetype desde = 0;
    for (const Token& t : tokens) {
        if (t.kind != TokenKind::Punct)
            continue;
        const QStringView p = t.text(texto);
        if (p == u"(")
            ++nivel;
        else if (p == u")")
            --nivel;
        else if (p == u"," && nivel == 0) {
            claves << texto.mid(desde, t.begin - desde).trimmed();
            desde = t.end;
        }
    }
    claves << texto.mid(desde).trimmed();
    return claves;
}

} // namespace

bool ConTop(const QString& sql) {
    int palabras = 0;
    for (const Token& t : sqltext::lex(sql)) {
        if (t.kind != TokenKind::Word)
            continue;
        const QString w = sqltext::upperWord(sql, t);
        if (palabras++ == 0) {
            if (w != u"SELECT")
                return false;
            continue;
        }
        if (w == u"DISTINCT" || w == u"ALL")
            continue;
        return w == u"TOP";
    }
    return false;
}

namespace {

// A column named in a key: its bare name, without brackets, quotes or table.
QString NombreDeClave(QString expresion) {
    expresion = expresion.trimmed();
    const qsizetype punto = expresion.lastIndexOf(u'.');
    if (punto >= 0 && !expresion.endsWith(u']') && !expresion.endsWith(u'"'))
        expresion = expresion.mid(punto + 1);
    else if (punto >= 0) {
        const qsizetype abre = std::max(expresion.lastIndexOf(u'['), expresion.lastIndexOf(u'"'));
        if (abre > 0 && expresion[abre - 1] == u'.')
            expresion = expresion.mid(abre);
    }
    if ((expresion.startsWith(u'[') && expresion.endsWith(u']')) ||
        (expresion.startsWith(u'"') && expresion.endsWith(u'"')))
        expresion = expresion.mid(1, expresion.size() - 2);
    return expresion;
}

// A key's column as the conditions and the order compare it, and a value
// as its literal there.
bool PorInstante(const Clave& k, MotorSQL motor) {
    return k.fecha && motor == MotorSQL::SQLite;
}
QString Expresion(const QString& nombre, const Clave& k, MotorSQL motor) {
    const QString c = Columna(nombre, motor);
    return PorInstante(k, motor) ? QStringLiteral("julianday(") + c + u')' : c;
}
QString LiteralDe(const Clave& k, const QVariant& v, MotorSQL motor) {
    const QString l = Literal(v, motor);
    return PorInstante(k, motor) ? QStringLiteral("julianday(") + l + u')' : l;
}

// Rows after `v` in the key's direction (the engines sort NULL first).
QString Mayor(const QString& c, const Clave& k, const QVariant& v, MotorSQL motor) {
    if (vb::IsNull(v) || !v.isValid())
        return k.descendente ? QStringLiteral("1 = 0") : c + QStringLiteral(" IS NOT NULL");
    const QString l = LiteralDe(k, v, motor);
    return k.descendente ? u'(' + c + QStringLiteral(" < ") + l + QStringLiteral(" OR ") + c +
                               QStringLiteral(" IS NULL)")
                         : c + QStringLiteral(" > ") + l;
}

QString Igual(const QString& c, const Clave& k, const QVariant& v, MotorSQL motor) {
    if (vb::IsNull(v) || !v.isValid())
        return c + QStringLiteral(" IS NULL");
    return c + QStringLiteral(" = ") + LiteralDe(k, v, motor);
}

QString MayorOIgual(const QString& c, const Clave& k, const QVariant& v, MotorSQL motor) {
    if (vb::IsNull(v) || !v.isValid())
        return k.descendente ? c + QStringLiteral(" IS NULL") : QString();
    const QString l = LiteralDe(k, v, motor);
    return k.descendente ? u'(' + c + QStringLiteral(" <= ") + l + QStringLiteral(" OR ") + c +
                               QStringLiteral(" IS NULL)")
                         : c + QStringLiteral(" >= ") + l;
}

// The rows after the row `v` (or at it too) in the keys' order, the first
// key bounded on its own so that an index on it serves.
QString Posteriores(const QStringList& nombres, const std::vector<Clave>& claves,
                    const std::vector<QVariant>& v, bool incluida, MotorSQL motor) {
    QString resto = incluida ? QStringLiteral("1 = 1") : QStringLiteral("1 = 0");
    for (size_t i = claves.size(); i-- > 0;) {
        const Clave& k = claves[i];
        const QString c = Expresion(nombres[k.columna], k, motor);
        const QVariant& valor = v[size_t(k.columna)];
        resto = u'(' + Mayor(c, k, valor, motor) + QStringLiteral(" OR (") +
                Igual(c, k, valor, motor) + QStringLiteral(" AND ") + resto + QStringLiteral("))");
    }
    const QString cota =
        MayorOIgual(Expresion(nombres[claves.front().columna], claves.front(), motor),
                    claves.front(), v[size_t(claves.front().columna)], motor);
    return cota.isEmpty() ? resto : cota + QStringLiteral(" AND ") + resto;
}

} // namespace

QString OrdenServidor(const QString& sql, int columna, bool descendente) {
    qsizetype orden = -1, claves = -1;
    UltimoOrden(sql, orden, claves);
    QString nueva = QStringLiteral("ORDER BY ") + QString::number(columna) +
                    (descendente ? QStringLiteral(" DESC") : QString());
    if (orden < 0)
        return sql.trimmed() + u' ' + nueva;
    const QString propias = SinPuntoYComa(sql.mid(claves));
    if (!propias.isEmpty())
        nueva += QStringLiteral(", ") + propias;
    return sql.left(orden) + nueva;
}

QString Columna(const QString& nombre, MotorSQL motor) {
    if (motor == MotorSQL::Oracle)
        return u'"' + nombre + u'"';
    return u'[' + nombre + u']';
}

QString Literal(const QVariant& valor, MotorSQL motor) {
    if (vb::isCurrency(valor))
        return valor.value<vb::Currency>().toString(u'.');
    switch (valor.typeId()) {
    case QMetaType::Bool:
        return valor.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return QString::number(valor.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(valor.toDouble(), 'g', 17);
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        const QDateTime d = valor.toDateTime();
        // A server's time keeps its milliseconds: without them the row read
        // last would come after its own literal.
        if (motor == MotorSQL::SqlServer)
            return sqltext::literal(d.toString(QStringLiteral("yyyyMMdd HH:mm:ss.zzz")));
        if (motor == MotorSQL::Oracle)
            return QStringLiteral("TO_DATE('") + d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                   QStringLiteral("','YYYY-MM-DD HH24:MI:SS')");
        return sqltext::literal(d.toString(d.time().msec()
                                               ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                                               : QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    default:
        // A Unicode column compared with a plain literal loses what the
        // code page cannot hold.
        if (motor == MotorSQL::SqlServer)
            return u'N' + sqltext::literal(valor.toString());
        return sqltext::literal(valor.toString());
    }
}

QString CondicionPrefijo(const QString& nombre, const QString& texto, bool esTexto,
                         MotorSQL motor) {
    const QString c = Columna(nombre, motor);
    const QString plegado = texto.toCaseFolded();
    if (esTexto && motor == MotorSQL::SQLite && !plegado.isEmpty() &&
        !plegado.back().isSurrogate()) {
        // Every text that starts with it sorts from it up to its last
        // character's successor, as the engine's collation folds letter case.
        const char16_t ultimo = plegado.back().unicode();
        const QChar siguiente(char16_t(ultimo + 1));
        if (ultimo < 0xD7FF && siguiente.unicode() > u' ' &&
            siguiente.toCaseFolded().unicode() > ultimo) {
            const QString cota = plegado.left(plegado.size() - 1) + siguiente;
            const QString k = c + QStringLiteral(" COLLATE SQLSRV");
            return k + QStringLiteral(" >= ") + sqltext::literal(plegado) +
                   QStringLiteral(" AND ") + k + QStringLiteral(" < ") + sqltext::literal(cota);
        }
    }
    return c + QStringLiteral(" LIKE ") + sqltext::literal(EscapaLike(texto, motor) + u'%') +
           QStringLiteral(" ESCAPE ") + sqltext::literal(QString(QChar(kEscape)));
}

std::optional<std::vector<Clave>> OrdenDeSentencia(const QString& sql, const QStringList& nombres,
                                                   const std::vector<bool>& ordenables) {
    QSet<QString> vistos;
    for (const QString& n : nombres) {
        if (n.trimmed().isEmpty() || n.contains(u']') || vistos.contains(n.toUpper()))
            return std::nullopt;
        vistos.insert(n.toUpper());
    }
    if (nombres.isEmpty())
        return std::nullopt;
    std::vector<Clave> claves;
    std::vector<bool> usada(size_t(nombres.size()), false);
    qsizetype orden = -1, inicio = -1;
    UltimoOrden(sql, orden, inicio);
    if (orden >= 0) {
        for (QString texto : TextosDeClaves(SinPuntoYComa(sql.mid(inicio)))) {
            Clave k;
            const QStringList palabras = texto.split(u' ', Qt::SkipEmptyParts);
            if (palabras.size() > 1 &&
                (palabras.back().compare(u"DESC", Qt::CaseInsensitive) == 0 ||
                 palabras.back().compare(u"ASC", Qt::CaseInsensitive) == 0)) {
                k.descendente = palabras.back().compare(u"DESC", Qt::CaseInsensitive) == 0;
                texto = texto.left(texto.lastIndexOf(palabras.back())).trimmed();
            }
            bool numero = false;
            const int posicion = texto.toInt(&numero);
            if (numero) {
                k.columna = posicion - 1;
            } else {
                const QString nombre = NombreDeClave(texto);
                k.columna = -1;
                for (int c = 0; c < nombres.size(); ++c)
                    if (nombres[c].compare(nombre, Qt::CaseInsensitive) == 0)
                        k.columna = c;
            }
            if (k.columna < 0 || k.columna >= nombres.size())
                return std::nullopt;
            if (usada[size_t(k.columna)])
                continue;
            usada[size_t(k.columna)] = true;
            claves.push_back(k);
        }
    }
    for (int c = 0; c < nombres.size(); ++c)
        if (!usada[size_t(c)] && (size_t(c) >= ordenables.size() || ordenables[size_t(c)]))
            claves.push_back({c, false});
    return claves;
}

std::vector<Clave> OrdenPorColumna(const std::vector<Clave>& claves, int columna,
                                   bool descendente) {
    std::vector<Clave> nuevas{{columna, descendente}};
    for (const Clave& k : claves)
        if (k.columna != columna)
            nuevas.push_back(k);
    return nuevas;
}

namespace {

// The statement to read from as a derived table: without TOP its order
// chooses nothing, and a server refuses ORDER BY in a derived table without
// TOP.
QString Derivada(const QString& sql) {
    QString base = SinPuntoYComa(sql);
    if (!ConTop(base)) {
        qsizetype orden = -1, inicio = -1;
        UltimoOrden(base, orden, inicio);
        if (orden >= 0)
            base = base.left(orden).trimmed();
    }
    return base;
}

} // namespace

QString SentenciaSinOrden(const QString& sql) {
    return QStringLiteral("SELECT * FROM (") + Derivada(sql) + QStringLiteral(") Q_LISTA");
}

QString SentenciaPorClaves(const QString& sql, const QStringList& nombres,
                           const std::vector<Clave>& claves, Desde desde,
                           const std::vector<QVariant>& valores, MotorSQL motor,
                           const QString& condicion, int top) {
    const QString base = Derivada(sql);
    std::vector<Clave> inversas = claves;
    for (Clave& k : inversas)
        k.descendente = !k.descendente;
    const bool haciaAtras =
        desde == Desde::Antes || desde == Desde::AntesEn || desde == Desde::Final;
    const std::vector<Clave>& orden = haciaAtras ? inversas : claves;
    QStringList condiciones;
    if (desde != Desde::Principio && desde != Desde::Final)
        condiciones << Posteriores(nombres, desde == Desde::Hasta || haciaAtras ? inversas : claves,
                                   valores, desde == Desde::En || desde == Desde::AntesEn, motor);
    if (!condicion.isEmpty())
        condiciones << condicion;
    QStringList terminos;
    for (const Clave& k : orden)
        // Oracle sorts NULL last; the conditions above take it first, as
        // the other engines sort it.
        terminos << Expresion(nombres[k.columna], k, motor) +
                        (k.descendente ? QStringLiteral(" DESC") : QString()) +
                        (motor != MotorSQL::Oracle ? QString()
                         : k.descendente           ? QStringLiteral(" NULLS LAST")
                                                   : QStringLiteral(" NULLS FIRST"));
    QString s = QStringLiteral("SELECT ");
    if (top > 0)
        s += QStringLiteral("TOP ") + QString::number(top) + u' ';
    s += QStringLiteral("* FROM (") + base + QStringLiteral(") Q_LISTA");
    if (!condiciones.isEmpty())
        s += QStringLiteral(" WHERE ") + condiciones.join(QStringLiteral(" AND "));
    return s + QStringLiteral(" ORDER BY ") + terminos.join(QStringLiteral(", "));
}

} // namespace sentenciaconsulta
