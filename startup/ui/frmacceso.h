#pragma once
// The access window "Control de Acceso": the operator chooses or types the
// database to connect to, registers connections in BASES.TXT after testing
// them and can put a launcher of the program on the desktop. Only the data
// object shows it, through the access window that installAccessWindow() puts
// in its place at start-up (the data layer does not know the window).

#include <QDialog>
#include <QString>
#include <QVariant>
#include <array>

class DB_Dll;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmAcceso : public QDialog {
    Q_OBJECT
public:
    explicit frmAcceso(QWidget* parent = nullptr);

    QLineEdit* TxtUserId = nullptr;
    QLineEdit* TxtUserPassword = nullptr;
    QLineEdit* TxtDbName = nullptr;
    QLineEdit* TxtServidor = nullptr;
    QLineEdit* TxtPuerto = nullptr;
    QComboBox* CboPlataformaDB = nullptr; // 0 SQL Server, 1 Oracle
    QListWidget* lstBases = nullptr;
    QPushButton* bcAceptar = nullptr;
    QPushButton* bcCancelar = nullptr;
    QPushButton* CmdRegistrar = nullptr;
    QPushButton* CmdLineaComando = nullptr;
    QGroupBox* framAcceso = nullptr;
    std::array<QLabel*, 3> Label1{};
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr; // the maker's web address: none is known, so empty
    QFrame* Line1 = nullptr;

    // True after "Conectar", False after "Cancelar" or the close box.
    bool Aceptar = false;
    // "Cancelar" asks for the end of the program once the window is gone.
    bool FinPedido() const { return finPedido_; }

    // The data object whose connection the window is asked for (the
    // company's, gDatos, unless set): the connection tests and "Registrar"
    // work on its connection. Only the company's connection is the run's own:
    // for another one (a replication target) "Cancelar" leaves that object
    // unconnected and the run goes on, and "Conectar" keeps the run's
    // operator.
    void setDatos(DB_Dll& datos) { datos_ = &datos; }
    DB_Dll& Datos() const;

    // Centres the window, fills the list (the first entry fills the boxes)
    // and puts the hints in the boxes.
    void Form_Load();
    void llenarlist();
    // The registered line of this key (the first one) becomes the chosen
    // connection; without one the chosen values stay as they were.
    void DatosBase(const QString& Clave);
    // Whether a connection with these values opens; the data object's
    // connection is left closed.
    bool ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname, const QString& Usuario,
                           const QString& Password, const QString& Proveedor);
    void AsignarDatosBase();
    // The box's hint, shown while the box is empty: it never becomes its value.
    void MensajeInicial(QLineEdit* ObjTxt);
    // Runs the command line and waits for its end, the window's events going
    // on meanwhile. True when it started and ran, whatever its exit code;
    // otherwise ErrDevuelto says so.
    bool EjecutarCmdRegDB(const QString& Archivo, QString& ErrDevuelto);

public Q_SLOTS:
    void bcAceptar_Click();
    void bcCancelar_Click();
    void CmdRegistrar_Click();
    void CmdLineaComando_Click();
    void lstBases_DblClick();
    void Label8_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape is "Cancelar".
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString rutaBases_; // set by llenarlist
    QString servidorElegido_;
    QString baseElegida_;
    QString usuarioElegido_;
    QString claveElegida_;
    QVariant puerto_;
    bool finPedido_ = false;
    DB_Dll* datos_ = nullptr;
    // The steps of "Registrar".
    class Registro;
    // The window asks for the company's own connection.
    bool EsDeLaEmpresa() const;
};

// Installs the access window for the data object: a failed connection that
// the operator wants to retry, or a connection that asks for its parameters,
// shows frmAcceso modally (ui::showModal) on the asking object's connection
// and takes what the operator left in it; "Cancelar" then ends the program
// when that is the company's connection.
void installAccessWindow();
