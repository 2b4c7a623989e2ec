-- Demo company: Distribuidora del Sur S.A., a food and beverage distributor
-- of Bahía Blanca (Buenos Aires) with a branch in Neuquén.
--
-- Loaded after schema.sql, in the same transaction, by scripts/build-demo-db.
-- The amounts hold together: every entry balances, the opening of 2023 is
-- the closing of 2022, the adjustment of 2022 follows the coefficients.
-- What it holds:
--  - a six-level chart of accounts (level sizes 1, 1, 2, 2, 3, 3: codes of
--    1, 2, 4, 6, 9 and 12 characters, stored without separators), with
--    adjustable accounts in the four index series, fixed assets handled by the
--    fixed-asset register (BIENES = 1) with their accumulated-depreciation
--    accounts, and the R.E.I. account 610301001;
--  - fiscal year 2022, closed, with its opening entry, monthly summaries, its
--    inflation adjustment and the closing of the result accounts;
--  - fiscal year 2023, open and not yet adjusted, with its opening entry and a
--    year of entries, pro-forma vouchers (FP, CBFP) among them;
--  - monthly coefficients of the four series for 2021 to 2023, restating each
--    month to December 2023 (2021 is there for the opening of 2022);
--  - voucher types and receipt books, configuration keys, users with and
--    without the right to run the adjustment.
--
-- The adjustment of 2023 is what the demo is for: start the program
-- (scripts/run-demo), accept 2023, type the R.E.I. account 610301001, the
-- voucher type AJUS and the letter X, press Generar, give a concept and save.
--
-- Amounts are pesos; dates are ISO texts. Voucher types that the program
-- reads through its zero padding have four-character codes (ASTO, AJUS,
-- EXTE), so the padded code and the stored one are the same text.

-- ---------------------------------------------------------------------------
-- Configuration
-- ---------------------------------------------------------------------------

-- Keys as the program reads them: flags compare with SI; dates are day first;
-- the operative range and the adjustment range are those of fiscal year 2023;
-- the GRP_ keys send changes of the accounts and their cost-centre shares to
-- the company-group database GRUPO (all three operations).
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux, Grupo, PoliticaNegocio) VALUES
    ('NOMBRE', 'DISTRIBUIDORA DEL SUR S.A.', NULL, 'DATOS', 0),
    ('PERIODO', '2023', NULL, 'CONTABLE', 0),
    ('FECHAOPERDESDE', '01/01/2023', NULL, 'CONTABLE', 0),
    ('FECHAOPERHASTA', '31/12/2023', NULL, 'CONTABLE', 0),
    ('[FECHA DESDE]', '01/01/2023', NULL, 'CONTABLE', 0),
    ('[FECHA HASTA]', '31/12/2023', NULL, 'CONTABLE', 0),
    ('DIGITOS_CAPITULO', '1', NULL, 'CONTABLE', 0),
    ('DIGITOS_SUBCAPITULO', '1', NULL, 'CONTABLE', 0),
    ('DIGITOS_RUBRO', '2', NULL, 'CONTABLE', 0),
    ('DIGITOS_SUBRUBRO', '2', NULL, 'CONTABLE', 0),
    ('DIGITOS_CUENTA', '3', NULL, 'CONTABLE', 0),
    ('DIGITOS_SUBCUENTA', '3', NULL, 'CONTABLE', 0),
    ('ESCRIBE_SOLO_MAYUSCULAS', 'SI', NULL, 'DATOS', 0),
    ('SS_BloqueoActivo', 'NO', NULL, 'SEGURIDAD', 0),
    ('SS_CONFIDENCIALIDAD', 'NO', NULL, 'SEGURIDAD', 0),
    ('CONDIVA', '1', 'IVA Responsable Inscripto', 'DATOS', 0),
    ('UsaMultilesMonedas', 'NO', NULL, 'DATOS', 0),
    ('MonedaDulvar', '1', NULL, 'DATOS', 0),
    ('CUENTASALFANUMERICAS', 'NO', NULL, 'CONTABLE', 0),
    ('Rubro_Imputable', 'NO', NULL, 'CONTABLE', 0),
    ('PlanCuentas_ClyPr', 'SI', NULL, 'CONTABLE', 0),
    ('USADATOSADIC', 'NO', NULL, 'CONTABLE', 0),
    ('USADIGITOVERIFICADOR', 'NO', NULL, 'CONTABLE', 0),
    ('USACCOSTO', 'SI', NULL, 'CONTABLE', 0),
    ('USA BIENES DE USO', 'SI', NULL, 'CONTABLE', 0),
    ('TituloClientes', '110301', NULL, 'CONTABLE', 0),
    ('TituloProveedores', '210101', NULL, 'CONTABLE', 0),
    ('TituloBancos', '110102', NULL, 'CONTABLE', 0),
    ('Nombre_Indice1', 'IPC Nacional (INDEC)', NULL, 'CONTABLE', 0),
    ('Nombre_Indice2', 'Precios Internos al por Mayor', NULL, 'CONTABLE', 0),
    ('Nombre_Indice3', 'Costo de la Construcción', NULL, 'CONTABLE', 0),
    ('Nombre_Indice4', 'Tipo de Cambio Oficial (U$S)', NULL, 'CONTABLE', 0),
    ('UsaConsultaLike', 'SI', NULL, 'DATOS', 0),
    ('TopConsArt', '500', NULL, 'DATOS', 0),
    ('MostrarStockenConsultas', 'NO', NULL, 'DATOS', 0),
    ('GRP_Deshabilitado', '0', NULL, 'GRUPO', 0),
    ('GRP_Tablas', '', 'MA_CUENTAS|MA_CUENTASADIC|MA_CUENTASCCOSTO|MA_CUENTASCCOSTO_UNEG|', 'GRUPO', 0),
    ('GRP_Tipos', '111', NULL, 'GRUPO', 0),
    -- The folder of the demo's databases; scripts/build-demo-db writes it.
    ('GRP_Server', '.', NULL, 'GRUPO', 0),
    ('GRP_Base', 'GRUPO', NULL, 'GRUPO', 0),
    ('GRP_User', 'GRUPO', NULL, 'GRUPO', 0);

-- ---------------------------------------------------------------------------
-- Reference tables
-- ---------------------------------------------------------------------------

INSERT INTO V_TA_UNIDADNEGOCIO (Codigo, Descripcion) VALUES
    ('0001', 'Casa Central Bahía Blanca'),
    ('0002', 'Sucursal Neuquén');

INSERT INTO TA_MONEDAS (CODIGO, Descripcion) VALUES
    ('0001', 'Pesos'),
    ('0002', 'Dólares Estadounidenses');

INSERT INTO V_TA_CAJAS (IdCajas, Descripcion) VALUES
    (1, 'Caja Central'),
    (2, 'Caja Sucursal Neuquén');

INSERT INTO V_TA_DEPOSITO (IdDeposito, Descripcion) VALUES
    ('0001', 'Depósito Central'),
    ('0002', 'Depósito Neuquén');

INSERT INTO TA_CONDIVA (CODIGO, DESCRIPCION) VALUES
    ('1', 'IVA Responsable Inscripto'),
    ('2', 'IVA Responsable no Inscripto'),
    ('3', 'IVA Sujeto Exento'),
    ('4', 'Consumidor Final'),
    ('5', 'Responsable Monotributo');

INSERT INTO TA_PAISES (CODIGO, DESCRIPCION) VALUES
    ('AR', 'Argentina'),
    ('CL', 'Chile'),
    ('UY', 'Uruguay');

INSERT INTO TA_ESTADOS (CODIGO, DESCRIPCION) VALUES
    ('B', 'Buenos Aires'),
    ('C', 'Ciudad Autónoma de Buenos Aires'),
    ('Q', 'Neuquén'),
    ('R', 'Río Negro'),
    ('L', 'La Pampa');

INSERT INTO TA_TIPODOCUMENTO (CODIGO, DESCRIPCION) VALUES
    ('80', 'C.U.I.T.'),
    ('86', 'C.U.I.L.'),
    ('96', 'D.N.I.');

-- Cost centres; the title centres group the others.
INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION, TITULO) VALUES
    ('0100', 'COMERCIALIZACION', 1),
    ('0101', 'Ventas Mayoristas', 0),
    ('0102', 'Ventas Minoristas', 0),
    ('0200', 'ADMINISTRACION', 1),
    ('0201', 'Administración y Finanzas', 0),
    ('0202', 'Depósito y Logística', 0);

-- ---------------------------------------------------------------------------
-- Chart of accounts
-- ---------------------------------------------------------------------------

-- Titles (TITULO = 1) group the levels below them and take no postings.
-- Adjustable accounts (AJUSTE = 1) name their index series in INDICE:
-- 1 consumer prices, 2 wholesale prices, 3 construction cost, 4 exchange rate.
-- Fixed assets (BIENES = 1) are restated by the fixed-asset register, not by
-- the adjustment, and so are the accumulated-depreciation accounts that they
-- name in CODIGO_DEPREC_ACUMULADA. The R.E.I. account 610301001 is postable
-- and not adjustable.
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, AJUSTE, INDICE, BLOQUEO, dv, BIENES, DADA_DE_BAJA, LIBRO_IVA_COMPRAS, LIBRO_IVA_DULVAR, PideVencimiento, MedioDePago, NoPideDatosTarjeta, TipoVista, UsaCCostos, CajayBanco, Moneda, CODIGO_DEPREC_ACUMULADA) VALUES
    ('1', 'ACTIVO', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('11', 'ACTIVO CORRIENTE', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('1101', 'CAJA Y BANCOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110101', 'CAJA', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110101001', 'Caja Moneda Nacional', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'EF', 0, NULL, 0, 1, '0001', NULL),
    ('110101002', 'Fondo Fijo', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'EF', 0, NULL, 0, 1, '0001', NULL),
    ('110101003', 'Caja Moneda Extranjera (U$S)', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'EF', 0, NULL, 0, 1, '0002', NULL),
    ('110102', 'BANCOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110102001', 'Banco de la Nación Argentina', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110102001001', 'B.N.A. Cuenta Corriente', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'DB', 0, 'BC', 0, 1, '0001', NULL),
    ('110102001002', 'B.N.A. Caja de Ahorro', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'DB', 0, 'BC', 0, 1, '0001', NULL),
    ('110102002', 'Banco de la Provincia de Buenos Aires', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110102002001', 'BAPRO Cuenta Corriente', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'DB', 0, 'BC', 0, 1, '0001', NULL),
    ('110102003', 'Banco Francés Cuenta Corriente (cerrada)', 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('1102', 'INVERSIONES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110201', 'PLAZOS FIJOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110201001', 'Plazo Fijo B.N.A.', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('1103', 'CREDITOS POR VENTAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110301', 'DEUDORES POR VENTAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110301001', 'Deudores por Ventas', 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, NULL, 0, 'CL', 0, 0, NULL, NULL),
    ('110301002', 'Documentos a Cobrar', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'DC', 0, NULL, 0, 0, NULL, NULL),
    ('110302', 'PREVISIONES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110302001', 'Previsión para Deudores Incobrables', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('1104', 'OTROS CREDITOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110401', 'CREDITOS FISCALES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110401001', 'I.V.A. Crédito Fiscal', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110401002', 'Retenciones y Percepciones de I.V.A.', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'RI', 0, NULL, 0, 0, NULL, NULL),
    ('110401003', 'Anticipos de Impuesto a las Ganancias', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110402', 'ANTICIPOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110402001', 'Anticipos a Proveedores del Exterior', 0, 1, 4, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110402002', 'Anticipos al Personal', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('1105', 'BIENES DE CAMBIO', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110501', 'MERCADERIAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110501001', 'Mercaderías de Reventa', 0, 1, 2, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110501002', 'Mercaderías en Tránsito (Importación)', 0, 1, 4, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('110501003', 'Materiales de Embalaje', 0, 1, 2, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('12', 'ACTIVO NO CORRIENTE', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('1201', 'BIENES DE USO', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('120101', 'INMUEBLES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('120101001', 'Terrenos', 0, 1, 3, 0, 0, 1, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('120101002', 'Edificios', 0, 1, 3, 0, 0, 1, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, '120101003'),
    ('120101003', 'Amortización Acumulada Edificios', 0, 1, 3, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('120102', 'RODADOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('120102001', 'Rodados', 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, '120102002'),
    ('120102002', 'Amortización Acumulada Rodados', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('120103', 'MUEBLES Y UTILES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('120103001', 'Muebles y Útiles', 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, '120103002'),
    ('120103002', 'Amortización Acumulada Muebles y Útiles', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('120104', 'OBRAS EN CURSO', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('120104001', 'Obra Nuevo Depósito Parque Industrial', 0, 1, 3, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('2', 'PASIVO', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('21', 'PASIVO CORRIENTE', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('2101', 'DEUDAS COMERCIALES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210101', 'PROVEEDORES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210101001', 'Proveedores', 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, NULL, 0, 'PR', 0, 0, NULL, NULL),
    ('210101002', 'Documentos a Pagar', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('2102', 'DEUDAS SOCIALES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210201', 'REMUNERACIONES Y CARGAS SOCIALES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210201001', 'Sueldos a Pagar', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210201002', 'Cargas Sociales a Pagar', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('2103', 'DEUDAS FISCALES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210301', 'IMPUESTOS A PAGAR', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210301001', 'I.V.A. Débito Fiscal', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210301002', 'I.V.A. Saldo a Pagar', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210301003', 'Ingresos Brutos a Pagar', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210301004', 'Impuesto a las Ganancias a Pagar', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('2104', 'DEUDAS FINANCIERAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210401', 'PRESTAMOS BANCARIOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210401001', 'Préstamo B.N.A.', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('2105', 'OTRAS DEUDAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210501', 'DIVIDENDOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('210501001', 'Dividendos a Pagar', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('22', 'PASIVO NO CORRIENTE', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('2201', 'DEUDAS FINANCIERAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('220101', 'PRESTAMOS BANCARIOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('220101001', 'Préstamo Hipotecario BAPRO', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('3', 'PATRIMONIO NETO', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('31', 'APORTES DE LOS PROPIETARIOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('3101', 'CAPITAL', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('310101', 'CAPITAL SOCIAL', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('310101001', 'Capital Suscripto e Integrado', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('310101002', 'Ajuste de Capital', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('32', 'RESULTADOS ACUMULADOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('3201', 'GANANCIAS RESERVADAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('320101', 'RESERVAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('320101001', 'Reserva Legal', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('320101002', 'Reserva Facultativa', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('3202', 'RESULTADOS NO ASIGNADOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('320201', 'RESULTADOS NO ASIGNADOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('320201001', 'Resultados No Asignados', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('320201002', 'Resultado del Ejercicio', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('4', 'INGRESOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('41', 'INGRESOS POR VENTAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('4101', 'VENTAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('410101', 'VENTAS DE MERCADERIAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('410101001', 'Ventas Mayoristas', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('410101002', 'Ventas Minoristas', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('5', 'EGRESOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('51', 'COSTO DE VENTAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('5101', 'COSTO DE MERCADERIAS VENDIDAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('510101', 'COSTO DE MERCADERIAS VENDIDAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('510101001', 'Costo de Mercaderías Vendidas', 0, 1, 2, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('52', 'GASTOS DE COMERCIALIZACION', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('5201', 'GASTOS DE COMERCIALIZACION', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('520101', 'GASTOS DE COMERCIALIZACION', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('520101001', 'Fletes y Acarreos', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 1, 0, NULL, NULL),
    ('520101002', 'Impuesto sobre los Ingresos Brutos', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('520101003', 'Publicidad y Propaganda', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('520101004', 'Deudores Incobrables', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('53', 'GASTOS DE ADMINISTRACION', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('5301', 'GASTOS DE ADMINISTRACION', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('530101', 'REMUNERACIONES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('530101001', 'Sueldos y Jornales', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 1, 0, NULL, NULL),
    ('530101002', 'Cargas Sociales', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('530102', 'GASTOS GENERALES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('530102001', 'Servicios Públicos', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('530102002', 'Honorarios Profesionales', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('530102003', 'Gastos Bancarios', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('530102004', 'Amortizaciones de Bienes de Uso', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('530102005', 'Seguros', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('54', 'IMPUESTO A LAS GANANCIAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('5401', 'IMPUESTO A LAS GANANCIAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('540101', 'IMPUESTO A LAS GANANCIAS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('540101001', 'Impuesto a las Ganancias', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('6', 'RESULTADOS FINANCIEROS Y POR TENENCIA', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('61', 'RESULTADOS FINANCIEROS Y POR TENENCIA', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('6101', 'GENERADOS POR ACTIVOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('610101', 'INTERESES Y DIFERENCIAS DE CAMBIO', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('610101001', 'Intereses Ganados', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('610101002', 'Diferencias de Cambio', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('6102', 'GENERADOS POR PASIVOS', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('610201', 'INTERESES', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('610201001', 'Intereses Perdidos', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('6103', 'RESULTADO POR EXPOSICION A LA INFLACION', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('610301', 'R.E.I.', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL),
    ('610301001', 'Resultado por Exposición a la Inflación (R.E.I.)', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0, NULL, 0, 0, NULL, NULL);

-- The company's own fields of its bank accounts.
UPDATE MA_CUENTAS SET P_CBU = '0110599520000012345678', P_EMAIL = 'empresas.bahia@bna.com.ar',
    P_LIMITE = 2500000, P_PLAZO_DIAS = 30, P_FECHA_ALTA = '2015-06-01 00:00:00'
    WHERE CODIGO = '110102001001';
UPDATE MA_CUENTAS SET P_CBU = '0110599530000012345679', P_FECHA_ALTA = '2018-02-15 00:00:00'
    WHERE CODIGO = '110102001002';
UPDATE MA_CUENTAS SET P_CBU = '0140099901000045678902', P_EMAIL = 'pymes@bancoprovincia.com.ar',
    P_LIMITE = 1200000, P_PLAZO_DIAS = 15, P_FECHA_ALTA = '2016-09-12 00:00:00'
    WHERE CODIGO = '110102002001';

-- The accounts that take additional data: customers, suppliers and banks,
-- each range with the view that gives its accounts' view type and the
-- optional fields of the additional-data window (a view's field may be
-- NULL when it shows none). Bounds compare as texts, so a range's upper
-- bound also covers the sub-accounts of its last account.
INSERT INTO TA_RANGOS_DATOS_ADIC ("CUENTA-DESDE", "CUENTA-HASTA", DESCRIPCION, Vista, PideVencimiento) VALUES
    ('110102001', '110102999999', 'Bancos', 'BANCOS', 0),
    ('110301001', '110301001999', 'Clientes', 'CLIENTES', 1),
    ('210101001', '210101001999', 'Proveedores', 'PROVEEDORES', 1);
INSERT INTO TA_VISTAS (NOMBRE, TipoVista, Campo) VALUES
    ('BANCOS', 'BC', NULL),
    ('CLIENTES', 'CL', 'Condición de Compra Venta'),
    ('CLIENTES', 'CL', 'Limite de Crédito'),
    ('CLIENTES', 'CL', 'Categoría'),
    ('PROVEEDORES', 'PR', 'Condición de Compra Venta'),
    ('PROVEEDORES', 'PR', 'Categoría');

-- The chart manual: what some accounts are debited and credited for.
UPDATE MA_CUENTAS SET Manual = 'Los ingresos de efectivo: cobranzas al contado, extracciones bancarias y reposiciones del fondo.',
    Manual_Haber = 'Los pagos en efectivo y los depósitos en las cuentas bancarias de la empresa.'
    WHERE CODIGO = '110101001';
UPDATE MA_CUENTAS SET Manual = 'Los depósitos, las transferencias recibidas y los créditos que informa el banco.',
    Manual_Haber = 'Los cheques librados, las transferencias enviadas y los débitos bancarios (comisiones, impuestos).'
    WHERE CODIGO = '110102001001';
UPDATE MA_CUENTAS SET Manual = 'Las ventas a crédito, por el total facturado con sus impuestos.',
    Manual_Haber = 'Las cobranzas, las notas de crédito emitidas y los créditos declarados incobrables.'
    WHERE CODIGO = '110301001';
UPDATE MA_CUENTAS SET Manual = 'Los pagos a proveedores y las notas de crédito recibidas.',
    Manual_Haber = 'Las compras a crédito, por el total facturado con sus impuestos.'
    WHERE CODIGO = '210101001';
UPDATE MA_CUENTAS SET Manual = 'Las remuneraciones devengadas del personal administrativo.',
    Manual_Haber = 'Las correcciones de lo imputado de más y el cierre del ejercicio contra resultados.'
    WHERE CODIGO = '530101001';

-- Cost-centre distribution of the accounts that use it.
INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE, PideConfirmacion, VariablePorUD) VALUES
    ('520101001', '0101', 70, 0, 0),
    ('520101001', '0102', 30, 0, 0),
    ('530101001', '0101', 35, 0, 0),
    ('530101001', '0102', 20, 0, 0),
    ('530101001', '0201', 25, 0, 0),
    ('530101001', '0202', 20, 0, 0);

-- Fixed-asset register.
INSERT INTO MA_BIENES (CODIGO, DESCRIPCION) VALUES
    (1, 'Terreno Av. Colón 2450, Bahía Blanca'),
    (2, 'Edificio depósito y oficinas Av. Colón 2450'),
    (3, 'Camión Mercedes-Benz Atego 1726 dominio AB123CD'),
    (4, 'Utilitario Renault Kangoo dominio AC456EF'),
    (5, 'Mobiliario y equipos de oficina');

INSERT INTO MA_BIENES_novedades (CODIGO, ID) VALUES
    (3, 1),
    (3, 2),
    (4, 1);

-- ---------------------------------------------------------------------------
-- Fiscal years and index coefficients
-- ---------------------------------------------------------------------------

INSERT INTO MV_EJERCICIOS (PERIODO, "Fecha Desde", "Fecha Hasta", DESCRIPCION, CERRADO, Cancelacion, Cierre) VALUES
    (2022, '2022-01-01 00:00:00', '2022-12-31 00:00:00', 'Ejercicio 2022', 1, 1, 1),
    (2023, '2023-01-01 00:00:00', '2023-12-31 00:00:00', 'Ejercicio 2023', 0, 0, 0);

-- Coefficient of each month and series: the multiplier that restates an
-- amount of that month to December 2023 (December 2023 is 1).
INSERT INTO MA_INDAJUSTE (ANIO, MES, INDICE1, INDICE2, INDICE3, INDICE4) VALUES
    (2021,  1, 8.7998, 10.6775, 8.5695, 9.1875),
    (2021,  2, 8.4961, 10.1787, 8.3199, 8.9933),
    (2021,  3, 8.1061, 9.7404, 7.9769, 8.7880),
    (2021,  4, 7.7883, 9.3478, 7.7295, 8.6378),
    (2021,  5, 7.5379, 8.9969, 7.5117, 8.5375),
    (2021,  6, 7.3059, 8.7349, 7.0137, 8.4483),
    (2021,  7, 7.0933, 8.5302, 6.8427, 8.3609),
    (2021,  8, 6.9225, 8.3302, 6.6049, 8.2753),
    (2021,  9, 6.6854, 8.1191, 6.4125, 8.1915),
    (2021, 10, 6.4583, 7.9057, 6.2378, 8.1093),
    (2021, 11, 6.2989, 7.7431, 6.0503, 8.0050),
    (2021, 12, 6.0660, 7.5838, 5.8798, 7.8724),
    (2022,  1, 5.8397, 7.3203, 5.5891, 7.7000),
    (2022,  2, 5.5778, 7.0185, 5.3845, 7.5000),
    (2022,  3, 5.2262, 6.5655, 5.0845, 7.2904),
    (2022,  4, 4.9281, 6.2350, 4.8103, 7.0121),
    (2022,  5, 4.6912, 5.9551, 4.5553, 6.7431),
    (2022,  6, 4.4553, 5.6500, 4.2414, 6.4628),
    (2022,  7, 4.1481, 5.2755, 4.0279, 6.1343),
    (2022,  8, 3.8778, 4.8847, 3.7679, 5.7874),
    (2022,  9, 3.6526, 4.5995, 3.6126, 5.4925),
    (2022, 10, 3.4346, 4.3639, 3.4113, 5.1530),
    (2022, 11, 3.2737, 4.1840, 3.2396, 4.8588),
    (2022, 12, 3.1141, 4.0230, 3.0912, 4.5626),
    (2023,  1, 2.9370, 3.7953, 2.9080, 4.3258),
    (2023,  2, 2.7545, 3.5805, 2.7434, 4.1020),
    (2023,  3, 2.5581, 3.3463, 2.5808, 3.8703),
    (2023,  4, 2.3598, 3.1157, 2.4233, 3.6321),
    (2023,  5, 2.1896, 2.8611, 2.2733, 3.3702),
    (2023,  6, 2.0667, 2.7093, 2.1010, 3.1496),
    (2023,  7, 1.9434, 2.5952, 1.9765, 2.9241),
    (2023,  8, 1.7283, 2.0117, 1.6907, 2.3107),
    (2023,  9, 1.5329, 1.8157, 1.5301, 2.3107),
    (2023, 10, 1.4154, 1.7032, 1.4260, 2.3107),
    (2023, 11, 1.2547, 1.5400, 1.2940, 2.2181),
    (2023, 12, 1.0000, 1.0000, 1.0000, 1.0000);

-- ---------------------------------------------------------------------------
-- Voucher types and receipt books
-- ---------------------------------------------------------------------------

-- Accounting types (SISTEMA 'CONTABLE') number their vouchers themselves,
-- except EXTE, whose vouchers keep the issuer's number (no range). Types of
-- the sales and purchase systems are listed for the lookups only.
-- The last number of a book is the one the next voucher takes: after a save
-- the program records the number used plus one.
INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, TALONARIO, Descripcion, LETRAS, ModificaNumeracion, X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA, fechahora_modificacion) VALUES
    ('ASTO', 'CONTABLE', 1, 'Asiento Contable', 'X', 'FALSO', 1, 78, 1, 99999999, '31/12/23 18:00'),
    ('AJUS', 'CONTABLE', 1, 'Asiento de Ajuste por Inflación', 'X', 'FALSO', 1, 2, 1, 9999, '31/12/22 18:30'),
    ('EXTE', 'CONTABLE', 0, 'Comprobante Externo', 'ABCX', 'SI', 0, 0, 0, 0, NULL),
    ('FC', 'VENTAS', 1, 'Factura de Venta', 'AB', 'FALSO', 0, 0, 0, 0, NULL),
    ('RC', 'VENTAS', 1, 'Recibo de Cobranza', 'X', 'FALSO', 0, 0, 0, 0, NULL),
    ('FP', 'VENTAS', 1, 'Factura Proforma', 'X', 'FALSO', 0, 0, 0, 0, NULL),
    ('CBFP', 'VENTAS', 1, 'Cobranza Factura Proforma', 'X', 'FALSO', 0, 0, 0, 0, NULL),
    ('FCC', 'COMPRAS', 0, 'Factura de Compra', 'ABC', 'SI', 0, 0, 0, 0, NULL),
    ('OP', 'COMPRAS', 1, 'Orden de Pago', 'X', 'FALSO', 0, 0, 0, 0, NULL);

-- Receipt books of the accounting types: book 1 of each serves point of sale
-- 0001 of the head office; book 2 of ASTO is the Neuquén branch's.
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, UNEGOCIO, Sistema, Externo, ModificaNumeracion, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO, XVence, fechahora_modificacion) VALUES
    ('ASTO', 1, '0001', 'CONTABLE', 0, 0, 1, 1, 99999999, 78, '2026-12-31 00:00:00', '31/12/23 18:00'),
    ('ASTO', 2, '0002', 'CONTABLE', 0, 0, 2, 1, 99999999, 1, '2026-12-31 00:00:00', NULL),
    ('AJUS', 1, '0001', 'CONTABLE', 0, 0, 1, 1, 9999, 2, '2026-12-31 00:00:00', '31/12/22 18:30');

-- ---------------------------------------------------------------------------
-- Users and rights
-- ---------------------------------------------------------------------------

-- A user holds the right to a program when one of its tasks names a menu entry
-- whose Proceso contains the program's executable name (quarzelo for the
-- adjustment, quarzelo-cuentas for the chart of accounts).
-- ADMIN: administrator, every task. MGARCIA: accountant, the accounting
-- tasks. JPEREZ: sales, no right to the inflation adjustment.
INSERT INTO TA_USUARIOS (NOMBRE, GRUPO, UNegocio, Administrador) VALUES
    ('ADMIN', 'ADMINISTRADORES', '0001', 1),
    ('MGARCIA', 'CONTADURIA', '0001', 0),
    ('JPEREZ', 'VENTAS', '0002', 0);

INSERT INTO TA_MENU (Menu, Clave, Nombre, Proceso) VALUES
    ('CONTABILIDAD', 'CN_ASIENTOS', 'Asientos Contables', 'CN010.EXE'),
    ('CONTABILIDAD', 'CN_AJUSTE', 'Asiento de Ajuste por Inflación', 'QUARZELO.EXE'),
    ('CONTABILIDAD', 'CN_PLANCTAS', 'Plan de Cuentas', 'QUARZELO-CUENTAS.EXE'),
    ('CONTABILIDAD', 'CN_MAYOR', 'Libro Mayor', 'CN030.EXE'),
    ('CONTABILIDAD', 'CN_DIARIO', 'Libro Diario', 'CN040.EXE'),
    ('VENTAS', 'VT_FACTURAS', 'Facturación', 'VT010.EXE'),
    ('VENTAS', 'VT_COBRANZAS', 'Cobranzas', 'VT020.EXE');

INSERT INTO TA_TAREAS (USUARIO, SISTEMA, TAREA) VALUES
    ('ADMIN', 'CONTABLE', 'CN_ASIENTOS'),
    ('ADMIN', 'CONTABLE', 'CN_AJUSTE'),
    ('ADMIN', 'CONTABLE', 'CN_PLANCTAS'),
    ('ADMIN', 'CONTABLE', 'CN_MAYOR'),
    ('ADMIN', 'CONTABLE', 'CN_DIARIO'),
    ('ADMIN', 'VENTAS', 'VT_FACTURAS'),
    ('ADMIN', 'VENTAS', 'VT_COBRANZAS'),
    ('MGARCIA', 'CONTABLE', 'CN_ASIENTOS'),
    ('MGARCIA', 'CONTABLE', 'CN_AJUSTE'),
    ('MGARCIA', 'CONTABLE', 'CN_PLANCTAS'),
    ('MGARCIA', 'CONTABLE', 'CN_MAYOR'),
    ('MGARCIA', 'CONTABLE', 'CN_DIARIO'),
    ('JPEREZ', 'VENTAS', 'VT_FACTURAS'),
    ('JPEREZ', 'VENTAS', 'VT_COBRANZAS'),
    ('JPEREZ', 'CONTABLE', 'CN_MAYOR');

-- Every group of users sees every account.
INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA)
    SELECT G.GRUPO, C.CODIGO FROM (SELECT DISTINCT GRUPO FROM TA_USUARIOS) G, MA_CUENTAS C;

-- ---------------------------------------------------------------------------
-- Points of sale
-- ---------------------------------------------------------------------------

-- Each keeps a copy of the master data in its own database. Server has the
-- two-part form "name/server" (the server here: the folder of the demo's
-- databases, which scripts/build-demo-db writes). Bahía Blanca answers; the
-- database of Neuquén is not there, so its last attempt left it marked
-- disconnected, with the customers and suppliers still to be sent.
INSERT INTO V_TA_TPV (CODIGO, Descripcion, Server, Dbname, Usuario, INTERNET, BAJA,
    OL_ExceptoArticulos, OL_ExceptoPrecios, OL_ExceptoCuentas, OL_ExceptoTablas, CONECTADO,
    ULTIMA_DETECCION, PEND_CLIENTES, PEND_PROVEEDORES, PEND_TABLAS, PEND_ARTICULOS,
    PEND_PRECIOS) VALUES
    ('0001', 'Local Bahía Blanca', 'PUESTO/.', 'TPV_BAHIA', 'TPV_BAHIA', 0, 0,
     0, 0, 0, 0, 1, NULL, 0, 0, 0, 0, 0),
    ('0002', 'Local Neuquén', 'PUESTO/.', 'TPV_NEUQUEN', 'TPV_NEUQUEN', 0, 0,
     0, 0, 0, 0, 0, '2023-12-29 18:42:10', 1, 1, 0, 0, 0);

-- ---------------------------------------------------------------------------
-- Journal entries of fiscal year 2022 (closed)
-- ---------------------------------------------------------------------------

-- Numbered per month; each line repeats the entry's date, voucher, total
-- (CABIMPORTE) and concept. MONEDA '   1' and business unit 0001 as the
-- program writes them.
-- 01-0000001 Asiento de apertura del ejercicio 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 1, 1, 1, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110101001', 420000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 2, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110101002', 60000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 3, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110101003', 1150240.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 4, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110102001001', 6800000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 5, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110102001002', 750000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 6, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110102002001', 1150000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 7, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110201001', 2000000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 8, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110301001', 16270224.63, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 9, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110301002', 1050000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 10, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110302001', 230000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 11, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110402001', 900000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 12, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110501001', 9350000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 13, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110501002', 1300000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 14, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '110501003', 210000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 15, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '120101001', 4500000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 16, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '120101002', 13000000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 17, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '120101003', 2600000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 18, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '120102001', 6200000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 19, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '120102002', 2480000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 20, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '120103001', 1550000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 21, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '120103002', 620000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 22, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '210101001', 10952835.67, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 23, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '210101002', 800000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 24, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '210201002', 1057447.54, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 25, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '210301002', 2419125.49, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 26, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '210301003', 914183.65, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 27, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '210301004', 1050000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 28, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '210401001', 2500000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 29, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '220101001', 4000000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 30, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '310101001', 10000000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 31, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '310101002', 3200000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 32, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '320101001', 1200000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00'),
    (2022, 1, 1, 33, '2022-01-01 00:00:00', 'ASTO', '0001', '00000001', 'X', 66660464.63, NULL, '320201001', 22636872.28, 'H', '   1', '', 'Asiento de apertura del ejercicio 2022', 0, 0, NULL, 1, '0001', '2022-01-01 17:00:00');
-- 01-0000002 Resumen de operaciones de enero 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 1, 2, 1, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '110102001001', 1222159.65, 'H', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 2, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '110102002001', 2202412.47, 'D', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 3, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '110301001', 2021778.11, 'H', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 4, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '110501001', 14201443.33, 'D', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 5, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '210101001', 176099.06, 'H', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 6, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '210201002', 1057447.54, 'D', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 7, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '210301002', 2419125.49, 'D', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 8, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '210301003', 914183.65, 'D', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 9, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '410101001', 17768024.13, 'H', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 10, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '410101002', 4326328.79, 'H', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 11, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '520101001', 397698.35, 'D', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 12, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '520101002', 773302.35, 'D', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 13, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '530101001', 2816489.33, 'D', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00'),
    (2022, 1, 2, 14, '2022-01-31 00:00:00', 'ASTO', '0001', '00000002', 'X', 25514389.74, NULL, '530101002', 732287.23, 'D', '   1', '', 'Resumen de operaciones de enero 2022', 0, 0, NULL, 0, '0001', '2022-01-31 18:07:00');
-- 02-0000001 Resumen de operaciones de febrero 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 2, 1, 1, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '110102001001', 906822.74, 'D', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00'),
    (2022, 2, 1, 2, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '110102002001', 1682254.77, 'D', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00'),
    (2022, 2, 1, 3, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '110301001', 748536.19, 'D', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00'),
    (2022, 2, 1, 4, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '110501001', 16768920.38, 'D', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00'),
    (2022, 2, 1, 5, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '210101001', 2113958.68, 'H', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00'),
    (2022, 2, 1, 6, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '410101001', 18434296.67, 'H', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00'),
    (2022, 2, 1, 7, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '410101002', 4488559.21, 'H', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00'),
    (2022, 2, 1, 8, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '520101001', 412611.41, 'D', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00'),
    (2022, 2, 1, 9, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '520101002', 802299.96, 'D', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00'),
    (2022, 2, 1, 10, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '530101001', 2948705.64, 'D', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00'),
    (2022, 2, 1, 11, '2022-02-28 00:00:00', 'ASTO', '0001', '00000003', 'X', 25036814.56, NULL, '530101002', 766663.47, 'D', '   1', '', 'Resumen de operaciones de febrero 2022', 0, 0, NULL, 0, '0001', '2022-02-28 19:14:00');
-- 03-0000001 Servicios públicos y gastos bancarios del trimestre
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 3, 1, 1, '2022-03-27 00:00:00', 'ASTO', '0001', '00000004', 'X', 1207299.45, NULL, '530102001', 1019272.46, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-03-27 17:21:00'),
    (2022, 3, 1, 2, '2022-03-27 00:00:00', 'ASTO', '0001', '00000004', 'X', 1207299.45, NULL, '530102003', 188026.99, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-03-27 17:21:00'),
    (2022, 3, 1, 3, '2022-03-27 00:00:00', 'ASTO', '0001', '00000004', 'X', 1207299.45, NULL, '110102002001', 1207299.45, 'H', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-03-27 17:21:00');
-- 03-0000002 Resumen de operaciones de marzo 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 3, 2, 1, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '110102001001', 216713.22, 'D', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00'),
    (2022, 3, 2, 2, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '110102002001', 1988376.24, 'D', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00'),
    (2022, 3, 2, 3, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '110301001', 2409153.68, 'D', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00'),
    (2022, 3, 2, 4, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '110501001', 17140306.55, 'D', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00'),
    (2022, 3, 2, 5, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '210101001', 536074.49, 'H', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00'),
    (2022, 3, 2, 6, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '410101001', 21386016.11, 'H', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00'),
    (2022, 3, 2, 7, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '410101002', 5207272.15, 'H', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00'),
    (2022, 3, 2, 8, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '520101001', 478679.19, 'D', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00'),
    (2022, 3, 2, 9, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '520101002', 930765.09, 'D', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00'),
    (2022, 3, 2, 10, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '530101001', 3147118.08, 'D', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00'),
    (2022, 3, 2, 11, '2022-03-31 00:00:00', 'ASTO', '0001', '00000005', 'X', 27129362.75, NULL, '530101002', 818250.70, 'D', '   1', '', 'Resumen de operaciones de marzo 2022', 0, 0, NULL, 0, '0001', '2022-03-31 18:28:00');
-- 04-0000001 Resumen de operaciones de abril 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 4, 1, 1, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '110102001001', 1421290.87, 'D', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00'),
    (2022, 4, 1, 2, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '110102002001', 2353600.45, 'D', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00'),
    (2022, 4, 1, 3, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '110301001', 1187383.71, 'D', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00'),
    (2022, 4, 1, 4, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '110501001', 19225123.72, 'D', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00'),
    (2022, 4, 1, 5, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '210101001', 1797344.88, 'H', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00'),
    (2022, 4, 1, 6, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '410101001', 22584551.76, 'H', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00'),
    (2022, 4, 1, 7, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '410101002', 5499103.10, 'H', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00'),
    (2022, 4, 1, 8, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '520101001', 505505.79, 'D', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00'),
    (2022, 4, 1, 9, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '520101002', 982927.92, 'D', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00'),
    (2022, 4, 1, 10, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '530101001', 3337434.35, 'D', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00'),
    (2022, 4, 1, 11, '2022-04-30 00:00:00', 'ASTO', '0001', '00000006', 'X', 29880999.74, NULL, '530101002', 867732.93, 'D', '   1', '', 'Resumen de operaciones de abril 2022', 0, 0, NULL, 0, '0001', '2022-04-30 19:35:00');
-- 05-0000001 Pago saldo Impuesto a las Ganancias período 2021
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 5, 1, 1, '2022-05-16 00:00:00', 'ASTO', '0001', '00000007', 'X', 1050000.00, NULL, '210301004', 1050000.00, 'D', '   1', '', 'Pago saldo Impuesto a las Ganancias período 2021', 0, 0, NULL, 0, '0001', '2022-05-16 17:42:00'),
    (2022, 5, 1, 2, '2022-05-16 00:00:00', 'ASTO', '0001', '00000007', 'X', 1050000.00, NULL, '110102001001', 1050000.00, 'H', '   1', '', 'Pago saldo Impuesto a las Ganancias período 2021', 0, 0, NULL, 0, '0001', '2022-05-16 17:42:00');
-- 05-0000002 Resumen de operaciones de mayo 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 5, 2, 1, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '110102001001', 1002799.67, 'D', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00'),
    (2022, 5, 2, 2, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '110102002001', 2598544.11, 'D', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00'),
    (2022, 5, 2, 3, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '110301001', 1668119.46, 'D', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00'),
    (2022, 5, 2, 4, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '110501001', 19699654.94, 'D', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00'),
    (2022, 5, 2, 5, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '210101001', 625617.08, 'H', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00'),
    (2022, 5, 2, 6, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '410101001', 24423755.24, 'H', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00'),
    (2022, 5, 2, 7, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '410101002', 5946929.99, 'H', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00'),
    (2022, 5, 2, 8, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '520101001', 546672.33, 'D', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00'),
    (2022, 5, 2, 9, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '520101002', 1062973.98, 'D', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00'),
    (2022, 5, 2, 10, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '530101001', 3505982.40, 'D', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00'),
    (2022, 5, 2, 11, '2022-05-31 00:00:00', 'ASTO', '0001', '00000008', 'X', 30996302.31, NULL, '530101002', 911555.42, 'D', '   1', '', 'Resumen de operaciones de mayo 2022', 0, 0, NULL, 0, '0001', '2022-05-31 18:49:00');
-- 06-0000001 Servicios públicos y gastos bancarios del trimestre
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 6, 1, 1, '2022-06-27 00:00:00', 'ASTO', '0001', '00000009', 'X', 1423660.08, NULL, '530102001', 1200871.28, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-06-27 19:56:00'),
    (2022, 6, 1, 2, '2022-06-27 00:00:00', 'ASTO', '0001', '00000009', 'X', 1423660.08, NULL, '530102003', 222788.80, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-06-27 19:56:00'),
    (2022, 6, 1, 3, '2022-06-27 00:00:00', 'ASTO', '0001', '00000009', 'X', 1423660.08, NULL, '110102002001', 1423660.08, 'H', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-06-27 19:56:00');
-- 06-0000002 Resumen de operaciones de junio 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 6, 2, 1, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '110102001001', 1566380.18, 'D', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00'),
    (2022, 6, 2, 2, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '110102002001', 441863.44, 'D', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00'),
    (2022, 6, 2, 3, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '110301001', 1026742.27, 'D', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00'),
    (2022, 6, 2, 4, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '110501001', 21238673.71, 'D', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00'),
    (2022, 6, 2, 5, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '210101001', 1414880.17, 'H', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00'),
    (2022, 6, 2, 6, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '410101001', 25336576.98, 'H', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00'),
    (2022, 6, 2, 7, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '410101002', 6169192.57, 'H', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00'),
    (2022, 6, 2, 8, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '520101001', 567103.85, 'D', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00'),
    (2022, 6, 2, 9, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '520101002', 1102701.93, 'D', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00'),
    (2022, 6, 2, 10, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '530101001', 5537447.89, 'D', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00'),
    (2022, 6, 2, 11, '2022-06-30 00:00:00', 'ASTO', '0001', '00000010', 'X', 32920649.72, NULL, '530101002', 1439736.45, 'D', '   1', '', 'Resumen de operaciones de junio 2022', 0, 0, NULL, 0, '0001', '2022-06-30 17:03:00');
-- 06-0000003 Pago cuota préstamo B.N.A.
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 6, 3, 1, '2022-06-30 00:00:00', 'ASTO', '0001', '00000011', 'X', 809581.60, NULL, '210401001', 625000.00, 'D', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2022-06-30 18:10:00'),
    (2022, 6, 3, 2, '2022-06-30 00:00:00', 'ASTO', '0001', '00000011', 'X', 809581.60, NULL, '610201001', 184581.60, 'D', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2022-06-30 18:10:00'),
    (2022, 6, 3, 3, '2022-06-30 00:00:00', 'ASTO', '0001', '00000011', 'X', 809581.60, NULL, '110102001001', 809581.60, 'H', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2022-06-30 18:10:00');
-- 07-0000001 Resumen de operaciones de julio 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 7, 1, 1, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '110102001001', 1334965.20, 'D', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00'),
    (2022, 7, 1, 2, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '110102002001', 2917095.90, 'D', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00'),
    (2022, 7, 1, 3, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '110301001', 2065354.57, 'D', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00'),
    (2022, 7, 1, 4, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '110501001', 22571444.53, 'D', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00'),
    (2022, 7, 1, 5, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '210101001', 1302850.71, 'H', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00'),
    (2022, 7, 1, 6, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '410101001', 27668467.08, 'H', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00'),
    (2022, 7, 1, 7, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '410101002', 6736983.52, 'H', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00'),
    (2022, 7, 1, 8, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '520101001', 619298.11, 'D', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00'),
    (2022, 7, 1, 9, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '520101002', 1204190.77, 'D', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00'),
    (2022, 7, 1, 10, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '530101001', 3965041.45, 'D', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00'),
    (2022, 7, 1, 11, '2022-07-31 00:00:00', 'ASTO', '0001', '00000012', 'X', 35708301.31, NULL, '530101002', 1030910.78, 'D', '   1', '', 'Resumen de operaciones de julio 2022', 0, 0, NULL, 0, '0001', '2022-07-31 19:17:00');
-- 08-0000001 Anticipo a proveedor del exterior s/ proforma 2211
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 8, 1, 1, '2022-08-12 00:00:00', 'ASTO', '0001', '00000013', 'X', 908050.00, NULL, '110402001', 908050.00, 'D', '   1', '', 'Anticipo a proveedor del exterior s/ proforma 2211', 0, 0, NULL, 0, '0001', '2022-08-12 17:24:00'),
    (2022, 8, 1, 2, '2022-08-12 00:00:00', 'ASTO', '0001', '00000013', 'X', 908050.00, NULL, '110102001001', 908050.00, 'H', '   1', '', 'Anticipo a proveedor del exterior s/ proforma 2211', 0, 0, NULL, 0, '0001', '2022-08-12 17:24:00');
-- 08-0000002 Resumen de operaciones de agosto 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 8, 2, 1, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '110102001001', 1963640.45, 'D', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00'),
    (2022, 8, 2, 2, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '110102002001', 3184073.46, 'D', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00'),
    (2022, 8, 2, 3, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '110301001', 1733548.14, 'D', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00'),
    (2022, 8, 2, 4, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '110501001', 23548539.11, 'D', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00'),
    (2022, 8, 2, 5, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '210101001', 1044250.22, 'H', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00'),
    (2022, 8, 2, 6, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '410101001', 29492349.65, 'H', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00'),
    (2022, 8, 2, 7, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '410101002', 7181079.93, 'H', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00'),
    (2022, 8, 2, 8, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '520101001', 660121.73, 'D', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00'),
    (2022, 8, 2, 9, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '520101002', 1283570.04, 'D', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00'),
    (2022, 8, 2, 10, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '530101001', 4241418.15, 'D', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00'),
    (2022, 8, 2, 11, '2022-08-31 00:00:00', 'ASTO', '0001', '00000014', 'X', 37717679.80, NULL, '530101002', 1102768.72, 'D', '   1', '', 'Resumen de operaciones de agosto 2022', 0, 0, NULL, 0, '0001', '2022-08-31 18:31:00');
-- 09-0000001 Servicios públicos y gastos bancarios del trimestre
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 9, 1, 1, '2022-09-27 00:00:00', 'ASTO', '0001', '00000015', 'X', 1721469.89, NULL, '530102001', 1454170.89, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-09-27 19:38:00'),
    (2022, 9, 1, 2, '2022-09-27 00:00:00', 'ASTO', '0001', '00000015', 'X', 1721469.89, NULL, '530102003', 267299.00, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-09-27 19:38:00'),
    (2022, 9, 1, 3, '2022-09-27 00:00:00', 'ASTO', '0001', '00000015', 'X', 1721469.89, NULL, '110102002001', 1721469.89, 'H', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-09-27 19:38:00');
-- 09-0000002 Resumen de operaciones de septiembre 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 9, 2, 1, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '110102001001', 2099403.45, 'D', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00'),
    (2022, 9, 2, 2, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '110102002001', 3323970.87, 'D', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00'),
    (2022, 9, 2, 3, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '110301001', 1419599.49, 'D', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00'),
    (2022, 9, 2, 4, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '110501001', 25835524.30, 'D', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00'),
    (2022, 9, 2, 5, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '210101001', 2031309.62, 'H', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00'),
    (2022, 9, 2, 6, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '410101001', 30843534.44, 'H', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00'),
    (2022, 9, 2, 7, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '410101002', 7510079.35, 'H', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00'),
    (2022, 9, 2, 8, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '520101001', 690365.05, 'D', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00'),
    (2022, 9, 2, 9, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '520101002', 1342376.48, 'D', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00'),
    (2022, 9, 2, 10, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '530101001', 4502923.63, 'D', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00'),
    (2022, 9, 2, 11, '2022-09-30 00:00:00', 'ASTO', '0001', '00000016', 'X', 40384923.41, NULL, '530101002', 1170760.14, 'D', '   1', '', 'Resumen de operaciones de septiembre 2022', 0, 0, NULL, 0, '0001', '2022-09-30 17:45:00');
-- 10-0000001 Certificado de obra Nº 1 - Nuevo depósito
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 10, 1, 1, '2022-10-14 00:00:00', 'ASTO', '0001', '00000017', 'X', 5304000.00, NULL, '120104001', 4800000.00, 'D', '   1', '', 'Certificado de obra Nº 1 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2022-10-14 18:52:00'),
    (2022, 10, 1, 2, '2022-10-14 00:00:00', 'ASTO', '0001', '00000017', 'X', 5304000.00, NULL, '110401001', 504000.00, 'D', '   1', '', 'Certificado de obra Nº 1 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2022-10-14 18:52:00'),
    (2022, 10, 1, 3, '2022-10-14 00:00:00', 'ASTO', '0001', '00000017', 'X', 5304000.00, NULL, '210101001', 5304000.00, 'H', '   1', '', 'Certificado de obra Nº 1 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2022-10-14 18:52:00');
-- 10-0000002 Resumen de operaciones de octubre 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 10, 2, 1, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '110102001001', 1280904.78, 'D', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00'),
    (2022, 10, 2, 2, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '110102002001', 3532976.40, 'D', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00'),
    (2022, 10, 2, 3, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '110301001', 2208832.33, 'D', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00'),
    (2022, 10, 2, 4, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '110501001', 28378312.40, 'D', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00'),
    (2022, 10, 2, 5, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '210101001', 2269128.41, 'H', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00'),
    (2022, 10, 2, 6, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '410101001', 33259358.74, 'H', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00'),
    (2022, 10, 2, 7, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '410101002', 8098307.40, 'H', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00'),
    (2022, 10, 2, 8, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '520101001', 744437.99, 'D', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00'),
    (2022, 10, 2, 9, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '520101002', 1447518.31, 'D', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00'),
    (2022, 10, 2, 10, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '530101001', 4788739.95, 'D', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00'),
    (2022, 10, 2, 11, '2022-10-31 00:00:00', 'ASTO', '0001', '00000018', 'X', 43626794.55, NULL, '530101002', 1245072.39, 'D', '   1', '', 'Resumen de operaciones de octubre 2022', 0, 0, NULL, 0, '0001', '2022-10-31 19:59:00');
-- 11-0000001 Despacho de importación: mercadería en tránsito
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 11, 1, 1, '2022-11-18 00:00:00', 'ASTO', '0001', '00000019', 'X', 2120000.00, NULL, '110501002', 2120000.00, 'D', '   1', '', 'Despacho de importación: mercadería en tránsito', 0, 0, NULL, 0, '0001', '2022-11-18 17:06:00'),
    (2022, 11, 1, 2, '2022-11-18 00:00:00', 'ASTO', '0001', '00000019', 'X', 2120000.00, NULL, '110402001', 1800000.00, 'H', '   1', '', 'Despacho de importación: mercadería en tránsito', 0, 0, NULL, 0, '0001', '2022-11-18 17:06:00'),
    (2022, 11, 1, 3, '2022-11-18 00:00:00', 'ASTO', '0001', '00000019', 'X', 2120000.00, NULL, '110102001001', 320000.00, 'H', '   1', '', 'Despacho de importación: mercadería en tránsito', 0, 0, NULL, 0, '0001', '2022-11-18 17:06:00');
-- 11-0000002 Resumen de operaciones de noviembre 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 11, 2, 1, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '110102001001', 818163.02, 'D', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00'),
    (2022, 11, 2, 2, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '110102002001', 3991408.99, 'D', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00'),
    (2022, 11, 2, 3, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '110301001', 2408348.20, 'D', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00'),
    (2022, 11, 2, 4, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '110501001', 31367347.20, 'D', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00'),
    (2022, 11, 2, 5, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '210101001', 2639118.34, 'H', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00'),
    (2022, 11, 2, 6, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '410101001', 35901107.43, 'H', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00'),
    (2022, 11, 2, 7, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '410101002', 8741545.69, 'H', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00'),
    (2022, 11, 2, 8, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '520101001', 803567.76, 'D', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00'),
    (2022, 11, 2, 9, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '520101002', 1562492.86, 'D', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00'),
    (2022, 11, 2, 10, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '530101001', 5024161.45, 'D', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00'),
    (2022, 11, 2, 11, '2022-11-30 00:00:00', 'ASTO', '0001', '00000020', 'X', 47281771.46, NULL, '530101002', 1306281.98, 'D', '   1', '', 'Resumen de operaciones de noviembre 2022', 0, 0, NULL, 0, '0001', '2022-11-30 18:13:00');
-- 12-0000001 Certificado de obra Nº 2 - Nuevo depósito
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 1, 1, '2022-12-15 00:00:00', 'ASTO', '0001', '00000021', 'X', 6519500.00, NULL, '120104001', 5900000.00, 'D', '   1', '', 'Certificado de obra Nº 2 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2022-12-15 19:20:00'),
    (2022, 12, 1, 2, '2022-12-15 00:00:00', 'ASTO', '0001', '00000021', 'X', 6519500.00, NULL, '110401001', 619500.00, 'D', '   1', '', 'Certificado de obra Nº 2 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2022-12-15 19:20:00'),
    (2022, 12, 1, 3, '2022-12-15 00:00:00', 'ASTO', '0001', '00000021', 'X', 6519500.00, NULL, '210101001', 6519500.00, 'H', '   1', '', 'Certificado de obra Nº 2 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2022-12-15 19:20:00');
-- 12-0000002 Servicios públicos y gastos bancarios del trimestre
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 2, 1, '2022-12-27 00:00:00', 'ASTO', '0001', '00000022', 'X', 2051611.37, NULL, '530102001', 1733263.30, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-12-27 17:27:00'),
    (2022, 12, 2, 2, '2022-12-27 00:00:00', 'ASTO', '0001', '00000022', 'X', 2051611.37, NULL, '530102003', 318348.07, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-12-27 17:27:00'),
    (2022, 12, 2, 3, '2022-12-27 00:00:00', 'ASTO', '0001', '00000022', 'X', 2051611.37, NULL, '110102002001', 2051611.37, 'H', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2022-12-27 17:27:00');
-- 12-0000003 Pago cuota préstamo B.N.A.
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 3, 1, '2022-12-30 00:00:00', 'ASTO', '0001', '00000023', 'X', 813629.64, NULL, '210401001', 625000.00, 'D', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2022-12-30 18:34:00'),
    (2022, 12, 3, 2, '2022-12-30 00:00:00', 'ASTO', '0001', '00000023', 'X', 813629.64, NULL, '610201001', 188629.64, 'D', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2022-12-30 18:34:00'),
    (2022, 12, 3, 3, '2022-12-30 00:00:00', 'ASTO', '0001', '00000023', 'X', 813629.64, NULL, '110102001001', 813629.64, 'H', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2022-12-30 18:34:00');
-- 12-0000004 Resumen de operaciones de diciembre 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 4, 1, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '110102001001', 9099235.87, 'D', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 2, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '110102002001', 3557832.39, 'D', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 3, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '110301001', 4162286.49, 'D', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 4, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '110501001', 27523762.40, 'D', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 5, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '210101001', 2409975.19, 'D', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 6, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '210201002', 2059835.71, 'H', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 7, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '210301002', 4712291.53, 'H', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 8, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '210301003', 1780767.42, 'H', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 9, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '410101001', 40441229.80, 'H', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 10, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '410101002', 10437839.28, 'H', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 11, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '520101001', 915823.24, 'D', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 12, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '520101002', 1780767.42, 'D', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 13, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '530101001', 7922445.03, 'D', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00'),
    (2022, 12, 4, 14, '2022-12-31 00:00:00', 'ASTO', '0001', '00000024', 'X', 59431963.74, NULL, '530101002', 2059835.71, 'D', '   1', '', 'Resumen de operaciones de diciembre 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:41:00');
-- 12-0000005 Renovación plazo fijo B.N.A. con intereses
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 5, 1, '2022-12-31 00:00:00', 'ASTO', '0001', '00000025', 'X', 1420000.00, NULL, '110201001', 1420000.00, 'D', '   1', '', 'Renovación plazo fijo B.N.A. con intereses', 0, 0, NULL, 0, '0001', '2022-12-31 17:48:00'),
    (2022, 12, 5, 2, '2022-12-31 00:00:00', 'ASTO', '0001', '00000025', 'X', 1420000.00, NULL, '610101001', 1420000.00, 'H', '   1', '', 'Renovación plazo fijo B.N.A. con intereses', 0, 0, NULL, 0, '0001', '2022-12-31 17:48:00');
-- 12-0000006 Diferencia de cambio tenencia U$S 11.200
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 6, 1, '2022-12-31 00:00:00', 'ASTO', '0001', '00000026', 'X', 834400.00, NULL, '110101003', 834400.00, 'D', '   1', '', 'Diferencia de cambio tenencia U$S 11.200', 0, 0, NULL, 0, '0001', '2022-12-31 18:55:00'),
    (2022, 12, 6, 2, '2022-12-31 00:00:00', 'ASTO', '0001', '00000026', 'X', 834400.00, NULL, '610101002', 834400.00, 'H', '   1', '', 'Diferencia de cambio tenencia U$S 11.200', 0, 0, NULL, 0, '0001', '2022-12-31 18:55:00');
-- 12-0000007 Amortizaciones del ejercicio 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 7, 1, '2022-12-31 00:00:00', 'ASTO', '0001', '00000027', 'X', 1655000.00, NULL, '530102004', 1655000.00, 'D', '   1', '', 'Amortizaciones del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:02:00'),
    (2022, 12, 7, 2, '2022-12-31 00:00:00', 'ASTO', '0001', '00000027', 'X', 1655000.00, NULL, '120101003', 260000.00, 'H', '   1', '', 'Amortizaciones del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:02:00'),
    (2022, 12, 7, 3, '2022-12-31 00:00:00', 'ASTO', '0001', '00000027', 'X', 1655000.00, NULL, '120102002', 1240000.00, 'H', '   1', '', 'Amortizaciones del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:02:00'),
    (2022, 12, 7, 4, '2022-12-31 00:00:00', 'ASTO', '0001', '00000027', 'X', 1655000.00, NULL, '120103002', 155000.00, 'H', '   1', '', 'Amortizaciones del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 19:02:00');
-- 12-0000008 Previsión para deudores incobrables 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 8, 1, '2022-12-31 00:00:00', 'ASTO', '0001', '00000028', 'X', 410000.00, NULL, '520101004', 410000.00, 'D', '   1', '', 'Previsión para deudores incobrables 2022', 0, 0, NULL, 0, '0001', '2022-12-31 17:09:00'),
    (2022, 12, 8, 2, '2022-12-31 00:00:00', 'ASTO', '0001', '00000028', 'X', 410000.00, NULL, '110302001', 410000.00, 'H', '   1', '', 'Previsión para deudores incobrables 2022', 0, 0, NULL, 0, '0001', '2022-12-31 17:09:00');
-- 12-0000009 Ajuste por inflación ejercicio 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 9, 1, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '110402001', 779783.38, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 2, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '110501001', 91288697.07, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 3, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '110501002', 1080674.18, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 4, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '110501003', 185873.23, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 5, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '120104001', 497049.69, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 6, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '310101001', 9479143.25, 'H', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 7, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '310101002', 3033325.84, 'H', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 8, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '320101001', 1137497.19, 'H', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 9, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '320201001', 21457815.51, 'H', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 10, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '410101001', 108093572.20, 'H', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 11, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '410101002', 26319658.84, 'H', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 12, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '520101001', 2419438.15, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 13, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '520101002', 4704463.08, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 14, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '530101001', 16922734.98, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 15, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '530101002', 4399911.10, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 16, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '530102001', 1459967.55, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 17, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '530102003', 269701.25, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 18, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '610201001', 79496.75, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00'),
    (2022, 12, 9, 19, '2022-12-31 00:00:00', 'AJUS', '0001', '00000001', 'X', 169521012.83, NULL, '610301001', 45433222.42, 'D', '   1', '', 'Ajuste por inflación ejercicio 2022', 0, 1, '31/12/2022', 0, '0001', '2022-12-31 18:16:00');
-- 12-0000010 Costo de mercaderías vendidas 2022 s/ inventario final
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 10, 1, '2022-12-31 00:00:00', 'ASTO', '0001', '00000029', 'X', 350737749.64, NULL, '510101001', 350737749.64, 'D', '   1', '', 'Costo de mercaderías vendidas 2022 s/ inventario final', 0, 0, NULL, 0, '0001', '2022-12-31 19:23:00'),
    (2022, 12, 10, 2, '2022-12-31 00:00:00', 'ASTO', '0001', '00000029', 'X', 350737749.64, NULL, '110501001', 350737749.64, 'H', '   1', '', 'Costo de mercaderías vendidas 2022 s/ inventario final', 0, 0, NULL, 0, '0001', '2022-12-31 19:23:00');
-- 12-0000011 Provisión Impuesto a las Ganancias 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 11, 1, '2022-12-31 00:00:00', 'ASTO', '0001', '00000030', 'X', 6742094.38, NULL, '540101001', 6742094.38, 'D', '   1', '', 'Provisión Impuesto a las Ganancias 2022', 0, 0, NULL, 0, '0001', '2022-12-31 17:30:00'),
    (2022, 12, 11, 2, '2022-12-31 00:00:00', 'ASTO', '0001', '00000030', 'X', 6742094.38, NULL, '210301004', 6742094.38, 'H', '   1', '', 'Provisión Impuesto a las Ganancias 2022', 0, 0, NULL, 0, '0001', '2022-12-31 17:30:00');
-- 12-0000012 Refundición de cuentas de resultado del ejercicio 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2022, 12, 12, 1, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '410101001', 435632840.23, 'D', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 2, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '410101002', 106662879.82, 'D', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 3, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '510101001', 350737749.64, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 4, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '520101001', 9761322.95, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 5, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '520101002', 18980350.19, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 6, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '520101004', 410000.00, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 7, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '530101001', 68660642.33, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 8, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '530101002', 17851767.02, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 9, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '530102001', 6867545.48, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 10, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '530102003', 1266164.11, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 11, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '530102004', 1655000.00, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 12, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '540101001', 6742094.38, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 13, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '610101001', 1420000.00, 'D', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 14, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '610101002', 834400.00, 'D', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 15, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '610201001', 452707.99, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 16, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '610301001', 45433222.42, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00'),
    (2022, 12, 12, 17, '2022-12-31 00:00:00', 'ASTO', '0001', '00000031', 'X', 544550120.05, NULL, '320201002', 15731553.54, 'H', '   1', '', 'Refundición de cuentas de resultado del ejercicio 2022', 0, 0, NULL, 0, '0001', '2022-12-31 18:37:00');

-- ---------------------------------------------------------------------------
-- Journal entries of fiscal year 2023 (open, not yet adjusted)
-- ---------------------------------------------------------------------------

-- 01-0000001 Asiento de apertura del ejercicio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 1, 1, 1, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110101001', 420000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 2, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110101002', 60000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 3, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110101003', 1984640.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 4, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110102001001', 23386898.56, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 5, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110102001002', 750000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 6, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110102002001', 26520368.70, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 7, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110201001', 3420000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 8, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110301001', 35286351.05, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 9, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110301002', 1050000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 10, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110302001', 640000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 11, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110401001', 1123500.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 12, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110402001', 787833.38, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 13, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110501001', 17400000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 14, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110501002', 4500674.18, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 15, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '110501003', 395873.23, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 16, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '120101001', 4500000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 17, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '120101002', 13000000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 18, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '120101003', 2860000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 19, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '120102001', 6200000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 20, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '120102002', 3720000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 21, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '120103001', 1550000.00, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 22, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '120103002', 775000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 23, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '120104001', 11197049.69, 'D', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 24, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '210101001', 36316992.14, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 25, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '210101002', 800000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 26, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '210201002', 2059835.71, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 27, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '210301002', 4712291.53, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 28, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '210301003', 1780767.42, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 29, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '210301004', 6742094.38, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 30, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '210401001', 1250000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 31, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '220101001', 4000000.00, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 32, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '310101001', 19479143.25, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 33, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '310101002', 6233325.84, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 34, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '320101001', 2337497.19, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 35, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '320201001', 44094687.79, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00'),
    (2023, 1, 1, 36, '2023-01-01 00:00:00', 'ASTO', '0001', '00000032', 'X', 153533188.79, NULL, '320201002', 15731553.54, 'H', '   1', '', 'Asiento de apertura del ejercicio 2023', 0, 0, NULL, 1, '0001', '2023-01-01 17:00:00');
-- 01-0000002 Compras de mercaderías y fletes de enero 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 1, 2, 1, '2023-01-10 00:00:00', 'FCC', '0004', '00010231', 'A', 35123081.40, '210101001', '110501001', 28236600.00, 'D', '   1', '', 'Compras de mercaderías y fletes de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-10 18:07:00'),
    (2023, 1, 2, 2, '2023-01-10 00:00:00', 'FCC', '0004', '00010231', 'A', 35123081.40, '210101001', '520101001', 790740.00, 'D', '   1', '', 'Compras de mercaderías y fletes de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-10 18:07:00'),
    (2023, 1, 2, 3, '2023-01-10 00:00:00', 'FCC', '0004', '00010231', 'A', 35123081.40, '210101001', '110401001', 6095741.40, 'D', '   1', '', 'Compras de mercaderías y fletes de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-10 18:07:00'),
    (2023, 1, 2, 4, '2023-01-10 00:00:00', 'FCC', '0004', '00010231', 'A', 35123081.40, '210101001', '210101001', 35123081.40, 'H', '   1', '', 'Compras de mercaderías y fletes de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-10 18:07:00');
-- 01-0000003 Pago de I.V.A., Ingresos Brutos y cargas sociales de diciembre 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 1, 3, 1, '2023-01-12 00:00:00', 'ASTO', '0001', '00000033', 'X', 8552894.66, NULL, '210301002', 4712291.53, 'D', '   1', '', 'Pago de I.V.A., Ingresos Brutos y cargas sociales de diciembre 2022', 0, 0, NULL, 0, '0001', '2023-01-12 19:14:00'),
    (2023, 1, 3, 2, '2023-01-12 00:00:00', 'ASTO', '0001', '00000033', 'X', 8552894.66, NULL, '210301003', 1780767.42, 'D', '   1', '', 'Pago de I.V.A., Ingresos Brutos y cargas sociales de diciembre 2022', 0, 0, NULL, 0, '0001', '2023-01-12 19:14:00'),
    (2023, 1, 3, 3, '2023-01-12 00:00:00', 'ASTO', '0001', '00000033', 'X', 8552894.66, NULL, '210201002', 2059835.71, 'D', '   1', '', 'Pago de I.V.A., Ingresos Brutos y cargas sociales de diciembre 2022', 0, 0, NULL, 0, '0001', '2023-01-12 19:14:00'),
    (2023, 1, 3, 4, '2023-01-12 00:00:00', 'ASTO', '0001', '00000033', 'X', 8552894.66, NULL, '110102001001', 8552894.66, 'H', '   1', '', 'Pago de I.V.A., Ingresos Brutos y cargas sociales de diciembre 2022', 0, 0, NULL, 0, '0001', '2023-01-12 19:14:00');
-- 01-0000004 Ventas de enero 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 1, 4, 1, '2023-01-18 00:00:00', 'FC', '0003', '00004512', 'A', 53155300.00, '110301001', '110301001', 53155300.00, 'D', '   1', '', 'Ventas de enero 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-01-18 17:21:00'),
    (2023, 1, 4, 2, '2023-01-18 00:00:00', 'FC', '0003', '00004512', 'A', 53155300.00, '110301001', '410101001', 35328000.00, 'H', '   1', '', 'Ventas de enero 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-01-18 17:21:00'),
    (2023, 1, 4, 3, '2023-01-18 00:00:00', 'FC', '0003', '00004512', 'A', 53155300.00, '110301001', '410101002', 8602000.00, 'H', '   1', '', 'Ventas de enero 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-01-18 17:21:00'),
    (2023, 1, 4, 4, '2023-01-18 00:00:00', 'FC', '0003', '00004512', 'A', 53155300.00, '110301001', '210301001', 9225300.00, 'H', '   1', '', 'Ventas de enero 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-01-18 17:21:00');
-- 01-0000005 Cobranzas de clientes de enero 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 1, 5, 1, '2023-01-20 00:00:00', 'RC', '0003', '00002201', 'X', 56575682.59, '110301001', '110102001001', 45260546.07, 'D', '   1', '', 'Cobranzas de clientes de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-20 18:28:00'),
    (2023, 1, 5, 2, '2023-01-20 00:00:00', 'RC', '0003', '00002201', 'X', 56575682.59, '110301001', '110102002001', 11315136.52, 'D', '   1', '', 'Cobranzas de clientes de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-20 18:28:00'),
    (2023, 1, 5, 3, '2023-01-20 00:00:00', 'RC', '0003', '00002201', 'X', 56575682.59, '110301001', '110301001', 56575682.59, 'H', '   1', '', 'Cobranzas de clientes de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-20 18:28:00');
-- 01-0000006 Pagos a proveedores de enero 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 1, 6, 1, '2023-01-26 00:00:00', 'OP', '0001', '00000001', 'X', 34338029.09, '210101001', '210101001', 34338029.09, 'D', '   1', '', 'Pagos a proveedores de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-26 19:35:00'),
    (2023, 1, 6, 2, '2023-01-26 00:00:00', 'OP', '0001', '00000001', 'X', 34338029.09, '210101001', '110102001001', 34338029.09, 'H', '   1', '', 'Pagos a proveedores de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-26 19:35:00');
-- 01-0000007 Sueldos y cargas sociales de enero 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 1, 7, 1, '2023-01-30 00:00:00', 'ASTO', '0001', '00000034', 'X', 7056000.00, NULL, '530101001', 5600000.00, 'D', '   1', '', 'Sueldos y cargas sociales de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-30 17:42:00'),
    (2023, 1, 7, 2, '2023-01-30 00:00:00', 'ASTO', '0001', '00000034', 'X', 7056000.00, NULL, '530101002', 1456000.00, 'D', '   1', '', 'Sueldos y cargas sociales de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-30 17:42:00'),
    (2023, 1, 7, 3, '2023-01-30 00:00:00', 'ASTO', '0001', '00000034', 'X', 7056000.00, NULL, '110102002001', 7056000.00, 'H', '   1', '', 'Sueldos y cargas sociales de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-30 17:42:00');
-- 01-0000008 Liquidación de I.V.A. e Ingresos Brutos de enero 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 1, 8, 1, '2023-01-31 00:00:00', 'ASTO', '0001', '00000035', 'X', 10762850.00, NULL, '210301001', 9225300.00, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-31 18:49:00'),
    (2023, 1, 8, 2, '2023-01-31 00:00:00', 'ASTO', '0001', '00000035', 'X', 10762850.00, NULL, '520101002', 1537550.00, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-31 18:49:00'),
    (2023, 1, 8, 3, '2023-01-31 00:00:00', 'ASTO', '0001', '00000035', 'X', 10762850.00, NULL, '110401001', 6095741.40, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-31 18:49:00'),
    (2023, 1, 8, 4, '2023-01-31 00:00:00', 'ASTO', '0001', '00000035', 'X', 10762850.00, NULL, '110102001001', 4667108.60, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de enero 2023', 0, 0, NULL, 0, '0001', '2023-01-31 18:49:00');
-- 02-0000001 Compras de mercaderías y fletes de febrero 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 2, 1, 1, '2023-02-10 00:00:00', 'FCC', '0004', '00010232', 'A', 42099213.91, '210101001', '110501001', 33957197.39, 'D', '   1', '', 'Compras de mercaderías y fletes de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-10 19:56:00'),
    (2023, 2, 1, 2, '2023-02-10 00:00:00', 'FCC', '0004', '00010232', 'A', 42099213.91, '210101001', '520101001', 835541.38, 'D', '   1', '', 'Compras de mercaderías y fletes de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-10 19:56:00'),
    (2023, 2, 1, 3, '2023-02-10 00:00:00', 'FCC', '0004', '00010232', 'A', 42099213.91, '210101001', '110401001', 7306475.14, 'D', '   1', '', 'Compras de mercaderías y fletes de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-10 19:56:00'),
    (2023, 2, 1, 4, '2023-02-10 00:00:00', 'FCC', '0004', '00010232', 'A', 42099213.91, '210101001', '210101001', 42099213.91, 'H', '   1', '', 'Compras de mercaderías y fletes de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-10 19:56:00');
-- 02-0000002 Anticipo a proveedor del exterior s/ proforma 2302
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 2, 2, 1, '2023-02-10 00:00:00', 'ASTO', '0001', '00000036', 'X', 1931580.00, NULL, '110402001', 1931580.00, 'D', '   1', '', 'Anticipo a proveedor del exterior s/ proforma 2302', 0, 0, NULL, 0, '0001', '2023-02-10 17:03:00'),
    (2023, 2, 2, 2, '2023-02-10 00:00:00', 'ASTO', '0001', '00000036', 'X', 1931580.00, NULL, '110102001001', 1931580.00, 'H', '   1', '', 'Anticipo a proveedor del exterior s/ proforma 2302', 0, 0, NULL, 0, '0001', '2023-02-10 17:03:00');
-- 02-0000003 Ventas de febrero 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 2, 3, 1, '2023-02-18 00:00:00', 'FC', '0003', '00004513', 'A', 56166948.64, '110301001', '110301001', 56166948.64, 'D', '   1', '', 'Ventas de febrero 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-02-18 18:10:00'),
    (2023, 2, 3, 2, '2023-02-18 00:00:00', 'FC', '0003', '00004513', 'A', 56166948.64, '110301001', '410101001', 37329597.64, 'H', '   1', '', 'Ventas de febrero 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-02-18 18:10:00'),
    (2023, 2, 3, 3, '2023-02-18 00:00:00', 'FC', '0003', '00004513', 'A', 56166948.64, '110301001', '410101002', 9089368.18, 'H', '   1', '', 'Ventas de febrero 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-02-18 18:10:00'),
    (2023, 2, 3, 4, '2023-02-18 00:00:00', 'FC', '0003', '00004513', 'A', 56166948.64, '110301001', '210301001', 9747982.82, 'H', '   1', '', 'Ventas de febrero 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-02-18 18:10:00');
-- 02-0000004 Cobranzas de clientes de febrero 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 2, 4, 1, '2023-02-20 00:00:00', 'RC', '0003', '00002202', 'X', 54189804.29, '110301001', '110102001001', 43351843.43, 'D', '   1', '', 'Cobranzas de clientes de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-20 19:17:00'),
    (2023, 2, 4, 2, '2023-02-20 00:00:00', 'RC', '0003', '00002202', 'X', 54189804.29, '110301001', '110102002001', 10837960.86, 'D', '   1', '', 'Cobranzas de clientes de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-20 19:17:00'),
    (2023, 2, 4, 3, '2023-02-20 00:00:00', 'RC', '0003', '00002202', 'X', 54189804.29, '110301001', '110301001', 54189804.29, 'H', '   1', '', 'Cobranzas de clientes de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-20 19:17:00');
-- 02-0000005 Pagos a proveedores de febrero 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 2, 5, 1, '2023-02-26 00:00:00', 'OP', '0001', '00000002', 'X', 37422780.94, '210101001', '210101001', 37422780.94, 'D', '   1', '', 'Pagos a proveedores de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-26 17:24:00'),
    (2023, 2, 5, 2, '2023-02-26 00:00:00', 'OP', '0001', '00000002', 'X', 37422780.94, '210101001', '110102001001', 37422780.94, 'H', '   1', '', 'Pagos a proveedores de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-26 17:24:00');
-- 02-0000006 Sueldos y cargas sociales de febrero 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 2, 6, 1, '2023-02-28 00:00:00', 'ASTO', '0001', '00000037', 'X', 7523652.04, NULL, '530101001', 5971152.41, 'D', '   1', '', 'Sueldos y cargas sociales de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-28 18:31:00'),
    (2023, 2, 6, 2, '2023-02-28 00:00:00', 'ASTO', '0001', '00000037', 'X', 7523652.04, NULL, '530101002', 1552499.63, 'D', '   1', '', 'Sueldos y cargas sociales de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-28 18:31:00'),
    (2023, 2, 6, 3, '2023-02-28 00:00:00', 'ASTO', '0001', '00000037', 'X', 7523652.04, NULL, '110102002001', 7523652.04, 'H', '   1', '', 'Sueldos y cargas sociales de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-28 18:31:00');
-- 02-0000007 Liquidación de I.V.A. e Ingresos Brutos de febrero 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 2, 7, 1, '2023-02-28 00:00:00', 'ASTO', '0001', '00000038', 'X', 11372646.62, NULL, '210301001', 9747982.82, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-28 19:38:00'),
    (2023, 2, 7, 2, '2023-02-28 00:00:00', 'ASTO', '0001', '00000038', 'X', 11372646.62, NULL, '520101002', 1624663.80, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-28 19:38:00'),
    (2023, 2, 7, 3, '2023-02-28 00:00:00', 'ASTO', '0001', '00000038', 'X', 11372646.62, NULL, '110401001', 7306475.14, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-28 19:38:00'),
    (2023, 2, 7, 4, '2023-02-28 00:00:00', 'ASTO', '0001', '00000038', 'X', 11372646.62, NULL, '110102001001', 4066171.48, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de febrero 2023', 0, 0, NULL, 0, '0001', '2023-02-28 19:38:00');
-- 03-0000001 Compras de mercaderías y fletes de marzo 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 3, 1, 1, '2023-03-10 00:00:00', 'FCC', '0004', '00010233', 'A', 43553919.19, '210101001', '110501001', 35017049.62, 'D', '   1', '', 'Compras de mercaderías y fletes de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-10 17:45:00'),
    (2023, 3, 1, 2, '2023-03-10 00:00:00', 'FCC', '0004', '00010233', 'A', 43553919.19, '210101001', '520101001', 977924.92, 'D', '   1', '', 'Compras de mercaderías y fletes de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-10 17:45:00'),
    (2023, 3, 1, 3, '2023-03-10 00:00:00', 'FCC', '0004', '00010233', 'A', 43553919.19, '210101001', '110401001', 7558944.65, 'D', '   1', '', 'Compras de mercaderías y fletes de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-10 17:45:00'),
    (2023, 3, 1, 4, '2023-03-10 00:00:00', 'FCC', '0004', '00010233', 'A', 43553919.19, '210101001', '210101001', 43553919.19, 'H', '   1', '', 'Compras de mercaderías y fletes de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-10 17:45:00');
-- 03-0000002 Certificado de obra Nº 3 - Nuevo depósito
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 3, 2, 1, '2023-03-17 00:00:00', 'ASTO', '0001', '00000039', 'X', 9558250.00, NULL, '120104001', 8650000.00, 'D', '   1', '', 'Certificado de obra Nº 3 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2023-03-17 18:52:00'),
    (2023, 3, 2, 2, '2023-03-17 00:00:00', 'ASTO', '0001', '00000039', 'X', 9558250.00, NULL, '110401001', 908250.00, 'D', '   1', '', 'Certificado de obra Nº 3 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2023-03-17 18:52:00'),
    (2023, 3, 2, 3, '2023-03-17 00:00:00', 'ASTO', '0001', '00000039', 'X', 9558250.00, NULL, '210101001', 9558250.00, 'H', '   1', '', 'Certificado de obra Nº 3 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2023-03-17 18:52:00');
-- 03-0000003 Ventas de marzo 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 3, 3, 1, '2023-03-18 00:00:00', 'FC', '0003', '00004514', 'A', 65738286.27, '110301001', '110301001', 65738286.27, 'D', '   1', '', 'Ventas de marzo 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-03-18 19:59:00'),
    (2023, 3, 3, 2, '2023-03-18 00:00:00', 'FC', '0003', '00004514', 'A', 65738286.27, '110301001', '410101001', 43690886.47, 'H', '   1', '', 'Ventas de marzo 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-03-18 19:59:00'),
    (2023, 3, 3, 3, '2023-03-18 00:00:00', 'FC', '0003', '00004514', 'A', 65738286.27, '110301001', '410101002', 10638275.74, 'H', '   1', '', 'Ventas de marzo 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-03-18 19:59:00'),
    (2023, 3, 3, 4, '2023-03-18 00:00:00', 'FC', '0003', '00004514', 'A', 65738286.27, '110301001', '210301001', 11409124.06, 'H', '   1', '', 'Ventas de marzo 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-03-18 19:59:00');
-- 03-0000004 Cobranzas de clientes de marzo 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 3, 4, 1, '2023-03-20 00:00:00', 'RC', '0003', '00002203', 'X', 60582374.72, '110301001', '110102001001', 48465899.78, 'D', '   1', '', 'Cobranzas de clientes de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-20 17:06:00'),
    (2023, 3, 4, 2, '2023-03-20 00:00:00', 'RC', '0003', '00002203', 'X', 60582374.72, '110301001', '110102002001', 12116474.94, 'D', '   1', '', 'Cobranzas de clientes de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-20 17:06:00'),
    (2023, 3, 4, 3, '2023-03-20 00:00:00', 'RC', '0003', '00002203', 'X', 60582374.72, '110301001', '110301001', 60582374.72, 'H', '   1', '', 'Cobranzas de clientes de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-20 17:06:00');
-- 03-0000005 Factura proforma exportación cliente Valparaíso
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 3, 5, 1, '2023-03-24 00:00:00', 'FP', '0003', '00000001', 'X', 2460000.00, '110301001', '110301001', 2460000.00, 'D', '   1', '', 'Factura proforma exportación cliente Valparaíso', 0, 0, NULL, 0, '0001', '2023-03-24 18:13:00'),
    (2023, 3, 5, 2, '2023-03-24 00:00:00', 'FP', '0003', '00000001', 'X', 2460000.00, '110301001', '410101001', 2460000.00, 'H', '   1', '', 'Factura proforma exportación cliente Valparaíso', 0, 0, NULL, 0, '0001', '2023-03-24 18:13:00');
-- 03-0000006 Pagos a proveedores de marzo 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 3, 6, 1, '2023-03-26 00:00:00', 'OP', '0001', '00000003', 'X', 42231009.78, '210101001', '210101001', 42231009.78, 'D', '   1', '', 'Pagos a proveedores de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-26 19:20:00'),
    (2023, 3, 6, 2, '2023-03-26 00:00:00', 'OP', '0001', '00000003', 'X', 42231009.78, '210101001', '110102001001', 42231009.78, 'H', '   1', '', 'Pagos a proveedores de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-26 19:20:00');
-- 03-0000007 Servicios públicos y gastos bancarios del trimestre
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 3, 7, 1, '2023-03-27 00:00:00', 'ASTO', '0001', '00000040', 'X', 2438625.51, NULL, '530102001', 2058874.83, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-03-27 17:27:00'),
    (2023, 3, 7, 2, '2023-03-27 00:00:00', 'ASTO', '0001', '00000040', 'X', 2438625.51, NULL, '530102003', 379750.68, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-03-27 17:27:00'),
    (2023, 3, 7, 3, '2023-03-27 00:00:00', 'ASTO', '0001', '00000040', 'X', 2438625.51, NULL, '110102002001', 2438625.51, 'H', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-03-27 17:27:00');
-- 03-0000008 Sueldos y cargas sociales de marzo 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 3, 8, 1, '2023-03-30 00:00:00', 'ASTO', '0001', '00000041', 'X', 8101110.38, NULL, '530101001', 6429452.68, 'D', '   1', '', 'Sueldos y cargas sociales de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-30 18:34:00'),
    (2023, 3, 8, 2, '2023-03-30 00:00:00', 'ASTO', '0001', '00000041', 'X', 8101110.38, NULL, '530101002', 1671657.70, 'D', '   1', '', 'Sueldos y cargas sociales de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-30 18:34:00'),
    (2023, 3, 8, 3, '2023-03-30 00:00:00', 'ASTO', '0001', '00000041', 'X', 8101110.38, NULL, '110102002001', 8101110.38, 'H', '   1', '', 'Sueldos y cargas sociales de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-30 18:34:00');
-- 03-0000009 Liquidación de I.V.A. e Ingresos Brutos de marzo 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 3, 9, 1, '2023-03-31 00:00:00', 'ASTO', '0001', '00000042', 'X', 13310644.74, NULL, '210301001', 11409124.06, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-31 19:41:00'),
    (2023, 3, 9, 2, '2023-03-31 00:00:00', 'ASTO', '0001', '00000042', 'X', 13310644.74, NULL, '520101002', 1901520.68, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-31 19:41:00'),
    (2023, 3, 9, 3, '2023-03-31 00:00:00', 'ASTO', '0001', '00000042', 'X', 13310644.74, NULL, '110401001', 7558944.65, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-31 19:41:00'),
    (2023, 3, 9, 4, '2023-03-31 00:00:00', 'ASTO', '0001', '00000042', 'X', 13310644.74, NULL, '110102001001', 5751700.09, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de marzo 2023', 0, 0, NULL, 0, '0001', '2023-03-31 19:41:00');
-- 04-0000001 Compras de mercaderías y fletes de abril 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 4, 1, 1, '2023-04-10 00:00:00', 'FCC', '0004', '00010234', 'A', 49857172.30, '210101001', '110501001', 40148606.37, 'D', '   1', '', 'Compras de mercaderías y fletes de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-10 17:48:00'),
    (2023, 4, 1, 2, '2023-04-10 00:00:00', 'FCC', '0004', '00010234', 'A', 49857172.30, '210101001', '520101001', 1055668.26, 'D', '   1', '', 'Compras de mercaderías y fletes de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-10 17:48:00'),
    (2023, 4, 1, 3, '2023-04-10 00:00:00', 'FCC', '0004', '00010234', 'A', 49857172.30, '210101001', '110401001', 8652897.67, 'D', '   1', '', 'Compras de mercaderías y fletes de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-10 17:48:00'),
    (2023, 4, 1, 4, '2023-04-10 00:00:00', 'FCC', '0004', '00010234', 'A', 49857172.30, '210101001', '210101001', 49857172.30, 'H', '   1', '', 'Compras de mercaderías y fletes de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-10 17:48:00');
-- 04-0000002 Cobranza factura proforma exportación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 4, 2, 1, '2023-04-12 00:00:00', 'CBFP', '0003', '00000001', 'X', 2460000.00, '110301001', '110101001', 2460000.00, 'D', '   1', '', 'Cobranza factura proforma exportación', 0, 0, NULL, 0, '0001', '2023-04-12 18:55:00'),
    (2023, 4, 2, 2, '2023-04-12 00:00:00', 'CBFP', '0003', '00000001', 'X', 2460000.00, '110301001', '110301001', 2460000.00, 'H', '   1', '', 'Cobranza factura proforma exportación', 0, 0, NULL, 0, '0001', '2023-04-12 18:55:00');
-- 04-0000003 Ventas de abril 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 4, 3, 1, '2023-04-18 00:00:00', 'FC', '0003', '00004515', 'A', 70964366.30, '110301001', '110301001', 70964366.30, 'D', '   1', '', 'Ventas de abril 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-04-18 19:02:00'),
    (2023, 4, 3, 2, '2023-04-18 00:00:00', 'FC', '0003', '00004515', 'A', 70964366.30, '110301001', '410101001', 47164236.35, 'H', '   1', '', 'Ventas de abril 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-04-18 19:02:00'),
    (2023, 4, 3, 3, '2023-04-18 00:00:00', 'FC', '0003', '00004515', 'A', 70964366.30, '110301001', '410101002', 11484000.26, 'H', '   1', '', 'Ventas de abril 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-04-18 19:02:00'),
    (2023, 4, 3, 4, '2023-04-18 00:00:00', 'FC', '0003', '00004515', 'A', 70964366.30, '110301001', '210301001', 12316129.69, 'H', '   1', '', 'Ventas de abril 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-04-18 19:02:00');
-- 04-0000004 Cobranzas de clientes de abril 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 4, 4, 1, '2023-04-20 00:00:00', 'RC', '0003', '00002204', 'X', 67798465.02, '110301001', '110102001001', 54238772.02, 'D', '   1', '', 'Cobranzas de clientes de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-20 17:09:00'),
    (2023, 4, 4, 2, '2023-04-20 00:00:00', 'RC', '0003', '00002204', 'X', 67798465.02, '110301001', '110102002001', 13559693.00, 'D', '   1', '', 'Cobranzas de clientes de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-20 17:09:00'),
    (2023, 4, 4, 3, '2023-04-20 00:00:00', 'RC', '0003', '00002204', 'X', 67798465.02, '110301001', '110301001', 67798465.02, 'H', '   1', '', 'Cobranzas de clientes de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-20 17:09:00');
-- 04-0000005 Pagos a proveedores de abril 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 4, 5, 1, '2023-04-26 00:00:00', 'OP', '0001', '00000004', 'X', 45513616.18, '210101001', '210101001', 45513616.18, 'D', '   1', '', 'Pagos a proveedores de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-26 18:16:00'),
    (2023, 4, 5, 2, '2023-04-26 00:00:00', 'OP', '0001', '00000004', 'X', 45513616.18, '210101001', '110102001001', 45513616.18, 'H', '   1', '', 'Pagos a proveedores de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-26 18:16:00');
-- 04-0000006 Distribución de utilidades 2022 s/ Asamblea General Ordinaria
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 4, 6, 1, '2023-04-27 00:00:00', 'ASTO', '0001', '00000043', 'X', 15731553.54, NULL, '320201002', 15731553.54, 'D', '   1', '', 'Distribución de utilidades 2022 s/ Asamblea General Ordinaria', 0, 0, NULL, 0, '0001', '2023-04-27 19:23:00'),
    (2023, 4, 6, 2, '2023-04-27 00:00:00', 'ASTO', '0001', '00000043', 'X', 15731553.54, NULL, '320101001', 786577.68, 'H', '   1', '', 'Distribución de utilidades 2022 s/ Asamblea General Ordinaria', 0, 0, NULL, 0, '0001', '2023-04-27 19:23:00'),
    (2023, 4, 6, 3, '2023-04-27 00:00:00', 'ASTO', '0001', '00000043', 'X', 15731553.54, NULL, '210501001', 4719466.06, 'H', '   1', '', 'Distribución de utilidades 2022 s/ Asamblea General Ordinaria', 0, 0, NULL, 0, '0001', '2023-04-27 19:23:00'),
    (2023, 4, 6, 4, '2023-04-27 00:00:00', 'ASTO', '0001', '00000043', 'X', 15731553.54, NULL, '320201001', 10225509.80, 'H', '   1', '', 'Distribución de utilidades 2022 s/ Asamblea General Ordinaria', 0, 0, NULL, 0, '0001', '2023-04-27 19:23:00');
-- 04-0000007 Sueldos y cargas sociales de abril 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 4, 7, 1, '2023-04-30 00:00:00', 'ASTO', '0001', '00000044', 'X', 8781821.56, NULL, '530101001', 6969699.65, 'D', '   1', '', 'Sueldos y cargas sociales de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-30 17:30:00'),
    (2023, 4, 7, 2, '2023-04-30 00:00:00', 'ASTO', '0001', '00000044', 'X', 8781821.56, NULL, '530101002', 1812121.91, 'D', '   1', '', 'Sueldos y cargas sociales de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-30 17:30:00'),
    (2023, 4, 7, 3, '2023-04-30 00:00:00', 'ASTO', '0001', '00000044', 'X', 8781821.56, NULL, '110102002001', 8781821.56, 'H', '   1', '', 'Sueldos y cargas sociales de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-30 17:30:00');
-- 04-0000008 Liquidación de I.V.A. e Ingresos Brutos de abril 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 4, 8, 1, '2023-04-30 00:00:00', 'ASTO', '0001', '00000045', 'X', 14368817.97, NULL, '210301001', 12316129.69, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-30 18:37:00'),
    (2023, 4, 8, 2, '2023-04-30 00:00:00', 'ASTO', '0001', '00000045', 'X', 14368817.97, NULL, '520101002', 2052688.28, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-30 18:37:00'),
    (2023, 4, 8, 3, '2023-04-30 00:00:00', 'ASTO', '0001', '00000045', 'X', 14368817.97, NULL, '110401001', 8652897.67, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-30 18:37:00'),
    (2023, 4, 8, 4, '2023-04-30 00:00:00', 'ASTO', '0001', '00000045', 'X', 14368817.97, NULL, '110102001001', 5715920.30, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de abril 2023', 0, 0, NULL, 0, '0001', '2023-04-30 18:37:00');
-- 05-0000001 Compras de mercaderías y fletes de mayo 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 5, 1, 1, '2023-05-10 00:00:00', 'FCC', '0004', '00010235', 'A', 52486175.92, '210101001', '110501001', 42205779.70, 'D', '   1', '', 'Compras de mercaderías y fletes de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-10 19:44:00'),
    (2023, 5, 1, 2, '2023-05-10 00:00:00', 'FCC', '0004', '00010235', 'A', 52486175.92, '210101001', '520101001', 1171225.19, 'D', '   1', '', 'Compras de mercaderías y fletes de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-10 19:44:00'),
    (2023, 5, 1, 3, '2023-05-10 00:00:00', 'FCC', '0004', '00010235', 'A', 52486175.92, '210101001', '110401001', 9109171.03, 'D', '   1', '', 'Compras de mercaderías y fletes de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-10 19:44:00'),
    (2023, 5, 1, 4, '2023-05-10 00:00:00', 'FCC', '0004', '00010235', 'A', 52486175.92, '210101001', '210101001', 52486175.92, 'H', '   1', '', 'Compras de mercaderías y fletes de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-10 19:44:00');
-- 05-0000002 Pago saldo Impuesto a las Ganancias período 2022
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 5, 2, 1, '2023-05-15 00:00:00', 'ASTO', '0001', '00000046', 'X', 6742094.38, NULL, '210301004', 6742094.38, 'D', '   1', '', 'Pago saldo Impuesto a las Ganancias período 2022', 0, 0, NULL, 0, '0001', '2023-05-15 17:51:00'),
    (2023, 5, 2, 2, '2023-05-15 00:00:00', 'ASTO', '0001', '00000046', 'X', 6742094.38, NULL, '110102001001', 6742094.38, 'H', '   1', '', 'Pago saldo Impuesto a las Ganancias período 2022', 0, 0, NULL, 0, '0001', '2023-05-15 17:51:00');
-- 05-0000003 Ventas de mayo 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 5, 3, 1, '2023-05-18 00:00:00', 'FC', '0003', '00004516', 'A', 78732359.98, '110301001', '110301001', 78732359.98, 'D', '   1', '', 'Ventas de mayo 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-05-18 18:58:00'),
    (2023, 5, 3, 2, '2023-05-18 00:00:00', 'FC', '0003', '00004516', 'A', 78732359.98, '110301001', '410101001', 52326989.28, 'H', '   1', '', 'Ventas de mayo 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-05-18 18:58:00'),
    (2023, 5, 3, 3, '2023-05-18 00:00:00', 'FC', '0003', '00004516', 'A', 78732359.98, '110301001', '410101002', 12741076.82, 'H', '   1', '', 'Ventas de mayo 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-05-18 18:58:00'),
    (2023, 5, 3, 4, '2023-05-18 00:00:00', 'FC', '0003', '00004516', 'A', 78732359.98, '110301001', '210301001', 13664293.88, 'H', '   1', '', 'Ventas de mayo 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-05-18 18:58:00');
-- 05-0000004 Despacho de importación: mercadería en tránsito
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 5, 4, 1, '2023-05-19 00:00:00', 'ASTO', '0001', '00000047', 'X', 3501020.00, NULL, '110501002', 3501020.00, 'D', '   1', '', 'Despacho de importación: mercadería en tránsito', 0, 0, NULL, 0, '0001', '2023-05-19 19:05:00'),
    (2023, 5, 4, 2, '2023-05-19 00:00:00', 'ASTO', '0001', '00000047', 'X', 3501020.00, NULL, '110402001', 1931580.00, 'H', '   1', '', 'Despacho de importación: mercadería en tránsito', 0, 0, NULL, 0, '0001', '2023-05-19 19:05:00'),
    (2023, 5, 4, 3, '2023-05-19 00:00:00', 'ASTO', '0001', '00000047', 'X', 3501020.00, NULL, '110102001001', 1569440.00, 'H', '   1', '', 'Despacho de importación: mercadería en tránsito', 0, 0, NULL, 0, '0001', '2023-05-19 19:05:00');
-- 05-0000005 Cobranzas de clientes de mayo 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 5, 5, 1, '2023-05-20 00:00:00', 'RC', '0003', '00002205', 'X', 74294079.35, '110301001', '110102001001', 59435263.48, 'D', '   1', '', 'Cobranzas de clientes de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-20 17:12:00'),
    (2023, 5, 5, 2, '2023-05-20 00:00:00', 'RC', '0003', '00002205', 'X', 74294079.35, '110301001', '110102002001', 14858815.87, 'D', '   1', '', 'Cobranzas de clientes de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-20 17:12:00'),
    (2023, 5, 5, 3, '2023-05-20 00:00:00', 'RC', '0003', '00002205', 'X', 74294079.35, '110301001', '110301001', 74294079.35, 'H', '   1', '', 'Cobranzas de clientes de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-20 17:12:00');
-- 05-0000006 Pagos a proveedores de mayo 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 5, 6, 1, '2023-05-26 00:00:00', 'OP', '0001', '00000005', 'X', 50357621.95, '210101001', '210101001', 50357621.95, 'D', '   1', '', 'Pagos a proveedores de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-26 18:19:00'),
    (2023, 5, 6, 2, '2023-05-26 00:00:00', 'OP', '0001', '00000005', 'X', 50357621.95, '210101001', '110102001001', 50357621.95, 'H', '   1', '', 'Pagos a proveedores de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-26 18:19:00');
-- 05-0000007 Sueldos y cargas sociales de mayo 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 5, 7, 1, '2023-05-30 00:00:00', 'ASTO', '0001', '00000048', 'X', 9464410.86, NULL, '530101001', 7511437.19, 'D', '   1', '', 'Sueldos y cargas sociales de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-30 19:26:00'),
    (2023, 5, 7, 2, '2023-05-30 00:00:00', 'ASTO', '0001', '00000048', 'X', 9464410.86, NULL, '530101002', 1952973.67, 'D', '   1', '', 'Sueldos y cargas sociales de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-30 19:26:00'),
    (2023, 5, 7, 3, '2023-05-30 00:00:00', 'ASTO', '0001', '00000048', 'X', 9464410.86, NULL, '110102002001', 9464410.86, 'H', '   1', '', 'Sueldos y cargas sociales de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-30 19:26:00');
-- 05-0000008 Liquidación de I.V.A. e Ingresos Brutos de mayo 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 5, 8, 1, '2023-05-31 00:00:00', 'ASTO', '0001', '00000049', 'X', 15941676.19, NULL, '210301001', 13664293.88, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-31 17:33:00'),
    (2023, 5, 8, 2, '2023-05-31 00:00:00', 'ASTO', '0001', '00000049', 'X', 15941676.19, NULL, '520101002', 2277382.31, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-31 17:33:00'),
    (2023, 5, 8, 3, '2023-05-31 00:00:00', 'ASTO', '0001', '00000049', 'X', 15941676.19, NULL, '110401001', 9109171.03, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-31 17:33:00'),
    (2023, 5, 8, 4, '2023-05-31 00:00:00', 'ASTO', '0001', '00000049', 'X', 15941676.19, NULL, '110102001001', 6832505.16, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de mayo 2023', 0, 0, NULL, 0, '0001', '2023-05-31 17:33:00');
-- 05-0000009 Pago de dividendos en efectivo
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 5, 9, 1, '2023-05-31 00:00:00', 'ASTO', '0001', '00000050', 'X', 4719466.06, NULL, '210501001', 4719466.06, 'D', '   1', '', 'Pago de dividendos en efectivo', 0, 0, NULL, 0, '0001', '2023-05-31 18:40:00'),
    (2023, 5, 9, 2, '2023-05-31 00:00:00', 'ASTO', '0001', '00000050', 'X', 4719466.06, NULL, '110102001001', 4719466.06, 'H', '   1', '', 'Pago de dividendos en efectivo', 0, 0, NULL, 0, '0001', '2023-05-31 18:40:00');
-- 06-0000001 Compras de mercaderías y fletes de junio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 6, 1, 1, '2023-06-10 00:00:00', 'FCC', '0004', '00010236', 'A', 56880835.43, '210101001', '110501001', 45786390.87, 'D', '   1', '', 'Compras de mercaderías y fletes de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-10 19:47:00'),
    (2023, 6, 1, 2, '2023-06-10 00:00:00', 'FCC', '0004', '00010236', 'A', 56880835.43, '210101001', '520101001', 1222564.03, 'D', '   1', '', 'Compras de mercaderías y fletes de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-10 19:47:00'),
    (2023, 6, 1, 3, '2023-06-10 00:00:00', 'FCC', '0004', '00010236', 'A', 56880835.43, '210101001', '110401001', 9871880.53, 'D', '   1', '', 'Compras de mercaderías y fletes de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-10 19:47:00'),
    (2023, 6, 1, 4, '2023-06-10 00:00:00', 'FCC', '0004', '00010236', 'A', 56880835.43, '210101001', '210101001', 56880835.43, 'H', '   1', '', 'Compras de mercaderías y fletes de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-10 19:47:00');
-- 06-0000002 Ventas de junio 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 6, 2, 1, '2023-06-18 00:00:00', 'FC', '0003', '00004517', 'A', 82183471.23, '110301001', '110301001', 82183471.23, 'D', '   1', '', 'Ventas de junio 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-06-18 17:54:00'),
    (2023, 6, 2, 2, '2023-06-18 00:00:00', 'FC', '0003', '00004517', 'A', 82183471.23, '110301001', '410101001', 54620661.94, 'H', '   1', '', 'Ventas de junio 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-06-18 17:54:00'),
    (2023, 6, 2, 3, '2023-06-18 00:00:00', 'FC', '0003', '00004517', 'A', 82183471.23, '110301001', '410101002', 13299562.22, 'H', '   1', '', 'Ventas de junio 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-06-18 17:54:00'),
    (2023, 6, 2, 4, '2023-06-18 00:00:00', 'FC', '0003', '00004517', 'A', 82183471.23, '110301001', '210301001', 14263247.07, 'H', '   1', '', 'Ventas de junio 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-06-18 17:54:00');
-- 06-0000003 Cobranzas de clientes de junio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 6, 3, 1, '2023-06-20 00:00:00', 'RC', '0003', '00002206', 'X', 79739614.23, '110301001', '110102001001', 63791691.38, 'D', '   1', '', 'Cobranzas de clientes de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-20 18:01:00'),
    (2023, 6, 3, 2, '2023-06-20 00:00:00', 'RC', '0003', '00002206', 'X', 79739614.23, '110301001', '110102002001', 15947922.85, 'D', '   1', '', 'Cobranzas de clientes de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-20 18:01:00'),
    (2023, 6, 3, 3, '2023-06-20 00:00:00', 'RC', '0003', '00002206', 'X', 79739614.23, '110301001', '110301001', 79739614.23, 'H', '   1', '', 'Cobranzas de clientes de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-20 18:01:00');
-- 06-0000004 Factura proforma exportación cliente Valparaíso
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 6, 4, 1, '2023-06-24 00:00:00', 'FP', '0003', '00000002', 'X', 3180000.00, '110301001', '110301001', 3180000.00, 'D', '   1', '', 'Factura proforma exportación cliente Valparaíso', 0, 0, NULL, 0, '0001', '2023-06-24 19:08:00'),
    (2023, 6, 4, 2, '2023-06-24 00:00:00', 'FP', '0003', '00000002', 'X', 3180000.00, '110301001', '410101001', 3180000.00, 'H', '   1', '', 'Factura proforma exportación cliente Valparaíso', 0, 0, NULL, 0, '0001', '2023-06-24 19:08:00');
-- 06-0000005 Pagos a proveedores de junio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 6, 5, 1, '2023-06-26 00:00:00', 'OP', '0001', '00000006', 'X', 53631284.77, '210101001', '210101001', 53631284.77, 'D', '   1', '', 'Pagos a proveedores de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-26 17:15:00'),
    (2023, 6, 5, 2, '2023-06-26 00:00:00', 'OP', '0001', '00000006', 'X', 53631284.77, '210101001', '110102001001', 53631284.77, 'H', '   1', '', 'Pagos a proveedores de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-26 17:15:00');
-- 06-0000006 Servicios públicos y gastos bancarios del trimestre
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 6, 6, 1, '2023-06-27 00:00:00', 'ASTO', '0001', '00000051', 'X', 3032507.66, NULL, '530102001', 2557934.48, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-06-27 18:22:00'),
    (2023, 6, 6, 2, '2023-06-27 00:00:00', 'ASTO', '0001', '00000051', 'X', 3032507.66, NULL, '530102003', 474573.18, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-06-27 18:22:00'),
    (2023, 6, 6, 3, '2023-06-27 00:00:00', 'ASTO', '0001', '00000051', 'X', 3032507.66, NULL, '110102002001', 3032507.66, 'H', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-06-27 18:22:00');
-- 06-0000007 Sueldos y cargas sociales de junio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 6, 7, 1, '2023-06-30 00:00:00', 'ASTO', '0001', '00000052', 'X', 15041433.08, NULL, '530101001', 11937645.30, 'D', '   1', '', 'Sueldos y cargas sociales de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-30 19:29:00'),
    (2023, 6, 7, 2, '2023-06-30 00:00:00', 'ASTO', '0001', '00000052', 'X', 15041433.08, NULL, '530101002', 3103787.78, 'D', '   1', '', 'Sueldos y cargas sociales de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-30 19:29:00'),
    (2023, 6, 7, 3, '2023-06-30 00:00:00', 'ASTO', '0001', '00000052', 'X', 15041433.08, NULL, '110102002001', 15041433.08, 'H', '   1', '', 'Sueldos y cargas sociales de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-30 19:29:00');
-- 06-0000008 Liquidación de I.V.A. e Ingresos Brutos de junio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 6, 8, 1, '2023-06-30 00:00:00', 'ASTO', '0001', '00000053', 'X', 16640454.92, NULL, '210301001', 14263247.07, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-30 17:36:00'),
    (2023, 6, 8, 2, '2023-06-30 00:00:00', 'ASTO', '0001', '00000053', 'X', 16640454.92, NULL, '520101002', 2377207.85, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-30 17:36:00'),
    (2023, 6, 8, 3, '2023-06-30 00:00:00', 'ASTO', '0001', '00000053', 'X', 16640454.92, NULL, '110401001', 9871880.53, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-30 17:36:00'),
    (2023, 6, 8, 4, '2023-06-30 00:00:00', 'ASTO', '0001', '00000053', 'X', 16640454.92, NULL, '110102001001', 6768574.39, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de junio 2023', 0, 0, NULL, 0, '0001', '2023-06-30 17:36:00');
-- 06-0000009 Pago cuota préstamo B.N.A.
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 6, 9, 1, '2023-06-30 00:00:00', 'ASTO', '0001', '00000054', 'X', 1619803.77, NULL, '210401001', 625000.00, 'D', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2023-06-30 18:43:00'),
    (2023, 6, 9, 2, '2023-06-30 00:00:00', 'ASTO', '0001', '00000054', 'X', 1619803.77, NULL, '610201001', 994803.77, 'D', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2023-06-30 18:43:00'),
    (2023, 6, 9, 3, '2023-06-30 00:00:00', 'ASTO', '0001', '00000054', 'X', 1619803.77, NULL, '110102001001', 1619803.77, 'H', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2023-06-30 18:43:00');
-- 06-0000010 Renovación plazo fijo B.N.A. con intereses
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 6, 10, 1, '2023-06-30 00:00:00', 'ASTO', '0001', '00000055', 'X', 2630000.00, NULL, '110201001', 2630000.00, 'D', '   1', '', 'Renovación plazo fijo B.N.A. con intereses', 0, 0, NULL, 0, '0001', '2023-06-30 19:50:00'),
    (2023, 6, 10, 2, '2023-06-30 00:00:00', 'ASTO', '0001', '00000055', 'X', 2630000.00, NULL, '610101001', 2630000.00, 'H', '   1', '', 'Renovación plazo fijo B.N.A. con intereses', 0, 0, NULL, 0, '0001', '2023-06-30 19:50:00');
-- 07-0000001 Compras de mercaderías y fletes de julio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 7, 1, 1, '2023-07-10 00:00:00', 'FCC', '0004', '00010237', 'A', 59895772.80, '210101001', '110501001', 48178746.90, 'D', '   1', '', 'Compras de mercaderías y fletes de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-10 17:57:00'),
    (2023, 7, 1, 2, '2023-07-10 00:00:00', 'FCC', '0004', '00010237', 'A', 59895772.80, '210101001', '520101001', 1321891.78, 'D', '   1', '', 'Compras de mercaderías y fletes de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-10 17:57:00'),
    (2023, 7, 1, 3, '2023-07-10 00:00:00', 'FCC', '0004', '00010237', 'A', 59895772.80, '210101001', '110401001', 10395134.12, 'D', '   1', '', 'Compras de mercaderías y fletes de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-10 17:57:00'),
    (2023, 7, 1, 4, '2023-07-10 00:00:00', 'FCC', '0004', '00010237', 'A', 59895772.80, '210101001', '210101001', 59895772.80, 'H', '   1', '', 'Compras de mercaderías y fletes de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-10 17:57:00');
-- 07-0000002 Cobranza factura proforma exportación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 7, 2, 1, '2023-07-12 00:00:00', 'CBFP', '0003', '00000002', 'X', 3180000.00, '110301001', '110101001', 3180000.00, 'D', '   1', '', 'Cobranza factura proforma exportación', 0, 0, NULL, 0, '0001', '2023-07-12 18:04:00'),
    (2023, 7, 2, 2, '2023-07-12 00:00:00', 'CBFP', '0003', '00000002', 'X', 3180000.00, '110301001', '110301001', 3180000.00, 'H', '   1', '', 'Cobranza factura proforma exportación', 0, 0, NULL, 0, '0001', '2023-07-12 18:04:00');
-- 07-0000003 Nacionalización de mercadería importada
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 7, 3, 1, '2023-07-14 00:00:00', 'ASTO', '0001', '00000056', 'X', 4470000.00, NULL, '110501001', 4470000.00, 'D', '   1', '', 'Nacionalización de mercadería importada', 0, 0, NULL, 0, '0001', '2023-07-14 19:11:00'),
    (2023, 7, 3, 2, '2023-07-14 00:00:00', 'ASTO', '0001', '00000056', 'X', 4470000.00, NULL, '110501002', 4470000.00, 'H', '   1', '', 'Nacionalización de mercadería importada', 0, 0, NULL, 0, '0001', '2023-07-14 19:11:00');
-- 07-0000004 Ventas de julio 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 7, 4, 1, '2023-07-18 00:00:00', 'FC', '0003', '00004518', 'A', 88860502.84, '110301001', '110301001', 88860502.84, 'D', '   1', '', 'Ventas de julio 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-07-18 17:18:00'),
    (2023, 7, 4, 2, '2023-07-18 00:00:00', 'FC', '0003', '00004518', 'A', 88860502.84, '110301001', '410101001', 59058341.21, 'H', '   1', '', 'Ventas de julio 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-07-18 17:18:00'),
    (2023, 7, 4, 3, '2023-07-18 00:00:00', 'FC', '0003', '00004518', 'A', 88860502.84, '110301001', '410101002', 14380090.89, 'H', '   1', '', 'Ventas de julio 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-07-18 17:18:00'),
    (2023, 7, 4, 4, '2023-07-18 00:00:00', 'FC', '0003', '00004518', 'A', 88860502.84, '110301001', '210301001', 15422070.74, 'H', '   1', '', 'Ventas de julio 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-07-18 17:18:00');
-- 07-0000005 Cobranzas de clientes de julio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 7, 5, 1, '2023-07-20 00:00:00', 'RC', '0003', '00002207', 'X', 84833692.95, '110301001', '110102001001', 67866954.36, 'D', '   1', '', 'Cobranzas de clientes de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-20 18:25:00'),
    (2023, 7, 5, 2, '2023-07-20 00:00:00', 'RC', '0003', '00002207', 'X', 84833692.95, '110301001', '110102002001', 16966738.59, 'D', '   1', '', 'Cobranzas de clientes de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-20 18:25:00'),
    (2023, 7, 5, 3, '2023-07-20 00:00:00', 'RC', '0003', '00002207', 'X', 84833692.95, '110301001', '110301001', 84833692.95, 'H', '   1', '', 'Cobranzas de clientes de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-20 18:25:00');
-- 07-0000006 Pagos a proveedores de julio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 7, 6, 1, '2023-07-26 00:00:00', 'OP', '0001', '00000007', 'X', 57457703.28, '210101001', '210101001', 57457703.28, 'D', '   1', '', 'Pagos a proveedores de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-26 19:32:00'),
    (2023, 7, 6, 2, '2023-07-26 00:00:00', 'OP', '0001', '00000007', 'X', 57457703.28, '210101001', '110102001001', 57457703.28, 'H', '   1', '', 'Pagos a proveedores de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-26 19:32:00');
-- 07-0000007 Sueldos y cargas sociales de julio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 7, 7, 1, '2023-07-30 00:00:00', 'ASTO', '0001', '00000057', 'X', 10663859.71, NULL, '530101001', 8463380.72, 'D', '   1', '', 'Sueldos y cargas sociales de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-30 17:39:00'),
    (2023, 7, 7, 2, '2023-07-30 00:00:00', 'ASTO', '0001', '00000057', 'X', 10663859.71, NULL, '530101002', 2200478.99, 'D', '   1', '', 'Sueldos y cargas sociales de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-30 17:39:00'),
    (2023, 7, 7, 3, '2023-07-30 00:00:00', 'ASTO', '0001', '00000057', 'X', 10663859.71, NULL, '110102002001', 10663859.71, 'H', '   1', '', 'Sueldos y cargas sociales de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-30 17:39:00');
-- 07-0000008 Liquidación de I.V.A. e Ingresos Brutos de julio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 7, 8, 1, '2023-07-31 00:00:00', 'ASTO', '0001', '00000058', 'X', 17992415.86, NULL, '210301001', 15422070.74, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-31 18:46:00'),
    (2023, 7, 8, 2, '2023-07-31 00:00:00', 'ASTO', '0001', '00000058', 'X', 17992415.86, NULL, '520101002', 2570345.12, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-31 18:46:00'),
    (2023, 7, 8, 3, '2023-07-31 00:00:00', 'ASTO', '0001', '00000058', 'X', 17992415.86, NULL, '110401001', 10395134.12, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-31 18:46:00'),
    (2023, 7, 8, 4, '2023-07-31 00:00:00', 'ASTO', '0001', '00000058', 'X', 17992415.86, NULL, '110102001001', 7597281.74, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de julio 2023', 0, 0, NULL, 0, '0001', '2023-07-31 18:46:00');
-- 08-0000001 Compras de mercaderías y fletes de agosto 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 8, 1, 1, '2023-08-10 00:00:00', 'FCC', '0004', '00010238', 'A', 65722804.45, '210101001', '110501001', 52835268.68, 'D', '   1', '', 'Compras de mercaderías y fletes de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-10 19:53:00'),
    (2023, 8, 1, 2, '2023-08-10 00:00:00', 'FCC', '0004', '00010238', 'A', 65722804.45, '210101001', '520101001', 1481098.63, 'D', '   1', '', 'Compras de mercaderías y fletes de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-10 19:53:00'),
    (2023, 8, 1, 3, '2023-08-10 00:00:00', 'FCC', '0004', '00010238', 'A', 65722804.45, '210101001', '110401001', 11406437.14, 'D', '   1', '', 'Compras de mercaderías y fletes de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-10 19:53:00'),
    (2023, 8, 1, 4, '2023-08-10 00:00:00', 'FCC', '0004', '00010238', 'A', 65722804.45, '210101001', '210101001', 65722804.45, 'H', '   1', '', 'Compras de mercaderías y fletes de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-10 19:53:00');
-- 08-0000002 Campaña publicitaria de primavera
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 8, 2, 1, '2023-08-11 00:00:00', 'ASTO', '0001', '00000059', 'X', 2843500.00, NULL, '520101003', 2350000.00, 'D', '   1', '', 'Campaña publicitaria de primavera', 0, 0, NULL, 0, '0001', '2023-08-11 17:00:00'),
    (2023, 8, 2, 2, '2023-08-11 00:00:00', 'ASTO', '0001', '00000059', 'X', 2843500.00, NULL, '110401001', 493500.00, 'D', '   1', '', 'Campaña publicitaria de primavera', 0, 0, NULL, 0, '0001', '2023-08-11 17:00:00'),
    (2023, 8, 2, 3, '2023-08-11 00:00:00', 'ASTO', '0001', '00000059', 'X', 2843500.00, NULL, '110102002001', 2843500.00, 'H', '   1', '', 'Campaña publicitaria de primavera', 0, 0, NULL, 0, '0001', '2023-08-11 17:00:00');
-- 08-0000003 Ventas de agosto 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 8, 3, 1, '2023-08-18 00:00:00', 'FC', '0003', '00004519', 'A', 99562741.44, '110301001', '110301001', 99562741.44, 'D', '   1', '', 'Ventas de agosto 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-08-18 18:07:00'),
    (2023, 8, 3, 2, '2023-08-18 00:00:00', 'FC', '0003', '00004519', 'A', 99562741.44, '110301001', '410101001', 66171247.83, 'H', '   1', '', 'Ventas de agosto 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-08-18 18:07:00'),
    (2023, 8, 3, 3, '2023-08-18 00:00:00', 'FC', '0003', '00004519', 'A', 99562741.44, '110301001', '410101002', 16112009.56, 'H', '   1', '', 'Ventas de agosto 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-08-18 18:07:00'),
    (2023, 8, 3, 4, '2023-08-18 00:00:00', 'FC', '0003', '00004519', 'A', 99562741.44, '110301001', '210301001', 17279484.05, 'H', '   1', '', 'Ventas de agosto 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-08-18 18:07:00');
-- 08-0000004 Cobranzas de clientes de agosto 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 8, 4, 1, '2023-08-20 00:00:00', 'RC', '0003', '00002208', 'X', 93537061.88, '110301001', '110102001001', 74829649.50, 'D', '   1', '', 'Cobranzas de clientes de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-20 19:14:00'),
    (2023, 8, 4, 2, '2023-08-20 00:00:00', 'RC', '0003', '00002208', 'X', 93537061.88, '110301001', '110102002001', 18707412.38, 'D', '   1', '', 'Cobranzas de clientes de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-20 19:14:00'),
    (2023, 8, 4, 3, '2023-08-20 00:00:00', 'RC', '0003', '00002208', 'X', 93537061.88, '110301001', '110301001', 93537061.88, 'H', '   1', '', 'Cobranzas de clientes de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-20 19:14:00');
-- 08-0000005 Pagos a proveedores de agosto 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 8, 5, 1, '2023-08-26 00:00:00', 'OP', '0001', '00000008', 'X', 61511087.10, '210101001', '210101001', 61511087.10, 'D', '   1', '', 'Pagos a proveedores de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-26 17:21:00'),
    (2023, 8, 5, 2, '2023-08-26 00:00:00', 'OP', '0001', '00000008', 'X', 61511087.10, '210101001', '110102001001', 61511087.10, 'H', '   1', '', 'Pagos a proveedores de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-26 17:21:00');
-- 08-0000006 Sueldos y cargas sociales de agosto 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 8, 6, 1, '2023-08-30 00:00:00', 'ASTO', '0001', '00000060', 'X', 11990618.50, NULL, '530101001', 9516363.89, 'D', '   1', '', 'Sueldos y cargas sociales de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-30 18:28:00'),
    (2023, 8, 6, 2, '2023-08-30 00:00:00', 'ASTO', '0001', '00000060', 'X', 11990618.50, NULL, '530101002', 2474254.61, 'D', '   1', '', 'Sueldos y cargas sociales de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-30 18:28:00'),
    (2023, 8, 6, 3, '2023-08-30 00:00:00', 'ASTO', '0001', '00000060', 'X', 11990618.50, NULL, '110102002001', 11990618.50, 'H', '   1', '', 'Sueldos y cargas sociales de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-30 18:28:00');
-- 08-0000007 Liquidación de I.V.A. e Ingresos Brutos de agosto 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 8, 7, 1, '2023-08-31 00:00:00', 'ASTO', '0001', '00000061', 'X', 20159398.06, NULL, '210301001', 17279484.05, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-31 19:35:00'),
    (2023, 8, 7, 2, '2023-08-31 00:00:00', 'ASTO', '0001', '00000061', 'X', 20159398.06, NULL, '520101002', 2879914.01, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-31 19:35:00'),
    (2023, 8, 7, 3, '2023-08-31 00:00:00', 'ASTO', '0001', '00000061', 'X', 20159398.06, NULL, '110401001', 11406437.14, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-31 19:35:00'),
    (2023, 8, 7, 4, '2023-08-31 00:00:00', 'ASTO', '0001', '00000061', 'X', 20159398.06, NULL, '110102001001', 8752960.92, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de agosto 2023', 0, 0, NULL, 0, '0001', '2023-08-31 19:35:00');
-- 09-0000001 Compras de mercaderías y fletes de septiembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 9, 1, 1, '2023-09-10 00:00:00', 'FCC', '0004', '00010239', 'A', 76479910.62, '210101001', '110501001', 61561518.98, 'D', '   1', '', 'Compras de mercaderías y fletes de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-10 17:42:00'),
    (2023, 9, 1, 2, '2023-09-10 00:00:00', 'FCC', '0004', '00010239', 'A', 76479910.62, '210101001', '520101001', 1645018.72, 'D', '   1', '', 'Compras de mercaderías y fletes de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-10 17:42:00'),
    (2023, 9, 1, 3, '2023-09-10 00:00:00', 'FCC', '0004', '00010239', 'A', 76479910.62, '210101001', '110401001', 13273372.92, 'D', '   1', '', 'Compras de mercaderías y fletes de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-10 17:42:00'),
    (2023, 9, 1, 4, '2023-09-10 00:00:00', 'FCC', '0004', '00010239', 'A', 76479910.62, '210101001', '210101001', 76479910.62, 'H', '   1', '', 'Compras de mercaderías y fletes de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-10 17:42:00');
-- 09-0000002 Certificado de obra Nº 5 - Nuevo depósito
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 9, 2, 1, '2023-09-15 00:00:00', 'ASTO', '0001', '00000062', 'X', 17569500.00, NULL, '120104001', 15900000.00, 'D', '   1', '', 'Certificado de obra Nº 5 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2023-09-15 18:49:00'),
    (2023, 9, 2, 2, '2023-09-15 00:00:00', 'ASTO', '0001', '00000062', 'X', 17569500.00, NULL, '110401001', 1669500.00, 'D', '   1', '', 'Certificado de obra Nº 5 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2023-09-15 18:49:00'),
    (2023, 9, 2, 3, '2023-09-15 00:00:00', 'ASTO', '0001', '00000062', 'X', 17569500.00, NULL, '210101001', 17569500.00, 'H', '   1', '', 'Certificado de obra Nº 5 - Nuevo depósito', 0, 0, NULL, 0, '0001', '2023-09-15 18:49:00');
-- 09-0000003 Ventas de septiembre 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 9, 3, 1, '2023-09-18 00:00:00', 'FC', '0003', '00004520', 'A', 110581813.69, '110301001', '110301001', 110581813.69, 'D', '   1', '', 'Ventas de septiembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-09-18 19:56:00'),
    (2023, 9, 3, 2, '2023-09-18 00:00:00', 'FC', '0003', '00004520', 'A', 110581813.69, '110301001', '410101001', 73494727.98, 'H', '   1', '', 'Ventas de septiembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-09-18 19:56:00'),
    (2023, 9, 3, 3, '2023-09-18 00:00:00', 'FC', '0003', '00004520', 'A', 110581813.69, '110301001', '410101002', 17895200.69, 'H', '   1', '', 'Ventas de septiembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-09-18 19:56:00'),
    (2023, 9, 3, 4, '2023-09-18 00:00:00', 'FC', '0003', '00004520', 'A', 110581813.69, '110301001', '210301001', 19191885.02, 'H', '   1', '', 'Ventas de septiembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-09-18 19:56:00');
-- 09-0000004 Cobranzas de clientes de septiembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 9, 4, 1, '2023-09-20 00:00:00', 'RC', '0003', '00002209', 'X', 104297031.60, '110301001', '110102001001', 83437625.28, 'D', '   1', '', 'Cobranzas de clientes de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-20 17:03:00'),
    (2023, 9, 4, 2, '2023-09-20 00:00:00', 'RC', '0003', '00002209', 'X', 104297031.60, '110301001', '110102002001', 20859406.32, 'D', '   1', '', 'Cobranzas de clientes de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-20 17:03:00'),
    (2023, 9, 4, 3, '2023-09-20 00:00:00', 'RC', '0003', '00002209', 'X', 104297031.60, '110301001', '110301001', 104297031.60, 'H', '   1', '', 'Cobranzas de clientes de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-20 17:03:00');
-- 09-0000005 Factura proforma exportación cliente Valparaíso
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 9, 5, 1, '2023-09-24 00:00:00', 'FP', '0003', '00000003', 'X', 4950000.00, '110301001', '110301001', 4950000.00, 'D', '   1', '', 'Factura proforma exportación cliente Valparaíso', 0, 0, NULL, 0, '0001', '2023-09-24 18:10:00'),
    (2023, 9, 5, 2, '2023-09-24 00:00:00', 'FP', '0003', '00000003', 'X', 4950000.00, '110301001', '410101001', 4950000.00, 'H', '   1', '', 'Factura proforma exportación cliente Valparaíso', 0, 0, NULL, 0, '0001', '2023-09-24 18:10:00');
-- 09-0000006 Pagos a proveedores de septiembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 9, 6, 1, '2023-09-26 00:00:00', 'OP', '0001', '00000009', 'X', 69153276.75, '210101001', '210101001', 69153276.75, 'D', '   1', '', 'Pagos a proveedores de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-26 19:17:00'),
    (2023, 9, 6, 2, '2023-09-26 00:00:00', 'OP', '0001', '00000009', 'X', 69153276.75, '210101001', '110102001001', 69153276.75, 'H', '   1', '', 'Pagos a proveedores de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-26 19:17:00');
-- 09-0000007 Servicios públicos y gastos bancarios del trimestre
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 9, 7, 1, '2023-09-27 00:00:00', 'ASTO', '0001', '00000063', 'X', 3888021.86, NULL, '530102001', 3284179.06, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-09-27 17:24:00'),
    (2023, 9, 7, 2, '2023-09-27 00:00:00', 'ASTO', '0001', '00000063', 'X', 3888021.86, NULL, '530102003', 603842.80, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-09-27 17:24:00'),
    (2023, 9, 7, 3, '2023-09-27 00:00:00', 'ASTO', '0001', '00000063', 'X', 3888021.86, NULL, '110102002001', 3888021.86, 'H', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-09-27 17:24:00');
-- 09-0000008 Sueldos y cargas sociales de septiembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 9, 8, 1, '2023-09-30 00:00:00', 'ASTO', '0001', '00000064', 'X', 13519392.40, NULL, '530101001', 10729676.51, 'D', '   1', '', 'Sueldos y cargas sociales de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-30 18:31:00'),
    (2023, 9, 8, 2, '2023-09-30 00:00:00', 'ASTO', '0001', '00000064', 'X', 13519392.40, NULL, '530101002', 2789715.89, 'D', '   1', '', 'Sueldos y cargas sociales de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-30 18:31:00'),
    (2023, 9, 8, 3, '2023-09-30 00:00:00', 'ASTO', '0001', '00000064', 'X', 13519392.40, NULL, '110102002001', 13519392.40, 'H', '   1', '', 'Sueldos y cargas sociales de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-30 18:31:00');
-- 09-0000009 Liquidación de I.V.A. e Ingresos Brutos de septiembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 9, 9, 1, '2023-09-30 00:00:00', 'ASTO', '0001', '00000065', 'X', 22390532.52, NULL, '210301001', 19191885.02, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-30 19:38:00'),
    (2023, 9, 9, 2, '2023-09-30 00:00:00', 'ASTO', '0001', '00000065', 'X', 22390532.52, NULL, '520101002', 3198647.50, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-30 19:38:00'),
    (2023, 9, 9, 3, '2023-09-30 00:00:00', 'ASTO', '0001', '00000065', 'X', 22390532.52, NULL, '110401001', 13273372.92, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-30 19:38:00'),
    (2023, 9, 9, 4, '2023-09-30 00:00:00', 'ASTO', '0001', '00000065', 'X', 22390532.52, NULL, '110102001001', 9117159.60, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de septiembre 2023', 0, 0, NULL, 0, '0001', '2023-09-30 19:38:00');
-- 10-0000001 Compras de mercaderías y fletes de octubre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 10, 1, 1, '2023-10-10 00:00:00', 'FCC', '0004', '00010240', 'A', 85510326.51, '210101001', '110501001', 68863227.23, 'D', '   1', '', 'Compras de mercaderías y fletes de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-10 17:45:00'),
    (2023, 10, 1, 2, '2023-10-10 00:00:00', 'FCC', '0004', '00010240', 'A', 85510326.51, '210101001', '520101001', 1806464.10, 'D', '   1', '', 'Compras de mercaderías y fletes de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-10 17:45:00'),
    (2023, 10, 1, 3, '2023-10-10 00:00:00', 'FCC', '0004', '00010240', 'A', 85510326.51, '210101001', '110401001', 14840635.18, 'D', '   1', '', 'Compras de mercaderías y fletes de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-10 17:45:00'),
    (2023, 10, 1, 4, '2023-10-10 00:00:00', 'FCC', '0004', '00010240', 'A', 85510326.51, '210101001', '210101001', 85510326.51, 'H', '   1', '', 'Compras de mercaderías y fletes de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-10 17:45:00');
-- 10-0000002 Cobranza factura proforma exportación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 10, 2, 1, '2023-10-12 00:00:00', 'CBFP', '0003', '00000003', 'X', 4950000.00, '110301001', '110101001', 4950000.00, 'D', '   1', '', 'Cobranza factura proforma exportación', 0, 0, NULL, 0, '0001', '2023-10-12 18:52:00'),
    (2023, 10, 2, 2, '2023-10-12 00:00:00', 'CBFP', '0003', '00000003', 'X', 4950000.00, '110301001', '110301001', 4950000.00, 'H', '   1', '', 'Cobranza factura proforma exportación', 0, 0, NULL, 0, '0001', '2023-10-12 18:52:00');
-- 10-0000003 Ventas de octubre 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 10, 3, 1, '2023-10-18 00:00:00', 'FC', '0003', '00004521', 'A', 121434530.98, '110301001', '110301001', 121434530.98, 'D', '   1', '', 'Ventas de octubre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-10-18 19:59:00'),
    (2023, 10, 3, 2, '2023-10-18 00:00:00', 'FC', '0003', '00004521', 'A', 121434530.98, '110301001', '410101001', 80707645.53, 'H', '   1', '', 'Ventas de octubre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-10-18 19:59:00'),
    (2023, 10, 3, 3, '2023-10-18 00:00:00', 'FC', '0003', '00004521', 'A', 121434530.98, '110301001', '410101002', 19651470.98, 'H', '   1', '', 'Ventas de octubre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-10-18 19:59:00'),
    (2023, 10, 3, 4, '2023-10-18 00:00:00', 'FC', '0003', '00004521', 'A', 121434530.98, '110301001', '210301001', 21075414.47, 'H', '   1', '', 'Ventas de octubre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-10-18 19:59:00');
-- 10-0000004 Cobranzas de clientes de octubre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 10, 4, 1, '2023-10-20 00:00:00', 'RC', '0003', '00002210', 'X', 115119408.54, '110301001', '110102001001', 92095526.83, 'D', '   1', '', 'Cobranzas de clientes de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-20 17:06:00'),
    (2023, 10, 4, 2, '2023-10-20 00:00:00', 'RC', '0003', '00002210', 'X', 115119408.54, '110301001', '110102002001', 23023881.71, 'D', '   1', '', 'Cobranzas de clientes de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-20 17:06:00'),
    (2023, 10, 4, 3, '2023-10-20 00:00:00', 'RC', '0003', '00002210', 'X', 115119408.54, '110301001', '110301001', 115119408.54, 'H', '   1', '', 'Cobranzas de clientes de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-20 17:06:00');
-- 10-0000005 Pagos a proveedores de octubre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 10, 5, 1, '2023-10-26 00:00:00', 'OP', '0001', '00000010', 'X', 79146669.55, '210101001', '210101001', 79146669.55, 'D', '   1', '', 'Pagos a proveedores de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-26 18:13:00'),
    (2023, 10, 5, 2, '2023-10-26 00:00:00', 'OP', '0001', '00000010', 'X', 79146669.55, '210101001', '110102001001', 79146669.55, 'H', '   1', '', 'Pagos a proveedores de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-26 18:13:00');
-- 10-0000006 Sueldos y cargas sociales de octubre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 10, 6, 1, '2023-10-30 00:00:00', 'ASTO', '0001', '00000066', 'X', 14641737.13, NULL, '530101001', 11620426.29, 'D', '   1', '', 'Sueldos y cargas sociales de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-30 19:20:00'),
    (2023, 10, 6, 2, '2023-10-30 00:00:00', 'ASTO', '0001', '00000066', 'X', 14641737.13, NULL, '530101002', 3021310.84, 'D', '   1', '', 'Sueldos y cargas sociales de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-30 19:20:00'),
    (2023, 10, 6, 3, '2023-10-30 00:00:00', 'ASTO', '0001', '00000066', 'X', 14641737.13, NULL, '110102002001', 14641737.13, 'H', '   1', '', 'Sueldos y cargas sociales de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-30 19:20:00');
-- 10-0000007 Liquidación de I.V.A. e Ingresos Brutos de octubre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 10, 7, 1, '2023-10-31 00:00:00', 'ASTO', '0001', '00000067', 'X', 24587983.55, NULL, '210301001', 21075414.47, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-31 17:27:00'),
    (2023, 10, 7, 2, '2023-10-31 00:00:00', 'ASTO', '0001', '00000067', 'X', 24587983.55, NULL, '520101002', 3512569.08, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-31 17:27:00'),
    (2023, 10, 7, 3, '2023-10-31 00:00:00', 'ASTO', '0001', '00000067', 'X', 24587983.55, NULL, '110401001', 14840635.18, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-31 17:27:00'),
    (2023, 10, 7, 4, '2023-10-31 00:00:00', 'ASTO', '0001', '00000067', 'X', 24587983.55, NULL, '110102001001', 9747348.37, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de octubre 2023', 0, 0, NULL, 0, '0001', '2023-10-31 17:27:00');
-- 11-0000001 Compras de mercaderías y fletes de noviembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 11, 1, 1, '2023-11-10 00:00:00', 'FCC', '0004', '00010241', 'A', 101568143.04, '210101001', '110501001', 81843938.53, 'D', '   1', '', 'Compras de mercaderías y fletes de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-10 18:34:00'),
    (2023, 11, 1, 2, '2023-11-10 00:00:00', 'FCC', '0004', '00010241', 'A', 101568143.04, '210101001', '520101001', 2096675.55, 'D', '   1', '', 'Compras de mercaderías y fletes de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-10 18:34:00'),
    (2023, 11, 1, 3, '2023-11-10 00:00:00', 'FCC', '0004', '00010241', 'A', 101568143.04, '210101001', '110401001', 17627528.96, 'D', '   1', '', 'Compras de mercaderías y fletes de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-10 18:34:00'),
    (2023, 11, 1, 4, '2023-11-10 00:00:00', 'FCC', '0004', '00010241', 'A', 101568143.04, '210101001', '210101001', 101568143.04, 'H', '   1', '', 'Compras de mercaderías y fletes de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-10 18:34:00');
-- 11-0000002 Ventas de noviembre 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 11, 2, 1, '2023-11-18 00:00:00', 'FC', '0003', '00004522', 'A', 140943189.96, '110301001', '110301001', 140943189.96, 'D', '   1', '', 'Ventas de noviembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-11-18 19:41:00'),
    (2023, 11, 2, 2, '2023-11-18 00:00:00', 'FC', '0003', '00004522', 'A', 140943189.96, '110301001', '410101001', 93673462.75, 'H', '   1', '', 'Ventas de noviembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-11-18 19:41:00'),
    (2023, 11, 2, 3, '2023-11-18 00:00:00', 'FC', '0003', '00004522', 'A', 140943189.96, '110301001', '410101002', 22808512.42, 'H', '   1', '', 'Ventas de noviembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-11-18 19:41:00'),
    (2023, 11, 2, 4, '2023-11-18 00:00:00', 'FC', '0003', '00004522', 'A', 140943189.96, '110301001', '210301001', 24461214.79, 'H', '   1', '', 'Ventas de noviembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-11-18 19:41:00');
-- 11-0000003 Cobranzas de clientes de noviembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 11, 3, 1, '2023-11-20 00:00:00', 'RC', '0003', '00002211', 'X', 130364688.34, '110301001', '110102001001', 104291750.67, 'D', '   1', '', 'Cobranzas de clientes de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-20 17:48:00'),
    (2023, 11, 3, 2, '2023-11-20 00:00:00', 'RC', '0003', '00002211', 'X', 130364688.34, '110301001', '110102002001', 26072937.67, 'D', '   1', '', 'Cobranzas de clientes de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-20 17:48:00'),
    (2023, 11, 3, 3, '2023-11-20 00:00:00', 'RC', '0003', '00002211', 'X', 130364688.34, '110301001', '110301001', 130364688.34, 'H', '   1', '', 'Cobranzas de clientes de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-20 17:48:00');
-- 11-0000004 Pagos a proveedores de noviembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 11, 4, 1, '2023-11-26 00:00:00', 'OP', '0001', '00000011', 'X', 90757193.53, '210101001', '210101001', 90757193.53, 'D', '   1', '', 'Pagos a proveedores de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-26 18:55:00'),
    (2023, 11, 4, 2, '2023-11-26 00:00:00', 'OP', '0001', '00000011', 'X', 90757193.53, '210101001', '110102001001', 90757193.53, 'H', '   1', '', 'Pagos a proveedores de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-26 18:55:00');
-- 11-0000005 Sueldos y cargas sociales de noviembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 11, 5, 1, '2023-11-30 00:00:00', 'ASTO', '0001', '00000068', 'X', 16517444.71, NULL, '530101001', 13109083.10, 'D', '   1', '', 'Sueldos y cargas sociales de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-30 19:02:00'),
    (2023, 11, 5, 2, '2023-11-30 00:00:00', 'ASTO', '0001', '00000068', 'X', 16517444.71, NULL, '530101002', 3408361.61, 'D', '   1', '', 'Sueldos y cargas sociales de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-30 19:02:00'),
    (2023, 11, 5, 3, '2023-11-30 00:00:00', 'ASTO', '0001', '00000068', 'X', 16517444.71, NULL, '110102002001', 16517444.71, 'H', '   1', '', 'Sueldos y cargas sociales de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-30 19:02:00');
-- 11-0000006 Liquidación de I.V.A. e Ingresos Brutos de noviembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 11, 6, 1, '2023-11-30 00:00:00', 'ASTO', '0001', '00000069', 'X', 28538083.92, NULL, '210301001', 24461214.79, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-30 17:09:00'),
    (2023, 11, 6, 2, '2023-11-30 00:00:00', 'ASTO', '0001', '00000069', 'X', 28538083.92, NULL, '520101002', 4076869.13, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-30 17:09:00'),
    (2023, 11, 6, 3, '2023-11-30 00:00:00', 'ASTO', '0001', '00000069', 'X', 28538083.92, NULL, '110401001', 17627528.96, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-30 17:09:00'),
    (2023, 11, 6, 4, '2023-11-30 00:00:00', 'ASTO', '0001', '00000069', 'X', 28538083.92, NULL, '110102001001', 10910554.96, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de noviembre 2023', 0, 0, NULL, 0, '0001', '2023-11-30 17:09:00');
-- 12-0000001 Compras de mercaderías y fletes de diciembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 1, 1, '2023-12-10 00:00:00', 'FCC', '0004', '00010242', 'A', 107161124.98, '210101001', '110501001', 85710973.82, 'D', '   1', '', 'Compras de mercaderías y fletes de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-10 18:16:00'),
    (2023, 12, 1, 2, '2023-12-10 00:00:00', 'FCC', '0004', '00010242', 'A', 107161124.98, '210101001', '520101001', 2851939.39, 'D', '   1', '', 'Compras de mercaderías y fletes de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-10 18:16:00'),
    (2023, 12, 1, 3, '2023-12-10 00:00:00', 'FCC', '0004', '00010242', 'A', 107161124.98, '210101001', '110401001', 18598211.77, 'D', '   1', '', 'Compras de mercaderías y fletes de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-10 18:16:00'),
    (2023, 12, 1, 4, '2023-12-10 00:00:00', 'FCC', '0004', '00010242', 'A', 107161124.98, '210101001', '210101001', 107161124.98, 'H', '   1', '', 'Compras de mercaderías y fletes de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-10 18:16:00');
-- 12-0000002 Ventas de diciembre 2023 s/ resumen de facturación
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 2, 1, '2023-12-18 00:00:00', 'FC', '0003', '00004523', 'A', 191713703.18, '110301001', '110301001', 191713703.18, 'D', '   1', '', 'Ventas de diciembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-12-18 19:23:00'),
    (2023, 12, 2, 2, '2023-12-18 00:00:00', 'FC', '0003', '00004523', 'A', 191713703.18, '110301001', '410101001', 125936895.47, 'H', '   1', '', 'Ventas de diciembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-12-18 19:23:00'),
    (2023, 12, 2, 3, '2023-12-18 00:00:00', 'FC', '0003', '00004523', 'A', 191713703.18, '110301001', '410101002', 32504181.54, 'H', '   1', '', 'Ventas de diciembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-12-18 19:23:00'),
    (2023, 12, 2, 4, '2023-12-18 00:00:00', 'FC', '0003', '00004523', 'A', 191713703.18, '110301001', '210301001', 33272626.17, 'H', '   1', '', 'Ventas de diciembre 2023 s/ resumen de facturación', 0, 0, NULL, 0, '0001', '2023-12-18 19:23:00');
-- 12-0000003 Cobranzas de clientes de diciembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 3, 1, '2023-12-20 00:00:00', 'RC', '0003', '00002212', 'X', 165934424.93, '110301001', '110102001001', 132747539.94, 'D', '   1', '', 'Cobranzas de clientes de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-20 17:30:00'),
    (2023, 12, 3, 2, '2023-12-20 00:00:00', 'RC', '0003', '00002212', 'X', 165934424.93, '110301001', '110102002001', 33186884.99, 'D', '   1', '', 'Cobranzas de clientes de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-20 17:30:00'),
    (2023, 12, 3, 3, '2023-12-20 00:00:00', 'RC', '0003', '00002212', 'X', 165934424.93, '110301001', '110301001', 165934424.93, 'H', '   1', '', 'Cobranzas de clientes de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-20 17:30:00');
-- 12-0000004 Pagos a proveedores de diciembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 4, 1, '2023-12-26 00:00:00', 'OP', '0001', '00000012', 'X', 102677794.75, '210101001', '210101001', 102677794.75, 'D', '   1', '', 'Pagos a proveedores de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-26 18:37:00'),
    (2023, 12, 4, 2, '2023-12-26 00:00:00', 'OP', '0001', '00000012', 'X', 102677794.75, '210101001', '110102001001', 102677794.75, 'H', '   1', '', 'Pagos a proveedores de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-26 18:37:00');
-- 12-0000005 Servicios públicos y gastos bancarios del trimestre
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 5, 1, '2023-12-27 00:00:00', 'ASTO', '0001', '00000070', 'X', 5598330.79, NULL, '530102001', 4729910.01, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-12-27 19:44:00'),
    (2023, 12, 5, 2, '2023-12-27 00:00:00', 'ASTO', '0001', '00000070', 'X', 5598330.79, NULL, '530102003', 868420.78, 'D', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-12-27 19:44:00'),
    (2023, 12, 5, 3, '2023-12-27 00:00:00', 'ASTO', '0001', '00000070', 'X', 5598330.79, NULL, '110102002001', 5598330.79, 'H', '   1', '', 'Servicios públicos y gastos bancarios del trimestre', 0, 0, NULL, 0, '0001', '2023-12-27 19:44:00');
-- 12-0000006 Sueldos y cargas sociales de diciembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 6, 1, '2023-12-30 00:00:00', 'ASTO', '0001', '00000071', 'X', 31085539.49, NULL, '530101001', 24671063.09, 'D', '   1', '', 'Sueldos y cargas sociales de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-30 17:51:00'),
    (2023, 12, 6, 2, '2023-12-30 00:00:00', 'ASTO', '0001', '00000071', 'X', 31085539.49, NULL, '530101002', 6414476.40, 'D', '   1', '', 'Sueldos y cargas sociales de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-30 17:51:00'),
    (2023, 12, 6, 3, '2023-12-30 00:00:00', 'ASTO', '0001', '00000071', 'X', 31085539.49, NULL, '110102002001', 24671063.09, 'H', '   1', '', 'Sueldos y cargas sociales de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-30 17:51:00'),
    (2023, 12, 6, 4, '2023-12-30 00:00:00', 'ASTO', '0001', '00000071', 'X', 31085539.49, NULL, '210201002', 6414476.40, 'H', '   1', '', 'Sueldos y cargas sociales de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-30 17:51:00');
-- 12-0000007 Pago cuota préstamo B.N.A.
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 7, 1, '2023-12-30 00:00:00', 'ASTO', '0001', '00000072', 'X', 2152256.29, NULL, '210401001', 625000.00, 'D', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2023-12-30 18:58:00'),
    (2023, 12, 7, 2, '2023-12-30 00:00:00', 'ASTO', '0001', '00000072', 'X', 2152256.29, NULL, '610201001', 1527256.29, 'D', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2023-12-30 18:58:00'),
    (2023, 12, 7, 3, '2023-12-30 00:00:00', 'ASTO', '0001', '00000072', 'X', 2152256.29, NULL, '110102001001', 2152256.29, 'H', '   1', '', 'Pago cuota préstamo B.N.A.', 0, 0, NULL, 0, '0001', '2023-12-30 18:58:00');
-- 12-0000008 Liquidación de I.V.A. e Ingresos Brutos de diciembre 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 8, 1, '2023-12-31 00:00:00', 'ASTO', '0001', '00000073', 'X', 38818063.87, NULL, '210301001', 33272626.17, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-31 19:05:00'),
    (2023, 12, 8, 2, '2023-12-31 00:00:00', 'ASTO', '0001', '00000073', 'X', 38818063.87, NULL, '520101002', 5545437.70, 'D', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-31 19:05:00'),
    (2023, 12, 8, 3, '2023-12-31 00:00:00', 'ASTO', '0001', '00000073', 'X', 38818063.87, NULL, '110401001', 18598211.77, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-31 19:05:00'),
    (2023, 12, 8, 4, '2023-12-31 00:00:00', 'ASTO', '0001', '00000073', 'X', 38818063.87, NULL, '210301002', 14674414.40, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-31 19:05:00'),
    (2023, 12, 8, 5, '2023-12-31 00:00:00', 'ASTO', '0001', '00000073', 'X', 38818063.87, NULL, '210301003', 5545437.70, 'H', '   1', '', 'Liquidación de I.V.A. e Ingresos Brutos de diciembre 2023', 0, 0, NULL, 0, '0001', '2023-12-31 19:05:00');
-- 12-0000009 Renovación plazo fijo B.N.A. con intereses
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 9, 1, '2023-12-31 00:00:00', 'ASTO', '0001', '00000074', 'X', 4550000.00, NULL, '110201001', 4550000.00, 'D', '   1', '', 'Renovación plazo fijo B.N.A. con intereses', 0, 0, NULL, 0, '0001', '2023-12-31 17:12:00'),
    (2023, 12, 9, 2, '2023-12-31 00:00:00', 'ASTO', '0001', '00000074', 'X', 4550000.00, NULL, '610101001', 4550000.00, 'H', '   1', '', 'Renovación plazo fijo B.N.A. con intereses', 0, 0, NULL, 0, '0001', '2023-12-31 17:12:00');
-- 12-0000010 Diferencia de cambio tenencia U$S 11.200
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 10, 1, '2023-12-31 00:00:00', 'ASTO', '0001', '00000075', 'X', 7070560.00, NULL, '110101003', 7070560.00, 'D', '   1', '', 'Diferencia de cambio tenencia U$S 11.200', 0, 0, NULL, 0, '0001', '2023-12-31 18:19:00'),
    (2023, 12, 10, 2, '2023-12-31 00:00:00', 'ASTO', '0001', '00000075', 'X', 7070560.00, NULL, '610101002', 7070560.00, 'H', '   1', '', 'Diferencia de cambio tenencia U$S 11.200', 0, 0, NULL, 0, '0001', '2023-12-31 18:19:00');
-- 12-0000011 Amortizaciones del ejercicio 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 11, 1, '2023-12-31 00:00:00', 'ASTO', '0001', '00000076', 'X', 1655000.00, NULL, '530102004', 1655000.00, 'D', '   1', '', 'Amortizaciones del ejercicio 2023', 0, 0, NULL, 0, '0001', '2023-12-31 19:26:00'),
    (2023, 12, 11, 2, '2023-12-31 00:00:00', 'ASTO', '0001', '00000076', 'X', 1655000.00, NULL, '120101003', 260000.00, 'H', '   1', '', 'Amortizaciones del ejercicio 2023', 0, 0, NULL, 0, '0001', '2023-12-31 19:26:00'),
    (2023, 12, 11, 3, '2023-12-31 00:00:00', 'ASTO', '0001', '00000076', 'X', 1655000.00, NULL, '120102002', 1240000.00, 'H', '   1', '', 'Amortizaciones del ejercicio 2023', 0, 0, NULL, 0, '0001', '2023-12-31 19:26:00'),
    (2023, 12, 11, 4, '2023-12-31 00:00:00', 'ASTO', '0001', '00000076', 'X', 1655000.00, NULL, '120103002', 155000.00, 'H', '   1', '', 'Amortizaciones del ejercicio 2023', 0, 0, NULL, 0, '0001', '2023-12-31 19:26:00');
-- 12-0000012 Previsión para deudores incobrables 2023
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, IMPORTE, "DEBE-HABER", MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, AJUSTE_HASTA, ES_SALDO_APERTURA, UNEGOCIO, fechahora_grabacion) VALUES
    (2023, 12, 12, 1, '2023-12-31 00:00:00', 'ASTO', '0001', '00000077', 'X', 1150000.00, NULL, '520101004', 1150000.00, 'D', '   1', '', 'Previsión para deudores incobrables 2023', 0, 0, NULL, 0, '0001', '2023-12-31 17:33:00'),
    (2023, 12, 12, 2, '2023-12-31 00:00:00', 'ASTO', '0001', '00000077', 'X', 1150000.00, NULL, '110302001', 1150000.00, 'H', '   1', '', 'Previsión para deudores incobrables 2023', 0, 0, NULL, 0, '0001', '2023-12-31 17:33:00');

-- Cost centres per business unit: the administrative salaries are split
-- differently at the head office and at the Neuquén branch.
UPDATE MA_CUENTASCCOSTO SET VariablePorUD = 1 WHERE CODIGO = '530101001';
INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, UNEGOCIO, CCOSTO, PORCENTAJE) VALUES
    ('530101001', '0001', '0101', 30),
    ('530101001', '0001', '0102', 15),
    ('530101001', '0001', '0201', 40),
    ('530101001', '0001', '0202', 15),
    ('530101001', '0002', '0101', 12.5),
    ('530101001', '0002', '0202', 87.5);

-- ---------------------------------------------------------------------------
-- Additional data of accounts
-- ---------------------------------------------------------------------------

-- The accounts of the additional-data ranges take their data.
UPDATE TA_CONFIGURACION SET VALOR = 'SI' WHERE CLAVE = 'USADATOSADIC';
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux, Grupo, PoliticaNegocio) VALUES
    ('ClaseDePrecioDefault', '1', NULL, 'DATOS', 0),
    ('ClaseDePrecioDefaultCompras', '2', NULL, 'DATOS', 0);

-- The suite keeps its document types with four characters, the width the
-- additional data stores them with.
UPDATE TA_TIPODOCUMENTO SET CODIGO = '00' || CODIGO WHERE LENGTH(CODIGO) = 2;

-- The commercial tables the window's second tab names.
INSERT INTO V_TA_CPRA_VTA (IDCOND_CPRA_VTA, DESCRIPCION) VALUES
    ('0001', 'Contado'),
    ('0002', 'Cuenta corriente 30 días'),
    ('0003', 'Cuenta corriente 60 días');
INSERT INTO V_TA_CATEGORIA (IDCATEGORIA, DESCRIPCION) VALUES
    ('0001', 'Mayorista'),
    ('0002', 'Minorista'),
    ('0003', 'Supermercados');
INSERT INTO V_TA_MOTIVOVTA (IdMotivoVta, DESCRIPCION) VALUES
    (1, 'Venta habitual'),
    (2, 'Venta de bienes de uso');
INSERT INTO V_TA_MOTIVOCPRA (IdMotivoCpra, DESCRIPCION) VALUES
    (1, 'Mercadería de reventa'),
    (2, 'Gastos generales');
INSERT INTO V_TA_VENDEDORES (IdVendedor, NOMBRE) VALUES
    (1, 'Marcela Ferreyra'),
    (2, 'Hugo Lamberti');
INSERT INTO V_MA_PRECIOSCAB (IDLISTA, TIPOLISTA, DESCRIPCION) VALUES
    (1, 'V', 'Lista mayorista'),
    (2, 'V', 'Lista minorista');

-- The customers' account and the bank account of B.N.A. with their data.
INSERT INTO MA_CUENTASADIC (CODIGO, CONTACTO, CALLE, NUMERO, PISO, DEPARTAMENTO, CPOSTAL, LOCALIDAD, PROVINCIA, PAIS, TELEFONO, DOCUMENTO_TIPO, NUMERO_DOCUMENTO, IVA, OBSERVACIONES, FAX, MAIL, IDCOND_Cpra_Vta, LIMITE_CREDITO, idcategoria, IdMotivoVta, IdMotivoCpra, IdVendedor, IdLista, CLASE, fechahora_grabacion, fechahora_modificacion) VALUES
    ('110301001', 'Silvia Rinaldi', 'Av. Colón', '1250', '', '', '8000', 'Bahía Blanca', 'B', 'AR', '0291 455-1234', '0080', '30-71234567-9', '1', 'Clientes mayoristas de la zona', '', 'cobranzas@delsur.com.ar', '0002', 2500000, '0001', 1, NULL, 1, 1, '1', '02/01/23 09:15', '14/11/23 16:40'),
    ('110102001001', 'Gerencia de Empresas', 'Estomba', '52', '', '', '8000', 'Bahía Blanca', 'B', 'AR', '0291 459-8000', '0080', '30-50001091-2', '1', 'Cuenta corriente en pesos', '', 'empresas@bna.com.ar', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '02/01/23 09:20', NULL);
