-- Our tables, but the version was written as text by hand or by a faulty tool.
CREATE TABLE inventarioVersionEsquema (version INTEGER NOT NULL);
INSERT INTO inventarioVersionEsquema (version) VALUES ('dos');
CREATE TABLE negocio (id INTEGER PRIMARY KEY AUTOINCREMENT, nombre TEXT);
INSERT INTO negocio (nombre) VALUES ('Abarrotes La Esperanza');
