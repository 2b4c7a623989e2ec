#include "lookup/lib_clscons3.h"

#include "data/db_dll.h"
#include "data/instances.h"
#include "lookup/consulta_sql.h"
#include "lookup/lib_frmcons3.h"
#include "lookup/lib_frmcons3tree.h"
#include "platform/ui/modal.h"
#include "platform/vb/msgbox.h"
#include "startup/core/cnstuffcontable.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStringDecoder>
#include <QTreeView>
#include <exception>

namespace {

// Twips of the original's screen per pixel.
constexpr int kTwipsPorPixel = Lib_FrmCons3::kTwipsPorPixel;

// A step of a lookup that fails is passed over: the caller never sees an error.
template <class F> void Paso(F&& paso) {
    try {
        paso();
    } catch (const std::exception&) {
    }
}

qsizetype Largo(const QString& Titulo, const QStringList& textos) {
    qsizetype m = Titulo.size();
    for (const QString& t : textos)
        m = std::max(m, t.size());
    return m;
}

QWidget* VentanaActiva() {
    return QApplication::activeWindow();
}

// The list window over one column of ready texts, for the option menus.
// Largo: the longest text in characters, the title included.
void PreparaMenu(Lib_FrmCons3& w, const QString& Titulo, bool Marcas,
                 const std::vector<FilaConsulta>& filas, qsizetype Largo) {
    w.Cargar(); // an empty statement: no query runs
    w.setWindowTitle(Titulo);
    if (auto* nueva = w.findChild<QPushButton*>(QStringLiteral("CmdNueva")))
        nueva->hide();
    w.OrdenarPorLwv = true;
    w.SQL.clear();
    w.gConnString.clear();
    w.CampoDevuelto = Titulo;
    w.CheckBoxes = Marcas;
    ModeloConsulta& modelo = w.modelo();
    modelo.vaciar();
    modelo.setMarcable(Marcas);
    modelo.setEncabezados({Titulo});
    auto* lista = w.findChild<QTreeView*>(QStringLiteral("ListView1"));
    const int ancho = lista ? lista->viewport()->width() : w.width();
    if (lista)
        lista->header()->resizeSection(0, ancho);
    if (auto* combo = w.findChild<QComboBox*>(QStringLiteral("CmbSearch")))
        combo->setFixedWidth(ancho);
    auto pendientes = std::make_shared<std::vector<FilaConsulta>>(filas);
    modelo.setFuente([pendientes](std::vector<FilaConsulta>& destino, int) {
        std::move(pendientes->begin(), pendientes->end(), std::back_inserter(destino));
        pendientes->clear();
        return false;
    });
    // Enter picks the first option until the user moves.
    if (lista && modelo.filas() > 0)
        lista->setCurrentIndex(modelo.index(0, 0));

    // As wide as the longest text at 120 twips a character, within the screen.
    int anchoVentana = int(Largo) * 120 / kTwipsPorPixel;
    if (const QScreen* pantalla = QGuiApplication::primaryScreen())
        anchoVentana = std::min(anchoVentana, pantalla->availableGeometry().width());
    w.resize(anchoVentana, w.height());
}

} // namespace

void Lib_ClsCons3::ConsultaSearch(QString SQL, QStringList& CmpsDevueltos, const QString& Clave,
                                  QString& CampoBusqueda, QString& Where,
                                  const QString& SentenciaOpcional, bool TreeView,
                                  const QString& ValoresDefault) {
    std::optional<QString> sentencia;
    Paso([&] {
        sentencia = ArmaSentenciaConsulta(SQL, CampoBusqueda, Where, SentenciaOpcional,
                                          gUsarMascarasConsultas, gRutaMascaraConsultas);
    });
    // The mask names one column and no search column was given: the operator
    // has been told, and the lookup leaves everything as it was.
    if (!sentencia)
        return;

    if (TreeView) {
        Lib_FrmCons3Tree w(VentanaActiva());
        Paso([&] {
            w.SQL = *sentencia;
            w.CampoDevuelto = CampoDevuelto;
            w.CheckBoxes = Checks;
            Valores.clear();
            w.Cargar();
            ui::showModal(w);
            ValorDevuelto = w.ValorDevuelto;
            Valores = w.Valores;
        });
        Paso([&] { w.Form_Unload(); });
        Checks = false;
    } else {
        Lib_FrmCons3 w(VentanaActiva());
        Paso([&] {
            w.StkNivel1 = StkNivel1;
            w.StkNivel2 = StkNivel2;
            w.StkNivel3 = StkNivel3;
            w.StkNivel4 = StkNivel4;
            w.MuestraStock = MuestraStock;
            w.CfgUsaConsultaLIKE = UsaConsultaLike();
            w.OrdenarPorLwv = !sentencia->contains(u"ORDER BY", Qt::CaseInsensitive);
            w.FiltroInicial = Clave;
            w.CampoBusqueda = CampoBusqueda;
            if (gConnString.isEmpty())
                gConnString = gDatos().gConnString;
            w.SQL = *sentencia;
            w.gConnString = gConnString;
            w.CampoDevuelto = CampoDevuelto;
            w.CheckBoxes = Checks;
            w.UsaCantidades = UsaCantidades;
            w.ValoresDefault = ValoresDefault;
            Valores.clear();
            Cantidades.clear();
            w.CmpsDevueltos = CmpsDevueltos;
            if (Checks) {
                w.Cargar();
                w.DesmarcarFilas();
            }
            w.Cargar();
            ui::showModal(w);
            Valores = w.Valores;
            Cantidades = w.Cantidades;
            ValorDevuelto = w.ValorDevuelto;
            w.CampoDevuelto.clear();
        });
        Checks = false;
    }
    CampoDevuelto.clear();
    CmpsDevueltos.clear();
}

QString Lib_ClsCons3::CheckOpciones(const QString& Titulo, QStringList& CmpsDevueltos,
                                    const QStringList& Opc) {
    Q_UNUSED(CmpsDevueltos);
    std::vector<FilaConsulta> filas;
    for (const QString& opcion : Opc) {
        FilaConsulta f;
        f.celdas = QStringList{opcion.mid(1)};
        f.marcada = opcion.startsWith(u'1');
        filas.push_back(std::move(f));
    }
    Lib_FrmCons3 w(VentanaActiva());
    Paso([&] {
        // The options are measured with their markers.
        PreparaMenu(w, Titulo, true, filas, Largo(Titulo, Opc));
        ui::showModal(w);
        Valores = w.Valores;
    });
    return QString();
}

QString Lib_ClsCons3::MenuOpciones(const QString& Titulo, const QStringList& Opc) {
    std::vector<FilaConsulta> filas;
    for (const QString& opcion : Opc)
        filas.push_back(FilaConsulta{QStringList{opcion}, false, QColor(), {}});
    Lib_FrmCons3 w(VentanaActiva());
    QString elegido;
    Paso([&] {
        PreparaMenu(w, Titulo, false, filas, Largo(Titulo, Opc));
        ui::showModal(w);
        elegido = w.ValorDevuelto.toString();
    });
    return elegido;
}

QString Lib_ClsCons3::ConsultaDesdeArchivo(const QString& Titulo, const QString& QueArchivo,
                                           const QString& Separador) {
    Q_UNUSED(Separador);
    if (!CNStuffContable::ExisteArchivo(QueArchivo)) {
        vb::MsgBox(QStringLiteral("No existe el archivo ") + QueArchivo +
                       QStringLiteral(" que desea consultar consulta "),
                   vb::vbOKOnly);
        return QString();
    }
    std::vector<FilaConsulta> filas;
    QStringList lineas;
    Paso([&] {
        QFile archivo(QueArchivo);
        if (!archivo.open(QIODevice::ReadOnly))
            return;
        // The suite's text files are Windows-1252.
        QStringDecoder decodificador("windows-1252");
        QString texto = decodificador.decode(archivo.readAll());
        texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        lineas = texto.split(u'\n');
        if (!lineas.isEmpty() && lineas.last().isEmpty())
            lineas.removeLast();
        for (const QString& linea : lineas)
            filas.push_back(FilaConsulta{QStringList{linea}, false, QColor(), {}});
    });
    Lib_FrmCons3 w(VentanaActiva());
    QString elegido;
    Paso([&] {
        PreparaMenu(w, Titulo, false, filas, Largo(Titulo, lineas));
        ui::showModal(w);
        elegido = w.ValorDevuelto.toString();
    });
    return elegido;
}
