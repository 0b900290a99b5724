CREATE TABLE inventarioVersionEsquema (version INTEGER NOT NULL);
INSERT INTO inventarioVersionEsquema (version) VALUES (-3);
CREATE TABLE negocio (id INTEGER PRIMARY KEY AUTOINCREMENT, nombre TEXT);
