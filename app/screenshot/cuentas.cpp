// quarzelo-screenshot-cuentas: the README's pictures of the chart-of-accounts
// program's windows, taken from a real run on the demo company.
//
//   quarzelo-screenshot-cuentas cuentas <output.png> <parameter string> [code]
//   quarzelo-screenshot-cuentas adicionales <output.png> <parameter string> [code]
//   quarzelo-screenshot-cuentas ccostos <output.png> <parameter string> [code [unit]]
//   quarzelo-screenshot-cuentas titulos <output.png> <parameter string> [code]
//
// The start-up is the program's own; then each window is brought to what its
// picture shows:
// - cuentas: the account (by default the demo's bank account 110102001001) is
//   chosen by a click on its node in the chart tree;
// - adicionales: the window opens alone, as the program's menu opens it, and
//   the account (by default the demo's customers account 110301001, which has
//   additional data) is typed into its code box and accepted with Enter;
// - ccostos: the window opens as the accounts window opens it, on the account
//   (by default the demo's 530101001, administrative salaries), the account is
//   accepted with Enter and the business unit (by default 0002) is chosen in
//   its list;
// - titulos: the accounts window with its title list ("Tipo de Cuenta")
//   dropped down on the title the README's steps choose (by default BANCOS,
//   110102); the picture holds the open list over the window.
// Any box shown fails the shot.

#include "accountextras/ui/frmma_cuentasadic.h"
#include "accountextras/ui/frmta_asigccosto.h"
#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/frmma_cuentas.h"
#include "app/arranque/arranque.h"
#include "data/pasos.h"
#include "platform/ui/flexgrid.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QtTest/QTest>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kEspera = 10000; // ms

int falla(const char* motivo) {
    std::fprintf(stderr, "quarzelo-screenshot-cuentas: %s\n", motivo);
    return 1;
}

// One window's own steps; the run around them is the same for all.
class Toma {
public:
    virtual ~Toma() = default;
    // Opens the window once the start-up went through; it fails as the
    // start-up does.
    virtual QWidget* abre() = 0;
    // Brings the shown window to what the picture needs: nullptr, or why not.
    virtual const char* prepara() = 0;
    // What the final line tells of the window's content.
    virtual QString resumen() const = 0;
    // The picture: the window as it is drawn.
    virtual QPixmap foto(QWidget* ventana) { return ventana->grab(); }
};

// A take of the accounts window, opened as the program opens it.
class TomaCuentas : public Toma {
public:
    QWidget* abre() override {
        ventana_ = std::make_unique<FrmMA_CUENTAS>();
        ventana_->Form_Load();
        ventana_->show();
        ventana_->activateWindow();
        return ventana_.get();
    }

protected:
    std::unique_ptr<FrmMA_CUENTAS> ventana_;
};

class Cuentas final : public TomaCuentas {
public:
    explicit Cuentas(const QStringList& opciones)
        : codigo_(opciones.value(0, QStringLiteral("110102001001"))) {}

    const char* prepara() override {
        auto* arbol = ventana_->findChild<ArbolPlanCuentas*>(QStringLiteral("TreeV"));
        const QModelIndex nodo = arbol->modelo()->Nodo(QStringLiteral("A") + codigo_);
        if (!nodo.isValid())
            return "the account has no node in the tree";
        arbol->scrollTo(nodo);
        QTest::mouseClick(arbol->viewport(), Qt::LeftButton, {}, arbol->visualRect(nodo).center());
        for (const QLineEdit* c : ventana_->findChildren<QLineEdit*>(QStringLiteral("txtFields")))
            if (c->property("DataField").toString() == QLatin1String("DESCRIPCION"))
                nombre_ = c;
        if (!QTest::qWaitFor([&] { return !nombre_->text().isEmpty(); }, kEspera))
            return "the account was not loaded";
        return nullptr;
    }

    QString resumen() const override { return nombre_->text(); }

private:
    QString codigo_;
    const QLineEdit* nombre_ = nullptr;
};

class Adicionales final : public Toma {
public:
    explicit Adicionales(const QStringList& opciones)
        : codigo_(opciones.value(0, QStringLiteral("110301001"))) {}

    QWidget* abre() override {
        ventana_ = frmMA_CUENTASADIC::Muestra(true);
        return ventana_;
    }

    const char* prepara() override {
        QLineEdit* codigo = nullptr;
        for (QLineEdit* c : ventana_->findChildren<QLineEdit*>(QStringLiteral("txtFields")))
            if (c->property("DataField").toString().compare(u"CODIGO", Qt::CaseInsensitive) == 0)
                codigo = c;
        if (!codigo)
            return "the window has no code box";
        codigo->setFocus();
        QTest::keyClicks(codigo, codigo_);
        QTest::keyClick(codigo, Qt::Key_Return);
        nombre_ = ventana_->findChild<QLabel*>(QStringLiteral("LblTitulo"));
        if (!QTest::qWaitFor([&] { return nombre_->text() != QLatin1String("..."); }, kEspera))
            return "the account was not loaded";
        return nullptr;
    }

    QString resumen() const override { return nombre_->text(); }

private:
    QString codigo_;
    frmMA_CUENTASADIC* ventana_ = nullptr;
    const QLabel* nombre_ = nullptr;
};

class CentrosCosto final : public Toma {
public:
    explicit CentrosCosto(const QStringList& opciones)
        : codigo_(opciones.value(0, QStringLiteral("530101001"))),
          unidad_(opciones.value(1, QStringLiteral("0002"))) {}

    QWidget* abre() override {
        CNStuffContable::CuentaActual = codigo_;
        ventana_ = Frmta_asigccosto::Muestra(false);
        return ventana_;
    }

    const char* prepara() override {
        auto* cuenta = ventana_->findChild<QLineEdit*>(QStringLiteral("txtCuenta"));
        cuenta->setFocus();
        QTest::keyClick(cuenta, Qt::Key_Return);
        if (!ventana_->enEdicion())
            return "the account was not accepted";
        lista_ = ventana_->findChild<QComboBox*>(QStringLiteral("CmbUnegocio"));
        if (!ventana_->findChild<QCheckBox*>(QStringLiteral("ChkVariable"))->isChecked())
            return "the account's percentages do not vary by business unit";
        int indice = -1;
        for (int i = 1; i < lista_->count(); ++i)
            if (lista_->itemText(i).startsWith(unidad_))
                indice = i;
        if (indice < 0)
            return "the business unit is not in the list";
        lista_->setCurrentIndex(indice);
        auto* grilla = ventana_->findChild<FlexGrid*>(QStringLiteral("FGCCosto"));
        if (grilla->TextMatrix(1, 1).isEmpty())
            return "the business unit has no distribution";
        grilla->setFocus();
        return nullptr;
    }

    QString resumen() const override { return codigo_ + u' ' + lista_->currentText(); }

private:
    QString codigo_;
    QString unidad_;
    Frmta_asigccosto* ventana_ = nullptr;
    QComboBox* lista_ = nullptr;
};

class Titulos final : public TomaCuentas {
public:
    explicit Titulos(const QStringList& opciones)
        : codigo_(opciones.value(0, QStringLiteral("110102"))) {}

    const char* prepara() override {
        lista_ = ventana_->findChild<QComboBox*>(QStringLiteral("Combo1"));
        if (lista_->count() < 2)
            return "the title list is empty";
        int elegida = -1;
        for (int i = 1; i < lista_->count(); ++i)
            if (lista_->itemText(i).right(50).trimmed() == codigo_)
                elegida = i;
        if (elegida < 0)
            return "the title is not in the list";
        lista_->setFocus();
        lista_->setCurrentIndex(elegida);
        lista_->showPopup();
        if (!QTest::qWaitFor([&] { return lista_->view()->isVisible(); }, kEspera))
            return "the title list did not open";
        return nullptr;
    }

    QString resumen() const override {
        return QString::number(lista_->count() - 1) + QStringLiteral(" titles, at ") +
               lista_->currentText().right(50).trimmed();
    }

    // The open list is a window of its own: drawn over the window's picture
    // where it stands, the picture grown to hold it.
    QPixmap foto(QWidget* ventana) override {
        QWidget* desplegada = lista_->view()->window();
        const QPixmap fondo = ventana->grab();
        const QPixmap encima = desplegada->grab();
        const QPoint donde = ventana->mapFromGlobal(desplegada->mapToGlobal(QPoint(0, 0)));
        const QRect todo = fondo.rect().united(QRect(donde, encima.size()));
        QPixmap foto(todo.size());
        foto.fill(Qt::white);
        QPainter p(&foto);
        p.drawPixmap(-todo.topLeft(), fondo);
        p.drawPixmap(donde - todo.topLeft(), encima);
        return foto;
    }

private:
    QString codigo_;
    QComboBox* lista_ = nullptr;
};

struct Ventana {
    const char* nombre;     // the first argument
    const char* opcionales; // its optional arguments, as the usage shows them
    int maxOpcionales;
    std::unique_ptr<Toma> (*crea)(const QStringList& opciones);
};

template <class T> std::unique_ptr<Toma> crea(const QStringList& opciones) {
    return std::make_unique<T>(opciones);
}

constexpr Ventana kVentanas[] = {
    {"cuentas", "[code]", 1, crea<Cuentas>},
    {"adicionales", "[code]", 1, crea<Adicionales>},
    {"ccostos", "[code [unit]]", 2, crea<CentrosCosto>},
    {"titulos", "[code]", 1, crea<Titulos>},
};

int uso() {
    const char* prefijo = "usage:";
    for (const Ventana& v : kVentanas) {
        std::fprintf(stderr,
                     "%s quarzelo-screenshot-cuentas %s <output.png> <parameter string> %s\n",
                     prefijo, v.nombre, v.opcionales);
        prefijo = "      ";
    }
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return uso();
    const Ventana* elegida = nullptr;
    for (const Ventana& v : kVentanas)
        if (std::strcmp(argv[1], v.nombre) == 0)
            elegida = &v;
    if (!elegida || argc > 4 + elegida->maxOpcionales)
        return uso();
    const QString salida = QString::fromLocal8Bit(argv[2]);
    QStringList opciones;
    for (int i = 4; i < argc; ++i)
        opciones << QString::fromLocal8Bit(argv[i]);
    // The program sees only the parameter string on its command line.
    static int qtArgc = 2;
    static char* qtArgv[] = {argv[0], argv[3], nullptr};
    const std::unique_ptr<QApplication> app = arranque::IniciaPrograma(qtArgc, qtArgv);
    auto respuestas = std::make_shared<vb::ScriptedResponder>();
    vb::setDialogResponder(respuestas);

    const std::unique_ptr<Toma> toma = elegida->crea(opciones);
    QWidget* ventana = nullptr;
    try {
        CNStuffContable::IniciaSistema();
        ventana = toma->abre();
    } catch (const vb::ProgramEnded& fin) {
        std::fprintf(stderr, "quarzelo-screenshot-cuentas: the program ended at start-up (%d)\n",
                     fin.code);
        return fin.code ? fin.code : 1;
    } catch (const std::exception&) {
        ClsUtilidades::ReportaError(pasos::CurrentError(), vb::vbOKOnly + vb::vbCritical);
        return falla("start-up failed");
    }
    if (!QTest::qWaitForWindowActive(ventana, kEspera))
        return falla("the window did not become active");
    if (const char* motivo = toma->prepara())
        return falla(motivo);
    QTest::qWait(200);

    if (!respuestas->messages().isEmpty())
        return falla(
            qPrintable(QStringLiteral("a box was shown: ") + respuestas->messages().join(u'|')));
    if (!toma->foto(ventana).save(salida))
        return falla("the picture could not be written");
    std::fprintf(stderr, "%s: %dx%d, %s\n", argv[2], ventana->width(), ventana->height(),
                 qPrintable(toma->resumen()));
    return 0;
}
