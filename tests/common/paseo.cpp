#include "common/paseo.h"

#include "platform/ui/modal.h"
#include "platform/vb/msgbox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QtTest/QTest>
#include <cstdio>
#include <exception>
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
    violaciones_.push_back(o.str());
}

std::string Paseo::informe() const {
    std::ostringstream o;
    o << (semilla_ ? "walk of seed " + std::to_string(semilla_) : std::string("fixed walk")) << ": "
      << (violado() ? violaciones_.front() : "no violation");
    for (size_t i = 1; i < violaciones_.size(); ++i)
        o << "\n  then " << violaciones_[i];
    o << "\nboxes of the last step:";
    for (const Aviso& a : avisos_)
        o << "\n  [" << a.tipo << "] " << sinSaltos(a.texto).toStdString() << " | "
          << a.titulo.toStdString() << " | style " << a.estilo << " -> " << a.respuesta;
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
    const int mas = qEnvironmentVariableIntValue("QUARZELO_PASEOS");
    bool dada = false;
    const unsigned desde = unsigned(qEnvironmentVariableIntValue("QUARZELO_PASEO_SEMILLA", &dada));
    const unsigned inicio = dada ? desde : primera + unsigned(cuantas);
    for (int i = 0; i < mas; ++i)
        s.push_back(inicio + unsigned(i));
    return s;
}

} // namespace paseo
