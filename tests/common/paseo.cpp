#include "common/paseo.h"

#include "common/tempdb.h"
#include "platform/ui/modal.h"
#include "platform/vb/msgbox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest/QTest>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>

namespace paseo {

namespace {

// A step that shows box after box is looping on its answers.
constexpr size_t kMaxAvisos = 60;
// Rows a lookup chooses among: the first screenful, as a user does.
constexpr int kFilasElegibles = 20;

struct Previos {
    std::shared_ptr<vb::DialogResponder> respondedor;
    ui::ModalDriver conductor;
};

QString sinSaltos(const QString& s) {
    QString t = s;
    return t.replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

void Lector::abre(const QString& ruta) {
    cierra();
    if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db_, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + ruta.toStdString());
    sqlite3_busy_timeout(db_, 2000);
    testutil::TempDatabase::registerCollation(db_);
}

void Lector::cierra() {
    sqlite3_close(db_);
    db_ = nullptr;
}

qint64 Lector::version() {
    return filas(QStringLiteral("PRAGMA data_version")).value(0).value(0).toLongLong();
}

QList<QVariantList> Lector::filas(const QString& sql, QStringList* columnas) {
    sqlite3_stmt* st = nullptr;
    const QByteArray t = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, t.constData(), int(t.size()), &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sql.toStdString() + ": " + sqlite3_errmsg(db_));
    const int n = sqlite3_column_count(st);
    for (int i = 0; columnas && i < n; ++i)
        *columnas << QString::fromUtf8(sqlite3_column_name(st, i)).toLower();
    QList<QVariantList> r;
    while (sqlite3_step(st) == SQLITE_ROW) {
        QVariantList f;
        for (int i = 0; i < n; ++i) {
            const int tipo = sqlite3_column_type(st, i);
            f << (tipo == SQLITE_NULL      ? QVariant()
                  : tipo == SQLITE_INTEGER ? QVariant(qlonglong(sqlite3_column_int64(st, i)))
                  : tipo == SQLITE_FLOAT   ? QVariant(sqlite3_column_double(st, i))
                                         : QVariant(QString::fromUtf8(reinterpret_cast<const char*>(
                                               sqlite3_column_text(st, i)))));
        }
        r << f;
    }
    sqlite3_finalize(st);
    return r;
}

QVariantMap Lector::fila(const QString& sql) {
    QStringList columnas;
    const QList<QVariantList> r = filas(sql, &columnas);
    QVariantMap m;
    for (int i = 0; !r.isEmpty() && i < columnas.size(); ++i)
        m[columnas[i]] = r[0][i];
    return m;
}

Foto fotografia(Lector& l, const std::vector<Tabla>& tablas) {
    Foto f;
    for (const Tabla& t : tablas) {
        QStringList& filas = f[t.nombre];
        for (const QVariantList& r : l.filas(t.sql)) {
            QStringList c;
            for (const QVariant& v : r)
                c << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            filas << c.join(u'\x1f');
        }
        filas.sort();
    }
    return f;
}

std::vector<Cambio> cambios(const Foto& antes, const Foto& despues) {
    std::vector<Cambio> r;
    for (const auto& [tabla, filas] : despues) {
        const QStringList& previas = antes.at(tabla);
        for (const bool alta : {true, false}) {
            QStringList l;
            const QStringList& de = alta ? filas : previas;
            const QStringList& en = alta ? previas : filas;
            std::set_difference(de.begin(), de.end(), en.begin(), en.end(), std::back_inserter(l));
            for (const QString& f : l)
                r.push_back({tabla, f.section(u'\x1f', 0, 0), alta, f});
        }
    }
    return r;
}

QString describe(const std::vector<Cambio>& c) {
    QStringList l;
    for (size_t i = 0; i < c.size() && i < 4; ++i)
        l << (c[i].alta ? u'+' : u'-') + c[i].tabla + u' ' +
                 QString(c[i].fila).replace(u'\x1f', u'|').left(160);
    return l.join(QStringLiteral("; "));
}

std::string cita(const std::string& texto) {
    std::string r = "\"";
    for (const char c : texto) {
        if (c == '"' || c == '\\')
            r += '\\';
        if (c == '\n')
            r += "\\n";
        else if (c == '\r')
            r += "\\r";
        else
            r += c;
    }
    return r + '"';
}

class Paseo::Respondedor : public vb::DialogResponder {
public:
    explicit Respondedor(Paseo& p) : p_(p) {}

    int messageBox(const QString& prompt, int buttons, const QString& title) override {
        const std::vector<int> botones = vb::buttonCodes(buttons);
        const int porDefecto = botones[vb::defaultButtonIndex(buttons)];
        const int r =
            botones.size() == 1
                ? botones.front()
                : p_.respuesta([&](std::mt19937& g) { return botones[g() % botones.size()]; },
                               porDefecto);
        return p_.anota({Aviso::Mensaje, prompt, title, buttons, r}) ? r : vb::vbCancel;
    }

    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override {
        const int r = p_.respuesta([](std::mt19937& g) { return int(1 + g() % 2); }, 1);
        p_.anota({Aviso::Entrada, prompt, title, 0, r});
        return r == 1 ? defaultText : QString();
    }

private:
    Paseo& p_;
};

Paseo::Paseo(std::vector<Accion> acciones)
    : acciones_(std::move(acciones)), respondedor_(std::make_shared<Respondedor>(*this)) {
    auto previos = std::make_shared<Previos>();
    previos->respondedor = vb::setDialogResponder(respondedor_);
    previos->conductor = ui::setModalDriver([this](QDialog& v) { conduce(v); });
    previos_ = previos;
}

Paseo::~Paseo() {
    auto* previos = static_cast<Previos*>(previos_.get());
    vb::setDialogResponder(previos->respondedor);
    ui::setModalDriver(previos->conductor);
}

bool Paseo::anota(Aviso aviso) {
    avisos_.push_back(std::move(aviso));
    if (avisos_.size() < kMaxAvisos)
        return true;
    if (avisos_.size() == kMaxAvisos)
        viola("boxes", QStringLiteral("more than %1 boxes in one step").arg(kMaxAvisos));
    return false;
}

int Paseo::respuesta(const std::function<int(std::mt19937&)>& azar, int porDefecto) {
    int r = porDefecto;
    if (!fija_)
        r = azar(azar_);
    else if (siguiente_ < guion_.size())
        r = guion_[siguiente_++];
    if (!hechos_.empty())
        hechos_.back().respuestas.push_back(r);
    return r;
}

void Paseo::conduce(QDialog& ventana) {
    // The list of the lookup: the first item view that shows rows.
    QAbstractItemView* lista = nullptr;
    for (QAbstractItemView* v : ventana.findChildren<QAbstractItemView*>())
        if (v->isVisible() && v->model() && v->model()->rowCount() > 0) {
            lista = v;
            break;
        }
    const int filas = lista ? std::min(lista->model()->rowCount(), kFilasElegibles) : 0;
    const int fila = respuesta(
        [&](std::mt19937& g) { return filas == 0 || g() % 3 == 0 ? -1 : int(g() % filas); }, -1);
    anota({Aviso::Consulta, ventana.windowTitle(), QString(), 0, fila});
    if (lista && fila >= 0 && fila < lista->model()->rowCount()) {
        // A double click on the row, as the user accepts one.
        const QModelIndex i = lista->model()->index(fila, 0);
        lista->scrollTo(i);
        lista->setCurrentIndex(i);
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(i).center());
        if (ventana.isVisible())
            QTest::keyClick(lista, Qt::Key_Return);
    }
    if (ventana.isVisible())
        QTest::keyClick(lista ? static_cast<QWidget*>(lista) : &ventana, Qt::Key_Escape);
    if (ventana.isVisible())
        ventana.reject();
}

bool Paseo::da(Paso paso) {
    guion_ = std::move(paso.respuestas);
    siguiente_ = 0;
    paso.respuestas.clear();
    hechos_.push_back(paso);
    avisos_.clear();
    if (antes)
        antes(hechos_.back());
    const Accion* accion = nullptr;
    for (const Accion& a : acciones_)
        if (a.nombre == paso.accion)
            accion = &a;
    if (!accion) {
        viola("walk", QStringLiteral("no action named ") + QString::fromStdString(paso.accion));
        return false;
    }
    try {
        accion->hace(paso.dato);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    } catch (const std::exception& e) {
        viola("exception", QString::fromUtf8(e.what()));
    } catch (...) {
        viola("exception", QStringLiteral("unknown"));
    }
    if ((sigue || !violado()) && despues)
        despues(hechos_.back());
    return sigue || !violado();
}

bool Paseo::camina(unsigned semilla, int pasos) {
    semilla_ = semilla;
    azar_.seed(semilla);
    for (int n = 0; n < pasos && (sigue || !violado()); ++n) {
        std::vector<const Accion*> posibles;
        int total = 0;
        for (const Accion& a : acciones_)
            if (a.peso > 0 && (!a.puede || a.puede())) {
                posibles.push_back(&a);
                total += a.peso;
            }
        if (posibles.empty())
            break;
        int tiro = int(azar_() % unsigned(total));
        const Accion* a = posibles.back();
        for (const Accion* p : posibles)
            if ((tiro -= p->peso) < 0) {
                a = p;
                break;
            }
        fija_ = false;
        da({a->nombre, a->elige ? a->elige(azar_) : std::string()});
    }
    return !violado();
}

bool Paseo::repite(const std::vector<Paso>& pasos) {
    semilla_ = 0;
    for (const Paso& p : pasos) {
        fija_ = true;
        if (!da(p))
            break;
    }
    return !violado();
}

void Paseo::viola(const std::string& invariante, const QString& detalle) {
    if (violado() && !sigue)
        return;
    std::ostringstream o;
    o << invariante << " at step " << numeroPaso();
    if (!hechos_.empty())
        o << " (" << hechos_.back().accion << ' ' << hechos_.back().dato << ')';
    o << ": " << sinSaltos(detalle).toStdString();
    // The boxes of the step, which often tell why.
    for (const Aviso& a : avisos_)
        o << "\n      [" << (a.tipo == Aviso::Consulta ? "lookup" : "box") << "] "
          << sinSaltos(a.texto).left(90).toStdString() << " -> " << a.respuesta;
    violaciones_.push_back(o.str());
}

std::string Paseo::informe() const {
    std::ostringstream o;
    o << (semilla_ ? "walk of seed " + std::to_string(semilla_) : std::string("fixed walk")) << ": "
      << (violado() ? violaciones_.front() : "no violation");
    for (size_t i = 1; i < violaciones_.size(); ++i)
        o << "\n  then " << violaciones_[i];
    o << "\nsteps (paste into a fixed walk):\n";
    for (const Paso& p : hechos_) {
        o << "    {" << cita(p.accion) << ", " << cita(p.dato);
        if (!p.respuestas.empty()) {
            o << ", {";
            for (size_t i = 0; i < p.respuestas.size(); ++i)
                o << (i ? ", " : "") << p.respuestas[i];
            o << '}';
        }
        o << "},\n";
    }
    return o.str();
}

std::vector<unsigned> semillas(unsigned primera, int cuantas) {
    std::vector<unsigned> s;
    for (int i = 0; i < cuantas; ++i)
        s.push_back(primera + unsigned(i));
    return s;
}

std::vector<unsigned> semillasPedidas(unsigned desde) {
    bool dada = false;
    const unsigned inicio = unsigned(qEnvironmentVariableIntValue("QUARZELO_PASEO_SEMILLA", &dada));
    return semillas(dada ? inicio : desde, qEnvironmentVariableIntValue("QUARZELO_PASEOS"));
}

int pasosPedidos(int porDefecto) {
    bool dado = false;
    const int pasos = qEnvironmentVariableIntValue("QUARZELO_PASEO_PASOS", &dado);
    return dado && pasos > 0 ? pasos : porDefecto;
}

int caminaTanda(const std::vector<unsigned>& semillas, int pasos,
                const std::function<Paseo&()>& arranca) {
    QElapsedTimer reloj;
    reloj.start();
    const bool todas = qEnvironmentVariableIsSet("QUARZELO_PASEO_SIGUE");
    int fallidos = 0;
    for (const unsigned s : semillas) {
        Paseo& p = arranca();
        p.sigue = todas;
        p.camina(s, pasos);
        if (p.violado() && (++fallidos <= 3 || todas))
            ADD_FAILURE() << p.informe();
    }
    std::printf("%zu walks of %d steps in %lld ms (%.1f ms each), %d failed\n", semillas.size(),
                pasos, static_cast<long long>(reloj.elapsed()),
                semillas.empty() ? 0.0 : double(reloj.elapsed()) / double(semillas.size()),
                fallidos);
    return fallidos;
}

} // namespace paseo
