-- Written by a newer program, still in rollback-journal mode: opening it must not switch it to WAL.
PRAGMA journal_mode = DELETE;
CREATE TABLE inventarioVersionEsquema (version INTEGER NOT NULL);
INSERT INTO inventarioVersionEsquema (version) VALUES (999);
CREATE TABLE negocio (id INTEGER PRIMARY KEY AUTOINCREMENT, nombre TEXT);
INSERT INTO negocio (nombre) VALUES ('Refaccionaria del Futuro');
