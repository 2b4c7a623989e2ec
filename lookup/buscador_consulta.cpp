#include "lookup/buscador_consulta.h"

#include <chrono>
#include <climits>

BuscadorConsulta::BuscadorConsulta(QObject* parent)
    : QObject(parent), hilo_([this] { recorre(); }) {}

BuscadorConsulta::~BuscadorConsulta() {
    {
        std::lock_guard<std::mutex> l(m_);
        fin_ = true;
    }
    cancela();
    hayPedido_.notify_all();
    hilo_.join();
}

void BuscadorConsulta::busca(Pedido pedido, Respuesta respuesta) {
    cancela();
    std::lock_guard<std::mutex> l(m_);
    ultimo_ = ultimo_ == INT_MAX ? 1 : ultimo_ + 1;
    actual_ = ultimo_;
    idPedido_ = ultimo_;
    pedido_ = std::move(pedido);
    respuesta_ = std::move(respuesta);
    hayPedido_.notify_one();
}

void BuscadorConsulta::prepara(const QString& conexion, const QString& base) {
    std::lock_guard<std::mutex> l(m_);
    if (actual_ != 0 || pedido_)
        return;
    Pedido p;
    p.conexion = conexion;
    p.base = base;
    pedido_ = std::move(p);
    idPedido_ = 0;
    hayPedido_.notify_one();
}

void BuscadorConsulta::cancela() {
    std::lock_guard<std::mutex> l(m_);
    actual_ = 0;
    pedido_.reset();
    hallazgo_.reset();
    respuesta_ = {};
    // The connection cannot close meanwhile: the thread drops it only
    // between searches, under the same lock.
    if (enCurso_ && conexion_)
        conexion_->interrupt();
}

bool BuscadorConsulta::espera(int ms) {
    {
        std::unique_lock<std::mutex> l(m_);
        hayHallazgo_.wait_for(l, std::chrono::milliseconds(ms),
                              [this] { return hallazgo_.has_value() || actual_ == 0; });
    }
    entrega();
    return !pendiente();
}

void BuscadorConsulta::entrega() {
    Respuesta respuesta;
    Hallazgo h;
    {
        std::lock_guard<std::mutex> l(m_);
        if (!hallazgo_ || hallazgo_->id != actual_)
            return;
        h = std::move(*hallazgo_);
        hallazgo_.reset();
        actual_ = 0;
        respuesta = std::move(respuesta_);
        respuesta_ = {};
    }
    if (respuesta)
        respuesta(h.hecha, h.fila, h.tramo);
}

void BuscadorConsulta::recorre() {
    for (;;) {
        Pedido p;
        int id = 0;
        {
            std::unique_lock<std::mutex> l(m_);
            hayPedido_.wait(l, [this] { return fin_ || pedido_.has_value(); });
            if (fin_)
                break;
            p = std::move(*pedido_);
            pedido_.reset();
            id = idPedido_;
        }
        Hallazgo h = ejecuta(p, id);
        std::lock_guard<std::mutex> l(m_);
        if (id == 0 || id != actual_)
            continue;
        hallazgo_ = std::move(h);
        hayHallazgo_.notify_all();
        QMetaObject::invokeMethod(
            this, [this] { entrega(); }, Qt::QueuedConnection);
    }
    // The connection closes in the thread that used it.
    ado::ConnectionPtr c;
    {
        std::lock_guard<std::mutex> l(m_);
        c = std::move(conexion_);
    }
}

BuscadorConsulta::Hallazgo BuscadorConsulta::ejecuta(const Pedido& p, int id) {
    Hallazgo h;
    h.id = id;
    try {
        if (!conexion_ || conexionDe_ != p.conexion || baseDe_ != p.base) {
            ado::ConnectionPtr vieja;
            {
                std::lock_guard<std::mutex> l(m_);
                vieja = std::move(conexion_);
            }
            vieja.reset();
            ado::ConnectionPtr c = ado::Connection::create();
            c->setDefaultDatabase(p.base);
            c->Open(p.conexion, QString(), QString(), -1);
            conexionDe_ = p.conexion;
            baseDe_ = p.base;
            std::lock_guard<std::mutex> l(m_);
            conexion_ = std::move(c);
        }
        {
            std::lock_guard<std::mutex> l(m_);
            if (id == 0 || id != actual_)
                return h;
            enCurso_ = id;
        }
        if (!p.criterio) {
            // A statement that fails is left to the window, which reports it.
            try {
                h.hecha = lee(p.sentencia, p.filasDesde, id, h.tramo.desde, &h.tramo.campos);
            } catch (...) {
                h.hecha = false;
            }
            if (!h.hecha)
                h.tramo = Tramo();
            h.tramo.leido = h.hecha;
            std::lock_guard<std::mutex> l(m_);
            enCurso_ = 0;
            return h;
        }
        ado::RecordsetPtr rs = ado::Recordset::create();
        rs->setStreaming(true);
        try {
            rs->Open(p.sentencia, conexion_, ado::adOpenForwardOnly, ado::adLockReadOnly);
            const int campos = rs->State() == ado::adStateOpen ? rs->fieldCount() : 0;
            while (campos > 0 && !rs->EOF() && id == actual_) {
                std::vector<QVariant> fila;
                fila.reserve(size_t(campos));
                for (int j = 0; j < campos; ++j)
                    fila.push_back(rs->value(j));
                if (p.criterio(fila)) {
                    h.fila = std::move(fila);
                    break;
                }
                rs->MoveNext();
            }
            h.hecha = true;
            rs.reset();
            if (!h.fila.empty() && p.desde && p.antes)
                h.tramo.leido = lee(p.desde(h.fila), p.filasDesde, id, h.tramo.desde) &&
                                lee(p.antes(h.fila), p.filasAntes, id, h.tramo.antes);
        } catch (...) {
            h.tramo = Tramo();
        }
        rs.reset();
        std::lock_guard<std::mutex> l(m_);
        enCurso_ = 0;
    } catch (...) {
        h.hecha = false;
    }
    return h;
}

bool BuscadorConsulta::lee(const QString& sentencia, int cuantas, int id, Filas& filas,
                           std::vector<Campo>* columnas) {
    ado::RecordsetPtr rs = ado::Recordset::create();
    rs->setStreaming(true);
    rs->Open(sentencia, conexion_, ado::adOpenForwardOnly, ado::adLockReadOnly);
    if (rs->State() != ado::adStateOpen)
        return false;
    const int campos = rs->fieldCount();
    for (int j = 0; columnas && j < campos; ++j) {
        const ado::Field f = rs->Fields(j);
        columnas->push_back({f.Name(), f.Type(), f.DefinedSize()});
    }
    for (; int(filas.size()) < cuantas && !rs->EOF() && id == actual_; rs->MoveNext()) {
        std::vector<QVariant> fila;
        fila.reserve(size_t(campos));
        for (int j = 0; j < campos; ++j)
            fila.push_back(rs->value(j));
        filas.push_back(std::move(fila));
    }
    return id == actual_;
}
