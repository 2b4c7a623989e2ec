-- Company database of the accounting suite, as this program reads and writes it.
--
-- Declared types follow SQL Server so that the data layer can give each column
-- its ADO type and size. Every text column compares with the SQLSRV collation
-- (case and trailing blanks ignored, as the server's default collation does);
-- the engine registers it on every connection, so the plain sqlite3 shell
-- cannot open this schema.
--
-- Several objects named V_... are updatable views in the suite's own
-- databases; here they are plain tables, since the program writes them or
-- only their rows matter. The SS_ views stand for the per-user restricted
-- views: the suite filters them by user on the server, here they show all.
--
-- Dates are ISO texts (yyyy-mm-dd hh:mm:ss). Columns that the program fills
-- with a formatted "dd/mm/yy hh:mm" text are declared as texts.

-- ---------------------------------------------------------------------------
-- Journal entries
-- ---------------------------------------------------------------------------

-- One row per line of a journal entry; the lines of one entry share
-- PERIODO, MES_OPERATIVO, "NUMERO ASIENTO" and TIPO_REG.
CREATE TABLE MV_ASIENTOS (
    PERIODO INT,
    MES_OPERATIVO SMALLINT,
    "NUMERO ASIENTO" INT,
    SECUENCIA INT,
    FECHA DATETIME,
    TC VARCHAR(4) COLLATE SQLSRV,
    SUCURSAL CHAR(4) COLLATE SQLSRV,
    NUMERO CHAR(8) COLLATE SQLSRV,
    LETRA CHAR(1) COLLATE SQLSRV,
    CABIMPORTE MONEY,
    CABCUENTA VARCHAR(15) COLLATE SQLSRV,
    CUENTA VARCHAR(15) COLLATE SQLSRV,
    IMPORTE MONEY,
    "DEBE-HABER" CHAR(1) COLLATE SQLSRV,
    MONEDA CHAR(4) COLLATE SQLSRV,
    TIPO_REG VARCHAR(10) COLLATE SQLSRV DEFAULT '',
    DETALLE VARCHAR(100) COLLATE SQLSRV,
    ESRESUMEN BIT DEFAULT 0,
    ESAJUSTE BIT DEFAULT 0,
    AJUSTE_HASTA VARCHAR(10) COLLATE SQLSRV,
    ES_SALDO_APERTURA BIT DEFAULT 0,
    UNEGOCIO CHAR(4) COLLATE SQLSRV,
    VENCIMIENTO DATETIME,
    fechahora_grabacion DATETIME
);
CREATE INDEX IX_MV_ASIENTOS_CUENTA_FECHA ON MV_ASIENTOS (CUENTA, FECHA);
CREATE INDEX IX_MV_ASIENTOS_PERIODO ON MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO");
CREATE INDEX IX_MV_ASIENTOS_COMPROBANTE ON MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA);
CREATE INDEX IX_MV_ASIENTOS_TIPO_REG ON MV_ASIENTOS (TIPO_REG, FECHA);
-- The adjustment's grouped read of a date range: every column its monthly sums
-- use, so the rows are read from this index alone.
CREATE INDEX IX_MV_ASIENTOS_FECHA_CUENTA ON MV_ASIENTOS (FECHA, CUENTA, "DEBE-HABER", IMPORTE, TC,
    ESRESUMEN, ESAJUSTE, ES_SALDO_APERTURA);
-- The rows the adjustment's monthly sums leave out (summary, adjustment and
-- opening rows, or a flag that is not set), by date: their accounts still
-- count as moved. Few rows, so the grouped read finds them without a scan.
CREATE INDEX IX_MV_ASIENTOS_FUERA_DE_SUMAS ON MV_ASIENTOS (FECHA, CUENTA, TC, ESRESUMEN, ESAJUSTE,
    ES_SALDO_APERTURA)
    WHERE COALESCE(ESRESUMEN, 1) <> 0 OR COALESCE(ESAJUSTE, 1) <> 0 OR COALESCE(ES_SALDO_APERTURA, 1) <> 0;
-- A year's opening rows, in the order of IX_MV_ASIENTOS_PERIODO.
CREATE INDEX IX_MV_ASIENTOS_APERTURA ON MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO")
    WHERE ES_SALDO_APERTURA = 1;

-- Fiscal years: number, date range and closing flags.
CREATE TABLE MV_EJERCICIOS (
    PERIODO INT NOT NULL PRIMARY KEY,
    "Fecha Desde" DATETIME,
    "Fecha Hasta" DATETIME,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV,
    CERRADO BIT DEFAULT 0,
    Cancelacion BIT DEFAULT 0,
    Cierre BIT DEFAULT 0
);

-- Monthly coefficients of the four price-index series.
CREATE TABLE MA_INDAJUSTE (
    ANIO SMALLINT NOT NULL,
    MES SMALLINT NOT NULL,
    INDICE1 FLOAT,
    INDICE2 FLOAT,
    INDICE3 FLOAT,
    INDICE4 FLOAT,
    PRIMARY KEY (ANIO, MES)
);

-- ---------------------------------------------------------------------------
-- Chart of accounts
-- ---------------------------------------------------------------------------

-- One row per account; codes are stored without the level separators.
-- Installations add their own "P_" columns; the demo company keeps a bank
-- account's CBU and contact, a spending limit, a payment term and an opening
-- date.
CREATE TABLE MA_CUENTAS (
    CODIGO VARCHAR(15) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(150) COLLATE SQLSRV,
    CodigoOpcional VARCHAR(15) COLLATE SQLSRV,
    CuentaPrincipal VARCHAR(15) COLLATE SQLSRV,
    CodTarjeta_ConcAuto VARCHAR(15) COLLATE SQLSRV,
    TITULO BIT DEFAULT 0,
    AJUSTE BIT DEFAULT 0,
    INDICE TINYINT DEFAULT 0,
    BLOQUEO BIT DEFAULT 0,
    dv SMALLINT DEFAULT 0,
    BIENES BIT DEFAULT 0,
    DADA_DE_BAJA BIT DEFAULT 0,
    LIBRO_IVA_COMPRAS BIT DEFAULT 0,
    LIBRO_IVA_DULVAR BIT DEFAULT 0,
    PideVencimiento BIT DEFAULT 0,
    MedioDePago CHAR(2) COLLATE SQLSRV,
    NoPideDatosTarjeta BIT DEFAULT 0,
    TipoVista VARCHAR(4) COLLATE SQLSRV,
    UsaCCostos BIT DEFAULT 0,
    CajayBanco BIT DEFAULT 0,
    Moneda VARCHAR(4) COLLATE SQLSRV,
    CODIGO_DEPREC_ACUMULADA VARCHAR(15) COLLATE SQLSRV,
    Manual TEXT COLLATE SQLSRV,
    Manual_Haber TEXT COLLATE SQLSRV,
    P_CBU VARCHAR(22) COLLATE SQLSRV,
    P_EMAIL VARCHAR(60) COLLATE SQLSRV,
    P_LIMITE MONEY,
    P_PLAZO_DIAS SMALLINT,
    P_FECHA_ALTA DATETIME
);
CREATE INDEX IX_MA_CUENTAS_AJUSTE ON MA_CUENTAS (AJUSTE, BIENES);
CREATE INDEX IX_MA_CUENTAS_DEPREC ON MA_CUENTAS (CODIGO_DEPREC_ACUMULADA);
CREATE INDEX IX_MA_CUENTAS_OPCIONAL ON MA_CUENTAS (CodigoOpcional);

-- Additional data of an account (address, documents, commercial defaults).
CREATE TABLE MA_CUENTASADIC (
    CODIGO VARCHAR(15) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    CONTACTO VARCHAR(30) COLLATE SQLSRV,
    CALLE VARCHAR(30) COLLATE SQLSRV,
    NUMERO VARCHAR(6) COLLATE SQLSRV,
    PISO VARCHAR(2) COLLATE SQLSRV,
    DEPARTAMENTO VARCHAR(2) COLLATE SQLSRV,
    CPOSTAL VARCHAR(10) COLLATE SQLSRV,
    LOCALIDAD VARCHAR(30) COLLATE SQLSRV,
    PROVINCIA VARCHAR(4) COLLATE SQLSRV,
    PAIS VARCHAR(4) COLLATE SQLSRV,
    TELEFONO VARCHAR(20) COLLATE SQLSRV,
    DOCUMENTO_TIPO VARCHAR(4) COLLATE SQLSRV,
    NUMERO_DOCUMENTO VARCHAR(13) COLLATE SQLSRV,
    IVA VARCHAR(4) COLLATE SQLSRV,
    OBSERVACIONES VARCHAR(50) COLLATE SQLSRV,
    FAX VARCHAR(20) COLLATE SQLSRV,
    MAIL VARCHAR(50) COLLATE SQLSRV,
    IDCOND_Cpra_Vta VARCHAR(4) COLLATE SQLSRV,
    LIMITE_CREDITO MONEY,
    idcategoria VARCHAR(4) COLLATE SQLSRV,
    IdMotivoVta INT,
    IdMotivoCpra INT,
    IdVendedor INT,
    IdLista INT,
    CLASE VARCHAR(10) COLLATE SQLSRV,
    fechahora_grabacion VARCHAR(20) COLLATE SQLSRV,
    fechahora_modificacion VARCHAR(20) COLLATE SQLSRV
);

-- General distribution of an account over cost centres.
CREATE TABLE MA_CUENTASCCOSTO (
    CODIGO VARCHAR(15) COLLATE SQLSRV NOT NULL,
    CCOSTO VARCHAR(4) COLLATE SQLSRV NOT NULL,
    PORCENTAJE FLOAT,
    FECHAHORA_MODIFICACION DATETIME,
    PideConfirmacion BIT,
    VariablePorUD BIT,
    PRIMARY KEY (CODIGO, CCOSTO)
);

-- Distribution of an account over cost centres per business unit.
CREATE TABLE MA_CUENTASCCOSTO_UNEG (
    CODIGO VARCHAR(15) COLLATE SQLSRV NOT NULL,
    UNEGOCIO VARCHAR(4) COLLATE SQLSRV NOT NULL,
    CCOSTO VARCHAR(4) COLLATE SQLSRV NOT NULL,
    PORCENTAJE FLOAT,
    PRIMARY KEY (CODIGO, CCOSTO, UNEGOCIO)
);

-- User groups allowed to see an account.
CREATE TABLE MA_CUENTAS_USUARIOS (
    GRUPOUSER VARCHAR(50) COLLATE SQLSRV NOT NULL,
    CUENTA VARCHAR(15) COLLATE SQLSRV NOT NULL,
    PRIMARY KEY (GRUPOUSER, CUENTA)
);
CREATE INDEX IX_MA_CUENTAS_USUARIOS_CUENTA ON MA_CUENTAS_USUARIOS (CUENTA);

-- The chart's hierarchy for the suite's reports: each active account with
-- the level its code ends and the nearest title above it. Rebuilt whole from
-- the accounts window.
CREATE TABLE MA_CUENTAS_JERARQUIAS (
    CODIGO VARCHAR(15) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    NIVEL TINYINT,
    CODIGO_PADRE VARCHAR(15) COLLATE SQLSRV
);

-- Code ranges of the accounts that take additional data, with their view.
CREATE TABLE TA_RANGOS_DATOS_ADIC (
    "CUENTA-DESDE" VARCHAR(15) COLLATE SQLSRV,
    "CUENTA-HASTA" VARCHAR(15) COLLATE SQLSRV,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    Vista VARCHAR(50) COLLATE SQLSRV,
    PideVencimiento BIT DEFAULT 0
);

-- Views of the additional data: one row per optional field a view shows.
CREATE TABLE TA_VISTAS (
    NOMBRE VARCHAR(50) COLLATE SQLSRV,
    TipoVista VARCHAR(4) COLLATE SQLSRV,
    Campo VARCHAR(50) COLLATE SQLSRV
);
CREATE INDEX IX_TA_VISTAS_NOMBRE ON TA_VISTAS (NOMBRE);

-- Lines of the cash-flow structure that name an account.
CREATE TABLE "MA_CASH-DETALLE" (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    CUENTA VARCHAR(15) COLLATE SQLSRV
);

-- Subledgers and the accounts that feed them.
CREATE TABLE MA_SUBDIARIOS (
    CODIGO VARCHAR(10) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV,
    CUENTA VARCHAR(15) COLLATE SQLSRV,
    "CUENTA-DESDE" VARCHAR(15) COLLATE SQLSRV,
    "CUENTA-HASTA" VARCHAR(15) COLLATE SQLSRV
);

-- Payroll files of the staff system bound to an account.
CREATE TABLE P_MA_LEGAJOS (
    IDEMPRESA VARCHAR(10) COLLATE SQLSRV NOT NULL,
    LEGAJO VARCHAR(10) COLLATE SQLSRV NOT NULL,
    CUENTA VARCHAR(15) COLLATE SQLSRV,
    PRIMARY KEY (IDEMPRESA, LEGAJO)
);
CREATE INDEX IX_P_MA_LEGAJOS_CUENTA ON P_MA_LEGAJOS (CUENTA);

-- ---------------------------------------------------------------------------
-- Configuration, users, rights and logs
-- ---------------------------------------------------------------------------

-- Settings of the company: one key per row.
CREATE TABLE TA_CONFIGURACION (
    CLAVE VARCHAR(50) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    VALOR VARCHAR(255) COLLATE SQLSRV,
    ValorAux VARCHAR(1000) COLLATE SQLSRV,
    Grupo VARCHAR(50) COLLATE SQLSRV,
    PoliticaNegocio BIT DEFAULT 0
);

-- Users of the suite with their group, business unit and administrator mark.
CREATE TABLE TA_USUARIOS (
    NOMBRE VARCHAR(50) COLLATE SQLSRV NOT NULL,
    GRUPO VARCHAR(50) COLLATE SQLSRV NOT NULL DEFAULT '',
    UNegocio VARCHAR(4) COLLATE SQLSRV,
    Administrador SMALLINT DEFAULT 0,
    PRIMARY KEY (NOMBRE, GRUPO)
);

-- Tasks granted to users: each names a menu entry.
CREATE TABLE TA_TAREAS (
    USUARIO VARCHAR(50) COLLATE SQLSRV NOT NULL,
    SISTEMA VARCHAR(20) COLLATE SQLSRV NOT NULL DEFAULT '',
    TAREA VARCHAR(20) COLLATE SQLSRV NOT NULL,
    PRIMARY KEY (USUARIO, SISTEMA, TAREA)
);

-- Entries of the suite's menu and the program each one runs.
CREATE TABLE TA_MENU (
    Menu VARCHAR(20) COLLATE SQLSRV NOT NULL DEFAULT '',
    Clave VARCHAR(20) COLLATE SQLSRV NOT NULL,
    Nombre VARCHAR(100) COLLATE SQLSRV,
    Proceso VARCHAR(255) COLLATE SQLSRV,
    PRIMARY KEY (Menu, Clave)
);
CREATE INDEX IX_TA_MENU_CLAVE ON TA_MENU (Clave);

-- One row per program start: who, where, which task.
CREATE TABLE Control_Acceso (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Maquina VARCHAR(50) COLLATE SQLSRV,
    Usuario VARCHAR(50) COLLATE SQLSRV,
    Formulario VARCHAR(50) COLLATE SQLSRV,
    Tarea VARCHAR(100) COLLATE SQLSRV,
    Ingreso VARCHAR(20) COLLATE SQLSRV,
    NombreUsuario VARCHAR(50) COLLATE SQLSRV
);

-- Statements the server refused, with the error and who ran them.
CREATE TABLE AUX_ERR (
    Proceso VARCHAR(50) COLLATE SQLSRV,
    fecha VARCHAR(20) COLLATE SQLSRV,
    Error INT,
    Descripcion VARCHAR(250) COLLATE SQLSRV,
    SQL TEXT COLLATE SQLSRV,
    Pc VARCHAR(50) COLLATE SQLSRV,
    Usuario VARCHAR(50) COLLATE SQLSRV
);

-- Audit trail: who added, changed or deleted which record, and when.
-- An updatable view in the suite.
CREATE TABLE V_MV_CPTEACCIONES (
    TC VARCHAR(4) COLLATE SQLSRV,
    IdComprobante VARCHAR(50) COLLATE SQLSRV,
    IdComplemento INT,
    Tipo_accion CHAR(1) COLLATE SQLSRV,
    FECHAHORA VARCHAR(20) COLLATE SQLSRV,
    Usuario VARCHAR(50) COLLATE SQLSRV,
    PC VARCHAR(50) COLLATE SQLSRV,
    SYSTEMUSER VARCHAR(255) COLLATE SQLSRV
);

-- ---------------------------------------------------------------------------
-- Vouchers and receipt books
-- ---------------------------------------------------------------------------

-- Voucher types per system, their letters and numbering per letter.
CREATE TABLE TA_COMPROBANTES (
    CODIGO VARCHAR(4) COLLATE SQLSRV NOT NULL,
    SISTEMA VARCHAR(20) COLLATE SQLSRV NOT NULL,
    TALONARIO SMALLINT DEFAULT 0,
    Descripcion VARCHAR(50) COLLATE SQLSRV,
    LETRAS VARCHAR(7) COLLATE SQLSRV,
    ModificaNumeracion VARCHAR(10) COLLATE SQLSRV,
    A_SUC_DEFAULT INT DEFAULT 0,
    A_ULTIMO_NRO INT DEFAULT 0,
    A_NRO_DESDE INT DEFAULT 0,
    A_NRO_HASTA INT DEFAULT 0,
    B_SUC_DEFAULT INT DEFAULT 0,
    B_ULTIMO_NRO INT DEFAULT 0,
    B_NRO_DESDE INT DEFAULT 0,
    B_NRO_HASTA INT DEFAULT 0,
    C_SUC_DEFAULT INT DEFAULT 0,
    C_ULTIMO_NRO INT DEFAULT 0,
    C_NRO_DESDE INT DEFAULT 0,
    C_NRO_HASTA INT DEFAULT 0,
    E_SUC_DEFAULT INT DEFAULT 0,
    E_ULTIMO_NRO INT DEFAULT 0,
    E_NRO_DESDE INT DEFAULT 0,
    E_NRO_HASTA INT DEFAULT 0,
    R_SUC_DEFAULT INT DEFAULT 0,
    R_ULTIMO_NRO INT DEFAULT 0,
    R_NRO_DESDE INT DEFAULT 0,
    R_NRO_HASTA INT DEFAULT 0,
    X_SUC_DEFAULT INT DEFAULT 0,
    X_ULTIMO_NRO INT DEFAULT 0,
    X_NRO_DESDE INT DEFAULT 0,
    X_NRO_HASTA INT DEFAULT 0,
    M_SUC_DEFAULT INT DEFAULT 0,
    M_ULTIMO_NRO INT DEFAULT 0,
    M_NRO_DESDE INT DEFAULT 0,
    M_NRO_HASTA INT DEFAULT 0,
    fechahora_modificacion VARCHAR(20) COLLATE SQLSRV,
    PRIMARY KEY (CODIGO, SISTEMA)
);

-- Voucher types as the lookups list them.
CREATE VIEW VT_TA_Cpte AS SELECT * FROM TA_COMPROBANTES;

-- Receipt books: per voucher type and book, for every letter the branch it
-- serves, its number range, last number issued and expiry.
-- An updatable view in the suite; the program advances the last numbers.
CREATE TABLE V_TA_CPTE (
    CODIGO VARCHAR(4) COLLATE SQLSRV NOT NULL,
    TALONARIO SMALLINT NOT NULL,
    UNEGOCIO VARCHAR(4) COLLATE SQLSRV,
    Sistema VARCHAR(20) COLLATE SQLSRV,
    Externo BIT,
    ModificaNumeracion BIT DEFAULT 0,
    A_SUC_DEFAULT INT DEFAULT 0,
    A_NRO_DESDE INT DEFAULT 0,
    A_NRO_HASTA INT DEFAULT 0,
    A_ULTIMO_NRO INT DEFAULT 0,
    AVence DATETIME,
    B_SUC_DEFAULT INT DEFAULT 0,
    B_NRO_DESDE INT DEFAULT 0,
    B_NRO_HASTA INT DEFAULT 0,
    B_ULTIMO_NRO INT DEFAULT 0,
    BVence DATETIME,
    C_SUC_DEFAULT INT DEFAULT 0,
    C_NRO_DESDE INT DEFAULT 0,
    C_NRO_HASTA INT DEFAULT 0,
    C_ULTIMO_NRO INT DEFAULT 0,
    CVence DATETIME,
    E_SUC_DEFAULT INT DEFAULT 0,
    E_NRO_DESDE INT DEFAULT 0,
    E_NRO_HASTA INT DEFAULT 0,
    E_ULTIMO_NRO INT DEFAULT 0,
    EVence DATETIME,
    R_SUC_DEFAULT INT DEFAULT 0,
    R_NRO_DESDE INT DEFAULT 0,
    R_NRO_HASTA INT DEFAULT 0,
    R_ULTIMO_NRO INT DEFAULT 0,
    RVence DATETIME,
    X_SUC_DEFAULT INT DEFAULT 0,
    X_NRO_DESDE INT DEFAULT 0,
    X_NRO_HASTA INT DEFAULT 0,
    X_ULTIMO_NRO INT DEFAULT 0,
    XVence DATETIME,
    M_SUC_DEFAULT INT DEFAULT 0,
    M_NRO_DESDE INT DEFAULT 0,
    M_NRO_HASTA INT DEFAULT 0,
    M_ULTIMO_NRO INT DEFAULT 0,
    MVence DATETIME,
    fechahora_modificacion VARCHAR(20) COLLATE SQLSRV,
    PRIMARY KEY (CODIGO, TALONARIO)
);

-- Control rows: one per voucher issued from a receipt book.
-- An updatable view in the suite.
CREATE TABLE V_MV_CTROL_CPTE (
    TC VARCHAR(4) COLLATE SQLSRV NOT NULL,
    SUCURSAL CHAR(4) COLLATE SQLSRV NOT NULL,
    NUMERO CHAR(8) COLLATE SQLSRV NOT NULL,
    LETRA CHAR(1) COLLATE SQLSRV NOT NULL,
    PRIMARY KEY (TC, SUCURSAL, NUMERO, LETRA)
);

-- ---------------------------------------------------------------------------
-- Subledgers and fixed assets
-- ---------------------------------------------------------------------------

-- One control row per summary entry of a subledger: dates covered, annulled.
CREATE TABLE MV_CONTROL_AS_RES (
    ID INT,
    SUBDIARIO VARCHAR(10) COLLATE SQLSRV,
    PERIODO INT,
    FECHA_DESDE DATETIME,
    FECHA_HASTA DATETIME,
    Anulado BIT
);
CREATE INDEX IX_MV_CONTROL_AS_RES ON MV_CONTROL_AS_RES (SUBDIARIO, PERIODO);

-- Voucher types that each subledger takes.
CREATE TABLE MA_SUBDIARIOSCOMPROBANTES (
    SUBDIARIO VARCHAR(10) COLLATE SQLSRV NOT NULL,
    TC VARCHAR(4) COLLATE SQLSRV NOT NULL,
    PRIMARY KEY (SUBDIARIO, TC)
);
CREATE INDEX IX_MA_SUBDIARIOSCOMPROBANTES_TC ON MA_SUBDIARIOSCOMPROBANTES (TC);

-- Work table of the subledger report: debit and credit lines of an entry
-- side by side, per user.
CREATE TABLE AUX_SUBDIARIOS (
    Usuario VARCHAR(50) COLLATE SQLSRV,
    Periodo INT,
    Mes_Operativo SMALLINT,
    "numero asiento" INT,
    fecha VARCHAR(20) COLLATE SQLSRV,
    TC VARCHAR(4) COLLATE SQLSRV,
    Sucursal CHAR(4) COLLATE SQLSRV,
    Numero CHAR(8) COLLATE SQLSRV,
    letra CHAR(1) COLLATE SQLSRV,
    Cabimporte MONEY,
    cuenta_D VARCHAR(15) COLLATE SQLSRV,
    descripcion_D VARCHAR(150) COLLATE SQLSRV,
    importe_D MONEY,
    Concepto VARCHAR(100) COLLATE SQLSRV,
    cuenta_H VARCHAR(15) COLLATE SQLSRV,
    descripcion_H VARCHAR(150) COLLATE SQLSRV,
    importe_H MONEY
);
CREATE INDEX IX_AUX_SUBDIARIOS_USUARIO ON AUX_SUBDIARIOS (Usuario);

-- Fixed assets.
CREATE TABLE MA_BIENES (
    CODIGO INT NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(100) COLLATE SQLSRV
);

-- Recorded changes of a fixed asset, numbered per asset.
CREATE TABLE MA_BIENES_novedades (
    CODIGO INT NOT NULL,
    ID INT NOT NULL,
    PRIMARY KEY (CODIGO, ID)
);

-- ---------------------------------------------------------------------------
-- Cost centres and business units
-- ---------------------------------------------------------------------------

-- Cost centres; title centres group others and take no share.
CREATE TABLE TA_CCOSTO (
    CODIGO VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV,
    TITULO BIT DEFAULT 0
);

-- Cost-centre split of posted entry lines.
CREATE TABLE MV_ASIENTOSCCOSTO (
    PERIODO INT,
    MES_OPERATIVO SMALLINT,
    "NUMERO ASIENTO" INT,
    CUENTA VARCHAR(15) COLLATE SQLSRV,
    SECUENCIA INT,
    CCOSTO VARCHAR(4) COLLATE SQLSRV,
    TIPO_REG VARCHAR(10) COLLATE SQLSRV DEFAULT '',
    Importe MONEY
);
CREATE INDEX IX_MV_ASIENTOSCCOSTO_CUENTA ON MV_ASIENTOSCCOSTO (CUENTA);

-- Business units.
CREATE TABLE V_TA_UNIDADNEGOCIO (
    Codigo VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    Descripcion VARCHAR(50) COLLATE SQLSRV
);

-- ---------------------------------------------------------------------------
-- Reference tables
-- ---------------------------------------------------------------------------

-- Currencies.
CREATE TABLE TA_MONEDAS (
    CODIGO VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    Descripcion VARCHAR(50) COLLATE SQLSRV
);

-- Cash boxes. The box number is numeric, so "1" and "0001" name the same box.
CREATE TABLE V_TA_CAJAS (
    IdCajas INT NOT NULL PRIMARY KEY,
    Descripcion VARCHAR(50) COLLATE SQLSRV
);

-- Warehouses.
CREATE TABLE V_TA_DEPOSITO (
    IdDeposito VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    Descripcion VARCHAR(50) COLLATE SQLSRV
);

-- Product families; a family's code begins with its parent's code.
CREATE TABLE V_TA_FAMILIAS (
    IdFamilia VARCHAR(20) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    Descripcion VARCHAR(50) COLLATE SQLSRV
);

-- Provinces.
CREATE TABLE TA_ESTADOS (
    CODIGO VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV
);

-- Countries.
CREATE TABLE TA_PAISES (
    CODIGO VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV
);

-- Kinds of identity document.
CREATE TABLE TA_TIPODOCUMENTO (
    CODIGO VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV
);

-- VAT conditions.
CREATE TABLE TA_CONDIVA (
    CODIGO VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV
);

-- Purchase and sale conditions.
CREATE TABLE V_TA_CPRA_VTA (
    IDCOND_CPRA_VTA VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV
);

-- Customer and supplier categories.
CREATE TABLE V_TA_CATEGORIA (
    IDCATEGORIA VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV
);

-- Reasons of sale.
CREATE TABLE V_TA_MOTIVOVTA (
    IdMotivoVta INT NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV
);

-- Reasons of purchase.
CREATE TABLE V_TA_MOTIVOCPRA (
    IdMotivoCpra INT NOT NULL PRIMARY KEY,
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV
);

-- Sellers.
CREATE TABLE V_TA_VENDEDORES (
    IdVendedor INT NOT NULL PRIMARY KEY,
    NOMBRE VARCHAR(50) COLLATE SQLSRV
);

-- Price lists.
CREATE TABLE V_MA_PRECIOSCAB (
    IDLISTA INT NOT NULL,
    TIPOLISTA VARCHAR(4) COLLATE SQLSRV NOT NULL DEFAULT '',
    DESCRIPCION VARCHAR(50) COLLATE SQLSRV,
    PRIMARY KEY (IDLISTA, TIPOLISTA)
);

-- ---------------------------------------------------------------------------
-- Points of sale and stock notices
-- ---------------------------------------------------------------------------

-- Points of sale whose databases receive copies of master data, with their
-- connection state and the kinds of data they still have to receive.
CREATE TABLE V_TA_TPV (
    CODIGO VARCHAR(10) COLLATE SQLSRV NOT NULL PRIMARY KEY,
    Descripcion VARCHAR(50) COLLATE SQLSRV,
    Server VARCHAR(100) COLLATE SQLSRV,
    Dbname VARCHAR(50) COLLATE SQLSRV,
    Usuario VARCHAR(50) COLLATE SQLSRV,
    INTERNET BIT DEFAULT 0,
    BAJA BIT DEFAULT 0,
    OL_ExceptoArticulos BIT,
    OL_ExceptoPrecios BIT,
    OL_ExceptoCuentas BIT,
    OL_ExceptoTablas BIT,
    CONECTADO BIT DEFAULT 0,
    ULTIMA_DETECCION DATETIME,
    PEND_CLIENTES BIT DEFAULT 0,
    PEND_PROVEEDORES BIT DEFAULT 0,
    PEND_TABLAS BIT DEFAULT 0,
    PEND_ARTICULOS BIT DEFAULT 0,
    PEND_PRECIOS BIT DEFAULT 0
);

-- Articles reported as missing from stock.
CREATE TABLE V_MV_FALTANTES (
    FechaHora VARCHAR(30) COLLATE SQLSRV,
    IdArticulo VARCHAR(25) COLLATE SQLSRV,
    Descripcion VARCHAR(100) COLLATE SQLSRV,
    Usuario VARCHAR(50) COLLATE SQLSRV
);

-- ---------------------------------------------------------------------------
-- Restricted views of non-administrators
-- ---------------------------------------------------------------------------

CREATE VIEW SS_MA_CUENTAS AS SELECT * FROM MA_CUENTAS;
CREATE VIEW SS_MV_ASIENTOS AS SELECT * FROM MV_ASIENTOS;
CREATE VIEW SS_V_TA_DEPOSITO AS SELECT * FROM V_TA_DEPOSITO;
CREATE VIEW SS_V_TA_FAMILIAS AS SELECT * FROM V_TA_FAMILIAS;
CREATE VIEW SS_V_TA_CAJAS AS SELECT * FROM V_TA_CAJAS;
