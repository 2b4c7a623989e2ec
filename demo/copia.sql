-- A copy of the demo company's master data, as the company-group database and
-- each point of sale keep it: loaded after schema.sql and data.sql by
-- scripts/build-demo-db. A copy holds the chart of accounts, the reference
-- tables, users and configuration, but neither the company's journal entries
-- nor points of sale and a group of its own.
DELETE FROM MV_ASIENTOS;
DELETE FROM V_TA_TPV;
DELETE FROM TA_CONFIGURACION WHERE CLAVE LIKE 'GRP\_%' ESCAPE '\';
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux, Grupo, PoliticaNegocio) VALUES
    ('GRP_Deshabilitado', '1', NULL, 'GRUPO', 0);
